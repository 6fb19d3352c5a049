#include "app/core/print_layout.h"

#include <algorithm>
#include <cmath>

#include "app/core/main_window_seams.h"
#include "model/bounds.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/projection.h"
#include "model/view_state.h"
#include "plan/base_2d_view.h"
#include "model/plan_objects.h"

namespace {

constexpr float kMargin = 72.0f;

void Grow(FloatRect* r) {
    r->floatTop -= kMargin;
    r->floatLeft -= kMargin;
    r->floatBottom += kMargin;
    r->floatRight += kMargin;
}

} // namespace

FloatRect PrintDrawingBounds() {
    FloatRect bounds{32000, 32000, -32000, -32000};
    const DocState* ds = CurrentDocState();
    if (!ds) return bounds;
    gPrinting = 1;
    GetAllLayersBounds(gCurDocument->itsLayers, 0, &bounds, 0, 0);
    if (gCurDocument->itsTopoLayer && ds->showTopoLines)
        GetAllLayersBounds(gCurDocument->itsTopoLayer, 0, &bounds, 0, 0);
    gPrinting = 0;
    // Nothing drawn: the starting values would give a negative scale.
    if (bounds.floatRight < bounds.floatLeft || bounds.floatBottom < bounds.floatTop) bounds = ds->lotRect;
    return bounds;
}

float CalculatePaperScale(FloatRect* drawing, const FloatRect* paper) {
    if (!drawing || !paper) return 1.0f;
    Grow(drawing);
    const float w = drawing->floatRight - drawing->floatLeft, h = drawing->floatBottom - drawing->floatTop;
    if (w <= 0 || h <= 0) return 1.0f;
    return std::min((paper->floatRight - paper->floatLeft) / w, (paper->floatBottom - paper->floatTop) / h);
}

float CalculateTileScale(FloatRect* drawing) {
    const DocState* ds = CurrentDocState();
    if (!gCurDocument || !ds || !drawing) return 1.0f;
    Grow(drawing);
    const bool metric = ds->units == kMetricUnits;
    switch (ds->planScaleChoice) {
    case 8: return metric ? 0.36f : 0.375f;
    case 9: return metric ? 0.72f : 0.75f;
    case 10: return metric ? 1.8f : 1.0f;
    case 11: return metric ? 3.6f : 1.5f;
    default: return 1.0f;
    }
}

std::vector<PrintTile> PrintTiles(float width, float height, float pageWidth, float pageHeight) {
    std::vector<PrintTile> tiles;
    if (pageWidth <= 0 || pageHeight <= 0) return tiles;
    // A sliver under a hundredth of a point is rounding, not a page.
    const int across = std::max(1, int(std::ceil(width / pageWidth - 0.01f)));
    const int down = std::max(1, int(std::ceil(height / pageHeight - 0.01f)));
    for (int row = 0; row < down; ++row)
        for (int column = 0; column < across; ++column) tiles.push_back({column * pageWidth, row * pageHeight});
    return tiles;
}

SavedViewState::SavedViewState() {
    const DocState* ds = CurrentDocState();
    hadDocument_ = ds != nullptr;
    if (ds) {
        zoomFactor = ds->zoomFactor, topZoom = ds->savedZoom, otherZoom = ds->printZoom;
        viewOrigin_ = ds->viewOrigin;
        workingElevation_ = ds->currentElevation;
    }
    offsets_[0] = gGlobalXOffset, offsets_[1] = gGlobalYOffset, offsets_[2] = gGlobalZOffset;
    angles_[0] = gXViewAngle, angles_[1] = gYViewAngle, angles_[2] = gCosXAngle;
    angles_[3] = gSinXAngle, angles_[4] = gCosYAngle, angles_[5] = gSinYAngle;
    perspective_ = gPerspective;
    viewFactor_ = gViewFactor;
    if (Base2DView* view = MainWindowDocumentView(); view && view->host()) {
        hadPlanView_ = true;
        frame_ = view->host()->frameSize();
        boundsOrigin_ = view->host()->boundsOrigin();
        visible_ = view->host()->visibleRect();
    }
}

void SavedViewState::restore() const {
    if (DocState* ds = CurrentDocState(); ds && hadDocument_) {
        ds->zoomFactor = zoomFactor, ds->savedZoom = topZoom, ds->printZoom = otherZoom;
        ds->viewOrigin = viewOrigin_;
        ds->currentElevation = workingElevation_;
    }
    gGlobalXOffset = offsets_[0], gGlobalYOffset = offsets_[1], gGlobalZOffset = offsets_[2];
    gXViewAngle = angles_[0], gYViewAngle = angles_[1], gCosXAngle = angles_[2];
    gSinXAngle = angles_[3], gCosYAngle = angles_[4], gSinYAngle = angles_[5];
    gPerspective = perspective_;
    gViewFactor = viewFactor_;
    if (Base2DView* view = MainWindowDocumentView(); hadPlanView_ && view && view->host()) {
        view->host()->setFrameSize(frame_);
        view->host()->setBoundsOrigin(boundsOrigin_);
        view->host()->scrollRectToVisible(visible_);
        view->host()->setNeedsDisplay();
    }
}

PrintGlobalsScope::PrintGlobalsScope(float scale, float translateX, float translateY) {
    gHPrintScale = gVPrintScale = scale;
    gAffineTranslateX = translateX;
    gAffineTranslateY = translateY;
    gPrinting = 1;
}

PrintGlobalsScope::~PrintGlobalsScope() {
    gPrinting = 0;
    gHPrintScale = gVPrintScale = 1.0f;
    gAffineTranslateX = gAffineTranslateY = 0;
}

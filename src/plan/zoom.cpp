#include "plan/zoom.h"

#include <algorithm>
#include <cmath>

#include "app/core/main_window_seams.h"
#include "files/windows_records.h"
#include "model/bounds.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/numeric.h"
#include "model/objects.h"
#include "model/projection.h"
#include "model/units.h"
#include "plan/base_2d_view.h"
#include "model/plan_objects.h"
#include "plan/refresh_seams.h"

float GetMinZoom() {
    const DocState* ds = CurrentDocState();
    if (!ds) return 0.01f;
    float width = ds->lotSizeFeet.floatH, depth = ds->lotSizeFeet.floatV;
    if (ds->topoGridValue == 2) {  // the lot is measured in metres
        width = ConvertInchesToFeet(ConvertMetersToInches(width));
        depth = ConvertInchesToFeet(ConvertMetersToInches(depth));
    }
    static constexpr struct {
        float feet;
        float zoom;
    } kLimits[] = {{1500, 0.01f}, {1000, 0.015f}, {500, 0.025f}, {450, 0.035f}, {400, 0.04f},
                   {350, 0.045f}, {300, 0.05f},   {200, 0.055f}, {100, 0.06f}};
    for (const auto& limit : kLimits)
        if (width > limit.feet || depth > limit.feet) return limit.zoom;
    return 0.045f;
}

uint8_t PinMaxZoom(DocState* docState) {
    if (!docState) return 0;
    const FloatRect& extents = docState->lotRect;
    const float larger = std::max(extents.floatRight - extents.floatLeft,
                                  extents.floatBottom - extents.floatTop);
    if (!(larger > 0.0f) || std::isinf(larger)) return 0;
    float limit = std::floor(32000.0f / larger);
    if (limit < 1.0f) limit = 32000.0f / larger;
    if (!(docState->zoomFactor > limit)) return 0;
    docState->zoomFactor = limit;
    return 1;
}

namespace {
// The bounds of everything drawn, as the print view sees it; the plan extents when nothing
// is found or the design lies out of range.
FloatRect DesignBounds(QMDDocumentModel* doc, const DocState* ds) {
    FloatRect box{32000, 32000, -32000, -32000};
    const uint8_t printing = gPrinting;
    gPrinting = 1;
    GetAllLayersBounds(doc->itsLayers, 0, &box, 0, 0);
    gPrinting = printing;
    if (box.floatTop > 30000 || box.floatLeft > 30000 || box.floatBottom < -30000 ||
        box.floatRight < -30000)
        box = ds->lotRect;
    return box;
}
}  // namespace

void FitToWindow() {
    Base2DView* view = MainWindowDocumentView();
    QMDDocumentModel* doc = gCurDocument;
    DocState* ds = CurrentDocState();
    if (!view || !view->host() || !ds) return;
    Base2DViewHost& host = *view->host();

    // The bounds are plan units, whatever the zoom: the zoom chosen is the window over them.
    const FloatRect box = DesignBounds(doc, ds);
    const float width = box.floatRight - box.floatLeft + 10.0f;
    const float height = box.floatBottom - box.floatTop + 10.0f;
    const PlatformRect visible = host.visibleRect();
    const float zoom = std::min(dvxnum::TruncToInt16(visible.width) / width,
                                dvxnum::TruncToInt16(visible.height) / height);
    // A view not laid out yet, or a design without size, keeps the zoom it has.
    if (zoom > 0.0f && std::isfinite(zoom)) ds->zoomFactor = zoom;
    PinMaxZoom(ds);
    ds->savedZoom = ds->zoomFactor;

    gSinXAngle = 1.0f;
    gCosYAngle = 1.0f;
    FramePaperAroundDesign(host);
    Refresh();
}

void FramePaperAround(Base2DViewHost& host, float cx, float cy) {
    float paperWidth = 0.0f, paperHeight = 0.0f;
    GetAdjustedPaperWidthAndHeight(&paperWidth, &paperHeight);
    host.setFrameSize({paperWidth, paperHeight});
    host.setBoundsOrigin({-paperWidth / 2.0f, -paperHeight / 2.0f});
    const PlatformRect shown = host.visibleRect();
    host.scrollRectToVisible({cx - shown.width / 2.0f, cy - shown.height / 2.0f, shown.width,
                              shown.height});
}

void FramePaperAroundDesign(Base2DViewHost& host) {
    const DocState* ds = CurrentDocState();
    if (!gCurDocument || !ds) return FramePaperAround(host, 0, 0);
    const FloatRect box = DesignBounds(gCurDocument, ds);
    // Its middle on the ground, as the view shows it.
    float x = (box.floatLeft + box.floatRight) / 2.0f, y = 0.0f, z = (box.floatTop + box.floatBottom) / 2.0f;
    ConversionToIsometric(&x, &y, &z, gCosXAngle, gSinXAngle, gCosYAngle, gSinYAngle, gGlobalXOffset, gGlobalYOffset,
                          gGlobalZOffset, 1);
    FramePaperAround(host, x, y);
}

namespace {
bool Meets(const FloatRect& a, const PlatformRect& v) {
    return a.floatLeft <= v.x + v.width && a.floatRight >= v.x && a.floatTop <= v.y + v.height &&
           a.floatBottom >= v.y;
}

// The outline shows unless the rectangle misses the window or holds it with room to spare.
bool OutlineShows(const FloatRect& r, const PlatformRect& v) {
    const bool around = r.floatLeft < v.x && r.floatRight > v.x + v.width && r.floatTop < v.y &&
                        r.floatBottom > v.y + v.height;
    return Meets(r, v) && !around;
}

FloatRect ZoomedLot(const DocState* ds) {
    FloatRect lot = ds->lotRect;
    ZoomFRect(&lot);
    return lot;
}
}  // namespace

bool BringDesignIntoView(bool mayZoomOut) {
    Base2DView* view = MainWindowDocumentView();
    DocState* ds = CurrentDocState();
    if (!view || !view->host() || !ds || !gCurDocument) return false;
    Base2DViewHost& host = *view->host();
    const PlatformRect visible = host.visibleRect();
    if (!(visible.width > 0 && visible.height > 0)) return false;

    FloatRect objects{32000, 32000, -32000, -32000};
    const uint8_t printing = gPrinting;
    gPrinting = 1;
    GetAllLayersBounds(gCurDocument->itsLayers, 0, &objects, 0, 0);
    gPrinting = printing;
    const bool any = objects.floatTop <= 30000 && objects.floatLeft <= 30000 && objects.floatBottom >= -30000 &&
                     objects.floatRight >= -30000;
    if (OutlineShows(ZoomedLot(ds), visible) || (any && Meets(objects, visible))) return false;

    if (!any && mayZoomOut) {
        const FloatRect& lot = ds->lotRect;
        // A tenth of the lot to spare, so its outline stays clear of the window's edges.
        const float width = (lot.floatRight - lot.floatLeft) * 1.1f, height = (lot.floatBottom - lot.floatTop) * 1.1f;
        const float fits = std::min(visible.width / width, visible.height / height);
        if (fits > 0.0f && std::isfinite(fits) && fits < ds->zoomFactor) {
            ds->zoomFactor = std::max(fits, GetMinZoom());
            ds->savedZoom = ds->zoomFactor;
        }
    }
    const FloatRect target = any ? objects : ZoomedLot(ds);
    const float cx = (target.floatLeft + target.floatRight) / 2.0f;
    const float cy = (target.floatTop + target.floatBottom) / 2.0f;
    host.scrollRectToVisible({cx - visible.width / 2.0f, cy - visible.height / 2.0f, visible.width, visible.height});
    Refresh();
    return true;
}

#include "tracking/tracker_feedback.h"

#include "app/core/main_window_seams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/numeric.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/projection.h"
#include "model/texture_mapping.h"
#include "model/view_state.h"
#include "plan/annotations/dimension_lines.h"
#include "plan/base_2d_view.h"
#include "plan/dynamic_draw_engine.h"
#include "model/plan_objects.h"
#include "tracking/tracking_state.h"

namespace feedback {

QMDDynamicDrawEngine* Engine() {
    Base2DView* view = MainWindowDocumentView();
    return view ? view->dynamicDrawEngine.get() : nullptr;
}

void Clear() {
    if (QMDDynamicDrawEngine* engine = Engine()) engine->setActivePath(0), engine->removePointsFromAllPaths();
}

void Redraw() {
    Base2DView* view = MainWindowDocumentView();
    if (view && view->host()) view->host()->setNeedsDisplay();
}

Axes AxesOf(int16_t viewKind) {
    if (viewKind == 1) return {0, 1, 2};
    if (viewKind == 3) return {2, 1, 0};
    return {0, 2, 1};
}

float& At(Float3DPoint& p, int axis) { return axis == 0 ? p.floatH : axis == 1 ? p.floatV : p.floatD; }
float At(const Float3DPoint& p, int axis) { return axis == 0 ? p.floatH : axis == 1 ? p.floatV : p.floatD; }

Float3DPoint Down() { return {gDownX, gDownY, gDownZ}; }
Float3DPoint Up() { return {gUpX, gUpY, gUpZ}; }

PlatformPoint ToView(Float3DPoint p) {
    Float3DPoint q = p;
    ConvertToIso(&p.floatH, &p.floatV, &p.floatD, &q.floatH, &q.floatV, &q.floatD, gPerspective);
    return {float(dvxnum::TruncToInt16(p.floatH + 0.5f)), float(dvxnum::TruncToInt16(p.floatV + 0.5f))};
}

void Line(QMDDynamicDrawEngine* engine, const Float3DPoint& a, const Float3DPoint& b) {
    if (engine) engine->appendLineToActivePathWithStartPoint(ToView(a), ToView(b));
}

void Dimension(float h1, float d1, float h2, float d2, float offset, bool throughPoints) {
    const float ends[2] = {};
    (throughPoints ? DrawDimensionLineNoOffset : DrawDimensionLine)(nullptr, h1, d1, h2, d2, h1, d1, h2, d2, 0, offset, 1,
                                                                     &ends[0], &ends[1], 0, 0, offset, 0, nullptr);
}

void EndAsClick() {
    ResetStandardTool(1);
    Redraw();
    Clear();
}

Layer* CurrentLayer() { return gCurDocument ? gCurDocument->itsCurLayer : nullptr; }

void DressDetailShape(Objex* shape, int32_t subtype, bool ownFirstWord, const DocState* ds) {
    if (!shape || !ds) return;
    shape->type = objtype::kDetail;
    shape->subtype = subtype;
    shape->penWidth = float(ds->penWidth);
    shape->planBits = ds->currentPlanBit;
    namespace f = objfield::detail_shape;
    f::kFirstWord(*shape) = ownFirstWord ? (f::kFirstWord(*shape) | 1) : ds->detailDisplayDims;
    f::kSecondWord(*shape) = ds->editLevel;
    if (!shape->closed) shape->fillPattern = 0;
    MapFacesAndLengths(shape);
}

DynamicDrawing::DynamicDrawing() : saved_(gDynamicDrawing) { gDynamicDrawing = 1; }
DynamicDrawing::~DynamicDrawing() { gDynamicDrawing = saved_; }

}  // namespace feedback

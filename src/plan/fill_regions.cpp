#include "plan/fill_regions.h"

#include <cstdlib>
#include <vector>

#include "app/core/main_window_seams.h"
#include "model/command_ids.h"
#include "model/convert_curves.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/duplicate.h"
#include "model/generated_numbers.h"
#include "model/numeric.h"
#include "model/objects.h"
#include "model/plan_index.h"
#include "model/projection.h"
#include "model/zoom_units.h"
#include "plan/base_2d_view.h"
#include "plan/plan_frame.h"
#include "model/plan_objects.h"
#include "model/tool_state.h"

namespace {

int32_t ToView(float v, float printScale) {
    if (gPrinting) v *= printScale;
    return dvxnum::TruncToInt16(static_cast<double>(v) + 0.5);
}

// A region's points at the ground level into the view, zoomed, without the perspective divide;
// the view and the zoom read once per region.
struct GroundProjection {
    ViewProjection view = ViewProjection::Current(false);
    float zoom = ZoomFactor();

    POINT operator()(const Poinz* p) const {
        float q[3] = {p->position[0], 0.0f, p->position[2]};
        if (zoom != 1.0f) q[0] *= zoom, q[1] *= zoom, q[2] *= zoom;
        view.Apply(q);
        return {ToView(q[0], gHPrintScale), ToView(q[1], gVPrintScale)};
    }
};

template <typename Each>
void ForEachShownExteriorWall(const Each& each, const FloatRect* area = nullptr) {
    const DocState* ds = CurrentDocState();
    if (!ds || !gCurDocument->itsCurLayer) return;
    std::vector<Objex*> objects;
    if (area) PlanIndexCandidates(gCurDocument->itsCurLayer, *area, &objects);
    else
        for (Objex* o = gCurDocument->itsCurLayer->firstObject; o; o = o->next) objects.push_back(o);
    for (Objex* o : objects)
        if (o->type == objtype::kWall && o->subtype == objsubtype::kExteriorWall &&
            IsObjectOnCurrentPlan(o, ds->visiblePlans))
            each(o);
}

}  // namespace

void Draw2DFillRegion(void* /*dc*/, Objex* object, int32_t penStyle, int32_t lineWidth,
                      const RGBColor* strokeColor, const RGBColor* fillColor, int32_t brushStyle) {
    if (!CurrentDocState() || !object || !strokeColor || !fillColor || !object->firstPoint) return;
    const int32_t n = object->rows > 0 ? object->pointCount / object->rows : 0;
    if (n <= 0) return;
    // Kept between calls: a redraw fills one region per wall and allocates for none of them.
    // Drawing a region never fills another, so one list serves.
    static std::vector<POINT> points;
    points.clear();
    const GroundProjection projected;
    for (const Poinz* p = object->firstPoint; p && static_cast<int32_t>(points.size()) < n; p = p->next)
        points.push_back(projected(p));
    points.push_back(points[0]);
    if (Base2DView* view = MainWindowDocumentView())
        view->draw2DPatternRegion(points.data(), static_cast<int32_t>(points.size()), static_cast<int16_t>(penStyle),
                                  static_cast<int16_t>(brushStyle), strokeColor, fillColor, lineWidth);
}

void Draw2DCurvedFillRegion(void* dc, Objex* object, int32_t penStyle, int32_t lineWidth,
                            const RGBColor* strokeColor, const RGBColor* fillColor,
                            int32_t brushStyle) {
    if (!CurrentDocState() || !object || !strokeColor || !fillColor) return;
    // Without curves the copy would be the same outline: spare the copy (and its IDs).
    if (!ObjectHasCurves(object)) {
        Draw2DFillRegion(dc, object, penStyle, lineWidth, strokeColor, fillColor, brushStyle);
        return;
    }
    KeepNumberCounters numbers(CurrentDocState());  // a redraw takes no number
    Objex* copy = DuplicateObject(object, nullptr, nullptr, nullptr, 0, cmd::kDuplicate);
    if (!copy) return;
    ConvertObjectCurvesToPolygons(copy);
    Draw2DFillRegion(dc, copy, penStyle, lineWidth, strokeColor, fillColor, brushStyle);
    DeleteObj(copy);
}

void FillAllExteriorPerimeterSpaces(void* dc, const Layer* flag, const FloatRect* area) {
    const DocState* ds = CurrentDocState();
    if (!flag || !ds || gPrinting) return;
    const RGBColor black{0, 0, 0}, fill = ds->interiorFillColor;
    ForEachShownExteriorWall([&](Objex* wall) { Draw2DFillRegion(dc, wall, 5, 0, &black, &fill, 0); }, area);
}

void DrawAllFoundationPerimeters(void* dc, const Layer* layer) {
    const DocState* ds = CurrentDocState();
    if (!layer || !ds || gPrinting) return;
    if (gCurTool != kExteriorWallTool && gCurTool != kFoundationWallTool) return;
    const RGBColor stroke = ds->planColors[0], fill = ds->inactiveFloorColor;
    ForEachShownExteriorWall([&](Objex* wall) { Draw2DFillRegion(dc, wall, 2, 1, &stroke, &fill, -1); });
}

void Draw2DFoundation(void*, Objex*) {}

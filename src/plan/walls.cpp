#include "plan/walls.h"

#include <array>

#include "app/core/main_window_seams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/projection.h"
#include "model/segment_walk.h"
#include "model/transforms.h"
#include "model/view_state.h"
#include "plan/annotations/dimension_lines.h"
#include "plan/base_2d_view.h"
#include "plan/fill_regions.h"
#include "model/plan_objects.h"
#include "plan/wall_dimensions.h"
#include "port/drawing.h"

namespace {

constexpr int kH = 0, kD = 2;
constexpr float kHalfPi = 1.57079632679489661923f;
constexpr int32_t kNoDimension = 1 | 2;

struct Corner {
    float x, y;
};

// The four corners of the segment P -> Q at half thickness t, along one face and back along
// the other, projected into the current view and made whole.
std::array<Corner, 4> SegmentOutline(float ph, float pd, float qh, float qd, float t) {
    float length = 0;
    const float a = GetLineLengthAndAngle(ph, pd, qh, qd, &length);
    const float b = GetLineLengthAndAngle(qh, qd, ph, pd, &length);
    struct { float h, d, angle; } ends[4] = {{ph, pd, a + kHalfPi}, {qh, qd, b - kHalfPi},
                                             {qh, qd, b + kHalfPi}, {ph, pd, a - kHalfPi}};
    float c[4][3];
    for (int i = 0; i < 4; ++i) {
        float dh = 0, dd = 0;
        GetPointFromLengthAndAngle(ends[i].angle, t, &dh, &dd);
        c[i][0] = ends[i].h + dh, c[i][1] = 0, c[i][2] = ends[i].d + dd;
    }
    ConvertToIso(&c[0][0], &c[0][1], &c[0][2], &c[1][0], &c[1][1], &c[1][2], gPerspective);
    ConvertToIso(&c[2][0], &c[2][1], &c[2][2], &c[3][0], &c[3][1], &c[3][2], gPerspective);
    std::array<Corner, 4> out;
    for (int i = 0; i < 4; ++i)
        out[i] = {static_cast<float>(static_cast<int32_t>(c[i][0] + 0.5f)),
                  static_cast<float>(static_cast<int32_t>(c[i][1] + 0.5f))};
    return out;
}

}  // namespace

void DrawWall(void* dc, const Float3DPoint& start, const Float3DPoint& end, float thickness, uint8_t flag) {
    if (!CurrentDocState()) return;
    Base2DView* view = MainWindowDocumentView();
    if (!view) return;
    QMDDynamicDrawEngine* engine = view->dynamicDrawEngine.get();
    const std::array<Corner, 4> c =
        SegmentOutline(start.floatH, start.floatD, end.floatH, end.floatD, thickness * 0.5f);
    engine->activePathMoveToPoint({c[0].x, c[0].y});
    for (int i = 1; i < 4; ++i) engine->activePathLineToPoint({c[i].x, c[i].y});
    engine->closeActivePath();
    DrawDimensionLine(dc, start.floatH, start.floatD, end.floatH, end.floatD, start.floatH, start.floatD,
                      end.floatH, end.floatD, flag, 5.0f, 1, &start, &end, 0, 0, 5.0f, 0, nullptr);
}

void Draw2DWall(void* dc, Objex* solid, Objex* wall) {
    DocState* ds = CurrentDocState();
    if (!ds || !solid || !wall) return;
    const RGBColor pen = ds->penColor;
    const RGBColor fill = pen;
    if (IsObjectOnCurrentPlan(wall, ds->visiblePlans)) Draw2DFillRegion(dc, solid, 0, 1, &pen, &fill, 0);
    if (!wall->firstPoint || !wall->firstPoint->next) return;
    EdgeSide side(wall, -1);
    ForEachSegment(wall, [&](Poinz* a, Poinz* b) {
        if ((a->segmentFlags & kNoDimension) != kNoDimension) DimensionWallSegment(dc, wall, a, b, side);
    });
}

void DrawObjectPerimeter(void* dc, Objex* object) {
    const DocState* ds = CurrentDocState();
    if (!ds || !object) return;
    if (object->type != objtype::kDimensionLine && !ds->showDimensions) return;
    if (!object->firstPoint || !object->firstPoint->next) return;
    EdgeSide side(object, 1);
    ForEachSegment(object, [&](Poinz* a, Poinz* b) { DimensionWallSegment(dc, object, a, b, side); });
}

void DrawWallSelection(Objex* wall) {
    const DocState* ds = CurrentDocState();
    if (!ds || !wall || wall->type != objtype::kWall) return;
    const float t = ConvertWorldToScreen(wall->penWidth, ds, 0) / 2.0f;
    port::DrawingContext& context = port::currentDrawingContext();
    // One state and one outline for every selected segment.
    context.save();
    context.setFillColor({1, 0, 0, 1});
    context.setLineWidth(0.1);
    port::Path path;
    ForEachSegment(wall, [&](Poinz* a, Poinz* b) {
        if (!a->selected || !b->selected) return;
        const std::array<Corner, 4> c =
            SegmentOutline(a->position[kH], a->position[kD], b->position[kH], b->position[kD], t);
        path.clear();
        path.moveTo(c[0].x, c[0].y);
        for (int i = 1; i < 4; ++i) path.lineTo(c[i].x, c[i].y);
        path.closePath();
        context.fillPath(path);
    });
    context.restore();
}

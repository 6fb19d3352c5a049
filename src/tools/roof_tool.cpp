#include "tools/roof_tool.h"

#include <cmath>
#include <memory>
#include <numbers>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/numeric.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/projection.h"
#include "model/transforms.h"
#include "model/view_state.h"
#include "plan/dynamic_draw_engine.h"
#include "plan/refresh_seams.h"
#include "scene/scene_build.h"
#include "tools/roof_construction.h"
#include "model/click_info.h"
#include "model/poly_builders.h"
#include "tracking/tracker_feedback.h"
#include "tracking/tracking_engine.h"
#include "tracking/tracking_state.h"

namespace {

constexpr int32_t kRoofingPlan = 16;
constexpr float kDimensionOffset = 5.0f;
constexpr int32_t kTopTexture = 1255;
constexpr int16_t kFullScale = 100;
constexpr RGBColor kNoColour{65535, 65535, 65535};
constexpr RGBColor kShingleColour{57311, 52685, 46517};
constexpr float kPi = std::numbers::pi_v<float>;

using End = objfield::roof::End;

PlatformPoint Rounded(float x, float y) {
    return {float(dvxnum::TruncToInt16(double(x) + 0.5)), float(dvxnum::TruncToInt16(double(y) + 0.5))};
}

// The long sides go through the plain rotation, the rest through the perspective divide too.
PlatformPoint Flat(Float3DPoint p) {
    ConversionToIsometric(&p.floatH, &p.floatV, &p.floatD, gCosXAngle, gSinXAngle, gCosYAngle, gSinYAngle,
                          gGlobalXOffset, gGlobalYOffset, gGlobalZOffset, 1);
    return Rounded(p.floatH, p.floatV);
}

PlatformPoint Seen(Float3DPoint p) {
    Float3DPoint q = p;
    ConvertToIso(&p.floatH, &p.floatV, &p.floatD, &q.floatH, &q.floatV, &q.floatD, gPerspective);
    return Rounded(p.floatH, p.floatV);
}

// The outline of the drag from the press to `to` (plan H and D at the press's V): the ridge
// runs along the wider side, along depth on a tie.
void LayOutline(const Float3DPoint& down, float toH, float toD, Float3DPoint (&p)[4]) {
    const float v = down.floatV, dh = down.floatH, dd = down.floatD;
    if (std::fabs(dh - toH) > std::fabs(dd - toD)) {
        p[0] = {dh, v, dd}, p[1] = {toH, v, dd}, p[2] = {toH, v, toD}, p[3] = {dh, v, toD};
    } else {
        p[0] = {dh, v, toD}, p[1] = {dh, v, dd}, p[2] = {toH, v, dd}, p[3] = {toH, v, toD};
    }
}

void DrawFeedback(QMDDynamicDrawEngine* engine, const DocState* ds, float h, float d) {
    const Float3DPoint down = feedback::Down();
    if (ds->showDimensions) {
        feedback::Dimension(down.floatH, d, h, d, kDimensionOffset, false);
        feedback::Dimension(h, down.floatD, h, d, kDimensionOffset, false);
    }
    if (!engine) return;
    Float3DPoint p[4];
    LayOutline(down, h, d, p);
    const int32_t style = int16_t(ds->gableRoofValue.red);
    const RoofRidge ridge = RoofRidgePoints(p, style, 0);
    auto line = [engine](PlatformPoint a, PlatformPoint b) { engine->appendLineToActivePathWithStartPoint(a, b); };
    line(Flat(p[0]), Flat(p[1]));
    line(Flat(p[3]), Flat(p[2]));
    if (objfield::roof::LeftEnd(style) == End::Hip) line(Seen(p[3]), Seen(p[0]));
    if (objfield::roof::RightEnd(style) == End::Hip) line(Seen(p[1]), Seen(p[2]));
    Float3DPoint left = ridge.left, right = ridge.right;
    left.floatV = right.floatV = down.floatV;
    line(Seen(p[0]), Seen(left));
    line(Seen(p[3]), Seen(left));
    line(Seen(p[1]), Seen(right));
    line(Seen(p[2]), Seen(right));
    line(Seen(left), Seen(right));
}

Objex* BuildRoof(DocState* ds, Layer* layer) {
    Float3DPoint p[4], none[4] = {};
    LayOutline(feedback::Down(), gUpX, gUpZ, p);
    Objex* roof = BuildClosedPoly(p, nullptr, none, none, nullptr, nullptr, 4, layer, 1);
    if (!roof) return nullptr;
    roof->type = objtype::kRoof;
    roof->closed = 1;
    roof->planBits = kRoofingPlan;
    roof->fillPattern = ds->gableRoofChoice;
    objfield::roof::kStyle(*roof) = int16_t(ds->gableRoofValue.red);
    objfield::roof::kPitch(*roof) = ds->roofPitch;
    roof->elevation = GetLayerAbsBaseHeight(layer) + layer->height;
    roof->texture2 = 0;
    roof->color2 = kNoColour;
    roof->textureScales[0] = {kFullScale, kFullScale};
    Poinz* first = roof->firstPoint;
    first->texture1 = kTopTexture, first->texture2 = 0;
    first->color1 = kNoColour, first->color2 = kShingleColour;
    first->faceScale1 = first->faceScale2 = {kFullScale, kFullScale};
    return roof;
}

}  // namespace

void TrackGableRoof(int32_t, int32_t, float h, float, float d, int16_t stage) {
    DocState* ds = CurrentDocState();
    Layer* layer = feedback::CurrentLayer();
    if (!gCurDocument || !ds || !layer) return;
    feedback::DynamicDrawing drawing;
    QMDDynamicDrawEngine* engine = feedback::Engine();
    feedback::Clear();
    gRoundToggle = 1;
    DrawFeedback(engine, ds, h, d);
    if (stage != 3) return;

    if (TrackedGestureWasClick()) {
        feedback::EndAsClick();
    } else {
        Objex* roof = BuildRoof(ds, layer);
        feedback::Clear();
        if (roof) {
            Update3DRoof(roof);
            RenderSingleObject(roof);
        }
        Refresh();
    }
    gMouseCaptured = 0;
}

void DrawTranslatedWallObject(Objex* wall, const ClickInfo* click) {
    QMDDynamicDrawEngine* engine = feedback::Engine();
    if (engine) {
        auto element = std::make_unique<QMDDynamicTransformElement>();
        element->setFillPath(1);
        engine->addDynamicTransformElement(std::move(element));
    }
    const DocState* ds = CurrentDocState();
    if (!wall || !click || !click->ciPoint || !click->ciPoint2 || !gCurDocument || !ds) return;
    const float width = ConvertWorldToScreen(wall->penWidth, ds, 0);
    Poinz* first = click->ciPoint;
    Poinz* second = click->ciPoint2;
    auto hit = [&](const Poinz* p) { return p == first || p == second; };
    const Poinz* previous = first->prev;
    if (!previous && wall->closed) {
        const Poinz* last = wall->firstPoint;
        while (last && last->next) last = last->next;
        previous = hit(last) ? nullptr : last;
    }
    const Poinz* following = second->next;
    if (!following && wall->closed) following = hit(wall->firstPoint) ? nullptr : wall->firstPoint;

    const Float3DPoint a{gTranslateWallSegPt1.floatH, first->position[1], gTranslateWallSegPt1.floatV};
    const Float3DPoint b{gTranslateWallSegPt2.floatH, second->position[1], gTranslateWallSegPt2.floatV};
    if (previous)
        DrawTranslatedWall(previous->position[0], previous->position[1], previous->position[2], a.floatH, a.floatV,
                           a.floatD, width);
    DrawTranslatedWall(a.floatH, a.floatV, a.floatD, b.floatH, b.floatV, b.floatD, width);
    if (following)
        DrawTranslatedWall(b.floatH, b.floatV, b.floatD, following->position[0], following->position[1],
                           following->position[2], width);
}

void DrawTranslatedWall(float h1, float v1, float d1, float h2, float v2, float d2, float width) {
    if (!gCurDocument || !CurrentDocState()) return;
    QMDDynamicDrawEngine* engine = feedback::Engine();
    QMDDynamicTransformElement* element = engine ? engine->activeTransformElement() : nullptr;
    if (!element) return;
    float ignored = 0;
    const float angle = GetLineLengthAndAngle(h1, d1, h2, d2, &ignored);
    const float w = width / 2;
    auto corner = [&](float h, float v, float d, float towards) {
        float dx = 0, dz = 0;
        GetPointFromLengthAndAngle(towards, w, &dx, &dz);
        return Seen({h + dx, v, d + dz});
    };
    const PlatformPoint c0 = corner(h1, v1, d1, angle + kPi / 2), c1 = corner(h2, v2, d2, angle + kPi / 2);
    const PlatformPoint c2 = corner(h2, v2, d2, angle - kPi / 2), c3 = corner(h1, v1, d1, angle - kPi / 2);
    element->appendPathWithLineFromPoint(c0, c1);
    element->lineToPoint(c2);
    element->lineToPoint(c3);
    element->closePath();
}

#include "tracking/transform_trackers.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "model/command_state.h"
#include "plan/status_readouts.h"
#include "model/bounds.h"
#include "model/command_ids.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/marquee.h"
#include "model/objects.h"
#include "model/projection.h"
#include "model/selection_queries.h"
#include "model/selection_state.h"
#include "model/selection_summary.h"
#include "model/transforms.h"
#include "model/view_state.h"
#include "model/walkers.h"
#include "plan/dynamic_draw_engine.h"
#include "plan/handles.h"
#include "plan/plan_frame.h"
#include "model/plan_objects.h"
#include "plan/refresh_seams.h"
#include "tracking/track_mouse.h"
#include "tracking/tracker_feedback.h"
#include "tracking/tracking_engine.h"
#include "tracking/tracking_state.h"
#include "ui/core/inspector_seams.h"

namespace {

using feedback::At;
constexpr int16_t kFrontKind = 1, kPlanKind = 2;
constexpr float kPi = std::numbers::pi_v<float>;
constexpr float kDegrees = 180.0f / kPi;
constexpr float kSmallestAcross = 10.0f;
constexpr float kThinHalf = 4.0f;

bool Shift() { return (gTrackModifiers & 4) != 0; }
bool Command() { return (gTrackModifiers & 8) != 0; }

// The smallest factor each axis (H, V, D) may shrink to, set at the press.
float sForce[3] = {};
// The view kind a Command gesture in an elevation view replaced by the front view; 0 when none.
int16_t sSavedActivePlane = 0;

}  // namespace
static const port::GlobalReset kReset([] {
    std::fill(std::begin(sForce), std::end(sForce), 0.0f);
    sSavedActivePlane = 0;
});

namespace {

void RestoreActivePlane() {
    if (!sSavedActivePlane) return;
    if (DocState* ds = CurrentDocState()) ds->viewKind = sSavedActivePlane;
    sSavedActivePlane = 0;
}

// A box's minimum and maximum on an axis (0 H, 1 V, 2 D).
float Low(const Float3DRect& b, int axis) { return axis == 0 ? b.floatLeft : axis == 1 ? b.floatTop : b.floatBack; }
float High(const Float3DRect& b, int axis) { return axis == 0 ? b.floatRight : axis == 1 ? b.floatBottom : b.floatFront; }
float& DownOn(int axis) { return axis == 0 ? gDownX : axis == 1 ? gDownY : gDownZ; }
float& DirectionOn(int axis) { return axis == 0 ? gXResizeDirection : axis == 1 ? gYResizeDirection : gZResizeDirection; }

float Clamped(float factor, float force) {
    if (std::fabs(factor) >= force) return factor;
    return factor < 0 ? -force : force;
}

// The whole gesture's measure: grabbed side, anchor and current point on every axis.
struct ScaleMeasure {
    Float3DPoint grabbed, anchor, current;
    float factor[3] = {1, 1, 1};
};

ScaleMeasure Measure(const DocState* ds, int16_t stage) {
    const int16_t kind = ds->viewKind;
    const feedback::Axes ax = feedback::AxesOf(kind);
    const Float3DRect& box = gData3DRect;
    ScaleMeasure m;
    m.current = {gTrackState[3], gTrackState[4], gTrackState[5]};
    m.grabbed = m.anchor = feedback::Down();
    const bool limited = kind == kPlanKind || kind == kFrontKind;
    float centre[3] = {};
    for (int axis : {ax.a1, ax.a2}) {
        const float lo = Low(box, axis), hi = High(box, axis);
        centre[axis] = lo + (hi - lo) / 2;
        const bool beyond = DownOn(axis) > centre[axis];
        At(m.grabbed, axis) = beyond ? hi : lo;
        At(m.anchor, axis) = beyond ? lo : hi;
        DirectionOn(axis) = beyond ? 1.0f : -1.0f;
        DownOn(axis) = At(m.grabbed, axis);
        // A flat axis has no smallest factor (it is not scaled, below).
        if (limited && stage == 1 && At(m.anchor, axis) != At(m.grabbed, axis))
            sForce[axis] = std::fabs(kSmallestAcross / (At(m.anchor, axis) - At(m.grabbed, axis)));
    }
    // A selection thinner than 8 on an axis is not scaled along it (the horizontal axis first).
    auto keep = [&](int axis) { At(m.anchor, axis) = centre[axis], At(m.current, axis) = At(m.grabbed, axis); };
    if (std::fabs(At(m.grabbed, ax.a1) - centre[ax.a1]) <= kThinHalf) keep(ax.a1);
    else if (std::fabs(At(m.grabbed, ax.a2) - centre[ax.a2]) <= kThinHalf) keep(ax.a2);
    if (kind == kFrontKind && sSavedActivePlane) keep(ax.a1);

    for (int axis = 0; axis < 3; ++axis) {
        float f = GetScale(At(m.grabbed, axis), At(m.current, axis), At(m.anchor, axis));
        if (limited && sForce[axis] > 0) f = Clamped(f, sForce[axis]);
        m.factor[axis] = f;
    }
    if (Shift()) {
        const bool first = std::fabs(m.factor[ax.a1]) >= std::fabs(m.factor[ax.a2]);
        m.factor[first ? ax.a2 : ax.a1] = 1.0f;
    }
    if (sSavedActivePlane) m.factor[ax.a1] = 1.0f;
    return m;
}

// Width, depth and height of the selection scaled by the factors of the view's axes.
void ShowScaledSize(const DocState* ds, const float (&f)[3]) {
    const float w = gWidthHeightDepth[0], h = gWidthHeightDepth[1], d = gWidthHeightDepth[2];
    if (ds->viewKind == kPlanKind) DrawWH(w * f[0], d * f[2], h);
    else if (ds->viewKind == kFrontKind) DrawWH(w * f[0], d, h * f[1]);
    else DrawWH(w, d * f[2], h * f[1]);
}

bool FlatView(int32_t view) { return view == kViewTop || (view >= kViewLeft && view <= kViewBack); }

// The selection drawn moved by the gesture, each into its own transform element.
void DrawTransformedLayers(int32_t flags, const TransformRecord& record) {
    if (!gCurDocument) return;
    gTransformationDrawing = 1;
    DrawAllLayers(nullptr, gCurDocument->itsLayers, nullptr, flags, &record);
    gTransformationDrawing = 0;
}

bool HitObjectIsTheSelection() {
    const Objex* o = gClickInfo.ciObject;
    if (!o || o->type == 6) return false;
    auto whole = [](float v) { return std::lround(v); };
    return whole(o->bounds.floatLeft) == whole(gDataRect.floatLeft) &&
           whole(o->bounds.floatTop) == whole(gDataRect.floatTop) &&
           whole(o->bounds.floatRight) == whole(gDataRect.floatRight) &&
           whole(o->bounds.floatBottom) == whole(gDataRect.floatBottom);
}

void ScaleFeedback(const DocState* ds, const ScaleMeasure& m, int16_t stage) {
    Float3DRect box = gData3DRect;
    const feedback::Axes ax = feedback::AxesOf(ds->viewKind);
    for (int axis : {ax.a1, ax.a2}) {
        const float o = At(m.anchor, axis);
        float lo = o + (Low(box, axis) - o) * m.factor[axis], hi = o + (High(box, axis) - o) * m.factor[axis];
        if (lo > hi) std::swap(lo, hi);
        (axis == 0 ? box.floatLeft : axis == 1 ? box.floatTop : box.floatBack) = lo;
        (axis == 0 ? box.floatRight : axis == 1 ? box.floatBottom : box.floatFront) = hi;
    }
    ShowScaledSize(ds, m.factor);
    const bool pointOriented = ToolIsPointOriented(gCurTool, gClickInfo.ciObject);
    const int32_t view = GetCurrentView();
    if (!(pointOriented && !FlatView(view))) {
        gTransformationDrawing = 1;
        DrawCube(nullptr, &box);
        gTransformationDrawing = 0;
    }
    if (FlatView(view) || (HitObjectIsTheSelection() && !pointOriented)) return;
    TransformRecord record;
    for (int i = 0; i < 3; ++i) {
        record.values[xform::kStartH + i] = At(m.grabbed, i);
        record.values[xform::kCurrentH + i] = At(m.current, i);
        record.values[xform::kOriginH + i] = At(m.anchor, i);
    }
    const int32_t flags = (stage == 1 ? 302 : 294) | (Shift() ? 0x200 : 0);
    DrawTransformedLayers(flags, record);
}

}  // namespace

void TrackScale(int32_t, int32_t, int16_t stage) {
    feedback::Clear();
    DocState* ds = CurrentDocState();
    if (!gCurDocument || !ds) return;
    if (stage == 1) {
        std::fill(std::begin(sForce), std::end(sForce), 0.0f);
        RestoreActivePlane();
        if (Command() && ds->viewKind != kPlanKind) {
            sSavedActivePlane = ds->viewKind, ds->viewKind = kFrontKind;
            RestoreAtGestureEnd(RestoreActivePlane);
        }
    }
    const ScaleMeasure m = Measure(ds, stage);
    if (stage != 3) {
        if (gClickInfo.ciHit) ScaleFeedback(ds, m, stage);
        return;
    }
    TransformRecord record;
    for (int i = 0; i < 3; ++i) {
        record.values[xform::kScaleH + i] = m.factor[i];
        record.values[xform::kCentreH + i] = At(m.anchor, i);
    }
    // A click resizes nothing, a hand's slip on the handle included: the grabbed side jumps to
    // the pointer, so a pixel's slip would squeeze the whole selection onto it.
    const bool click = TrackedGestureWasClick();
    if (!click) SelectedObjectAllLayers(gCurDocument->itsLayers, 1, cmd::kScale, &record);
    FloatRect plan = EmptyFloatRect();
    GetAllLayersObjBounds(gCurDocument->itsLayers, 1, &plan, 0, 0);
    gDataRect = plan;
    feedback::Clear();
    Refresh();
    // The size the selection now has: after a click, the size it had.
    static constexpr float kUnscaled[3] = {1, 1, 1};
    ShowScaledSize(ds, click ? kUnscaled : m.factor);
    gMouseCaptured = 0;
    RestoreActivePlane();
}

void TrackRotate(float h, float v, float d, int16_t stage) {
    if (stage == 1) DrawWH(0, 0, 0);
    feedback::Clear();
    DocState* ds = CurrentDocState();
    if (!gCurDocument || !ds) return;
    const feedback::Axes ax = feedback::AxesOf(ds->viewKind);
    const Float3DRect& box = gData3DRect;
    const float c1 = Low(box, ax.a1) + (High(box, ax.a1) - Low(box, ax.a1)) / 2;
    const float c2 = Low(box, ax.a2) + (High(box, ax.a2) - Low(box, ax.a2)) / 2;
    Float3DPoint cursor{h, v, d};
    float length = 0;
    float angle = GetLineLengthAndAngle(c1, c2, At(cursor, ax.a1), At(cursor, ax.a2), &length);
    const bool plan = ds->viewKind == kPlanKind;
    if (plan) {
        angle = float(int(angle * kDegrees / 5 + 0.5f) * 5) / kDegrees;
        At(cursor, ax.a1) = c1 + length * std::cos(angle), At(cursor, ax.a2) = c2 - length * std::sin(angle);
        if (stage == 3) gUpX = cursor.floatH, gUpZ = cursor.floatD;
    }
    if (stage == 1) gTrackState[xform::kStartAngle] = angle;
    gTrackState[xform::kCurrentAngle] = angle;
    const float rotation = GetRotate(gTrackState[xform::kStartAngle], angle);
    if (plan) {
        float degrees = rotation * kDegrees;
        if (degrees < 0) degrees += 360;
        DrawAngle(degrees);
    }
    if (stage != 3) {
        if (!gClickInfo.ciHit) return;
        if (plan) {
            QMDDynamicDrawEngine* engine = feedback::Engine();
            Float3DPoint corners[4];
            const float lo1 = Low(box, ax.a1), hi1 = High(box, ax.a1), lo2 = Low(box, ax.a2), hi2 = High(box, ax.a2);
            const float at[4][2] = {{lo1, lo2}, {hi1, lo2}, {hi1, hi2}, {lo1, hi2}};
            for (int i = 0; i < 4; ++i) {
                float p1 = at[i][0], p2 = at[i][1];
                Rotate(&p1, &p2, c1, c2, rotation);
                corners[i] = feedback::Down();
                At(corners[i], ax.a1) = p1, At(corners[i], ax.a2) = p2;
            }
            for (int i = 0; i < 4; ++i) feedback::Line(engine, corners[i], corners[(i + 1) % 4]);
        }
        TransformRecord record;
        for (int i = 0; i < 12; ++i) record.values[i] = gTrackState[i];
        record.values[xform::kOriginH + ax.a1] = c1, record.values[xform::kOriginH + ax.a2] = c2;
        DrawTransformedLayers((stage == 1 ? 398 : 390) | (Shift() ? 0x200 : 0), record);
        return;
    }
    const bool moved = gUpX != gDownX || gUpY != gDownY || gUpZ != gDownZ;
    if (moved && rotation != 0) {
        TransformRecord record;
        record.values[xform::kRotationAngle] = rotation;
        record.values[xform::kCentreH + ax.a1] = c1, record.values[xform::kCentreH + ax.a2] = c2;
        SelectedObjectAllLayers(gCurDocument->itsLayers, 1, cmd::kRotate, &record);
        FloatRect bounds = EmptyFloatRect();
        GetAllLayersObjBounds(gCurDocument->itsLayers, 1, &bounds, 0, 0);
        gDataRect = bounds;
        InspectorUpdatePropertiesState(1);
    }
    gMouseCaptured = 0;
    feedback::Clear();
    Refresh();
    DrawAngle(32000);
}

void TrackMarquee(int32_t, int32_t, float h, float v, float d, int16_t stage) {
    QMDDynamicDrawEngine* engine = feedback::Engine();
    if (engine) {
        engine->setActivePath(0);
        engine->setActivePathDeviceRed(192.0f / 255, 0, 192.0f / 255, 1.0f);
        engine->removePointsFromAllPaths();
    }
    if (stage == 1) DrawWHArea(0, 0);
    float x1 = gDownX, y1 = gDownY, z1 = gDownZ, x2 = h, y2 = v, z2 = d;
    ConvertToIso(&x1, &y1, &z1, &x2, &y2, &z2, gPerspective);
    const bool inReach = std::fabs(x1) < 30000 && std::fabs(y1) < 30000 && std::fabs(x2) < 30000 && std::fabs(y2) < 30000;
    const int32_t l = std::lround(std::fmin(x1, x2)), t = std::lround(std::fmin(y1, y2));
    const int32_t r = std::lround(std::fmax(x1, x2)), b = std::lround(std::fmax(y1, y2));
    if (inReach && engine) engine->appendRectToActivePath(PlatformRect{float(l), float(t), float(r - l), float(b - t)});
    DrawWHArea(std::fabs(gDownX - h), std::fabs(gDownZ - d));
    if (stage != 3) return;
    DocState* ds = CurrentDocState();
    if (gCurDocument && ds && gCurDocument->itsLayers) {
        // The same rectangle whichever corner the drag began at.
        const RECT rect{l, t, r + 1, b + 1};
        SelectAllLayersInRect(gCurDocument->itsLayers, &rect, Shift() ? 3 : 1, 1);
        ClearSelectionState40(ds, &ds->ss40);
        TopLevelObjectAllLayers(gCurDocument->itsLayers, cmd::kElevationSummary, ds);
        UpdateSelectionState40Controls(&ds->ss40);
        ClearSelectionState(ds, &ds->ss);
        SelectedObjectAllLayers(gCurDocument->itsLayers, 1, cmd::kSelectionSummary, ds);
        UpdateSelectionStateAreas();
    }
    gMouseCaptured = 0;
    DrawWHArea(0, 0);
    if (engine) engine->removePointsFromAllPaths(), engine->resetAttributesForAllPaths();
}

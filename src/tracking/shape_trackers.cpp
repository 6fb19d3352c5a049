#include "tracking/shape_trackers.h"

#include <cmath>

#include "plan/status_readouts.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "model/transforms.h"
#include "plan/refresh_seams.h"
#include "plan/arc_builders.h"
#include "model/poly_builders.h"
#include "tracking/tool_dispatch.h"
#include "tracking/tracker_feedback.h"
#include "tracking/tracking_engine.h"
#include "tracking/tracking_state.h"

namespace {

using feedback::At;

constexpr int16_t kPlanKind = 2;
constexpr float kDepthDimensionGap = 25.0f;

// The press mirrored through the pointer for one tracker call, so that the press is the
// shape's centre; the real press comes back with the call's end.
class MirroredDown {
public:
    MirroredDown(bool on, float h, float v, float d) : saved_(feedback::Down()) {
        if (on) gDownX = 2 * gDownX - h, gDownY = 2 * gDownY - v, gDownZ = 2 * gDownZ - d;
    }
    ~MirroredDown() { gDownX = saved_.floatH, gDownY = saved_.floatV, gDownZ = saved_.floatD; }
    MirroredDown(const MirroredDown&) = delete;
    MirroredDown& operator=(const MirroredDown&) = delete;

private:
    Float3DPoint saved_;
};

// The press's point with the two drawing coordinates replaced.
Float3DPoint Corner(const feedback::Axes& ax, float c1, float c2) {
    Float3DPoint p = feedback::Down();
    At(p, ax.a1) = c1, At(p, ax.a2) = c2;
    return p;
}

bool Shift() { return (gTrackModifiers & 4) != 0; }

// The far corner of the shape in the view's two coordinates: the pointer's, except that an
// oval in an elevation view without Shift is as tall as it is wide.
void FarCorner(bool oval, int16_t viewKind, const Float3DPoint& at, float* c1, float* c2) {
    const feedback::Axes ax = feedback::AxesOf(viewKind);
    const Float3DPoint down = feedback::Down();
    *c1 = At(at, ax.a1), *c2 = At(at, ax.a2);
    if (oval && viewKind != kPlanKind && !Shift()) *c2 = At(down, ax.a2) + *c1 - At(down, ax.a1);
}

void DrawFeedback(bool oval, const DocState* ds, const Float3DPoint& at) {
    QMDDynamicDrawEngine* engine = feedback::Engine();
    const feedback::Axes ax = feedback::AxesOf(ds->viewKind);
    const Float3DPoint down = feedback::Down();
    float c1 = 0, c2 = 0;
    FarCorner(oval, ds->viewKind, at, &c1, &c2);
    const float d1 = At(down, ax.a1), d2 = At(down, ax.a2);
    if (oval) {
        const FloatRect rect{d2, d1, c2, c1};
        Draw3DEllipse(nullptr, &rect, 0, 360, ds->viewKind, At(down, ax.third), nullptr, nullptr, nullptr, 1, nullptr,
                      0, 90);
    } else {
        const Float3DPoint corners[4] = {Corner(ax, c1, c2), Corner(ax, c1, d2), Corner(ax, d1, d2), Corner(ax, d1, c2)};
        for (int i = 0; i < 4; ++i) feedback::Line(engine, corners[i], corners[(i + 1) % 4]);
    }
    if (ds->viewKind != kPlanKind) return;
    const float middle = down.floatD + (at.floatD - down.floatD) / 2;
    feedback::Dimension(down.floatH, middle, at.floatH, middle, 0, true);
    const uint8_t lock = oval ? gLockOvalTool : gLockRectTool;
    if ((lock != 0) == Shift()) {
        const float beside = at.floatH > down.floatH ? down.floatH - kDepthDimensionGap : down.floatH + kDepthDimensionGap;
        feedback::Dimension(beside, down.floatD, beside, at.floatD, 0, true);
    }
    if (oval) {
        const bool circle = (lock != 0) != Shift();
        DrawDiameter(circle ? ConvertScreenToWorld(std::fabs(at.floatH - down.floatH), ds, 0) : 0.0f);
    }
}

// The four points of the shape from the press to the release; false when they cannot be laid.
bool LayPoints(bool oval, const DocState* ds, Float3DPoint (&at)[4], Float3DPoint (&in)[4], Float3DPoint (&out)[4]) {
    const feedback::Axes ax = feedback::AxesOf(ds->viewKind);
    const Float3DPoint down = feedback::Down();
    float c1 = 0, c2 = 0;
    FarCorner(oval, ds->viewKind, feedback::Up(), &c1, &c2);
    const float d1 = At(down, ax.a1), d2 = At(down, ax.a2);
    if (!oval) {
        at[0] = Corner(ax, c1, c2), at[1] = Corner(ax, c1, d2), at[2] = Corner(ax, d1, d2), at[3] = Corner(ax, d1, c2);
        return true;
    }
    const FloatRect rect{d2, d1, c2, c1};
    int32_t count = 0;
    Float3DPoint laid[8], laidIn[8], laidOut[8];
    Draw3DEllipse(nullptr, &rect, 0, 360, ds->viewKind, At(down, ax.third), laid, laidIn, laidOut, 0, &count, 1, 90);
    if (count != 4) return false;
    for (int i = 0; i < 4; ++i) at[i] = laid[i], in[i] = laidIn[i], out[i] = laidOut[i];
    return true;
}

Objex* TrackCornerShape(bool oval, float h, float v, float d, int16_t stage) {
    DocState* ds = CurrentDocState();
    if (!gCurDocument || !ds) return nullptr;
    feedback::DynamicDrawing drawing;
    const MirroredDown centred(oval ? gCenterOvalTool : gCenterRectTool, h, v, d);
    feedback::Clear();
    Objex* made = nullptr;
    if (stage != 3) {
        DrawFeedback(oval, ds, {h, v, d});
    } else if (TrackedGestureWasClick()) {
        feedback::EndAsClick();
    } else {
        Float3DPoint at[4], in[4] = {}, out[4] = {};
        Layer* layer = feedback::CurrentLayer();
        if (layer && LayPoints(oval, ds, at, in, out)) {
            made = BuildClosedPoly(at, nullptr, in, out, nullptr, nullptr, 4, layer, 1);
            feedback::DressDetailShape(made, oval ? detailsubtype::kOval : detailsubtype::kRectangle, false, ds);
        }
        feedback::Clear();
        Refresh();
    }
    if (stage == 3) {
        gMouseCaptured = 0;
        if (oval) DrawDiameter(0);
    }
    return made;
}

}  // namespace

void TrackRect(int32_t, int32_t, float h, float v, float d, int16_t stage) { TrackCornerShape(false, h, v, d, stage); }

Objex* TrackOval(int32_t, int32_t, float h, float v, float d, int16_t stage) {
    return TrackCornerShape(true, h, v, d, stage);
}

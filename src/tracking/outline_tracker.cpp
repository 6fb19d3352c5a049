#include "tracking/outline_tracker.h"

#include <cmath>
#include <memory>
#include <utility>

#include "app/core/main_window_seams.h"
#include "plan/status_readouts.h"
#include "model/bounds.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/smoothing.h"
#include "model/texture_mapping.h"
#include "model/transforms.h"
#include "plan/base_2d_view.h"
#include "plan/dynamic_draw_engine.h"
#include "plan/plan_lines.h"
#include "plan/refresh_seams.h"
#include "port/seam.h"
#include "tracking/evaluate_point.h"
#include "tracking/shape_builders.h"
#include "tracking/snap_modes.h"
#include "tracking/track_mouse.h"
#include "tracking/tracker_feedback.h"
#include "tracking/tracker_loops.h"
#include "tracking/tracking_engine.h"
#include "tracking/tracking_state.h"

namespace {

constexpr uint32_t kLoopMask = 0x142A;  // left and right presses, moves, keys, modifier changes
constexpr int16_t kFoundationType = 54;
constexpr float kSamePoint = 1.0f;
constexpr float kCloseDistance = 5.0f;  // view points from the first point
constexpr float kSegmentDimensionOffset = 10.0f;

// The snap lock as it was at the press, while the outline holds it set.
bool sLockHeld = false;
uint8_t sSavedLock = 0;

}  // namespace
static const port::GlobalReset kReset([] { sLockHeld = false, sSavedLock = 0; });

namespace {

void HoldSnapLock() {
    if (!sLockHeld) sSavedLock = gSnapLocked, sLockHeld = true;
    gSnapLocked = 1;
}

void ReleaseSnapLock() {
    if (!sLockHeld) return;
    sLockHeld = false;
    gSnapLocked = sSavedLock;
    ResetSnapTool();
}

Float3DPoint Down() { return {gDownX, gDownY, gDownZ}; }

void UseOutlinePath(QMDDynamicDrawEngine* engine, int16_t type) {
    if (!engine) return;
    if (type == kFoundationType) engine->setActivePath(1), engine->setActivePathLineWidth(2.0f);
    else engine->setActivePath(0);
}

// The pointer evaluated as an outline point, following the last point's constraints.
Float3DPoint Evaluate(POINT at, const Float3DPoint& last) {
    MaintainModifiers();
    Float3DPoint p;
    EvaluatePoint(at.x, at.y, &p.floatH, &p.floatV, &p.floatD, 1, nullptr, 1);
    ConstrainPoint(&last, &p);
    return p;
}

// The rubber band from the last point to the pointer, its length and dimensions.
void RubberBand(const Float3DPoint& last, const Float3DPoint& p, int16_t type, const DocState* ds) {
    QMDDynamicDrawEngine* engine = feedback::Engine();
    if (!engine) return;
    engine->removePointsFromAllPaths();
    engine->removeAllDynamicDimElements();
    UseOutlinePath(engine, type);
    {
        feedback::DynamicDrawing drawing;
        DrawLine(nullptr, last.floatH, last.floatV, last.floatD, p.floatH, p.floatV, p.floatD, 0, nullptr, nullptr);
    }
    DrawLength(ConvertScreenToWorld(GetLineLength(last.floatH, last.floatD, p.floatH, p.floatD), ds, 0));
    gRoundToggle = 1;
    feedback::Dimension(last.floatH, last.floatD, p.floatH, p.floatD, kSegmentDimensionOffset, false);
    if (std::lround(p.floatH) != std::lround(last.floatH) && std::lround(p.floatD) != std::lround(last.floatD)) {
        gRoundToggle = 1;
        feedback::Dimension(last.floatH, last.floatD, p.floatH, last.floatD, kSegmentDimensionOffset, false);
        gRoundToggle = 1;
        feedback::Dimension(p.floatH, last.floatD, p.floatH, p.floatD, kSegmentDimensionOffset, false);
    }
    gRoundToggle = 0;
    UseOutlinePath(engine, type);
    feedback::Redraw();
}

bool Within(const Float3DPoint& a, const Float3DPoint& b, float distance) {
    return std::fabs(a.floatH - b.floatH) <= distance && std::fabs(a.floatV - b.floatV) <= distance &&
           std::fabs(a.floatD - b.floatD) <= distance;
}

struct OutlineJob {
    Objex* outline = nullptr;
    uint8_t smooth = 0, closed = 0;
    int16_t type = 0;
    OutlineDone done;
};

// What every way out of the loop leaves behind, finished or not.
class LoopState {
public:
    LoopState() { gTrackingPoly = 1; }
    ~LoopState() {
        gTrackingMouse = 0;
        gPerpFromLoc = FloatPoint{kNoPerpFrom, kNoPerpFrom};
        gTrackingPoly = 0;
        gRoundToggle = 0;
        ReleaseSnapLock();
        if (QMDDynamicDrawEngine* engine = feedback::Engine())
            engine->removePointsFromAllPaths(), engine->removeAllDynamicDimElements(), engine->resetAttributesForAllPaths();
    }
    LoopState(const LoopState&) = delete;
    LoopState& operator=(const LoopState&) = delete;
};

void Finish(OutlineJob& job, const DocState* ds) {
    Objex* o = job.outline;
    o->closed = job.closed;
    o->type = job.closed ? objtype::kClosedOutline : objtype::kPolygon;
    BuildPoly(o, 0, 0, 0, o->layer, buildmode::kFinish, 1);
    int32_t count = 0;
    for (const Poinz* p = o->firstPoint; p; p = p->next) ++count;
    o->pointCount = count;
    if (job.smooth) SmoothObject(o);
    o->penStyle = ds->penStyle, o->penColor = ds->penColor;
    UpdateObjectRootBounds(o, 0, 0);
    MapFacesAndLengths(o);
}

// An outline whose loop was closed unfinished (a lost focus, another tool) is taken away
// rather than left half made, while its document is still the current one.
class Unfinished {
public:
    explicit Unfinished(Objex** outline) : outline_(outline) {}
    ~Unfinished() {
        if (!*outline_ || !gCurDocument) return;
        for (Layer* layer = gCurDocument->itsLayers; layer; layer = layer->next)
            if (layer == (*outline_)->layer) {
                DeleteObj(*outline_);
                return;
            }
    }
    Unfinished(const Unfinished&) = delete;
    Unfinished& operator=(const Unfinished&) = delete;

private:
    Objex** outline_;
};

TrackerRoutine PointLoop(OutlineJob job) {
    LoopState state;
    Unfinished unfinished(&job.outline);
    const DocState* ds = CurrentDocState();
    const Float3DPoint first = Down();
    Float3DPoint last = first;
    int32_t points = 1;
    bool made = false;
    for (;;) {
        gTrackingMouse = 1;
        const TrackEvent e = co_await NextTrackEvent(kLoopMask);
        ds = CurrentDocState();
        if (!ds || !gCurDocument) {
            job.outline = nullptr;  // went with its document
            co_return;
        }
        if (e.type == trackevent::kMouseMoved || e.type == trackevent::kFlagsChanged) {
            const Float3DPoint p = Evaluate(e.where, last);
            if (Base2DView* view = MainWindowDocumentView()) view->autoScrollToPoint(e.where);
            RubberBand(last, p, job.type, ds);
            continue;
        }
        const bool escape = e.type == trackevent::kKeyDown && e.keyCode == keycode::kEscape;
        if (e.type == trackevent::kKeyDown && !escape) {
            if (e.keyCode == keycode::kTab) {
                gChangeSnapOK = 1;
                SnapToolChange((e.modifiers & evmod::kShift) != 0);
                gChangeSnapOK = 0;
            }
            continue;
        }
        gTrackingMouse = 0;
        const Float3DPoint p = Evaluate(e.where, last);
        RubberBand(last, p, job.type, ds);
        gDownX = p.floatH, gDownY = p.floatV, gDownZ = p.floatD;
        gPerpFromLoc = FloatPoint{p.floatH, p.floatD};
        const bool ends = escape || e.type == trackevent::kRightMouseDown || e.clickCount == 2 ||
                          (e.modifiers & evmod::kControl);
        if (ends && points > 1) {
            made = true;
            break;
        }
        // Escape on the first point leaves nothing; the other endings count as a click there.
        if (escape) break;
        if (Within(p, last, kSamePoint)) continue;
        const float fromFirst = GetLineLength(first.floatH, first.floatD, p.floatH, p.floatD) * ds->zoomFactor;
        const bool closing = points > 1 && fromFirst < kCloseDistance;
        if (closing && job.closed) {
            made = true;
            break;
        }
        if (!BuildPoly(job.outline, p.floatH, p.floatV, p.floatD, job.outline->layer, buildmode::kAppend, 1)) {
            made = points > 1;  // out of memory: keep what was drawn
            break;
        }
        ++points;
        if (job.smooth) SmoothObject(job.outline);
        last = p;
        if (closing) {
            made = true;
            break;
        }
    }
    Objex* result = nullptr;
    if (made) {
        Finish(job, ds);
        // An area of two points would be gone at the next read (a Redo's, an Open's): the
        // tool makes nothing, as a click does.
        if (!objtype::TooFewPointsForArea(job.type, job.outline->pointCount)) result = job.outline;
    }
    if (!result) DeleteObj(job.outline);
    job.outline = nullptr;
    feedback::Clear();
    if (QMDDynamicDrawEngine* engine = feedback::Engine()) engine->resetAttributesForAllPaths();
    Refresh();
    gMouseCaptured = 0;
    DrawLength(0);
    ReleaseSnapLock();
    gPerpFromLoc = FloatPoint{kNoPerpFrom, kNoPerpFrom};
    gTrackingPoly = 0;
    if (job.done) job.done(result);
}

}  // namespace

Objex* TrackGnrlPoly(int32_t, int32_t, float, float, float, int16_t stage, uint8_t smooth, uint8_t closed, uint8_t,
                     int16_t type, OutlineDone done) {
    const DocState* ds = CurrentDocState();
    if (!gCurDocument || !ds) return nullptr;
    QMDDynamicDrawEngine* engine = feedback::Engine();
    if (engine) engine->removePointsFromAllPaths();
    UseOutlinePath(engine, type);
    if (stage == 1) {
        HoldSnapLock();
        RestoreAtGestureEnd(ReleaseSnapLock);
    }
    if (stage != 3) {
        gPerpFromLoc = FloatPoint{kNoPerpFrom, kNoPerpFrom};
        gTrackingPoly = 0;
        return nullptr;
    }
    gUpX = gDownX, gUpY = gDownY, gUpZ = gDownZ;
    Layer* layer = feedback::CurrentLayer();
    Objex* outline = layer ? BuildPoly(nullptr, gDownX, gDownY, gDownZ, layer, buildmode::kStart, 1) : nullptr;
    if (!outline) {
        ReleaseSnapLock();
        gMouseCaptured = 0;
        gPerpFromLoc = FloatPoint{kNoPerpFrom, kNoPerpFrom};
        gTrackingPoly = 0;
        if (done) done(nullptr);
        return nullptr;
    }
    gPerpFromLoc = FloatPoint{gDownX, gDownZ};
    StartTrackerRoutine(PointLoop(OutlineJob{outline, smooth, closed, type, std::move(done)}));
    return nullptr;
}

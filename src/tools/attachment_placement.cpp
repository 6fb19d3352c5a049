#include "tools/attachment_placement.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/transforms.h"
#include "model/view_state.h"
#include "plan/dynamic_draw_engine.h"
#include "plan/plan_symbols.h"
#include "plan/wall_dimensions.h"
#include "tools/attached_dimensions.h"
#include "tools/attachment_layout.h"
#include "tracking/evaluate_point.h"
#include "tracking/snap_modes.h"
#include "tracking/tracker_feedback.h"
#include "tracking/tracker_loops.h"
#include "tracking/tracking_state.h"

namespace {

constexpr uint32_t kPlacementMask = 1092; // drags, the release, keys
constexpr float kQuarterTurn = std::numbers::pi_v<float> / 2;
constexpr float kSideProbe = 100.0f;
constexpr float kOpeningLineWidth = 3.0f;
constexpr int16_t kSecondaryPath = 1;

FloatPoint At(const Poinz* p) {
    return FloatPoint{p->position[0], p->position[2]};
}

FloatPoint Along(FloatPoint from, float angle, float length) {
    float dh = 0, dd = 0;
    GetPointFromLengthAndAngle(angle, length, &dh, &dd);
    return FloatPoint{from.floatH + dh, from.floatV + dd};
}

float SegmentAngle(const Poinz* a, const Poinz* b) {
    float length = 0;
    return GetLineLengthAndAngle(a->position[0], a->position[2], b->position[0], b->position[2],
                                 &length);
}

float Distance(FloatPoint a, FloatPoint b) {
    return GetLineLength(a.floatH, a.floatV, b.floatH, b.floatV);
}

// s..e for the pointer at distance c along the segment (see PositionDoor).
void Fit(float c, float w, float rangeStart, float rangeEnd, float currentS, float currentE,
         bool dragEnd, bool dragStart, float* s, float* e) {
    *s = c - w / 2, *e = c + w / 2;
    if (rangeStart + kPlacementKeepClear >= *s)
        *s = rangeStart + kPlacementKeepClear, *e = *s + w;
    else if (*e >= rangeEnd - kPlacementKeepClear)
        *e = rangeEnd - kPlacementKeepClear, *s = *e - w;
    // Kept clear of one end, an opening too wide for that would lie before the segment's
    // start, or more than the keep-clear past its end, where its wall's next refit drops it:
    // laid from the start, it still fits.
    if (!dragStart && !dragEnd && (*s < rangeStart || *e > rangeEnd + kPlacementKeepClear))
        *s = rangeStart, *e = *s + w;
    const float at = (*s + *e) / 2;
    if (dragStart && !dragEnd)
        *s = std::min(at, currentE - kNarrowestOpening), *e = currentE;
    else if (dragEnd && !dragStart)
        *e = std::max(at, currentS + kNarrowestOpening), *s = currentS;
}

// The document's snap spacings are 1 x 1 while this lives.
class HeldGrid {
  public:
    HeldGrid() : ds_(CurrentDocState()) {
        if (ds_) saved_ = ds_->snapIncrement, ds_->snapIncrement = FloatPoint{1.0f, 1.0f};
    }
    ~HeldGrid() { release(); }
    HeldGrid(const HeldGrid&) = delete;
    HeldGrid& operator=(const HeldGrid&) = delete;
    void release() {
        if (ds_ && CurrentDocState() == ds_) ds_->snapIncrement = saved_;
        ds_ = nullptr;
    }

  private:
    DocState* ds_;
    FloatPoint saved_;
};

// Where two lines (a1-a2, b1-b2) cross; false when they are parallel.
bool Cross(FloatPoint a1, FloatPoint a2, FloatPoint b1, FloatPoint b2, FloatPoint* out) {
    const float dx1 = a2.floatH - a1.floatH, dy1 = a2.floatV - a1.floatV;
    const float dx2 = b2.floatH - b1.floatH, dy2 = b2.floatV - b1.floatV;
    const float det = dx1 * dy2 - dy1 * dx2;
    if (std::fabs(det) < 1e-6f) return false;
    const float t = ((b1.floatH - a1.floatH) * dy2 - (b1.floatV - a1.floatV) * dx2) / det;
    *out = FloatPoint{a1.floatH + t * dx1, a1.floatV + t * dy1};
    return true;
}

// The pointer as a plan point, whole units; a moved attachment seen from a side stays on its
// segment's line.
FloatPoint Evaluate(const WallPlacement& p, POINT at, float* v) {
    Float3DPoint e;
    EvaluatePoint(at.x, at.y, &e.floatH, &e.floatV, &e.floatD, 1, nullptr, 1);
    FloatPoint q{std::round(e.floatH), std::round(e.floatD)};
    *v = std::round(e.floatV);
    if (!p.existing) return q;
    const int32_t view = GetCurrentView();
    const FloatPoint s = At(p.segStart), t = At(p.segEnd);
    if (view == kViewLeft || view == kViewRight)
        Cross(s, t, {q.floatH - 100, q.floatV}, {q.floatH + 100, q.floatV}, &q);
    else if (view == kViewFront || view == kViewBack)
        Cross(s, t, {q.floatH, q.floatV - 100}, {q.floatH, q.floatV + 100}, &q);
    return q;
}

// A moved attachment's own reference point (its centre, or the end being dragged) in the view.
POINT MovedReference(const WallPlacement& p) {
    const AttachmentRecord* r = p.existing->typeData.kind == TypeDataKind::Attachment
                                    ? p.existing->typeData.attachment
                                    : nullptr;
    if (!r) return p.click;
    float c = r->centreDistance;
    if (p.dragEnd && !p.dragStart) c += r->width / 2;
    if (p.dragStart && !p.dragEnd) c -= r->width / 2;
    const FloatPoint ref = Along(At(p.segStart), SegmentAngle(p.segStart, p.segEnd), c);
    const PlatformPoint view =
        feedback::ToView(Float3DPoint{ref.floatH, p.segStart->position[1], ref.floatV});
    return POINT{int32_t(view.x), int32_t(view.y)};
}

void ShowDistances(WallPlacement& p) {
    const float centre[2] = {p.centre.floatH, p.centre.floatV};
    DimensionWallSegmentToPoint(nullptr, p.wall, p.segStart, p.segEnd, centre, p.existing);
}

void DrawOpening(const WallPlacement& p) {
    QMDDynamicDrawEngine* engine = feedback::Engine();
    if (!engine) return;
    const float v = p.segStart->position[1];
    feedback::DynamicDrawing drawing;
    feedback::Line(engine, Float3DPoint{p.start.floatH, v, p.start.floatV},
                   Float3DPoint{p.end.floatH, v, p.end.floatV});
}

void ClearFeedback() {
    feedback::Clear();
    if (QMDDynamicDrawEngine* engine = feedback::Engine()) {
        engine->removeAllDynamicDimElements();
        engine->resetAttributesForAllPaths();
    }
    feedback::Redraw();
}

// Starting ends: a moved attachment's own, else none yet.
void StartFromExisting(WallPlacement& p) {
    if (!p.existing || !p.existing->firstPoint || !p.existing->firstPoint->next) return;
    p.start = At(p.existing->firstPoint);
    p.end = At(p.existing->firstPoint->next);
}

TrackerRoutine Placement(WallPlacement p, PlacementDone done, bool door) {
    HeldGrid held;
    feedback::Clear();
    if (QMDDynamicDrawEngine* engine = feedback::Engine(); engine && door) {
        engine->setActivePath(kSecondaryPath);
        engine->setActivePathLineWidth(kOpeningLineWidth);
    }
    StartFromExisting(p);
    p.fromCentre =
        !(p.existing && p.existing->firstPoint && p.existing->firstPoint->dimensionMethod != 0);
    POINT offset{0, 0};
    // A dimension dragged by its end follows the pointer itself: its reach is the pointer's.
    if (p.existing && !p.dimensionByPointer) {
        const POINT ref = MovedReference(p);
        offset = POINT{ref.x - p.click.x, ref.y - p.click.y};
    }
    float angle = SegmentAngle(p.segStart, p.segEnd);
    bool first = true;
    FloatPoint previous;
    auto step = [&](POINT pointer) {
        float v = 0;
        const FloatPoint q = Evaluate(p, POINT{pointer.x + offset.x, pointer.y + offset.y}, &v);
        if (!first && q.floatH == previous.floatH && q.floatV == previous.floatV) return;
        first = false, previous = q;
        feedback::Clear();
        if (QMDDynamicDrawEngine* engine = feedback::Engine())
            engine->removeAllDynamicDimElements();
        if (door) {
            PositionDoor(p.segStart, p.segEnd, p.size, p.workingLength, p.rangeStart, p.rangeEnd,
                         q.floatH, q.floatV, &p.start, &p.end, p.dragEnd, p.dragStart);
            p.centre = FloatPoint{(p.start.floatH + p.end.floatH) / 2,
                                  (p.start.floatV + p.end.floatV) / 2};
            DrawOpening(p);
        } else if (p.dimensionByPointer) {
            p.side =
                PositionDimAttachment(p.segStart, p.segEnd, &p.size, 0, p.rangeStart, p.rangeEnd,
                                      &q, &p.start, &p.end, false, false, &angle, &p.centre)
                    ? 1
                    : 0;
            DrawAttachment(p, angle);
        } else {
            p.side = PositionAttachment(p.segStart, p.segEnd, p.size, p.workingLength, p.rangeStart,
                                        p.rangeEnd, q.floatH, q.floatV, &p.start, &p.end, p.dragEnd,
                                        p.dragStart, &angle, &p.centre);
            DrawAttachment(p, angle);
        }
        ShowDistances(p);
        feedback::Redraw();
    };
    step(p.click);
    POINT last = p.click;
    for (;;) {
        const TrackEvent e = co_await NextTrackEvent(kPlacementMask);
        if (!gCurDocument || !CurrentDocState()) co_return;
        if (e.type == trackevent::kKeyDown && e.keyCode == keycode::kTab) {
            const uint8_t saved = gChangeSnapOK;
            gChangeSnapOK = 1;
            MaintainSnapTools();
            gChangeSnapOK = saved;
        }
        step(e.where);
        if (e.type == trackevent::kLeftMouseUp) {
            last = e.where;
            break;
        }
    }
    if (!door) {
        const float turn = p.side ? angle + kQuarterTurn : angle - kQuarterTurn;
        p.third = Along(p.centre, turn, p.size.floatV);
    }
    ClearFeedback();
    held.release();
    const int16_t moved = (last.x != p.click.x || last.y != p.click.y) ? 1 : 0;
    if (done) done(moved, p);
}

bool Usable(const WallPlacement& p) {
    return p.wall && p.segStart && p.segEnd && gCurDocument && CurrentDocState();
}

} // namespace

void PositionDoor(const Poinz* segStart, const Poinz* segEnd, FloatPoint size, float,
                  float rangeStart, float rangeEnd, float pointerH, float pointerD,
                  FloatPoint* start, FloatPoint* end, bool dragEnd, bool dragStart) {
    if (!segStart || !segEnd || !start || !end) return;
    const FloatPoint origin = At(segStart);
    const float a = SegmentAngle(segStart, segEnd);
    const float c = Distance(origin, FloatPoint{pointerH, pointerD});
    float s = 0, e = 0;
    Fit(c, size.floatH, rangeStart, rangeEnd, Distance(origin, *start), Distance(origin, *end),
        dragEnd, dragStart, &s, &e);
    *start = Along(origin, a, s);
    *end = Along(origin, a, e);
}

uint8_t PositionAttachment(const Poinz* segStart, const Poinz* segEnd, FloatPoint size, float,
                           float rangeStart, float rangeEnd, float mouseH, float mouseD,
                           FloatPoint* start, FloatPoint* end, bool dragEnd, bool dragStart,
                           float* outAngle, FloatPoint* outCentre) {
    if (!segStart || !segEnd || !start || !end) return 0;
    const FloatPoint origin = At(segStart);
    const float a = SegmentAngle(segStart, segEnd);
    const FloatPoint unit = Along(FloatPoint{}, a, 1.0f);
    const float c = (mouseH - origin.floatH) * unit.floatH + (mouseD - origin.floatV) * unit.floatV;
    float s = 0, e = 0;
    Fit(c, size.floatH, rangeStart, rangeEnd, Distance(origin, *start), Distance(origin, *end),
        dragEnd, dragStart, &s, &e);
    *start = Along(origin, a, s);
    *end = Along(origin, a, e);
    if (outAngle) *outAngle = a;
    if (outCentre)
        *outCentre =
            FloatPoint{(start->floatH + end->floatH) / 2, (start->floatV + end->floatV) / 2};
    const FloatPoint mouse{mouseH, mouseD};
    const float plus = Distance(mouse, Along(origin, a + kQuarterTurn, kSideProbe));
    const float minus = Distance(mouse, Along(origin, a - kQuarterTurn, kSideProbe));
    return plus < minus ? 1 : 0;
}

void DrawAttachment(const WallPlacement& p, float angle) {
    QMDDynamicDrawEngine* engine = feedback::Engine();
    const DocState* ds = CurrentDocState();
    if (!engine || !ds || !p.wall || p.wall->type != objtype::kWall) return;
    const int16_t symbol = p.ownerType;
    float reach = ConvertWorldToScreen(p.wall->penWidth, ds, 0) / 2;
    if (symbol == objtype::kAccessory || symbol == 303) reach *= 5;
    const float turn = p.side ? angle + kQuarterTurn : angle - kQuarterTurn;
    const FloatPoint anchor = Along(p.centre, turn, reach);
    const float v = p.segStart->position[1];
    auto at = [v](FloatPoint q) { return Float3DPoint{q.floatH, v, q.floatV}; };
    feedback::DynamicDrawing drawing;
    if (Draws2DSymbol(symbol)) {
        // The symbol as the plan draws the placed component, curves and all: its back edge on
        // the wall's face, tubs and showers stretched to their size.
        FloatPoint scale;
        FixtureSymbolScale(symbol, p.size.floatH, p.size.floatV, &scale.floatH, &scale.floatV);
        const float origin[2] = {anchor.floatH, anchor.floatV};
        SetupToDraw2DSymbolObject(nullptr, 0, 0, p.side ? angle + 2 * kQuarterTurn : angle, origin, symbol,
                                  scale.floatH, scale.floatV);
    } else if (symbol == objtype::kAccessory || symbol == 303)
        feedback::Line(engine, at(Along(p.centre, turn, -reach)), at(anchor));
    else if (symbol == 138)
        feedback::Line(engine, at(p.fromCentre ? p.centre : anchor),
                       at(Along(p.centre, turn, p.size.floatV)));
    else
        feedback::Line(engine, at(p.centre), at(anchor));
}

void TrackDoorPlacement(WallPlacement placement, PlacementDone done) {
    if (!Usable(placement)) return;
    StartTrackerRoutine(Placement(placement, std::move(done), true));
}

void TrackAttachmentPlacement(WallPlacement placement, PlacementDone done) {
    if (!Usable(placement)) return;
    StartTrackerRoutine(Placement(placement, std::move(done), false));
}

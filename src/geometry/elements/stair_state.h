#pragma once
// What the staircase builders share while one staircase (or one deck flight) is built: the
// walk's globals, the step-walk record, the materials and the stair's values in plan units.
// A build runs inside one call and is never re-entered; the driver sets all of it at its start.
#include <cstdint>

#include "model/types.h"
#include "model/style_state.h"

struct DocState;
struct Layer;
struct Objex;
struct Poinz;

// Height reached so far above the stair's base, plan units.
extern float gStairHeightAccum;
// The next curved step call only records its edge; on a straight stair, the run is the first
// (its first tread's rail posts are due).
extern uint8_t gInitializeStairs;
// The next curved rail piece is the first (its bottom posts are due).
extern uint8_t gInitializeSteps;
// The straight run being built is the stair's last.
extern uint8_t gFinalStairSegment;
// The step being built is the stair's last (its top posts are due).
extern uint8_t gPlaceFinalBalusters;
// Curved steps built so far.
extern int32_t gCurvedStepCount;
// Height reached by the straight stringers, plan units.
extern float gStairStringerHeightAccum;
// Ends of the previous curved step's edge (H, V, D).
extern Float3DPoint gStairStartLeftPt;
extern Float3DPoint gStairStartRightPt;

// The step walk keeps its state in the plan's line style record, `gStyleState`: the step
// length in the first dash, a step-placed marker in the phase and the length walked since the
// last step in the last field. Railings and edging walk the same record.
namespace stairwalk {
inline float& StepLength(StyleState& s) { return s.dashes[0]; }
inline int16_t& StepPlaced(StyleState& s) { return s.phase; }
inline float& Progress(StyleState& s) { return s.extra; }
}  // namespace stairwalk

// The state of a new flight whose next run is its last (deck steps).
void StartStairSegments();

// The length of the curve from `point` to `next` as a walk samples it: the chords between
// t = 0, step, 2 step, ... while t <= 1.01 (a t that is not a number ends it).
float WalkedLength(const Poinz* point, const Poinz* next, float step);
// Held while a walk covers one curve: its step length raised so that the curve holds at most
// pieceruns::kMostPerRun pieces, put back at the end.
class BoundedWalkStep {
public:
    BoundedWalkStep(StyleState& record, float curveLength);
    ~BoundedWalkStep();
    BoundedWalkStep(const BoundedWalkStep&) = delete;
    BoundedWalkStep& operator=(const BoundedWalkStep&) = delete;

private:
    StyleState& record_;
    float saved_;
};
// The length left to walk before the next piece: never below 0, so a walk whose progress
// passed a step length lowered after it still moves forward.
inline float DistanceToNextPiece(StyleState& s) {
    const float d = stairwalk::StepLength(s) - stairwalk::Progress(s);
    return d > 0 ? d : 0.0f;
}

// A texture, colour and texture scale laid on every point of a piece.
struct RailMaterial {
    int32_t texture = 0;
    RGBColor colour;
    ShortPoint scales;
};

// One build's values. Lengths in plan units unless named world; heights count up from `baseV`
// (a height h lies at V = baseV - h).
struct StairContext {
    Objex* owner = nullptr;  // the staircase, or a deck for its step flights
    Layer* layer = nullptr;  // where pieces are made before they join the owner's parts
    const DocState* ds = nullptr;
    float baseV = 0;
    float rise = 0;
    float riser = 0;         // the built riser
    float width = 0;
    float railHeight = 0;    // world
    int32_t leftRail = 0, rightRail = 0;  // a rail only where exactly 1
    uint8_t skirt = 0;
    float openSteps = 1.0f;  // 0 open; 1 closed with under-stair panels; else closed without
    int16_t closedStringer = 0;
    int16_t largeBase = 0;
    bool deck = false;
    bool framing = false;
    RailMaterial step, rail, side;
    RGBColor sideFill;       // the first point's colour
    RGBColor stepFill;       // fill of straight treads

    bool OpenSteps() const { return openSteps == 0.0f; }
    // V of a height above the base.
    float At(float height) const { return baseV - height; }
};

// The framing view's lumber of boards and studs: texture 2202, no colour, full scale.
inline constexpr RailMaterial kFramingLumber{2202, RGBColor{0xFFFF, 0xFFFF, 0xFFFF}, ShortPoint{100, 100}};

// --- plan geometry of the builders ---

// The point moved `length` along the plan angle (H and D; V kept).
Float3DPoint Moved(const Float3DPoint& p, float angle, float length);
// The plan angle from a to b, and its length when asked.
float PlanAngle(const Float3DPoint& a, const Float3DPoint& b, float* length = nullptr);
// The point moved `length` toward `toward` in plan; unmoved when the two coincide.
Float3DPoint Toward(const Float3DPoint& p, const Float3DPoint& toward, float length);
// The plan point at V.
inline Float3DPoint AtV(Float3DPoint p, float v) {
    p.floatV = v;
    return p;
}

// A solid of the lower and upper outline (corners as given) hung at the end of the owner's
// parts with the material on every point; null when it cannot be made.
Objex* AppendSolidPiece(const StairContext& c, const Float3DPoint* lower, const Float3DPoint* upper, int32_t count,
                        int16_t type, const RailMaterial& material, RGBColor fill);
// A piece the caller built on the context's layer, dressed and hung likewise; null when none.
Objex* HangBuiltPiece(const StairContext& c, Objex* built, int16_t type, const RailMaterial& material, RGBColor fill);
// A flat closed panel through the corners, hung likewise.
Objex* AppendFlatPiece(const StairContext& c, const Float3DPoint* corners, int32_t count, int16_t type,
                       const RailMaterial& material, RGBColor fill);
// A band of two rows of two corners (a lower and an upper edge), hung likewise.
Objex* AppendBandPiece(const StairContext& c, const Float3DPoint lower[2], const Float3DPoint upper[2], int16_t type,
                       const RailMaterial& material, RGBColor fill);
// An upright box of the cross-section `along` x `across` centred on the plan point, from the
// lower V to the upper V, turned to the angle.
Objex* AppendBoxPiece(const StairContext& c, const Float3DPoint& at, float angle, float along, float across,
                      float lowerV, float upperV, int16_t type, const RailMaterial& material);

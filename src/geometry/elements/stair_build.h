#pragma once
// Staircases in 3D. A staircase (38) is the walking line of its stair; every rebuild throws its
// parts away and builds steps, landings, stringers, under-stair panels, rails, spindles and
// posts again from its values. Subtype 800 is straight: runs between its points with landings
// at the turns; any other subtype climbs along its curve one step depth at a time. Deck steps
// reach the straight run builder with the deck as the owner.
#include <cstdint>

#include "geometry/elements/stair_state.h"

struct Layer;
struct Objex;
struct Poinz;

// Rebuilds a staircase with at least two points in one row; anything else is left alone.
void UpdateStairObject(Objex* stair);
void UpdateStraightStairObject(Objex* stair);
// The step walk of a staircase: step length and progress the step depth in plan units, so the
// first step falls on the start of the walking line. `closedStringer` is not read.
void UpdateStairStyle(int16_t closedStringer, StyleState& record, Objex* stair);
// Walks the curve from `point` to `next` in chords at the document's curve resolution.
void UpdateStairSegment(const StairContext& c, const Poinz* point, const Poinz* next, StyleState& record);
// Places the steps that fall on one chord of the walk.
void UpdateStairList(const StairContext& c, const Float3DPoint& from, const Float3DPoint& to, StyleState& record);

// One straight run. Lengths in plan units unless named world; `leftStart` and `rightStart` are
// moved to the run's ends on return.
struct StairRun {
    Float3DPoint leftStart, leftEnd, rightStart, rightEnd;
    float rise = 0;
    float baseV = 0;
    float riser = 0;        // world
    float depth = 0;        // world
    int32_t leftRail = 0, rightRail = 0;
    float railHeight = 0;   // world
    RailMaterial step, rail;
    RGBColor sideFill;      // the first point's colour
    uint8_t skirt = 0;
    int32_t runIndex = 0;
};
void UpdateStraightStairSegment(Objex* owner, StairRun& run);

// Every staircase of a visible layer; the same for the layer and every layer after it.
void UpdateStairLayer(Layer* layer);
void UpdateStairAllLayers(Layer* layer);

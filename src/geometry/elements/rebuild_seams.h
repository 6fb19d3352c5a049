#pragma once
// The 3D rebuilds of stairs, railings, fences and edging that model and file code ask for
// after an object changed. Until the builders land every call does nothing; calls without an
// object never reach a handler.
#include "model/types.h"
#include "port/seam.h"

struct Objex;

// 24
DVX_SEAM_GUARDED(UpdateEdgingObject, "geometry/elements", port::SeamKind::Temporary, port::NoNullPointer, nullptr,
                 void(Objex*))
// 25
DVX_SEAM_GUARDED(UpdateFenceObject, "geometry/elements", port::SeamKind::Temporary, port::NoNullPointer, nullptr,
                 void(Objex*))
// 38
DVX_SEAM_GUARDED(UpdateStairObject, "geometry/elements", port::SeamKind::Temporary, port::NoNullPointer, nullptr,
                 void(Objex*))
// 45
DVX_SEAM_GUARDED(UpdateRailObject, "geometry/elements", port::SeamKind::Temporary, port::NoNullPointer, nullptr,
                 void(Objex*))
// Deck railings, posts and step flights, hung on their owner's parts. Until the railing and
// stair builders land they build nothing.
struct RailMaterial {
    int32_t texture = 0;
    RGBColor colour;
    ShortPoint scales;
};
// One square post at `at`; `height` in inches.
DVX_SEAM(ConstructBaluster, "geometry/elements", port::SeamKind::Temporary,
         void(const Float3DPoint& at, float angle, Objex* owner, float height, int16_t kind, const RailMaterial&))
// A straight handrail span with spindles every `spacing` inches.
DVX_SEAM(ConstructRailing, "geometry/elements", port::SeamKind::Temporary,
         void(const Float3DPoint& from, const Float3DPoint& to, float angle, Objex* owner, float railHeight,
              float spacing, const RailMaterial&))
// Starts a new rail: the next spindle has no rail piece back to a previous one.
DVX_SEAM(StartDeckRail, "geometry/elements", port::SeamKind::Temporary, void(Objex* deck))
// One spindle at (h, v, d) and the rail from the previous spindle; the spindle stays only
// when `keep` is 1.
DVX_SEAM(AppendDeckRailSpindle, "geometry/elements", port::SeamKind::Temporary,
         void(Objex* deck, float h, float v, float d, float angle, float railHeight, const RailMaterial&,
              int16_t keep))

// One straight flight: top corners to bottom corners (plan points), levels as positive plan
// heights, riser and tread in inches.
struct StairFlight {
    Float3DPoint top[2];
    Float3DPoint bottom[2];
    float startLevel = 0;
    float endLevel = 0;
    float riserHeight = 0;
    float treadDepth = 0;
    int16_t leftRail = 0;
    int16_t rightRail = 0;
    float handrailHeight = 0;
    int32_t treadTexture = 0, skirtTexture = 0, railTexture = 0;
    RGBColor treadColour, skirtColour, railColour;
    int16_t skirting = 0;
    float closedRisers = 0;
};
// The stair builder's shared state set for a new stair whose next segment is its last.
DVX_SEAM(StartStairSegments, "geometry/elements", port::SeamKind::Temporary, void())
DVX_SEAM(UpdateStraightStairSegment, "geometry/elements", port::SeamKind::Temporary,
         void(Objex* owner, const StairFlight&))

#pragma once
// The 3D rebuilds of railings, fences and edging that model and file code ask for
// after an object changed. Until the builders land every call does nothing; calls without an
// object never reach a handler.
#include "geometry/elements/stair_state.h"
#include "model/types.h"
#include "port/seam.h"

struct Objex;

// 24
DVX_SEAM_GUARDED(UpdateEdgingObject, "geometry/elements", port::SeamKind::Temporary, port::NoNullPointer, nullptr,
                 void(Objex*))
// 25
DVX_SEAM_GUARDED(UpdateFenceObject, "geometry/elements", port::SeamKind::Temporary, port::NoNullPointer, nullptr,
                 void(Objex*))
// 45
DVX_SEAM_GUARDED(UpdateRailObject, "geometry/elements", port::SeamKind::Temporary, port::NoNullPointer, nullptr,
                 void(Objex*))
// Deck railings, hung on their owner's parts. Until the railing builders land they build
// nothing.
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

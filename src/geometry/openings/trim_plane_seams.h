#pragma once
// The trim planes that line and case openings and frame roof openings, and the sweep of a
// custom profile along a wall face. The 3D model generation hands them the outlines and
// profiles it laid out; until the trim geometry lands they add no plane.
//
// Profiles are (H, V, D) triples in plan units; the arrays live only for the call.
#include <cstdint>

#include "port/seam.h"

struct AttachmentRecord;
struct Float3DPoint;
struct Objex;
struct Poinz;
struct PolygonVertex;
struct TrimRecord;

// Sweeps a casing profile round the opening's outline into trim planes of the piece under
// construction: the outline turned by `angle` and moved to the origin, `halfThickness` off the
// wall's centre line, `level` under the outline's heights, on the back face for side 1.
DVX_SEAM(BuildCustomTrimPlanes, "geometry/openings", port::SeamKind::Temporary,
         void(AttachmentRecord* record, Objex* outline, const Float3DPoint* profile, int32_t count,
              float angle, float originH, float originV, float originD, float halfThickness,
              float level, int16_t side))
// Sweeps a wall profile (already turned to the face) from `start` to `end`, the face's
// last-edge and first-edge bottoms, in the record's base (slot 0) or crown (slot 1) material;
// `reversed` for side 1.
DVX_SEAM(BuildCustomTrimPlanesForWalls, "geometry/openings", port::SeamKind::Temporary,
         void(TrimRecord* record, PolygonVertex* start, PolygonVertex* end,
              const Float3DPoint* profile, int32_t count, float length, int16_t slot,
              Poinz* wallPoint, int16_t reversed))
// The lining across the wall's thickness round an opening's mask outlines.
DVX_SEAM(BuildInnerTrimPlanes, "geometry/openings", port::SeamKind::Temporary,
         void(AttachmentRecord* record, float angle, float baseOffset, int16_t custom))
// Curb and trim round a skylight on the upper or lower face of its panel; the custom forms
// frame one outline piece of a custom skylight.
DVX_SEAM_GUARDED(BuildTopSkylightTrimPlanes, "geometry/openings", port::SeamKind::Temporary,
                 port::NoNullPointer, nullptr, void(Objex* skylight))
DVX_SEAM_GUARDED(BuildBottomSkylightTrimPlanes, "geometry/openings", port::SeamKind::Temporary,
                 port::NoNullPointer, nullptr, void(Objex* skylight))
DVX_SEAM_GUARDED(BuildTopCustomSkylightTrimPlanes, "geometry/openings", port::SeamKind::Temporary,
                 port::NoNullPointer, nullptr, void(Objex* skylight, Objex* outline))
DVX_SEAM_GUARDED(BuildBottomCustomSkylightTrimPlanes, "geometry/openings",
                 port::SeamKind::Temporary, port::NoNullPointer, nullptr,
                 void(Objex* skylight, Objex* outline))
// The band round a dormer cut-out under its panel.
DVX_SEAM_GUARDED(BuildDormerCutoutTrimPlanes, "geometry/openings", port::SeamKind::Temporary,
                 port::NoNullPointer, nullptr, void(Objex* cutout))

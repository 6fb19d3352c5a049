#pragma once
// The trim planes that frame roof openings. The 3D model generation hands them the outlines
// it laid out; until the roof trim geometry lands they add no plane.
#include <cstdint>

#include "port/seam.h"

struct Objex;

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

#pragma once
// What object type conversion asks of the building tools: joining a new wall's end point to
// the walls around it.
#include "port/seam.h"

struct Objex;
struct Poinz;

// Snaps the wall's end point onto another wall and joins or splits walls there. Returns the
// wall that holds the point afterwards: the wall itself when nothing was joined, another
// (joined) wall when the given one was merged into it; null only when no wall is left to
// work on. Until the tools land (and for a missing argument) the wall itself comes back.
DVX_SEAM_GUARDED(ConnectWallPoint, "tools", port::SeamKind::Temporary, port::NoNullPointer,
                 [](Objex* wall, Poinz*) { return wall; }, Objex*(Objex* wall, Poinz* point))

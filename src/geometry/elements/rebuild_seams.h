#pragma once
// The 3D rebuilds of stairs, railings, fences and edging that model and file code ask for
// after an object changed. Until the builders land every call does nothing; calls without an
// object never reach a handler.
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

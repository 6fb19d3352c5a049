#pragma once
// The 3D pieces of a door, window, accessory or wall component, rebuilt from its attachment
// record after it was placed or refitted. Until the opening geometry lands the call builds
// nothing; calls without an object never reach a handler.
#include "port/seam.h"

struct Objex;

DVX_SEAM_GUARDED(BuildAttachmentFrame, "geometry/openings", port::SeamKind::Temporary, port::NoNullPointer, nullptr,
                 void(Objex*))

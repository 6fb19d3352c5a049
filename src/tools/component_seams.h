#pragma once
// The rebuild of fixed components (built-in symbols that keep their own rotation). Until the
// tools land the call does nothing.
#include "port/seam.h"

struct Objex;

// Rebuilds the 3D symbol of a fixed component and applies its rotation angle again.
DVX_SEAM_GUARDED(UpdateFixedComponent, "tools", port::SeamKind::Temporary, port::NoNullPointer, nullptr,
                 void(Objex*))

#pragma once
// Refitting one skylight or dormer cut-out on its roof after its shape changed. Until the roof
// tools land every attachment counts as fitting.
#include <cstdint>

#include "port/seam.h"

struct Objex;

// Refits the attachment on its roof (14 or 57); the number of attachments removed because
// the roof is not long enough (0 when all fit, and for a missing argument).
DVX_SEAM_GUARDED(UpdateRoofAttachment, "tools", port::SeamKind::Temporary, port::NoNullPointer, nullptr,
                 int16_t(Objex* attachment, Objex* roof))

#pragma once
// Selection feedback the plan view draws when the model changes a selection. Until the plan
// view lands the calls draw nothing.
#include "port/seam.h"

struct Objex;

// Draws the object's selection line along its segments (an arrowhead for a roof panel).
DVX_SEAM_GUARDED(DrawSelectionLine, "plan", port::SeamKind::Temporary, port::NoNullPointer, nullptr, void(Objex*))
// Erases the dimension shown for a selected wall segment, if any; whether side A was shown.
DVX_SEAM(ClearDimensionWallSegmentSelection, "plan", port::SeamKind::Temporary, bool())

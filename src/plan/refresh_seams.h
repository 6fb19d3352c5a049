#pragma once
// Redrawing the plan after an edit, an undo restore or a paste: the plan view of the open
// document whose model is the current one redraws its visible part. Until the plan view
// lands nothing happens.
#include "port/seam.h"

DVX_SEAM(Refresh, "plan", port::SeamKind::Temporary, void())

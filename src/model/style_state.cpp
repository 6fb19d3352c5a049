#include "model/style_state.h"

#include "port/seam.h"

StyleState gStyleState;

static const port::GlobalReset kReset([] { gStyleState = {}; });

#include "render/core/render_state.h"

#include "port/seam.h"

uint8_t gRefreshRender = 0;
static const port::GlobalReset kReset([] { gRefreshRender = 0; });

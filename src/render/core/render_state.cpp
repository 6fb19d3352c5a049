#include "render/core/render_state.h"

uint8_t gRefreshRender = 0;

#pragma once
// The shadow renderer, which draws a shadowed frame's passes itself (through RenderGLScene).
// Until it registers, the frame draws a shadowed render as the plain scene.
#include "port/seam.h"

DVX_SEAM(RenderShadows, "render", port::SeamKind::Renderer, void())

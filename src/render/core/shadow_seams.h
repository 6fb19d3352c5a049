#pragma once
// The shadow renderer, which draws a shadowed frame's passes itself (through RenderGLScene).
// Until it registers, the frame draws a shadowed render as the plain scene.
#include <chrono>

#include "port/seam.h"

DVX_SEAM(RenderShadows, "render", port::SeamKind::Renderer, void())

// Seconds on a steady clock: the shadow render times itself with it (tests script it).
DVX_SEAM_WITH_DEFAULT(ShadowRenderClock, "render", port::SeamKind::Renderer,
                      [] {
                          using namespace std::chrono;
                          return duration<double>(steady_clock::now().time_since_epoch()).count();
                      },
                      double())

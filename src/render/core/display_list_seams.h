#pragma once
// The real-time renderer's display list of the scene. Until the renderer registers itself
// there is no list to drop.
#include "port/seam.h"

// Deletes the scene's display list so the next real-time draw rebuilds it.
DVX_SEAM(ResetSceneDisplayList, "render", port::SeamKind::Renderer, void())

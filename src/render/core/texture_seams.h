#pragma once
// Deleting the renderer's textures (one glDeleteTextures call for a list of texture names).
// Until the renderer registers itself nothing is deleted.
#include <cstdint>
#include <vector>

#include "port/seam.h"

DVX_SEAM(DeleteGLTextures, "render", port::SeamKind::Renderer, void(const std::vector<int32_t>& textureIDs))

#pragma once
// Custom textures (IDs 20000 and up) listed by the current document, keyed by path: the IDs
// of paths, a palette link resolved first (the list itself: model/custom_texture_list.h).
#include <cstdint>

#include "model/custom_texture_list.h"

// The ID of a custom texture path, registering it when new. Backslashes in `path` become
// slashes in place; paths match ignoring case. 0 for a null path.
int32_t NewCustomTextureID(char* path);
// Appends an entry (a palette link is first resolved); nothing without a current document.
void AddCustomTextureID(int32_t textureID, const char* path);
// The path listed for a custom ID (a palette link is first resolved), or null.
const char* GetCustomTextureIDPath(int32_t textureID);
// The ID listed for a path (exact match), or 0.
int32_t IsTexturePathLoaded(const char* path);

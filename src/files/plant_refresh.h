#pragma once
// Bringing plants up to date after their description file changed.
#include <cstdint>

// For every plant of the document (grouped ones too): a user plant with an image path
// matches when a user plant path is given and the two paths are equal ignoring case, and is
// refilled from the ".pui" file beside its own path; any other plant matches when the
// texture1 of its first point is the texture ID and is refilled from that texture's ".PTI"
// info file. A matching plant is then resized to its grown width, deselected and rebuilt.
void UpdateMatchingPlantsInfo(int32_t textureID, const char* userPlantPath);

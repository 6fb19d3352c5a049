#pragma once
// Topography files of the terrain tool: the grid of heights over the lot with the lot's
// settings, then the terrain objects as an object section, which replace the document's
// topography layer "TopoLayer". The grid itself lives in scene/topo_grid.h.
#include <cstdint>

inline constexpr int32_t kTopoFileMagicOld = 8000;  // followed by a version-10800 settings block
inline constexpr int32_t kTopoFileMagic = 9000;     // followed by the object section's version

// 1 when a topography file was read; 0 otherwise, with the default grid set up (an empty
// path or a file that cannot be opened silently; a damaged file with the alert "Unable to
// read topography file."). A damaged file leaves the layer, settings and grid as they were
// before the default grid.
int ReadTopoGridFile(const char* path);
// The grid settings and the grid (from the spacing to the heights) into the settings record
// and the grid globals. With both counts 1 or more the heights replace the grid; otherwise
// the grid stays. False, with nothing changed, when the fields run short or the heights
// cannot be in the input.
bool DoReadGrid();

#pragma once
// The plug-in tools loaded by the dispatcher, in load order.
#include <cstdint>
#include <vector>

#include "port/seam.h"

// IDs of the loaded plug-ins; empty until the dispatcher registers its list.
DVX_SEAM(LoadedPlugInIDs, "powertools", port::SeamKind::PlugIn, std::vector<int32_t>())

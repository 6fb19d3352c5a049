#pragma once
// The plug-in tools loaded by the dispatcher, in load order.
#include <cstdint>
#include <functional>
#include <vector>

// IDs of the loaded plug-ins; empty until the dispatcher registers its list.
std::vector<int32_t> LoadedPlugInIDs();
void SetPlugInListProvider(std::function<std::vector<int32_t>()> provider);

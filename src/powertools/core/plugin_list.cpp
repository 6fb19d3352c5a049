#include "powertools/core/plugin_list.h"

namespace {
std::function<std::vector<int32_t>()>& Provider() {
    static std::function<std::vector<int32_t>()> provider;
    return provider;
}
}  // namespace

std::vector<int32_t> LoadedPlugInIDs() {
    return Provider() ? Provider()() : std::vector<int32_t>{};
}

void SetPlugInListProvider(std::function<std::vector<int32_t>()> provider) {
    Provider() = std::move(provider);
}

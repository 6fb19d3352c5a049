#include "tools/component_seams.h"

#include <utility>

namespace {
std::function<void(Objex*)>& Handler() {
    static std::function<void(Objex*)> handler;
    return handler;
}
}  // namespace

void UpdateFixedComponent(Objex* object) {
    if (object && Handler()) Handler()(object);
}

void SetUpdateFixedComponentHandler(std::function<void(Objex*)> h) { Handler() = std::move(h); }

void ResetComponentSeams() { Handler() = nullptr; }

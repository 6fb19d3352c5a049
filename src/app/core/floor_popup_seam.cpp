#include "app/core/floor_popup_seam.h"

#include <utility>

namespace {
std::function<void(int32_t)>& Handler() {
    static std::function<void(int32_t)> handler;
    return handler;
}
}  // namespace

void SelectActiveFloorPopUpItem(int32_t tag) {
    if (Handler()) Handler()(tag);
}

void SetActiveFloorPopUpHandler(std::function<void(int32_t)> handler) {
    Handler() = std::move(handler);
}

void ResetActiveFloorPopUpSeam() {
    Handler() = nullptr;
}

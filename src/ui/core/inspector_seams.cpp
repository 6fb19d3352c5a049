#include "ui/core/inspector_seams.h"

#include <utility>

int16_t gCustomWindowPopEntryHilite = -1;
int16_t gCustomDoorPopEntryHilite = -1;

namespace {
std::function<void(int32_t)>& Handler() {
    static std::function<void(int32_t)> handler;
    return handler;
}
}  // namespace

void InspectorUpdatePropertiesState(int32_t state) {
    if (Handler()) Handler()(state);
}

void SetInspectorUpdatePropertiesStateHandler(std::function<void(int32_t)> h) {
    Handler() = std::move(h);
}

void ResetInspectorSeams() {
    Handler() = nullptr;
    gCustomWindowPopEntryHilite = -1;
    gCustomDoorPopEntryHilite = -1;
}

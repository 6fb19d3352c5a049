#include "app/core/standard_tool_seam.h"

#include <utility>

namespace {
std::function<void(uint8_t)>& Handler() {
    static std::function<void(uint8_t)> handler;
    return handler;
}
}  // namespace

void ResetStandardTool(uint8_t flag) {
    if (Handler()) Handler()(flag);
}

void SetResetStandardToolHandler(std::function<void(uint8_t)> handler) {
    Handler() = std::move(handler);
}

void ResetStandardToolSeam() {
    Handler() = nullptr;
}

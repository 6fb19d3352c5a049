#include "plan/refresh_seam.h"

#include <utility>

namespace {
std::function<void()>& Handler() {
    static std::function<void()> handler;
    return handler;
}
}  // namespace

void Refresh() {
    if (Handler()) Handler()();
}

void SetRefreshHandler(std::function<void()> handler) {
    Handler() = std::move(handler);
}

void ResetRefreshSeam() {
    Handler() = nullptr;
}

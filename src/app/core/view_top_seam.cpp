#include "app/core/view_top_seam.h"

#include <utility>

namespace {

std::function<void()>& Handler() {
    static std::function<void()> handler;
    return handler;
}

}  // namespace

void ViewTop() {
    if (Handler()) Handler()();
}

void SetViewTopHandler(std::function<void()> handler) { Handler() = std::move(handler); }

void ResetViewTopSeam() { Handler() = nullptr; }

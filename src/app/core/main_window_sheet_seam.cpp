#include "app/core/main_window_sheet_seam.h"

#include <utility>

namespace {

std::function<void()>& Handler() {
    static std::function<void()> handler;
    return handler;
}

}  // namespace

void CloseMainWindowSheet() {
    if (Handler()) Handler()();
}

void SetCloseMainWindowSheetHandler(std::function<void()> handler) { Handler() = std::move(handler); }

void ResetMainWindowSheetSeam() { Handler() = nullptr; }

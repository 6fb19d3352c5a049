#include "app/core/elevation_pane.h"

#include <utility>

namespace {
std::function<void(const SelectionState40*)>& Handler() {
    static std::function<void(const SelectionState40*)> handler;
    return handler;
}
}  // namespace

void MainWindowControllerSetElevationPane(const SelectionState40* selection) {
    if (selection && Handler()) Handler()(selection);
}

void SetElevationPaneHandler(std::function<void(const SelectionState40*)> h) {
    Handler() = std::move(h);
}

void ResetElevationPaneSeam() { Handler() = nullptr; }

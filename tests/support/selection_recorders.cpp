#include "support/selection_recorders.h"

#include "app/core/main_window_seams.h"
#include "ui/core/inspector_seams.h"

namespace dvxtest {

SelectionSeamRecorder::SelectionSeamRecorder() {
    SetMainWindowControllerSetElevationPaneHandler([this](const SelectionState40* s) { elevationPanes.push_back(*s); });
    SetInspectorUpdatePropertiesStateHandler([this](int32_t s) { propertiesStates.push_back(s); });
}

SelectionSeamRecorder::~SelectionSeamRecorder() {
    SetMainWindowControllerSetElevationPaneHandler(nullptr);
    SetInspectorUpdatePropertiesStateHandler(nullptr);
}

}  // namespace dvxtest

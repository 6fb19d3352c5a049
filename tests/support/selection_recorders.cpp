#include "support/selection_recorders.h"

#include "app/core/elevation_pane.h"
#include "plan/selection_feedback.h"
#include "tools/component_seams.h"
#include "ui/core/inspector_seams.h"

namespace dvxtest {

SelectionSeamRecorder::SelectionSeamRecorder() {
    SetDrawSelectionLineHandler([this](Objex* o) { selectionLines.push_back(o); });
    SetClearDimensionWallSegmentSelectionHandler([this] {
        ++dimensionClears;
        return false;
    });
    SetElevationPaneHandler([this](const SelectionState40* s) { elevationPanes.push_back(*s); });
    SetInspectorUpdatePropertiesStateHandler([this](int32_t s) { propertiesStates.push_back(s); });
    SetUpdateFixedComponentHandler([this](Objex* o) { fixedComponents.push_back(o); });
}

SelectionSeamRecorder::~SelectionSeamRecorder() {
    ResetSelectionFeedbackSeams();
    ResetElevationPaneSeam();
    ResetInspectorSeams();
    ResetComponentSeams();
}

}  // namespace dvxtest

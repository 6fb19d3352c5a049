#pragma once
// Records the seams the selection code calls (the elevation pane and the inspector) and puts
// the defaults back when it goes.
#include <vector>

#include "model/selection_state.h"

struct Objex;

namespace dvxtest {

class SelectionSeamRecorder {
public:
    SelectionSeamRecorder();
    ~SelectionSeamRecorder();
    SelectionSeamRecorder(const SelectionSeamRecorder&) = delete;
    SelectionSeamRecorder& operator=(const SelectionSeamRecorder&) = delete;

    std::vector<SelectionState40> elevationPanes;
    std::vector<int> propertiesStates;         // updatePropertiesState:
};

}  // namespace dvxtest

#include "model/selection_feedback_hooks.h"

#include "port/seam.h"

namespace {
SelectionFeedbackHooks sHooks;
const port::GlobalReset kReset([] { sHooks = {}; });
}  // namespace

void RegisterSelectionFeedbackHooks(const SelectionFeedbackHooks& hooks) { sHooks = hooks; }

void ShowSelectionLine(Objex* object) {
    if (sHooks.drawSelectionLine) sHooks.drawSelectionLine(object);
}

int16_t ClearWallSegmentClearances() {
    return sHooks.clearDimensionWallSegmentSelection ? sHooks.clearDimensionWallSegmentSelection() : 0;
}

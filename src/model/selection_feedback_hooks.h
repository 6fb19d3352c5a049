#pragma once
// What the plan shows when the selection changes: an object's selection line and the clearances
// of a clicked wall segment. The plan registers them at start-up
// (RegisterSelectionFeedback, plan/selection_feedback.h); until then a change shows nothing.
#include <cstdint>

struct Objex;

struct SelectionFeedbackHooks {
    void (*drawSelectionLine)(Objex* object) = nullptr;
    int16_t (*clearDimensionWallSegmentSelection)() = nullptr;
};
void RegisterSelectionFeedbackHooks(const SelectionFeedbackHooks& hooks);
// Through the registered hooks; nothing (0) without them.
void ShowSelectionLine(Objex* object);
int16_t ClearWallSegmentClearances();

#pragma once
// The main window's active-floor pop-up, brought in line with the current floor after an
// undo or redo. The shell registers the pop-up; with nothing registered nothing happens.
#include <cstdint>
#include <functional>

// Item tags of the three floors.
inline constexpr int32_t kFirstFloorPopUpTag = 5275;
inline constexpr int32_t kSecondFloorPopUpTag = 5276;
inline constexpr int32_t kThirdFloorPopUpTag = 5277;

// Selects the item with the tag in the main window's active-floor pop-up.
void SelectActiveFloorPopUpItem(int32_t tag);
void SetActiveFloorPopUpHandler(std::function<void(int32_t)> handler);

void ResetActiveFloorPopUpSeam();

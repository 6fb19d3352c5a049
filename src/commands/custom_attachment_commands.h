#pragma once
// Applying the content palette's custom door, window or skylight definition to the selected
// openings of the current floor.

// Applies the selected definition to every selected custom door (category 7) or window and
// skylight (category 8) of the current floor, refits their walls and roofs, redraws and
// stores one undo snapshot when anything was reloaded.
void ApplyCurCustAttachToSelectedWinAndDoor();

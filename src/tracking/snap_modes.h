#pragma once
// Stepping and resetting the snap mode; the snap palette shows the result.
#include <cstdint>

#include "tracking/tracking_state.h"
#include "ui/core/palette_seams.h"

// Tab during a drag: the next mode (after 508, 500), with Shift the previous one (before 500,
// and from the origin mode, 508). Result 0.
int16_t SnapToolChange(bool shift);
// The mode a reset leaves: unlocked modes and the origin mode go back to none.
int16_t ModeAfterSnapReset(int16_t mode, bool locked);
// At the first drag of a gesture: a mode that is not locked, and the origin mode always,
// returns to none; leaving the origin mode also drops its lock.
void ResetSnapTool();

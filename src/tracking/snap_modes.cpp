#include "tracking/snap_modes.h"

int16_t SnapToolChange(bool shift) {
    int16_t mode = gCurSnap;
    if (shift) {
        // 509 answers no snap function: stepping back from the origin mode lands on 508.
        mode = (mode > snapmode::kOnSegment || mode <= snapmode::kNone) ? snapmode::kOnSegment : int16_t(mode - 1);
    } else {
        mode = (mode >= snapmode::kOnSegment || mode < snapmode::kNone) ? snapmode::kNone : int16_t(mode + 1);
    }
    SnapPaletteSetSnapTool(mode);
    return 0;
}

int16_t ModeAfterSnapReset(int16_t mode, bool locked) {
    if (mode == snapmode::kOrigin || (!locked && mode != snapmode::kNone)) return snapmode::kNone;
    return mode;
}

void ResetSnapTool() {
    const int16_t mode = ModeAfterSnapReset(gCurSnap, gSnapLocked != 0);
    if (mode == gCurSnap) return;
    // A lock left on mode none would make the next mode chosen stay locked unasked.
    gSnapLocked = 0;
    SnapPaletteSetSnapTool(mode);
}

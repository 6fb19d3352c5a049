#pragma once
// What the tracking engine and the undo ring ask of the snap palette.
#include <cstdint>

#include "port/seam.h"
#include "tracking/tracking_state.h"

// `setSnapTool:` of the snap palette: makes the mode current and shows it. Without a palette
// the mode only becomes current.
DVX_SEAM_WITH_DEFAULT(SnapPaletteSetSnapTool, "ui", port::SeamKind::UserInterface,
                      [](int16_t mode) { gCurSnap = mode; }, void(int16_t mode))
// `updateSnapOffsetText` of the snap palette: the offset field shows the stored offset in the
// design's units.
DVX_SEAM(SnapPaletteUpdateSnapOffsetText, "ui", port::SeamKind::UserInterface, void())

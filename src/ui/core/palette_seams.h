#pragma once
// What the tracking engine asks of the snap palette.
#include <cstdint>

#include "port/seam.h"
#include "tracking/tracking_state.h"

// `setSnapTool:` of the snap palette: makes the mode current and shows it. Without a palette
// the mode only becomes current.
DVX_SEAM_WITH_DEFAULT(SnapPaletteSetSnapTool, "ui", port::SeamKind::UserInterface,
                      [](int16_t mode) { gCurSnap = mode; }, void(int16_t mode))

#pragma once
// What the navigation speed (`navigationSpeed`, 6 slowest to 10 fastest) trades for frame
// rate in a real-time frame. Speeds outside 6..10 count as the nearest end.
#include <cstdint>

#include "model/types.h"

struct RealTimeQuality {
    bool nearest = false;         // nearest texture filtering, else linear
    bool replace = false;         // texture environment replace, else modulate
    bool backdropPicture = true;  // the background picture, else a plain sky clear
    bool planeTextures = true;    // textures on the scene's faces
    bool lotTexture = true;       // the lot textured in its own colour, else plain kFastLotColour
    bool fullLot = false;         // the full frame's lot inside the real-time frame
};
RealTimeQuality QualityAtSpeed(int16_t speed);

// The lot's colour at the fast speeds.
inline constexpr RGBColor kFastLotColour{64 * 257, 120 * 257, 48 * 257};

#pragma once
// Shared by the type conversion files.
#include <cstdint>

#include "model/types.h"

struct DocState;
struct Layer;
struct Objex;

namespace convert_detail {

inline constexpr RGBColor kWhite{0xFFFF, 0xFFFF, 0xFFFF};

// The wall rows: 10050 interior, 10051 exterior, 10072 retaining wall. Runs after the common
// steps; joins and re-renders as the row asks.
void ConvertToWall(Objex* object, int32_t command, const DocState* ds, Layer* layer);

}  // namespace convert_detail

#pragma once
// The table of material colours that ground fills and paths take their fill and pen colours
// from: sixteen ground and paving materials, numbered as the documents' material indices (lawn
// first, 0): lawn, soil, mulch, gravel, sand, concrete, asphalt, brick pavers, flagstone,
// water, wood chips, ground cover, crushed stone, clay, snow, rock. The landscape tools and the
// conversions both read it; the inspectors may change an entry for the session.
#include <cstdint>

#include "model/types.h"

inline constexpr int32_t kMaterialTableSize = 16;
extern RGBColor gMaterialTable[kMaterialTableSize];
// The colour of a material number; a number outside the table (a damaged or foreign
// settings record) gives entry 0.
RGBColor MaterialTableColor(int32_t material);

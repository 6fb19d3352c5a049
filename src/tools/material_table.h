#pragma once
// The table of material colours that ground fills and paths take their fill and pen colours
// from. No part of the program defines the materials yet, so this is a fixed placeholder set
// of sixteen ground and paving colours (lawn first: the documents' material numbers start at
// 0); the landscape tools and the conversions read it.
#include <cstdint>

#include "model/types.h"

inline constexpr int32_t kMaterialTableSize = 16;
extern RGBColor gMaterialTable[kMaterialTableSize];
// The colour of a material number; a number outside the table (a damaged or foreign
// settings record) gives entry 0.
RGBColor MaterialTableColor(int32_t material);

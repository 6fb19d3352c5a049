#pragma once
// What object type conversion asks of the building and site tools: joining a new wall's end
// point to the walls around it, and the table of material colours that ground fills and
// paths take their fill and pen colours from.
#include <cstdint>
#include <functional>

#include "model/types.h"

struct Objex;
struct Poinz;

// Snaps the wall's end point onto another wall and joins or splits walls there. Returns the
// wall that holds the point afterwards: the wall itself when nothing was joined, another
// (joined) wall when the given one was merged into it; null only when no wall is left to
// work on. With no handler registered nothing is joined and the wall itself comes back.
Objex* ConnectWallPoint(Objex* wall, Poinz* point);
void SetConnectWallPointHandler(std::function<Objex*(Objex*, Poinz*)> handler);

// One colour per material number. No part of the program defines the materials yet, so
// this is a fixed placeholder set of sixteen ground and paving colours (lawn first: the
// documents' material numbers start at 0); the landscape tools and the conversions read it.
inline constexpr int32_t kMaterialTableSize = 16;
extern RGBColor gMaterialTable[kMaterialTableSize];
// The colour of a material number; a number outside the table (a damaged or foreign
// settings record) gives entry 0.
RGBColor MaterialTableColor(int32_t material);

// Forgets the handler and puts the table back to its placeholder colours.
void ResetConversionSeams();

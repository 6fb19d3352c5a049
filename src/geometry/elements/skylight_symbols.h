#pragma once
// Plan symbols of skylights on roofs: the bounds of a custom skylight's opening shapes, the
// outline points made from them, and the two filler planes of every skylight. The symbols
// live in the generated parts (`customParts`) of the skylight's roof attachment record.
#include <cstdint>

#include "model/types.h"

struct Objex;

// The 2D and 3D bounds of the opening shapes (type 61) among the skylight's symbols, each
// from an empty box. Nothing without a skylight or its record.
void GetCustomSkylightBounds(Objex* skylight, FloatRect* bounds, Float3DRect* bounds3D);
// Replaces the skylight's points by the plan corners of the box: (left, back), (right,
// back), (right, front), (left, front), at V 0.
void CreateCustomSkylightBoundsPoints(Objex* skylight, const Float3DRect* bounds3D);
// A closed filler plane (type 900, subtype `which`) on the skylight's layer from copies of
// its points, 16 up for which 1 and 2 down for which 0, mirrored about the skylight's centre
// by the record's flip flags, appended to the record's generated parts.
void CreateSkylightFillerPlane(Objex* skylight, int16_t which);

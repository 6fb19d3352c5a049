#pragma once
// The box of a custom skylight's opening shapes, and the skylight's points made from it.
#include "model/types.h"

struct Objex;

// The 2D and 3D bounds of the opening shapes (type 61) among the skylight's symbols, each
// from an empty box. Nothing without a skylight or its record.
void GetCustomSkylightBounds(Objex* skylight, FloatRect* bounds, Float3DRect* bounds3D);
// Replaces the skylight's points by the plan corners of the box: (left, back), (right,
// back), (right, front), (left, front), at V 0.
void CreateCustomSkylightBoundsPoints(Objex* skylight, const Float3DRect* bounds3D);

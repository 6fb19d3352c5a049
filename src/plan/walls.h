#pragma once
// Walls in the plan: the rubber band of a wall being drawn, a finished wall from its plan
// solid with its segment dimensions, the dimensions along a polygon's edges, and a wall's
// selected segments painted red. The device-context argument is always null.
#include <cstdint>

#include "model/types.h"

struct Objex;

// The outline of the wall start -> end (plan units; `thickness` plan units) into the active
// path of the main plan view's rubber-band engine, with a dynamic length dimension on the
// side `flag` picks. The caller selects the engine's path.
void DrawWall(void* dc, const Float3DPoint& start, const Float3DPoint& end, float thickness, uint8_t flag);
// The solid filled in the plan pen colour when the wall shows on a visible plan, and every
// segment dimensioned unless its start point's flag word has both values 1 and 2.
void Draw2DWall(void* dc, Objex* solid, Objex* wall);
// Every edge of the object dimensioned: always for dimension lines (137), else only while
// the document shows dimensions.
void DrawObjectPerimeter(void* dc, Objex* object);
// The segments of a wall whose two end points are both selected, filled red at the wall's
// full thickness.
void DrawWallSelection(Objex* wall);

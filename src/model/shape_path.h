#pragma once
// The outline of a detail shape as its object keeps it (`Objex::platformObject`): the plan
// draw builds it in view coordinates, and hit testing asks it whether a click lies inside
// the filled shape.
#include <cstdint>

#include "model/type_data.h"
#include "port/path.h"

struct ShapePathObject final : PlatformObject {
    port::Path path;
    int32_t pointCount = 0;  // points laid into the path
};

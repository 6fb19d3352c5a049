#pragma once
// A rebuild checked by its result: the wall's solid points back at it and is, point for
// point, what its present centre line builds (the wall's elevation kept).
#include "model/deletion.h"
#include "tools/wall_construction.h"

namespace dvxtest {
inline bool SolidFollowsCentreLine(Objex* wall) {
    const Objex* solid = wall && wall->typeData.kind == TypeDataKind::WallSolid ? wall->typeData.wallSolid : nullptr;
    const float elevation = wall ? wall->elevation : 0;
    Objex* fresh = solid && solid->sourceObject == wall ? Construct3DWall(wall) : nullptr;
    if (!fresh) return false;
    wall->elevation = elevation;
    bool same = fresh->pointCount == solid->pointCount && fresh->rows == solid->rows;
    for (const Poinz *a = fresh->firstPoint, *b = solid->firstPoint; same && a && b; a = a->next, b = b->next)
        same = a->position[0] == b->position[0] && a->position[1] == b->position[1] && a->position[2] == b->position[2];
    DeleteObj(fresh);
    return same;
}
}  // namespace dvxtest

#include "support/wall_checks.h"

#include "model/deletion.h"
#include "model/objects.h"
#include "tools/wall_construction.h"

namespace dvxtest {

bool SolidFollowsCentreLine(Objex* wall) {
    if (!wall || wall->typeData.kind != TypeDataKind::WallSolid || !wall->typeData.wallSolid) return false;
    const Objex* solid = wall->typeData.wallSolid;
    if (solid->sourceObject != wall) return false;
    const float elevation = wall->elevation;
    Objex* fresh = Construct3DWall(wall);
    wall->elevation = elevation;
    if (!fresh) return false;
    bool same = fresh->pointCount == solid->pointCount && fresh->rows == solid->rows;
    const Poinz* a = fresh->firstPoint;
    const Poinz* b = solid->firstPoint;
    for (; same && a && b; a = a->next, b = b->next)
        for (int i = 0; i < 3; ++i) same = same && a->position[i] == b->position[i];
    DeleteObj(fresh);
    return same && !a && !b;
}

}  // namespace dvxtest

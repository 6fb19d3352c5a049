#pragma once
// A rebuild checked by its result: the wall's solid points back at it and is, point for
// point, what its present centre line builds (the wall's elevation kept); an object's faces and
// lengths as a read gives them.
#include <vector>

#include "model/deletion.h"
#include "model/texture_mapping.h"
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
// Faces and lengths as a read maps and measures them (the object is left so mapped).
inline bool MappedAsARead(Objex* o) {
    if (!o) return false;
    auto fields = [o] {
        std::vector<float> v = {o->textureFaceRect.floatTop, o->textureFaceRect.floatLeft, o->textureFaceRect.floatBottom,
                                o->textureFaceRect.floatRight, o->textureFaceRect2.floatTop, o->textureFaceRect2.floatLeft,
                                o->textureFaceRect2.floatBottom, o->textureFaceRect2.floatRight, float(o->faceAxis)};
        for (const Poinz* p = o->firstPoint; p; p = p->next) v.insert(v.end(), {p->textureU, p->textureV, p->rowLength, p->rowPerimeter});
        return v;
    };
    const std::vector<float> before = fields();
    MapFacesAndLengths(o);
    return fields() == before;
}
}  // namespace dvxtest

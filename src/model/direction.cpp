#include "model/direction.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "model/objects.h"
#include "model/parallel.h"
#include "model/projection.h"
#include "model/view_state.h"

namespace {

int32_t RowLength(int32_t count, int32_t rows) {
    if (rows < 1 || count % rows != 0) return count;
    return count / rows;
}

bool HasDirectedOutline(int16_t type) {
    return objtype::Has(type, objtype::kDirectedOutline);
}

Poinz* ReverseRun(Poinz* first, int32_t count) {
    if (!first || !first->next) return nullptr;
    if (count < 2) count = 2;
    std::vector<Poinz*> run;
    for (Poinz* p = first; p && static_cast<int32_t>(run.size()) < count; p = p->next) run.push_back(p);
    const size_t n = run.size();
    for (size_t i = 0; i < n; ++i) {
        run[i]->next = i > 0 ? run[i - 1] : nullptr;
        run[i]->prev = i + 1 < n ? run[i + 1] : nullptr;
    }
    return run.back();
}

// Each row reversed in place, rows kept in order; nothing for rows of fewer than two points.
bool ReverseRows(Objex* object) {
    std::vector<Poinz*> points;
    for (Poinz* p = object->firstPoint; p; p = p->next) points.push_back(p);
    const int32_t count = static_cast<int32_t>(points.size());
    const int32_t perRow = RowLength(count, object->rows);
    if (perRow < 2) return false;
    for (int32_t start = 0; start + perRow <= count; start += perRow)
        std::reverse(points.begin() + start, points.begin() + start + perRow);
    for (int32_t i = 0; i < count; ++i) {
        points[i]->prev = i > 0 ? points[i - 1] : nullptr;
        points[i]->next = i + 1 < count ? points[i + 1] : nullptr;
    }
    object->firstPoint = points.front();
    return true;
}

// The cap faces away from the viewer of the cap view when the plane through the first three
// points, seen in the view rotation, has a positive third normal component.
void StoreCapFacing(Objex* object) {
    const Poinz* p1 = object->firstPoint;
    const Poinz* p2 = p1 ? p1->next : nullptr;
    const Poinz* p3 = p2 ? p2->next : nullptr;
    if (!p3) return;
    float v[3][3];
    const Poinz* pts[3] = {p1, p2, p3};
    for (int i = 0; i < 3; ++i) {
        v[i][0] = pts[i]->position[0];
        v[i][1] = pts[i]->position[1];
        v[i][2] = pts[i]->position[2];
        ConversionToIsometric(&v[i][0], &v[i][1], &v[i][2], gCosXAngle, gSinXAngle, gCosYAngle,
                              gSinYAngle, gGlobalXOffset, gGlobalYOffset, gGlobalZOffset, 0);
    }
    float a = 0, b = 0, c = 0, d = 0;
    CalcParametric(v[0][0], v[0][1], v[0][2], v[1][0], v[1][1], v[1][2], v[2][0], v[2][1], v[2][2],
                   &a, &b, &c, &d);
    object->elevationMode = c > 0.0f ? -1 : 1;
}

}  // namespace

int32_t PointsPerRow(const Objex* object) {
    if (!object) return 0;
    return RowLength(object->pointCount, object->rows);
}

Poinz* ReverseSegmentDirection(Poinz* first, int32_t count) {
    return ReverseRun(first, count);
}

Poinz* ReverseAnySegmentDirection(Poinz* first, int32_t count) {
    return ReverseRun(first, count);
}

void ReverseObjectDirection(Objex* object) {
    if (!object || !HasDirectedOutline(object->type)) return;
    ReverseRows(object);
}

void ReverseAnyObjectDirection(Objex* object) {
    if (!object || !ReverseRows(object)) return;
    // A segment now runs the other way, so the tangent that left a point enters it.
    for (Poinz* p = object->firstPoint; p; p = p->next) {
        for (int i = 0; i < 3; ++i) {
            const float in = p->inTangent[i];
            p->inTangent[i] = -p->outTangent[i];
            p->outTangent[i] = -in;
        }
    }
}

int16_t VerifyObjectDirection(Objex* object, uint8_t fix) {
    const int16_t direction = GetParallelDirection(object);
    if (direction == 0) return 0;
    if (direction == 1) return 1;
    if (fix) ReverseObjectDirection(object);
    return 0;
}

void ValidateCapDirection(Objex* object) {
    if (!object) return;
    Objex* target = object;
    if (object->type == objtype::kWall) {
        target = object->typeData.kind == TypeDataKind::WallSolid ? object->typeData.wallSolid : nullptr;
        if (!target) return;
    }
    if (target->flagA && target->closed && target->pointCount > 2 && target->rows > 1)
        StoreCapFacing(target);
    for (Objex* child = target->firstChild; child; child = child->next) ValidateCapDirection(child);
}

void ValidateCapDirectionLayer(Layer* layer) {
    if (!layer || !layer->visible) return;
    for (Objex* o = layer->firstObject; o; o = o->next) ValidateCapDirection(o);
}

void ValidateCapDirectionAllLayers(Layer* firstLayer) {
    const uint8_t perspective = gPerspective;
    gPerspective = 0;
    SetUpForRotationAboutArbitraryAxis(kCapViewXAngle, kCapViewYAngle, &gCosXAngle, &gSinXAngle,
                                       &gCosYAngle, &gSinYAngle, 0);
    for (Layer* layer = firstLayer; layer; layer = layer->next) ValidateCapDirectionLayer(layer);
    gPerspective = perspective;
    SetUpForRotationAboutArbitraryAxis(gXViewAngle, gYViewAngle, &gCosXAngle, &gSinXAngle,
                                       &gCosYAngle, &gSinYAngle, gPerspective);
}

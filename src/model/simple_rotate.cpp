#include "model/simple_rotate.h"

#include "model/bounds.h"
#include "model/objects.h"
#include "model/transforms.h"

void SimpleRotateObject(Objex* object, const TransformRecord* record) {
    if (!object || !record) return;
    const float angle = record->values[xform::kRotationAngle];
    const float cx = record->values[xform::kCentreH];
    const float cd = record->values[xform::kCentreH + 2];
    constexpr int H = 0, D = 2;
    for (Poinz* p = object->firstPoint; p; p = p->next) {
        Rotate(&p->position[H], &p->position[D], cx, cd, angle);
        if (p->inTangent[H] != 0.0f || p->inTangent[D] != 0.0f)
            Rotate(&p->inTangent[H], &p->inTangent[D], 0.0f, 0.0f, angle);
        if (p->outTangent[H] != 0.0f || p->outTangent[D] != 0.0f)
            Rotate(&p->outTangent[H], &p->outTangent[D], 0.0f, 0.0f, angle);
    }
    UpdateObjectBounds(object);
}

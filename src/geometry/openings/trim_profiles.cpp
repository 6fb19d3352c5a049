#include "geometry/openings/trim_profiles.h"

#include "model/bounds.h"
#include "model/objects.h"

namespace {

Float3DRect PointBounds(Objex* object) {
    Float3DRect box = EmptyFloat3DRect();
    GetObject3DBounds(object, 0, &box, 0);
    return box;
}

} // namespace

void MoveTrimProfileToFirstQuadrant(Objex* profile) {
    if (!profile || !profile->firstPoint) return;
    const Float3DRect box = PointBounds(profile);
    for (Poinz* p = profile->firstPoint; p; p = p->next) {
        p->position[0] -= box.floatLeft;
        p->position[2] -= box.floatBack;
    }
}

void GetCustomTrimHeight(AttachmentRecord* record, int16_t outside, float* height) {
    if (!height) return;
    *height = 0.0f;
    Objex* profile = !record   ? nullptr
                     : outside ? record->outsideTrimProfile
                               : record->insideTrimProfile;
    if (!profile || !profile->firstPoint) return;
    profile->bounds3D = PointBounds(profile);
    *height = profile->bounds3D.floatBack - profile->bounds3D.floatFront;
}

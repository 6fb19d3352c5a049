#include "model/skylight_bounds.h"

#include "model/bounds.h"
#include "model/deletion.h"
#include "model/objects.h"

void GetCustomSkylightBounds(Objex* skylight, FloatRect* bounds, Float3DRect* bounds3D) {
    if (!skylight || skylight->typeData.kind != TypeDataKind::RoofAttachment) return;
    RoofAttachmentRecord* record = skylight->typeData.roofAttachment;
    if (!record) return;
    FloatRect box = EmptyFloatRect();
    Float3DRect box3D = EmptyFloat3DRect();
    for (Objex* symbol = record->customParts; symbol; symbol = symbol->next) {
        if (symbol->type != objtype::kOpeningMask) continue;
        DoGetObjectBounds(symbol, 0, &box, 0, 0);
        DoGetObject3DBounds(symbol, 0, &box3D, 0);
    }
    if (bounds) *bounds = box;
    if (bounds3D) *bounds3D = box3D;
}

void CreateCustomSkylightBoundsPoints(Objex* skylight, const Float3DRect* r) {
    if (!skylight || !r) return;
    DeleteObjectPoints(skylight);
    const float corners[4][2] = {{r->floatLeft, r->floatBack},
                                 {r->floatRight, r->floatBack},
                                 {r->floatRight, r->floatFront},
                                 {r->floatLeft, r->floatFront}};
    for (const auto& c : corners)
        AppendPointToObject(CreatePoint(1, 0, 0, 0, 0, 0, c[0], 0, c[1], 0, 0, 0, 0, 0, 0, skylight), skylight);
}

#include "geometry/elements/skylight_symbols.h"

#include "model/bounds.h"
#include "model/deletion.h"
#include "model/objects.h"

namespace {

constexpr RGBColor kNoColor{0xFFFF, 0xFFFF, 0xFFFF};
// V grows downwards: the upper plane sits 16 plan units above the outline, the lower 2 below.
constexpr float kUpperFillerRise = -16.0f;
constexpr float kLowerFillerDrop = 2.0f;

RoofAttachmentRecord* RecordOf(Objex* skylight) {
    if (!skylight || skylight->typeData.kind != TypeDataKind::RoofAttachment) return nullptr;
    return skylight->typeData.roofAttachment;
}

Poinz* CopyPoint(const Poinz* from, Objex* owner) {
    Poinz* p = CreatePoint(from->kind, 0, from->locked, from->inTangent[0], from->inTangent[1], from->inTangent[2],
                           from->position[0], from->position[1], from->position[2], from->outTangent[0],
                           from->outTangent[1], from->outTangent[2], from->acrossTangent[0],
                           from->acrossTangent[1], from->acrossTangent[2], owner);
    if (!p) return nullptr;
    p->texture1 = from->texture1;
    p->texture2 = from->texture2;
    p->textureU = from->textureU;
    p->textureV = from->textureV;
    p->rowLength = from->rowLength;
    p->rowPerimeter = from->rowPerimeter;
    p->color1 = from->color1;
    p->color2 = from->color2;
    p->faceScale1 = from->faceScale1;
    p->faceScale2 = from->faceScale2;
    return p;
}

// Mirrors coordinate `axis` (0 H, 2 D) of every point about `centre`.
void MirrorPoints(Objex* o, int axis, float centre) {
    for (Poinz* p = o->firstPoint; p; p = p->next) {
        p->position[axis] = 2 * centre - p->position[axis];
        p->inTangent[axis] = -p->inTangent[axis];
        p->outTangent[axis] = -p->outTangent[axis];
        p->acrossTangent[axis] = -p->acrossTangent[axis];
    }
}

}  // namespace

void GetCustomSkylightBounds(Objex* skylight, FloatRect* bounds, Float3DRect* bounds3D) {
    RoofAttachmentRecord* record = RecordOf(skylight);
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

void CreateSkylightFillerPlane(Objex* skylight, int16_t which) {
    RoofAttachmentRecord* record = RecordOf(skylight);
    if (!record) return;
    RGBColor none = kNoColor;
    Objex* plane = CreateObject(objtype::kFrameGroup, 1, 1, &none, &none, 1.0f, 6, 0, nullptr, nullptr, nullptr,
                                nullptr, skylight->layer, TypeData{});
    if (!plane) return;
    plane->subtype = which;
    const float shift = which == 1 ? kUpperFillerRise : kLowerFillerDrop;
    for (const Poinz* p = skylight->firstPoint; p; p = p->next) {
        Poinz* copy = CopyPoint(p, plane);
        if (!copy) continue;
        copy->position[1] += shift;
        AppendPointToObject(copy, plane);
    }
    const Float3DRect& b = skylight->bounds3D;
    if (record->flipFlags[0]) MirrorPoints(plane, 0, (b.floatLeft + b.floatRight) / 2);
    if (record->flipFlags[1]) MirrorPoints(plane, 2, (b.floatBack + b.floatFront) / 2);
    UpdateObjectBounds(plane);
    AppendObjectToList(record->customParts, plane);
}

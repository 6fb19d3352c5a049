#include "geometry/elements/skylight_symbols.h"

#include <cmath>
#include <numbers>

#include "files/custom_definitions.h"
#include "geometry/elements/roof_attachment_fit.h"
#include "model/borrowed_settings.h"
#include "model/bounds.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/duplicate.h"
#include "model/generated_numbers.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/parallel.h"
#include "model/texture_mapping.h"
#include "model/transforms.h"

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

constexpr float kCustomLowerFillerDrop = 12.0f;
constexpr int kTextureSlot1 = 4;  // `textureScales` holds slots 2, 3, 4, 5, 1

// Where one rebuild puts the definition's shapes.
struct Placement {
    float scaleH = 1, scaleD = 1;
    float moveH = 0, moveD = 0;
    float cx = 0, cz = 0;
    float turn = 0;  // radians
};

void Scale(float* c, const Placement& at, bool position) {
    c[0] = c[0] * at.scaleH + (position ? at.moveH : 0);
    c[2] = c[2] * at.scaleD + (position ? at.moveD : 0);
}

void ScaleAndMove(Objex* o, const Placement& at) {
    for (Poinz* p = o->firstPoint; p; p = p->next) {
        Scale(p->position, at, true);
        for (float* t : {p->inTangent, p->outTangent, p->acrossTangent}) Scale(t, at, false);
    }
}

void Turn(Objex* o, const Placement& at) {
    if (at.turn == 0) return;
    for (Poinz* p = o->firstPoint; p; p = p->next) {
        Rotate(&p->position[0], &p->position[2], at.cx, at.cz, at.turn);
        for (float* t : {p->inTangent, p->outTangent, p->acrossTangent}) Rotate(&t[0], &t[2], 0, 0, at.turn);
    }
}

void Dress(Objex* o, const Objex* skylight) {
    for (Poinz* p = o->firstPoint; p; p = p->next) {
        p->texture1 = p->texture2 = skylight->texture;
        p->faceScale1 = p->faceScale2 = skylight->textureScales[kTextureSlot1];
        p->color1 = p->color2 = skylight->penColor;
    }
}

Objex* Copy(Objex* shape, Objex* skylight, BorrowedSettings& settings, int32_t resolution) {
    Objex* copy = DuplicateObject(shape, nullptr, nullptr, nullptr, 0, dupmode::kDuplicate);
    if (!copy) return nullptr;
    copy->parent = skylight;
    copy->layer = skylight->layer;
    settings.convertCurves(copy, resolution);
    return copy;
}

int32_t CountPoints(const Objex* o) {
    int32_t n = 0;
    for (const Poinz* p = o->firstPoint; p; p = p->next) ++n;
    return n;
}

// A filler plane's faces are mapped where it is made, as a move or turn of its skylight maps them
// again: a curved one lays its texture over that mapping.
void MapFillerPlane(Objex* plane) {
    SetTextureFaceUV(plane);
    SetObjectPointLengths(plane);
}

}  // namespace

void CreateSkylightFillerPlane(Objex* skylight, int16_t which) {
    RoofAttachmentRecord* record = RecordOf(skylight);
    if (!record) return;
    RGBColor none = kNoColor;
    KeepNumberCounters numbers(CurrentDocState());
    Objex* plane = CreateObject(objtype::kFrameGroup, 1, 1, &none, &none, 1.0f, 6, 0, nullptr, nullptr, nullptr,
                                nullptr, skylight->layer, TypeData{});
    if (!plane) return;
    plane->subtype = which;
    const float shift = which == 1 ? kUpperFillerRise : kLowerFillerDrop;
    Poinz* tail = nullptr;
    for (const Poinz* p = skylight->firstPoint; p; p = p->next) {
        Poinz* copy = CopyPoint(p, plane);
        if (!copy) continue;
        copy->position[1] += shift;
        tail = AppendPointAfter(copy, plane, tail);
    }
    const Float3DRect& b = skylight->bounds3D;
    if (record->flipFlags[0]) MirrorPoints(plane, 0, (b.floatLeft + b.floatRight) / 2);
    if (record->flipFlags[1]) MirrorPoints(plane, 2, (b.floatBack + b.floatFront) / 2);
    UpdateObjectBounds(plane);
    MapFillerPlane(plane);
    Unnumber(plane);
    AppendObjectToList(record->customParts, plane, skylight);
}

void CreateCustomSkylightFillerPlane(Objex* skylight, Objex* shape, int16_t kind) {
    RoofAttachmentRecord* record = RecordOf(skylight);
    if (!record || !shape) return;
    KeepNumberCounters numbers(CurrentDocState());
    Objex* plane = DuplicateObject(shape, nullptr, nullptr, nullptr, 0, dupmode::kDuplicate);
    if (!plane) return;
    plane->type = objtype::kFrameGroup;
    plane->subtype = kind;
    plane->closed = 1;
    plane->parent = skylight;
    plane->layer = skylight->layer;
    if (kind == 0)
        for (Poinz* p = plane->firstPoint; p; p = p->next) p->position[1] += kCustomLowerFillerDrop;
    UpdateObjectBounds(plane);
    MapFillerPlane(plane);
    Unnumber(plane);
    AppendObjectToList(record->customParts, plane, skylight);
}

void CreateCustomSkylightSymbols(Objex* skylight, float cx, float cz, float angle) {
    RoofAttachmentRecord* record = RecordOf(skylight);
    DocState* ds = CurrentDocState();
    if (!record || !gCurDocument || !ds) return;
    float width = 0, height = 0;
    Float3DRect natural = EmptyFloat3DRect();
    GetCustomSkylightWHAndBounds(record, &width, &height, &natural);
    if (!(width > 0) || !(height > 0)) return;
    KeepNumberCounters numbers(ds);
    DeleteObjectList(record->customParts);
    record->customParts = nullptr;

    Placement at;
    at.scaleH = record->width / width;
    at.scaleD = record->length / height;
    at.moveH = cx - at.scaleH * (natural.floatLeft + natural.floatRight) / 2;
    at.moveD = cz - at.scaleD * (natural.floatBack + natural.floatFront) / 2;
    at.cx = cx, at.cz = cz;
    at.turn = (angle - 90.0f) * std::numbers::pi_v<float> / 180.0f;
    BorrowedSettings settings(ds);
    const int32_t resolution = ds->detailValueA;

    for (Objex* shape = record->partLists[0]; shape; shape = shape->next) {
        Objex* copy = Copy(shape, skylight, settings, resolution);
        if (!copy) continue;
        ScaleAndMove(copy, at);
        Turn(copy, at);
        UpdateObjectBounds(copy);
        AppendObjectToList(record->customParts, copy, skylight);
        CreateCustomSkylightFillerPlane(skylight, copy, 1);
        CreateCustomSkylightFillerPlane(skylight, copy, 0);
    }
    for (Objex* shape = record->partLists[1]; shape; shape = shape->next) {
        Objex* copy = Copy(shape, skylight, settings, resolution);
        if (!copy) continue;
        const int32_t flags = copy->optionA;
        copy->optionA = parallel::kCentred;
        Objex* band = MakeParallel(copy, ConvertScreenToWorld(copy->penWidth, ds, 0), 0);
        if (band != copy && band) band->optionA = flags;
        else copy->optionA = flags;
        Objex* frame = band ? band : copy;
        frame->parent = skylight, frame->layer = skylight->layer;
        ScaleAndMove(frame, at);
        Turn(frame, at);
        Dress(frame, skylight);
        UpdateObjectBounds(frame);
        AppendObjectToList(record->customParts, frame, skylight);
    }
    for (Objex* shape = record->partLists[2]; shape; shape = shape->next) {
        Objex* copy = Copy(shape, skylight, settings, resolution);
        if (!copy) continue;
        ScaleAndMove(copy, at);
        const int32_t half = CountPoints(copy) / 2;
        int32_t index = 0;
        for (Poinz* p = copy->firstPoint; p; p = p->next, ++index)
            if (index >= half) p->position[1] += objfield::skylight_lens::kThickness(*copy);
        Turn(copy, at);
        Dress(copy, skylight);
        UpdateObjectBounds(copy);
        AppendObjectToList(record->customParts, copy, skylight);
    }
    record->customPartCount = 0;
    for (Objex* symbol = record->customParts; symbol; symbol = symbol->next) {
        ++record->customPartCount;
        Unnumber(symbol);
        if (record->flipFlags[0]) MirrorPoints(symbol, 0, cx);
        if (record->flipFlags[1]) MirrorPoints(symbol, 2, cz);
        if (record->flipFlags[0] || record->flipFlags[1]) UpdateObjectBounds(symbol);
    }
}

void DeleteCustomSkylightSymbols(RoofAttachmentRecord* record) {
    if (!record) return;
    DeleteObjectList(record->customParts);
    record->customParts = nullptr;
    record->customPartCount = 0;
    for (Objex*& list : record->partLists) {
        DeleteObjectList(list);
        list = nullptr;
    }
}

void ApplyVisualAttributesToSkylightSymbols(Objex* skylight, int32_t texture, RGBColor colour, ShortPoint scale) {
    RoofAttachmentRecord* record = RecordOf(skylight);
    if (!record) return;
    for (Objex* symbol = record->customParts; symbol; symbol = symbol->next) {
        if (symbol->type != objtype::kWindowSeparator && symbol->type != objtype::kDoorHardware) continue;
        for (Poinz* p = symbol->firstPoint; p; p = p->next) {
            p->texture1 = p->texture2 = texture;
            p->color1 = p->color2 = colour;
            p->faceScale1 = p->faceScale2 = scale;
        }
    }
}

void RebuildSkylightSymbols(Objex* child) {
    const RoofAttachmentRecord* r = child && child->typeData.kind == TypeDataKind::RoofAttachment
                                        ? child->typeData.roofAttachment
                                        : nullptr;
    if (!r || r->ownerType != objtype::kSkylight) return;
    if (r->style == kCustomSkylightStyle) {
        const Float3DRect& b = child->bounds3D;
        CreateCustomSkylightSymbols(child, (b.floatLeft + b.floatRight) / 2, (b.floatBack + b.floatFront) / 2, r->angle);
        return;
    }
    // A standard skylight's parts are its two filler planes alone: they are made again whole.
    DeleteObjectList(child->typeData.roofAttachment->customParts);
    child->typeData.roofAttachment->customParts = nullptr;
    CreateSkylightFillerPlane(child, 1);
    CreateSkylightFillerPlane(child, 0);
}

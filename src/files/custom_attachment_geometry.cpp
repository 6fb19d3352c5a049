// The natural size of custom door, window and skylight definitions, and the generated parts
// a custom door or window builds from its definition's parts.
#include "files/custom_definitions.h"
#include "model/borrowed_settings.h"
#include "model/bounds.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/duplicate.h"
#include "model/lines.h"
#include "model/object_fields.h"
#include "model/objects.h"
#include "model/parallel.h"
#include "model/texture_mapping.h"
#include "model/transform_support.h"
#include "model/transforms.h"

namespace {

constexpr int H = 0;
constexpr int V = 1;
constexpr int D = 2;

constexpr int kSlot1 = 4;  // `textureScales` holds slots 2, 3, 4, 5, 1
constexpr int kSlot2 = 0;
constexpr uint16_t kWhite = 65535;

AttachmentRecord* AttachmentOf(Objex* o) {
    if (!o || o->typeData.kind != TypeDataKind::Attachment) return nullptr;
    return o->typeData.attachment;
}

void Assign(float* out, float value) {
    if (out) *out = value;
}

// Everything one rebuild places its parts by.
struct Frame {
    Objex* opening = nullptr;
    AttachmentRecord* record = nullptr;
    float angle = 0;           // of the wall, P1 to P2
    float centreH = 0;         // M
    float centreD = 0;
    float base = 0;            // B
    float faceDistance = 0;    // T
    float pivotH = 0;          // P1 with the side flag, else P2
    float pivotD = 0;
    float scaleH = 1;
    float scaleV = 1;
};

void Own(Objex* part, const Frame& f) {
    part->parent = f.opening;
    part->layer = f.opening->layer;
}

void TakeTextureScales(Objex* part, const Frame& f) {
    part->textureScales[kSlot1] = f.opening->textureScales[kSlot1];
    part->textureScales[kSlot2] = f.opening->textureScales[kSlot1];
}

Objex* CopyPart(Objex* source, const Frame& f) {
    Objex* copy = DuplicateObject(source, nullptr, nullptr, nullptr, 0, dupmode::kDuplicate);
    if (copy) Own(copy, f);
    return copy;
}

void MoveToOpening(Poinz* p, const Frame& f) {
    p->position[H] += f.centreH;
    p->position[V] -= f.base;
    p->position[D] += f.centreD;
}

// V of a point moves into D (position, tangents, across triple) and V becomes 0.
void LayFlat(Objex* part) {
    for (Poinz* p = part->firstPoint; p; p = p->next) {
        for (float* c : {p->position, p->inTangent, p->outTangent, p->acrossTangent}) {
            c[D] = c[V];
            c[V] = 0.0f;
        }
    }
}

// D moves back into V; the part stands just in front of the wall's centre plane.
void StandUp(Objex* part, const Frame& f) {
    for (Poinz* p = part->firstPoint; p; p = p->next) {
        p->position[V] = p->position[D];
        p->position[D] = 0.1f;
        for (float* c : {p->inTangent, p->outTangent, p->acrossTangent}) {
            c[V] = c[D];
            c[D] = 0.0f;
        }
        p->texture1 = p->texture2 = f.opening->texture;
        p->color1 = p->color2 = f.opening->penColor;
        p->faceScale1 = p->faceScale2 = f.opening->textureScales[kSlot1];
    }
}

void Finish(Objex* part) {
    UpdateObjectBounds(part);
    SetTextureFaceUV(part);
    SetObjectPointLengths(part);
}

Objex* BuildBodyPart(Objex* source, const Frame& f, BorrowedSettings& settings) {
    Objex* copy = CopyPart(source, f);
    if (!copy) return nullptr;
    TakeTextureScales(copy, f);
    LayFlat(copy);
    settings.convertCurves(copy, CurrentDocState()->detailValueA);

    // The centred band replaces the copy (the copy is freed).
    const int32_t option = copy->optionA;
    copy->optionA = parallel::kCentred;
    Objex* band = MakeParallel(copy, ConvertScreenToWorld(copy->penWidth, CurrentDocState(), 0), 0);
    if (!band) return nullptr;
    band->optionA = option;
    Own(band, f);
    TakeTextureScales(band, f);

    StandUp(band, f);
    settings.scaleInFront(band, f.scaleH, f.scaleV);
    for (Poinz* p = band->firstPoint; p; p = p->next) {
        xformsupport::RotatePointInAxes(p, H, D, 0.0f, 0.0f, f.angle);
        MoveToOpening(p, f);
        xformsupport::RotatePointInAxes(p, H, D, f.pivotH, f.pivotD, f.record->swingOrOffset);
    }
    Finish(band);
    return band;
}

Objex* BuildHardwarePart(Objex* source, float fifth, const Frame& f, BorrowedSettings& settings) {
    Objex* copy = CopyPart(source, f);
    if (!copy) return nullptr;
    copy->params[4] = fifth;
    TakeTextureScales(copy, f);
    settings.scaleInFront(copy, f.scaleH, f.scaleV);
    settings.rotateInPlan(copy, f.angle, 0.0f, 0.0f);

    const bool white = copy->params[3] == 4.0f;
    if (white) copy->type = objtype::kSkylightPart;
    for (Poinz* p = copy->firstPoint; p; p = p->next) {
        MoveToOpening(p, f);
        if (white) {
            p->texture1 = p->texture2 = 0;
            p->color1 = p->color2 = RGBColor{kWhite, kWhite, kWhite};
        } else {
            p->texture1 = p->texture2 = f.opening->texture;
            p->color1 = p->color2 = f.opening->penColor;
        }
        p->faceScale1 = p->faceScale2 = f.opening->textureScales[kSlot1];
    }
    settings.rotateInPlan(copy, f.record->swingOrOffset, f.pivotH, f.pivotD);
    Finish(copy);
    return copy;
}

Objex* BuildOutlinePart(Objex* source, float depth, const Frame& f, BorrowedSettings& settings) {
    Objex* copy = CopyPart(source, f);
    if (!copy) return nullptr;
    settings.convertCurves(copy, CurrentDocState()->detailValueA);
    copy->rows = 1;
    copy->type = objtype::kFrameGroup;
    copy->closed = 1;
    copy->flagA = 1;
    settings.scaleInFront(copy, f.scaleH, f.scaleV);
    for (Poinz* p = copy->firstPoint; p; p = p->next) {
        p->position[D] += depth;
        xformsupport::RotatePointInAxes(p, H, D, 0.0f, 0.0f, f.angle);
        MoveToOpening(p, f);
    }
    UpdateObjectBounds(copy);
    return copy;
}

// The fifth parameters of the hardware spread over 0.9 to 1.0 by their rank between the
// lowest and the highest; all alike, they all take 1.0.
void HardwareRange(const Objex* list, float* lowest, float* highest) {
    *lowest = kEmptyBoundsLow;
    *highest = kEmptyBoundsHigh;
    for (const Objex* o = list; o; o = o->next) {
        if (o->params[4] < *lowest) *lowest = o->params[4];
        if (o->params[4] > *highest) *highest = o->params[4];
    }
}

float SpreadFifth(float value, float lowest, float highest) {
    if (!(highest > lowest)) return 1.0f;
    return 1.0f + 0.1f * (value - highest) / (highest - lowest);
}

}  // namespace

void GetCustomAttachmentWidthAndHeight(const AttachmentRecord* record, float* width, float* height) {
    float w = 0.0f, h = 0.0f;
    if (record && record->customParts[0]) {
        Float3DRect box = EmptyFloat3DRect();
        for (Objex* o = record->customParts[0]; o; o = o->next) GetObject3DBounds(o, 0, &box, 0);
        // Outline parts without points leave the box untouched: no size either.
        if (!IsEmptyBounds(box)) {
            w = box.floatRight - box.floatLeft;
            h = box.floatBottom - box.floatTop;
        }
    }
    Assign(width, w);
    Assign(height, h);
}

void GetCustomSkylightWHAndBounds(const RoofAttachmentRecord* record, float* width, float* height,
                                  Float3DRect* bounds) {
    Float3DRect box = EmptyFloat3DRect();
    float w = 0.0f, h = 0.0f;
    if (record) {
        for (Objex* o = record->partLists[0]; o; o = o->next) GetObject3DBounds(o, 0, &box, 0);
        if (!IsEmptyBounds(box)) {
            w = box.floatRight - box.floatLeft;
            h = box.floatFront - box.floatBack;
        }
    }
    Assign(width, w);
    Assign(height, h);
    if (bounds) *bounds = box;
}

void UpdateCustomAttachment(Objex* opening) {
    DocState* ds = CurrentDocState();
    if (!gCurDocument || !ds || !gCurDocument->itsCurLayer || !opening) return;
    Objex* wall = opening->parent;
    AttachmentRecord* record = AttachmentOf(opening);
    if (!wall || wall->type != objtype::kWall || !record) return;
    const Poinz* p1 = opening->firstPoint;
    const Poinz* p2 = p1 ? p1->next : nullptr;
    if (!p2) return;

    DeleteObjectList(record->generatedParts);
    // Without outline parts the definition has no size to fit to the opening.
    if (!record->customParts[0]) return;
    float naturalWidth = 0.0f, naturalHeight = 0.0f;
    GetCustomAttachmentWidthAndHeight(record, &naturalWidth, &naturalHeight);

    Frame f;
    f.opening = opening;
    f.record = record;
    float length = 0.0f;
    f.angle = GetLineLengthAndAngle(p1->position[H], p1->position[D], p2->position[H], p2->position[D], &length);
    float dh = 0.0f, dd = 0.0f;
    GetPointFromLengthAndAngle(f.angle, length / 2.0f, &dh, &dd);
    f.centreH = p1->position[H] + dh;
    f.centreD = p1->position[D] + dd;
    f.base = ConvertWorldToScreen(objfield::wall::kBaseOffset(*wall), ds, 0) + record->elevation;
    f.faceDistance = ConvertWorldToScreen(wall->penWidth / 2.0f, ds, 0) + 2.1f;
    const Poinz* pivot = record->sideFlag ? p1 : p2;
    f.pivotH = pivot->position[H];
    f.pivotD = pivot->position[D];
    f.scaleH = SizeFactor(record->width, naturalWidth);
    f.scaleV = SizeFactor(record->height, naturalHeight);

    BorrowedSettings settings(ds);
    Objex* head = nullptr;
    for (Objex* o = record->customParts[1]; o; o = o->next)
        if (Objex* part = BuildBodyPart(o, f, settings)) AppendObjectToList(head, part, f.opening);

    float lowest = 0.0f, highest = 0.0f;
    HardwareRange(record->customParts[2], &lowest, &highest);
    for (Objex* o = record->customParts[2]; o; o = o->next)
        if (Objex* part = BuildHardwarePart(o, SpreadFifth(o->params[4], lowest, highest), f, settings))
            AppendObjectToList(head, part, f.opening);

    for (const float depth : {-(f.faceDistance + 1.0f), f.faceDistance + 1.0f})
        for (Objex* o = record->customParts[0]; o; o = o->next)
            if (Objex* part = BuildOutlinePart(o, depth, f, settings)) AppendObjectToList(head, part, f.opening);

    record->generatedParts = head;
}

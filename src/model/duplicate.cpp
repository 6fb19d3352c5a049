#include "model/duplicate.h"

#include <cstring>
#include <new>

#include "model/bounds.h"
#include "model/deletion.h"
#include "model/flip.h"
#include "model/objects.h"
#include "model/plan_index.h"
#include "model/plant_info.h"
#include "model/custom_texture_list.h"

namespace {

constexpr int H = 0;
constexpr int V = 1;
constexpr int D = 2;

// Where a copy goes. A record member gets `recordOwner` as its parent and is linked by the
// caller into the record's list.
struct Placement {
    Objex* parent = nullptr;
    Objex* previousSibling = nullptr;
    bool append = false;
    Objex* recordOwner = nullptr;
};

Objex* Duplicate(Objex* source, const Placement& at, float dh, float dd, int32_t mode);

bool IsMirrorMode(int32_t mode) {
    return mode == dupmode::kMirrorLeftRight || mode == dupmode::kMirrorTopBottom;
}

// A loose copy (trim profiles): unlinked, no parent, unmoved.
Objex* DuplicateLoose(Objex* source) {
    return source ? Duplicate(source, Placement{}, 0.0f, 0.0f, dupmode::kDuplicate) : nullptr;
}

// Copies a record's object list in order, moved by (dh, dd); every copy has `owner` as its parent.
Objex* DuplicateList(Objex* head, Objex* owner, int32_t* count = nullptr, float dh = 0.0f, float dd = 0.0f) {
    Objex* first = nullptr;
    Objex* tail = nullptr;
    int32_t n = 0;
    for (Objex* o = head; o; o = o->next) {
        Placement member;
        member.recordOwner = owner;
        Objex* copy = Duplicate(o, member, dh, dd, dupmode::kDuplicate);
        if (!copy) continue;
        copy->prev = tail;
        if (tail) tail->next = copy;
        else first = copy;
        tail = copy;
        ++n;
    }
    if (count) *count = n;
    return first;
}

TrimRecord* DuplicateTrim(const TrimRecord* trim) {
    if (!trim) return nullptr;
    TrimRecord* copy = new (std::nothrow) TrimRecord(*trim);
    if (!copy) return nullptr;
    for (int i = 0; i < 2; ++i) copy->profile[i] = DuplicateLoose(trim->profile[i]);
    return copy;
}

// The point of `to` at the position `point` holds in `from`'s list.
Poinz* PointAtSamePlace(const Objex* from, Objex* to, const Poinz* point) {
    if (!point) return nullptr;
    Poinz* b = to->firstPoint;
    for (const Poinz* a = from->firstPoint; a && b; a = a->next, b = b->next)
        if (a == point) return b;
    return nullptr;
}

AttachmentRecord* DuplicateAttachment(const AttachmentRecord* src, const Objex* source, Objex* copy) {
    AttachmentRecord* r = new (std::nothrow) AttachmentRecord{};
    if (!r) return nullptr;
    r->ownerType = src->ownerType;
    r->style = src->style;
    if (!source->parent || !copy->parent) return r;

    r->segmentStart = PointAtSamePlace(source->parent, copy->parent, src->segmentStart);
    r->segmentEnd = PointAtSamePlace(source->parent, copy->parent, src->segmentEnd);
    r->centreDistance = src->centreDistance;
    r->remainder = src->remainder;
    r->width = src->width;
    r->height = src->height;
    r->elevation = src->elevation;
    for (int i = 0; i < 7; ++i) r->customParts[i] = DuplicateList(src->customParts[i], copy);
    r->sideFlag = src->sideFlag;
    r->swingOrOffset = src->swingOrOffset;
    r->directionFlag = src->directionFlag;
    r->frameFlag = src->frameFlag;
    r->reserved = src->reserved;
    r->trimWidth = src->trimWidth;
    r->insideCustomTrim = src->insideCustomTrim;
    r->insideTrimTexture = src->insideTrimTexture;
    r->insideTrimScale[0] = src->insideTrimScale[0];
    r->insideTrimScale[1] = src->insideTrimScale[1];
    r->insideTrimColor = src->insideTrimColor;
    r->insideTrimProfile = DuplicateLoose(src->insideTrimProfile);
    r->outsideCustomTrim = src->outsideCustomTrim;
    r->outsideTrimTexture = src->outsideTrimTexture;
    r->outsideTrimScale[0] = src->outsideTrimScale[0];
    r->outsideTrimScale[1] = src->outsideTrimScale[1];
    r->outsideTrimColor = src->outsideTrimColor;
    r->outsideTrimProfile = DuplicateLoose(src->outsideTrimProfile);
    return r;
}

RoofAttachmentRecord* DuplicateRoofAttachment(const RoofAttachmentRecord* src, Objex* copy, float dh, float dd) {
    RoofAttachmentRecord* r = new (std::nothrow) RoofAttachmentRecord(*src);
    if (!r) return nullptr;
    r->attachment = copy;
    // The filler planes and symbols lie where the skylight does: no refit builds them again.
    r->customParts = DuplicateList(src->customParts, copy, &r->customPartCount, dh, dd);
    for (int i = 0; i < 5; ++i) r->partLists[i] = DuplicateList(src->partLists[i], copy);
    return r;
}

TextData* DuplicateText(const TextData* src) {
    TextData* t = new (std::nothrow) TextData(*src);
    if (!t) return nullptr;
    t->text = src->text ? CopyString(src->text, 5) : nullptr;
    return t;
}

void SetCopyData(Objex* copy, const TypeData& data) {
    DeleteObjectData(copy);
    copy->typeData = data;
}

bool KeepsUserImage(const Objex* o) {
    return (o->type == objtype::kPlant && o->subtype == objsubtype::kUserPlant) || o->type == objtype::kPhoto;
}

void GiveFreshTextureID(Objex* copy) {
    const int32_t id = gCurrentPhotoTextureID++;
    copy->texture2 = copy->texture3 = copy->texture4 = id;
    for (Poinz* p = copy->firstPoint; p; p = p->next) p->texture1 = p->texture2 = id;
}

void CopyFields(const Objex* s, Objex* c) {
    c->auxColor = s->auxColor;
    c->rows = s->rows;
    c->flagA = s->flagA;
    c->elevationMode = s->elevationMode;
    c->texture = s->texture;
    c->textureFaceRect = s->textureFaceRect;
    c->textureFaceRect2 = s->textureFaceRect2;
    c->faceAxis = s->faceAxis;
    c->plantAge = s->plantAge;
    c->subtype = s->subtype;
    c->texture2 = s->texture2;
    c->texture3 = s->texture3;
    c->color2 = s->color2;
    c->color3 = s->color3;
    c->elevation = s->elevation;
    c->onTerrain = s->onTerrain;
    c->texture4 = s->texture4;
    c->color4 = s->color4;
    c->texture5 = s->texture5;
    c->color5 = s->color5;
    std::memcpy(c->textureScales, s->textureScales, sizeof c->textureScales);
    c->planBits = s->planBits;
    std::memcpy(c->params, s->params, sizeof c->params);
    c->optionA = s->optionA;
    c->optionB = s->optionB;
    if (s->plantInfo) c->plantInfo = DuplicatePlantInfo(s->plantInfo);
    if (s->text && *s->text) c->text = CopyString(s->text, 5);
}

void Link(Objex* copy, const Placement& at) {
    if (Objex* sibling = at.previousSibling) {
        if (sibling->parent) {
            InsertChildAfter(copy, sibling->parent, sibling);
        } else if (sibling->layer) {
            InsertObjectInLayer(copy, sibling->layer, sibling);
        } else {
            copy->prev = sibling;
            copy->next = sibling->next;
            if (sibling->next) sibling->next->prev = copy;
            sibling->next = copy;
        }
    } else if (Objex* parent = at.parent) {
        InsertChildAfter(copy, parent, nullptr);
    } else if (at.recordOwner) {
        copy->parent = at.recordOwner;
    } else if (at.append) {
        AppendObjectToLayer(copy, copy->layer);
    }
}

Objex* Duplicate(Objex* source, const Placement& at, float dh, float dd, int32_t mode) {
    if (!source) return nullptr;
    const Objex* root = GetRootObject(source);
    if (root && root->type == objtype::kGroup && root->groupKind != 0) return nullptr;

    FloatRect bounds = source->bounds;
    bounds.floatLeft += dh;
    bounds.floatRight += dh;
    bounds.floatTop += dd;
    bounds.floatBottom += dd;
    Objex* copy = CreateObject(source->type, source->closed, source->visible, &source->fillColor,
                               &source->penColor, source->penWidth, source->penStyle,
                               source->fillPattern, &bounds, nullptr, nullptr, nullptr,
                               source->layer, TypeData{});
    if (!copy) return nullptr;
    CopyFields(source, copy);

    const bool selected = IsMirrorMode(mode) || mode == dupmode::kSymbolTop;
    const float offset[2] = {dh, dd};
    DuplicateObjectPoints(source, copy, offset, selected ? 1 : 0);

    if (mode == dupmode::kMirrorLeftRight) FlipObject(copy, 1);
    else if (mode == dupmode::kMirrorTopBottom) FlipObject(copy, 0);

    Link(copy, at);
    DuplicateObjectData(source, copy, dh, dd);

    copy->bounds = EmptyFloatRect();
    GetObjectBounds(copy, 0, &copy->bounds, 0, 0);
    copy->bounds3D = EmptyFloat3DRect();
    GetObject3DBounds(copy, 0, &copy->bounds3D, 0);

    if (mode == dupmode::kSymbolTop) {
        PlanIndexBoundsChanged(copy);
        return copy;
    }
    Objex* previous = nullptr;
    for (Objex* child = source->firstChild; child; child = child->next) {
        Placement under;
        under.parent = copy;
        under.previousSibling = previous;
        under.append = at.append;
        if (Objex* c = Duplicate(child, under, dh, dd, mode)) previous = c;
    }
    // The flip above ran before the group had its record and members; the angle a group
    // keeps is mirrored now that it has them.
    if (IsMirrorMode(mode)) FlipGroupAngles(copy, mode == dupmode::kMirrorLeftRight ? 1 : 0);
    PlanIndexBoundsChanged(copy);  // its box and its children's were measured after it was linked
    return copy;
}

}  // namespace

Objex* DuplicateObject(Objex* source, Objex* parent, Objex* previousSibling, const float* offset,
                       uint8_t append, int32_t mode) {
    Placement at;
    at.parent = parent;
    at.previousSibling = previousSibling;
    at.append = append != 0;
    return Duplicate(source, at, offset ? offset[0] : 0.0f, offset ? offset[1] : 0.0f, mode);
}

void DuplicateObjectData(Objex* source, Objex* copy, float dh, float dd) {
    if (!source || !copy || source == copy) return;
    const TypeData& td = source->typeData;
    const int16_t type = source->type;
    if (objtype::IsHostedAttachment(type)) {
        if (td.kind == TypeDataKind::Attachment && td.attachment)
            if (AttachmentRecord* r = DuplicateAttachment(td.attachment, source, copy))
                SetCopyData(copy, TypeData::OfAttachment(r));
    } else if (type == objtype::kText || type == objtype::kEnhancedText) {
        if (td.kind == TypeDataKind::Text && td.text)
            if (TextData* t = DuplicateText(td.text)) SetCopyData(copy, TypeData::OfText(t));
    } else if (objtype::IsRoofAttachment(type)) {
        if (td.kind == TypeDataKind::RoofAttachment && td.roofAttachment)
            if (RoofAttachmentRecord* r = DuplicateRoofAttachment(td.roofAttachment, copy, dh, dd))
                SetCopyData(copy, TypeData::OfRoofAttachment(r));
    } else if (type == objtype::kGroup) {
        if (source->subtype == objsubtype::kCabinetGroup && td.kind == TypeDataKind::Cabinet && td.cabinet) {
            CabinetState* cabinet = new (std::nothrow) CabinetState(*td.cabinet);
            if (cabinet) SetCopyData(copy, TypeData::OfCabinet(cabinet));
        }
    }

    if (KeepsUserImage(source) && td.kind == TypeDataKind::ImagePath && td.imagePath && *td.imagePath) {
        if (char* path = CopyString(td.imagePath, 5)) SetCopyData(copy, TypeData::OfImagePath(path));
        GiveFreshTextureID(copy);
    }
}

void DuplicateObjectPoints(const Objex* source, Objex* target, const float* offset, uint8_t selected) {
    if (!source || !target) return;
    const float dh = offset ? offset[0] : 0.0f;
    const float dd = offset ? offset[1] : 0.0f;
    Poinz* tail = nullptr;
    for (const Poinz* p = source->firstPoint; p; p = p->next) {
        Poinz* c = CreatePoint(p->kind, selected, p->locked, p->inTangent[H], p->inTangent[V],
                               p->inTangent[D], p->position[H] + dh, p->position[V],
                               p->position[D] + dd, p->outTangent[H], p->outTangent[V],
                               p->outTangent[D], p->acrossTangent[H], p->acrossTangent[V],
                               p->acrossTangent[D], target);
        if (!c) continue;
        c->texture1 = p->texture1;
        c->texture2 = p->texture2;
        c->textureU = p->textureU;
        c->textureV = p->textureV;
        c->rowLength = p->rowLength;
        c->rowPerimeter = p->rowPerimeter;
        c->color1 = p->color1;
        c->color2 = p->color2;
        c->baseElevation = p->baseElevation;
        c->wallStyle = p->wallStyle;
        c->dimensionMethod = p->dimensionMethod;
        c->dimensionFlipped = p->dimensionFlipped;
        c->segmentFlags = p->segmentFlags;
        // Trim records are owned per point: a copy never shares one with its source.
        c->trim1 = DuplicateTrim(p->trim1);
        c->trim2 = DuplicateTrim(p->trim2);
        c->trimValue1 = p->trimValue1;
        c->trimValue2 = p->trimValue2;
        std::memcpy(c->segmentValues, p->segmentValues, sizeof c->segmentValues);
        c->faceScale1 = p->faceScale1;
        c->faceScale2 = p->faceScale2;
        tail = AppendPointAfter(c, target, tail);
    }
}


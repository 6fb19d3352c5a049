#include "model/point_edits.h"

#include <new>

#include "model/attachments.h"
#include "model/bounds.h"
#include "model/deletion.h"
#include "model/duplicate.h"
#include "model/lines.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/rebuild_table.h"
#include "model/texture_mapping.h"
#include "model/tool_state.h"
#include "model/selection_roster.h"

namespace {

constexpr int H = 0;
constexpr int D = 2;
constexpr int16_t kNewPointKind = 10;

bool IsHost(const Objex* o) { return o->type == objtype::kWall || o->type == objtype::kDeck; }

bool IsRefusedSnap(int16_t mode) {
    return mode == snapmode::kEndPoint || mode == snapmode::kObjectCentre || mode == snapmode::kObjectCorner;
}

bool AcceptsAddedPoints(int16_t type) {
    switch (type) {
    case objtype::kWall: case objtype::kFloor: case objtype::kPropertyLine: case objtype::kPath:
    case objtype::kEdging: case objtype::kFence: case objtype::kFill: case objtype::kGroundFill:
    case objtype::kDetail: case objtype::kTopography: case objtype::kStaircase: case objtype::kRailing:
    case objtype::kFloorCutout: case objtype::kDeck: case objtype::kFreehandRoof:
    case objtype::kExcavation: case objtype::kRoofCutout:
        return true;
    default:
        return false;
    }
}

bool IsDetailEditedPointwise(const Objex* o) {
    return o->type == objtype::kDetail && o->subtype >= 1 && o->subtype <= 7;
}

bool IsZero3(const float t[3]) { return t[0] == 0.0f && t[1] == 0.0f && t[2] == 0.0f; }

enum class RebuildScope {
    Full,        // AddPoint and RemovePoint: a roof cut-out rebuilds its parent roof
    AtPosition,  // AddPointAtPosition: no parent rebuild
};

void Rebuild(Objex* o, RebuildScope scope) {
    switch (o->type) {
    case objtype::kWall:
    case objtype::kFloor:
    case objtype::kFloorCutout:
    case objtype::kPath:
    case objtype::kDeck:
    case objtype::kFreehandRoof:
    case objtype::kEdging:
    case objtype::kFence:
    case objtype::kStaircase:
    case objtype::kRailing:
    case objtype::kExcavation:
        rebuild::Run(o, rebuild::kObjectScopes);
        break;
    case objtype::kRoofCutout:
        if (scope == RebuildScope::Full && o->parent &&
            (o->parent->type == objtype::kRoof || o->parent->type == objtype::kFreehandRoof))
            rebuild::Run(o->parent, rebuild::kObjectScopes);
        break;
    default:
        break;
    }
}

// A record of its own for the new point, its profiles duplicated; null when it cannot be made.
TrimRecord* CopyTrimRecord(const TrimRecord* source) {
    if (!source) return nullptr;
    TrimRecord* copy = new (std::nothrow) TrimRecord(*source);
    if (!copy) return nullptr;
    for (Objex*& profile : copy->profile)
        if (profile) profile = DuplicateObject(profile, nullptr, nullptr, nullptr, 0, dupmode::kDuplicate);
    return copy;
}

void CopyPointAttributes(const Poinz* from, Poinz* to, bool wall) {
    to->selected = from->selected;
    to->owner = from->owner;
    if (to->selected) {
        if (to->owner) NoteSelectionIn(to->owner);
        else NoteSelectionUnknown();
    }
    to->texture1 = from->texture1;
    to->texture2 = from->texture2;
    to->textureU = from->textureU;
    to->textureV = from->textureV;
    to->rowLength = from->rowLength;
    to->rowPerimeter = from->rowPerimeter;
    to->color1 = from->color1;
    to->color2 = from->color2;
    to->baseElevation = from->baseElevation;
    to->wallStyle = from->wallStyle;
    to->dimensionMethod = from->dimensionMethod;
    to->dimensionFlipped = from->dimensionFlipped;
    to->segmentFlags = from->segmentFlags;
    for (int i = 0; i < 5; ++i) to->segmentValues[i] = from->segmentValues[i];
    to->valueQ = from->valueQ;
    to->valueR = from->valueR;
    to->faceScale1 = from->faceScale1;
    to->faceScale2 = from->faceScale2;
    if (wall) {
        to->trim1 = CopyTrimRecord(from->trim1);
        to->trim2 = CopyTrimRecord(from->trim2);
    } else {
        to->trimValue1 = from->trimValue1;
        to->trimValue2 = from->trimValue2;
    }
}

// Links the new point behind `after`, gives it the attributes of the segment it splits and
// re-anchors the attachments of that segment.
void InsertSplitPoint(Objex* object, Poinz* after, Poinz* point) {
    InsertPointInObject(point, object, after);
    // Attributes first, so the attachment refit already sees the new segment as it will be.
    CopyPointAttributes(after, point, object->type == objtype::kWall);
    if (object->firstChild && IsHost(object) && DoesPointContainAttachments(object, after))
        UpdateAttachmentsWithNewPoint(object, after, point);
}

}  // namespace

bool IsPointOf(const Objex* object, const Poinz* point) {
    for (const Poinz* p = object->firstPoint; p; p = p->next)
        if (p == point) return true;
    return false;
}

bool MayAddPointTo(const Objex* object, const Poinz* segmentStart) {
    return !IsRefusedSnap(gCurSnap) && AcceptsAddedPoints(object->type) && IsPointOf(object, segmentStart);
}

Poinz* InsertPointOnSegment(Objex* object, Poinz* segmentStart, float h, float v, float d) {
    Poinz* start = segmentStart;
    Poinz* end = start->next ? start->next : object->firstPoint;
    if (!end) return nullptr;
    if (!IsZero3(start->outTangent) || !IsZero3(end->inTangent)) return nullptr;

    // Onto the segment's line, as far from the start as the click.
    float segmentLength = 0.0f;
    const float angle = GetLineLengthAndAngle(start->position[H], start->position[D], end->position[H],
                                              end->position[D], &segmentLength);
    const float distance = GetLineLength(start->position[H], start->position[D], h, d);
    float dh = 0.0f, dd = 0.0f;
    GetPointFromLengthAndAngle(angle, distance, &dh, &dd);
    h = start->position[H] + dh;
    d = start->position[D] + dd;

    if (object->type == objtype::kDeck) v = start->position[1];
    else if (object->type != objtype::kDetail || IsDetailEditedPointwise(object)) v = 0.0f;

    Poinz* point = CreatePoint(kNewPointKind, 0, 0, 0, 0, 0, h, v, d, 0, 0, 0, 0, 0, 0, object);
    if (point) {
        // From now on the detail shape's points are picked one by one.
        if (IsDetailEditedPointwise(object)) object->optionB = 1;
        InsertSplitPoint(object, start, point);
    }

    UpdateObjectBounds(object);
    SetTextureFaceUV(object);
    SetObjectPointLengths(object);
    Rebuild(object, RebuildScope::Full);
    UpdateObjectBounds(object);
    return point;
}

Poinz* AddPointAtPosition(Objex* object, Poinz* segmentStart, DocState* document, float h, float v,
                          float d) {
    if (!object || !segmentStart || !document || IsRefusedSnap(gCurSnap)) return nullptr;
    if (!IsPointOf(object, segmentStart)) return nullptr;
    Poinz* point = CreatePoint(kNewPointKind, 0, 0, 0, 0, 0, h, v, d, 0, 0, 0, 0, 0, 0, object);
    if (!point) return nullptr;
    InsertSplitPoint(object, segmentStart, point);
    UpdateObjectBounds(object);
    // Mapped and measured with the new point before the rebuild, as a read of the object is.
    SetTextureFaceUV(object);
    SetObjectPointLengths(object);
    Rebuild(object, RebuildScope::AtPosition);
    return point;
}

int32_t MinimumPointCount(const Objex* o) {
    if (objtype::Has(o->type, objtype::kEnclosesArea)) return 3;
    switch (o->type) {
    case objtype::kWall: case objtype::kPath: case objtype::kEdging: case objtype::kFence:
    case objtype::kStaircase: case objtype::kRailing:
        return 2;
    case objtype::kFill: case objtype::kTopography: case 135:
        return 3;
    case objtype::kDetail:
        if (o->subtype == 1) return 4;
        if (o->subtype >= 2 && o->subtype <= 4) return 3;
        if (o->subtype >= 5 && o->subtype <= 7) return 2;
        return 0;
    default:
        return 0;
    }
}

void RebuildAfterPointRemoval(Objex* object) {
    // The faces are mapped and the rows measured on the outline left, as an insert and a read do.
    SetTextureFaceUV(object);
    SetObjectPointLengths(object);
    Rebuild(object, RebuildScope::Full);
    UpdateObjectBounds(object);
}

void RemovePointInObject(Objex* object, Poinz* point) {
    if (!object || !point || !IsPointOf(object, point)) return;
    if (point->prev) point->prev->next = point->next;
    else object->firstPoint = point->next;
    if (point->next) point->next->prev = point->prev;
    point->prev = point->next = nullptr;
    // Only wall points hold trim records; freeing any others keeps a converted object tidy.
    DeleteTrimRecord(point->trim1);
    DeleteTrimRecord(point->trim2);
    delete point;
    object->pointCount--;
}

void DeleteWallPoint(Objex* object, Poinz* point) {
    if (!object || !point || object->type != objtype::kWall) return;
    DeleteTrimRecord(point->trim1);
    DeleteTrimRecord(point->trim2);
    delete point;
}

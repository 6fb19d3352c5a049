// Mouldings and custom trims dropped on wall faces and on door and window trims.
#include "model/trim_placement.h"
#include "geometry/openings/trim_files.h"
#include "model/deletion.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/type_data.h"
#include "scene/apply_materials.h"
#include "scene/material_pick.h"
#include "scene/plane_object.h"
#include "scene/scene_build.h"
#include "model/tool_state.h"

namespace {

constexpr int16_t kShiftBit = 4;
constexpr int kTrimWord = 0;
constexpr int kCrownWord = 1;

struct Code {
    int word;
    int32_t value;
};

// The word a moulding ID sets and the code it stores; false for IDs that set nothing.
bool CodeOf(int32_t id, Code* code) {
    static constexpr int32_t kHeights[4] = {0x0B, 0x13, 0x23, 0x43};
    static constexpr int32_t kPaneling[4] = {0x84, 0x104, 0x204, 0x404};
    static constexpr int32_t kWainscot[4] = {0x1800, 0x2800, 0x4800, 0x8800};
    const int32_t family = id / 100, step = id % 100;
    if (id < 100 || step > 4) return false;
    const int32_t* codes = nullptr;
    switch (family) {
    case 1: case 4: codes = kHeights; break;
    case 2: codes = kPaneling; break;
    case 3: codes = kWainscot; break;
    default: return false;
    }
    *code = {family == 4 ? kCrownWord : kTrimWord, step == 4 ? 0 : codes[step]};
    return true;
}

// Trim width of a door or window side (inches) for base and crown mouldings 100-103, 400-403.
bool TrimWidthOf(int32_t id, float* width) {
    static constexpr float kWidths[4] = {3.0f, 4.0f, 6.0f, 8.0f};
    const int32_t step = id % 100;
    if ((id / 100 != 1 && id / 100 != 4) || id < 100 || step > 3) return false;
    *width = kWidths[step];
    return true;
}

void SetCode(TrimRecord* record, const Code& code) {
    if (!record) return;
    record->slot[code.word] = code.value;
    if (Objex*& profile = record->profile[code.word]) {
        DeleteObj(profile);
        profile = nullptr;
    }
}

// Whether a record lies on the first side of its segment's start point (or there is none).
bool FirstSide(const TrimRecord* record, const Poinz* segmentStart) {
    return !segmentStart || segmentStart->trim1 == record;
}

AttachmentRecord* AttachmentOf(Objex* o) {
    return o && objtype::IsOpening(o->type) && o->typeData.kind == TypeDataKind::Attachment ? o->typeData.attachment : nullptr;
}

void RemoveCustomTrim(AttachmentRecord* record, bool inside) {
    Objex*& profile = inside ? record->insideTrimProfile : record->outsideTrimProfile;
    (inside ? record->insideCustomTrim : record->outsideCustomTrim) = 0;
    if (profile) DeleteObj(profile);
    profile = nullptr;
}

void Rebuild(Objex* object) {
    object->needsRebuild = 1;
    ReRenderObject(object);
}

}  // namespace

int32_t ApplyMoulding(int32_t x, int32_t y, int32_t mouldingID) {
    const GLPick pick = PickForMaterial(x, y);
    if (pick.kind != GLPick::Piece || !pick.piece->baseObject) return 0;
    PlaneObject* piece = pick.piece;
    Objex* base = piece->baseObject;
    Objex* o3 = piece->object3D;
    const bool trimPiece = piece->pieceKind == 1 || piece->pieceKind == 2;
    const bool inside = piece->pieceKind == 1;
    if (base->type == objtype::kWall) {
        if (AttachmentRecord* record = AttachmentOf(o3)) {
            RemoveCustomTrim(record, inside);
        } else if (o3 == base && piece->trimRecordField) {
            TrimRecord* record = *piece->trimRecordField;
            Code code{};
            if (gTrackModifiers & kShiftBit) ApplyStandardMouldingToEntireWallGroup(base, record, piece->segmentStart, mouldingID);
            else if (CodeOf(mouldingID, &code)) SetCode(record, code);
        }
        Rebuild(base);
        return 1;
    }
    AttachmentRecord* record = AttachmentOf(base);
    if (!record || !trimPiece) return 1;
    float width = 0;
    if (TrimWidthOf(mouldingID, &width)) {
        RemoveCustomTrim(record, inside);
        record->trimWidth = width;
    }
    Rebuild(base);
    return 1;
}

void ApplyStandardMouldingToEntireWallGroup(Objex* wall, TrimRecord* record, Poinz* segmentStart, int32_t mouldingID) {
    Code code{};
    if (!wall || wall->type != objtype::kWall || !CodeOf(mouldingID, &code)) return;
    const bool first = FirstSide(record, segmentStart);
    for (Poinz* p = wall->firstPoint; p; p = p->next) SetCode(first ? p->trim1 : p->trim2, code);
}

int32_t ApplyCustomMoulding(int32_t x, int32_t y, int32_t id) {
    if (id < 0) return 0;
    const GLPick pick = PickForMaterial(x, y);
    if (pick.kind != GLPick::Piece) return 0;
    PlaneObject* piece = pick.piece;
    Objex* wall = piece->baseObject;
    if (!wall || wall->type != objtype::kWall) return 0;
    Objex* o3 = piece->object3D;
    if (o3 == wall) {
        TrimRecord* record = piece->trimRecordField ? *piece->trimRecordField : nullptr;
        if (gTrackModifiers & kShiftBit) ApplyCustomTrimFileToEntireWallGroup(wall, record, piece->segmentStart);
        else ReadCustomTrimFile(wall, 0, record);
    } else if (AttachmentOf(o3)) {
        ReadCustomTrimFile(o3, piece->pieceKind == 1, nullptr);
    }
    Rebuild(wall);
    return 1;
}

void ApplyCustomTrimFileToEntireWallGroup(Objex* wall, TrimRecord* record, Poinz* segmentStart) {
    if (!wall || wall->type != objtype::kWall || !gCurDocument) return;
    TrimDefinitionRead definition;
    if (!definition.profile()) return;
    const bool first = FirstSide(record, segmentStart);
    const int word = gApplyTrimAsBase ? kTrimWord : kCrownWord;
    for (Poinz* p = wall->firstPoint; p; p = p->next) {
        TrimRecord* side = first ? p->trim1 : p->trim2;
        if (!side) continue;
        Objex* copy = definition.copyFor(TreeFloor(wall));
        if (!copy) continue;
        if (side->profile[word]) DeleteObj(side->profile[word]);
        side->profile[word] = copy;
        side->slot[word] = TrimRecord::kCustomProfile;
    }
}

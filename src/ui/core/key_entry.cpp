#include "ui/core/key_entry.h"

#include "app/core/localization_seams.h"
#include "files/undo.h"
#include "model/bounds.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/object_fields.h"
#include "model/object_rebuild.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/selection_ops.h"
#include "model/texture_mapping.h"
#include "plan/refresh_seams.h"
#include "scene/scene_build.h"
#include "tools/fixed_components.h"
#include "tools/wall_attachments.h"
#include "tools/wall_construction.h"
#include "tools/wall_joins.h"
#include "tracking/tracking_state.h"
#include "app/core/sheet_values.h"

namespace {

constexpr int H = 0, D = 2;
constexpr int16_t kTypedExteriorWallTool = 7051;

struct Offset {
    float h = 0, d = 0;
};

Offset Along(float angle, float length) {
    Offset o;
    GetPointFromLengthAndAngle(angle, length, &o.h, &o.d);
    return o;
}

void MoveBy(Poinz* p, Offset o) {
    if (!p) return;
    p->position[H] += o.h;
    p->position[D] += o.d;
}

Poinz* LastPoint(Poinz* p) {
    while (p && p->next) p = p->next;
    return p;
}

// The point before the start, round to the last point of a closed object.
Poinz* Before(const Objex* object, Poinz* p) {
    if (p->prev) return p->prev;
    Poinz* last = object->closed ? LastPoint(object->firstPoint) : nullptr;
    return last != p ? last : nullptr;
}

// The point after the end, round to the first point of a closed object.
Poinz* After(const Objex* object, Poinz* p) {
    if (p->next) return p->next;
    Poinz* first = object->closed ? object->firstPoint : nullptr;
    return first != p ? first : nullptr;
}

// The rebuild of the resized object: only the types whose 3D follows their outline.
void Rebuild(Objex* object) {
    switch (object->type) {
    case objtype::kTopography:
    case objtype::kEntireLot:
    case objtype::kSlopeLot:
    case objtype::kCabinetPart:
        break;
    default:
        if (objtype::IsFixedComponent(object->type)) {
            if (object->firstPart) UpdateFixedComponent(object);
        } else {
            RebuildObjectByType(object, RebuildTable::Full);
        }
    }
    ReRenderObject(object);
}

}  // namespace

void ResizeSegmentToLength(const KeyEntrySegment& s, float shown, int16_t tag, bool linked) {
    sKeyEntryLinked = linked ? 1 : 0;
    sDirection = tag;
    if (!CurrentDocState() || !s.object || !s.start || !s.end) return;
    // The segment's own length and the one it is to have: the dimension method's offset
    // comes off both, so the shown length is what was typed whichever end stays.
    const float raw = s.initialLength - s.lengthOffset;
    sLength = shown - s.lengthOffset;
    const float delta = raw - sLength;  // positive shortens
    if (delta != 0) {
        const Offset dir = Along(s.angle, 1.0f);
        const float startH = s.start->position[H], startD = s.start->position[D];
        auto placeEnd = [&](float fromH, float fromD, float length) {
            const Offset before{s.end->position[H], s.end->position[D]};
            s.end->position[H] = fromH + dir.h * length;
            s.end->position[D] = fromD + dir.d * length;
            if (linked)
                MoveBy(After(s.object, s.end), {s.end->position[H] - before.h, s.end->position[D] - before.d});
        };
        auto moveStart = [&](float by) {
            const Offset o = Along(s.angle, by);
            MoveBy(s.start, o);
            if (linked) MoveBy(Before(s.object, s.start), o);
        };
        const int16_t side = objfield::point::kKeyEntryMark(*s.start);
        const bool startMoves = (tag == keyentry::kSecond && side > 0) || (tag == keyentry::kThird && side < 0);
        if (tag == keyentry::kBothEnds) {
            moveStart(delta * 0.5f);
            placeEnd(startH, startD, raw - delta * 0.5f);
        } else if (startMoves) {
            moveStart(delta);
        } else if (tag == keyentry::kSecond || tag == keyentry::kThird) {
            placeEnd(s.start->position[H], s.start->position[D], sLength);
        }
        UpdateObjectRootBounds(s.object, 0, 0);
        MapFacesAndLengths(s.object);
        Rebuild(s.object);
    }
    StoreUndo(LocalizedString("Resize Segment").c_str());
}

void FinishKeyEntry() {
    if (gCurDocument && gCurDocument->itsDocState) SelectAllLayers(gCurDocument->itsLayers, selmode::kDeselect, 1);
    Refresh();
    gMouseCaptured = 0;
}

void SetWallSegmentLength(Objex* wall, Poinz* start, Poinz* end, float drawnLength, float angle, float typed) {
    if (!CurrentDocState() || !wall || !start || !end || drawnLength - typed == 0) return;
    const Offset o = Along(angle, typed);
    end->position[H] = start->position[H] + o.h;
    end->position[D] = start->position[D] + o.d;
    RebuildWall(wall);
}

void StoreWallToolStep(int16_t drawingTool) {
    if (!CurrentDocState()) return;
    StoreUndo(LocalizedString(drawingTool == kTypedExteriorWallTool ? "Exterior Wall Tool" : "Interior Wall Tool").c_str());
}

#include "model/delete_items.h"

#include "model/point_edits.h"
#include "model/attachments.h"
#include "model/bounds.h"
#include "model/deletion.h"
#include "model/duplicate.h"
#include "model/objects.h"
#include "model/rebuild_table.h"

namespace {

bool AllPointsSelected(const Objex* o) {
    for (const Poinz* p = o->firstPoint; p; p = p->next)
        if (!p->selected) return false;
    return true;
}

Poinz* LastPointOf(const Objex* o) {
    Poinz* p = o->firstPoint;
    while (p && p->next) p = p->next;
    return p;
}

int IndexOf(const Objex* o, const Poinz* point) {
    int i = 0;
    for (const Poinz* p = o->firstPoint; p; p = p->next, ++i)
        if (p == point) return i;
    return -1;
}

Poinz* PointAtIndex(const Objex* o, int index) {
    Poinz* p = o->firstPoint;
    for (int i = 0; p && i < index; ++i) p = p->next;
    return p;
}

// Releases `from` and every point after it.
void ReleaseTail(Objex* wall, Poinz* from) {
    if (from->prev) from->prev->next = nullptr;
    else wall->firstPoint = nullptr;
    for (Poinz* p = from; p;) {
        Poinz* next = p->next;
        DeleteWallPoint(wall, p);
        wall->pointCount--;
        p = next;
    }
}

// Releases the points from the first up to and including `last`.
void ReleaseHeadThrough(Objex* wall, Poinz* last) {
    Poinz* rest = last->next;
    for (Poinz* p = wall->firstPoint; p;) {
        Poinz* next = p->next;
        DeleteWallPoint(wall, p);
        wall->pointCount--;
        if (p == last) break;
        p = next;
    }
    wall->firstPoint = rest;
    if (rest) rest->prev = nullptr;
}

// Moves leading points behind the last one until `first` leads; the wall is then open.
void TurnUntilFirst(Objex* wall, Poinz* first) {
    while (wall->firstPoint != first) {
        Poinz* p = wall->firstPoint;
        Poinz* last = LastPointOf(wall);
        wall->firstPoint = p->next;
        p->next->prev = nullptr;
        p->prev = last;
        p->next = nullptr;
        last->next = p;
    }
    wall->closed = 0;
}

void RebuildWall(Objex* wall) {
    VerifyObjectAttachments(wall);
    rebuild::Run(wall, rebuild::kObjectScopes);
    rebuild::ReRenderObject(wall);
}

// The wall keeps its points up to F, a copy of it those from S on.
Objex* SplitWall(Objex* wall, Poinz* f, Poinz* s) {
    // In place: right behind the wall in its own list.
    Objex* copy = DuplicateObject(wall, nullptr, wall, nullptr, 0, dupmode::kDuplicate);
    if (!copy) return nullptr;  // rather keep the wall whole than lose its second half
    const int indexOfF = IndexOf(wall, f);
    ReleaseTail(wall, s);
    if (Poinz* copyOfF = PointAtIndex(copy, indexOfF)) ReleaseHeadThrough(copy, copyOfF);
    return copy;
}

// Applies the one rule that fits the selected F and S; false when none changes the wall.
bool DeleteWallSegment(Objex* wall, Poinz* f, Poinz* s, Objex** copy) {
    const bool adjacent = f->next == s;
    const bool sIsLast = s->next == nullptr;
    if (!adjacent && !sIsLast) return false;
    if (!adjacent) {
        // S is the last point: the closing segment goes, or the last segment of an open wall.
        if (wall->closed) wall->closed = 0;
        else ReleaseTail(wall, s);
        return true;
    }
    if (wall->closed) {
        TurnUntilFirst(wall, s);
        return true;
    }
    if (f == wall->firstPoint) ReleaseHeadThrough(wall, f);
    else if (sIsLast) ReleaseTail(wall, s);
    else *copy = SplitWall(wall, f, s);
    return true;
}

}  // namespace

bool DeleteWallSegmentObject(Objex* wall, Poinz** first, Poinz** second) {
    if (!wall || !first || !second || wall->type != objtype::kWall) return false;
    Poinz* f = nullptr;
    Poinz* s = nullptr;
    for (Poinz* p = wall->firstPoint; p; p = p->next) {
        if (!p->selected) continue;
        if (!f) f = p;
        else if (!s) s = p;
        else return false;
    }
    if (!s) return false;
    *first = f;
    *second = s;
    // Only a segment the wall really loses takes its doors and windows with it.
    if (f->next == s || !s->next) DeleteSegmentAttachments(wall, f, s);
    return true;
}

void DeleteObjItem(Objex* object) {
    if (!object) return;
    if (object->type != objtype::kWall || AllPointsSelected(object)) {
        // Nested walls go whole with their parent: a segment rule there would leave a wall
        // behind in a freed parent.
        DeleteObj(object);
        return;
    }
    rebuild::DeleteRendererObject(object);
    if (gWorkbenchObject == object) gWorkbenchObject = nullptr;

    Poinz* f = nullptr;
    Poinz* s = nullptr;
    Objex* copy = nullptr;
    if (!DeleteWallSegmentObject(object, &f, &s) || !DeleteWallSegment(object, f, s, &copy)) {
        // Its scene pieces were discarded above.
        rebuild::ReRenderObject(object);
        return;
    }
    RebuildWall(object);
    if (copy) RebuildWall(copy);
}

void CenterOfObject(Objex* object, float* h, float* v) {
    if (!object || !h || !v) return;
    FloatRect box = EmptyFloatRect();
    GetObjectBounds(object, 0, &box, 1, 0);
    *h = box.floatLeft + (box.floatRight - box.floatLeft) * 0.5f;
    *v = box.floatTop + (box.floatBottom - box.floatTop) * 0.5f;
}

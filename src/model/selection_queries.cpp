#include "model/selection_queries.h"

#include "model/deletion.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "port/seam.h"
#include "model/tool_state.h"

Objex* gIsAnyObjectSelectedObject = nullptr;
static const port::GlobalReset kReset([] { gIsAnyObjectSelectedObject = nullptr; });
static const ObjectForgetter kForget([](const Objex* o) {
    if (gIsAnyObjectSelectedObject == o) gIsAnyObjectSelectedObject = nullptr;
});

namespace {

bool AnyOwnPointSelected(const Objex* object) {
    for (const Poinz* p = object->firstPoint; p; p = p->next)
        if (p->selected) return true;
    return false;
}

bool AnyChildSelected(const Objex* object) {
    for (const Objex* c = object->firstChild; c; c = c->next)
        if (IsObjectSelected(c)) return true;
    return false;
}

}  // namespace

bool IsWholeObjectType(const Objex* object) {
    if (!object) return false;
    if (objtype::Has(object->type, objtype::kSelectedWhole)) return true;
    if (object->type != objtype::kDetail) return false;
    // Drawn detail shapes (all but shape 6) at edit level 0.
    switch (object->subtype) {
    case 1: case 2: case 3: case 4: case 5: case 7: case 8: case 9:
        return object->optionB == 0;
    default:
        return false;
    }
}

bool ToolIsPointOriented(int16_t tool, const Objex* object) {
    if (tool <= 0 || !object) return gPointOrientation != 0;
    const bool pointTool = tool == toolid::kPointEdit || tool == toolid::kFillet ||
                           tool == toolid::kChamfer || tool == toolid::kFilletChamfer;
    if (!pointTool && !gPointOrientation) return false;
    return !IsWholeObjectType(object);
}

bool IsObjectSelected(const Objex* object) {
    if (!object) return false;
    if (AnyOwnPointSelected(object)) return true;
    if (objtype::IsRoof(object->type)) return gTrackingMouse && AnyChildSelected(object);
    if (object->type == objtype::kWall || object->type == objtype::kDeck) return false;
    return AnyChildSelected(object);
}

bool IsRootObjectSelected(const Objex* object) {
    return object && AnyOwnPointSelected(object);
}

bool IsRoofObjectSelected(const Objex* object) {
    return object && AnyOwnPointSelected(object);
}

bool IsEntireRoofObjectSelected(const Objex* object) {
    if (!object) return false;
    for (const Poinz* p = object->firstPoint; p; p = p->next)
        if (!p->selected) return false;
    return true;
}

bool IsEntireObjectSelected(const Objex* object) {
    if (!object) return false;
    if (!IsEntireRoofObjectSelected(object)) return false;
    if (object->type == objtype::kWall || object->type == objtype::kDeck) return true;
    for (const Objex* c = object->firstChild; c; c = c->next)
        if (!IsEntireObjectSelected(c)) return false;
    return true;
}

bool IsAnyObjectSelected(Objex* object) {
    gIsAnyObjectSelectedObject = nullptr;
    if (!object) return false;
    if (AnyOwnPointSelected(object)) {
        gIsAnyObjectSelectedObject = object;
        return true;
    }
    for (Objex* c = object->firstChild; c; c = c->next)
        if (IsObjectSelected(c)) {
            gIsAnyObjectSelectedObject = c;
            return true;
        }
    return false;
}

bool IsObjectLocked(const Objex* object) {
    if (!object) return false;
    for (const Poinz* p = object->firstPoint; p; p = p->next)
        if (p->locked) return true;
    for (const Objex* c = object->firstChild; c; c = c->next)
        if (IsObjectLocked(c)) return true;
    return false;
}

bool IsObjectUndetectable(const Objex* object) {
    if (!object) return false;
    for (const Poinz* p = object->firstPoint; p; p = p->next)
        if (!p->detectable) return true;
    for (const Objex* c = object->firstChild; c; c = c->next)
        if (IsObjectUndetectable(c)) return true;
    return false;
}

bool FindFirstSelectedObjectID(uint32_t* outID) {
    if (!outID || !gCurDocument || !gCurDocument->itsCurLayer) return false;
    for (const Objex* o = gCurDocument->itsCurLayer->firstObject; o; o = o->next)
        if (IsObjectSelected(o)) {
            *outID = o->objectID;
            return true;
        }
    return false;
}

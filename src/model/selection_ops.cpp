#include "model/selection_ops.h"

#include <vector>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/selection_queries.h"
#include "model/selection_roster.h"
#include "model/plan_objects.h"
#include "model/tool_state.h"
#include "model/custom_popups.h"
#include "model/selection_feedback_hooks.h"
#include "ui/core/inspector_seams.h"

namespace {

bool NoTool() {
    return static_cast<uint16_t>(gCurTool) == 65535;
}

bool HasFeedbackLine(const Objex* o) {
    return objtype::Has(o->type, objtype::kHasFeedbackLine);
}

// Watches one object through a point-wise change and redraws its selection line when its
// selected state changed.
class FeedbackWatch {
public:
    FeedbackWatch(Objex* o, uint8_t redraw, bool resetPopups = false)
        : object_(redraw && o && HasFeedbackLine(o) ? o : nullptr), resetPopups_(resetPopups) {
        if (object_) before_ = IsObjectSelected(object_);
    }
    ~FeedbackWatch() {
        if (!object_ || IsObjectSelected(object_) == before_) return;
        if (resetPopups_ && objtype::IsOpening(object_->type)) {
            gCustomWindowPopEntryHilite = -1;
            gCustomDoorPopEntryHilite = -1;
        }
        ShowSelectionLine(object_);
    }
    FeedbackWatch(const FeedbackWatch&) = delete;
    FeedbackWatch& operator=(const FeedbackWatch&) = delete;

private:
    Objex* object_;
    bool resetPopups_;
    bool before_ = false;
};

void SetOwnPointsSelected(Objex* o, uint8_t value) {
    for (Poinz* p = o->firstPoint; p; p = p->next) p->selected = value;
    if (value) NoteSelectionIn(o);
}

bool IsPointWiseGroupedOrSpecial(Objex* object) {
    return IsObjectGrouped(object) || objtype::Has(object->type, objtype::kSelectsRoot);
}

}  // namespace

void SpecialSelectPoint(Poinz* point, int8_t mode, uint8_t) {
    if (!point) return;
    switch (mode) {
    case selmode::kDetectable:
        point->detectable = 1;
        break;
    case selmode::kHide:
        if (point->selected) {
            point->selected = 0;
            point->detectable = 0;
        }
        break;
    case selmode::kLock:
        if (point->selected) point->locked = 1;
        break;
    case selmode::kUnlock:
        if (point->selected) point->locked = 0;
        break;
    default:
        break;
    }
}

void SelectPoint(Poinz* point, int8_t mode, uint8_t flag) {
    ClearWallSegmentClearances();
    if (!point) return;
    if (mode >= selmode::kDetectable) {
        SpecialSelectPoint(point, mode, flag);
        return;
    }
    switch (mode) {
    case selmode::kDeselect:
        point->selected = 0;
        break;
    case selmode::kToggle:
        if (point->selected) point->selected = 0;
        else if (point->detectable) point->selected = 1;
        break;
    default:
        if (point->detectable) point->selected = 1;
        break;
    }
    if (point->selected) {
        if (point->owner) NoteSelectionIn(point->owner);
        else NoteSelectionUnknown();
    }
}

void SetObjectSelectFlags(Objex* object, uint8_t value) {
    if (!object) return;
    for (Poinz* p = object->firstPoint; p; p = p->next) p->selected = value;
    if (value) NoteSelectionIn(object);
    for (Objex* c = object->firstChild; c; c = c->next) SetObjectSelectFlags(c, value);
}

void SelectObjectWhole(Objex* object) {
    if (!object) return;
    for (Poinz* p = object->firstPoint; p; p = p->next)
        if (p->detectable) p->selected = 1;
    NoteSelectionIn(object);
    for (Objex* c = object->firstChild; c; c = c->next) SelectObjectWhole(c);
}

void SetObjectDetectionFlags(Objex* object, uint8_t value) {
    if (!object) return;
    for (Poinz* p = object->firstPoint; p; p = p->next) p->detectable = value;
    for (Objex* c = object->firstChild; c; c = c->next) SetObjectDetectionFlags(c, value);
}

void SetObjectLockFlags(Objex* object, uint8_t value) {
    if (!object) return;
    for (Poinz* p = object->firstPoint; p; p = p->next) p->locked = value;
    for (Objex* c = object->firstChild; c; c = c->next) SetObjectLockFlags(c, value);
}

bool DoSelectObject(Objex* object, int8_t mode) {
    if (!object) return false;
    if (mode >= selmode::kDetectable) return SpecialSelectObject(object, mode);
    // A wall, deck or roof counts as selected by its own points only, but deselecting one also
    // clears a door or window chosen in it on its own, or "deselect all" would leave it behind.
    const bool selected = mode == selmode::kDeselect ? IsAnyObjectSelected(object) : IsObjectSelected(object);
    const bool wanted = mode == selmode::kDeselect ? false : (mode == selmode::kToggle ? !selected : true);
    if (wanted && IsObjectUndetectable(object)) return false;
    if (selected == wanted) return false;
    SetOwnPointsSelected(object, wanted);
    for (Objex* c = object->firstChild; c; c = c->next) SetObjectSelectFlags(c, wanted);
    return true;
}

bool SpecialSelectObject(Objex* object, int8_t mode) {
    if (!object) return false;
    if (mode == selmode::kDetectable) {
        for (Poinz* p = object->firstPoint; p; p = p->next) p->detectable = 1;
        for (Objex* c = object->firstChild; c; c = c->next) SetObjectDetectionFlags(c, 1);
        return false;
    }
    if (mode != selmode::kHide && mode != selmode::kLock && mode != selmode::kUnlock) return false;
    if (!IsObjectSelected(object)) return false;
    if (mode == selmode::kHide) {
        SetOwnPointsSelected(object, 0);
        for (Objex* c = object->firstChild; c; c = c->next) SetObjectSelectFlags(c, 0);
        for (Poinz* p = object->firstPoint; p; p = p->next) p->detectable = 0;
        for (Objex* c = object->firstChild; c; c = c->next) SetObjectDetectionFlags(c, 0);
        return true;
    }
    const uint8_t locked = mode == selmode::kLock ? 1 : 0;
    for (Poinz* p = object->firstPoint; p; p = p->next) p->locked = locked;
    for (Objex* c = object->firstChild; c; c = c->next) SetObjectLockFlags(c, locked);
    return true;
}

bool SelectObj(Objex* object, int8_t mode, uint8_t redraw) {
    if (!object) return false;
    if (!ToolIsPointOriented(gCurTool, object) && object->type != objtype::kLine)
        return DoSelectObject(object, mode);
    DoSelectObjectPoints(object, mode, redraw);
    return false;
}

void SelectObjectPoint(Poinz* point, Objex* object, int8_t mode, uint8_t redraw) {
    if (!point || !object || NoTool()) return;
    if (ToolIsPointOriented(gCurTool, object) && !IsPointWiseGroupedOrSpecial(object)) {
        if (object->type == objtype::kRoof) {
            SelectObj(object, mode, redraw);
            return;
        }
        FeedbackWatch watch(object, redraw);
        SelectPoint(point, mode, redraw);
        return;
    }
    if (object->type == objtype::kRoofCutout) {
        SelectPoint(point, mode, redraw);
        return;
    }
    SelectObj(GetRootObject(object), mode, redraw);
}

void SelectObjectSpline(Poinz* p1, Poinz* p2, Objex* object, int8_t mode, uint8_t redraw) {
    if (!p1 || !p2 || !object || NoTool()) return;
    const bool pointWise = ToolIsPointOriented(gCurTool, object);
    if (pointWise && !IsPointWiseGroupedOrSpecial(object)) {
        if (object->type == objtype::kRoof) {
            SelectObj(object, mode, redraw);
            return;
        }
        FeedbackWatch watch(object, redraw);
        SelectPoint(p1, mode, redraw);
        SelectPoint(p2, mode, redraw);
        return;
    }
    if (pointWise && object->type == objtype::kRoofCutout) {
        SelectPoint(p1, mode, redraw);
        SelectPoint(p2, mode, redraw);
        return;
    }
    if (gCurTool == toolid::kKeyEntry) return;
    if (objtype::IsRoofAttachment(object->type))
        SelectObj(object, mode, redraw);
    else
        SelectObj(GetRootObject(object), mode, redraw);
}

void DoSelectObjectPoints(Objex* object, int8_t mode, uint8_t redraw) {
    if (!object) return;
    if (object->type == objtype::kDimensionText) redraw = 0;
    {
        FeedbackWatch watch(object, redraw, true);
        for (Poinz* p = object->firstPoint; p; p = p->next) SelectPoint(p, mode, redraw);
    }
    if (object->type == objtype::kRoof && mode != selmode::kDeselect) return;
    const bool roof = objtype::IsRoof(object->type);
    for (Objex* c = object->firstChild; c; c = c->next) {
        if (roof && c->type == objtype::kSkylight) SelectObj(c, mode, redraw);
        else DoSelectObjectPoints(c, mode, redraw);
    }
}

void SelectLayer(Layer* layer, int8_t mode, uint8_t redraw) {
    if (!layer || !layer->visible || !layer->active) return;
    if (mode == selmode::kDeselect) {
        // Deselecting changes only what holds a selected point; a shown wall segment
        // dimension goes as it would when any point of the layer is visited.
        if (layer->firstObject) ClearWallSegmentClearances();
        std::vector<Objex*> selected;
        SelectedObjectsOfLayer(layer, &selected);
        for (Objex* o : selected) SelectObj(o, mode, redraw);
        return;
    }
    for (Objex* o = layer->firstObject; o; o = o->next) SelectObj(o, mode, redraw);
}

void SelectAllLayers(Layer* firstLayer, int8_t mode, uint8_t redraw) {
    for (Layer* l = firstLayer; l; l = l->next) SelectLayer(l, mode, redraw);
    if (gCurTool != toolid::kSkylight) InspectorUpdatePropertiesState(1);
}

void SelectVisualObj(Objex* object, int8_t mode, uint8_t redraw, int32_t planMask) {
    if (!object || !CanObjectTypeBeSelected(object->type)) return;
    if (!ToolIsPointOriented(gCurTool, object) && object->type != objtype::kLine)
        DoSelectObject(object, mode);
    else
        DoSelectVisualObjectPoints(object, mode, redraw, planMask);
}

void DoSelectVisualObjectPoints(Objex* object, int8_t mode, uint8_t redraw, int32_t planMask) {
    if (!object) return;
    const bool removePoint = gCurTool == toolid::kRemovePoint;
    if (object->type == objtype::kSkylight && removePoint) return;
    {
        const uint8_t pointRedraw = object->type == objtype::kDimensionText ? 0 : redraw;
        FeedbackWatch watch(object, pointRedraw);
        for (Poinz* p = object->firstPoint; p; p = p->next) SelectPoint(p, mode, pointRedraw);
    }
    const bool roof = objtype::IsRoof(object->type);
    for (Objex* c = object->firstChild; c; c = c->next) {
        if (!IsObjectOnCurrentPlan(c, planMask)) continue;
        if (roof && c->type == objtype::kSkylight && !removePoint)
            SelectVisualObj(c, mode, redraw, planMask);
        else
            DoSelectVisualObjectPoints(c, mode, redraw, planMask);
    }
}

void SelectVisualLayer(Layer* layer, int8_t mode, uint8_t redraw) {
    const DocState* ds = CurrentDocState();
    if (!ds || !layer || !layer->visible || !layer->active) return;
    const int32_t mask = ds->visiblePlans;
    for (Objex* o = layer->firstObject; o; o = o->next)
        if (IsObjectOnCurrentPlan(o, mask)) SelectVisualObj(o, mode, redraw, mask);
}

void SelectVisualAllLayers(Layer* firstLayer, int8_t mode, uint8_t redraw) {
    for (Layer* l = firstLayer; l; l = l->next) SelectVisualLayer(l, mode, redraw);
}

void DeselectAllAttachmentObjects() {
    if (!gCurDocument || !gCurDocument->itsCurLayer) return;
    for (Objex* o = gCurDocument->itsCurLayer->firstObject; o; o = o->next) {
        if (!objtype::IsAttachmentCarrier(o->type)) continue;
        for (Objex* c = o->firstChild; c; c = c->next)
            if (objtype::IsAttachment(c->type)) SelectObj(c, selmode::kDeselect, 0);
    }
}

void SelectEntireRoofAttachments(Objex* roof) {
    if (!roof) return;
    for (Objex* c = roof->firstChild; c; c = c->next)
        if (c->type != objtype::kSlopeArrow && IsObjectSelected(c)) SelectObj(c, selmode::kSelect, 1);
}

void Select3DRoofPanelObj(Objex* roof) {
    if (!roof) return;
    for (Poinz* p = roof->firstPoint; p; p = p->next) SelectPoint(p, selmode::kSelect, 0);
    for (Objex* c = roof->firstChild; c; c = c->next)
        if (c->type == objtype::kSlopeArrow) SelectObj(c, selmode::kSelect, 0);
}

bool IsAnyRoofAttachmentSelected(const Objex* roof) {
    if (!roof) return false;
    for (const Objex* c = roof->firstChild; c; c = c->next) {
        if (c->type == objtype::kSlopeArrow) continue;
        for (const Poinz* p = c->firstPoint; p; p = p->next)
            if (p->selected) return true;
    }
    return false;
}

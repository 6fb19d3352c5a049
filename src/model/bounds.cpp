#include "model/bounds.h"

#include <vector>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/objects.h"
#include "model/segment_sampling.h"
#include "model/plan_objects.h"
#include "model/plan_index.h"
#include "model/selection_roster.h"
#include "port/seam.h"

uint8_t gDimensionSelected = 0;
static const port::GlobalReset kReset([] { gDimensionSelected = 0; });

FloatRect EmptyFloatRect() {
    FloatRect r;
    r.floatTop = r.floatLeft = kEmptyBoundsLow;
    r.floatBottom = r.floatRight = kEmptyBoundsHigh;
    return r;
}

Float3DRect EmptyFloat3DRect() {
    Float3DRect r;
    r.floatTop = r.floatLeft = r.floatBack = kEmptyBoundsLow;
    r.floatBottom = r.floatRight = r.floatFront = kEmptyBoundsHigh;
    return r;
}

bool IsEmptyBounds(const FloatRect& b) {
    return b.floatTop == kEmptyBoundsLow && b.floatLeft == kEmptyBoundsLow &&
           b.floatBottom == kEmptyBoundsHigh && b.floatRight == kEmptyBoundsHigh;
}

bool IsEmptyBounds(const Float3DRect& b) {
    return b.floatTop == kEmptyBoundsLow && b.floatLeft == kEmptyBoundsLow &&
           b.floatBack == kEmptyBoundsLow && b.floatBottom == kEmptyBoundsHigh &&
           b.floatRight == kEmptyBoundsHigh && b.floatFront == kEmptyBoundsHigh;
}

namespace {

// One axis of a box: a value below the lower edge moves it, else one above the upper edge.
inline void GrowAxis(float value, float& low, float& high) {
    if (value < low) low = value;
    else if (value > high) high = value;
}

void Grow2D(float x, float y, FloatRect* box) {
    if (IsEmptyBounds(*box)) {
        box->floatLeft = box->floatRight = x;
        box->floatTop = box->floatBottom = y;
        return;
    }
    GrowAxis(x, box->floatLeft, box->floatRight);
    GrowAxis(y, box->floatTop, box->floatBottom);
}

// The pen offset of one object: a point is entered at (x + dx, y + dy) and (x - dx, y - dy).
struct Pen {
    bool on = false;
    float dx = 0;
    float dy = 0;
};

Pen PenOf(Objex* object, uint8_t withPen, uint8_t zoomed) {
    Pen pen;
    if (!withPen) return pen;
    const int16_t w = GetLineWeight(object, zoomed);
    if (w < 2) return pen;
    int16_t dx = 0, dy = 0;
    GetPenOffset(w, &dx, &dy);
    pen.on = true;
    pen.dx = dx;
    pen.dy = dy;
    return pen;
}

// The offset is applied to the projected coordinates, so a thick outline widens the box
// on every side in any view.
void GrowProjected(float x, float y, FloatRect* box, const Pen& pen) {
    if (!pen.on) {
        Grow2D(x, y, box);
        return;
    }
    Grow2D(x + pen.dx, y + pen.dy, box);
    Grow2D(x - pen.dx, y - pen.dy, box);
}

void Refine(float h, float v, float d, FloatRect* box, const Pen& pen) {
    ProjectPointToView(&h, &v, &d);
    GrowProjected(h, v, box, pen);
}

void SampleSpline2D(const Poinz* a, const Poinz* b, FloatRect* box, const Pen& pen) {
    ForEachCurveSample(a, b, [&](float h, float v, float d) { Refine(h, v, d, box, pen); });
}

void SampleSpline3D(const Poinz* a, const Poinz* b, Float3DRect* box) {
    ForEachCurveSample(a, b, [&](float h, float v, float d) { Refine3DBounds(h, v, d, box); });
}

// Kinds 2 and 4 mark both segments at the point as straight in plan bounds.
bool IsStraightKind(const Poinz* p) { return p->kind == 2 || p->kind == 4; }

bool HasSelectedPoint(const Objex* o) {
    for (const Poinz* p = o->firstPoint; p; p = p->next)
        if (p->selected) return true;
    return false;
}

Objex* WallSolidOf(const Objex* wall) {
    return wall->typeData.kind == TypeDataKind::WallSolid ? wall->typeData.wallSolid : nullptr;
}

Objex* RoofPanelsOf(const Objex* roof) {
    return roof->typeData.kind == TypeDataKind::RoofPanels ? roof->typeData.roofPanels : nullptr;
}

bool MeasuresCurve2D(const Poinz* a, const Poinz* b, uint8_t ignoreCurves) {
    return !ignoreCurves && IsCurvedSegment(a, b) && !IsStraightKind(a) && !IsStraightKind(b);
}

// The points of one object into a 2D box, with the closing segment of a closed outline.
void ObjectPoints2D(Objex* object, uint8_t onlySelected, FloatRect* box, uint8_t ignoreCurves,
                    const Pen& pen) {
    Poinz* last = nullptr;
    for (Poinz* p = object->firstPoint; p; p = p->next) {
        last = p;
        if (onlySelected && !p->selected) continue;
        if (p->prev && MeasuresCurve2D(p->prev, p, ignoreCurves))
            SampleSpline2D(p->prev, p, box, pen);
        else
            Refine(p->position[0], p->position[1], p->position[2], box, pen);
    }
    Poinz* first = object->firstPoint;
    if (object->closed && !ignoreCurves && first && (!onlySelected || first->selected) &&
        MeasuresCurve2D(last, first, ignoreCurves))
        SampleSpline2D(last, first, box, pen);
}

void ObjectPoints3D(Objex* object, uint8_t onlySelected, Float3DRect* box, uint8_t ignoreCurves) {
    Poinz* last = nullptr;
    for (Poinz* p = object->firstPoint; p; p = p->next) {
        last = p;
        if (onlySelected && !p->selected) continue;
        if (p->prev && !ignoreCurves && IsCurvedSegment(p->prev, p))
            SampleSpline3D(p->prev, p, box);
        else
            Refine3DBounds(p->position[0], p->position[1], p->position[2], box);
    }
    Poinz* first = object->firstPoint;
    if (object->closed && !ignoreCurves && first && (!onlySelected || first->selected) &&
        IsCurvedSegment(last, first))
        SampleSpline3D(last, first, box);
}

// The eight corners of a stored 3D box, in the order back face then front face.
template <typename Enter>
void ForEachCorner(const Float3DRect& r, Enter&& enter) {
    enter(r.floatLeft, r.floatTop, r.floatBack);
    enter(r.floatRight, r.floatTop, r.floatBack);
    enter(r.floatRight, r.floatBottom, r.floatBack);
    enter(r.floatLeft, r.floatBottom, r.floatBack);
    enter(r.floatLeft, r.floatTop, r.floatFront);
    enter(r.floatRight, r.floatTop, r.floatFront);
    enter(r.floatRight, r.floatBottom, r.floatFront);
    enter(r.floatLeft, r.floatBottom, r.floatFront);
}

void StoredBox2D(const Float3DRect& r, FloatRect* box, const Pen& pen) {
    ForEachCorner(r, [&](float h, float v, float d) { Refine(h, v, d, box, pen); });
}

void StoredBox3D(const Float3DRect& r, Float3DRect* box) {
    ForEachCorner(r, [&](float h, float v, float d) { Refine3DBounds(h, v, d, box); });
}

// Whether the object's own stored box counts (walls answer through their solid).
bool OwnBoxCounts(const Objex* o, uint8_t onlySelected) {
    if (o->type == objtype::kGroup) return false;
    return !onlySelected || HasSelectedPoint(o);
}

}  // namespace

void RefineBounds(float h, float v, float d, FloatRect* box) {
    if (!box) return;
    Refine(h, v, d, box, Pen{});
}

void Refine3DBounds(float h, float v, float d, Float3DRect* box) {
    if (!box) return;
    if (IsEmptyBounds(*box)) {
        box->floatLeft = box->floatRight = h;
        box->floatTop = box->floatBottom = v;
        box->floatBack = box->floatFront = d;
        return;
    }
    GrowAxis(h, box->floatLeft, box->floatRight);
    GrowAxis(v, box->floatTop, box->floatBottom);
    GrowAxis(d, box->floatBack, box->floatFront);
}

void GetObjectSplineBounds(const Poinz* a, const Poinz* b, FloatRect* box, uint8_t withPen,
                           int16_t dx, int16_t dy) {
    if (!a || !b || !box) return;
    Pen pen;
    pen.on = withPen != 0;
    pen.dx = dx;
    pen.dy = dy;
    SampleSpline2D(a, b, box, pen);
}

void GetObjectSpline3DBounds(const Poinz* a, const Poinz* b, Float3DRect* box) {
    if (!a || !b || !box) return;
    SampleSpline3D(a, b, box);
}

// --- 2D point bounds ---

void DoGetObjectBounds(Objex* object, uint8_t onlySelected, FloatRect* box, uint8_t ignoreCurves,
                       uint8_t withPen) {
    if (!object || !box) return;
    ObjectPoints2D(object, onlySelected, box, ignoreCurves, PenOf(object, withPen, 0));
    if (objtype::IsRoof(object->type)) return;
    for (Objex* child = object->firstChild; child; child = child->next)
        DoGetObjectBounds(child, onlySelected, box, ignoreCurves, withPen);
}

void GetObjectBounds(Objex* object, uint8_t onlySelected, FloatRect* box, uint8_t ignoreCurves,
                     uint8_t withPen) {
    if (!object || !box) return;
    if (object->type == objtype::kWall) {
        if (onlySelected && !HasSelectedPoint(object)) return;
        DoGetObjectBounds(WallSolidOf(object), 0, box, ignoreCurves, withPen);
        return;
    }
    DoGetObjectBounds(object, onlySelected, box, ignoreCurves, withPen);
}

void GetLayerBounds(Layer* layer, uint8_t onlySelected, FloatRect* box, uint8_t ignoreCurves,
                    uint8_t withPen) {
    if (!layer || !box || !layer->visible) return;
    const DocState* ds = CurrentDocState();
    for (Objex* o = layer->firstObject; o; o = o->next) {
        if (gPrinting && ds && !IsObjectOnCurrentPlan(o, ds->visiblePlans)) continue;
        GetObjectBounds(o, onlySelected, box, ignoreCurves, withPen);
    }
}

void GetAllLayersBounds(Layer* firstLayer, uint8_t onlySelected, FloatRect* box,
                        uint8_t ignoreCurves, uint8_t withPen) {
    for (Layer* l = firstLayer; l; l = l->next)
        GetLayerBounds(l, onlySelected, box, ignoreCurves, withPen);
}

// --- 2D stored-box bounds ---

void GetObjectObjBounds(Objex* object, uint8_t onlySelected, FloatRect* box, uint8_t ignoreCurves,
                        uint8_t withPen) {
    if (!object || !box) return;
    if (object->type == objtype::kWall) {
        Objex* solid = WallSolidOf(object);
        if (solid && (!onlySelected || HasSelectedPoint(object)))
            StoredBox2D(solid->bounds3D, box, PenOf(solid, withPen, 1));
    } else if (OwnBoxCounts(object, onlySelected)) {
        StoredBox2D(object->bounds3D, box, PenOf(object, withPen, 1));
        if (object->type >= 100 && object->type <= 107) gDimensionSelected = 1;
    }
    if (objtype::IsRoof(object->type)) return;
    for (Objex* child = object->firstChild; child; child = child->next)
        GetObjectObjBounds(child, onlySelected, box, ignoreCurves, withPen);
}

void GetLayerObjBounds(Layer* layer, uint8_t onlySelected, FloatRect* box, uint8_t ignoreCurves,
                       uint8_t withPen) {
    if (!layer || !box || !layer->visible) return;
    if (onlySelected) {
        // What holds no selected point adds nothing.
        std::vector<Objex*> selected;
        SelectedObjectsOfLayer(layer, &selected);
        for (Objex* o : selected) GetObjectObjBounds(o, onlySelected, box, ignoreCurves, withPen);
        return;
    }
    for (Objex* o = layer->firstObject; o; o = o->next)
        GetObjectObjBounds(o, onlySelected, box, ignoreCurves, withPen);
}

void GetAllLayersObjBounds(Layer* firstLayer, uint8_t onlySelected, FloatRect* box,
                           uint8_t ignoreCurves, uint8_t withPen) {
    for (Layer* l = firstLayer; l; l = l->next)
        GetLayerObjBounds(l, onlySelected, box, ignoreCurves, withPen);
}

// --- 3D point bounds ---

void DoGetObject3DBounds(Objex* object, uint8_t onlySelected, Float3DRect* box,
                         uint8_t ignoreCurves) {
    if (!object || !box) return;
    ObjectPoints3D(object, onlySelected, box, ignoreCurves);
    for (Objex* child = object->firstChild; child; child = child->next)
        if (child->type != objtype::kSlopeArrow)
            DoGetObject3DBounds(child, onlySelected, box, ignoreCurves);
}

void GetObject3DBounds(Objex* object, uint8_t onlySelected, Float3DRect* box, uint8_t ignoreCurves) {
    if (!object || !box) return;
    if (object->type == objtype::kWall) {
        if (onlySelected && !HasSelectedPoint(object)) return;
        DoGetObject3DBounds(WallSolidOf(object), 0, box, ignoreCurves);
        return;
    }
    DoGetObject3DBounds(object, onlySelected, box, ignoreCurves);
}

void GetLayer3DBounds(Layer* layer, uint8_t onlySelected, Float3DRect* box, uint8_t ignoreCurves) {
    if (!layer || !box || !layer->visible) return;
    for (Objex* o = layer->firstObject; o; o = o->next)
        GetObject3DBounds(o, onlySelected, box, ignoreCurves);
}

void GetAllLayers3DBounds(Layer* firstLayer, uint8_t onlySelected, Float3DRect* box,
                          uint8_t ignoreCurves) {
    for (Layer* l = firstLayer; l; l = l->next)
        GetLayer3DBounds(l, onlySelected, box, ignoreCurves);
}

// --- 3D stored-box bounds ---

void GetObjectObj3DBounds(Objex* object, uint8_t onlySelected, Float3DRect* box,
                          uint8_t ignoreCurves) {
    if (!object || !box) return;
    if (object->type == objtype::kWall) {
        Objex* solid = WallSolidOf(object);
        if (solid && (!onlySelected || HasSelectedPoint(object))) StoredBox3D(solid->bounds3D, box);
    } else if (OwnBoxCounts(object, onlySelected)) {
        StoredBox3D(object->bounds3D, box);
    }
    for (Objex* child = object->firstChild; child; child = child->next)
        GetObjectObj3DBounds(child, onlySelected, box, ignoreCurves);
}

void GetLayerObj3DBounds(Layer* layer, uint8_t onlySelected, Float3DRect* box,
                         uint8_t ignoreCurves) {
    if (!layer || !box || !layer->visible) return;
    if (onlySelected) {
        std::vector<Objex*> selected;
        SelectedObjectsOfLayer(layer, &selected);
        for (Objex* o : selected) GetObjectObj3DBounds(o, onlySelected, box, ignoreCurves);
        return;
    }
    for (Objex* o = layer->firstObject; o; o = o->next)
        GetObjectObj3DBounds(o, onlySelected, box, ignoreCurves);
}

void GetAllLayersObj3DBounds(Layer* firstLayer, uint8_t onlySelected, Float3DRect* box,
                             uint8_t ignoreCurves) {
    for (Layer* l = firstLayer; l; l = l->next)
        GetLayerObj3DBounds(l, onlySelected, box, ignoreCurves);
}

// --- roofs by their panels ---

void GetSpecialObjects3DBounds(Objex* object, uint8_t onlySelected, Float3DRect* box,
                               uint8_t ignoreCurves) {
    if (!object || !box) return;
    if (objtype::IsRoof(object->type)) {
        if (onlySelected && !HasSelectedPoint(object)) return;
        for (Objex* panel = RoofPanelsOf(object); panel; panel = panel->next)
            DoGetObject3DBounds(panel, 0, box, ignoreCurves);
        return;
    }
    if (object->type == objtype::kWall) {
        GetObject3DBounds(object, onlySelected, box, ignoreCurves);
        return;
    }
    DoGetObject3DBounds(object, onlySelected, box, ignoreCurves);
}

void GetSpecialLayers3DBounds(Layer* layer, uint8_t onlySelected, Float3DRect* box,
                              uint8_t ignoreCurves) {
    if (!layer || !box || !layer->visible) return;
    for (Objex* o = layer->firstObject; o; o = o->next)
        GetSpecialObjects3DBounds(o, onlySelected, box, ignoreCurves);
}

void GetAllSpecialLayers3DBounds(Layer* firstLayer, uint8_t onlySelected, Float3DRect* box,
                                 uint8_t ignoreCurves) {
    for (Layer* l = firstLayer; l; l = l->next)
        GetSpecialLayers3DBounds(l, onlySelected, box, ignoreCurves);
}

// --- stored bounds ---

namespace {

// The plan box and the model box of one object in one walk: every curve is sampled once and
// its samples go to each box that measures it, each box seeing its values in the order its
// own walk (ObjectPoints2D, ObjectPoints3D) gives them, so both come out to the same bit.
void BothBoxes(Objex* object, FloatRect* plan, Float3DRect* model, bool inPlan, bool inModel) {
    const Pen pen;
    Poinz* last = nullptr;
    for (Poinz* p = object->firstPoint; p; p = p->next) {
        last = p;
        if (p->prev && IsCurvedSegment(p->prev, p)) {
            const bool planCurve = inPlan && !IsStraightKind(p->prev) && !IsStraightKind(p);
            ForEachCurveSample(p->prev, p, [&](float h, float v, float d) {
                if (inModel) Refine3DBounds(h, v, d, model);
                if (planCurve) Refine(h, v, d, plan, pen);
            });
            if (inPlan && !planCurve) Refine(p->position[0], p->position[1], p->position[2], plan, pen);
        } else {
            if (inPlan) Refine(p->position[0], p->position[1], p->position[2], plan, pen);
            if (inModel) Refine3DBounds(p->position[0], p->position[1], p->position[2], model);
        }
    }
    Poinz* first = object->firstPoint;
    if (object->closed && first && IsCurvedSegment(last, first)) {
        const bool planCurve = inPlan && !IsStraightKind(last) && !IsStraightKind(first);
        if (planCurve || inModel)
            ForEachCurveSample(last, first, [&](float h, float v, float d) {
                if (inModel) Refine3DBounds(h, v, d, model);
                if (planCurve) Refine(h, v, d, plan, pen);
            });
    }
    const bool childrenInPlan = inPlan && !objtype::IsRoof(object->type);
    for (Objex* child = object->firstChild; child; child = child->next) {
        const bool childInModel = inModel && child->type != objtype::kSlopeArrow;
        if (childrenInPlan || childInModel) BothBoxes(child, plan, model, childrenInPlan, childInModel);
    }
}

bool IsNumberBox(const FloatRect& r) {
    return r.floatTop == r.floatTop && r.floatLeft == r.floatLeft && r.floatBottom == r.floatBottom &&
           r.floatRight == r.floatRight;
}
bool IsNumberBox(const Float3DRect& r) {
    return r.floatTop == r.floatTop && r.floatLeft == r.floatLeft && r.floatBottom == r.floatBottom &&
           r.floatRight == r.floatRight && r.floatBack == r.floatBack && r.floatFront == r.floatFront;
}

// Growing a box by another gives what growing it by each of the other's values in turn
// gives: the first value of the lowest and of the highest is kept.
template <class Box>
void Merge(const Box& from, Box* box) {
    if (IsEmptyBounds(from)) return;
    if (IsEmptyBounds(*box)) {
        *box = from;
        return;
    }
    if (from.floatLeft < box->floatLeft) box->floatLeft = from.floatLeft;
    if (from.floatRight > box->floatRight) box->floatRight = from.floatRight;
    if (from.floatTop < box->floatTop) box->floatTop = from.floatTop;
    if (from.floatBottom > box->floatBottom) box->floatBottom = from.floatBottom;
    if constexpr (requires { box->floatBack; }) {
        if (from.floatBack < box->floatBack) box->floatBack = from.floatBack;
        if (from.floatFront > box->floatFront) box->floatFront = from.floatFront;
    }
}

}  // namespace

void UpdateGroupBoundsFromMembers(Objex* group) {
    if (!group) return;
    if (group->type != objtype::kGroup || group->firstPoint) {
        UpdateObjectBounds(group);
        return;
    }
    FloatRect plan = EmptyFloatRect();
    Float3DRect model = EmptyFloat3DRect();
    for (Objex* m = group->firstChild; m; m = m->next) {
        const bool stored = m->type != objtype::kWall && m->type != objtype::kSlopeArrow && !m->firstChild &&
                            IsNumberBox(m->bounds) && IsNumberBox(m->bounds3D);
        if (stored) {
            Merge(m->bounds, &plan);
            Merge(m->bounds3D, &model);
        } else {
            BothBoxes(m, &plan, &model, true, m->type != objtype::kSlopeArrow);
        }
    }
    group->bounds = plan;
    group->bounds3D = model;
    PlanIndexBoundsChanged(group);
}

void UpdateObjectRootBounds(Objex* object, uint8_t a, uint8_t b) {
    if (!object) return;
    if (!a && !b) {
        FloatRect plan = EmptyFloatRect();
        Float3DRect model = EmptyFloat3DRect();
        Objex* measured = object->type == objtype::kWall ? WallSolidOf(object) : object;
        if (measured) BothBoxes(measured, &plan, &model, true, true);
        object->bounds = plan;
        object->bounds3D = model;
        PlanIndexBoundsChanged(object);
        return;
    }
    FloatRect plan = EmptyFloatRect();
    GetObjectBounds(object, a, &plan, b, 0);
    object->bounds = plan;
    Float3DRect model = EmptyFloat3DRect();
    GetObject3DBounds(object, 0, &model, 0);
    object->bounds3D = model;
    PlanIndexBoundsChanged(object);
}

void UpdateObjectBounds(Objex* object) { UpdateObjectRootBounds(object, 0, 0); }

void AdjustEnhancedTextObjectSize(Objex* object) {
    if (!object) return;
    const float minWidth = objfield::text_box::kMinimumWidth(*object);
    const float minHeight = objfield::text_box::kMinimumHeight(*object);
    if (minWidth < 1.0f || minHeight < 1.0f || object->pointCount < 4) return;
    Poinz* p[4] = {object->firstPoint, nullptr, nullptr, nullptr};
    for (int i = 1; i < 4; ++i) p[i] = p[i - 1] ? p[i - 1]->next : nullptr;
    if (!p[3]) return;  // fewer points in the list than the count says
    constexpr int H = 0, D = 2;
    const float left = p[0]->position[H] < p[2]->position[H] ? p[0]->position[H] : p[2]->position[H];
    const float top = p[0]->position[D] < p[2]->position[D] ? p[0]->position[D] : p[2]->position[D];
    const float right = p[0]->position[H] < p[2]->position[H] ? p[2]->position[H] : p[0]->position[H];
    const float bottom = p[0]->position[D] < p[2]->position[D] ? p[2]->position[D] : p[0]->position[D];
    if (minWidth > right - left) {
        p[0]->position[H] = p[3]->position[H] = left;
        p[1]->position[H] = p[2]->position[H] = left + minWidth;
    }
    if (minHeight > bottom - top) {
        p[0]->position[D] = p[1]->position[D] = top;
        p[2]->position[D] = p[3]->position[D] = top + minHeight;
    }
    UpdateObjectBounds(object);
}

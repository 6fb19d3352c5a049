#include "model/hit_testing.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/bounds.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/numeric.h"
#include "model/objects.h"
#include "model/plan_index.h"
#include "model/projection.h"
#include "model/selection_queries.h"
#include "model/shape_path.h"
#include "model/splines.h"
#include "model/plan_objects.h"
#include "model/zoom_units.h"
#include "port/seam.h"
#include "model/click_info.h"
#include "model/tool_state.h"

int16_t gSelectIndex = 1;
static const port::GlobalReset kReset([] { gSelectIndex = 1; });

namespace {

// Integer rectangle in view units; wide enough that growing a clamped side cannot overflow.
struct ViewRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;

    void inflate(int32_t n) {
        left -= n, top -= n, right += n, bottom += n;
    }
    // Shrinks by (dx, dy) on each side, only when either is non-zero.
    void shrink(int16_t dx, int16_t dy) {
        if (!dx && !dy) return;
        left += dx, right -= dx, top += dy, bottom -= dy;
    }
    bool contains(const ClickInfo* click) const {
        const float x = static_cast<float>(click->ciWhere.x);
        const float y = static_cast<float>(click->ciWhere.y);
        return static_cast<float>(left) <= x && x < static_cast<float>(right) &&
               static_cast<float>(top) <= y && y < static_cast<float>(bottom);
    }
};

// Clamped to +-32767, then rounded by adding 0.5 and truncating.
int32_t RoundView(float v) {
    return dvxnum::TruncToInt16(dvxnum::Clamp(v, -32767.0, 32767.0) + 0.5);
}

float ClampView(float v) {
    return static_cast<float>(dvxnum::Clamp(v, -32767.0, 32767.0));
}

// A model position into view coordinates (zoomed, perspective when the view has it).
void ProjectToView(float* x, float* y, float* z) {
    ConversionToIsometric(x, y, z, gCosXAngle, gSinXAngle, gCosYAngle, gSinYAngle, gGlobalXOffset,
                          gGlobalYOffset, gGlobalZOffset, 1);
    if (gPerspective) AddPerspective(x, y, z, gViewDistance, 0, 0, 0);
}

ViewRect SquareAround(float x, float y, int32_t half) {
    const int32_t cx = RoundView(x), cy = RoundView(y);
    return ViewRect{cx - half, cy - half, cx + half, cy + half};
}

bool InTypeList(int16_t type, const int16_t* types, int16_t count) {
    for (int16_t i = 0; i < count; ++i)
        if (types[i] == type) return true;
    return false;
}

bool IsCurved(const Poinz* p1, const Poinz* p2) {
    for (int i = 0; i < 3; ++i)
        if (p1->outTangent[i] != 0.0f || p2->inTangent[i] != 0.0f) return true;
    return false;
}

void PointReport(ClickInfo* click, Objex* object, Poinz* point) {
    click->ciPointHit = 1;
    click->ciPoint = point;
    click->ciObject = object;
    click->ciHitPos = Float3DPoint{point->position[0], point->position[1], point->position[2]};
}

void SegmentReport(ClickInfo* click, Objex* object, Poinz* p1, Poinz* p2) {
    click->ciPointHit = 0;
    click->ciSegmentHit = 1;
    click->ciPoint = p1;
    click->ciPoint2 = p2;
    click->ciObject = object;
}

// Clears what a passed-over hit left in the record.
void ClearHit(ClickInfo* click) {
    click->ciHit = 0;
    click->ciPointHit = click->ciSegmentHit = click->ciAreaHit = click->ciHandleHit = 0;
    click->ciHandle = 0;
    click->ciPoint = click->ciPoint2 = nullptr;
    click->ciObject = nullptr;
    click->ciHitPos = Float3DPoint{};
}

// Types picked anywhere inside their bounds.
bool IsWholeObjectPick(const Objex* o) {
    return objtype::Has(o->type, objtype::kPickedWhole) || o->subtype == 89;
}

// Children of these types are searched only while their plan shows.
bool IsPlanFilteredChild(const Objex* o) {
    return objtype::IsWallAttachment(o->type);
}

const port::Path* ShapePathOf(const Objex* o) {
    const auto* shape = dynamic_cast<const ShapePathObject*>(o->platformObject);
    return shape ? &shape->path : nullptr;
}

// The handles of a selected object at the corners of its 3D bounds, numbered 1-8.
bool TestHandles(Objex* o, ClickInfo* click) {
    const Float3DRect& b = o->bounds3D;
    const float corners[8][3] = {
        {b.floatLeft, b.floatTop, b.floatBack},     {b.floatRight, b.floatTop, b.floatBack},
        {b.floatRight, b.floatBottom, b.floatBack}, {b.floatLeft, b.floatBottom, b.floatBack},
        {b.floatLeft, b.floatTop, b.floatFront},    {b.floatRight, b.floatTop, b.floatFront},
        {b.floatRight, b.floatBottom, b.floatFront}, {b.floatLeft, b.floatBottom, b.floatFront},
    };
    for (int i = 0; i < 8; ++i) {
        if (!Test3DHit(corners[i][0], corners[i][1], corners[i][2], click)) continue;
        click->ciHandleHit = 1;
        click->ciHandle = static_cast<int16_t>(i + 1);
        click->ciObject = o;
        click->ciHitPos = Float3DPoint{corners[i][0], corners[i][1], corners[i][2]};
        return true;
    }
    return false;
}

// Topography lines and fences are searched with a hairline pen (their pen-width field holds an
// elevation and a gate width); their own width comes back on every way out.
class PenWidthSwap {
public:
    explicit PenWidthSwap(Objex* o)
        : object_(o->type == objtype::kTopography || o->type == objtype::kFence ? o : nullptr) {
        if (object_) {
            saved_ = object_->penWidth;
            object_->penWidth = 1.0f;
        }
    }
    ~PenWidthSwap() {
        if (object_) object_->penWidth = saved_;
    }
    PenWidthSwap(const PenWidthSwap&) = delete;
    PenWidthSwap& operator=(const PenWidthSwap&) = delete;

private:
    Objex* object_;
    float saved_ = 0;
};

}  // namespace

int32_t PickHalfSize() {
    const DocState* ds = CurrentDocState();
    if (!ds) return 5;
    return ds->pickTolerance >= 2 ? ds->pickTolerance : 2;
}

bool Test3DHit(float h, float v, float d, ClickInfo* click) {
    if (!click) return false;
    ProjectToView(&h, &v, &d);
    return SquareAround(h, v, 5).contains(click);
}

bool SearchPoint(Poinz* point, ClickInfo* click, int16_t dx, int16_t dy) {
    if (!point || !click || !gCurDocument) return false;
    float x = point->position[0], y = point->position[1], z = point->position[2];
    ProjectToView(&x, &y, &z);
    ViewRect r = SquareAround(x, y, PickHalfSize());
    r.shrink(dx, dy);
    return r.contains(click);
}

bool SearchObjectSpline(Poinz* p1, Poinz* p2, ClickInfo* click, int16_t dx, int16_t dy) {
    if (!p1 || !p2 || !click) return false;
    const DocState* ds = CurrentDocState();
    // A resolution below 1 would never finish stepping: it counts as 1.
    const int n = ds ? 2 * (ds->curveSegments < 1 ? 1 : ds->curveSegments) : 10;
    const bool curved = IsCurved(p1, p2);
    if (gCurTool == toolid::kKeyEntry && curved) return false;
    const int32_t grow = PickHalfSize() - 1;

    RECT rough;
    GetSplineBounds(p1->position[0], p1->outTangent[0], p2->inTangent[0], p2->position[0],
                    p1->position[1], p1->outTangent[1], p2->inTangent[1], p2->position[1],
                    p1->position[2], p1->outTangent[2], p2->inTangent[2], p2->position[2], &rough);
    ViewRect box{rough.left, rough.top, rough.right, rough.bottom};
    box.inflate(grow);
    box.shrink(dx, dy);
    if (!box.contains(click)) return false;

    float a[3], b[3], c[3], d[3];
    for (int i = 0; i < 3; ++i)
        SetupSpline(p1->position[i], p1->outTangent[i], p2->position[i], p2->inTangent[i], &a[i], &b[i],
                    &c[i], &d[i]);

    const double step = 1.0 / n;
    float prevT = 0;
    float prev[3] = {};
    for (float t = 0; static_cast<double>(t) < 1.0 + step; t = static_cast<float>(t + step)) {
        const float t2 = t * t, t3 = t2 * t;
        float world[3], view[3];
        for (int i = 0; i < 3; ++i) world[i] = view[i] = GetSplineCoord(a[i], b[i], c[i], d[i], t, t2, t3);
        ProjectToView(&view[0], &view[1], &view[2]);
        for (float& v : view) v = ClampView(v);
        if (t == 0.0f) {
            for (int i = 0; i < 3; ++i) prev[i] = view[i];
            prevT = t;
            continue;
        }
        RECT piece;
        Point2Rect(RoundView(prev[0]), RoundView(prev[1]), RoundView(view[0]), RoundView(view[1]), &piece);
        ViewRect r{piece.left, piece.top, piece.right, piece.bottom};
        r.inflate(grow);
        r.shrink(dx, dy);
        if (r.contains(click)) {
            click->ciPieceStart = Float3DPoint{prev[0], prev[1], prev[2]};
            click->ciPieceEnd = Float3DPoint{view[0], view[1], view[2]};
            click->ciPieceStartT = prevT;
            click->ciPieceEndT = t;
            click->ciHitPos = Float3DPoint{world[0], world[1], world[2]};
            return true;
        }
        for (int i = 0; i < 3; ++i) prev[i] = view[i];
        prevT = t;
    }
    return false;
}

bool SearchOnASpline(Objex* object, Poinz* p1, Poinz* p2, ClickInfo* click, int16_t dx, int16_t dy) {
    if (!object || !p1 || !p2 || !click) return false;
    if (!SearchObjectSpline(p1, p2, click, dx, dy)) return false;
    bool hit;
    if (gCurTool == toolid::kKeyEntry) {
        hit = p1->detectable || p2->detectable;
        if (hit) SegmentReport(click, object, p1, p2);
    } else if (SearchPoint(p1, click, dx, dy)) {
        hit = p1->detectable;
        if (hit) PointReport(click, object, p1);
    } else if (SearchPoint(p2, click, dx, dy)) {
        hit = p2->detectable;
        if (hit) PointReport(click, object, p2);
    } else {
        hit = p1->detectable || p2->detectable;
        if (hit) SegmentReport(click, object, p1, p2);
    }
    // Members of symbol-editor and other special groups are edited by segment.
    const Objex* root = GetRootObject(object);
    if (hit && root->type == objtype::kGroup && root->groupKind != 0) SegmentReport(click, object, p1, p2);
    return hit;
}

bool SearchSplinesInObject(Objex* object, ClickInfo* click) {
    if (!object || !click) return false;
    int16_t dx = 0, dy = 0;
    const int16_t weight = GetLineWeight(object, 1);
    if (weight > 1) GetPenOffset(weight, &dx, &dy);

    if (object->rows == 1) {
        Poinz* last = nullptr;
        for (Poinz* p = object->firstPoint; p; p = p->next) {
            last = p;
            if (p->next && SearchOnASpline(object, p, p->next, click, dx, dy)) return true;
        }
        return object->closed && last && SearchOnASpline(object, last, object->firstPoint, click, dx, dy);
    }

    // A multi-row surface: rows of c points stored one after the other.
    std::vector<Poinz*> pts;
    for (Poinz* p = object->firstPoint; p; p = p->next) pts.push_back(p);
    const int rows = object->rows;
    const int c = rows > 0 ? object->pointCount / rows : 0;
    if (c <= 0) return false;
    auto at = [&](int row, int col) -> Poinz* {
        const size_t i = static_cast<size_t>(row) * c + col;
        return i < pts.size() ? pts[i] : nullptr;
    };
    auto test = [&](Poinz* a, Poinz* b) { return a && b && SearchOnASpline(object, a, b, click, dx, dy); };
    for (int r = 0; r + 1 < rows; ++r) {
        const bool firstPair = r == 0;
        for (int col = 0; col < c; ++col) {
            if (col + 1 < c) {
                if (firstPair && test(at(r, col), at(r, col + 1))) return true;
                if (test(at(r + 1, col), at(r + 1, col + 1))) return true;
            } else if (object->closed) {
                if (firstPair && test(at(r, col), at(r, 0))) return true;
                if (test(at(r + 1, col), at(r + 1, 0))) return true;
            }
            if (test(at(r, col), at(r + 1, col))) return true;
        }
    }
    return false;
}

namespace {

// SelectFromObject among the objects of the plans in `plans`.
bool SearchObject(Objex* object, ClickInfo* click, uint8_t onlySelected, const int16_t* types, int16_t typeCount,
                  int32_t plans) {
    if (!object || !click || !gCurDocument) return false;
    const bool keyEntry = gCurTool == toolid::kKeyEntry;
    bool testSelf = true;
    if (typeCount >= 1 && types && !InTypeList(object->type, types, typeCount)) testSelf = false;
    if (testSelf && onlySelected && !IsObjectSelected(object)) testSelf = false;

    if (testSelf) {
        // Measured with the pen, so a thick outline is hit along its whole width; the stored
        // bounds are unzoomed and the click is in zoomed view units.
        FloatRect box = EmptyFloatRect();
        GetObjectObjBounds(object, 0, &box, 0, 1);
        ZoomFRect(&box);
        ViewRect r{RoundView(box.floatLeft), RoundView(box.floatTop), RoundView(box.floatRight),
                   RoundView(box.floatBottom)};
        r.inflate(PickHalfSize() - 1);
        if (r.contains(click)) {
            if (!keyEntry && IsWholeObjectPick(object)) {
                click->ciPointHit = 1;
                click->ciPoint = object->firstPoint;
                click->ciObject = object;
                if (object->subtype == 138 && object->pointCount >= 3) {
                    Poinz* p = object->firstPoint;
                    bool onPoint = false;
                    for (int i = 0; i < 3 && p; ++i, p = p->next)
                        if (SearchPoint(p, click, 0, 0)) onPoint = true;
                    if (!onPoint) click->ciSegmentHit = 1;
                }
                return true;
            }
            if (SearchSplinesInObject(object, click)) return true;
            if (object->type == objtype::kDetail && object->subtype >= 1 && object->subtype <= 9 &&
                !onlySelected) {
                const port::Path* path = ShapePathOf(object);
                if (path && path->contains(click->ciWhere.x, click->ciWhere.y)) {
                    click->ciAreaHit = 1;
                    click->ciObject = object;
                    return true;
                }
            }
        }
    }

    if (keyEntry) return false;
    for (Objex* child = object->firstChild; child; child = child->next) {
        if (IsPlanFilteredChild(child) && !IsObjectOnCurrentPlan(child, plans)) continue;
        if (SearchObject(child, click, onlySelected, types, typeCount, plans)) return true;
    }
    return false;
}

}  // namespace

bool SelectFromObject(Objex* object, ClickInfo* click, uint8_t onlySelected, const int16_t* types,
                      int16_t typeCount) {
    const DocState* ds = CurrentDocState();
    // Without settings no attachment is on a plan in force.
    return SearchObject(object, click, onlySelected, types, typeCount, ds ? ds->visiblePlans : 0);
}

namespace {

// The plan area near the click where an object's box must lie for the click to hit it:
// handles reach 5 units out, the pick square its half size, and the boxes hold the pens.
bool ClickArea(const ClickInfo* click, FloatRect* area) {
    const float x = static_cast<float>(click->ciWhere.x), y = static_cast<float>(click->ciWhere.y);
    const float margin = static_cast<float>(std::max<int32_t>(PickHalfSize(), 5) + 2);
    return PlanIndexViewArea(x, y, x, y, margin, area);
}

// One object's own test within the layer search.
using ObjectTest = bool (*)(Objex* o, ClickInfo* click, uint8_t onlySelected, const int16_t* types,
                            int16_t typeCount, int32_t plans);

// The insert and remove point tools and the key-entry tool act on the points and segments they
// find: a handle, which lies on a corner of an outline square to the plan's axes, would hide that
// corner and the ends of its segments from them.
bool ToolTakesHandles(int16_t tool) {
    return tool != toolid::kInsertPoint && tool != toolid::kRemovePoint && tool != toolid::kKeyEntry;
}

bool HandlesThenObject(Objex* o, ClickInfo* click, uint8_t onlySelected, const int16_t* types, int16_t typeCount,
                       int32_t plans) {
    if (IsObjectSelected(o) && ToolTakesHandles(gCurTool) && !ToolIsPointOriented(gCurTool, o) && TestHandles(o, click))
        return true;
    return SearchObject(o, click, onlySelected, types, typeCount, plans);
}

// The first detectable point of a listed object whose pick square holds the click.
bool PointOfObject(Objex* o, ClickInfo* click, uint8_t, const int16_t* types, int16_t typeCount, int32_t) {
    if (typeCount >= 1 && types && !InTypeList(o->type, types, typeCount)) return false;
    for (Poinz* p = o->firstPoint; p; p = p->next) {
        if (!p->detectable || !SearchPoint(p, click, 0, 0)) continue;
        PointReport(click, o, p);
        return true;
    }
    return false;
}

// The layer's objects a click may meet: those the plan index keeps near it, or all of them.
void ClickCandidates(Layer* layer, const FloatRect* area, std::vector<Objex*>& candidates) {
    candidates.clear();
    if (area) PlanIndexCandidates(layer, *area, &candidates);
    else
        for (Objex* o = layer->firstObject; o; o = o->next) candidates.push_back(o);
}

// `plans` 0: the document's visible plans.
bool SearchLayer(Layer* layer, ClickInfo* click, uint8_t onlySelected, const int16_t* types, int16_t typeCount,
                 int32_t plans, const FloatRect* area, std::vector<Objex*>& candidates,
                 ObjectTest test = HandlesThenObject) {
    if (!layer || !click || !layer->visible || !layer->active || !layer->firstObject) return false;
    const DocState* ds = CurrentDocState();
    if (!ds) return false;
    if (!plans) plans = ds->visiblePlans;
    ClickCandidates(layer, area, candidates);

    int16_t counter = 1;
    for (auto it = candidates.rbegin(); it != candidates.rend(); ++it) {
        Objex* o = *it;
        bool hit = false;
        {
            PenWidthSwap hairline(o);
            if (!IsObjectOnCurrentPlan(o, plans)) continue;
            hit = test(o, click, onlySelected, types, typeCount, plans);
        }
        if (!hit) continue;
        if (counter != gSelectIndex) {
            ++counter;
            ClearHit(click);
            continue;
        }
        if (CanObjectTypeBeSelected(o->type)) return true;
        ClearHit(click);
    }
    return false;
}

}  // namespace

bool SelectFromLayer(Layer* layer, ClickInfo* click, uint8_t onlySelected, const int16_t* types,
                     int16_t typeCount) {
    if (!click) return false;
    FloatRect area;
    const bool near = ClickArea(click, &area);
    std::vector<Objex*> candidates;
    return SearchLayer(layer, click, onlySelected, types, typeCount, 0, near ? &area : nullptr, candidates);
}

bool SelectPointFromLayer(Layer* layer, ClickInfo* click, const int16_t* types, int16_t typeCount) {
    if (!click) return false;
    FloatRect area;
    const bool near = ClickArea(click, &area);
    std::vector<Objex*> candidates;
    return SearchLayer(layer, click, 0, types, typeCount, 0, near ? &area : nullptr, candidates, PointOfObject);
}

bool SelectFreeEndFromLayer(Layer* layer, ClickInfo* click, const int16_t* types, int16_t typeCount) {
    if (!layer || !click || !layer->visible || !layer->active || !layer->firstObject) return false;
    const DocState* ds = CurrentDocState();
    if (!ds) return false;
    FloatRect area;
    std::vector<Objex*> candidates;
    ClickCandidates(layer, ClickArea(click, &area) ? &area : nullptr, candidates);
    Objex* owner = nullptr;
    Poinz* nearest = nullptr;
    float nearestDistance = 0;
    for (Objex* o : candidates) {
        if (o->closed || !o->firstPoint || !o->firstPoint->next) continue;
        if (typeCount >= 1 && types && !InTypeList(o->type, types, typeCount)) continue;
        if (!IsObjectOnCurrentPlan(o, ds->visiblePlans) || !CanObjectTypeBeSelected(o->type)) continue;
        Poinz* last = o->firstPoint;
        while (last->next) last = last->next;
        for (Poinz* p : {o->firstPoint, last}) {
            if (!p->detectable || !SearchPoint(p, click, 0, 0)) continue;
            float x = p->position[0], y = p->position[1], z = p->position[2];
            ProjectToView(&x, &y, &z);
            const float distance = std::hypot(x - static_cast<float>(click->ciWhere.x),
                                              y - static_cast<float>(click->ciWhere.y));
            if (!nearest || distance < nearestDistance) owner = o, nearest = p, nearestDistance = distance;
        }
    }
    if (!nearest) return false;
    PointReport(click, owner, nearest);
    return true;
}

bool SelectFromAllLayers(Layer* firstLayer, ClickInfo* click, uint8_t onlySelected,
                         const int16_t* types, int16_t typeCount, int32_t plans) {
    if (!firstLayer || !click) return false;
    FloatRect area;
    const bool near = ClickArea(click, &area);
    std::vector<Objex*> candidates;
    Layer* layer = firstLayer;
    while (layer->next) layer = layer->next;
    for (;; layer = layer->prev) {
        if (SearchLayer(layer, click, onlySelected, types, typeCount, plans, near ? &area : nullptr, candidates))
            return true;
        if (layer == firstLayer || !layer->prev) break;
    }
    return false;
}

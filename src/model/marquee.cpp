#include "model/marquee.h"

#include <vector>

#include "model/bounds.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/numeric.h"
#include "model/objects.h"
#include "model/plan_index.h"
#include "model/projection.h"
#include "model/selection_ops.h"
#include "model/selection_queries.h"
#include "model/plan_objects.h"
#include "model/zoom_units.h"
#include "model/tool_state.h"

namespace {

// A rectangle side: clamped to +-32767, plus 0.5, truncated.
int32_t RoundSide(float v) {
    return dvxnum::TruncToInt16(dvxnum::Clamp(v, -32767.0, 32767.0) + 0.5);
}

bool PointIn(const RECT& r, int32_t x, int32_t y) {
    return r.left <= x && x < r.right && r.top <= y && y < r.bottom;
}

bool Intersects(const RECT& a, const RECT& b) {
    const int32_t left = a.left > b.left ? a.left : b.left;
    const int32_t right = a.right < b.right ? a.right : b.right;
    const int32_t top = a.top > b.top ? a.top : b.top;
    const int32_t bottom = a.bottom < b.bottom ? a.bottom : b.bottom;
    return left < right && top < bottom;
}

bool CornersIn(const RECT& r, const RECT& box) {
    return PointIn(r, box.left, box.top) && PointIn(r, box.right, box.top) &&
           PointIn(r, box.right, box.bottom) && PointIn(r, box.left, box.bottom);
}

// A 2D box rounded side by side and grown by 2 on every side.
RECT GrownBox(const FloatRect& b) {
    RECT r{RoundSide(b.floatLeft), RoundSide(b.floatTop), RoundSide(b.floatRight), RoundSide(b.floatBottom)};
    r.left -= 2, r.top -= 2, r.right += 2, r.bottom += 2;
    return r;
}

// The object's point bounds in view units. They are measured unzoomed; the rectangle is in
// zoomed view units.
RECT GrownViewBounds(Objex* o) {
    FloatRect box = EmptyFloatRect();
    GetObjectBounds(o, 0, &box, 0, 0);
    ZoomFRect(&box);
    return GrownBox(box);
}

// The marquee's own rounding of a projected wall point: truncate, add 0.5, truncate again.
int32_t MarqueeCoord(float v) {
    const int32_t whole = dvxnum::TruncToInt32(v);
    return static_cast<int32_t>(static_cast<double>(whole) + 0.5);
}

void SelectWallPoints(Objex* wall, const RECT& r) {
    for (Poinz* p = wall->firstPoint; p; p = p->next) {
        float x = p->position[0], y = p->position[1], z = p->position[2];
        ConversionToIsometric(&x, &y, &z, gCosXAngle, gSinXAngle, gCosYAngle, gSinYAngle, gGlobalXOffset,
                              gGlobalYOffset, gGlobalZOffset, 1);
        if (PointIn(r, MarqueeCoord(x), MarqueeCoord(y))) SelectPoint(p, selmode::kSelect, 1);
    }
}

int16_t RuleTool() {
    return static_cast<uint16_t>(gCurTool) == 65535 ? toolid::kSelect : gCurTool;
}

}  // namespace

void SelectLayerInRect(Layer* layer, const RECT* rect, int8_t mode, uint8_t redraw) {
    const DocState* ds = CurrentDocState();
    if (!layer || !rect || !ds || !layer->visible || !layer->active) return;
    const int32_t plans = ds->visiblePlans;
    const RECT& r = *rect;
    // Objects whose boxes stay clear of the rectangle (and its rounding) select nothing.
    std::vector<Objex*> candidates;
    FloatRect area;
    if (PlanIndexViewArea(static_cast<float>(r.left), static_cast<float>(r.top), static_cast<float>(r.right),
                          static_cast<float>(r.bottom), 4, &area)) {
        PlanIndexCandidates(layer, area, &candidates);
    } else {
        for (Objex* o = layer->firstObject; o; o = o->next) candidates.push_back(o);
    }
    for (Objex* o : candidates) {
        if (!IsObjectOnCurrentPlan(o, plans) || !CanObjectTypeBeSelected(o->type)) continue;
        if (o->type == objtype::kWall) {
            SelectWallPoints(o, r);
            continue;
        }
        const RECT box = GrownViewBounds(o);
        if (!Intersects(box, r)) continue;
        if (CornersIn(r, box)) {
            SelectVisualObj(o, mode, redraw, plans);
            continue;
        }
        if (!objtype::IsRoof(o->type)) continue;
        // Part of a roof: the skylights and cut-outs it wholly covers.
        for (Objex* c = o->firstChild; c; c = c->next) {
            if (!objtype::IsRoofAttachment(c->type)) continue;
            const RECT childBox = GrownViewBounds(c);
            if (Intersects(childBox, r) && CornersIn(r, childBox)) SelectVisualObj(c, mode, redraw, plans);
        }
    }
}

void SelectAllLayersInRect(Layer* firstLayer, const RECT* rect, int8_t mode, uint8_t redraw) {
    for (Layer* l = firstLayer; l; l = l->next) SelectLayerInRect(l, rect, mode, redraw);
}

bool SelectPointInRect(Poinz* point, Objex* object, const RECT* rect, int8_t mode, uint8_t redraw) {
    if (!point || !object || !rect || static_cast<uint16_t>(gCurTool) == 65535) return false;
    // The point's H and V, zoomed but not projected.
    const int32_t x = RoundSide(ZoomF(point->position[0]));
    const int32_t y = RoundSide(ZoomF(point->position[1]));
    if (!PointIn(*rect, x, y)) return false;
    if (!ToolIsPointOriented(gCurTool, object)) {
        SelectObj(GetRootObject(object), mode, redraw);
    } else if (object->type == objtype::kRoof) {
        SelectPoint(point, mode, redraw);
    } else if (IsObjectGrouped(object) || objtype::Has(object->type, objtype::kSelectsRoot)) {
        SelectObj(GetRootObject(object), mode, redraw);
    } else {
        SelectPoint(point, mode, redraw);
    }
    return true;
}

void SelectObjectInRect(Objex* object, const RECT* rect, int8_t mode, uint8_t redraw) {
    if (!object || !rect) return;
    FloatRect b = object->bounds;
    ZoomFRect(&b);
    if (Intersects(GrownBox(b), *rect)) {
        const bool pointWise = ToolIsPointOriented(RuleTool(), object);
        bool reported = false;
        for (Poinz* p = object->firstPoint; p; p = p->next) {
            if (reported && !pointWise) break;
            if (SelectPointInRect(p, object, rect, mode, redraw)) reported = true;
        }
    }
    for (Objex* c = object->firstChild; c; c = c->next) SelectObjectInRect(c, rect, mode, redraw);
}

#include "render/core/topo_cutouts.h"

#include <algorithm>
#include <cmath>

#include "model/document_model.h"
#include "model/lines.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/view_layers.h"
#include "scene/point_in_polygon.h"

namespace {

constexpr float kFarAway = 30000.0f;
constexpr float kBoundsSlack = 2.0f;
constexpr float kSamePoint = 0.01f;

std::vector<FloatPoint> Outline(const Objex* o) {
    std::vector<FloatPoint> out;
    for (const Poinz* p = o ? o->firstPoint : nullptr; p; p = p->next) out.push_back({p->position[0], p->position[2]});
    return out;
}

FloatRect ExtentsOf(const std::vector<FloatPoint>& pts) {
    FloatRect r{32000, 32000, -32000, -32000};
    for (const FloatPoint& p : pts) {
        r.floatLeft = std::min(r.floatLeft, p.floatH), r.floatRight = std::max(r.floatRight, p.floatH);
        r.floatTop = std::min(r.floatTop, p.floatV), r.floatBottom = std::max(r.floatBottom, p.floatV);
    }
    return r;
}

float Area(const FloatRect& r) { return (r.floatRight - r.floatLeft) * (r.floatBottom - r.floatTop); }

bool Near(float x, float y, FloatPoint p) { return std::fabs(x - p.floatH) < kSamePoint && std::fabs(y - p.floatV) < kSamePoint; }

// Where the two segments cross, found as the plan's line crossing and accepted within both
// segments' extents (widened); false for parallel lines.
bool Crossing(FloatPoint a1, FloatPoint a2, FloatPoint b1, FloatPoint b2, float* x, float* y) {
    if (!DoSegmentsBoundsTouch(a1.floatH, a1.floatV, a2.floatH, a2.floatV, b1.floatH, b1.floatV, b2.floatH, b2.floatV))
        return false;
    GetIntersection(a1.floatH, a1.floatV, a2.floatH, a2.floatV, b1.floatH, b1.floatV, b2.floatH, b2.floatV, x, y);
    if (!(std::fabs(*x) < kFarAway && std::fabs(*y) < kFarAway)) return false;
    return IsPointInSegmentsBounds(*x, *y, a1.floatH, a1.floatV, a2.floatH, a2.floatV, b1.floatH, b1.floatV, b2.floatH,
                                   b2.floatV);
}

bool SegmentCrossesOutline(FloatPoint a, FloatPoint b, const std::vector<FloatPoint>& pts) {
    const size_t n = pts.size();
    if (n < 2) return false;
    float x, y;
    for (size_t i = 0; i < n; ++i)
        if (Crossing(a, b, pts[i], pts[(i + 1) % n], &x, &y)) return true;
    return false;
}

bool Inside(FloatPoint p, const std::vector<FloatPoint>& outline) {
    return outline.size() >= 3 && IsPointInsidePolygon(&p, outline.data(), int32_t(outline.size())) != 0;
}

void Walk(Objex* o, const std::function<void(Objex*)>& fn) {
    for (; o; o = o->next) {
        if (o->type == objtype::kGroup) Walk(o->firstChild, fn);
        else if (IsTopoCutout(o)) fn(o);
    }
}

void WalkFrom(Layer* first, const std::function<void(Objex*)>& fn) {
    for (Layer* l = first; l; l = l->next)
        if (!IsViewLayer(l)) Walk(l->firstObject, fn);
}

// The cut-outs a group stands for, or the object itself.
void Leaves(const Objex* o, std::vector<const Objex*>* out) {
    if (!o) return;
    if (o->type != objtype::kGroup) {
        out->push_back(o);
        return;
    }
    for (const Objex* c = o->firstChild; c; c = c->next) Leaves(c, out);
}

std::vector<FloatPoint> Corners(const NurbPatch& p) {
    return {{p.xa, p.za}, {p.xb, p.za}, {p.xb, p.zb}, {p.xa, p.zb}};
}

FloatRect PatchExtents(const NurbPatch& p) {
    return {std::min(p.za, p.zb), std::min(p.xa, p.xb), std::max(p.za, p.zb), std::max(p.xa, p.xb)};
}

}  // namespace

bool IsTopoCutout(const Objex* o) {
    if (!o) return false;
    if (o->type == objtype::kExcavation) return true;
    return o->type == objtype::kWall && o->subtype == objsubtype::kExteriorWall && objfield::wall::kCutsGround(*o) == 1;
}

void ForEachTopoCutout(const std::function<void(Objex*)>& fn) { WalkFrom(GetFirstFloorLayer(), fn); }

void FindIntersectingTopoCutouts() {
    for (Layer* l = GetFirstFloorLayer(); l; l = l->next) {
        if (IsViewLayer(l)) continue;
        Walk(l->firstObject, [l](Objex* o) {
            if (o->cutoutFlag == kCutoutUsable) FindIntersectingTopoCutout(o, l);
        });
    }
}

void FindIntersectingTopoCutout(Objex* object, Layer* layer) {
    if (!object) return;
    if (DoesObjIntersectItself(object)) {
        object->cutoutFlag = kCutoutExcluded;
        return;
    }
    FindIntersectingTopoCutoutEx(object, layer);
}

void FindIntersectingTopoCutoutEx(Objex* object, Layer* layer) {
    if (!object) return;
    const std::vector<FloatPoint> own = Outline(object);
    const float ownArea = Area(ExtentsOf(own));
    WalkFrom(layer, [&](Objex* other) {
        if (object->cutoutFlag != kCutoutUsable || other->cutoutFlag != kCutoutUsable) return;
        if (other->objectID == object->objectID) return;
        const std::vector<FloatPoint> theirs = Outline(other);
        if (IsObjectInsideObject(other, object)) {
            other->cutoutFlag = kCutoutExcluded;
        } else if (IsObjectInsideObject(object, other)) {
            object->cutoutFlag = kCutoutExcluded;
        } else {
            for (size_t i = 0; i < own.size(); ++i) {
                if (!SegmentCrossesOutline(own[i], own[(i + 1) % own.size()], theirs)) continue;
                (ownArea <= Area(ExtentsOf(theirs)) ? object : other)->cutoutFlag = kCutoutExcluded;
                break;
            }
        }
    });
}

void ResetIntersectingFlags() {
    ForEachTopoCutout([](Objex* o) { o->cutoutFlag = kCutoutUsable; });
}

bool DoesObjIntersectItself(const Objex* object) {
    const std::vector<FloatPoint> pts = Outline(object);
    const size_t n = pts.size();
    if (n < 4) return false;
    for (size_t i = 0; i < n; ++i) {
        const FloatPoint a1 = pts[i], a2 = pts[(i + 1) % n];
        for (size_t j = i + 1; j < n; ++j) {
            const FloatPoint b1 = pts[j], b2 = pts[(j + 1) % n];
            float x, y;
            if (!Crossing(a1, a2, b1, b2, &x, &y)) continue;
            const bool shared = (Near(x, y, a1) || Near(x, y, a2)) && (Near(x, y, b1) || Near(x, y, b2));
            if (!shared) return true;
        }
    }
    return false;
}

bool DoesSegmentIntersectObject(float x1, float y1, float x2, float y2, const Objex* object) {
    return SegmentCrossesOutline({x1, y1}, {x2, y2}, Outline(object));
}

bool IsObjectInsideObject(const Objex* inner, const Objex* outer) {
    const std::vector<FloatPoint> in = Outline(inner), out = Outline(outer);
    if (in.empty() || out.size() < 3) return false;
    return std::all_of(in.begin(), in.end(), [&](FloatPoint p) { return Inside(p, out); });
}

bool IsObjectPWLCompatible(const Objex* object) {
    const std::vector<FloatPoint> pts = Outline(object);
    const size_t n = pts.size();
    if (n < 3) return true;
    const FloatPoint c1 = pts[n - 1], c2 = pts[0];
    for (size_t i = 0; i + 1 < n - 1; ++i) {
        const FloatPoint a1 = pts[i], a2 = pts[i + 1];
        float x, y;
        if (!Crossing(a1, a2, c1, c2, &x, &y)) continue;
        if (!(Near(x, y, a1) || Near(x, y, a2) || Near(x, y, c1) || Near(x, y, c2))) return false;
    }
    return true;
}

std::vector<Objex*> UsableTopoCutouts() {
    std::vector<Objex*> out;
    ForEachTopoCutout([&](Objex* o) {
        if (o->cutoutFlag == kCutoutUsable) out.push_back(o);
    });
    return out;
}

bool DoesNurbPatchTouchCutouts(const NurbPatch& patch, bool* wholeInside) {
    return DoesNurbPatchTouchCutouts(UsableTopoCutouts(), patch, wholeInside);
}

bool DoesNurbPatchTouchCutouts(const std::vector<Objex*>& cutouts, const NurbPatch& patch, bool* wholeInside) {
    if (wholeInside) *wholeInside = false;
    bool touches = false;
    for (const Objex* o : cutouts) {
        if (o->cutoutFlag != kCutoutUsable) continue;
        bool whole = false;
        if (DoesNurbPatchTouchObjectCutout(patch, o, &whole)) touches = true;
        if (whole && wholeInside) *wholeInside = true;
    }
    return touches;
}

bool DoesNurbPatchTouchObjectCutout(const NurbPatch& patch, const Objex* object, bool* wholeInside) {
    std::vector<const Objex*> leaves;
    Leaves(object, &leaves);
    bool touches = false;
    for (const Objex* o : leaves) {
        const std::vector<FloatPoint> pts = Outline(o);
        if (pts.size() < 3) continue;
        const FloatRect extents = ExtentsOf(pts), cell = PatchExtents(patch);
        if (!DoBoundsTouch(extents, cell)) continue;
        if (IsWholeNurbInsideObject(patch, o)) {
            if (wholeInside) *wholeInside = true;
            return true;
        }
        const std::vector<FloatPoint> c = Corners(patch);
        for (size_t i = 0; i < 4 && !touches; ++i)
            touches = DoesNurbSegmentIntersectObject(c[i].floatH, c[i].floatV, c[(i + 1) % 4].floatH,
                                                     c[(i + 1) % 4].floatV, o);
        // A small cut-out lying wholly within the patch crosses none of its edges.
        if (!touches) touches = Inside(pts[0], c);
    }
    return touches;
}

bool IsWholeNurbInsideObject(const NurbPatch& patch, const Objex* object) {
    const std::vector<FloatPoint> pts = Outline(object);
    const std::vector<FloatPoint> c = Corners(patch);
    return pts.size() >= 3 && std::all_of(c.begin(), c.end(), [&](FloatPoint p) { return Inside(p, pts); });
}

bool DoesNurbSegmentIntersectObject(float x1, float y1, float x2, float y2, const Objex* object) {
    return DoesSegmentIntersectObject(x1, y1, x2, y2, object);
}

bool DoBoundsTouch(const FloatRect& a, const FloatRect& b) {
    return a.floatLeft <= b.floatRight && b.floatLeft <= a.floatRight && a.floatTop <= b.floatBottom &&
           b.floatTop <= a.floatBottom;
}

bool DoSegmentsBoundsTouch(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4) {
    const FloatRect a{std::min(y1, y2), std::min(x1, x2), std::max(y1, y2), std::max(x1, x2)};
    const FloatRect b{std::min(y3, y4), std::min(x3, x4), std::max(y3, y4), std::max(x3, x4)};
    return DoBoundsTouch(a, b);
}

bool IsPointInSegmentsBounds(float x, float y, float x1, float y1, float x2, float y2, float x3, float y3, float x4,
                             float y4) {
    auto within = [&](float ax, float ay, float bx, float by) {
        return x >= std::min(ax, bx) - kBoundsSlack && x <= std::max(ax, bx) + kBoundsSlack &&
               y >= std::min(ay, by) - kBoundsSlack && y <= std::max(ay, by) + kBoundsSlack;
    };
    return within(x1, y1, x2, y2) && within(x3, y3, x4, y4);
}

FloatRect CutoutExtents(const Objex* object) {
    std::vector<const Objex*> leaves;
    Leaves(object, &leaves);
    std::vector<FloatPoint> all;
    for (const Objex* o : leaves) {
        const std::vector<FloatPoint> pts = Outline(o);
        all.insert(all.end(), pts.begin(), pts.end());
    }
    return ExtentsOf(all);
}

std::vector<float> PWLTrimCurve(const Objex* object, const NurbPatch& patch) {
    const std::vector<FloatPoint> pts = Outline(object);
    std::vector<float> out;
    if (pts.size() < 3 || patch.xb == patch.xa || patch.zb == patch.za) return out;
    double area = 0;
    for (const FloatPoint& p : pts) {
        out.push_back((p.floatH - patch.xa) / (patch.xb - patch.xa));
        out.push_back((p.floatV - patch.za) / (patch.zb - patch.za));
    }
    const size_t n = pts.size();
    for (size_t i = 0; i < n; ++i) {
        const size_t j = (i + 1) % n;
        area += double(out[2 * i]) * out[2 * j + 1] - double(out[2 * j]) * out[2 * i + 1];
    }
    // The plan's turning sense says nothing here: the patch's w may run against D.
    if (area > 0) {
        for (size_t i = 0, j = n - 1; i < j; ++i, --j) {
            std::swap(out[2 * i], out[2 * j]);
            std::swap(out[2 * i + 1], out[2 * j + 1]);
        }
    }
    out.push_back(out[0]);
    out.push_back(out[1]);
    return out;
}

std::vector<float> OuterTrimCurve(const std::vector<std::vector<float>>& holes) {
    float lo = 0, hi = 1;
    for (const std::vector<float>& h : holes)
        for (float v : h) lo = std::min(lo, v), hi = std::max(hi, v);
    lo -= 1, hi += 1;
    return {lo, lo, hi, lo, hi, hi, lo, hi, lo, lo};
}

std::vector<const Objex*> PatchTrimOutlines(const NurbPatch& patch) {
    return PatchTrimOutlines(UsableTopoCutouts(), patch);
}

std::vector<const Objex*> PatchTrimOutlines(const std::vector<Objex*>& cutouts, const NurbPatch& patch) {
    std::vector<const Objex*> out;
    const FloatRect cell = PatchExtents(patch);
    for (const Objex* o : cutouts) {
        if (o->cutoutFlag != kCutoutUsable || !o->firstPoint || !o->firstPoint->next || !o->firstPoint->next->next)
            continue;
        if (IsObjectPWLCompatible(o) && DoBoundsTouch(ExtentsOf(Outline(o)), cell)) out.push_back(o);
    }
    return out;
}

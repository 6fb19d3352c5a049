#include "plan/arc_builders.h"

#include <algorithm>
#include <cmath>

#include "model/bounds.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/generated_numbers.h"
#include "model/object_transforms.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/splines.h"
#include "model/sweeps.h"
#include "model/transforms.h"
#include "plan/plan_lines.h"
#include "model/poly_builders.h"

namespace {

constexpr float kRadiansPerDegree = 0.017453292519943295f;
constexpr int16_t kFrontView = 1, kPlanKind = 2, kSideView = 3;
constexpr int32_t kMostSegments = 3600;

// The document's view kind for the length of a build.
class ViewKindScope {
  public:
    ViewKindScope(DocState* ds, int16_t kind) : ds_(ds), saved_(ds->viewKind) {
        ds->viewKind = kind;
    }
    ~ViewKindScope() { ds_->viewKind = saved_; }
    ViewKindScope(const ViewKindScope&) = delete;
    ViewKindScope& operator=(const ViewKindScope&) = delete;

  private:
    DocState* ds_;
    int16_t saved_;
};

struct Vec {
    float x, y;
};

// Turned by `degrees` in the plan's sense (counter-clockwise with y down).
Vec Turn(Vec v, float degrees) {
    const float c = std::cos(degrees * kRadiansPerDegree),
                s = std::sin(degrees * kRadiansPerDegree);
    return {v.x * c + v.y * s, -v.x * s + v.y * c};
}

bool Append(Objex* arc, Poinz*& tail, Vec centre, Vec at, Vec tangent, float third) {
    return AppendBuilderPoint(arc, tail, pointkind::kArcPoint, 1,
                              {centre.x + at.x, centre.y + at.y, third}, {tangent.x, tangent.y, 0},
                              {tangent.x, tangent.y, 0});
}

int32_t SegmentCount(float parts) {
    return std::isfinite(parts) ? std::clamp(static_cast<int32_t>(parts), 1, kMostSegments) : 1;
}

struct ArcCorners {
    float x1, y1, x2, y2;
};

// Lays the arc of `n` segments into `arc` (in the front view's H and V, at `third`) from the
// end angle back to the start, with its centre point when asked, then squashes it to the
// corners' proportions. False when a point cannot be made.
bool LayArc(Objex* arc, ArcCorners k, float start, float sweep, int32_t n, float third,
            bool centre) {
    const Vec c{k.x1 + (k.x2 - k.x1) / 2, k.y1 + (k.y2 - k.y1) / 2};
    const float width = std::fabs(k.x2 - k.x1), height = std::fabs(k.y2 - k.y1);
    const float r = std::max(width, height) / 2;
    const float s = sweep / static_cast<float>(n);
    float h0, th0, th1, h1, d0, td0, td1, d1;
    BuildRadiusSpline(s * kRadiansPerDegree, r, &h0, &th0, &th1, &h1, &d0, &td0, &td1, &d1);
    const float turn = start + sweep - s / 2;
    Vec end1 = Turn({h0, d0}, turn), t1 = Turn({th0, td0}, turn);
    Vec end2 = Turn({h1, d1}, turn), t2 = Turn({th1, td1}, turn);
    Poinz* tail = nullptr;
    bool made = Append(arc, tail, c, end1, t1, third) && Append(arc, tail, c, end2, t2, third);
    end1 = Turn(end1, -s), t1 = Turn(t1, -s);
    for (int32_t i = 1; made && i < n; ++i) {
        end1 = Turn(end1, -s), t1 = Turn(t1, -s);
        made = Append(arc, tail, c, end1, t1, third);
    }
    if (made && centre)
        made = AppendBuilderPoint(arc, tail, pointkind::kArcCentre, 1, {c.x, c.y, third});
    if (!made) return false;
    if (width != height) {
        TransformRecord scale;
        for (int i = 0; i < 3; ++i)
            scale.values[xform::kScaleH + i] = 1.0f;
        if (width > height)
            scale.values[xform::kScaleH + 1] = height / width;
        else
            scale.values[xform::kScaleH] = width / height;
        scale.values[xform::kCentreH] = c.x;
        scale.values[xform::kCentreH + 1] = c.y;
        ScaleObject(arc, &scale);
    }
    return true;
}

Objex* NewArc(const DrawingStyle& style, Layer* layer) {
    return CreateObject(objtype::kArc, 0, 1, &style.fillColor, &style.penColor, style.penWidth,
                        style.penStyle, style.fillPattern, nullptr, nullptr, nullptr, nullptr,
                        layer, TypeData{});
}

} // namespace

Objex* BuildArc(float x1, float y1, float x2, float y2, float start, float sweep, Layer* layer,
                uint8_t useDocumentStyle) {
    DocState* ds = CurrentDocState();
    // An arc of no sweep (or of none that can be measured) has no points to hold.
    if (!ds || !layer || (x1 == x2 && y1 == y2) || sweep == 0 || !std::isfinite(sweep))
        return nullptr;
    ViewKindScope scope(ds, kFrontView);
    const int32_t n = SegmentCount(std::trunc(std::fabs(sweep) / 90) + 1);
    Objex* arc = NewArc(GetBuilderDrawingStyle(useDocumentStyle), layer);
    if (!arc) return nullptr;
    if (!LayArc(arc, {x1, y1, x2, y2}, start, sweep, n, 0, true)) {
        DeleteObj(arc);
        return nullptr;
    }
    UpdateObjectBounds(arc);
    AppendObjectToLayer(arc, layer);
    return arc;
}

Objex* BuildTempArc(float x1, float y1, float x2, float y2, float start, float sweep, float third,
                    int16_t viewKind) {
    if (sweep == 0) return nullptr;
    // ceil(|sweep| / 90) segments, at least one.
    return BuildTempArcGivenIncrement(x1, y1, x2, y2, start, sweep, third, viewKind, 90);
}

Objex* BuildTempArcGivenIncrement(float x1, float y1, float x2, float y2, float start, float sweep,
                                  float third, int16_t viewKind, float increment) {
    DocState* ds = CurrentDocState();
    if (!ds || (x1 == x2 && y1 == y2)) return nullptr;
    ViewKindScope scope(ds, kFrontView);
    // A zero or non-finite increment would ask for endless segments.
    const int32_t n = SegmentCount(increment != 0 ? std::ceil(std::fabs(sweep / increment)) : 1.0f);
    Objex* arc = NewArc(GetBuilderDrawingStyle(0), nullptr);
    if (!arc || sweep == 0) return arc;
    if (!LayArc(arc, {x1, y1, x2, y2}, start, sweep, n, third, false)) {
        DeleteObj(arc);
        return nullptr;
    }
    if (viewKind == kPlanKind)
        ConvertXYtoXZ(arc);
    else if (viewKind == kSideView)
        ConvertXYtoZY(arc);
    UpdateObjectBounds(arc);
    return arc;
}

void Draw3DEllipse(void* dc, const FloatRect* rect, float start, float sweep, int16_t viewKind,
                   float level, Float3DPoint* positions, Float3DPoint* inTangents,
                   Float3DPoint* outTangents, uint8_t draw, int32_t* count, uint8_t dropLast,
                   float step) {
    if (count) *count = 0;
    if (!rect) return;
    if (std::fabs(sweep) < 1e-5f) sweep = 1.0f;
    // The scratch arc (a door's swing at every redraw) gives its numbers back: a save after a
    // redraw writes the counters the one before it wrote.
    KeepNumberCounters numbers(CurrentDocState());
    Objex* arc = BuildTempArcGivenIncrement(rect->floatLeft, rect->floatTop, rect->floatRight,
                                            rect->floatBottom, start, sweep, level, viewKind, step);
    if (!arc) return;
    int32_t points = 0;
    for (Poinz* p = arc->firstPoint; p; p = p->next) {
        const bool last = !p->next;
        if (draw && !last) DrawObjectSegment(dc, arc, p, p->next, 0, nullptr);
        if (last && dropLast) break;
        auto copy = [&](Float3DPoint* into, const float* from) {
            if (into) into[points] = {from[0], from[1], from[2]};
        };
        copy(positions, p->position);
        copy(inTangents, p->inTangent);
        copy(outTangents, p->outTangent);
        ++points;
    }
    if (count) *count = points;
    DeleteObj(arc);
}

void SetupCurvedWall(void* dc, const FloatRect* rect, float start, float sweep, int16_t viewKind,
                     float level, Float3DPoint* positions, Float3DPoint* inTangents,
                     Float3DPoint* outTangents, uint8_t draw, int32_t* count, uint8_t dropLast,
                     float chord) {
    if (count) *count = 0;
    if (!rect) return;
    float radius = std::fabs(rect->floatBottom - rect->floatTop) / 2;
    if (radius == 0) radius = 1;
    const DocState* ds = CurrentDocState();
    const float half = (ds ? ConvertWorldToScreen(chord, ds, 0) : chord) / 2;
    // A chord longer than the circle's diameter asks for the largest step.
    const float ratio = std::clamp(half / radius, -1.0f, 1.0f);
    float step = 2 * std::asin(ratio) / kRadiansPerDegree;
    if (!std::isfinite(step)) step = 90;
    step = std::clamp(step, 5.0f, 90.0f);
    Draw3DEllipse(dc, rect, start, sweep, viewKind, level, positions, inTangents, outTangents, draw, count,
                  dropLast, step);
}

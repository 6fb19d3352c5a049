#include "plan/detail_objects.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "app/core/main_window_seams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/projection.h"
#include "model/segment_sampling.h"
#include "model/shape_path.h"
#include "model/transforms.h"
#include "model/view_state.h"
#include "plan/base_2d_view.h"
#include "plan/dynamic_draw_engine.h"
#include "plan/plan_color.h"
#include "plan/plan_frame.h"
#include "plan/plan_lines.h"
#include "model/plan_objects.h"
#include "plan/zoom.h"
#include "port/drawing.h"
#include "port/seam.h"

int32_t gPolyPtCount = 0;
uint8_t gPolyHappening = 0;
static const port::GlobalReset kReset([] {
    gPolyPtCount = 0;
    gPolyHappening = 0;
});

namespace {

constexpr int16_t kNoDashStyle = 6;
constexpr int16_t kKind2 = 2, kKind4 = 4;  // not outline points

bool IsOutlinePoint(const Poinz* p) { return p->kind != kKind2 && p->kind != kKind4; }

// Exactly one transform, picked by the flags in order; text boxes are never sheared or turned.
void TransformCopy(Poinz* p, const Objex* object, int32_t flags, const TransformRecord* record) {
    const bool textBox = object->type == 200 || object->type == 201;
    if (flags & drawflag::kTranslate) TranslatePoint(p, flags, record);
    else if (flags & drawflag::kScale) ScalePoint(p, flags, record);
    else if (flags & drawflag::kShear) { if (!textBox) ShearPoint(p, flags, record); }
    else if ((flags & drawflag::kRotate) && !textBox) RotatePoint(p, flags, record);
}

QMDDynamicTransformElement* ActiveTransformElement() {
    Base2DView* view = MainWindowDocumentView();
    QMDDynamicDrawEngine* engine = view ? view->dynamicDrawEngine.get() : nullptr;
    return engine ? engine->activeTransformElement() : nullptr;
}

float Whole(float v) { return static_cast<float>(static_cast<int32_t>(v + 0.5f)); }

void Lay(port::Path* path, float x, float y, bool move) {
    if (gTransformationDrawing) {
        if (QMDDynamicTransformElement* element = ActiveTransformElement()) {
            const PlatformPoint p{Whole(x), Whole(y)};
            move ? element->moveToPoint(p) : element->lineToPoint(p);
        }
    } else {
        if (gPrinting) x *= gHPrintScale, y *= gVPrintScale;
        move ? path->moveTo(Whole(x), Whole(y)) : path->lineTo(Whole(x), Whole(y));
    }
}

// Both ends into the view; a move-to only for the outline's first point.
void LayLine(port::Path* path, const float a[3], const float b[3]) {
    float p[3] = {a[0], a[1], a[2]}, q[3] = {b[0], b[1], b[2]};
    ConvertToIso(&p[0], &p[1], &p[2], &q[0], &q[1], &q[2], gPerspective);
    if (gPolyPtCount == 0) {
        Lay(path, p[0], p[1], true);
        ++gPolyPtCount;
    }
    Lay(path, q[0], q[1], false);
    ++gPolyPtCount;
}

void ApplyDash(port::DrawingContext& context) {
    const int count = std::clamp<int>(gStyleState.dashCount, 0, 6);
    context.setLineDash(std::vector<double>(gStyleState.dashes, gStyleState.dashes + count), gStyleState.phase);
}

void ReleaseKeptPath(Objex* object) {
    delete object->platformObject;
    object->platformObject = nullptr;
}

}  // namespace

void ApplePortDrawDetailObjectSegment(const Objex* object, const Poinz* start, const Poinz* end,
                                      int32_t flags, const TransformRecord* transform, int32_t,
                                      int32_t, port::Path* path) {
    const DocState* ds = CurrentDocState();
    if (!ds || !object || !start || !end || (!path && !gTransformationDrawing)) return;
    Poinz a = *start, b = *end;
    if (transform) {
        TransformCopy(&a, object, flags, transform);
        TransformCopy(&b, object, flags, transform);
    }
    if (!IsCurvedSegment(&a, &b)) {
        LayLine(path, a.position, b.position);
        return;
    }
    const int32_t z = ZoomL(ds->curveSegments);
    const float dt = z < 8 ? 0.125f : z > 20 ? 0.05f : 1.0f / static_cast<float>(z);
    const SegmentCubic cubic(a.position, a.outTangent, b.position, b.inTangent);
    float previous[3], current[3];
    cubic.At(0.0f, current);
    for (int i = 1; static_cast<float>(i) * dt <= 1.01f; ++i) {
        std::copy(current, current + 3, previous);
        cubic.At(static_cast<float>(i) * dt, current);
        LayLine(path, previous, current);
    }
}

void ApplePortDrawDetailObject(Objex* object, int32_t flags, const TransformRecord* transform) {
    const DocState* ds = CurrentDocState();
    if (!ds || !object || !CanObjectBeDrawn(object, flags)) return;
    if (object->type == 301 || object->type == 302) return;
    auto path = std::make_unique<port::Path>();
    const int16_t w = GetLineWeight(object, 1);
    if (object->penStyle != kNoDashStyle) LoadStyle(object->penStyle, &gStyleState, object->penWidth);
    if (object->fillPattern > 0 && !transform && object->closed) gPolyHappening = 1;

    std::vector<const Poinz*> outline;
    for (const Poinz* p = object->firstPoint; p; p = p->next)
        if (IsOutlinePoint(p)) outline.push_back(p);
    for (size_t i = 1; i < outline.size(); ++i)
        ApplePortDrawDetailObjectSegment(object, outline[i - 1], outline[i], flags, transform, 0, 0, path.get());
    if (object->closed && !outline.empty())
        ApplePortDrawDetailObjectSegment(object, outline.back(), outline.front(), flags, transform, 0, 0, path.get());

    port::DrawingContext& context = port::currentDrawingContext();
    if (gPolyHappening) {
        ReleaseKeptPath(object);
        auto kept = std::make_unique<ShapePathObject>();
        kept->path = *path;
        kept->path.closePath();
        kept->pointCount = gPolyPtCount;
        ShapePathObject* shape = kept.get();
        object->platformObject = kept.release();
        const RGBColor foreground = ds->penColor, background = ds->backgroundColor;
        if (object->penStyle != kNoDashStyle) ApplyDash(context);
        if (Base2DView* view = MainWindowDocumentView())
            view->drawDetailPatternObject(&shape->path, object->fillPattern, &foreground, &background, w);
        gPolyHappening = 0;
    } else if (!transform) {
        ReleaseKeptPath(object);
        context.save();
        context.setStrokeColor(PlanColor(ds->penColor));
        if (object->closed) path->closePath();
        if (object->penStyle != kNoDashStyle) ApplyDash(context);
        context.setLineWidth(w);
        context.strokePath(*path);
        context.restore();
    }
    gPolyPtCount = 0;
}

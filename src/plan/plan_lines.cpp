#include "plan/plan_lines.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "app/core/main_window_seams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/numeric.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/projection.h"
#include "model/segment_sampling.h"
#include "model/transforms.h"
#include "model/view_state.h"
#include "plan/base_2d_view.h"
#include "plan/plan_color.h"
#include "model/plan_objects.h"
#include "plan/zoom.h"
#include "port/drawing.h"
#include "port/seam.h"

PlatformPoint* gAcclLineBuffer = nullptr;
int32_t gAcclLinePointCount = 0;
int32_t gAcclLinePointCap = 1000;

namespace {

constexpr int32_t kAcclLineStep = 1000;
constexpr int16_t kSprinkler = 125;
constexpr int32_t kCurvedStair = 801;
constexpr int16_t kGatePoint = 6;  // a fence point where a gate stands
constexpr int16_t kOldText = objtype::kOldText, kDimensionText = objtype::kDimensionText;

}  // namespace

static const port::GlobalReset kReset([] {
    FreeAcclLineBuffer();
});

// --- accelerated line buffer ---

bool AllocateAcclLineBuffer() {
    if (gAcclLineBuffer) return true;
    gAcclLinePointCap = kAcclLineStep;
    gAcclLinePointCount = 0;
    gAcclLineBuffer = static_cast<PlatformPoint*>(std::calloc(kAcclLineStep, sizeof(PlatformPoint)));
    return gAcclLineBuffer != nullptr;
}

void FreeAcclLineBuffer() {
    std::free(gAcclLineBuffer);
    gAcclLineBuffer = nullptr;
    gAcclLinePointCount = 0;
    gAcclLinePointCap = kAcclLineStep;
}

void ApplePortAcceleratedDrawLine(float x1, float y1, float x2, float y2) {
    if (!gAcclLineBuffer) return;
    if (gAcclLinePointCount + 2 > gAcclLinePointCap) {
        const int32_t cap = gAcclLinePointCap + kAcclLineStep;
        void* grown = std::realloc(gAcclLineBuffer, static_cast<size_t>(cap) * sizeof(PlatformPoint));
        if (!grown) return;
        gAcclLineBuffer = static_cast<PlatformPoint*>(grown);
        gAcclLinePointCap = cap;
    }
    gAcclLineBuffer[gAcclLinePointCount++] = {x1, y1};
    gAcclLineBuffer[gAcclLinePointCount++] = {x2, y2};
}

// --- lines ---

namespace {

// How a plan line of the object is stroked when it is drawn at once; the dash is one of the
// fixed patterns below, never copied per line.
struct LineLook {
    const std::vector<double>* dash;
    double width = 1;
};

const std::vector<double> kSolid, kDotted{3, 3}, kDashed{18, 6};

LineLook LookFor(const Objex* object, const Poinz* point) {
    switch (object->type) {
    case objtype::kPropertyLine:
    case objtype::kQuickWallForm:
        return {&kDashed};
    case objtype::kPath:
    case objtype::kTopography:
    case objtype::kRailing:
    case kSprinkler:
    case objtype::kRoofCutout:
        return {&kDotted};
    case objtype::kFence:
        if (point && point->kind == kGatePoint) return {&kSolid, 3};
        return {&kDotted};
    case objtype::kDetail:
        if (object->subtype == objsubtype::kSwitchConnector) return {&kDotted};
        return {&kSolid};
    case objtype::kFloorCutout:
        if (object->subtype == objsubtype::kDeckCutout ||
            object->subtype == objsubtype::kSwitchConnector)
            return {&kDotted};
        return {&kSolid};
    case objtype::kPhoto:
        return {&kSolid, 3};
    default:
        return {&kSolid};
    }
}

bool OnPlane(float v) { return v > -30000.0f && v < 30000.0f; }

float Round(float v) { return dvxnum::TruncToInt16(static_cast<double>(v) + 0.5); }

QMDDynamicDrawEngine* MainEngine() {
    Base2DView* view = MainWindowDocumentView();
    return view ? view->dynamicDrawEngine.get() : nullptr;
}

// A one-line stroke at once in the current colour.
void StrokeLine(float x1, float y1, float x2, float y2, const LineLook& look) {
    port::DrawingContext& context = port::currentDrawingContext();
    const port::Point from{x1, y1}, to{x2, y2};
    // Most lines of a frame share their pen: no state to set, none to put back.
    const port::GraphicsState& now = context.state();
    if (now.lineWidth == look.width && now.dash == *look.dash && now.dashPhase == 0) {
        context.strokeLine(from, to);
        return;
    }
    context.save();
    context.setLineWidth(look.width);
    context.setLineDash(*look.dash, 0);
    context.strokeLine(from, to);
    context.restore();
}

// Both points into the current view (zoomed, with the view's perspective).
void Project(float p[3], float q[3]) {
    ConvertToIso(&p[0], &p[1], &p[2], &q[0], &q[1], &q[2], gPerspective);
}

void Arrowhead(void* dc, const Objex* object, const float from[3], const float to[3]) {
    float back[3] = {from[0], from[1], from[2]}, tip[3] = {to[0], to[1], to[2]};
    Project(back, tip);
    DrawStairArrowhead(dc, object, tip[0], tip[1], back[0], back[1]);
}

// The transform feedback of one segment's end, as the flags pick it.
void TransformCopy(Poinz* point, const Objex* object, int32_t flags, const TransformRecord* record) {
    const bool textBox = object && (object->type == kOldText || object->type == kDimensionText);
    if (flags & xform::kTranslateFlag) TranslatePoint(point, flags, record);
    else if (flags & xform::kScaleFlag) ScalePoint(point, flags, record);
    else if ((flags & xform::kShearFlag) && !textBox) ShearPoint(point, flags, record);
    else if ((flags & xform::kRotateFlag) && !textBox) RotatePoint(point, flags, record);
}

bool IsZero(const float v[3]) { return v[0] == 0.0f && v[1] == 0.0f && v[2] == 0.0f; }

// Model points (h, v, d) into the view as plan lines' ends: zoomed, projected (with the view's
// perspective) and scaled for printing. The view is read once for a run of lines; each end is
// worked out on its own, so a point shared by two lines is projected once.
struct PlanProjection {
    float zoom;
    ViewProjection view;
    bool printing;
    float hScale, vScale;

    PlanProjection()
        : zoom(ZoomFactor()), view(ViewProjection::Current()), printing(gPrinting != 0), hScale(gHPrintScale),
          vScale(gVPrintScale) {}

    void operator()(float p[3]) const {
        if (zoom != 1.0f) p[0] *= zoom, p[1] *= zoom, p[2] *= zoom;
        view.Apply(p);
        if (printing) p[0] *= hScale, p[1] *= vScale;
    }
};

// Where the lines of one object (and one point's look) go, settled once for a run of lines.
class LineSink {
public:
    LineSink(const Objex* object, const Poinz* point) {
        if (gDynamicDrawing) {
            kind_ = Kind::kDynamic;
            engine_ = MainEngine();
        } else if (gTransformationDrawing) {
            kind_ = Kind::kTransform;
            QMDDynamicDrawEngine* engine = MainEngine();
            element_ = engine ? engine->activeTransformElement() : nullptr;
        } else if (!object) {
            kind_ = Kind::kNone;
        } else if (object->type == objtype::kEdging ||
                   (object->type == objtype::kFentrix && object->parent &&
                    object->parent->type == objtype::kGroup)) {
            kind_ = Kind::kAccelerated;
        } else {
            kind_ = Kind::kStroke;
            look_ = LookFor(object, point);
            // A stroke with its own pen sets it and puts it back, so the pen is the same for
            // every line of the run.
            const port::GraphicsState& now = port::currentDrawingContext().state();
            sharesPen_ = now.lineWidth == look_.width && now.dash == *look_.dash && now.dashPhase == 0;
        }
    }

    // A line of two view points.
    void operator()(float h1, float v1, float h2, float v2) const {
        if (!OnPlane(h1) || !OnPlane(v1) || !OnPlane(h2) || !OnPlane(v2)) return;
        switch (kind_) {
        case Kind::kDynamic:
            if (engine_) engine_->appendLineToActivePathWithStartPoint({Round(h1), Round(v1)}, {Round(h2), Round(v2)});
            return;
        case Kind::kTransform:
            if (element_) element_->appendPathWithLineFromPoint({Round(h1), Round(v1)}, {Round(h2), Round(v2)});
            return;
        case Kind::kNone:
            return;
        case Kind::kAccelerated:
            ApplePortAcceleratedDrawLine(h1, v1, h2, v2);
            return;
        case Kind::kStroke:
            break;
        }
        if (sharesPen_) port::currentDrawingContext().strokeLine({Round(h1), Round(v1)}, {Round(h2), Round(v2)});
        else StrokeLine(Round(h1), Round(v1), Round(h2), Round(v2), look_);
    }

private:
    enum class Kind { kDynamic, kTransform, kNone, kAccelerated, kStroke };
    Kind kind_ = Kind::kNone;
    QMDDynamicDrawEngine* engine_ = nullptr;
    QMDDynamicTransformElement* element_ = nullptr;
    LineLook look_{&kSolid};
    bool sharesPen_ = false;
};

// Lines along the cubic from t = 0 in steps while t <= 1.01; returns how many were drawn and
// leaves the last line's ends in `from` and `to`.
int DrawCubic(void*, const SegmentCubic& cubic, float step, const Objex* object, const Poinz* first, float from[3],
              float to[3]) {
    int lines = 0;
    const PlanProjection toView;
    const LineSink put(object, first);
    // Model points kept in locals (not through the out-parameters) so they stay in registers.
    float before[3] = {}, at[3];
    cubic.At(0.0f, at);
    float last[3] = {at[0], at[1], at[2]}, next[3];
    toView(last);
    for (int i = 1;; ++i) {
        const float t = static_cast<float>(i) * step;
        if (!(t <= 1.01f)) break;
        for (int k = 0; k < 3; ++k) before[k] = at[k];
        cubic.At(t, at);
        for (int k = 0; k < 3; ++k) next[k] = at[k];
        toView(next);
        put(last[0], last[1], next[0], next[1]);
        for (int k = 0; k < 3; ++k) last[k] = next[k];
        ++lines;
    }
    for (int k = 0; k < 3; ++k) to[k] = at[k];
    if (lines > 0)
        for (int k = 0; k < 3; ++k) from[k] = before[k];
    return lines;
}

}  // namespace

void DrawLine(void* /*dc*/, float h1, float v1, float d1, float h2, float v2, float d2,
              uint8_t zoom, const Objex* object, const Poinz* point) {
    if (zoom && !gPrinting) {
        for (float* c : {&h1, &v1, &d1, &h2, &v2, &d2}) *c = ZoomF(*c);
    }
    float a[3] = {h1, v1, d1}, b[3] = {h2, v2, d2};
    const PlanProjection toView;
    toView(a);
    toView(b);
    LineSink(object, point)(a[0], a[1], b[0], b[1]);
}

namespace {

// A segment between two ends as they are drawn (the model's own points, or copies moved by the
// transform feedback); `first` is the model's first point, which picks the line's look.
void DrawSegmentBetween(void* dc, const Objex* object, const Poinz* first, const Poinz& a, const Poinz& b,
                        const DocState* ds) {
    const int32_t subtype = object ? object->subtype : 0;
    if (!IsCurvedSegment(&a, &b)) {
        DrawLine(dc, a.position[0], a.position[1], a.position[2], b.position[0], b.position[1],
                 b.position[2], 0, object, first);
        if (subtype == objsubtype::kStraightStair) Arrowhead(dc, object, a.position, b.position);
        return;
    }
    const int32_t r = ds->curveSegments;
    const int32_t n = gRealTimeDraw ? std::max<int32_t>(1, r / 2) : r;
    const int32_t z = ZoomL(n);
    const float step = z < 8 ? 0.125f : z > 20 ? 0.05f : 1.0f / static_cast<float>(z);
    float from[3], to[3];
    const int lines = DrawCubic(dc, SegmentCubic(a.position, a.outTangent, b.position, b.inTangent),
                                step, object, first, from, to);
    if (subtype == kCurvedStair && lines > 0) Arrowhead(dc, object, from, to);
}

void DrawLinkBetween(void* dc, const Objex* object, const Poinz* first, const Poinz& a, const Poinz& b) {
    if (IsZero(a.acrossTangent) && IsZero(b.acrossTangent)) {
        DrawLine(dc, a.position[0], a.position[1], a.position[2], b.position[0], b.position[1],
                 b.position[2], 0, object, first);
        return;
    }
    const DocState* ds = CurrentDocState();
    const int32_t r = ds ? ds->curveSegments : 10;
    const int32_t n = gRealTimeDraw ? r / 2 : r;
    // A resolution below 1 (a damaged file) draws the link as one line rather than none.
    const float step = n < 1 ? 1.0f : 1.0f / static_cast<float>(n);
    float from[3], to[3];
    DrawCubic(dc, SegmentCubic(a.position, a.acrossTangent, b.position, b.acrossTangent), step,
              object, first, from, to);
}

}  // namespace

void DrawObjectSegment(void* dc, const Objex* object, const Poinz* p1, const Poinz* p2,
                       int32_t flags, const TransformRecord* transform) {
    const DocState* ds = CurrentDocState();
    if (!p1 || !p2 || !ds) return;
    if (object && object->type == objtype::kFence && p1->kind == kGatePoint) {
        const port::Color color = (flags & (4 | 8)) ? port::Color{0, 0, 0, 1} : PlanColor(ds->penColor);
        port::currentDrawingContext().setFillColor(color);
        port::currentDrawingContext().setStrokeColor(color);
    }
    if (!transform) return DrawSegmentBetween(dc, object, p1, *p1, *p2, ds);
    Poinz a = *p1, b = *p2;  // the model's points stay where they are
    TransformCopy(&a, object, flags, transform);
    TransformCopy(&b, object, flags, transform);
    DrawSegmentBetween(dc, object, p1, a, b, ds);
}

void DrawLinkSegment(void* dc, const Objex* object, const Poinz* p1, const Poinz* p2,
                     int32_t flags, const TransformRecord* transform) {
    if (!p1 || !p2) return;
    if (!transform) return DrawLinkBetween(dc, object, p1, *p1, *p2);
    Poinz a = *p1, b = *p2;
    TransformCopy(&a, object, flags, transform);
    TransformCopy(&b, object, flags, transform);
    DrawLinkBetween(dc, object, p1, a, b);
}

ObjectLineStyle::ObjectLineStyle(const Objex* object) {
    port::DrawingContext& context = port::currentDrawingContext();
    context.save();
    const LineLook look = LookFor(object, nullptr);
    context.setLineWidth(look.width);
    context.setLineDash(*look.dash, 0);
}

ObjectLineStyle::~ObjectLineStyle() { port::currentDrawingContext().restore(); }

void Draw2DLine(int16_t x1, int16_t y1, int16_t x2, int16_t y2, uint8_t zoom) {
    int32_t c[4] = {x1, y1, x2, y2};
    if (zoom)
        for (int32_t& v : c) v = ZoomL(v);
    const PlatformPoint start{static_cast<float>(c[0]), static_cast<float>(c[1])};
    const PlatformPoint end{static_cast<float>(c[2]), static_cast<float>(c[3])};
    if (gDynamicDrawing) {
        if (QMDDynamicDrawEngine* engine = MainEngine())
            engine->appendLineToActivePathWithStartPoint(start, end);
        return;
    }
    StrokeLine(start.x, start.y, end.x, end.y, {&kSolid});
}

void DrawStairArrowhead(void* /*dc*/, const Objex* /*object*/, float tipX, float tipY,
                        float backX, float backY) {
    if (!CurrentDocState()) return;
    float length = 0.0f;
    const double angle = GetLineLengthAndAngle(tipX, tipY, backX, backY, &length);
    const double barb = ZoomF(50.0f);
    constexpr double kSpread = 0.4363323129985824;  // 25 degrees
    const double hScale = gPrinting ? gHPrintScale : 1.0, vScale = gPrinting ? gVPrintScale : 1.0;
    auto at = [&](double x, double y) {
        return port::Point{static_cast<double>(dvxnum::TruncToInt16(x * hScale + 0.5)),
                           static_cast<double>(dvxnum::TruncToInt16(y * vScale + 0.5))};
    };
    const port::Point tip = at(tipX, tipY);
    port::Path path;
    for (double side : {kSpread, -kSpread}) {
        const port::Point end = at(tipX + barb * std::cos(angle + side),
                                   tipY - barb * std::sin(angle + side));
        path.moveTo(tip.x, tip.y);
        path.lineTo(end.x, end.y);
    }
    port::DrawingContext& context = port::currentDrawingContext();
    context.save();
    context.setLineWidth(1);
    context.setLineDash({}, 0);
    context.strokePath(path);
    context.restore();
}

// --- detail line styles ---

void LoadStyle(int16_t style, StyleState* record, float penWidth) {
    if (!record || style < 7 || style > 14) return;
    static constexpr struct {
        int16_t count;
        float lengths[6];
    } kStyles[] = {
        {4, {60, 6, 7, 6}},       {6, {60, 6, 7, 6, 7, 6}}, {2, {20, 6}}, {2, {8, 6}},
        {4, {8, 6, 8, 12}},       {6, {60, 6, 2, 6, 2, 6}}, {2, {2, 6}},  {4, {60, 6, 2, 6}},
    };
    const auto& row = kStyles[style - 7];
    const float gapScale = penWidth > 1.0f ? 1.0f + 0.25f * penWidth : 1.0f;
    *record = {};
    record->dashCount = row.count;
    for (int i = 0; i < row.count; ++i)
        record->dashes[i] = ZoomF(row.lengths[i]) * (i % 2 ? gapScale : 1.0f);
}

// --- operations of the Windows drawing ---

void DrawStyledLine(void*, float, float, float, float, float, float, const Objex*) {}
void DrawPageBreaks(void*) {}
void DrawMoveTo(void*, int16_t, int16_t) {}
void DrawLineTo(void*, int16_t, int16_t) {}
void AdjustPtList(POINT*, int32_t) {}
void DrawCrosshair(void*, int16_t, int16_t) {}

// A full plan redraw of the generated design into a 1920 x 1080 image, at the usual zoom and
// at the zoom that shows everything, through the Qt painter and through a recording context
// (the drawing logic alone). Beside each, a floor: as many one-line segments as the frame
// strokes, stroked straight into the same context. The redraws (in the window and fitted to it)
// sit beside their floors, and beside what Qt's painter alone spends on the same frame.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

#include "app/core/main_window_seams.h"
#include "batched_floor.h"
#include "bench_support.h"
#include "design_generator.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/plan_index.h"
#include "model/projection.h"
#include "model/view_state.h"
#include "plan/base_2d_view.h"
#include "plan/plan_lines.h"
#include "port/qt/painter_context.h"
#include "support/drawing_doubles.h"

namespace {

constexpr int kWidth = 1920, kHeight = 1080;

// A window onto the plan: what is visible and whether a box meets it.
struct WindowHost : dvxtest::FakeViewHost {
    bool needsToDrawRect(const PlatformRect& r) const override {
        return r.x < visible.x + visible.width && r.x + r.width > visible.x &&
               r.y < visible.y + visible.height && r.y + r.height > visible.y;
    }
};

struct Design {
    QMDDocumentModel* doc = nullptr;
    dvxbench::DesignStats stats;
    FloatRect extent{INFINITY, INFINITY, -INFINITY, -INFINITY};
};

Design& DesignOf(int32_t objects) {
    static std::map<int32_t, Design> designs;
    Design& design = designs[objects];
    if (design.doc) return design;
    design.doc = dvxbench::NewGeneratedDocument({objects, 1}, &design.stats);
    if (!design.doc) return design;
    FloatRect& e = design.extent;
    for (Layer* l = design.doc->itsLayers; l; l = l->next)
        for (Objex* o = l->firstObject; o; o = o->next) {
            e.floatLeft = std::min(e.floatLeft, o->bounds.floatLeft);
            e.floatTop = std::min(e.floatTop, o->bounds.floatTop);
            e.floatRight = std::max(e.floatRight, o->bounds.floatRight);
            e.floatBottom = std::max(e.floatBottom, o->bounds.floatBottom);
        }
    return design;
}

// Kept to the end: destroyed among the exit handlers it would outlive Qt's own globals.
void EnsureGuiApplication() {
    if (QGuiApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "bench_dovranix";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
}

enum Zoom { kUsualZoom, kWholeDesign };
enum Target { kPainter, kRecording };

struct Frame {
    WindowHost host;
    Base2DView view{&host};
    float dx = 0, dy = 0;  // where the context moves the plan
};

// Makes the design current at the zoom; false (skipped) when it cannot be built.
bool Prepare(benchmark::State& state, Frame& frame) {
    Design& design = DesignOf(static_cast<int32_t>(state.range(0)));
    if (!design.doc) {
        state.SkipWithError("the design could not be built");
        return false;
    }
    gCurDocument = design.doc;
    gXViewAngle = 90, gYViewAngle = 0, gPerspective = 0, gViewFactor = 1.0f, gViewDistance = 0;
    gGlobalXOffset = gGlobalYOffset = gGlobalZOffset = 0;
    DocState* ds = design.doc->itsDocState;
    const FloatRect& e = design.extent;
    float zoom = 0.6f;
    if (state.range(1) == kWholeDesign)
        zoom = std::min(kWidth / (e.floatRight - e.floatLeft), kHeight / (e.floatBottom - e.floatTop));
    ds->zoomFactor = zoom;
    frame.dx = -e.floatLeft * zoom, frame.dy = -e.floatTop * zoom;
    frame.host.visible = {-frame.dx, -frame.dy, float(kWidth), float(kHeight)};
    SetMainWindowDocumentViewHandler([&frame] { return &frame.view; });
    AllocateAcclLineBuffer();
    state.counters["objects"] = design.stats.objects;
    state.counters["zoom"] = zoom;
    return true;
}

void DrawFrame(Frame& frame, port::DrawingContext& context) {
    context.save();
    context.translate(frame.dx, frame.dy);
    frame.view.draw3D(frame.host.visible, 1);
    context.restore();
    context.flush();
}

void BM_PlanFrame(benchmark::State& state) {
    EnsureGuiApplication();
    Frame frame;
    if (!Prepare(state, frame)) return;
    dvxtest::RecordingContext recorded;
    {
        port::DrawingScope scope(recorded);
        DrawFrame(frame, recorded);
    }
    state.counters["segments"] = static_cast<double>(dvxbench::StrokedSegments(recorded));
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    std::unique_ptr<port::DrawingContext> context;
    if (state.range(2) == kPainter) context = std::make_unique<port::qt::QPainterContext>(&image);
    else context = std::make_unique<dvxtest::RecordingContext>();
    port::DrawingScope scope(*context);
    context->setAntialiasing(false);
    for (auto _ : state) {
        DrawFrame(frame, *context);
        if (auto* r = dynamic_cast<dvxtest::RecordingContext*>(context.get())) r->ops.clear();
    }
    SetMainWindowDocumentViewHandler(nullptr);
}

// The floor: the frame's segment count as one-line paths stroked into the same context.
void BM_PlanFrameFloor(benchmark::State& state) {
    EnsureGuiApplication();
    Frame frame;
    if (!Prepare(state, frame)) return;
    dvxtest::RecordingContext recorded;
    {
        port::DrawingScope scope(recorded);
        DrawFrame(frame, recorded);
    }
    const int64_t segments = dvxbench::StrokedSegments(recorded);
    state.counters["segments"] = static_cast<double>(segments);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    std::unique_ptr<port::DrawingContext> context;
    if (state.range(2) == kPainter) context = std::make_unique<port::qt::QPainterContext>(&image);
    else context = std::make_unique<dvxtest::RecordingContext>();
    context->setAntialiasing(false);
    for (auto _ : state) {
        dvxbench::StrokeSegments(*context, segments, kWidth, kHeight);
        if (auto* r = dynamic_cast<dvxtest::RecordingContext*>(context.get())) r->ops.clear();
    }
    SetMainWindowDocumentViewHandler(nullptr);
}

void Sizes(benchmark::internal::Benchmark* b) {
    for (int64_t objects : {5000, 50000})
        for (int64_t zoom : {kUsualZoom, kWholeDesign})
            for (int64_t target : {kPainter, kRecording}) b->Args({objects, zoom, target});
    b->ArgNames({"objects", "whole", "recording"})->Unit(benchmark::kMillisecond);
}

// The frame's drawing as a recording context sees it, aliased as the painter draws it; with
// the index off, every object the design holds.
void Record(Frame& frame, dvxtest::RecordingContext& recorded, bool indexed) {
    port::DrawingScope scope(recorded);
    recorded.setAntialiasing(false);
    const uint8_t was = gPlanIndexOn;
    gPlanIndexOn = indexed ? was : 0;
    DrawFrame(frame, recorded);
    gPlanIndexOn = was;
}

// Seconds of the redraw's floor: the segments that meet the window (every object recorded, so
// the floor counts what meets the window, not what the index left out) in one batched call.
double FloorSeconds(benchmark::State& state, Frame& frame) {
    dvxtest::RecordingContext recorded;
    Record(frame, recorded, false);
    const PlatformRect& v = frame.host.visible;
    const std::vector<double> segments = dvxbench::SegmentsMeeting(recorded, v.x, v.y, v.width, v.height);
    state.counters["segments"] = static_cast<double>(segments.size() / 4);
    return dvxbench::BatchedStrokeSeconds(segments, kWidth, kHeight, frame.dx, frame.dy);
}

// One redraw of the window through the Qt painter: at the usual zoom (the view), its floor the
// segments that meet the window stroked in one call; or fitted to the window (all), its floor
// every segment of the design in one call. `x_floor` is the same floor; `x_5k` the ratio to
// the 5,000-object run.
void PlanRedraw(benchmark::State& state, const char* family) {
    EnsureGuiApplication();
    Frame frame;
    if (!Prepare(state, frame)) return;
    const double floor = FloorSeconds(state, frame);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    port::qt::QPainterContext context(&image);
    port::DrawingScope scope(context);
    context.setAntialiasing(false);
    dvxbench::Measured measured(state, family, floor);
    measured.start();
    for (auto _ : state) DrawFrame(frame, context);
    measured.report();
    SetMainWindowDocumentViewHandler(nullptr);
}

void BM_PlanRedrawView(benchmark::State& state) { PlanRedraw(state, "redraw view"); }
void BM_PlanRedrawAll(benchmark::State& state) { PlanRedraw(state, "redraw all"); }

// A painter context whose state can be set whole from a recorded operation.
class ReplayContext : public port::qt::QPainterContext {
public:
    using QPainterContext::QPainterContext;

    // Hatch tiles start from the operation's own matrix rather than the frame's: the same work.
    void take(const port::GraphicsState& s) {
        setFillColor(s.fill);
        setStrokeColor(s.stroke);
        setLineWidth(s.lineWidth);
        if (state().dash != s.dash || state().dashPhase != s.dashPhase) setLineDash(s.dash, s.dashPhase);
        setAntialiasing(s.antialias);
        setInitialMatrix(s.matrix);
    }
};

// What Qt's painter alone spends on a redraw: the fills, strokes and hatches the frame draws
// (recorded once through the index) replayed into the painter, with no plan logic and no text
// (a recording keeps no fonts). Its floor is the redraw's: a redraw cannot come nearer its floor
// than this.
void BM_PlanPainterReplay(benchmark::State& state) {
    EnsureGuiApplication();
    Frame frame;
    if (!Prepare(state, frame)) return;
    const double floor = FloorSeconds(state, frame);
    dvxtest::RecordingContext recorded;
    Record(frame, recorded, true);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    ReplayContext context(&image);
    dvxbench::Measured measured(state, state.range(1) == kWholeDesign ? "replay all" : "replay view", floor);
    measured.start();
    for (auto _ : state) {
        for (const dvxtest::DrawnOp& op : recorded.ops) {
            using Kind = dvxtest::DrawnOp::Kind;
            if (op.kind != Kind::Fill && op.kind != Kind::Stroke && op.kind != Kind::Segments &&
                op.kind != Kind::Pattern)
                continue;
            context.take(op.state);
            if (op.kind == Kind::Fill) context.fillPath(op.path);
            else if (op.kind == Kind::Stroke) context.strokePath(op.path);
            else if (op.kind == Kind::Segments) context.strokeLineSegments(op.points);
            else context.fillPathWithPattern(op.path, *op.pattern, op.patternColor, op.phase);
        }
        context.flush();
    }
    measured.report();
    SetMainWindowDocumentViewHandler(nullptr);
}

void RedrawSizes(benchmark::internal::Benchmark* b, Zoom zoom) {
    for (int64_t objects : {dvxbench::kSmall, dvxbench::kLarge}) b->Args({objects, zoom, kPainter});
    b->ArgNames({"objects", "whole", "recording"})->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(BM_PlanRedrawView)->Apply([](benchmark::internal::Benchmark* b) { RedrawSizes(b, kUsualZoom); });
BENCHMARK(BM_PlanRedrawAll)->Apply([](benchmark::internal::Benchmark* b) { RedrawSizes(b, kWholeDesign); });
BENCHMARK(BM_PlanPainterReplay)->Apply([](benchmark::internal::Benchmark* b) {
    RedrawSizes(b, kUsualZoom);
    RedrawSizes(b, kWholeDesign);
});
BENCHMARK(BM_PlanFrame)->Apply(Sizes);
BENCHMARK(BM_PlanFrameFloor)->Apply(Sizes);

// A full plan redraw of the generated design into a 1920 x 1080 image, at the usual zoom and
// at the zoom that shows everything, through the Qt painter and through a recording context
// (the drawing logic alone). Beside each, a floor: as many one-line segments as the frame
// strokes, stroked straight into the same context.
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

// One redraw of the window through the Qt painter: at the usual zoom (the view), its floor the
// segments that meet the window stroked in one call; or fitted to the window (all), its floor
// every segment of the design in one call. `x_floor` is the same floor; `x_5k` the ratio to
// the 5,000-object run.
void PlanRedraw(benchmark::State& state, const char* family) {
    EnsureGuiApplication();
    Frame frame;
    if (!Prepare(state, frame)) return;
    dvxtest::RecordingContext recorded;
    {
        // Every object the design holds, so the floor counts what meets the window, not what
        // the index left out.
        port::DrawingScope scope(recorded);
        const uint8_t indexed = gPlanIndexOn;
        gPlanIndexOn = 0;
        DrawFrame(frame, recorded);
        gPlanIndexOn = indexed;
    }
    const PlatformRect& v = frame.host.visible;
    const std::vector<double> segments = dvxbench::SegmentsMeeting(recorded, v.x, v.y, v.width, v.height);
    state.counters["segments"] = static_cast<double>(segments.size() / 4);
    const double floor = dvxbench::BatchedStrokeSeconds(segments, kWidth, kHeight, frame.dx, frame.dy);
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

void RedrawSizes(benchmark::internal::Benchmark* b, Zoom zoom) {
    for (int64_t objects : {dvxbench::kSmall, dvxbench::kLarge}) b->Args({objects, zoom, kPainter});
    b->ArgNames({"objects", "whole", "recording"})->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(BM_PlanRedrawView)->Apply([](benchmark::internal::Benchmark* b) { RedrawSizes(b, kUsualZoom); });
BENCHMARK(BM_PlanRedrawAll)->Apply([](benchmark::internal::Benchmark* b) { RedrawSizes(b, kWholeDesign); });
BENCHMARK(BM_PlanFrame)->Apply(Sizes);
BENCHMARK(BM_PlanFrameFloor)->Apply(Sizes);

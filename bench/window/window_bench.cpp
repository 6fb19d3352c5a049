// The plan view of the generated design in a 1920 x 1080 window: one Ctrl+wheel zoom step, one
// 100-pixel scroll and one move of a drag, each with the repaint that follows, offscreen. Beside each, a floor:
// as many one-line segments as a repaint of the visible plan strokes, stroked straight through
// a painter context on an image of the same size; and a view floor: only the segments that
// meet the window, stroked in one call.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <memory>

#include "app/core/main_window_seams.h"
#include "app/document_view.h"
#include "batched_floor.h"
#include "bench_support.h"
#include "files/windows_records.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/plan_index.h"
#include "model/projection.h"
#include "model/tool_state.h"
#include "model/view_state.h"
#include "plan/plan_lines.h"
#include "port/qt/painter_context.h"
#include "support/drawing_doubles.h"
#include "tracking/drafting_trackers.h"

namespace {

constexpr int kWidth = 1920, kHeight = 1080;

// Kept to the end: destroyed among the exit handlers it would outlive Qt's own globals.
void EnsureApplication() {
    if (QApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "bench_window";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

// The scroll view with a viewport of 1920 x 1080 onto the design's paper at zoom 0.6, centred.
struct Window {
    QMDDocumentScrollView scroll;
    QMDDocumentView* view = new QMDDocumentView;
    int64_t segments = 0;
    double viewFloor = 0;  // the segments that meet the window, stroked in one call

    bool open(benchmark::State& state) {
        if (!dvxbench::SharedDesign(state.range(0))) {
            state.SkipWithError("the design could not be built");
            return false;
        }
        gXViewAngle = 90, gYViewAngle = 0, gPerspective = 0, gViewFactor = 1.0f, gViewDistance = 0;
        gGlobalXOffset = gGlobalYOffset = gGlobalZOffset = 0;
        gCurDocument->itsDocState->zoomFactor = 0.6f;
        AllocateAcclLineBuffer();
        SetMainWindowDocumentViewHandler([this] { return static_cast<Base2DView*>(view); });
        scroll.setDocumentView(view);
        scroll.resize(kWidth, kHeight);
        scroll.show();
        const QSize frame = scroll.size() - scroll.viewport()->size();
        scroll.resize(QSize(kWidth, kHeight) + frame);
        float w = 0, h = 0;
        GetAdjustedPaperWidthAndHeight(&w, &h);
        view->setFrameSize({w, h});
        view->setBoundsOrigin({-w / 2, -h / 2});
        const PlatformRect r = view->visibleRect();
        view->scrollPoint({r.x + (w - r.width) / 2, r.y + (h - r.height) / 2});
        QApplication::processEvents();
        // Every object the design holds, as a repaint drew before the plan had its index.
        dvxtest::RecordingContext recorded;
        {
            port::DrawingScope scope(recorded);
            gPlanIndexOn = 0;
            view->draw3D(view->visibleRect(), 1);
            gPlanIndexOn = 1;
        }
        segments = dvxbench::StrokedSegments(recorded);
        const PlatformRect shown = view->visibleRect();
        viewFloor = dvxbench::BatchedStrokeSeconds(
            dvxbench::SegmentsMeeting(recorded, shown.x, shown.y, shown.width, shown.height), kWidth, kHeight,
            -shown.x, -shown.y);
        state.counters["segments"] = static_cast<double>(segments);
        return true;
    }
    ~Window() { SetMainWindowDocumentViewHandler(nullptr); }
};

double FloorSeconds(int64_t segments) {
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    port::qt::QPainterContext context(&image);
    context.setAntialiasing(false);
    return dvxbench::BestSeconds(5, [&] { dvxbench::StrokeSegments(context, segments, kWidth, kHeight); });
}

// Zooms in and out by one notch about the viewport's centre; the display pass repaints.
void BM_WheelZoomStep(benchmark::State& state) {
    EnsureApplication();
    Window window;
    if (!window.open(state)) return;
    QWidget* viewport = window.scroll.viewport();
    const QPointF centre(kWidth / 2.0, kHeight / 2.0);
    dvxbench::Measured measured(state, "zoom", FloorSeconds(window.segments), window.viewFloor);
    int notch = 120;
    measured.start();
    for (auto _ : state) {
        QWheelEvent wheel(centre, viewport->mapToGlobal(centre), {}, {0, notch}, Qt::NoButton, Qt::ControlModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport, &wheel);
        QApplication::processEvents();
        notch = -notch;
    }
    measured.report();
}

// Scrolls 100 pixels across and back through the scroll bar; the display pass repaints.
void BM_ScrollStep(benchmark::State& state) {
    EnsureApplication();
    Window window;
    if (!window.open(state)) return;
    QScrollBar* bar = window.scroll.horizontalScrollBar();
    dvxbench::Measured measured(state, "scroll", FloorSeconds(window.segments), window.viewFloor);
    int step = 100;
    measured.start();
    for (auto _ : state) {
        bar->setValue(bar->value() + step);
        QApplication::processEvents();
        step = -step;
    }
    measured.report();
}

// One move of a rectangle tool's drag across the middle of the view, with the repaint that
// follows: the plan under the feedback is kept, so only the feedback's old and new places are
// painted again. `plan_draws` counts the plan drawn in the timed moves (0 when kept).
void BM_DragStep(benchmark::State& state) {
    EnsureApplication();
    Window window;
    if (!window.open(state)) return;
    RegisterDraftingTrackers();
    gCurTool = toolid::kRectangle;
    QMDDocumentView* view = window.view;
    const QPointF centre = QPointF(view->visibleWidgetRect().center());
    auto send = [view](QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent e(type, at, view->mapToGlobal(at), button, held, {});
        QApplication::sendEvent(view, &e);
        QApplication::processEvents();
    };
    send(QEvent::MouseButtonPress, centre, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, centre + QPointF(150, 80), Qt::NoButton, Qt::LeftButton);
    const int drawn = view->keptPlanDraws();
    dvxbench::Measured measured(state, "drag", FloorSeconds(window.segments), window.viewFloor);
    int step = 0;
    measured.start();
    for (auto _ : state) {
        send(QEvent::MouseMove, centre + QPointF(150 + (step & 1) * 40, 80 + (step & 1) * 30), Qt::NoButton,
             Qt::LeftButton);
        ++step;
    }
    measured.report();
    state.counters["plan_draws"] = view->keptPlanDraws() - drawn;
    send(QEvent::MouseButtonRelease, centre, Qt::LeftButton, Qt::NoButton);
    gCurTool = toolid::kSelect;
}

void Sizes(benchmark::internal::Benchmark* b) {
    b->Arg(dvxbench::kSmall)->Arg(dvxbench::kLarge)->ArgName("objects")->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(BM_WheelZoomStep)->Apply(Sizes);
BENCHMARK(BM_ScrollStep)->Apply(Sizes);
BENCHMARK(BM_DragStep)->Apply(Sizes);

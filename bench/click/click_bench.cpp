// One click of the move tool in the plan view of the generated design, in a 1920 x 1080
// window: press and release on a point, on a curved segment and on empty plan, through the
// view's gesture road (hit test, selection rules, readouts, the tracker standing in for the
// engine) and the repaint that follows (`road_ms`: the press and release alone). Each click starts with nothing selected; putting that
// back is not timed. Beside them, a floor: as many one-line segments as a repaint of the
// visible plan strokes, stroked straight through a painter context on an image of that size;
// and a view floor: only the segments that meet the window, stroked in one call.
//
// A click on copies of the test designs' furnished house pasted into one design (as Ctrl+A,
// Ctrl+C and Ctrl+V make them), the live view hidden: on empty plan and on an object, each
// from nothing selected, on 64 and 512 copies; `copies_ratio`, at 512, the click a tenth of
// the clicks beat over the same at 64 (eight times the design), and `roster` the objects the
// selection roster names after the click.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "app/core/main_window_seams.h"
#include "app/document_view.h"
#include "batched_floor.h"
#include "bench_support.h"
#include "files/design_file.h"
#include "files/symbol_lists.h"
#include "files/windows_records.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/hit_testing.h"
#include "model/objects.h"
#include "model/plan_index.h"
#include "model/projection.h"
#include "model/render_state.h"
#include "model/selection_ops.h"
#include "model/selection_roster.h"
#include "model/splines.h"
#include "model/view_state.h"
#include "plan/plan_lines.h"
#include "port/qt/painter_context.h"
#include "support/drawing_doubles.h"
#include "support/pasted_copies.h"
#include "support/tracking_recorders.h"
#include "tracking/tracking_state.h"

namespace {

constexpr int kWidth = 1920, kHeight = 1080;
enum Target { kPoint, kCurve, kEmpty, kObject };

// Kept to the end: destroyed among the exit handlers it would outlive Qt's own globals.
void EnsureApplication() {
    if (QApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "bench_click";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

POINT ViewPoint(float h, float v, float d) {
    ConversionToIsometric(&h, &v, &d, gCosXAngle, gSinXAngle, gCosYAngle, gSinYAngle, gGlobalXOffset,
                          gGlobalYOffset, gGlobalZOffset, 1);
    return POINT{static_cast<int32_t>(h + 0.5f), static_cast<int32_t>(v + 0.5f)};
}

ClickInfo Search(POINT where) {
    ClickInfo click;
    click.ciWhere = where;
    click.ciHit = SelectFromAllLayers(gCurDocument->itsLayers, &click, 0, nullptr, 0);
    return click;
}

// The scroll view with a 1920 x 1080 viewport onto the design's paper at zoom 0.6.
struct Window {
    QMDDocumentScrollView scroll;
    QMDDocumentView* view = new QMDDocumentView;
    std::optional<dvxtest::RecordingTracker> tracker;
    int64_t segments = 0;
    std::vector<double> inView;  // the segments that meet the window

    bool open(benchmark::State& state) {
        dvxbench::DesignStats stats;
        if (!dvxbench::SharedDesign(state.range(0), &stats)) {
            state.SkipWithError("the design could not be built");
            return false;
        }
        place();
        state.counters["objects"] = stats.objects;
        return true;
    }
    // The view onto the current design, the select tool chosen.
    void place() {
        gXViewAngle = 90, gYViewAngle = 0, gPerspective = 0, gViewFactor = 1.0f, gViewDistance = 0;
        gGlobalXOffset = gGlobalYOffset = gGlobalZOffset = 0;
        SetUpForRotationAboutArbitraryAxis(gXViewAngle, gYViewAngle, &gCosXAngle, &gSinXAngle, &gCosYAngle,
                                           &gSinYAngle, gPerspective);
        gCurDocument->itsDocState->zoomFactor = 0.6f;
        gCurTool = toolid::kSelect;
        AllocateAcclLineBuffer();
        SetMainWindowDocumentViewHandler([this] { return static_cast<Base2DView*>(view); });
        tracker.emplace();
        scroll.setDocumentView(view);
        scroll.resize(kWidth, kHeight);
        scroll.show();
        scroll.resize(QSize(kWidth, kHeight) + scroll.size() - scroll.viewport()->size());
        float w = 0, h = 0;
        GetAdjustedPaperWidthAndHeight(&w, &h);
        view->setFrameSize({w, h});
        view->setBoundsOrigin({-w / 2, -h / 2});
    }
    // Whether the view point lies on the paper.
    bool onPaper(POINT p) const {
        const PlatformPoint o = view->boundsOrigin();
        return p.x > o.x && p.y > o.y && p.x < o.x + view->width() && p.y < o.y + view->height();
    }
    // Shows the point in the middle of the window and counts what a repaint strokes there.
    void centre(POINT p) {
        view->scrollPoint({float(p.x - kWidth / 2), float(p.y - kHeight / 2)});
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
        const PlatformRect r = view->visibleRect();
        inView = dvxbench::SegmentsMeeting(recorded, r.x, r.y, r.width, r.height);
        shown = r;
    }
    PlatformRect shown;
    // Seconds of the press and release alone; the repaint follows.
    double click(POINT p) {
        const QPointF at(p.x - view->boundsOrigin().x, p.y - view->boundsOrigin().y);
        const QPointF global = view->mapToGlobal(at);
        QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, {});
        QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, {});
        const auto t0 = std::chrono::steady_clock::now();
        QApplication::sendEvent(view, &press);
        QApplication::sendEvent(view, &release);
        const double road = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        QApplication::processEvents();
        return road;
    }
    ~Window() { SetMainWindowDocumentViewHandler(nullptr); }
};

// The target nearest the paper's centre: a point (hit as a point), the middle of a curved
// segment (hit as a segment), a spot where nothing is hit or one where an object other than a
// wall is.
std::optional<POINT> FindTarget(const Window& window, Target target) {
    std::vector<POINT> candidates;
    const bool spots = target == kEmpty || target == kObject;
    if (spots) {
        for (int32_t y = -300; y <= 300; y += 20)
            for (int32_t x = -300; x <= 300; x += 20) candidates.push_back({x, y});
    }
    for (Layer* l = gCurDocument->itsLayers; l && !spots; l = l->next)
        for (Objex* o = l->firstObject; o; o = o->next) {
            if (target == kPoint) {
                if (o->type != 9 || !o->firstPoint || !o->firstPoint->next) continue;
                const Poinz* q = o->firstPoint->next;
                candidates.push_back(ViewPoint(q->position[0], q->position[1], q->position[2]));
                continue;
            }
            // The middle of every curved segment (a short one is hit at its end points).
            for (const Poinz* q = o->firstPoint; q && q->next; q = q->next) {
                if (q->outTangent[0] == 0 && q->outTangent[2] == 0) continue;
                float h = 0, v = 0, d = 0;
                GetSplineCoordinate(q, q->next, 0.5f, &h, &v, &d);
                candidates.push_back(ViewPoint(h, v, d));
            }
        }
    std::erase_if(candidates, [&](POINT p) { return !window.onPaper(p); });
    std::sort(candidates.begin(), candidates.end(), [](POINT a, POINT b) {
        return std::hypot(double(a.x), double(a.y)) < std::hypot(double(b.x), double(b.y));
    });
    for (POINT p : candidates) {
        const ClickInfo c = Search(p);
        if (target == kObject) {
            const Objex* root = c.ciHit && c.ciObject ? GetRootObject(c.ciObject) : nullptr;
            if (root && root->type != objtype::kWall) return p;
            continue;
        }
        if (target == kEmpty ? !c.ciHit : target == kPoint ? c.ciPointHit : c.ciSegmentHit) return p;
    }
    return std::nullopt;
}

double FloorSeconds(int64_t segments) {
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    port::qt::QPainterContext context(&image);
    context.setAntialiasing(false);
    return dvxbench::BestSeconds(5, [&] { dvxbench::StrokeSegments(context, segments, kWidth, kHeight); });
}

// Mean seconds of a click at 5,000 objects, by target.
std::map<int64_t, double>& SmallRuns() {
    static std::map<int64_t, double> runs;
    return runs;
}

void BM_Click(benchmark::State& state) {
    EnsureApplication();
    Window window;
    if (!window.open(state)) return;
    const std::optional<POINT> target = FindTarget(window, Target(state.range(1)));
    if (!target) {
        state.SkipWithError("no such target on the paper");
        return;
    }
    window.centre(*target);
    const double floor = FloorSeconds(window.segments);
    const double viewFloor =
        dvxbench::BatchedStrokeSeconds(window.inView, kWidth, kHeight, -window.shown.x, -window.shown.y);
    Layer* layers = gCurDocument->itsLayers;
    SelectAllLayers(layers, selmode::kDeselect, 0);
    double spent = 0, road = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        road += window.click(*target);
        spent += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        state.PauseTiming();
        SelectAllLayers(layers, selmode::kDeselect, 0);
        window.tracker->calls.clear();
        state.ResumeTiming();
    }
    const double mean = spent / double(state.iterations());
    state.counters["road_ms"] = road / double(state.iterations()) * 1e3;
    state.counters["segments"] = double(window.segments);
    state.counters["floor_ms"] = floor * 1e3;
    state.counters["x_floor"] = mean / floor;
    state.counters["view_floor_ms"] = viewFloor * 1e3;
    state.counters["x_view_floor"] = mean / viewFloor;
    if (state.range(0) == dvxbench::kSmall) SmallRuns()[state.range(1)] = mean;
    else if (SmallRuns().count(state.range(1))) state.counters["x_5k"] = mean / SmallRuns()[state.range(1)];
}

void Sizes(benchmark::internal::Benchmark* b) {
    for (int64_t objects : {dvxbench::kSmall, dvxbench::kLarge})
        for (int64_t target : {kPoint, kCurve, kEmpty}) b->Args({objects, target});
    b->ArgNames({"objects", "target"})->Unit(benchmark::kMillisecond);
}

// The furnished house read and pasted into itself until `copies` houses (a power of two) stand
// on a grid. Kept for the run.
QMDDocumentModel* UseCopies(int64_t copies) {
    static std::map<int64_t, QMDDocumentModel*> made;
    QMDDocumentModel*& doc = made[copies];
    if (!doc) {
        doc = QMDDocumentModel::alloc()->init();
        if (!doc) return nullptr;
        gCurDocument = doc;
        LoadSymbolListsIfEmpty();  // the fixtures' pieces come from the stock symbols
        int times = 0;
        while ((int64_t(1) << times) < copies) ++times;
        if (KeyFileRead(DVX_TEST_DESIGNS "/furnished-house.pro") != 1 || !dvxtest::PasteDoubled(times, 200))
            return doc = nullptr;
    }
    gCurDocument = doc;
    return doc;
}

void BM_ClickOnCopies(benchmark::State& state) {
    static std::map<int64_t, double> small;  // seconds of a click on 64 copies (a tenth beat it), by target
    EnsureApplication();
    gLiveViewPanelVisible = 0;
    if (!UseCopies(state.range(0))) {
        state.SkipWithError("the design could not be read");
        return;
    }
    Window window;
    window.place();
    const std::optional<POINT> target = FindTarget(window, Target(state.range(1)));
    if (!target) {
        state.SkipWithError("no such target on the paper");
        return;
    }
    window.centre(*target);
    Layer* layers = gCurDocument->itsLayers;
    SelectAllLayers(layers, selmode::kDeselect, 0);
    std::vector<double> clicks;
    double road = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        road += window.click(*target);
        clicks.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
        state.PauseTiming();
        state.counters["roster"] = double(SelectionRosterObjects().size());
        SelectAllLayers(layers, selmode::kDeselect, 0);
        window.tracker->calls.clear();
        state.ResumeTiming();
    }
    if (clicks.empty()) return;
    // Compared by the click a tenth of the clicks beat: a click is short, and a machine's load
    // slows whole stretches of a run, more than a median steps over.
    auto quantile = [&clicks](size_t part) {
        std::nth_element(clicks.begin(), clicks.begin() + std::ptrdiff_t(clicks.size() / part), clicks.end());
        return clicks[clicks.size() / part];
    };
    const double median = quantile(2), tenth = quantile(10);
    int64_t objects = 0;
    for (Layer* l = layers; l; l = l->next)
        for (Objex* o = l->firstObject; o; o = o->next) ++objects;
    state.counters["objects"] = double(objects);
    state.counters["road_ms"] = road / double(state.iterations()) * 1e3;
    state.counters["median_ms"] = median * 1e3;
    state.counters["tenth_ms"] = tenth * 1e3;
    if (state.range(0) == 64) small[state.range(1)] = tenth;
    else if (small.count(state.range(1))) state.counters["copies_ratio"] = tenth / small[state.range(1)];
}

void Copies(benchmark::internal::Benchmark* b) {
    for (int64_t copies : {64, 512})
        for (int64_t target : {kEmpty, kObject}) b->Args({copies, target});
    b->ArgNames({"copies", "target"})->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(BM_Click)->Apply(Sizes);
BENCHMARK(BM_ClickOnCopies)->Apply(Copies);

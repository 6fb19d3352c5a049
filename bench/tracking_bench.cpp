// Every drag event of every tool runs KeepTracking: two point evaluations (here with the end
// point snap searching the design and the grid on) and the tracker's erase and draw calls.
// Over the generated design at 5,000 and 50,000 objects, the line tool's slot holding a
// tracker that draws one line from the press to the point, into a 1920 x 1080 image through
// the Qt painter. The floor strokes the segments one event draws straight into the same
// context. Time per event.
#include <benchmark/benchmark.h>

#include <QImage>

#include <vector>

#include "bench_support.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/projection.h"
#include "model/view_state.h"
#include "plan/plan_lines.h"
#include "port/qt/painter_context.h"
#include "support/drawing_doubles.h"
#include "model/click_info.h"
#include "tracking/tool_dispatch.h"
#include "tracking/tracking_engine.h"
#include "tracking/tracking_state.h"

namespace {

constexpr int kWidth = 1920, kHeight = 1080;

POINT ViewPoint(float h, float v, float d) {
    ConversionToIsometric(&h, &v, &d, gCosXAngle, gSinXAngle, gCosYAngle, gSinYAngle, gGlobalXOffset,
                          gGlobalYOffset, gGlobalZOffset, 1);
    return POINT{static_cast<int32_t>(h + 0.5f), static_cast<int32_t>(v + 0.5f)};
}

// The design current in plan view, the line tool pressed near its middle; false (skipped)
// when the design cannot be built.
bool Press(benchmark::State& state, POINT* at) {
    dvxbench::DesignStats stats;
    if (!dvxbench::SharedDesign(state.range(0), &stats)) {
        state.SkipWithError("the design could not be built");
        return false;
    }
    gXViewAngle = 90, gYViewAngle = 0, gPerspective = 0, gViewFactor = 1.0f, gViewDistance = 0;
    gGlobalXOffset = gGlobalYOffset = gGlobalZOffset = 0;
    SetUpForRotationAboutArbitraryAxis(gXViewAngle, gYViewAngle, &gCosXAngle, &gSinXAngle, &gCosYAngle,
                                       &gSinYAngle, gPerspective);
    CurrentDocState()->snapToGrid = 1;
    gCurTool = toolid::kLine, gCurSnap = snapmode::kEndPoint, gSnapLocked = 1;
    static Objex feedback;  // the line's look
    feedback.type = objtype::kLine, feedback.penWidth = 1;
    RegisterTracker(TrackerSlot::Line, [](int32_t, int32_t, float h, float v, float d, int16_t) {
        DrawLine(nullptr, gDownX, gDownY, gDownZ, h, v, d, 1, &feedback, nullptr);
    });
    *at = ViewPoint(598.0f * 10, 0, 598.0f * 4);
    gClickInfo = ClickInfo{};
    gClickInfo.ciWhere = *at;
    FillClickInfo(&gClickInfo);
    gMouseCaptured = 1, gTrackingMouse = 0, gSkipConstraints = 0;
    BeginTracking(at->x, at->y);
    state.counters["objects"] = stats.objects;
    return true;
}

// The pointer wanders over 40 view points, one step an event.
POINT Wander(POINT at, int64_t i) { return {at.x + static_cast<int32_t>(i % 40), at.y + static_cast<int32_t>(i % 17)}; }

void BM_KeepTracking(benchmark::State& state) {
    POINT at{};
    if (!Press(state, &at)) return;
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    port::qt::QPainterContext context(&image);
    context.setAntialiasing(false);

    // What one event strokes, for the floor.
    dvxtest::RecordingContext recorded;
    {
        port::DrawingScope scope(recorded);
        KeepTracking(Wander(at, 1).x, Wander(at, 1).y, at.x, at.y);
    }
    std::vector<port::Path> strokes;
    for (const auto& op : recorded.ops)
        if (op.kind == dvxtest::DrawnOp::Kind::Stroke) strokes.push_back(op.path);
    state.counters["segments"] = static_cast<double>(strokes.size());

    port::DrawingScope scope(context);
    dvxbench::Measured measured(state, "keep", dvxbench::BestSeconds(15, [&] {
                                    for (const port::Path& p : strokes) context.strokePath(p);
                                }));
    int64_t i = 1;
    POINT previous = Wander(at, i);
    measured.start();
    for (auto _ : state) {
        const POINT now = Wander(at, ++i);
        KeepTracking(now.x, now.y, previous.x, previous.y);
        previous = now;
    }
    measured.report();
    EndTracking(previous.x, previous.y, previous.x, previous.y);
    gTrackingMouse = gTrackingObject = 0;
    ClearTrackers();
}
BENCHMARK(BM_KeepTracking)->Arg(dvxbench::kSmall)->Arg(dvxbench::kLarge)->Unit(benchmark::kMicrosecond);

}  // namespace

// Opening a design that holds one long object: a wall whose solid and quick-wall form are
// rebuilt as it is read, and a curved path with an edged border whose surface and edgings are
// rebuilt. Each runs at 5,000, 20,000 and 80,000 points beside its floor, reading the file's
// bytes; `ns_per_point` stays flat while the read grows linearly with the points.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_support.h"
#include "files/design_file.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/parallel.h"
#include "port/files.h"

namespace {

constexpr int32_t kPerRow = 200;  // points of one run before the line turns back

// A line snaking over the lot, 6 apart along a run and 24 between runs, so no two
// segments in a row are in line.
void AddSnake(Objex* o, int32_t points) {
    Poinz* tail = nullptr;
    for (int32_t i = 0; i < points; ++i) {
        const int32_t row = i / kPerRow, k = i % kPerRow;
        const float h = static_cast<float>(row % 2 ? kPerRow - 1 - k : k) * 6.0f;
        const float d = static_cast<float>(row) * 24.0f + static_cast<float>(k % 2) * 3.0f;
        Poinz* p = CreatePoint(1, 0, 0, 0, 0, 0, h, 0, d, 0, 0, 0, 0, 0, 0, o);
        if (!p) return;
        objfield::wall_segment::kFirstHeight(*p) = 96.0f;
        tail = AppendPointAfter(p, o, tail);
    }
}

Objex* LongObject(int16_t type, int32_t points, Layer* floor) {
    const RGBColor fill{0xC000, 0xC000, 0xC000}, pen{};
    Objex* o = CreateObject(type, 0, 1, &fill, &pen, 6.0f, 6, 0, nullptr, nullptr, nullptr, nullptr, floor,
                            TypeData{});
    if (!o) return nullptr;
    if (type == objtype::kWall) o->subtype = objsubtype::kExteriorWall;
    if (type == objtype::kPath) {
        o->penWidth = 36.0f;
        o->optionA = parallel::kCentred;
        o->optionB = 0;      // curved
        o->fillPattern = 2;  // with an edged border
    }
    AddSnake(o, points);
    AppendObjectToLayer(o, floor);
    return o;
}

// The current design, holding one long object, written to a file of its own; empty when it
// cannot be.
std::string LongObjectFile(QMDDocumentModel* doc, int16_t type, int32_t points) {
    const char* base = std::getenv("TMPDIR");
    const std::string path = std::string(base && *base ? base : "/tmp") + "/dvx-bench-long-" +
                             std::to_string(type) + "-" + std::to_string(points) + ".pro";
    const bool made = LongObject(type, points, doc->itsCurLayer) && KeyFileWrite(path.c_str()) == 1;
    return made ? path : std::string();
}

void ReadLongObject(benchmark::State& state, int16_t type, const char* family) {
    const int32_t points = static_cast<int32_t>(state.range(0));
    QMDDocumentModel* doc = QMDDocumentModel::alloc()->init();
    if (!doc) {
        state.SkipWithError("no document");
        return;
    }
    gCurDocument = doc;
    const std::string path = LongObjectFile(doc, type, points);
    if (path.empty()) {
        state.SkipWithError("the design could not be written");
        doc->dealloc();
        gCurDocument = nullptr;
        return;
    }
    std::vector<uint8_t> bytes;
    port::ReadWholeFile(path, bytes);
    state.counters["MB"] = static_cast<double>(bytes.size()) / 1e6;
    dvxbench::Measured measured(state, family, dvxbench::BestSeconds(5, [&] {
                                    std::vector<uint8_t> floor;
                                    port::ReadWholeFile(path, floor);
                                    benchmark::DoNotOptimize(floor.data());
                                }));
    // Each read replaces the design with the same design.
    measured.start();
    const auto t0 = std::chrono::steady_clock::now();
    for (auto _ : state)
        if (KeyFileRead(path.c_str()) != 1) state.SkipWithError("the design could not be read");
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    measured.report();
    if (state.iterations() > 0)
        state.counters["ns_per_point"] = seconds * 1e9 / static_cast<double>(state.iterations()) / points;
    doc->dealloc();
    gCurDocument = nullptr;
    port::RemoveFile(path);
}

void BM_ReadLongWall(benchmark::State& state) { ReadLongObject(state, objtype::kWall, "long wall"); }
BENCHMARK(BM_ReadLongWall)->Arg(5000)->Arg(20000)->Arg(80000)->Unit(benchmark::kMillisecond);

void BM_ReadLongPath(benchmark::State& state) { ReadLongObject(state, objtype::kPath, "long path"); }
BENCHMARK(BM_ReadLongPath)->Arg(5000)->Arg(20000)->Arg(80000)->Unit(benchmark::kMillisecond);

}  // namespace

#pragma once
// What every large-design benchmark shares: one generated design per size, a floor timed in
// the same run (the least work the operation could do on the same data), the ratio of each
// run to its floor and of the 50,000-object run to the 5,000-object one, and a count of the
// allocations an operation makes.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "design_generator.h"

class QMDDocumentModel;
namespace dvxtest {
class RecordingContext;
}
namespace port {
class DrawingContext;
}

struct Objex;

namespace dvxbench {

inline constexpr int64_t kSmall = 5000;
inline constexpr int64_t kLarge = 50000;

// The generated design of `objects` objects (made on first use, freed at exit), made
// current, with every floor shown and active. Null when it cannot be built.
QMDDocumentModel* SharedDesign(int64_t objects, DesignStats* stats = nullptr);

// Seconds of the fastest of `runs` calls.
double BestSeconds(int runs, const std::function<void()>& fn);

// Times the benchmark's own loop; report() after it adds the counters `floor_ms`, `x_floor`
// (mean iteration over the floor) and, at 50,000 objects, `x_5k` (mean iteration over the
// 5,000-object run of the same family, which must run first).
class Measured {
public:
    Measured(benchmark::State& state, std::string family, double floorSeconds, double viewFloorSeconds = 0)
        : state_(state), family_(std::move(family)), floor_(floorSeconds), viewFloor_(viewFloorSeconds) {}
    void start() { t0_ = std::chrono::steady_clock::now(); }
    void report();

private:
    benchmark::State& state_;
    std::string family_;
    double floor_;
    double viewFloor_;  // with it, `view_floor_ms` and `x_view_floor`
    std::chrono::steady_clock::time_point t0_;
};

// Heap allocations (operator new calls) and their bytes since the process started.
struct AllocationCount {
    uint64_t calls = 0;
    uint64_t bytes = 0;
};
AllocationCount Allocations();

// Segments a recorded frame strokes (the lines of its paths and the pairs of its segment lists).
int64_t StrokedSegments(const dvxtest::RecordingContext& recorded);
// The floor of a plan frame: that many one-line paths, 20 x 10 each, spread over the surface.
void StrokeSegments(port::DrawingContext& context, int64_t segments, int width, int height);
// The least a frame must stroke: the recorded segments whose box meets the rectangle (plan
// view coordinates), in one list.
std::vector<double> SegmentsMeeting(const dvxtest::RecordingContext& recorded, double x, double y, double width,
                                    double height);


// The generated pieces (firstPart) of an object, of every object of a type on every floor.
struct PartCount {
    int64_t pieces = 0, points = 0;
};
PartCount PartsOf(const Objex* object);
PartCount AllParts(int16_t type);
// The floor of a rebuild that makes those pieces: as many objects of the type with as many
// points made and freed, nothing computed (seconds of the fastest of five runs).
double PartsFloor(PartCount count, int16_t type);

// Whether `folder` is on a memory file system.
bool IsMemoryFileSystem(const std::string& folder);

}  // namespace dvxbench

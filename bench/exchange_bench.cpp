// Writing the generated design into the exchange file of a plug-in tool, at the newest
// version and at an old one (short attachment records, plain texture numbers). The floor is
// the same bytes put into the output buffer and stored the same way.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <unistd.h>

#include "bench_support.h"
#include "files/streams.h"
#include "port/files.h"
#include "powertools/core/exchange_writer.h"

namespace {

using dvxbench::kLarge;
using dvxbench::kSmall;

constexpr int32_t kTool = 120;

std::string BenchPath(const char* name) {
    const char* base = std::getenv("TMPDIR");
    return std::string(base && *base ? base : "/tmp") + "/dvx-exchange-" + std::to_string(::getpid()) + "-" + name;
}

void FloorWrite(const std::vector<uint8_t>& bytes, const std::string& path) {
    StartOutputBuffer();
    WriteSome(bytes.data(), static_cast<uint32_t>(bytes.size()));
    FlushOutputBufferToFile(path);
}

void BM_PlugInFileWrite(benchmark::State& state) {
    dvxbench::DesignStats stats;
    if (!dvxbench::SharedDesign(state.range(0), &stats)) {
        state.SkipWithError("the design could not be built");
        return;
    }
    const int32_t version = static_cast<int32_t>(state.range(1));
    state.counters["objects"] = stats.objects;
    const std::string path = BenchPath("data.pxf");
    const std::string floorPath = BenchPath("floor.pxf");
    if (PlugInFileWrite(path.c_str(), kTool, 0, version) != 1) {
        state.SkipWithError("the exchange file could not be written");
        return;
    }
    std::vector<uint8_t> bytes;
    port::ReadWholeFile(path, bytes);
    state.counters["MB"] = static_cast<double>(bytes.size()) / 1e6;
    dvxbench::Measured measured(state, "exchange" + std::to_string(version),
                                dvxbench::BestSeconds(15, [&] { FloorWrite(bytes, floorPath); }));
    measured.start();
    for (auto _ : state)
        if (PlugInFileWrite(path.c_str(), kTool, 0, version) != 1) state.SkipWithError("a write failed");
    measured.report();
    std::remove(path.c_str());
    std::remove(floorPath.c_str());
}
BENCHMARK(BM_PlugInFileWrite)
    ->Args({kSmall, 11000})
    ->Args({kLarge, 11000})
    ->Args({kSmall, 7500})
    ->Args({kLarge, 7500})
    ->Unit(benchmark::kMillisecond);

}  // namespace

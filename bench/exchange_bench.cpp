// Writing the generated design into the exchange file of a plug-in tool, at the newest
// version and at an old one (short attachment records, plain texture numbers), and reading
// back: the whole file into a design, and a tool's result that replaces every object. The
// floor of a write is the same bytes put into the output buffer and stored the same way; of a
// read, the same bytes taken through the input buffer as numbers, nothing built.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <unistd.h>

#include "bench_support.h"
#include "files/streams.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "design_generator.h"
#include "port/files.h"
#include "powertools/core/exchange_file_reader.h"
#include "powertools/core/exchange_writer.h"
#include "powertools/core/result_merge.h"

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

// The file read through the input buffer as i32s, nothing built.
void FloorRead(const std::string& path) {
    OpenInputFile(path);
    int32_t v = 0;
    while (ReadStdLong(&v)) benchmark::DoNotOptimize(v);
    ReleaseInputBuffer();
}

std::vector<uint8_t> FileBytes(const std::string& path) {
    std::vector<uint8_t> bytes;
    port::ReadWholeFile(path, bytes);
    return bytes;
}

// The generated design of its own (reading replaces what it holds) and its file.
struct ReadSubject {
    explicit ReadSubject(int64_t objects) {
        doc = dvxbench::NewGeneratedDocument({static_cast<int32_t>(objects)}, &stats);
    }
    ~ReadSubject() {
        if (doc) doc->dealloc();
        gCurDocument = nullptr;
    }
    QMDDocumentModel* doc = nullptr;
    dvxbench::DesignStats stats;
};

void BM_PlugInFileRead(benchmark::State& state) {
    ReadSubject subject(state.range(0));
    const std::string path = BenchPath("read.pxf");
    if (!subject.doc || PlugInFileWrite(path.c_str(), kTool, 0, 11000) != 1) {
        state.SkipWithError("the exchange file could not be written");
        return;
    }
    state.counters["objects"] = subject.stats.objects;
    state.counters["MB"] = static_cast<double>(FileBytes(path).size()) / 1e6;
    dvxbench::Measured measured(state, "exchange_read", dvxbench::BestSeconds(15, [&] { FloorRead(path); }));
    measured.start();
    for (auto _ : state)
        if (PlugInFileRead(path.c_str(), kTool) != 1) state.SkipWithError("a read failed");
    measured.report();
    std::remove(path.c_str());
}
BENCHMARK(BM_PlugInFileRead)->Arg(kSmall)->Arg(kLarge)->Unit(benchmark::kMillisecond);

// A result that replaces every top-level object by itself (309 and its record).
void BM_PlugOutFileRead(benchmark::State& state) {
    ReadSubject subject(state.range(0));
    if (!subject.doc) {
        state.SkipWithError("the design could not be built");
        return;
    }
    const std::string path = BenchPath("result.pxf");
    sPlugInWriteVersion = 11000;
    StartOutputBuffer();
    WriteStdLong(kTool);
    WriteStdLong(11000);
    WriteStdShort(2);
    for (Layer* l = subject.doc->itsLayers; l; l = l->next)
        for (Objex* o = l->firstObject; o; o = o->next) {
            WriteStdShort(309);
            WriteStdULong(o->objectID);
            WriteAPlugInObject(o);
        }
    WriteStdShort(500);
    FlushOutputBufferToFile(path);
    state.counters["objects"] = subject.stats.objects;
    dvxbench::Measured measured(state, "result_read", dvxbench::BestSeconds(15, [&] { FloorRead(path); }));
    measured.start();
    for (auto _ : state)
        if (PlugOutFileRead(path.c_str()) != 1) state.SkipWithError("a merge failed");
    measured.report();
    std::remove(path.c_str());
}
BENCHMARK(BM_PlugOutFileRead)->Arg(kSmall)->Arg(kLarge)->Unit(benchmark::kMillisecond);

}  // namespace

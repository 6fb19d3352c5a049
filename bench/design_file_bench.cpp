// Saving and opening the generated design, and the snapshot undo that writes and reads the
// same file after every edit and on every undo. Each run sits beside its floor: reading the
// same bytes and making the same records (objects and points), or writing the same bytes
// from one buffer. A read also reports its records and all its allocations.
// Snapshots go to the temporary folder (TMPDIR): the label says when it is not in memory.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "bench_support.h"
#include "files/content_paths.h"
#include "files/design_file.h"
#include "files/undo.h"
#include "model/design_digest.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "port/files.h"

namespace {

using dvxbench::kLarge;
using dvxbench::kSmall;

// A private folder for the files, removed at exit.
class BenchFolder {
public:
    static BenchFolder& Get() {
        static BenchFolder folder;
        return folder;
    }
    std::string path(const std::string& name) const { return folder_ + "/" + name; }
    const std::string& folder() const { return folder_; }

private:
    BenchFolder() {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/dvx-bench-XXXXXX";
        if (const char* made = mkdtemp(pattern.data())) folder_ = made;
    }
    ~BenchFolder() {
        for (const std::string& name : port::ListFolder(folder_)) port::RemoveFile(folder_ + "/" + name);
        std::remove(folder_.c_str());
    }
    std::string folder_;
};

bool Prepare(benchmark::State& state) {
    dvxbench::DesignStats stats;
    if (!dvxbench::SharedDesign(state.range(0), &stats)) {
        state.SkipWithError("the design could not be built");
        return false;
    }
    state.counters["objects"] = stats.objects;
    return true;
}

std::vector<uint8_t> FileBytes(const std::string& path) {
    std::vector<uint8_t> bytes;
    port::ReadWholeFile(path, bytes);
    return bytes;
}

// The design's bytes as a save writes them.
std::vector<uint8_t> DesignBytes(int64_t objects) {
    const std::string path = BenchFolder::Get().path("bytes-" + std::to_string(objects) + ".pro");
    if (KeyFileWrite(path.c_str()) != 1) return {};
    return FileBytes(path);
}

// One buffer filled with the bytes and written: replaced atomically (synced or not).
void FloorWrite(const std::vector<uint8_t>& bytes, const std::string& path, bool sync) {
    std::unique_ptr<uint8_t[]> buffer(new uint8_t[bytes.size()]);
    std::memcpy(buffer.get(), bytes.data(), bytes.size());
    const std::string temp = path + ".tmp";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return;
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, buffer.get() + done, bytes.size() - done);
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    if (sync) ::fsync(fd);
    ::close(fd);
    ::rename(temp.c_str(), path.c_str());
}

// The file read into one buffer as the reader reads it, and its records (objects and
// points) made and freed.
void FloorRead(const std::string& path, int objects, int points) {
    std::vector<uint8_t> bytes;
    port::ReadWholeFile(path, bytes);
    benchmark::DoNotOptimize(bytes.data());
    std::vector<void*> records(static_cast<size_t>(objects + points));
    for (size_t i = 0; i < records.size(); ++i) {
        records[i] = i < static_cast<size_t>(objects) ? static_cast<void*>(new Objex{}) : new Poinz{};
        benchmark::DoNotOptimize(records[i]);
    }
    for (size_t i = 0; i < records.size(); ++i) {
        if (i < static_cast<size_t>(objects)) delete static_cast<Objex*>(records[i]);
        else delete static_cast<Poinz*>(records[i]);
    }
}

void CountRecords(const Objex* o, int& objects, int& points) {
    for (; o; o = o->next) {
        ++objects;
        for (const Poinz* p = o->firstPoint; p; p = p->next) ++points;
        CountRecords(o->firstChild, objects, points);
    }
}

// Allocations of one read of `path` into the current document and the records it holds.
struct ReadCost {
    uint64_t allocations = 0;
    int objects = 0;
    int points = 0;
};
ReadCost MeasureRead(const std::string& path) {
    ReadCost cost;
    const dvxbench::AllocationCount before = dvxbench::Allocations();
    if (KeyFileRead(path.c_str()) != 1) return cost;
    const dvxbench::AllocationCount after = dvxbench::Allocations();
    cost.allocations = after.calls - before.calls;
    for (const Layer* l = gCurDocument->itsLayers; l; l = l->next) CountRecords(l->firstObject, cost.objects, cost.points);
    return cost;
}

void BM_KeyFileWrite(benchmark::State& state) {
    if (!Prepare(state)) return;
    const std::string path = BenchFolder::Get().path("write.pro");
    const std::vector<uint8_t> bytes = DesignBytes(state.range(0));
    const std::string floorPath = BenchFolder::Get().path("floor.pro");
    dvxbench::Measured measured(state, "write", dvxbench::BestSeconds(15, [&] { FloorWrite(bytes, floorPath, true); }));
    state.counters["MB"] = static_cast<double>(bytes.size()) / 1e6;
    measured.start();
    for (auto _ : state)
        if (KeyFileWrite(path.c_str()) != 1) state.SkipWithError("the design could not be written");
    measured.report();
}
BENCHMARK(BM_KeyFileWrite)->Arg(kSmall)->Arg(kLarge)->Unit(benchmark::kMillisecond);

void BM_KeyFileRead(benchmark::State& state) {
    if (!Prepare(state)) return;
    const std::string path = BenchFolder::Get().path("read.pro");
    if (KeyFileWrite(path.c_str()) != 1) {
        state.SkipWithError("the design could not be written");
        return;
    }
    // Each read replaces the design with the same design.
    const ReadCost cost = MeasureRead(path);
    state.counters["records"] = cost.objects + cost.points;
    state.counters["allocs"] = static_cast<double>(cost.allocations);
    dvxbench::Measured measured(state, "read",
                                dvxbench::BestSeconds(15, [&] { FloorRead(path, cost.objects, cost.points); }));
    measured.start();
    for (auto _ : state)
        if (KeyFileRead(path.c_str()) != 1) state.SkipWithError("the design could not be read");
    measured.report();
}
BENCHMARK(BM_KeyFileRead)->Arg(kSmall)->Arg(kLarge)->Unit(benchmark::kMillisecond);

bool StartUndo(benchmark::State& state) {
    if (!Prepare(state)) return false;
    if (!MakeApplicationTemporaryFolder()) {
        state.SkipWithError("no temporary folder for snapshots");
        return false;
    }
    state.SetLabel(dvxbench::IsMemoryFileSystem(ApplicationTemporaryPath()) ? "snapshots in memory"
                                                                             : "snapshots ON DISK (set TMPDIR=/dev/shm)");
    gUndoActive = 1;
    InitializeUndo();
    return true;
}

void BM_StoreUndo(benchmark::State& state) {
    if (!StartUndo(state)) return;
    const std::vector<uint8_t> bytes = DesignBytes(state.range(0));
    const std::string floorPath = BenchFolder::Get().path("floor.dat");
    dvxbench::Measured measured(state, "store", dvxbench::BestSeconds(15, [&] { FloorWrite(bytes, floorPath, false); }));
    measured.start();
    for (auto _ : state) StoreUndo("Edit");
    measured.report();
    gUndoActive = 0;
}
BENCHMARK(BM_StoreUndo)->Arg(kSmall)->Arg(kLarge)->Unit(benchmark::kMillisecond);

// The gesture runner's digest of the design, taken at each press and release to tell a
// gesture that changed nothing; its floor is the snapshot a gesture that changed something
// stores (StoreUndo), so the digest should stay a small part of it.
void BM_DesignDigest(benchmark::State& state) {
    if (!StartUndo(state)) return;
    dvxbench::Measured measured(state, "digest", dvxbench::BestSeconds(15, [] { StoreUndo("Edit"); }));
    measured.start();
    for (auto _ : state) benchmark::DoNotOptimize(DesignDigest(gCurDocument));
    measured.report();
    gUndoActive = 0;
}
BENCHMARK(BM_DesignDigest)->Arg(kSmall)->Arg(kLarge)->Unit(benchmark::kMillisecond);

// One undo and one redo per iteration; its floor is two reads.
void BM_DoUndo(benchmark::State& state) {
    if (!StartUndo(state)) return;
    StoreUndo("Edit");
    const std::string path = UndoSnapshotPath(gCurDocument->itsCurrentUndo);
    const ReadCost cost = MeasureRead(path);
    dvxbench::Measured measured(state, "undo", dvxbench::BestSeconds(15, [&] {
                                    FloorRead(path, cost.objects, cost.points);
                                    FloorRead(path, cost.objects, cost.points);
                                }));
    measured.start();
    for (auto _ : state) {
        DoUndo();
        DoRedo();
    }
    measured.report();
    if (!gUndoActive) state.SkipWithError("a snapshot could not be restored");
    state.SetItemsProcessed(state.iterations() * 2);
    gUndoActive = 0;
}
BENCHMARK(BM_DoUndo)->Arg(kSmall)->Arg(kLarge)->Unit(benchmark::kMillisecond);

}  // namespace

// Saving and opening the generated 5,000-object design, and the snapshot undo that writes and
// reads the same file after every edit and on every undo.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "design_generator.h"
#include "files/content_paths.h"
#include "files/design_file.h"
#include "files/undo.h"
#include "model/document_model.h"
#include "port/files.h"

namespace {

// One generated design and a private folder for its files, freed at exit.
class BenchFiles {
public:
    static BenchFiles& Get() {
        static BenchFiles files;
        return files;
    }
    QMDDocumentModel* doc() const { return doc_; }
    const dvxbench::DesignStats& stats() const { return stats_; }
    std::string path(const char* name) const { return folder_ + "/" + name; }

private:
    BenchFiles() {
        char pattern[] = "/tmp/dvx-bench-XXXXXX";
        if (const char* made = mkdtemp(pattern)) folder_ = made;
        doc_ = dvxbench::NewGeneratedDocument({}, &stats_);
    }
    ~BenchFiles() {
        if (doc_) doc_->dealloc();
        for (const std::string& name : port::ListFolder(folder_)) port::RemoveFile(folder_ + "/" + name);
        std::remove(folder_.c_str());
    }
    QMDDocumentModel* doc_ = nullptr;
    dvxbench::DesignStats stats_;
    std::string folder_;
};

bool Prepare(benchmark::State& state) {
    BenchFiles& files = BenchFiles::Get();
    if (!files.doc()) {
        state.SkipWithError("the design could not be built");
        return false;
    }
    gCurDocument = files.doc();
    state.counters["objects"] = files.stats().objects;
    return true;
}

void BM_KeyFileWrite(benchmark::State& state) {
    if (!Prepare(state)) return;
    const std::string path = BenchFiles::Get().path("write.pro");
    for (auto _ : state)
        if (KeyFileWrite(path.c_str()) != 1) state.SkipWithError("the design could not be written");
}
BENCHMARK(BM_KeyFileWrite)->Unit(benchmark::kMillisecond);

void BM_KeyFileRead(benchmark::State& state) {
    if (!Prepare(state)) return;
    const std::string path = BenchFiles::Get().path("read.pro");
    if (KeyFileWrite(path.c_str()) != 1) {
        state.SkipWithError("the design could not be written");
        return;
    }
    // Each read replaces the design with the same design.
    for (auto _ : state)
        if (KeyFileRead(path.c_str()) != 1) state.SkipWithError("the design could not be read");
}
BENCHMARK(BM_KeyFileRead)->Unit(benchmark::kMillisecond);

bool StartUndo(benchmark::State& state) {
    if (!Prepare(state)) return false;
    if (!MakeApplicationTemporaryFolder()) {
        state.SkipWithError("no temporary folder for snapshots");
        return false;
    }
    gUndoActive = 1;
    InitializeUndo();
    return true;
}

void BM_StoreUndo(benchmark::State& state) {
    if (!StartUndo(state)) return;
    for (auto _ : state) StoreUndo("Edit");
    gUndoActive = 0;
}
BENCHMARK(BM_StoreUndo)->Unit(benchmark::kMillisecond);

// One undo and one redo per iteration: the time per restore is half of it.
void BM_DoUndo(benchmark::State& state) {
    if (!StartUndo(state)) return;
    StoreUndo("Edit");
    for (auto _ : state) {
        DoUndo();
        DoRedo();
    }
    if (!gUndoActive) state.SkipWithError("a snapshot could not be restored");
    state.SetItemsProcessed(state.iterations() * 2);
    gUndoActive = 0;
}
BENCHMARK(BM_DoUndo)->Unit(benchmark::kMillisecond);

}  // namespace

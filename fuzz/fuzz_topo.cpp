// Any bytes as a topography file: the reader must stay inside the input and end, and the
// grid it leaves must match its counts.
#include "files/object_records.h"
#include "files/topography.h"
#include "model/document_model.h"
#include "scene/topo_grid.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QMDDocumentModel* doc = nullptr;
    static int runs = 0;
    static const std::string path = "/tmp/fuzz_topo." + std::to_string(getpid());
    if (!doc || ++runs % 256 == 0) {
        if (doc) doc->dealloc();
        doc = QMDDocumentModel::alloc()->init();
    }
    if (!doc) return 0;
    gCurDocument = doc;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    if (size) std::fwrite(data, 1, size, f);
    std::fclose(f);
    ReadTopoGridFile(path.c_str());
    std::remove(path.c_str());
    const size_t nodes = gTopoRowCnt > 0 || gTopoColumnCnt > 0
                             ? static_cast<size_t>(gTopoRowCnt + 1) * static_cast<size_t>(gTopoColumnCnt + 1)
                             : gTopographyGrid.size();
    if (gTopographyGrid.size() != nodes || gOpenSymbol) std::abort();
    return 0;
}

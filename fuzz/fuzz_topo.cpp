// Any bytes as a topography file: the reader must stay inside the input and end, and the
// grid it leaves must match its counts.
#include "files/object_records.h"
#include "files/topography.h"
#include "fuzz_support.h"
#include "model/topo_grid.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!fuzz::CurrentDocument(256)) return 0;
    const char* path = fuzz::WriteInputFile("fuzz_topo", data, size);
    if (!path) return 0;
    ReadTopoGridFile(path);
    std::remove(path);
    const size_t nodes = gTopoRowCnt > 0 || gTopoColumnCnt > 0
                             ? static_cast<size_t>(gTopoRowCnt + 1) * static_cast<size_t>(gTopoColumnCnt + 1)
                             : gTopographyGrid.size();
    if (gTopographyGrid.size() != nodes || gOpenSymbol) std::abort();
    return 0;
}

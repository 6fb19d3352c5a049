// Any bytes as an object file: the reader must stay inside the input, end, and put the 2D
// flag and the read version back. The objects it imports are dropped between inputs.
#include "files/object_files.h"
#include "files/object_records.h"
#include "fuzz_support.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QMDDocumentModel* doc = fuzz::CurrentDocument();
    if (!doc) return 0;
    const char* path = fuzz::WriteInputFile("fuzz_object_file", data, size);
    if (!path) return 0;
    const int32_t version = sInputVersion;
    ObjectFileRead(path);
    std::remove(path);
    if (sInputVersion != version || gObjectStyle2D) std::abort();
    fuzz::DropLayerObjects(doc);
    return 0;
}

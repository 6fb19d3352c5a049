// Any bytes as a design file: the reader must stay inside the input, end, and leave a model
// that can be written again. Every few inputs start from a fresh document.
#include "files/design_file.h"
#include "files/streams.h"
#include "fuzz_support.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!fuzz::CurrentDocument(64)) return 0;
    const char* path = fuzz::WriteInputFile("fuzz_design_file", data, size);
    if (!path) return 0;
    KeyFileRead(path);
    std::remove(path);
    if (DesignFileBusy() || !gInDataBuffer.empty()) std::abort();
    // Whatever was read must write again.
    StartOutputBuffer();
    BuildDesignFile();
    ReleaseOutputBuffer();
    return 0;
}

// Any bytes as a whole exchange file read into the design: the reader must stay inside the
// input, end, and leave a model whose records hold together, that writes again and is then
// deleted floor by floor, as the program deletes it. Every few inputs start from a fresh
// document.
#include "files/design_file.h"
#include "files/streams.h"
#include "fuzz_support.h"
#include "powertools/core/exchange_file_reader.h"
#include "powertools/core/exchange_writer.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QMDDocumentModel* doc = fuzz::CurrentDocument(64);
    if (!doc) return 0;
    const char* path = fuzz::WriteInputFile("fuzz_plugin_exchange", data, size);
    if (!path) return 0;
    PlugInFileRead(path, 120);
    if (DesignFileBusy() || !gInDataBuffer.empty()) std::abort();
    fuzz::CheckDesignWhole(doc);
    StartOutputBuffer();
    DoWritePlugInObjects();
    ReleaseOutputBuffer();
    DeleteDocumentLayers(doc);
    return 0;
}

// Any bytes as a design file: the reader must stay inside the input, end, and leave a model
// that can be written again. Every few inputs start from a fresh document.
#include "files/design_file.h"
#include "files/streams.h"
#include "model/document_model.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QMDDocumentModel* doc = nullptr;
    static int runs = 0;
    static const std::string path = "/tmp/fuzz_design_file." + std::to_string(getpid());
    if (!doc || ++runs % 64 == 0) {
        if (doc) doc->dealloc();
        doc = QMDDocumentModel::alloc()->init();
    }
    if (!doc) return 0;
    gCurDocument = doc;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    if (size) std::fwrite(data, 1, size, f);
    std::fclose(f);
    KeyFileRead(path.c_str());
    std::remove(path.c_str());
    if (DesignFileBusy() || !gInDataBuffer.empty()) std::abort();
    // Whatever was read must write again.
    StartOutputBuffer();
    BuildDesignFile();
    ReleaseOutputBuffer();
    return 0;
}

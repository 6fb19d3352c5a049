// Any bytes as an object file: the reader must stay inside the input, end, and put the 2D
// flag and the read version back. The objects it imports are dropped between inputs.
#include "files/object_files.h"
#include "files/object_records.h"
#include "model/deletion.h"
#include "model/document_model.h"
#include "model/objects.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QMDDocumentModel* doc = QMDDocumentModel::alloc()->init();
    static const std::string path = "/tmp/fuzz_object_file." + std::to_string(getpid());
    if (!doc) return 0;
    gCurDocument = doc;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    if (size) std::fwrite(data, 1, size, f);
    std::fclose(f);
    const int32_t version = sInputVersion;
    ObjectFileRead(path.c_str());
    std::remove(path.c_str());
    if (sInputVersion != version || gObjectStyle2D) std::abort();
    for (Layer* l = doc->itsLayers; l; l = l->next)
        while (l->firstObject) DeleteObj(l->firstObject);
    return 0;
}

// Any bytes as a template file: the reader must stay inside the input, end, and put the read
// version back. The objects it adds are dropped between inputs.
#include "files/object_records.h"
#include "files/template_files.h"
#include "fuzz_support.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QMDDocumentModel* doc = fuzz::CurrentDocument();
    if (!doc) return 0;
    const char* path = fuzz::WriteInputFile("fuzz_template", data, size);
    if (!path) return 0;
    const int32_t version = sInputVersion;
    TemplateFileRead(path);
    std::remove(path);
    if (sInputVersion != version || gOpenSymbol) std::abort();
    fuzz::DropLayerObjects(doc);
    return 0;
}

// Any bytes as a cabinet file: the reader must stay inside the input, end, and put its merge
// flags back. The parts it adds are dropped between inputs.
#include "files/cabinet_files.h"
#include "files/object_records.h"
#include "model/type_data.h"
#include "fuzz_support.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QMDDocumentModel* doc = fuzz::CurrentDocument();
    if (!doc) return 0;
    const char* path = fuzz::WriteInputFile("fuzz_cabinet", data, size);
    if (!path) return 0;
    CabinetState* state = nullptr;
    CabinetFileRead(path, &state);
    delete state;
    std::remove(path);
    if (gOpenSymbol || gCabinetOpen) std::abort();
    fuzz::DropLayerObjects(doc);
    return 0;
}

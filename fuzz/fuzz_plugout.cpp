// Any bytes as a plug-in tool's result merged into a fresh design holding a few objects the
// result may name: the merge must stay inside the input, end, put back what it took and leave
// a model whose records hold together, that writes again and is then deleted floor by floor,
// as the program deletes it.
#include "files/design_file.h"
#include "files/streams.h"
#include "fuzz_support.h"
#include "model/object_types.h"
#include "powertools/core/exchange_writer.h"
#include "powertools/core/result_merge.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::RenewDocument();
    QMDDocumentModel* doc = fuzz::CurrentDocument();
    if (!doc || !doc->itsCurLayer) return 0;
    // Objects numbered 1, 2 and 3 for the result's replacements to find.
    for (int i = 0; i < 3; ++i)
        if (Objex* o = fuzz::NewObjectWithPoints(objtype::kLine, 2)) AppendObjectToLayer(o, doc->itsCurLayer);
    const char* path = fuzz::WriteInputFile("fuzz_plugout", data, size);
    if (!path) return 0;
    PlugOutFileRead(path);
    if (DesignFileBusy() || !gInDataBuffer.empty() || gCurPlugInObject) std::abort();
    fuzz::CheckDesignWhole(doc);
    StartOutputBuffer();
    DoWritePlugInObjects();
    ReleaseOutputBuffer();
    DeleteDocumentLayers(doc);
    return 0;
}

// Any bytes as a design file: the reader must stay inside the input, end, and leave a model
// whose records hold together (support/design_links.h), that can be written again and then deleted floor by floor, as New, Open and Undo delete it
// (an object kept on a floor freed before it shows there). Every few inputs start from a
// fresh document.
#include "files/design_file.h"
#include "files/streams.h"
#include "fuzz_support.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QMDDocumentModel* doc = fuzz::CurrentDocument(64);
    if (!doc) return 0;
    const fuzz::ServedInput input("fuzz_design_file", data, size);
    KeyFileRead(input.path());
    if (DesignFileBusy() || !gInDataBuffer.empty()) std::abort();
    fuzz::CheckDesignWhole(doc);
    // Whatever was read must write again. A file without a version the reader takes leaves
    // the document as the last input did, and that was written already.
    const int32_t version = size >= 6 ? int32_t(uint32_t(data[0]) << 24 | data[1] << 16 | data[2] << 8 | data[3]) : 0;
    if (!DesignFileVersionSections(version, nullptr)) return 0;
    StartOutputBuffer();
    BuildDesignFile();
    // Emptied but kept: the next input writes about as much, and growing the buffer again
    // from nothing cost more than the write itself.
    StartOutputBuffer();
    DeleteDocumentLayers(doc);
    return 0;
}

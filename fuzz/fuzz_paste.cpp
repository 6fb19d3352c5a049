// Any bytes as the copy buffer: pasting must stay inside it, end, leave it as it was and
// leave a model whose records hold together and that can be written again. The first byte says whether the copy came from
// another document (bit 0) and from the second floor (bit 1); the rest is the buffer, whose
// end tag may be missing (the paste then keeps the records that are whole).
#include "files/copy_paste.h"
#include "files/design_file.h"
#include "files/streams.h"
#include "fuzz_support.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QMDDocumentModel* doc = fuzz::CurrentDocument(128);
    if (!doc || size < 2) return 0;
    gClipboardDoc = data[0] & 1 ? doc->itsSerial + 1 : doc->itsSerial;
    std::memset(gClipboardLayerName, 0, sizeof gClipboardLayerName);
    if (data[0] & 2) std::strcpy(gClipboardLayerName, "Second Floor");
    gPrivateScrap.assign(data + 1, data + size);
    const std::vector<uint8_t> scrap = gPrivateScrap;
    DoPasteObjects();
    if (gPrivateScrap != scrap || gUseScrap || gScrapIndex != 0 || DesignFileBusy() || InputTruncated()) std::abort();
    fuzz::CheckDesignWhole(doc);
    StartOutputBuffer();
    BuildDesignFile();
    ReleaseOutputBuffer();
    fuzz::DropLayerObjects(doc);
    return 0;
}

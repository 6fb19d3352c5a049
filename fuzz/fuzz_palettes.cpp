// Any bytes as a design file's palette section: the reader must stay inside the input and
// end. Whatever it makes must write and read back to the same bytes.
#include "files/palettes.h"
#include "files/streams.h"
#include "model/document_model.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

std::vector<uint8_t> WriteSection() {
    StartOutputBuffer();
    DoWritePalettes(11100);
    std::vector<uint8_t> out = gOutDataBuffer;
    ReleaseOutputBuffer();
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QMDDocumentModel* doc = QMDDocumentModel::alloc()->init();
    if (!doc) return 0;
    gCurDocument = doc;
    OpenInputBytes(std::vector<uint8_t>(data, data + size));
    DoReadPalettes(size % 2 ? 11000 : 11100);
    if (GetMark() > GetLength()) std::abort();

    const std::vector<uint8_t> first = WriteSection();
    OpenInputBytes(first);
    DoReadPalettes(11100);
    if (GetMark() != GetLength() || WriteSection() != first) std::abort();
    ReleaseInputBuffer();
    return 0;
}

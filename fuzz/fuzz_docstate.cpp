// Any bytes as a settings block of any version: reading must neither overrun nor crash, must
// not read past the input, and a record read back must write out whole.
#include "files/docstate_io.h"
#include "files/streams.h"
#include "model/document_model.h"
#include "port/winrecords.h"
#include "files/custom_textures.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QMDDocumentModel* model = QMDDocumentModel::alloc()->init();
    if (!model || size == 0) return 0;
    gCurDocument = model;

    const auto version = static_cast<DocStateVersion>(data[0] % kDocStateVersionCount);
    const std::vector<uint8_t> block(data + 1, data + size);

    OpenInputBytes(block);
    DoReadDocStateOfVersion(version);
    if (GetMark() > GetLength()) std::abort();
    LOGFONT font;
    if (ApplePortReadLOGFONT(&font) && font.lfFaceName[31] != 0) std::abort();

    OpenInputBytes(block);
    DoReadTemplateDocStateOfVersion(version);
    if (GetMark() > GetLength()) std::abort();
    ReleaseInputBuffer();

    StartOutputBuffer();
    DoWriteDocState();
    if (gOutDataBuffer.size() != 4 + PaddedDocStateLength(DocStateVersion::Current)) std::abort();
    ReleaseOutputBuffer();

    DeleteCustomTextureList();
    return 0;
}

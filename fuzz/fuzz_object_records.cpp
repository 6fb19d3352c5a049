// Any bytes as a run of object records of any accepted version: the reader must stay inside
// the input, end, and leave objects that write and read back.
#include "files/object_io.h"
#include "files/object_records.h"
#include "files/streams.h"
#include "model/deletion.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "files/custom_textures.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

constexpr int32_t kVersions[] = {10000, 10300, 10350, 10351, 10400, 10410, 10450, 10500,
                                 10700, 10701, 10750, 10800, 10900, 11000, 11100};

void ReadRecords(Layer* layer) {
    int16_t tag = 0;
    while (!AtEndOfInput() && ReadShort(&tag) && tag == 200) ReadAnObject(layer, 1);
    if (GetMark() > GetLength()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QMDDocumentModel* doc = QMDDocumentModel::alloc()->init();
    if (!doc || size < 1) return 0;
    gCurDocument = doc;
    Layer* layer = doc->itsCurLayer;
    if (!layer) return 0;

    sInputVersion = kVersions[data[0] % (sizeof kVersions / sizeof kVersions[0])];
    OpenInputBytes(std::vector<uint8_t>(data + 1, data + size));
    ReadRecords(layer);

    // What was kept writes at the current version and reads back.
    sWriteVersion = 11100;
    StartOutputBuffer();
    for (Objex* o = layer->firstObject; o; o = o->next) WriteAnObject(o);
    std::vector<uint8_t> written = gOutDataBuffer;
    ReleaseOutputBuffer();
    DeleteLayerObjects(layer);
    sInputVersion = 11100;
    OpenInputBytes(written);
    ReadRecords(layer);
    if (GetMark() != GetLength()) std::abort();

    DeleteLayerObjects(layer);
    doc->deleteCustomTextureList();
    ReleaseInputBuffer();
    return 0;
}

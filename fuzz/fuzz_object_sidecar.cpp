// Any bytes as the description file beside an object file ("OBD"): the import must read it
// without overrunning, bring the objects in as 2D objects exactly when it says
// [Style] Object2D=1, and put the 2D flag back.
#include "files/ini.h"
#include "files/object_files.h"
#include "fuzz_support.h"
#include "object_file_bytes.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string root = fuzz::ScratchRoot("fuzz_object_sidecar");
    static const std::string objectPath = [] {
        StartOutputBuffer();
        fuzz::WriteObjectFile(10001, 2);
        const std::vector<uint8_t> bytes = gOutDataBuffer;
        ReleaseOutputBuffer();
        const std::string path = root + "/chair.obj";
        if (!fuzz::WriteFile(path, bytes.data(), bytes.size())) std::abort();
        return path;
    }();
    static const std::string sidecar = root + "/chair.OBD";
    QMDDocumentModel* doc = fuzz::CurrentDocument();
    if (!doc || !doc->itsCurLayer) return 0;
    if (!fuzz::WriteFile(sidecar, data, size)) return 0;

    const bool flat = GetPrivateProfileInt("Style", "Object2D", 0, sidecar.c_str()) == 1;
    if (!ObjectFileRead(objectPath.c_str()) || gObjectStyle2D) std::abort();
    int objects = 0;
    for (Objex* o = doc->itsCurLayer->firstObject; o; o = o->next, ++objects)
        if (o->type != (flat ? objtype::kImported2D : objtype::kFentrix)) std::abort();
    if (objects != 2) std::abort();
    fuzz::DropLayerObjects(doc);
    return 0;
}

// Any bytes as a custom texture's info file: taking the texture's size for the trims of the
// openings that use it must read it without overrunning, the size read is the one the
// file's [Size] gives, and the black key the one its [Opacity] gives.
#include "files/ini.h"
#include "fuzz_support.h"
#include "model/attachments.h"
#include "model/type_data.h"
#include "files/custom_textures.h"
#include "files/texture_files.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

constexpr int32_t kTexture = kFirstCustomTextureID;

// A wall with a window whose trims use the texture, on the current floor, once per document.
void PrepareDocument(QMDDocumentModel* doc) {
    static uint64_t prepared = 0;
    if (prepared == doc->itsSerial) return;
    prepared = doc->itsSerial;
    AddCustomTextureID(kTexture, "brick.jpg");
    Objex* wall = fuzz::NewObjectWithPoints(objtype::kWall, 2);
    Objex* window = fuzz::NewObjectWithPoints(objtype::kWindow, 2);
    if (!wall || !window || !doc->itsCurLayer) std::abort();
    AppendObjectToLayer(wall, doc->itsCurLayer);
    auto* r = new AttachmentRecord{};
    r->ownerType = objtype::kWindow;
    r->insideTrimTexture = kTexture;
    r->outsideTrimTexture = kTexture;
    window->typeData = TypeData::OfAttachment(r);
    AppendChildToObject(window, wall);
    window->layer = doc->itsCurLayer;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool once = [] {
        fuzz::UseScratchFolders("fuzz_texture_info");
        return true;
    }();
    (void)once;
    QMDDocumentModel* doc = fuzz::CurrentDocument();
    if (!doc) return 0;
    PrepareDocument(doc);
    char info[kTexturePathBufferSize] = {};
    if (!GetCustomTextureInfoFileNameFromID(kTexture, info)) std::abort();
    static bool folder = std::filesystem::create_directories(std::filesystem::path(info).parent_path());
    (void)folder;
    if (!fuzz::WriteFile(info, data, size)) return 0;

    UpdateAllAttachmentsCustomTextureWH(kTexture);
    int32_t width = 0, height = 0;
    const int32_t result = LoadCustomTextureWH(kTexture, &width, &height);
    if (result != height || width != GetPrivateProfileInt("Size", "Width", -1, info) ||
        height != GetPrivateProfileInt("Size", "Height", -1, info))
        std::abort();
    if (LoadCustomTextureAlpha(kTexture) != (GetPrivateProfileInt("Opacity", "Alpha", 0, info) != 0)) std::abort();
    return 0;
}

// Any bytes as a custom trim definition picked in the content palette and as its ".pti" side
// file: applying it to a wall's base and crown and to a window's inside trim must stay inside
// the input and end; each slot holds a whole profile of its own off every layer, its name
// within the name field, and nothing of the definition stays on the floor or in the reader.
#include "content/core/content_selection_seams.h"
#include "model/trim_placement.h"
#include "files/content_folders.h"
#include "files/design_file.h"
#include "files/object_records.h"
#include "files/template_files.h"
#include "fuzz_support.h"
#include "geometry/openings/trim_files.h"
#include "model/type_data.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

namespace {

constexpr const char* kName = "fuzz_trim_file";
constexpr const char* kFile = "input.ptt";

void PickTrim() {
    SetContentPaletteSelectedSymEntryHandler([] {
        SymEntryInfo entry;
        entry.type = symentry::kCustomTrim;
        entry.objectData = kFile;
        return std::optional<SymEntryInfo>(entry);
    });
}

void CheckProfile(const Objex* profile, uint8_t custom, const Objex* host) {
    if (custom && (!profile || profile->prev || profile->next || profile->layer != host->layer)) std::abort();
    if (profile && profile->text && std::strlen(profile->text) > kTrimNameLimit) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool once = [] {
        fuzz::UseScratchFolders(kName);
        PickTrim();
        return true;
    }();
    (void)once;
    QMDDocumentModel* doc = fuzz::CurrentDocument(256);
    if (!doc || !doc->itsCurLayer) return 0;
    static std::string folder;
    if (folder.empty()) {
        folder = LocalDomainCustomTrimPath();
        std::filesystem::create_directories(folder);
    }
    if (!fuzz::WriteFile(folder + "/" + kFile, data, size)) return 0;
    if (!fuzz::WriteFile(folder + "/input.pti", data, size)) return 0;

    Layer* floor = doc->itsCurLayer;
    Objex* wall = fuzz::NewObjectWithPoints(objtype::kWall, 2);
    Objex* window = fuzz::NewObjectWithPoints(objtype::kWindow, 2);
    if (!wall || !window) std::abort();
    AppendObjectToLayer(wall, floor);
    auto* trim = new TrimRecord{};
    wall->firstPoint->trim1 = trim;
    auto* r = new AttachmentRecord{};
    r->ownerType = objtype::kWindow;
    window->typeData = TypeData::OfAttachment(r);
    AppendChildToObject(window, wall);
    window->layer = floor;
    const Objex* before = floor->firstObject;

    for (uint8_t base : {1, 0}) {
        gApplyTrimAsBase = base;
        ReadCustomTrimFile(wall, 0, trim);
        ReadCustomTrimFile(window, 1, nullptr);
    }
    gApplyTrimAsBase = 1;
    if (gAttachmentTempLayer || gReadingAttachmentDefinition || DesignFileBusy() || gOpenSymbol) std::abort();
    for (int word : {0, 1}) CheckProfile(trim->profile[word], trim->slot[word] == TrimRecord::kCustomProfile, wall);
    CheckProfile(r->insideTrimProfile, r->insideCustomTrim, window);
    if (floor->firstObject != before || wall->next) std::abort();
    fuzz::DropLayerObjects(doc);
    return 0;
}

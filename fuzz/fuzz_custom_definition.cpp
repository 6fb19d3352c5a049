// Any bytes as a custom window, door or skylight definition, picked in the content palette:
// loading it into a window and into a skylight must stay inside the input and end; the parts
// sort into the opening's lists, belong to it and its layer, and nothing of the definition
// stays on the floor or in the reader's state.
#include "content/core/content_selection_seams.h"
#include "files/content_folders.h"
#include "files/custom_definitions.h"
#include "files/design_file.h"
#include "files/object_records.h"
#include "files/template_files.h"
#include "fuzz_support.h"
#include "model/type_data.h"

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

constexpr const char* kName = "fuzz_custom_definition";
constexpr const char* kFile = "input.def";

// The palette's selection: the definition file in the custom windows category.
void PickDefinition() {
    SetContentPaletteSelectedSymEntryHandler([] {
        SymEntryInfo entry;
        entry.objectData = kFile;
        return std::optional<SymEntryInfo>(entry);
    });
    SetContentPaletteSelectedCategoryHandler([] { return int16_t(customdef::kWindowCategory); });
}

// The opening on its host on the current floor of `doc`, made once per document.
struct Openings {
    uint64_t serial = 0;  // of the document (serials are never reused)
    Objex* window = nullptr;
    Objex* skylight = nullptr;
};

Openings& OpeningsOf(QMDDocumentModel* doc) {
    static Openings openings;
    if (openings.serial == doc->itsSerial && openings.window) return openings;
    openings = Openings{doc->itsSerial};
    Layer* floor = doc->itsCurLayer;
    Objex* wall = fuzz::NewObjectWithPoints(objtype::kWall, 2);
    Objex* roof = fuzz::NewObjectWithPoints(objtype::kRoof, 3);
    Objex* window = fuzz::NewObjectWithPoints(objtype::kWindow, 2);
    Objex* skylight = fuzz::NewObjectWithPoints(objtype::kSkylight, 4);
    if (!floor || !wall || !roof || !window || !skylight) std::abort();
    AppendObjectToLayer(wall, floor);
    AppendObjectToLayer(roof, floor);
    auto* r = new AttachmentRecord{};
    r->ownerType = objtype::kWindow;
    r->style = customdef::kWindowStyle;
    window->typeData = TypeData::OfAttachment(r);
    AppendChildToObject(window, wall);
    window->layer = floor;
    auto* s = new RoofAttachmentRecord{};
    s->ownerType = objtype::kSkylight;
    s->style = customdef::kSkylightStyle;
    s->angle = 90;
    s->attachment = skylight;
    skylight->typeData = TypeData::OfRoofAttachment(s);
    AppendChildToObject(skylight, roof);
    skylight->layer = floor;
    openings.window = window;
    openings.skylight = skylight;
    return openings;
}

void CheckParts(const Objex* head, const Objex* opening) {
    for (const Objex* o = head; o; o = o->next)
        if (o->parent != opening || o->layer != opening->layer) std::abort();
}

void CheckReaderState() {
    if (gAttachmentTempLayer || gReadingAttachmentDefinition || DesignFileBusy() || gOpenSymbol) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool once = [] {
        fuzz::UseScratchFolders(kName);
        PickDefinition();
        return true;
    }();
    (void)once;
    QMDDocumentModel* doc = fuzz::CurrentDocument(256);
    if (!doc || !doc->itsCurLayer) return 0;
    static std::string path;
    if (path.empty()) {
        std::filesystem::create_directories(LocalDomainCustomWindowPath());
        path = LocalDomainCustomWindowPath() + "/" + kFile;
    }
    if (!fuzz::WriteFile(path, data, size)) return 0;
    Openings& openings = OpeningsOf(doc);
    const int objectsBefore = [&] {
        int n = 0;
        for (Objex* o = doc->itsCurLayer->firstObject; o; o = o->next) ++n;
        return n;
    }();

    if (ReadCustomWindowDoorFile(openings.window)) {
        const AttachmentRecord* r = openings.window->typeData.attachment;
        for (int i = 0; i < customdef::kDoorWindowLists; ++i) CheckParts(r->customParts[i], openings.window);
        for (int i = 3; i < customdef::kDoorWindowLists; ++i)
            if (r->customParts[i]) std::abort();
    }
    CheckReaderState();
    if (ReadCustomSkylightFile(openings.skylight)) {
        const RoofAttachmentRecord* r = openings.skylight->typeData.roofAttachment;
        for (int i = 0; i < customdef::kSkylightLists; ++i) CheckParts(r->partLists[i], openings.skylight);
    }
    CheckReaderState();

    int objectsAfter = 0;
    for (Objex* o = doc->itsCurLayer->firstObject; o; o = o->next) ++objectsAfter;
    if (objectsAfter != objectsBefore) std::abort();
    return 0;
}

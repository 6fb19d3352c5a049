// Loading custom door, window and skylight definitions into openings.
#include "files/custom_definitions.h"

#include <cstring>
#include <optional>
#include <vector>

#include "content/core/content_selection_seams.h"
#include "files/content_folders.h"
#include "files/ini.h"
#include "files/template_files.h"
#include "model/bounds.h"
#include "model/deletion.h"
#include "model/document_model.h"
#include "model/duplicate.h"
#include "model/objects.h"
#include "model/selection_ops.h"
#include "model/selection_queries.h"
#include "model/sweeps.h"
#include "model/rebuild_table.h"
#include "port/alerts.h"
#include "port/files.h"

namespace {

constexpr const char* kDoorMissingTitle = "Unable to locate the custom door definition file.";
constexpr const char* kWindowMissingTitle = "Unable to locate the custom window definition file.";
constexpr const char* kPickDoorMessage = "Please select a custom door from the preview list before using this option.";
constexpr const char* kPickWindowMessage = "Please select a custom window from the preview list before using this option.";
constexpr const char* kFileAccessMessage =
    "Please make sure the file exists and you have adequate permissions to access it.";

constexpr const char* kSidecarSection = "Description";
constexpr const char* kSidecarKey = "AttachmentName";
constexpr const char* kNoName = "Done";
constexpr int32_t kNameLimit = 250;

void ShowSheet(const char* title, const char* message) {
    port::Alert alert;
    alert.message = title;
    alert.informative = message;
    alert.buttons = {"OK"};
    port::alerts().beginSheet(alert, nullptr);
}

enum class Kind { Door, Window };

void ShowFileMissing(Kind kind) {
    ShowSheet(kind == Kind::Door ? kDoorMissingTitle : kWindowMissingTitle, kFileAccessMessage);
}

AttachmentRecord* AttachmentOf(Objex* o) {
    if (!o || o->typeData.kind != TypeDataKind::Attachment) return nullptr;
    return o->typeData.attachment;
}

RoofAttachmentRecord* RoofAttachmentOf(Objex* o) {
    if (!o || o->typeData.kind != TypeDataKind::RoofAttachment) return nullptr;
    return o->typeData.roofAttachment;
}

Objex* CopyPart(Objex* part, Objex* opening) {
    Objex* copy = DuplicateObject(part, nullptr, nullptr, nullptr, 0, dupmode::kDuplicate);
    if (!copy) return nullptr;
    copy->parent = opening;
    // The copy and all it owns leave the definition's scratch layer, which goes with the read.
    SetTreeFloor(copy, TreeFloor(opening), true);
    return copy;
}

// The scratch layer a definition is read into, freed with everything on it when loading
// ends, whichever way.
class DefinitionLayer {
public:
    DefinitionLayer() : previous_(gAttachmentTempLayer) {
        layer_ = CreateLayer(customdef::kTempLayerName, 0, 0, nullptr);
        gAttachmentTempLayer = layer_;
    }
    ~DefinitionLayer() {
        if (layer_) DeleteLayer(layer_);
        gAttachmentTempLayer = previous_;
    }
    DefinitionLayer(const DefinitionLayer&) = delete;
    DefinitionLayer& operator=(const DefinitionLayer&) = delete;

    Layer* get() const { return layer_; }

private:
    Layer* layer_ = nullptr;
    Layer* previous_ = nullptr;
};

// Reads the definition onto the scratch layer. A file that is not there is reported like a
// missing entry; the template reader reports a file it cannot understand itself.
bool ReadDefinition(Kind kind, std::string* path) {
    if (!GetCurrentDefinitionFilePath(path) || !port::FileExists(*path)) {
        ShowFileMissing(kind);
        return false;
    }
    const uint8_t reading = gReadingAttachmentDefinition;
    gReadingAttachmentDefinition = 1;
    const int read = TemplateFileRead(path->c_str());
    gReadingAttachmentDefinition = reading;
    return read == 1;
}

// The sidecar's name, or none: the opening's previous name goes either way.
void TakeSidecarName(Objex* opening, const std::string& path) {
    FreeString(opening->text);
    opening->text = nullptr;
    if (path.size() <= 4) return;
    const std::string sidecar = path.substr(0, path.size() - 3) + "pti";
    char name[kNameLimit + 1] = {};
    GetPrivateProfileString(kSidecarSection, kSidecarKey, kNoName, name, sizeof name, sidecar.c_str());
    if (name[0] && std::strcmp(name, kNoName) != 0) opening->text = CopyString(name);
}

int DoorWindowList(int16_t type) {
    switch (type) {
    case objtype::kOpeningMask: return 0;
    case objtype::kDoorHardware:
    case objtype::kSkylightPart: return 2;
    default: return 1;
    }
}

Kind KindOfCategory(int16_t category, const Objex* opening) {
    if (category == customdef::kDoorCategory) return Kind::Door;
    if (category == customdef::kWindowCategory) return Kind::Window;
    return opening->type == objtype::kDoor ? Kind::Door : Kind::Window;
}

}  // namespace

bool GetCurrentDefinitionFilePath(std::string* path) {
    if (!path || !gCurDocument || !CurrentDocState()) return false;
    const int16_t category = ContentPaletteSelectedCategory();
    const std::optional<SymEntryInfo> entry = ContentPaletteSelectedSymEntry();
    if (entry && !entry->objectData.empty()) {
        std::string folder;
        if (category == customdef::kDoorCategory) folder = LocalDomainCustomDoorPath();
        else if (category == customdef::kWindowCategory) folder = LocalDomainCustomWindowPath();
        if (folder.empty()) return false;
        *path = SharedFile(port::JoinPath(folder, entry->objectData));
        return true;
    }
    if (category == customdef::kWindowCategory) ShowSheet(kWindowMissingTitle, kPickWindowMessage);
    else if (category == customdef::kDoorCategory) ShowSheet(kDoorMissingTitle, kPickDoorMessage);
    return false;
}

bool ReadCustomWindowDoorFile(Objex* opening) {
    if (!gCurDocument || !CurrentDocState()) return false;
    AttachmentRecord* record = AttachmentOf(opening);
    if (!record) return false;
    DefinitionLayer scratch;
    if (!scratch.get()) return false;
    std::string path;
    const Kind kind = KindOfCategory(ContentPaletteSelectedCategory(), opening);
    if (!ReadDefinition(kind, &path)) return false;
    TakeSidecarName(opening, path);

    Objex* lists[customdef::kDoorWindowLists] = {};
    for (Objex* o = scratch.get()->firstObject; o; o = o->next)
        if (Objex* copy = CopyPart(o, opening)) AppendObjectToList(lists[DoorWindowList(copy->type)], copy, opening);
    for (int i = 0; i < customdef::kDoorWindowLists; ++i) {
        DeleteObjectList(record->customParts[i]);
        record->customParts[i] = lists[i];
    }
    return true;
}

bool ReadCustomSkylightFile(Objex* skylight) {
    if (!gCurDocument || !CurrentDocState()) return false;
    RoofAttachmentRecord* record = RoofAttachmentOf(skylight);
    if (!record) return false;
    DefinitionLayer scratch;
    if (!scratch.get()) return false;
    std::string path;
    if (!ReadDefinition(Kind::Window, &path)) return false;
    TakeSidecarName(skylight, path);

    Objex* lists[customdef::kSkylightLists] = {};
    for (Objex* o = scratch.get()->firstObject; o; o = o->next) {
        const int list = objtype::RoofAttachmentPartList(o->type);
        if (list < 0) continue;
        if (Objex* copy = CopyPart(o, skylight)) {
            FlattenObjectToXZPlane(copy, 1);
            AppendObjectToList(lists[list], copy, skylight);
        }
    }
    for (int i = 0; i < customdef::kSkylightLists; ++i) {
        DeleteObjectList(record->partLists[i]);
        record->partLists[i] = lists[i];
    }
    return true;
}

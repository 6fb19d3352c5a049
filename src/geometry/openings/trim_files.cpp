#include "geometry/openings/trim_files.h"

#include <cstring>

#include "content/core/content_selection_seams.h"
#include "model/trim_placement.h"
#include "files/content_folders.h"
#include "files/custom_definitions.h"
#include "files/ini.h"
#include "files/template_files.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/duplicate.h"
#include "model/flip.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/type_data.h"
#include "model/selection_roster.h"
#include "port/files.h"

namespace {

constexpr const char* kSideSection = "Description";
constexpr const char* kSideKey = "TrimName";
constexpr size_t kShortestNamedPath = 5;

// The side file's trim name, bounded by the name field; empty for none.
std::string TrimName(const std::string& path) {
    if (path.size() < kShortestNamedPath) return {};
    const std::string side = path.substr(0, path.size() - 4) + ".pti";
    char name[kTrimNameLimit + 1] = {};
    GetPrivateProfileString(kSideSection, kSideKey, "", name, sizeof name, side.c_str());
    return name;
}

// Puts the copy into a slot whose old profile it replaces.
void Replace(Objex*& slot, Objex* copy) {
    if (slot) DeleteObj(slot);
    slot = copy;
}

}  // namespace

bool GetCurrentTrimDefinitionFilePath(std::string* path) {
    if (!path || !gCurDocument || !CurrentDocState()) return false;
    const std::optional<SymEntryInfo> entry = ContentPaletteSelectedSymEntry();
    if (!entry || entry->objectData.empty() || entry->type != symentry::kCustomTrim) return false;
    const std::string folder = LocalDomainCustomTrimPath();
    if (folder.empty()) return false;
    *path = SharedFile(port::JoinPath(folder, entry->objectData));
    return true;
}

void UnLockDetectAndSelectObject(Objex* object, uint8_t unlock, uint8_t detect, uint8_t select) {
    if (!object || !gCurDocument || !CurrentDocState()) return;
    for (Poinz* p = object->firstPoint; p; p = p->next) {
        if (unlock) p->locked = 0;
        if (detect) p->detectable = 1;
        if (select) p->selected = 1;
    }
    if (select) NoteSelectionIn(object);
}

TrimDefinitionRead::TrimDefinitionRead() : previous_(gAttachmentTempLayer) {
    if (!gCurDocument || !CurrentDocState()) return;
    layer_ = CreateLayer(customdef::kTempLayerName, 0, 0, nullptr);
    if (!layer_) return;
    gAttachmentTempLayer = layer_;
    std::string path;
    if (!GetCurrentTrimDefinitionFilePath(&path)) return;
    const uint8_t reading = gReadingAttachmentDefinition;
    gReadingAttachmentDefinition = 1;
    TemplateFileRead(path.c_str());
    gReadingAttachmentDefinition = reading;
    profile_ = layer_->firstObject;
    if (!profile_) return;
    UnLockDetectAndSelectObject(profile_, 1, 1, 1);
    if (!gApplyTrimAsBase) FlipObject(profile_, 0);
    name_ = TrimName(path);
}

TrimDefinitionRead::~TrimDefinitionRead() {
    if (layer_) DeleteLayer(layer_);
    gAttachmentTempLayer = previous_;
}

Objex* TrimDefinitionRead::copyFor(Layer* layer) const {
    if (!profile_) return nullptr;
    Objex* copy = DuplicateObject(profile_, nullptr, nullptr, nullptr, 0, dupmode::kDuplicate);
    if (!copy) return nullptr;
    copy->prev = copy->next = nullptr;
    // The copy and all it owns leave the read's scratch layer, which goes with the read.
    SetTreeFloor(copy, layer, true);
    if (!name_.empty()) {
        FreeString(copy->text);
        copy->text = CopyString(name_.c_str());
    }
    return copy;
}

void ReadCustomTrimFile(Objex* target, uint8_t inside, TrimRecord* wallTrimRecord) {
    if (!target || !gCurDocument || !CurrentDocState()) return;
    TrimDefinitionRead definition;
    if (target->type == objtype::kWall) {
        if (!wallTrimRecord) return;
        Objex* copy = definition.copyFor(TreeFloor(target));
        if (!copy) return;
        const int word = gApplyTrimAsBase ? 0 : 1;
        Replace(wallTrimRecord->profile[word], copy);
        wallTrimRecord->slot[word] = TrimRecord::kCustomProfile;
        return;
    }
    if (!objtype::IsOpening(target->type) || target->typeData.kind != TypeDataKind::Attachment) return;
    AttachmentRecord* record = target->typeData.attachment;
    if (!record) return;
    Objex* copy = definition.copyFor(TreeFloor(target));
    if (!copy) return;
    Replace(inside ? record->insideTrimProfile : record->outsideTrimProfile, copy);
    (inside ? record->insideCustomTrim : record->outsideCustomTrim) = 1;
}

#include "files/template_files.h"

#include <optional>
#include <string>

#include "content/core/content_selection.h"
#include "files/cabinet_files.h"
#include "files/design_file.h"
#include "files/design_file_internal.h"
#include "files/docstate_io.h"
#include "files/object_io.h"
#include "files/object_records.h"
#include "files/streams.h"
#include "model/bounds.h"
#include "model/delete_items.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/selection_ops.h"
#include "port/alerts.h"

uint8_t gReadingAttachmentDefinition = 0;
Layer* gAttachmentTempLayer = nullptr;

namespace {

// Detail objects dropped from a 2D symbol entry carry this bit.
constexpr int32_t kSymbolDetailBit = 1;

void ShowUnreadableTemplateAlert(const char* path) {
    port::Alert alert;
    alert.message = "Unable to read template file.";
    alert.informative = std::string("The file '") + path +
                        "' might be damaged or created with a more recent version of Kesto! Dovrane";
    alert.buttons = {"OK"};
    port::alerts().runModal(alert);
}

bool IsWithin(const Objex* o, const Objex* ancestor) {
    for (; o; o = o->parent)
        if (o == ancestor) return true;
    return false;
}

void UpdateGroupAndRootBounds(Objex* group) {
    UpdateObjectRootBounds(group, 0, 0);
    Objex* root = GetRootObject(group);
    if (root != group) UpdateObjectRootBounds(root, 0, 0);
}

// The reading state of one template object section.
class TemplateSectionReader {
public:
    TemplateSectionReader(QMDDocumentModel* doc, DocState* ds) : doc_(doc), ds_(ds) {
        entry_ = sharedContentSelection().selectedSymEntry();
    }
    ~TemplateSectionReader() {
        // Records that had no layer to go to were read onto this one and are dropped.
        if (scratch_) DeleteLayer(scratch_);
    }
    TemplateSectionReader(const TemplateSectionReader&) = delete;
    TemplateSectionReader& operator=(const TemplateSectionReader&) = delete;

    void run() {
        int16_t tag = 0;
        while (ReadShort(&tag) && tag != designtag::kSectionEnd) {
            switch (tag) {
            case designtag::kLayer:
                ReadATemplateLayer();
                break;
            case designtag::kObject:
                readObject();
                break;
            case designtag::kGroupStart:
                openGroup(lastObject_);
                break;
            case designtag::kGroupEnd:
                closeGroup();
                break;
            case designtag::kCabinetStart:
                openCabinet();
                break;
            case designtag::kCabinetEnd:
                closeCabinet();
                break;
            case kAttachmentDefinitionEndTag:
                if (gReadingAttachmentDefinition) return;
                break;
            default:
                break;
            }
        }
    }

private:
    bool symbolEntrySelected() const { return entry_ && entry_->type == symentry::kSymbol; }
    bool otherEntrySelected() const { return entry_ && entry_->type != symentry::kSymbol; }

    Layer* targetLayer() {
        Layer* target = gReadingAttachmentDefinition ? gAttachmentTempLayer : doc_->itsCurLayer;
        if (target) return target;
        if (!scratch_) scratch_ = CreateLayer("Untitled", 1, 1, nullptr);
        return scratch_;
    }

    void readObject() {
        Objex* o = ReadAnObject(targetLayer(), group_ ? 0 : 1);
        lastObject_ = o;
        if (!o) return;
        if (symbolEntrySelected() && o->type == objtype::kDetail) o->optionA |= kSymbolDetailBit;
        o->planBits = ds_->currentPlanBit;
        SelectObj(o, selmode::kSelect, 0);
        if (!group_) return;
        // Only the sibling links: the object's own children (a wall's doors) stay.
        o->parent = group_;
        o->layer = group_->layer;
        o->prev = groupTail_;
        o->next = nullptr;
        if (groupTail_)
            groupTail_->next = o;
        else
            group_->firstChild = o;
        groupTail_ = o;
    }

    void openGroup(Objex* group) {
        // Only a group holds children here; brackets after anything else are ignored.
        if (!group || group->type != objtype::kGroup) return;
        group_ = group;
        groupTail_ = group->firstChild;
        while (groupTail_ && groupTail_->next) groupTail_ = groupTail_->next;
    }

    Objex* takeOpenGroup() {
        Objex* group = group_;
        group_ = nullptr;
        groupTail_ = nullptr;
        return group;
    }

    void closeGroup() {
        Objex* group = takeOpenGroup();
        if (!group) return;
        if (otherEntrySelected() && group->groupKind != 0) {
            if (IsWithin(lastObject_, group)) lastObject_ = nullptr;
            DeleteObjItem(group);
            return;
        }
        UpdateGroupAndRootBounds(group);
    }

    void openCabinet() {
        CabinetState* state = DoReadCabinetState();
        Objex* o = lastObject_;
        if (!o || o->type != objtype::kGroup) {
            delete state;
            return;
        }
        DeleteObjectData(o);
        o->typeData.clear();
        if (state) {
            o->typeData = TypeData::OfCabinet(state);
            o->subtype = objsubtype::kCabinetGroup;
            o->elevation = state->elevation;
        }
        openGroup(o);
    }

    void closeCabinet() {
        if (Objex* group = takeOpenGroup()) UpdateObjectRootBounds(group, 0, 0);
    }

    QMDDocumentModel* doc_;
    DocState* ds_;
    std::optional<SymEntryInfo> entry_;
    Layer* scratch_ = nullptr;
    Objex* lastObject_ = nullptr;
    Objex* group_ = nullptr;
    Objex* groupTail_ = nullptr;
};

}  // namespace

int TemplateFileRead(const char* path) {
    if (!gCurDocument || !path || DesignFileBusy()) return 0;
    FileOperationScope operation;
    if (!OpenInputFile(path)) return 0;
    InputBufferScope input;
    ReadStateGuard restore;
    DocStateVersion settings{};
    if (!DoReadHeader() || !DocStateVersionOfFile(sInputVersion, &settings) ||
        !DesignFileVersionSections(sInputVersion, nullptr)) {
        ShowUnreadableTemplateAlert(path);
        return 0;
    }
    DoReadTemplateDocStateOfVersion(settings);
    DoReadTemplateObjects();
    return 1;
}

void DoReadTemplateObjects() {
    QMDDocumentModel* doc = gCurDocument;
    DocState* ds = CurrentDocState();
    if (!doc || !ds) return;
    TemplateSectionReader reader(doc, ds);
    reader.run();
}

void ReadATemplateLayer() {
    // Name, visible and active flags, height: nothing of it is kept.
    SkipInput(kLayerNameSize + 2 + 4);
}

void ResetTemplateFileState() {
    gReadingAttachmentDefinition = 0;
    gAttachmentTempLayer = nullptr;
}

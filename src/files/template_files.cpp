#include "files/template_files.h"

#include <optional>
#include <string>

#include "content/core/content_selection_seams.h"
#include "files/cabinet_files.h"
#include "files/design_file.h"
#include "files/design_file_internal.h"
#include "files/docstate_io.h"
#include "files/object_io.h"
#include "files/object_records.h"
#include "files/object_section.h"
#include "files/streams.h"
#include "model/bounds.h"
#include "model/delete_items.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/selection_ops.h"
#include "port/alerts.h"
#include "port/seam.h"

uint8_t gReadingAttachmentDefinition = 0;
Layer* gAttachmentTempLayer = nullptr;
static const port::GlobalReset kReset([] {
    gReadingAttachmentDefinition = 0;
    gAttachmentTempLayer = nullptr;
});

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

// The reading state of one template object section.
class TemplateSectionReader {
public:
    TemplateSectionReader(QMDDocumentModel* doc, DocState* ds) : doc_(doc), ds_(ds) {
        entry_ = ContentPaletteSelectedSymEntry();
    }

    void run() { ReadObjectSectionTags(*this); }

    void readLayer() { ReadATemplateLayer(); }

    void readObject() {
        Objex* o = ReadAnObject(targetLayer(), group_.get() ? 0 : 1);
        lastObject_ = o;
        if (!o) return;
        if (symbolEntrySelected() && o->type == objtype::kDetail) o->optionA |= kSymbolDetailBit;
        o->planBits = ds_->currentPlanBit;
        SelectObj(o, selmode::kSelect, 0);
        group_.append(o);
    }

    void openGroup() { group_.open(lastObject_); }
    void openCabinet() { group_.open(ReadCabinetIntoGroup(lastObject_)); }

    void closeGroup() {
        Objex* group = group_.take();
        if (!group) return;
        if (otherEntrySelected() && group->groupKind != 0) {
            if (IsWithinObject(lastObject_, group)) lastObject_ = nullptr;
            group_.forget(group);
            DeleteObjItem(group);
            return;
        }
        UpdateGroupAndRootBounds(group);
    }

    void closeCabinet() {
        if (Objex* group = group_.take()) UpdateObjectRootBounds(group, 0, 0);
    }

    // An attachment definition's objects end at its own end tag.
    bool otherTag(int16_t tag) { return !(tag == kAttachmentDefinitionEndTag && gReadingAttachmentDefinition); }

private:
    bool symbolEntrySelected() const { return entry_ && entry_->type == symentry::kSymbol; }
    bool otherEntrySelected() const { return entry_ && entry_->type != symentry::kSymbol; }

    Layer* targetLayer() {
        return scratch_.orTarget(gReadingAttachmentDefinition ? gAttachmentTempLayer : doc_->itsCurLayer);
    }

    QMDDocumentModel* doc_;
    DocState* ds_;
    std::optional<SymEntryInfo> entry_;
    // Records that had no layer to go to are read onto this one and dropped.
    ScratchSectionLayer scratch_;
    Objex* lastObject_ = nullptr;
    OpenSectionGroup group_;
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

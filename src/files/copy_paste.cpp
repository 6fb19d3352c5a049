#include "files/copy_paste.h"

#include <cstring>
#include <utility>
#include <vector>

#include "app/core/main_window_seams.h"
#include "files/cabinet_files.h"
#include "files/design_file.h"
#include "files/design_file_internal.h"
#include "files/object_io.h"
#include "files/object_records.h"
#include "files/palettes.h"
#include "files/streams.h"
#include "model/attached_dimension_batch.h"
#include "model/centering.h"
#include "model/command_ids.h"
#include "model/command_support.h"
#include "model/deletion.h"
#include "model/document_model.h"
#include "model/selection_ops.h"
#include "model/selection_queries.h"
#include "model/transforms.h"
#include "model/view_state.h"
#include "model/walkers.h"
#include "model/rebuild_table.h"
#include "plan/refresh_seams.h"
#include "port/seam.h"

char gClipboardLayerName[kLayerNameSize] = {};
const Layer* gClipboardLayer = nullptr;
uint64_t gClipboardDoc = 0;
float gPasteOffset = 0.0f;
uint8_t gMirroring = 0;
static const port::GlobalReset kReset([] {
    std::memset(gClipboardLayerName, 0, sizeof gClipboardLayerName);
    gClipboardLayer = nullptr;
    gClipboardDoc = 0;
    gPasteOffset = 0.0f;
    gMirroring = 0;
});

namespace {

constexpr float kPasteStep = 36.0f;

// Where the whole records of a scrap end, and the group bracket still open there.
struct CompleteRecords {
    uint32_t end = 0;
    int16_t openBracket = 0;  // 0, or the tag that opened a group (202) or cabinet (206)
};

bool EndsWithEndTag(const std::vector<uint8_t>& scrap) {
    const size_t n = scrap.size();
    return n >= 2 && scrap[n - 2] == static_cast<uint8_t>(designtag::kSectionEnd >> 8) &&
           scrap[n - 1] == static_cast<uint8_t>(designtag::kSectionEnd & 0xFF);
}

// Reads the scrap record by record onto a layer outside the document, which is dropped
// afterwards, to find the last record that is there whole. Needs the scrap as input.
CompleteRecords FindCompleteRecords() {
    CompleteRecords whole;
    Layer* scratch = CreateLayer("Untitled", 1, 1, nullptr);
    if (!scratch) return whole;
    gScrapIndex = 0;
    ClearInputTruncated();
    int16_t open = 0;
    for (;;) {
        int16_t tag = 0;
        if (!ReadShort(&tag)) break;
        if (tag == designtag::kObject) {
            ReadAnObject(scratch, 1);
        } else if (tag == designtag::kCabinetStart) {
            delete DoReadCabinetState();
            open = tag;
        } else if (tag == designtag::kGroupStart) {
            open = tag;
        } else if (tag == designtag::kGroupEnd || tag == designtag::kCabinetEnd) {
            open = 0;
        } else {
            break;  // not a tag of a copied section (the end tag is missing, see the caller)
        }
        if (InputTruncated()) break;
        whole.end = gScrapIndex;
        whole.openBracket = open;
    }
    DeleteLayer(scratch);
    ClearInputTruncated();
    gScrapIndex = 0;
    return whole;
}

void AppendTag(std::vector<uint8_t>* bytes, int16_t tag) {
    bytes->push_back(static_cast<uint8_t>(static_cast<uint16_t>(tag) >> 8));
    bytes->push_back(static_cast<uint8_t>(tag & 0xFF));
}

// The scrap as the paste reads it: unchanged when it ends with its end tag, else only its
// whole records, with the open bracket closed and the end tag added.
std::vector<uint8_t> ReadableScrap() {
    if (EndsWithEndTag(gPrivateScrap)) return gPrivateScrap;
    const CompleteRecords whole = FindCompleteRecords();
    std::vector<uint8_t> bytes(gPrivateScrap.begin(), gPrivateScrap.begin() + whole.end);
    if (whole.openBracket == designtag::kGroupStart) AppendTag(&bytes, designtag::kGroupEnd);
    if (whole.openBracket == designtag::kCabinetStart) AppendTag(&bytes, designtag::kCabinetEnd);
    AppendTag(&bytes, designtag::kSectionEnd);
    return bytes;
}

void DeleteEmptyGroups(Layer* layer) {
    if (!layer) return;
    for (Objex* o = layer->firstObject; o;) {
        Objex* next = o->next;
        if (o->type == objtype::kGroup && !o->firstChild) DeleteObj(o);
        o = next;
    }
}

}  // namespace

bool DoCopyObjects() {
    QMDDocumentModel* doc = gCurDocument;
    if (!doc || !doc->itsDocState || DesignFileBusy()) return false;
    gPasteOffset = 0.0f;
    std::vector<uint8_t>().swap(gPrivateScrap);
    gScrapIndex = 0;

    std::memset(gClipboardLayerName, 0, sizeof gClipboardLayerName);
    if (doc->itsCurLayer) std::memcpy(gClipboardLayerName, doc->itsCurLayer->name, kLayerNameSize - 1);
    gClipboardLayer = doc->itsCurLayer;
    gClipboardDoc = doc->itsSerial;

    CreateClipBoardPaletteList();

    sInputVersion = kDesignFileVersion;
    sWriteVersion = kDesignFileVersion;
    sInputPlatform = kDesignFilePlatform;
    gUseScrap = 1;
    gScrapIndex = 0;
    // An object with a part selected goes to the scrap whole: the paste moves what is
    // selected, so a part left unselected would stay where the copy was made.
    for (Layer* l = doc->itsLayers; l; l = l->next)
        for (Objex* o = l->visible ? l->firstObject : nullptr; o; o = o->next)
            if (IsObjectSelected(o)) SelectObjectWhole(o);
    SelectedObjectAllLayers(doc->itsLayers, 1, cmd::kSelect, nullptr);
    DoWriteObjects();
    gUseScrap = 0;
    gScrapIndex = 0;
    return true;
}

void DoPasteObjects() {
    QMDDocumentModel* doc = gCurDocument;
    if (!doc || !doc->itsDocState || gPrivateScrap.empty() || DesignFileBusy()) return;
    // The copies are read, moved and built: the ground and what stands on it follow once, at
    // the end.
    const rebuild::GroundBatch ground;

    // Reading the scrap puts the view angles on the plan; the window still shows this view.
    const int32_t viewBefore = GetCurrentView();
    Layer* const previousLayer = doc->itsCurLayer;
    Layer* const sourceFloor = gClipboardLayerName[0] ? GetLayerFromName(gClipboardLayerName) : nullptr;
    uint8_t floorVisible = 0;
    uint8_t floorActive = 0;
    if (sourceFloor) {
        floorVisible = sourceFloor->visible;
        floorActive = sourceFloor->active;
        sourceFloor->visible = 1;
        sourceFloor->active = 1;
        if (sourceFloor != previousLayer)
            ShowFileAlertSheet("Unable to paste objects to current floor.",
                               "To paste objects from another floor, use the \"Copy to Floor\" option.  "
                               "The objects will be pasted to the floor from which they came.");
        doc->itsCurLayer = sourceFloor;
    }

    if (doc->itsSerial != gClipboardDoc) {
        gUnlinkClipBoardFromPalette = 1;
        gLinkClipBoardToCurPalette = 1;
    } else {
        gUnlinkClipBoardFromPalette = 0;
    }

    {
        // Read, each copy lies on its original until the move takes it off: the dimensions are
        // measured once it stands where it ends, else one would stop at a copy that then left.
        AttachedDimensionBatch dimensions(AttachedDimensionBatch::Floors::EveryRefit);
        ReadStateGuard readState;
        sInputVersion = kDesignFileVersion;
        sInputPlatform = kDesignFilePlatform;
        gOpenSymbol = 0;
        gUseScrap = 1;
        gScrapIndex = 0;
        SelectAllLayers(doc->itsLayers, selmode::kDeselect, 1);

        // Each paste reads the scrap from its start and leaves it as the copy made it.
        std::vector<uint8_t> scrap = ReadableScrap();
        std::swap(scrap, gPrivateScrap);
        gScrapIndex = 0;
        ClearInputTruncated();
        DoReadObjects();
        std::swap(scrap, gPrivateScrap);
        ClearInputTruncated();

        float offset = 0.0f;
        if (!gMirroring) {
            FloatRect bounds;
            CenterObjectsInWindow(1, &bounds);
            offset = gPasteOffset;
            gPasteOffset += kPasteStep;
        }
        TransformRecord move = cmdsupport::Translation(offset, 0.0f, offset);
        SelectedObjectAllLayers(doc->itsLayers, 1, cmd::kMove, &move);

        gUseScrap = 0;
        gScrapIndex = 0;
    }

    DeleteEmptyGroups(doc->itsCurLayer);
    if (viewBefore != kViewTop) ViewTop();
    ResetStandardTool(1);

    if (sourceFloor) {
        // Pasted on a floor it leaves, nothing stays selected there (as a floor switch leaves
        // it): a command over the selection works on the current floor's.
        if (sourceFloor != previousLayer) SelectLayer(sourceFloor, selmode::kDeselect, 0);
        sourceFloor->visible = floorVisible;
        sourceFloor->active = floorActive;
        doc->itsCurLayer = previousLayer;
    }
    rebuild::RenderAllLayers();
    Refresh();
}

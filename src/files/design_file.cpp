#include "files/design_file.h"

#include <cmath>
#include <cstring>
#include <utility>

#include "files/cabinet_files.h"
#include "files/design_file_internal.h"
#include "files/docstate_io.h"
#include "files/object_io.h"
#include "files/object_records.h"
#include "files/object_section.h"
#include "files/palettes.h"
#include "files/streams.h"
#include "files/topography.h"
#include "model/bounds.h"
#include "model/delete_items.h"
#include "model/deletion.h"
#include "model/attached_dimension_batch.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/preferences.h"
#include "model/projection.h"
#include "model/selection_queries.h"
#include "model/view_layers.h"
#include "model/view_state.h"
#include "model/walkers.h"
#include "model/rebuild_table.h"
#include "port/alerts.h"
#include "port/files.h"
#include "port/seam.h"
#include "model/id_counters.h"

int16_t sInputPlatform = kDesignFilePlatform;
uint8_t gFileWriteFailed = 0;
uint8_t gReadingTopoLayer = 0;
uint8_t gForceNewPlanDefaults = 0;

namespace {

int sFileOperations = 0;
static const port::GlobalReset kReset([] {
    sFileOperations = 0;
    sInputPlatform = kDesignFilePlatform;
    gFileWriteFailed = 0;
    gReadingTopoLayer = 0;
    gForceNewPlanDefaults = 0;
});

constexpr RGBColor kWhite{0xFFFF, 0xFFFF, 0xFFFF};
constexpr RGBColor kBlack{0, 0, 0};
constexpr RGBColor kFirstPlanColor{49344, 0, 0};
constexpr RGBColor kInactiveFloorColor{55255, 55255, 55255};
constexpr RGBColor kInteriorFillColor{62194, 62194, 65535};
constexpr RGBColor kOldLotColor{0, 192, 0};
constexpr RGBColor kLotColor{24415, 36751, 12079};
// The floor plan's stored visible-plan mask after a read: every plan but the foundation.
constexpr int32_t kFloorPlanMask = 510;
constexpr int kFloorPlanIndex = 1;

// The palette section's last field when it holds any palette.
constexpr int32_t kPaletteSectionEndTag = 623;

constexpr const char* kFloorNames[3] = {"First Floor", "Second Floor", "Third Floor"};
constexpr const char* kTopLayerNames[3] = {"X_TOP_FIRST_FLOOR", "X_TOP_SECOND_FLOOR", "X_TOP_THIRD_FLOOR"};

struct VersionRow {
    int32_t version;
    bool plugInBlocks;
    bool liveViews;
};

// The accepted versions and the sections that follow their object section.
constexpr VersionRow kVersions[] = {
    {10000, false, false}, {10300, false, false}, {10350, false, false}, {10351, false, false},
    {10400, false, false}, {10410, false, false}, {10450, false, false}, {10500, true, false},
    {10700, true, false},  {10701, true, false},  {10750, true, false},  {10800, true, false},
    {10900, true, true},   {11000, true, true},   {11100, true, true},
};

bool IsTopLayerName(const char* name) {
    for (const char* top : kTopLayerNames)
        if (std::strcmp(name, top) == 0) return true;
    return false;
}

}  // namespace

void SetViewForLayerName(const char* name) {
    float x = 90.0f;
    float y = 0.0f;
    int16_t kind = 2;
    if (std::strcmp(name, "X_FRONT") == 0) {
        x = 0.0f, y = 0.0f, kind = 1;
    } else if (std::strcmp(name, "X_BACK") == 0) {
        x = 0.0f, y = 180.0f, kind = 1;
    } else if (std::strcmp(name, "X_LEFT") == 0) {
        x = 0.0f, y = 270.0f, kind = 3;
    } else if (std::strcmp(name, "X_RIGHT") == 0) {
        x = 0.0f, y = 90.0f, kind = 3;
    }
    gXViewAngle = x;
    gYViewAngle = y;
    gPerspective = 0;
    if (DocState* ds = CurrentDocState()) ds->viewKind = kind;
    SetUpForRotationAboutArbitraryAxis(gXViewAngle, gYViewAngle, &gCosXAngle, &gSinXAngle, &gCosYAngle, &gSinYAngle, 0);
}

namespace {

// A group whose members the object section brackets; the file's format does so only at the
// top level.
bool IsBracketedGroup(const Objex* o) {
    return o->type == objtype::kGroup && o->firstChild && o->firstChild->type != objtype::kDimensionLinked;
}

bool IsTopLevelGroup(const Objex* o) { return !o->parent && IsBracketedGroup(o); }

// The post-read corrections of the settings record.
void ApplyPostReadResets(DocState* ds, int32_t version) {
    ds->planMasks[kFloorPlanIndex] = kFloorPlanMask;
    ds->backgroundColor = kWhite;
    for (RGBColor& c : ds->planColors) c = kBlack;
    ds->planColors[0] = kFirstPlanColor;
    ds->penColor = kBlack;
    ds->inactiveFloorColor = kInactiveFloorColor;
    ds->interiorFillColor = kInteriorFillColor;
    InitializeVisiblePlansFromToolsetOptions();
    if (gForceNewPlanDefaults) {
        ds->units = gDefaultToImperial ? kImperialUnits : kMetricUnits;
        if (ds->units == kImperialUnits)
            ds->imperialReadout = gImperialReadoutFormat;
        else
            ds->metricReadout = gMetricReadoutFormat;
    } else if (version < 10900) {
        ds->imperialReadout = static_cast<int16_t>(ds->imperialReadout | 97);
        ds->metricReadout = static_cast<int16_t>(ds->metricReadout | 2);
        ds->angleReadout = 0;
    }
    DesignFileSections sections;
    if (DesignFileVersionSections(version, &sections) && !sections.liveViews) {
        // Older files measured the sun from another axis.
        ds->sunAngle -= 90.0f;
        if (ds->sunAngle < 0.0f) ds->sunAngle = 360.0f - std::fabs(ds->sunAngle);
    }
    if (ds->lotColor == kOldLotColor) ds->lotColor = kLotColor;
}

uint32_t BigEndianAt(uint32_t pos) {
    const uint8_t* b = gInDataBuffer.data() + pos;
    return (uint32_t{b[0]} << 24) | (uint32_t{b[1]} << 16) | (uint32_t{b[2]} << 8) | b[3];
}

// The palette reader stops quietly where the input ends; a section that did not reach its
// end tag (after at least one palette) belongs to a cut file.
bool PaletteSectionComplete(int32_t version, uint32_t start) {
    if (version != 11000 && version != 11100) return true;
    const uint32_t end = GetMark();
    if (end < start + 4 || end > gInDataBuffer.size()) return false;
    if (static_cast<int32_t>(BigEndianAt(start)) <= 0) return true;
    return end >= start + 8 && static_cast<int32_t>(BigEndianAt(end - 4)) == kPaletteSectionEndTag;
}

}  // namespace

void DeleteDocumentLayers(QMDDocumentModel* doc) {
    rebuild::DeleteDocumentRendererObjects(doc);
    while (doc->itsLayers) DeleteLayer(doc->itsLayers);
    doc->itsLayers = nullptr;
    doc->itsCurLayer = nullptr;
    doc->itsCur2DLayer = nullptr;
}

// --- shared helpers ---

FileOperationScope::FileOperationScope() { ++sFileOperations; }
FileOperationScope::~FileOperationScope() { --sFileOperations; }

ReadStateGuard::ReadStateGuard()
    : openSymbol_(gOpenSymbol),
      readingTopoLayer_(gReadingTopoLayer),
      cabinetOpen_(gCabinetOpen),
      inputVersion_(sInputVersion),
      inputPlatform_(sInputPlatform) {}

ReadStateGuard::~ReadStateGuard() {
    gOpenSymbol = openSymbol_;
    gReadingTopoLayer = readingTopoLayer_;
    gCabinetOpen = cabinetOpen_;
    sInputVersion = inputVersion_;
    sInputPlatform = inputPlatform_;
}

void ShowFileAlertSheet(const char* message, const char* informative) {
    port::Alert alert;
    alert.message = message;
    alert.informative = informative;
    alert.buttons = {"OK"};
    port::alerts().beginSheet(alert, [](int) {});
}

bool DesignFileBusy() {
    return sFileOperations > 0 || gUseScrap;
}

bool DesignFileVersionSections(int32_t version, DesignFileSections* sections) {
    for (const VersionRow& row : kVersions)
        if (row.version == version) {
            if (sections) {
                sections->plugInBlocks = row.plugInBlocks;
                sections->liveViews = row.liveViews;
            }
            return true;
        }
    return false;
}

bool ChooseCurrentFloorAfterRead() {
    Layer* floors[3];
    for (int i = 0; i < 3; ++i) {
        floors[i] = GetLayerFromName(kFloorNames[i]);
        if (!floors[i]) return false;
    }
    for (Layer* floor : floors)
        if (floor->active && floor->visible) {
            gCurDocument->itsCurLayer = floor;
            break;
        }
    return true;
}

// --- header ---

void DoWriteHeader() {
    WriteLong(sWriteVersion);
    WriteShort(kDesignFilePlatform);
}

bool DoReadHeader() {
    int32_t version = 0;
    int16_t platform = 0;
    if (!ReadLong(&version) || !ReadShort(&platform)) return false;
    sInputVersion = version;
    sInputPlatform = platform;
    return true;
}

// --- whole file ---

void BuildDesignFile(GroupBrackets brackets) {
    StartOutputBuffer();
    DoWriteHeader();
    DoWriteDocState();
    DoWriteObjects(brackets);
    DoWriteBlackBoxes();
    DoWriteLiveViews();
    DoWritePalettes(sWriteVersion);
}

int KeyFileWrite(const char* path) {
    gFileWriteFailed = 1;
    sWriteVersion = kDesignFileVersion;
    QMDDocumentModel* doc = gCurDocument;
    if (!doc || !doc->itsDocState || !path || !*path || DesignFileBusy()) return 0;
    // What sessions killed mid-save left beside the design goes, whatever became of their notes.
    port::RemoveDeadSaveTemporaries(path);
    FileOperationScope operation;
    // The file holds the flag as the save leaves it, as a read gives it too: two saves of one
    // design write the same bytes, whatever Undo or Redo set it to before the first.
    int32_t& tracking = doc->itsDocState->trackingValue;
    const int32_t trackingWas = std::exchange(tracking, 0);
    BuildDesignFile();
    if (!FlushOutputBufferToFile(path)) {
        tracking = trackingWas;
        return 0;
    }
    gFileWriteFailed = 0;
    return 1;
}

namespace {

constexpr size_t kDesignHeadSize = 6;  // version (32 bits) and platform (16), big-endian

// The first bytes of a design name a version this reader knows.
bool DesignHeadAcceptable(const uint8_t* head, size_t size) {
    if (size < kDesignHeadSize) return false;
    const int32_t version = static_cast<int32_t>(uint32_t(head[0]) << 24 | uint32_t(head[1]) << 16 |
                                                 uint32_t(head[2]) << 8 | uint32_t(head[3]));
    DocStateVersion settings{};
    DesignFileSections sections;
    return DocStateVersionOfFile(version, &settings) && DesignFileVersionSections(version, &sections);
}

}  // namespace

int KeyFileRead(const char* path) {
    QMDDocumentModel* doc = gCurDocument;
    if (!doc || !path || DesignFileBusy()) return 0;
    port::RemoveDeadSaveTemporaries(path);
    // The ground is computed once, after the read, and what stands on it placed on it then.
    const rebuild::GroundBatch ground;
    bool complete = true;
    {
        FileOperationScope operation;
        // What cannot be a design is refused from its first bytes: a large file that is none
        // would otherwise be read whole first.
        if (!OpenInputFileIf(path, kDesignHeadSize, DesignHeadAcceptable)) return 0;
        InputBufferScope input;
        const int32_t previousVersion = sInputVersion;
        const int16_t previousPlatform = sInputPlatform;
        DocStateVersion settingsVersion{};
        DesignFileSections sections;
        if (!DoReadHeader() || !DocStateVersionOfFile(sInputVersion, &settingsVersion) ||
            !DesignFileVersionSections(sInputVersion, &sections)) {
            // Refused before anything in the model changed.
            sInputVersion = previousVersion;
            sInputPlatform = previousPlatform;
            return 0;
        }
        const int32_t version = sInputVersion;
        DoReadDocStateOfVersion(settingsVersion);
        if (doc->itsDocState) ApplyPostReadResets(doc->itsDocState, version);
        if (!gOpenSymbol) DeleteDocumentLayers(doc);
        complete = DoReadObjects();
        if (sections.plugInBlocks && !DoReadBlackBoxes()) complete = false;
        if (!DoReadLiveViews()) complete = false;
        const uint32_t palettes = GetMark();
        DoReadPalettes(version);
        if (InputTruncated() || !PaletteSectionComplete(version, palettes)) complete = false;
    }
    // Stored IDs give the counters back; a damaged file may hold IDs above them.
    UpdateAllIDCounters();
    ReadTopoGridFile(doc->itsDocState ? doc->itsDocState->topoFilePath : "");
    // The ground follows the terrain objects just read (unless a topography file gives it).
    rebuild::SetLotElevation();
    if (!ChooseCurrentFloorAfterRead()) return 0;
    ConvertOldTextBlockLayers();
    if (DocState* ds = doc->itsDocState) {
        // The camera the design was saved with (walk-through or fly-around) is kept, so a save
        // writes it back; anything else starts as a walk-through.
        if (ds->cameraMode != kWalkThroughCamera && ds->cameraMode != kFlyAroundCamera)
            ds->cameraMode = kWalkThroughCamera;
        ds->currentPlanBit = 2;
        ds->visiblePlans = ds->planMasks[kFloorPlanIndex];
    }
    return complete ? 1 : kKeyFileReadTruncated;
}

// --- object section ---

void WriteALayer(Layer* layer) {
    if (!layer) return;
    WriteShort(designtag::kLayer);
    WriteSome(layer->name, kLayerNameSize);
    WriteSome(&layer->visible, 1);
    WriteSome(&layer->active, 1);
    WriteFloat(layer->height);
}

Layer* ReadALayer() {
    Layer* layer = CreateLayer("Untitled", 1, 1, nullptr);
    char name[kLayerNameSize];
    std::memcpy(name, layer ? layer->name : "", layer ? kLayerNameSize : 1);
    uint8_t visible = 1;
    uint8_t active = 1;
    float height = layer ? layer->height : 0.0f;
    const bool haveName = ReadSome(name, kLayerNameSize);
    ReadSome(&visible, 1);
    ReadSome(&active, 1);
    ReadFloat(&height);
    if (!layer) return nullptr;
    if (haveName) std::memcpy(layer->name, name, kLayerNameSize);
    layer->name[kLayerNameSize - 1] = 0;
    if (std::strcmp(layer->name, "X_TOP") == 0) {
        std::memset(layer->name, 0, kLayerNameSize);
        std::strcpy(layer->name, kTopLayerNames[0]);
    }
    layer->visible = visible;
    layer->active = active;
    layer->height = height;
    if (!gOpenSymbol) AppendLayerToDocument(layer);
    layer->visible = 1;
    return layer;
}

void WriteAnObjectAndChildren(Objex* o, GroupBrackets brackets) {
    if (!o) return;
    if (gUseScrap && !IsObjectSelected(o)) return;
    WriteAnObject(o);
    if (objtype::IsAttachmentCarrier(o->type) || !o->firstChild) return;
    const bool topLevel = brackets == GroupBrackets::Every ? IsBracketedGroup(o) : IsTopLevelGroup(o);
    const bool cabinet = topLevel && o->subtype == objsubtype::kCabinetGroup;
    if (cabinet) {
        WriteShort(designtag::kCabinetStart);
        // Written from a copy that carries the group's elevation; the group is left alone.
        CabinetState state;
        if (o->typeData.kind == TypeDataKind::Cabinet && o->typeData.cabinet) state = *o->typeData.cabinet;
        state.elevation = o->elevation;
        DoWriteCabinetState(&state);
    } else if (topLevel) {
        WriteShort(designtag::kGroupStart);
    }
    for (Objex* child = o->firstChild; child; child = child->next) WriteAnObjectAndChildren(child, brackets);
    if (topLevel) WriteShort(cabinet ? designtag::kCabinetEnd : designtag::kGroupEnd);
}

void DoWriteObjects(GroupBrackets brackets) {
    QMDDocumentModel* doc = gCurDocument;
    if (!doc) return;
    for (Layer* l = doc->itsLayers; l; l = l->next) {
        if (gUseScrap) {
            if (IsTopLayerName(l->name)) continue;
        } else {
            WriteALayer(l);
        }
        for (Objex* o = l->firstObject; o; o = o->next) WriteAnObjectAndChildren(o, brackets);
    }
    WriteShort(designtag::kSectionEnd);
}

namespace {

// The reading state of one object section.
class ObjectSectionReader {
public:
    explicit ObjectSectionReader(QMDDocumentModel* doc) : doc_(doc), pasting_(gUseScrap != 0) {}

    bool run() {
        if (pasting_) SetViewForLayerName("");
        SharedPlantDescriptions plants;
        AttachedDimensionBatch dimensions;
        return ReadObjectSectionTags(*this);
    }

    void readLayer() {
        Layer* layer = ReadALayer();
        if (!layer) return;
        // Members read before this measured themselves in another view.
        group_.markAll();
        SetViewForLayerName(layer->name);
        // Merged objects never go to the file's layers, so such a layer is not kept.
        if (gOpenSymbol)
            DeleteLayer(layer);
        else
            lastLayer_ = layer;
    }

    void readObject() {
        Objex* o = ReadAnObject(targetLayer(), group_.get() ? 0 : 1);
        lastObject_ = o;
        if (!o) return;
        group_.append(o);
        if (pasting_ && gClipBoardPalette && gUnlinkClipBoardFromPalette) ConvertObjPaletteLinksToActual(o);
    }

    void openGroup() { noteEarlierMembers(group_.open(lastObject_)); }
    void openCabinet() { noteEarlierMembers(group_.open(ReadCabinetIntoGroup(lastObject_))); }
    void closeGroup() { finishGroup(true); }
    void closeCabinet() { finishGroup(false); }
    bool otherTag(int16_t) { return true; }

private:
    // Members the group held before it opened may have been measured in another view.
    void noteEarlierMembers(bool opened) {
        if (opened) group_.mark(group_.get()->firstChild != nullptr);
    }

    Layer* targetLayer() {
        Layer* target = lastLayer_;
        if (pasting_)
            target = doc_->itsCurLayer;
        else if (gOpenSymbol)
            target = gReadingTopoLayer ? doc_->itsTopoLayer : doc_->itsCurLayer;
        return scratch_.orTarget(target);
    }

    void finishGroup(bool plainGroup) {
        const bool membersInOtherViews = group_.marked();
        Objex* group = group_.take();
        if (!group) return;
        if (plainGroup && pasting_ && group->groupKind != 0) {
            // Symbol-editor and section-detail groups are not pasted.
            if (IsWithinObject(lastObject_, group)) lastObject_ = nullptr;
            group_.forget(group);
            DeleteObjItem(group);
            return;
        }
        // Each member was measured as it was read.
        if (membersInOtherViews) UpdateObjectRootBounds(group, 0, 0);
        else UpdateGroupBoundsFromMembers(group);
        if (!plainGroup) return;
        Objex* first = group->firstChild;
        if (first && objtype::IsFixedComponent(first->type)) rebuild::Run(first, uint8_t(rebuild::Scope::Symbol));
    }

    QMDDocumentModel* doc_;
    bool pasting_;
    // Records that had no layer to go to are read onto this one and dropped.
    ScratchSectionLayer scratch_;
    Layer* lastLayer_ = nullptr;
    Objex* lastObject_ = nullptr;
    OpenSectionGroup group_;
};

}  // namespace

bool DoReadObjects() {
    QMDDocumentModel* doc = gCurDocument;
    if (!doc) return false;
    ObjectSectionReader reader(doc);
    return reader.run();
}

void ConvertOldTextBlockLayers() {
    for (int i = 0; i < 3; ++i) {
        Layer* top = GetLayerFromName(kTopLayerNames[i]);
        Layer* floor = GetLayerFromName(kFloorNames[i]);
        if (!top || !floor || top == floor) continue;
        for (Objex* o = top->firstObject; o;) {
            Objex* next = o->next;
            Move2DObject(o, floor);
            o = next;
        }
    }
}

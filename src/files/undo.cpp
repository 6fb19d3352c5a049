#include "files/undo.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <span>
#include <unordered_map>
#include <vector>

#include "app/core/main_window_seams.h"
#include "files/content_paths.h"
#include "files/design_file.h"
#include "files/design_file_internal.h"
#include "files/docstate_io.h"
#include "files/object_records.h"
#include "files/palettes.h"
#include "files/streams.h"
#include "files/topography.h"
#include "files/trace_image.h"
#include "model/command_ids.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/selection_roster.h"
#include "model/selection_state.h"
#include "model/selection_summary.h"
#include "model/walkers.h"
#include "model/zoom_units.h"
#include "model/rebuild_table.h"
#include "plan/refresh_seams.h"
#include "port/files.h"
#include "port/seam.h"
#include "port/session.h"
#include "port/undo.h"
#include "model/id_counters.h"
#include "ui/core/inspector_seams.h"

uint8_t gUndoActive = 0;
static const port::GlobalReset kReset([] { gUndoActive = 0; });
// Set while the parts of one step run with snapshots off: the step marks the design, not they.
static bool sPartsOfOneStep = false;
static const port::GlobalReset kPartsReset([] { sPartsOfOneStep = false; });

// What a snapshot does not give back by itself, by document: the kept settings as the last
// step, restore or change without a step left them, and what each slot's step changed of them
// (each value before and after it), which its Undo and Redo give back; and the selected points
// of the pieces a read makes anew from their host (a slope arrow, a deck's steps), as each
// slot's step left them, which a restore of the slot selects again.
struct UndoSettingsRecord {
    std::vector<unsigned char> noted;
    struct Change {
        size_t setting;
        std::vector<unsigned char> before, after;
    };
    std::vector<Change> steps[gTotalUndos + 1];
    // What the file last saved or read holds: the ring's slot then and the kept settings (but
    // the plant age, which no file holds). `offRing` once the design left what any slot can
    // give back: a step with snapshots off, a failed restore, the saved slot written over.
    int32_t savedSlot = 0;
    std::vector<unsigned char> savedSettings;
    bool offRing = false;
    // A point by its top-level object's ID, the child indices down to its piece and its index.
    struct SelectedPoint {
        uint32_t root;
        std::vector<uint32_t> path;
        uint32_t point;
        uint8_t flag;
    };
    std::vector<SelectedPoint> selections[gTotalUndos + 1];
};

namespace {

constexpr const char* kNoActionName = " ";
constexpr const char* kFloorNames[3] = {"First Floor", "Second Floor", "Third Floor"};
constexpr int32_t kFloorTags[3] = {kFirstFloorPopUpTag, kSecondFloorPopUpTag, kThirdFloorPopUpTag};

int32_t NextSlot(int32_t slot) { return slot >= gTotalUndos ? 1 : slot + 1; }
int32_t PreviousSlot(int32_t slot) { return slot <= 1 ? gTotalUndos : slot - 1; }

void ShowRestoreFailure() {
    ShowFileAlertSheet("Unable to restore the undo state.", kDiskSpaceText);
}

// The step an Undo or Redo crosses: the slot it leaves (Undo) or reaches (Redo).
struct Crossing {
    int32_t slot = 0;
    bool back = false;
} sCrossing;

bool StepSnapshot(bool back) {
    QMDDocumentModel* doc = gCurDocument;
    if (!gUndoActive || !doc || DesignFileBusy()) return false;
    if (doc->itsFirstUndo <= 0 || doc->itsLastUndo <= 0 || doc->itsCurrentUndo <= 0) return false;
    const int32_t distance = back ? CountUndos(doc->itsFirstUndo, doc->itsCurrentUndo)
                                  : CountUndos(doc->itsCurrentUndo, doc->itsLastUndo);
    if (distance < 2) return false;
    const int32_t kept = doc->itsCurrentUndo;
    doc->itsCurrentUndo = back ? PreviousSlot(kept) : NextSlot(kept);
    sCrossing = {back ? kept : doc->itsCurrentUndo, back};
    const bool restored = RestoreState(UndoSnapshotPath(doc->itsCurrentUndo).c_str()) != 0;
    sCrossing = {};
    if (!restored) {
        doc->itsCurrentUndo = kept;
        // Partly read or not at all, the design is no longer what a slot holds.
        if (doc->itsUndoSettings) doc->itsUndoSettings->offRing = true;
        ShowRestoreFailure();
        gUndoActive = 0;
    }
    SelectCurrentFloorInPopUp(doc);
    return restored;
}

// What no step stores besides how the design is looked at: the lot and the true north angle
// (their sheets store none), the snap palette's offset, the live view's speed, quality and
// framing chosen from its menus, the tool defaults the inspector panes change with nothing
// selected, whether the trace image is shown, and the content palette's custom colours. A
// restore keeps them as they stand, but what the step it crosses set of them. Tool defaults a
// pane stores a step for alone (roof pitch, stairs, paths, fixtures, beams and piers) are not
// here: the snapshots carry them.
struct KeptSetting {
    size_t offset, size;
};
#define DVX_KEPT(member) KeptSetting{offsetof(DocState, member), sizeof(DocState::member)}
constexpr KeptSetting kKeptSettings[] = {
    DVX_KEPT(lotRect), DVX_KEPT(traceImageShown), DVX_KEPT(compassAngle), DVX_KEPT(snapOffset),
    DVX_KEPT(navigationSpeed), DVX_KEPT(lightSetting), DVX_KEPT(shadowQuality), DVX_KEPT(framingView),
    DVX_KEPT(wallHeight), DVX_KEPT(wallPitchA), DVX_KEPT(wallPitchB), DVX_KEPT(wallHeightC), DVX_KEPT(wallHeightD),
    DVX_KEPT(wallThickness), DVX_KEPT(wallThicknessA), DVX_KEPT(studSpacing), DVX_KEPT(floorDepth),
    DVX_KEPT(foundationWidth), DVX_KEPT(wallSegmentLength), DVX_KEPT(autoFlooring), DVX_KEPT(wallFoundation),
    DVX_KEPT(wallDisplayFlags), DVX_KEPT(wallStyle), DVX_KEPT(penStyle), DVX_KEPT(penWidth), DVX_KEPT(editLevel),
    DVX_KEPT(detailDisplayDims), DVX_KEPT(multigonSides), DVX_KEPT(windowStyle), DVX_KEPT(windowDivisions),
    DVX_KEPT(windowWidth), DVX_KEPT(windowHeight), DVX_KEPT(windowElevation), DVX_KEPT(windowValue),
    DVX_KEPT(doorStyle), DVX_KEPT(doorWidth), DVX_KEPT(doorHeight), DVX_KEPT(doorValue), DVX_KEPT(doorValueB),
    DVX_KEPT(skylightStyle), DVX_KEPT(skylightWidth), DVX_KEPT(skylightLength), DVX_KEPT(skylightValue),
    DVX_KEPT(soffitInclude), DVX_KEPT(soffitBase), DVX_KEPT(soffitLeft), DVX_KEPT(soffitRight),
    DVX_KEPT(roofSoffitValue), DVX_KEPT(railHeight), DVX_KEPT(railValueB), DVX_KEPT(fenceStyle),
    DVX_KEPT(fenceSizes), DVX_KEPT(gateLength), DVX_KEPT(floorValue), DVX_KEPT(deckHeight), DVX_KEPT(deckRailHeight),
    DVX_KEPT(balusterSpacing), DVX_KEPT(deckSkirting), DVX_KEPT(deckRails), DVX_KEPT(deckOpenSteps),
    DVX_KEPT(deckStepWidth), DVX_KEPT(deckStepSizeB), DVX_KEPT(deckStepLeftRail), DVX_KEPT(deckStepRightRail),
    DVX_KEPT(lightStyle), DVX_KEPT(lightOn), DVX_KEPT(lightGlow), DVX_KEPT(lightAmbient), DVX_KEPT(lightDimmer),
    DVX_KEPT(lightRadius), DVX_KEPT(lightFalloff), DVX_KEPT(receptacleStyle), DVX_KEPT(receptacleStyle2),
    DVX_KEPT(switchStyle), DVX_KEPT(switchStyle2), DVX_KEPT(customColors)};
#undef DVX_KEPT
// Unless the snapshot names another topography file (the file gives the lot its grid), or
// another trace image.
constexpr size_t kLotSetting = 0, kTraceShownSetting = 1;

// The kept settings of the design, then its largest plant age, which no snapshot holds: one
// after the other, as `UndoSettingsRecord` notes them.
std::span<unsigned char> Setting(QMDDocumentModel& doc, DocState& ds, size_t i) {
    if (i == std::size(kKeptSettings))
        return {reinterpret_cast<unsigned char*>(&doc.itsMaximumPlantAge), sizeof doc.itsMaximumPlantAge};
    return {reinterpret_cast<unsigned char*>(&ds) + kKeptSettings[i].offset, kKeptSettings[i].size};
}
constexpr size_t kNotedSettings = std::size(kKeptSettings) + 1;

std::vector<unsigned char> Noted(QMDDocumentModel& doc) {
    std::vector<unsigned char> out;
    for (size_t i = 0; i < kNotedSettings; ++i) {
        const auto value = Setting(doc, *doc.itsDocState, i);
        out.insert(out.end(), value.begin(), value.end());
    }
    return out;
}

// The noted settings the design file holds: all but the plant age at the end.
std::vector<unsigned char> SavedPart(std::vector<unsigned char> noted) {
    noted.resize(noted.size() - sizeof(QMDDocumentModel::itsMaximumPlantAge));
    return noted;
}

UndoSettingsRecord& SettingsRecord(QMDDocumentModel& doc) {
    if (!doc.itsUndoSettings) doc.itsUndoSettings = std::make_shared<UndoSettingsRecord>();
    return *doc.itsUndoSettings;
}

using SelectedPoints = std::vector<UndoSettingsRecord::SelectedPoint>;

void NoteSelectedPieces(Objex* o, uint32_t root, std::vector<uint32_t>& path, SelectedPoints& out) {
    uint32_t i = 0;
    for (Objex* child = o->firstChild; child; child = child->next, ++i) {
        path.push_back(i);
        uint32_t k = 0;
        if (objtype::Has(child->type, objtype::kMadeAnewByRead))
            for (const Poinz* p = child->firstPoint; p; p = p->next, ++k)
                if (p->selected) out.push_back({root, path, k, p->selected});
        NoteSelectedPieces(child, root, path, out);
        path.pop_back();
    }
}

// The selected points no snapshot holds: under the objects that hold a selected point.
SelectedPoints SelectedPiecePoints(QMDDocumentModel& doc) {
    SelectedPoints out;
    std::vector<Objex*> roots;
    std::vector<uint32_t> path;
    for (Layer* l = doc.itsLayers; l; l = l->next) {
        roots.clear();
        SelectedObjectsOfLayer(l, &roots);
        for (Objex* root : roots) NoteSelectedPieces(root, root->objectID, path, out);
    }
    return out;
}

void SelectPiecePoints(QMDDocumentModel& doc, const SelectedPoints& points) {
    if (points.empty()) return;
    std::unordered_map<uint32_t, Objex*> roots;
    for (const auto& s : points) roots.emplace(s.root, nullptr);
    for (Layer* l = doc.itsLayers; l; l = l->next)
        for (Objex* o = l->firstObject; o; o = o->next)
            if (auto it = roots.find(o->objectID); it != roots.end() && !it->second) it->second = o;
    for (const auto& s : points) {
        Objex* o = roots[s.root];
        for (size_t i = 0; o && i < s.path.size(); ++i) {
            o = o->firstChild;
            for (uint32_t k = s.path[i]; o && k > 0; --k) o = o->next;
        }
        Poinz* p = o ? o->firstPoint : nullptr;
        for (uint32_t k = s.point; p && k > 0; --k) p = p->next;
        if (!p || !objtype::Has(o->type, objtype::kMadeAnewByRead)) continue;
        p->selected = s.flag;
        NoteSelectionIn(o);
    }
}

// A step stored in `slot` (none with snapshots off): what it changed of the kept settings since
// they were last noted, and the selection it left that no snapshot holds. The first snapshot
// of a ring crosses no step.
void NoteStep(QMDDocumentModel& doc, int32_t slot, bool first) {
    UndoSettingsRecord& record = SettingsRecord(doc);
    std::vector<unsigned char> now = Noted(doc);
    if (first)
        for (auto& changes : record.steps) changes.clear();
    if (slot > 0 && slot <= gTotalUndos) {
        record.selections[slot] = SelectedPiecePoints(doc);
        auto& changes = record.steps[slot];
        changes.clear();
        for (size_t i = 0, at = 0; !first && record.noted.size() == now.size() && i < kNotedSettings; ++i) {
            const auto size = static_cast<std::ptrdiff_t>(Setting(doc, *doc.itsDocState, i).size());
            const auto was = record.noted.begin() + static_cast<std::ptrdiff_t>(at);
            const auto is = now.begin() + static_cast<std::ptrdiff_t>(at);
            if (!std::equal(is, is + size, was)) changes.push_back({i, {was, was + size}, {is, is + size}});
            at += static_cast<size_t>(size);
        }
    }
    record.noted = std::move(now);
}

// What the crossed step set of the kept settings comes back with its Undo and again with its
// Redo: into `kept`, which the restore keeps, and the largest plant age.
void TakeCrossedStep(QMDDocumentModel& doc, DocState& kept) {
    if (sCrossing.slot <= 0 || sCrossing.slot > gTotalUndos || !doc.itsUndoSettings) return;
    for (const UndoSettingsRecord::Change& c : doc.itsUndoSettings->steps[sCrossing.slot]) {
        const std::vector<unsigned char>& value = sCrossing.back ? c.before : c.after;
        const std::span<unsigned char> to = Setting(doc, kept, c.setting);
        if (value.size() == to.size()) std::copy(value.begin(), value.end(), to.begin());
    }
}

void ReloadTraceImage(QMDDocumentModel* doc, DocState* ds) {
    delete doc->itsTraceImage;
    doc->itsTraceImage = nullptr;
    if (!ds->traceImagePath[0]) return;
    doc->itsTraceImage = LoadTraceImage(ds->traceImagePath);
    if (doc->itsTraceImage) return;
    ds->traceImagePath[0] = 0;
    ds->traceImageShown = 0;
}

}  // namespace

// What a snapshot does not carry back: how the design is looked at, which the menus and the
// views change without an undo step of their own (the plan's zooms, origin, grid and shown
// plans; the live view's camera, cut-away and render style). A snapshot of another plan scale
// scales the zooms kept as a scale change does, so the plan keeps its size on the screen.
void KeepViewSettings(const DocState& from, DocState& to) {
    const float ratio = PlanScaleZoomRatio(from.planScaleChoice, to.planScaleChoice, to.units);
    to.zoomFactor = from.zoomFactor * ratio, to.savedZoom = from.savedZoom * ratio;
    to.printZoom = from.printZoom * ratio;
    to.viewOrigin = from.viewOrigin;
    to.showGrid = from.showGrid, to.snapToGrid = from.snapToGrid, to.showTopoLines = from.showTopoLines;
    to.visiblePlans = from.visiblePlans, to.currentPlanBit = from.currentPlanBit;
    std::memcpy(to.planMasks, from.planMasks, sizeof to.planMasks);
    to.cameraMode = from.cameraMode, to.navigationFlag = from.navigationFlag, to.navigationValue = from.navigationValue;
    to.cameraHeading = from.cameraHeading, to.cameraPosition = from.cameraPosition, to.cameraValue = from.cameraValue;
    to.eyeHeight = from.eyeHeight, to.flyAltitude = from.flyAltitude, to.lightOffset = from.lightOffset;
    to.flyValueA = from.flyValueA, to.flyValueB = from.flyValueB, to.elevationView = from.elevationView;
    to.cutAwayPosition = from.cutAwayPosition, to.cutAwayKind = from.cutAwayKind;
    to.renderMode = from.renderMode, to.renderFlag = from.renderFlag;
}

void KeepUnstoredSettings(const DocState& from, DocState& to, bool lot) {
    KeepViewSettings(from, to);
    for (size_t i = 0; i < std::size(kKeptSettings); ++i) {
        if (i == kLotSetting && !lot) continue;
        // The step of another image's load brings it shown.
        if (i == kTraceShownSetting &&
            std::strncmp(from.traceImagePath, to.traceImagePath, sizeof to.traceImagePath) != 0)
            continue;
        const KeptSetting& k = kKeptSettings[i];
        std::memcpy(reinterpret_cast<unsigned char*>(&to) + k.offset,
                    reinterpret_cast<const unsigned char*>(&from) + k.offset, k.size);
    }
}

void NoteSettingsSetWithoutStep(QMDDocumentModel* doc) {
    if (!doc || !doc->itsDocState || !doc->itsUndoSettings) return;
    UndoSettingsRecord& record = *doc->itsUndoSettings;
    const std::vector<unsigned char> now = Noted(*doc);
    if (now == record.noted) return;
    // The largest plant age is no file's: only a step changes it, and a change of it saves nothing.
    const bool saved = !std::equal(now.begin(), now.end() - sizeof doc->itsMaximumPlantAge, record.noted.begin());
    record.noted = now;
    if (saved) port::documentUndo().markChanged(doc);
}

bool DesignChangedSinceSave(const QMDDocumentModel* doc) {
    if (!doc || !doc->itsDocState || !doc->itsUndoSettings) return false;
    const UndoSettingsRecord& record = *doc->itsUndoSettings;
    if (record.offRing || doc->itsCurrentUndo != record.savedSlot) return true;
    return SavedPart(Noted(const_cast<QMDDocumentModel&>(*doc))) != record.savedSettings;
}

void NoteDesignSaved(QMDDocumentModel* doc) {
    if (!doc || !doc->itsDocState) return;
    UndoSettingsRecord& record = SettingsRecord(*doc);
    record.savedSlot = doc->itsCurrentUndo;
    record.savedSettings = SavedPart(Noted(*doc));
    record.offRing = false;
}

PartsOfOneStep::PartsOfOneStep() : undoActive_(gUndoActive), outer_(sPartsOfOneStep) {
    gUndoActive = 0;
    sPartsOfOneStep = true;
}

PartsOfOneStep::~PartsOfOneStep() {
    gUndoActive = undoActive_;
    sPartsOfOneStep = outer_;
}

void SelectCurrentFloorInPopUp(const QMDDocumentModel* doc) {
    if (!doc || !doc->itsCurLayer) return;
    for (int i = 0; i < 3; ++i)
        if (std::strcmp(doc->itsCurLayer->name, kFloorNames[i]) == 0) SelectActiveFloorPopUpItem(kFloorTags[i]);
}

int32_t UndoManagerLevels(int64_t levels) {
    return static_cast<int32_t>(std::clamp<int64_t>(levels, 0, gTotalUndos - 1));
}

int32_t CountUndos(int32_t from, int32_t to) {
    if (from <= 0 || to <= 0) return 0;
    return to >= from ? to - from + 1 : to + gTotalUndos - from + 1;
}

std::string UndoSnapshotPath(int32_t slot) {
    const QMDDocumentModel* doc = gCurDocument;
    if (!doc) return {};
    char name[128];
    std::snprintf(name, sizeof name, "com.dedarovozurev.dovranix_1100_%ld_%ld_%ld.dat", port::LoginSessionID(),
                  static_cast<long>(doc->itsDocID), static_cast<long>(slot));
    return port::JoinPath(UndoSnapshotFolder(), name);
}

void InitializeUndo() {
    QMDDocumentModel* doc = gCurDocument;
    if (!doc) return;
    // A ring started again over a changed design (the undo preference) has no saved slot; a
    // design new or just read is what its file holds.
    const bool changed = DesignChangedSinceSave(doc);
    doc->itsFirstUndo = -1;
    doc->itsLastUndo = -1;
    doc->itsCurrentUndo = -1;
    StoreUndo(kNoActionName);
    if (!changed) NoteDesignSaved(doc);
    else SettingsRecord(*doc).offRing = true;
}

void StoreUndo(const char* actionName) {
    QMDDocumentModel* doc = gCurDocument;
    if (!actionName || !doc) return;
    const bool noAction = std::strcmp(actionName, kNoActionName) == 0;
    // Every edit ends here: the ground follows the terrain objects it left, whichever command
    // added, removed, moved, reshaped or copied them (the same ground builds nothing again),
    // and what stands on the ground is placed on it as the step left it. A step stored inside
    // a ground batch is settled first, so that its snapshot holds what a read of it gives; one
    // that stores no snapshot (a part of a larger step) leaves that to the batch.
    if (!noAction && !DesignFileBusy()) {
        rebuild::SetLotElevation();
        if (gUndoActive) rebuild::SettleGround();
    }
    if (!gUndoActive) {
        if (!noAction && !sPartsOfOneStep) {
            SettingsRecord(*doc).offRing = true;
            port::documentUndo().markChanged(doc);
        }
        if (doc->itsDocState) NoteStep(*doc, 0, false);
        return;
    }
    if (!doc->itsDocState || DesignFileBusy()) return;
    const int32_t first = doc->itsFirstUndo;
    const int32_t last = doc->itsLastUndo;
    const int32_t current = doc->itsCurrentUndo;
    if (first < 0) {
        doc->itsFirstUndo = doc->itsLastUndo = doc->itsCurrentUndo = 1;
    } else if (current > 0) {
        const int32_t held = CountUndos(first, current);
        doc->itsCurrentUndo = NextSlot(current);
        // What could be redone is dropped.
        doc->itsLastUndo = doc->itsCurrentUndo;
        // A full ring overwrites its oldest snapshot.
        if (held >= gTotalUndos) doc->itsFirstUndo = NextSlot(first);
    }
    if (!SaveState(UndoSnapshotPath(doc->itsCurrentUndo).c_str())) {
        doc->itsFirstUndo = first;
        doc->itsLastUndo = last;
        doc->itsCurrentUndo = current;
        return;
    }
    // The saved slot written over (a step after an Undo past it, or the ring's lap) can never
    // be returned to.
    if (first >= 0 && doc->itsUndoSettings && doc->itsUndoSettings->savedSlot == doc->itsCurrentUndo)
        doc->itsUndoSettings->offRing = true;
    NoteStep(*doc, doc->itsCurrentUndo, first < 0);
    if (noAction) return;
    // A new action drops only what could be redone (the manager does so itself); the steps
    // before it stay, as their snapshots do.
    port::DocumentUndo& undo = port::documentUndo();
    if (!undo.isUndoing(doc)) undo.setActionName(doc, actionName);
}

bool DoUndo() { return StepSnapshot(true); }
bool DoRedo() { return StepSnapshot(false); }

int SaveState(const char* path) {
    sWriteVersion = kDesignFileVersion;
    gFileWriteFailed = 1;
    QMDDocumentModel* doc = gCurDocument;
    if (!path || !*path || !doc || !doc->itsDocState || DesignFileBusy()) return 0;
    FileOperationScope operation;
    // Every group bracketed, so that nesting comes back exactly; a saved design keeps the
    // file format's top-level brackets.
    BuildDesignFile(GroupBrackets::Every);
    // A snapshot only has to outlive the session, not a crash: no sync.
    if (!FlushOutputBufferToFile(path, port::Durability::Scratch)) {
        // The edit stands and its step is named all the same, so the design counts as
        // changed; the slot is emptied, so stepping onto it fails rather than restoring
        // whatever the ring left there a lap ago.
        port::RemoveFile(path);
        ShowFileAlertSheet("Unable to store the undo state.", kDiskSpaceText);
        return 1;
    }
    gFileWriteFailed = 0;
    return 1;
}

int RestoreState(const char* path) {
    QMDDocumentModel* doc = gCurDocument;
    if (!path || !*path || !doc || DesignFileBusy()) return 0;
    // The objects freed and read again move the ground once, when the restore ends: what
    // stands on it is then placed once.
    const rebuild::GroundBatch ground;
    // The record the snapshot replaces: its view settings stay, and what no step stored (what
    // the crossed step set of it goes back or comes again); its paths tell what to load again.
    const bool hadRecord = doc->itsDocState != nullptr;
    DocState kept{};
    if (hadRecord) kept = *doc->itsDocState;
    {
        FileOperationScope operation;
        if (!OpenInputFile(path)) return 0;
        if (hadRecord) TakeCrossedStep(*doc, kept);
        InputBufferScope input;
        DoReadHeader();
        // Snapshots are always written at the current version, whatever the header says.
        sInputVersion = kDesignFileVersion;
        DoReadDocState();
        // A snapshot of another topography file (the topography tool's step) brings its lot:
        // the file gives the lot its grid.
        if (hadRecord && doc->itsDocState)
            KeepUnstoredSettings(kept, *doc->itsDocState,
                                 std::strncmp(doc->itsDocState->topoFilePath, kept.topoFilePath,
                                              sizeof kept.topoFilePath) == 0);
        if (!doc->itsLayers) {
            ShowRestoreFailure();
            gUndoActive = 0;
            return 0;
        }
        rebuild::DeleteDocumentRendererObjects(doc);
        while (doc->itsLayers) DeleteLayer(doc->itsLayers);
        doc->itsLayers = nullptr;
        doc->itsCurLayer = nullptr;
        doc->itsCur2DLayer = nullptr;
        DoReadObjects();
        DoReadBlackBoxes();
        DoReadLiveViews();
        DoReadPalettes(sInputVersion);
    }
    // What the restored slot's step left selected of what the read made anew.
    const int32_t slot = doc->itsCurrentUndo;
    if (sCrossing.slot > 0 && doc->itsUndoSettings && slot > 0 && slot <= gTotalUndos)
        SelectPiecePoints(*doc, doc->itsUndoSettings->selections[slot]);
    UpdateAllIDCounters();
    if (doc->itsDocState) SettingsRecord(*doc).noted = Noted(*doc);
    if (!ChooseCurrentFloorAfterRead()) {
        rebuild::SetLotElevation();
        Refresh();
        rebuild::RenderAllLayers();
        return 0;
    }
    DocState* ds = doc->itsDocState;
    if (ds) {
        ds->trackingValue = 1;
        ClearSelectionState40(ds, &ds->ss40);
        TopLevelObjectAllLayers(doc->itsLayers, cmd::kElevationSummary, ds);
        UpdateSelectionState40Controls(&ds->ss40);
        if (std::strncmp(ds->topoFilePath, kept.topoFilePath, sizeof ds->topoFilePath) != 0)
            ReadTopoGridFile(ds->topoFilePath);
        if (std::strncmp(ds->traceImagePath, kept.traceImagePath, sizeof ds->traceImagePath) != 0)
            ReloadTraceImage(doc, ds);
        SettingsRecord(*doc).noted = Noted(*doc);
    }
    // The ground follows the terrain objects restored (unless a topography file gives it).
    rebuild::SetLotElevation();
    // The palettes show the design as it now is: the offset in its units, the plants' growth.
    InspectorUpdatePropertiesState(1);
    UpdateSnapOffsetText();
    UpdatePlantGrowthIndicatorLevel();
    Refresh();
    rebuild::RenderAllLayers();
    return 1;
}

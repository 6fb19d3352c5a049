#include "files/undo.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

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
#include "model/objects.h"
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

namespace {

constexpr const char* kNoActionName = " ";
constexpr const char* kFloorNames[3] = {"First Floor", "Second Floor", "Third Floor"};
constexpr int32_t kFloorTags[3] = {kFirstFloorPopUpTag, kSecondFloorPopUpTag, kThirdFloorPopUpTag};

int32_t NextSlot(int32_t slot) { return slot >= gTotalUndos ? 1 : slot + 1; }
int32_t PreviousSlot(int32_t slot) { return slot <= 1 ? gTotalUndos : slot - 1; }

void ShowRestoreFailure() {
    ShowFileAlertSheet("Unable to restore the undo state.", kDiskSpaceText);
}

bool StepSnapshot(bool back) {
    QMDDocumentModel* doc = gCurDocument;
    if (!gUndoActive || !doc || DesignFileBusy()) return false;
    if (doc->itsFirstUndo <= 0 || doc->itsLastUndo <= 0 || doc->itsCurrentUndo <= 0) return false;
    const int32_t distance = back ? CountUndos(doc->itsFirstUndo, doc->itsCurrentUndo)
                                  : CountUndos(doc->itsCurrentUndo, doc->itsLastUndo);
    if (distance < 2) return false;
    const int32_t kept = doc->itsCurrentUndo;
    doc->itsCurrentUndo = back ? PreviousSlot(kept) : NextSlot(kept);
    const bool restored = RestoreState(UndoSnapshotPath(doc->itsCurrentUndo).c_str()) != 0;
    if (!restored) {
        doc->itsCurrentUndo = kept;
        ShowRestoreFailure();
        gUndoActive = 0;
    }
    SelectCurrentFloorInPopUp(doc);
    return restored;
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

// What no step stores besides: the lot and the true north angle (their sheets store none), the
// snap palette's offset, the live view's speed, quality and framing chosen from its menus, the
// tool defaults the inspector panes change, and whether the trace image is shown.
// An Undo of another step takes none of them back.
void KeepUnstoredSettings(const DocState& from, DocState& to, bool lot) {
    KeepViewSettings(from, to);
    if (lot) to.lotRect = from.lotRect;
    to.compassAngle = from.compassAngle;
    to.snapOffset = from.snapOffset;
    to.navigationSpeed = from.navigationSpeed, to.lightSetting = from.lightSetting;
    to.shadowQuality = from.shadowQuality, to.framingView = from.framingView;
    // The tool defaults an inspector pane changes with nothing selected, which store no step
    // (with objects selected their step is for the objects). Those a pane stores a step for
    // alone (roof pitch, stairs, paths, fixtures, beams and piers) come back with it.
    to.wallHeight = from.wallHeight, to.wallPitchA = from.wallPitchA, to.wallPitchB = from.wallPitchB;
    to.wallHeightC = from.wallHeightC, to.wallHeightD = from.wallHeightD;
    to.wallThickness = from.wallThickness, to.wallThicknessA = from.wallThicknessA;
    to.studSpacing = from.studSpacing, to.floorDepth = from.floorDepth, to.foundationWidth = from.foundationWidth;
    to.wallSegmentLength = from.wallSegmentLength, to.autoFlooring = from.autoFlooring;
    to.wallFoundation = from.wallFoundation, to.wallDisplayFlags = from.wallDisplayFlags, to.wallStyle = from.wallStyle;
    to.penStyle = from.penStyle, to.penWidth = from.penWidth, to.editLevel = from.editLevel;
    to.detailDisplayDims = from.detailDisplayDims, to.multigonSides = from.multigonSides;
    to.windowStyle = from.windowStyle, to.windowDivisions = from.windowDivisions, to.windowWidth = from.windowWidth;
    to.windowHeight = from.windowHeight, to.windowElevation = from.windowElevation, to.windowValue = from.windowValue;
    to.doorStyle = from.doorStyle, to.doorWidth = from.doorWidth, to.doorHeight = from.doorHeight;
    to.doorValue = from.doorValue, to.doorValueB = from.doorValueB;
    to.skylightStyle = from.skylightStyle, to.skylightWidth = from.skylightWidth;
    to.skylightLength = from.skylightLength, to.skylightValue = from.skylightValue;
    to.soffitInclude = from.soffitInclude, to.soffitBase = from.soffitBase, to.soffitLeft = from.soffitLeft;
    to.soffitRight = from.soffitRight, to.roofSoffitValue = from.roofSoffitValue;
    to.railHeight = from.railHeight, to.railValueB = from.railValueB, to.fenceStyle = from.fenceStyle;
    std::memcpy(to.fenceSizes, from.fenceSizes, sizeof to.fenceSizes);
    to.gateLength = from.gateLength, to.floorValue = from.floorValue;
    to.deckHeight = from.deckHeight, to.deckRailHeight = from.deckRailHeight, to.balusterSpacing = from.balusterSpacing;
    to.deckSkirting = from.deckSkirting, to.deckRails = from.deckRails, to.deckOpenSteps = from.deckOpenSteps;
    to.deckStepWidth = from.deckStepWidth, to.deckStepSizeB = from.deckStepSizeB;
    to.deckStepLeftRail = from.deckStepLeftRail, to.deckStepRightRail = from.deckStepRightRail;
    to.lightStyle = from.lightStyle, to.lightOn = from.lightOn, to.lightGlow = from.lightGlow;
    to.lightAmbient = from.lightAmbient, to.lightDimmer = from.lightDimmer, to.lightRadius = from.lightRadius;
    to.lightFalloff = from.lightFalloff;
    to.receptacleStyle = from.receptacleStyle, to.receptacleStyle2 = from.receptacleStyle2;
    to.switchStyle = from.switchStyle, to.switchStyle2 = from.switchStyle2;
    // The trace image shown or hidden from the View menu, unless the snapshot holds another
    // image (the step of its load brings it shown).
    if (std::strncmp(from.traceImagePath, to.traceImagePath, sizeof to.traceImagePath) == 0)
        to.traceImageShown = from.traceImageShown;
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
    doc->itsFirstUndo = -1;
    doc->itsLastUndo = -1;
    doc->itsCurrentUndo = -1;
    StoreUndo(kNoActionName);
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
        if (!noAction) port::documentUndo().markChanged(doc);
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
    // The record the snapshot replaces: its view settings stay, its paths tell what to load again.
    const bool hadRecord = doc->itsDocState != nullptr;
    DocState kept{};
    if (hadRecord) kept = *doc->itsDocState;
    {
        FileOperationScope operation;
        if (!OpenInputFile(path)) return 0;
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
    UpdateAllIDCounters();
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
    }
    // The ground follows the terrain objects restored (unless a topography file gives it).
    rebuild::SetLotElevation();
    InspectorUpdatePropertiesState(1);
    Refresh();
    rebuild::RenderAllLayers();
    return 1;
}

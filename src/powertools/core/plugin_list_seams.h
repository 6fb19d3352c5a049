#pragma once
// The plug-in tools loaded by the dispatcher, in load order.
#include <cstdint>
#include <string>
#include <vector>

#include "port/seam.h"

// IDs of the loaded plug-ins; empty until the dispatcher registers its list.
DVX_SEAM(LoadedPlugInIDs, "powertools", port::SeamKind::PlugIn, std::vector<int32_t>())

struct QMDDocumentModel;

// The plug-in dispatcher: finding the plug-ins, listening for their notifications, the plug-in
// holding a document (0 for none) and launching one (false: not launched). Without a
// dispatcher there are no plug-ins.
DVX_SEAM(PowerToolBuildPluginList, "powertools", port::SeamKind::PlugIn, void())
DVX_SEAM(PowerToolRegisterAllServerObservers, "powertools", port::SeamKind::PlugIn, void())
DVX_SEAM(PowerToolEntryForDocument, "powertools", port::SeamKind::PlugIn, int32_t(const QMDDocumentModel* model))
DVX_SEAM(LaunchPowerTool, "powertools", port::SeamKind::PlugIn, bool(int32_t plugInID))
// `forceQuitPowerToolOwnedByDocument:`: ends the plug-in holding the document, unsaved work lost.
DVX_SEAM(PowerToolForceQuitOwnedByDocument, "powertools", port::SeamKind::PlugIn, void(const QMDDocumentModel* model))
// `releaseLockForPowerToolOwnedByDocument:`: the plug-in holding the document lets it go
// (the photo tool, which runs no program of its own, holds it while its open panel shows).
DVX_SEAM(PowerToolReleaseLockOwnedByDocument, "powertools", port::SeamKind::PlugIn, void(const QMDDocumentModel* model))
// Whether a loaded plug-in is free (another design may hold it), and its name (UTF-8).
DVX_SEAM(PowerToolIsAvailable, "powertools", port::SeamKind::PlugIn, bool(int32_t plugInID))
DVX_SEAM(PowerToolName, "powertools", port::SeamKind::PlugIn, std::string(int32_t plugInID))
// The PowerTool launcher's window, run modally until the launcher ends the run.
DVX_SEAM(RunPowerToolLauncher, "powertools", port::SeamKind::PlugIn, void())

class PowerToolEntry;

// Starts the tool's program without waiting for it, with `environment` ("NAME=value") added
// to the program's own; false when the file is no executable or the start failed.
DVX_SEAM(StartPowerToolProcess, "powertools", port::SeamKind::PlugIn,
         bool(const std::string& program, const std::vector<std::string>& environment))
// The open document whose design is `model` ends its window's PowerTool progress sheet;
// false when no open document has that design.
DVX_SEAM(EndPowerToolProgressSheetForDocument, "powertools", port::SeamKind::UserInterface,
         bool(const QMDDocumentModel* model))
// The launcher's row of an entry shows its state again, and the launcher its buttons.
DVX_SEAM(PowerToolEntryUpdateControls, "powertools", port::SeamKind::UserInterface, void(PowerToolEntry* entry))
DVX_SEAM(PowerToolLauncherUpdateButtonStates, "powertools", port::SeamKind::UserInterface, void())

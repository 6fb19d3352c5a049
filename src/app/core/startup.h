#pragma once
// The start-up state that outlives every document, and the rules the application delegate
// applies to tools, menus and palettes.
#include <cstdint>
#include <string>

// Set when the private support folder could not be made: snapshots have nowhere safe to go,
// so every document then starts with undo off whatever "UndoEnabled" says.
extern uint8_t gSupportFolderUnavailable;
// The photo-view plug-in's path; emptied at start-up.
extern std::string gRorozErudPath;

// Makes the user's content folders where missing, then the support folder; when the support
// folder fails, marks undo off for later documents and tells the user, once per run.
void InitializeSupportPath();
// Whether a new document keeps undo snapshots ("UndoEnabled" and a usable support folder).
bool NewDocumentUndoEnabled();
// The globals `init` sets: feature masks, fonts, plug-in path, dispatcher, line buffer, and
// every folder's trackers in the tool table.
void InitializeApplicationGlobals();
// Fills the tables through which lower folders reach higher ones: the rebuild table
// (model/rebuild_table.h) from every folder that builds 3D pieces, the walkers' command rows,
// the point tools' presses and the key-entry tool, the plan's selection feedback and its point
// evaluation. Part of InitializeApplicationGlobals; tests, fuzzers and benchmarks call it themselves.
void RegisterLogicTables();

// Tools that stay current after a click instead of going back to the standard tool.
bool ToolStaysArmed(int16_t tool);
// With `force`, or for a tool that does not stay armed, makes 200 current. True when the
// tool became 200 (the palettes then show the standard tool).
bool ResetStandardToolState(bool force);

// Menu items answered by the delegate: enabled with a document no plug-in holds and at least
// one document window that is not miniaturised.
bool DelegateMenuItemsEnabled(bool hasDocument, int32_t plugInHoldingDocument, int deminiaturizedWindows);
// The title of items 14000-14004 ("Hide ..." only for a visible panel with the item enabled);
// empty for other tags.
std::string PanelMenuItemTitle(int32_t tag, bool panelVisible, bool enabled);

// A window frame with its origin at the bottom left, y upwards.
struct BottomLeftFrame {
    double x = 0, y = 0, width = 0, height = 0;
};
// First-launch origins: the plan palette in the top left corner 5 points in, the edit palette
// 5 points below it. `visible` is the screen's visible frame.
void InitialPaletteOrigins(const BottomLeftFrame& visible, BottomLeftFrame* edit, BottomLeftFrame* plan);

// The status text after a plant growth step (level in steps: 1-3 quarters, then years + 3).
std::string PlantGrowthStatusText(int level);

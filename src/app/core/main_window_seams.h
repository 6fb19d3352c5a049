#pragma once
// What the model asks of the main document window and its controls. Until the shell
// registers them the calls do nothing.
#include <cstdint>
#include <string>

#include "port/seam.h"

class Base2DView;
struct CommandWindow;
struct SelectionState40;

// `setElevationPane:` of the main window controller: the pane showing the base elevation of
// the selection (nothing is shown for no selection or a window that is not a document window).
DVX_SEAM_GUARDED(MainWindowControllerSetElevationPane, "app", port::SeamKind::UserInterface, port::NoNullPointer,
                 nullptr, void(const SelectionState40* selection))

// Item tags of the three floors of the active-floor pop-up.
inline constexpr int32_t kFirstFloorPopUpTag = 5275;
inline constexpr int32_t kSecondFloorPopUpTag = 5276;
inline constexpr int32_t kThirdFloorPopUpTag = 5277;

// Selects the item with the tag in the main window's active-floor pop-up (after an undo or
// redo changed the current floor).
DVX_SEAM(SelectActiveFloorPopUpItem, "app", port::SeamKind::UserInterface, void(int32_t tag))

// Selects the main window's plan tab of the plan bit (1 foundation ... 256 detail), as a click
// on it would: the tab's own handler then changes the plan worked on.
DVX_SEAM(MainWindowSelectPlanTab, "app", port::SeamKind::UserInterface, void(int32_t planBit))

// Closes whatever sheet is attached to the main document window, so that an alert about a
// file can take its place.
DVX_SEAM(CloseMainWindowSheet, "app", port::SeamKind::UserInterface, void())

// Makes the standard selection tool current again after objects moved to another floor or
// were pasted.
DVX_SEAM(ResetStandardTool, "app", port::SeamKind::UserInterface, void(uint8_t flag))

// Switches the plan window to the top (plan) view: `viewTop` of the command layer, asked for
// by a paste made while another view is shown.
DVX_SEAM(ViewTop, "app", port::SeamKind::UserInterface, void())

// The plan view of the main document window, asked by plan text, alerts and trackers; the
// shell registers the lookup at start-up. Without it there is no view (null).
DVX_SEAM(MainWindowDocumentView, "app", port::SeamKind::UserInterface, Base2DView*())

// `updatePlantGrowthIndicatorLevel` of the document window and the plan tool palette.
DVX_SEAM(UpdatePlantGrowthIndicatorLevel, "app", port::SeamKind::UserInterface, void())
// `updateSnapOffsetText` of the snap palette: its field shows the stored offset in the design's
// units.
DVX_SEAM(UpdateSnapOffsetText, "app", port::SeamKind::UserInterface, void())

// The document cursor of the plan view's scroll view.
enum class PlanCursor { Arrow, Crosshair, Zoom, OpenHand, ClosedHand, PointingHand };
DVX_SEAM(PlanViewDocumentCursor, "app", port::SeamKind::UserInterface, void(PlanCursor cursor))
// The plan view's move, rotate and zoom sheets (a double click on their tools).
DVX_SEAM(PlanViewMoveObjects, "app", port::SeamKind::UserInterface, void())
DVX_SEAM(PlanViewRotateObjects, "app", port::SeamKind::UserInterface, void())
DVX_SEAM(PlanViewSetPlanZoom, "app", port::SeamKind::UserInterface, void())
// The main document window, for the sheets that open on it rather than on the window of a
// command (the curve tension sheet of the panes' adjust-curve buttons); null without one.
DVX_SEAM(MainWindowCommandWindow, "app", port::SeamKind::UserInterface, CommandWindow*())
// `beginPowerToolProgressSheetForEntry:` of the main window controller: the sheet shown while
// the named PowerTool holds the design.
DVX_SEAM(BeginPowerToolProgressSheet, "app", port::SeamKind::UserInterface, void(const std::string& plugInName))

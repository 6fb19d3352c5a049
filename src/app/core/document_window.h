#pragma once
// The document window controller's work on the model, free of the platform: where the window
// goes beside the palettes, the plan tabs, the elevation pane and slider, the trace image
// panel's end and the live view's camera and scene when a window loads or becomes main.
#include <cstdint>
#include <string>

#include "app/core/startup.h"

struct DocState;
struct SelectionState40;

// The plan of the selected plan tab, 0 foundation ... 8 detail (its plan bit is 1 << index).
extern int16_t gCurToolSet;
// Read by the plan drawing: the elevation pane shows a common elevation, or nothing is selected.
extern uint8_t gDrawElevation;
extern uint8_t gDrawElevationNoSelection;

// The window's frame beside the palettes (frames with the origin at the bottom left). Until
// the launch is over it moves right of the edit and snap palettes docked at the left edge
// (null: not shown, or on another screen), else to x = 5; it always spans the visible
// height, less a plan palette at the top or bottom edge (null: not shown). The frame stays
// within the visible area, cut to what fits.
BottomLeftFrame PlaceDocumentWindow(const BottomLeftFrame& visible, const BottomLeftFrame& window,
                                    const BottomLeftFrame* editTools, const BottomLeftFrame* snapTools,
                                    const BottomLeftFrame* planTools, bool launched);

// Plan tab `index` chosen: the plan worked on, its stored visible plans, the standard tool,
// nothing selected. The caller redraws and loads the plan palette.
void SelectPlanTab(int16_t index);

// What the elevation pane shows for the selection's summary; `shown` false leaves slider and
// text as they are (mixed elevations, or no document).
struct ElevationPane {
    bool shown = false;
    bool knob = false;   // the value lies within the slider's -10 .. 20
    float value = 0;     // feet, or metres in a metric design
    long rounded = 0;
};
ElevationPane ElevationPaneFor(const SelectionState40* selection);
// "12'" in an imperial design, "12" in a metric one.
std::string ElevationIndicatorText(long value);
// The slider let go at a whole value: the working elevation with nothing selected, the
// selection's elevation when it agrees, else a sheet asks first.
void ApplyElevationSlider(long value);
// The end of that sheet: button 0 elevates the selection.
void ElevateObjectSheetDidEnd(int button);

// The trace image chosen in the open panel (empty: cancelled). A file that does not load, or
// whose path does not fit the design's path field, leaves no image and says so.
void FloorplanTraceOpenPanelDidEnd(const std::string& path);
// The 3D object file chosen (empty: cancelled): read onto the current floor in the top view,
// centred on the lot and grouped, as one undo step. A file that cannot be read stores none.
void Import3DObjectOpenPanelDidEnd(const std::string& path);
// The VRML file named in the save panel (empty: cancelled).
void ExportVRMLSavePanelDidEnd(const std::string& path);

// The live view's camera from the settings record: walking looks 1000 ahead along the heading,
// flying sits on the orbit; the backdrop follows, and the live view redraws.
void SetUpLiveViewCamera(const DocState* docState);
// The scene emptied and built again from the floors.
void RebuildLiveViewScene();

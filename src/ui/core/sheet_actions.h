#pragma once
// What the OK of the move, rotate, elevation, ceiling height, true north, grid, curve tension
// and trace image sheets does to the current document, with the values the sheet read
// (lengths in inches, angles in degrees unless told). Each does nothing without a current
// document, its settings record, or (where it walks objects) its floors.
#include <cstdint>

#include "model/types.h"

struct Layer;

// The whole degree nearest the angle, 0 outside 0 to 360. Stores no undo step and does not
// redraw, but the document reads as changed (closing asks to save).
void SetTrueNorthAngle(float degrees);

// Offsets typed in a move sheet: rectangular (X and Y) or polar (angle and distance).
enum class MoveMode { Rectangular = 0, Polar = 1 };
// Moves the selected, unlocked points of the shown floors (`wholePlan`: every point of
// them) by the offset in plan coordinates, a positive Y or a 90 degree angle up the plan. A
// zero offset moves nothing and stores no step. True when something was applied.
bool MoveByTypedOffset(bool wholePlan, MoveMode mode, float first, float second);
// Turns the selected objects of the shown floors (`wholePlan`: every object on them) about
// the centre of the selected points, the plan origin when none is selected. A zero angle
// turns nothing and stores no step. True when something was applied.
bool RotateByTypedAngle(bool wholePlan, float angle, bool radians);

// The selected top-level objects of the shown floors take gDLOGElevation (inches), or float
// above the terrain when gDLOGTopoFloat is set; the elevation pane follows and one step
// "Object Elevation" is stored. True when some object could not float (the caller says so
// once its sheet has closed).
bool SetSelectedObjectElevation();
// An elevation strictly between -1201 and 1201 inches becomes the working elevation; any
// other is ignored. Either way the elevation pane follows and "Working Elevation" is stored.
void SetWorkingElevation(float inches);

enum class CeilingHeightResult { Unchanged, Changed, OutOfRange };
// 12 to 1000 inches become the floor's height: the working elevation follows the current
// floor, the scene is rebuilt and a step named after the floor is stored (none for a layer
// of another name).
CeilingHeightResult SetCeilingHeight(Layer* layer, float inches);
// The floor's step name ("First Floor Ceiling Height" ...), or null for another layer.
const char* CeilingHeightUndoName(const Layer* layer);

// A grid or snap spacing held to 1/16 inch (imperial designs) or 1 cm, and 500 inches.
float NormalizeGridSpacing(float inches);
// Stores the style and the spacings (held as above) when any differs; true when stored.
bool SetGridProperties(int16_t style, FloatPoint grid, FloatPoint snap);

// Smooths the selected objects of the shown floors with the tension (held to 0 to 10),
// remembered in gTension; the design's own tension stays as it was.
void SmoothSelectedWithTension(int32_t tension);

// New trace image scales (1 = 100 %); true when they differ from the stored ones and were
// stored.
bool SetTraceImageScale(float horizontal, float vertical);

// The alerts that follow a sheet once it has closed.
void ShowObjectsCannotFloatAlert();
void ShowInvalidCeilingHeightAlert();

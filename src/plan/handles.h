#pragma once
// The handles the plan shows on the selection after the floors are drawn: a box with corner
// handles on each selected object, or a handle on each selected point while the tool edits
// points (with the selection lines of doors, windows, steps, slope arrows and stairs).
// While the key-entry tool is current, point handles are round and alternate red and green.
#include <cstdint>

#include "port/winrecords.h"

struct Float3DRect;
struct Layer;
struct Objex;
struct Poinz;

// The sign of the next key-entry handle's colour (above 0: red); 1 at start, reversed after
// every key-entry handle.
extern int16_t gKeyEntrySelectionFlag;

// Every visible layer from `first` on. Nothing without a rectangle (its extent is not read).
void DrawAllLayerHandles(Layer* first, const RECT* rect);
// One layer; nothing when it is missing or hidden.
void DrawLayerHandles(Layer* layer, const RECT* rect);
// One object and, under a point-oriented tool, its children.
void DrawObjectHandles(Objex* object, const RECT* rect);
// The object's box and its corner handles; a roof also labels its points' elevation.
void DrawObjectFrameHandles(Objex* object);

// The view area the selection's handles and selection lines take on the visible layers from
// `first` on, in view coordinates; empty when nothing is selected. False when it cannot be
// told cheaply: not a plain top view, a large selection, or objects whose handles carry
// labels (roofs, roof panels, topography lines, lots).
bool SelectionHandlesArea(Layer* first, RECT* area);

// A 7 x 7 square handle in the focus-indicator colour outlined in black, reaching 3 left and
// above and 4 right and below the projected model point. `dc` and `flag` are not read.
void PlotHandle(void* dc, float h, float v, float d, uint8_t flag);
// A 9 x 9 round handle, red when the flag is above 0 else green; the point keeps the flag as
// its key-entry mark. Nothing for a null point.
void DrawKeyEntryPointHandle(Poinz* point, int16_t flag);
// The point's handle: under the key-entry tool a key-entry handle (flipping the flag), else a
// square handle and, for topography lines, freehand roofs and lots, the point's label.
void DrawPointHandle(Poinz* point, uint8_t flag);

// The box as a wire frame in the current view, 2 wide in the focus-indicator colour: its top
// face in the plan view or when flat in height, four edges when flat in width or depth,
// otherwise twelve. While gTransformationDrawing is set it becomes a transform element of the
// main plan view's engine (nothing without one); otherwise it is stroked at once. `dc` is not
// read.
void DrawCube(void* dc, const Float3DRect* bounds);

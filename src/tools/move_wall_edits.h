#pragma once
// What the move tool does to walls at the release of a drag: the walls that met a moved
// segment follow it, and a dragged free end joins another wall's free end, closes the wall
// on itself or stops at the walls it runs into. Lengths are plan units.
#include "model/types.h"
#include "port/winrecords.h"

struct Layer;
struct Objex;
struct Poinz;

// Every other open wall of the layer whose first or last point lay on the segment oldA-oldB
// (its end segment crossing that line within the segment's extent widened by the moved
// wall's thickness, and within that thickness of the end) is moved along its end segment so
// that it keeps its former gap to the line, now newA-newB, and rebuilt. Crossings at or
// beyond +-30000 count as none. The number of walls re-fitted.
int RefitMeetingWalls(const Objex* moved, FloatPoint oldA, FloatPoint oldB, FloatPoint newA, FloatPoint newB,
                      Layer* layer);

// The dragged end of a wall at the release, where `opposite` is its neighbour and the wall's
// points stood at `savedOpposite` and `savedEnd` before the drag.
struct WallEndDrag {
    Objex* wall = nullptr;
    Poinz* end = nullptr;
    Poinz* opposite = nullptr;
    bool fromStart = false;
    Float3DPoint savedOpposite, savedEnd;
};

// The drop at view point `at` of the current layer: onto a free end of another wall, the two
// become one (with `meet`, their end segments meeting at their crossing first); onto an end
// of another wall that is closed or no end, nothing more; onto the wall's own other end, the
// wall closes, its first point kept; otherwise the end stops at the walls it crosses and a
// segment left under 20 goes back to where it was. A dragged first point shifts the
// attachments of the first segment by what the drop changes of its length, so they keep their
// place from its far end. The click record is used for the hit test
// at the pick tolerance of 20 zoomed units (restored after). The wall that holds the end
// afterwards: another wall when the dragged one was merged into it (and deleted).
Objex* DropWallEnd(const WallEndDrag& drag, POINT at, bool meet);

// Closes an open wall of three or more points whose last point meets its first: with `meet`
// both ends go to the crossing of the first and last segments' lines, otherwise a dragged
// first point takes the last point's place; the records naming the last point name the
// first, and the last point goes.
void CloseWallOnFirstPoint(Objex* wall, bool firstDragged, bool meet);

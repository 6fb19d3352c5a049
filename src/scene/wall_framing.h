#pragma once
// The framing view's lumber: studs, plates, headers, cripple studs and foundation blocks of a
// wall, and the trusses of an outline roof. Every face is a scene plane object (surface kind
// 37) whose source and base object is the framed object, so rebuilding it removes them.
// Plan units; a level h above V lies at V - h.
#include "model/planar_polygons.h"

struct Objex;
struct DocState;

using FramePoint = PolygonVertex;  // H, V, D (texture coordinates unused)

// One four-corner face each; a corner equal to the one before is dropped, fewer than three
// corners build nothing. `vertical`: the stud's texture height runs in x and vertical.
void BuildStudPlane(const FramePoint* c0, const FramePoint* c1, const FramePoint* c2, const FramePoint* c3,
                    Objex* source, bool vertical);
void BuildHeaderPlane(const FramePoint* c0, const FramePoint* c1, const FramePoint* c2, const FramePoint* c3,
                      Objex* source);
void BuildFoundationPlane(const FramePoint* c0, const FramePoint* c1, const FramePoint* c2, const FramePoint* c3,
                          Objex* source);

// A stud 10 across and 2.5 along `angle` from the bottom point up to the top point.
void FrameVerticalStud(float angle, const FramePoint& bottom, const FramePoint& top, Objex* source);
// A plate 10 across and 2.5 thick rising from the points' level.
void FrameStud(const FramePoint& start, const FramePoint& end, Objex* source);
// Blocks 6 across from `offset` above the points' level up by `height`.
void FrameWallHeader(const FramePoint& start, const FramePoint& end, float offset, float height, Objex* source);
void FrameFloorFoundation(const FramePoint& start, const FramePoint& end, float offset, float height, Objex* source);
// Studs along start->end between the two levels, at each stud spacing and, when asked, at
// the ends.
void FrameWallStuds(const FramePoint& start, const FramePoint& end, float bottom, float top, Objex* wall,
                    const DocState* ds, bool studAtStart, bool studAtEnd);
// The whole wall, segment by segment, framed round its doors and windows.
void FrameWindowsAndDoors(Objex* wall);

#pragma once
// A wall reaches the scene as the quads between the two rows of its solid (the outline of both
// faces at full thickness, tools/wall_construction.h), each built as the face under
// construction (gCurPlaneObject) by RenderBicubicSurface. Here each quad becomes a finished
// wall face: the segment and side it belongs to give it that side's materials, its doors and
// windows (as masks, scene/opening_cutters.h), its mouldings and paneling
// (scene/wall_trims.h) and the top outline of the segment's shape; where neighbouring
// segments differ, grey caps close the step; and once every face is done, grey tops close the
// wall from above along each segment (nothing else does: the wall's outline faces lie at its
// base).
//
// A face runs from its first edge to its last: vertices first-edge bottom, first-edge top,
// last-edge top, last-edge bottom. Side 0 of a segment runs from its end back to its start,
// side 1 from its start to its end.
#include <cstdint>
#include <utility>
#include <vector>

#include "scene/plane_object.h"

struct Objex;
struct Poinz;

// Where a column of the solid's quads lies on the wall.
struct WallFaceSlot {
    enum Kind : uint8_t {
        kNone,          // a wall of fewer than two points: the quad stays as built
        kSegment,       // a side of segment `segment`
        kEndFace,       // the end of an open wall at its last point
        kClosingColumn, // across a closed wall where its outline closes
    };
    Kind kind = kNone;
    int32_t segment = 0;
    int16_t side = 0;
    // On side 1, the solid's point that with the face's first corner spans the wall's
    // thickness at the segment's end; -1 when that end takes no step caps.
    int32_t capCorner = -1;
    // The column that wraps round to the solid's first point: it runs across the wall, so no
    // opening of segment 0 is masked in it.
    bool acrossWall = false;
};

// The slot of the quads of `column`. With m the solid's points, an open wall of n = m / 4
// points has side 0 of segment c at column c up to n - 2, its end face at n - 1 and side 1 of
// segment m / 2 - c - 2 after that; a closed wall of n = m / 4 - 1 points has side 0 of segment
// c up to n - 1, its closing column at n and side 1 of segment 2n - c after. The column that
// wraps round to the solid's first point counts as side 1 of segment 0 and takes no caps and no
// openings.
WallFaceSlot GetWallFaceSlot(const Objex* solid, const Objex* wall, int32_t column);

// Finishes the face under construction, built from the quad corner1 (row 0, column), corner2
// (row 1, column), corner3 (row 0, column + 1), corner4 (row 1, column + 1) of the wall's
// solid, `facePlane` its plane:
// - materials of the segment start's sides (side 0 shows the second side in front), each
//   pointing back at the point's fields, and the segment start and trim record of the side;
// - the segment's doors and windows by centre distance, and the side's trims;
// - the top rebuilt by the segment's shape code 0-11 from its heights and pitches over the
//   base offset (a pitch of 0 gives its slope no run); in an elevation view a flat face hides
//   its top edge, and its bottom edge unless the wall stands on the first floor;
// - in the framing view a flat face loses its planes (the caller drops the piece) and a shaped
//   one shows lumber;
// - end faces and closing columns reach their segment's height; on side 1 two grey caps close
//   a step in height, base or shape at the segment's end (appended to the scene, owned by the
//   wall).
// Nothing without a document, the wall, its solid, the corners, the face or a face under
// construction.
void CarveWindowsAndDoors(Objex* solid, Objex* wall, Poinz* corner1, Poinz* corner2, Poinz* corner3,
                          Poinz* corner4, int32_t column, Plane* facePlane);

// A cell of a wall's solid whose corners carry tangents is built as strips, each its own
// piece (scene/surfaces.cpp). This tells the strips how high they stand and closes them like a
// flat face: a side of a segment stands under the segment's top outline (its shape code, as
// measured along the cell's bottom) and notes its top edge for the wall's top; an end face or
// closing column reaches its segment's height as a flat one does; on side 1 the step caps
// follow. Strips of a cell that is no wall solid's stay as built (valid() is false).
class CurvedWallCell {
public:
    // `corner1` is the cell's row-0 corner of its column, `length` the length of its bottom
    // from there to the next column.
    CurvedWallCell(Objex* solid, Poinz* corner1, float length);
    bool valid() const { return valid_; }
    // In the framing view a plain segment's side shows its lumber instead: no strips.
    bool dropped() const { return dropped_; }
    // The height over the bottom at `along` plan units from corner1 along the bottom.
    float rise(float along) const;
    // The base elevation the strips stand on.
    float baseElevation() const { return baseElevation_; }
    // The strips' top corners in order from corner1: the wall's top is noted from them and the
    // caps are added.
    void finish(const std::vector<PlaneVertex>& top);

private:
    bool valid_ = false;
    bool dropped_ = false;
    Objex* solid_ = nullptr;
    Objex* wall_ = nullptr;
    Poinz* corner1_ = nullptr;
    WallFaceSlot slot_;
    Poinz* start_ = nullptr;
    Poinz* end_ = nullptr;
    float length_ = 0;
    float baseOffset_ = 0;
    float endRise_ = 0;  // end faces and closing columns: one height
    float baseElevation_ = 0;
    std::vector<std::pair<float, float>> outline_;  // (from the segment's start, height)
};

// The tops of a wall: CarveWindowsAndDoors (and a curved cell's finish) notes the finished top
// edge of each side face of a segment between these two calls; CloseWallTops appends, for every
// segment whose two sides were noted, a grey piece spanning the wall's thickness between their
// top edges (one quad per stretch of the top outline, or triangles zipped along both edges
// where a curved side has more corners than the other), owned by the wall and standing on the
// segment's base.
void StartWallTops();
void CloseWallTops(Objex* wall);

#pragma once
// Doors and windows in a wall face. The face is never cut: each opening adds a mask, coplanar
// with the face, to the mask list of the face under construction (gCurPlaneObject), which the
// renderer writes into the stencil before it draws the face; the opening's casings go into the
// face's trims.
//
// Every cutter takes the same arguments: the face plane (its normal is the mask's), `angle`
// the plan direction from the face's last-edge bottom R (`reference`) to its first-edge bottom,
// `faceLength` that distance, the opening's record, the face `side` (0 runs from the segment's
// end back to its start, 1 from its start to its end), `offset` the shift of the segment start
// along the face, `segmentHeight` (unused by the cutters) and the base offset, all plan units.
// The opening's centre lies offset + centre distance from R, or faceLength less that on side 1;
// its outline stands on the base offset plus the record's elevation. Cutters that follow the
// record's side flag draw their outline mirrored when it is set, and those that follow its
// direction flag (1) turn it upside down. Each cutter but the custom one also stores the
// outline on the record (BuildGenericMaskObject). Nothing is done without the face, R, the
// record or a face under construction.
#include <cstdint>

#include "scene/plane_object.h"

struct AttachmentRecord;

inline constexpr uint16_t kOpeningMaskKind = 61;

using OpeningCutter = void(Plane* facePlane, float angle, float faceLength, PlaneVertex* reference,
                           AttachmentRecord* record, int16_t side, float offset,
                           float segmentHeight, float baseOffset);

// A rectangle 1.0 wider on each side and 1.0 lower than the opening (doors reach below the
// floor line); none above.
OpeningCutter CarveRectangle;
// 36 points round a circle as wide as the opening, standing on its base (height unused).
OpeningCutter CarveCircle;
// A square as wide as the opening with its corners cut by 0.3 of the width (1.0 at width 0).
OpeningCutter CarveOctagon;
// A parallelogram as high as wide, slanting by a quarter of the width (1.0 at width 0).
OpeningCutter CarveParallelogram;
// 619: a house-shaped pentagon, its peak half the width above its eaves; 618: only the gable.
OpeningCutter CarvePentagon;
// 614, 615: a trapezoid sloping up across the full width; 616, 617: only the triangle.
OpeningCutter CarveTriangleCorner;
// 611, 612: one top corner chipped by half the width; 613: both by a quarter.
OpeningCutter CarveChipCorner;
// A quarter ellipse (10-degree steps) from one side up to the other side's top.
OpeningCutter CarveQtrArch;
// A half ellipse (10-degree steps) on straight sides, or springing from the base.
OpeningCutter CarveArch;
// The custom door's or window's own outline objects (the record's first list), each copied,
// scaled from the definition's size to the opening's (an axis of size 0 stays as drawn),
// stood off the wall's centre to this face and tessellated; the user's objects, selection,
// curve resolution and view kind are left as they were.
OpeningCutter CarveCustomShape;

// Mirrors the vertices in place about the middle of their x range (`horizontally` 1) or of
// their y range (0). Nothing for a plane without vertices.
void FlipPlane(Plane* plane, int16_t horizontally);

// One opening: the cutter of its style code (nothing outside 500-626), then its casings. Side
// 1 is cased outside by the outside profile when one is chosen, else by the standard casing
// (circles and parallelograms get the standard casing and the profile on it); side 0 is lined
// across the wall first, then cased inside likewise. An outline that only a standard casing of
// a standard style used is freed once cased; a custom profile or a custom style keeps it.
void CarveDoorWindowAttachment(Plane* facePlane, float angle, float faceLength,
                               PlaneVertex* reference, AttachmentRecord* record, int16_t side,
                               float offset, float segmentHeight, float baseOffset);

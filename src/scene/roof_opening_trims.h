#pragma once
// The trims that frame the openings carved into roof sections: a curb of four-high bands and
// a cap round a skylight on either surface of its section, and a plain band round a dormer
// cut-out. Each plane is a scene piece of its own under the face being built
// (gCurPlaneObject's source object); it shows the record's trim material and writes a
// material dropped on it back into the record. Picks on it resolve to the record's
// `attachment`. Without a face under construction nothing is built.
//
// Heights are plan V (growing downward) measured from the section's surface at each vertex's
// own plan position: the curb stands from 12 to 16 above the surface on top, from 12 above to
// 2 below underneath; a cut-out's band from the surface to 12 above.
#include <cstdint>

#include "model/planar_polygons.h"

struct Objex;
struct PlaneObject;
struct RoofAttachmentRecord;

// Piece kinds of the roof opening trims.
namespace rooftrim {
inline constexpr uint16_t kTopCap = 1;      // first material
inline constexpr uint16_t kBottomCap = 2;   // second material
inline constexpr uint16_t kTopBand = 4;
inline constexpr uint16_t kBottomBand = 5;
inline constexpr uint16_t kCutoutBand = 6;  // no colour
} // namespace rooftrim

// One piece of one plane of `count` vertices, its normal from the first three. A skylight's
// record gives both faces its first material for `materialSide` 1, else its second; a
// cut-out's record shows no colour. The piece joins the scene; the vertex array is owned from
// the call on and freed when no piece can be made (null then).
PlaneObject* CreateRoofAttachmentTrimPlane(RoofAttachmentRecord* record, PolygonVertex* vertices,
                                           int32_t count, int16_t materialSide, uint8_t band);

// The curb round the skylight's outline on the upper (top) or lower (bottom) surface: a band
// on every outline edge, one on every edge of the outline grown by the trim width, and a cap
// between the two. Nothing without the record, its roof and the section's plane, for fewer
// than two points, or when the grown outline cannot be made.
void BuildTopSkylightTrimPlanes(Objex* skylight);
void BuildBottomSkylightTrimPlanes(Objex* skylight);
// The same round one outline part (61) of a custom skylight.
void BuildTopCustomSkylightTrimPlanes(Objex* skylight, Objex* outline);
void BuildBottomCustomSkylightTrimPlanes(Objex* skylight, Objex* outline);
// A band 12 high on every edge of the cut-out, in the second material's texture.
void BuildDormerCutoutTrimPlanes(Objex* cutout);

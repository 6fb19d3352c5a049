#pragma once
// The two face builders every object's 3D form is made of: an outline as one flat polygon,
// and one cell of a point grid as a quad or, where its corners carry tangents, as strips of a
// bicubic patch. They add planes to the piece under construction (gCurPlaneObject) and fill
// its materials: the texture and colour of each side, the model fields they came from (so a
// material dropped on the face in 3D is written back there) and the texture repeats.
//
// Model points are never moved: where a face needs other heights it builds copies.
#include <cstdint>

#include "model/types.h"
#include "scene/plane_object.h"

struct Objex;
struct Poinz;

// Types an object is built under for one call, beside its own type code.
namespace buildtype {
inline constexpr int16_t kWallOutline = 36;      // a wall's outline as a capped face
inline constexpr int16_t kWallOutlineLayer = 46; // the same, once more for the wall's layer
inline constexpr int16_t kFloorUnderside = 47;   // a floor, outside the framing view
inline constexpr int16_t kFloorCutout = 127;     // a floor cut-out
inline constexpr int16_t kCabinetUnderside = 139;
} // namespace buildtype

// The outline of `count` points from `first` as one flat plane of the piece under
// construction, its normal facing the front (`front` non-zero) or the back. The piece (when
// there is one) becomes a planar surface with the materials the object's type takes its faces
// from; floors, cut-outs, cabinets and wall outlines stand on the object's thickness. Nothing
// for fewer than three points. `color` is the caller's: it colours the piece itself.
void RenderPlanarSurface(Poinz* first, int32_t count, RGBColor color, uint8_t front, Objex* object);

// One cell of a point grid: p00 and p01 neighbours in a row, p10 and p11 the points of the
// next row under them; `link` builds the patch across rows (else round one outline). A cell
// whose corners have no tangents is one quad of the piece under construction (made when there
// is none), left for the caller to carve and append; a wall's cell rises to the wall's height.
// A curved cell becomes strips of the patch, each its own piece, appended at once.
void RenderBicubicSurface(Poinz* p00, Poinz* p10, Poinz* p01, Poinz* p11, uint8_t link,
                          Objex* object);

// The normal of a flat polygon by Newell's method: every edge counts, so corners in line
// (a point in the middle of an edge) do not matter. Its direction follows the vertex order by
// the right-hand rule; its length is twice the area. Zero for fewer than three vertices.
Float3DPoint PolygonNormal(const PlaneVertex* vertices, int32_t count);

// The quad a-b-c-d (tags 1 to 4) appended to the piece under construction: v 1 at a and d,
// 0 at b and c; u from running lengths over the perimeter (0 counts as 1), at a and b the one
// at d, at c and d the one at a, or, when the ones at a and b are both 0 (a closing cell or a
// strip), the one at d plus the length d-a.
void RenderMeshPlane(const Float3DPoint& a, const Float3DPoint& b, const Float3DPoint& c,
                     const Float3DPoint& d, float perimeter, Objex* object, float lengthAtD,
                     float lengthAtA, float lengthAtB);

// The height (plan units) of the wall segment that starts at `point`, at its start (`end` 1)
// or its end (any other value), by the segment's shape code. 0.0 without a next point (the
// last point of a closed wall measures to the first), a document or a settings record.
double GetWallHeight(const Poinz* point, int16_t end);

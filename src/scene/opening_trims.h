#pragma once
// The trim planes round a door or window opening: the lining across the wall's thickness and
// the casing swept from a profile round the opening on either face. Each plane is a scene
// piece of its own under the object being rendered (gBase2DObject), showing the opening's
// trim materials and writing a material dropped on it back into the opening's record; picks
// on it resolve to GetAttachmentObjectHdl.
//
// Outlines are the opening's mask objects (the record's first part list): x along the wall,
// y the height, z across it. Profiles are (H, V, D) triples: H the depth off the wall face,
// D the offset out from the opening's edge, both measured from the first point.
#include <cstdint>

struct AttachmentRecord;
struct Float3DPoint;
struct Objex;

// Piece kinds of the trim planes.
namespace openingtrim {
inline constexpr uint16_t kFrontCasing = 1;  // inside material
inline constexpr uint16_t kBackCasing = 2;   // outside material
inline constexpr uint16_t kLining = 3;
// The texture of trims without a record.
inline constexpr int32_t kPlainTexture = 2203;
} // namespace openingtrim

// One plane per edge of every mask outline, spanning the wall's thickness, turned by `angle`
// onto the segment at the opening's centre. `elevationOffset` and the record's elevation are
// taken off the outline's heights. With `custom` the outline is stretched from the custom
// definition's size to the record's (an axis without a natural size stays as drawn). Curves
// are flattened at the render smoothness; the document's step count is given back.
void BuildInnerTrimPlanes(AttachmentRecord* record, float angle, float elevationOffset,
                          int16_t custom);

// The casing round one mask outline: bands between offsets of the outline, one per profile
// edge but the first, `halfThickness` off the wall's centre line and on the back face for
// `backFace`, turned by `angle` and moved to (originH, originD). Nothing for an outline of
// fewer than two points or a profile of fewer than three. The mask is left as it was.
void BuildCustomTrimPlanes(AttachmentRecord* record, Objex* mask, const Float3DPoint* profile,
                           int32_t count, float angle, float originH, float originV,
                           float originD, float halfThickness, float elevationOffset,
                           int16_t backFace);

// The outline grown outward by each profile point's offset after the first: count - 1
// contours chained by their next links in profile order, the last one's next being `outline`
// itself. `depths` (count values) receives each contour's depth, the outline's (last) 0.
// Null, with nothing made, for fewer than three points or when memory runs out. The caller
// frees the chain without the outline, or with it when the outline is its own.
Objex* BuildTrimContours(int32_t count, const Float3DPoint* profile, Objex* outline,
                         float* depths);

// One plane per edge for each neighbouring pair of the chain (an open outline gets none
// across its ends). Kind 2 on the back face, 1 on the front; without a record the planes
// show the plain texture.
void BuildTrimPlanesFromContours(AttachmentRecord* record, Objex* firstContour, Objex* outline,
                                 const float* depths, float angle, float originH, float originV,
                                 float originD, float halfThickness, float elevationOffset,
                                 int16_t backFace);

// What a pick on the record's trims selects: the parent of the first piece, for a custom
// door or window the parent of the first object of the first part list that has one (mask
// list first, then the third, second, fourth to seventh); the rendered object otherwise.
Objex* GetAttachmentObjectHdl(const AttachmentRecord* record);

#pragma once
// Doors, windows, accessories and wall components follow their wall: after every change of the
// wall each is laid again at its stored centre distance along its segment, or removed when the
// segment can no longer hold it. An attachment fits a segment of length S when its width W and
// centre distance c give S + 5 > W, c >= W / 2 and c + W / 2 <= S + 5.
#include <cstdint>

struct Layer;
struct Objex;
struct Poinz;

// How far an attachment may reach along the segment: its length + 5. Writes 0 and the length
// as the placement range; 0 (outputs untouched) for a missing argument. The click point is
// not used.
float GetWallSegmentWorkingLength(float clickH, float clickD, const Poinz* segmentStart, const Poinz* segmentEnd,
                                  float* rangeStart, float* rangeLength);

// Lays an attachment from its record, as every attachment tool and every refit does: its points
// on the segment (a third point its height off the wall on its side, an accessory's its wall
// offset, at least 6, beyond the wall's face), its faces mapped and lengths measured as a read
// does, its bounds and frame. Nothing without its wall, its record or both segment points.
void LayWallAttachment(Objex* attachment);
// Refits one attachment of a wall: kept and laid again (LayWallAttachment), returning 0; or
// deleted, returning 1 (0 for an attached
// dimension). Nothing without its wall on a layer, its record or both segment points.
int16_t UpdateWallAttachment(Objex* attachment);
// Re-measures the attached dimensions of the current layer, then refits every child of the
// wall (the next child read before each refit). Returns how many were removed, not counting
// attached dimensions, and tells the user once when any were.
int16_t UpdateAllWallAttachments(Objex* wall);
// The same for every wall of a visible layer, and of every visible layer from `firstLayer` on.
void UpdateAllWallAttachmentsLayer(Layer* layer);
void UpdateAllWallAttachmentsAllLayers(Layer* firstLayer);

// Upkeep when the wall's points move or are replaced; each touches only the records that name
// the point. Adds `delta` to the centre distance of every child whose segment starts at it.
void UpdateWallAttachmentStartDistance(Objex* wall, const Poinz* point, float delta);
// A segment start at `oldPoint` becomes `newStart`, a segment end there `newEnd` (only when
// both are given).
void ReplaceVoidAttachments(Objex* wall, const Poinz* oldPoint, Poinz* newStart, Poinz* newEnd);
// Deletes every child whose segment starts or ends at the point.
void DeleteVoidAttachments(Objex* wall, const Poinz* point);

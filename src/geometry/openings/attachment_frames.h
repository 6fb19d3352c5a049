#pragma once
// The 3D pieces of a door, window, accessory or wall component, rebuilt from its attachment
// record after it was placed, moved, resized or restyled. The frame is the head of the record's
// piece list: a type 900 solid through the whole wall, standing proud of both faces; leaves,
// separators, stools and sills follow it. Custom styles rebuild through their definitions.
#include <cstdint>

struct AttachmentRecord;
struct Float3DPoint;
struct Objex;

// Dispatches on the object's type and the record's style. Nothing happens without the object,
// a current document or its record.
void BuildAttachmentFrame(Objex* object);

// Frame builders: each replaces the whole piece list with its frame (an empty list when the
// frame piece cannot be made) and leaves the old list when the opening cannot be read.
void BuildRectangularDoorFrame(Objex* object);
void BuildArchedDoorFrame(Objex* object, int16_t style);
void BuildArchedWindowFrame(Objex* object, int16_t style);
void BuildQtrArchedWindowFrame(Objex* object, int16_t style);
void BuildChipCornerWindowFrame(Objex* object, int16_t style);
void BuildTriangleCornerWindowFrame(Objex* object, int16_t style);
void BuildPentagonWindowFrame(Objex* object, int16_t style);
void BuildParallelogramWindowFrame(Objex* object);
void BuildOctagonWindowFrame(Objex* object);
void BuildCircleWindowFrame(Objex* object);

// The solid of the outline and its copy shifted by (-dh, 0, -dd), with the outline's type and
// parent; the outline is deleted. Null, the outline kept, when the solid cannot be made.
Objex* Construct3DTrim(Objex* outline, float dh, float dd);

// Muntins of a rectangular window or sliding door between the opening's corners on the wall's
// centre line (start bottom, start top, end top, end bottom), appended to the piece list.
void BuildWindowSeparators(Objex* object, AttachmentRecord* record, const Float3DPoint* SB,
                           const Float3DPoint* ST, const Float3DPoint* ET, const Float3DPoint* EB);
// A stool plate 0.5 thick from face to face, stopping short of the jambs by the frame width.
void BuildRectangularWindow(Objex* object, Objex* wall, AttachmentRecord* record);
// A sill projecting 3.0 beyond each face under the opening.
void BuildWindowSill(Objex* object, int16_t style);

// The single plane of a wall accessory, stood off the wall face on the side the record names.
void Build3DAccessoryPlane(Objex* object);
// Turns every piece upside down (axis 0) or end for end (any other axis) in place, about the
// middle of the extent of all pieces.
void FlipWindow(Objex* object, int16_t axis);

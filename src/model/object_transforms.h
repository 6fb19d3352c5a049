#pragma once
// Moving, scaling, rotating and shearing objects with a command-form transform record (see
// transforms.h): translation 0-2, scale factors 3-5, angle 6, centre 7-9, shear start 10-12
// and end 13-15. Work happens in the two axes of the current view (plan H and D, front H and
// V, side D and V; any other view changes nothing) and only on points that are selected and
// not locked. Afterwards the object's bounds, texture mapping and (except after a rotation)
// point lengths are recomputed and `needsRebuild` is set; the caller rebuilds the 3D form.
//
// A roof (14, 57) carries its skylights and dormer cut-outs when moved or turned: all of them
// when the whole roof is selected, otherwise only the selected ones; a skylight carries its
// symbols (the parts list of its roof attachment record).
struct Objex;
struct TransformRecord;

void TranslateObject(Objex* object, const TransformRecord* record);
void ScaleObject(Objex* object, const TransformRecord* record);
// Also turns the angle fields: an imported object's rotation (params[4]) and, when one of its
// own points is selected, a freehand roof's slope direction (params[0]), each in degrees and
// wrapped by one turn; a skylight's record angle. A custom skylight (style 806) rebuilds its
// bounds points from its turned symbols.
void RotateObject(Objex* object, const TransformRecord* record);
void ShearObject(Objex* object, const TransformRecord* record);

// The object, then each child, recursively.
void ScaleTheObject(Objex* object, const TransformRecord* record);
void RotateTheObject(Objex* object, const TransformRecord* record);

// Turns the object and its descendants by the angle about the plan middle of its 3D bounds
// (V 0), then rebuilds its 3D model and updates its bounds (also for 0 degrees).
void RotateObjectInDegrees(Objex* object, float degrees);

// An imported object (15) not inside a cabinet group, or a group whose first child is one.
bool IsObjectFNXObject(Objex* object);

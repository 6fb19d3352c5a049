#pragma once
// Inserting a point into an object's outline and taking one out again, keeping the point
// list and count, the per-point attributes, the wall trim records and the attachments of
// walls and decks consistent, and rebuilding the object's 3D form.
#include <cstdint>

struct ClickInfo;
struct DocState;
struct Objex;
struct Poinz;

// The removal waiting for the user's answer on the attachment confirmation sheet; all three
// are cleared when the sheet ends.
extern Objex* gRemovePtTargetObject;
extern Poinz* gRemovePtTargetPoint;
extern Poinz* gRemovePtTargetPrevPoint;
void ResetRemovePointTarget();

// The sheet's answer that confirms the removal ("Delete Point").
inline constexpr int32_t kRemovePointConfirmed = 1;

// Inserts a point into the straight segment that starts at `segmentStart` (the closing
// segment when it is the last point), where the click falls on the segment's line. Refused
// (null) for other object types, curved segments and the end point, object centre and
// object corner snap modes.
Poinz* AddPoint(Objex* object, Poinz* segmentStart, DocState* document, ClickInfo* click);
// Inserts a point at exactly (h, v, d) after `segmentStart`: no type or curvature test.
Poinz* AddPointAtPosition(Objex* object, Poinz* segmentStart, DocState* document, float h, float v,
                          float d);
// Removes a selected point. 1 when removed; 0 when refused (with a message when the object
// would keep too few points) or when the removal waits for the confirmation sheet because
// attachments of the point's segments would go with it.
int32_t RemovePoint(Objex* object, Poinz* point, DocState* document);
// End handler of the confirmation sheet: on kRemovePointConfirmed removes the point with the
// attachments of both its segments, rebuilds the object and stores the undo step.
void removePointSheetDidEnd(void* sheet, int32_t returnCode, void* contextInfo);

// Unlinks and frees one point of the object (a wall point with its trim records).
void RemovePointInObject(Objex* object, Poinz* point);
// Frees an already unlinked wall point with its trim records; other types: nothing.
void DeleteWallPoint(Objex* object, Poinz* point);

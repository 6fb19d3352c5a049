#pragma once
// The insert and remove point tools: a point inserted where the click falls on a segment, and
// a point taken out again, asking first when attachments of its segments would go with it.
// The point-list work itself is the model's (model/point_edits.h).
#include <cstdint>

#include "model/point_edits.h"

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
// Removes a selected point. 1 when removed; 0 when refused (with a message when the object
// would keep too few points) or when the removal waits for the confirmation sheet because
// attachments of the point's segments would go with it.
int32_t RemovePoint(Objex* object, Poinz* point, DocState* document);
// End handler of the confirmation sheet: on kRemovePointConfirmed removes the point with the
// attachments of both its segments, rebuilds the object and stores the undo step.
void removePointSheetDidEnd(void* sheet, int32_t returnCode, void* contextInfo);

// Puts the two tools' presses in the tracking engine's table (tracking/tool_dispatch.h).
void RegisterPointTrackers();

#pragma once
// Laying an attachment's points on its wall segment from its record, shared by the refit of
// doors, windows and components and by attached dimensions.
#include "model/type_data.h"

struct Objex;
struct Poinz;

// How far an attachment may overhang its segment (plan units).
inline constexpr float kAttachmentOverhang = 5.0f;

// Plan length between two points.
float SegmentSpan(const Poinz* a, const Poinz* b);
// S + 5 > W, c >= W / 2 and c + W / 2 <= S + 5 for segment length S, width W, centre c.
bool FitsSegment(const AttachmentRecord& record);
// The remainder becomes S - c; the first two points go to c - W / 2 and c + W / 2 along the
// segment, a third to the centre moved `reach` off the wall on the record's side (the side at
// the segment angle + 90 degrees when the side flag is set). The point count follows the
// points; with `flat` every height becomes 0.
void LayOnSegment(Objex* attachment, AttachmentRecord* record, float reach, bool flat);

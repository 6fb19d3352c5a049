#pragma once
// Keeping the attachments of walls and decks (doors, windows, components, accessories, deck
// steps: children whose type record is an AttachmentRecord) in step with the host's points.
// An attachment lies on the segment that runs from its record's `segmentStart`.
//
// A segment is named by two points a and b: when b is a's next point it runs from a,
// otherwise (a first, b last) it is the closing segment and runs from b.
#include <cstdint>

#include "model/objects.h"

// The attachment record a child carries, or null.
inline AttachmentRecord* AttachmentRecordOf(Objex* child) {
    return child && child->typeData.kind == TypeDataKind::Attachment ? child->typeData.attachment : nullptr;
}

// Calls `visit(child, record)` for each child of the host that carries an attachment record,
// in list order. The next child is read first, so `visit` may delete the child it is given.
template <typename Visit>
void ForEachAttachment(Objex* host, Visit visit) {
    for (Objex* child = host ? host->firstChild : nullptr; child;) {
        Objex* next = child->next;
        if (AttachmentRecord* record = AttachmentRecordOf(child)) visit(child, record);
        child = next;
    }
}

// The direction flag a door's swing of `degrees` (-360 to 360) is stored with: 4 when the leaf
// turns counter-clockwise by at most a half turn (the swing, taken round to 0-360, is 0 to 180),
// else 0. Whatever sets a swing sets the flag by this rule, so that the plan's arc, which takes
// the sweep's sense from the flag, always finds the swing's own quarter.
int16_t DoorSwingDirectionFlag(double degrees);

// True when the host is a wall or deck and one of its children lies on segment (a, b).
bool SegmentContainsAttachments(Objex* host, Poinz* a, Poinz* b);
// True when the host is a wall or deck and a child's segment starts at the point.
bool DoesPointContainAttachments(Objex* host, Poinz* point);

// Walls only: removes the doors, windows, deck steps, components and accessories whose
// segment starts at the point.
void DeleteWallSegmentAttachments(Objex* wall, Poinz* start);
// Walls and decks: removes every attachment lying on segment (a, b), scene pieces included.
void DeleteSegmentAttachments(Objex* host, Poinz* a, Poinz* b);
// Walls and decks: removes every attachment whose segment starts at the point.
void DeletePointAttachments(Objex* host, Poinz* point);

// Walls only: each attachment's end point becomes its start point's successor (the first
// point after the last of a closed wall); attachments whose start point is gone, or is the
// last point of an open wall, are removed.
void VerifyObjectAttachments(Objex* wall);
// Walls and decks: a new point now splits the segment that runs from `oldPoint`. Attachments
// beyond it move to the new segment, the others end at it; then the host's attachments are
// refitted.
void UpdateAttachmentsWithNewPoint(Objex* host, Poinz* oldPoint, Poinz* newPoint);

// A new record of the owner type on the segment from `start` to `end`, `centre` along it and
// the rest of the segment as its remainder; null without both points or a current document.
AttachmentRecord* NewAttachmentRecordOnSegment(int16_t owner, Poinz* start, Poinz* end, float centre);

// Stores a custom texture's size as the scales of every door and window trim and every
// skylight texture that uses it, over the top-level objects of every layer. Sizes beyond the
// 16-bit scale fields are clamped. (Read from the texture's info file:
// UpdateAllAttachmentsCustomTextureWH, files/texture_files.h.)
void SetAllAttachmentsCustomTextureWH(int32_t textureID, int32_t width, int32_t height);

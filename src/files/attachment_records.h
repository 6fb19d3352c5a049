#pragma once
// The records of attached children in files: the attachment record of a door, window,
// fixture or deck step (from 10800; the older 60-byte little-endian record before), and the
// roof attachment record of a skylight or roof cut-out (from 10900). Links to the host's
// points are stored as point positions counted from 0.
#include <cstdint>

struct AttachmentRecord;
struct Layer;
struct Objex;
struct RoofAttachmentRecord;

// Custom door and window styles, whose part objects travel inside the record.
inline constexpr int16_t kCustomDoorStyle = 512;
inline constexpr int16_t kCustomWindowStyle = 626;
inline constexpr int16_t kCustomSkylightStyle = 806;

// The record with its custom parts and trims; the host's point positions must already be in
// `startIndex` and `endIndex`. Null writes the layout with zeros.
void WriteObjectAttachment(AttachmentRecord* record);
// Reads the whole record. Without a record, child or layer everything is read into scratch
// storage and the objects read are deleted; part objects belong to `child`.
void ReadObjectAttachment(AttachmentRecord* record, Objex* child, Layer* layer);

void WriteRoofAttachment(RoofAttachmentRecord* record);
void ReadRoofAttachment(RoofAttachmentRecord* record, Objex* child, Layer* layer);

// The 60-byte record of files before 10800. A door or window (16, 17) read from it gets the
// child's own texture, scale and pen colour on both trims.
void WriteObjectAttachment75(AttachmentRecord* record);
void ReadObjectAttachment75(AttachmentRecord* record, Objex* child);

// Point links of a wall's or deck's child to positions and back: a link to no point of the
// host becomes 0, a position past its points the first point. Nothing unless the host is a
// wall or deck and the child has an attachment record.
void WallAttachmentsHdlToIndex(Objex* child, Objex* wall);
void WallAttachmentsIndexToHdl(Objex* child, Objex* wall);
void AllWallAttachmentsHdlToIndex(Objex* wall);
void AllWallAttachmentsIndexToHdl(Objex* wall);

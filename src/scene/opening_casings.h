#pragma once
// Casings round doors and windows: a profile swept along each of the opening's outline
// objects (the mask outline, and any outline objects after it) on the face being carved, by
// the trim geometry (BuildCustomTrimPlanes). The outlines are copied for the sweep, never
// moved; a custom door or window (custom 1) has its outline copies scaled from the
// definition's natural size to the opening's.
#include <cstdint>

struct AttachmentRecord;
struct Objex;

// The standard casing: a profile 2.5 units across the outline and as deep as the record's
// trim width. The casing follows the record's segment from its start to its end, so the
// face's `direction` is not needed. Nothing without the record or its segment's two points.
void ApplyStandardTrimToDoorWin(float direction, AttachmentRecord* record, int16_t side,
                                int16_t custom, float baseOffset);
// A custom profile instead, its depth scaled to the trim width (side 1 measures the outside
// profile, side 0 the inside one).
void ApplyCustomTrimToDoorWin(Objex* profile, float direction, AttachmentRecord* record,
                              int16_t side, int16_t custom, float baseOffset);

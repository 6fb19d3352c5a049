#pragma once
// Refitting one skylight or dormer cut-out on its roof after its shape changed. The roof
// tools register the refit; with nothing registered every attachment counts as fitting.
#include <cstdint>
#include <functional>

struct Objex;

// Refits the attachment on its roof (14 or 57); the number of attachments removed because
// the roof is not long enough (0 when all fit, and for a missing argument).
int16_t UpdateRoofAttachment(Objex* attachment, Objex* roof);

using RoofAttachmentHandler = std::function<int16_t(Objex* attachment, Objex* roof)>;
void SetUpdateRoofAttachmentHandler(RoofAttachmentHandler handler);

void ResetRoofAttachmentSeam();

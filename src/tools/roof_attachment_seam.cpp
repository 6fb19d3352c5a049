#include "tools/roof_attachment_seam.h"

#include <utility>

namespace {
RoofAttachmentHandler& Handler() {
    static RoofAttachmentHandler handler;
    return handler;
}
}  // namespace

int16_t UpdateRoofAttachment(Objex* attachment, Objex* roof) {
    if (!attachment || !roof || !Handler()) return 0;
    return Handler()(attachment, roof);
}

void SetUpdateRoofAttachmentHandler(RoofAttachmentHandler handler) { Handler() = std::move(handler); }

void ResetRoofAttachmentSeam() { Handler() = nullptr; }

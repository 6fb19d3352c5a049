#pragma once
// The trace image shown under the plan (`itsTraceImage` of the document model).
#include "model/type_data.h"
#include "port/images.h"

struct TraceImage final : PlatformObject {
    // Packed RGB, top row first (flipped from the decoder's bottom-first order).
    port::DecodedImage image;
};

// Decodes the image at `path` through the platform decoder and flips it; null when there is
// no path or it cannot be decoded.
TraceImage* LoadTraceImage(const char* path);

#include "files/trace_image.h"

#include <algorithm>
#include <new>

TraceImage* LoadTraceImage(const char* path) {
    if (!path || !*path) return nullptr;
    port::DecodedImage decoded;
    if (!port::imageDecoder().decode(path, decoded)) return nullptr;
    const size_t row = static_cast<size_t>(std::max(decoded.width, 0)) * 3;
    const size_t rows = static_cast<size_t>(std::max(decoded.height, 0));
    if (row == 0 || rows == 0 || decoded.rgb.size() != row * rows) return nullptr;
    for (size_t top = 0, bottom = rows - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(decoded.rgb.begin() + static_cast<std::ptrdiff_t>(top * row),
                         decoded.rgb.begin() + static_cast<std::ptrdiff_t>((top + 1) * row),
                         decoded.rgb.begin() + static_cast<std::ptrdiff_t>(bottom * row));
    auto* image = new (std::nothrow) TraceImage();
    if (image) image->image = std::move(decoded);
    return image;
}

#include "render/core/texture_pixels.h"

#include <algorithm>
#include <cstddef>
#include <new>

namespace {

size_t PixelCount(int32_t width, int32_t height) {
    if (width < 1 || height < 1) return 0;
    return static_cast<size_t>(width) * static_cast<size_t>(height);
}

uint8_t AlphaOf(float a) {
    // Out-of-range opacities clamp rather than wrap.
    return static_cast<uint8_t>(255.0f * std::clamp(a, 0.0f, 1.0f));
}

bool IsBlack(const uint8_t* p) { return p[0] == 0 && p[1] == 0 && p[2] == 0; }

}  // namespace

std::vector<uint8_t> ConvertTextureToRGBACustom(const uint8_t* rgb, float a, int32_t width, int32_t height) {
    const size_t n = PixelCount(width, height);
    std::vector<uint8_t> rgba;
    if (!rgb || n == 0) return rgba;
    try {
        rgba.resize(n * 4);
    } catch (const std::bad_alloc&) {
        return {};
    }
    const uint8_t alpha = AlphaOf(a);
    for (size_t i = 0; i < n; ++i) {
        rgba[i * 4] = rgb[i * 3];
        rgba[i * 4 + 1] = rgb[i * 3 + 1];
        rgba[i * 4 + 2] = rgb[i * 3 + 2];
        rgba[i * 4 + 3] = alpha;
    }
    return rgba;
}

std::vector<uint8_t> ConvertTextureToRGBA(const uint8_t* rgb, float a, int32_t width, int32_t height) {
    return ConvertTextureToRGBACustom(rgb, a, width, height);
}

std::vector<uint8_t> ConvertCustomTextureToRGBA(const uint8_t* rgb, float a, int32_t side) {
    return ConvertTextureToRGBACustom(rgb, a, side, side);
}

void SetTextureAlphaCustom(uint8_t* rgba, float a, int32_t width, int32_t height) {
    const size_t n = PixelCount(width, height);
    if (!rgba) return;
    const uint8_t alpha = AlphaOf(a);
    for (uint8_t* p = rgba; p < rgba + n * 4; p += 4)
        if (IsBlack(p)) p[3] = alpha;
}

void SetTextureAlpha(uint8_t* rgba, float a, int32_t width, int32_t height) {
    SetTextureAlphaCustom(rgba, a, width, height);
}

void SetTextureColorCustom(uint8_t* rgba, const RGBColor& colour, int32_t width, int32_t height) {
    const size_t n = PixelCount(width, height);
    if (!rgba) return;
    for (uint8_t* p = rgba; p < rgba + n * 4; p += 4) {
        if (IsBlack(p)) continue;
        p[0] = static_cast<uint8_t>(colour.red);
        p[1] = static_cast<uint8_t>(colour.green);
        p[2] = static_cast<uint8_t>(colour.blue);
    }
}

void SetTextureColor(uint8_t* rgba, const RGBColor& colour, int32_t width, int32_t height) {
    SetTextureColorCustom(rgba, colour, width, height);
}

void SetCustomTextureAlpha(uint8_t* rgba, uint8_t r, uint8_t g, uint8_t b, int32_t side) {
    const size_t n = PixelCount(side, side);
    if (!rgba) return;
    for (uint8_t* p = rgba; p < rgba + n * 4; p += 4) {
        p[3] = p[0];
        p[0] = r, p[1] = g, p[2] = b;
    }
}

void SetCustomTextureAverageAlpha(uint8_t* rgba, int32_t side) {
    const size_t n = PixelCount(side, side);
    if (!rgba) return;
    for (uint8_t* p = rgba; p < rgba + n * 4; p += 4) {
        const int y = std::clamp(static_cast<int>(0.3f * p[0] + 0.59f * p[1] + 0.11f * p[2] + 0.5f), 0, 255);
        p[3] = static_cast<uint8_t>(std::max(0, 4 * y - 765));
    }
}

void FrameImage(uint8_t* rgba, int32_t width, int32_t height) {
    if (!rgba || PixelCount(width, height) == 0) return;
    const size_t row = static_cast<size_t>(width) * 4;
    auto clear = [](uint8_t* p, size_t bytes) { std::fill(p, p + bytes, uint8_t{0}); };
    clear(rgba, row);
    clear(rgba + (static_cast<size_t>(height) - 1) * row, row);
    for (int32_t y = 1; y < height - 1; ++y) {
        uint8_t* line = rgba + static_cast<size_t>(y) * row;
        clear(line, 4);
        clear(line + row - 4, 4);
    }
}

#pragma once
// Conversions between the Windows records the drawing and model code speak in (POINT, RECT,
// LOGFONT, bottom-up RGB images) and the platform's own points, rectangles and fonts; the
// image loader behind the textures; the plan's paper size. Nothing here keeps state.
#include <cstdint>
#include <memory>
#include <vector>

#include "port/fonts.h"
#include "port/winrecords.h"

// The platform's geometry: a point, and a rectangle as an origin and a size.
struct PlatformPoint {
    float x = 0;
    float y = 0;
};

struct PlatformSize {
    float width = 0;
    float height = 0;
};

struct PlatformRect {
    float x = 0;
    float y = 0;
    float width = 0;
    float height = 0;
};
// From the smallest to the largest coordinates; the zero rectangle for fewer than 4 points.
PlatformRect FindBoundingNSRectFromPoints(const POINT* points, int32_t count);

// An image as the texture loader takes it: `height` rows of `width` pixels, bottom row first,
// three bytes (red, green, blue) a pixel, rows not padded.
struct DIBImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> pixels;
};

// Each coordinate truncated toward zero (clamped to the 32-bit range first); (0, 0) for null.
POINT ConvertNSPointToPOINT(const PlatformPoint* point);
// left = x, top = y, right = x + width, bottom = y + height (sums in single precision), each
// rounded by adding 0.5 and truncating toward zero; all 0 for a null rectangle.
void ConvertNSRectToRECT(RECT* out, const PlatformRect* rect);
// Origin (left, top), size (right - left, bottom - top); all 0 for a null RECT. Returns `out`.
PlatformRect* ConvertRECTToNSRect(PlatformRect* out, const RECT* rect);
// Grows the rectangle by dx on the left and right and dy at the top and bottom; the sides
// stop at the ends of the 32-bit range.
void InflateRect(RECT* rect, int32_t dx, int32_t dy);
// The normalised rectangle spanned by two corners.
void ConvertCoordsToNSRect(PlatformRect* out, float x1, float y1, float x2, float y2);

// Size -lfHeight (12.0 for a positive lfHeight); italic for a non-zero lfItalic, bold for an
// lfWeight of exactly 700. Traits are added to what `traits` holds, never cleared. Nothing
// unless all three are given.
void ConvertWin32FontInfoToApple(const LOGFONT* font, float* pointSize, int* traits);
// The record of a platform font: size, bold and italic, the family name in Mac OS Roman cut
// to 31 bytes, pitch and family 0x34. lfUnderline and lfStrikeOut keep their values.
void ConvertAppleFontToWin32FontInfo(const port::FontDescriptor* font, LOGFONT* out);

// The image file decoded by the platform's image decoder, whatever its depth, as 24-bit RGB;
// null without a path or when the file cannot be read or decoded.
std::unique_ptr<DIBImage> ApplePortDIBImageLoad(const char* path);

// The plan's paper size in view units: the lot rectangle projected into the current view
// (zoomed, with the current perspective), plus a margin of 100 zoomed plan units. Nothing
// is written without a current document and its settings or without both outputs.
void GetAdjustedPaperWidthAndHeight(float* width, float* height);

#include "files/windows_records.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <new>
#include <string>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/numeric.h"
#include "model/projection.h"
#include "model/view_state.h"
#include "model/zoom_units.h"
#include "port/images.h"
#include "port/macroman.h"

namespace {

constexpr int32_t kBoldWeight = 700;
constexpr uint8_t kPitchAndFamily = 0x34;
constexpr size_t kFaceNameLength = sizeof(LOGFONT::lfFaceName) - 1;
constexpr float kPaperMargin = 100.0f;

int32_t Saturate(int64_t v) {
    constexpr int64_t lo = std::numeric_limits<int32_t>::min();
    constexpr int64_t hi = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(v < lo ? lo : (v > hi ? hi : v));
}

int32_t RoundSide(float side) {
    return dvxnum::TruncToInt32(static_cast<double>(side) + 0.5);
}

}  // namespace

POINT ConvertNSPointToPOINT(const PlatformPoint* point) {
    POINT out;
    if (!point) return out;
    out.x = dvxnum::TruncToInt32(point->x);
    out.y = dvxnum::TruncToInt32(point->y);
    return out;
}

void ConvertNSRectToRECT(RECT* out, const PlatformRect* rect) {
    if (!out) return;
    *out = RECT{};
    if (!rect) return;
    const float right = rect->x + rect->width;
    const float bottom = rect->y + rect->height;
    out->left = RoundSide(rect->x);
    out->top = RoundSide(rect->y);
    out->right = RoundSide(right);
    out->bottom = RoundSide(bottom);
}

PlatformRect* ConvertRECTToNSRect(PlatformRect* out, const RECT* rect) {
    if (!out) return out;
    *out = PlatformRect{};
    if (!rect) return out;
    out->x = static_cast<float>(rect->left);
    out->y = static_cast<float>(rect->top);
    out->width = static_cast<float>(static_cast<int64_t>(rect->right) - rect->left);
    out->height = static_cast<float>(static_cast<int64_t>(rect->bottom) - rect->top);
    return out;
}

void InflateRect(RECT* rect, int32_t dx, int32_t dy) {
    if (!rect) return;
    rect->left = Saturate(static_cast<int64_t>(rect->left) - dx);
    rect->right = Saturate(static_cast<int64_t>(rect->right) + dx);
    rect->top = Saturate(static_cast<int64_t>(rect->top) - dy);
    rect->bottom = Saturate(static_cast<int64_t>(rect->bottom) + dy);
}

void ConvertCoordsToNSRect(PlatformRect* out, float x1, float y1, float x2, float y2) {
    if (!out) return;
    out->x = x1 < x2 ? x1 : x2;
    out->y = y1 < y2 ? y1 : y2;
    out->width = std::fabs(x2 - x1);
    out->height = std::fabs(y2 - y1);
}

void ConvertWin32FontInfoToApple(const LOGFONT* font, float* pointSize, int* traits) {
    if (!font || !pointSize || !traits) return;
    const port::FontDescriptor d = port::DescribeLogFont(*font);
    *pointSize = d.pointSize;
    *traits |= d.traits;
}

void ConvertAppleFontToWin32FontInfo(const port::FontDescriptor* font, LOGFONT* out) {
    if (!font || !out) return;
    out->lfHeight = dvxnum::TruncToInt32(-static_cast<double>(font->pointSize));
    out->lfWidth = 0;
    out->lfEscapement = 0;
    out->lfOrientation = 0;
    out->lfWeight = (font->traits & port::kBoldTrait) ? kBoldWeight : 0;
    out->lfItalic = (font->traits & port::kItalicTrait) ? 1 : 0;
    out->lfCharSet = 0;
    out->lfOutPrecision = 0;
    out->lfClipPrecision = 0;
    out->lfQuality = 0;
    out->lfPitchAndFamily = kPitchAndFamily;
    // The record holds 8-bit text; the platform names the family in UTF-8.
    const std::string name = port::Utf8ToMacRoman(font->family);
    std::memset(out->lfFaceName, 0, sizeof out->lfFaceName);
    std::memcpy(out->lfFaceName, name.data(), strnlen(name.c_str(), kFaceNameLength));
}

std::unique_ptr<DIBImage> ApplePortDIBImageLoad(const char* path) {
    if (!path || !*path) return nullptr;
    port::DecodedImage decoded;
    if (!port::imageDecoder().decode(path, decoded)) return nullptr;
    // Whatever the decoder hands back must fit the record the texture loader walks.
    if (decoded.width <= 0 || decoded.height <= 0) return nullptr;
    const uint64_t expected = static_cast<uint64_t>(decoded.width) * static_cast<uint64_t>(decoded.height) * 3u;
    if (decoded.rgb.size() != expected) return nullptr;
    std::unique_ptr<DIBImage> image(new (std::nothrow) DIBImage);
    if (!image) return nullptr;
    image->width = decoded.width;
    image->height = decoded.height;
    image->pixels = std::move(decoded.rgb);
    return image;
}

void GetAdjustedPaperWidthAndHeight(float* width, float* height) {
    const DocState* ds = CurrentDocState();
    if (!ds || !width || !height) return;
    const FloatRect& lot = ds->lotRect;
    const float margin = ZoomF(kPaperMargin);

    float h1 = lot.floatLeft, v1 = 0.0f, d1 = lot.floatTop;
    float h2 = lot.floatRight, v2 = 0.0f, d2 = lot.floatTop;
    ConvertToIso(&h1, &v1, &d1, &h2, &v2, &d2, gPerspective);
    *width = h2 - h1 + margin;

    h1 = lot.floatLeft, v1 = 0.0f, d1 = lot.floatTop;
    h2 = lot.floatLeft, v2 = 0.0f, d2 = lot.floatBottom;
    ConvertToIso(&h1, &v1, &d1, &h2, &v2, &d2, gPerspective);
    *height = v2 - v1 + margin;
}

PlatformRect FindBoundingNSRectFromPoints(const POINT* points, int32_t count) {
    if (!points || count < 4) return {};
    int32_t left = points[0].x, right = left, top = points[0].y, bottom = top;
    for (int32_t i = 1; i < count; ++i) {
        left = std::min(left, points[i].x), right = std::max(right, points[i].x);
        top = std::min(top, points[i].y), bottom = std::max(bottom, points[i].y);
    }
    return {static_cast<float>(left), static_cast<float>(top), static_cast<float>(int64_t(right) - left),
            static_cast<float>(int64_t(bottom) - top)};
}

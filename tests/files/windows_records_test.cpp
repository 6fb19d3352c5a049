// Points, rectangles and fonts between the Windows records and the platform's, images as the
// texture loader takes them, and the plan's paper size.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

#include "files/windows_records.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "port/images.h"
#include "support/doubles.h"
#include "support/fixture.h"

using namespace dvxtest;

namespace {

class WindowsRecordsTest : public DocumentTest {};

TEST_F(WindowsRecordsTest, PointsAndRectanglesTruncateTowardZeroWithinRange) {
    PlatformRect r{-1.7f, 2.4f, 1.0f, 0.2f};
    RECT out{9, 9, 9, 9};
    ConvertNSRectToRECT(&out, &r);
    EXPECT_EQ(out.left, -1);    // -1.2 truncated
    EXPECT_EQ(out.right, 0);    // -0.2 truncated
    EXPECT_EQ(out.top, 2);      // 2.9
    EXPECT_EQ(out.bottom, 3);   // 3.1
    ConvertNSRectToRECT(&out, nullptr);
    EXPECT_EQ(out.left | out.top | out.right | out.bottom, 0);

    const float nan = std::numeric_limits<float>::quiet_NaN();
    PlatformRect wild{1e20f, -1e20f, nan, 0.0f};
    ConvertNSRectToRECT(&out, &wild);
    EXPECT_EQ(out.left, std::numeric_limits<int32_t>::max());
    EXPECT_EQ(out.top, std::numeric_limits<int32_t>::min());
    EXPECT_EQ(out.right, 0);

    PlatformPoint p{2.9f, -2.9f};
    const POINT q = ConvertNSPointToPOINT(&p);
    EXPECT_EQ(q.x, 2);
    EXPECT_EQ(q.y, -2);
    PlatformPoint far{-1e12f, nan};
    EXPECT_EQ(ConvertNSPointToPOINT(&far).x, std::numeric_limits<int32_t>::min());
    EXPECT_EQ(ConvertNSPointToPOINT(&far).y, 0);
    EXPECT_EQ(ConvertNSPointToPOINT(nullptr).x, 0);

    PlatformRect spanned;
    ConvertCoordsToNSRect(&spanned, 10, 5, 2, 8);
    EXPECT_EQ(spanned.x, 2.0f);
    EXPECT_EQ(spanned.y, 5.0f);
    EXPECT_EQ(spanned.width, 8.0f);
    EXPECT_EQ(spanned.height, 3.0f);

    RECT box{-3, 4, 7, 10};
    InflateRect(&box, 2, -1);
    PlatformRect back;
    EXPECT_EQ(ConvertRECTToNSRect(&back, &box), &back);
    EXPECT_EQ(back.x, -5.0f);
    EXPECT_EQ(back.y, 5.0f);
    EXPECT_EQ(back.width, 14.0f);
    EXPECT_EQ(back.height, 4.0f);
    // Sides stop at the ends of the range instead of wrapping round.
    RECT edge{std::numeric_limits<int32_t>::min() + 1, 0, 0, 0};
    InflateRect(&edge, 5, 0);
    EXPECT_EQ(edge.left, std::numeric_limits<int32_t>::min());
}

TEST_F(WindowsRecordsTest, FontsToThePlatformAndBack) {
    LOGFONT lf;
    float size = -1;
    int traits = 0;
    lf.lfHeight = -16;
    lf.lfWeight = 800;
    ConvertWin32FontInfoToApple(&lf, &size, &traits);
    EXPECT_EQ(size, 16.0f);
    EXPECT_EQ(traits, 0);  // only 700 is bold
    lf.lfHeight = 16;
    lf.lfWeight = 700;
    ConvertWin32FontInfoToApple(&lf, &size, &traits);
    EXPECT_EQ(size, 12.0f);
    EXPECT_EQ(traits, port::kBoldTrait);
    lf.lfHeight = 0;
    lf.lfWeight = 400;
    lf.lfItalic = 1;
    ConvertWin32FontInfoToApple(&lf, &size, &traits);
    EXPECT_EQ(size, 0.0f);
    EXPECT_EQ(traits, port::kBoldTrait | port::kItalicTrait);  // added, never cleared

    port::FontDescriptor font;
    font.family = std::string(40, 'W');
    font.pointSize = 10.7f;
    font.traits = port::kItalicTrait;
    LOGFONT out;
    out.lfWeight = 700;
    std::memset(out.lfFaceName, 'x', sizeof out.lfFaceName);
    out.lfUnderline = 1;
    out.lfStrikeOut = 1;
    ConvertAppleFontToWin32FontInfo(&font, &out);
    EXPECT_EQ(out.lfHeight, -10);
    EXPECT_EQ(out.lfWeight, 0);
    EXPECT_EQ(out.lfItalic, 1);
    EXPECT_EQ(out.lfUnderline + out.lfStrikeOut, 2);  // kept
    EXPECT_EQ(out.lfPitchAndFamily, 0x34);
    EXPECT_EQ(std::string(out.lfFaceName), std::string(31, 'W'));

    // 8-bit text in the record: "é" is one Mac OS Roman byte.
    font.family = "Caf\xC3\xA9";
    font.traits = port::kBoldTrait;
    font.pointSize = std::numeric_limits<float>::infinity();
    ConvertAppleFontToWin32FontInfo(&font, &out);
    EXPECT_STREQ(out.lfFaceName, "Caf\x8E");
    EXPECT_EQ(out.lfWeight, 700);
    EXPECT_EQ(out.lfItalic, 0);
    EXPECT_EQ(out.lfHeight, std::numeric_limits<int32_t>::min());
}

TEST_F(WindowsRecordsTest, ImagesComeAsBottomUpRGBOrNotAtAll) {
    FakeImageDecoder decoder;
    port::setImageDecoder(&decoder);
    port::DecodedImage good;
    good.width = 2;
    good.height = 1;
    good.rgb = {1, 2, 3, 4, 5, 6};
    decoder.add("/img/good.png", good);
    port::DecodedImage cut = good;
    cut.height = 2;
    decoder.add("/img/short.png", cut);

    const auto image = ApplePortDIBImageLoad("/img/good.png");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, 2);
    EXPECT_EQ(image->height, 1);
    EXPECT_EQ(image->pixels, good.rgb);
    // A decoder's buffer that does not fit its size is never handed on.
    EXPECT_EQ(ApplePortDIBImageLoad("/img/short.png"), nullptr);
    EXPECT_EQ(ApplePortDIBImageLoad("/img/missing.png"), nullptr);
    EXPECT_EQ(ApplePortDIBImageLoad(nullptr), nullptr);
    port::setImageDecoder(nullptr);
}

TEST_F(WindowsRecordsTest, PaperIsTheProjectedLotAndAZoomedMargin) {
    DocState* ds = CurrentDocState();
    ds->zoomFactor = 0.6f;
    float width = 0, height = 0;
    GetAdjustedPaperWidthAndHeight(&width, &height);
    // The default lot is 4800 square; the margin 100 x 0.6.
    EXPECT_NEAR(width, 4800 * 0.6f + 60, 1e-2f);
    EXPECT_NEAR(height, 4800 * 0.6f + 60, 1e-2f);

    ds->lotRect = FloatRect{0, 0, 1000, 3000};
    ds->zoomFactor = 1.0f;
    GetAdjustedPaperWidthAndHeight(&width, &height);
    EXPECT_NEAR(width, 3100, 1e-2f);
    EXPECT_NEAR(height, 1100, 1e-2f);

    doc->dealloc();
    doc = nullptr;
    width = height = -7;
    GetAdjustedPaperWidthAndHeight(&width, &height);
    EXPECT_EQ(width, -7);
    EXPECT_EQ(height, -7);
}

}  // namespace

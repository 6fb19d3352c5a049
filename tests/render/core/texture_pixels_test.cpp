// Pixel work on texture images of any size: each operation walks exactly the image it is
// given (buffers are allocated to the byte, so AddressSanitizer catches a step past them).
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "render/core/texture_pixels.h"

namespace {

constexpr int W = 300, H = 200;

// RGB of a 300 x 200 image: black where x + y is a multiple of 3, else a colour from x and y.
std::vector<uint8_t> Rgb() {
    std::vector<uint8_t> rgb(size_t(W) * H * 3);
    for (int i = 0; i < W * H; ++i) {
        const int x = i % W, y = i / W;
        if ((x + y) % 3 == 0) continue;
        rgb[i * 3] = uint8_t(x), rgb[i * 3 + 1] = uint8_t(y), rgb[i * 3 + 2] = 7;
    }
    return rgb;
}

bool Black(const uint8_t* p) { return p[0] == 0 && p[1] == 0 && p[2] == 0; }

TEST(TexturePixels, ConvertersAndSettersWalkTheWholeImageAndNoMore) {
    const std::vector<uint8_t> rgb = Rgb();
    std::vector<uint8_t> rgba = ConvertTextureToRGBA(rgb.data(), 0.5f, W, H);
    ASSERT_EQ(rgba.size(), size_t(W) * H * 4);
    EXPECT_EQ(rgba[3], 127);  // 255 * 0.5, truncated
    EXPECT_EQ(rgba.back(), 127);
    EXPECT_EQ(rgba[(W * H - 1) * 4], rgb[(W * H - 1) * 3]);

    SetTextureAlpha(rgba.data(), 0.0f, W, H);
    SetTextureColor(rgba.data(), RGBColor{10, 20, 30}, W, H);
    int keyed = 0;
    for (int i = 0; i < W * H; ++i) {
        const uint8_t* p = &rgba[i * 4];
        if (Black(&rgb[i * 3])) {
            keyed += p[3] == 0 && Black(p);
        } else {
            EXPECT_EQ(p[3], 127) << i;
            EXPECT_TRUE(p[0] == 10 && p[1] == 20 && p[2] == 30) << i;
        }
    }
    EXPECT_EQ(keyed, (W * H + 2) / 3);

    std::vector<uint8_t> custom = ConvertTextureToRGBACustom(rgb.data(), 2.0f, W, H);  // clamped
    ASSERT_EQ(custom.size(), size_t(W) * H * 4);
    EXPECT_EQ(custom.back(), 255);
    SetTextureAlphaCustom(custom.data(), 0.25f, W, H);
    SetTextureColorCustom(custom.data(), RGBColor{1, 2, 3}, W, H);
    EXPECT_EQ(custom[3], 63);  // pixel (0, 0) is black
    EXPECT_EQ(custom[(W * H - 2) * 4 + 2], 3);  // (298, 199) is not black

    FrameImage(custom.data(), W, H);
    auto alpha = [&](int x, int y) { return custom[(size_t(y) * W + x) * 4 + 3]; };
    for (int x = 0; x < W; ++x) EXPECT_TRUE(alpha(x, 0) == 0 && alpha(x, H - 1) == 0) << x;
    for (int y = 0; y < H; ++y) EXPECT_TRUE(alpha(0, y) == 0 && alpha(W - 1, y) == 0) << y;
    EXPECT_EQ(alpha(1, 2), 63);  // black, inside the frame
    EXPECT_EQ(alpha(2, 2), 255);
    EXPECT_EQ(alpha(W - 2, H - 2), 255);

    EXPECT_TRUE(ConvertTextureToRGBA(nullptr, 1, W, H).empty());
    EXPECT_TRUE(ConvertTextureToRGBACustom(rgb.data(), 1, 0, H).empty());
    SetTextureAlpha(nullptr, 1, W, H), SetTextureColorCustom(nullptr, {}, W, H), FrameImage(nullptr, W, H);
    FrameImage(custom.data(), -1, H);
}

TEST(TexturePixels, MasksTakeAlphaFromRedOrFromTheBrightestLuminance) {
    constexpr int side = 2;
    const uint8_t greys[] = {191, 192, 255, 0};
    std::vector<uint8_t> rgb;
    for (uint8_t g : greys) rgb.insert(rgb.end(), {g, g, g});
    std::vector<uint8_t> rgba = ConvertCustomTextureToRGBA(rgb.data(), 1.0f, side);
    ASSERT_EQ(rgba.size(), 16u);

    std::vector<uint8_t> average = rgba;
    SetCustomTextureAverageAlpha(average.data(), side);
    EXPECT_EQ(average[3], 0);    // 4 * 191 - 765 < 0
    EXPECT_EQ(average[7], 3);    // 4 * 192 - 765
    EXPECT_EQ(average[11], 255);
    EXPECT_EQ(average[15], 0);
    EXPECT_EQ(average[8], 255);  // colour kept

    rgba[4] = 77;  // the red of pixel 1 only
    SetCustomTextureAlpha(rgba.data(), 9, 8, 7, side);
    const uint8_t want[] = {9, 8, 7, 191, 9, 8, 7, 77, 9, 8, 7, 255, 9, 8, 7, 0};
    EXPECT_EQ(rgba, std::vector<uint8_t>(std::begin(want), std::end(want)));
}

}  // namespace

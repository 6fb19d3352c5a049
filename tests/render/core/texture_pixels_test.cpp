// Pixel work on texture images of any size: each operation walks exactly the image it is
// given (buffers are allocated to the byte, so AddressSanitizer catches a step past them).
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "render/core/texture_pixels.h"

namespace {

TEST(TexturePixels, KeysColoursAndFramesWalkA300By200ImageAndNoMore) {
    constexpr int W = 300, H = 200;
    std::vector<uint8_t> rgb(size_t(W) * H * 3, 9);
    for (int x = 0; x < W; x += 2) rgb[size_t(x) * 3] = rgb[size_t(x) * 3 + 1] = rgb[size_t(x) * 3 + 2] = 0;
    std::vector<uint8_t> rgba = ConvertTextureToRGBA(rgb.data(), 0.5f, W, H);
    ASSERT_EQ(rgba.size(), size_t(W) * H * 4);
    EXPECT_EQ(rgba.back(), 127);  // 255 * 0.5, truncated

    // Row 0 alternates black and grey; black takes the alpha, the others the colour.
    SetTextureAlpha(rgba.data(), 0.0f, W, H);
    SetTextureColor(rgba.data(), RGBColor{10, 20, 30}, W, H);
    const std::vector<uint8_t> row0(rgba.begin(), rgba.begin() + 8);
    EXPECT_EQ(row0, (std::vector<uint8_t>{0, 0, 0, 0, 10, 20, 30, 127}));
    EXPECT_EQ(rgba[size_t(W) * H * 4 - 2], 30);

    FrameImage(rgba.data(), W, H);
    int clear = 0;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const bool edge = x == 0 || y == 0 || x == W - 1 || y == H - 1;
            const uint8_t* p = &rgba[(size_t(y) * W + x) * 4];
            clear += edge && p[0] == 0 && p[3] == 0;
            if (!edge) { EXPECT_EQ(p[3], 127) << x << "," << y; }
        }
    EXPECT_EQ(clear, 2 * W + 2 * (H - 2));

    EXPECT_TRUE(ConvertTextureToRGBACustom(nullptr, 1, W, H).empty());
    EXPECT_TRUE(ConvertTextureToRGBACustom(rgb.data(), 1, 0, H).empty());
    SetTextureAlphaCustom(nullptr, 1, W, H), FrameImage(rgba.data(), -1, H);
}

TEST(TexturePixels, MasksTakeAlphaFromRedOrFromTheBrightestLuminance) {
    const std::vector<uint8_t> rgb = {191, 191, 191, 192, 192, 192, 255, 255, 255, 0, 0, 0};
    std::vector<uint8_t> rgba = ConvertCustomTextureToRGBA(rgb.data(), 1.0f, 2);
    ASSERT_EQ(rgba.size(), 16u);

    std::vector<uint8_t> average = rgba;
    SetCustomTextureAverageAlpha(average.data(), 2);
    // 4 Y - 765: below 0 at 191, 3 at 192, 255 at 255.
    EXPECT_EQ(average, (std::vector<uint8_t>{191, 191, 191, 0, 192, 192, 192, 3, 255, 255, 255, 255, 0, 0, 0, 0}));

    rgba[4] = 77;  // the red of pixel 1 only
    SetCustomTextureAlpha(rgba.data(), 9, 8, 7, 2);
    EXPECT_EQ(rgba, (std::vector<uint8_t>{9, 8, 7, 191, 9, 8, 7, 77, 9, 8, 7, 255, 9, 8, 7, 0}));
}

}  // namespace

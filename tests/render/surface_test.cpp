// The OSMesa surface as the renderer sees it: a clear reads back with row 0 at the bottom,
// and an offscreen target of another size takes the drawing and leaves the surface alone.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "render/gl.h"
#include "render_fixture.h"

using namespace dvxtest;

namespace {

class Surface : public RenderTest {};

uint32_t At(const std::vector<uint8_t>& rgba, int width, int x, int y) {
    const size_t i = (static_cast<size_t>(y) * width + x) * 4;
    return (uint32_t(rgba[i]) << 24) | (uint32_t(rgba[i + 1]) << 16) | (uint32_t(rgba[i + 2]) << 8) | rgba[i + 3];
}

// Clears to blue, then the bottom row (GL's y 0) to red.
void ClearBlueWithRedBottomRow(int width) {
    glDisable(GL_SCISSOR_TEST);
    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, width, 1);
    glClearColor(1, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
}

TEST_F(Surface, AClearReadsBackWithRowZeroAtTheBottom) {
    ASSERT_TRUE(gl->makeCurrent());
    ClearBlueWithRedBottomRow(64);
    gl->present();
    EXPECT_EQ(gl->size().width, 64);
    EXPECT_EQ(gl->size().height, 48);
    const std::vector<uint8_t> rgba = gl->readPixels();
    ASSERT_EQ(rgba.size(), 64u * 48u * 4u);
    // Flat fills: tolerance 2.
    EXPECT_TRUE(NearColor(At(rgba, 64, 0, 0), 255, 0, 0, 2));
    EXPECT_TRUE(NearColor(At(rgba, 64, 63, 0), 255, 0, 0, 2));
    EXPECT_TRUE(NearColor(At(rgba, 64, 0, 1), 0, 0, 255, 2));
    EXPECT_TRUE(NearColor(At(rgba, 64, 63, 47), 0, 0, 255, 2));
}

TEST_F(Surface, AnOffscreenTargetOfAnotherSizeTakesTheDrawingAndLeavesTheSurface) {
    ASSERT_TRUE(gl->makeCurrent());
    glClearColor(0, 1, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);

    ASSERT_TRUE(gl->beginOffscreen(300, 200));
    EXPECT_EQ(gl->size().width, 300);
    EXPECT_EQ(gl->size().height, 200);
    glViewport(0, 0, 300, 200);
    ClearBlueWithRedBottomRow(300);
    // Made current again (as a render does after a present), the target stays bound.
    ASSERT_TRUE(gl->makeCurrent());
    const std::vector<uint8_t> image = gl->readPixels();
    ASSERT_EQ(image.size(), 300u * 200u * 4u);
    EXPECT_TRUE(NearColor(At(image, 300, 299, 0), 255, 0, 0, 2));
    EXPECT_TRUE(NearColor(At(image, 300, 299, 199), 0, 0, 255, 2));
    gl->endOffscreen();

    EXPECT_FALSE(gl->offscreen());
    EXPECT_EQ(gl->size().width, 64);
    EXPECT_TRUE(NearColor(gl->pixel(0, 0), 0, 255, 0, 2));
    EXPECT_TRUE(NearColor(gl->pixel(63, 47), 0, 255, 0, 2));
    // A size no context can make is refused, and drawing stays on the surface.
    EXPECT_FALSE(gl->beginOffscreen(0, 10));
    EXPECT_FALSE(gl->offscreen());
}

}  // namespace

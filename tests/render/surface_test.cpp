// The OSMesa surface as the renderer sees it: a clear reads back with row 0 at the bottom, and
// an offscreen target of another size takes the drawing and leaves the surface alone.
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

TEST_F(Surface, ReadsBackBottomRowFirstOnTheSurfaceAndOnAnOffscreenTarget) {
    ASSERT_TRUE(gl->makeCurrent());
    glClearColor(0, 1, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    ASSERT_TRUE(gl->beginOffscreen(300, 200));
    // The target's readout and drawing for the surface's, made current again (as a render
    // does after a present) without losing the target.
    for (bool offscreen : {true, false}) {
        SCOPED_TRACE(offscreen);
        const int w = offscreen ? 300 : 64, h = offscreen ? 200 : 48;
        EXPECT_EQ(gl->size().width, w);
        EXPECT_EQ(gl->size().height, h);
        glViewport(0, 0, w, h);
        glClearColor(0, 0, 1, 1);  // blue, then the bottom row (GL's y 0) red
        glClear(GL_COLOR_BUFFER_BIT);
        glEnable(GL_SCISSOR_TEST);
        glScissor(0, 0, w, 1);
        glClearColor(1, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glDisable(GL_SCISSOR_TEST);
        gl->present();
        ASSERT_TRUE(gl->makeCurrent());
        const std::vector<uint8_t> rgba = gl->readPixels();
        ASSERT_EQ(rgba.size(), size_t(w) * h * 4);
        EXPECT_TRUE(NearColor(At(rgba, w, w - 1, 0), 255, 0, 0, 2));
        EXPECT_TRUE(NearColor(At(rgba, w, 0, 1), 0, 0, 255, 2));
        EXPECT_TRUE(NearColor(At(rgba, w, w - 1, h - 1), 0, 0, 255, 2));
        if (!offscreen) continue;
        gl->endOffscreen();
        EXPECT_FALSE(gl->offscreen());
        EXPECT_TRUE(NearColor(gl->pixel(63, 47), 0, 255, 0, 2)) << "the target drew on the surface";
    }
    // A size no context can make is refused, and drawing stays on the surface.
    EXPECT_FALSE(gl->beginOffscreen(0, 10));
    EXPECT_FALSE(gl->offscreen());
}

}  // namespace

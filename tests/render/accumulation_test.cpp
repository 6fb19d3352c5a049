// A final render's jittered passes: the projection seams' GL handlers, and the sum of the
// passes kept by glAccum and by the float framebuffer alike.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "model/projection.h"
#include "render/accum_buffer.h"
#include "render/core/jitter.h"
#include "render/gl.h"
#include "render_fixture.h"

using namespace dvxtest;

namespace {

class Accumulation : public RenderTest {};

TEST_F(Accumulation, AJitteredPerspectiveLoadsItsFrustumAndAnIdentityView) {
    ASSERT_TRUE(gl->makeCurrent());
    glViewport(0, 0, 64, 48);
    glMatrixMode(GL_MODELVIEW);
    glTranslated(5, 6, 7);  // whatever the view held before
    accPerspective(60, 4.0 / 3.0, 1, 40000, 0.5, 0.25, 0, 0, 1);
    double p[16], m[16];
    glGetDoublev(GL_PROJECTION_MATRIX, p);
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
    // top = tan 30 degrees, right = top x 4/3; the half-pixel and quarter-pixel shifts move the
    // frustum's centre by -2 x 0.5 / 64 and -2 x 0.25 / 48 of its width and height.
    const double expected[16] = {1.299038105676658, 0, 0, 0, 0, 1.7320508075688772, 0, 0,
                                 -1.0 / 64, -1.0 / 96, -40001.0 / 39999.0, -1,
                                 0, 0, -80000.0 / 39999.0, 0};
    for (int i = 0; i < 16; ++i) {
        // GL keeps its matrices in single precision.
        EXPECT_NEAR(p[i], expected[i], 1e-6) << "projection element " << i;
        EXPECT_EQ(m[i], i % 5 == 0 ? 1.0 : 0.0) << "view element " << i;
    }
}

// Eight passes of a white square from (16.5, 12.5) to (47.5, 35.5) on black, each moved by
// its jitter, summed through `path`; the image that comes back.
std::vector<uint8_t> EightPassesOfAWhiteSquare(OffscreenGL& gl, AccumBuffer::Path path) {
    glViewport(0, 0, 64, 48);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 64, 0, 48, -1, 1);
    AccumBuffer sum(path);
    sum.clear();
    EXPECT_TRUE(sum.ok());
    for (int pass = 0; pass < 8; ++pass) {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glTranslated(JitterOffset(8, pass).x, JitterOffset(8, pass).y, 0);
        glColor3f(1, 1, 1);
        glRectf(16.5f, 12.5f, 47.5f, 35.5f);
        sum.add(1.0f / 8);
    }
    glClear(GL_COLOR_BUFFER_BIT);  // the sum alone comes back
    sum.returnScaled(1.0f);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    return gl.readPixels();
}

TEST_F(Accumulation, GlAccumAndTheFloatFramebufferSumThePassesAlike) {
    ASSERT_TRUE(gl->makeCurrent());
    EXPECT_EQ(AccumBuffer().path(), AccumBuffer::Path::Accumulation);  // OSMesa has the bits
    const std::vector<uint8_t> accum = EightPassesOfAWhiteSquare(*gl, AccumBuffer::Path::Accumulation);
    const std::vector<uint8_t> framebuffer = EightPassesOfAWhiteSquare(*gl, AccumBuffer::Path::Framebuffer);
    ASSERT_EQ(accum.size(), framebuffer.size());
    int worst = 0;
    for (size_t i = 0; i < accum.size(); i += 4)
        for (size_t c = 0; c < 3; ++c) worst = std::max(worst, std::abs(accum[i + c] - framebuffer[i + c]));
    EXPECT_LE(worst, 1);

    // The framebuffer's image, pixel by pixel. Four of the eight x offsets are negative, as
    // are four of the y offsets, and two passes have both: an edge pixel is covered half the
    // time, a corner pixel a quarter.
    gl->makeCurrent();
    struct Probe {
        int x, y, value, tolerance;
    };
    for (const Probe& p : {Probe{32, 24, 255, 2}, Probe{2, 2, 0, 2}, Probe{16, 24, 128, 2}, Probe{47, 24, 128, 2},
                           Probe{32, 12, 128, 2}, Probe{16, 12, 64, 2}}) {
        SCOPED_TRACE(testing::Message() << p.x << "," << p.y);
        EXPECT_TRUE(NearColor(gl->pixel(p.x, p.y), p.value, p.value, p.value, p.tolerance));
    }
}

TEST_F(Accumulation, AContextWithoutAccumulationBitsKeepsNoSum) {
    // The glAccum path on a context without the bits must not draw garbage: it does nothing.
    ASSERT_TRUE(gl->makeCurrent());
    ASSERT_TRUE(gl->beginOffscreen(32, 32));  // a framebuffer object has no accumulation buffer
    glViewport(0, 0, 32, 32);
    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    AccumBuffer sum(AccumBuffer::Path::Accumulation);
    sum.clear();
    EXPECT_FALSE(sum.ok());
    sum.add(0.5f);
    sum.returnScaled(1.0f);
    EXPECT_TRUE(NearColor(gl->pixel(5, 5), 0, 0, 255, 2));
    EXPECT_EQ(AccumBuffer().path(), AccumBuffer::Path::Framebuffer);
    gl->endOffscreen();
}

}  // namespace

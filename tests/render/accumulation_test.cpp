// A final render's jittered passes: the projection seams' GL handlers, and the sum of the
// passes kept by glAccum and by the float framebuffer alike.
#include <gtest/gtest.h>

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
// its jitter, summed through `path` and returned into the colour buffer.
void EightPassesOfAWhiteSquare(AccumBuffer::Path path) {
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
}

// Both paths give the same image: four of the eight x offsets are negative, as are four of
// the y offsets, and two passes have both, so an edge pixel is covered half the time and a
// corner pixel a quarter. Where the context has no accumulation bits (a framebuffer object),
// the glAccum path keeps no sum and leaves the colour buffer alone.
TEST_F(Accumulation, GlAccumAndTheFloatFramebufferSumThePassesAlike) {
    ASSERT_TRUE(gl->makeCurrent());
    EXPECT_EQ(AccumBuffer().path(), AccumBuffer::Path::Accumulation);  // OSMesa has the bits
    struct Probe {
        int x, y, value;
    };
    for (AccumBuffer::Path path : {AccumBuffer::Path::Accumulation, AccumBuffer::Path::Framebuffer}) {
        SCOPED_TRACE(int(path));
        EightPassesOfAWhiteSquare(path);
        for (const Probe& p : {Probe{32, 24, 255}, Probe{2, 2, 0}, Probe{16, 24, 128}, Probe{47, 24, 128},
                               Probe{32, 12, 128}, Probe{16, 12, 64}})
            EXPECT_TRUE(NearColor(gl->pixel(p.x, p.y), p.value, p.value, p.value, 2)) << p.x << "," << p.y;
    }

    ASSERT_TRUE(gl->beginOffscreen(32, 32));
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

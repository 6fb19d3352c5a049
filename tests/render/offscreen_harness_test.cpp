// The offscreen harness itself: a context with the buffers the renderer needs, legacy
// immediate mode and GLU projection, read back pixel by pixel.
#include "osmesa_context.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

namespace {

TEST(OffscreenHarness, DrawsATriangleWithGluProjectionAndReadsItBack) {
    dvxtest::OffscreenGL gl(64, 64);
    ASSERT_TRUE(gl.ok());

    GLint stencilBits = 0, accumBits = 0;
    glGetIntegerv(GL_STENCIL_BITS, &stencilBits);
    glGetIntegerv(GL_ACCUM_RED_BITS, &accumBits);
    EXPECT_GE(stencilBits, 8);
    EXPECT_GE(accumBits, 16);

    glViewport(0, 0, 64, 64);
    glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0.0, 64.0, 0.0, 64.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    // Lower-left half of the viewport.
    glColor3f(1.0f, 0.0f, 0.0f);
    glBegin(GL_TRIANGLES);
    glVertex2f(0.0f, 0.0f);
    glVertex2f(64.0f, 0.0f);
    glVertex2f(0.0f, 64.0f);
    glEnd();
    glFinish();
    ASSERT_EQ(glGetError(), GLenum(GL_NO_ERROR));

    EXPECT_TRUE(dvxtest::NearColor(gl.pixel(8, 8), 255, 0, 0));     // inside
    EXPECT_TRUE(dvxtest::NearColor(gl.pixel(56, 56), 0, 0, 255));   // outside
    EXPECT_TRUE(dvxtest::NearColor(gl.pixel(20, 40), 255, 0, 0));   // x + y < 64
    EXPECT_TRUE(dvxtest::NearColor(gl.pixel(40, 30), 0, 0, 255));   // x + y > 64
}

} // namespace

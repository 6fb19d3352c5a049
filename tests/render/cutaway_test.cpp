// The cut-away plane loaded as clip plane 0 over hand-made walls: the slab it removes is
// next to the face its direction starts from.
#include <gtest/gtest.h>

#include "model/docstate.h"
#include "model/document_model.h"
#include "render/core/slice_plane.h"
#include "render/gl.h"
#include "render/slice_plane_gl.h"
#include "render_fixture.h"

using namespace dvxtest;

namespace {

class Cutaway : public RenderTest {
protected:
    void SetUp() override {
        RenderTest::SetUp();
        // Walls from H 0 to 400 and D 0 to 300: the box runs from -100 to 500 in x and from
        // -100 (back) to 400 (front) in z.
        Wall(doc->itsLayers, {{0, 0}, {400, 0}, {400, 300}});
    }
    // Two quads facing the viewer (who looks down -z): red at x 0 to 200 and depth `nearZ`,
    // green at x 200 to 400 and depth `farZ`, drawn with the cut at `position` in `mode`.
    void draw(int16_t mode, int32_t position, float redZ, float greenZ) {
        doc->itsDocState->cutAwayKind = mode;
        doc->itsDocState->cutAwayPosition = position;
        SetSlicePlaneBounds();
        ComputeSlicePlane();
        DeleteAllRendererObjects();
        AddQuad({{0, 40, redZ}, {200, 40, redZ}, {200, -40, redZ}, {0, -40, redZ}}, kRed);
        AddQuad({{200, 40, greenZ}, {400, 40, greenZ}, {400, -40, greenZ}, {200, -40, greenZ}}, kGreen);
        glViewport(0, 0, 64, 48);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-100, 500, -50, 50, -1000, 1000);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        LoadSlicePlane();
        glEnable(GL_CLIP_PLANE0);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        DrawPlaneObjects();
        glDisable(GL_CLIP_PLANE0);
        gl->present();
    }
};

TEST_F(Cutaway, EachDirectionRemovesTheSlabNextToTheFaceItStartsFrom) {
    struct Row {
        const char* name;
        int16_t mode;
        int32_t position;
        float redZ, greenZ;
        bool redShown;
    };
    const Row rows[] = {
        {"front to back, within 10 of the front face", 0, 10, 395, 380, false},
        {"front to back at 0 cuts nothing", 0, 0, 395, 380, true},
        {"back to front, within 10 of the back face", 2, 10, -95, -80, false},
    };
    ASSERT_TRUE(gl->makeCurrent());
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        draw(r.mode, r.position, r.redZ, r.greenZ);
        // x 100 and 300 of the -100..500 range: pixels 21 and 42 of 64.
        const uint8_t red = r.redShown ? 255 : 0;
        EXPECT_TRUE(NearColor(gl->pixel(21, 24), red, 0, 0, 2));
        EXPECT_TRUE(NearColor(gl->pixel(42, 24), 0, 255, 0, 2));
    }
}

}  // namespace

// The cut-away plane loaded as clip plane 0: the slab it removes is next to the face its
// direction starts from.
#include <gtest/gtest.h>

#include "model/docstate.h"
#include "model/document_model.h"
#include "render/core/slice_plane.h"
#include "render/gl.h"
#include "render/slice_plane_gl.h"
#include "render_fixture.h"

using namespace dvxtest;

namespace {

class Cutaway : public RenderTest {};

// Walls from H 0 to 400 and D 0 to 300: the box runs from -100 to 500 in x and from -100
// (back) to 400 (front) in z. Facing the viewer (who looks down -z), a red quad at x 0 to 200
// and a green one at x 200 to 400, each at its depth, drawn under the cut.
TEST_F(Cutaway, EachDirectionRemovesTheSlabNextToTheFaceItStartsFrom) {
    Wall(doc->itsLayers, {{0, 0}, {400, 0}, {400, 300}});
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
    glViewport(0, 0, 64, 48);
    glMatrixMode(GL_PROJECTION);
    glOrtho(-100, 500, -50, 50, -1000, 1000);
    glMatrixMode(GL_MODELVIEW);
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        doc->itsDocState->cutAwayKind = r.mode;
        doc->itsDocState->cutAwayPosition = r.position;
        SetSlicePlaneBounds();
        ComputeSlicePlane();
        DeleteAllRendererObjects();
        AddQuad({{0, 40, r.redZ}, {200, 40, r.redZ}, {200, -40, r.redZ}, {0, -40, r.redZ}}, kRed);
        AddQuad({{200, 40, r.greenZ}, {400, 40, r.greenZ}, {400, -40, r.greenZ}, {200, -40, r.greenZ}}, kGreen);
        LoadSlicePlane();
        glEnable(GL_CLIP_PLANE0);
        glClear(GL_COLOR_BUFFER_BIT);
        DrawPlaneObjects();
        glDisable(GL_CLIP_PLANE0);
        gl->present();
        // x 100 and 300 of the -100..500 range: pixels 21 and 42 of 64.
        EXPECT_TRUE(NearColor(gl->pixel(21, 24), r.redShown ? 255 : 0, 0, 0, 2));
        EXPECT_TRUE(NearColor(gl->pixel(42, 24), 0, 255, 0, 2));
    }
}

}  // namespace

#include "render_fixture.h"

#include <cstdlib>

#include <GL/glu.h>

#include "render/gl.h"
#include "render/light_glows.h"
#include "render/core/live_view_seams.h"
#include "render/renderer_startup.h"
#include "support/fixture.h"

namespace dvxtest {

PlaneObject* AddQuad(const std::vector<V3>& corners, RGBColor colour) {
    PlaneObject* piece = CreatePlaneObject();
    auto* v = static_cast<PlaneVertex*>(std::calloc(corners.size(), sizeof(PlaneVertex)));
    for (size_t i = 0; i < corners.size(); ++i) v[i].H = corners[i].h, v[i].V = corners[i].v, v[i].D = corners[i].d;
    AppendPlane(v, static_cast<uint32_t>(corners.size()), 0, 0, 1, piece);
    piece->frontColor = piece->backColor = colour;
    AppendPlaneObjectToList(gGLPlaneObjects, piece);
    return piece;
}

void DrawPlaneObject(const PlaneObject* p) {
    glColor4f(p->frontColor.red / 65535.0f, p->frontColor.green / 65535.0f, p->frontColor.blue / 65535.0f,
              p->alpha / 255.0f);
    for (const Plane* plane = p->planes; plane; plane = plane->next) {
        glBegin(GL_POLYGON);
        for (uint32_t i = 0; i < plane->count; ++i)
            glVertex3f(plane->vertices[i].H, -plane->vertices[i].V, plane->vertices[i].D);
        glEnd();
    }
}

WindowPoint ProjectToWindow(double x, double y, double z) {
    double m[16], p[16], wx = 0, wy = 0, wz = 0;
    GLint v[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, m), glGetDoublev(GL_PROJECTION_MATRIX, p), glGetIntegerv(GL_VIEWPORT, v);
    gluProject(x, y, z, m, p, v, &wx, &wy, &wz);
    return {int(wx), int(wy)};
}

void DrawPlaneObjects(const PlaneObject* head) {
    for (const PlaneObject* p = head; p; p = p->next) DrawPlaneObject(p);
}

void RenderTest::SetUp() {
    DocumentTest::SetUp();
    Resize(64, 48);
}

void RenderTest::Resize(int width, int height) {
    if (gl) EndGLContextObjects();
    gl.reset();
    gl = std::make_unique<OffscreenGL>(width, height);
    ASSERT_TRUE(gl->ok());
    StartRenderer();
    StartGLContextObjects();
}

void RenderTest::TearDown() {
    DeleteAllRendererObjects();
    EndGLContextObjects();
    gl.reset();
    DocumentTest::TearDown();
}

void LiveViewRenderTest::SetUp() {
    RenderTest::SetUp();
    SetLiveViewControllerExistsHandler([] { return true; });
    UseViewSize(64, 64);
}

void LiveViewRenderTest::UseViewSize(int width, int height) {
    host.reset();
    Resize(width, height);
    host = std::make_unique<LiveViewHostRecorder>(gl.get(), float(width), float(height));
}

void LiveViewRenderTest::TearDown() {
    host.reset(), SetLiveViewControllerExistsHandler(nullptr);
    RenderTest::TearDown();
}

}  // namespace dvxtest

#include "render_fixture.h"

#include <cstdlib>

#include "render/gl.h"
#include "render/light_glows.h"
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

}  // namespace dvxtest

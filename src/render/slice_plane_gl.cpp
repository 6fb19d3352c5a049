#include "render/slice_plane_gl.h"

#include "render/core/slice_plane.h"
#include "render/gl.h"

void LoadSlicePlane() {
    const GLdouble equation[4] = {gSlicePaneEquation[0], gSlicePaneEquation[1], gSlicePaneEquation[2],
                                  gSlicePaneEquation[3]};
    glClipPlane(GL_CLIP_PLANE0, equation);
}

#include "scene/pick_state.h"

#include "port/seam.h"

int32_t gPickX = 0;
int32_t gPickY = 0;
uint8_t gRenderingOpenGL = 0;
uint8_t gGLPickMode = 0;
uint8_t gGLPick3DSelectionMode = 0;
uint8_t gGLFindAppliedMode = 0;

static const port::GlobalReset kReset([] {
    gPickX = gPickY = 0;
    gRenderingOpenGL = gGLPickMode = gGLPick3DSelectionMode = gGLFindAppliedMode = 0;
});

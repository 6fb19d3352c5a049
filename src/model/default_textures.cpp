#include "model/default_textures.h"

#include "port/seam.h"

int32_t gFlooringDefaultTexture = 1700;
int32_t gFillDefaultTexture = 1115;
int32_t gEdgingDefaultTexture = 2202;
int32_t gPathDefaultTexture = 1103;
int32_t gFenceDefaultTexture = 2212;
int32_t gDoorDefaultTexture = 0;
int32_t gWindowDefaultTexture = 0;
static const port::GlobalReset kReset([] {
    gFlooringDefaultTexture = 1700;
    gFillDefaultTexture = 1115;
    gEdgingDefaultTexture = 2202;
    gPathDefaultTexture = 1103;
    gFenceDefaultTexture = 2212;
    gDoorDefaultTexture = 0;
    gWindowDefaultTexture = 0;
});

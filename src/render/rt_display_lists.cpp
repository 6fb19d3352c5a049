#include "render/rt_display_lists.h"

#include "port/seam.h"
#include "render/gl.h"

uint32_t gSceneDisplayList = 0;
uint32_t gViewpointDisplayList = 0;
uint32_t gBackgroundDisplayList = 0;
uint32_t gLotDisplayList = 0;
uint32_t gFlatLotDisplayList = 0;
uint32_t gBaseLotDisplayList = 0;
int64_t gDisplayListCompiles = 0;

// The names die with the context a reset stands for; nothing is deleted here.
static const port::GlobalReset kReset([] {
    gSceneDisplayList = gViewpointDisplayList = gBackgroundDisplayList = 0;
    gLotDisplayList = gFlatLotDisplayList = gBaseLotDisplayList = 0;
    gDisplayListCompiles = 0;
});

namespace {
void Delete(uint32_t& list) {
    if (list) glDeleteLists(list, 1);
    list = 0;
}
}  // namespace

namespace rt {
void ResetSceneDisplayList() { Delete(gSceneDisplayList); }
void ResetViewpointDisplayList() { Delete(gViewpointDisplayList); }
void ResetBackgroundDisplayList() { Delete(gBackgroundDisplayList); }
void ResetLotDisplayList() { Delete(gLotDisplayList); }
void ResetFlatLotDisplayList() { Delete(gFlatLotDisplayList); }
void ResetBaseLotDisplayList() { Delete(gBaseLotDisplayList); }

void ResetAllDisplayLists() {
    ResetSceneDisplayList();
    ResetViewpointDisplayList();
    ResetBackgroundDisplayList();
    ResetLotDisplayList();
    ResetFlatLotDisplayList();
    ResetBaseLotDisplayList();
}
}  // namespace rt

bool BeginDisplayList(uint32_t& list) {
    if (list) {
        glCallList(list);
        return false;
    }
    list = glGenLists(1);
    if (list) {
        glNewList(list, GL_COMPILE_AND_EXECUTE);
        ++gDisplayListCompiles;
    }
    return true;
}

void EndDisplayList(uint32_t list) {
    if (list) glEndList();
}

void AbandonDisplayList(uint32_t& list) {
    if (!list) return;
    glEndList();
    Delete(list);
}

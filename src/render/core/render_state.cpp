#include "render/core/render_state.h"

#include "model/deletion.h"
#include "port/seam.h"

namespace {
// Half clear until the live view's preferences set it.
constexpr uint8_t kDefaultGlassOpacity = 128;
}  // namespace

uint8_t gRefreshRender = 0;
uint8_t gRenderOnShow = 0;
uint8_t gRenderDirty = 0;
uint8_t gReRenderGLObjects = 0;
uint8_t gRenderGL = 0;
uint8_t gRenderingDirect3D = 0;
uint8_t gForceRenderObjectNow = 0;
uint8_t gTexturedWire = 0;
uint8_t gLiveViewPanelVisible = 0;
uint8_t gEnableBackgroundRendering = 0;
uint8_t gWindowGlassTransparency = kDefaultGlassOpacity;
Objex* gPrevPlaneParentObject = nullptr;
RGBColor gPrevPlaneColor;
static const port::GlobalReset kReset([] {
    gRefreshRender = 0;
    gRenderOnShow = 0;
    gRenderDirty = 0;
    gReRenderGLObjects = 0;
    gRenderGL = 0;
    gRenderingDirect3D = 0;
    gForceRenderObjectNow = 0;
    gTexturedWire = 0;
    gLiveViewPanelVisible = 0;
    gEnableBackgroundRendering = 0;
    gWindowGlassTransparency = kDefaultGlassOpacity;
    gPrevPlaneParentObject = nullptr;
    gPrevPlaneColor = {};
});
static const ObjectForgetter kForget([](const Objex* o) {
    if (gPrevPlaneParentObject == o) gPrevPlaneParentObject = nullptr;
});

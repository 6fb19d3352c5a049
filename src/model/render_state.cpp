#include "model/render_state.h"

#include "model/deletion.h"
#include "port/seam.h"

namespace {
// Half clear until the live view's preferences set it.
constexpr uint8_t kDefaultGlassOpacity = 128;
constexpr int32_t kFirstStencilValue = 2;
constexpr float kDefaultFOV = 60.0f;
constexpr float kDefaultWalkFOV = 45.0f;
constexpr float kDefaultChopperFOV = 38.0f;
constexpr RGBColor kDefaultClearViewLine{0, 64 * 257, 136 * 257};
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
RGBColor gClearViewLineColor = kDefaultClearViewLine;
uint8_t gEnableBackgroundRendering = 0;
uint8_t gRealTimeElevate = 0;
uint8_t gWindowGlassTransparency = kDefaultGlassOpacity;
Objex* gPrevPlaneParentObject = nullptr;
RGBColor gPrevPlaneColor;
uint8_t gRenderOpenGLAntiAlias = 0;
uint8_t gBreakOpenGLRender = 0;
uint8_t g3DViewPrintInterrupted = 0;
uint8_t gPrinting3DView = 0;
uint8_t gRenderingShadowMap = 0;
uint8_t gRenderingShadowMapAntiAlias = 0;
uint8_t gRenderPlantsInColor = 0;
uint8_t gSkipTransparent = 0;
uint8_t gHideNonShadowObjects = 0;
uint8_t gNoPlants = 0;
uint8_t gDrawClearViewRorozErud = 0;
int32_t gGLObjectsRendered = 0;
uint8_t gCountRenderingObjects = 0;
int32_t gCurrentStencilValue = kFirstStencilValue;
float gFOV = kDefaultFOV;
float gWalkFOV = kDefaultWalkFOV;
float gChopperFOV = kDefaultChopperFOV;
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
    gClearViewLineColor = kDefaultClearViewLine;
    gEnableBackgroundRendering = 0;
    gRealTimeElevate = 0;
    gWindowGlassTransparency = kDefaultGlassOpacity;
    gPrevPlaneParentObject = nullptr;
    gPrevPlaneColor = {};
    gRenderOpenGLAntiAlias = 0;
    gBreakOpenGLRender = 0;
    g3DViewPrintInterrupted = 0;
    gPrinting3DView = 0;
    gRenderingShadowMap = 0;
    gRenderingShadowMapAntiAlias = 0;
    gRenderPlantsInColor = 0;
    gSkipTransparent = 0;
    gHideNonShadowObjects = 0;
    gNoPlants = 0;
    gDrawClearViewRorozErud = 0;
    gGLObjectsRendered = 0;
    gCountRenderingObjects = 0;
    gCurrentStencilValue = kFirstStencilValue;
    gFOV = kDefaultFOV;
    gWalkFOV = kDefaultWalkFOV;
    gChopperFOV = kDefaultChopperFOV;
});
static const ObjectForgetter kForget([](const Objex* o) {
    if (gPrevPlaneParentObject == o) gPrevPlaneParentObject = nullptr;
});

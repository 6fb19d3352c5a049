#pragma once
// The live view's real-time frame as the camera tool draws it while the button is down, one
// call per step: set up (`RTInitializeGLScene`, live_view_seams.h), the viewpoint from the
// settings record's camera, the scene's plane objects, finish. Nothing until the live view
// registers itself.
#include "port/seam.h"

struct PlaneObject;

DVX_SEAM(RTSetViewpoint, "render", port::SeamKind::Renderer, void())
DVX_SEAM(RealTimeRenderAllGLPlaneObjects, "render", port::SeamKind::Renderer, void(PlaneObject* first))
DVX_SEAM(RTFinalizeGLScene, "render", port::SeamKind::Renderer, void())

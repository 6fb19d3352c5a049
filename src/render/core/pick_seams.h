#pragma once
// The live view's pick: what lies under a window point of the 3D view. Until the renderer
// registers itself there is no selection buffer, so every drop is refused and nothing changes.
#include <cstdint>

#include "port/seam.h"

struct PlaneObject;

// The selection name of the lot; plane objects are named so they lead back to themselves.
inline constexpr uint32_t kLotPickName = 1;
// Names the selection buffer holds.
inline constexpr int32_t kPickBufferNames = 10000;

struct GLPick {
    enum Kind : uint8_t {
        NoSelectionBuffer,  // nothing could be picked: the drop is refused
        Nothing,            // the sky
        Lot,
        Piece,              // `piece` holds the plane object
    };
    Kind kind = NoSelectionBuffer;
    PlaneObject* piece = nullptr;
};

// Draws the real-time scene in selection mode at the point (`RTInitializeGLScene`,
// `RTSetViewpoint`, `RealTimeRenderGLPlaneObjects` with gPickX, gPickY and the pick flags set
// by the caller) and answers the hit with the smallest minimum depth.
DVX_SEAM(PickGLPlaneObject, "render", port::SeamKind::Renderer, GLPick(int32_t x, int32_t y))

#pragma once
// Point builders and view set-up for the bounds, polygon and texture mapping tests.
#include "model/objects.h"
#include "model/projection.h"
#include "model/view_state.h"

namespace geomtest {

struct Vec3 {
    float h = 0, v = 0, d = 0;
};

// Appends a point at (h, v, d) with the given in- and out-tangents.
inline Poinz* Add(Objex* o, float h, float v, float d, Vec3 in = {}, Vec3 out = {}) {
    Poinz* p = CreatePoint(1, 0, 0, in.h, in.v, in.d, h, v, d, out.h, out.v, out.d, 0, 0, 0, o);
    AppendPointToObject(p, o);
    return p;
}

// The view at the given angles about the origin, with or without perspective.
inline void SetView(float xAngle, float yAngle, uint8_t perspective = 0, float viewDistance = 0,
                    float viewFactor = 1.0f) {
    gXViewAngle = xAngle;
    gYViewAngle = yAngle;
    gPerspective = perspective;
    gViewFactor = viewFactor;
    gViewDistance = viewDistance;
    gGlobalXOffset = gGlobalYOffset = gGlobalZOffset = 0;
    SetUpForRotationAboutArbitraryAxis(xAngle, yAngle, &gCosXAngle, &gSinXAngle, &gCosYAngle,
                                       &gSinYAngle, perspective);
}

// Seen from above: the 2D box spans H across and D down.
inline void SetPlanView() { SetView(90, 0); }

}  // namespace geomtest

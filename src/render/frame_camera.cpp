#include "render/frame_camera.h"

#include <cmath>
#include <numbers>

#include "model/bounds.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "render/gl.h"

namespace {

constexpr double kRadians = std::numbers::pi / 180.0;

constexpr float kEmptyMin = 32000.0f;
constexpr float kEmptyMax = -32000.0f;

// Rotation about (0, -1, 0) that turns elevation 1-4 to face the camera.
double ElevationTurn(int16_t view) {
    switch (view) {
    case 2: return 270.0;
    case 3: return 180.0;
    case 4: return 90.0;
    default: return 0.0;
    }
}

}  // namespace

void ApplyLiveViewCamera(const DocState& ds) {
    if (ds.cameraMode == 1) {
        glRotatef(ds.navigationFlag ? ds.cameraValue : 0.0f, 1, 0, 0);
        glRotatef(ds.cameraHeading, 0, -1, 0);
        glTranslatef(-ds.cameraPosition.floatH, -ds.eyeHeight, -ds.cameraPosition.floatV);
        return;
    }
    const double p = ds.flyValueA, h = ds.flyValueB, d = ds.flyAltitude;
    const double a = d * std::cos(p * kRadians), b = -d * std::sin(p * kRadians);
    const double c = a * std::cos(h * kRadians), e = a * std::sin(h * kRadians);
    glRotated(p, 1, 0, 0);
    glRotated(h + 90.0, 0, 1, 0);
    glTranslated(c, b, e);
    glTranslated(-ds.lightOffset.floatH, 0, -ds.lightOffset.floatV);
}

ElevationRange ComputeElevationRange(int16_t view, double viewportWidth, double viewportHeight) {
    ElevationRange r;
    Float3DRect box{kEmptyMin, kEmptyMin, kEmptyMin, kEmptyMax, kEmptyMax, kEmptyMax};
    if (gCurDocument) GetAllSpecialLayers3DBounds(gCurDocument->itsLayers, 0, &box, 0);
    const bool empty = box.floatTop == kEmptyMin && box.floatLeft == kEmptyMin && box.floatBack == kEmptyMin &&
                       box.floatBottom == kEmptyMax && box.floatRight == kEmptyMax && box.floatFront == kEmptyMax;
    if (!empty) {
        switch (view) {
        case 2: r.left = box.floatBack, r.right = box.floatFront; break;
        case 3: r.left = -box.floatRight, r.right = -box.floatLeft; break;
        case 4: r.left = -box.floatFront, r.right = -box.floatBack; break;
        default: r.left = box.floatLeft, r.right = box.floatRight; break;
        }
        r.halfWidth = std::fabs(r.right - r.left) / 2.0;
        r.verticalShift = -(double(box.floatBottom) - box.floatTop) / 2.0;
    }
    r.halfHeight = r.halfWidth * (viewportHeight / (viewportWidth == 0 ? 1.0 : viewportWidth));
    return r;
}

void LoadElevationView(DocState& ds, const ElevationRange& r, double dx, double dy, double depth) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // An empty design's zero-width range is refused by GL and leaves the identity.
    glOrtho(r.left + dx, r.right + dx, -r.halfHeight + dy, r.halfHeight + dy, -depth, depth);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_DEPTH_TEST);
    glRotated(ElevationTurn(ds.elevationView), 0, -1, 0);
    glTranslated(0, r.verticalShift, 0);
    if (ds.sceneValue <= 0.0f) ds.sceneValue = 1.0f;
    if (ds.sceneValue != 1.0f) glScalef(ds.sceneValue, ds.sceneValue, ds.sceneValue);
}

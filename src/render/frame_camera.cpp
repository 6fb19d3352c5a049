#include "render/frame_camera.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "model/bounds.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "render/gl.h"
#include "scene/plane_object.h"

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

// Grows the V range (V is the negated height) by the planes' corners.
void GrowByPlanes(const Plane* planes, float& highest, float& lowest) {
    for (const Plane* plane = planes; plane; plane = plane->next)
        for (uint32_t i = 0; i < plane->count; ++i) {
            highest = std::min(highest, plane->vertices[i].V);
            lowest = std::max(lowest, plane->vertices[i].V);
        }
}

bool OnHiddenLayer(const PlaneObject* piece) {
    const Objex* root = piece->baseObject ? GetRootObject(piece->baseObject) : nullptr;
    return root && root->layer && !root->layer->visible;
}

// The heights the scene's pieces reach, which the objects' boxes miss: a wall stands its height
// above its points, a solid above its outline, a plant's billboard its height above its base.
void GrowByScenePieces(float& highest, float& lowest) {
    for (const PlaneObject* p = gGLPlaneObjects; p; p = p->next) {
        if (OnHiddenLayer(p)) continue;
        float top = kEmptyMin, bottom = kEmptyMax;
        GrowByPlanes(p->planes, top, bottom);
        for (const PlaneObject* t = p->trims; t; t = t->next) GrowByPlanes(t->planes, top, bottom);
        if (top > bottom) continue;
        if (p->surfaceKind == kPlantSurface || p->surfaceKind == kUserPlantSurface)
            top = std::min(top, bottom - p->plantHeight);
        highest = std::min(highest, top), lowest = std::max(lowest, bottom);
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
    if (empty) return r;
    switch (view) {
    case 2: r.left = box.floatBack, r.right = box.floatFront; break;
    case 3: r.left = -box.floatRight, r.right = -box.floatLeft; break;
    case 4: r.left = -box.floatFront, r.right = -box.floatBack; break;
    default: r.left = box.floatLeft, r.right = box.floatRight; break;
    }
    r.halfWidth = std::fabs(r.right - r.left) / 2.0;
    const double aspect = viewportHeight / (viewportWidth == 0 ? 1.0 : viewportWidth);
    r.halfHeight = r.halfWidth * aspect;
    float highest = box.floatTop, lowest = box.floatBottom;
    GrowByScenePieces(highest, lowest);
    // The design's heights centred on the view.
    r.verticalShift = (double(highest) + lowest) / 2.0;
    const double halfSpan = (double(lowest) - highest) / 2.0;
    // Taller than the width gives room for: the range widens about its middle, never squeezing
    // the design.
    if (halfSpan > r.halfHeight && aspect > 0) {
        const double middle = (r.left + r.right) / 2.0;
        r.halfHeight = halfSpan, r.halfWidth = halfSpan / aspect;
        r.left = middle - r.halfWidth, r.right = middle + r.halfWidth;
    }
    return r;
}

void LoadElevationView(DocState& ds, const ElevationRange& r, double dx, double dy, double depth,
                       void (*beforeOrtho)()) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    if (beforeOrtho) beforeOrtho();
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

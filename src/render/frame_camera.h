#pragma once
// The live view's cameras, shared by the full-quality frame and the real-time frames so the
// image at mouse-up is the one the last drag showed: the walk camera (pitch, heading, eye),
// the fly camera circling its target, and the four orthographic elevations fitted to the
// design's visible objects and the heights their built pieces reach.
#include <cstdint>

struct DocState;

// The walk or fly camera by `cameraMode`, multiplied onto the current model-view matrix.
void ApplyLiveViewCamera(const DocState& ds);

// The horizontal range and height of an elevation (`elevationView` 1-4) in scene units.
struct ElevationRange {
    double left = 0, right = 0;
    double halfWidth = 0, halfHeight = 0;
    double verticalShift = 0;
};
// The range of the design's visible objects for the viewport, its heights (those of the scene's
// pieces too) centred; a design taller than the view widens the range about its middle. An
// empty design gives zeros.
ElevationRange ComputeElevationRange(int16_t elevationView, double viewportWidth, double viewportHeight);
// Loads the orthographic projection of the range moved by (dx, dy) scene units and depth
// -depth..depth, then an identity model-view with the elevation's rotation, shift and scale
// (`sceneValue`; a scale of 0 or less is stored back as 1.0). Depth testing is turned on.
// `beforeOrtho` multiplies its matrix (a pick box) onto the projection's identity first.
void LoadElevationView(DocState& ds, const ElevationRange& range, double dx, double dy, double depth,
                       void (*beforeOrtho)() = nullptr);

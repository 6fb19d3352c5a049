#pragma once
// Where the sun's orthographic view looks: the plan area that casts shadows and that the
// camera sees, the window over it, the grid of squares its depth image is taken in, and how
// large the grid may grow. Bounds here are four floats: minimum z, minimum x, maximum z,
// maximum x (plan H is x, plan D is z).
#include <cstddef>
#include <cstdint>

struct Layer;
struct Objex;
struct PlaneObject;

// The bounds every widening starts from.
inline constexpr float kEmptySunBounds[4] = {32000, 32000, -32000, -32000};

// Widens `bounds` by the x and z of every point of the shadow casters on all layers from
// `first` (a trait of their type, and no no-shadow mark on the object); none gives
// (0, 0, -0.0, -0.0).
void GetObjectsBoundsForSun(const Layer* first, float* bounds);
// Widens `bounds` by the object's points and, recursively, its children's.
void GetObjectSunBounds(const Objex* object, float* bounds);
// The smallest stored vertex height (V, negated) of the scene's planes, or 0 when none is
// below 0: minus the highest point of the scene.
float GetHighestPlanePointValue();
float GetHighestPlanePointValue(const PlaneObject* scene);

// The sun window over an area: `half` its half width, `top` its half height, and the offsets
// that centre the area under it.
struct SunWindow {
    float half = 0, top = 0;
    float xOffset = 0, zOffset = 0, verticalOffset = 0;
};
// From the object and view bounds, the sun's overhead angle (at most 90) and the scene's
// GetHighestPlanePointValue.
SunWindow ComputeSunWindow(const float* objectBounds, const float* viewBounds, float altitude, float highest);
// The grid's squares a side from the sun shadow quality (-1 chooses by `half`); 0 for one view.
int32_t SunGridSize(int16_t quality, float half);
// The sun views' size for an n x n grid of `width` x `height` images, shrunk (keeping the
// aspect) until the grid, the coverage image and one square's image fit in `limitBytes`.
void SunViewSize(int32_t n, int width, int height, size_t limitBytes, int* sunWidth, int* sunHeight);
// The window of square (column c, row r), both from 1, of an n x n grid: left, right, bottom, top.
void SunSquare(const SunWindow& w, int32_t n, int32_t c, int32_t r, float* out);

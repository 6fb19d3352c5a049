#pragma once
// The reference scenes of the render benchmarks: the generated design at 5,000 or 50,000
// objects with 10 light fixtures, built into the scene list as showing the live view builds
// it (about 5,950 plane objects at 5,000, plants included). Made on first use and kept; each
// call makes its design current and its scene the scene list.
#include <cstdint>
#include <vector>

struct DocState;

namespace dvxbench {

// Plane objects in the scene, or -1 when the design could not be built.
int64_t UseReferenceScene(int64_t objects);

// The scene list's extent in plan (H) and depth (D).
struct Extent {
    float minX, maxX, minZ, maxZ;
};
Extent SceneExtent();

// Every plane of the scene list fanned into triangles (x, y, z a corner, y up): the one batch
// the render benchmarks' floors draw.
std::vector<float> SceneTriangles();

// The fly camera over the scene's middle from its width away (heading 45, pitch 30), solid.
void FlyOverScene(DocState* ds);

}  // namespace dvxbench

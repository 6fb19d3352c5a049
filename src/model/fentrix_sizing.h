#pragma once
// Size of imported objects (15) and groups of them in their own frame: an object turned by
// its rotation angle (params[4], degrees) is measured and resized as if unturned, so width,
// height and depth mean its own sides. Both need a current document with its settings
// record; the document's view kind is the same afterwards.
#include <cstdint>

struct Objex;

// Extents in plan units: width along H, height along V, depth along D.
void GetFentrixSize(Objex* object, float* width, float* height, float* depth);

// Resizes the object (left selected) in the axes whose change flag is set: to the given sizes
// (world units), or with percent set by the given percentages. No side becomes shorter than
// 1/16 of a world unit. Every requested axis is scaled; then the 3D model is rebuilt.
void ResizeFentrixObject(Objex* object, uint8_t percent, float width, float height, float depth,
                         uint8_t changeWidth, uint8_t changeHeight, uint8_t changeDepth);

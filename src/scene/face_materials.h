#pragma once
// What one side of a piece shows, and the model fields it came from, so that a material
// dropped on the piece in 3D is written back where it belongs. Shared by the face builders.
#include <cstdint>

#include "model/types.h"

struct DocState;
struct PlaneObject;
struct Poinz;

namespace facemat {

inline constexpr uint16_t kFullSize = 100;
// The lumber the framing view shows on grid cells and shaped wall faces.
inline constexpr int32_t kGridLumber = 2202;

struct Side {
    int32_t texture = 0;
    ShortPoint size{kFullSize, kFullSize};
    const RGBColor* color = nullptr; // shown when given; else the caller colours the piece
    int32_t* textureField = nullptr;
    RGBColor* colorField = nullptr;
    int16_t* scaleField = nullptr;
};

// A point's first and second side (a wall segment's two faces): texture and size shown, the
// colour left to the caller, all three fields pointing at the point.
Side PointSide1(Poinz* p);
Side PointSide2(Poinz* p);

void SetFront(PlaneObject* p, const Side& s);
void SetBack(PlaneObject* p, const Side& s);
void BothSides(PlaneObject* p, const Side& s);
// The framing view: `lumber` on both sides without colour, or the flat framing colours when
// the document asks for them; nothing to write back to either way.
void Framing(PlaneObject* p, const DocState* ds, int32_t lumber);
// The repeats of each textured side over a face of that size.
void SetRepeats(PlaneObject* p, float width, float height);

} // namespace facemat

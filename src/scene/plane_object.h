#pragma once
// A generated 3D piece of the scene and the scene list. Only the fields that model and file
// code read are here so far; the 3D generation fills in the rest (planes, colours, sources).
#include <cstdint>

inline constexpr uint16_t kPlanarSurface = 6;  // surface kind of a planar piece

struct PlaneObject {
    PlaneObject* prev = nullptr;
    uint16_t surfaceKind = 0;
    int32_t frontTexture = 0;
    int32_t backTexture = 0;
    PlaneObject* masks = nullptr;  // opening masks, owned
    PlaneObject* trims = nullptr;  // trims drawn after the face, owned
    PlaneObject* next = nullptr;
};

// Head of the scene list; empty until a scene is built.
extern PlaneObject* gGLPlaneObjects;

// A zeroed piece; null when memory runs out.
PlaneObject* CreatePlaneObject();
// Frees the piece with its mask and trim lists; does not unlink it.
void DeletePlaneObject(PlaneObject* planeObject);
// Links the piece at the tail of a list.
void AppendPlaneObjectToList(PlaneObject*& head, PlaneObject* planeObject);
// Frees every piece of a list and empties it.
void DeletePlaneObjectList(PlaneObject*& head);

#pragma once
// What the model asks of 3D generation. The scene registers its handlers; with none
// registered both calls do nothing.
#include <functional>

struct Objex;

// Discards the scene pieces built for the object.
void DeleteRendererObject(Objex* object);
// Recomputes the lot's elevation points from the topography objects.
void SetLotElevation();

void SetDeleteRendererObjectHandler(std::function<void(Objex*)> handler);
void SetLotElevationHandler(std::function<void()> handler);
void ResetSceneSeams();

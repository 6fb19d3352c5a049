#pragma once
// What the model asks of 3D generation. The scene registers its handlers; with none
// registered every call does nothing.
#include <functional>

struct Objex;

// Discards the scene pieces built for the object.
void DeleteRendererObject(Objex* object);
// Recomputes the lot's elevation points from the topography objects.
void SetLotElevation();
// Replaces the object's pieces in the live view's scene when the view is shown.
void ReRenderObject(Objex* object);
// Rebuilds the whole scene from the layers when the live view is shown.
void RenderAllLayers();
// Builds the pieces of one object and its attachments into the scene.
void RenderSingleObject(Objex* object);
// Rebuilds the pieces of the object and of all its descendants.
void RenderEntireObject(Objex* object);

void SetDeleteRendererObjectHandler(std::function<void(Objex*)> handler);
void SetLotElevationHandler(std::function<void()> handler);
void SetReRenderObjectHandler(std::function<void(Objex*)> handler);
void SetRenderAllLayersHandler(std::function<void()> handler);
void SetRenderSingleObjectHandler(std::function<void(Objex*)> handler);
void SetRenderEntireObjectHandler(std::function<void(Objex*)> handler);
void ResetSceneSeams();

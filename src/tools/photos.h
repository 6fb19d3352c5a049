#pragma once
// Photos (130): an image standing upright on a plan line of two points.
struct Layer;
struct Objex;

// A new photo on the current layer: a base line 1440 plan units long centred on the plan
// point under the view's origin, 360 inches high, on the current plan, with a fresh custom
// texture ID (gCurrentPhotoTextureID, then counted up) in its texture slots and on both
// points; its 3D form is built. The caller gives it its image path. Null without a
// document, settings record or current layer.
Objex* BuildPhoto();

// Replaces the photo's 3D form: its scene pieces and generated parts go, then one open panel
// (131) of four points is built from its first two points and the same points raised by its
// height (V minus the height), each point carrying the first point's materials. Nothing is
// built under two points; nothing at all without a document or settings record.
void Update3DPhoto(Objex* photo);
// The same for every photo of the layer, or of every layer from `firstLayer` on; hidden
// layers are skipped.
void Update3DPhotoLayer(Layer* layer);
void Update3DPhotoAllLayers(Layer* firstLayer);
// The inspector's image change asks for this; the photo's image is chosen elsewhere.
void ChangeRorozErudImage();

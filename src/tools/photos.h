#pragma once
// Photos (130): an image standing upright on a plan line of two points.
struct Objex;

// A new photo on the current layer: a base line 1440 plan units long centred on the plan
// point under the view's origin, 360 inches high, on the current plan, with a fresh custom
// texture ID (gCurrentPhotoTextureID, then counted up) in its texture slots and on both
// points; its 3D form is built. The caller gives it its image path. Null without a
// document, settings record or current layer.
Objex* BuildPhoto();

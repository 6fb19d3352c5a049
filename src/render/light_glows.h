#pragma once
// The glows of the design's light fixtures in the live view: each fixture's light volume is
// marked in the stencil buffer and a camera-facing sprite of the glow image (texture 14001)
// is drawn at the lamp, smaller the farther away it is. The sprite is drawn whole, over
// anything, but only when the lamp's centre is seen in the frame drawn so far: no surface but
// the fixture's own or a translucent one lies in front of it. Called by the frame after the
// scene (and after the shadow pass), whose depth it reads; it leaves only stencil contents
// behind.
#include <cstdint>

#include <GL/glu.h>

struct Objex;
struct PlaneObject;

// The quadric every light volume is drawn with; it lives as long as the GL context and is
// made and deleted with it (StartGLContextObjects / EndGLContextObjects). Null: no volumes.
extern GLUquadric* gQuadricObject;

// The objects a new GL context needs before anything is drawn, and their end before the
// context goes. Both the live view's window and the offscreen test surface call them.
void StartGLContextObjects();
void EndGLContextObjects();

// Draws the glow of every fixture in the scene list that starts at `scene`.
void RenderLights(PlaneObject* scene);

// One can or point light (`light` the object carrying its type): its stencil volume, then its
// sprite, both placed with the saved camera matrices; the sprite only where it is seen.
void RenderCanLightMask(PlaneObject* object, Objex* light, const double* modelview, const double* projection,
                        const int* viewport);
void RenderCanLightMap(PlaneObject* object, Objex* light, const double* modelview, const double* projection,
                       const int* viewport);
// A wall-mounted flood light: the volumes of both lamp heads, then a sprite at each head that
// is seen (the wall it hangs on hides it like any other). Nothing unless the light hangs on a
// wall and its record has both wall points. Each head's cone is marked with the depth test
// on: written (1) where it passes, then drawn again zeroing where it passes and inverting
// where the scene lies in front of it, so a scene surface seen from inside a cone reads 255
// and one seen through the cone's wall 0.
void RenderFloodLightMask(PlaneObject* object, Objex* light, const double* modelview, const double* projection,
                          const int* viewport);
void RenderFloodLightMap(Objex* light, float x, float y, float z, const double* modelview,
                         const double* projection, const int* viewport);

#pragma once
// What surrounds the building in the live view: the sky backdrop, the lot's ground (flat, or
// shaped by the topography grid, with holes where excavations and cut-out exterior walls
// are) and its soil sides and bottom. The frame calls all three for every pass.
#include <cstdint>

class GLUnurbs;
struct NurbPatch;
struct Objex;

// The backdrop quad over the whole view, square in pixels; `jitter` shifts it by the offset of
// anti-aliasing pass `pass`. Needs the live-view controller and a document.
void RenderGLBackground(bool jitter, int32_t pass);
// The ground: shaped by the topography when it is in use and not flat, else flat.
void RenderGLLot();
// The flat ground at elevation 0: one trimmed surface, or one polygon in render modes 1 and 2
// and while the topography is hidden.
void RenderGLFlatLot();
// The soil: four sides and a bottom 5000 below the ground.
void RenderGLLotBase();

// The trims of every usable cut-out touching the patch, between gluBeginSurface and
// gluEndSurface, after the outer trim.
void RenderPWLCurves(GLUnurbs* nurbs, const NurbPatch& patch);
void RenderPWLCurve(GLUnurbs* nurbs, const Objex* object, const NurbPatch& patch);

#pragma once
// Drawing the scene list for one pass of a full-quality frame: which pieces show, each routed
// to its drawer, openings carved through the stencil buffer before their face, floors drawn
// floor by floor with their holes, translucent pieces last. Anti-aliased and shadow-map
// renders can be cancelled with Escape, polled every 300 pieces.
//
// Shadow renders draw shadow variants of the drawers that do not exist here; those branches
// are left out.
#include <cstdint>

struct PlaneObject;

// Plane objects the counting pass of a render walked (reset when a counting pass starts).
extern int32_t gTotalObjectsRendered;

// The drawers a walk hands each piece to (the GL drawers unless a caller records them).
struct PlaneDrawers {
    void (*plane)(PlaneObject*, int16_t);
    void (*trim)(PlaneObject*, int16_t);
    void (*autoGen)(PlaneObject*, int16_t);
    void (*plant)(PlaneObject*);
    void (*photo)(PlaneObject*);
};
extern const PlaneDrawers kGLPlaneDrawers;

struct PlaneWalkOptions {
    // Filler pieces (kind 900) are drawn only while picking.
    bool picking = false;
    const PlaneDrawers* drawers = &kGLPlaneDrawers;
};

// One pass over the list: the main walk, the three floors' passes and the translucent pass,
// with the status "Rendering" while it runs (not in anti-aliased or shadow-map renders). An
// Escape in the main walk or the translucent pass returns at once, leaving the status; one in
// a floor pass ends that walk, starts no further floor and lets the translucent pass run.
// Clears gDisableRenderInterrupt when it completes. Nothing without a document.
void RenderGLPlaneObjects(PlaneObject* list);
void RenderGLPlaneObjects(PlaneObject* list, const PlaneWalkOptions& options);
// Plants only (light views), with the same Escape polling.
void RenderGLPlaneObjectsPlantsOnly(PlaneObject* list, const PlaneWalkOptions& options = {});
// Every filler piece with colour writes off: depth only. Nothing calls it.
void RenderGLFillerPlaneObjects(PlaneObject* list, const PlaneWalkOptions& options = {});

// The stencil value the next masked face takes (and, in the real-time walk, the next floor's
// holes): gCurrentStencilValue, unless the stencil's 8 bits are spent, when the stencil is
// cleared and the values start again at 2, so no earlier mask punches a hole in a later face.
// The caller moves gCurrentStencilValue on once it is done with the value.
int32_t NextMaskStencilValue();

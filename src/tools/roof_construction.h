#pragma once
// Roofs drawn over walls (14): four outline points P0..P3 (P0->P1 along the ridge, P0->P3
// across the span), a pitch and a style (objfield::roof). The 3D form is a list of generated
// pieces in the roof's `typeData.roofPanels`, rebuilt whole after every change: slopes and hip
// triangles (32, subtypes 10-13, carrying their plane), fascia and rake strips (35) and
// undersides (41, subtypes 10-13). V grows downward; the roof is 12 units thick.
#include "model/types.h"

struct Layer;
struct Objex;

// The two ridge points of a roof of the style over the outline, plan positions and heights:
// midpoints of the end edges risen by the pitch's rise over half the span plus 12, each end
// moved by its end kind. Hip moves that would cross stop both points at the ridge's middle.
struct RoofRidge {
    Float3DPoint left, right;
    float halfSpan = 0;
};
RoofRidge RoofRidgePoints(const Float3DPoint (&outline)[4], int32_t style, float pitch);
// Whether the outline runs the other way round (positive signed area in plan x, z): the pieces'
// corners are then listed in the opposite order so that they still face outward.
bool IsRoofOutlineReversed(const Float3DPoint (&outline)[4]);

// Drops the roof's scene entries and pieces and builds them again, then refits its skylights
// and cut-outs. Anything but a roof is left alone.
void Update3DRoof(Objex* roof);
// Every object of the layer when it is visible.
void Update3DRoofLayer(Layer* layer);
// Every layer of the chain.
void Update3DRoofAllLayers(Layer* firstLayer);

// Builds the pieces into the roof's generated list; nothing without a document, a layer or
// four outline points.
void Construct3DRoof(Objex* roof);

// Corner scratch of the end builders: the outline's eave (e) and base (b) corners and the
// ridge points raised (R) and lowered by the thickness (R').
struct RoofCorners;
void BuildLeftHip(Objex* roof, const RoofCorners& c, Layer* layer);
void BuildRightHip(Objex* roof, const RoofCorners& c, Layer* layer);
void BuildLeftGable(Objex* roof, const RoofCorners& c, Layer* layer);
void BuildRightGable(Objex* roof, const RoofCorners& c, Layer* layer);

// Closes the piece, measures its texture faces and lengths, takes it out of the layer and
// appends it to the roof's generated pieces.
void Setup3DRoofObject(Objex* piece, Objex* roof);

#pragma once
// Landscape edging in 3D. An edging (24) is a polyline, curved through its points' tangents;
// every rebuild throws its blocks away and sets new ones 20 plan units apart along the curve,
// the first on its first point, each 8 x 8 and a random 12 to 24 high. The walk keeps the
// distance since the last block in the step-walk record across chords and segments.
#include <cstdint>

#include "model/style_state.h"

struct Layer;
struct Objex;
struct Poinz;

// Rebuilds an edging with at least two points in one row; anything else is left alone.
void UpdateEdgingObject(Objex* edging);
// For an edging: the walk starts afresh (spacing 20, a block due at once), 0. Otherwise 1 when
// an object was given, else 0.
int16_t UpdateEdgingStyle(int16_t ignored, StyleState& state, Objex* edging);
// Walks the curve from `point` to `next` in chords at the document's curve resolution.
void UpdateEdgingSegment(Objex* edging, const Poinz* point, const Poinz* next, StyleState& state);
// Places the blocks that fall on the chord (x0, y0, z0) -> (x1, y1, z1).
void UpdateEdgingList(float x0, float y0, float z0, float x1, float y1, float z1, StyleState& state,
                      Objex* edging);
// One block at plan (x, z) standing on y, turned to the angle.
void AppendEdgingObject(Objex* edging, float x, float y, float z, float angle);

// Every edging of a visible layer; the same for every visible layer from the first on.
void UpdateEdgingLayer(Layer* layer);
void UpdateEdgingAllLayers(Layer* firstLayer);

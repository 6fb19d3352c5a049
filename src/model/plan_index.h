#pragma once
// A per-layer spatial index of the top-level objects' plan boxes (H across, D down, from
// `bounds3D`), so drawing, hit testing and the marquee visit only what lies near the area
// they look at. A layer's index is built in one bulk load on its first search and from then
// on kept by the list's links and unlinks (objects.cpp) and by the bounds updates
// (bounds.cpp); a design read or restored from undo gets new layers and so a new bulk load.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/types.h"

struct Layer;
struct Objex;

// Whether drawing, hit testing and the marquee search through the index (1, the default) or
// walk every object (0, for comparing the two). Off, dimension readouts outside the part
// being redrawn are drawn too, and readout boxes of no height are filled.
extern uint8_t gPlanIndexOn;

// The plan box the index keeps for an object, grown by what it draws beyond its points;
// false for an object that has no usable box (none measured yet, or not a number), which
// every search returns.
bool PlanIndexBox(const Objex* object, FloatRect* box);

// The objects of the layer's list whose box meets `area` (plan units, H and D), with every
// object without a box, in list order. Appends to `out`.
void PlanIndexCandidates(Layer* layer, const FloatRect& area, std::vector<Objex*>* out);

// Puts objects[start..] in the layer's list order, dropping any that are not top-level
// objects of its list. Builds the layer's index when it has none, even with nothing to order.
void PlanIndexInListOrder(Layer* layer, std::vector<Objex*>* objects, size_t start);

// The plan area (H, D) a rectangle of the view shows, grown on every side by `marginPixels`
// of the view; false while the index is off or the view is not a plain top view (turned,
// tilted or in perspective), where plan boxes do not map to the view by a scale and an offset.
bool PlanIndexViewArea(float left, float top, float right, float bottom, float marginPixels, FloatRect* area);

// Whether the layer has an index built (searches build one).
bool HasPlanIndex(const Layer* layer);
// Whether the layer's built index holds the object, that is whether it is a top-level object
// of the layer's list; false without an index.
bool PlanIndexHolds(const Layer* layer, const Objex* object);
// The number of objects the layer's index holds (0 without one).
size_t PlanIndexSize(const Layer* layer);

// The hooks that keep a built index current; each does nothing for an object outside a
// layer's list or on a layer without an index.
void PlanIndexLinked(Objex* object);
void PlanIndexUnlinked(Objex* object);
void PlanIndexBoundsChanged(Objex* object);
// Drops the layer's index; the next search builds it anew.
void PlanIndexForget(Layer* layer);

// Grows with every call of the hooks above for an object in a layer, whether or not an index
// is built: a view that keeps a picture of the plan compares it to learn that the design
// changed under the picture.
uint64_t PlanEditCount();

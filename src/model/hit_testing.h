#pragma once
// What lies under a click: handles of selected objects, points, segments (with the place on
// the curve), the inside of filled detail shapes, or whole objects. Every model position is
// projected into the current view (zoomed, with perspective when the view has it) and
// compared with the click's view point; projected coordinates are clamped to +-32767 and
// rounded to whole units, and a point lies in a rectangle when left <= x < right and
// top <= y < bottom.
//
// The searches fill the hit fields of the click record and answer whether they found
// something; the caller stores the answer in ciHit.
#include <cstdint>

struct ClickInfo;
struct Layer;
struct Objex;
struct Poinz;

// Which hit on a layer is taken: 1 the topmost, 2 the one under it (intersection snapping).
extern int16_t gSelectIndex;

// Half-size of the pick square: the document's pick tolerance, at least 2; 5 without one.
int32_t PickHalfSize();

// Whether the click lies within 5 view units of the projected world point.
bool Test3DHit(float h, float v, float d, ClickInfo* click);
// Whether the click lies on the point's pick square, shrunk by (dx, dy) on each side when
// either is non-zero (negative values enlarge it).
bool SearchPoint(Poinz* point, ClickInfo* click, int16_t dx, int16_t dy);
// Whether the click lies on the segment p1 -> p2; on a hit fills the piece fields and the
// hit position.
bool SearchObjectSpline(Poinz* p1, Poinz* p2, ClickInfo* click, int16_t dx, int16_t dy);
// The segment search with its report: a detectable end point under the click, else the
// segment; an undetectable end point under the click is no hit.
bool SearchOnASpline(Objex* object, Poinz* p1, Poinz* p2, ClickInfo* click, int16_t dx, int16_t dy);
// Every segment of the object (one row, or the grid of a multi-row surface); first hit wins.
bool SearchSplinesInObject(Objex* object, ClickInfo* click);

// The object and then its children. `types` (count >= 1) limits which objects are tested
// themselves; their children are searched anyway.
bool SelectFromObject(Objex* object, ClickInfo* click, uint8_t onlySelected, const int16_t* types,
                      int16_t typeCount);
// The objects of a visible, active layer from the last to the first, handles first, with
// gSelectIndex choosing among the hits.
bool SelectFromLayer(Layer* layer, ClickInfo* click, uint8_t onlySelected, const int16_t* types,
                     int16_t typeCount);
// The points alone of the layer's listed objects (the last object first): the first detectable
// point whose whole pick square holds the click, as a point report. The layer search looks for
// points only on the segments it hits, whose boxes grow one unit less than the square, so it
// misses a click just beyond an end.
bool SelectPointFromLayer(Layer* layer, ClickInfo* click, const int16_t* types, int16_t typeCount);
// The free ends alone (first and last points of the layer's open listed objects): of those
// whose pick square holds the click, the nearest, as a point report.
bool SelectFreeEndFromLayer(Layer* layer, ClickInfo* click, const int16_t* types, int16_t typeCount);
// From the last layer of the list down to firstLayer; the first layer with a hit ends it.
// `plans`, a plan mask, limits the search to the objects it shows (IsObjectOnCurrentPlan);
// 0 searches those of the document's visible plans.
bool SelectFromAllLayers(Layer* firstLayer, ClickInfo* click, uint8_t onlySelected,
                         const int16_t* types, int16_t typeCount, int32_t plans = 0);

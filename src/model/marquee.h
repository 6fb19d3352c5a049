#pragma once
// Selecting what a dragged rectangle encloses. Rectangles are view coordinates (zoomed plan
// units of the current view); a point lies inside when left <= x < right and
// top <= y < bottom, two rectangles intersect when they overlap with positive area.
//
// An object is taken only when its bounds, rounded and grown by 2, fit wholly inside; wall
// points are taken one by one. The marquee tracker passes mode 3 while Shift is held, else 1.
#include <cstdint>

#include "port/winrecords.h"

struct Layer;
struct Objex;
struct Poinz;

void SelectLayerInRect(Layer* layer, const RECT* rect, int8_t mode, uint8_t redraw);
void SelectAllLayersInRect(Layer* firstLayer, const RECT* rect, int8_t mode, uint8_t redraw);

// Selection by points against the object's stored plan bounds, unprojected.
void SelectObjectInRect(Objex* object, const RECT* rect, int8_t mode, uint8_t redraw);
bool SelectPointInRect(Poinz* point, Objex* object, const RECT* rect, int8_t mode, uint8_t redraw);

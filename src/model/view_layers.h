#pragma once
// Drafting done on top of a 2D view (the plan of a floor, or one of the four elevations)
// lives on a layer of its own per view, kept after the floors in the document's layer list,
// found by name and made on first use.
#include <cstdint>

struct Layer;
struct Objex;

// The layer name of a view command ID: "X_TOP_FIRST_FLOOR" ... "X_TOP_THIRD_FLOOR" for the
// plan by current floor, "X_LEFT", "X_RIGHT", "X_FRONT", "X_BACK" for the elevations; any
// other view (or a plan without the three floors) gives "X_TOP_FIRST_FLOOR".
const char* Get2DViewLayerName(uint16_t viewID);
// The view's layer, appended (visible, active) at the end of the list when there is none;
// null without a document.
Layer* Get2DViewLayer(uint16_t viewID);
// Whether the object belongs on a view layer: types 102, 200, 201 and groups whose first
// child is one of them.
bool Is2DViewObject(const Objex* object);
// Moves the top-level view objects of the layer onto the view's layer, in list order.
void Move2DObjectsTo2DLayer(Layer* layer, uint16_t viewID);
// Unlinks the object and appends it to the layer, with every descendant's layer link set.
void Move2DObject(Objex* object, Layer* layer);
void Move2DSubObjects(Objex* object, Layer* layer);
// Whether the layer is one of the view layers named above; one of the elevations' layers.
bool IsViewLayer(const Layer* layer);
bool IsElevationViewLayer(const Layer* layer);
// The floors are the document's layers that are no view layer (the topography layer is kept
// outside the list); the first floor is the first of them in the list, whatever the user
// named it. Null without a document or a floor.
Layer* GetFirstFloorLayer();
// The floor at the place (0 the first) among the floors, whatever its name; null past the last.
Layer* GetFloorLayerAt(int place);
// Hides and deselects the elevation layers, shows each floor's plan layer with its floor,
// makes no view layer active, then shows and activates the given layer.
void Set2DViewLayerVisibility(Layer* current);

#pragma once
// The 3D rebuilds of building and site elements that model and file code ask for after an
// object changed.
#include "tools/photos.h"

struct Layer;
struct Objex;

// Paths (22): the edgings of a border of style 2 (left, then right), then the surface, as the
// path's parts; other types are left alone. The layer variants run over the visible layers.
void Update3DPath(Objex* path);
void Update3DPathLayer(Layer* layer);
void Update3DPathAllLayers(Layer* firstLayer);
// The path's surface outline (type 23, not on a layer, its source the path), or null.
Objex* Construct3DPath(Objex* path);
// Excavations (134): one band along the outline and 1.0 below it while the depth is above 0.
void Update3DTopoCutoutDepthObject(Objex* object);
void Update3DTopoCutoutDepthLayer(Layer* layer);
void Update3DTopoCutoutDepthAllLayers(Layer* firstLayer);

#pragma once
// Fixed components: built-in symbols (ceiling lights, fans, floor receptacles, vents) dropped
// by a click as a group of the 2D symbol's pieces, whose first piece carries the 3D symbol's
// pieces turned by its own rotation angle (degrees, objfield::rotation::kFixedComponent).
#include <cstdint>

struct Layer;
struct Objex;

// Tools 7102, 7104, 7109 (and the palette's fixture-lights cell), 7111, 7202, 7211 and
// 7401-7406, at the release.
void TrackComponentFixed(float worldX, float worldY, float worldZ, int16_t stage, int16_t toolID);

// The 2D symbol's pieces, moved to (h, d), grouped on the current layer and left deselected;
// the group, or null (nothing made) when the symbol is missing or has no pieces.
Objex* Place2DSymbol(float h, float d, int16_t symbolType);

// Rebuilds the 3D pieces of a fixed component at the plan middle of its root's 3D bounds,
// turned by its rotation angle. Objects of other types, and air ducts without symbol pieces,
// are left alone.
void UpdateFixedComponent(Objex* object);
// Every group of a visible layer whose first piece carries 3D pieces; of every visible layer.
void UpdateFixedComponentLayer(Layer* layer);
void UpdateFixedComponentAllLayers(Layer* firstLayer);

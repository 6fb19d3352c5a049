#pragma once
// Freehand roof panels (57), their slope-direction arrows (58) and the slab (59) each panel
// generates: the freehand roof tool, the arrow's turning drag and the 3D rebuild. The slab is
// the head of the panel's `typeData.roofPanels`, where the roof refit and the special bounds
// read a roof's sections.
#include <cstdint>

struct Objex;
struct Layer;
struct DocState;

// The panel's first child of type 58, or null (also for a null panel).
Objex* FindSlopeDirectionArrowObject(Objex* panel);
// Whether any child of the panel is a slope arrow; false for a null panel.
bool SlopeDirectionArrowExists(Objex* panel);

// The freehand roof tool (7306): an outline drawn point by point becomes a panel sloping
// toward 270 degrees, anchored as the document says.
void TrackRoofPanel(int32_t x, int32_t y, float h, float v, float d, int16_t stage);
// Turns the arrow under gClickInfo about the panel's centre while the button is held (a loop
// on the gesture's drags and release); the release sets the panel's slope angle.
void TrackRoofSlopeDirection();

// Heights of the slab's two rings from the panel's pitch, slope angle and anchor flag; the
// plane and the subtracted offset are kept on the slab.
void SetRoofPanelSlope(Objex* panel, Objex* slab);
// Rebuilds the panel's slab, refits its skylights and cut-outs and places its arrow (making
// one when it has none). Other types: nothing.
void Update3DRoofPanel(Objex* panel);
// Every object of the layer when the layer is visible; every layer of the list.
void Update3DRoofPanelLayer(Layer* layer);
void Update3DRoofPanelAllLayers(Layer* firstLayer);

// Shared with the four- and three-point roof tools: gives a closed outline on a layer the
// panel's type, materials and defaults, its slope angle and anchor flag, and a new arrow.
// Update3DRoofPanel is left to the caller.
void MakeRoofPanel(Objex* outline, const DocState* ds, float elevation, int16_t anchor, float slopeAngle);

#pragma once
// The ceiling builder: floor objects (13) made from one selected wall, a floor slab and a
// ceiling slab along its outline and soffits along its selected segments. Afterwards they are
// ordinary floors, drawn, edited, saved and rebuilt in 3D like any other.
//
// Lengths given here (thickness, elevation, extension) are in the world unit; an extension
// offsets the slab edge from the wall line, outwards for a positive value whichever way the
// wall runs. The builder's values between uses live in model/tool_defaults.h.
#include <cstdint>

struct Layer;
struct Objex;
struct Poinz;

// Seeds the builder's values from the one wall selected on the current floor, which becomes
// gTheWallObject: the flooring tick, the flooring elevation, both slab extensions (minus half
// the wall's thickness) and the ceiling and soffit elevations (the lowest selected segment's
// height, plus the footing of an exterior wall, above the wall's elevation). 1 when filled;
// 0, changing nothing, without a document, settings record or current floor, or unless
// exactly one wall is selected there.
int16_t InitializeAutoCeilingFloorDlgVar();

// The floor and then the ceiling slab, each when asked, on the wall's layer, built in 3D and
// selected; one undo step for what was made. A slab whose outline cannot be made, or is one
// a read throws away (two points), is skipped.
void BuildAutoCeilingFloor(Objex* wall, uint8_t buildFloor, float floorThickness, float floorElevation,
                           float floorExtension, uint8_t buildCeiling, float ceilingThickness,
                           float ceilingElevation, float ceilingExtension);

// Soffits from the wall face out to `extension` beyond it, under each selected segment, or one
// per run of selected segments when `continuous` is set; one undo step for what was made.
// Nothing for an extension of 0.
void BuildAutoSoffits(Objex* wall, float thickness, float elevation, float extension, uint8_t continuous);

// One soffit with the corners a, b, c, d at their plan positions, on the layer and built in 3D.
Objex* CreateSoffitObject(Layer* layer, const Poinz* a, const Poinz* b, const Poinz* c, const Poinz* d,
                          float elevation, float thickness);

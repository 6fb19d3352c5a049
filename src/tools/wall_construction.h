#pragma once
// A wall's generated forms, rebuilt from its centre line after every change: the plan solid
// (kept in the wall's typeData, subtype 140, pointing back at the wall) and, for exterior
// walls, the quick-wall outline (type 113, in the wall's generated-parts list). Neither is
// linked into a layer.
struct Layer;
struct Objex;

// Throws the old forms away and builds them again, then stores the wall's bounds (read
// through its solid) and sets its elevation to the lowest base of its segments. Anything
// but a wall is left alone.
void Update3DWall(Objex* wall);
// Every object of the layer when it is visible.
void Update3DWallLayer(Layer* layer);
// Every visible layer of the chain.
void Update3DWallAllLayers(Layer* firstLayer);

// The wall's footprint at its full thickness, placed about the centre line by its alignment,
// as two rows (the outline, and the outline lowered by the base offset) of type 10 (closed)
// or 11 (open). Null without a document, settings record, layers or a layer for the wall.
Objex* Construct3DWall(Objex* wall);
// The quick-wall form: the centred outline as wide as the wall's quick-wall width, type 113.
// Null as for Construct3DWall.
Objex* ConstructQuickWall(Objex* wall);

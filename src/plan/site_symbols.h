#pragma once
// Plan symbols of plants, foundation elements, staircases and air ducts, drawn by DrawObject
// in the current plan pen colour. Sizes come from the objects' own fields (object_fields.h).
// The device-context argument is always null.

struct Objex;

// A circle of 0.8 r (without perspective) crossed by six spokes alternating r and 0.9 r.
void DrawPlant(void* dc, const Objex* plant);
// A dashed rectangle of the width along the centre line; "L, w W, d D" with dimensions on.
void DrawFoundationBeam(void* dc, const Objex* beam);
// A circle of the diameter with its "d DIA" label. A pier whose first point is off the
// square of its diameter about its centre is rewritten to that square first (no undo step).
void DrawFoundationPier(void* dc, Objex* pier);
// A 10-unit stop bar at the start, the strand, a filled arrowhead at the end.
void DrawFoundationTensionCable(void* dc, const Objex* strand);
// With dimensions on: width, risers and tread, and an "Up" arrow from the first point.
void DrawStaircase(void* dc, const Objex* stair);
// A dashed rectangle of the width, a flow arrow ending at the end point, and with dimensions
// on its "w x h" size and length.
void DrawHVACDuct(void* dc, const Objex* duct);

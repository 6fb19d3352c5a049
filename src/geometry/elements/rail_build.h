#pragma once
// Railings in 3D. A railing (45) traces its rail line; every rebuild throws its parts away and
// builds spindles, a top and a bottom rail between them and posts at the points flagged for
// one. A railing with any tangent is curved (803): spindles walk its curve one baluster spacing
// apart. Otherwise (802) every segment is one straight span. Deck railings use the span and
// spindle builders with the deck as the owner.
#include <cstdint>

#include "geometry/elements/stair_state.h"

struct Layer;
struct Objex;
struct Poinz;

// The next spindle or span is the railing's first: it gets no rails back to a previous one.
extern uint8_t gInitializeRailing;
// H, V, D of the previous spindle of a curved railing.
extern Float3DPoint gPrevRailPt;
// Set by the deck rebuild while it builds a curved deck's railing: straight spans get curved
// rail pieces (44).
extern uint8_t gBuildingCurvedDeck;

// Rebuilds a railing with at least two points in one row; sets its subtype first.
void UpdateRailObject(Objex* railing);
void UpdateStraightRailObject(Objex* railing);
// The walk of a curved railing: step length and progress the baluster spacing in plan units
// (1.0 when that is 0), so the first spindle falls on the first point.
void UpdateRailStyle(StyleState& record, Objex* railing);
void UpdateRailSegment(Objex* railing, const Poinz* point, const Poinz* next, StyleState& record);
void UpdateRailList(const Float3DPoint& from, const Float3DPoint& to, StyleState& record, Objex* railing);
// One spindle of a curved railing and, after the first, its two rails back to the previous one.
void AppendRailSpindle(Objex* railing, float h, float v, float d, float direction);

// The deck railing builders. Heights and spacing in inches.
// A new curved deck railing starts: its first spindle gets no rails.
void StartDeckRail(Objex* deck);
// One spindle of the given height and its rails back to the previous one; with `keep` 0 only
// the rails reach the point.
void AppendDeckRailSpindle(Objex* owner, float h, float v, float d, float direction, float railHeight,
                           const RailMaterial& material, int16_t keep);
// One straight span: spindles evenly spaced from end to end and the two rails.
void ConstructRailing(const Float3DPoint& start, const Float3DPoint& end, float direction, Objex* owner,
                      float railHeight, float spacing, const RailMaterial& material);

// Panel railings (subtype 156); no command offers them yet. A curved panel following the whole
// railing up to its rail height, in its panel material.
void ConstructCurvedRailSpan(Objex* railing);
// A flat panel `length` long from the start, turned to the direction, up to the rail height.
void ConstructTexturedRailing(const Float3DPoint& start, float direction, float length, Objex* railing,
                              const RailMaterial& material);

// Every railing of a visible layer; the same for the layer and every layer after it.
void UpdateRailLayer(Layer* layer);
void UpdateRailAllLayers(Layer* layer);

#pragma once
// Decks, deck cut-outs and floors drawn as outlines on the deck and floor plans, and the
// rebuild of what they generate: skirting and fascia bands, railings and posts, step flights,
// and the edge bands of floors. Generated pieces are thrown away and built again whole.
#include <cstdint>

struct Layer;
struct Objex;
struct Poinz;

// Tools 7600 (with railing) and 7601 (without), 7606, and 7062 floor / 7063 floor cut-out.
void TrackDeck(int32_t x, int32_t y, float h, float v, float d, int16_t stage);
void TrackDeckCutout(int32_t x, int32_t y, float h, float v, float d, int16_t stage);
void TrackFloor(int32_t x, int32_t y, float h, float v, float d, int16_t stage);

// Rebuilds a deck's (51) pieces: its steps refitted first, then skirting, railings, steps.
void Update3DDeck(Objex* deck);
void Update3DDeckLayer(Layer* layer);
void Update3DDeckAllLayers(Layer* firstLayer);

// Rebuilds the edge bands of a floor, floor cut-out or generated ceiling (13, 48, 136).
void Update3DFloorSkirting(Objex* floor);
void Update3DFloorSkirtingLayer(Layer* layer);
void Update3DFloorSkirtingAllLayers(Layer* firstLayer);

// Builders of one deck edge, from p1 to p2.
void CreateDeckSkirting(Objex* deck, Poinz* p1, Poinz* p2);
void CreateDeckRailing(Objex* deck, Poinz* p1, Poinz* p2);
void CreateCurvedDeckRailing(Objex* deck, Poinz* p1, Poinz* p2);
void CreateDeckAttachmentSteps(Objex* deck, Poinz* edgeStart, Poinz* edgeEnd, Objex* step);
// A flight from the step width and total step height kept on p1 (flags 8 and 16 its rails).
void CreateDeckSteps(Objex* deck, Poinz* p1, Poinz* p2);

// Replace curved edges by straight ones at the document's curve resolution (2 at least).
void ConvertCurvedDeckToPolygonDeck(Objex* deck);
void ConvertCurvedDeckSegmentToPolygon(Objex* deck, Poinz* p1, Poinz* p2);

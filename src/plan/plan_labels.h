#pragma once
// The words and readouts of decks, paths and sprinklers in the plan. The device-context
// argument is always null.
struct Objex;

// "DECK" at the centre of the deck's 3D bounds, whether or not dimensions show.
void DrawDeck(void* dc, const Objex* deck);
// The length of the path's centre line (its first point to its last) as a readout alone,
// while dimensions show.
void DrawPath(void* dc, const Objex* path);
// The radius (first point to last) with " R", and the watered arc with " Sprinkler" 15 units
// above the last point, while dimensions show.
void DrawSprinkler(void* dc, const Objex* sprinkler);

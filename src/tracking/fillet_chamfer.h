#pragma once
// The fillet (7910), inverted fillet (7911) and chamfer (7912) tools: a press on a corner of a
// floor, path, railing, deck, freehand roof, excavation or point-edited detail shape (the
// chamfer also takes edging and fences) and a drag whose distance from the corner sets the
// size. The fillet edits the object while it drags: the corner becomes a run of five points,
// two markers of kind 2 (the arc's centre, the corner's place) and the arc's first (the
// corner itself), middle and last points; the release sets the arc's tangents and drops the
// markers. A release where no arc fits, or a gesture abandoned midway, gives the corner back
// as it was. The chamfer only paints until the release, which cuts the corner.
#include <cstdint>

struct ClickInfo;
struct Poinz;
struct Objex;

// Cleared at a fillet's press and set when its corner is straight: the gesture does nothing.
extern uint8_t gBailedFromFillet;
// The fillet shows its radius while it drags (never cleared).
extern uint8_t gDimFillet;

// Tools 7910-7912 into the tool table.
void RegisterCornerTrackers();

void TrackFillet(int32_t x, int32_t y, float h, float v, float d, int16_t stage);
void TrackChamfer(int32_t x, int32_t y, float h, float v, float d, int16_t stage);
void SupportTrackFillet(float planX, float planZ, int16_t stage, float downX, float downY, float upX, float upY,
                        ClickInfo* clickInfo, int16_t modifiers, int16_t mode);
void SupportTrackChamfer(float planX, float planZ, int16_t stage, float downX, float downY, float upX, float upY,
                         ClickInfo* clickInfo, int16_t modifiers);

// Place the arc's centre marker, first, middle and last points (H and D) for the corner and
// its neighbours, `distance` from the corner to the centre (standard) or the radius (inverted,
// centred on the corner), shrunk by 1 until both neighbouring segments are longer than the
// tangent distance (the radius) + 2. The radius, or 0 with nothing moved when none fits.
float BuildStandardFillet(Poinz* centre, const Poinz* previous, const Poinz* next, const Poinz* corner, Poinz* first,
                          Poinz* middle, Poinz* last, float distance, uint8_t draw, int16_t mode);
float BuildInvertedFillet(Poinz* centre, const Poinz* previous, const Poinz* next, const Poinz* corner, Poinz* first,
                          Poinz* middle, Poinz* last, float distance, uint8_t draw);
// The tangents that make first-middle-last two arc segments about the centre marker
// (standard) or the corner marker (inverted).
void BuildFilletSplines(float radius, const Poinz* centre, const Poinz* corner, Poinz* first, Poinz* middle,
                        Poinz* last);
void BuildInvertedFilletSplines(float radius, const Poinz* point, const Poinz* centre, Poinz* first, Poinz* middle,
                                Poinz* last);
// The "Radius: " readout beside the arc, for radii above 5.
void DrawFillet(const Poinz* corner, float radius, float centreH, float centreD, float firstH, float firstD,
                float lastH, float lastD);

// The cut's set-back: the distance shrunk by 2 while it does not leave 2 units of both
// neighbouring segments; 0 when nothing fits. Paints the cut with its dimensions while
// gDynamicDrawing is set; returns the cut's length.
float DrawChamfer(const Poinz* corner, const Poinz* previous, const Poinz* next, float distance);
// Cuts the corner: it moves back along the previous segment and a new point follows it
// along the next one. Nothing when no set-back fits.
void BuildChamfer(Objex* object, Poinz* corner, const Poinz* previous, const Poinz* next, float distance);

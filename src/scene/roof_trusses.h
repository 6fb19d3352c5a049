#pragma once
// Roof truss framing of a four-point outline roof: trusses 24 world units apart with ridge,
// purlins, hip rafters and plates joining them, as framing-view faces of the roof. Nothing in
// the scene build calls it: the framing view frames walls only.
#include <cstdint>

#include "scene/wall_framing.h"

// The first (1) and last (2) truss's points of the latest roof framed; `recorded` says whether
// this roof's call wrote them. Cleared at the start of every FrameRoofTrusses.
struct TrussEnd {
    FramePoint start{}, end{}, oneThirdBase{}, twoThirdBase{}, midPeak{}, leftThirdRake{}, rightThirdRake{};
    bool recorded = false;
};
extern TrussEnd sEnd1, sEnd2;

// One beam 2.5 wide and 10 deep rising from the line a->b.
void RenderRoofTruss(const FramePoint& a, const FramePoint& b, Objex* roof);
// One web 2.5 across and 10 wide in the truss plane, from the points along `angle` (or against
// it when `backward`).
void RenderVerticalRoofTruss(float angle, const FramePoint& a, const FramePoint& b, Objex* roof, bool backward);
// One truss over start->end: two rafters, the chord and webs when asked. End index 1 or 2
// records its points as that end.
void FrameRoofTruss(const FramePoint& start, const FramePoint& end, float slope, Objex* roof, int endIndex,
                    bool bottomChord, bool webs);
// The whole roof (type 14, four points, styles 1 to 6); nothing otherwise.
void FrameRoofTrusses(Objex* roof);

#pragma once
// The dimension tools of the plan view: the plain dimension line (209), the offset (210) and
// length (211) dimensions, the diameter of a circle (212) and the two-leg leader (213). Each
// draws its rubber band into the main plan view's engine and builds its object (of the
// document's current plan) on the current layer. The offset, length and leader tools place
// their line, or the leader's second leg, in a loop after the release that a press ends; the
// diameter runs its drag in a loop of its own from the press.
#include <cstdint>

// Tools 209-213 into the tool table.
void RegisterDimensionTrackers();

void TrackDimLine(int32_t x, int32_t y, float h, float v, float d, int16_t stage);
void TrackOffsetDim(float h, float v, float d, int16_t stage);
void TrackDiameterDim(float h, float v, float d, int16_t stage);
void TrackLeaderDim(float h, float v, float d, int16_t stage);

// Feedback in view units. The length dimension's line lies on the side of the pick, as far off
// as the pick lies from the measured line.
void DrawLengthDimState(int32_t downX, int32_t downY, int32_t upX, int32_t upY, int32_t pickX, int32_t pickY);
// A horizontal dimension line at lineY for a pointer above or below the pair (and always when
// the y are equal), else a vertical one at lineX; 1 when it drew a vertical one.
int16_t DrawOffsetDimState(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t lineX, int32_t lineY,
                           int32_t mouseX, int32_t mouseY);
// The diameter (plan units, zoomed here) through the centre toward the pointer.
void DrawDiameterDimState(int32_t centreX, int32_t centreY, int32_t pointerX, int32_t pointerY, float diameter);

// The point turned about the anchor to the nearest multiple of 15 degrees (halves up), its
// distance kept.
void SnapToFifteenDegrees(float anchorH, float anchorD, float* h, float* d);

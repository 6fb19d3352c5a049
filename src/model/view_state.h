#pragma once
// The view angles of the plan window (plan view: X 90, Y 0).
#include <cstdint>

extern float gXViewAngle;     // degrees
extern float gYViewAngle;     // degrees
extern uint8_t gPerspective;
extern float gViewFactor;

// View command IDs.
inline constexpr int32_t kViewTop = 5149;
inline constexpr int32_t kViewLeft = 5151;
inline constexpr int32_t kViewRight = 5152;
inline constexpr int32_t kViewFront = 5153;
inline constexpr int32_t kViewBack = 5154;
inline constexpr int32_t kViewPerspective = 5155;
inline constexpr int32_t kViewIsometric = 5162;
inline constexpr int32_t kViewPerspectiveFlat = 5179;

// The command ID of the current view; 0 without a document or settings record, or for a
// perspective view at an unusual factor.
int32_t GetCurrentView();

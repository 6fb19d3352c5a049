#pragma once
// The view angles of the plan window (plan view: X 90, Y 0).
#include <cstdint>

#include "model/command_ids.h"

extern float gXViewAngle;     // degrees
extern float gYViewAngle;     // degrees
extern uint8_t gPerspective;
extern float gViewFactor;

// View command IDs.
inline constexpr int32_t kViewTop = cmd::kViewTop;
inline constexpr int32_t kViewLeft = cmd::kViewLeft;
inline constexpr int32_t kViewRight = cmd::kViewRight;
inline constexpr int32_t kViewFront = cmd::kViewFront;
inline constexpr int32_t kViewBack = cmd::kViewBack;
inline constexpr int32_t kViewPerspective = cmd::kViewPerspective;
inline constexpr int32_t kViewIsometric = cmd::kViewIsometric;
inline constexpr int32_t kViewPerspectiveFlat = cmd::kViewPerspectiveFlat;

// The command ID of the current view; 0 without a document or settings record, or for a
// perspective view at an unusual factor.
int32_t GetCurrentView();

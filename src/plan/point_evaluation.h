#pragma once
// How the plan turns a view point into a plan point: the tracking engine's evaluation (grid,
// the current tool's constraints, the snap mode), which tracking fills in at start-up
// (RegisterPointEvaluation, tracking/evaluate_point.h). Until then a point is not evaluated
// and the outputs keep what they hold.
#include <cstdint>

struct ClickInfo;

using PointEvaluator = void (*)(int32_t x, int32_t y, float* outX, float* outY, float* outZ, uint8_t snap,
                                ClickInfo* info, uint8_t unzoom);
// Registers (null: forgets) the evaluation; the global reset forgets it.
void RegisterPointEvaluator(PointEvaluator evaluate);
// The arguments of EvaluatePoint, passed on to the registered evaluation.
void EvaluateViewPoint(int32_t x, int32_t y, float* outX, float* outY, float* outZ, uint8_t snap, ClickInfo* info,
                       uint8_t unzoom);

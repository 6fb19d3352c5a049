#pragma once
// Point evaluation: a point of the plan view (whole view coordinates, as the mouse gives them)
// turned into a plan point (H, V, D as X, Y, Z), then, in this order, the grid, the angle and
// segment constraints of the current tool, the shape locks, the snap mode, and for the wall
// tools the hand-over of a press on a selected wall to the move tool. The order is the
// behaviour: it makes one tool draw at 5-degree steps, another snap to the grid and a third
// follow a wall segment.
#include <cstdint>

#include "model/types.h"

struct ClickInfo;

// `snap` allows grid and object snapping; `info` is the click being tracked (the engine's
// gClickInfo; may be null); `unzoom` divides the result by the zoom factor. Nothing is written
// without a current document or when an output is null; without a settings record or while
// no tool is current only the view rotation (and zoom) is undone. Only a tracked gesture (one
// with `info`) of a wall tool hands itself to the move tool: gCurTool becomes 200 with the wall
// tool in gResetWallTool and gResetToWallTool set.
void EvaluatePoint(int32_t x, int32_t y, float* outX, float* outY, float* outZ, uint8_t snap, ClickInfo* info,
                   uint8_t unzoom);

// The half-size of the square in which a wall tool's press or release reaches a wall (view
// units): 20 plan units at the current zoom, and never less than an ordinary click's, so a
// plan zoomed far out still gives wall ends a tolerance.
int32_t WallToolHitTolerance();

// The snap-mode step alone: hit-tests the view point and, when the mode finds a position,
// writes it (zoom undone when asked); otherwise the outputs stay as they are. `info` serves as
// scratch and is given back exactly as it was.
void CADEvaluatePoint(int32_t x, int32_t y, float* outX, float* outY, float* outZ, uint8_t snap, ClickInfo* info,
                      uint8_t unzoom);

// Keeps `to` inside the plan limits (the lot rectangle) and on `from`'s side of the origin's
// lock lines, by the view kind: the plan clamps H and D; a front view clamps H and raises V
// to the limits' top; a side view clamps D and raises V. The lines compare as 16-bit whole
// numbers; a `from` on a line keeps `to` on it.
void ConstrainPoint(const Float3DPoint* from, Float3DPoint* to);

// The first step for a view point given as floats, its depth taken from the plane through the
// clicked object's hit position (parallel to the grid) when there is one; then the grid.
void EvaluateFloatPoint(float x, float y, float* outX, float* outY, float* outZ, uint8_t snap,
                        const ClickInfo* info, uint8_t unzoom);

// Gives the plan EvaluatePoint (plan/point_evaluation.h); part of RegisterLogicTables.
void RegisterPointEvaluation();

#pragma once
// Snapping plan and view points to the document's grid. A cell is the snap spacing
// (`snapIncrement`, world units) converted to plan units; the grid drawn keeps its own spacing.
#include <cstdint>

struct DocState;
struct FloatPoint;

// Floors H (x) and D (z) to the grid line at or below them, each first truncated to a 16-bit
// whole number; V (y) is left alone. 1 when it snapped; 0 while `snapToGrid` is off, for a
// null pointer or when a cell is 0.
int16_t Snap3DPointToGrid(const DocState* docState, float* x, float* y, float* z);

// Rounds a view point (zoomed plan units) to the nearest grid crossing, with zoomed cells.
// 1 when it snapped; 0 (result untouched) for a null pointer or when a cell is 0.
int16_t SnapPointToGrid(const DocState* docState, int32_t x, int32_t y, FloatPoint* result);

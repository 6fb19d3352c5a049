#pragma once
// What the OK of the measurement units, plan scale, zoom and lot size sheets does to the
// current document, and the values those sheets show. Each does nothing without a current
// document and its settings record.
#include <cstdint>

// Re-frames the main plan view about the plan origin at the current zoom: the scale and
// zoom sheets first reset the pan offsets and the projection to the plan and redraw after;
// the lot sheet only marks the view for display.
enum class Reframe { AfterScaleOrZoom, AfterLotSize };
void ReframePlanView(Reframe how);

// Stores the unit system and the angle format, and the format of the unit system chosen
// (the other system's format keeps its stored value); the inspector and a user-folder
// category of the content palette follow, the plan redraws and "Measurement Options" is
// stored.
void SetMeasurementOptions(int16_t unitSystem, int16_t angleFormat, int16_t imperialFormat, int16_t metricFormat);

// A new scale code scales the three zooms by old value / new value, re-frames and stores
// "Plan Scale"; the same code does nothing. True when changed.
bool SetPlanScaleCode(int16_t code);

// The zoom of the view shown as a whole percentage of the natural size at a scale of 36.
int32_t PlanZoomPercent();
// The typed percentage becomes the zoom of the view shown (the top view's held to the lot's
// minimum .. 3.0, another view's percentage to 5 .. 300 before scaling); re-frames; no undo
// step.
void SetPlanZoomPercent(float percent);

// The lot's width and depth in whole feet (imperial) or metres, truncated.
void LotSizeShown(int32_t* width, int32_t* depth);
// Width and depth held to 1 .. 1000 feet or metres become the lot, centred on the origin;
// the terrain is rebuilt and the view re-framed. No undo step: the document reads changed.
void SetLotSize(int32_t width, int32_t depth);

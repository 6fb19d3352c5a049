#pragma once
// The gate tool (7506): a press on a fence section and a drag place a gate along it, as a
// gate point (kind 6) where it starts and a plain point where it ends. A section holds one
// gate, and the gate must fit in it.
#include <cstdint>

#include "model/types.h"

struct ClickInfo;

void TrackGate(float h, float v, float d, int16_t stage);
// Acts at stage 1 only: checks the click, then runs the placement drag. `size` is the gate's
// width along the fence (plan units), 0.
void SupportTrackGate(float h, float v, float d, int16_t stage, const ClickInfo* click, int16_t modifiers,
                      FloatPoint size);

#pragma once
// The dash record of a detail line style: the plan's lines read it, and the staircase walk
// keeps its step state in it.
#include <cstdint>

// The dash of a detail line style, shared by every user of the record.
struct StyleState {
    int16_t dashCount = 0;
    float dashes[6] = {};
    int16_t phase = 0;
    float extra = 0;
};
extern StyleState gStyleState;

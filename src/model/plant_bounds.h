#pragma once
// The size a plant (type 28) has grown to from its age and its plant record.
#include <cstdint>

struct Objex;

// A plant's age never falls below a year.
inline constexpr float kYoungestPlantAge = 1.0f;

// Width and height of the plant in plan units: 12.0 grown by `annualGrowthRate` percent a
// year over its age (plantAge, plus fillPattern + 3 when that is set, rounded to whole
// years), at most the record's maximum height; the width is 0.85 times the height. With
// rescale the plant is selected and scaled in H and D to that width about the middle of its
// 3D bounds, then re-rendered. Nothing (outputs untouched) for another type, a plant without
// a record, or without a current document and its settings. Either output may be null.
void GetPlantBounds(Objex* plant, float* width, float* height, uint8_t rescale);

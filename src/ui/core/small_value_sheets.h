#pragma once
// What the OK of the walk-through elevation, fly-around altitude, dimension properties,
// planting age and plant growth projection sheets does to the current document. Each does
// nothing without a current document and its settings record.
#include <cstdint>

#include "port/winrecords.h"

// The eye height of the walk-through camera and the distance of the fly-around camera, shown
// in inches and kept in plan units. Setting either moves the camera of its own mode and has
// the live view redrawn; no limits, no undo step.
float WalkThroughEyeHeightInches();
float FlyAroundDistanceInches();
void SetWalkThroughEyeHeight(float inches);
void SetFlyAroundDistance(float inches);

// The dimension arrow styles in the order the sheet offers them.
struct DimensionArrowStyle {
    int16_t tag;
    const char* image;
    const char* title;
    int16_t command;
};
inline constexpr DimensionArrowStyle kDimensionArrowStyles[] = {
    {8, "DimStyle1", "Solid Arrow", 5086},        {9, "DimStyle2", "Hollow Arrow", 5087},
    {10, "DimStyle3", "Open Arrow", 5088},        {11, "DimStyle4", "Inward-Slant Arrow", 5089},
    {12, "DimStyle5", "Outward-Slant Arrow", 5090}, {13, "DimStyle6", "Solid Dot Arrow", 5091},
    {14, "DimStyle7", "Open Dot Arrow", 5092},
};
// The style's tag, its command and its bit in the dimension flag word, then the dimension
// font when one is given; the plan redrawn and "Dimension Properties" stored. A tag outside
// 8 to 14 keeps the arrow as it was.
void SetDimensionProperties(int16_t tag, const LOGFONT* font);

// Held to 0 to 20 years.
int16_t PlantingAgeForEntry(int32_t entry);
// Every selected plant on every floor is planted that many years ago (held as above); the
// inspector follows and "Planting Age" is stored, also when no plant was selected.
void SetSelectedPlantingAge(int32_t entry);

// The design's maximum plant age for a typed projection: 5 below 2, n + 3 up to 50, else 53.
int16_t MaximumPlantAgeForEntry(int32_t entry);
// The projection the sheet shows: the maximum plant age less 3.
int32_t PlantGrowthProjection();
// Stores the maximum for the entry when it differs ("Plant Growth Projection"), the growth
// indicator following; true when stored.
bool SetPlantGrowthProjection(int32_t entry);

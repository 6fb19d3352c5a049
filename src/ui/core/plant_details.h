#pragma once
// What the plant details window shows for one placed plant. Every value is UTF-8; a value
// left empty (nullopt) keeps the window's own text.
#include <array>
#include <optional>
#include <string>

struct Objex;

// In the window's field order.
enum class PlantDetail {
    commonName, botanicalName, flowerColor, texture, fruitType, foliageType, foliageChange, usage, plantShape,
    propagation, sunlight, water, soil, temperature, zone, agePlanted, currentHeight, matureHeight, count
};

using PlantDetails = std::array<std::optional<std::string>, static_cast<size_t>(PlantDetail::count)>;

// The words of the coded values, code 1 first (English keys, localised where shown); the plant
// finder's cells carry the same words.
extern const char* const kPropagationWords[4];
extern const char* const kAmountWords[4];  // sunlight and water
extern const char* const kSoilWords[9];

// The info file of a plant: a user plant's (subtype 153) path with its last three characters
// replaced by "pti" and found ignoring case; a stock plant's texture info file. Empty when
// there is none to name.
std::string PlantInfoFilePath(const Objex* plant);

// Refreshes the plant's record from its info file (in place) and gives the values to show;
// all empty without a plant, a current document or its settings.
PlantDetails ReadPlantDetails(Objex* plant);

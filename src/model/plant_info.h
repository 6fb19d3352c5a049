#pragma once
// A plant's names and horticultural values, read from its description file: the texture's
// info file (".PTI") for a library plant, the ".pui" file beside its image for a user plant.
#include <cstdint>

struct PlantInfo {
    char commonName[64] = {};
    char botanicalName[64] = {};
    int16_t plantType = 0;
    int16_t propagation = 0;
    int16_t water = 0;
    int16_t sunLight = 0;
    int16_t maximumGrowthHeight = 0;
    int16_t soilType = 0;
    uint8_t zones[10] = {};
    float annualGrowthRate = 0;  // percent per year
};

// A new record filled from the texture's info file; null when memory runs out.
PlantInfo* CreatePlantInfo(int32_t textureID);
// A new record filled from the description file beside the user plant's image; null for a
// null path or when memory runs out.
PlantInfo* CreateUserPlantInfo(const char* path);
// Fills the record from the info file of a stock texture (1-14999); needs a current settings
// record. Missing names keep what the record held; a maximum height below 1 becomes 24.
void InitializePlantInfo(PlantInfo* info, int32_t textureID);
// Fills the record from the path with its last three characters replaced by "pui" (appended
// to a path of three characters or fewer), after the path was checked against the content
// folder. A maximum height of 0 or less becomes 72; the growth rate defaults to 20.
void InitializeUserPlantInfo(PlantInfo* info, const char* path);

PlantInfo* DuplicatePlantInfo(const PlantInfo* info);
void DeletePlantInfo(PlantInfo* info);

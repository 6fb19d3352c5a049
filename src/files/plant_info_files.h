#pragma once
// Reading a plant's record from its description file: the texture's info file (".PTI") for a
// library plant, the ".pui" file beside its image for a user plant.
#include <cstdint>

#include "model/plant_info.h"

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

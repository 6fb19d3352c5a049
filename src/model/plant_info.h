#pragma once
// A plant's names and horticultural values, read from its description file
// (files/plant_info_files.h).
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

PlantInfo* DuplicatePlantInfo(const PlantInfo* info);
void DeletePlantInfo(PlantInfo* info);

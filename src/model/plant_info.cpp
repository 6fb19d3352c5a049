#include "model/plant_info.h"

#include <new>

PlantInfo* DuplicatePlantInfo(const PlantInfo* info) {
    if (!info) return nullptr;
    return new (std::nothrow) PlantInfo(*info);
}

void DeletePlantInfo(PlantInfo* info) {
    delete info;
}

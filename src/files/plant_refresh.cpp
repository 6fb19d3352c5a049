#include "files/plant_refresh.h"

#include "files/plant_info_files.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/plant_bounds.h"
#include "model/plant_info.h"
#include "model/selection_ops.h"
#include "model/rebuild_table.h"

namespace {

char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SamePathIgnoringCase(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b)
        if (FoldCase(*a) != FoldCase(*b)) return false;
    return *a == *b;
}

const char* UserPlantPath(const Objex* plant) {
    if (plant->subtype != objsubtype::kUserPlant || plant->typeData.kind != TypeDataKind::ImagePath) return nullptr;
    const char* path = plant->typeData.imagePath;
    return path && *path ? path : nullptr;
}

// Refills the plant's record when it matches; true when it did.
bool Refill(Objex* plant, int32_t textureID, const char* userPlantPath) {
    const char* own = UserPlantPath(plant);
    if (own && userPlantPath) {
        if (!SamePathIgnoringCase(own, userPlantPath)) return false;
        InitializeUserPlantInfo(plant->plantInfo, own);
        return true;
    }
    if (!plant->firstPoint || plant->firstPoint->texture1 != textureID) return false;
    // A refreshed stock plant reads the texture's info file, as a new one does.
    InitializePlantInfo(plant->plantInfo, textureID);
    return true;
}

void Refresh(Objex* object, int32_t textureID, const char* userPlantPath) {
    for (; object; object = object->next) {
        if (object->type == objtype::kPlant && Refill(object, textureID, userPlantPath)) {
            float width = 0.0f, height = 0.0f;
            GetPlantBounds(object, &width, &height, 1);
            SelectObj(object, selmode::kDeselect, 0);
            rebuild::ReRenderObject(object);
        }
        Refresh(object->firstChild, textureID, userPlantPath);
    }
}

}  // namespace

void UpdateMatchingPlantsInfo(int32_t textureID, const char* userPlantPath) {
    if (!gCurDocument) return;
    for (Layer* layer = gCurDocument->itsLayers; layer; layer = layer->next)
        Refresh(layer->firstObject, textureID, userPlantPath);
}

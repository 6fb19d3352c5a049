#include "geometry/openings/landscape_plants.h"

#include "content/core/content_selection_seams.h"
#include "model/bounds.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/plant_bounds.h"
#include "files/plant_info_files.h"
#include "files/custom_textures.h"
#include "model/rebuild_table.h"

namespace {

constexpr float kSideWithoutRecord = 200.0f;
constexpr int16_t kPlainPenStyle = 6;
constexpr RGBColor kWhite{0xFFFF, 0xFFFF, 0xFFFF};
constexpr RGBColor kBlack{0, 0, 0};

struct PlantStyle {
    RGBColor fill = kWhite;
    RGBColor pen = kBlack;
    int16_t penStyle = kPlainPenStyle;
    int16_t pattern = 0;
    float penWidth = 1.0f;
};

PlantStyle StyleFor(const DocState* ds, uint8_t useDocumentStyle) {
    PlantStyle style;
    if (!useDocumentStyle) return style;
    style.fill = ds->fillColor;
    style.pen = ds->penColor;
    style.penStyle = ds->penStyle;
    style.pattern = ds->fillPattern;
    style.penWidth = static_cast<float>(ds->penWidth);
    return style;
}

// The plant object with its record but no points yet; null when it cannot be made.
Objex* NewPlant(Layer* layer, const DocState* ds, uint8_t useDocumentStyle, TypeData typeData, PlantInfo* info) {
    const PlantStyle style = StyleFor(ds, useDocumentStyle);
    Objex* plant = CreateObject(objtype::kPlant, 1, 1, &style.fill, &style.pen, style.penWidth, style.penStyle,
                                style.pattern, nullptr, nullptr, nullptr, nullptr, layer, typeData);
    if (!plant) {
        DeletePlantInfo(info);
        FreeString(typeData.imagePath);
        return nullptr;
    }
    plant->planBits = ds->currentPlanBit;
    plant->plantInfo = info;
    plant->fillPattern = 0;
    plant->plantAge = ds->plantAge;
    if (ds->currentElevation == 0.0f) plant->onTerrain = 1;
    return plant;
}

// The square of the plant's grown width at the layer's base height; false (and the plant
// freed) when a point cannot be made.
bool AddSquare(Objex* plant, Layer* layer, int32_t textureID) {
    float side = kSideWithoutRecord;
    if (plant->plantInfo) GetPlantBounds(plant, &side, nullptr, 0);
    const float base = GetLayerAbsBaseHeight(layer);
    const float corners[4][2] = {{0.0f, 0.0f}, {side, 0.0f}, {side, side}, {0.0f, side}};
    for (const auto& c : corners) {
        Poinz* p = CreatePoint(1, 0, 0, 0, 0, 0, c[0], base, c[1], 0, 0, 0, 0, 0, 0, plant);
        if (!p) {
            DeleteObj(plant);
            return false;
        }
        p->texture1 = p->texture2 = textureID;
        AppendPointToObject(p, plant);
    }
    return true;
}

Objex* Finish(Objex* plant, Layer* layer) {
    AppendObjectToLayer(plant, layer);
    plant->rows = 1;
    UpdateObjectBounds(plant);
    rebuild::RenderSingleObject(plant);
    return plant;
}

}  // namespace

Objex* BuildLandscapePlant(Layer* layer, uint8_t useDocumentStyle, int32_t textureID) {
    const DocState* ds = CurrentDocState();
    if (!layer || !ds) return nullptr;
    Objex* plant = NewPlant(layer, ds, useDocumentStyle, TypeData{}, CreatePlantInfo(textureID));
    if (!plant || !AddSquare(plant, layer, textureID)) return nullptr;
    return Finish(plant, layer);
}

Objex* BuildUserLandscapePlant(Layer* layer, uint8_t useDocumentStyle, const SymEntryInfo* entry) {
    const DocState* ds = CurrentDocState();
    if (!layer || !ds || !entry) return nullptr;
    const char* path = entry->objectData.empty() ? nullptr : entry->objectData.c_str();
    Objex* plant = NewPlant(layer, ds, useDocumentStyle, TypeData::OfImagePath(CopyString(path)),
                            CreateUserPlantInfo(path));
    if (!plant) return nullptr;
    plant->subtype = objsubtype::kUserPlant;
    if (!AddSquare(plant, layer, 0)) return nullptr;

    const int32_t id = gCurrentPhotoTextureID++;
    plant->texture2 = plant->texture3 = plant->texture4 = id;
    for (Poinz* p = plant->firstPoint; p; p = p->next) p->texture1 = p->texture2 = id;
    return Finish(plant, layer);
}

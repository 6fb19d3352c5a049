#include "files/plant_info_files.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "files/ini.h"
#include "files/texture_files.h"
#include "model/document_model.h"

namespace {

constexpr const char* kSection = "Description";
// Value the name lookups answer for a missing key; such a name is not copied.
constexpr const char* kMissingName = "Done";
constexpr int32_t kNameLength = 60;  // at most 59 characters are read
constexpr int32_t kFirstCustomTexture = 15000;

struct GrowthDefaults {
    int32_t rateWhenMissing;
    int16_t heightFloor;     // heights below this are replaced
    int16_t heightDefault;
};

void ReadName(char* field, size_t size, const char* key, const char* path) {
    char value[kNameLength] = {};
    GetPrivateProfileString(kSection, key, kMissingName, value, kNameLength, path);
    if (std::strcmp(value, kMissingName) == 0) return;
    std::snprintf(field, size, "%s", value);
}

int16_t ReadShortValue(const char* key, const char* path) {
    return static_cast<int16_t>(GetPrivateProfileInt(kSection, key, 0, path));
}

void ReadDescription(PlantInfo* info, const char* path, const GrowthDefaults& growth) {
    ReadName(info->commonName, sizeof info->commonName, "CommonName", path);
    ReadName(info->botanicalName, sizeof info->botanicalName, "BotanicalName", path);
    info->plantType = ReadShortValue("Type", path);
    info->propagation = ReadShortValue("Propagation", path);
    info->water = ReadShortValue("Water", path);
    info->sunLight = ReadShortValue("SunLight", path);
    info->maximumGrowthHeight = ReadShortValue("MaximumGrowthHeight", path);
    if (info->maximumGrowthHeight < growth.heightFloor) info->maximumGrowthHeight = growth.heightDefault;
    info->soilType = ReadShortValue("SoilType", path);
    for (int i = 0; i < 10; ++i) {
        char key[8];
        std::snprintf(key, sizeof key, "Zone%d", i + 1);
        info->zones[i] = static_cast<uint8_t>(GetPrivateProfileInt(kSection, key, 0, path));
    }
    info->annualGrowthRate = static_cast<float>(GetPrivateProfileInt(kSection, "AnnualGrowthRate", growth.rateWhenMissing, path));
}

}  // namespace

PlantInfo* CreatePlantInfo(int32_t textureID) {
    PlantInfo* info = new (std::nothrow) PlantInfo{};
    if (info) InitializePlantInfo(info, textureID);
    return info;
}

PlantInfo* CreateUserPlantInfo(const char* path) {
    if (!path) return nullptr;
    PlantInfo* info = new (std::nothrow) PlantInfo{};
    if (info) InitializeUserPlantInfo(info, path);
    return info;
}

void InitializePlantInfo(PlantInfo* info, int32_t textureID) {
    if (!info || textureID < 1 || textureID >= kFirstCustomTexture || !CurrentDocState()) return;
    char path[kTexturePathBufferSize] = {};
    GetTextureInfoFileNameFromID(textureID, path);
    ReadDescription(info, path, GrowthDefaults{0, 1, 24});
}

void InitializeUserPlantInfo(PlantInfo* info, const char* path) {
    if (!info || !path || !CurrentDocState()) return;
    char file[kTexturePathBufferSize] = {};
    std::snprintf(file, sizeof file, "%s", path);
    Validate512Pathname(file);
    // The description file sits beside the image under the same name, extension "pui";
    // the buffer keeps room for the three letters.
    size_t length = strnlen(file, sizeof file - 4);
    file[length] = '\0';
    const size_t stem = length > 3 ? length - 3 : length;
    std::memcpy(file + stem, "pui", 4);
    ReadDescription(info, file, GrowthDefaults{20, 1, 72});
}

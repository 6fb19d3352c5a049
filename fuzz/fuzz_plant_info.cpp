// Any bytes as a plant's description file, for a library plant (the texture's ".PTI") and
// for a user plant (the ".pui" beside its image): reading must not overrun, the names stay
// terminated in their fields, and a missing or unusable maximum height gets its default.
#include "files/content_folders.h"
#include "fuzz_support.h"
#include "files/plant_info_files.h"
#include "files/texture_files.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

constexpr int32_t kStockPlant = 300;  // the first shrub

void Check(const PlantInfo* info) {
    if (!info || strnlen(info->commonName, sizeof info->commonName) == sizeof info->commonName ||
        strnlen(info->botanicalName, sizeof info->botanicalName) == sizeof info->botanicalName ||
        info->maximumGrowthHeight < 1)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string userImage = [] {
        fuzz::UseScratchFolders("fuzz_plant_info");
        const std::string folder = LocalDomainCustomPlantPath();
        std::filesystem::create_directories(folder);
        return folder + "/fern.jpg";
    }();
    if (!fuzz::CurrentDocument()) return 0;
    char stockInfo[kTexturePathBufferSize] = {};
    GetTextureInfoFileNameFromID(kStockPlant, stockInfo);
    static bool folder = std::filesystem::create_directories(std::filesystem::path(stockInfo).parent_path());
    (void)folder;
    const std::string userInfo = userImage.substr(0, userImage.size() - 3) + "pui";
    if (!fuzz::WriteFile(stockInfo, data, size) || !fuzz::WriteFile(userInfo, data, size)) return 0;

    PlantInfo* stock = CreatePlantInfo(kStockPlant);
    Check(stock);
    DeletePlantInfo(stock);
    PlantInfo* user = CreateUserPlantInfo(userImage.c_str());
    Check(user);
    DeletePlantInfo(user);
    return 0;
}

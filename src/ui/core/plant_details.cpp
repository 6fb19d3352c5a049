#include "ui/core/plant_details.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>

#include "app/core/localization_seams.h"
#include "content/core/content_provider_entry.h"
#include "content/core/library_files.h"
#include "files/ini.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/plant_bounds.h"
#include "files/plant_info_files.h"
#include "model/readouts.h"
#include "model/transforms.h"
#include "port/macroman.h"
#include "files/texture_files.h"

const char* const kPropagationWords[4] = {"Winter", "Spring", "Summer", "Autumn"};
const char* const kAmountWords[4] = {"Minimal", "Average", "Moderate", "Excessive"};
const char* const kSoilWords[9] = {"Sandy", "Sandy Loam", "Loam",     "Silty Loam", "Clay Loam",
                                   "Clay",  "Alkaline",   "Acidic", "Potting"};

namespace {

std::string Localized(const char* key) { return port::MacRomanToUtf8(LocalizedString(key)); }

// The word of a coded value, or nothing for a value outside the table.
template <size_t N>
std::optional<std::string> Word(int16_t value, const char* const (&words)[N]) {
    if (value < 1 || static_cast<size_t>(value) > N) return std::nullopt;
    return Localized(words[value - 1]);
}

std::string WithNumber(const char* key, int n) {
    std::string format = Localized(key);
    const size_t at = format.find("%d");
    if (at == std::string::npos) return format;
    return format.replace(at, 2, std::to_string(n));
}

std::string Readout(float inches) {
    char text[256] = {};
    ConvertInchesToStr(inches, text);
    return port::MacRomanToUtf8(text);
}

}  // namespace

std::string PlantInfoFilePath(const Objex* plant) {
    if (!plant) return {};
    if (plant->subtype == objsubtype::kUserPlant) {
        const char* stored = plant->typeData.kind == TypeDataKind::ImagePath ? plant->typeData.imagePath : nullptr;
        if (!stored) return {};
        std::string path(stored);
        if (path.size() > 3) path.resize(path.size() - 3);
        path += "pti";
        std::string found = content::FindFileIgnoringCase(path);
        return found.empty() ? path : found;
    }
    if (!plant->firstPoint) return {};
    char path[kTexturePathBufferSize] = {};
    GetTextureInfoFileNameFromID(plant->firstPoint->texture1, path);
    return path;
}

PlantDetails ReadPlantDetails(Objex* plant) {
    PlantDetails shown;
    const DocState* ds = CurrentDocState();
    if (!plant || plant->type != objtype::kPlant || !gCurDocument || !ds) return shown;
    auto set = [&](PlantDetail field, std::optional<std::string> text) {
        shown[static_cast<size_t>(field)] = std::move(text);
    };

    const std::string infoPath = PlantInfoFilePath(plant);
    PlantInfo scratch{};
    PlantInfo* info = plant->plantInfo ? plant->plantInfo : &scratch;
    if (plant->subtype == objsubtype::kUserPlant)
        InitializeUserPlantInfo(info, infoPath.c_str());
    else if (plant->firstPoint)
        InitializePlantInfo(info, plant->firstPoint->texture1);

    char commonName[sizeof info->commonName + 1] = {}, botanicalName[sizeof info->botanicalName + 1] = {};
    std::memcpy(commonName, info->commonName, sizeof info->commonName);
    std::memcpy(botanicalName, info->botanicalName, sizeof info->botanicalName);
    set(PlantDetail::commonName, Latin1ToUtf8(commonName));
    set(PlantDetail::botanicalName, Latin1ToUtf8(botanicalName));

    struct TextValue {
        const char* key;
        PlantDetail field;
        const char* fallback;  // null: not shown when missing or empty
        bool latin1;
    };
    static constexpr TextValue kTexts[] = {
        {"FlowerColor", PlantDetail::flowerColor, nullptr, false},
        {"PlantTexture", PlantDetail::texture, nullptr, false},
        {"FruitType", PlantDetail::fruitType, "n/a", false},
        {"FoliageChange", PlantDetail::foliageChange, "n/a", false},
        {"Usage", PlantDetail::usage, "n/a", false},
        {"FoliageType", PlantDetail::foliageType, "n/a", false},
        {"PlantShape", PlantDetail::plantShape, "n/a", false},
        {"Temperature", PlantDetail::temperature, nullptr, true},
    };
    const ProfileFile file(infoPath.c_str());
    for (const TextValue& t : kTexts) {
        char value[61] = {};
        file.getString("Description", t.key, t.fallback ? t.fallback : "", value, sizeof value);
        if (value[0]) set(t.field, t.latin1 ? Latin1ToUtf8(value) : port::MacRomanToUtf8(value));
    }

    set(PlantDetail::propagation, Word(info->propagation, kPropagationWords));
    set(PlantDetail::water, Word(info->water, kAmountWords));
    set(PlantDetail::sunlight, Word(info->sunLight, kAmountWords));
    set(PlantDetail::soil, Word(info->soilType, kSoilWords));

    std::string zones;
    for (int zone = 1; zone <= 10; ++zone)
        if (info->zones[zone - 1]) zones += (zones.empty() ? "" : ", ") + std::to_string(zone);
    if (!zones.empty()) set(PlantDetail::zone, zones);

    const int16_t age = objfield::plant::kPlantingAge(*plant);
    if (age >= 2)
        set(PlantDetail::agePlanted, WithNumber("%d Years Old", age));
    else if (age == 1)
        set(PlantDetail::agePlanted, WithNumber("%d Year Old", 1));
    else if (age == 0)
        set(PlantDetail::agePlanted, Localized("Seedling"));

    float height = 0;
    GetPlantBounds(plant, nullptr, &height, 0);
    const float inches = std::floor(ConvertScreenToWorld(height, ds, 0) + 0.5f);
    set(PlantDetail::currentHeight, Readout(inches));
    set(PlantDetail::matureHeight, Readout(info->maximumGrowthHeight));
    return shown;
}

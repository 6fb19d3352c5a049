// The plant details a user reads: words for the coded values, the zone list, the age, the
// info file's texts with their fallbacks, and the user plant's info file found by its name.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "model/object_fields.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "model/plant_info.h"
#include "port/files.h"
#include "support/build.h"
#include "ui/core/plant_details.h"

namespace dvxtest {
namespace {

class PlantDetailsTest : public SelectionTest {
protected:
    // A user plant whose record file ("x.pui") and info file ("x.pti") hold the texts.
    Objex* UserPlant(const std::string& record, const std::string& info, int16_t age = 0) {
        const std::string dir = FreshTempFolder("plant_details");
        Write(dir + "/x.pui", "[Description]\n" + record);
        Write(dir + "/x.pti", "[Description]\n" + info);
        Objex* p = Make(Shape(floor, objtype::kPlant, {{0, 0}, {10, 0}, {10, 10}}, true)).plant();
        p->subtype = objsubtype::kUserPlant;
        Make(p).image((dir + "/x.PTX").c_str());
        objfield::plant::kPlantingAge(*p) = age;
        return p;
    }
    static void Write(const std::string& path, const std::string& text) {
        port::WriteWholeFile(path, text.data(), text.size());
    }
    static std::string Shown(const PlantDetails& d, PlantDetail f) {
        const auto& v = d[static_cast<size_t>(f)];
        return v ? *v : "(layout)";
    }
};

TEST_F(PlantDetailsTest, CodedValuesZonesAndAgesReadAsWords) {
    struct Row {
        const char* record;
        int16_t age;
        PlantDetail field;
        const char* shown;
    } rows[] = {
        {"Zone3=1\nZone4=1\nZone5=2\n", 0, PlantDetail::zone, "3, 4, 5"},
        {"Zone10=1\n", 0, PlantDetail::zone, "10"},
        {"Zone1=0\n", 0, PlantDetail::zone, "(layout)"},
        {"", 0, PlantDetail::agePlanted, "Seedling"},
        {"", 1, PlantDetail::agePlanted, "1 Year Old"},
        {"", 5, PlantDetail::agePlanted, "5 Years Old"},
        {"", -1, PlantDetail::agePlanted, "(layout)"},
        {"SoilType=9\n", 0, PlantDetail::soil, "Potting"},
        {"SoilType=10\n", 0, PlantDetail::soil, "(layout)"},
        {"Propagation=0\n", 0, PlantDetail::propagation, "(layout)"},
        {"Propagation=4\nWater=1\n", 0, PlantDetail::propagation, "Autumn"},
        {"SunLight=3\n", 0, PlantDetail::sunlight, "Moderate"},
        {"CommonName=Fl\xe9" "che\n", 0, PlantDetail::commonName, "Fl\xc3\xa9" "che"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(Shown(ReadPlantDetails(UserPlant(r.record, "", r.age)), r.field), r.shown) << r.record << r.age;
}

TEST_F(PlantDetailsTest, InfoTextsFallBackAndTheRecordIsRefreshedInPlace) {
    Objex* p = UserPlant("CommonName=Fern\nMaximumGrowthHeight=30\n", "Usage=Border\nTemperature=-5 \xb0" "C\n");
    PlantInfo* record = p->plantInfo;
    const PlantDetails d = ReadPlantDetails(p);
    EXPECT_EQ(p->plantInfo, record);
    EXPECT_EQ(std::string(record->commonName), "Fern");
    EXPECT_EQ(std::tuple(Shown(d, PlantDetail::usage), Shown(d, PlantDetail::fruitType), Shown(d, PlantDetail::flowerColor),
                         Shown(d, PlantDetail::temperature), Shown(d, PlantDetail::matureHeight)),
              std::tuple(std::string("Border"), std::string("n/a"), std::string("(layout)"),
                         std::string("-5 \xc2\xb0" "C"), std::string("2'-6\"")));
    // A 12-unit seedling at 72 / 5.75 plan units to the inch stands 11.5 inches: shown as 12.
    p = UserPlant("AnnualGrowthRate=0\nMaximumGrowthHeight=900\n", "");
    CurrentDocState()->planScale = 69;
    EXPECT_EQ(Shown(ReadPlantDetails(p), PlantDetail::currentHeight), "1'-0\"");
    CurrentDocState()->planScale = 63;  // 10.5 inches
    EXPECT_EQ(Shown(ReadPlantDetails(p), PlantDetail::currentHeight), "11\"");
    const std::string info = PlantInfoFilePath(p);
    EXPECT_EQ(info.substr(info.size() - 5), "x.pti");
    std::rename(info.c_str(), (info.substr(0, info.size() - 3) + "PTI").c_str());  // found in the case the folder has
    EXPECT_EQ(PlantInfoFilePath(p), info.substr(0, info.size() - 3) + "PTI");
    EXPECT_EQ(Shown(ReadPlantDetails(nullptr), PlantDetail::commonName), "(layout)");
}

}  // namespace
}  // namespace dvxtest

// The content searches over library folders each case writes: the limit and the order of
// stock plants, the name and condition tests, user plants and objects, the results' names.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "content/core/content_searches.h"
#include "files/content_folders.h"
#include "files/ini.h"
#include "model/content_types.h"
#include "port/files.h"
#include "support/content_library.h"
#include "support/doubles.h"
#include "support/fixture.h"

using namespace dvxtest;

namespace {

std::string PlantInfo(const std::string& common, const std::string& botanical = "") {
    Ini ini;
    ini.section("Description");
    if (!common.empty()) ini.key("CommonName", common);
    if (!botanical.empty()) ini.key("BotanicalName", botanical);
    return ini.text();
}

// Stock plant n of a category folder ("Trees", "TREE"): data and info, no preview.
void WriteStockPlant(const std::string& folder, const std::string& prefix, int n, const std::string& info) {
    const std::string base = LocalDomainPlantPath() + "/" + folder + "/" + prefix + std::to_string(n);
    WriteTextFile(base + ".PTX", "x"), WriteTextFile(base + ".PTI", info);
}

std::unique_ptr<ContentCategoryItem> Results() {
    return ContentCategoryItem::initWithName("", nullptr, nullptr, 5, content::kSearchResultsLibrary);
}

std::vector<std::tuple<int32_t, int32_t, std::string>> Found(const ContentCategoryItem& results) {
    std::vector<std::tuple<int32_t, int32_t, std::string>> out;
    for (const SymEntryInfo& e : results.symEntries()) out.emplace_back(e.textureID, e.refNum, e.objectDescription);
    return out;
}

class ContentSearches : public DocumentTest {};

// 80 matching trees, then 70 matching shrubs: the limit stops among the shrubs, trees first,
// each category in texture ID order, identifiers counting every find.
TEST_F(ContentSearches, StockPlantsStopAtTheLimitInCategoryThenTextureOrder) {
    for (int n = 1; n <= 80; ++n) WriteStockPlant("Trees", "TREE", n, PlantInfo("Oak " + std::to_string(n)));
    for (int n = 1; n <= 70; ++n) WriteStockPlant("SHRUBS", "SHRUB", n, PlantInfo("", "Quercus robur"));
    WriteStockPlant("Trees", "TREE", 81, PlantInfo("Elm"));
    const ContentCategoryList none;
    auto results = Results();
    content::SearchPlantsUsingName(results.get(), none, "o", 1 | 2, true, false, 100);
    const auto found = Found(*results);
    ASSERT_EQ(found.size(), 100u);
    EXPECT_EQ(found[0], std::tuple(7000, 1, std::string("Oak 1")));
    EXPECT_EQ(found[79], std::tuple(7079, 80, std::string("Oak 80")));
    // Found by the botanical name alone.
    EXPECT_EQ(found[80], std::tuple(5000, 81, std::string("No description")));
    EXPECT_EQ(found[99], std::tuple(5019, 100, std::string("No description")));
    EXPECT_EQ(results->symEntries()[0].type, symentry::kStockPlant);
    EXPECT_EQ(results->symEntries()[0].objectPreview, "");

    struct Row { const char* text; uint32_t filter; bool stock; size_t count; };
    for (const Row& r : {Row{"ELM", 1, true, 1}, Row{"Elm", 0, true, 0}, Row{"Elm", 1, false, 0},
                         Row{"Elms", 1, true, 0}, Row{"", 1, true, 0}}) {
        content::SearchPlantsUsingName(results.get(), none, r.text, r.filter, r.stock, false, 100);
        EXPECT_EQ(results->numberOfSymEntries(), r.count) << r.text << " " << r.filter;
    }
    EXPECT_EQ(content::SearchResultsName(*results), "Search results (0 items)");
}

// The name test reads one key: absent ("Done"), shorter than the text, other letter case
// (accented capitals too). The condition test needs every non-zero filter.
TEST_F(ContentSearches, NameAndConditionTestsReadTheInfoFile) {
    const std::string path = folders->temporaryBase() + "/plant.PTI";
    struct Name { const char* value; const char* text; bool match; };
    for (const Name& r : {Name{"Red Oak", "RED OAK", true}, Name{"Oak", "Oaks", false}, Name{"Done", "Done", false},
                          Name{nullptr, "a", false}, Name{"\x83t\x82", "\x8e", true}}) {
        WriteTextFile(path, r.value ? PlantInfo(r.value) : Ini().section("Description").text());
        EXPECT_EQ(content::NameTestMatches(ProfileFile(path.c_str()), "CommonName", r.text), r.match) << r.text;
    }
    WriteTextFile(path, Ini().section("Description").key("SunLight", "2").key("Water", "4").key("Propagation", "1")
                            .key("SoilType", "9").key("Zone1", "1").key("Zone3", "0").text());
    const ProfileFile info(path.c_str());
    using C = content::PlantConditions;
    struct Row { const char* what; C conditions; bool pass; };
    for (const Row& r : {Row{"zone 1", C{1, 0, 0, 0, 0}, true}, Row{"zone 3 is 0", C{4, 0, 0, 0, 0}, false},
                         Row{"zone 2 or 1", C{3, 0, 0, 0, 0}, true}, Row{"sun 2", C{0, 2, 0, 0, 0}, true},
                         Row{"sun 1", C{0, 1, 0, 0, 0}, false}, Row{"water 4", C{0, 0, 0, 8, 0}, true},
                         Row{"propagation 2", C{0, 0, 0, 0, 2}, false},
                         Row{"soil 9, every bit", C{0, 0, ~0u, 0, 0}, false}, Row{"all zero", C{}, true}}) {
        EXPECT_EQ(content::ConditionTestPasses(info, r.conditions), r.pass) << r.what;
    }
}

// User plants share one counter over the tree's custom nodes; a stock node is passed over;
// all filters zero search nothing.
TEST_F(ContentSearches, UserPlantsByConditionAndNoFilterSearchesNothing) {
    const std::string mine = folders->temporaryBase() + "/Mine", more = folders->temporaryBase() + "/More";
    for (const auto& [folder, name, zone] : std::vector<std::tuple<std::string, const char*, const char*>>{
             {mine, "a", "1"}, {mine, "b", "0"}, {more, "c", "1"}, {more, "d", "1"}}) {
        WriteTextFile(folder + "/" + name + ".PTX", "x");
        WriteTextFile(folder + "/" + name + ".PTI", Ini().section("Description").key("CommonName", name).key("Zone2", zone).text());
    }
    WriteTextFile(more + "/d.PPV", "x");
    WriteTextFile(more + "/e.PTI", PlantInfo("no data"));  // no data file: skipped
    ContentCategoryList tree;
    tree.push_back(ContentCategoryItem::initWithName("Stock", LocalDomainPlantPath().c_str(), nullptr, 5, content::kStockPlantLibrary));
    tree.push_back(ContentCategoryItem::initWithName("Mine", nullptr, nullptr, 5, content::kCustomPlantLibrary));
    tree.back()->addChildWithName("Mine", mine.c_str(), tree.back().get(), 5, content::kCustomPlantLibrary);
    tree.push_back(ContentCategoryItem::initWithName("More", more.c_str(), nullptr, 5, content::kCustomPlantLibrary));
    auto results = Results();
    content::SearchPlantsUsingZoneFilter(results.get(), tree, {2, 0, 0, 0, 0}, false, true, 100);
    EXPECT_EQ(Found(*results), (std::vector<std::tuple<int32_t, int32_t, std::string>>{
                                   {0, 1, "a"}, {0, 2, "c"}, {0, 3, "d"}}));
    EXPECT_EQ(std::tuple(results->symEntries()[2].objectPreview, results->symEntries()[2].type),
              std::tuple(more + "/d.PPV", symentry::kUserPlant));
    content::SearchPlantsUsingZoneFilter(results.get(), tree, {2, 0, 0, 0, 0}, false, true, 2);
    EXPECT_EQ(results->numberOfSymEntries(), 2u);
    content::SearchPlantsUsingZoneFilter(results.get(), tree, {}, true, true, 100);
    EXPECT_EQ(content::SearchResultsName(*results), "Search results (0 items)");
    EXPECT_EQ(content::locateUserPlantCategoryForItem(tree[1].get(), (folders->temporaryBase() + "/MINE").c_str()),
              tree[1]->childAtIndex(0));
    EXPECT_EQ(content::locateUserPlantCategoryForItem(tree[1].get(), nullptr), nullptr);
}

// Objects need data and preview files; a description equal to the name is left out; 3D
// objects are also found by their key words; identifiers restart in each folder.
TEST_F(ContentSearches, ObjectsByNameDescribeAndNumberPerFolder) {
    const std::string chairs = folders->temporaryBase() + "/Chairs", beds = folders->temporaryBase() + "/Beds";
    const auto object = [](const std::string& base, const char* ext, const char* name, const char* text, bool preview) {
        WriteTextFile(base + ext, Ini().section("Description").key("ObjectName", name).key("ObjectDescription", text).key("KeyWords", "seat").text());
        WriteTextFile(base + (std::string(ext) == ".POD" ? ".POB" : ".PSY"), "x");
        if (preview) WriteTextFile(base + ".PPV", "x");
    };
    object(chairs + "/arm", ".POD", "Armchair", "Armchair", true);
    object(chairs + "/club", ".POD", "Club", "Leather chair", true);
    object(chairs + "/stool", ".POD", "Stool chair", "", false);
    object(beds + "/bunk", ".POD", "Bunk", "Seat and bed", true);
    object(beds + "/sym", ".PTI", "Chair symbol", "", true);
    ContentCategoryList tree;
    tree.push_back(ContentCategoryItem::initWithName("Chairs", chairs.c_str(), nullptr, 4, content::kObject3DLibrary));
    tree.push_back(ContentCategoryItem::initWithName("Beds", beds.c_str(), nullptr, 4, content::kObject3DLibrary));
    tree.push_back(ContentCategoryItem::initWithName("Symbols", beds.c_str(), nullptr, 4, content::kSymbol2DLibrary));
    auto results = Results();
    content::SearchObjectsUsingName(results.get(), tree, "chair", true, true, 100);
    EXPECT_EQ(Found(*results), (std::vector<std::tuple<int32_t, int32_t, std::string>>{
                                   {0, 1, "Armchair"}, {0, 2, "Club (Leather chair)"}, {0, 1, "Chair symbol"}}));
    EXPECT_EQ(std::tuple(results->symEntries()[2].type, results->symEntries()[2].objectData),
              std::tuple(symentry::kSymbol, beds + "/sym.PSY"));
    content::SearchObjectsUsingName(results.get(), tree, "SEAT", false, true, 100);
    EXPECT_EQ(Found(*results), (std::vector<std::tuple<int32_t, int32_t, std::string>>{
                                   {0, 1, "Armchair"}, {0, 2, "Club (Leather chair)"}, {0, 1, "Bunk (Seat and bed)"}}));
    content::SearchObjectsUsingName(results.get(), tree, "chair", true, true, 1);
    EXPECT_EQ(results->numberOfSymEntries(), 1u);
}

}  // namespace

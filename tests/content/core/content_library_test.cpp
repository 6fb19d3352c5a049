// The content library's model over folder trees each case writes: the built-in category
// trees, the ones read from the catalogues in the shared "Zelt" folder, and a category's
// entries found again from data, info and preview files, numbered files, the document's colour
// table, colour ramps and paint files.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

#include "content/core/builtin_libraries.h"
#include "content/core/content_library_manager.h"
#include "model/content_types.h"
#include "files/content_folders.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "port/files.h"
#include "support/content_library.h"
#include "support/fixture.h"

using namespace dvxtest;

namespace {

std::string Catalogue(const char* file) { return LocalDomainUserSharedPath() + "/" + file; }
ContentLibraryManager& Manager() { return ContentLibraryManager::sharedContentLibraryManager(); }

// What `get` gives for each node or entry of the list.
template <class List, class Get>
auto Each(const List& list, Get get) {
    std::vector<std::decay_t<decltype(get(*list.begin()))>> out;
    for (const auto& item : list) out.push_back(get(item));
    return out;
}
std::vector<std::string> Names(const ContentCategoryList& list) {
    return Each(list, [](auto& node) { return node->categoryName(); });
}
std::vector<bool> SelectedFlags(const ContentCategoryList& list) {
    return Each(list, [](auto& node) { return node->selected(); });
}

std::unique_ptr<ContentCategoryItem> Node(const std::string& folder, int16_t libraryType) {
    return ContentCategoryItem::initWithName("Node", folder.c_str(), nullptr, 0, libraryType);
}
// The node's entries found again.
const std::vector<SymEntryInfo>& Rebuilt(ContentCategoryItem& node) {
    Manager().rebuildSymEntryListForItem(&node);
    return node.symEntries();
}
std::vector<std::string> Descriptions(ContentCategoryItem& node) {
    return Each(Rebuilt(node), [](const SymEntryInfo& e) { return e.objectDescription; });
}

std::string InfoText(const char* nameKey, const std::string& name, const char* descriptionKey = nullptr,
                     const std::string& description = "") {
    Ini ini;
    ini.section("Description").key(nameKey, name);
    return (descriptionKey ? ini.key(descriptionKey, description) : ini).text();
}

class Catalogues : public DocumentTest {};
class EntryBuilders : public DocumentTest {};

// Colour sets by name and library type, none selected; the numbered trees below their root
// folders, a node's name and folder from their own columns, only the first node selected.
TEST_F(Catalogues, BuiltInTreesFollowTheirTables) {
    ContentCategoryList colours;
    content::BuildBuiltInLibrary(content::kColorsCategory, colours);
    EXPECT_EQ(Each(colours, [](auto& n) { return std::tuple(n->categoryName(), n->libraryType(), n->selected()); }),
              (std::vector<std::tuple<std::string, int16_t, bool>>{
                  {"Winter Colors", 2, false}, {"Spring Colors", 3, false}, {"Summer Colors", 4, false},
                  {"Fall Colors", 5, false}, {"Contemporary Colors", 6, false}, {"Gray Tones", 7, false}}));
    struct Row {
        int16_t category;
        size_t size, index;
        const char* name;
        std::string folder;
        int16_t libraryType;
        int32_t base;
        uint32_t count;
        const char* prefix;
    };
    const std::string stock = LocalDomainTexturePath(), plants = LocalDomainPlantPath();
    const Row rows[] = {
        {content::kMaterialsCategory, 18, 8, "Wall Covering", stock + "/WallCvrs", 10, 1600, 31, "COVER"},
        {content::kTrimCategory, 4, 3, "Wainscot", stock + "/Wc", 17, 300, 5, "WC"},
        {content::kPlantsCategory, 12, 9, "Ornamental Grasses", plants + "/Grasses", 21, 11000, 99, "ORNAM"},
        {content::kObjectsCategory, 0, 0, "", "", 0, 0, 0, ""},
    };
    for (const Row& row : rows) {
        ContentCategoryList list;
        content::BuildBuiltInLibrary(row.category, list);
        ASSERT_EQ(list.size(), row.size) << row.category;
        for (size_t i = 0; i < list.size(); ++i) EXPECT_EQ(list[i]->selected(), i == 0) << row.category << " " << i;
        if (list.empty()) continue;
        const ContentCategoryItem& node = *list[row.index];
        EXPECT_EQ(std::tuple(node.categoryName(), node.fullPath(), node.categoryType(), node.libraryType(),
                             node.baseTextureID(), node.textureCount(), node.textureFilePrefix()),
                  std::tuple(std::string(row.name), row.folder, row.category, row.libraryType, row.base, row.count,
                             std::string(row.prefix)));
    }
}

// Each main catalogue, from its own file, into its own section, category and root folder;
// types without one, and a missing file, add nothing.
TEST_F(Catalogues, MainReaderReadsTwoLevelsIntoTheTypesRootFolder) {
    struct Row {
        int16_t libraryType;
        const char *file, *section;
        int16_t category;
        std::string root;
    };
    const Row rows[] = {
        {0, "AccessoriesCat.ini", "Accessories", 0, LocalDomainAccessoriesPath()},
        {19, "ObjectCat.ini", "Object", 4, LocalDomain3DObjectPath()},
        {24, "TemplateCat.ini", "Template", 6, LocalDomainTemplatePath()},
        {25, "DoorCat.ini", "Door", 7, LocalDomainCustomDoorPath()},
        {26, "WindowCat.ini", "Window", 8, LocalDomainCustomWindowPath()},
    };
    for (const Row& row : rows) {
        Ini ini;
        ini.categories(row.section, {"Chairs", "Tables"}).categories("Chairs", {"Dining", "Office"});
        WriteTextFile(Catalogue(row.file), ini.text());
        ContentCategoryList list;
        Manager().buildLibraryOfType(row.libraryType, list);
        ASSERT_EQ(Names(list), (std::vector<std::string>{"Chairs", "Tables"})) << row.file;
        EXPECT_EQ(SelectedFlags(list), (std::vector<bool>{true, false}));
        const ContentCategoryItem& chairs = *list[0];
        EXPECT_EQ(std::tuple(chairs.fullPath(), chairs.categoryType(), chairs.libraryType(), chairs.parentItem()),
                  std::tuple(row.root + "/Chairs", row.category, row.libraryType, nullptr));
        ASSERT_EQ(std::tuple(chairs.numberOfChildren(), list[1]->numberOfChildren()), std::tuple(2u, 0u));
        const ContentCategoryItem& office = *chairs.childAtIndex(1);
        EXPECT_EQ(std::tuple(office.categoryName(), office.fullPath(), office.categoryType(), office.libraryType(),
                             office.parentItem(), office.selected()),
                  std::tuple(std::string("Office"), row.root + "/Chairs/Office", row.category, row.libraryType,
                             &chairs, false));
        ASSERT_TRUE(port::RemoveFile(Catalogue(row.file)));
    }
    ContentCategoryList list;
    for (int16_t type : {9, 10, 18, 22, -1, 19}) Manager().buildLibraryOfType(type, list);
    EXPECT_TRUE(list.empty());
}

// Where a listing stops, what it skips, and values cut to 250 characters. Sub-categories are
// listed by the same rules (a category without a section has none).
TEST_F(Catalogues, ListingRules) {
    struct Row {
        const char* what;
        std::string text;
        std::vector<std::string> names;
        std::vector<bool> selected;
    };
    const Row rows[] = {
        {"2Object without 1Object", Ini().section("Object").key("2Object", "Lamps").key("2ObjectDirectory", "L").text(),
         {}, {}},
        {"a first category without its directory key",
         Ini().categories("Object", {"!Chairs", "Tables", "Lamps"}).text(), {"Tables", "Lamps"}, {false, false}},
        {"Done ends the list", Ini().categories("Object", {"Chairs", "Done", "Tables"}).text(), {"Chairs"}, {true}},
        {"done in another case does not", Ini().categories("Object", {"done", "DONE"}).text(), {"done", "DONE"},
         {true, false}},
        {"a 600-character value", Ini().categories("Object", {std::string(600, 'x')}).text(), {std::string(250, 'x')},
         {true}},
    };
    for (const Row& row : rows) {
        WriteTextFile(Catalogue("ObjectCat.ini"), row.text);
        ContentCategoryList list;
        Manager().buildLibraryOfType(content::kObject3DLibrary, list);
        EXPECT_EQ(Names(list), row.names) << row.what;
        EXPECT_EQ(SelectedFlags(list), row.selected) << row.what;
    }
}

// The second reader adds two levels below the given node and its folder, none selected;
// custom trim lies below the custom trim folder whatever the node's. Types outside its table,
// a missing catalogue and a missing parent add nothing.
TEST_F(Catalogues, SecondReaderAddsBelowTheParentAndSelectsNone) {
    auto parent = ContentCategoryItem::initWithName("Paints", "/lib/Paint", nullptr, content::kColorsCategory, 1);
    WriteTextFile(Catalogue("PaintCat.ini"),
                  Ini().categories("Paint", {"Reds", "Blues"}).categories("Reds", {"Brick Reds"}).text());
    Manager().buildLibraryOfType(content::kPaintLibrary, parent.get());
    ASSERT_EQ(Names(parent->children()), (std::vector<std::string>{"Reds", "Blues"}));
    const ContentCategoryItem& reds = *parent->childAtIndex(0);
    EXPECT_EQ(std::tuple(reds.fullPath(), reds.parentItem(), reds.categoryType(), reds.libraryType(), reds.selected()),
              std::tuple(std::string("/lib/Paint/Reds"), parent.get(), content::kColorsCategory,
                         content::kPaintLibrary, false));
    ASSERT_EQ(reds.numberOfChildren(), 1u);
    EXPECT_EQ(std::tuple(reds.childAtIndex(0)->fullPath(), reds.childAtIndex(0)->parentItem()),
              std::tuple(std::string("/lib/Paint/Reds/Brick Reds"), &reds));

    WriteTextFile(Catalogue("TrimCat.ini"), Ini().categories("Trim", {"Crowns"}).text());
    for (int16_t type : {content::kCustomTrimLibrary, content::kCustomTrimLibrary2}) {
        auto trims = ContentCategoryItem::initWithName("Trim", "/elsewhere", nullptr, content::kTrimCategory, 1);
        Manager().buildLibraryOfType(type, trims.get());
        ASSERT_EQ(trims->numberOfChildren(), 1u) << type;
        EXPECT_EQ(std::tuple(trims->childAtIndex(0)->fullPath(), trims->childAtIndex(0)->categoryType()),
                  std::tuple(LocalDomainCustomTrimPath() + "/Crowns", content::kTrimCategory));
    }
    Manager().buildLibraryOfType(content::kPaintLibrary, nullptr);
    Manager().buildLibraryOfType(content::kTemplateLibrary, parent.get());
    Manager().buildLibraryOfType(content::kCustomPlantLibrary, parent.get());
    EXPECT_EQ(parent->numberOfChildren(), 2u);
}

// Each folder-scan builder: its files, its entry type, where its paths are relative to, and
// whether a missing preview drops the entry; a missing info file always does, and a node with
// children or without a folder is emptied. Accessory categories lie in the accessories folder
// inside the custom texture folder, so their paths begin with that folder's name.
TEST_F(EntryBuilders, FolderScansFindDataInfoAndPreviewFiles) {
    struct Row {
        int16_t libraryType;
        std::string root;
        const char *data, *info, *preview;
        bool previewRequired;
        const char* storedAs;  // the folder as the paths give it; null: absolute
        int16_t entryType;
        const char* nameKey;
    };
    const Row rows[] = {
        {26, LocalDomainCustomWindowPath(), "bay.PTF", "bay.PTI", "bay.PPV", true, "Group", 10, "AttachmentName"},
        {25, LocalDomainCustomDoorPath(), "oak.PTF", "oak.PTI", "oak.PPV", true, "Group", 11, "AttachmentName"},
        {13, LocalDomainCustomTrimPath(), "cove.PTF", "cove.PTI", "cove.PPV", true, "Group", 12, "TrimName"},
        {15, LocalDomainCustomTrimPath(), "cove.PTF", "cove.PTI", "cove.PPV", true, "Group", 12, "TrimName"},
        {11, LocalDomainCustomTexturePath(), "slate.PTX", "slate.PTI", "slate.PPV", false, "Group", 9, "Name"},
        {0, LocalDomainAccessoriesPath(), "vase.PTX", "vase.PTI", "vase.PPV", false, "Accessories/Group", 9, "Name"},
        {22, LocalDomainCustomPlantPath(), "fern.PTX", "fern.PTI", "fern.PPV", false, nullptr, 1000, "CommonName"},
        {24, LocalDomainTemplatePath(), "deck.PTF", "deck.PTD", "deck.PTP", true, nullptr, 3, "ObjectName"},
        {19, LocalDomain3DObjectPath(), "sofa.POB", "sofa.POD", "sofa.PPV", true, nullptr, 2, "ObjectName"},
        {18, LocalDomain2DObjectPath(), "sink.PSY", "sink.PTI", "sink.PPV", true, nullptr, 1001, "ObjectName"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.libraryType);
        const std::string folder = row.root + "/Group";
        std::filesystem::remove_all(folder);
        WriteFiles(folder, {row.data, row.preview, "other.TXT"});
        WriteTextFile(folder + "/" + row.info, InfoText(row.nameKey, "Thing"));
        auto node = Node(folder, row.libraryType);
        ASSERT_EQ(Rebuilt(*node).size(), 1u);
        const SymEntryInfo& e = *node->symEntryAtIndex(0);
        const std::string at = row.storedAs ? std::string(row.storedAs) : folder;
        EXPECT_EQ(std::tuple(e.type, e.refNum, e.objectData, e.objectInfo, e.objectPreview, e.objectDescription),
                  std::tuple(row.entryType, 1, at + "/" + row.data, at + "/" + row.info, at + "/" + row.preview,
                             std::string("Thing")));
        auto group = Node(folder, row.libraryType), bare = Node("", row.libraryType);
        group->addChildWithName("Sub", (folder + "/Sub").c_str(), group.get(), 0, row.libraryType);
        bare->addSymEntryWithRed(1, 2, 3, "kept?", 1, symentry::kColor);
        EXPECT_TRUE(Rebuilt(*group).empty() && Rebuilt(*bare).empty());

        std::filesystem::remove(folder + "/" + row.preview);
        EXPECT_EQ(Each(Rebuilt(*node), [](auto& e) { return e.objectPreview; }),
                  row.previewRequired ? std::vector<std::string>{} : std::vector<std::string>{""});
        std::filesystem::remove(folder + "/" + row.info);
        EXPECT_TRUE(Rebuilt(*node).empty());
    }
}

// Extensions are tested ignoring case, info and preview names found in whatever case the folder
// holds them; entries come in name order, and one without its optional preview has none even
// right after one that has. One-key builders fall back on "No description"; values are cut to
// 250 characters.
TEST_F(EntryBuilders, LetterCaseOrderAndOptionalPreviews) {
    const std::string folder = LocalDomainCustomTexturePath() + "/Stone";
    WriteFiles(folder, {"b.ptx", "a.PTX", "a.Ppv", ".PTX", ".PTI", "x.PTXX", "x.PTI"});
    WriteTextFile(folder + "/a.Pti", InfoText("Name", std::string(600, 'a')));
    WriteTextFile(folder + "/b.PTI", InfoText("CommonName", "not the key"));
    using Entry = std::tuple<int32_t, std::string, std::string, std::string, std::string>;
    EXPECT_EQ(Each(Rebuilt(*Node(folder, content::kCustomMaterialLibrary)),
                   [](auto& e) {
                       return Entry{e.refNum, e.objectData, e.objectInfo, e.objectPreview, e.objectDescription};
                   }),
              (std::vector<Entry>{{1, "Stone/a.PTX", "Stone/a.Pti", "Stone/a.Ppv", std::string(250, 'a')},
                                  {2, "Stone/b.ptx", "Stone/b.PTI", "", "No description"}}));
}

// Name and description keys give "name (description)" when they differ.
TEST_F(EntryBuilders, DescriptionsFromNameAndDescriptionKeys) {
    const std::string folder = LocalDomainCustomWindowPath() + "/Texts";
    auto node = Node(folder, content::kCustomWindowLibrary);
    WriteFiles(folder, {"w.PTF", "w.PPV"});
    for (const auto& [name, description, shown] : {std::tuple{"Bay", "Bay", "Bay"}, {"Bay", "", "Bay"}, {"", "", ""},
                                                    {"Bay", "Three panes", "Bay (Three panes)"}}) {
        WriteTextFile(folder + "/w.PTI", InfoText("AttachmentName", name, "AttachmentDescription", description));
        EXPECT_EQ(Descriptions(*node), std::vector<std::string>{shown}) << name << "/" << description;
    }
}

// The built-in numbered libraries: file n stands for texture ID base + n - 1, needs its info
// file and is looked for only up to the count; identifiers count the entries added. Plants
// take their preview and their common name; a library counting no files keeps what it had.
// Stock trim lists previews, the "M" ones in a metric document, skipping a number whose "M"
// file is missing; without a document it keeps its entries.
TEST_F(EntryBuilders, NumberedLibrariesGiveTextureIDsByFileNumber) {
    ContentCategoryList materials, trims, plants;
    content::BuildBuiltInLibrary(content::kMaterialsCategory, materials);
    content::BuildBuiltInLibrary(content::kTrimCategory, trims);
    content::BuildBuiltInLibrary(content::kPlantsCategory, plants);
    ContentCategoryItem& brick = *materials[0];  // BRICK, 850, 66 files
    ContentCategoryItem& wainscot = *trims[3];   // WC, 300, 5 files
    ContentCategoryItem& shrubs = *plants[1];    // SHRUB, 5000, 682 files
    WriteFiles(brick.fullPath(), {"BRICK1.PTX", "BRICK1.PPV", "BRICK2.PTX", "BRICK66.PTX", "BRICK66.PTI",
                                  "BRICK67.PTX", "BRICK67.PTI"});
    WriteTextFile(brick.fullPath() + "/BRICK1.PTI", InfoText("Name", "Red Brick"));
    WriteFiles(wainscot.fullPath(), {"WC1.PPV", "WC1.PTI", "WC1M.PPV", "WC1M.PTI", "WC2.PPV", "WC2.PTI", "WC3M.PPV",
                                     "WC3M.PTI"});
    WriteFiles(shrubs.fullPath(), {"SHRUB1.PTX", "SHRUB1.PPV", "SHRUB2.PTX", "SHRUB3.PTX", "SHRUB4.PTX", "SHRUB4.PTI"});
    WriteTextFile(shrubs.fullPath() + "/SHRUB1.PTI", InfoText("CommonName", "Boxwood"));
    WriteTextFile(shrubs.fullPath() + "/SHRUB2.PTI", InfoText("Name", "not the key"));
    // Identifier, texture ID, type, data, info and preview (in the node's folder), description.
    using Entry = std::tuple<int32_t, int32_t, int16_t, std::string, std::string, std::string, std::string>;
    const auto entries = [&](ContentCategoryItem& node) {
        const size_t cut = node.fullPath().size() + 1;
        const auto in = [&](const std::string& path) { return path.empty() ? path : path.substr(cut); };
        return Each(Rebuilt(node), [&](const SymEntryInfo& e) {
            return Entry{e.refNum, e.textureID, e.type, in(e.objectData), in(e.objectInfo), in(e.objectPreview),
                         e.objectDescription};
        });
    };
    const int16_t stone = symentry::kStockMaterial, trim = symentry::kStockTrim, plant = symentry::kStockPlant;
    const std::string none = "No description";
    EXPECT_EQ(entries(brick), (std::vector<Entry>{{1, 850, stone, "BRICK1.PTX", "BRICK1.PTI", "", "Red Brick"},
                                                  {2, 915, stone, "BRICK66.PTX", "BRICK66.PTI", "", none}}));
    EXPECT_EQ(entries(shrubs),
              (std::vector<Entry>{{1, 5000, plant, "SHRUB1.PTX", "SHRUB1.PTI", "SHRUB1.PPV", "Boxwood"},
                                  {2, 5001, plant, "SHRUB2.PTX", "SHRUB2.PTI", "", none},
                                  {3, 5003, plant, "SHRUB4.PTX", "SHRUB4.PTI", "", none}}));
    shrubs.setBaseTextureID(5000, 0, "SHRUB");
    EXPECT_EQ(Rebuilt(shrubs).size(), 3u);
    EXPECT_EQ(entries(wainscot), (std::vector<Entry>{{1, 300, trim, "", "WC1.PTI", "WC1.PPV", none},
                                                     {2, 301, trim, "", "WC2.PTI", "WC2.PPV", none}}));
    doc->itsDocState->units = kMetricUnits;
    EXPECT_EQ(entries(wainscot), (std::vector<Entry>{{1, 300, trim, "", "WC1M.PTI", "WC1M.PPV", none},
                                                     {2, 302, trim, "", "WC3M.PTI", "WC3M.PPV", none}}));
    doc->dealloc();
    doc = nullptr;
    EXPECT_EQ(Rebuilt(wainscot).size(), 2u);
}

// The texture loaders spell a stock folder as the texture table does ("BRICK"), the tree as the
// palette does ("Brick"): a numbered library finds its folder in either letter case, its own
// spelling first.
TEST_F(EntryBuilders, NumberedLibrariesFindTheirFolderInAnyLetterCase) {
    ContentCategoryList materials, trims;
    content::BuildBuiltInLibrary(content::kMaterialsCategory, materials);
    content::BuildBuiltInLibrary(content::kTrimCategory, trims);
    ContentCategoryItem& brick = *materials[0];
    ContentCategoryItem& baseTrim = *trims[0];
    const std::string capitals = LocalDomainTexturePath() + "/BRICK", trimCapitals = LocalDomainTexturePath() + "/BASETRIM";
    WriteFiles(capitals, {"BRICK2.PTX", "BRICK2.PTI"});
    WriteFiles(trimCapitals, {"BASETRIM4.PPV", "BASETRIM4.PTI"});
    const auto data = [](ContentCategoryItem& node) { return Each(Rebuilt(node), [](auto& e) { return e.objectData; }); };
    EXPECT_EQ(data(brick), std::vector<std::string>{capitals + "/BRICK2.PTX"});
    EXPECT_EQ(Each(Rebuilt(baseTrim), [](auto& e) { return std::tuple(e.textureID, e.objectPreview); }),
              (std::vector<std::tuple<int32_t, std::string>>{{103, trimCapitals + "/BASETRIM4.PPV"}}));
    WriteFiles(brick.fullPath(), {"BRICK1.PTX", "BRICK1.PTI"});
    EXPECT_EQ(data(brick), std::vector<std::string>{brick.fullPath() + "/BRICK1.PTX"});
}

// A paint file named after its folder lists colours up to the first missing one, each channel
// its low 16 bits; without a category ID above 0, or a folder name, there are none.
TEST_F(EntryBuilders, PaintFilesEndAtTheFirstMissingColour) {
    const std::string folder = LocalDomainPaintPath() + "/Reds";
    Ini ini;
    ini.section("CategoryInfo").key("CatID", "3").section("PaintInfo").key("Name-1", "Barn Red");
    for (int k : {1, 2, 3, 5}) {
        const std::string n = std::to_string(k);
        ini.key("Red-" + n, std::to_string(k == 2 ? 65536 + 200 : 10 * k)).key("Green-" + n, "20");
        ini.key("Blue-" + n, "30");
    }
    WriteTextFile(folder + "/Reds.INI", ini.text());
    auto node = Node(folder + "/", content::kPaintLibrary);
    using Entry = std::tuple<int32_t, uint16_t, uint16_t, uint16_t, std::string, int16_t>;
    EXPECT_EQ(Each(Rebuilt(*node),
                   [](const SymEntryInfo& e) {
                       const RGBColor& c = e.textureColor;
                       return Entry{e.refNum, c.red, c.green, c.blue, e.objectDescription, e.type};
                   }),
              (std::vector<Entry>{{1, 10, 20, 30, "Barn Red", symentry::kColor},
                                  {2, 200, 20, 30, "No description", symentry::kColor},
                                  {3, 30, 20, 30, "No description", symentry::kColor}}));
    for (const char* catID : {"0", "-2", ""}) {
        Ini bad;
        bad.section("CategoryInfo").key("CatID", catID).section("PaintInfo");
        WriteTextFile(folder + "/Reds.INI", bad.key("Red-1", "1").key("Green-1", "1").key("Blue-1", "1").text());
        EXPECT_TRUE(Rebuilt(*node).empty()) << catID;
    }
    EXPECT_TRUE(Rebuilt(*Node("", content::kPaintLibrary)).empty());
    EXPECT_TRUE(Rebuilt(*Node("/", content::kPaintLibrary)).empty());
}

// The six colour sets are twelve table colours each: indices 0-11 ... 60-71, identifiers 1-12.
// A ramp is 45 steps of its hue; a node with children has no colours of its own.
TEST_F(EntryBuilders, ColourSetsAndRamps) {
    for (int32_t i = 0; i < 72; ++i) doc->itsDocState->customColors[i] = i + 256 * (2 * i) + 65536 * 7;
    using Entry = std::tuple<int32_t, int32_t, int16_t, uint16_t, uint16_t, uint16_t>;
    const auto entries = [](ContentCategoryItem& node) {
        return Each(Rebuilt(node), [](const SymEntryInfo& e) {
            const RGBColor& c = e.textureColor;
            return Entry{e.colorIndex, e.refNum, e.type, c.red, c.green, c.blue};
        });
    };
    for (int16_t type = content::kWinterColorsLibrary; type <= content::kGrayTonesLibrary; ++type) {
        std::vector<Entry> want;
        for (int32_t k = 0, index = (type - 2) * 12; k < 12; ++k, ++index)
            want.emplace_back(index, k + 1, symentry::kColor, index, 2 * index, 7);
        EXPECT_EQ(entries(*Node("", type)), want) << type;
    }
    // Hue 170 is blue: the last, darkest step keeps only blue, at 55.
    auto root = ContentCategoryItem::initWithName("Ramps", nullptr, nullptr, content::kColorsCategory, 8);
    ContentCategoryItem* ramp = root->addChildWithName("Blue", root.get(), content::kColorsCategory, 8, 170);
    const std::vector<Entry> steps = entries(*ramp);
    ASSERT_EQ(steps.size(), 45u);
    EXPECT_EQ(steps[44], (Entry{45, 45, symentry::kColor, 0, 0, 55}));
    // A selection at or past the count is ignored.
    ramp->setSelectionIndex(44);
    ramp->setSelectionIndex(45);
    EXPECT_EQ(std::tuple(ramp->selectionIndex(), ramp->symEntryAtIndex(45)), std::tuple(44u, nullptr));
    // A rebuild to fewer entries keeps the index; readers compare it with the count.
    ramp->setLibraryType(content::kWinterColorsLibrary);
    EXPECT_EQ(Rebuilt(*ramp).size(), 12u);
    EXPECT_EQ(ramp->selectionIndex(), 44u);
    EXPECT_TRUE(Rebuilt(*root).empty());
    // A colour past the table is black, never read beyond it; without a document, none at all.
    const SymEntryInfo beyond = SymEntryInfo::initWithColorIndex(72, 3, symentry::kColor);
    EXPECT_TRUE(beyond.textureColor == RGBColor{} && beyond.refNum == 3);
    doc->dealloc();
    doc = nullptr;
    EXPECT_EQ(SymEntryInfo::initWithColorIndex(13, 1, symentry::kColor).refNum, 0);
}

}  // namespace

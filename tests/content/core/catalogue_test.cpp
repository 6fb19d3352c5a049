// Category trees: the built-in ones as the palette shows them, and the ones read from the
// catalogues in the shared "Zelt" folder, over folder trees each case writes itself.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "content/core/builtin_libraries.h"
#include "content/core/content_library_manager.h"
#include "content/core/content_types.h"
#include "files/content_folders.h"
#include "port/files.h"
#include "support/content_library.h"
#include "support/fixture.h"

using namespace dvxtest;

namespace {

std::string Catalogue(const char* file) { return LocalDomainUserSharedPath() + "/Zelt/" + file; }

ContentLibraryManager& Manager() { return ContentLibraryManager::sharedContentLibraryManager(); }

std::vector<std::string> Names(const ContentCategoryList& list) {
    std::vector<std::string> names;
    for (const auto& node : list) names.push_back(node->categoryName());
    return names;
}

std::vector<std::string> ChildNames(const ContentCategoryItem& node) {
    std::vector<std::string> names;
    for (const auto& child : node.children()) names.push_back(child->categoryName());
    return names;
}

std::vector<bool> SelectedFlags(const ContentCategoryList& list) {
    std::vector<bool> flags;
    for (const auto& node : list) flags.push_back(node->selected());
    return flags;
}

class BuiltInTrees : public DocumentTest {};

TEST_F(BuiltInTrees, NodesCarryTheTabledFoldersIDsCountsAndPrefixes) {
    ContentCategoryList colours;
    content::BuildBuiltInLibrary(content::kColorsCategory, colours);
    EXPECT_EQ(Names(colours), (std::vector<std::string>{"Winter Colors", "Spring Colors", "Summer Colors",
                                                        "Fall Colors", "Contemporary Colors", "Gray Tones"}));
    for (size_t i = 0; i < colours.size(); ++i) {
        EXPECT_EQ(colours[i]->libraryType(), static_cast<int16_t>(2 + i));
        EXPECT_EQ(colours[i]->categoryType(), content::kColorsCategory);
        EXPECT_TRUE(colours[i]->fullPath().empty());
        EXPECT_FALSE(colours[i]->selected());
    }

    // A few rows checked by value; every row against its folder root and its first flag.
    struct Row {
        int16_t category;
        size_t index;
        const char* name;
        const char* folder;
        int16_t libraryType;
        int32_t base;
        uint32_t count;
        const char* prefix;
        std::string root;
    };
    const std::string stock = LocalDomainTexturePath(), plants = LocalDomainPlantPath();
    const Row rows[] = {
        {content::kMaterialsCategory, 0, "Brick", "Brick", 10, 850, 66, "BRICK", stock},
        {content::kMaterialsCategory, 8, "Wall Covering", "WallCvrs", 10, 1600, 31, "COVER", stock},
        {content::kMaterialsCategory, 17, "Sky", "Sky", 10, 1550, 2, "SKY", stock},
        {content::kTrimCategory, 0, "Base Trim", "BaseTrim", 12, 100, 5, "BASETRIM", stock},
        {content::kTrimCategory, 1, "Crown Trim", "CrownTrim", 14, 400, 5, "CROWNTRIM", stock},
        {content::kTrimCategory, 3, "Wainscot", "Wc", 17, 300, 5, "WC", stock},
        {content::kPlantsCategory, 1, "Shrubs", "Shrubs", 21, 5000, 682, "SHRUB", plants},
        {content::kPlantsCategory, 9, "Ornamental Grasses", "Grasses", 21, 11000, 99, "ORNAM", plants},
        {content::kPlantsCategory, 11, "Edibles", "Edibles", 21, 13000, 23, "EDIBLES", plants},
    };
    const std::tuple<int16_t, size_t> sizes[] = {
        {content::kMaterialsCategory, 18}, {content::kTrimCategory, 4}, {content::kPlantsCategory, 12}};
    for (const auto& [category, size] : sizes) {
        ContentCategoryList list;
        content::BuildBuiltInLibrary(category, list);
        ASSERT_EQ(list.size(), size) << category;
        for (size_t i = 0; i < list.size(); ++i) {
            EXPECT_EQ(list[i]->selected(), i == 0) << category << " " << i;
            EXPECT_EQ(list[i]->categoryType(), category);
            EXPECT_EQ(list[i]->parentItem(), nullptr);
            EXPECT_EQ(list[i]->numberOfChildren(), 0u);
        }
        for (const Row& row : rows) {
            if (row.category != category) continue;
            const ContentCategoryItem& node = *list[row.index];
            EXPECT_EQ(std::tuple(node.categoryName(), node.fullPath(), node.libraryType(), node.baseTextureID(),
                                 node.textureCount(), node.textureFilePrefix()),
                      std::tuple(std::string(row.name), row.root + "/" + row.folder, row.libraryType, row.base,
                                 row.count, std::string(row.prefix)));
        }
    }
    ContentCategoryList none;
    content::BuildBuiltInLibrary(content::kObjectsCategory, none);
    EXPECT_TRUE(none.empty());
}

// File n of a numbered library stands for texture ID base + n - 1: BRICK1 is 850, BRICK66 915.
TEST_F(BuiltInTrees, NumberedFilesGiveTheirTextureIDs) {
    ContentCategoryList materials;
    content::BuildBuiltInLibrary(content::kMaterialsCategory, materials);
    ContentCategoryItem& brick = *materials[0];
    WriteFiles(brick.fullPath(), {"BRICK1.PTX", "BRICK66.PTX", "BRICK67.PTX", "BRICK67.PTI"});
    WriteTextFile(brick.fullPath() + "/BRICK1.PTI", Ini().section("Description").key("Name", "Red Brick").text());
    WriteTextFile(brick.fullPath() + "/BRICK66.PTI", Ini().section("Description").key("Name", "Old Brick").text());
    Manager().rebuildSymEntryListForItem(&brick);
    ASSERT_EQ(brick.numberOfSymEntries(), 2u);  // 67 lies beyond the count
    const SymEntryInfo& first = *brick.symEntryAtIndex(0);
    const SymEntryInfo& last = *brick.symEntryAtIndex(1);
    EXPECT_EQ(std::tuple(first.textureID, first.refNum, first.type, first.objectDescription, first.objectData,
                         first.objectInfo, first.objectPreview),
              std::tuple(850, 1, symentry::kStockMaterial, std::string("Red Brick"), brick.fullPath() + "/BRICK1.PTX",
                         brick.fullPath() + "/BRICK1.PTI", std::string()));
    EXPECT_EQ(std::tuple(last.textureID, last.refNum, last.objectDescription),
              std::tuple(915, 2, std::string("Old Brick")));
}

class Catalogues : public DocumentTest {};

// Each main catalogue, from its own file, into its own section and root folder.
TEST_F(Catalogues, MainReaderReadsTwoLevelsIntoTheTypesRootFolder) {
    struct Row {
        int16_t libraryType;
        const char* file;
        const char* section;
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
        ini.categories(row.section, {"Chairs", "Tables"});
        ini.categories("Chairs", {"Dining", "Office"});
        WriteTextFile(Catalogue(row.file), ini.text());
        ContentCategoryList list;
        Manager().buildLibraryOfType(row.libraryType, list);
        ASSERT_EQ(Names(list), (std::vector<std::string>{"Chairs", "Tables"})) << row.file;
        EXPECT_EQ(SelectedFlags(list), (std::vector<bool>{true, false}));
        const ContentCategoryItem& chairs = *list[0];
        EXPECT_EQ(std::tuple(chairs.fullPath(), chairs.categoryType(), chairs.libraryType(), chairs.parentItem()),
                  std::tuple(row.root + "/Chairs", row.category, row.libraryType, nullptr));
        ASSERT_EQ(ChildNames(chairs), (std::vector<std::string>{"Dining", "Office"}));
        const ContentCategoryItem& office = *chairs.childAtIndex(1);
        EXPECT_EQ(std::tuple(office.fullPath(), office.categoryType(), office.libraryType(), office.parentItem(),
                             office.selected()),
                  std::tuple(row.root + "/Chairs/Office", row.category, row.libraryType, &chairs, false));
        EXPECT_EQ(list[1]->numberOfChildren(), 0u);
        ASSERT_TRUE(port::RemoveFile(Catalogue(row.file)));
    }
    // Types without a main catalogue, and a missing file, add nothing.
    ContentCategoryList list;
    for (int16_t type : {9, 10, 18, 22, -1}) Manager().buildLibraryOfType(type, list);
    Manager().buildLibraryOfType(19, list);
    EXPECT_TRUE(list.empty());
}

TEST_F(Catalogues, ListingRules) {
    const std::string longName(600, 'x');
    struct Row {
        const char* what;
        std::string text;
        std::vector<std::string> names;
        std::vector<bool> selected;
    };
    const Row rows[] = {
        {"2Object without 1Object",
         Ini().section("Object").key("2Object", "Lamps").key("2ObjectDirectory", "Lamps").text(), {}, {}},
        {"a first category without its directory key",
         Ini().categories("Object", {"!Chairs", "Tables", "Lamps"}).text(),
         {"Tables", "Lamps"},
         {false, false}},
        {"Done ends the list", Ini().categories("Object", {"Chairs", "Done", "Tables"}).text(),
         {"Chairs"},
         {true}},
        {"done in another case does not",
         Ini().categories("Object", {"done", "DONE", "Tables"}).text(),
         {"done", "DONE", "Tables"},
         {true, false, false}},
        {"a 600-character value", Ini().categories("Object", {longName}).text(),
         {std::string(250, 'x')},
         {true}},
    };
    for (const Row& row : rows) {
        WriteTextFile(Catalogue("ObjectCat.ini"), row.text);
        ContentCategoryList list;
        Manager().buildLibraryOfType(content::kObject3DLibrary, list);
        EXPECT_EQ(Names(list), row.names) << row.what;
        EXPECT_EQ(SelectedFlags(list), row.selected) << row.what;
    }

    // A sub-category section with no keys gives no children; a sub-category without its
    // directory key is skipped, and one named "Done" ends the section's list.
    Ini ini;
    ini.categories("Object", {"Chairs", "Tables"});
    ini.section("Chairs");
    ini.categories("Tables", {"Round", "!Square", "Long", "Done", "Bar"});
    WriteTextFile(Catalogue("ObjectCat.ini"), ini.text());
    ContentCategoryList list;
    Manager().buildLibraryOfType(content::kObject3DLibrary, list);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0]->numberOfChildren(), 0u);
    EXPECT_EQ(ChildNames(*list[1]), (std::vector<std::string>{"Round", "Long"}));
}

TEST_F(Catalogues, SecondReaderAddsBelowTheParentAndSelectsNone) {
    auto parent = ContentCategoryItem::initWithName("Paints", "/lib/Paint", nullptr, content::kColorsCategory, 1);
    Ini paint;
    paint.categories("Paint", {"Reds", "Blues"});
    paint.categories("Reds", {"Brick Reds"});
    WriteTextFile(Catalogue("PaintCat.ini"), paint.text());
    Manager().buildLibraryOfType(content::kPaintLibrary, parent.get());
    ASSERT_EQ(ChildNames(*parent), (std::vector<std::string>{"Reds", "Blues"}));
    const ContentCategoryItem& reds = *parent->childAtIndex(0);
    EXPECT_EQ(std::tuple(reds.fullPath(), reds.parentItem(), reds.categoryType(), reds.libraryType(), reds.selected()),
              std::tuple(std::string("/lib/Paint/Reds"), parent.get(), content::kColorsCategory,
                         content::kPaintLibrary, false));
    ASSERT_EQ(ChildNames(reds), (std::vector<std::string>{"Brick Reds"}));
    EXPECT_EQ(reds.childAtIndex(0)->fullPath(), "/lib/Paint/Reds/Brick Reds");
    EXPECT_EQ(reds.childAtIndex(0)->parentItem(), &reds);

    // Custom trim lies below the custom trim folder whatever the parent's folder.
    Ini trim;
    trim.categories("Trim", {"Crowns"});
    WriteTextFile(Catalogue("TrimCat.ini"), trim.text());
    for (int16_t type : {content::kCustomTrimLibrary, content::kCustomTrimLibrary2}) {
        auto trims = ContentCategoryItem::initWithName("Trim", "/elsewhere", nullptr, content::kTrimCategory, 1);
        Manager().buildLibraryOfType(type, trims.get());
        ASSERT_EQ(trims->numberOfChildren(), 1u) << type;
        EXPECT_EQ(trims->childAtIndex(0)->fullPath(), LocalDomainCustomTrimPath() + "/Crowns");
        EXPECT_EQ(trims->childAtIndex(0)->categoryType(), content::kTrimCategory);
    }

    // Types outside the table and a missing parent add nothing.
    Manager().buildLibraryOfType(content::kPaintLibrary, nullptr);
    Manager().buildLibraryOfType(content::kTemplateLibrary, parent.get());
    Manager().buildLibraryOfType(content::kCustomPlantLibrary, parent.get());  // no catalogue
    EXPECT_EQ(parent->numberOfChildren(), 2u);
}

TEST_F(Catalogues, NodesOwnTheirChildrenAndTakeOnlyValidSelections) {
    auto root = ContentCategoryItem::initWithName("Ramps", nullptr, nullptr, content::kColorsCategory, 1);
    ContentCategoryItem* ramp = root->addChildWithName("Blue", root.get(), content::kColorsCategory, 8, 170);
    EXPECT_EQ(std::tuple(ramp->baseHue(), ramp->fullPath(), ramp->parentItem()),
              std::tuple(170, std::string(), root.get()));
    ContentCategoryItem* numbered = root->addChildWithName("Tiles", "/t", root.get(), 2, 10, 2050, 102, "TILE");
    EXPECT_EQ(std::tuple(numbered->baseTextureID(), numbered->textureCount(), numbered->textureFilePrefix()),
              std::tuple(2050, 102u, std::string("TILE")));
    EXPECT_EQ(root->childAtIndex(2), nullptr);

    Manager().rebuildSymEntryListForItem(ramp);
    ASSERT_EQ(ramp->numberOfSymEntries(), 45u);
    EXPECT_EQ(std::tuple(ramp->symEntryAtIndex(44)->colorIndex, ramp->symEntryAtIndex(44)->refNum),
              std::tuple(45, 45));
    ramp->setSelectionIndex(44);
    ramp->setSelectionIndex(45);  // at the count: ignored
    EXPECT_EQ(ramp->selectionIndex(), 44u);
    // A rebuild to fewer entries keeps the index; readers compare it with the count.
    ramp->setLibraryType(content::kWinterColorsLibrary);
    Manager().rebuildSymEntryListForItem(ramp);
    EXPECT_EQ(ramp->numberOfSymEntries(), 12u);
    EXPECT_EQ(ramp->selectionIndex(), 44u);
    EXPECT_EQ(ramp->symEntryAtIndex(44), nullptr);
    // A node with children has no colours of its own.
    root->setLibraryType(content::kColorRampLibrary);
    Manager().rebuildSymEntryListForItem(root.get());
    EXPECT_EQ(root->numberOfSymEntries(), 0u);
}

}  // namespace

// A category's entries, found again from folders each case writes: data files with their
// info and preview files, numbered files, the document's colour table and paint files.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "content/core/content_library_manager.h"
#include "content/core/content_types.h"
#include "files/content_folders.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "support/content_library.h"
#include "support/fixture.h"

using namespace dvxtest;

namespace {

ContentLibraryManager& Manager() { return ContentLibraryManager::sharedContentLibraryManager(); }

std::unique_ptr<ContentCategoryItem> Node(const std::string& folder, int16_t libraryType) {
    return ContentCategoryItem::initWithName("Node", folder.c_str(), nullptr, 0, libraryType);
}

std::vector<std::string> Descriptions(const ContentCategoryItem& node) {
    std::vector<std::string> texts;
    for (const SymEntryInfo& e : node.symEntries()) texts.push_back(e.objectDescription);
    return texts;
}

std::string InfoText(const char* nameKey, const std::string& name, const char* descriptionKey = nullptr,
                     const std::string& description = "") {
    Ini ini;
    ini.section("Description").key(nameKey, name);
    if (descriptionKey) ini.key(descriptionKey, description);
    return ini.text();
}

class EntryBuilders : public DocumentTest {};

// Each folder-scan builder: its files, its entry type, where its paths are relative to, and
// whether a missing preview drops the entry. Accessory categories lie in the accessories folder
// inside the custom texture folder, so their paths begin with that folder's name.
TEST_F(EntryBuilders, FolderScansFindDataInfoAndPreviewFiles) {
    struct Row {
        int16_t libraryType;
        std::string root;
        const char* data;
        const char* info;
        const char* preview;
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
        const std::string folder = row.root + "/Group";
        std::filesystem::remove_all(folder);
        WriteFiles(folder, {row.data, row.preview, "other.TXT"});
        WriteTextFile(folder + "/" + row.info, InfoText(row.nameKey, "Thing"));
        auto node = Node(folder, row.libraryType);
        Manager().rebuildSymEntryListForItem(node.get());
        ASSERT_EQ(node->numberOfSymEntries(), 1u) << row.libraryType;
        const SymEntryInfo& e = *node->symEntryAtIndex(0);
        const std::string at = row.storedAs ? std::string(row.storedAs) : folder;
        EXPECT_EQ(std::tuple(e.type, e.refNum, e.objectData, e.objectInfo, e.objectPreview, e.objectDescription),
                  std::tuple(row.entryType, 1, at + "/" + row.data, at + "/" + row.info, at + "/" + row.preview,
                             std::string("Thing")))
            << row.libraryType;

        std::filesystem::remove(folder + "/" + row.preview);
        Manager().rebuildSymEntryListForItem(node.get());
        ASSERT_EQ(node->numberOfSymEntries(), row.previewRequired ? 0u : 1u) << row.libraryType;
        if (!row.previewRequired) EXPECT_EQ(node->symEntryAtIndex(0)->objectPreview, "");
        std::filesystem::remove(folder + "/" + row.info);
        Manager().rebuildSymEntryListForItem(node.get());
        EXPECT_EQ(node->numberOfSymEntries(), 0u) << row.libraryType;
    }
}

// The extension test ignores case; info and preview names are built upper-case and found
// whatever their case in the folder. Entries come in name order.
TEST_F(EntryBuilders, LetterCaseOfExtensions) {
    const std::string folder = LocalDomainCustomWindowPath() + "/Bays";
    WriteFiles(folder, {"bay.ptf", "bay.PTI", "bay.PPV", "arch.PTF", "arch.pti", "arch.ppv", ".PTF", "x.PTFX"});
    auto node = Node(folder, content::kCustomWindowLibrary);
    Manager().rebuildSymEntryListForItem(node.get());
    ASSERT_EQ(node->numberOfSymEntries(), 2u);
    const SymEntryInfo& arch = *node->symEntryAtIndex(0);
    const SymEntryInfo& bay = *node->symEntryAtIndex(1);
    EXPECT_EQ(std::tuple(bay.objectData, bay.objectInfo, bay.objectPreview, bay.refNum),
              std::tuple(std::string("Bays/bay.ptf"), std::string("Bays/bay.PTI"), std::string("Bays/bay.PPV"), 2));
    EXPECT_EQ(std::tuple(arch.objectData, arch.objectInfo, arch.objectPreview, arch.refNum),
              std::tuple(std::string("Bays/arch.PTF"), std::string("Bays/arch.pti"), std::string("Bays/arch.ppv"), 1));
}

// A custom texture without its preview has none, even right after one that has.
TEST_F(EntryBuilders, AMissingOptionalPreviewIsNotCarriedOver) {
    const std::string folder = LocalDomainCustomTexturePath() + "/Stone";
    WriteFiles(folder, {"a.PTX", "a.PTI", "a.PPV", "b.PTX", "b.PTI"});
    auto node = Node(folder, content::kCustomMaterialLibrary);
    Manager().rebuildSymEntryListForItem(node.get());
    ASSERT_EQ(node->numberOfSymEntries(), 2u);
    EXPECT_EQ(node->symEntryAtIndex(0)->objectPreview, "Stone/a.PPV");
    EXPECT_EQ(node->symEntryAtIndex(1)->objectPreview, "");
    EXPECT_EQ(Descriptions(*node), (std::vector<std::string>{"No description", "No description"}));
}

TEST_F(EntryBuilders, DescriptionsFromNameAndDescriptionKeys) {
    struct Row {
        std::string name, description, shown;
    };
    const Row rows[] = {
        {"Bay", "Bay", "Bay"},
        {"Bay", "Three panes", "Bay (Three panes)"},
        {"Bay", "", "Bay"},
        {"", "", ""},
    };
    const std::string folder = LocalDomainCustomWindowPath() + "/Texts";
    auto node = Node(folder, content::kCustomWindowLibrary);
    for (const Row& row : rows) {
        WriteFiles(folder, {"w.PTF", "w.PPV"});
        WriteTextFile(folder + "/w.PTI", InfoText("AttachmentName", row.name, "AttachmentDescription", row.description));
        Manager().rebuildSymEntryListForItem(node.get());
        EXPECT_EQ(Descriptions(*node), std::vector<std::string>{row.shown}) << row.name << "/" << row.description;
    }
    // One-key builders fall back on "No description"; values are cut to 250 characters.
    const std::string plants = LocalDomainCustomPlantPath() + "/Ferns";
    WriteFiles(plants, {"a.PTX", "b.PTX"});
    WriteTextFile(plants + "/a.PTI", InfoText("CommonName", std::string(600, 'f')));
    WriteTextFile(plants + "/b.PTI", InfoText("Name", "not the key"));
    auto ferns = Node(plants, content::kCustomPlantLibrary);
    Manager().rebuildSymEntryListForItem(ferns.get());
    EXPECT_EQ(Descriptions(*ferns), (std::vector<std::string>{std::string(250, 'f'), "No description"}));
}

// A scan of a node with children or without a folder empties it and adds nothing.
TEST_F(EntryBuilders, ScansOfGroupNodesAndFolderlessNodesEmptyThem) {
    const std::string folder = LocalDomain3DObjectPath() + "/Sofas";
    WriteFiles(folder, {"s.POB", "s.POD", "s.PPV"});
    auto node = Node(folder, content::kObject3DLibrary);
    Manager().rebuildSymEntryListForItem(node.get());
    ASSERT_EQ(node->numberOfSymEntries(), 1u);
    node->addChildWithName("Leather", (folder + "/Leather").c_str(), node.get(), 4, 19);
    Manager().rebuildSymEntryListForItem(node.get());
    EXPECT_EQ(node->numberOfSymEntries(), 0u);
    auto bare = Node("", content::kObject3DLibrary);
    bare->addSymEntryWithRed(1, 2, 3, "kept?", 1, symentry::kColor);
    Manager().rebuildSymEntryListForItem(bare.get());
    EXPECT_EQ(bare->numberOfSymEntries(), 0u);
}

// Files 1, 2 and 4 of a numbered library: identifiers count the entries added, texture IDs
// follow the file numbers. Plants take their preview when there is one.
TEST_F(EntryBuilders, NumberedTexturesSkipMissingNumbers) {
    const std::string folder = LocalDomainPlantPath() + "/Shrubs";
    WriteFiles(folder, {"SHRUB1.PTX", "SHRUB1.PPV", "SHRUB2.PTX", "SHRUB3.PTX", "SHRUB4.PTX", "SHRUB4.PTI"});
    WriteTextFile(folder + "/SHRUB1.PTI", InfoText("CommonName", "Boxwood"));
    WriteTextFile(folder + "/SHRUB2.PTI", InfoText("Name", "only a name"));
    auto node = Node(folder, content::kStockPlantLibrary);
    node->setBaseTextureID(5000, 682, "SHRUB");
    Manager().rebuildSymEntryListForItem(node.get());
    ASSERT_EQ(node->numberOfSymEntries(), 3u);  // 3 has no info file
    std::vector<std::tuple<int32_t, int32_t, int16_t, std::string>> got;
    for (const SymEntryInfo& e : node->symEntries()) got.emplace_back(e.refNum, e.textureID, e.type, e.objectPreview);
    EXPECT_EQ(got, (std::vector<std::tuple<int32_t, int32_t, int16_t, std::string>>{
                       {1, 5000, symentry::kStockPlant, folder + "/SHRUB1.PPV"},
                       {2, 5001, symentry::kStockPlant, ""},
                       {3, 5003, symentry::kStockPlant, ""}}));
    EXPECT_EQ(Descriptions(*node), (std::vector<std::string>{"Boxwood", "No description", "No description"}));

    // A library counting no files keeps what it had.
    node->setBaseTextureID(5000, 0, "SHRUB");
    Manager().rebuildSymEntryListForItem(node.get());
    EXPECT_EQ(node->numberOfSymEntries(), 3u);
}

// Stock trim lists the "M" previews in a metric document, skipping a number whose "M" file
// is missing; without a document it keeps its entries.
TEST_F(EntryBuilders, StockTrimFollowsTheDocumentsUnits) {
    const std::string folder = LocalDomainTexturePath() + "/Wc";
    WriteFiles(folder, {"WC1.PPV", "WC1.PTI", "WC1M.PPV", "WC1M.PTI", "WC2.PPV", "WC2.PTI", "WC3M.PPV", "WC3M.PTI"});
    auto node = Node(folder, content::kWainscotLibrary);
    node->setBaseTextureID(300, 5, "WC");
    struct Row {
        int16_t units;
        std::vector<std::tuple<int32_t, int32_t, std::string, std::string>> entries;
    };
    const Row rows[] = {
        {kImperialUnits, {{1, 300, "WC1.PPV", "WC1.PTI"}, {2, 301, "WC2.PPV", "WC2.PTI"}}},
        {kMetricUnits, {{1, 300, "WC1M.PPV", "WC1M.PTI"}, {2, 302, "WC3M.PPV", "WC3M.PTI"}}},
    };
    for (const Row& row : rows) {
        doc->itsDocState->units = row.units;
        Manager().rebuildSymEntryListForItem(node.get());
        std::vector<std::tuple<int32_t, int32_t, std::string, std::string>> got;
        for (const SymEntryInfo& e : node->symEntries()) {
            EXPECT_EQ(std::tuple(e.type, e.objectData), std::tuple(symentry::kStockTrim, std::string()));
            got.emplace_back(e.refNum, e.textureID, e.objectPreview.substr(folder.size() + 1),
                             e.objectInfo.substr(folder.size() + 1));
        }
        EXPECT_EQ(got, row.entries) << row.units;
    }
    doc->dealloc();
    doc = nullptr;
    Manager().rebuildSymEntryListForItem(node.get());
    EXPECT_EQ(node->numberOfSymEntries(), 2u);
}

TEST_F(EntryBuilders, PaintFilesEndAtTheFirstMissingColour) {
    const std::string folder = LocalDomainPaintPath() + "/Reds";
    Ini ini;
    ini.section("CategoryInfo").key("CatID", "3").section("PaintInfo");
    for (int k : {1, 2, 3, 5})
        ini.key("Red-" + std::to_string(k), std::to_string(k == 2 ? 65536 + 200 : 10 * k))
            .key("Green-" + std::to_string(k), "20")
            .key("Blue-" + std::to_string(k), "30");
    ini.key("Name-1", "Barn Red");
    WriteTextFile(folder + "/Reds.INI", ini.text());
    auto node = Node(folder + "/", content::kPaintLibrary);
    Manager().rebuildSymEntryListForItem(node.get());
    std::vector<std::tuple<int32_t, uint16_t, uint16_t, uint16_t, std::string, int16_t>> got;
    for (const SymEntryInfo& e : node->symEntries())
        got.emplace_back(e.refNum, e.textureColor.red, e.textureColor.green, e.textureColor.blue, e.objectDescription,
                         e.type);
    EXPECT_EQ(got, (std::vector<std::tuple<int32_t, uint16_t, uint16_t, uint16_t, std::string, int16_t>>{
                       {1, 10, 20, 30, "Barn Red", symentry::kColor},
                       {2, 200, 20, 30, "No description", symentry::kColor},  // low 16 bits
                       {3, 30, 20, 30, "No description", symentry::kColor}}));

    // No category ID, or none above 0: no colours.
    for (const char* catID : {"0", "-2", ""}) {
        Ini bad;
        bad.section("CategoryInfo").key("CatID", catID).section("PaintInfo").key("Red-1", "1").key("Green-1", "1");
        bad.key("Blue-1", "1");
        WriteTextFile(folder + "/Reds.INI", bad.text());
        Manager().rebuildSymEntryListForItem(node.get());
        EXPECT_EQ(node->numberOfSymEntries(), 0u) << catID;
    }
    for (const char* path : {"", "/"}) {
        auto none = Node(path, content::kPaintLibrary);
        Manager().rebuildSymEntryListForItem(none.get());
        EXPECT_EQ(none->numberOfSymEntries(), 0u);
    }
}

// The six colour sets are twelve table colours each: indices 0-11 ... 60-71, identifiers 1-12.
TEST_F(EntryBuilders, ColourSetsReadTheDocumentsTable) {
    for (int32_t i = 0; i < 72; ++i) doc->itsDocState->customColors[i] = i + 256 * (2 * i) + 65536 * 7;
    for (int16_t type = content::kWinterColorsLibrary; type <= content::kGrayTonesLibrary; ++type) {
        auto node = Node("", type);
        Manager().rebuildSymEntryListForItem(node.get());
        ASSERT_EQ(node->numberOfSymEntries(), 12u) << type;
        for (int32_t k = 0; k < 12; ++k) {
            const SymEntryInfo& e = *node->symEntryAtIndex(k);
            const int32_t index = (type - 2) * 12 + k;
            EXPECT_EQ(std::tuple(e.colorIndex, e.refNum, e.type, e.textureColor.red, e.textureColor.green,
                                 e.textureColor.blue),
                      std::tuple(index, k + 1, symentry::kColor, uint16_t(index), uint16_t(2 * index), uint16_t{7}))
                << type << " " << k;
        }
    }
}

}  // namespace

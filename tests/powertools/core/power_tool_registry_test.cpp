// The plug-in tool registry read from descriptor files in the PowerTool folder, and the seams
// the rest of the program asks it through.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

#include "files/content_folders.h"
#include "model/document_model.h"
#include "model/plugin_data.h"
#include "port/files.h"
#include "port/images.h"
#include "powertools/core/plugin_list_seams.h"
#include "powertools/core/power_tool_dispatcher.h"
#include "support/doubles.h"
#include "support/fixture.h"
#include "support/powertool_builder.h"
#include "support/records.h"

using namespace dvxtest;

namespace {

// A descriptor's values; an empty one leaves its key out.
struct Descriptor {
    std::string directory = "Tool", program = "Tool.app", image = "preview.png", name = "Deck Designer";
    std::string description = "Designs decks", appID = "com.example.deck", id = "120", type = "1";
    std::string fileVersion = "10000", minFileVersion{};
};

class RegistryTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        plugins = MakePowerToolFolder();
        ASSERT_EQ(plugins, LocalDomainPowerToolPath());
        port::setImageDecoder(&decoder);
    }

    // Writes the descriptor as `fileName` and, when `decodable`, gives its preview an image.
    std::string Write(const std::string& fileName, const Descriptor& d, bool decodable = true) {
        std::string text = "[Description]\r\n";
        const std::pair<const char*, std::string> keys[] = {
            {"Directory", d.directory},     {"PlugIn", d.program},
            {"Image", d.image},             {"DisplayName", d.name},
            {"DisplayDescription", d.description}, {"AppleAppID", d.appID},
            {"ID", d.id},                   {"Type", d.type},
            {"FileVersion", d.fileVersion}, {"MinFileVersion", d.minFileVersion},
            {"DeveloperID", "77"},          {"RefID", "5"}};
        for (const auto& [key, value] : keys)
            if (!value.empty()) text += std::string(key) + "=" + value + "\r\n";
        const std::string path = port::JoinPath(plugins, fileName);
        WriteFileBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
        if (decodable) decoder.add(plugins + "/" + d.directory + "/" + d.image, port::DecodedImage{2, 3, std::vector<uint8_t>(18, 9)});
        return path;
    }
    std::unique_ptr<PowerToolEntry> Entry(const std::string& path) {
        return dispatcher()->createPowerToolEntryWithContentsAtPath(path.c_str(), 10000, 10000);
    }

    PowerToolDispatcher* dispatcher() { return PowerToolDispatcher::sharedPowerToolDispatcher(); }
    std::vector<std::string> ListedNames() {
        std::vector<std::string> names;
        for (const auto& e : dispatcher()->pluginList()) names.push_back(e->plugInName());
        return names;
    }

    std::string plugins;
    FakeImageDecoder decoder;
};

// Which descriptor files the scan takes, in which order, with which versions and values; the
// list is made afresh each time, and a missing folder gives an empty one.
TEST_F(RegistryTest, ScanFindsDescriptorsByExtensionAndMinimumVersion) {
    Write("a_lower.peg", {.name = "lower"});
    Write(".PEG", {.name = "bare"});
    Write("b_noversion.PEG", {.name = "no version", .description = "", .fileVersion = ""});
    Write("c_toonew.PEG", {.name = "too new", .fileVersion = "12000"});
    Write("d_minimum.PEG", {.name = "new with minimum", .fileVersion = "12000", .minFileVersion = "11000"});
    Write("e_noimage.PEG", {.image = "broken.png", .name = "no image"}, false);
    Write("notes.txt", {.name = "text"});

    dispatcher()->buildPluginList();
    ASSERT_EQ(ListedNames(), (std::vector<std::string>{"lower", "no version", "new with minimum"}));
    const auto& list = dispatcher()->pluginList();
    EXPECT_TRUE(Near({list[1]->plugInFileVer(), list[1]->plugInMinFileVer(), list[2]->plugInFileVer(),
                      list[2]->plugInMinFileVer(), list[1]->plugInDescription().size()},
                     {5000, 5000, 12000, 11000, 0}));
    const PowerToolEntry& e = *list[0];
    EXPECT_EQ(e.plugInPEG(), plugins + "/a_lower.peg");
    EXPECT_EQ(e.plugInDir(), plugins + "/Tool");
    EXPECT_EQ(e.plugInEXE(), plugins + "/Tool/Tool.app");
    ASSERT_TRUE(e.plugInPreview());
    EXPECT_EQ(e.plugInDescription() + "|" + e.plugInAppleAppID(), "Designs decks|com.example.deck");
    EXPECT_TRUE(Near({e.plugInPreview()->width, e.plugInID(), e.plugInType(), e.plugInDevID(), e.plugInRefNum()},
                     {2, 120, 1, 77, 5}));

    port::RemoveFile(plugins + "/a_lower.peg");
    dispatcher()->buildPluginList();
    EXPECT_EQ(ListedNames(), (std::vector<std::string>{"no version", "new with minimum"}));
    for (const std::string& name : port::ListFolder(plugins)) port::RemoveFile(plugins + "/" + name);
    ASSERT_EQ(::rmdir(plugins.c_str()), 0);
    dispatcher()->buildPluginList();
    EXPECT_TRUE(dispatcher()->pluginList().empty());
}

// Each descriptor lacks one thing an entry needs, or names an exchange folder that is not one
// plain name under the temporary folder: none of them makes an entry.
TEST_F(RegistryTest, InvalidDescriptorsMakeNoEntry) {
    const std::pair<const char*, Descriptor> rows[] = {
        {"no directory", {.directory = ""}},
        {"no program", {.program = ""}},
        {"no image key", {.image = ""}},
        {"no name", {.name = ""}},
        {"no exchange folder", {.appID = ""}},
        {"ID 0", {.id = "0"}},
        {"negative ID", {.id = "-4"}},
        {"no type", {.type = ""}},
        {"type whose low 16 bits are 0", {.type = "65536"}},
        {"type negative in 16 bits", {.type = "40000"}},
        {"exchange folder with a separator", {.appID = "../x"}},
        {"exchange folder with a backslash", {.appID = "a\\b"}},
        {"exchange folder .", {.appID = "."}},
        {"exchange folder ..", {.appID = ".."}},
    };
    for (const auto& [what, d] : rows) EXPECT_EQ(Entry(Write("x.PEG", d)), nullptr) << what;
    const std::string path = Write("x.PEG", {.type = "65537"});  // the low 16 bits: 1
    auto entry = Entry(path);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->plugInType(), 1);
    EXPECT_EQ(Entry(""), nullptr);
    EXPECT_EQ(dispatcher()->createPowerToolEntryWithContentsAtPath(nullptr, 10000, 10000), nullptr);
    EXPECT_EQ(dispatcher()->createPowerToolEntryWithContentsAtPath(path.c_str(), 0, 0), nullptr);
}

// Values longer than their buffers are cut to them (terminator included), never refused or
// overrun; so are joined paths, to 512 bytes, under a PowerTool folder deep enough that the
// tool's folder would pass them.
TEST_F(RegistryTest, LongValuesAndJoinedPathsAreCutToTheirBuffers) {
    const Descriptor d{.directory = std::string(200, 'd'), .program = std::string(300, 'p'),
                       .image = std::string(125, 'i'), .name = std::string(130, 'n'),
                       .description = std::string(400, 's'), .appID = std::string(300, 'a')};
    decoder.add(plugins + "/" + std::string(125, 'd') + "/" + d.image, port::DecodedImage{1, 1, {1, 2, 3}});
    auto e = Entry(Write("long.PEG", d, false));
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->plugInDir(), plugins + "/" + std::string(125, 'd'));
    EXPECT_EQ(e->plugInEXE(), e->plugInDir() + "/" + std::string(125, 'p'));
    EXPECT_EQ(e->plugInName(), std::string(125, 'n'));
    EXPECT_EQ(e->plugInDescription(), std::string(255, 's'));
    EXPECT_EQ(e->plugInAppleAppID(), std::string(255, 'a'));

    std::string root = FreshTempFolder("deep");
    while (root.size() < 400) {
        root = port::JoinPath(root, std::string(std::min<size_t>(120, 400 - root.size()), 'r'));
        ASSERT_TRUE(port::MakeFolder(root));
    }
    TempFolders deep(root);
    port::setFolders(&deep);
    plugins = MakePowerToolFolder();
    ASSERT_LT(plugins.size(), 505u);
    ASSERT_GT(plugins.size() + 1 + 125, 511u);
    const std::string dir = (plugins + "/" + std::string(125, 'd')).substr(0, 511);
    decoder.add(dir, port::DecodedImage{1, 1, {1, 2, 3}});
    e = Entry(Write("x.PEG", {.directory = std::string(125, 'd')}, false));
    port::setFolders(folders.get());
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->plugInDir(), dir);
    EXPECT_EQ(e->plugInEXE(), dir);
}

// Setters keep what they hold when given nothing (a null text would not even be a string).
TEST_F(RegistryTest, SettersIgnoreEmptyValues) {
    PowerToolEntry e;
    e.setPlugInName("Tool");
    e.setPlugInName(nullptr);
    e.setPlugInDir("/a");
    e.setPlugInDir("");
    EXPECT_EQ(e.plugInName() + "|" + e.plugInDir(), "Tool|/a");
}

// Lookups by ID take the first listed; the tool holding a design is found by the design or
// its ID only while the design exists.
TEST_F(RegistryTest, LookupsByIDAndByHoldingDesign) {
    Write("f.PEG", {.name = "first", .id = "7"});
    Write("g.PEG", {.name = "second", .id = "7"});
    dispatcher()->buildPluginList();
    ASSERT_EQ(ListedNames(), (std::vector<std::string>{"first", "second"}));
    EXPECT_EQ(dispatcher()->powerToolEntryForID(7)->plugInName(), "first");
    EXPECT_EQ(dispatcher()->powerToolEntryForID(8), nullptr);

    PowerToolEntry* held = dispatcher()->pluginList()[1].get();
    EXPECT_EQ(dispatcher()->powerToolEntryForDocument(doc), nullptr);
    EXPECT_EQ(dispatcher()->powerToolEntryForDocument(nullptr), nullptr);
    held->setPlugInOwnerDocument(doc);
    EXPECT_EQ(dispatcher()->powerToolEntryForDocument(doc), held);
    EXPECT_EQ(dispatcher()->powerToolEntryForDocumentID(doc->itsDocID), held);
    EXPECT_EQ(dispatcher()->powerToolEntryForDocumentID(doc->itsDocID + 1), nullptr);

    // The design goes away while the tool still holds it: nothing dangles, and a new design,
    // wherever it lands, is not the one that held the tool.
    const int32_t id = doc->itsDocID;
    doc->dealloc();
    doc = QMDDocumentModel::alloc()->init();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(held->plugInOwnerDocument(), nullptr);
    EXPECT_EQ(dispatcher()->powerToolEntryForDocumentID(id), nullptr);
    EXPECT_EQ(dispatcher()->powerToolEntryForDocument(doc), nullptr);
    EXPECT_EQ(dispatcher()->powerToolEntryForDocumentID(doc->itsDocID), nullptr);
}

// What the rest of the program asks: the list at start-up, one empty data block per tool in
// every new design, a tool's name and whether it is free, the tool holding a design.
TEST_F(RegistryTest, SeamsAnswerFromTheRegistry) {
    Write("a.PEG", {.name = "Cabinets", .id = "131"});
    Write("b.PEG", {.name = "Sun", .id = "128"});
    EXPECT_TRUE(LoadedPlugInIDs().empty());
    RegisterPowerToolDispatcherSeams();
    PowerToolBuildPluginList();
    EXPECT_EQ(LoadedPlugInIDs(), (std::vector<int32_t>{131, 128}));

    QMDDocumentModel* fresh = QMDDocumentModel::alloc()->init();
    ASSERT_NE(fresh, nullptr);
    std::vector<int32_t> blocks;
    for (const PlugInData* p = fresh->itsPlugIns; p; p = p->next) {
        blocks.push_back(p->plugInID);
        EXPECT_EQ(p->size, 0);
        EXPECT_EQ(p->data, nullptr);
    }
    EXPECT_EQ(blocks, (std::vector<int32_t>{131, 128}));

    EXPECT_EQ(PowerToolName(131), "Cabinets");
    EXPECT_EQ(PowerToolName(5), "");
    EXPECT_TRUE(PowerToolIsAvailable(131));
    EXPECT_FALSE(PowerToolIsAvailable(5));
    EXPECT_EQ(PowerToolEntryForDocument(fresh), 0);
    PowerToolEntry* sun = dispatcher()->powerToolEntryForID(128);
    sun->setPlugInOwnerDocument(fresh);
    sun->setPlugInAvailable(false);
    EXPECT_EQ(PowerToolEntryForDocument(fresh), 128);
    EXPECT_FALSE(PowerToolIsAvailable(128));
    fresh->dealloc();
}

}  // namespace

// The stock content generator: the same bytes on every run, under 20 MB in all, and every
// symbol, object and PowerTool file it writes read back by the program's own readers, at the
// sizes worked out by hand, with the user's own content searched before it.
#include <QImageReader>
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <map>

#include "content/core/content_library_manager.h"
#include "files/content_folders.h"
#include "files/ini.h"
#include "files/object_files.h"
#include "files/symbol_lists.h"
#include "model/content_types.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/transforms.h"
#include "model/units.h"
#include "port/files.h"
#include "port/folders.h"
#include "port/qt/platform.h"
#include "powertools/core/power_tool_dispatcher.h"
#include "support/build.h"
#include "support/content_library.h"
#include "support/fixture.h"

namespace {

// The generator's output, made once for the whole run (the determinism case makes its own).
std::string Generate(const std::string& into) {
    const std::string command = std::string(DVX_CONTENTGEN) + " '" + into + "'";
    return std::system(command.c_str()) == 0 ? into : std::string();
}

const std::string& Stock() {
    static const std::string root = Generate(dvxtest::FreshTempFolder("stock") + "/share");
    return root;
}

// The stock folder the generator wrote, and an empty folder of the user's own.
class StockFolders : public port::Folders {
public:
    StockFolders(std::string stock, std::string user) : stock_(std::move(stock)), user_(std::move(user)) {}
    std::string applicationSupport(port::Domain d) override { return d == port::Domain::Local ? stock_ : user_; }
    std::string temporaryBase() override { return user_; }

private:
    std::string stock_, user_;
};

class StockContent : public ::testing::Test {
protected:
    void SetUp() override {
        dvxtest::ResetAllGlobals();
        ASSERT_FALSE(Stock().empty()) << "the generator failed";
        user = dvxtest::FreshTempFolder("user");
        folders = std::make_unique<StockFolders>(Stock(), user);
        port::setFolders(folders.get()), port::setImageDecoder(&images);
        doc = QMDDocumentModel::alloc()->init();
        ASSERT_NE(doc, nullptr);
    }
    void TearDown() override {
        FreeSymbolLists();
        if (doc) doc->dealloc();
        dvxtest::ResetAllGlobals();
    }
    std::unique_ptr<StockFolders> folders;
    port::qt::QtImageDecoder images;
    std::string user;
    QMDDocumentModel* doc = nullptr;
};

struct Extent {
    double width = 0, depth = 0, height = 0;  // inches
};

// The plan and height extent of the objects' points, in inches through the document's units.
Extent ExtentOf(std::initializer_list<const Objex*> lists) {
    float lo[3] = {1e9f, 1e9f, 1e9f}, hi[3] = {-1e9f, -1e9f, -1e9f};
    for (const Objex* list : lists)
        for (const Objex* o = list; o; o = o->next)
            for (const Poinz* p = o->firstPoint; p; p = p->next)
                for (int i = 0; i < 3; ++i) lo[i] = std::min(lo[i], p->position[i]), hi[i] = std::max(hi[i], p->position[i]);
    const DocState* ds = CurrentDocState();
    auto inches = [ds](float units) { return GetInchesFromWorld(ConvertScreenToWorld(units, ds, 0), ds); };
    return {inches(hi[0] - lo[0]), inches(hi[2] - lo[2]), inches(hi[1] - lo[1])};
}

TEST(StockContentGenerator, WritesTheSameBytesOnEveryRunAndStaysUnderTwentyMegabytes) {
    const std::string a = Generate(dvxtest::FreshTempFolder("a") + "/share");
    const std::string b = Generate(dvxtest::FreshTempFolder("b") + "/share");
    ASSERT_FALSE(a.empty() || b.empty());
    const auto first = dvxtest::FilesBelow(a), second = dvxtest::FilesBelow(b);
    ASSERT_EQ(first.size(), second.size());
    size_t total = 0;
    for (const auto& [name, bytes] : first) {
        EXPECT_TRUE(second.count(name) && second.at(name) == bytes) << name << " differs between runs";
        total += bytes.size();
    }
    EXPECT_LT(total, 20u * 1024 * 1024);
    // A folder that cannot be made is reported, not passed over.
    const std::string blocked = dvxtest::FreshTempFolder("blocked") + "/file";
    ASSERT_TRUE(port::WriteWholeFile(blocked, "x", 1));
    EXPECT_NE(std::system((std::string(DVX_CONTENTGEN) + " '" + blocked + "/share' 2>/dev/null").c_str()), 0);
}

// Every built-in symbol has a plan drawing of one-row outlines and a 3D model of capped grids;
// the bath fixtures are drawn at the sizes their components are measured against, and the 3D
// models stand at real sizes, in an imperial and a metric design alike.
TEST_F(StockContent, EverySymbolReadsBackWithItsDrawingAndModelAtRealSize) {
    LoadSymbolListsIfEmpty();
    int count2D = 0, count3D = 0;
    for (const Objex* e = gSymbol2DList; e; e = e->next, ++count2D) {
        ASSERT_NE(e->firstChild, nullptr) << "no plan drawing for symbol " << e->type;
        for (const Objex* c = e->firstChild; c; c = c->next)
            EXPECT_TRUE(c->rows == 1 && c->pointCount >= 2 && c->type == e->type) << e->type;
    }
    for (const Objex* e = gSymbol3DList; e; e = e->next, ++count3D) {
        ASSERT_NE(e->firstChild, nullptr) << "no 3D model for symbol " << e->type;
        for (const Objex* c = e->firstChild; c; c = c->next)
            EXPECT_TRUE(c->rows >= 2 && c->closed && c->flagA && c->pointCount % c->rows == 0) << e->type;
    }
    EXPECT_EQ(std::pair(count2D, count3D), std::pair(kBuiltInSymbolCount, kBuiltInSymbolCount));

    struct Row {
        int16_t type;
        double planWidth, planDepth;         // the plan drawing
        double width, depth, height;         // the 3D model
    };
    const Row rows[] = {
        {95, 60, 30, 60, 30, 19},            // tub: rim 15, spout to 19
        {96, 60, 42, 60, 42, 20.8},          // spa tub: 20 high, jets on the rim
        {97, 48, 36, 48, 36, 78},            // shower: pan and glass, head at 78
        {90, 20, 26, 20.6, 27.5, 31},        // toilet: tank 20 wide, bowl 26 to the front
        {98, 22, 22, 22, 22, 68},            // water heater: 22 across, pipes to 68
        {88, 52, 52, 52, 52, 20},            // ceiling fan: 52-inch sweep hanging 20 below the ceiling
        {122, 30, 30, 30, 30, 30},           // air conditioner
        {55, 8, 8, 2.75, 0.45, 4.5},         // duplex receptacle: the usual plan mark, a real plate
    };
    for (int16_t units : {int16_t(kImperialUnits), int16_t(kMetricUnits)}) {
        CurrentDocState()->units = units;
        for (const Row& r : rows) {
            const Extent plan = ExtentOf({FindSymbolEntry(gSymbol2DList, r.type)->firstChild});
            const Extent model = ExtentOf({FindSymbolEntry(gSymbol3DList, r.type)->firstChild});
            EXPECT_NEAR(plan.width, r.planWidth, 0.6) << r.type;
            EXPECT_NEAR(plan.depth, r.planDepth, 0.6) << r.type;
            EXPECT_NEAR(model.width, r.width, 0.6) << r.type;
            EXPECT_NEAR(model.depth, r.depth, 0.6) << r.type;
            EXPECT_NEAR(model.height, r.height, 0.6) << r.type;
        }
    }
}

// Every object file reads into the plan as imported solids whose extent is the size its
// description gives; the sofa and the queen bed at the sizes worked out by hand; every
// preview decodes; the catalogue lists seven categories and at least 40 objects.
TEST_F(StockContent, EveryObjectReadsBackAtItsSizeWithDescriptionAndPreview) {
    ContentCategoryList categories;
    ContentLibraryManager::sharedContentLibraryManager().buildLibraryOfType(content::kObject3DLibrary, categories);
    ASSERT_EQ(categories.size(), 7u);
    EXPECT_EQ(categories[0]->categoryName(), "Living Room");
    size_t entries = 0;
    std::map<std::string, Extent> sizes;
    for (const auto& category : categories) {
        ContentLibraryManager::sharedContentLibraryManager().rebuildSymEntryListForItem(category.get());
        EXPECT_GE(category->numberOfSymEntries(), 4u) << category->categoryName();
        for (const SymEntryInfo& e : category->symEntries()) {
            ++entries;
            QImageReader preview(QString::fromStdString(e.objectPreview));
            EXPECT_EQ(preview.read().size(), QSize(96, 96)) << e.objectPreview;
            char name[64] = {}, description[128] = {};
            GetPrivateProfileString("Description", "ObjectName", "", name, sizeof name, e.objectInfo.c_str());
            GetPrivateProfileString("Description", "ObjectDescription", "", description, sizeof description, e.objectInfo.c_str());
            Extent said;
            ASSERT_EQ(std::sscanf(description, "%lf x %lf x %lf in", &said.width, &said.depth, &said.height), 3) << description;

            Layer* floor = doc->itsCurLayer;
            ASSERT_TRUE(ObjectFileRead(e.objectData.c_str())) << e.objectData;
            ASSERT_NE(floor->firstObject, nullptr) << e.objectData;
            for (const Objex* o = floor->firstObject; o; o = o->next)
                EXPECT_TRUE(o->type == objtype::kFentrix && o->rows >= 2 && o->closed && o->flagA) << e.objectData;
            const Extent got = ExtentOf({floor->firstObject});
            EXPECT_NEAR(got.width, said.width, 0.06) << name;
            EXPECT_NEAR(got.depth, said.depth, 0.06) << name;
            EXPECT_NEAR(got.height, said.height, 0.06) << name;
            sizes[name] = got;
            while (floor->firstObject) DeleteObj(floor->firstObject);
        }
    }
    EXPECT_GE(entries, 40u);
    const Extent sofa = sizes["Sofa"], bed = sizes["Queen Bed"];
    EXPECT_TRUE(dvxtest::Near({sofa.width, sofa.depth, sofa.height}, {84, 36, 34}, 0.01));
    EXPECT_TRUE(dvxtest::Near({bed.width, bed.depth, bed.height}, {62, 83, 50}, 0.01));
}

// The user's catalogue and files come first: a category of the user's own, one of the stock
// names holding the user's object beside the stock ones, and the user's PowerTool of the
// photo tool's ID in place of the stock descriptor.
TEST_F(StockContent, TheUsersOwnContentIsSearchedFirst) {
    const std::string mine = LocalDomain3DObjectPath();
    dvxtest::WriteTextFile(LocalDomainUserSharedPath() + "/ObjectCat.ini",
                           "[Object]\n1Object=Mine\n1ObjectDirectory=Mine\n2Object=Office\n2ObjectDirectory=Office\n");
    const std::string desk = Stock() + "/Objects/Office/Desk.";
    for (const char* ext : {"POB", "POD", "PPV"}) {
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(port::ReadWholeFile(desk + ext, bytes));
        ASSERT_TRUE(MakeUserContentFolders() && port::MakeFolder(mine + "/Office") && port::MakeFolder(mine + "/Mine"));
        ASSERT_TRUE(port::WriteWholeFile(mine + "/Office/MyDesk." + ext, bytes.data(), bytes.size()));
        ASSERT_TRUE(port::WriteWholeFile(mine + "/Mine/Desk." + ext, bytes.data(), bytes.size()));
    }
    ContentCategoryList categories;
    ContentLibraryManager::sharedContentLibraryManager().buildLibraryOfType(content::kObject3DLibrary, categories);
    std::vector<std::string> names;
    for (const auto& c : categories) names.push_back(c->categoryName());
    EXPECT_EQ(names, (std::vector<std::string>{"Mine", "Office", "Living Room", "Dining Room", "Bedroom", "Kitchen",
                                               "Bath and Laundry", "Outdoor"}));
    ContentCategoryItem* office = categories[1].get();
    ContentLibraryManager::sharedContentLibraryManager().rebuildSymEntryListForItem(office);
    std::vector<std::string> files;
    for (const SymEntryInfo& e : office->symEntries()) files.push_back(e.objectData.substr(e.objectData.rfind('/') + 1));
    EXPECT_EQ(files, (std::vector<std::string>{"ConferenceTable.POB", "Credenza.POB", "Desk.POB", "FilingCabinet.POB",
                                               "MyDesk.POB", "OfficeChair.POB"}));
    EXPECT_EQ(office->symEntries()[4].objectData, mine + "/Office/MyDesk.POB");

    PowerToolDispatcher dispatcher;
    dispatcher.buildPluginList();
    ASSERT_EQ(dispatcher.pluginList().size(), 1u);
    const PowerToolEntry* photo = dispatcher.powerToolEntryForID(109);
    ASSERT_NE(photo, nullptr);
    EXPECT_EQ(photo->plugInName(), "Photo View");
    ASSERT_TRUE(photo->plugInPreview());
    EXPECT_EQ(std::pair(photo->plugInPreview()->width, photo->plugInPreview()->height), std::pair(64, 64));

    const std::string own = UserDomainPowerToolPath();
    dvxtest::WriteTextFile(own + "/Mine.PEG",
                           "[Description]\nID=109\nType=1\nDisplayName=My Photos\nAppleAppID=mine\nDirectory=Mine\n"
                           "PlugIn=mine\nImage=PhotoView.png\n");
    port::MakeFolder(own + "/Mine");
    std::vector<uint8_t> picture;
    ASSERT_TRUE(port::ReadWholeFile(LocalDomainPowerToolPath() + "/PhotoView/PhotoView.png", picture));
    ASSERT_TRUE(port::WriteWholeFile(own + "/Mine/PhotoView.png", picture.data(), picture.size()));
    dispatcher.buildPluginList();
    ASSERT_EQ(dispatcher.pluginList().size(), 1u);
    EXPECT_EQ(dispatcher.pluginList()[0]->plugInName(), "My Photos");
}

}  // namespace

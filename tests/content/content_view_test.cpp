// The preview grid on its own, in a scroll area of a chosen size: clicks and the drags they
// allow, what it paints for plants and custom trim, the status text under the pointer, and
// the data its drags carry to the plan view and the live view.
#include <QApplication>
#include <QScrollArea>
#include <QTest>
#include <gtest/gtest.h>

#include "app/core/status_bar_seams.h"
#include "content/content_drag.h"
#include "content/content_view.h"
#include "content/core/content_category_item.h"
#include "content/core/content_selection_seams.h"
#include "content/core/content_types.h"
#include "content/core/trim_placement.h"
#include "files/content_folders.h"
#include "support/fixture.h"
#include "support/qt/content_images.h"

namespace dvxtest {
namespace {

class Grid : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        area.setFrameShape(QFrame::NoFrame);
        area.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        area.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        area.resize(300, 200);
        area.setWidget(view);
        area.show();
    }
    ContentCategoryItem& Show(int16_t library, std::initializer_list<SymEntryInfo> entries) {
        node = ContentCategoryItem::initWithName("Node", "", nullptr, 0, library);
        for (SymEntryInfo e : entries) node->addSymEntryWithPreviewPath(e.objectPreview.c_str(), e.objectInfo.c_str(),
                                                                        e.objectData.c_str(), e.objectDescription.c_str(),
                                                                        e.textureID, e.refNum, e.type);
        view->invalidateCacheAndSetNewSource(node.get());
        view->rebuildPreviewCache();
        return *node;
    }
    QImage Painted() {
        return view->grab().toImage();
    }
    static SymEntryInfo Entry(int16_t type, std::string preview = "x", std::string data = "", std::string text = "") {
        SymEntryInfo e;
        e.type = type, e.objectPreview = std::move(preview), e.objectInfo = "i", e.objectData = std::move(data);
        e.objectDescription = std::move(text);
        return e;
    }
    QScrollArea area;
    ContentView* view = new ContentView;
    std::unique_ptr<ContentCategoryItem> node;
};

// One row per way a click ends: on an entry, right of the four columns (selection kept, drag
// blocked), below the last door (the door selected before applied again) or window (nothing).
TEST_F(Grid, AClickSelectsBlocksTheDragOrReappliesTheSelectedDoor) {
    struct Row {
        const char* what;
        int16_t library;
        QPoint at;
        uint32_t selection;
        bool ignoreDrag;
        int applied;
    };
    const Row rows[] = {
        {"second entry", content::kCustomDoorLibrary, {80, 10}, 1, false, 1},
        {"right of the columns", content::kCustomDoorLibrary, {290, 10}, 0, true, 0},
        {"below the last door", content::kCustomDoorLibrary, {10, 100}, 0, true, 1},
        {"below the last window", content::kCustomWindowLibrary, {10, 100}, 0, true, 0},
    };
    const std::string doors = LocalDomainCustomDoorPath(), windows = LocalDomainCustomWindowPath();
    for (const std::string& root : {doors, windows})
        for (const char* name : {"a.PPV", "b.PPV"}) WritePreviewImage(root + "/" + name, Qt::red, Qt::red);
    int applied = 0;  // applying asks which section the definition comes from
    SetContentPaletteSelectedCategoryHandler([&] { return ++applied, int16_t(-1); });
    for (const Row& r : rows) {
        const int16_t type = r.library == content::kCustomDoorLibrary ? symentry::kCustomDoor : symentry::kCustomWindow;
        ContentCategoryItem& n = Show(r.library, {Entry(type, "a.PPV"), Entry(type, "b.PPV")});
        ASSERT_EQ(view->previewCount(), 2u) << r.what;
        applied = 0;
        QTest::mouseClick(view, Qt::LeftButton, {}, r.at);
        EXPECT_EQ(std::tuple(n.selectionIndex(), view->ignoreDragEvents(), applied),
                  std::tuple(r.selection, r.ignoreDrag, r.applied)) << r.what;
    }
}

// A stock plant without a preview shows its texture, black turned light blue-grey; a custom
// trim preview shows upside down exactly while trim goes to the crown.
TEST_F(Grid, PlantTexturesLoseTheirBlackAndCrownTrimIsFlipped) {
    const std::string texture = WritePreviewImage(LocalDomainPlantPath() + "/Trees/TREE1.PTX", Qt::black, QColor(0, 200, 0));
    Show(content::kStockPlantLibrary, {Entry(symentry::kStockPlant, "", texture)});
    const QImage plant = Painted();
    EXPECT_EQ(std::tuple(plant.pixelColor(35, 10), plant.pixelColor(35, 60)),
              std::tuple(QColor(157, 172, 193), QColor(0, 200, 0)));

    WritePreviewImage(LocalDomainCustomTrimPath() + "/t.PPV", Qt::red, Qt::blue);
    for (uint8_t asBase : {1, 0}) {
        gApplyTrimAsBase = asBase;
        Show(content::kCustomTrimLibrary, {Entry(symentry::kCustomTrim, "t.PPV")});
        const QImage trim = Painted();
        EXPECT_EQ(trim.pixelColor(35, 10), asBase ? QColor(Qt::red) : QColor(Qt::blue)) << int(asBase);
    }
}

TEST_F(Grid, ThePointerOverAnEntryDescribesItAndLeavingClearsTheText) {
    std::vector<std::string> status;
    SetMainWindowStatusTextHandler([&](const std::string& text) { status.push_back(text); });
    WritePreviewImage(LocalDomainCustomDoorPath() + "/a.PPV", Qt::red, Qt::red);
    Show(content::kCustomDoorLibrary, {Entry(symentry::kCustomDoor, "a.PPV", "", "Oak Door")});
    Painted();
    QTest::mouseMove(view, {30, 30});
    QTest::mouseMove(view, {200, 30});
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(view, &leave);
    EXPECT_EQ(status, (std::vector<std::string>{"Oak Door", "", ""}));
    SetMainWindowStatusTextHandler(nullptr);
}

// The formats name only where the drag goes; the record is always there under the 3D type.
TEST(ContentDrag, FormatsRouteByLibraryTypeAndTheRecordIsAlwaysReadable) {
    SymEntryInfo entry;
    entry.type = symentry::kStockPlant, entry.textureID = 7003, entry.objectDescription = "Oak";
    const std::pair<int16_t, QStringList> rows[] = {
        {0, {kContent3DDNDPboardType}},  {17, {kContent3DDNDPboardType}}, {18, {kContent2DDNDPboardType}},
        {24, {kContent2DDNDPboardType}}, {25, {}},                          {26, {}},
    };
    for (const auto& [library, formats] : rows) {
        const auto data = ContentDragMimeData::forEntry(library, entry);
        ASSERT_EQ(data != nullptr, !formats.isEmpty()) << library;
        if (!data) continue;
        EXPECT_EQ(data->formats(), formats) << library;
        const QByteArray bytes = data->data(kContent3DDNDPboardType);
        SymEntryInfo back;
        ASSERT_TRUE(back.decodeSymEntryWithData(reinterpret_cast<const uint8_t*>(bytes.data()), size_t(bytes.size())));
        EXPECT_EQ(std::tuple(back.textureID, back.objectDescription), std::tuple(7003, std::string("Oak"))) << library;
    }
    const QImage cross = ContentDragImage();
    EXPECT_EQ(std::tuple(cross.size(), cross.pixelColor(8, 3), cross.pixelColor(7, 3), cross.pixelColor(2, 2).alpha()),
              std::tuple(QSize(17, 17), QColor(Qt::black), QColor(Qt::white), 0));
}

}  // namespace
}  // namespace dvxtest

// The preview grid alone in a 300 x 200 scroll area: clicks and the drags they allow, the
// pixels of plant and custom trim previews, the status text under the pointer, and drag data.
#include <QApplication>
#include <QScrollArea>
#include <QTest>
#include <gtest/gtest.h>

#include "app/core/status_bar_seams.h"
#include "content/content_drag.h"
#include "content/content_view.h"
#include "content/core/content_category_item.h"
#include "content/core/content_selection_seams.h"
#include "model/content_types.h"
#include "model/trim_placement.h"
#include "files/content_folders.h"
#include "support/fixture.h"
#include "support/qt/content_images.h"

namespace dvxtest {
namespace {

class Grid : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        area.setFrameShape(QFrame::NoFrame), area.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        area.resize(300, 200), area.setWidget(view), area.show();
    }
    // A node of the library type holding one entry of `type` per preview (data for plants).
    ContentCategoryItem& Show(int16_t library, int16_t type, std::initializer_list<const char*> files,
                              const char* text = "") {
        node = ContentCategoryItem::initWithName("Node", "", nullptr, 0, library);
        for (const char* f : files)
            type == symentry::kStockPlant ? node->addSymEntryWithPreviewPath("", "i", f, text, 1, type)
                                          : node->addSymEntryWithPreviewPath(f, "i", "", text, 1, type);
        view->invalidateCacheAndSetNewSource(node.get());
        view->rebuildPreviewCache();
        return *node;
    }
    QColor At(QPoint p) { return view->grab().toImage().pixelColor(p); }
    QScrollArea area;
    ContentView* view = new ContentView;
    std::unique_ptr<ContentCategoryItem> node;
};

// Four columns of 70 fill 280 of the 300 points: a click right of them keeps the selection and
// blocks the drag; one below the last door applies the door selected before, below the last
// window nothing.
TEST_F(Grid, AClickSelectsBlocksTheDragOrReappliesTheSelectedDoor) {
    struct Row {
        const char* what;
        int16_t library, type;
        QPoint at;
        uint32_t selection;
        bool ignoreDrag;
        int applied;
    };
    const int16_t door = content::kCustomDoorLibrary, window = content::kCustomWindowLibrary;
    const Row rows[] = {
        {"second entry", door, symentry::kCustomDoor, {80, 10}, 1, false, 1},
        {"right of the columns", door, symentry::kCustomDoor, {290, 10}, 0, true, 0},
        {"below the last door", door, symentry::kCustomDoor, {10, 100}, 0, true, 1},
        {"below the last window", window, symentry::kCustomWindow, {10, 100}, 0, true, 0},
    };
    for (const std::string& root : {LocalDomainCustomDoorPath(), LocalDomainCustomWindowPath()})
        for (const char* name : {"/a.PPV", "/b.PPV"}) WritePreviewImage(root + name, Qt::red, Qt::red);
    int applied = 0;  // applying asks which section the definition comes from
    SetContentPaletteSelectedCategoryHandler([&] { return ++applied, int16_t(-1); });
    for (const Row& r : rows) {
        ContentCategoryItem& n = Show(r.library, r.type, {"a.PPV", "b.PPV"});
        ASSERT_EQ(view->previewCount(), 2u) << r.what;
        applied = 0;
        QTest::mouseClick(view, Qt::LeftButton, {}, r.at);
        EXPECT_EQ(std::tuple(n.selectionIndex(), view->ignoreDragEvents(), applied),
                  std::tuple(r.selection, r.ignoreDrag, r.applied)) << r.what;
    }
}

// A stock plant without a preview shows its texture with black turned light blue-grey; a custom
// trim preview shows upside down exactly while trim goes to the crown. The pointer over an
// entry puts its description in the status bar; the empty part and leaving clear it.
TEST_F(Grid, PreviewsShowAsMadeAndThePointerDescribesThem) {
    const std::string tree = WritePreviewImage(LocalDomainPlantPath() + "/Trees/TREE1.PTX", Qt::black, Qt::green);
    Show(content::kStockPlantLibrary, symentry::kStockPlant, {tree.c_str()});
    EXPECT_EQ(std::tuple(At({35, 10}), At({35, 60})), std::tuple(QColor(157, 172, 193), QColor(Qt::green)));
    WritePreviewImage(LocalDomainCustomTrimPath() + "/t.PPV", Qt::red, Qt::blue);
    for (uint8_t asBase : {1, 0}) {
        gApplyTrimAsBase = asBase;
        Show(content::kCustomTrimLibrary, symentry::kCustomTrim, {"t.PPV"}, "Cove");
        EXPECT_EQ(At({35, 10}), asBase ? QColor(Qt::red) : QColor(Qt::blue)) << int(asBase);
    }
    std::vector<std::string> status;
    SetMainWindowStatusTextHandler([&](const std::string& text) { status.push_back(text); });
    QTest::mouseMove(view, {30, 30}), QTest::mouseMove(view, {200, 30});
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(view, &leave);
    EXPECT_EQ(status, (std::vector<std::string>{"Cove", "", ""}));
}

// The formats name only where the drag goes; the record is always there under the 3D type.
TEST(ContentDrag, FormatsRouteByLibraryTypeAndTheRecordIsAlwaysReadable) {
    SymEntryInfo entry;
    entry.type = symentry::kStockPlant, entry.textureID = 7003;
    const std::pair<int16_t, QStringList> rows[] = {{0, {kContent3DDNDPboardType}},  {17, {kContent3DDNDPboardType}},
                                                    {18, {kContent2DDNDPboardType}}, {24, {kContent2DDNDPboardType}},
                                                    {25, {}},                        {26, {}}};
    for (const auto& [library, formats] : rows) {
        const auto data = ContentDragMimeData::forEntry(library, entry);
        ASSERT_EQ(data ? data->formats() : QStringList(), formats) << library;
        if (!data) continue;
        const QByteArray bytes = data->data(kContent3DDNDPboardType);
        SymEntryInfo back;
        EXPECT_TRUE(back.decodeSymEntryWithData(reinterpret_cast<const uint8_t*>(bytes.data()), size_t(bytes.size())) &&
                    back.textureID == 7003) << library;
    }
}

}  // namespace
}  // namespace dvxtest

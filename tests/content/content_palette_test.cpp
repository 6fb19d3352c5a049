// A document window's content palette, offscreen, over a small library written per case:
// sections and what they remember, the seams, plant locating, "Change Color...", and the
// library's sheets: the finders, the plant finder and the plant fill sheet.
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QMenu>
#include <QTest>
#include <QToolButton>
#include <QTreeView>
#include <QUndoStack>
#include <cmath>
#include <cstring>
#include <map>
#include <set>
#include <gtest/gtest.h>

#include "app/app_controller.h"
#include "app/core/event_handler.h"
#include "app/core/preference_keys.h"
#include "app/document.h"
#include "app/window_controller.h"
#include "content/content_category_model.h"
#include "content/content_palette_controller.h"
#include "content/content_view.h"
#include "content/core/content_selection_seams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "commands/plant_fill.h"
#include "model/command_globals.h"
#include "model/object_types.h"
#include "model/selection_ops.h"
#include "support/build.h"
#include "ui/sheets/finder_sheets.h"
#include "port/defaults.h"
#include "port/qt/platform.h"
#include "support/doubles.h"
#include "support/fixture.h"
#include "support/content_library.h"
#include "support/qt/content_images.h"
#include "files/texture_files.h"
#include "ui/core/plant_details.h"

namespace dvxtest {
namespace {

class Palette : public ::testing::Test {
protected:
    void SetUp() override {
        AppController::destroyShared(), ResetAllGlobals();
        folders = std::make_unique<TempFolders>(FreshTempFolder("palette"));
        port::setFolders(folders.get()), port::setAlerts(&alerts), port::setDocumentUndo(&undo);
        AppController::setSplashEnabled(false), RegisterPreferenceDefaults(false);
        WriteSmallContentLibrary();
        (document = AppController::shared()->documentController()->openUntitledDocument())->makeWindowControllers();
        (window = static_cast<QMDWindowController*>(document->windowController))->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        p = window->contentPaletteController();
    }
    void TearDown() override { AppController::destroyShared(), ResetAllGlobals(); }

    // The user picks the pop-up item with the title / the outline row of the node.
    void Choose(const char* title) {
        QComboBox* popUp = p->categoryPopUpButton();
        popUp->setCurrentIndex(popUp->findText(title));
        emit popUp->activated(popUp->currentIndex());
    }
    void Click(const ContentCategoryItem* item) {
        const QModelIndex row = static_cast<ContentCategoryModel*>(p->categoryOutlineView()->model())->indexOf(item);
        p->categoryOutlineView()->selectionModel()->setCurrentIndex(row, QItemSelectionModel::ClearAndSelect);
    }
    // The window's sheet and its controls; a click through the window system, which honours
    // the sheet's modality; a button pressed and the sheet gone (or hidden, when it is kept).
    SheetDialog* sheet() const {
        for (SheetDialog* s : window->findChildren<SheetDialog*>())
            if (s->isVisible()) return s;
        return nullptr;
    }
    template <class T>
    T* find(const char* outlet) const { return sheet() ? sheet()->findChild<T*>(QString::fromLatin1(outlet)) : nullptr; }
    static void Tap(QWidget* b) {
        ASSERT_TRUE(b && QTest::qWaitForWindowExposed(b->window()));
        QTest::mouseClick(b->window()->windowHandle(), Qt::LeftButton, {},
                          b->mapTo(b->window(), QPoint(std::min(8, b->width() / 2), b->height() / 2)));
    }
    bool press(const char* button) {
        QPointer<SheetDialog> s = sheet();
        if (QPushButton* b = s ? s->findChild<QPushButton*>(QString::fromLatin1(button)) : nullptr) b->click();
        return s && QTest::qWaitFor([&] { return s.isNull() || !s->isVisible(); });
    }
    std::string Shown() const { return p->selectedCategoryItem() ? p->selectedCategoryItem()->categoryName() : "none"; }
    ContentCategoryItem* Tree(int16_t section, size_t i) { return (*p->treeOfSection(section))[i].get(); }

    std::unique_ptr<TempFolders> folders;
    RecordingAlerts alerts;
    port::qt::QtDocumentUndo undo;
    QMDDocument* document = nullptr;
    QMDWindowController* window = nullptr;
    ContentPaletteController* p = nullptr;
};

TEST_F(Palette, SectionsRememberTheirNodesAndCodeReachesTheToolsSections) {
    EXPECT_EQ(std::tuple(p->selectedCategory(), p->categoryPopUpButton()->currentText(), Shown(),
                         p->contentView()->previewCount(), p->selectedSymEntry()->objectDescription),
              std::tuple(int16_t(2), QString("Materials"), std::string("Brick"), 3u, std::string("Red Brick")));
    Tree(2, 0)->removeAllSymEntries(), Choose("Materials");  // already shown: nothing is loaded again
    EXPECT_EQ(Tree(2, 0)->numberOfSymEntries(), 0u);

    Click(Tree(2, 2)), Click(Tree(2, 1));  // Stone, then Siding (before it in the tree)
    Choose("Objects");
    QTreeView* outline = p->categoryOutlineView();
    outline->expand(outline->model()->index(0, 0)), Click(Tree(4, 0)->childAtIndex(1));  // Chairs, Office
    Choose("Materials");
    EXPECT_EQ(Shown(), "Siding");
    Choose("Objects");
    EXPECT_EQ(std::tuple(Shown(), outline->isExpanded(outline->model()->index(0, 0))), std::tuple(std::string("Office"), true));

    p->selectCategory(9, true);
    EXPECT_EQ(p->selectedCategory(), 4);
    p->selectCategory(5, true), Click(Tree(5, 1)), p->selectCategory(5, true);  // Shrubs kept
    EXPECT_EQ(Shown(), "Shrubs");

    // The custom doors are read on first need; their item shows only while they do.
    p->selectCategory(7, true);
    EXPECT_EQ(std::tuple(p->selectedCategory(), p->categoryPopUpButton()->currentText(), Shown(),
                         p->selectedSymEntry() ? p->selectedSymEntry()->objectDescription : "none"),
              std::tuple(int16_t(7), QString("Custom Doors"), std::string("Panel"), std::string("Oak")));
    Choose("Trim");
    EXPECT_EQ(std::tuple(p->categoryPopUpButton()->findText("Custom Doors"), p->categoryPopUpButton()->count()),
              std::tuple(-1, 6));
}

TEST_F(Palette, SeamsAnswerFromTheMainWindowsPaletteUntilNoWindowIsLeft) {
    ContentPaletteSelectCategory(3, true);  // Base Trim shown
    ContentCategoryItem* baseTrim = p->selectedCategoryItem();
    ASSERT_TRUE(baseTrim);
    baseTrim->removeAllSymEntries(), ContentPaletteRefreshFolderCategory();  // stock trim: found again
    ContentPaletteSetCategorySelectionAbility(false);
    port::defaults().setInt(QMDPreviewSizeKey, 4);  // read afresh by every window's palette
    RefreshAllContentPalettes();
    EXPECT_EQ(p->contentView()->previewAt(0).width(), 128);
    port::defaults().remove(QMDPreviewSizeKey);
    EXPECT_EQ(std::tuple(ContentPaletteSelectedCategory(), ContentPaletteSelectedSymEntry()->objectDescription,
                         baseTrim->numberOfSymEntries(), p->categoryPopUpButton()->isEnabled()),
              std::tuple(int16_t(3), std::string("Cove"), 1u, false));

    // A placed plant: its texture ID finds its category and entry, or an alert says it cannot.
    Poinz point;
    Objex plant;
    plant.firstPoint = &point, plant.pointCount = 1, point.texture1 = 7001, ContentPaletteLocatePlant(&plant);
    EXPECT_EQ(std::tuple(ContentPaletteSelectedCategory(), Shown(), Tree(5, 0)->selectionIndex()),
              std::tuple(int16_t(5), std::string("Trees"), 1u));
    point.texture1 = 7461, ContentPaletteLocatePlant(&plant);
    ASSERT_EQ(alerts.shown.size(), 1u);
    EXPECT_EQ(alerts.shown[0].alert.message, "Unable to locate the selected plant.");

    window->close();
    ASSERT_TRUE(QTest::qWaitFor([] { return !gCurDocument; }));
    EXPECT_EQ(std::tuple(ContentPaletteSelectedCategory(), ContentPaletteSelectedSymEntry().has_value()),
              std::tuple(int16_t(-1), false));
}

// A colour picked for an entry goes to the design's colour table at its index alone, as no
// undo step, yet the design asks to be saved.
TEST_F(Palette, ChangeColorWritesTheDesignsColourTableAndMarksItChanged) {
    Choose("Colors"), Click(Tree(1, 0));  // Winter Colors
    ASSERT_TRUE(Tree(1, 0)->numberOfSymEntries() > 3);
    Tree(1, 0)->setSelectionIndex(3);
    const SymEntryInfo* entry = p->selectedSymEntry();
    int32_t* table = document->model()->itsDocState->customColors;
    std::vector<int32_t> expected(table, table + 72);
    expected[size_t(entry->colorIndex)] = 10 + 20 * 256 + 30 * 65536;
    QMenu* menu = p->actionsPopUpButton()->menu();
    ASSERT_TRUE(menu && p->actionsPopUpButton()->isEnabled());
    QAction* change = menu->findChild<QAction*>("changeSymItemColor");
    ASSERT_TRUE(p->validateMenuItem(change));
    change->trigger();
    EXPECT_FALSE(p->validateMenuItem(change));  // while the panel is open
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* panel = qobject_cast<QColorDialog*>(w)) panel->setCurrentColor(QColor(10, 20, 30));
    EXPECT_EQ(std::vector<int32_t>(table, table + 72), expected);
    EXPECT_EQ(std::tuple(entry->textureColor.red, entry->textureColor.green, entry->textureColor.blue),
              std::tuple(10, 20, 30));
    EXPECT_EQ(std::tuple(document->undoStack()->count(), document->isDocumentEdited()), std::tuple(0, true));
}

// A search into the results node already shown refreshes it in place; the object finder
// needs one of its boxes and shows its section's results node; the zone maps change.
TEST_F(Palette, FindersFillTheResultsNodesAndTheZoneMapsChange) {
    p->searchPlantsUsingName("OAK", 1, true, true);
    p->searchPlantsUsingName("Elm", 1, true, true);
    EXPECT_EQ(std::tuple(p->selectedCategoryItem(), Shown(), p->contentView()->previewCount()),
              std::tuple(p->plantSearchResultsItem(), std::string("Search results (0 items)"), 0u));
    p->findObjectByName();
    find<QLineEdit>("nameText")->setText("tab");
    Tap(find<QCheckBox>("search3DLibButton")), Tap(find<QCheckBox>("search2DLibButton"));
    EXPECT_FALSE(find<QPushButton>("searchButton")->isEnabled());
    Tap(find<QCheckBox>("search3DLibButton"));
    ASSERT_TRUE(press("searchButton"));
    EXPECT_EQ(std::tuple(p->selectedCategory(), p->selectedCategoryItem(), Shown(), p->selectedSymEntry()->objectDescription),
              std::tuple(int16_t(4), p->objectSearchResultsItem(), std::string("Search results (1 items)"), std::string("Table")));

    p->showPlantHardinessZones();
    const QImage usa = find<QLabel>("imageView")->pixmap().toImage();
    auto* region = find<QComboBox>("zonePopUpButton");
    region->setCurrentIndex(4), emit region->activated(4);
    EXPECT_EQ(std::tuple(region->count(), usa.size(), usa == find<QLabel>("imageView")->pixmap().toImage()),
              std::tuple(5, QSize(400, 250), false));
    EXPECT_TRUE(press("okButton"));
}

// Unlike the other sheets the plant finder is kept: its cells and masks survive Cancel, a
// reopening and the window that showed it.
TEST_F(Palette, PlantFinderKeepsItsCellsAndMasks) {
    p->showPlantFinder();
    PlantFinderController* finder = PlantFinderController::shared();
    ASSERT_TRUE(finder && sheet() == finder);
    EXPECT_EQ(std::tuple(finder->zoneView, finder->sunlightView, finder->soilView, finder->waterView, finder->propagationView),
              std::tuple(1023u, 15u, 255u, 15u, 15u));
    for (QCheckBox* cell : find<CheckMatrix>("zoneButtons")->cells()) cell->setChecked(false);
    ASSERT_TRUE(press("searchButton"));
    EXPECT_EQ(std::tuple(finder->zoneView, finder->soilView, Shown()), std::tuple(0u, 255u, std::string("Search results (0 items)")));
    p->showPlantFinder();
    ASSERT_EQ(sheet(), finder);
    EXPECT_EQ(find<CheckMatrix>("zoneButtons")->checkedCellCount(), 0);
    find<CheckMatrix>("soilButtons")->cells()[0]->setChecked(false);
    ASSERT_TRUE(press("cancelButton"));
    EXPECT_EQ(std::tuple(finder->zoneView, finder->soilView), std::tuple(0u, 255u));
    window->close();
    QTest::qWait(0);
    EXPECT_EQ(PlantFinderController::shared(), finder);
}

// Eight stock plants, each with its own propagation, sunlight, water and soil code: every cell
// of the plant finder, ticked alone in its row of cells, finds exactly the plants whose details
// show the cell's word.
TEST_F(Palette, EachPlantFinderCellFindsThePlantsWhoseDetailsShowItsWord) {
    std::vector<PlantDetails> details;
    for (int n = 1; n <= 8; ++n) {
        char info[kTexturePathBufferSize] = {};
        GetTextureInfoFileNameFromID(7000 + n - 1, info);  // where the plant's details are read
        const std::string stem = std::string(info).substr(0, std::strlen(info) - 3);
        WritePreviewImage(stem + "PTX", Qt::black, Qt::green);
        WriteTextFile(info, Ini().section("Description").key("CommonName", "Plant " + std::to_string(n)).key("Zone1", "1")
                                .key("Propagation", std::to_string((n - 1) % 4 + 1)).key("SunLight", std::to_string((n + 1) % 4 + 1))
                                .key("Water", std::to_string(n % 4 + 1)).key("SoilType", std::to_string(n)).text());
        Objex* plant = Make(Shape(gCurDocument->itsCurLayer, objtype::kPlant, {{0, 0}, {10, 0}, {10, 10}}, true)).plant();
        plant->firstPoint->texture1 = 7000 + n - 1;
        details.push_back(ReadPlantDetails(plant));
    }
    struct Row {
        const char* cells;
        PlantDetail field;
        int count;
    } rows[] = {{"propagationButtons", PlantDetail::propagation, 4}, {"sunlightButtons", PlantDetail::sunlight, 4},
                {"waterButtons", PlantDetail::water, 4}, {"soilButtons", PlantDetail::soil, 8}};
    const char* all[] = {"zoneButtons", "propagationButtons", "sunlightButtons", "waterButtons", "soilButtons"};
    for (const Row& r : rows) {
        p->showPlantFinder();
        ASSERT_TRUE(find<CheckMatrix>(r.cells)) << r.cells;
        ASSERT_EQ(int(find<CheckMatrix>(r.cells)->cells().size()), r.count) << r.cells;
        for (int i = 0; i < r.count; ++i) {
            if (i > 0) p->showPlantFinder();
            for (const char* matrix : all)
                for (QCheckBox* cell : find<CheckMatrix>(matrix)->cells()) cell->setChecked(true);
            for (QCheckBox* cell : find<CheckMatrix>(r.cells)->cells()) cell->setChecked(false);
            QCheckBox* alone = find<CheckMatrix>(r.cells)->cells()[i];
            alone->setChecked(true);
            const std::string word = alone->text().toStdString();
            ASSERT_TRUE(press("searchButton"));
            std::set<std::string> found, shown;
            ContentCategoryItem* results = p->plantSearchResultsItem();
            for (size_t k = 0; k < results->numberOfSymEntries(); ++k) found.insert(results->symEntryAtIndex(k)->objectDescription);
            for (size_t n = 0; n < details.size(); ++n)
                if (details[n][size_t(r.field)] == word) shown.insert("Plant " + std::to_string(n + 1));
            EXPECT_FALSE(shown.empty()) << r.cells << " \"" << word << "\": no plant's details show it";
            EXPECT_EQ(found, shown) << r.cells << " \"" << word << "\"";
        }
    }
}

// The area box follows the object under the context click; Cancel keeps every setting; the
// spacing is held to 1 to 3000 inches.
TEST_F(Palette, PlantFillSheetKeepsOrLeavesItsSettings) {
    Win32EventHandler commands(AsCommandWindow(window));
    gContextFoundObj = Shape(gCurDocument->itsCurLayer, objtype::kLine, {{0, 0}, {100, 0}});
    commands.fillObjectWithPlantsUsingWindow();
    auto* area = find<QCheckBox>("fillAreaButton");
    ASSERT_TRUE(area);
    EXPECT_EQ(std::tuple(area->isChecked(), area->isEnabled(), find<QLineEdit>("spacingText")->text()),
              std::tuple(false, false, QString("5'-0\"")));
    find<QLineEdit>("spacingText")->setText("12"), Tap(find<QCheckBox>("fillPerimeterButton"));
    ASSERT_TRUE(press("cancelButton"));
    EXPECT_EQ(std::tuple(gFillArea, gFillPerimeter, gPlantSpacing), std::tuple(1, 1, 60.0f));

    gContextFoundObj = Shape(gCurDocument->itsCurLayer, objtype::kRectangle, {{0, 0}, {100, 0}, {100, 100}}, true);
    gFillArea = 0;
    for (const auto& [typed, kept] : {std::pair{"0", 1.0f}, std::pair{"5000\"", 3000.0f}}) {
        commands.fillObjectWithPlantsUsingWindow();
        EXPECT_EQ(std::tuple(find<QCheckBox>("fillAreaButton")->isChecked(), find<QCheckBox>("fillAreaButton")->isEnabled()),
                  std::tuple(false, true));
        find<QCheckBox>("fillPerimeterButton")->setChecked(false), find<QLineEdit>("spacingText")->setText(typed);
        ASSERT_TRUE(press("okButton"));
        EXPECT_EQ(std::tuple(gFillArea, gFillPerimeter, gPlantSpacing), std::tuple(0, 0, kept));
    }
    EXPECT_EQ(document->undoStack()->count(), 0);

    // Of two selected rectangles, one not selected and a selected wall, only the two are
    // planted (2 x 2 at a 25 inch spacing, 50 plan units at the plan scale of 36), as one step;
    // a selection upstairs stays put.
    Layer* floor = gCurDocument->itsCurLayer;
    SelectAllLayers(gCurDocument->itsLayers, selmode::kDeselect, 0);
    for (float left : {1000.0f, 2000.0f, 3000.0f})
        Make(Shape(floor, objtype::kRectangle, {{left, 0}, {left + 100, 0}, {left + 100, 100}, {left, 100}}, true))
            .select(left < 3000);
    Make(Wall(floor, {{4000, 0}, {4100, 0}, {4100, 100}})).select();
    Objex* upstairs = Make(Shape(floor->next, objtype::kLine, {{0, 0}, {100, 0}})).select();  // stays where it is
    commands.fillObjectWithPlantsUsingWindow();
    find<QCheckBox>("fillAreaButton")->setChecked(true), find<QLineEdit>("spacingText")->setText("25\"");
    ASSERT_TRUE(press("okButton"));
    std::map<int, int> planted;  // by the thousands of the plant's middle
    for (Objex* o = floor->firstObject; o; o = o->next)
        if (o->type == objtype::kPlant) ++planted[int(std::floor((PointAt(o, 0)->position[0] + PointAt(o, 2)->position[0]) / 2000)) * 1000];
    EXPECT_EQ(std::tuple(planted, PointAt(upstairs, 1)->position[0]), std::tuple(std::map<int, int>{{1000, 4}, {2000, 4}}, 100.0f));
    EXPECT_EQ(std::tuple(document->undoStack()->count(), document->undoStack()->undoText()),
              std::tuple(1, QString("Fill Object with Plants")));
}

}  // namespace
}  // namespace dvxtest

// The content library's sheets on a document window of the offscreen platform, over a small
// library: the finders fill the palette's results nodes, the plant finder is one sheet kept
// with its cells, the plant fill sheet keeps or leaves its settings, the 3D print sheet
// hands the print routine its size.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPageLayout>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QUndoStack>
#include <gtest/gtest.h>

#include "app/app_controller.h"
#include "app/core/event_handler.h"
#include "app/core/preference_keys.h"
#include "app/document.h"
#include "app/window_controller.h"
#include "commands/plant_fill.h"
#include "content/content_palette_controller.h"
#include "content/content_view.h"
#include "model/command_globals.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "port/qt/platform.h"
#include "support/build.h"
#include "support/doubles.h"
#include "support/fixture.h"
#include "support/qt/content_images.h"
#include "ui/core/sheet_seams.h"
#include "ui/sheets/finder_sheets.h"
#include "ui/sheets/sheet_dialog.h"

namespace dvxtest {
namespace {

class ContentSheets : public ::testing::Test {
protected:
    void SetUp() override {
        AppController::destroyShared(), ResetAllGlobals();
        folders = std::make_unique<TempFolders>(FreshTempFolder("content_sheets"));
        port::setFolders(folders.get()), port::setAlerts(&alerts), port::setDocumentUndo(&undo);
        AppController::setSplashEnabled(false), RegisterPreferenceDefaults(false);
        WriteSmallContentLibrary();
        QMDDocument* d = AppController::shared()->documentController()->openUntitledDocument();
        d->makeWindowControllers();
        (w = static_cast<QMDWindowController*>(d->windowController))->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
        p = w->contentPaletteController();
    }
    void TearDown() override { AppController::destroyShared(), ResetAllGlobals(); }

    SheetDialog* sheet() {
        for (SheetDialog* s : w->findChildren<SheetDialog*>())
            if (s->isVisible()) return s;
        return nullptr;
    }
    template <class T>
    T* find(const char* outlet) { return sheet() ? sheet()->findChild<T*>(QString::fromLatin1(outlet)) : nullptr; }
    // A click through the window system, which honours the sheet's modality.
    static void click(QWidget* b) {
        ASSERT_TRUE(b && QTest::qWaitForWindowExposed(b->window()));
        QTest::mouseClick(b->window()->windowHandle(), Qt::LeftButton, {},
                          b->mapTo(b->window(), QPoint(std::min(8, b->width() / 2), b->height() / 2)));
    }
    // Presses the button; true once the sheet is hidden.
    bool press(const char* button) {
        QPointer<SheetDialog> s = sheet();
        if (!s) return false;
        click(s->findChild<QPushButton*>(QString::fromLatin1(button)));
        return QTest::qWaitFor([&] { return s.isNull() || !s->isVisible(); });
    }
    std::string shown() const { return p->selectedCategoryItem() ? p->selectedCategoryItem()->categoryName() : "none"; }

    std::unique_ptr<TempFolders> folders;
    RecordingAlerts alerts;
    port::qt::QtDocumentUndo undo;
    QMDWindowController* w = nullptr;
    ContentPaletteController* p = nullptr;
};

// The finders search into the results node of their section, which the outline then selects
// and the grid shows; a second search refreshes the node in place.
TEST_F(ContentSheets, FindersFillAndSelectTheResultsNodes) {
    p->findPlantByName();
    ASSERT_TRUE(sheet() && sheet()->objectName() == "FindPlantByNameSheet");
    click(find<QCheckBox>("searchOEMLibButton"));  // stock off, user on, every cell on
    EXPECT_TRUE(find<QPushButton>("searchButton")->isEnabled());
    click(find<QCheckBox>("searchUserLibButton"));
    EXPECT_FALSE(find<QPushButton>("searchButton")->isEnabled());
    click(find<QCheckBox>("searchOEMLibButton"));
    find<QLineEdit>("nameText")->setText("OAK");
    ASSERT_TRUE(press("searchButton"));
    EXPECT_EQ(std::tuple(p->selectedCategory(), p->selectedCategoryItem(), shown(), p->contentView()->previewCount()),
              std::tuple(int16_t(5), p->plantSearchResultsItem(), std::string("Search results (2 items)"), 2u));
    p->searchPlantsUsingName("Elm", 1, true, true);
    EXPECT_EQ(std::tuple(p->selectedCategoryItem(), shown(), p->contentView()->previewCount()),
              std::tuple(p->plantSearchResultsItem(), std::string("Search results (0 items)"), 0u));

    p->findObjectByName();
    find<QLineEdit>("nameText")->setText("tab");
    click(find<QCheckBox>("search3DLibButton")), click(find<QCheckBox>("search2DLibButton"));
    EXPECT_FALSE(find<QPushButton>("searchButton")->isEnabled());
    click(find<QCheckBox>("search3DLibButton"));
    ASSERT_TRUE(press("searchButton"));
    EXPECT_EQ(std::tuple(p->selectedCategory(), p->selectedCategoryItem(), shown(), p->selectedSymEntry()->objectDescription),
              std::tuple(int16_t(4), p->objectSearchResultsItem(), std::string("Search results (1 items)"), std::string("Table")));

    p->showPlantHardinessZones();
    ASSERT_TRUE(sheet() && sheet()->objectName() == "PlantZoneSheet");
    auto* map = find<QLabel>("imageView");
    const QImage usa = map->pixmap().toImage();
    auto* region = find<QComboBox>("zonePopUpButton");
    region->setCurrentIndex(4), emit region->activated(4);
    EXPECT_EQ(std::tuple(region->count(), usa.size(), usa == map->pixmap().toImage()), std::tuple(5, QSize(400, 250), false));
    EXPECT_TRUE(press("okButton"));
}

// Unlike the other sheets the plant finder is kept: its cells and masks survive Cancel, a
// reopening and the window that showed it.
TEST_F(ContentSheets, PlantFinderKeepsItsCellsAndMasks) {
    p->showPlantFinder();
    PlantFinderController* finder = PlantFinderController::shared();
    ASSERT_TRUE(finder && sheet() == finder);
    EXPECT_EQ(std::tuple(finder->zoneView, finder->sunlightView, finder->soilView, finder->waterView, finder->propagationView),
              std::tuple(1023u, 15u, 255u, 15u, 15u));
    for (QCheckBox* cell : find<CheckMatrix>("zoneButtons")->cells()) cell->setChecked(false);
    ASSERT_TRUE(press("searchButton"));
    EXPECT_EQ(std::tuple(finder->zoneView, finder->soilView, shown()),
              std::tuple(0u, 255u, std::string("Search results (0 items)")));

    p->showPlantFinder();
    ASSERT_EQ(sheet(), finder);
    EXPECT_EQ(find<CheckMatrix>("zoneButtons")->checkedCellCount(), 0);
    find<CheckMatrix>("soilButtons")->cells()[0]->setChecked(false);
    ASSERT_TRUE(press("cancelButton"));
    EXPECT_EQ(std::tuple(finder->zoneView, finder->soilView), std::tuple(0u, 255u));
    w->close();
    QTest::qWait(0);
    EXPECT_EQ(PlantFinderController::shared(), finder);
}

// The area box follows the object under the context click; Cancel keeps every setting; the
// spacing is held to 1 to 3000 inches.
TEST_F(ContentSheets, PlantFillSheetKeepsOrLeavesItsSettings) {
    Objex* line = Shape(gCurDocument->itsCurLayer, objtype::kLine, {{0, 0}, {100, 0}});
    Objex* box = Shape(gCurDocument->itsCurLayer, objtype::kRectangle, {{0, 0}, {100, 0}, {100, 100}}, true);
    Win32EventHandler commands(AsCommandWindow(w));
    gContextFoundObj = line;
    commands.fillObjectWithPlantsUsingWindow();
    ASSERT_TRUE(sheet() && sheet()->objectName() == "PlantFillSheet");
    EXPECT_EQ(std::tuple(find<QCheckBox>("fillAreaButton")->isChecked(), find<QCheckBox>("fillAreaButton")->isEnabled(),
                         find<QLineEdit>("spacingText")->text()),
              std::tuple(false, false, QString("5'-0\"")));
    find<QLineEdit>("spacingText")->setText("12");
    click(find<QCheckBox>("fillPerimeterButton"));
    ASSERT_TRUE(press("cancelButton"));
    EXPECT_EQ(std::tuple(gFillArea, gFillPerimeter, gPlantSpacing), std::tuple(1, 1, 60.0f));

    gContextFoundObj = box, gFillArea = 0;
    struct Row { const char* typed; float kept; };
    for (const Row& r : {Row{"0", 1.0f}, Row{"5000\"", 3000.0f}}) {
        commands.fillObjectWithPlantsUsingWindow();
        EXPECT_EQ(std::tuple(find<QCheckBox>("fillAreaButton")->isChecked(), find<QCheckBox>("fillAreaButton")->isEnabled()),
                  std::tuple(false, true));
        find<QCheckBox>("fillPerimeterButton")->setChecked(false);
        find<QLineEdit>("spacingText")->setText(r.typed);
        ASSERT_TRUE(press("okButton"));
        EXPECT_EQ(std::tuple(gFillArea, gFillPerimeter, gPlantSpacing), std::tuple(0, 0, r.kept));
    }
    EXPECT_EQ(w->document()->undoStack()->count(), 0);
}

// Fit to page squares the printable area's smaller side; custom sizes are at least 16; the
// view's own size; Cancel prints nothing.
TEST_F(ContentSheets, PrintSheetHandsTheSizeToThePrintRoutine) {
    std::vector<std::tuple<int, int, int>> printed;
    const auto print = [&printed](int quality, int width, int height) { printed.emplace_back(quality, width, height); };
    const QSizeF page = QPrinter(QPrinter::HighResolution).pageLayout().paintRect(QPageLayout::Point).size();
    const int side = int(std::min(page.width(), page.height()));
    struct Row { int size, quality; const char* width; const char* height; const char* button; };
    for (const Row& r : {Row{0, 2, "", "", "okButton"}, Row{1, 4, "10", "5000", "okButton"}, Row{1, 1, "20", "20", "cancelButton"}}) {
        NewLV3DPrintSheetForParent(AsCommandWindow(w), print);
        ASSERT_TRUE(sheet() && sheet()->objectName() == "LV3DPrintSheet");
        auto* quality = find<QComboBox>("renderQualityPopUpButton");
        EXPECT_EQ(std::tuple(quality->count(), quality->itemText(4), find<QLineEdit>("printImageWidthText")->isEnabled()),
                  std::tuple(5, QString("Excellent Quality (Very Slow)"), false));
        quality->setCurrentIndex(r.quality);
        click(find<RadioMatrix>("printSizeButtons")->cell(r.size));
        EXPECT_EQ(find<QLineEdit>("printImageHeightText")->isEnabled(), r.size == 1);
        if (r.size == 1) find<QLineEdit>("printImageWidthText")->setText(r.width), find<QLineEdit>("printImageHeightText")->setText(r.height);
        ASSERT_TRUE(press(r.button));
    }
    EXPECT_EQ(printed, (std::vector<std::tuple<int, int, int>>{{2, side, side}, {4, 16, 5000}}));
}

}  // namespace
}  // namespace dvxtest

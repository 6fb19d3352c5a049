// A document window's content palette, offscreen, on the stock content the build generated, as
// `./run` shows it on a fresh machine: every materials and trim category and the plants, counted
// as the palette's own outline and preview grid present them.
#include <QApplication>
#include <QComboBox>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

#include "app/app_controller.h"
#include "app/core/preference_keys.h"
#include "app/document.h"
#include "app/window_controller.h"
#include "content/content_category_model.h"
#include "content/content_palette_controller.h"
#include "content/content_view.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "port/qt/platform.h"
#include "support/doubles.h"
#include "support/fixture.h"
#include "support/stock_root.h"

namespace {

class StockPalette : public ::testing::Test {
protected:
    void SetUp() override {
        AppController::destroyShared(), dvxtest::ResetAllGlobals();
        folders = std::make_unique<dvxtest::TempFolders>(dvxtest::FreshTempFolder("palette"));
        port::setFolders(folders.get()), port::setAlerts(&alerts), port::setDocumentUndo(&undo);
        dvxtest::UseStockRoot(DVX_STOCK_DIR);
        AppController::setSplashEnabled(false), RegisterPreferenceDefaults(false);
        (document = AppController::shared()->documentController()->openUntitledDocument())->makeWindowControllers();
        (window = static_cast<QMDWindowController*>(document->windowController))->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        p = window->contentPaletteController();
    }
    void TearDown() override { AppController::destroyShared(), dvxtest::ResetAllGlobals(); }

    // The user picks the pop-up's section, then the node's row in the outline; what the grid
    // then holds, and how many of its previews are pictures rather than blanks.
    std::pair<size_t, size_t> Shown(const char* section, const ContentCategoryItem* node) {
        QComboBox* popUp = p->categoryPopUpButton();
        popUp->setCurrentIndex(popUp->findText(section));
        emit popUp->activated(popUp->currentIndex());
        const QModelIndex row = static_cast<ContentCategoryModel*>(p->categoryOutlineView()->model())->indexOf(node);
        p->categoryOutlineView()->selectionModel()->setCurrentIndex(row, QItemSelectionModel::ClearAndSelect);
        EXPECT_EQ(p->selectedCategoryItem(), node);
        size_t pictures = 0;
        for (size_t i = 0; i < p->contentView()->previewCount(); ++i) {
            const QImage preview = p->contentView()->previewAt(i);
            const QRgb corner = preview.pixel(0, 0), middle = preview.pixel(preview.width() / 2, preview.height() / 2);
            pictures += !preview.isNull() && qAlpha(corner) == 255 && (corner != middle || qAlpha(middle) == 255);
        }
        return {p->contentView()->previewCount(), pictures};
    }
    const ContentCategoryList& Tree(int16_t section) { return *p->treeOfSection(section); }

    std::unique_ptr<dvxtest::TempFolders> folders;
    dvxtest::RecordingAlerts alerts;
    port::qt::QtDocumentUndo undo;
    QMDDocument* document = nullptr;
    QMDWindowController* window = nullptr;
    ContentPaletteController* p = nullptr;
};

TEST_F(StockPalette, EveryMaterialsAndTrimCategoryAndThePlantsShowTheirPreviews) {
    ASSERT_EQ(Tree(2).size(), 18u);
    for (const auto& node : Tree(2)) {
        const auto [shown, pictures] = Shown("Materials", node.get());
        EXPECT_GE(shown, std::min(3u, node->textureCount())) << node->categoryName();  // the sky's range holds two
        EXPECT_EQ(pictures, shown) << node->categoryName();
    }
    for (int16_t units : {document->model()->itsDocState->units, kMetricUnits}) {
        document->model()->itsDocState->units = units;
        ASSERT_EQ(Tree(3).size(), 4u);
        for (const auto& node : Tree(3)) {
            const auto [shown, pictures] = Shown("Trim", node.get());
            EXPECT_TRUE(shown >= 3 && pictures == shown) << node->categoryName() << " in units " << units;
        }
    }
    size_t plants = 0;
    for (const auto& node : Tree(5)) {
        if (node->fullPath().empty()) continue;  // the search results
        const auto [shown, pictures] = Shown("Plants", node.get());
        EXPECT_GE(shown, 1u) << node->categoryName();
        EXPECT_EQ(pictures, shown) << node->categoryName();
        plants += shown;
    }
    EXPECT_GE(plants, 24u);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

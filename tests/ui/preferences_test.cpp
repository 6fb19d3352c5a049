// The preferences window offscreen over a store of its own: what it shows from the store,
// what OK writes back (and what Cancel does not), and what open documents take up.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QUndoStack>
#include <gtest/gtest.h>

#include "app/app_controller.h"
#include "app/window_controller.h"
#include "content/content_palette_controller.h"
#include "content/content_view.h"
#include "files/undo.h"
#include "model/document_model.h"
#include "port/files.h"
#include "port/qt/platform.h"
#include "support/doubles.h"
#include "support/fixture.h"
#include "support/qt/content_images.h"
#include "ui/preferences/preferences_controller.h"
#include "ui/sheets/sheet_dialog.h"

namespace dvxtest {
namespace {

class Preferences : public ::testing::Test {
protected:
    void SetUp() override {
        AppController::destroyShared(), ResetAllGlobals(), port::setDefaults(&store);
        folders = std::make_unique<TempFolders>(FreshTempFolder("preferences"));
        port::setFolders(folders.get()), port::setAlerts(&alerts), port::setDocumentUndo(&undo);
        AppController::setSplashEnabled(false), RegisterPreferenceDefaults(false);
        (w = PreferencesController::shared())->showWindow();
    }
    void TearDown() override { AppController::destroyShared(), ResetAllGlobals(), port::setDefaults(nullptr); }
    template <class T = QComboBox>
    T* Get(const char* outlet) { return w->findChild<T*>(QString::fromLatin1(outlet)); }
    void Choose(const char* popUp, int tag) {
        Get(popUp)->setCurrentIndex(Get(popUp)->findData(tag));
        emit Get(popUp)->activated(Get(popUp)->currentIndex());
    }
    // The second pop-up's items, its choice, its label, and whether the imperial controls show.
    auto Formats() {
        return std::tuple(Get("field2PopUpButton")->count(), Get("field2PopUpButton")->currentText(),
                          Get<QLabel>("field2Label")->text(), !Get("field3PopUpButton")->isHidden());
    }
    QMDDocument* Open() {
        QMDDocument* d = AppController::shared()->documentController()->openUntitledDocument();
        d->makeWindowControllers(), d->windowController->show();
        return d;
    }

    struct CountingDefaults : port::MemoryDefaults {
        int writes = 0;
        void store(const std::string& key, const port::DefaultValue& v) override { ++writes, MemoryDefaults::store(key, v); }
    } store;
    std::unique_ptr<TempFolders> folders;
    RecordingAlerts alerts;
    port::qt::QtDocumentUndo undo;
    PreferencesController* w = nullptr;
};

TEST_F(Preferences, FreshStoreIsShownAndUndoLevelsAreHeldTo5Through500) {
    EXPECT_EQ(std::tuple(Get<QCheckBox>("enableUndoButton")->isChecked(), Get<QLineEdit>("undoLevelsText")->text(),
                         Get("unitsPopUpButton")->currentData().toInt(), Get<QSlider>("previewSizeSlider")->value(),
                         Get<QLineEdit>("searchResultsText")->text(), Get<QCheckBox>("forcePlanDefaultsButton")->isChecked()),
              std::tuple(true, QString("200"), 3, 2, QString("100"), false));
    const std::pair<const char*, int64_t> rows[] = {{"3", 5}, {"1000", 500}, {"abc", 5}, {" 42x", 42}, {"99999999999", 500}};
    for (auto [typed, stored] : rows) {
        w->showWindow(), Get<QLineEdit>("undoLevelsText")->setText(typed), w->dismissWindow(1);
        EXPECT_EQ(store.getInt(QMDUndoLevelKey), stored) << typed;
    }
}

// A search limit that would find nothing, or no number, is refused: the stored one stays.
TEST_F(Preferences, SearchResultsBelowOneOrWithoutANumberAreRefused) {
    const std::pair<const char*, int64_t> rows[] = {{"250", 250}, {"-5", 250}, {"0", 250}, {"abc", 250}, {" 7 ", 7}};
    for (auto [typed, stored] : rows) {
        w->showWindow(), Get<QLineEdit>("searchResultsText")->setText(typed), w->dismissWindow(1), w->showWindow();
        EXPECT_EQ(std::tuple(store.getInt(QMDMaxSearchResultsKey), Get<QLineEdit>("searchResultsText")->text()),
                  std::tuple(stored, QString::number(stored))) << typed;
    }
}

TEST_F(Preferences, UnitsPopUpsFollowTheSystemAndOkStoresOnlyTheShownSystemsFormat) {
    for (char separator : {',', '.'}) {
        store.setDecimalSeparator(separator), w->initializeControls();
        EXPECT_EQ(Get("field1PopUpButton")->itemText(2), QString::fromUtf8("#%1##\u00b0").arg(separator));
    }
    store.setInt(QMDMeasurementSystemKey, 4), store.setInt(QMDImperialReadoutKey, 8 | 64), w->initializeControls();
    Choose("unitsPopUpButton", 3);
    EXPECT_EQ(Formats(), std::tuple(5, QString("Eighth Inches (1/8\")"), QString("Precision:"), true));
    Choose("unitsPopUpButton", 4), Choose("field2PopUpButton", 1);
    Choose("unitsPopUpButton", 3), Choose("unitsPopUpButton", 4);
    EXPECT_EQ(Formats(), std::tuple(3, QString("#.## cm"), QString("Readout Format:"), false));
    w->dismissWindow(1);
    EXPECT_EQ(std::tuple(store.getInt(QMDMetricReadoutKey), store.getInt(QMDImperialReadoutKey)), std::tuple(2, 8 | 64));

    w->showWindow(), Choose("unitsPopUpButton", 3), Choose("field2PopUpButton", 4);
    Get("field3PopUpButton")->setCurrentIndex(0), w->findChild<RadioMatrix*>("readoutFormatMatrix")->selectTag(0);
    w->dismissWindow(1);
    EXPECT_EQ(std::tuple(store.getInt(QMDImperialReadoutKey), store.getInt(QMDMetricReadoutKey),
                         store.getInt(QMDMeasurementSystemKey)), std::tuple(112, 2, 3));
}

TEST_F(Preferences, ColoursWaitForOkAndTheResetButtonShowsOnlyOnTheColoursTab) {
    auto* reset = Get<QPushButton>("resetColorsButton");
    for (int tab : {1, 2, 0, 3}) {
        Get<QTabWidget>("prefTabView")->setCurrentIndex(tab);
        EXPECT_EQ(reset->isVisible(), tab == 1) << tab;
    }
    const int writes = store.writes;
    Get<ColorWell>("gridWell")->setColor(QColor(10, 20, 30)), reset->click();
    EXPECT_EQ(Get<ColorWell>("gridWell")->color(), QColor(168, 176, 200));
    w->dismissWindow(0);
    EXPECT_EQ(store.writes, writes);

    w->showWindow(), Get<ColorWell>("gridWell")->setColor(QColor(10, 20, 30));
    Get<QLineEdit>("searchResultsText")->setText("250"), w->dismissWindow(1), w->showWindow();
    EXPECT_EQ(std::tuple(Get<ColorWell>("gridWell")->color(), Get<QLineEdit>("searchResultsText")->text(),
                         PreferencesController::colorForKey(nullptr).isValid()),
              std::tuple(QColor(10, 20, 30), QString("250"), false));
}

TEST_F(Preferences, ChangedUndoSettingsRestartEveryOpenDocumentsHistory) {
    QMDDocument *a = Open(), *b = Open();  // b current
    for (QMDDocument* d : {a, b}) gCurDocument = d->model(), StoreUndo("Move"), StoreUndo("Move");
    const std::string staleOfA = (gCurDocument = a->model(), UndoSnapshotPath(3));
    gCurDocument = b->model();
    ASSERT_TRUE(port::FileExists(staleOfA));

    Get<QLineEdit>("undoLevelsText")->setText("200"), w->dismissWindow(1);  // as stored: nothing restarts
    EXPECT_EQ(std::tuple(a->model()->itsCurrentUndo, b->model()->itsCurrentUndo, a->undoStack()->count()),
              std::tuple(3, 3, 2));

    w->showWindow(), Get<QCheckBox>("enableUndoButton")->click();
    Get<QLineEdit>("undoLevelsText")->setText("30"), w->dismissWindow(1);
    // No more steps than the snapshot ring restores, the preference as typed.
    EXPECT_EQ(store.getInt(QMDUndoLevelKey), 30);
    for (QMDDocument* d : {a, b})
        EXPECT_EQ(std::tuple(d->model()->itsFirstUndo, d->model()->itsLastUndo, d->model()->itsCurrentUndo,
                             d->undoStack()->count(), d->undoStack()->undoLimit()),
                  std::tuple(1, 1, 1, 0, gTotalUndos - 1));
    EXPECT_EQ(std::tuple(gUndoActive, gCurDocument == b->model(), port::FileExists(staleOfA)),
              std::tuple(uint8_t{0}, true, false));
}

TEST_F(Preferences, OkRepaintsEveryWindowsPaletteOnlyWhenThePreviewSizeMoved) {
    WriteSmallContentLibrary();
    QMDDocument* docs[] = {Open(), Open()};
    auto widths = [&] {
        auto width = [](QMDDocument* d) {
            return static_cast<QMDWindowController*>(d->windowController)->contentPaletteController()->contentView()
                ->previewAt(0).width();
        };
        return std::pair(width(docs[0]), width(docs[1]));
    };
    w->dismissWindow(1);
    EXPECT_EQ(widths(), std::pair(70, 70));
    w->showWindow(), Get<QSlider>("previewSizeSlider")->setValue(4), w->dismissWindow(1);
    EXPECT_EQ(widths(), std::pair(128, 128));
}

}  // namespace
}  // namespace dvxtest

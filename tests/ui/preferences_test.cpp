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
#include "app/core/preference_keys.h"
#include "app/document.h"
#include "app/window_controller.h"
#include "content/content_palette_controller.h"
#include "content/content_view.h"
#include "files/undo.h"
#include "model/document_model.h"
#include "port/defaults.h"
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
        AppController::destroyShared(), ResetAllGlobals();
        port::setDefaults(&store);
        folders = std::make_unique<TempFolders>(FreshTempFolder("preferences"));
        port::setFolders(folders.get()), port::setAlerts(&alerts), port::setDocumentUndo(&undo);
        AppController::setSplashEnabled(false), RegisterPreferenceDefaults(false);
        w = PreferencesController::shared();
        w->showWindow();
    }
    void TearDown() override {
        AppController::destroyShared(), ResetAllGlobals();
        port::setDefaults(nullptr);
    }
    template <class T>
    T* Get(const char* outlet) {
        T* c = w->findChild<T*>(QString::fromLatin1(outlet));
        EXPECT_NE(c, nullptr) << outlet;
        return c;
    }
    void Choose(const char* popUp, int tag) {
        auto* p = Get<QComboBox>(popUp);
        p->setCurrentIndex(p->findData(tag));
        emit p->activated(p->currentIndex());
    }
    QStringList Items(const char* popUp) {
        QStringList titles;
        auto* p = Get<QComboBox>(popUp);
        for (int i = 0; i < p->count(); ++i) titles << p->itemText(i);
        return titles;
    }
    QMDDocument* Open() {
        QMDDocument* d = AppController::shared()->documentController()->openUntitledDocument();
        d->makeWindowControllers();
        static_cast<QMDWindowController*>(d->windowController)->show();
        return d;
    }

    // Counts what is written, so that "nothing stored" can be seen.
    struct CountingDefaults : port::MemoryDefaults {
        int writes = 0;
        void store(const std::string& key, const port::DefaultValue& v) override {
            ++writes;
            MemoryDefaults::store(key, v);
        }
    } store;
    std::unique_ptr<TempFolders> folders;
    RecordingAlerts alerts;
    port::qt::QtDocumentUndo undo;
    PreferencesController* w = nullptr;
};

TEST_F(Preferences, FreshStoreIsShownAndUndoLevelsAreHeldTo5Through500) {
    EXPECT_EQ(std::tuple(Get<QCheckBox>("enableUndoButton")->isChecked(), Get<QLineEdit>("undoLevelsText")->text(),
                         Get<QComboBox>("unitsPopUpButton")->currentData().toInt(),
                         Get<QComboBox>("field2PopUpButton")->currentData().toInt(),
                         Get<QSlider>("previewSizeSlider")->value(), Get<QLineEdit>("searchResultsText")->text(),
                         Get<QCheckBox>("forcePlanDefaultsButton")->isChecked()),
              std::tuple(true, QString("200"), 3, 4, 2, QString("100"), false));
    struct Row {
        const char* typed;
        int64_t stored;
    } rows[] = {{"3", 5}, {"1000", 500}, {"abc", 5}, {" 42x", 42}, {"99999999999", 500}};
    for (const Row& r : rows) {
        w->showWindow();
        Get<QLineEdit>("undoLevelsText")->setText(r.typed);
        w->dismissWindow(1);
        EXPECT_EQ(store.getInt(QMDUndoLevelKey), r.stored) << r.typed;
    }
}

TEST_F(Preferences, UnitsPopUpsFollowTheSystemAndOkStoresOnlyTheShownSystemsFormat) {
    store.setDecimalSeparator(',');
    w->initializeControls();
    EXPECT_EQ(Items("field1PopUpButton").value(2), QString::fromUtf8("#,##\u00b0"));
    store.setDecimalSeparator('.');
    store.setInt(QMDMeasurementSystemKey, 4), store.setInt(QMDImperialReadoutKey, 8 | 64);
    w->initializeControls();
    EXPECT_EQ(Items("field1PopUpButton").value(2), QString::fromUtf8("#.##\u00b0"));
    EXPECT_FALSE(!Get<QComboBox>("field3PopUpButton")->isHidden());

    Choose("unitsPopUpButton", 3);
    EXPECT_EQ(std::tuple(Items("field2PopUpButton").size(), Get<QLabel>("field2Label")->text(),
                         Get<QComboBox>("field2PopUpButton")->currentData().toInt(),
                         !Get<QComboBox>("field3PopUpButton")->isHidden()),
              std::tuple(5, QString("Precision:"), 3, true));
    Choose("unitsPopUpButton", 4);
    Choose("field2PopUpButton", 1);  // "#.## cm"
    Choose("unitsPopUpButton", 3), Choose("unitsPopUpButton", 4);
    EXPECT_EQ(std::tuple(Get<QComboBox>("field2PopUpButton")->currentText(), Get<QLabel>("field2Label")->text(),
                         !Get<QComboBox>("field3PopUpButton")->isHidden()),
              std::tuple(QString("#.## cm"), QString("Readout Format:"), false));
    w->dismissWindow(1);
    EXPECT_EQ(std::tuple(store.getInt(QMDMetricReadoutKey), store.getInt(QMDImperialReadoutKey),
                         store.getInt(QMDMeasurementSystemKey)),
              std::tuple(2, 8 | 64, 4));

    w->showWindow();
    Choose("unitsPopUpButton", 3), Choose("field2PopUpButton", 4);
    Get<QComboBox>("field3PopUpButton")->setCurrentIndex(0), w->findChild<RadioMatrix*>("readoutFormatMatrix")->selectTag(0);
    w->dismissWindow(1);
    EXPECT_EQ(std::tuple(store.getInt(QMDImperialReadoutKey), store.getInt(QMDMetricReadoutKey)), std::tuple(112, 2));
}

TEST_F(Preferences, ColoursWaitForOkAndTheResetButtonShowsOnlyOnTheColoursTab) {
    auto* tabs = Get<QTabWidget>("prefTabView");
    auto* reset = Get<QPushButton>("resetColorsButton");
    for (int tab : {1, 2, 0, 3}) {
        tabs->setCurrentIndex(tab);
        EXPECT_EQ(reset->isVisible(), tab == 1) << tab;
    }

    auto* well = Get<ColorWell>("gridWell");
    well->setColor(QColor(10, 20, 30));
    const int writes = store.writes;
    reset->click();
    EXPECT_EQ(well->color(), QColor(168, 176, 200));
    w->dismissWindow(0);
    EXPECT_EQ(store.writes, writes);

    w->showWindow();
    Get<ColorWell>("gridWell")->setColor(QColor(10, 20, 30));
    Get<QLineEdit>("searchResultsText")->setText("250");
    w->dismissWindow(1);
    w->showWindow();
    EXPECT_EQ(std::tuple(Get<ColorWell>("gridWell")->color(), Get<QLineEdit>("searchResultsText")->text(),
                         PreferencesController::colorForKey(nullptr).isValid()),
              std::tuple(QColor(10, 20, 30), QString("250"), false));
}

TEST_F(Preferences, ChangedUndoSettingsRestartEveryOpenDocumentsHistory) {
    QMDDocument* a = Open();
    QMDDocument* b = Open();  // current
    for (QMDDocument* d : {a, b}) {
        gCurDocument = d->model();
        StoreUndo("Move"), StoreUndo("Move");
        EXPECT_EQ(d->model()->itsCurrentUndo, 3);
    }
    const std::string staleOfA = (gCurDocument = a->model(), UndoSnapshotPath(3));
    gCurDocument = b->model();
    ASSERT_TRUE(port::FileExists(staleOfA));

    w->showWindow();
    Get<QLineEdit>("undoLevelsText")->setText("200");  // as stored: nothing restarts
    w->dismissWindow(1);
    EXPECT_EQ(std::tuple(a->model()->itsCurrentUndo, b->model()->itsCurrentUndo, b->undoStack()->count()),
              std::tuple(3, 3, 2));

    w->showWindow();
    Get<QCheckBox>("enableUndoButton")->click();
    Get<QLineEdit>("undoLevelsText")->setText("30");
    w->dismissWindow(1);
    for (QMDDocument* d : {a, b})
        EXPECT_EQ(std::tuple(d->model()->itsFirstUndo, d->model()->itsLastUndo, d->model()->itsCurrentUndo,
                             d->undoStack()->count(), d->undoStack()->undoLimit()),
                  std::tuple(1, 1, 1, 0, 30));
    EXPECT_EQ(std::tuple(gUndoActive, gCurDocument == b->model(), port::FileExists(staleOfA)),
              std::tuple(uint8_t{0}, true, false));
}

TEST_F(Preferences, OkRepaintsEveryWindowsPaletteOnlyWhenThePreviewSizeMoved) {
    WriteSmallContentLibrary();
    QMDDocument* docs[] = {Open(), Open()};
    auto width = [&](QMDDocument* d) {
        return static_cast<QMDWindowController*>(d->windowController)->contentPaletteController()->contentView()
            ->previewAt(0).width();
    };
    w->showWindow();
    w->dismissWindow(1);
    EXPECT_EQ(std::tuple(width(docs[0]), width(docs[1])), std::tuple(70, 70));
    w->showWindow();
    Get<QSlider>("previewSizeSlider")->setValue(4);
    w->dismissWindow(1);
    EXPECT_EQ(std::tuple(width(docs[0]), width(docs[1])), std::tuple(128, 128));
}

}  // namespace
}  // namespace dvxtest

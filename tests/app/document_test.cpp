// Documents as the user meets them: designs read and saved, damaged and unwritable files,
// undo over each document's own stack, and what the model tells the window.
#include "app/document.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QTimer>
#include <QUndoStack>
#include <gtest/gtest.h>

#include "app/app_controller.h"
#include "app/main_window.h"
#include "app/core/document_seams.h"
#include "files/undo.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "model/projection.h"
#include "plan/plan_objects.h"
#include "model/selection_ops.h"
#include "model/selection_queries.h"
#include "port/defaults.h"
#include "port/files.h"
#include "port/folders.h"
#include "port/qt/platform.h"
#include "support/build.h"
#include "support/doubles.h"
#include "support/fixture.h"
#include "support/records.h"

namespace {

class Documents : public ::testing::Test {
protected:
    void SetUp() override {
        AppController::destroyShared();
        dvxtest::ResetAllGlobals();
        root = dvxtest::FreshTempFolder("documents");
        folders = std::make_unique<dvxtest::TempFolders>(root);
        port::setFolders(folders.get());
        port::setAlerts(&alerts);
        port::setFileDialogs(&panels);
        port::setDocumentUndo(&undo);
        AppController::setSplashEnabled(false);
        AppController::initialize();
        app = AppController::shared();
    }
    void TearDown() override {
        AppController::destroyShared();
        port::setDocumentUndo(nullptr);
        port::setAlerts(nullptr);
        port::setFileDialogs(nullptr);
        port::setFolders(nullptr);
        dvxtest::ResetAllGlobals();
    }
    QMDDocument* Open() {
        QMDDocument* d = QMDDocument::create();
        app->documentController()->addDocument(d);
        return d;
    }
    // A document with one wall (or `walls`), each edit stored as an undo step.
    QMDDocument* WithWalls(int walls) {
        QMDDocument* d = Open();
        for (int i = 0; i < walls; ++i) {
            dvxtest::TrimmedWall(d->model()->itsCurLayer, 3);
            StoreUndo(i == walls - 1 ? "Delete" : "Add Wall");
        }
        return d;
    }
    std::string Path(const char* name) const { return root + "/" + name; }

    std::string root;
    std::unique_ptr<dvxtest::TempFolders> folders;
    dvxtest::RecordingAlerts alerts;
    dvxtest::ScriptedFileDialogs panels;
    port::qt::QtDocumentUndo undo;
    AppController* app = nullptr;
};

int Walls(QMDDocument* d) { return dvxtest::CountObjects(d->model()->itsCurLayer->firstObject); }

TEST_F(Documents, SavedDesignReadsBackDeselectedNamedAndWithNothingToUndo) {
    QMDDocument* saved = WithWalls(2);
    SelectAllLayers(saved->model()->itsLayers, 1, 0);
    ASSERT_TRUE(saved->saveToFile(Path("house.pro")));
    EXPECT_EQ(std::tuple(saved->isDocumentEdited(), saved->displayName()), std::tuple(false, "house.pro"));

    QMDDocument* read = Open();
    ASSERT_TRUE(read->readFromFile(Path("house.pro")));
    EXPECT_EQ(gCurDocument, read->model());
    EXPECT_EQ(std::tuple(read->fileName(), read->isDocumentEdited(), read->undoStack()->count()),
              std::tuple(Path("house.pro"), false, 0));
    EXPECT_EQ(read->model()->itsFirstUndo, read->model()->itsCurrentUndo);
    {
        CurrentDocumentScope scope(saved->model());
        SelectAllLayers(saved->model()->itsLayers, 2, 0);
    }
    const Objex* a = saved->model()->itsCurLayer->firstObject;
    const Objex* b = read->model()->itsCurLayer->firstObject;
    ASSERT_EQ(Walls(read), 2);
    for (; a && b; a = a->next, b = b->next) {
        EXPECT_FALSE(IsObjectSelected(b));
        dvxtest::ExpectSameObject(a, b);
    }
    EXPECT_TRUE(alerts.shown.empty());
}

TEST_F(Documents, UnreadableFilesAnswerNoAndKeepTheCurrentModel) {
    QMDDocument* current = Open();
    QFile junk(QString::fromStdString(Path("junk.pro")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(64, '\x07'));
    junk.close();
    struct Row { const char* file; QMDDocumentModel* before; };
    for (const Row& r : {Row{"missing.pro", current->model()}, Row{"junk.pro", current->model()},
                         Row{"missing.pro", nullptr}}) {
        QMDDocument* other = Open();
        gCurDocument = r.before;
        EXPECT_FALSE(other->readFromFile(Path(r.file))) << r.file;
        EXPECT_EQ(gCurDocument, r.before) << r.file;
        app->documentController()->removeDocument(other);
        delete other;
    }
}

TEST_F(Documents, CutFileOpensWhatItHoldsUntitledWithAWarning) {
    QMDDocument* saved = WithWalls(2);
    ASSERT_TRUE(saved->saveToFile(Path("whole.pro")));
    QFile whole(QString::fromStdString(Path("whole.pro")));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    QByteArray bytes = whole.readAll();
    QFile cut(QString::fromStdString(Path("cut.pro")));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(bytes.left(bytes.size() - 40));
    cut.close();

    QMDDocument* read = Open();
    ASSERT_TRUE(read->readFromFile(Path("cut.pro")));
    EXPECT_EQ(std::tuple(read->fileName(), read->displayName()), std::tuple("", "Untitled"));
    ASSERT_EQ(alerts.shown.size(), 1u);
    EXPECT_TRUE(alerts.shown[0].sheet);
    EXPECT_NE(alerts.shown[0].alert.message.find("incomplete"), std::string::npos);
}

TEST_F(Documents, FailedSaveAlertsAndKeepsTheOldFile) {
    QMDDocument* d = WithWalls(1);
    ASSERT_TRUE(d->saveToFile(Path("keep.pro")));
    QFile f(QString::fromStdString(Path("keep.pro")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray before = f.readAll();
    f.close();
    dvxtest::TrimmedWall(d->model()->itsCurLayer, 2);
    StoreUndo("Add Wall");
    port::FailNextWriteAt(port::WriteStep::Rename);
    EXPECT_FALSE(d->saveToFile(Path("keep.pro")));
    EXPECT_TRUE(d->isDocumentEdited());
    ASSERT_EQ(alerts.shown.size(), 1u);
    EXPECT_EQ(alerts.shown[0].alert.message, "The design could not be saved.");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
}

TEST_F(Documents, UndoAndRedoStepThroughSnapshotsOnTheDocumentsStack) {
    QMDDocument* d = WithWalls(2);
    QUndoStack* stack = d->undoStack();
    EXPECT_EQ(std::tuple(stack->count(), stack->undoText().toStdString()), std::tuple(2, "Delete"));
    EXPECT_TRUE(d->isDocumentEdited());
    stack->undo();
    EXPECT_EQ(Walls(d), 1);
    EXPECT_TRUE(stack->canRedo());
    stack->redo();
    EXPECT_EQ(Walls(d), 2);
    stack->undo();
    stack->undo();
    EXPECT_EQ(std::tuple(Walls(d), d->isDocumentEdited()), std::tuple(0, false));
}

TEST_F(Documents, UndoPreferencesReachNewDocuments) {
    port::defaults().setInt("UndoLevels", 3);
    QMDDocument* limited = WithWalls(5);
    EXPECT_EQ(limited->undoStack()->count(), 3);
    limited->undoStack()->undo();
    EXPECT_EQ(Walls(limited), 4);

    port::defaults().setBool("UndoEnabled", false);
    QMDDocument* off = WithWalls(1);
    EXPECT_EQ(gUndoActive, 0);
    EXPECT_EQ(std::tuple(off->undoStack()->count(), off->model()->itsCurrentUndo), std::tuple(0, -1));
    EXPECT_TRUE(off->isDocumentEdited());
}

TEST_F(Documents, ModelReachesTheCurrentDocumentThroughTheSeams) {
    QMDDocument* d = WithWalls(1);
    ASSERT_TRUE(d->saveToFile(Path("named.pro")));
    StoreUndo("Move");
    EXPECT_TRUE(IsOpenDocumentIDInUse(d->model()->itsDocID));
    EXPECT_FALSE(IsOpenDocumentIDInUse(d->model()->itsDocID + 1));
    d->model()->reinitializeDocumentModel();
    EXPECT_EQ(std::tuple(d->isDocumentEdited(), d->displayName()), std::tuple(false, "Untitled"));
}

TEST_F(Documents, ClosingAnEditedDocumentAsksToSave) {
    QMDDocument* named = WithWalls(1);
    ASSERT_TRUE(named->saveToFile(Path("close.pro")));
    StoreUndo("Move");
    QMDDocument* untitled = WithWalls(1);
    // Buttons: save, don't save, cancel; an untitled design saves through the panel.
    struct Row { QMDDocument* d; int answer; const char* panel; bool closes; bool edited; };
    for (const Row& r : {Row{named, 2, nullptr, false, true}, Row{named, 0, nullptr, true, false},
                         Row{untitled, 0, "", false, true}, Row{untitled, 1, nullptr, true, true},
                         Row{untitled, 0, "/saved.pro", true, false}}) {
        alerts.answer(r.answer);
        if (r.panel) panels.choose(r.panel[0] ? Path(r.panel + 1) : std::string());
        EXPECT_EQ(r.d->canCloseDocument(), r.closes) << r.answer << r.panel;
        EXPECT_EQ(r.d->isDocumentEdited(), r.edited) << r.answer << r.panel;
    }
    EXPECT_EQ(untitled->displayName(), "saved.pro");
    EXPECT_EQ(alerts.shown[2].alert.message, "Do you want to save the changes you made in the document Untitled?");
    EXPECT_EQ(alerts.shown.size(), 5u);
    EXPECT_TRUE(named->canCloseDocument());  // clean: no question
    EXPECT_EQ(alerts.shown.size(), 5u);
}

TEST_F(Documents, LaunchOpensTheNamedDesignOrAnUntitledOne) {
    QMDDocumentController* c = app->documentController();
    ASSERT_TRUE(WithWalls(2)->saveToFile(Path("Plan.pro")));
    struct Row { std::vector<std::string> args; const char* title; size_t alerts; };
    for (const Row& r : {Row{{"--verbose", Path("Plan.pro")}, "Plan.pro", 0}, Row{{}, "Untitled", 0},
                         Row{{Path("gone.pro")}, "Untitled", 1}}) {
        alerts.shown.clear();
        QMDDocument* d = c->openAtLaunch(r.args);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->displayName(), r.title);
        ASSERT_EQ(alerts.shown.size(), r.alerts);
        if (r.alerts) EXPECT_EQ(alerts.shown[0].alert.message, "The document \"gone\" could not be loaded.");
    }
    EXPECT_EQ(c->documents().size(), 4u);

    // The window of the opened design carries its name and saves it with File > Save.
    QMDDocument* opened = c->openAtLaunch({Path("Plan.pro")});
    MainWindow window(opened);
    EXPECT_EQ(window.windowTitle().remove("[*]"), "Plan.pro");
    EXPECT_EQ(window.saveAction()->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_EQ(window.saveAsAction()->shortcut(), QKeySequence("Ctrl+Shift+S"));
    ASSERT_TRUE(QFile::remove(QString::fromStdString(Path("Plan.pro"))));
    window.saveAction()->trigger();
    QMDDocument* again = c->openDocumentWithContentsOfFile(Path("Plan.pro"));
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(Walls(again), 2);
}

TEST_F(Documents, SaveAsWritesWhereThePanelSaysAndRemembersRecentFiles) {
    QMDDocumentController* c = app->documentController();
    QMDDocument* d = WithWalls(1);
    c->saveDocument(d);  // untitled: the panel, cancelled
    EXPECT_TRUE(d->isDocumentEdited());
    ASSERT_EQ(panels.asked.size(), 1u);
    EXPECT_EQ(panels.asked[0].fileName, "Untitled.pro");
    panels.choose(Path("first.pro"));
    c->saveDocument(d);
    EXPECT_EQ(std::tuple(d->displayName(), d->isDocumentEdited()), std::tuple("first.pro", false));
    panels.choose(Path("second.pro"));
    c->saveDocumentAs(d);
    EXPECT_EQ(panels.asked.back().fileName, "first.pro");
    EXPECT_EQ(d->displayName(), "second.pro");
    StoreUndo("Move");
    c->saveDocument(d);  // named: no panel
    EXPECT_EQ(panels.asked.size(), 3u);
    EXPECT_EQ(c->recentDocuments(), (std::vector<std::string>{Path("second.pro"), Path("first.pro")}));

    QMDDocument* back = c->openDocumentWithContentsOfFile(Path("second.pro"));
    ASSERT_NE(back, nullptr);
    dvxtest::ExpectSameObject(d->model()->itsCurLayer->firstObject, back->model()->itsCurLayer->firstObject);
}

// The plan on paper, one point to a pixel: the bounding box of the ink of `colour`.
QRect Ink(const QImage& page, QRgb colour) {
    QRect ink;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) ink |= page.pixel(x, y) == colour ? QRect(x, y, 1, 1) : QRect();
    return ink;
}

TEST_F(Documents, FittedPrintCentresThePlanAndGivesTheViewBack) {
    QMDDocument* d = Open();
    DocState* ds = d->model()->itsDocState;
    ds->planScale = 72.0f, ds->planColors[1] = {0, 0, 65535};
    dvxtest::Outline(objtype::kFloor, {{0, 0}, {100, 0}, {100, 50}, {0, 50}}).on(d->model()->itsCurLayer);
    ds->zoomFactor = 0.5f, ds->savedZoom = 0.4f, ds->printZoom = 0.3f, ds->viewOrigin = {9, 8, 7};
    gGlobalXOffset = 3;
    std::vector<QImage> pages;
    QImage page(500, 400, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    EXPECT_EQ(d->printPages(painter, QSizeF(500, 400), false, [] { return false; }), 1);
    painter.end();
    const float s = std::min(500.0f / 244.0f, 400.0f / 194.0f);
    const QRect ink = Ink(page, qRgb(0, 0, 255));
    EXPECT_NEAR(ink.width(), 100 * s, 1.5);
    EXPECT_NEAR(ink.height(), 50 * s, 1.5);
    EXPECT_NEAR(ink.center().x(), 250, 1);
    EXPECT_NEAR(ink.center().y(), 200, 1);
    EXPECT_EQ(std::tuple(ds->zoomFactor, ds->savedZoom, ds->printZoom, ds->viewOrigin.floatH, gGlobalXOffset),
              std::tuple(0.5f, 0.4f, 0.3f, 9.0f, 3.0f));
    EXPECT_EQ(std::tuple(d->savedZoom, gPrinting, gHPrintScale), std::tuple(0.5f, 0, 1.0f));
}

TEST_F(Documents, PrintToScaleCutsThePlanIntoPages) {
    QMDDocument* d = Open();
    DocState* ds = d->model()->itsDocState;
    ds->planScale = 72.0f, ds->planScaleChoice = 10, ds->units = kImperialUnits;
    dvxtest::Outline(objtype::kFloor, {{0, 0}, {1000, 0}, {1000, 300}, {0, 300}}).on(d->model()->itsCurLayer);
    const QString pdf = QString::fromStdString(Path("plan.pdf"));
    {
        QPdfWriter writer(pdf);
        writer.setPageSize(QPageSize(QSizeF(500, 500), QPageSize::Point));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        EXPECT_EQ(d->printTo(writer, true), 3);  // 1144 x 444 points
    }
    EXPECT_GT(QFile(pdf).size(), 0);

    QMDDocument* empty = Open();
    QImage page(300, 300, QImage::Format_RGB32);
    QPainter painter(&page);
    EXPECT_EQ(empty->printPages(painter, QSizeF(300, 300), false, [] { return false; }), 1);
    EXPECT_EQ(gPrinting, 0);
}

TEST_F(Documents, PrintCommandShowsTheDialogAndCancelChangesNothing) {
    QMDDocument* d = WithWalls(1);
    MainWindow window(d);
    const float zoom = d->model()->itsDocState->zoomFactor;
    bool shown = false;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget())) {
            shown = true;
            dialog->reject();
        }
    });
    window.printAction()->trigger();
    EXPECT_TRUE(shown);
    EXPECT_EQ(window.printAction()->shortcut(), QKeySequence(QKeySequence::Print));
    EXPECT_EQ(std::tuple(d->model()->itsDocState->zoomFactor, gPrinting), std::tuple(zoom, 0));
}

} // namespace

// Documents as the user meets them: designs read and saved, damaged and unwritable files,
// undo over each document's own stack, the launch, Save As and printing.
#include "app/document.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QTest>
#include <QTimer>
#include <QUndoStack>
#include <gtest/gtest.h>

#include "app/app_controller.h"
#include "app/command_router.h"
#include "app/core/document_seams.h"
#include "app/window_controller.h"
#include "files/undo.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "model/projection.h"
#include "model/selection_queries.h"
#include "model/plan_objects.h"
#include "port/defaults.h"
#include "port/files.h"
#include "port/qt/platform.h"
#include "support/build.h"
#include "support/doubles.h"
#include "support/fixture.h"
#include "support/records.h"
#include "ui/core/plan_scale_actions.h"
#include "ui/core/sheet_actions.h"
#include "ui/tool_palettes.h"

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
        c = app->documentController();
    }
    void TearDown() override { AppController::destroyShared(), dvxtest::ResetAllGlobals(); }
    // A new document with `walls` walls, each edit stored as an undo step.
    QMDDocument* WithWalls(int walls) {
        QMDDocument* d = c->openUntitledDocument();
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
    QMDDocumentController* c = nullptr;
};

int Walls(QMDDocument* d) { return dvxtest::CountObjects(d->model()->itsCurLayer->firstObject); }

TEST_F(Documents, SavedDesignReadsBackDeselectedNamedWithItsTraceImage) {
    dvxtest::FakeImageDecoder images;
    images.add(Path("trace.png"), port::DecodedImage{1, 1, {1, 2, 3}});
    port::setImageDecoder(&images);
    QMDDocument* saved = WithWalls(2);
    std::strcpy(saved->model()->itsDocState->traceImagePath, Path("trace.png").c_str());
    ASSERT_TRUE(saved->saveToFile(Path("house.pro")));
    EXPECT_EQ(std::tuple(saved->isDocumentEdited(), saved->displayName()), std::tuple(false, "house.pro"));

    QMDDocument* read = c->openDocumentWithContentsOfFile(Path("house.pro"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(std::tuple(gCurDocument, read->fileName(), read->isDocumentEdited(), read->undoStack()->count()),
              std::tuple(read->model(), Path("house.pro"), false, 0));
    EXPECT_TRUE(read->model()->itsFirstUndo == read->model()->itsCurrentUndo && read->model()->itsTraceImage);
    ASSERT_EQ(std::tuple(Walls(read), alerts.shown.size()), std::tuple(2, 0u));
    for (Objex *a = saved->model()->itsCurLayer->firstObject, *b = read->model()->itsCurLayer->firstObject; a && b;
         a = a->next, b = b->next) {
        EXPECT_FALSE(IsObjectSelected(b));
        dvxtest::ExpectSameObject(a, b);
    }
    // A trace image gone since: the design opens without it, and says so.
    port::setImageDecoder(nullptr);
    QMDDocument* without = c->openDocumentWithContentsOfFile(Path("house.pro"));
    ASSERT_TRUE(without && !without->model()->itsTraceImage && alerts.shown.size() == 1);
    EXPECT_EQ(alerts.shown[0].alert.message, "FloorPlan trace image could not be found.");
}

TEST_F(Documents, DamagedUnreadableAndUnwritableFiles) {
    QMDDocument* current = WithWalls(2);
    ASSERT_TRUE(current->saveToFile(Path("whole.pro")));
    const std::vector<uint8_t> whole = dvxtest::ReadWholeFile(Path("whole.pro"));
    ASSERT_TRUE(port::WriteWholeFile(Path("cut.pro"), whole.data(), whole.size() - 40));
    // Unreadable: NO, and the model that was current stays current (or none).
    for (auto [file, before] : {std::pair("missing.pro", current->model()), {"missing.pro", nullptr}}) {
        QMDDocument* other = QMDDocument::create();
        gCurDocument = before;
        EXPECT_FALSE(other->readFromFile(Path(file))) << file;
        EXPECT_EQ(gCurDocument, before) << file;
        delete other;
    }
    // Cut short: what it holds opens untitled, with a warning.
    QMDDocument* cut = c->openDocumentWithContentsOfFile(Path("cut.pro"));
    ASSERT_NE(cut, nullptr);
    EXPECT_EQ(cut->displayName(), "Untitled");
    ASSERT_EQ(alerts.shown.size(), 1u);
    EXPECT_TRUE(alerts.shown[0].sheet && alerts.shown[0].alert.message.find("incomplete") != std::string::npos);
    // A failed write alerts, leaves the old file and the document edited.
    gCurDocument = current->model();
    StoreUndo("Move");
    port::FailNextWriteAt(port::WriteStep::Rename);
    EXPECT_FALSE(current->saveToFile(Path("whole.pro")));
    EXPECT_TRUE(current->isDocumentEdited());
    EXPECT_EQ(alerts.shown.back().alert.message, "The design could not be saved.");
    EXPECT_EQ(dvxtest::ReadWholeFile(Path("whole.pro")), whole);
}

TEST_F(Documents, UndoStepsThroughSnapshotsAndFollowsThePreferences) {
    QMDDocument* d = WithWalls(2);
    QUndoStack* stack = d->undoStack();
    EXPECT_EQ(std::tuple(stack->count(), stack->undoText().toStdString(), d->isDocumentEdited()),
              std::tuple(2, "Delete", true));
    stack->undo();
    EXPECT_EQ(std::tuple(Walls(d), stack->canRedo()), std::tuple(1, true));
    stack->redo();
    EXPECT_EQ(Walls(d), 2);
    stack->undo(), stack->undo();
    EXPECT_EQ(std::tuple(Walls(d), d->isDocumentEdited()), std::tuple(0, false));

    port::defaults().setInt("UndoLevels", 3);
    QMDDocument* limited = WithWalls(5);
    EXPECT_EQ(limited->undoStack()->count(), 3);
    limited->undoStack()->undo();
    EXPECT_EQ(Walls(limited), 4);

    port::defaults().setBool("UndoEnabled", false);
    QMDDocument* off = WithWalls(1);
    EXPECT_EQ(std::tuple(gUndoActive, off->undoStack()->count(), off->model()->itsCurrentUndo, off->isDocumentEdited()),
              std::tuple(0, 0, -1, true));
    // The model's seams: IDs in use, and a new design in place is clean and untitled.
    EXPECT_EQ(std::tuple(IsOpenDocumentIDInUse(off->model()->itsDocID), IsOpenDocumentIDInUse(-1)), std::tuple(true, false));
    ASSERT_TRUE(off->saveToFile(Path("named.pro")));
    StoreUndo("Move");
    off->model()->reinitializeDocumentModel();
    EXPECT_EQ(std::tuple(off->isDocumentEdited(), off->displayName()), std::tuple(false, "Untitled"));
}

// A step stored after an undo drops only what could be redone: the steps before it stay.
TEST_F(Documents, AStepAfterAnUndoKeepsTheStepsBeforeIt) {
    QMDDocument* d = WithWalls(3);
    QUndoStack* stack = d->undoStack();
    stack->undo();
    dvxtest::TrimmedWall(d->model()->itsCurLayer, 3);
    StoreUndo("Paste");
    EXPECT_EQ(std::tuple(Walls(d), stack->count(), stack->canRedo(), stack->undoText().toStdString()),
              std::tuple(3, 3, false, "Paste"));
    std::vector<int> walls;
    while (stack->canUndo()) stack->undo(), walls.push_back(Walls(d));
    EXPECT_EQ(walls, (std::vector<int>{2, 1, 0}));
    stack->redo();
    EXPECT_EQ(std::tuple(Walls(d), stack->redoText().toStdString()), std::tuple(1, "Add Wall"));
}

// More steps than the snapshot ring keeps: the Edit menu offers only the steps the ring can
// give back, each under its own name, and redo walks them all forward again.
TEST_F(Documents, TheEditMenuOffersOnlyTheStepsTheSnapshotsCanRestore) {
    const int edits = gTotalUndos + 5;
    QMDDocument* d = c->openUntitledDocument();
    for (int i = 1; i <= edits; ++i)
        dvxtest::TrimmedWall(d->model()->itsCurLayer, 3), StoreUndo(("Add Wall " + std::to_string(i)).c_str());
    d->makeWindowControllers();
    CommandRouter* menu = static_cast<QMDWindowController*>(d->windowController)->commandRouter();
    QAction *undoItem = menu->action("undo"), *redoItem = menu->action("redo");
    ASSERT_TRUE(undoItem && redoItem);
    int undone = 0;
    while (undoItem->isEnabled() && undone <= edits) {
        const int walls = Walls(d);
        ASSERT_EQ(undoItem->text().toStdString(), "Undo Add Wall " + std::to_string(walls));
        undoItem->trigger(), ++undone;
        ASSERT_EQ(Walls(d), walls - 1) << "undo " << undone;
    }
    EXPECT_EQ(std::tuple(undone, Walls(d), d->undoStack()->canUndo()), std::tuple(gTotalUndos - 1, 6, false));
    int redone = 0;
    while (redoItem->isEnabled() && redone <= edits) {
        const int walls = Walls(d);
        ASSERT_EQ(redoItem->text().toStdString(), "Redo Add Wall " + std::to_string(walls + 1));
        redoItem->trigger(), ++redone;
        ASSERT_EQ(Walls(d), walls + 1) << "redo " << redone;
    }
    EXPECT_EQ(std::tuple(redone, Walls(d)), std::tuple(gTotalUndos - 1, edits));
}

// An edit whose snapshot cannot be written is still a named step, so the design counts as
// edited; undoing it gives back the design before it when that snapshot was written, and
// otherwise restores nothing and leaves the design edited: no step that restored nothing
// takes the edited mark away.
TEST_F(Documents, AnEditWhoseSnapshotCannotBeWrittenLeavesTheDesignEdited) {
    struct Row { const char* name; bool earlierLost; int wallsAfterUndo; bool editedAfterUndo; };
    for (const Row& r : {Row{"earlier snapshot kept", false, 0, false}, Row{"earlier snapshot lost", true, 1, true}}) {
        QMDDocument* d = c->openUntitledDocument();
        ASSERT_TRUE(d->saveToFile(Path("plan.pro"))) << r.name;
        gCurDocument = d->model();
        if (r.earlierLost) {
            ASSERT_TRUE(port::RemoveFile(UndoSnapshotPath(1))) << r.name;
        }
        dvxtest::TrimmedWall(d->model()->itsCurLayer, 3);
        port::FailNextWriteAt(port::WriteStep::Create);
        StoreUndo("Add Wall");
        QUndoStack* stack = d->undoStack();
        EXPECT_EQ(std::tuple(d->isDocumentEdited(), stack->count(), stack->undoText().toStdString()),
                  std::tuple(true, 1, "Add Wall")) << r.name;
        stack->undo();
        EXPECT_EQ(std::tuple(Walls(d), d->isDocumentEdited()), std::tuple(r.wallsAfterUndo, r.editedAfterUndo)) << r.name;
        // Redo finds no snapshot of the step: the design stays as it is, and edited.
        stack->redo();
        EXPECT_EQ(std::tuple(Walls(d), d->isDocumentEdited(), gUndoActive), std::tuple(r.wallsAfterUndo, true, 0))
            << r.name;
        EXPECT_EQ(alerts.shown.back().alert.message, "Unable to restore the undo state.") << r.name;
    }
}

// The mark and Save's question follow what the file holds, whatever Undo, Redo, a setting or a
// value typed and not entered did since, and a Save of what was saved writes the same bytes:
// each row starts from a design of one wall saved at "mark.pro".
TEST_F(Documents, TheDesignIsMarkedChangedExactlyWhenItDiffersFromItsFile) {
    using Act = std::function<void(QMDDocument*)>;
    const auto step = [](QMDDocument* d) { dvxtest::TrimmedWall(d->model()->itsCurLayer, 3), StoreUndo("Add Wall"); };
    const auto save = [this](QMDDocument* d) { ASSERT_TRUE(d->saveToFile(Path("mark.pro"))); };
    const auto undo = [](QMDDocument* d) { d->undoStack()->undo(); };
    const auto redo = [](QMDDocument* d) { d->undoStack()->redo(); };
    const auto offset = [](QMDDocument* d) {
        d->model()->itsDocState->snapOffset += 12;
        NoteSettingsSetWithoutStep(d->model());
    };
    const auto unwritten = [step](QMDDocument* d) { port::FailNextWriteAt(port::WriteStep::Create), step(d); };
    const auto lap = [step](QMDDocument* d) {
        for (int i = 0; i < gTotalUndos; ++i) step(d);
        while (d->undoStack()->canUndo()) d->undoStack()->undo();
    };
    // Typed into the Snap Tools' offset field, not entered: Close, Quit, Save, Save As, New,
    // Open, Open Recent and Revert enter it first.
    const auto typed = [](QMDDocument*) {
        SnapPaletteController* snap = SnapPaletteController::shared();
        snap->setSnapTool(507);
        snap->offsetText()->setFocus();
        snap->offsetText()->selectAll();
        QTest::keyClicks(snap->offsetText(), "7");
    };
    // New, Open and Open Recent replace the design in its window.
    const auto window = [](QMDDocument* d) { d->makeWindowControllers(); };
    // Their question about the entered value cancelled: the design keeps it.
    const auto newCancelled = [this](QMDDocument*) { alerts.answer(2), c->newDocument(); };
    const auto openCancelled = [this](QMDDocument*) {
        const size_t panels0 = panels.asked.size();
        panels.choose(Path("mark.pro")), alerts.answer(2), c->openDocument();
        if (panels.asked.size() == panels0) panels.beginOpenPanel({}, nullptr);  // the path no panel took
    };
    const auto recentCancelled = [this](QMDDocument* d) {
        ASSERT_TRUE(d->writeToFile(Path("other.pro"), false));
        alerts.answer(2), c->openDocumentWithContentsOfURL(Path("other.pro"));
    };
    // `again`: a Save writes again what the file holds (a read settles a few settings).
    struct Row { const char* name; std::vector<Act> acts; bool marked; bool again = false; };
    const Row rows[] = {
        {"saved", {}, false, true},
        {"a step", {step}, true},
        {"a step, saved, undone past, a new step", {step, save, undo, step}, true},
        {"saved, undone past, a setting", {step, save, undo, offset}, true},
        {"undone and redone back to the save", {step, save, undo, redo}, false, true},
        {"saved after an Undo", {step, undo, save}, false, true},
        {"redone and undone back to the save", {step, undo, save, redo, undo}, false, true},
        {"a setting, then undone and redone back to the save", {step, save, offset, undo, redo}, true},
        {"a setting set back as saved", {[offset](QMDDocument* d) {
             const float was = d->model()->itsDocState->snapOffset;
             offset(d), d->model()->itsDocState->snapOffset = was;
         }}, false},
        {"Save As", {step, [this](QMDDocument* d) { panels.choose(Path("as.pro")), c->saveDocumentAs(d); }}, false, true},
        {"a failed Save", {step, [](QMDDocument* d) { port::FailNextWriteAt(port::WriteStep::Create), d->saveToFile(d->fileName()); }}, true},
        {"Revert", {step, [this](QMDDocument* d) { alerts.answer(0), c->revertDocumentToSaved(d); }}, false},
        {"Open", {step, [this](QMDDocument* d) { ASSERT_TRUE(c->readDesignIntoDocument(d, Path("mark.pro"))); }}, false},
        {"New", {step, [](QMDDocument* d) { d->model()->reinitializeDocumentModel(); }}, false},
        {"a step whose snapshot could not be written", {unwritten}, true},
        {"saved, undone past, the north angle", {step, save, undo, [](QMDDocument*) { SetTrueNorthAngle(45); }}, true},
        {"saved, undone past, the lot", {step, save, undo, [](QMDDocument*) { SetLotSize(70, 90); }}, true},
        {"the saved position dropped off the ring's end", {lap}, true},
        {"dropped off, then saved", {lap, save}, false, true},
        {"a value typed into a field and not entered", {typed}, true},
        {"a value typed, then Save", {typed, [this](QMDDocument* d) { c->saveDocument(d); }}, false, true},
        {"a value typed, then Save As", {typed, [this](QMDDocument* d) { panels.choose(Path("as.pro")), c->saveDocumentAs(d); }}, false, true},
        {"a value typed, then New, cancelled", {window, typed, newCancelled}, true},
        {"a value typed, then Open, cancelled", {window, typed, openCancelled}, true},
        {"a value typed, then Open Recent, cancelled", {window, typed, recentCancelled}, true},
        {"a value typed, then Revert", {typed, [this](QMDDocument* d) { alerts.answer(0), c->revertDocumentToSaved(d); }}, false},
    };
    for (const Row& r : rows) {
        QMDDocument* d = WithWalls(1);
        save(d);
        for (const Act& act : r.acts) act(d);
        // Quit's question answered Cancel.
        dvxtest::RecordingAlerts quit;
        port::setAlerts(&quit);
        quit.answer(2);
        const bool closes = d->canCloseDocument();
        port::setAlerts(&alerts);
        EXPECT_EQ(std::tuple(d->isDocumentEdited(), !quit.shown.empty(), closes), std::tuple(r.marked, r.marked, !r.marked))
            << r.name;
        if (r.again) {
            ASSERT_TRUE(d->writeToFile(Path("again.pro"), false));
            EXPECT_EQ(dvxtest::ReadWholeFile(Path("again.pro")), dvxtest::ReadWholeFile(d->fileName())) << r.name;
        }
    }
}

// A design opened in its window and saved again keeps its bytes, the live view's fly-around
// camera among them (once read, as every read settles a few settings).
TEST_F(Documents, ADesignOpenedAndSavedAgainKeepsItsBytes) {
    QMDDocument* d = WithWalls(2);
    d->makeWindowControllers();
    ASSERT_TRUE(d->saveToFile(Path("new.pro")) && c->readDesignIntoDocument(d, Path("new.pro")));
    DocState* ds = d->model()->itsDocState;
    ds->cameraMode = 2, ds->flyValueA = 40, ds->flyAltitude = 1800;
    ASSERT_TRUE(d->saveToFile(Path("fly.pro")) && c->readDesignIntoDocument(d, Path("fly.pro")));
    EXPECT_EQ(d->model()->itsDocState->cameraMode, 2);
    ASSERT_TRUE(d->saveToFile(Path("again.pro")));
    EXPECT_EQ(dvxtest::ReadWholeFile(Path("again.pro")), dvxtest::ReadWholeFile(Path("fly.pro")));
}

TEST_F(Documents, ClosingAnEditedDocumentAsksToSave) {
    QMDDocument *untitled = WithWalls(1), *named = WithWalls(1);
    ASSERT_TRUE(named->saveToFile(Path("close.pro")));
    StoreUndo("Move");
    // Buttons: save, don't save, cancel; an untitled design saves through the panel.
    struct Row { QMDDocument* d; int answer; const char* panel; bool closes; bool edited; };
    for (const Row& r : {Row{named, 2, nullptr, false, true}, Row{named, 0, nullptr, true, false},
                         Row{untitled, 0, "", false, true}, Row{untitled, 1, nullptr, true, true},
                         Row{untitled, 0, "saved.pro", true, false}}) {
        alerts.answer(r.answer);
        if (r.panel) panels.choose(r.panel[0] ? Path(r.panel) : std::string());
        const bool closes = r.d->canCloseDocument();
        EXPECT_EQ(std::tuple(closes, r.d->isDocumentEdited()), std::tuple(r.closes, r.edited)) << r.answer << r.panel;
    }
    EXPECT_EQ(alerts.shown[2].alert.message, "Do you want to save the changes you made in the document Untitled?");
    EXPECT_TRUE(named->canCloseDocument());  // clean: no question
    EXPECT_EQ(std::tuple(alerts.shown.size(), untitled->displayName()), std::tuple(5u, "saved.pro"));
}

TEST_F(Documents, LaunchOpensTheNamedDesignSaveAsAsksWhereAndRecentFilesFollow) {
    ASSERT_TRUE(WithWalls(2)->saveToFile(Path("Plan.pro")));
    for (auto [args, title] : {std::pair(std::vector<std::string>{"--verbose", Path("Plan.pro")}, "Plan.pro"),
                               {{}, "Untitled"}, {{Path("gone.pro")}, "Untitled"}})
        EXPECT_EQ(c->openAtLaunch(args)->displayName(), title);
    ASSERT_EQ(alerts.shown.size(), 1u);
    EXPECT_EQ(alerts.shown[0].alert.message, "The document \"gone\" could not be loaded.");

    QMDDocument* plan = c->openAtLaunch({Path("Plan.pro")});
    plan->makeWindowControllers();
    auto& window = *static_cast<QMDWindowController*>(plan->windowController);
    EXPECT_EQ(window.windowTitle().remove("[*]"), "Plan.pro");
    EXPECT_EQ(std::tuple(window.saveAction()->shortcut(), window.saveAsAction()->shortcut()),
              std::tuple(QKeySequence("Ctrl+S"), QKeySequence("Ctrl+Shift+S")));
    ASSERT_TRUE(QFile::remove(QString::fromStdString(Path("Plan.pro"))));
    window.saveAction()->trigger();
    QMDDocument* again = c->openDocumentWithContentsOfFile(Path("Plan.pro"));
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(Walls(again), 2);

    QMDDocument* d = WithWalls(1);
    c->saveDocument(d);  // untitled: the panel, cancelled
    EXPECT_TRUE(d->isDocumentEdited());
    panels.choose(Path("first.pro"));
    c->saveDocument(d);
    EXPECT_EQ(std::tuple(d->displayName(), d->isDocumentEdited()), std::tuple("first.pro", false));
    panels.choose(Path("second.pro"));
    c->saveDocumentAs(d);
    StoreUndo("Move");
    c->saveDocument(d);  // named: no panel
    ASSERT_EQ(panels.asked.size(), 3u);
    EXPECT_EQ(std::tuple(panels.asked[0].fileName, panels.asked[2].fileName), std::tuple("Untitled.pro", "first.pro"));
    EXPECT_EQ(std::tuple(d->displayName(), d->isDocumentEdited()), std::tuple("second.pro", false));
    EXPECT_EQ(c->recentDocuments(),
              (std::vector<std::string>{Path("second.pro"), Path("first.pro"), Path("Plan.pro")}));
}

// The bounding box of the ink of `colour`.
QRect Ink(const QImage& page, QRgb colour) {
    QRect ink;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) ink |= page.pixel(x, y) == colour ? QRect(x, y, 1, 1) : QRect();
    return ink;
}

TEST_F(Documents, PrintsFittedOrToScaleAndGivesTheViewBack) {
    QMDDocument* d = c->openUntitledDocument();
    DocState* ds = d->model()->itsDocState;
    ds->planScale = 72.0f, ds->planColors[1] = {0, 0, 65535}, ds->planScaleChoice = 10, ds->units = kImperialUnits;
    dvxtest::Outline(objtype::kFloor, {{0, 0}, {1000, 0}, {1000, 300}, {0, 300}}).on(d->model()->itsCurLayer);
    ds->zoomFactor = 0.5f, ds->savedZoom = 0.4f, ds->printZoom = 0.3f, ds->viewOrigin = {9, 8, 7};
    gGlobalXOffset = 3;
    QImage page(500, 400, QImage::Format_RGB32);  // a point to a pixel
    page.fill(Qt::white);
    QPainter painter(&page);
    EXPECT_EQ(d->printPages(painter, QSizeF(500, 400), false, [] { return false; }), 1);
    painter.end();
    const float s = 500.0f / 1144.0f;
    const QRect ink = Ink(page, qRgb(0, 0, 255));
    for (auto [got, want] : {std::pair(ink.width(), 1000 * s), {ink.height(), 300 * s}, {ink.center().x(), 250.0f}})
        EXPECT_NEAR(got, want, 1.5);
    EXPECT_NEAR(ink.center().y(), 200, 1.5);
    EXPECT_EQ(std::tuple(ds->zoomFactor, ds->savedZoom, ds->printZoom, ds->viewOrigin.floatH, gGlobalXOffset),
              std::tuple(0.5f, 0.4f, 0.3f, 9.0f, 3.0f));
    EXPECT_EQ(std::tuple(d->savedZoom, gPrinting, gHPrintScale), std::tuple(0.5f, 0, 1.0f));

    QPdfWriter writer(QString::fromStdString(Path("plan.pdf")));
    writer.setPageSize(QPageSize(QSizeF(500, 500), QPageSize::Point));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    EXPECT_EQ(d->printTo(writer, true), 3);  // 1144 x 444 points at 1.0
}

TEST_F(Documents, PrintCommandShowsTheDialogAndCancelChangesNothing) {
    QMDDocument* d = WithWalls(1);
    d->makeWindowControllers();
    auto& window = *static_cast<QMDWindowController*>(d->windowController);
    const float zoom = d->model()->itsDocState->zoomFactor;
    bool shown = false;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget())) shown = true, dialog->reject();
    });
    window.printAction()->trigger();
    EXPECT_TRUE(shown);
    EXPECT_EQ(std::tuple(d->model()->itsDocState->zoomFactor, gPrinting), std::tuple(zoom, 0));
}

} // namespace

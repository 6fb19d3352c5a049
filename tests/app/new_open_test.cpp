// New and Open in the one document window: the design replaced in place, the question whether
// to save an edited one and each of its answers, damaged files, the file already shown.
#include <QComboBox>
#include <cstring>
#include <QTabBar>
#include <QUndoStack>
#include <gtest/gtest.h>

#include "app/app_controller.h"
#include "app/document.h"
#include "app/window_controller.h"
#include "files/content_paths.h"
#include "files/design_file.h"
#include "files/undo.h"
#include "model/document_model.h"
#include "port/files.h"
#include "port/qt/platform.h"
#include "support/build.h"
#include "support/doubles.h"
#include "support/fixture.h"
#include "support/records.h"

namespace dvxtest {
namespace {

class NewOpen : public ::testing::Test {
protected:
    void SetUp() override {
        AppController::destroyShared();
        ResetAllGlobals();
        root = FreshTempFolder("newopen");
        folders = std::make_unique<TempFolders>(root);
        port::setFolders(folders.get()), port::setAlerts(&alerts), port::setFileDialogs(&panels);
        port::setDocumentUndo(&undo);
        AppController::setSplashEnabled(false);
        AppController::initialize();
        c = AppController::shared()->documentController();
        d = c->openUntitledDocument();
        d->makeWindowControllers();
        w = static_cast<QMDWindowController*>(d->windowController);
        model = d->model();
    }
    void TearDown() override { AppController::destroyShared(), ResetAllGlobals(); }
    // `walls` walls added as edits, the document edited (or saved there when `file` is given).
    void Edit(int walls, const std::string& file = {}) {
        for (int i = 0; i < walls; ++i) TrimmedWall(model->itsCurLayer, 3), StoreUndo("Add Wall");
        if (!file.empty()) ASSERT_TRUE(d->saveToFile(file));
    }
    int Walls() const { return CountObjects(model->itsCurLayer->firstObject); }
    std::string Path(const char* name) const { return root + "/" + name; }
    // The snapshot files of the model with this ID in the temporary folder.
    int Snapshots(int32_t id) const {
        const std::string mark = "_" + std::to_string(id) + "_";
        int n = 0;
        for (const std::string& f : port::ListFolder(ApplicationTemporaryPath())) n += f.find(mark) != std::string::npos;
        return n;
    }
    // The model is the document's and current, its undo stack empty, its ring just started.
    void ExpectStartedOver() const {
        EXPECT_EQ(std::tuple(d->model(), gCurDocument, d->undoStack()->count(), d->isDocumentEdited()),
                  std::tuple(model, model, 0, false));
        EXPECT_TRUE(model->itsFirstUndo == model->itsCurrentUndo && model->itsLastUndo == model->itsCurrentUndo);
        EXPECT_EQ(std::tuple(w->docTabView()->currentIndex(), w->activeFloorTBPopUpButton()->currentText()),
                  std::tuple(1, QString("First Floor")));
    }
    std::string root;
    std::unique_ptr<TempFolders> folders;
    RecordingAlerts alerts;
    ScriptedFileDialogs panels;
    port::qt::QtDocumentUndo undo;
    QMDDocumentController* c = nullptr;
    QMDDocument* d = nullptr;
    QMDWindowController* w = nullptr;
    QMDDocumentModel* model = nullptr;
};

TEST_F(NewOpen, NewAsksAboutAnEditedDesignAndStartsOverInTheSameWindow) {
    // A clean window: an empty design at once, in the same model and window.
    Edit(2, Path("House.pro"));
    const int32_t id = model->itsDocID;
    const uint64_t serial = model->itsSerial;
    c->newDocument();
    EXPECT_EQ(std::tuple(Walls(), d->displayName(), alerts.shown.size(), model->itsDocID), std::tuple(0, "Untitled", 0u, id));
    EXPECT_NE(model->itsSerial, serial);
    ExpectStartedOver();

    const std::vector<uint8_t> saved = ReadWholeFile(Path("House.pro"));
    struct Row {
        const char* name;
        bool titled;
        int button;
        const char* chosen;        // in the save panel
        bool failWrite;
        bool startsOver;
        const char* writtenTo;     // the file the design was saved in, if any
    };
    for (const Row& r : {Row{"cancel", true, 2, "", false, false, nullptr},
                         Row{"don't save", true, 1, "", false, true, nullptr},
                         Row{"save", true, 0, "", false, true, "House.pro"},
                         Row{"save fails", true, 0, "", true, false, nullptr},
                         Row{"untitled, saved", false, 0, "Named.pro", false, true, "Named.pro"},
                         Row{"untitled, panel cancelled", false, 0, "", false, false, nullptr}}) {
        SCOPED_TRACE(r.name);
        port::WriteWholeFile(Path("House.pro"), saved.data(), saved.size());
        d->updateChangeCount(2);
        c->newDocument();
        if (r.titled) d->setFileName(Path("House.pro"));
        Edit(3);
        alerts.shown.clear(), panels.asked.clear();
        alerts.answer(r.button);
        if (!r.titled) panels.choose(*r.chosen ? Path(r.chosen) : "");
        if (r.failWrite) port::FailNextWriteAt(port::WriteStep::Rename);
        c->newDocument();
        ASSERT_FALSE(alerts.shown.empty());
        const port::Alert& ask = alerts.shown[0].alert;
        EXPECT_EQ(ask.message, r.titled ? "Do you want to save the changes you made in the document \"House\"?"
                                        : "Do you want to save the changes you made in the document Untitled?");
        EXPECT_EQ(ask.informative, "Your changes will be lost if you don't save them");
        EXPECT_EQ(ask.buttons, (std::vector<std::string>{r.titled ? "Save" : "Save...", "Don't Save", "Cancel"}));
        EXPECT_TRUE(alerts.shown[0].sheet);
        EXPECT_EQ(panels.asked.size(), r.titled ? 0u : 1u);
        if (!r.titled) EXPECT_EQ(std::tuple(panels.asked[0].fileName, panels.asked[0].extensions[0]), std::tuple("Untitled", "pro"));
        EXPECT_EQ(Walls(), r.startsOver ? 0 : 3);
        EXPECT_EQ(d->isDocumentEdited(), !r.startsOver);
        if (r.startsOver) ExpectStartedOver();
        // Saved before New: the file holds the three walls, and the new design is untitled.
        if (r.writtenTo) {
            QMDDocument* back = c->openDocumentWithContentsOfFile(Path(r.writtenTo));
            ASSERT_NE(back, nullptr);
            EXPECT_EQ(CountObjects(back->model()->itsCurLayer->firstObject), 3);
            c->removeDocument(back), delete back;
            gCurDocument = model;
            EXPECT_EQ(d->displayName(), "Untitled");
        }
        if (r.failWrite) {
            ASSERT_EQ(alerts.shown.size(), 2u);
            EXPECT_EQ(alerts.shown[1].alert.message, "The document \"House\" could not be saved as \"House\".");
            EXPECT_EQ(ReadWholeFile(Path("House.pro")), saved);
        }
    }
}

TEST_F(NewOpen, OpenReadsTheFileIntoTheSameModelOrKeepsTheDesignWhenItCannot) {
    Edit(2, Path("two.pro"));
    const std::vector<uint8_t> two = ReadWholeFile(Path("two.pro"));
    port::WriteWholeFile(Path("cut.pro"), two.data(), two.size() - 40);
    // Read whole but without its first floor: refused after the floors were read.
    std::strcpy(model->itsLayers->name, "Ground");
    ASSERT_NE(KeyFileWrite(Path("bad.pro").c_str()), 0);
    c->newDocument();
    Edit(1, Path("one.pro"));
    // Another design open in the same run keeps its snapshots.
    QMDDocument* other = c->openUntitledDocument();
    const int32_t otherID = other->model()->itsDocID, id = model->itsDocID;
    gCurDocument = model;

    // Damaged: an alert, and the design shown stays, titled and whole.
    alerts.shown.clear();
    panels.choose(Path("bad.pro"));
    c->openDocument();
    EXPECT_EQ(panels.asked.back().extensions, std::vector<std::string>{"pro"});
    ASSERT_EQ(alerts.shown.size(), 1u);
    EXPECT_EQ(alerts.shown[0].alert.message, "The document \"bad\" could not be loaded.");
    EXPECT_EQ(alerts.shown[0].alert.style, port::Alert::Style::Critical);
    EXPECT_EQ(std::tuple(Walls(), d->fileName(), d->model(), gCurDocument), std::tuple(1, Path("one.pro"), model, model));

    // A good file: named, clean, noted as recent; its first edit undoes back to the file.
    panels.choose(Path("two.pro"));
    c->openDocument();
    EXPECT_EQ(std::tuple(Walls(), d->fileName(), c->recentDocuments().front()), std::tuple(2, Path("two.pro"), Path("two.pro")));
    ExpectStartedOver();
    EXPECT_EQ(std::tuple(Snapshots(id), Snapshots(otherID)), std::tuple(1, 1));
    Edit(1);
    d->undoStack()->undo();
    EXPECT_EQ(std::tuple(Walls(), d->isDocumentEdited(), d->undoStack()->canUndo()), std::tuple(2, false, false));

    // Cut short: what it holds, untitled, with the warning.
    alerts.shown.clear();
    panels.choose(Path("cut.pro"));
    c->openDocument();
    EXPECT_EQ(d->displayName(), "Untitled");
    ASSERT_EQ(alerts.shown.size(), 1u);
    EXPECT_NE(alerts.shown[0].alert.message.find("incomplete"), std::string::npos);

    // Edited and untitled: Save asks for a name, and an empty one does nothing more.
    Edit(1);
    alerts.shown.clear(), panels.asked.clear();
    alerts.answer(0), panels.choose("");
    c->openDocument();
    EXPECT_EQ(alerts.shown[0].alert.informative, "Your changes will be lost if you don't save them.");
    EXPECT_EQ(std::tuple(panels.asked.size(), d->isDocumentEdited()), std::tuple(1u, true));
    // Don't Save shows the open panel; cancelled, the design is still edited.
    alerts.answer(1), panels.choose("");
    c->openDocument();
    EXPECT_EQ(std::tuple(panels.asked.size(), d->isDocumentEdited()), std::tuple(2u, true));
    // Saved under a name first: the design takes the name, then the file chosen is read.
    alerts.answer(0), panels.choose(Path("kept.pro")), panels.choose(Path("one.pro"));
    c->openDocument();
    EXPECT_EQ(std::tuple(Walls(), d->fileName()), std::tuple(1, Path("one.pro")));
    EXPECT_NE(ReadWholeFile(Path("kept.pro")).size(), 0u);

    // Revert to Saved asks, then reads the file again.
    Edit(2);
    alerts.answer(0);
    c->revertDocumentToSaved(d);
    EXPECT_EQ(std::tuple(Walls(), d->isDocumentEdited(), d->model()), std::tuple(1, false, model));
}

TEST_F(NewOpen, AGivenFileIsReadOnceAskedAndTheOneShownIsNotReadAgain) {
    Edit(1, Path("house.pro"));
    Edit(2, Path("House.pro"));
    c->openDocumentWithContentsOfURL(Path("house.pro"));
    ASSERT_EQ(Walls(), 1);
    // The file shown, by another spelling of its path: returned, not read.
    TrimmedWall(model->itsCurLayer, 3);
    EXPECT_EQ(c->openDocumentWithContentsOfURL(root + "/./house.pro"), d);
    EXPECT_EQ(Walls(), 2);
    // Another case is another file.
    EXPECT_EQ(c->openDocumentWithContentsOfURL(Path("House.pro")), d);
    EXPECT_EQ(std::tuple(Walls(), d->fileName(), d->model()), std::tuple(3, Path("House.pro"), model));

    // Edited: the path waits for the answer; Cancel reads nothing, Don't Save reads it.
    Edit(1);
    alerts.answer(2);
    EXPECT_EQ(c->openDocumentWithContentsOfURL(Path("house.pro")), d);
    EXPECT_EQ(std::tuple(c->candidatePath(), Walls(), alerts.shown.back().sheet), std::tuple(Path("house.pro"), 4, true));
    alerts.answer(1);
    c->openDocumentWithContentsOfURL(Path("house.pro"));
    EXPECT_EQ(std::tuple(Walls(), d->fileName(), d->undoStack()->count()), std::tuple(1, Path("house.pro"), 0));
    ExpectStartedOver();

    // A file that cannot be read: an alert, and the design stays.
    alerts.shown.clear();
    EXPECT_EQ(c->openDocumentWithContentsOfURL(Path("missing.pro")), nullptr);
    ASSERT_EQ(alerts.shown.size(), 1u);
    EXPECT_EQ(alerts.shown[0].alert.message, "The document \"missing\" could not be loaded.");
    EXPECT_EQ(std::tuple(Walls(), d->fileName(), gCurDocument), std::tuple(1, Path("house.pro"), model));
    // Edited, saved to its own file first, then a failed read: saved, clean, still shown.
    Edit(1);
    alerts.answer(0);
    c->openDocumentWithContentsOfURL(Path("missing.pro"));
    EXPECT_EQ(std::tuple(Walls(), d->isDocumentEdited(), alerts.shown.back().alert.message),
              std::tuple(2, false, std::string("The document \"missing\" could not be loaded.")));
}

} // namespace
} // namespace dvxtest

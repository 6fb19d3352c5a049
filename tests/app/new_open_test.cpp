// New and Open in the one window: the design replaced in place, the save question's answers.
#include <QComboBox>
#include <QTabBar>
#include <QUndoStack>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <QElapsedTimer>
#include <gtest/gtest.h>

#include "app/app_controller.h"
#include "app/window_controller.h"
#include "design_generator.h"
#include "files/design_file.h"
#include "files/undo.h"
#include "model/docstate.h"
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
        AppController::destroyShared(), ResetAllGlobals();
        port::setFolders(&folders), port::setAlerts(&alerts), port::setFileDialogs(&panels), port::setDocumentUndo(&undo);
        AppController::setSplashEnabled(false), AppController::initialize();
        c = AppController::shared()->documentController();
        (d = c->openUntitledDocument())->makeWindowControllers();
        w = static_cast<QMDWindowController*>(d->windowController), m = d->model();
    }
    void TearDown() override { AppController::destroyShared(), ResetAllGlobals(); }
    void Edit(int walls) { while (walls--) TrimmedWall(m->itsCurLayer, 3), StoreUndo("Add Wall"); }
    int Walls() const { return CountObjects(m->itsCurLayer->firstObject); }
    std::string Path(const std::string& name) const { return root + "/" + name; }
    // The same model, current, clean, no undo step, its ring restarted, the window reset.
    void ExpectStartedOver() const {
        EXPECT_EQ(std::tuple(d->model(), gCurDocument, d->undoStack()->count(), d->isDocumentEdited()), std::tuple(m, m, 0, false));
        EXPECT_TRUE(m->itsFirstUndo == m->itsCurrentUndo && m->itsLastUndo == m->itsCurrentUndo);
        EXPECT_EQ(std::tuple(w->docTabView()->currentIndex(), w->activeFloorTBPopUpButton()->currentText()), std::tuple(1, QString("First Floor")));
    }
    std::string root = FreshTempFolder("newopen");
    TempFolders folders{root};
    RecordingAlerts alerts;
    ScriptedFileDialogs panels;
    port::qt::QtDocumentUndo undo;
    QMDDocumentController* c = nullptr;
    QMDDocument* d = nullptr;
    QMDWindowController* w = nullptr;
    QMDDocumentModel* m = nullptr;
};

TEST_F(NewOpen, NewAsksAboutAnEditedDesignThenStartsOverInTheSameModel) {
    struct Row { const char* title; int button; const char* chosen; bool failWrite; int walls; const char* savedIn; };
    for (const Row& r : {Row{"House", 2, "", false, 3, ""}, Row{"House", 1, "", false, 0, ""}, Row{"House", 0, "", false, 0, "House.pro"},
                         Row{"House", 0, "", true, 3, ""}, Row{"", 0, "Named.pro", false, 0, "Named.pro"}, Row{"", 0, "", false, 3, ""}}) {
        SCOPED_TRACE(std::string(r.title) + r.chosen + std::to_string(r.button) + std::to_string(r.failWrite));
        d->updateChangeCount(2), c->newDocument();
        if (*r.title) d->setFileName(Path("House.pro"));
        Edit(3), alerts.shown.clear(), alerts.answer(r.button);
        if (!*r.title) panels.choose(*r.chosen ? Path(r.chosen) : "");
        if (r.failWrite) port::FailNextWriteAt(port::WriteStep::Rename);
        c->newDocument();
        EXPECT_EQ(alerts.shown.at(0).alert.message, *r.title ? "Do you want to save the changes you made in the document \"House\"?"
                                                             : "Do you want to save the changes you made in the document Untitled?");
        EXPECT_EQ(std::tuple(alerts.shown[0].sheet, alerts.shown[0].alert.informative, alerts.shown[0].alert.buttons[0]),
                  std::tuple(true, "Your changes will be lost if you don't save them", *r.title ? "Save" : "Save..."));
        EXPECT_EQ(std::tuple(Walls(), d->isDocumentEdited()), std::tuple(r.walls, r.walls > 0));
        if (!r.walls) ExpectStartedOver();
        if (!r.walls) { EXPECT_EQ(d->displayName(), "Untitled"); }
        if (*r.savedIn) { EXPECT_TRUE(port::FileExists(Path(r.savedIn))); }
        if (r.failWrite) { EXPECT_EQ(alerts.shown.back().alert.message, "The document \"House\" could not be saved as \"House\"."); }
        port::RemoveFile(Path("House.pro")), port::RemoveFile(Path("Named.pro"));
    }
}

TEST_F(NewOpen, OpenReadsIntoTheSameModelOrKeepsTheDesignAndAGivenFileIsAskedFor) {
    Edit(1);
    ASSERT_TRUE(d->saveToFile(Path("house.pro")));
    Edit(1);
    ASSERT_TRUE(d->saveToFile(Path("House.pro")));
    std::strcpy(m->itsLayers->name, "Ground");  // read whole, then refused for its missing floor
    ASSERT_NE(KeyFileWrite(Path("bad.pro").c_str()), 0);
    std::strcpy(m->itsLayers->name, "First Floor");
    const int32_t id = m->itsDocID;
    for (const char* bad : {"bad.pro", "missing.pro"}) {
        alerts.shown.clear(), panels.choose(Path(bad)), c->openDocument();
        EXPECT_EQ(std::tuple(alerts.shown.size(), alerts.shown[0].alert.message), std::tuple(1u, "The document \"" + DocumentBaseName(bad) + "\" could not be loaded."));
        EXPECT_EQ(std::tuple(Walls(), d->fileName(), gCurDocument), std::tuple(2, Path("House.pro"), m));
    }
    panels.choose(Path("house.pro")), c->openDocument();
    EXPECT_EQ(std::tuple(Walls(), d->fileName(), c->recentDocuments()[0], m->itsDocID), std::tuple(1, Path("house.pro"), Path("house.pro"), id));
    ExpectStartedOver();
    Edit(1), d->undoStack()->undo();
    EXPECT_EQ(std::tuple(Walls(), d->isDocumentEdited(), d->undoStack()->canUndo()), std::tuple(1, false, false));
    // The file shown, by another spelling, is not read again; another case is another file.
    TrimmedWall(m->itsCurLayer, 3);
    EXPECT_EQ(c->openDocumentWithContentsOfURL(root + "/./house.pro"), d);
    EXPECT_EQ(Walls(), 2);
    EXPECT_EQ(c->openDocumentWithContentsOfURL(Path("House.pro")), d);
    EXPECT_EQ(d->fileName(), Path("House.pro"));
    // Edited: asked; Cancel keeps the path waiting, Don't Save reads it.
    Edit(1), alerts.answer(2), c->openDocumentWithContentsOfURL(Path("house.pro"));
    EXPECT_EQ(std::tuple(c->candidatePath(), Walls(), alerts.shown.back().alert.informative),
              std::tuple(Path("house.pro"), 3, "Your changes will be lost if you don't save them."));
    alerts.answer(1), c->openDocumentWithContentsOfURL(Path("house.pro"));
    EXPECT_EQ(std::tuple(Walls(), d->fileName()), std::tuple(1, Path("house.pro")));
    // Untitled and edited before Open: an empty name in the save panel does nothing more.
    d->setFileName(""), Edit(1), panels.asked.clear(), alerts.answer(0), panels.choose(""), c->openDocument();
    EXPECT_EQ(std::tuple(panels.asked.size(), d->isDocumentEdited()), std::tuple(1u, true));
}

// The process's resident memory, in kB, as the system counts it.
long ResidentKb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return 0;
}

// A design read over another is read beside it, so a failed read keeps the shown one; the
// design it replaces then lies freed below the new one. Opening a second copy of a large
// design leaves the process within a tenth of its size after the first open, again and again.
TEST_F(NewOpen, OpeningALargeDesignAgainHoldsNoMoreMemoryThanOpeningItOnce) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's allocator keeps freed memory on purpose";
#endif
    {
        QMDDocumentModel* big = dvxbench::NewGeneratedDocument({10000, 1});
        ASSERT_NE(big, nullptr);
        ASSERT_NE(KeyFileWrite(Path("a.pro").c_str()), 0);
        std::filesystem::copy_file(Path("a.pro"), Path("b.pro"));
        big->dealloc();
    }
    gCurDocument = m;
    ASSERT_EQ(c->openDocumentWithContentsOfURL(Path("a.pro")), d);
    const long once = ResidentKb();
    for (const char* again : {"b.pro", "a.pro", "b.pro"}) {
        ASSERT_EQ(c->openDocumentWithContentsOfURL(Path(again)), d);
        EXPECT_EQ(d->fileName(), Path(again));
        EXPECT_LE(ResidentKb(), once + once / 10) << again << " after " << once << " kB";
    }
}

// A topography file once hung the program when a design naming it was opened (a deck on it
// whose curved railing walked without end). Opened with the design that names it, it is read
// in well under a second; opened itself, it is no design and is refused as fast, the design
// shown staying as it was.
TEST_F(NewOpen, ADamagedTopographyIsReadOrRefusedAtOnce) {
    const std::string topo = Path("hang.topo");
    std::filesystem::copy_file(DVX_FUZZ_CORPUS "/fuzz_topo/regressions/hang-curved-deck-railing", topo);
    TrimmedWall(m->itsCurLayer, 3);
    std::snprintf(m->itsDocState->topoFilePath, sizeof m->itsDocState->topoFilePath, "%s", topo.c_str());
    ASSERT_NE(KeyFileWrite(Path("naming.pro").c_str()), 0);
    Edit(1), d->updateChangeCount(2);
    QElapsedTimer took;
    took.start();
    ASSERT_EQ(c->openDocumentWithContentsOfURL(Path("naming.pro")), d);
    EXPECT_LT(took.elapsed(), 1000);
    EXPECT_EQ(std::tuple(d->fileName(), Walls(), alerts.shown.size()), std::tuple(Path("naming.pro"), 1, 0u));
    Edit(1), d->updateChangeCount(2);
    took.restart();
    c->openDocumentWithContentsOfURL(topo);
    EXPECT_LT(took.elapsed(), 1000);
    ASSERT_EQ(alerts.shown.size(), 1u);
    EXPECT_EQ(alerts.shown[0].alert.message, "The document \"hang\" could not be loaded.");
    EXPECT_EQ(std::tuple(d->fileName(), Walls(), gCurDocument), std::tuple(Path("naming.pro"), 2, m));
}

} // namespace
} // namespace dvxtest

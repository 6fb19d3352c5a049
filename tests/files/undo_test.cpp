// Snapshot undo: the ring of 25 slots, action names and change counts, failures to store or
// restore a snapshot, and what a restore brings back.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/core/main_window_seams.h"
#include "files/content_paths.h"
#include "files/design_file.h"
#include "files/design_fixtures.h"
#include "files/trace_image.h"
#include "files/undo.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "plan/refresh_seams.h"
#include "port/files.h"
#include "support/doubles.h"
#include "support/fixture.h"
#include "support/model_builders.h"

using namespace dvxtest;

namespace {

class UndoTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        ASSERT_TRUE(MakeApplicationTemporaryFolder());
        port::setAlerts(&alerts);
        port::setDocumentUndo(&undo);
        gUndoActive = 1;
        InitializeUndo();
    }
    void TearDown() override {
        port::setAlerts(nullptr);
        port::setDocumentUndo(nullptr);
        DocumentTest::TearDown();
    }
    Layer* first() { return GetLayerFromName("First Floor"); }
    // One edit: a new shape on the first floor, then its snapshot.
    Objex* Edit(const char* name = "Edit") {
        Objex* o = NewObjectOn(first(), 9);
        AddPoints(o, 3);
        StoreUndo(name);
        return o;
    }
    int SnapshotFiles() const { return static_cast<int>(port::ListFolder(ApplicationTemporaryPath()).size()); }

    RecordingAlerts alerts;
    RecordingUndo undo;
};

TEST_F(UndoTest, TheRingHoldsTwentyFiveSnapshots) {
    EXPECT_EQ(doc->itsFirstUndo, 1);
    EXPECT_EQ(doc->itsCurrentUndo, 1);
    EXPECT_EQ(doc->itsLastUndo, 1);
    EXPECT_TRUE(port::FileExists(UndoSnapshotPath(1)));
    DoUndo();
    EXPECT_EQ(doc->itsCurrentUndo, 1);
    EXPECT_EQ(CountObjects(first()->firstObject), 0);

    for (int i = 0; i < 30; ++i) Edit();
    EXPECT_EQ(doc->itsFirstUndo, 7);
    EXPECT_EQ(doc->itsCurrentUndo, 6);
    EXPECT_EQ(doc->itsLastUndo, 6);
    EXPECT_EQ(SnapshotFiles(), 25);

    // Undo walks back to the oldest snapshot kept and no further.
    for (int i = 0; i < 30; ++i) DoUndo();
    EXPECT_EQ(doc->itsCurrentUndo, 7);
    EXPECT_EQ(CountObjects(first()->firstObject), 6);
    EXPECT_EQ(gUndoActive, 1);
    EXPECT_EQ(CountUndos(7, 6), 25);
    EXPECT_EQ(CountUndos(0, 6), 0);
}

TEST_F(UndoTest, UndoRedoAndANewEditDropsTheRedo) {
    std::vector<int32_t> floors;
    SetSelectActiveFloorPopUpItemHandler([&](int32_t tag) { floors.push_back(tag); });
    int redraws = 0;
    SetRefreshHandler([&] { ++redraws; });
    Edit("One");
    Edit("Two");
    Edit("Three");
    EXPECT_EQ(CountObjects(first()->firstObject), 3);

    DoUndo();
    DoUndo();
    EXPECT_EQ(doc->itsCurrentUndo, 2);
    EXPECT_EQ(CountObjects(first()->firstObject), 1);
    EXPECT_EQ(floors, (std::vector<int32_t>{5275, 5275}));
    EXPECT_EQ(redraws, 2);
    DoRedo();
    EXPECT_EQ(CountObjects(first()->firstObject), 2);
    DoUndo();

    Edit("Four");
    EXPECT_EQ(doc->itsCurrentUndo, 3);
    EXPECT_EQ(doc->itsLastUndo, 3);
    DoRedo();
    EXPECT_EQ(doc->itsCurrentUndo, 3);
    EXPECT_EQ(CountObjects(first()->firstObject), 2);
}

TEST_F(UndoTest, ActionNamesAndChangeCounts) {
    // The initial snapshot names nothing.
    EXPECT_TRUE(undo.actionNames.empty());
    undo.undoable = true;
    Edit("Move/Resize");
    EXPECT_EQ(undo.actionNames, (std::vector<std::string>{"Move/Resize"}));
    EXPECT_EQ(undo.removals, 0);
    undo.redoable = true;
    Edit("Rotate");
    EXPECT_EQ(undo.removals, 1);
    undo.undoing = true;
    Edit("Ignored");
    EXPECT_EQ(undo.actionNames.size(), 2u);
    StoreUndo(" ");
    EXPECT_EQ(undo.actionNames.size(), 2u);
    EXPECT_EQ(undo.changes, 0);

    // Snapshots off: one change recorded and nothing written.
    const int files = SnapshotFiles();
    const auto before = doc->itsCurrentUndo;
    gUndoActive = 0;
    Edit("Line Tool");
    EXPECT_EQ(undo.changes, 1);
    EXPECT_EQ(SnapshotFiles(), files);
    EXPECT_EQ(doc->itsCurrentUndo, before);
    StoreUndo(" ");
    EXPECT_EQ(undo.changes, 1);
}

TEST_F(UndoTest, ASnapshotThatCannotBeWrittenKeepsTheRing) {
    Edit();
    Edit();
    const int32_t current = doc->itsCurrentUndo;
    port::FailNextWriteAt(port::WriteStep::Create);
    Edit("Lost");
    EXPECT_EQ(doc->itsFirstUndo, 1);
    EXPECT_EQ(doc->itsCurrentUndo, current);
    EXPECT_EQ(doc->itsLastUndo, current);
    ASSERT_EQ(alerts.shown.size(), 1u);
    EXPECT_EQ(alerts.shown[0].alert.message, "Unable to store the undo state.");
    EXPECT_EQ(alerts.shown[0].alert.informative, "Please ensure that adequate disk space exists on your hard drive.");
    EXPECT_TRUE(alerts.shown[0].sheet);
    EXPECT_EQ(gFileWriteFailed, 1);
    EXPECT_EQ(undo.actionNames.size(), 2u);
}

// Snapshots are scratch files: a failing sync cannot touch them, while a saved design still
// syncs (and fails with it).
TEST_F(UndoTest, SnapshotsAreWrittenWithoutSyncSavedDesignsWithIt) {
    port::FailNextWriteAt(port::WriteStep::Sync);
    Edit();
    EXPECT_TRUE(alerts.shown.empty());
    EXPECT_EQ(gFileWriteFailed, 0);
    const std::string saved = ApplicationTemporaryPath() + "/saved.pro";
    EXPECT_EQ(KeyFileWrite(saved.c_str()), 0);
    EXPECT_FALSE(port::FileExists(saved));
}

TEST_F(UndoTest, ASnapshotThatCannotBeReadTurnsUndoOff) {
    Edit();
    Edit();
    ASSERT_TRUE(port::RemoveFile(UndoSnapshotPath(2)));
    DoUndo();
    EXPECT_EQ(doc->itsCurrentUndo, 3);
    EXPECT_EQ(gUndoActive, 0);
    ASSERT_EQ(alerts.shown.size(), 1u);
    EXPECT_EQ(alerts.shown[0].alert.message, "Unable to restore the undo state.");
    EXPECT_EQ(CountObjects(first()->firstObject), 2);
    DoUndo();
    EXPECT_EQ(alerts.shown.size(), 1u);
}

TEST_F(UndoTest, ARestoreKeepsTheZoomAndReloadsTheTraceImage) {
    FakeImageDecoder images;
    port::DecodedImage picture;
    picture.width = 1;
    picture.height = 2;
    picture.rgb = {1, 2, 3, 4, 5, 6};
    images.add("/plans/trace.png", picture);
    port::setImageDecoder(&images);

    DocState* ds = doc->itsDocState;
    std::strcpy(ds->traceImagePath, "/plans/trace.png");
    ds->traceImageShown = 1;
    Edit();
    ds->traceImagePath[0] = 0;
    ds->zoomFactor = 4.0f;
    ds->savedZoom = 2.5f;
    Edit();

    DoUndo();
    ds = doc->itsDocState;
    EXPECT_EQ(ds->zoomFactor, 4.0f);
    EXPECT_EQ(ds->savedZoom, 2.5f);
    EXPECT_EQ(ds->trackingValue, 1);
    EXPECT_STREQ(ds->traceImagePath, "/plans/trace.png");
    auto* trace = dynamic_cast<TraceImage*>(doc->itsTraceImage);
    ASSERT_NE(trace, nullptr);
    // Flipped: the decoder's bottom row comes last.
    EXPECT_EQ(trace->image.rgb, (std::vector<uint8_t>{4, 5, 6, 1, 2, 3}));

    // A trace image that can no longer be loaded is given up.
    Edit();
    std::strcpy(doc->itsDocState->traceImagePath, "/plans/gone.png");
    Edit();
    std::strcpy(doc->itsDocState->traceImagePath, "/plans/other.png");
    Edit();
    DoUndo();
    EXPECT_EQ(doc->itsTraceImage, nullptr);
    EXPECT_EQ(doc->itsDocState->traceImagePath[0], 0);
    EXPECT_EQ(doc->itsDocState->traceImageShown, 0);
    port::setImageDecoder(nullptr);
}

TEST_F(UndoTest, AWallInsideAGroupKeepsItsDoorThroughASnapshot) {
    Objex* group = NewObjectOn(first(), objtype::kGroup);
    Objex* wall = MakeWall(first(), 3);
    AddOpening(wall, objtype::kDoor, 500, 0);
    UnlinkObject(wall);
    wall->layer = first();
    AppendChildToObject(wall, group);
    StoreUndo("Group");
    Edit();
    DoUndo();
    Objex* readWall = first()->firstObject->firstChild;
    ASSERT_NE(readWall, nullptr);
    ASSERT_NE(readWall->firstChild, nullptr);
    EXPECT_EQ(readWall->firstChild->type, objtype::kDoor);
}

}  // namespace

// What start-up leaves behind: the support folder's verdict on undo, the line buffer, the fonts.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "app/core/preference_keys.h"
#include "app/core/startup.h"
#include "files/content_paths.h"
#include "files/undo.h"
#include "model/preferences.h"
#include "model/tool_defaults.h"
#include "plan/plan_lines.h"
#include "port/files.h"
#include "port/session_folders.h"
#include "support/doubles.h"
#include "support/fixture.h"

#include <sys/wait.h>
#include <unistd.h>

namespace {

using Startup = dvxtest::ServicesTest;

TEST_F(Startup, AnUnusableSupportFolderTurnsUndoOffWithOneMessage) {
    struct Row { const char* name; bool link; bool undoPref; bool undoAfter; size_t messages; };
    const Row rows[] = {{"made", false, true, true, 0},
                        {"made-undo-off", false, false, false, 0},
                        {"symlink", true, true, false, 1}};
    for (const Row& r : rows) {
        dvxtest::ResetAllGlobals();
        dvxtest::TempFolders folders(dvxtest::FreshTempFolder(r.name));
        port::setFolders(&folders);
        dvxtest::RecordingAlerts alerts;
        port::setAlerts(&alerts);
        RegisterPreferenceDefaults(false);
        port::defaults().setBool("UndoEnabled", r.undoPref);
        if (r.link) {
            std::filesystem::create_directories(folders.temporaryBase() + "/elsewhere");
            std::filesystem::create_directory_symlink(folders.temporaryBase() + "/elsewhere",
                                                      ApplicationTemporaryPath());
        }
        InitializeSupportPath();
        InitializeSupportPath();
        EXPECT_EQ(NewDocumentUndoEnabled(), r.undoAfter) << r.name;
        EXPECT_EQ(alerts.shown.size(), r.messages) << r.name;
        EXPECT_EQ(std::filesystem::is_directory(std::filesystem::symlink_status(ApplicationTemporaryPath())), !r.link)
            << r.name;
        port::setAlerts(nullptr);
        port::setFolders(nullptr);
    }
}

// A session killed earlier left its folder (snapshots, a note of the temporary its save was
// writing beside a design): start-up removes them and puts this session's snapshots in a
// folder of its own.
TEST_F(Startup, StartUpRemovesAKilledSessionsFilesAndKeepsItsOwnSnapshotsApart) {
    dvxtest::TempFolders folders(dvxtest::FreshTempFolder("killed"));
    port::setFolders(&folders);
    const std::string support = ApplicationTemporaryPath();
    ASSERT_TRUE(MakeApplicationTemporaryFolder());
    const pid_t gone = ::fork();
    if (gone == 0) ::_exit(0);
    ASSERT_GT(gone, 0);
    ::waitpid(gone, nullptr, 0);
    const std::string dead = port::JoinPath(support, "session-" + std::to_string(gone));
    const std::string snapshot = port::JoinPath(dead, "com.dedarovozurev.dovranix_1100_0_1_1.dat");
    const std::string temporary = port::JoinPath(folders.temporaryBase(), ".house.pro.tmp12345678");
    ASSERT_TRUE(port::MakeFolder(dead));
    ASSERT_TRUE(port::WriteWholeFile(port::JoinPath(dead, "lock"), "", 0));
    ASSERT_TRUE(port::WriteWholeFile(snapshot, "snapshot", 8));
    ASSERT_TRUE(port::WriteWholeFile(port::JoinPath(dead, "temp-0"), temporary.data(), temporary.size()));
    ASSERT_TRUE(port::WriteWholeFile(temporary, "half a design", 13));

    InitializeSupportPath();
    EXPECT_FALSE(std::filesystem::exists(dead));
    EXPECT_FALSE(std::filesystem::exists(temporary));
    const std::string own = port::JoinPath(support, "session-" + std::to_string(::getpid()));
    EXPECT_EQ(port::SessionFolder(), own);
    EXPECT_EQ(UndoSnapshotFolder(), own);
    port::CloseSessionFolder();
    EXPECT_EQ(UndoSnapshotFolder(), support);
    port::setFolders(nullptr);
}

TEST_F(Startup, GlobalsHoldTheLineBufferMasksAndTwoFontsDifferingInHeight) {
    gToolsetOptions = 0, gLiveViewOptions = 0;
    InitializeApplicationGlobals();
    ASSERT_NE(gAcclLineBuffer, nullptr);
    EXPECT_EQ(gAcclLinePointCap, 1000);
    EXPECT_EQ(gToolsetOptions, 6911);
    EXPECT_EQ(gLiveViewOptions, 1023);
    EXPECT_EQ(gCurFontInfo.lfHeight, -16);
    EXPECT_EQ(gTextFontInfo.lfHeight, -28);
    LOGFONT plan = gCurFontInfo;
    plan.lfHeight = gTextFontInfo.lfHeight;
    EXPECT_EQ(std::memcmp(&plan, &gTextFontInfo, sizeof plan), 0);
    EXPECT_STREQ(gTextFontInfo.lfFaceName, "Arial");
    EXPECT_EQ(gRorozErudPath, "");
}

}  // namespace

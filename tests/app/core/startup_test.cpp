// What start-up leaves behind: the support folder's verdict on undo, the line buffer, the fonts.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "app/core/preference_keys.h"
#include "app/core/startup.h"
#include "files/content_paths.h"
#include "model/preferences.h"
#include "model/tool_defaults.h"
#include "plan/plan_lines.h"
#include "support/doubles.h"
#include "support/fixture.h"

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

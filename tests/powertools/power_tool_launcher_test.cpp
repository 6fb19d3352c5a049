// The launcher window offscreen, and a design closed under a running tool.
#include "powertools/power_tool_launcher.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/app_controller.h"
#include "powertools/core/plugin_list_seams.h"
#include "powertools/core/power_tool_dispatcher.h"
#include "support/doubles.h"
#include "support/fixture.h"
#include "support/powertool_builder.h"

using namespace dvxtest;

namespace {

class Launcher : public ::testing::Test {
protected:
    void SetUp() override {
        AppController::destroyShared(), ResetAllGlobals();
        folders = std::make_unique<TempFolders>(FreshTempFolder("launcher"));
        port::setFolders(folders.get()), port::setAlerts(&alerts), port::setImageDecoder(&pictures);
        AppController::setSplashEnabled(false);
    }
    void TearDown() override { AppController::destroyShared(), ResetAllGlobals(), port::setImageDecoder(nullptr); }
    QMDDocument* Start() { return AppController::shared()->documentController()->openUntitledDocument(); }
    static PowerToolEntry* Entry(int32_t id) { return PowerToolDispatcher::sharedPowerToolDispatcher()->powerToolEntryForID(id); }
    static PowerToolLauncherController* launcher() { return PowerToolLauncherController::sharedPowerToolLauncherController(); }
    static std::pair<bool, bool> ButtonsFor(int row) {
        launcher()->ptEntryTableView->setCurrentRow(row);
        return {launcher()->launchButton->isEnabled(), launcher()->closePowerToolButton->isEnabled()};
    }

    std::unique_ptr<TempFolders> folders;
    RecordingAlerts alerts;
    PpmImageDecoder pictures;
};

TEST_F(Launcher, RowsAndButtonsFollowTheLocks) {
    Start();
    EXPECT_EQ(launcher()->ptEntryTableView->count(), 0);
    PowerToolLauncherController::destroyShared(), AppController::destroyShared();

    InstallPowerTool("a.PEG", {.name = "Deck Designer", .id = "120"}, "/bin/true");
    InstallPowerTool("b.PEG", {.directory = "Photo", .appID = "photo", .id = "109"}, "/bin/true");
    QMDDocument* d = Start();
    ASSERT_EQ(launcher()->ptEntryTableView->count(), 2);
    ASSERT_TRUE(LaunchPowerTool(109));
    EXPECT_EQ(launcher()->ptEntryControllers()[1]->ptStatusText->text(), "Running");
    EXPECT_EQ(ButtonsFor(1), std::pair(false, false));
    EXPECT_EQ(ButtonsFor(0), std::pair(true, false));
    // A running row: a double click starts nothing, and nothing is said.
    Entry(120)->setPlugInAvailable(false);
    launcher()->updateButtonStates();
    EXPECT_EQ(ButtonsFor(0), std::pair(false, true));
    launcher()->doubleClickLaunchPowerTool();
    EXPECT_TRUE(alerts.shown.empty());

    SetPowerToolLauncherRunModalHandler([](PowerToolLauncherController* l) {
        QTimer::singleShot(0, l->cancelButton, &QPushButton::click);
        return l->exec();
    });
    EXPECT_EQ(PowerToolLauncherController::showModal(), -1);
    SetPowerToolLauncherRunModalHandler(nullptr);

    // Closing the design whose tool still runs frees the tool.
    AppController::shared()->documentController()->removeDocument(d);
    delete d;
    EXPECT_TRUE(Entry(109)->plugInAvailable());
}

}  // namespace

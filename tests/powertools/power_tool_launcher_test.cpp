// The launcher window offscreen, and a document closed under a running tool.
#include "powertools/power_tool_launcher.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/app_controller.h"
#include "model/document_model.h"
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
        AppController::initialize();
    }
    void TearDown() override {
        SetPowerToolLauncherRunModalHandler(nullptr);
        AppController::destroyShared(), ResetAllGlobals();
        port::setImageDecoder(nullptr);
    }
    // The program as it starts: the registry read, one untitled design.
    QMDDocument* Start() { return AppController::shared()->documentController()->openUntitledDocument(); }
    PowerToolEntry* Entry(int32_t id) { return PowerToolDispatcher::sharedPowerToolDispatcher()->powerToolEntryForID(id); }
    static PowerToolLauncherController* launcher() { return PowerToolLauncherController::sharedPowerToolLauncherController(); }
    static QString Texts(int row) {
        const PowerToolEntryController* c = launcher()->ptEntryControllers()[size_t(row)];
        return c->ptNameText->text() + "|" + c->ptStatusText->text() + "|" + c->ptDescriptionText->text();
    }
    static std::pair<bool, bool> Buttons() {
        return {launcher()->launchButton->isEnabled(), launcher()->closePowerToolButton->isEnabled()};
    }

    std::unique_ptr<TempFolders> folders;
    RecordingAlerts alerts;
    PpmImageDecoder pictures;
};

// Rows, their states and the buttons as tools are locked; Cancel ends the run with -1.
TEST_F(Launcher, RowsAndButtonsFollowTheLocks) {
    Start();
    EXPECT_EQ(launcher()->ptEntryTableView->count(), 0);
    PowerToolLauncherController::destroyShared();
    AppController::destroyShared();

    InstallPowerTool("a.PEG", {.name = "Deck Designer", .id = "120"}, "/bin/true");
    InstallPowerTool("b.PEG", {.directory = "Photo", .name = "Photo", .description = "", .appID = "photo", .id = "109"},
                     "/bin/true");
    Start();
    ASSERT_EQ(launcher()->ptEntryTableView->count(), 2);
    EXPECT_EQ(Texts(0), "Deck Designer|Available|Designs decks");
    EXPECT_EQ(Texts(1), "Photo|Available|");
    const QImage picture = launcher()->ptEntryControllers()[0]->ptImageView->pixmap().toImage();
    EXPECT_EQ(std::pair(picture.pixelColor(1, 0), picture.pixelColor(1, 3)), std::pair(QColor(Qt::red), QColor(Qt::blue)));

    ASSERT_TRUE(LaunchPowerTool(109));
    EXPECT_EQ(Texts(1), "Photo|Running|");
    launcher()->ptEntryTableView->setCurrentRow(1);
    EXPECT_EQ(Buttons(), std::pair(false, false));
    launcher()->ptEntryTableView->setCurrentRow(0);
    EXPECT_EQ(Buttons(), std::pair(true, false));

    // A running row: a double click starts nothing, and nothing is said.
    Entry(120)->setPlugInAvailable(false);
    Entry(120)->setPlugInOwnerDocument(gCurDocument);
    launcher()->updateButtonStates();
    EXPECT_EQ(Buttons(), std::pair(false, true));
    launcher()->doubleClickLaunchPowerTool();
    EXPECT_EQ(Entry(120)->plugInOwnerDocument(), gCurDocument);
    EXPECT_TRUE(alerts.shown.empty());

    SetPowerToolLauncherRunModalHandler([](PowerToolLauncherController* l) {
        QTimer::singleShot(0, l->cancelButton, &QPushButton::click);
        return l->exec();
    });
    EXPECT_EQ(PowerToolLauncherController::showModal(), -1);
}

// Closing a design whose tool still runs frees the tool.
TEST_F(Launcher, ClosingTheDesignFreesItsTool) {
    InstallPowerTool("a.PEG", {.name = "Deck Designer", .id = "120"}, "/bin/true");
    QMDDocument* d = Start();
    ASSERT_NE(Entry(120), nullptr);
    Entry(120)->setPlugInAvailable(false);
    Entry(120)->setPlugInOwnerDocument(d->model());
    AppController::shared()->documentController()->removeDocument(d);
    delete d;
    EXPECT_TRUE(Entry(120)->plugInAvailable());
}

}  // namespace

// The launcher window offscreen, a document closed under a running tool, and a real plug-in
// program launched from the launcher that answers over the local channel.
#include "powertools/power_tool_launcher.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

#include <unistd.h>

#include "app/app_controller.h"
#include "app/window_controller.h"
#include "files/content_paths.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "port/files.h"
#include "powertools/core/plugin_list_seams.h"
#include "powertools/core/power_tool_dispatcher.h"
#include "support/build.h"
#include "support/doubles.h"
#include "support/fixture.h"
#include "support/powertool_builder.h"

using namespace dvxtest;

namespace {

class Launcher : public ::testing::Test {
protected:
    void SetUp() override {
        AppController::destroyShared();
        ResetAllGlobals();
        folders = std::make_unique<TempFolders>(FreshTempFolder("launcher"));
        port::setFolders(folders.get());
        port::setAlerts(&alerts);
        port::setImageDecoder(&pictures);
        port::setDocumentUndo(&undo);
        AppController::setSplashEnabled(false);
        AppController::initialize();
    }
    void TearDown() override {
        SetPowerToolLauncherRunModalHandler(nullptr);
        AppController::destroyShared(), ResetAllGlobals();
        port::setImageDecoder(nullptr);
        port::setDocumentUndo(nullptr);
    }
    // Runs the launcher with `drive` once it shows; a launcher left open ends after 10 s.
    static void Drive(std::function<void(PowerToolLauncherController*)> drive) {
        SetPowerToolLauncherRunModalHandler([drive](PowerToolLauncherController* l) {
            QTimer::singleShot(0, l, [l, drive] { drive(l); });
            QTimer::singleShot(10000, l, [l] { l->done(-2); });
            return l->exec();
        });
    }

    // The tool's folder with its picture and, as its program, the test plug-in.
    void Install(const std::string& file, const PowerToolDescriptor& d) {
        WritePowerToolDescriptor(file, d);
        const std::string tool = port::JoinPath(MakePowerToolFolder(), d.directory);
        // Blue below, red above: the rows are stored bottom first.
        WritePpm(tool + "/" + d.image, RgbImage(4, 4, [](int, int y) { return y < 2 ? 0x0000FFu : 0xFF0000u; }));
        ::symlink(DVX_TEST_PLUGIN, (tool + "/" + d.program).c_str());
    }
    // The program as it starts: the registry read, one untitled design in its window.
    QMDDocument* Start() {
        QMDDocument* d = AppController::shared()->documentController()->openUntitledDocument();
        d->makeWindowControllers();
        return d;
    }
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
    RecordingUndo undo;
};

// Rows, their states and the buttons as tools are locked; Cancel ends the run with -1.
TEST_F(Launcher, RowsAndButtonsFollowTheLocks) {
    Start();
    EXPECT_EQ(launcher()->ptEntryTableView->count(), 0);
    PowerToolLauncherController::destroyShared();
    AppController::destroyShared();

    Install("a.PEG", {.name = "Deck Designer", .id = "120"});
    Install("b.PEG", {.directory = "Photo", .name = "Photo", .description = "", .appID = "photo", .id = "109"});
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

    // A running row: a double click launches nothing.
    Entry(120)->setPlugInAvailable(false);
    Entry(120)->setPlugInOwnerDocument(gCurDocument);
    launcher()->updateButtonStates();
    EXPECT_EQ(Buttons(), std::pair(false, true));
    launcher()->doubleClickLaunchPowerTool();
    EXPECT_FALSE(port::FileExists(port::JoinPath(ApplicationTemporaryPath(), "com.example.deck/data.pxf")));
    EXPECT_TRUE(alerts.shown.empty());

    Drive([](PowerToolLauncherController* l) { l->cancelButton->click(); });
    EXPECT_EQ(PowerToolLauncherController::showModal(), -1);
}

// Closing a design whose tool still runs frees the tool.
TEST_F(Launcher, ClosingTheDesignFreesItsTool) {
    Install("a.PEG", {.name = "Deck Designer", .id = "120"});
    QMDDocument* d = Start();
    ASSERT_NE(Entry(120), nullptr);
    Entry(120)->setPlugInAvailable(false);
    Entry(120)->setPlugInOwnerDocument(d->model());
    AppController::shared()->documentController()->removeDocument(d);
    delete d;
    EXPECT_TRUE(Entry(120)->plugInAvailable());
    EXPECT_EQ(Entry(120)->plugInOwnerDocument(), nullptr);
}

// The whole road: Launch in the launcher starts the test plug-in on the exchange file; its
// answer over the socket ends the sheet and puts its wall into the design, as one undo step.
TEST_F(Launcher, ARealToolAnswersWithAWall) {
    Install("a.PEG", {.name = "Deck Designer", .id = "120"});
    QMDDocument* d = Start();
    auto* window = static_cast<QMDWindowController*>(d->windowController);
    window->show();
    const int before = CountObjects(d->model()->itsCurLayer->firstObject);
    Drive([](PowerToolLauncherController* l) {
        l->ptEntryTableView->setCurrentRow(0);
        l->launchButton->click();
    });
    AppController::shared()->showPowerToolLauncherWindow();
    EXPECT_FALSE(Entry(120)->plugInAvailable());
    QString sheetText;
    for (const QLabel* label : window->findChildren<QLabel*>())
        if (label->text().contains("currently using")) sheetText = label->text();
    EXPECT_EQ(sheetText, "'Deck Designer' is currently using this design.");

    QElapsedTimer clock;
    clock.start();
    while (!Entry(120)->plugInAvailable() && clock.elapsed() < 20000) QApplication::processEvents(QEventLoop::AllEvents, 50);
    ASSERT_TRUE(Entry(120)->plugInAvailable()) << "the plug-in never answered";
    EXPECT_EQ(CountObjects(d->model()->itsCurLayer->firstObject), before + 1);
    EXPECT_EQ(undo.actionNames, std::vector<std::string>{"Deck Designer"});
    EXPECT_EQ(undo.lastModel, d->model());
    EXPECT_FALSE(port::FileExists(port::JoinPath(ApplicationTemporaryPath(), "com.example.deck/data.pxf")));
    EXPECT_TRUE(alerts.shown.empty());
}

}  // namespace

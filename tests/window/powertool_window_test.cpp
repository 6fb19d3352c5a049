// A plug-in tool used as a user uses one, on the virtual X server: "PowerTools..." from the
// menu, the tool chosen and launched in the launcher, the progress sheet on the document
// window while the tool (a real program) runs, and its wall in the plan once it answers; an
// answer that comes during a render or under a sheet waits for its end.
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLocalSocket>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QUndoStack>
#include <gtest/gtest.h>

#include "app/app_controller.h"
#include "app/command_router.h"
#include "app/document_view.h"
#include "app/live_view_controller.h"
#include "app/window_controller.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/object_types.h"
#include "powertools/core/notification_channel.h"
#include "powertools/core/plugin_list_seams.h"
#include "powertools/core/power_tool_dispatcher.h"
#include "powertools/power_tool_launcher.h"
#include "port/qt/platform.h"
#include "render/core/interrupt_source.h"
#include "scene/plane_object.h"
#include "scene/scene_build.h"
#include "support/build.h"
#include "support/powertool_builder.h"
#include "support/result_builder.h"
#include "ui/tool_palettes.h"
#include "window/window_support.h"

namespace {

QString gShot;

// Notes every dialog that shows, with its texts, however briefly.
class ShownDialogs : public QObject {
public:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (auto* d = qobject_cast<QDialog*>(o); d && e->type() == QEvent::Show)
            for (const QLabel* label : d->findChildren<QLabel*>()) texts << label->text();
        return false;
    }
    QStringList texts;
};

TEST(PowerToolWindow, ALaunchedToolPutsItsWallIntoThePlan) {
    WindowTestServices services("powertoolwindow");
    dvxtest::PpmImageDecoder pictures;
    port::setImageDecoder(&pictures);
    dvxtest::InstallPowerTool("deck.PEG", {.name = "Deck Designer", .id = "120"}, DVX_TEST_PLUGIN);
    QMDWindowController* w = OpenDocumentWindow();
    QMDDocument* document = w->document();
    document->model()->itsDocState->zoomFactor = 1;
    ASSERT_TRUE(ShowFocused(w));
    // The inspector is not brought back when the tool ends: hidden from the start, the plan
    // keeps its width throughout.
    AppController::shared()->toggleInspectorPanel();
    ASSERT_FALSE(w->isInspectorShown());
    QTest::qWait(200);

    // The wall across the middle of what the plan shows (zoom 1: plan units are pixels).
    QMDDocumentView* view = w->docView();
    const PlatformRect shown = view->visibleRect();
    const float h = std::round(shown.x + shown.width / 4), d = std::round(shown.y + shown.height / 4);
    qputenv("DVX_TEST_PLUGIN_WALL", QStringLiteral("%1 %2 %3 %2").arg(h).arg(d).arg(h + 200).toUtf8());
    auto plan = [&] {
        const QPoint at = view->mapToGlobal(QPoint(0, 0));
        return QGuiApplication::primaryScreen()->grabWindow(0, at.x(), at.y(), view->width(), view->height()).toImage();
    };
    const QImage before = plan();

    // In the launcher: look, choose the row, launch; given up after 20 s.
    ShownDialogs dialogs;
    qApp->installEventFilter(&dialogs);
    QString row;
    ASSERT_TRUE(LaunchFirstPowerTool(w, &row, true, [] { QGuiApplication::primaryScreen()->grabWindow(0).save(gShot); }));
    ASSERT_TRUE(QTest::qWaitFor([] { return !PowerToolLauncherController::sharedPowerToolLauncherController()->isVisible(); },
                                20000));
    EXPECT_EQ(row, "Deck Designer|Available|picture");

    PowerToolEntry* entry = PowerToolDispatcher::sharedPowerToolDispatcher()->powerToolEntryForID(120);
    ASSERT_TRUE(QTest::qWaitFor([&] { return entry->plugInAvailable(); }, 20000)) << "the tool never answered";
    qApp->removeEventFilter(&dialogs);
    EXPECT_TRUE(dialogs.texts.contains("'Deck Designer' is currently using this design.")) << dialogs.texts.join("; ").toStdString();
    for (const QDialog* sheet : w->findChildren<QDialog*>()) EXPECT_FALSE(sheet->isVisible()) << "a sheet stayed open";
    EXPECT_EQ(document->undoStack()->count(), 1);
    EXPECT_EQ(document->undoStack()->undoText(), "Deck Designer");

    // The wall is drawn: the plan changed along it (its length readout just above), and
    // nowhere far from it.
    QTest::qWait(300);
    const QImage after = plan();
    const PlatformPoint o = view->boundsOrigin();
    int along = 0, elsewhere = 0;
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x) {
            if (before.pixel(x, y) == after.pixel(x, y)) continue;
            const bool near = x >= h - o.x - 12 && x <= h + 200 - o.x + 12 && std::abs(y - (d - o.y)) <= 30;
            ++(near ? along : elsewhere);
        }
    EXPECT_GT(along, 200);
    EXPECT_EQ(elsewhere, 0);

    // Launched again (which closes the live view) and the live view shown again, the tool's
    // answer (a second wall) lands while a render walks the scene: it waits for the render's
    // end, the scene stays whole, and then it is applied.
    std::map<std::string, std::string> launched;
    SetStartPowerToolProcessHandler([&](const std::string&, const std::vector<std::string>& env) {
        for (const std::string& e : env) launched[e.substr(0, e.find('='))] = e.substr(e.find('=') + 1);
        return true;
    });
    QMDDocumentModel* model = document->model();
    // Launched, its result a wall at `row`, its answer sent as the tool sends it.
    const auto launch = [&](float row) {
        if (!LaunchPowerTool(120)) return false;
        Objex* wall = dvxtest::Wall(model->itsCurLayer, {{h, row}, {h + 200, row}});
        dvxtest::ResultBuilder(120).object(wall).end().save(launched[kPowerToolFolderVariable] + "/" + kExchangeFileName);
        DeleteObj(UnlinkObject(wall));
        return true;
    };
    const auto answer = [&] {
        QLocalSocket tool;
        tool.connectToServer(QString::fromStdString(PowerToolNotificationChannel()->address()));
        if (!tool.waitForConnected(5000)) return false;
        const std::vector<uint8_t> bytes = EncodePowerToolMessage(dvxtest::ToolMessage(
            kPowerToolClosingUpdate, 120, std::stoll(launched[kPowerToolUserVariable]),
            std::stoi(launched[kPowerToolDocumentVariable])));
        tool.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
        const bool sent = tool.waitForBytesWritten(5000);
        tool.disconnectFromServer();
        return sent;
    };
    ASSERT_TRUE(launch(d + 100));
    LiveViewController::sharedLiveViewController()->showWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(LiveViewController::sharedLiveViewController()->window()));
    RenderAllLayers();
    ASSERT_NE(gGLPlaneObjects, nullptr);
    {
        RenderInterruptScope render;
        const PlaneObject* walked = gGLPlaneObjects;
        ASSERT_TRUE(answer());
        // The render's polls let what came in be delivered.
        InterruptSource* polls = LiveViewController::sharedLiveViewController()->interruptSource();
        for (int i = 0; i < 20; ++i) polls->pollEscape(), QTest::qSleep(20);
        EXPECT_FALSE(entry->plugInAvailable()) << "the answer was applied during the render";
        EXPECT_EQ(document->undoStack()->count(), 1);
        EXPECT_EQ(gGLPlaneObjects, walked);
        int pieces = 0;
        for (const PlaneObject* p = walked; p; p = p->next) ++pieces;  // the walk goes on
        EXPECT_GT(pieces, 0);
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return entry->plugInAvailable(); }, 5000)) << "the answer never came";
    EXPECT_EQ(document->undoStack()->count(), 2);
    for (const Objex* o = model->itsCurLayer->firstObject; o; o = o->next) {
        bool shown = o->type != objtype::kWall;
        for (const PlaneObject* p = gGLPlaneObjects; p; p = p->next) shown |= p->object3D == o;
        EXPECT_TRUE(shown) << "a wall missing from the live view";
    }

    // Once more, the answer landing while a sheet of the window is up (whose values may point
    // into the design) waits for the sheet's end.
    ASSERT_TRUE(launch(d + 200));
    QDialog sheet(w);
    sheet.setWindowModality(Qt::WindowModal);
    sheet.open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
    ASSERT_TRUE(answer());
    QTest::qWait(400);
    EXPECT_FALSE(entry->plugInAvailable()) << "the answer was applied under a sheet";
    EXPECT_EQ(document->undoStack()->count(), 2);
    sheet.reject();
    ASSERT_TRUE(QTest::qWaitFor([&] { return entry->plugInAvailable(); }, 5000)) << "the answer never came";
    EXPECT_EQ(document->undoStack()->count(), 3);
    int walls = 0;
    for (const Objex* o = model->itsCurLayer->firstObject; o; o = o->next) walls += o->type == objtype::kWall;
    EXPECT_EQ(walls, 3);
    port::setImageDecoder(nullptr);
}

// Photo View launched from Window > PowerTools... and its image panel cancelled with the
// server's mouse: the palettes come back as they were, the inspector stays hidden until
// Window > Show Inspector, and nothing is stored.
TEST(PowerToolWindow, ACancelledPhotoViewBringsThePalettesBackButNotTheInspector) {
    AppController::destroyShared();
    WindowTestServices services("photoviewcancel");
    dvxtest::PpmImageDecoder pictures;
    port::setImageDecoder(&pictures);
    port::qt::QtFileDialogs panels;
    port::setFileDialogs(&panels);
    dvxtest::InstallPowerTool("PhotoView.PEG", {.directory = "PhotoView", .program = "PhotoView", .name = "Photo View",
                                                .appID = "com.example.photoview", .id = "109"},
                              "/bin/true");
    QMDWindowController* w = OpenDocumentWindow();
    ASSERT_TRUE(ShowFocused(w));
    PaletteController* palettes[] = {ToolPaletteController::shared(), PlanToolPaletteController::shared()};
    for (PaletteController* p : palettes) p->showWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(palettes[0]->window()) && QTest::qWaitForWindowExposed(palettes[1]->window()));
    ASSERT_TRUE(w->isInspectorShown());

    QString row;
    ASSERT_TRUE(LaunchFirstPowerTool(w, &row, false));
    EXPECT_EQ(row, "Photo View|picture");
    QPointer<QFileDialog> panel;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        for (QWidget* each : QApplication::allWidgets())
            if (auto* d = qobject_cast<QFileDialog*>(each); d && d->isVisible()) panel = d;
        return !panel.isNull();
    }, 20000)) << "no image panel";
    EXPECT_FALSE(palettes[0]->isVisible() || palettes[1]->isVisible() || w->isInspectorShown())
        << "the panels stayed while the tool holds the design";
    QPushButton* cancel = panel->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel);
    ASSERT_NE(cancel, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return panel->windowHandle() && panel->windowHandle()->isExposed(); }));
    ClickAt(cancel, cancel->rect().center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !panel || !panel->isVisible(); })) << "the panel stayed";

    EXPECT_TRUE(QTest::qWaitFor([&] { return palettes[0]->isVisible() && palettes[1]->isVisible(); }))
        << "the palettes did not come back";
    QTest::qWait(300);
    EXPECT_FALSE(w->isInspectorShown()) << "the inspector came back with the palettes";
    EXPECT_EQ(w->document()->undoStack()->count(), 0);
    QAction* item = w->commandRouter()->action("toggleInspectorPanel", 14004);
    CommandRouter::validateMenuItem(item);
    EXPECT_EQ(item->text(), "Show Inspector");
    QGuiApplication::primaryScreen()->grabWindow(0).save(QString(gShot).replace(".png", "-cancelled.png"));
    ASSERT_TRUE(ChooseMenuItem(w, "Window", "toggleInspectorPanel", 14004));
    EXPECT_TRUE(QTest::qWaitFor([&] { return w->isInspectorShown(); })) << "Show Inspector did not show it";
    port::setFileDialogs(nullptr), port::setImageDecoder(nullptr);
    AppController::destroyShared();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 2) return 2;
    gShot = QString::fromLocal8Bit(argv[1]);
    const int result = RUN_ALL_TESTS();
    KeepGLDriversLoaded();
    return result;
}

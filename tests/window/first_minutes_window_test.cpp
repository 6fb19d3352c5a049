// A new user's first minutes under the virtual X server: pictures on every tool and toolbar
// item; gestures that change nothing store no undo step, a slip on a handle among them; a
// design opens on its saved floor and in view, also the one the program starts on; the snap
// offset field shows the design's own; the toolset pop-up follows the plan tab; the first
// window, and the palettes and the live view saved on a larger screen, lie on the screen,
// framed by a window manager; SIGTERM ends the program under any alert.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMap>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QScreen>
#include <QTabBar>
#include <QTest>
#include <QToolBar>
#include <QTransform>
#include <QUndoStack>
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include "app/app_controller.h"
#include "app/command_router.h"
#include "app/core/document_window.h"
#include "app/core/event_handler.h"
#include "app/document.h"
#include "app/document_view.h"
#include "app/window_controller.h"
#include "files/design_file.h"
#include "model/bounds.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/preferences.h"
#include "port/files.h"
#include "port/qt/platform.h"
#include "support/build.h"
#include "support/doubles.h"
#include "support/fixture.h"
#include "support/records.h"
#include "model/poly_builders.h"
#include "tools/tool_trackers.h"
#include "tools/wall_construction.h"
#include "tracking/drafting_trackers.h"
#include "tracking/tool_dispatch.h"
#include "tracking/tracking_state.h"
#include "ui/tool_palettes.h"
#include "ui/tool_pictures.h"
#include "window/window_support.h"

namespace {

using dvxtest::PointAt;
using dvxtest::SelectedPointCount;

QString gShot, gProgram;

struct Services {
    explicit Services(const char* name) : dir(dvxtest::FreshTempFolder(name)), folders(dir) {
        AppController::destroyShared(), dvxtest::ResetAllGlobals();
        port::setFolders(&folders), port::setAlerts(&alerts), port::setDocumentUndo(&undo);
    }
    ~Services() { AppController::destroyShared(), dvxtest::ResetAllGlobals(); }
    std::string dir;
    dvxtest::TempFolders folders;
    dvxtest::RecordingAlerts alerts;
    port::qt::QtDocumentUndo undo;
};

// Pixels of the image matching `is`, every `step`th along both axes.
int Count(const QImage& image, const std::function<bool(QRgb)>& is, int step = 1) {
    int n = 0;
    for (int y = 0; y < image.height(); y += step)
        for (int x = 0; x < image.width(); x += step) n += is(image.pixel(x, y));
    return n;
}

// Every cell of the three palettes (the nine toolsets) has a picture that draws lines, not a
// blot, at 16 and 32 pixels in dark ink and in light ink (dark themes); the toolbar's items
// have theirs; the palettes on the screen show pictures, not letters.
TEST(Pictures, EveryToolAndToolbarItemHasOneLegibleAtBothSizes) {
    Services services("pictures");
    QMDWindowController* w = OpenDocumentWindow();
    const std::initializer_list<PaletteController*> palettes{ToolPaletteController::shared(), SnapPaletteController::shared(),
                                                             PlanToolPaletteController::shared()};
    QStringList pictures{"SPNoneLock", "SPOnSegmentLock"};
    for (PaletteController* palette : palettes)
        for (PaletteCellButton* b : palette->window()->findChildren<PaletteCellButton*>())
            pictures << b->property("image").toString();
    ASSERT_EQ(pictures.size(), 2 + 19 + 9 + 95);  // locks, edit, snap, the nine toolsets
    int items = 0;
    for (QAction* a : w->findChild<QToolBar*>()->actions())
        if (a->objectName().startsWith("Document Toolbar") && !a->objectName().contains("Active Floor")) {
            EXPECT_FALSE(a->icon().isNull()) << a->objectName().toStdString();
            ++items;
        }
    EXPECT_EQ(items, 4);

    // The sheet kept for review: each at 16 and 32 pixels, on light and (below) on dark.
    const int rows = int(pictures.size() + 11) / 12;
    QImage sheet(12 * 56, 2 * rows * 38, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    painter.fillRect(0, rows * 38, sheet.width(), rows * 38, QColor(40, 40, 40));
    auto inked = [](QRgb c) { return qAlpha(c) >= 128; };
    for (int i = 0; i < int(pictures.size()); ++i) {
        SCOPED_TRACE(pictures[i].toStdString());
        ASSERT_TRUE(HasToolPicture(pictures[i]));
        for (int size : {16, 32}) {
            const QImage dark = RenderToolPicture(pictures[i], size, Qt::black);
            const QImage light = RenderToolPicture(pictures[i], size, Qt::white);
            EXPECT_GT(Count(dark, inked), size * size / 20) << size;
            EXPECT_LT(Count(dark, inked), size * size * 3 / 5) << size;
            EXPECT_EQ(Count(light, inked), Count(dark, inked));
            const QPoint at(i % 12 * 56 + (size == 16 ? 2 : 20), i / 12 * 38 + 3);
            painter.drawImage(at, dark), painter.drawImage(at + QPoint(0, rows * 38), light);
        }
    }
    painter.end();
    sheet.save(gShot + ".pictures.png");

    int y = 600;
    for (PaletteController* palette : palettes) palette->showWindow(), palette->window()->move(0, y), y += 120;
    for (PaletteController* palette : palettes) {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(palette->window()));
        QTest::qWait(100);
        const QImage shot = QGuiApplication::primaryScreen()->grabWindow(palette->window()->winId()).toImage();
        shot.save(gShot + "." + palette->window()->objectName() + ".png");
        for (PaletteCellButton* b : palette->window()->findChildren<PaletteCellButton*>()) {
            if (!b->isVisible()) continue;
            EXPECT_GT(Count(shot.copy(QRect(b->mapTo(palette->window(), QPoint()), b->size())),
                            [](QRgb c) { return qGray(c) < 110; }),
                      20) << "no picture on cell " << b->tag() << " " << b->text().toStdString();
        }
    }
}

// The document window's plan under the server's mouse at zoom 1 (plan units are pixels).
class PlanGestures : public ::testing::Test {
protected:
    void SetUp() override {
        w = OpenDocumentWindow(), d = w->document(), view = w->docView();
        d->model()->itsDocState->zoomFactor = 1, d->model()->itsDocState->snapToGrid = 0;
        ASSERT_TRUE(ShowFocused(w));
        const PlatformRect shown = view->visibleRect();
        // Right of and below the plan's origin, where points round onto their pixels.
        h = int(shown.x + shown.width / 2) + 100, dp = int(shown.y + shown.height / 2) + 100;
    }
    bool drag(QPoint from, std::initializer_list<QPoint> through) { return DragInPlan(view, from, through); }
    bool click(QPoint at) {
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        MovePointerToPlan(view, at), XDo({"click", "1"}), QTest::qWait(300);
        return QTest::qWaitFor([&] { return !view->gestureBusy(); });
    }
    // The Edit menu's Undo item, and whether Quit would ask.
    std::tuple<QString, bool, bool> undoState() {
        QAction* undo = w->commandRouter()->action("undo");
        return {undo->text(), CommandRouter::validateMenuItem(undo), d->isDocumentEdited()};
    }
    Objex* wall() { return dvxtest::Wall(gCurDocument->itsCurLayer, {{float(h), float(dp)}, {float(h + 120), float(dp)}}); }
    Services services{"gestures"};
    QMDWindowController* w = nullptr;
    QMDDocument* d = nullptr;
    QMDDocumentView* view = nullptr;
    int h = 0, dp = 0;
};

TEST_F(PlanGestures, OnlyAGestureThatChangedTheDesignLeavesAnUndoStep) {
    Objex* moved = wall();
    ClearTrackers();
    const auto untouched = undoState();
    EXPECT_EQ(untouched, std::tuple(QString("Undo"), false, false));
    gCurTool = 7700;  // a drawing tool with nothing behind it
    ASSERT_TRUE(drag({h - 80, dp - 80}, {{h - 40, dp - 60}, {h - 10, dp - 30}}));
    EXPECT_EQ(undoState(), untouched) << "an empty drag stored a step";

    // A rectangle tool that builds only what was dragged open: a click makes nothing.
    int ends = 0, drags = 0;
    RegisterTracker(TrackerSlot::Rect, [&](int32_t, int32_t, float, float, float, int16_t stage) {
        drags = stage == 1 ? 0 : drags + (stage == 2);
        if (stage != 3 || (++ends, !drags)) return;
        const Float3DPoint corners[] = {{gUpX, gDownY, gUpZ}, {gUpX, gDownY, gDownZ}, {gDownX, gDownY, gDownZ},
                                        {gDownX, gDownY, gUpZ}}, zero[4] = {};
        BuildClosedPoly(corners, nullptr, zero, zero, nullptr, nullptr, 4, gCurDocument->itsCurLayer, 0);
    });
    ASSERT_TRUE(click({h - 60, dp - 60}));
    EXPECT_EQ(std::tuple(ends, undoState()), std::tuple(1, untouched)) << "a click that built nothing stored a step";

    // The move tool drags what it grabbed by the drag's length.
    RegisterTracker(TrackerSlot::Translate, [](int32_t, int32_t, float, float, float, int16_t stage) {
        if (stage != 3 || !gClickInfo.ciObject) return;
        for (Poinz* p = gClickInfo.ciObject->firstPoint; p; p = p->next)
            p->position[0] += gUpX - gDownX, p->position[2] += gUpZ - gDownZ;
        UpdateObjectBounds(gClickInfo.ciObject);
    });
    gCurTool = 200;
    ASSERT_TRUE(click({h + 60, dp}));  // selects the wall, tracks nothing
    EXPECT_EQ(std::tuple(SelectedPointCount(moved), undoState()), std::tuple(2, untouched));
    ASSERT_TRUE(drag({h + 60, dp}, {{h + 90, dp + 30}, {h + 60, dp}}));  // put back where it was
    EXPECT_EQ(std::tuple(PointAt(moved, 0)->position[0], undoState()), std::tuple(float(h), untouched));
    ASSERT_TRUE(drag({h + 60, dp}, {{h + 70, dp + 20}, {h + 90, dp + 40}}));
    EXPECT_EQ(std::tuple(PointAt(moved, 0)->position[0], PointAt(moved, 0)->position[2], d->undoStack()->count(), undoState()),
              std::tuple(float(h + 30), float(dp + 40), 1, std::tuple(QString("Undo Move/Resize"), true, true)));
    ClearTrackers();
}

// Select All, then a press on a wall's end inside the selection's box (its handle) and a
// one-pixel slip before the release: a click, which resizes nothing, stores no step and shows
// no alert, with the move tool as with the Resize tool; a drag from there resizes.
TEST_F(PlanGestures, ASlipOnAHandleOfTheWholeSelectionIsAClick) {
    RegisterDraftingTrackers(), RegisterToolTrackers();
    Objex* a = wall();
    Objex* b = dvxtest::Wall(gCurDocument->itsCurLayer, {{float(h + 40), float(dp + 60)}, {float(h + 220), float(dp + 60)}});
    for (Objex* o : {a, b}) Update3DWall(o), UpdateObjectBounds(o);
    view->update();
    auto ends = [&] {
        std::vector<float> v;
        for (const Objex* o : {a, b})
            for (const Poinz* p = o->firstPoint; p; p = p->next) v.push_back(p->position[0]), v.push_back(p->position[2]);
        return v;
    };
    const std::vector<float> before = ends();
    const auto untouched = undoState();
    XDo({"key", "ctrl+a"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return SelectedPointCount(a) == 2 && SelectedPointCount(b) == 2; }))
        << "Select All did not select both walls";
    for (int16_t tool : {int16_t(200), int16_t(215)}) {
        gCurTool = tool;
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        ASSERT_TRUE(drag({h + 120, dp}, {{h + 121, dp}})) << tool;
        EXPECT_EQ(std::tuple(ends(), undoState(), services.alerts.shown.size()), std::tuple(before, untouched, size_t(0)))
            << tool << ": a slip on the handle changed the design";
    }
    gCurTool = 200;
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    ASSERT_TRUE(drag({h + 120, dp}, {{h + 140, dp}, {h + 160, dp}}));
    EXPECT_LT(PointAt(b, 1)->position[0], float(h + 200)) << "the drag from the handle resized nothing";
    EXPECT_EQ(std::get<0>(undoState()), QString("Undo Move/Resize"));
}

// A design saved on its second floor opens there (the pop-up and clicks); New shows the first.
TEST_F(PlanGestures, ADesignOpensOnTheFloorItWasSavedOn) {
    const std::string path = services.dir + "/upstairs.pro";
    Win32EventHandler().workOnFloorUsingCommand(5276);
    wall()->penWidth = 6;
    ASSERT_NE(KeyFileWrite(path.c_str()), 0);
    QMDDocumentController* documents = AppController::shared()->documentController();
    documents->newDocument();
    QComboBox* floors = w->activeFloorTBPopUpButton();
    EXPECT_EQ(floors->currentText(), QString("First Floor"));
    ASSERT_TRUE(documents->readDesignIntoDocument(d, path));
    EXPECT_EQ(std::tuple(floors->currentText().toStdString(), std::string(gCurDocument->itsCurLayer->name)),
              std::tuple("Second Floor", "Second Floor"));
    gCurTool = 200;
    ASSERT_TRUE(click({h + 60, dp}));
    EXPECT_EQ(SelectedPointCount(gCurDocument->itsCurLayer->firstObject), 2) << "the click selected nothing";
}

// The snap palette's offset field shows each design's own offset in its own units after New,
// Open and Revert to Saved, so a Return there keeps it.
TEST_F(PlanGestures, TheSnapOffsetFieldShowsTheDesignsOwnOffset) {
    const std::string metric = services.dir + "/metric.pro";
    DocState* ds = gCurDocument->itsDocState;
    ds->units = kMetricUnits, ds->snapOffset = 19.685f;  // 0.5 m
    ASSERT_NE(KeyFileWrite(metric.c_str()), 0);
    ds->units = kImperialUnits;
    QLineEdit* field = SnapPaletteController::shared()->offsetText();
    // Typed, as the field takes only what the user typed.
    field->setText("2'"), field->setModified(true), emit field->editingFinished();
    ASSERT_EQ(std::tuple(field->text().toStdString(), ds->snapOffset), std::tuple("2'-0\"", 24.0f));
    gDefaultToImperial = false;
    QMDDocumentController* documents = AppController::shared()->documentController();
    d->updateChangeCount(2);  // as after a save: New asks nothing
    documents->newDocument();
    EXPECT_EQ(field->text().toStdString(), "0.3 m") << "New";
    ASSERT_TRUE(documents->readDesignIntoDocument(d, metric));
    EXPECT_EQ(field->text().toStdString(), "0.5 m") << "Open";
    // An offset typed and entered marks the design changed.
    field->setText("1"), field->setModified(true), emit field->editingFinished();
    documents->revertDocumentToSaved(d);
    EXPECT_EQ(std::tuple(field->text().toStdString(), gCurDocument->itsDocState->snapOffset), std::tuple("0.5 m", 19.685f))
        << "Revert";
}

TEST_F(PlanGestures, TheToolsetPopUpFollowsThePlanTab) {
    QTabBar* tabs = w->docTabView();
    QComboBox* toolsets = PlanToolPaletteController::shared()->toolsetPopUpButton();
    for (int plan : {8, 4, 1}) {
        ClickAt(tabs, tabs->tabRect(plan).center());
        ASSERT_TRUE(QTest::qWaitFor([&] { return gCurToolSet == plan; })) << plan;
        EXPECT_EQ(std::tuple(toolsets->currentText(), toolsets->currentData().toInt()), std::tuple(tabs->tabText(plan), plan));
    }
}

// The rows of the image with a dark run of `length` pixels.
std::vector<int> RowsWithDarkRun(const QImage& image, int length) {
    std::vector<int> rows;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0, run = 0; x < image.width(); ++x)
            if ((run = qGray(image.pixel(x, y)) < 128 ? run + 1 : 0) == length) rows.push_back(y);
    return rows;
}

// The plan on the screen once painted (mostly white: a window not painted yet is black), and
// whether `band` of it holds `lines` rows with a dark run of `length` pixels.
bool Shows(QMDDocumentView* view, QImage& plan, int lines, int length, QRect band = {}) {
    QApplication::processEvents();
    const QWidget* port = view->parentWidget();
    const QRect r(port->mapToGlobal(QPoint()), port->size() - QSize(20, 20));
    plan = QGuiApplication::primaryScreen()->grabWindow(0, r.x(), r.y(), r.width(), r.height()).toImage();
    if (Count(plan, [](QRgb c) { return qGray(c) > 200; }, 3) * 9 < plan.width() * plan.height() * 8 / 10) return false;
    return int(RowsWithDarkRun(band.isNull() ? plan : plan.copy(band), length).size()) >= lines;
}

// New and Open bring a design none of which would show into the window, zoom kept (a new
// design is zoomed out to its lot); one that shows at the paper's centre stays there.
TEST(DesignInView, NewAndOpenShowTheLotOrTheObjectsAndKeepACentredDesignWhereItIs) {
    Services services("inview");
    QMDWindowController* w = OpenDocumentWindow();
    QMDDocument* d = w->document();
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    QMDDocumentController* documents = AppController::shared()->documentController();
    documents->newDocument();
    QImage plan;
    EXPECT_TRUE(QTest::qWaitFor([&] { return Shows(w->docView(), plan, 2, 400); })) << "a new design shows no lot";
    plan.save(gShot + ".new-design.png");

    // A wall far from the paper's centre on the large lot at zoom 0.6, then across the centre.
    const std::string far = services.dir + "/far.pro", near = services.dir + "/near.pro";
    d->model()->itsDocState->zoomFactor = d->model()->itsDocState->savedZoom = 0.6f;
    Objex* wall = dvxtest::Wall(d->model()->itsCurLayer, {{1400, 1600}, {1900, 1600}});
    wall->penWidth = 8;
    ASSERT_NE(KeyFileWrite(far.c_str()), 0);
    PointAt(wall, 0)->position[0] = -250, PointAt(wall, 1)->position[0] = 250;
    PointAt(wall, 0)->position[2] = PointAt(wall, 1)->position[2] = 0;
    ASSERT_NE(KeyFileWrite(near.c_str()), 0);
    ASSERT_TRUE(documents->readDesignIntoDocument(d, far));
    // The wall, 300 pixels long at 0.6, in the middle third of the window.
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return Shows(w->docView(), plan, 1, 250, QRect(0, plan.height() / 3, plan.width(), plan.height() / 3));
    })) << "the wall is not in the window";
    plan.save(gShot + ".far-design.png");
    EXPECT_FLOAT_EQ(gCurDocument->itsDocState->zoomFactor, 0.6f);

    ASSERT_TRUE(documents->readDesignIntoDocument(d, near));
    const PlatformRect shown = w->docView()->visibleRect();
    EXPECT_NEAR(shown.x, -shown.width / 2, 1) << "a design at the centre moved";
    EXPECT_NEAR(shown.y, -shown.height / 2, 1) << "a design at the centre moved";
}

// The program started on the furnished house shows the house in its window: its side wall and
// the wall between its rooms, about 215 pixels long at the start zoom, in the plan.
TEST(DesignInView, TheProgramStartedOnADesignShowsIt) {
    Services services("startedon");
    const QString design = QString::fromStdString(services.dir) + "/furnished-house.pro";
    ASSERT_TRUE(QFile::copy(DVX_TEST_DESIGNS "/furnished-house.pro", design));
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DVX_NO_SPLASH", "1"), env.insert("XDG_CONFIG_HOME", QString::fromStdString(services.dir) + "/config");
    program.setProcessEnvironment(env), program.start(gProgram, {design});
    ASSERT_TRUE(program.waitForStarted(10000));
    QString main;
    ASSERT_TRUE(QTest::qWaitFor([&] { return !(main = ShownWindow("furnished-house.pro")).isEmpty(); }, 15000));
    QImage shot;
    std::vector<int> walls;
    EXPECT_TRUE(QTest::qWaitFor([&] {
        const QRect f = WindowFrame(main);
        shot = QGuiApplication::primaryScreen()->grabWindow(0, f.x(), f.y(), f.width(), f.height()).toImage();
        // Painted: a window not painted yet is black.
        if (Count(shot, [](QRgb c) { return qGray(c) > 200; }, 3) * 9 < shot.width() * shot.height() / 2) return false;
        // Columns of the picture turned a quarter: the walls cross the house, doors in the
        // end walls only.
        walls = RowsWithDarkRun(shot.transformed(QTransform().rotate(90)), 180);
        return walls.size() >= 4 && walls.back() - walls.front() > 100;
    }, 10000)) << "the house is not in the window";
    shot.save(gShot + ".started-on-design.png");
    program.terminate();
    if (!program.waitForFinished(10000)) program.kill(), program.waitForFinished(5000);
}

// A screen of its own, with a window manager (twm, which draws a title bar over each document
// window) unless `managed` is false, and the program started on it with these settings; xdotool
// and xwininfo ask that screen while the test's own connection stays on its own.
struct ManagedScreen {
    ManagedScreen(const std::string& dir, const QString& size, const QString& settings, bool managed = true,
                  const QString& twmrc = {}, const QStringList& arguments = {}) {
        server.start("Xvfb", {"-displayfd", "1", "-screen", "0", size + "x24", "-nolisten", "tcp", "-noreset"});
        // The display's number, whole: its line may come in pieces.
        bool started = server.waitForStarted(10000);
        while (started && !server.canReadLine()) started = server.waitForReadyRead(30000);
        if (!started) {
            failed = "no X server";
            return;
        }
        display = ":" + server.readLine().trimmed();
        own = qgetenv("DISPLAY"), qputenv("DISPLAY", display);
        static int made = 0;
        const QString config = QString::fromStdString(dir) + "/config-" + size + "-" + QString::number(++made);
        QDir().mkpath(config + "/Dovranix");
        settingsFile = config + "/Dovranix/Dovranix.conf";
        QFile rc(config + "/twmrc"), conf(settingsFile);
        // Xvfb's own font: twm's default ones may not be installed.
        if (!rc.open(QIODevice::WriteOnly) || !conf.open(QIODevice::WriteOnly)) {
            failed = "no settings";
            return;
        }
        rc.write("RandomPlacement\nNoGrabServer\nTitleFont \"fixed\"\nResizeFont \"fixed\"\nMenuFont \"fixed\"\n"
                 "IconFont \"fixed\"\nIconManagerFont \"fixed\"\n" + twmrc.toUtf8() + "\n"), rc.close();
        conf.write(("[General]\n" + settings + "\n").toUtf8()), conf.close();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display);
        manager.setProcessEnvironment(env), manager.setStandardErrorFile(config + "/twm.log");
        if (managed) manager.start(DVX_TWM, {"-f", config + "/twmrc"});
        // twm makes its icon manager once it manages the screen.
        const auto iconManager = [] { return !XDo({"search", "--name", "^TWM Icon Manager$"}).isEmpty(); };
        if (managed && (!manager.waitForStarted(10000) || !QTest::qWaitFor(iconManager, 15000))) {
            failed = manager.state() == QProcess::Running ? "twm made no icon manager" : "twm did not start";
            return;
        }
        env.insert("DVX_NO_SPLASH", "1"), env.insert("XDG_CONFIG_HOME", config);
        program.setProcessEnvironment(env), program.start(gProgram, arguments);
        if (!program.waitForStarted(10000)) failed = "the program did not start";
    }
    ~ManagedScreen() {
        program.terminate();
        if (!program.waitForFinished(10000)) program.kill(), program.waitForFinished(5000);
        if (manager.state() != QProcess::NotRunning) manager.terminate(), manager.waitForFinished(5000);
        server.terminate(), server.waitForFinished(5000);
        if (!display.isEmpty()) qputenv("DISPLAY", own);
    }
    // Quit from the document window and the program started again on the same settings.
    bool relaunch() {
        const QString id = ShownWindow("Untitled");
        // Pressed on the server, not sent to the window: its release must not outlive the program.
        XDo({"windowfocus", "--sync", id}), XDo({"key", "ctrl+q"});
        if (!program.waitForFinished(15000)) return false;
        program.start(gProgram, {});
        return program.waitForStarted(10000);
    }
    // A window manager's notice, come late, that the shown window of this title stands `by` from
    // where it does (twm's tells where a window stood before it was framed).
    void staleNotice(const QString& title, QPoint by) const {
        const QString id = ShownWindow(title);
        xcb_connection_t* c = xcb_connect(display.constData(), nullptr);
        const QRect client = Geometry(id);
        xcb_configure_notify_event_t notice{};
        notice.response_type = XCB_CONFIGURE_NOTIFY;
        notice.event = notice.window = id.toUInt();
        notice.x = int16_t(client.x() + by.x()), notice.y = int16_t(client.y() + by.y());
        notice.width = uint16_t(client.width()), notice.height = uint16_t(client.height());
        xcb_send_event(c, 0, notice.window, XCB_EVENT_MASK_STRUCTURE_NOTIFY, reinterpret_cast<const char*>(&notice));
        xcb_flush(c);
        xcb_disconnect(c);
    }
    // The frame the manager drew around the shown window of this title (its parent just below the
    // root), as xwininfo reads it, once it has stood still for a moment; empty when none shows.
    QRect frame(const QString& title, QRect* client = nullptr) const {
        QRect now, was;
        (void)QTest::qWaitFor([&] {
            QTest::qWait(200);
            was = now, now = QRect();
            QString id = ShownWindow(title);
            if (id.isEmpty()) return false;
            if (client) *client = Geometry(id);
            for (QString parent = Parent(id); !parent.isEmpty() && parent != Root(id); parent = Parent(id)) id = parent;
            now = Geometry(id);
            return !now.isEmpty() && now == was;
        }, 15000);
        return now;
    }
    // The frames of every shown window of this title, as `frame` reads one.
    std::vector<QRect> frames(const QString& title) const {
        std::vector<QRect> all;
        for (QString id : XDo({"search", "--onlyvisible", "--name", "^" + title + "$"}).split('\n', Qt::SkipEmptyParts)) {
            for (QString parent = Parent(id); !parent.isEmpty() && parent != Root(id); parent = Parent(id)) id = parent;
            all.push_back(Geometry(id));
        }
        return all;
    }
    static QString Tree(const QString& id, const char* line) {
        QProcess xwininfo;
        xwininfo.start("xwininfo", {"-tree", "-id", id});
        xwininfo.waitForFinished(10000);
        for (const QString& l : QString::fromLocal8Bit(xwininfo.readAllStandardOutput()).split('\n'))
            if (l.trimmed().startsWith(line)) return l.section(':', 1).trimmed().section(' ', 0, 0);
        return {};
    }
    // Whether the shown window of this title lies above the other's, its frame's place among the
    // root's children (bottom first) read through xwininfo.
    bool above(const QString& title, const QString& other) const { return idAbove(ShownWindow(title), ShownWindow(other)); }
    // The id of the window xwininfo names so (xdotool finds no alert of an empty title under twm).
    static QString Named(const QString& name) {
        QProcess xwininfo;
        xwininfo.start("xwininfo", {"-root", "-tree"});
        xwininfo.waitForFinished(10000);
        for (const QString& l : QString::fromLocal8Bit(xwininfo.readAllStandardOutput()).split('\n'))
            if (l.contains("\"" + name + "\": (\"")) return l.trimmed().section(' ', 0, 0);
        return {};
    }
    bool idAbove(const QString& id, const QString& otherId) const {
        const auto topLevel = [](QString id) {
            for (QString parent = Parent(id); !parent.isEmpty() && parent != Root(id); parent = Parent(id)) id = parent;
            return id.toULongLong(nullptr, 0);
        };
        const qulonglong a = topLevel(id), b = topLevel(otherId);
        QProcess xwininfo;
        xwininfo.start("xwininfo", {"-root", "-children"});
        xwininfo.waitForFinished(10000);
        std::vector<qulonglong> children;  // as xwininfo lists them: top first
        for (const QString& l : QString::fromLocal8Bit(xwininfo.readAllStandardOutput()).split('\n'))
            if (const QString t = l.trimmed(); t.startsWith("0x"))
                children.push_back(t.section(' ', 0, 0).toULongLong(nullptr, 0));
        const auto at = [&](qulonglong id) { return std::find(children.begin(), children.end(), id); };
        return at(a) < at(b);
    }
    static QString Parent(const QString& id) { return Tree(id, "Parent window id"); }
    static QString Root(const QString& id) { return Tree(id, "Root window id"); }
    static QRect Geometry(const QString& id) {
        QProcess xwininfo;
        xwininfo.start("xwininfo", {"-id", id});
        xwininfo.waitForFinished(10000);
        QMap<QString, int> v;
        for (const QString& l : QString::fromLocal8Bit(xwininfo.readAllStandardOutput()).split('\n'))
            v[l.section(':', 0, 0).trimmed()] = l.section(':', 1).trimmed().toInt();
        // Its corner is the border's outer one; its size, the inside's.
        const int border = 2 * v["Border width"];
        return QRect(v["Absolute upper-left X"], v["Absolute upper-left Y"], v["Width"] + border, v["Height"] + border);
    }
    // The program's shortcut keys (a sequence, space-separated) pressed as a user presses them,
    // the document window holding the keyboard: on the server, to whatever window it gives them.
    // Sent to the window instead, a key goes past the server once the window no longer holds
    // the keyboard (a key that showed a window which took it): the server never hears that
    // key's release and drops its next press.
    void press(const char* keys) const {
        XDo({"windowfocus", "--sync", ShownWindow("Untitled")}), XDo(QStringList{"key"} + QString(keys).split(' '));
    }
    // What that screen shows.
    QImage shot() const {
        QImage image;
        xcb_connection_t* c = xcb_connect(display.constData(), nullptr);
        const xcb_screen_t* root = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
        if (!xcb_connection_has_error(c) && root) {
            const auto cookie = xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, root->root, 0, 0, root->width_in_pixels,
                                              root->height_in_pixels, ~0u);
            if (xcb_get_image_reply_t* reply = xcb_get_image_reply(c, cookie, nullptr)) {
                const QImage bits(xcb_get_image_data(reply), root->width_in_pixels, root->height_in_pixels,
                                  QImage::Format_RGB32);
                if (xcb_get_image_data_length(reply) >= int(bits.sizeInBytes())) image = bits.copy();
                std::free(reply);
            }
        }
        xcb_disconnect(c);
        return image;
    }
    QProcess server, manager, program;
    QString settingsFile;
    QByteArray display, own;
    const char* failed = nullptr;
};

// Each placement test's rows are shared among entries of their own (tests/window/CMakeLists.txt),
// row i in part i % kPlacedParts, so that none comes near its time limit on a loaded machine.
constexpr int kPlacedParts = 3;
class Placed : public ::testing::TestWithParam<int> {
protected:
    bool Mine(size_t row) const { return int(row % kPlacedParts) == GetParam(); }
};
INSTANTIATE_TEST_SUITE_P(DesignInView, Placed, ::testing::Range(0, kPlacedParts));

// The program started on a screen of its own: its document window lies on that screen, title
// bar and all, also with the Drawing Tools not shown at start-up (the window then spans the
// visible height) and right of the palettes on a small screen; its frame stays clear of the
// palettes' frames, which lie, borders and all, where they first go. A palette or the live view
// shown later from the keyboard at a frame the program chose (none saved, the first frame of
// the Drawing Tools or the frame saved for a palette never shown), and Preferences, Plant Details,
// Content Providers and About too, under every focus rule, cover neither the window's title and
// menu bar nor a window shown before them.
TEST_P(Placed, TheFirstWindowLiesOnTheScreen) {
    Services services("placed");
    struct Shown { const char* key; const char* title; };
    // `crowded`: the screen has no place clear of every window, and a window shown later only
    // keeps clear of the palettes and of the frame of each one before it; `arguments`: the
    // program started on a file that is no design, its alert up over the palettes; `again`:
    // windows chosen from their menus and chosen again while up, the palettes kept over them;
    // `twmrc`: what twm's settings add (a focus rule).
    struct Row {
        QString screen, settings;
        QSize size;
        std::vector<Shown> later;
        bool managed = true, crowded = false;
        QStringList arguments = {};
        std::vector<Shown> again = {};
        QString twmrc = {};
    };
    const QString unshown = "ShowPlanTools=false", key = "NSWindow%20Frame%20";
    const QString bad = QString::fromStdString(services.dir) + "/bad.pro";
    ASSERT_TRUE(port::WriteWholeFile(bad.toStdString(), "not a design", 12));
    const QString midScreen = key + "PlanToolPanel=150 330 656 36\n" + key + "EditToolPanel=420 300 172 116";
    const Shown drawing{"ctrl+4", "Drawing Tools"}, editing{"ctrl+2", "Editing Tools"}, snap{"ctrl+3", "Snap Tools"},
        live{"ctrl+1", "Live View"}, preferences{"alt Left Down Down Return", "Preferences"},
        details{"alt Right Right Right Down Up Return", "Plant Details"},
        providers{"alt Left Left Down Up Return", "Content Providers"}, about{"alt Left Down Return", "About Dovranix"};
    const std::vector<Row> rows{Row{"1600x1000", unshown, {1600, 1000}, {drawing}},
                                Row{"1280x800", unshown, {1280, 800}, {drawing, live}},
                                Row{"1600x1000", "", {1600, 1000}, {snap, live}},
                                Row{"1024x768", "", {1024, 768}, {}},
                                Row{"1280x800", "ShowGeneralTools=false", {1280, 800}, {editing, snap}},
                                Row{"1600x1000", unshown + "\n" + key + "PlanToolPanel=5 0 656 36\n" + key + "SnapPanel=0 0 640 480",
                                    {1600, 1000}, {drawing, snap}},
                                Row{"1600x1000", "", {1600, 1000}, {live, snap}},
                                Row{"1600x1000", "", {1600, 1000}, {live, snap}, false},
                                Row{"1600x1000", "", {1600, 1000}, {preferences, live, details, snap}, false},
                                Row{"1366x768", "", {1366, 768}, {details, snap, preferences}, false},
                                Row{"1024x768", "", {1024, 768}, {live, snap, preferences}, false, true},
                                Row{"1024x768", "", {1024, 768}, {details, details, details, details, details, details}, false, true},
                                Row{"1024x768", midScreen, {1024, 768}, {}, true, false, {bad}},
                                Row{"1024x768", midScreen, {1024, 768}, {}, false, false, {bad}},
                                Row{"1024x768", "", {1024, 768}, {snap}, false, false, {}, {providers, about, preferences}},
                                Row{"1024x768", "", {1024, 768}, {snap}, true, false, {}, {providers, about, preferences}},
                                Row{"1366x768", "", {1366, 768}, {preferences, details, providers, about}},
                                Row{"1600x1000", "", {1600, 1000}, {details, preferences, details}, true, false, {}, {}, "NoTitleFocus"}};
    for (size_t row = 0; row < rows.size(); ++row) {
        if (!Mine(row)) continue;
        const Row& r = rows[row];
        SCOPED_TRACE((r.screen + " " + r.settings + (r.managed ? " twm " + r.twmrc : " no window manager")).toStdString());
        ManagedScreen screen(services.dir, r.screen, r.settings, r.managed, r.twmrc, r.arguments);
        ASSERT_EQ(screen.failed, nullptr) << screen.failed;
        if (!r.arguments.isEmpty()) {
            // The alert ("Dovranix", centred on the document window) stays over the palettes.
            // A window is named "Dovranix" until its own title is set (a palette just made): the
            // alert is looked for once the document window stands on the screen.
            ASSERT_FALSE(screen.frame("Untitled").isEmpty());
            QString id;
            ASSERT_TRUE(QTest::qWaitFor([&] { return !(id = ManagedScreen::Named("Dovranix")).isEmpty(); }, 15000))
                << "no alert";
            QTest::qWait(500);
            const QRect alert = ManagedScreen::Geometry(id);
            int covered = 0;
            for (const char* palette : {"Drawing Tools", "Editing Tools"})
                if (screen.frame(palette).intersects(alert)) {
                    ++covered;
                    EXPECT_TRUE(screen.idAbove(id, ShownWindow(palette))) << "the alert under the " << palette;
                }
            EXPECT_GT(covered, 0) << "no palette under the alert";
            screen.shot().save(gShot + ".placed-" + QString::number(row + 1) + ".png");
            continue;
        }
        QRect client;
        const QRect frame = screen.frame("Untitled", &client);
        ASSERT_FALSE(frame.isEmpty()) << "no document window";
        if (r.managed) {
            EXPECT_GT(frame.height(), client.height() + 10) << "twm drew no title bar";
        }
        EXPECT_TRUE(QRect(QPoint(), r.size).contains(frame)) << frame.x() << ", " << frame.y() << " " << frame.width()
                                                             << " x " << frame.height();
        EXPECT_GT(frame.height(), r.size.height() * 3 / 4);
        std::vector<std::pair<QString, QRect>> before;
        for (const char* palette : {"Drawing Tools", "Editing Tools"}) {
            const QRect p = ShownWindow(palette).isEmpty() ? QRect() : screen.frame(palette);
            EXPECT_FALSE(frame.intersects(p)) << palette << " at " << p.x() << ", " << p.y() << " " << p.width() << " x "
                                              << p.height() << "; the window's frame at " << frame.x() << ", " << frame.y();
            if (!p.isEmpty()) before.emplace_back(palette, p);
        }
        EXPECT_EQ(ShownWindow("Drawing Tools").isEmpty(), r.settings.startsWith(unshown));
        // First shown, the Drawing Tools lie 5 from the left at the top, the Editing Tools 5 below them.
        if (r.settings.isEmpty()) {
            const QRect drawing = screen.frame("Drawing Tools"), editing = screen.frame("Editing Tools");
            EXPECT_EQ(drawing.topLeft(), QPoint(5, 0));
            EXPECT_EQ(editing.topLeft(), QPoint(5, drawing.bottom() + 1 + 5));
        }
        // The title bar and the menu titles' row below it.
        const QRect titleAndMenus(frame.topLeft(), QPoint(frame.right(), client.top() + 20));
        const auto at = [](const QRect& f) {
            return std::to_string(f.x()) + ", " + std::to_string(f.y()) + " " + std::to_string(f.width()) + " x " +
                   std::to_string(f.height());
        };
        const QStringList palettes{"Drawing Tools", "Editing Tools", "Snap Tools"};
        for (const Shown& later : r.later) {
            SCOPED_TRACE(later.title);
            // Another window of a title shown before (Plant Details opens one each time): the
            // frame of none before.
            std::vector<QRect> had;
            for (const auto& [title, f] : before)
                if (title == later.title) had.push_back(f);
            screen.press(later.key);
            std::vector<QRect> all, was;
            (void)QTest::qWaitFor([&] {
                QTest::qWait(200);
                was = all, all = screen.frames(later.title);
                return all.size() == had.size() + 1 && all == was;
            }, 15000);
            for (const QRect& f : had)
                if (const auto same = std::find(all.begin(), all.end(), f); same != all.end()) all.erase(same);
            ASSERT_EQ(all.size(), 1u) << "not shown";
            const QRect shown = all.front();
            EXPECT_TRUE(QRect(QPoint(), r.size).contains(shown)) << at(shown);
            EXPECT_FALSE(shown.intersects(titleAndMenus)) << at(shown) << " over the title or menus " << at(titleAndMenus);
            for (const auto& [title, f] : before) {
                if (!r.crowded || palettes.contains(title))
                    EXPECT_FALSE(shown.intersects(f)) << at(shown) << " over the " << title.toStdString() << " at " << at(f);
                else
                    EXPECT_NE(shown, f) << "on the " << title.toStdString() << " at " << at(f);
            }
            before.emplace_back(later.title, shown);
        }
        for (const Shown& again : r.again) {
            SCOPED_TRACE(std::string(again.title) + " chosen again");
            screen.press(again.key);
            const QRect first = screen.frame(again.title);
            ASSERT_FALSE(first.isEmpty()) << "not shown";
            // It opens clear of the palettes; Content Providers the user then lays over the
            // Editing Tools, which float over it.
            for (const QString& palette : palettes) {
                if (!ShownWindow(palette).isEmpty()) {
                    EXPECT_FALSE(screen.frame(palette).intersects(first))
                        << "opened under the " << palette.toStdString() << " at " << at(first);
                }
            }
            if (QString(again.title) == "Content Providers") {
                const QRect editing = screen.frame("Editing Tools");
                XDo({"windowmove", ShownWindow(again.title), QString::number(editing.x() + 40),
                     QString::number(editing.y() + 30)});
                EXPECT_TRUE(QTest::qWaitFor([&] { return screen.frame(again.title).intersects(editing); }, 15000));
            }
            // The document window raised over it (as a window manager raises a window clicked),
            // then the window chosen again: it comes to the front, and the palettes it covers
            // stand over it once the windows stand still.
            XDo({"windowraise", ShownWindow("Untitled")});
            EXPECT_TRUE(QTest::qWaitFor([&] { return screen.above("Untitled", again.title); }, 15000));
            screen.press(again.key);
            EXPECT_TRUE(QTest::qWaitFor([&] { return screen.above(again.title, "Untitled"); }, 15000)) << "not raised";
            const QRect shown = screen.frame(again.title);
            std::vector<QString> covered;
            for (const QString& palette : palettes)
                if (!ShownWindow(palette).isEmpty() && screen.frame(palette).intersects(shown)) covered.push_back(palette);
            if (QString(again.title) == "Content Providers") {
                EXPECT_FALSE(covered.empty()) << "over no palette at " << at(shown);
            }
            std::vector<bool> over, was;
            (void)QTest::qWaitFor([&] {
                QTest::qWait(200);
                was = over, over.clear();
                for (const QString& palette : covered) over.push_back(screen.above(palette, again.title));
                return over == was;
            }, 15000);
            for (size_t i = 0; i < covered.size(); ++i)
                EXPECT_TRUE(over[i]) << "the " << covered[i].toStdString() << " under it at " << at(shown);
        }
        // The screens kept for review.
        screen.shot().save(gShot + ".placed-" + QString::number(row + 1) + ".png");
    }
}

// Each window whose frame the program keeps, saved on a larger screen, comes back on a 1024 x 768
// one: the palettes only moved, the live view also cut to the screen; frames saved apart come
// back apart where the smaller screen has room, with and without a window manager. After Quit
// and two relaunches each is where it came back, decoration included, and the frames the user
// left are still the ones saved: a window manager's notice come late of where a window stood
// before changes none of that.
TEST_P(Placed, FramesSavedOnALargerScreenComeBackOnASmallerOne) {
    Services services("restored");
    // The snap palette and the live view are shown from the Window menu's keys.
    // `twmrc`: what twm's settings add (transients decorated, the live view decorated unlike the
    // palettes: twm titles a transient only with DecorateTransients); `crowded`: the live view
    // saved larger than the screen lies over palettes, which stay over it.
    struct Row {
        std::vector<const char*> titles;
        QString saved, screen = "1024x768";
        bool managed = true;
        QString twmrc = {};
        bool crowded = false;
    };
    const QString key = "NSWindow%20Frame%20";
    // Saved on a 2560 x 1440 screen, all four at its right.
    const QString apart = key + "PlanToolPanel=1900 0 656 36\n" + key + "EditToolPanel=2380 41 172 116\n" + key +
                          "SnapPanel=2200 200 334 32\n" + key + "LiveViewPanel=1800 0 700 500";
    const std::vector<const char*> all{"Drawing Tools", "Editing Tools", "Snap Tools", "Live View"};
    const std::vector<Row> rows{Row{{"Drawing Tools"}, key + "PlanToolPanel=1268 540 656 36"},
                                Row{{"Editing Tools"}, key + "EditToolPanel=1752 100 172 116"},
                                Row{{"Snap Tools"}, key + "SnapPanel=1500 900 300 80"},
                                Row{{"Live View"}, key + "LiveViewPanel=1200 500 700 500"},
                                Row{{"Live View"}, key + "LiveViewPanel=100 50 1900 1000"},
                                Row{{"Live View"}, key + "LiveViewPanel=1500 40 1000 400", "1366x768"},
                                Row{{"Live View"}, key + "LiveViewPanel=1500 40 1000 400", "1366x768", false},
                                Row{all, apart, "1366x768"}, Row{all, apart, "1366x768", false},
                                Row{all, apart, "1024x768", false},
                                Row{all, apart, "1366x768", true, "DecorateTransients"},
                                Row{all, apart, "1366x768", true, "NoTitle { \"Live View\" }"},
                                Row{all, apart, "1366x768", true, "NoTitle { \"Drawing Tools\" \"Editing Tools\" \"Snap Tools\" }"},
                                Row{all, apart, "1366x768", true, "DecorateTransients\nNoTitle { \"Live View\" }"},
                                Row{all, apart, "1366x768", true,
                                    "DecorateTransients\nNoTitle { \"Drawing Tools\" \"Editing Tools\" \"Snap Tools\" }"},
                                Row{all, key + "LiveViewPanel=100 50 1004 831", "1366x768", true, "", true},
                                Row{all, key + "LiveViewPanel=100 50 1004 831", "1024x768", false, "", true}};
    for (size_t row = 0; row < rows.size(); ++row) {
        if (!Mine(row)) continue;
        const Row& r = rows[row];
        const QString where = r.screen + (r.managed ? " twm " + r.twmrc : " no window manager");
        SCOPED_TRACE((QString(r.saved).replace('\n', "; ") + " " + where).toStdString());
        ManagedScreen screen(services.dir, r.screen, r.saved, r.managed, r.twmrc);
        ASSERT_EQ(screen.failed, nullptr) << screen.failed;
        const auto at = [](const QRect& f) {
            return std::to_string(f.x()) + ", " + std::to_string(f.y()) + " " + std::to_string(f.width()) + " x " +
                   std::to_string(f.height());
        };
        const auto shown = [&] {
            std::vector<QRect> frames;
            if (screen.frame("Untitled").isEmpty()) return frames;
            for (const char* title : r.titles) {
                const QString t(title);
                const char* keys = t == "Snap Tools" ? "ctrl+3" : t == "Live View" ? "ctrl+1" : "";
                if (*keys && ShownWindow(title).isEmpty()) screen.press(keys);
                frames.push_back(screen.frame(title));
            }
            return frames;
        };
        const std::vector<QRect> frames = shown();
        ASSERT_EQ(frames.size(), r.titles.size()) << "no document window";
        const QRect screenArea(QPoint(), QSize(r.screen.section('x', 0, 0).toInt(), r.screen.section('x', 1).toInt()));
        QRect client;
        const QRect document = screen.frame("Untitled", &client);
        // The title bar and the menu titles' row below it: where the screen has room below it, a
        // frame pulled in while the window is up leaves them to be reached.
        const QRect titleAndMenus(document.topLeft(), QPoint(document.right(), client.top() + 20));
        for (size_t i = 0; i < frames.size(); ++i) {
            ASSERT_FALSE(frames[i].isEmpty()) << r.titles[i] << " did not show";
            EXPECT_TRUE(screenArea.contains(frames[i])) << r.titles[i] << " at " << at(frames[i]);
            const bool shownLater = QString(r.titles[i]) == "Snap Tools" || QString(r.titles[i]) == "Live View";
            if (shownLater && frames[i].height() < screenArea.bottom() - titleAndMenus.bottom()) {
                EXPECT_FALSE(frames[i].intersects(titleAndMenus))
                    << r.titles[i] << " at " << at(frames[i]) << " over the title or menus " << at(titleAndMenus);
            }
            // A palette floats over the document window.
            if (QString(r.titles[i]) != "Live View" && frames[i].intersects(document)) {
                EXPECT_TRUE(screen.above(r.titles[i], "Untitled")) << r.titles[i] << " under the document window";
            }
            for (size_t j = 0; j < i; ++j) {
                if (!r.crowded || !frames[i].intersects(frames[j]) || QString(r.titles[i]) != "Live View") {
                    EXPECT_FALSE(frames[i].intersects(frames[j]))
                        << r.titles[i] << " at " << at(frames[i]) << " over the " << r.titles[j] << " at " << at(frames[j]);
                } else {
                    EXPECT_TRUE(screen.above(r.titles[j], r.titles[i])) << r.titles[j] << " under the live view";
                }
            }
        }
        // Notices come late of where the windows stood: none is saved there.
        for (const char* title : r.titles) screen.staleNotice(title, QPoint(-40, -30));
        screen.staleNotice("Untitled", QPoint(-40, -30));
        QTest::qWait(300);
        for (int launch = 2; launch <= 3; ++launch) {
            ASSERT_TRUE(screen.relaunch()) << "launch " << launch;
            QFile settings(screen.settingsFile);
            ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
            const QString kept = QString::fromUtf8(settings.readAll());
            for (const QString& line : r.saved.split('\n'))
                EXPECT_TRUE(kept.contains(line)) << "not kept: " << line.toStdString();
            const std::vector<QRect> again = shown();
            for (size_t i = 0; i < frames.size() && i < again.size(); ++i)
                EXPECT_EQ(again[i], frames[i]) << "launch " << launch << ": " << r.titles[i] << " at " << at(again[i]);
        }
        screen.shot().save(gShot + ".restored-" + QString::number(row + 1) + ".png");
    }
}

// Under each alert of the launch, and under the save alert of New on a changed design, SIGTERM
// ends the program within a bound; the saved design keeps its bytes.
TEST(Terminate, EndsTheProgramUnderEveryLaunchAlertAndLeavesTheSavedDesign) {
    Services services("terminate");
    const std::string dir = services.dir, good = dir + "/good.pro", traced = dir + "/traced.pro", cut = dir + "/cut.pro";
    OpenDocumentWindow();
    dvxtest::Wall(gCurDocument->itsCurLayer, {{0, 0}, {120, 0}});
    ASSERT_NE(KeyFileWrite(good.c_str()), 0);
    std::snprintf(gCurDocument->itsDocState->traceImagePath, 512, "%s", (dir + "/gone.png").c_str());
    ASSERT_NE(KeyFileWrite(traced.c_str()), 0);
    const std::vector<uint8_t> bytes = dvxtest::ReadWholeFile(good);
    bool found = false;  // the longest cut that reads as an incomplete design
    for (size_t keep = bytes.size() - 1; keep > bytes.size() / 2 && !found; --keep)
        found = port::WriteWholeFile(cut, bytes.data(), keep) && KeyFileRead(cut.c_str()) == kKeyFileReadTruncated;
    ASSERT_TRUE(found && port::WriteWholeFile(dir + "/bad.pro", "not a design", 12));

    struct Row { std::string file, alert; bool change; };
    for (const Row& r : {Row{dir + "/bad.pro", "could not be loaded", false}, Row{traced, "trace image", false},
                         Row{cut, "incomplete", false}, Row{good, "save the changes", true}}) {
        SCOPED_TRACE(r.alert);
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DVX_NO_SPLASH", "1"), program.setProcessEnvironment(env);
        program.start(gProgram, {QString::fromStdString(r.file)});
        ASSERT_TRUE(program.waitForStarted(10000));
        // The program's shown windows as (id, the window it is over, a dialog).
        auto shown = [pid = QString::number(program.processId())] {
            std::vector<std::tuple<QString, QString, bool>> out;
            for (const QString& id : XDo({"search", "--onlyvisible", "--pid", pid, "--name", "."}).split('\n', Qt::SkipEmptyParts)) {
                QProcess xprop;
                xprop.start("xprop", {"-id", id, "WM_TRANSIENT_FOR", "_NET_WM_WINDOW_TYPE"}), xprop.waitForFinished(5000);
                const QString text = QString::fromLatin1(xprop.readAllStandardOutput());
                const QString over = text.section("window id # ", 1).section('\n', 0, 0).trimmed();
                out.emplace_back(id, over.isEmpty() ? QString() : QString::number(over.toULongLong(nullptr, 0)), text.contains("_DIALOG"));
            }
            return out;
        };
        QString main;  // the document window: over no other
        ASSERT_TRUE(QTest::qWaitFor([&] {
            for (const auto& [id, over, dialog] : shown()) if (over.isEmpty() && !dialog) main = id;
            return !main.isEmpty();
        }, 15000)) << "no document window";
        if (r.change) XDo({"windowfocus", "--sync", main}), XDo({"key", "ctrl+a", "Delete"}), QTest::qWait(300), XDo({"key", "ctrl+n"});
        EXPECT_TRUE(QTest::qWaitFor([&] {
            for (const auto& [id, over, dialog] : shown()) if (dialog && over == main) return true;
            return false;
        }, 15000)) << "no alert over the document window";
        program.terminate();
        EXPECT_TRUE(program.waitForFinished(10000)) << "alive 10 s after SIGTERM";
        if (program.state() != QProcess::NotRunning) program.kill(), program.waitForFinished(5000);
        EXPECT_EQ(dvxtest::ReadWholeFile(good), bytes);
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 3) return fprintf(stderr, "usage: test_window_first <screenshot.png> <dovranix>\n"), 2;
    gShot = QString::fromLocal8Bit(argv[1]), gProgram = QString::fromLocal8Bit(argv[2]);
    return RUN_ALL_TESTS();
}

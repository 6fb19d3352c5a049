// Starts the program on the virtual display, waits until its window shows, keeps a
// screenshot under the build folder, then asks it to quit and expects a clean exit. A second
// run drives its palettes and menu commands from the keyboard (xdotool); a third opens a
// design written here, finds its wall on the screen, opens the floor pop-up's and the elevation
// slider's menus and chooses another floor. A fourth drives a document window of this process
// through its menu bar and undo keys, a fifth clicks, right-clicks and Ctrl-wheels its plan, a
// sixth drags a rectangle with a drawing tool and clicks into a tracker's loop.
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QPointer>
#include <QUndoStack>
#include <QCursor>
#include <QElapsedTimer>
#include <QImage>
#include <QMap>
#include <QProcessEnvironment>
#include <QRect>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QSet>
#include <QThread>
#include <QToolBar>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

#include "app/app_controller.h"
#include "app/command_router.h"
#include "app/document_view.h"
#include "app/window_controller.h"
#include "files/design_file.h"
#include "files/undo.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/selection_queries.h"
#include "model/bounds.h"
#include "plan/zoom.h"
#include "port/drawing.h"
#include "support/records.h"
#include "port/files.h"
#include "port/qt/platform.h"
#include "support/build.h"
#include "tools/tool_trackers.h"
#include "tracking/tracker_feedback.h"
#include "support/doubles.h"
#include "support/gesture_driver.h"
#include "tracking/drafting_trackers.h"
#include "model/poly_builders.h"
#include "tracking/tool_dispatch.h"
#include "tracking/tracker_loops.h"
#include "tracking/tracking_state.h"
#include "ui/sheets/sheet_dialog.h"
#include "ui/tool_palettes.h"
#include "window/window_support.h"

namespace {

QString gProgram;
QString gShot;

int DistinctColours(const QImage& image) {
    QSet<QRgb> colours;
    const QImage img = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < img.height(); y += 4)
        for (int x = 0; x < img.width(); x += 4) colours.insert(img.pixel(x, y));
    return colours.size();
}

TEST(Window, StartsShowsAndQuits) {
    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(gProgram, {});
    ASSERT_TRUE(program.waitForStarted(10000)) << "cannot start " << gProgram.toStdString();

    QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    // The bare root window is one colour; a shown window with a menu bar is not.
    QImage shot;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 30000) {
        QThread::msleep(200);
        ASSERT_EQ(program.state(), QProcess::Running) << "the program ended early";
        shot = screen->grabWindow(0).toImage();
        if (!shot.isNull() && DistinctColours(shot) > 4) break;
    }
    ASSERT_FALSE(shot.isNull());
    EXPECT_TRUE(shot.save(gShot)) << "cannot save " << gShot.toStdString();
    EXPECT_GT(DistinctColours(shot), 4) << "the screen stayed blank";

    program.terminate();
    ASSERT_TRUE(program.waitForFinished(15000)) << "the program did not quit";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
}

bool WaitFor(const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 10000) {
        if (done()) return true;
        QThread::msleep(100);
    }
    return false;
}

TEST(Window, PalettesFloatAsToolWindowsTheirCommandsToggleThemAndQuitExits) {
    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DVX_NO_SPLASH"), QStringLiteral("1"));
    program.setProcessEnvironment(env);
    program.start(gProgram, {});
    ASSERT_TRUE(program.waitForStarted(10000));

    QString edit, plan, main;
    ASSERT_TRUE(WaitFor([&] {
        edit = ShownWindow(QStringLiteral("Editing Tools"));
        plan = ShownWindow(QStringLiteral("Drawing Tools"));
        main = ShownWindow(QStringLiteral("Untitled"));
        return !edit.isEmpty() && !plan.isEmpty() && !main.isEmpty();
    })) << "the main window and the edit and plan palettes did not all show";
    for (const QString& id : {edit, plan}) {
        QProcess xprop;
        xprop.start(QStringLiteral("xprop"), {"-id", id, "_NET_WM_WINDOW_TYPE"});
        ASSERT_TRUE(xprop.waitForFinished(10000));
        EXPECT_TRUE(xprop.readAllStandardOutput().contains("_NET_WM_WINDOW_TYPE_UTILITY")) << id.toStdString();
    }
    EXPECT_GT(WindowFrame(edit).y(), WindowFrame(plan).y()) << "the edit palette is not under the plan palette";

    // Ctrl+2 is "Hide Editing Tools" / "Show Editing Tools"; Ctrl+4 the drawing tools.
    XDo({"windowfocus", "--sync", main});
    XDo({"key", "--window", main, "ctrl+2"});
    EXPECT_TRUE(WaitFor([&] { return ShownWindow(QStringLiteral("Editing Tools")).isEmpty(); }));
    XDo({"key", "--window", main, "ctrl+4"});
    EXPECT_TRUE(WaitFor([&] { return ShownWindow(QStringLiteral("Drawing Tools")).isEmpty(); }));
    XDo({"key", "--window", main, "ctrl+2"});
    EXPECT_TRUE(WaitFor([&] { return !ShownWindow(QStringLiteral("Editing Tools")).isEmpty(); }));

    // To the focused window through the server: a key sent to a window that is gone by its
    // release would stay pressed for the next run.
    XDo({"windowfocus", "--sync", main});
    XDo({"key", "ctrl+q"});
    ASSERT_TRUE(program.waitForFinished(15000)) << "Quit did not end the program";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
}

// Rows (or columns) of the image holding a run of at least `length` black pixels.
QList<int> BlackRuns(const QImage& image, int length, bool rows) {
    QList<int> found;
    const int lines = rows ? image.height() : image.width(), along = rows ? image.width() : image.height();
    for (int i = 0; i < lines; ++i) {
        int run = 0, best = 0;
        for (int j = 0; j < along; ++j) {
            const QRgb c = rows ? image.pixel(j, i) : image.pixel(i, j);
            run = qGray(c) == 0 ? run + 1 : 0;
            best = std::max(best, run);
        }
        if (best >= length) found << i;
    }
    return found;
}

class DesignWindow : public dvxtest::DocumentTest {};

TEST_F(DesignWindow, ShowsTheWallOfTheDesignInsideItsLotOpensItsMenusAndEndsOnTerminate) {
    // A lot of 600 x 400 with one exterior wall 200 long, 100 above the centre; at zoom 0.6 on
    // the screen: a frame of 360 x 240 pixels and a wall 120 long, 60 above its centre.
    DocState* ds = doc->itsDocState;
    ds->lotRect = {-200, -300, 200, 300};
    ds->zoomFactor = ds->savedZoom = 0.6f;
    ds->cameraPosition = {250, 150};
    Objex* wall = dvxtest::Outline(objtype::kWall, {{-150, -100}, {50, -100}}, false, objsubtype::kExteriorWall)
                      .on(doc->itsCurLayer);
    wall->penWidth = 6;
    const QString path = QString::fromStdString(dvxtest::FreshTempFolder("design")) + "/house.pro";
    ASSERT_NE(KeyFileWrite(path.toUtf8().constData()), 0);

    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DVX_NO_SPLASH"), QStringLiteral("1"));
    program.setProcessEnvironment(env);
    program.start(gProgram, {path});
    ASSERT_TRUE(program.waitForStarted(10000));
    QString window;
    ASSERT_TRUE(WaitFor([&] { return !(window = ShownWindow(QStringLiteral("house.pro"))).isEmpty(); }));
    QList<int> top, sides;
    QImage shot;
    // The frame's edges: the only long black lines on the screen (a window not painted yet is
    // black all over).
    auto edges = [](const QList<int>& lines) { return lines.size() >= 2 && lines.size() <= 6; };
    ASSERT_TRUE(WaitFor([&] {
        shot = QGuiApplication::primaryScreen()->grabWindow(0).toImage().copy(WindowFrame(window));
        top = BlackRuns(shot, 300, true), sides = BlackRuns(shot, 200, false);
        return edges(top) && edges(sides);
    })) << "no lot frame on the screen";
    shot.save(gShot + ".design.png");
    const QRect frame(QPoint(sides.first(), top.first()), QPoint(sides.last(), top.last()));
    EXPECT_NEAR(frame.width(), 360, 2);
    EXPECT_NEAR(frame.height(), 240, 2);
    // The wall: the rows inside the frame that are black for 100 pixels and more (its
    // dimension line above is broken by its text, the camera marker is small).
    QRect ink;
    for (int y = frame.top() + 2; y < frame.bottom() - 1; ++y) {
        QRect row;
        for (int x = frame.left() + 2; x < frame.right() - 1; ++x)
            if (qGray(shot.pixel(x, y)) == 0) row |= QRect(x, y, 1, 1);
        if (BlackRuns(shot.copy(row), 100, true).size() == 1) ink |= row;
    }
    ASSERT_FALSE(ink.isEmpty()) << "no wall";
    EXPECT_NEAR(ink.center().x() - frame.center().x(), -30, 3);
    EXPECT_NEAR(ink.center().y() - frame.center().y(), -60, 3);
    EXPECT_NEAR(ink.width(), 120, 10);
    EXPECT_LT(ink.height(), 12);

    // Choosing "Second Floor" in the floor pop-up (the second line of text, under the menu bar)
    // draws the first floor's wall in the other floors' colour.
    auto dark = [&](int y) {
        for (int x = 0; x < 150; ++x)
            if (qGray(shot.pixel(x, y)) < 100) return true;
        return false;
    };
    int popUpY = -1;
    for (int y = 1, lines = 0; y < frame.top() && popUpY < 0; ++y)
        if (dark(y) && !dark(y - 1) && ++lines == 2) popUpY = y + 4;
    ASSERT_GE(popUpY, 0) << "no floor pop-up";
    const QRect w = WindowFrame(window);
    const QString pid = QString::number(program.processId());
    auto windows = [&] { return XDo({"search", "--onlyvisible", "--pid", pid}).split('\n').size(); };
    const int before = windows();
    // A right click on the pop-up shows the floors as a menu, one on the elevation slider (the
    // status bar's right end) its menu: one menu each, which Escape closes.
    for (QPoint at : {QPoint(w.x() + 30, w.y() + popUpY), QPoint(w.right() - 140, w.bottom() - 10)}) {
        XDo({"mousemove", "--sync", QString::number(at.x()), QString::number(at.y())});
        XDo({"click", "3"});
        EXPECT_TRUE(WaitFor([&] { return windows() > before; })) << "no menu at " << at.x() << "," << at.y();
        EXPECT_EQ(windows(), before + 1) << "more than one menu";
        EXPECT_TRUE(WaitFor([&] { return XDo({"key", "--clearmodifiers", "Escape"}), windows() == before; }));
    }
    XDo({"mousemove", "--sync", QString::number(w.x() + 30), QString::number(w.y() + popUpY)});
    XDo({"click", "1"});
    ASSERT_TRUE(WaitFor([&] { return windows() > before; })) << "the floor pop-up did not open";
    XDo({"key", "Down", "Return"});
    EXPECT_TRUE(WaitFor([&] {
        shot = QGuiApplication::primaryScreen()->grabWindow(0).toImage().copy(w);
        QSet<int> greys;
        for (int y = ink.top(); y <= ink.bottom(); ++y)
            for (int x = ink.left(); x <= ink.right(); ++x) greys << qGray(shot.pixel(x, y));
        return !greys.contains(0) && greys.contains(qGray(qRgb(0xD7, 0xD7, 0xD7)));
    })) << "the first floor's wall did not turn grey";

    program.terminate();
    ASSERT_TRUE(program.waitForFinished(15000));
    EXPECT_EQ(std::tuple(program.exitStatus(), program.exitCode()), std::tuple(QProcess::NormalExit, 0));
}

// In this process: the menu bar of a document window, with the server's mouse and keys. Select
// All and Delete from the Edit menu, then undo and redo by their keys while a palette is active.
TEST(MenuBar, DeleteFromTheEditMenuThenUndoFromAPaletteAndRedo) {
    using namespace dvxtest;
    WindowTestServices services("menus");
    QMDWindowController* w = OpenDocumentWindow();
    QMDDocument* d = w->document();
    for (float x : {0.0f, 100.0f}) Shape(d->model()->itsCurLayer, objtype::kDetail, {{x, 0}, {x + 40, 0}, {x + 40, 40}}, true);
    StoreUndo("Rectangle");  // as the drawing tool leaves them
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    // An undo reads the design back, its floors new records.
    auto objects = [] { return CountObjects(GetLayerFromName("First Floor")->firstObject); };

    auto choose = [&](const char* name) { return ChooseMenuItem(w, "Edit", name); };
    ASSERT_TRUE(choose("selectAll"));
    ASSERT_TRUE(choose("delete"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return objects() == 0; })) << "Delete removed nothing";
    QAction* undoItem = w->commandRouter()->action("undo");
    EXPECT_EQ(std::tuple(undoItem->text(), undoItem->isEnabled()), std::tuple(QString("Undo Delete"), true));

    // The keys reach the document's undo stack while the palette is the active window.
    QWidget* palette = ToolPaletteController::shared()->window();
    palette->show();
    XDo({"windowfocus", "--sync", QString::number(palette->winId())});
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == palette; }));
    XDo({"key", "ctrl+z"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return objects() == 2; })) << "Ctrl+Z did not undo";
    XDo({"key", "ctrl+shift+z"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return objects() == 0; })) << "Ctrl+Shift+Z did not redo";
    AppController::destroyShared(), ResetAllGlobals();
}

// The plan of a document window under the server's mouse: a click on a wall's end shows the
// point's handle there, a right click on empty plan runs the base menu, Ctrl and the wheel zoom
// one notch about the pointer.
TEST(PlanMouse, AClickShowsAHandleARightClickTheBaseMenuAndCtrlWheelZoomsAboutThePointer) {
    using namespace dvxtest;
    WindowTestServices services("plan");
    QMDWindowController* w = OpenDocumentWindow();
    QMDDocument* d = w->document();
    DocState* ds = d->model()->itsDocState;
    ds->zoomFactor = 1;  // plan view points are the plan's (H, D)
    ASSERT_TRUE(ShowFocused(w));
    QMDDocumentView* view = w->docView();
    const PlatformRect shown = view->visibleRect();
    const float h = std::round(shown.x + shown.width / 2), dp = std::round(shown.y + shown.height / 2);
    Objex* wall = Wall(d->model()->itsCurLayer, {{h, dp}, {h + 100, dp}});
    auto moveTo = [view](float x, float y) {
        const QPoint p = view->mapToGlobal(QPointF(x - view->boundsOrigin().x, y - view->boundsOrigin().y)).toPoint();
        XDo({"mousemove", "--sync", QString::number(p.x()), QString::number(p.y())});
        return p;
    };
    // The handle: a square 8 pixels across, black edged, in the focus colour, on the point.
    const port::Color c = port::systemColors().keyboardFocusIndicatorColor();
    const QRgb focus = QColor::fromRgbF(c.red, c.green, c.blue).rgb();
    const QPoint end = moveTo(h, dp);
    auto screen = [&](int dx, int dy, int size) {
        return QGuiApplication::primaryScreen()->grabWindow(0, end.x() + dx, end.y() + dy, size, size).toImage();
    };
    auto handleShown = [&] {
        const QImage a = screen(-3, -3, 8);
        for (int i = 0; i < 8; ++i)
            if (qGray(a.pixel(i, 0)) || qGray(a.pixel(i, 7))) return false;
        return a.pixel(1, 1) == focus && a.pixel(6, 6) == focus;
    };
    view->update();
    ASSERT_TRUE(QTest::qWaitFor([&] { return qGray(screen(0, 0, 1).pixel(0, 0)) == 0; }));  // the wall, no handle
    ASSERT_FALSE(handleShown());
    XDo({"click", "1"});
    EXPECT_TRUE(QTest::qWaitFor(handleShown)) << "no handle at the wall's end";
    EXPECT_EQ(PointAt(wall, 0)->selected, 1);

    // The menu runs inside the press: a timer reads and shuts it.
    QStringList items;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            for (QAction* a : menu->actions()) items << a->objectName();
            menu->close();
        }
    });
    poll.start(50);
    moveTo(h - 200, dp + 100), XDo({"click", "3"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return !items.isEmpty(); })) << "no menu";
    EXPECT_EQ(std::tuple(items.join(' '), PointAt(wall, 0)->selected),
              std::tuple("toggleDimensions toggleCallouts  setFloorView setFloorView  setGridProperties toggleGrid "
                         "snapToGrid  paste", 0));

    // The plan point under the pointer stays there.
    const QPoint pointer = moveTo(h + 40, dp - 60);
    XDo({"keydown", "ctrl", "click", "4", "keyup", "ctrl"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return ds->zoomFactor != 1; }));
    const QPointF under = view->mapFromGlobal(QPointF(pointer));
    EXPECT_FLOAT_EQ(ds->zoomFactor, 1.025f);
    EXPECT_NEAR(UnzoomF(float(under.x() + view->boundsOrigin().x)), h + 40, 1.5);
    EXPECT_NEAR(UnzoomF(float(under.y() + view->boundsOrigin().y)), dp - 60, 1.5);
    AppController::destroyShared(), ResetAllGlobals();
}

// A click moving the selection between two boxes repaints only the handles' areas; the screen
// then shows what a whole repaint shows (the first box bare, the second with its handles).
TEST(PlanMouse, ASelectingClickLeavesTheScreenAsAWholeRepaint) {
    WindowTestServices services("handles");
    QMDWindowController* w = OpenDocumentWindow();
    w->document()->model()->itsDocState->zoomFactor = 1;
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    QMDDocumentView* view = w->docView();
    const PlatformRect r = view->visibleRect();
    for (float x : {r.x + 50, r.x + 250}) {
        Objex* box = dvxtest::Make(9).on(w->document()->model()->itsCurLayer).closed().shown().plan(
            {{x, r.y + 50}, {x + 100, r.y + 50}, {x + 100, r.y + 130}, {x, r.y + 130}});
        UpdateObjectRootBounds(box, 0, 0);
        ClickAt(view, QPoint(int(x - view->boundsOrigin().x), int(r.y + 50 - view->boundsOrigin().y)));
        ASSERT_TRUE(QTest::qWaitFor([&] { return IsObjectSelected(box); }));
    }
    auto shot = [view] {
        const QPoint o = view->mapToGlobal(QPoint(0, 0));
        QTest::qWait(300);  // what was asked reaches the server
        return QGuiApplication::primaryScreen()->grabWindow(0, o.x(), o.y(), view->width(), view->height()).toImage();
    };
    const QImage clicked = shot();
    view->repaint();
    EXPECT_EQ(clicked, shot());
    clicked.save(gShot + ".handles.png");
    AppController::destroyShared(), dvxtest::ResetAllGlobals();
}

// Follows the pointer and takes presses and keys until Escape; consecutive moves count once.
TrackerRoutine FollowUntilEscape(std::vector<std::string>& seen) {
    for (;;) {
        const TrackEvent e = co_await NextTrackEvent(0x142A);
        std::string what = e.type == trackevent::kMouseMoved ? "move" : std::to_string(e.type);
        if (e.type == trackevent::kKeyDown) what += " " + std::to_string(e.keyCode);
        if (seen.empty() || seen.back() != what) seen.push_back(what);
        if (e.type == trackevent::kKeyDown && e.keyCode == keycode::kEscape) break;
    }
    gMouseCaptured = 0;
}

// The plan of a document window under the server's mouse with drawing tools. A rectangle
// dragged with tool 7700, built by a test tracker at the release, shows in the plan and Ctrl+Z
// takes it away; the same events through the gesture driver give the same tracker calls. A
// loop a click's release opens takes the pointer's moves, the next press and Escape while the
// menus wait, and a lost focus closes it. Then the rectangle and polygon tools themselves.
TEST(PlanMouse, ADraggedRectangleShowsAndUndoesAndALoopTakesClicksMovesAndEscape) {
    using namespace dvxtest;
    WindowTestServices services("tools");
    QMDWindowController* w = OpenDocumentWindow();
    QMDDocument* d = w->document();
    DocState* ds = d->model()->itsDocState;
    ds->zoomFactor = 1, ds->snapToGrid = 0;  // plan view points are the plan's (H, D)
    ASSERT_TRUE(ShowFocused(w));
    QMDDocumentView* view = w->docView();
    view->setFocus();
    const PlatformRect shown = view->visibleRect();
    // Right of and below the plan's origin (the window shows the paper's centre), where a
    // point's rounding (+0.5, truncated toward zero) keeps it on its pixel.
    const int h = int(shown.x + shown.width / 2) + 150, dp = int(shown.y + shown.height / 2) + 150;
    auto global = [view](int x, int y) {
        return view->mapToGlobal(QPointF(x - view->boundsOrigin().x, y - view->boundsOrigin().y)).toPoint();
    };
    auto moveTo = [&](int x, int y) {
        const QPoint p = global(x, y);
        XDo({"mousemove", "--sync", QString::number(p.x()), QString::number(p.y())});
    };
    auto inked = [&](int x, int y) {  // anything but the white plan
        const QPoint p = global(x, y);
        return qGray(QGuiApplication::primaryScreen()->grabWindow(0, p.x(), p.y(), 1, 1).toImage().pixel(0, 0)) < 200;
    };
    std::vector<std::string> calls;
    std::vector<POINT> drawn;  // the press, then each drag's new point (its second call)
    int drags = 0;
    RegisterTracker(TrackerSlot::Rect, [&](int32_t x, int32_t y, float, float, float, int16_t stage) {
        calls.push_back(std::to_string(stage) + " " + std::to_string(x) + "," + std::to_string(y));
        if (stage == 1 || (stage == 2 && ++drags % 2 == 0)) drawn.push_back({x, y});
        if (stage != 3) return;
        // The plan's corners, as the rectangle tool lays them (BuildRect's lie across the plan).
        const Float3DPoint corners[] = {{gUpX, gDownY, gUpZ}, {gUpX, gDownY, gDownZ}, {gDownX, gDownY, gDownZ},
                                        {gDownX, gDownY, gUpZ}}, zero[4] = {};
        BuildClosedPoly(corners, nullptr, zero, zero, nullptr, nullptr, 4, gCurDocument->itsCurLayer, 0);
        gMouseCaptured = 0;
    });

    gCurTool = toolid::kRectangle;
    view->update();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !inked(h, dp - 60) && !inked(h - 100, dp); }));
    moveTo(h - 100, dp - 60), XDo({"mousedown", "1"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return calls.size() == 1; }));
    moveTo(h - 20, dp - 10);
    ASSERT_TRUE(QTest::qWaitFor([&] { return calls.size() == 3; }));
    moveTo(h + 100, dp + 60);
    ASSERT_TRUE(QTest::qWaitFor([&] { return calls.size() == 5; }));
    XDo({"mouseup", "1"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return calls.size() == 6 && !view->gestureBusy(); }));
    EXPECT_TRUE(QTest::qWaitFor([&] { return inked(h, dp - 60) && inked(h - 100, dp) && inked(h, dp + 60); }))
        << "no rectangle in the plan";
    EXPECT_FALSE(inked(h, dp));
    QGuiApplication::primaryScreen()->grabWindow(w->winId()).save(gShot + ".rectangle.png");
    EXPECT_EQ(d->undoStack()->undoText(), QString("Rectangle Tool"));
    XDo({"key", "ctrl+z"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return CountObjects(gCurDocument->itsCurLayer->firstObject) == 0; }));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !inked(h, dp - 60) && !inked(h - 100, dp); })) << "Ctrl+Z left it";

    const std::vector<std::string> real = calls;
    calls.clear();
    ASSERT_EQ(drawn.size(), 3u);
    GestureDriver g;
    g.press(drawn[0]), g.drag(drawn[1]), g.drag(drawn[2]), g.release(drawn[2]);
    EXPECT_EQ(calls, real);

    std::vector<std::string> loop;
    RegisterTracker(TrackerSlot::Poly, [&](int32_t, int32_t, float, float, float, int16_t stage) {
        if (stage == 3) StartTrackerRoutine(FollowUntilEscape(loop));
    });
    gCurTool = 7703;
    const int steps = d->undoStack()->index();
    const QString lastStep = d->undoStack()->undoText();
    moveTo(h - 100, dp - 60), XDo({"click", "1"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->hasMouseTracking(); })) << "the loop did not ask for moves";
    moveTo(h, dp);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !loop.empty(); }));
    XDo({"click", "1"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return loop.size() == 2; }));
    const bool offered = CommandRouter::validateMenuItem(w->commandRouter()->action("selectAll"));
    XDo({"key", "Escape"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !view->gestureBusy(); })) << "Escape did not end the loop";
    EXPECT_EQ(loop, (std::vector<std::string>{"move", "1", "10 53"}));
    // The loop's gesture built nothing: no step.
    EXPECT_EQ(std::tuple(offered, view->hasMouseTracking(), d->undoStack()->index() - steps, d->undoStack()->undoText()),
              std::tuple(false, false, 0, lastStep));
    // A lost focus closes the loop where it waits (a click, not a double click).
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    XDo({"click", "1"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->hasMouseTracking(); }));
    QFocusEvent lost(QEvent::FocusOut);
    QApplication::sendEvent(view, &lost);
    EXPECT_EQ(std::tuple(view->gestureBusy(), TrackerLoopOpen(), view->hasMouseTracking()), std::tuple(false, false, false));

    // The drafting tools themselves: a dragged rectangle and a polygon of a click, a click and a
    // double click show in the plan, and Ctrl+Z takes each away.
    RegisterDraftingTrackers();
    XDo({"windowfocus", "--sync", QString::number(w->winId())});
    view->setFocus();

    // A wall dragged with the interior wall tool shows its solid along the drag, and Ctrl+Z
    // takes it away.
    RegisterToolTrackers();
    gCurTool = 7052;
    const int before = CountObjects(gCurDocument->itsCurLayer->firstObject);
    moveTo(h - 100, dp + 100), XDo({"mousedown", "1"});
    moveTo(h - 20, dp + 100), moveTo(h + 100, dp + 100);
    XDo({"mouseup", "1"});
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return !view->gestureBusy() && CountObjects(gCurDocument->itsCurLayer->firstObject) == before + 1;
    }));
    // Half way along the wall as the view projects it (the drag's angle keeps to 5-degree steps,
    // so its far end need not lie on the pointer's row).
    Objex* wall = gCurDocument->itsCurLayer->firstObject;
    while (wall->next) wall = wall->next;
    ASSERT_TRUE(wall->type == objtype::kWall && wall->pointCount == 2);
    const Poinz* a = wall->firstPoint;
    const Poinz* b = a->next;
    const PlatformPoint middle = feedback::ToView(Float3DPoint{(a->position[0] + b->position[0]) / 2, 0,
                                                               (a->position[2] + b->position[2]) / 2});
    const int mx = int(middle.x), my = int(middle.y);
    EXPECT_TRUE(QTest::qWaitFor([&] { return inked(mx, my); })) << "no wall in the plan";
    QGuiApplication::primaryScreen()->grabWindow(w->winId()).save(gShot + ".wall.png");
    EXPECT_EQ(d->undoStack()->undoText(), QString("Interior Wall Tool"));
    XDo({"key", "ctrl+z"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return CountObjects(gCurDocument->itsCurLayer->firstObject) == before; }));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !inked(mx, my); })) << "Ctrl+Z left the wall";
    AppController::destroyShared(), ResetAllGlobals();
}

// Clicks the named button of the first message box to show, a sheet or a modal one (which
// runs its own loop, so it is watched from a timer); keeps its text.
struct Answer {
    explicit Answer(QString button) {
        QObject::connect(&timer, &QTimer::timeout, [this, button] {
            for (auto* box : QApplication::allWidgets())
                if (auto* b = qobject_cast<QMessageBox*>(box); b && b->isVisible() && text.isEmpty())
                    for (QAbstractButton* k : b->buttons())
                        if (k->text() == button) text = b->text(), ClickAt(k, k->rect().center());
        });
        timer.start(100);
    }
    bool given() { return QTest::qWaitFor([&] { return !text.isEmpty(); }); }
    QString text;
    QTimer timer;
};

// Types the path into the file panel on the window and accepts it.
bool Choose(QWidget* w, const QString& path) {
    QPointer<QFileDialog> panel;  // freed once closed
    if (!QTest::qWaitFor([&] {
            for (auto* p : w->findChildren<QFileDialog*>())
                if (p->isVisible()) panel = p;
            return !panel.isNull();
        }))
        return false;
    auto* name = panel->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    XDo({"windowfocus", QString::number(panel->winId())});
    XDo({"mousemove", "0", "0"});  // a --sync move onto the pointer would wait for ever
    ClickAt(name, name->rect().center());
    XDo({"key", "ctrl+a"}), XDo({"type", "--delay", "5", path}), XDo({"key", "Return"});
    return QTest::qWaitFor([&] { return !panel || !panel->isVisible(); });
}

// In this process, the real alerts and panels: a design saved, started over, opened, undone,
// reverted, saved again, a damaged file refused, from the File and Edit menus and their keys.
TEST(FileMenu, SaveNewOpenUndoRevertAndADamagedFileInTheOneWindow) {
    using namespace dvxtest;
    AppController::destroyShared(), ResetAllGlobals();
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    const QString dir = QString::fromStdString(FreshTempFolder("filemenu")), house = dir + "/house.pro";
    TempFolders folders(dir.toStdString());
    port::qt::QtAlerts alerts;
    port::qt::QtFileDialogs panels;
    port::qt::QtDocumentUndo undo;
    port::setFolders(&folders), port::setAlerts(&alerts), port::setFileDialogs(&panels), port::setDocumentUndo(&undo);
    QMDWindowController* w = OpenDocumentWindow();
    QMDDocument* d = w->document();
    QMDDocumentModel* model = d->model();
    auto draw = [&] { Shape(model->itsCurLayer, objtype::kDetail, {{0, 0}, {40, 0}, {40, 40}}, true), StoreUndo("Rectangle"); };
    auto objects = [&] { return CountObjects(model->itsCurLayer->firstObject); };
    auto key = [&](const char* k) { XDo({"windowfocus", "--sync", QString::number(w->winId())}), XDo({"key", k}); };
    auto choose = [&](const char* menuName, const char* name) { return ChooseMenuItem(w, menuName, name); };
    // Once a panel or an alert has ended, a key reaches the plan wherever the pointer is.
    auto keyboardBack = [&] {
        return QTest::qWaitFor([] { return !QApplication::activeModalWidget(); }) && MovePointerOffWindows() &&
               KeyReaches(w->docView());
    };
    draw(), draw(), w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    key("ctrl+s");
    ASSERT_TRUE(Choose(w, house) && QTest::qWaitFor([&] { return w->windowTitle().startsWith("house.pro"); }));
    EXPECT_TRUE(keyboardBack()) << "the save panel";
    key("ctrl+n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return objects() == 0 && d->displayName() == "Untitled"; })) << "Ctrl+N";
    key("ctrl+o");
    // A click on the window under the open panel leaves the keyboard with the panel.
    QPointer<QFileDialog> opening;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        for (QFileDialog* p : w->findChildren<QFileDialog*>()) opening = p->isVisible() ? p : opening.data();
        return opening && opening->isActiveWindow();
    }));
    auto* bar = w->findChild<QToolBar*>();
    ClickAt(bar, QPoint(bar->width() - 10, bar->height() / 2)), QTest::qWait(300);
    EXPECT_TRUE(KeyReaches(opening)) << "the click on the window took the open panel's keyboard";
    ASSERT_TRUE(Choose(w, house) && QTest::qWaitFor([&] { return objects() == 2; })) << "Ctrl+O";
    EXPECT_TRUE(keyboardBack()) << "the open panel";
    EXPECT_EQ(std::tuple(d->model(), d->isDocumentEdited(), d->undoStack()->count()), std::tuple(model, false, 0));
    draw();
    EXPECT_TRUE(choose("Edit", "undo") && QTest::qWaitFor([&] { return objects() == 2 && !d->isDocumentEdited(); })) << "Undo";
    EXPECT_TRUE(choose("Edit", "redo") && QTest::qWaitFor([&] { return objects() == 3; })) << "Redo";
    Answer revert(QStringLiteral("Revert"));
    ASSERT_TRUE(choose("File", "revertDocumentToSaved") && revert.given());
    EXPECT_TRUE(QTest::qWaitFor([&] { return objects() == 2 && !d->isDocumentEdited(); })) << "Revert to Saved";
    // New on an edited design asks; Cancel keeps it.
    draw();
    Answer cancel(QStringLiteral("Cancel"));
    ASSERT_TRUE(choose("File", "newDocument") && cancel.given());
    EXPECT_EQ(std::tuple(cancel.text, objects()), std::tuple(QString("Do you want to save the changes you made in the document \"house\"?"), 3));
    EXPECT_TRUE(keyboardBack()) << "the save question";
    // Ended by a click after a palette cell and the plan were clicked while it was up.
    ToolPaletteController* tools = ToolPaletteController::shared();
    tools->showWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(tools->window()));
    QWidget* cell = tools->toolButtons()->cell(200);
    bool clicked = false;
    QTimer meanwhile;
    QObject::connect(&meanwhile, &QTimer::timeout, [&] {
        for (auto* each : QApplication::allWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(each); box && box->isVisible() && !clicked) {
                clicked = true;
                ClickAt(cell, cell->rect().center()), QTest::qWait(300);
                ClickAt(w->docView(), QPoint(40, 40)), QTest::qWait(300);
                for (QAbstractButton* k : box->buttons())
                    if (k->text() == "Cancel") ClickAt(k, k->rect().center());
            }
    });
    meanwhile.start(100);
    ASSERT_TRUE(choose("File", "newDocument") && QTest::qWaitFor([&] { return clicked; }));
    meanwhile.stop();
    EXPECT_TRUE(keyboardBack()) << "the save question after a palette cell and the plan";
    key("ctrl+s");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !d->isDocumentEdited(); })) << "Ctrl+S";
    // What the design saves and no step stores marks it changed, so Quit asks: the snap offset
    // typed into its field, the live view's speed from its menu.
    SnapPaletteController* snap = SnapPaletteController::shared();
    snap->showWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(snap->window()));
    for (const char* by : {"the snap offset", "the navigation speed"}) {
        if (by == std::string("the snap offset")) {
            QWidget* offsetCell = snap->toolButtons()->cell(507);
            ClickAt(offsetCell, offsetCell->rect().center());
            ASSERT_TRUE(QTest::qWaitFor([&] { return snap->offsetText()->isEnabled(); }));
            ClickAt(snap->offsetText(), snap->offsetText()->rect().center());
            ASSERT_TRUE(KeyReaches(snap->offsetText())) << "the offset field has not the keyboard";
            XDo({"key", "ctrl+a"}), XDo({"type", "9"}), XDo({"key", "Return"});
            ASSERT_TRUE(QTest::qWaitFor([&] { return model->itsDocState->snapOffset == 9.0f; }))
                << snap->offsetText()->text().toStdString();
        } else {
            ASSERT_TRUE(ChooseMenuItem(w, "LiveView", "setLVNavigationSpeed", 10504, "Navigation Speed"));
            ASSERT_TRUE(QTest::qWaitFor([&] { return model->itsDocState->navigationSpeed == 10; }));
        }
        Answer stay(QStringLiteral("Cancel"));
        key("ctrl+q");
        ASSERT_TRUE(stay.given()) << "Quit did not ask after " << by;
        EXPECT_EQ(stay.text, QString("Do you want to save the changes you made in the document \"house\"?")) << by;
        EXPECT_TRUE(keyboardBack()) << "the Quit question after " << by;
        key("ctrl+s");
        EXPECT_TRUE(QTest::qWaitFor([&] { return !d->isDocumentEdited(); })) << "Ctrl+S after " << by;
    }
    key("ctrl+shift+s");
    ASSERT_TRUE(Choose(w, dir + "/copy.pro") && QTest::qWaitFor([&] { return d->displayName() == "copy.pro"; }));
    EXPECT_EQ(ReadWholeFile((dir + "/copy.pro").toStdString()), ReadWholeFile(house.toStdString()));
    // A damaged file: named in an alert, the design stays; the recent files list the last one.
    ASSERT_TRUE(port::WriteWholeFile((dir + "/bad.pro").toStdString(), "not a design", 12));
    Answer refused(QStringLiteral("OK"));
    ASSERT_TRUE(choose("File", "openDocument") && Choose(w, dir + "/bad.pro") && refused.given());
    EXPECT_EQ(std::tuple(refused.text, objects()), std::tuple(QString("The document \"bad\" could not be loaded."), 3));
    EXPECT_TRUE(keyboardBack()) << "the alert";
    QMenu* recent = w->menuBar()->findChild<QMenu*>(QStringLiteral("Open Recent"));
    emit recent->aboutToShow();
    EXPECT_EQ(recent->actions().value(0) ? recent->actions()[0]->text() : QString(), dir + "/copy.pro");
    // Down in the name field after "hou", as a list of names would be browsed: the field keeps
    // what was typed, though house.pro is there to offer.
    key("ctrl+shift+s");
    QPointer<QFileDialog> offering;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        for (QFileDialog* p : w->findChildren<QFileDialog*>()) offering = p->isVisible() ? p : offering.data();
        return offering && offering->isActiveWindow();
    }));
    auto* typedInto = offering->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ClickAt(typedInto, typedInto->rect().center()), XDo({"key", "ctrl+a"}), XDo({"type", "hou"}), XDo({"key", "Down"});
    QTest::qWait(300);
    EXPECT_EQ(typedInto->text().toStdString(), "hou");
    offering->reject();
    // Under a window manager that leaves the panel inactive while its keys still reach it (twm,
    // the pointer off the panel), the name typed over the proposed one is saved: no alert about
    // the proposed file. twm starts with the pointer on the window, which the checks above left.
    const QPoint middle = w->mapToGlobal(w->rect().center());
    XDo({"mousemove", QString::number(middle.x()), QString::number(middle.y())});
    ASSERT_TRUE(QTest::qWaitFor([&] { return QCursor::pos() == middle; }));
    QProcess twm;
    QFile rc(dir + "/twmrc");
    ASSERT_TRUE(rc.open(QIODevice::WriteOnly));
    for (const char* font : {"Title", "Resize", "Menu", "Icon", "IconManager"}) rc.write(font + QByteArray("Font \"fixed\"\n"));
    rc.write("RandomPlacement\nNoGrabServer\n"), rc.close(), twm.start(DVX_TWM, {"-f", rc.fileName()});
    ASSERT_TRUE(QTest::qWaitFor([] { return !XDo({"search", "--name", "^TWM Icon Manager$"}).isEmpty(); }, 15000));
    key("ctrl+shift+s");
    QPointer<QFileDialog> panel;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (panel = w->findChild<QFileDialog*>()) && panel->isVisible(); }));
    auto* field = panel->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    const QString id = QString::number(panel->winId());
    XDo({"mousemove", "0", "0"}), ClickAt(field, field->rect().center()), XDo({"key", "ctrl+a"});
    XDo({"mousemove", "1279", "1023"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !panel->isActiveWindow(); }));
    QString alert;  // answered No at once
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        for (auto* each : QApplication::allWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(each); box && box->isVisible()) alert = box->text(), box->done(QMessageBox::No);
    });
    watch.start(100);
    XDo({"type", "--window", id, "--delay", "5", "again.pro"}), XDo({"key", "--window", id, "Return"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return d->displayName() == "again.pro" || !alert.isEmpty(); }));
    EXPECT_EQ(std::tuple(d->displayName(), alert.toStdString()), std::tuple(std::string("again.pro"), std::string()));
    if (panel) panel->reject();
    watch.stop();
    // With the pointer on the panel, each key typed over the proposed name is the field's, though
    // the folder lists house.pro, and the file takes the name typed and the design's suffix.
    key("ctrl+shift+s");
    QFileDialog* named = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        for (QFileDialog* p : w->findChildren<QFileDialog*>()) named = p->isVisible() ? p : named;
        return named != nullptr;
    }));
    field = named->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    const QPoint onField = field->mapToGlobal(field->rect().center());
    XDo({"mousemove", QString::number(onField.x()), QString::number(onField.y())});
    // As twm leaves it after a click the panel holds: the keyboard on the panel's frame, so its
    // keys reach the field under the pointer while the panel is inactive.
    QProcess tree;
    tree.start(QStringLiteral("xwininfo"), {"-tree", "-id", QString::number(named->winId())}), tree.waitForFinished(10000);
    const QString frame = QString::fromLatin1(tree.readAllStandardOutput()).section("Parent window id: ", 1).section(' ', 0, 0);
    XDo({"windowfocus", QString::number(frame.toULongLong(nullptr, 16))});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !named->isActiveWindow(); })) << frame.toStdString();
    XDo({"key", "ctrl+a"});
    QString typed;
    for (const QChar c : QStringLiteral("house2")) {
        typed += c, XDo({"type", QString(c)});
        EXPECT_TRUE(QTest::qWaitFor([&] { return field->text() == typed; }, 2000)) << field->text().toStdString();
    }
    XDo({"key", "Return"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return d->displayName() == "house2.pro"; })) << d->displayName();
    EXPECT_TRUE(QFile::exists(dir + "/house2.pro"));
    // A sheet and the save question ended with Escape, the pointer on the window: the keyboard
    // comes back to it.
    ASSERT_TRUE(choose("Plan", "setTrueNorthAngle"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return ShownSheet(w) && ShownSheet(w)->isActiveWindow(); }));
    XDo({"key", "Escape"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !ShownSheet(w); }));
    EXPECT_TRUE(KeyReaches(w->docView())) << "a sheet under twm";
    draw(), key("ctrl+n");
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activeModalWidget() && QApplication::activeModalWidget()->isActiveWindow(); }));
    XDo({"key", "Escape"});
    ASSERT_TRUE(QTest::qWaitFor([] { return !QApplication::activeModalWidget(); }));
    EXPECT_EQ(objects(), 4) << "Escape is the question's Cancel";
    EXPECT_TRUE(KeyReaches(w->docView())) << "the save question under twm";
    twm.terminate(), twm.waitForFinished(5000);
    AppController::destroyShared(), ResetAllGlobals();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 3) {
        fprintf(stderr, "usage: test_window <dovranix> <screenshot.png>\n");
        return 2;
    }
    gProgram = QString::fromLocal8Bit(argv[1]);
    gShot = QString::fromLocal8Bit(argv[2]);
    return RUN_ALL_TESTS();
}

// A new user's first minutes, under the virtual X server: every tool button and toolbar item
// shows its picture; a new or opened design is in view; a design saved on the second floor opens
// there; gestures that change nothing store no undo step; SIGTERM ends the program under any
// alert of its launch without touching the saved design.
#include <QApplication>
#include <QComboBox>
#include <QPainter>
#include <QProcess>
#include <QScreen>
#include <QStackedWidget>
#include <QTabBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QUndoStack>
#include <gtest/gtest.h>

#include <functional>

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
#include "plan/zoom.h"
#include "port/files.h"
#include "port/qt/platform.h"
#include "support/build.h"
#include "support/records.h"
#include "support/doubles.h"
#include "support/fixture.h"
#include "ui/tool_palettes.h"
#include "tracking/tool_dispatch.h"
#include "tracking/tracking_engine.h"
#include "tracking/tracking_state.h"
#include "tracking/poly_builders.h"
#include "ui/tool_pictures.h"
#include "window/window_support.h"

namespace {

using dvxtest::PointAt;
using dvxtest::SelectedPointCount;

QString gShot, gProgram;

// Pixels the ink covers at least half.
int Inked(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += qAlpha(image.pixel(x, y)) >= 128;
    return n;
}

class Services {
public:
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

// Every cell of the three palettes (the plan palette's nine toolsets) and every toolbar item
// with an action has a picture that draws something at 16 and at 32 pixels, in dark ink for a
// light theme and light ink for a dark one; the palettes on the screen show them.
TEST(Pictures, EveryToolAndToolbarItemHasOneLegibleAtBothSizes) {
    Services services("pictures");
    QMDWindowController* w = OpenDocumentWindow();
    std::vector<std::pair<QString, QString>> named;  // (what, picture)
    for (PaletteController* palette : std::initializer_list<PaletteController*>{
             ToolPaletteController::shared(), SnapPaletteController::shared(), PlanToolPaletteController::shared()})
        for (PaletteCellButton* b : palette->window()->findChildren<PaletteCellButton*>())
            named.emplace_back(QString::number(b->tag()), b->property("image").toString());
    for (const char* locked : {"SPNoneLock", "SPOnSegmentLock"}) named.emplace_back(locked, locked);
    for (QAction* a : w->findChild<QToolBar*>()->actions())
        if (a->objectName().startsWith("Document Toolbar") && !a->objectName().contains("Active Floor"))
            named.emplace_back(a->objectName(), a->icon().isNull() ? QString() : a->objectName());
    ASSERT_EQ(named.size(), 6u + 9 + 87 + 2 + 4);  // edit, snap, the nine toolsets, two locks, toolbar

    // The sheet kept for review: each picture at 16 and 32 pixels, twelve to a row, on light
    // and (below) on dark.
    constexpr int kPerRow = 12, kCellW = 56, kCellH = 38;
    const int rows = int(named.size() + kPerRow - 1) / kPerRow;
    QImage sheet(kPerRow * kCellW, 2 * rows * kCellH, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    painter.fillRect(0, rows * kCellH, sheet.width(), rows * kCellH, QColor(40, 40, 40));
    int column = 0;
    for (const auto& [what, picture] : named) {
        SCOPED_TRACE(what.toStdString() + " " + picture.toStdString());
        if (what.startsWith("Document Toolbar")) {
            EXPECT_FALSE(picture.isEmpty()) << "a toolbar item without its picture";
            continue;
        }
        ASSERT_TRUE(HasToolPicture(picture));
        for (int size : {16, 32}) {
            const QImage dark = RenderToolPicture(picture, size, Qt::black), light = RenderToolPicture(picture, size, Qt::white);
            // Something drawn, not a blot: a line drawing covers some of its square.
            EXPECT_GT(Inked(dark), size * size / 20) << size;
            EXPECT_LT(Inked(dark), size * size * 3 / 5) << size;
            EXPECT_EQ(Inked(light), Inked(dark));  // the same lines in the other ink
            const QPoint at((column % kPerRow) * kCellW + (size == 16 ? 2 : 20), (column / kPerRow) * kCellH + 3);
            painter.drawImage(at, dark);
            painter.drawImage(at + QPoint(0, rows * kCellH), light);
        }
        ++column;
    }
    painter.end();
    sheet.save(gShot + ".pictures.png");

    // On the screen: each cell shows its picture, not letters.
    int y = 600;
    for (PaletteController* palette : std::initializer_list<PaletteController*>{
             ToolPaletteController::shared(), SnapPaletteController::shared(), PlanToolPaletteController::shared()})
        palette->showWindow(), palette->window()->move(0, y), y += 120;
    for (PaletteController* palette : std::initializer_list<PaletteController*>{
             ToolPaletteController::shared(), SnapPaletteController::shared(), PlanToolPaletteController::shared()}) {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(palette->window()));
        QTest::qWait(100);
        const QImage shot = QGuiApplication::primaryScreen()->grabWindow(palette->window()->winId()).toImage();
        shot.save(gShot + "." + palette->window()->objectName() + ".png");
        for (PaletteCellButton* b : palette->window()->findChildren<PaletteCellButton*>()) {
            if (!b->isVisible()) continue;
            EXPECT_TRUE(b->text().isEmpty()) << b->tag();
            const QImage cell = shot.copy(QRect(b->mapTo(palette->window(), QPoint(0, 0)), b->size()));
            int dark = 0;
            for (int y = 0; y < cell.height(); ++y)
                for (int x = 0; x < cell.width(); ++x) dark += qGray(cell.pixel(x, y)) < 110;
            EXPECT_GT(dark, 20) << "no picture on cell " << b->tag();
        }
    }
}


// The document window's plan under the server's mouse at zoom 1 (plan units are pixels).
class PlanGestures : public ::testing::Test {
protected:
    void SetUp() override {
        w = OpenDocumentWindow(), d = w->document(), view = w->docView();
        DocState* ds = d->model()->itsDocState;
        ds->zoomFactor = 1, ds->snapToGrid = 0;
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
        XDo({"windowfocus", "--sync", QString::number(w->winId())});
        view->setFocus();
        const PlatformRect shown = view->visibleRect();
        // Right of and below the plan's origin, where points round onto their pixels.
        h = int(shown.x + shown.width / 2) + 100, dp = int(shown.y + shown.height / 2) + 100;
    }
    void moveTo(int x, int y) {
        const QPoint p = view->mapToGlobal(QPointF(x - view->boundsOrigin().x, y - view->boundsOrigin().y)).toPoint();
        // Not --sync: a move onto where the pointer already is would wait for ever.
        XDo({"mousemove", QString::number(p.x()), QString::number(p.y())});
        QTest::qWait(50);
    }
    // Press at `from`, drag through the points, release at the last one; the gesture's end.
    bool drag(QPoint from, std::initializer_list<QPoint> through) {
        moveTo(from.x(), from.y()), XDo({"mousedown", "1"});
        if (!QTest::qWaitFor([&] { return view->gestureBusy(); })) return false;
        for (QPoint p : through) moveTo(p.x(), p.y()), QTest::qWait(50);
        XDo({"mouseup", "1"});
        return QTest::qWaitFor([&] { return !view->gestureBusy(); });
    }
    bool click(QPoint at) {
        QTest::qWait(QApplication::doubleClickInterval() + 50);  // never a double click
        moveTo(at.x(), at.y()), XDo({"click", "1"});
        QTest::qWait(300);  // the press and release delivered
        return QTest::qWaitFor([&] { return !view->gestureBusy(); });
    }
    // What the Edit menu shows for Undo, and whether Quit would ask.
    std::tuple<QString, bool, bool> undoState() {
        QAction* undo = w->commandRouter()->action("undo");
        return {undo->text(), CommandRouter::validateMenuItem(undo), d->isDocumentEdited()};
    }
    Services services{"gestures"};
    QMDWindowController* w = nullptr;
    QMDDocument* d = nullptr;
    QMDDocumentView* view = nullptr;
    int h = 0, dp = 0;
};

// A gesture that made nothing stores nothing; one that moved a wall stores one step.
TEST_F(PlanGestures, OnlyAGestureThatChangedTheDesignLeavesAnUndoStep) {
    Objex* wall = dvxtest::Wall(d->model()->itsCurLayer, {{float(h), float(dp)}, {float(h + 120), float(dp)}});
    ClearTrackers();
    const auto untouched = undoState();
    EXPECT_EQ(untouched, std::tuple(QString("Undo"), false, false));

    // A drawing tool with nothing behind it: press, drag, release in empty plan.
    gCurTool = 7700;
    ASSERT_TRUE(drag({h - 80, dp - 80}, {{h - 40, dp - 60}, {h - 10, dp - 30}}));
    EXPECT_EQ(undoState(), untouched) << "an empty drag stored a step";

    // A rectangle tool that builds only what was dragged open, so a click makes nothing.
    int ends = 0, drags = 0;
    RegisterTracker(TrackerSlot::Rect, [&](int32_t x, int32_t y, float, float, float, int16_t stage) {
        if (stage == 1) drags = 0;
        if (stage == 2) ++drags;
        if (stage != 3) return;
        ++ends;
        if (!drags) return;
        const Float3DPoint corners[] = {{gUpX, gDownY, gUpZ}, {gUpX, gDownY, gDownZ}, {gDownX, gDownY, gDownZ},
                                        {gDownX, gDownY, gUpZ}}, zero[4] = {};
        BuildClosedPoly(corners, nullptr, zero, zero, nullptr, nullptr, 4, gCurDocument->itsCurLayer, 0);
    });
    gCurTool = 7700;
    ASSERT_TRUE(click({h - 60, dp - 60}));
    EXPECT_EQ(std::tuple(ends, undoState()), std::tuple(1, untouched)) << "a click that built nothing stored a step";

    // The move tool drags what it grabbed by the drag's length (as the engine hands it over).
    RegisterTracker(TrackerSlot::Translate, [](int32_t, int32_t, float, float, float, int16_t stage) {
        if (stage != 3 || !gClickInfo.ciObject) return;
        for (Poinz* p = gClickInfo.ciObject->firstPoint; p; p = p->next)
            p->position[0] += gUpX - gDownX, p->position[2] += gUpZ - gDownZ;
        UpdateObjectBounds(gClickInfo.ciObject);
    });
    gCurTool = 200;
    ASSERT_TRUE(click({h + 60, dp}));  // selects the wall, tracks nothing
    EXPECT_EQ(std::tuple(SelectedPointCount(wall), undoState()), std::tuple(2, untouched));
    // Grabbed and put back where it was: nothing moved.
    ASSERT_TRUE(drag({h + 60, dp}, {{h + 90, dp + 30}, {h + 60, dp}}));
    EXPECT_EQ(std::tuple(PointAt(wall, 0)->position[0], undoState()), std::tuple(float(h), untouched));
    ASSERT_TRUE(drag({h + 60, dp}, {{h + 70, dp + 20}, {h + 90, dp + 40}}));
    EXPECT_EQ(std::tuple(PointAt(wall, 0)->position[0], PointAt(wall, 0)->position[2]), std::tuple(float(h + 30), float(dp + 40)));
    EXPECT_EQ(std::tuple(d->undoStack()->count(), undoState()), std::tuple(1, std::tuple(QString("Undo Move/Resize"), true, true)));
    ClearTrackers();
}

// A design saved on its second floor opens there (pop-up and clicks), New starts on the first.
TEST_F(PlanGestures, ADesignOpensOnTheFloorItWasSavedOn) {
    const std::string path = services.dir + "/upstairs.pro";
    Win32EventHandler().workOnFloorUsingCommand(5276);
    ASSERT_STREQ(gCurDocument->itsCurLayer->name, "Second Floor");
    Objex* wall = dvxtest::Wall(gCurDocument->itsCurLayer, {{float(h), float(dp)}, {float(h + 120), float(dp)}});
    wall->penWidth = 6;
    ASSERT_NE(KeyFileWrite(path.c_str()), 0);
    AppController::shared()->documentController()->newDocument();
    QComboBox* floors = w->activeFloorTBPopUpButton();
    EXPECT_EQ(floors->currentText(), QString("First Floor"));
    ASSERT_TRUE(AppController::shared()->documentController()->readDesignIntoDocument(d, path));
    EXPECT_EQ(std::tuple(floors->currentText().toStdString(), std::string(gCurDocument->itsCurLayer->name)),
              std::tuple("Second Floor", "Second Floor"));
    Objex* read = gCurDocument->itsCurLayer->firstObject;
    ASSERT_NE(read, nullptr);
    gCurTool = 200;
    view->update();
    ASSERT_TRUE(click({h + 60, dp}));
    EXPECT_EQ(SelectedPointCount(read), 2) << "a click on the second floor's wall selected nothing";
}

// A click on a plan tab loads that plan's tools and names them in the toolset pop-up.
TEST_F(PlanGestures, TheToolsetPopUpFollowsThePlanTab) {
    QTabBar* tabs = w->docTabView();
    QComboBox* toolsets = PlanToolPaletteController::shared()->toolsetPopUpButton();
    for (int plan : {8, 4, 1}) {
        ClickAt(tabs, tabs->tabRect(plan).center());
        ASSERT_TRUE(QTest::qWaitFor([&] { return gCurToolSet == plan; })) << plan;
        EXPECT_EQ(std::tuple(toolsets->currentText(), toolsets->currentData().toInt()),
                  std::tuple(tabs->tabText(plan), plan));
    }
}

// Rows of the image holding a run of at least `length` pixels darker than mid grey.
int DarkRows(const QImage& image, int length) {
    int rows = 0;
    for (int y = 0; y < image.height(); ++y) {
        int run = 0, best = 0;
        for (int x = 0; x < image.width(); ++x) {
            run = qGray(image.pixel(x, y)) < 128 ? run + 1 : 0;
            best = std::max(best, run);
        }
        rows += best >= length;
    }
    return rows;
}

// Whether the image is mostly the white of a painted plan (a window not painted yet is black).
bool Painted(const QImage& image) {
    int light = 0;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3) light += qGray(image.pixel(x, y)) > 200;
    return light * 9 > image.width() * image.height() * 8 / 10;
}

// The plan part of the window on the screen.
QImage PlanOnScreen(QMDDocumentView* view) {
    QApplication::processEvents();
    const QWidget* shown = view->parentWidget();  // the scroll view's viewport
    const QRect r(shown->mapToGlobal(QPoint(0, 0)), shown->size());
    return QGuiApplication::primaryScreen()->grabWindow(0, r.x(), r.y(), r.width() - 20, r.height() - 20).toImage();
}

// New and Open bring a design none of which would show into the window, zoom kept (a new
// design is zoomed out to its lot); one that shows at the paper's centre stays there.
TEST(DesignInView, NewAndOpenShowTheLotOrTheObjectsAndKeepACentredDesignWhereItIs) {
    Services services("inview");
    QMDWindowController* w = OpenDocumentWindow();
    QMDDocument* d = w->document();
    QMDDocumentView* view = w->docView();
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    QMDDocumentController* documents = AppController::shared()->documentController();
    documents->newDocument();
    QImage plan;
    // The lot's outline: long dark lines across the plan, two each way.
    EXPECT_TRUE(QTest::qWaitFor([&] { return plan = PlanOnScreen(view), Painted(plan) && DarkRows(plan, plan.width() / 2) >= 2; }))
        << "a new design shows no lot";
    plan.save(gShot + ".new-design.png");

    // A wall far from the paper's centre on a large lot, at zoom 0.6.
    const std::string far = services.dir + "/far.pro", near = services.dir + "/near.pro";
    DocState* ds = d->model()->itsDocState;
    ds->zoomFactor = ds->savedZoom = 0.6f;
    Objex* wall = dvxtest::Wall(d->model()->itsCurLayer, {{1400, 1600}, {1900, 1600}});
    wall->penWidth = 8;
    ASSERT_NE(KeyFileWrite(far.c_str()), 0);
    PointAt(wall, 0)->position[0] = -250, PointAt(wall, 0)->position[2] = 0;  // now across the centre
    PointAt(wall, 1)->position[0] = 250, PointAt(wall, 1)->position[2] = 0;
    ASSERT_NE(KeyFileWrite(near.c_str()), 0);

    ASSERT_TRUE(documents->readDesignIntoDocument(d, far));
    EXPECT_FLOAT_EQ(gCurDocument->itsDocState->zoomFactor, 0.6f);
    // The wall, 300 pixels long at 0.6, lies across the window's middle.
    EXPECT_TRUE(QTest::qWaitFor([&] { 
        plan = PlanOnScreen(view);
        return Painted(plan) && DarkRows(plan.copy(0, plan.height() / 3, plan.width(), plan.height() / 3), 250) >= 1;
    }))
        << "the wall is not in the window";
    plan.save(gShot + ".far-design.png");

    ASSERT_TRUE(documents->readDesignIntoDocument(d, near));
    const PlatformRect shown = view->visibleRect();
    EXPECT_NEAR(shown.x, -shown.width / 2, 1) << "a design at the centre moved";
    EXPECT_NEAR(shown.y, -shown.height / 2, 1) << "a design at the centre moved";
    EXPECT_FLOAT_EQ(gCurDocument->itsDocState->zoomFactor, 0.6f);
}

// The program under an alert of its launch, and under the save alert of New on a changed
// design: SIGTERM ends it within a bound, the saved design's bytes as they were.
TEST(Terminate, EndsTheProgramUnderEveryLaunchAlertAndLeavesTheSavedDesign) {
    Services services("terminate");
    const std::string dir = services.dir;
    OpenDocumentWindow();  // the design written here
    // The designs: one with a wall; one whose trace image is gone; one cut short.
    dvxtest::Wall(gCurDocument->itsCurLayer, {{0, 0}, {120, 0}});
    const std::string good = dir + "/good.pro", traced = dir + "/traced.pro", cut = dir + "/cut.pro";
    ASSERT_NE(KeyFileWrite(good.c_str()), 0);
    std::snprintf(gCurDocument->itsDocState->traceImagePath, 512, "%s", (dir + "/gone.png").c_str());
    ASSERT_NE(KeyFileWrite(traced.c_str()), 0);
    const std::vector<uint8_t> bytes = dvxtest::ReadWholeFile(good);
    // The shortest cut that still reads as an incomplete design.
    bool found = false;
    for (size_t keep = bytes.size() - 1; keep > bytes.size() / 2 && !found; --keep) {
        ASSERT_TRUE(port::WriteWholeFile(cut, bytes.data(), keep));
        found = KeyFileRead(cut.c_str()) == kKeyFileReadTruncated;
    }
    ASSERT_TRUE(found);
    ASSERT_TRUE(port::WriteWholeFile(dir + "/bad.pro", "not a design", 12));

    struct Row { std::string file, alert; bool change; };
    const Row rows[] = {{dir + "/bad.pro", "could not be loaded", false}, {traced, "trace image", false},
                        {cut, "incomplete", false}, {good, "save the changes", true}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.alert);
        QProcess program;
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DVX_NO_SPLASH", "1");
        program.setProcessEnvironment(env);
        program.start(gProgram, {QString::fromStdString(r.file)});
        ASSERT_TRUE(program.waitForStarted(10000));
        const QString pid = QString::number(program.processId());
        // The program's shown windows by what the X server says of them: the document
        // window is the one over no other.
        struct Shown {
            QString id, over;
            bool dialog;
        };
        auto shown = [&] {
            std::vector<Shown> out;
            for (const QString& id : XDo({"search", "--onlyvisible", "--pid", pid, "--name", "."}).split('\n', Qt::SkipEmptyParts)) {
                QProcess xprop;
                xprop.start("xprop", {"-id", id, "WM_TRANSIENT_FOR", "_NET_WM_WINDOW_TYPE"});
                xprop.waitForFinished(5000);
                const QString text = QString::fromLatin1(xprop.readAllStandardOutput());
                const QString over = text.section("window id # ", 1).section('\n', 0, 0).trimmed();
                out.push_back({id, over.isEmpty() ? QString() : QString::number(over.toULongLong(nullptr, 0)),
                               text.contains("_NET_WM_WINDOW_TYPE_DIALOG")});
            }
            return out;
        };
        QString main;
        auto documentWindow = [&] {
            for (const Shown& w : shown())
                if (w.over.isEmpty() && !w.dialog) main = w.id;
            return !main.isEmpty();
        };
        ASSERT_TRUE(QTest::qWaitFor(documentWindow, 15000)) << "no document window";
        if (r.change) {
            XDo({"windowfocus", "--sync", main}), XDo({"key", "ctrl+a", "Delete"});
            QTest::qWait(300);
            XDo({"key", "ctrl+n"});
        }
        // The alert: a dialog of its own over the document window (window-modal).
        EXPECT_TRUE(QTest::qWaitFor([&] {
            for (const Shown& w : shown())
                if (w.dialog && w.over == main) return true;
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
    if (argc < 3) {
        fprintf(stderr, "usage: test_window_first <screenshot.png> <dovranix>\n");
        return 2;
    }
    gShot = QString::fromLocal8Bit(argv[1]);
    gProgram = QString::fromLocal8Bit(argv[2]);
    return RUN_ALL_TESTS();
}

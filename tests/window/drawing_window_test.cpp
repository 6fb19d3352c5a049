// Drawing and selecting as a new user does, with the server's mouse on a new design at the zoom
// it opens at (its lot fitted to the window, grid snap on, points snapping a foot apart as the
// grid is drawn, so that ends are left a whole cell short): walls that meet, clicks that pick on
// the plan shown, a door's swing, the way readouts along vertical walls read, what a drag draws
// while the button is held, and the view commands that bring the design into view. Each case checks the model and the plan's pixels on
// the screen.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>
#include <QToolBar>
#include <QUndoStack>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "app/about_window.h"
#include "app/app_controller.h"
#include "app/core/document_window.h"
#include "app/document.h"
#include "app/document_view.h"
#include "app/input_gate.h"
#include "app/command_router.h"
#include "app/live_view_controller.h"
#include "app/widgets.h"
#include "app/window_controller.h"
#include "content/content_palette_controller.h"
#include "content/content_view.h"
#include "content/core/content_category_item.h"
#include "content/core/preview_grid.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/selection_queries.h"
#include "model/transforms.h"
#include "model/type_data.h"
#include "plan/doors.h"
#include "scene/plane_object.h"
#include "support/build.h"
#include "support/qt/content_images.h"
#include "support/records.h"
#include "tracking/tracking_state.h"
#include "ui/sheets/sheet_dialog.h"
#include "ui/preferences/preferences_controller.h"
#include "ui/tool_palettes.h"
#include "window/window_support.h"

namespace {

QString gShot;

using dvxtest::PointAt;
using dvxtest::SelectedPointCount;

bool Dark(QRgb c) { return qGray(c) < 128; }
// The selection's colour (handles, a roof's corner elevations): blue well above red.
bool Highlight(QRgb c) { return qBlue(c) > qRed(c) + 60; }
// The feedback's red.
bool Red(QRgb c) { return qRed(c) > 160 && qGreen(c) < 110 && qBlue(c) < 110; }

int Count(const QImage& image, QRect area, const std::function<bool(QRgb)>& is) {
    int n = 0;
    area &= image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) n += is(image.pixel(x, y));
    return n;
}

// A rectangle drawn by hand: its corners, and how far each drag's press and release lie off
// the corner it starts at and the one it ends at.
struct OffHand {
    QPoint corner[4];
    QPoint press[4], release[4];
};

class Drawing : public ::testing::Test {
protected:
    void SetUp() override {
        if (managed()) {
            manager = std::make_unique<TwmOnScreen>(QString::fromStdString(services.folders.temporaryBase()) + "/twm", twmrc());
            ASSERT_TRUE(manager->running());
        }
        w = OpenDocumentWindow(), view = w->docView();
        ds = w->document()->model()->itsDocState;
        ds->showDimensions = 0;  // no readouts across the pixels looked at
        ds->snapIncrement = ds->gridSpacing;
        beforeShow();
        ASSERT_TRUE(ShowFocused(w));
        ASSERT_TRUE(QTest::qWaitFor([&] { return w->isActiveWindow(); }));
    }
    void TearDown() override { AppController::destroyShared(), dvxtest::ResetAllGlobals(), manager.reset(); }
    virtual void beforeShow() {}
    // Run under a window manager (twm, the keyboard following the pointer).
    virtual bool managed() const { return false; }
    // Lines added to twm's settings.
    virtual QByteArray twmrc() const { return {}; }
    // A place on the screen clear of every window shown, for another application's window.
    QRect clearPlace(QSize size) const {
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        for (int y = screen.top() + 40; y + size.height() < screen.bottom(); y += 40)
            for (int x = screen.right() - size.width() - 40; x > screen.left(); x -= 40) {
                const QRect place(QPoint(x, y), size), around = place.adjusted(-10, -30, 10, 10);
                const QWidgetList tops = QApplication::topLevelWidgets();
                if (std::none_of(tops.begin(), tops.end(), [&](QWidget* t) {
                        return t->isVisible() && t->frameGeometry().intersects(around);
                    }))
                    return place;
            }
        return {};
    }

    // The screen point of the plan point (h, d) in the top view at the current zoom.
    QPoint at(float h, float d) const {
        // The live record: an Undo replaces the one the fixture took.
        const float z = w->document()->model()->itsDocState->zoomFactor;
        const PlatformPoint o = view->boundsOrigin();
        return view->mapToGlobal(QPointF(h * z - o.x, d * z - o.y)).toPoint();
    }
    void moveTo(QPoint p) {  // not --sync: a move onto the pointer would wait for ever
        XDo({"mousemove", QString::number(p.x()), QString::number(p.y())}), QTest::qWait(50);
    }
    // The pointer brought beside p a while before a click there, as a user's is: under twm the
    // keyboard follows it onto the window there first. (Beside: a synchronous move onto the
    // pointer's place would wait for ever.)
    void hover(QPoint p) {
        if (managed()) moveTo(p + QPoint(1, 1)), QTest::qWait(600);
    }
    void press(QPoint p) {
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        moveTo(p), XDo({"mousedown", "1"});
    }
    // A press and a move halfway and on, the button still held; false when the view never
    // took the press.
    bool hold(QPoint from, QPoint to) {
        press(from);
        if (!QTest::qWaitFor([&] { return view->gestureBusy(); })) return false;
        moveTo((from + to) / 2), moveTo(to);
        return true;
    }
    // The release; false when the gesture never ended.
    bool release() {
        XDo({"mouseup", "1"});
        return QTest::qWaitFor([&] { return !view->gestureBusy(); });
    }
    bool drag(QPoint from, QPoint to) { return hold(from, to) && release(); }
    bool click(QPoint p) {
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        moveTo(p), XDo({"click", "1"}), QTest::qWait(200);
        return QTest::qWaitFor([&] { return !view->gestureBusy(); });
    }
    bool chooseTab(int16_t plan) {
        QTabBar* tabs = w->docTabView();
        ClickAt(tabs, tabs->tabRect(plan).center());
        return QTest::qWaitFor([&] { return gCurToolSet == plan; });
    }
    // View > Set Zoom with the percentage typed over the field's and OK clicked.
    bool setZoom(const QString& percent) {
        if (!ChooseMenuItem(w, "View", "setPlanZoom")) return false;
        SheetDialog* sheet = nullptr;
        if (!QTest::qWaitFor([&] { return (sheet = w->findChild<SheetDialog*>("PlanZoomSheet")) && sheet->isVisible(); }))
            return false;
        auto* field = sheet->findChild<QLineEdit*>(QStringLiteral("zoomScaleText"));
        ClickAt(field, field->rect().center());
        if (!QTest::qWaitFor([&] { return field->hasFocus(); })) return false;
        XDo({"key", "ctrl+a"}), XDo({"type", "--delay", "5", "--", percent});
        if (!QTest::qWaitFor([&] { return field->text() == percent; })) return false;
        QPointer<SheetDialog> open = sheet;
        auto* ok = sheet->findChild<QPushButton*>(QStringLiteral("okButton"));
        ClickAt(ok, ok->rect().center());
        return QTest::qWaitFor([&] { return open.isNull() || !open->isVisible(); });
    }
    // Four walls corner to corner, each press where the last drag was released.
    bool rectangle(float left, float top, float right, float bottom) {
        const QPoint corners[] = {at(left, top), at(right, top), at(right, bottom), at(left, bottom)};
        for (int i = 0; i < 4; ++i)
            if (!drag(corners[i], corners[(i + 1) % 4])) return false;
        return true;
    }
    // The screen point of a pixel of the plan's port.
    QPoint port(QPoint p) const { return view->parentWidget()->mapToGlobal(p); }
    // Four walls round a rectangle as a hand draws them, in the port's pixels: each press a
    // few pixels off the last release and the last release a few pixels off the first press;
    // with `seen`, off the end the last drag drew and off the wall's first point instead.
    // True when they make one closed wall of four points.
    ::testing::AssertionResult offHandRectangle(const OffHand& r, bool seen = false) {
        const size_t before = walls().size();
        QPoint first, released;
        for (int i = 0; i < 4; ++i) {
            const QPoint from = seen && i > 0 ? drawnEnd(released) : r.corner[i];
            released = seen && i == 3 ? first : r.corner[(i + 1) % 4];
            if (!drag(port(from + r.press[i]), port(released + r.release[i])))
                return ::testing::AssertionFailure() << "drag " << i << " never ended";
            released += r.release[i];
            if (i == 0) first = drawnEnd(r.corner[0] + r.press[0]);
        }
        const std::vector<Objex*> now = walls();
        if (now.size() != before + 1) return ::testing::AssertionFailure() << now.size() - before << " walls, not one";
        if (!now.back()->closed || now.back()->pointCount != 4)
            return ::testing::AssertionFailure() << "open: " << now.back()->closed << ", " << now.back()->pointCount << " points";
        return ::testing::AssertionSuccess();
    }
    // The plan point (h, d) at the screen point p in the top view at the current zoom.
    FloatPoint planAt(QPoint p) const {
        const float z = ds->zoomFactor;
        const PlatformPoint o = view->boundsOrigin();
        const QPointF v = view->mapFromGlobal(QPointF(p));
        return FloatPoint{float((v.x() + o.x) / z), float((v.y() + o.y) / z)};
    }
    // The port pixel of the current floor's free wall end nearest the port pixel p.
    QPoint drawnEnd(QPoint p) const {
        const QWidget* port = view->parentWidget();
        QPoint nearest = p;
        int distance = 1 << 30;
        for (const Objex* w : walls()) {
            const Poinz* last = w->firstPoint;
            while (last->next) last = last->next;
            const Poinz* ends[] = {w->firstPoint, last};
            for (const Poinz* e : ends) {
                const QPoint q = port->mapFromGlobal(at(e->position[0], e->position[2]));
                if (!w->closed && (q - p).manhattanLength() < distance) nearest = q, distance = (q - p).manhattanLength();
            }
        }
        return nearest;
    }
    // The plan as the screen shows it, once painted; `inImage` maps plan points into it.
    QImage grab() {
        view->repaint();
        QApplication::processEvents();
        QTest::qWait(100);
        const QWidget* port = view->parentWidget();
        origin = port->mapToGlobal(QPoint());
        return QGuiApplication::primaryScreen()->grabWindow(0, origin.x(), origin.y(), port->width(), port->height()).toImage();
    }
    QPoint inImage(float h, float d) const { return at(h, d) - origin; }
    // Whether the plan line from a to b (plan points) is inked along its whole length, within
    // a pixel of each of its pixels.
    bool Inked(const QImage& image, const Poinz* a, const Poinz* b) const {
        const QPoint p = inImage(a->position[0], a->position[2]), q = inImage(b->position[0], b->position[2]);
        const int steps = std::max(std::abs(q.x() - p.x()), std::abs(q.y() - p.y()));
        for (int i = 0; i <= steps; ++i) {
            const QPoint s = p + (q - p) * (steps ? double(i) / steps : 0.0);
            if (!Count(image, QRect(s - QPoint(1, 1), QSize(3, 3)), Dark)) return false;
        }
        return true;
    }
    std::vector<Objex*> walls() const {
        std::vector<Objex*> out;
        for (Objex* o = gCurDocument->itsCurLayer->firstObject; o; o = o->next)
            if (o->type == objtype::kWall) out.push_back(o);
        return out;
    }

    WindowTestServices services{"drawing"};
    std::unique_ptr<TwmOnScreen> manager;
    QMDWindowController* w = nullptr;
    QMDDocumentView* view = nullptr;
    DocState* ds = nullptr;
    QPoint origin;
};

// At the opening zoom a grid cell (12 inches, 24 plan units) is under 4 pixels: the wall tools
// find a wall's end or face within their tolerance, so corners close, T-junctions meet the
// face, and a press just beyond a free end still extends its wall.
TEST_F(Drawing, WallEndsAndFacesAreReachedWithinTheWallToolsTolerance) {
    ASSERT_LT(ds->zoomFactor, 0.2f);
    ASSERT_TRUE(ds->snapToGrid);
    ASSERT_TRUE(ChooseToolCell(7050, 1));
    ASSERT_TRUE(rectangle(-1000, -700, 1000, 700));
    ASSERT_EQ(walls().size(), 1u) << "the corners did not join";
    Objex* room = walls()[0];
    EXPECT_TRUE(room->closed && room->pointCount == 4) << room->pointCount;
    const float corners[4][2] = {{-1000, -700}, {1000, -700}, {1000, 700}, {-1000, 700}};
    for (int i = 0; i < 4; ++i) {  // each within a grid cell and a pixel of where it was drawn
        const Poinz* p = PointAt(room, i);
        EXPECT_NEAR(p->position[0], corners[i][0], 32) << i;
        EXPECT_NEAR(p->position[2], corners[i][1], 32) << i;
    }
    const QImage closed = grab();
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(Inked(closed, PointAt(room, i), PointAt(room, (i + 1) % 4))) << "a gap on side " << i;

    // T-junctions, each 3 pixels (about 21 plan units) off the centre line of a side: a wall
    // started inside the east side starts on its face, one released above the south side ends
    // on its face; the walls are 4 inches (8 plan units) thick.
    const float east = PointAt(room, 1)->position[0], south = PointAt(room, 2)->position[2];
    const float px = 1 / ds->zoomFactor;
    ASSERT_TRUE(drag(at(east - 3 * px, 0), at(east - 400, 0)));
    ASSERT_TRUE(drag(at(-500, 0), at(-500, south - 3 * px)));
    ASSERT_EQ(walls().size(), 3u);
    const Objex* fromEast = walls()[1];
    const Objex* toSouth = walls()[2];
    EXPECT_NEAR(fromEast->firstPoint->position[0], east - 4, 0.5f) << "the wall does not start on the east face";
    EXPECT_NEAR(toSouth->firstPoint->next->position[2], south - 4, 0.5f) << "the wall stops short of the south face";

    // A lone wall, then a press 2 pixels beyond its east end: the same wall, turned south.
    ASSERT_TRUE(drag(at(-1000, 1200), at(-400, 1200)));
    ASSERT_EQ(walls().size(), 4u);
    Objex* lone = walls()[3];
    const Poinz* end = lone->firstPoint->next;
    ASSERT_TRUE(drag(at(end->position[0], end->position[2]) + QPoint(2, 0), at(end->position[0], 1600)));
    EXPECT_EQ(walls().size(), 4u) << "a new wall started 2 pixels from a free end";
    EXPECT_EQ(lone->pointCount, 3);

    const QImage image = grab();
    image.save(gShot + ".walls.png");
    EXPECT_TRUE(Inked(image, fromEast->firstPoint, fromEast->firstPoint->next));
    EXPECT_TRUE(Inked(image, toSouth->firstPoint, toSouth->firstPoint->next));
    EXPECT_TRUE(Inked(image, PointAt(lone, 0), PointAt(lone, 1)) && Inked(image, PointAt(lone, 1), PointAt(lone, 2)));
}

// A fixture run twice: without a window manager, and under twm, whose keyboard follows the
// pointer onto each window it crosses.
template <class Base>
class UnderWindowManagers : public Base, public ::testing::WithParamInterface<bool> {
protected:
    bool managed() const override { return this->GetParam(); }
};
std::string WindowManagerName(const ::testing::TestParamInfo<bool>& info) { return info.param ? "Twm" : "NoWindowManager"; }
using DrawingManaged = UnderWindowManagers<Drawing>;
INSTANTIATE_TEST_SUITE_P(WindowManagers, DrawingManaged, ::testing::Bool(), WindowManagerName);

// Tab steps the snap mode once a press, Shift-Tab once back, with the line tool's button held
// and while the polygon's loop waits for its next click; the snap palette shows each mode. A
// loop that takes no key (a door's swing, a circular arc's turn) leaves the press for when it
// has ended: the mode steps once then, not while the swing or the turn is drawn.
TEST_P(DrawingManaged, TabStepsTheSnapModeOncePerPressWithinAGesture) {
    SnapPaletteController* snap = SnapPaletteController::shared();
    snap->showWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(snap->window()));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    snap->window()->move(screen.bottomRight() - QPoint(snap->window()->width(), snap->window()->height()));
    XDo({"windowfocus", "--sync", QString::number(w->winId())});
    ASSERT_TRUE(QTest::qWaitFor([&] { return w->isActiveWindow(); }));
    ASSERT_TRUE(chooseTab(8));
    const auto modesAfter = [&](std::initializer_list<const char*> keys) {
        std::vector<int> modes;
        for (const char* key : keys) XDo({"key", key}), QTest::qWait(150), modes.push_back(snap->toolButtons()->selectedTag());
        return modes;
    };
    const std::vector<int> stepped{501, 500, 508, 500};
    ASSERT_TRUE(ChooseToolCell(7702, 8));
    ASSERT_EQ(snap->toolButtons()->selectedTag(), 500);
    press(at(-400, -300));
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->gestureBusy(); }));
    moveTo(at(-200, -300));
    EXPECT_EQ(modesAfter({"Tab", "shift+Tab", "shift+Tab", "Tab"}), stepped) << "the line's drag";
    XDo({"mouseup", "1"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !view->gestureBusy(); }));
    ASSERT_TRUE(ChooseToolCell(7703, 8));
    press(at(-400, 300)), XDo({"mouseup", "1"}), moveTo(at(-200, 300));
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->gestureBusy(); }));
    EXPECT_EQ(modesAfter({"Tab", "shift+Tab", "shift+Tab", "Tab"}), stepped) << "the polygon's loop";
    XDo({"key", "Escape"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return !view->gestureBusy(); }));

    // Pressed, dragged and let go, then the key while the pointer moves the swing or the turn,
    // then the click that builds it.
    // Ended by a press on `ender` rather than a click in the plan, when given.
    const auto keyInLoop = [&](QPoint from, QPoint to, QPoint aside, const char* key, QWidget* ender = nullptr) {
        press(from);
        if (!QTest::qWaitFor([&] { return view->gestureBusy(); })) return std::pair(-1, -1);
        moveTo((from + to) / 2), moveTo(to), XDo({"mouseup", "1"}), QTest::qWait(200), moveTo(aside);
        if (!view->gestureBusy()) return std::pair(-1, -1);
        XDo({"key", key}), QTest::qWait(150);
        const int meanwhile = snap->toolButtons()->selectedTag();
        if (ender) hover(ender->mapToGlobal(ender->rect().center())), ClickAt(ender, ender->rect().center());
        if (ender ? !QTest::qWaitFor([&] { return !view->gestureBusy(); }) : !click(aside)) return std::pair(-1, -1);
        QTest::qWait(150);
        return std::pair(meanwhile, int(snap->toolButtons()->selectedTag()));
    };
    ASSERT_TRUE(chooseTab(1));
    ASSERT_TRUE(ChooseToolCell(7050, 1));
    ASSERT_TRUE(drag(at(-600, 0), at(600, 0)));
    ASSERT_TRUE(ChooseToolCell(7056, 1));
    ASSERT_EQ(snap->toolButtons()->selectedTag(), 500);
    EXPECT_EQ(keyInLoop(at(-250, 0), at(-150, 0), at(-150, -150), "Tab"), std::pair(500, 501)) << "the door's swing";
    const Objex* door = walls().empty() ? nullptr : walls()[0]->firstChild;
    ASSERT_NE(door, nullptr);
    EXPECT_EQ(door->type, objtype::kDoor);
    EXPECT_EQ(w->commandRouter()->action("undo")->text().toStdString(), "Undo Door Tool");
    // A press on a snap cell ends the swing and chooses nothing: the held Tab steps once from
    // the mode the swing was drawn in.
    const QUndoStack* steps = w->document()->undoStack();
    const int stored = steps->count();
    snap->setSnapTool(500);
    EXPECT_EQ(keyInLoop(at(50, 0), at(150, 0), at(150, -150), "Tab", snap->toolButtons()->cell(504)), std::pair(500, 501))
        << "the door's swing, a snap cell pressed";
    EXPECT_EQ(steps->count(), stored + 1);
    EXPECT_EQ(w->commandRouter()->action("undo")->text().toStdString(), "Undo Door Tool");

    snap->setSnapTool(500);
    ASSERT_TRUE(chooseTab(8));
    ASSERT_TRUE(ChooseToolCell(7705, 8));
    EXPECT_EQ(keyInLoop(at(-400, -600), at(-200, -600), at(-300, -800), "shift+Tab"), std::pair(500, 508))
        << "the arc's turn";
    EXPECT_EQ(w->commandRouter()->action("undo")->text().toStdString(), "Undo Circular Arc Tool");
}

// An outline drawn point by point ends on a right click: three clicks with the Freehand Roof
// tool and a right click make a panel of three points, stored as its tool's step.
TEST_F(Drawing, ARightClickEndsAnOutlineDrawnPointByPoint) {
    ASSERT_TRUE(chooseTab(4));
    ASSERT_TRUE(ChooseToolCell(7306, 4));
    const QPoint clicks[] = {at(-600, -400), at(600, -400), at(600, 400)};
    for (const QPoint& p : clicks) {
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        moveTo(p), XDo({"click", "1"}), QTest::qWait(200);
        ASSERT_TRUE(view->gestureBusy());
    }
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    moveTo(at(-600, 400)), XDo({"click", "3"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return !view->gestureBusy(); })) << "the right click did not end the outline";
    if (view->gestureBusy()) XDo({"key", "Escape"}), QTest::qWait(200);
    const Objex* panel = nullptr;
    for (const Objex* o = gCurDocument->itsCurLayer->firstObject; o; o = o->next)
        if (o->type == objtype::kFreehandRoof) panel = o;
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->pointCount, 3);
    EXPECT_EQ(w->commandRouter()->action("undo")->text().toStdString(), "Undo Freehand Roof Tool");
}

// Four rectangles in the port's pixels, each press and release 1 to 3 pixels off its corner,
// every way round.
const OffHand kOffHand[] = {
    // 80,110 -> 330,110; 332,111 -> 330,360; 329,362 -> 80,360; 82,358 -> 82,112
    {{{80, 110}, {330, 110}, {330, 360}, {80, 360}},
     {{0, 0}, {2, 1}, {-1, 2}, {2, -2}},
     {{0, 0}, {0, 0}, {0, 0}, {2, 2}}},
    {{{420, 110}, {670, 110}, {670, 360}, {420, 360}},
     {{-2, -3}, {-3, -1}, {1, -3}, {3, 1}},
     {{-1, 2}, {2, -3}, {-3, 1}, {-2, -1}}},
    {{{80, 440}, {330, 440}, {330, 760}, {80, 760}},
     {{3, 3}, {-2, 3}, {-3, -3}, {1, 2}},
     {{3, -1}, {-1, 3}, {2, 2}, {3, 3}}},
    {{{420, 440}, {670, 440}, {670, 760}, {420, 760}},
     {{1, -1}, {3, 0}, {0, -3}, {-1, 3}},
     {{-3, 3}, {0, 2}, {1, 1}, {-3, -3}}},
};

// Rectangles drawn by hand at the opening zoom, each press and release 1 to 3 pixels off the
// corner it means, every way round: the walls meet wherever the grid left their ends, and each
// rectangle is one closed wall.
TEST_F(Drawing, WallsDrawnAFewPixelsOffTheirEndsStillJoinAndClose) {
    ASSERT_LT(ds->zoomFactor, 0.2f);
    ASSERT_TRUE(ds->snapToGrid);
    ASSERT_TRUE(ChooseToolCell(7050, 1));
    const QSize size = view->parentWidget()->size();
    ASSERT_TRUE(size.width() > 720 && size.height() > 840) << size.width() << " x " << size.height();
    for (const OffHand& r : kOffHand) EXPECT_TRUE(offHandRectangle(r)) << r.corner[0].x() << "," << r.corner[0].y();
    grab().save(gShot + ".offhand.png");
}

// Six smaller rectangles in the port's pixels: every press and the first three releases 1 to 3
// pixels off the end they mean, the last release 2 to 6 pixels off the first point as drawn.
const OffHand kLastReleaseOff[] = {
    {{{60, 120}, {210, 120}, {210, 270}, {60, 270}},
     {{0, 0}, {1, -1}, {-2, 1}, {2, 2}},
     {{1, 0}, {0, 2}, {-1, -1}, {2, -2}}},
    {{{300, 120}, {450, 120}, {450, 270}, {300, 270}},
     {{1, 1}, {-1, 0}, {0, 2}, {-3, 1}},
     {{0, -1}, {2, 1}, {-2, 0}, {-3, 0}}},
    {{{540, 120}, {690, 120}, {690, 270}, {540, 270}},
     {{-1, 2}, {2, 0}, {1, -3}, {0, -1}},
     {{-2, 1}, {1, -1}, {0, 3}, {0, 4}}},
    {{{60, 360}, {210, 360}, {210, 510}, {60, 510}},
     {{2, -1}, {0, 1}, {-1, -1}, {3, 0}},
     {{1, 1}, {-2, 2}, {3, 0}, {5, -1}}},
    {{{300, 360}, {450, 360}, {450, 510}, {300, 510}},
     {{0, 2}, {-3, -1}, {2, 1}, {-1, 2}},
     {{-1, -2}, {0, -3}, {1, 2}, {-6, 0}}},
    {{{540, 360}, {690, 360}, {690, 510}, {540, 510}},
     {{-2, -2}, {1, 3}, {0, 1}, {2, -1}},
     {{3, 1}, {-1, 0}, {-2, -3}, {0, 6}}},
};

// At the opening zoom a free wall end reaches further than a corner, yet the corner comes
// first. A rectangle whose last release lands 2 to 6 pixels off its first point, every way, is
// one closed wall: the release takes that point within a click's reach and the free end's wider
// reach beyond. A press on a room's corner with another wall's free end 6 pixels off starts a
// new wall on the corner, and the other wall keeps its two points.
TEST_F(Drawing, APressOnACornerTakesItBesideAFreeEndAndLastReleasesOffTheStartClose) {
    ASSERT_LT(ds->zoomFactor, 0.2f);
    ASSERT_TRUE(ds->snapToGrid);
    ASSERT_TRUE(ChooseToolCell(7050, 1));
    const QSize size = view->parentWidget()->size();
    ASSERT_TRUE(size.width() > 720 && size.height() > 540) << size.width() << " x " << size.height();
    for (const OffHand& r : kLastReleaseOff) EXPECT_TRUE(offHandRectangle(r, true)) << r.corner[0].x() << "," << r.corner[0].y();

    // The first room's north-east corner, and a wall running north from 6 pixels above it, set
    // down in the model to lie exactly there.
    Objex* room = walls()[0];
    ASSERT_TRUE(room->closed && room->pointCount == 4);
    const Poinz* corner = PointAt(room, 1);
    const float cornerH = corner->position[0], cornerD = corner->position[2];
    const QPoint c = at(cornerH, cornerD);
    const FloatPoint spurEnd = planAt(c + QPoint(0, -6)), spurFar = planAt(c + QPoint(0, -60));
    Objex* spur = dvxtest::Wall(gCurDocument->itsCurLayer, {{spurEnd.floatH, spurEnd.floatV}, {spurFar.floatH, spurFar.floatV}});
    spur->planBits = ds->visiblePlans;
    view->update();
    const size_t before = walls().size();
    ASSERT_TRUE(drag(c, c + QPoint(45, 0)));
    ASSERT_EQ(walls().size(), before + 1) << "the press took the free end 6 pixels off, not the corner";
    const Objex* fresh = walls().back();
    EXPECT_EQ(fresh->pointCount, 2);
    EXPECT_FLOAT_EQ(fresh->firstPoint->position[0], cornerH);
    EXPECT_FLOAT_EQ(fresh->firstPoint->position[2], cornerD);
    EXPECT_EQ(spur->pointCount, 2);
    EXPECT_TRUE(room->closed && room->pointCount == 4);
    const QImage image = grab();
    image.save(gShot + ".corner.png");
    EXPECT_TRUE(Inked(image, fresh->firstPoint, fresh->firstPoint->next));
}

// A hip roof drawn over four walls. On the roofing plan a click on its edge over a wall and on
// its corner selects the roof alone; a press in its middle, on none of its lines, deselects it,
// and the drag from there is a marquee that leaves the roof where it was. On the floor plan the
// same edge click selects the wall under it. A selected roof shows its corners' elevations in
// the selection's colour.
TEST_F(Drawing, AClickSelectsWhatTheCurrentPlanHolds) {
    ASSERT_TRUE(ChooseToolCell(7050, 1));
    ASSERT_TRUE(rectangle(-1000, -700, 1000, 700));
    ASSERT_EQ(walls().size(), 1u);
    Objex* room = walls()[0];
    ASSERT_TRUE(chooseTab(4));
    ASSERT_TRUE(ChooseToolCell(7301, 4));  // hip roof, dragged corner to corner
    ASSERT_TRUE(drag(at(-1000, -700), at(1000, 700)));
    Objex* roof = gCurDocument->itsCurLayer->firstObject->next;
    ASSERT_TRUE(roof && roof->type == objtype::kRoof);
    const Poinz* topLeft = roof->firstPoint;
    const float left = topLeft->position[0], top = topLeft->position[2];
    ASSERT_TRUE(ChooseToolCell(toolid::kSelect, 0));

    // The corner's elevation readout stands above-left of it.
    const auto readout = [&] {
        const QImage image = grab();
        const QPoint c = inImage(left, top);
        return Count(image, QRect(c.x() - 40, c.y() - 16, 80, 12), Highlight);
    };
    ASSERT_TRUE(click(at(0, 1200)));  // away from everything: nothing selected
    const int unselected = readout();
    const struct { const char* what; float h, d; } clicks[] = {{"edge", 0, top}, {"corner", left, top}};
    for (const auto& c : clicks) {
        ASSERT_TRUE(click(at(0, 1200)));
        ASSERT_TRUE(click(at(c.h, c.d)));
        EXPECT_EQ(SelectedPointCount(roof), 4) << c.what;
        EXPECT_EQ(SelectedPointCount(room), 0) << c.what;
        EXPECT_GT(readout(), unselected + 20) << c.what << ": the roof does not show selected";
    }
    grab().save(gShot + ".roofing.png");

    // The roof is selected; a drag from its middle moves nothing and leaves nothing selected.
    std::vector<float> corners;
    for (const Poinz* p = roof->firstPoint; p; p = p->next) corners.insert(corners.end(), {p->position[0], p->position[2]});
    ASSERT_TRUE(drag(at(0, 350), at(300, 500)));  // between the ridge and the edge
    std::vector<float> after;
    for (const Poinz* p = roof->firstPoint; p; p = p->next) after.insert(after.end(), {p->position[0], p->position[2]});
    EXPECT_EQ(after, corners) << "the press inside the roof dragged it";
    EXPECT_EQ(SelectedPointCount(roof), 0) << "the press inside the roof kept it selected";
    EXPECT_EQ(SelectedPointCount(room), 0);
    EXPECT_LE(readout(), unselected) << "the roof shows selected after a press inside it";

    ASSERT_TRUE(chooseTab(1));
    ASSERT_TRUE(click(at(0, 1200)));
    ASSERT_TRUE(click(at(0, top)));
    EXPECT_GT(SelectedPointCount(room), 0) << "the wall under the roof's edge was not picked";
    EXPECT_EQ(SelectedPointCount(roof), 0);
    EXPECT_LE(readout(), unselected) << "the roof shows selected on the floor plan";
}

// At zoom 1 (a plan unit a pixel): a door placed with the door tool and then clicked where it
// was released (the swing's click refused) opens a quarter turn; one whose swing is pointed at
// opens toward the pointer. Both draw their arc and leaf.
class DrawingAtZoomOne : public Drawing {
protected:
    void beforeShow() override { ds->zoomFactor = ds->savedZoom = 1; }
};

TEST_F(DrawingAtZoomOne, EveryHingedDoorTheToolPlacesShowsItsSwing) {
    ASSERT_EQ(ds->zoomFactor, 1.0f);
    ASSERT_TRUE(ChooseToolCell(7050, 1));
    ASSERT_TRUE(drag(at(-300, 0), at(300, 0)));
    ASSERT_EQ(walls().size(), 1u);
    Objex* wall = walls()[0];
    ASSERT_TRUE(ChooseToolCell(7056, 1));
    ASSERT_EQ(ds->doorStyle, 501);
    // Press on the wall, drag along it, release: the swing follows the pointer until a click.
    const auto place = [&](float from, float to, QPoint swingClick) {
        press(at(from, 0));
        if (!QTest::qWaitFor([&] { return view->gestureBusy(); })) return false;
        moveTo(at((from + to) / 2, 0)), moveTo(at(to, 0));
        XDo({"mouseup", "1"}), QTest::qWait(200);
        moveTo(swingClick), XDo({"click", "1"});
        return QTest::qWaitFor([&] { return !view->gestureBusy(); });
    };
    ASSERT_TRUE(place(-200, -150, at(-150, 0)));
    ASSERT_TRUE(place(100, 150, at(150, 80)));
    std::vector<Objex*> doors;
    for (Objex* c = wall->firstChild; c; c = c->next)
        if (c->type == objtype::kDoor) doors.push_back(c);
    ASSERT_EQ(doors.size(), 2u);
    EXPECT_FLOAT_EQ(doors[0]->typeData.attachment->swingOrOffset, 1.5707963f);

    const QImage image = grab();
    image.save(gShot + ".doors.png");
    for (const Objex* door : doors) {
        const AttachmentRecord* r = door->typeData.attachment;
        EXPECT_EQ(r->style, 501);
        EXPECT_TRUE(DoorSwingShows(door));
        // The hinge S, the closed leaf toward E, the open one turned by the swing the short way
        // round: ink on the leaf's middle and on the arc (radius 3 short of the door's width)
        // halfway round. The plan makes the hinge and the leaf's ends whole one after another,
        // which can set the leaf 3 units off the hinge's exact line: 4 pixels are allowed.
        const Poinz* s = r->sideFlag ? door->firstPoint : door->firstPoint->next;
        const Poinz* e = r->sideFlag ? door->firstPoint->next : door->firstPoint;
        const float sh = s->position[0], sd = s->position[2];
        const float length = std::hypot(e->position[0] - sh, e->position[2] - sd);
        const float closed = std::atan2(-(e->position[2] - sd), e->position[0] - sh);
        const float open = closed + r->swingOrOffset;
        const float half = closed + float(std::remainder(double(r->swingOrOffset), 2 * 3.14159265358979323846)) / 2;
        const QPoint leaf = inImage(sh + length / 2 * std::cos(open), sd - length / 2 * std::sin(open));
        const QPoint arc = inImage(sh + (length - 3) * std::cos(half), sd - (length - 3) * std::sin(half));
        EXPECT_GT(Count(image, QRect(leaf - QPoint(4, 4), QSize(9, 9)), Dark), 0) << "no leaf at " << sh;
        EXPECT_GT(Count(image, QRect(arc - QPoint(4, 4), QSize(9, 9)), Dark), 0) << "no arc at " << sh;
    }
}

using DrawingAtZoomOneManaged = UnderWindowManagers<DrawingAtZoomOne>;
INSTANTIATE_TEST_SUITE_P(WindowManagers, DrawingAtZoomOneManaged, ::testing::Bool(), WindowManagerName);

// What a press, a key, a shortcut, the wheel or a close box does while a loop or a sheet runs,
// one row each, with the live view shown beside the plan, without a window manager and under
// twm: a door's swing, which a press ends, is finished by a press on any control as its click
// at the pointer would finish it, and the control does nothing (a tool's cell placed below the
// door's first end swings the door toward that press); a polygon's point loop takes such a
// press and goes on with its points; the keyboard following the pointer onto another of the
// program's windows, or left to no window with the pointer on the bare desktop, ends no loop,
// and another application taking it ends any; the wheel waits for the loop's end; the
// window's close box is the loop's press and closes nothing; the live view's walk drag reads keys and runs no
// shortcut, during or after; the cut-away slider's drag leaves a shortcut for its release; a
// sheet of the live view runs alone, and any other sheet holds every menu command back and the
// plan and the live view with it; under every sheet a palette's double click opens no second
// sheet, a plan tool chosen leaves the selection, and the close box closes nothing.
TEST_P(DrawingAtZoomOneManaged, WhileALoopOrASheetRunsAnInputOutsideItDoesWhatItsRowSays) {
    LiveViewController* live = LiveViewController::sharedLiveViewController();
    live->showWindow();
    // Moved as a user would, once it shows where the program put it.
    ASSERT_TRUE(QTest::qWaitForWindowExposed(live->window()));
    live->window()->resize(240, 180);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    live->window()->move(screen.right() - 250, screen.bottom() - 190);
    ASSERT_TRUE(QTest::qWaitFor([&] { return live->window()->pos() == QPoint(screen.right() - 250, screen.bottom() - 190); }));
    SnapPaletteController* snap = SnapPaletteController::shared();
    snap->showWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(snap->window()));
    snap->window()->move(0, screen.height() / 2);
    XDo({"windowfocus", "--sync", QString::number(w->winId())});
    ASSERT_TRUE(QTest::qWaitFor([&] { return w->isActiveWindow(); }));
    ASSERT_TRUE(ChooseToolCell(7050, 1));
    ASSERT_TRUE(drag(at(-300, 0), at(300, 0)));
    ASSERT_TRUE(drag(at(-300, -200), at(300, -200)));
    ASSERT_EQ(walls().size(), 2u);
    Objex* wall = walls()[0];
    const QAction* undo = w->commandRouter()->action("undo");
    const QUndoStack* steps = w->document()->undoStack();
    // Press on the wall, drag along it and release: the door stands with its swing following
    // the pointer, shown up from the wall.
    float wallRow = 0;
    const auto leave = [&](float from, float to) -> Objex* {
        press(at(from, wallRow));
        if (!QTest::qWaitFor([&] { return view->gestureBusy(); })) return nullptr;
        moveTo(at((from + to) / 2, wallRow)), moveTo(at(to, wallRow));
        XDo({"mouseup", "1"}), QTest::qWait(200);
        Objex* door = nullptr;
        for (Objex* c = wall->firstChild; c; c = c->next)
            if (c->type == objtype::kDoor) door = c;
        if (door) moveTo(at(door->firstPoint->position[0] + 10, wallRow - 40)), QTest::qWait(100);
        return door;
    };
    const auto inScene = [](const Objex* door) {
        for (const PlaneObject* p = gGLPlaneObjects; p; p = p->next)
            if (p->object3D == door) return true;
        return false;
    };
    const auto openLeaf = [&](const Objex* door) {  // the open leaf's middle, in the grab
        const AttachmentRecord* r = door->typeData.attachment;
        const Poinz* s = r->sideFlag ? door->firstPoint : door->firstPoint->next;
        const Poinz* e = r->sideFlag ? door->firstPoint->next : door->firstPoint;
        const float sh = s->position[0], sd = s->position[2];
        const float length = std::hypot(e->position[0] - sh, e->position[2] - sd);
        const float open = std::atan2(-(e->position[2] - sd), e->position[0] - sh) + r->swingOrOffset;
        return inImage(sh + length / 2 * std::cos(open), sd - length / 2 * std::sin(open));
    };
    const auto toolbarButton = [&](QToolBar* bar, const char* item) {
        return bar->widgetForAction(bar->findChild<QAction*>(item));
    };
    QMenu* editMenu = w->menuBar()->findChild<QMenu*>(QStringLiteral("Edit"));
    ASSERT_NE(editMenu, nullptr);
    QScrollBar* scroll = w->docScrollView()->horizontalScrollBar();
    QComboBox* floors = w->activeFloorTBPopUpButton();
    QWidget* slider = w->elevationSlider();
    QWidget* panel = live->window();
    auto* panelBar = panel->findChild<QToolBar*>(QStringLiteral("LiveView Toolbar Identifier"));
    ASSERT_NE(panelBar, nullptr);
    // What any control's action would change: none of it may move while a loop takes its press.
    const auto state = [&] {
        return std::tuple(panel->isVisible(), w->isInspectorShown(), w->elevationSlider()->value(), ds->currentElevation,
                          scroll->value(), std::tuple(gCurTool, gCurToolSet, ds->cutAwayKind, floors->currentIndex()),
                          std::tuple(editMenu->isVisible(), floors->view()->isVisible(), ShownSheet(panel) != nullptr,
                                     ShownSheet(w) != nullptr, snap->toolButtons()->selectedTag()));
    };
    struct Control {
        const char* name;
        QWidget* widget;
        QPoint at;
    };
    const Control controls[] = {
        {"the Edit menu's title", w->menuBar(), w->menuBar()->actionGeometry(editMenu->menuAction()).center()},
        {"another plan's tab", w->docTabView(), w->docTabView()->tabRect(2).center()},
        {"the floor pop-up", floors, {}},
        {"the window's LiveView item", toolbarButton(w->docToolbar(), "Document Toolbar LiveView Item"), {}},
        {"the window's Inspector item", toolbarButton(w->docToolbar(), "Document Toolbar Inspector Item"), {}},
        {"the elevation slider", slider, {8, slider->height() / 2}},  // the track left of the knob
        {"the plan's scroll bar",
         scroll,
         {scroll->value() > scroll->maximum() / 2 ? 24 : scroll->width() - 24, scroll->height() / 2}},
        {"the live view's cut-away arrow", panel->findChild<QWidget*>(QStringLiteral("cutAwaySliderUpButton")), {}},
        {"the live view's Lighting item", toolbarButton(panelBar, "LiveView Toolbar Lighting Options Item"), {}},
        {"a snap cell", snap->toolButtons()->cell(502), {}},
    };
    const auto pressOn = [&](const Control& c) {
        const QPoint at = c.at.isNull() ? c.widget->rect().center() : c.at;
        hover(c.widget->mapToGlobal(at)), ClickAt(c.widget, at);
        QTest::qWait(300);
    };
    ASSERT_TRUE(ChooseToolCell(7056, 1));
    ASSERT_EQ(ds->doorStyle, 501);

    // The swing: a tool's cell pressed below the door's first end swings the door a quarter
    // down toward the press (the grid moves the point up to half a cell); the tool stays.
    Objex* door = leave(-250, -200);
    ASSERT_NE(door, nullptr);
    ASSERT_TRUE(view->gestureBusy());
    const Poinz* first = door->firstPoint;
    PaletteController* edit = ToolPaletteController::shared();
    edit->window()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(edit->window()));
    QWidget* cell = ToolPaletteController::shared()->toolButtons()->cell(205);
    const QPoint below = at(first->position[0], first->position[2] + 80);
    edit->window()->move(edit->window()->pos() + below - cell->mapToGlobal(cell->rect().center()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return cell->mapToGlobal(cell->rect().center()) == below; }));
    edit->window()->raise();  // over the plan window, as the window manager keeps it
    QTest::qWait(200);
    ClickAt(cell, cell->rect().center());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !view->gestureBusy(); }));
    QTest::qWait(200);
    EXPECT_EQ(gCurTool, 7056);
    const AttachmentRecord* r = door->typeData.attachment;
    EXPECT_EQ(r->sideFlag, 1);
    EXPECT_NEAR(std::remainder(double(r->swingOrOffset), 2 * 3.14159265358979323846), -1.5707963, 0.2);
    EXPECT_EQ(undo->text().toStdString(), "Undo Door Tool");
    EXPECT_TRUE(inScene(door)) << "the door is not in the live view";
    QImage image = grab();
    image.save(gShot + ".door-left-for-a-tool.png");
    EXPECT_TRUE(DoorSwingShows(door));
    EXPECT_GT(Count(image, QRect(openLeaf(door) - QPoint(4, 4), QSize(9, 9)), Dark), 0) << "no leaf below the wall";
    edit->window()->move(0, 0);

    // Every other control: the press only ends the swing, the door's is the one step stored.
    float along = -150;  // each door (60 wide, about the release) clear of the others
    for (const Control& c : controls) {
        SCOPED_TRACE(c.name);
        ASSERT_NE(c.widget, nullptr);
        if (along > 250) along = -250, wall = walls()[1], wallRow = wall->firstPoint->position[2];
        ASSERT_TRUE(ChooseToolCell(7056, 1));
        door = leave(along, along + 30);
        along += 100;
        ASSERT_NE(door, nullptr);
        ASSERT_TRUE(view->gestureBusy());
        const int stored = steps->count();
        const auto before = state();
        pressOn(c);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !view->gestureBusy(); }));
        EXPECT_EQ(steps->count(), stored + 1);
        EXPECT_EQ(undo->text().toStdString(), "Undo Door Tool");
        EXPECT_TRUE(inScene(door)) << "the door is not in the live view";
        EXPECT_TRUE(DoorSwingShows(door));
        EXPECT_EQ(state(), before);
        if (view->gestureBusy()) click(at(along, wallRow - 40));
        if (floors->view()->isVisible() || editMenu->isVisible()) XDo({"key", "Escape"}), QTest::qWait(200);
        if (ShownSheet(panel)) PressSheetButton(panel, "cancelButton");
    }
    wallRow = 0;

    // The polygon's point loop waiting for its fourth point: each press adds no point and the
    // control does nothing; the rubber band still follows the pointer, and Escape then ends the
    // outline with its three points.
    const auto threePoints = [&](float row) -> Objex* {
        for (const QPoint p : {at(-350, row), at(-150, row), at(-150, row + 100)}) {
            QTest::qWait(QApplication::doubleClickInterval() + 50);
            moveTo(p), XDo({"click", "1"}), QTest::qWait(200);
            if (!view->gestureBusy()) return nullptr;
        }
        Objex* outline = gCurDocument->itsCurLayer->firstObject;
        while (outline && outline->next) outline = outline->next;
        return PointAt(outline, 2) ? outline : nullptr;
    };
    ASSERT_TRUE(chooseTab(8));
    ASSERT_TRUE(ChooseToolCell(7703, 8));
    int stored = steps->count();
    Objex* outline = threePoints(-250);
    ASSERT_NE(outline, nullptr);
    moveTo(at(-300, -150));
    for (const Control& c : controls) {
        SCOPED_TRACE(c.name);
        const auto before = state();
        pressOn(c);
        const bool going = view->gestureBusy();
        EXPECT_TRUE(going);
        EXPECT_EQ(std::pair(state(), steps->count()), std::pair(before, stored));
        if (going) {
            EXPECT_EQ(PointAt(outline, 3), nullptr);
            continue;
        }
        // Lost: the next row starts a new one.
        if (floors->view()->isVisible() || editMenu->isVisible()) XDo({"key", "Escape"}), QTest::qWait(200);
        if (ShownSheet(panel)) PressSheetButton(panel, "cancelButton");
        ASSERT_TRUE(chooseTab(8));
        ASSERT_TRUE(ChooseToolCell(7703, 8));
        stored = steps->count();
        ASSERT_NE(outline = threePoints(-250), nullptr);
        moveTo(at(-300, -150));
    }
    moveTo(at(-350, -100)), QTest::qWait(200);
    image = grab();
    image.save(gShot + ".outline-after-a-toolbar-press.png");
    const Poinz* last = PointAt(outline, 2);
    const QPoint band = inImage((last->position[0] - 350) / 2, (last->position[2] - 100) / 2);
    EXPECT_GT(Count(image, QRect(band - QPoint(8, 8), QSize(17, 17)), Red), 0) << "no rubber band";
    XDo({"key", "Escape"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return !view->gestureBusy(); }));
    EXPECT_EQ(std::pair(PointAt(outline, 3), steps->count()), std::pair(static_cast<Poinz*>(nullptr), stored + 1));
    EXPECT_EQ(undo->text().toStdString(), "Undo Polygon Tool");

    // Ended by what the gate cannot hold (the window hidden), the loop keeps its outline as
    // Escape keeps it.
    stored = steps->count();
    outline = threePoints(50);
    ASSERT_NE(outline, nullptr);
    w->hide();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !view->gestureBusy(); }));
    ASSERT_TRUE(ShowFocused(w));
    EXPECT_EQ(std::pair(PointAt(outline, 2) != nullptr, steps->count()), std::pair(true, stored + 1));
    EXPECT_EQ(undo->text().toStdString(), "Undo Polygon Tool");

    // The keyboard following the pointer onto another of the program's windows, then onto the
    // bare desktop in the gap between the Editing Tools and the document window, where it is
    // left to no window, and back, no button pressed (without a window manager the test gives
    // it there as twm does), ends no loop of any kind. A close that reached the window would
    // ask to save, and its panel is cancelled.
    dvxtest::ScriptedFileDialogs panels;
    port::setFileDialogs(&panels);
    const size_t asked = services.alerts.shown.size();
    QWidget* editTools = edit->window();
    editTools->move(0, 150);  // clear of the Drawing Tools' cells
    QPoint gap;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        const QRect tools = editTools->frameGeometry(), doc = w->frameGeometry();
        gap = QPoint((tools.right() + doc.left()) / 2, tools.center().y());
        return tools.right() < gap.x() && gap.x() < doc.left();
    }));
    // Where the crossing ended the loop, or nothing.
    const auto crossOver = [&](QWidget* other, QPoint back) -> std::string {
        moveTo(other->mapToGlobal(other->rect().center()));
        if (!managed()) XDo({"windowfocus", QString::number(other->winId())});
        QTest::qWait(700);  // longer than Qt waits for the keyboard to come in elsewhere
        if (!view->gestureBusy()) return "on another window";
        if (!managed()) {  // back with the loop's window, as twm leaves it
            XDo({"windowfocus", "--sync", QString::number(w->winId())});
            if (!QTest::qWaitFor([&] { return w->isActiveWindow(); })) return "never back";
        }
        moveTo(gap);
        if (!managed()) LeaveKeyboardToNoWindow();
        QTest::qWait(700);
        if (!view->gestureBusy()) return "on the bare desktop";
        moveTo(back), QTest::qWait(200);
        return view->gestureBusy() ? "" : "on the way back";
    };
    const auto clicks = [&](std::initializer_list<QPoint> points) {
        for (const QPoint p : points) {
            QTest::qWait(QApplication::doubleClickInterval() + 50);
            moveTo(p), XDo({"click", "1"}), QTest::qWait(200);
            if (!view->gestureBusy()) return false;
        }
        return true;
    };
    const auto closed = [&] {  // what a close that went through changes
        return std::tuple(w->isVisible(), panel->isVisible(), services.alerts.shown.size() - asked);
    };
    const auto kept = std::tuple(true, true, size_t(0));
    // A polygon's point loop, the Editing Tools crossed; the wheel turned meanwhile, two notches
    // over the plan's scroll bar and two over the plan, scrolls nothing till the loop's end;
    // the close box is a press the loop takes, adding no point.
    QScrollBar* down = w->docScrollView()->verticalScrollBar();
    const bool left = scroll->value() > scroll->maximum() / 2, up = down->value() > down->maximum() / 2;
    const auto wheel = [&](bool back) {
        moveTo(scroll->mapToGlobal(scroll->rect().center())), XDo({"click", "--repeat", "2", left != back ? "4" : "5"});
        moveTo(port(view->parentWidget()->rect().center())), XDo({"click", "--repeat", "2", up != back ? "4" : "5"});
        QTest::qWait(300);
    };
    ASSERT_TRUE(chooseTab(8));
    ASSERT_TRUE(ChooseToolCell(7703, 8));
    stored = steps->count();
    ASSERT_TRUE(clicks({at(120, 160), at(320, 160), at(320, 220)}));
    outline = gCurDocument->itsCurLayer->firstObject;
    while (outline->next) outline = outline->next;
    EXPECT_EQ(crossOver(editTools, at(200, 300)), "") << "the polygon, the Editing Tools crossed";
    if (managed()) {  // twm's frame around the Editing Tools given the keyboard, the pointer on the desktop
        moveTo(gap), XDo({"windowfocus", WindowFrameId(editTools)}), QTest::qWait(700);
        EXPECT_TRUE(view->gestureBusy()) << "the polygon, the keyboard on the Editing Tools' frame";
        moveTo(at(200, 300)), QTest::qWait(200);
    }
    const std::pair scrolled(scroll->value(), down->value());
    wheel(false);
    EXPECT_EQ(std::pair(scroll->value(), down->value()), scrolled) << "the wheel during the polygon";
    PressCloseBox(w), QTest::qWait(500);
    EXPECT_EQ(closed(), kept) << "the close box during the polygon";
    EXPECT_TRUE(view->gestureBusy());
    moveTo(at(200, 300)), XDo({"key", "Escape"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return !view->gestureBusy(); }));
    EXPECT_EQ(std::tuple(PointAt(outline, 2) != nullptr, PointAt(outline, 3), steps->count()),
              std::tuple(true, static_cast<Poinz*>(nullptr), stored + 1));
    EXPECT_EQ(undo->text().toStdString(), "Undo Polygon Tool");
    EXPECT_TRUE(QTest::qWaitFor([&] { return scroll->value() != scrolled.first && down->value() != scrolled.second; }))
        << "the wheel's turns were dropped";
    wheel(true);
    // A door's swing, the live view crossed from below the wall to above it; the close box
    // then ends the swing as a press at the pointer, above the wall, and closes nothing.
    ASSERT_TRUE(chooseTab(1));
    ASSERT_TRUE(ChooseToolCell(7050, 1));
    ASSERT_TRUE(drag(at(100, 100), at(350, 100)));
    wall = walls().back(), wallRow = 100;
    ASSERT_TRUE(ChooseToolCell(7056, 1));
    ASSERT_NE(door = leave(200, 230), nullptr);
    moveTo(at(215, 160)), QTest::qWait(100);
    EXPECT_EQ(crossOver(panel, at(215, 40)), "") << "the door's swing, the live view crossed";
    stored = steps->count();
    PressCloseBox(w);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !view->gestureBusy(); })) << "the close box left the swing going";
    QTest::qWait(300);
    EXPECT_EQ(closed(), kept) << "the close box during the swing";
    EXPECT_EQ(std::pair(steps->count(), undo->text().toStdString()), std::pair(stored + 1, std::string("Undo Door Tool")));
    image = grab();
    image.save(gShot + ".door-swung-after-a-crossing.png");
    EXPECT_LT(openLeaf(door).y(), inImage(0, wallRow).y()) << "the swing opens below the wall";
    wallRow = 0;
    // A deck with railing, the Snap Tools crossed; a fence drawn point by point, the Editing
    // Tools crossed: each goes on, and Escape ends it as its tool's step.
    const struct {
        int16_t plan, tool;
        QWidget* crossed;
        QPoint points[3];
        const char* undo;
    } outlines[] = {
        {6, 7600, snap->window(), {at(120, 240), at(320, 240), at(320, 280)}, "Undo Deck with Railing Tool"},
        {7, 7505, editTools, {at(-350, 250), at(-250, 250), at(-250, 300)}, "Undo Fence Tool"},
    };
    for (const auto& o : outlines) {
        SCOPED_TRACE(o.undo);
        ASSERT_TRUE(chooseTab(o.plan));
        ASSERT_TRUE(ChooseToolCell(o.tool, o.plan));
        stored = steps->count();
        ASSERT_TRUE(clicks({o.points[0], o.points[1], o.points[2]}));
        EXPECT_EQ(crossOver(o.crossed, o.points[2] + QPoint(0, 30)), "");
        XDo({"key", "Escape"});
        EXPECT_TRUE(QTest::qWaitFor([&] { return !view->gestureBusy(); }));
        EXPECT_EQ(std::pair(steps->count(), undo->text().toStdString()), std::pair(stored + 1, std::string(o.undo)));
    }
    // A curved wall's bend: a diameter dragged, the pointer above it, the live view crossed and
    // back: the click there bends the wall above the diameter.
    ASSERT_TRUE(chooseTab(1));
    ASSERT_TRUE(ChooseToolCell(7054, 1));
    press(at(150, 370));
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->gestureBusy(); }));
    moveTo(at(220, 370)), moveTo(at(290, 370)), XDo({"mouseup", "1"}), QTest::qWait(200);
    moveTo(at(220, 320)), QTest::qWait(100);
    EXPECT_EQ(crossOver(panel, at(220, 320)), "") << "the curved wall's bend, the live view crossed";
    ASSERT_TRUE(click(at(220, 320)));
    EXPECT_EQ(undo->text().toStdString(), "Undo Curved Wall Tool");
    float highest = 1e9f;
    for (const Poinz* p = walls().back()->firstPoint; p; p = p->next) highest = std::min(highest, p->position[2]);
    EXPECT_LT(highest, 340.0f) << "the wall bends below its diameter";

    // Another application taking the keyboard, the pointer still on the plan, ends each kind of
    // loop as what the gate cannot hold ends it: a polygon's point loop keeps its points as its
    // Escape keeps them, a door's swing and a wall's drag end where they stand; each is its
    // tool's step.
    {
        OtherApplicationWindow other(QRect(screen.right() - 200, 10, 160, 60));
        ASSERT_TRUE(QTest::qWaitFor([&] { return other.shown(); }));
        const auto otherTakesKeyboard = [&](QPoint on) {
            moveTo(on), XDo({"windowfocus", "--sync", other.id()}), QTest::qWait(700);
            const bool ended = !view->gestureBusy();
            XDo({"windowfocus", "--sync", QString::number(w->winId())});
            return ended;
        };
        ASSERT_TRUE(ChooseToolCell(7050, 1));
        stored = steps->count();
        ASSERT_TRUE(hold(at(-350, -330), at(-50, -330)));
        EXPECT_TRUE(otherTakesKeyboard(at(-50, -330))) << "a wall's drag";
        XDo({"mouseup", "1"}), QTest::qWait(200);
        EXPECT_EQ(std::pair(steps->count(), undo->text().toStdString()),
                  std::pair(stored + 1, std::string("Undo Exterior Wall Tool")));
        wall = walls().back(), wallRow = wall->firstPoint->position[2];
        ASSERT_TRUE(ChooseToolCell(7056, 1));
        stored = steps->count();
        ASSERT_NE(door = leave(-250, -220), nullptr);
        EXPECT_TRUE(otherTakesKeyboard(at(-235, wallRow - 50))) << "a door's swing";
        EXPECT_EQ(std::pair(steps->count(), undo->text().toStdString()),
                  std::pair(stored + 1, std::string("Undo Door Tool")));
        wallRow = 0;
        ASSERT_TRUE(chooseTab(8));
        ASSERT_TRUE(ChooseToolCell(7703, 8));
        stored = steps->count();
        ASSERT_TRUE(clicks({at(100, -330), at(300, -330), at(300, -280)}));
        outline = gCurDocument->itsCurLayer->firstObject;
        while (outline->next) outline = outline->next;
        EXPECT_TRUE(otherTakesKeyboard(at(200, -250))) << "a polygon";
        EXPECT_EQ(std::tuple(PointAt(outline, 2) != nullptr, PointAt(outline, 3), steps->count()),
                  std::tuple(true, static_cast<Poinz*>(nullptr), stored + 1));
        EXPECT_EQ(undo->text().toStdString(), "Undo Polygon Tool");
    }

    // Under twm the keys go where the pointer takes them. Left to no window with the pointer on
    // the bare desktop, the keyboard stays there: the loop goes on and the program takes nothing
    // back. The pointer then on another application's window ends the loop as above, and the
    // keys typed there are that application's: one that sets no WM_HINTS (as xev: twm gives it
    // nothing, and the keys go to the window under the pointer), and one twm gives the keyboard
    // (as xmessage) after a stop on the document window's border, where Qt heard the pointer
    // leave and twm did not yet.
    if (managed()) {
        const QRect place = clearPlace(QSize(120, 200));
        ASSERT_FALSE(place.isNull()) << "no room for another application";
        OtherApplicationWindow xev(QRect(place.topLeft(), QSize(120, 70)));
        OtherApplicationWindow xmessage(QRect(place.topLeft() + QPoint(0, 130), QSize(120, 70)), true);
        ASSERT_TRUE(QTest::qWaitFor([&] { return xev.shown() && xmessage.shown(); }));
        const auto lastObject = [] {
            Objex* o = gCurDocument->itsCurLayer->firstObject;
            while (o && o->next) o = o->next;
            return o;
        };
        // The outline stands with its three points, its tool's the last step (the stack is full).
        const auto outlineKept = [&](Objex* o) -> ::testing::AssertionResult {
            bool stands = false;
            for (const Objex* p = gCurDocument->itsCurLayer->firstObject; p; p = p->next) stands = stands || p == o;
            if (!stands) return ::testing::AssertionFailure() << "the outline is gone";
            if (std::tuple(PointAt(o, 2) != nullptr, PointAt(o, 3), undo->text().toStdString()) ==
                std::tuple(true, static_cast<Poinz*>(nullptr), std::string("Undo Polygon Tool")))
                return ::testing::AssertionSuccess();
            return ::testing::AssertionFailure() << (PointAt(o, 3) != nullptr) << " " << undo->text().toStdString();
        };
        const auto endLeftOver = [&] {  // a loop a failed row left going
            if (!view->gestureBusy()) return;
            moveTo(at(200, -250)), XDo({"windowfocus", "--sync", QString::number(w->winId())}), XDo({"key", "Escape"});
            QTest::qWaitFor([&] { return !view->gestureBusy(); });
        };
        ASSERT_TRUE(chooseTab(8));
        ASSERT_TRUE(ChooseToolCell(7703, 8));
        ASSERT_TRUE(clicks({at(100, -330), at(300, -330), at(300, -280)}));
        outline = lastObject();
        moveTo(gap), QTest::qWait(1500);
        EXPECT_TRUE(view->gestureBusy()) << "the polygon, the pointer resting on the bare desktop";
        EXPECT_FALSE(w->isActiveWindow()) << "the program took the keyboard with the pointer on the bare desktop";
        moveTo(WindowFrame(xev.id()).center()), QTest::qWait(1500);
        EXPECT_FALSE(view->gestureBusy()) << "the polygon, the pointer on an application that sets no WM_HINTS";
        const int heard = xev.keysReceived();
        XDo({"key", "Escape"}), XDo({"key", "Delete"}), QTest::qWait(300);
        EXPECT_EQ(xev.keysReceived() - heard, 2) << "the keys typed on that application";
        EXPECT_TRUE(outlineKept(outline)) << "the polygon ended on an application that sets no WM_HINTS";
        endLeftOver();
        ASSERT_TRUE(clicks({at(100, -200), at(300, -200), at(300, -150)}));
        outline = lastObject();
        moveTo(QPoint(w->geometry().left() - 1, gap.y())), QTest::qWait(400);  // on twm's border
        moveTo(gap), QTest::qWait(1000);
        EXPECT_TRUE(view->gestureBusy()) << "the polygon, after a stop on twm's border";
        moveTo(WindowFrame(xmessage.id()).center()), QTest::qWait(700);
        EXPECT_FALSE(view->gestureBusy()) << "the polygon, the pointer on an application twm gave the keyboard";
        EXPECT_TRUE(outlineKept(outline)) << "the polygon ended after a stop on twm's border";
        endLeftOver();
        moveTo(at(200, -250)), QTest::qWait(300);
    }

    // Each loop that waits for the click after its drag: a press on the Edit menu's title
    // builds what the click would have, and opens no menu.
    struct Waiting {
        int16_t plan, tool;
        bool (*made)(const Objex*);
        const char* undo;
    };
    const Waiting waiting[] = {
        {8, 7705, [](const Objex* o) { return o->type == objtype::kDetail && o->subtype == detailsubtype::kArc; },
         "Undo Circular Arc Tool"},
        {1, 7054, [](const Objex* o) { return o->type == objtype::kWall; }, "Undo Curved Wall Tool"},
        {1, 210,
         [](const Objex* o) { return o->type == objtype::kOffsetDimensionV || o->type == objtype::kOffsetDimensionH; },
         "Undo Offset Dimension Tool"},
        {1, 213, [](const Objex* o) { return o->type == objtype::kLeaderDimension; }, "Undo Leader Dimension Tool"},
    };
    float row = 150;
    for (const Waiting& t : waiting) {
        SCOPED_TRACE(t.undo);
        ASSERT_TRUE(chooseTab(t.plan));
        ASSERT_TRUE(ChooseToolCell(t.tool, t.plan));
        const auto made = [&] {
            int n = 0;
            for (const Objex* o = gCurDocument->itsCurLayer->firstObject; o; o = o->next) n += t.made(o);
            return n;
        };
        const int before = made();
        press(at(-100, row));
        ASSERT_TRUE(QTest::qWaitFor([&] { return view->gestureBusy(); }));
        moveTo(at(-50, row)), moveTo(at(0, row));
        XDo({"mouseup", "1"}), QTest::qWait(200);
        moveTo(at(-50, row - 50)), QTest::qWait(100);
        ASSERT_TRUE(view->gestureBusy());
        pressOn(controls[0]);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !view->gestureBusy(); }));
        EXPECT_FALSE(editMenu->isVisible());
        if (editMenu->isVisible()) XDo({"key", "Escape"}), QTest::qWait(200);
        EXPECT_EQ(made(), before + 1);
        EXPECT_EQ(undo->text().toStdString(), t.undo);
        row += 70;
    }

    // The live view's loops and sheets, on a panel large enough for its slider and toolbar.
    ASSERT_TRUE(chooseTab(1));
    ASSERT_TRUE(ChooseToolCell(toolid::kSelect, 1));
    panel->resize(560, 400);
    panel->move(screen.right() - 570, screen.bottom() - 410);
    panel->raise();  // over the document window, shown again since
    QTest::qWait(300);
    const auto design = [&] {
        int selected = 0;
        for (const Objex* o : walls()) selected += SelectedPointCount(o) > 0;
        return std::tuple(walls().size(), selected, steps->count(), panel->isVisible(),
                          AppController::shared()->mainWindowDocument() == w->document(), editMenu->isVisible());
    };
    const auto keys = [](std::initializer_list<const char*> pressed) {
        for (const char* k : pressed) XDo({"key", k}), QTest::qWait(150);
    };
    // The walk drag: its keys are its own and run nothing, held or after the release.
    QWidget* glView = panel->findChild<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget* c : panel->findChildren<QWidget*>())
        if (c->metaObject()->className() == QByteArray("QWindowContainer")) glView = c;
    ASSERT_NE(glView, nullptr);
    ASSERT_TRUE(ChooseMenuItem(w, "Edit", "selectAll"));
    auto before = design();
    moveTo(glView->mapToGlobal(glView->rect().center())), XDo({"mousedown", "1"}), QTest::qWait(200);
    moveTo(glView->mapToGlobal(glView->rect().center() + QPoint(6, 0)));
    keys({"ctrl+1", "ctrl+x"});
    EXPECT_EQ(design(), before) << "the walk drag, held";
    XDo({"mouseup", "1"}), QTest::qWait(400);
    EXPECT_EQ(design(), before) << "the walk drag, released";
    if (!panel->isVisible()) {
        live->showWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(panel));
    }
    // Another application leaving the keyboard to the window under the pointer (PointerRoot)
    // while the walk drag's button is held, the pointer on the live view: the keys are the
    // program's still, and the walk goes on till the release.
    {
        OtherApplicationWindow another(clearPlace(QSize(100, 60)));  // anywhere shown
        ASSERT_TRUE(QTest::qWaitFor([&] { return another.shown(); }));
        const auto camera = [&] { return std::tuple(ds->cameraPosition.floatH, ds->cameraPosition.floatV, ds->cameraHeading); };
        moveTo(glView->mapToGlobal(glView->rect().center())), XDo({"mousedown", "1"}), QTest::qWait(200);
        moveTo(glView->mapToGlobal(glView->rect().center() + QPoint(8, -30))), QTest::qWait(200);
        another.leaveKeyboardToPointer();
        moveTo(glView->mapToGlobal(glView->rect().center() + QPoint(10, -32))), QTest::qWait(300);
        const auto walked = camera();
        QTest::qWait(300);
        EXPECT_NE(camera(), walked) << "the walk drag ended as another application left the keyboard to the pointer";
        XDo({"mouseup", "1"}), QTest::qWait(300);
        const auto released = camera();
        QTest::qWait(300);
        EXPECT_EQ(camera(), released) << "the walk drag went on after its release";
    }

    // The cut-away slider's drag: the shortcuts wait for its release, then act in order.
    auto* cutAway = panel->findChild<QSlider*>(QStringLiteral("cutAwaySlider"));
    ASSERT_NE(cutAway, nullptr);
    XDo({"windowfocus", "--sync", QString::number(w->winId())});
    ASSERT_TRUE(click(at(0, -350)));  // on nothing: the selection cleared
    before = design();
    const size_t drawn = walls().size();
    QStyleOptionSlider handle;
    handle.initFrom(cutAway);
    handle.orientation = cutAway->orientation();
    handle.minimum = cutAway->minimum(), handle.maximum = cutAway->maximum();
    handle.sliderPosition = handle.sliderValue = cutAway->value();
    const QRect knob = cutAway->style()->subControlRect(QStyle::CC_Slider, &handle, QStyle::SC_SliderHandle, cutAway);
    moveTo(cutAway->mapToGlobal(knob.center())), XDo({"mousedown", "1"}), QTest::qWait(200);
    ASSERT_TRUE(cutAway->isSliderDown());
    moveTo(cutAway->mapToGlobal(knob.center() + QPoint(10, 0)));
    keys({"ctrl+a", "ctrl+x"});
    EXPECT_EQ(design(), before) << "the cut-away drag, held";
    XDo({"mouseup", "1"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return walls().empty(); })) << "no cut after the release";
    EXPECT_EQ(undo->text().toStdString(), "Undo Cut");
    XDo({"windowfocus", "--sync", QString::number(w->winId())});
    keys({"ctrl+z"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return walls().size() == drawn; }));

    // Each sheet of the live view up, its own control pressed: the main window's shortcuts and
    // menus act on nothing (the sheet's own fields keep their keys).
    struct Sheet {
        const char* name;
        const char* menu;
        const char* action;
        std::function<QWidget*()> shown;
        const char* control;
    };
    const auto dialog = [&](const char* name) -> QWidget* {
        auto* d = panel->findChild<QDialog*>(QString::fromLatin1(name));
        return d && d->isVisible() ? d : nullptr;
    };
    const Sheet sheets[] = {
        {"Light Properties", "LiveView", "showLVLightProperties", [&] { return dialog("LVLightPropertiesSheet"); },
         "sunBrightnessSlider"},
        {"Render Properties", "LiveView", "showLVRenderProperties", [&] { return dialog("LVGeneralPropertiesSheet"); },
         "FOVSlider"},
        {"Export LiveView Image", "File", "exportLiveViewImage", [&] { return dialog("export3DView"); },
         "imageFormatPopUpButton"},
        {"Walk-Through Elevation", "LiveView", "setLVWalkThroughElevation",
         [&] { return ShownSheet(panel); }, nullptr},
        {"Print 3D LiveView", "File", "print3DLiveView", [&] { return ShownSheet(panel); }, nullptr},
        {"Set Zoom", "View", "setPlanZoom", [&] { return ShownSheet(w); }, "zoomScaleText"},
    };
    const auto dialogsShown = [] {
        std::vector<QWidget*> shown;
        for (QWidget* t : QApplication::topLevelWidgets())
            if (qobject_cast<QDialog*>(t) && t->isVisible()) shown.push_back(t);
        return shown;
    };
    QWidget* arrow = ToolPaletteController::shared()->toolButtons()->cell(toolid::kSelect);
    PlanToolPaletteController::shared()->loadToolPaletteForPlan(1);
    // The palettes' controls that write the design: the offset typed into its field (its editing
    // ended by a snap cell's click), a growth arrow pressed.
    PlanToolPaletteController* planTools = PlanToolPaletteController::shared();
    planTools->window()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(planTools->window()));
    const auto docState = [&] { return w->document()->model()->itsDocState; };
    gCurDocument->itsMaximumPlantAge = 20;
    docState()->plantAge = 10;
    planTools->updatePlantGrowthIndicatorLevel();
    struct Writer {
        const char* name;
        QWidget* control;
        const char* typed;
    };
    const Writer writers[] = {
        {"the offset field", snap->window()->findChild<QLineEdit*>(), "0.8"},
        {"the left growth arrow", planTools->plantGrowthLeftButton(), nullptr},
        {"the right growth arrow", planTools->plantGrowthRightButton(), nullptr},
    };
    const auto saved = [&] {
        return std::tuple(docState()->snapOffset, docState()->plantAge, steps->count(), w->document()->isDocumentEdited());
    };
    QWidget* interiorWall = PlanToolPaletteController::shared()->toolButtons(1)->cell(7052);
    ASSERT_TRUE(ChooseMenuItem(w, "Edit", "selectAll"));  // what the sheets would act on
    for (const Sheet& s : sheets) {
        SCOPED_TRACE(s.name);
        if (!panel->isVisible()) {
            live->showWindow();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(panel));
        }
        before = design();
        ASSERT_TRUE(ChooseMenuItem(w, s.menu, s.action));
        QWidget* sheet = nullptr;
        ASSERT_TRUE(QTest::qWaitFor([&] { return (sheet = s.shown()) != nullptr; }));
        if (QWidget* control = s.control ? sheet->findChild<QWidget*>(QString::fromLatin1(s.control)) : nullptr) {
            hover(control->mapToGlobal(QPoint(6, control->height() / 2)));
            ClickAt(control, QPoint(6, control->height() / 2)), QTest::qWait(200);
            if (auto* box = qobject_cast<QComboBox*>(control)) box->hidePopup(), QTest::qWait(200);
        }
        ASSERT_TRUE(s.shown());
        keys({"ctrl+a", "ctrl+x", "ctrl+z", "ctrl+n", "ctrl+1"});
        ClickAt(w->menuBar(), w->menuBar()->actionGeometry(editMenu->menuAction()).center()), QTest::qWait(300);
        EXPECT_EQ(design(), before);
        EXPECT_TRUE(s.shown());
        if (editMenu->isVisible()) XDo({"key", "Escape"}), QTest::qWait(200);
        // A palette chooses its tool at most: a double click opens no second sheet, a plan
        // tool chosen leaves the selection. The document window's close box closes nothing
        // and asks nothing.
        const std::vector<QWidget*> up = dialogsShown();
        const QPoint a = arrow->mapToGlobal(arrow->rect().center());
        XDo({"mousemove", "--sync", QString::number(a.x()), QString::number(a.y()), "click", "--repeat", "2", "--delay", "80", "1"});
        QTest::qWait(400);
        EXPECT_EQ(dialogsShown(), up) << "a palette's double click opened a sheet";
        ClickAt(interiorWall, interiorWall->rect().center()), QTest::qWait(300);
        EXPECT_EQ(design(), before) << "a plan tool chosen";
        for (const Writer& c : writers) {
            const auto kept = saved();
            hover(c.control->mapToGlobal(c.control->rect().center()));
            ClickAt(c.control, c.control->rect().center()), QTest::qWait(300);
            if (c.typed) {
                keys({"ctrl+a"}), XDo({"type", "--delay", "5", c.typed}), QTest::qWait(200);
                QWidget* cell = snap->toolButtons()->cell(507);
                ClickAt(cell, cell->rect().center()), QTest::qWait(300);
            }
            EXPECT_EQ(saved(), kept) << c.name;
            EXPECT_TRUE(s.shown()) << c.name;
        }
        PressCloseBox(w), QTest::qWait(500);
        EXPECT_EQ(std::tuple(closed(), design()), std::tuple(kept, before)) << "the close box";
        for (QWidget* d : dialogsShown())
            if (std::find(up.begin(), up.end(), d) == up.end()) static_cast<QDialog*>(d)->reject();
        if (QWidget* sheet = s.shown()) {
            sheet->activateWindow(), QTest::qWait(100);
            XDo({"key", "Escape"});
            EXPECT_TRUE(QTest::qWaitFor([&] { return !s.shown(); }));
        }
    }

    // An alert of the launch, held until the window shows, is application-modal as it was run:
    // a tool's or a snap mode's cell pressed under it chooses nothing.
    {
        port::qt::QtAlerts launch;
        port::setAlerts(&launch);
        w->hide();
        port::qt::QtAlerts::holdUntilWindow(true);
        port::Alert alert;
        alert.message = "The document \"bad\" could not be loaded.";
        alert.buttons = {"OK"};
        launch.runModal(alert);
        ASSERT_TRUE(ShowFocused(w));
        port::qt::QtAlerts::holdUntilWindow(false);
        QMessageBox* box = nullptr;
        ASSERT_TRUE(QTest::qWaitFor([&] {
            box = w->findChild<QMessageBox*>();
            return box && box->isVisible() && box->windowHandle() && box->windowHandle()->isExposed();
        }));
        const auto chosen = [&] { return std::pair(gCurTool, snap->toolButtons()->selectedTag()); };
        const auto before = chosen();
        for (QWidget* cell : {static_cast<QWidget*>(ToolPaletteController::shared()->toolButtons()->cell(203)),
                              static_cast<QWidget*>(snap->toolButtons()->cell(503))}) {
            ASSERT_FALSE(box->frameGeometry().contains(cell->mapToGlobal(cell->rect().center())));
            ClickAt(cell, cell->rect().center()), QTest::qWait(300);
        }
        EXPECT_EQ(chosen(), before);
        ASSERT_TRUE(box->isVisible());
        QAbstractButton* ok = box->buttons().front();
        ClickAt(ok, ok->rect().center());
        EXPECT_TRUE(QTest::qWaitFor([&] { return !w->findChild<QMessageBox*>(); }));
        port::setAlerts(&services.alerts);
    }
    LiveViewController::destroyShared();
}

// Under twm's NoTitleFocus twm gives no window the keyboard as the pointer comes onto it: once
// the pointer has left the window a click gave it, the keys go to the window under the pointer
// (PointerRoot). Where that is the document window, its shortcuts act, after the pointer crossed
// a palette or after a sheet ended; a door's swing goes on while the pointer rests on the bare
// desktop and ends as it comes onto another application, whose keys are its own.
class NoTitleFocus : public DrawingAtZoomOneManaged {
protected:
    QByteArray twmrc() const override { return "NoTitleFocus\n"; }
};
INSTANTIATE_TEST_SUITE_P(UnderTwmsNoTitleFocus, NoTitleFocus, ::testing::Values(true),
                         [](const ::testing::TestParamInfo<bool>&) { return std::string("Twm"); });

TEST_P(NoTitleFocus, TheKeysActWhereThePointerTakesThem) {
    PaletteController* edit = ToolPaletteController::shared();
    edit->window()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(edit->window()));
    const QUndoStack* steps = w->document()->undoStack();
    const QAction* undo = w->commandRouter()->action("undo");

    // A door's swing; the pointer resting on the bare desktop, then on another application.
    const QRect place = clearPlace(QSize(120, 200));
    ASSERT_FALSE(place.isNull()) << "no room for another application";
    OtherApplicationWindow xmessage(QRect(place.topLeft(), QSize(120, 70)), true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return xmessage.shown(); }));
    const QPoint desktop = place.topLeft() + QPoint(60, 170);
    ASSERT_TRUE(ChooseToolCell(7050, 1));
    ASSERT_TRUE(drag(at(-300, -300), at(300, -300)));
    const float row = walls().back()->firstPoint->position[2];  // on the grid
    ASSERT_TRUE(ChooseToolCell(7056, 1));
    const int stored = steps->count();
    press(at(-100, row));
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->gestureBusy(); }));
    moveTo(at(-85, row)), moveTo(at(-70, row)), XDo({"mouseup", "1"}), QTest::qWait(200);
    moveTo(at(-80, row + 40)), QTest::qWait(200);
    ASSERT_TRUE(view->gestureBusy());
    moveTo(desktop), QTest::qWait(1000);
    EXPECT_TRUE(view->gestureBusy()) << "the swing, the pointer resting on the bare desktop";
    moveTo(WindowFrame(xmessage.id()).center()), QTest::qWait(1500);
    EXPECT_FALSE(view->gestureBusy()) << "the swing, the pointer on another application";
    const int heard = xmessage.keysReceived();
    XDo({"key", "Delete"}), QTest::qWait(300);
    EXPECT_EQ(xmessage.keysReceived() - heard, 1) << "the key typed on another application";
    if (view->gestureBusy()) click(at(-80, row + 40));
    QTest::qWait(300);
    EXPECT_EQ(std::pair(steps->count(), undo->text().toStdString()), std::pair(stored + 1, std::string("Undo Door Tool")));

    // The pointer across the Editing Tools and back onto the plan, then the shortcuts.
    QWidget* snap = SnapPaletteController::shared()->window();
    ASSERT_TRUE(ChooseToolCell(7050, 1));
    ASSERT_TRUE(drag(at(-300, -100), at(300, -100)));
    const size_t drawn = walls().size();
    const auto crossPalette = [&] {
        moveTo(edit->window()->frameGeometry().center()), QTest::qWait(500);
        moveTo(at(0, 100)), QTest::qWait(500);
    };
    crossPalette();
    const bool snapShown = snap->isVisible();
    XDo({"key", "ctrl+3"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return snap->isVisible() != snapShown; })) << "Ctrl+3 after a palette was crossed";
    XDo({"key", "ctrl+z"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return walls().size() == drawn - 1; })) << "Ctrl+Z after a palette was crossed";
    // A sheet ended by its Escape, the palette crossed.
    ASSERT_TRUE(ChooseMenuItem(w, "View", "setPlanZoom"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return ShownSheet(w) != nullptr; }));
    QTest::qWait(300);
    XDo({"key", "Escape"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !ShownSheet(w); }));
    crossPalette();
    XDo({"key", "ctrl+3"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return snap->isVisible() == snapShown; })) << "Ctrl+3 after a sheet and a crossing";
}

// The window manager's focus rules the keys are typed under: none (only the program moves the
// keyboard); twm leaving the palettes untitled (its keyboard left to the window under the pointer
// over one); twm titling them (it gives each window it enters the keyboard); twm's NoTitleFocus
// (it gives no window the keyboard: the keys go to the window under the pointer).
enum class FocusRule { None, UntitledPalettes, TitledPalettes, NoTitleFocus };
class WhereKeysGo : public DrawingAtZoomOne, public ::testing::WithParamInterface<FocusRule> {
protected:
    bool managed() const override { return GetParam() != FocusRule::None; }
    QByteArray twmrc() const override {
        if (GetParam() == FocusRule::TitledPalettes) return "DecorateTransients\n";
        if (GetParam() == FocusRule::NoTitleFocus) return "NoTitleFocus\n";
        return {};
    }
};
std::string FocusRuleName(const ::testing::TestParamInfo<FocusRule>& info) {
    return info.param == FocusRule::None ? "NoWindowManager" : "Twm";
}
INSTANTIATE_TEST_SUITE_P(NoManager, WhereKeysGo, ::testing::Values(FocusRule::None), FocusRuleName);
INSTANTIATE_TEST_SUITE_P(UntitledPalettes, WhereKeysGo, ::testing::Values(FocusRule::UntitledPalettes), FocusRuleName);
INSTANTIATE_TEST_SUITE_P(TitledPalettes, WhereKeysGo, ::testing::Values(FocusRule::TitledPalettes), FocusRuleName);
INSTANTIATE_TEST_SUITE_P(NoTitleFocus, WhereKeysGo, ::testing::Values(FocusRule::NoTitleFocus), FocusRuleName);

// Where a key typed as a user types it goes, one row per case, each under the focus rules it
// runs under: a field keeps its keys, a palette hands on those no control of it reads to the
// window last pressed or typed in, a sheet takes the keys of the window it blocks, a window that
// shows or goes leaves the keyboard where the user works; and a growth arrow held down acts.
TEST_P(WhereKeysGo, EachKeyReachesTheWindowItsRuleNames) {
    const FocusRule rule = GetParam();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    SnapPaletteController* snap = SnapPaletteController::shared();
    QWidget* snapWindow = snap->window();
    auto* field = snapWindow->findChild<QLineEdit*>();
    ASSERT_NE(field, nullptr);
    if (snapWindow->focusWidget()) snapWindow->focusWidget()->clearFocus();  // a field an earlier test left
    const auto showSnap = [&] {
        if (!snapWindow->isVisible()) snap->showWindow();
        if (!QTest::qWaitForWindowExposed(snapWindow)) return false;
        snapWindow->move(0, screen.height() / 2);
        return QTest::qWaitFor([&] { return snapWindow->pos() == QPoint(0, screen.height() / 2); });
    };
    ASSERT_TRUE(ChooseToolCell(7050, 1));
    ASSERT_TRUE(drag(at(-300, 0), at(300, 0)));
    const auto plan = [&] { return at(0, 200); };
    // The wall drawn again where a row deleted it, and selected with a click.
    const auto wallSelected = [&] {
        if (walls().empty() && (!ChooseToolCell(7050, 1) || !drag(at(-300, 0), at(300, 0)))) return false;
        if (!ChooseToolCell(toolid::kSelect, 1)) return false;
        const float row = walls().back()->firstPoint->position[2];
        hover(at(0, row));
        return click(at(0, row)) && SelectedPointCount(walls().back()) > 0;
    };
    // Beside the centre, where a click aims: a synchronous move onto the pointer's place would
    // wait for ever.
    const auto onto = [&](QWidget* widget) {
        const QPoint p = widget->mapToGlobal(widget->rect().center());
        moveTo(p + QPoint(3, 0)), moveTo(p + QPoint(1, 1)), QTest::qWait(600);
    };
    const auto key = [&](const char* typed) { XDo({"key", typed}), QTest::qWait(500); };
    const auto wallDeleted = [&] { return QTest::qWaitFor([&] { return walls().empty(); }, 2000); };
    const bool none = rule == FocusRule::None;
    const bool twm = !none;
    const auto ok = [](bool good, const std::string& why) {
        return good ? ::testing::AssertionSuccess() : ::testing::AssertionFailure() << why;
    };
    // The pointer onto the widget, beside its centre; under twm, once the keyboard has followed.
    const auto pointerOnto = [&](QWidget* widget) {
        const QPoint p = widget->mapToGlobal(widget->rect().center());
        moveTo(p + QPoint(3, 0)), moveTo(p + QPoint(1, 1));
        if (twm) (void)QTest::qWaitFor([&] { return KeysGoTo(widget->window()); }, 3000);
    };
    const auto editTitle = [&] {
        return w->menuBar()->actionGeometry(w->menuBar()->findChild<QMenu*>(QStringLiteral("Edit"))->menuAction()).center();
    };
    // The live view shown in the screen's corner, clear of the plan's middle.
    QWidget* panel = nullptr;
    const auto liveViewAside = [&] {
        LiveViewController::sharedLiveViewController()->showWindow();
        panel = LiveViewController::sharedLiveViewController()->window();
        // Moved again where the window manager placed it after the move (a panel just made).
        for (int tries = 0; tries < 3; ++tries) {
            const QPoint aside(screen.right() - panel->width() - 10, screen.bottom() - panel->height() - 10);
            panel->move(aside);
            if (QTest::qWaitFor([&] {
                    return StandsWhereQtHasIt(panel) && LiveViewController::sharedLiveViewController()->glSurface().window()->isValid();
                }) && (QTest::qWait(300), panel->pos() == aside && StandsWhereQtHasIt(panel)))
                return true;
        }
        return false;
    };
    // The live view's render properties sheet while it shows.
    const auto properties = [&]() -> QDialog* {
        auto* d = panel ? panel->findChild<QDialog*>(QStringLiteral("LVGeneralPropertiesSheet")) : nullptr;
        return d && d->isVisible() ? d : nullptr;
    };
    const auto noWallSelected = [&] {
        return "no wall selected: " + std::to_string(walls().size()) + " walls, tool " + std::to_string(gCurTool) +
               ", snap " + std::to_string(gCurSnap) + (ShownSheet(w) ? ", a sheet" : "");
    };
    // The content palette showing the plants' first section, chosen in its pop-up with the mouse:
    // pressed, the list up, let go, then the section clicked. Under twm a list can close at once,
    // as twm hands X's keyboard to the pointer when the list takes it: the user opens it again.
    ContentPaletteController* palette = w->contentPaletteController();
    const auto plantsShown = [&] {
        QComboBox* sections = palette->categoryPopUpButton();
        QAbstractItemView* list = sections->view();
        const int row = sections->findText("Plants");
        for (int tries = 0; tries < 3 && palette->selectedCategory() != 5; ++tries) {
            const QPoint box = sections->mapToGlobal(sections->rect().center());
            hover(box), QTest::qWait(QApplication::doubleClickInterval() + 50);
            moveTo(box), XDo({"mousedown", "1"});
            const bool up = QTest::qWaitFor([&] { return list->isVisible() && list->window()->windowHandle()->isExposed(); });
            QTest::qWait(200), XDo({"mouseup", "1"}), QTest::qWait(300);
            if (!up || !list->isVisible()) continue;
            const QPoint item = list->viewport()->mapToGlobal(list->visualRect(list->model()->index(row, 0)).center());
            moveTo(item + QPoint(2, 0)), moveTo(item);
            if (QTest::qWaitFor([&] { return list->currentIndex().row() == row; })) XDo({"click", "1"});
            if (!QTest::qWaitFor([&] { return !list->isVisible(); }, 2000)) XDo({"key", "Escape"});
        }
        return QTest::qWaitFor([&] {
            const ContentCategoryItem* shown = palette->contentView()->cacheSource();
            return palette->selectedCategory() == 5 && shown && shown->numberOfSymEntries() >= 2;
        });
    };
    // Entry `index`'s preview clicked, as a user clicks it.
    const auto choosePreview = [&](size_t index) {
        ContentView* grid = palette->contentView();
        const double side = ContentView::previewSizeFromUserDefaults();
        const content::GridCell cell = content::CellOfIndex(index, grid->width(), side, side);
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        ClickAt(grid, QPoint(int(cell.x + cell.width / 2), int(cell.y + cell.height / 2)));
        const SymEntryInfo* entry = grid->cacheSource()->symEntryAtIndex(index);
        return QTest::qWaitFor([&] { return palette->selectedSymEntry() == entry; });
    };
    struct Row {
        const char* name;
        bool runs;
        std::function<::testing::AssertionResult()> check;
    };
    const Row rows[] = {
        // A growth arrow held as a hand holds it steps the plants' level, either way.
        {"a growth arrow held down", true, [&]() -> ::testing::AssertionResult {
             PlanToolPaletteController* tools = PlanToolPaletteController::shared();
             tools->window()->show();
             if (!QTest::qWaitForWindowExposed(tools->window())) return ::testing::AssertionFailure() << "no palette";
             gCurDocument->itsMaximumPlantAge = 20;
             w->document()->model()->itsDocState->plantAge = 10;
             tools->updatePlantGrowthIndicatorLevel();
             std::vector<float> levels;
             for (QWidget* arrow : {static_cast<QWidget*>(tools->plantGrowthLeftButton()),
                                    static_cast<QWidget*>(tools->plantGrowthRightButton())}) {
                 hover(arrow->mapToGlobal(arrow->rect().center()));
                 QTest::qWait(QApplication::doubleClickInterval() + 50);
                 moveTo(arrow->mapToGlobal(arrow->rect().center())), XDo({"mousedown", "1"}), QTest::qWait(200);
                 XDo({"mouseup", "1"}), QTest::qWait(400);
                 levels.push_back(w->document()->model()->itsDocState->plantAge);
             }
             if (levels == std::vector<float>{9, 10}) return ::testing::AssertionSuccess();
             return ::testing::AssertionFailure() << "levels " << levels[0] << ", " << levels[1];
         }},
        // A sheet up, the pointer onto it and off onto the plan it blocks: Escape ends it.
        {"Escape with the pointer on the window a sheet blocks", !none, [&]() -> ::testing::AssertionResult {
             if (!ChooseMenuItem(w, "View", "setPlanZoom") ||
                 !QTest::qWaitFor([&] { return ShownSheet(w) != nullptr; }))
                 return ::testing::AssertionFailure() << "no sheet";
             onto(ShownSheet(w));
             moveTo(plan()), QTest::qWait(600);
             key("Escape");
             if (QTest::qWaitFor([&] { return !ShownSheet(w); }, 2000)) return ::testing::AssertionSuccess();
             PressSheetButton(w, "cancelButton");
             return ::testing::AssertionFailure() << "the sheet stayed";
         }},
        // The document window shown as at launch, the keyboard with no window: its shortcut acts.
        {"the document window shown", none, [&]() -> ::testing::AssertionResult {
             w->hide();
             LeaveKeyboardToNoWindow();
             w->document()->showWindows();
             if (!QTest::qWaitForWindowExposed(w)) return ::testing::AssertionFailure() << "not shown";
             moveTo(plan()), QTest::qWait(300);
             const bool shown = snapWindow->isVisible();
             key("ctrl+3");
             if (QTest::qWaitFor([&] { return snapWindow->isVisible() != shown; }, 2000))
                 return ::testing::AssertionSuccess();
             return ::testing::AssertionFailure() << "Ctrl+3 did nothing";
         }},
        // The live view clicked, the Snap Tools shown from it, the wall selected in the plan:
        // Delete over a snap cell deletes the wall, the window last clicked being the plan's.
        {"Delete over a snap cell", !none, [&]() -> ::testing::AssertionResult {
             if (snapWindow->isVisible()) snap->close(), QTest::qWait(300);
             LiveViewController* live = LiveViewController::sharedLiveViewController();
             live->showWindow();
             QWidget* panel = live->window();
             if (!QTest::qWaitForWindowExposed(panel)) return ::testing::AssertionFailure() << "no live view";
             panel->move(screen.right() - panel->width() - 10, screen.bottom() - panel->height() - 10);
             QTest::qWait(300);
             onto(panel), XDo({"click", "1"}), QTest::qWait(300);
             key("ctrl+3");
             if (!showSnap()) return ::testing::AssertionFailure() << "no Snap Tools";
             if (!wallSelected()) return ::testing::AssertionFailure() << "no wall selected";
             onto(snap->toolButtons()->cell(502));
             key("Delete");
             const bool deleted = wallDeleted();
             LiveViewController::destroyShared();
             return deleted ? ::testing::AssertionSuccess() : ::testing::AssertionFailure() << "the wall stands";
         }},
        // The offset field clicked and typed in, the pointer onto the plan and back: the keys
        // typed there are the field's, and the design stays as it is. Typed at once after the
        // click, before the program has read it (a program behind its user), they are the field's
        // too.
        {"the Snap Tools' offset field", true, [&]() -> ::testing::AssertionResult {
             if (!showSnap()) return ::testing::AssertionFailure() << "no Snap Tools";
             if (!wallSelected()) return ::testing::AssertionFailure() << "no wall selected";
             QWidget* offset = snap->toolButtons()->cell(507);
             float& offsetSet = w->document()->model()->itsDocState->snapOffset;
             offsetSet = 12;
             onto(offset), ClickAt(offset, offset->rect().center()), QTest::qWait(300);
             onto(field), ClickAt(field, field->rect().center());
             key("ctrl+a"), XDo({"type", "--delay", "5", "0.4"}), key("Return");
             if (!field->hasFocus()) return ::testing::AssertionFailure() << "the field took no click";
             const QString entered = field->text();
             const float typed = offsetSet;
             moveTo(plan()), QTest::qWait(600);
             onto(field);
             key("BackSpace");
             const QString backed = field->text();
             key("ctrl+a"), key("BackSpace");
             const size_t left = walls().size();
             if (std::abs(typed - 0.4f) < 0.05f && backed == entered.chopped(1) && field->text().isEmpty() && left == 1)
                 return ::testing::AssertionSuccess();
             return ::testing::AssertionFailure() << "offset " << typed << ", \"" << entered.toStdString() << "\" then \""
                                                  << backed.toStdString() << "\" then \""
                                                  << field->text().toStdString() << "\", " << left << " walls";
         }},
        // The field typed in, then the Endpoint cell clicked: the keys go to the plan again.
        {"Delete after a snap cell clicked", none, [&]() -> ::testing::AssertionResult {
             if (!wallSelected()) return ::testing::AssertionFailure() << "no wall selected";
             onto(field), ClickAt(field, field->rect().center());
             if (!QTest::qWaitFor([&] { return field->hasFocus(); }))
                 return ::testing::AssertionFailure() << "the field took no click";
             key("ctrl+a"), XDo({"type", "--delay", "5", "0.4"}), key("Return");
             QWidget* endpoint = snap->toolButtons()->cell(501);
             ClickAt(endpoint, endpoint->rect().center()), QTest::qWait(300);
             moveTo(plan()), key("Delete");
             return wallDeleted() ? ::testing::AssertionSuccess() : ::testing::AssertionFailure() << "the wall stands";
         }},
        // About shown, then the preferences from the plan's menu and their OK: the keyboard
        // goes back to the plan the menu was chosen in, not to About.
        {"a window gone after another showed", none, [&]() -> ::testing::AssertionResult {
             if (!wallSelected()) return ::testing::AssertionFailure() << "no wall selected";
             if (!ChooseMenuItem(w, "Help", "showAboutWindow") ||
                 !QTest::qWaitFor([&] {
                     return AboutWindowController::exists() && AboutWindowController::shared()->window()->isActiveWindow();
                 }))
                 return ::testing::AssertionFailure() << "About did not take the keyboard";
             PreferencesController* p = PreferencesController::shared();
             if (!ChooseMenuItem(w, "Help", "showPreferenceWindow") || !QTest::qWaitFor([&] { return p->isVisible(); }))
                 return ::testing::AssertionFailure() << "no preferences";
             auto* ok = p->findChild<QPushButton*>(QStringLiteral("okButton"));
             ClickAt(ok, ok->rect().center());
             if (!QTest::qWaitFor([&] { return !p->isVisible(); }))
                 return ::testing::AssertionFailure() << "OK kept them";
             QTest::qWait(300);
             moveTo(plan()), key("Delete");
             const bool deleted = wallDeleted();
             AboutWindowController::shared()->window()->close();
             return deleted ? ::testing::AssertionSuccess() : ::testing::AssertionFailure() << "the wall stands";
         }},
        // The offset field entered, then the wall clicked in the plan and the pointer onto a
        // snap cell (twm), or a toolset chosen from the Drawing Tools' pop-up with the mouse:
        // the keys are the plan's, the field's editing over.
        {"keys over a field whose editing ended", true, [&]() -> ::testing::AssertionResult {
             if (!showSnap() || (none && !wallSelected())) return ok(false, "no Snap Tools or wall");
             QWidget* segmentOffset = snap->toolButtons()->cell(507);
             ClickAt(segmentOffset, segmentOffset->rect().center()), ClickAt(field, field->rect().center());
             if (!QTest::qWaitFor([&] { return field->hasFocus(); })) return ok(false, "the field took no click");
             float& offset = w->document()->model()->itsDocState->snapOffset;
             const float was = offset;
             XDo({"key", "ctrl+a"}), XDo({"type", "--delay", "5", twm ? "0.7" : "0.5"}), XDo({"key", "Return"});
             if (!QTest::qWaitFor([&] { return offset != was; })) return ok(false, "nothing entered");
             const QString entered = field->text();
             QComboBox* toolsets = PlanToolPaletteController::shared()->toolsetPopUpButton();
             if (twm ? !wallSelected() : !ChoosePopUpItem(toolsets, toolsets->itemText((toolsets->currentIndex() + 1) % 9)))
                 return ok(false, "no wall or toolset");
             pointerOnto(none ? static_cast<QWidget*>(view) : snap->toolButtons()->cell(501));
             XDo({"key", "BackSpace", "BackSpace", "BackSpace", "Delete"});
             return ok(wallDeleted() && field->text() == entered, "the field reads " + field->text().toStdString());
         }},
        // A live-view sheet up, the pointer onto it and off onto the plan, which Qt does not
        // block: Escape there ends it. A document's sheet up: "77" typed on the live view is its.
        {"keys at a window the running sheet holds", twm && rule != FocusRule::NoTitleFocus, [&] {
             bool ended = liveViewAside() && ChooseMenuItem(w, "LiveView", "showLVRenderProperties") &&
                          QTest::qWaitFor([&] { return properties(); });
             if (ended) pointerOnto(properties()), pointerOnto(view), XDo({"key", "Escape"});
             ended = ended && QTest::qWaitFor([&] { return !properties(); });
             if (properties()) properties()->reject();
             bool typed = ChooseMenuItem(w, "Plan", "setTrueNorthAngle") && QTest::qWaitFor([&] { return ShownSheet(w); });
             if (typed) pointerOnto(panel), XDo({"type", "--delay", "5", "77"});
             typed = typed && QTest::qWaitFor([&] { return ShownSheet(w)->findChild<QLineEdit*>("angleText")->text().contains("77"); });
             XDo({"key", "Escape"});
             typed = typed && QTest::qWaitFor([&] { return !ShownSheet(w); });
             if (ShownSheet(w)) PressSheetButton(w, "cancelButton");
             LiveViewController::destroyShared();
             return ok(ended && typed, ended ? "77 and Escape on the live view" : "Escape on the plan");
         }},
        // An alert on the document window, the pointer off it and back, a click on its Edit
        // menu's title, Escape: the alert ends and the window's shortcuts act.
        {"keys after an alert ended", twm, [&] {
             port::qt::QtAlerts alerts;
             port::setAlerts(&alerts);
             port::alerts().beginSheet({"Unable to paste objects to current floor.", "", {"OK"}}, [](int) {});
             const auto box = [&] { return w->findChild<QMessageBox*>(); };
             const bool up = QTest::qWaitFor([&] { return box() && box()->windowHandle()->isExposed(); });
             const bool shown = snapWindow->isVisible();
             if (up) MovePointerOffWindows(), pointerOnto(view), ClickAt(w->menuBar(), editTitle()), XDo({"key", "Escape"});
             const bool ended = up && QTest::qWaitFor([&] { return !box(); });
             if (ended) XDo({"key", "ctrl+3"});
             if (box()) box()->reject();
             port::setAlerts(&services.alerts);
             return ok(ended && QTest::qWaitFor([&] { return snapWindow->isVisible() != shown; }), "Ctrl+3 after the alert");
         }},
        // A document sheet up: the Segment Offset cell and the offset field clicked, Ctrl+A 0.8
        // Return typed there are the sheet's (the angle 0.8 entered, to the nearest degree); the
        // offset and its field stay as they were.
        {"the offset typed during a sheet", true, [&] {
             if (!showSnap()) return ok(false, "no Snap Tools");
             DocState* state = w->document()->model()->itsDocState;
             state->snapOffset = 12, state->compassAngle = 0;
             snap->updateSnapOffsetText();
             const QString shown = field->text();
             if (!ChooseMenuItem(w, "Plan", "setTrueNorthAngle") || !QTest::qWaitFor([&] { return ShownSheet(w); }))
                 return ok(false, "no sheet");
             QWidget* offset = snap->toolButtons()->cell(507);
             onto(offset), ClickAt(offset, offset->rect().center()), QTest::qWait(300);
             onto(field), ClickAt(field, field->rect().center()), QTest::qWait(300);
             key("ctrl+a"), XDo({"type", "--delay", "5", "0.8"}), key("Return");
             const bool ended = QTest::qWaitFor([&] { return !ShownSheet(w); }, 2000);
             if (ShownSheet(w)) PressSheetButton(w, "cancelButton");
             moveTo(plan()), XDo({"click", "1"}), QTest::qWait(300);  // the field's editing ended
             return ok(ended && state->compassAngle == 1 && state->snapOffset == 12 && field->text() == shown,
                       "angle " + std::to_string(state->compassAngle) + ", offset " + std::to_string(state->snapOffset) +
                           ", the field reads " + field->text().toStdString());
         }},
        // A document sheet, then an alert up, the pointer onto the Editing Tools (no click): the
        // keys typed there are the sheet's, its Escape and the alert's Return included.
        {"keys over a palette during a sheet", twm, [&] {
             QWidget* tools = ToolPaletteController::shared()->window();
             tools->show();
             if (!QTest::qWaitForWindowExposed(tools)) return ok(false, "no Editing Tools");
             if (!ChooseMenuItem(w, "Plan", "setTrueNorthAngle") || !QTest::qWaitFor([&] { return ShownSheet(w); }))
                 return ok(false, "no sheet");
             pointerOnto(tools), XDo({"type", "--delay", "5", "12"});
             const bool typed = QTest::qWaitFor([&] {
                 return ShownSheet(w) && ShownSheet(w)->findChild<QLineEdit*>("angleText")->text().contains("12");
             }, 2000);
             XDo({"key", "Escape"});
             const bool ended = QTest::qWaitFor([&] { return !ShownSheet(w); }, 2000);
             if (ShownSheet(w)) PressSheetButton(w, "cancelButton");
             return ok(typed && ended, typed ? "Escape over the palette" : "12 over the palette");
         }},
        {"keys over a palette during an alert", twm, [&] {
             QWidget* tools = ToolPaletteController::shared()->window();
             port::qt::QtAlerts alerts;
             port::setAlerts(&alerts);
             port::alerts().beginSheet({"Unable to paste objects to current floor.", "", {"OK"}}, [](int) {});
             const auto box = [&] { return w->findChild<QMessageBox*>(); };
             const bool up = QTest::qWaitFor([&] { return box() && box()->windowHandle()->isExposed(); });
             if (up) pointerOnto(tools), XDo({"key", "Return"});
             const bool ended = up && QTest::qWaitFor([&] { return !box(); }, 2000);
             if (box()) box()->reject();
             port::setAlerts(&services.alerts);
             return ok(ended, "Return over the palette");
         }},
        // A closing sheet leaves the keys where the focus rule puts them: the pointer onto a
        // document's sheet and on onto the live view, "77" and Escape typed there, the keys
        // typed next are the live view's (Up nudges nothing in the plan); the pointer onto a
        // live-view sheet and on onto the plan, Escape there, Delete deletes the selected wall.
        {"the keyboard after a document sheet, the pointer on the live view", twm, [&] {
             if (!liveViewAside()) return ok(false, "no live view");
             if (!wallSelected()) return ok(false, noWallSelected());
             const auto where = [&] { return std::pair(walls().back()->firstPoint->position[0], walls().back()->firstPoint->position[2]); };
             const auto was = where();
             bool ended = ChooseMenuItem(w, "Plan", "setTrueNorthAngle") && QTest::qWaitFor([&] { return ShownSheet(w); });
             if (ended) pointerOnto(ShownSheet(w)), pointerOnto(panel), XDo({"type", "--delay", "5", "77"}), XDo({"key", "Escape"});
             ended = ended && QTest::qWaitFor([&] { return !ShownSheet(w); }, 2000);
             if (ShownSheet(w)) PressSheetButton(w, "cancelButton");
             QTest::qWait(1000);  // the window manager's own handling of the end
             const bool keys = KeysGoTo(panel);
             XDo({"key", "Up", "Up"}), QTest::qWait(500);
             const bool kept = where() == was;
             LiveViewController::destroyShared();
             return ok(ended && keys && kept, !ended ? "the sheet stayed" : keys ? "the wall moved" : "the keys are not the live view's");
         }},
        {"the keyboard after a live-view sheet, the pointer on the plan", twm, [&] {
             if (!liveViewAside()) return ok(false, "no live view");
             if (!wallSelected()) return ok(false, noWallSelected());
             bool ended = ChooseMenuItem(w, "LiveView", "showLVRenderProperties") && QTest::qWaitFor([&] { return properties(); });
             if (ended) pointerOnto(properties()), pointerOnto(view), XDo({"key", "Escape"});
             ended = ended && QTest::qWaitFor([&] { return !properties(); }, 2000);
             if (properties()) properties()->reject();
             QTest::qWait(1000);
             XDo({"key", "Delete"});
             const bool deleted = wallDeleted();
             LiveViewController::destroyShared();
             return ok(ended && deleted, ended ? "the wall stands" : "the sheet stayed");
         }},
        // Without a window manager: a live-view sheet opened from the document window's menu, the
        // live view never clicked, Escape: the keys go to the plan, last clicked.
        {"the keyboard after a live-view sheet, without a window manager", none, [&] {
             if (!liveViewAside()) return ok(false, "no live view");
             if (!wallSelected()) return ok(false, noWallSelected());
             bool ended = ChooseMenuItem(w, "LiveView", "showLVRenderProperties") && QTest::qWaitFor([&] { return properties(); });
             if (ended) QTest::qWait(300), XDo({"key", "Escape"});
             ended = ended && QTest::qWaitFor([&] { return !properties(); }, 2000);
             if (properties()) properties()->reject();
             moveTo(plan()), QTest::qWait(300);
             XDo({"key", "Delete"});
             const bool deleted = wallDeleted();
             LiveViewController::destroyShared();
             return ok(ended && deleted, ended ? "the wall stands" : "the sheet stayed");
         }},
        // Tab typed over the Editing Tools during a door's swing, which takes no key, steps the
        // snap mode once the swing has ended, as typed at the plan after it.
        {"a key typed over a palette during a door's swing",
         rule == FocusRule::UntitledPalettes || rule == FocusRule::NoTitleFocus, [&] {
             QWidget* tools = ToolPaletteController::shared()->window();
             if (walls().empty() && !wallSelected()) return ok(false, "no wall");
             const float row = walls().back()->firstPoint->position[2];
             snap->setSnapTool(500);
             if (!ChooseToolCell(7056, 1)) return ok(false, "no door tool");
             press(at(-100, row));
             if (!QTest::qWaitFor([&] { return view->gestureBusy(); })) return ok(false, "no door");
             moveTo(at(-85, row)), moveTo(at(-70, row)), XDo({"mouseup", "1"});
             if (!QTest::qWaitFor([&] { return InputGate::shared().runs() == InputGate::Runs::KeylessLoop; }))
                 return ok(false, "no swing");
             pointerOnto(tools), XDo({"key", "Tab"}), pointerOnto(view), XDo({"click", "1"});
             const bool stepped = QTest::qWaitFor([&] { return !view->gestureBusy() && gCurSnap == 501; });
             return ok(stepped, "snap mode " + std::to_string(gCurSnap));
         }},
        // A menu opened with a click and closed with Escape: the next key is the plan's.
        {"a key after Escape closed a menu", true, [&] {
             QMenu* edit = w->menuBar()->findChild<QMenu*>(QStringLiteral("Edit"));
             if (wallSelected()) ClickAt(w->menuBar(), editTitle());
             if (QTest::qWaitFor([&] { return edit->isVisible(); })) XDo({"key", "Escape"});
             if (QTest::qWaitFor([&] { return !edit->isVisible(); })) XDo({"key", "Delete"});
             return ok(wallDeleted(), "the wall stands");
         }},
        // The content palette's section pop-up and previews read no keys: after a section
        // chosen with the mouse or a preview clicked, Up, Down and Delete typed at the plan act
        // on its selection, and Alt held over it arms the auto-click, which places the plant
        // chosen at each click, three of them one step.
        {"keys at the plan after a section chosen in the content palette", true, [&] {
             dvxtest::WriteSmallContentLibrary();
             if (!wallSelected()) return ok(false, "no wall selected");
             if (!plantsShown()) return ok(false, "no plants");
             pointerOnto(view), key("Up"), key("Delete");
             return ok(wallDeleted() && palette->selectedCategory() == 5,
                       "section " + std::to_string(palette->selectedCategory()) + ", " + std::to_string(walls().size()) + " walls");
         }},
        {"keys at the plan after a preview clicked", true, [&] {
             if (!plantsShown()) return ok(false, "no plants");
             if (!wallSelected()) return ok(false, "no wall selected");
             const QScrollBar* rows = palette->contentScrollView()->verticalScrollBar();
             const int scrolled = rows->value();
             if (!choosePreview(1)) return ok(false, "no preview chosen");
             pointerOnto(view), key("Down"), key("Delete");
             return ok(wallDeleted() && rows->value() == scrolled, "grid scrolled to " + std::to_string(rows->value()));
         }},
        {"the auto-click after a preview clicked", true, [&] {
             if (!plantsShown() || !ChooseToolCell(toolid::kSelect, 1) || !choosePreview(0)) return ok(false, "no plant chosen");
             const auto plants = [] {
                 int n = 0;
                 for (const Objex* o = gCurDocument->itsCurLayer->firstObject; o; o = o->next) n += o->type == objtype::kPlant;
                 return n;
             };
             const QUndoStack* steps = w->document()->undoStack();
             const int stored = steps->count(), planted = plants();
             pointerOnto(view), moveTo(at(-200, 250)), QTest::qWait(300);
             XDo({"keydown", "alt"});
             const bool armed = QTest::qWaitFor([&] { return view->planMouse().autoClick2DActive(); }, 3000);
             for (float h : {-200.0f, 0.0f, 200.0f})
                 if (armed) QTest::qWait(QApplication::doubleClickInterval() + 50), moveTo(at(h, 250)), XDo({"click", "1"});
             QTest::qWait(300), XDo({"keyup", "alt"});
             const bool one = QTest::qWaitFor([&] { return steps->count() == stored + 1; }, 3000);
             return ok(armed && one && plants() == planted + 3 && steps->undoText() == "Insert Plants",
                       (armed ? "" : "not armed, ") + std::to_string(plants() - planted) + " plants, " +
                           std::to_string(steps->count() - stored) + " steps");
         }},
    };
    for (const Row& r : rows) {
        if (!r.runs) continue;
        SCOPED_TRACE(r.name);
        EXPECT_TRUE(r.check());
        QTest::qWait(200);
    }
}

// Zoomed in, a grid cell is 24 pixels: the grid is seen, and so is an end a drag left a cell
// short of the pointer, which the next press aims at. Corners 3 pixels past a grid crossing
// keep the walls on the grid lines; each press 1 to 3 pixels off the end the last drag drew,
// every way, and the last release as far off the first point, close each rectangle.
TEST_F(DrawingAtZoomOne, WallsDrawnAFewPixelsOffTheirEndsStillJoinAndClose) {
    ASSERT_TRUE(ds->snapToGrid);
    ASSERT_EQ(ConvertWorldToScreen(ds->snapIncrement.floatH, ds, 1), 24.0f);
    ASSERT_TRUE(ChooseToolCell(7050, 1));
    const QWidget* port = view->parentWidget();
    // The port pixel 3 right of and below the grid crossing at or above-left of port pixel p.
    const auto pastCrossing = [&](QPoint p) {
        const PlatformPoint o = view->boundsOrigin();
        const QPointF v = view->mapFromGlobal(QPointF(port->mapToGlobal(p)));
        const auto past = [](double u) { return float(std::floor(u / 24) * 24 + 3); };
        return port->mapFromGlobal(at(past(v.x() + o.x), past(v.y() + o.y)));
    };
    for (OffHand r : kOffHand) {
        for (QPoint& c : r.corner) c = pastCrossing(c);
        EXPECT_TRUE(offHandRectangle(r, true)) << r.corner[0].x() << "," << r.corner[0].y();
    }
    grab().save(gShot + ".offhand-zoomed.png");
}

// Live feedback reaches the screen while the button is held. An interior wall pressed on the
// inner face of a room's top wall (the grid keeps the room on 24-unit cells) shows, beside its
// rubber band, the red clearances to the side walls along the track 50 units inside the wall.
TEST_F(DrawingAtZoomOne, WhatADragDrawsShowsWhileTheButtonIsHeld) {
    ASSERT_TRUE(ChooseToolCell(7050, 1));
    ASSERT_TRUE(rectangle(-288, -192, 288, 192));
    ASSERT_TRUE(ChooseToolCell(7052, 1));
    ASSERT_TRUE(hold(at(0, -190), at(0, 0)));
    QImage live = grab();
    ASSERT_TRUE(release());
    live.save(gShot + ".clearances.png");
    for (int side : {-1, 1})
        EXPECT_GT(Count(live, QRect(inImage(side * 270, -145), inImage(side * 40, -139)).normalized(), Red), 100)
            << side << ": no clearance to that wall";

    // A detail rectangle dragged with the arrow shows its box where the drag has it, where the
    // rectangle lies once let go.
    ASSERT_TRUE(chooseTab(8));
    ASSERT_TRUE(ChooseToolCell(toolid::kRectangle, 8));
    ASSERT_TRUE(drag(at(-192, 240), at(-48, 312)));
    Objex* shape = gCurDocument->itsCurLayer->firstObject;
    while (shape->next) shape = shape->next;
    ASSERT_EQ(std::tuple(shape->type, shape->subtype), std::tuple(objtype::kDetail, 1));
    ASSERT_TRUE(ChooseToolCell(toolid::kSelect, 0));
    const float left = shape->bounds3D.floatLeft, middle = (shape->bounds3D.floatBack + shape->bounds3D.floatFront) / 2;
    ASSERT_TRUE(click(at(left, middle)));
    ASSERT_TRUE(hold(at(left, middle), at(left + 144, middle + 48)));
    live = grab();
    ASSERT_TRUE(release());
    live.save(gShot + ".detail-box.png");
    const Float3DRect& b = shape->bounds3D;
    ASSERT_EQ(b.floatLeft, left + 144);
    const float across = (b.floatLeft + b.floatRight) / 2, down = (b.floatBack + b.floatFront) / 2;
    for (QPoint edge : {inImage(b.floatRight, down), inImage(across, b.floatFront)})
        EXPECT_GT(Count(live, QRect(edge - QPoint(2, 2), QSize(5, 5)), Highlight), 4) << "no box at the moved edge";

    // A fillet dragged on a point-edited multigon's right-angled corner from 79 units off
    // (r = t = 56) shows the arc's middle, 23 units along the bisector, as the drag has it.
    Objex* square = dvxtest::Make(objtype::kDetail, detailsubtype::kMultigon)
                        .on(gCurDocument->itsCurLayer).closed().shown()
                        .plan({{48, 48}, {240, 48}, {240, 240}, {48, 240}}).bounds();
    objfield::detail_shape::kSecondWord(*square) = 1;
    ASSERT_TRUE(ChooseToolCell(toolid::kFillet, 0));
    ASSERT_TRUE(click(at(240, 240)));
    ASSERT_TRUE(hold(at(240, 240), at(184, 184)));
    live = grab();
    ASSERT_TRUE(release());
    live.save(gShot + ".fillet.png");
    EXPECT_GT(Count(live, QRect(inImage(223.6f, 223.6f) - QPoint(1, 1), QSize(3, 3)), Dark), 0) << "no arc";

    // An air duct held in the room's lower left shows its dashed sides where the built duct's
    // are, half its 12 inches (12 plan units) off its line: at zoom 1, and at View > Set Zoom
    // 200 % (zoom 1.5).
    ASSERT_TRUE(chooseTab(5));
    for (const float zoom : {1.0f, 1.5f}) {
        if (zoom != 1) { ASSERT_TRUE(setZoom("200")); }
        ASSERT_FLOAT_EQ(ds->zoomFactor, zoom);
        ASSERT_TRUE(ChooseToolCell(7400, 5));
        const float d = zoom == 1 ? 48 : 120;  // on the grid the points snap to
        ASSERT_TRUE(hold(at(-216, d), at(-24, d)));
        live = grab();
        ASSERT_TRUE(release());
        live.save(gShot + QStringLiteral(".duct-%1.png").arg(zoom));
        const QImage built = grab();
        // Across eight pixels along the line (between the airflow arrows, clear of the length's
        // readout), a dash of each side whatever the dashes' phase.
        const auto side = [&](const QImage& image, float off) {
            const QPoint p = inImage(-144, d + off);
            return Count(image, QRect(p - QPoint(4, 1), QSize(8, 3)), Dark);
        };
        for (float off : {-12.0f, 12.0f}) {
            EXPECT_GT(side(built, off), 0) << zoom << ": the built duct's side is not " << off << " off";
            EXPECT_GT(side(live, off), 0) << zoom << ": the held duct's side is not " << off << " off";
        }
    }
}

// A new metric design at View > Set Zoom 60: a grid cell (50 cm) is 17 pixels, and the points
// of a drag snap to the grid. Four drags, each pressed where the one before let go (the third 1
// pixel above where the first was pressed), each 14 pixels right of and below a grid crossing:
// every press takes the wall's free end, so one wall grows by a point a drag and closes. After
// every drag the wall's point count is its points and the interior fill (light lavender) covers
// what they enclose; saved with Ctrl+S, the file holds one closed wall of 4 points, and opened
// again with Ctrl+O it fills the same.
class DrawingMetric : public Drawing {
protected:
    void beforeShow() override {
        ds->units = kMetricUnits;
        SetDocStateMetricDefaults(ds);
        port::setFileDialogs(&panels);
    }
    void TearDown() override {
        port::setFileDialogs(nullptr);
        Drawing::TearDown();
    }
    dvxtest::ScriptedFileDialogs panels;
};

TEST_F(DrawingMetric, EachWallDragAtZoom60GrowsOneWallWhoseFillCoversAllItsPoints) {
    ASSERT_TRUE(setZoom("60"));
    ASSERT_NEAR(ds->zoomFactor, 0.6f * 36 / 50, 1e-5f);
    const float cell = ConvertWorldToScreen(ds->gridSpacing.floatH, ds, 1);
    ASSERT_NEAR(cell, 17.0f, 0.1f);
    ASSERT_TRUE(ds->snapToGrid);
    ASSERT_TRUE(ChooseToolCell(7050, 1));
    // The port pixel 14 right of and below the grid crossing at or above-left of port pixel p.
    const QWidget* viewport = view->parentWidget();
    const auto pastCrossing = [&](QPoint p) {
        const PlatformPoint o = view->boundsOrigin();
        const QPointF v = view->mapFromGlobal(QPointF(viewport->mapToGlobal(p)));
        const auto past = [&](double u) { return float(std::floor(u / cell) * cell + 14) / ds->zoomFactor; };
        return viewport->mapFromGlobal(at(past(v.x() + o.x), past(v.y() + o.y)));
    };
    const QPoint a = pastCrossing({300, 300}), b = pastCrossing({700, 300}), c = pastCrossing({700, 600}),
                 d = pastCrossing({300, 600});
    // Interior fill at a port pixel, as the screen shows it.
    const auto filled = [&](QPoint p) {
        const QRgb colour = grab().pixel(p);
        return qBlue(colour) == 255 && qRed(colour) > 230 && qRed(colour) < 250;
    };
    const auto oneWall = [&](int points, bool closed) -> ::testing::AssertionResult {
        const std::vector<Objex*> all = walls();
        if (all.size() != 1) return ::testing::AssertionFailure() << all.size() << " walls";
        int n = 0;
        for (const Poinz* p = all[0]->firstPoint; p; p = p->next) ++n;
        if (n != points || all[0]->pointCount != n || all[0]->rows != 1 || bool(all[0]->closed) != closed)
            return ::testing::AssertionFailure() << n << " points, count " << all[0]->pointCount << ", closed " << int(all[0]->closed);
        return ::testing::AssertionSuccess();
    };
    // Inside the corner at c, off the triangle of the other three.
    const QPoint nearC = c + (a - c) / 5;
    ASSERT_TRUE(drag(port(a), port(b)));
    ASSERT_TRUE(drag(port(b), port(c)));
    EXPECT_TRUE(oneWall(3, false));
    EXPECT_TRUE(filled((a + b + c) / 3)) << "no fill inside the first two walls";
    ASSERT_TRUE(drag(port(a - QPoint(0, 1)), port(d)));
    EXPECT_TRUE(oneWall(4, false));
    EXPECT_TRUE(filled(nearC)) << "the fill leaves out the last corner";
    ASSERT_TRUE(drag(port(d), port(c)));
    EXPECT_TRUE(oneWall(4, true));
    EXPECT_TRUE(filled(nearC) && filled((a + d) / 2 + QPoint(20, 0)));
    grab().save(gShot + ".metric-zoom60.png");

    // Saved: the wall's record holds its type, closed and shown, its colours and pen, one row and
    // 4 points. New, then the saved design opened: the same wall, filled the same.
    const std::string path = services.folders.temporaryBase() + "/four-drags.pro";
    const Objex* drawn = walls()[0];
    dvxtest::Bytes head;
    head.i16(objtype::kWall).u8(1).u8(1);
    for (const RGBColor& colour : {drawn->fillColor, drawn->auxColor, drawn->penColor})
        head.u16(colour.red).u16(colour.green).u16(colour.blue);
    head.f32(drawn->penWidth).i16(drawn->penStyle).i16(drawn->fillPattern).i16(1).i32(4);
    const FloatPoint corner = planAt(port(nearC));
    panels.choose(path);
    XDo({"key", "ctrl+s"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return std::filesystem::exists(path) && !w->document()->isDocumentEdited(); }));
    EXPECT_GE(dvxtest::Find(dvxtest::ReadWholeFile(path), head.data()), 0) << "no closed wall of 4 points saved";
    XDo({"key", "ctrl+n"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return walls().empty(); }));
    panels.choose(path);
    XDo({"key", "ctrl+o"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !walls().empty(); }));
    ds = w->document()->model()->itsDocState;
    EXPECT_TRUE(oneWall(4, true)) << "as read from the saved file";
    EXPECT_TRUE(filled(view->parentWidget()->mapFromGlobal(at(corner.floatH, corner.floatV))))
        << "the opened design leaves out the last corner";
    grab().save(gShot + ".metric-zoom60-opened.png");
}

// A room drawn off the plan's origin, right of and below it, as a user starting in the middle of
// the window draws it. Fit to Window shows it whole in the middle; Reset Plan View and Set Zoom
// show the plan origin in the middle of the window at their zoom, the room's corner nearest it
// right of and below the middle; the zoom sheet shows the zoom in force.
TEST_F(Drawing, FitResetAndSetZoomShowTheDesign) {
    ASSERT_TRUE(ChooseToolCell(7050, 1));
    ASSERT_TRUE(rectangle(100, 100, 1300, 900));
    ASSERT_EQ(walls().size(), 1u);
    Objex* room = walls()[0];
    ASSERT_TRUE(ChooseToolCell(toolid::kSelect, 0));
    const float midH = (PointAt(room, 0)->position[0] + PointAt(room, 1)->position[0]) / 2;
    const float midD = (PointAt(room, 1)->position[2] + PointAt(room, 2)->position[2]) / 2;
    // The room's middle within a few pixels of the window's, and its four sides inked.
    const auto shows = [&](const char* what) {
        const PlatformRect shown = view->visibleRect();
        const float z = ds->zoomFactor;
        EXPECT_NEAR(midH * z, shown.x + shown.width / 2, 4) << what;
        EXPECT_NEAR(midD * z, shown.y + shown.height / 2, 4) << what;
        const QImage image = grab();
        image.save(gShot + "." + what + ".png");
        for (int i = 0; i < 4; ++i) EXPECT_TRUE(Inked(image, PointAt(room, i), PointAt(room, (i + 1) % 4))) << what << " side " << i;
    };
    // The plan origin within a pixel of the window's middle, and the room's north-west corner
    // inked where the zoom puts it from there.
    const auto showsOrigin = [&](const char* what) {
        const PlatformRect shown = view->visibleRect();
        EXPECT_NEAR(shown.x + shown.width / 2, 0, 1) << what;
        EXPECT_NEAR(shown.y + shown.height / 2, 0, 1) << what;
        const QImage image = grab();
        image.save(gShot + "." + what + ".png");
        const QPoint middle = inImage(0, 0), corner = inImage(PointAt(room, 0)->position[0], PointAt(room, 0)->position[2]);
        EXPECT_NEAR(middle.x(), image.width() / 2, 2) << what;
        EXPECT_NEAR(middle.y(), image.height() / 2, 2) << what;
        EXPECT_GT(corner.x(), middle.x()) << what;
        EXPECT_GT(corner.y(), middle.y()) << what;
        EXPECT_GT(Count(image, QRect(corner - QPoint(2, 2), QSize(5, 5)), Dark), 0) << what << ": no corner";
    };
    ASSERT_TRUE(ChooseMenuItem(w, "View", "fitToWindow"));
    // The room to its walls' outer faces (4 plan units out) with a margin of 5 each side fills
    // the window's width or its height.
    const PlatformRect shown = view->visibleRect();
    const float width = PointAt(room, 1)->position[0] - PointAt(room, 0)->position[0] + 8 + 10;
    const float depth = PointAt(room, 2)->position[2] - PointAt(room, 1)->position[2] + 8 + 10;
    EXPECT_NEAR(ds->zoomFactor, std::min(int16_t(shown.width) / width, int16_t(shown.height) / depth), 0.005f);
    shows("fit");

    ASSERT_TRUE(ChooseMenuItem(w, "View", "resetPlanView"));
    EXPECT_FLOAT_EQ(ds->zoomFactor, 0.6f);
    showsOrigin("reset");

    ASSERT_TRUE(ChooseMenuItem(w, "View", "setPlanZoom"));
    SheetDialog* sheet = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (sheet = w->findChild<SheetDialog*>("PlanZoomSheet")) && sheet->isVisible(); }));
    auto* field = sheet->findChild<QLineEdit*>(QStringLiteral("zoomScaleText"));
    // A percentage of the natural size at scale 36; the new design's is 48: 0.6 is 80 %.
    EXPECT_EQ(field->text(), QStringLiteral("80")) << "the sheet shows another zoom than the plan's";
    ClickAt(field, field->rect().center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return field->hasFocus(); }));
    XDo({"key", "ctrl+a"}), XDo({"type", "--delay", "5", "--", "60"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return field->text() == QStringLiteral("60"); }));
    QPointer<SheetDialog> open = sheet;
    auto* ok = sheet->findChild<QPushButton*>(QStringLiteral("okButton"));
    ClickAt(ok, ok->rect().center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return open.isNull() || !open->isVisible(); }));
    EXPECT_FLOAT_EQ(ds->zoomFactor, 0.45f);  // 60 % of 36 / 48
    showsOrigin("zoom");
}

// At zoom 1 with the dimensions shown, readouts are large enough to read from the pixels.
class DrawingReadouts : public DrawingAtZoomOne {
protected:
    void beforeShow() override {
        DrawingAtZoomOne::beforeShow();
        ds->showDimensions = 1;
    }
    // The ink of the readout across the middle of the segment a-b (image points), counted by
    // whole pixels of offset from that middle along `reading` (-40 to 40): the ink within 40
    // pixels of the middle along the segment and between 8 and 40 pixels off it (clear of the
    // wall's own lines), leaving out the lines that run through the whole window (the dimension
    // line, a live wall's outline).
    static std::vector<int> Profile(const QImage& image, QPoint a, QPoint b, QPointF reading,
                                    const std::function<bool(QRgb)>& ink) {
        const QPointF middle = QPointF(a + b) / 2;
        const QPointF along = QPointF(b - a) / std::hypot(b.x() - a.x(), b.y() - a.y());
        struct Row { std::vector<int> at; bool before = false, after = false; };
        std::map<long, Row> rows;  // by the distance off the segment
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QPointF p = QPointF(x, y) - middle;
                const double t = p.x() * along.x() + p.y() * along.y(), d = p.x() * along.y() - p.y() * along.x();
                if (std::abs(t) > 40 || std::abs(d) < 8 || std::abs(d) > 40 || !ink(image.pixel(x, y))) continue;
                Row& row = rows[std::lround(d)];
                row.at.push_back(int(std::lround(p.x() * reading.x() + p.y() * reading.y())));
                row.before |= t < -35, row.after |= t > 35;
            }
        std::vector<int> profile(81);
        for (const auto& [d, row] : rows)
            if (!row.before || !row.after)
                for (int k : row.at) ++profile[size_t(std::clamp(k, -40, 40) + 40)];
        return profile;
    }
    // How well a profile matches the reference read the same way round (`reversed` false) or
    // the other way round: the best overlap within 3 pixels of shift.
    static int Match(const std::vector<int>& profile, const std::vector<int>& reference, bool reversed) {
        int best = 0;
        for (int shift = -3; shift <= 3; ++shift) {
            int sum = 0;
            for (int k = 0; k < 81; ++k) {
                const int j = (reversed ? 80 - k : k) + shift;
                if (j >= 0 && j < 81) sum += std::min(profile[size_t(j)], reference[size_t(k)]);
            }
            best = std::max(best, sum);
        }
        return best;
    }
    // A wall drawn with a press at `from`, the pointer held at `to` while the plan is grabbed
    // (its live readout), then the release; the wall drawn, or null.
    Objex* drawHeld(QPoint from, QPoint to, QImage* live) {
        const size_t before = walls().size();
        if (!hold(from, to)) return nullptr;
        *live = grab();
        if (!release() || walls().size() != before + 1) return nullptr;
        return walls().back();
    }
};

// Text along a line straight up the screen reads upward, as a text object at 90 degrees does,
// and so does text along a line straight down (turned by 180 from 270). Three interior walls of
// one length as a user drags them: one left to right, whose readout reads from the left, one
// drawn upward and one drawn downward. Their readouts, live while the pointer is held and fixed
// once the wall is made, match the first one's read from the bottom up, not from the top down.
TEST_F(DrawingReadouts, ReadoutsAlongVerticalWallsReadUpwardWhicheverWayTheyWereDrawn) {
    ASSERT_TRUE(ChooseToolCell(7052, 1));
    // Each released a little past 20 feet (480 plan units), which the grid takes back to it.
    const struct { const char* what; QPointF from, to, reading; } rows[] = {
        {"left to right", {-240, -312}, {248, -312}, {1, 0}},
        {"drawn upward", {-240, 288}, {-240, -200}, {0, -1}},
        {"drawn downward", {240, -192}, {240, 296}, {0, -1}}};
    std::vector<std::pair<Objex*, QImage>> drawn;
    for (const auto& row : rows) {
        QImage live;
        Objex* wall = drawHeld(at(row.from.x(), row.from.y()), at(row.to.x(), row.to.y()), &live);
        ASSERT_NE(wall, nullptr) << row.what;
        ASSERT_EQ(wall->pointCount, 2) << row.what;
        const Poinz* a = wall->firstPoint;
        EXPECT_EQ(std::hypot(a->next->position[0] - a->position[0], a->next->position[2] - a->position[2]), 480) << row.what;
        drawn.emplace_back(wall, live);
    }
    ASSERT_TRUE(ChooseToolCell(toolid::kSelect, 0));
    const QImage image = grab();
    image.save(gShot + ".readouts.png");
    drawn[1].second.save(gShot + ".live-readout.png");
    std::vector<std::vector<int>> fixed, live;
    for (size_t i = 0; i < drawn.size(); ++i) {
        const Poinz* a = drawn[i].first->firstPoint;
        const QPoint pa = inImage(a->position[0], a->position[2]), pb = inImage(a->next->position[0], a->next->position[2]);
        fixed.push_back(Profile(image, pa, pb, rows[i].reading, Dark));
        live.push_back(Profile(drawn[i].second, pa, pb, rows[i].reading, Red));
    }
    for (size_t i = 1; i < drawn.size(); ++i) {
        const int fixedUp = Match(fixed[i], fixed[0], false), fixedDown = Match(fixed[i], fixed[0], true);
        const int liveUp = Match(live[i], live[0], false), liveDown = Match(live[i], live[0], true);
        EXPECT_GT(fixedUp, fixedDown + 4) << rows[i].what << ": the readout reads downward";
        EXPECT_GT(liveUp, liveDown + 4) << rows[i].what << ": the live readout reads downward";
    }
}

}  // namespace

int main(int argc, char** argv) {
    gShot = QStringLiteral("drawing-window.png");
    return RunWindowTests(argc, argv, &gShot);
}

// The live-view panel beside the plan as a user draws and opens designs, with the server's
// mouse and keyboard: a two-floor house drawn with the tools stands floor on floor, its doors
// and windows in their openings (seen from the lot's left edge, kept as live-view-designs.png),
// the camera tool looks where it is dragged, File > New, Open and Revert to Saved show
// their design in the open panel, and ground a region raised stays raised in the window its
// saved design opens in and in the first window made main again.
#include <QApplication>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "app/app_controller.h"
#include "app/core/document_window.h"
#include "app/document.h"
#include "app/document_view.h"
#include "app/live_view_controller.h"
#include "app/window_controller.h"
#include "files/undo.h"
#include "files/design_file.h"
#include "model/attachments.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/objects.h"
#include "model/tool_state.h"
#include "model/transforms.h"
#include "model/view_layers.h"
#include "render/core/lot_surface.h"
#include "scene/plane_object.h"
#include "scene/terrain.h"
#include "support/build.h"
#include "support/doubles.h"
#include "support/fixture.h"
#include "tools/wall_construction.h"
#include "tracking/tracking_state.h"
#include "window/window_support.h"

namespace {

QString gShot;

bool Near(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)) < 12;
}

// A document window at the screen's top left and the live-view panel beside it, the plan at
// zoom 1 without grid snap; plan points are reached with the server's mouse.
struct Desk {
    WindowTestServices services{"liveviewdesigns"};
    dvxtest::ScriptedFileDialogs panels;
    QMDWindowController* w = OpenDocumentWindow();
    LiveViewController* c = LiveViewController::sharedLiveViewController();
    QMDDocumentView* view = w->docView();
    Desk() {
        port::setFileDialogs(&panels);
        ds()->zoomFactor = 1, ds()->snapToGrid = 0;
        w->resize(620, 800), w->move(0, 0);
    }
    ~Desk() {
        port::setFileDialogs(nullptr);
        LiveViewController::destroyShared(), AppController::destroyShared(), dvxtest::ResetAllGlobals();
    }
    static DocState* ds() { return gCurDocument->itsDocState; }
    // The plan point `dx`, `dy` from the visible part's top left.
    QPoint at(int dx, int dy) const {
        const PlatformRect shown = view->visibleRect();
        return {int(shown.x) + dx, int(shown.y) + dy};
    }
    bool show() {
        if (!ShowFocused(w)) return false;
        c->showWindow();
        // Moved as a user would, once it shows where the program put it.
        if (!QTest::qWaitForWindowExposed(c->window())) return false;
        c->window()->move(630, 0);
        return QTest::qWaitFor([&] { return c->window()->pos() == QPoint(630, 0); }) &&
               QTest::qWaitFor([&] { return c->glSurface().window()->isValid(); }) && focus();
    }
    bool focus() {
        XDo({"windowfocus", "--sync", QString::number(w->winId())});
        return QTest::qWaitFor([&] { return w->isActiveWindow(); });
    }
    QImage grab() const { return LiveViewOnScreen(c); }
    // The panel's picture once it holds still (two grabs 200 ms apart alike).
    QImage settled() const {
        QImage last = grab(), now;
        (void)QTest::qWaitFor([&] {
            QTest::qWait(200);
            now = grab();
            std::swap(now, last);
            return now == last;
        }, 4000);
        return last;
    }
    void moveTo(QPoint plan) const { MovePointerToPlan(view, plan); }
    // A press on the spot of the last one waits out the double-click time first.
    void pressAt(QPoint at) const {
        if ((at - last_).manhattanLength() < 30) QTest::qWait(QApplication::doubleClickInterval() + 50);
        last_ = at;
        moveTo(at);
    }
    bool drag(QPoint from, QPoint to) const {
        pressAt(from), XDo({"mousedown", "1"}), QTest::qWait(100);
        moveTo((from + to) / 2), moveTo(to);
        XDo({"mouseup", "1"});
        last_ = to;
        return QTest::qWaitFor([&] { return !view->gestureBusy(); });
    }
    bool door(QPoint from, QPoint to, QPoint swing) const {
        drag(from, to), click(swing);
        return QTest::qWaitFor([&] { return !view->gestureBusy(); });
    }
    void click(QPoint at) const {
        pressAt(at), XDo({"click", "1"}), QTest::qWait(150);
    }
    mutable QPoint last_{-10000, -10000};
    // An outline tool's points, ended with Escape.
    bool outline(std::initializer_list<QPoint> points) const {
        for (QPoint p : points) click(p);
        XDo({"key", "Escape"});
        return QTest::qWaitFor([&] { return !view->gestureBusy(); });
    }
};

// Walls round the rectangle, each drag starting where the last ended, the last closing it.
bool Walls(const Desk& d, QRect r) {
    const QPoint corners[] = {r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()};
    gCurTool = 7050;
    for (int i = 0; i < 4; ++i)
        if (!d.drag(corners[i], corners[(i + 1) % 4])) return false;
    return true;
}

// The lowest height, in inches, of the scene pieces built from the layer's objects: of the
// door and window casings (`casings`), which reach below their floor line, or of all others.
float LowestOnLayer(const Layer* layer, bool casings, std::set<int16_t>* types = nullptr) {
    float lowest = 1e9f;
    for (const PlaneObject* p = gGLPlaneObjects; p; p = p->next) {
        const Objex* root = GetRootObject(p->baseObject);
        const bool casing = p->object3D && objtype::IsOpening(p->object3D->type) && p->pieceKind <= 3;
        if (!root || root->layer != layer || casing != casings) continue;
        if (types) types->insert(root->type);
        for (const Plane* plane = p->planes; plane; plane = plane->next)
            for (uint32_t i = 0; i < plane->count; ++i) lowest = std::min(lowest, -plane->vertices[i].V);
    }
    return ConvertScreenToWorld(lowest, CurrentDocState(), 0);
}

// Every piece built for the layer's doors and windows but their casings (frames, leaves,
// infill, bars) lies between its opening's sill and head above the floor at `base` inches.
::testing::AssertionResult OpeningsInsideOnLayer(const Layer* layer, float base) {
    const float floorLine = ConvertWorldToScreen(base, CurrentDocState(), 0);
    int pieces = 0;
    for (const PlaneObject* p = gGLPlaneObjects; p; p = p->next) {
        Objex* opening = p->object3D;
        const Objex* root = GetRootObject(p->baseObject);
        const AttachmentRecord* r = AttachmentRecordOf(opening);
        if (!root || root->layer != layer || !r || !objtype::IsOpening(opening->type) || p->pieceKind <= 3) continue;
        ++pieces;
        for (const Plane* plane = p->planes; plane; plane = plane->next)
            for (uint32_t i = 0; i < plane->count; ++i) {
                const float up = -plane->vertices[i].V - floorLine;
                if (up < r->elevation - 0.01f || up > r->elevation + r->height + 0.01f)
                    return ::testing::AssertionFailure() << "a piece of kind " << p->pieceKind << " of the opening of type "
                                                         << opening->type << " stands " << up << " above its floor";
            }
    }
    if (pieces == 0) return ::testing::AssertionFailure() << "no opening pieces";
    return ::testing::AssertionSuccess();
}

TEST(LiveViewDesigns, ATwoFloorHouseDrawnWithTheToolsStandsFloorOnFloor) {
    Desk d;
    ASSERT_TRUE(d.show());
    // At a drawing scale of 144 (a plan unit is 2 inches): 160 by 120 units, in front of the
    // eye of the lot's left edge, the deck below it.
    d.ds()->planScale = 144;
    const QRect house(QPoint(d.at(100, 0).x(), -60), QSize(160, 120));
    const QPoint tl = house.topLeft(), br = house.bottomRight();
    ASSERT_TRUE(Walls(d, house));
    gCurTool = 7062;  // floor
    ASSERT_TRUE(d.outline({tl, {br.x(), tl.y()}, br, {tl.x(), br.y()}}));
    gCurTool = toolid::kDoor;  // placed by a drag along the wall, its swing by a click inside
    ASSERT_TRUE(d.door({tl.x() + 50, br.y()}, {tl.x() + 60, br.y()}, {tl.x() + 60, br.y() - 30}));
    gCurTool = toolid::kWindow;
    ASSERT_TRUE(d.drag({br.x(), tl.y() + 50}, {br.x(), tl.y() + 60}));
    gCurTool = 7058;  // straight staircase
    ASSERT_TRUE(d.outline({{tl.x() + 20, tl.y() + 20}, {tl.x() + 20, br.y() - 20}}));
    gCurTool = 7600;  // deck, with its railing along the far edge
    ASSERT_TRUE(d.outline({{tl.x(), br.y() + 10}, {br.x(), br.y() + 10}, {br.x(), br.y() + 70}, {tl.x(), br.y() + 70}}));
    gCurTool = 7602;
    ASSERT_TRUE(d.outline({{tl.x() + 5, br.y() + 65}, {br.x() - 5, br.y() + 65}}));
    Layer* first = gCurDocument->itsCurLayer;
    const int firstFloorObjects = dvxtest::CountObjects(first->firstObject);

    ASSERT_TRUE(ChooseMenuItem(d.w, "Plan", "workOnFloor", 5276, "Working Floor"));
    Layer* second = gCurDocument->itsCurLayer;
    ASSERT_NE(second, first);
    ASSERT_TRUE(Walls(d, house));
    gCurTool = 7062;
    ASSERT_TRUE(d.outline({tl, {br.x(), tl.y()}, br, {tl.x(), br.y()}}));
    gCurTool = toolid::kDoor;
    ASSERT_TRUE(d.door({br.x(), br.y() - 50}, {br.x(), br.y() - 40}, {br.x() - 30, br.y() - 40}));
    gCurTool = toolid::kWindow;
    ASSERT_TRUE(d.drag({tl.x() + 70, tl.y()}, {tl.x() + 80, tl.y()}));
    gCurTool = 7301;  // hip roof over the house
    ASSERT_TRUE(d.drag(tl, br));
    EXPECT_EQ(firstFloorObjects, 5) << "walls, floor, staircase, deck and railing";
    ASSERT_EQ(dvxtest::CountObjects(second->firstObject), 3) << "walls, floor and roof";
    EXPECT_EQ(dvxtest::CountObjects(second->firstObject->firstChild), 2) << "a door and a window";

    // Every piece built from the second floor stands on the first floor's height or above.
    RebuildLiveViewScene();
    // Casings reach as far below the second floor's line as below the first's.
    std::set<int16_t> upper, lower;
    const float top = first->height;
    EXPECT_NEAR(LowestOnLayer(second, false, &upper), top, 0.01f);
    EXPECT_NEAR(LowestOnLayer(first, false, &lower), 0, 0.01f);
    EXPECT_NEAR(LowestOnLayer(second, true), LowestOnLayer(first, true) + top, 0.01f);
    EXPECT_EQ(upper, (std::set<int16_t>{objtype::kWall, objtype::kFloor, objtype::kRoof}));
    // The doors and windows of either floor stand in their openings, not the floor's height
    // higher up through the roof.
    EXPECT_TRUE(OpeningsInsideOnLayer(first, 0));
    EXPECT_TRUE(OpeningsInsideOnLayer(second, top));
    EXPECT_EQ(lower, (std::set<int16_t>{objtype::kWall, objtype::kFloor, objtype::kStaircase, objtype::kDeck,
                                        objtype::kRailing}));

    // From the lot's left edge the house stands without a gap from the ground to the roof:
    // the column through its middle holds no sky between its lowest and highest pixels.
    ASSERT_TRUE(d.focus());
    ASSERT_TRUE(ChooseMenuItem(d.w, "LiveView", "setViewpoint", 5151, "Viewpoint"));
    EXPECT_EQ(d.ds()->cameraHeading, 270);
    if (!gShot.isEmpty()) d.settled().save(QString(gShot).replace(".png", "-lot-edge.png"));
    // Walked up to 300 units from the house, the eye at the first floor's top.
    d.ds()->cameraPosition = {float(tl.x() - 300), 0}, d.ds()->eyeHeight = ConvertWorldToScreen(top, d.ds(), 0);
    SetUpLiveViewCamera(d.ds());
    const QImage side = d.settled();
    if (!gShot.isEmpty()) side.save(gShot);
    const QRgb sky = side.pixel(0, 0);
    const int x = side.width() / 2;
    int lowest = -1, highest = -1, gaps = 0;
    for (int y = 0; y < side.height(); ++y)
        if (!Near(side.pixel(x, y), sky)) highest = highest < 0 ? y : highest, lowest = y;
    ASSERT_GT(lowest - highest, 20) << "no house in the middle of the view";
    for (int y = highest; y <= lowest; ++y) gaps += Near(side.pixel(x, y), sky);
    EXPECT_LT(gaps, 3) << "sky between the floors: rows " << highest << " to " << lowest;
}

// An L of two walls drawn as one exterior wall, the second drag starting on the first one's
// end: its outline, closed across the open side, is its floor in the live view, and the plan
// fills the same triangle in the interior fill colour.
TEST(LiveViewDesigns, AnOpenLOfWallsHasItsFloorAndItsInsideFill) {
    Desk d;
    d.ds()->interiorFillColor = {0xFFFF, 0xD0D0, 0x8080};
    ASSERT_TRUE(d.show());
    gCurTool = 7050;
    ASSERT_TRUE(d.drag(d.at(40, 100), d.at(300, 100)));
    ASSERT_TRUE(d.drag(d.at(300, 100), d.at(300, 360)));
    Objex* wall = gCurDocument->itsCurLayer->firstObject;
    ASSERT_TRUE(wall && !wall->next) << "the second wall did not run on from the first";
    EXPECT_TRUE(wall->pointCount == 3 && !wall->closed && wall->subtype == objsubtype::kExteriorWall);

    RebuildLiveViewScene();
    int floors = 0;
    for (const PlaneObject* p = gGLPlaneObjects; p; p = p->next) floors += p->baseObject == wall && p->pieceKind == 36;
    EXPECT_EQ(floors, 1) << "no floor in the live view";

    // Inside the L's triangle (right of its diagonal) the fill, outside it the plan's paper.
    ASSERT_TRUE(d.focus());
    d.view->repaint(), QApplication::processEvents(), QTest::qWait(200);
    const QImage plan = OnScreen(d.view->parentWidget());
    if (!gShot.isEmpty()) plan.save(QString(gShot).replace(".png", "-l-fill.png"));
    const QRgb fill = qRgb(0xFF, 0xD0, 0x80);
    const auto filled = [&](int x, int y) {
        int n = 0;
        for (int dy = -4; dy <= 4; ++dy)
            for (int dx = -4; dx <= 4; ++dx) n += Near(plan.pixel(x + dx, y + dy), fill);
        return n;
    };
    EXPECT_GT(filled(250, 160), 60) << "the plan does not fill inside the L";
    EXPECT_EQ(filled(100, 300), 0);
}

TEST(LiveViewDesigns, TheCameraToolLooksTheWayItIsDragged) {
    Desk d;
    ASSERT_TRUE(d.show());
    // A wall across the plan; the camera dragged from 200 below it straight toward it.
    const QPoint left = d.at(150, 100), right = d.at(350, 100), eye = d.at(250, 400);
    Objex* wall = dvxtest::Wall(gCurDocument->itsCurLayer, {{float(left.x()), float(left.y())}, {float(right.x()), float(right.y())}});
    wall->planBits = d.ds()->visiblePlans;
    for (Poinz* p = wall->firstPoint; p; p = p->next)
        objfield::wall_segment::kFirstHeight(*p) = objfield::wall_segment::kSecondHeight(*p) = 96;
    Update3DWall(wall);
    d.ds()->cameraMode = 1, d.ds()->navigationFlag = 0, d.ds()->eyeHeight = 60, d.ds()->cameraHeading = 180;
    RebuildLiveViewScene();
    gCurTool = toolid::kCamera;
    ASSERT_TRUE(d.drag(eye, eye - QPoint(0, 100)));
    EXPECT_NEAR(d.ds()->cameraHeading, 0, 0.5);

    // The live view faces the wall: it spans the middle of the picture.
    const QImage seen = d.settled();
    const auto [from, to] = SpanOffSky(seen, seen.height() / 2);
    EXPECT_TRUE(from >= 0 && from < seen.width() / 2 && to > seen.width() / 2) << from << " " << to;
    // The plan's marker points at the wall: its apex stands above its dot, toward the wall.
    QApplication::processEvents();
    const PlatformPoint o = d.view->boundsOrigin();
    const QPoint dot = d.view->mapToGlobal(QPointF(eye.x() - o.x, eye.y() - o.y)).toPoint();
    const QImage plan = QGuiApplication::primaryScreen()->grabWindow(0, dot.x() - 30, dot.y() - 30, 61, 61).toImage();
    // The dot fills rows 25 to 35; the apex is 20 above or below it.
    int above = 0, below = 0;
    for (int y = 0; y < 61; ++y)
        for (int x = 20; x <= 40; ++x) {
            if (PixelGrey(plan.pixel(x, y)) >= 60) continue;
            if (y < 22) ++above;
            else if (y > 38) ++below;
        }
    EXPECT_GT(above, 8) << "the apex";
    EXPECT_EQ(below, 0) << "a marker pointing away";
}

TEST(LiveViewDesigns, NewOpenAndRevertShowTheirDesignInTheOpenPanel) {
    Desk d;
    ASSERT_TRUE(d.show());
    // One wall 300 ahead of the eye, saved; the panel shows it.
    Objex* wall = dvxtest::Wall(gCurDocument->itsCurLayer, {{-100, -300}, {100, -300}});
    wall->planBits = d.ds()->visiblePlans;
    for (Poinz* p = wall->firstPoint; p; p = p->next)
        objfield::wall_segment::kFirstHeight(*p) = objfield::wall_segment::kSecondHeight(*p) = 96;
    Update3DWall(wall);
    d.ds()->cameraMode = 1, d.ds()->navigationFlag = 0, d.ds()->cameraHeading = 0, d.ds()->cameraPosition = {0, 0};
    d.ds()->elevationView = 0, d.ds()->eyeHeight = 60;
    const std::string path = d.services.folders.temporaryBase() + "/one-wall.pro";
    ASSERT_NE(KeyFileWrite(path.c_str()), 0);
    RebuildLiveViewScene(), SetUpLiveViewCamera(d.ds());
    auto wallShown = [&] {
        const QImage im = d.settled();
        return SpanOffSky(im, im.height() / 2).first > 0;
    };
    ASSERT_TRUE(wallShown());

    ASSERT_TRUE(d.focus() && ChooseMenuItem(d.w, "File", "newDocument"));
    EXPECT_FALSE(wallShown()) << "New kept the old design's wall";
    d.panels.choose(path);
    ASSERT_TRUE(d.focus() && ChooseMenuItem(d.w, "File", "openDocument"));
    EXPECT_EQ(dvxtest::CountObjects(gCurDocument->itsCurLayer->firstObject), 1);
    EXPECT_TRUE(wallShown()) << "the opened design's wall is missing";

    // Edited (the wall deleted), then reverted: the wall is back in the panel.
    ASSERT_TRUE(d.focus());
    XDo({"key", "ctrl+a", "Delete"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return gCurDocument->itsCurLayer->firstObject == nullptr; }));
    EXPECT_FALSE(wallShown());
    ASSERT_TRUE(ChooseMenuItem(d.w, "File", "revertDocumentToSaved"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return gCurDocument->itsCurLayer->firstObject != nullptr; }));
    EXPECT_TRUE(wallShown()) << "the reverted design's wall is missing";
}

TEST(LiveViewDesigns, GroundRaisedByARegionStaysRaisedInTheWindowTheSavedDesignOpensIn) {
    Desk d;
    ASSERT_TRUE(d.show());
    // A region 100 plan units high over the middle of the lot, saved.
    const FloatRect lot = d.ds()->lotRect;
    const float x = (lot.floatLeft + lot.floatRight) / 2, z = (lot.floatTop + lot.floatBottom) / 2;
    Objex* region = dvxtest::Shape(gCurDocument->itsCurLayer, objtype::kTopography,
                                   {{x - 300, z - 300}, {x + 300, z - 300}, {x + 300, z + 300}, {x - 300, z + 300}}, true);
    objfield::topo_line::kHeight(*region) = 100;
    SetLotElevation();
    ASSERT_FLOAT_EQ(LotHeightAt(x, z), 100);
    const std::string path = dvxtest::FreshTempFolder("raised") + "/raised.pro";
    ASSERT_NE(KeyFileWrite(path.c_str()), 0);

    // Opened in a window of its own, as the program started with the file opens it.
    QMDWindowController* opened = OpenDesignWindow(path, d.services);
    ASSERT_NE(opened, nullptr);
    ASSERT_TRUE(ShowFocused(opened));
    EXPECT_FLOAT_EQ(LotHeightAt(x, z), 100) << "the opened design's ground is flat";
    EXPECT_FLOAT_EQ(LotHeightAt(lot.floatLeft + 10, lot.floatTop + 10), 0);
    // The first window made main again shows its own ground, raised as well.
    ASSERT_TRUE(d.focus());
    ASSERT_TRUE(QTest::qWaitFor([&] { return gCurDocument == d.w->document()->model(); }));
    EXPECT_FLOAT_EQ(LotHeightAt(x, z), 100) << "the ground flat once the first window is main again";
    opened->close();
    // Opened over the raised design in the same window, then edited and reverted to: the design
    // replaced goes after the read, and must not leave its ground flat.
    ASSERT_TRUE(d.focus());
    d.panels.choose(path);
    ASSERT_TRUE(ChooseMenuItem(d.w, "File", "openDocument"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return d.w->document()->fileName() == path; }));
    EXPECT_FLOAT_EQ(LotHeightAt(x, z), 100) << "the design opened over a raised one shows flat ground";
    StoreUndo("Edit");  // a step: the design differs from its file
    d.services.alerts.answer(0);
    ASSERT_TRUE(ChooseMenuItem(d.w, "File", "revertDocumentToSaved"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !d.w->document()->isDocumentEdited(); }));
    EXPECT_FLOAT_EQ(LotHeightAt(x, z), 100) << "the reverted design shows flat ground";
}

}  // namespace

int main(int argc, char** argv) { return RunWindowTests(argc, argv, &gShot); }

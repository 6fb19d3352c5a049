// Every tool that had no cell, picked from its palette cell with the server's mouse and used as
// a user uses it (presses, drags, releases and clicks in the plan at zoom 1, where plan units are
// pixels): the object in the model, its ink on the screen and the undo item it leaves. The
// plan with everything made is kept as tool-cells-window.png.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTest>
#include <QUndoStack>
#include <gtest/gtest.h>

#include <cmath>

#include "app/app_controller.h"
#include "app/command_router.h"
#include "app/document.h"
#include "app/document_view.h"
#include "app/widgets.h"
#include "app/window_controller.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/selection_ops.h"
#include "model/selection_queries.h"
#include "model/transforms.h"
#include "support/build.h"
#include "tools/deck_tools.h"
#include "tools/wall_construction.h"
#include "tracking/tracking_state.h"
#include "ui/sheets/sheet_dialog.h"
#include "ui/tool_palettes.h"
#include "window/window_support.h"

namespace {

QString gShot;
using namespace dvxtest;

class ToolCells : public ::testing::Test {
protected:
    void SetUp() override {
        w = OpenDocumentWindow(), view = w->docView(), doc = w->document()->model(), ds = doc->itsDocState;
        ds->zoomFactor = 1, ds->snapToGrid = 0, ds->showDimensions = 0;
        ASSERT_TRUE(ShowFocused(w));
        w->setGeometry(0, 0, 1270, 800);
        edit = ToolPaletteController::shared(), plans = PlanToolPaletteController::shared();
        edit->showWindow(), plans->showWindow();
        // The edit palette right of the plan palette's widest toolset, both below the window.
        edit->window()->move(1275 - edit->window()->frameGeometry().width(), 840), plans->window()->move(0, 950);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(edit->window()) && QTest::qWaitForWindowExposed(plans->window()));
        QTest::qWait(200);
        const PlatformRect shown = view->visibleRect();
        ASSERT_GT(shown.width, 760);
        ASSERT_GT(shown.height, 520);
        ox = int(shown.x) + 40, oy = int(shown.y) + 40;
    }
    void TearDown() override { AppController::destroyShared(), ResetAllGlobals(); }

    // The cell of the tool, its toolset shown first for a plan tool.
    PaletteCellButton* cell(int16_t tool) {
        if (PaletteCellButton* c = edit->toolButtons()->cell(tool)) return c;
        for (int16_t plan = 0; plan < 9; ++plan)
            if (PaletteCellButton* c = plans->toolButtons(plan)->cell(tool)) {
                plans->updateToolsetForPlan(plan), plans->loadToolPaletteForPlan(plan);
                return c;
            }
        return nullptr;
    }
    // Clicks the tool's cell, whose tooltip names it.
    bool pick(int16_t tool, const char* tip) {
        PaletteCellButton* c = cell(tool);
        if (!c || !QTest::qWaitFor([&] { return c->isVisible(); })) return false;
        EXPECT_EQ(c->toolTip(), QString::fromLatin1(tip)) << tool;
        EXPECT_FALSE(c->icon().isNull()) << tool;
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        ClickAt(c, c->rect().center());
        return QTest::qWaitFor([&] { return gCurTool == tool && c->isChecked(); });
    }

    QPoint global(QPoint at) const {
        const PlatformPoint o = view->boundsOrigin();
        return view->mapToGlobal(QPointF(at.x() - o.x, at.y() - o.y).toPoint());
    }
    void moveTo(QPoint at) {  // not --sync: a move onto the pointer would wait for ever
        const QPoint p = global(at);
        XDo({"mousemove", QString::number(p.x()), QString::number(p.y())}), QTest::qWait(60);
    }
    // A press at `from`, moves through the points, the release at the last.
    bool drag(QPoint from, std::initializer_list<QPoint> through) {
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        moveTo(from), XDo({"mousedown", "1"});
        if (!QTest::qWaitFor([&] { return view->gestureBusy(); })) return false;
        for (QPoint p : through) moveTo(p);
        XDo({"mouseup", "1"}), QTest::qWait(100);
        return true;
    }
    // A click on its own (never the second of a double click).
    void click(QPoint at) {
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        moveTo(at), XDo({"click", "1"}), QTest::qWait(100);
    }
    bool idle() { return QTest::qWaitFor([&] { return !view->gestureBusy(); }); }
    // An outline clicked point by point and closed on its first point.
    bool outline(std::initializer_list<QPoint> corners) {
        for (QPoint p : corners) click(p);
        click(*corners.begin());
        return idle();
    }

    // The plan's pixels over the plan rectangle as the screen shows them.
    QImage shot(QRect plan) {
        view->repaint(), QApplication::processEvents();
        const QPoint at = global(plan.topLeft());
        return QGuiApplication::primaryScreen()->grabWindow(0, at.x(), at.y(), plan.width(), plan.height()).toImage();
    }
    static int Ink(const QImage& image) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) n += qGray(image.pixel(x, y)) < 200;
        return n;
    }
    QString undoItem() { return w->commandRouter()->action("undo")->text(); }
    // The newest top-level object of the current floor.
    Objex* last() {
        Objex* o = doc->itsCurLayer->firstObject;
        while (o && o->next) o = o->next;
        return o;
    }
    QPoint pt(int x, int y) const { return {ox + x, oy + y}; }
    static float Length(const Poinz* a, const Poinz* b) {
        return std::hypot(a->position[0] - b->position[0], a->position[2] - b->position[2]);
    }

    WindowTestServices services{"toolcells"};
    QMDWindowController* w = nullptr;
    QMDDocumentView* view = nullptr;
    QMDDocumentModel* doc = nullptr;
    DocState* ds = nullptr;
    ToolPaletteController* edit = nullptr;
    PlanToolPaletteController* plans = nullptr;
    int ox = 0, oy = 0;
};

TEST_F(ToolCells, EachToolPickedFromItsCellMakesItsObjectWithRealGestures) {
    // The dimension line: one drag.
    ASSERT_TRUE(pick(209, "Dimension"));
    const QImage bare = shot(QRect(pt(0, 20), QSize(160, 20)));
    ASSERT_TRUE(drag(pt(10, 30), {pt(60, 31), pt(150, 30)}) && idle());
    Objex* dim = last();
    ASSERT_TRUE(dim && dim->type == 137) << "no dimension line";
    EXPECT_TRUE(Near({PlanPositions(dim)[0].first, PlanPositions(dim)[1].first, PlanPositions(dim)[1].second},
                     {float(ox + 10), float(ox + 150), float(oy + 30)}, 1));
    EXPECT_GT(Ink(shot(QRect(pt(0, 20), QSize(160, 20)))), Ink(bare) + 100) << "the line is not on the plan";
    EXPECT_EQ(undoItem(), "Undo Dimension Tool");
    EXPECT_EQ(gCurTool, 209) << "the dimension tools stay armed";

    // The offset and length dimensions: a drag, then the line placed by a move and a click.
    struct Placed { int16_t tool; const char* tip; QPoint from, to, place; int16_t type; const char* undo; };
    for (const Placed& p : {Placed{210, "Offset Dimension", pt(190, 60), pt(310, 100), pt(250, 10), 142, "Undo Offset Dimension Tool"},
                            Placed{211, "Length Dimension", pt(380, 100), pt(500, 40), pt(420, 40), 143, "Undo Length Dimension Tool"},
                            Placed{213, "Leader Dimension", pt(560, 100), pt(620, 40), pt(700, 40), 108, "Undo Leader Dimension Tool"}}) {
        SCOPED_TRACE(p.tip);
        ASSERT_TRUE(pick(p.tool, p.tip));
        const QRect area = QRect(p.from, p.to).normalized().united(QRect(p.place, QSize(1, 1))).adjusted(-10, -10, 10, 10);
        const QImage before = shot(area);
        ASSERT_TRUE(drag(p.from, {(p.from + p.to) / 2, p.to}));
        EXPECT_TRUE(view->gestureBusy()) << "no placing after the release";
        moveTo((p.to + p.place) / 2), moveTo(p.place);
        click(p.place);
        ASSERT_TRUE(idle());
        Objex* o = last();
        ASSERT_TRUE(o && o->type == p.type) << (o ? o->type : -1);
        EXPECT_GT(Ink(shot(area)), Ink(before) + 100);
        EXPECT_EQ(undoItem(), p.undo);
    }

    // The diameter of a circle drawn with the oval tool.
    gCurTool = 7701;
    ASSERT_TRUE(drag(pt(20, 170), {pt(70, 220), pt(120, 270)}) && idle());
    Objex* circle = last();
    ASSERT_TRUE(circle && circle->subtype == 2);
    ASSERT_TRUE(pick(212, "Diameter Dimension"));
    const QRect disc(pt(10, 160), QSize(120, 120));
    const QImage round = shot(disc);
    const Poinz* p0 = circle->firstPoint;
    const QPoint onCircle(std::lround(p0->position[0]), std::lround(p0->position[2]));
    ASSERT_TRUE(drag(onCircle, {onCircle + QPoint(20, 10), onCircle + QPoint(40, 30)}) && idle());
    Objex* diameter = last();
    ASSERT_TRUE(diameter && diameter->type == 104) << "no diameter dimension";
    EXPECT_NEAR(Length(PointAt(diameter, 0), PointAt(diameter, 1)), 100, 1.5);
    EXPECT_GT(Ink(shot(disc)), Ink(round) + 50);
    EXPECT_EQ(undoItem(), "Undo Diameter Dimension Tool");

    // A floor's corners: a fillet, an inverted fillet and a chamfer, each a click on the corner
    // (which selects it) and a drag from it; then a point inserted on an edge and removed.
    Objex* floor = Outline(objtype::kFloor, {{float(ox + 190), float(oy + 170)}, {float(ox + 350), float(oy + 170)},
                                             {float(ox + 350), float(oy + 290)}, {float(ox + 190), float(oy + 290)}})
                       .on(doc->itsCurLayer);
    floor->planBits = ds->visiblePlans, StoreBoundsDeep(floor), Update3DFloorSkirting(floor), view->update();
    struct Corner { int16_t tool; const char* tip; QPoint at, inward; const char* undo; int added; } corners[] = {
        {7910, "Fillet", pt(190, 170), {25, 25}, "Undo Fillet Tool", 2},
        {7911, "Inverted Fillet", pt(350, 170), {-25, 25}, "Undo Inverted Fillet Tool", 2},
        {7912, "Chamfer", pt(350, 290), {-25, -25}, "Undo Chamfer Tool", 1}};
    for (const Corner& c : corners) {
        SCOPED_TRACE(c.tip);
        ASSERT_TRUE(pick(c.tool, c.tip));
        const int points = floor->pointCount;
        const QRect corner(c.at - QPoint(30, 30), QSize(60, 60));
        const QImage sharp = shot(corner);
        click(c.at);
        ASSERT_TRUE(idle());
        ASSERT_EQ(gCurTool, c.tool) << "a click that selected the corner changed the tool";
        ASSERT_TRUE(drag(c.at, {c.at + c.inward / 2, c.at + c.inward}) && idle());
        EXPECT_EQ(floor->pointCount, points + c.added);
        EXPECT_NE(shot(corner), sharp) << "the corner looks the same";
        EXPECT_EQ(undoItem(), c.undo);
        EXPECT_EQ(gCurTool, toolid::kSelect) << "these tools are not kept armed";
    }
    ASSERT_TRUE(pick(7900, "Insert Point"));
    const int points = floor->pointCount;
    click(pt(260, 290));
    ASSERT_TRUE(idle());
    ASSERT_EQ(floor->pointCount, points + 1) << "no point inserted";
    Poinz* inserted = nullptr;
    for (Poinz* p = floor->firstPoint; p; p = p->next)
        if (std::fabs(p->position[0] - float(ox + 260)) < 1.5f && std::fabs(p->position[2] - float(oy + 290)) < 1.5f) inserted = p;
    ASSERT_TRUE(inserted) << "the point is not where the click was";
    EXPECT_EQ(undoItem(), "Undo Insert Point");
    ASSERT_TRUE(pick(7901, "Remove Point"));
    click(pt(260, 290));
    ASSERT_TRUE(idle());
    EXPECT_EQ(floor->pointCount, points);
    EXPECT_EQ(undoItem(), "Undo Remove Point");

    // A filled rectangle resized: a click inside chooses it, a drag from inside its lower right
    // grows it to the right and down.
    Objex* rect = Shape(doc->itsCurLayer, objtype::kDetail, {{float(ox + 400), float(oy + 180)}, {float(ox + 480), float(oy + 180)},
                                                             {float(ox + 480), float(oy + 240)}, {float(ox + 400), float(oy + 240)}},
                        true, 1);
    rect->fillPattern = 2, view->update();
    ASSERT_TRUE(pick(215, "Resize"));
    const QRect grown(pt(485, 245), QSize(30, 20));
    const QImage empty = shot(grown);
    click(pt(440, 210));
    ASSERT_TRUE(idle() && IsObjectSelected(rect)) << "the click did not choose the rectangle";
    ASSERT_EQ(gCurTool, 215);
    // The press's side of the centre is the side grabbed: right and bottom go to the release.
    ASSERT_TRUE(drag(pt(470, 230), {pt(490, 250), pt(520, 270)}) && idle());
    EXPECT_TRUE(Near({rect->bounds3D.floatLeft, rect->bounds3D.floatRight, rect->bounds3D.floatBack, rect->bounds3D.floatFront},
                     {float(ox + 400), float(ox + 520), float(oy + 180), float(oy + 270)}, 1.5));
    EXPECT_GT(Ink(shot(grown)), Ink(empty) + 200) << "the grown part is not filled";
    EXPECT_EQ(undoItem(), "Undo Resize");

    // A curved wall: the chord dragged, the arc bent by a move and fixed by a click.
    ASSERT_TRUE(pick(7054, "Curved Wall"));
    const QRect arc(pt(10, 360), QSize(160, 110));
    const QImage flat = shot(arc);
    ASSERT_TRUE(drag(pt(20, 450), {pt(90, 450), pt(160, 450)}));
    moveTo(pt(120, 400)), moveTo(pt(90, 385));
    click(pt(90, 385));
    ASSERT_TRUE(idle());
    Objex* curved = last();
    ASSERT_TRUE(curved && curved->type == objtype::kWall && curved->pointCount >= 3) << "no curved wall";
    EXPECT_EQ(PointAt(curved, 1)->kind, 9) << "the inner points are not curve points";
    EXPECT_NE(PointAt(curved, 1)->outTangent[0], 0) << "the wall is not curved";
    float top = 1e9f;
    for (Poinz* p = curved->firstPoint; p; p = p->next) top = std::min(top, p->position[2]);
    EXPECT_NEAR(top, float(oy + 380), 3) << "the arc is not a half circle over the chord";
    EXPECT_GT(Ink(shot(arc)), Ink(flat) + 300);
    EXPECT_EQ(undoItem(), "Undo Curved Wall Tool");

    // The typed walls: the drag, then the length typed in the sheet it opens.
    struct Typed { int16_t tool; const char* tip; int y; const char* length; float inches; const char* undo; };
    for (const Typed& t : {Typed{7051, "Exterior Wall by Typed Length", 350, "10'", 120, "Undo Exterior Wall Tool"},
                           Typed{7053, "Interior Wall by Typed Length", 470, "8'", 96, "Undo Interior Wall Tool"}}) {
        SCOPED_TRACE(t.tip);
        ASSERT_TRUE(pick(t.tool, t.tip));
        const int before = w->document()->undoStack()->count();
        ASSERT_TRUE(drag(pt(200, t.y), {pt(260, t.y), pt(330, t.y)}) && idle());
        Objex* wall = last();
        ASSERT_TRUE(wall && wall->type == objtype::kWall && wall->pointCount == 2);
        SheetDialog* sheet = nullptr;
        ASSERT_TRUE(QTest::qWaitFor([&] { return (sheet = w->findChild<SheetDialog*>("WallKeyEntrySheet")) && sheet->isVisible(); }));
        auto* length = sheet->findChild<QLineEdit*>("lengthText");
        ClickAt(length, length->rect().center());
        ASSERT_TRUE(QTest::qWaitFor([&] { return length->hasFocus(); }));
        XDo({"key", "ctrl+a"}), XDo({"type", "--delay", "5", "--", t.length});
        ASSERT_TRUE(QTest::qWaitFor([&] { return length->text() == QString::fromLatin1(t.length); }));
        auto* ok = sheet->findChild<QPushButton*>("okButton");
        ClickAt(ok, ok->rect().center());
        ASSERT_TRUE(QTest::qWaitFor([&] { return w->document()->undoStack()->count() == before + 1; }));
        EXPECT_NEAR(Length(PointAt(wall, 0), PointAt(wall, 1)), ConvertWorldToScreen(t.inches, ds, 0), 6);
        EXPECT_EQ(undoItem(), t.undo);
        EXPECT_EQ(gCurTool, t.tool) << "the wall tools stay armed";
    }

    // A four-point roof with soffits, chosen in the roof tool pane, off a wall built here; a
    // three-point roof beside it; a dormer cut-out drawn on the four-point panel.
    Objex* eave = Wall(doc->itsCurLayer, {{float(ox + 400), float(oy + 470)}, {float(ox + 560), float(oy + 470)}});
    Objex* side = Wall(doc->itsCurLayer, {{float(ox + 600), float(oy + 470)}, {float(ox + 720), float(oy + 470)}});
    for (Objex* o : {eave, side}) o->planBits = ds->visiblePlans, Update3DWall(o), StoreBoundsDeep(o);
    ds->soffitInclude = ds->soffitBase = ds->soffitLeft = ds->soffitRight = 0;
    view->update();
    ASSERT_TRUE(pick(7307, "Four-Point Freehand Roof"));
    for (const char* outlet : {"includeSoffitsButton", "baseSoffitButton"}) {
        QCheckBox* box = nullptr;
        ASSERT_TRUE(QTest::qWaitFor([&] {
            return (box = w->parentInspectorView()->findChild<QCheckBox*>(outlet)) && box->isVisible() && box->isEnabled();
        })) << outlet << ": the soffits are not in the roof tool pane";
        w->inspectorScrollView()->ensureWidgetVisible(box);  // scrolled to, as a user would
        QTest::qWait(100);
        ClickAt(box, QPoint(8, box->height() / 2));
        ASSERT_TRUE(QTest::qWaitFor([&] { return box->isChecked(); })) << outlet;
    }
    EXPECT_EQ(std::pair(ds->soffitInclude, ds->soffitBase), std::pair(uint8_t(1), uint8_t(1)));
    const QRect roofArea(pt(390, 340), QSize(180, 160));
    const QImage bareRoof = shot(roofArea);
    ASSERT_TRUE(drag(pt(480, 470), {pt(480, 420), pt(480, 360)}) && idle());
    Objex* panel = last();
    ASSERT_TRUE(panel && panel->type == objtype::kFreehandRoof && panel->pointCount == 4) << "no four-point roof";
    ASSERT_TRUE(panel->firstChild && panel->firstChild->type == objtype::kSlopeArrow);
    const float soffit = ConvertWorldToScreen(ds->roofSoffitValue, ds, 0);
    float near = -1e9f, far = 1e9f;
    for (Poinz* p = panel->firstPoint; p; p = p->next) near = std::max(near, p->position[2]), far = std::min(far, p->position[2]);
    EXPECT_NEAR(near, float(oy + 470) + soffit, 1) << "the eave is not the soffit's depth outside the wall";
    EXPECT_NEAR(far, float(oy + 360), 1);
    EXPECT_GT(Ink(shot(roofArea)), Ink(bareRoof) + 300);
    EXPECT_EQ(undoItem(), "Undo Four-Point Freehand Roof Tool");
    EXPECT_EQ(gCurTool, 7307);

    ASSERT_TRUE(pick(7308, "Three-Point Freehand Roof"));
    ASSERT_TRUE(drag(pt(660, 470), {pt(660, 430), pt(660, 380)}) && idle());
    Objex* triangle = last();
    ASSERT_TRUE(triangle && triangle->type == objtype::kFreehandRoof && triangle->pointCount == 3) << "no three-point roof";
    EXPECT_EQ(undoItem(), "Undo Three-Point Freehand Roof Tool");

    ASSERT_TRUE(pick(7309, "Dormer Cutout"));
    const QImage plainPanel = shot(QRect(pt(430, 380), QSize(100, 70)));
    ASSERT_TRUE(outline({pt(440, 390), pt(520, 390), pt(520, 440), pt(440, 440)}));
    Objex* cutout = panel->firstChild;
    while (cutout && cutout->type != objtype::kRoofCutout) cutout = cutout->next;
    ASSERT_TRUE(cutout) << "no dormer cut-out on the panel";
    EXPECT_EQ(cutout->pointCount, 4);
    EXPECT_NE(shot(QRect(pt(430, 380), QSize(100, 70))), plainPanel);
    EXPECT_EQ(undoItem(), "Undo Dormer Cutout");

    // A deck cut-out, clicked corner by corner on the deck plan's tool.
    ASSERT_TRUE(pick(7606, "Deck Cutout"));
    const QRect hole(pt(560, 160), QSize(160, 140));
    const QImage noHole = shot(hole);
    ASSERT_TRUE(outline({pt(580, 180), pt(700, 180), pt(700, 280), pt(580, 280)}));
    Objex* deckCut = last();
    ASSERT_TRUE(deckCut && deckCut->type == objtype::kFloorCutout && deckCut->pointCount == 4) << "no deck cut-out";
    EXPECT_GT(Ink(shot(hole)), Ink(noHole) + 200);
    EXPECT_EQ(undoItem(), "Undo Deck Cutout Tool");

    EXPECT_TRUE(services.alerts.shown.empty()) << services.alerts.shown.front().alert.message;
    view->repaint();
    QGuiApplication::primaryScreen()->grabWindow(0).save(gShot);
}

// The key-entry and wall-dimension tools from their cells of the edit palette. A drag along
// one wall with the wall dimension leaves a dimension across to the wall 200 units (8'4") away;
// a click with the key entry on a line's segment opens its sheet, and 10' typed there makes the
// 5' line 10' long, both ends moving out. Each leaves its undo item.
TEST_F(ToolCells, TheKeyEntryAndWallDimensionCellsReachTheirTools) {
    Objex* lower = Wall(doc->itsCurLayer, {{float(ox + 100), float(oy + 300)}, {float(ox + 500), float(oy + 300)}});
    Objex* upper = Wall(doc->itsCurLayer, {{float(ox + 100), float(oy + 100)}, {float(ox + 500), float(oy + 100)}});
    for (Objex* o : {lower, upper}) o->planBits = ds->visiblePlans, Update3DWall(o), StoreBoundsDeep(o);
    Objex* line = Shape(doc->itsCurLayer, objtype::kDetail, {{float(ox + 100), float(oy + 450)}, {float(ox + 220), float(oy + 450)}});
    SelectObj(upper, selmode::kSelect, 1);
    view->update();

    ASSERT_TRUE(pick(208, "Dimension Wall Tool"));
    // A cell leaves the keyboard with the plan, though the click gave its palette the keyboard
    // where no window manager keeps it elsewhere.
    EXPECT_TRUE(KeyReaches(view)) << "the edit palette's cell took the keyboard";
    EXPECT_EQ(w->docScrollView()->viewport()->cursor().shape(), Qt::CrossCursor);
    EXPECT_FALSE(IsObjectSelected(upper)) << "the wall stayed selected";
    const QRect between(pt(280, 110), QSize(40, 180));
    const QImage empty = shot(between);
    ASSERT_TRUE(drag(pt(260, 300), {pt(280, 296), pt(300, 290)}) && idle());
    Objex* dimension = lower->firstChild;
    while (dimension && dimension->subtype != 138) dimension = dimension->next;
    ASSERT_TRUE(dimension && dimension->type == objtype::kComponent) << "no wall dimension on the wall";
    ASSERT_EQ(dimension->pointCount, 3);
    EXPECT_TRUE(Near({PointAt(dimension, 2)->position[0], PointAt(dimension, 2)->position[2]}, {float(ox + 300), float(oy + 100)}, 1.5))
        << "the dimension does not reach the other wall";
    EXPECT_NEAR(dimension->typeData.attachment->height, 200, 0.5);
    EXPECT_GT(Ink(shot(between)), Ink(empty) + 40) << "no dimension drawn between the walls";
    EXPECT_EQ(undoItem(), "Undo Dimension Wall Tool");

    ASSERT_TRUE(pick(201, "Key Entry"));
    EXPECT_EQ(w->docScrollView()->viewport()->cursor().shape(), Qt::ArrowCursor);
    click(pt(160, 450));
    SheetDialog* sheet = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (sheet = w->findChild<SheetDialog*>("KeyEntrySheet")) && sheet->isVisible(); }))
        << "no key-entry sheet";
    auto* length = sheet->findChild<QLineEdit*>("lengthText");
    EXPECT_EQ(length->text(), "5'-0\"");
    ClickAt(length, length->rect().center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return length->hasFocus(); }));
    XDo({"key", "ctrl+a"}), XDo({"type", "--delay", "5", "--", "10'"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return length->text() == "10'"; }));
    auto* ok = sheet->findChild<QPushButton*>("okButton");
    ClickAt(ok, ok->rect().center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w->findChild<SheetDialog*>("KeyEntrySheet"); }));
    EXPECT_TRUE(Near({PlanPositions(line)[0].first, PlanPositions(line)[1].first, PlanPositions(line)[1].second},
                     {float(ox + 40), float(ox + 280), float(oy + 450)}, 0.01));
    EXPECT_EQ(undoItem(), "Undo Resize Segment");
    EXPECT_TRUE(services.alerts.shown.empty()) << services.alerts.shown.front().alert.message;
    view->repaint();
    QGuiApplication::primaryScreen()->grabWindow(0).save(QString(gShot).replace(".png", "-key-entry.png"));

    SnapPaletteController* snap = SnapPaletteController::shared();
    snap->showWindow(), snap->window()->move(0, 880);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(snap->window()));
    QTest::qWait(200);
    PaletteCellButton* endpoint = snap->toolButtons()->cell(501);
    ClickAt(endpoint, endpoint->rect().center());
    ASSERT_TRUE(QTest::qWaitFor([] { return gCurSnap == 501; }));
    EXPECT_TRUE(KeyReaches(view)) << "the snap palette's cell took the keyboard";
}

}  // namespace

int main(int argc, char** argv) { return RunWindowTests(argc, argv, &gShot, "test_window_tool_cells <screenshot.png>"); }

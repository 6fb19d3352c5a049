// The inspector in a document window on the virtual X server, driven as a user drives it: a
// click on an object shows its pane beside the plan, a value typed there and Return change the
// object in one named undo step, and the Window menu's and the toolbar's items hide and show
// the column.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QSlider>
#include <QTabBar>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QToolBar>
#include <QUndoStack>
#include <gtest/gtest.h>

#include "app/app_controller.h"
#include "app/command_router.h"
#include "content/content_palette_controller.h"
#include "content/content_view.h"
#include "content/core/preview_grid.h"
#include "files/content_folders.h"
#include "files/design_file.h"
#include "files/undo.h"
#include "support/content_library.h"
#include "support/qt/content_images.h"
#include <QScrollArea>
#include "app/document.h"
#include "app/document_view.h"
#include "app/widgets.h"
#include "app/window_controller.h"
#include "model/attachments.h"
#include "model/docstate.h"
#include "model/object_fields.h"
#include "model/selection_queries.h"
#include "model/transforms.h"
#include "model/view_layers.h"
#include "model/document_model.h"
#include "port/qt/platform.h"
#include "support/build.h"
#include "tools/wall_construction.h"
#include "support/doubles.h"
#include "support/inspector_design.h"
#include "support/qt/test_pane.h"
#include "model/inspector_panel.h"
#include "ui/tool_palettes.h"
#include "tracking/tracking_state.h"
#include "app/core/document_window.h"
#include "window/window_support.h"

namespace {

QString gShot;

using namespace dvxtest;

QWidget* Shown(QMDWindowController* w) {
    const QList<QWidget*> views = w->parentInspectorView()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    return views.isEmpty() ? nullptr : views.first();
}

// A document window at zoom 1 (plan view points are the plan's (H, D)), shown and active;
// null when it never became so.
QMDWindowController* ShownWindowAtZoomOne() {
    QMDWindowController* w = OpenDocumentWindow();
    w->document()->model()->itsDocState->zoomFactor = 1;
    if (!ShowFocused(w) || !QTest::qWaitFor([w] { return w->isActiveWindow(); })) return nullptr;
    return w;
}

// A click with the server's mouse at the plan point (H, D) of a window at zoom 1.
void ClickPlanAt(QMDWindowController* w, float h, float d) {
    const PlatformPoint origin = w->docView()->boundsOrigin();
    ClickAt(w->docView(), QPointF(h - origin.x, d - origin.y).toPoint());
}

// The built plant's crown as its model gives it: a click at (500, 50) finds it.
void GivePlantItsCrown(Objex* plant) {
    Float3DRect& crown = plant->bounds3D;
    crown.floatLeft = 490, crown.floatRight = 510, crown.floatBack = 40, crown.floatFront = 60;
    crown.floatTop = 0, crown.floatBottom = 120;
}

// The third floor worked on with its roof and skylight on the shown plans, and the skylight
// clicked with the server's mouse.
void ClickSkylightOnTheThirdFloor(QMDWindowController* w, const InspectorDesign& design) {
    QMDDocumentModel* doc = w->document()->model();
    doc->itsCurLayer = design.third;
    Set2DViewLayerVisibility(design.third);
    design.roof->planBits = design.skylight->planBits = doc->itsDocState->visiblePlans;
    w->docView()->scrollPoint({-60, -60});
    w->docView()->update();
    ClickPlanAt(w, 120, 130);
}

TEST(InspectorWindow, AClickShowsThePaneWhereTypingEditsTheObjectInOneStep) {
    WindowTestServices services("inspectorwindow");
    QMDWindowController* w = ShownWindowAtZoomOne();
    ASSERT_TRUE(w);
    RegisterTestPanes({"DetailObjectInspectorController"},
                      TestPaneRows{{ElevationRow(objtype::kDetail, "Detail Elevation")}});
    InspectorDesign design = BuildInspectorDesign(w->document()->model());
    w->docView()->scrollPoint({-260, -160});  // the detail shapes in the view's top left
    w->docView()->update();
    ASSERT_TRUE(w->sideColumn()->isVisible()) << "the inspector column starts hidden";
    ASSERT_EQ(Shown(w), w->noPropertiesView());

    ClickObject(w, design.detail);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Shown(w) && Shown(w) != w->noPropertiesView(); })) << "no pane shown";
    TestPane* pane = SharedTestPane("DetailObjectInspectorController");
    EXPECT_EQ(Shown(w), pane->inspectorView());
    EXPECT_TRUE(pane->inspectorView()->isVisible());
    EXPECT_EQ(pane->calls.back().object, design.detail);

    // Typing an elevation and Return: the shape rises two feet in one step.
    const int steps = w->document()->undoStack()->count();
    ASSERT_TRUE(TypeIntoPaneField(w, "elevationText", "2'"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return design.detail->elevation == 24; })) << design.detail->elevation;
    EXPECT_EQ(w->document()->undoStack()->count(), steps + 1);
    EXPECT_EQ(w->document()->undoStack()->undoText(), QStringLiteral("Detail Elevation"));
    QGuiApplication::primaryScreen()->grabWindow(0).save(gShot);

    // The menu item hides the inspector (the content library keeps the column), the
    // toolbar's item shows it again.
    ASSERT_TRUE(ChooseMenuItem(w, "Window", "toggleInspectorPanel", 14004));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w->inspectorScrollView()->isVisible(); })) << "the menu item left the inspector";
    EXPECT_TRUE(w->sideColumn()->isVisible() && w->contentPaletteController()->isVisible());
    QWidget* toolbarItem = nullptr;
    for (QAction* a : w->docToolbar()->actions())
        if (a->objectName() == QLatin1String("Document Toolbar Inspector Item"))
            toolbarItem = w->docToolbar()->widgetForAction(a);
    ASSERT_TRUE(toolbarItem);
    ClickAt(toolbarItem, toolbarItem->rect().center());
    EXPECT_TRUE(QTest::qWaitFor([&] { return w->inspectorScrollView()->isVisible(); })) << "the toolbar item left the inspector";

    // The content library's menu item and toolbar item: hidden with the inspector, the column goes.
    ASSERT_TRUE(ChooseMenuItem(w, "Window", "toggleContentLibraryPanel"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w->contentPaletteController()->isVisible(); })) << "the library stayed";
    EXPECT_FALSE(AppController::shared()->visibility().contentLibrary);
    ASSERT_TRUE(ChooseMenuItem(w, "Window", "toggleInspectorPanel", 14004));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w->sideColumn()->isVisible(); })) << "an empty column stayed";
    for (QAction* a : w->docToolbar()->actions())
        if (a->objectName() == QLatin1String("Document Toolbar Content Item")) toolbarItem = w->docToolbar()->widgetForAction(a);
    EXPECT_EQ(toolbarItem->toolTip(), QStringLiteral("Toggle the content library"));
    ClickAt(toolbarItem, toolbarItem->rect().center());
    EXPECT_TRUE(QTest::qWaitFor([&] { return w->contentPaletteController()->isVisible(); })) << "the toolbar item left the library";
    EXPECT_FALSE(w->inspectorScrollView()->isVisible());
    EXPECT_TRUE(AppController::shared()->visibility().contentLibrary);

    AppController::destroyShared(), ResetAllGlobals();
}

// The house's own panes, reached by clicks on the plan: a wall segment, a plant beside the
// house and a deck each bring their pane, and an edit typed there is one undo step. A window,
// door or deck step clicked with the selection tool takes the wall or deck it stands in; the
// window and door tools take the opening alone, with its own pane.
TEST(InspectorWindow, AClickOnAWallAWindowOrAPlantShowsItsPane) {
    WindowTestServices services("inspectorpanes");
    QMDWindowController* w = ShownWindowAtZoomOne();
    ASSERT_TRUE(w);
    InspectorDesign design = BuildInspectorDesign(w->document()->model());
    // As placed in a design: the wall with its solid, the plant and the flood light on the plan
    // in view with their models' bounds.
    Update3DWall(design.wall);
    design.plant->planBits = w->document()->model()->itsDocState->visiblePlans;
    Objex* flood = design.floodLight;  // its lamp's bounds
    flood->planBits = w->document()->model()->itsDocState->visiblePlans;
    flood->bounds3D = {};
    flood->bounds3D.floatLeft = 115, flood->bounds3D.floatRight = 125, flood->bounds3D.floatBack = 45;
    flood->bounds3D.floatFront = 55, flood->bounds3D.floatBottom = 10;
    GivePlantItsCrown(design.plant);
    w->docView()->scrollPoint({-60, -60});  // the house and the plants beside it
    w->docView()->update();
    const auto showsPane = [&](const char* name) {
        return QTest::qWaitFor([&] { return Shown(w) && Shown(w)->findChild<QLineEdit*>(QLatin1String(name)); });
    };
    const auto paneWith = [&](const char* name) -> QWidget* {
        QWidget* found = nullptr;
        (void)QTest::qWaitFor([&] { return Shown(w) && (found = Shown(w)->findChild<QWidget*>(QLatin1String(name))); });
        return found;
    };
    QUndoStack* stack = w->document()->undoStack();
    const auto clickPlan = [&](float h, float d) { ClickPlanAt(w, h, d); };
    const auto clearSelection = [&] {
        clickPlan(-40, 150);
        return QTest::qWaitFor([&] { uint32_t id = 0; return !FindFirstSelectedObjectID(&id) && Shown(w) == w->noPropertiesView(); });
    };
    const auto openingIn = [&](int16_t type) -> Objex* {  // the rebuild may renew the wall's children
        for (Objex* c = design.wall->firstChild; c; c = c->next)
            if (c->type == type) return c;
        return nullptr;
    };
    // Chosen whole: every point of the wall and of its openings.
    const auto wallChosenWhole = [&] { return IsEntireObjectSelected(design.wall); };
    // Chosen alone: the opening's points, none of the wall's own.
    const auto chosenAlone = [&](int16_t type) {
        Objex* o = openingIn(type);
        return o && IsEntireObjectSelected(o) && !IsRootObjectSelected(design.wall);
    };

    // A click on a pane's list, check box or button leaves the plan its keys: only a field takes
    // the keyboard.
    const auto keysStayWithThePlan = [&](const char* outlet, int clicks) {
        auto* control = Shown(w)->findChild<QWidget*>(QLatin1String(outlet));
        ASSERT_TRUE(control && control->isVisible()) << outlet;
        w->inspectorScrollView()->ensureWidgetVisible(control);
        auto* list = qobject_cast<QListWidget*>(control);
        QWidget* at = list ? list->viewport() : control;
        const QPoint point = list ? list->visualItemRect(list->currentItem()).center() : QPoint(8, control->height() / 2);
        for (int i = 0; i < clicks; ++i) QTest::qWait(QApplication::doubleClickInterval() + 50), ClickAt(at, point);
        QTest::qWait(200);
        EXPECT_TRUE(KeyReaches(w->docView())) << outlet << " kept the keyboard";
    };

    // The wall's west segment: its height, stored in the segment's start point, in one step.
    Poinz* west = PointAt(design.wall, 3);
    clickPlan(0, 150);
    ASSERT_TRUE(showsPane("wallHeightText")) << "no wall pane";
    keysStayWithThePlan("wallStyleTableView", 1);
    keysStayWithThePlan("autoFlooringButton", 2);
    const int steps = stack->count();
    ASSERT_TRUE(TypeIntoPaneField(w, "wallHeightText", "9'"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return objfield::wall_segment::kFirstHeight(*west) == 108; }));
    EXPECT_EQ(stack->count(), steps + 1);
    EXPECT_EQ(stack->undoText(), QStringLiteral("Wall Base Height"));

    // The window, clicked between its ends once nothing is selected. The selection tool takes
    // its wall whole, with the wall's pane.
    ASSERT_TRUE(clearSelection());
    clickPlan(25, 0);
    EXPECT_TRUE(QTest::qWaitFor(wallChosenWhole)) << "the selection tool did not take the window's wall";
    EXPECT_TRUE(showsPane("wallHeightText")) << "the click on the window did not show its wall's pane";
    w->docView()->repaint();
    QGuiApplication::primaryScreen()->grabWindow(0).save(QString(gShot).replace(".png", "-window-wall.png"));
    // The window tool takes the window alone: its own pane, and its width in plan units.
    ASSERT_TRUE(clearSelection());
    ASSERT_TRUE(ChooseToolCell(7057, gCurToolSet));
    clickPlan(25, 0);
    // (The tool's own pane is the window pane too: the selection tells the click was seen,
    // and the selection tool, current again, shows no pane of its own.)
    EXPECT_TRUE(QTest::qWaitFor([&] { return chosenAlone(objtype::kWindow); })) << "the window tool did not take the window alone";
    EXPECT_EQ(gCurTool, toolid::kSelect);
    ASSERT_TRUE(showsPane("windowWidthText")) << "the window tool's click showed another pane";
    ASSERT_TRUE(TypeIntoPaneField(w, "windowWidthText", "2'"));
    const float wide = ConvertWorldToScreen(24, w->document()->model()->itsDocState, 0);
    const auto windowWidth = [&] {
        Objex* c = openingIn(objtype::kWindow);
        return c && AttachmentRecordOf(c) ? AttachmentRecordOf(c)->width : -1.0f;
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return windowWidth() == wide; })) << windowWidth();
    EXPECT_EQ(stack->undoText(), QStringLiteral("Window Width"));

    // A plant beside the house: its pane, the window chosen before it no longer selected.
    ClickObject(w, design.plant);
    EXPECT_TRUE(showsPane("plantAgeText")) << "no plant pane";
    EXPECT_TRUE(IsRootObjectSelected(design.plant));
    EXPECT_FALSE(IsAnyObjectSelected(design.wall)) << "the window stayed selected";

    // The door on the east segment, clicked once nothing is selected: the selection tool takes
    // its wall; the door tool the door, whose pane takes a width in one step.
    ASSERT_TRUE(clearSelection());
    clickPlan(400, 25);
    EXPECT_TRUE(QTest::qWaitFor(wallChosenWhole)) << "the selection tool did not take the door's wall";
    EXPECT_TRUE(showsPane("wallHeightText")) << "the click on the door did not show its wall's pane";
    ASSERT_TRUE(clearSelection());
    ASSERT_TRUE(ChooseToolCell(7056, gCurToolSet));
    clickPlan(400, 25);
    EXPECT_TRUE(QTest::qWaitFor([&] { return chosenAlone(objtype::kDoor); })) << "the door tool did not take the door alone";
    EXPECT_EQ(gCurTool, toolid::kSelect);
    ASSERT_TRUE(showsPane("doorSwingText")) << "the door tool's click showed another pane";
    const int doorSteps = stack->count();
    ASSERT_TRUE(TypeIntoPaneField(w, "doorWidthText", "3'"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return stack->count() == doorSteps + 1; })) << stack->count();
    EXPECT_EQ(stack->undoText(), QStringLiteral("Door Width"));

    // The wheel over a pane's pop-up turns it no more than it turns the object: the column
    // scrolls instead, and no step is stored.
    {
        Objex* object = design.detail;
        const char* outlet = "lineStylePopUpButton";
        ASSERT_TRUE(clearSelection());
        w->docView()->scrollPoint({object->firstPoint->position[0] - 60, object->firstPoint->position[2] - 60});
        w->docView()->update();
        ClickObject(w, object);
        auto* popUp = qobject_cast<QComboBox*>(paneWith(outlet));
        ASSERT_TRUE(popUp) << "no pane";
        w->inspectorScrollView()->ensureWidgetVisible(popUp);
        const int shown = popUp->currentIndex(), wheelSteps = stack->count();
        const QPoint over = popUp->mapToGlobal(popUp->rect().center());
        XDo({"mousemove", "--sync", QString::number(over.x()), QString::number(over.y())});
        for (const char* notch : {"5", "5", "4", "5"}) XDo({"click", notch}), QTest::qWait(100);
        QTest::qWait(200);
        EXPECT_EQ(std::pair(popUp->currentIndex(), stack->count()), std::pair(shown, wheelSteps));
    }
    w->docView()->scrollPoint({-60, -60});

    // Each further object, clicked with nothing selected, brings its own pane.
    const struct {
        const char* what;
        float h, d;
        const char* field;
    } kPanes[] = {
        {"flood light", 120, 50, "dimmerSlider"},
    };
    for (const auto& row : kPanes) {
        clickPlan(-40, 150);
        ASSERT_TRUE(QTest::qWaitFor([&] { uint32_t id = 0; return !FindFirstSelectedObjectID(&id); })) << row.what;
        clickPlan(row.h, row.d);
        EXPECT_TRUE(QTest::qWaitFor([&] { return Shown(w) && Shown(w)->findChild<QWidget*>(QLatin1String(row.field)); }))
            << row.what;
    }

    // The deck steps on the second floor, clicked between their ends: the selection tool takes
    // the deck whole, with the deck's pane.
    DocState* ds = w->document()->model()->itsDocState;
    w->document()->model()->itsCurLayer = design.second;
    Set2DViewLayerVisibility(design.second);
    design.deck->planBits = design.steps->planBits = ds->visiblePlans;
    StoreBoundsDeep(design.deck);
    w->docView()->update();
    ASSERT_TRUE(clearSelection());
    clickPlan(100, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return IsEntireObjectSelected(design.deck); })) << "the steps did not take their deck";
    EXPECT_TRUE(showsPane("deckHeightText")) << "the click on the steps did not show the deck's pane";

    // The skylight in the roof on the third floor, clicked inside its frame: its own pane.
    w->document()->model()->itsCurLayer = design.third;
    Set2DViewLayerVisibility(design.third);
    design.roof->planBits = design.skylight->planBits = w->document()->model()->itsDocState->visiblePlans;
    w->docView()->update();
    clickPlan(120, 130);
    EXPECT_TRUE(showsPane("skylightWidthText")) << "no skylight pane";

    // The exterior wall tool chosen from the plan's palette with nothing selected: the wall
    // tool's pane.
    ASSERT_TRUE(clearSelection());
    EXPECT_TRUE(ChooseToolCell(7050, gCurToolSet)) << gCurTool;
    EXPECT_TRUE(showsPane("wallHeightText")) << "no wall tool pane";
    QGuiApplication::primaryScreen()->grabWindow(0).save(QString(gShot).replace(".png", "-panes.png"));
    AppController::destroyShared(), ResetAllGlobals();
}

// A value typed into a pane and entered with Return: Ctrl+Z, the field still holding the
// keyboard, takes the step back (the field shows the value as it was, the Edit menu offers its
// Redo), and Ctrl+Shift+Z brings it again. The wall's, the plant's and the deck's panes.
TEST(InspectorWindow, CtrlZAndCtrlShiftZInAPaneFieldTakeItsEntryBackAndGiveItAgain) {
    WindowTestServices services("inspectorundo");
    QMDWindowController* w = ShownWindowAtZoomOne();
    ASSERT_TRUE(w);
    QMDDocumentModel* doc = w->document()->model();
    InspectorDesign design = BuildInspectorDesign(doc);
    Update3DWall(design.wall);
    design.plant->planBits = design.deck->planBits = design.steps->planBits = doc->itsDocState->visiblePlans;
    GivePlantItsCrown(design.plant);
    StoreBoundsDeep(design.deck);
    w->docView()->scrollPoint({-60, -60});
    QUndoStack* stack = w->document()->undoStack();
    const CommandRouter* router = w->commandRouter();
    const struct {
        const char* floor;
        float h, d;
        const char *field, *typed, *step;
    } kRows[] = {
        {"First Floor", 0, 150, "wallHeightText", "9'", "Wall Base Height"},
        {"First Floor", 500, 50, "plantAgeText", "5", "Age Planted"},
        {"Second Floor", 100, 0, "deckHeightText", "3'", "Deck Height"},
    };
    for (const auto& r : kRows) {
        SCOPED_TRACE(r.field);
        ASSERT_TRUE(ChoosePopUpItem(w->activeFloorTBPopUpButton(), r.floor));
        ASSERT_TRUE(QTest::qWaitFor([&] { return std::string(doc->itsCurLayer->name) == r.floor; }));
        const auto clickPlan = [&](float h, float d) { ClickPlanAt(w, h, d); };
        clickPlan(-40, 150);  // nothing selected
        ASSERT_TRUE(QTest::qWaitFor([&] { return Shown(w) == w->noPropertiesView(); }));
        clickPlan(r.h, r.d);
        QLineEdit* field = nullptr;
        ASSERT_TRUE(QTest::qWaitFor([&] {
            return Shown(w) && (field = Shown(w)->findChild<QLineEdit*>(QLatin1String(r.field))) && field->isVisible();
        })) << "no pane";
        // The design as built, the object chosen, is what the step starts from.
        StoreUndo(" ");
        const QString before = field->text();
        const int steps = stack->count();
        ASSERT_TRUE(TypeIntoPaneField(w, r.field, r.typed));
        ASSERT_TRUE(QTest::qWaitFor([&] { return stack->count() == steps + 1; })) << "no step stored";
        EXPECT_EQ(stack->undoText(), QString::fromLatin1(r.step));
        QTest::qWait(200);
        const QString entered = field->text();
        ASSERT_TRUE(field->hasFocus());
        XDo({"key", "ctrl+z"});
        EXPECT_TRUE(QTest::qWaitFor([&] { return router->action("redo")->text() == QString("Redo ") + r.step; }))
            << router->action("redo")->text().toStdString();
        EXPECT_TRUE(QTest::qWaitFor([&] { return field->text() == before; }))
            << field->text().toStdString() << ", was " << before.toStdString();
        ASSERT_TRUE(field->hasFocus());
        XDo({"key", "ctrl+shift+z"});
        EXPECT_TRUE(QTest::qWaitFor([&] { return router->action("undo")->text() == QString("Undo ") + r.step; }))
            << router->action("undo")->text().toStdString();
        EXPECT_TRUE(QTest::qWaitFor([&] { return field->text() == entered; }))
            << field->text().toStdString() << ", entered " << entered.toStdString();
        EXPECT_EQ(stack->index(), steps + 1);
    }
    AppController::destroyShared(), ResetAllGlobals();
}

// A fixture light, an accessory, an imported object, the plant and the skylight, each clicked
// as placed; a real slider drag, a box or a typed value there is one named undo step.
TEST(InspectorWindow, LightsAccessoriesImportedObjectsPlantsAndSkylightsEditInOneStep) {
    WindowTestServices services("inspectorlights");
    QMDWindowController* w = ShownWindowAtZoomOne();
    ASSERT_TRUE(w);
    QMDDocumentModel* doc = w->document()->model();
    InspectorDesign design = BuildInspectorDesign(doc);
    const uint32_t shown = doc->itsDocState->visiblePlans;
    // A fixture light as placed: a group holding its light code, its two parts carrying the values.
    Objex* lamp = Make(150).plan({{450, 150}, {470, 150}}).on(design.first);
    Objex* shade = Make(150).plan({{450, 160}, {470, 160}}).on(design.first);
    Objex* light = Group(design.first, {lamp, shade});
    objfield::light::kSymbolType(*light) = 150;
    objfield::light::kDimmer(*light) = 0;  // full brightness: the slider's end
    // An accessory on the south segment, and an imported object beside the house.
    Objex* accessory = Attach(design.wall, objtype::kAccessory, PointAt(design.wall, 2), PointAt(design.wall, 3), 200, 200);
    accessory->layer = design.first;
    Make(accessory).plan({{200, 300}, {180, 300}});
    accessory->typeData.attachment->width = 20, accessory->typeData.attachment->height = 20;
    Update3DWall(design.wall);  // lays the accessory out on its segment
    accessory->bounds3D = {};   // as its model gives it
    accessory->bounds3D.floatLeft = 190, accessory->bounds3D.floatRight = 210;
    accessory->bounds3D.floatBack = 295, accessory->bounds3D.floatFront = 305, accessory->bounds3D.floatBottom = 20;
    Objex* solid = Make(objtype::kFentrix).plan({{450, 220}, {480, 220}, {480, 250}, {450, 250}}).on(design.first);
    for (Objex* o : {light, lamp, shade, accessory, solid, design.plant}) o->planBits = shown;
    Make(light).bounds(), Make(solid).bounds();
    GivePlantItsCrown(design.plant);
    w->docView()->scrollPoint({-60, -60});
    w->docView()->update();
    QUndoStack* stack = w->document()->undoStack();
    const auto clickPlan = [&](float h, float d) { ClickPlanAt(w, h, d); };
    const auto deselect = [&] {
        clickPlan(-40, 150);
        return QTest::qWaitFor([&] { uint32_t id = 0; return !FindFirstSelectedObjectID(&id); });
    };
    const auto paneWith = [&](const char* name) -> QWidget* {
        QWidget* found = nullptr;
        (void)QTest::qWaitFor([&] { return Shown(w) && (found = Shown(w)->findChild<QWidget*>(QLatin1String(name))); });
        return found;
    };

    // The light: its dimmer dragged to the slider's start writes the group once, on release.
    clickPlan(460, 150);
    auto* dimmer = qobject_cast<QSlider*>(paneWith("dimmerSlider"));
    ASSERT_TRUE(dimmer) << "no light pane";
    EXPECT_TRUE(paneWith("lightOnButton"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return dimmer->value() == 100; })) << dimmer->value();
    const int steps = stack->count();
    const QPoint from = dimmer->mapToGlobal(QPoint(dimmer->width() - 4, dimmer->height() / 2));
    const QPoint to = dimmer->mapToGlobal(QPoint(-40, dimmer->height() / 2));
    XDo({"mousemove", "--sync", QString::number(from.x()), QString::number(from.y())});
    XDo({"mousedown", "1"});
    for (int x = from.x() - 20; x >= to.x(); x -= 20) XDo({"mousemove", "--sync", QString::number(x), QString::number(from.y())});
    EXPECT_TRUE(QTest::qWaitFor([&] { return dimmer->value() == 0; })) << dimmer->value();
    EXPECT_EQ(objfield::light::kDimmer(*light), 0) << "written before the release";
    XDo({"mouseup", "1"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return objfield::light::kDimmer(*light) == 255; })) << objfield::light::kDimmer(*light);
    EXPECT_EQ(objfield::light::kDimmer(*lamp), 255);
    EXPECT_EQ(stack->count(), steps + 1);
    EXPECT_EQ(stack->undoText(), QStringLiteral("Light Dimmer"));

    // The accessory, its width typed in feet and stored in plan units.
    ASSERT_TRUE(deselect());
    clickPlan(200, 300);
    ASSERT_TRUE(paneWith("accessoryWidthText")) << "no accessory pane";
    ASSERT_TRUE(TypeIntoPaneField(w, "accessoryWidthText", "3'"));
    const float wide = ConvertWorldToScreen(36, doc->itsDocState, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return accessory->typeData.attachment->width == wide; }));
    EXPECT_EQ(stack->undoText(), QStringLiteral("Accessory Width"));

    // The imported object: shadows off.
    ASSERT_TRUE(deselect());
    clickPlan(465, 235);
    auto* shadows = qobject_cast<QAbstractButton*>(paneWith("castShadowsButton"));
    ASSERT_TRUE(shadows) << "no imported object pane";
    ClickAt(shadows, QPoint(8, shadows->height() / 2));
    EXPECT_TRUE(QTest::qWaitFor([&] { return objfield::fentrix::kShadowOff(*solid) == 1; }));
    EXPECT_EQ(stack->undoText(), QStringLiteral("Fentrix Shadow"));

    // The plant: its age.
    ASSERT_TRUE(deselect());
    ClickObject(w, design.plant);
    ASSERT_TRUE(paneWith("plantAgeText")) << "no plant pane";
    ASSERT_TRUE(TypeIntoPaneField(w, "plantAgeText", "7"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return objfield::plant::kPlantingAge(*design.plant) == 7; }));
    EXPECT_EQ(stack->undoText(), QStringLiteral("Age Planted"));

    // The skylight on the third floor: a new width changes it and rebuilds its roof.
    ASSERT_TRUE(deselect());
    doc->itsCurLayer = design.third;
    Set2DViewLayerVisibility(design.third);
    design.roof->planBits = design.skylight->planBits = shown;
    w->docView()->update();
    clickPlan(120, 130);
    ASSERT_TRUE(paneWith("skylightWidthText")) << "no skylight pane";
    const float skyWide = ConvertWorldToScreen(30, doc->itsDocState, 0);
    const auto outline = [&] {
        std::vector<float> at;
        for (const Poinz* p = design.skylight->firstPoint; p; p = p->next) at.insert(at.end(), p->position, p->position + 3);
        return at;
    };
    const std::vector<float> before = outline();
    ASSERT_TRUE(TypeIntoPaneField(w, "skylightWidthText", "30"));
    const RoofAttachmentRecord* sky = design.skylight->typeData.roofAttachment;
    EXPECT_TRUE(QTest::qWaitFor([&] { return sky->width == skyWide; })) << sky->width;
    EXPECT_NE(outline(), before) << "the opening in the roof kept its old size";
    EXPECT_EQ(stack->undoText(), QStringLiteral("Skylight Width"));

    // The light tool chosen from the electrical plan's palette: the tool's pane, with its styles.
    doc->itsCurLayer = design.first;
    Set2DViewLayerVisibility(design.first);
    ASSERT_TRUE(deselect());
    QTabBar* tabs = w->docTabView();
    ClickAt(tabs, tabs->tabRect(2).center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return gCurToolSet == 2; })) << gCurToolSet;
    EXPECT_TRUE(ChooseToolCell(7109, 2)) << gCurTool;
    QWidget* styles = paneWith("lightStyleTableView");
    ASSERT_TRUE(styles) << "no light tool pane";
    EXPECT_TRUE(QTest::qWaitFor([&] { return styles->isVisible(); }));
    w->repaint();
    QGuiApplication::primaryScreen()->grabWindow(0).save(QString(gShot).replace(".png", "-lights.png"));
    AppController::destroyShared(), ResetAllGlobals();
}

// A metric design's skylight, clicked on the plan: its width typed as the field shows it is
// no step; the custom style clicked with no custom window in the library is refused, the
// skylight staying on the plan with its style, its row and the tool's style.
TEST(InspectorWindow, ACustomSkylightWithNoCustomWindowKeepsTheSkylight) {
    WindowTestServices services("inspectorskylight");
    QMDWindowController* w = ShownWindowAtZoomOne();
    ASSERT_TRUE(w);
    QMDDocumentModel* doc = w->document()->model();
    DocState* ds = doc->itsDocState;
    InspectorDesign design = BuildInspectorDesign(doc);
    ds->units = kMetricUnits, ds->metricReadout = 1;  // metres
    RoofAttachmentRecord* sky = design.skylight->typeData.roofAttachment;
    sky->style = 800, sky->width = ConvertWorldToScreen(35.4331f, ds, 0);
    ds->skylightStyle = 800;
    ClickSkylightOnTheThirdFloor(w, design);
    QWidget* pane = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] { return Shown(w) && (pane = Shown(w)->findChild<QWidget*>("skylightWidthText")); }))
        << "no skylight pane";
    QUndoStack* stack = w->document()->undoStack();
    const int steps = stack->count();

    ASSERT_TRUE(TypeIntoPaneField(w, "skylightWidthText", "0.9"));
    auto* width = Shown(w)->findChild<QLineEdit*>("skylightWidthText");
    EXPECT_TRUE(QTest::qWaitFor([&] { return width->text() == QStringLiteral("0.9 m"); })) << width->text().toStdString();
    EXPECT_EQ(sky->width, ConvertWorldToScreen(35.4331f, ds, 0));
    EXPECT_EQ(stack->count(), steps);

    const auto outline = [&] {
        std::vector<float> at;
        for (const Poinz* p = design.skylight->firstPoint; p; p = p->next) at.insert(at.end(), p->position, p->position + 3);
        return at;
    };
    const std::vector<float> before = outline();
    ASSERT_FALSE(before.empty());
    QApplication::processEvents();
    const PlatformPoint origin = w->docView()->boundsOrigin();
    const QRect around(QPointF(95 - origin.x, 95 - origin.y).toPoint(), QSize(50, 70));
    const QImage planBefore = OnScreen(w->docView()).copy(around);
    auto* styles = Shown(w)->findChild<QListWidget*>("skylightStyleTableView");
    ASSERT_TRUE(styles);
    w->inspectorScrollView()->ensureWidgetVisible(styles);
    const QRect custom = styles->visualItemRect(styles->item(3));
    ClickAt(styles->viewport(), custom.center());
    EXPECT_TRUE(QTest::qWaitFor([&] { return services.alerts.shown.size() >= 1; })) << "no word of the missing window";
    QTest::qWait(200);
    EXPECT_EQ(sky->style, 800);
    EXPECT_EQ(outline(), before) << "the skylight lost its outline";
    EXPECT_EQ(stack->count(), steps) << stack->undoText().toStdString();
    EXPECT_EQ(ds->skylightStyle, 800);
    EXPECT_TRUE(QTest::qWaitFor([&] { return styles->currentRow() == 0 && styles->item(0)->isSelected(); }));
    EXPECT_FALSE(styles->item(3)->isSelected());
    w->docView()->repaint();
    QApplication::processEvents();
    EXPECT_EQ(OnScreen(w->docView()).copy(around), planBefore) << "the skylight left the plan";
    QGuiApplication::primaryScreen()->grabWindow(0).save(QString(gShot).replace(".png", "-skylight.png"));
    AppController::destroyShared(), ResetAllGlobals();
}


// The same custom row clicked with the program's own alert sheets: first the word that no
// custom window is chosen, alone on the window; only once its OK is clicked the word that the
// file cannot be read; then none.
TEST(InspectorWindow, TheMissingCustomWindowsTwoAlertsComeOneAfterTheOther) {
    WindowTestServices services("inspectorskylightsheets");
    struct RealSheets : port::qt::QtAlerts {
        RealSheets() { port::setAlerts(this); }
        ~RealSheets() override {
            if (&port::alerts() == this) port::setAlerts(nullptr);
        }
    } sheets;
    QMDWindowController* w = ShownWindowAtZoomOne();
    ASSERT_TRUE(w);
    QMDDocumentModel* doc = w->document()->model();
    InspectorDesign design = BuildInspectorDesign(doc);
    ClickSkylightOnTheThirdFloor(w, design);
    QListWidget* styles = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] { return Shown(w) && (styles = Shown(w)->findChild<QListWidget*>("skylightStyleTableView")); }))
        << "no skylight pane";
    w->inspectorScrollView()->ensureWidgetVisible(styles);
    const auto up = [w] {
        std::vector<QMessageBox*> boxes;
        for (QMessageBox* b : w->findChildren<QMessageBox*>())
            if (b->isVisible()) boxes.push_back(b);
        return boxes;
    };
    ClickAt(styles->viewport(), styles->visualItemRect(styles->item(3)).center());
    bool first = true;
    for (const char* message : {"Please select a custom window from the preview list before using this option.",
                                "Please make sure the file exists and you have adequate permissions to access it."}) {
        SCOPED_TRACE(message);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !up().empty(); })) << "no sheet";
        const std::vector<QMessageBox*> boxes = up();
        ASSERT_EQ(boxes.size(), 1u) << "on top: " << boxes.back()->informativeText().toStdString();
        EXPECT_EQ(std::pair(boxes[0]->text(), boxes[0]->informativeText()),
                  std::pair(QString("Unable to locate the custom window definition file."), QString(message)));
        QPointer<QMessageBox> sheet = boxes[0];
        if (first) QGuiApplication::primaryScreen()->grabWindow(0).save(QString(gShot).replace(".png", "-skylight-sheets.png"));
        first = false;
        QAbstractButton* ok = sheet->buttons().value(0);
        ASSERT_TRUE(ok && ok->text() == "OK");
        XDo({"mousemove", "0", "0"});  // a --sync move onto the pointer would wait for ever
        ClickAt(ok, ok->rect().center());
        ASSERT_TRUE(QTest::qWaitFor([&] { return !sheet || !sheet->isVisible(); })) << "OK did not close it";
    }
    QApplication::processEvents();
    EXPECT_TRUE(up().empty());
    AppController::destroyShared(), ResetAllGlobals();
}

// A custom skylight from the user's own library: the skylight tool's custom row, Dome chosen
// in the palette and a click on the roof draw Dome's outline at the tool's size (36 x 56
// inches, 72 x 112 at zoom 1) around the click, and nothing at the plan's origin.
TEST(InspectorWindow, ACustomSkylightIsDrawnAroundItsClick) {
    WindowTestServices services("inspectorcustomskylight");
    const std::string dome = LocalDomainCustomWindowPath() + "/Skylights/Dome";
    WriteTextFile(LocalDomainUserSharedPath() + "/WindowCat.ini", Ini().categories("Window", {"Skylights"}).text());
    WriteTextFile(dome + ".PTI", Ini().section("Description").key("AttachmentName", "Dome").text());
    WritePreviewImage(dome + ".PPV", Qt::blue, Qt::blue);
    QMDDocumentModel* definition = QMDDocumentModel::alloc()->init();
    Make(objtype::kOpeningMask).on(definition->itsCurLayer).closed().at({{0, 0, 0}, {30, 0, 0}, {30, 45, 0}, {0, 45, 0}});
    ASSERT_EQ(KeyFileWrite((dome + ".PTF").c_str()), 1);
    definition->dealloc();
    QMDWindowController* w = ShownWindowAtZoomOne();
    ASSERT_TRUE(w);
    QMDDocumentModel* doc = w->document()->model();
    InspectorDesign design = BuildInspectorDesign(doc);
    doc->itsCurLayer = design.third;
    Set2DViewLayerVisibility(design.third);
    QTabBar* tabs = w->docTabView();
    ClickAt(tabs, tabs->tabRect(4).center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return gCurToolSet == 4; })) << gCurToolSet;
    design.roof->planBits = design.skylight->planBits = doc->itsDocState->visiblePlans;
    w->docView()->scrollPoint({-60, -60});
    ASSERT_TRUE(ChooseToolCell(7310, 4)) << gCurTool;
    QListWidget* styles = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] { return Shown(w) && (styles = Shown(w)->findChild<QListWidget*>("skylightStyleTableView")); }));
    w->inspectorScrollView()->ensureWidgetVisible(styles);
    ClickAt(styles->viewport(), styles->visualItemRect(styles->item(3)).center());
    ContentPaletteController* p = w->contentPaletteController();
    ASSERT_TRUE(QTest::qWaitFor([p] { return p->contentView()->previewCount() == 1; })) << "Dome is not shown";
    const content::GridCell cell = content::CellOfIndex(0, p->contentView()->width(), p->contentView()->previewAt(0).width(),
                                                         p->contentView()->previewAt(0).height());
    ClickAt(p->contentView(), QPoint(int(cell.x + cell.width / 2), int(cell.y + cell.height / 2)));
    ASSERT_TRUE(QTest::qWaitFor([p] { return p->selectedSymEntry() != nullptr; })) << "Dome was not chosen";
    ASSERT_EQ(doc->itsDocState->skylightStyle, 806);

    QWidget* plan = w->docScrollView()->viewport();
    const auto inPlan = [&](float h, float d) {
        const PlatformPoint origin = w->docView()->boundsOrigin();
        return plan->mapFromGlobal(w->docView()->mapToGlobal(QPointF(h - origin.x, d - origin.y).toPoint()));
    };
    w->docView()->repaint();
    const QImage before = OnScreen(plan);
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    ClickAt(plan, inPlan(300, 100));
    ASSERT_TRUE(QTest::qWaitFor([&] { return w->document()->undoStack()->undoText() == QStringLiteral("Skylight"); }));
    w->docView()->repaint();
    const QImage after = OnScreen(plan);
    QRect drawn;
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x)
            if (after.pixel(x, y) != before.pixel(x, y)) drawn |= QRect(x, y, 1, 1);
    const QRect outline(inPlan(264, 44), inPlan(336, 156));
    EXPECT_LE((drawn.topLeft() - outline.topLeft()).manhattanLength(), 3) << drawn.x() << "," << drawn.y();
    EXPECT_LE((drawn.bottomRight() - outline.bottomRight()).manhattanLength(), 3) << drawn.width() << "x" << drawn.height();
    QGuiApplication::primaryScreen()->grabWindow(0).save(QString(gShot).replace(".png", "-custom-skylight.png"));
    AppController::destroyShared(), ResetAllGlobals();
}

}  // namespace

int main(int argc, char** argv) { return RunWindowTests(argc, argv, &gShot, "test_window_inspector <screenshot.png>"); }

// The context menus: what each offers on a design, and the window's menus popping up with
// their choices sent on. The plan view's keys, auto-scroll and hand tool.
#include "app/context_menu_factory.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QUndoStack>
#include <gtest/gtest.h>

#include "app/app_controller.h"
#include "app/core/event_handler.h"
#include "app/core/preference_keys.h"
#include "app/core/status_bar_seams.h"
#include "app/document_view.h"
#include "app/widgets.h"
#include "app/window_controller.h"
#include "model/command_globals.h"
#include "model/command_ids.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "port/qt/platform.h"
#include "support/build.h"
#include "support/doubles.h"
#include "tracking/tracking_state.h"

namespace dvxtest {
namespace {

// A menu as "title:tag" rows ("-" a separator, the tag only where there is one); "none" for
// no menu. The menu is deleted.
std::string Rows(QMenu* menu, bool names = false) {
    if (!menu) return "none";
    QStringList rows;
    for (QAction* a : menu->actions()) {
        QString row = a->isSeparator() ? QStringLiteral("-") : a->text();
        if (names && !a->isSeparator()) row += "=" + a->objectName();
        if (a->data().toInt()) row += ":" + a->data().toString();
        rows << row;
    }
    delete menu;
    return rows.join('|').toStdString();
}

class Menus : public SelectionTest {};

TEST_F(Menus, TheFixedMenusListTheirItemsWithTagsAndActions) {
    EXPECT_EQ(Rows(ContextMenuFactory::baseContextMenu(), true),
              "Show Automatic Dimensions=toggleDimensions:5290|Show Window & Door Callouts=toggleCallouts:5289|-|"
              "View All Floors=setFloorView:5278|View Working Floor Only=setFloorView:5279|-|"
              "Grid Properties...=setGridProperties|Show Grid=toggleGrid:5044|Snap to Grid=snapToGrid:5045|-|"
              "Paste=paste");
    EXPECT_EQ(Rows(ContextMenuFactory::toolbarFloorMenu(), true),
              "First Floor=setFloorView:5275|Second Floor=setFloorView:5276|Third Floor=setFloorView:5277");
    const std::string plans = "Foundation Plan:11000|Floor Plan:11001|Electrical Plan:11002|Plumbing Plan:11003|"
                          "Roofing Plan:11004|HVAC Plan:11005|Deck Plan:11006|Landscape Plan:11007|Detail Plan:11008";
    const std::string styles = "Wireframe:10000|Textured Wireframe:10001|ClearView:10002|Solid Render:10003";
    const std::string views = "View from Lot's Top Edge:5154|View from Lot's Bottom Edge:5153|"
                          "View from Lot's Left Edge:5151|View from Lot's Right Edge:5152";
    EXPECT_EQ(Rows(ContextMenuFactory::toolbarVisiblePlanMenu()), plans);
    EXPECT_EQ(Rows(ContextMenuFactory::toolbarLiveViewRenderStyleMenu()), styles);
    EXPECT_EQ(Rows(ContextMenuFactory::toolbarLiveViewViewpointMenu()), views);
    // The pull-downs: an untitled face that is never offered, then the same items.
    for (auto [menu, rows] : {std::pair(ContextMenuFactory::visiblePlanMenu(), plans),
                              {ContextMenuFactory::liveViewRenderStyleMenu(), styles},
                              {ContextMenuFactory::liveViewViewpointMenu(), views}}) {
        EXPECT_FALSE(menu->actions().first()->isVisible());
        EXPECT_EQ(Rows(menu), "|" + rows);
    }
    QMenu* content = ContextMenuFactory::contentActionMenuUsingTarget(1);
    EXPECT_FALSE(content->actions().first()->icon().isNull());
    EXPECT_EQ(Rows(content, true), "=|Change Color...=changeSymItemColor:12000");
    EXPECT_EQ(Rows(ContextMenuFactory::contentActionMenuUsingTarget(3)), "");

    // The slider's menu follows the selection; there is none without a design.
    DocState* ds = doc->itsDocState;
    ds->ss40.ssStateFresh = 1;
    EXPECT_EQ(Rows(ContextMenuFactory::elevationSliderContextMenu(), true),
              "Set Working Elevation...=setWorkingElevation");
    ds->ss40.ssStateFresh = 0;
    EXPECT_EQ(Rows(ContextMenuFactory::elevationSliderContextMenu(), true),
              "Set Elevation...=setObjectElevation|Float Above Topography=floatObjectAboveTopo");
    gCurDocument = nullptr;
    EXPECT_EQ(Rows(ContextMenuFactory::elevationSliderContextMenu()), "none");
    gCurDocument = doc;
}

TEST_F(Menus, AnObjectsMenuFollowsItsTypeAndGroupAndNamesTheClickedObject) {
    const std::string area = "Set Elevation...|Float Above Topography|-|Calculate Area";
    const std::string detail = "Bring to Front:5105|Send to Back:5106|-|Calculate Area";
    struct Row {
        int16_t type;
        int32_t subtype, groupKind;  // groupKind -1: not grouped
        std::string menu;
    };
    const Row rows[] = {
        {objtype::kWall, objsubtype::kExteriorWall, -1, "Convert Wall to Interior:13000"},
        {objtype::kWall, 0, -1, "Convert Wall to Exterior:13001"},
        {objtype::kFloor, 0, -1, "Set Elevation...|-|Calculate Area"},
        {objtype::kFloor, 0, 0, "Set Elevation...|-|Calculate Area"},
        {objtype::kFloor, 0, groupkind::kSymbolEditor, "none"},
        {objtype::kFloor, 0, groupkind::kSectionDetail, "none"},
        {objtype::kDeck, 0, -1, "Calculate Area"},
        {objtype::kGroundFill, 0, -1, area},
        {objtype::kFence, 0, -1, "Set Elevation...|Float Above Topography"},
        {objtype::kPlant, 0, -1, "Locate Plant|Plant Details...|-|Set Elevation...|Float Above Topography"},
        {objtype::kDetail, 0, -1, "none"},
        {objtype::kDetail, 1, -1, detail},
        {objtype::kDetail, 7, -1, detail},
        {objtype::kDetail, 8, -1, "none"},
        {objtype::kDetail, 3, groupkind::kSectionDetail, "none"},
        {objtype::kStaircase, 0, -1, "Reverse Staircase Direction:13003"},
        {objtype::kEnhancedText, 0, -1, "Edit Text..."},
        {objtype::kText, 0, groupkind::kSymbolEditor, "none"},
        {11, 0, -1, "none"},
        {202, 0, -1, "none"},
    };
    for (const Row& r : rows) {
        Objex* o = Shape(floor, r.type, {{0, 0}, {10, 0}}, false, r.subtype);
        Objex* root = r.groupKind < 0 ? o : Group(floor, {o}, r.groupKind);
        ClickInfo click = ClickAt(0, 0);
        click.ciObject = o;
        EXPECT_EQ(Rows(ContextMenuFactory::objectContextMenuWithClickInfo(&click)), r.menu)
            << r.type << "/" << r.subtype << "/" << r.groupKind;
        EXPECT_TRUE(Same({gContextFoundObj, gContextParentObj}, {o, root})) << r.type;
    }
    // A click on nothing changes nothing.
    ClickInfo nothing = ClickAt(0, 0);
    for (const ClickInfo* click : {static_cast<const ClickInfo*>(nullptr), static_cast<const ClickInfo*>(&nothing)})
        EXPECT_EQ(ContextMenuFactory::objectContextMenuWithClickInfo(click), nullptr);
    EXPECT_NE(gContextFoundObj, nullptr);
}

// A document window on a new design, and a plan view in a scroll view of 400 x 300.
class Shell : public ::testing::Test {
protected:
    void SetUp() override {
        AppController::destroyShared();
        ResetAllGlobals();
        folders = std::make_unique<TempFolders>(FreshTempFolder("shell"));
        port::setFolders(folders.get());
        port::setAlerts(&alerts);
        port::setDocumentUndo(&undo);
        AppController::setSplashEnabled(false);
        RegisterPreferenceDefaults(false);
        QMDDocument* d = AppController::shared()->documentController()->openUntitledDocument();
        d->makeWindowControllers();
        w = static_cast<QMDWindowController*>(d->windowController);
        w->setContextMenuHandlers({[this](QAction* a) { validated << a->objectName(); },
                                   [this](QAction* a) { chosen << a->objectName() + ":" + a->data().toString(); }});
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    }
    void TearDown() override { AppController::destroyShared(), ResetAllGlobals(); }
    // The menu shown now: its rows, after choosing the row at `choose` (-1: closed unchosen).
    std::string Shown(int choose) {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return "no menu";
        QStringList rows;
        for (QAction* a : menu->actions())
            if (a->isVisible()) rows << a->text();
        if (choose >= 0) menu->actions()[choose]->trigger();
        menu->close();
        return rows.join('|').toStdString();
    }
    std::unique_ptr<TempFolders> folders;
    RecordingAlerts alerts;
    port::qt::QtDocumentUndo undo;
    QMDWindowController* w = nullptr;
    QStringList validated, chosen;
};

TEST_F(Shell, TheWindowsMenusPopUpValidatedAndSendTheirChoiceOn) {
    for (Qt::MouseButton button : {Qt::RightButton, Qt::LeftButton}) {  // with Control
        QTest::mouseClick(w->elevationSlider(), button, Qt::ControlModifier, QPoint(20, 5));
        EXPECT_EQ(Shown(button == Qt::RightButton ? 0 : -1), "Set Working Elevation...");
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "one menu a click";
    }

    // The floor item's menu form: the floors on a right click on its pop-up.
    QComboBox* floors = w->activeFloorTBPopUpButton();
    QContextMenuEvent right(QContextMenuEvent::Mouse, QPoint(5, 5), floors->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(floors, &right);
    EXPECT_EQ(Shown(2), "First Floor|Second Floor|Third Floor");

    // The visible plans drop from under their button, without the face.
    QPushButton button(w);
    button.setGeometry(100, 100, 40, 20);
    w->setVisiblePlanUsingTBMenu(&button);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->pos().y(), button.mapToGlobal(QPoint(0, 20)).y());
    const std::string plans = Shown(1);
    EXPECT_EQ(std::count(plans.begin(), plans.end(), '|'), 8) << plans;
    QApplication::processEvents();
    EXPECT_EQ(w->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly).size(), 0) << "menus left behind";
    EXPECT_EQ(chosen.join(' ').toStdString(), "setWorkingElevation:0 setFloorView:5277 setVisiblePlans:11000");
    EXPECT_EQ(validated.count("setVisiblePlans"), 9);
}

}  // namespace
}  // namespace dvxtest

namespace dvxtest {
namespace {

class Keys : public Shell {
protected:
    void SetUp() override {
        Shell::SetUp();
        view = w->docView();
        floor = gCurDocument->itsCurLayer;
        SetMainWindowStatusTextHandler([this](const std::string& text) { status = text; });
    }
    // The undo steps stored while `keys` are typed on the plan view, by name.
    std::string Typed(std::initializer_list<QKeyCombination> keys) {
        QUndoStack* undos = w->document()->undoStack();
        const int before = undos->count();
        for (QKeyCombination key : keys) QTest::keyClick(view, key.key(), key.keyboardModifiers());
        std::string names;
        for (int i = before; i < undos->count(); ++i) names += (names.empty() ? "" : ",") + undos->text(i).toStdString();
        return names;
    }
    Objex* Selected(Layer* on) { return Make(Shape(on, objtype::kDetail, {{0, 0}, {20, 0}})).select(); }
    QMDDocumentView* view = nullptr;
    Layer* floor = nullptr;
    std::string status;
};

TEST_F(Keys, DeleteTakesTheCurrentFloorsSelectionAndTabStepsTheSnapMode) {
    Layer* other = GetLayerFromName("Second Floor");
    other->visible = 1;
    Objex* elsewhere = Selected(other);
    EXPECT_EQ(Typed({Qt::Key_Delete}), "");  // nothing selected on the floor worked on
    EXPECT_EQ(other->firstObject, elsewhere);
    Make(elsewhere).select(0);
    Selected(floor), status = "Width: 1'";
    EXPECT_EQ(Typed({Qt::Key_Delete, Qt::CTRL | Qt::Key_Backspace}), "Delete");
    Selected(floor);
    EXPECT_EQ(Typed({Qt::Key_Backspace}), "Delete");
    EXPECT_EQ(std::tuple(floor->firstObject, status), std::tuple(nullptr, ""));

    std::vector<int16_t> modes;
    for (QKeyCombination key : {QKeyCombination(Qt::Key_Tab), Qt::SHIFT | Qt::Key_Backtab, Qt::SHIFT | Qt::Key_Tab}) {
        gCurSnap = snapmode::kNone;
        Typed({key});
        modes.push_back(gCurSnap);
    }
    EXPECT_EQ(modes, (std::vector<int16_t>{501, 508, 508}));
    EXPECT_TRUE(view->hasFocus());
}

TEST_F(Keys, ArrowsNudgeAndStoreAStepOnlyWhenSomethingShownIsSelected) {
    Layer* hidden = GetLayerFromName("Third Floor");
    hidden->visible = 0;
    Objex* unseen = Selected(hidden);
    EXPECT_EQ(Typed({Qt::Key_Up, Qt::Key_Right}), "");
    const int steps = w->document()->undoStack()->count();
    Win32EventHandler().nudgeObjectsUsingCommand(cmd::kNudgeUp);  // the menu's nudge too
    EXPECT_EQ(w->document()->undoStack()->count(), steps);
    EXPECT_EQ(PointAt(unseen, 0)->position[2], 0.0f);

    Objex* o = Selected(floor);
    const float h = PointAt(o, 0)->position[0], d = PointAt(o, 0)->position[2];
    EXPECT_EQ(Typed({Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right, Qt::SHIFT | Qt::Key_Up}),
              "Nudge Up,Nudge Down,Nudge Left,Nudge Right");
    EXPECT_EQ(std::tuple(PointAt(o, 0)->position[0], PointAt(o, 0)->position[2]), std::tuple(h, d));
    Typed({Qt::Key_Left});
    EXPECT_LT(PointAt(o, 0)->position[0], h);
    gTrackingMouse = 1;  // nothing moves under a gesture
    EXPECT_EQ(Typed({Qt::Key_Left, Qt::Key_Delete}), "");
    gTrackingMouse = 0;
}

TEST_F(Keys, TrackersScrollTenTowardAPointAndTheHandDragsThePlanByWholePixels) {
    QMDDocumentClipView* clip = w->docScrollView()->clipView();
    const QPoint start = clip->boundsOrigin();
    auto scrolledBy = [&] { return clip->boundsOrigin() - start; };
    const PlatformRect r = view->visibleRect();
    struct Row { int16_t tool; POINT at; QPoint by; };
    for (const Row& row : {Row{200, {int32_t(r.x) - 5, int32_t(r.y + r.height) + 5}, {-10, 10}},
                           {205, {int32_t(r.x) - 5, int32_t(r.y) - 5}, {0, 0}},
                           {200, {int32_t(r.x) + 5, int32_t(r.y) + 5}, {0, 0}}}) {
        clip->scrollToPoint(start);
        gCurTool = row.tool;
        view->autoScrollToPoint(row.at);
        EXPECT_EQ(scrolledBy(), row.by) << row.tool << " " << row.at.x;
    }

    clip->scrollToPoint(start);
    gCurTool = 204;
    auto move = [&](QPointF at) {
        QMouseEvent e(QEvent::MouseMove, at, view->mapToGlobal(at), Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(view, &e);
    };
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(200, 150));
    EXPECT_EQ(clip->cursor().shape(), Qt::ClosedHandCursor);
    move({230, 140});
    EXPECT_EQ(scrolledBy(), QPoint(-30, 10));
    move({200.3, 150.2});  // the plan moved with the hand: a third of a pixel on
    EXPECT_EQ(scrolledBy(), QPoint(-30, 10));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(200, 150));
    EXPECT_EQ(std::tuple(clip->cursor().shape(), view->isPanning()), std::tuple(Qt::OpenHandCursor, false));
}

}  // namespace
}  // namespace dvxtest

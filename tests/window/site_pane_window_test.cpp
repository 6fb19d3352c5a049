// The site, structure and fixture panes in a document window on the virtual X server, driven
// as a user drives them: each object clicked in the plan brings its pane, a value typed or a
// cell or item chosen there changes the object in one named undo step; the electrical and gate
// tools, chosen from the plan palette, only change what their next object will be.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QUndoStack>
#include <functional>
#include <gtest/gtest.h>

#include "app/app_controller.h"
#include "app/document.h"
#include "app/document_view.h"
#include "app/widgets.h"
#include "app/window_controller.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/selection_queries.h"
#include "model/transforms.h"
#include "model/type_data.h"
#include "support/build.h"
#include "support/inspector_design.h"
#include "tools/wall_components.h"
#include "tools/wall_construction.h"
#include "tracking/tracking_state.h"
#include "ui/tool_palettes.h"
#include "window/window_support.h"

namespace {

QString gShot;

using namespace dvxtest;

template <class W>
W* InPane(QMDWindowController* w, const char* name) {
    W* found = static_cast<QWidget*>(w->parentInspectorView())->template findChild<W*>(QLatin1String(name));
    return found && found->isVisible() ? found : nullptr;
}

// Clicks the pop-up, then its item in the list it opens.
bool ChooseItem(QMDWindowController* w, const char* outlet, const QString& title) {
    QComboBox* box = InPane<QComboBox>(w, outlet);
    if (!box) return false;
    ClickAt(box, box->rect().center());
    QAbstractItemView* list = box->view();
    if (!QTest::qWaitFor([&] { return list->isVisible(); })) return false;
    const int row = box->findText(title);
    ClickAt(list->viewport(), list->visualRect(list->model()->index(row, 0)).center());
    return QTest::qWaitFor([&] { return box->currentIndex() == row && !list->isVisible(); });
}

bool ClickCell(QMDWindowController* w, const char* name) {
    QAbstractButton* cell = InPane<QAbstractButton>(w, name);
    if (cell) ClickAt(cell, cell->rect().center());
    return cell != nullptr;
}

TEST(SitePaneWindow, EachPaneEditsItsObjectInOneNamedStepAndToolPanesOnlyTheirDefaults) {
    WindowTestServices services("sitepanewindow");
    QMDWindowController* w = OpenDocumentWindow();
    QMDDocumentModel* doc = w->document()->model();
    DocState* ds = doc->itsDocState;
    ds->zoomFactor = 1;
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    XDo({"windowfocus", "--sync", QString::number(w->winId())});
    ASSERT_TRUE(QTest::qWaitFor([w] { return w->isActiveWindow(); }));
    InspectorDesign design = BuildInspectorDesign(doc);
    Layer* first = design.first;
    // One object of each kind beside the house, on every plan; fixtures on the house's wall.
    const auto line = [&](int16_t type, float d) {
        return Outline(type, {{450, d}, {520, d + 10}, {590, d}}, false).shown().bounds().on(first).get();
    };
    Objex* rail = line(objtype::kRailing, 240);
    Objex* path = line(objtype::kPath, 280);
    Objex* edging = line(objtype::kEdging, 320);
    objfield::edging::kStyle(*edging) = 1;
    Objex* beam = line(objtype::kStiffenerBeam, 360);
    Objex* duct = line(objtype::kAirDuct, 400);
    Objex* topo = line(objtype::kTopography, 440);
    Objex* pier = Make(objtype::kFoundationPier).plan({{620, 240}}).shown().bounds().on(first).get();
    const auto fixture = [&](int16_t subtype, int segment, float centre, std::pair<float, float> at) {
        Poinz* a = PointAt(design.wall, segment);
        Objex* c = Attach(design.wall, objtype::kComponent, a, a->next ? a->next : design.wall->firstPoint, centre, 200);
        c->subtype = subtype, c->layer = first;
        c->typeData.attachment->width = 40, c->typeData.attachment->height = 20;
        return Make(c).plan({at, {at.first - 40, at.second}}).shown().get();
    };
    Objex* spa = fixture(96, 2, 200, {220, 300});
    Objex* shower = fixture(97, 2, 300, {120, 300});
    Objex* dimension = fixture(138, 0, 300, {320, 0});
    for (Objex* o : {design.wall, design.tub, design.fence, design.floor}) o->planBits = ds->visiblePlans;
    StoreBoundsDeep(design.fence), StoreBoundsDeep(design.floor);
    Update3DWall(design.wall);
    for (Objex* o : {design.tub, spa, shower, dimension}) StoreBoundsDeep(o);
    w->docView()->scrollPoint({-60, -60});
    w->docView()->update();
    QUndoStack* stack = w->document()->undoStack();
    const auto clickPlan = [&](float h, float d) {
        const PlatformPoint origin = w->docView()->boundsOrigin();
        ClickAt(w->docView(), QPointF(h - origin.x, d - origin.y).toPoint());
    };
    const auto plan = [&](float inches) { return ConvertWorldToScreen(inches, ds, 0); };
    const auto record = [](Objex* o) { return o->typeData.attachment; };
    const auto typed = [&](const char* outlet, const char* text) {
        return [=] { return TypeIntoPaneField(w, outlet, QString::fromLatin1(text)); };
    };

    constexpr std::pair<float, float> kBetween{-1e6f, 0};
    const struct {
        const char* what;
        Objex* object;
        std::pair<float, float> at;  // where it is clicked; fixtures between their first two points
        std::function<bool()> act;
        std::function<bool()> changed;
        const char* undo;
    } kRows[] = {
        {"fence", design.fence, {550, 100}, [&] { return ChooseItem(w, "stylePopUpButton", "Ranch Fence"); },
         [&] { return objfield::fence::kStyle(*design.fence) == 701; }, "Fence Style"},
        {"railing", rail, {450, 240}, typed("railHeightText", "40"),
         [&] { return objfield::railing::kHeight(*rail) == 40; }, "Handrail Height"},
        {"path", path, {450, 280}, typed("pathWidthText", "50"), [&] { return path->penWidth == 50; }, "Pathway Width"},
        {"edging", edging, {450, 320}, [&] { return ClickCell(w, "edgingStyleButtons0"); },
         [&] { return objfield::edging::kStyle(*edging) == 0; }, "Edging Style"},
        {"floor", design.floor, {20, 200}, typed("floorThicknessText", "7"),
         [&] { return objfield::floors::kThickness(*design.floor) == 7; }, "Flooring Thickness"},
        {"beam", beam, {450, 360}, typed("beamWidthText", "10"),
         [&] { return objfield::beam::kWidth(*beam) == 10; }, "Foundation Beam Width"},
        {"pier", pier, {620, 240}, typed("pierDiameterText", "16"),
         [&] { return objfield::pier::kWidth(*pier) == 16; }, "Foundation Pier Diameter"},
        {"tub", design.tub, kBetween, typed("tubLengthText", "66"),
         [&] { return record(design.tub)->width == plan(66); }, "Bath Tub Length"},
        {"spa", spa, kBetween, typed("spaLengthText", "70"), [&] { return record(spa)->width == plan(70); },
         "Spa Tub Length"},
        {"shower", shower, kBetween, typed("showerLengthText", "42"),
         [&] { return record(shower)->width == plan(42); }, "Shower Length"},
        {"wall dimension", dimension, kBetween, [&] { return ClickCell(w, "dimensionFromButtons1"); },
         [&] { return dimension->firstPoint->dimensionMethod == 1; }, "Wall Dimension Method"},
        {"duct", duct, {450, 400}, typed("ductWidthText", "9"),
         [&] { return objfield::duct::kWidth(*duct) == 9; }, "HVAC Duct Width"},
        {"topography", topo, {450, 440}, typed("elevationText", "3'"),
         [&] { return objfield::topo_line::kHeight(*topo) == plan(36); }, "Topography Elevation"},
    };
    for (const auto& row : kRows) {
        clickPlan(-40, 150);
        ASSERT_TRUE(QTest::qWaitFor([&] { uint32_t id = 0; return !FindFirstSelectedObjectID(&id); })) << row.what;
        const Poinz* p = row.object->firstPoint;
        if (row.at == kBetween) clickPlan((p->position[0] + p->next->position[0]) / 2, (p->position[2] + p->next->position[2]) / 2);
        else clickPlan(row.at.first, row.at.second);
        if (!QTest::qWaitFor([&] { return IsRootObjectSelected(row.object); })) {
            ADD_FAILURE() << row.what << " not picked";
            continue;
        }
        const int steps = stack->count();
        EXPECT_TRUE(row.act()) << row.what << ": its pane's control is missing";
        EXPECT_TRUE(QTest::qWaitFor([&] { return row.changed(); })) << row.what;
        EXPECT_EQ(stack->count(), steps + 1) << row.what;
        EXPECT_EQ(stack->undoText(), QLatin1String(row.undo)) << row.what;
    }
    QGuiApplication::primaryScreen()->grabWindow(0).save(gShot);

    // The tool panes, each tool chosen on its plan's palette: no step, only the next object.
    clickPlan(-40, 150);
    PlanToolPaletteController* palette = PlanToolPaletteController::shared();
    palette->window()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(palette->window()));
    const int steps = stack->count();
    const auto chooseTool = [&](int16_t plan, int16_t tool) {
        palette->loadToolPaletteForPlan(plan);
        QWidget* cell = palette->toolButtons(plan)->cell(tool);
        ClickAt(cell, cell->rect().center());
        return QTest::qWaitFor([&] { return gCurTool == tool; });
    };
    ASSERT_TRUE(chooseTool(2, 7102));
    ASSERT_TRUE(ChooseItem(w, "receptStylePopUpButton", "Ceiling Receptacle"));
    EXPECT_EQ(ds->receptacleStyle2, 9);
    ASSERT_TRUE(chooseTool(2, 7106));
    ASSERT_TRUE(ChooseItem(w, "switchStylePopUpButton", "4-Way Switch"));
    EXPECT_EQ(ComponentSymbolOfTool(7106), 75);
    ASSERT_TRUE(chooseTool(7, 7506));
    ASSERT_TRUE(TypeIntoPaneField(w, "gateLengthText", "4'"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return ds->gateLength == 48; })) << ds->gateLength;
    EXPECT_EQ(stack->count(), steps);
    AppController::destroyShared(), ResetAllGlobals();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        fprintf(stderr, "usage: test_window_site_panes <screenshot.png>\n");
        return 2;
    }
    gShot = QString::fromLocal8Bit(argv[1]);
    return RUN_ALL_TESTS();
}

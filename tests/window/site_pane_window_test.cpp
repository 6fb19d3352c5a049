// The site, structure and fixture panes on the virtual X server: each object clicked in the plan
// brings its pane, where a value typed or a cell or item chosen is one named undo step; the
// electrical and gate tools, chosen on the palette, only change what their next object will be.
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
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

// Clicks the pane's pop-up, then its item in the list it opens.
bool ChooseItem(QMDWindowController* w, const char* outlet, const QString& title) {
    return ChoosePopUpItem(static_cast<QWidget*>(w->parentInspectorView())->findChild<QComboBox*>(QLatin1String(outlet)), title);
}

bool ClickCell(QMDWindowController* w, const char* name) {
    auto* cell = static_cast<QWidget*>(w->parentInspectorView())->findChild<QPushButton*>(QLatin1String(name));
    if (cell && cell->isVisible()) ClickAt(cell, cell->rect().center());
    return cell && cell->isVisible();
}

TEST(SitePaneWindow, EachPaneEditsItsObjectInOneNamedStepAndToolPanesOnlyTheirDefaults) {
    WindowTestServices services("sitepanewindow");
    QMDWindowController* w = OpenDocumentWindow();
    DocState* ds = w->document()->model()->itsDocState;
    ds->zoomFactor = 1;
    ASSERT_TRUE(ShowFocused(w));
    ASSERT_TRUE(QTest::qWaitFor([w] { return w->isActiveWindow(); }));
    InspectorDesign design = BuildInspectorDesign(w->document()->model());
    Layer* first = design.first;
    // One object of each kind beside the house, on every plan; fixtures on the house's wall.
    const auto line = [&](int16_t type, float d) {
        return Outline(type, {{450, d}, {520, d + 10}, {590, d}}, false).shown().bounds().on(first).get();
    };
    Objex *rail = line(objtype::kRailing, 240), *path = line(objtype::kPath, 280), *edging = line(objtype::kEdging, 320);
    Objex *beam = line(objtype::kStiffenerBeam, 360), *duct = line(objtype::kAirDuct, 400);
    Objex* topo = line(objtype::kTopography, 440);
    objfield::edging::kStyle(*edging) = 1;
    Objex* pier = Make(objtype::kFoundationPier).plan({{620, 240}}).shown().bounds().on(first).get();
    const auto fixture = [&](int16_t subtype, int segment, float centre, std::pair<float, float> at) {
        Poinz* a = PointAt(design.wall, segment);
        Objex* c = Attach(design.wall, objtype::kComponent, a, a->next ? a->next : design.wall->firstPoint, centre, 200);
        c->subtype = subtype, c->layer = first;
        c->typeData.attachment->width = 40, c->typeData.attachment->height = 20;
        return Make(c).plan({at, {at.first - 40, at.second}}).shown().get();
    };
    Objex *spa = fixture(96, 2, 200, {220, 300}), *shower = fixture(97, 2, 300, {120, 300});
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
    const auto length = [](Objex* o) { return o->typeData.attachment->width; };
    const auto typed = [&](const char* outlet, const char* text) {
        return [=] { return TypeIntoPaneField(w, outlet, QString::fromLatin1(text)); };
    };

    namespace of = objfield;
    const struct {
        const char* what;
        Objex* object;
        std::function<bool()> act, changed;
        const char* undo;
    } kRows[] = {
        {"fence", design.fence, [&] { return ChooseItem(w, "stylePopUpButton", "Ranch Fence"); },
         [&] { return of::fence::kStyle(*design.fence) == 701; }, "Fence Style"},
        {"railing", rail, typed("railHeightText", "40"), [&] { return of::railing::kHeight(*rail) == 40; }, "Handrail Height"},
        {"path", path, typed("pathWidthText", "50"), [&] { return of::path::kWidth(*path) == 50; }, "Pathway Width"},
        {"edging", edging, [&] { return ClickCell(w, "edgingStyleButtons0"); },
         [&] { return of::edging::kStyle(*edging) == 0; }, "Edging Style"},
        {"floor", design.floor, typed("floorThicknessText", "7"),
         [&] { return of::floors::kThickness(*design.floor) == 7; }, "Flooring Thickness"},
        {"beam", beam, typed("beamWidthText", "10"), [&] { return of::beam::kWidth(*beam) == 10; }, "Foundation Beam Width"},
        {"pier", pier, typed("pierDiameterText", "16"), [&] { return of::pier::kWidth(*pier) == 16; },
         "Foundation Pier Diameter"},
        {"tub", design.tub, typed("tubLengthText", "66"), [&] { return length(design.tub) == plan(66); }, "Bath Tub Length"},
        {"spa", spa, typed("spaLengthText", "70"), [&] { return length(spa) == plan(70); }, "Spa Tub Length"},
        {"shower", shower, typed("showerLengthText", "42"), [&] { return length(shower) == plan(42); }, "Shower Length"},
        {"wall dimension", dimension, [&] { return ClickCell(w, "dimensionFromButtons1"); },
         [&] { return dimension->firstPoint->dimensionMethod == 1; }, "Wall Dimension Method"},
        {"duct", duct, typed("ductWidthText", "9"), [&] { return of::duct::kWidth(*duct) == 9; }, "HVAC Duct Width"},
        {"topography", topo, typed("elevationText", "3'"), [&] { return of::topo_line::kHeight(*topo) == plan(36); },
         "Topography Elevation"},
    };
    for (const auto& row : kRows) {
        clickPlan(-40, 150);
        ASSERT_TRUE(QTest::qWaitFor([&] { uint32_t id = 0; return !FindFirstSelectedObjectID(&id); })) << row.what;
        // Between its first two points (on a fixture's wall, off the wall's own points).
        const Poinz* p = row.object->firstPoint;
        const Poinz* q = p->next ? p->next : p;
        clickPlan((p->position[0] + q->position[0]) / 2, (p->position[2] + q->position[2]) / 2);
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
    const int steps = stack->count();
    ASSERT_TRUE(ChooseToolCell(7102, 2));
    ASSERT_TRUE(ChooseItem(w, "receptStylePopUpButton", "Ceiling Receptacle"));
    EXPECT_EQ(ds->receptacleStyle2, 9);
    ASSERT_TRUE(ChooseToolCell(7106, 2));
    ASSERT_TRUE(ChooseItem(w, "switchStylePopUpButton", "4-Way Switch"));
    EXPECT_EQ(ComponentSymbolOfTool(7106), 75);
    ASSERT_TRUE(ChooseToolCell(7506, 7));
    ASSERT_TRUE(TypeIntoPaneField(w, "gateLengthText", "4'"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return ds->gateLength == 48; })) << ds->gateLength;
    EXPECT_EQ(stack->count(), steps);
    AppController::destroyShared(), ResetAllGlobals();
}

}  // namespace

int main(int argc, char** argv) {
    gShot = QStringLiteral("site-panes-window.png");
    return RunWindowTests(argc, argv, &gShot);
}

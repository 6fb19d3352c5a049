// The railing, path, edging, fence, gate, topography, floor, foundation, duct, electrical,
// bath fixture and wall dimension panes on a document window of the offscreen platform: what
// each shows for its tool and its objects, which entries it refuses, and what an accepted one
// does to the objects, the undo list and the tool defaults.
#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>

#include "app/core/dialog_fields.h"
#include "model/docstate.h"
#include "model/object_fields.h"
#include "model/transforms.h"
#include "model/type_data.h"
#include "port/qt/line_edit_field.h"
#include "render/core/render_state.h"
#include "support/qt/inspector_window_fixture.h"
#include "tools/site_tools.h"
#include "tools/wall_components.h"
#include "ui/core/inspector_tables.h"
#include "ui/inspector/fixture_panes.h"
#include "ui/inspector/site_panes.h"
#include "ui/inspector/structure_panes.h"

namespace dvxtest {
namespace {

// The length a field shows, in inches.
float Shown(QLineEdit* edit) {
    port::qt::LineEditField f(edit);
    return GetFloatItem(&f);
}

class SitePanes : public InspectorWindowTest {
protected:
    void SetUp() override { openDesign("site_panes"); }
    template <class Pane>
    Pane* pane(const char* name) {
        return static_cast<Pane*>(InspectorPaneRegistry::sharedInspectorController(name));
    }
    Objex* line(int16_t type, float d, int points = 2) {
        if (points == 3) return Outline(type, {{600, d}, {640, d + 30}, {680, d}}, false).on(design.first);
        return Outline(type, {{600, d}, {640, d + 30}}, false).on(design.first);
    }
    Objex* fence(int32_t style, float d) {
        Objex* f = line(objtype::kFence, d);
        objfield::fence::kStyle(*f) = style;
        for (int i = 0; i < 5; ++i) objfield::fence::kSize(i)(*f) = 50.f + i;
        return f;
    }
    // A component of the subtype hung on a new wall at `d`, its record sized in plan units.
    Objex* fixture(int16_t subtype, float d) {
        Objex* wall = Wall(design.first, {{-400, d}, {-100, d}});
        Objex* c = Attach(wall, objtype::kComponent, PointAt(wall, 0), PointAt(wall, 1), 100, 200);
        c->subtype = subtype, c->layer = design.first;
        c->typeData.attachment->width = 50, c->typeData.attachment->height = 20;
        return Make(c).plan({{-320, d}, {-280, d}}).get();
    }
};

TEST_F(SitePanes, RailPathAndEdgingStoreStepsOnlyByTheirRules) {
    auto* rail = pane<RailInspectorController>("RailInspectorController");
    Objex* r1 = line(objtype::kRailing, 0, 3);
    Objex* r2 = line(objtype::kRailing, 100);
    objfield::railing::kHeight(*r1) = objfield::railing::kHeight(*r2) = 40;
    refreshWith({r1, r2});
    int before = steps();
    type(rail->text("railHeightText"), "40");
    EXPECT_EQ(steps(), before) << "an unchanged height stored a step";
    EXPECT_EQ(ds->railHeight, 40);

    // Railings reached only through a selected child: no post change, no step.
    for (Objex* r : {r1, r2}) Make(r).select(0);
    for (int i = 0; i < 3; ++i) PointAt(r1, i)->segmentFlags = 0x20;
    Make(objtype::kLine).plan({{600, 0}, {610, 0}}).select().in(r1);
    rail->includePostButton->setChecked(true);
    rail->includePostButton->click();
    EXPECT_EQ(steps(), before);
    EXPECT_EQ(PointAt(r1, 1)->segmentFlags, 0x20);
    PointAt(r1, 1)->selected = 1;
    rail->includePostButton->setChecked(true);
    rail->includePostButton->click();  // off at the selected point only
    EXPECT_EQ(PointAt(r1, 1)->segmentFlags & 0x20, 0);
    EXPECT_EQ(PointAt(r1, 0)->segmentFlags & 0x20, 0x20);
    EXPECT_EQ(undoTitle(), QStringLiteral("Handrail Posts"));

    // Path width equal to the paths' but not the default; paths of two styles leave no cell.
    auto* path = pane<PathwayInspectorController>("PathwayInspectorController");
    Objex* p1 = line(objtype::kPath, 200);
    Objex* p2 = line(objtype::kPath, 300);
    objfield::path::kWidth(*p1) = objfield::path::kWidth(*p2) = 48;
    objfield::path::kStyle(*p1) = 5, objfield::path::kStyle(*p2) = 7;
    refreshWith({p1, p2});
    EXPECT_EQ(path->pathStyleButtons->selectedTag(), -1);
    before = steps();
    type(path->text("pathWidthText"), "48");
    EXPECT_EQ(steps(), before + 1);
    EXPECT_EQ(undoTitle(), QStringLiteral("Pathway Width"));

    // Edging: the curved style smooths the outline, another straightens it; the tool follows.
    auto* edging = pane<EdgingInspectorController>("EdgingInspectorController");
    Objex* e = line(objtype::kEdging, 400, 3);
    objfield::edging::kStyle(*e) = 1;
    refreshWith({e});
    edging->edgingStyleButtons->cellWithTag(0)->click();
    EXPECT_NE(PointAt(e, 1)->outTangent[0], 0);
    EXPECT_EQ(undoTitle(), QStringLiteral("Edging Style"));
    edging->edgingStyleButtons->cellWithTag(1)->click();
    EXPECT_EQ(PointAt(e, 1)->outTangent[0], 0);
    EXPECT_EQ(gEdgingStyleFlag, 1);
}

// Every length field's limits, one row per bound, with the object it would reach selected:
// a refused entry shows the tool default and leaves the object.
TEST_F(SitePanes, LengthFieldsRefuseOutsideTheirLimitsAndShowTheDefault) {
    Objex* beam = Make(objtype::kStiffenerBeam).plan({{600, 0}, {700, 0}}).on(design.first);
    Objex* pier = Make(objtype::kFoundationPier).plan({{600, 50}}).on(design.first);
    Objex* duct = Make(objtype::kAirDuct).plan({{600, 90}, {700, 90}}).on(design.first);
    Objex* topo = line(objtype::kTopography, 150);
    Objex* shower = fixture(97, -200);
    ds->topoValue = 24;  // plan units: 12 inches at the default scale
    const float topoInches = ConvertScreenToWorld(24, ds, 0);
    struct Row {
        Objex* object;
        const char* pane;
        const char* outlet;
        const char* typed;
        float (*value)(const Objex*);  // null: refused
        float expected;  // the object's value after a taken entry, else the default shown
    };
    const auto topoHeight = [](const Objex* o) { return objfield::topo_line::kHeight(*o); };
    const Row rows[] = {
        {beam, "StiffenerBeamInspectorController", "beamWidthText", "51", nullptr, 12},
        {beam, "StiffenerBeamInspectorController", "beamWidthText", "50.9",
         [](const Objex* o) { return objfield::beam::kWidth(*o); }, 50.875f},  // to the readout's eighths
        {pier, "FoundationPierInspectorController", "pierDiameterText", "51", nullptr, 12},
        {duct, "AirDuctInspectorController", "ductWidthText", "0.01", nullptr, 12},
        {duct, "AirDuctInspectorController", "ductWidthText", "10000", nullptr, 12},
        {shower, "ShowerInspectorController", "showerWidthText", "0.01", nullptr, 36},
        {shower, "ShowerInspectorController", "showerWidthText", "1/16",
         [](const Objex* o) { return o->typeData.attachment->height; }, ConvertWorldToScreen(0.0625f, ds, 0)},
        {topo, "TopoInspectorController", "elevationText", "10000.5", nullptr, topoInches},
        {topo, "TopoInspectorController", "elevationText", "-10000", topoHeight, ConvertWorldToScreen(-10000, ds, 0)},
        {topo, "TopoInspectorController", "elevationText", "10000", topoHeight, ConvertWorldToScreen(10000, ds, 0)},
    };
    for (const Row& r : rows) {
        refreshWith({r.object});
        QLineEdit* f = pane<FieldRowsPane>(r.pane)->text(r.outlet);
        const int before = steps(), redraws = refreshes;
        gRefreshRender = 0;
        type(f, QString::fromLatin1(r.typed));
        if (!r.value) {
            EXPECT_EQ(steps(), before) << r.outlet << " " << r.typed;
            EXPECT_NEAR(Shown(f), r.expected, 1e-3) << r.outlet << " " << r.typed;
            continue;
        }
        EXPECT_NEAR(r.value(r.object), r.expected, 1e-3) << r.outlet << " " << r.typed;
        EXPECT_EQ(steps(), before + 1) << r.outlet << " " << r.typed;
        EXPECT_EQ(refreshes, redraws + 1) << r.outlet << " " << r.typed;
    }
    EXPECT_EQ(undoTitle(), QStringLiteral("Topography Elevation"));
    EXPECT_EQ(gRefreshRender, 1);
    EXPECT_EQ(ds->topoValue, 24) << "an elevation entry changed the default";

    // With the topography tool and no line, an entry changes neither lines nor default.
    refreshWith({}, 7511);
    auto* t = pane<FieldRowsPane>("TopoInspectorController");
    const int before = steps();
    type(t->text("elevationText"), "3'");
    EXPECT_EQ(objfield::topo_line::kHeight(*topo), ConvertWorldToScreen(10000, ds, 0));
    EXPECT_EQ(steps(), before);
    refreshWith({}, 7511);
    EXPECT_NEAR(Shown(t->text("elevationText")), topoInches, 1e-3);
}

TEST_F(SitePanes, FloorsAndCutoutsShareOneThicknessAndTheToolTitleStays) {
    auto* p = pane<FloorInspectorController>("FloorInspectorController");
    refreshWith({}, 7606);
    EXPECT_EQ(p->objectTypeLabel->text(), QStringLiteral("Deck Cutout Properties"));
    EXPECT_FALSE(p->displayDimsButton->isVisible());
    objfield::floors::kThickness(*design.floor) = objfield::floors::kThickness(*design.cutout) = 6;
    refreshWith({design.floor, design.cutout});
    EXPECT_EQ(p->objectTypeLabel->text(), QStringLiteral("Deck Cutout Properties"));
    int before = steps();
    type(p->text("floorThicknessText"), "6");  // equal to both, not the default of 12
    EXPECT_EQ(steps(), before);
    type(p->text("floorThicknessText"), "8");
    EXPECT_EQ(objfield::floors::kThickness(*design.floor), 8);
    EXPECT_EQ(objfield::floors::kThickness(*design.cutout), 8);
    EXPECT_EQ(steps(), before + 1);
    EXPECT_EQ(undoTitle(), QStringLiteral("Flooring Thickness"));
}

TEST_F(SitePanes, ElectricalStylesOnlyChangeTheNextSymbolWhileFixturesAndDimensionsChangeTogether) {
    refreshWith({}, 7101);
    auto* recept = pane<Recept1InspectorController>("Recept1InspectorController");
    const int before = steps(), redraws = refreshes;
    recept->stylePopUp()->setCurrentIndex(1);
    emit recept->stylePopUp()->activated(1);
    EXPECT_EQ(ComponentSymbolOfTool(7101), 66);
    EXPECT_EQ(steps(), before);
    EXPECT_EQ(refreshes, redraws);

    // Tubs on two walls: one entry, both tubs, one step.
    Objex* tub2 = fixture(95, -300);
    Objex* tub1 = fixture(95, -200);
    refreshWith({tub1, tub2});
    type(pane<FieldRowsPane>("BathTubInspectorController")->text("tubLengthText"), "5'");
    for (Objex* t : {tub1, tub2}) EXPECT_EQ(t->typeData.attachment->width, ConvertWorldToScreen(60, ds, 0));
    EXPECT_EQ(steps(), before + 1);
    EXPECT_EQ(undoTitle(), QStringLiteral("Bath Tub Length"));

    // Wall dimensions: the method in every point of both.
    Objex* d1 = fixture(138, -400);
    Objex* d2 = fixture(138, -500);
    refreshWith({d1, d2});
    pane<WallDimInspectorController>("WallDimInspectorController")->dimensionFromButtons->cellWithTag(1)->click();
    for (Objex* d : {d1, d2})
        for (Poinz* q = d->firstPoint; q; q = q->next) EXPECT_EQ(q->dimensionMethod, 1);
    EXPECT_EQ(undoTitle(), QStringLiteral("Wall Dimension Method"));
    EXPECT_EQ(ds->wallDimensionFrom, 1);
}

TEST_F(SitePanes, FenceSizesAreEnabledAndTakenForCustomFencesOnly) {
    auto* p = pane<FenceInspectorController>("FenceInspectorController");
    Objex* picket = fence(700, 0);
    Objex* custom = fence(704, 100);
    const auto enabled = [&] { return p->text("spanLengthText")->isEnabled(); };
    refreshWith({picket});
    EXPECT_EQ(p->stylePopUpButton->currentText(), QStringLiteral("Picket Fence"));
    EXPECT_FALSE(enabled());
    refreshWith({custom});
    EXPECT_EQ(p->stylePopUpButton->currentIndex(), -1);
    EXPECT_TRUE(enabled());
    EXPECT_NEAR(Shown(p->text("postHeightText")), 53, 1e-3);
    for (const char* refused : {"0", "12000"}) {
        type(p->text("spanLengthText"), QString::fromLatin1(refused));
        EXPECT_NEAR(Shown(p->text("spanLengthText")), ds->fenceSizes[0], 1e-3) << refused;
    }
    int before = steps();
    p->stylePopUpButton->setCurrentIndex(3);
    emit p->stylePopUpButton->activated(3);
    EXPECT_EQ(objfield::fence::kStyle(*custom), 702);
    EXPECT_FALSE(enabled());
    EXPECT_EQ(undoTitle(), QStringLiteral("Fence Style"));

    Objex* privacy = fence(703, 200);
    refreshWith({privacy, picket});
    EXPECT_EQ(p->stylePopUpButton->currentIndex(), -1);
    EXPECT_FALSE(enabled());
    // The custom style as the tool's: a size with no custom fence selected is only the default.
    ds->fenceStyle = 704;
    refreshWith({}, 7505);
    before = steps();
    const int redraws = refreshes;
    type(p->text("gateHeightText"), "80");
    EXPECT_EQ(objfield::fence::kSize(4)(*privacy), 54);
    EXPECT_EQ(steps(), before);
    EXPECT_EQ(ds->fenceSizes[4], 80);
    EXPECT_EQ(refreshes, redraws + 1);

    // Metric gates: 90 cm lies below the accepted length, 92 cm is taken.
    ds->units = kMetricUnits, ds->gateLength = 35.4331f;
    refreshWith({}, 7506);
    QLineEdit* gate = pane<FieldRowsPane>("GateToolInspectorController")->text("gateLengthText");
    type(gate, "90 cm");
    EXPECT_EQ(ds->gateLength, 35.4331f);
    type(gate, "92 cm");
    EXPECT_NEAR(ds->gateLength, 36.22, 0.01);
    EXPECT_EQ(steps(), before);
}

TEST_F(SitePanes, DuctDefaultsStoreAStepWhenChangedAndMixedDepthsShowEmpty) {
    auto* p = pane<FieldRowsPane>("AirDuctInspectorController");
    refreshWith({}, 7400);
    const int before = steps();
    type(p->text("ductWidthText"), "14");
    EXPECT_EQ(ds->ductWidth, 14);
    EXPECT_EQ(undoTitle(), QStringLiteral("HVAC Duct Width"));
    type(p->text("ductWidthText"), "14");
    EXPECT_EQ(steps(), before + 1);

    Objex* a = Make(objtype::kAirDuct).plan({{600, 0}, {700, 0}}).on(design.first);
    Objex* b = Make(objtype::kAirDuct).plan({{600, 50}, {700, 50}}).on(design.first);
    objfield::duct::kHeight(*a) = 20, objfield::duct::kHeight(*b) = 24;
    refreshWith({a, b});
    EXPECT_TRUE(p->text("ductDepthText")->text().isEmpty());
    type(p->text("ductDepthText"), "30");
    EXPECT_EQ(objfield::duct::kHeight(*a), 30);
    EXPECT_EQ(objfield::duct::kHeight(*b), 30);
}

}  // namespace
}  // namespace dvxtest

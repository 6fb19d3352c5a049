// The site, structure and fixture panes on an offscreen document window: what each shows, which
// entries it refuses, and when an accepted one stores an undo step or only the tool default.
#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
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
#include "ui/inspector/fixture_panes.h"
#include "ui/inspector/site_panes.h"
#include "ui/inspector/structure_panes.h"

namespace dvxtest {
namespace {

namespace of = objfield;

float Shown(QLineEdit* edit) {  // inches
    port::qt::LineEditField f(edit);
    return GetFloatItem(&f);
}

class SitePanes : public InspectorWindowTest {
protected:
    void SetUp() override { openDesign("site_panes"); }
    template <class Pane = FieldRowsPane>
    Pane* pane(const char* name) {
        return static_cast<Pane*>(InspectorPaneRegistry::sharedInspectorController(name));
    }
    QLineEdit* text(const char* name, const char* outlet) { return pane(name)->text(outlet); }
    Objex* line(int16_t type, float d) {
        return Outline(type, {{600, d}, {640, d + 30}, {680, d}}, false).on(design.first);
    }
    // A component hung on a wall of its own at `d`, its record sized in plan units.
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
    Objex *r1 = line(objtype::kRailing, 0), *r2 = line(objtype::kRailing, 100);
    of::railing::kHeight(*r1) = of::railing::kHeight(*r2) = 40;
    refreshWith({r1, r2});
    const int before = steps();
    type(rail->text("railHeightText"), "40");
    EXPECT_EQ(steps(), before) << "an unchanged height stored a step";
    EXPECT_EQ(ds->railHeight, 40);

    // A railing reached only through a selected child keeps its posts; a selected point loses its own.
    for (Objex* r : {r1, r2}) Make(r).select(0);
    for (int i = 0; i < 3; ++i) PointAt(r1, i)->segmentFlags = 0x20;
    Make(objtype::kLine).plan({{600, 0}, {610, 0}}).select().in(r1);
    for (int pass = 0; pass < 2; ++pass) {
        PointAt(r1, 1)->selected = uint8_t(pass);
        rail->includePostButton->setChecked(true);
        rail->includePostButton->click();
        EXPECT_EQ(PointAt(r1, 1)->segmentFlags, pass ? 0 : 0x20) << pass;
        EXPECT_EQ(steps(), before + pass) << pass;
    }
    EXPECT_EQ(PointAt(r1, 0)->segmentFlags, 0x20);

    // A path width equal to the paths' but not the default is a step; two styles, no cell.
    auto* path = pane<PathwayInspectorController>("PathwayInspectorController");
    Objex *p1 = line(objtype::kPath, 200), *p2 = line(objtype::kPath, 300);
    of::path::kWidth(*p1) = of::path::kWidth(*p2) = 48;
    of::path::kStyle(*p1) = 5, of::path::kStyle(*p2) = 7;
    refreshWith({p1, p2});
    EXPECT_EQ(path->pathStyleButtons->selectedTag(), -1);
    type(path->text("pathWidthText"), "48");
    EXPECT_EQ(steps(), before + 2);

    // The curved edging style smooths the outline, another straightens it; the tool follows.
    auto* edging = pane<EdgingInspectorController>("EdgingInspectorController");
    Objex* e = line(objtype::kEdging, 400);
    of::edging::kStyle(*e) = 1;
    refreshWith({e});
    edging->edgingStyleButtons->cellWithTag(0)->click();
    EXPECT_NE(PointAt(e, 1)->outTangent[0], 0);
    edging->edgingStyleButtons->cellWithTag(1)->click();
    EXPECT_EQ(PointAt(e, 1)->outTangent[0], 0);
    EXPECT_EQ(gEdgingStyleFlag, 1);
}

// One row per bound, the object the field reaches selected: a refused entry stores nothing and
// shows the tool default; a taken one changes the object in one step and redraws.
TEST_F(SitePanes, LengthFieldsRefuseOutsideTheirLimitsAndShowTheDefault) {
    Objex *beam = line(objtype::kStiffenerBeam, 0), *duct = line(objtype::kAirDuct, 90);
    Objex *topo = line(objtype::kTopography, 150), *shower = fixture(97, -200);
    const float topoInches = ConvertScreenToWorld(ds->topoValue, ds, 0);
    const auto height = [](const Objex* o) { return of::topo_line::kHeight(*o); };
    const struct {
        Objex* object;
        const char *pane, *outlet, *typed;
        float (*value)(const Objex*);  // null: refused
        float expected;                // the object's value when taken, else the default shown
    } rows[] = {
        {beam, "StiffenerBeamInspectorController", "beamWidthText", "51", nullptr, 12},
        {beam, "StiffenerBeamInspectorController", "beamWidthText", "50.9",
         [](const Objex* o) { return of::beam::kWidth(*o); }, 50.875f},  // to the readout's eighths
        {duct, "AirDuctInspectorController", "ductWidthText", "10000", nullptr, 12},
        {shower, "ShowerInspectorController", "showerWidthText", "0.01", nullptr, 36},
        {shower, "ShowerInspectorController", "showerWidthText", "1/16",
         [](const Objex* o) { return o->typeData.attachment->height; }, ConvertWorldToScreen(0.0625f, ds, 0)},
        {topo, "TopoInspectorController", "elevationText", "10000.5", nullptr, topoInches},
        {topo, "TopoInspectorController", "elevationText", "-10000", height, ConvertWorldToScreen(-10000, ds, 0)},
        {topo, "TopoInspectorController", "elevationText", "10000", height, ConvertWorldToScreen(10000, ds, 0)},
    };
    for (const auto& r : rows) {
        refreshWith({r.object});
        QLineEdit* f = text(r.pane, r.outlet);
        gRefreshRender = 0;
        const int before = steps(), redraws = refreshes;
        type(f, QString::fromLatin1(r.typed));
        EXPECT_NEAR(r.value ? r.value(r.object) : Shown(f), r.expected, 1e-3) << r.outlet << " " << r.typed;
        EXPECT_EQ(steps(), before + (r.value ? 1 : 0)) << r.outlet << " " << r.typed;
        EXPECT_EQ(refreshes, redraws + (r.value ? 1 : 0)) << r.outlet << " " << r.typed;
    }
    EXPECT_EQ(gRefreshRender, 1);
    EXPECT_NEAR(ds->topoValue, 24, 1e-6) << "an elevation entry changed the default";

    // The topography tool with no line: an entry changes nothing, and the default shows again.
    refreshWith({}, 7511);
    const int before = steps();
    type(text("TopoInspectorController", "elevationText"), "3'");
    EXPECT_EQ(height(topo), ConvertWorldToScreen(10000, ds, 0));
    EXPECT_EQ(steps(), before);
    refreshWith({}, 7511);
    EXPECT_NEAR(Shown(text("TopoInspectorController", "elevationText")), topoInches, 1e-3);
}

TEST_F(SitePanes, FloorsAndCutoutsShareOneThicknessAndTheToolTitleStays) {
    auto* p = pane<FloorInspectorController>("FloorInspectorController");
    refreshWith({}, 7606);
    of::floors::kThickness(*design.floor) = of::floors::kThickness(*design.cutout) = 6;
    refreshWith({design.floor, design.cutout});
    EXPECT_EQ(p->objectTypeLabel->text(), QStringLiteral("Deck Cutout Properties"));
    const int before = steps();
    for (const char* typed : {"6", "8"}) type(p->text("floorThicknessText"), typed);  // 6: both's, not the default
    EXPECT_EQ(of::floors::kThickness(*design.floor) + of::floors::kThickness(*design.cutout), 16);
    EXPECT_EQ(steps(), before + 1);
}

TEST_F(SitePanes, FixturesAndWallDimensionsOnSeveralWallsChangeTogetherInOneStep) {
    const int before = steps();
    Objex *tub1 = fixture(95, -200), *tub2 = fixture(95, -300);
    refreshWith({tub1, tub2});
    type(text("BathTubInspectorController", "tubLengthText"), "5'");
    for (Objex* t : {tub1, tub2}) EXPECT_EQ(t->typeData.attachment->width, ConvertWorldToScreen(60, ds, 0));
    EXPECT_EQ(steps(), before + 1);

    Objex *d1 = fixture(138, -400), *d2 = fixture(138, -500);
    refreshWith({d1, d2});
    pane<WallDimInspectorController>("WallDimInspectorController")->dimensionFromButtons->cellWithTag(1)->click();
    for (Objex* d : {d1, d2})
        for (Poinz* q = d->firstPoint; q; q = q->next) EXPECT_EQ(q->dimensionMethod, 1);
    EXPECT_EQ(steps(), before + 2);
}

TEST_F(SitePanes, FenceSizesAreEnabledAndTakenForCustomFencesOnly) {
    auto* p = pane<FenceInspectorController>("FenceInspectorController");
    Objex *picket = line(objtype::kFence, 0), *custom = line(objtype::kFence, 100), *privacy = line(objtype::kFence, 200);
    of::fence::kStyle(*picket) = 700, of::fence::kStyle(*custom) = 704, of::fence::kStyle(*privacy) = 703;
    for (int i = 0; i < 5; ++i) of::fence::kSize(i)(*custom) = of::fence::kSize(i)(*privacy) = 50.f + i;
    const auto enabled = [&] { return p->text("spanLengthText")->isEnabled(); };
    const struct {
        std::vector<Objex*> fences;
        const char* shown;
        bool sizes;
    } shows[] = {{{picket}, "Picket Fence", false}, {{privacy, picket}, "", false}, {{custom}, "", true}};
    for (const auto& r : shows) {
        refreshWith(r.fences);
        EXPECT_EQ(p->stylePopUpButton->currentText(), QLatin1String(r.shown)) << r.shown;
        EXPECT_EQ(enabled(), r.sizes) << r.shown;
    }
    EXPECT_NEAR(Shown(p->text("postHeightText")), 53, 1e-3);
    for (const char* refused : {"0", "12000"}) {
        type(p->text("spanLengthText"), QString::fromLatin1(refused));
        EXPECT_NEAR(Shown(p->text("spanLengthText")), ds->fenceSizes[0], 1e-3) << refused;
    }
    p->stylePopUpButton->setCurrentIndex(3);
    emit p->stylePopUpButton->activated(3);
    EXPECT_EQ(of::fence::kStyle(*custom), 702);
    EXPECT_FALSE(enabled());

    // With the custom style as the tool's, a size reaches no fence: only the default, redrawn.
    ds->fenceStyle = 704;
    refreshWith({}, 7505);
    const int before = steps(), redraws = refreshes;
    type(p->text("gateHeightText"), "80");
    EXPECT_EQ(of::fence::kSize(4)(*privacy), 54);
    EXPECT_EQ(ds->fenceSizes[4], 80);
    EXPECT_EQ(steps(), before);
    EXPECT_EQ(refreshes, redraws + 1);

    // Metric gates: 90 cm lies below the accepted length, 92 cm is taken.
    ds->units = kMetricUnits, ds->gateLength = 35.4331f;
    refreshWith({}, 7506);
    QLineEdit* gate = text("GateToolInspectorController", "gateLengthText");
    type(gate, "90 cm");
    EXPECT_EQ(ds->gateLength, 35.4331f);
    type(gate, "92 cm");
    EXPECT_NEAR(ds->gateLength, 36.22, 0.01);
    EXPECT_EQ(steps(), before);
}

TEST_F(SitePanes, DuctDefaultsStoreAStepWhenChangedAndMixedDepthsShowEmpty) {
    refreshWith({}, 7400);
    const int before = steps();
    for (int pass = 0; pass < 2; ++pass) type(text("AirDuctInspectorController", "ductWidthText"), "14");
    EXPECT_EQ(ds->ductWidth, 14);
    EXPECT_EQ(steps(), before + 1) << "the default entered again stored a step";
    Objex *a = line(objtype::kAirDuct, 0), *b = line(objtype::kAirDuct, 50);
    of::duct::kHeight(*a) = 20, of::duct::kHeight(*b) = 24;
    refreshWith({a, b});
    QLineEdit* depth = text("AirDuctInspectorController", "ductDepthText");
    EXPECT_TRUE(depth->text().isEmpty());
    type(depth, "30");
    EXPECT_EQ(of::duct::kHeight(*a) + of::duct::kHeight(*b), 60);
}

}  // namespace
}  // namespace dvxtest

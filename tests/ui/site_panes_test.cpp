// The site, structure and fixture panes on an offscreen document window: what each shows, which
// entries it refuses, and when an accepted one stores an undo step or only the tool default.
#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <functional>
#include <gtest/gtest.h>

#include "app/core/dialog_fields.h"
#include "model/docstate.h"
#include "model/object_fields.h"
#include "model/transforms.h"
#include "model/type_data.h"
#include "port/qt/line_edit_field.h"
#include "model/render_state.h"
#include "support/qt/inspector_window_fixture.h"
#include "tools/site_tools.h"
#include "tools/wall_components.h"
#include "ui/inspector/fixture_panes.h"
#include "ui/inspector/site_panes.h"
#include "ui/inspector/structure_panes.h"

namespace dvxtest {
namespace {

namespace of = objfield;

class SitePanes : public InspectorWindowTest {
protected:
    void SetUp() override { openDesign("site_panes"); }
    template <class Pane = FieldRowsPane>
    Pane* pane(const char* name) {
        return static_cast<Pane*>(InspectorPaneRegistry::sharedInspectorController(name));
    }
    QLineEdit* text(const char* name, const char* outlet) { return pane(name)->text(outlet); }
    float shown(const char* name, const char* outlet) {  // inches
        port::qt::LineEditField f(text(name, outlet));
        return GetFloatItem(&f);
    }
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
    float plan(float inches) { return ConvertWorldToScreen(inches, ds, 0); }
};

// One row per rule an entry can meet, run in order on one design: the objects selected (or the
// tool current), the text typed, the steps it stores and what must then hold.
TEST_F(SitePanes, EachEntryStoresAStepOnlyByItsRuleAndARefusedOneShowsTheDefault) {
    Objex *r1 = line(objtype::kRailing, 0), *r2 = line(objtype::kRailing, 100);
    Objex *p1 = line(objtype::kPath, 200), *p2 = line(objtype::kPath, 300), *beam = line(objtype::kStiffenerBeam, 400);
    Objex *d1 = line(objtype::kAirDuct, 500), *d2 = line(objtype::kAirDuct, 600), *topo = line(objtype::kTopography, 700);
    Objex *tub1 = fixture(95, -200), *tub2 = fixture(95, -300), *shower = fixture(97, -400);
    of::railing::kHeight(*r1) = of::railing::kHeight(*r2) = 40;
    of::path::kWidth(*p1) = of::path::kWidth(*p2) = 48;
    of::floors::kThickness(*design.floor) = of::floors::kThickness(*design.cutout) = 6;
    of::duct::kHeight(*d1) = 20, of::duct::kHeight(*d2) = 24;
    const float topoInches = ConvertScreenToWorld(ds->topoValue, ds, 0);
    const struct {
        std::vector<Objex*> selected;
        int16_t tool;
        const char *pane, *outlet, *typed;
        int steps;
        std::function<bool()> holds;
    } rows[] = {
        {{r1, r2}, 0, "RailInspectorController", "railHeightText", "40", 0, [&] { return ds->railHeight == 40; }},
        {{p1, p2}, 0, "PathwayInspectorController", "pathWidthText", "48", 1, [&] { return ds->pathWidth == 48; }},
        {{design.floor, design.cutout}, 0, "FloorInspectorController", "floorThicknessText", "6", 0, [] { return true; }},
        {{design.floor, design.cutout}, 0, "FloorInspectorController", "floorThicknessText", "8", 1,
         [&] { return of::floors::kThickness(*design.floor) + of::floors::kThickness(*design.cutout) == 16; }},
        {{beam}, 0, "StiffenerBeamInspectorController", "beamWidthText", "51", 0,
         [&] { return shown("StiffenerBeamInspectorController", "beamWidthText") == 12; }},
        {{beam}, 0, "StiffenerBeamInspectorController", "beamWidthText", "50.9", 1,
         [&] { return of::beam::kWidth(*beam) == 50.875f; }},  // to the readout's eighths
        {{}, 7400, "AirDuctInspectorController", "ductWidthText", "14", 1, [&] { return ds->ductWidth == 14; }},
        {{}, 7400, "AirDuctInspectorController", "ductWidthText", "14", 0, [] { return true; }},
        {{d1, d2}, 0, "AirDuctInspectorController", "ductWidthText", "10000", 0,
         [&] { return shown("AirDuctInspectorController", "ductWidthText") == 14; }},
        {{d1, d2}, 0, "AirDuctInspectorController", "ductDepthText", "30", 1,
         [&] { return of::duct::kHeight(*d1) + of::duct::kHeight(*d2) == 60; }},
        {{tub1, tub2}, 0, "BathTubInspectorController", "tubLengthText", "5'", 1,
         [&] { return tub1->typeData.attachment->width == plan(60) && tub2->typeData.attachment->width == plan(60); }},
        {{shower}, 0, "ShowerInspectorController", "showerWidthText", "0.01", 0,
         [&] { return shown("ShowerInspectorController", "showerWidthText") == 36; }},
        {{shower}, 0, "ShowerInspectorController", "showerWidthText", "1/16", 1,
         [&] { return shower->typeData.attachment->height == plan(0.0625f); }},
        {{topo}, 0, "TopoInspectorController", "elevationText", "10000.5", 0,
         [&] { return std::abs(shown("TopoInspectorController", "elevationText") - topoInches) < 1e-3f; }},
        {{topo}, 0, "TopoInspectorController", "elevationText", "-10000", 1,
         [&] { return of::topo_line::kHeight(*topo) == plan(-10000) && gRefreshRender == 1; }},
        {{topo}, 0, "TopoInspectorController", "elevationText", "10000", 1,
         [&] { return of::topo_line::kHeight(*topo) == plan(10000) && ds->topoValue == 24; }},
        {{}, 7511, "TopoInspectorController", "elevationText", "3'", 0,
         [&] { return of::topo_line::kHeight(*topo) == plan(10000) && ds->topoValue == 24; }},
    };
    for (const auto& r : rows) {
        refreshWith(r.selected, r.tool ? r.tool : toolid::kSelect, r.selected.empty() ? 0 : 1);
        const int before = steps(), redraws = refreshes;
        gRefreshRender = 0;
        type(text(r.pane, r.outlet), QString::fromLatin1(r.typed));
        EXPECT_EQ(steps(), before + r.steps) << r.outlet << " " << r.typed;
        EXPECT_TRUE(r.holds()) << r.outlet << " " << r.typed;
        if (r.steps) { EXPECT_EQ(refreshes, redraws + 1) << r.outlet << " " << r.typed; }
    }
}

TEST_F(SitePanes, PostsMatricesAndPopUpsReachOnlyWhatTheirRulesReach) {
    // A railing reached through a selected child keeps its posts; a selected point loses its own.
    auto* rail = pane<RailInspectorController>("RailInspectorController");
    Objex* r = line(objtype::kRailing, 0);
    for (int i = 0; i < 3; ++i) PointAt(r, i)->segmentFlags = 0x20;
    Make(objtype::kLine).plan({{600, 0}, {610, 0}}).select().in(r);
    const int before = steps();
    for (int pass = 0; pass < 2; ++pass) {
        PointAt(r, 1)->selected = uint8_t(pass);
        rail->includePostButton->setChecked(true);
        rail->includePostButton->click();
        EXPECT_EQ(PointAt(r, 1)->segmentFlags, pass ? 0 : 0x20) << pass;
        EXPECT_EQ(steps(), before + pass) << pass;
    }
    EXPECT_EQ(PointAt(r, 0)->segmentFlags, 0x20);

    // Paths of two styles leave no cell; the curved edging smooths, another straightens.
    Objex *p1 = line(objtype::kPath, 200), *p2 = line(objtype::kPath, 300), *e = line(objtype::kEdging, 400);
    of::path::kStyle(*p1) = 5, of::path::kStyle(*p2) = 7, of::edging::kStyle(*e) = 1;
    refreshWith({p1, p2});
    EXPECT_EQ(pane<PathwayInspectorController>("PathwayInspectorController")->pathStyleButtons->selectedTag(), -1);
    refreshWith({e});
    TagMatrix* edging = pane<EdgingInspectorController>("EdgingInspectorController")->edgingStyleButtons;
    edging->cellWithTag(0)->click();
    EXPECT_NE(PointAt(e, 1)->outTangent[0], 0);
    edging->cellWithTag(1)->click();
    EXPECT_EQ(PointAt(e, 1)->outTangent[0], 0);
    EXPECT_EQ(gEdgingStyleFlag, 1);

    // The deck cut-out tool's title stays when floors are shown.
    refreshWith({}, 7606);
    refreshWith({design.floor});
    EXPECT_EQ(pane<FloorInspectorController>("FloorInspectorController")->objectTypeLabel->text(),
              QStringLiteral("Deck Cutout Properties"));

    // A receptacle style changes only the next receptacle: no step, no redraw.
    refreshWith({}, 7101);
    TaggedPopUp* style = pane<Recept1InspectorController>("Recept1InspectorController")->stylePopUp();
    const int redraws = refreshes, stored = steps();
    style->setCurrentIndex(1), emit style->activated(1);
    EXPECT_EQ(ComponentSymbolOfTool(7101), 66);
    EXPECT_EQ(refreshes, redraws);
    EXPECT_EQ(steps(), stored);

    // Two wall dimensions take the method in every point.
    Objex *d1 = fixture(138, -400), *d2 = fixture(138, -500);
    refreshWith({d1, d2});
    pane<WallDimInspectorController>("WallDimInspectorController")->dimensionFromButtons->cellWithTag(1)->click();
    for (Objex* d : {d1, d2})
        for (Poinz* q = d->firstPoint; q; q = q->next) EXPECT_EQ(q->dimensionMethod, 1);
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
    // The fence keeps post height before post width: 52 and 53.
    EXPECT_EQ(std::pair(shown("FenceInspectorController", "postHeightText"), shown("FenceInspectorController", "postWidthText")),
              std::pair(52.0f, 53.0f));
    for (const char* refused : {"0", "12000"}) {
        type(p->text("spanLengthText"), QString::fromLatin1(refused));
        EXPECT_EQ(shown("FenceInspectorController", "spanLengthText"), ds->fenceSizes[0]) << refused;
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

}  // namespace
}  // namespace dvxtest

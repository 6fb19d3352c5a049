// The roof, panel, staircase, deck step and deck panes on a document window of the offscreen
// platform: the limits each field takes, when an edit stores an undo step, what reaches the
// objects and the tool defaults, and and the deck commands' alerts.
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <gtest/gtest.h>

#include <tuple>
#include <utility>

#include "model/docstate.h"
#include "model/object_fields.h"
#include "model/transforms.h"
#include "support/qt/inspector_window_fixture.h"
#include "ui/inspector/roof_panes.h"
#include "ui/sheets/sheet_dialog.h"
#include "ui/inspector/stair_deck_panes.h"

namespace dvxtest {
namespace {

namespace df = objfield::deck;

class RoofStairDeckPanes : public InspectorWindowTest {
protected:
    void SetUp() override { openDesign("roof_stair_deck_panes"); }
    template <class Pane> Pane* pane(const char* name) {
        return static_cast<Pane*>(InspectorPaneRegistry::sharedInspectorController(name));
    }
    // One step of a table: what is typed, then the steps it stores.
    void typeExpecting(QLineEdit* field, const char* text, int newSteps) {
        SCOPED_TRACE(text);
        const int before = steps();
        type(field, QString::fromLatin1(text));
        EXPECT_EQ(steps(), before + newSteps);
    }
    float plan(float inches) { return ConvertWorldToScreen(inches, ds, 0); }
};

TEST_F(RoofStairDeckPanes, RoofPitchTakesItsBoundsAndStoresByTheDefault) {
    doc->itsCurLayer = design.third;
    refreshWith({design.roof});
    auto* p = pane<Roof1InspectorController>("Roof1InspectorController");
    EXPECT_EQ(p->pitchRunText->text(), QStringLiteral(": 12"));
    EXPECT_EQ(p->pitchRatioText->text(), QStringLiteral("6"));
    const float& pitch = objfield::roof::kPitch(*design.roof);
    // tan(89.3125 deg) x 12 = 12 / tan(0.6875 deg) = 1000.0.
    const struct { QLineEdit* field; const char* typed; float pitch; int steps; } rows[] = {
        {p->pitchRatioText, "1000.01", 6, 0}, {p->pitchAngleText, "89.4", 6, 0}, {p->pitchRatioText, "abc", 6, 0},
        {p->pitchRatioText, "1000", 1000, 1}, {p->pitchAngleText, "0", 0, 1},    {p->pitchAngleText, "89.3125", 1000, 1},
        {p->pitchRatioText, "0", 0, 1},
    };
    for (const auto& row : rows) {
        typeExpecting(row.field, row.typed, row.steps);
        EXPECT_NEAR(pitch, row.pitch, 0.1f) << row.typed;
        if (row.steps) { EXPECT_EQ(ds->roofValue, ds->roofPitch) << row.typed; }  // the copy
    }
    EXPECT_EQ(undoTitle(), QStringLiteral("Roof Pitch"));
    EXPECT_TRUE(p->pitchAngleText->isEnabled() && p->pitchRatioStepper->isEnabled());

    // What every roof and the default already hold: no step, but a redraw.
    const int redraws = refreshes;
    typeExpecting(p->pitchRatioText, "0", 0);
    EXPECT_GT(refreshes, redraws);
    p->pitchRatioStepper->upButton()->click();
    EXPECT_EQ(std::tuple(pitch, p->pitchRatioText->text(), steps()), std::tuple(1.0f, QStringLiteral("1"), 5));
    // A new pitch with nothing selected: a step, and only the default changes.
    refreshWith({});
    typeExpecting(p->pitchRatioText, "5", 1);
    EXPECT_EQ(pitch, 1);
    EXPECT_EQ(ds->roofPitch, 5);
}

TEST_F(RoofStairDeckPanes, TwoRoofsShowTheirCommonPitchOrNone) {
    doc->itsCurLayer = design.third;
    Objex* other = RoofWithSkylight(design.third, 1);
    auto* p = pane<Roof1InspectorController>("Roof1InspectorController");
    for (const auto& [second, shown] : {std::pair{6.004f, true}, std::pair{6.01f, false}}) {
        objfield::roof::kPitch(*other) = second;
        refreshWith({design.roof, other});
        EXPECT_EQ(p->pitchRatioText->text().isEmpty(), !shown) << second;
        EXPECT_EQ(p->pitchAngleText->isEnabled(), shown) << second;
        EXPECT_EQ(p->pitchRatioStepper->isEnabled(), shown) << second;
    }
    // Metric designs show the rise per 10: a pitch of 12 is 12 / 0.3937 x 0.32808334 = 10.
    ds->units = kMetricUnits;
    objfield::roof::kPitch(*design.roof) = 12;
    refreshWith({design.roof});
    EXPECT_EQ(p->pitchRunText->text(), QStringLiteral(": 10"));
    EXPECT_NEAR(p->pitchRatioText->text().toFloat(), 10, 0.01);
}

TEST_F(RoofStairDeckPanes, PanelElevationAndTheSoffitsFollowingTheTool) {
    doc->itsCurLayer = design.second;
    auto* p = pane<Roof2InspectorController>("Roof2InspectorController");
    refreshWith({design.panel});
    p->elevationButtons->cell(1)->click();
    EXPECT_EQ(objfield::freehand_roof::kHeightsDownward(*design.panel), 1);
    EXPECT_EQ(undoTitle(), QStringLiteral("Roof Elevation"));

    const auto shown = [](QWidget* w) { return !w->isHidden(); };
    // Tool 0: the panel itself.
    const struct { int16_t tool; bool soffits, sides; } rows[] = {
        {7307, true, true}, {7308, true, false}, {7306, false, false}, {0, false, false}};
    for (const auto& row : rows) {
        refreshWith(row.tool ? std::vector<Objex*>{} : std::vector<Objex*>{design.panel}, row.tool ? row.tool : toolid::kSelect);
        EXPECT_EQ(shown(p->includeSoffitsButton) && shown(p->soffitDepthText), row.soffits) << row.tool;
        EXPECT_EQ(shown(p->leftSoffitButton) || shown(p->rightSoffitButton), row.sides) << row.tool;
    }
    // In metres: 0.0002 m is 0.0079 inches, refused; 0.0003 m is 0.0118 inches, taken.
    ds->units = kMetricUnits, ds->metricReadout = 1;
    refreshWith({}, 7307);
    typeExpecting(p->soffitDepthText, "0.0002", 0);
    EXPECT_EQ(ds->roofSoffitValue, 18);
    typeExpecting(p->soffitDepthText, "0.0003", 0);
    EXPECT_NEAR(ds->roofSoffitValue, 0.0118f, 0.0001f);
    p->includeSoffitsButton->click();
    EXPECT_FALSE(ds->soffitInclude || p->soffitDepthText->isEnabled() || p->baseSoffitButton->isEnabled());
}

TEST_F(RoofStairDeckPanes, StaircaseBoxesAlwaysStoreAndOpenStepsInvert) {
    Objex* stair = Make(objtype::kStaircase).plan({{600, 300}, {640, 300}, {640, 400}, {600, 400}}).on(design.first);
    auto* p = pane<StairInspectorController>("StairInspectorController");
    refreshWith({}, 7058);
    int before = steps();
    p->skirtWallsButton->click();
    EXPECT_EQ(steps(), before + 1);
    EXPECT_EQ(undoTitle(), QStringLiteral("Skirt Walls"));

    refreshWith({stair});
    for (const auto& [on, riser, openDefault] : {std::tuple{true, 0.0f, 1}, std::tuple{false, 1.0f, 0}}) {
        if (p->openStepsButton->isChecked() != on) p->openStepsButton->click();
        EXPECT_EQ(objfield::stair::kOpenSteps(*stair), riser);
        EXPECT_EQ(ds->stairOpenSteps, openDefault);
    }
    typeExpecting(p->stairHeightText, "10000", 0);
    typeExpecting(p->stairHeightText, "9999.9", 1);
    EXPECT_NEAR(objfield::stair::kFloorHeight(*stair), 9999.9f, 0.07f);
    EXPECT_EQ(undoTitle(), QStringLiteral("Staircase Height"));
}

TEST_F(RoofStairDeckPanes, DeckStepsChangeOnlyWhenTheyDiffer) {
    doc->itsCurLayer = design.second;
    AttachmentRecord* r = design.steps->typeData.attachment;
    r->width = plan(36);
    refreshWith({design.steps});
    auto* p = pane<DeckStepInspectorController>("DeckStepInspectorController");
    // The width every step has: no step, a redraw, the default.
    const int redraws = refreshes;
    typeExpecting(p->stepWidthText, "36", 0);
    EXPECT_GT(refreshes, redraws);
    EXPECT_EQ(ds->deckStepWidth, 36);
    // Only the step is selected, not its deck's outline: the step still changes.
    typeExpecting(p->stepHeightText, "30", 1);
    EXPECT_FLOAT_EQ(r->height, plan(30));
}

TEST_F(RoofStairDeckPanes, DeckFieldsBoxesAndTheToolPane) {
    doc->itsCurLayer = design.second;
    auto* tool = pane<DeckToolInspectorController>("DeckToolInspectorController");
    refreshWith({}, 7600);
    typeExpecting(tool->balusterSpacingText, "73", 0);
    EXPECT_NE(ds->balusterSpacing, 73);
    typeExpecting(tool->balusterSpacingText, "72.9", 0);
    EXPECT_NEAR(ds->balusterSpacing, 72.9f, 0.07f);

    auto* p = pane<DeckObjectInspectorController>("DeckObjectInspectorController");
    refreshWith({design.deck});
    typeExpecting(p->balusterSpacingText, "73", 0);
    typeExpecting(p->deckHeightText, "60", 1);
    for (Poinz* q = design.deck->firstPoint; q; q = q->next) EXPECT_FLOAT_EQ(q->position[1], -plan(60));
    EXPECT_EQ(df::kHeight(*design.deck), 60);

    // The post box: the first selected point decides, a later different one turns it off.
    df::kEdgeFlags(*PointAt(design.deck, 0)) |= df::kPostCorner;
    refreshWith({});
    PointAt(design.deck, 0)->selected = 1;
    InspectorUpdatePropertiesState(1);
    EXPECT_TRUE(p->includePostButton->isChecked());
    PointAt(design.deck, 2)->selected = 1;
    InspectorUpdatePropertiesState(1);
    EXPECT_FALSE(p->includePostButton->isChecked());
    // No segment selected (points 0 and 2 are not neighbours): the handrail height is only the default.
    typeExpecting(p->railHeightText, "40", 0);
    EXPECT_EQ(ds->deckRailHeight, 40);
}

TEST_F(RoofStairDeckPanes, InsertStepsStopsAtTheFirstCurveAndCurvesAreGuarded) {
    doc->itsCurLayer = design.second;
    auto* p = pane<DeckObjectInspectorController>("DeckObjectInspectorController");
    design.steps->typeData.attachment->width = plan(36);
    Objex* curved = Deck(design.second);
    PointAt(curved, 0)->outTangent[0] = 20;
    const int children = CountObjects(design.deck->firstChild);
    const int before = steps();
    // The curved deck first in the floor's list: the walk stops at its first segment, before
    // the straight deck, so nothing changes and no step is stored.
    UnlinkObject(design.deck);
    AppendObjectToLayer(design.deck, design.second);
    refreshWith({curved, design.deck});
    p->insertStepsButton->click();
    ASSERT_EQ(alerts.shown.size(), 1u);
    EXPECT_EQ(alerts.shown[0].alert.message, "Unable to insert deck steps.");
    EXPECT_EQ(alerts.shown[0].alert.informative, "Deck steps cannot be inserted into curved deck segments.");
    EXPECT_EQ(CountObjects(design.deck->firstChild), children);
    EXPECT_EQ(CountObjects(curved->firstChild), 0);
    EXPECT_EQ(steps(), before);
    // The straight deck first: each of its selected segments, the closing one too, takes a
    // step; the curved deck then stops the walk with the alert, and the steps stay, in one step.
    UnlinkObject(curved);
    AppendObjectToLayer(curved, design.second);
    refreshWith({design.deck, curved});
    p->insertStepsButton->click();
    ASSERT_EQ(alerts.shown.size(), 2u);
    EXPECT_EQ(alerts.shown[1].alert.message, "Unable to insert deck steps.");
    EXPECT_EQ(CountObjects(design.deck->firstChild), children + 4);
    EXPECT_EQ(CountObjects(curved->firstChild), 0);
    EXPECT_EQ(steps(), before + 1);
    EXPECT_EQ(undoTitle(), QStringLiteral("Insert Deck Steps"));
    refreshWith({design.deck});

    // A step's attachment point selected blocks the curve sheet.
    p->adjustCurveButton->click();
    EXPECT_EQ(alerts.shown.back().alert.message, "Unable to adjust deck segment curvature.");
    EXPECT_FALSE(w->findChild<QDialog*>(QStringLiteral("CurveTensionSheet")));
}

}  // namespace
}  // namespace dvxtest

// Plants, foundation elements, staircases and ducts as recorded, seen from above at zoom 1 and
// scale 72: a plan point is the view point, an inch a plan unit.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "app/core/main_window_seams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "plan/site_symbols.h"
#include "support/build.h"
#include "support/drawing_doubles.h"

namespace {

using dvxtest::DrawnOp;
using dvxtest::Make;
struct Line { double x1, y1, x2, y2; };

class SiteSymbols : public dvxtest::DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        ds = doc->itsDocState;
        ds->zoomFactor = 1, ds->planScale = 72, ds->showDimensions = 1;
        dvxtest::SetPlanView();
        SetMainWindowDocumentViewHandler([this] { return &view; });  // text goes through the view
    }
    Objex* Along(int16_t type, float length, int32_t subtype = 0) {
        return Make(type, subtype).on(doc->itsCurLayer).plan({{0, 0}, {length, 0}});
    }
    std::vector<Line> Lines(const DrawnOp& op) {
        std::vector<Line> out;
        double x = 0, y = 0;
        for (const auto& e : op.path.elements()) {
            if (e.kind == port::Path::Kind::Line) out.push_back({x, y, e.p[0], e.p[1]});
            if (e.kind == port::Path::Kind::Move || e.kind == port::Path::Kind::Line) x = e.p[0], y = e.p[1];
        }
        return out;
    }
    std::vector<std::string> Texts() {
        std::vector<std::string> out;
        for (const DrawnOp& op : context.ops)
            if (op.kind == DrawnOp::Kind::TextAt) out.push_back(op.text);
        return out;
    }
    port::Point Origin(const DrawnOp& op) { return op.state.matrix.map({0, 0}); }

    DocState* ds = nullptr;
    dvxtest::RecordingContext context;
    port::DrawingScope scope{context};
    dvxtest::FakeViewHost host;
    Base2DView view{&host};
};

TEST_F(SiteSymbols, PlantSpokesAlternateAndOvershootTheCircleWhichFollowsTheZoom) {
    struct Row { float zoom, r; };
    for (const Row& row : {Row{1, 20}, Row{2, 20}, Row{1, 0}}) {
        ds->zoomFactor = row.zoom;
        context.ops.clear();
        DrawPlant(nullptr, Make(objtype::kPlant).plan({{0, 0}, {2 * row.r, 0}, {2 * row.r, 2 * row.r}}));
        ASSERT_EQ(context.ops.size(), 1u);
        const std::vector<Line> spokes = Lines(context.ops[0]);
        ASSERT_EQ(spokes.size(), 6u);
        const double cx = row.r * row.zoom;
        for (size_t i = 0; i < 6; ++i) {
            const double half = std::hypot(spokes[i].x2 - spokes[i].x1, spokes[i].y2 - spokes[i].y1) / 2;
            EXPECT_NEAR(half, (i % 2 ? 0.9 : 1.0) * row.r * row.zoom, 1.0) << i;
            const double angle = std::atan2(spokes[i].y1 - spokes[i].y2, spokes[i].x1 - spokes[i].x2) * 180 / M_PI;
            if (row.r > 0) EXPECT_NEAR(std::remainder(angle + 30.0 * i, 180), 0, 3) << i;  // 30-degree steps
        }
        // The circle: 0.8 r zoomed about the centre.
        double left = 1e9, right = -1e9;
        for (const auto& e : context.ops[0].path.elements())
            if (e.kind == port::Path::Kind::Curve) left = std::min(left, e.p[4]), right = std::max(right, e.p[4]);
        EXPECT_EQ(left, cx - std::floor(0.8 * row.r * row.zoom + 0.5));
        EXPECT_EQ(right, cx + std::floor(0.8 * row.r * row.zoom + 0.5));
    }
}

TEST_F(SiteSymbols, BeamsAreDashedAlwaysAndLabelledOnlyWithDimensions) {
    for (uint8_t dims : {0, 1}) {
        ds->showDimensions = dims;
        Objex* beam = Along(objtype::kStiffenerBeam, 100);
        objfield::beam::kWidth(*beam) = 12, objfield::beam::kDepth(*beam) = 24;
        context.ops.clear();
        DrawFoundationBeam(nullptr, beam);
        ASSERT_FALSE(context.ops.empty());
        EXPECT_EQ(context.ops[0].state.dash, (std::vector<double>{18, 6}));
        const std::vector<Line> sides = Lines(context.ops[0]);
        ASSERT_EQ(sides.size(), 4u);
        EXPECT_EQ(sides[0].y1 - sides[1].y1, -11);  // 12 across, the upper side made whole toward zero
        const std::vector<std::string> texts = Texts();
        ASSERT_EQ(texts.size(), dims ? 1u : 0u);
        if (dims) EXPECT_EQ(texts[0], "8'-4\"L, 1'-0\" W, 2'-0\" D");
    }
}

TEST_F(SiteSymbols, APierKeepsASquareOfItsDiameterAboutItsCentre) {
    struct Row { dvxtest::PlanPoints at; float left, top, secondH; };
    for (const Row& row : {Row{{{45, 45}, {55, 45}, {55, 55}, {45, 55}}, 38, 38, 62},
                           Row{{{38, 40}, {70, 40}, {62, 60}, {38, 60}}, 38, 40, 70}}) {
        Objex* pier = Make(objtype::kFoundationPier).on(doc->itsCurLayer).plan(row.at).bounds();
        objfield::pier::kWidth(*pier) = 24;
        context.ops.clear();
        DrawFoundationPier(nullptr, pier);
        EXPECT_EQ(dvxtest::PlanPositions(pier)[0], (std::pair<float, float>{row.left, row.top}));
        EXPECT_EQ(dvxtest::PlanPositions(pier)[1].first, row.secondH);
        EXPECT_EQ(pier->bounds.floatLeft, std::min(row.left, 38.0f));
        const port::Rect circle = context.ops[0].path.bounds();
        EXPECT_NEAR(circle.x, 38, 0.01);
        EXPECT_NEAR(circle.width, 24, 0.01);
        ASSERT_EQ(Texts(), (std::vector<std::string>{"2'-0\" DIA"}));
        EXPECT_NEAR(Origin(context.ops.back()).x, 62 + 33, 1) << Origin(context.ops.back()).x;
    }
}

TEST_F(SiteSymbols, AStrandHasATenUnitStopBarAndAFilledHead) {
    context.ops.clear();
    DrawFoundationTensionCable(nullptr, Along(objtype::kPostTensionStrand, 100));
    ASSERT_EQ(context.ops.size(), 2u);
    const std::vector<Line> lines = Lines(context.ops[0]);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(std::abs(lines[0].y2 - lines[0].y1), 9);  // -5 .. 5, the upper end made whole toward zero
    EXPECT_EQ(context.ops[1].kind, DrawnOp::Kind::Fill);
    EXPECT_NEAR(context.ops[1].path.bounds().x + context.ops[1].path.bounds().width, 100, 0.5);
}

TEST_F(SiteSymbols, StairsShowSizesAndAnUpArrowAlongTheirFirstStep) {
    struct Row { uint8_t dims; int32_t subtype; float rise; size_t texts; std::string risers; bool across; };
    for (const Row& row : {Row{0, 0, 100, 0}, Row{1, 0, 100, 3, "14R x 10\"T", false},
                           Row{1, 0, 5, 3, "1R x 10\"T", false}, Row{1, 801, 100, 3, "14R x 10\"T", true}}) {
        ds->showDimensions = row.dims, ds->curveSegments = 4;
        Objex* stair = Make(objtype::kStaircase, row.subtype).on(doc->itsCurLayer)
                           .at({{0, 0, 0, {}, {300, 0, 0}}, {0, 0, 100}});
        objfield::stair::kWidth(*stair) = 36, objfield::stair::kRiser(*stair) = 7;
        objfield::stair::kTread(*stair) = 10, objfield::stair::kFloorHeight(*stair) = row.rise;
        context.ops.clear();
        DrawStaircase(nullptr, stair);
        const std::vector<std::string> texts = Texts();
        ASSERT_EQ(texts.size(), row.texts);
        if (!row.texts) {
            EXPECT_TRUE(context.ops.empty());
            continue;
        }
        EXPECT_EQ(texts[0], "3'-0\"W");
        EXPECT_EQ(texts[1], row.risers);
        EXPECT_EQ(texts[2], "Up");
        const auto arrow = std::find_if(context.ops.begin(), context.ops.end(),
                                        [](const DrawnOp& op) { return op.kind == DrawnOp::Kind::Stroke; });
        ASSERT_NE(arrow, context.ops.end());
        const Line shaft = Lines(*arrow).at(0);
        // From 27 to 54 along the first step: down the chord, or across for the curve's first step.
        EXPECT_NEAR(std::hypot(shaft.x2 - shaft.x1, shaft.y2 - shaft.y1), 27, 1.5);
        EXPECT_EQ(std::abs(shaft.x2 - shaft.x1) > std::abs(shaft.y2 - shaft.y1), row.across);
        EXPECT_GT(row.across ? shaft.x2 : shaft.y2, row.across ? shaft.x1 : shaft.y1);
    }
}

TEST_F(SiteSymbols, DuctsFlowTwoThirdsOfTheirUnitArrowIntoTheEnd) {
    struct Row { int16_t units; uint8_t dims; double from; size_t texts; };
    for (const Row& row : {Row{kImperialUnits, 1, 83, 2}, Row{kMetricUnits, 0, 63, 0}, Row{kImperialUnits, 0, 83, 0}}) {
        ds->units = row.units, ds->showDimensions = row.dims;
        Objex* duct = Along(objtype::kAirDuct, 100);
        objfield::duct::kWidth(*duct) = 10, objfield::duct::kHeight(*duct) = 8;
        context.ops.clear();
        DrawHVACDuct(nullptr, duct);
        ASSERT_GE(context.ops.size(), 3u);
        EXPECT_EQ(context.ops[0].state.dash, (std::vector<double>{3, 3}));
        EXPECT_EQ(Lines(context.ops[0])[0].y1, -4);  // 5 above, made whole toward zero
        const std::vector<Line> flow = Lines(context.ops[1]);
        ASSERT_EQ(flow.size(), 1u);
        EXPECT_EQ(flow[0].x1, row.from);
        EXPECT_EQ(flow[0].x2, 100);
        EXPECT_TRUE(context.ops[1].state.dash.empty());
        EXPECT_EQ(context.ops[2].kind, DrawnOp::Kind::Stroke);  // an open head: strokes only
        const std::vector<std::string> texts = Texts();
        ASSERT_EQ(texts.size(), row.texts);
        if (row.texts) EXPECT_EQ(texts[0], "10\"x8\"");
    }
}

}  // namespace

// Plan symbols as recorded from above at zoom 1, scale 72 (a plan point is the view point; plotting
// truncates toward zero, so -6 lands on -5). Doors: 36 units, (100, 0)-(136, 0), in a 12-unit wall.
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "app/core/main_window_seams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/type_data.h"
#include "plan/doors.h"
#include "plan/fill_regions.h"
#include "plan/plan_frame.h"
#include "model/plan_objects.h"
#include "plan/site_symbols.h"
#include "support/build.h"
#include "support/drawing_doubles.h"
#include "plan/arc_builders.h"

namespace {

using dvxtest::DrawnOp;
using dvxtest::Make;
using Seg = std::array<double, 4>;  // x1, y1, x2, y2
using Segs = std::vector<Seg>;
constexpr float kQuarter = 1.5707963f;
const port::Color kRed{1, 0, 0, 1};

class PlanSymbols : public dvxtest::DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        ds = doc->itsDocState;
        ds->zoomFactor = 1, ds->planScale = 72, ds->showDimensions = 1, ds->curveSegments = 4;
        ds->penColor = {0, 0, 65535}, ds->backgroundColor = {65535, 65535, 0};
        dvxtest::SetPlanView();
        SetMainWindowDocumentViewHandler([this] { return &view; });  // text goes through the view
        (wall = dvxtest::Outline(objtype::kWall, {{0, 0}, {400, 0}}, false).on(doc->itsCurLayer))->penWidth = 12;
    }
    Objex* Door(int16_t type, int16_t style, uint8_t side, float swing = 0, int16_t flags = 0) {
        Objex* o = Make(dvxtest::Attach(wall, type, dvxtest::PointAt(wall, 0), dvxtest::PointAt(wall, 1))).plan({{100, 0}, {136, 0}});
        AttachmentRecord* r = o->typeData.attachment;
        r->style = style, r->sideFlag = side, r->swingOrOffset = swing, r->directionFlag = flags, r->height = 80;
        return o;
    }
    Objex* Along(int16_t type, float length) { return Make(type).on(doc->itsCurLayer).plan({{0, 0}, {length, 0}}); }
    template <typename Draw> void Record(Draw draw) { context.ops.clear(), draw(); }
    // The lines stroked from operation `from` on (or of that one operation alone).
    Segs Lines(size_t from = 0, bool one = false) {
        Segs out;
        for (size_t i = from; i < context.ops.size() && (!one || i == from); ++i) {
            double x = 0, y = 0;  // strokes are moves and lines but for the ovals, which come last
            for (const auto& e : context.ops[i].path.elements()) {
                if (context.ops[i].kind != DrawnOp::Kind::Stroke || e.kind == port::Path::Kind::Close) continue;
                if (e.kind == port::Path::Kind::Line) out.push_back(Seg{x, y, e.p[0], e.p[1]});
                x = e.p[0], y = e.p[1];
            }
        }
        return out;
    }
    std::vector<std::string> Texts(std::vector<std::string> out = {}) {
        for (const DrawnOp& op : context.ops) if (op.kind == DrawnOp::Kind::TextAt) out.push_back(op.text);
        return out;
    }

    DocState* ds = nullptr;
    Objex* wall = nullptr;
    dvxtest::RecordingContext context;
    port::DrawingScope scope{context};
    dvxtest::FakeViewHost host;
    Base2DView view{&host};
};

TEST_F(PlanSymbols, TheSwingTurnsAboutTheHingeByTheFlagsAndRefusesWideOrNarrowSweeps) {
    struct Row { uint8_t side; float swing; int16_t flags; double hinge = 0, sign = 0, near = 0, far = 0; };
    for (const Row& row : {Row{0, -kQuarter, 0, 136, -1, -4, -40}, Row{0, -kQuarter, 4}, Row{0, kQuarter, 4, 136, 1, 5, 41},
                           Row{1, -kQuarter, 0, 100, 1, 5, 41}, Row{0, 0, 0}, Row{0, 0, 4}, Row{0, 4 * kQuarter, 4},
                           Row{0, -3.49f, 0}, Row{0, 3.49f, 4}}) {  // 200 degrees either way
        Record([&] { DrawDoorOpening(nullptr, Door(objtype::kDoor, 501, row.side, row.swing, row.flags)); });
        const Segs arc = Lines(2);  // after the gap and the dashed line: the arc, L - 3 about the hinge, and
        ASSERT_EQ(arc.empty(), row.sign == 0) << row.swing << " " << row.flags;
        if (arc.empty()) continue;  // the leaf from 5 out to 5 beyond the door's length
        EXPECT_EQ(arc.back(), (Seg{row.hinge, row.near, row.hinge, row.far}));
        for (size_t i = 0; i + 1 < arc.size(); ++i) {
            EXPECT_NEAR(std::hypot(arc[i][2] - row.hinge, arc[i][3]), 33, 1.6);
            EXPECT_GE(arc[i][3] * row.sign, -1);
        }
    }
}

// Every redraw lays a door's swing, and a curved floor outline's fill, on a scratch copy: the
// design's object and point counters (which a save writes) stay as they were.
TEST_F(PlanSymbols, RedrawingASwingOrACurvedFillTakesNoNumber) {
    Objex* door = Door(objtype::kDoor, 501, 0, -kQuarter, 0);
    Objex* curved = Make(objtype::kFloor).on(doc->itsCurLayer).closed().plan({{0, 0}, {100, 0}, {100, 100}});
    curved->firstPoint->outTangent[0] = 20;
    const RGBColor black{0, 0, 0}, grey{30000, 30000, 30000};
    const auto counters = std::pair(ds->nextObjectID, ds->nextPointID);
    Record([&] { DrawDoorOpening(nullptr, door); });
    ASSERT_FALSE(Lines(2).empty()) << "no swing drawn";
    Draw2DCurvedFillRegion(nullptr, curved, 5, 0, &black, &grey, 0);
    EXPECT_EQ(std::pair(ds->nextObjectID, ds->nextPointID), counters);
}

TEST_F(PlanSymbols, DoorSymbolsLandOnHandWorkedPointsFollowTheSideFlagAndIgnoreTheRedHighlight) {
    struct Row { int16_t style; uint8_t side; Segs lines; };
    const Row rows[] = {
        {500, 0, {{136, 6, 100, 6}, {136, -5, 100, -5}}},
        {502, 0, {{118, -5, 118, 0}, {118, -5, 100, -5}, {118, 0, 100, 0}, {100, -5, 100, 0},
                  {109, 6, 109, 0}, {109, 6, 127, 6}, {109, 0, 127, 0}, {127, 6, 127, 0}}},
        {502, 1, {{118, 6, 118, 0}, {118, 6, 136, 6}, {118, 0, 136, 0}, {136, 6, 136, 0},
                  {127, -5, 127, 0}, {127, -5, 109, -5}, {127, 0, 109, 0}, {109, -5, 109, 0}}},
        {510, 0, {{154, 3, 154, -2}, {154, 3, 136, 3}, {154, -2, 136, -2}, {118, 3, 118, -2}, {118, 3, 136, 3}, {118, -2, 136, -2}}},
        {511, 0, {{100, 0, 114, 7}, {114, 7, 129, 0}}},
        {511, 1, {{100, 0, 114, -6}, {114, -6, 129, 0}}},
        {503, 0, {{136, 0, 100, 0}, {100, 0, 100, 80}, {136, 0, 136, 80}, {100, 80, 136, 80}}},
        {503, 1, {{100, 0, 136, 0}, {100, 0, 100, -79}, {136, 0, 136, -79}, {100, -79, 136, -79}}},
    };
    for (const Row& row : rows) {
        Record([&] { DrawObject(nullptr, Door(objtype::kDoor, row.style, row.side), nullptr, drawflag::kAll | 4, nullptr); });
        EXPECT_EQ(Lines(1), row.lines) << row.style << " side " << int(row.side);
        for (const DrawnOp& op : context.ops) EXPECT_TRUE(op.kind != DrawnOp::Kind::Stroke || op.state.stroke != kRed);
        const std::vector<double> dash = row.style == 503 ? std::vector<double>{18, 6} : row.style == 500 ? std::vector<double>{3, 3} : std::vector<double>{};
        EXPECT_EQ(context.ops.back().state.dash, dash);
        if (row.style == 510) { EXPECT_EQ(context.ops[1].state.stroke.blue, 0); }  // the pocket in the background
    }
}

TEST_F(PlanSymbols, WindowsStandOutFourOnlyInThePlanAndAccessoriesStandOnTheFlaggedFace) {
    struct Row { uint8_t printing, perspective; float xAngle; float fillBlue; };
    for (const Row& row : {Row{0, 0, 90, 0}, Row{1, 0, 90, 1}, Row{0, 0, 0, -1}, Row{0, 1, 90, -1}}) {
        dvxtest::SetView(row.xAngle, 0, row.perspective, 1000);
        gPrinting = row.printing, gHPrintScale = gVPrintScale = 1;
        Record([&] { DrawWindow(nullptr, Door(objtype::kWindow, 600, 0)), gPrinting = 0; });
        ASSERT_EQ(context.ops.size(), row.fillBlue < 0 ? 0u : 2u) << row.xAngle << int(row.perspective);
        if (const port::Rect box = context.ops.empty() ? port::Rect{} : context.ops[0].path.bounds(); row.fillBlue >= 0) {
            EXPECT_EQ((std::array{box.x, box.y, box.width, box.height, double(context.ops[0].state.fill.blue)}),
                      (std::array<double, 5>{100, -9, 36, 19, row.fillBlue}));
        }
    }
    dvxtest::SetPlanView();
    struct Acc { uint8_t side; float offset; Segs lines; };
    for (const Acc& row : {Acc{0, 2, {{100, 6, 100, 12}, {100, 12, 136, 12}, {136, 12, 136, 6}, {136, 6, 118, 12}, {118, 12, 100, 6}}},
                           Acc{1, 10, {{100, -5, 100, -15}, {100, -15, 136, -15}, {136, -15, 136, -5}, {136, -5, 118, -14}, {118, -14, 100, -5}}}}) {
        Record([&] { DrawObject(nullptr, Door(objtype::kAccessory, 0, row.side, row.offset), nullptr, drawflag::kAll | 4, nullptr); });
        EXPECT_TRUE(Lines() == row.lines && context.ops.at(0).state.stroke == kRed) << int(row.side);
    }
}

TEST_F(PlanSymbols, TemporaryArcsFollowTheIncrementAndMayDropTheClosingPoint) {
    struct Row { FloatRect rect; float start, sweep, step; uint8_t dropLast; int32_t count; float h0, d0, h1 = 0, d1 = 0; };
    const FloatRect square{0, 0, 100, 100}, wide{0, 0, 100, 200};
    const float h = 50 + 50 * std::cos(0.017453292f), d = 50 - 50 * std::sin(0.017453292f);
    for (const Row& row : {Row{square, 0, 90, 90, 0, 2, 50, 0, 100, 50}, Row{square, 0, 90, 90, 1, 1, 50, 0},
                           Row{square, 0, 360, 90, 0, 5, 100, 50, 100, 50}, Row{square, 0, 360, 90, 1, 4, 100, 50},
                           Row{square, 0, 90, 30, 0, 4, 50, 0, 100, 50}, Row{square, 0, 1e-6f, 90, 0, 2, h, d, 100, 50},
                           Row{wide, 90, -90, 90, 0, 2, 200, 50, 100, 0}}) {
        Float3DPoint at[8], in[8], out[8];
        int32_t count = -1;
        Draw3DEllipse(nullptr, &row.rect, row.start, row.sweep, 2, 7, at, in, out, 0, &count, row.dropLast, row.step);
        ASSERT_EQ(count, row.count) << row.sweep << " " << row.step;
        EXPECT_TRUE(std::abs(at[0].floatH - row.h0) < 1e-3 && std::abs(at[0].floatD - row.d0) < 1e-3 && at[0].floatV == 7);
        EXPECT_TRUE(row.dropLast || (std::abs(at[count - 1].floatH - row.h1) < 1e-3 && std::abs(at[count - 1].floatD - row.d1) < 1e-3));
        for (int i = 0; i < count; ++i) EXPECT_TRUE(in[i].floatH == out[i].floatH && in[i].floatD == out[i].floatD);
    }
}

TEST_F(PlanSymbols, PlantSpokesAlternateAndOvershootTheCircleWhichFollowsTheZoom) {
    for (auto [zoom, r] : {std::pair{1.0f, 20.0f}, {2.0f, 20.0f}, {1.0f, 0.0f}}) {
        ds->zoomFactor = zoom;
        Record([&] { DrawPlant(nullptr, Make(objtype::kPlant).on(doc->itsCurLayer).plan({{0, 0}, {2 * r, 0}, {2 * r, 2 * r}})); });
        const Segs spokes = Lines();
        ASSERT_EQ(spokes.size(), 6u);
        for (size_t i = 0; i < 6; ++i) {  // 30-degree steps
            const auto [x1, y1, x2, y2] = spokes[i];
            EXPECT_NEAR(std::hypot(x2 - x1, y2 - y1) / 2, (i % 2 ? 0.9 : 1.0) * r * zoom, 1.0) << i;
            if (r > 0) { EXPECT_NEAR(std::remainder(std::atan2(y1 - y2, x1 - x2) * 180 / M_PI + 30.0 * i, 180), 0, 3) << i; }
        }
        double left = 1e9;  // the circle's
        for (const auto& e : context.ops[0].path.elements()) if (e.kind == port::Path::Kind::Curve) left = std::min(left, e.p[4]);
        EXPECT_EQ(left, r * zoom - std::floor(0.8 * r * zoom + 0.5));
    }
}

TEST_F(PlanSymbols, FoundationsDrawTheirOutlinesAndLabelOnlyWithDimensions) {
    for (uint8_t dims : {0, 1}) {
        ds->showDimensions = dims;
        Objex* beam = Along(objtype::kStiffenerBeam, 100);
        objfield::beam::kWidth(*beam) = 12, objfield::beam::kDepth(*beam) = 24;
        Record([&] { DrawFoundationBeam(nullptr, beam); });
        EXPECT_EQ(context.ops.at(0).state.dash, (std::vector<double>{18, 6}));
        EXPECT_EQ(Lines(0, true).at(1)[1], 6);
        EXPECT_EQ(Texts(), dims ? std::vector<std::string>{"8'-4\"L, 1'-0\" W, 2'-0\" D"} : std::vector<std::string>{});
    }
    Record([&] { DrawFoundationTensionCable(nullptr, Along(objtype::kPostTensionStrand, 100)); });
    EXPECT_EQ(Lines(), (Segs{{0, -4, 0, 5}, {0, 0, 100, 0}}));  // a bar of 10 (made whole toward zero)
    EXPECT_EQ(context.ops.at(1).kind, DrawnOp::Kind::Fill);  // a filled head at the end
    EXPECT_NEAR(context.ops[1].path.bounds().x + context.ops[1].path.bounds().width, 100, 0.5);
    // A pier keeps a square of its diameter about its centre.
    struct Row { dvxtest::PlanPoints at; std::pair<float, float> first; float secondH; };
    for (const Row& row : {Row{{{45, 45}, {55, 45}, {55, 55}, {45, 55}}, {38, 38}, 62},
                           Row{{{38, 40}, {70, 40}, {62, 60}, {38, 60}}, {38, 40}, 70}}) {  // already on the left edge
        Objex* pier = Make(objtype::kFoundationPier).on(doc->itsCurLayer).plan(row.at).bounds();
        objfield::pier::kWidth(*pier) = 24;
        Record([&] { DrawFoundationPier(nullptr, pier); });
        EXPECT_TRUE(dvxtest::PlanPositions(pier)[0] == row.first && dvxtest::PlanPositions(pier)[1].first == row.secondH);
        const port::Rect circle = context.ops[0].path.bounds();
        EXPECT_TRUE(pier->bounds.floatTop == row.first.second && std::abs(circle.x - 38) < 0.01 && std::abs(circle.width - 24) < 0.01);
        EXPECT_EQ(Texts(), std::vector<std::string>{"2'-0\" DIA"});
        EXPECT_NEAR(context.ops.back().state.matrix.map({0, 0}).x, 62 + 33, 1);
    }
}

TEST_F(PlanSymbols, StairsShowSizesAndAnUpArrowAlongTheirFirstStep) {
    struct Row { uint8_t dims; int32_t subtype; float rise; std::string risers; bool across = false; };
    for (const Row& row : {Row{0, 0, 100, ""}, Row{1, 0, 100, "14R x 10\"T"}, Row{1, 0, 5, "1R x 10\"T"},
                           Row{1, 801, 100, "14R x 10\"T", true}}) {
        ds->showDimensions = row.dims;
        Objex* stair = Make(objtype::kStaircase, row.subtype).on(doc->itsCurLayer).at({{0, 0, 0, {}, {300, 0, 0}}, {0, 0, 100}});
        objfield::stair::kWidth(*stair) = 36, objfield::stair::kRiser(*stair) = 7, objfield::stair::kTread(*stair) = 10;
        objfield::stair::kFloorHeight(*stair) = row.rise;
        Record([&] { DrawStaircase(nullptr, stair); });
        EXPECT_EQ(Texts(), (row.dims ? std::vector<std::string>{"3'-0\"W", row.risers, "Up"} : std::vector<std::string>{}));
        if (!row.dims) { EXPECT_TRUE(context.ops.empty()); continue; }
        // The shaft from 27 to 54 away from the first point: down the chord, or across along the curve.
        const auto [x1, y1, x2, y2] = Lines().at(0);
        EXPECT_NEAR(std::hypot(x2 - x1, y2 - y1), 27, 1.5);
        EXPECT_GT(row.across ? x2 - x1 : y2 - y1, 25);
    }
}

TEST_F(PlanSymbols, StairLabelsReadUprightWhicheverWayTheStairRunsAndKeepTheirPlace) {
    // The first point at the origin, the second 100 away; a is the direction back to the first.
    // Labels sit 16, 33 and -14.25 along a (boxes made whole toward zero); a label angle (a + 90)
    // in (90, 270] turns by 180, and the recorded turn is clockwise on screen.
    struct Row { const char* runs; float h, d; double a, angle; };
    for (const Row& row : {Row{"down", 0, 100, 90, 0}, Row{"left", -100, 0, 0, 90}, Row{"up", 0, -100, 270, 0},
                           Row{"right", 100, 0, 180, 90}}) {
        Objex* stair = Make(objtype::kStaircase).on(doc->itsCurLayer).at({{0, 0, 0}, {row.h, 0, row.d}});
        objfield::stair::kWidth(*stair) = 36, objfield::stair::kRiser(*stair) = 7, objfield::stair::kTread(*stair) = 10;
        objfield::stair::kFloorHeight(*stair) = 100;
        Record([&] { DrawStaircase(nullptr, stair); });
        std::vector<const DrawnOp*> texts;
        for (const DrawnOp& op : context.ops) if (op.kind == DrawnOp::Kind::TextAt) texts.push_back(&op);
        ASSERT_EQ(texts.size(), 3u) << row.runs;
        const double rad = row.a * 3.14159265358979 / 180;
        for (size_t i = 0; i < 3; ++i) {
            const double along = std::array<double, 3>{16, 33, -14.25}[i];
            const port::Point c = texts[i]->state.matrix.map({texts[i]->rect.x + texts[i]->rect.width / 2, texts[i]->rect.y + texts[i]->rect.height / 2});
            EXPECT_NEAR(std::remainder(texts[i]->angle + row.angle, 360.0), 0, 1e-3) << row.runs << " " << texts[i]->text << " " << texts[i]->angle;
            EXPECT_NEAR(c.x, along * std::cos(rad), 1.5) << row.runs << " " << texts[i]->text;
            EXPECT_NEAR(c.y, -along * std::sin(rad), 1.5) << row.runs << " " << texts[i]->text;
        }
    }
}

TEST_F(PlanSymbols, DuctsFlowTwoThirdsOfTheirUnitArrowIntoTheEnd) {
    struct Row { int16_t units; uint8_t dims; double from; std::vector<std::string> texts; };
    for (const Row& row : {Row{kImperialUnits, 1, 83, {"10\"x8\"", "8'-4\""}}, Row{kMetricUnits, 0, 63, {}}}) {
        ds->units = row.units, ds->showDimensions = row.dims;
        Objex* duct = Along(objtype::kAirDuct, 100);
        objfield::duct::kWidth(*duct) = 10, objfield::duct::kHeight(*duct) = 8;
        Record([&] { DrawHVACDuct(nullptr, duct); });
        EXPECT_TRUE(context.ops.at(0).state.dash == (std::vector<double>{3, 3}) && Lines(0, true).at(0)[1] == -4);  // 10 across
        EXPECT_EQ(Lines(1, true), (Segs{{row.from, 0, 100, 0}}));
        EXPECT_TRUE(context.ops[1].state.dash.empty() && context.ops.at(2).kind == DrawnOp::Kind::Stroke);  // open head
        EXPECT_EQ(Texts(), row.texts);
    }
}

}  // namespace

// Walls in the plan and the automatic dimensions of edges, as recorded (text measures 7 x 12
// a character): readouts and callouts by count and side, faces measured, edge labels, the
// rubber band of a wall being drawn, and the deck, path and sprinkler labels. The plan is
// seen from above at zoom 1, so a plan point (h, d) is the view point (h, d).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/core/main_window_seams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "plan/base_2d_view.h"
#include "plan/plan_labels.h"
#include "plan/wall_dimensions.h"
#include "plan/walls.h"
#include "support/build.h"
#include "support/drawing_doubles.h"
#include "support/fixture.h"
#include "tools/wall_construction.h"

namespace {

using dvxtest::DrawnOp;
using dvxtest::Make;
using dvxtest::Outline;
using dvxtest::PointAt;

// One text as seen: its words and the view point it is centred on.
struct Seen {
    std::string text;
    double x = 0, y = 0;
};

class WallsInPlan : public dvxtest::DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        ds = doc->itsDocState;
        ds->zoomFactor = 1.0f, ds->planScale = 72.0f, ds->showDimensions = 1, ds->showCallouts = 1;
        ds->visiblePlans = 2;
        floor = doc->itsCurLayer;
        SetMainWindowDocumentViewHandler([this] { return &view; });
    }
    // A 4-inch wall (dimensions at the plain offsets) from (0, 0) to (400, 0).
    Objex* Wall(float length = 400) {
        Objex* wall = Outline(objtype::kWall, {{0, 0}, {length, 0}}, false).on(floor);
        wall->penWidth = 4;
        return wall;
    }
    Objex* Opening(Objex* wall, int16_t type, float centre) {
        Objex* o = dvxtest::Attach(wall, type, PointAt(wall, 0), PointAt(wall, 1), centre);
        o->typeData.attachment->width = 30, o->typeData.attachment->height = 80;
        o->planBits = 2;
        return o;
    }
    std::vector<Seen> Texts() const {
        std::vector<Seen> out;
        for (const DrawnOp& op : context.ops)
            if (op.kind == DrawnOp::Kind::TextAt) {
                const port::Point c = op.state.matrix.map({0, 0});
                out.push_back({op.text, c.x, c.y});
            }
        return out;
    }
    // Readouts and callouts ("w x h") apart.
    std::pair<std::vector<Seen>, std::vector<Seen>> Split() const {
        std::vector<Seen> readouts, callouts;
        for (const Seen& s : Texts()) (s.text.find(" x ") != std::string::npos ? callouts : readouts).push_back(s);
        return {readouts, callouts};
    }
    size_t Count(DrawnOp::Kind kind) const {
        size_t n = 0;
        for (const DrawnOp& op : context.ops) n += op.kind == kind;
        return n;
    }
    void Dimension(Objex* o, uint8_t side = 1) {
        context.ops.clear();
        DimensionWallSegment(nullptr, o, PointAt(o, 0), PointAt(o, 1), side);
    }

    DocState* ds = nullptr;
    Layer* floor = nullptr;
    dvxtest::RecordingContext context;
    port::DrawingScope scope{context};
    dvxtest::FakeViewHost host;
    Base2DView view{&host};
};

TEST_F(WallsInPlan, OpeningsSplitTheSegmentWithCalloutsAndTwoGetAnOverallDimension) {
    struct Row { std::vector<float> at; int32_t flags; size_t readouts, callouts; };
    const Row rows[] = {
        {{100}, 0, 2, 1},
        {{100, 300}, 0, 4, 2},  // three partials and the overall
        {{100}, 1, 0, 1},       // value 1 hides the dimensions
        {{100}, 2, 2, 0},       // value 2 the callouts
        {{}, 0, 1, 0},
    };
    for (const Row& row : rows) {
        Objex* wall = Wall();
        for (float at : row.at) Opening(wall, objtype::kDoor, at);
        wall->firstPoint->segmentFlags = row.flags;
        Dimension(wall);
        const auto [readouts, callouts] = Split();
        EXPECT_EQ(readouts.size(), row.readouts) << row.at.size() << " " << row.flags;
        EXPECT_EQ(callouts.size(), row.callouts) << row.at.size() << " " << row.flags;
        for (const Seen& r : readouts) EXPECT_LT(r.y, 0);  // flip flag 0: above the wall
        if (row.readouts == 4) {
            EXPECT_NEAR(readouts[3].y - readouts[0].y, -20.0, 0.51);  // the overall, 20 further out
            EXPECT_NEAR(readouts[3].x, 200.0, 0.51);
        }
    }
}

TEST_F(WallsInPlan, CrowdedCalloutsAlternateSides) {
    Objex* wall = Wall();
    for (float at : {100.0f, 140.0f, 180.0f}) Opening(wall, objtype::kWindow, at);
    Dimension(wall);
    const std::vector<Seen> callouts = Split().second;
    ASSERT_EQ(callouts.size(), 3u);
    EXPECT_GT(callouts[0].y, 0);  // the side away from the dimension
    EXPECT_LT(callouts[1].y, 0);
    EXPECT_GT(callouts[2].y, 0);
    EXPECT_EQ(gToggleCallout, 0);
}

TEST_F(WallsInPlan, FacesAreMeasuredOnTheDimensionSideAndTheFlipMovesBoth) {
    ds->planScale = 36.0f;  // a 6-inch wall is 12 plan units thick
    Objex* wall = Outline(objtype::kWall, {{0, 100}, {0, 0}, {200, 0}, {200, 100}}, false).on(floor);
    wall->penWidth = 6;
    Poinz* p = PointAt(wall, 1);
    Poinz* q = PointAt(wall, 2);
    p->dimensionMethod = 1;
    struct Row { int16_t flipped; float startH, endH; bool above; };
    for (const Row& row : {Row{0, -6, 206, true}, Row{1, 6, 194, false}}) {
        p->dimensionFlipped = row.flipped;
        float sh = 0, sv = 0, eh = 0, ev = 0;
        AdjustWallDimensionForMethod(wall, p, q, &sh, &sv, &eh, &ev);
        EXPECT_FLOAT_EQ(sh, row.startH);
        EXPECT_FLOAT_EQ(eh, row.endH);
        EXPECT_NEAR(sv, 0, 1e-5);
        context.ops.clear();
        DimensionWallSegment(nullptr, wall, p, q, 1);
        const std::vector<Seen> readouts = Split().first;
        ASSERT_EQ(readouts.size(), 1u);
        EXPECT_EQ(readouts[0].y < 0, row.above) << row.flipped;
    }
    p->dimensionMethod = 0;
    float sh = 0, sv = 0, eh = 0, ev = 0;
    AdjustWallDimensionForMethod(wall, p, q, &sh, &sv, &eh, &ev);
    EXPECT_EQ(sh, 0);
    EXPECT_EQ(eh, 200);
}

TEST_F(WallsInPlan, PolygonEdgesGetALabelFifteenOffTheEdge) {
    struct Row { int16_t type; int16_t kind; int32_t display; int32_t flags; bool curved; const char* suffix; double y; };
    const Row rows[] = {
        {objtype::kFence, 1, 0, 0, false, " Fence", -15},
        {objtype::kFence, 6, 0, 0, false, " Gate", -15},
        {objtype::kPropertyLine, 1, 0, 0, false, " P.L.", 15},  // on the inverted side
        {objtype::kRailing, 1, 0, 0, false, " Rail", -15},
        {objtype::kDeck, 1, 1, 0, false, " (Open)", -15},
        {objtype::kDeck, 1, 1, 1, false, " (Rail)", -15},
        {objtype::kDeck, 1, 0, 0, false, nullptr, 0},
        {objtype::kFloor, 1, 1, 0, false, "", -15},
        {objtype::kFence, 1, 0, 0, true, nullptr, 0},  // a curved segment
    };
    for (const Row& row : rows) {
        Objex* o = Outline(row.type, {{0, 0}, {200, 0}}, false).on(floor);
        objfield::display::kWord(*o) = row.display;
        o->firstPoint->kind = row.kind;
        o->firstPoint->segmentFlags = row.flags;
        if (row.curved) o->firstPoint->outTangent[2] = 40;
        Dimension(o);
        const std::vector<Seen> texts = Texts();
        if (!row.suffix) {
            EXPECT_TRUE(texts.empty()) << row.type;
            continue;
        }
        ASSERT_EQ(texts.size(), 1u) << row.type;
        const std::string& t = texts[0].text;
        EXPECT_EQ(t.substr(t.size() - std::string(row.suffix).size()), row.suffix);
        EXPECT_NEAR(texts[0].y, row.y, 1.01) << row.type;  // boxes are whole units
        EXPECT_EQ(Count(DrawnOp::Kind::Stroke), 0u);  // the readout alone
    }
}

TEST_F(WallsInPlan, PerimetersFollowTheDimensionSwitchExceptDimensionLines) {
    Objex* fence = Outline(objtype::kFence, {{0, 0}, {200, 0}}, false).on(floor);
    Objex* line = Outline(objtype::kDimensionLine, {{0, 0}, {200, 0}}, false).on(floor);
    struct Row { uint8_t show; Objex* object; size_t texts; };
    for (const Row& row : {Row{1, fence, 1}, Row{0, fence, 0}, Row{0, line, 1}}) {
        ds->showDimensions = row.show;
        context.ops.clear();
        DrawObjectPerimeter(nullptr, row.object);
        ASSERT_EQ(Texts().size(), row.texts) << row.object->type << " " << int(row.show);
        if (row.object == fence && row.texts) EXPECT_LT(Texts()[0].y, 0);  // two points: side 1
    }
}

TEST_F(WallsInPlan, APlanSolidIsFilledOnAVisiblePlanAndItsSegmentsDimensionedEitherWay) {
    ds->penColor = {0, 0, 65535};
    struct Row { int32_t plans; int32_t flags; size_t fills, readouts, callouts; };
    const Row rows[] = {
        {2, 0, 1, 2, 1},
        {256, 0, 0, 2, 1},  // not on a visible plan: dimensioned, not filled
        {2, 3, 1, 0, 0},    // both bits: no dimension at all
        {2, 1, 1, 0, 1},    // one bit is not enough: the callout stays
    };
    for (const Row& row : rows) {
        ds->visiblePlans = row.plans;
        Objex* wall = Wall();
        wall->planBits = 2;
        Opening(wall, objtype::kDoor, 100);
        Update3DWall(wall);
        wall->firstPoint->segmentFlags = row.flags;
        context.ops.clear();
        Draw2DWall(nullptr, wall->typeData.wallSolid, wall);
        size_t fills = 0;
        for (const DrawnOp& op : context.ops)
            fills += op.kind == DrawnOp::Kind::Fill && op.state.fill == port::Color{0, 0, 1, 1} && op.path.elementCount() > 4;
        EXPECT_EQ(fills, row.fills) << row.plans << " " << row.flags;
        const auto [readouts, callouts] = Split();
        EXPECT_EQ(readouts.size(), row.readouts) << row.plans << " " << row.flags;
        EXPECT_EQ(callouts.size(), row.callouts) << row.plans << " " << row.flags;
    }
}

TEST_F(WallsInPlan, LiveDimensionsToAPointStandFurtherOutOverOtherOpenings) {
    struct Row { int others; bool placed; float offset; };
    for (const Row& row : {Row{0, false, 25}, Row{2, false, 45}, Row{1, true, 45}, Row{1, false, 25}}) {
        Objex* wall = Wall();
        for (int i = 0; i < row.others; ++i) Opening(wall, objtype::kWindow, 50.0f + 250.0f * i);
        Objex* placed = row.placed ? Opening(wall, objtype::kDoor, 200) : nullptr;
        QMDDynamicDrawEngine& engine = *view.dynamicDrawEngine;
        engine.removePointsFromAllPaths();
        engine.removeAllDynamicDimElements();
        const float at[2] = {200, 0};
        DimensionWallSegmentToPoint(nullptr, wall, PointAt(wall, 0), PointAt(wall, 1), at, placed);
        double top = 0;
        int moves = 0;
        for (const auto& e : engine.primaryPath.path.elements()) {
            top = std::min(top, e.p[1]);
            moves += e.kind == port::Path::Kind::Move;
        }
        EXPECT_NEAR(top, -(row.offset + 22), 1.01) << row.others << " " << row.placed;
        EXPECT_EQ(moves, 5);  // two extension lines and a line, then one and a line: one-sided
        EXPECT_EQ(engine.dynamicDimArray.size(), 2u);
    }
}

TEST_F(WallsInPlan, TheRubberBandIsAClosedOutlineWithALiveLength) {
    QMDDynamicDrawEngine& engine = *view.dynamicDrawEngine;
    engine.setActivePath(1);
    DrawWall(nullptr, {0, 0, 0}, {100, 0, 0}, 10, 1);
    std::vector<double> xy;
    bool closed = false;
    for (const auto& e : engine.secondaryPath.path.elements()) {
        if (e.kind == port::Path::Kind::Close) closed = true;
        else xy.insert(xy.end(), {e.p[0], e.p[1]});
    }
    EXPECT_EQ(xy, (std::vector<double>{0, -4, 100, -4, 100, 5, 0, 5}));  // made whole: + 0.5, toward zero
    EXPECT_TRUE(closed);
    ASSERT_EQ(engine.dynamicDimArray.size(), 1u);
    EXPECT_NE(engine.dynamicDimArray[0]->dimensionText, nullptr);
}

TEST_F(WallsInPlan, SelectionPaintsOnlySegmentsWithBothEndsSelected) {
    Objex* wall = Outline(objtype::kWall, {{0, 0}, {100, 0}, {100, 100}}, false).on(floor);
    wall->penWidth = 10;
    struct Row { std::vector<int> selected; size_t fills; };
    for (const Row& row : {Row{{0}, 0}, Row{{0, 1}, 1}, Row{{0, 1, 2}, 2}}) {
        for (int i = 0; i < 3; ++i) PointAt(wall, i)->selected = 0;
        for (int i : row.selected) PointAt(wall, i)->selected = 1;
        context.ops.clear();
        DrawWallSelection(wall);
        EXPECT_EQ(Count(DrawnOp::Kind::Fill), row.fills);
        for (const DrawnOp& op : context.ops) EXPECT_EQ(op.state.fill, (port::Color{1, 0, 0, 1}));
    }
}

TEST_F(WallsInPlan, DeckPathAndSprinklerLabels) {
    Objex* deck = Outline(objtype::kDeck, {{0, 0}, {100, 0}, {100, 60}}).on(floor);
    deck->bounds3D = {0, 0, 0, 0, 100, 60};
    Objex* path = Outline(objtype::kPath, {{0, 0}, {50, 0}, {150, 0}}, false).on(floor);
    Objex* sprinkler = Outline(125, {{0, 0}, {100, 0}}, false).on(floor);
    objfield::sprinkler::kArcAngle(*sprinkler) = 90;
    for (uint8_t show : {1, 0}) {
        ds->showDimensions = show;
        context.ops.clear();
        DrawDeck(nullptr, deck);
        ASSERT_EQ(Texts().size(), 1u);
        EXPECT_EQ(Texts()[0].text, "DECK");
        EXPECT_NEAR(Texts()[0].x, 50, 0.51);
        context.ops.clear();
        DrawPath(nullptr, path);
        EXPECT_EQ(Texts().size(), show ? 1u : 0u);
        EXPECT_EQ(Count(DrawnOp::Kind::Stroke), 0u);  // a readout, no lines
        context.ops.clear();
        DrawSprinkler(nullptr, sprinkler);
        const std::vector<Seen> texts = Texts();
        ASSERT_EQ(texts.size(), show ? 2u : 0u);
        if (!show) continue;
        EXPECT_EQ(texts[0].text.substr(texts[0].text.size() - 2), " R");
        EXPECT_NE(texts[1].text.find(" Sprinkler"), std::string::npos);
        EXPECT_NEAR(texts[1].x, 100, 0.51);
        EXPECT_NEAR(texts[1].y, -15 + 6, 1.01);  // 15 above the last point, then 6 down off its anchor
    }
}

}  // namespace

// Walls in the plan and edge dimensions as recorded (text 7 x 12 a character), seen from above
// at zoom 1 and scale 72: a plan point (h, d) is the view point (h, d), an inch a plan unit.
#include <gtest/gtest.h>

#include "app/core/main_window_seams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "plan/plan_labels.h"
#include "plan/wall_dimensions.h"
#include "plan/walls.h"
#include "support/build.h"
#include "support/drawing_doubles.h"
#include "tools/wall_construction.h"

namespace {

using dvxtest::DrawnOp;
using dvxtest::Outline;
using dvxtest::PointAt;
struct Seen { std::string text; double x, y; };  // a text and its centre

class WallsInPlan : public dvxtest::DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        ds = doc->itsDocState;
        ds->zoomFactor = 1, ds->planScale = 72, ds->showDimensions = ds->showCallouts = 1, ds->visiblePlans = 2;
        SetMainWindowDocumentViewHandler([this] { return &view; });
    }
    // A 4-inch wall (plain offsets) from (0, 0) to (400, 0) with 30 x 80 openings at the distances.
    Objex* Wall(std::vector<float> openings = {}) {
        Objex* wall = Outline(objtype::kWall, {{0, 0}, {400, 0}}, false).on(doc->itsCurLayer);
        wall->penWidth = 4;
        for (float at : openings) {
            Objex* o = dvxtest::Attach(wall, objtype::kDoor, PointAt(wall, 0), PointAt(wall, 1), at);
            o->typeData.attachment->width = 30, o->typeData.attachment->height = 80, o->planBits = 2;
        }
        return wall;
    }
    // Readouts and callouts ("w x h") apart; the record is cleared.
    std::pair<std::vector<Seen>, std::vector<Seen>> Texts() {
        std::vector<Seen> readouts, callouts;
        for (const DrawnOp& op : context.ops)
            if (op.kind == DrawnOp::Kind::TextAt)
                (op.text.find(" x ") != std::string::npos ? callouts : readouts).push_back({op.text, op.state.matrix.map({0, 0}).x, op.state.matrix.map({0, 0}).y});
        context.ops.clear();
        return {readouts, callouts};
    }
    std::pair<std::vector<Seen>, std::vector<Seen>> Dimensioned(Objex* o, int from = 0) {
        context.ops.clear();
        DimensionWallSegment(nullptr, o, PointAt(o, from), PointAt(o, from + 1), 1);
        return Texts();
    }

    DocState* ds = nullptr;
    dvxtest::RecordingContext context;
    port::DrawingScope scope{context};
    dvxtest::FakeViewHost host;
    Base2DView view{&host};
};

TEST_F(WallsInPlan, OpeningsSplitASegmentWithCalloutsThatAlternateWhenCrowded) {
    struct Row { std::vector<float> at; int32_t flags; size_t readouts, callouts; std::vector<bool> below; };
    for (const Row& row : {Row{{100}, 0, 2, 1, {true}}, Row{{100, 300}, 0, 4, 2, {true, true}},
                           Row{{100}, 1, 0, 1, {true}}, Row{{100}, 2, 2, 0, {}}, Row{{}, 0, 1, 0, {}},
                           Row{{100, 140, 180}, 0, 5, 3, {true, false, true}}, Row{{300, 100}, 0, 4, 2, {true, true}},
                           Row{{300, 180, 100}, 0, 5, 3, {true, true, true}}}) {
        Objex* wall = Wall(row.at);
        wall->firstPoint->segmentFlags = row.flags;
        const auto [readouts, callouts] = Dimensioned(wall);
        ASSERT_EQ(readouts.size(), row.readouts) << row.at.size() << " " << row.flags;
        ASSERT_EQ(callouts.size(), row.callouts) << row.at.size() << " " << row.flags;
        for (size_t i = 0; i < callouts.size(); ++i) EXPECT_EQ(callouts[i].y > 0, row.below[i]);
        for (size_t i = 1; i < callouts.size(); ++i) EXPECT_GT(callouts[i].x, callouts[i - 1].x);  // nearest first
        for (Objex* c = wall->firstChild; c; c = c->next) EXPECT_FALSE(c->typeData.attachment->nextRecord);
        for (const Seen& r : readouts) EXPECT_LT(r.y, 0);  // flip flag 0: the dimension above
        if (row.at.size() == 2) { EXPECT_NEAR(readouts[3].y - readouts[0].y, -20, 0.51); }  // overall further out
    }
}

TEST_F(WallsInPlan, FacesAreMeasuredOnTheDimensionSideAndTheFlipMovesBoth) {
    ds->planScale = 36;  // a 6-inch wall is 12 plan units thick
    Objex* wall = Outline(objtype::kWall, {{0, 100}, {0, 0}, {200, 0}, {200, 100}}, false).on(doc->itsCurLayer);
    wall->penWidth = 6;
    Poinz *p = PointAt(wall, 1), *q = PointAt(wall, 2);
    struct Row { int16_t method, flipped; float startH, endH; };
    for (const Row& row : {Row{1, 0, -6, 206}, Row{1, 1, 6, 194}, Row{0, 1, 0, 200}}) {
        p->dimensionMethod = row.method, p->dimensionFlipped = row.flipped;
        float sh, sv, eh, ev;
        AdjustWallDimensionForMethod(wall, p, q, &sh, &sv, &eh, &ev);
        EXPECT_FLOAT_EQ(sh, row.startH);
        EXPECT_FLOAT_EQ(eh, row.endH);
        EXPECT_EQ(Dimensioned(wall, 1).first.at(0).y < 0, row.flipped == 0);
    }
}

TEST_F(WallsInPlan, PolygonEdgesGetAReadoutFifteenOffTheEdgeNamingIt) {
    struct Row { int16_t type, kind; int32_t display, flags; bool curved; const char* suffix; double y; };
    for (const Row& row : {Row{objtype::kFence, 1, 0, 0, false, " Fence", -15}, Row{objtype::kFence, 6, 0, 0, false, " Gate", -15},
                           Row{objtype::kPropertyLine, 1, 0, 0, false, " P.L.", 15}, Row{objtype::kRailing, 1, 0, 0, false, " Rail", -15},
                           Row{objtype::kDeck, 1, 1, 0, false, " (Open)", -15}, Row{objtype::kDeck, 1, 1, 1, false, " (Rail)", -15},
                           Row{objtype::kDeck, 1, 0, 0, false, nullptr, 0}, Row{objtype::kFence, 1, 0, 0, true, nullptr, 0}}) {
        Objex* o = Outline(row.type, {{0, 0}, {200, 0}}, false).on(doc->itsCurLayer);
        objfield::display::kWord(*o) = row.display;
        o->firstPoint->kind = row.kind, o->firstPoint->segmentFlags = row.flags;
        o->firstPoint->outTangent[2] = row.curved ? 40 : 0;
        const std::vector<Seen> texts = Dimensioned(o).first;
        ASSERT_EQ(texts.size(), row.suffix ? 1u : 0u) << row.type;
        if (!row.suffix) continue;
        EXPECT_TRUE(texts[0].text.ends_with(row.suffix)) << texts[0].text;
        EXPECT_NEAR(texts[0].y, row.y, 1.01);  // boxes are whole units
    }
}

TEST_F(WallsInPlan, SolidsFillOnAVisiblePlanAndDimensionEitherWayPerimetersFollowTheSwitch) {
    ds->penColor = {0, 0, 65535};
    struct Row { int32_t plans, flags; size_t fills, readouts, callouts; };
    for (const Row& row : {Row{2, 0, 1, 2, 1}, Row{256, 0, 0, 2, 1}, Row{2, 3, 1, 0, 0}, Row{2, 1, 1, 0, 1}}) {
        ds->visiblePlans = row.plans;
        Objex* wall = Wall({100});
        wall->planBits = 2;
        Update3DWall(wall);
        wall->firstPoint->segmentFlags = row.flags;
        context.ops.clear();
        Draw2DWall(nullptr, wall->typeData.wallSolid, wall);
        size_t fills = 0;
        for (const DrawnOp& op : context.ops) fills += op.kind == DrawnOp::Kind::Fill && op.state.fill == port::Color{0, 0, 1, 1} && op.path.elementCount() > 4;
        const auto [readouts, callouts] = Texts();
        EXPECT_EQ(fills, row.fills);
        EXPECT_EQ(readouts.size(), row.readouts) << row.plans << " " << row.flags;
        EXPECT_EQ(callouts.size(), row.callouts) << row.plans << " " << row.flags;
    }
    Objex* fence = Outline(objtype::kFence, {{0, 0}, {200, 0}}, false).on(doc->itsCurLayer);
    Objex* line = Outline(objtype::kDimensionLine, {{0, 0}, {200, 0}}, false).on(doc->itsCurLayer);
    for (auto [show, o, count] : {std::tuple{1, fence, 1u}, {0, fence, 0u}, {0, line, 1u}}) {
        ds->showDimensions = static_cast<uint8_t>(show);
        DrawObjectPerimeter(nullptr, o);
        const std::vector<Seen> texts = Texts().first;
        ASSERT_EQ(texts.size(), count);
        if (o == fence && count) { EXPECT_LT(texts[0].y, 0); }  // two points: side 1
    }
}

TEST_F(WallsInPlan, LiveDimensionsToAPointStandFurtherOutOverOtherOpenings) {
    QMDDynamicDrawEngine& engine = *view.dynamicDrawEngine;
    for (auto [others, placed, offset] : {std::tuple{0, false, 25.0}, {2, false, 45.0}, {1, true, 45.0}, {1, false, 25.0}}) {
        Objex* wall = Wall(others == 2 ? std::vector<float>{50, 300} : others ? std::vector<float>{50} : std::vector<float>{});
        Objex* moving = placed ? dvxtest::Attach(wall, objtype::kDoor, PointAt(wall, 0), PointAt(wall, 1), 200) : nullptr;
        engine.removePointsFromAllPaths(), engine.removeAllDynamicDimElements();
        const float at[2] = {200, 0};
        DimensionWallSegmentToPoint(nullptr, wall, PointAt(wall, 0), PointAt(wall, 1), at, moving);
        double top = 0;
        int moves = 0;
        for (const auto& e : engine.primaryPath.path.elements()) top = std::min(top, e.p[1]), moves += e.kind == port::Path::Kind::Move;
        EXPECT_NEAR(top, -(offset + 22), 1.01) << others << placed;
        EXPECT_EQ(moves, 5);  // two extension lines and a line, then one-sided: one and a line
    }
}

TEST_F(WallsInPlan, RubberBandSelectionAndLabels) {
    QMDDynamicDrawEngine& engine = *view.dynamicDrawEngine;
    engine.setActivePath(1);
    DrawWall(nullptr, {0, 0, 0}, {100, 0, 0}, 10, 1);
    const auto& band = engine.secondaryPath.path.elements();
    ASSERT_EQ(band.size(), 5u);  // made whole: + 0.5, toward zero
    EXPECT_EQ(std::vector<double>({band[0].p[1], band[1].p[0], band[2].p[1]}), std::vector<double>({-4, 100, 5}));
    EXPECT_EQ(band[4].kind, port::Path::Kind::Close);
    EXPECT_EQ(engine.dynamicDimArray.size(), 1u);

    Objex* wall = Outline(objtype::kWall, {{0, 0}, {100, 0}, {100, 100}}, false).on(doc->itsCurLayer);
    for (auto [selected, fills] : {std::pair{1, 0u}, {2, 1u}, {3, 2u}}) {
        for (int i = 0; i < 3; ++i) PointAt(wall, i)->selected = i < selected;
        context.ops.clear();
        DrawWallSelection(wall);
        EXPECT_EQ(context.ops.size(), fills);
        for (const DrawnOp& op : context.ops) EXPECT_EQ(op.state.fill, (port::Color{1, 0, 0, 1}));
    }

    Objex* deck = Outline(objtype::kDeck, {{0, 0}, {100, 0}, {100, 60}}).on(doc->itsCurLayer);
    deck->bounds3D = {0, 0, 0, 0, 100, 60};
    Objex* path = Outline(objtype::kPath, {{0, 0}, {50, 0}, {150, 0}}, false).on(doc->itsCurLayer);
    Objex* sprinkler = Outline(125, {{0, 0}, {100, 0}}, false).on(doc->itsCurLayer);
    for (uint8_t show : {1, 0}) {
        ds->showDimensions = show;
        context.ops.clear();
        DrawDeck(nullptr, deck), DrawPath(nullptr, path), DrawSprinkler(nullptr, sprinkler);
        const std::vector<Seen> texts = Texts().first;
        ASSERT_EQ(texts.size(), show ? 4u : 1u);  // readouts alone: the path's, the radius
        EXPECT_EQ(texts[0].text, "DECK");
        EXPECT_NEAR(texts[0].y, 30 + 6, 1.01);  // the bounds' centre, 6 down off its anchor
        if (!show) continue;
        EXPECT_TRUE(texts[2].text.ends_with(" R"));
        EXPECT_TRUE(texts[3].text.ends_with(" Sprinkler"));
        EXPECT_NEAR(texts[3].y, -15 + 6, 1.01);  // 15 above the last point
    }
}

}  // namespace

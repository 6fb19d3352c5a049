// Doors, windows and accessories as recorded, seen from above at zoom 1 and scale 72 (a plan
// point is the view point, an inch a plan unit): a 36-unit door from (100, 0) to (136, 0) in a
// 12-unit wall along H.
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/type_data.h"
#include "plan/doors.h"
#include "plan/plan_frame.h"
#include "plan/plan_objects.h"
#include "support/build.h"
#include "support/drawing_doubles.h"
#include "tracking/arc_builders.h"

namespace {

using dvxtest::DrawnOp;
struct Seg {
    double x1, y1, x2, y2;
    bool operator==(const Seg& o) const {
        return (x1 == o.x1 && y1 == o.y1 && x2 == o.x2 && y2 == o.y2) ||
               (x1 == o.x2 && y1 == o.y2 && x2 == o.x1 && y2 == o.y1);
    }
};
using Segs = std::vector<Seg>;
using Box4 = std::array<double, 4>;
Box4 Box(const port::Rect& r) { return {r.x, r.y, r.width, r.height}; }

Segs SegmentsOf(const port::Path& path) {
    Segs out;
    double x = 0, y = 0;
    for (const auto& e : path.elements()) {
        if (e.kind == port::Path::Kind::Line) out.push_back({x, y, e.p[0], e.p[1]});
        if (e.kind != port::Path::Kind::Close) x = e.p[e.kind == port::Path::Kind::Curve ? 4 : 0],
                                               y = e.p[e.kind == port::Path::Kind::Curve ? 5 : 1];
    }
    return out;
}

class DoorsInPlan : public dvxtest::DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        ds = doc->itsDocState;
        ds->zoomFactor = 1, ds->planScale = 72, ds->visiblePlans = 2;
        ds->penColor = {0, 0, 65535}, ds->backgroundColor = {65535, 65535, 0};
        dvxtest::SetPlanView();
        wall = dvxtest::Outline(objtype::kWall, {{0, 0}, {400, 0}}, false).on(doc->itsCurLayer);
        wall->penWidth = 12;
    }
    Objex* Door(int16_t type, int16_t style, uint8_t side, float swing = 0, int16_t flags = 0) {
        Objex* o = dvxtest::Attach(wall, type, dvxtest::PointAt(wall, 0), dvxtest::PointAt(wall, 1));
        dvxtest::Make(o).plan({{100, 0}, {136, 0}});
        AttachmentRecord* r = o->typeData.attachment;
        r->style = style, r->sideFlag = side, r->swingOrOffset = swing, r->directionFlag = flags, r->height = 80;
        return o;
    }
    // Every stroked line after the first `skip` operations, and the last stroke's alone.
    Segs Strokes(size_t skip = 0) {
        Segs all;
        for (size_t i = skip; i < context.ops.size(); ++i)
            if (context.ops[i].kind == DrawnOp::Kind::Stroke)
                for (const Seg& s : SegmentsOf(context.ops[i].path)) all.push_back(s);
        return all;
    }

    DocState* ds = nullptr;
    Objex* wall = nullptr;
    dvxtest::RecordingContext context;
    port::DrawingScope scope{context};
};

TEST_F(DoorsInPlan, TheGapReachesBeyondTheFacesAndTheHeadLinesFollowTheStyle) {
    struct Row { int16_t style; Segs dashed; };
    for (const Row& row : {Row{500, {{136, 6, 100, 6}, {136, -5, 100, -5}}}, Row{999, {{136, 0, 100, 0}}},
                           Row{502, {}}, Row{503, {{136, 0, 100, 0}}}}) {
        context.ops.clear();
        DrawDoorOpening(nullptr, Door(objtype::kDoor, row.style, 0));
        ASSERT_GE(context.ops.size(), 1u);
        EXPECT_EQ(context.ops[0].kind, DrawnOp::Kind::Fill);
        const port::Rect gap = context.ops[0].path.bounds();
        EXPECT_EQ(Box(gap), (Box4{100, -8, 36, 17}));
        EXPECT_EQ(context.ops[0].state.fill.blue, 0);  // the background colour
        EXPECT_EQ(Strokes(), row.dashed) << row.style;
        if (!row.dashed.empty()) EXPECT_EQ(context.ops[1].state.dash, (std::vector<double>{3, 3}));
    }
}

TEST_F(DoorsInPlan, TheSwingTurnsAboutTheHingeByTheFlagsAndRefusesWideOrNarrowSweeps) {
    constexpr float kQuarter = 1.5707963f, kDeg = 0.017453292f;
    struct Row { uint8_t side; float swing; int16_t flags; bool drawn; double hingeH, leafSign, near = 0, far = 0; };
    for (const Row& row : {Row{0, -kQuarter, 0, true, 136, -1, -3, -39}, Row{0, -kQuarter, 4, false},
                           Row{0, kQuarter, 4, true, 136, 1, 5, 41}, Row{1, -kQuarter, 0, true, 100, 1, 5, 41},
                           Row{0, 0, 0, false}, Row{0, 0, 4, false}, Row{0, 4 * kQuarter, 4, false},
                           Row{0, -200 * kDeg, 0, false}, Row{0, 200 * kDeg, 4, false}}) {
        context.ops.clear();
        DrawDoorOpening(nullptr, Door(objtype::kDoor, 501, row.side, row.swing, row.flags));
        const Segs strokes = Strokes(2);  // after the gap and the dashed line
        ASSERT_EQ(!strokes.empty(), row.drawn) << row.swing << " " << row.flags;
        if (!row.drawn) continue;
        // The leaf from 5 out to 5 beyond the door's length (whole twice: toward zero when negative).
        EXPECT_EQ(strokes.back(), (Seg{row.hingeH, row.near, row.hingeH, row.far}));
        for (size_t i = 0; i + 1 < strokes.size(); ++i)
            for (auto [x, y] : {std::pair{strokes[i].x1, strokes[i].y1}, std::pair{strokes[i].x2, strokes[i].y2}}) {
                EXPECT_NEAR(std::hypot(x - row.hingeH, y), 33, 1.6);
                EXPECT_GE(y * row.leafSign, -1);  // the quarter on the leaf's side
            }
    }
}

TEST_F(DoorsInPlan, PanelSymbolsLandOnHandWorkedPointsAndFollowTheSideFlag) {
    struct Row { int16_t style; uint8_t side; Segs lines; };
    const Row rows[] = {
        {502, 0, {{118, -5, 118, 0}, {118, -5, 100, -5}, {118, 0, 100, 0}, {100, -5, 100, 0},
                  {109, 6, 109, 0}, {109, 6, 127, 6}, {109, 0, 127, 0}, {127, 6, 127, 0}}},
        {502, 1, {{118, 6, 118, 0}, {118, 6, 136, 6}, {118, 0, 136, 0}, {136, 6, 136, 0},
                  {127, -5, 127, 0}, {127, -5, 109, -5}, {127, 0, 109, 0}, {109, -5, 109, 0}}},
        {510, 0, {{154, 3, 154, -2}, {154, 3, 136, 3}, {154, -2, 136, -2},
                  {118, 3, 118, -2}, {118, 3, 136, 3}, {118, -2, 136, -2}}},
        {510, 1, {{82, -2, 82, 3}, {82, -2, 100, -2}, {82, 3, 100, 3},
                  {118, -2, 118, 3}, {118, -2, 100, -2}, {118, 3, 100, 3}}},
        {511, 0, {{100, 0, 114, 7}, {114, 7, 129, 0}}},
        {511, 1, {{100, 0, 114, -6}, {114, -6, 129, 0}}},
        {503, 0, {{100, 0, 100, 80}, {136, 0, 136, 80}, {100, 80, 136, 80}}},
        {503, 1, {{100, 0, 100, -79}, {136, 0, 136, -79}, {100, -79, 136, -79}}},
    };
    for (const Row& row : rows) {
        Objex* door = Door(objtype::kDoor, row.style, row.side);
        context.ops.clear();
        DrawDoor(nullptr, door, nullptr, 1, nullptr);
        // After the gap and, for the garage, the dashed line across it.
        EXPECT_EQ(Strokes(row.style == 503 ? 2 : 1), row.lines)
            << row.style << " side " << int(row.side);
        if (row.style == 510) EXPECT_EQ(context.ops[1].state.stroke.blue, 0);  // the pocket in the background
        if (row.style == 503) EXPECT_EQ(context.ops.back().state.dash, (std::vector<double>{18, 6}));
    }
}

TEST_F(DoorsInPlan, DoorsAndWindowsKeepThePenUnderTheRedHighlightWhileAccessoriesTurnRed) {
    const port::Color red{1, 0, 0, 1};
    for (int16_t style : {501, 502, 503, 510, 511}) {
        Objex* door = Door(objtype::kDoor, style, 0, -1.5707963f);
        context.ops.clear();
        DrawObject(nullptr, door, nullptr, drawflag::kAll | 4, nullptr);
        ASSERT_FALSE(context.ops.empty());
        for (const DrawnOp& op : context.ops) EXPECT_FALSE(op.kind == DrawnOp::Kind::Stroke && op.state.stroke == red) << style;
    }
    Objex* accessory = Door(objtype::kAccessory, 0, 0);
    context.ops.clear();
    DrawObject(nullptr, accessory, nullptr, drawflag::kAll | 4, nullptr);
    ASSERT_EQ(context.ops.size(), 1u);
    EXPECT_EQ(context.ops[0].state.stroke, red);
}

TEST_F(DoorsInPlan, WindowBoxesStandOutFourAndAccessoriesStandOnTheFlaggedFace) {
    struct Row { uint8_t printing, perspective; float xAngle; bool drawn; float fillBlue; };
    for (const Row& row : {Row{0, 0, 90, true, 0}, Row{1, 0, 90, true, 1}, Row{0, 0, 0, false}, Row{0, 1, 90, false}}) {
        dvxtest::SetView(row.xAngle, 0, row.perspective, 1000);
        gPrinting = row.printing, gHPrintScale = gVPrintScale = 1;
        context.ops.clear();
        DrawWindow(nullptr, Door(objtype::kWindow, 600, 0));
        ASSERT_EQ(context.ops.size(), row.drawn ? 2u : 0u) << row.xAngle << int(row.perspective);
        if (!row.drawn) continue;
        const port::Rect box = context.ops[0].path.bounds();
        EXPECT_EQ(Box(box), (Box4{100, -9, 36, 19}));
        EXPECT_EQ(context.ops[0].state.fill.blue, row.fillBlue);
        EXPECT_EQ(context.ops[1].state.stroke.blue, 1);
    }
    gPrinting = 0;
    dvxtest::SetPlanView();
    struct Acc { uint8_t side; float offset; Segs lines; };
    for (const Acc& row : {Acc{0, 2, {{100, 6, 100, 12}, {100, 12, 136, 12}, {136, 12, 136, 6}, {136, 6, 118, 12}, {118, 12, 100, 6}}},
                           Acc{1, 10, {{100, -5, 100, -15}, {100, -15, 136, -15}, {136, -15, 136, -5}, {136, -5, 118, -14}, {118, -14, 100, -5}}}}) {
        Objex* accessory = Door(objtype::kAccessory, 0, row.side);
        accessory->typeData.attachment->swingOrOffset = row.offset;
        context.ops.clear();
        DrawAccessory(nullptr, accessory);
        EXPECT_EQ(Strokes(), row.lines) << int(row.side);
    }
}

TEST_F(DoorsInPlan, TemporaryArcsFollowTheIncrementAndMayDropTheClosingPoint) {
    struct Row { FloatRect rect; float start, sweep, step; uint8_t dropLast; int32_t count; float firstH, firstD, lastH, lastD; };
    const FloatRect square{0, 0, 100, 100}, wide{0, 0, 100, 200};
    const double d1 = 50 * std::cos(0.017453292), e1 = 50 - 50 * std::sin(0.017453292);
    for (const Row& row : {Row{square, 0, 90, 90, 0, 2, 50, 0, 100, 50}, Row{square, 0, 90, 90, 1, 1, 50, 0},
                           Row{square, 0, 360, 90, 0, 5, 100, 50, 100, 50}, Row{square, 0, 360, 90, 1, 4, 100, 50},
                           Row{square, 0, 90, 30, 0, 4, 50, 0, 100, 50},
                           Row{square, 0, 1e-6f, 90, 0, 2, float(50 + d1), float(e1), 100, 50},
                           Row{wide, 90, -90, 90, 0, 2, 200, 50, 100, 0}}) {
        Float3DPoint at[8], in[8], out[8];
        int32_t count = -1;
        Draw3DEllipse(nullptr, &row.rect, row.start, row.sweep, 2, 7, at, in, out, 0, &count, row.dropLast, row.step);
        ASSERT_EQ(count, row.count) << row.sweep << " " << row.step;
        EXPECT_NEAR(at[0].floatH, row.firstH, 1e-3);
        EXPECT_NEAR(at[0].floatD, row.firstD, 1e-3);
        EXPECT_EQ(at[0].floatV, 7);
        if (!row.dropLast) {
            EXPECT_NEAR(at[count - 1].floatH, row.lastH, 1e-3);
            EXPECT_NEAR(at[count - 1].floatD, row.lastD, 1e-3);
        }
        for (int i = 0; i < count; ++i) EXPECT_TRUE(in[i].floatH == out[i].floatH && in[i].floatD == out[i].floatD);
    }
}

}  // namespace

// The virtual ruler as the plan frame draws it, as a click finds it and as a drag moves it.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "app/core/main_window_seams.h"
#include "app/core/status_bar_seams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "plan/plan_frame.h"
#include "plan/virtual_ruler.h"
#include "support/build.h"
#include "support/drawing_doubles.h"
#include "support/fixture.h"

namespace {

using dvxtest::DrawnOp;
using Kind = DrawnOp::Kind;

class VirtualRulerTest : public dvxtest::DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        dvxtest::SetPlanView();
        ds = doc->itsDocState;
        ds->zoomFactor = 1, ds->planScale = 36, ds->snapToGrid = 0;
        ds->snapIncrement = {12, 12};  // 24 plan units
        ds->gridSpacing = {12, 12};
        doc->itsVRVisible = 1;
        Place(-144, 0, 144, 0);
        SetMainWindowDocumentViewHandler([this] { return &view; });
        SetMainWindowStatusTextHandler([this](const std::string& text) { shown.push_back(text); });
    }
    void Place(float sh, float sv, float eh, float ev) {
        doc->itsVRStartPt = {sh, sv}, doc->itsVREndPt = {eh, ev};
    }
    std::vector<DrawnOp> Frame() {
        dvxtest::RecordingContext context;
        port::DrawingScope scope(context);
        const RECT r{};
        DrawAllLayers(nullptr, doc->itsLayers, &r, drawflag::kAll, nullptr);
        return context.ops;
    }
    uint8_t Hit(int32_t x, int32_t y, uint8_t result[2]) {
        const POINT p{x, y};
        return PointInVirtualRuler(&p, result);
    }
    DocState* ds = nullptr;
    dvxtest::FakeViewHost host;
    Base2DView view{&host};
    std::vector<std::string> shown;
};

const port::Color kBlack{0, 0, 0, 1}, kYellow{1, 1, 0, 1};

TEST_F(VirtualRulerTest, DrawsLastInItsOrderAndNothingWhileHidden) {
    const std::vector<DrawnOp> ops = Frame();
    ASSERT_GE(ops.size(), 6u);
    const DrawnOp* last = &ops[ops.size() - 6];
    const struct {
        Kind kind;
        port::Color color;
    } order[] = {{Kind::Stroke, kBlack}, {Kind::Fill, kYellow}, {Kind::Stroke, kBlack},
                 {Kind::Fill, kBlack},   {Kind::TextAt, kBlack}, {Kind::Stroke, kBlack}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(last[i].kind, order[i].kind) << i;
        const DrawnOp::Kind k = last[i].kind;
        EXPECT_EQ(k == Kind::Stroke ? last[i].state.stroke : last[i].state.fill, order[i].color) << i;
    }
    EXPECT_EQ(last[4].text, "12'-0\"");  // 288 plan units at 1:36

    // Hairs: 10 beyond each edge at both ends.
    const auto& hairs = last[0].path.elements();
    ASSERT_EQ(hairs.size(), 8u);
    EXPECT_EQ(std::vector<double>({hairs[0].p[0], hairs[0].p[1], hairs[1].p[1]}), std::vector<double>({-144, -25, -35}));

    doc->itsVRVisible = 0;
    const size_t hidden = Frame().size();
    EXPECT_EQ(hidden, ops.size() - 6);
    uint8_t result[2] = {9, 9};
    EXPECT_EQ(Hit(144, 0, result), 0);
    EXPECT_EQ(result[0], 9);
}

TEST_F(VirtualRulerTest, TicksAlternateShortAndLongBetweenTheEnds) {
    const std::vector<DrawnOp> ops = Frame();
    const auto& ticks = ops.back().path.elements();
    ASSERT_EQ(ticks.size(), 11u * 4);  // at 24, 48, ... 264: none at 0 or 288
    for (size_t k = 0; k < 11; ++k) {
        const auto& from = ticks[4 * k];
        const auto& to = ticks[4 * k + 1];
        EXPECT_NEAR(from.p[0], -144 + 24.0 * (k + 1), 1e-3);
        EXPECT_NEAR(std::fabs(to.p[1] - from.p[1]), k % 2 ? 14 : 7, 1e-3) << k;
        EXPECT_NEAR(std::fabs(from.p[1]), 25, 1e-3);
    }
    for (float spacing : {0.0f, -12.0f, std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()}) {
        ds->snapIncrement = {spacing, spacing};
        const std::vector<DrawnOp> none = Frame();
        EXPECT_EQ(none.back().kind, Kind::TextAt) << spacing;
    }
}

TEST_F(VirtualRulerTest, TextTurnsUprightExceptStraightUpOrDown) {
    const struct {
        float sh, sv, eh, ev;
    } rows[] = {{-144, 0, 144, 0}, {144, 0, -144, 0}, {0, 144, 0, -144}, {0, -144, 0, 144}};
    std::vector<double> angles;
    for (const auto& row : rows) {
        Place(row.sh, row.sv, row.eh, row.ev);
        const std::vector<DrawnOp> ops = Frame();
        angles.push_back(std::round(ops[ops.size() - 2].angle));
    }
    EXPECT_EQ(std::fabs(std::remainder(angles[0], 360.0)), 0);
    EXPECT_EQ(std::fabs(std::remainder(angles[1], 360.0)), 0);  // 180 reads at 360
    EXPECT_EQ(std::fabs(angles[2]), 90);
    EXPECT_EQ(angles[3], -angles[2]);  // 90 and 270 keep their sides
}

TEST_F(VirtualRulerTest, ClicksFindTheBodyTheHandlesOrNothing) {
    // Corners and frames round by adding a half and truncating.
    POINT c[4];
    ComputeRulerBoundaryFrame(c);
    EXPECT_EQ(std::vector<int32_t>({c[0].x, c[0].y, c[1].x, c[1].y, c[2].x, c[2].y, c[3].x, c[3].y}),
              std::vector<int32_t>({-143, -24, 144, -24, 144, 25, -143, 25}));
    RECT start, end;
    ComputeRulerStartPtFrame(&start);
    ComputeRulerEndPtFrame(&end);
    EXPECT_EQ(std::vector<int32_t>({start.left, start.top, start.right, start.bottom}), std::vector<int32_t>({-136, -6, -122, 7}));
    EXPECT_EQ(std::vector<int32_t>({end.left, end.top, end.right, end.bottom}), std::vector<int32_t>({123, -6, 137, 7}));
    const struct {
        int32_t x, y;
        uint8_t inside, part;
    } rows[] = {{144, 0, 1, 1}, {-143, 0, 1, 1}, {130, 0, 1, 3}, {-130, 0, 1, 2}, {0, 25, 1, 1}, {0, 40, 0, 0}, {150, 0, 0, 0}};
    for (const auto& row : rows) {
        uint8_t result[2] = {7, 7};
        EXPECT_EQ(Hit(row.x, row.y, result), row.inside) << row.x << "," << row.y;
        EXPECT_EQ(result[0], row.part) << row.x << "," << row.y;
        EXPECT_EQ(result[1], 0);
    }
    EXPECT_EQ(PointInVirtualRuler(nullptr, nullptr), 0);
}

TEST_F(VirtualRulerTest, DragsMoveAnEndOrTheWholeRuler) {
    const struct {
        uint16_t part;
        POINT press, to;
        FloatPoint start, end;
    } rows[] = {
        {kRulerStartHandle, {-130, 0}, {128, 0}, {72, 0}, {144, 0}},    // 30 from the end: back to 72
        {kRulerEndHandle, {130, 0}, {30, 0}, {-144, 0}, {44, 0}},       // long enough: stays
        {kRulerBody, {0, 0}, {50, 20}, {-94, 20}, {194, 20}},            // keeps its length
    };
    for (const auto& row : rows) {
        Place(-144, 0, 144, 0);
        shown.clear();
        TrackVirtualRuler drag;
        ASSERT_TRUE(drag.begin(row.press, row.part));
        drag.move(row.press);  // no move: nothing
        drag.move(row.to);
        drag.end();
        EXPECT_NEAR(doc->itsVRStartPt.floatH, row.start.floatH, 1e-3) << row.part;
        EXPECT_NEAR(doc->itsVRStartPt.floatV, row.start.floatV, 1e-3) << row.part;
        EXPECT_NEAR(doc->itsVREndPt.floatH, row.end.floatH, 1e-3) << row.part;
        EXPECT_NEAR(doc->itsVREndPt.floatV, row.end.floatV, 1e-3) << row.part;
        ASSERT_EQ(shown.size(), 2u);
        EXPECT_EQ(shown[0], "");
        EXPECT_EQ(shown[1].rfind("Length: ", 0), 0u) << shown[1];
    }
    EXPECT_GT(host.displayRequests, 0);

    ds->snapToGrid = 1;
    Place(-150, 5, 150, 5);
    TrackVirtualRuler drag;
    ASSERT_TRUE(drag.begin({0, 0}, kRulerBody));
    drag.end();
    EXPECT_EQ(std::vector<float>({doc->itsVRStartPt.floatH, doc->itsVRStartPt.floatV, doc->itsVREndPt.floatH,
                                  doc->itsVREndPt.floatV}),
              std::vector<float>({-168, 0, 144, 0}));

    doc->itsVRVisible = 0;
    EXPECT_FALSE(drag.begin({0, 0}, kRulerBody));
}

}  // namespace

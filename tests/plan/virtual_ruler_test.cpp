// The virtual ruler as the plan frame draws it, as a click finds it and as a drag moves it.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/core/main_window_seams.h"
#include "app/core/status_bar_seams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "plan/plan_frame.h"
#include "plan/virtual_ruler.h"
#include "support/drawing_doubles.h"
#include "support/fixture.h"

namespace {

using Kind = dvxtest::DrawnOp::Kind;
using Ints = std::vector<int32_t>;

class VirtualRuler : public dvxtest::DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        ds = doc->itsDocState;
        ds->zoomFactor = 1, ds->planScale = 36, ds->snapIncrement = ds->gridSpacing = {12, 12};  // 24 units
        doc->itsVRVisible = 1, doc->itsVRStartPt = {-144, 0}, doc->itsVREndPt = {144, 0};
        SetMainWindowDocumentViewHandler([this] { return &view; });
        SetMainWindowStatusTextHandler([this](const std::string& text) { shown.push_back(text); });
    }
    void Place(float sh, float sv, float eh, float ev) { doc->itsVRStartPt = {sh, sv}, doc->itsVREndPt = {eh, ev}; }
    std::vector<dvxtest::DrawnOp> Frame() {
        dvxtest::RecordingContext context;
        port::DrawingScope scope(context);
        const RECT r{};
        DrawAllLayers(nullptr, doc->itsLayers, &r, drawflag::kAll, nullptr);
        return context.ops;
    }
    DocState* ds = nullptr;
    Base2DView view;
    std::vector<std::string> shown;
};

TEST_F(VirtualRuler, DrawsLastBodyHandlesUprightTextAndAlternatingTicks) {
    const auto ops = Frame();
    ASSERT_EQ(ops.size(), 6u);
    const port::Color black{0, 0, 0, 1}, yellow{1, 1, 0, 1};
    const std::pair<Kind, port::Color> order[] = {{Kind::Stroke, black}, {Kind::Fill, yellow}, {Kind::Stroke, black},
                                                  {Kind::Fill, black},   {Kind::TextAt, black}, {Kind::Stroke, black}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(ops[i].kind, order[i].first) << i;
        EXPECT_EQ(ops[i].kind == Kind::Stroke ? ops[i].state.stroke : ops[i].state.fill, order[i].second) << i;
    }
    EXPECT_EQ(ops[4].text, "12'-0\"");  // 288 units at 1:36
    const auto& ticks = ops[5].path.elements();
    ASSERT_EQ(ticks.size(), 11u * 4);  // at 24 ... 264: none at 0 or 288
    for (size_t k = 0; k < 11; ++k) {
        EXPECT_NEAR(ticks[4 * k].p[0], -144 + 24.0 * (k + 1), 1e-3);
        EXPECT_NEAR(ticks[4 * k + 1].p[1] - ticks[4 * k].p[1], k % 2 ? 14 : 7, 1e-3) << k;  // inward from the edge
    }
    for (float s : {0.0f, -12.0f, std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()}) {
        ds->snapIncrement = {s, s};
        EXPECT_EQ(Frame().size(), 5u) << s;
    }
    // Text at 0, 180 (read at 360), 90 and 270 (kept).
    const float ends[][4] = {{-144, 0, 144, 0}, {144, 0, -144, 0}, {0, 144, 0, -144}, {0, -144, 0, 144}};
    std::vector<double> angles;
    for (const auto& e : ends) Place(e[0], e[1], e[2], e[3]), angles.push_back(std::round(std::remainder(Frame()[4].angle, 360.0)));
    EXPECT_EQ(angles, std::vector<double>({0, 0, angles[2], -angles[2]}));
    EXPECT_EQ(std::fabs(angles[2]), 90);
    doc->itsVRVisible = 0;
    EXPECT_TRUE(Frame().empty());
}

TEST_F(VirtualRuler, ClicksFindTheBodyTheHandlesOrNothing) {
    POINT c[4];
    RECT a, b;
    ComputeRulerBoundaryFrame(c);
    ComputeRulerStartPtFrame(&a);
    ComputeRulerEndPtFrame(&b);  // coordinates add a half and truncate
    EXPECT_EQ(Ints({c[0].x, c[0].y, c[2].x, c[2].y, a.left, a.top, a.right, a.bottom, b.left, b.top, b.right, b.bottom}),
              Ints({-143, -24, 144, 25, -136, -6, -122, 7, 123, -6, 137, 7}));
    const int32_t rows[][4] = {{144, 0, 1, 1}, {130, 0, 1, 3}, {-130, 0, 1, 2}, {0, 25, 1, 1}, {0, 40, 0, 0}, {150, 0, 0, 0}};
    for (const auto& row : rows) {
        uint8_t result[2] = {7, 7};
        const POINT p{row[0], row[1]};
        EXPECT_EQ(Ints({PointInVirtualRuler(&p, result), result[0], result[1]}), Ints({row[2], row[3], 0})) << row[0];
    }
}

TEST_F(VirtualRuler, DragsMoveAnEndOrTheWholeRulerAndReportTheLength) {
    const struct { uint8_t snap; float place[4]; uint16_t part; POINT press, to; std::vector<float> ends; } rows[] = {
        {0, {-144, 0, 144, 0}, kRulerStartHandle, {-130, 0}, {128, 0}, {72, 0, 144, 0}},  // 30 from the end: 72
        {0, {-144, 0, 144, 0}, kRulerEndHandle, {130, 0}, {30, 0}, {-144, 0, 44, 0}},
        {0, {-144, 0, 144, 0}, kRulerBody, {0, 0}, {50, 20}, {-94, 20, 194, 20}},  // keeps its length
        {1, {-150, 5, 150, 5}, kRulerBody, {0, 0}, {24, 0}, {-144, 0, 168, 0}},    // snapped first
    };
    for (const auto& row : rows) {
        ds->snapToGrid = row.snap;
        Place(row.place[0], row.place[1], row.place[2], row.place[3]);
        shown.clear();
        TrackVirtualRuler drag;
        ASSERT_TRUE(drag.begin(row.press, row.part));
        drag.move(row.press);  // the same point: skipped
        drag.move(row.to);
        drag.end();
        const float* at[] = {&doc->itsVRStartPt.floatH, &doc->itsVRStartPt.floatV, &doc->itsVREndPt.floatH, &doc->itsVREndPt.floatV};
        for (int i = 0; i < 4; ++i) EXPECT_NEAR(*at[i], row.ends[i], 1e-3) << row.part << " " << i;
        ASSERT_EQ(shown.size(), 2u);
        EXPECT_EQ(shown[1].rfind("Length: ", 0), 0u) << shown[1];
    }
}

}  // namespace

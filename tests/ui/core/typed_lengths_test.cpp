// The readout pop-ups of the units sheet, the scale, zoom and lot changes, and the key-entry
// sheets' resize of one segment, checked on positions worked out by hand. Imperial designs
// at the scale 36: one foot is 24 plan units.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "files/content_paths.h"
#include "files/undo.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/readouts.h"
#include "model/transforms.h"
#include "model/view_state.h"
#include "plan/wall_dimensions.h"
#include "app/core/main_window_seams.h"
#include "plan/base_2d_view.h"
#include "support/build.h"
#include "support/drawing_doubles.h"
#include "support/doubles.h"
#include "tracking/tracking_state.h"
#include "ui/core/key_entry.h"
#include "ui/core/plan_scale_actions.h"
#include "ui/core/readout_formats.h"
#include "app/core/sheet_values.h"

namespace dvxtest {
namespace {

std::vector<std::string> Titles(const std::vector<ReadoutItem>& items) {
    std::vector<std::string> t;
    for (const ReadoutItem& i : items) t.push_back(i.title + "/" + std::to_string(i.tag));
    return t;
}

TEST(ReadoutFormats, ItemsSelectionAndFolding) {
    EXPECT_EQ(Titles(AngleFormatItems(',')),
              (std::vector<std::string>{"#°/0", "#,#°/1", "#,##°/2", "#,###°/3", "#,####°/4"}));
    EXPECT_EQ(Titles(AngleFormatItems('.'))[2], "#.##°/2");
    EXPECT_EQ(Titles(PrecisionOrReadoutItems(kMetricUnits)),
              (std::vector<std::string>{"#.#### m/0", "#.## cm/1", "#.# mm/2"}));
    EXPECT_EQ(Titles(PrecisionOrReadoutItems(kImperialUnits)).back(), "Sixteenth Inches (1/16\")/4");

    struct Row { int16_t stored; int angle, precision, metric, feetInches, fractions; };
    const Row rows[] = {
        {0, 0, 4, 2, 1, 1},       // no bit at all: sixteenths, millimetres
        {1 | 8, 4, 0, 0, 1, 1},   // the lowest precision bit counts; angles past 3 show four
        {2 | 32, 4, 1, 1, 0, 1},  // half inches in feet-inches
        {4 | 64, 4, 2, 2, 1, 0},  // quarter inches with fractions; metric 4: millimetres
        {3, 3, 0, 0, 1, 1},
        {8, 4, 3, 2, 1, 1},
        {-1, 4, 0, 0, 0, 0},      // an angle out of range shows four decimals
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.stored);
        EXPECT_EQ(std::vector<int>({AngleFormatTag(r.stored), ImperialPrecisionTag(r.stored), MetricReadoutTag(r.stored),
                                    FeetInchesTag(r.stored), FractionsTag(r.stored)}),
                  std::vector<int>({r.angle, r.precision, r.metric, r.feetInches, r.fractions}));
    }
    EXPECT_EQ(FoldImperialFormat(4, 0, 0), kDefaultImperialFormat);
    EXPECT_EQ(FoldImperialFormat(0, 1, 1), 1);
    EXPECT_EQ(FoldImperialFormat(3, 0, 1), 8 | 32);
    EXPECT_EQ(std::vector<int>({FoldMetricFormat(0), FoldMetricFormat(1), FoldMetricFormat(2)}), std::vector<int>({1, 2, 4}));
}

class PlanSheets : public SelectionTest {
protected:
    void SetUp() override {
        SelectionTest::SetUp();
        port::setDocumentUndo(&undo);
        ASSERT_TRUE(MakeApplicationTemporaryFolder());
        gUndoActive = 1;
        ds = CurrentDocState();
    }
    RecordingUndo undo;
    DocState* ds = nullptr;
};

// Elevation views hold the percentage before scaling (metric code 11: 500 % is 3 x 36 / 10);
// a code off the table shows at 20/36 in metric and applies the percentage unscaled. The
// scale, top-view and lot cases run on the sheets themselves.
TEST_F(PlanSheets, ZoomOfOtherViewsAndOfCodesOffTheTable) {
    ds->units = kMetricUnits, ds->planScaleChoice = 11;
    SetView(0, 0);
    ASSERT_NE(GetCurrentView(), kViewTop);
    SetPlanZoomPercent(500);
    EXPECT_NEAR(ds->printZoom, 10.8f, 1e-5);
    EXPECT_NEAR(ds->zoomFactor, 10.8f, 1e-5);
    ds->planScaleChoice = 3, ds->printZoom = 0.9f;
    EXPECT_EQ(PlanZoomPercent(), 50);
    SetPlanZoomPercent(40);
    EXPECT_FLOAT_EQ(ds->printZoom, 0.4f);
    EXPECT_TRUE(undo.actionNames.empty()) << "the zoom stores no step";
}

// The scale, zoom and lot changes each leave the plan origin in the middle of an 800 x 600
// window, though the only wall lies far right of and below it.
TEST_F(PlanSheets, ScaleZoomAndLotShowThePlanOriginInTheMiddle) {
    FakeViewHost host;
    host.visible = {0, 0, 800, 600};
    Base2DView view(&host);
    SetMainWindowDocumentViewHandler([&] { return &view; });
    Wall(floor, {{2000, 1500}, {2600, 1500}});
    const struct { const char* what; std::function<void()> change; } rows[] = {
        {"scale", [] { SetPlanScaleCode(8); }},
        {"zoom", [] { SetPlanZoomPercent(100); }},
        {"lot", [] { SetLotSize(200, 150); }},
    };
    for (const auto& r : rows) {
        host.scrolledTo.clear();
        r.change();
        ASSERT_EQ(host.scrolledTo.size(), 1u) << r.what;
        const PlatformRect& shown = host.scrolledTo[0];
        EXPECT_TRUE(Near({shown.x, shown.y, shown.width, shown.height}, {-400, -300, 800, 600})) << r.what;
        // The paper's middle is the plan origin.
        EXPECT_TRUE(Near({host.origin.x, host.origin.y}, {-host.frame.width / 2, -host.frame.height / 2})) << r.what;
    }
}

// A lot set in whole metres or feet shows the same whole numbers in the sheet again, whatever
// the plan scale, and a metric lot's width reads whole in the readouts.
TEST_F(PlanSheets, ALotSetInWholeUnitsShowsThemAgain) {
    for (int16_t units : {kMetricUnits, kImperialUnits})
        for (float scale : {36.0f, 50.0f})
            for (int32_t n : {13, 19, 23, 31, 60, 400}) {
                ds->units = units, ds->planScale = scale;
                SetLotSize(n, n + 1);
                int32_t width = 0, depth = 0;
                LotSizeShown(&width, &depth);
                EXPECT_TRUE(width == n && depth == n + 1) << units << " " << scale << " " << n << ": " << width << " x " << depth;
            }
    ds->units = kMetricUnits, ds->metricReadout = 1;
    SetLotSize(60, 60);
    char text[kReadoutSize] = {};
    ConvertInchesToStr(ConvertScreenToWorld(ds->lotRect.floatRight - ds->lotRect.floatLeft, ds, 0), text);
    EXPECT_STREQ(text, "60 m");
}

// A fence A-B-C-D along the x axis, B-C ten feet (240 units) long; a closed square for the
// wrap-around; a U-shaped wall measured at its faces.
class KeyEntry : public PlanSheets {
protected:
    void SetUp() override {
        PlanSheets::SetUp();
        fence = Shape(floor, objtype::kFence, {{-48, 0}, {0, 0}, {240, 0}, {288, 0}});
        objfield::fence::kStyle(*fence) = 703;
    }
    KeyEntrySegment Segment(Objex* o, int i) {
        Poinz* s = PointAt(o, i);
        Poinz* e = s->next ? s->next : o->firstPoint;
        KeyEntrySegment k{o, s, e, 0, 0, 0};
        k.angle = GetLineLengthAndAngle(s->position[0], s->position[2], e->position[0], e->position[2], &k.initialLength);
        return k;
    }
    Objex* fence = nullptr;
};

TEST_F(KeyEntry, EachTagMovesItsEndsAndLinkedNeighbours) {
    using P = std::vector<std::pair<float, float>>;
    struct Row {
        const char* name;
        int16_t tag, side;
        bool linked;
        float feet;
        P fence;
    };
    const Row rows[] = {
        {"BothEndsLinked", 1, 0, true, 12, {{-72, 0}, {-24, 0}, {264, 0}, {312, 0}}},
        {"BothEndsAlone", 1, 0, false, 12, {{-48, 0}, {-24, 0}, {264, 0}, {288, 0}}},
        {"SecondWithoutMarkMovesTheEnd", 2, 0, false, 8, {{-48, 0}, {0, 0}, {192, 0}, {288, 0}}},
        {"ThirdWithoutMarkMovesTheEnd", 3, 0, true, 8, {{-48, 0}, {0, 0}, {192, 0}, {240, 0}}},
        {"SecondOnARedMarkMovesTheStart", 2, 1, true, 8, {{0, 0}, {48, 0}, {240, 0}, {288, 0}}},
        {"ThirdOnAGreenMarkMovesTheStart", 3, -1, false, 12, {{-48, 0}, {-48, 0}, {240, 0}, {288, 0}}},
        {"SecondOnAGreenMarkMovesTheEnd", 2, -1, false, 11, {{-48, 0}, {0, 0}, {264, 0}, {288, 0}}},
        {"AnotherTagMovesNothing", 4, 0, true, 12, {{-48, 0}, {0, 0}, {240, 0}, {288, 0}}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Objex* f = Shape(floor, objtype::kFence, {{-48, 0}, {0, 0}, {240, 0}, {288, 0}});
        objfield::point::kKeyEntryMark(*PointAt(f, 1)) = r.side;
        ResizeSegmentToLength(Segment(f, 1), r.feet * 24, r.tag, r.linked);
        const P got = PlanPositions(f);
        for (size_t i = 0; i < got.size(); ++i) {
            EXPECT_NEAR(got[i].first, r.fence[i].first, 1e-3) << i;
            EXPECT_NEAR(got[i].second, r.fence[i].second, 1e-3) << i;
        }
        EXPECT_EQ(std::tuple(sDirection, sKeyEntryLinked), std::tuple(r.tag, uint8_t(r.linked)));
    }
    EXPECT_EQ(undo.actionNames, std::vector<std::string>(std::size(rows), "Resize Segment"));

    // The same length changes nothing but still stores the step; the bounds follow a change.
    ResizeSegmentToLength(Segment(fence, 1), 240, 1, true);
    EXPECT_EQ(PlanPositions(fence), (P{{-48, 0}, {0, 0}, {240, 0}, {288, 0}}));
    EXPECT_EQ(fence->firstPart, nullptr);  // not rebuilt
    ResizeSegmentToLength(Segment(fence, 1), 288, 1, true);
    EXPECT_NE(fence->firstPart, nullptr);
    EXPECT_EQ(std::pair(fence->bounds.floatLeft, fence->bounds.floatRight), std::pair(-72.0f, 312.0f));
    EXPECT_EQ(sLength, 288);
    // Its faces are mapped over the new outline, as a read maps them.
    EXPECT_TRUE(Near({PointAt(fence, 1)->textureU, PointAt(fence, 2)->textureU}, {0.125f, 0.875f}));
}

TEST_F(KeyEntry, TheFirstSegmentOfAClosedOutlineMovesTheLastPointWithTheStart) {
    Objex* square = Shape(floor, objtype::kDetail, {{0, 0}, {100, 0}, {100, 100}, {0, 100}}, true);
    ResizeSegmentToLength(Segment(square, 0), 120, 1, true);
    const std::vector<std::pair<float, float>> want{{-10, 0}, {110, 0}, {110, 100}, {-10, 100}};
    const auto got = PlanPositions(square);
    for (size_t i = 0; i < want.size(); ++i) EXPECT_NEAR(got[i].first, want[i].first, 1e-3) << i;
    // The closing segment D -> A: A's next point B moves with the end.
    Objex* other = Shape(floor, objtype::kDetail, {{0, 0}, {100, 0}, {100, 100}, {0, 100}}, true);
    ResizeSegmentToLength(Segment(other, 3), 140, 2, true);  // from (0,100) up to (0,0): end moves to (0,-40)
    EXPECT_NEAR(PointAt(other, 0)->position[2], -40, 1e-3);
    EXPECT_NEAR(PointAt(other, 1)->position[2], -40, 1e-3);
}

// The length a wall shows is measured between its faces; whichever end stays, the wall shows
// what was typed, and both ends moving keep the segment's middle.
TEST_F(KeyEntry, AWallMeasuredAtItsFacesShowsTheTypedLength) {
    for (int16_t tag : {1, 2, 3}) {
        for (int16_t side : {1, -1}) {
            SCOPED_TRACE(testing::Message() << "tag " << tag << " side " << side);
            Objex* wall = Wall(floor, {{0, -96}, {0, 0}, {240, 0}, {240, -96}});
            wall->penWidth = 6;  // 12 plan units
            Poinz* s = PointAt(wall, 1);
            Poinz* e = PointAt(wall, 2);
            s->dimensionMethod = 1;
            objfield::point::kKeyEntryMark(*s) = side;
            auto shown = [&] {
                float sh, sv, eh, ev, l = 0;
                AdjustWallDimensionForMethod(wall, s, e, &sh, &sv, &eh, &ev);
                GetLineLengthAndAngle(sh, sv, eh, ev, &l);
                return l;
            };
            const float before = shown();
            ASSERT_NE(before, 240) << "the fixture measures at the faces";
            KeyEntrySegment k{wall, s, e, before - 240, before, 0};
            ResizeSegmentToLength(k, 300, tag, false);
            EXPECT_NEAR(shown(), 300, 1e-3);
            EXPECT_NEAR(sLength, 300 - (before - 240), 1e-3);
            if (tag == 1) {
                EXPECT_NEAR((s->position[0] + e->position[0]) / 2, 120, 1e-3);
            }
        }
    }
}

// The wall sheet places the end along the drawn direction (plan y grows downwards) and names
// its step after the tool.
TEST_F(KeyEntry, TheWallSheetPlacesTheEndAndNamesItsTool) {
    Objex* wall = Wall(floor, {{0, 0}, {100, 0}});
    Poinz* e = PointAt(wall, 1);
    SetWallSegmentLength(wall, PointAt(wall, 0), e, 100, 3 * std::numbers::pi_v<float> / 2, 240);
    EXPECT_NEAR(e->position[0], 0, 1e-3);
    EXPECT_NEAR(e->position[2], 240, 1e-3);
    StoreWallToolStep(7053);
    EXPECT_EQ(undo.actionNames, std::vector<std::string>{"Interior Wall Tool"});
}

}  // namespace
}  // namespace dvxtest

// The drafting tools played as gestures in the plan (zoom 1, scale 72: a view point is a plan
// point is an inch), with shapes checked against corners and angles worked out by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "app/core/main_window_seams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/splines.h"
#include "plan/annotations/dimension_lines.h"
#include "plan/dynamic_draw_engine.h"
#include "support/build.h"
#include "support/drawing_doubles.h"
#include "support/gesture_driver.h"
#include "tracking/arc_builders.h"
#include "tracking/drafting_trackers.h"
#include "tracking/line_trackers.h"
#include "tracking/shape_trackers.h"
#include "tracking/tracking_engine.h"
#include "tracking/tracking_state.h"

namespace {

using namespace dvxtest;
using Points = std::vector<std::vector<float>>;  // H, V, D of each point

class DraftingTools : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        ds = doc->itsDocState;
        ds->zoomFactor = 1, ds->planScale = 72, ds->snapToGrid = 0, ds->viewKind = 2;
        ds->penWidth = 3, ds->currentPlanBit = 256, ds->editLevel = 1, ds->detailDisplayDims = 6;
        SetPlanView();
        SetMainWindowDocumentViewHandler([this] { return &view; });
        SetResetStandardToolHandler([this](uint8_t) { ++resets; });
        RegisterDraftingTrackers();
    }
    // A press, drags through the points and a release at the last.
    void Drag(std::vector<POINT> path, uint32_t modifiers = 0) {
        g.press(path.front(), modifiers);
        for (size_t i = 1; i < path.size(); ++i) g.drag(path[i], modifiers);
        g.release(path.back(), modifiers);
    }
    Objex* Last() {
        Objex* o = doc->itsCurLayer->firstObject;
        while (o && o->next) o = o->next;
        return o;
    }
    int Count() { return CountObjects(doc->itsCurLayer->firstObject); }
    static Points PointsOf(const Objex* o) {
        Points all;
        for (const Poinz* p = o ? o->firstPoint : nullptr; p; p = p->next)
            all.push_back({p->position[0], p->position[1], p->position[2]});
        return all;
    }
    static ::testing::AssertionResult Same(const Points& got, const Points& want, float tolerance = 0.01f) {
        if (got.size() != want.size()) return ::testing::AssertionFailure() << got.size() << " points";
        for (size_t i = 0; i < got.size(); ++i)
            for (size_t k = 0; k < 3; ++k)
                if (std::fabs(got[i][k] - want[i][k]) > tolerance)
                    return ::testing::AssertionFailure() << "point " << i << " axis " << k << ": " << got[i][k];
        return ::testing::AssertionSuccess();
    }
    // The dimension readouts the rubber band holds.
    std::vector<std::string> Readouts() {
        std::vector<std::string> texts;
        for (const auto& e : view.dynamicDrawEngine->dynamicDimArray) texts.push_back(e->dimensionText.get());
        return texts;
    }

    DocState* ds = nullptr;
    RecordingContext context;
    port::DrawingScope scope{context};
    FakeViewHost host;
    Base2DView view{&host};
    GestureDriver g;
    int resets = 0;
};

TEST_F(DraftingTools, RectanglesAndOvalsFollowThePressAndTheRelease) {
    // Corners (up H, up D), (up H, down D), (down H, down D), (down H, up D), whichever way.
    gCurTool = toolid::kRectangle;
    Drag({{100, 100}, {150, 130}, {200, 160}});
    EXPECT_TRUE(Same(PointsOf(Last()), {{200, 0, 160}, {200, 0, 100}, {100, 0, 100}, {100, 0, 160}}));
    Drag({{200, 160}, {100, 100}});
    EXPECT_TRUE(Same(PointsOf(Last()), {{100, 0, 100}, {100, 0, 160}, {200, 0, 160}, {200, 0, 100}}));
    Objex* rect = Last();
    EXPECT_TRUE(Near({rect->type, rect->subtype, rect->closed, rect->penWidth, rect->planBits, rect->optionA,
                      rect->optionB},
                     {29, 1, 1, 3, 256, 6, 1}));

    // Elevation views: the shape lies in the view's plane at the press's third coordinate.
    struct View { int16_t kind; Float3DPoint down, up; Points want; };
    for (const View& v : {View{1, {10, 20, 30}, {50, 70, 99}, {{50, 70, 30}, {50, 20, 30}, {10, 20, 30}, {10, 70, 30}}},
                          View{3, {10, 20, 30}, {99, 70, 90}, {{10, 70, 90}, {10, 20, 90}, {10, 20, 30}, {10, 70, 30}}}}) {
        ds->viewKind = v.kind, gStartMouse = {0, 0}, gEndMouse = {100, 0};
        gDownX = v.down.floatH, gDownY = v.down.floatV, gDownZ = v.down.floatD;
        gUpX = v.up.floatH, gUpY = v.up.floatV, gUpZ = v.up.floatD;
        TrackRect(0, 0, gUpX, gUpY, gUpZ, 3);
        EXPECT_TRUE(Same(PointsOf(Last()), v.want)) << v.kind;
    }
    ds->viewKind = 2;

    // Centre mode: symmetric about the press, which stays where it was.
    gCenterRectTool = 1;
    Drag({{100, 100}, {150, 130}});
    EXPECT_TRUE(Same(PointsOf(Last()), {{150, 0, 130}, {150, 0, 70}, {50, 0, 70}, {50, 0, 130}}));
    EXPECT_TRUE(Near({gDownX, gDownZ}, {100, 100}));
    gCenterRectTool = 0;

    // Under 20 view points a drag is a click: nothing, and the standard tool again.
    const int before = Count();
    for (int16_t tool : {toolid::kRectangle, toolid::kOval}) gCurTool = tool, Drag({{300, 300}, {310, 312}});
    EXPECT_TRUE(Near({Count(), resets}, {before, 2}));

    // Ovals: four points with arc tangents inside the box dragged; Shift makes a circle with
    // the lock off and frees it with the lock on.
    auto extents = [](const Objex* o) {
        float h0 = 1e9f, h1 = -1e9f, d0 = 1e9f, d1 = -1e9f;
        for (const Poinz* p = o->firstPoint; p; p = p->next)
            h0 = std::fmin(h0, p->position[0]), h1 = std::fmax(h1, p->position[0]),
            d0 = std::fmin(d0, p->position[2]), d1 = std::fmax(d1, p->position[2]);
        return std::vector<float>{h0, h1, d0, d1};
    };
    struct Oval { uint8_t lock; uint32_t modifiers; std::vector<float> box; };
    gCurTool = toolid::kOval;
    for (const Oval& o : {Oval{0, 0, {100, 200, 100, 160}}, Oval{0, evmod::kShift, {100, 200, 100, 200}},
                          Oval{1, 0, {100, 200, 100, 200}}, Oval{1, evmod::kShift, {100, 200, 100, 160}}}) {
        gLockOvalTool = o.lock;
        Drag({{100, 100}, {150, 150}, {200, 160}}, o.modifiers);
        Objex* oval = Last();
        ASSERT_TRUE(oval && oval->subtype == 2);
        const std::vector<float> got = extents(oval);
        EXPECT_TRUE(Near({got[0], got[1], got[2], got[3]}, {o.box[0], o.box[1], o.box[2], o.box[3]}, 0.01))
            << int(o.lock) << " " << o.modifiers;
        EXPECT_TRUE(Near({oval->type, oval->closed, oval->pointCount, oval->penWidth}, {29, 1, 4, 3}));
        for (const Poinz* p = oval->firstPoint; p; p = p->next)
            EXPECT_GT(std::hypot(p->outTangent[0], p->outTangent[2]), 10);
    }
    // The rubber band is gone after each release.
    EXPECT_TRUE(view.dynamicDrawEngine->areAllPathsEmpty());
}

TEST_F(DraftingTools, LinesArcsAndMultigonsMakeOpenAndClosedShapes) {
    // A click makes nothing and gives back the standard tool.
    for (int16_t tool : {toolid::kLine, toolid::kArc, toolid::kMultigon}) gCurTool = tool, g.click({50, 50});
    EXPECT_TRUE(Near({Count(), resets}, {0, 3}));

    gCurTool = toolid::kLine;
    Drag({{100, 100}, {200, 100}});
    Objex* line = Last();
    EXPECT_TRUE(Same(PointsOf(line), {{100, 0, 100}, {200, 0, 100}}));
    EXPECT_TRUE(Near({line->type, line->subtype, line->closed, line->fillPattern, line->optionA},
                     {29, 6, 0, 0, 6}));
    EXPECT_TRUE(Near({gPerpFromLoc.floatH, gPerpFromLoc.floatV}, {32000, 32000}));
    // Centre-line mode: the press is the middle.
    gCenterLineTool = 1;
    Drag({{100, 100}, {160, 160}});
    EXPECT_TRUE(Same(PointsOf(Last()), {{40, 0, 40}, {160, 0, 160}}));
    gCenterLineTool = 0;
    // Pressed on a segment with the perpendicular snap: the line starts at the foot of the
    // perpendicular from the release.
    Shape(doc->itsCurLayer, objtype::kPolygon, {{0, 300}, {400, 300}});
    gCurSnap = snapmode::kPerpendicular;
    Drag({{100, 300}, {200, 380}, {250, 400}});
    EXPECT_TRUE(Same(PointsOf(Last()), {{250, 0, 300}, {250, 0, 400}}));
    gCurSnap = snapmode::kNone;

    // An arc dragged up and to the left: a quarter from 90 degrees about (cursor H, down D),
    // half-axes 60 and 40, its ends the press and the release.
    gCurTool = toolid::kArc;
    Drag({{200, 200}, {170, 180}, {140, 160}});
    Objex* arc = Last();
    ASSERT_TRUE(arc && arc->subtype == 5);
    EXPECT_TRUE(Near({arc->closed, arc->fillPattern, arc->optionA & 1}, {0, 0, 1}));
    const Points ends = PointsOf(arc);
    ASSERT_EQ(ends.size(), 2u);
    EXPECT_TRUE(Same({ends.front(), ends.back()}, {{140, 0, 160}, {200, 0, 200}}) ||
                Same({ends.front(), ends.back()}, {{200, 0, 200}, {140, 0, 160}}));
    for (float t : {0.25f, 0.5f, 0.75f}) {
        float h, v, d;
        GetSplineCoordinate(PointAt(arc, 0), PointAt(arc, 1), t, &h, &v, &d);
        const float on = std::pow((h - 140) / 60, 2.0f) + std::pow((d - 200) / 40, 2.0f);
        EXPECT_NEAR(on, 1, 0.03) << t;
        EXPECT_TRUE(h > 140 && d < 200) << t;  // the quarter above and right of the centre
    }

    // A hexagon about (200, 200) whose sixth vertex lies on the pointer's direction.
    gCurTool = toolid::kMultigon, ds->multigonSides = 6;
    Drag({{200, 200}, {260, 200}, {300, 200}});
    Objex* hexagon = Last();
    ASSERT_TRUE(hexagon && hexagon->subtype == 4 && hexagon->closed);
    const Points corners = PointsOf(hexagon);
    ASSERT_EQ(corners.size(), 6u);
    EXPECT_TRUE(Same({corners[0], corners[5]}, {{250, 0, 200 - 86.6025f}, {300, 0, 200}}));
    // Two sides: nothing drawn while dragging, nothing made.
    const int before = Count();
    ds->multigonSides = 2;
    g.press({200, 200}), g.drag({300, 250});
    EXPECT_TRUE(view.dynamicDrawEngine->areAllPathsEmpty());
    g.release({300, 250});
    EXPECT_EQ(Count(), before);

    // The text tools make nothing.
    for (int16_t tool : {toolid::kTextEntry}) gCurTool = tool, Drag({{10, 10}, {90, 90}});
    EXPECT_EQ(Count(), before);
}

TEST_F(DraftingTools, ArcFeedbackSweepsAndCurvedWallSteps) {
    // Centre (0, 0), start at 0, cursor straight up (90 degrees): a curved wall sweeps 90 and
    // a door swing the other way round; Shift turns both.
    struct Row { int16_t modifiers; float wall, door; };
    for (const Row& r : {Row{0, 90, -270}, Row{4, -270, 90}}) {
        gTrackModifiers = r.modifiers;
        EXPECT_TRUE(Near({DrawArcState(0, 0, 100, 0, 0, -100, 0, 100), DrawDoorArcState(0, 0, 100, 0, 0, -100, 0, 100)},
                         {r.wall, r.door}, 1e-3));
    }
    gTrackModifiers = 0;
    EXPECT_FALSE(view.dynamicDrawEngine->isPathEmpty(0));
    ds->viewKind = 4;
    EXPECT_EQ(DrawArcState(0, 0, 100, 0, 0, -100, 0, 100), 0);

    // A circle of radius 100: pieces of the chord's angle, kept within 5 and 90 degrees.
    const FloatRect box{-100, -100, 100, 100};
    struct Step { float chord; int32_t points; };
    for (const Step& s : {Step{0.01f, 73}, Step{2 * 100 * std::sin(15 * 3.14159265f / 180), 13}, Step{1000, 5}}) {
        int32_t count = 0;
        SetupCurvedWall(nullptr, &box, 0, 360, 2, 0, nullptr, nullptr, nullptr, 0, &count, 0, s.chord);
        EXPECT_EQ(count, s.points) << s.chord;
    }
}

TEST_F(DraftingTools, ReadoutsAreRoundedOnlyWhileTheToggleIsUp) {
    // 100.4 plan units read 100.4 inches at scale 72 whatever the zoom; rounded, 100.
    struct Row { float zoom; uint8_t toggle; float shownAs; };
    for (const Row& r : {Row{1, 0, 100.4f}, Row{1, 1, 100}, Row{0.6f, 0, 100.4f}, Row{0.6f, 1, 100}}) {
        ds->zoomFactor = r.zoom;
        view.dynamicDrawEngine->removeAllDynamicDimElements();
        gRoundToggle = r.toggle;
        DrawDimensionLine(nullptr, 0, 0, 100.4f, 0, 0, 0, 100.4f, 0, 0, 10, 1, &r, &r, 0, 0, 0, 0, nullptr);
        gRoundToggle = 0;
        const float exact = r.shownAs;
        DrawDimensionLine(nullptr, 0, 0, exact, 0, 0, 0, exact, 0, 0, 10, 1, &r, &r, 0, 0, 0, 0, nullptr);
        const std::vector<std::string> texts = Readouts();
        ASSERT_EQ(texts.size(), 2u);
        EXPECT_EQ(texts[0], texts[1]) << r.zoom << " " << int(r.toggle);
    }
    // The engine lowers the toggle before each tracker call.
    gRoundToggle = 1, gCurTool = toolid::kLine, g.press({0, 0});
    EXPECT_EQ(gRoundToggle, 0);
}

}  // namespace

// The roof tools played as gestures in the plan (zoom 1, scale 72: a view point is a plan
// point), outlines checked against the drag by hand, and the move tool's wall feedback.
#include <gtest/gtest.h>

#include <algorithm>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/objects.h"
#include "plan/dynamic_draw_engine.h"
#include "support/build.h"
#include "support/plan_gestures.h"
#include "tools/roof_tool.h"
#include "model/click_info.h"
#include "tracking/tracking_state.h"

namespace {

using namespace dvxtest;
using Plan = std::vector<std::pair<float, float>>;
using Segment = std::array<double, 4>;

// The straight pieces of a path, each from its start to its end.
std::vector<Segment> Segments(const port::Path& path) {
    std::vector<Segment> out;
    double x = 0, y = 0, sx = 0, sy = 0;
    for (const auto& e : path.elements()) {
        if (e.kind == port::Path::Kind::Move) sx = x = e.p[0], sy = y = e.p[1];
        if (e.kind == port::Path::Kind::Line) out.push_back({x, y, e.p[0], e.p[1]}), x = e.p[0], y = e.p[1];
        if (e.kind == port::Path::Kind::Close) out.push_back({x, y, sx, sy}), x = sx, y = sy;
    }
    return out;
}

bool HasSegment(const std::vector<Segment>& all, Segment s) {
    const Segment back{s[2], s[3], s[0], s[1]};
    return std::find(all.begin(), all.end(), s) != all.end() || std::find(all.begin(), all.end(), back) != all.end();
}

class RoofTool : public PlanGestureTest {
protected:
    void SetUp() override {
        PlanGestureTest::SetUp();
        ds->roofPitch = 10, ds->gableRoofChoice = 3, ds->showDimensions = 0;
    }
    int Count() { return CountObjects(doc->itsCurLayer->firstObject); }
};

TEST_F(RoofTool, TheRidgeFollowsTheLongerSideAndTheRoofTakesTheDocumentsDefaults) {
    gCurTool = 7301;  // hip
    Objex* roof = Drag({{100, 100}, {160, 130}, {220, 160}});
    EXPECT_EQ(PlanPositions(roof), (Plan{{100, 100}, {220, 100}, {220, 160}, {100, 160}}));
    Layer* layer = doc->itsCurLayer;
    EXPECT_TRUE(Near({roof->type, roof->closed, roof->planBits, roof->fillPattern, objfield::roof::kStyle(*roof),
                      objfield::roof::kPitch(*roof), roof->elevation, roof->texture2, roof->textureScales[0].x},
                     {14, 1, 16, 3, 1, 10, GetLayerAbsBaseHeight(layer) + layer->height, 0, 100}));
    const Poinz* top = roof->firstPoint;
    EXPECT_TRUE(Near({top->texture1, top->texture2, top->color1.red, top->color2.red, top->color2.green, top->color2.blue,
                      top->faceScale1.x, top->faceScale2.y},
                     {1255, 0, 65535, 57311, 52685, 46517, 100, 100}));
    EXPECT_EQ(CountObjects(roof->typeData.roofPanels), 12);  // built at once: hips at both ends
    for (const Poinz* p = roof->firstPoint; p; p = p->next) EXPECT_EQ(p->position[1], top->position[1]);

    // A square puts the ridge along depth; up and to the left the formulas still hold.
    gCurTool = 7300;
    EXPECT_EQ(PlanPositions(Drag({{200, 200}, {140, 140}})), (Plan{{200, 140}, {200, 200}, {140, 200}, {140, 140}}));
    EXPECT_EQ(objfield::roof::kStyle(*Last()), objfield::roof::kGableStyle);
    EXPECT_EQ(PlanPositions(Drag({{300, 300}, {180, 260}})), (Plan{{300, 300}, {180, 300}, {180, 260}, {300, 260}}));

    // 19 view points is a click: no roof, the standard tool again, the feedback gone.
    const int before = Count(), resetsBefore = resets;
    Drag({{400, 400}, {419, 400}});
    EXPECT_TRUE(Near({Count(), resets}, {before, resetsBefore + 1}));
    EXPECT_TRUE(view.dynamicDrawEngine->areAllPathsEmpty());
}

TEST_F(RoofTool, TheFeedbackShowsTheOutlineRidgeAndHipLines) {
    gCurTool = 7301;
    g.press({100, 100}), g.drag({160, 160});
    const std::vector<Segment> hip = Segments(view.dynamicDrawEngine->primaryPath.path);
    for (Segment s : {Segment{100, 100, 130, 130}, {160, 100, 130, 130}, {160, 160, 130, 130}, {100, 160, 130, 130},
                      {100, 160, 100, 100}, {160, 100, 160, 160}, {100, 100, 160, 100}})
        EXPECT_TRUE(HasSegment(hip, s)) << s[0] << "," << s[1] << " " << s[2] << "," << s[3];
    g.release({160, 160});
}

TEST_F(RoofTool, ADraggedWallSegmentShowsItselfAndItsNeighbours) {
    Objex* wall = Wall(doc->itsCurLayer, {{0, 0}, {100, 0}, {100, 100}, {0, 100}});
    wall->penWidth = 6;
    ClickInfo click;
    click.ciPoint = PointAt(wall, 0), click.ciPoint2 = PointAt(wall, 1);
    gTranslateWallSegPt1 = {0, 20}, gTranslateWallSegPt2 = {100, 20};
    DrawTranslatedWallObject(wall, &click);
    const QMDDynamicTransformElement* element = view.dynamicDrawEngine->activeTransformElement();
    ASSERT_NE(element, nullptr);
    EXPECT_EQ(element->fillPath, 1);
    // The first segment has nothing before it: the dragged segment, then the one after it,
    // each 3 to either side.
    const std::vector<Segment> drawn = Segments(element->path.path);
    EXPECT_EQ(drawn, (std::vector<Segment>{{0, 17, 100, 17}, {100, 17, 100, 23}, {100, 23, 0, 23}, {0, 23, 0, 17},
                                           {103, 20, 103, 100}, {103, 100, 97, 100}, {97, 100, 97, 20}, {97, 20, 103, 20}}));
}

}  // namespace

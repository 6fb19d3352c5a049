// A wall segment moved with the move tool, as the plan paints it in an offscreen image.
#include "model/docstate.h"
#include "model/document_model.h"
#include "support/build.h"
#include "support/plan_gestures.h"
#include "tracking/tracking_state.h"
#include "plan_image.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

const QRgb kBlue = qRgb(0, 0, 255);

using dvxtest::Count;

class MoveToolPixels : public dvxtest::PlanGestureTest {};

TEST_F(MoveToolPixels, AMovedSegmentKeepsTheWallThatMetItJoined) {
    ds->wallThickness = 20;  // 10 each side of the centre line at scale 72
    ds->planColors[1] = {0, 0, 65535}, ds->showDimensions = 0;
    gCurTool = 7052;
    Drag({{20, 100}, {80, 100}, {140, 100}});
    Drag({{80, 190}, {80, 150}, {80, 110}});  // stops at the first wall's face, D 110
    ASSERT_EQ(dvxtest::CountObjects(doc->itsCurLayer->firstObject), 2);
    const QImage before = dvxtest::PaintPlan(doc, 160, 200);
    ASSERT_GT(Count(before, kBlue, {72, 112, 16, 70}), 16 * 70 * 9 / 10);

    // The first wall's segment 40 up: the second wall reaches its new face, D 70.
    gCurTool = toolid::kSelect;
    Drag({{120, 100}, {120, 80}, {120, 60}});
    const QImage image = dvxtest::PaintPlan(doc, 160, 200);
    image.save(QString::fromStdString(dvxtest::FreshTempFolder("move_tool") + "/segment.png"));
    EXPECT_GT(Count(image, kBlue, {30, 52, 100, 16}), 100 * 16 * 9 / 10);  // the segment at D 50..70
    EXPECT_EQ(Count(image, kBlue, {100, 92, 30, 16}), 0);                  // nothing where it was
    EXPECT_GT(Count(image, kBlue, {72, 68, 16, 110}), 16 * 110 * 9 / 10);  // the meeting wall, no gap
}

}  // namespace

// A dimension line and a filleted corner drawn into an offscreen image at zoom 1 (a plan unit a
// pixel): the line with its end marks and readout, the corner as a round arc.
#include <QImage>
#include <gtest/gtest.h>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "plan_image.h"
#include "support/build.h"
#include "support/plan_gestures.h"
#include "tracking/tracking_state.h"

namespace {

using namespace dvxtest;

class DimensionPixels : public PlanGestureTest {};

int Ink(const QImage& image, QRect area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) n += qGray(image.pixel(x, y)) < 160;
    return n;
}

TEST_F(DimensionPixels, ADimensionLineAndAFilletedCornerShowAsDrawn) {
    ds->visiblePlans = -1, ds->showDimensions = 1;
    gCurTool = 209;
    ASSERT_EQ(Drag({{100, 60}, {300, 60}})->type, objtype::kDimensionLine);
    Shape(doc->itsCurLayer, objtype::kFloor, {{100, 150}, {300, 150}, {300, 280}, {100, 280}}, true);
    gCurTool = 7910;
    Drag({{100, 150}, {160, 150}});  // r = 60 sin 45 = 42.4, the arc's middle at (112.4, 162.4)

    const QImage image = PaintPlan(doc, 400, 300);
    image.save(QString::fromStdString(FreshTempFolder("look") + "/dimension_and_fillet.png"));
    EXPECT_GT(Ink(image, {130, 55, 20, 10}), 10);  // the line, left of the readout
    EXPECT_GT(Ink(image, {95, 50, 10, 20}), 4);    // the end marks
    EXPECT_GT(Ink(image, {295, 50, 10, 20}), 4);
    EXPECT_GT(Ink(image, {185, 45, 30, 30}), 30);  // the readout
    EXPECT_GT(Ink(image, {109, 159, 6, 6}), 2);    // the arc's middle
    EXPECT_EQ(Ink(image, {98, 148, 6, 6}), 0);     // nothing left at the corner
    EXPECT_GT(Ink(image, {97, 200, 6, 20}), 10);   // the leg goes on below the arc
}

}  // namespace

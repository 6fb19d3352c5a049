// A four-point roof dragged off a wall, drawn into an offscreen image at zoom 1 (a plan unit a
// pixel): its outline shows on the side it was dragged to, its slope arrow's head at the eave.
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "plan/plan_frame.h"
#include "port/qt/painter_context.h"
#include "support/build.h"
#include "support/plan_gestures.h"
#include "plan_image.h"
#include "tracking/tracking_state.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

using namespace dvxtest;

class RoofPanelPixels : public PlanGestureTest {};

int Ink(const QImage& image, QRect area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) n += qGray(image.pixel(x, y)) < 128;
    return n;
}

TEST_F(RoofPanelPixels, AFourPointRoofShowsItsOutlineAndArrowOnTheEaveSide) {
    ds->roofPitch = 6, ds->soffitInclude = 0, ds->visiblePlans = -1, ds->showDimensions = 0;
    Objex* wall = Wall(doc->itsCurLayer, {{100, 100}, {300, 100}});
    objfield::wall_segment::kFirstHeight(*wall->firstPoint) = 96;
    gCurTool = toolid::kFourPointRoof;
    Objex* panel = Drag({{200, 100}, {200, 150}, {200, 200}});
    ASSERT_TRUE(panel && panel->type == objtype::kFreehandRoof);

    const QImage image = PaintPlan(doc, 400, 300);
    image.save(QString::fromStdString(FreshTempFolder("look") + "/four_point_roof.png"));
    EXPECT_GT(Ink(image, {120, 197, 160, 6}), 150);  // the far edge at D 200
    EXPECT_GT(Ink(image, {97, 140, 6, 20}), 15);     // the left side at H 100
    EXPECT_GT(Ink(image, {197, 135, 6, 10}), 8);     // the arrow's shaft along H 200
    EXPECT_GT(Ink(image, {178, 112, 14, 20}), 8);    // its barbs near the eave, left of the shaft
    EXPECT_EQ(Ink(image, {178, 165, 14, 30}), 0);    // none at the far end
    EXPECT_EQ(Ink(image, {0, 206, 400, 94}), 0);     // nothing beyond the far edge
}

}  // namespace

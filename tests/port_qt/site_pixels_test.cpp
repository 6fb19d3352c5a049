// A fence and an air duct drawn by their tools, painted into an offscreen image by the plan's
// frame. Seen from above at zoom 1 (a plan unit a pixel), the plan origin at (50, 150).
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "plan/plan_frame.h"
#include "port/qt/painter_context.h"
#include "support/build.h"
#include "support/plan_gestures.h"
#include "plan_image.h"
#include "tracking/tracker_loops.h"
#include "tracking/tracking_state.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

const QRgb kCanvas = qRgb(255, 255, 255);
constexpr int kOriginX = 50, kOriginY = 150;

class SitePixels : public dvxtest::PlanGestureTest {
  protected:
    QImage Paint() { return dvxtest::PaintPlan(doc, 300, 300, kOriginX, kOriginY, {-1000, -1000, 1000, 1000}); }
    // Inked pixels along the plan line D = d from h1 to h2.
    static int InkAlong(const QImage& image, int d, int h1, int h2) {
        int n = 0;
        for (int h = h1; h <= h2; ++h) n += image.pixel(h + kOriginX, d + kOriginY) != kCanvas;
        return n;
    }
    // Inked pixels in the box of plan corners (h1, d1), (h2, d2).
    static int InkIn(const QImage& image, int h1, int d1, int h2, int d2) {
        int n = 0;
        for (int d = d1; d <= d2; ++d) n += InkAlong(image, d, h1, h2);
        return n;
    }
};

TEST_F(SitePixels, AFenceShowsItsLineAndNameAndADuctItsDashedSides) {
    ds->fenceColor = {0, 0, 0};
    const QImage before = Paint();
    gCurTool = 7505;
    g.move({0, 0}), g.click({0, 0}), g.move({200, 0}), g.click({200, 0}), g.click({200, 0}, 0, 2);
    ASSERT_FALSE(TrackerLoopOpen());
    ds->ductWidth = 12;
    gCurTool = 7400;
    g.press({0, 100}), g.drag({100, 100}), g.drag({200, 100}), g.release({200, 100});
    const QImage after = Paint();
    after.save(QString::fromStdString(dvxtest::FreshTempFolder("look") + "/site.png"));
    EXPECT_EQ(InkAlong(before, 0, 10, 190), 0);
    EXPECT_GT(InkAlong(after, 0, 10, 190), 60);  // a dashed line
    // The name stands above the line's middle.
    EXPECT_EQ(InkIn(before, 60, -30, 140, -4), 0);
    EXPECT_GT(InkIn(after, 60, -30, 140, -4), 20);
    // The duct's sides, 6 either side of its centre line, are dashed: inked and broken.
    for (int side : {94, 106}) {
        const int ink = InkAlong(after, side, 20, 180);
        EXPECT_GT(ink, 30) << side;
        EXPECT_LT(ink, 150) << side;
    }
}

} // namespace

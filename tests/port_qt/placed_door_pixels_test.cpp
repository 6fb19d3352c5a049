// A door placed by the door tool, drawn into an offscreen image by the plan's frame: the wall
// from (0, 0) to (200, 0) shows a gap where the door stands and the door's swing arc. Seen from
// above at zoom 1 (a plan unit a pixel), the plan origin at (50, 150) in the image.
#include "model/attachments.h"
#include "model/docstate.h"
#include "model/document_model.h"
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

class PlacedDoorPixels : public dvxtest::PlanGestureTest {
  protected:
    QImage Paint() { return dvxtest::PaintPlan(doc, 300, 300, kOriginX, kOriginY, {-1000, -1000, 1000, 1000}); }
    // Inked pixels on the wall's line from h1 to h2.
    static int InkAlongWall(const QImage& image, int h1, int h2) {
        int n = 0;
        for (int h = h1; h <= h2; ++h)
            n += image.pixel(h + kOriginX, kOriginY) != kCanvas;
        return n;
    }
    // Ink anywhere within 1 pixel of the plan point.
    static bool Inked(const QImage& image, float h, float d) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (image.pixel(int(h) + kOriginX + dx, int(d) + kOriginY + dy) != kCanvas)
                    return true;
        return false;
    }
};

TEST_F(PlacedDoorPixels, APlacedDoorShowsItsGapAndItsSwing) {
    Objex* wall = dvxtest::Wall(doc->itsCurLayer, {{0, 0}, {200, 0}});
    wall->penWidth = 6;
    wall->penColor = {0, 0, 0};
    const QImage before = Paint();
    ds->doorStyle = 501, ds->doorWidth = 30;
    gCurTool = toolid::kDoor;
    g.press({100, 0}), g.drag({150, 0}), g.release({150, 0}); // 135..165
    g.click({135, -30});                                      // a quarter turn up about 135
    ASSERT_FALSE(TrackerLoopOpen());
    ASSERT_NE(wall->firstChild, nullptr);
    const QImage after = Paint();
    after.save(QString::fromStdString(dvxtest::FreshTempFolder("look") + "/door.png"));
    // The wall's line runs solid through the opening before; after it is broken there.
    EXPECT_EQ(InkAlongWall(before, 136, 164), 29);
    EXPECT_LT(InkAlongWall(after, 136, 164), 20);
    EXPECT_EQ(InkAlongWall(after, 100, 130), 31);
    // The open leaf runs up from the hinge at 135; the arc comes down to the wall by the far end.
    for (const auto& [h, d] : {std::pair{135.0f, -15.0f}, std::pair{161.0f, -8.0f}}) {
        EXPECT_FALSE(Inked(before, h, d)) << h;
        EXPECT_TRUE(Inked(after, h, d)) << h;
    }
}

} // namespace

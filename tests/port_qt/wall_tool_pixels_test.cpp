// A wall drawn round a corner with the wall tool, as the plan paints it in an offscreen image.
#include "model/docstate.h"
#include "model/document_model.h"
#include "plan/base_2d_view.h"
#include "port/qt/painter_context.h"
#include "support/build.h"
#include "support/plan_gestures.h"
#include "tracking/tracking_state.h"
#include "plan_image.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

const QRgb kBlue = qRgb(0, 0, 255);

using dvxtest::Count;

class WallToolPixels : public dvxtest::PlanGestureTest {};

TEST_F(WallToolPixels, TwoWallsMeetingEndToEndFillTheCornerWithoutAGap) {
    ds->wallThickness = 20;  // 10 each side of the centre line at scale 72
    ds->planColors[1] = {0, 0, 65535}, ds->showDimensions = 0;
    host.visible = {0, 0, 130, 130};
    gCurTool = 7050;
    Drag({{20, 60}, {60, 60}, {100, 60}});
    Drag({{100, 60}, {100, 90}, {100, 120}});
    ASSERT_EQ(dvxtest::CountObjects(doc->itsCurLayer->firstObject), 1);
    QImage image(130, 130, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        port::qt::QPainterContext painter(&image);
        port::DrawingScope drawing(painter);
        painter.setAntialiasing(false);
        view.draw3D({0, 0, 130, 130}, 1);
    }
    image.save(QString::fromStdString(dvxtest::FreshTempFolder("wall_tool") + "/corner.png"));
    // Both legs between their faces, and the outer corner square (100..110, 50..60) filled.
    EXPECT_GT(Count(image, kBlue, {30, 53, 60, 14}), 60 * 14 * 9 / 10);
    EXPECT_GT(Count(image, kBlue, {93, 75, 14, 40}), 14 * 40 * 9 / 10);
    EXPECT_EQ(Count(image, kBlue, {101, 51, 8, 8}), 64);
    EXPECT_EQ(Count(image, kBlue, {112, 40, 10, 10}), 0);  // nothing beyond it
}

}  // namespace

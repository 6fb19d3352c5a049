// A hip roof dragged over four walls, as the plan paints it in an offscreen image.
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/selection_ops.h"
#include "plan/base_2d_view.h"
#include "port/qt/painter_context.h"
#include "support/build.h"
#include "support/plan_gestures.h"
#include "tracking/tracking_state.h"
#include "plan_image.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

const QRgb kRed = qRgb(255, 0, 0);

using dvxtest::Count;

class RoofToolPixels : public dvxtest::PlanGestureTest {};

TEST_F(RoofToolPixels, AHipRoofShowsItsOutlineAndHipLinesOverTheWalls) {
    ds->wallThickness = 10;
    ds->planColors[1] = {0, 0, 65535}, ds->planColors[4] = {65535, 0, 0}, ds->showDimensions = 0;
    host.visible = {0, 0, 140, 120};
    gCurTool = 7050;
    Drag({{20, 20}, {120, 20}});
    Drag({{120, 20}, {120, 100}});
    Drag({{120, 100}, {20, 100}});
    Drag({{20, 100}, {20, 20}});
    // 100 wide, 80 deep: the ridge along x from (60, 60) to (80, 60), 40 in from each end.
    gCurTool = 7301;
    Drag({{20, 20}, {70, 60}, {120, 100}});
    for (Objex* o = doc->itsCurLayer->firstObject; o; o = o->next) SetObjectSelectFlags(o, 0);
    QImage image(140, 120, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        port::qt::QPainterContext painter(&image);
        port::DrawingScope drawing(painter);
        painter.setAntialiasing(false);
        view.draw3D({0, 0, 140, 120}, 1);
    }
    image.save(QString::fromStdString(dvxtest::FreshTempFolder("roof_tool") + "/hip.png"));
    for (QRect along : {QRect{50, 18, 20, 5}, QRect{118, 50, 5, 20}, QRect{50, 98, 20, 5}, QRect{18, 50, 5, 20}})
        EXPECT_GT(Count(image, kRed, along), 10) << along.x() << "," << along.y();  // the outline over the walls
    for (QPoint hip : {QPoint{40, 40}, QPoint{40, 80}, QPoint{100, 40}, QPoint{100, 80}, QPoint{70, 60}})
        EXPECT_GT(Count(image, kRed, {hip.x() - 1, hip.y() - 1, 3, 3}), 0) << hip.x() << "," << hip.y();
    EXPECT_EQ(Count(image, kRed, {40, 25, 10, 8}), 0);  // inside a slope, nothing
}

}  // namespace

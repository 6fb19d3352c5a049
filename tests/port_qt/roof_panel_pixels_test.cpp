// A four-point roof dragged off a wall, drawn into an offscreen image at zoom 1 (a plan unit a
// pixel): its outline shows on the side it was dragged to, its slope arrow's head at the eave.
// At half zoom the feedback of the turning slope arrow, the arrow's selection line, the outline
// tools' rubber band and the four-point roof lies where the user points.
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "plan/plan_frame.h"
#include "port/qt/painter_context.h"
#include "support/build.h"
#include "support/plan_gestures.h"
#include "plan/base_2d_view.h"
#include "plan/handles.h"
#include "plan_image.h"
#include "tools/roof_panels.h"
#include "model/selection_ops.h"
#include "tracking/track_events.h"
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

// The rubber band of the gesture under way, painted alone into a white 200 x 200 image.
QImage Feedback(Base2DView& view) {
    QImage image(200, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    port::qt::QPainterContext painter(&image);
    port::DrawingScope drawing(painter);
    painter.setAntialiasing(false);
    view.drawFeedback();
    return image;
}

// At zoom 0.5 the panel's centre, plan (200, 200), is at view (100, 100): the turning arrow's
// feedback, 80 plan units long, runs there from view (80, 100) to (120, 100) once the head is
// dragged to the right, and nowhere near (50, 50), where zooming twice would put it.
TEST_F(RoofPanelPixels, TheTurningArrowsFeedbackLiesOnThePanelAtEveryZoom) {
    ds->zoomFactor = 0.5f, ds->showDimensions = 0, ds->visiblePlans = -1;
    Objex* panel = Make(objtype::kFreehandRoof).closed().plan({{100, 100}, {300, 100}, {300, 300}, {100, 300}}).bounds().on(doc->itsCurLayer);
    panel->planBits = 16, objfield::freehand_roof::kSlopeDirection(*panel) = 270;
    Update3DRoofPanel(panel);
    ASSERT_EQ(PlanPositions(FindSlopeDirectionArrowObject(panel)), (std::vector<std::pair<float, float>>{{200, 160}, {200, 240}}));
    gCurTool = toolid::kSelect;
    g.press({100, 120});  // the head, plan (200, 240)
    g.drag({140, 100});
    ASSERT_TRUE(g.running());
    const QImage image = Feedback(view);
    g.release({140, 100});
    image.save(QString::fromStdString(FreshTempFolder("look") + "/turning_arrow.png"));
    EXPECT_GT(Ink(image, {82, 98, 37, 5}), 30);  // the arrow through the panel's centre
    EXPECT_EQ(Ink(image, {30, 30, 40, 40}), 0);  // none by the plan's origin
    EXPECT_EQ(objfield::freehand_roof::kSlopeDirection(*panel), 0.0f);

    // A selected arrow's handles trace its selection line over it, from view (150, 130) to
    // (150, 170) on a panel 100 further on, not at (75, 65) to (75, 85).
    Objex* further = Make(objtype::kFreehandRoof).closed().plan({{200, 200}, {400, 200}, {400, 400}, {200, 400}}).bounds().on(doc->itsCurLayer);
    further->planBits = 16, objfield::freehand_roof::kSlopeDirection(*further) = 270;
    Update3DRoofPanel(further);
    SelectAllLayers(doc->itsLayers, selmode::kDeselect, 0);
    SelectObj(FindSlopeDirectionArrowObject(further), selmode::kSelect, 0);
    gCurTool = toolid::kPointEdit;  // selected point by point: the handles draw the line
    QImage selected(200, 200, QImage::Format_RGB32);
    selected.fill(Qt::white);
    {
        port::qt::QPainterContext painter(&selected);
        port::DrawingScope drawing(painter);
        painter.setAntialiasing(false);
        const RECT all{0, 0, 200, 200};
        DrawAllLayerHandles(doc->itsLayers, &all);
    }
    selected.save(QString::fromStdString(FreshTempFolder("look") + "/selected_arrow.png"));
    EXPECT_GT(Ink(selected, {147, 140, 7, 20}), 15);  // between the two point handles
    EXPECT_EQ(Ink(selected, {65, 55, 20, 40}), 0);
}

// The outline tools' rubber band and the four-point roof's feedback at zoom 0.5, each where the
// pointer is: a plan point (h, d) is view (h / 2, d / 2).
TEST_F(RoofPanelPixels, OutlineAndFourPointRoofFeedbackFollowThePointerAtHalfZoom) {
    ds->zoomFactor = 0.5f, ds->showDimensions = 0, ds->visiblePlans = -1;
    gCurTool = 7306;  // freehand roof: a click, then the band to the pointer
    g.move({60, 60}), g.click({60, 60}), g.move({160, 60});
    QImage band = Feedback(view);
    g.key(keycode::kEscape);
    band.save(QString::fromStdString(FreshTempFolder("look") + "/outline_band.png"));
    EXPECT_GT(Ink(band, {70, 58, 80, 5}), 60);  // view (60, 60) to (160, 60)
    EXPECT_EQ(Ink(band, {20, 20, 70, 20}), 0);  // not (30, 30) to (80, 30)

    Objex* wall = Wall(doc->itsCurLayer, {{100, 100}, {300, 100}});
    objfield::wall_segment::kFirstHeight(*wall->firstPoint) = 96;
    gCurTool = toolid::kFourPointRoof;
    ASSERT_TRUE(g.press({100, 50}));  // the wall's middle, plan (200, 100)
    g.drag({100, 75}), g.drag({100, 100});
    const QImage roof = Feedback(view);
    g.release({100, 100});
    roof.save(QString::fromStdString(FreshTempFolder("look") + "/four_point_feedback.png"));
    // The outline over the wall and its overhang, view H 40 to 160 and D 40 to 100; zoomed
    // twice it would stand at D 20 to 50.
    EXPECT_GT(Ink(roof, {45, 38, 110, 5}), 80);
    EXPECT_GT(Ink(roof, {98, 60, 25, 38}), 10);  // the slope arrow from the eave's middle
    EXPECT_EQ(Ink(roof, {0, 0, 200, 36}), 0);
}

}  // namespace

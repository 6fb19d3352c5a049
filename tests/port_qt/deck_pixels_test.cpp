// A deck drawn with the railing deck tool and a foundation pier, drawn into an offscreen image at
// zoom 1 (a plan unit a pixel): the deck shows its fill and its label inside its outline; the
// pier's square is drawn where it was built and stays as built.
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

using namespace dvxtest;

class DeckPixels : public PlanGestureTest {};

int Count(const QImage& image, QRect area, bool (*test)(QRgb)) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) n += test(image.pixel(x, y));
    return n;
}
bool Dark(QRgb c) { return qGray(c) < 100; }
bool Tinted(QRgb c) { return qGray(c) < 250; }

TEST_F(DeckPixels, ADeckShowsItsFillAndLabelInsideItsOutline) {
    ds->visiblePlans = -1, ds->showDimensions = 0, ds->deckHeight = 24, ds->pierDiameter = 12;
    gCurTool = 7600;
    for (POINT at : {POINT{100, 100}, POINT{300, 100}, POINT{300, 260}, POINT{100, 260}}) g.move(at), g.click(at);
    g.key(keycode::kEscape);
    ASSERT_EQ(Last()->type, objtype::kDeck);
    gCurTool = 7002;
    g.click({350, 50});
    Objex* pier = Last();
    ASSERT_EQ(pier->type, objtype::kFoundationPier);
    const auto built = PlanPositions(pier);

    const QImage image = PaintPlan(doc, 400, 300);
    image.save(QString::fromStdString(FreshTempFolder("look") + "/deck.png"));
    EXPECT_GT(Count(image, {110, 110, 40, 40}, Tinted), 100);  // the hatch, away from the label
    EXPECT_GT(Count(image, {170, 170, 60, 20}, Dark), 20);     // "DECK" about the centre (200, 180)
    EXPECT_EQ(Count(image, {0, 270, 400, 30}, Tinted), 0);     // nothing below the outline
    EXPECT_GT(Count(image, {342, 42, 17, 17}, Dark), 20);      // the pier about (350, 50)
    EXPECT_EQ(PlanPositions(pier), built);
}

}  // namespace

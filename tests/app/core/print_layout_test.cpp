// Paper arithmetic: scales, pages, an empty design's bounds, and the 100 % view printing uses.
#include "app/core/print_layout.h"
#include "app/core/event_handler.h"

#include <gtest/gtest.h>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/projection.h"
#include "model/object_types.h"
#include "support/build.h"
#include "support/fixture.h"

namespace {

class PrintLayout : public dvxtest::DocumentTest {};

TEST_F(PrintLayout, ScalesFitThePaperOrFollowThePlanScale) {
    FloatRect drawing{0, 0, 500, 1000};  // top, left, bottom, right
    const FloatRect paper{0, 0, 500, 500};
    EXPECT_FLOAT_EQ(CalculatePaperScale(&drawing, &paper), 500.0f / 1144.0f);
    EXPECT_EQ(std::tuple(drawing.floatTop, drawing.floatLeft, drawing.floatBottom, drawing.floatRight),
              std::tuple(-72.0f, -72.0f, 572.0f, 1072.0f));

    struct Row { int16_t code; int16_t units; float scale; };
    for (const Row& r : {Row{9, kMetricUnits, 0.72f}, Row{9, kImperialUnits, 0.75f}, Row{11, kMetricUnits, 3.6f},
                         Row{8, kImperialUnits, 0.375f}, Row{10, kMetricUnits, 1.8f}, Row{5, kMetricUnits, 1.0f}}) {
        doc->itsDocState->planScaleChoice = r.code;
        doc->itsDocState->units = r.units;
        FloatRect d{10, 20, 30, 40};
        EXPECT_FLOAT_EQ(CalculateTileScale(&d), r.scale) << r.code << "/" << r.units;
        EXPECT_EQ(std::tuple(d.floatTop, d.floatRight), std::tuple(-62.0f, 112.0f));
    }
}

TEST_F(PrintLayout, PagesCoverTheDrawingAndAnEmptyDesignPrintsItsExtents) {
    const std::vector<PrintTile> tiles = PrintTiles(1144, 444, 500, 500);
    ASSERT_EQ(tiles.size(), 3u);
    EXPECT_EQ(std::tuple(tiles[2].left, tiles[2].top), std::tuple(1000.0f, 0.0f));
    EXPECT_EQ(PrintTiles(1000, 1000.004f, 500, 500).size(), 4u);

    doc->itsDocState->lotRect = {-10, -20, 300, 400};
    const FloatRect empty = PrintDrawingBounds();
    EXPECT_EQ(std::tuple(empty.floatTop, empty.floatLeft, empty.floatBottom, empty.floatRight),
              std::tuple(-10.0f, -20.0f, 300.0f, 400.0f));
}

TEST_F(PrintLayout, ActualSizeSetsTheShownViewsZoomAndResetsTheView) {
    DocState* ds = doc->itsDocState;
    ds->lotRect = {-40, -10, 90, 250};  // top, left, bottom, right
    for (auto [top, topZoom, otherZoom] : {std::tuple(true, 1.0f, 0.25f), {false, 0.5f, 1.0f}}) {
        top ? dvxtest::SetPlanView() : dvxtest::SetView(0, 0);
        ds->zoomFactor = ds->savedZoom = 0.5f, ds->printZoom = 0.25f, ds->viewOrigin = {1, 2, 3};
        gGlobalXOffset = gGlobalYOffset = gGlobalZOffset = 7;
        Win32EventHandler().actualSize();
        EXPECT_EQ(std::tuple(ds->zoomFactor, ds->savedZoom, ds->printZoom), std::tuple(1.0f, topZoom, otherZoom));
        EXPECT_EQ(std::tuple(ds->viewOrigin.floatH, ds->viewOrigin.floatV, ds->viewOrigin.floatD, gGlobalXOffset,
                             gGlobalYOffset, gGlobalZOffset),
                  std::tuple(250.0f, 0.0f, -40.0f, 0.0f, 0.0f, 0.0f));
    }
}

} // namespace

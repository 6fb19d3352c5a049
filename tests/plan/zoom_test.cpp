// The lot's lower zoom limit, the extents' upper limit and fitting to the window.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "app/core/main_window_seams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/projection.h"
#include "plan/refresh_seams.h"
#include "plan/zoom.h"
#include "support/drawing_doubles.h"
#include "support/fixture.h"

namespace {

class ZoomTest : public dvxtest::DocumentTest {
protected:
    DocState& ds() { return *doc->itsDocState; }
};

TEST_F(ZoomTest, MinimumZoomFollowsTheLargerSideOfTheLot) {
    const struct { float width, depth; int16_t unit; float zoom; } rows[] = {
        {100, 100, 2, 0.05f} /* metres: about 328 feet */, {600, 20, 0, 0.025f}, {20, 1600, 0, 0.01f},
        {150, 150, 0, 0.06f}, {100, 100, 0, 0.045f}, {50, 50, 0, 0.045f},
    };
    for (const auto& row : rows) {
        ds().lotSizeFeet = {row.width, row.depth};
        ds().topoGridValue = row.unit;
        EXPECT_FLOAT_EQ(GetMinZoom(), row.zoom) << row.width << " x " << row.depth;
    }
}

TEST_F(ZoomTest, MaximumZoomKeepsTheExtentsInsideTheSixteenBitPlane) {
    const struct { FloatRect extents; float zoom; uint8_t changed; float after; } rows[] = {
        {{-2400, -2400, 2400, 2400}, 10.0f, 1, 6.0f},
        {{-2400, -2400, 2400, 2400}, 3.0f, 0, 3.0f},
        {{0, 0, 64000, 100}, 3.0f, 1, 0.5f},  // no whole-number limit: never 0
        {{5, 5, 5, 5}, 3.0f, 0, 3.0f},        // extents without size
    };
    for (const auto& row : rows) {
        ds().lotRect = row.extents;
        ds().zoomFactor = row.zoom;
        EXPECT_EQ(PinMaxZoom(&ds()), row.changed);
        EXPECT_FLOAT_EQ(ds().zoomFactor, row.after);
    }
    EXPECT_EQ(PinMaxZoom(nullptr), 0);
}

TEST_F(ZoomTest, FitToWindowShowsAnEmptyDesignsExtentsCentred) {
    dvxtest::FakeViewHost host;
    host.visible = {0, 0, 800, 600};
    Base2DView view(&host);
    SetMainWindowDocumentViewHandler([&] { return &view; });
    int refreshes = 0;
    SetRefreshHandler([&] { ++refreshes; });
    ds().lotRect = {0, 0, 4800, 2400};  // top, left, bottom, right

    FitToWindow();
    const float zoom = 600.0f / 4810.0f;  // the height, in plan units with its margin, decides
    EXPECT_NEAR(ds().zoomFactor, zoom, 1e-6);
    EXPECT_EQ(ds().savedZoom, ds().zoomFactor);
    // The paper: the lot plus a margin of 100, with plan (0, 0) in the middle.
    EXPECT_NEAR(host.frame.width, 2500 * zoom, 1e-3);
    EXPECT_NEAR(host.origin.y, -4900 * zoom / 2, 1e-3);
    ASSERT_EQ(host.scrolledTo.size(), 1u);
    // The extents' middle, plan (1200, 2400), zoomed, in the middle of the 800 x 600 window.
    const PlatformRect& shown = host.scrolledTo[0];
    EXPECT_NEAR(shown.x, 1200 * zoom - 400, 1e-3);
    EXPECT_NEAR(shown.y, 2400 * zoom - 300, 1e-3);
    EXPECT_EQ(shown.width, 800.f);
    EXPECT_EQ(std::tuple(gSinXAngle, refreshes), std::tuple(1.0f, 1));
}

}  // namespace

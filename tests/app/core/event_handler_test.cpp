// The view commands the document uses around printing.
#include "app/core/event_handler.h"

#include <gtest/gtest.h>

#include "model/document_model.h"
#include "model/docstate.h"
#include "model/objects.h"
#include "model/projection.h"
#include "model/view_state.h"
#include "support/build.h"
#include "support/fixture.h"

namespace {

class ViewCommands : public dvxtest::DocumentTest {};

TEST_F(ViewCommands, ActualSizeSetsTheShownViewsZoomAndResetsTheView) {
    DocState* ds = doc->itsDocState;
    ds->lotRect = {-40, -10, 90, 250};  // top, left, bottom, right
    struct Row { bool top; float topZoom; float otherZoom; };
    for (const Row& r : {Row{true, 1.0f, 0.25f}, Row{false, 0.5f, 1.0f}}) {
        r.top ? dvxtest::SetPlanView() : dvxtest::SetView(0, 0);
        ds->zoomFactor = ds->savedZoom = 0.5f;
        ds->printZoom = 0.25f;
        ds->viewOrigin = {1, 2, 3};
        ds->currentElevation = -5;
        gGlobalXOffset = gGlobalYOffset = gGlobalZOffset = 7;
        Win32EventHandler().actualSize();
        EXPECT_EQ(std::tuple(ds->zoomFactor, ds->savedZoom, ds->printZoom), std::tuple(1.0f, r.topZoom, r.otherZoom));
        EXPECT_EQ(std::tuple(ds->viewOrigin.floatH, ds->viewOrigin.floatV, ds->viewOrigin.floatD),
                  std::tuple(250.0f, 0.0f, -40.0f));
        EXPECT_EQ(std::tuple(gGlobalXOffset, gGlobalYOffset, gGlobalZOffset), std::tuple(0.0f, 0.0f, 0.0f));
        EXPECT_EQ(ds->currentElevation, GetLayerAbsBaseHeight(doc->itsCurLayer));
    }
}

} // namespace

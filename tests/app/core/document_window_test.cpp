// The document window's rules free of the platform: its place beside the palettes, the
// elevation pane in a metric design, and the live view's camera, backdrop and scene.
#include <gtest/gtest.h>

#include <optional>

#include "app/core/document_window.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "render/core/live_view_seams.h"
#include "model/render_state.h"
#include "scene/scene_build.h"
#include "scene/scene_camera.h"
#include "support/scene_checks.h"

namespace {

TEST(DocumentWindow, GoesRightOfTheDockedPalettesAndBesideThePlanPalette) {
    using F = BottomLeftFrame;
    const F visible{0, 0, 1280, 1000}, window{300, 100, 900, 700}, small{0, 0, 1024, 768}, first{0, 68, 1024, 700};
    const F edit{0, 600, 150, 300}, snap{10, 400, 200, 100}, editAway{40, 600, 150, 300};
    const F top{5, 960, 400, 32}, bottom{5, 10, 400, 32}, middle{5, 500, 400, 32}, smallTop{5, 736, 400, 32};
    struct Row { const F *edit, *snap, *plan; bool launched; F want; const F* screen = nullptr; const F* frame = nullptr; };
    // A frame given the visible height comes down onto the screen; one right of the palettes
    // on a small screen is cut at its right edge.
    const Row rows[] = {
        {&edit, &snap, nullptr, false, {215, 0, 900, 1000}},  // the farther right edge + 5
        {&edit, nullptr, nullptr, false, {155, 0, 900, 1000}},
        {nullptr, &snap, nullptr, false, {215, 0, 900, 1000}},
        {nullptr, nullptr, nullptr, false, {5, 0, 900, 1000}},
        {&editAway, nullptr, nullptr, false, {5, 0, 900, 1000}},
        {&edit, &snap, nullptr, true, {300, 0, 900, 1000}},  // after the launch x stays
        {nullptr, nullptr, &top, true, {300, 0, 900, 955}},  // less its height, the gap and 5
        {nullptr, nullptr, &bottom, true, {300, 47, 900, 953}},
        {nullptr, nullptr, &middle, true, {300, 0, 900, 1000}},
        {&edit, nullptr, &smallTop, false, {155, 0, 869, 731}, &small, &first},
        {&edit, nullptr, nullptr, false, {155, 0, 869, 768}, &small, &first},
    };
    for (const Row& r : rows) {
        const F f = PlaceDocumentWindow(r.screen ? *r.screen : visible, r.frame ? *r.frame : window, r.edit, r.snap,
                                        r.plan, r.launched);
        EXPECT_EQ(std::tuple(f.x, f.y, f.width, f.height), std::tuple(r.want.x, r.want.y, r.want.width, r.want.height))
            << (&r - rows);
    }
}

class WindowRules : public dvxtest::DocumentTest {};

TEST_F(WindowRules, AMetricPaneShowsMetresAndAMixedSelectionNothing) {
    doc->itsDocState->units = kMetricUnits;
    const ElevationPane metres = ElevationPaneFor(&(doc->itsDocState->ss40 = {0, 1, 393.7f}));
    EXPECT_EQ(std::tuple(metres.shown, metres.knob, metres.rounded, ElevationIndicatorText(metres.rounded)),
              std::tuple(true, true, 10L, std::string("10")));
    EXPECT_NEAR(metres.value, 10.0, 1e-3);
    EXPECT_FALSE(ElevationPaneFor(&(doc->itsDocState->ss40 = {0, 0, 0})).shown);
    EXPECT_EQ(std::tuple(gDrawElevation, gDrawElevationNoSelection), std::tuple(0, 0));
}

TEST_F(WindowRules, TheCameraMovesTheBackdropAndTheSceneIsBuiltAfresh) {
    DocState* ds = doc->itsDocState;
    int redraws = 0;
    SetLiveViewNeedsDisplayHandler([&] { ++redraws; });
    struct Row { int16_t mode; float heading, orbit; int32_t still; float u0, u1; };
    for (const Row& r : {Row{1, 90, 0, 0, -1, 0}, {2, 90, 180, 0, -2, -3}, {1, 45, 0, 0x40, -2, -3}}) {
        ds->cameraMode = r.mode, ds->cameraHeading = r.heading, ds->flyValueB = r.orbit, ds->renderValue = r.still;
        SetUpLiveViewCamera(ds);
        EXPECT_TRUE(dvxtest::Near({gBackgroundVertices[0], gBackgroundVertices[1], gBackgroundVertices[2],
                                   gBackgroundVertices[3]},
                                  {r.u0, r.u1, r.u1, r.u0}, 1e-6));
    }
    EXPECT_EQ(std::tuple(gRefreshRender, redraws), std::tuple(1, 3));
    // The stale pieces go; the floor is built again, under and on its slab.
    dvxtest::RegisterLiveView(true);
    Objex* slab = dvxtest::Shape(doc->itsLayers, objtype::kFloor, {{0, 0}, {90, 0}, {90, 90}}, true);
    AppendPlaneObjectToList(gGLPlaneObjects, CreatePlaneObject());
    AppendPlaneObjectToList(gGLPlaneObjects, CreatePlaneObject());
    RebuildLiveViewScene();
    EXPECT_EQ(dvxtest::PiecesOf(slab).size(), 2u);
    EXPECT_TRUE(gGLPlaneObjects && gGLPlaneObjects->next && !gGLPlaneObjects->next->next);
}

}  // namespace

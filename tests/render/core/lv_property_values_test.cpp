// The live view's render and light settings as their sheets show and store them: values the
// controls cannot show survive an untouched OK, and a confirmed sheet rebuilds, alerts and
// sets the lights up only for real changes.
#include <gtest/gtest.h>

#include "files/content_paths.h"
#include "files/undo.h"
#include "model/bounds.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "model/rebuild_table.h"
#include "model/render_state.h"
#include "render/core/lv_property_values.h"
#include "support/build.h"
#include "support/doubles.h"

namespace {

using namespace dvxtest;

int sSceneRebuilds = 0;

class LVProperties : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        ASSERT_TRUE(MakeApplicationTemporaryFolder());
        port::setDocumentUndo(&undo), port::setAlerts(&alerts);
        gUndoActive = 1, InitializeUndo(), undo.actionNames.clear();
        rebuild::SceneHooks hooks;
        hooks.renderAllLayers = [] { ++sSceneRebuilds; };
        rebuild::RegisterScene(hooks);
        ds = doc->itsDocState;
    }
    void TearDown() override { port::setDocumentUndo(nullptr), port::setAlerts(nullptr), DocumentTest::TearDown(); }
    RecordingUndo undo;
    RecordingAlerts alerts;
    DocState* ds = nullptr;
};

TEST_F(LVProperties, UntouchedControlsKeepStoredValuesMovedOnesWriteTheirs) {
    ds->renderValue = 0x10, ds->renderSetting = 200, ds->navigationSpeed = 8;
    RenderSheetControls opened = RenderSheetControlStates(*ds), now = opened;
    EXPECT_EQ(std::make_tuple(opened.drawn[4], opened.drawn[5], opened.opacitySlider, opened.navigationSpeedSlider),
              std::make_tuple(false, true, 3, 2));
    now.drawn[4] = true, now.drawn[9] = false, now.opacitySlider = 4, now.navigationSpeedSlider = 4;
    SaveRenderSheetControlStates(*ds, opened, now);
    EXPECT_EQ(std::make_tuple(ds->renderSetting, ds->renderValue, ds->navigationSpeed),
              std::make_tuple(uint16_t(255), 0x200, int16_t(10)));

    // Commands 5316 .. 5320 and one past them.
    struct Fov { int slider; float chopper, walk; };
    for (const Fov& r : {Fov{0, 28, 35}, Fov{1, 33, 40}, Fov{2, 38, 45}, Fov{3, 43, 50}, Fov{4, 48, 55}, Fov{5, 38, 45}}) {
        opened = RenderSheetControlStates(*ds), now = opened, now.fovSlider = r.slider;
        SaveRenderSheetControlStates(*ds, opened, now);
        EXPECT_EQ(std::make_tuple(gCurrentFOVCmd, gChopperFOV, gWalkFOV), std::make_tuple(5316 + r.slider, r.chopper, r.walk));
    }

    // Brightness 1.2 shows as 100 and darkening 40000 as 39; untouched, both stay.
    ds->sunShadowQuality = -1;
    LightSheetControls lit = LightSheetControlStates(*ds), moved = lit;
    EXPECT_EQ(std::make_tuple(lit.brightnessSlider, lit.intensitySlider, lit.optimalQuality), std::make_tuple(100, 39, true));
    EXPECT_FALSE(SaveLightSheetControlStates(*ds, lit, moved));
    EXPECT_EQ(std::make_pair(ds->lightIntensity, ds->lightValue), std::make_pair(1.2f, 40000.0f));
    moved.brightnessSlider = 40, moved.intensitySlider = 25, moved.optimalQuality = false, moved.shadowQualitySlider = 7;
    EXPECT_TRUE(SaveLightSheetControlStates(*ds, lit, moved));
    EXPECT_EQ(std::make_tuple(ds->lightIntensity, ds->lightValue, ds->sunShadowQuality),
              std::make_tuple(0.4f, 49151.25f, int16_t(7)));
    EXPECT_EQ(BrightnessSliderOfBrightness(0.001f), 1);
    lit = LightSheetControlStates(*ds), moved = lit, moved.optimalQuality = true;
    SaveLightSheetControlStates(*ds, lit, moved);
    EXPECT_EQ(ds->sunShadowQuality, -1);
}

TEST_F(LVProperties, ConfirmRebuildsRefitsAndSetsLightsUpOnlyForRealChanges) {
    // A custom skylight on a roof section 10 across, too small for it: a refit removes it.
    Objex* roof = SectionedRoof(doc->itsCurLayer, {RoofSection({{0, 0}, {10, 0}, {10, 10}, {0, 10}}, 10, {0, 0, 100, -12})});
    auto* r = new RoofAttachmentRecord{};
    r->ownerType = objtype::kSkylight, r->style = 806, r->width = 20, r->length = 40, r->angle = 90, r->sectionSubtype = 10;
    r->partLists[0] = Outline(objtype::kOpeningMask, {{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    r->attachment = Outline(objtype::kSkylight, {{0, 0}, {10, 0}, {10, 10}, {0, 10}}).with(r).in(roof);
    UpdateObjectBounds(r->attachment);

    struct Row { int quality; int rebuilds, alerts; };  // quality moved (-1 none)
    for (const Row& row : {Row{-1, 0, 0}, Row{1, 1, 0}, Row{0, 1, 1}, Row{0, 1, 0}}) {
        SCOPED_TRACE(row.quality);
        sSceneRebuilds = 0, alerts.shown.clear(), undo.actionNames.clear(), gRenderDirty = 0;
        const RenderSheetControls opened = *CurrentRenderSheetControls();
        RenderSheetControls now = opened;
        now.drawn[2] = !now.drawn[2];
        if (row.quality >= 0) now.quality[row.quality] += 1;
        ConfirmRenderSheet(opened, now);
        EXPECT_EQ(std::make_pair(sSceneRebuilds, int(alerts.shown.size())), std::make_pair(row.rebuilds, row.alerts));
        if (row.alerts) { EXPECT_EQ(alerts.shown[0].alert.message, "One or more components have been removed."); }
        EXPECT_EQ(undo.actionNames, std::vector<std::string>{"Rendering Settings"});
        EXPECT_EQ(gRenderDirty, 1);
    }

    // SetupLights copies the light angles: a fresh angle shows whether it ran.
    for (bool brightness : {false, true}) {
        undo.actionNames.clear(), gLightXAngle += 7;
        const LightSheetControls opened = *CurrentLightSheetControls();
        LightSheetControls now = opened;
        (brightness ? now.brightnessSlider : now.directionAngle) = 50;
        ConfirmLightSheet(opened, now);
        EXPECT_EQ(gLightXDegrees == gLightXAngle, brightness);
        EXPECT_EQ(undo.actionNames, std::vector<std::string>{"Lighting Settings"});
    }

    // Without a document nothing is read or written.
    gCurDocument = nullptr, undo.actionNames.clear();
    EXPECT_FALSE(CurrentRenderSheetControls() || CurrentLightSheetControls());
    ConfirmRenderSheet({}, {}), ConfirmLightSheet({}, {});
    EXPECT_TRUE(undo.actionNames.empty());
    gCurDocument = doc;
}

}  // namespace

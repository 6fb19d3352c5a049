// The live view's render and light settings as their sheets show and store them: confirming
// writes what every control shows, and a confirmed sheet rebuilds, alerts and sets the lights
// up only for real changes.
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

TEST_F(LVProperties, ConfirmingWritesEveryControlsValue) {
    // Opacity 200 shows as position 3 and is written back as 235; a ticked box clears its bit.
    ds->renderValue = 0x10, ds->renderSetting = 200, ds->navigationSpeed = 8;
    RenderSheetControls opened = RenderSheetControlStates(*ds), now = opened;
    EXPECT_EQ(std::make_tuple(opened.drawn[4], opened.drawn[5], opened.opacitySlider, opened.navigationSpeedSlider),
              std::make_tuple(false, true, 3, 2));
    EXPECT_EQ(SaveRenderSheetControlStates(*ds, now), 0u);
    EXPECT_EQ(std::make_tuple(ds->renderSetting, ds->renderValue, ds->navigationSpeed),
              std::make_tuple(uint16_t(235), 0x10, int16_t(8)));
    now.drawn[4] = true, now.drawn[9] = false, now.opacitySlider = 4, now.navigationSpeedSlider = 4, now.quality[2] += 3;
    EXPECT_EQ(SaveRenderSheetControlStates(*ds, now), 0x4u);
    EXPECT_EQ(std::make_tuple(ds->renderSetting, ds->renderValue, ds->navigationSpeed, ds->detailValueC),
              std::make_tuple(uint16_t(255), 0x200, int16_t(10), now.quality[2]));

    // Commands 5316 .. 5320 and one past them.
    struct Fov { int slider; float chopper, walk; };
    for (const Fov& r : {Fov{0, 28, 35}, Fov{1, 33, 40}, Fov{2, 38, 45}, Fov{3, 43, 50}, Fov{4, 48, 55}, Fov{5, 38, 45}}) {
        now = RenderSheetControlStates(*ds), now.fovSlider = r.slider;
        SaveRenderSheetControlStates(*ds, now);
        EXPECT_EQ(std::make_tuple(gCurrentFOVCmd, gChopperFOV, gWalkFOV), std::make_tuple(5316 + r.slider, r.chopper, r.walk));
    }

    // Brightness 1.2 shows as 100 and darkening 40000 as 39: confirmed untouched they become
    // 1.0 and 25558.65, a change that shades; a second untouched OK changes nothing that shades.
    ds->sunShadowQuality = -1, ds->sunAngle = 12.4f;
    LightSheetControls lit = LightSheetControlStates(*ds);
    EXPECT_EQ(std::make_tuple(lit.brightnessSlider, lit.intensitySlider, lit.optimalQuality), std::make_tuple(100, 39, true));
    EXPECT_TRUE(SaveLightSheetControlStates(*ds, lit));
    EXPECT_EQ(std::make_tuple(ds->lightIntensity, ds->lightValue, ds->sunAngle, ds->sunShadowQuality),
              std::make_tuple(1.0f, DarkeningOfIntensitySlider(39), 12.0f, int16_t(-1)));
    EXPECT_FALSE(SaveLightSheetControlStates(*ds, LightSheetControlStates(*ds)));

    // Each value that shades reports its change alone; the sun's values never do.
    struct Lit { const char* what; bool shades; };
    for (const Lit& r : {Lit{"direction", false}, Lit{"overhead", false}, Lit{"sun brightness", false}, Lit{"shadow", false},
                         Lit{"sun on", false}, Lit{"intensity", true}, Lit{"brightness", true}, Lit{"backdrop", true}}) {
        SCOPED_TRACE(r.what);
        lit = LightSheetControlStates(*ds);
        const std::string w = r.what;
        if (w == "direction") lit.directionAngle += 5;
        if (w == "overhead") lit.overheadAngle += 5;
        if (w == "sun brightness") lit.sunBrightnessSlider += 5;
        if (w == "shadow") lit.optimalQuality = false, lit.shadowQualitySlider = 7;
        if (w == "sun on") lit.sunOn = !lit.sunOn;
        if (w == "intensity") lit.intensitySlider = 25;
        if (w == "brightness") lit.brightnessSlider = 40;
        if (w == "backdrop") lit.backgroundLighting = !lit.backgroundLighting;
        EXPECT_EQ(SaveLightSheetControlStates(*ds, lit), r.shades);
        EXPECT_EQ(LightSheetControlStates(*ds), lit);
    }
    EXPECT_EQ(std::make_tuple(ds->lightIntensity, ds->lightValue, ds->sunShadowQuality),
              std::make_tuple(0.4f, 49151.25f, int16_t(7)));
    EXPECT_EQ(BrightnessSliderOfBrightness(0.001f), 1);
    lit = LightSheetControlStates(*ds), lit.optimalQuality = true;
    SaveLightSheetControlStates(*ds, lit);
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
        RenderSheetControls now = *CurrentRenderSheetControls();
        now.drawn[2] = !now.drawn[2];
        if (row.quality >= 0) now.quality[row.quality] += 1;
        ConfirmRenderSheet(now);
        EXPECT_EQ(std::make_pair(sSceneRebuilds, int(alerts.shown.size())), std::make_pair(row.rebuilds, row.alerts));
        if (row.alerts) { EXPECT_EQ(alerts.shown[0].alert.message, "One or more components have been removed."); }
        EXPECT_EQ(undo.actionNames, std::vector<std::string>{"Rendering Settings"});
        EXPECT_EQ(gRenderDirty, 1);
    }

    // SetupLights copies the light angles: a fresh angle shows whether it ran. The stored
    // brightness and darkening are ones the sliders can show.
    ds->lightIntensity = 0.8f, ds->lightValue = DarkeningOfIntensitySlider(40);
    for (bool brightness : {false, true}) {
        undo.actionNames.clear(), gLightXAngle += 7;
        LightSheetControls now = *CurrentLightSheetControls();
        (brightness ? now.brightnessSlider : now.directionAngle) = 50;
        ConfirmLightSheet(now);
        EXPECT_EQ(gLightXDegrees == gLightXAngle, brightness);
        EXPECT_EQ(undo.actionNames, std::vector<std::string>{"Lighting Settings"});
    }

    // Without a document nothing is read or written.
    gCurDocument = nullptr, undo.actionNames.clear();
    EXPECT_FALSE(CurrentRenderSheetControls() || CurrentLightSheetControls());
    ConfirmRenderSheet({}), ConfirmLightSheet({});
    EXPECT_TRUE(undo.actionNames.empty());
    gCurDocument = doc;
}

}  // namespace

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

    // The defaults: brightness 1.2 shows as 35 and darkening 40000 as 39. Confirmed untouched,
    // the brightness stays 1.2, the darkening becomes what 39 % stands for, and nothing that
    // shades is reported changed.
    ds->sunShadowQuality = -1, ds->sunAngle = 12.4f;
    const LightSheetControls lightsOpened = LightSheetControlStates(*ds);
    EXPECT_EQ(std::make_tuple(ds->lightIntensity, ds->lightValue), std::make_tuple(1.2f, 40000.0f));
    EXPECT_EQ(std::make_tuple(lightsOpened.brightnessSlider, lightsOpened.intensitySlider, lightsOpened.optimalQuality),
              std::make_tuple(35, 39, true));
    EXPECT_FALSE(SaveLightSheetControlStates(*ds, lightsOpened, lightsOpened));
    EXPECT_EQ(std::make_tuple(ds->lightIntensity, ds->lightValue, ds->sunAngle, ds->sunShadowQuality),
              std::make_tuple(1.2f, DarkeningOfIntensitySlider(39), 12.0f, int16_t(-1)));

    // Each value that shades reports its change alone; the sun's values never do.
    struct Lit { const char* what; bool shades; };
    for (const Lit& r : {Lit{"direction", false}, Lit{"overhead", false}, Lit{"sun brightness", false}, Lit{"shadow", false},
                         Lit{"sun on", false}, Lit{"intensity", true}, Lit{"brightness", true}, Lit{"backdrop", true}}) {
        SCOPED_TRACE(r.what);
        const LightSheetControls shown = LightSheetControlStates(*ds);
        LightSheetControls lit = shown;
        const std::string w = r.what;
        if (w == "direction") lit.directionAngle += 5;
        if (w == "overhead") lit.overheadAngle += 5;
        if (w == "sun brightness") lit.sunBrightnessSlider += 5;
        if (w == "shadow") lit.optimalQuality = false, lit.shadowQualitySlider = 7;
        if (w == "sun on") lit.sunOn = !lit.sunOn;
        if (w == "intensity") lit.intensitySlider = 25;
        if (w == "brightness") lit.brightnessSlider = 40;
        if (w == "backdrop") lit.backgroundLighting = !lit.backgroundLighting;
        EXPECT_EQ(SaveLightSheetControlStates(*ds, shown, lit), r.shades);
        EXPECT_EQ(LightSheetControlStates(*ds), lit);
    }
    EXPECT_EQ(std::make_tuple(ds->lightIntensity, ds->lightValue, ds->sunShadowQuality),
              std::make_tuple(1.3f, 49151.25f, int16_t(7)));

    // The brightness slider spans 0.5..2.5; a stored value outside shows at the nearer end.
    struct Bright { float brightness; int slider; };
    for (const Bright& r : {Bright{0.5f, 0}, Bright{1.2f, 35}, Bright{2.5f, 100}, Bright{0.001f, 0}, Bright{9.0f, 100}})
        EXPECT_EQ(BrightnessSliderOfBrightness(r.brightness), r.slider) << r.brightness;
    EXPECT_EQ(std::make_tuple(BrightnessOfSlider(0), BrightnessOfSlider(35), BrightnessOfSlider(100)), std::make_tuple(0.5f, 1.2f, 2.5f));
    LightSheetControls lit = LightSheetControlStates(*ds);
    lit.optimalQuality = true;
    SaveLightSheetControlStates(*ds, lit, lit);
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

    // SetupLights copies the light angles: a fresh angle shows whether it ran. The design has
    // the default brightness and darkening (1.2 and 40000), which the sliders round.
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
    ConfirmRenderSheet({}), ConfirmLightSheet({}, {});
    EXPECT_TRUE(undo.actionNames.empty());
    gCurDocument = doc;
}

}  // namespace

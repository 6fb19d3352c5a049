// The live view's render and light settings as their sheets show and store them: every
// mapping both ways, values the controls cannot show kept by an untouched OK, and what a
// confirmed sheet rebuilds, alerts and stores for undo.
#include <gtest/gtest.h>

#include "files/content_paths.h"
#include "files/undo.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/rebuild_table.h"
#include "model/render_state.h"
#include "model/bounds.h"
#include "plan/refresh_seams.h"
#include "render/core/live_view_seams.h"
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
        gUndoActive = 1;
        InitializeUndo();
        undo.actionNames.clear();
        sSceneRebuilds = 0;
        rebuild::SceneHooks hooks;
        hooks.renderAllLayers = [] { ++sSceneRebuilds; };
        rebuild::RegisterScene(hooks);
        ds = doc->itsDocState;
    }
    void TearDown() override {
        port::setDocumentUndo(nullptr), port::setAlerts(nullptr);
        DocumentTest::TearDown();
    }
    // A custom skylight on a roof section 10 across: too small for it, so a refit removes it.
    void SkylightTooLargeForItsRoof() {
        Objex* roof = SectionedRoof(doc->itsCurLayer, {RoofSection({{0, 0}, {10, 0}, {10, 10}, {0, 10}}, 10, {0, 0, 100, -12})});
        auto* r = new RoofAttachmentRecord{};
        r->ownerType = objtype::kSkylight, r->style = 806, r->width = 20, r->length = 40, r->angle = 90;
        r->sectionSubtype = 10;
        r->partLists[0] = Outline(objtype::kOpeningMask, {{0, 0}, {10, 0}, {10, 10}, {0, 10}});
        r->attachment = Outline(objtype::kSkylight, {{0, 0}, {10, 0}, {10, 10}, {0, 10}}).with(r).in(roof);
        UpdateObjectBounds(r->attachment);
    }
    RecordingUndo undo;
    RecordingAlerts alerts;
    DocState* ds = nullptr;
};

TEST_F(LVProperties, RenderSheetShowsAndStoresEachValue) {
    // Each box is its hide bit inverted; ticking one clears only its bit.
    for (int bit = 0; bit < 10; ++bit) {
        SCOPED_TRACE(bit);
        ds->renderValue = 0x3FF & ~(1 << bit);
        RenderSheetControls c = RenderSheetControlStates(*ds);
        for (int i = 0; i < 10; ++i) EXPECT_EQ(c.drawn[i], i == bit);
        const RenderSheetControls opened = c;
        c.drawn[bit] = false, c.drawn[(bit + 1) % 10] = true;
        SaveRenderSheetControlStates(*ds, opened, c);
        EXPECT_EQ(ds->renderValue, 0x3FF & ~(1 << ((bit + 1) % 10)));
    }

    // Opacity opens on the position of a known value, else on 3; only a moved slider writes.
    struct Opacity { int stored, shown, movedTo, written; };
    for (const Opacity& r : {Opacity{175, 0, 0, 175}, Opacity{255, 4, 1, 195}, Opacity{200, 3, 3, 200},
                             Opacity{200, 3, 4, 255}, Opacity{0, 3, 2, 215}}) {
        SCOPED_TRACE(r.stored);
        ds->renderSetting = uint16_t(r.stored);
        const RenderSheetControls opened = RenderSheetControlStates(*ds);
        EXPECT_EQ(opened.opacitySlider, r.shown);
        RenderSheetControls now = opened;
        now.opacitySlider = r.movedTo;
        SaveRenderSheetControlStates(*ds, opened, now);
        EXPECT_EQ(ds->renderSetting, r.written);
    }

    ds->navigationSpeed = 8;
    RenderSheetControls opened = RenderSheetControlStates(*ds), now = opened;
    EXPECT_EQ(opened.navigationSpeedSlider, 2);
    now.navigationSpeedSlider = 4, now.quality = {3, 4, 5, 6};
    EXPECT_EQ(SaveRenderSheetControlStates(*ds, opened, now), 0xFu);
    EXPECT_EQ(ds->navigationSpeed, 10);
    EXPECT_EQ((std::array{ds->detailValueA, ds->detailValueB, ds->detailValueC, ds->surfaceDetail}),
              (std::array{3, 4, 5, 6}));

    // The field of view: the command first, the camera's pair after it.
    struct Fov { int slider; float chopper, walk; };
    for (const Fov& r : {Fov{0, 28, 35}, Fov{1, 33, 40}, Fov{2, 38, 45}, Fov{3, 43, 50}, Fov{4, 48, 55}, Fov{5, 38, 45}}) {
        SCOPED_TRACE(r.slider);
        opened = RenderSheetControlStates(*ds), now = opened;
        now.fovSlider = r.slider;
        SaveRenderSheetControlStates(*ds, opened, now);
        EXPECT_EQ(gCurrentFOVCmd, 5316 + r.slider);
        EXPECT_EQ(RenderSheetControlStates(*ds).fovSlider, r.slider);
        EXPECT_EQ(std::make_pair(gChopperFOV, gWalkFOV), std::make_pair(r.chopper, r.walk));
    }
}

TEST_F(LVProperties, ConfirmedRenderSheetRebuildsOnlyForQualityAndStoresOneStep) {
    SkylightTooLargeForItsRoof();
    int planRedraws = 0;
    SetRefreshHandler([&] { ++planRedraws; });
    int displays = 0;
    SetLiveViewNeedsDisplayHandler([&] { ++displays; });
    struct Row {
        const char* name;
        int quality;  // which quality moves (-1 none)
        bool skylights;
        int alerts;
    };
    for (const Row& r : {Row{"no quality", -1, false, 0}, Row{"trim quality", 1, false, 0},
                         Row{"window and door quality", 0, true, 1}, Row{"objects again", 3, false, 0}}) {
        SCOPED_TRACE(r.name);
        planRedraws = sSceneRebuilds = displays = 0, alerts.shown.clear(), undo.actionNames.clear();
        gRenderDirty = gRefreshRender = 0;
        const RenderSheetControls opened = *CurrentRenderSheetControls();
        RenderSheetControls now = opened;
        now.drawn[2] = !now.drawn[2];
        if (r.quality >= 0) now.quality[r.quality] += 1;
        ConfirmRenderSheet(opened, now);
        EXPECT_EQ(planRedraws > 0, r.skylights);
        EXPECT_EQ(sSceneRebuilds, r.quality >= 0 ? 1 : 0);
        ASSERT_EQ(int(alerts.shown.size()), r.alerts);
        if (r.alerts) {
            EXPECT_EQ(alerts.shown[0].alert.message, "One or more components have been removed.");
            EXPECT_EQ(alerts.shown[0].alert.informative,
                      "The roof was not large enough to accommodate all of its attachments.  One or more skylights "
                      "and/or cutouts were removed.");
            EXPECT_TRUE(alerts.shown[0].sheet);
        }
        EXPECT_EQ(undo.actionNames, std::vector<std::string>{"Rendering Settings"});
        EXPECT_EQ(std::make_tuple(gRenderDirty, gRefreshRender, displays), std::make_tuple(1, 1, 1));
    }

    // Without a document nothing is read or written.
    const RenderSheetControls opened = *CurrentRenderSheetControls();
    RenderSheetControls now = opened;
    now.quality[0] += 1;
    gCurDocument = nullptr;
    undo.actionNames.clear(), sSceneRebuilds = 0;
    EXPECT_FALSE(CurrentRenderSheetControls() || CurrentLightSheetControls());
    ConfirmRenderSheet(opened, now), ConfirmLightSheet({}, {});
    EXPECT_TRUE(undo.actionNames.empty() && sSceneRebuilds == 0);
    gCurDocument = doc;
    SetRefreshHandler(nullptr), SetLiveViewNeedsDisplayHandler(nullptr);
}

TEST_F(LVProperties, LightSheetShowsAndStoresEachValue) {
    struct Darkening { float stored; int shown; };
    for (const Darkening& r : {Darkening{0, 100}, Darkening{65535, 0}, Darkening{40000, 39}, Darkening{32767.5f, 50}}) {
        SCOPED_TRACE(r.stored);
        EXPECT_EQ(IntensitySliderOfDarkening(r.stored), r.shown);
    }
    EXPECT_FLOAT_EQ(DarkeningOfIntensitySlider(25), 49151.25f);
    struct Brightness { float stored; int shown; };
    for (const Brightness& r : {Brightness{1.2f, 100}, Brightness{0.004f, 1}, Brightness{0.5f, 50}, Brightness{-1, 1}}) {
        SCOPED_TRACE(r.stored);
        EXPECT_EQ(BrightnessSliderOfBrightness(r.stored), r.shown);
    }

    // The defaults (brightness 1.2, darkening 40000) survive an untouched sheet; moved
    // controls write their values.
    ds->sunShadowQuality = 4;
    LightSheetControls opened = LightSheetControlStates(*ds), now = opened;
    EXPECT_FALSE(opened.optimalQuality);
    EXPECT_EQ(opened.shadowQualitySlider, 4);
    EXPECT_FALSE(SaveLightSheetControlStates(*ds, opened, now));
    EXPECT_EQ(std::make_pair(ds->lightIntensity, ds->lightValue), std::make_pair(1.2f, 40000.0f));
    now.brightnessSlider = 40, now.intensitySlider = 25, now.sunOn = !opened.sunOn, now.directionAngle = 200;
    now.overheadAngle = 70, now.sunBrightnessSlider = 30, now.backgroundLighting = !opened.backgroundLighting;
    EXPECT_TRUE(SaveLightSheetControlStates(*ds, opened, now));
    EXPECT_FLOAT_EQ(ds->lightIntensity, 0.4f);
    EXPECT_FLOAT_EQ(ds->lightValue, 49151.25f);
    EXPECT_EQ(std::make_tuple(ds->sunOn, ds->sunAngle, ds->sunValueB, ds->sunValueD, ds->lightFlag),
              std::make_tuple(uint8_t(now.sunOn), 200.0f, 70.0f, int16_t(30), uint8_t(now.backgroundLighting)));

    // Optimal quality stores -1 whatever the slider; off again, the slider's value.
    for (bool optimal : {true, false}) {
        opened = LightSheetControlStates(*ds), now = opened;
        now.optimalQuality = optimal, now.shadowQualitySlider = 7;
        SaveLightSheetControlStates(*ds, opened, now);
        EXPECT_EQ(ds->sunShadowQuality, optimal ? -1 : 7);
    }
}

TEST_F(LVProperties, ConfirmedLightSheetSetsLightsUpOnlyForShadingChanges) {
    struct Row {
        const char* name;
        void (*change)(LightSheetControls&);
        bool lightsSetUp;
    };
    for (const Row& r : {Row{"direction only", [](LightSheetControls& c) { c.directionAngle += 10; }, false},
                         Row{"brightness", [](LightSheetControls& c) { c.brightnessSlider = 50; }, true},
                         Row{"darkening", [](LightSheetControls& c) { c.intensitySlider += 5; }, true},
                         Row{"lit backdrop", [](LightSheetControls& c) { c.backgroundLighting = !c.backgroundLighting; }, true}}) {
        SCOPED_TRACE(r.name);
        undo.actionNames.clear();
        // SetupLights copies the light angles: a fresh angle shows whether it ran.
        gLightXAngle += 7;
        const LightSheetControls opened = *CurrentLightSheetControls();
        LightSheetControls now = opened;
        r.change(now);
        ConfirmLightSheet(opened, now);
        EXPECT_EQ(gLightXDegrees == gLightXAngle, r.lightsSetUp);
        EXPECT_EQ(undo.actionNames, std::vector<std::string>{"Lighting Settings"});
    }
}

}  // namespace

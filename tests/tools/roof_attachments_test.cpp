// Skylights and dormer cut-outs placed on hand-built roof sections by scripted gestures, and
// refitted when the sections change. Heights worked out by hand: on section A a point lies at
// V = 100 - 0.5 D + 12, on section B at V = 100 - 0.25 H + 12 (offset e = -12).
#include <gtest/gtest.h>

#include "geometry/elements/roof_attachment_fit.h"
#include "geometry/elements/skylight_symbols.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "support/build.h"
#include "support/plan_gestures.h"
#include "tools/roof_attachments.h"
#include "tracking/tracker_loops.h"
#include "tracking/tracking_state.h"

namespace {

using namespace dvxtest;
using Heights = std::vector<float>;
using Lines = std::vector<std::string>;

constexpr SectionPlane kPlaneA{0, 0.5f, 100, -12};
constexpr SectionPlane kPlaneB{0.25f, 0, 100, -12};
const char* const kRefused = "Unable to place skylight on the roof.";

Heights Vs(const Objex* o) {
    Heights v;
    for (const Poinz* p = o->firstPoint; p; p = p->next) v.push_back(p->position[1]);
    return v;
}

class RoofAttachments : public PlanGestureTest {
protected:
    void SetUp() override {
        PlanGestureTest::SetUp();
        port::setAlerts(&alerts);
        ds->skylightStyle = 800, ds->skylightWidth = 36, ds->skylightLength = 56;
        a = RoofSection({{0, 0}, {200, 0}, {200, 200}, {0, 200}}, 10, kPlaneA);
        b = RoofSection({{200, 0}, {400, 0}, {400, 200}, {200, 200}}, 11, kPlaneB);
        roof = SectionedRoof(doc->itsCurLayer, {a, b});
    }
    void TearDown() override { port::setAlerts(nullptr), PlanGestureTest::TearDown(); }

    Objex* Place(POINT at) {
        gCurTool = toolid::kSkylight;
        g.click(at);
        return LastChild();
    }
    Objex* LastChild() const {
        Objex* c = roof->firstChild;
        while (c && c->next) c = c->next;
        return c;
    }
    Lines Titles() const {
        Lines t;
        for (const auto& s : alerts.shown) t.push_back(s.alert.message);
        return t;
    }
    static void Reshape(Objex* piece, PlanPoints outline) {
        DeleteObjectPoints(piece);
        Make(piece).plan(outline);
    }

    RecordingAlerts alerts;
    Objex* a = nullptr;
    Objex* b = nullptr;
    Objex* roof = nullptr;
};

TEST_F(RoofAttachments, ASkylightLandsWhollyOnOneSectionOrIsRefused) {
    Objex* sky = Place({100, 100});
    ASSERT_NE(sky, nullptr);
    EXPECT_EQ(PlanPositions(sky), (std::vector<std::pair<float, float>>{{82, 72}, {118, 72}, {118, 128}, {82, 128}}));
    EXPECT_EQ(Vs(sky), (Heights{76, 76, 48, 48}));  // 112 - D / 2
    const RoofAttachmentRecord* r = sky->typeData.roofAttachment;
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(std::tuple(sky->type, sky->parent, sky->planBits, r->style, r->sectionSubtype, r->width, r->angle),
              std::tuple(objtype::kSkylight, roof, 16, 800, 10, 36.0f, 90.0f));
    ASSERT_EQ(CountObjects(r->customParts), 2);
    EXPECT_EQ(std::tuple(r->customParts->type, r->customParts->subtype, r->customParts->next->subtype),
              std::tuple(objtype::kFrameGroup, 1, 0));
    EXPECT_EQ(Vs(r->customParts), (Heights{60, 60, 32, 32}));        // 16 up
    EXPECT_EQ(Vs(r->customParts->next), (Heights{78, 78, 50, 50}));  // 2 down
    EXPECT_TRUE(alerts.shown.empty());
    EXPECT_EQ(undo.actionNames, (std::vector<std::string>{"Skylight"}));

    // Sharing only the border x = 118 is no overlap.
    Objex* beside = Place({136, 100});
    EXPECT_NE(beside, sky);
    EXPECT_EQ(std::tuple(CountObjects(roof->firstChild), LastChild()->bounds3D.floatLeft), std::tuple(2, 118.0f));

    struct Row { const char* what; POINT at; int16_t style; };
    for (const Row& row : {Row{"a corner on the next section", {190, 100}, 800}, {"over a skylight", {110, 120}, 800},
                           {"off every roof", {600, 600}, 800}, {"an unknown style", {100, 150}, 803}}) {
        alerts.shown.clear();
        ds->skylightStyle = row.style;
        Place(row.at);
        EXPECT_EQ(Titles(), Lines{kRefused}) << row.what;
        EXPECT_EQ(alerts.shown.back().alert.informative,
                  "Please make sure the skylight fits completely on the roof section and does not overlap other "
                  "skylights.");
        EXPECT_EQ(std::tuple(CountObjects(roof->firstChild), CountObjects(doc->itsCurLayer->firstObject)), std::tuple(2, 1))
            << row.what;
    }
}

TEST_F(RoofAttachments, RefittingReheightsMovesOrRemoves) {
    Objex* sky = Place({100, 100});
    Objex* second = Place({100, 170});  // D 142..198
    ASSERT_NE(second, sky);

    // A new plane re-heights outline and filler planes.
    a->sectionPlane[3] = 120;
    UpdateAllRoofAttachments(roof);
    EXPECT_EQ(Vs(sky), (Heights{96, 96, 68, 68}));
    EXPECT_EQ(Vs(sky->typeData.roofAttachment->customParts), (Heights{80, 80, 52, 52}));

    // Section A shrinks off the first skylight; B grows under it: it moves without an alert.
    Reshape(a, {{0, 140}, {200, 140}, {200, 200}, {0, 200}});
    Reshape(b, {{0, 0}, {400, 0}, {400, 140}, {0, 140}});
    UpdateAllRoofAttachments(roof);
    EXPECT_EQ(std::tuple(sky->parent, sky->typeData.roofAttachment->sectionSubtype, Titles().size()),
              std::tuple(roof, 11, 0u));
    EXPECT_EQ(Vs(sky), (Heights{112 - 82 * 0.25f, 112 - 118 * 0.25f, 112 - 118 * 0.25f, 112 - 82 * 0.25f}));
    EXPECT_EQ(second->typeData.roofAttachment->sectionSubtype, 10);

    // Shrinking both so neither skylight fits removes the two with one alert.
    Reshape(a, {{0, 0}, {10, 0}, {10, 10}});
    Reshape(b, {{300, 0}, {310, 0}, {310, 10}});
    UpdateAllRoofAttachments(roof);
    EXPECT_EQ(roof->firstChild, nullptr);
    EXPECT_EQ(Titles(), Lines{"One or more components have been removed."});
    EXPECT_EQ(alerts.shown[0].alert.informative,
              "The roof was not large enough to accommodate all of its attachments.  One or more skylights and/or "
              "cutouts were removed.");
}

TEST_F(RoofAttachments, PanelsAndRoofsWithoutPiecesKeepOrDropByTheirOwnOutline) {
    Objex* panel = PanelRoof(doc->itsCurLayer, {{500, 0}, {700, 0}, {700, 200}, {500, 200}}, kPlaneB);
    Place({600, 100});
    EXPECT_EQ(roof->firstChild, nullptr);
    Objex* sky = panel->firstChild;
    ASSERT_NE(sky, nullptr);
    EXPECT_EQ(std::tuple(sky->typeData.roofAttachment->sectionSubtype, Vs(sky)[0]), std::tuple(0, 112 - 582 * 0.25f));

    // Without generated parts the panel keeps its skylight whatever its outline.
    Objex* slab = panel->typeData.roofPanels;
    panel->typeData.roofPanels = nullptr;
    Reshape(panel, {{500, 0}, {510, 0}, {510, 10}});
    UpdateAllRoofAttachments(panel);
    EXPECT_EQ(std::tuple(panel->firstChild, Titles().size()), std::tuple(sky, 0u));
    panel->typeData.roofPanels = slab;
    UpdateAllRoofAttachments(panel);
    EXPECT_EQ(std::tuple(panel->firstChild, Titles().size()), std::tuple(nullptr, 1u));
}

TEST_F(RoofAttachments, DormerCutoutsAreDrawnInsideASection) {
    gCurTool = 7309;
    // A press off every section alerts once; its drag and release do nothing.
    g.press({600, 600}), g.drag({650, 650}), g.release({650, 650});
    EXPECT_EQ(Titles(), Lines{"Roof section not found."});
    EXPECT_EQ(std::tuple(TrackerLoopOpen(), CountObjects(doc->itsCurLayer->firstObject)), std::tuple(false, 1));

    Objex* sky = Place({50, 100});
    gCurTool = 7309;
    alerts.shown.clear();
    const uint8_t before = g3DObjects;
    auto draw = [this](std::vector<POINT> at) {
        for (POINT p : at) g.move(p), g.click(p);
    };
    draw({{20, 20}, {80, 20}, {80, 160}, {21, 21}});  // closed near the first point, over the skylight
    Objex* cutout = LastChild();
    ASSERT_NE(cutout, sky);
    EXPECT_EQ(std::tuple(cutout->type, cutout->parent, cutout->typeData.roofAttachment->ownerType,
                         cutout->typeData.roofAttachment->sectionSubtype, Titles().size(), g3DObjects),
              std::tuple(objtype::kRoofCutout, roof, objtype::kRoofCutout, 10, 0u, before));
    EXPECT_EQ(Vs(cutout), (Heights{102, 102, 32}));
    EXPECT_EQ(CountObjects(doc->itsCurLayer->firstObject), 1);  // off the layer

    // Reaching outside the section: refused and taken away.
    draw({{120, 20}, {180, 20}, {260, 60}, {121, 21}});
    EXPECT_EQ(Titles(), Lines{"Unable to place dormer cutout on the roof."});
    EXPECT_EQ(std::tuple(CountObjects(roof->firstChild), CountObjects(doc->itsCurLayer->firstObject)), std::tuple(2, 1));

    // The refit keeps cut-outs by containment only.
    UpdateAllRoofAttachments(roof);
    EXPECT_EQ(CountObjects(roof->firstChild), 2);
}

TEST_F(RoofAttachments, PropertiesRebuildTheOutlineOnTheSection) {
    Objex* sky = Place({100, 100});
    RoofAttachmentRecord* r = sky->typeData.roofAttachment;
    r->width = 20;
    UpdateRoofAttachmentProperties(sky, a, 0);
    EXPECT_EQ(PlanPositions(sky), (std::vector<std::pair<float, float>>{{90, 72}, {110, 72}, {110, 128}, {90, 128}}));
    EXPECT_EQ(std::tuple(CountObjects(r->customParts), sky->bounds3D.floatLeft), std::tuple(2, 90.0f));

    // A custom skylight kept from its definition: a 10 x 10 opening drawn at 20 x 56.
    r->style = kCustomSkylightStyle;
    r->partLists[0] = Outline(objtype::kOpeningMask, {{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    UpdateRoofAttachmentProperties(sky, a, 1);
    EXPECT_EQ(PlanPositions(sky), (std::vector<std::pair<float, float>>{{90, 72}, {110, 72}, {110, 128}, {90, 128}}));
    EXPECT_EQ(Vs(sky), (Heights{76, 76, 48, 48}));
    EXPECT_EQ(Vs(r->customParts->next->next), (Heights{78, 78, 50, 50}));  // its lower filler plane

    // Without a definition to read (the reader says so) a new custom skylight is dropped
    // without a placement alert.
    ds->skylightStyle = kCustomSkylightStyle;
    Place({100, 170});
    EXPECT_EQ(std::tuple(CountObjects(roof->firstChild), CountObjects(doc->itsCurLayer->firstObject)), std::tuple(1, 1));
    EXPECT_EQ(Titles(), Lines{"Unable to locate the custom window definition file."});
}

}  // namespace

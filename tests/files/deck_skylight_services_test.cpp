// Deck steps placed on an edge, and the skylight symbols the roof reader needs: custom
// skylight bounds, their outline points and filler planes.
#include <gtest/gtest.h>

#include <cmath>

#include "geometry/elements/skylight_symbols.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "support/records.h"
#include "support/fixture.h"
#include "support/build.h"
#include "tools/deck_steps.h"

using namespace dvxtest;

namespace {

class DeckSkylightServicesTest : public DocumentTest {
protected:
    Layer* layer() { return doc->itsCurLayer; }
};

TEST_F(DeckSkylightServicesTest, StepsSitInTheMiddleOfTheEdge) {
    DocState* ds = doc->itsDocState;
    ASSERT_EQ(ds->planScale, 36.0f);
    ds->deckStepWidth = 60.0f;   // 120 plan units
    ds->deckStepSizeB = 24.0f;   // 48 plan units
    ds->deckStepLeftRail = 1;
    ds->deckStepRightRail = 0;
    Objex* deck = Deck(layer());
    Poinz* a = PointAt(deck, 1);  // (200, 0) to (200, 200): straight down the plan
    Poinz* b = PointAt(deck, 2);
    AddDeckSteps(deck, a, b);
    Objex* step = deck->firstChild;
    ASSERT_NE(step, nullptr);
    EXPECT_EQ(step->type, objtype::kDeckSteps);
    EXPECT_EQ(step->parent, deck);
    EXPECT_EQ(step->layer, layer());
    EXPECT_EQ(step->pointCount, 2);
    EXPECT_EQ(step->penColor, (RGBColor{65535, 65535, 65535}));
    EXPECT_EQ(step->texture, 0);
    EXPECT_NEAR(step->firstPoint->position[0], 200.0f, 1e-3);
    EXPECT_NEAR(step->firstPoint->position[2], 40.0f, 1e-3);
    EXPECT_NEAR(step->firstPoint->next->position[2], 160.0f, 1e-3);
    EXPECT_EQ(step->firstPoint->position[1], 0.0f);
    const AttachmentRecord* r = step->typeData.attachment;
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->ownerType, objtype::kDeckSteps);
    EXPECT_EQ(r->segmentStart, a);
    EXPECT_EQ(r->segmentEnd, b);
    EXPECT_EQ(r->width, 120.0f);
    EXPECT_EQ(r->height, 48.0f);
    EXPECT_NEAR(r->centreDistance, 100.0f, 1e-3);
    EXPECT_NEAR(r->remainder, 100.0f, 1e-3);
    EXPECT_EQ(r->directionFlag, 1);
    EXPECT_EQ(r->frameFlag, 0);
    EXPECT_EQ(r->insideTrimScale[1], 100);
    EXPECT_EQ(r->outsideTrimColor, (RGBColor{65535, 65535, 65535}));
    EXPECT_NEAR(step->bounds3D.floatBack, 40.0f, 1e-3);
    EXPECT_NEAR(step->bounds3D.floatFront, 160.0f, 1e-3);

    // An edge shorter than the step leaves 5 units: 100 long gives a 95 wide step.
    Poinz* c = PointAt(deck, 3);
    c->position[0] = 100;
    c->position[2] = 200;
    Poinz* d = deck->firstPoint;
    d->position[2] = 200;
    AddDeckSteps(deck, c, d);
    ASSERT_NE(step->next, nullptr);
    EXPECT_NEAR(step->next->typeData.attachment->width, 95.0f, 1e-3);
    EXPECT_NEAR(step->next->typeData.attachment->centreDistance, 50.0f, 1e-3);
}

TEST_F(DeckSkylightServicesTest, CustomSkylightBoundsAndOutline) {
    Objex* skylight = nullptr;
    RoofWithSkylight(layer(), 806, &skylight);
    RoofAttachmentRecord* r = skylight->typeData.roofAttachment;
    Objex* opening = Make(objtype::kOpeningMask);
    AppendPointToObject(CreatePoint(1, 0, 0, 0, 0, 0, 10, -5, 20, 0, 0, 0, 0, 0, 0, opening), opening);
    AppendPointToObject(CreatePoint(1, 0, 0, 0, 0, 0, 50, 0, 80, 0, 0, 0, 0, 0, 0, opening), opening);
    Objex* frame = Make(objtype::kWindowSeparator);
    AppendPointToObject(CreatePoint(1, 0, 0, 0, 0, 0, 500, 0, 500, 0, 0, 0, 0, 0, 0, frame), frame);
    r->customParts = frame;
    frame->next = opening;
    opening->prev = frame;

    FloatRect plan;
    Float3DRect box;
    GetCustomSkylightBounds(skylight, &plan, &box);
    EXPECT_EQ(box.floatLeft, 10.0f);
    EXPECT_EQ(box.floatRight, 50.0f);
    EXPECT_EQ(box.floatBack, 20.0f);
    EXPECT_EQ(box.floatFront, 80.0f);
    EXPECT_EQ(box.floatTop, -5.0f);
    EXPECT_LT(plan.floatLeft, plan.floatRight);

    CreateCustomSkylightBoundsPoints(skylight, &box);
    ASSERT_EQ(skylight->pointCount, 4);
    const float expected[4][2] = {{10, 20}, {50, 20}, {50, 80}, {10, 80}};
    int i = 0;
    for (Poinz* p = skylight->firstPoint; p; p = p->next, ++i) {
        EXPECT_EQ(p->position[0], expected[i][0]);
        EXPECT_EQ(p->position[1], 0.0f);
        EXPECT_EQ(p->position[2], expected[i][1]);
    }

    // Without a record nothing is touched.
    Objex* bare = Make(objtype::kSkylight);
    FloatRect untouched{1, 2, 3, 4};
    GetCustomSkylightBounds(bare, &untouched, nullptr);
    EXPECT_EQ(untouched.floatRight, 4.0f);
    CreateSkylightFillerPlane(bare, 1);
    DeleteObj(bare);
}

TEST_F(DeckSkylightServicesTest, FillerPlanesMirrorByTheFlipFlags) {
    Objex* skylight = nullptr;
    RoofWithSkylight(layer(), 800, &skylight);
    RoofAttachmentRecord* r = skylight->typeData.roofAttachment;
    r->flipFlags[1] = 1;  // mirrored in D about the centre, 130
    CreateSkylightFillerPlane(skylight, 0);
    Objex* plane = r->customParts;
    ASSERT_NE(plane, nullptr);
    EXPECT_EQ(plane->subtype, 0);
    EXPECT_EQ(plane->fillColor, (RGBColor{65535, 65535, 65535}));
    EXPECT_EQ(plane->penWidth, 1.0f);
    EXPECT_EQ(plane->firstPoint->position[0], 100.0f);
    EXPECT_EQ(plane->firstPoint->position[1], -48.0f);
    EXPECT_EQ(plane->firstPoint->position[2], 160.0f);
    EXPECT_NE(plane->firstPoint->pointID, skylight->firstPoint->pointID);
}

}  // namespace

// Extrude and revolve into rows, and mirroring about the flip centre with walls, roofs and
// their skylights, and stored angles.
#include <gtest/gtest.h>

#include <numbers>

#include "support/build.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/flip.h"
#include "model/objects.h"
#include "model/sweeps.h"
#include "model/transforms.h"
#include "support/fixture.h"
#include "support/build.h"

using namespace dvxtest;

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

class SweepsTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        doc->itsDocState->viewKind = 2;
        layer = doc->itsLayers;
    }

    // Two points along H at 10 and 20.
    Objex* Bar() {
        Objex* o = Make(objtype::kPolygon).on(layer);
        Point(o, {10, 0, 0});
        Point(o, {20, 0, 0});
        return o;
    }
    static TransformRecord Revolve(float radians) {
        TransformRecord r;
        r.values[xform::kRevolveAngle] = radians;
        return r;
    }
    static void ExpectAt(Objex* o, int index, float h, float v, float d) {
        const float* at = PointAt(o, index)->position;
        EXPECT_NEAR(at[0], h, 1e-3f) << "point " << index;
        EXPECT_NEAR(at[1], v, 1e-3f) << "point " << index;
        EXPECT_NEAR(at[2], d, 1e-3f) << "point " << index;
    }

    Layer* layer = nullptr;
};

TEST_F(SweepsTest, RevolveMakesOneRowPerQuarterTurnAtMost) {
    // Turned about the origin, anticlockwise on screen: +H goes to -D.
    Objex* half = Bar();
    TransformRecord r = Revolve(kPi);
    RevolveObject(half, &r);
    EXPECT_EQ(half->rows, 3);
    EXPECT_EQ(half->pointCount, 6);
    ExpectAt(half, 3, 0, 0, -20);
    ExpectAt(half, 5, -20, 0, 0);
    EXPECT_NEAR(r.values[xform::kCurrentAngle], kPi, 1e-5f);

    Objex* thirty = Bar();
    r = Revolve(kPi / 6);
    RevolveObject(thirty, &r);
    EXPECT_EQ(thirty->rows, 2);
    ExpectAt(thirty, 2, 8.66025f, 0, -5);

    Objex* none = Bar();
    r = Revolve(0);
    RevolveObject(none, &r);
    EXPECT_EQ(none->rows, 2);
    ExpectAt(none, 3, 20, 0, 0);

    // Already two rows or more: nothing more.
    r = Revolve(kPi);
    RevolveObject(none, &r);
    EXPECT_EQ(none->pointCount, 4);
}

TEST_F(SweepsTest, ExtrudeMovesAlongTheViewDepth) {
    struct Case { int16_t view; float h, v, d; };
    for (Case c : {Case{2, 10, 12, 0}, Case{3, 22, 0, 0}, Case{1, 10, 0, 12}}) {
        doc->itsDocState->viewKind = c.view;
        Objex* o = Bar();
        o->rows = 0;  // read as one row
        ExtrudeObject(o, 12);
        EXPECT_EQ(o->rows, 2);
        ExpectAt(o, 2, c.h, c.v, c.d);
        ExtrudeObject(o, 12);
        EXPECT_EQ(o->pointCount, 4);
    }
}

TEST_F(SweepsTest, FlipMirrorsSelectedPoints) {
    gFlipCenterX = 50;
    Objex* o = Make(objtype::kPolygon).on(layer);
    Poinz* a = Point(o, {20, 5, 10, {1, 2, 3}, {4, 5, 6}});
    Poinz* b = Point(o, {30, 5, 10});
    a->selected = 1;
    FlipObject(o, 1);
    EXPECT_FLOAT_EQ(a->position[0], 80);
    EXPECT_FLOAT_EQ(a->outTangent[0], -4);
    EXPECT_FLOAT_EQ(a->outTangent[2], 6);
    EXPECT_FLOAT_EQ(b->position[0], 30);
    EXPECT_EQ(o->needsRebuild, 1);

    // A wall's selected points trade their two sides.
    Objex* wall = Make(objtype::kWall).on(layer);
    Poinz* w = Point(wall, {0, 0, 0});
    Poinz* unselected = Point(wall, {100, 0, 0});
    for (Poinz* p : {w, unselected}) {
        p->texture1 = 11;
        p->texture2 = 22;
        p->color2 = RGBColor{2, 2, 2};
        p->faceScale1 = ShortPoint{50, 60};
        p->trim1 = new TrimRecord{};
    }
    TrimRecord* trim = w->trim1;
    w->selected = 1;
    FlipObject(wall, 0);
    EXPECT_EQ(w->texture1, 22);
    EXPECT_EQ(w->texture2, 11);
    EXPECT_EQ(w->color1, (RGBColor{2, 2, 2}));
    EXPECT_EQ(w->faceScale2.x, 50);
    EXPECT_EQ(w->trim2, trim);
    EXPECT_EQ(w->trim1, nullptr);
    EXPECT_EQ(unselected->texture1, 11);
}

TEST_F(SweepsTest, RoofFlipCarriesItsSkylightsAndTheirSymbols) {
    auto skylightOn = [](Objex* roof, float h) {
        Objex* s = Make(objtype::kSkylight);
        Point(s, {h, 0, 5});
        auto* r = new RoofAttachmentRecord{};
        r->customParts = Make(objtype::kPolygon);
        Point(r->customParts, {h + 1, 0, 5});
        Make(s).with(r);
        Make(s).in(roof);
        return s;
    };
    Objex* roof = Make(objtype::kRoof).on(layer);
    Point(roof, {10, 0, 0})->selected = 1;
    Point(roof, {20, 0, 0})->selected = 1;
    Objex* sky = skylightOn(roof, 12);
    RoofAttachmentRecord* rec = sky->typeData.roofAttachment;

    FlipObject(roof, 1);  // about 0
    EXPECT_FLOAT_EQ(sky->firstPoint->position[0], -12);
    EXPECT_EQ(sky->firstPoint->selected, 0);
    EXPECT_EQ(rec->flipFlags[0], 1);
    EXPECT_FLOAT_EQ(rec->customParts->firstPoint->position[0], -13);

    // Part of the roof selected: only a skylight selected itself flips.
    PointAt(roof, 1)->selected = 0;
    Objex* picked = skylightOn(roof, 15);
    picked->firstPoint->selected = 1;
    FlipObject(roof, 0);
    EXPECT_EQ(rec->flipFlags[1], 0);
    EXPECT_EQ(picked->typeData.roofAttachment->flipFlags[1], 1);
    EXPECT_FLOAT_EQ(picked->firstPoint->position[2], -5);
}

TEST_F(SweepsTest, FlipMirrorsStoredAngles) {
    Objex* panel = Make(objtype::kFreehandRoof).on(layer);
    panel->params[0] = 30;
    FlipObject(panel, 1);
    EXPECT_NEAR(panel->params[0], 150, 1e-3f);
    FlipObject(panel, 0);
    EXPECT_NEAR(panel->params[0], 210, 1e-3f);

    // A cabinet's angle is mirrored at +270 degrees and read back +90.
    Objex* cabinet = Make(objtype::kGroup, objsubtype::kCabinetGroup).on(layer);
    auto* state = new CabinetState{};
    state->f1 = 30;
    Make(cabinet).with(state);
    FlipObject(cabinet, 1);
    EXPECT_NEAR(state->f1, 330, 1e-3f);
    FlipObject(cabinet, 0);
    EXPECT_NEAR(state->f1, 210, 1e-3f);
}

}  // namespace

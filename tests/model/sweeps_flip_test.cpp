// Extrude and revolve into rows, axis swaps and flattening, and mirroring about the flip
// centre with walls, roofs and their skylights, and stored angles.
#include <gtest/gtest.h>

#include <numbers>

#include "geometry_test_support.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/flip.h"
#include "model/objects.h"
#include "model/sweeps.h"
#include "model/transforms.h"
#include "support/fixture.h"
#include "support/model_builders.h"

using namespace dvxtest;
using geomtest::Add;

namespace {

constexpr float kTol = 1e-3f;
constexpr float kPi = std::numbers::pi_v<float>;

class SweepsTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        ds = doc->itsDocState;
        ds->viewKind = 2;
        layer = doc->itsLayers;
    }

    // Two points along H at 10 and 20, on the layer.
    Objex* Bar() {
        Objex* o = NewObjectOn(layer, objtype::kPolygon);
        Add(o, 10, 0, 0);
        Add(o, 20, 0, 0);
        return o;
    }

    static TransformRecord Revolve(float radians) {
        TransformRecord r;
        r.values[xform::kRevolveAngle] = radians;
        return r;
    }

    static void ExpectAt(Objex* o, int index, float h, float v, float d) {
        Poinz* p = PointAt(o, index);
        ASSERT_NE(p, nullptr) << "point " << index;
        EXPECT_NEAR(p->position[0], h, kTol) << "point " << index;
        EXPECT_NEAR(p->position[1], v, kTol) << "point " << index;
        EXPECT_NEAR(p->position[2], d, kTol) << "point " << index;
    }

    DocState* ds = nullptr;
    Layer* layer = nullptr;
};

TEST_F(SweepsTest, RevolveMakesOneRowPerQuarterTurnAtMost) {
    Objex* half = Bar();
    TransformRecord r = Revolve(kPi);
    RevolveObject(half, &r);
    EXPECT_EQ(half->rows, 3);
    EXPECT_EQ(half->pointCount, 6);
    // Turned about the origin in the plan, anticlockwise on screen: +H goes to -D.
    ExpectAt(half, 2, 0, 0, -10);
    ExpectAt(half, 3, 0, 0, -20);
    ExpectAt(half, 4, -10, 0, 0);
    ExpectAt(half, 5, -20, 0, 0);
    EXPECT_NEAR(r.values[xform::kCurrentAngle], kPi, 1e-5f);

    Objex* thirty = Bar();
    r = Revolve(30.0f * kPi / 180.0f);
    RevolveObject(thirty, &r);
    EXPECT_EQ(thirty->rows, 2);
    ExpectAt(thirty, 2, 8.66025f, 0, -5);

    Objex* none = Bar();
    r = Revolve(0);
    RevolveObject(none, &r);
    EXPECT_EQ(none->rows, 2);
    ExpectAt(none, 2, 10, 0, 0);
    ExpectAt(none, 3, 20, 0, 0);

    // A start angle other than 0 turns by the same amounts.
    Objex* started = Bar();
    r = Revolve(kPi / 2);
    r.values[xform::kStartAngle] = 1.0f;
    r.values[xform::kOriginH] = 10;
    RevolveObject(started, &r);
    ExpectAt(started, 3, 10, 0, -10);
    EXPECT_NEAR(r.values[xform::kCurrentAngle], 1.0f + kPi / 2, 1e-5f);

    // Already a surface: nothing more.
    r = Revolve(kPi);
    RevolveObject(half, &r);
    EXPECT_EQ(half->pointCount, 6);
    EXPECT_EQ(half->rows, 3);
}

TEST_F(SweepsTest, ExtrudeMovesAlongTheViewDepth) {
    struct Case { int16_t view; float h, v, d; };
    for (Case c : {Case{2, 10, 12, 0}, Case{3, 22, 0, 0}, Case{1, 10, 0, 12}}) {
        ds->viewKind = c.view;
        Objex* o = Bar();
        o->rows = 0;  // read as one row
        PointAt(o, 0)->selected = 1;
        ExtrudeObject(o, 12);
        EXPECT_EQ(o->rows, 2) << "view " << c.view;
        ASSERT_EQ(o->pointCount, 4);
        ExpectAt(o, 2, c.h, c.v, c.d);
        EXPECT_EQ(PointAt(o, 2)->selected, 1);
        EXPECT_EQ(PointAt(o, 3)->selected, 0);
        // A second extrusion finds two rows and does nothing.
        ExtrudeObject(o, 12);
        EXPECT_EQ(o->pointCount, 4);
    }
    // No depth axis in another view: nothing changes.
    ds->viewKind = 0;
    Objex* o = Bar();
    ExtrudeObject(o, 12);
    EXPECT_EQ(o->pointCount, 2);
    EXPECT_EQ(o->rows, 1);
}

TEST_F(SweepsTest, AxisSwapsAndFlattening) {
    Objex* o = NewObjectOn(layer, objtype::kPolygon);
    Add(o, 1, 2, 3, {4, 5, 6}, {7, 8, 9});
    ConvertXYtoXZ(o);
    Poinz* p = o->firstPoint;
    EXPECT_FLOAT_EQ(p->position[1], 3);
    EXPECT_FLOAT_EQ(p->position[2], 2);
    EXPECT_FLOAT_EQ(p->inTangent[1], 6);
    EXPECT_FLOAT_EQ(p->outTangent[2], 8);
    ConvertXYtoZY(o);  // now (2, 3, 1)
    EXPECT_FLOAT_EQ(p->position[0], 2);
    EXPECT_FLOAT_EQ(p->position[2], 1);
    EXPECT_FLOAT_EQ(p->inTangent[0], 5);

    Objex* child = NewObject(objtype::kPolygon);
    Add(child, 0, 7, 1);
    AppendChildToObject(child, o);
    FlattenObjectToXZPlane(o, 0);
    EXPECT_FLOAT_EQ(p->position[1], 0);
    EXPECT_FLOAT_EQ(p->position[2], 3);
    EXPECT_FLOAT_EQ(child->firstPoint->position[1], 7);
    FlattenObjectToXZPlane(o, 1);
    EXPECT_FLOAT_EQ(child->firstPoint->position[1], 0);
    EXPECT_FLOAT_EQ(child->firstPoint->position[2], 7);
}

TEST_F(SweepsTest, FlipMirrorsSelectedPointsInTheViewAxes) {
    gFlipCenterX = 50;
    gFlipCenterY = 40;
    Objex* o = NewObjectOn(layer, objtype::kPolygon);
    Poinz* a = Add(o, 20, 5, 10, {1, 2, 3}, {4, 5, 6});
    Poinz* b = Add(o, 30, 5, 10);
    a->selected = 1;

    FlipObject(o, 1);
    EXPECT_FLOAT_EQ(a->position[0], 80);
    EXPECT_FLOAT_EQ(a->inTangent[0], -1);
    EXPECT_FLOAT_EQ(a->outTangent[0], -4);
    EXPECT_FLOAT_EQ(a->outTangent[2], 6);
    EXPECT_FLOAT_EQ(b->position[0], 30);
    EXPECT_EQ(o->needsRebuild, 1);
    EXPECT_NEAR(o->bounds.floatRight, 80, kTol);

    FlipObject(o, 0);  // plan: D about 40
    EXPECT_FLOAT_EQ(a->position[2], 70);
    EXPECT_FLOAT_EQ(a->outTangent[2], -6);

    ds->viewKind = 3;  // side: horizontal mirrors D about X, vertical V about Y
    FlipObject(o, 1);
    EXPECT_FLOAT_EQ(a->position[2], 30);
    FlipObject(o, 0);
    EXPECT_FLOAT_EQ(a->position[1], 75);
    EXPECT_FLOAT_EQ(a->inTangent[1], -2);

    ds->viewKind = 1;  // front: H about X, V about Y
    FlipObject(o, 1);
    EXPECT_FLOAT_EQ(a->position[0], 20);
    FlipObject(o, 0);
    EXPECT_FLOAT_EQ(a->position[1], 5);
}

TEST_F(SweepsTest, FlipSwapsTheSidesOfSelectedWallPoints) {
    Objex* wall = NewObjectOn(layer, objtype::kWall);
    Poinz* a = Add(wall, 0, 0, 0);
    Poinz* b = Add(wall, 100, 0, 0);
    for (Poinz* p : {a, b}) {
        p->texture1 = 11;
        p->texture2 = 22;
        p->color1 = RGBColor{1, 1, 1};
        p->color2 = RGBColor{2, 2, 2};
        p->faceScale1 = ShortPoint{50, 60};
        p->faceScale2 = ShortPoint{100, 100};
        p->trim1 = new TrimRecord{};
    }
    TrimRecord* trimA = a->trim1;
    a->selected = 1;
    FlipObject(wall, 1);
    EXPECT_EQ(a->texture1, 22);
    EXPECT_EQ(a->texture2, 11);
    EXPECT_EQ(a->color1, (RGBColor{2, 2, 2}));
    EXPECT_EQ(a->faceScale2.x, 50);
    EXPECT_EQ(a->trim1, nullptr);
    EXPECT_EQ(a->trim2, trimA);
    EXPECT_EQ(b->texture1, 11);
    EXPECT_NE(b->trim1, nullptr);
}

TEST_F(SweepsTest, RoofFlipCarriesItsSkylightsAndTheirSymbols) {
    gFlipCenterX = 0;
    auto skylightOn = [](Objex* roof, float h) {
        Objex* s = NewObject(objtype::kSkylight);
        Add(s, h, 0, 5);
        auto* r = new RoofAttachmentRecord{};
        r->ownerType = objtype::kSkylight;
        r->attachment = s;
        r->customParts = NewObject(objtype::kPolygon);
        Add(r->customParts, h + 1, 0, 5);
        s->typeData = TypeData::OfRoofAttachment(r);
        AppendChildToObject(s, roof);
        return s;
    };
    Objex* roof = NewObjectOn(layer, objtype::kRoof);
    Add(roof, 10, 0, 0)->selected = 1;
    Add(roof, 20, 0, 0)->selected = 1;
    Objex* sky = skylightOn(roof, 12);
    RoofAttachmentRecord* rec = sky->typeData.roofAttachment;

    FlipObject(roof, 1);
    EXPECT_FLOAT_EQ(PointAt(roof, 0)->position[0], -10);
    EXPECT_FLOAT_EQ(sky->firstPoint->position[0], -12);
    EXPECT_EQ(sky->firstPoint->selected, 0);
    EXPECT_EQ(rec->flipFlags[0], 1);
    EXPECT_EQ(rec->flipFlags[1], 0);
    EXPECT_FLOAT_EQ(rec->customParts->firstPoint->position[0], -13);
    EXPECT_EQ(rec->customParts->firstPoint->selected, 0);
    FlipObject(roof, 1);
    EXPECT_EQ(rec->flipFlags[0], 0);
    EXPECT_FLOAT_EQ(sky->firstPoint->position[0], 12);

    // A roof selected in part flips only the skylights that are selected themselves.
    PointAt(roof, 1)->selected = 0;
    Objex* picked = skylightOn(roof, 15);
    picked->firstPoint->selected = 1;
    FlipObject(roof, 0);
    EXPECT_EQ(rec->flipFlags[1], 0);
    EXPECT_FLOAT_EQ(sky->firstPoint->position[2], 5);
    EXPECT_EQ(picked->typeData.roofAttachment->flipFlags[1], 1);
    EXPECT_FLOAT_EQ(picked->firstPoint->position[2], -5);
}

TEST_F(SweepsTest, FlipMirrorsStoredAngles) {
    Objex* panel = NewObjectOn(layer, objtype::kFreehandRoof);
    panel->params[0] = 30;
    FlipObject(panel, 1);
    EXPECT_NEAR(panel->params[0], 150, kTol);
    FlipObject(panel, 0);
    EXPECT_NEAR(panel->params[0], 210, kTol);

    // A cabinet's angle is mirrored at +270 degrees and read back +90.
    Objex* cabinet = NewObjectOn(layer, objtype::kGroup, objsubtype::kCabinetGroup);
    auto* state = new CabinetState{};
    state->f1 = 30;
    cabinet->typeData = TypeData::OfCabinet(state);
    FlipObject(cabinet, 1);
    EXPECT_NEAR(state->f1, 330, kTol);
    state->f1 = 30;
    FlipObject(cabinet, 0);
    EXPECT_NEAR(state->f1, 150, kTol);

    // An imported object's group negates its rotation whichever way it flips.
    Objex* group = NewObjectOn(layer, objtype::kGroup);
    group->params[4] = 30;
    AppendChildToObject(NewObject(objtype::kFentrix), group);
    FlipObject(group, 0);
    EXPECT_FLOAT_EQ(group->params[4], 330);
    FlipObject(group, 1);
    EXPECT_FLOAT_EQ(group->params[4], 30);
    Objex* plain = NewObjectOn(layer, objtype::kGroup);
    plain->params[4] = 30;
    FlipObject(plain, 1);
    EXPECT_FLOAT_EQ(plain->params[4], 30);
}

}  // namespace

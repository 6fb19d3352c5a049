// Object and layer bounds: points, sampled curves, pen widths, layers, printing, roofs, walls,
// stored boxes; the stored-bounds updates, the minimum text box and the plain object turn.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "model/bounds.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/simple_rotate.h"
#include "model/transforms.h"
#include "model/geometry_test_support.h"
#include "plan/plan_objects.h"
#include "support/fixture.h"
#include "support/model_builders.h"

using namespace dvxtest;
using geomtest::Add;
using geomtest::Vec3;

namespace {

constexpr float kEps = 1e-3f;

void ExpectRect(const FloatRect& r, float left, float top, float right, float bottom) {
    EXPECT_NEAR(r.floatLeft, left, kEps);
    EXPECT_NEAR(r.floatTop, top, kEps);
    EXPECT_NEAR(r.floatRight, right, kEps);
    EXPECT_NEAR(r.floatBottom, bottom, kEps);
}

void ExpectBox(const Float3DRect& r, float left, float right, float top, float bottom, float back,
               float front) {
    EXPECT_NEAR(r.floatLeft, left, kEps);
    EXPECT_NEAR(r.floatRight, right, kEps);
    EXPECT_NEAR(r.floatTop, top, kEps);
    EXPECT_NEAR(r.floatBottom, bottom, kEps);
    EXPECT_NEAR(r.floatBack, back, kEps);
    EXPECT_NEAR(r.floatFront, front, kEps);
}

FloatRect Plan(Objex* o, uint8_t onlySelected = 0, uint8_t ignoreCurves = 0, uint8_t withPen = 0) {
    FloatRect r = EmptyFloatRect();
    GetObjectBounds(o, onlySelected, &r, ignoreCurves, withPen);
    return r;
}

Float3DRect Model(Objex* o, uint8_t onlySelected = 0, uint8_t ignoreCurves = 0) {
    Float3DRect r = EmptyFloat3DRect();
    GetObject3DBounds(o, onlySelected, &r, ignoreCurves);
    return r;
}

class BoundsTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        geomtest::SetPlanView();
        gPrinting = 0;
        ds()->curveSegments = 10;
        ds()->zoomFactor = 1.0f;
    }
    DocState* ds() { return doc->itsDocState; }
    Layer* floor(int i) {
        Layer* l = doc->itsLayers;
        while (l && i-- > 0) l = l->next;
        return l;
    }
    // Straight from (10, 0, 20) to (50, 0, -5).
    Objex* Straight(Layer* layer = nullptr) {
        Objex* o = layer ? NewObjectOn(layer, objtype::kPolygon) : NewObject(objtype::kPolygon);
        Add(o, 10, 0, 20);
        Add(o, 50, 0, -5);
        return o;
    }
    // From (0, 0, 0) to (100, 0, 0) bulging to D = -60 t (1 - t): -15 at t = 0.5.
    Objex* Bulge() {
        Objex* o = NewObject(objtype::kPolygon);
        Add(o, 0, 0, 0, {}, Vec3{0, 0, -60});
        Add(o, 100, 0, 0, Vec3{0, 0, 60});
        return o;
    }
    void TearDown() override {
        gPrinting = 0;
        DocumentTest::TearDown();
    }
};

TEST_F(BoundsTest, EmptyObjectsAndStraightSegments) {
    Objex* none = NewObject(objtype::kPolygon);
    EXPECT_TRUE(IsEmptyBounds(Plan(none)));
    EXPECT_TRUE(IsEmptyBounds(Model(none)));

    // A straight segment adds only its two ends.
    Objex* o = Straight();
    ExpectRect(Plan(o), 10, -5, 50, 20);
    ExpectBox(Model(o), 10, 50, 0, 0, -5, 20);

    // Boxes only grow: a second object widens the first one's box.
    FloatRect r = Plan(o);
    Objex* far = NewObject(objtype::kLine);
    Add(far, -30, 0, 7);
    GetObjectBounds(far, 0, &r, 0, 0);
    ExpectRect(r, -30, -5, 50, 20);
    DeleteObj(none);
    DeleteObj(o);
    DeleteObj(far);
}

TEST_F(BoundsTest, CurvesAreSampledAtTheCurveResolution) {
    Objex* o = Bulge();
    ds()->curveSegments = 4;  // samples at 0, 0.25, 0.5, 0.75, 1: the apex is one of them
    ExpectRect(Plan(o), 0, -15, 100, 0);
    ExpectBox(Model(o), 0, 100, 0, 0, -15, 0);

    // At thirds the deepest sample is -60 (1/3)(2/3) = -13.333, and t = 1 still reaches B.
    ds()->curveSegments = 3;
    ExpectRect(Plan(o), 0, -13.3333f, 100, 0);

    // Ignoring curves leaves the two end points.
    ExpectRect(Plan(o, 0, 1), 0, 0, 100, 0);
    ExpectBox(Model(o, 0, 1), 0, 100, 0, 0, 0, 0);

    // Points of kind 2 or 4 make the segment straight in plan, not in 3D.
    ds()->curveSegments = 4;
    PointAt(o, 1)->kind = 2;
    ExpectRect(Plan(o), 0, 0, 100, 0);
    ExpectBox(Model(o), 0, 100, 0, 0, -15, 0);
    PointAt(o, 1)->kind = 1;
    PointAt(o, 0)->kind = 4;
    ExpectRect(Plan(o), 0, 0, 100, 0);
    DeleteObj(o);
}

TEST_F(BoundsTest, ClosingSegmentCountsOnlyWhenClosed) {
    // A to B straight; the closing segment B to A bulges to D = 60 t (1 - t): 15 at t = 0.5.
    Objex* o = NewObject(objtype::kPolygon);
    Poinz* a = Add(o, 0, 0, 0, Vec3{0, 0, -60});
    Poinz* b = Add(o, 100, 0, 0, {}, Vec3{0, 0, 60});
    ExpectRect(Plan(o), 0, 0, 100, 0);
    ExpectBox(Model(o), 0, 100, 0, 0, 0, 0);
    o->closed = 1;
    ExpectRect(Plan(o), 0, 0, 100, 15);
    ExpectBox(Model(o), 0, 100, 0, 0, 0, 15);

    // Selected points only: the closing segment needs the first point selected.
    b->selected = 1;
    ExpectRect(Plan(o, 1), 100, 0, 100, 0);
    a->selected = 1;
    ExpectRect(Plan(o, 1), 0, 0, 100, 15);
    DeleteObj(o);
}

TEST_F(BoundsTest, PenWidthWidensEveryEdgeByHalfTheWeight) {
    Objex* o = Straight();
    o->penWidth = 1;
    ExpectRect(Plan(o, 0, 0, 1), 10, -5, 50, 20);
    o->penWidth = 6;
    ExpectRect(Plan(o, 0, 0, 1), 7, -8, 53, 23);
    o->penWidth = 5;  // halved as a whole number: 2
    ExpectRect(Plan(o, 0, 0, 1), 8, -7, 52, 22);
    ExpectBox(Model(o), 10, 50, 0, 0, -5, 20);

    // Stored boxes take the weight at the plan zoom: 6 at 0.5 draws 3, offset 1.
    UpdateObjectBounds(o);
    o->penWidth = 6;
    ds()->zoomFactor = 0.5f;
    FloatRect r = EmptyFloatRect();
    GetObjectObjBounds(o, 0, &r, 0, 1);
    ExpectRect(r, 9, -6, 51, 21);
    DeleteObj(o);
}

TEST_F(BoundsTest, TwoDimensionalBoundsFollowTheView) {
    Objex* o = NewObject(objtype::kPolygon);
    Add(o, 10, 50, 20);
    ExpectRect(Plan(o), 10, 20, 10, 20);
    geomtest::SetView(0, 0);  // looking along D: H across, V down the box
    ExpectRect(Plan(o), 10, 50, 10, 50);
    // Perspective at distance 100 from above: depth -50 divides by 1 + 50/100.
    geomtest::SetView(90, 0, 1, 100);
    ExpectRect(Plan(o), 10 / 1.5f, 20 / 1.5f, 10 / 1.5f, 20 / 1.5f);
    // 3D bounds never depend on the view.
    ExpectBox(Model(o), 10, 10, 50, 50, 20, 20);
    DeleteObj(o);
}

TEST_F(BoundsTest, HiddenLayersAndPlansWhilePrinting) {
    Layer* first = floor(0);
    Layer* second = floor(1);
    ASSERT_NE(second, nullptr);
    first->visible = second->visible = 1;
    Objex* near = Straight(first);
    Objex* far = NewObjectOn(second, objtype::kPolygon);
    Add(far, 1000, 10, 1000);
    UpdateObjectBounds(near);
    UpdateObjectBounds(far);

    second->visible = 0;
    FloatRect r = EmptyFloatRect();
    GetAllLayersBounds(doc->itsLayers, 0, &r, 0, 0);
    ExpectRect(r, 10, -5, 50, 20);
    r = EmptyFloatRect();
    GetAllLayersObjBounds(doc->itsLayers, 0, &r, 0, 0);
    ExpectRect(r, 10, -5, 50, 20);
    Float3DRect b = EmptyFloat3DRect();
    GetAllLayers3DBounds(doc->itsLayers, 0, &b, 0);
    ExpectBox(b, 10, 50, 0, 0, -5, 20);
    b = EmptyFloat3DRect();
    GetAllLayersObj3DBounds(doc->itsLayers, 0, &b, 0);
    ExpectBox(b, 10, 50, 0, 0, -5, 20);
    b = EmptyFloat3DRect();
    GetAllSpecialLayers3DBounds(doc->itsLayers, 0, &b, 0);
    ExpectBox(b, 10, 50, 0, 0, -5, 20);
    second->visible = 1;
    r = EmptyFloatRect();
    GetAllLayersBounds(doc->itsLayers, 0, &r, 0, 0);
    ExpectRect(r, 10, -5, 1000, 1000);

    // Printing keeps only objects on a visible plan: roofing (bit 4) shows, detail (bit 8) not.
    near->planBits = 1 << 4;
    far->planBits = 1 << 8;
    ds()->visiblePlans = 1 << 4;
    gPrinting = 1;
    r = EmptyFloatRect();
    GetAllLayersBounds(doc->itsLayers, 0, &r, 0, 0);
    ExpectRect(r, 10, -5, 50, 20);
    gPrinting = 0;
}

TEST_F(BoundsTest, RoofsIgnoreAttachmentsInPlanAndUsePanelsIn3D) {
    Objex* roof = NewObject(objtype::kRoof);
    roof->closed = 1;
    Add(roof, 0, 0, 0);
    Add(roof, 100, 0, 0);
    Add(roof, 100, 0, 100);
    Add(roof, 0, 0, 100);
    Objex* skylight = NewObject(objtype::kSkylight);
    Add(skylight, 500, 30, 500);
    AppendChildToObject(skylight, roof);
    // The panel overhangs the outline and rises to the ridge.
    Objex* panel = NewObject(objtype::kRoofPanel);
    Add(panel, -10, 0, -10);
    Add(panel, 110, 0, -10);
    Add(panel, 50, 120, 50);
    roof->typeData = TypeData::OfRoofPanels(panel);

    ExpectRect(Plan(roof), 0, 0, 100, 100);
    ExpectBox(Model(roof), 0, 500, 0, 30, 0, 500);  // 3D point bounds include children
    Float3DRect b = EmptyFloat3DRect();
    GetSpecialObjects3DBounds(roof, 0, &b, 0);
    ExpectBox(b, -10, 110, 0, 120, -10, 50);
    // Selected only: an unselected roof adds nothing, a selected one all of its panels.
    b = EmptyFloat3DRect();
    GetSpecialObjects3DBounds(roof, 1, &b, 0);
    EXPECT_TRUE(IsEmptyBounds(b));
    PointAt(roof, 2)->selected = 1;
    GetSpecialObjects3DBounds(roof, 1, &b, 0);
    ExpectBox(b, -10, 110, 0, 120, -10, 50);

    // A freehand roof's own panels (58) hung as children stay out of 3D point bounds.
    Objex* freehand = NewObject(objtype::kFreehandRoof);
    Add(freehand, 0, 0, 0);
    Objex* piece = NewObject(objtype::kSlopeArrow);
    Add(piece, 900, 0, 900);
    AppendChildToObject(piece, freehand);
    ExpectBox(Model(freehand), 0, 0, 0, 0, 0, 0);
    DeleteObj(roof);
    DeleteObj(freehand);
}

TEST_F(BoundsTest, WallsAreMeasuredThroughTheirSolid) {
    Objex* wall = NewObject(objtype::kWall);
    wall->penWidth = 6;
    Add(wall, 0, 0, 0);
    Add(wall, 100, 0, 0);
    EXPECT_TRUE(IsEmptyBounds(Plan(wall)));  // no solid yet
    EXPECT_TRUE(IsEmptyBounds(Model(wall)));

    // Two rows: the footprint at V 0 and again at the top, V 96.
    Objex* solid = NewObject(objtype::kClosedSolid, objsubtype::kWallSolid);
    solid->closed = 1;
    solid->rows = 2;
    for (float v : {0.0f, 96.0f}) {
        Add(solid, 0, v, -3);
        Add(solid, 100, v, -3);
        Add(solid, 100, v, 3);
        Add(solid, 0, v, 3);
    }
    solid->sourceObject = wall;
    wall->typeData = TypeData::OfWallSolid(solid);
    ExpectRect(Plan(wall), 0, -3, 100, 3);
    ExpectBox(Model(wall), 0, 100, 0, 96, -3, 3);

    // Selected only: nothing until one of the wall's own points is selected.
    EXPECT_TRUE(IsEmptyBounds(Plan(wall, 1)));
    EXPECT_TRUE(IsEmptyBounds(Model(wall, 1)));
    PointAt(wall, 1)->selected = 1;
    ExpectRect(Plan(wall, 1), 0, -3, 100, 3);
    ExpectBox(Model(wall, 1), 0, 100, 0, 96, -3, 3);

    // Stored boxes come from the solid's stored box.
    UpdateObjectBounds(solid);
    FloatRect r = EmptyFloatRect();
    GetObjectObjBounds(wall, 0, &r, 0, 0);
    ExpectRect(r, 0, -3, 100, 3);
    UpdateObjectBounds(wall);
    ExpectRect(wall->bounds, 0, -3, 100, 3);
    ExpectBox(wall->bounds3D, 0, 100, 0, 96, -3, 3);
    DeleteObj(wall);
}

TEST_F(BoundsTest, StoredBoxesOfNestedGroupsAndDimensions) {
    // Three nested groups around one outline: groups add no box of their own.
    Objex* outer = NewObject(objtype::kGroup);
    Objex* middle = NewObject(objtype::kGroup);
    Objex* inner = NewObject(objtype::kGroup);
    Objex* shape = NewObject(objtype::kPolygon);
    Add(shape, 1, 2, 3);
    Add(shape, 4, 5, 6);
    AppendChildToObject(middle, outer);
    AppendChildToObject(inner, middle);
    AppendChildToObject(shape, inner);
    for (Objex* g : {outer, middle, inner}) g->bounds3D = Float3DRect{-900, -900, -900, 900, 900, 900};
    UpdateObjectBounds(shape);
    ExpectBox(shape->bounds3D, 1, 4, 2, 5, 3, 6);

    FloatRect r = EmptyFloatRect();
    GetObjectObjBounds(outer, 0, &r, 0, 0);
    ExpectRect(r, 1, 3, 4, 6);  // corners seen from above: H across, D down
    Float3DRect b = EmptyFloat3DRect();
    GetObjectObj3DBounds(outer, 0, &b, 0);
    ExpectBox(b, 1, 4, 2, 5, 3, 6);
    ExpectRect(Plan(outer), 1, 3, 4, 6);  // point bounds reach the same depth

    // Selected only: an unselected object adds no stored box.
    r = EmptyFloatRect();
    GetObjectObjBounds(outer, 1, &r, 0, 0);
    EXPECT_TRUE(IsEmptyBounds(r));
    PointAt(shape, 0)->selected = 1;
    GetObjectObjBounds(outer, 1, &r, 0, 0);
    ExpectRect(r, 1, 3, 4, 6);

    // Measuring a dimension (100-107) raises gDimensionSelected; a leader (108) does not.
    Objex* leader = NewObject(objtype::kLeaderDimension);
    r = EmptyFloatRect();
    GetObjectObjBounds(leader, 0, &r, 0, 0);
    EXPECT_EQ(gDimensionSelected, 0);
    Objex* angle = NewObject(objtype::kAngleDimension);
    Add(angle, 0, 0, 0);
    AppendChildToObject(angle, inner);
    GetObjectObjBounds(outer, 1, &r, 0, 0);
    EXPECT_EQ(gDimensionSelected, 0);  // not selected, not measured
    GetObjectObjBounds(outer, 0, &r, 0, 0);
    EXPECT_EQ(gDimensionSelected, 1);
    DeleteObj(outer);
    DeleteObj(leader);
}

TEST_F(BoundsTest, RootBoundsAndMinimumTextBox) {
    Objex* group = NewObject(objtype::kGroup);
    Objex* chosen = NewObject(objtype::kPolygon);
    Add(chosen, 0, 0, 0)->selected = 1;
    Add(chosen, 10, 5, 10)->selected = 1;
    Objex* other = NewObject(objtype::kPolygon);
    Add(other, 100, 0, 100);
    Add(other, 200, 7, 200);
    AppendChildToObject(chosen, group);
    AppendChildToObject(other, group);
    UpdateObjectRootBounds(group, 1, 0);
    ExpectRect(group->bounds, 0, 0, 10, 10);             // selected points only
    ExpectBox(group->bounds3D, 0, 200, 0, 7, 0, 200);    // every point
    DeleteObj(group);

    // Too small: grows to 100 x 40 from the top left corner (10, 20).
    Objex* text = NewObject(objtype::kEnhancedText);
    text->params[1] = 100;
    text->params[2] = 40;
    Add(text, 60, 0, 50);
    Add(text, 10, 0, 50);
    Add(text, 10, 0, 20);
    Add(text, 60, 0, 20);
    AdjustEnhancedTextObjectSize(text);
    const float h[4] = {10, 110, 110, 10};
    const float d[4] = {20, 20, 60, 60};
    for (int i = 0; i < 4; ++i) {
        EXPECT_FLOAT_EQ(PointAt(text, i)->position[0], h[i]) << i;
        EXPECT_FLOAT_EQ(PointAt(text, i)->position[2], d[i]) << i;
    }
    ExpectRect(text->bounds, 10, 20, 110, 60);

    // Larger than the minimum, a minimum below 1, or fewer than four points: left alone.
    text->params[1] = 50;
    text->params[2] = 10;
    AdjustEnhancedTextObjectSize(text);
    EXPECT_FLOAT_EQ(PointAt(text, 1)->position[0], 110);
    EXPECT_FLOAT_EQ(PointAt(text, 2)->position[2], 60);
    text->params[1] = 500;
    text->params[2] = 0.5f;
    AdjustEnhancedTextObjectSize(text);
    EXPECT_FLOAT_EQ(PointAt(text, 1)->position[0], 110);
    Objex* three = NewObject(objtype::kEnhancedText);
    three->params[1] = three->params[2] = 100;
    Add(three, 0, 0, 0);
    Add(three, 5, 0, 0);
    Add(three, 5, 0, 5);
    AdjustEnhancedTextObjectSize(three);
    EXPECT_FLOAT_EQ(PointAt(three, 1)->position[0], 5);
    DeleteObj(text);
    DeleteObj(three);
}

// The stored bounds come from one walk per object, and a group's from its members' stored
// ones; both are what the separate walks give, to the bit: curves in one walk and not the
// other, zeros of either sign met in different orders, a member with children, a generated
// panel the model box leaves out, in a turned view.
TEST_F(BoundsTest, StoredBoundsAreTheWalksToTheBit) {
    geomtest::SetView(30, 45);
    Objex* group = NewObject(objtype::kGroup);
    Objex* members[5];
    members[0] = Bulge();
    members[1] = NewObject(objtype::kPolygon);
    members[1]->closed = 1;
    Add(members[1], 0, 0, 0, {}, Vec3{0, 10, -60});
    Add(members[1], 100, 0, 0, Vec3{0, 0, 60})->kind = 2;
    Add(members[1], 50, 0, 80, Vec3{30, 0, 0}, Vec3{-30, 0, 0});
    members[2] = NewObject(objtype::kPolygon);
    Add(members[2], 0.0f, -0.0f, 0.0f);
    Add(members[2], -0.0f, 0.0f, -0.0f);
    members[3] = Straight();
    Objex* inner = Bulge();
    AppendChildToObject(inner, members[3]);
    members[4] = NewObject(objtype::kSlopeArrow);
    Add(members[4], -300, 40, 0);
    for (Objex* m : members) {
        UpdateObjectBounds(inner);
        UpdateObjectBounds(m);
        const FloatRect plan = Plan(m);
        const Float3DRect model = Model(m);
        EXPECT_EQ(0, std::memcmp(&m->bounds, &plan, sizeof plan)) << m->type;
        EXPECT_EQ(0, std::memcmp(&m->bounds3D, &model, sizeof model)) << m->type;
        AppendChildToObject(m, group);
    }
    UpdateGroupBoundsFromMembers(group);
    const FloatRect plan = Plan(group);
    const Float3DRect model = Model(group);
    EXPECT_EQ(0, std::memcmp(&group->bounds, &plan, sizeof plan));
    EXPECT_EQ(0, std::memcmp(&group->bounds3D, &model, sizeof model));
    EXPECT_LT(group->bounds.floatLeft, -100.0f);    // the panel counts in plan
    EXPECT_GT(group->bounds3D.floatLeft, -1.0f);    // not in the model
    DeleteObj(group);
}

TEST_F(BoundsTest, SimpleRotateTurnsPlanPositionsAndTangents) {
    Objex* o = NewObject(objtype::kPolygon);
    Poinz* p = Add(o, 30, 5, 10, Vec3{0, 7, 0}, Vec3{4, 0, 0});
    Add(o, 20, 0, 10);
    TransformRecord rec;
    rec.values[6] = static_cast<float>(M_PI / 2);  // a quarter turn towards -D
    rec.values[7] = 20;
    rec.values[8] = 999;  // V of the centre plays no part
    rec.values[9] = 10;
    SimpleRotateObject(o, &rec);
    EXPECT_NEAR(p->position[0], 20, kEps);
    EXPECT_NEAR(p->position[1], 5, kEps);
    EXPECT_NEAR(p->position[2], 0, kEps);
    EXPECT_NEAR(p->outTangent[0], 0, kEps);
    EXPECT_NEAR(p->outTangent[2], -4, kEps);
    EXPECT_EQ(p->inTangent[1], 7);  // no H or D: not turned
    // Bounds follow, along the now curved segment: D(t) = -24 t^3 + 38 t^2 - 4 t dips to
    // -0.044 at t = 0.1. Nothing else of the object changes.
    ExpectRect(o->bounds, 20, -0.044f, 20, 10);
    EXPECT_EQ(o->faceAxis, 2);
    DeleteObj(o);
}

}  // namespace

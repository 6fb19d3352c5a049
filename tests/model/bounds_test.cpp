// Bounds of every family, planar polygons and texture mapping.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "model/bounds.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/planar_polygons.h"
#include "model/simple_rotate.h"
#include "model/texture_mapping.h"
#include "model/transforms.h"
#include "model/plan_objects.h"
#include "support/build.h"
#include "support/fixture.h"

using namespace dvxtest;

// Object and layer bounds: points, sampled curves, pen widths, layers, printing, roofs, walls,
// stored boxes; the stored-bounds updates, the minimum text box and the plain object turn.
namespace bounds {

constexpr float kEps = 1e-3f;

void ExpectRect(const FloatRect& r, float left, float top, float right, float bottom) {
    EXPECT_TRUE(Near({r.floatLeft, r.floatTop, r.floatRight}, {left, top, right}, kEps));
    EXPECT_NEAR(r.floatBottom, bottom, kEps);
}

void ExpectBox(const Float3DRect& r, float left, float right, float top, float bottom, float back,
               float front) {
    EXPECT_TRUE(Near({r.floatLeft, r.floatRight, r.floatTop}, {left, right, top}, kEps));
    EXPECT_TRUE(Near({r.floatBottom, r.floatBack, r.floatFront}, {bottom, back, front}, kEps));
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
        SetPlanView();
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
        Objex* o = layer ? Make(objtype::kPolygon).on(layer) : Make(objtype::kPolygon);
        Make(o).at({{10, 0, 20}, {50, 0, -5}});
        return o;
    }
    // From (0, 0, 0) to (100, 0, 0) bulging to D = -60 t (1 - t): -15 at t = 0.5.
    Objex* Bulge() {
        Objex* o = Make(objtype::kPolygon).at({{0, 0, 0, {}, V3{0, 0, -60}}, {100, 0, 0, V3{0, 0, 60}}});
        return o;
    }
    void TearDown() override {
        gPrinting = 0;
        DocumentTest::TearDown();
    }
};

TEST_F(BoundsTest, EmptyObjectsAndStraightSegments) {
    Objex* none = Make(objtype::kPolygon);
    EXPECT_TRUE(IsEmptyBounds(Plan(none)));
    EXPECT_TRUE(IsEmptyBounds(Model(none)));

    // A straight segment adds only its two ends.
    Objex* o = Straight();
    ExpectRect(Plan(o), 10, -5, 50, 20);
    ExpectBox(Model(o), 10, 50, 0, 0, -5, 20);

    // Boxes only grow: a second object widens the first one's box.
    FloatRect r = Plan(o);
    Objex* far = Make(objtype::kLine).at({{-30, 0, 7}});
    GetObjectBounds(far, 0, &r, 0, 0);
    ExpectRect(r, -30, -5, 50, 20);
    for (Objex* o : {none, o, far}) DeleteObj(o);
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

    // Two dimensional bounds follow the view.
    Objex* dot = Make(objtype::kPolygon).at({{10, 50, 20}});
    ExpectRect(Plan(dot), 10, 20, 10, 20);
    SetView(0, 0);  // looking along D: H across, V down the box
    ExpectRect(Plan(dot), 10, 50, 10, 50);
    // Perspective at distance 100 from above: depth -50 divides by 1 + 50/100.
    SetView(90, 0, 1, 100);
    ExpectRect(Plan(dot), 10 / 1.5f, 20 / 1.5f, 10 / 1.5f, 20 / 1.5f);
    // 3D bounds never depend on the view.
    ExpectBox(Model(dot), 10, 10, 50, 50, 20, 20);
    DeleteObj(dot);
}

TEST_F(BoundsTest, ClosingSegmentCountsOnlyWhenClosed) {
    // A to B straight; the closing segment B to A bulges to D = 60 t (1 - t): 15 at t = 0.5.
    Objex* o = Make(objtype::kPolygon);
    Poinz* a = Point(o, {0, 0, 0, V3{0, 0, -60}});
    Poinz* b = Point(o, {100, 0, 0, {}, V3{0, 0, 60}});
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

TEST_F(BoundsTest, HiddenLayersAndPlansWhilePrinting) {
    Layer* first = floor(0);
    Layer* second = floor(1);
    ASSERT_NE(second, nullptr);
    first->visible = second->visible = 1;
    Objex* near = Straight(first);
    Objex* far = Make(objtype::kPolygon).on(second).at({{1000, 10, 1000}});
    UpdateObjectBounds(near);
    UpdateObjectBounds(far);

    auto plan = [&](auto get) {
        FloatRect r = EmptyFloatRect();
        get(doc->itsLayers, 0, &r, 0, 0);
        return r;
    };
    auto model = [&](auto get) {
        Float3DRect b = EmptyFloat3DRect();
        get(doc->itsLayers, 0, &b, 0);
        return b;
    };
    second->visible = 0;
    ExpectRect(plan(GetAllLayersBounds), 10, -5, 50, 20);
    ExpectRect(plan(GetAllLayersObjBounds), 10, -5, 50, 20);
    ExpectBox(model(GetAllLayers3DBounds), 10, 50, 0, 0, -5, 20);
    ExpectBox(model(GetAllLayersObj3DBounds), 10, 50, 0, 0, -5, 20);
    ExpectBox(model(GetAllSpecialLayers3DBounds), 10, 50, 0, 0, -5, 20);
    second->visible = 1;
    ExpectRect(plan(GetAllLayersBounds), 10, -5, 1000, 1000);

    // Printing keeps only objects on a visible plan: roofing (bit 4) shows, detail (bit 8) not.
    near->planBits = 1 << 4;
    far->planBits = 1 << 8;
    ds()->visiblePlans = 1 << 4;
    gPrinting = 1;
    ExpectRect(plan(GetAllLayersBounds), 10, -5, 50, 20);
    gPrinting = 0;
}

TEST_F(BoundsTest, RoofsIgnoreAttachmentsInPlanAndUsePanelsIn3D) {
    Objex* roof = Make(objtype::kRoof);
    roof->closed = 1;
    Make(roof).at({{0, 0, 0}, {100, 0, 0}, {100, 0, 100}, {0, 0, 100}});
    Make(objtype::kSkylight).at({{500, 30, 500}}).in(roof);
    // The panel overhangs the outline and rises to the ridge.
    Objex* panel = Make(objtype::kRoofPanel).at({{-10, 0, -10}, {110, 0, -10}, {50, 120, 50}});
    Make(roof).panels(panel);

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
    Objex* freehand = Make(objtype::kFreehandRoof).at({{0, 0, 0}});
    Make(objtype::kSlopeArrow).at({{900, 0, 900}}).in(freehand);
    ExpectBox(Model(freehand), 0, 0, 0, 0, 0, 0);
    for (Objex* o : {roof, freehand}) DeleteObj(o);
}

TEST_F(BoundsTest, WallsAreMeasuredThroughTheirSolid) {
    Objex* wall = Make(objtype::kWall);
    wall->penWidth = 6;
    Make(wall).at({{0, 0, 0}, {100, 0, 0}});
    EXPECT_TRUE(IsEmptyBounds(Plan(wall)));  // no solid yet
    EXPECT_TRUE(IsEmptyBounds(Model(wall)));

    // Two rows: the footprint at V 0 and again at the top, V 96.
    Objex* solid = Make(objtype::kClosedSolid, objsubtype::kWallSolid);
    solid->closed = 1;
    solid->rows = 2;
    for (float v : {0.0f, 96.0f}) {
        Make(solid).at({{0, v, -3}, {100, v, -3}, {100, v, 3}, {0, v, 3}});
    }
    solid->sourceObject = wall;
    Make(wall).solid(solid);
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
    Objex* outer = Make(objtype::kGroup);
    Objex* middle = Make(objtype::kGroup);
    Objex* inner = Make(objtype::kGroup);
    Objex* shape = Make(objtype::kPolygon).at({{1, 2, 3}, {4, 5, 6}});
    Make(middle).in(outer);
    Make(inner).in(middle);
    Make(shape).in(inner);
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
    Objex* leader = Make(objtype::kLeaderDimension);
    r = EmptyFloatRect();
    GetObjectObjBounds(leader, 0, &r, 0, 0);
    EXPECT_EQ(gDimensionSelected, 0);
    Make(objtype::kAngleDimension).at({{0, 0, 0}}).in(inner);
    GetObjectObjBounds(outer, 1, &r, 0, 0);
    EXPECT_EQ(gDimensionSelected, 0);  // not selected, not measured
    GetObjectObjBounds(outer, 0, &r, 0, 0);
    EXPECT_EQ(gDimensionSelected, 1);
    for (Objex* o : {outer, leader}) DeleteObj(o);
}

TEST_F(BoundsTest, RootBoundsAndMinimumTextBox) {
    Objex* group = Make(objtype::kGroup);
    Objex* chosen = Make(objtype::kPolygon);
    Point(chosen, {0, 0, 0})->selected = 1;
    Point(chosen, {10, 5, 10})->selected = 1;
    Objex* other = Make(objtype::kPolygon).at({{100, 0, 100}, {200, 7, 200}});
    Make(chosen).in(group);
    Make(other).in(group);
    UpdateObjectRootBounds(group, 1, 0);
    ExpectRect(group->bounds, 0, 0, 10, 10);             // selected points only
    ExpectBox(group->bounds3D, 0, 200, 0, 7, 0, 200);    // every point
    DeleteObj(group);

    // Too small: grows to 100 x 40 from the top left corner (10, 20).
    Objex* text = Make(objtype::kEnhancedText);
    text->params[1] = 100;
    text->params[2] = 40;
    Make(text).at({{60, 0, 50}, {10, 0, 50}, {10, 0, 20}, {60, 0, 20}});
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
    EXPECT_TRUE(Near({PointAt(text, 1)->position[0], PointAt(text, 2)->position[2]}, {110, 60}, kUlps));
    text->params[1] = 500;
    text->params[2] = 0.5f;
    AdjustEnhancedTextObjectSize(text);
    EXPECT_FLOAT_EQ(PointAt(text, 1)->position[0], 110);
    Objex* three = Make(objtype::kEnhancedText);
    three->params[1] = three->params[2] = 100;
    Make(three).at({{0, 0, 0}, {5, 0, 0}, {5, 0, 5}});
    AdjustEnhancedTextObjectSize(three);
    EXPECT_FLOAT_EQ(PointAt(three, 1)->position[0], 5);
    for (Objex* o : {text, three}) DeleteObj(o);
}

// The stored bounds come from one walk per object, and a group's from its members' stored
// ones; both are what the separate walks give, to the bit: curves in one walk and not the
// other, zeros of either sign met in different orders, a member with children, a generated
// panel the model box leaves out, in a turned view.
TEST_F(BoundsTest, StoredBoundsAreTheWalksToTheBit) {
    SetView(30, 45);
    Objex* group = Make(objtype::kGroup);
    Objex* members[5];
    members[0] = Bulge();
    members[1] = Make(objtype::kPolygon).closed().at({{0, 0, 0, {}, V3{0, 10, -60}}, {100, 0, 0, V3{0, 0, 60}}});
    PointAt(members[1], 1)->kind = 2;
    Make(members[1]).at({{50, 0, 80, V3{30, 0, 0}, V3{-30, 0, 0}}});
    members[2] = Make(objtype::kPolygon).at({{0.0f, -0.0f, 0.0f}, {-0.0f, 0.0f, -0.0f}});
    members[3] = Straight();
    Objex* inner = Make(Bulge()).in(members[3]);
    members[4] = Make(objtype::kSlopeArrow).at({{-300, 40, 0}});
    for (Objex* m : members) {
        UpdateObjectBounds(inner);
        UpdateObjectBounds(m);
        const FloatRect plan = Plan(m);
        const Float3DRect model = Model(m);
        EXPECT_EQ(0, std::memcmp(&m->bounds, &plan, sizeof plan)) << m->type;
        EXPECT_EQ(0, std::memcmp(&m->bounds3D, &model, sizeof model)) << m->type;
        Make(m).in(group);
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
    Objex* o = Make(objtype::kPolygon);
    Poinz* p = Point(o, {30, 5, 10, V3{0, 7, 0}, V3{4, 0, 0}});
    Point(o, {20, 0, 10});
    TransformRecord rec;
    rec.values[6] = static_cast<float>(M_PI / 2);  // a quarter turn towards -D
    rec.values[7] = 20;
    rec.values[8] = 999;  // V of the centre plays no part
    rec.values[9] = 10;
    SimpleRotateObject(o, &rec);
    EXPECT_TRUE(Near({p->position[0], p->position[1], p->position[2]}, {20, 5, 0}, kEps));
    EXPECT_TRUE(Near({p->outTangent[0], p->outTangent[2]}, {0, -4}, kEps));
    EXPECT_EQ(p->inTangent[1], 7);  // no H or D: not turned
    // Bounds follow, along the now curved segment: D(t) = -24 t^3 + 38 t^2 - 4 t dips to
    // -0.044 at t = 0.1. Nothing else of the object changes.
    ExpectRect(o->bounds, 20, -0.044f, 20, 10);
    EXPECT_EQ(o->faceAxis, 2);
    DeleteObj(o);
}

}  // namespace bounds

// Planar polygons: straight and curved outlines walked forwards and backwards, texture
// coordinates of samples, real-time drawing and the small append operations.
namespace polygons {

class PlanarPolygonsTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        SetPlanView();
        doc->itsDocState->curveSegments = 10;
    }
    // A circle of radius 100 about the origin from four Hermite quarter arcs, counter-clockwise
    // on the plan; every tangent 4 r tan(pi / 8) long.
    Objex* Circle() {
        Objex* o = Make(objtype::kPolygon);
        o->closed = 1;
        const float k = 400.0f * std::tan(static_cast<float>(M_PI) / 8.0f);
        for (int i = 0; i < 4; ++i) {
            const float a = static_cast<float>(i * M_PI / 2);
            const V3 t{-k * std::sin(a), 0, -k * std::cos(a)};
            Point(o, {100 * std::cos(a), 0, -100 * std::sin(a), t, t});
        }
        return o;
    }
};

TEST_F(PlanarPolygonsTest, StraightOutlinesKeepPointsAndTheirTextureCoordinates) {
    Objex* o = Make(objtype::kPolygon);
    const float pos[3][3] = {{0, 1, 0}, {40, 2, 0}, {0, 3, 30}};
    for (int i = 0; i < 3; ++i) {
        Poinz* p = Point(o, {pos[i][0], pos[i][1], pos[i][2]});
        p->textureU = 0.1f * static_cast<float>(i + 1);
        p->textureV = 0.5f + 0.1f * static_cast<float>(i);
    }
    PlanarPolygon forward = PlanarPolygon::FromOutline(o->firstPoint, o->pointCount);
    ASSERT_EQ(forward.size(), 3);
    EXPECT_EQ(forward.byteLength(), 3 * static_cast<int32_t>(sizeof(PolygonVertex)));
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(Near({forward[i].H, forward[i].V, forward[i].D}, {pos[i][0], pos[i][1], pos[i][2]}));
        EXPECT_TRUE(Near({forward[i].flag, forward[i].u}, {0, 0.1f * static_cast<float>(i + 1)}, kUlps));
        EXPECT_FLOAT_EQ(forward[i].v, 0.5f + 0.1f * static_cast<float>(i));
    }

    // Backwards: the same vertices from the last point on.
    Point(o, {-5, 4, 12});
    int32_t count = o->pointCount;
    PolygonVertex* reversed = CreatePlanarPolygonReverseOrder(o->firstPoint, &count);
    ASSERT_NE(reversed, nullptr);
    ASSERT_EQ(count, 4);
    const float h[4] = {-5, 0, 40, 0};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(reversed[i].H, h[i]) << i;
    DeletePlanarPolygon(reversed);

    // Fewer than three points, or nothing to walk: null and no vertices.
    count = 2;
    EXPECT_EQ(CreatePlanarPolygon(o->firstPoint, &count), nullptr);
    EXPECT_EQ(count, 0);
    count = 2;
    EXPECT_EQ(CreatePlanarPolygonReverseOrder(o->firstPoint, &count), nullptr);
    count = 5;
    EXPECT_EQ(CreatePlanarPolygon(nullptr, &count), nullptr);
    DeleteObj(o);
}

TEST_F(PlanarPolygonsTest, CurvedSegmentsAreSampledWithoutTheirEndPoint) {
    Objex* o = Circle();
    // Face rectangle of the circle's plan box: u = (H + 100) / 200, v = (D + 100) / 200.
    o->faceAxis = 2;
    o->textureFaceRect2 = FloatRect{-100, -100, 100, 100};
    PlanarPolygon poly = PlanarPolygon::FromOutline(o->firstPoint, o->pointCount);
    ASSERT_EQ(poly.size(), 40);  // t = 0, 0.1, ..., 0.9 on each of four segments
    for (const PolygonVertex& v : poly) {
        EXPECT_NEAR(std::hypot(v.H, v.D), 100.0f, 0.1f);
        EXPECT_TRUE(Near({v.u, v.v}, {(v.H + 100) / 200, (v.D + 100) / 200}, 1e-5f));
    }
    EXPECT_NEAR(poly[0].H, 100, 1e-4f);
    EXPECT_NEAR(poly[10].D, -100, 1e-4f);  // the second point starts the second segment
    EXPECT_NEAR(poly[5].H, 100 * std::cos(M_PI / 4), 0.1f);

    // A zero-sized face rectangle divides by 1; another axis keeps the previous sample's
    // coordinates, 0 to begin with.
    o->textureFaceRect2 = FloatRect{};
    poly = PlanarPolygon::FromOutline(o->firstPoint, o->pointCount);
    EXPECT_NEAR(poly[5].u, 100 * std::cos(M_PI / 4), 0.1f);
    o->faceAxis = 0;
    poly = PlanarPolygon::FromOutline(o->firstPoint, o->pointCount);
    EXPECT_EQ(poly[5].u, 0.0f);

    // While the plan draws in real time every segment is straight: one vertex a point.
    gRealTimeDraw = 1;
    EXPECT_EQ(PlanarPolygon::FromOutline(o->firstPoint, o->pointCount).size(), 4);
    gRealTimeDraw = 0;
    DeleteObj(o);
}

TEST_F(PlanarPolygonsTest, ReversedCurvedOutlineTracesTheSameCurve) {
    // Uneven tangents, so that a reversed segment built from the wrong tangents would differ.
    Objex* o = Make(objtype::kPolygon);
    o->closed = 1;
    Make(o).at({{0, 0, 0, V3{-30, 5, 10}, V3{20, 0, -50}}, {100, 10, 0, V3{60, -4, 40}, V3{0, 0, 0}},
                    {40, 20, 80, V3{-10, 0, 70}, V3{-80, 8, -15}}});
    PlanarPolygon forward = PlanarPolygon::FromOutline(o->firstPoint, o->pointCount);
    PlanarPolygon backward = PlanarPolygon::FromOutlineReversed(o->firstPoint, o->pointCount);
    ASSERT_EQ(forward.size(), 30);
    ASSERT_EQ(backward.size(), 30);
    // Forward vertex 10 k + j is segment k at t = j / 10. The backward walk takes segment 1,
    // then 0, then the closing segment 2, each from t = 1 down to 0.1: segment k starts at
    // vertex 10 ((4 - k) mod 3) and holds t = j / 10 at offset 10 - j (t = 0 is the end of
    // the previous segment: offset 10 wraps onto it).
    for (int i = 0; i < 30; ++i) {
        const int k = i / 10, j = i % 10;
        const PolygonVertex& f = forward[i];
        const PolygonVertex& b = backward[(10 * ((4 - k) % 3) + 10 - j) % 30];
        EXPECT_NEAR(f.H, b.H, 1e-3f) << i;
        EXPECT_NEAR(f.V, b.V, 1e-3f) << i;
        EXPECT_NEAR(f.D, b.D, 1e-3f) << i;
    }
    EXPECT_EQ(backward[0].H, 40.0f);  // starts at the last point
    DeleteObj(o);
}

TEST_F(PlanarPolygonsTest, AppendOperationsGrowTheByteCount) {
    Objex* o = Make(objtype::kPolygon);
    Poinz* a = Point(o, {0, 0, 0, {}, V3{0, 0, -60}});
    Poinz* b = Point(o, {100, 0, 0, V3{0, 0, 60}});
    PolygonVertex* array = nullptr;
    int32_t bytes = 0;
    int32_t added = -1;
    AppendObjectSegment(&array, a, b, &bytes, &added);
    EXPECT_TRUE(Near({added, bytes}, {10, 10 * static_cast<int32_t>(sizeof(PolygonVertex))}));
    EXPECT_NEAR(array[5].D, -15, 1e-4f);  // D = -60 t (1 - t) at t = 0.5

    EXPECT_TRUE(Near({StorePolyPoint(&array, 1, 2, 3, &bytes, 7, 0.25f, 0.75f), array[10].flag}, {1, 7}));
    EXPECT_EQ(array[10].v, 0.75f);
    // StorePoint gives no texture coordinates; projecting takes the point into the view.
    EXPECT_TRUE(Near({StorePoint(&array, 10, 50, 20, &bytes, 0, 3), array[11].u}, {1, 0.0f}));
    EXPECT_TRUE(Near({array[11].v, array[11].V}, {0.0f, 50.0f}));
    SetView(0, 0);
    EXPECT_EQ(StorePoint(&array, 10, 50, 20, &bytes, 1, 0), 1);
    EXPECT_TRUE(Near({array[12].H, array[12].V, array[12].D}, {10, 50, 20}, 1e-4f));
    EXPECT_EQ(bytes, 13 * static_cast<int32_t>(sizeof(PolygonVertex)));
    DeletePlanarPolygon(array);

    // A byte count that cannot grow is refused and the array released.
    array = nullptr;
    bytes = 0x7FFFFFF0;
    EXPECT_EQ(StorePolyPoint(&array, 0, 0, 0, &bytes, 0, 0, 0), 0);
    EXPECT_EQ(array, nullptr);
    DeleteObj(o);
}

}  // namespace polygons

// Texture face mapping (axis choice, face rectangle, u and v, turned roof faces) and the row
// lengths and perimeters of multi-row objects, with the curved segment length.
namespace mapping {

constexpr float kEps = 1e-4f;

class TextureMappingTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        SetPlanView();
        doc->itsDocState->curveSegments = 10;
        doc->itsDocState->viewOrigin = Float3DPoint{0, 0, 0};
    }
    Objex* Shape(int16_t type, std::initializer_list<V3> points) {
        Objex* o = Make(type);
        for (const V3& p : points) Point(o, {p.h, p.v, p.d});
        return o;
    }
    void ExpectUV(Objex* o, std::initializer_list<std::pair<float, float>> uv) {
        int i = 0;
        for (const auto& [u, v] : uv) {
            EXPECT_NEAR(PointAt(o, i)->textureU, u, kEps) << "point " << i;
            EXPECT_NEAR(PointAt(o, i)->textureV, v, kEps) << "point " << i;
            ++i;
        }
    }
    // A closed rectangle of the given width along H and depth along D at height v.
    static void AddRectangleRow(Objex* o, float width, float depth, float v) {
        Make(o).at({{0, v, 0}, {width, v, 0}, {width, v, depth}, {0, v, depth}});
    }
};

TEST_F(TextureMappingTest, FaceAxisFollowsTheFlattestExtent) {
    // A floor (all V equal) faces up: u along H, v along D across its plan box.
    Objex* floor = Shape(objtype::kFloor, {{0, 0, 0}, {200, 0, 0}, {200, 0, 100}, {0, 0, 100}});
    SetTextureFaceUV(floor);
    EXPECT_TRUE(Near({floor->faceAxis, floor->textureFaceRect.floatLeft}, {2, 0}));
    EXPECT_TRUE(Near({floor->textureFaceRect.floatRight, floor->textureFaceRect.floatTop}, {200, 0}));
    EXPECT_EQ(floor->textureFaceRect.floatBottom, 100);
    EXPECT_EQ(std::memcmp(&floor->textureFaceRect, &floor->textureFaceRect2, sizeof(FloatRect)), 0);
    ExpectUV(floor, {{0, 0}, {1, 0}, {1, 1}, {0, 1}});

    // Upright in H-V (all D equal): axis 1, u along H, v along V.
    Objex* front = Shape(objtype::kPolygon, {{0, 0, 5}, {100, 0, 5}, {100, 50, 5}, {50, 25, 5}});
    SetTextureFaceUV(front);
    EXPECT_TRUE(Near({front->faceAxis, front->textureFaceRect.floatBottom}, {1, 50}));
    ExpectUV(front, {{0, 0}, {1, 0}, {1, 1}, {0.5f, 0.5f}});

    // Upright in D-V (all H equal): axis 3, u along D, v along V.
    Objex* side = Shape(objtype::kPolygon, {{7, 0, 0}, {7, 0, 100}, {7, 50, 100}, {7, 50, 0}});
    SetTextureFaceUV(side);
    EXPECT_TRUE(Near({side->faceAxis, side->textureFaceRect.floatLeft}, {3, 0}));
    EXPECT_EQ(side->textureFaceRect.floatRight, 100);
    ExpectUV(side, {{0, 0}, {1, 0}, {1, 1}, {0, 1}});

    // Equal extents in H and D with some height: axis 1.
    Objex* box = Shape(objtype::kPolygon, {{0, 0, 0}, {100, 50, 0}, {100, 0, 100}, {0, 50, 100}});
    SetTextureFaceUV(box);
    EXPECT_EQ(box->faceAxis, 1);

    // Types 35 and 39 choose between D and H only.
    Objex* piece = Shape(objtype::kRoofPiece35, {{0, 0, 0}, {10, 0, 40}, {10, 1, 40}});
    SetTextureFaceUV(piece);
    EXPECT_EQ(piece->faceAxis, 3);

    // No width: the extent counts as 1, so every u is 0; v still spreads over the height.
    Objex* post = Shape(objtype::kPolygon, {{5, 0, 9}, {5, 10, 9}, {5, 20, 9}});
    SetTextureFaceUV(post);
    EXPECT_EQ(post->faceAxis, 1);
    ExpectUV(post, {{0, 0}, {0, 0.5f}, {0, 1}});

    for (Objex* o : {floor, front, side, box, piece, post}) DeleteObj(o);
}

TEST_F(TextureMappingTest, OnlyTheFirstRowSetsTheFaceAndValuesAreClamped) {
    // Row 2 lies outside row 1's box: its coordinates clamp to 0..1.
    Objex* o = Make(objtype::kPolygon);
    o->rows = 2;
    AddRectangleRow(o, 100, 50, 0);
    Make(o).at({{-50, 0, -10}, {150, 0, -10}, {150, 0, 80}, {25, 0, 25}});
    SetTextureFaceUV(o);
    EXPECT_TRUE(Near({o->faceAxis, o->textureFaceRect.floatRight}, {2, 100}));
    EXPECT_TRUE(Near({PointAt(o, 4)->textureU, PointAt(o, 5)->textureU}, {0, 1}, kEps));
    EXPECT_TRUE(Near({PointAt(o, 6)->textureV, PointAt(o, 7)->textureU}, {1, 0.25f}, kEps));
    EXPECT_NEAR(PointAt(o, 7)->textureV, 0.5f, kEps);

    // No rows: nothing is touched. A count that is not a multiple of rows is one row.
    o->rows = 0;
    o->faceAxis = 9;
    SetTextureFaceUV(o);
    EXPECT_EQ(o->faceAxis, 9);
    o->rows = 3;
    SetTextureFaceUV(o);
    EXPECT_TRUE(Near({o->textureFaceRect.floatLeft, o->textureFaceRect.floatRight}, {-50, 150}));
    DeleteObj(o);
}

TEST_F(TextureMappingTest, TurnedRoofFacesMapAlongTheRidgeAndKeepTheirPoints) {
    // A face rising along +H; its highest point (50, 40, 100) and the next highest (50, 40, 0)
    // make a ridge pointing up the plan (angle pi / 2). Turned back by that angle about the
    // view origin, (h, d) becomes (-d, h): the ridge runs along H from -100 to 0.
    Objex* face = Make(objtype::kRoofPiece41).at({{0, 0, 0, V3{1.1f, 0, 2.2f}, V3{-3.3f, 0.5f, 4.4f}}, {0, 0, 100}});
    Make(face).at({{50, 40, 100}, {50, 40, 0}});
    SetTextureFaceUV(face);
    EXPECT_EQ(face->faceAxis, 1);
    EXPECT_TRUE(Near({face->textureFaceRect.floatLeft, face->textureFaceRect.floatRight}, {-100, 0}, 1e-3f));
    EXPECT_TRUE(Near({face->textureFaceRect.floatTop, face->textureFaceRect.floatBottom}, {0, 40}, 1e-3f));
    ExpectUV(face, {{1, 0}, {0, 0}, {0, 1}, {1, 1}});

    // Awkward values about an awkward centre: every stored point comes back bit for bit.
    Objex* slanted = Make(objtype::kRoofPiece41).at({{13.37f, 1.5f, -7.77f, V3{0.3f, 0, -0.7f}, V3{1.9f, 0.1f, 2.3f}}});
    Make(slanted).at({{101.01f, 3.25f, 17.3f}, {77.7f, 60.6f, 91.9f}, {3.3f, 59.1f, 66.6f}});
    doc->itsDocState->viewOrigin = Float3DPoint{31.1f, 0, -7.3f};
    std::vector<Poinz> before;
    for (Poinz* p = slanted->firstPoint; p; p = p->next) before.push_back(*p);
    const FloatRect bounds = slanted->bounds;
    SetTextureFaceUV(slanted);
    int i = 0;
    for (Poinz* p = slanted->firstPoint; p; p = p->next, ++i) {
        EXPECT_EQ(std::memcmp(p->position, before[i].position, sizeof p->position), 0) << i;
        EXPECT_EQ(std::memcmp(p->inTangent, before[i].inTangent, sizeof p->inTangent), 0) << i;
        EXPECT_EQ(std::memcmp(p->outTangent, before[i].outTangent, sizeof p->outTangent), 0) << i;
        EXPECT_GE(p->textureU, 0.0f);
        EXPECT_LE(p->textureU, 1.0f);
    }
    EXPECT_EQ(std::memcmp(&slanted->bounds, &bounds, sizeof bounds), 0);

    // A freehand slab facing 180 degrees turns by (270 - 180) degrees and maps on axis 2.
    Objex* slab = Shape(objtype::kPanelSlab, {{0, 0, 0}, {10, 0, 0}, {10, 0, 40}});
    slab->params[0] = 180;
    doc->itsDocState->viewOrigin = Float3DPoint{0, 0, 0};
    SetTextureFaceUV(slab);
    EXPECT_EQ(slab->faceAxis, 2);
    // A quarter turn towards -D: (h, d) becomes (d, -h); the box is 40 across and 10 down.
    EXPECT_NEAR(slab->textureFaceRect.floatRight - slab->textureFaceRect.floatLeft, 40, 1e-3f);
    EXPECT_NEAR(slab->textureFaceRect.floatBottom - slab->textureFaceRect.floatTop, 10, 1e-3f);
    EXPECT_EQ(PointAt(slab, 2)->position[2], 40.0f);
    for (Objex* o : {face, slanted, slab}) DeleteObj(o);
}

TEST_F(TextureMappingTest, RowLengthsAndPerimeters) {
    // Two rows of a 100 x 50 rectangle: 0, 100, 150, 250 along the row, perimeter 300.
    Objex* two = Make(objtype::kPolygon);
    two->closed = 1;
    two->rows = 2;
    AddRectangleRow(two, 100, 50, 0);
    AddRectangleRow(two, 100, 50, 96);
    EXPECT_FLOAT_EQ(GetTotalPerimeterLength(two, 0), 300);
    SetObjectPointLengths(two);
    const float along[4] = {0, 100, 150, 250};
    for (int i = 0; i < 8; ++i) {
        EXPECT_FLOAT_EQ(PointAt(two, i)->rowLength, along[i % 4]) << i;
        EXPECT_FLOAT_EQ(PointAt(two, i)->rowPerimeter, 300) << i;
    }
    // Index 4 reaches the row's end: the closing segment counts; past index 5 nothing.
    EXPECT_FLOAT_EQ(GetPointIndexPerimeterLength(two, 4, 0), 300);
    EXPECT_FLOAT_EQ(GetPointIndexPerimeterLength(two, 6, 0), 0);
    two->closed = 0;
    EXPECT_FLOAT_EQ(GetTotalPerimeterLength(two, 0), 250);

    // Three rows: the third row (40 x 20, perimeter 120) is measured along itself.
    Objex* three = Make(objtype::kPolygon);
    three->closed = 1;
    three->rows = 3;
    AddRectangleRow(three, 100, 50, 0);
    AddRectangleRow(three, 70, 70, 10);
    AddRectangleRow(three, 40, 20, 20);
    SetObjectPointLengths(three);
    const float third[4] = {0, 40, 60, 100};
    for (int i = 0; i < 12; ++i) {
        EXPECT_FLOAT_EQ(PointAt(three, i)->rowLength, i < 8 ? along[i % 4] : third[i % 4]) << i;
        EXPECT_FLOAT_EQ(PointAt(three, i)->rowPerimeter, i < 8 ? 300 : 120) << i;
    }
    // With four rows, rows 3 and 4 go back to the first row.
    AddRectangleRow(three, 10, 10, 30);
    three->rows = 4;
    SetObjectPointLengths(three);
    EXPECT_TRUE(Near({PointAt(three, 9)->rowLength, PointAt(three, 15)->rowPerimeter}, {100, 300}, kUlps));

    // One row, or a count that is not a multiple of the rows: left alone.
    Objex* one = Make(objtype::kPolygon);
    AddRectangleRow(one, 10, 10, 0);
    Point(one, {5, 0, 5});
    SetObjectPointLengths(one);
    one->rows = 2;
    SetObjectPointLengths(one);
    EXPECT_TRUE(Near({PointAt(one, 1)->rowLength, GetTotalPerimeterLength(one, 0)}, {1.0f, 0}, kUlps));
    for (Objex* o : {two, three, one}) DeleteObj(o);
}

TEST_F(TextureMappingTest, CurvedSegmentLengths) {
    // A quarter circle of radius 100 as one Hermite segment: ten chords of the arc, 157.0.
    const float k = 400.0f * std::tan(static_cast<float>(M_PI) / 8.0f);
    Objex* arc = Make(objtype::kPolygon);
    Poinz* a = Point(arc, {100, 0, 0, {}, V3{0, 0, -k}});
    Poinz* b = Point(arc, {0, 0, -100, V3{-k, 0, 0}});
    EXPECT_NEAR(GetSplineLength(a, b), 157.08f, 0.5f);
    gCurDocument = nullptr;
    EXPECT_EQ(GetSplineLength(a, b), 0.0f);
    gCurDocument = doc;
    doc->itsDocState->curveSegments = 0;
    EXPECT_EQ(GetSplineLength(a, b), 0.0f);
    doc->itsDocState->curveSegments = 10;

    // Perimeters use the curve only when a's out-tangent or b's in-tangent is set.
    arc->rows = 2;
    Make(arc).at({{100, 50, 0}, {0, 50, -100}});
    EXPECT_NEAR(GetTotalPerimeterLength(arc, 0), 157.08f, 0.5f);
    std::memset(a->outTangent, 0, sizeof a->outTangent);
    std::memset(b->inTangent, 0, sizeof b->inTangent);
    a->inTangent[0] = 500;   // the other two tangents play no part
    b->outTangent[2] = -500;
    EXPECT_NEAR(GetTotalPerimeterLength(arc, 0), 100 * std::sqrt(2.0f), kEps);
    DeleteObj(arc);
}

}  // namespace mapping

// Moving, scaling, rotating and shearing selected points by the view; the angle fields that
// follow a rotation; roofs carrying their skylights and symbols.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_transforms.h"
#include "model/transforms.h"
#include "support/build.h"
#include "support/seam_recorders.h"

namespace dvxtest {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr float kTol = 1e-3f;

float Radians(float degrees) { return degrees * kPi / 180.0f; }

TransformRecord Move(float h, float v, float d) {
    TransformRecord r;
    r.values[0] = h;
    r.values[1] = v;
    r.values[2] = d;
    r.values[3] = r.values[4] = r.values[5] = 1.0f;
    return r;
}

TransformRecord Turn(float degrees, float centreH, float centreV, float centreD) {
    TransformRecord r;
    r.values[6] = Radians(degrees);
    r.values[7] = centreH;
    r.values[8] = centreV;
    r.values[9] = centreD;
    return r;
}

void ExpectAt(const Poinz* p, float h, float v, float d) {
    EXPECT_NEAR(p->position[0], h, kTol);
    EXPECT_NEAR(p->position[1], v, kTol);
    EXPECT_NEAR(p->position[2], d, kTol);
}

// A roof of four selected-or-not points with one child of the type carrying a roof
// attachment record, and (for skylights) one symbol in the record's parts list.
struct RoofWithAttachment {
    Objex* roof = nullptr;
    Objex* child = nullptr;
    Objex* symbol = nullptr;
};

Objex* Attach(Objex* roof, int16_t type, PlanPoints points, bool withSymbol) {
    Objex* child = Shape(roof, type, points, true);
    auto* record = new RoofAttachmentRecord{};
    record->ownerType = type;
    record->angle = 90.0f;
    record->attachment = child;
    Make(child).with(record);
    if (withSymbol) {
        Objex* symbol = Make(objtype::kSkylightPart);
        for (const auto& [h, d] : points) Point(symbol, {h, 0, d});
        record->customParts = symbol;
    }
    return child;
}

int CountPoints(const Objex* o) {
    int n = 0;
    for (const Poinz* p = o->firstPoint; p; p = p->next) ++n;
    return n;
}

class ObjectTransforms : public SelectionTest {
protected:
    DocState* ds() { return CurrentDocState(); }
};

TEST_F(ObjectTransforms, MoveWorksInTheViewsTwoAxesOnSelectedUnlockedPoints) {
    Objex* o = Shape(floor, objtype::kPolygon, {{10, 20}, {50, 20}});
    PointAt(o, 0)->position[1] = 5;
    PointAt(o, 0)->selected = 1;
    const TransformRecord r = Move(3, 4, 7);

    ds()->viewKind = 2;
    TranslateObject(o, &r);
    ExpectAt(PointAt(o, 0), 13, 5, 27);
    ExpectAt(PointAt(o, 1), 50, 0, 20);  // not selected
    EXPECT_EQ(o->needsRebuild, 1);
    EXPECT_NEAR(o->bounds3D.floatLeft, 13, kTol);
    EXPECT_NEAR(o->bounds3D.floatFront, 27, kTol);

    ds()->viewKind = 3;  // side: D and V
    TranslateObject(o, &r);
    ExpectAt(PointAt(o, 0), 13, 9, 34);

    ds()->viewKind = 1;  // front: H and V
    TranslateObject(o, &r);
    ExpectAt(PointAt(o, 0), 16, 13, 34);

    ds()->viewKind = 5;  // no such view: nothing
    TranslateObject(o, &r);
    ExpectAt(PointAt(o, 0), 16, 13, 34);
}

TEST_F(ObjectTransforms, LockedSelectedPointNeverMoves) {
    Objex* o = Shape(floor, objtype::kPolygon, {{10, 20}, {30, 40}});
    Make(o).select();
    PointAt(o, 0)->locked = 1;

    TransformRecord all = Move(5, 0, 5);
    all.values[3] = 2.0f;
    all.values[5] = 2.0f;
    all.values[6] = Radians(90);
    all.values[10] = 0;
    all.values[12] = 10;
    all.values[13] = 5;
    all.values[15] = 10;
    TranslateObject(o, &all);
    ScaleObject(o, &all);
    RotateObject(o, &all);
    ShearObject(o, &all);
    ExpectAt(PointAt(o, 0), 10, 0, 20);
    EXPECT_GT(std::abs(PointAt(o, 1)->position[0] - 30) + std::abs(PointAt(o, 1)->position[2] - 40), 1.0f);
}

TEST_F(ObjectTransforms, ScaleRotateAndShearByHand) {
    Objex* o = Shape(floor, objtype::kPolygon, {{10, 4}, {20, 4}});
    Make(o).select();
    PointAt(o, 1)->outTangent[0] = 1;
    PointAt(o, 1)->outTangent[2] = 2;

    // Origin H equals the first point's H: that axis stays put.
    TransformRecord scale;
    scale.values[3] = 2;
    scale.values[4] = 1;
    scale.values[5] = 3;
    scale.values[7] = 10;
    ScaleObject(o, &scale);
    ExpectAt(PointAt(o, 0), 10, 0, 12);
    ExpectAt(PointAt(o, 1), 30, 0, 12);
    EXPECT_FLOAT_EQ(PointAt(o, 1)->outTangent[0], 2);
    EXPECT_FLOAT_EQ(PointAt(o, 1)->outTangent[2], 6);

    // A quarter turn counter-clockwise on screen about (10, 12): +H goes to -D.
    const TransformRecord turn = Turn(90, 10, 0, 12);
    RotateObject(o, &turn);
    ExpectAt(PointAt(o, 0), 10, 0, 12);
    ExpectAt(PointAt(o, 1), 10, 0, -8);
    EXPECT_NEAR(PointAt(o, 1)->outTangent[0], 6, kTol);
    EXPECT_NEAR(PointAt(o, 1)->outTangent[2], -2, kTol);

    // Shear of H by D: (H 0, D 10) -> (H 5, D 10) about the origin adds D / 2 to H.
    Objex* s = Shape(floor, objtype::kPolygon, {{4, 20}, {0, 0}});
    Make(s).select();
    TransformRecord shear;
    shear.values[12] = 10;
    shear.values[13] = 5;
    shear.values[15] = 10;
    ShearObject(s, &shear);
    ExpectAt(PointAt(s, 0), 14, 0, 20);
    ExpectAt(PointAt(s, 1), 0, 0, 0);
}

TEST_F(ObjectTransforms, RotationCarriesTheAngleFields) {
    // Imported object: 350 + 350 wraps once to 340.
    Objex* fnx = Shape(floor, objtype::kFentrix, {{0, 0}, {10, 0}});
    Make(fnx).select();
    const TransformRecord r350 = Turn(350, 0, 0, 0);
    RotateObject(fnx, &r350);
    EXPECT_NEAR(fnx->params[4], 350, kTol);
    RotateObject(fnx, &r350);
    EXPECT_NEAR(fnx->params[4], 340, kTol);
    const TransformRecord back = Turn(-350, 0, 0, 0);
    RotateObject(fnx, &back);
    EXPECT_NEAR(fnx->params[4], 350, kTol);  // 340 - 350 = -10, one turn up
    EXPECT_TRUE(IsObjectFNXObject(fnx));

    // Inside a cabinet group it is not an imported object of its own.
    Objex* cabinetPart = Shape(floor, objtype::kFentrix, {{0, 0}});
    Objex* cabinet = Group(floor, {cabinetPart});
    cabinet->subtype = objsubtype::kCabinetGroup;
    EXPECT_FALSE(IsObjectFNXObject(cabinetPart));
    EXPECT_TRUE(IsObjectFNXObject(cabinet));  // first child is type 15
    EXPECT_FALSE(IsObjectFNXObject(nullptr));

    // Freehand roof: only with a selected own point.
    Objex* panel = Shape(floor, objtype::kFreehandRoof, {{0, 0}, {10, 0}, {10, 10}}, true);
    panel->params[0] = 30;
    const TransformRecord r90 = Turn(90, 0, 0, 0);
    RotateObject(panel, &r90);
    EXPECT_FLOAT_EQ(panel->params[0], 30);
    PointAt(panel, 2)->selected = 1;
    RotateObject(panel, &r90);
    EXPECT_NEAR(panel->params[0], 120, kTol);

    // Skylight record angle follows without wrapping.
    Objex* roof = Shape(floor, objtype::kRoof, {{0, 0}, {100, 0}, {100, 100}}, true);
    Objex* sky = Attach(roof, objtype::kSkylight, {{10, 10}, {20, 10}}, false);
    const TransformRecord r45 = Turn(45, 0, 0, 0);
    RotateObject(sky, &r45);
    EXPECT_NEAR(sky->typeData.roofAttachment->angle, 135, kTol);
}

TEST_F(ObjectTransforms, RotateInDegreesTurnsAboutTheMiddleAndAlwaysRebuilds) {
    RebuildRecorder rebuilds;
    Objex* fnx = Shape(floor, objtype::kFentrix, {{0, 0}, {100, 0}, {100, 50}, {0, 50}}, true);
    fnx->bounds3D = Float3DRect{};

    RotateObjectInDegrees(fnx, 0);
    EXPECT_EQ(rebuilds.count("RenderEntireObject", fnx), 1);
    ExpectAt(PointAt(fnx, 0), 0, 0, 0);
    EXPECT_FLOAT_EQ(fnx->bounds3D.floatRight, 100);  // bounds updated
    EXPECT_FLOAT_EQ(fnx->params[4], 0);

    // 90 degrees about (50, 25): (0, 0) is 50 left and 25 up of it, and goes to 25 left,
    // 50 down.
    Make(fnx).select();
    RotateObjectInDegrees(fnx, 90);
    EXPECT_EQ(rebuilds.count("RenderEntireObject", fnx), 2);
    ExpectAt(PointAt(fnx, 0), 25, 0, 75);
    ExpectAt(PointAt(fnx, 2), 75, 0, -25);
    EXPECT_NEAR(fnx->params[4], 90, kTol);
    EXPECT_NEAR(fnx->bounds3D.floatBack, -25, kTol);
}

TEST_F(ObjectTransforms, RoofCarriesItsSkylightsAndSymbols) {
    // Whole roof selected: an unselected skylight, its symbol and a cut-out turn with it and
    // end deselected.
    Objex* roof = Shape(floor, objtype::kRoof, {{0, 0}, {100, 0}, {100, 100}, {0, 100}}, true);
    Objex* sky = Attach(roof, objtype::kSkylight, {{10, 0}, {20, 0}}, true);
    Objex* cut = Attach(roof, objtype::kRoofCutout, {{30, 0}}, false);
    Objex* symbol = sky->typeData.roofAttachment->customParts;
    Make(roof).select();
    const TransformRecord r90 = Turn(90, 0, 0, 0);
    RotateObject(roof, &r90);
    ExpectAt(PointAt(roof, 1), 0, 0, -100);
    ExpectAt(PointAt(sky, 0), 0, 0, -10);
    ExpectAt(PointAt(symbol, 1), 0, 0, -20);
    ExpectAt(PointAt(cut, 0), 0, 0, -30);
    EXPECT_NEAR(sky->typeData.roofAttachment->angle, 180, kTol);
    EXPECT_EQ(SelectedPointCount(sky), 0);
    EXPECT_EQ(SelectedPointCount(symbol), 0);

    // Only some roof points selected: only the selected skylight (and its symbol) turns.
    Objex* roof2 = Shape(floor, objtype::kFreehandRoof, {{0, 0}, {100, 0}, {100, 100}}, true);
    Objex* chosen = Attach(roof2, objtype::kSkylight, {{10, 10}}, true);
    Objex* other = Attach(roof2, objtype::kSkylight, {{50, 50}}, true);
    PointAt(roof2, 1)->selected = 1;
    Make(chosen).select();
    RotateObject(roof2, &r90);
    ExpectAt(PointAt(roof2, 1), 0, 0, -100);
    ExpectAt(PointAt(roof2, 2), 100, 0, 100);
    ExpectAt(PointAt(chosen, 0), 10, 0, -10);
    ExpectAt(PointAt(chosen->typeData.roofAttachment->customParts, 0), 10, 0, -10);
    ExpectAt(PointAt(other, 0), 50, 0, 50);
    ExpectAt(PointAt(other->typeData.roofAttachment->customParts, 0), 50, 0, 50);
    EXPECT_EQ(SelectedPointCount(chosen), 1);  // stays as it was
}

TEST_F(ObjectTransforms, CustomSkylightRebuildsItsBoundsPointsAfterTheTurn) {
    Objex* roof = Shape(floor, objtype::kRoof, {{0, 0}, {100, 0}, {100, 100}}, true);
    Objex* sky = Attach(roof, objtype::kSkylight, {{50, 50}, {60, 50}, {60, 60}}, false);
    sky->typeData.roofAttachment->style = 806;
    Objex* opening = Make(objtype::kOpeningMask);
    for (const auto& [h, d] : {std::pair{10.0f, 0.0f}, {20.0f, 0.0f}, {20.0f, 10.0f}, {10.0f, 10.0f}})
        Point(opening, {h, 0, d});
    sky->typeData.roofAttachment->customParts = opening;
    Objex* plain = Attach(roof, objtype::kSkylight, {{70, 70}}, false);
    plain->typeData.roofAttachment->style = 806;  // no opening shapes: keeps its points

    Make(roof).select();
    const TransformRecord r90 = Turn(90, 0, 0, 0);
    RotateObject(roof, &r90);
    // The opening now spans H 0..10 and D -20..-10; the skylight takes its four corners.
    ASSERT_EQ(CountPoints(sky), 4);
    ExpectAt(PointAt(sky, 0), 0, 0, -20);
    ExpectAt(PointAt(sky, 1), 10, 0, -20);
    ExpectAt(PointAt(sky, 2), 10, 0, -10);
    ExpectAt(PointAt(sky, 3), 0, 0, -10);
    EXPECT_NEAR(sky->bounds3D.floatBack, -20, kTol);
    EXPECT_NEAR(sky->bounds3D.floatRight, 10, kTol);
    ASSERT_EQ(CountPoints(plain), 1);
    ExpectAt(PointAt(plain, 0), 70, 0, -70);
}

}  // namespace
}  // namespace dvxtest

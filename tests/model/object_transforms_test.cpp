// Moving, scaling, turning and flipping objects in the model and on the plan, floor moves and
// sizing of imported objects.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/fentrix_sizing.h"
#include "model/floor_operations.h"
#include "model/lines.h"
#include "model/object_transforms.h"
#include "model/plan_transforms.h"
#include "model/transforms.h"
#include "support/build.h"
#include "support/rebuild_recorder.h"

using namespace dvxtest;

// Moving, scaling, rotating and shearing selected points by the view; the angle fields that
// follow a rotation; roofs carrying their skylights and symbols.
namespace dvxtest::objects {

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
    ExpectNear(PointAt(o, 0), 13, 5, 27);
    ExpectNear(PointAt(o, 1), 50, 0, 20);  // not selected
    EXPECT_EQ(o->needsRebuild, 1);
    EXPECT_TRUE(Near({o->bounds3D.floatLeft, o->bounds3D.floatFront}, {13, 27}, kTol));

    ds()->viewKind = 3;  // side: D and V
    TranslateObject(o, &r);
    ExpectNear(PointAt(o, 0), 13, 9, 34);

    ds()->viewKind = 1;  // front: H and V
    TranslateObject(o, &r);
    ExpectNear(PointAt(o, 0), 16, 13, 34);

    ds()->viewKind = 5;  // no such view: nothing
    TranslateObject(o, &r);
    ExpectNear(PointAt(o, 0), 16, 13, 34);
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
    ExpectNear(PointAt(o, 0), 10, 0, 20);
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
    ExpectNear(PointAt(o, 0), 10, 0, 12);
    ExpectNear(PointAt(o, 1), 30, 0, 12);
    EXPECT_TRUE(Near({PointAt(o, 1)->outTangent[0], PointAt(o, 1)->outTangent[2]}, {2, 6}, kUlps));

    // A quarter turn counter-clockwise on screen about (10, 12): +H goes to -D.
    const TransformRecord turn = Turn(90, 10, 0, 12);
    RotateObject(o, &turn);
    ExpectNear(PointAt(o, 0), 10, 0, 12);
    ExpectNear(PointAt(o, 1), 10, 0, -8);
    EXPECT_TRUE(Near({PointAt(o, 1)->outTangent[0], PointAt(o, 1)->outTangent[2]}, {6, -2}, kTol));

    // Shear of H by D: (H 0, D 10) -> (H 5, D 10) about the origin adds D / 2 to H.
    Objex* s = Shape(floor, objtype::kPolygon, {{4, 20}, {0, 0}});
    Make(s).select();
    TransformRecord shear;
    shear.values[12] = 10;
    shear.values[13] = 5;
    shear.values[15] = 10;
    ShearObject(s, &shear);
    ExpectNear(PointAt(s, 0), 14, 0, 20);
    ExpectNear(PointAt(s, 1), 0, 0, 0);
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
    RebuildRecorder seen;
    Objex* fnx = Shape(floor, objtype::kFentrix, {{0, 0}, {100, 0}, {100, 50}, {0, 50}}, true);
    fnx->bounds3D = Float3DRect{};

    RotateObjectInDegrees(fnx, 0);
    EXPECT_TRUE(seen.Rendered(fnx));
    ExpectNear(PointAt(fnx, 0), 0, 0, 0);
    EXPECT_FLOAT_EQ(fnx->bounds3D.floatRight, 100);  // bounds updated
    EXPECT_FLOAT_EQ(fnx->params[4], 0);

    // 90 degrees about (50, 25): (0, 0) is 50 left and 25 up of it, and goes to 25 left,
    // 50 down.
    Make(fnx).select();
    seen.Clear();
    RotateObjectInDegrees(fnx, 90);
    EXPECT_TRUE(seen.Rendered(fnx));
    ExpectNear(PointAt(fnx, 0), 25, 0, 75);
    ExpectNear(PointAt(fnx, 2), 75, 0, -25);
    EXPECT_TRUE(Near({fnx->params[4], fnx->bounds3D.floatBack}, {90, -25}, kTol));
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
    ExpectNear(PointAt(roof, 1), 0, 0, -100);
    ExpectNear(PointAt(sky, 0), 0, 0, -10);
    ExpectNear(PointAt(symbol, 1), 0, 0, -20);
    ExpectNear(PointAt(cut, 0), 0, 0, -30);
    EXPECT_NEAR(sky->typeData.roofAttachment->angle, 180, kTol);
    EXPECT_TRUE(Near({SelectedPointCount(sky), SelectedPointCount(symbol)}, {0, 0}));

    // Only some roof points selected: only the selected skylight (and its symbol) turns.
    Objex* roof2 = Shape(floor, objtype::kFreehandRoof, {{0, 0}, {100, 0}, {100, 100}}, true);
    Objex* chosen = Attach(roof2, objtype::kSkylight, {{10, 10}}, true);
    Objex* other = Attach(roof2, objtype::kSkylight, {{50, 50}}, true);
    PointAt(roof2, 1)->selected = 1;
    Make(chosen).select();
    RotateObject(roof2, &r90);
    ExpectNear(PointAt(roof2, 1), 0, 0, -100);
    ExpectNear(PointAt(roof2, 2), 100, 0, 100);
    ExpectNear(PointAt(chosen, 0), 10, 0, -10);
    ExpectNear(PointAt(chosen->typeData.roofAttachment->customParts, 0), 10, 0, -10);
    ExpectNear(PointAt(other, 0), 50, 0, 50);
    ExpectNear(PointAt(other->typeData.roofAttachment->customParts, 0), 50, 0, 50);
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
    ExpectNear(PointAt(sky, 0), 0, 0, -20);
    ExpectNear(PointAt(sky, 1), 10, 0, -20);
    ExpectNear(PointAt(sky, 2), 10, 0, -10);
    ExpectNear(PointAt(sky, 3), 0, 0, -10);
    EXPECT_TRUE(Near({sky->bounds3D.floatBack, sky->bounds3D.floatRight}, {-20, 10}, kTol));
    ASSERT_EQ(CountPoints(plain), 1);
    ExpectNear(PointAt(plain, 0), 70, 0, -70);
}

}  // namespace dvxtest::objects

// Whole-plan move, rotation and flip: every point moves, roofs always carry their
// attachments, walls swap sides, stored angles are mirrored.
namespace dvxtest::plan {

constexpr float kTol = 1e-3f;

RGBColor Grey(uint16_t level) { return RGBColor{level, level, level}; }

Objex* SkylightOn(Objex* roof, float h, float d) {
    Objex* sky = Shape(roof, objtype::kSkylight, {{h, d}});
    auto* record = new RoofAttachmentRecord{};
    record->ownerType = objtype::kSkylight;
    record->attachment = sky;
    Objex* symbol = Make(objtype::kSkylightPart).at({{h, 0, d}});
    record->customParts = symbol;
    Make(sky).with(record);
    return sky;
}

Objex* SymbolOf(Objex* sky) { return sky->typeData.roofAttachment->customParts; }

class PlanTransforms : public SelectionTest {};

TEST_F(PlanTransforms, FlipInPlanMirrorsPositionsTangentsAndWallSides) {
    Objex* wall = Wall(floor, {{10, 5}, {30, 5}});
    for (Poinz* p = wall->firstPoint; p; p = p->next) {
        p->texture1 = 11;
        p->texture2 = 22;
        p->color1 = Grey(100);
        p->color2 = Grey(200);
        p->faceScale1 = ShortPoint{50, 60};
        p->faceScale2 = ShortPoint{70, 80};
        p->trim1 = new TrimRecord{};
        p->trim2 = new TrimRecord{};
        p->trim1->slot[0] = 1;
        p->trim2->slot[0] = 2;
    }
    Poinz* p0 = wall->firstPoint;
    p0->inTangent[0] = 1;
    p0->outTangent[0] = 2;
    p0->outTangent[2] = 3;
    p0->acrossTangent[0] = 4;
    p0->acrossTangent[2] = 6;
    PointAt(wall, 1)->locked = 1;  // whole-plan forms ignore locks and selection

    FlipPlanObject(wall, kFlipPlanHorizontalCommand);
    ExpectNear(p0, -10, 0, 5);
    ExpectNear(PointAt(wall, 1), -30, 0, 5);
    EXPECT_TRUE(Near({p0->inTangent[0], p0->outTangent[0], p0->outTangent[2]}, {-1, -2, 3}, kUlps));
    EXPECT_TRUE(Near({p0->acrossTangent[0], p0->acrossTangent[2]}, {-4, 6}, kUlps));
    for (Poinz* p = wall->firstPoint; p; p = p->next) {
        EXPECT_TRUE(Near({p->texture1, p->texture2}, {22, 11}));
        EXPECT_EQ(p->color1, Grey(200));
        EXPECT_EQ(p->color2, Grey(100));
        EXPECT_TRUE(Near({p->faceScale1.x, p->faceScale2.y, p->trim1->slot[0]}, {70, 60, 2}));
        EXPECT_EQ(p->trim2->slot[0], 1);
    }
    EXPECT_EQ(wall->needsRebuild, 1);  // its solid, and so its bounds, come with the rebuild

    // Vertically (5364) the second plan axis, D.
    FlipPlanObject(wall, kFlipPlanVerticalCommand);
    ExpectNear(p0, -10, 0, -5);
    EXPECT_FLOAT_EQ(p0->outTangent[2], -3);

    // In a front view only positions mirror, in H for 5363 and in V for 5364.
    CurrentDocState()->viewKind = 1;
    p0->position[1] = 8;
    FlipPlanObject(wall, kFlipPlanHorizontalCommand);
    ExpectNear(p0, 10, 8, -5);
    EXPECT_FLOAT_EQ(p0->outTangent[0], -2);
    FlipPlanObject(wall, kFlipPlanVerticalCommand);
    ExpectNear(p0, 10, -8, -5);
}

TEST_F(PlanTransforms, FlipMirrorsStoredAngles) {
    // Freehand roof slope direction: 30 becomes 150 (5363) and 330 (5364).
    Objex* panel = Shape(floor, objtype::kFreehandRoof, {{0, 0}, {10, 0}, {10, 10}}, true);
    panel->params[0] = 30;
    FlipPlanObject(panel, kFlipPlanHorizontalCommand);
    EXPECT_NEAR(panel->params[0], 150, kTol);
    panel->params[0] = 30;
    FlipPlanObject(panel, kFlipPlanVerticalCommand);
    EXPECT_NEAR(panel->params[0], 330, kTol);

    // A group of imported objects mirrors its rotation angle.
    Objex* member = Shape(floor, objtype::kFentrix, {{5, 5}});
    Objex* group = Group(floor, {member});
    group->params[4] = 30;
    FlipPlanObject(group, kFlipPlanHorizontalCommand);
    EXPECT_NEAR(group->params[4], 150, kTol);

    // A cabinet group's angle is mirrored a quarter turn on: 30 + 270 = 300 mirrored in H
    // is 240, stored + 90 = 330; mirrored in D it is 60, stored 150.
    Objex* part = Shape(floor, objtype::kCabinetPart, {{0, 0}});
    Objex* cabinet = Group(floor, {part});
    cabinet->subtype = objsubtype::kCabinetGroup;
    auto* state = new CabinetState{};
    state->f1 = 30;
    Make(cabinet).with(state);
    FlipPlanObject(cabinet, kFlipPlanHorizontalCommand);
    EXPECT_NEAR(state->f1, 330, kTol);
    state->f1 = 30;
    FlipPlanObject(cabinet, kFlipPlanVerticalCommand);
    EXPECT_NEAR(state->f1, 150, kTol);
}

TEST_F(PlanTransforms, FlipCarriesSkylightsWithSymbolsAndMirrorBytes) {
    Objex* roof = Shape(floor, objtype::kRoof, {{0, 0}, {100, 0}, {100, 100}}, true);
    Objex* sky = SkylightOn(roof, 10, 20);
    FlipPlanObject(roof, kFlipPlanHorizontalCommand);
    ExpectNear(PointAt(sky, 0), -10, 0, 20);
    ExpectNear(PointAt(SymbolOf(sky), 0), -10, 0, 20);
    EXPECT_EQ(sky->typeData.roofAttachment->flipFlags[0], 1);
    EXPECT_EQ(sky->typeData.roofAttachment->flipFlags[1], 0);
    FlipPlanObject(roof, kFlipPlanHorizontalCommand);
    EXPECT_EQ(sky->typeData.roofAttachment->flipFlags[0], 0);
    FlipPlanObject(roof, kFlipPlanVerticalCommand);
    EXPECT_EQ(sky->typeData.roofAttachment->flipFlags[1], 1);
    ExpectNear(PointAt(SymbolOf(sky), 0), 10, 0, -20);
}

TEST_F(PlanTransforms, MoveAndRotatePlanTakeEveryPointAndAttachment) {
    Objex* roof = Shape(floor, objtype::kFreehandRoof, {{0, 0}, {100, 0}, {100, 100}}, true);
    Objex* sky = SkylightOn(roof, 10, 20);
    PointAt(roof, 0)->locked = PointAt(roof, 0)->selected = 1;
    TransformRecord move;
    move.values[0] = 5;
    move.values[1] = 9;  // V is not a plan axis
    move.values[2] = -5;
    TranslatePlanObject(roof, &move);
    ExpectNear(PointAt(roof, 0), 5, 0, -5);
    ExpectNear(PointAt(roof, 2), 105, 0, 95);
    ExpectNear(PointAt(sky, 0), 15, 0, 15);
    ExpectNear(PointAt(SymbolOf(sky), 0), 15, 0, 15);

    // A half turn about the origin; nothing is selected, yet the slope, the skylight's angle
    // and an imported object's angle follow.
    roof->params[0] = 300;
    sky->typeData.roofAttachment->angle = 90;
    TransformRecord half;
    half.values[6] = std::numbers::pi_v<float>;
    RotatePlanObject(roof, &half);
    ExpectNear(PointAt(roof, 2), -105, 0, -95);
    ExpectNear(PointAt(SymbolOf(sky), 0), -15, 0, -15);
    EXPECT_TRUE(Near({roof->params[0], sky->typeData.roofAttachment->angle}, {120, 270}, kTol));

    Objex* fnx = Shape(floor, objtype::kFentrix, {{10, 0}});
    fnx->params[4] = 200;
    RotatePlanObject(fnx, &half);
    EXPECT_NEAR(fnx->params[4], 20, kTol);
    ExpectNear(PointAt(fnx, 0), -10, 0, 0);
}

}  // namespace dvxtest::plan

// Floors up and down, wall-height caps, raising, nudging by view, detail styles and group
// root bounds.
namespace dvxtest::floors {

class FloorOperations : public SelectionTest {
protected:
    Layer* First() { return doc->itsLayers; }
    Layer* Second() { return doc->itsLayers->next; }
    Layer* Third() { return doc->itsLayers->next->next; }
};

Objex* WallWithBases(Layer* layer, bool closed, std::initializer_list<float> bases) {
    Objex* wall = Wall(layer, {{0, 0}, {100, 0}, {100, 100}}, closed);
    Poinz* p = wall->firstPoint;
    for (float b : bases) {
        p->baseElevation = b;
        p = p->next;
    }
    return wall;
}

TEST_F(FloorOperations, WallSegmentsCarryTheirBaseElevations) {
    ASSERT_STREQ(First()->name, "First Floor");
    // Segment 1-2 selected: its start rises by the floor height; the wall takes the lowest.
    Objex* wall = WallWithBases(floor, false, {10, 20, 30});
    PointAt(wall, 1)->selected = PointAt(wall, 2)->selected = 1;
    SendToNeighboringFloor(wall, floorcmd::kMoveUp);
    EXPECT_TRUE(Near({PointAt(wall, 0)->baseElevation, PointAt(wall, 1)->baseElevation}, {10, 116}, kUlps));
    EXPECT_TRUE(Near({PointAt(wall, 2)->baseElevation, wall->elevation}, {30, 10}, kUlps));

    // Segment 0-1 instead: the open wall's last point does not count for the lowest.
    Objex* other = WallWithBases(floor, false, {10, 20, 5});
    PointAt(other, 0)->selected = PointAt(other, 1)->selected = other->onTerrain = 1;
    SendToNeighboringFloor(other, floorcmd::kMoveUp);
    EXPECT_TRUE(Near({PointAt(other, 0)->baseElevation, other->elevation}, {106, 20}, kUlps));
    EXPECT_EQ(other->onTerrain, 0);

    // A closed wall's closing segment counts when its last and first points are selected.
    Objex* ring = WallWithBases(floor, true, {10, 20, 5});
    PointAt(ring, 0)->selected = PointAt(ring, 2)->selected = 1;
    SendToNeighboringFloor(ring, floorcmd::kMoveUp);
    EXPECT_TRUE(Near({PointAt(ring, 2)->baseElevation, ring->elevation}, {101, 10}, kUlps));

    // Down from the second floor steps by the height of the floor below.
    doc->itsCurLayer = Second();
    First()->height = 100;
    Objex* box = Shape(Second(), objtype::kPolygon, {{0, 0}});
    Objex* group = Group(Second(), {box});
    group->elevation = 150;
    RebuildRecorder seen;
    SendToNeighboringFloor(box, floorcmd::kCopyDown);  // the root moves and is rendered again, members and all
    EXPECT_TRUE(Near({group->elevation, seen.Rendered(group)}, {50, 1}, kUlps));
}

TEST_F(FloorOperations, WallsGetThePlanBitsOfTheirNewFloor) {
    Objex* wall = Wall(floor, {{0, 0}, {100, 0}});
    // Its window goes with it; a piece that hangs on no floor stays on none.
    Objex* window = Opening(wall, objtype::kWindow, 1, 0);
    Objex* piece = Part(objtype::kOpeningMask);
    AppendObjectToList(window->typeData.attachment->generatedParts, piece, window);
    RebuildRecorder seen({objtype::kWall});
    Make(wall).select();
    wall->planBits = 1;
    MoveToNeighboringFloor(wall, floorcmd::kMoveUp);
    EXPECT_TRUE(Same({wall->layer, window->layer, piece->layer}, {Second(), Second(), nullptr}));
    EXPECT_TRUE(Same({Second()->firstObject, First()->firstObject}, {wall, nullptr}));
    EXPECT_TRUE(Near({wall->planBits, wall->elevation, SelectedPointCount(wall)}, {2, 96, 0}, kUlps));
    EXPECT_EQ(seen.rebuilt, std::vector<const Objex*>{wall});

    doc->itsCurLayer = Second();
    MoveToNeighboringFloor(wall, floorcmd::kMoveDown);
    EXPECT_TRUE(Same({wall->layer, window->layer}, {First(), First()}));
    EXPECT_EQ(wall->planBits, 1);
    EXPECT_EQ(seen.rebuilt.size(), 2u);
}

TEST_F(FloorOperations, OpeningsAndPointsFitUnderTheWallHeight) {
    // First floor: 96 inches at scale 36 is 192 plan units; openings stay below 186.
    Objex* wall = Wall(floor, {{0, 0}, {100, 0}});
    auto addOpening = [&](float height, float offset) {
        Objex* window = Shape(wall, objtype::kWindow, {{10, 0}});
        window->layer = nullptr;
        auto* record = new AttachmentRecord{};
        record->height = height;
        record->elevation = offset;
        Make(window).with(record);
        return record;
    };
    AttachmentRecord* lowered = addOpening(150, 50);
    AttachmentRecord* shortened = addOpening(200, 30);
    AttachmentRecord* fits = addOpening(100, 20);
    ScaleObjectToWallHeight(wall);
    EXPECT_TRUE(Near({lowered->elevation, lowered->height, shortened->elevation}, {36, 150, 0}, kUlps));
    EXPECT_TRUE(Near({shortened->height, fits->elevation, fits->height}, {186, 20, 100}, kUlps));

    // On the second floor the cap is base 192 + top 192; every row is capped.
    Objex* surface = Shape(Second(), objtype::kClosedSolid, {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}});
    surface->rows = 3;
    const float heights[] = {100, 400, 500, 390, 384, 0};
    for (int i = 0; i < 6; ++i) PointAt(surface, i)->position[1] = heights[i];
    ScaleLayerToWallHeight(Second());
    const float capped[] = {100, 384, 384, 384, 384, 0};
    for (int i = 0; i < 6; ++i) EXPECT_FLOAT_EQ(PointAt(surface, i)->position[1], capped[i]) << i;
}

TEST_F(FloorOperations, RaisingMovesEveryPointOnce) {
    Objex* surface = Shape(floor, objtype::kClosedSolid,
                             {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}, {0, 2}, {1, 2}, {2, 2}});
    surface->rows = 3;
    Objex* child = Shape(surface, objtype::kPolygon, {{0, 0}});
    child->layer = floor;
    RaiseLayerToBaseHeight(floor, 10);
    for (int i = 0; i < 9; ++i) EXPECT_FLOAT_EQ(PointAt(surface, i)->position[1], 10) << i;
    EXPECT_FLOAT_EQ(PointAt(child, 0)->position[1], 10);

    // Without a floor nothing rises.
    Objex* loose = Make(objtype::kPolygon).at({{0, 0, 0}});
    RaiseObjectToBaseHeight(loose, 10);
    EXPECT_FLOAT_EQ(PointAt(loose, 0)->position[1], 0);
    DeleteObj(loose);
}

TEST_F(FloorOperations, NudgeFollowsTheView) {
    Objex* o = Shape(floor, objtype::kPolygon, {{10, 20}, {50, 50}});
    PointAt(o, 0)->position[1] = 30;
    PointAt(o, 0)->selected = 1;
    NudgeObject(o, 2, nudge::kUp);  // plan: D
    EXPECT_FLOAT_EQ(PointAt(o, 0)->position[2], 18);
    NudgeObject(o, 2, nudge::kRight);
    EXPECT_FLOAT_EQ(PointAt(o, 0)->position[0], 12);
    CurrentDocState()->viewKind = 3;  // side: up is V, left is D
    NudgeObject(o, 2, nudge::kUp);
    EXPECT_FLOAT_EQ(PointAt(o, 0)->position[1], 28);
    NudgeObject(o, 2, nudge::kLeft);
    EXPECT_FLOAT_EQ(PointAt(o, 0)->position[2], 16);
    CurrentDocState()->viewKind = 1;  // front: down is V, left is H
    NudgeObject(o, 2, nudge::kDown);
    NudgeObject(o, 2, nudge::kLeft);
    EXPECT_TRUE(Near({PointAt(o, 0)->position[0], PointAt(o, 0)->position[1]}, {10, 30}, kUlps));
    EXPECT_FLOAT_EQ(PointAt(o, 1)->position[0], 50);  // not selected
}

TEST_F(FloorOperations, NudgedSkylightTakesItsSymbols) {
    Objex* roof = Shape(floor, objtype::kRoof, {{0, 0}, {100, 0}, {100, 100}}, true);
    auto skylight = [&](float h) {
        Objex* sky = Shape(roof, objtype::kSkylight, {{h, 10}});
        auto* record = new RoofAttachmentRecord{};
        Objex* symbol = Make(objtype::kSkylightPart).at({{h, 0, 10}});
        record->customParts = symbol;
        Make(sky).with(record);
        return sky;
    };
    Objex* chosen = skylight(10);
    Objex* other = skylight(50);
    Make(chosen).select();
    NudgeObject(roof, 4, nudge::kDown);
    EXPECT_FLOAT_EQ(PointAt(chosen, 0)->position[2], 14);
    EXPECT_FLOAT_EQ(PointAt(chosen->typeData.roofAttachment->customParts, 0)->position[2], 14);
    EXPECT_TRUE(Near({PointAt(other, 0)->position[2], PointAt(roof, 0)->position[2]}, {10, 0}, kUlps));
    // Both mapped where they now lie, as a move maps them.
    EXPECT_TRUE(Near({chosen->textureFaceRect.floatTop, chosen->typeData.roofAttachment->customParts->textureFaceRect.floatTop},
                     {14, 14}, kUlps));

    // The whole roof selected: every skylight and symbol goes along and ends deselected.
    Make(roof).select();
    Make(chosen).select(0);
    NudgeObject(roof, 4, nudge::kDown);
    EXPECT_TRUE(Near({PointAt(roof, 0)->position[2], PointAt(other, 0)->position[2]}, {4, 14}, kUlps));
    EXPECT_FLOAT_EQ(PointAt(other->typeData.roofAttachment->customParts, 0)->position[2], 14);
    EXPECT_EQ(SelectedPointCount(other), 0);
}

TEST_F(FloorOperations, DetailStylesSpareEditorAndSectionObjects) {
    CurrentDocState()->penWidth = 3;
    Objex* open = Shape(floor, objtype::kDetail, {{0, 0}, {10, 0}}, false, 9);
    Objex* rect = Shape(floor, objtype::kDetail, {{0, 0}, {10, 0}, {10, 10}, {0, 10}}, true, 1);
    Objex* other = Shape(floor, objtype::kDetail, {{0, 0}}, true, 5);
    for (Objex* o : {open, rect, other}) ChangePattern(o, 7);
    EXPECT_TRUE(Near({open->fillPattern, rect->fillPattern, other->fillPattern}, {0, 7, 0}));
    for (Objex* o : {open, other}) SetLineWeight(o);
    EXPECT_TRUE(Near({open->penWidth, other->penWidth}, {3, 3}, kUlps));
    Objex* beyond = Shape(floor, objtype::kDetail, {{0, 0}}, true, 10);
    SetLineWeight(beyond);
    EXPECT_FLOAT_EQ(beyond->penWidth, 1);

    for (int32_t kind : {groupkind::kSymbolEditor, groupkind::kSectionDetail}) {
        Objex* inner = Shape(floor, objtype::kDetail, {{0, 0}, {10, 0}, {10, 10}}, true, 1);
        Group(floor, {inner}, kind);
        ChangePattern(inner, 7);
        SetLineWeight(inner);
        EXPECT_TRUE(Near({inner->fillPattern, inner->penWidth}, {0, 1}, kUlps));
    }
}

TEST_F(FloorOperations, GroupRootBoundsOnVisibleLayers) {
    Objex* member = Shape(floor, objtype::kPolygon, {{0, 0}, {40, 30}});
    Objex* group = Group(floor, {member});
    Objex* upstairs = Group(Second(), {Shape(Second(), objtype::kPolygon, {{5, 5}})});
    group->bounds3D = upstairs->bounds3D = Float3DRect{};
    Second()->visible = 0;
    UpdateAllLayerRootBounds(First(), 0, 0, 1);  // nothing selected
    EXPECT_FLOAT_EQ(group->bounds3D.floatRight, 0);
    Make(member).select();
    UpdateAllLayerRootBounds(First(), 0, 0, 1);
    EXPECT_FLOAT_EQ(group->bounds3D.floatFront, 30);
    EXPECT_FLOAT_EQ(upstairs->bounds3D.floatLeft, 0);  // hidden layer

    // No floor beyond the top or bottom.
    Objex* o = Shape(floor, objtype::kPolygon, {{0, 0}});
    o->elevation = 7;
    MoveToNeighboringFloor(o, floorcmd::kMoveDown);
    SendToNeighboringFloor(o, floorcmd::kCopyDown);
    SendToNeighboringFloor(o, 5000);
    EXPECT_FLOAT_EQ(o->elevation, 7);
    EXPECT_EQ(o->layer, First());

    doc->itsCurLayer = Third();
    Objex* top = Shape(Third(), objtype::kPolygon, {{0, 0}});
    MoveToNeighboringFloor(top, floorcmd::kMoveUp);
    EXPECT_FLOAT_EQ(top->elevation, 0);
    EXPECT_EQ(top->layer, Third());
}

}  // namespace dvxtest::floors

// Measuring and resizing imported objects in their own, unturned frame.
namespace dvxtest::sizing {

constexpr float kTol = 2e-3f;

class FentrixSizing : public SelectionTest {
protected:
    // A box 100 wide (H), 50 deep (D) and 20 high (V), all points selected. At scale 36 one
    // plan unit is half an inch: 50 x 25 x 10 inches.
    Objex* Box() {
        Objex* box = Shape(floor, objtype::kFentrix, {{0, 0}, {100, 0}, {100, 50}, {0, 50}}, true);
        for (const auto& [h, d] : {std::pair{0.0f, 0.0f}, {100.0f, 0.0f}, {100.0f, 50.0f}, {0.0f, 50.0f}})
            Point(box, {h, 20, d});
        Make(box).select();
        return box;
    }

    void ExpectSize(Objex* o, float w, float h, float d) {
        float width = 0, height = 0, depth = 0;
        GetFentrixSize(o, &width, &height, &depth);
        EXPECT_TRUE(Near({width, height, depth}, {w, h, d}, kTol));
    }
};

TEST_F(FentrixSizing, UnturnedObjectIsMeasuredAndScaledDirectly) {
    Objex* box = Box();
    CurrentDocState()->viewKind = 3;
    ExpectSize(box, 100, 20, 50);

    // 50 percent in width halves H about the middle and leaves V and D.
    RebuildRecorder seen;
    ResizeFentrixObject(box, 1, 50, 300, 300, 1, 0, 0);
    EXPECT_TRUE(Near({PointAt(box, 0)->position[0], PointAt(box, 1)->position[0]}, {25, 75}, kUlps));
    EXPECT_TRUE(Near({PointAt(box, 2)->position[2], PointAt(box, 4)->position[1]}, {50, 20}, kUlps));
    EXPECT_TRUE(Near({CurrentDocState()->viewKind, seen.Rendered(box)}, {3, 1}));
    EXPECT_FLOAT_EQ(box->bounds3D.floatLeft, 25);
}

TEST_F(FentrixSizing, TurnedObjectIsMeasuredInItsOwnFrameAndKeepsItsAngle) {
    Objex* box = Box();
    RotateObjectInDegrees(box, 30);
    ASSERT_NEAR(box->params[4], 30, 1e-4);
    const float h0 = PointAt(box, 0)->position[0], d0 = PointAt(box, 0)->position[2];

    ExpectSize(box, 100, 20, 50);
    EXPECT_NEAR(box->params[4], 30, 1e-4);
    EXPECT_TRUE(Near({PointAt(box, 0)->position[0], PointAt(box, 0)->position[2]}, {h0, d0}, kTol));

    // 25 inches wide is 50 plan units; the first edge still runs at 30 degrees.
    ResizeFentrixObject(box, 0, 25, 0, 0, 1, 0, 0);
    ExpectSize(box, 50, 20, 50);
    EXPECT_NEAR(box->params[4], 30, 1e-4);
    float length = 0;
    const Poinz* a = PointAt(box, 0);
    const Poinz* b = PointAt(box, 1);
    const float angle = GetLineLengthAndAngle(a->position[0], a->position[2], b->position[0], b->position[2], &length);
    EXPECT_NEAR(length, 50, kTol);
    EXPECT_NEAR(angle, std::numbers::pi_v<float> / 6, 1e-4);
}

TEST_F(FentrixSizing, NoSideBelowOneSixteenth) {
    Objex* box = Box();
    ResizeFentrixObject(box, 1, 0.01f, 0, 0, 1, 0, 0);
    float width = 0, height = 0, depth = 0;
    GetFentrixSize(box, &width, &height, &depth);
    EXPECT_NEAR(ConvertScreenToWorld(width, CurrentDocState(), 0), 0.0625f, 1e-6);
    EXPECT_NEAR(depth, 50, kTol);

    // An asked-for size of nothing keeps the smallest side as well.
    ResizeFentrixObject(box, 0, 0, 0, 0, 0, 0, 1);
    GetFentrixSize(box, &width, &height, &depth);
    EXPECT_NEAR(ConvertScreenToWorld(depth, CurrentDocState(), 0), 0.0625f, 1e-6);

    // All three sizes in one call.
    Objex* turned = Box();
    RotateObjectInDegrees(turned, 90);
    CurrentDocState()->viewKind = 1;
    ResizeFentrixObject(turned, 1, 50, 200, 50, 1, 1, 1);
    EXPECT_EQ(CurrentDocState()->viewKind, 1);
    ExpectSize(turned, 50, 40, 25);
    EXPECT_NEAR(turned->params[4], 90, 1e-4);

    // Missing arguments change nothing.
    float wide = -1;
    GetFentrixSize(turned, &wide, nullptr, nullptr);
    EXPECT_FLOAT_EQ(wide, -1);
    ResizeFentrixObject(nullptr, 1, 50, 50, 50, 1, 1, 1);
}

}  // namespace dvxtest::sizing

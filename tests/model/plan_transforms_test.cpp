// Whole-plan move, rotation and flip: every point moves, roofs always carry their
// attachments, walls swap sides, stored angles are mirrored.
#include <gtest/gtest.h>

#include <numbers>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/plan_transforms.h"
#include "model/transforms.h"
#include "support/build.h"

namespace dvxtest {
namespace {

constexpr float kTol = 1e-3f;

void ExpectAt(const Poinz* p, float h, float v, float d) {
    EXPECT_NEAR(p->position[0], h, kTol);
    EXPECT_NEAR(p->position[1], v, kTol);
    EXPECT_NEAR(p->position[2], d, kTol);
}

RGBColor Grey(uint16_t level) { return RGBColor{level, level, level}; }

Objex* SkylightOn(Objex* roof, float h, float d) {
    Objex* sky = Shape(roof, objtype::kSkylight, {{h, d}});
    auto* record = new RoofAttachmentRecord{};
    record->ownerType = objtype::kSkylight;
    record->attachment = sky;
    Objex* symbol = Make(objtype::kSkylightPart);
    Point(symbol, {h, 0, d});
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
    ExpectAt(p0, -10, 0, 5);
    ExpectAt(PointAt(wall, 1), -30, 0, 5);
    EXPECT_FLOAT_EQ(p0->inTangent[0], -1);
    EXPECT_FLOAT_EQ(p0->outTangent[0], -2);
    EXPECT_FLOAT_EQ(p0->outTangent[2], 3);
    EXPECT_FLOAT_EQ(p0->acrossTangent[0], -4);
    EXPECT_FLOAT_EQ(p0->acrossTangent[2], 6);
    for (Poinz* p = wall->firstPoint; p; p = p->next) {
        EXPECT_EQ(p->texture1, 22);
        EXPECT_EQ(p->texture2, 11);
        EXPECT_EQ(p->color1, Grey(200));
        EXPECT_EQ(p->color2, Grey(100));
        EXPECT_EQ(p->faceScale1.x, 70);
        EXPECT_EQ(p->faceScale2.y, 60);
        EXPECT_EQ(p->trim1->slot[0], 2);
        EXPECT_EQ(p->trim2->slot[0], 1);
    }
    EXPECT_EQ(wall->needsRebuild, 1);  // its solid, and so its bounds, come with the rebuild

    // Vertically (5364) the second plan axis, D.
    FlipPlanObject(wall, kFlipPlanVerticalCommand);
    ExpectAt(p0, -10, 0, -5);
    EXPECT_FLOAT_EQ(p0->outTangent[2], -3);

    // In a front view only positions mirror, in H for 5363 and in V for 5364.
    CurrentDocState()->viewKind = 1;
    p0->position[1] = 8;
    FlipPlanObject(wall, kFlipPlanHorizontalCommand);
    ExpectAt(p0, 10, 8, -5);
    EXPECT_FLOAT_EQ(p0->outTangent[0], -2);
    FlipPlanObject(wall, kFlipPlanVerticalCommand);
    ExpectAt(p0, 10, -8, -5);
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
    ExpectAt(PointAt(sky, 0), -10, 0, 20);
    ExpectAt(PointAt(SymbolOf(sky), 0), -10, 0, 20);
    EXPECT_EQ(sky->typeData.roofAttachment->flipFlags[0], 1);
    EXPECT_EQ(sky->typeData.roofAttachment->flipFlags[1], 0);
    FlipPlanObject(roof, kFlipPlanHorizontalCommand);
    EXPECT_EQ(sky->typeData.roofAttachment->flipFlags[0], 0);
    FlipPlanObject(roof, kFlipPlanVerticalCommand);
    EXPECT_EQ(sky->typeData.roofAttachment->flipFlags[1], 1);
    ExpectAt(PointAt(SymbolOf(sky), 0), 10, 0, -20);
}

TEST_F(PlanTransforms, MoveAndRotatePlanTakeEveryPointAndAttachment) {
    Objex* roof = Shape(floor, objtype::kFreehandRoof, {{0, 0}, {100, 0}, {100, 100}}, true);
    Objex* sky = SkylightOn(roof, 10, 20);
    PointAt(roof, 0)->locked = 1;
    PointAt(roof, 0)->selected = 1;
    TransformRecord move;
    move.values[0] = 5;
    move.values[1] = 9;  // V is not a plan axis
    move.values[2] = -5;
    TranslatePlanObject(roof, &move);
    ExpectAt(PointAt(roof, 0), 5, 0, -5);
    ExpectAt(PointAt(roof, 2), 105, 0, 95);
    ExpectAt(PointAt(sky, 0), 15, 0, 15);
    ExpectAt(PointAt(SymbolOf(sky), 0), 15, 0, 15);

    // A half turn about the origin; nothing is selected, yet the slope, the skylight's angle
    // and an imported object's angle follow.
    roof->params[0] = 300;
    sky->typeData.roofAttachment->angle = 90;
    TransformRecord half;
    half.values[6] = std::numbers::pi_v<float>;
    RotatePlanObject(roof, &half);
    ExpectAt(PointAt(roof, 2), -105, 0, -95);
    ExpectAt(PointAt(SymbolOf(sky), 0), -15, 0, -15);
    EXPECT_NEAR(roof->params[0], 120, kTol);
    EXPECT_NEAR(sky->typeData.roofAttachment->angle, 270, kTol);

    Objex* fnx = Shape(floor, objtype::kFentrix, {{10, 0}});
    fnx->params[4] = 200;
    RotatePlanObject(fnx, &half);
    EXPECT_NEAR(fnx->params[4], 20, kTol);
    ExpectAt(PointAt(fnx, 0), -10, 0, 0);
}

}  // namespace
}  // namespace dvxtest

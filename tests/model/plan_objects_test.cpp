// Zoom arithmetic, line weights and pen offsets, and which plans show an object.
#include <gtest/gtest.h>

#include <cmath>

#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/plan_objects.h"
#include "model/zoom_units.h"
#include "support/fixture.h"
#include "support/build.h"

using namespace dvxtest;

namespace {

class PlanObjectsTest : public DocumentTest {};

TEST_F(PlanObjectsTest, ZoomScalesUnlessTheFactorIsOne) {
    ASSERT_FLOAT_EQ(doc->itsDocState->zoomFactor, 0.6f);
    EXPECT_FLOAT_EQ(ZoomF(10), 6.0f);
    EXPECT_FLOAT_EQ(UnzoomF(6), 10.0f);
    FloatRect r{10, -20, 30, 40};
    ZoomFRect(&r);
    EXPECT_FLOAT_EQ(r.floatTop, 6);
    EXPECT_FLOAT_EQ(r.floatLeft, -12);
    EXPECT_FLOAT_EQ(r.floatBottom, 18);
    EXPECT_FLOAT_EQ(r.floatRight, 24);
    ZoomFRect(nullptr);

    doc->itsDocState->zoomFactor = 1.0f;
    EXPECT_EQ(ZoomF(0.1f), 0.1f);
    EXPECT_EQ(UnzoomF(0.1f), 0.1f);
    doc->itsDocState->zoomFactor = 0.0f;  // never set by the program: no division by zero
    EXPECT_EQ(UnzoomF(5), 5.0f);
    gCurDocument = nullptr;
    EXPECT_EQ(ZoomF(7), 7.0f);
    EXPECT_EQ(UnzoomF(7), 7.0f);
    gCurDocument = doc;
}

TEST_F(PlanObjectsTest, LineWeightsAndPenOffsets) {
    Objex* o = Make(objtype::kLine);
    const struct { float width; int16_t weight; } plain[] = {
        {-0.05f, 0}, {NAN, 0}, {0.0f, 0}, {-0.1f, 0}, {-0.2f, 1}, {0.4f, 1}, {2.6f, 3}, {1e9f, 32767}};
    for (const auto& row : plain) {
        o->penWidth = row.width;
        EXPECT_EQ(GetLineWeight(o, 0), row.weight) << row.width;
    }
    EXPECT_EQ(GetLineWeight(nullptr, 1), 1);
    o->penWidth = 5;
    EXPECT_EQ(GetLineWeight(o, 1), 3);  // 5 x 0.6 + 0.5
    gPrinting = 1;
    gHPrintScale = 2.0f;
    gVPrintScale = 9.0f;                // only the horizontal scale counts
    EXPECT_EQ(GetLineWeight(o, 0), 10);
    EXPECT_EQ(GetLineWeight(o, 1), 6);

    int16_t dx = 7, dy = 7;
    GetPenOffset(5, &dx, &dy);
    EXPECT_EQ(dx, -2);
    EXPECT_EQ(dy, -2);
    dx = dy = 7;
    GetPenOffset(1, &dx, &dy);
    EXPECT_EQ(dx, 7);
    EXPECT_EQ(dy, 7);
    GetPenOffset(4, &dx, nullptr);
    EXPECT_EQ(dx, -2);
    DeleteObj(o);
}

TEST_F(PlanObjectsTest, WallsDoorsAndWindowsShowThroughOnTheFloorPlans) {
    const int32_t floorPlans[] = {0x2, 0x4, 0x8, 0x20};
    const int32_t otherPlans[] = {0x1, 0x10, 0x40, 0x80, 0x100};

    Objex* exterior = Make(objtype::kWall, objsubtype::kExteriorWall);
    exterior->planBits = 0x2;
    EXPECT_FALSE(IsObjectOnCurrentPlan(exterior, 0x1));
    EXPECT_TRUE(IsObjectOnCurrentPlan(exterior, 0x2));
    for (int32_t mask : floorPlans) EXPECT_TRUE(IsObjectOnCurrentPlan(exterior, mask)) << mask;
    exterior->planBits = 0x1;
    EXPECT_TRUE(IsObjectOnCurrentPlan(exterior, 0x1));
    EXPECT_FALSE(IsObjectOnCurrentPlan(exterior, 0x10));
    exterior->planBits = 0x10;
    EXPECT_TRUE(IsObjectOnCurrentPlan(exterior, 0x10));

    for (int16_t type : {objtype::kWall, objtype::kDoor, objtype::kWindow}) {
        Objex* o = Make(type);
        o->planBits = 0;
        for (int32_t mask : floorPlans) EXPECT_TRUE(IsObjectOnCurrentPlan(o, mask)) << type << " " << mask;
        for (int32_t mask : otherPlans) EXPECT_FALSE(IsObjectOnCurrentPlan(o, mask)) << type << " " << mask;
        o->planBits = 0x1;
        EXPECT_TRUE(IsObjectOnCurrentPlan(o, 0x1));
        DeleteObj(o);
    }

    Objex* plant = Make(objtype::kPlant);
    plant->planBits = 0x3;
    EXPECT_TRUE(IsObjectOnCurrentPlan(plant, 0x1));
    EXPECT_TRUE(IsObjectOnCurrentPlan(plant, 0x2));
    EXPECT_FALSE(IsObjectOnCurrentPlan(plant, 0x4));
    EXPECT_FALSE(IsObjectOnCurrentPlan(nullptr, 0x1FF));
    DeleteObj(exterior);
    DeleteObj(plant);
}

}  // namespace

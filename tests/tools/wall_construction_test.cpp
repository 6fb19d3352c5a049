// A wall's plan solid and quick-wall form built from its centre line, rebuilt under a scene.
#include <gtest/gtest.h>

#include <cmath>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/transforms.h"
#include "scene/surfaces.h"
#include "support/scene_checks.h"
#include "tools/wall_construction.h"

namespace {

using namespace dvxtest;
class WallConstruction : public dvxtest::DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        doc->itsDocState->planScale = 36;
    }
    // A 6-inch wall with a 12-inch quick-wall width.
    Objex* Wall(dvxtest::PlanPoints at, bool closed = false, int32_t subtype = 0) {
        Objex* wall = dvxtest::Outline(objtype::kWall, at, closed, subtype).on(doc->itsCurLayer);
        wall->penWidth = 6, objfield::wall::kQuickWallWidth(*wall) = 12;
        return wall;
    }
};

TEST_F(WallConstruction, ASolidSixUnitsEachSidePointingBackAndAQuickFormForExteriorWalls) {
    for (int32_t subtype : {0, 54}) {  // 54: exterior
        Objex* wall = Wall({{0, 0}, {100, 0}}, false, subtype);
        const uint32_t nextID = doc->itsDocState->nextObjectID;
        Update3DWall(wall);
        Update3DWall(wall);  // the second build frees the first
        const Objex* solid = wall->typeData.wallSolid;
        ASSERT_EQ(wall->typeData.kind, TypeDataKind::WallSolid);
        EXPECT_EQ(solid->subtype, 140);
        EXPECT_EQ(solid->sourceObject, wall);
        EXPECT_EQ(solid->rows, 2);
        for (const Poinz* p = solid->firstPoint; p; p = p->next) {
            EXPECT_NEAR(std::fabs(p->position[0] - 50), 50, 1e-4);
            EXPECT_FLOAT_EQ(std::fabs(p->position[2]), 6);
        }
        EXPECT_EQ(wall->next, nullptr);  // nothing generated joins the layer or takes an ID
        EXPECT_EQ(doc->itsDocState->nextObjectID, nextID);
        EXPECT_FLOAT_EQ(wall->bounds.floatTop, -6);
        EXPECT_TRUE(subtype ? wall->firstPart->type == objtype::kQuickWallForm && !wall->firstPart->next : !wall->firstPart);
    }
    Objex* floor = dvxtest::Outline(objtype::kFloor, {{0, 0}, {100, 0}, {100, 100}}).on(doc->itsCurLayer);
    Update3DWall(floor);
    EXPECT_TRUE(floor->typeData.empty() && !floor->firstPart && floor->bounds.floatRight == 0);
}

TEST_F(WallConstruction, TheQuickFormIsItsWidthWideAtAnyScaleAndTheWallStandsOnItsLowestBase) {
    for (float scale : {36.0f, 72.0f}) {
        doc->itsDocState->planScale = scale;
        Objex* wall = Wall({{0, 0}, {200, 0}}, false, 54);
        Update3DWall(wall);
        float lo = 1e9f, hi = -1e9f;
        for (const Poinz* p = wall->firstPart->firstPoint; p; p = p->next)
            lo = std::min(lo, p->position[2]), hi = std::max(hi, p->position[2]);
        EXPECT_NEAR(ConvertScreenToWorld(hi - lo, doc->itsDocState, 0), 12, 1e-3) << scale;
    }
    for (auto [closed, lowest] : {std::pair{false, 5.0f}, {true, 3.0f}}) {
        Objex* wall = Wall({{0, 0}, {100, 0}, {100, 100}}, closed);
        float base = 10;
        for (Poinz* p = wall->firstPoint; p; p = p->next, base = base == 10 ? 5 : 3) p->baseElevation = base;
        Update3DWall(wall);
        EXPECT_FLOAT_EQ(wall->elevation, lowest);  // a closed wall's closing segment counts
    }
}

TEST_F(WallConstruction, RebuildsDropTheWallsPiecesAndFollowSubtypeAndLayer) {
    Objex* wall = Wall({{0, 0}, {100, 0}, {100, 100}}, true);
    Update3DWall(wall);
    for (int built = 0; built < 2; ++built) { // a face of the solid in the scene, then a rebuild
        Objex* solid = wall->typeData.wallSolid;
        const int n = solid->pointCount / 2;
        gBase2DObject = gActual3DObject = wall, gCurPlaneObject = nullptr;
        RenderBicubicSurface(PointAt(solid, 0), PointAt(solid, n), PointAt(solid, 1),
                             PointAt(solid, n + 1), 1, solid);
        AppendPlaneObject(gCurPlaneObject, wall);
        gCurPlaneObject = nullptr;
        ASSERT_EQ(PiecesOf(wall).size(), 1u);
        wall->subtype = objsubtype::kExteriorWall; // now it gets a quick-wall form
        Update3DWall(wall);
        EXPECT_TRUE(PiecesOf(wall).empty() && wall->firstPart && !wall->firstPart->next);
    }
    doc->itsCurLayer->visible = 0, wall->subtype = 0;
    Update3DWallLayer(doc->itsCurLayer);
    EXPECT_NE(wall->firstPart, nullptr); // a hidden layer is left alone
}

}  // namespace

// A wall's plan solid and quick-wall form, built from its centre line: their shape at the
// drawing scale, what they point at, the wall's elevation, and a wall read back from a file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "files/design_file.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/marquee.h"
#include "model/object_fields.h"
#include "model/transforms.h"
#include "support/fixture.h"
#include "support/build.h"
#include "tools/wall_construction.h"

namespace {

using dvxtest::PointAt;

class WallConstruction : public dvxtest::DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        ds = doc->itsDocState;
        ds->planScale = 36.0f;
        layer = doc->itsCurLayer;
    }
    Objex* Wall(dvxtest::PlanPoints at, bool closed = false, int32_t subtype = 0) {
        Objex* wall = dvxtest::Outline(objtype::kWall, at, closed, subtype).on(layer);
        wall->penWidth = 6.0f;
        objfield::wall::kQuickWallWidth(*wall) = 12.0f;
        return wall;
    }
    static Objex* Solid(const Objex* wall) {
        return wall->typeData.kind == TypeDataKind::WallSolid ? wall->typeData.wallSolid : nullptr;
    }
    // The smallest and largest D of the object's points.
    static std::pair<float, float> DRange(const Objex* o) {
        float lo = INFINITY, hi = -INFINITY;
        for (const Poinz* p = o->firstPoint; p; p = p->next) lo = std::min(lo, p->position[2]), hi = std::max(hi, p->position[2]);
        return {lo, hi};
    }
    DocState* ds = nullptr;
    Layer* layer = nullptr;
};

TEST_F(WallConstruction, ASixInchWallGetsASolidSixUnitsEachSideAndExteriorWallsAQuickForm) {
    for (int32_t subtype : {0, int32_t{objsubtype::kExteriorWall}}) {
        SCOPED_TRACE(subtype);
        Objex* wall = Wall({{0, 0}, {100, 0}}, false, subtype);
        const uint32_t nextID = ds->nextObjectID;
        Update3DWall(wall);
        Update3DWall(wall);  // the second build replaces the first
        const Objex* solid = Solid(wall);
        ASSERT_NE(solid, nullptr);
        EXPECT_EQ(solid->subtype, objsubtype::kWallSolid);
        EXPECT_EQ(solid->sourceObject, wall);
        EXPECT_EQ(solid->rows, 2);
        EXPECT_EQ(solid->pointCount % 2, 0);
        for (const Poinz* p = solid->firstPoint; p; p = p->next) {
            EXPECT_NEAR(std::fabs(p->position[0] - 50), 50, 1e-4);
            EXPECT_FLOAT_EQ(std::fabs(p->position[2]), 6.0f);
        }
        EXPECT_EQ(wall->next, nullptr);  // nothing generated joins the layer
        EXPECT_EQ(ds->nextObjectID, nextID);
        EXPECT_FLOAT_EQ(wall->bounds.floatTop, -6.0f);
        EXPECT_FLOAT_EQ(wall->bounds.floatBottom, 6.0f);
        if (subtype == objsubtype::kExteriorWall) {
            ASSERT_NE(wall->firstPart, nullptr);
            EXPECT_EQ(wall->firstPart->type, objtype::kQuickWallForm);
            EXPECT_EQ(wall->firstPart->next, nullptr);
        } else {
            EXPECT_EQ(wall->firstPart, nullptr);
        }
    }
}

TEST_F(WallConstruction, TheQuickFormIsTheQuickWallWidthWideAtAnyScale) {
    for (float scale : {36.0f, 72.0f}) {
        ds->planScale = scale;
        Objex* wall = Wall({{0, 0}, {200, 0}}, false, objsubtype::kExteriorWall);
        Update3DWall(wall);
        ASSERT_NE(wall->firstPart, nullptr);
        const auto [lo, hi] = DRange(wall->firstPart);
        EXPECT_NEAR(ConvertScreenToWorld(hi - lo, ds, 0), 12.0f, 1e-3) << scale;
    }
}

TEST_F(WallConstruction, TheWallStandsOnItsLowestSegmentBase) {
    struct Row { bool closed; float expected; };
    for (const Row& row : {Row{false, 5.0f}, Row{true, 3.0f}}) {
        Objex* wall = Wall({{0, 0}, {100, 0}, {100, 100}}, row.closed);
        const float bases[] = {10, 5, 3};
        for (int i = 0; i < 3; ++i) PointAt(wall, i)->baseElevation = bases[i];
        Update3DWall(wall);
        EXPECT_FLOAT_EQ(wall->elevation, row.expected) << row.closed;
    }
}

TEST_F(WallConstruction, OtherObjectsAreLeftAlone) {
    Objex* floor = dvxtest::Outline(objtype::kFloor, {{0, 0}, {100, 0}, {100, 100}}).on(layer);
    floor->elevation = 7;
    Update3DWall(floor);
    EXPECT_TRUE(floor->typeData.empty());
    EXPECT_EQ(floor->firstPart, nullptr);
    EXPECT_EQ(floor->elevation, 7);
    EXPECT_EQ(floor->bounds.floatRight, 0);
}

TEST_F(WallConstruction, AWallReadFromAFileHasItsSolidAndBoundsTheMarqueeFinds) {
    Objex* wall = Wall({{0, 0}, {100, 0}}, false, objsubtype::kExteriorWall);
    wall->planBits = 1;
    Update3DWall(wall);
    const std::string path = dvxtest::FreshTempFolder("wall_read") + "/wall.pro";
    ASSERT_EQ(KeyFileWrite(path.c_str()), 1);

    QMDDocumentModel* other = QMDDocumentModel::alloc()->init();
    ASSERT_NE(other, nullptr);
    gCurDocument = other;
    ASSERT_EQ(KeyFileRead(path.c_str()), 1);
    Objex* back = nullptr;
    for (Layer* l = other->itsLayers; l && !back; l = l->next)
        for (Objex* o = l->firstObject; o; o = o->next)
            if (o->type == objtype::kWall) back = o;
    ASSERT_NE(back, nullptr);
    ASSERT_NE(Solid(back), nullptr);
    EXPECT_EQ(Solid(back)->sourceObject, back);
    ASSERT_NE(back->firstPart, nullptr);
    EXPECT_FLOAT_EQ(back->bounds.floatTop, -6.0f);
    EXPECT_FLOAT_EQ(back->bounds.floatRight, 100.0f);
    const RECT all{-20, -20, 120, 20};
    SelectAllLayersInRect(other->itsLayers, &all, 1, 0);
    EXPECT_EQ(back->firstPoint->selected, 1);
    other->dealloc();
    gCurDocument = doc;
}

}  // namespace

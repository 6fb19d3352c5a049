// The garage door against sections worked out by hand, at the default drawing scale of 36 with
// inches as the world unit: 2 plan units to the inch.
#include <gtest/gtest.h>

#include "door_leaf_checks.h"
#include "geometry/openings/door_leaves.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/transforms.h"

using namespace dvxtest;

namespace {

class GarageDoorTest : public DoorLeafTest {
protected:
    void SetUp() override {
        DoorLeafTest::SetUp();
        ASSERT_EQ(ConvertWorldToScreen(24.0f, CurrentDocState(), 0), 48.0f);
    }
    Objex* Garage(float width, float height) {
        Objex* door = Door(503, {10, 0}, {10 + width, 0}, height);
        BuildGarageDoor(door, Record(door));
        return door;
    }
};

// 16 by 7 feet: 8 columns of 48 and 4 rows of 42 plan units; joints 8 wide and 16 high, end
// stiles and rails half that.
TEST_F(GarageDoorTest, SixteenBySevenFeetIsEightColumnsAndFourRows) {
    Objex* door = Garage(384, 168);
    std::vector<std::pair<Ring, Span>> want;
    for (int i = 1; i < 8; ++i) want.push_back({Ring::GarageBox, {48.0f * i - 4, 48.0f * i + 4, 0, 168}});
    for (int j = 1; j < 4; ++j) want.push_back({Ring::GarageBox, {0, 384, 42.0f * j - 8, 42.0f * j + 8}});
    want.push_back({Ring::GarageBox, {0, 4, 0, 168}});
    want.push_back({Ring::GarageBox, {380, 384, 0, 168}});
    want.push_back({Ring::GarageBox, {0, 384, 0, 8}});
    want.push_back({Ring::GarageBox, {0, 384, 160, 168}});
    want.push_back({Ring::Flat, {0, 384, 168, 0}});
    EXPECT_TRUE(ArePieces(Pieces(door), LeafFrame{10, 0, 1, 0, 0}, want));
    std::vector<int16_t> types(14, 20);
    types.push_back(128);
    EXPECT_EQ(TypesOf(Pieces(door)), types);
}

// Sections are counted to the nearest whole one and never fewer than one.
TEST_F(GarageDoorTest, SmallOpeningsHaveNoJoints) {
    struct Row {
        const char* what;
        float width, height;
        size_t pieces;  // joints plus two stiles, two rails and the infill
    };
    const Row rows[] = {
        {"35 inches: one column", 70, 168, 0 + 3 + 5},
        {"36 inches: two", 72, 168, 1 + 3 + 5},
        {"10 inches: rounded to none, raised to one", 20, 168, 0 + 3 + 5},
        {"31 inches high: one row", 384, 62, 7 + 0 + 5},
        {"31.5 inches high: two", 384, 63, 7 + 1 + 5},
        {"a damaged size asks for no more than a thousand columns", 1e9f, 168, 999 + 3 + 5},
    };
    for (const Row& row : rows) {
        Objex* door = Garage(row.width, row.height);
        EXPECT_EQ(ListOf(Pieces(door)).size(), row.pieces) << row.what;
        EXPECT_TRUE(AllFinite(Pieces(door))) << row.what;
    }
}

// The door fills the opening from its bottom, raised by the wall's base and the sill offset;
// the hand and the swing change nothing.
TEST_F(GarageDoorTest, FillsTheOpeningWhateverItsHandAndSwing) {
    Objex* plain = Garage(384, 168);
    Objex* turned = Door(503, {10, 0}, {394, 0}, 168);
    Record(turned)->sideFlag = 0;
    Record(turned)->swingOrOffset = 1.0f;
    BuildGarageDoor(turned, Record(turned));
    const std::vector<Objex*> a = ListOf(Pieces(plain)), b = ListOf(Pieces(turned));
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) EXPECT_EQ(PlanPositions(a[i]), PlanPositions(b[i])) << i;

    wall->elevation = 12.0f;  // inches: 24 plan units
    Objex* raised = Door(503, {10, 0}, {394, 0}, 168);
    Record(raised)->elevation = 10.0f;
    BuildGarageDoor(raised, Record(raised));
    float top = 1e9f, bottom = -1e9f;
    for (const Objex* piece = Pieces(raised); piece; piece = piece->next)
        top = std::min(top, piece->bounds3D.floatTop), bottom = std::max(bottom, piece->bounds3D.floatBottom);
    EXPECT_TRUE(Near({top, bottom}, {-34 - 168, -34}, 1e-4));
}

}  // namespace

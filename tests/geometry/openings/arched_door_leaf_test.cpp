// The arched leaf against arches worked out by hand: a 72-wide opening hinged at H 10, the leaf
// from J = 13 to K = 85 (3.0 inside the opening), 160 high; the stiles' inner arch has the
// semi-axis Ri = (72 - 20.16) / 2 = 25.92.
#include <gtest/gtest.h>

#include <cmath>

#include "door_leaf_checks.h"
#include "geometry/openings/door_leaves.h"
#include "model/objects.h"

using namespace dvxtest;

namespace {

constexpr float kRi = 25.92f;
const LeafFrame kFrame{13, 0, 1, 0, -2};

class ArchedDoorTest : public DoorLeafTest {
protected:
    Objex* Arched(int16_t style, float recordWidth) {
        Objex* door = Door(style, {10, 0}, {82, 0});
        Record(door)->width = recordWidth;
        BuildHingedArchDoor(door, Record(door));
        return door;
    }
};

// How far a point lies from the ellipse about (along 36, above `spring`) with semi-axes a, b.
float OffEllipse(const Poinz* p, float spring, float a, float b) {
    const float x = (kFrame.along(p) - 36.0f) / a, y = (kFrame.above(p) - spring) / b;
    return std::sqrt(x * x + y * y) - 1.0f;
}

// Points first .. first + 18 follow the arch from 180 to 0 degrees (or 0 to 180), the crown
// in the middle; all on the ellipse, and only ever rising to the crown.
void ExpectArch(Objex* piece, int first, bool fromLatch, float spring, float a, float b, float across) {
    for (int i = 0; i < 19; ++i) {
        const Poinz* p = PointAt(piece, first + i);
        SCOPED_TRACE(first + i);
        EXPECT_NEAR(OffEllipse(p, spring, a, b), 0.0f, 1e-4f);
        EXPECT_NEAR(kFrame.across(p), across, 1e-3f);
        const float degrees = fromLatch ? 180.0f - 10.0f * i : 10.0f * i;
        EXPECT_NEAR(kFrame.along(p), 36.0f - a * std::cos(degrees * 3.14159265f / 180.0f), 1e-3f);
    }
    EXPECT_NEAR(kFrame.above(PointAt(piece, first + 9)), spring + b, 1e-3f);
}

TEST_F(ArchedDoorTest, RoundArchIsAHalfCircleOfHalfTheWidth) {
    // R = 36: the straight part is 160 - 36 - 3 = 121 high, the crown 157 above Vb.
    Objex* door = Arched(506, 72.0f);
    EXPECT_EQ(TypesOf(Pieces(door)), (std::vector<int16_t>{20, 20, 20, 20, 20, 20, 20, 20, 128, 20}));
    const std::vector<Objex*> pieces = ListOf(Pieces(door));
    ASSERT_EQ(pieces.size(), 10u);
    std::vector<std::pair<Ring, Span>> boxes = {{Ring::Box, {61.92f, 10.08f, 0, 13.31f}},
                                                {Ring::Box, {61.92f, 10.08f, 48.4f, 59.29f}},
                                                {Ring::Box, {61.92f, 10.08f, 94.38f, 101.64f}},
                                                {Ring::Box, {61.92f, 10.08f, 113.74f, 121}},
                                                {Ring::Box, {30.96f, 41.04f, 13.31f, 48.4f}},
                                                {Ring::Box, {30.96f, 41.04f, 59.29f, 94.38f}},
                                                {Ring::Box, {30.96f, 41.04f, 101.64f, 113.74f}},
                                                // the centre stile up to the inner crown
                                                {Ring::Box, {30.96f, 41.04f, 121, 121 + kRi}}};
    for (size_t i = 0; i < boxes.size(); ++i)
        EXPECT_TRUE(IsPiece(pieces[i], kFrame, boxes[i].first, boxes[i].second)) << i + 1;

    // The outline plane: K, the outer arch from the latch side over the crown, J.
    Objex* outline = pieces[8];
    ASSERT_EQ(outline->pointCount, 21);
    EXPECT_EQ(outline->rows, 1);
    EXPECT_TRUE(Near({kFrame.along(PointAt(outline, 0)), kFrame.above(PointAt(outline, 0)),
                      kFrame.along(PointAt(outline, 20)), kFrame.above(PointAt(outline, 20))},
                     {72, 0, 0, 0}, 1e-3));
    ExpectArch(outline, 1, true, 121, 36, 36, 0);

    // Stiles and head rail: Q2, the inner arch, Q1, J, the outer arch back, K; the second ring
    // the same 4 across on the other side.
    Objex* head = pieces[9];
    ASSERT_EQ(head->pointCount, 84);
    EXPECT_EQ(head->rows, 2);
    for (int ring = 0; ring < 2; ++ring) {
        SCOPED_TRACE(ring);
        const int o = 42 * ring;
        const float across = ring == 0 ? 2.0f : -2.0f;
        const int feet[4] = {0, 20, 21, 41};
        const float at[4] = {61.92f, 10.08f, 0, 72};
        for (int f = 0; f < 4; ++f)
            EXPECT_TRUE(Near({kFrame.along(PointAt(head, o + feet[f])), kFrame.above(PointAt(head, o + feet[f])),
                              kFrame.across(PointAt(head, o + feet[f]))},
                             {at[f], 0, across}, 1e-3));
        ExpectArch(head, o + 1, true, 121, kRi, kRi, across);
        ExpectArch(head, o + 22, false, 121, 36, 36, across);
    }
}

// Style 507 flattens both arches: the outer rises 0.5 R^2 / Ri = 25, the inner 0.5 Ri; the
// crown stays 1.0 below the opening's top.
TEST_F(ArchedDoorTest, FlattenedArchKeepsTheCrownBelowTheTop) {
    Objex* door = Arched(507, 72.0f);
    const std::vector<Objex*> pieces = ListOf(Pieces(door));
    ASSERT_EQ(pieces.size(), 10u);
    // Straight part 160 - 25 - 3 = 132.
    EXPECT_TRUE(IsPiece(pieces[3], kFrame, Ring::Box, {61.92f, 10.08f, 0.94f * 132, 132}));
    EXPECT_TRUE(IsPiece(pieces[7], kFrame, Ring::Box, {30.96f, 41.04f, 132, 132 + 0.5f * kRi}));
    ExpectArch(pieces[8], 1, true, 132, 36, 25, 0);
    EXPECT_NEAR(kFrame.above(PointAt(pieces[8], 10)), 157.0f, 1e-3f);
    ExpectArch(pieces[9], 1, true, 132, kRi, 0.5f * kRi, 2);
}

// Without a record width the outer arch shrinks to a semi-axis of 1.0 about the leaf's middle;
// the inner arch keeps its size.
TEST_F(ArchedDoorTest, NoRecordWidthShrinksOnlyTheOuterArch) {
    Objex* door = Arched(506, 0.0f);
    const std::vector<Objex*> pieces = ListOf(Pieces(door));
    ASSERT_EQ(pieces.size(), 10u);
    // Straight part 160 - 1 - 3 = 156.
    ExpectArch(pieces[8], 1, true, 156, 1, 1, 0);
    EXPECT_TRUE(IsPiece(pieces[7], kFrame, Ring::Box, {30.96f, 41.04f, 156, 156 + kRi}));
    ExpectArch(pieces[9], 1, true, 156, kRi, kRi, 2);
}

}  // namespace

// The rectangular door leaves: their pieces against the layouts worked out by hand, the swing
// and the hand, the shape of every piece, and builds that stop or refuse.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

#include "door_leaf_checks.h"
#include "failing_allocations.h"
#include "geometry/openings/door_leaves.h"
#include "model/deletion.h"
#include "model/document_model.h"
#include "model/objects.h"

using namespace dvxtest;

namespace {

using Builder = void (*)(Objex*, AttachmentRecord*);
constexpr float kPi = std::numbers::pi_v<float>;

// A hand-built 72 x 160 leaf hinged at H 10 on a wall along +H: L = 72, hd = 157, Vb = -2.
// Stiles 0.14 L = 10.08 wide; rails at 0.11, 0.40, 0.49, 0.78, 0.84 and 0.94 of 157.
constexpr float kQ1 = 10.08f, kQ2 = 61.92f, kM2 = 30.96f, kM1 = 41.04f;
constexpr float kF11 = 17.27f, kF40 = 62.8f, kF49 = 76.93f, kF78 = 122.46f, kF84 = 131.88f, kF94 = 147.58f;
constexpr float kTop = 157.0f;

class DoorLeavesTest : public DoorLeafTest {};

TEST_F(DoorLeavesTest, ClosedHingedDoorFollowsItsTable) {
    Objex* door = Door(501, {10, 0}, {82, 0});
    BuildHingedDoor(door, Record(door));
    EXPECT_EQ(TypesOf(Pieces(door)), (std::vector<int16_t>{20, 20, 20, 20, 20, 20, 20, 20, 20, 128}));
    EXPECT_TRUE(ArePieces(Pieces(door), LeafFrame{10, 0, 1, 0, -2},
                          {{Ring::Box, {0, kQ1, 0, kTop}},
                           {Ring::Box, {72, kQ2, 0, kTop}},
                           {Ring::Box, {kQ2, kQ1, 0, kF11}},
                           {Ring::Box, {kQ2, kQ1, kF40, kF49}},
                           {Ring::Box, {kQ2, kQ1, kF78, kF84}},
                           {Ring::Box, {kQ2, kQ1, kF94, kTop}},
                           {Ring::Box, {kM2, kM1, kF11, kF40}},
                           {Ring::Box, {kM2, kM1, kF49, kF78}},
                           {Ring::Box, {kM2, kM1, kF84, kF94}},
                           {Ring::Flat, {0, 72, kTop, 0}}}));
}

// The glazed leaves start 1.0 inside the opening; the glass between the stiles is
// G = 0.72 L = 51.84, its vertical bars centred at Q1 + 0.33 G and Q1 + 0.66 G.
TEST_F(DoorLeavesTest, GlazedDoorsFollowTheirTables) {
    const float bar1 = kQ1 + 51.84f * 0.33f, bar2 = kQ1 + 51.84f * 0.66f;  // 27.19, 44.29
    const LeafFrame frame{11, 0, 1, 0, -2};

    Objex* french = Door(508, {10, 0}, {82, 0});
    BuildHingedGlassDoor(french, Record(french));
    EXPECT_EQ(TypesOf(Pieces(french)), std::vector<int16_t>(10, 20));
    std::vector<std::pair<Ring, Span>> want = {{Ring::Box, {0, kQ1, 0, kTop}},
                                               {Ring::Box, {72, kQ2, 0, kTop}},
                                               {Ring::Box, {kQ2, kQ1, 0, kF11}},
                                               {Ring::Box, {kQ2, kQ1, kF94, kTop}},
                                               {Ring::Flat, {bar1 - 1, bar1 + 1, kF11, kF94}},
                                               {Ring::Flat, {bar2 - 1, bar2 + 1, kF11, kF94}}};
    for (float centre : {43.33f, 69.39f, 95.46f, 121.52f})  // 17.27 + 130.31 k for k = 0.2 ... 0.8
        want.push_back({Ring::Flat, {kQ1, kQ2, centre - 1, centre + 1}});
    EXPECT_TRUE(ArePieces(Pieces(french), frame, want));

    // Nine lites: bars only above the lock rail, horizontal ones at a third and two thirds of
    // the 70.65 from 76.93 to 147.58; the infill from the lock rail's top down.
    Objex* nine = Door(509, {10, 0}, {82, 0});
    BuildHingedHalfGlassDoor(nine, Record(nine));
    EXPECT_EQ(TypesOf(Pieces(nine)), (std::vector<int16_t>{20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 128}));
    EXPECT_TRUE(ArePieces(Pieces(nine), frame,
                          {{Ring::Box, {0, kQ1, 0, kTop}},
                           {Ring::Box, {72, kQ2, 0, kTop}},
                           {Ring::Box, {kQ2, kQ1, 0, kF11}},
                           {Ring::Box, {kQ2, kQ1, kF40, kF49}},
                           {Ring::Box, {kQ2, kQ1, kF94, kTop}},
                           {Ring::Flat, {bar1 - 1, bar1 + 1, kF49, kF94}},
                           {Ring::Flat, {bar2 - 1, bar2 + 1, kF49, kF94}},
                           {Ring::Flat, {kQ1, kQ2, 100.2445f - 1, 100.2445f + 1}},
                           {Ring::Flat, {kQ1, kQ2, 123.559f - 1, 123.559f + 1}},
                           {Ring::Box, {kM2, kM1, kF11, kF40}},
                           {Ring::Flat, {0, 72, kF49, 0}}}));
}

// The infill's first ring is the leaf's hinge end J, then its latch end K.
TEST_F(DoorLeavesTest, SwingTurnsTheLeafAboutItsHingeCounterClockwise) {
    struct Row {
        const char* what;
        uint8_t side;
        float swing;
        std::pair<float, float> first, second;
        float jh, jd, kh, kd;
    };
    const Row rows[] = {
        {"closed on the wall line", 1, 0, {10, 0}, {82, 0}, 10, 0, 82, 0},
        {"a quarter turn points toward -D", 1, kPi / 2, {10, 0}, {82, 0}, 10, 0, 10, -72},
        {"the other hand hinges at the second point", 0, 0, {10, 0}, {82, 0}, 82, 0, 10, 0},
        {"and turns from the opposite direction", 0, kPi / 2, {10, 0}, {82, 0}, 82, 0, 82, 72},
        {"a wall running +D", 1, kPi / 2, {0, 10}, {0, 82}, 0, 10, 72, 10},
        // Provisional latch (60, -49) at 0.775 rad; K's offset (51.42, -50.39) snaps to (51, -50).
        {"half open, both ends on whole units", 1, kPi / 4, {10, 0}, {82, 0}, 10, 0, 61, -50},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Objex* door = Door(501, row.first, row.second);
        Record(door)->sideFlag = row.side;
        Record(door)->swingOrOffset = row.swing;
        BuildHingedDoor(door, Record(door));
        const std::vector<Objex*> pieces = ListOf(Pieces(door));
        ASSERT_EQ(pieces.size(), 10u);
        EXPECT_TRUE(Near({PointAt(pieces[9], 0)->position[0], PointAt(pieces[9], 0)->position[2],
                          PointAt(pieces[9], 1)->position[0], PointAt(pieces[9], 1)->position[2]},
                         {row.jh, row.jd, row.kh, row.kd}, 1e-4));
        EXPECT_EQ(Record(door)->swingOrOffset, row.swing);  // only the pocket and bi-fold doors write it
    }
}

// A pocket door is drawn closed whatever was stored, half its width back in the wall, half as
// thick; the stored swing becomes 0.
TEST_F(DoorLeavesTest, PocketDoorSlidesHalfIntoTheWall) {
    for (uint8_t side : {1, 0}) {
        SCOPED_TRACE(side);
        Objex* door = Door(510, {100, 0}, {172, 0});
        Record(door)->sideFlag = side;
        Record(door)->swingOrOffset = 1.5f;
        BuildHingedDoor(door, Record(door));
        EXPECT_EQ(Record(door)->swingOrOffset, 0.0f);
        // Hinge 100 (172 on the other hand) moved 36 away from the other end.
        const LeafFrame frame = side ? LeafFrame{64, 0, 1, 0, -2} : LeafFrame{208, 0, -1, 0, -2};
        const std::vector<Objex*> pieces = ListOf(Pieces(door));
        ASSERT_EQ(pieces.size(), 10u);
        EXPECT_TRUE(IsPiece(pieces[0], frame, Ring::Box, {0, kQ1, 0, kTop}, 1.0f));
        EXPECT_TRUE(IsPiece(pieces[6], frame, Ring::Box, {kM2, kM1, kF11, kF40}, 1.0f));
        EXPECT_TRUE(IsPiece(pieces[9], frame, Ring::Flat, {0, 72, kTop, 0}));
    }
}

// Two leaves of 36 folded to a right angle at K, the free end E back on the wall line about
// 0.71 W from the first point; the stored swing becomes pi/4.
TEST_F(DoorLeavesTest, BiFoldLeavesMeetAtARightAngle) {
    struct Row {
        uint8_t side;
        float kh, kd, eh, ed;
    };
    // Side set: provisional latch (35, -24), K's offset (25.97, -24.93) snaps to (26, -25); E = K
    // + (25, 26). Clear: the leaf turns the other way, K's offset (25.46, 25.46) snaps to (25, 25).
    for (const Row& row : {Row{1, 36, -25, 61, 1}, Row{0, 35, 25, 60, 0}}) {
        SCOPED_TRACE(row.side);
        Objex* door = Door(511, {10, 0}, {82, 0});
        Record(door)->sideFlag = row.side;
        Record(door)->swingOrOffset = 0.0f;
        BuildBiFoldDoor(door, Record(door));
        EXPECT_FLOAT_EQ(Record(door)->swingOrOffset, 0.7853982f);
        const std::vector<Objex*> pieces = ListOf(Pieces(door));
        ASSERT_EQ(pieces.size(), 14u);
        EXPECT_EQ(TypesOf(Pieces(door)), (std::vector<int16_t>{20, 20, 20, 20, 20, 20, 128, 20, 20, 20, 20, 20, 20, 128}));
        const Poinz* j = PointAt(pieces[6], 0);
        const Poinz* k = PointAt(pieces[6], 1);
        const Poinz* e = PointAt(pieces[13], 1);
        EXPECT_TRUE(Near({j->position[0], j->position[2], k->position[0], k->position[2], e->position[0], e->position[2]},
                         {10, 0, row.kh, row.kd, row.eh, row.ed}, 1e-3));
        EXPECT_TRUE(Near({PointAt(pieces[7], 0)->position[0] + PointAt(pieces[7], 3)->position[0],
                          PointAt(pieces[7], 0)->position[2] + PointAt(pieces[7], 3)->position[2]},
                         {2 * row.kh, 2 * row.kd}, 1e-3));  // the second leaf starts at K
        const float dot = (j->position[0] - k->position[0]) * (e->position[0] - k->position[0]) +
                          (j->position[2] - k->position[2]) * (e->position[2] - k->position[2]);
        EXPECT_NEAR(dot, 0.0f, 1e-2f);

        // Each leaf's stiles are a fifth of its length; no centre stile.
        const float l1 = std::hypot(row.kh - 10, row.kd), l2 = std::hypot(row.eh - row.kh, row.ed - row.kd);
        const LeafFrame leaf1{10, 0, (row.kh - 10) / l1, row.kd / l1, -2};
        const LeafFrame leaf2{row.kh, row.kd, (row.eh - row.kh) / l2, (row.ed - row.kd) / l2, -2};
        EXPECT_TRUE(IsPiece(pieces[0], leaf1, Ring::Box, {0, 0.2f * l1, 0, kTop}));
        EXPECT_TRUE(IsPiece(pieces[2], leaf1, Ring::Box, {0.8f * l1, 0.2f * l1, 0, kF11}));
        EXPECT_TRUE(IsPiece(pieces[8], leaf2, Ring::Box, {l2, 0.8f * l2, 0, kTop}));
        EXPECT_TRUE(IsPiece(pieces[12], leaf2, Ring::Box, {0.8f * l2, 0.2f * l2, kF94, kTop}));
    }
}

// Every piece: two rings of one size over the same plan positions; a box ring is a rectangle
// 2t across the leaf's axis, a strip or plane lies on it.
TEST_F(DoorLeavesTest, EveryPieceIsABandOrABoxOnTheLeafAxis) {
    const std::pair<int16_t, Builder> builders[] = {{501, BuildHingedDoor}, {510, BuildHingedDoor},
                                                    {508, BuildHingedGlassDoor}, {509, BuildHingedHalfGlassDoor},
                                                    {511, BuildBiFoldDoor}};
    for (const auto& [style, build] : builders) {
        for (float swing : {0.0f, 1.1f, -2.5f}) {
            SCOPED_TRACE(testing::Message() << style << " swing " << swing);
            Objex* door = Door(style, {40, 30}, {100, 110});  // a wall at an angle, 100 long
            Record(door)->swingOrOffset = swing;
            build(door, Record(door));
            const float t = style == 510 ? 1.0f : 2.0f;
            const std::vector<Objex*> pieces = ListOf(Pieces(door));
            ASSERT_FALSE(pieces.empty());
            LeafFrame axis;
            for (size_t i = 0; i < pieces.size(); ++i) {
                Objex* piece = pieces[i];
                const int ring = piece->pointCount / 2;
                ASSERT_TRUE(piece->rows == 2 && (ring == 4 || ring == 2)) << i;
                std::vector<Poinz*> c;
                for (int p = 0; p < 2 * ring; ++p) c.push_back(PointAt(piece, p));
                for (int p = 0; p < ring; ++p)
                    EXPECT_TRUE(Near({c[p]->position[0], c[p]->position[2]}, {c[p + ring]->position[0], c[p + ring]->position[2]}));
                if (style == 511 ? i % 7 == 0 : i == 0) {  // a leaf's hinge stile: J midway across its first end
                    const float len = std::hypot(c[1]->position[0] - c[0]->position[0], c[1]->position[2] - c[0]->position[2]);
                    axis = LeafFrame{(c[0]->position[0] + c[3]->position[0]) / 2, (c[0]->position[2] + c[3]->position[2]) / 2,
                                     (c[1]->position[0] - c[0]->position[0]) / len, (c[1]->position[2] - c[0]->position[2]) / len};
                }
                if (ring == 2) {
                    EXPECT_TRUE(Near({axis.across(c[0]), axis.across(c[1])}, {0, 0}, 1e-3)) << i;
                    continue;
                }
                // 2t across, corners paired along the axis: a rectangle, not a twisted band.
                EXPECT_TRUE(Near({axis.across(c[0]), axis.across(c[1]), axis.across(c[2]), axis.across(c[3]),
                                  axis.along(c[0]) - axis.along(c[3]), axis.along(c[1]) - axis.along(c[2])},
                                 {t, t, -t, -t, 0, 0}, 1e-3)) << i;
            }
        }
    }
}

// Pieces take the door's colours and material and hang behind whatever the list held.
TEST_F(DoorLeavesTest, PiecesTakeTheDoorsMaterialAndGoBehindTheFrame) {
    Objex* door = Door(501, {10, 0}, {82, 0});
    door->fillColor = RGBColor{1, 2, 3};
    door->penColor = RGBColor{4, 5, 6};
    door->texture = 2210;
    door->textureScales[4] = ShortPoint{80, 120};
    Objex* frame = Part(objtype::kFrameGroup);
    Record(door)->generatedParts = frame;

    BuildHingedDoor(door, Record(door));
    const std::vector<Objex*> list = ListOf(Pieces(door));
    ASSERT_EQ(list.size(), 11u);
    EXPECT_EQ(list[0], frame);
    for (size_t i = 1; i < list.size(); ++i) {
        const Objex* piece = list[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(piece->prev, list[i - 1]);
        EXPECT_TRUE(Near({piece->closed, piece->visible, piece->penWidth, piece->penStyle, piece->fillPattern, piece->rows},
                         {1, 1, 1, 6, 0, 2}));
        EXPECT_TRUE(Same({piece->parent, piece->layer}, {door, door->layer}));
        EXPECT_TRUE(piece->typeData.empty());
        EXPECT_EQ(piece->fillColor, (RGBColor{1, 2, 3}));
        EXPECT_EQ(piece->penColor, (RGBColor{4, 5, 6}));
        for (const Poinz* p = piece->firstPoint; p; p = p->next) {
            EXPECT_TRUE(Near({p->kind, p->selected, p->locked, p->texture1, p->texture2, p->faceScale1.x,
                              p->faceScale1.y, p->faceScale2.x, p->faceScale2.y},
                             {1, 1, 0, 2210, 2210, 80, 120, 80, 120}));
            EXPECT_TRUE(p->color1 == (RGBColor{4, 5, 6}) && p->color2 == (RGBColor{4, 5, 6}));
            EXPECT_TRUE(Near({p->inTangent[0], p->inTangent[1], p->inTangent[2], p->outTangent[0], p->outTangent[1],
                              p->outTangent[2]},
                             {0, 0, 0, 0, 0, 0}));
        }
        EXPECT_LT(piece->bounds.floatLeft, piece->bounds.floatRight);  // grown from an empty box
    }
    // The hinge stile: H 10 to 20.08, 4 across D, from Vb -2 up 157; its ring's perimeter with
    // the closing side 2 (10.08 + 4).
    const Float3DRect& s = list[1]->bounds3D;
    EXPECT_TRUE(Near({s.floatLeft, s.floatRight, s.floatTop, s.floatBottom, s.floatBack, s.floatFront},
                     {10, 20.08f, -159, -2, -2, 2}, 1e-3));
    EXPECT_NEAR(PointAt(list[1], 0)->rowPerimeter, 28.16f, 1e-3f);
}

// A builder given another style (the arched openings 504 and 505 included), or missing what
// it reads, leaves the frame alone in the list and the stored swing as it was.
TEST_F(DoorLeavesTest, GuardsBuildNothingAndLeaveTheListAsItWas) {
    const std::pair<std::vector<int16_t>, Builder> own[] = {
        {{501, 510}, BuildHingedDoor}, {{508}, BuildHingedGlassDoor}, {{509}, BuildHingedHalfGlassDoor},
        {{511}, BuildBiFoldDoor},      {{506, 507}, BuildHingedArchDoor}, {{503}, BuildGarageDoor}};
    Objex* frame = nullptr;
    const auto door = [&](int16_t style) {
        Objex* d = Door(style, {10, 0}, {82, 0});
        Record(d)->generatedParts = frame = Part(objtype::kFrameGroup);
        Record(d)->swingOrOffset = 1.5f;
        return d;
    };
    const auto untouched = [&](Objex* d) {
        return ListOf(Pieces(d)) == std::vector<Objex*>{frame} && Record(d)->swingOrOffset == 1.5f;
    };
    struct Case {
        const char* what;
        std::function<void(Objex*&, AttachmentRecord*&)> spoil;
        std::function<void(Objex*)> mend;
    };
    const Case cases[] = {
        {"one point",
         [](Objex*& d, AttachmentRecord*&) {
             delete d->firstPoint->next;
             d->firstPoint->next = nullptr;
             d->pointCount = 1;
         },
         {}},
        {"no parent", [](Objex*& d, AttachmentRecord*&) { d->parent = nullptr; }, [this](Objex* d) { d->parent = wall; }},
        {"no record", [](Objex*&, AttachmentRecord*& r) { r = nullptr; }, {}},
        {"no door", [](Objex*& d, AttachmentRecord*&) { d = nullptr; }, {}},
        {"no document", [](Objex*&, AttachmentRecord*&) { gCurDocument = nullptr; }, [this](Objex*) { gCurDocument = doc; }},
    };
    for (const auto& [styles, build] : own) {
        for (int16_t style = 499; style <= 513; ++style) {
            if (std::find(styles.begin(), styles.end(), style) != styles.end()) continue;
            Objex* d = door(style);
            build(d, Record(d));
            EXPECT_TRUE(untouched(d)) << style;
        }
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << styles[0] << ": " << c.what);
            Objex* d = door(styles[0]);
            Objex* given = d;
            AttachmentRecord* record = Record(d);
            c.spoil(given, record);
            build(given, record);
            if (c.mend) c.mend(d);
            EXPECT_TRUE(untouched(d));
        }
    }
}

// An opening 3.0 high leaves no height for the leaf: every ring on the leaf's bottom but the
// horizontal glazing bars', 2.0 high about it.
TEST_F(DoorLeavesTest, LeafOfNoHeightIsFlat) {
    const std::pair<int16_t, Builder> builders[] = {{501, BuildHingedDoor}, {510, BuildHingedDoor},
                                                    {508, BuildHingedGlassDoor}, {509, BuildHingedHalfGlassDoor},
                                                    {511, BuildBiFoldDoor}};
    for (const auto& [style, build] : builders) {
        Objex* door = Door(style, {10, 0}, {82, 0}, 3.0f);
        build(door, Record(door));
        ASSERT_NE(Pieces(door), nullptr) << style;
        EXPECT_TRUE(AllFinite(Pieces(door))) << style;
        for (const Objex* piece = Pieces(door); piece; piece = piece->next) {
            float low = 1e9f, high = -1e9f;
            for (const Poinz* p = piece->firstPoint; p; p = p->next)
                low = std::min(low, p->position[1]), high = std::max(high, p->position[1]);
            const bool flat = low == -2.0f && high == -2.0f;
            const bool bar = piece->pointCount == 4 && low == -3.0f && high == -1.0f;
            EXPECT_TRUE(flat || bar) << style << ": " << low << " to " << high;
        }
    }
}

// A far-off hinge (a damaged file) is clamped to the 16-bit range before it is snapped.
TEST_F(DoorLeavesTest, FarOffHingeSnapsToTheClampedUnit) {
    struct Row {
        float h;
        float wantJ;
    };
    for (const Row& row : {Row{1e9f, 32767.0f}, Row{-1e9f, -32768.0f}}) {
        Objex* door = Door(501, {row.h, 0}, {row.h + 64, 0});
        BuildHingedDoor(door, Record(door));
        const std::vector<Objex*> pieces = ListOf(Pieces(door));
        ASSERT_EQ(pieces.size(), 10u);
        EXPECT_TRUE(AllFinite(Pieces(door)));
        EXPECT_EQ(PointAt(pieces[9], 0)->position[0], row.wantJ);
        EXPECT_EQ(PointAt(pieces[9], 0)->position[2], 0.0f);
    }
}

// Memory running out: a piece whose record cannot be made is left out and the rest follow; a
// point that cannot be made ends the build with the whole pieces before it.
TEST_F(DoorLeavesTest, PiecesThatCannotBeMadeAreLeftOutOrEndTheBuild) {
    static_assert(sizeof(Objex) != sizeof(Poinz));
    Objex* skipped = Door(501, {10, 0}, {82, 0});
    {
        FailingAllocation noSecondPiece(sizeof(Objex), 1);
        BuildHingedDoor(skipped, Record(skipped));
        EXPECT_TRUE(noSecondPiece.failed());
    }
    // The latch stile is missing; the bottom rail follows the hinge stile.
    const std::vector<Objex*> pieces = ListOf(Pieces(skipped));
    ASSERT_EQ(pieces.size(), 9u);
    EXPECT_TRUE(IsPiece(pieces[0], LeafFrame{10, 0, 1, 0, -2}, Ring::Box, {0, kQ1, 0, kTop}));
    EXPECT_TRUE(IsPiece(pieces[1], LeafFrame{10, 0, 1, 0, -2}, Ring::Box, {kQ2, kQ1, 0, kF11}));

    const std::pair<int16_t, Builder> builders[] = {{501, BuildHingedDoor}, {508, BuildHingedGlassDoor},
                                                    {509, BuildHingedHalfGlassDoor}, {511, BuildBiFoldDoor},
                                                    {506, BuildHingedArchDoor}, {503, BuildGarageDoor}};
    for (const auto& [style, build] : builders) {
        for (int made : {0, 3, 20, 41}) {  // a point of the first, the 3rd or a later piece
            SCOPED_TRACE(testing::Message() << style << " after " << made << " points");
            Objex* door = Door(style, {10, 0}, {82, 0});
            Record(door)->width = 72.0f;
            FailingAllocation noPoint(sizeof(Poinz), made);
            build(door, Record(door));
            ASSERT_TRUE(noPoint.failed());
            int points = 0;
            for (const Objex* piece = Pieces(door); piece; piece = piece->next) {
                EXPECT_TRUE(piece->pointCount == 8 || piece->pointCount == 4 || piece->pointCount == 21 ||
                            piece->pointCount == 84);
                points += piece->pointCount;
            }
            EXPECT_LE(points, made);
            EXPECT_GT(points + 84, made);  // no more than the failing piece lost
        }
    }
}

}  // namespace

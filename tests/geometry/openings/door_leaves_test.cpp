// The door leaves: each style's pieces against layouts worked out by hand, read in the leaf's
// own axes; swing and hand, the pieces' material, and builds that refuse or stop.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <new>
#include <numbers>

#include "geometry/openings/door_leaves.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "support/build.h"

using namespace dvxtest;

// Memory running out mid-build: objects and points are made with the nothrow `new`, replaced
// here for this whole test program; while a FailingAllocation lives, the allocation of `size`
// bytes that follows `succeeding` successful ones fails, once.
static std::size_t gFailSize = 0;
static int gSucceeding = -1;  // allocations of gFailSize still to succeed; -1: none fails
static bool gFailed = false;

// The throwing form underneath keeps allocation and release matched for the sanitizers.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    if (gSucceeding >= 0 && size == gFailSize && gSucceeding-- == 0) return gFailed = true, nullptr;
    try { return ::operator new(size); } catch (...) { return nullptr; }
}

namespace {

struct FailingAllocation {
    FailingAllocation(std::size_t size, int succeeding) { gFailSize = size, gSucceeding = succeeding, gFailed = false; }
    ~FailingAllocation() { gSucceeding = -1; }
    bool failed() const { return gFailed; }
};

using Builder = void (*)(Objex*, AttachmentRecord*);
constexpr float kPi = std::numbers::pi_v<float>;

// A leaf's axes: J, the unit vector u toward the latch end, the V of its bottom. Across runs
// along (-u.d, u.h), the side a hinged box's first corner lies.
struct LeafFrame {
    float jh = 0, jd = 0, uh = 1, ud = 0, vb = -2;
    float along(const Poinz* p) const { return (p->position[0] - jh) * uh + (p->position[2] - jd) * ud; }
    float across(const Poinz* p) const { return -(p->position[0] - jh) * ud + (p->position[2] - jd) * uh; }
    float above(const Poinz* p) const { return vb - p->position[1]; }
};

// How a piece's two rings run: a hinged box (P+tn, Q+tn, Q-tn, P-tn), the garage door's box
// (P-tn, P+tn, Q+tn, Q-tn in these axes), a strip (P, Q) or the infill plane (P, Q, type 128).
enum class Ring { Box, GarageBox, Strip, Plane };
using enum Ring;
// From P to Q along the leaf, the first ring `first` above the leaf's bottom, the second `second`.
struct Span { float from, to, first, second; };
using Want = std::vector<std::pair<Ring, Span>>;

// The first want.size() pieces against their rows, boxes 2t across; `whole`: and nothing more.
::testing::AssertionResult ArePieces(const std::vector<Objex*>& pieces, const LeafFrame& f, const Want& want,
                                     float t = 2, bool whole = true) {
    if (pieces.size() < want.size() || (whole && pieces.size() != want.size()))
        return ::testing::AssertionFailure() << pieces.size() << " pieces, wanted " << want.size();
    for (size_t k = 0; k < want.size(); ++k) {
        const auto [ring, span] = want[k];
        const char* corners = ring == Box ? "P+Q+Q-P-" : ring == GarageBox ? "P-P+Q+Q-" : "P0Q0";
        const int n = static_cast<int>(std::strlen(corners) / 2);
        const Objex* piece = pieces[k];
        if (piece->type != (ring == Plane ? 128 : 20) || piece->rows != 2 || piece->pointCount != 2 * n)
            return ::testing::AssertionFailure() << "piece " << k + 1 << " is not of its kind";
        const Poinz* p = piece->firstPoint;
        for (int i = 0; i < 2 * n; ++i, p = p->next) {
            const char* c = corners + 2 * (i % n);
            const float along = c[0] == 'Q' ? span.to : span.from, above = i < n ? span.first : span.second;
            const float across = c[1] == '+' ? t : c[1] == '-' ? -t : 0;
            if (auto r = Near({f.along(p), f.across(p), f.above(p)}, {along, across, above}, 0.01); !r)
                return ::testing::AssertionFailure() << "piece " << k + 1 << ", point " << i << ": " << r.message();
        }
    }
    return ::testing::AssertionSuccess();
}

// A 72 x 160 leaf on a wall along +H: L = 72, hd = 160 - 3 = 157, Vb = -2. Stiles 0.14 L =
// 10.08 wide, the centre stile 0.07 L either side of the middle; rails at 0.11, 0.40, 0.49,
// 0.78, 0.84 and 0.94 of 157.
constexpr float kQ1 = 10.08f, kQ2 = 61.92f, kM2 = 30.96f, kM1 = 41.04f, kTop = 157.0f;
constexpr float kF11 = 17.27f, kF40 = 62.8f, kF49 = 76.93f, kF78 = 122.46f, kF84 = 131.88f, kF94 = 147.58f;

class DoorLeaves : public SelectionTest {
protected:
    void SetUp() override {
        SelectionTest::SetUp();
        wall = Wall(floor, {{0, 0}, {500, 0}});
        wall->elevation = 0.0f;
    }
    // On the wall from `a` to `b` (H, D), no sill offset, hinged at `a`, closed, no pieces.
    Objex* Door(int16_t style, std::pair<float, float> a, std::pair<float, float> b, float height = 160) {
        Objex* door = Opening(wall, objtype::kDoor, style, 0);
        PointAt(door, 0)->position[0] = a.first, PointAt(door, 0)->position[2] = a.second;
        PointAt(door, 1)->position[0] = b.first, PointAt(door, 1)->position[2] = b.second;
        AttachmentRecord* r = Record(door);
        r->height = height, r->elevation = 0, r->sideFlag = 1, r->swingOrOffset = 0;
        return door;
    }
    static AttachmentRecord* Record(Objex* door) { return door->typeData.attachment; }
    static std::vector<Objex*> Pieces(Objex* door) { return ListOf(Record(door)->generatedParts); }
    Objex* wall = nullptr;
};

// Closed leaves, behind the frame in the list, in the door's colours and material. The glazed
// ones start 1.0 inside the opening; their glass between the stiles is G = 0.72 L = 51.84,
// vertical bars 2.0 wide centred at Q1 + 0.33 G = 27.19 and Q1 + 0.66 G = 44.29. A pocket door
// is drawn closed whatever was stored, half as thick, its hinge moved 36 away from the other
// end; it stores a swing of 0.
TEST_F(DoorLeaves, ClosedRectangularLeavesFollowTheirLayouts) {
    const Want panelled = {{Box, {0, kQ1, 0, kTop}},      {Box, {72, kQ2, 0, kTop}},      {Box, {kQ2, kQ1, 0, kF11}},
                           {Box, {kQ2, kQ1, kF40, kF49}}, {Box, {kQ2, kQ1, kF78, kF84}}, {Box, {kQ2, kQ1, kF94, kTop}},
                           {Box, {kM2, kM1, kF11, kF40}}, {Box, {kM2, kM1, kF49, kF78}}, {Box, {kM2, kM1, kF84, kF94}},
                           {Plane, {0, 72, kTop, 0}}};
    struct Row {
        const char* what;
        int16_t style;
        Builder build;
        uint8_t side;
        float at, t;  // the first point's H, a box's half thickness
        LeafFrame frame;
        Want want;
    };
    const Row rows[] = {
        {"hinged", 501, BuildHingedDoor, 1, 10, 2, {10}, panelled},
        {"pocket", 510, BuildHingedDoor, 1, 100, 1, {64}, panelled},
        {"pocket, other hand", 510, BuildHingedDoor, 0, 100, 1, {208, 0, -1}, panelled},
        // Horizontal bars at 0.2 ... 0.8 of the 130.31 from 17.27 to 147.58.
        {"French", 508, BuildHingedGlassDoor, 1, 10, 2, {11},
         {{Box, {0, kQ1, 0, kTop}}, {Box, {72, kQ2, 0, kTop}}, {Box, {kQ2, kQ1, 0, kF11}},
          {Box, {kQ2, kQ1, kF94, kTop}}, {Strip, {26.19f, 28.19f, kF11, kF94}}, {Strip, {43.29f, 45.29f, kF11, kF94}},
          {Strip, {kQ1, kQ2, 42.33f, 44.33f}}, {Strip, {kQ1, kQ2, 68.39f, 70.39f}},
          {Strip, {kQ1, kQ2, 94.46f, 96.46f}}, {Strip, {kQ1, kQ2, 120.52f, 122.52f}}}},
        // Bars above the lock rail only, horizontal ones at a third and two thirds of the 70.65
        // from 76.93 to 147.58; the infill from the lock rail's top down.
        {"nine lites", 509, BuildHingedHalfGlassDoor, 1, 10, 2, {11},
         {{Box, {0, kQ1, 0, kTop}}, {Box, {72, kQ2, 0, kTop}}, {Box, {kQ2, kQ1, 0, kF11}},
          {Box, {kQ2, kQ1, kF40, kF49}}, {Box, {kQ2, kQ1, kF94, kTop}}, {Strip, {26.19f, 28.19f, kF49, kF94}},
          {Strip, {43.29f, 45.29f, kF49, kF94}}, {Strip, {kQ1, kQ2, 99.24f, 101.24f}},
          {Strip, {kQ1, kQ2, 122.56f, 124.56f}}, {Box, {kM2, kM1, kF11, kF40}}, {Plane, {0, 72, kF49, 0}}}},
    };
    const RGBColor fill{1, 2, 3}, pen{4, 5, 6};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Objex* door = Door(row.style, {row.at, 0}, {row.at + 72, 0});
        door->fillColor = fill, door->penColor = pen, door->texture = 2210, door->textureScales[4] = {80, 120};
        Objex* frame = Record(door)->generatedParts = Part(objtype::kFrameGroup);
        Record(door)->sideFlag = row.side;
        Record(door)->swingOrOffset = row.style == 510 ? 1.5f : 0.0f;
        row.build(door, Record(door));
        EXPECT_EQ(Record(door)->swingOrOffset, 0.0f);
        std::vector<Objex*> list = Pieces(door);
        ASSERT_TRUE(!list.empty() && list[0] == frame);
        for (size_t i = 1; i < list.size(); ++i) {
            const Objex* piece = list[i];
            EXPECT_TRUE(Same({piece->prev, piece->parent, piece->layer}, {list[i - 1], door, door->layer})) << i;
            EXPECT_TRUE(piece->closed && piece->fillColor == fill && piece->penColor == pen) << i;
            for (const Poinz* p = piece->firstPoint; p; p = p->next)
                EXPECT_TRUE(p->color1 == pen && p->color2 == pen &&
                            Near({p->texture1, p->texture2, p->faceScale1.x, p->faceScale2.y}, {2210, 2210, 80, 120}));
        }
        list.erase(list.begin());
        EXPECT_TRUE(ArePieces(list, row.frame, row.want, row.t));
        // The hinge stile's bounds, grown from an empty box: 10.08 along, 2t across, from Vb -2
        // up 157; its ring's perimeter with the closing side 2 (10.08 + 2t).
        const Float3DRect& b = list[0]->bounds3D;
        EXPECT_TRUE(Near({b.floatRight - b.floatLeft, b.floatTop, b.floatBottom, b.floatFront - b.floatBack,
                          list[0]->bounds.floatRight - list[0]->bounds.floatLeft, PointAt(list[0], 0)->rowPerimeter},
                         {kQ1, -159, -2, 2 * row.t, kQ1, 2 * (kQ1 + 2 * row.t)}, 1e-3));
    }
}

// The hinge by the side flag, the leaf turned counter-clockwise about it by the swing, both
// ends on whole units, the hinge stile from J and the latch stile from K; the swing is kept.
TEST_F(DoorLeaves, SwingTurnsTheLeafAboutItsHinge) {
    struct Row {
        const char* what;
        int16_t style;
        Builder build;
        uint8_t side;
        float swing;
        std::pair<float, float> a, b;  // the opening
        float jh, jd, kh, kd;          // J and K
    };
    const Row rows[] = {
        {"a quarter turn points toward -D", 501, BuildHingedDoor, 1, kPi / 2, {10, 0}, {82, 0}, 10, 0, 10, -72},
        {"the other hand, from the second point", 501, BuildHingedDoor, 0, kPi / 2, {10, 0}, {82, 0}, 82, 0, 82, 72},
        {"a wall running +D", 508, BuildHingedGlassDoor, 1, kPi / 2, {0, 10}, {0, 82}, 0, 11, 72, 11},
        // Provisional latch (61, -49) at 0.775 rad; K's offset (51.42, -50.39) snaps to (51, -50)
        // as (51.42, 50.39) would to (51, 50), and J's (-51, 50) comes back to the hinge.
        {"half open", 509, BuildHingedHalfGlassDoor, 1, kPi / 4, {10, 0}, {82, 0}, 11, 0, 62, -50},
        // A far-off hinge (a damaged file) is clamped to the 16-bit range before it is snapped.
        {"far off", 501, BuildHingedDoor, 1, 0, {1e9f, 0}, {1e9f + 64, 0}, 32767, 0, 32831, 0},
        {"far off the other way", 501, BuildHingedDoor, 1, 0, {-1e9f, 0}, {-1e9f + 64, 0}, -32768, 0, -32704, 0},
    };
    for (const Row& row : rows) {
        Objex* door = Door(row.style, row.a, row.b);
        Record(door)->sideFlag = row.side;
        Record(door)->swingOrOffset = row.swing;
        row.build(door, Record(door));
        const float l = std::hypot(row.kh - row.jh, row.kd - row.jd);
        const LeafFrame f{row.jh, row.jd, (row.kh - row.jh) / l, (row.kd - row.jd) / l};
        const Want stiles = {{Box, {0, 0.14f * l, 0, kTop}}, {Box, {l, 0.86f * l, 0, kTop}}};
        EXPECT_TRUE(ArePieces(Pieces(door), f, stiles, 2, false)) << row.what;
        EXPECT_EQ(Record(door)->swingOrOffset, row.swing) << row.what;
    }
}

// Two leaves of 36 folded to a right angle at K, stiles a fifth of each leaf, the free end E
// near the wall line; the stored swing becomes pi/4. Side set: provisional latch (35, -24),
// K's offset (25.97, -24.93) snaps to (26, -25), E = K + (25, 26). Clear: the leaf turns the
// other way, K's offset (25.46, 25.46) snaps to (25, 25).
TEST_F(DoorLeaves, BiFoldLeavesMeetAtARightAngle) {
    for (const auto& [side, kh, kd, eh, ed] : {std::tuple{1, 36, -25, 61, 1}, std::tuple{0, 35, 25, 60, 0}}) {
        Objex* door = Door(511, {10, 0}, {82, 0});
        Record(door)->sideFlag = side;
        BuildBiFoldDoor(door, Record(door));
        EXPECT_FLOAT_EQ(Record(door)->swingOrOffset, kPi / 4);
        const std::vector<Objex*> pieces = Pieces(door);
        ASSERT_EQ(pieces.size(), 14u);
        const float l1 = std::hypot(kh - 10.0f, kd), l2 = std::hypot(eh - kh, ed - kd);
        const LeafFrame leaves[] = {{10, 0, (kh - 10) / l1, kd / l1},
                                    {float(kh), float(kd), (eh - kh) / l2, (ed - kd) / l2}};
        for (int leaf = 0; leaf < 2; ++leaf) {
            const float l = leaf ? l2 : l1, q1 = 0.2f * l, q2 = 0.8f * l;
            const Want want = {{Box, {0, q1, 0, kTop}},     {Box, {l, q2, 0, kTop}},      {Box, {q2, q1, 0, kF11}},
                               {Box, {q2, q1, kF40, kF49}}, {Box, {q2, q1, kF78, kF84}}, {Box, {q2, q1, kF94, kTop}},
                               {Plane, {0, l, kTop, 0}}};
            EXPECT_TRUE(ArePieces({pieces.begin() + 7 * leaf, pieces.end()}, leaves[leaf], want, 2, false))
                << side << " " << leaf;
        }
    }
}

// The arched leaf from J = 13 to K = 85 (3.0 inside a 72-wide opening hinged at H 10), 160
// high, its crown 1.0 below the opening's top, 157 above Vb; the stiles' inner arch has the
// semi-axis Ri = (72 - 20.16) / 2 = 25.92. Rails and centre stile are the hinged leaf's over
// the straight part, the centre stile then on up to the inner crown.
TEST_F(DoorLeaves, ArchedLeavesRiseToTheirCrowns) {
    constexpr float kRi = 25.92f;
    const LeafFrame f{13};
    // Points first .. first + 18: an arch about (along 36, above `spring`), from 180 to 0
    // degrees or the other way round.
    const auto isArch = [&](Objex* piece, int first, bool fromLatch, float spring, float a, float b, float across) {
        for (int i = 0; i < 19; ++i) {
            const Poinz* p = PointAt(piece, first + i);
            const float rad = (fromLatch ? 180.0f - 10.0f * i : 10.0f * i) * kPi / 180.0f;
            const float along = 36 - a * std::cos(rad), above = spring + b * std::sin(rad);
            if (!Near({f.along(p), f.above(p), f.across(p)}, {along, above, across}, 2e-3))
                return ::testing::AssertionFailure() << "point " << first + i;
        }
        return ::testing::AssertionSuccess();
    };
    struct Row {
        const char* what;
        int16_t style;
        float recordWidth;
        float s, outerA, outerB, innerB;  // the straight part's height, the arches' semi-axes
    };
    const Row rows[] = {
        {"round: half circles", 506, 72, 121, 36, 36, kRi},
        {"flattened: the outer rises 0.5 R^2 / Ri = 25, the inner 0.5 Ri", 507, 72, 132, 36, 25, 0.5f * kRi},
        {"no record width: the outer arch's semi-axis is 1.0", 506, 0, 156, 1, 1, kRi},
    };
    for (const auto& [what, style, recordWidth, s, outerA, outerB, innerB] : rows) {
        SCOPED_TRACE(what);
        Objex* door = Door(style, {10, 0}, {82, 0});
        Record(door)->width = recordWidth;
        BuildHingedArchDoor(door, Record(door));
        const std::vector<Objex*> pieces = Pieces(door);
        ASSERT_EQ(pieces.size(), 10u);
        EXPECT_TRUE(ArePieces(pieces, f,
                              {{Box, {kQ2, kQ1, 0, 0.11f * s}}, {Box, {kQ2, kQ1, 0.40f * s, 0.49f * s}},
                               {Box, {kQ2, kQ1, 0.78f * s, 0.84f * s}}, {Box, {kQ2, kQ1, 0.94f * s, s}},
                               {Box, {kM2, kM1, 0.11f * s, 0.40f * s}}, {Box, {kM2, kM1, 0.49f * s, 0.78f * s}},
                               {Box, {kM2, kM1, 0.84f * s, 0.94f * s}}, {Box, {kM2, kM1, s, s + innerB}}},
                              2, false));
        // The outline plane: K, the outer arch from the latch side over the crown, J.
        Objex* outline = pieces[8];
        ASSERT_TRUE(outline->type == 128 && outline->rows == 1 && outline->pointCount == 21);
        EXPECT_TRUE(Near({PointAt(outline, 0)->position[0], PointAt(outline, 20)->position[0]}, {85, 13}, 1e-3));
        EXPECT_TRUE(isArch(outline, 1, true, s, outerA, outerB, 0));
        // Stiles and head rail, each ring 2.0 across: Q2, the inner arch, Q1, J, the outer arch back, K.
        Objex* head = pieces[9];
        ASSERT_TRUE(head->rows == 2 && head->pointCount == 84);
        for (const auto& [o, across] : {std::pair{0, 2.0f}, {42, -2.0f}}) {
            for (const auto& [at, along] : {std::pair{0, kQ2}, {20, kQ1}, {21, 0.0f}, {41, 72.0f}}) {
                const Poinz* p = PointAt(head, o + at);
                EXPECT_TRUE(Near({f.along(p), f.above(p), f.across(p)}, {along, 0, across}, 1e-3)) << o + at;
            }
            EXPECT_TRUE(isArch(head, o + 1, true, s, kRi, innerB, across));
            EXPECT_TRUE(isArch(head, o + 22, false, s, outerA, outerB, across));
        }
    }
}

// The overhead door at the default scale, 2 plan units to the inch: 16 by 7 feet is 8 columns
// of 48 and 4 rows of 42, joints 8 wide and 16 high, end stiles and rails half that. It fills
// the opening up from the sill offset 10 above the wall's base, whose 12 inches the scene
// adds, not the builder; neither its hand nor its swing turns it.
TEST_F(DoorLeaves, GarageDoorFillsTheOpeningInSections) {
    wall->elevation = 12.0f;
    Objex* door = Door(503, {10, 0}, {394, 0}, 168);
    Record(door)->elevation = 10, Record(door)->sideFlag = 0, Record(door)->swingOrOffset = 1.0f;
    BuildGarageDoor(door, Record(door));
    Want want;
    for (int i = 1; i < 8; ++i) want.push_back({GarageBox, {48.0f * i - 4, 48.0f * i + 4, 0, 168}});
    for (int j = 1; j < 4; ++j) want.push_back({GarageBox, {0, 384, 42.0f * j - 8, 42.0f * j + 8}});
    want.insert(want.end(), {{GarageBox, {0, 4, 0, 168}}, {GarageBox, {380, 384, 0, 168}},
                             {GarageBox, {0, 384, 0, 8}}, {GarageBox, {0, 384, 160, 168}},
                             {Plane, {0, 384, 168, 0}}});
    EXPECT_TRUE(ArePieces(Pieces(door), LeafFrame{10, 0, 1, 0, -10}, want));

    // Sections are counted to the nearest whole one, at least one and at most a thousand; the
    // pieces are the joints plus two stiles, two rails and the infill.
    for (const auto& [what, width, pieces] :
         {std::tuple{"35 inches: one column", 70.0f, 0 + 3 + 5}, {"36 inches: two", 72.0f, 1 + 3 + 5},
          {"10 inches: rounded to none, raised to one", 20.0f, 0 + 3 + 5}, {"a damaged size", 1e9f, 999 + 3 + 5}}) {
        Objex* d = Door(503, {10, 0}, {10 + width, 0}, 168);
        BuildGarageDoor(d, Record(d));
        EXPECT_EQ(Pieces(d).size(), size_t(pieces)) << what;
    }
}

// A builder given another style (the arched openings 504 and 505 included), or missing what
// it reads, leaves the frame alone in the list and the stored swing as it was.
TEST_F(DoorLeaves, GuardsBuildNothingAndLeaveTheListAsItWas) {
    const std::pair<std::vector<int16_t>, Builder> own[] = {
        {{501, 510}, BuildHingedDoor}, {{508}, BuildHingedGlassDoor},      {{509}, BuildHingedHalfGlassDoor},
        {{511}, BuildBiFoldDoor},      {{506, 507}, BuildHingedArchDoor}, {{503}, BuildGarageDoor}};
    using Spoil = std::function<void(Objex*&, AttachmentRecord*&)>;
    const std::pair<const char*, Spoil> cases[] = {
        {"one point", [](Objex*& d, AttachmentRecord*&) {
             delete d->firstPoint->next;
             d->firstPoint->next = nullptr, d->pointCount = 1;
         }},
        {"no parent", [](Objex*& d, AttachmentRecord*&) { d->parent = nullptr; }},
        {"no record", [](Objex*&, AttachmentRecord*& r) { r = nullptr; }},
        {"no door", [](Objex*& d, AttachmentRecord*&) { d = nullptr; }},
        {"no document", [](Objex*&, AttachmentRecord*&) { gCurDocument = nullptr; }},
    };
    const auto check = [&](int16_t style, Builder build, const Spoil& spoil, const std::string& what) {
        Objex* d = Door(style, {10, 0}, {82, 0});
        Objex* frame = Record(d)->generatedParts = Part(objtype::kFrameGroup);
        Record(d)->swingOrOffset = 1.5f;
        Objex* given = d;
        AttachmentRecord* record = Record(d);
        if (spoil) spoil(given, record);
        build(given, record);
        d->parent = wall, gCurDocument = doc;
        EXPECT_TRUE(Pieces(d) == std::vector<Objex*>{frame} && Record(d)->swingOrOffset == 1.5f) << what;
    };
    for (const auto& [styles, build] : own) {
        for (int16_t style = 499; style <= 513; ++style)
            if (std::find(styles.begin(), styles.end(), style) == styles.end())
                check(style, build, {}, std::to_string(styles[0]) + " given " + std::to_string(style));
        for (const auto& [what, spoil] : cases) check(styles[0], build, spoil, std::to_string(styles[0]) + ": " + what);
    }
}

// Memory running out: a piece whose record cannot be made is left out and the rest follow; a
// point that cannot be made ends the build with the whole pieces before it.
TEST_F(DoorLeaves, PiecesThatCannotBeMadeAreLeftOutOrEndTheBuild) {
    static_assert(sizeof(Objex) != sizeof(Poinz));
    Objex* skipped = Door(501, {10, 0}, {82, 0});
    {
        FailingAllocation noSecondPiece(sizeof(Objex), 1);
        BuildHingedDoor(skipped, Record(skipped));
        EXPECT_TRUE(noSecondPiece.failed());
    }
    // The latch stile is missing; the bottom rail follows the hinge stile.
    EXPECT_EQ(Pieces(skipped).size(), 9u);
    EXPECT_TRUE(ArePieces(Pieces(skipped), {10}, {{Box, {0, kQ1, 0, kTop}}, {Box, {kQ2, kQ1, 0, kF11}}}, 2, false));

    const std::pair<int16_t, Builder> builders[] = {{501, BuildHingedDoor},           {508, BuildHingedGlassDoor},
                                                    {509, BuildHingedHalfGlassDoor}, {511, BuildBiFoldDoor},
                                                    {506, BuildHingedArchDoor},       {503, BuildGarageDoor}};
    for (const auto& [style, build] : builders) {
        for (int made : {3, 41}) {  // a point of the first or the sixth piece
            SCOPED_TRACE(testing::Message() << style << " after " << made << " points");
            Objex* door = Door(style, {10, 0}, {82, 0});
            Record(door)->width = 72.0f;
            FailingAllocation noPoint(sizeof(Poinz), made);
            build(door, Record(door));
            ASSERT_TRUE(noPoint.failed());
            int points = 0;
            for (const Objex* piece : Pieces(door)) {
                const int n = piece->pointCount;
                EXPECT_TRUE(n == 8 || n == 4 || n == 21 || n == 84) << n;
                points += n;
            }
            EXPECT_TRUE(points <= made && points + 84 > made) << points;  // no more than the failing piece lost
        }
    }
}

}  // namespace

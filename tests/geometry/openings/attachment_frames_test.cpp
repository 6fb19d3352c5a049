// Frames, separators, stools, sills and accessory planes of openings on a wall along +H, its
// thickness 6 (12 plan units: faces at D = -6 and +6), base 0; the opening's bottom 2 above it, so
// a point z up the opening has V = -2 - z. The offset along the angle a + 90 degrees is -D.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

#include "geometry/openings/attachment_frames.h"
#include "geometry/openings/component_parts.h"
#include "files/symbol_lists.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/transforms.h"
#include "model/view_layers.h"
#include "scene/scene_build.h"
#include "support/build.h"
#include "support/scene_checks.h"

using namespace dvxtest;

namespace {

struct XZ {
    float x, z;
};

class AttachmentFrames : public SelectionTest {
protected:
    void SetUp() override {
        SelectionTest::SetUp();
        wall = Wall(floor, {{0, 0}, {500, 0}});
        wall->elevation = 0;
        wall->penWidth = 6;
        ASSERT_FLOAT_EQ(ConvertWorldToScreen(6, CurrentDocState(), 0), 12);
    }
    // From H 10 to 10 + W, W by H, no bars, flip or hand.
    Objex* Open(int16_t type, int16_t style, float W = 30, float H = 80) {
        Objex* o = Opening(wall, type, style, 0);
        PointAt(o, 1)->position[0] = 10 + W;
        AttachmentRecord* r = Record(o);
        r->width = W, r->height = H, r->elevation = 2;
        r->sideFlag = 0, r->directionFlag = 0, r->frameFlag = 0, r->reserved = 0, r->trimWidth = 0;
        return o;
    }
    static AttachmentRecord* Record(Objex* o) { return o->typeData.attachment; }
    static std::vector<Objex*> Pieces(Objex* o) { return ListOf(Record(o)->generatedParts); }
    // A wall like `wall` on the second floor, standing on that floor's base (inches) as the
    // wall tools leave it.
    static Objex* UpstairsWall() {
        Layer* upper = GetFirstFloorLayer()->next;
        if (!upper) return nullptr;
        const float base = GetLayerAbsBaseHeight(upper);
        Objex* w = Wall(upper, {{0, 0}, {500, 0}});
        w->penWidth = 6, w->elevation = base;
        for (Poinz* p = w->firstPoint; p; p = p->next) p->baseElevation = base;
        return w;
    }
    // The first row of a solid as (x from H 10, height above the bottom).
    static std::vector<XZ> Face(const Objex* solid) {
        std::vector<XZ> out;
        const Poinz* p = solid->firstPoint;
        for (int i = 0; p && i < solid->pointCount / 2; ++i, p = p->next) out.push_back({p->position[0] - 10, -2 - p->position[1]});
        return out;
    }
    static std::vector<float> All(const Objex* o) {
        std::vector<float> out;
        for (const Poinz* p = o->firstPoint; p; p = p->next) out.insert(out.end(), p->position, p->position + 3);
        return out;
    }
    // Point by point within 1e-3 (offsets at right angles leave crumbs of cos(pi/2)).
    static ::testing::AssertionResult Same(const std::vector<float>& got, const std::vector<float>& want) {
        if (got.size() != want.size()) return ::testing::AssertionFailure() << got.size() << " values, not " << want.size();
        for (size_t i = 0; i < got.size(); ++i)
            if (std::fabs(got[i] - want[i]) > 1e-3f)
                return ::testing::AssertionFailure() << "value " << i << ": " << got[i] << ", not " << want[i];
        return ::testing::AssertionSuccess();
    }
    static Float3DRect Union(Objex* o) {
        Float3DRect u{30000, 30000, 30000, -30000, -30000, -30000};
        for (Objex* piece : Pieces(o))
            for (const Poinz* p = piece->firstPoint; p; p = p->next) {
                u.floatLeft = std::min(u.floatLeft, p->position[0]), u.floatRight = std::max(u.floatRight, p->position[0]);
                u.floatTop = std::min(u.floatTop, p->position[1]), u.floatBottom = std::max(u.floatBottom, p->position[1]);
            }
        return u;
    }
    Objex* wall = nullptr;
};

// Each shape's face against its outline worked out by hand; every solid's second row is its
// first moved from the face at D -T to D +T (T = 6 + 2.1 for doors, 6 + 2.0 for shaped windows).
TEST_F(AttachmentFrames, ShapedFramesFollowTheirOutlines) {
    struct Row {
        const char* what;
        int16_t type, style;
        float W, H;
        size_t count;
        std::vector<std::pair<size_t, XZ>> at;  // point index, (x, z)
        float T;
    };
    const int16_t door = objtype::kDoor, window = objtype::kWindow;
    const Row rows[] = {
        {"603 springs at H - W/4 = 20, crown 30", window, 603, 40, 30, 21, {{0, {0, 0}}, {1, {0, 20}}, {10, {20, 30}}, {20, {40, 0}}}, 8},
        {"604 too low: springs at 1", window, 604, 40, 10, 21, {{1, {0, 1}}, {10, {20, 21}}, {19, {40, 1}}}, 8},
        {"613 at W 0: chips of 1, 2 high", window, 613, 0, 0, 6, {{1, {0, 1}}, {2, {1, 2}}, {3, {-1, 2}}, {5, {0, 0}}}, 8},
        {"622 is W high whatever H", window, 622, 30, 60, 10, {{0, {15, 0}}, {2, {0, 9}}, {5, {21, 30}}, {9, {15, 0}}}, 8},
        {"623 from the bottom centre round", window, 623, 30, 80, 37, {{0, {15, 0}}, {9, {0, 15}}, {27, {30, 15}}, {18, {15, 30}}, {36, {15, 0}}}, 8},
        {"605 quarter arch on the side", window, 605, 30, 80, 12, {{0, {0, 0}}, {1, {0, 50}}, {10, {30, 80}}, {11, {30, 0}}}, 8},
        {"609 quarter arch from the sill", window, 609, 30, 80, 11, {{0, {0, 0}}, {9, {30, 30}}, {10, {30, 0}}}, 8},
        {"620 parallelogram", window, 620, 40, 50, 4, {{1, {10, 50}}, {2, {40, 50}}, {3, {30, 0}}}, 8},
        {"619 pentagon", window, 619, 40, 50, 5, {{1, {0, 30}}, {2, {20, 50}}, {3, {40, 30}}}, 8},
        {"504 door: round arch, crown at H", door, 504, 30, 80, 21, {{0, {0, 0}}, {1, {0, 65}}, {10, {15, 80}}, {20, {30, 0}}}, 8.1f},
        {"505 door: half-height arch", door, 505, 30, 80, 21, {{1, {0, 72.5f}}, {10, {15, 80}}}, 8.1f},
        {"600 rectangular: E top, S top, S bottom", window, 600, 30, 80, 4, {{0, {30, 0}}, {1, {30, 80}}, {2, {0, 80}}, {3, {0, 0}}}, 8.1f},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Objex* o = Open(row.type, row.style, row.W, row.H);
        BuildAttachmentFrame(o);
        const std::vector<Objex*> pieces = Pieces(o);
        ASSERT_EQ(pieces.size(), 1u);
        const Objex* solid = pieces[0];
        EXPECT_TRUE(solid->type == objtype::kFrameGroup && solid->rows == 2 && solid->closed && solid->parent == o);
        const std::vector<XZ> face = Face(solid);
        ASSERT_EQ(face.size(), row.count);
        for (const auto& [i, want] : row.at) EXPECT_TRUE(Near({face[i].x, face[i].z}, {want.x, want.z}, 1e-3)) << i;
        const Poinz* p = solid->firstPoint;
        for (size_t i = 0; i < row.count; ++i) p = p->next;
        const Poinz* q = solid->firstPoint;
        for (size_t i = 0; i < row.count; ++i, p = p->next, q = q->next)
            EXPECT_TRUE(Near({q->position[0], q->position[1], q->position[2], p->position[0], p->position[1], p->position[2]},
                             {q->position[0], q->position[1], -row.T, q->position[0], q->position[1], row.T}, 1e-3)) << i;
    }
}

// Arched, quarter-arched, chip- and triangle-corner and parallelogram windows run from the
// second point when the hand is set, their front face then at D +T; the others do not.
TEST_F(AttachmentFrames, TheHandSwapsTheEndsOfAsymmetricShapesOnly) {
    Objex* quarter = Open(objtype::kWindow, 605);
    Record(quarter)->sideFlag = 1;
    BuildAttachmentFrame(quarter);
    Objex* solid = Pieces(quarter)[0];
    ExpectNear(PointAt(solid, 0), 40, -2, 8);
    ExpectNear(PointAt(solid, 10), 10, -82, 8);

    Objex* pentagon = Open(objtype::kWindow, 619, 40, 50);
    Record(pentagon)->sideFlag = 1;
    BuildAttachmentFrame(pentagon);
    ExpectNear(PointAt(Pieces(pentagon)[0], 0), 10, -2, -8);
}

// Colours: the rectangular and arched frames grey (a rectangular window's too), the shaped
// frames and the bars in the window's main material.
TEST_F(AttachmentFrames, DoorFramesAreGreyShapedFramesAndBarsTakeTheMainMaterial) {
    for (int16_t style : {500, 504, 603, 600}) {
        const bool isDoor = style < 600;
        Objex* o = Open(isDoor ? objtype::kDoor : objtype::kWindow, style);
        o->texture = 321;
        o->penColor = RGBColor{1, 2, 3};
        Record(o)->frameFlag = style == 600;
        BuildAttachmentFrame(o);
        for (const Objex* piece : {Pieces(o).front(), Pieces(o).back()}) {
            const Poinz* p = piece->firstPoint;
            const bool grey = style != 603 && piece == Pieces(o).front();
            EXPECT_EQ(std::tuple(p->texture1, p->texture2, p->color1.red, p->color2.blue),
                      grey ? std::tuple(0, 0, 0xD0D0, 0xD0D0) : std::tuple(321, 321, 1, 3)) << style;
        }
    }
}

// Bars 2 w wide on the centre line: vertical ones 0.5 off it along D, at x = 30 (i + 1)/(n + 1)
// from H 10, horizontal ones at z = 80 (i + 1)/(n + 1); each drawn back to front once made.
TEST_F(AttachmentFrames, SeparatorsDivideTheOpeningEvenly) {
    struct Bar {
        bool vertical;
        float at, w;
    };
    struct Row {
        const char* what;
        int16_t type, style, vertical, horizontal;
        std::vector<Bar> bars;
    };
    const Row rows[] = {
        {"no bars: the frame alone", objtype::kWindow, 600, 0, 0, {}},
        {"one vertical: 4 wide", objtype::kWindow, 600, 1, 0, {{true, 15, 2}}},
        {"one horizontal: 4 high", objtype::kWindow, 600, 0, 1, {{false, 40, 2}}},
        {"two and one: all 2 wide", objtype::kWindow, 600, 2, 1, {{false, 40, 1}, {true, 10, 1}, {true, 20, 1}}},
        {"three at quarters", objtype::kWindow, 600, 3, 0, {{true, 7.5f, 1}, {true, 15, 1}, {true, 22.5f, 1}}},
        {"sliding door: 6 wide", objtype::kDoor, 502, 1, 0, {{true, 15, 3}}},
        {"cased opening: none", objtype::kDoor, 500, 2, 2, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Objex* o = Open(row.type, row.style);
        Record(o)->frameFlag = row.vertical, Record(o)->reserved = row.horizontal;
        BuildAttachmentFrame(o);
        const std::vector<Objex*> pieces = Pieces(o);
        ASSERT_EQ(pieces.size(), 1 + row.bars.size());
        for (size_t i = 0; i < row.bars.size(); ++i) {
            const Objex* bar = pieces[i + 1];
            const Bar& want = row.bars[i];
            ASSERT_EQ(std::tuple(bar->type, bar->pointCount, bar->rows), std::tuple(objtype::kWindowSeparator, 4, int16_t{1}));
            if (want.vertical) {
                // Made (x - w, bottom), (x - w, top), (x + w, top), (x + w, bottom), then reversed.
                const float x = 10 + want.at;
                EXPECT_TRUE(Same(All(bar), {x + want.w, -2, -0.5f, x + want.w, -82, -0.5f,
                                                        x - want.w, -82, -0.5f, x - want.w, -2, -0.5f}));
            } else {
                const float v = -2 - want.at;
                EXPECT_TRUE(Same(All(bar), {40, v + want.w, 0, 40, v - want.w, 0,
                                                        10, v - want.w, 0, 10, v + want.w, 0}));
            }
        }
    }
}

// Mirrored shapes turn upside down inside the opening: the union of all pieces stays put and a
// second flip restores every point. Flip 2, and the symmetric shapes, mirror nothing.
TEST_F(AttachmentFrames, FlippedWindowsStayInTheirOpening) {
    std::vector<int16_t> mirrored;
    for (int16_t s = 601; s <= 621; ++s) mirrored.push_back(s);
    mirrored.push_back(624), mirrored.push_back(625);
    for (int16_t style : mirrored) {
        Objex* plain = Open(objtype::kWindow, style, 30, 50);
        Objex* flipped = Open(objtype::kWindow, style, 30, 50);
        Record(flipped)->directionFlag = 1;
        BuildAttachmentFrame(plain);
        BuildAttachmentFrame(flipped);
        const Float3DRect a = Union(plain), b = Union(flipped);
        EXPECT_TRUE(Near({b.floatLeft, b.floatRight, b.floatTop, b.floatBottom},
                         {a.floatLeft, a.floatRight, a.floatTop, a.floatBottom}, 1e-3)) << style;
        EXPECT_NE(All(Pieces(plain)[0]), All(Pieces(flipped)[0])) << style;
        FlipWindow(flipped, 0);
        for (size_t i = 0; i < All(Pieces(plain)[0]).size(); ++i)
            ASSERT_NEAR(All(Pieces(flipped)[0])[i], All(Pieces(plain)[0])[i], 1e-3) << style << " " << i;
    }
    // 603 by hand: its corner at the sill goes to the top, z 50.
    Objex* arched = Open(objtype::kWindow, 603, 40, 50);
    Record(arched)->directionFlag = 1;
    BuildAttachmentFrame(arched);
    ExpectNear(PointAt(Pieces(arched)[0], 0), 10, -52, -8);

    for (auto [style, flag] : {std::pair{600, 1}, {622, 1}, {623, 1}, {603, 2}}) {
        Objex* plain = Open(objtype::kWindow, int16_t(style), 30, 50);
        Objex* other = Open(objtype::kWindow, int16_t(style), 30, 50);
        Record(other)->directionFlag = int16_t(flag);
        BuildAttachmentFrame(plain);
        BuildAttachmentFrame(other);
        EXPECT_TRUE(Same(All(Pieces(plain)[0]), All(Pieces(other)[0]))) << style;
    }
}

// An accessory plane: second point first, D 3 (stand-off 1.5) + 6 off the face the hand names,
// from the bottom up by the height, in the first slot's material; flip 1 turns it over.
TEST_F(AttachmentFrames, AccessoryPlaneStandsOffTheFaceItsHandNames) {
    for (auto [side, flip, wantD, lowV] : {std::tuple{1, 0, -9.0f, -2.0f}, {0, 0, 9.0f, -2.0f}, {1, 1, -9.0f, -82.0f}}) {
        Objex* shelf = Open(objtype::kAccessory, 0);
        shelf->texture = 55;
        Record(shelf)->sideFlag = uint8_t(side), Record(shelf)->directionFlag = int16_t(flip);
        Record(shelf)->swingOrOffset = 1.5f;
        Record(shelf)->generatedParts = Make(objtype::kFrameGroup).plan({{0, 0}}).get();
        BuildAttachmentFrame(shelf);
        const std::vector<Objex*> pieces = Pieces(shelf);
        ASSERT_EQ(pieces.size(), 1u);
        Objex* plane = pieces[0];
        EXPECT_TRUE(plane->type == objtype::kAccessoryPlane && plane->rows == 2 && !plane->closed && plane->texture == 55);
        const float highV = -84 - lowV;
        EXPECT_TRUE(Same(All(plane), {40, lowV, wantD, 10, lowV, wantD, 40, highV, wantD, 10, highV, wantD}));
        EXPECT_EQ(PointAt(plane, 3)->texture2, 55);
    }
}

// Styles outside the tables, components and openings that cannot be read keep their pieces;
// a rebuild replaces the list with the same pieces; a hinged door is its frame, then 10 leaf pieces.
TEST_F(AttachmentFrames, RebuildsReplaceTheListOrLeaveItWhole) {
    const struct { int16_t type, style; bool onePoint; } keep[] = {
        {objtype::kDoor, 513, false}, {objtype::kWindow, 627, false}, {objtype::kComponent, 138, false},
        {objtype::kDoor, 500, true}, {objtype::kWindow, 603, true},
    };
    for (const auto& row : keep) {
        Objex* o = Open(row.type, row.style);
        if (row.onePoint) {
            delete o->firstPoint->next;
            o->firstPoint->next = nullptr;
            o->pointCount = 1;
        }
        Objex* old = Make(objtype::kFrameGroup).plan({{0, 0}}).get();
        Record(o)->generatedParts = old;
        BuildAttachmentFrame(o);
        EXPECT_EQ(Pieces(o), std::vector<Objex*>{old}) << row.style;
    }
    Objex* door = Open(objtype::kDoor, 501);
    BuildAttachmentFrame(door);
    const std::vector<Objex*> first = Pieces(door);
    std::vector<std::vector<float>> points;
    for (const Objex* p : first) points.push_back(All(p));
    BuildAttachmentFrame(door);
    const std::vector<Objex*> again = Pieces(door);
    ASSERT_EQ(again.size(), 11u);
    EXPECT_EQ(again[0]->type, objtype::kFrameGroup);
    for (size_t i = 0; i < again.size(); ++i) EXPECT_TRUE(Same(All(again[i]), points[i])) << i;
}

// The stool: 0.5 thick from face to face, f = 6 + 1 short of each jamb (frame width 3 is 6 plan
// units). The sill: 3 beyond each face, 1.25 f = 5 past both jambs (f = 4), 1.5 f before and
// 1.5 f - W/4 after for a parallelogram; thickness 0.75 of the frame width.
TEST_F(AttachmentFrames, StoolAndSillReachThroughTheWall) {
    Objex* window = Open(objtype::kWindow, 600);
    Record(window)->trimWidth = 3;
    BuildRectangularWindow(window, wall, Record(window));
    ASSERT_EQ(Pieces(window).size(), 1u);
    EXPECT_TRUE(Same(All(Pieces(window)[0]), {33, -2, -6, 33, -2.5f, -6, 17, -2.5f, -6, 17, -2, -6,
                                                           33, -2, 6, 33, -2.5f, 6, 17, -2.5f, 6, 17, -2, 6}));
    for (auto [style, from, to] : {std::tuple{600, 5.0f, 45.0f}, {620, 4.0f, 38.5f}}) {
        Objex* o = Open(objtype::kWindow, int16_t(style));
        Record(o)->trimWidth = 2;
        BuildWindowSill(o, int16_t(style));
        ASSERT_EQ(Pieces(o).size(), 1u);
        const Objex* sill = Pieces(o)[0];
        EXPECT_EQ(sill->type, objtype::kAccessoryPlane);
        EXPECT_TRUE(Same(All(sill), {from, 1, -9, from, -2, -9, to, -2, -9, to, 1, -9,
                                                 from, 1, 9, from, -2, 9, to, -2, 9, to, 1, 9})) << style;
    }
}

// A component's fresh parts: a symbol centred on H 0, from D 0 to 5, V 0. On the wall they end
// 25 along the segment, from the face (6 + 0.1 off the centre line, on the hand's side) outward,
// 2 lower; a 96 stretches to the record's 20 by 10, other subtypes, matching and flat extents do not.
TEST_F(AttachmentFrames, ComponentPartsStandOnTheWallFaceInTheirMaterials) {
    struct Row {
        const char* what;
        int32_t subtype;
        uint8_t side;
        float depth;  // the symbol's extent along D
        float W, H;
        bool onWall;
        std::vector<float> want;  // the part's two points
    };
    const Row rows[] = {
        {"stretched", 96, 0, 5, 20, 10, true, {15, -2, 6.1f, 35, -2, 16.1f}},
        {"other hand: turned half round", 96, 1, 5, 20, 10, true, {35, -2, -6.1f, 15, -2, -16.1f}},
        {"extents already match", 96, 0, 5, 10, 5, true, {20, -2, 6.1f, 30, -2, 11.1f}},
        {"not stretchable", 55, 0, 5, 20, 10, true, {20, -2, 6.1f, 30, -2, 11.1f}},
        {"flat symbol: depth kept", 96, 0, 0, 20, 10, true, {15, -2, 6.1f, 35, -2, 6.1f}},
        {"not in a wall: 4 deep, halved, + 0.1", 55, 0, 5, 20, 10, false, {20, -2, 4.1f, 30, -2, 9.1f}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Objex* host = row.onWall ? wall : Shape(floor, objtype::kFloor, {{0, 0}, {500, 0}});
        host->elevation = 0;
        auto* r = new AttachmentRecord{};
        r->segmentStart = PointAt(wall, 0), r->segmentEnd = PointAt(wall, 1);
        r->centreDistance = 25, r->width = row.W, r->height = row.H, r->elevation = 2, r->sideFlag = row.side;
        Objex* component = Make(objtype::kComponent, row.subtype).line(2).with(r).in(host);
        Objex* old = Make(objtype::kClosedOutline).at({{0, 0, 0}, {1, 0, 1}});
        old->texture2 = 9, old->penColor = RGBColor{7, 7, 7};
        old->firstPoint->texture1 = 31;
        Objex* fresh = Make(objtype::kClosedOutline).at({{-5, 0, 0}, {5, 0, row.depth}});
        component->firstPart = fresh;
        FitComponentParts(component, old);
        EXPECT_TRUE(Same(All(fresh), row.want));
        EXPECT_TRUE(fresh->texture2 == 9 && fresh->penColor.red == 7 && fresh->firstPoint->texture1 == 31);
    }
}

// The rebuild hangs the library symbol's parts afresh and fits them as above; a symbol missing
// from the library leaves the old parts, and subtype 138 is never touched.
TEST_F(AttachmentFrames, ComponentsRebuildFromTheLibrary) {
    Objex* entry = Make(96);
    Make(objtype::kClosedOutline).at({{-5, 0, 0}, {5, 0, 5}}).in(entry);
    gSymbol3DList = entry;
    for (int32_t subtype : {96, 95, 138}) {
        auto* r = new AttachmentRecord{};
        r->segmentStart = PointAt(wall, 0), r->segmentEnd = PointAt(wall, 1);
        r->centreDistance = 25, r->width = 20, r->height = 10, r->elevation = 2;
        Objex* component = Make(objtype::kComponent, subtype).line(2).with(r).in(wall);
        Objex* old = Make(objtype::kClosedOutline).at({{0, 0, 0}});
        old->texture2 = 9;
        component->firstPart = old;
        BuildAttachmentFrame(component);
        ASSERT_NE(component->firstPart, nullptr);
        if (subtype != 96) {
            EXPECT_EQ(component->firstPart, old) << subtype;
            continue;
        }
        EXPECT_TRUE(Same(All(component->firstPart), {15, -2, 6.1f, 35, -2, 16.1f}));
        EXPECT_TRUE(component->firstPart->texture2 == 9 && !component->firstPart->next);
    }
}

// A component and an accessory on the second floor are built above the wall's base as on
// the ground floor; the live view stands the component's parts on that floor at its sill.
TEST_F(AttachmentFrames, ComponentsAndAccessoriesOfAnUpperFloorAreBuiltAboveTheWallsBase) {
    RegisterLiveView(true);
    Objex* upstairs = UpstairsWall();
    ASSERT_NE(upstairs, nullptr);
    const float base = upstairs->elevation;

    auto* r = new AttachmentRecord{};
    r->segmentStart = PointAt(upstairs, 0), r->segmentEnd = PointAt(upstairs, 1);
    r->centreDistance = 25, r->width = 20, r->height = 10, r->elevation = 2;
    Objex* component = Make(objtype::kComponent, 96).line(2).with(r).in(upstairs);
    component->firstPart = Make(objtype::kClosedOutline).at({{-5, 0, 0}, {5, 0, 0}, {5, 0, 5}, {-5, 0, 5}});
    FitComponentParts(component, nullptr);
    for (const Poinz* p = component->firstPart->firstPoint; p; p = p->next) EXPECT_FLOAT_EQ(p->position[1], -2);

    Objex* shelf = Opening(upstairs, objtype::kAccessory, 0, 0);
    Record(shelf)->elevation = 2, Record(shelf)->height = 80;
    BuildAttachmentFrame(shelf);
    ASSERT_EQ(Pieces(shelf).size(), 1u);
    const Float3DRect& plane = Pieces(shelf)[0]->bounds3D;
    EXPECT_TRUE(Near({plane.floatTop, plane.floatBottom}, {-82, -2}, 1e-3));

    DeleteAllRendererObjects();
    RenderSingleObject(upstairs);
    const float sill = ConvertWorldToScreen(base, CurrentDocState(), 0) + 2;
    int vertices = 0;
    for (const PlaneObject* piece : PiecesOf(upstairs)) {
        if (piece->object3D != component) continue;
        for (const Plane* plane : PlanesOf(piece))
            for (uint32_t i = 0; i < plane->count; ++i, ++vertices) EXPECT_NEAR(-plane->vertices[i].V, sill, 1e-3);
    }
    EXPECT_GT(vertices, 0);
}

// On the second floor every piece of every door and window lies within its opening: in the
// model, between the sill and the head measured from the wall's base; in the live view, on
// that floor, the scene adding the floor once. Windows flipped and not; the door leaves swung.
TEST_F(AttachmentFrames, EveryDoorAndWindowOfAnUpperFloorStandsInItsOpening) {
    RegisterLiveView(true);
    const Objex* first = UpstairsWall();
    ASSERT_NE(first, nullptr);
    const float base = first->elevation;
    ASSERT_GT(base, 0);
    const float floorLine = ConvertWorldToScreen(base, CurrentDocState(), 0);  // plan units

    std::vector<std::pair<int16_t, int16_t>> openings;  // type, style; the custom ones read definitions
    for (int16_t s = 500; s <= 511; ++s) openings.push_back({objtype::kDoor, s});
    for (int16_t s = 600; s <= 625; ++s) openings.push_back({objtype::kWindow, s});
    for (const auto& [type, style] : openings)
        for (int16_t flip : {0, 1}) {
            if (type == objtype::kDoor && flip) continue;
            SCOPED_TRACE(testing::Message() << style << (flip ? " flipped" : ""));
            Objex* upstairs = UpstairsWall();
            Objex* o = Opening(upstairs, type, style, 0);
            AttachmentRecord* r = Record(o);
            r->width = 30, r->height = 80, r->elevation = 6, r->directionFlag = flip;
            r->frameFlag = 1, r->reserved = 2;  // a vertical bar, two across
            BuildAttachmentFrame(o);
            const std::vector<Objex*> pieces = Pieces(o);
            ASSERT_FALSE(pieces.empty());
            std::set<int> kinds;
            for (const Objex* piece : pieces) {
                kinds.insert(piece->type);
                for (const Poinz* p = piece->firstPoint; p; p = p->next)
                    ASSERT_TRUE(-p->position[1] >= 6 - 1e-3f && -p->position[1] <= 86 + 1e-3f)
                        << "piece of type " << piece->type << " at V " << p->position[1];
            }
            DeleteAllRendererObjects();
            RenderSingleObject(upstairs);
            int vertices = 0;
            for (const PlaneObject* piece : PiecesOf(upstairs)) {
                if (piece->object3D != o || !kinds.count(piece->pieceKind)) continue;
                for (const Plane* plane : PlanesOf(piece))
                    for (uint32_t i = 0; i < plane->count; ++i, ++vertices) {
                        const float up = -plane->vertices[i].V - floorLine;
                        ASSERT_TRUE(up >= 6 - 1e-2f && up <= 86 + 1e-2f)
                            << "scene piece of kind " << piece->pieceKind << " " << up << " above the floor";
                    }
            }
            EXPECT_GT(vertices, 0);
        }
}

// The live view draws a wall's hinged door as its frame, leaf boxes and infill, plane objects of
// the wall's build whose normals stand square to their edges.
TEST_F(AttachmentFrames, TheLiveViewShowsTheFrameAndLeavesOfTheDoor) {
    RegisterLiveView(true);
    Objex* door = Open(objtype::kDoor, 501);
    BuildAttachmentFrame(door);
    RenderSingleObject(wall);
    // The bare wall builds nothing of its own here: every plane object is the door's.
    const std::vector<PlaneObject*> pieces = PiecesOf(wall);
    std::set<int> kinds;
    for (const PlaneObject* p : pieces) kinds.insert(p->pieceKind);
    EXPECT_EQ(kinds, (std::set<int>{objtype::kDoorPanel, objtype::kDoorHardware, objtype::kFrameGroup}));
    EXPECT_TRUE(NormalsPerpendicular(pieces));
}

}  // namespace

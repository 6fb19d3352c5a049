// Objects made from objects: parallels, duplicates, sweeps and flips, and direction.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "model/deletion.h"
#include "model/direction.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/duplicate.h"
#include "model/flip.h"
#include "model/objects.h"
#include "model/parallel.h"
#include "model/projection.h"
#include "model/segment_sampling.h"
#include "model/sweeps.h"
#include "model/transforms.h"
#include "files/custom_textures.h"
#include "support/build.h"
#include "support/fixture.h"

using namespace dvxtest;

// Each case works in plan view on the first floor.
class PlanLayerTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        doc->itsDocState->viewKind = 2;
        layer = doc->itsLayers;
    }
    Layer* layer = nullptr;
};

// Parallel outlines, the band around a centre line, and which side of an outline is inside.
namespace parallel {

class ParallelTest : public PlanLayerTest {
protected:
    // An outline through (H, D) pairs, V 0.
    Objex* Outline(std::initializer_list<std::pair<float, float>> hd, bool closed = false) {
        Objex* o = Make(objtype::kPolygon).on(layer).closed(closed);
        for (auto [h, d] : hd) Point(o, {h, 0, d});
        return o;
    }
    // A square of side 100, clockwise on screen (D grows down) or anticlockwise.
    Objex* Square(bool clockwise) {
        return clockwise ? Outline({{0, 0}, {100, 0}, {100, 100}, {0, 100}}, true)
                         : Outline({{0, 0}, {0, 100}, {100, 100}, {100, 0}}, true);
    }

    static void ExpectPoints(Objex* o, std::initializer_list<std::pair<float, float>> hd) {
        ASSERT_EQ(o->pointCount, static_cast<int32_t>(hd.size()));
        Poinz* p = o->firstPoint;
        int i = 0;
        for (auto [h, d] : hd) {
            EXPECT_NEAR(p->position[0], h, 1e-3f) << "point " << i;
            EXPECT_NEAR(p->position[2], d, 1e-3f) << "point " << i;
            p = p->next;
            ++i;
        }
    }
};

TEST_F(ParallelTest, OffsetsOpenAndClosedOutlines) {
    // Collinear points: the middle corner falls back to the second segment's offset start.
    // Walking along +H, side 7 is up the screen. V comes from the first segment used.
    Objex* line = Outline({{0, 0}, {50, 0}, {100, 0}});
    PointAt(line, 1)->position[1] = 6;
    Objex* left = CreateParallelObject(line, parallel::kSide7, 10, 0);
    ExpectPoints(left, {{0, -10}, {50, -10}, {100, -10}});
    EXPECT_TRUE(Near({PointAt(left, 2)->position[1], PointAt(left, 1)->selected}, {6, 1}, kUlps));
    EXPECT_EQ(layer->firstObject->next, nullptr);  // not appended without the flag
    DeleteObj(left);

    // The clockwise square has its inside on side 8: a mitred square of side 80.
    ExpectPoints(CreateParallelObject(Square(true), parallel::kSide8, 10, 1),
                 {{10, 10}, {90, 10}, {90, 90}, {10, 90}});

    // Fewer than two points have no segment to offset.
    EXPECT_EQ(CreateConstantParallelObject(Outline({{1, 1}}), parallel::kSide7, 10), nullptr);
}

TEST_F(ParallelTest, BandsAroundACentreLine) {
    // Code 0: a rectangle 20 wide (10 inches at the default scale) centred on the line, F1 F2
    // on side 8 then S2 S1 on side 7; the source is gone.
    Objex* line = Outline({{0, 0}, {100, 0}});
    const uint32_t sourceID = line->objectID;
    Objex* band = MakeParallel(line, 10, 1);
    EXPECT_TRUE(Same({GetObjectFromObjectID(sourceID), layer->firstObject}, {nullptr, band}));
    EXPECT_EQ(band->next, nullptr);
    EXPECT_EQ(band->closed, 1);
    ExpectPoints(band, {{0, 10}, {100, 10}, {100, -10}, {0, -10}});
    DeleteObj(band);

    // Codes 1 and 2 keep the source as the first side.
    for (int32_t code : {parallel::kOutlineAndSide7, parallel::kOutlineAndSide8}) {
        Objex* source = Outline({{0, 0}, {100, 0}});
        source->optionA = code;
        const float d = code == parallel::kOutlineAndSide7 ? -20.0f : 20.0f;
        ASSERT_EQ(MakeParallel(source, 10, 1), source);
        ExpectPoints(source, {{0, 0}, {100, 0}, {100, d}, {0, d}});
        DeleteObj(source);
    }
    EXPECT_EQ(layer->firstObject, nullptr);  // the emptied second sides went too

    // A closed source: F1..F4, F1', S1', S4..S1.
    Objex* square = Square(false);
    square->optionA = parallel::kOutlineAndSide7;
    ExpectPoints(MakeParallel(square, 5, 1), {{0, 0}, {0, 100}, {100, 100}, {100, 0}, {0, 0},
                                              {10, 10}, {90, 10}, {90, 90}, {10, 90}, {10, 10}});
}

TEST_F(ParallelTest, DirectionTellsWhichSideIsInside) {
    Objex* clockwise = Square(true);
    Objex* anticlockwise = Square(false);
    EXPECT_TRUE(Near({GetParallelDirection(clockwise), GetParallelDirection(anticlockwise)}, {-1, 1}));
    for (Objex* square : {clockwise, anticlockwise}) {
        Objex* p = CreateParallelObject(square, parallel::kSide7, 10, 0);
        const bool inwards = p->bounds.floatRight - p->bounds.floatLeft < 100;
        EXPECT_EQ(GetParallelDirection(square) == 1, inwards);
        DeleteObj(p);
    }
    // Only the first row counts: a second row wound the other way would cancel it.
    Objex* rows = Outline({{0, 0}, {0, 100}, {100, 100}, {100, 100}, {0, 100}, {0, 0}}, true);
    rows->rows = 2;
    EXPECT_EQ(GetParallelDirection(rows), 1);

    // Right to (200, 100), then back to (100, 110): the side-7 offsets meet near (400.5, 90).
    auto sharp = [&] { return Outline({{100, 100}, {200, 100}, {100, 110}}); };
    Objex* mitred = CreateParallelObject(sharp(), parallel::kSide7, 10, 0);
    EXPECT_NEAR(PointAt(mitred, 1)->position[0], 400.499f, 1e-3f);
    DeleteObj(mitred);

    // A 200 x 200 lot allows corners up to 300: the corner becomes the offset start of the
    // second segment, (200, 100) + 10 x (0.0995037, 0.995037).
    doc->itsDocState->lotRect = FloatRect{0, 0, 200, 200};
    Objex* cut = CreateParallelObject(sharp(), parallel::kSide7, 10, 0);
    ExpectPoints(cut, {{100, 90}, {200.995037f, 109.95037f}, {100.995037f, 119.95037f}});
    DeleteObj(cut);
}

TEST_F(ParallelTest, ABandAroundALongLineKeepsEveryCornerInOrder) {
    // The lot holds every corner: one outside it would not be mitred.
    doc->itsDocState->lotRect = FloatRect{-30000, -30000, 30000, 30000};
    Objex* stairs = Make(objtype::kPolygon).on(layer).stairs(2000, 10, -20000, -20000);
    const std::vector<std::pair<float, float>> want = StairBand(stairs, 5);
    Objex* band = MakeParallel(stairs, 5, 1);
    ASSERT_NE(band, nullptr);
    EXPECT_EQ(band->closed, 1);
    EXPECT_TRUE(PointListWhole(band));
    EXPECT_TRUE(NearPlanPositions(band, want, 0.01f));
}

}  // namespace parallel

// Deep copies: openings remapped to the copy's wall, trims and record lists owned outright,
// fresh photo textures, placement, modes and refusals.
namespace duplicate {

constexpr int32_t kCopy = dupmode::kDuplicate;

class DuplicateTest : public PlanLayerTest {
protected:
    // A loose one-point object at H (record parts, trim profiles).
    static Objex* Piece(float h) {
        Objex* o = Make(objtype::kOpeningMask).at({{h, 0, 0}});
        return o;
    }
    static float HOf(const Objex* o) { return o->firstPoint->position[0]; }

    // A door or window in the wall segment from point `from` to the next.
    static Objex* Opening(Objex* wall, int16_t type, int from) {
        Objex* o = Make(type);
        auto* r = new AttachmentRecord{};
        r->ownerType = type;
        r->style = 501;
        r->segmentStart = PointAt(wall, from);
        r->segmentEnd = PointAt(wall, from + 1);
        r->width = 36;
        r->generatedParts = Piece(1);
        r->customParts[6] = Piece(2);
        r->insideTrimProfile = Piece(3);
        Make(o).with(r).in(wall);
        return o;
    }
};

TEST_F(DuplicateTest, WallCopyOwnsItsOpeningsTrimsAndParts) {
    Objex* wall = Make(objtype::kWall).on(layer).at({{0, 0, 0}, {100, 0, 0}, {100, 0, 100}});
    wall->firstPoint->trim1 = new TrimRecord{};
    wall->firstPoint->trim1->profile[0] = Piece(4);
    wall->firstPoint->valueQ = 9;
    Opening(wall, objtype::kDoor, 0);
    Opening(wall, objtype::kWindow, 1);

    const float offset[2] = {10, 20};
    Objex* copy = DuplicateObject(wall, nullptr, nullptr, offset, 1, kCopy);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(wall->next, copy);
    Poinz* c0 = copy->firstPoint;
    EXPECT_TRUE(Near({c0->position[0], c0->position[2]}, {10, 20}, kUlps));
    EXPECT_TRUE(Near({c0->selected, c0->valueQ}, {0, 0}));

    Objex* door = copy->firstChild;
    ASSERT_TRUE(door && door->next);
    AttachmentRecord* dr = door->typeData.attachment;
    AttachmentRecord* wr = door->next->typeData.attachment;
    EXPECT_TRUE(Same({dr->segmentStart, dr->segmentEnd}, {PointAt(copy, 0), PointAt(copy, 1)}));
    EXPECT_TRUE(Same({wr->segmentStart, wr->segmentEnd}, {PointAt(copy, 1), PointAt(copy, 2)}));
    EXPECT_FLOAT_EQ(dr->width, 36);
    EXPECT_EQ(dr->generatedParts, nullptr);
    // Record parts have the copy as parent but are not its children.
    EXPECT_TRUE(Same({dr->customParts[6]->parent, door->firstChild}, {door, nullptr}));

    // Freeing the source leaves all of it readable (AddressSanitizer checks the reads).
    DeleteObj(wall);
    ASSERT_NE(c0->trim1, nullptr);
    EXPECT_TRUE(Near({HOf(c0->trim1->profile[0]), HOf(dr->customParts[6])}, {4, 2}, kUlps));
    EXPECT_FLOAT_EQ(HOf(dr->insideTrimProfile), 3);
    EXPECT_EQ(dr->segmentStart->owner, copy);

    // A door copied on its own, without a parent, keeps only owner type and style.
    Objex* alone = DuplicateObject(door, nullptr, nullptr, nullptr, 0, kCopy);
    AttachmentRecord* ar = alone->typeData.attachment;
    EXPECT_TRUE(Near({ar->ownerType, ar->style}, {objtype::kDoor, 501}));
    EXPECT_EQ(ar->segmentStart, nullptr);
    EXPECT_FLOAT_EQ(ar->width, 0);
    EXPECT_TRUE(Same({ar->customParts[6], ar->insideTrimProfile}, {nullptr, nullptr}));
    DeleteObj(alone);
}

TEST_F(DuplicateTest, ALongOutlineIsCopiedPointForPointInOrder) {
    Objex* stairs = Make(objtype::kPolygon).on(layer).stairs(2000, 10, 0, 0);
    const float offset[2] = {3, -4};
    Objex* copy = DuplicateObject(stairs, nullptr, nullptr, offset, 1, kCopy);
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(PointListWhole(copy));
    std::vector<std::pair<float, float>> want = PlanPositions(stairs);
    for (auto& [h, d] : want) h += 3, d -= 4;
    EXPECT_TRUE(NearPlanPositions(copy, want, 0));
}

TEST_F(DuplicateTest, TextAndSkylightRecordsAreNewBlocks) {
    Objex* text = Make(objtype::kEnhancedText).on(layer);
    auto* td = new TextData{};
    td->text = CopyString("Porch");
    td->font.lfHeight = -28;
    Make(text).with(td);

    Objex* roof = Make(objtype::kRoof).on(layer);
    Objex* skylight = Make(objtype::kSkylight);
    auto* sr = new RoofAttachmentRecord{};
    sr->style = 806;
    sr->flipFlags[1] = 1;
    sr->customParts = Piece(7);
    sr->partLists[4] = Piece(8);
    Make(skylight).with(sr).in(roof);

    TextData* tc = DuplicateObject(text, nullptr, nullptr, nullptr, 1, kCopy)->typeData.text;
    Objex* skyCopy = DuplicateObject(roof, nullptr, nullptr, nullptr, 1, kCopy)->firstChild;
    RoofAttachmentRecord* rc = skyCopy->typeData.roofAttachment;
    for (Objex* o : {text, roof}) DeleteObj(o);
    EXPECT_STREQ(tc->text, "Porch");
    EXPECT_EQ(tc->font.lfHeight, -28);
    EXPECT_EQ(rc->attachment, skyCopy);
    EXPECT_TRUE(Near({rc->style, rc->flipFlags[1]}, {806, 1}));
    EXPECT_EQ(rc->customParts->parent, skyCopy);
    EXPECT_TRUE(Near({HOf(rc->customParts), HOf(rc->partLists[4])}, {7, 8}, kUlps));
}

TEST_F(DuplicateTest, PhotoCopiesTakeIncreasingTextureIDs) {
    Objex* photo = Make(objtype::kPhoto).on(layer).at({{0, 0, 0}}).image("/designs/porch.jpg");
    Objex* a = DuplicateObject(photo, nullptr, nullptr, nullptr, 1, kCopy);
    Objex* b = DuplicateObject(photo, nullptr, nullptr, nullptr, 1, kCopy);
    EXPECT_TRUE(Near({a->texture2, a->texture4}, {kFirstCustomTextureID, kFirstCustomTextureID}));
    EXPECT_EQ(a->firstPoint->texture1, kFirstCustomTextureID);
    EXPECT_EQ(b->texture3, kFirstCustomTextureID + 1);
    EXPECT_EQ(gCurrentPhotoTextureID, kFirstCustomTextureID + 2);
    DeleteObj(photo);
    EXPECT_STREQ(a->typeData.imagePath, "/designs/porch.jpg");

    // Mirror copy of an imported object group mirrors its rotation.
    Objex* group = Make(objtype::kGroup).on(layer);
    group->params[4] = 30;
    Make(Make(objtype::kFentrix)).in(group);
    EXPECT_FLOAT_EQ(DuplicateObject(group, nullptr, nullptr, nullptr, 1, dupmode::kMirrorLeftRight)->params[4], 330);
}

TEST_F(DuplicateTest, PlacementModesAndRefusals) {
    Objex* group = Make(objtype::kGroup).on(layer);
    Objex* m1 = Make(objtype::kPolygon).at({{20, 0, 5}, {30, 0, 5}});
    Objex* m2 = Make(objtype::kPolygon).at({{40, 0, 5}});
    Make(m1).in(group);
    Make(m2).in(group);

    // 5329: the symbol's top object only, its points selected.
    EXPECT_EQ(DuplicateObject(group, nullptr, nullptr, nullptr, 1, dupmode::kSymbolTop)->firstChild, nullptr);

    // After a sibling (taking its parent), or as a parent's first child.
    Objex* afterM1 = DuplicateObject(m2, nullptr, m1, nullptr, 0, kCopy);
    EXPECT_TRUE(Same({m1->next, m2->prev, afterM1->parent}, {afterM1, afterM1, group}));
    Objex* head = DuplicateObject(m2, group, nullptr, nullptr, 0, kCopy);
    EXPECT_TRUE(Same({group->firstChild, m1->prev}, {head, head}));

    // Mirror copies are selected and flipped about the flip centre, children with them.
    gFlipCenterX = gFlipCenterY = 50;
    Objex* leftRight = DuplicateObject(m1, nullptr, nullptr, nullptr, 0, dupmode::kMirrorLeftRight);
    EXPECT_TRUE(Near({leftRight->firstPoint->position[0], leftRight->firstPoint->selected}, {80, 1}, kUlps));
    EXPECT_FLOAT_EQ(m1->firstPoint->position[0], 20);
    Objex* topBottom = DuplicateObject(group, nullptr, nullptr, nullptr, 0, dupmode::kMirrorTopBottom);
    EXPECT_FLOAT_EQ(topBottom->firstChild->firstPoint->position[2], 95);
    EXPECT_EQ(topBottom->firstChild->firstPoint->selected, 1);
    for (Objex* o : {leftRight, topBottom}) DeleteObj(o);

    // Symbol-editor and section-detail groups and their members are not copied.
    for (int32_t kind : {groupkind::kSymbolEditor, groupkind::kSectionDetail}) {
        group->groupKind = kind;
        EXPECT_EQ(DuplicateObject(group, nullptr, nullptr, nullptr, 1, kCopy), nullptr);
        EXPECT_EQ(DuplicateObject(m1, nullptr, nullptr, nullptr, 1, kCopy), nullptr);
    }
}

}  // namespace duplicate

// Extrude and revolve into rows, and mirroring about the flip centre with walls, roofs and
// their skylights, and stored angles.
namespace sweeps {

constexpr float kPi = std::numbers::pi_v<float>;

class SweepsTest : public PlanLayerTest {
protected:
    // Two points along H at 10 and 20.
    Objex* Bar() {
        Objex* o = Make(objtype::kPolygon).on(layer).at({{10, 0, 0}, {20, 0, 0}});
        return o;
    }
    static TransformRecord Revolve(float radians) {
        TransformRecord r;
        r.values[xform::kRevolveAngle] = radians;
        return r;
    }
    static void ExpectAt(Objex* o, int index, float h, float v, float d) {
        const float* at = PointAt(o, index)->position;
        EXPECT_NEAR(at[0], h, 1e-3f) << "point " << index;
        EXPECT_NEAR(at[1], v, 1e-3f) << "point " << index;
        EXPECT_NEAR(at[2], d, 1e-3f) << "point " << index;
    }
};

TEST_F(SweepsTest, RevolveMakesOneRowPerQuarterTurnAtMost) {
    // Turned about the origin, anticlockwise on screen: +H goes to -D.
    Objex* half = Bar();
    TransformRecord r = Revolve(kPi);
    RevolveObject(half, &r);
    EXPECT_TRUE(Near({half->rows, half->pointCount}, {3, 6}));
    ExpectAt(half, 3, 0, 0, -20);
    ExpectAt(half, 5, -20, 0, 0);
    EXPECT_NEAR(r.values[xform::kCurrentAngle], kPi, 1e-5f);

    Objex* thirty = Bar();
    r = Revolve(kPi / 6);
    RevolveObject(thirty, &r);
    EXPECT_EQ(thirty->rows, 2);
    ExpectAt(thirty, 2, 8.66025f, 0, -5);

    Objex* none = Bar();
    r = Revolve(0);
    RevolveObject(none, &r);
    EXPECT_EQ(none->rows, 2);
    ExpectAt(none, 3, 20, 0, 0);

    // Already two rows or more: nothing more.
    r = Revolve(kPi);
    RevolveObject(none, &r);
    EXPECT_EQ(none->pointCount, 4);

    // Extrude moves along the view depth.
    struct Case { int16_t view; float h, v, d; };
    for (Case c : {Case{2, 10, 12, 0}, Case{3, 22, 0, 0}, Case{1, 10, 0, 12}}) {
        doc->itsDocState->viewKind = c.view;
        Objex* o = Bar();
        o->rows = 0;  // read as one row
        ExtrudeObject(o, 12);
        EXPECT_EQ(o->rows, 2);
        ExpectAt(o, 2, c.h, c.v, c.d);
        ExtrudeObject(o, 12);
        EXPECT_EQ(o->pointCount, 4);
    }
}

TEST_F(SweepsTest, FlipMirrorsSelectedPoints) {
    gFlipCenterX = 50;
    Objex* o = Make(objtype::kPolygon).on(layer);
    Poinz* a = Point(o, {20, 5, 10, {1, 2, 3}, {4, 5, 6}});
    Poinz* b = Point(o, {30, 5, 10});
    a->selected = 1;
    FlipObject(o, 1);
    EXPECT_TRUE(Near({a->position[0], a->outTangent[0], a->outTangent[2]}, {80, -4, 6}, kUlps));
    EXPECT_TRUE(Near({b->position[0], o->needsRebuild}, {30, 1}, kUlps));

    // A wall's selected points trade their two sides.
    Objex* wall = Make(objtype::kWall).on(layer);
    Poinz* w = Point(wall, {0, 0, 0});
    Poinz* unselected = Point(wall, {100, 0, 0});
    for (Poinz* p : {w, unselected}) {
        p->texture1 = 11;
        p->texture2 = 22;
        p->color2 = RGBColor{2, 2, 2};
        p->faceScale1 = ShortPoint{50, 60};
        p->trim1 = new TrimRecord{};
    }
    TrimRecord* trim = w->trim1;
    w->selected = 1;
    FlipObject(wall, 0);
    EXPECT_TRUE(Near({w->texture1, w->texture2}, {22, 11}));
    EXPECT_EQ(w->color1, (RGBColor{2, 2, 2}));
    EXPECT_EQ(w->faceScale2.x, 50);
    EXPECT_TRUE(Same({w->trim2, w->trim1}, {trim, nullptr}));
    EXPECT_EQ(unselected->texture1, 11);
}

TEST_F(SweepsTest, RoofFlipCarriesItsSkylightsAndTheirSymbols) {
    auto skylightOn = [](Objex* roof, float h) {
        Objex* s = Make(objtype::kSkylight).at({{h, 0, 5}});
        auto* r = new RoofAttachmentRecord{};
        r->customParts = Make(objtype::kPolygon);
        Point(r->customParts, {h + 1, 0, 5});
        Make(s).with(r).in(roof);
        return s;
    };
    Objex* roof = Make(objtype::kRoof).on(layer);
    Point(roof, {10, 0, 0})->selected = 1;
    Point(roof, {20, 0, 0})->selected = 1;
    Objex* sky = skylightOn(roof, 12);
    RoofAttachmentRecord* rec = sky->typeData.roofAttachment;

    FlipObject(roof, 1);  // about 0
    EXPECT_FLOAT_EQ(sky->firstPoint->position[0], -12);
    EXPECT_TRUE(Near({sky->firstPoint->selected, rec->flipFlags[0]}, {0, 1}));
    EXPECT_FLOAT_EQ(rec->customParts->firstPoint->position[0], -13);

    // Part of the roof selected: only a skylight selected itself flips.
    PointAt(roof, 1)->selected = 0;
    Objex* picked = skylightOn(roof, 15);
    picked->firstPoint->selected = 1;
    FlipObject(roof, 0);
    EXPECT_TRUE(Near({rec->flipFlags[1], picked->typeData.roofAttachment->flipFlags[1]}, {0, 1}));
    EXPECT_FLOAT_EQ(picked->firstPoint->position[2], -5);
}

TEST_F(SweepsTest, FlipMirrorsStoredAngles) {
    Objex* panel = Make(objtype::kFreehandRoof).on(layer);
    panel->params[0] = 30;
    FlipObject(panel, 1);
    EXPECT_NEAR(panel->params[0], 150, 1e-3f);
    FlipObject(panel, 0);
    EXPECT_NEAR(panel->params[0], 210, 1e-3f);

    // A cabinet's angle is mirrored at +270 degrees and read back +90.
    Objex* cabinet = Make(objtype::kGroup, objsubtype::kCabinetGroup).on(layer);
    auto* state = new CabinetState{};
    state->f1 = 30;
    Make(cabinet).with(state);
    FlipObject(cabinet, 1);
    EXPECT_NEAR(state->f1, 330, 1e-3f);
    FlipObject(cabinet, 0);
    EXPECT_NEAR(state->f1, 210, 1e-3f);
}

}  // namespace sweeps

// Reversing runs, rows and curved outlines, checking the winding, and cap facing in the
// current and the fixed cap view.
namespace direction {

class DirectionTest : public PlanLayerTest {
protected:
    void SetUp() override {
        PlanLayerTest::SetUp();
        SetPlanView();
    }

    std::vector<float> HOrder(Objex* o) {
        std::vector<float> hs;
        for (Poinz* p = o->firstPoint; p; p = p->next) hs.push_back(p->position[0]);
        return hs;
    }

    // A capped two-row surface whose first three points run +H then +D (or +D then +H).
    Objex* Capped(bool hFirst) {
        Objex* o = Make(objtype::kClosedSolid);
        o->closed = 1;
        o->rows = 2;
        for (float v : {0.0f, 10.0f}) {
            Point(o, {0, v, 0});
            if (hFirst) { Point(o, {100, v, 0}); Point(o, {0, v, 100}); }
            else { Point(o, {0, v, 100}); Point(o, {100, v, 0}); }
        }
        return o;
    }
};

TEST_F(DirectionTest, ReversingARunCutsItFromWhatFollowed) {
    Objex* o = Make(objtype::kPolygon).on(layer);
    Poinz* p1 = Point(o, {1, 0, 0});
    Poinz* p2 = Point(o, {2, 0, 0});
    Poinz* p3 = Point(o, {3, 0, 0});
    Poinz* p4 = Point(o, {4, 0, 0});
    EXPECT_TRUE(Same({ReverseSegmentDirection(p1, 3), p3->prev, p2->prev}, {p3, nullptr, p3}));
    EXPECT_EQ(p1->next, nullptr);
    // The caller relinks the rest.
    o->firstPoint = p3;
    p1->next = p4;
    p4->prev = p1;
    EXPECT_EQ(HOrder(o), (std::vector<float>{3, 2, 1, 4}));
    EXPECT_EQ(ReverseSegmentDirection(p4, 5), nullptr);  // no successor

    // Object reversal goes row by row.
    Objex* surface = Make(objtype::kPolygon).on(layer);
    surface->rows = 2;
    for (int i = 1; i <= 6; ++i) Point(surface, {static_cast<float>(i), 0, 0});
    ReverseObjectDirection(surface);
    EXPECT_EQ(HOrder(surface), (std::vector<float>{3, 2, 1, 6, 5, 4}));
    EXPECT_EQ(PointAt(surface, 3)->prev, PointAt(surface, 2));

    // Only outline types; the "any" form reverses every type.
    Objex* rect = Make(objtype::kRectangle).on(layer);
    for (int i = 1; i <= 3; ++i) Point(rect, {static_cast<float>(i), 0, 0});
    ReverseObjectDirection(rect);
    EXPECT_EQ(HOrder(rect), (std::vector<float>{1, 2, 3}));
    ReverseAnyObjectDirection(rect);
    EXPECT_EQ(HOrder(rect), (std::vector<float>{3, 2, 1}));
}

TEST_F(DirectionTest, ReversedCurvedOutlineSamplesTheSameCurve) {
    Objex* o = Make(objtype::kPolygon).on(layer).at({{0, 0, 0, {30, 0, 30}, {30, 0, 30}}});
    Point(o, {100, 0, 0, {40, 0, -20}, {40, 0, -20}});   // smoothed: one tangent through the point
    Point(o, {100, 0, 100, {0, 0, 50}, {10, 0, 60}});     // a point whose two tangents differ
    Point(o, {0, 0, 100, {-20, 0, 0}, {0, 0, 0}});

    std::vector<SegmentCubic> before;
    for (Poinz* p = o->firstPoint; p->next; p = p->next) before.emplace_back(p, p->next);

    ReverseAnyObjectDirection(o);
    std::vector<SegmentCubic> after;
    for (Poinz* p = o->firstPoint; p->next; p = p->next) after.emplace_back(p, p->next);
    ASSERT_EQ(after.size(), 3u);

    for (size_t s = 0; s < 3; ++s) {
        for (float t : {0.0f, 0.2f, 0.5f, 0.7f, 1.0f}) {
            float a[3], b[3];
            after[s].At(t, a);
            before[2 - s].At(1.0f - t, b);
            for (int k = 0; k < 3; ++k) EXPECT_NEAR(a[k], b[k], 1e-3f) << "segment " << s << " t " << t;
        }
    }
}

TEST_F(DirectionTest, VerifyReversesOnlyAWronglyWoundOutlineWhenAsked) {
    auto square = [&](std::initializer_list<float> hs, std::initializer_list<float> ds) {
        Objex* o = Make(objtype::kPolygon).on(layer);
        o->closed = 1;
        for (auto h = hs.begin(), d = ds.begin(); h != hs.end(); ++h, ++d) Point(o, {*h, 0, *d});
        return o;
    };
    Objex* right = square({0, 0, 100, 100}, {0, 100, 100, 0});  // anticlockwise on screen
    EXPECT_TRUE(Near({VerifyObjectDirection(right, 0), VerifyObjectDirection(right, 1)}, {1, 1}));
    EXPECT_EQ(HOrder(right), (std::vector<float>{0, 0, 100, 100}));

    Objex* wrong = square({0, 100, 100, 0}, {0, 0, 100, 100});
    EXPECT_TRUE(Near({VerifyObjectDirection(wrong, 0), wrong->firstPoint->position[2]}, {0, 0}, kUlps));
    EXPECT_EQ(VerifyObjectDirection(wrong, 1), 0);
    EXPECT_FLOAT_EQ(wrong->firstPoint->position[2], 100);  // now (0, 100) (100, 100) ...
    EXPECT_EQ(VerifyObjectDirection(wrong, 0), 1);
}

TEST_F(DirectionTest, CapFacingFollowsThePlaneOfTheFirstThreePoints) {
    // Seen from above, +H then +D turns with a positive third normal component: -1.
    Objex* down = Capped(true);
    Objex* up = Capped(false);
    ValidateCapDirection(down);
    ValidateCapDirection(up);
    EXPECT_TRUE(Near({down->elevationMode, up->elevationMode}, {-1, 1}));

    // Without the cap flag nothing is stored.
    Objex* noFlag = Capped(true);
    noFlag->flagA = 0;
    ValidateCapDirection(noFlag);
    EXPECT_EQ(noFlag->elevationMode, 0);

    // A wall works on its solid and the solid's children, not on its own children.
    Objex* wall = Make(objtype::kWall).on(layer);
    Objex* solid = Capped(true);
    Make(up).in(solid);
    up->elevationMode = 0;
    Make(wall).solid(solid);
    Objex* opening = Capped(false);
    Make(opening).in(wall);
    ValidateCapDirection(wall);
    EXPECT_TRUE(Near({solid->elevationMode, up->elevationMode, opening->elevationMode}, {-1, 1, 0}));

    for (Objex* o : {down, noFlag}) DeleteObj(o);
}

TEST_F(DirectionTest, AllLayersUseTheFixedCapViewAndRestoreTheRotation) {
    // Seen from below, the same turn faces the other way.
    SetView(270, 0);
    Layer* shown = layer;
    Layer* hidden = layer->next;
    ASSERT_NE(hidden, nullptr);
    shown->visible = 1;
    hidden->visible = 0;
    Objex* a = Capped(true);
    AppendObjectToLayer(a, shown);
    Objex* b = Capped(true);
    AppendObjectToLayer(b, hidden);

    ValidateCapDirectionAllLayers(doc->itsLayers);
    EXPECT_TRUE(Near({a->elevationMode, b->elevationMode}, {-1, 0}));
    EXPECT_TRUE(Near({gSinXAngle, gCosXAngle}, {-1.0f, 0.0f}, 1e-5f));

    ValidateCapDirectionLayer(shown);
    EXPECT_EQ(a->elevationMode, 1);
    ValidateCapDirectionLayer(hidden);
    EXPECT_EQ(b->elevationMode, 0);
}

}  // namespace direction

// Parallel outlines, the band around a centre line, and which side of an outline is inside.
#include <gtest/gtest.h>

#include "support/build.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/parallel.h"
#include "support/fixture.h"
#include "support/build.h"

using namespace dvxtest;

namespace {

class ParallelTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        doc->itsDocState->viewKind = 2;
        layer = doc->itsLayers;
    }

    // An outline through (H, D) pairs, V 0.
    Objex* Outline(std::initializer_list<std::pair<float, float>> hd, bool closed = false) {
        Objex* o = Make(objtype::kPolygon).on(layer);
        o->closed = closed ? 1 : 0;
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

    Layer* layer = nullptr;
};

TEST_F(ParallelTest, OffsetsOpenAndClosedOutlines) {
    // Collinear points: the middle corner falls back to the second segment's offset start.
    // Walking along +H, side 7 is up the screen. V comes from the first segment used.
    Objex* line = Outline({{0, 0}, {50, 0}, {100, 0}});
    PointAt(line, 1)->position[1] = 6;
    Objex* left = CreateParallelObject(line, parallel::kSide7, 10, 0);
    ExpectPoints(left, {{0, -10}, {50, -10}, {100, -10}});
    EXPECT_FLOAT_EQ(PointAt(left, 2)->position[1], 6);
    EXPECT_EQ(PointAt(left, 1)->selected, 1);
    EXPECT_EQ(layer->firstObject->next, nullptr);  // not appended without the flag
    DeleteObj(left);

    // The clockwise square has its inside on side 8: a mitred square of side 80.
    ExpectPoints(CreateParallelObject(Square(true), parallel::kSide8, 10, 1),
                 {{10, 10}, {90, 10}, {90, 90}, {10, 90}});

    // Fewer than two points have no segment to offset.
    EXPECT_EQ(CreateConstantParallelObject(Outline({{1, 1}}), parallel::kSide7, 10), nullptr);
}

TEST_F(ParallelTest, SharpCornerBeyondTheLotIsCutBack) {
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

TEST_F(ParallelTest, BandsAroundACentreLine) {
    // Code 0: a rectangle 20 wide (10 inches at the default scale) centred on the line, F1 F2
    // on side 8 then S2 S1 on side 7; the source is gone.
    Objex* line = Outline({{0, 0}, {100, 0}});
    const uint32_t sourceID = line->objectID;
    Objex* band = MakeParallel(line, 10, 1);
    EXPECT_EQ(GetObjectFromObjectID(sourceID), nullptr);
    EXPECT_EQ(layer->firstObject, band);
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
    EXPECT_EQ(GetParallelDirection(clockwise), -1);
    EXPECT_EQ(GetParallelDirection(anticlockwise), 1);
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
}

}  // namespace

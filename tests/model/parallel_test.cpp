// Parallel outlines, the band around a centre line, and which side of an outline is inside.
#include <gtest/gtest.h>

#include "geometry_test_support.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/parallel.h"
#include "model/transforms.h"
#include "support/fixture.h"
#include "support/model_builders.h"

using namespace dvxtest;
using geomtest::Add;

namespace {

constexpr float kTol = 1e-3f;

class ParallelTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        doc->itsDocState->viewKind = 2;
        layer = doc->itsLayers;
    }

    // A square of side 100 from (0, 0) in (H, D): clockwise on screen, or anticlockwise.
    Objex* Square(bool clockwise) {
        Objex* o = NewObjectOn(layer, objtype::kPolygon);
        o->closed = 1;
        if (clockwise) {
            Add(o, 0, 0, 0); Add(o, 100, 0, 0); Add(o, 100, 0, 100); Add(o, 0, 0, 100);
        } else {
            Add(o, 0, 0, 0); Add(o, 0, 0, 100); Add(o, 100, 0, 100); Add(o, 100, 0, 0);
        }
        return o;
    }

    static void ExpectHD(Objex* o, int index, float h, float d) {
        Poinz* p = PointAt(o, index);
        ASSERT_NE(p, nullptr) << "point " << index;
        EXPECT_NEAR(p->position[0], h, kTol) << "point " << index;
        EXPECT_NEAR(p->position[2], d, kTol) << "point " << index;
    }

    Layer* layer = nullptr;
};

TEST_F(ParallelTest, OpenOutlineOffsetsEachSegmentAndKeepsCollinearPointsInLine) {
    Objex* line = NewObjectOn(layer, objtype::kPolygon);
    line->penWidth = 3.0f;
    line->fillPattern = 4;
    Add(line, 0, 5, 0);
    Add(line, 50, 6, 0);
    Add(line, 100, 7, 0);

    // Walking along +H, side 7 is up the screen (D smaller), side 8 down.
    Objex* left = CreateParallelObject(line, parallel::kSide7, 10.0f, 0);
    ASSERT_NE(left, nullptr);
    EXPECT_EQ(left->pointCount, 3);
    ExpectHD(left, 0, 0, -10);
    ExpectHD(left, 1, 50, -10);
    ExpectHD(left, 2, 100, -10);
    // V comes from the start of the first offset segment that made the point.
    EXPECT_FLOAT_EQ(PointAt(left, 0)->position[1], 5.0f);
    EXPECT_FLOAT_EQ(PointAt(left, 1)->position[1], 5.0f);
    EXPECT_FLOAT_EQ(PointAt(left, 2)->position[1], 6.0f);
    EXPECT_EQ(PointAt(left, 1)->selected, 1);
    EXPECT_EQ(PointAt(left, 1)->kind, 1);
    EXPECT_EQ(left->type, objtype::kPolygon);
    EXPECT_FLOAT_EQ(left->penWidth, 3.0f);
    EXPECT_EQ(left->fillPattern, 4);
    EXPECT_EQ(left->layer, layer);
    EXPECT_NEAR(left->bounds.floatTop, -10, kTol);
    EXPECT_EQ(CountObjects(layer->firstObject), 1);  // not appended without the flag
    DeleteObj(left);

    Objex* right = CreateConstantParallelObject(line, parallel::kSide8, 10.0f);
    ASSERT_NE(right, nullptr);
    ExpectHD(right, 1, 50, 10);
    EXPECT_EQ(CountObjects(layer->firstObject), 2);

    // Nothing to offset: fewer than two points.
    Objex* dot = NewObjectOn(layer, objtype::kPolygon);
    Add(dot, 1, 0, 1);
    EXPECT_EQ(CreateParallelObject(dot, parallel::kSide7, 10.0f, 1), nullptr);
    EXPECT_EQ(CreateConstantParallelObject(dot, parallel::kSide7, 10.0f), nullptr);
}

TEST_F(ParallelTest, ClosedSquareInsetIsMitredSquare) {
    // The clockwise square has its inside on side 8.
    Objex* inset = CreateParallelObject(Square(true), parallel::kSide8, 10.0f, 1);
    ASSERT_NE(inset, nullptr);
    ASSERT_EQ(inset->pointCount, 4);
    ExpectHD(inset, 0, 10, 10);
    ExpectHD(inset, 1, 90, 10);
    ExpectHD(inset, 2, 90, 90);
    ExpectHD(inset, 3, 10, 90);
    EXPECT_EQ(inset->closed, 1);

    Objex* outset = CreateParallelObject(Square(true), parallel::kSide7, 10.0f, 1);
    ExpectHD(outset, 0, -10, -10);
    ExpectHD(outset, 2, 110, 110);
}

TEST_F(ParallelTest, SharpCornerBeyondTheLotIsCutBack) {
    // From (100, 100) right to (200, 100), then back to (100, 110): the side-7 offsets meet at
    // about (400.5, 90).
    auto sharp = [&] {
        Objex* o = NewObjectOn(layer, objtype::kPolygon);
        Add(o, 100, 0, 100); Add(o, 200, 0, 100); Add(o, 100, 0, 110);
        return o;
    };
    // The default lot is large enough for the mitre.
    Objex* mitred = CreateParallelObject(sharp(), parallel::kSide7, 10.0f, 0);
    ExpectHD(mitred, 1, 400.499f, 90.0f);
    DeleteObj(mitred);

    // A lot of 200 x 200 allows corners up to 300: the corner is the offset start of the
    // second segment, (200, 100) + 10 x (0.995037, 9.95037) / 10.
    doc->itsDocState->lotRect = FloatRect{0, 0, 200, 200};
    Objex* cut = CreateParallelObject(sharp(), parallel::kSide7, 10.0f, 0);
    ExpectHD(cut, 0, 100, 90);
    ExpectHD(cut, 1, 200.995037f, 109.95037f);
    ExpectHD(cut, 2, 100.995037f, 119.95037f);
    DeleteObj(cut);
}

TEST_F(ParallelTest, CentredBandReplacesTheSource) {
    ASSERT_FLOAT_EQ(ConvertWorldToScreen(10.0f, doc->itsDocState, 0), 20.0f);
    Objex* line = NewObjectOn(layer, objtype::kPolygon);
    Add(line, 0, 0, 0);
    Add(line, 100, 0, 0);
    const uint32_t sourceID = line->objectID;

    Objex* band = MakeParallel(line, 10.0f, 1);
    ASSERT_NE(band, nullptr);
    EXPECT_EQ(GetObjectFromObjectID(sourceID), nullptr);
    EXPECT_EQ(layer->firstObject, band);
    EXPECT_EQ(band->next, nullptr);
    EXPECT_EQ(band->closed, 1);
    EXPECT_EQ(band->rows, 1);
    ASSERT_EQ(band->pointCount, 4);
    // F1 F2 on side 8, then S2 S1 on side 7: a rectangle 20 wide around the line.
    ExpectHD(band, 0, 0, 10);
    ExpectHD(band, 1, 100, 10);
    ExpectHD(band, 2, 100, -10);
    ExpectHD(band, 3, 0, -10);
    for (Poinz* p = band->firstPoint; p; p = p->next) EXPECT_EQ(p->owner, band);
}

TEST_F(ParallelTest, OutlinePlacementsKeepTheSourceAsFirstSide) {
    for (int32_t code : {parallel::kOutlineAndSide7, parallel::kOutlineAndSide8}) {
        Objex* line = NewObjectOn(layer, objtype::kPolygon);
        line->optionA = code;
        Add(line, 0, 0, 0);
        Add(line, 100, 0, 0);
        Objex* band = MakeParallel(line, 10.0f, 1);
        ASSERT_EQ(band, line);
        ASSERT_EQ(band->pointCount, 4);
        const float d = code == parallel::kOutlineAndSide7 ? -20.0f : 20.0f;
        ExpectHD(band, 0, 0, 0);
        ExpectHD(band, 1, 100, 0);
        ExpectHD(band, 2, 100, d);
        ExpectHD(band, 3, 0, d);
        EXPECT_EQ(band->closed, 1);
        DeleteObj(band);
    }
    EXPECT_EQ(layer->firstObject, nullptr);  // the emptied second sides are gone

    // An unknown code builds nothing and leaves the source alone.
    Objex* other = NewObjectOn(layer, objtype::kPolygon);
    other->optionA = 5;
    Add(other, 0, 0, 0);
    Add(other, 100, 0, 0);
    EXPECT_EQ(MakeParallel(other, 10.0f, 1), other);
    EXPECT_EQ(other->pointCount, 2);
    EXPECT_EQ(other->closed, 0);
}

TEST_F(ParallelTest, ClosedSourceBandJoinsTwoRingsAlongOneSeam) {
    Objex* square = Square(false);
    square->optionA = parallel::kOutlineAndSide7;  // inwards for this winding
    Objex* band = MakeParallel(square, 5.0f, 1);
    ASSERT_EQ(band, square);
    ASSERT_EQ(band->pointCount, 10);
    const float expected[10][2] = {{0, 0},   {0, 100},  {100, 100}, {100, 0}, {0, 0},
                                   {10, 10}, {90, 10},  {90, 90},   {10, 90}, {10, 10}};
    for (int i = 0; i < 10; ++i) ExpectHD(band, i, expected[i][0], expected[i][1]);
    EXPECT_EQ(CountObjects(layer->firstObject), 1);
}

TEST_F(ParallelTest, DirectionTellsWhichSideIsInside) {
    Objex* clockwise = Square(true);
    Objex* anticlockwise = Square(false);
    EXPECT_EQ(GetParallelDirection(clockwise), -1);
    EXPECT_EQ(GetParallelDirection(anticlockwise), 1);

    // Side 7 goes inwards exactly when the direction is 1.
    for (Objex* square : {clockwise, anticlockwise}) {
        Objex* p = CreateParallelObject(square, parallel::kSide7, 10.0f, 0);
        const float width = p->bounds.floatRight - p->bounds.floatLeft;
        EXPECT_EQ(GetParallelDirection(square) == 1, width < 100.0f);
        DeleteObj(p);
    }

    // Only the first row counts: a second row wound the other way changes nothing.
    Objex* twoRows = NewObjectOn(layer, objtype::kPolygon);
    twoRows->closed = 1;
    twoRows->rows = 2;
    Add(twoRows, 0, 0, 0); Add(twoRows, 0, 0, 100); Add(twoRows, 100, 0, 100);
    Add(twoRows, 100, 0, 100); Add(twoRows, 0, 0, 100); Add(twoRows, 0, 0, 0);
    EXPECT_EQ(GetParallelDirection(twoRows), 1);

    // In a front view the outline is read in (H, V).
    doc->itsDocState->viewKind = 1;
    Objex* upright = NewObjectOn(layer, objtype::kPolygon);
    Add(upright, 0, 0, 0); Add(upright, 0, 100, 0); Add(upright, 100, 100, 0); Add(upright, 100, 0, 0);
    EXPECT_EQ(GetParallelDirection(upright), 1);
    // Without a second point there is no segment to probe.
    Objex* dot = NewObjectOn(layer, objtype::kPolygon);
    Add(dot, 5, 5, 5);
    EXPECT_EQ(GetParallelDirection(dot), 1);
}

}  // namespace

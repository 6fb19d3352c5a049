// Texture face mapping (axis choice, face rectangle, u and v, turned roof faces) and the row
// lengths and perimeters of multi-row objects, with the curved segment length.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "support/build.h"
#include "model/objects.h"
#include "model/texture_mapping.h"
#include "support/fixture.h"

using namespace dvxtest;

namespace {

constexpr float kEps = 1e-4f;

class TextureMappingTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        SetPlanView();
        doc->itsDocState->curveSegments = 10;
        doc->itsDocState->viewOrigin = Float3DPoint{0, 0, 0};
    }
    Objex* Shape(int16_t type, std::initializer_list<V3> points) {
        Objex* o = Make(type);
        for (const V3& p : points) Point(o, {p.h, p.v, p.d});
        return o;
    }
    void ExpectUV(Objex* o, std::initializer_list<std::pair<float, float>> uv) {
        int i = 0;
        for (const auto& [u, v] : uv) {
            EXPECT_NEAR(PointAt(o, i)->textureU, u, kEps) << "point " << i;
            EXPECT_NEAR(PointAt(o, i)->textureV, v, kEps) << "point " << i;
            ++i;
        }
    }
    // A closed rectangle of the given width along H and depth along D at height v.
    static void AddRectangleRow(Objex* o, float width, float depth, float v) {
        Point(o, {0, v, 0});
        Point(o, {width, v, 0});
        Point(o, {width, v, depth});
        Point(o, {0, v, depth});
    }
};

TEST_F(TextureMappingTest, FaceAxisFollowsTheFlattestExtent) {
    // A floor (all V equal) faces up: u along H, v along D across its plan box.
    Objex* floor = Shape(objtype::kFloor, {{0, 0, 0}, {200, 0, 0}, {200, 0, 100}, {0, 0, 100}});
    SetTextureFaceUV(floor);
    EXPECT_EQ(floor->faceAxis, 2);
    EXPECT_EQ(floor->textureFaceRect.floatLeft, 0);
    EXPECT_EQ(floor->textureFaceRect.floatRight, 200);
    EXPECT_EQ(floor->textureFaceRect.floatTop, 0);
    EXPECT_EQ(floor->textureFaceRect.floatBottom, 100);
    EXPECT_EQ(std::memcmp(&floor->textureFaceRect, &floor->textureFaceRect2, sizeof(FloatRect)), 0);
    ExpectUV(floor, {{0, 0}, {1, 0}, {1, 1}, {0, 1}});

    // Upright in H-V (all D equal): axis 1, u along H, v along V.
    Objex* front = Shape(objtype::kPolygon, {{0, 0, 5}, {100, 0, 5}, {100, 50, 5}, {50, 25, 5}});
    SetTextureFaceUV(front);
    EXPECT_EQ(front->faceAxis, 1);
    EXPECT_EQ(front->textureFaceRect.floatBottom, 50);
    ExpectUV(front, {{0, 0}, {1, 0}, {1, 1}, {0.5f, 0.5f}});

    // Upright in D-V (all H equal): axis 3, u along D, v along V.
    Objex* side = Shape(objtype::kPolygon, {{7, 0, 0}, {7, 0, 100}, {7, 50, 100}, {7, 50, 0}});
    SetTextureFaceUV(side);
    EXPECT_EQ(side->faceAxis, 3);
    EXPECT_EQ(side->textureFaceRect.floatLeft, 0);
    EXPECT_EQ(side->textureFaceRect.floatRight, 100);
    ExpectUV(side, {{0, 0}, {1, 0}, {1, 1}, {0, 1}});

    // Equal extents in H and D with some height: axis 1.
    Objex* box = Shape(objtype::kPolygon, {{0, 0, 0}, {100, 50, 0}, {100, 0, 100}, {0, 50, 100}});
    SetTextureFaceUV(box);
    EXPECT_EQ(box->faceAxis, 1);

    // Types 35 and 39 choose between D and H only.
    Objex* piece = Shape(objtype::kRoofPiece35, {{0, 0, 0}, {10, 0, 40}, {10, 1, 40}});
    SetTextureFaceUV(piece);
    EXPECT_EQ(piece->faceAxis, 3);

    // No width: the extent counts as 1, so every u is 0; v still spreads over the height.
    Objex* post = Shape(objtype::kPolygon, {{5, 0, 9}, {5, 10, 9}, {5, 20, 9}});
    SetTextureFaceUV(post);
    EXPECT_EQ(post->faceAxis, 1);
    ExpectUV(post, {{0, 0}, {0, 0.5f}, {0, 1}});

    for (Objex* o : {floor, front, side, box, piece, post}) DeleteObj(o);
}

TEST_F(TextureMappingTest, OnlyTheFirstRowSetsTheFaceAndValuesAreClamped) {
    // Row 2 lies outside row 1's box: its coordinates clamp to 0..1.
    Objex* o = Make(objtype::kPolygon);
    o->rows = 2;
    AddRectangleRow(o, 100, 50, 0);
    Point(o, {-50, 0, -10});
    Point(o, {150, 0, -10});
    Point(o, {150, 0, 80});
    Point(o, {25, 0, 25});
    SetTextureFaceUV(o);
    EXPECT_EQ(o->faceAxis, 2);
    EXPECT_EQ(o->textureFaceRect.floatRight, 100);
    EXPECT_NEAR(PointAt(o, 4)->textureU, 0, kEps);
    EXPECT_NEAR(PointAt(o, 5)->textureU, 1, kEps);
    EXPECT_NEAR(PointAt(o, 6)->textureV, 1, kEps);
    EXPECT_NEAR(PointAt(o, 7)->textureU, 0.25f, kEps);
    EXPECT_NEAR(PointAt(o, 7)->textureV, 0.5f, kEps);

    // No rows: nothing is touched. A count that is not a multiple of rows is one row.
    o->rows = 0;
    o->faceAxis = 9;
    SetTextureFaceUV(o);
    EXPECT_EQ(o->faceAxis, 9);
    o->rows = 3;
    SetTextureFaceUV(o);
    EXPECT_EQ(o->textureFaceRect.floatLeft, -50);
    EXPECT_EQ(o->textureFaceRect.floatRight, 150);
    DeleteObj(o);
}

TEST_F(TextureMappingTest, TurnedRoofFacesMapAlongTheRidgeAndKeepTheirPoints) {
    // A face rising along +H; its highest point (50, 40, 100) and the next highest (50, 40, 0)
    // make a ridge pointing up the plan (angle pi / 2). Turned back by that angle about the
    // view origin, (h, d) becomes (-d, h): the ridge runs along H from -100 to 0.
    Objex* face = Make(objtype::kRoofPiece41);
    Point(face, {0, 0, 0, V3{1.1f, 0, 2.2f}, V3{-3.3f, 0.5f, 4.4f}});
    Point(face, {0, 0, 100});
    Point(face, {50, 40, 100});
    Point(face, {50, 40, 0});
    SetTextureFaceUV(face);
    EXPECT_EQ(face->faceAxis, 1);
    EXPECT_NEAR(face->textureFaceRect.floatLeft, -100, 1e-3f);
    EXPECT_NEAR(face->textureFaceRect.floatRight, 0, 1e-3f);
    EXPECT_NEAR(face->textureFaceRect.floatTop, 0, 1e-3f);
    EXPECT_NEAR(face->textureFaceRect.floatBottom, 40, 1e-3f);
    ExpectUV(face, {{1, 0}, {0, 0}, {0, 1}, {1, 1}});

    // Awkward values about an awkward centre: every stored point comes back bit for bit.
    Objex* slanted = Make(objtype::kRoofPiece41);
    Point(slanted, {13.37f, 1.5f, -7.77f, V3{0.3f, 0, -0.7f}, V3{1.9f, 0.1f, 2.3f}});
    Point(slanted, {101.01f, 3.25f, 17.3f});
    Point(slanted, {77.7f, 60.6f, 91.9f});
    Point(slanted, {3.3f, 59.1f, 66.6f});
    doc->itsDocState->viewOrigin = Float3DPoint{31.1f, 0, -7.3f};
    std::vector<Poinz> before;
    for (Poinz* p = slanted->firstPoint; p; p = p->next) before.push_back(*p);
    const FloatRect bounds = slanted->bounds;
    SetTextureFaceUV(slanted);
    int i = 0;
    for (Poinz* p = slanted->firstPoint; p; p = p->next, ++i) {
        EXPECT_EQ(std::memcmp(p->position, before[i].position, sizeof p->position), 0) << i;
        EXPECT_EQ(std::memcmp(p->inTangent, before[i].inTangent, sizeof p->inTangent), 0) << i;
        EXPECT_EQ(std::memcmp(p->outTangent, before[i].outTangent, sizeof p->outTangent), 0) << i;
        EXPECT_GE(p->textureU, 0.0f);
        EXPECT_LE(p->textureU, 1.0f);
    }
    EXPECT_EQ(std::memcmp(&slanted->bounds, &bounds, sizeof bounds), 0);

    // A freehand slab facing 180 degrees turns by (270 - 180) degrees and maps on axis 2.
    Objex* slab = Shape(objtype::kPanelSlab, {{0, 0, 0}, {10, 0, 0}, {10, 0, 40}});
    slab->params[0] = 180;
    doc->itsDocState->viewOrigin = Float3DPoint{0, 0, 0};
    SetTextureFaceUV(slab);
    EXPECT_EQ(slab->faceAxis, 2);
    // A quarter turn towards -D: (h, d) becomes (d, -h); the box is 40 across and 10 down.
    EXPECT_NEAR(slab->textureFaceRect.floatRight - slab->textureFaceRect.floatLeft, 40, 1e-3f);
    EXPECT_NEAR(slab->textureFaceRect.floatBottom - slab->textureFaceRect.floatTop, 10, 1e-3f);
    EXPECT_EQ(PointAt(slab, 2)->position[2], 40.0f);
    for (Objex* o : {face, slanted, slab}) DeleteObj(o);
}

TEST_F(TextureMappingTest, RowLengthsAndPerimeters) {
    // Two rows of a 100 x 50 rectangle: 0, 100, 150, 250 along the row, perimeter 300.
    Objex* two = Make(objtype::kPolygon);
    two->closed = 1;
    two->rows = 2;
    AddRectangleRow(two, 100, 50, 0);
    AddRectangleRow(two, 100, 50, 96);
    EXPECT_FLOAT_EQ(GetTotalPerimeterLength(two, 0), 300);
    SetObjectPointLengths(two);
    const float along[4] = {0, 100, 150, 250};
    for (int i = 0; i < 8; ++i) {
        EXPECT_FLOAT_EQ(PointAt(two, i)->rowLength, along[i % 4]) << i;
        EXPECT_FLOAT_EQ(PointAt(two, i)->rowPerimeter, 300) << i;
    }
    // Index 4 reaches the row's end: the closing segment counts; past index 5 nothing.
    EXPECT_FLOAT_EQ(GetPointIndexPerimeterLength(two, 4, 0), 300);
    EXPECT_FLOAT_EQ(GetPointIndexPerimeterLength(two, 6, 0), 0);
    two->closed = 0;
    EXPECT_FLOAT_EQ(GetTotalPerimeterLength(two, 0), 250);

    // Three rows: the third row (40 x 20, perimeter 120) is measured along itself.
    Objex* three = Make(objtype::kPolygon);
    three->closed = 1;
    three->rows = 3;
    AddRectangleRow(three, 100, 50, 0);
    AddRectangleRow(three, 70, 70, 10);
    AddRectangleRow(three, 40, 20, 20);
    SetObjectPointLengths(three);
    const float third[4] = {0, 40, 60, 100};
    for (int i = 0; i < 12; ++i) {
        EXPECT_FLOAT_EQ(PointAt(three, i)->rowLength, i < 8 ? along[i % 4] : third[i % 4]) << i;
        EXPECT_FLOAT_EQ(PointAt(three, i)->rowPerimeter, i < 8 ? 300 : 120) << i;
    }
    // With four rows, rows 3 and 4 go back to the first row.
    AddRectangleRow(three, 10, 10, 30);
    three->rows = 4;
    SetObjectPointLengths(three);
    EXPECT_FLOAT_EQ(PointAt(three, 9)->rowLength, 100);
    EXPECT_FLOAT_EQ(PointAt(three, 15)->rowPerimeter, 300);

    // One row, or a count that is not a multiple of the rows: left alone.
    Objex* one = Make(objtype::kPolygon);
    AddRectangleRow(one, 10, 10, 0);
    Point(one, {5, 0, 5});
    SetObjectPointLengths(one);
    one->rows = 2;
    SetObjectPointLengths(one);
    EXPECT_FLOAT_EQ(PointAt(one, 1)->rowLength, 1.0f);
    EXPECT_FLOAT_EQ(GetTotalPerimeterLength(one, 0), 0);
    for (Objex* o : {two, three, one}) DeleteObj(o);
}

TEST_F(TextureMappingTest, CurvedSegmentLengths) {
    // A quarter circle of radius 100 as one Hermite segment: ten chords of the arc, 157.0.
    const float k = 400.0f * std::tan(static_cast<float>(M_PI) / 8.0f);
    Objex* arc = Make(objtype::kPolygon);
    Poinz* a = Point(arc, {100, 0, 0, {}, V3{0, 0, -k}});
    Poinz* b = Point(arc, {0, 0, -100, V3{-k, 0, 0}});
    EXPECT_NEAR(GetSplineLength(a, b), 157.08f, 0.5f);
    gCurDocument = nullptr;
    EXPECT_EQ(GetSplineLength(a, b), 0.0f);
    gCurDocument = doc;
    doc->itsDocState->curveSegments = 0;
    EXPECT_EQ(GetSplineLength(a, b), 0.0f);
    doc->itsDocState->curveSegments = 10;

    // Perimeters use the curve only when a's out-tangent or b's in-tangent is set.
    arc->rows = 2;
    Point(arc, {100, 50, 0});
    Point(arc, {0, 50, -100});
    EXPECT_NEAR(GetTotalPerimeterLength(arc, 0), 157.08f, 0.5f);
    std::memset(a->outTangent, 0, sizeof a->outTangent);
    std::memset(b->inTangent, 0, sizeof b->inTangent);
    a->inTangent[0] = 500;   // the other two tangents play no part
    b->outTangent[2] = -500;
    EXPECT_NEAR(GetTotalPerimeterLength(arc, 0), 100 * std::sqrt(2.0f), kEps);
    DeleteObj(arc);
}

}  // namespace

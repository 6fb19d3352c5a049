// Custom profiles swept along wall faces. The square wall (0,0) (100,0) (100,100) (0,100)
// closes; the face swept is its first segment's outer one on D -3, its ends on the corners'
// bisectors at (-3, -3) and (103, -3).
#include <gtest/gtest.h>

#include <vector>

#include "geometry/openings/wall_trim_sweep.h"
#include "model/type_data.h"
#include "render/core/texture_files.h"
#include "support/build.h"
#include "support/scene_checks.h"

using namespace dvxtest;

namespace {

// Out 2 at the wall's foot, 8 up the wall: a face up the slope, then one down the wall.
const Float3DPoint kProfile[] = {{0, 0, 0}, {0, 0, -2}, {0, -8, 0}};

PolygonVertex At(float h, float v, float d) {
    PolygonVertex p;
    p.H = h, p.V = v, p.D = d;
    return p;
}

class WallSweep : public SelectionTest {
protected:
    void SetUp() override {
        SelectionTest::SetUp();
        square = Trimmed(Wall(floor, {{0, 0}, {100, 0}, {100, 100}, {0, 100}}, true));
        face = gCurPlaneObject = CreatePlaneObject();
    }
    void TearDown() override {
        DeletePlaneObject(face), gCurPlaneObject = nullptr;
        SelectionTest::TearDown();
    }
    static Objex* Trimmed(Objex* wall) {
        for (Poinz* p = wall->firstPoint; p; p = p->next) {
            p->trim1 = Trim(1), p->trim2 = Trim(2);
            p->trim1->slot[0] = p->trim2->slot[0] = TrimRecord::kCustomProfile;
        }
        return wall;
    }
    // The faces and end pieces built so far.
    std::vector<PlaneObject*> Sweep(Objex* wall, int point, PolygonVertex start, PolygonVertex end) {
        gBase2DObject = wall;
        Poinz* p = PointAt(wall, point);
        BuildCustomTrimPlanesForWalls(p->trim1, &start, &end, kProfile, 3, 8, 0, p, 0);
        return PiecesOf(wall, face->trims);
    }
    Objex* square = nullptr;
    PlaneObject* face = nullptr;
};

TEST_F(WallSweep, FacesMitreWhereTheNeighbourCarriesTheTrimAndEndPiecesCloseTheRest) {
    struct Row {
        int32_t word;  // of the segment before the first corner
        size_t pieces;
        float startH;
    };
    for (const Row& row : {Row{0x10000, 2, -5}, Row{1, 2, -5}, Row{0, 3, -3}, Row{4, 3, -3}}) {
        PointAt(square, 3)->trim1->slot[0] = row.word;
        DeletePlaneObjectList(face->trims);
        const auto pieces = Sweep(square, 0, At(-3, 0, -3), At(103, 0, -3));
        ASSERT_EQ(pieces.size(), row.pieces);
        // The outer edge on D -5 meets the bisectors H = D and H + D = 100; the wall edge their ends.
        const PlaneVertex* v = pieces[0]->planes->vertices;
        EXPECT_TRUE(Near({v[0].H, v[0].D, v[1].H, v[1].V, v[2].H, v[3].H, v[3].D, pieces[0]->pieceKind},
                         {row.startH, -5, -3, -8, 103, 105, -5, 63}, 1e-3));
        if (row.pieces == 3) EXPECT_TRUE(Near({VertexCount(pieces[2]), pieces[2]->planes->vertices[1].D}, {3, -5}));
    }

    // Reversed, the face reads its neighbours' second records and builds the same faces.
    PointAt(square, 3)->trim1->slot[0] = TrimRecord::kCustomProfile;
    DeletePlaneObjectList(face->trims);
    const std::vector<PlaneObject*> forward = Sweep(square, 0, At(-3, 0, -3), At(103, 0, -3));
    PolygonVertex start = At(-3, 0, -3), end = At(103, 0, -3);
    Poinz* first = square->firstPoint;
    BuildCustomTrimPlanesForWalls(first->trim1, &end, &start, kProfile, 3, 8, 0, first, 1);
    const auto all = PiecesOf(square, face->trims);
    ASSERT_EQ(all.size(), 4u);
    for (int i = 0; i < 2; ++i)
        for (int k = 0; k < 4; ++k) {
            const PlaneVertex &a = all[i]->planes->vertices[k], &b = all[i + 2]->planes->vertices[k];
            EXPECT_TRUE(Near({a.H, a.V, a.D, a.u, a.v}, {b.H, b.V, b.D, b.u, b.v}));
        }
    EXPECT_TRUE(Near({start.H, end.H}, {-3, 103}));

    // A material dropped on a face lands in the wall trim record's slot.
    *forward[1]->frontTextureField = 4321;
    *forward[1]->backColorField = RGBColor{1, 2, 3};
    EXPECT_TRUE(Near({first->trim1->texture[0], first->trim1->color[0].blue}, {4321, 3}));

    // A straight open run: the two segments meet square across it, end pieces at the free ends.
    Objex* run = Trimmed(Wall(floor, {{0, 200}, {100, 200}, {200, 200}}));
    DeletePlaneObjectList(face->trims);
    Sweep(run, 0, At(0, 0, 197), At(100, 0, 197));
    const auto pieces = Sweep(run, 1, At(100, 0, 197), At(200, 0, 197));
    ASSERT_EQ(pieces.size(), 6u);
    EXPECT_TRUE(Near({pieces[0]->planes->vertices[3].H, pieces[3]->planes->vertices[0].H,
                      pieces[2]->planes->vertices[2].H, pieces[5]->planes->vertices[2].H},
                     {100, 100, 0, 200}, 1e-3));
}

TEST_F(WallSweep, TextureRowsRunUpTheProfileAndColumnsAlongTheFaceItSpreadsIn) {
    struct VRow {
        float length, rise, start, low, high;
    };
    for (const VRow& r : {VRow{0, 4, 0.5f, 9, 9}, VRow{8, 0, 0.5f, 0, 1}, VRow{8, 4, 0.25f, 0.25f, 0.75f}}) {
        PolygonVertex v[4];
        for (PolygonVertex& p : v) p.v = 9;
        CalculateVCoordinates(r.length, r.rise, r.start, v);
        EXPECT_TRUE(Near({v[0].v, v[3].v, v[1].v, v[2].v}, {r.low, r.low, r.high, r.high}));
    }

    struct UVRow {
        std::vector<PolygonVertex> corners;
        int16_t setV;
        float u1, v1, u2, v2, width;
    };
    const UVRow rows[] = {
        {{At(0, 0, 0), At(0, -8, 0), At(20, -8, 0), At(20, 0, 0)}, 1, 0, 0, 1, 0, 20},  // upright along H
        {{At(0, 0, 0), At(10, 0, 0), At(10, 0, 5), At(0, 0, 5)}, 1, 1, 0, 1, 1, 10},    // level
        {{At(0, 0, 0), At(0, -8, 0), At(0, -8, 20), At(0, 0, 20)}, 1, 0, 0, 1, 0, 20},  // upright along D
        {{At(0, 0, 0), At(5, 0, 5), At(5, -2, 5), At(0, -2, 0)}, 1, 1, 1, 1, 0, 5},     // as wide as deep
        {{At(0, 0, 0), At(0, -8, 0), At(20, -8, 0), At(20, 0, 0)}, 0, 0, 0, 1, 0, 20},  // columns only
    };
    PlaneObject* piece = CreatePlaneObject();
    piece->frontTexture = 2213;
    for (const UVRow& r : rows) {
        std::vector<PolygonVertex> c = r.corners;
        SetWallTrimFaceUVCoords(piece, c.data(), 4, 16, r.setV);
        float h = 0, v = 0;
        ComputeTextureScale(2213, r.width, 16, &h, &v);
        EXPECT_TRUE(Near({c[1].u, c[1].v, c[2].u, c[2].v, piece->backRepeat[0], piece->backRepeat[1]},
                         {r.u1, r.setV ? r.v1 : 0, r.u2, r.setV ? r.v2 : 0, h, v}, 1e-5));
    }
    DeletePlaneObject(piece);
}

}  // namespace

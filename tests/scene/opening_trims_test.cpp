// Linings and casings round openings, and custom profiles swept along wall faces. The window
// sits on the segment (100, 0)-(100, 100) of a wall 12 plan units thick, centred 25 along.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "scene/opening_trims.h"
#include "scene/wall_trim_sweep.h"
#include "model/deletion.h"
#include "model/lines.h"
#include "model/type_data.h"
#include "files/texture_files.h"
#include "support/scene_checks.h"

using namespace dvxtest;

namespace {

using Box = std::array<float, 6>;  // least and most H, V, D

bool Spans(const std::vector<PlaneObject*>& pieces, const Box& want) {
    Box b{1e9f, -1e9f, 1e9f, -1e9f, 1e9f, -1e9f};
    for (const PlaneObject* p : pieces)
        for (const Plane* plane : PlanesOf(p))
            for (const PlaneVertex& v : std::vector<PlaneVertex>(plane->vertices, plane->vertices + plane->count))
                for (int k = 0; k < 3; ++k)
                    b[2 * k] = std::min(b[2 * k], (&v.H)[k]), b[2 * k + 1] = std::max(b[2 * k + 1], (&v.H)[k]);
    for (int k = 0; k < 6; ++k)
        if (std::fabs(b[k] - want[k]) > 1e-3f) return false;
    return true;
}

// Out 2 at the wall's foot, 8 up it: a face up the slope, then one down the wall.
const Float3DPoint kWallProfile[] = {{0, 0, 0}, {0, 0, -2}, {0, -8, 0}};

using At = PolygonVertex;  // At{h, v, d}

class OpeningTrims : public SelectionTest {
protected:
    void SetUp() override {
        SelectionTest::SetUp();
        wall = TrimmedWall(floor, 3);
        face = gCurPlaneObject = CreatePlaneObject();
        window = Opening(wall, objtype::kWindow, 600, 1);
        record = window->typeData.attachment;
        gBase2DObject = wall;
    }
    void TearDown() override {
        DeletePlaneObject(face), gCurPlaneObject = nullptr, DeleteAllRendererObjects();
        SelectionTest::TearDown();
    }
    static Objex* Trimmed(Objex* w) {
        for (Poinz* p = w->firstPoint; p; p = p->next) {
            p->trim1 = Trim(1), p->trim2 = Trim(2);
            p->trim1->slot[0] = p->trim2->slot[0] = TrimRecord::kCustomProfile;
        }
        return gBase2DObject = w;
    }
    std::vector<PlaneObject*> Sweep(Objex* w, int point, PolygonVertex start, PolygonVertex end) {
        Poinz* p = PointAt(w, point);
        BuildCustomTrimPlanesForWalls(p->trim1, &start, &end, kWallProfile, 3, 8, 0, p, 0);
        return PiecesOf(w, face->trims);
    }
    Objex *wall = nullptr, *window = nullptr;
    AttachmentRecord* record = nullptr;
    PlaneObject* face = nullptr;
};

// Out 4 and back to 2, 1 deep: bands 4 -> 4 (0 to 1 deep), 4 -> 2 and 2 -> the edge itself.
const Float3DPoint kProfile[] = {{0, 0, 0}, {0, 0, 4}, {1, 0, 4}, {1, 0, 2}};

TEST_F(OpeningTrims, CasingBandsRingTheMaskOnEitherFaceAndCloseBackOnItsEdge) {
    // A 30 by 80 outline drawn either way round, 3 off the centre at (100, 50), 10 under it.
    const Box front[] = {{96, 134, -14, 74, 53, 54}, {96, 134, -14, 74, 54, 54}, {98, 132, -12, 72, 53, 54}};
    for (bool reversed : {false, true})
        for (int16_t back : {0, 1}) {
            DeleteAllRendererObjects();
            Objex* mask = reversed ? Make(29).closed().at({{0, 0, 0}, {0, 80, 0}, {30, 80, 0}, {30, 0, 0}})
                                   : Make(29).closed().at({{0, 0, 0}, {30, 0, 0}, {30, 80, 0}, {0, 80, 0}});
            BuildCustomTrimPlanes(record, mask, kProfile, 4, 0, 100, 0, 50, 3, 10, back);
            const auto pieces = PiecesOf(wall);
            ASSERT_EQ(pieces.size(), 12u);
            for (int band = 0; band < 3; ++band) {
                Box want = front[band];
                if (back) want[4] = 100 - front[band][5], want[5] = 100 - front[band][4];
                const std::vector<PlaneObject*> ring(pieces.begin() + 4 * band, pieces.begin() + 4 * band + 4);
                EXPECT_TRUE(Band(ring, 8) && Spans(ring, want)) << band << reversed << back;
            }
            EXPECT_TRUE(NormalsPerpendicular(pieces));
            EXPECT_TRUE(Near({pieces[0]->pieceKind, pieces[0]->frontTexture, pieces[0]->backTexture,
                              mask->firstPoint->next->position[1]},
                             {1 + back, record->insideTrimTexture, record->outsideTrimTexture, reversed ? 80 : 0}));
            DeleteObj(mask);
        }
    *PiecesOf(wall)[0]->backColorField = RGBColor{7, 8, 9};  // dropped in 3D
    EXPECT_EQ(record->outsideTrimColor.green, 8);

    // Without a record: plain. An open outline: nothing below its open end. Too short an
    // outline or profile: nothing.
    DeleteAllRendererObjects();
    Objex* open = Make(29).at({{0, 0, 0}, {0, 80, 0}, {30, 80, 0}, {30, 0, 0}});
    Objex* dot = Make(29).closed().at({{0, 0, 0}});
    BuildCustomTrimPlanes(nullptr, open, kProfile, 4, 0, 100, 0, 50, 3, 10, 0);
    BuildCustomTrimPlanes(record, dot, kProfile, 4, 0, 100, 0, 50, 3, 10, 0);
    BuildCustomTrimPlanes(record, open, kProfile, 2, 0, 100, 0, 50, 3, 10, 0);
    const auto pieces = PiecesOf(wall);
    EXPECT_TRUE(pieces.size() == 9u && Spans(pieces, {96, 134, -10, 74, 53, 54}));
    EXPECT_TRUE(Near({pieces[0]->frontTexture, pieces[0]->backColor.red, pieces[0]->frontTextureSize[1]}, {2203, 0xFFFF, 100}));
    DeleteObj(open), DeleteObj(dot);
}

TEST_F(OpeningTrims, LiningSpansTheWallAlongEachMaskEdgeInTheChosenMaterial) {
    float length = 0;
    const float angle = GetLineLengthAndAngle(100, 0, 100, 100, &length);
    record->customParts[0] = Make(29).closed().at({{-15, 0, 0}, {15, 0, 0}, {15, 80, 0}, {-15, 80, 0}});
    // Inside and outside flags, an outside profile: whose material.
    for (const auto& [inside, outside, profile, useOutside] : {std::array{0, 0, 0, 0}, {0, 1, 0, 0}, {0, 1, 1, 1}, {1, 1, 1, 0}}) {
        DeleteAllRendererObjects();
        record->insideCustomTrim = inside, record->outsideCustomTrim = outside;
        record->outsideTrimProfile = profile ? Part(8) : nullptr;
        BuildInnerTrimPlanes(record, angle, 1, 0);
        const auto pieces = PiecesOf(wall);
        ASSERT_EQ(pieces.size(), 4u);
        EXPECT_TRUE(Spans({pieces[0]}, {94, 106, -3, -3, 10, 40}) && Spans({pieces[2]}, {94, 106, 77, 77, 10, 40}));
        EXPECT_TRUE(Spans(pieces, {94, 106, -3, 77, 10, 40}) && NormalsPerpendicular(pieces));
        const int32_t* want = useOutside ? &record->outsideTrimTexture : &record->insideTrimTexture;
        EXPECT_TRUE(Same({pieces[0]->frontTextureField, pieces[3]->backTextureField}, {want, want}));
        EXPECT_TRUE(Near({pieces[0]->pieceKind, pieces[0]->frontTexture}, {3, *want}));
        DeleteObj(record->outsideTrimProfile), record->outsideTrimProfile = nullptr;
    }
    // A custom window whose definition has no width keeps its outline across and fits its height.
    record->style = 626;
    DeleteObjectList(record->customParts[0]);
    record->customParts[0] = Make(29).at({{0, 0, 0}, {0, 40, 0}});
    DeleteAllRendererObjects();
    BuildInnerTrimPlanes(record, angle, 1, 1);
    EXPECT_TRUE(Spans(PiecesOf(wall), {94, 106, -3, 77, 25, 25}));
}

TEST_F(OpeningTrims, PicksGoToTheOpeningThroughItsPiecesOrCustomPartsInTheirOrder) {
    EXPECT_TRUE(GetAttachmentObjectHdl(nullptr) == wall && GetAttachmentObjectHdl(record) == wall);
    AppendObjectToList(record->generatedParts, Part(900), window);
    record->generatedParts->parent = window;
    EXPECT_EQ(GetAttachmentObjectHdl(record), window);
    record->style = 626;
    EXPECT_EQ(GetAttachmentObjectHdl(record), wall);
    Objex* owners[] = {Part(19), Part(19)};
    for (int list : {6, 1, 2, 0}) {  // each list found before the ones already filled
        record->customParts[list] = Part(61);
        record->customParts[list]->parent = owners[list < 2];
        EXPECT_EQ(GetAttachmentObjectHdl(record), owners[list < 2]) << list;
    }
    for (int list : {6, 1, 2, 0}) record->customParts[list]->parent = nullptr;
    DeleteObj(owners[0]), DeleteObj(owners[1]);
}

// The square wall closes; the face swept is its first segment's outer one on D -3, ending on
// the corners' bisectors at (-3, -3) and (103, -3).
TEST_F(OpeningTrims, WallProfilesMitreWhereTheNeighbourCarriesTheTrimAndEndPiecesCloseTheRest) {
    Objex* square = Trimmed(Wall(floor, {{0, 0}, {100, 0}, {100, 100}, {0, 100}}, true));
    for (const auto& [word, count, startH] : {std::tuple{0x10000, 2u, -5.0f}, {1, 2u, -5.0f}, {0, 3u, -3.0f}, {4, 3u, -3.0f}}) {
        PointAt(square, 3)->trim1->slot[0] = word;  // the segment before the first corner
        DeletePlaneObjectList(face->trims);
        const auto pieces = Sweep(square, 0, At{-3, 0, -3}, At{103, 0, -3});
        ASSERT_EQ(pieces.size(), count);
        // The outer edge on D -5 meets the bisectors H = D and H + D = 100; the wall edge their ends.
        const PlaneVertex* v = pieces[0]->planes->vertices;
        EXPECT_TRUE(Near({v[0].H, v[0].D, v[1].H, v[1].V, v[2].H, v[3].H, v[3].D, pieces[0]->pieceKind, VertexCount(pieces.back())},
                         {startH, -5, -3, -8, 103, 105, -5, 63, count == 3 ? 3 : 4}, 1e-3));
    }
    // Reversed, it reads the neighbours' second records, builds the same and gives its ends back.
    PolygonVertex start = At{-3, 0, -3}, end = At{103, 0, -3};
    DeletePlaneObjectList(face->trims);
    PointAt(square, 3)->trim1->slot[0] = TrimRecord::kCustomProfile;
    const auto forward = Sweep(square, 0, start, end);
    BuildCustomTrimPlanesForWalls(square->firstPoint->trim1, &end, &start, kWallProfile, 3, 8, 0, square->firstPoint, 1);
    const auto all = PiecesOf(square, face->trims);
    ASSERT_EQ(all.size(), 4u);
    for (int k = 0; k < 8; ++k) {
        const PlaneVertex &a = all[k / 4]->planes->vertices[k % 4], &b = all[2 + k / 4]->planes->vertices[k % 4];
        EXPECT_TRUE(Near({a.H, a.V, a.D, a.u, a.v}, {b.H, b.V, b.D, b.u, b.v}));
    }
    EXPECT_TRUE(Near({start.H, end.H}, {-3, 103}));
    *forward[1]->frontTextureField = 4321;  // dropped in 3D
    EXPECT_EQ(square->firstPoint->trim1->texture[0], 4321);

    // A straight open run: the segments meet square across it, end pieces at the free ends.
    Objex* run = Trimmed(Wall(floor, {{0, 200}, {100, 200}, {200, 200}}));
    Sweep(run, 0, At{0, 0, 197}, At{100, 0, 197});
    const auto pieces = Sweep(run, 1, At{100, 0, 197}, At{200, 0, 197});
    ASSERT_EQ(pieces.size(), 6u);
    EXPECT_TRUE(Near({pieces[0]->planes->vertices[3].H, pieces[3]->planes->vertices[0].H,
                      pieces[2]->planes->vertices[2].H, pieces[5]->planes->vertices[2].H}, {100, 100, 0, 200}, 1e-3));
}

TEST_F(OpeningTrims, TrimTextureRowsRunUpTheProfileAndColumnsAlongTheFaceItSpreadsIn) {
    for (const auto& [length, rise, start, low, high] : {std::array{0.0f, 4.0f, 0.5f, 9.0f, 9.0f}, {8, 0, 0.5f, 0, 1}, {8, 4, 0.25f, 0.25f, 0.75f}}) {
        PolygonVertex v[4];
        for (PolygonVertex& p : v) p.v = 9;
        CalculateVCoordinates(length, rise, start, v);
        EXPECT_TRUE(Near({v[0].v, v[3].v, v[1].v, v[2].v}, {low, low, high, high}));
    }
    struct Row {
        std::array<PolygonVertex, 4> c;
        int16_t setV;
        float u1, v1, u2, v2, width;
    };
    const Row rows[] = {
        {{At{0, 0, 0}, At{0, -8, 0}, At{20, -8, 0}, At{20, 0, 0}}, 1, 0, 0, 1, 0, 20},  // upright along H
        {{At{0, 0, 0}, At{10, 0, 0}, At{10, 0, 5}, At{0, 0, 5}}, 1, 1, 0, 1, 1, 10},    // level
        {{At{0, 0, 0}, At{0, -8, 0}, At{0, -8, 20}, At{0, 0, 20}}, 1, 0, 0, 1, 0, 20},  // upright along D
        {{At{0, 0, 0}, At{5, 0, 5}, At{5, -2, 5}, At{0, -2, 0}}, 1, 1, 1, 1, 0, 5},     // as wide as deep
        {{At{0, 0, 0}, At{0, -8, 0}, At{20, -8, 0}, At{20, 0, 0}}, 0, 0, 0, 1, 0, 20},  // columns only
    };
    face->frontTexture = 2213;
    for (Row r : rows) {
        SetWallTrimFaceUVCoords(face, r.c.data(), 4, 16, r.setV);
        float h = 0, v = 0;
        ComputeTextureScale(2213, r.width, 16, &h, &v);
        EXPECT_TRUE(Near({r.c[1].u, r.c[1].v, r.c[2].u, r.c[2].v, face->backRepeat[0], face->backRepeat[1]},
                         {r.u1, r.setV * r.v1, r.u2, r.setV * r.v2, h, v}, 1e-5));
    }
}

}  // namespace

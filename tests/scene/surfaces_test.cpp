// Flat faces from outlines, quads and patch strips from grid cells, and wall heights.
#include <gtest/gtest.h>

#include <cmath>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "render/core/texture_files.h"
#include "scene/surfaces.h"
#include "support/scene_checks.h"
#include "tools/wall_construction.h"

namespace {

using namespace dvxtest;

class SurfacesTest : public SelectionTest {
protected:
    void SetUp() override {
        SelectionTest::SetUp();
        doc->itsDocState->planScale = 36;
    }
    // The outline built into a fresh piece, which the test owns (the last one is freed).
    PlaneObject* Planar(Objex* o, uint8_t front, int32_t count = -1) {
        DeletePlaneObject(piece);
        piece = gCurPlaneObject = CreatePlaneObject();
        RenderPlanarSurface(o->firstPoint, count < 0 ? o->pointCount : count, {}, front, o);
        return piece;
    }
    void TearDown() override {
        DeletePlaneObject(piece);
        gCurPlaneObject = nullptr;
        SelectionTest::TearDown();
    }
    // A cell of two rows, p00 (0, 0, 0) and p01 (10, 0, 0) over p10 and p11 at V -20.
    Objex* Cell(float perimeter, float outTangent = 0) {
        Objex* o = Make(objtype::kClosedSolid).on(floor).rows(2).at({{0, 0, 0, {}, {outTangent, 0, 0}}, {10, 0, 0}, {0, -20, 0}, {10, -20, 0}});
        const float lengths[] = {5, 15, 5, 15};
        for (int i = 0; i < 4; ++i) PointAt(o, i)->rowLength = lengths[i], PointAt(o, i)->rowPerimeter = perimeter;
        return o;
    }
    void Build(Objex* o) { RenderBicubicSurface(PointAt(o, 0), PointAt(o, 2), PointAt(o, 1), PointAt(o, 3), 1, o); }
    PlaneObject* piece = nullptr;
};

TEST_F(SurfacesTest, FlatFacesStandOnTheirThicknessWithTheirTypesMaterials) {
    Objex* square = Outline(objtype::kFloor, {{0, 0}, {100, 0}, {100, 100}, {0, 100}}).on(floor);
    objfield::floors::kThickness(*square) = 12;
    square->texture2 = 2203;
    square->textureFaceRect = {0, 0, 50, 100};
    EXPECT_EQ(Planar(square, 1, 2)->planes, nullptr);  // two points build nothing

    const Plane* plane = Planar(square, 1)->planes;
    ASSERT_TRUE(plane && !plane->next && plane->count == 4);
    for (uint32_t i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(plane->vertices[i].V, -24);
    EXPECT_TRUE(NormalsPerpendicular({piece}));
    EXPECT_TRUE(Near({piece->surfaceKind, piece->frontTexture, piece->backTexture}, {kPlanarSurface, 2203, 2203}));
    EXPECT_TRUE(Same({piece->frontTextureField, piece->backColorField, piece->frontScaleField},
                     {&square->texture2, &square->color2, &square->textureScales[0].x}));
    float h = 0, v = 0;
    ComputeTextureScale(2203, 100, 50, &h, &v);
    EXPECT_TRUE(Near({piece->frontRepeat[0], piece->backRepeat[1]}, {h, v}, kUlps));

    // A point in the middle of the first edge still gives a normal across the face, and the
    // back faces the other way; any other type takes the first point's sides.
    Objex* notched = Shape(floor, objtype::kPolygon, {{0, 0}, {50, 0}, {100, 0}, {100, 100}, {0, 100}}, true);
    const float frontY = Planar(notched, 1)->planes->ny;
    EXPECT_TRUE(frontY != 0 && NormalsPerpendicular({piece}));
    EXPECT_TRUE(Same({piece->frontTextureField, piece->frontScaleField, piece->backColorField, piece->backScaleField},
                     {&notched->firstPoint->texture1, &notched->textureScales[0].x, &notched->firstPoint->color2,
                      &notched->textureScales[1].x}));
    EXPECT_EQ(Planar(notched, 0)->planes->ny, -frontY);

    // The framing view: lumber or flat colours, nothing to write back to; floors untextured.
    doc->itsDocState->framingView = 1;
    for (uint8_t colours : {0, 1}) {
        doc->itsDocState->framingColors = colours;
        Planar(notched, 1);
        EXPECT_TRUE(Near({piece->frontTexture, piece->backColor.green}, {colours ? 0 : 2203, colours ? 0xE4E4 : 0xFFFF}));
        EXPECT_TRUE(Same({piece->frontTextureField, piece->backColorField}, {nullptr, nullptr}));
    }
    EXPECT_TRUE(Near({Planar(square, 1)->frontTexture}, {0}));
    EXPECT_EQ(piece->frontTextureField, nullptr);
}

TEST_F(SurfacesTest, GridCellsAreOneQuadOrAStripPerStep) {
    // Flat: tags 1-4 from p01 round to p00, u of the running lengths over the perimeter.
    Objex* flat = Cell(40);
    gCurPlaneObject = nullptr;
    Build(flat);
    piece = gCurPlaneObject;
    ASSERT_TRUE(piece && piece->planes && !piece->planes->next);
    const PlaneVertex* q = piece->planes->vertices;
    EXPECT_EQ(Tags(piece->planes), (std::vector<uint16_t>{1, 2, 3, 4}));
    EXPECT_TRUE(Near({q[0].H, q[0].V, q[1].V, q[2].H, q[0].u, q[2].u, q[0].v, q[1].v}, {10, 0, -20, 0, 5.0 / 40, 15.0 / 40, 1, 0}, kUlps));
    EXPECT_TRUE(Same({piece->frontTextureField, piece->backScaleField}, {&flat->firstPoint->texture1, &flat->firstPoint->faceScale2.x}));
    DeletePlaneObject(piece);
    piece = gCurPlaneObject = CreatePlaneObject();
    RenderMeshPlane({0, 0, 0}, {0, -20, 0}, {10, -20, 0}, {10, 0, 0}, 0, flat, 5, 7, 8);
    EXPECT_TRUE(Near({piece->planes->vertices[0].u, piece->planes->vertices[3].u}, {5, 7}));  // perimeter 0 counts as 1

    // One tangent makes the cell curved: surface resolution 4 gives four appended pieces.
    Objex* curved = Cell(40, 30);
    curved->fillColor = {1, 2, 3};
    doc->itsDocState->surfaceDetail = 4;
    gBase2DObject = curved, gCurPlaneObject = nullptr;
    Build(curved);
    const std::vector<PlaneObject*> strips = PiecesOf(curved);
    ASSERT_EQ(strips.size(), 4u);
    float u = 5.0f / 40;
    for (const PlaneObject* s : strips) {
        EXPECT_TRUE(Near({PlanesOf(s).size(), VertexCount(s), s->surfaceKind, s->frontColor.green, s->planes->vertices[0].u}, {1, 4, kMeshStrip, 2, u}, 1e-5));
        u = s->planes->vertices[3].u;
    }
    EXPECT_EQ(gCurPlaneObject, nullptr);
}

TEST_F(SurfacesTest, AWallCellRisesToTheWallHeightWithoutMovingItsPoints) {
    Objex* wall = Outline(objtype::kWall, {{0, 0}, {100, 0}}, false).on(floor);
    wall->penWidth = 6;
    objfield::wall_segment::kFirstHeight(*wall->firstPoint) = 96;
    objfield::wall::kBaseOffset(*wall) = 0.5f;
    wall->firstPoint->baseElevation = 12;
    Update3DWall(wall);
    Objex* solid = wall->typeData.wallSolid;
    const int n = solid->pointCount / 2;
    Poinz *p00 = PointAt(solid, 0), *p10 = PointAt(solid, n);
    const float before = p10->position[1];
    gCurPlaneObject = nullptr;
    RenderBicubicSurface(p00, p10, PointAt(solid, 1), PointAt(solid, n + 1), 1, solid);
    piece = gCurPlaneObject;
    const PlaneVertex* q = piece->planes->vertices;
    EXPECT_TRUE(Near({q[1].V, q[2].V, q[3].V, piece->elevationOverride, p10->position[1]}, {p00->position[1] - 193, p00->position[1] - 193, p00->position[1], 12, before}, 1e-4));
}

TEST_F(SurfacesTest, WallHeightsFollowTheSegmentShape) {
    Objex* wall = Outline(objtype::kWall, {{0, 0}, {24, 0}, {24, 24}}, false).on(floor);
    Poinz* p = wall->firstPoint;
    objfield::wall_segment::kFirstHeight(*p) = 36;   // 72 plan units
    objfield::wall_segment::kSecondHeight(*p) = 48;  // 96
    objfield::wall_segment::kPitchA(*p) = 6;         // 12 over the 24-unit segment
    const int32_t shapes[] = {0, 2, 3, 8, 9, 10};
    const double want[][2] = {{72, 72}, {72, 84}, {84, 72}, {96, 72}, {96, 72}, {72, 96}};
    for (int i = 0; i < 6; ++i) {
        objfield::wall_segment::kShape(*p) = shapes[i];
        EXPECT_TRUE(Near({GetWallHeight(p, 1), GetWallHeight(p, 2)}, {want[i][0], want[i][1]}, 1e-4)) << shapes[i];
    }
    Poinz* last = PointAt(wall, 2);
    objfield::wall_segment::kShape(*last) = 2, objfield::wall_segment::kPitchA(*last) = 12;
    EXPECT_EQ(GetWallHeight(last, 2), 0.0);  // nothing to measure to
    wall->closed = 1;
    EXPECT_NEAR(GetWallHeight(last, 2), 24 * std::sqrt(2.0), 1e-4);  // back to the first point
}

}  // namespace

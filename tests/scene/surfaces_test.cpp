// Flat faces from outlines, quads and patch strips from grid cells, and wall heights.
#include <gtest/gtest.h>

#include <cmath>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "files/texture_files.h"
#include "scene/surfaces.h"
#include "support/scene_checks.h"
#include "tools/wall_construction.h"

namespace {

using namespace dvxtest;
namespace seg = objfield::wall_segment;

class SurfacesTest : public SelectionTest {
  protected:
    // The outline built into a fresh piece, which the test owns (the last one is freed).
    PlaneObject* Planar(Objex* o, uint8_t front, int32_t count = -1) {
        DeletePlaneObject(piece);
        piece = gCurPlaneObject = CreatePlaneObject();
        RenderPlanarSurface(o->firstPoint, count < 0 ? o->pointCount : count, {}, front, o);
        return piece;
    }
    // The cell p00, p01 over p10, p11 of a grid of two rows and `n` points each.
    const PlaneVertex* Cell(Objex* o, int n) {
        DeletePlaneObject(piece);
        gCurPlaneObject = nullptr;
        RenderBicubicSurface(PointAt(o, 0), PointAt(o, n), PointAt(o, 1), PointAt(o, n + 1), 1, o);
        return (piece = gCurPlaneObject) ? piece->planes->vertices : nullptr;
    }
    void TearDown() override {
        DeletePlaneObject(piece), gCurPlaneObject = nullptr;
        SelectionTest::TearDown();
    }
    PlaneObject* piece = nullptr;
};

TEST_F(SurfacesTest, FlatFacesStandOnTheirThicknessWithTheirTypesMaterials) {
    Objex* square = Outline(objtype::kFloor, {{0, 0}, {100, 0}, {100, 100}, {0, 100}}).on(floor);
    objfield::floors::kThickness(*square) = 12;
    square->texture2 = 2203;
    square->textureFaceRect = {0, 0, 50, 100};
    EXPECT_EQ(Planar(square, 1, 2)->planes, nullptr); // two points build nothing
    const Plane* plane = Planar(square, 1)->planes;
    ASSERT_TRUE(plane && !plane->next && plane->count == 4 && NormalsPerpendicular({piece}));
    for (uint32_t i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(plane->vertices[i].V, -24); // scale 36
    float h = 0, v = 0;
    ComputeTextureScale(2203, 100, 50, &h, &v);
    EXPECT_TRUE(Near({piece->surfaceKind, piece->backTexture, piece->frontRepeat[0],
                      piece->backRepeat[1]}, {kPlanarSurface, 2203, h, v}, kUlps));
    EXPECT_TRUE(Same({piece->frontTextureField, piece->backColorField, piece->frontScaleField},
                     {&square->texture2, &square->color2, &square->textureScales[0].x}));

    // A point mid-edge leaves the normal across the face; other types show the point's sides.
    Objex* notched =
        Shape(floor, objtype::kPolygon, {{0, 0}, {50, 0}, {100, 0}, {100, 100}, {0, 100}}, true);
    const float frontY = Planar(notched, 1)->planes->ny;
    EXPECT_TRUE(frontY != 0 && NormalsPerpendicular({piece}));
    EXPECT_TRUE(Same({piece->frontTextureField, piece->frontScaleField, piece->backScaleField},
                     {&notched->firstPoint->texture1, &notched->textureScales[0].x,
                      &notched->textureScales[1].x}));
    EXPECT_EQ(Planar(notched, 0)->planes->ny, -frontY);

    // The framing view: lumber or flat colours, nothing to write back to; floors untextured.
    doc->itsDocState->framingView = 1;
    for (uint8_t colours : {0, 1}) {
        doc->itsDocState->framingColors = colours;
        Planar(notched, 1);
        EXPECT_TRUE(Near({piece->frontTexture, piece->backColor.green, !piece->frontTextureField},
                         {colours ? 0 : 2203, colours ? 0xE4E4 : 0xFFFF, 1}));
    }
    EXPECT_TRUE(Near({Planar(square, 1)->frontTexture, piece->backColorField == 0}, {0, 1}));
}

TEST_F(SurfacesTest, GridCellsAreOneQuadOrAStripPerStepAndWallCellsRiseToTheirHeight) {
    // Flat: tags 1-4 from p01 round to p00; u the running lengths (a perimeter 0 counts as 1).
    Objex* cell = Make(objtype::kClosedSolid).on(floor).rows(2).at(
        {{0, 0, 0}, {10, 0, 0}, {0, -20, 0}, {10, -20, 0}});
    for (Poinz* p = cell->firstPoint; p; p = p->next)
        p->rowLength = p->position[0] ? 15 : 5, p->rowPerimeter = 0;
    const PlaneVertex* q = Cell(cell, 2);
    EXPECT_EQ(Tags(piece->planes), (std::vector<uint16_t>{1, 2, 3, 4}));
    EXPECT_TRUE(Near({q[0].H, q[1].V, q[2].H, q[0].u, q[2].u, q[0].v, q[1].v, !piece->planes->next},
                     {10, -20, 0, 5, 15, 1, 0, 1}, kUlps));
    EXPECT_TRUE(Same({piece->frontTextureField, piece->backScaleField},
                     {&cell->firstPoint->texture1, &cell->firstPoint->faceScale2.x}));

    // One tangent makes it curved: surface resolution 4 gives four appended one-quad pieces.
    cell->firstPoint->outTangent[0] = 30, cell->fillColor = {1, 2, 3};
    for (Poinz* p = cell->firstPoint; p; p = p->next) p->rowPerimeter = 40;
    doc->itsDocState->surfaceDetail = 4;
    gBase2DObject = cell;
    EXPECT_EQ(Cell(cell, 2), nullptr);
    float u = 5.0f / 40;
    ASSERT_EQ(PiecesOf(cell).size(), 4u);
    for (const PlaneObject* s : PiecesOf(cell)) {
        EXPECT_TRUE(Near({PlanesOf(s).size(), VertexCount(s), s->surfaceKind, s->frontColor.green,
                          s->planes->vertices[0].u},
                         {1, 4, kMeshStrip, 2, u}, 1e-5));
        u = s->planes->vertices[3].u;
    }

    // A wall's solid: the upper row 96 + 0.5 inches over p00, on the segment's base; copies.
    Objex* wall = Outline(objtype::kWall, {{0, 0}, {100, 0}}, false).on(floor);
    seg::kFirstHeight(*wall->firstPoint) = 96, wall->firstPoint->baseElevation = 12;
    wall->penWidth = 6, objfield::wall::kBaseOffset(*wall) = 0.5f;
    Update3DWall(wall);
    Objex* solid = wall->typeData.wallSolid;
    const int n = solid->pointCount / 2;
    Poinz* p10 = PointAt(solid, n);
    const float base = solid->firstPoint->position[1], upper = p10->position[1];
    q = Cell(solid, n);
    EXPECT_TRUE(Near({q[1].V, q[2].V, q[3].V, piece->elevationOverride, p10->position[1]},
                     {base - 193, base - 193, base, 12, upper}, 1e-4));
}

TEST_F(SurfacesTest, WallHeightsFollowTheSegmentShape) {
    Objex* wall = Outline(objtype::kWall, {{0, 0}, {24, 0}, {24, 24}}, false).on(floor);
    Poinz *p = wall->firstPoint, *last = PointAt(wall, 2);
    seg::kFirstHeight(*p) = 36, seg::kSecondHeight(*p) = 48; // 72 and 96 plan units
    seg::kPitchA(*p) = 6;                                    // 12 over the 24-unit segment
    const std::pair<int32_t, std::pair<double, double>> rows[] = {
        {0, {72, 72}}, {2, {72, 84}}, {3, {84, 72}}, {8, {96, 72}}, {9, {96, 72}}, {10, {72, 96}}};
    for (const auto& [shape, want] : rows) {
        seg::kShape(*p) = shape;
        EXPECT_TRUE(Near({GetWallHeight(p, 1), GetWallHeight(p, 2)}, {want.first, want.second}));
    }
    seg::kShape(*last) = 2, seg::kPitchA(*last) = 12;
    EXPECT_EQ(GetWallHeight(last, 2), 0.0); // nothing to measure to
    wall->closed = 1;
    EXPECT_NEAR(GetWallHeight(last, 2), 24 * std::sqrt(2.0), 1e-4); // back to the first point
}

} // namespace

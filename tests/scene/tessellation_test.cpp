// Planes split into triangles (GLU, or ear clipping when crossed) and ribbons into quads.
#include <gtest/gtest.h>

#include <memory>

#include "scene/tessellation.h"
#include "support/scene_checks.h"

namespace {

using namespace dvxtest;

const std::vector<V3> kHexagon = {{0, 0, 0}, {10, 0, 0}, {15, 0, 8}, {10, 0, 16}, {0, 0, 16}, {-5, 0, 8}};
const std::vector<V3> kBowTie = {{0, 0, 0}, {20, 20, 0}, {20, 10, 0}, {20, 0, 0}, {0, 20, 0}, {0, 10, 0}};  // crossing at 10, 10

using Owned = std::unique_ptr<PlaneObject, void (*)(PlaneObject*)>;
Owned Piece(const std::vector<V3>& corners, V3 normal = {0, -0.5f, 0}) {
    Owned p(CreatePlaneObject(), DeletePlaneObject);
    AddPlane(p.get(), corners, normal);
    return p;
}

// Triangles keeping the outline's area and normal: its n edges shown, each diagonal hidden
// and shared by two triangles.
void ExpectTriangulated(PlaneObject* p, size_t n, double area) {
    ASSERT_EQ(PlanesOf(p).size(), n - 2);
    size_t shown = 0;
    for (const Plane* t : PlanesOf(p)) {
        EXPECT_TRUE(Near({t->count, t->nx, t->ny, t->nz}, {3, 0, -0.5, 0}));
        for (uint16_t tag : Tags(t)) shown += tag == 0;
    }
    EXPECT_TRUE(Near({shown, Area({p})}, {n, area}, 1e-3));
    EXPECT_TRUE(Band({p}, static_cast<int>(n)));
    EXPECT_TRUE(NormalsPerpendicular({p}));
}

TEST(Tessellation, OutlinesByEitherPath) {
    Owned quad = Piece({{0, 0, 0}, {10, 0, 0}, {10, 0, 10}, {0, 0, 10}});
    const uint16_t tags[4] = {kHiddenEdge, 3, 0, kHiddenEdge};
    for (int k = 0; k < 4; ++k) quad->planes->vertices[k].flag = tags[k];
    R3DTriangulatePlaneObject(quad.get());
    ASSERT_EQ(PlanesOf(quad.get()).size(), 1u);
    EXPECT_EQ(Tags(quad->planes), (std::vector<uint16_t>{1, 0, 0, 1}));
    // The L's area whole and its outline edges each in one triangle: no triangle outside it.
    for (void (*triangulate)(PlaneObject*) : {R3DTriangulatePlaneObject, D3DTriangulatePlaneObject}) {
        Owned hexagon = Piece(kHexagon), ell = Piece({{0, 0, 0}, {20, 0, 0}, {20, 0, 10}, {10, 0, 10}, {10, 0, 20}, {0, 0, 20}});
        triangulate(hexagon.get());
        triangulate(ell.get());
        ExpectTriangulated(hexagon.get(), 6, 240);
        ExpectTriangulated(ell.get(), 6, 300);
    }
}

TEST(Tessellation, CrossedOutlinesGoToTheEarClipper) {
    // The tessellator asks to combine, is given no vertex and must emit nothing of its own.
    Owned bow = Piece(kBowTie, {0, 0, 0.5f}), copy = Piece(kBowTie, {0, 0, 0.5f});
    AddPlane(bow.get(), kHexagon, {0, -0.5f, 0});  // and takes the next polygon as usual
    R3DTriangulatePlaneObject(bow.get());
    Plane* clipped = TriangulatePlane(copy->planes, nullptr);
    std::vector<const Plane*> expected;
    for (const Plane* t = clipped; t; t = t->next) expected.push_back(t);
    const std::vector<const Plane*> got = PlanesOf(bow.get());
    ASSERT_EQ(got.size(), expected.size() + 4);
    EXPECT_FALSE(expected.empty());
    for (size_t i = 0; i < expected.size(); ++i)
        for (uint32_t k = 0; k < 3; ++k) {
            const PlaneVertex &a = got[i]->vertices[k], &b = expected[i]->vertices[k];
            EXPECT_TRUE(Near({a.H, a.V, a.D, a.flag}, {b.H, b.V, b.D, b.flag}));
        }
    DeletePlaneList(clipped);
}

TEST(Tessellation, PathRibbonsBecomeQuads) {
    Owned path = Piece({{0, 0, 0}, {10, 0, 0}, {20, 0, 0}, {30, 0, 0}, {30, 0, 5}, {20, 0, 5}, {10, 0, 5}, {0, 0, 5}});
    path->pieceKind = objtype::kType23;
    D3DTriangulatePlaneObject(path.get());
    ASSERT_EQ(PlanesOf(path.get()).size(), 3u);
    for (const Plane* q : PlanesOf(path.get())) EXPECT_EQ(Tags(q), (std::vector<uint16_t>{0, 1, 0, 1}));
    EXPECT_TRUE(Band({path.get()}, 8));
    EXPECT_NEAR(Area({path.get()}), 150, 1e-3);
}

}  // namespace

// Planar polygons: straight and curved outlines walked forwards and backwards, texture
// coordinates of samples, real-time drawing and the small append operations.
#include <gtest/gtest.h>

#include <cmath>

#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "support/build.h"
#include "model/objects.h"
#include "model/planar_polygons.h"
#include "support/fixture.h"

using namespace dvxtest;

namespace {

class PlanarPolygonsTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        SetPlanView();
        doc->itsDocState->curveSegments = 10;
    }
    // A circle of radius 100 about the origin from four Hermite quarter arcs, counter-clockwise
    // on the plan; every tangent 4 r tan(pi / 8) long.
    Objex* Circle() {
        Objex* o = Make(objtype::kPolygon);
        o->closed = 1;
        const float k = 400.0f * std::tan(static_cast<float>(M_PI) / 8.0f);
        for (int i = 0; i < 4; ++i) {
            const float a = static_cast<float>(i * M_PI / 2);
            const V3 t{-k * std::sin(a), 0, -k * std::cos(a)};
            Point(o, {100 * std::cos(a), 0, -100 * std::sin(a), t, t});
        }
        return o;
    }
};

TEST_F(PlanarPolygonsTest, StraightOutlinesKeepPointsAndTheirTextureCoordinates) {
    Objex* o = Make(objtype::kPolygon);
    const float pos[3][3] = {{0, 1, 0}, {40, 2, 0}, {0, 3, 30}};
    for (int i = 0; i < 3; ++i) {
        Poinz* p = Point(o, {pos[i][0], pos[i][1], pos[i][2]});
        p->textureU = 0.1f * static_cast<float>(i + 1);
        p->textureV = 0.5f + 0.1f * static_cast<float>(i);
    }
    PlanarPolygon forward = PlanarPolygon::FromOutline(o->firstPoint, o->pointCount);
    ASSERT_EQ(forward.size(), 3);
    EXPECT_EQ(forward.byteLength(), 3 * static_cast<int32_t>(sizeof(PolygonVertex)));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(forward[i].H, pos[i][0]);
        EXPECT_EQ(forward[i].V, pos[i][1]);
        EXPECT_EQ(forward[i].D, pos[i][2]);
        EXPECT_EQ(forward[i].flag, 0);
        EXPECT_FLOAT_EQ(forward[i].u, 0.1f * static_cast<float>(i + 1));
        EXPECT_FLOAT_EQ(forward[i].v, 0.5f + 0.1f * static_cast<float>(i));
    }

    // Backwards: the same vertices from the last point on.
    Point(o, {-5, 4, 12});
    int32_t count = o->pointCount;
    PolygonVertex* reversed = CreatePlanarPolygonReverseOrder(o->firstPoint, &count);
    ASSERT_NE(reversed, nullptr);
    ASSERT_EQ(count, 4);
    const float h[4] = {-5, 0, 40, 0};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(reversed[i].H, h[i]) << i;
    DeletePlanarPolygon(reversed);

    // Fewer than three points, or nothing to walk: null and no vertices.
    count = 2;
    EXPECT_EQ(CreatePlanarPolygon(o->firstPoint, &count), nullptr);
    EXPECT_EQ(count, 0);
    count = 2;
    EXPECT_EQ(CreatePlanarPolygonReverseOrder(o->firstPoint, &count), nullptr);
    count = 5;
    EXPECT_EQ(CreatePlanarPolygon(nullptr, &count), nullptr);
    DeleteObj(o);
}

TEST_F(PlanarPolygonsTest, CurvedSegmentsAreSampledWithoutTheirEndPoint) {
    Objex* o = Circle();
    // Face rectangle of the circle's plan box: u = (H + 100) / 200, v = (D + 100) / 200.
    o->faceAxis = 2;
    o->textureFaceRect2 = FloatRect{-100, -100, 100, 100};
    PlanarPolygon poly = PlanarPolygon::FromOutline(o->firstPoint, o->pointCount);
    ASSERT_EQ(poly.size(), 40);  // t = 0, 0.1, ..., 0.9 on each of four segments
    for (const PolygonVertex& v : poly) {
        EXPECT_NEAR(std::hypot(v.H, v.D), 100.0f, 0.1f);
        EXPECT_NEAR(v.u, (v.H + 100) / 200, 1e-5f);
        EXPECT_NEAR(v.v, (v.D + 100) / 200, 1e-5f);
    }
    EXPECT_NEAR(poly[0].H, 100, 1e-4f);
    EXPECT_NEAR(poly[10].D, -100, 1e-4f);  // the second point starts the second segment
    EXPECT_NEAR(poly[5].H, 100 * std::cos(M_PI / 4), 0.1f);

    // A zero-sized face rectangle divides by 1; another axis keeps the previous sample's
    // coordinates, 0 to begin with.
    o->textureFaceRect2 = FloatRect{};
    poly = PlanarPolygon::FromOutline(o->firstPoint, o->pointCount);
    EXPECT_NEAR(poly[5].u, 100 * std::cos(M_PI / 4), 0.1f);
    o->faceAxis = 0;
    poly = PlanarPolygon::FromOutline(o->firstPoint, o->pointCount);
    EXPECT_EQ(poly[5].u, 0.0f);

    // While the plan draws in real time every segment is straight: one vertex a point.
    gRealTimeDraw = 1;
    EXPECT_EQ(PlanarPolygon::FromOutline(o->firstPoint, o->pointCount).size(), 4);
    gRealTimeDraw = 0;
    DeleteObj(o);
}

TEST_F(PlanarPolygonsTest, ReversedCurvedOutlineTracesTheSameCurve) {
    // Uneven tangents, so that a reversed segment built from the wrong tangents would differ.
    Objex* o = Make(objtype::kPolygon);
    o->closed = 1;
    Point(o, {0, 0, 0, V3{-30, 5, 10}, V3{20, 0, -50}});
    Point(o, {100, 10, 0, V3{60, -4, 40}, V3{0, 0, 0}});
    Point(o, {40, 20, 80, V3{-10, 0, 70}, V3{-80, 8, -15}});
    PlanarPolygon forward = PlanarPolygon::FromOutline(o->firstPoint, o->pointCount);
    PlanarPolygon backward = PlanarPolygon::FromOutlineReversed(o->firstPoint, o->pointCount);
    ASSERT_EQ(forward.size(), 30);
    ASSERT_EQ(backward.size(), 30);
    // Forward vertex 10 k + j is segment k at t = j / 10. The backward walk takes segment 1,
    // then 0, then the closing segment 2, each from t = 1 down to 0.1: segment k starts at
    // vertex 10 ((4 - k) mod 3) and holds t = j / 10 at offset 10 - j (t = 0 is the end of
    // the previous segment: offset 10 wraps onto it).
    for (int i = 0; i < 30; ++i) {
        const int k = i / 10, j = i % 10;
        const PolygonVertex& f = forward[i];
        const PolygonVertex& b = backward[(10 * ((4 - k) % 3) + 10 - j) % 30];
        EXPECT_NEAR(f.H, b.H, 1e-3f) << i;
        EXPECT_NEAR(f.V, b.V, 1e-3f) << i;
        EXPECT_NEAR(f.D, b.D, 1e-3f) << i;
    }
    EXPECT_EQ(backward[0].H, 40.0f);  // starts at the last point
    DeleteObj(o);
}

TEST_F(PlanarPolygonsTest, AppendOperationsGrowTheByteCount) {
    Objex* o = Make(objtype::kPolygon);
    Poinz* a = Point(o, {0, 0, 0, {}, V3{0, 0, -60}});
    Poinz* b = Point(o, {100, 0, 0, V3{0, 0, 60}});
    PolygonVertex* array = nullptr;
    int32_t bytes = 0;
    int32_t added = -1;
    AppendObjectSegment(&array, a, b, &bytes, &added);
    EXPECT_EQ(added, 10);
    EXPECT_EQ(bytes, 10 * static_cast<int32_t>(sizeof(PolygonVertex)));
    EXPECT_NEAR(array[5].D, -15, 1e-4f);  // D = -60 t (1 - t) at t = 0.5

    EXPECT_EQ(StorePolyPoint(&array, 1, 2, 3, &bytes, 7, 0.25f, 0.75f), 1);
    EXPECT_EQ(array[10].flag, 7);
    EXPECT_EQ(array[10].v, 0.75f);
    // StorePoint gives no texture coordinates; projecting takes the point into the view.
    EXPECT_EQ(StorePoint(&array, 10, 50, 20, &bytes, 0, 3), 1);
    EXPECT_EQ(array[11].u, 0.0f);
    EXPECT_EQ(array[11].v, 0.0f);
    EXPECT_EQ(array[11].V, 50.0f);
    SetView(0, 0);
    EXPECT_EQ(StorePoint(&array, 10, 50, 20, &bytes, 1, 0), 1);
    EXPECT_NEAR(array[12].H, 10, 1e-4f);
    EXPECT_NEAR(array[12].V, 50, 1e-4f);
    EXPECT_NEAR(array[12].D, 20, 1e-4f);
    EXPECT_EQ(bytes, 13 * static_cast<int32_t>(sizeof(PolygonVertex)));
    DeletePlanarPolygon(array);

    // A byte count that cannot grow is refused and the array released.
    array = nullptr;
    bytes = 0x7FFFFFF0;
    EXPECT_EQ(StorePolyPoint(&array, 0, 0, 0, &bytes, 0, 0, 0), 0);
    EXPECT_EQ(array, nullptr);
    DeleteObj(o);
}

}  // namespace

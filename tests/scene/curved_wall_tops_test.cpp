// A wall whose centre line curves, built along one face (alignment 1) so that face keeps the
// curve: its curved cells become strips, which stand the wall's height and are closed from
// above like straight faces, the top covering exactly the footprint the faces stand on.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <utility>
#include <vector>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "scene/scene_build.h"
#include "support/scene_checks.h"
#include "support/seam_recorders.h"
#include "tools/wall_construction.h"

namespace {

using namespace dvxtest;
namespace seg = objfield::wall_segment;

class CurvedWallTops : public SelectionTest {
protected:
    void SetUp() override { SelectionTest::SetUp(), RegisterLiveView(true); }
};

using Key = std::pair<long, long>;
Key At(const PlaneVertex& v) { return {std::lround(v.H * 1000), std::lround(v.D * 1000)}; }

// The plan area the faces stand on: their edges at the base (V 0) chained into one loop.
double FootprintArea(const std::vector<PlaneObject*>& faces) {
    std::multimap<Key, Key> links;
    std::map<Key, std::pair<double, double>> where;
    for (const PlaneObject* face : faces)
        for (const Plane* p : PlanesOf(face))
            for (uint32_t i = 0; i < p->count; ++i) {
                const PlaneVertex &a = p->vertices[i], &b = p->vertices[(i + 1) % p->count];
                if (std::fabs(a.V) > 1e-3 || std::fabs(b.V) > 1e-3 || At(a) == At(b)) continue;
                links.insert({At(a), At(b)}), links.insert({At(b), At(a)});
                where[At(a)] = {a.H, a.D}, where[At(b)] = {b.H, b.D};
            }
    if (links.empty()) return 0;
    const Key first = links.begin()->first;
    Key previous = first, at = links.begin()->second;
    double twice = 0;
    for (size_t steps = 0; steps <= where.size(); ++steps) {
        twice += where[previous].first * where[at].second - where[at].first * where[previous].second;
        if (at == first) return std::fabs(twice) / 2;
        const auto [from, to] = links.equal_range(at);
        Key next = previous;
        for (auto it = from; it != to; ++it)
            if (it->second != previous) next = it->second;
        previous = at, at = next;
    }
    return -1;  // not one loop
}

TEST_F(CurvedWallTops, ACurvedFaceStandsTheWallsHeightAndItsTopCoversItsFootprint) {
    // Three points bending through (100, -40); the middle one a curve point with tangents, the
    // ends keeping theirs along the curve. 6 inches (12 units) thick, 48 high (96 units) on a
    // base offset of 1 unit.
    Objex* w = Outline(objtype::kWall, {{0, 0}, {100, -40}, {200, 0}}, false).on(floor);
    w->penWidth = 6, w->optionA = 1, objfield::wall::kBaseOffset(*w) = 0.5f;
    Poinz* mid = w->firstPoint->next;
    mid->kind = pointkind::kCurvePoint;
    mid->inTangent[0] = -40, mid->outTangent[0] = 40;
    w->firstPoint->outTangent[0] = 30, w->firstPoint->outTangent[2] = -30;
    mid->next->inTangent[0] = -30, mid->next->inTangent[2] = -30;
    for (Poinz* p = w->firstPoint; p; p = p->next) seg::kFirstHeight(*p) = seg::kSecondHeight(*p) = 48;
    Update3DWall(w);
    RenderSingleObject(w);

    std::vector<PlaneObject*> faces, tops;
    int strips = 0;
    for (PlaneObject* p : PiecesOf(w)) {
        if (p->pieceKind == 0) tops.push_back(p);
        else if (p->pieceKind == 10) faces.push_back(p), strips += p->surfaceKind == kMeshStrip;
    }
    ASSERT_GT(strips, 0) << "no curved cell";
    // Every face stands from the base to 97 (the base offset and the height) and no higher.
    for (const PlaneObject* face : faces) {
        float highest = 0;
        for (const Plane* p : PlanesOf(face))
            for (uint32_t i = 0; i < p->count; ++i) highest = std::min(highest, p->vertices[i].V);
        EXPECT_NEAR(highest, -97, 1e-3);
    }
    // One top over each of the two segments, all at 97, covering what the faces enclose.
    ASSERT_EQ(tops.size(), 2u);
    for (const PlaneObject* top : tops)
        for (const Plane* p : PlanesOf(top)) {
            EXPECT_LT(p->ny, 0);
            for (uint32_t i = 0; i < p->count; ++i) EXPECT_NEAR(p->vertices[i].V, -97, 1e-3);
        }
    const double footprint = FootprintArea(faces);
    EXPECT_GT(footprint, 200 * 12 * 0.8);  // a band about 12 wide along some 215
    EXPECT_NEAR(Area(tops), footprint, 0.05);

    // In the framing view plain segments show their lumber: no strips along the sides (only
    // across the wall's ends, which stand as they do), no tops.
    doc->itsDocState->framingView = 1;
    DeleteAllRendererObjects(), RenderSingleObject(w);
    for (const PlaneObject* p : PiecesOf(w)) {
        EXPECT_NE(p->pieceKind, 0);
        if (p->surfaceKind != kMeshStrip) continue;
        const PlaneVertex* v = p->planes->vertices;
        EXPECT_LT(std::hypot(v[0].H - v[3].H, v[0].D - v[3].D), 12.5) << "a strip along a side";
    }
}

}  // namespace

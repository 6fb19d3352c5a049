// Mouldings, paneling and custom profiles on a wall face, from the side's trim record.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/units.h"
#include "render/core/texture_files.h"
#include "scene/wall_trims.h"
#include "support/scene_checks.h"
#include "support/seam_recorders.h"

namespace {

using namespace dvxtest;
constexpr float kPi = std::numbers::pi_v<float>;

// Side 0 of a segment 100 inches long (200 units) runs from B0 at H 200 back to B1 at the
// origin, and its pieces stand off it towards +D; side 1 runs the other way.
class WallTrimsTest : public SelectionTest {
  protected:
    void SetUp() override {
        SelectionTest::SetUp();
        wall = TrimmedWall(floor, 2);
        start = wall->firstPoint;
        record = start->trim1;
        face = gCurPlaneObject = CreatePlaneObject();
        face->trimRecordField = &start->trim1;
        plane = AddPlane(face, {{200, 0, 0}, {200, -192, 0}, {0, -192, 0}, {0, 0, 0}}, {0, 0, 1});
        back = AddPlane(face, {{0, 0, 0}, {0, -192, 0}, {200, -192, 0}, {200, 0, 0}}, {0, 0, -1});
        gBase2DObject = wall;
    }
    void TearDown() override {
        DeletePlaneObject(face), gCurPlaneObject = nullptr;
        SelectionTest::TearDown();
    }
    std::vector<PlaneObject*> Trims(int32_t word, int32_t crown, int16_t side = 0) {
        DeletePlaneObjectList(face->trims);
        (side ? start->trim2 : record)->slot[0] = word, (side ? start->trim2 : record)->slot[1] = crown;
        Plane* p = side ? back : plane;
        AddWallFaceTrims(start, side, p, side ? 0 : kPi, 200, &p->vertices[3], p->vertices, 1);
        std::vector<PlaneObject*> out;
        for (PlaneObject* t = face->trims; t; t = t->next) out.push_back(t);
        return out;
    }
    Objex* wall = nullptr;
    Poinz* start = nullptr;
    TrimRecord* record = nullptr;
    PlaneObject* face = nullptr;
    Plane* plane = nullptr;
    Plane* back = nullptr;
};

TEST_F(WallTrimsTest, MouldingStripsTakeTheirWordsHeightAndSlot) {
    const float cm10 = ConvertCMToInches(10) * 2, cm105 = ConvertCMToInches(105) * 2;
    objfield::wall_segment::kShape(*start) = 1; // a gable: the crown still hangs from the first height
    const struct {
        int32_t word, crown;
        int16_t units, kind;
        int slot;
        float lower, upper;
    } rows[] = {{1 | 16, 0, kImperialUnits, 63, 0, 1, 9},
                {2 | 16, 0, kMetricUnits, 63, 0, 1, 1 + cm10},
                {0, 3, kImperialUnits, 159, 1, 181, 193},
                {2048 | 8192, 0, kMetricUnits, 132, 4, 1, 1 + cm105}};
    for (const auto& row : rows) {
        doc->itsDocState->units = row.units;
        const auto trims = Trims(row.word, row.crown);
        ASSERT_EQ(trims.size(), 1u);
        const PlaneObject* t = trims[0];
        const PlaneVertex* v = t->planes->vertices;
        EXPECT_TRUE(Near({t->pieceKind, v[0].H, v[0].V, v[0].D, v[1].V, v[2].H, v[2].V, v[3].V, v[2].u, v[0].v},
                         {row.kind, 0, -row.lower, 0.75, -row.upper, 200, -row.upper, -row.lower, 1, 1}, 1e-4));
        float h = 0, r = 0;
        ComputeTextureScale(record->texture[row.slot], 200, row.upper - row.lower, &h, &r);
        EXPECT_TRUE(Near({t->frontTexture, t->backRepeat[0], t->frontRepeat[1], t->planes->nz},
                         {record->texture[row.slot], h, r, 0.99}, 1e-5));
        EXPECT_TRUE(Same({t->frontTextureField, t->backColorField, t->frontScaleField, t->trimRecordField,
                          t->baseObject},
                         {&record->texture[row.slot], &record->color[row.slot], record->scale[row.slot],
                          &start->trim1, wall}));
    }
}

TEST_F(WallTrimsTest, PanelingLaysRailsAndStilesOutByTheirSpacing) {
    auto trims = Trims(4 | 256, 0); // 42 inches
    ASSERT_EQ(trims.size(), 3u);
    EXPECT_TRUE(Near({PlanesOf(trims[0]).size(), PlanesOf(trims[1]).size(), PlanesOf(trims[2]).size(),
                      trims[1]->frontTexture, trims[2]->frontTexture},
                     {1, 9, 15, record->texture[2], record->texture[3]}));
    for (int i = 0; i < 3; ++i) // rail fronts: bottoms 0, 19 and 38 inches up, 1.9 off
        EXPECT_TRUE(Near({PlanesOf(trims[1])[3 * i]->vertices[0].V, PlanesOf(trims[1])[3 * i]->vertices[0].D},
                         {-1 - 38 * i, 1.9}, 1e-4));
    for (int j = 0; j < 5; ++j) // stile fronts: 24 inches apart from B0
        EXPECT_NEAR(PlanesOf(trims[2])[3 * j]->vertices[3].H, 200 - 48 * j, 1e-4);
    for (const PlaneObject* t : trims)
        for (const Plane* p : PlanesOf(t)) EXPECT_GT(std::abs(p->nx) + std::abs(p->ny) + std::abs(p->nz), 0.5);
    EXPECT_TRUE(NormalsPerpendicular(trims));

    gPanelingHeight = 20;
    DeletePlaneObjectList(face->trims);
    CreatePaneling(record, plane, kPi, 200, &plane->vertices[3], plane->vertices, 192, 1, 0, 0, 64);
    ASSERT_TRUE(face->trims && face->trims->next);
    EXPECT_EQ(PlanesOf(face->trims->next).size(), 6u); // two rails
}

TEST_F(WallTrimsTest, CustomProfilesStandOnTheFloorOrHangFromTheTopOncePerWord) {
    TrimRecorder sweeps;
    for (TrimRecord* r : {start->trim1, start->trim2})
        r->profile[0] = Part(objtype::kPolygon), r->profile[1] = Part(objtype::kPolygon); // 5 across, 7 deep
    start->baseElevation = 10;
    const int16_t curves = doc->itsDocState->curveSegments;
    EXPECT_TRUE(Trims(0x10000, 0x10000).empty());
    Trims(0x10000, 0x10000, 1);
    ASSERT_EQ(sweeps.calls.size(), 4u);
    for (int side : {0, 1}) {
        const auto& base = sweeps.calls[2 * side];
        const auto& crown = sweeps.calls[2 * side + 1];
        EXPECT_TRUE(Near({base.slot, crown.slot, base.side, base.profile.size(), base.level, crown.level},
                         {0, 1, side, 3, 7, 7}));
        EXPECT_EQ(base.record, side ? start->trim2 : start->trim1);
        float low = 0, high = -1e9f;
        for (const auto& p : base.profile) high = std::max(high, p.floatV);
        for (const auto& p : crown.profile) low = std::min(low, p.floatV);
        EXPECT_TRUE(Near({high, low}, {-21, -(1 + 192 + 20)}, 1e-4)); // floor at 10 + 0.5 inches; top
    }
    // Turned off the wall towards the face's side: +D on side 0, mirrored on side 1.
    const auto &a = sweeps.calls[0].profile[1], &b = sweeps.calls[2].profile[1];
    EXPECT_TRUE(Near({a.floatH, a.floatD, b.floatH, b.floatD}, {0, 5, 0, -5}, 1e-4));
    EXPECT_EQ(doc->itsDocState->curveSegments, curves);
}

} // namespace

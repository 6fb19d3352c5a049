// The framing view's lumber of walls, against positions worked out by hand (an inch is a plan
// unit here, so world and plan lengths agree).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

#include "scene/wall_framing.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/type_data.h"
#include "scene/scene_build.h"
#include "support/scene_checks.h"

namespace {

using namespace dvxtest;
namespace seg = objfield::wall_segment;

struct Box {
    float h0 = 1e9f, h1 = -1e9f, v0 = 1e9f, v1 = -1e9f, d0 = 1e9f, d1 = -1e9f;
};

Box BoxOf(const PlaneObject* p) {
    Box b;
    for (const Plane* plane : PlanesOf(p))
        for (uint32_t i = 0; i < plane->count; ++i) {
            const PlaneVertex& v = plane->vertices[i];
            b.h0 = std::min(b.h0, v.H), b.h1 = std::max(b.h1, v.H), b.v0 = std::min(b.v0, v.V);
            b.v1 = std::max(b.v1, v.V), b.d0 = std::min(b.d0, v.D), b.d1 = std::max(b.d1, v.D);
        }
    return b;
}

// Walls along H from 0 at V 0, 100 high, no footing, on a 72 scale.
class WallFraming : public SelectionTest {
protected:
    void SetUp() override {
        SelectionTest::SetUp(), RegisterLiveView(true);
        ds = doc->itsDocState;
        ds->planScale = 72, ds->framingView = 1, ds->studSpacing = 16;
    }
    Objex* NewWall(PlanPoints points, bool closed = false) {
        Objex* w = Outline(objtype::kWall, points, closed).on(floor);
        w->penWidth = 6, objfield::wall::kStudSpacing(*w) = 16, objfield::wall::kQuickWallWidth(*w) = 0;
        for (Poinz* p = w->firstPoint; p; p = p->next) seg::kFirstHeight(*p) = 100;
        return w;
    }
    static AttachmentRecord* Place(Objex* wall, int16_t type, float centre, float width, float elevation,
                                   float height) {
        AttachmentRecord* r = Opening(wall, type, 1, 0)->typeData.attachment;
        r->centreDistance = centre, r->width = width, r->elevation = elevation, r->height = height;
        return r;
    }
    // Framing faces of the wall after a scene build.
    std::vector<PlaneObject*> Members(Objex* wall) {
        ReRenderObject(wall);
        std::vector<PlaneObject*> out;
        base = -1e9f;
        for (PlaneObject* p : PiecesOf(wall))
            if (p->surfaceKind == kFramingMember) {
                out.push_back(p);
                if (p->frontColor.red != 0xC0C0) base = std::max(base, BoxOf(p).v1);  // the bottom plate's underside
            }
        return out;
    }
    // Heights above the wall's bottom of a face's lowest and highest corner.
    std::pair<float, float> Levels(const PlaneObject* p) const {
        const Box b = BoxOf(p);
        return {std::round((base - b.v1) * 100) / 100, std::round((base - b.v0) * 100) / 100};
    }
    // Upright studs between the two heights above the wall bottom: where they start along the
    // wall (read from their faces along it).
    std::vector<float> Studs(const std::vector<PlaneObject*>& members, float from, float to) {
        std::set<float> at;
        for (const PlaneObject* p : members) {
            const Box b = BoxOf(p);
            if (p->frontTexture == 2202 && std::abs(b.h1 - b.h0 - 2.5f) < 1e-3f && b.d1 - b.d0 < 1e-3f &&
                Levels(p) == std::pair<float, float>{from, to})
                at.insert(std::round(b.h0 * 100) / 100);
        }
        return {at.begin(), at.end()};
    }
    // The height ranges of the upright faces of a material (stud lumber, header lumber or grey).
    std::set<std::pair<float, float>> Upright(const std::vector<PlaneObject*>& members, int32_t texture,
                                              uint16_t red = 0xFFFF) const {
        std::set<std::pair<float, float>> out;
        for (const PlaneObject* p : members)
            if (p->frontTexture == texture && p->frontColor.red == red && Levels(p).first < Levels(p).second)
                out.insert(Levels(p));
        return out;
    }
    DocState* ds = nullptr;
    float base = 0;
};

TEST_F(WallFraming, StudsStandAtEachSpacingWithTheWallsOwnOrTheDocumentsSpacing) {
    struct Row {
        float length, wallSpacing, docSpacing;
        std::vector<float> studs;
    };
    const Row rows[] = {
        {3.4f * 16, 16, 10, {0, 16, 32, 54.4f}},          // n = 3
        {3.5f * 16, 16, 10, {0, 16, 32, 48, 56}},         // n = 4
        {40, 5.9f, 10, {0, 10, 20, 30, 40}},              // below 6: the document's
        {40, 6.0f, 10, {0, 6, 12, 18, 24, 30, 36, 40}},   // 6 is kept
        {40, 0, 0, {0, 40}},                              // no spacing: the ends alone
    };
    for (const Row& r : rows) {
        Objex* wall = NewWall({{0, 0}, {r.length, 0}});
        objfield::wall::kStudSpacing(*wall) = r.wallSpacing, ds->studSpacing = r.docSpacing;
        const auto members = Members(wall);
        std::vector<float> studs = Studs(members, 2.5f, 100);
        ASSERT_EQ(studs.size(), r.studs.size()) << r.length << " " << r.wallSpacing;
        for (size_t i = 0; i < studs.size(); ++i) EXPECT_NEAR(studs[i], r.studs[i], 0.01f) << r.length;
        // Bottom and top plates, 2.5 thick; the top one rises above the wall top.
        EXPECT_TRUE(Upright(members, 2202).count({0.0f, 2.5f}) && Upright(members, 2202).count({100.0f, 102.5f}));
        EXPECT_TRUE(NormalsPerpendicular(members));
    }
}

TEST_F(WallFraming, OpeningsGetSillsHeadersAndCripplesInCentreOrder) {
    Objex* wall = NewWall({{0, 0}, {200, 0}});
    // Added far one first: framing still runs from the start.
    Place(wall, objtype::kWindow, 150, 20, 40, 30);   // top 30 below the wall top: a 12 header
    Place(wall, objtype::kWindow, 50, 20, 30, 62);    // top 8 below: a header up to the top
    Place(wall, objtype::kDoor, 100, 20, 0, 88);      // a door, top 12 below: header to the top
    const auto members = Members(wall);
    EXPECT_EQ(Upright(members, 2203), (std::set<std::pair<float, float>>{{70, 82}, {88, 100}, {92, 100}}));
    // Studs: runs from the wall start to each opening and on to the end, at 16 spacings.
    EXPECT_EQ(Studs(members, 2.5f, 100),
              (std::vector<float>{0, 16, 32, 40, 60, 76, 90, 110, 126, 140, 160, 176, 192, 200}));
    // Sill plates 2.5 thick at each sill, the door's at the bottom.
    std::set<std::pair<float, float>> sills;
    for (const PlaneObject* p : members) {
        const Box b = BoxOf(p);
        if (p->frontTexture == 2202 && std::abs(b.h1 - b.h0 - 20) < 1e-3f && Levels(p).second - Levels(p).first == 2.5f)
            sills.insert({std::round(b.h0), Levels(p).first});
    }
    EXPECT_EQ(sills, (std::set<std::pair<float, float>>{{40, 30}, {90, 0}, {140, 40}}));
}

TEST_F(WallFraming, WideOpeningsGetCripplesAboveTheHeaderAndBelowTheSill) {
    Objex* wall = NewWall({{0, 0}, {200, 0}});
    Place(wall, objtype::kWindow, 100, 80, 40, 30);  // 60 to 140, top at 70, header 70-82
    const auto members = Members(wall);
    EXPECT_EQ(Studs(members, 82, 100), (std::vector<float>{76, 92, 108, 124}));   // n = 5
    EXPECT_EQ(Studs(members, 2.5f, 40), (std::vector<float>{76, 92, 108, 124}));
    // The bottom plate runs from the start through the opening: 0 to 140, then 140 to 200.
    std::set<std::pair<float, float>> plates;
    for (const PlaneObject* p : members) {
        const Box b = BoxOf(p);
        if (p->frontTexture == 2202 && Levels(p) == std::pair<float, float>{0, 2.5f}) plates.insert({std::round(b.h0), std::round(b.h1)});
    }
    EXPECT_TRUE(plates.count({0, 140}) && plates.count({140, 200}));
}

TEST_F(WallFraming, OnlyExteriorWallsWithTheirFoundationOnStandOnABlock) {
    struct Row {
        int32_t subtype, foundation;
        bool closed;
        int blocks;
    };
    for (const Row& r : {Row{objsubtype::kExteriorWall, 1, false, 2}, {objsubtype::kExteriorWall, 1, true, 3},
                         {objsubtype::kExteriorWall, 2, true, 0}, {0, 1, true, 0}, {0, 1, false, 0}}) {
        Objex* wall = NewWall({{0, 0}, {100, 0}, {100, 100}}, r.closed);
        wall->subtype = r.subtype, objfield::wall::kFoundation(*wall) = r.foundation;
        objfield::wall::kQuickWallWidth(*wall) = 12;
        int grey = 0;
        const auto members = Members(wall);
        for (const PlaneObject* p : members) {
            grey += p->frontColor.red == 0xC0C0 && p->frontTexture == 0;
            EXPECT_NE(p->frontTexture, 2203) << "no header block under the closing segment";
        }
        EXPECT_EQ(grey, 4 * r.blocks) << r.subtype << r.foundation << r.closed;
        // 12 deep, right under the wall's bottom.
        if (r.blocks) {
            EXPECT_EQ(Upright(members, 0, 0xC0C0), (std::set<std::pair<float, float>>{{-12, 0}}));
        }
    }
}

TEST_F(WallFraming, MaterialsFollowThePlainColourSwitchOnTheNextBuild) {
    Objex* wall = NewWall({{0, 0}, {32, 0}});
    Place(wall, objtype::kWindow, 16, 10, 40, 50);
    for (uint8_t plain : {0, 1, 0}) {
        ds->framingColors = plain;
        const auto members = Members(wall);
        ASSERT_FALSE(members.empty());
        std::set<int32_t> textures;
        std::set<uint16_t> reds;
        for (const PlaneObject* p : members) textures.insert(p->frontTexture), reds.insert(p->frontColor.red);
        EXPECT_EQ(textures, (plain ? std::set<int32_t>{0} : std::set<int32_t>{2202, 2203})) << int(plain);
        EXPECT_EQ(reds, (plain ? std::set<uint16_t>{0xD8D8} : std::set<uint16_t>{0xFFFF})) << int(plain);
        // Rebuilt, the wall holds this build's members alone.
        ReRenderObject(wall);
        const auto rebuilt = PiecesOf(wall);
        EXPECT_EQ(std::count_if(rebuilt.begin(), rebuilt.end(),
                                [](const PlaneObject* p) { return p->surfaceKind == kFramingMember; }),
                  static_cast<long>(members.size()));
    }
}

TEST_F(WallFraming, AOnePointWallGetsNothingAndAnOpenWallStopsAtItsLastPoint) {
    EXPECT_TRUE(Members(NewWall({{0, 0}})).empty());
    const auto members = Members(NewWall({{0, 0}, {16, 0}, {16, 16}}));
    float far = 0;
    for (const PlaneObject* p : members) far = std::max(far, BoxOf(p).d1);
    EXPECT_NEAR(far, 16 + 2.5f, 1e-3);  // the last stud's 2.5 along the wall, nothing back to the start
    EXPECT_EQ(members.size(), 2 * 4 * 4u);  // per segment two plates and two end studs, four faces each
}

}  // namespace

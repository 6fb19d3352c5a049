// Roofs over walls built into their pieces, corners and planes checked against numbers worked
// out by hand: on a 240 x 120 outline at V 0 with pitch 12 the half span is 60, so the ridge
// lies 60 + 12 above (V -72) and the eaves 12 above (V -12).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/projection.h"
#include "support/build.h"
#include "support/plan_gestures.h"
#include "tools/roof_construction.h"

namespace {

using namespace dvxtest;
using Corner = std::array<float, 3>;  // H, V, D
using Corners = std::vector<Corner>;
namespace section = objfield::roof_section;

Corners CornersOf(const Objex* o) {
    Corners c;
    for (const Poinz* p = o->firstPoint; p; p = p->next)
        c.push_back({std::round(p->position[0] * 1e3f) / 1e3f, std::round(p->position[1] * 1e3f) / 1e3f,
                     std::round(p->position[2] * 1e3f) / 1e3f});
    return c;
}

std::vector<Objex*> Pieces(Objex* roof) {
    std::vector<Objex*> out;
    for (Objex* p = roof->typeData.roofPanels; p; p = p->next) out.push_back(p);
    return out;
}

// "type/subtype" of every piece, sorted.
std::string Census(Objex* roof) {
    std::vector<std::string> n;
    for (Objex* p : Pieces(roof)) n.push_back(std::to_string(p->type) + "/" + std::to_string(p->subtype));
    std::sort(n.begin(), n.end());
    std::string out;
    for (const std::string& k : n) out += k + " ";
    return out;
}

Objex* Slope(Objex* roof, int32_t subtype) {
    for (Objex* p : Pieces(roof))
        if (p->type == objtype::kRoofPanel && p->subtype == subtype) return p;
    return nullptr;
}

bool Has(const Corners& c, Corner x) { return std::count(c.begin(), c.end(), x) == 1; }

// Whether a piece runs clockwise seen from above (signed plan area).
bool Clockwise(const Objex* o) {
    const Corners c = CornersOf(o);
    float area = 0;
    for (size_t i = 0, j = 1; i < c.size(); ++i, j = (i + 1) % c.size()) area += c[i][0] * c[j][2] - c[j][0] * c[i][2];
    return area > 0;
}

class RoofConstruction : public PlanGestureTest {
protected:
    Objex* Roof(std::vector<std::pair<float, float>> at, int32_t style, float pitch) {
        Objex* roof = Make(objtype::kRoof).on(doc->itsCurLayer).closed();
        for (auto [h, d] : at) Point(roof, {h, 0, d});
        objfield::roof::kStyle(*roof) = style, objfield::roof::kPitch(*roof) = pitch;
        Update3DRoof(roof);
        return roof;
    }
    // Every corner of every slope lies on the slope's own plane, which is not edge-on.
    static void ExpectPlanesHoldTheirCorners(Objex* roof) {
        for (Objex* p : Pieces(roof))
            for (const Corner& c : p->type == objtype::kRoofPanel ? CornersOf(p) : Corners{}) {
                EXPECT_NE(section::kC(*p), 0.0f) << p->subtype;
                EXPECT_NEAR(ComputePointOnPlane(c[0], c[2], section::kA(*p), section::kB(*p), section::kC(*p), section::kD(*p)),
                            c[1], 1e-3) << p->subtype;
            }
    }
    const std::vector<std::pair<float, float>> kLong{{0, 0}, {240, 0}, {240, 120}, {0, 120}};
};

TEST_F(RoofConstruction, EachStyleClosesItsEndsAndEveryPlaneHoldsItsCorners) {
    Objex* gable = Roof(kLong, objfield::roof::kGableStyle, 12);
    EXPECT_EQ(Census(gable), "32/10 32/11 35/0 35/0 35/0 35/0 35/0 35/0 41/10 41/11 ");
    Corners slope = CornersOf(Slope(gable, 11));
    std::sort(slope.begin(), slope.end());
    EXPECT_EQ(slope, (Corners{{0, -72, 60}, {0, -12, 0}, {240, -72, 60}, {240, -12, 0}}));
    EXPECT_TRUE(Near({Slope(gable, 10)->parent == gable, section::kOffset(*Slope(gable, 10))}, {1, -12}));
    ExpectPlanesHoldTheirCorners(gable);

    // Hips on a square meet in the middle: a ridge of no length, and still four true planes;
    // hips longer than the ridge stop in its middle rather than cross.
    Objex* hip = Roof({{0, 0}, {120, 0}, {120, 120}, {0, 120}}, objfield::roof::kHipStyle, 12);
    EXPECT_EQ(Census(hip), "32/10 32/11 32/12 32/13 35/0 35/0 35/0 35/0 41/10 41/11 41/12 41/13 ");
    EXPECT_TRUE(Has(CornersOf(Slope(hip, 12)), {60, -72, 60}) && Has(CornersOf(Slope(hip, 13)), {60, -72, 60}));
    ExpectPlanesHoldTheirCorners(hip);
    Objex* squat = Roof({{0, 0}, {80, 0}, {80, 120}, {0, 120}}, objfield::roof::kHipStyle, 12);
    EXPECT_TRUE(Has(CornersOf(Slope(squat, 12)), {40, -72, 60}));

    // Open ends run half the span past both end edges and build nothing there; plain ends
    // (0, 7) stop on the end edges; pitch 0 lays the slopes flat 12 above.
    for (auto [style, pitch, left, right] : {std::tuple{6, 12.0f, Corner{-60, -72, 60}, Corner{300, -72, 60}},
                                            {0, 12.0f, Corner{0, -72, 60}, Corner{240, -72, 60}},
                                            {7, 12.0f, Corner{0, -72, 60}, Corner{240, -72, 60}},
                                            {1000, 0.0f, Corner{0, -12, 60}, Corner{240, -12, 60}}}) {
        Objex* roof = Roof(kLong, style, pitch);
        EXPECT_EQ(Census(roof), "32/10 32/11 35/0 35/0 41/10 41/11 ") << style;
        EXPECT_TRUE(Has(CornersOf(Slope(roof, 11)), left) && Has(CornersOf(Slope(roof, 11)), right)) << style;
        ExpectPlanesHoldTheirCorners(roof);
    }
}

TEST_F(RoofConstruction, PiecesFaceTheSameWayWhicheverWayTheOutlineRuns) {
    // One rectangle as the tool lays it when dragged from each corner to the opposite one.
    auto shape = [](Objex* roof) {
        std::vector<std::pair<Corners, bool>> s;
        for (Objex* p : Pieces(roof)) {
            Corners c = CornersOf(p);
            std::sort(c.begin(), c.end());
            s.push_back({c, p->type == objtype::kRoofPanel && Clockwise(p)});
        }
        std::sort(s.begin(), s.end());
        return s;
    };
    const auto first = shape(Roof(kLong, objfield::roof::kHipStyle, 12));
    for (auto [dh, dd, uh, ud] : {std::array<float, 4>{240, 0, 0, 120}, {0, 120, 240, 0}, {240, 120, 0, 0}})
        EXPECT_EQ(shape(Roof({{dh, dd}, {uh, dd}, {uh, ud}, {dh, ud}}, objfield::roof::kHipStyle, 12)), first) << dh << dd;
    // Turned 30 degrees counter-clockwise on the screen (D down) the slopes keep their winding.
    const float c = std::cos(std::numbers::pi_v<float> / 6), s = std::sin(std::numbers::pi_v<float> / 6);
    std::vector<std::pair<float, float>> turned;
    for (auto [h, d] : kLong) turned.push_back({h * c + d * s, -h * s + d * c});
    Objex* straight = Roof(kLong, objfield::roof::kHipStyle, 12);
    Objex* rotated = Roof(turned, objfield::roof::kHipStyle, 12);
    for (int32_t sub : {10, 11, 12, 13}) EXPECT_EQ(Clockwise(Slope(straight, sub)), Clockwise(Slope(rotated, sub))) << sub;
}

TEST_F(RoofConstruction, PiecesTakeTheTopUndersideAndFasciaMaterialsAndARebuildReplacesThem) {
    Objex* roof = Make(objtype::kRoof).on(doc->itsCurLayer).closed();
    for (auto [h, d] : kLong) Point(roof, {h, 0, d});
    Poinz* top = roof->firstPoint;
    top->texture1 = 1255, top->color1 = {1, 2, 3}, top->color2 = {4, 5, 6}, top->faceScale1 = {90, 110};
    roof->texture2 = 77, roof->color2 = {7, 8, 9}, roof->textureScales[0] = {80, 120};
    objfield::roof::kStyle(*roof) = objfield::roof::kHipStyle, objfield::roof::kPitch(*roof) = 12;
    Update3DRoof(roof);
    std::vector<Corners> shapes;
    for (Objex* p : Pieces(roof)) {
        shapes.push_back(CornersOf(p));
        const Poinz* q = p->firstPoint->next;
        const bool fascia = p->type == objtype::kRoofPiece35;  // keeps its own scales
        const auto got = std::tuple(q->texture1, q->texture2, q->color1.red, q->color2.red, fascia ? 0 : q->faceScale2.y);
        EXPECT_EQ(got, p->type == objtype::kRoofPanel     ? std::tuple(1255, 0, 1, 4, 110)
                       : fascia                           ? std::tuple(0, 0, 4, 4, 0)
                                                          : std::tuple(77, 77, 7, 7, 120)) << p->type;
    }
    // A second build leaves the same pieces, the first ones freed, and nothing in the layer.
    Update3DRoof(roof);
    std::vector<Corners> again;
    for (Objex* p : Pieces(roof)) again.push_back(CornersOf(p));
    EXPECT_TRUE(again == shapes && roof->next == nullptr);
}

TEST_F(RoofConstruction, SkylightsFollowTheRebuiltSlopesAndARoofReadBackHasItsPieces) {
    RecordingAlerts alerts;
    port::setAlerts(&alerts);
    Objex* sky = nullptr;
    Objex* roof = RoofWithSkylight(doc->itsCurLayer, 800, &sky);  // on the P0-P1 slope, V = -D / 2
    auto heights = [&] {
        std::vector<float> v;
        for (const Poinz* p = sky->firstPoint; p; p = p->next) v.push_back(p->position[1]);
        return v;
    };
    objfield::roof::kPitch(*roof) = 12;  // one up per unit: V = -D
    Update3DRoof(roof);
    EXPECT_EQ(heights(), (std::vector<float>{-100, -100, -160, -160}));
    // The eave pulled out to D -300: the ridge at D 50 leaves the skylight on the P3-P2 slope,
    // which falls from the ridge to V -12 at D 400, so V = -(400 - D).
    PointAt(roof, 0)->position[2] = PointAt(roof, 1)->position[2] = -300;
    Update3DRoof(roof);
    ASSERT_EQ(roof->firstChild, sky);
    EXPECT_TRUE(Near({sky->typeData.roofAttachment->sectionSubtype, int(alerts.shown.size())}, {10, 0}));
    EXPECT_EQ(heights(), (std::vector<float>{-300, -300, -240, -240}));

    Objex* back = ReadObjectFrom(WrittenObject(roof), doc->itsCurLayer);
    ASSERT_TRUE(back && back->firstChild);
    EXPECT_EQ(Census(back), Census(roof));
    EXPECT_EQ(back->firstChild->typeData.roofAttachment->sectionSubtype, 10);
    port::setAlerts(nullptr);
}

}  // namespace

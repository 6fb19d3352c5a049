// Roofs over walls built into their pieces, corners and planes checked against numbers worked
// out by hand: on a 240 x 120 outline at V 0 with pitch 12 the half span is 60, so the ridge
// lies 60 + 12 above (V -72) and the eaves 12 above (V -12).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
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
        c.push_back({std::round(p->position[0] * 1000) / 1000, std::round(p->position[1] * 1000) / 1000,
                     std::round(p->position[2] * 1000) / 1000});
    return c;
}

std::vector<Objex*> Pieces(Objex* roof) {
    std::vector<Objex*> out;
    for (Objex* p = roof->typeData.roofPanels; p; p = p->next) out.push_back(p);
    return out;
}

// Pieces by "type/subtype".
std::map<std::string, int> Census(Objex* roof) {
    std::map<std::string, int> n;
    for (Objex* p : Pieces(roof)) ++n[std::to_string(p->type) + "/" + std::to_string(p->subtype)];
    return n;
}

Objex* Slope(Objex* roof, int32_t subtype) {
    for (Objex* p : Pieces(roof))
        if (p->type == objtype::kRoofPanel && p->subtype == subtype) return p;
    return nullptr;
}

// Twice the signed plan area (x, z) of a piece: its winding seen from above.
float Winding(const Objex* o) {
    const Corners c = CornersOf(o);
    float area = 0;
    for (size_t i = 0; i < c.size(); ++i) area += c[i][0] * c[(i + 1) % c.size()][2] - c[(i + 1) % c.size()][0] * c[i][2];
    return area;
}

class RoofConstruction : public PlanGestureTest {
protected:
    Objex* Roof(std::vector<std::pair<float, float>> at, int32_t style, float pitch, float v = 0) {
        Objex* roof = Make(objtype::kRoof).on(doc->itsCurLayer).closed();
        for (auto [h, d] : at) Point(roof, {h, v, d});
        objfield::roof::kStyle(*roof) = style, objfield::roof::kPitch(*roof) = pitch;
        Update3DRoof(roof);
        return roof;
    }
    // Every corner of every slope lies on the slope's own plane, which is not edge-on.
    static void ExpectPlanesHoldTheirCorners(Objex* roof) {
        for (Objex* p : Pieces(roof)) {
            if (p->type != objtype::kRoofPanel) continue;
            EXPECT_NE(section::kC(*p), 0.0f) << p->subtype;
            EXPECT_EQ(section::kOffset(*p), -12.0f);
            for (const Corner& c : CornersOf(p))
                EXPECT_NEAR(ComputePointOnPlane(c[0], c[2], section::kA(*p), section::kB(*p), section::kC(*p), section::kD(*p)),
                            c[1], 1e-3) << p->subtype;
        }
    }
    const std::vector<std::pair<float, float>> kLong{{0, 0}, {240, 0}, {240, 120}, {0, 120}};
};

TEST_F(RoofConstruction, EachStyleClosesItsEndsAndEveryPlaneHoldsItsCorners) {
    Objex* gable = Roof(kLong, objfield::roof::kGableStyle, 12);
    EXPECT_EQ(Census(gable), (std::map<std::string, int>{{"32/10", 1}, {"32/11", 1}, {"35/0", 6}, {"41/10", 1}, {"41/11", 1}}));
    Corners slope = CornersOf(Slope(gable, 11));
    std::sort(slope.begin(), slope.end());
    EXPECT_EQ(slope, (Corners{{0, -72, 60}, {0, -12, 0}, {240, -72, 60}, {240, -12, 0}}));
    for (Objex* p : Pieces(gable)) EXPECT_EQ(p->parent, gable);
    ExpectPlanesHoldTheirCorners(gable);

    // Hips on a square meet in the middle: a ridge of no length, and still four true planes.
    Objex* hip = Roof({{0, 0}, {120, 0}, {120, 120}, {0, 120}}, objfield::roof::kHipStyle, 12);
    EXPECT_EQ(Census(hip), (std::map<std::string, int>{{"32/10", 1}, {"32/11", 1}, {"32/12", 1}, {"32/13", 1}, {"35/0", 4},
                                                       {"41/10", 1}, {"41/11", 1}, {"41/12", 1}, {"41/13", 1}}));
    for (const Corner& c : CornersOf(Slope(hip, 12)))
        EXPECT_TRUE(c == (Corner{60, -72, 60}) || c[1] == -12);
    ExpectPlanesHoldTheirCorners(hip);
    // Hips longer than the ridge stop in its middle rather than cross.
    Objex* squat = Roof({{0, 0}, {80, 0}, {80, 120}, {0, 120}}, objfield::roof::kHipStyle, 12);
    const Corners tip = CornersOf(Slope(squat, 12));
    EXPECT_EQ(std::count(tip.begin(), tip.end(), Corner{40, -72, 60}), 1);

    // Open ends run half the span (60) past both end edges and build nothing there; plain ends
    // (codes 0 and 7) stop on the end edges; pitch 0 lays the slopes flat 12 above.
    for (auto [style, pitch, left, right] : {std::tuple{6, 12.0f, Corner{-60, -72, 60}, Corner{300, -72, 60}},
                                            {0, 12.0f, Corner{0, -72, 60}, Corner{240, -72, 60}},
                                            {7, 12.0f, Corner{0, -72, 60}, Corner{240, -72, 60}},
                                            {1000, 0.0f, Corner{0, -12, 60}, Corner{240, -12, 60}}}) {
        Objex* roof = Roof(kLong, style, pitch);
        EXPECT_EQ(Census(roof), (std::map<std::string, int>{{"32/10", 1}, {"32/11", 1}, {"35/0", 2}, {"41/10", 1}, {"41/11", 1}}))
            << style;
        const Corners c = CornersOf(Slope(roof, 11));
        EXPECT_TRUE(std::count(c.begin(), c.end(), left) == 1 && std::count(c.begin(), c.end(), right) == 1) << style;
        ExpectPlanesHoldTheirCorners(roof);
    }
}

TEST_F(RoofConstruction, PiecesFaceTheSameWayWhicheverWayTheOutlineRuns) {
    // The tool's outline of one rectangle dragged from each corner to the opposite one.
    auto shape = [](Objex* roof) {
        std::vector<std::pair<Corners, bool>> s;
        for (Objex* p : Pieces(roof)) {
            Corners c = CornersOf(p);
            std::sort(c.begin(), c.end());
            s.push_back({c, p->type == objtype::kRoofPanel ? Winding(p) > 0 : false});
        }
        std::sort(s.begin(), s.end());
        return s;
    };
    std::vector<std::pair<Corners, bool>> first;
    for (auto [dh, dd, uh, ud] : {std::array<float, 4>{0, 0, 240, 120}, {240, 0, 0, 120}, {0, 120, 240, 0}, {240, 120, 0, 0}}) {
        Objex* roof = Roof({{dh, dd}, {uh, dd}, {uh, ud}, {dh, ud}}, objfield::roof::kHipStyle, 12);
        if (first.empty()) first = shape(roof);
        EXPECT_EQ(shape(roof), first) << dh << " " << dd;
    }
    // Turned 30 degrees counter-clockwise on the screen (D down) the slopes keep their winding.
    const float c = std::cos(std::numbers::pi_v<float> / 6), s = std::sin(std::numbers::pi_v<float> / 6);
    std::vector<std::pair<float, float>> turned;
    for (auto [h, d] : kLong) turned.push_back({h * c + d * s, -h * s + d * c});
    Objex* straight = Roof(kLong, objfield::roof::kHipStyle, 12);
    Objex* rotated = Roof(turned, objfield::roof::kHipStyle, 12);
    for (int32_t sub : {10, 11, 12, 13}) EXPECT_EQ(Winding(Slope(straight, sub)) > 0, Winding(Slope(rotated, sub)) > 0) << sub;
}

TEST_F(RoofConstruction, PiecesTakeTheTopUndersideAndFasciaMaterialsAndARebuildReplacesThem) {
    Objex* roof = Make(objtype::kRoof).on(doc->itsCurLayer).closed();
    for (auto [h, d] : kLong) Point(roof, {h, 0, d});
    Poinz* top = roof->firstPoint;
    top->texture1 = 1255, top->color1 = {1, 2, 3}, top->color2 = {4, 5, 6}, top->faceScale1 = {90, 110};
    roof->texture2 = 77, roof->color2 = {7, 8, 9}, roof->textureScales[0] = {80, 120};
    objfield::roof::kStyle(*roof) = objfield::roof::kHipStyle, objfield::roof::kPitch(*roof) = 12;
    Update3DRoof(roof);
    const std::vector<Objex*> before = Pieces(roof);
    std::vector<Corners> shapes;
    for (Objex* p : before) shapes.push_back(CornersOf(p));
    for (Objex* p : before)
        for (const Poinz* q = p->firstPoint; q; q = q->next) {
            const auto colours = std::tuple(q->texture1, q->texture2, q->color1.red, q->color2.red);
            if (p->type == objtype::kRoofPanel) {
                EXPECT_EQ(colours, std::tuple(1255, 0, 1, 4));
                EXPECT_TRUE(Near({q->faceScale1.x, q->faceScale2.y}, {90, 110}));
            } else if (p->type == objtype::kRoofPiece35) {
                EXPECT_EQ(colours, std::tuple(0, 0, 4, 4));
            } else {
                EXPECT_EQ(colours, std::tuple(77, 77, 7, 7));
                EXPECT_TRUE(Near({q->faceScale1.x, q->faceScale2.y}, {80, 120}));
            }
        }
    // A second build leaves the same pieces (the first ones freed) and none in the layer.
    Update3DRoof(roof);
    std::vector<Corners> again;
    for (Objex* p : Pieces(roof)) again.push_back(CornersOf(p));
    EXPECT_EQ(again, shapes);
    EXPECT_EQ(roof->next, nullptr);
    EXPECT_EQ(CountObjects(doc->itsCurLayer->firstObject), 1);
}

TEST_F(RoofConstruction, SkylightsFollowTheRebuiltSlopesAndARoofReadBackHasItsPieces) {
    RecordingAlerts alerts;
    port::setAlerts(&alerts);
    Objex* skylight = nullptr;
    // A 400-square gable at V 0: the P0-P1 slope of pitch 6 puts the skylight at V = -D / 2.
    Objex* roof = RoofWithSkylight(doc->itsCurLayer, 800, &skylight);
    auto heights = [&] {
        std::vector<float> v;
        for (const Poinz* p = skylight->firstPoint; p; p = p->next) v.push_back(p->position[1]);
        return v;
    };
    EXPECT_EQ(heights(), (std::vector<float>{-50, -50, -80, -80}));
    objfield::roof::kPitch(*roof) = 12;  // one up per unit: V = -D
    Update3DRoof(roof);
    EXPECT_EQ(heights(), (std::vector<float>{-100, -100, -160, -160}));
    // The eave pulled out to D -300: the ridge at D 50 leaves the skylight on the P3-P2 slope,
    // which falls from the ridge to V -12 at D 400, so V = -(400 - D).
    PointAt(roof, 0)->position[2] = PointAt(roof, 1)->position[2] = -300;
    Update3DRoof(roof);
    ASSERT_EQ(roof->firstChild, skylight);
    EXPECT_EQ(skylight->typeData.roofAttachment->sectionSubtype, 10);
    EXPECT_EQ(heights(), (std::vector<float>{-300, -300, -240, -240}));
    EXPECT_TRUE(alerts.shown.empty());

    Objex* back = ReadObjectFrom(WrittenObject(roof), doc->itsCurLayer);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(Census(back), Census(roof));
    ASSERT_NE(back->firstChild, nullptr);
    EXPECT_EQ(back->firstChild->typeData.roofAttachment->sectionSubtype, 10);
    port::setAlerts(nullptr);
}

}  // namespace

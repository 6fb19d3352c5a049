// Roof truss framing against truss positions and points worked out by hand (an inch is a plan
// unit, so a spacing is 24).
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "scene/roof_trusses.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "support/scene_checks.h"

namespace {

using namespace dvxtest;

class RoofTrusses : public SelectionTest {
protected:
    void SetUp() override {
        SelectionTest::SetUp();
        doc->itsDocState->planScale = 72;
    }
    // P0 at the origin, the eave P0-P1 along H, pitch 6 (a rise of 10 over a half span of 20).
    Objex* Roof(float length, float width, int32_t style) {
        Objex* roof = Shape(floor, objtype::kRoof, {{0, 0}, {length, 0}, {length, width}, {0, width}}, true);
        objfield::roof::kPitch(*roof) = 6, objfield::roof::kStyle(*roof) = style;
        return roof;
    }
    // Faces running across the eave (rafters' bottoms and tops, 2.5 wide in H) by their centre.
    static std::map<float, int> Across(const std::vector<PlaneObject*>& pieces) {
        std::map<float, int> at;
        for (const PlaneObject* p : pieces) {
            float h0 = 1e9f, h1 = -1e9f, d0 = 1e9f, d1 = -1e9f;
            for (const Plane* plane : PlanesOf(p))
                for (uint32_t i = 0; i < plane->count; ++i)
                    h0 = std::min(h0, plane->vertices[i].H), h1 = std::max(h1, plane->vertices[i].H),
                    d0 = std::min(d0, plane->vertices[i].D), d1 = std::max(d1, plane->vertices[i].D);
            if (std::abs(h1 - h0 - 2.5f) < 1e-3f && d1 - d0 > 10) ++at[std::round((h0 + h1) / 2)];
        }
        return at;
    }
};

::testing::AssertionResult Same(const FramePoint& p, V3 expected) {
    if (std::abs(p.H - expected.h) < 1e-3f && std::abs(p.V - expected.v) < 1e-3f && std::abs(p.D - expected.d) < 1e-3f)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << p.H << ", " << p.V << ", " << p.D << ")";
}

TEST_F(RoofTrusses, AGableRoofGetsATrussEachSpacingAndOneOverTheFarEnd) {
    Objex* roof = Roof(120, 40, 2);  // five spacings: n = trunc(5 + 0.5)
    FrameRoofTrusses(roof);
    const auto pieces = PiecesOf(roof);
    EXPECT_EQ(Across(pieces), (std::map<float, int>{{0, 4}, {24, 4}, {48, 4}, {72, 4}, {96, 4}, {120, 4}}));
    // Six trusses of two rafters, then both eave joins, the ridge and two purlins: four faces each.
    EXPECT_EQ(pieces.size(), (6 * 2 + 5) * 4u);
    for (const PlaneObject* p : pieces) EXPECT_EQ(p->surfaceKind, kFramingMember);
    EXPECT_TRUE(NormalsPerpendicular(pieces));
    // The first truss's points: the peak half way across, 10 up; the thirds.
    EXPECT_TRUE(sEnd1.recorded && sEnd2.recorded);
    EXPECT_TRUE(Same(sEnd1.midPeak, {0, -10, 20}));
    EXPECT_TRUE(Same(sEnd1.oneThirdBase, {0, 0, 40.0f / 3}));
    EXPECT_TRUE(Same(sEnd1.twoThirdBase, {0, 0, 80.0f / 3}));
    EXPECT_TRUE(Same(sEnd1.leftThirdRake, {0, -10.0f / 3, 20.0f / 3}));
    EXPECT_TRUE(Same(sEnd1.rightThirdRake, {0, -10.0f / 3, 100.0f / 3}));
    EXPECT_TRUE(Same(sEnd2.start, {120, 0, 0}) && Same(sEnd2.midPeak, {120, -10, 20}));
}

TEST_F(RoofTrusses, AHipRoofAsLongAsItIsWideGetsItsFarTrussAndNothingFromTheFirst) {
    FrameRoofTrusses(Roof(120, 40, 2));  // leaves its first truss's points behind
    Objex* roof = Roof(40, 40, 1);
    FrameRoofTrusses(roof);
    EXPECT_TRUE(!sEnd1.recorded && sEnd2.recorded);
    EXPECT_TRUE(Same(sEnd2.start, {20, 0, 0}) && Same(sEnd2.midPeak, {20, -10, 20}));
    // Beams: the far truss's two rafters; the far hip end (m1, two hips, two rakes); four plates.
    // Across the eave: the far truss's rafters, and the two end plates P0-P3 and P1-P2.
    EXPECT_EQ(Across(PiecesOf(roof)), (std::map<float, int>{{0, 2}, {20, 4}, {40, 2}}));
    EXPECT_EQ(PiecesOf(roof).size(), (2 + 5 + 4) * 4u);
}

TEST_F(RoofTrusses, OneEndedRoofsLayFromTheFarSideAndEndInAPoint) {
    Objex* roof = Roof(120, 40, 4);
    FrameRoofTrusses(roof);
    EXPECT_EQ(Across(PiecesOf(roof)), (std::map<float, int>{{0, 4}, {24, 4}, {48, 4}, {72, 4}, {96, 4}, {120, 4}}));
    EXPECT_TRUE(Same(sEnd1.start, {120, 0, 0}) && Same(sEnd2.start, {0, 0, 0}));
    // Ridge, purlins, the point 20 beyond P0-P3 joined to the peak, both rakes and both
    // corners, and the two eave plates.
    EXPECT_EQ(PiecesOf(roof).size(), (6 * 2 + 10) * 4u);
    float least = 0;
    for (const PlaneObject* p : PiecesOf(roof))
        for (const Plane* plane : PlanesOf(p))
            for (uint32_t i = 0; i < plane->count; ++i) least = std::min(least, plane->vertices[i].H);
    EXPECT_NEAR(least, -20 - 1.25f * std::sqrt(0.5f), 1e-3);  // the corner beam P0 to (-20, 20)
}

TEST_F(RoofTrusses, OtherStylesAndShapesBuildNothingAndOnlyAskedTrussesHaveChordsAndWebs) {
    for (int32_t style : {0, 7}) {
        Objex* roof = Roof(120, 40, style);
        FrameRoofTrusses(roof);
        EXPECT_TRUE(PiecesOf(roof).empty()) << style;
    }
    Objex* triangle = Shape(floor, objtype::kRoof, {{0, 0}, {50, 0}, {50, 50}}, true);
    objfield::roof::kStyle(*triangle) = 2;
    FrameRoofTrusses(triangle);
    EXPECT_TRUE(PiecesOf(triangle).empty());
    // Asked directly: rafters, chord, two diagonals and two webs; end index 0 records nothing.
    Objex* roof = Roof(120, 40, 2);
    gBase2DObject = roof;
    FrameRoofTruss(FramePoint{0, 0, 0}, FramePoint{0, 0, 40}, 0.5f, roof, 0, true, true);
    gBase2DObject = nullptr;
    EXPECT_EQ(PiecesOf(roof).size(), 7 * 4u);
    EXPECT_FALSE(sEnd1.recorded || sEnd2.recorded);
}

}  // namespace

// Outline areas in square feet or metres at any drawing scale, and outline winding.
#include <gtest/gtest.h>

#include <cmath>

#include "model/docstate.h"
#include "model/document_model.h"
#include "plan/areas.h"
#include "support/fixture.h"
#include "support/build.h"

namespace {

using Outline = std::vector<std::pair<float, float>>;

// An outline on the floor plan through plan positions worked out by the test.
Objex* OutlineOn(Layer* layer, int16_t type, const Outline& at, bool closed = true, int32_t subtype = 0) {
    Objex* o = dvxtest::Make(type, subtype).on(layer).closed(closed);
    for (const auto& [h, d] : at) dvxtest::Point(o, {h, 0, d});
    o->planBits = 2;
    return o;
}

class Areas : public dvxtest::DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        ds = doc->itsDocState;
        layer = doc->itsCurLayer;
    }
    // A square of the side in inches at the present scale, in the given order.
    Outline Square(float inches, bool reversed = false) {
        const float s = inches * 72.0f / ds->planScale;
        Outline o{{0, 0}, {s, 0}, {s, s}, {0, s}};
        if (reversed) std::reverse(o.begin(), o.end());
        return o;
    }
    DocState* ds = nullptr;
    Layer* layer = nullptr;
};

TEST_F(Areas, ASquareTenFeetASideIsAHundredSquareFeetAtAnyScaleOrItsMetricArea) {
    struct Row { float scale; int16_t units; float expected; };
    for (const Row& r : {Row{36, 0, 100.0f}, Row{96, 0, 100.0f}, Row{36, kMetricUnits, 9.29034f}}) {
        ds->planScale = r.scale, ds->units = r.units;
        for (bool reversed : {false, true}) {
            Objex* square = OutlineOn(layer, objtype::kFloor, Square(120, reversed));
            EXPECT_NEAR(ComputeObjectStraightArea(square), r.expected, r.expected * 1e-5) << r.scale;
            EXPECT_NEAR(ComputeObjectCurvedArea(square), r.expected, r.expected * 1e-5) << r.scale;
            EXPECT_EQ(IsObjectClockwise(square), reversed ? 0 : 1);
        }
    }
    Objex* flat = OutlineOn(layer, objtype::kFloor, {{0, 0}, {10, 0}, {20, 0}});
    EXPECT_EQ(ComputeObjectStraightArea(flat), 0.0f);
    EXPECT_EQ(IsObjectClockwise(flat), 1);
    EXPECT_EQ(IsObjectClockwise(nullptr), 0);
}

TEST_F(Areas, FloorAreaOfWallsCountsExteriorWallsOnly) {
    ds->planScale = 36;
    OutlineOn(layer, objtype::kWall, Square(120), true, objsubtype::kExteriorWall);
    OutlineOn(layer, objtype::kWall, Square(240), true, 0);
    OutlineOn(layer, objtype::kDeck, Square(240));
    EXPECT_NEAR(ComputeSquareFootage(layer, objtype::kWall), 100.0f, 1e-3);
    EXPECT_NEAR(ComputeSquareFootage(layer, objtype::kDeck), 400.0f, 1e-3);
}

TEST_F(Areas, ACurvedCircleComesWithinOnePercentOfPiRSquared) {
    ds->planScale = 36;
    const float r = 120.0f;  // 60 inches
    const float t = 4.0f * r * std::tan(static_cast<float>(M_PI) / 8.0f);  // quarter-circle Hermite tangent
    Objex* circle = OutlineOn(layer, objtype::kFloor, {{r, 0}, {0, -r}, {-r, 0}, {0, r}});
    const float tangents[4][2] = {{0, -t}, {-t, 0}, {0, t}, {t, 0}};
    int i = 0;
    for (Poinz* p = circle->firstPoint; p; p = p->next, ++i) {
        p->inTangent[0] = p->outTangent[0] = tangents[i][0];
        p->inTangent[2] = p->outTangent[2] = tangents[i][1];
    }
    const float expected = static_cast<float>(M_PI) * 60.0f * 60.0f / 144.0f;
    EXPECT_NEAR(ComputeObjectCurvedArea(circle), expected, expected * 0.01f);
    EXPECT_LT(ComputeObjectStraightArea(circle), expected * 0.7f);
}

}  // namespace

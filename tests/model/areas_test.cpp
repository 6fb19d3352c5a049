// Outline areas in square feet or metres at any drawing scale, and outline winding.
#include <gtest/gtest.h>

#include <cmath>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/areas.h"
#include "support/build.h"

namespace {

class Areas : public dvxtest::DocumentTest {
protected:
    // A square `inches` a side at the present scale, clockwise or not, with the given tangents.
    Objex* Square(float inches, bool reversed = false, int16_t type = objtype::kFloor, int32_t subtype = 0) {
        const float s = inches * 72 / doc->itsDocState->planScale;
        Objex* o = dvxtest::Make(type, subtype).on(doc->itsCurLayer).closed();
        const float at[4][2] = {{0, 0}, {s, 0}, {s, s}, {0, s}};
        for (int i = 0; i < 4; ++i) dvxtest::Point(o, {at[reversed ? 3 - i : i][0], 0, at[reversed ? 3 - i : i][1]});
        return o;
    }
};

TEST_F(Areas, ATenFootSquareIsAHundredSquareFeetAtAnyScaleOrItsMetricAreaInEitherOrder) {
    for (auto [scale, units, expected] : {std::tuple{36.0f, 0, 100.0f}, {96.0f, 0, 100.0f}, {36.0f, 4, 9.29034f}}) {
        doc->itsDocState->planScale = scale, doc->itsDocState->units = static_cast<int16_t>(units);
        for (bool reversed : {false, true}) {
            Objex* square = Square(120, reversed);
            EXPECT_NEAR(ComputeObjectStraightArea(square), expected, expected * 1e-5) << scale;
            EXPECT_NEAR(ComputeObjectCurvedArea(square), expected, expected * 1e-5) << scale;
            EXPECT_EQ(IsObjectClockwise(square), reversed ? 0 : 1);
        }
    }
    Objex* flat = dvxtest::Outline(objtype::kFloor, {{0, 0}, {10, 0}, {20, 0}}).on(doc->itsCurLayer);
    EXPECT_EQ(ComputeObjectStraightArea(flat), 0);
    EXPECT_EQ(IsObjectClockwise(flat), 1);
}

TEST_F(Areas, WallsCountExteriorOnlyAndCurvesAreFollowed) {
    Square(120, false, objtype::kWall, 54);
    Square(240, false, objtype::kWall, 0);
    EXPECT_NEAR(ComputeSquareFootage(doc->itsCurLayer, objtype::kWall), 100, 1e-3);
    // A circle of radius 60 inches from four quarter arcs with Hermite tangents 4 r tan(22.5).
    const float r = 120, t = 4 * r * std::tan(static_cast<float>(M_PI) / 8);
    Objex* circle = dvxtest::Make(objtype::kFloor).on(doc->itsCurLayer).closed().at({{r, 0, 0, {0, 0, -t}, {0, 0, -t}}, {0, 0, -r, {-t, 0, 0}, {-t, 0, 0}},
                                                               {-r, 0, 0, {0, 0, t}, {0, 0, t}}, {0, 0, r, {t, 0, 0}, {t, 0, 0}}});
    const float expected = static_cast<float>(M_PI) * 60 * 60 / 144;
    EXPECT_NEAR(ComputeObjectCurvedArea(circle), expected, expected * 0.01f);
    EXPECT_LT(ComputeObjectStraightArea(circle), expected * 0.7f);
}

}  // namespace

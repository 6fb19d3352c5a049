// Zoom rounding.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/zoom_units.h"
#include "support/fixture.h"

namespace {

class ZoomTest : public dvxtest::DocumentTest {
protected:
    DocState& ds() { return *doc->itsDocState; }
};

TEST_F(ZoomTest, IntegerFormsRoundHalfUpTowardZeroAndNothingDividesByZero) {
    // 2.4 + 0.5 gives 2; -3 + 0.5 truncates toward zero.
    EXPECT_EQ(std::tuple(ZoomL(5), ZoomL(4), ZoomL(-5), UnzoomL(3)), std::tuple(3, 2, -2, 5));
    Poinz p;
    p.position[0] = 10, p.position[2] = 30, p.inTangent[0] = 5, p.outTangent[2] = 7;
    ZoomPoinz(&p);
    EXPECT_EQ(std::tuple(p.position[0], p.position[2], p.inTangent[0], p.outTangent[2]),
              std::tuple(6.0f, 30.0f, 3.0f, 7.0f));  // D untouched
    ds().zoomFactor = 2.0f;
    RECT r{20000, -7, 1, 0}, wide{20000, 0, 0, 0};
    ZoomRect(&r);
    ZoomLRect(&wide);
    EXPECT_EQ(std::tuple(r.left, r.top, wide.left), std::tuple(-25536, -13, 40000));  // cut to 16 bits
    for (float zoom : {1.0f, 0.0f, NAN}) {
        ds().zoomFactor = zoom;
        FloatRect box{1, 2, 3, 4};
        UnzoomFRect(&box);
        EXPECT_EQ(std::tuple(box.floatRight, UnzoomL(5), UnzoomF(5.5f)), std::tuple(4.0f, 5, 5.5f)) << zoom;
    }
    ds().zoomFactor = 1.0f;
    EXPECT_EQ(ZoomL(5), 5);  // 1.0 rounds nothing it does not scale
}

}  // namespace

// Skylight outlines by shape, and their points laid on a roof section, against positions and
// heights worked out by hand.
#include <gtest/gtest.h>

#include <cmath>

#include "geometry/elements/roof_attachment_fit.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/type_data.h"
#include "support/build.h"
#include "support/fixture.h"

namespace {

using namespace dvxtest;

class SkylightOutlines : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        ds = doc->itsDocState;
        ds->planScale = 72, ds->skylightWidth = 36, ds->skylightLength = 56;  // an inch is a plan unit
    }
    DocState* ds = nullptr;
};

TEST_F(SkylightOutlines, RoundShapesTakeTheirWidthAsTheDiameterAndIgnoreTheLength) {
    Float3DPoint p[36];
    RoofAttachmentRecord record;
    record.width = 20;
    struct Row { int (*derive)(float, float, Float3DPoint*, uint8_t, const RoofAttachmentRecord*);
                 int count; float firstDegrees, stepDegrees; };
    for (const Row& r : {Row{DeriveOctagonSkylightPoints, 8, 45, 45}, {DeriveEllipticalSkylightPoints, 36, 180, -10}})
        for (float length : {8.0f, 80.0f}) {
            record.length = length;
            ASSERT_EQ(r.derive(100, 50, p, 1, &record), r.count);
            for (int k = 0; k < r.count; ++k) {
                const double a = (r.firstDegrees + r.stepDegrees * k) * M_PI / 180;
                EXPECT_NEAR(p[k].floatH, 100 + 10 * std::cos(a), 1e-4) << r.count << " " << k;
                EXPECT_NEAR(p[k].floatD, 50 - 10 * std::sin(a), 1e-4) << r.count << " " << k;
            }
        }
    EXPECT_EQ(DeriveRectangularSkylightPoints(100, 50, p, 0, &record), 4);  // the document's 36 x 56
    EXPECT_TRUE(Near({p[1].floatH, p[1].floatD, p[3].floatH, p[3].floatD}, {118, 22, 82, 78}));
}

TEST_F(SkylightOutlines, PointsAreTurnedAboutTheCentreAndLaidOnTheSection) {
    // V = (40 - (0.5 H + 0.25 D)) / 2 - 4 on a plane with c = 2 and offset 4.
    Objex* piece = RoofSection({{0, 0}, {200, 0}, {200, 200}, {0, 200}}, 12, {0.5f, 0.25f, 40, 4});
    piece->sectionPlane[2] = 2;
    auto V = [](float h, float d) { return (40 - (0.5f * h + 0.25f * d)) / 2 - 4; };
    for (float angle : {90.0f, 180.0f}) {
        Objex* sky = Make(objtype::kSkylight);
        Float3DPoint p[2] = {{110, 0, 50}, {100, 0, 70}};
        CreateSkylightPoints(sky, piece, p, 2, 100, 50, angle);
        // 90 leaves the outline as it is; 180 turns it a quarter counter-clockwise on screen.
        const std::vector<std::pair<float, float>> want =
            angle == 90 ? std::vector<std::pair<float, float>>{{110, 50}, {100, 70}}
                        : std::vector<std::pair<float, float>>{{100, 40}, {120, 50}};
        const auto got = PlanPositions(sky);
        ASSERT_EQ(got.size(), 2u);
        for (int k = 0; k < 2; ++k) {
            EXPECT_NEAR(got[k].first, want[k].first, 1e-4) << angle;
            EXPECT_NEAR(got[k].second, want[k].second, 1e-4) << angle;
            EXPECT_NEAR(PointAt(sky, k)->position[1], V(want[k].first, want[k].second), 1e-4) << angle;
        }
        DeleteObj(sky);
    }
    DeleteObj(piece);
}

}  // namespace

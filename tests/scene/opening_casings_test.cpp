// Casings round doors and windows: what the sweep is handed, and nothing of the user's changed.
#include <gtest/gtest.h>

#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "scene/opening_casings.h"
#include "support/build.h"
#include "support/seam_recorders.h"

namespace {

using namespace dvxtest;

// A door centred 25 along a wall 6 inches thick (half: 6 units), 2 up, with a trim 3 wide.
class CasingsTest : public SelectionTest {
  protected:
    void SetUp() override {
        SelectionTest::SetUp();
        wall = TrimmedWall(floor, 2);
        door = Opening(wall, objtype::kDoor, 500, 0);
        r = door->typeData.attachment;
    }
    // Outline objects 15 across and 40 up (or, `flat`, none across) replace the record's.
    void Outlines(int count, bool flat = false) {
        DeleteObjectList(r->customParts[0]);
        for (int i = 0; i < count; ++i)
            AppendObjectToList(r->customParts[0], flat ? Make(29).at({{5, 0, 0}, {5, 40, 0}}).get()
                                                       : Make(29).at({{0, 0, 0}, {15, 0, 0}, {15, 40, 0}}).get());
    }
    static std::vector<float> Flat(const std::vector<Float3DPoint>& points) {
        std::vector<float> out;
        for (const auto& p : points) out.insert(out.end(), {p.floatH, p.floatV, p.floatD});
        return out;
    }
    Objex *wall = nullptr, *door = nullptr;
    AttachmentRecord* r = nullptr;
};

TEST_F(CasingsTest, StandardCasingsSweepTheirProfileRoundCopiesOfEveryOutline) {
    TrimRecorder sweeps;
    Outlines(2);
    wall->firstPoint->selected = 1;
    DocState* ds = doc->itsDocState;
    ds->viewKind = 2;
    const int16_t curves = ds->curveSegments;
    const int objects = CountObjects(floor->firstObject);
    ApplyStandardTrimToDoorWin(0, r, 1, 0, 1);
    ASSERT_EQ(sweeps.calls.size(), 2u);
    for (const auto& c : sweeps.calls) {
        EXPECT_EQ(Flat(c.profile), (std::vector<float>{-1.25, 0, 3, -1.25, 0, -3, 1.25, 0, -3, 1.25, 0, 3}));
        EXPECT_TRUE(Near({c.angle, c.origin[0], c.origin[1], c.origin[2], c.halfThickness, c.level, c.side},
                         {0, 25, -96, 0, 6, 3, 1}, 1e-5));
        EXPECT_EQ(Flat(c.outline), (std::vector<float>{0, 0, 0, 15, 0, 0, 15, 40, 0}));
        EXPECT_NE(c.object, r->customParts[0]);
    }

    // A custom door is fitted from its definition's size (15 by 40) to its own (30 by 80) on
    // its segment's base; a size of 0 leaves that axis alone.
    r->style = 512;
    wall->firstPoint->baseElevation = 10;
    for (bool flat : {false, true}) {
        Outlines(1, flat);
        sweeps.calls.clear();
        ApplyStandardTrimToDoorWin(0, r, 0, 1, 1);
        ASSERT_EQ(sweeps.calls.size(), 1u);
        const std::vector<float> want = flat ? std::vector<float>{5, 0, 0, 5, 80, 0}
                                             : std::vector<float>{0, 0, 0, 30, 0, 0, 30, 80, 0};
        EXPECT_EQ(Flat(sweeps.calls[0].outline), want);
        EXPECT_FLOAT_EQ(sweeps.calls[0].level, 23);
    }
    EXPECT_TRUE(Near({ds->viewKind, ds->curveSegments, wall->firstPoint->selected,
                      SelectedPointCount(r->customParts[0]), CountObjects(floor->firstObject)},
                     {2, curves, 1, 0, objects}));
}

TEST_F(CasingsTest, CustomCasingProfilesAreScaledToTheTrimWidth) {
    TrimRecorder sweeps;
    Outlines(1);
    r->outsideTrimProfile = Part(objtype::kPolygon); // 7 deep: -7 high
    ApplyCustomTrimToDoorWin(r->outsideTrimProfile, 0, r, 1, 0, 1);
    ASSERT_EQ(sweeps.calls.size(), 1u);
    EXPECT_TRUE(Near(
        {sweeps.calls[0].profile.size(), sweeps.calls[0].profile[2].floatH, sweeps.calls[0].profile[2].floatD},
        {3, 5, -6}, 1e-5));
    EXPECT_EQ(Flat(sweeps.calls[0].outline), (std::vector<float>{0, 0, 0, 15, 0, 0, 15, 40, 0}));

    // Without an inside profile to measure, the profile keeps its depth.
    ApplyCustomTrimToDoorWin(r->outsideTrimProfile, 0, r, 0, 0, 1);
    EXPECT_FLOAT_EQ(sweeps.calls.back().profile[2].floatD, 7);
}

} // namespace

// Transform primitives, world and screen lengths, and the tracking-form point transforms.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/transforms.h"
#include "support/fixture.h"
#include "support/build.h"

using namespace dvxtest;

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

class TransformsTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        owner = Make(objtype::kPolygon);
    }
    void TearDown() override {
        DeleteObj(owner);
        DocumentTest::TearDown();
    }
    DocState* ds() { return doc->itsDocState; }
    Poinz* Point(float h, float v, float d, uint8_t selected = 1, uint8_t locked = 0) {
        Poinz* p = dvxtest::Point(owner, {h, v, d});
        p->selected = selected;
        p->locked = locked;
        return p;
    }
    static void ExpectPosition(const Poinz* p, float h, float v, float d) {
        EXPECT_NEAR(p->position[0], h, 1e-4);
        EXPECT_NEAR(p->position[1], v, 1e-4);
        EXPECT_NEAR(p->position[2], d, 1e-4);
    }
    // A tracking record: drag from start to current about the origin.
    static TransformRecord Drag(float sh, float sv, float sd, float ch, float cv, float cd, float oh = 0,
                                float ov = 0, float od = 0) {
        TransformRecord r;
        const float values[9] = {sh, sv, sd, ch, cv, cd, oh, ov, od};
        for (int i = 0; i < 9; ++i) r.values[i] = values[i];
        return r;
    }
    Objex* owner = nullptr;
};

TEST_F(TransformsTest, Primitives) {
    float x = 1, y = 2;
    Translate(&x, &y, 3, -4);
    EXPECT_EQ(x, 4.0f);
    EXPECT_EQ(y, -2.0f);
    EXPECT_EQ(GetTranslate(3, 10), 7.0f);
    Scale(&x, &y, 2, 0, 3, 0.5f);
    EXPECT_EQ(x, 8.0f);
    EXPECT_EQ(y, -1.0f);
    EXPECT_EQ(GetScale(5, 9, 1), 2.0f);
    EXPECT_EQ(GetScale(5, 9, 5), 1.0f);

    // A drag of (0, 10) to (5, 10) shifts x by half the height; y stays (x0 = origin).
    x = 2, y = 4;
    Shear(0, 10, 5, 10, &x, &y, 0, 0);
    EXPECT_FLOAT_EQ(x, 4.0f);
    EXPECT_FLOAT_EQ(y, 4.0f);

    x = 12, y = 5;
    Rotate(&x, &y, 2, 5, kPi / 2);  // a quarter turn towards -D
    EXPECT_NEAR(x, 2, 1e-4);
    EXPECT_NEAR(y, -5, 1e-4);

    EXPECT_NEAR(GetRotate(0.1f, 6.2f), 6.2f - 2 * kPi - 0.1f, 1e-5);
    EXPECT_NEAR(GetRotate(0.5f, 1.5f), 1.0f, 1e-6);
}

TEST_F(TransformsTest, WorldAndScreenLengths) {
    EXPECT_FLOAT_EQ(ConvertWorldToScreen(36, ds(), 0), 72.0f);
    EXPECT_FLOAT_EQ(ConvertWorldToScreen(36, ds(), 1), 43.2f);  // zoom 0.6
    EXPECT_FLOAT_EQ(ConvertScreenToWorld(72, ds(), 0), 36.0f);
    EXPECT_FLOAT_EQ(ConvertScreenToWorld(72, ds(), 1), 21.6f);  // multiplies by the zoom too
    EXPECT_EQ(ConvertWorldToScreen(36, nullptr, 1), 36.0f);
    EXPECT_EQ(ConvertScreenToWorld(36, nullptr, 1), 36.0f);
    ds()->worldUnit = 2;  // feet
    EXPECT_FLOAT_EQ(ConvertWorldToScreen(3, ds(), 0), 72.0f);
    EXPECT_FLOAT_EQ(ConvertScreenToWorld(72, ds(), 0), 3.0f);
    ds()->planScale = 48;
    EXPECT_FLOAT_EQ(ConvertWorldToScreen(4, ds(), 0), 72.0f);
}

TEST_F(TransformsTest, TranslateMovesTheViewAxesOfSelectedUnlockedPoints) {
    Poinz* free = Point(1, 2, 3);
    Poinz* unselected = Point(1, 2, 3, 0);
    Poinz* locked = Point(1, 2, 3, 1, 1);
    const TransformRecord r = Drag(10, 10, 10, 15, 40, 12);
    for (Poinz* p : {free, unselected, locked}) TranslatePoint(p, xform::kSelectedOnly, &r);
    ExpectPosition(free, 6, 2, 5);  // plan: H and D, never V
    ExpectPosition(unselected, 1, 2, 3);
    ExpectPosition(locked, 1, 2, 3);
    TranslatePoint(unselected, 0, &r);  // without the flag every point moves
    ExpectPosition(unselected, 6, 2, 5);

    // Shift keeps the larger delta only; on a tie the first axis is dropped.
    Poinz* p = Point(0, 0, 0);
    TranslatePoint(p, xform::kConstrain, &r);
    ExpectPosition(p, 5, 0, 0);
    const TransformRecord tie = Drag(0, 0, 0, 3, 0, -3);
    TranslatePoint(p, xform::kConstrain, &tie);
    ExpectPosition(p, 5, 0, -3);

    ds()->viewKind = 3;  // side view: D and V
    TranslatePoint(p, 0, &r);
    ExpectPosition(p, 5, 30, -1);
    ds()->viewKind = 1;  // front view: H and V
    TranslatePoint(p, 0, &r);
    ExpectPosition(p, 10, 60, -1);
    ds()->viewKind = 0;  // any other view transforms nothing
    TranslatePoint(p, 0, &r);
    ExpectPosition(p, 10, 60, -1);
    ds()->viewKind = 2;

    gCurDocument = nullptr;
    TranslatePoint(p, 0, &r);
    gCurDocument = doc;
    ExpectPosition(p, 10, 60, -1);
    TranslatePoint(p, 0, nullptr);
    TranslatePoint(nullptr, 0, &r);
}

TEST_F(TransformsTest, ScaleLeavesAnAxisWhoseStartIsTheOrigin) {
    Poinz* p = Point(3, 7, 9);
    p->outTangent[0] = 1, p->outTangent[1] = 1, p->outTangent[2] = 1;
    // H: (20 - 0) / (10 - 0) = 2; D: start 5 equals origin 5, factor 1.
    const TransformRecord r = Drag(10, 0, 5, 20, 0, 15, 0, 0, 5);
    ScalePoint(p, 0, &r);
    ExpectPosition(p, 6, 7, 9);
    EXPECT_EQ(p->outTangent[0], 2.0f);
    EXPECT_EQ(p->outTangent[1], 1.0f);
    EXPECT_EQ(p->inTangent[0], 0.0f);

    // Shift scales the second view axis by the first's factor.
    Poinz* q = Point(4, 1, 8);
    const TransformRecord r2 = Drag(10, 0, 10, 5, 0, 30);  // factors 0.5 and 3
    ScalePoint(q, xform::kConstrain, &r2);
    ExpectPosition(q, 2, 1, 4);
    ScalePoint(q, 0, &r2);
    ExpectPosition(q, 1, 1, 12);

    // Locked points stay.
    Poinz* fixed = Point(4, 1, 8, 1, 1);
    ScalePoint(fixed, xform::kSelectedOnly, &r2);
    ExpectPosition(fixed, 4, 1, 8);
}

TEST_F(TransformsTest, RotateAndShearCarryTangents) {
    Poinz* p = Point(10, 4, 0);
    p->outTangent[0] = 1;
    p->inTangent[1] = 5;  // V only: zero in the plan's axes, left alone
    TransformRecord r = Drag(0, 0, 0, 0, 0, 0);
    r.values[xform::kStartAngle] = 0;
    r.values[xform::kCurrentAngle] = kPi / 2;
    RotatePoint(p, 0, &r);
    ExpectPosition(p, 0, 4, -10);
    EXPECT_NEAR(p->outTangent[0], 0, 1e-5);
    EXPECT_NEAR(p->outTangent[2], -1, 1e-5);
    EXPECT_EQ(p->inTangent[1], 5.0f);
    r.values[xform::kCurrentAngle] = 0;  // no turn
    RotatePoint(p, 0, &r);
    ExpectPosition(p, 0, 4, -10);

    // Shear by the drag of (0, 10) to (5, 10) about the origin.
    Poinz* q = Point(2, 0, 4);
    q->outTangent[2] = 1;
    const TransformRecord s = Drag(0, 0, 10, 5, 0, 10);
    ShearPoint(q, 0, &s);
    ExpectPosition(q, 4, 0, 4);
    // The tangent's end (2, 5) shears to (4.5, 5): relative to the new position (0.5, 1).
    EXPECT_NEAR(q->outTangent[0], 0.5f, 1e-5);
    EXPECT_NEAR(q->outTangent[2], 1.0f, 1e-5);
    EXPECT_EQ(q->inTangent[0], 0.0f);
    EXPECT_EQ(q->inTangent[2], 0.0f);
}

TEST_F(TransformsTest, DimensionTransformTakesTheFirstMatchingFlag) {
    Poinz* p = Point(1, 1, 1);
    TransformRecord r = Drag(10, 0, 10, 20, 0, 30);
    r.values[xform::kCurrentAngle] = 1.0f;
    TransformDimension(p, xform::kTranslateFlag | xform::kScaleFlag | xform::kRotateFlag, &r);
    ExpectPosition(p, 11, 1, 21);
    TransformDimension(p, xform::kScaleFlag | xform::kRotateFlag, &r);  // factors 2 and 3
    ExpectPosition(p, 22, 1, 63);
    TransformDimension(p, 0x8, &r);
    TransformDimension(p, xform::kTranslateFlag, nullptr);
    ExpectPosition(p, 22, 1, 63);
    // The per-point flags travel along.
    Poinz* loose = Point(1, 1, 1, 0);
    TransformDimension(loose, xform::kTranslateFlag | xform::kSelectedOnly, &r);
    ExpectPosition(loose, 1, 1, 1);
    TransformDimension(loose, xform::kRotateFlag, &r);
    EXPECT_NE(loose->position[0], 1.0f);
}

}  // namespace

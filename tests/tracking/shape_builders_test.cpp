// The shape and arc builders: points as laid, worked out by hand; styles; what is refused.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/splines.h"
#include "model/tool_defaults.h"
#include "support/build.h"
#include "tracking/arc_builders.h"
#include "tracking/shape_builders.h"

namespace {

using dvxtest::ExpectNear;
using dvxtest::PointAt;

class ShapeBuilders : public dvxtest::DocumentTest {
protected:
    Layer* layer() { return doc->itsCurLayer; }
    int Count() { return dvxtest::CountObjects(layer()->firstObject); }
    static std::vector<int> Kinds(const Objex* o) {
        std::vector<int> kinds;
        for (const Poinz* p = o->firstPoint; p; p = p->next) kinds.push_back(p->kind);
        return kinds;
    }
};

TEST_F(ShapeBuilders, ArcsRunFromTheEndAngleBackInTheirSegments) {
    doc->itsDocState->viewKind = 2;
    Objex* arc = BuildArc(-100, -100, 100, 100, 0, 90, layer(), 0);
    ASSERT_TRUE(arc && arc->layer == layer() && arc->type == 5 && !arc->closed);
    EXPECT_EQ(Kinds(arc), (std::vector<int>{5, 5, 5, 4}));
    const float diagonal = 100 / std::sqrt(2.0f);
    ExpectNear(PointAt(arc, 0), 0, -100, 0);
    ExpectNear(PointAt(arc, 1), diagonal, -diagonal, 0);
    ExpectNear(PointAt(arc, 2), 100, 0, 0);
    ExpectNear(PointAt(arc, 3), 0, 0, 0);
    EXPECT_EQ(dvxtest::SelectedPointCount(arc), 4);
    for (int i = 0; i < 2; ++i) {
        for (float t = 0; t <= 1; t += 0.05f) {
            float h, v, d;
            GetSplineCoordinate(PointAt(arc, i), PointAt(arc, i + 1), t, &h, &v, &d);
            EXPECT_NEAR(std::hypot(h, v), 100, 0.03) << i << " " << t;
        }
    }
    EXPECT_EQ(Kinds(BuildArc(-100, -100, 100, 100, 0, 89, layer(), 0)), (std::vector<int>{5, 5, 4}));
    for (float sweep : {90.0f, 89.0f}) {
        Objex* temp = BuildTempArc(-100, -100, 100, 100, 0, sweep, 7, 2);
        ASSERT_TRUE(temp && !temp->layer);
        EXPECT_EQ(Kinds(temp), (std::vector<int>{5, 5}));
        const float end = sweep * 3.14159265f / 180;  // laid in the plan from the end angle
        ExpectNear(PointAt(temp, 0), 100 * std::cos(end), 7, -100 * std::sin(end));
        DeleteObj(temp);
    }
    // Squashed to the corners: 200 across, 100 down.
    Objex* flat = BuildArc(-100, -50, 100, 50, 0, 90, layer(), 0);
    ExpectNear(PointAt(flat, 0), 0, -50, 0);
    ExpectNear(PointAt(flat, 2), 100, 0, 0);

    EXPECT_EQ(Count(), 3);
    EXPECT_EQ(BuildArc(-100, -100, 100, 100, 30, 0, layer(), 0), nullptr);
    EXPECT_EQ(BuildTempArc(-100, -100, 100, 100, 30, 0, 0, 2), nullptr);
    EXPECT_EQ(BuildArc(-100, -100, 100, 100, 30, 90, nullptr, 0), nullptr);
    EXPECT_EQ(BuildRect(5, 5, 5, 5, layer(), 0), nullptr);
    EXPECT_EQ(BuildLine(5, 5, 5, 5, layer(), 0), nullptr);
    EXPECT_EQ(BuildOval(5, 5, 5, 5, layer(), 0), nullptr);
    EXPECT_EQ(BuildArc(5, 5, 5, 5, 0, 90, layer(), 0), nullptr);
    EXPECT_EQ(BuildTempArc(5, 5, 5, 5, 0, 90, 0, 2), nullptr);
    EXPECT_EQ(Count(), 3);
    EXPECT_EQ(doc->itsDocState->viewKind, 2);
}

TEST_F(ShapeBuilders, OvalsMultigonsAndRectanglesLayTheirPointsInOrder) {
    Objex* oval = BuildOval(0, 0, 200, 100, layer(), 0);
    ASSERT_TRUE(oval && oval->type == 2 && oval->closed && oval->layer == layer());
    ExpectNear(PointAt(oval, 0), 100, 0, 0);    // top, 50 above the centre (100, 50)
    ExpectNear(PointAt(oval, 1), 200, 50, 0);   // right, 100 beside it
    ExpectNear(PointAt(oval, 2), 100, 100, 0);  // bottom
    ExpectNear(PointAt(oval, 3), 0, 50, 0);     // left
    const float k = 4 * 100 * std::tan(3.14159265f / 8);  // a quarter circle of radius 100
    EXPECT_TRUE(dvxtest::Near({PointAt(oval, 0)->outTangent[0], PointAt(oval, 0)->outTangent[1]}, {k, 0}, 1e-3));
    EXPECT_TRUE(dvxtest::Near({PointAt(oval, 1)->outTangent[0], PointAt(oval, 1)->outTangent[1]}, {0, k / 2}, 1e-3));
    for (const Poinz* p = oval->firstPoint; p; p = p->next)
        EXPECT_TRUE(dvxtest::Near({p->inTangent[0], p->inTangent[1], p->inTangent[2]},
                                  {p->outTangent[0], p->outTangent[1], p->outTangent[2]}));
    // Dragged the other way round, the same points in the same order.
    Objex* back = BuildOval(200, 100, 0, 0, layer(), 0);
    for (int i = 0; i < 4; ++i) ExpectNear(PointAt(back, i), PointAt(oval, i)->position[0], PointAt(oval, i)->position[1], 0);

    Objex* square = BuildMulti(10, 10, 30, 10, layer(), 4, 0, 5);
    ASSERT_TRUE(square && square->type == 4 && square->closed && square->pointCount == 4);
    ExpectNear(PointAt(square, 0), 10, -10, 5);  // 90 degrees: up the screen
    ExpectNear(PointAt(square, 1), -10, 10, 5);
    ExpectNear(PointAt(square, 2), 10, 30, 5);
    ExpectNear(PointAt(square, 3), 30, 10, 5);   // the picked vertex comes last
    EXPECT_TRUE(dvxtest::Near({square->bounds.floatLeft, square->bounds.floatTop, square->bounds.floatRight, square->bounds.floatBottom}, {-10, -10, 30, 30}));
    EXPECT_EQ(BuildMulti(10, 10, 30, 10, layer(), 0, 0, 0), nullptr);
    EXPECT_EQ(BuildMulti(10, 10, 30, 10, layer(), 2, 0, 0), nullptr);

    // Corners rounded half up into the bounds; the 3D box measured from the points.
    Objex* rect = BuildRect(10.4f, 20.5f, -0.5f, -2.5f, layer(), 0);
    ASSERT_TRUE(rect && rect->type == 1 && rect->closed && rect->rows == 1 && dvxtest::SelectedPointCount(rect) == 4);
    ExpectNear(PointAt(rect, 1), -0.5f, 20.5f, 0);
    ExpectNear(PointAt(rect, 3), 10.4f, -2.5f, 0);
    EXPECT_TRUE(dvxtest::Near({rect->bounds.floatLeft, rect->bounds.floatTop, rect->bounds.floatRight, rect->bounds.floatBottom}, {0, -2, 10, 21}));
    EXPECT_TRUE(dvxtest::Near({rect->bounds3D.floatTop, rect->bounds3D.floatBottom}, {-2.5f, 20.5f}));
    Objex* line = BuildLine(1, 2, 3, 4, layer(), 0);
    ASSERT_TRUE(line && line->type == 6 && !line->closed && line->pointCount == 2);
    EXPECT_EQ(Count(), 5);
}

TEST_F(ShapeBuilders, PlainStyleIgnoresTheDocumentAndDocumentStyleCopiesIt) {
    DocState* ds = doc->itsDocState;
    ds->fillColor = {1, 2, 3}, ds->penColor = {4, 5, 6}, ds->penWidth = 3, ds->penStyle = 9, gPattern = 4;
    const std::function<Objex*(uint8_t)> builders[] = {
        [&](uint8_t s) { return BuildRect(0, 0, 9, 9, layer(), s); },
        [&](uint8_t s) { return BuildLine(0, 0, 9, 9, layer(), s); },
        [&](uint8_t s) { return BuildOval(0, 0, 9, 9, layer(), s); },
        [&](uint8_t s) { return BuildMulti(0, 0, 9, 9, layer(), 5, s, 0); },
        [&](uint8_t s) { return BuildArc(0, 0, 9, 9, 0, 45, layer(), s); },
        [&](uint8_t s) { return BuildPoly(nullptr, 0, 0, 0, layer(), 1, s); },
        [&](uint8_t s) { return BuildSpline(nullptr, 0, 0, 0, layer(), 1, s, 2); },
    };
    for (const auto& build : builders) {
        const Objex* plain = build(0);
        const Objex* styled = build(1);
        ASSERT_TRUE(plain && styled);
        EXPECT_EQ(plain->fillColor, (RGBColor{65535, 65535, 65535}));
        EXPECT_EQ(plain->penColor, (RGBColor{0, 0, 0}));
        EXPECT_EQ(std::tuple(plain->penWidth, plain->penStyle, plain->fillPattern), std::tuple(1.0f, int16_t{6}, int16_t{0}));
        EXPECT_EQ(styled->fillColor, (RGBColor{1, 2, 3}));
        EXPECT_EQ(styled->penColor, (RGBColor{4, 5, 6}));
        EXPECT_EQ(std::tuple(styled->penWidth, styled->penStyle, styled->fillPattern), std::tuple(3.0f, int16_t{9}, int16_t{4}));
    }
    // Without a document no point can be made: nothing is left (and nothing leaks).
    gCurDocument = nullptr;
    for (const auto& build : builders) EXPECT_EQ(build(1), nullptr);
    gCurDocument = doc;
    EXPECT_EQ(Count(), 2 * 7);
}

TEST_F(ShapeBuilders, PolylinesGrowClickByClickAndSplinesSmoothInTheirView) {
    doc->itsDocState->currentPlanBit = 64;
    Objex* poly = BuildPoly(nullptr, 0, 0, 0, layer(), 1, 0);
    ASSERT_TRUE(poly && poly->type == 9 && !poly->closed && poly->layer == layer());
    EXPECT_EQ(poly->planBits, 64);
    EXPECT_EQ(BuildPoly(poly, 10, 20, 30, layer(), 2, 0), poly);
    EXPECT_EQ(BuildPoly(poly, 40, 10, 50, layer(), 2, 0), poly);
    EXPECT_EQ(dvxtest::SelectedPointCount(poly), 0);
    EXPECT_EQ(BuildPoly(poly, 0, 0, 0, layer(), 3, 0), poly);
    EXPECT_EQ(std::tuple(poly->pointCount, poly->rows, dvxtest::SelectedPointCount(poly)), std::tuple(3, int16_t{1}, 3));
    EXPECT_TRUE(dvxtest::Near({poly->bounds3D.floatRight, poly->bounds3D.floatFront}, {40, 50}));
    for (int mode : {2, 3}) EXPECT_EQ(BuildPoly(nullptr, 0, 0, 0, layer(), mode, 0), nullptr);
    EXPECT_EQ(BuildPoly(poly, 0, 0, 0, layer(), 4, 0), nullptr);
    EXPECT_EQ(BuildPoly(nullptr, 0, 0, 0, nullptr, 1, 0), nullptr);
    EXPECT_EQ(BuildPoly(poly, 0, 0, 0, nullptr, 2, 0), nullptr);

    for (int16_t view : {1, 2, 3, 0, 4}) {
        Objex* spline = BuildSpline(nullptr, 0, 0, 0, layer(), 1, 0, view);
        EXPECT_EQ(spline->planBits, 0);
        BuildSpline(spline, 10, 20, 30, layer(), 2, 0, view);
        BuildSpline(spline, 40, 10, 50, layer(), 2, 0, view);
        ASSERT_EQ(BuildSpline(spline, 0, 0, 0, layer(), 3, 0, view), spline);
        const float* t = PointAt(spline, 1)->outTangent;
        EXPECT_EQ(t[0] != 0 || t[1] != 0 || t[2] != 0, view >= 1 && view <= 3) << view;
        ExpectNear(PointAt(spline, 1), 10, 20, 30);
    }
    EXPECT_EQ(BuildSpline(nullptr, 0, 0, 0, layer(), 3, 0, 2), nullptr);
}

}  // namespace

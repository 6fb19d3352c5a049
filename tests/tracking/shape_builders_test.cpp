// The shape, arc and dimension builders: points worked out by hand, styles, records and groups,
// what is refused (leaving nothing behind), and a grouped dimension through a design file.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>

#include "files/design_file.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/splines.h"
#include "model/tool_defaults.h"
#include "support/build.h"
#include "plan/arc_builders.h"
#include "tracking/dimension_builders.h"
#include "model/poly_builders.h"
#include "tracking/shape_builders.h"

namespace {

using namespace dvxtest;
using Plan = std::vector<std::pair<float, float>>;
constexpr float kDegree = 3.14159265f / 180;
const Float3DPoint kThree[3] = {};

class ShapeBuilders : public DocumentTest {
  protected:
    Layer* layer() { return doc->itsCurLayer; }
    DocState* ds() { return doc->itsDocState; }
    int Count() { return CountObjects(layer()->firstObject); }
    static std::vector<int> Kinds(const Objex* o) {
        std::vector<int> kinds;
        for (const Poinz* p = o->firstPoint; p; p = p->next)
            kinds.push_back(p->kind);
        return kinds;
    }
};

TEST_F(ShapeBuilders, ArcsOvalsMultigonsAndRectanglesLayTheirPointsInOrder) {
    Objex* arc = BuildArc(-100, -100, 100, 100, 0, 90, layer(), 0);
    ASSERT_TRUE(arc && arc->layer == layer() && arc->type == 5 && SelectedPointCount(arc) == 4);
    EXPECT_EQ(Kinds(arc), (std::vector<int>{5, 5, 5, 4}));
    const float r2 = 100 / std::sqrt(2.0f); // in the front view's H and V, then the centre
    for (auto [i, h, v] :
         {std::tuple{0, 0.0f, -100.0f}, {1, r2, -r2}, {2, 100.0f, 0.0f}, {3, 0.0f, 0.0f}})
        ExpectNear(PointAt(arc, i), h, v, 0);
    for (float t = 0, h, v, d; t <= 2; t += 0.05f) {
        GetSplineCoordinate(PointAt(arc, t < 1 ? 0 : 1), PointAt(arc, t < 1 ? 1 : 2),
                            t - std::floor(t), &h, &v, &d);
        EXPECT_NEAR(std::hypot(h, v), 100, 0.03) << t;
    }
    EXPECT_EQ(Kinds(BuildArc(-100, -100, 100, 100, 0, 89, layer(), 0)),
              (std::vector<int>{5, 5, 4}));
    for (float sweep : {90.0f, 89.0f}) {
        Objex* temp = BuildTempArc(-100, -100, 100, 100, 0, sweep, 0, 2);
        ASSERT_TRUE(temp && !temp->layer && Kinds(temp) == (std::vector<int>{5, 5}));
        ExpectNear(PointAt(temp, 0), 100 * std::cos(sweep * kDegree), 0,
                   -100 * std::sin(sweep * kDegree)),
            DeleteObj(temp);
    }
    for (Objex* o :
         {BuildArc(-100, -100, 100, 100, 30, 0, layer(), 0),
          BuildTempArc(-9, -9, 9, 9, 30, 0, 0, 2), BuildArc(5, 5, 5, 5, 0, 90, layer(), 0),
          BuildTempArc(5, 5, 5, 5, 0, 90, 0, 2), BuildRect(5, 5, 5, 5, layer(), 0),
          BuildLine(5, 5, 5, 5, layer(), 0), BuildOval(5, 5, 5, 5, layer(), 0)})
        EXPECT_EQ(o, nullptr);
    EXPECT_EQ(std::tuple(Count(), ds()->viewKind), std::tuple(2, int16_t{2}));

    // Top, right, bottom, left of the 200 x 100 oval about (100, 50), dragged either way.
    for (Objex* oval :
         {BuildOval(0, 0, 200, 100, layer(), 0), BuildOval(200, 100, 0, 0, layer(), 0)}) {
        ASSERT_TRUE(oval && oval->type == 2 && oval->closed && oval->pointCount == 4);
        for (auto [i, h, v] : {std::tuple{0, 100, 0}, {1, 200, 50}, {2, 100, 100}, {3, 0, 50}})
            ExpectNear(PointAt(oval, i), h, v, 0);
        const float k = 4 * 100 * std::tan(22.5f * kDegree); // a quarter circle of radius 100
        EXPECT_TRUE(Near({PointAt(oval, 0)->inTangent[0], PointAt(oval, 0)->outTangent[0],
                          PointAt(oval, 1)->outTangent[1], PointAt(oval, 3)->inTangent[1]},
                         {k, k, k / 2, -k / 2}, 1e-3));
    }
    Objex* square = BuildMulti(10, 10, 30, 10, layer(), 4, 0, 5);
    ASSERT_TRUE(square && square->type == 4 && square->closed && square->pointCount == 4);
    for (int i = 0; i < 4; ++i) // from 90 degrees round to the picked vertex
        ExpectNear(PointAt(square, i), 10 + 20 * std::cos((i + 1) * 90 * kDegree),
                   10 - 20 * std::sin((i + 1) * 90 * kDegree), 5);
    EXPECT_TRUE(!BuildMulti(10, 10, 30, 10, layer(), 0, 0, 0) &&
                !BuildMulti(10, 10, 30, 10, layer(), 2, 0, 0));
    // Corners rounded half up into the bounds; the 3D box measured from the points.
    Objex* rect = BuildRect(10.4f, 20.5f, -0.5f, -2.5f, layer(), 0);
    ASSERT_TRUE(rect && rect->type == 1 && rect->closed && SelectedPointCount(rect) == 4);
    EXPECT_TRUE(
        Near({rect->bounds.floatLeft, rect->bounds.floatTop, rect->bounds.floatRight,
              rect->bounds.floatBottom, rect->bounds3D.floatTop, rect->bounds3D.floatBottom},
             {0, -2, 10, 21, -2.5f, 20.5f}));
}

TEST_F(ShapeBuilders, PlainStyleIgnoresTheDocumentAndDocumentStyleCopiesIt) {
    ds()->fillColor = {1, 2, 3}, ds()->penColor = {4, 5, 6}, ds()->penWidth = 3, ds()->penStyle = 9,
    gPattern = 4;
    const std::function<Objex*(uint8_t)> builders[] = {
        [&](uint8_t s) { return BuildRect(0, 0, 9, 9, layer(), s); },
        [&](uint8_t s) { return BuildLine(0, 0, 9, 9, layer(), s); },
        [&](uint8_t s) { return BuildOval(0, 0, 9, 9, layer(), s); },
        [&](uint8_t s) { return BuildMulti(0, 0, 9, 9, layer(), 5, s, 0); },
        [&](uint8_t s) { return BuildArc(0, 0, 9, 9, 0, 45, layer(), s); },
        [&](uint8_t s) { return BuildPoly(nullptr, 0, 0, 0, layer(), 1, s); },
        [&](uint8_t s) { return BuildSpline(nullptr, 0, 0, 0, layer(), 1, s, 2); },
        [&](uint8_t s) {
            return BuildOpenPoly(kThree, nullptr, kThree, kThree, nullptr, nullptr, 3, layer(), s);
        },
    };
    auto style = [](const Objex* o) {
        return std::tuple(o->fillColor, o->penColor, o->penWidth, o->penStyle, o->fillPattern);
    };
    for (const auto& build : builders) {
        EXPECT_EQ(style(build(0)), std::tuple(RGBColor{65535, 65535, 65535}, RGBColor{}, 1.0f,
                                              int16_t{6}, int16_t{0}));
        EXPECT_EQ(style(build(1)),
                  std::tuple(RGBColor{1, 2, 3}, RGBColor{4, 5, 6}, 3.0f, int16_t{9}, int16_t{4}));
    }
    gCurDocument = nullptr; // no point can be made: nothing is left behind
    for (const auto& build : builders)
        EXPECT_EQ(build(1), nullptr);
    gCurDocument = doc;
    EXPECT_EQ(Count(), 2 * 8);
}

TEST_F(ShapeBuilders, PolylinesGrowClickByClickAndSplinesSmoothInTheirView) {
    ds()->currentPlanBit = 64;
    Objex* poly = BuildPoly(nullptr, 0, 0, 0, layer(), 1, 0);
    ASSERT_TRUE(poly && poly->type == 9 && !poly->closed && poly->layer == layer() &&
                poly->planBits == 64);
    EXPECT_TRUE(BuildPoly(poly, 10, 20, 30, layer(), 2, 0) == poly &&
                BuildPoly(poly, 40, 10, 50, layer(), 2, 0) == poly && !SelectedPointCount(poly));
    EXPECT_EQ(BuildPoly(poly, 0, 0, 0, layer(), 3, 0), poly);
    EXPECT_EQ(std::tuple(poly->pointCount, poly->rows, SelectedPointCount(poly), Count()),
              std::tuple(3, int16_t{1}, 3, 1));
    for (auto [object, mode, on] : {std::tuple{(Objex*)nullptr, 2, layer()},
                                    {nullptr, 3, layer()},
                                    {poly, 4, layer()},
                                    {poly, 2, nullptr},
                                    {nullptr, 1, nullptr}})
        EXPECT_EQ(BuildPoly(object, 0, 0, 0, on, mode, 0), nullptr);
    for (int16_t view : {1, 2, 3, 0, 4}) {
        Objex* spline = nullptr;
        for (auto [h, v, d, mode] :
             {std::tuple{0, 0, 0, 1}, {10, 20, 30, 2}, {40, 10, 50, 2}, {0, 0, 0, 3}})
            spline = BuildSpline(spline, h, v, d, layer(), mode, 0, view);
        ASSERT_TRUE(spline);
        const float* t = PointAt(spline, 1)->outTangent;
        EXPECT_EQ(t[0] != 0 || t[2] != 0, view >= 1 && view <= 3) << view;
        ExpectNear(PointAt(spline, 1), 10, 20, 30);
    }
}

TEST_F(ShapeBuilders, DimensionsLayTheirPointsInTheirPlaneAndGroupWithTheirText) {
    ds()->penColor = {1, 2, 3}, ds()->fillColor = {4, 5, 6}, ds()->currentPlanBit = 256;
    Objex* above = BuildLengthDim(0, 0, 100, 0, 50, -30, layer());
    ASSERT_TRUE(above && above->type == 143 && above->layer == layer() &&
                SelectedPointCount(above) == 4);
    for (auto [i, h, d] : {std::tuple{0, 100, 0}, {1, 100, -30}, {2, 0, -30}, {3, 0, 0}})
        ExpectNear(PointAt(above, i), h, 0, d);
    EXPECT_EQ(std::tuple(above->penColor, above->fillColor, above->penWidth, above->penStyle,
                         above->planBits),
              std::tuple(RGBColor{65535, 65535, 65535}, RGBColor{4, 5, 6}, 1.0f, int16_t{6},
                         256)); // the length-dimension pen
    EXPECT_NEAR(PointAt(BuildLengthDim(0, 0, 100, 0, 50, 30, layer()), 2)->position[2], 30,
                1e-4); // below the line
    EXPECT_NEAR(PointAt(BuildLengthDim(0, 0, 100, 0, 50, 0, layer()), 2)->position[2], 0,
                1e-4);  // on it
    ds()->viewKind = 1; // the front view keeps (x, y, 0)
    ExpectNear(PointAt(BuildLengthDim(0, 0, 100, 0, 50, -30, layer()), 2), 0, -30, 0),
        ds()->viewKind = 2;
    Objex* vertical = BuildOffsetDim(0, 0, 100, 50, 150, 20, layer(), 1);
    Objex* horizontal = BuildOffsetDim(0, 0, 100, 50, 150, 20, layer(), 0);
    EXPECT_TRUE(vertical->type == 141 && vertical->penColor == (RGBColor{1, 2, 3}) &&
                horizontal->type == 142);
    EXPECT_EQ(PlanPositions(vertical), (Plan{{100, 50}, {150, 50}, {150, 0}, {0, 0}}));
    EXPECT_EQ(PlanPositions(horizontal), (Plan{{100, 50}, {100, 20}, {0, 20}, {0, 0}}));
    // Faces mapped over the plan box, as a read maps them.
    EXPECT_EQ(std::tuple(horizontal->faceAxis, PointAt(horizontal, 0)->textureU, PointAt(horizontal, 1)->textureV),
              std::tuple(int16_t{2}, 1.0f, 0.4f));
    for (auto [o, type, plan] :
         {std::tuple{BuildDiameterDim(0, 0, 10, 20, layer()), 104, Plan{{0, 0}, {10, 20}}},
          {BuildLeaderDim(0, 0, 10, 20, 30, 20, layer()), 108, Plan{{0, 0}, {10, 20}, {30, 20}}},
          {BuildAngleDim(0, 0, 10, 0, 0, 0, 0, 10, 9, 9, layer()), 103,
           Plan{{0, 0}, {10, 0}, {0, 0}, {0, 10}}}})
        EXPECT_EQ(std::tuple(o->type, o->subtype, PlanPositions(o)),
                  std::tuple(int16_t(type), type, plan));
    const int made = Count();
    auto all = [](Layer* l, float x) {
        return std::vector<Objex*>{
            BuildLengthDim(0, 0, x, 0, 5, 5, l), BuildOffsetDim(0, 0, x, 0, 5, 5, l, 1),
            BuildDiameterDim(0, 0, x, 0, l), BuildLeaderDim(0, 0, x, 0, 5, 5, l),
            BuildAngleDim(0, 0, x, 0, 5, 5, 9, 9, 0, 0, l)};
    };
    for (const auto& refused : {all(nullptr, 10), all(layer(), 0)})
        EXPECT_EQ(refused, std::vector<Objex*>(5, nullptr));
    gCurDocument = nullptr;
    EXPECT_EQ(all(layer(), 10), std::vector<Objex*>(5, nullptr));
    gCurDocument = doc;
    EXPECT_EQ(Count(), made);
    ds()->dimensionFlags = 0x1234, ds()->dimensionValueA = 1.5f, ds()->dimensionValueB = -2;
    gDimensionFontNum = 3, gDimensionFontSize = 14, gDimensionFontStyle = 2;
    Objex* dimension = BuildAngleDim(0, 0, 10, 0, 0, 0, 0, 10, 0, 0, layer());
    ASSERT_TRUE(AddDimensionInfo(dimension, 60, 70, 1) == dimension &&
                dimension->typeData.kind == TypeDataKind::Dimension);
    const DimensionRecord& info = *dimension->typeData.dimension;
    EXPECT_EQ(std::tuple(info.flags, info.valueA, info.valueB), std::tuple(0x1234, 1.5f, -2.0f));
    Objex* box = info.textBox;
    ASSERT_TRUE(box && box->type == 201 && box->typeData.kind == TypeDataKind::DimensionText &&
                box->penWidth == 0);
    EXPECT_TRUE(box->penColor == dimension->penColor &&
                PlanPositions(box) == (Plan{{40, 60}, {80, 60}, {80, 80}, {40, 80}}));
    const DimensionTextRecord& text = *box->typeData.dimensionText;
    EXPECT_EQ(std::tuple(text.fontNum, text.fontSize, text.fontStyle, text.owner),
              std::tuple(int16_t{3}, int16_t{14}, int16_t{2}, dimension));
    EXPECT_EQ(0, std::memcmp(&text.font, &gCurFontInfo, sizeof(LOGFONT)));
    Objex* group = dimension->parent;
    ASSERT_TRUE(group && group->type == 1000 && box->parent == group && gGroupLeader == group);
    EXPECT_EQ(std::tuple(CountObjects(group->firstChild), SelectedPointCount(group),
                         SelectedPointCount(above)),
              std::tuple(2, 8, 0));
    Objex* alone = AddDimensionInfo(BuildDiameterDim(0, 0, 10, 0, layer()), 60, 70,
                                    0); // selected alone, not grouped
    BuildDiameterDim(5, 6, 7, 8, layer());
    EXPECT_EQ(std::tuple(Count(), alone->parent, alone->typeData.dimension->textBox),
              std::tuple(made + 3, nullptr, nullptr));
    EXPECT_EQ(std::tuple(SelectedPointCount(alone), SelectedPointCount(group)), std::tuple(2, 0));
    // No dimension record or text box goes into a design file; what follows is read as written.
    const std::string path = FreshTempFolder("dimension_file") + "/dimension.pro";
    ASSERT_EQ(KeyFileWrite(path.c_str()), 1);
    QMDDocumentModel* back = QMDDocumentModel::alloc()->init();
    ASSERT_TRUE(back && KeyFileRead(path.c_str()) == 1);
    std::vector<Objex*> read = ListOf(back->itsCurLayer->firstObject);
    ASSERT_TRUE(read.size() == made + 3u && read[made]->type == 1000 && read[made]->firstChild);
    EXPECT_EQ(std::tuple(CountObjects(read[made]->firstChild), read[made]->firstChild->subtype),
              std::tuple(1, 103));
    EXPECT_EQ(PlanPositions(read[made + 2]), (Plan{{5, 6}, {7, 8}}));
    back->dealloc();
    gCurDocument = nullptr; // without a document the dimension is left with no record
    EXPECT_EQ(AddDimensionInfo(alone, 0, 0, 1), alone);
    gCurDocument = doc;
    EXPECT_TRUE(alone->typeData.empty() && Count() == made + 3);
}

} // namespace

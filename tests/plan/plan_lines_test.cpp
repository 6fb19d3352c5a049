// Where plan lines go and how they look (clipping, dashes, the four sinks, spline pieces,
// detail line styles, the stair direction arrow), and the rubber-band engine they feed: when it
// counts as empty, what its bounds cover, the order and colours it paints in.
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "app/core/main_window_seams.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "plan/base_2d_view.h"
#include "plan/plan_lines.h"
#include "model/plan_objects.h"
#include "support/drawing_doubles.h"
#include "support/fixture.h"
#include "support/build.h"

namespace {

using dvxtest::DrawnOp;
using Coords = std::vector<double>;

class PlanLinesTest : public dvxtest::DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        doc->itsDocState->zoomFactor = 1.0f;
        SetMainWindowDocumentViewHandler([this] { return &view; });
    }
    void TearDown() override {
        for (Objex* o : made) DeleteObj(o);
        DocumentTest::TearDown();
    }
    Objex* Loose(int16_t type, int32_t subtype = 0) { return made.emplace_back(dvxtest::Make(type, subtype)); }
    // A plan line from (h1, d1) to (h2, d2).
    void Line(float h1, float d1, float h2, float d2, const Objex* o, const Poinz* p = nullptr) {
        DrawLine(nullptr, h1, 0, d1, h2, 0, d2, 0, o, p);
    }
    // x and y of every element of the i-th stroke (lines draw nothing else).
    Coords Points(size_t i) const {
        Coords out;
        EXPECT_EQ(context.ops.at(i).kind, DrawnOp::Kind::Stroke);
        for (const auto& e : context.ops.at(i).path.elements()) out.insert(out.end(), {e.p[0], e.p[1]});
        return out;
    }
    static std::unique_ptr<QMDDynamicDimElement> Text(bool backed) {
        auto element = std::make_unique<QMDDynamicDimElement>();
        const PlatformRect rect{0, 0, 40, 12};
        const PlatformPoint corners[4] = {{50, 50}, {90, 50}, {90, 70}, {50, 70}};
        const LOGFONT font;
        element->initDynamicDimElementTextRect(&rect, "12'", &font, backed ? corners : nullptr);
        if (!backed) element->initDynaimcDimElementTextRect(&rect, "12'", &font);
        return element;
    }
    static Poinz At(float h, float d) {
        Poinz p;
        p.position[0] = h, p.position[2] = d;
        return p;
    }

    dvxtest::RecordingContext context;
    port::DrawingScope scope{context};
    Base2DView view;
    QMDDynamicDrawEngine& engine = *view.dynamicDrawEngine;
    std::vector<Objex*> made;
};
using DynamicDrawEngineTest = PlanLinesTest;

TEST_F(PlanLinesTest, LinesLeavingTheSixteenBitPlaneAreDroppedBeforeRounding) {
    const Objex* o = Loose(objtype::kLine);
    const struct { float h1, h2; size_t drawn; } rows[] = {
        {29999, 0, 1}, {30000, 0, 0}, {0, -30000, 0}, {1e9f, 1e9f, 0}, {NAN, 0, 0}};
    for (const auto& row : rows) {
        context.ops.clear();
        Line(row.h1, 0, row.h2, 0, o);
        EXPECT_EQ(context.ops.size(), row.drawn) << row.h1;
    }
    context.ops.clear();
    Line(29999.4f, -2.6f, 0, 0, o);
    EXPECT_EQ(Points(0), (Coords{29999, -2, 0, 0}));  // -2.6 + 0.5 truncates toward zero
    // Printing: the zoom flag is ignored, the print scales follow the projection (zoom 0.6).
    doc->itsDocState->zoomFactor = 0.6f;
    gPrinting = 1, gHPrintScale = 2, gVPrintScale = 3;
    DrawLine(nullptr, 10, 0, 10, 20, 0, 20, 1, o, nullptr);
    EXPECT_EQ(Points(1), (Coords{12, 18, 24, 36}));
}

TEST_F(PlanLinesTest, ObjectTypesPickTheirDashOrWidth) {
    Poinz gate = At(0, 0);
    gate.kind = 6;
    const struct { int16_t type; int32_t subtype; const Poinz* point; Coords dash; double width; } rows[] = {
        {objtype::kPropertyLine, 0, nullptr, {18, 6}, 1}, {objtype::kPath, 0, nullptr, {3, 3}, 1},
        {objtype::kFence, 0, nullptr, {3, 3}, 1},         {objtype::kFence, 0, &gate, {}, 3},
        {objtype::kPhoto, 0, nullptr, {}, 3},             {objtype::kDetail, 112, nullptr, {3, 3}, 1},
        {objtype::kDetail, 1, nullptr, {}, 1},            {objtype::kFloorCutout, 51, nullptr, {3, 3}, 1},
    };
    context.setLineWidth(5);  // the context's own width is not the line's
    for (const auto& row : rows) {
        context.ops.clear();
        Line(0, 0, 10, 10, Loose(row.type, row.subtype), row.point);
        ASSERT_EQ(context.ops.size(), 1u) << row.type;
        EXPECT_EQ(std::pair(context.ops[0].state.dash, context.ops[0].state.lineWidth), std::pair(row.dash, row.width))
            << row.type;
    }
}

TEST_F(PlanLinesTest, GroupMembersAndEdgingGoToTheBufferFeedbackToTheEngine) {
    Objex* member = Loose(objtype::kFentrix);
    member->parent = Loose(objtype::kGroup);
    Line(1.25f, 2, 3, 4, Loose(objtype::kEdging));  // no buffer yet: nothing
    EXPECT_EQ(gAcclLinePointCount, 0);
    ASSERT_TRUE(AllocateAcclLineBuffer());
    Line(1.25f, 2, 3, 4, Loose(objtype::kEdging));
    EXPECT_EQ(gAcclLineBuffer[0].x, 1.25f);  // unrounded
    for (int i = 0; i < 600; ++i) Line(0, 0, 1, 1, member);
    EXPECT_EQ(std::pair(gAcclLinePointCount, gAcclLinePointCap), std::pair(1202, 2000));

    gDynamicDrawing = 1;
    Line(0.6f, 0, 10, 20, nullptr);
    const auto& primary = engine.primaryPath.path.elements();
    ASSERT_EQ(primary.size(), 2u);
    EXPECT_EQ(Coords({primary[0].p[0], primary[1].p[1]}), (Coords{1, 20}));
    gDynamicDrawing = 0;
    gTransformationDrawing = 1;
    Line(0, 0, 5, 5, member);  // no element: dropped
    engine.addDynamicTransformElement(std::make_unique<QMDDynamicTransformElement>());
    Line(0, 0, 5, 5, member);
    EXPECT_EQ(engine.activeTransformElement()->path.path.elementCount(), 2);
    EXPECT_TRUE(context.ops.empty() && gAcclLinePointCount == 1202);
}

TEST_F(PlanLinesTest, SplineStepsFollowResolutionZoomAndRealTime) {
    Poinz p = At(0, 0), q = At(100, 0);
    p.outTangent[2] = q.inTangent[2] = p.acrossTangent[2] = q.acrossTangent[2] = 50;
    const Objex* o = Loose(objtype::kLine);
    const struct { bool link; int16_t resolution; bool realTime; size_t pieces; } rows[] = {
        {false, 10, false, 10}, {false, 4, false, 8}, {false, 30, false, 20}, {false, 10, true, 8},
        {false, 1, false, 8},   {true, 1, false, 1},  {true, 1, true, 1},     {true, 0, false, 1},
        {true, 10, true, 5},
    };
    for (const auto& row : rows) {
        doc->itsDocState->curveSegments = row.resolution;
        gRealTimeDraw = row.realTime;
        context.ops.clear();
        (row.link ? DrawLinkSegment : DrawObjectSegment)(nullptr, o, &p, &q, 0, nullptr);
        ASSERT_EQ(context.ops.size(), row.pieces) << row.link << " " << row.resolution;
        EXPECT_EQ(Points(row.pieces - 1)[2], 100);  // the curve reaches q
    }
}

TEST_F(PlanLinesTest, StairArrowsAreStrokedBarbsPointingBackAlongTheRun) {
    doc->itsDocState->zoomFactor = 0.5f;
    const struct { float backX; Coords points; } rows[] = {
        {0, {100, 100, 77, 111, 100, 100, 77, 89}},     // barbs 25 long, 25 degrees off the run
        {100, {100, 100, 123, 89, 100, 100, 123, 111}}, // tip on its back point: toward +x
    };
    for (const auto& row : rows) {
        context.ops.clear();
        DrawStairArrowhead(nullptr, nullptr, 100, 100, row.backX, 100);
        EXPECT_EQ(Points(0), row.points);
    }

    doc->itsDocState->zoomFactor = 1.0f;
    Poinz a = At(0, 0), b = At(100, 0), c = At(100, 100);
    context.ops.clear();
    DrawObjectSegment(nullptr, Loose(objtype::kStaircase, 800), &a, &b, 0, nullptr);
    DrawObjectSegment(nullptr, made.back(), &b, &c, 0, nullptr);
    ASSERT_EQ(context.ops.size(), 4u);  // each segment and its arrow
    EXPECT_EQ(Points(3)[1], 100);
    a.outTangent[2] = b.inTangent[2] = 50;
    context.ops.clear();
    DrawObjectSegment(nullptr, Loose(objtype::kStaircase, 801), &a, &b, 0, nullptr);
    ASSERT_EQ(context.ops.size(), 11u);  // ten pieces, one arrow at the end
    EXPECT_EQ(Points(10)[0], 100);
}

TEST_F(DynamicDrawEngineTest, EmptinessAndBoundsDecideWhetherHandlesShowAndWhatRedraws) {
    engine.setActivePath(7);  // only paths 0 and 1 exist
    engine.setActivePathDrawMethod(1);
    engine.setActivePathDrawMethod(2);
    engine.setLineWidthForPath(5, 9);
    EXPECT_EQ(std::tuple(engine.activePathID, engine.primaryPathDrawMethod, engine.isPathEmpty(5)),
              std::tuple(int16_t{0}, int16_t{1}, true));
    engine.addDynamicTransformElement(std::make_unique<QMDDynamicTransformElement>());
    engine.addDynamicTransformElement(nullptr);
    EXPECT_TRUE(engine.areAllPathsEmpty());  // handles show beneath moved copies
    engine.addDynamicDimElement(Text(false));
    EXPECT_FALSE(engine.areAllPathsEmpty());  // plain text hides them
    engine.removeAllDynamicDimElements();
    engine.activePathMoveToPoint({300, 300});
    EXPECT_FALSE(engine.areAllPathsEmpty());

    engine.removePointsFromAllPaths();
    engine.setActivePath(1);
    engine.appendLineToActivePathWithStartPoint({10, 10}, {30, 10});  // flat, yet counted
    engine.addDynamicDimElement(Text(true));
    const PlatformRect all = engine.boundsForAllPaths();  // the empty primary adds nothing
    EXPECT_EQ(std::tuple(all.x, all.y, all.width, all.height), std::tuple(10.f, 10.f, 80.f, 60.f));
}

TEST_F(DynamicDrawEngineTest, PaintsPathsThenTextThenMovedCopiesInTheirColours) {
    engine.setActivePathDeviceRed(0, 0, 1, 1);
    engine.setActivePathLineWidth(2);
    engine.appendOvalToActivePathWithBoundingRect({0, 0, 10, 10});
    engine.setActivePath(1);
    engine.setActivePathDeviceRed(0, 1, 0, 0.5f);
    engine.setActivePathDrawMethod(1);
    engine.setActivePathLineDash(std::vector<float>{2, 2}.data(), 2, 0);
    engine.appendActivePathWithArcWithCenter({0, 0}, 5, 0, 90);
    engine.closeActivePath();
    engine.addDynamicDimElement(Text(true));
    auto indicated = std::make_unique<QMDDynamicTransformElement>();
    indicated->setDrawUsingIndicatorColor(1);
    indicated->appendPathWithLineFromPoint({0, 0}, {5, 5});
    engine.addDynamicTransformElement(std::move(indicated));
    engine.addDynamicTransformElement(std::make_unique<QMDDynamicTransformElement>());
    engine.activeTransformElement()->lineToPoint({1, 1});

    engine.strokeAllPaths();
    const port::Color blue{0, 0, 1, 1}, green{0, 1, 0, 0.5f}, white{1, 1, 1, 1}, red{1, 0, 0, 1};
    const port::Color focus = port::systemColors().keyboardFocusIndicatorColor();
    const struct { DrawnOp::Kind kind; port::Color color; } expected[] = {
        {DrawnOp::Kind::Stroke, blue}, {DrawnOp::Kind::Fill, green}, {DrawnOp::Kind::Fill, white},
        {DrawnOp::Kind::TextAt, red}, {DrawnOp::Kind::Stroke, focus},
        {DrawnOp::Kind::Stroke, focus}};  // the last keeps the colour the one before left
    ASSERT_EQ(context.ops.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        const DrawnOp& op = context.ops[i];
        EXPECT_EQ(std::pair(op.kind, op.kind == DrawnOp::Kind::Stroke ? op.state.stroke : op.state.fill),
                  std::pair(expected[i].kind, expected[i].color)) << i;
    }
    EXPECT_EQ(std::pair(context.ops[0].state.lineWidth, context.ops[3].text), std::pair(2.0, std::string("12'")));

    auto attributes = [](const QMDDynamicDrawEngine& e) {
        return std::tuple(e.primaryPathRed, e.primaryPathGreen, e.primaryPathBlue, e.primaryPathAlpha,
                          e.secondaryPathGreen, e.secondaryPathAlpha, e.primaryPathDrawMethod,
                          e.secondaryPathDrawMethod, e.primaryPath.lineWidth, e.secondaryPath.dash,
                          e.secondaryPath.path.elementCount(), e.dynamicDimArray.size(),
                          e.dynamicTransformArray.size());
    };
    engine.removePointsFromAllPaths();
    engine.resetAttributesForAllPaths();
    EXPECT_EQ(attributes(engine), attributes(QMDDynamicDrawEngine{}));
}

TEST_F(DynamicDrawEngineTest, MovedObjectsKeepTheirPlanWidthAndDetailDash) {
    StyleState record;
    LoadStyle(7, &record, 2);  // gaps widened by 1 + 0.25 x 2
    for (int16_t style : {6, 15}) LoadStyle(style, &record, 5);
    EXPECT_EQ(std::vector<float>(record.dashes, record.dashes + 6), (std::vector<float>{60, 9, 7, 9, 0, 0}));
    doc->itsDocState->zoomFactor = 0.6f;
    Objex* wall = Loose(objtype::kWall);
    wall->penWidth = 6;  // inches at scale 36: 12 plan units, zoomed by 0.6
    Objex* detail = Loose(objtype::kDetail, 1);
    detail->penWidth = 2;
    const struct { Objex* object; int16_t penStyle; float width; std::vector<double> dash; } rows[] = {
        {wall, 0, 7, {}},
        {detail, 7, 1, {36, 5.4, 4.2, 5.4}},
        {detail, 3, 1, {}},  // outside the detail styles: solid, whatever the record held
        {detail, 6, 1, {}},
    };
    for (const auto& row : rows) {
        row.object->penStyle = row.penStyle;
        QMDDynamicTransformElement element;
        element.setLineStyleForObject(row.object);
        EXPECT_EQ(element.path.lineWidth, row.width) << row.penStyle;
        ASSERT_EQ(element.path.dash.size(), row.dash.size()) << row.penStyle;
        for (size_t i = 0; i < row.dash.size(); ++i) EXPECT_NEAR(element.path.dash[i], row.dash[i], 1e-5);
    }
}

}  // namespace

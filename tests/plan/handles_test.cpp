// Handles, the transform box and selection feedback as recorded, at zoom 1 and scale 72: seen
// from above a plan point (h, d) is the view point (h, d).
#include <gtest/gtest.h>

#include <cmath>

#include "app/core/main_window_seams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/selection_ops.h"
#include "plan/dynamic_draw_engine.h"
#include "plan/handles.h"
#include "plan/plan_frame.h"
#include "plan/plan_objects.h"
#include "plan/selection_feedback.h"
#include "support/build.h"
#include "support/drawing_doubles.h"
#include "tracking/tracking_state.h"

namespace {

using namespace dvxtest;
using Kind = DrawnOp::Kind;

const port::Color kIndicator = port::systemColors().keyboardFocusIndicatorColor();
bool Same(port::Color a, port::Color b) { return a.red == b.red && a.green == b.green && a.blue == b.blue; }

class HandlesTest : public SelectionTest {
protected:
    void SetUp() override {
        SelectionTest::SetUp();
        doc->itsDocState->zoomFactor = 1, doc->itsDocState->planScale = 72;
        SetMainWindowDocumentViewHandler([this] { return &view; });
        gCurTool = toolid::kSelect;
    }
    struct Seen { int squares = 0, circles = 0, edges = 0, faces = 0; };
    // Square and round handles, and the transform box's edges (closed faces apart); cleared.
    Seen Look() {
        Seen s;
        for (const DrawnOp& op : context.ops) {
            const port::Rect b = op.path.bounds();
            if (op.kind == Kind::Fill && b.width == 7 && Same(op.state.fill, kIndicator)) ++s.squares;
            if (op.kind == Kind::Fill && b.width == 9) ++s.circles;
            if (op.kind != Kind::Stroke || op.state.lineWidth != 2) continue;
            EXPECT_TRUE(Same(op.state.stroke, kIndicator));
            for (const auto& e : op.path.elements()) {
                s.edges += e.kind == port::Path::Kind::Move;
                s.faces += e.kind == port::Path::Kind::Close;
            }
        }
        context.ops.clear();
        return s;
    }
    Seen Handles() {
        const RECT r{};
        DrawAllLayerHandles(doc->itsLayers, &r);
        return Look();
    }
    Objex* Box(Float3DRect b, int16_t type = objtype::kPolygon, int32_t subtype = 0) {
        Objex* o = Shape(floor, type, {{b.floatLeft, b.floatBack}, {b.floatRight, b.floatFront}}, false, subtype);
        o->bounds3D = b;
        Make(o).select();
        return o;
    }
    RecordingContext context;
    port::DrawingScope scope{context};
    FakeViewHost host;
    Base2DView view{&host};
};

TEST_F(HandlesTest, FrameHandlesFollowTheViewAndTheBoxShape) {
    const Float3DRect tall{-50, 0, 0, 0, 100, 80};
    const struct { float x, y; Float3DRect box; int16_t type; int squares, edges, faces; } rows[] = {
        {90, 0, tall, objtype::kPolygon, 4, 1, 1},        // plan view: the top face
        {0, 0, tall, objtype::kPolygon, 8, 12, 0},        // elevation
        {30, 45, tall, objtype::kPolygon, 8, 12, 0},      // isometric
        {30, 45, {0, 0, 0, 0, 100, 80}, objtype::kPolygon, 4, 1, 1},      // flat
        {30, 45, {-0.4f, 0, 0, 0, 100, 80}, objtype::kPolygon, 4, 1, 1},  // flat once rounded
        {30, 45, {-50, 0, 0, 0, 0, 80}, objtype::kPolygon, 4, 4, 0},      // no width
        {30, 45, {-50, 0, 0, 0, 100, 0}, objtype::kPolygon, 4, 4, 0},     // no depth
        {30, 45, tall, objtype::kEnhancedText, 0, 0, 0},
        {30, 45, tall, objtype::kOldText, 0, 0, 0},
        {30, 45, {0, 0, 0, 0, 100, 80}, objtype::kOldText, 4, 0, 0},      // flat: handles without a box
    };
    for (const auto& row : rows) {
        SetView(row.x, row.y);
        Objex* o = Box(row.box, row.type);
        const Seen s = Handles();
        EXPECT_TRUE(Near({s.squares, s.edges, s.faces}, {row.squares, row.edges, row.faces})) << row.x << " " << row.type;
        Make(o).select(0);
    }
    Objex* detail = Box(tall, objtype::kDetail, 3);
    SetView(30, 45);
    EXPECT_EQ(Handles().squares, 0);
    Make(detail).select(0);

    // A handle is a 7 x 7 square from 3 left and above, outlined in black.
    SetPlanView();
    Box({0, 10, 20, 0, 110, 90});
    const RECT r{};
    DrawAllLayerHandles(doc->itsLayers, &r);
    ASSERT_GE(context.ops.size(), 3u);
    const port::Rect first = context.ops[1].path.bounds();
    EXPECT_TRUE(Near({first.x, first.y, first.width, first.height}, {7, 17, 7, 7}));
    EXPECT_TRUE(Same(context.ops[2].state.stroke, {0, 0, 0, 1}));
    EXPECT_EQ(context.ops[2].kind, Kind::Stroke);
}

TEST_F(HandlesTest, TheFrameShowsHandlesOnlyWithoutFeedbackAndOnVisibleLayers) {
    Box({-50, 0, 0, 0, 100, 80});
    QMDDynamicDrawEngine& engine = *view.dynamicDrawEngine;
    auto frame = [&] {
        view.draw3D({-500, -500, 1000, 1000}, drawflag::kAll);
        return Look().squares;
    };
    EXPECT_EQ(frame(), 4);
    engine.appendLineToActivePathWithStartPoint({0, 0}, {5, 5});
    EXPECT_EQ(frame(), 0);
    engine.removePointsFromAllPaths();
    const PlatformRect box{0, 0, 20, 12};
    LOGFONT font{};
    engine.addDynamicDimElement(std::unique_ptr<QMDDynamicDimElement>(
        (new QMDDynamicDimElement)->initDynaimcDimElementTextRect(&box, "12", &font)));
    EXPECT_EQ(frame(), 0);
    engine.removeAllDynamicDimElements();
    floor->visible = 0;
    EXPECT_EQ(frame(), 0);
    floor->visible = 1;

    // A whole-object tool shows a group's box, not its members'.
    Objex* a = Shape(floor, objtype::kLine, {{200, 0}, {300, 0}});
    Objex* b = Shape(floor, objtype::kPolygon, {{200, 50}, {300, 90}});
    Make(Group(floor, {a, b})).select();
    Make(a).select(), Make(b).select();
    const Seen s = Handles();
    EXPECT_TRUE(Near({s.squares, s.faces}, {8, 2}));
}

TEST_F(HandlesTest, PointToolsHandleSelectedPointsAndTraceSelectionLines) {
    gCurTool = toolid::kPointEdit;
    Objex* wall = Wall(floor, {{0, 0}, {400, 0}, {400, 300}});
    Objex* door = Shape(wall, objtype::kDoor, {{50, 0}, {90, 0}});
    Objex* window = Shape(wall, objtype::kWindow, {{200, 0}, {260, 0}});
    PointAt(wall, 1)->selected = 1;
    Make(door).select(), Make(window).select();
    std::vector<double> lines;  // lengths of the selection lines along the wall
    const RECT r{};
    DrawAllLayerHandles(doc->itsLayers, &r);
    for (const DrawnOp& op : context.ops)
        if (op.kind == Kind::Stroke && op.path.bounds().height == 0) lines.push_back(op.path.bounds().width);
    EXPECT_EQ(lines, (std::vector<double>{40, 60}));
    EXPECT_EQ(Look().squares, 1 + 2 + 2);  // the wall's one selected point and the openings' own

    // Selection lines: every segment, the closing one, and a slope arrow's barbs at its tip.
    auto traced = [&](Objex* o) {
        context.ops.clear();
        DrawSelectionLine(o);
        std::vector<double> ends;
        for (const DrawnOp& op : context.ops)
            for (const auto& e : op.path.elements()) ends.insert(ends.end(), {e.p[0], e.p[1]});
        return ends;
    };
    EXPECT_EQ(traced(Shape(floor, objtype::kPolygon, {{0, 0}, {10, 0}, {10, 20}}, true)),
              (std::vector<double>{0, 0, 10, 0, 10, 0, 10, 20, 10, 20, 0, 0}));
    const double x = std::trunc(100 - 30 * std::sqrt(0.5) + 0.5), y = std::trunc(30 * std::sqrt(0.5) + 0.5);
    EXPECT_EQ(traced(Shape(floor, objtype::kSlopeArrow, {{0, 0}, {100, 0}})),
              (std::vector<double>{0, 0, 100, 0, 100, 0, x, y, 100, 0, x, std::trunc(0.5 - y)}));

    // A door selected point-wise reaches its selection line.
    Make(door).select(0);
    context.ops.clear();
    SelectObjectPoint(door->firstPoint, door, selmode::kSelect, 1);
    EXPECT_FALSE(context.ops.empty());
}

TEST_F(HandlesTest, KeyEntryHandlesAlternateFromStartUpAcrossRedraws) {
    gCurTool = toolid::kKeyEntry;
    Objex* line = Shape(floor, objtype::kLine, {{0, 0}, {50, 0}, {100, 0}});
    Make(line).select();
    std::vector<int> colours, marks;
    for (int pass = 0; pass < 2; ++pass) {
        const RECT r{};
        DrawAllLayerHandles(doc->itsLayers, &r);
        for (const DrawnOp& op : context.ops)
            if (op.kind == Kind::Fill) {
                EXPECT_TRUE(Near({op.path.bounds().width, op.path.bounds().height}, {9, 9}));
                colours.push_back(op.state.fill.red > 0.5f ? 1 : -1);
            }
        context.ops.clear();
    }
    for (int i = 0; i < 3; ++i) marks.push_back(objfield::point::kKeyEntryMark(*PointAt(line, i)));
    EXPECT_EQ(colours, (std::vector<int>{1, -1, 1, -1, 1, -1}));
    EXPECT_EQ(marks, (std::vector<int>{-1, 1, -1}));

    // A wall point gets only its handle.
    gCurTool = toolid::kPointEdit;
    DrawPointHandle(PointAt(Wall(floor, {{0, 0}, {10, 0}}), 0), 1);
    EXPECT_EQ(context.ops.size(), 2u);
}

TEST_F(HandlesTest, TheTransformBoxGoesToTheEngineWhileTransforming) {
    const Float3DRect b{-50, 0, 0, 0, 100, 80};
    gTransformationDrawing = 1;
    DrawCube(nullptr, &b);
    EXPECT_TRUE(context.ops.empty());
    QMDDynamicDrawEngine& engine = *view.dynamicDrawEngine;
    ASSERT_EQ(engine.dynamicTransformArray.size(), 1u);
    EXPECT_TRUE(Near({engine.dynamicTransformArray[0]->path.lineWidth, engine.dynamicTransformArray[0]->drawUsingIndicatorColor}, {2, 1}));
    engine.strokeAllPaths();
    const Seen s = Look();
    EXPECT_TRUE(Near({s.edges, s.faces}, {1, 1}));
    SetMainWindowDocumentViewHandler(nullptr);
    DrawCube(nullptr, &b);  // no view: nothing
    EXPECT_TRUE(context.ops.empty());
}

}  // namespace

TEST_F(HandlesTest, WallSegmentClearancesRunCentreToCentreAndShowOnce) {
    Objex* wall = Wall(floor, {{0, 0}, {400, 0}});
    Make(wall).select();
    const FloatPoint* ends[] = {&gSelectedWallSegmentStartPtSideA, &gSelectedWallSegmentEndPtSideA,
                                &gSelectedWallSegmentStartPtSideB, &gSelectedWallSegmentEndPtSideB};
    auto stored = [&] {
        std::vector<double> out;
        for (const FloatPoint* p : ends) out.insert(out.end(), {std::round(p->floatH), std::round(p->floatV)});
        return out;
    };
    const std::vector<double> none{-32000, -32000, -32000, -32000};
    const struct { float a, b; std::vector<double> sideA, sideB; } rows[] = {
        {-100, 100, {200, 0, 200, -100}, {200, 0, 200, 100}},
        {-8, 100, none, {200, 0, 200, 100}},  // a neighbour 10 or nearer leaves its side empty
        {0, 0, none, none},                    // nothing within reach
    };
    for (const auto& row : rows) {
        std::vector<Objex*> near;
        for (float d : {row.a, row.b}) if (d) near.push_back(Wall(floor, {{-50, d}, {450, d}}));
        DrawDimensionWallSegmentSelection(wall, PointAt(wall, 0), PointAt(wall, 1), 200, 30);
        std::vector<double> want = row.sideA;
        want.insert(want.end(), row.sideB.begin(), row.sideB.end());
        EXPECT_EQ(stored(), want) << row.a;
        ClearDimensionWallSegmentSelection();
        for (Objex* o : near) o->type = objtype::kLine;  // out of the next row's reach
    }

    // Drawn once: red readouts of fixed height; side B one-sided after side A.
    auto drawn = [&](bool a, bool b) {
        const FloatPoint none{-32000, -32000};
        gSelectedWallSegmentStartPtSideA = a ? FloatPoint{200, 0} : none, gSelectedWallSegmentEndPtSideA = a ? FloatPoint{200, -100} : none;
        gSelectedWallSegmentStartPtSideB = b ? FloatPoint{200, 0} : none, gSelectedWallSegmentEndPtSideB = b ? FloatPoint{200, 100} : none;
        context.ops.clear();
        ApplePortDrawDimensionWallSegmentSelection();
        int extensions = 0, readouts = 0;  // extension lines lie across the vertical dimension
        for (const DrawnOp& op : context.ops) {
            extensions += op.kind == Kind::Stroke && op.path.bounds().height == 0;
            if (op.kind != Kind::TextAt) continue;
            ++readouts;
            EXPECT_TRUE(Near({op.height, op.state.fill.red, op.state.fill.green}, {12, 1, 0}));
        }
        EXPECT_EQ(stored(), (std::vector<double>(8, -32000)));
        return std::pair(extensions, readouts);
    };
    const auto [onlyA, textA] = drawn(true, false);
    const auto [onlyB, textB] = drawn(false, true);
    const auto [both, texts] = drawn(true, true);
    EXPECT_TRUE(Near({textA, textB, texts, onlyA, onlyB, both}, {1, 1, 2, 2, 2, 3}));

    // Clearing answers whether anything was shown; without a plan view it still empties.
    SetMainWindowDocumentViewHandler(nullptr);
    gSelectedWallSegmentEndPtSideB = {5, 5};
    EXPECT_EQ(ClearDimensionWallSegmentSelection(), 1);
    EXPECT_EQ(ClearDimensionWallSegmentSelection(), 0);
}

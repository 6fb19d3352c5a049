// Handles, the transform box and selection feedback as recorded, at zoom 1 and scale 72: seen
// from above a plan point (h, d) is the view point (h, d).
#include <gtest/gtest.h>

#include <cmath>

#include "app/core/main_window_seams.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/selection_ops.h"
#include "plan/dynamic_draw_engine.h"
#include "plan/handles.h"
#include "plan/plan_frame.h"
#include "model/plan_objects.h"
#include "plan/selection_feedback.h"
#include "support/build.h"
#include "support/drawing_doubles.h"
#include "tracking/tracking_state.h"

namespace {

using namespace dvxtest;
using Kind = DrawnOp::Kind;
using Doubles = std::vector<double>;
const RECT kAnyRect{};

const port::Color kIndicator = port::systemColors().keyboardFocusIndicatorColor();

class HandlesTest : public SelectionTest {
protected:
    void SetUp() override {
        SelectionTest::SetUp();
        SetMainWindowDocumentViewHandler([this] { return &view; });
        gCurTool = toolid::kSelect;
    }
    // Square handles, then the transform box's edges and closed faces; the record is cleared.
    Doubles Look() {
        Doubles s{0, 0, 0};
        for (const DrawnOp& op : context.ops) {
            s[0] += op.kind == Kind::Fill && op.path.bounds().width == 7 && op.state.fill == kIndicator;
            if (op.kind != Kind::Stroke || op.state.lineWidth != 2 || op.state.stroke != kIndicator) continue;
            for (const auto& e : op.path.elements())
                s[1] += e.kind == port::Path::Kind::Move, s[2] += e.kind == port::Path::Kind::Close;
        }
        context.ops.clear();
        return s;
    }
    Doubles Handles() { return DrawAllLayerHandles(doc->itsLayers, &kAnyRect), Look(); }
    Objex* Box(Float3DRect b, int16_t type = objtype::kPolygon, int32_t subtype = 0) {
        Make o(Shape(floor, type, {{b.floatLeft, b.floatBack}, {b.floatRight, b.floatFront}}, false, subtype));
        return o->bounds3D = b, o.select();
    }
    RecordingContext context;
    port::DrawingScope scope{context};
    FakeViewHost host;
    Base2DView view{&host};
};

TEST_F(HandlesTest, FrameHandlesFollowTheViewAndTheBoxShape) {
    const Float3DRect tall{-50, 0, 0, 0, 100, 80}, flat{0, 0, 0, 0, 100, 80};
    const struct { float x, y; Float3DRect box; int16_t type, subtype; Doubles seen; } rows[] = {
        {90, 0, tall, objtype::kPolygon, 0, {4, 1, 1}},  // plan: the top face
        {0, 0, tall, objtype::kPolygon, 0, {8, 12, 0}}, {30, 45, tall, objtype::kPolygon, 0, {8, 12, 0}},
        {30, 45, flat, objtype::kPolygon, 0, {4, 1, 1}}, {30, 45, {-0.4f, 0, 0, 0, 100, 80}, objtype::kPolygon, 0, {4, 1, 1}},
        {30, 45, {-50, 0, 0, 0, 0, 80}, objtype::kPolygon, 0, {4, 4, 0}}, {30, 45, {-50, 0, 0, 0, 100, 0}, objtype::kPolygon, 0, {4, 4, 0}},
        {30, 45, tall, objtype::kEnhancedText, 0, {0, 0, 0}}, {30, 45, tall, objtype::kDetail, 3, {0, 0, 0}},
        {30, 45, flat, objtype::kOldText, 0, {4, 0, 0}},
    };
    for (const auto& row : rows) {
        SetView(row.x, row.y);
        Objex* o = Box(row.box, row.type, row.subtype);
        EXPECT_EQ(Handles(), row.seen) << row.x << " " << row.type;
        Make(o).select(0);
    }
    Make(Shape(floor, objtype::kRoof, {{0, 0}, {100, 0}, {100, 100}}, true)).select();  // labelled points
    DrawAllLayerHandles(doc->itsLayers, &kAnyRect);
    int labels = 0;
    for (const DrawnOp& op : context.ops) labels += op.text.rfind("Elev: ", 0) == 0;
    EXPECT_EQ(labels, 3);
    context.ops.clear();
    SetPlanView();  // a 7 x 7 square from 3 left and above, outlined in black
    PlotHandle(nullptr, 10, 0, 20, 1);
    const port::Rect r = context.ops.at(0).path.bounds();
    EXPECT_TRUE(Near({r.x, r.y, r.width, r.height, context.ops.at(1).state.stroke.blue}, {7, 17, 7, 7, 0}));
}

TEST_F(HandlesTest, HandlesOnlyWithoutFeedbackOnVisibleLayersAndTheBoxInTheEngineWhileTransforming) {
    Box({-50, 0, 0, 0, 100, 80});
    QMDDynamicDrawEngine& engine = *view.dynamicDrawEngine;
    auto frame = [&] { return view.draw3D({-500, -500, 1000, 1000}, drawflag::kAll), Look()[0]; };
    EXPECT_EQ(frame(), 4);
    engine.appendLineToActivePathWithStartPoint({0, 0}, {5, 5});
    EXPECT_EQ(frame(), 0);
    engine.removePointsFromAllPaths();
    const PlatformRect box{0, 0, 20, 12};
    const LOGFONT font{};
    engine.addDynamicDimElement(std::unique_ptr<QMDDynamicDimElement>((new QMDDynamicDimElement)->initDynaimcDimElementTextRect(&box, "1", &font)));
    EXPECT_EQ(frame(), 0);
    engine.removeAllDynamicDimElements();
    floor->visible = 0;
    EXPECT_EQ(frame(), 0);
    floor->visible = 1;  // a whole-object tool: a group's box, not its members'
    Objex* a = Make(Shape(floor, objtype::kLine, {{200, 0}, {300, 0}})).select();
    Group(floor, {a, Make(Shape(floor, objtype::kPolygon, {{200, 50}, {300, 90}})).select()});
    EXPECT_EQ(Handles(), (Doubles{8, 2, 2}));
    const Float3DRect b{-50, 0, 0, 0, 100, 80};
    gTransformationDrawing = 1;
    DrawCube(nullptr, &b);
    EXPECT_TRUE(Near({context.ops.size(), engine.dynamicTransformArray.size()}, {0, 1}));
    engine.strokeAllPaths();
    EXPECT_EQ(Look(), (Doubles{0, 1, 1}));
    SetMainWindowDocumentViewHandler(nullptr);
    DrawCube(nullptr, &b);  // no plan view: nowhere to draw
    EXPECT_TRUE(context.ops.empty());
}

TEST_F(HandlesTest, PointToolsHandleSelectedPointsAndTraceSelectionLines) {
    gCurTool = toolid::kPointEdit;
    Objex* wall = Wall(floor, {{0, 0}, {400, 0}, {400, 300}});
    Objex* door = Make(Shape(wall, objtype::kDoor, {{50, 0}, {90, 0}})).select();
    Make(Shape(wall, objtype::kWindow, {{200, 0}, {260, 0}})).select();
    PointAt(wall, 1)->selected = 1;
    DrawAllLayerHandles(doc->itsLayers, &kAnyRect);
    Doubles lines;  // along the wall
    for (const DrawnOp& op : context.ops)
        if (op.kind == Kind::Stroke && op.path.bounds().height == 0) lines.push_back(op.path.bounds().width);
    EXPECT_EQ(lines, (Doubles{40, 60}));
    EXPECT_EQ(Look()[0], 1 + 2 + 2);  // the wall's selected point and the openings' own
    auto traced = [&](Objex* o) {
        DrawSelectionLine(o);
        Doubles ends;
        for (const DrawnOp& op : context.ops)
            for (const auto& e : op.path.elements()) ends.insert(ends.end(), {e.p[0], e.p[1]});
        context.ops.clear();
        return ends;
    };
    EXPECT_EQ(traced(Shape(floor, objtype::kPolygon, {{0, 0}, {10, 0}, {10, 20}}, true)), (Doubles{0, 0, 10, 0, 10, 0, 10, 20, 10, 20, 0, 0}));
    const double x = std::trunc(100.5 - 30 * std::sqrt(0.5)), y = std::trunc(0.5 + 30 * std::sqrt(0.5));
    EXPECT_EQ(traced(Shape(floor, objtype::kSlopeArrow, {{0, 0}, {100, 0}})), (Doubles{0, 0, 100, 0, 100, 0, x, y, 100, 0, x, 1 - y}));
    Make(door).select(0);
    SelectObjectPoint(door->firstPoint, door, selmode::kSelect, 1);
    EXPECT_EQ(context.ops.size(), 1u);
}

TEST_F(HandlesTest, KeyEntryHandlesAlternateFromStartUpAcrossRedraws) {
    gCurTool = toolid::kKeyEntry;
    Objex* line = Make(Shape(floor, objtype::kLine, {{0, 0}, {50, 0}, {100, 0}})).select();
    Doubles seen;  // red 1, green -1; then the marks
    for (int pass = 0; pass < 2; ++pass) {
        Handles();  // each point keeps the flag its handle took
        for (int i = 0; i < 3; ++i) seen.push_back(objfield::point::kKeyEntryMark(*PointAt(line, i)));
    }
    EXPECT_EQ(seen, (Doubles{1, -1, 1, -1, 1, -1}));
    DrawKeyEntryPointHandle(PointAt(line, 0), 1);
    const port::Rect round = context.ops.at(0).path.bounds();
    EXPECT_TRUE(Near({round.x, round.y, round.width, context.ops[0].state.fill.red}, {-4, -4, 9, 1}));
    context.ops.clear();
    gCurTool = toolid::kPointEdit;  // a wall point: only its handle; a topography point also its label
    DrawPointHandle(PointAt(Wall(floor, {{0, 0}, {10, 0}}), 0), 1);
    Objex* topo = Shape(floor, objtype::kTopography, {{0, 0}, {10, 0}});
    objfield::topo_line::kHeight(*topo) = 10;
    DrawPointHandle(topo->firstPoint, 1);
    ASSERT_EQ(context.ops.size(), 5u);
    EXPECT_EQ(context.ops[4].text.rfind("Ascend: ", 0), 0u);
}

TEST_F(HandlesTest, WallSegmentClearancesRunCentreToCentreAndShowOnce) {
    Objex* wall = Make(Wall(floor, {{0, 0}, {400, 0}})).select();
    auto stored = [] {
        Doubles out;
        for (const FloatPoint* p : {&gSelectedWallSegmentStartPtSideA, &gSelectedWallSegmentEndPtSideA,
                                    &gSelectedWallSegmentStartPtSideB, &gSelectedWallSegmentEndPtSideB})
            out.insert(out.end(), {std::round(p->floatH), std::round(p->floatV)});
        return out;
    };
    const double e = -32000;
    const struct { float a, b; Doubles stored, shown; } rows[] = {  // shown: extension lines, red readouts
        {-100, 100, {200, 0, 200, -100, 200, 0, 200, 100}, {3, 2}},  // side B one-sided after side A
        {-8, 100, {e, e, e, e, 200, 0, 200, 100}, {2, 1}},            // 10 or nearer: empty
        {0, 0, Doubles(8, e), {0, 0}}};
    for (const auto& row : rows) {
        std::vector<Objex*> near;
        for (float d : {row.a, row.b}) if (d) near.push_back(Wall(floor, {{-50, d}, {450, d}}));
        DrawDimensionWallSegmentSelection(wall, PointAt(wall, 0), PointAt(wall, 1), 200, 30);
        EXPECT_EQ(stored(), row.stored) << row.a;
        ApplePortDrawDimensionWallSegmentSelection();
        Doubles shown{0, 0};
        for (const DrawnOp& op : context.ops) {
            shown[0] += op.kind == Kind::Stroke && op.path.bounds().height == 0;  // across the dimension
            if (op.kind == Kind::TextAt) shown[1] += Near({op.height, op.state.fill.red, op.state.fill.green}, {12, 1, 0});
        }
        context.ops.clear();
        EXPECT_TRUE(shown == row.shown && stored() == Doubles(8, e)) << row.a;
        for (Objex* o : near) o->type = objtype::kLine;  // out of the next row's way
    }
    SetMainWindowDocumentViewHandler(nullptr);  // no plan view: still emptied
    gSelectedWallSegmentEndPtSideB = {5, 5};
    EXPECT_TRUE(Near({ClearDimensionWallSegmentSelection(), ClearDimensionWallSegmentSelection()}, {1, 0}));
}

}  // namespace

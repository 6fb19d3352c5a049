// Detail shapes and text objects as drawn into the recording context, seen from above at
// zoom 1 and scale 72: a plan point (h, d) is the view point (h, d).
#include <gtest/gtest.h>

#include "app/core/main_window_seams.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/duplicate.h"
#include "model/hit_testing.h"
#include "model/object_fields.h"
#include "model/shape_path.h"
#include "model/transforms.h"
#include "plan/detail_objects.h"
#include "plan/plan_frame.h"
#include "plan/text_objects.h"
#include "support/build.h"
#include "support/drawing_doubles.h"

namespace {

using dvxtest::DrawnOp;
using dvxtest::Make;
using dvxtest::PointAt;
using Kind = port::Path::Kind;
const RECT kAnywhere{-1000, -1000, 1000, 1000};

// Every text but the empty one measures 40 x 12.
struct FixedMetrics : dvxtest::RecordingContext {
    std::optional<port::Size> measureText(std::string_view text, const LOGFONT&) override {
        return text.empty() ? port::Size{0, 0} : port::Size{40, 12};
    }
};

class DetailAndText : public dvxtest::DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        dvxtest::SetPlanView();
        ds = doc->itsDocState;
        ds->zoomFactor = 1, ds->planScale = 72, ds->curveSegments = 10;
        SetMainWindowDocumentViewHandler([this] { return &view; });
    }
    Objex* Square(int16_t pattern, bool closed = true) {
        Objex* o = Make(objtype::kDetail, 1).on(doc->itsCurLayer).shown().closed(closed)
                       .plan({{0, 0}, {100, 0}, {100, 100}, {0, 100}}).bounds();
        o->fillPattern = pattern;
        return o;
    }
    static int Count(const port::Path& path, Kind kind) {
        int n = 0;
        for (const auto& e : path.elements()) n += e.kind == kind;
        return n;
    }
    static const ShapePathObject* Kept(const Objex* o) { return dynamic_cast<const ShapePathObject*>(o->platformObject); }

    DocState* ds = nullptr;
    FixedMetrics context;
    port::DrawingScope scope{context};
    dvxtest::FakeViewHost host;
    Base2DView view{&host};
};

TEST_F(DetailAndText, DetailShapesAreStrokedOrFilledAndKeepTheirFilledOutline) {
    struct Row { bool closed; int16_t pattern; bool kept; };
    for (const Row& row : {Row{true, 0, false}, Row{false, 2, false}, Row{true, 2, true}}) {
        Objex* o = Square(row.pattern, row.closed);
        context.ops.clear();
        DrawObject(nullptr, o, &kAnywhere, 1, nullptr);
        ASSERT_FALSE(context.ops.empty());
        EXPECT_EQ(context.ops[0].kind, row.kept ? DrawnOp::Kind::Fill : DrawnOp::Kind::Stroke) << row.pattern;
        EXPECT_EQ(Kept(o) != nullptr, row.kept);
        if (!row.kept) EXPECT_EQ(Count(context.ops[0].path, Kind::Move), 1);  // one outline, one move-to
        EXPECT_EQ(gPolyPtCount, 0);
    }
}

TEST_F(DetailAndText, TheKeptOutlineIsReplacedReleasedNeverSharedAndHitInside) {
    Objex* o = Square(2);
    ApplePortDrawDetailObject(o, 1, nullptr);
    ApplePortDrawDetailObject(o, 1, nullptr);
    ASSERT_TRUE(Kept(o));
    EXPECT_EQ(Kept(o)->pointCount, 5);
    ClickInfo click = dvxtest::ClickAt(50, 50);
    EXPECT_TRUE(SelectFromObject(o, &click, 0, nullptr, 0));
    EXPECT_EQ(click.ciAreaHit, 1);
    Objex* copy = DuplicateObject(o, nullptr, nullptr, nullptr, 0, 0);
    ASSERT_TRUE(copy);
    EXPECT_FALSE(copy->platformObject);
    ApplePortDrawDetailObject(copy, 1, nullptr);
    DeleteObj(copy);
    o->fillPattern = 0;
    ApplePortDrawDetailObject(o, 1, nullptr);
    EXPECT_FALSE(o->platformObject);
}

TEST_F(DetailAndText, CurvesStepsWeightsAndSkippedTypes) {
    struct Row { int16_t steps; int pieces; };
    for (const Row& row : {Row{10, 10}, Row{5, 8}, Row{40, 20}}) {
        ds->curveSegments = row.steps;
        Objex* o = Make(objtype::kDetail, 1).at({{0, 0, 0, {}, {50, 0, 0}}, {100, 0, 0, {0, 0, 50}}});
        context.ops.clear();
        ApplePortDrawDetailObject(o, 1, nullptr);
        ASSERT_EQ(context.ops.size(), 1u);
        EXPECT_EQ(Count(context.ops[0].path, Kind::Line), row.pieces) << row.steps;
        DeleteObj(o);
    }
    Objex* thin = Square(0);
    thin->penWidth = 0;
    context.ops.clear();
    ApplePortDrawDetailObject(thin, 1, nullptr);
    ASSERT_EQ(context.ops.size(), 1u);
    EXPECT_EQ(context.ops[0].state.lineWidth, 0);
    for (int16_t type : {301, 302}) {
        thin->type = type;
        context.ops.clear();
        ApplePortDrawDetailObject(thin, 1, nullptr);
        EXPECT_TRUE(context.ops.empty()) << type;
    }
}

TEST_F(DetailAndText, AShearLeavesTextBoxesAlone) {
    TransformRecord shear;
    shear.values[xform::kStartH] = 100, shear.values[xform::kStartH + 2] = 100;
    shear.values[xform::kCurrentH] = 150, shear.values[xform::kCurrentH + 2] = 100;
    for (int16_t type : {objtype::kDetail, objtype::kOldText, objtype::kDimensionText}) {
        Objex* o = Make(type, 1).plan({{50, 50}, {60, 80}});
        port::Path path;
        ApplePortDrawDetailObjectSegment(o, o->firstPoint, o->firstPoint->next, drawflag::kShear, &shear, 0, 0, &path);
        gPolyPtCount = 0;
        const double x = path.elements().at(1).p[0], y = path.elements().at(1).p[1];
        EXPECT_EQ(x == 60 && y == 80, type != objtype::kDetail) << type;
        DeleteObj(o);
    }
}

TEST_F(DetailAndText, RotatedTextRefitsItsFrameStandardTextFillsItsBox) {
    Objex* text = Make(objtype::kText).text("words").plan({{0, 0}, {10, 0}, {100, 60}, {0, 60}});
    objfield::text_object::kAngle(*text) = 90;
    DrawTextDynamicObject(nullptr, text);
    EXPECT_EQ(objfield::text_object::kHalfWidth(*text), 20);
    const FloatRect& b = text->bounds;
    EXPECT_TRUE(dvxtest::Near({b.floatLeft, b.floatRight, b.floatTop, b.floatBottom}, {44, 56, 10, 50}, 1e-3));
    EXPECT_TRUE(dvxtest::Near({text->bounds3D.floatLeft, text->bounds3D.floatRight}, {44, 56}, 1e-3));
    ASSERT_FALSE(context.ops.empty());
    EXPECT_EQ(context.ops.back().kind, DrawnOp::Kind::TextAt);

    Objex* empty = Make(objtype::kText).text("").plan({{0, 0}, {10, 0}, {100, 60}, {0, 60}}).bounds();
    const FloatRect before = empty->bounds;
    context.ops.clear();
    DrawTextDynamicObject(nullptr, empty);
    EXPECT_TRUE(context.ops.empty());
    EXPECT_TRUE(dvxtest::Near({PointAt(empty, 2)->position[0], empty->bounds.floatRight}, {100, before.floatRight}));

    std::vector<port::Rect> boxes;
    for (dvxtest::PlanPoints corners : {dvxtest::PlanPoints{{10, 20}, {110, 20}, {110, 70}, {10, 70}},
                                        dvxtest::PlanPoints{{110, 70}, {10, 70}, {10, 20}, {110, 20}}}) {
        Objex* standard = Make(objtype::kEnhancedText).on(doc->itsCurLayer).shown().text("box").plan(corners);
        context.ops.clear();
        DrawObject(nullptr, standard, &kAnywhere, 1, nullptr);
        for (const DrawnOp& op : context.ops)
            if (op.kind == DrawnOp::Kind::TextInRect) boxes.push_back(op.rect);
    }
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_TRUE(dvxtest::Near({boxes[0].x, boxes[0].y, boxes[0].width}, {boxes[1].x, boxes[1].y, boxes[1].width}));
}

}  // namespace

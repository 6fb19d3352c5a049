// Detail shapes, text objects, wall components with their symbols, slope arrows, point labels
// and roofs as drawn into the recording context (text 7 x 12 a character, "40x12" 40 x 12),
// seen from above at zoom 1 and scale 72: a plan point (h, d) is the view point (h, d).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "app/core/main_window_seams.h"
#include "files/symbol_lists.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/duplicate.h"
#include "model/hit_testing.h"
#include "model/object_fields.h"
#include "model/readouts.h"
#include "model/shape_path.h"
#include "model/transforms.h"
#include "plan/detail_objects.h"
#include "plan/dynamic_draw_engine.h"
#include "plan/plan_frame.h"
#include "plan/roofs.h"
#include "plan/slope_arrows.h"
#include "plan/text_objects.h"
#include "support/build.h"
#include "support/drawing_doubles.h"

namespace {

using dvxtest::DrawnOp;
using dvxtest::Make;
using dvxtest::PointAt;
using Kind = port::Path::Kind;
using Seg = std::vector<double>;  // x1, y1, x2, y2; made whole by adding 0.5 and truncating
const RECT kAnywhere{-1000, -1000, 1000, 1000};

struct Metrics : dvxtest::RecordingContext {
    std::optional<port::Size> measureText(std::string_view text, const LOGFONT& lf) override {
        return text == "40x12" ? port::Size{40, 12} : RecordingContext::measureText(text, lf);
    }
};

class ShapesInPlan : public dvxtest::DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        dvxtest::SetPlanView();
        ds = doc->itsDocState;
        ds->zoomFactor = 1, ds->planScale = 72, ds->curveSegments = 10, ds->showDimensions = 1, ds->units = 3;
        SetMainWindowDocumentViewHandler([this] { return &view; });
    }
    // Lines stroked one at a time, or those of the paths of several lines.
    std::vector<Seg> Lines(bool single = true) const {
        std::vector<Seg> out;
        for (const DrawnOp& op : context.ops) {
            const auto& e = op.path.elements();
            if (op.kind != DrawnOp::Kind::Stroke || (e.size() == 2) != single) continue;
            for (size_t i = 0; i + 1 < e.size(); i += 2) out.push_back({e[i].p[0], e[i].p[1], e[i + 1].p[0], e[i + 1].p[1]});
        }
        return out;
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> out;
        for (const DrawnOp& op : context.ops) if (op.kind == DrawnOp::Kind::TextAt) out.push_back(op.text);
        return out;
    }
    void Draw(Objex* o) {
        context.ops.clear();
        DrawObject(nullptr, o, &kAnywhere, 1, nullptr);
    }
    static double Length(const Seg& s) { return std::hypot(s[2] - s[0], s[3] - s[1]); }
    static int Count(const port::Path& path, Kind kind) {
        return static_cast<int>(std::count_if(path.elements().begin(), path.elements().end(), [&](auto& e) { return e.kind == kind; }));
    }
    static const ShapePathObject* Kept(const Objex* o) { return dynamic_cast<const ShapePathObject*>(o->platformObject); }
    Objex* Square(int16_t pattern, bool closed = true) {
        Objex* o = Make(objtype::kDetail, 1).on(doc->itsCurLayer).shown().closed(closed).plan({{0, 0}, {100, 0}, {100, 100}, {0, 100}}).bounds();
        o->fillPattern = pattern;
        return o;
    }
    // A 30-deep component on a 4-inch wall from (0, 0) to (400, 0); its symbol a line across
    // its back, curved by an out-tangent.
    Objex* Tub(int32_t subtype, float width, uint8_t side, float tangent, int16_t rows) {
        gSymbol2DList = Make(subtype == 99 ? 99 : 95);
        Make(objtype::kLine).rows(rows).at({{-30, 0, -15, {}, {tangent, 0, 0}}, {30, 0, -15}}).in(gSymbol2DList);
        Objex* wall = Make(objtype::kWall).on(doc->itsCurLayer).plan({{0, 0}, {400, 0}});
        wall->penWidth = 4;
        Objex* c = dvxtest::Attach(wall, objtype::kComponent, PointAt(wall, 0), PointAt(wall, 1));
        Make(c).plan({{100, 0}, {160, 0}});
        c->subtype = subtype, c->visible = 1, c->planBits = 2;
        c->typeData.attachment->width = width, c->typeData.attachment->height = 30, c->typeData.attachment->sideFlag = side;
        return c;
    }

    DocState* ds = nullptr;
    Metrics context;
    port::DrawingScope scope{context};
    dvxtest::FakeViewHost host;
    Base2DView view{&host};
};

TEST_F(ShapesInPlan, DetailShapesAreStrokedOrFilledAndKeepTheirFilledOutline) {
    struct Row { bool closed; int16_t pattern; bool kept; };
    for (const Row& row : {Row{true, 0, false}, Row{false, 2, false}, Row{true, 2, true}}) {
        Objex* o = Square(row.pattern, row.closed);
        Draw(o);
        EXPECT_EQ(context.ops.at(0).kind, row.kept ? DrawnOp::Kind::Fill : DrawnOp::Kind::Stroke) << row.pattern;
        EXPECT_EQ(Count(context.ops[0].path, Kind::Move), 1);  // one outline, one move-to
        EXPECT_EQ(Kept(o) != nullptr, row.kept);
    }
    Objex* o = Square(2);
    for (int i = 0; i < 2; ++i) ApplePortDrawDetailObject(o, 1, nullptr);  // replaced
    ASSERT_TRUE(Kept(o) && Kept(o)->pointCount == 5);
    ClickInfo click = dvxtest::ClickAt(50, 50);
    EXPECT_TRUE(SelectFromObject(o, &click, 0, nullptr, 0) && click.ciAreaHit);
    Objex* copy = DuplicateObject(o, nullptr, nullptr, nullptr, 0, 0);
    EXPECT_FALSE(copy->platformObject);
    ApplePortDrawDetailObject(copy, 1, nullptr), DeleteObj(copy);
    o->fillPattern = 0, ApplePortDrawDetailObject(o, 1, nullptr);
    EXPECT_FALSE(o->platformObject);
}

TEST_F(ShapesInPlan, DetailCurvesShearsWeightsAndSkippedTypes) {
    struct Row { int16_t steps; int pieces; };
    for (const Row& row : {Row{10, 10}, Row{5, 8}, Row{40, 20}}) {
        ds->curveSegments = row.steps;
        Objex* o = Make(objtype::kDetail, 1).at({{0, 0, 0, {}, {50, 0, 0}}, {100, 0, 0, {0, 0, 50}}}).on(doc->itsCurLayer);
        ApplePortDrawDetailObject(o, 1, nullptr);
        EXPECT_EQ(Count(context.ops.back().path, Kind::Line), row.pieces) << row.steps;
    }
    TransformRecord shear;
    shear.values[xform::kStartH] = shear.values[xform::kStartH + 2] = shear.values[xform::kCurrentH + 2] = 100;
    shear.values[xform::kCurrentH] = 150;
    for (int16_t type : {objtype::kDetail, objtype::kOldText, objtype::kDimensionText}) {
        Objex* o = Make(type, 1).plan({{50, 50}, {60, 80}}).on(doc->itsCurLayer);
        port::Path path;
        ApplePortDrawDetailObjectSegment(o, o->firstPoint, o->firstPoint->next, drawflag::kShear, &shear, 0, 0, &path);
        gPolyPtCount = 0;
        EXPECT_EQ(path.elements().at(1).p[0] == 60 && path.elements().at(1).p[1] == 80, type != objtype::kDetail) << type;
    }
    Objex* thin = Square(0);
    thin->penWidth = 0, Draw(thin);
    EXPECT_EQ(context.ops.at(0).state.lineWidth, 0);
    for (int16_t type : {301, 302}) {
        thin->type = type, context.ops.clear();
        ApplePortDrawDetailObject(thin, 1, nullptr);
        EXPECT_TRUE(context.ops.empty()) << type;
    }
}

TEST_F(ShapesInPlan, RotatedTextRefitsItsFrameStandardTextFillsItsBox) {
    Objex* text = Make(objtype::kText).on(doc->itsCurLayer).text("40x12").plan({{0, 0}, {10, 0}, {100, 60}, {0, 60}});
    objfield::text_object::kAngle(*text) = 90;
    DrawTextDynamicObject(nullptr, text);
    const FloatRect& b = text->bounds;
    EXPECT_TRUE(dvxtest::Near({b.floatLeft, b.floatRight, b.floatTop, b.floatBottom, text->bounds3D.floatLeft,
                               objfield::text_object::kHalfWidth(*text)}, {44, 56, 10, 50, 44, 20}, 1e-3));
    EXPECT_EQ(Texts(), std::vector<std::string>{"40x12"});

    Objex* empty = Make(objtype::kText).on(doc->itsCurLayer).text("").plan({{0, 0}, {10, 0}, {100, 60}, {0, 60}}).bounds();
    context.ops.clear(), DrawTextDynamicObject(nullptr, empty);
    EXPECT_TRUE(context.ops.empty());
    EXPECT_TRUE(dvxtest::Near({PointAt(empty, 2)->position[0], empty->bounds.floatRight}, {100, 100}));

    std::vector<port::Rect> boxes;
    for (dvxtest::PlanPoints corners : {dvxtest::PlanPoints{{10, 20}, {110, 20}, {110, 70}, {10, 70}},
                                        dvxtest::PlanPoints{{110, 70}, {10, 70}, {10, 20}, {110, 20}}}) {
        Draw(Make(objtype::kEnhancedText).on(doc->itsCurLayer).shown().text("box").plan(corners));
        for (const DrawnOp& op : context.ops) if (op.kind == DrawnOp::Kind::TextInRect) boxes.push_back(op.rect);
    }
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_TRUE(dvxtest::Near({boxes[0].x, boxes[0].y, boxes[0].width}, {boxes[1].x, boxes[1].y, boxes[1].width}));
}

TEST_F(ShapesInPlan, ComponentsStandAgainstTheirWallFaceScaledToTheirSize) {
    struct Row { int32_t subtype; float width; uint8_t side; float tangent; int16_t rows; Seg line; size_t lines, texts; };
    for (const Row& row : {Row{95, 60, 0, 0, 1, {100, -12.5, 160, -12.5}, 1, 2}, Row{95, 72, 0, 0, 1, {94, -12.5, 166, -12.5}, 1, 2},
                           Row{95, 60, 1, 0, 1, {160, 12.5, 100, 12.5}, 1, 2}, Row{99, 60, 0, 0, 1, {100, -12.5, 160, -12.5}, 1, 0},
                           Row{56, 60, 0, 0, 1, {}, 0, 0}, Row{95, 60, 0, 0, 2, {}, 0, 2}, Row{95, 60, 0, 40, 1, {}, 8, 2}}) {
        FreeSymbolLists();
        Draw(Tub(row.subtype, row.width, row.side, row.tangent, row.rows));
        const std::vector<Seg> lines = Lines();
        const std::vector<std::string> texts = Texts();
        ASSERT_EQ(lines.size(), row.lines) << row.subtype << " " << row.width;
        ASSERT_EQ(texts.size(), row.texts);
        if (!row.line.empty()) { EXPECT_TRUE(dvxtest::Near({lines[0][0], lines[0][1], lines[0][2], lines[0][3]},
                                                           {row.line[0], row.line[1], row.line[2], row.line[3]}, 0.51)); }
        if (row.texts) { EXPECT_TRUE(texts[0].find("Lx") != texts[0].npos && texts[0].back() == 'W' && texts[1] == "Tub/Shower"); }
    }
    FreeSymbolLists();
}

TEST_F(ShapesInPlan, SlopeArrowsHaveTheirBarbsBarsAndTexts) {
    using Routine = void (*)(void*, const Objex*);
    struct Row { int16_t type; Routine draw; int16_t units; uint8_t dimensions; double barb, across; std::vector<std::string> texts; };
    const std::string descent = std::string("Descent: 5") + static_cast<char>(0xBC);
    const double roof = std::sqrt(0.5);
    for (const Row& row : {Row{objtype::kSlopeArrow, DrawRoofSlopeDirectionArrow, 3, 1, 30, roof, {"", "12"}},
                           Row{objtype::kSlopeArrow, DrawRoofSlopeDirectionArrow, 1, 1, 30, roof, {"", "10"}},
                           Row{objtype::kEntireLot, DrawTopoSlopeDirectionArrow, 3, 1, 150, 0.5, {"Elevation=0", descent, "399"}},
                           Row{objtype::kSlopeLot, DrawTopoMultiSlopeDirectionArrow, 3, 0, 75, 0.5, {"Elevation=0", descent, "199", "399"}},
                           Row{objtype::kFoundationSlope, DrawFoundationSlope, 3, 1, 50, 0.5, {"Slope"}}}) {
        ds->units = row.units, ds->showDimensions = row.dimensions;
        Objex* arrow = Make(row.type).on(doc->itsCurLayer).plan({{0, 0}, {400, 0}});
        objfield::lot_point::Descent(*arrow->firstPoint) = 5, objfield::roof::kPitch(*arrow) = 6;
        context.ops.clear(), row.draw(nullptr, arrow);
        std::vector<Seg> lines = Lines();
        ASSERT_GE(lines.size(), 3u) << row.type;
        for (const Seg& barb : {lines[1], lines[2]})  // back from the tip
            EXPECT_TRUE(dvxtest::Near({Length(barb), std::fabs(barb[1] - barb[3]) / Length(barb)}, {row.barb, row.across}, 1.5)) << row.type;
        std::vector<std::string> want = row.texts, got = Texts();  // then the bars' lengths
        for (size_t i = 3; i < lines.size(); ++i) got.push_back(std::to_string(std::lround(Length(lines[i]))));
        char pitch[kReadoutSize] = {};
        ConvertPitchToStr(6, pitch);
        if (want[0].empty()) want[0] = pitch;
        EXPECT_EQ(got, want) << row.type;
    }
}

TEST_F(ShapesInPlan, PointLabelsReadTheirHeights) {
    Objex* topo = Make(objtype::kTopography).line(5).shown().on(doc->itsCurLayer);
    Layer topography;
    topo->layer = doc->itsTopoLayer = &topography;  // labelled there only: 2nd, 4th and last points
    objfield::topo_line::kHeight(*topo) = 0;
    Draw(topo);
    topo->layer = doc->itsCurLayer, doc->itsTopoLayer = nullptr;
    ASSERT_EQ(Texts().size(), 3u);
    EXPECT_EQ(Texts()[0].rfind("Descend: ", 0), 0u);

    Objex* slab = Make(objtype::kPanelSlab).at({{0, -24, 0}, {10, -12, 0}});
    Objex* roof = Make(objtype::kFreehandRoof).on(doc->itsCurLayer).panels(slab).plan({{0, 0}, {10, 0}, {10, 10}});
    roof->elevation = 100;
    for (int16_t downward : {1, 0}) {
        char elevation[kReadoutSize] = {};
        ConvertInchesToStr(downward ? 76 : 124, elevation);
        objfield::freehand_roof::kHeightsDownward(*roof) = downward, context.ops.clear();
        for (int i = 0; i < 3; ++i) DrawRoofPointElevation(nullptr, roof, PointAt(roof, i));
        ASSERT_EQ(Texts().size(), 2u);  // the record has two points
        EXPECT_EQ(Texts()[0], std::string("Elev: ") + elevation);
    }

    Objex* lot = Make(objtype::kEntireLot).on(doc->itsCurLayer).plan({{0, 0}, {10, 0}});
    objfield::lot_point::Descent(*lot->firstPoint) = 7;
    DrawTopoSlopeElevation(nullptr, lot, lot->firstPoint);
    ASSERT_EQ(view.dynamicDrawEngine->dynamicDimArray.size(), 1u);
    EXPECT_EQ(view.dynamicDrawEngine->dynamicDimArray[0]->dimensionText.get(), std::string("Descent: 7") + static_cast<char>(0xA1));
}

TEST_F(ShapesInPlan, RoofsDrawTheirEdgesRidgeReadoutsAndArrows) {
    struct Row { int32_t style; float depth; uint8_t dimensions; size_t lines; Seg ridge; size_t readouts; std::vector<Seg> arrows; };
    for (const Row& row : {
             Row{2, 200, 1, 9, {0, 100, 400, 100}, 7, {{200, 110, 200, 190}, {200, 90, 200, 10}}},
             Row{1, 200, 1, 9, {100, 100, 300, 100}, 9, {{200, 110, 200, 190}, {200, 90, 200, 10}, {90, 100, 10, 100}, {310, 100, 390, 100}}},
             Row{6, 200, 1, 7, {-99, 100, 500, 100}, 7, {{200, 110, 200, 190}, {200, 90, 200, 10}}},
             Row{2, 100, 1, 9, {0, 50, 400, 50}, 7, {{200, 35, 200, 115}, {200, 65, 200, -14}}},
             Row{2, 200, 0, 9, {0, 100, 400, 100}, 0, {{200, 110, 200, 190}, {200, 90, 200, 10}}},
             Row{0, 200, 1, 7, {0, 100, 400, 100}, 7, {}}}) {
        for (bool fifth : {false, true}) {
            Objex* roof = Make(objtype::kRoof).on(doc->itsCurLayer).shown().plan({{0, 0}, {400, 0}, {400, row.depth}, {0, row.depth}});
            if (fifth) Make(roof).plan({{200, 900}});  // ignored
            objfield::roof::kStyle(*roof) = row.style, objfield::roof::kPitch(*roof) = 6, ds->showDimensions = row.dimensions;
            Draw(roof);
            const std::vector<Seg> lines = Lines(false), arrows = Lines();
            ASSERT_EQ(lines.size(), row.lines) << row.style;
            EXPECT_EQ(lines.back(), row.ridge) << row.style;
            const std::vector<std::string> texts = Texts();
            ASSERT_EQ(texts.size(), row.readouts + 2 * row.arrows.size()) << row.style;
            EXPECT_EQ(std::count_if(texts.begin(), texts.end(), [](auto& t) { return t.find(", RidgeHt=") != t.npos; }), row.dimensions);
            ASSERT_EQ(arrows.size(), 3 * row.arrows.size()) << row.style;
            for (size_t i = 0; i < row.arrows.size(); ++i) EXPECT_EQ(arrows[3 * i], row.arrows[i]) << row.style << " " << i;
        }
    }
    Objex* panel = Make(objtype::kRoofPanel).on(doc->itsCurLayer).closed().plan({{0, 0}, {300, 0}, {300, 200}, {0, 200}});
    for (int32_t flag : {0, 1}) {
        panel->firstPoint->segmentFlags = flag, context.ops.clear();
        Draw2DRoofPanel(nullptr, panel);
        EXPECT_EQ(Texts().size(), 4u - flag);
    }
}

}  // namespace

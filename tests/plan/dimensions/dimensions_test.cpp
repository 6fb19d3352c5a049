// End marks, dimension lines with their readouts, and the dimension objects, as drawn into
// the recording context (text measures 7 units a character by 12) and the rubber-band engine.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/core/main_window_seams.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "model/readouts.h"
#include "model/transforms.h"
#include "model/type_data.h"
#include "plan/base_2d_view.h"
#include "plan/dimensions/arrowheads.h"
#include "plan/dimensions/dimension_lines.h"
#include "plan/plan_objects.h"
#include "support/drawing_doubles.h"
#include "support/fixture.h"
#include "support/model_builders.h"

namespace {

using dvxtest::DrawnOp;
using Coords = std::vector<double>;
using Kind = DrawnOp::Kind;
const port::Color kBackground{0, 0, 1, 1}, kWhite{1, 1, 1, 1}, kRed{1, 0, 0, 1};

class DimensionsTest : public dvxtest::DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        ds = doc->itsDocState;
        ds->zoomFactor = 1.0f;
        ds->font.lfHeight = -16;
        ds->backgroundColor = {0, 0, 65535};
        SetMainWindowDocumentViewHandler([this] { return &view; });
    }
    void TearDown() override {
        for (Objex* o : made) DeleteObj(o);
        DocumentTest::TearDown();
    }
    Objex* Make(int16_t type, int32_t subtype, std::initializer_list<std::pair<float, float>> points) {
        Objex* o = made.emplace_back(dvxtest::NewObject(type, subtype));
        dvxtest::AddPoints(o, static_cast<int>(points.size()));
        Poinz* p = o->firstPoint;
        for (auto [h, d] : points) p->position[0] = h, p->position[2] = d, p = p->next;
        return o;
    }
    // A horizontal dimension from (h1, 100) to (h2, 100), side non-zero (above), offset 5.
    void Line(float h1, float h2, uint8_t dynamic = 0, uint8_t oneSided = 0, const char* extra = nullptr,
              bool noOffset = false) {
        (noOffset ? DrawDimensionLineNoOffset : DrawDimensionLine)(nullptr, h1, 100, h2, 100, h1, 100, h2, 100, 1, 5,
                                                                   dynamic, this, this, 0, oneSided, 5, 0, extra);
    }
    // Moves and lines of every path drawn, as x, y pairs; ovals by their bounds.
    static Coords Points(const port::Path& path) {
        Coords out;
        if (!path.empty() && path.elements()[1].kind == port::Path::Kind::Curve) {
            const port::Rect b = path.bounds();
            return {b.x, b.y, b.width, b.height};
        }
        for (const auto& e : path.elements())
            if (e.kind != port::Path::Kind::Close) out.insert(out.end(), {e.p[0], e.p[1]});
        return out;
    }
    std::vector<Kind> Kinds() const {
        std::vector<Kind> out;
        for (const DrawnOp& op : context.ops) out.push_back(op.kind);
        return out;
    }
    const DrawnOp& Text() const { return context.ops.back(); }
    static std::string Readout(float plan) {
        char out[kReadoutSize] = {};
        ConvertInchesToStr(ConvertScreenToWorld(plan, CurrentDocState(), 0), out);
        return out;
    }

    DocState* ds = nullptr;
    dvxtest::RecordingContext context;
    port::DrawingScope scope{context};
    Base2DView view;
    QMDDynamicDrawEngine& engine = *view.dynamicDrawEngine;
    std::vector<Objex*> made;
};

TEST_F(DimensionsTest, ArrowheadFlagsPickOneMark) {
    // Tip (100, 100) pointing left; 12 cos 15 = 11.59 back, 12 sin 15 = 3.11 off the line.
    const struct { int32_t flags; std::vector<Kind> kinds; Coords points; } rows[] = {
        {0, {}, {}},
        {1 | 16, {Kind::Fill}, {100, 100, 112, 97, 112, 103}},
        {2, {Kind::Stroke}, {100, 100, 112, 97, 112, 103}},
        {4, {Kind::Stroke}, {100, 100, 112, 97, 100, 100, 112, 103}},
        {8, {Kind::Stroke}, {106, 94, 94, 106}},  // 9 at +45 and -135 degrees
        {16, {Kind::Stroke}, {94, 94, 106, 106}},
        {32, {Kind::Fill}, {98, 98, 5, 5}},        // radius 2
        {64, {Kind::Stroke}, {94, 94, 13, 13}},    // radius 6
        {1 | 128, {Kind::Fill}, {100, 100, 112, 97, 112, 103}},  // outside needs an object
    };
    for (const auto& row : rows) {
        context.ops.clear();
        DrawArrowhead(nullptr, nullptr, 100, 100, 200, 100, row.flags);
        ASSERT_EQ(Kinds(), row.kinds) << row.flags;
        if (!row.kinds.empty()) EXPECT_EQ(Points(context.ops[0].path), row.points) << row.flags;
    }

    const struct { int16_t type; std::vector<Kind> kinds; } outside[] = {
        {objtype::kDiameterDimension, {Kind::Stroke, Kind::Fill}}, {objtype::kAngleDimension, {Kind::Fill}}};
    for (const auto& row : outside) {
        context.ops.clear();
        DrawArrowhead(nullptr, Make(row.type, 0, {}), 100, 100, 200, 100, 1 | 128);
        ASSERT_EQ(Kinds(), row.kinds) << row.type;
        EXPECT_EQ(Points(context.ops.back().path), (Coords{100, 100, 88, 103, 88, 97}));  // beyond the tip
        if (row.kinds.size() == 2) EXPECT_EQ(Points(context.ops[0].path), (Coords{100, 100, 64, 100}));
    }

    context.ops.clear();
    gDynamicDrawing = 1;
    DrawArrowhead(nullptr, nullptr, 100, 100, 200, 100, 1);
    EXPECT_TRUE(context.ops.empty());
    EXPECT_EQ(Points(engine.primaryPath.path), (Coords{100, 100, 112, 97, 112, 103}));
    EXPECT_EQ(engine.primaryPath.path.elements().back().kind, port::Path::Kind::Close);
}

TEST_F(DimensionsTest, DimensionArrowsFollowTheirStyleAndZoomSwitch) {
    ds->zoomFactor = 3;
    const struct { int16_t style; uint8_t unzoomed; std::vector<Kind> kinds; Coords points; } rows[] = {
        {5086, 1, {Kind::Fill}, {100, 100, 112, 97, 112, 103}},
        {5086, 0, {Kind::Fill}, {100, 100, 135, 91, 135, 109}},
        {5092, 1, {Kind::Stroke}, {94, 94, 13, 13}},
        {5085, 0, {}, {}}, {5093, 1, {}, {}},
    };
    for (const auto& row : rows) {
        context.ops.clear();
        DrawDimensionArrow(nullptr, 100, 100, 200, 100, row.style, row.unzoomed);
        ASSERT_EQ(Kinds(), row.kinds) << row.style;
        if (!row.kinds.empty()) EXPECT_EQ(Points(context.ops[0].path), row.points) << row.style;
    }
}

TEST_F(DimensionsTest, ShortDimensionsShowTheReadoutAlone) {
    // Ticks (5089) at both ends; the readout's box sits across the line.
    const std::vector<Kind> full{Kind::Stroke, Kind::Stroke, Kind::Stroke, Kind::Stroke, Kind::Stroke, Kind::Fill,
                                 Kind::TextAt};
    const struct { float length; std::vector<Kind> kinds; double textY; } rows[] = {
        {71, {Kind::Fill, Kind::TextAt}, 85}, {72, full, 80}};
    for (const auto& row : rows) {
        context.ops.clear();
        Line(0, row.length);
        ASSERT_EQ(Kinds(), row.kinds) << row.length;
        EXPECT_EQ(Text().state.matrix.ty, row.textY) << row.length;
        EXPECT_EQ(Text().text, Readout(row.length));
        EXPECT_EQ(context.ops[context.ops.size() - 2].state.fill, kBackground);
    }
    EXPECT_EQ(Points(context.ops[0].path), (Coords{0, 92, 0, 73}));  // gap + 3 to offset + 22
    EXPECT_EQ(Points(context.ops[2].path), (Coords{0, 80, 72, 80}));
}

TEST_F(DimensionsTest, SwitchesSidesAndPrintingChangeWhatIsDrawn) {
    ds->showDimensions = 0;
    Line(0, 100);
    EXPECT_TRUE(context.ops.empty());
    Line(0, 100, 1);
    EXPECT_EQ(Points(engine.primaryPath.path), (Coords{0, 92, 0, 73, 100, 92, 100, 73, 0, 80, 100, 80}));
    ASSERT_EQ(engine.dynamicDimArray.size(), 1u);
    EXPECT_EQ(engine.dynamicDimArray[0]->textFontInfo.lfHeight, -12);
    EXPECT_TRUE(engine.dynamicDimArray[0]->backingPath);
    Line(0, 100, 0, 0, nullptr, true);
    EXPECT_EQ(context.ops.size(), 7u);
    ds->showDimensions = 1;

    context.ops.clear();
    DrawDimensionLine(nullptr, 0, 100, 100, 100, 0, 100, 100, 100, 1, 5, 0, this, nullptr, 0, 0, 5, 0, nullptr);
    EXPECT_TRUE(context.ops.empty());
    Line(0, 100, 0, 1);
    ASSERT_EQ(Kinds(), (std::vector<Kind>{Kind::Stroke, Kind::Stroke, Kind::Stroke, Kind::Fill, Kind::TextAt}));
    EXPECT_EQ(Points(context.ops[0].path)[0], 0);
    EXPECT_EQ(Points(context.ops[2].path), (Coords{6, 74, -5, 86}));  // the tick at m1; -5.86 truncates to -5

    const struct { float h1, h2; bool printing, selected; double turn, height; port::Color box, ink; } rows[] = {
        {100, 0, false, false, 0, 16, kBackground, {0, 0, 0, 1}},  // right to left reads upright
        {0, 100, true, false, -0.1, 16, kWhite, {0, 0, 0, 1}},
        {0, 100, false, true, 0, 12, kBackground, kRed},
    };
    for (const auto& row : rows) {
        context.ops.clear();
        gPrinting = row.printing, gSelectionState = row.selected;
        ds->zoomFactor = row.selected ? 3 : 1;
        Line(row.h1 / ds->zoomFactor, row.h2 / ds->zoomFactor);
        EXPECT_NEAR(std::remainder(Text().angle, 360), row.turn, 1e-9) << row.h1;
        EXPECT_EQ(std::tuple(Text().height, context.ops[context.ops.size() - 2].state.fill, Text().state.fill),
                  std::tuple(row.height, row.box, row.ink)) << row.h1;
    }
}

TEST_F(DimensionsTest, ExtraTextJoinsWhileBothFit) {
    const std::string readout = Readout(100);
    for (size_t extra : {249 - readout.size(), 250 - readout.size()}) {
        context.ops.clear();
        Line(0, 100, 0, 0, std::string(extra, 'x').c_str());
        EXPECT_EQ(Text().text.size(), extra < 250 - readout.size() ? 249 : readout.size());
    }
}

TEST_F(DimensionsTest, DimensionObjectsDrawFromTheirPoints) {
    DrawDimensionPerimeter(nullptr, Make(objtype::kOffsetDimensionV, 0, {{0, 0}, {0, 100}, {100, 100}, {100, 0}}));
    ASSERT_EQ(context.ops.size(), 9u);
    EXPECT_EQ(Points(context.ops[0].path), (Coords{0, 10, 0, 100}));
    EXPECT_EQ(Points(context.ops[3].path), (Coords{0, 100, 100, 100}));  // through P1 and P2
    EXPECT_EQ(Points(context.ops[8].path), (Coords{100, 10, 100, 100}));
    context.ops.clear();
    DrawDimensionPerimeter(nullptr, Make(objtype::kLengthDimension, 0, {{0, 0}, {0, 100}, {100, 100}}));
    DrawDiameterDimension(nullptr, Make(objtype::kDiameterDimension, 0, {{0, 0}}));
    EXPECT_TRUE(context.ops.empty());

    DrawLeaderDimension(nullptr, Make(objtype::kLeaderDimension, 0, {{100, 100}, {200, 100}, {200, 0}}));
    ASSERT_EQ(Kinds(), (std::vector<Kind>{Kind::Stroke, Kind::Stroke, Kind::Fill}));  // whatever the style
    EXPECT_EQ(Points(context.ops[2].path), (Coords{100, 100, 112, 97, 112, 103}));

    Objex* wall = Make(objtype::kWall, 0, {{0, 0}, {200, 0}});
    wall->penWidth = 6;  // 12 plan units at scale 36
    auto* record = new AttachmentRecord{};
    record->segmentStart = wall->firstPoint, record->segmentEnd = wall->firstPoint->next;
    record->centreDistance = 50, record->height = 100;
    Objex* dim = Make(objtype::kComponent, 138, {{0, 0}});
    dim->typeData = TypeData::OfAttachment(record);
    dim->parent = wall;
    for (int16_t method : {0, 1}) {
        context.ops.clear();
        dim->firstPoint->dimensionMethod = method;
        DrawDimensionAttachment(nullptr, dim);
        ASSERT_EQ(context.ops.size(), 7u);
        EXPECT_EQ(Points(context.ops[2].path), (Coords{50, 6.0 * method, 50, 100 + 6.0 * method})) << method;
    }
    dim->parent = nullptr;
}

}  // namespace

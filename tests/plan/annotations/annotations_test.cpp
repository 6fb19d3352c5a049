// Plan text, end marks, dimension lines and dimension objects, as drawn into the recording
// context (text measures 7 x 12 a character) and the rubber-band engine.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/core/localization_seams.h"
#include "app/core/main_window_seams.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "model/readouts.h"
#include "model/transforms.h"
#include "model/type_data.h"
#include "plan/annotations/arrowheads.h"
#include "plan/annotations/dimension_lines.h"
#include "plan/annotations/plan_text.h"
#include "plan/base_2d_view.h"
#include "plan/plan_frame.h"
#include "model/plan_objects.h"
#include "support/build.h"
#include "support/drawing_doubles.h"
#include "support/fixture.h"

namespace {

using dvxtest::DrawnOp;
using Coords = std::vector<double>;
using XY = std::pair<double, double>;
const RECT kAnywhere{-1000, -1000, 1000, 1000};
const port::Color kBackground{0, 0, 1, 1}, kWhite{1, 1, 1, 1}, kRed{1, 0, 0, 1}, kPen{0, 1, 0, 1};

class AnnotationsTest : public dvxtest::DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        ds = doc->itsDocState;
        ds->zoomFactor = 1.0f, ds->font.lfHeight = -16, ds->backgroundColor = {0, 0, 65535}, ds->penColor = {0, 65535, 0};
        SetMainWindowDocumentViewHandler([this] { return &view; });
    }
    void TearDown() override {
        for (Objex* o : made) DeleteObj(o);
        DocumentTest::TearDown();
    }
    Objex* Make(int16_t type, int32_t subtype, dvxtest::PlanPoints points) {
        return made.emplace_back(dvxtest::Make(type, subtype).plan(points));
    }
    // Afresh, a horizontal dimension from (h1, 100) to (h2, 100), above it (side non-zero), offset and gap 5.
    void Line(float h1, float h2, uint8_t dynamic = 0, uint8_t oneSided = 0, const char* extra = nullptr,
              bool through = false) {
        context.ops.clear();
        (through ? DrawDimensionLineNoOffset : DrawDimensionLine)(nullptr, h1, 100, h2, 100, h1, 100, h2, 100, 1, 5,
                                                                  dynamic, this, this, 0, oneSided, 5, 0, extra);
    }
    // Moves and lines as x, y pairs; ovals by their bounds.
    static Coords Points(const port::Path& path) {
        const port::Rect b = path.bounds();
        if (path.elementCount() > 1 && path.elements()[1].kind == port::Path::Kind::Curve) return {b.x, b.y, b.width, b.height};
        Coords out;
        for (const auto& e : path.elements())
            if (e.kind != port::Path::Kind::Close) out.insert(out.end(), {e.p[0], e.p[1]});
        return out;
    }
    Coords Points(size_t i) const { return Points(context.ops.at(i).path); }
    // F fill, S stroke, T text, one letter an operation.
    std::string Kinds() {
        std::string out;
        for (const DrawnOp& op : context.ops) out += op.kind == DrawnOp::Kind::Fill ? 'F' : op.kind == DrawnOp::Kind::Stroke ? 'S' : 'T';
        return out;
    }
    // The last text drawn, keeping the colour of the box filled before it; clears the record.
    DrawnOp Text() {
        EXPECT_FALSE(context.ops.empty());
        const DrawnOp op = context.ops.empty() ? DrawnOp{} : context.ops.back();
        box = context.ops.size() > 1 ? context.ops[context.ops.size() - 2].state.fill : port::Color{};
        context.ops.clear();
        return op;
    }
    static XY Centre(const DrawnOp& op) { return {op.state.matrix.tx, op.state.matrix.ty}; }
    const QMDDynamicDimElement& Element() const { return *engine.dynamicDimArray.back(); }
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
    port::Color box;
};

TEST_F(AnnotationsTest, TextBoxesStandOffTheirAnchors) {
    // "ab" measures 14 x 12: a 20 x 12 box, 6 units off the anchor toward angle - 90.
    for (auto [angle, x, y] : {std::tuple(0.f, 100., 106.), {90.f, 106., 100.}, {180.f, 100., 94.}}) {
        DrawNormalTextNoOrientation(nullptr, "ab", 100, 100, angle);
        const DrawnOp op = Text();
        EXPECT_EQ(std::tuple(Centre(op), op.angle, op.state.fill), std::tuple(XY(x, y), -angle, kPen)) << angle;
    }
    const FloatRect rect{10, 20, 50, 120};
    LOGFONT font = ds->font;
    font.lfOrientation = 450;
    DrawStandardText(nullptr, "std", &rect, &font, 1);
    const DrawnOp op = Text();  // 5 taller than the box, never turned
    EXPECT_EQ(std::tuple(op.rect.x, op.rect.y, op.rect.width, op.rect.height, op.alignment, op.angle),
              std::tuple(20., 10., 100., 45., port::TextAlignment::Center, 0.));

    DrawDynamicText(nullptr, "ab", 100, 100, 0);
    const PlatformRect r = Element().textRect;  // 7 above the anchor, without a backing
    EXPECT_EQ(std::tuple(r.x, r.y, r.width, r.height, !Element().backingPath, Kinds()),
              std::tuple(90.f, 87.f, 20.f, 12.f, true, ""));
    SetMainWindowDocumentViewHandler(nullptr);
    DrawNormalText(nullptr, "ab", 0, 0, 0);
    DrawDynamicText(nullptr, "ab", 0, 0, 0);
    EXPECT_TRUE(context.ops.empty() && engine.dynamicDimArray.size() == 1);
}

TEST_F(AnnotationsTest, LabelsReadUprightStayReadableAndPrintedTextTurnsATenth) {
    for (auto [angle, tenths] : {std::pair(180.f, 3600), {270.f, 4500}, {90.f, 900}, {271.f, 2710}}) {
        DrawDynamicText(nullptr, "x", 0, 0, angle);
        EXPECT_EQ(XY(Element().textFontInfo.lfEscapement, Element().textFontInfo.lfOrientation), XY(tenths, tenths));
    }
    for (auto [zoom, height] : {std::pair(0.6f, -12), {0.25f, -10}}) {
        ds->zoomFactor = zoom;
        DrawDynamicText(nullptr, "x", 0, 0, 0);
        EXPECT_EQ(Element().textFontInfo.lfHeight, height) << zoom;
    }
    ds->font.lfHeight = -1, ds->zoomFactor = 0.3f;
    DrawNormalText(nullptr, "n", 0, 0, 0);
    EXPECT_EQ(Text().height, 1);  // a zero height becomes -1
    ApplePortDrawPseudoDynamicText("elev", 0, 0, 0);
    EXPECT_EQ(Text().state.fill, (port::Color{0, 0, 1, 1}));
    const LOGFONT font = ds->font;
    for (uint8_t printing : {0, 1}) {
        gPrinting = printing;
        DrawRotatedText(nullptr, "r", 0, 0, 90, &font);
        EXPECT_NEAR(Text().angle, printing ? -90.1 : -90, 1e-9);  // escapement 901 on paper
    }
}

// Along a line straight down the screen (its direction comes out of the float angle as
// 270.0000007) and straight up (90.0000025), the fixed and the live readout and a callout all
// read upward, as a text at 90 does: escapement 900 or 4500.
TEST_F(AnnotationsTest, VerticalReadoutsAndCalloutsReadUpwardWhicheverWayTheLineRuns) {
    AttachmentRecord record;
    record.width = 72, record.height = 144, record.ownerType = objtype::kWindow;
    const auto upward = [](double angle) { return std::remainder(angle, 360.0); };
    for (auto [from, to] : {std::pair(0.f, 200.f), {200.f, 0.f}}) {
        SCOPED_TRACE(from);
        context.ops.clear();
        DrawDimensionLine(nullptr, 100, from, 100, to, 100, from, 100, to, 1, 5, 0, this, this, 0, 0, 5, 0, nullptr);
        EXPECT_NEAR(upward(Text().angle), -90, 1e-3) << "fixed readout";
        DrawDimensionLine(nullptr, 100, from, 100, to, 100, from, 100, to, 1, 5, 1, this, this, 0, 0, 5, 0, nullptr);
        EXPECT_EQ(Element().textFontInfo.lfEscapement % 3600, 900) << "live readout";
        DrawAttachmentCalloutText(nullptr, &record, 100, from, 100, to, 100, 100, 1, 10);
        EXPECT_NEAR(upward(Text().angle), -90, 1e-3) << "callout";
    }
}

TEST_F(AnnotationsTest, CalloutsNameDoorKindsAndStandOffTheWall) {
    AttachmentRecord record;
    record.width = 72, record.height = 144;
    for (auto [owner, style, suffix] : {std::tuple<int16_t, int16_t, const char*>(16, 508, " Fr"), {16, 500, " CO"},
                                        {16, 503, " OHD"}, {16, 501, ""}, {16, 512, ""}, {17, 508, ""}}) {
        record.ownerType = owner, record.style = style;
        DrawAttachmentCalloutText(nullptr, &record, 0, 100, 200, 100, 100, 100, 1, 10);
        const DrawnOp op = Text();  // offset + 8 to the left of the run
        EXPECT_EQ(std::pair(op.text, Centre(op)), std::pair(Readout(72) + " x " + Readout(144) + suffix, XY(100, 82)));
    }
    // A translation asking for more than it gets reads nothing that is not there.
    SetLocalizedStringHandler([](const char* key) { return std::string(key) == "%s x %s" ? "%d %s by %s %s" : key; });
    ds->zoomFactor = 2;
    DrawAttachmentCalloutText(nullptr, &record, 200, 100, 0, 100, 100, 100, 1, 10);
    const DrawnOp op = Text();  // running left, its left side is below; 180 reads as 360
    EXPECT_EQ(std::pair(op.text, Centre(op)), std::pair("%d " + Readout(72) + " by " + Readout(144) + " ", XY(200, 236)));
    EXPECT_NEAR(std::remainder(op.angle, 360), 0, 1e-9);
    ds->showCallouts = 0;
    DrawAttachmentCalloutText(nullptr, &record, 0, 100, 200, 100, 100, 100, 1, 10);
    EXPECT_EQ(Kinds(), "");
}

TEST_F(AnnotationsTest, ArrowheadsDrawOneMarkByFlagOrStyle) {
    // Tip (100, 100) pointing left: 12 cos 15 = 11.59 back, 12 sin 15 = 3.11 off the line.
    const Coords filled{100, 100, 112, 97, 112, 103};
    const struct { int32_t flags; const char* kinds; Coords points; } rows[] = {
        {0, "", {}}, {1 | 16, "F", filled}, {2, "S", filled}, {4, "S", {100, 100, 112, 97, 100, 100, 112, 103}},
        {8, "S", {106, 94, 94, 106}}, {16, "S", {94, 94, 106, 106}},  // 9 at +45, -135 and at +135, -45
        {32, "F", {98, 98, 5, 5}}, {64, "S", {94, 94, 13, 13}}, {1 | 128, "F", filled}};  // outside needs an object
    for (const auto& row : rows) {
        context.ops.clear(), DrawArrowhead(nullptr, nullptr, 100, 100, 200, 100, row.flags);
        if (*row.kinds) { EXPECT_EQ(Points(0), row.points) << row.flags; }
        EXPECT_EQ(Kinds(), row.kinds) << row.flags;
    }
    for (auto [type, kinds] : {std::pair(objtype::kDiameterDimension, "SF"), {objtype::kAngleDimension, "F"}}) {
        context.ops.clear(), DrawArrowhead(nullptr, Make(type, 0, {}), 100, 100, 200, 100, 1 | 128);
        const Coords beyond{100, 100, 88, 103, 88, 97};  // the body beyond the tip, after the 36-unit stroke
        EXPECT_EQ(Points(context.ops.size() - 1), beyond);
        EXPECT_EQ(Points(0), (type == objtype::kAngleDimension ? beyond : Coords{100, 100, 64, 100}));
        EXPECT_EQ(Kinds(), kinds);
    }
    context.ops.clear(), gDynamicDrawing = 1;
    DrawArrowhead(nullptr, nullptr, 100, 100, 200, 100, 1);
    EXPECT_EQ(std::tuple(Points(engine.primaryPath.path), engine.primaryPath.path.elements().back().kind, Kinds()),
              std::tuple(filled, port::Path::Kind::Close, ""));

    ds->zoomFactor = 3;
    gDynamicDrawing = 0;  // unzoomed keeps 12; other IDs draw nothing
    const struct { int16_t style; uint8_t unzoomed; const char* kinds; Coords points; } styles[] = {
        {5086, 1, "F", filled}, {5086, 0, "F", {100, 100, 135, 91, 135, 109}}, {5085, 0, "", {}}, {5093, 1, "", {}}};
    for (const auto& row : styles) {
        context.ops.clear(), DrawDimensionArrow(nullptr, 100, 100, 200, 100, row.style, row.unzoomed);
        if (*row.kinds) { EXPECT_EQ(Points(0), row.points) << row.style; }
        EXPECT_EQ(Kinds(), row.kinds) << row.style;
    }
}

TEST_F(AnnotationsTest, ShortDimensionsShowTheReadoutAlone) {
    // Two extension lines, the line, ticks (5089) at both ends, the box across the line, the text.
    for (auto [length, kinds, textY] : {std::tuple(71.f, "FT", 85.), {72.f, "SSSSSFT", 80.}}) {
        Line(0, length);
        EXPECT_EQ(Kinds(), kinds);
        if (length == 72) {  // extension lines from gap + 3 to offset + 22, the line at offset + 15
            EXPECT_EQ(std::pair(Points(0), Points(2)), std::pair(Coords{0, 92, 0, 73}, Coords{0, 80, 72, 80}));
        }
        const DrawnOp op = Text();
        EXPECT_EQ(std::tuple(op.state.matrix.ty, op.text, box), std::tuple(textY, Readout(length), kBackground));
    }
}

TEST_F(AnnotationsTest, DimensionSwitchesSidesAndPrinting) {
    ds->showDimensions = 0;
    Line(0, 100);
    EXPECT_EQ(Kinds(), "");
    Line(0, 100, 1);
    EXPECT_EQ(Points(engine.primaryPath.path), (Coords{0, 92, 0, 73, 100, 92, 100, 73, 0, 80, 100, 80}));
    EXPECT_TRUE(engine.dynamicDimArray.size() == 1 && Element().textFontInfo.lfHeight == -12 && Element().backingPath);
    Line(0, 100, 0, 0, nullptr, true);
    EXPECT_EQ(Kinds(), "SSSSSFT");
    ds->showDimensions = 1;
    context.ops.clear(), DrawDimensionLine(nullptr, 0, 100, 100, 100, 0, 100, 100, 100, 1, 5, 0, this, nullptr, 0, 0, 5, 0, nullptr);
    EXPECT_EQ(Kinds(), "");
    Line(0, 100, 0, 1);  // one extension line and one tick, both at m1 (-5.86 truncates to -5)
    EXPECT_EQ(std::tuple(Kinds(), Points(0)[0], Points(2)), std::tuple("SSSFT", 0., Coords{6, 74, -5, 86}));

    const struct { float h1, h2; bool printing, selected; double turn, height; port::Color box, ink; } rows[] = {
        {100, 0, false, false, 0, 16, kBackground, kPen},  // right to left reads upright
        {0, 100, true, false, -0.1, 16, kWhite, kPen}, {0, 100, false, true, 0, 12, kBackground, kRed}};
    for (const auto& row : rows) {
        gPrinting = row.printing, gSelectionState = row.selected;
        ds->zoomFactor = row.selected ? 3 : 1;
        Line(row.h1 / ds->zoomFactor, row.h2 / ds->zoomFactor);
        const DrawnOp op = Text();
        EXPECT_NEAR(std::remainder(op.angle, 360), row.turn, 1e-9) << row.h1;
        EXPECT_EQ(std::tuple(op.height, box, op.state.fill), std::tuple(row.height, row.box, row.ink)) << row.h1;
    }
    gPrinting = gSelectionState = 0;
    ds->zoomFactor = 1;
    const size_t room = 250 - Readout(100).size();  // the extra text joins while both stay under 250
    for (size_t extra : {room - 1, room}) {
        Line(0, 100, 0, 0, std::string(extra, 'x').c_str());
        EXPECT_EQ(Text().text.size(), extra < room ? 249 : 250 - room);
    }
}

TEST_F(AnnotationsTest, TheFrameDrawsDimensionObjectsFromTheirPoints) {
    auto draw = [&](int16_t type, int32_t subtype, dvxtest::PlanPoints points) {
        context.ops.clear(), DrawObject(nullptr, Make(type, subtype, points), &kAnywhere, drawflag::kAll, nullptr);
        return Kinds();
    };
    EXPECT_EQ(draw(objtype::kOffsetDimensionV, 0, {{0, 0}, {0, 100}, {100, 100}, {100, 0}}), "SSSSSSFTS");
    EXPECT_EQ(std::tuple(Points(0), Points(3), Points(8)),  // shortened by 10 at P0 and P3; through P1, P2
              std::tuple(Coords{0, 10, 0, 100}, Coords{0, 100, 100, 100}, Coords{100, 10, 100, 100}));
    EXPECT_EQ(draw(objtype::kLeaderDimension, 0, {{100, 100}, {200, 100}, {200, 0}}), "SSF");  // whatever the style
    EXPECT_EQ(Points(2), (Coords{100, 100, 112, 97, 112, 103}));
    for (int16_t type : {objtype::kDiameterDimension, objtype::kDimension106}) {
        EXPECT_EQ(draw(type, 0, {{0, 0}, {100, 0}}), "SSSSSFT");
        EXPECT_EQ(draw(type, 0, {{0, 0}}), "");
    }
    EXPECT_EQ(draw(objtype::kLengthDimension, 0, {{0, 0}, {0, 100}, {100, 100}}), "");

    Objex* wall = Make(objtype::kWall, 0, {{0, 0}, {200, 0}});
    wall->penWidth = 6;  // 12 plan units at scale 36
    auto* record = new AttachmentRecord{};
    record->segmentStart = wall->firstPoint, record->segmentEnd = wall->firstPoint->next;
    record->centreDistance = 50, record->height = 100;
    Objex* dim = Make(objtype::kComponent, objsubtype::kAttachedDimension, {{0, 0}});
    dvxtest::Make(dim).with(record);
    dim->parent = wall;
    for (int16_t method : {0, 1}) {  // a method measures from the wall's face
        context.ops.clear(), dim->firstPoint->dimensionMethod = method;
        DrawObject(nullptr, dim, &kAnywhere, drawflag::kAll, nullptr);
        EXPECT_EQ(std::pair(Kinds(), Points(2)), std::pair(std::string("SSSSSFT"), Coords{50, 6. * method, 50, 100 + 6. * method}));
    }
    dim->parent = nullptr;
}

}  // namespace

// What the plan view's text and hatch methods draw, recorded operation by operation.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/core/main_window_seams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "plan/base_2d_view.h"
#include "plan/plan_objects.h"
#include "support/drawing_doubles.h"
#include "support/fixture.h"

using dvxtest::DrawnOp;

namespace {

constexpr RGBColor kRed{65535, 0, 0}, kBlue{0, 0, 65535}, kGreen{0, 65535, 0};

class Base2DViewTest : public dvxtest::DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        doc->itsDocState->backgroundColor = kGreen;
    }

    // "fill(bg) fwd(fg) stroke(fg)": each operation with its colour and hatch named.
    std::string Painted() const {
        auto name = [](port::Color c) -> std::string {
            if (c == port::Color{1, 0, 0, 1}) return "fg";
            if (c == port::Color{0, 0, 1, 1}) return "bg";
            if (c == port::Color{0, 1, 0, 1}) return "plan";
            if (c == port::Color{1, 1, 1, 1}) return "white";
            return "?";
        };
        const std::pair<const port::HatchPattern*, const char*> slots[] = {
            {view.fwdDiagPattern.get(), "fwd"},       {view.backDiagPattern.get(), "back"},
            {view.diagCrossPattern.get(), "diagx"},   {view.horizLinePattern.get(), "horiz"},
            {view.vertLinePattern.get(), "vert"},     {view.crossPattern.get(), "cross"}};
        std::string out;
        for (const DrawnOp& op : context.ops) {
            if (!out.empty()) out += ' ';
            if (op.kind == DrawnOp::Kind::Fill) out += "fill(" + name(op.state.fill) + ")";
            if (op.kind == DrawnOp::Kind::Stroke) out += "stroke(" + name(op.state.stroke) + ")";
            if (op.kind == DrawnOp::Kind::Pattern)
                for (const auto& [pattern, slot] : slots)
                    if (pattern == op.pattern) out += std::string(slot) + "(" + name(op.patternColor) + ")";
        }
        return out;
    }

    dvxtest::RecordingContext context;
    port::DrawingScope scope{context};
    dvxtest::FakeViewHost host;
    Base2DView view{&host};
};

TEST_F(Base2DViewTest, DetailPatternStylesPaintInTheirOrder) {
    const struct {
        int16_t style;
        bool printing;
        const char* painted;
    } rows[] = {
        {1, false, "fill(bg) stroke(fg)"},        {1, true, "fill(white) stroke(fg)"},
        {2, false, "fill(fg)"},                   {3, false, "fill(bg) fwd(fg) stroke(fg)"},
        {3, true, "fill(white) fwd(fg) stroke(fg)"}, {4, false, "fill(bg) back(fg) stroke(fg)"},
        {5, false, "fill(bg) diagx(fg) stroke(fg)"}, {6, false, "fill(bg) horiz(fg) stroke(fg)"},
        {7, false, "fill(bg) vert(fg) stroke(fg)"},  {8, false, "fill(bg) cross(fg) stroke(fg)"},
        {9, false, ""},                           {0, false, ""},
    };
    port::Path path;
    path.appendRect({0, 0, 50, 50});
    for (const auto& row : rows) {
        SCOPED_TRACE(row.style);
        context.ops.clear();
        gPrinting = row.printing;
        view.drawDetailPatternObject(&path, row.style, &kRed, &kBlue, 3);
        EXPECT_EQ(Painted(), row.painted);
        for (const DrawnOp& op : context.ops) EXPECT_EQ(op.state.lineWidth, 3);
        EXPECT_EQ(context.state().lineWidth, 1);  // every painting restored its state
    }
    context.ops.clear();
    view.drawDetailPatternObject(&path, 3, &kRed, nullptr, 3);
    view.drawDetailPatternObject(nullptr, 3, &kRed, &kBlue, 3);
    EXPECT_TRUE(context.ops.empty());
}

TEST_F(Base2DViewTest, RegionBrushesAndPens) {
    const POINT square[] = {{0, 0}, {100, 0}, {100, 100}, {0, 100}};
    const struct {
        int16_t pen, brush;
        int count;
        bool printing;
        const char* painted;
    } rows[] = {
        {0, 0, 4, false, "fill(bg) stroke(fg)"},
        {5, 0, 4, false, "fill(bg)"},
        {0, -1, 4, false, "stroke(fg) stroke(fg)"},
        {2, 2, 4, false, "fill(plan) fwd(bg) stroke(fg)"},
        {0, 2, 4, true, "fill(white) fwd(bg) stroke(fg)"},
        {0, 1, 4, false, "fill(plan) back(bg) stroke(fg)"},
        {0, 7, 4, false, "stroke(fg)"},
        {0, 0, 2, false, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.pen << "/" << row.brush << "/" << row.count);
        context.ops.clear();
        gPrinting = row.printing;
        view.draw2DPatternRegion(square, row.count, row.pen, row.brush, &kRed, &kBlue, 2);
        EXPECT_EQ(Painted(), row.painted);
        for (const DrawnOp& op : context.ops) {
            EXPECT_EQ(op.state.dash, row.pen == 2 ? std::vector<double>({3, 3}) : std::vector<double>());
            EXPECT_EQ(op.path.bounds().width, 100);
        }
    }
    context.ops.clear();
    gCurDocument = nullptr;
    view.draw2DPatternRegion(square, 4, 0, 0, &kRed, &kBlue, 1);
    EXPECT_TRUE(context.ops.empty());
}

TEST_F(Base2DViewTest, HatchesAreMadeOnceAndKeptToThePlan) {
    EXPECT_EQ(view.fwdDiagPattern, nullptr);
    port::Path path;
    path.appendRect({0, 0, 10, 10});
    for (int16_t style = 3; style <= 8; ++style) view.drawDetailPatternObject(&path, style, &kRed, &kBlue, 1);
    const struct {
        const port::HatchPattern* pattern;
        double width, height;
    } tiles[] = {{view.fwdDiagPattern.get(), 48, 32},  {view.backDiagPattern.get(), 48, 32},
                 {view.diagCrossPattern.get(), 48, 32}, {view.crossPattern.get(), 25, 17},
                 {view.horizLinePattern.get(), 25, 16}, {view.vertLinePattern.get(), 24, 17}};
    for (const auto& t : tiles) {
        ASSERT_NE(t.pattern, nullptr);
        EXPECT_EQ(t.pattern->tile().width, t.width);
        EXPECT_EQ(t.pattern->tile().height, t.height);
        EXPECT_EQ(t.pattern->tile().stepX, 24);
        EXPECT_EQ(t.pattern->tile().stepY, 16);
    }
    const port::HatchPattern* made = view.fwdDiagPattern.get();
    // The phase is the view's origin in device space.
    host.origin = {-100, -50};
    context.translate(30, 40);
    context.ops.clear();
    const POINT triangle[] = {{0, 0}, {10, 0}, {0, 10}};
    view.draw2DPatternRegion(triangle, 3, 0, 2, &kRed, &kBlue, 1);
    ASSERT_EQ(context.ops.size(), 3u);
    EXPECT_EQ(context.ops[1].pattern, made);
    EXPECT_EQ(context.ops[1].phase.x, -70);
    EXPECT_EQ(context.ops[1].phase.y, -10);
}

TEST_F(Base2DViewTest, TextIsMeasuredAndPlacedByItsBox) {
    LOGFONT font{};
    font.lfHeight = -28;
    std::strcpy(font.lfFaceName, "Arial");
    EXPECT_EQ(view.textMetricsForString("abc", &font).width, 21);
    EXPECT_EQ(view.textMetricsForString("abc", &font).height, 12);
    EXPECT_EQ(view.textMetricsForString("", &font).width, 0);
    EXPECT_EQ(view.textMetricsForString(nullptr, &font).width, 0);
    {
        port::DrawingScope none(port::defaultDrawingContext());  // no font to be had
        EXPECT_EQ(view.textMetricsForString("abc", &font).width, 0);
    }

    // Turned text: centred on the box, a quarter turn against the plan's y-down sense.
    context.setAntialiasing(false);
    font.lfOrientation = 900;
    const PlatformRect box{100, 200, 50, 20};
    view.drawText("abcd", &box, &font, &kRed);
    ASSERT_EQ(context.ops.size(), 1u);
    const DrawnOp& turned = context.ops[0];
    EXPECT_EQ(turned.text, "abcd");
    EXPECT_EQ(turned.rect.x, -14);
    EXPECT_EQ(turned.rect.y, -6);
    EXPECT_NEAR(turned.angle, -90, 1e-9);
    EXPECT_EQ(turned.state.matrix.map({0, 0}).x, 125);
    EXPECT_EQ(turned.state.matrix.map({0, 0}).y, 210);
    EXPECT_TRUE(turned.state.antialias);
    EXPECT_EQ(turned.state.fill, (port::Color{1, 0, 0, 1}));
    EXPECT_FALSE(context.state().antialias);
    EXPECT_EQ(context.currentMatrix().tx, 0);

    const struct {
        int16_t alignment;
        port::TextAlignment expected;
    } alignments[] = {{0, port::TextAlignment::Left}, {1, port::TextAlignment::Center},
                      {2, port::TextAlignment::Right}, {3, port::TextAlignment::Left}};
    for (const auto& row : alignments) {
        context.ops.clear();
        view.drawStdText("x", &box, &font, &kRed, row.alignment);
        ASSERT_EQ(context.ops.size(), 1u);
        EXPECT_EQ(context.ops[0].alignment, row.expected);
        EXPECT_EQ(context.ops[0].rect.width, 50);
        EXPECT_EQ(context.ops[0].height, 28);
        EXPECT_TRUE(context.ops[0].state.antialias);
    }
    context.ops.clear();
    view.drawStdText("x", &box, &font, nullptr, 0);
    view.drawText("x", nullptr, &font, &kRed);
    EXPECT_TRUE(context.ops.empty());
}

TEST(MainWindowDocumentViewSeam, AnswersNoViewUntilTheShellRegisters) {
    EXPECT_EQ(MainWindowDocumentView(), nullptr);
    Base2DView view;
    SetMainWindowDocumentViewHandler([&] { return &view; });
    EXPECT_EQ(MainWindowDocumentView(), &view);
    MainWindowDocumentView.Reset();
    EXPECT_EQ(MainWindowDocumentView(), nullptr);
}

}  // namespace

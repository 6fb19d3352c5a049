// What the plan view's text and hatch methods draw, operation by operation.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "model/docstate.h"
#include "model/document_model.h"
#include "plan/base_2d_view.h"
#include "model/plan_objects.h"
#include "support/drawing_doubles.h"
#include "support/fixture.h"

namespace {

using dvxtest::DrawnOp;
constexpr RGBColor kRed{65535, 0, 0}, kBlue{0, 0, 65535};

class Base2DViewTest : public dvxtest::DocumentTest {
protected:
    // "fill(bg) fwd(fg) stroke(fg)": each operation with its colour and hatch.
    std::string Painted() const {
        auto name = [](port::Color c) {
            return c == port::Color{1, 0, 0, 1} ? "fg" : c == port::Color{0, 0, 1, 1} ? "bg" : "white";
        };
        const std::pair<const port::HatchPattern*, const char*> slots[] = {
            {view.fwdDiagPattern.get(), "fwd"},     {view.backDiagPattern.get(), "back"},
            {view.diagCrossPattern.get(), "diagx"}, {view.horizLinePattern.get(), "horiz"},
            {view.vertLinePattern.get(), "vert"},   {view.crossPattern.get(), "cross"}};
        std::string out;
        for (const DrawnOp& op : context.ops) {
            out += out.empty() ? "" : " ";
            if (op.kind == DrawnOp::Kind::Fill) out += std::string("fill(") + name(op.state.fill) + ")";
            if (op.kind == DrawnOp::Kind::Stroke) out += std::string("stroke(") + name(op.state.stroke) + ")";
            for (const auto& [pattern, slot] : slots)
                if (op.kind == DrawnOp::Kind::Pattern && pattern == op.pattern)
                    out += std::string(slot) + "(" + name(op.patternColor) + ")";
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
        {1, false, "fill(bg) stroke(fg)"},           {1, true, "fill(white) stroke(fg)"},
        {2, false, "fill(fg)"},                      {3, false, "fill(bg) fwd(fg) stroke(fg)"},
        {3, true, "fill(white) fwd(fg) stroke(fg)"}, {4, false, "fill(bg) back(fg) stroke(fg)"},
        {5, false, "fill(bg) diagx(fg) stroke(fg)"}, {6, false, "fill(bg) horiz(fg) stroke(fg)"},
        {7, false, "fill(bg) vert(fg) stroke(fg)"},  {8, false, "fill(bg) cross(fg) stroke(fg)"},
        {9, false, ""},
    };
    port::Path path;
    path.appendRect({0, 0, 50, 50});
    for (const auto& row : rows) {
        context.ops.clear();
        gPrinting = row.printing;
        view.drawDetailPatternObject(&path, row.style, &kRed, &kBlue, 3);
        EXPECT_EQ(Painted(), row.painted) << row.style;
        for (const DrawnOp& op : context.ops) EXPECT_EQ(op.state.lineWidth, 3);
        EXPECT_EQ(context.state().lineWidth, 1);  // every painting restored its state
    }
}

TEST_F(Base2DViewTest, HatchesAreMadeOnceAndAnchoredAtTheViewOrigin) {
    const POINT triangle[] = {{0, 0}, {10, 0}, {0, 10}};
    view.draw2DPatternRegion(triangle, 3, 0, 2, &kRed, &kBlue, 1);
    const port::HatchPattern* made = view.fwdDiagPattern.get();
    ASSERT_NE(made, nullptr);
    host.origin = {-100, -50};
    context.translate(30, 40);
    context.ops.clear();
    view.draw2DPatternRegion(triangle, 3, 0, 2, &kRed, &kBlue, 1);
    ASSERT_EQ(context.ops.size(), 3u);
    EXPECT_EQ(context.ops[1].pattern, made);
    EXPECT_EQ(context.ops[1].phase.x, -70);
    EXPECT_EQ(context.ops[1].phase.y, -10);
}

TEST_F(Base2DViewTest, TurnedTextIsCentredOnItsBox) {
    LOGFONT font{};
    font.lfHeight = -28;
    font.lfOrientation = 900;
    EXPECT_EQ(view.textMetricsForString("abc", &font).width, 21);
    {
        port::DrawingScope outside(port::defaultDrawingContext());  // no font to be had
        EXPECT_EQ(view.textMetricsForString("abc", &font).width, 0);
    }
    context.setAntialiasing(false);
    const PlatformRect box{100, 200, 50, 20};
    view.drawText("abcd", &box, &font, &kRed);
    ASSERT_EQ(context.ops.size(), 1u);
    const DrawnOp& text = context.ops[0];
    EXPECT_TRUE(text.rect.x == -14 && text.rect.y == -6 && text.height == 28);
    EXPECT_NEAR(text.angle, -90, 1e-9);
    EXPECT_TRUE(text.state.matrix.map({0, 0}).x == 125 && text.state.matrix.map({0, 0}).y == 210);
    EXPECT_TRUE(text.state.antialias);
    EXPECT_FALSE(context.state().antialias);
}

}  // namespace

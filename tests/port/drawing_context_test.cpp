// The drawing context's state stack, the current context, and the shapes contexts draw.
#include "port/drawing.h"
#include "port/services.h"
#include "support/doubles.h"
#include "support/drawing_doubles.h"

#include <gtest/gtest.h>

namespace {

class DrawingContextTest : public dvxtest::ServicesTest {};

// Nested draws see their own state and leave the outer one as it was.
TEST_F(DrawingContextTest, RestoreBringsBackTheWholeState) {
    port::DrawingContext& context = port::currentDrawingContext();
    context.save();
    context.setFillColor({1, 0, 0, 1});
    context.setLineWidth(0);
    context.setLineDash({3, 3}, 1);
    context.setAntialiasing(false);
    context.translate(10, 20);
    context.rotate(90);
    EXPECT_NEAR(context.currentMatrix().map({1, 0}).y, 21, 1e-12);
    context.restore();
    context.restore();  // unmatched: nothing
    const port::GraphicsState& s = context.state();
    EXPECT_TRUE(s.fill == port::Color{} && s.lineWidth == 1 && s.dash.empty() && s.antialias);
    EXPECT_EQ(s.matrix.tx, 0);
    context.setLineDash({3, -1}, 2);  // no device follows it: solid
    EXPECT_TRUE(context.state().dash.empty());

    dvxtest::RecordingContext outer, inner;
    {
        port::DrawingScope a(outer);
        { port::DrawingScope b(inner); EXPECT_EQ(&port::currentDrawingContext(), &inner); }
        EXPECT_EQ(&port::currentDrawingContext(), &outer);
    }
    EXPECT_EQ(&port::currentDrawingContext(), &context);
    context.translate(5, 5);
    port::ResetServices();
    EXPECT_EQ(port::currentDrawingContext().currentMatrix().tx, 0);
}

TEST_F(DrawingContextTest, CurvedShapesAreBoundedByTheirCurvesNotTheirControlPoints) {
    const struct {
        void (*build)(port::Path&);
        port::Rect bounds;
    } rows[] = {
        {[](port::Path& p) { p.appendOval({0, 0, 40, 20}); }, {0, 0, 40, 20}},
        // The top of the circle, whose control points stand above it.
        {[](port::Path& p) { p.appendArc({0, 0}, 10, 45, 135, false); },
         {-7.0710678, 7.0710678, 14.1421356, 2.9289322}},
        {[](port::Path& p) { p.appendArc({0, 0}, 10, 0, 90, false); }, {0, 0, 10, 10}},
        {[](port::Path& p) { p.appendArc({0, 0}, 10, 0, 90, true); }, {-10, -10, 20, 20}},
        {[](port::Path& p) { p.moveTo(-30, 0), p.appendArc({0, 0}, 10, 180, 360, false); },
         {-30, -10, 40, 10}},
    };
    for (const auto& row : rows) {
        port::Path path;
        row.build(path);
        const port::Rect b = path.bounds();
        EXPECT_NEAR(b.x, row.bounds.x, 1e-3);
        EXPECT_NEAR(b.y, row.bounds.y, 1e-3);
        EXPECT_NEAR(b.width, row.bounds.width, 1e-3);
        EXPECT_NEAR(b.height, row.bounds.height, 1e-3);
    }
}

}  // namespace

// The drawing context's state stack, the current context, and the path shapes contexts draw.
#include "port/drawing.h"
#include "port/services.h"
#include "support/doubles.h"
#include "support/drawing_doubles.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class DrawingContextTest : public dvxtest::ServicesTest {};

// Nested draws see their own state and leave the outer one as it was.
TEST_F(DrawingContextTest, RestoreBringsBackEveryPartOfTheState) {
    port::DrawingContext& context = port::currentDrawingContext();
    ASSERT_EQ(&context, &port::defaultDrawingContext());
    context.save();
    context.setFillColor({1, 0, 0, 1});
    context.setStrokeColor({0, 1, 0, 1});
    context.setLineWidth(0);
    context.setLineDash({3, 3}, 1);
    context.setAntialiasing(false);
    context.translate(10, 20);
    context.rotate(90);
    EXPECT_NEAR(context.currentMatrix().map({1, 0}).x, 10, 1e-12);
    EXPECT_NEAR(context.currentMatrix().map({1, 0}).y, 21, 1e-12);
    context.restore();
    context.restore();  // unmatched: nothing
    const port::GraphicsState& s = context.state();
    EXPECT_EQ(s.fill, (port::Color{0, 0, 0, 1}));
    EXPECT_EQ(s.lineWidth, 1);
    EXPECT_TRUE(s.dash.empty());
    EXPECT_TRUE(s.antialias);
    EXPECT_EQ(s.matrix.tx, 0);

    // A dash the device cannot follow strokes solid.
    context.setLineDash({3, -1}, 2);
    EXPECT_TRUE(context.state().dash.empty());
    EXPECT_EQ(context.state().dashPhase, 0);

    // Scopes nest; the built-in default comes back fresh after a reset.
    dvxtest::RecordingContext outer, inner;
    {
        port::DrawingScope a(outer);
        {
            port::DrawingScope b(inner);
            EXPECT_EQ(&port::currentDrawingContext(), &inner);
        }
        EXPECT_EQ(&port::currentDrawingContext(), &outer);
    }
    EXPECT_EQ(&port::currentDrawingContext(), &context);
    context.save();
    context.translate(5, 5);
    port::ResetServices();
    EXPECT_EQ(port::defaultDrawingContext().currentMatrix().tx, 0);
    EXPECT_FALSE(port::defaultDrawingContext().measureText("abc", LOGFONT{}));
    EXPECT_EQ(port::systemColors().keyboardFocusIndicatorColor().alpha, 1.0f);
}

TEST_F(DrawingContextTest, ShapesAreBoundedByWhatTheyDraw) {
    struct Row {
        const char* shape;
        void (*build)(port::Path&);
        port::Rect bounds;
        int elements;
    };
    const Row rows[] = {
        {"rectangle", [](port::Path& p) { p.appendRect({10, 20, 30, 40}); }, {10, 20, 30, 40}, 5},
        // Control points of an oval lie outside it; its bounds do not.
        {"oval", [](port::Path& p) { p.appendOval({0, 0, 40, 20}); }, {0, 0, 40, 20}, 6},
        {"quarter arc towards +y", [](port::Path& p) { p.appendArc({0, 0}, 10, 0, 90, false); },
         {0, 0, 10, 10}, 2},
        {"three quarters the other way",
         [](port::Path& p) { p.appendArc({0, 0}, 10, 0, 90, true); }, {-10, -10, 20, 20}, 4},
        {"arc joined to the current point",
         [](port::Path& p) {
             p.moveTo(-30, 0);
             p.appendArc({0, 0}, 10, 180, 360, false);
         },
         {-30, -10, 40, 10}, 4},
        {"empty", [](port::Path&) {}, {0, 0, 0, 0}, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.shape);
        port::Path path;
        row.build(path);
        const port::Rect b = path.bounds();
        EXPECT_NEAR(b.x, row.bounds.x, 1e-9);
        EXPECT_NEAR(b.y, row.bounds.y, 1e-9);
        EXPECT_NEAR(b.width, row.bounds.width, 1e-9);
        EXPECT_NEAR(b.height, row.bounds.height, 1e-9);
        EXPECT_EQ(static_cast<int>(path.elements().size()), row.elements);
    }
    // The arc is a circle: its mid-point lies on it.
    port::Path arc;
    arc.appendArc({0, 0}, 10, 0, 90, false);
    const auto& c = arc.elements()[1].p;
    const double mx = (10 + 3 * c[0] + 3 * c[2] + c[4]) / 8, my = (3 * c[1] + 3 * c[3] + c[5]) / 8;
    EXPECT_NEAR(std::hypot(mx, my), 10, 0.01);
}

}  // namespace

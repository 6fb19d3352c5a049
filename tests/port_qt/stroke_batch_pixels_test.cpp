// Strokes the painter context holds back and the painter state it keeps between operations
// put down the pixels each operation would on its own: every operation is replayed into a
// fresh context of its own over the same image and the two images compared.
#include "port/qt/painter_context.h"
#include "support/drawing_doubles.h"

#include <QImage>

#include <gtest/gtest.h>

#include <functional>

namespace {

using Draw = std::function<void(port::DrawingContext&)>;

constexpr port::Color kRed{1, 0, 0, 1}, kBlue{0, 0, 1, 1}, kGreen{0, 0.5f, 0, 1};

QImage Canvas() {
    QImage image(160, 120, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

void Line(port::DrawingContext& c, double x1, double y1, double x2, double y2) { c.strokeLine({x1, y1}, {x2, y2}); }

void Box(port::DrawingContext& c, double x, double y, double w, double h) {
    port::Path path;
    path.appendRect({x, y, w, h});
    c.fillPath(path);
}

// Each recorded operation in a context opened for it alone, in the state it was made in. A
// line goes as a path of more than one line's elements, stroked as any path is.
QImage OneByOne(const Draw& draw, bool antialias) {
    dvxtest::RecordingContext recorded;
    recorded.setAntialiasing(antialias);
    draw(recorded);
    QImage image = Canvas();
    for (const dvxtest::DrawnOp& op : recorded.ops) {
        port::qt::QPainterContext context(&image);
        const port::GraphicsState& s = op.state;
        context.setAntialiasing(s.antialias);
        context.setStrokeColor(s.stroke);
        context.setFillColor(s.fill);
        context.setLineWidth(s.lineWidth);
        context.setLineDash(s.dash, s.dashPhase);
        context.translate(s.matrix.tx, s.matrix.ty);
        if (op.kind == dvxtest::DrawnOp::Kind::Fill) {
            context.fillPath(op.path);
        } else if (op.kind == dvxtest::DrawnOp::Kind::Segments) {
            for (size_t i = 0; i + 1 < op.points.size(); i += 2) {
                port::Path path;
                path.moveTo(op.points[i].x, op.points[i].y);
                path.lineTo(op.points[i + 1].x, op.points[i + 1].y);
                path.moveTo(op.points[i + 1].x, op.points[i + 1].y);
                context.strokePath(path);  // solid segments only: a dashed call dashes across them
            }
        } else {
            port::Path path = op.path;
            const port::Path::Element& end = path.elements().back();
            path.moveTo(end.p[0], end.p[1]);
            context.strokePath(path);
        }
    }
    return image;
}

QImage AllAtOnce(const Draw& draw, bool antialias) {
    QImage image = Canvas();
    port::qt::QPainterContext context(&image);
    context.setAntialiasing(antialias);
    draw(context);
    return image;
}

TEST(StrokeBatchPixels, HeldBackStrokesAndKeptStateDrawAsEachOperationAlone) {
    const struct {
        const char* what;
        Draw draw;
    } rows[] = {
        {"lines of one pen on both sides of a fill over them",
         [](port::DrawingContext& c) {
             c.setStrokeColor(kRed), c.setFillColor(kBlue);
             Line(c, 5, 10, 150, 10), Line(c, 5, 20, 150, 90), Line(c, 20, 5, 20, 110);
             Box(c, 10, 5, 60, 60);
             Line(c, 5, 30, 150, 30), Line(c, 40, 5, 40, 110);
             Box(c, 30, 25, 20, 20);
         }},
        {"colours and widths change between lines",
         [](port::DrawingContext& c) {
             c.setStrokeColor(kRed), Line(c, 5, 10, 150, 100);
             c.setStrokeColor(kBlue), Line(c, 5, 100, 150, 10);
             c.setLineWidth(3), Line(c, 5, 50, 150, 55);
             c.setLineWidth(1), c.setStrokeColor(kRed), Line(c, 80, 5, 75, 115);
             c.setFillColor(kGreen), Box(c, 60, 40, 30, 30);
             c.setStrokeColor(kGreen), Line(c, 60, 20, 100, 90);
         }},
        {"dashed lines each start their own dashes, between solid ones",
         [](port::DrawingContext& c) {
             c.setStrokeColor(kBlue);
             c.setLineDash({3, 3}, 0);
             for (int i = 0; i < 8; ++i) Line(c, 5 + 4 * i, 10 + 12 * i, 150 - 3 * i, 15 + 11 * i);
             c.setLineDash({}, 0), Line(c, 5, 60, 150, 60);
             c.setLineDash({18, 6}, 0), Line(c, 7, 5, 9, 115), Line(c, 9, 115, 150, 113);
             c.setLineWidth(3), Line(c, 30, 100, 140, 20);
         }},
        {"a moved origin and a turned-back state between lines",
         [](port::DrawingContext& c) {
             c.setStrokeColor(kRed), Line(c, 5, 10, 100, 10);
             c.save();
             c.translate(17, 23), c.setStrokeColor(kBlue);
             Line(c, 5, 10, 100, 10), Box(c, 0, 20, 30, 30), Line(c, 0, 0, 60, 60);
             c.restore();
             Line(c, 5, 12, 100, 80);
         }},
        {"segments in one call beside single lines",
         [](port::DrawingContext& c) {
             c.setStrokeColor(kGreen), Line(c, 5, 5, 150, 115);
             const port::Point segments[] = {{5, 100}, {150, 5}, {10, 60}, {140, 60}, {70, 2}, {72, 118}};
             c.strokeLineSegments(segments);
             c.setLineDash({3, 3}, 0), Line(c, 5, 50, 150, 70);
             c.setLineDash({}, 0), c.strokeLineSegments(segments);
             c.setStrokeColor(kRed), Line(c, 5, 115, 150, 5);
         }},
        {"a region filled and outlined, then another of as many corners",
         [](port::DrawingContext& c) {
             port::Path a, b;
             a.appendRect({10, 10, 60, 40}), b.appendRect({50, 30, 60, 40});
             c.setFillColor(kGreen), c.setStrokeColor(kRed);
             c.fillPath(a), c.strokePath(a), c.fillPath(b), c.strokePath(b), c.strokePath(a);
         }},
    };
    for (const auto& row : rows)
        for (bool antialias : {false, true}) {
            const QImage once = AllAtOnce(row.draw, antialias), alone = OneByOne(row.draw, antialias);
            EXPECT_NE(once, Canvas()) << row.what;
            EXPECT_EQ(once, alone) << row.what << (antialias ? ", antialiased" : "");
        }
}

}  // namespace

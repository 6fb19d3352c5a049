// Held-back strokes and kept painter state draw what each operation alone, in a fresh context, would.
#include "port/qt/painter_context.h"
#include "support/drawing_doubles.h"
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <gtest/gtest.h>

#include <functional>

namespace {

using Context = port::DrawingContext;
constexpr port::Color kRed{1, 0, 0, 1}, kBlue{0, 0, 1, 1}, kGreen{0, 0.5f, 0, 1};

QImage Canvas() {
    QImage image(160, 120, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

void Line(Context& c, double x1, double y1, double x2, double y2) { c.strokeLine({x1, y1}, {x2, y2}); }
port::Path Box(double x, double y, double w, double h) {
    port::Path path;
    path.appendRect({x, y, w, h});
    return path;
}

// A line goes as a path of more than a line's elements, stroked as any path is.
QImage OneByOne(const std::function<void(Context&)>& draw, bool antialias) {
    dvxtest::RecordingContext recorded;
    recorded.setAntialiasing(antialias);
    draw(recorded);
    QImage image = Canvas();
    for (const dvxtest::DrawnOp& op : recorded.ops) {
        port::qt::QPainterContext context(&image);
        const port::GraphicsState& s = op.state;
        context.setAntialiasing(s.antialias), context.setStrokeColor(s.stroke), context.setFillColor(s.fill);
        context.setLineWidth(s.lineWidth), context.setLineDash(s.dash, s.dashPhase), context.translate(s.matrix.tx, s.matrix.ty);
        port::Path path = op.path;
        if (op.kind == dvxtest::DrawnOp::Kind::Fill) context.fillPath(path);
        else path.moveTo(path.elements().back().p[0], path.elements().back().p[1]), context.strokePath(path);
    }
    return image;
}

TEST(StrokeBatchPixels, HeldBackStrokesAndKeptStateDrawAsEachOperationAlone) {
    const std::pair<const char*, std::function<void(Context&)>> rows[] = {
        {"lines of one pen on both sides of fills over them",
         [](Context& c) {
             c.setStrokeColor(kRed), c.setFillColor(kBlue);
             Line(c, 5, 10, 150, 10), Line(c, 5, 20, 150, 90), c.fillPath(Box(10, 5, 60, 60));
             Line(c, 5, 30, 150, 30), Line(c, 40, 5, 40, 110), c.fillPath(Box(30, 25, 20, 20));
         }},
        {"colour, width, dash and origin change between lines; dashes start afresh on each line",
         [](Context& c) {
             c.setStrokeColor(kRed), Line(c, 5, 10, 150, 100);
             c.setStrokeColor(kBlue), Line(c, 5, 100, 150, 10), c.setLineWidth(3), Line(c, 5, 50, 150, 55);
             c.setLineWidth(1), c.setLineDash({3, 3}, 0);
             for (int i = 0; i < 6; ++i) Line(c, 5 + 4 * i, 10 + 12 * i, 150 - 3 * i, 15 + 11 * i);
             c.save(), c.translate(17, 23), c.setLineDash({18, 6}, 0), Line(c, 7, 5, 9, 115);
             c.setLineDash({}, 0), Line(c, 0, 0, 60, 60), c.restore(), Line(c, 5, 12, 100, 80);
         }},
        {"a region filled and outlined, then another of as many corners",
         [](Context& c) {
             const port::Path a = Box(10, 10, 60, 40), b = Box(50, 30, 60, 40);
             c.setFillColor(kGreen), c.setStrokeColor(kRed);
             c.fillPath(a), c.strokePath(a), c.fillPath(b), c.strokePath(b), c.strokePath(a);
         }},
    };
    for (const auto& [what, draw] : rows)
        for (bool antialias : {false, true}) {
            QImage once = Canvas();
            {
                port::qt::QPainterContext context(&once);
                context.setAntialiasing(antialias), draw(context);
            }
            EXPECT_EQ(once, OneByOne(draw, antialias)) << what << (antialias ? ", antialiased" : "");
        }
}

// A rectangle goes down without its path only where the pixels are the path's.
TEST(StrokeBatchPixels, FillsDrawAsThePainterFillsTheirPath) {
    const QPolygonF rectangle(QRectF(10, 12, 70, 40)), other({{10, 9}, {80, 9}, {90, 60}, {9, 60}});
    for (const QPolygonF& shape : {rectangle, other})
        for (double moved : {7.0, 0.495, 0.37})
            for (bool antialias : {false, true}) {
                QImage mine = Canvas(), painters = Canvas();
                port::Path path;
                QPainterPath theirs;
                for (QPointF c : shape)
                    path.empty() ? path.moveTo(c.x(), c.y()) : path.lineTo(c.x(), c.y());
                theirs.addPolygon(shape);
                for (QImage* image : {&painters, &mine}) {
                    QPainter p(image);
                    p.translate(moved, moved), p.setRenderHint(QPainter::Antialiasing, antialias);
                    port::qt::QPainterContext context(p);
                    context.setAntialiasing(antialias), context.setFillColor(kGreen);
                    if (image == &mine) context.fillPath(path);
                    else p.fillPath(theirs, QColor::fromRgbF(0, 0.5, 0));
                }
                EXPECT_EQ(mine, painters) << shape.size() << " corners, moved " << moved << antialias;
            }
}

}  // namespace

// Held-back strokes and kept painter state draw what each operation alone, in a fresh context, would.
#include "port/qt/painter_context.h"
#include "support/drawing_doubles.h"
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <vector>

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

// Each line in a context of its own, as a dashed line was always drawn: its dashes start afresh.
// Crossing lines, then short ones about as long as the first dash (some off the pixel grid).
TEST(StrokeBatchPixels, DashedLinesInOneCallDrawAsEachLineAlone) {
    const std::vector<double> dashes[] = {{3, 3}, {18, 6}, {60, 6, 7, 6}};
    for (bool antialias : {false, true})
        for (double width : {0.0, 1.0, 1.5, 3.0})
            for (const std::vector<double>& dash : dashes)
                for (double phase : {0.0, 5.0}) {
                    auto draw = [&](const std::function<Context&()>& context) {
                        auto line = [&](double x1, double y1, double x2, double y2) {
                            Context& c = context();
                            c.setAntialiasing(antialias), c.setStrokeColor(kBlue);
                            c.setLineWidth(width), c.setLineDash(dash, phase);
                            c.save(), c.translate(3, -2), Line(c, x1, y1, x2, y2), c.restore();
                        };
                        for (int i = 0; i < 40; ++i) {
                            const double x = (i * 37) % 170 - 5, y = (i * 23) % 130 - 5, len = (i * 29) % 70;
                            const double dx = i % 4 == 1 ? 0 : i % 4 == 0 ? len : (i * 13) % 71 - 35;
                            const double dy = i % 4 == 0 ? 0 : i % 4 == 1 ? len : (i * 17) % 61 - 30;
                            line(x + 0.5 * (i % 5 == 0), y, x + dx, y + dy);
                        }
                        const int most = int(std::min(dash[0], 20.0)) + 2;
                        for (int i = 0; i < 60; ++i) {
                            const int major = i % (most + 1), minor = (i * 7) % (major + 1);
                            const double x = 10 + (i * 31) % 140, y = 10 + (i * 19) % 100 + 0.5 * (i % 9 == 4);
                            const int sx = i % 3 == 0 ? -1 : 1, sy = i % 4 < 2 ? -1 : 1;
                            if (i % 2) line(x, y, x + sx * major, y + sy * minor);
                            else line(x, y, x + sx * minor, y + sy * major);
                        }
                    };
                    QImage batched = Canvas(), alone = Canvas();
                    {
                        port::qt::QPainterContext one(&batched);
                        draw([&]() -> Context& { return one; });
                    }
                    std::unique_ptr<port::qt::QPainterContext> each;
                    draw([&]() -> Context& {
                        each.reset();  // one painter on the image at a time
                        return *(each = std::make_unique<port::qt::QPainterContext>(&alone));
                    });
                    each.reset();
                    EXPECT_EQ(batched, alone) << "width " << width << " dash " << dash[0] << " phase " << phase
                                              << (antialias ? ", antialiased" : "");
                }
}

}  // namespace

namespace {

// A rectangle is filled without its path where the pixels are the same (on whole pixels, or
// off them without antialiasing); any other shape keeps the path's fill.
TEST(StrokeBatchPixels, FillsDrawAsThePainterFillsTheirPath) {
    auto poly = [](std::initializer_list<port::Point> points, bool close) {
        port::Path path;
        for (const port::Point& p : points) path.empty() ? path.moveTo(p.x, p.y) : path.lineTo(p.x, p.y);
        if (close) path.closePath();
        return path;
    };
    const std::pair<const char*, port::Path> shapes[] = {
        {"a rectangle", Box(10, 12, 70, 40)},
        {"a rectangle drawn the other way round, its start repeated, open",
         poly({{90, 100}, {90, 30}, {20, 30}, {20, 100}, {90, 100}}, false)},
        {"a rectangle off the pixel grid", Box(10.5, 12.25, 70, 40.75)},
        {"a rectangle of no width", Box(30, 10, 0, 50)},
        {"a rectangle given back to front", poly({{80, 60}, {10, 60}, {10, 5}, {80, 5}}, true)},
        {"four corners that are not a rectangle", poly({{10, 10}, {80, 10}, {90, 60}, {10, 60}}, true)},
        {"a rectangle with a fifth corner elsewhere", poly({{10, 10}, {80, 10}, {80, 60}, {10, 60}, {10, 20}}, true)},
    };
    struct Place {
        const char* what;
        port::Matrix matrix;
    };
    const Place places[] = {{"as given", {1, 0, 0, 1, 0, 0}},
                            {"moved by whole pixels", {1, 0, 0, 1, 7, -3}},
                            {"moved by half a pixel", {1, 0, 0, 1, 0.5, 0}},
                            {"moved by a little less than half a pixel", {1, 0, 0, 1, 0.495, 0}},
                            {"moved by part of a pixel", {1, 0, 0, 1, 0.37, 0.81}},
                            {"doubled and flipped", {2, 0, 0, -2, 0, 118}},
                            {"scaled off the pixel grid", {1.3, 0, 0, 1.3, 0, 0}},
                            {"turned", {0.8, 0.6, -0.6, 0.8, 40, 0}}};
    for (const auto& [shape, path] : shapes)
        for (const Place& place : places)
            for (bool antialias : {false, true})
                for (port::Color color : {kGreen, port::Color{0, 0, 1, 0.5f}}) {
                    QImage mine = Canvas(), painters = Canvas();
                    const port::Matrix& m = place.matrix;
                    {
                        QPainter painter(&mine);
                        painter.setWorldTransform(QTransform(m.a, m.b, m.c, m.d, m.tx, m.ty));
                        port::qt::QPainterContext context(painter);
                        context.setAntialiasing(antialias), context.setFillColor(color);
                        context.fillPath(path);
                    }
                    QPainter painter(&painters);
                    painter.setRenderHint(QPainter::Antialiasing, antialias);
                    painter.setWorldTransform(QTransform(m.a, m.b, m.c, m.d, m.tx, m.ty));
                    QPainterPath qpath;
                    for (const port::Path::Element& e : path.elements())
                        e.kind == port::Path::Kind::Move   ? qpath.moveTo(e.p[0], e.p[1])
                        : e.kind == port::Path::Kind::Line ? qpath.lineTo(e.p[0], e.p[1])
                                                           : qpath.closeSubpath();
                    qpath.setFillRule(Qt::WindingFill);
                    painter.fillPath(qpath, QColor::fromRgbF(color.red, color.green, color.blue, color.alpha));
                    painter.end();
                    EXPECT_EQ(mine, painters) << shape << ", " << place.what << (antialias ? ", antialiased" : "")
                                              << ", alpha " << color.alpha;
                }
}

}  // namespace

#include "plants_draw.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <functional>

namespace contentgen::plants {

namespace {

using texturing::Mix;
using texturing::Random;
using texturing::Rgb;
using texturing::Scale;
using texturing::ToQColor;

constexpr double kPi = 3.14159265358979323846;
constexpr double kGround = kSide;  // the line the plant is drawn standing on
constexpr double kMiddle = kSide / 2.0;
// Pixels darker than this in every channel become the key colour; nothing is drawn this dark.
constexpr int kKeyLimit = 14;

// Everything one plant is drawn with: the look, its numbers and the painter.
struct Canvas {
    const Look& look;
    QPainter& p;
    Random random;

    Canvas(const Look& l, QPainter& painter) : look(l), p(painter), random(l.seed) {}

    // The foliage colour from shade (0) to sun (1).
    QColor leaf(double t) const {
        t = std::clamp(t, 0.0, 1.0);
        return ToQColor(t < 0.5 ? Mix(look.dark, look.mid, t * 2) : Mix(look.mid, look.light, (t - 0.5) * 2));
    }
    void fill(const QPainterPath& path, const QColor& colour) { p.fillPath(path, colour); }
    void disc(QPointF at, double rx, double ry, const QColor& colour) {
        p.setPen(Qt::NoPen), p.setBrush(colour);
        p.drawEllipse(at, rx, ry);
    }
    void stroke(const QPainterPath& path, const QColor& colour, double width) {
        p.setBrush(Qt::NoBrush), p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(path);
    }
    void line(QPointF a, QPointF b, const QColor& colour, double width) {
        QPainterPath path(a);
        path.lineTo(b);
        stroke(path, colour, width);
    }
    void curve(QPointF a, QPointF control, QPointF b, const QColor& colour, double width) {
        QPainterPath path(a);
        path.quadTo(control, b);
        stroke(path, colour, width);
    }
    // A trunk tapering from the ground to `top`, lit from the left.
    void trunk(double x, double top, double bottomWidth, double topWidth, Rgb bark, double lean = 0) {
        QPainterPath path(QPointF(x - bottomWidth / 2, kGround));
        path.quadTo(QPointF(x - topWidth / 2 + lean / 2, (kGround + top) / 2), QPointF(x - topWidth / 2 + lean, top));
        path.lineTo(QPointF(x + topWidth / 2 + lean, top));
        path.quadTo(QPointF(x + topWidth / 2 + lean / 2, (kGround + top) / 2), QPointF(x + bottomWidth / 2, kGround));
        path.closeSubpath();
        QLinearGradient light(x - bottomWidth / 2, 0, x + bottomWidth / 2, 0);
        light.setColorAt(0, ToQColor(Scale(bark, 1.3))), light.setColorAt(1, ToQColor(Scale(bark, 0.7)));
        p.fillPath(path, light);
    }
    // Leaf dabs scattered over `region`, lighter up and to the left of `centre`.
    void dabs(const QPainterPath& region, int count, double rMin, double rMax, QPointF centre, double reach) {
        const QRectF box = region.boundingRect();
        for (int i = 0; i < count; ++i) {
            QPointF at;
            int tries = 0;
            do at = QPointF(random.range(box.left(), box.right()), random.range(box.top(), box.bottom()));
            while (!region.contains(at) && ++tries < 20);
            if (tries >= 20) continue;
            const double lit = 0.5 + ((centre.x() - at.x()) * 0.4 + (centre.y() - at.y()) * 0.8) / reach;
            const double r = random.range(rMin, rMax);
            disc(at, r, r * random.range(0.6, 0.9), leaf(lit + random.range(-0.25, 0.25)));
        }
    }
    // Flowers or fruit: `count` blossoms over the region.
    void blossoms(const QPainterPath& region, int count, double r) {
        const QRectF box = region.boundingRect();
        for (int i = 0; i < count; ++i) {
            const QPointF at(random.range(box.left(), box.right()), random.range(box.top(), box.bottom()));
            if (!region.contains(at)) continue;
            const double k = random.range(0.85, 1.15);
            disc(at, r, r, ToQColor(Scale(look.flower, k)));
            if (r >= 2.5) disc(at + QPointF(-r / 3, -r / 3), r / 3, r / 3, ToQColor(Scale(look.flower, k * 1.25)));
        }
    }
    // A daisy-like head: petals round a centre.
    void flowerHead(QPointF at, double r, int petals, double droop) {
        for (int k = 0; k < petals; ++k) {
            const double a = 2 * kPi * k / petals + random.range(-0.1, 0.1);
            const QPointF tip = at + QPointF(std::cos(a) * r, std::sin(a) * r * 0.55 + droop * r * 0.4);
            line(at, tip, ToQColor(Scale(look.flower, random.range(0.85, 1.1))), r * 0.45);
        }
        disc(at, r * 0.35, r * 0.3, ToQColor(look.flowerCentre));
    }
    // A leaf shaped like a lens from `base` to `tip`.
    void leafBlade(QPointF base, QPointF tip, double width, const QColor& colour, bool rib = false) {
        const QPointF d = tip - base, n(-d.y(), d.x());
        const double length = std::hypot(d.x(), d.y());
        if (length <= 0) return;
        const QPointF side = n / length * width;
        QPainterPath path(base);
        path.quadTo(base + d / 2 + side, tip);
        path.quadTo(base + d / 2 - side, base);
        fill(path, colour);
        if (rib) line(base, tip, colour.lighter(130), 1);
    }
    // An irregular crown: an ellipse with lobes round its rim.
    QPainterPath crown(QPointF centre, double rx, double ry, int lobes, double lobe) {
        QPainterPath path;
        path.setFillRule(Qt::WindingFill);  // the lobes overlap: their union, not their difference
        path.addEllipse(centre, rx * 0.85, ry * 0.85);
        for (int k = 0; k < lobes; ++k) {
            const double a = 2 * kPi * (k + random.range(-0.3, 0.3)) / lobes;
            const double r = random.range(0.7, 1.0) * lobe;
            path.addEllipse(centre + QPointF(std::cos(a) * (rx - r * 0.7), std::sin(a) * (ry - r * 0.7)), r, r * 0.9);
        }
        return path.simplified();
    }
};

double CrownWidth(const Look& l) { return kSide * l.width / 2; }

void DrawBroadleaf(Canvas& c) {
    const Look& l = c.look;
    const double rx = CrownWidth(l), ry = kSide * l.crown / 2;
    const QPointF centre(kMiddle, ry + 4);
    c.trunk(kMiddle, centre.y(), 16 + rx * 0.06, 7, l.bark);
    for (int k = -2; k <= 2; ++k)
        c.line(QPointF(kMiddle, centre.y() + ry * 0.5), QPointF(kMiddle + k * rx * 0.35, centre.y() - ry * 0.2 * (2 - std::abs(k))),
               ToQColor(l.bark), 4);
    const QPainterPath region = c.crown(centre, rx, ry, 9, std::min(rx, ry) * 0.45);
    c.fill(region, c.leaf(0.05));
    c.dabs(region, 900, 3, 7, centre - QPointF(rx * 0.3, ry * 0.4), std::max(rx, ry));
    if (l.flowers) c.blossoms(region, l.flowers, 3.2);
}

void DrawTiered(Canvas& c) {
    const Look& l = c.look;
    const double rx = CrownWidth(l), top = kSide * (1 - l.crown);
    c.trunk(kMiddle, top + 30, 12, 6, l.bark);
    QPainterPath region;
    for (int tier = 0; tier < 4; ++tier) {
        const double y = top + 18 + tier * (kSide * l.crown - 50) / 3, w = rx * (0.6 + 0.13 * tier);
        c.line(QPointF(kMiddle, y + 12), QPointF(kMiddle - w * 0.8, y + 2), ToQColor(l.bark), 3);
        c.line(QPointF(kMiddle, y + 12), QPointF(kMiddle + w * 0.8, y + 2), ToQColor(l.bark), 3);
        QPainterPath layer;
        layer.addEllipse(QPointF(kMiddle, y), w, 16);
        region = region.united(layer);
    }
    c.dabs(region, 700, 3, 6, QPointF(kMiddle - rx * 0.3, top), kSide * l.crown);
    c.blossoms(region, l.flowers, 3.5);
}

void DrawConifer(Canvas& c) {
    const Look& l = c.look;
    const double half = CrownWidth(l), top = 4, bottom = kSide - 18;
    c.trunk(kMiddle, bottom - 10, 14, 10, l.bark);
    constexpr int kTiers = 9;
    for (int tier = 0; tier < kTiers; ++tier) {
        const double t0 = double(tier) / kTiers, t1 = double(tier + 1.6) / kTiers;
        const double yTop = top + (bottom - top) * t0, yLow = top + (bottom - top) * std::min(1.0, t1);
        const double w = half * std::min(1.0, t1) * c.random.range(0.9, 1.05);
        QPainterPath layer(QPointF(kMiddle, yTop));
        layer.quadTo(QPointF(kMiddle - w * 0.5, yLow - 10), QPointF(kMiddle - w, yLow));
        layer.quadTo(QPointF(kMiddle, yLow - 8), QPointF(kMiddle + w, yLow));
        layer.quadTo(QPointF(kMiddle + w * 0.5, yLow - 10), QPointF(kMiddle, yTop));
        c.fill(layer, c.leaf(0.1 + 0.04 * tier));
        c.dabs(layer, 120, 1.5, 3.5, QPointF(kMiddle - w * 0.5, yTop), yLow - yTop + w);
    }
}

void DrawPine(Canvas& c) {
    const Look& l = c.look;
    const double half = CrownWidth(l);
    c.trunk(kMiddle, 20, 16, 6, l.bark);
    const double clouds[][3] = {{-0.9, 120, 0.55}, {0.8, 100, 0.6}, {-0.5, 72, 0.5}, {0.55, 56, 0.5},
                                {-0.15, 38, 0.55}, {0.25, 22, 0.45}, {0.0, 10, 0.35}, {-0.75, 150, 0.4}};
    for (const auto& cloud : clouds) {
        const QPointF at(kMiddle + cloud[0] * half * 0.75, cloud[1]);
        c.line(QPointF(kMiddle, at.y() + 14), at + QPointF(0, 6), ToQColor(l.bark), 3);
        QPainterPath region;
        region.addEllipse(at, half * cloud[2], 14);
        c.fill(region, c.leaf(0.05));
        // Needles in tufts pointing up and out.
        for (int i = 0; i < 160; ++i) {
            const QPointF from(c.random.range(at.x() - half * cloud[2], at.x() + half * cloud[2]), c.random.range(at.y() - 8, at.y() + 12));
            if (!region.contains(from)) continue;
            const double a = -kPi / 2 + c.random.range(-1.2, 1.2);
            c.line(from, from + QPointF(std::cos(a) * 5, std::sin(a) * 5), c.leaf(0.4 + (at.y() - from.y()) / 30 + c.random.range(-0.2, 0.3)), 1.4);
        }
    }
}

void DrawBirch(Canvas& c) {
    const Look& l = c.look;
    const double rx = CrownWidth(l), ry = kSide * l.crown / 2;
    const QPointF centre(kMiddle, ry + 6);
    const Rgb bark{226, 224, 214}, mark{46, 42, 40};
    for (int k = -1; k <= 1; ++k) {
        const double x = kMiddle + k * 16, top = centre.y() - ry * 0.3;
        c.trunk(x, top, 9, 4, bark, k * 16);
        for (int m = 0; m < 9; ++m) {
            const double t = c.random.range(0.1, 0.9), y = kGround + (top - kGround) * t, xx = x + k * 16 * t;
            c.line(QPointF(xx - 3, y), QPointF(xx + c.random.range(-1, 3), y + 1), ToQColor(mark), 1.6);
        }
    }
    const QPainterPath region = c.crown(centre, rx, ry, 8, std::min(rx, ry) * 0.4);
    c.dabs(region, 650, 2.5, 5, centre - QPointF(rx * 0.3, ry * 0.4), std::max(rx, ry));
}

void DrawWeeping(Canvas& c) {
    const Look& l = c.look;
    const double rx = CrownWidth(l), ry = kSide * 0.3;
    const QPointF centre(kMiddle, ry + 8);
    c.trunk(kMiddle, centre.y(), 22, 10, l.bark);
    QPainterPath dome;
    dome.addEllipse(centre, rx * 0.75, ry);
    c.fill(dome, c.leaf(0.05));
    c.dabs(dome, 350, 2.5, 5, centre - QPointF(rx * 0.3, ry * 0.5), rx);
    // Strands fall from the dome's rim, curving out, nearly to the ground.
    for (int i = 0; i < 110; ++i) {
        const double a = c.random.range(-kPi * 0.95, -kPi * 0.05);
        const QPointF from = centre + QPointF(std::cos(a) * rx * 0.7, std::sin(a) * ry * 0.6 + ry * 0.4);
        const double out = (from.x() - kMiddle) / rx;
        const QPointF to(from.x() + out * rx * 0.45 + c.random.range(-6, 6), c.random.range(kGround - 40, kGround - 6));
        const QColor colour = c.leaf(0.35 + 0.4 * (1 - out) / 2 + c.random.range(-0.2, 0.2));
        c.curve(from, QPointF(from.x() + out * rx * 0.35, from.y() + 12), to, colour, 2.2);
    }
}

void DrawColumnar(Canvas& c) {
    const Look& l = c.look;
    const double half = CrownWidth(l);
    c.trunk(kMiddle, kGround - 16, 10, 8, l.bark);
    QPainterPath region(QPointF(kMiddle, 2));
    region.cubicTo(QPointF(kMiddle + half * 1.1, 60), QPointF(kMiddle + half, kGround - 40), QPointF(kMiddle, kGround - 12));
    region.cubicTo(QPointF(kMiddle - half, kGround - 40), QPointF(kMiddle - half * 1.1, 60), QPointF(kMiddle, 2));
    c.fill(region, c.leaf(0.05));
    c.dabs(region, 700, 2, 4.5, QPointF(kMiddle - half, 40), 120);
}

void DrawPalm(Canvas& c) {
    const Look& l = c.look;
    const QPointF top(kMiddle + 18, 52);
    QPainterPath stem(QPointF(kMiddle - 8, kGround));
    stem.quadTo(QPointF(kMiddle - 12, 150), top);
    c.stroke(stem, ToQColor(l.bark), 12);
    for (int ring = 0; ring < 20; ++ring) {
        const QPointF at = stem.pointAtPercent(ring / 20.0);
        c.line(at - QPointF(5, 0), at + QPointF(5, -1), ToQColor(Scale(l.bark, 0.7)), 1.2);
    }
    for (int f = 0; f < 11; ++f) {
        const double a = -kPi + kPi * f / 10 + c.random.range(-0.1, 0.1);
        const double reach = c.random.range(70, 105);
        const QPointF tip = top + QPointF(std::cos(a) * reach, std::sin(a) * reach * 0.5 + reach * 0.55);
        const QPointF control = top + QPointF(std::cos(a) * reach * 0.6, std::sin(a) * reach * 0.6 - 10);
        QPainterPath rib(top);
        rib.quadTo(control, tip);
        for (int k = 1; k < 24; ++k) {
            const double t = k / 24.0;
            const QPointF at = rib.pointAtPercent(t), ahead = rib.pointAtPercent(std::min(1.0, t + 0.02));
            const QPointF d = ahead - at, n = QPointF(-d.y(), d.x()) / std::max(1e-6, std::hypot(d.x(), d.y()));
            const double length = 16 * std::sin(kPi * (0.15 + 0.85 * t));
            const QColor colour = c.leaf(0.3 + 0.5 * (1 - t) + c.random.range(-0.15, 0.15));
            c.line(at, at + n * length + QPointF(0, length * 0.6), colour, 1.6);
            c.line(at, at - n * length + QPointF(0, length * 0.6), colour, 1.6);
        }
        c.stroke(rib, c.leaf(0.6), 2);
    }
    c.disc(top + QPointF(0, 6), 7, 6, ToQColor({120, 90, 50}));
}

// Shrubs and perennials sit on the ground: a mound whose base is cut flat.
QPainterPath MoundRegion(Canvas& c, double width, double height, int lobes) {
    const QPointF centre(kMiddle, kGround - height / 2);
    QPainterPath region = c.crown(centre, width / 2, height / 2, lobes, std::min(width, height) * 0.22);
    QPainterPath ground;
    ground.addRect(0, 0, kSide, kGround);
    return region.intersected(ground);
}

// A mound of leaves the look's width and height, filled and dabbed; its outline.
QPainterPath LeafyMound(Canvas& c, int lobes, int dabs, double rMin, double rMax) {
    const double w = kSide * c.look.width, h = kSide * c.look.crown;
    const QPainterPath region = MoundRegion(c, w, h, lobes);
    c.fill(region, c.leaf(0.05));
    c.dabs(region, dabs, rMin, rMax, QPointF(kMiddle - w * 0.2, kGround - h), std::max(w, h) * 0.6);
    return region;
}

void DrawMound(Canvas& c) {
    const Look& l = c.look;
    const QPainterPath region = LeafyMound(c, 10, 900, 2.5, 5.5);
    if (l.variant == 1) {  // fruit
        c.blossoms(region, l.flowers, 7);
        return;
    }
    // Flowers in heads of small florets.
    const QRectF box = region.boundingRect();
    for (int i = 0; i < l.flowers; ++i) {
        const QPointF at(c.random.range(box.left(), box.right()), c.random.range(box.top(), box.bottom() - 20));
        if (!region.contains(at)) continue;
        const double r = c.random.range(8, 13);
        for (int k = 0; k < 26; ++k) {
            const double a = c.random.range(0, 2 * kPi), d = r * std::sqrt(c.random.unit());
            c.disc(at + QPointF(std::cos(a) * d, std::sin(a) * d * 0.85), 2.4, 2.4,
                   ToQColor(Scale(l.flower, 0.8 + 0.35 * (0.5 - std::sin(a) * d / r * 0.5))));
        }
    }
}

void DrawSpreading(Canvas& c) {
    const Look& l = c.look;
    const double w = kSide * l.width, h = kSide * l.crown;
    // Sprays rise from the base and lean out, the outer ones lowest.
    for (int spray = 0; spray < 44; ++spray) {
        const double out = c.random.range(-1, 1);
        const QPointF from(kMiddle + out * 12, kGround - 2);
        const QPointF to(kMiddle + out * w * 0.5, kGround - h * c.random.range(0.55, 1.0) * (1 - 0.55 * out * out));
        QPainterPath spine(from);
        spine.quadTo(QPointF(kMiddle + out * w * 0.2, to.y()), to);
        c.stroke(spine, c.leaf(0.05), 3);
        for (int k = 0; k < 70; ++k) {
            const double t = c.random.range(0.15, 1.0);
            const QPointF at = spine.pointAtPercent(t);
            const double b = -kPi / 2 + out * 0.9 + c.random.range(-1.3, 1.3);
            const double length = 4 + 5 * (1 - t);
            c.line(at, at + QPointF(std::cos(b) * length, std::sin(b) * length), c.leaf(c.random.range(0.1, 0.95)), 2.2);
        }
    }
}

void DrawArching(Canvas& c) {
    const Look& l = c.look;
    const double w = kSide * l.width, h = kSide * l.crown;
    for (int cane = 0; cane < 30; ++cane) {
        const double side = c.random.range(-1, 1);
        const QPointF from(kMiddle + side * 12, kGround);
        const QPointF top(kMiddle + side * w * 0.3, kGround - h * c.random.range(0.7, 1.0));
        const QPointF to(kMiddle + side * w * 0.5, kGround - h * c.random.range(0.2, 0.5));
        QPainterPath path(from);
        path.cubicTo(top, top + QPointF(side * 20, 0), to);
        c.stroke(path, ToQColor(l.bark), 1.6);
        for (int k = 0; k < 22; ++k) {
            const QPointF at = path.pointAtPercent(c.random.range(0.25, 1.0));
            c.disc(at + QPointF(c.random.range(-3, 3), c.random.range(-3, 3)), 2.6, 2.2,
                   k % 5 == 0 ? c.leaf(0.6) : ToQColor(Scale(l.flower, c.random.range(0.85, 1.15))));
        }
    }
}

void DrawHedge(Canvas& c) {
    const Look& l = c.look;
    const double w = kSide * l.width, h = kSide * l.crown;
    QPainterPath region;
    region.addRoundedRect(QRectF(kMiddle - w / 2, kGround - h, w, h - 2), 14, 14);
    c.fill(region, c.leaf(0.1));
    c.dabs(region, 1400, 2, 4, QPointF(kMiddle - w * 0.3, kGround - h), std::max(w, h) * 0.6);
}

// Ribs of a cactus part: darker grooves along it.
void CactusPart(Canvas& c, const QRectF& box, double radius) {
    QPainterPath part;
    part.addRoundedRect(box, radius, radius);
    QLinearGradient light(box.left(), 0, box.right(), 0);
    light.setColorAt(0, c.leaf(0.8)), light.setColorAt(0.4, c.leaf(0.55)), light.setColorAt(1, c.leaf(0.1));
    c.p.fillPath(part, light);
    const int ribs = std::max(2, int(box.width() / 7));
    for (int k = 1; k < ribs; ++k) {
        const double x = box.left() + box.width() * k / ribs;
        c.line(QPointF(x, box.top() + radius * 0.6), QPointF(x, box.bottom() - 2), c.leaf(0.0), 1);
    }
}

void DrawSaguaro(Canvas& c) {
    const double w = 40;
    CactusPart(c, QRectF(kMiddle - w / 2, 6, w, kGround - 4), w / 2);
    // Arms: out, then up.
    CactusPart(c, QRectF(kMiddle - 78, 120, 60, 24), 12);
    CactusPart(c, QRectF(kMiddle - 78, 50, 26, 92), 13);
    CactusPart(c, QRectF(kMiddle + 18, 150, 56, 22), 11);
    CactusPart(c, QRectF(kMiddle + 50, 86, 24, 84), 12);
}

void DrawBarrel(Canvas& c) {
    const Look& l = c.look;
    const QRectF ball(kMiddle - 110, 40, 220, kGround - 40);  // resting on the ground
    QPainterPath body;
    body.addEllipse(ball);
    QRadialGradient light(QPointF(kMiddle - 40, 90), 200);
    light.setColorAt(0, c.leaf(0.9)), light.setColorAt(1, c.leaf(0.05));
    c.p.fillPath(body, light);
    for (int k = -6; k <= 6; ++k) {
        const double x = kMiddle + k * 16;
        QPainterPath rib(QPointF(kMiddle + k * 4, 46));
        rib.quadTo(QPointF(x + k * 3, 150), QPointF(kMiddle + k * 6, kGround - 4));
        c.stroke(rib, ToQColor(Scale(l.flower, 0.9)), 1.6);  // the ribs' golden spines
    }
    for (int i = 0; i < 14; ++i) c.disc(QPointF(kMiddle + c.random.range(-26, 26), 46 + c.random.range(-4, 6)), 5, 4, ToQColor(l.flower));
}

void DrawPads(Canvas& c) {
    const Look& l = c.look;
    struct Pad {
        double x, y, rx, ry, tilt;
    };
    const Pad pads[] = {{128, kGround - 52, 40, 52, 0},   {80, 150, 34, 44, -0.4}, {176, 140, 34, 46, 0.45},
                        {110, 90, 30, 40, -0.2}, {168, 74, 28, 36, 0.3},  {56, 96, 24, 32, -0.7},
                        {204, 96, 24, 30, 0.8},  {134, 36, 24, 30, 0.1}};
    for (const Pad& pad : pads) {
        c.p.save();
        c.p.translate(pad.x, pad.y), c.p.rotate(pad.tilt * 57.3);
        QPainterPath shape;
        shape.addEllipse(QPointF(0, 0), pad.rx, pad.ry);
        QRadialGradient light(QPointF(-pad.rx * 0.4, -pad.ry * 0.4), pad.ry * 1.6);
        light.setColorAt(0, c.leaf(0.9)), light.setColorAt(1, c.leaf(0.15));
        c.p.fillPath(shape, light);
        for (int k = 0; k < 12; ++k)
            c.disc(QPointF(c.random.range(-pad.rx * 0.7, pad.rx * 0.7), c.random.range(-pad.ry * 0.7, pad.ry * 0.7)), 1.3, 1.3, QColor(230, 220, 150));
        c.p.restore();
        if (pad.y < 120) c.disc(QPointF(pad.x + pad.rx * 0.4, pad.y - pad.ry * 0.9), 6, 5, ToQColor(l.flower));
    }
}

// Long leaves from the base, fanning out.
void BaseLeaves(Canvas& c, int count, double height, double spread, double width) {
    for (int k = 0; k < count; ++k) {
        const double a = -kPi / 2 + c.random.range(-spread, spread);
        const QPointF base(kMiddle + c.random.range(-14, 14), kGround);
        const double length = height * c.random.range(0.6, 1.0);
        const QPointF tip = base + QPointF(std::cos(a) * length, std::sin(a) * length);
        c.leafBlade(base, tip, width * c.random.range(0.7, 1.2), c.leaf(c.random.range(0.15, 0.9)));
    }
}

void DrawBulbs(Canvas& c) {
    const Look& l = c.look;
    BaseLeaves(c, 12, kSide * 0.45, 0.7, 9);
    const int stems = std::max(3, l.flowers);
    for (int k = 0; k < stems; ++k) {
        const double x = kMiddle + (k - (stems - 1) / 2.0) * (kSide * l.width / stems) + c.random.range(-6, 6);
        const double top = c.random.range(kSide * (1 - l.crown), kSide * (1 - l.crown) + 30);
        c.curve(QPointF(kMiddle + (x - kMiddle) * 0.3, kGround), QPointF(x, (kGround + top) / 2), QPointF(x, top), c.leaf(0.5), 3);
        const QColor petal = ToQColor(Scale(l.flower, c.random.range(0.9, 1.1)));
        if (l.variant == 0) {  // a cup
            QPainterPath cup(QPointF(x - 13, top - 22));
            cup.quadTo(QPointF(x - 14, top + 6), QPointF(x, top + 4));
            cup.quadTo(QPointF(x + 14, top + 6), QPointF(x + 13, top - 22));
            cup.lineTo(QPointF(x + 6, top - 12)), cup.lineTo(QPointF(x, top - 24)), cup.lineTo(QPointF(x - 6, top - 12));
            cup.closeSubpath();
            c.fill(cup, petal);
            c.line(QPointF(x - 4, top - 14), QPointF(x - 6, top), petal.lighter(125), 3);
        } else if (l.variant == 1) {  // a trumpet in a star of petals
            for (int s = 0; s < 6; ++s) {
                const double a = 2 * kPi * s / 6;
                c.leafBlade(QPointF(x, top), QPointF(x + std::cos(a) * 16, top + std::sin(a) * 14), 6, petal);
            }
            c.disc(QPointF(x + 3, top), 7, 7, ToQColor(l.flowerCentre));
            c.disc(QPointF(x + 4, top), 4, 4, ToQColor(Scale(l.flowerCentre, 0.8)));
        } else {  // a ball of florets
            for (int s = 0; s < 70; ++s) {
                const double a = c.random.range(0, 2 * kPi), d = 18 * std::sqrt(c.random.unit());
                c.disc(QPointF(x + std::cos(a) * d, top - 14 + std::sin(a) * d), 2.5, 2.5, ToQColor(Scale(l.flower, 0.75 + 0.45 * (0.5 - std::sin(a) * d / 36))));
            }
        }
    }
}

void DrawFlowerMound(Canvas& c) {
    const Look& l = c.look;
    const QPainterPath region = LeafyMound(c, 12, 700, 3, 6);
    const QRectF box = region.boundingRect();
    for (int i = 0; i < l.flowers; ++i) {
        const QPointF at(c.random.range(box.left(), box.right()), c.random.range(box.top(), box.bottom() - 12));
        if (!region.contains(at)) continue;
        const double r = c.random.range(6, 9);
        if (l.variant == 1) {  // trumpets: a round bloom with a dark throat
            c.disc(at, r, r * 0.85, ToQColor(Scale(l.flower, c.random.range(0.85, 1.1))));
            c.disc(at, r * 0.3, r * 0.25, ToQColor(l.flowerCentre));
        } else if (l.variant == 2) {  // five flat petals
            for (int s = 0; s < 5; ++s) {
                const double a = 2 * kPi * s / 5;
                c.disc(at + QPointF(std::cos(a) * r * 0.5, std::sin(a) * r * 0.45), r * 0.45, r * 0.4, ToQColor(l.flower));
            }
            c.disc(at, r * 0.18, r * 0.18, ToQColor(l.flowerCentre));
        } else {  // pompoms
            for (int s = 0; s < 12; ++s) {
                const double a = c.random.range(0, 2 * kPi), d = r * 0.7 * std::sqrt(c.random.unit());
                c.disc(at + QPointF(std::cos(a) * d, std::sin(a) * d), r * 0.4, r * 0.35, ToQColor(Scale(l.flower, c.random.range(0.75, 1.15))));
            }
        }
    }
}

void DrawBroadLeaves(Canvas& c) {
    for (int k = 0; k < 22; ++k) {
        const double a = -kPi / 2 + c.random.range(-1.35, 1.35);
        const QPointF base(kMiddle + c.random.range(-10, 10), kGround - 2);
        const double length = c.random.range(150, 215);
        // Leaves rise on their stalk, then bend out.
        const QPointF tip = base + QPointF(std::cos(a) * length * 0.6, std::sin(a) * length * 0.95);
        c.line(base, base + (tip - base) * 0.35, c.leaf(0.4), 3);
        c.leafBlade(base + (tip - base) * 0.3, tip, 34, c.leaf(c.random.range(0.2, 0.85)), true);
    }
}

void DrawDaisies(Canvas& c) {
    const Look& l = c.look;
    BaseLeaves(c, 18, kSide * 0.35, 1.1, 10);
    for (int k = 0; k < l.flowers; ++k) {
        const QPointF head(kMiddle + c.random.range(-kSide * l.width / 2, kSide * l.width / 2),
                           c.random.range(kSide * (1 - l.crown) + 14, kSide * 0.6));
        c.curve(QPointF(kMiddle + (head.x() - kMiddle) * 0.2, kGround), QPointF(head.x(), (head.y() + kGround) / 2), head, c.leaf(0.4), 2.2);
        c.flowerHead(head, c.random.range(13, 18), 12, l.variant == 1 ? 1.0 : 0.3);
    }
}

void DrawSpikes(Canvas& c) {
    const Look& l = c.look;
    const double w = kSide * l.width;
    const QPainterPath region = MoundRegion(c, w, kSide * 0.42, 10);
    c.fill(region, c.leaf(0.05));
    c.dabs(region, 500, 2, 4.5, QPointF(kMiddle - w * 0.2, kGround - 100), w * 0.6);
    for (int k = 0; k < l.flowers; ++k) {
        const double x = kMiddle + c.random.range(-w / 2, w / 2);
        const double top = c.random.range(kSide * (1 - l.crown), kSide * (1 - l.crown) + 40), length = c.random.range(40, 70);
        const double lean = (x - kMiddle) * 0.2;
        c.line(QPointF(kMiddle + (x - kMiddle) * 0.5, kGround - 40), QPointF(x + lean, top), c.leaf(0.4), 2);
        for (int s = 0; s < 18; ++s) {
            const double t = s / 17.0;
            const QPointF at(x + lean * (1 - t * 0.3) + c.random.range(-2, 2), top + t * length);
            const double r = l.variant == 1 ? 3 + 3 * t : 2.6;  // lupines widen downwards
            c.disc(at, r, r * 0.8, ToQColor(Scale(l.flower, 0.8 + 0.35 * (1 - t))));
        }
    }
}

void DrawLilies(Canvas& c) {
    const Look& l = c.look;
    for (int k = 0; k < 26; ++k) {
        const double side = c.random.range(-1, 1);
        const QPointF base(kMiddle + side * 10, kGround);
        const QPointF tip(kMiddle + side * kSide * 0.48, kGround - c.random.range(40, 120));
        QPainterPath blade(base);
        blade.quadTo(QPointF(kMiddle + side * 30, tip.y() - 50), tip);
        c.stroke(blade, c.leaf(c.random.range(0.2, 0.9)), 6);
    }
    for (int k = 0; k < l.flowers; ++k) {
        const QPointF at(kMiddle + c.random.range(-80, 80), c.random.range(kSide * (1 - l.crown) + 16, 90));
        c.line(QPointF(kMiddle, kGround), at + QPointF(0, 8), c.leaf(0.4), 2.2);
        for (int s = 0; s < 6; ++s) {
            const double a = 2 * kPi * s / 6 + 0.3;
            c.leafBlade(at, at + QPointF(std::cos(a) * 20, std::sin(a) * 16), 7, ToQColor(Scale(l.flower, s % 2 ? 0.9 : 1.05)));
        }
        c.disc(at, 4, 4, ToQColor(l.flowerCentre));
    }
}

void DrawMat(Canvas& c) {
    const Look& l = c.look;
    const double w = kSide * l.width, h = kSide * l.crown;
    QPainterPath region = c.crown(QPointF(kMiddle, kGround - h / 2), w / 2, h / 2, 14, h * 0.3);
    QPainterPath ground;
    ground.addRect(0, 0, kSide, kGround);
    region = region.intersected(ground);
    c.fill(region, c.leaf(0.05));
    if (l.variant == 1) {  // ivy: pointed leaves
        const QRectF box = region.boundingRect();
        for (int i = 0; i < 260; ++i) {
            const QPointF at(c.random.range(box.left(), box.right()), c.random.range(box.top(), box.bottom()));
            if (!region.contains(at)) continue;
            const double a = c.random.range(0, 2 * kPi);
            c.leafBlade(at, at + QPointF(std::cos(a) * 12, std::sin(a) * 10), 6, c.leaf(0.5 + (kMiddle - at.x()) / w + c.random.range(-0.3, 0.3)), true);
        }
    } else {
        c.dabs(region, 600, 2, 4, QPointF(kMiddle - w * 0.2, kGround - h), w * 0.6);
    }
    c.blossoms(region, l.flowers, 3.6);
}

void DrawFountain(Canvas& c) {
    const Look& l = c.look;
    for (int k = 0; k < 150; ++k) {
        const double out = c.random.range(-1, 1);
        const QPointF base(kMiddle + out * 10, kGround);
        const double height = kSide * l.crown * c.random.range(0.6, 1.0);
        const QPointF tip(kMiddle + out * kSide * l.width * 0.5, kGround - height * (1 - std::fabs(out) * 0.55));
        c.curve(base, QPointF(kMiddle + out * 40, kGround - height * 1.1), tip, c.leaf(c.random.range(0.1, 0.95)), 1.6);
        if (l.flowers && k % 5 == 0) {  // a plume at the tip
            QPainterPath plume(QPointF(kMiddle + out * 40, kGround - height * 1.05));
            plume.quadTo(QPointF(kMiddle + out * 56, kGround - height * 1.08), tip);
            c.stroke(plume, ToQColor(Scale(l.flower, c.random.range(0.85, 1.1))), 6);
        }
    }
}

void DrawTuft(Canvas& c) {
    const Look& l = c.look;
    for (int k = 0; k < 260; ++k) {
        const double a = -kPi / 2 + c.random.range(-1.45, 1.45);
        const double length = kSide * l.crown * c.random.range(0.7, 1.0) * (1 - 0.25 * std::fabs(std::cos(a)));
        const QPointF base(kMiddle + std::cos(a) * 12, kGround);
        c.line(base, base + QPointF(std::cos(a) * length * l.width * 1.1, std::sin(a) * length), c.leaf(c.random.range(0.1, 1.0)), 1.5);
    }
}

void DrawBanana(Canvas& c) {
    const Look& l = c.look;
    c.trunk(kMiddle, 120, 28, 18, l.bark);
    for (int k = 0; k < 11; ++k) {
        const double side = k % 2 ? 1 : -1, rise = c.random.range(-0.3, 1.0);
        const QPointF base(kMiddle + side * 4, 124);
        const QPointF tip(kMiddle + side * c.random.range(70, 124) * (1 - 0.4 * std::max(0.0, rise - 0.7)), 120 - rise * 116);
        c.leafBlade(base, tip, 24, c.leaf(c.random.range(0.3, 0.9)), true);
        for (int tear = 0; tear < 3; ++tear) {  // wind tears across the blade
            const double t = c.random.range(0.3, 0.9);
            const QPointF at = base + (tip - base) * t;
            c.line(at, at + QPointF(0, 10), c.leaf(0.0), 1);
        }
    }
}

void DrawParadise(Canvas& c) {
    const Look& l = c.look;
    for (int k = 0; k < 10; ++k) {
        const double a = -kPi / 2 + c.random.range(-0.9, 0.9);
        const QPointF base(kMiddle, kGround);
        const QPointF leafFrom = base + QPointF(std::cos(a) * 90, std::sin(a) * 90);
        c.line(base, leafFrom, c.leaf(0.4), 2.5);
        c.leafBlade(leafFrom, leafFrom + QPointF(std::cos(a) * 70, std::sin(a) * 70), 16, c.leaf(c.random.range(0.2, 0.8)), true);
    }
    for (int k = 0; k < std::max(1, l.flowers); ++k) {
        const QPointF at(kMiddle + (k - 1) * 46, 70 + k * 14);
        c.line(QPointF(kMiddle, kGround), at + QPointF(0, 4), c.leaf(0.5), 3);
        c.leafBlade(at, at + QPointF(34, 4), 5, QColor(96, 110, 70));  // the beak
        for (int s = 0; s < 3; ++s)  // orange crest
            c.leafBlade(at + QPointF(8, 0), at + QPointF(10 + s * 8, -26 + s * 4), 4, ToQColor(l.flower));
        c.leafBlade(at + QPointF(12, 0), at + QPointF(24, -18), 3, ToQColor(l.flowerCentre));
    }
}

void DrawCorn(Canvas& c) {
    const Look& l = c.look;
    for (int k = 0; k < 3; ++k) {
        const double x = kMiddle + (k - 1) * 50 + c.random.range(-5, 5), top = 12 + k % 2 * 14;
        c.line(QPointF(x, kGround), QPointF(x, top + 20), c.leaf(0.55), 5);
        for (int leaf = 0; leaf < 9; ++leaf) {
            const double y = kGround - 30 - leaf * (kGround - top - 50) / 9, side = leaf % 2 ? 1 : -1;
            const QPointF from(x, y), to(x + side * c.random.range(40, 64), y - c.random.range(-10, 30));
            c.curve(from, QPointF((from.x() + to.x()) / 2, y - 34), to, c.leaf(c.random.range(0.25, 0.9)), 4);
        }
        for (int t = -2; t <= 2; ++t) c.line(QPointF(x, top + 22), QPointF(x + t * 6, top), ToQColor(l.flowerCentre), 1.6);  // the tassel
        c.leafBlade(QPointF(x + 2, 150), QPointF(x + 14, 112), 7, ToQColor(l.flower));  // an ear
    }
}

using Drawer = void (*)(Canvas&);

Drawer DrawerOf(Form form) {
    switch (form) {
    case Form::Broadleaf: return DrawBroadleaf;
    case Form::Tiered: return DrawTiered;
    case Form::Conifer: return DrawConifer;
    case Form::Pine: return DrawPine;
    case Form::Birch: return DrawBirch;
    case Form::Weeping: return DrawWeeping;
    case Form::Columnar: return DrawColumnar;
    case Form::Palm: return DrawPalm;
    case Form::Mound: return DrawMound;
    case Form::Spreading: return DrawSpreading;
    case Form::Arching: return DrawArching;
    case Form::Hedge: return DrawHedge;
    case Form::Saguaro: return DrawSaguaro;
    case Form::Barrel: return DrawBarrel;
    case Form::Pads: return DrawPads;
    case Form::Bulbs: return DrawBulbs;
    case Form::FlowerMound: return DrawFlowerMound;
    case Form::BroadLeaves: return DrawBroadLeaves;
    case Form::Daisies: return DrawDaisies;
    case Form::Spikes: return DrawSpikes;
    case Form::Lilies: return DrawLilies;
    case Form::Mat: return DrawMat;
    case Form::Fountain: return DrawFountain;
    case Form::Tuft: return DrawTuft;
    case Form::Banana: return DrawBanana;
    case Form::Paradise: return DrawParadise;
    case Form::Corn: return DrawCorn;
    }
    return DrawBroadleaf;
}

// Edges blended into the black down to near black are keyed out with it.
void KeyOut(QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qRed(row[x]) < kKeyLimit && qGreen(row[x]) < kKeyLimit && qBlue(row[x]) < kKeyLimit) row[x] = qRgb(0, 0, 0);
    }
}

// The plant drawn through `place` onto black, nothing below its ground line.
QImage Render(const Look& look, const QTransform& place, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setTransform(place);
        p.setClipRect(QRectF(-kSide, -2.0 * kSide, 3.0 * kSide, 2.0 * kSide + kGround));
        Canvas canvas(look, p);
        DrawerOf(look.form)(canvas);
    }
    KeyOut(image);
    return image;
}

// The box of the drawn (non-black) pixels; empty when nothing is drawn.
QRect DrawnBox(const QImage& image) {
    int left = image.width(), right = -1, top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((row[x] & 0xFFFFFFu) != 0) left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = y;
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

}  // namespace

QImage DrawPlant(const Look& look) {
    // Drawn once on a canvas wide enough for crowns and leaves that reach past the picture, then
    // again shrunk about its foot as far as it must be to keep the margin at the sides and the
    // top: a border pixel there would show as a cut edge on the billboard.
    const QTransform wide = QTransform::fromTranslate(kSide, 2 * kSide);
    const QRect box = DrawnBox(Render(look, wide, QSize(3 * kSide, 3 * kSide))).translated(-kSide, -2 * kSide);
    // One pixel more than the margin: edges may land a pixel further once drawn smaller.
    constexpr double kClear = kPlantMargin + 1;
    double s = 1;
    if (!box.isEmpty()) {
        const double left = box.left(), right = box.right() + 1.0, top = box.top();
        if (left < kClear) s = std::min(s, (kMiddle - kClear) / (kMiddle - left));
        if (right > kSide - kClear) s = std::min(s, (kMiddle - kClear) / (right - kMiddle));
        if (top < kClear) s = std::min(s, (kSide - kClear) / (kGround - top));
    }
    // The foot on the picture's bottom edge, which the billboard sets on the plant's ground point.
    QTransform place = QTransform::fromTranslate(kMiddle, kSide);
    place.scale(s, s);
    place.translate(-kMiddle, -kGround);
    return Render(look, place, QSize(kSide, kSide));
}

QImage Outline(const QImage& plant) {
    QImage out(plant.size(), QImage::Format_RGB32);
    out.fill(Qt::black);
    const auto drawn = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < plant.width() && y < plant.height() && (plant.pixel(x, y) & 0xFFFFFFu) != 0;
    };
    for (int y = 0; y < plant.height(); ++y)
        for (int x = 0; x < plant.width(); ++x)
            if (drawn(x, y) && (!drawn(x - 1, y) || !drawn(x + 1, y) || !drawn(x, y - 1) || !drawn(x, y + 1)))
                out.setPixel(x, y, qRgb(190, 240, 190));
    return out;
}

QImage Preview(const QImage& plant, int side) {
    QImage cut = plant.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < cut.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(cut.scanLine(y));
        for (int x = 0; x < cut.width(); ++x)
            if ((row[x] & 0xFFFFFFu) == 0) row[x] = 0;
    }
    QImage out(side, side, QImage::Format_RGB32);
    QPainter p(&out);
    QLinearGradient sky(0, 0, 0, side);
    sky.setColorAt(0, QColor(150, 180, 214)), sky.setColorAt(1, QColor(214, 226, 238));
    p.fillRect(out.rect(), sky);
    p.fillRect(QRectF(0, side * 0.9, side, side * 0.1), QColor(112, 150, 84));
    const int inset = side / 16;
    p.drawImage(QPoint(inset, inset), cut.scaled(side - 2 * inset, side - 2 * inset, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    return out;
}

}  // namespace contentgen::plants

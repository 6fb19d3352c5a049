#include "trims_draw.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <vector>

namespace contentgen::trims {

namespace {

const QColor kWall(228, 222, 206), kFloor(150, 104, 66), kCeiling(242, 242, 238), kTrim(250, 250, 246),
    kShadow(160, 156, 146), kWood(168, 116, 76), kInk(60, 60, 64), kNo(200, 40, 40);

// Stroke letters on a 4 by 6 grid, as polylines (a break between lines is a point at -1).
std::vector<QPointF> Glyph(char c) {
    const QPointF br(-1, -1);
    switch (c) {
    case '0': return {{0, 0}, {4, 0}, {4, 6}, {0, 6}, {0, 0}};
    case '1': return {{1, 1}, {2, 0}, {2, 6}};
    case '2': return {{0, 0}, {4, 0}, {4, 3}, {0, 3}, {0, 6}, {4, 6}};
    case '3': return {{0, 0}, {4, 0}, {4, 6}, {0, 6}, br, {0, 3}, {4, 3}};
    case '4': return {{0, 0}, {0, 3}, {4, 3}, br, {4, 0}, {4, 6}};
    case '5': return {{4, 0}, {0, 0}, {0, 3}, {4, 3}, {4, 6}, {0, 6}};
    case '6': return {{4, 0}, {0, 0}, {0, 6}, {4, 6}, {4, 3}, {0, 3}};
    case '7': return {{0, 0}, {4, 0}, {4, 6}};
    case '8': return {{0, 0}, {4, 0}, {4, 6}, {0, 6}, {0, 0}, br, {0, 3}, {4, 3}};
    case '9': return {{4, 3}, {0, 3}, {0, 0}, {4, 0}, {4, 6}, {0, 6}};
    case '"': return {{1, 0}, {1, 2}, br, {3, 0}, {3, 2}};
    case '.': return {{2, 5.6}, {2, 6}};
    case 'c': return {{4, 2}, {0, 2}, {0, 6}, {4, 6}};
    case 'm': return {{0, 6}, {0, 2}, {4, 2}, {4, 6}, br, {2, 2}, {2, 6}};
    default: return {};
    }
}

void Letter(QPainter& p, const char* text, QPointF at, double unit) {
    p.setPen(QPen(kInk, unit * 0.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    for (const char* c = text; *c; ++c) {
        QPainterPath path;
        bool pen = false;
        for (const QPointF& q : Glyph(*c)) {
            if (q.x() < 0) {
                pen = false;
                continue;
            }
            const QPointF point = at + q * unit;
            pen ? path.lineTo(point) : path.moveTo(point);
            pen = true;
        }
        p.drawPath(path);
        at += QPointF(6 * unit, 0);
    }
}

// A moulding seen from the front: a band with a lit edge on top and a shadow cast below.
void Moulding(QPainter& p, double left, double right, double top, double bottom, bool crown) {
    const double h = bottom - top;
    p.fillRect(QRectF(left, top, right - left, h), kTrim);
    // Its profile: a cove and a bead, as bands of shade across it.
    const double bands[][2] = {{0.08, 0.14}, {0.3, 0.36}, {0.62, 0.66}};
    for (const auto& band : bands) {
        const double a = crown ? 1 - band[1] : band[0], b = crown ? 1 - band[0] : band[1];
        p.fillRect(QRectF(left, top + h * a, right - left, std::max(1.0, h * (b - a))), kShadow.lighter(115));
    }
    p.fillRect(QRectF(left, crown ? bottom : top - 2, right - left, 2), kShadow);
}

}  // namespace

QImage DrawTrimPreview(Kind kind, double height, const char* label, int side) {
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(kWall);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = side;
    const double unit = s / 64;  // lettering a little over a tenth of the picture high
    switch (kind) {
    case Kind::Base: {
        // The lowest 24 inches of a wall above the floor.
        const double floor = s * 0.86, perInch = floor / 24;
        p.fillRect(QRectF(0, floor, s, s - floor), kFloor);
        if (height > 0) Moulding(p, 0, s, floor - height * perInch, floor, false);
        Letter(p, label, QPointF(s * 0.1, s * 0.12), unit);
        break;
    }
    case Kind::Crown: {
        // The top 24 inches of a wall under the ceiling.
        const double ceiling = s * 0.14, perInch = (s - ceiling) / 24;
        p.fillRect(QRectF(0, 0, s, ceiling), kCeiling);
        p.fillRect(QRectF(0, ceiling, s, 1), kShadow);
        if (height > 0) Moulding(p, 0, s, ceiling, ceiling + height * perInch, true);
        Letter(p, label, QPointF(s * 0.1, s * 0.76), unit);
        break;
    }
    case Kind::Paneling:
    case Kind::Wainscot: {
        // A whole wall, 96 inches high.
        const double floor = s * 0.92, perInch = floor / 96;
        p.fillRect(QRectF(0, floor, s, s - floor), kFloor);
        if (height > 0) {
            const double top = floor - height * perInch;
            if (kind == Kind::Paneling) {
                p.fillRect(QRectF(0, top, s, floor - top), kWood);
                // Raised panels between rails and stiles.
                const double rail = s * 0.05, panels = 3, w = (s - rail) / panels;
                for (int k = 0; k < panels; ++k) {
                    const QRectF panel(rail + k * w, top + rail, w - rail, floor - top - 2 * rail);
                    p.fillRect(panel, kWood.lighter(112));
                    p.setPen(QPen(kWood.darker(140), 1.5));
                    p.drawLine(panel.bottomLeft(), panel.bottomRight());
                    p.drawLine(panel.topRight(), panel.bottomRight());
                }
            } else {
                p.fillRect(QRectF(0, top, s, floor - top), kTrim);
                p.setPen(QPen(kShadow, 1));
                for (double x = s / 16; x < s; x += s / 16) p.drawLine(QPointF(x, top + 4), QPointF(x, floor));  // beadboard
            }
            Moulding(p, 0, s, top - 4, top + 2, false);  // the cap
        }
        Letter(p, label, QPointF(s * 0.1, s * 0.1), unit);
        break;
    }
    }
    if (height <= 0) {  // no trim: a sign that says so
        p.setPen(QPen(kNo, s / 20));
        p.setBrush(Qt::NoBrush);
        const QRectF sign(s * 0.3, s * 0.3, s * 0.4, s * 0.4);
        p.drawEllipse(sign);
        p.drawLine(sign.topLeft() + QPointF(s * 0.06, s * 0.06), sign.bottomRight() - QPointF(s * 0.06, s * 0.06));
    }
    return image;
}

}  // namespace contentgen::trims

#include "preview.h"

#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <limits>

namespace contentgen {

namespace {

struct Face {
    std::vector<Vec3> corners;
    RGBColor colour;
};

// Looking from the front (+z) left (-x), 30 degrees above.
constexpr double kTurn = 0.6, kTilt = 0.5;

QPointF Project(const Vec3& p) {
    const double x = p.x * std::cos(kTurn) + p.z * std::sin(kTurn);
    const double depth = -p.x * std::sin(kTurn) + p.z * std::cos(kTurn);
    return {x, -(p.y * std::cos(kTilt) - depth * std::sin(kTilt))};
}

double Nearness(const Face& f) {
    double sum = 0;
    for (const Vec3& p : f.corners) {
        const double depth = -p.x * std::sin(kTurn) + p.z * std::cos(kTurn);
        sum += depth * std::cos(kTilt) + p.y * std::sin(kTilt);
    }
    return sum / double(f.corners.size());
}

Vec3 Normal(const std::vector<Vec3>& c) {
    Vec3 n;
    for (size_t i = 0; i < c.size(); ++i) {  // Newell's method: any winding, any flat polygon
        const Vec3& a = c[i];
        const Vec3& b = c[(i + 1) % c.size()];
        n.x += (a.y - b.y) * (a.z + b.z);
        n.y += (a.z - b.z) * (a.x + b.x);
        n.z += (a.x - b.x) * (a.y + b.y);
    }
    const double l = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
    return l > 0 ? Vec3{n.x / l, n.y / l, n.z / l} : Vec3{0, 1, 0};
}

QColor Shaded(const Face& f) {
    const Vec3 n = Normal(f.corners);
    const Vec3 light{-0.35, 0.8, 0.5};
    const double l = std::sqrt(light.x * light.x + light.y * light.y + light.z * light.z);
    const double lit = 0.45 + 0.55 * std::fabs(n.x * light.x + n.y * light.y + n.z * light.z) / l;
    auto channel = [lit](uint16_t c) { return std::clamp(int(std::lround(c / 257.0 * lit)), 0, 255); };
    return QColor(channel(f.colour.red), channel(f.colour.green), channel(f.colour.blue));
}

std::vector<Face> FacesOf(const Solid& s) {
    std::vector<Face> faces;
    for (size_t r = 0; r + 1 < s.rows.size(); ++r) {
        const auto& a = s.rows[r];
        const auto& b = s.rows[r + 1];
        for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
            const size_t j = (i + 1) % a.size();
            faces.push_back({{a[i], a[j], b[j], b[i]}, s.colour});
        }
    }
    if (!s.rows.empty()) {
        faces.push_back({s.rows.front(), s.colour});
        faces.push_back({s.rows.back(), s.colour});
    }
    return faces;
}

}  // namespace

QImage PreviewOf(const std::vector<Solid>& solids, int pixels) {
    std::vector<Face> faces;
    for (const Solid& s : solids)
        for (Face& f : FacesOf(s)) faces.push_back(std::move(f));
    std::stable_sort(faces.begin(), faces.end(), [](const Face& a, const Face& b) { return Nearness(a) < Nearness(b); });

    double left = std::numeric_limits<double>::max(), top = left, right = -left, bottom = -left;
    for (const Face& f : faces)
        for (const Vec3& p : f.corners) {
            const QPointF q = Project(p);
            left = std::min(left, q.x()), right = std::max(right, q.x());
            top = std::min(top, q.y()), bottom = std::max(bottom, q.y());
        }
    QImage image(pixels, pixels, QImage::Format_RGB32);
    image.fill(Qt::white);
    if (faces.empty()) return image;
    const double margin = pixels * 0.06;
    const double scale = (pixels - 2 * margin) / std::max({right - left, bottom - top, 1e-6});
    const double offsetX = (pixels - (right - left) * scale) / 2, offsetY = (pixels - (bottom - top) * scale) / 2;
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const Face& f : faces) {
        QPolygonF polygon;
        for (const Vec3& p : f.corners) {
            const QPointF q = Project(p);
            polygon << QPointF(offsetX + (q.x() - left) * scale, offsetY + (q.y() - top) * scale);
        }
        const QColor fill = Shaded(f);
        painter.setBrush(fill);
        painter.setPen(QPen(fill.darker(140), 0.6));
        painter.drawPolygon(polygon);
    }
    return image;
}

}  // namespace contentgen

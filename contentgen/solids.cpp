#include "solids.h"

#include <cmath>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/transforms.h"

namespace contentgen {

namespace {

constexpr double kPi = 3.14159265358979323846;

std::vector<Vec3> Ring(double cx, double cz, double rx, double rz, double y, int sides) {
    std::vector<Vec3> ring;
    for (int k = 0; k < sides; ++k) {
        const double a = 2 * kPi * k / sides;
        ring.push_back({cx + rx * std::cos(a), y, cz + rz * std::sin(a)});
    }
    return ring;
}

RGBColor Darker(RGBColor c) {
    return {static_cast<uint16_t>(c.red / 2), static_cast<uint16_t>(c.green / 2), static_cast<uint16_t>(c.blue / 2)};
}

Poinz* AddPoint(Objex* o, double h, double v, double d, const double in[3], const double out[3]) {
    Poinz* p = CreatePoint(1, 0, 0, float(in[0]), float(in[1]), float(in[2]), float(h), float(v), float(d),
                           float(out[0]), float(out[1]), float(out[2]), 0, 0, 0, o);
    if (p) AppendPointToObject(p, o);
    return p;
}

Objex* NewPiece(int16_t type, bool closed, RGBColor fill, RGBColor pen) {
    FloatRect bounds{};
    return CreateObject(type, closed ? 1 : 0, 1, &fill, &pen, 1.0f, 6, 0, &bounds, nullptr, nullptr, nullptr, nullptr,
                        TypeData{});
}

}  // namespace

RGBColor Rgb(int r, int g, int b) {
    return {static_cast<uint16_t>(r * 257), static_cast<uint16_t>(g * 257), static_cast<uint16_t>(b * 257)};
}

Solid Box(double x0, double y0, double z0, double x1, double y1, double z1, RGBColor colour) {
    auto ring = [&](double y) { return std::vector<Vec3>{{x0, y, z0}, {x1, y, z0}, {x1, y, z1}, {x0, y, z1}}; };
    return {{ring(y0), ring(y1)}, colour};
}

Solid Round(double cx, double cz, double r0, double r1, double y0, double y1, RGBColor colour, int sides) {
    return {{Ring(cx, cz, r0, r0, y0, sides), Ring(cx, cz, r1, r1, y1, sides)}, colour};
}

Solid Oval(double cx, double cz, double rx, double rz, double y0, double y1, RGBColor colour, int sides) {
    return {{Ring(cx, cz, rx, rz, y0, sides), Ring(cx, cz, rx, rz, y1, sides)}, colour};
}

Solid RoundAlongX(double x0, double x1, double y, double z, double r, RGBColor colour, int sides) {
    Solid s{{{}, {}}, colour};
    for (int k = 0; k < sides; ++k) {
        const double a = 2 * kPi * k / sides;
        s.rows[0].push_back({x0, y + r * std::sin(a), z + r * std::cos(a)});
        s.rows[1].push_back({x1, y + r * std::sin(a), z + r * std::cos(a)});
    }
    return s;
}

Solid Dome(double cx, double cz, double rx, double rz, double y0, double height, RGBColor colour) {
    Solid s{{}, colour};
    constexpr int kBands = 4;
    for (int b = 0; b <= kBands; ++b) {
        const double a = (kPi / 2) * b / kBands;
        const double f = b == kBands ? 0.08 : std::cos(a);  // a small top ring keeps the cap flat
        s.rows.push_back(Ring(cx, cz, rx * f, rz * f, y0 + height * std::sin(a), 16));
    }
    return s;
}

Solid Prism(const std::vector<std::pair<double, double>>& outline, double y0, double y1, RGBColor colour) {
    Solid s{{{}, {}}, colour};
    for (const auto& [x, z] : outline) {
        s.rows[0].push_back({x, y0, z});
        s.rows[1].push_back({x, y1, z});
    }
    return s;
}

double UnitsPerInch() { return ConvertWorldToScreen(1.0f, CurrentDocState(), 0); }

Objex* SolidPiece(const Solid& solid, int16_t type) {
    Objex* o = NewPiece(type, true, solid.colour, Darker(solid.colour));
    if (!o) return nullptr;
    const double k = UnitsPerInch(), none[3] = {0, 0, 0};
    for (const auto& row : solid.rows)
        for (const Vec3& p : row) AddPoint(o, p.x * k, -p.y * k, p.z * k, none, none);
    o->rows = static_cast<int16_t>(solid.rows.size());
    o->flagA = 1;
    return o;
}

Stroke Line(double x0, double z0, double x1, double z1) { return {{{x0, z0}, {x1, z1}}, false}; }
Stroke Poly(std::vector<std::pair<double, double>> points, bool closed) { return {std::move(points), closed}; }
Stroke Rect(double x0, double z0, double x1, double z1) { return {{{x0, z0}, {x1, z0}, {x1, z1}, {x0, z1}}, true}; }
Stroke Circle(double cx, double cz, double r) { return {{{cx, cz}}, true, true, r}; }

Objex* StrokePiece(const Stroke& stroke, int16_t type) {
    const RGBColor black{0, 0, 0}, white{0xFFFF, 0xFFFF, 0xFFFF};
    Objex* o = NewPiece(type, stroke.closed, white, black);
    if (!o) return nullptr;
    const double k = UnitsPerInch(), none[3] = {0, 0, 0};
    if (stroke.circle) {
        // Four quarter arcs, each a Hermite segment whose end tangents are 4 tan(22.5 deg) r long.
        const double cx = stroke.points[0].first * k, cz = stroke.points[0].second * k, r = stroke.radius * k;
        const double m = 4 * std::tan(kPi / 8) * r;
        for (int q = 0; q < 4; ++q) {
            const double a = q * kPi / 2, c = std::cos(a), s = std::sin(a);
            const double tangent[3] = {-s * m, 0, c * m};
            AddPoint(o, cx + r * c, 0, cz + r * s, tangent, tangent);
        }
    } else {
        for (const auto& [x, z] : stroke.points) AddPoint(o, x * k, 0, z * k, none, none);
    }
    o->rows = 1;
    return o;
}

}  // namespace contentgen

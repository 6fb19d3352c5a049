#include "port/path.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace port {

namespace {

// Flattening tolerance in path units (plan points): well under a pixel at any zoom in use.
constexpr double kFlatness = 0.05;
constexpr int kMaxCurvePieces = 256;
// Control distance, as a fraction of the radius, of a cubic quarter circle.
constexpr double kQuarterCircle = 0.5522847498307936;

// Winding contribution of the edge a->b for a ray from (px, py) towards +x. An edge counts
// for the rows y0 <= py < y1 (upward) or y1 <= py < y0 (downward), so a vertex shared by two
// edges is counted once.
int EdgeWinding(double x0, double y0, double x1, double y1, double px, double py) {
    const double side = (x1 - x0) * (py - y0) - (px - x0) * (y1 - y0);
    if (y0 <= py) {
        if (y1 > py && side > 0) return 1;
    } else if (y1 <= py && side < 0) {
        return -1;
    }
    return 0;
}

// Pieces for a cubic so that the chords stay within kFlatness of the curve.
int CurvePieces(const double* p0, const double* c) {
    const double ax = p0[0] - 2 * c[0] + c[2], ay = p0[1] - 2 * c[1] + c[3];
    const double bx = c[0] - 2 * c[2] + c[4], by = c[1] - 2 * c[3] + c[5];
    const double dd = std::max(std::hypot(ax, ay), std::hypot(bx, by));
    if (!std::isfinite(dd)) return 1;
    const double n = std::ceil(std::sqrt(0.75 * dd / kFlatness));
    return n < 1 ? 1 : (n > kMaxCurvePieces ? kMaxCurvePieces : static_cast<int>(n));
}

}  // namespace

void Path::moveTo(double x, double y) {
    elements_.push_back({Kind::Move, {x, y, 0, 0, 0, 0}});
}

void Path::lineTo(double x, double y) {
    elements_.push_back({Kind::Line, {x, y, 0, 0, 0, 0}});
}

void Path::curveTo(double c1x, double c1y, double c2x, double c2y, double x, double y) {
    elements_.push_back({Kind::Curve, {c1x, c1y, c2x, c2y, x, y}});
}

void Path::closePath() {
    elements_.push_back({Kind::Close, {0, 0, 0, 0, 0, 0}});
}

void Path::clear() {
    elements_.clear();
}

bool Path::hasCurrentPoint() const {
    return !elements_.empty();
}

void Path::appendRect(const Rect& r) {
    moveTo(r.x, r.y);
    lineTo(r.x + r.width, r.y);
    lineTo(r.x + r.width, r.y + r.height);
    lineTo(r.x, r.y + r.height);
    closePath();
}

void Path::appendOval(const Rect& r) {
    const double rx = r.width / 2, ry = r.height / 2;
    const double cx = r.x + rx, cy = r.y + ry;
    const double kx = rx * kQuarterCircle, ky = ry * kQuarterCircle;
    moveTo(cx + rx, cy);
    curveTo(cx + rx, cy + ky, cx + kx, cy + ry, cx, cy + ry);
    curveTo(cx - kx, cy + ry, cx - rx, cy + ky, cx - rx, cy);
    curveTo(cx - rx, cy - ky, cx - kx, cy - ry, cx, cy - ry);
    curveTo(cx + kx, cy - ry, cx + rx, cy - ky, cx + rx, cy);
    closePath();
}

void Path::appendArc(Point center, double radius, double startDegrees, double endDegrees,
                     bool clockwise) {
    if (!std::isfinite(startDegrees) || !std::isfinite(endDegrees) || !std::isfinite(radius))
        return;
    double sweep = clockwise ? startDegrees - endDegrees : endDegrees - startDegrees;
    sweep = std::fmod(sweep, 360.0);
    if (sweep < 0) sweep += 360.0;
    if (sweep == 0 && startDegrees != endDegrees) sweep = 360.0;  // whole turns
    if (clockwise) sweep = -sweep;

    const double a0 = startDegrees * std::numbers::pi / 180.0;
    const double sx = center.x + radius * std::cos(a0), sy = center.y + radius * std::sin(a0);
    if (hasCurrentPoint())
        lineTo(sx, sy);
    else
        moveTo(sx, sy);

    const int pieces = std::max(1, static_cast<int>(std::ceil(std::fabs(sweep) / 90.0 - 1e-9)));
    const double step = sweep * std::numbers::pi / 180.0 / pieces;
    // Control distance for a piece of `step` radians.
    const double k = 4.0 / 3.0 * std::tan(step / 4.0) * radius;
    double a = a0;
    for (int i = 0; i < pieces; ++i) {
        const double b = a + step;
        const double ca = std::cos(a), sa = std::sin(a), cb = std::cos(b), sb = std::sin(b);
        curveTo(center.x + radius * ca - k * sa, center.y + radius * sa + k * ca,
                center.x + radius * cb + k * sb, center.y + radius * sb - k * cb,
                center.x + radius * cb, center.y + radius * sb);
        a = b;
    }
}

Rect Path::bounds() const {
    double lo[2] = {0, 0}, hi[2] = {0, 0};
    bool any = false;
    auto add = [&](double x, double y) {
        if (!any) {
            lo[0] = hi[0] = x;
            lo[1] = hi[1] = y;
            any = true;
            return;
        }
        lo[0] = std::min(lo[0], x), hi[0] = std::max(hi[0], x);
        lo[1] = std::min(lo[1], y), hi[1] = std::max(hi[1], y);
    };
    double cur[2] = {0, 0}, start[2] = {0, 0};
    for (const Element& e : elements_) {
        switch (e.kind) {
        case Kind::Move:
            start[0] = cur[0] = e.p[0];
            start[1] = cur[1] = e.p[1];
            add(cur[0], cur[1]);
            break;
        case Kind::Line:
            cur[0] = e.p[0];
            cur[1] = e.p[1];
            add(cur[0], cur[1]);
            break;
        case Kind::Curve: {
            add(e.p[4], e.p[5]);
            // Where the curve turns along each axis: roots of the derivative in (0, 1).
            for (int axis = 0; axis < 2; ++axis) {
                const double p0 = cur[axis], p1 = e.p[axis], p2 = e.p[2 + axis], p3 = e.p[4 + axis];
                const double qa = -p0 + 3 * p1 - 3 * p2 + p3, qb = 2 * (p0 - 2 * p1 + p2), qc = p1 - p0;
                double roots[2];
                int n = 0;
                if (std::fabs(qa) < 1e-12) {
                    if (std::fabs(qb) > 1e-12) roots[n++] = -qc / qb;
                } else {
                    const double disc = qb * qb - 4 * qa * qc;
                    if (disc >= 0) {
                        const double r = std::sqrt(disc);
                        roots[n++] = (-qb + r) / (2 * qa);
                        roots[n++] = (-qb - r) / (2 * qa);
                    }
                }
                for (int i = 0; i < n; ++i) {
                    const double t = roots[i];
                    if (!(t > 0 && t < 1)) continue;
                    const double u = 1 - t;
                    const double b0 = u * u * u, b1 = 3 * u * u * t, b2 = 3 * u * t * t, b3 = t * t * t;
                    double pt[2];
                    for (int k = 0; k < 2; ++k)
                        pt[k] = b0 * (k == 0 ? cur[0] : cur[1]) + b1 * e.p[k] + b2 * e.p[2 + k] +
                                b3 * e.p[4 + k];
                    add(pt[0], pt[1]);
                }
            }
            cur[0] = e.p[4];
            cur[1] = e.p[5];
            break;
        }
        case Kind::Close:
            cur[0] = start[0];
            cur[1] = start[1];
            break;
        }
    }
    return {lo[0], lo[1], hi[0] - lo[0], hi[1] - lo[1]};
}

bool Path::contains(double px, double py) const {
    if (!std::isfinite(px) || !std::isfinite(py)) return false;
    int winding = 0;
    double cur[2] = {0, 0};
    double start[2] = {0, 0};
    bool open = false;        // a subpath has begun and is not yet closed
    bool hasCurrent = false;  // there is a current point (after a close: the subpath start)

    auto edgeTo = [&](double x, double y) {
        winding += EdgeWinding(cur[0], cur[1], x, y, px, py);
        cur[0] = x;
        cur[1] = y;
    };
    auto closeSubpath = [&] {
        if (open) edgeTo(start[0], start[1]);
    };

    for (const Element& e : elements_) {
        switch (e.kind) {
        case Kind::Move:
            closeSubpath();
            start[0] = cur[0] = e.p[0];
            start[1] = cur[1] = e.p[1];
            open = hasCurrent = true;
            break;
        case Kind::Line:
            if (!hasCurrent) {
                start[0] = cur[0] = e.p[0];
                start[1] = cur[1] = e.p[1];
                open = hasCurrent = true;
                break;
            }
            if (!open) {
                start[0] = cur[0];
                start[1] = cur[1];
                open = true;
            }
            edgeTo(e.p[0], e.p[1]);
            break;
        case Kind::Curve: {
            if (!hasCurrent) {
                cur[0] = e.p[0];
                cur[1] = e.p[1];
                hasCurrent = true;
            }
            if (!open) {
                start[0] = cur[0];
                start[1] = cur[1];
                open = true;
            }
            // The curve lies in the hull of its control points: a hull wholly above or below
            // the ray's row adds nothing, whatever the flattening.
            const double lo = std::min({cur[1], e.p[1], e.p[3], e.p[5]});
            const double hi = std::max({cur[1], e.p[1], e.p[3], e.p[5]});
            if (hi < py || lo > py) {
                cur[0] = e.p[4];
                cur[1] = e.p[5];
                break;
            }
            const double p0[2] = {cur[0], cur[1]};
            const int n = CurvePieces(p0, e.p);
            for (int i = 1; i <= n; ++i) {
                const double t = static_cast<double>(i) / n, u = 1 - t;
                const double b0 = u * u * u, b1 = 3 * u * u * t, b2 = 3 * u * t * t, b3 = t * t * t;
                edgeTo(b0 * p0[0] + b1 * e.p[0] + b2 * e.p[2] + b3 * e.p[4],
                       b0 * p0[1] + b1 * e.p[1] + b2 * e.p[3] + b3 * e.p[5]);
            }
            break;
        }
        case Kind::Close:
            closeSubpath();
            cur[0] = start[0];
            cur[1] = start[1];
            open = false;
            break;
        }
    }
    closeSubpath();
    return winding != 0;
}

}  // namespace port

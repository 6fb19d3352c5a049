#include "port/path.h"

#include <algorithm>
#include <cmath>

namespace port {

namespace {

// Flattening tolerance in path units (plan points): well under a pixel at any zoom in use.
constexpr double kFlatness = 0.05;
constexpr int kMaxCurvePieces = 256;

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

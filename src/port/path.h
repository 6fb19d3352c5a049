#pragma once
// A plain vector path (move, line, cubic curve, close) with a fill containment test by the
// non-zero winding rule. Detail shapes keep their outline in one so a click inside the
// filled shape can be found without asking the platform.
#include <vector>

namespace port {

class Path {
public:
    // Starts a new subpath; an open subpath counts as closed for containment.
    void moveTo(double x, double y);
    // A line from the current point; without one it starts a subpath there.
    void lineTo(double x, double y);
    // A cubic Bezier from the current point through two control points.
    void curveTo(double c1x, double c1y, double c2x, double c2y, double x, double y);
    // Closes the subpath back to its start; the next element starts from there.
    void closePath();
    void clear();

    bool empty() const { return elements_.empty(); }
    int elementCount() const { return static_cast<int>(elements_.size()); }

    // Whether the point lies inside the filled path (non-zero winding, curves flattened).
    // Points exactly on an edge follow the half-open edge rule; non-finite points are out.
    bool contains(double x, double y) const;

private:
    enum class Kind { Move, Line, Curve, Close };
    struct Element {
        Kind kind;
        double p[6];
    };
    std::vector<Element> elements_;
};

}  // namespace port

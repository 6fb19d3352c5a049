#pragma once
// A plain vector path (move, line, cubic curve, close) with a fill containment test by the
// non-zero winding rule. Detail shapes keep their outline in one so a click inside the
// filled shape can be found without asking the platform.
#include <vector>

#include "port/drawing_types.h"

namespace port {

class Path {
public:
    enum class Kind { Move, Line, Curve, Close };
    // Move and Line use p[0..1]; Curve holds two control points then its end in p[0..5].
    struct Element {
        Kind kind;
        double p[6];
    };

    // Starts a new subpath; an open subpath counts as closed for containment.
    void moveTo(double x, double y);
    // A line from the current point; without one it starts a subpath there.
    void lineTo(double x, double y);
    // A cubic Bezier from the current point through two control points.
    void curveTo(double c1x, double c1y, double c2x, double c2y, double x, double y);
    // Closes the subpath back to its start; the next element starts from there.
    void closePath();
    void clear();

    // A closed rectangle from its origin, clockwise on a y-down surface.
    void appendRect(const Rect& r);
    // The ellipse inscribed in the rectangle, as four cubic pieces.
    void appendOval(const Rect& r);
    // An arc of the circle from `startDegrees` to `endDegrees` (0 along +x, growing towards
    // +y unless `clockwise`), in cubic pieces of at most a quarter turn; a sweep of more than
    // a full turn is cut to one. Joined to the current point by a line when there is one.
    void appendArc(Point center, double radius, double startDegrees, double endDegrees,
                   bool clockwise);

    // The smallest rectangle holding every drawn point, curves by their extremes (not their
    // control points); empty at the origin for a path without points.
    Rect bounds() const;
    const std::vector<Element>& elements() const { return elements_; }

    bool empty() const { return elements_.empty(); }
    int elementCount() const { return static_cast<int>(elements_.size()); }

    // Whether the point lies inside the filled path (non-zero winding, curves flattened).
    // Points exactly on an edge follow the half-open edge rule; non-finite points are out.
    bool contains(double x, double y) const;

private:
    bool hasCurrentPoint() const;
    std::vector<Element> elements_;
};

}  // namespace port

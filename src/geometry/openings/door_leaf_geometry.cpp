#include "geometry/openings/door_leaf_geometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/objects.h"

namespace doorleaf {

namespace {

constexpr float kHalfPi = std::numbers::pi_v<float> / 2.0f;
constexpr float kGapBelow = 2.0f;     // between the opening's bottom and the leaf
constexpr float kLeafAllowance = 3.0f;  // the gap below and 1.0 above
constexpr float kBarHalfWidth = 1.0f;

Float3DPoint At(PlanPoint p, float v) { return Float3DPoint{p.h, v, p.d}; }
PlanPoint Plus(PlanPoint p, PlanPoint n, float t) { return PlanPoint{p.h + t * n.h, p.d + t * n.d}; }

PlanPoint SnappedOffset(float angle, float r) {
    PlanPoint o;
    GetPointFromLengthAndAngle(angle, r, &o.h, &o.d);
    return PlanPoint{SnapOffset(o.h), SnapOffset(o.d)};
}

PieceOutcome AppendTwoRings(const Door& door, int16_t type, std::span<const PlanPoint> ring, float v1, float v2) {
    std::array<Float3DPoint, 8> points{};
    const size_t n = ring.size();
    for (size_t i = 0; i < n; ++i) {
        points[i] = At(ring[i], v1);
        points[n + i] = At(ring[i], v2);
    }
    return AppendAttachmentPiece(door.object, door.record, type, 2, std::span(points.data(), 2 * n));
}

}  // namespace

PlanPoint Along(PlanPoint from, float angle, float r) {
    PlanPoint o;
    GetPointFromLengthAndAngle(angle, r, &o.h, &o.d);
    return PlanPoint{from.h + o.h, from.d + o.d};
}

PlanPoint Toward(PlanPoint from, PlanPoint to, float r) { return Along(from, Direction(from, to), r); }

float Direction(PlanPoint from, PlanPoint to) {
    float length = 0;
    return GetLineLengthAndAngle(from.h, from.d, to.h, to.d, &length);
}

float Distance(PlanPoint from, PlanPoint to) { return GetLineLength(from.h, from.d, to.h, to.d); }

float SnapCoordinate(float x) {
    if (std::isnan(x)) return 0.0f;
    constexpr float kLow = std::numeric_limits<int16_t>::min();
    constexpr float kHigh = std::numeric_limits<int16_t>::max();
    return static_cast<float>(static_cast<int16_t>(std::clamp(x + 0.5f, kLow, kHigh)));
}

float SnapOffset(float x) { return x < 0.0f ? -SnapCoordinate(-x) : SnapCoordinate(x); }

std::optional<Door> ReadDoor(Objex* door, AttachmentRecord* record, std::initializer_list<int16_t> styles) {
    const DocState* ds = CurrentDocState();
    if (!door || !record || !ds || !door->parent) return std::nullopt;
    if (std::find(styles.begin(), styles.end(), record->style) == styles.end()) return std::nullopt;
    const Poinz* first = door->firstPoint;
    if (!first || !first->next) return std::nullopt;
    const Poinz* second = first->next;
    Door d;
    d.object = door;
    d.record = record;
    d.ds = ds;
    d.first = PlanPoint{first->position[0], first->position[2]};
    d.second = PlanPoint{second->position[0], second->position[2]};
    d.firstV = first->position[1];
    // Above the wall's base, which the scene adds once for every piece under a wall.
    d.raise = record->elevation;
    return d;
}

Heights LeafHeights(const Door& door, float rise) {
    return Heights{door.firstV - kGapBelow - door.raise, door.record->height - rise - kLeafAllowance};
}

PlanPoint LeafAxis::at(End end) const {
    switch (end) {
    case End::J: return J;
    case End::K: return K;
    case End::Q1: return Along(J, phi, stile * length);
    case End::Q2: return Along(K, phiBack, stile * length);
    case End::M1: return Along(Along(J, phi, 0.5f * length), phi, 0.07f * length);
    case End::M2: return Along(Along(J, phi, 0.5f * length), phiBack, 0.07f * length);
    }
    return J;
}

PlanPoint LeafAxis::bar(float k, float side) const {
    return Along(at(End::Q1), phi, glass() * k + side * kBarHalfWidth);
}

PlanPoint LeafAxis::across() const { return Along(PlanPoint{}, phiBack + kHalfPi, 1.0f); }

LeafAxis AxisFrom(PlanPoint J, PlanPoint K, float stile) {
    LeafAxis axis;
    axis.J = J;
    axis.K = K;
    axis.length = Distance(J, K);
    axis.phi = Direction(J, K);
    axis.phiBack = Direction(K, J);
    axis.stile = stile;
    return axis;
}

LeafAxis SwingLeaf(PlanPoint hinge, float width, float theta) {
    PlanPoint o;
    GetPointFromLengthAndAngle(theta, width, &o.h, &o.d);
    const PlanPoint provisional{std::trunc(std::trunc(o.h) + 0.5f + hinge.h),
                                std::trunc(std::trunc(o.d) + 0.5f + hinge.d)};
    const PlanPoint toLatch = SnappedOffset(Direction(hinge, provisional), width);
    const PlanPoint K{hinge.h + toLatch.h, hinge.d + toLatch.d};
    const PlanPoint toHinge = SnappedOffset(Direction(K, hinge), Distance(K, hinge));
    const PlanPoint J{K.h + toHinge.h, K.d + toHinge.d};
    return AxisFrom(J, K);
}

LeafAxis HingedLeafAxis(const Door& door, float inset) {
    const bool hingeAtFirst = door.record->sideFlag != 0;
    const PlanPoint A = hingeAtFirst ? door.first : door.second;
    const PlanPoint B = hingeAtFirst ? door.second : door.first;
    const float width = Distance(A, B);
    const float alpha = Direction(A, B);
    const PlanPoint moved = Along(A, alpha, inset);
    const PlanPoint hinge{SnapCoordinate(moved.h), SnapCoordinate(moved.d)};
    return SwingLeaf(hinge, width, alpha + door.record->swingOrOffset);
}

PieceOutcome AppendBox(const Door& door, PlanPoint P, PlanPoint Q, PlanPoint n, float t, float v1, float v2) {
    const PlanPoint ring[4] = {Plus(P, n, t), Plus(Q, n, t), Plus(Q, n, -t), Plus(P, n, -t)};
    return AppendTwoRings(door, objtype::kDoorPanel, ring, v1, v2);
}

PieceOutcome AppendGarageBox(const Door& door, PlanPoint P, PlanPoint Q, PlanPoint n, float t, float v1, float v2) {
    const PlanPoint ring[4] = {Plus(P, n, t), Plus(P, n, -t), Plus(Q, n, -t), Plus(Q, n, t)};
    return AppendTwoRings(door, objtype::kDoorPanel, ring, v1, v2);
}

PieceOutcome AppendStrip(const Door& door, PlanPoint P, PlanPoint Q, float v1, float v2) {
    const PlanPoint ring[2] = {P, Q};
    return AppendTwoRings(door, objtype::kDoorPanel, ring, v1, v2);
}

PieceOutcome AppendInfill(const Door& door, PlanPoint P, PlanPoint Q, float v1, float v2) {
    const PlanPoint ring[2] = {P, Q};
    return AppendTwoRings(door, objtype::kDoorHardware, ring, v1, v2);
}

bool AppendRows(const Door& door, const LeafAxis& axis, const Heights& heights, float t,
                std::initializer_list<Row> rows) {
    for (const Row& row : rows) {
        const float v1 = heights.at(row.f1), v2 = heights.at(row.f2);
        PieceOutcome outcome = PieceOutcome::Appended;
        switch (row.shape) {
        case Shape::Box:
            outcome = AppendBox(door, axis.at(row.first), axis.at(row.second), axis.across(), t, v1, v2);
            break;
        case Shape::Infill:
            outcome = AppendInfill(door, axis.at(row.first), axis.at(row.second), v1, v2);
            break;
        case Shape::VerticalBar:
            outcome = AppendStrip(door, axis.bar(row.k, -1.0f), axis.bar(row.k, 1.0f), v1, v2);
            break;
        case Shape::HorizontalBar: {
            const float y = v1 + (v2 - v1) * row.k;
            outcome = AppendStrip(door, axis.at(row.first), axis.at(row.second), y + kBarHalfWidth, y - kBarHalfWidth);
            break;
        }
        }
        if (outcome == PieceOutcome::Stopped) return false;
    }
    return true;
}

}  // namespace doorleaf

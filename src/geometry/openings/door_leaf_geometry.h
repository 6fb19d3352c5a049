#pragma once
// What the door leaf builders share: the door as they read it, heights up the leaf, the leaf
// axis from the hinge to the latch, and the three shapes of piece laid along it. Plan positions
// are (H, D); an offset of length r at angle a is (r cos a, -r sin a). V grows downward.
#include <cstdint>
#include <initializer_list>
#include <optional>

#include "geometry/openings/attachment_pieces.h"

struct AttachmentRecord;
struct DocState;
struct Objex;

namespace doorleaf {

struct PlanPoint {
    float h = 0;
    float d = 0;
};

// The offset of length r at the angle, added to `from`.
PlanPoint Along(PlanPoint from, float angle, float r);
// `from` moved toward `to` by r (away from it for a negative r).
PlanPoint Toward(PlanPoint from, PlanPoint to, float r);
// Direction of `to` seen from `from`, in [0, 2 pi).
float Direction(PlanPoint from, PlanPoint to);
float Distance(PlanPoint from, PlanPoint to);

// A coordinate on a whole plan unit: add 0.5, then truncate toward zero to 16 bits. A value
// beyond the 16-bit range (a damaged file, a far-off point) is clamped first; NaN gives 0.
float SnapCoordinate(float x);
// An offset component on a whole plan unit, the same either way round: -x snaps to minus what
// x snaps to, so a leaf swung out and back keeps its width.
float SnapOffset(float x);

// The door as every leaf builder reads it.
struct Door {
    Objex* object = nullptr;
    AttachmentRecord* record = nullptr;
    const DocState* ds = nullptr;
    PlanPoint first, second;  // the two ends of the opening
    float firstV = 0;         // the reference height of the opening
    float raise = 0;          // the record's sill offset above the wall's base
};
// The door when the builder may work on it: both given, a current document with its settings,
// a parent, a style among `styles` and at least two points.
std::optional<Door> ReadDoor(Objex* door, AttachmentRecord* record, std::initializer_list<int16_t> styles);

// Heights up a leaf: V(f) = bottom - f * height.
struct Heights {
    float bottom = 0;  // Vb
    float height = 0;  // hd
    float at(float f) const { return bottom - f * height; }
};
// The hinged leaves: from 2.0 above the opening's bottom to 1.0 short of its top, less the
// `rise` of an arch above the straight part.
Heights LeafHeights(const Door& door, float rise = 0);

// Named places on a leaf axis.
enum class End : uint8_t {
    J,   // hinge end
    K,   // latch end
    Q1,  // inner edge of the hinge stile
    Q2,  // inner edge of the latch stile
    M1,  // centre stile, latch side
    M2,  // centre stile, hinge side
};

// A leaf from its hinge end J to its latch end K, with stiles `stile` of its length wide.
struct LeafAxis {
    PlanPoint J, K;
    float length = 0;   // L
    float phi = 0;      // J -> K
    float phiBack = 0;  // K -> J
    float stile = 0.14f;

    PlanPoint at(End end) const;
    // The glass width between the stiles.
    float glass() const { return 0.86f * length + (-0.14f) * length; }
    // The edge of a vertical glazing bar at k of the glass width: `side` -1 the hinge side, +1 the latch side.
    PlanPoint bar(float k, float side) const;
    // The unit vector across the leaf, at phiBack + pi/2.
    PlanPoint across() const;
};
LeafAxis AxisFrom(PlanPoint J, PlanPoint K, float stile = 0.14f);

// The latch and hinge ends of a leaf `width` long hinged at `hinge` (on whole plan units) and
// turned to `theta`: the provisional latch point, then K and J snapped.
LeafAxis SwingLeaf(PlanPoint hinge, float width, float theta);
// The hinged layouts: the hinge by the side flag, moved `inset` toward the other end and
// snapped, swung by the record's swing angle.
LeafAxis HingedLeafAxis(const Door& door, float inset);

// --- shapes of piece ---

// A box of half thickness t about the axis from P to Q, between V1 (first ring) and V2
// (second ring): each ring P + t n, Q + t n, Q - t n, P - t n.
PieceOutcome AppendBox(const Door& door, PlanPoint P, PlanPoint Q, PlanPoint n, float t, float v1, float v2);
// The same with the ring P + t n, P - t n, Q - t n, Q + t n (the garage door's).
PieceOutcome AppendGarageBox(const Door& door, PlanPoint P, PlanPoint Q, PlanPoint n, float t, float v1, float v2);
// A flat bar on the axis, each ring P then Q.
PieceOutcome AppendStrip(const Door& door, PlanPoint P, PlanPoint Q, float v1, float v2);
// A flat plane over the leaf (type 128), each ring P then Q.
PieceOutcome AppendInfill(const Door& door, PlanPoint P, PlanPoint Q, float v1, float v2);

// --- layouts ---

enum class Shape : uint8_t {
    Box,
    Infill,
    VerticalBar,    // strip across the glass at k between the stiles, `first`/`second` unused
    HorizontalBar,  // strip Q1 -> Q2, 2.0 high, centred at k between V(f1) and V(f2)
};

// One piece of a leaf as its layout table lists it: heights are fractions of the leaf height.
struct Row {
    Shape shape;
    End first;
    End second;
    float f1;
    float f2;
    float k = 0;
};

// Appends the rows' pieces in order with boxes of half thickness t; false once a point could
// not be made (the build ends there).
bool AppendRows(const Door& door, const LeafAxis& axis, const Heights& heights, float t,
                std::initializer_list<Row> rows);

}  // namespace doorleaf

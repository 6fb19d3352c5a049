// The arched hinged leaf: the rectangular leaf's rails and centre stile up to where the arch
// begins, then an outline plane of the whole leaf and one piece holding both stiles and the
// arched head rail.
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "geometry/openings/door_leaf_geometry.h"
#include "geometry/openings/door_leaves.h"
#include "model/objects.h"

using namespace doorleaf;

namespace {

constexpr int16_t kRoundArch = 506;
constexpr int16_t kFlatArch = 507;
constexpr float kHingeInset = 3.0f;
constexpr float kThickness = 2.0f;
constexpr int kStepDegrees = 10;

// One arch: horizontal semi-axis r, vertical scale s, centred half the opening's width from K.
struct Arch {
    double r;
    double s;
};

class ArchedLeaf {
public:
    ArchedLeaf(const LeafAxis& axis, const Heights& heights, float halfWidth)
        : axis_(axis), heights_(heights), halfWidth_(halfWidth) {}

    // The point of the arch at `degrees` (90 the crown): along the leaf from K, up from the
    // top of its straight part.
    Float3DPoint point(const Arch& arch, int degrees) const {
        double along = halfWidth_, up = arch.s * arch.r;
        if (degrees != 90) {
            const double a = degrees * std::numbers::pi / 180.0;
            const double run = std::fabs(arch.r * std::cos(a));
            along = degrees > 90 ? halfWidth_ - run : halfWidth_ + run;
            up = std::fabs(arch.s * arch.r * std::sin(a));
        }
        const PlanPoint p = Along(axis_.K, axis_.phiBack, static_cast<float>(along));
        return Float3DPoint{p.h, heights_.bottom - (static_cast<float>(up) + heights_.height), p.d};
    }
    Float3DPoint foot(End end) const {
        const PlanPoint p = axis_.at(end);
        return Float3DPoint{p.h, heights_.bottom, p.d};
    }
    // The arch from `from` to `to` degrees in steps of 10, the crown included.
    void run(std::vector<Float3DPoint>& out, const Arch& arch, int from, int to) const {
        const int step = from > to ? -kStepDegrees : kStepDegrees;
        for (int a = from;; a += step) {
            out.push_back(point(arch, a));
            if (a == to) break;
        }
    }

private:
    const LeafAxis& axis_;
    const Heights& heights_;
    float halfWidth_;
};

Float3DPoint Moved(Float3DPoint p, PlanPoint n, float t) {
    return Float3DPoint{p.floatH + t * n.h, p.floatV, p.floatD + t * n.d};
}

}  // namespace

void BuildHingedArchDoor(Objex* door, AttachmentRecord* record) {
    const auto d = ReadDoor(door, record, {kRoundArch, kFlatArch});
    if (!d) return;
    const double width = Distance(d->first, d->second);
    const double outerR = record->width == 0.0f ? 1.0 : 0.5 * record->width;
    double innerR = (width + width * 0.14 * -2.0) * 0.5;
    if (innerR == 0.0) innerR = 1.0;
    const bool round = record->style == kRoundArch;
    const Arch outer{outerR, round ? 1.0 : (outerR / innerR) * 0.5};
    const Arch inner{innerR, round ? 1.0 : 0.5};

    const LeafAxis axis = HingedLeafAxis(*d, kHingeInset);
    const Heights heights = LeafHeights(*d, static_cast<float>(outer.s * outer.r));
    const bool built = AppendRows(*d, axis, heights, kThickness,
                                  {{Shape::Box, End::Q2, End::Q1, 0.0f, 0.11f},
                                   {Shape::Box, End::Q2, End::Q1, 0.40f, 0.49f},
                                   {Shape::Box, End::Q2, End::Q1, 0.78f, 0.84f},
                                   {Shape::Box, End::Q2, End::Q1, 0.94f, 1.0f},
                                   {Shape::Box, End::M2, End::M1, 0.11f, 0.40f},
                                   {Shape::Box, End::M2, End::M1, 0.49f, 0.78f},
                                   {Shape::Box, End::M2, End::M1, 0.84f, 0.94f}});
    if (!built) return;
    // The centre stile runs on up to the crown of the inner arch.
    const float innerCrown = heights.bottom - (static_cast<float>(inner.s * inner.r) + heights.height);
    const PlanPoint n = axis.across();
    if (AppendBox(*d, axis.at(End::M2), axis.at(End::M1), n, kThickness, heights.at(1.0f), innerCrown) ==
        PieceOutcome::Stopped)
        return;

    const ArchedLeaf leaf(axis, heights, static_cast<float>(0.5 * width));
    std::vector<Float3DPoint> outline{leaf.foot(End::K)};
    leaf.run(outline, outer, 180, 0);
    outline.push_back(leaf.foot(End::J));
    if (AppendAttachmentPiece(door, record, objtype::kDoorHardware, 1, outline) == PieceOutcome::Stopped) return;

    std::vector<Float3DPoint> ring{leaf.foot(End::Q2)};
    leaf.run(ring, inner, 180, 0);
    ring.push_back(leaf.foot(End::Q1));
    ring.push_back(leaf.foot(End::J));
    leaf.run(ring, outer, 0, 180);
    ring.push_back(leaf.foot(End::K));
    std::vector<Float3DPoint> rings;
    rings.reserve(2 * ring.size());
    for (const Float3DPoint& p : ring) rings.push_back(Moved(p, n, kThickness));
    for (const Float3DPoint& p : ring) rings.push_back(Moved(p, n, -kThickness));
    AppendAttachmentPiece(door, record, objtype::kDoorPanel, 2, rings);
}

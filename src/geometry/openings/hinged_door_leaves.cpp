// The rectangular leaves, each layout read as its table: ends on the leaf axis, heights as
// fractions of the leaf height above its bottom.
#include <numbers>

#include "geometry/openings/door_leaf_geometry.h"
#include "geometry/openings/door_leaves.h"
#include "model/objects.h"

using namespace doorleaf;

namespace {

constexpr int16_t kHinged = 501;
constexpr int16_t kFrench = 508;
constexpr int16_t kNineLite = 509;
constexpr int16_t kPocket = 510;
constexpr int16_t kBiFold = 511;

constexpr float kThickness = 2.0f;       // half thickness of a box
constexpr float kPocketThickness = 1.0f;
constexpr float kGlazedInset = 1.0f;     // French and nine-lite leaves start inside the opening
constexpr float kFoldedSwing = std::numbers::pi_v<float> / 4.0f;
constexpr float kBiFoldStile = 0.2f;

// The rails every rectangular leaf shares at its bottom, top and lock heights.
constexpr Row kHingeStile{Shape::Box, End::J, End::Q1, 0.0f, 1.0f};
constexpr Row kLatchStile{Shape::Box, End::K, End::Q2, 0.0f, 1.0f};
constexpr Row kBottomRail{Shape::Box, End::Q2, End::Q1, 0.0f, 0.11f};
constexpr Row kLockRail{Shape::Box, End::Q2, End::Q1, 0.40f, 0.49f};
constexpr Row kUpperRail{Shape::Box, End::Q2, End::Q1, 0.78f, 0.84f};
constexpr Row kTopRail{Shape::Box, End::Q2, End::Q1, 0.94f, 1.0f};

bool AppendPanelledLeaf(const Door& door, const LeafAxis& axis, float t) {
    return AppendRows(door, axis, LeafHeights(door), t,
                      {kHingeStile, kLatchStile, kBottomRail, kLockRail, kUpperRail, kTopRail,
                       {Shape::Box, End::M2, End::M1, 0.11f, 0.40f},
                       {Shape::Box, End::M2, End::M1, 0.49f, 0.78f},
                       {Shape::Box, End::M2, End::M1, 0.84f, 0.94f},
                       {Shape::Infill, End::J, End::K, 1.0f, 0.0f}});
}

}  // namespace

void BuildHingedDoor(Objex* door, AttachmentRecord* record) {
    const auto d = ReadDoor(door, record, {kHinged, kPocket});
    if (!d) return;
    const bool pocket = record->style == kPocket;
    // A pocket door is drawn closed, half its width back into the wall.
    if (pocket) record->swingOrOffset = 0.0f;
    const float width = Distance(d->first, d->second);
    const LeafAxis axis = HingedLeafAxis(*d, pocket ? -0.5f * width : 0.0f);
    AppendPanelledLeaf(*d, axis, pocket ? kPocketThickness : kThickness);
}

void BuildHingedGlassDoor(Objex* door, AttachmentRecord* record) {
    const auto d = ReadDoor(door, record, {kFrench});
    if (!d) return;
    AppendRows(*d, HingedLeafAxis(*d, kGlazedInset), LeafHeights(*d), kThickness,
               {kHingeStile, kLatchStile, kBottomRail, kTopRail,
                {Shape::VerticalBar, End::Q1, End::Q2, 0.11f, 0.94f, 0.33f},
                {Shape::VerticalBar, End::Q1, End::Q2, 0.11f, 0.94f, 0.66f},
                {Shape::HorizontalBar, End::Q1, End::Q2, 0.11f, 0.94f, 0.2f},
                {Shape::HorizontalBar, End::Q1, End::Q2, 0.11f, 0.94f, 0.4f},
                {Shape::HorizontalBar, End::Q1, End::Q2, 0.11f, 0.94f, 0.6f},
                {Shape::HorizontalBar, End::Q1, End::Q2, 0.11f, 0.94f, 0.8f}});
}

void BuildHingedHalfGlassDoor(Objex* door, AttachmentRecord* record) {
    const auto d = ReadDoor(door, record, {kNineLite});
    if (!d) return;
    AppendRows(*d, HingedLeafAxis(*d, kGlazedInset), LeafHeights(*d), kThickness,
               {kHingeStile, kLatchStile, kBottomRail, kLockRail, kTopRail,
                {Shape::VerticalBar, End::Q1, End::Q2, 0.49f, 0.94f, 0.33f},
                {Shape::VerticalBar, End::Q1, End::Q2, 0.49f, 0.94f, 0.66f},
                {Shape::HorizontalBar, End::Q1, End::Q2, 0.49f, 0.94f, 0.33f},
                {Shape::HorizontalBar, End::Q1, End::Q2, 0.49f, 0.94f, 0.66f},
                {Shape::Box, End::M2, End::M1, 0.11f, 0.40f},
                {Shape::Infill, End::J, End::K, 0.49f, 0.0f}});
}

void BuildBiFoldDoor(Objex* door, AttachmentRecord* record) {
    const auto d = ReadDoor(door, record, {kBiFold});
    if (!d) return;
    const bool side = record->sideFlag != 0;
    const PlanPoint A{SnapCoordinate(d->first.h), SnapCoordinate(d->first.d)};
    const float alpha = Direction(d->first, d->second);
    const float beta = side ? alpha : alpha - std::numbers::pi_v<float> / 2.0f;
    record->swingOrOffset = kFoldedSwing;
    const float leafWidth = 0.5f * Distance(d->first, d->second);

    const LeafAxis first = SwingLeaf(A, leafWidth, beta + kFoldedSwing);
    const float gamma = side ? first.phi - std::numbers::pi_v<float> / 2.0f
                             : first.phi + std::numbers::pi_v<float> / 2.0f;
    const PlanPoint freeEnd = Along(first.K, gamma, first.length);
    const LeafAxis second = AxisFrom(first.K, freeEnd, kBiFoldStile);

    const Heights heights = LeafHeights(*d);
    for (LeafAxis leaf : {first, second}) {
        leaf.stile = kBiFoldStile;
        const bool built = AppendRows(*d, leaf, heights, kThickness,
                                      {kHingeStile, kLatchStile, kBottomRail, kLockRail, kUpperRail,
                                       kTopRail, {Shape::Infill, End::J, End::K, 1.0f, 0.0f}});
        if (!built) return;
    }
}

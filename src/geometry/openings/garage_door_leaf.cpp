// The overhead door: closed in the plane of the opening, filling it, in sections of about 24
// by 21 world units between joint strips. Nothing is snapped and the swing is ignored.
#include <cmath>
#include <numbers>

#include "geometry/openings/door_leaf_geometry.h"
#include "geometry/openings/door_leaves.h"
#include "model/objects.h"
#include "model/transforms.h"

using namespace doorleaf;

namespace {

constexpr int16_t kOverhead = 503;
constexpr float kThickness = 2.0f;
// World lengths: a vertical joint (twice an end stile), a horizontal joint (twice a rail), a
// section's width and height.
constexpr float kJointWidth = 4.0f;
constexpr float kJointHeight = 8.0f;
constexpr float kSectionWidth = 24.0f;
constexpr float kSectionHeight = 21.0f;
// Far more sections than any door has: a damaged size must not ask for millions of pieces.
constexpr double kMostSections = 1000.0;

int Sections(float length, float section) {
    double n = std::trunc(static_cast<double>(length) / static_cast<double>(section) + 0.5);
    if (!(n >= 1.0)) n = 1.0;
    if (n > kMostSections) n = kMostSections;
    return static_cast<int>(n);
}

}  // namespace

void BuildGarageDoor(Objex* door, AttachmentRecord* record) {
    const auto d = ReadDoor(door, record, {kOverhead});
    if (!d) return;
    const PlanPoint A = d->first, B = d->second;
    const float width = Distance(A, B);
    const float alpha = Direction(A, B);
    const PlanPoint n = Along(PlanPoint{}, alpha + std::numbers::pi_v<float> / 2.0f, 1.0f);
    const float bottom = d->firstV - d->raise;
    const float height = record->height;
    const float joint = ConvertWorldToScreen(kJointWidth, d->ds, 0);
    const float rail = ConvertWorldToScreen(kJointHeight, d->ds, 0);
    const int columns = Sections(width, ConvertWorldToScreen(kSectionWidth, d->ds, 0));
    const int rows = Sections(height, ConvertWorldToScreen(kSectionHeight, d->ds, 0));
    const float columnWidth = width / static_cast<float>(columns);
    const float rowHeight = height / static_cast<float>(rows);
    const auto along = [&](float x) { return Along(A, alpha, x); };
    const auto box = [&](PlanPoint P, PlanPoint Q, float v1, float v2) {
        return AppendGarageBox(*d, P, Q, n, kThickness, v1, v2) != PieceOutcome::Stopped;
    };

    for (int i = 1; i < columns; ++i) {
        const float x = static_cast<float>(i) * columnWidth;
        if (!box(along(x - joint / 2), along(x + joint / 2), bottom, bottom - height)) return;
    }
    for (int j = 1; j < rows; ++j) {
        const float y = static_cast<float>(j) * rowHeight;
        if (!box(A, B, bottom - (y - rail / 2), bottom - (y + rail / 2))) return;
    }
    if (!box(A, along(joint / 2), bottom, bottom - height)) return;
    if (!box(along(width - joint / 2), B, bottom, bottom - height)) return;
    if (!box(A, B, bottom, bottom - rail / 2)) return;
    if (!box(A, B, bottom - (height - rail / 2), bottom - height)) return;
    AppendInfill(*d, A, B, bottom - height, bottom);
}

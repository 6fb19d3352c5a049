#include "tools/wall_dimension_tracks.h"

#include <algorithm>
#include <cstdlib>

#include "model/document_model.h"
#include "model/lines.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/segment_walk.h"

namespace {

constexpr float kFarAway = 30000.0f;
constexpr float kBoxMargin = 1.0f; // a crossing at a wall's very end still counts
constexpr float kProbeDistance = 5.0f;

bool Inside(float x, float a, float b) {
    return x > std::min(a, b) - kBoxMargin && x < std::max(a, b) + kBoxMargin;
}

float Distance(const FloatPoint& a, const FloatPoint& b) {
    return GetLineLength(a.floatH, a.floatV, b.floatH, b.floatV);
}

} // namespace

FloatPoint* BeginWallDimTracking(const FloatPoint* lineStart, const FloatPoint* lineEnd,
                                 const Poinz* skipStart, const Poinz* skipEnd, int32_t* outCount) {
    if (outCount) *outCount = 0;
    if (!lineStart || !lineEnd || !skipStart || !skipEnd || !outCount || !gCurDocument)
        return nullptr;
    const Layer* layer = gCurDocument->itsCurLayer;
    if (!layer) return nullptr;
    auto* list = static_cast<FloatPoint*>(std::calloc(kWallDimTrackBlock, sizeof(FloatPoint)));
    if (!list) return nullptr;
    int32_t count = 0;
    for (const Objex* o = layer->firstObject; o && count < kMostWallDimCrossings; o = o->next) {
        if (o->type != objtype::kWall) continue;
        ForEachSegment(o, [&](const Poinz* a, const Poinz* b) {
            if (count >= kMostWallDimCrossings || (a == skipStart && b == skipEnd)) return;
            const float ah = a->position[0], ad = a->position[2], bh = b->position[0],
                        bd = b->position[2];
            float h = 0, d = 0;
            GetIntersection(lineStart->floatH, lineStart->floatV, lineEnd->floatH, lineEnd->floatV,
                            ah, ad, bh, bd, &h, &d);
            if (h < kFarAway && d < kFarAway && Inside(h, ah, bh) && Inside(d, ad, bd))
                list[count++] = {h, d};
        });
    }
    *outCount = count;
    return list;
}

void ContinueWallDimTracking(const FloatPoint* list, const FloatPoint* lineStart,
                             const FloatPoint* lineEnd, FloatPoint* outPositive,
                             FloatPoint* outNegative, int32_t count) {
    const FloatPoint none{kNoWallDimCrossing, kNoWallDimCrossing};
    if (outPositive) *outPositive = none;
    if (outNegative) *outNegative = none;
    if (!list || count <= 0 || !gCurDocument || !lineStart || !lineEnd || !outPositive ||
        !outNegative)
        return;
    const float length = Distance(*lineStart, *lineEnd);
    const float along = length > 0 ? kProbeDistance / length : 0;
    const float dh = (lineEnd->floatH - lineStart->floatH) * along,
                dd = (lineEnd->floatV - lineStart->floatV) * along;
    const FloatPoint ahead{lineStart->floatH + dh, lineStart->floatV + dd};
    const FloatPoint behind{lineStart->floatH - dh, lineStart->floatV - dd};
    float bestAhead = kNoWallDimCrossing, bestBehind = kNoWallDimCrossing;
    for (int32_t i = 0; i < std::min(count, kMostWallDimCrossings); ++i) {
        const FloatPoint& q = list[i];
        const float toAhead = Distance(q, ahead), toBehind = Distance(q, behind);
        if (toBehind > toAhead) {
            if (toAhead < bestAhead) bestAhead = toAhead, *outPositive = q;
        } else if (toBehind < bestBehind) {
            bestBehind = toBehind, *outNegative = q;
        }
    }
}

void EndWallDimTracking(FloatPoint* list) {
    std::free(list);
}

void WallDimTrack::begin(const FloatPoint& lineStart, const FloatPoint& lineEnd,
                         const Poinz* skipStart, const Poinz* skipEnd) {
    end();
    list_ = BeginWallDimTracking(&lineStart, &lineEnd, skipStart, skipEnd, &count_);
}

void WallDimTrack::nearest(const FloatPoint& lineStart, const FloatPoint& lineEnd,
                           FloatPoint* positive, FloatPoint* negative) const {
    ContinueWallDimTracking(list_, &lineStart, &lineEnd, positive, negative, count_);
}

void WallDimTrack::end() {
    EndWallDimTracking(list_);
    list_ = nullptr;
    count_ = 0;
}

#pragma once
// Live dimensions to the nearest walls while a wall is drawn from another wall's face or a
// wall point is dragged: the crossings of a track (a line fixed in direction for the drag)
// with the walls of the current layer are found once when the drag begins, and the nearest
// on each side of the moving start are picked at every step. Points are plan (H, D) pairs.
#include <cstdint>

#include "model/types.h"

struct Poinz;

// The most crossings one track keeps, in a block of kWallDimTrackBlock pairs.
inline constexpr int32_t kMostWallDimCrossings = 998;
inline constexpr int32_t kWallDimTrackBlock = 1000;
// What a side without a crossing reports.
inline constexpr float kNoWallDimCrossing = 32000.0f;

// The crossings of the infinite line lineStart-lineEnd with every segment of every wall of
// the current layer (closing segments of closed walls included) but the one from skipStart to
// skipEnd, each within its segment's box grown by 1.0, in the order found, at most
// kMostWallDimCrossings. Null (count 0) when an argument, the document or its current layer
// is missing or the block cannot be had; the caller frees it with EndWallDimTracking.
FloatPoint* BeginWallDimTracking(const FloatPoint* lineStart, const FloatPoint* lineEnd,
                                 const Poinz* skipStart, const Poinz* skipEnd, int32_t* outCount);
// The crossing nearest to a probe 5.0 ahead of lineStart (towards lineEnd) among those nearer
// to it than to a probe 5.0 behind, and the nearest to the probe behind among the rest. A side
// without one, or no list or document, reports (kNoWallDimCrossing, kNoWallDimCrossing).
void ContinueWallDimTracking(const FloatPoint* list, const FloatPoint* lineStart,
                             const FloatPoint* lineEnd, FloatPoint* outPositive,
                             FloatPoint* outNegative, int32_t count);
// Nothing for null.
void EndWallDimTracking(FloatPoint* list);

// One track's crossings for the length of a drag, freed on every way out of it.
class WallDimTrack {
  public:
    WallDimTrack() = default;
    ~WallDimTrack() { end(); }
    WallDimTrack(const WallDimTrack&) = delete;
    WallDimTrack& operator=(const WallDimTrack&) = delete;

    // Replaces what the track held.
    void begin(const FloatPoint& lineStart, const FloatPoint& lineEnd, const Poinz* skipStart,
               const Poinz* skipEnd);
    void nearest(const FloatPoint& lineStart, const FloatPoint& lineEnd, FloatPoint* positive,
                 FloatPoint* negative) const;
    void end();

    int32_t count() const { return count_; }
    const FloatPoint* crossings() const { return list_; }

  private:
    FloatPoint* list_ = nullptr;
    int32_t count_ = 0;
};

#pragma once
// Rails, spindles and posts of staircases and landings (type 39; rail pieces of curved stairs
// 44), hung on the owner's parts in the rail material. In the framing view the same calls make
// lumber: boards along straight runs and stud walls under landings. Heights count up from the
// stair's base; the reached height is `gStairHeightAccum` after the current step's riser.
#include <cstdint>

#include "geometry/elements/stair_state.h"

struct Objex;

// One square post 8 x 8 turned to the direction, from the position's V (from V 0 with
// `fromGround`) up `height` (world unit). Nothing when the owner has no points.
void ConstructBaluster(const Float3DPoint& at, float direction, Objex* owner, float height, int16_t fromGround,
                       const RailMaterial& material);
// The hand rail of one straight run on one side (1 left, 0 right), its underside at the rail
// bottom above `startHeight` at the run start and above `endHeight` + one riser at its end.
void AppendStraightHandRail(const StairContext& c, const Float3DPoint& edgeStart, const Float3DPoint& edgeEnd,
                            const Float3DPoint& oppositeStart, const Float3DPoint& oppositeEnd, int side,
                            float startHeight, float endHeight, float riser);
// The two spindles of one straight tread on one side and, where due, its post.
void AppendStraightStairSpindles(const StairContext& c, const Float3DPoint& edgeStart, const Float3DPoint& edgeEnd,
                                 const Float3DPoint& oppositeStart, const Float3DPoint& oppositeEnd, int side,
                                 float riser);
// The rail piece and two spindles of one curved step on one side and, where due, its post.
void AppendStairRail(const StairContext& c, const Float3DPoint& edgeStart, const Float3DPoint& edgeEnd,
                     const Float3DPoint& oppositeStart, const Float3DPoint& oppositeEnd, int side);
// A straight stretch of landing railing (a stud wall in the framing view) from start to end,
// each at its own V, with posts where asked.
void ConstructRail(const StairContext& c, const Float3DPoint& start, const Float3DPoint& end, float direction,
                   bool startPost, bool endPost);

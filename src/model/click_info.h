#pragma once
// The record of one click in the plan: where it was, whether it extends the selection, and
// what the hit test found under it. The plan view creates one per click and zeroes it, the
// model's hit tests fill the hit fields, and the tracking engine keeps a copy for the
// gesture. The record does not own the objects and points it points to.
#include <cstdint>

#include "model/types.h"
#include "port/winrecords.h"

struct Objex;
struct Poinz;

struct ClickInfo {
    // 1 when something was found; stored by the caller from the search result (the hit
    // tests only clear it, when they pass a hit over).
    uint8_t ciHit = 0;
    POINT ciWhere;               // click point, view coordinates
    int16_t ciMode = 0;          // 0x8000 while the click extends the selection, else 0
    uint8_t ciPointHit = 0;      // a point (or the first point of a whole-object pick)
    uint8_t ciSegmentHit = 0;    // the segment ciPoint -> ciPoint2
    uint8_t ciAreaHit = 0;       // inside the filled outline of a detail shape
    uint8_t ciHandleHit = 0;     // one of the eight bounds handles of a selected object
    int16_t ciHandle = 0;        // 1-8, 0 when no handle
    Poinz* ciPoint = nullptr;
    Poinz* ciPoint2 = nullptr;
    Float3DPoint ciPieceStart;   // view position of the start of the curve piece hit
    Float3DPoint ciPieceEnd;
    float ciPieceStartT = 0;     // curve parameter at the piece's start
    float ciPieceEndT = 0;
    Objex* ciObject = nullptr;
    // Model position of the hit: the point's position, the handle's corner, or the curve at
    // ciPieceEndT (not set for whole-object and area hits).
    Float3DPoint ciHitPos;
};

inline constexpr int16_t kClickExtendsSelection = static_cast<int16_t>(0x8000);

// Hit-tests the record's point on every layer of the current document and stores the answer
// in ciHit; nothing without a record or layers.
void FillClickInfo(ClickInfo* click);

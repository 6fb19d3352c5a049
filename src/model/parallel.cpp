#include "model/parallel.h"

#include <numbers>
#include <vector>

#include "model/bounds.h"
#include "model/deletion.h"
#include "model/direction.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/objects.h"
#include "model/transforms.h"
#include "port/path.h"

namespace {

constexpr int H = 0;
constexpr int V = 1;
constexpr int D = 2;
constexpr float kHalfPi = static_cast<float>(std::numbers::pi / 2.0);

struct OffsetSegment {
    float sh = 0, sv = 0, sd = 0;
    float eh = 0, ev = 0, ed = 0;
};

OffsetSegment OffsetOf(const Poinz* a, const Poinz* b, float sign, float distance) {
    OffsetSegment s;
    GetParallelPoints(a, b, &s.sh, &s.sv, &s.sd, &s.eh, &s.ev, &s.ed, sign, distance);
    return s;
}

bool WithinMitreLimit(const FloatRect& lot, float h, float d) {
    return h >= lot.floatLeft - parallel::kMitreMargin && h <= lot.floatRight + parallel::kMitreMargin &&
           d >= lot.floatTop - parallel::kMitreMargin && d <= lot.floatBottom + parallel::kMitreMargin;
}

// The new position of P from its neighbours A and B: where the two offset lines cross, or
// P's offset along P -> B when that crossing is out of bounds. V is A's.
void CornerAt(const Poinz* a, const Poinz* p, const Poinz* b, float sign, float distance,
              const FloatRect& lot, float out[3]) {
    const OffsetSegment in = OffsetOf(a, p, sign, distance);
    const OffsetSegment on = OffsetOf(p, b, sign, distance);
    float h = 0, d = 0;
    GetIntersection(in.sh, in.sd, in.eh, in.ed, on.sh, on.sd, on.eh, on.ed, &h, &d);
    if (!WithinMitreLimit(lot, h, d)) {
        h = on.sh;
        d = on.sd;
    }
    out[H] = h;
    out[V] = in.sv;
    out[D] = d;
}

Objex* BuildParallel(Objex* source, int16_t side, float distance, bool append) {
    const DocState* ds = CurrentDocState();
    if (!gCurDocument || !ds || !source) return nullptr;
    std::vector<const Poinz*> pts;
    for (const Poinz* p = source->firstPoint; p; p = p->next) pts.push_back(p);
    const size_t n = pts.size();
    if (n < 2) return nullptr;

    const float sign = side == parallel::kSide8 ? -1.0f : 1.0f;
    const FloatRect empty = EmptyFloatRect();
    Objex* copy = CreateObject(source->type, source->closed, source->visible, &source->fillColor,
                               &source->penColor, source->penWidth, source->penStyle,
                               source->fillPattern, &empty, nullptr, nullptr, nullptr,
                               source->layer, TypeData{});
    if (!copy) return nullptr;

    const FloatRect& lot = ds->lotRect;
    const bool closed = source->closed != 0;
    Poinz* tail = nullptr;
    for (size_t i = 0; i < n; ++i) {
        float at[3] = {};
        if (i == 0 && !closed) {
            const OffsetSegment s = OffsetOf(pts[0], pts[1], sign, distance);
            at[H] = s.sh; at[V] = s.sv; at[D] = s.sd;
        } else if (i == n - 1 && !closed) {
            const OffsetSegment s = OffsetOf(pts[n - 2], pts[n - 1], sign, distance);
            at[H] = s.eh; at[V] = s.ev; at[D] = s.ed;
        } else {
            const Poinz* a = pts[i == 0 ? n - 1 : i - 1];
            const Poinz* b = pts[i == n - 1 ? 0 : i + 1];
            CornerAt(a, pts[i], b, sign, distance, lot, at);
        }
        Poinz* p = CreatePoint(1, 1, 0, 0, 0, 0, at[H], at[V], at[D], 0, 0, 0, 0, 0, 0, copy);
        if (p) tail = AppendPointAfter(p, copy, tail);
    }

    if (append) AppendObjectToLayer(copy, source->layer);
    copy->bounds = EmptyFloatRect();
    GetObjectBounds(copy, 0, &copy->bounds, 0, 0);
    copy->bounds3D = EmptyFloat3DRect();
    GetObject3DBounds(copy, 0, &copy->bounds3D, 0);
    return copy;
}

// Appends a closing copy of the side's first point so the ring ends where it starts.
void CloseRing(Objex* side) {
    const Poinz* first = side->firstPoint;
    if (!first) return;
    Poinz* p = CreatePoint(1, 1, 0, 0, 0, 0, first->position[H], first->position[V],
                           first->position[D], 0, 0, 0, 0, 0, 0, side);
    if (p) AppendPointToObject(p, side);
}

Poinz* LastPoint(Objex* object) {
    Poinz* p = object->firstPoint;
    while (p && p->next) p = p->next;
    return p;
}

// Rounds like a 16-bit whole coordinate of the platform path, clamped into that range first.
double Round16(double x) {
    double y = x + 0.5;
    if (!(y > -32768.0)) y = -32768.0;
    if (!(y < 32767.0)) y = 32767.0;
    return static_cast<double>(static_cast<int16_t>(y));
}

}  // namespace

void GetParallelPoints(const Poinz* start, const Poinz* end, float* startH, float* startV,
                       float* startD, float* endH, float* endV, float* endD, float sign,
                       float distance) {
    if (!start || !end || !startH || !startV || !startD || !endH || !endV || !endD) return;
    float length = 0;
    const float angle = GetLineLengthAndAngle(start->position[H], start->position[D],
                                              end->position[H], end->position[D], &length);
    float dh = 0, dd = 0;
    GetPointFromLengthAndAngle(angle + sign * kHalfPi, distance, &dh, &dd);
    *startH = start->position[H] + dh;
    *startD = start->position[D] + dd;
    *endH = end->position[H] + dh;
    *endD = end->position[D] + dd;
    *startV = start->position[V];
    *endV = start->position[V];
}

Objex* CreateParallelObject(Objex* object, int16_t side, float distance, uint8_t append) {
    return BuildParallel(object, side, distance, append != 0);
}

Objex* CreateConstantParallelObject(Objex* object, int16_t side, float distance) {
    return BuildParallel(object, side, distance, true);
}

Objex* MakeClosedParallel(Objex* object, float worldDistance, int16_t side) {
    if (!object || !object->closed) return nullptr;
    const float distance = ConvertWorldToScreen(worldDistance, CurrentDocState(), 0);
    return BuildParallel(object, side, distance, true);
}

Objex* MakeOpenParallel(Objex* object, float worldDistance, int16_t side) {
    if (!object || object->closed) return nullptr;
    const float distance = ConvertWorldToScreen(worldDistance, CurrentDocState(), 0);
    return BuildParallel(object, side, distance, true);
}

Objex* MakeParallel(Objex* object, float worldDistance, uint8_t append) {
    if (!object) return nullptr;
    const float distance = ConvertWorldToScreen(worldDistance, CurrentDocState(), 0);
    const bool wasClosed = object->closed != 0;
    Objex* first = nullptr;
    Objex* second = nullptr;
    switch (object->optionA) {
    case parallel::kOutlineAndSide7:
        first = object;
        second = BuildParallel(object, parallel::kSide7, distance, append != 0);
        break;
    case parallel::kOutlineAndSide8:
        first = object;
        second = BuildParallel(object, parallel::kSide8, distance, append != 0);
        break;
    case parallel::kCentred: {
        Objex* side8 = BuildParallel(object, parallel::kSide8, distance / 2.0f, append != 0);
        Objex* side7 = BuildParallel(object, parallel::kSide7, distance / 2.0f, append != 0);
        // The source goes only when both halves exist, so a failure loses nothing.
        if (!side8 || !side7) {
            DeleteObj(side8);
            DeleteObj(side7);
            return object;
        }
        DeleteObj(object);
        first = side8;
        second = side7;
        break;
    }
    default:
        return object;
    }
    if (!second) return first;

    if (wasClosed) {
        CloseRing(first);
        CloseRing(second);
    }
    Poinz* tail = LastPoint(first);
    for (Poinz* p = LastPoint(second); p;) {
        Poinz* before = p->prev;
        p->prev = p->next = nullptr;
        tail = AppendPointAfter(p, first, tail);
        p = before;
    }
    second->firstPoint = nullptr;
    second->pointCount = 0;
    DeleteObj(second);

    first->closed = 1;
    first->rows = 1;
    int32_t count = 0;
    for (const Poinz* p = first->firstPoint; p; p = p->next) ++count;
    first->pointCount = count;
    return first;
}

int16_t GetParallelDirection(Objex* object) {
    if (!object || !gCurDocument) return 1;
    const DocState* ds = CurrentDocState();
    if (!ds) return 0;

    int a1 = H, a2 = D;
    if (ds->viewKind == 1) a2 = V;
    else if (ds->viewKind == 3) { a1 = D; a2 = V; }

    const int32_t rowLength = PointsPerRow(object);
    port::Path path;
    const Poinz* p1 = object->firstPoint;
    int32_t used = 0;
    for (const Poinz* p = p1; p && used < rowLength; p = p->next, ++used) {
        const double x = Round16(p->position[a1]);
        const double y = Round16(p->position[a2]);
        if (used == 0) path.moveTo(x, y);
        else path.lineTo(x, y);
    }
    if (used < 2) return 1;
    path.closePath();

    const Poinz* p2 = p1->next;
    float length = 0;
    const float angle = GetLineLengthAndAngle(p1->position[a1], p1->position[a2], p2->position[a1],
                                              p2->position[a2], &length);
    float dx = 0, dy = 0;
    GetPointFromLengthAndAngle(angle + kHalfPi, 2.0f, &dx, &dy);
    const float midX = (p1->position[a1] + p2->position[a1]) / 2.0f;
    const float midY = (p1->position[a2] + p2->position[a2]) / 2.0f;
    return path.contains(Round16(midX + dx), Round16(midY + dy)) ? 1 : -1;
}

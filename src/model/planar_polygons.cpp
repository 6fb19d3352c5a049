#include "model/planar_polygons.h"

#include <cstdlib>
#include <limits>

#include "model/segment_sampling.h"
#include "port/seam.h"


namespace {

constexpr int32_t kVertexSize = static_cast<int32_t>(sizeof(PolygonVertex));

// A segment to append: from `from` leaving along `startTangent` to `to` arriving along
// `endTangent`. The forward walk passes a point's own out- and in-tangents; the reverse walk
// passes negated ones so the reversed curve traces the same path.
struct Segment {
    const Poinz* from;
    const Poinz* to;
    float startTangent[3];
    float endTangent[3];
};

Segment Forward(const Poinz* a, const Poinz* b) {
    Segment s{a, b, {}, {}};
    for (int i = 0; i < 3; ++i) {
        s.startTangent[i] = a->outTangent[i];
        s.endTangent[i] = b->inTangent[i];
    }
    return s;
}

// The segment that runs forwards from `earlier` to `later`, walked from `later` back.
Segment Backward(const Poinz* later, const Poinz* earlier) {
    Segment s{later, earlier, {}, {}};
    for (int i = 0; i < 3; ++i) {
        s.startTangent[i] = -later->inTangent[i];
        s.endTangent[i] = -earlier->outTangent[i];
    }
    return s;
}

bool IsStraight(const Segment& s) {
    for (int i = 0; i < 3; ++i)
        if (s.startTangent[i] != 0.0f || s.endTangent[i] != 0.0f) return false;
    return true;
}

// Texture coordinates of a curve sample from the owner's face rectangle and axis; any other
// axis keeps the previous sample's coordinates.
void FaceUV(const Objex* owner, float h, float v, float d, float* u, float* tv) {
    if (!owner) return;
    const FloatRect& r = owner->textureFaceRect2;
    float width = r.floatRight - r.floatLeft;
    float height = r.floatBottom - r.floatTop;
    if (width == 0.0f) width = 1.0f;
    if (height == 0.0f) height = 1.0f;
    switch (owner->faceAxis) {
    case 1: *u = (h - r.floatLeft) / width; *tv = (v - r.floatTop) / height; break;
    case 2: *u = (h - r.floatLeft) / width; *tv = (d - r.floatTop) / height; break;
    case 3: *u = (d - r.floatLeft) / width; *tv = (v - r.floatTop) / height; break;
    default: break;
    }
}

void AppendSegment(PolygonVertex** array, const Segment& s, int32_t* byteLength, int32_t* added) {
    int32_t n = 0;
    if (gRealTimeDraw || IsStraight(s)) {
        const Poinz* a = s.from;
        if (StorePolyPoint(array, a->position[0], a->position[1], a->position[2], byteLength, 0,
                           a->textureU, a->textureV))
            ++n;
    } else {
        const SegmentCubic cubic(s.from->position, s.startTangent, s.to->position, s.endTangent);
        const double limit = 1.01 - static_cast<double>(CurveSampleStep());
        float u = 0, tv = 0;
        bool ok = true;
        SampleCubic(cubic, limit, [&](float h, float v, float d) {
            if (!ok) return;
            FaceUV(s.from->owner, h, v, d, &u, &tv);
            ok = StorePolyPoint(array, h, v, d, byteLength, 0, u, tv) != 0;
            if (ok) ++n;
        });
    }
    if (added) *added = n;
}

PolygonVertex* Finish(PolygonVertex* array, int32_t byteLength, int32_t* count) {
    *count = array ? byteLength / kVertexSize : 0;
    return array;
}

}  // namespace

uint8_t StorePolyPoint(PolygonVertex** array, float h, float v, float d, int32_t* byteLength,
                       uint16_t flag, float u, float tv) {
    if (!array || !byteLength || *byteLength < 0) return 0;
    if (*byteLength > std::numeric_limits<int32_t>::max() - kVertexSize) {
        DeletePlanarPolygon(*array);
        *array = nullptr;
        *byteLength = 0;
        return 0;
    }
    const int32_t grown = *byteLength + kVertexSize;
    void* block = std::realloc(*array, static_cast<size_t>(grown));
    if (!block) {
        // The walk stops and the caller gets null; do not leave the old block behind.
        DeletePlanarPolygon(*array);
        *array = nullptr;
        *byteLength = 0;
        return 0;
    }
    *array = static_cast<PolygonVertex*>(block);
    PolygonVertex& vertex = (*array)[*byteLength / kVertexSize];
    vertex = PolygonVertex{};
    vertex.H = h;
    vertex.V = v;
    vertex.D = d;
    vertex.flag = flag;
    vertex.u = u;
    vertex.v = tv;
    *byteLength = grown;
    return 1;
}

uint8_t StorePoint(PolygonVertex** array, float h, float v, float d, int32_t* byteLength,
                   uint8_t project, uint16_t flag) {
    if (project) ProjectPointToView(&h, &v, &d);
    return StorePolyPoint(array, h, v, d, byteLength, flag, 0.0f, 0.0f);
}

void DeletePlanarPolygon(PolygonVertex* array) { std::free(array); }

void AppendObjectSegment(PolygonVertex** array, const Poinz* a, const Poinz* b, int32_t* byteLength,
                         int32_t* added) {
    if (added) *added = 0;
    if (!array || !a || !b || !byteLength) return;
    AppendSegment(array, Forward(a, b), byteLength, added);
}

PolygonVertex* CreatePlanarPolygon(Poinz* first, int32_t* count) {
    if (!first || !count) return nullptr;
    const int32_t n = *count;
    *count = 0;
    if (n < 3) return nullptr;
    PolygonVertex* array = nullptr;
    int32_t bytes = 0;
    const Poinz* p = first;
    for (int32_t step = 0; step < n - 1 && p->next; ++step) {
        AppendSegment(&array, Forward(p, p->next), &bytes, nullptr);
        if (!array) return nullptr;
        p = p->next;
    }
    AppendSegment(&array, Forward(p, first), &bytes, nullptr);
    return Finish(array, bytes, count);
}

PolygonVertex* CreatePlanarPolygonReverseOrder(Poinz* first, int32_t* count) {
    if (!first || !count) return nullptr;
    const int32_t n = *count;
    *count = 0;
    if (n < 3) return nullptr;
    const Poinz* last = first;
    for (int32_t step = 0; step < n - 1 && last->next; ++step) last = last->next;
    PolygonVertex* array = nullptr;
    int32_t bytes = 0;
    const Poinz* p = last;
    for (int32_t step = 0; step < n - 1 && p != first && p->prev; ++step) {
        AppendSegment(&array, Backward(p, p->prev), &bytes, nullptr);
        if (!array) return nullptr;
        p = p->prev;
    }
    // The closing segment runs forwards from `last` to `p`; walk it from `p` back to `last`.
    AppendSegment(&array, Backward(p, last), &bytes, nullptr);
    return Finish(array, bytes, count);
}

PlanarPolygon PlanarPolygon::FromOutline(Poinz* first, int32_t pointCount) {
    int32_t count = pointCount;
    PolygonVertex* v = CreatePlanarPolygon(first, &count);
    return PlanarPolygon(v, count);
}

PlanarPolygon PlanarPolygon::FromOutlineReversed(Poinz* first, int32_t pointCount) {
    int32_t count = pointCount;
    PolygonVertex* v = CreatePlanarPolygonReverseOrder(first, &count);
    return PlanarPolygon(v, count);
}

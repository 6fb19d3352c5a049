#pragma once
// Planar polygons: an object outline as a flat array of vertices, each curved segment
// replaced by samples at the document's curve resolution, every vertex with texture
// coordinates. The 3D builders triangulate, extrude and render these.
//
// The array is grown by reallocation and its length is kept by the caller as a byte count
// (a multiple of sizeof(PolygonVertex)); free it with DeletePlanarPolygon, or hold it in a
// PlanarPolygon.
#include <cstdint>

#include "model/plan_objects.h"  // gRealTimeDraw: while set, curved segments make straight edges

struct Poinz;

struct PolygonVertex {
    float H = 0;
    float V = 0;
    float D = 0;
    uint16_t flag = 0;   // given by the caller; 0 for vertices made from outlines
    float u = 0;
    float v = 0;
};

// The outline that starts at `first`, walked forwards: on entry *count is the number of
// points, on return the number of vertices. Null when *count is below 3, an argument is
// null or memory runs out.
PolygonVertex* CreatePlanarPolygon(Poinz* first, int32_t* count);
// The same outline walked backwards from its last point; a curved segment keeps its shape.
PolygonVertex* CreatePlanarPolygonReverseOrder(Poinz* first, int32_t* count);
// Appends the vertices of the segment from a to b, without b. `*added` receives the number
// of vertices appended. On running out of memory *array becomes null (the old block freed).
void AppendObjectSegment(PolygonVertex** array, const Poinz* a, const Poinz* b, int32_t* byteLength,
                         int32_t* added);
// Grows the array by one vertex; 1, or 0 when memory runs out (then *array is freed and null).
uint8_t StorePolyPoint(PolygonVertex** array, float h, float v, float d, int32_t* byteLength,
                       uint16_t flag, float u, float tv);
// As StorePolyPoint with u = v = 0; with `project` the position is first taken into the
// current view (unzoomed, with perspective when the view has it).
uint8_t StorePoint(PolygonVertex** array, float h, float v, float d, int32_t* byteLength,
                   uint8_t project, uint16_t flag);
void DeletePlanarPolygon(PolygonVertex* array);

// Owns one polygon array.
class PlanarPolygon {
public:
    PlanarPolygon() = default;
    PlanarPolygon(PolygonVertex* vertices, int32_t count) : vertices_(vertices), count_(vertices ? count : 0) {}
    ~PlanarPolygon() { DeletePlanarPolygon(vertices_); }
    PlanarPolygon(PlanarPolygon&& other) noexcept : vertices_(other.vertices_), count_(other.count_) {
        other.vertices_ = nullptr;
        other.count_ = 0;
    }
    PlanarPolygon& operator=(PlanarPolygon&& other) noexcept {
        if (this != &other) {
            DeletePlanarPolygon(vertices_);
            vertices_ = other.vertices_;
            count_ = other.count_;
            other.vertices_ = nullptr;
            other.count_ = 0;
        }
        return *this;
    }
    PlanarPolygon(const PlanarPolygon&) = delete;
    PlanarPolygon& operator=(const PlanarPolygon&) = delete;

    // The outline of `pointCount` points from `first`, forwards or backwards.
    static PlanarPolygon FromOutline(Poinz* first, int32_t pointCount);
    static PlanarPolygon FromOutlineReversed(Poinz* first, int32_t pointCount);

    bool empty() const { return count_ == 0; }
    int32_t size() const { return count_; }
    int32_t byteLength() const { return count_ * static_cast<int32_t>(sizeof(PolygonVertex)); }
    const PolygonVertex* data() const { return vertices_; }
    const PolygonVertex& operator[](int32_t i) const { return vertices_[i]; }
    const PolygonVertex* begin() const { return vertices_; }
    const PolygonVertex* end() const { return vertices_ + count_; }
    // Hands the array to the caller, who frees it with DeletePlanarPolygon.
    PolygonVertex* release() {
        PolygonVertex* v = vertices_;
        vertices_ = nullptr;
        count_ = 0;
        return v;
    }

private:
    PolygonVertex* vertices_ = nullptr;
    int32_t count_ = 0;
};

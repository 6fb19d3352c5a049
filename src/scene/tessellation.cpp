#include "scene/tessellation.h"

#include <GL/glu.h>

#include <cmath>
#include <cstdlib>
#include <deque>
#include <vector>

#include "model/lines.h"
#include "model/object_types.h"
#include "port/seam.h"
#include "scene/point_in_polygon.h"

Plane* gTessPlaneList = nullptr;
int32_t gTessTriangleType = 0;
int32_t gPointCount = 0;
PlaneVertex gNewPoints[3];
uint8_t gTessEdgeFlag = 0;
uint8_t newPointFlag = 0;
int32_t gCombCount = 0;

namespace {

// What the tessellator hands back for each corner.
struct TessVertex {
    double coords[3];
    const Plane* plane;
    uint32_t index;
};

constexpr int kMaxFailedWraps = 50;
constexpr float kProjectionScale = 15.0f;

const Plane* sTessSource = nullptr;  // the plane being tessellated
Plane* sTessTail = nullptr;          // last plane of gTessPlaneList
int32_t sStripCorners = 0;           // corners of the current strip or fan so far

// A plane list grown at its tail.
struct PlaneChain {
    explicit PlaneChain(Plane* list) : head(list), tail(list) {
        while (tail && tail->next) tail = tail->next;
    }
    void add(Plane* plane) {
        if (!plane) return;
        plane->prev = tail;
        plane->next = nullptr;
        (tail ? tail->next : head) = plane;
        tail = plane;
    }
    Plane* head;
    Plane* tail;
};

PlaneVertex* NewVertices(uint32_t count) {
    return count ? static_cast<PlaneVertex*>(std::malloc(count * sizeof(PlaneVertex))) : nullptr;
}

Plane* NewPlane(PlaneVertex* vertices, uint32_t count, const Plane* source) {
    return CreatePlane(vertices, count, source->nx, source->ny, source->nz);
}

// A copy whose hidden edges become 1 and every other tag 0.
Plane* CopyNormalised(const Plane* source) {
    PlaneVertex* v = NewVertices(source->count);
    if (!v) return nullptr;
    for (uint32_t i = 0; i < source->count; ++i) {
        v[i] = source->vertices[i];
        v[i].flag = source->vertices[i].flag == kHiddenEdge ? 1 : 0;
    }
    return NewPlane(v, source->count, source);
}

void AppendToTessList(Plane* plane) {
    if (!plane) return;
    plane->prev = sTessTail;
    plane->next = nullptr;
    (sTessTail ? sTessTail->next : gTessPlaneList) = plane;
    sTessTail = plane;
}

// Drops what was collected after `mark` (null: everything).
void TruncateTessList(Plane* mark) {
    DeletePlaneList(mark ? mark->next : gTessPlaneList);
    (mark ? mark->next : gTessPlaneList) = nullptr;
    sTessTail = mark;
}

void EmitTriangle(const PlaneVertex& a, const PlaneVertex& b, const PlaneVertex& c) {
    PlaneVertex* v = NewVertices(3);
    if (!v || !sTessSource) {
        std::free(v);
        return;
    }
    v[0] = a, v[1] = b, v[2] = c;
    AppendToTessList(NewPlane(v, 3, sTessSource));
}

template <class Fn>
void SetCallback(GLUtesselator* tess, GLenum which, Fn* fn) {
    gluTessCallback(tess, which, reinterpret_cast<_GLUfuncptr>(fn));
}

GLUtesselator* NewTessellator() {
    GLUtesselator* tess = gluNewTess();
    if (!tess) return nullptr;
    SetCallback(tess, GLU_TESS_BEGIN, TessBeginCallback);
    SetCallback(tess, GLU_TESS_VERTEX, TessVertexCallback);
    SetCallback(tess, GLU_TESS_END, TessEndCallback);
    SetCallback(tess, GLU_TESS_COMBINE, TessCombineCallback);
    SetCallback(tess, GLU_TESS_ERROR, TessErrorCallback);
    SetCallback(tess, GLU_TESS_EDGE_FLAG, TessEdgeCallback);
    gluTessProperty(tess, GLU_TESS_BOUNDARY_ONLY, GL_FALSE);
    return tess;
}

// One polygon of all the plane's corners; false when it crossed itself.
bool TessellatePolygon(GLUtesselator* tess, const Plane* plane) {
    std::vector<TessVertex> records(plane->count);
    sTessSource = plane;
    newPointFlag = 0;
    gTessEdgeFlag = 1;
    gluTessBeginPolygon(tess, nullptr);
    gluTessBeginContour(tess);
    for (uint32_t i = 0; i < plane->count; ++i) {
        const PlaneVertex& v = plane->vertices[i];
        records[i] = TessVertex{{v.H, v.V, v.D}, plane, i};
        gluTessVertex(tess, records[i].coords, &records[i]);
    }
    gluTessEndContour(tess);
    gluTessEndPolygon(tess);
    sTessSource = nullptr;
    const bool crossed = newPointFlag != 0;
    newPointFlag = 0;
    return !crossed;
}

bool SamePoint(const FloatPoint& a, const FloatPoint& b) { return a.floatH == b.floatH && a.floatV == b.floatV; }

bool StrictlyInside(const FloatRect& r, float x, float y) {
    return x > r.floatLeft && x < r.floatRight && y > r.floatTop && y < r.floatBottom;
}

// Whether i-j is an edge of the n-gon rather than a diagonal.
bool IsOutlineEdge(uint32_t i, uint32_t j, uint32_t n) {
    const uint32_t d = i > j ? i - j : j - i;
    return d == 1 || d == n - 1;
}

// The ear (a, b, c) of the source plane: each corner's tag 0 when the edge to the next
// corner is the polygon's own, 1 when it is a diagonal; hidden edges stay hidden.
Plane* Ear(const Plane* plane, uint32_t a, uint32_t b, uint32_t c) {
    PlaneVertex* v = NewVertices(3);
    if (!v) return nullptr;
    const uint32_t corners[3] = {a, b, c};
    for (int k = 0; k < 3; ++k) {
        const uint32_t i = corners[k], j = corners[(k + 1) % 3];
        v[k] = plane->vertices[i];
        if (v[k].flag != kHiddenEdge) v[k].flag = IsOutlineEdge(i, j, plane->count) ? 0 : 1;
    }
    return NewPlane(v, 3, plane);
}

FloatPoint Projected(const PlaneVertex& v, int axis) {
    switch (axis) {
    case 0: return {v.D * kProjectionScale, v.V * kProjectionScale};
    case 1: return {v.H * kProjectionScale, v.D * kProjectionScale};
    default: return {v.H * kProjectionScale, v.V * kProjectionScale};
    }
}

// The axis the plane faces most: 0 x, 1 y, 2 z (ties to z, then to the (x, y) projection).
int FacingAxis(const Plane* plane) {
    const float ax = std::fabs(plane->nx), ay = std::fabs(plane->ny), az = std::fabs(plane->nz);
    if (ax > ay && ax > az) return 0;
    if (ay > ax && ay > az) return 1;
    return 2;
}

}  // namespace

static const port::GlobalReset kReset([] {
    DeletePlaneList(gTessPlaneList);
    gTessPlaneList = sTessTail = nullptr;
    gTessTriangleType = gPointCount = gCombCount = sStripCorners = 0;
    gTessEdgeFlag = newPointFlag = 0;
    sTessSource = nullptr;
});

// --- callbacks ---

void TessBeginCallback(unsigned int type) {
    gTessTriangleType = static_cast<int32_t>(type);
    gPointCount = 0;
    gCombCount = 0;
    sStripCorners = 0;
}

void TessEndCallback() {
    gTessTriangleType = 0;
    gPointCount = 0;
    gCombCount = 0;
}

void TessEdgeCallback(unsigned char flag) { gTessEdgeFlag = flag; }

// Crossing edges: no vertex is made, the polygon goes to the ear clipper instead.
void TessCombineCallback(const double*, void**, const float*, void**) { newPointFlag = 1; }

void TessErrorCallback(unsigned int) {}

void TessVertexCallback(void* record) {
    const auto* r = static_cast<const TessVertex*>(record);
    if (!r || newPointFlag || !r->plane || r->index >= r->plane->count) return;
    PlaneVertex v = r->plane->vertices[r->index];
    v.flag = gTessEdgeFlag ? 0 : kHiddenEdge;
    switch (gTessTriangleType) {
    case GL_TRIANGLES:
        gNewPoints[gPointCount++] = v;
        if (gPointCount == 3) {
            EmitTriangle(gNewPoints[0], gNewPoints[1], gNewPoints[2]);
            gPointCount = 0;
        }
        break;
    case GL_TRIANGLE_FAN:  // gNewPoints: centre, previous
        if (gPointCount < 2) {
            gNewPoints[gPointCount++] = v;
        } else {
            EmitTriangle(gNewPoints[0], gNewPoints[1], v);
            gNewPoints[1] = v;
        }
        break;
    case GL_TRIANGLE_STRIP:  // gNewPoints: the two corners before this one
        if (gPointCount < 2) {
            gNewPoints[gPointCount++] = v;
            break;
        }
        ++sStripCorners;
        // Every other triangle swaps its first two corners to keep the strip's winding.
        if (sStripCorners % 2 == 0) EmitTriangle(gNewPoints[1], gNewPoints[0], v);
        else EmitTriangle(gNewPoints[0], gNewPoints[1], v);
        gNewPoints[0] = gNewPoints[1];
        gNewPoints[1] = v;
        break;
    default:
        break;
    }
}

// --- main path ---

void R3DTriangulatePlaneObject(PlaneObject* planeObject) {
    if (!planeObject) return;
    GLUtesselator* tess = NewTessellator();
    if (!tess) return;
    gTessPlaneList = sTessTail = nullptr;
    for (Plane* plane = planeObject->planes; plane; plane = plane->next) {
        if (!plane->vertices) continue;
        if (plane->count < 5) {
            AppendToTessList(CopyNormalised(plane));
            continue;
        }
        Plane* mark = sTessTail;
        if (TessellatePolygon(tess, plane)) continue;
        TruncateTessList(mark);
        for (Plane* p = TriangulatePlane(plane, nullptr); p;) {
            Plane* next = p->next;
            AppendToTessList(p);
            p = next;
        }
    }
    if (gTessPlaneList) {
        DeletePlaneList(planeObject->planes);
        planeObject->planes = gTessPlaneList;
    }
    gTessPlaneList = sTessTail = nullptr;
    gluDeleteTess(tess);
}

void R3DTriangulatePlaneObjects(PlaneObject* first) {
    for (PlaneObject* p = first; p; p = p->next) R3DTriangulatePlaneObject(p);
}

void D3DTriangulatePlaneObject(PlaneObject* planeObject) {
    if (!planeObject) return;
    const bool path = planeObject->pieceKind == objtype::kType23;
    Plane* list = nullptr;
    for (Plane* plane = planeObject->planes; plane; plane = plane->next)
        list = path ? TriangulatePath(plane, list) : TriangulatePlane(plane, list);
    if (!list) return;
    DeletePlaneList(planeObject->planes);
    planeObject->planes = list;
}

// --- own triangulator ---

Plane* TriangulatePlane(Plane* plane, Plane* list) {
    if (!plane || !plane->vertices) return list;
    PlaneChain out(list);
    const uint32_t n = plane->count;
    if (n < 5) {
        out.add(CopyNormalised(plane));
        return out.head;
    }
    const int axis = FacingAxis(plane);
    std::vector<FloatPoint> outline(n);
    for (uint32_t i = 0; i < n; ++i) {
        PlaneVertex& v = plane->vertices[i];
        outline[i] = Projected(v, axis);
        if (v.flag != kHiddenEdge) v.flag = static_cast<uint16_t>(i + 1);
    }
    std::vector<uint8_t> cut(n, 0);
    auto nextLive = [&](uint32_t i) {
        do i = (i + 1) % n;
        while (cut[i]);
        return i;
    };
    uint32_t a = 0, b = 1, c = 2;
    int failedWraps = 0;
    for (;;) {
        const FloatPoint triangle[3] = {outline[a], outline[b], outline[c]};
        const uint32_t after = nextLive(c);
        if (TriangleInsideRegion(triangle, outline.data(), static_cast<int32_t>(n))) {
            out.add(Ear(plane, a, b, c));
            cut[b] = 1;
            if (after == a) break;
            b = c, c = after;
        } else {
            if (a > b) ++failedWraps;
            if (after == b || failedWraps >= kMaxFailedWraps) break;
            a = b, b = c, c = after;
        }
    }
    return out.head;
}

Plane* TriangulatePath(Plane* plane, Plane* list) {
    if (!plane || !plane->vertices) return list;
    PlaneChain out(list);
    const uint32_t n = plane->count;
    if (n < 5) {
        out.add(CopyNormalised(plane));
        return out.head;
    }
    constexpr uint16_t kTags[4] = {0, 1, 0, 1};
    for (uint32_t i = 0; i + 2 <= n / 2; ++i) {
        PlaneVertex* v = NewVertices(4);
        if (!v) continue;
        const uint32_t corners[4] = {i, i + 1, n - 2 - i, n - 1 - i};
        for (int k = 0; k < 4; ++k) {
            v[k] = plane->vertices[corners[k]];
            v[k].flag = kTags[k];
        }
        out.add(NewPlane(v, 4, plane));
    }
    return out.head;
}

// --- ear tests ---

void GetLineBounds(const FloatPoint* p, const FloatPoint* q, FloatRect* rect) {
    if (!p || !q || !rect) return;
    rect->floatTop = std::fmin(p->floatV, q->floatV);
    rect->floatBottom = std::fmax(p->floatV, q->floatV);
    rect->floatLeft = std::fmin(p->floatH, q->floatH);
    rect->floatRight = std::fmax(p->floatH, q->floatH);
    if (p->floatV == q->floatV) rect->floatTop -= 0.5f, rect->floatBottom += 0.5f;
    if (p->floatH == q->floatH) rect->floatLeft -= 0.5f, rect->floatRight += 0.5f;
}

uint8_t LineIntersectTriangle(const FloatPoint* p, const FloatPoint* q, const FloatPoint* triangle) {
    if (!p || !q || !triangle) return 0;
    const FloatPoint& c0 = triangle[0];
    const FloatPoint& c2 = triangle[2];
    if (SamePoint(*p, *q) || SamePoint(*p, c0) || SamePoint(*p, c2) || SamePoint(*q, c0) || SamePoint(*q, c2))
        return 0;
    FloatRect edge, side;
    GetLineBounds(p, q, &edge);
    GetLineBounds(&c0, &c2, &side);
    if (edge.floatLeft > side.floatRight || side.floatLeft > edge.floatRight || edge.floatTop > side.floatBottom ||
        side.floatTop > edge.floatBottom)
        return 0;
    float x = 0, y = 0;
    FGetIntersection(p->floatH, p->floatV, q->floatH, q->floatV, c0.floatH, c0.floatV, c2.floatH, c2.floatV, &x, &y);
    return StrictlyInside(edge, x, y) && StrictlyInside(side, x, y) ? 1 : 0;
}

uint8_t TriangleInsideRegion(const FloatPoint* triangle, const FloatPoint* outline, int32_t count) {
    if (!triangle || !outline || count < 3) return 0;
    for (int32_t i = 0; i < count; ++i)
        if (LineIntersectTriangle(&outline[i], &outline[(i + 1) % count], triangle)) return 0;
    const FloatPoint& t0 = triangle[0];
    const FloatPoint& t1 = triangle[1];
    const FloatPoint& t2 = triangle[2];
    const FloatPoint third{t0.floatH + (t2.floatH - t0.floatH) / 3.0f, t0.floatV + (t2.floatV - t0.floatV) / 3.0f};
    const FloatPoint inner{t1.floatH + (third.floatH - t1.floatH) * 2.0f / 3.0f,
                           t1.floatV + (third.floatV - t1.floatV) * 2.0f / 3.0f};
    if (!IsPointInsidePolygon(&third, outline, count) || !IsPointInsidePolygon(&inner, outline, count)) return 0;
    for (int32_t i = 0; i < count; ++i) {
        const FloatPoint& p = outline[i];
        bool untested = false;
        for (int k = 0; k < 3; ++k) untested |= p.floatH == triangle[k].floatH || p.floatV == triangle[k].floatV;
        if (!untested && IsPointInsidePolygon(&p, triangle, 3)) return 0;
    }
    return 1;
}

// --- faces with openings ---

namespace {

constexpr double kOnPlane = 0.05;
constexpr double kSameFacing = 0.999;

struct Vec3 {
    double x = 0, y = 0, z = 0;
};

// Newell's normal of the corners, unit length (zero for a degenerate plane).
Vec3 NewellNormal(const Plane* plane) {
    Vec3 n;
    for (uint32_t i = 0; i < plane->count; ++i) {
        const PlaneVertex& a = plane->vertices[i];
        const PlaneVertex& b = plane->vertices[(i + 1) % plane->count];
        n.x += (double(a.V) - b.V) * (double(a.D) + b.D);
        n.y += (double(a.D) - b.D) * (double(a.H) + b.H);
        n.z += (double(a.H) - b.H) * (double(a.V) + b.V);
    }
    const double length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
    if (length == 0) return {};
    return {n.x / length, n.y / length, n.z / length};
}

double Dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

struct Box {
    float lo[3] = {INFINITY, INFINITY, INFINITY};
    float hi[3] = {-INFINITY, -INFINITY, -INFINITY};
};

Box BoxOf(const Plane* plane) {
    Box b;
    for (uint32_t i = 0; i < plane->count; ++i) {
        const float c[3] = {plane->vertices[i].H, plane->vertices[i].V, plane->vertices[i].D};
        for (int k = 0; k < 3; ++k) b.lo[k] = std::fmin(b.lo[k], c[k]), b.hi[k] = std::fmax(b.hi[k], c[k]);
    }
    return b;
}

bool Usable(const Plane* plane) { return plane && plane->vertices && plane->count >= 3; }

bool CutsFace(const Plane* face, const Vec3& n, const Box& faceBox, const Plane* mask) {
    if (!Usable(mask) || std::fabs(Dot(NewellNormal(mask), n)) < kSameFacing) return false;
    const PlaneVertex& o = face->vertices[0];
    for (uint32_t i = 0; i < mask->count; ++i) {
        const PlaneVertex& v = mask->vertices[i];
        const Vec3 d{double(v.H) - o.H, double(v.V) - o.V, double(v.D) - o.D};
        if (std::fabs(Dot(d, n)) > kOnPlane) return false;
    }
    const Box b = BoxOf(mask);
    for (int k = 0; k < 3; ++k)
        if (b.lo[k] >= faceBox.hi[k] + kOnPlane || b.hi[k] <= faceBox.lo[k] - kOnPlane) return false;
    return true;
}

// One corner handed to the tessellator; kept in a deque so combined corners stay put.
struct MaskedCorner {
    double coords[3];
    PlaneVertex vertex;
};

struct MaskedTessellation {
    std::deque<MaskedCorner> corners;
    const Plane* face = nullptr;
    PlaneVertex held[3];
    int heldCount = 0;
    Plane* head = nullptr;
    Plane* tail = nullptr;
};

void MaskedBegin(GLenum, void* data) { static_cast<MaskedTessellation*>(data)->heldCount = 0; }

// With an edge-flag callback the tessellator hands out independent triangles only.
void MaskedEdgeFlag(GLboolean, void*) {}

void MaskedVertex(void* corner, void* data) {
    auto* t = static_cast<MaskedTessellation*>(data);
    t->held[t->heldCount++] = static_cast<MaskedCorner*>(corner)->vertex;
    if (t->heldCount < 3) return;
    t->heldCount = 0;
    PlaneVertex* v = NewVertices(3);
    if (!v) return;
    for (int k = 0; k < 3; ++k) v[k] = t->held[k], v[k].flag = 0;
    Plane* plane = NewPlane(v, 3, t->face);
    if (!plane) return;
    plane->prev = t->tail;
    (t->tail ? t->tail->next : t->head) = plane;
    t->tail = plane;
}

void MaskedCombine(const GLdouble coords[3], void*[4], const GLfloat[4], void** out, void* data) {
    auto* t = static_cast<MaskedTessellation*>(data);
    PlaneVertex v;
    v.H = float(coords[0]), v.V = float(coords[1]), v.D = float(coords[2]);
    t->corners.push_back({{coords[0], coords[1], coords[2]}, v});
    *out = &t->corners.back();
}

void MaskedError(GLenum, void*) {}

// A face's texture values are affine over it: taken at the corners of its widest triangle
// (in the projection its normal faces most), they give every point's, a mask's corners and
// the crossings of edges among them.
class FaceTexture {
public:
    FaceTexture(const Plane* face, const Vec3& n) : face_(face) {
        const double ax = std::fabs(n.x), ay = std::fabs(n.y), az = std::fabs(n.z);
        axis_ = ax >= ay && ax >= az ? 0 : ay >= az ? 1 : 2;
        for (uint32_t i = 1; i < face->count; ++i)
            for (uint32_t j = i + 1; j < face->count; ++j) {
                const double area = std::fabs(Cross(At(0), At(i), At(j)));
                if (area > best_) best_ = area, b_ = i, c_ = j;
            }
    }
    void apply(PlaneVertex& v) const {
        if (best_ == 0) return;
        const Flat p = Project(v), a = At(0), b = At(b_), c = At(c_);
        const double whole = Cross(a, b, c);
        const double wb = Cross(a, p, c) / whole, wc = Cross(a, b, p) / whole, wa = 1 - wb - wc;
        const PlaneVertex &A = face_->vertices[0], &B = face_->vertices[b_], &C = face_->vertices[c_];
        v.u = float(wa * A.u + wb * B.u + wc * C.u);
        v.v = float(wa * A.v + wb * B.v + wc * C.v);
    }

private:
    struct Flat {
        double s, t;
    };
    Flat Project(const PlaneVertex& v) const {
        return axis_ == 0 ? Flat{v.V, v.D} : axis_ == 1 ? Flat{v.H, v.D} : Flat{v.H, v.V};
    }
    Flat At(uint32_t i) const { return Project(face_->vertices[i]); }
    static double Cross(const Flat& a, const Flat& b, const Flat& c) {
        return (b.s - a.s) * (c.t - a.t) - (b.t - a.t) * (c.s - a.s);
    }
    const Plane* face_;
    int axis_ = 2;
    uint32_t b_ = 0, c_ = 0;
    double best_ = 0;
};

// One contour of the plane's corners, walked backwards when `reverse`.
void AddContour(GLUtesselator* tess, MaskedTessellation& t, const Plane* plane, bool reverse) {
    gluTessBeginContour(tess);
    for (uint32_t k = 0; k < plane->count; ++k) {
        const PlaneVertex& v = plane->vertices[reverse ? plane->count - 1 - k : k];
        t.corners.push_back({{v.H, v.V, v.D}, v});
        gluTessVertex(tess, t.corners.back().coords, &t.corners.back());
    }
    gluTessEndContour(tess);
}

}  // namespace

bool MasksCutPlane(const Plane* face, const PlaneObject* masks) {
    if (!Usable(face)) return false;
    const Vec3 n = NewellNormal(face);
    const Box box = BoxOf(face);
    for (const PlaneObject* m = masks; m; m = m->next)
        for (const Plane* p = m->planes; p; p = p->next)
            if (CutsFace(face, n, box, p)) return true;
    return false;
}

Plane* TriangulatePlaneMinusMasks(const Plane* face, const PlaneObject* masks) {
    if (!Usable(face)) return nullptr;
    const Vec3 n = NewellNormal(face);
    if (Dot(n, n) == 0) return nullptr;
    GLUtesselator* tess = gluNewTess();
    if (!tess) return nullptr;
    SetCallback(tess, GLU_TESS_BEGIN_DATA, MaskedBegin);
    SetCallback(tess, GLU_TESS_VERTEX_DATA, MaskedVertex);
    SetCallback(tess, GLU_TESS_EDGE_FLAG_DATA, MaskedEdgeFlag);
    SetCallback(tess, GLU_TESS_COMBINE_DATA, MaskedCombine);
    SetCallback(tess, GLU_TESS_ERROR_DATA, MaskedError);
    gluTessProperty(tess, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_POSITIVE);
    // Against the face's own turning its contour winds +1, a mask turned the other way -1.
    gluTessNormal(tess, n.x, n.y, n.z);
    MaskedTessellation t;
    t.face = face;
    const Box box = BoxOf(face);
    gluTessBeginPolygon(tess, &t);
    AddContour(tess, t, face, false);
    for (const PlaneObject* m = masks; m; m = m->next)
        for (const Plane* p = m->planes; p; p = p->next)
            if (CutsFace(face, n, box, p)) AddContour(tess, t, p, Dot(NewellNormal(p), n) > 0);
    gluTessEndPolygon(tess);
    gluDeleteTess(tess);
    const FaceTexture texture(face, n);
    for (Plane* p = t.head; p; p = p->next)
        for (uint32_t k = 0; k < p->count; ++k) texture.apply(p->vertices[k]);
    return t.head;
}

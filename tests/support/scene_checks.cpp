#include "support/scene_checks.h"

#include <cmath>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <tuple>

#include "model/object_fields.h"
#include "model/object_types.h"
#include "render/core/live_view_seams.h"
#include "scene/tessellation.h"
#include "tools/wall_construction.h"

namespace dvxtest {

namespace {

struct Vec {
    double x, y, z;
};
double Length(Vec a) { return std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z); }

std::vector<PlaneObject*> Filter(PlaneObject* head, const std::function<bool(const PlaneObject*)>& keep) {
    std::vector<PlaneObject*> out;
    for (PlaneObject* p = head; p; p = p->next) if (keep(p)) out.push_back(p);
    return out;
}

// Every edge of every plane of the pieces: the plane, the corner it leaves, its two ends.
void ForEachEdge(const std::vector<PlaneObject*>& pieces, const std::function<void(const Plane*, uint32_t, Vec, Vec)>& fn) {
    for (const PlaneObject* piece : pieces)
        for (const Plane* p : PlanesOf(piece))
            for (uint32_t i = 0; i < p->count; ++i) {
                const PlaneVertex &a = p->vertices[i], &b = p->vertices[(i + 1) % p->count];
                fn(p, i, {a.H, a.V, a.D}, {b.H, b.V, b.D});
            }
}

std::vector<PlaneObject*> PieceList(PlaneObject* head) {
    return Filter(head, [](const PlaneObject*) { return true; });
}

}  // namespace

void RegisterLiveView(bool visible) {
    SetLiveViewControllerExistsHandler([] { return true; });
    SetLiveViewIsVisibleHandler(nullptr);
    gLiveViewPanelVisible = visible ? 1 : 0;
}

namespace {
constexpr uint16_t kStaleKind = 0xBEEF;
}  // namespace

void AddStalePieces(std::initializer_list<Objex*> bases) {
    RegisterLiveView(true);
    for (Objex* base : bases) {
        PlaneObject* p = CreatePlaneObject();
        p->surfaceKind = kStaleKind;
        p->baseObject = p->sourceObject = base;
        AddPlane(p, {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}}, {0, -1, 0});
        AppendPlaneObjectToList(gGLPlaneObjects, p);
    }
}

static bool Holds(const Objex* base, bool stale) {
    for (const PlaneObject* p = gGLPlaneObjects; p; p = p->next)
        if (p->baseObject == base && (p->surfaceKind == kStaleKind) == stale) return true;
    return false;
}
bool HasStalePiece(const Objex* base) { return Holds(base, true); }
bool Built(const Objex* base) { return Holds(base, false); }

void HouseWithDoorAndRoof(Layer* floor, Objex** doored) {
    Objex* walls[2] = {Outline(objtype::kWall, {{0, 0}, {200, 0}}, false).on(floor),
                       Outline(objtype::kWall, {{200, 0}, {200, 200}}, false).on(floor)};
    for (Objex* w : walls) {
        w->penWidth = 6, objfield::wall::kBaseOffset(*w) = 0.5f;
        for (Poinz* p = w->firstPoint; p; p = p->next)
            objfield::wall_segment::kFirstHeight(*p) = objfield::wall_segment::kSecondHeight(*p) = 48;
    }
    Opening(walls[0], objtype::kDoor, 500, 0);
    for (Objex* w : walls) Update3DWall(w);
    RoofWithSkylight(floor, 1);
    if (doored) *doored = walls[0];
}

std::vector<ExportedPlane> ExportedPlanes() {
    std::vector<ExportedPlane> out;
    for (const PlaneObject* p = gGLPlaneObjects; p; p = p->next) {
        if (p->surfaceKind == kPlantSurface || p->surfaceKind == kPhotoSurface) continue;
        for (const PlaneObject* q = p; q; q = q == p ? p->trims : q->next)
            for (const Plane* plane : PlanesOf(q)) out.push_back({q, plane, q->masks && MasksCutPlane(plane, q->masks)});
    }
    return out;
}

Plane* AddPlane(PlaneObject* piece, const std::vector<V3>& corners, V3 normal) {
    auto* v = static_cast<PlaneVertex*>(std::calloc(corners.size(), sizeof(PlaneVertex)));
    for (size_t i = 0; i < corners.size(); ++i) v[i].H = corners[i].h, v[i].V = corners[i].v, v[i].D = corners[i].d;
    AppendPlane(v, static_cast<uint32_t>(corners.size()), normal.h, normal.v, normal.d, piece);
    return piece ? const_cast<Plane*>(PlanesOf(piece).back()) : nullptr;
}

std::vector<PlaneObject*> PiecesOf(const Objex* base, PlaneObject* head) {
    return Filter(head, [base](const PlaneObject* p) { return p->baseObject == base; });
}

std::vector<PlaneObject*> PiecesOfKind(int pieceKind, PlaneObject* head) {
    return Filter(head, [pieceKind](const PlaneObject* p) { return p->pieceKind == pieceKind; });
}

std::vector<const Plane*> PlanesOf(const PlaneObject* piece) {
    std::vector<const Plane*> out;
    for (const Plane* p = piece ? piece->planes : nullptr; p; p = p->next) out.push_back(p);
    return out;
}

int VertexCount(const PlaneObject* piece) {
    int n = 0;
    for (const Plane* p : PlanesOf(piece)) n += static_cast<int>(p->count);
    return n;
}

std::vector<uint16_t> Tags(const Plane* plane) {
    std::vector<uint16_t> out;
    for (uint32_t i = 0; plane && i < plane->count; ++i) out.push_back(plane->vertices[i].flag);
    return out;
}

double Area(const std::vector<PlaneObject*>& pieces) {
    std::map<const Plane*, Vec> sums;  // per plane, the sum of its corners' cross products
    ForEachEdge(pieces, [&](const Plane* p, uint32_t, Vec a, Vec b) {
        Vec& s = sums[p];
        s = {s.x + a.y * b.z - a.z * b.y, s.y + a.z * b.x - a.x * b.z, s.z + a.x * b.y - a.y * b.x};
    });
    double area = 0;
    for (const auto& [plane, sum] : sums) area += Length(sum) / 2;
    return area;
}

::testing::AssertionResult NormalsPerpendicular(const std::vector<PlaneObject*>& pieces, double tolerance) {
    std::string fault;
    ForEachEdge(pieces, [&](const Plane* p, uint32_t i, Vec a, Vec b) {
        const Vec e{b.x - a.x, b.y - a.y, b.z - a.z};
        const double normal = Length({p->nx, p->ny, p->nz}), lengths = normal * Length(e);
        const double cosine = lengths > 0 ? (p->nx * e.x + p->ny * e.y + p->nz * e.z) / lengths : 0;
        if (normal == 0) fault = "no normal";
        if (std::fabs(cosine) > tolerance) fault = "edge " + std::to_string(i) + " at cosine " + std::to_string(cosine);
    });
    return fault.empty() ? ::testing::AssertionSuccess() : ::testing::AssertionFailure() << fault;
}

::testing::AssertionResult MasksOnFace(const PlaneObject* face, double tolerance) {
    const Plane* f = face ? face->planes : nullptr;
    if (!f || !f->count) return ::testing::AssertionFailure() << "no face";
    const Vec n{f->nx, f->ny, f->nz}, o{f->vertices[0].H, f->vertices[0].V, f->vertices[0].D};
    Vec low{1e30, 1e30, 1e30}, high{-1e30, -1e30, -1e30};
    for (const Plane* p : PlanesOf(face))
        for (uint32_t i = 0; i < p->count; ++i) {
            const PlaneVertex& v = p->vertices[i];
            low = {std::min(low.x, double(v.H)), std::min(low.y, double(v.V)), std::min(low.z, double(v.D))};
            high = {std::max(high.x, double(v.H)), std::max(high.y, double(v.V)), std::max(high.z, double(v.D))};
        }
    std::string fault;
    ForEachEdge(PieceList(face->masks), [&](const Plane*, uint32_t i, Vec a, Vec) {
        const double off = ((a.x - o.x) * n.x + (a.y - o.y) * n.y + (a.z - o.z) * n.z) / Length(n);
        const bool inside = a.x > low.x - tolerance && a.x < high.x + tolerance && a.y > low.y - tolerance &&
                            a.y < high.y + tolerance && a.z > low.z - tolerance && a.z < high.z + tolerance;
        if (std::fabs(off) > tolerance || !inside)
            fault = "vertex " + std::to_string(i) + " " + std::to_string(off) + " off the face";
    });
    return fault.empty() ? ::testing::AssertionSuccess() : ::testing::AssertionFailure() << fault;
}

::testing::AssertionResult Band(const std::vector<PlaneObject*>& pieces, int boundary) {
    using Welded = std::tuple<long long, long long, long long>;
    auto weld = [](Vec v) { return Welded{std::llround(v.x * 1e3), std::llround(v.y * 1e3), std::llround(v.z * 1e3)}; };
    std::map<std::pair<Welded, Welded>, int> uses;
    ForEachEdge(pieces, [&](const Plane*, uint32_t, Vec a, Vec b) {
        const Welded p = weld(a), q = weld(b);
        if (p != q) ++uses[p < q ? std::pair(p, q) : std::pair(q, p)];
    });
    int once = 0, more = 0;
    for (const auto& [edge, n] : uses) once += n == 1, more += n > 2;
    if (once == boundary && more == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << once << " edges of one face (want " << boundary << "), " << more << " of more";
}

}  // namespace dvxtest

#include "scene/wall_faces.h"

#include <algorithm>
#include <cmath>
#include <tuple>
#include <unordered_map>
#include <utility>
#include <vector>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/planar_polygons.h"
#include "model/projection.h"
#include "model/segment_openings.h"
#include "model/transforms.h"
#include "model/view_layers.h"
#include "port/seam.h"
#include "scene/face_materials.h"
#include "scene/opening_cutters.h"
#include "scene/surfaces.h"
#include "scene/wall_trims.h"

namespace {

namespace seg = objfield::wall_segment;

constexpr RGBColor kCapGrey{0xE0E0, 0xE0E0, 0xE0E0};

// The top edge of a finished side face, from the segment's start to its end.
struct TopEdge {
    const Objex* wall;
    Poinz* start;
    int16_t side;
    std::vector<PlaneVertex> top;
};
// Noted between StartWallTops and CloseWallTops; the points are only compared, never read.
std::vector<TopEdge> sTopEdges;
const port::GlobalReset kReset([] { sTopEdges.clear(); });
// Pitches closer to opposite than this make the two slopes of a gable parallel.
constexpr float kParallelSlopes = 0.001f;

Poinz* NthPoint(Objex* o, int32_t n, bool wrap) {
    Poinz* p = o->firstPoint;
    for (int32_t i = 0; p && i < n; ++i) {
        p = p->next;
        if (!p && wrap) p = o->firstPoint;
    }
    return p;
}

// Segment i runs from the wall's point i to the next one (a closed wall's last point to its
// first); a walk off the end of an open wall finds no segment.
std::pair<Poinz*, Poinz*> SegmentOf(Objex* wall, int32_t i) {
    Poinz* start = NthPoint(wall, i, false);
    if (!start) return {};
    Poinz* end = start->next;
    if (!end && wall->closed && start != wall->firstPoint) end = wall->firstPoint;
    if (!end) return {};
    return {start, end};
}

void SetFaceMaterials(PlaneObject* p, Poinz* start, int16_t side, const DocState* ds) {
    using namespace facemat;
    SetFront(p, side == 0 ? PointSide2(start) : PointSide1(start));
    SetBack(p, side == 0 ? PointSide1(start) : PointSide2(start));
    p->segmentStart = start;
    p->trimRecordField = side == 0 ? &start->trim1 : &start->trim2;
    if (ds->framingView) Framing(p, ds, kGridLumber);
}

// The run of a slope rising `rise` at `pitch` per unit; a flat or damaged pitch gives none, so
// the slope's corner stays where it starts.
float Run(float rise, float pitch) {
    const float run = pitch != 0.0f ? rise / pitch : 0.0f;
    return std::isfinite(run) ? run : 0.0f;
}

struct TopOutline {
    std::vector<std::pair<float, float>> points; // (distance from the segment start, height)
    float tallest = 0;
    bool flat = false;
};

// The top of a segment's face by its shape code, in segment order, heights over the bottom.
TopOutline ShapeTop(int32_t shape, float L, float H1, float H2, float HP, float k1, float k2) {
    TopOutline t;
    switch (shape) {
    case 1:
        if (std::fabs(k1 + k2) < kParallelSlopes) {
            t.points = {{0, H1}, {L, H2}};
            t.tallest = std::max(H1, H2);
        } else {
            const float s = (H2 - H1 + k2 * L) / (k1 + k2), peak = std::fabs(H1 + k1 * s);
            t.points = {{0, H1}, {std::fabs(s), peak}, {L, H2}};
            t.tallest = peak;
        }
        break;
    case 2:
    case 3: {
        const float high = H1 + k1 * L;
        t.points = shape == 2 ? decltype(t.points){{0, H1}, {L, high}}
                              : decltype(t.points){{0, high}, {L, H1}};
        t.tallest = high;
        break;
    }
    case 4:
    case 5:
    case 6:
    case 7: {
        const float up = Run(HP - H1, k1), down = Run(HP - H2, k2);
        const float a = shape <= 5 ? up : -up;
        const float b = shape == 4 || shape == 6 ? L - down : L + down;
        t.points = {{0, H1}, {a, HP}, {b, HP}, {L, H2}};
        t.tallest = HP;
        break;
    }
    case 8:
    case 9:
    case 10:
    case 11: {
        const float run = Run(H2 - H1, k1);
        if (shape == 8) t.points = {{0, H2}, {L - run, H2}, {L, H1}};
        if (shape == 9) t.points = {{0, H2}, {L + run, H2}, {L, H1}};
        if (shape == 10) t.points = {{0, H1}, {run, H2}, {L, H2}};
        if (shape == 11) t.points = {{0, H1}, {-run, H2}, {L, H2}};
        t.tallest = H2;
        break;
    }
    default:
        t.points = {{0, H1}, {L, H1}};
        t.tallest = H1;
        t.flat = true;
        break;
    }
    if (t.tallest == 0.0f) t.tallest = 1.0f;
    return t;
}

// What a face of a segment needs to know of it.
struct SegmentFace {
    Objex* wall;
    Poinz* start;
    Poinz* end;
    int16_t side;
    Plane* plane;
    PlaneObject* piece;
    const DocState* ds;
    float baseOffset;
    float length = 0;  // from the first-edge bottom to the last-edge bottom
    float toFirst = 0; // the direction from the last-edge bottom to the first-edge bottom
    bool acrossWall = false;
};

// The shift of the segment start along the face: none at an open wall's free start; at its
// free end what the face is longer than the segment; else by where the face's start-side
// corner falls on the segment's line (behind the start: further from it).
float StartShift(const SegmentFace& f, const AttachmentRecord* r, const Poinz* corner) {
    if (!f.start->prev && !f.wall->closed) return 0.0f;
    if (!f.end->next && !f.wall->closed) return f.length - (r->centreDistance + r->remainder);
    const float *s = f.start->position, *e = f.end->position;
    float fh = 0, fd = 0;
    GetPerpIntersection(s[0], s[2], e[0], e[2], corner->position[0], corner->position[2], &fh, &fd);
    const float startToFoot = GetLineLength(s[0], s[2], fh, fd);
    const bool within = GetLineLength(fh, fd, e[0], e[2]) <= GetLineLength(s[0], s[2], e[0], e[2]);
    return within ? -startToFoot : startToFoot;
}

// The segment's doors and windows, nearest the face's last edge first; openings at the same
// distance keep the order of the wall's children. The records are chained through their
// scratch links on the way.
void CarveOpenings(const SegmentFace& f, Poinz* corner, float segmentHeight) {
    std::vector<AttachmentRecord*> chain = SegmentOpenings(f.wall, f.start, f.side != 0);
    if (chain.empty()) return;
    for (size_t i = 0; i < chain.size(); ++i) {
        chain[i]->prevRecord = i ? chain[i - 1] : nullptr;
        chain[i]->nextRecord = i + 1 < chain.size() ? chain[i + 1] : nullptr;
    }
    for (AttachmentRecord* r = chain.front(); r; r = r->nextRecord) {
        if (r->ownerType != objtype::kDoor && r->ownerType != objtype::kWindow) continue;
        PlaneVertex reference = f.plane->vertices[3];
        CarveDoorWindowAttachment(f.plane, f.toFirst, f.length, &reference, r, f.side,
                                  StartShift(f, r, corner), segmentHeight, f.baseOffset);
    }
}

// The face rebuilt as its bottom edge with the segment's top over it.
void ReshapeTop(const SegmentFace& f) {
    const DocState* ds = f.ds;
    Poinz* start = f.start;
    const float L = f.length;
    auto height = [&](float inches) { return f.baseOffset + ConvertWorldToScreen(inches, ds, 0); };
    TopOutline top = ShapeTop(seg::kShape(*start), L, height(seg::kFirstHeight(*start)),
                              height(seg::kSecondHeight(*start)), height(seg::kPeakHeight(*start)),
                              seg::kPitchA(*start) / 12.0f, seg::kPitchB(*start) / 12.0f);
    // Side 0 runs from the segment's end: the same outline seen from the other face.
    if (f.side == 0) {
        for (auto& point : top.points)
            point.first = L - point.first;
        std::reverse(top.points.begin(), top.points.end());
    }
    const PlaneVertex b0 = f.plane->vertices[0], b1 = f.plane->vertices[3];
    const bool hideEdges = top.flat && ds->elevationView != 0;
    const bool hideBottom = hideEdges && f.wall->layer != GetFirstFloorLayer();

    PlaneVertex* v = nullptr;
    int32_t bytes = 0;
    auto bottom = [&](const PlaneVertex& b, float u, uint16_t tag) {
        return StorePolyPoint(&v, b.H, b.V, b.D, &bytes, tag, u, 1.0f);
    };
    auto topAt = [&](float s, float h, uint16_t tag) {
        const float t = L != 0.0f ? s / L : 0.0f;
        return StorePolyPoint(&v, std::lerp(b0.H, b1.H, t), std::lerp(b0.V, b1.V, t) - h,
                              std::lerp(b0.D, b1.D, t), &bytes, tag, t, 1.0f - h / top.tallest);
    };
    bool stored = bottom(b0, 0, 0);
    for (size_t i = 0; stored && i < top.points.size(); ++i)
        stored =
            topAt(top.points[i].first, top.points[i].second, i == 0 && hideEdges ? kHiddenEdge : 0);
    if (stored) stored = bottom(b1, 1, hideBottom ? kHiddenEdge : 0);
    if (!stored) return;
    const auto count = static_cast<uint32_t>(bytes / static_cast<int32_t>(sizeof(PlaneVertex)));
    DeletePlanarPolygon(f.plane->vertices);
    f.plane->vertices = count >= 3 ? v : nullptr;
    f.plane->count = count >= 3 ? count : 0;
    if (count < 3) DeletePlanarPolygon(v);

    // Side 1 runs from the segment's start, side 0 from its end.
    if (const PlaneVertex* kept = f.plane->vertices; kept && f.plane->count >= 4) {
        std::vector<PlaneVertex> edge(kept + 1, kept + f.plane->count - 1);
        if (f.side == 0) std::reverse(edge.begin(), edge.end());
        sTopEdges.push_back({f.wall, start, f.side, std::move(edge)});
    }

    SetFaceMaterials(f.piece, start, f.side, ds);
    facemat::SetRepeats(f.piece, L, top.tallest);
    f.piece->surfaceKind = kShapedWallFace;
    f.piece->elevationOverride = start->baseElevation;
}

// Steps 2 to 7 for a face with a segment; false when the framing view took its planes.
bool FinishSegmentFace(SegmentFace& f, Poinz* corner1, Poinz* corner3) {
    if (f.ds->framingView && seg::kShape(*f.start) == 0) {
        DeletePlaneList(f.piece->planes);
        f.piece->planes = nullptr;
        return false;
    }
    SetFaceMaterials(f.piece, f.start, f.side, f.ds);
    if (!f.plane->vertices || f.plane->count < 4) return true;
    PlaneVertex* v = f.plane->vertices;
    f.toFirst = GetLineLengthAndAngle(v[3].H, v[3].D, v[0].H, v[0].D, &f.length);
    float length = 0;
    const float toLast = GetLineLengthAndAngle(v[0].H, v[0].D, v[3].H, v[3].D, &length);
    const float segmentHeight = ConvertWorldToScreen(seg::kFirstHeight(*f.start), f.ds, 0);
    // A face across the wall at the first point is an end, as the face at the last point is:
    // no openings (their masks would lie off its plane and show as holes in it), none of the
    // side's trims (a moulding would run across the wall's end), and its top is raised as
    // the other end's is, to the height where the segment starts.
    if (f.acrossWall) return true;
    CarveOpenings(f, f.side == 0 ? corner1 : corner3, segmentHeight);
    AddWallFaceTrims(f.start, f.side, f.plane, toLast, f.length, &v[3], v, f.baseOffset);
    ReshapeTop(f);
    return true;
}

// An end face or closing column reaches the height of the segment ending there (`end` 2) or,
// at the first point, starting there (`end` 1).
void RaiseTop(PlaneObject* piece, Plane* plane, const Poinz* segmentStart, float baseOffset, int16_t end = 2) {
    if (!segmentStart || !plane->vertices || plane->count < 4) return;
    const float rise = baseOffset + static_cast<float>(GetWallHeight(segmentStart, end));
    PlaneVertex* v = plane->vertices;
    v[1].V = v[0].V - rise;
    v[2].V = v[3].V - rise;
    piece->elevationOverride = segmentStart->baseElevation;
}

bool SameStep(const Poinz* a, const Poinz* b) {
    return seg::kFirstHeight(*a) == seg::kFirstHeight(*b) && a->baseElevation == b->baseElevation &&
           seg::kShape(*a) == 0 && seg::kShape(*b) == 0;
}

// A grey quad across the wall's thickness from `corner` to `other`, `rise` high.
void AddStepCap(const Poinz* corner, const Poinz* other, float rise, float baseElevation,
                Objex* wall) {
    const float *a = corner->position, *b = other->position;
    PlaneVertex* v = nullptr;
    int32_t bytes = 0;
    if (!StorePolyPoint(&v, a[0], a[1], a[2], &bytes, 1, 0, 1) ||
        !StorePolyPoint(&v, a[0], a[1] - rise, a[2], &bytes, 2, 0, 0) ||
        !StorePolyPoint(&v, b[0], b[1] - rise, b[2], &bytes, 3, 1, 0) ||
        !StorePolyPoint(&v, b[0], b[1], b[2], &bytes, 4, 1, 1))
        return;
    PlaneObject* cap = CreatePlaneObject();
    if (!cap) {
        DeletePlanarPolygon(v);
        return;
    }
    AppendPlaneThroughFirstThree(v, 4, cap);
    cap->frontColor = cap->backColor = kCapGrey;
    cap->elevationOverride = baseElevation;
    if (cap->planes)
        AppendPlaneObject(cap, wall);
    else
        DeletePlaneObject(cap);
}

// One quad of a wall's top between the two sides' top edges: a to b along side 1, c to d
// along side 0. An edge along a side shows as that face's top edge does (hidden on a flat face
// in an elevation view): side 1's from a, side 0's from c, which starts it in that face.
bool StoreTopQuad(PlaneVertex** v, int32_t* bytes, const PlaneVertex& a, const PlaneVertex& b,
                  const PlaneVertex& c, const PlaneVertex& d) {
    return StorePolyPoint(v, a.H, a.V, a.D, bytes, a.flag, 0, 0) && StorePolyPoint(v, b.H, b.V, b.D, bytes, 0, 1, 0) &&
           StorePolyPoint(v, c.H, c.V, c.D, bytes, c.flag, 1, 1) && StorePolyPoint(v, d.H, d.V, d.D, bytes, 0, 0, 1);
}

void AppendZippedTop(const std::vector<PlaneVertex>& one, const std::vector<PlaneVertex>& zero, PlaneObject* top);

void AddTop(const TopEdge& one, const TopEdge& zero, Objex* wall) {
    if (one.top.size() < 2 || zero.top.size() < 2) return;
    PlaneObject* top = CreatePlaneObject();
    if (!top) return;
    if (one.top.size() != zero.top.size()) AppendZippedTop(one.top, zero.top, top);
    for (size_t k = 0; one.top.size() == zero.top.size() && k + 1 < one.top.size(); ++k) {
        PlaneVertex* v = nullptr;
        int32_t bytes = 0;
        if (!StoreTopQuad(&v, &bytes, one.top[k], one.top[k + 1], zero.top[k + 1], zero.top[k])) {
            DeletePlanarPolygon(v);
            break;
        }
        const Float3DPoint n = PolygonNormal(v, 4);
        // Facing up: the height is the negated V.
        const float up = n.floatV > 0 ? -1.0f : 1.0f;
        AppendPlane(v, 4, n.floatH * up, n.floatV * up, n.floatD * up, top);
    }
    top->frontColor = top->backColor = kCapGrey;
    top->elevationOverride = one.start->baseElevation;
    if (top->planes)
        AppendPlaneObject(top, wall);
    else
        DeletePlaneObject(top);
}

// On side 1, two grey caps close a step in height, base or shape where the segment ends.
void AddStepCaps(const WallFaceSlot& slot, Objex* solid, Objex* wall, Poinz* start, Poinz* end, Poinz* corner1,
                 float baseOffset) {
    if (slot.side != 1 || slot.capCorner < 0 || !start || !end) return;
    Poinz* corner = NthPoint(solid, slot.capCorner, solid->closed != 0);
    if (!corner || (!wall->closed && !end->next) || SameStep(start, end)) return;
    AddStepCap(corner, corner1, baseOffset + static_cast<float>(GetWallHeight(start, 2)),
               start->baseElevation, wall);
    AddStepCap(corner, corner1, baseOffset + static_cast<float>(GetWallHeight(end, 1)),
               end->baseElevation, wall);
}

// The height of a top outline at `s` from the segment's start: along the outline's first stretch
// that spans it, or its nearer end's beyond them.
float OutlineHeight(const std::vector<std::pair<float, float>>& outline, float s) {
    if (outline.empty()) return 0.0f;
    for (size_t i = 0; i + 1 < outline.size(); ++i) {
        const auto [s0, h0] = outline[i];
        const auto [s1, h1] = outline[i + 1];
        if (s < std::min(s0, s1) || s > std::max(s0, s1)) continue;
        return s1 == s0 ? std::max(h0, h1) : h0 + (h1 - h0) * (s - s0) / (s1 - s0);
    }
    return s <= outline.front().first ? outline.front().second : outline.back().second;
}

// The lengths along a top edge, from 0 at its first corner to 1 at its last.
std::vector<float> Fractions(const std::vector<PlaneVertex>& edge) {
    std::vector<float> f(edge.size(), 0.0f);
    for (size_t i = 1; i < edge.size(); ++i)
        f[i] = f[i - 1] + Get3DLineLength(edge[i - 1].H, edge[i - 1].V, edge[i - 1].D, edge[i].H, edge[i].V, edge[i].D);
    const float total = f.empty() ? 0.0f : f.back();
    for (float& x : f) x = total > 0 ? x / total : 0.0f;
    return f;
}

// A top between edges of different corner counts: triangles zipped along both, the next corner
// taken from whichever edge is less far along. Diagonals stay hidden in the line modes; the
// edges along the sides show as the faces' top edges do, the ends across the wall always.
void AppendZippedTop(const std::vector<PlaneVertex>& one, const std::vector<PlaneVertex>& zero, PlaneObject* top) {
    const std::vector<float> f1 = Fractions(one), f0 = Fractions(zero);
    size_t i = 0, j = 0;
    const size_t n1 = one.size(), n0 = zero.size();
    while (i + 1 < n1 || j + 1 < n0) {
        const bool alongOne = j + 1 >= n0 || (i + 1 < n1 && f1[i + 1] <= f0[j + 1]);
        const PlaneVertex& a = one[i];
        const PlaneVertex& b = alongOne ? one[i + 1] : zero[j + 1];
        const PlaneVertex& c = zero[j];
        const bool first = i == 0 && j == 0;
        const bool last = alongOne ? (i + 2 == n1 && j + 1 == n0) : (i + 1 == n1 && j + 2 == n0);
        // Edges a-b, b-c, c-a: along a side, a diagonal or an end.
        const uint16_t end = last ? 0 : kHiddenEdge;
        const uint16_t ab = alongOne ? a.flag : end, bc = alongOne ? end : b.flag, ca = first ? 0 : kHiddenEdge;
        PlaneVertex* v = nullptr;
        int32_t bytes = 0;
        const bool stored = StorePolyPoint(&v, a.H, a.V, a.D, &bytes, ab, 0, 0) &&
                            StorePolyPoint(&v, b.H, b.V, b.D, &bytes, bc, 1, alongOne ? 0.0f : 1.0f) &&
                            StorePolyPoint(&v, c.H, c.V, c.D, &bytes, ca, 0, 1);
        if (!stored) {
            DeletePlanarPolygon(v);
            return;
        }
        const Float3DPoint n = PolygonNormal(v, 3);
        const float up = n.floatV > 0 ? -1.0f : 1.0f;
        AppendPlane(v, 3, n.floatH * up, n.floatV * up, n.floatD * up, top);
        alongOne ? ++i : ++j;
    }
}

} // namespace

CurvedWallCell::CurvedWallCell(Objex* solid, Poinz* corner1, float length)
    : solid_(solid), corner1_(corner1), length_(length) {
    const DocState* ds = CurrentDocState();
    Objex* wall = solid ? solid->sourceObject : nullptr;
    if (!ds || !solid || !corner1 || solid->subtype != objsubtype::kWallSolid || !wall || wall->type != objtype::kWall ||
        solid->rows < 1)
        return;
    const int32_t columns = solid->pointCount / solid->rows;
    int32_t index = 0;
    const Poinz* p = solid->firstPoint;
    for (; p && p != corner1; p = p->next) ++index;
    if (!p || columns < 1) return;
    wall_ = wall;
    slot_ = GetWallFaceSlot(solid, wall, index % columns);
    baseOffset_ = ConvertWorldToScreen(objfield::wall::kBaseOffset(*wall), ds, 0);
    Poinz* last = wall->firstPoint;
    while (last && last->next) last = last->next;
    const Poinz* raisedBy = nullptr;
    int16_t end = 2;
    switch (slot_.kind) {
    case WallFaceSlot::kNone: return;
    case WallFaceSlot::kClosingColumn: raisedBy = last; break;
    case WallFaceSlot::kEndFace: raisedBy = last ? last->prev : nullptr; break;
    case WallFaceSlot::kSegment:
        std::tie(start_, end_) = SegmentOf(wall, slot_.segment);
        if (!start_) return;
        dropped_ = ds->framingView && seg::kShape(*start_) == 0;
        if (slot_.acrossWall) raisedBy = start_, end = 1;
        break;
    }
    if (raisedBy) {
        endRise_ = baseOffset_ + static_cast<float>(GetWallHeight(raisedBy, end));
        baseElevation_ = raisedBy->baseElevation;
    } else if (start_) {
        auto height = [&](float inches) { return baseOffset_ + ConvertWorldToScreen(inches, ds, 0); };
        outline_ = ShapeTop(seg::kShape(*start_), length_, height(seg::kFirstHeight(*start_)),
                            height(seg::kSecondHeight(*start_)), height(seg::kPeakHeight(*start_)),
                            seg::kPitchA(*start_) / 12.0f, seg::kPitchB(*start_) / 12.0f)
                       .points;
        baseElevation_ = start_->baseElevation;
    } else {
        return;
    }
    valid_ = true;
}

float CurvedWallCell::rise(float along) const {
    if (!valid_) return 0.0f;
    if (outline_.empty()) return endRise_;
    // Side 0 runs from the segment's start along the cell, side 1 from its end.
    return OutlineHeight(outline_, slot_.side == 0 ? along : length_ - along);
}

void CurvedWallCell::finish(const std::vector<PlaneVertex>& top) {
    if (!valid_ || dropped_ || outline_.empty() || top.size() < 2) return;
    std::vector<PlaneVertex> edge = top;
    if (slot_.side == 1) std::reverse(edge.begin(), edge.end());
    sTopEdges.push_back({wall_, start_, slot_.side, std::move(edge)});
    AddStepCaps(slot_, solid_, wall_, start_, end_, corner1_, baseOffset_);
}

void StartWallTops() { sTopEdges.clear(); }

void CloseWallTops(Objex* wall) {
    std::vector<TopEdge> edges;
    edges.swap(sTopEdges);
    if (!wall) return;
    std::unordered_map<const Poinz*, const TopEdge*> sideZero;
    for (const TopEdge& zero : edges)
        if (zero.wall == wall && zero.side == 0) sideZero.emplace(zero.start, &zero);
    for (const TopEdge& one : edges) {
        if (one.wall != wall || one.side != 1) continue;
        if (const auto found = sideZero.find(one.start); found != sideZero.end()) AddTop(one, *found->second, wall);
    }
}

WallFaceSlot GetWallFaceSlot(const Objex* solid, const Objex* wall, int32_t column) {
    WallFaceSlot slot;
    if (!solid || !wall) return slot;
    const int32_t m = solid->pointCount, c = column;
    const int32_t n = wall->closed ? m / 4 - 1 : m / 4;
    if (n < 2) return slot;
    slot.kind = WallFaceSlot::kSegment;
    if (c <= (wall->closed ? n - 1 : n - 2)) {
        slot.segment = c;
        return slot;
    }
    if (wall->closed && c == n) {
        slot.kind = WallFaceSlot::kClosingColumn;
        return slot;
    }
    const int32_t i = wall->closed ? 2 * n - c : m / 2 - c - 2;
    slot.side = 1;
    slot.segment = std::max(i, 0);
    if (i == n - 1) slot.kind = wall->closed ? WallFaceSlot::kSegment : WallFaceSlot::kEndFace;
    // The wrap-round column would cap segment 0 a second time, diagonally across the wall.
    else if (i >= 0)
        slot.capCorner = i + 1;
    else
        slot.acrossWall = true;
    return slot;
}

namespace {

// A wall's faces are lit from outside: whichever way the solid's outline runs, the stored
// normal points away from the wall's centre line (the nearest of its segments to the face).
void FaceAwayFromCentreLine(Plane* face, const Objex* wall) {
    if (!face->vertices || face->count == 0 || !wall->firstPoint) return;
    float ch = 0, cd = 0;
    for (uint32_t i = 0; i < face->count; ++i) ch += face->vertices[i].H, cd += face->vertices[i].D;
    ch /= float(face->count), cd /= float(face->count);
    float bestH = 0, bestD = 0, best = -1;
    auto consider = [&](const Poinz* a, const Poinz* b) {
        const float ah = a->position[0], ad = a->position[2], dh = b->position[0] - ah, dd = b->position[2] - ad;
        const float len2 = dh * dh + dd * dd;
        float t = len2 > 0 ? ((ch - ah) * dh + (cd - ad) * dd) / len2 : 0;
        t = std::clamp(t, 0.0f, 1.0f);
        const float ph = ah + t * dh, pd = ad + t * dd, dist = (ch - ph) * (ch - ph) + (cd - pd) * (cd - pd);
        if (best < 0 || dist < best) best = dist, bestH = ph, bestD = pd;
    };
    const Poinz* p = wall->firstPoint;
    for (; p->next; p = p->next) consider(p, p->next);
    if (wall->closed) consider(p, wall->firstPoint);
    if (!p->prev && !p->next) consider(p, p);
    if ((ch - bestH) * face->nx + (cd - bestD) * face->nz < 0) face->nx = -face->nx, face->ny = -face->ny, face->nz = -face->nz;
}

}  // namespace

void CarveWindowsAndDoors(Objex* solid, Objex* wall, Poinz* corner1, Poinz* corner2, Poinz* corner3,
                          Poinz* corner4, int32_t column, Plane* facePlane) {
    const DocState* ds = CurrentDocState();
    PlaneObject* piece = gCurPlaneObject;
    if (!ds || !solid || !wall || !corner1 || !corner2 || !corner3 || !corner4 || !facePlane ||
        !piece)
        return;
    const WallFaceSlot slot = GetWallFaceSlot(solid, wall, column);
    if (slot.kind == WallFaceSlot::kNone) return;
    FaceAwayFromCentreLine(facePlane, wall);
    const float baseOffset = ConvertWorldToScreen(objfield::wall::kBaseOffset(*wall), ds, 0);
    const auto [start, end] = slot.kind == WallFaceSlot::kSegment ? SegmentOf(wall, slot.segment)
                                                                  : std::pair<Poinz*, Poinz*>{};
    if (start) {
        SegmentFace f{wall, start, end, slot.side, facePlane, piece, ds, baseOffset};
        f.acrossWall = slot.acrossWall;
        if (!FinishSegmentFace(f, corner1, corner3)) return;
        if (slot.acrossWall) return RaiseTop(piece, facePlane, start, baseOffset, 1);
    }

    Poinz* last = wall->firstPoint;
    while (last && last->next)
        last = last->next;
    if (slot.kind == WallFaceSlot::kClosingColumn)
        return RaiseTop(piece, facePlane, last, baseOffset);
    if (slot.kind == WallFaceSlot::kEndFace)
        return RaiseTop(piece, facePlane, last ? last->prev : nullptr, baseOffset);
    AddStepCaps(slot, solid, wall, start, end, corner1, baseOffset);
}

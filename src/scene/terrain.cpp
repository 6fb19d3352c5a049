#include "scene/terrain.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <numbers>
#include <unordered_set>
#include <vector>

#include "model/docstate.h"
#include "model/deletion.h"
#include "model/document_model.h"
#include "model/bounds.h"
#include "model/texture_mapping.h"
#include "model/lines.h"
#include "model/object_fields.h"
#include "model/objects.h"
#include "model/plant_bounds.h"
#include "model/planar_polygons.h"
#include "model/projection.h"
#include "model/rebuild_table.h"
#include "model/scoped_restore.h"
#include "model/transforms.h"
#include "port/seam.h"
#include "render/core/live_view_seams.h"
#include "model/render_state.h"
#include "model/topo_grid.h"
#include "model/view_layers.h"
#include "scene/plane_object.h"
#include "scene/point_in_polygon.h"
#include "scene/scene_build.h"

uint8_t gTopoInUse = 0;

namespace {

// What sampling the ground depends on: the pieces on the terrain were placed on this.
struct Ground {
    uint8_t inUse = 0;
    int32_t rows = 0, columns = 0;
    float spacing = 0;
    FloatRect lot{};
    std::vector<float> heights;

    bool operator==(const Ground& o) const {
        return inUse == o.inUse && rows == o.rows && columns == o.columns && spacing == o.spacing &&
               lot.floatTop == o.lot.floatTop && lot.floatLeft == o.lot.floatLeft &&
               lot.floatBottom == o.lot.floatBottom && lot.floatRight == o.lot.floatRight &&
               heights.size() == o.heights.size() &&
               // Bit for bit: a height that is no number still counts as the same ground.
               (heights.empty() ||
                std::memcmp(heights.data(), o.heights.data(), heights.size() * sizeof(float)) == 0);
    }
};
Ground sPlacedOn;
// The top-level objects whose pieces a ground batch held back, in the order held, each once:
// a batch's end walks these, not the design. One freed since leaves the set as it is freed,
// so the list is followed only where the set still holds it.
struct HeldObjects {
    std::vector<Objex*> order;
    std::unordered_set<const Objex*> alive;

    void hold(Objex* o) {
        if (alive.insert(o).second) order.push_back(o);
    }
    bool empty() const { return alive.empty(); }
    bool holds(const Objex* o) const { return alive.count(o) != 0; }
    void clear() { order.clear(), alive.clear(); }
};
HeldObjects sHeld;

}  // namespace

static const port::GlobalReset kReset([] {
    gTopoInUse = 0;
    sPlacedOn = Ground{};
    sHeld.clear();
});
static const ObjectForgetter kForgetHeld([](const Objex* o) {
    if (!sHeld.empty()) sHeld.alive.erase(o);
});

namespace {

constexpr float kNoHeight = -10000.0f;     // no height found; also the limit of a usable one
constexpr float kHighestStart = 10000.0f;  // the search for the highest ground starts below it
constexpr float kSlopeReach = 1000.0f;     // how far the slope plane's defining points lie
constexpr float kBandHalfWidth = 12000.0f; // a slope lot section reaches this far to each side
constexpr float kDrapeLift = 6.0f;
constexpr float kPropertyLineLift = 3.0f;
constexpr float kHalfPi = std::numbers::pi_v<float> / 2;

bool IsUsableHeight(float h) { return h > kNoHeight && h < -kNoHeight; }

// The plane through P0 at height 0 that falls by tan(descent) per unit along P0->P1 and is
// level across it; heights by plan (H, D).
struct SlopePlane {
    float a = 0, b = 0, c = 0, d = 0;
    float h0 = 0, d0 = 0, h1 = 0, d1 = 0;  // P0 and P1
    float angle = 0;                       // of P0->P1
    float fall = 0;                        // tan(descent)
    float at(float h, float depth) const { return ComputePointOnPlane(h, depth, a, b, c, d); }
};

bool SlopePlaneOf(const Objex* o, SlopePlane* plane) {
    const Poinz* p0 = o ? o->firstPoint : nullptr;
    const Poinz* p1 = p0 ? p0->next : nullptr;
    if (!p1) return false;
    SlopePlane& s = *plane;
    s.h0 = p0->position[0], s.d0 = p0->position[2];
    s.h1 = p1->position[0], s.d1 = p1->position[2];
    float length = 0;
    s.angle = GetLineLengthAndAngle(s.h0, s.d0, s.h1, s.d1, &length);
    s.fall = std::tan(objfield::lot_point::Descent(*p0) * gPiDiv180);
    float ah = 0, ad = 0, ch = 0, cd = 0;
    GetPointFromLengthAndAngle(s.angle, kSlopeReach, &ah, &ad);
    GetPointFromLengthAndAngle(s.angle + kHalfPi, kSlopeReach, &ch, &cd);
    CalcParametric(s.h0, s.d0, 0.0f, s.h0 + ah, s.d0 + ad, -s.fall * kSlopeReach, s.h0 + ch, s.d0 + cd, 0.0f, &s.a,
                   &s.b, &s.c, &s.d);
    return true;
}

// The usable grid of the current settings: counts, spacing and lot agree with the heights.
struct GridView {
    const DocState* ds = nullptr;
    int32_t rows = 0, columns = 0;
    float spacing = 0;
    float top = 0, left = 0;

    bool valid() const { return ds != nullptr; }
    float& node(int32_t r, int32_t c) const {
        return gTopographyGrid[static_cast<size_t>(r) * static_cast<size_t>(columns + 1) + static_cast<size_t>(c)];
    }
};

// What one terrain object adds at a node (kNoHeight for nothing).
class TerrainShape {
public:
    explicit TerrainShape(Objex* o) : type_(o->type) {
        if (type_ == objtype::kTopography) {
            int32_t count = o->pointCount;
            outline_ = PlanarPolygon(CreatePlanarPolygon(o->firstPoint, &count), count);
            height_ = objfield::topo_line::kHeight(*o);
            usable_ = !outline_.empty();
            return;
        }
        usable_ = SlopePlaneOf(o, &slope_);
        if (!usable_ || type_ != objtype::kSlopeLot) return;
        float lh = 0, ld = 0;
        GetPointFromLengthAndAngle(slope_.angle + kHalfPi, kBandHalfWidth, &lh, &ld);
        band_[0] = {slope_.h0 + lh, slope_.d0 + ld};
        band_[1] = {slope_.h1 + lh, slope_.d1 + ld};
        band_[2] = {slope_.h1 - lh, slope_.d1 - ld};
        band_[3] = {slope_.h0 - lh, slope_.d0 - ld};
        fullDrop_ = -slope_.fall * GetLineLength(slope_.h0, slope_.d0, slope_.h1, slope_.d1);
    }
    bool usable() const { return usable_; }

    // The nodes [r0, r1] x [c0, c1] of the grid outside which the shape adds nothing: a
    // region's outline's box (a point outside it is outside the outline), widened by a node
    // each way against rounding; the whole grid for a slope, or an outline not finite.
    void nodesReached(const GridView& g, int32_t* r0, int32_t* r1, int32_t* c0, int32_t* c1) const {
        *r0 = 0, *r1 = g.rows, *c0 = 0, *c1 = g.columns;
        if (type_ != objtype::kTopography || outline_.empty()) return;
        double minX = outline_[0].H, maxX = minX, minZ = outline_[0].D, maxZ = minZ;
        for (const PolygonVertex& v : outline_) {
            minX = std::min<double>(minX, v.H), maxX = std::max<double>(maxX, v.H);
            minZ = std::min<double>(minZ, v.D), maxZ = std::max<double>(maxZ, v.D);
        }
        if (!std::isfinite(minX) || !std::isfinite(maxX) || !std::isfinite(minZ) || !std::isfinite(maxZ)) return;
        const auto node = [&g](double v, double origin, bool up) {
            const double k = (v - origin) / g.spacing;
            return up ? std::ceil(k) + 1 : std::floor(k) - 1;
        };
        const auto clamp = [](double k, int32_t last) {
            return static_cast<int32_t>(std::clamp(k, 0.0, static_cast<double>(last)));
        };
        *r0 = clamp(node(minZ, g.top, false), g.rows), *r1 = clamp(node(maxZ, g.top, true), g.rows);
        *c0 = clamp(node(minX, g.left, false), g.columns), *c1 = clamp(node(maxX, g.left, true), g.columns);
    }

    float heightAt(float x, float z) const {
        if (type_ == objtype::kTopography) {
            PlaneVertex node{};
            node.H = x, node.D = z;
            return IsPointInsideXZPolygon(&node, outline_.data(), outline_.size()) ? height_ : kNoHeight;
        }
        if (type_ == objtype::kEntireLot) return slope_.at(x, z);
        const FloatPoint node{x, z};
        if (IsPointInsidePolygon(&node, band_, 4)) return slope_.at(x, z);
        const bool beyondP1 = GetLineLength(x, z, slope_.h0, slope_.d0) > GetLineLength(x, z, slope_.h1, slope_.d1);
        return beyondP1 ? fullDrop_ : kNoHeight;
    }

private:
    int16_t type_;
    bool usable_ = false;
    PlanarPolygon outline_;
    float height_ = 0;
    SlopePlane slope_;
    FloatPoint band_[4];
    float fullDrop_ = 0;
};

GridView CurrentGrid(const DocState* ds) {
    GridView g;
    if (!ds) return g;
    const float spacing = ds->topoGridSpacing;
    const int32_t rows = gTopoRowCnt, columns = gTopoColumnCnt;
    if (!std::isfinite(spacing) || !(spacing > 0.0f) || rows < 0 || columns < 0) return g;
    if (gTopographyGrid.size() != static_cast<size_t>(rows + 1) * static_cast<size_t>(columns + 1)) return g;
    g.ds = ds;
    g.rows = rows, g.columns = columns, g.spacing = spacing;
    g.top = ds->lotRect.floatTop, g.left = ds->lotRect.floatLeft;
    return g;
}

// The first span k in [0, last] whose closed extent [origin + k s, origin + (k + 1) s] holds v,
// as a scan from 0 meets it (a value on a line belongs to the span before); -1 for none.
int32_t FirstSpan(float v, float origin, float s, int32_t last) {
    double t = std::floor((static_cast<double>(v) - origin) / s);
    if (!(t >= 0)) t = 0;
    if (t > last) t = last;
    auto start = [&](int32_t k) { return origin + static_cast<float>(k) * s; };
    int32_t k = static_cast<int32_t>(t);
    while (k > 0 && v <= start(k)) --k;
    while (k <= last && v > start(k + 1)) ++k;
    return k <= last && v >= start(k) ? k : -1;
}

float Bilinear(const GridView& g, int32_t r, int32_t c, float x, float z) {
    const float fx = (x - (g.left + static_cast<float>(c) * g.spacing)) / g.spacing;
    const float fz = (z - (g.top + static_cast<float>(r) * g.spacing)) / g.spacing;
    const float h00 = g.node(r, c), h10 = g.node(r, c + 1), h01 = g.node(r + 1, c), h11 = g.node(r + 1, c + 1);
    const float upper = h00 + (h10 - h00) * fx, lower = h01 + (h11 - h01) * fx;
    const float alongX = upper + (lower - upper) * fz;
    const float leftSide = h00 + (h01 - h00) * fz, rightSide = h10 + (h11 - h10) * fz;
    const float alongZ = leftSide + (rightSide - leftSide) * fx;
    return (alongX + alongZ) * 0.5f;
}

// The height (up-positive) at a point of the lot, or kNoHeight.
float HeightInsideLot(const GridView& g, float x, float z) {
    const int32_t r = FirstSpan(z, g.top, g.spacing, g.rows);
    const int32_t c = FirstSpan(x, g.left, g.spacing, g.columns);
    if (r < 0 || c < 0) return kNoHeight;
    if (r < g.rows && c < g.columns) return Bilinear(g, r, c, x, z);
    // Beyond the last full cell: the highest node of the cells that hold the point.
    auto holds = [&](float v, float origin, int32_t k) {
        return v >= origin + static_cast<float>(k) * g.spacing && v <= origin + static_cast<float>(k + 1) * g.spacing;
    };
    float highest = kNoHeight;
    for (int32_t rr = r; rr <= g.rows && holds(z, g.top, rr); ++rr)
        for (int32_t cc = c; cc <= g.columns && holds(x, g.left, cc); ++cc) highest = std::max(highest, g.node(rr, cc));
    return highest;
}

void ForEachVertex(PlaneObject* p, const std::function<void(PlaneVertex&)>& fn) {
    for (Plane* plane = p->planes; plane; plane = plane->next)
        for (uint32_t i = 0; plane->vertices && i < plane->count; ++i) fn(plane->vertices[i]);
}

Objex* FirstObjectOfType(int16_t type) {
    for (Layer* l = gCurDocument ? gCurDocument->itsLayers : nullptr; l; l = l->next)
        for (Objex* o = l->firstObject; o; o = o->next)
            if (o->type == type) return o;
    return nullptr;
}

bool IsDraped(int kind) {
    return kind == objtype::kPath || kind == objtype::kType23 || kind == objtype::kFill ||
           kind == objtype::kGroundFill;
}

bool StandsAsBuilt(int kind) {
    return kind == objtype::kFentrix || kind == objtype::kEdging || kind == objtype::kCabinetPart;
}

// The parts of a floor group (group subtype 170) that stand at their own elevation on top of
// the group's.
bool RaisedInFloorGroup(const Objex* part) {
    switch (part->type) {
    case 13: case 47: case 52: case 135: case 158: case 170: return true;
    case objtype::kClosedSolid: return part->subtype == 170 || (part->subtype >= 173 && part->subtype <= 176);
    default: return false;
    }
}

// How far the piece rises above its build, in plan units, when its root is not on the terrain.
float BaseElevation(const PlaneObject* p, const Objex* root, const DocState* ds) {
    const Objex* part = p->object3D;
    if (root->type == objtype::kWall) {
        if (p->surfaceKind == kWallSolidCap) return ConvertWorldToScreen(p->elevationOverride + root->elevation, ds, 0);
        const float segmentBase = ConvertWorldToScreen(p->elevationOverride, ds, 0);
        if (part && part->type == objtype::kAccessory && part->typeData.kind == TypeDataKind::Attachment &&
            part->typeData.attachment)
            return segmentBase - part->typeData.attachment->elevation;
        return segmentBase;
    }
    float e = root->elevation;
    if (part && part->type == objtype::kExcavation) e = part->elevation;
    else if (part && root->type == objtype::kGroup && root->subtype == 170 && RaisedInFloorGroup(part)) e += part->elevation;
    return ConvertWorldToScreen(e, ds, 0);
}

Ground GroundNow() {
    Ground g;
    const DocState* ds = CurrentDocState();
    g.inUse = gTopoInUse;
    g.rows = gTopoRowCnt, g.columns = gTopoColumnCnt;
    if (ds) g.spacing = ds->topoGridSpacing, g.lot = ds->lotRect;
    g.heights = gTopographyGrid;
    return g;
}

// The points moved, measured again as a read of them measures them (the face's texture
// rectangle follows the height).
void ShiftDescendants(Objex* o, float drop) {
    for (Objex* child = o->firstChild; child; child = child->next) {
        for (Poinz* p = child->firstPoint; p; p = p->next) p->position[1] -= drop;
        ShiftDescendants(child, drop);
        if (child->type != objtype::kGroup && child->firstPoint) SetTextureFaceUV(child), SetObjectPointLengths(child);
        UpdateObjectBounds(child);
    }
}

// Set while the members of a group just placed are built again: a member's build that asks to
// place its root again finds the group placed (the members not built yet would measure it
// where they stood).
bool sRebuildingMembers = false;

// The members of a group whose points moved, built again from them as a read builds them (a
// wall's solid and openings): only their points moved.
void RebuildMembers(Objex* group) {
    const dvx::Restore<bool> rebuilding(sRebuildingMembers, true);
    for (Objex* member = group->firstChild; member; member = member->next) {
        if (member->type == objtype::kGroup) RebuildMembers(member);
        else rebuild::Run(member, rebuild::kObjectScopes);
    }
}

// A group of imported solids or cabinet parts standing on the ground stands on it at its middle.
// Its bounds are measured afresh: the stored ones are what the last placing left. A group that
// stands there already, but for the rounding of the last placing, is left as it is, so that
// placing it again (a read of what was saved, a restore) moves no point: the last placing moved
// its highest points too, which round at their own height.
bool DropGroupOnTerrain(Objex* group) {
    const Objex* first = group->firstChild;
    if (sRebuildingMembers || !group->onTerrain || !first ||
        (first->type != objtype::kFentrix && first->type != objtype::kCabinetPart))
        return false;
    UpdateObjectBounds(group);
    const Float3DRect& b = group->bounds3D;
    const float ground = GetTopoElevationAtGridPt((b.floatLeft + b.floatRight) * 0.5f, (b.floatBack + b.floatFront) * 0.5f);
    const float drop = b.floatBottom - ground;
    const float rounding = 4 * std::numeric_limits<float>::epsilon() *
                           std::max({std::fabs(b.floatBottom), std::fabs(b.floatTop), std::fabs(ground), 1.0f});
    if (!std::isfinite(drop) || std::fabs(drop) <= rounding) return false;
    ShiftDescendants(group, drop);
    UpdateObjectBounds(group);
    RebuildMembers(group);
    return true;
}

// The object's groups standing on the ground, the outer before those inside it, as a walk of
// the object reaches them; true when a point moved.
bool StandGroups(Objex* o) {
    bool moved = o->type == objtype::kGroup && DropGroupOnTerrain(o);
    for (Objex* child = o->firstChild; child; child = child->next)
        if (child->type == objtype::kGroup) moved = StandGroups(child) || moved;
    return moved;
}

// The held objects still standing at the top of a floor of the current design, in the order
// held; one deleted, cut or grouped since is passed by.
std::vector<Objex*> HeldOnFloors(const HeldObjects& held) {
    std::vector<Objex*> out;
    std::unordered_set<const Objex*> taken;
    for (Objex* o : held.order)
        if (held.holds(o) && !o->parent && gCurDocument && gCurDocument->holdsLayer(o->layer) && taken.insert(o).second) out.push_back(o);
    return out;
}

// Every floor's groups standing on the ground, shown or not; those that moved are held for the
// scene to build again.
void StandOnGround() {
    for (Layer* layer = gCurDocument ? gCurDocument->itsLayers : nullptr; layer; layer = layer->next)
        for (Objex* o = layer->firstObject; o; o = o->next)
            if (StandGroups(o)) sHeld.hold(o);
}

// The objects a ground batch held back, and with `everything` every object standing on the
// terrain on the floors the scene shows, built where they stand on the ground as it lies now
// (the walk of a whole-scene build, limited to them), each once. A held object no longer on
// a floor (deleted, cut) is passed by; one held is built as any build is (the gate decides).
void PlaceOnGround(bool everything) {
    HeldObjects kept;
    std::swap(kept, sHeld);
    if (!everything && kept.empty()) return;
    const std::vector<Objex*> held = HeldOnFloors(kept);
    // Hidden, or waiting for a whole build, the scene is built afresh when it shows; a scene
    // of another design (or none) has nothing on this ground to place again (one whose pieces
    // standing on the ground were all held back is this design's).
    if (!LiveViewIsVisible() || gRenderOnShow || (kept.empty() && !SceneBuiltFrom(gCurDocument))) everything = false;
    if ((!everything && held.empty()) || !gCurDocument) return;
    if (!everything) {
        for (Objex* o : held) BuildEntireObject(o);
        return;
    }
    const Layer* firstFloor = GetFirstFloorLayer();
    bool floors = false;
    for (Layer* layer = gCurDocument->itsLayers; layer; layer = layer->next) {
        floors = floors || layer == firstFloor;
        const bool all = floors && layer->visible;
        for (Objex* o = layer->firstObject; o; o = o->next)
            if ((all && o->onTerrain) || kept.holds(o)) BuildEntireObject(o);
    }
}

// Pieces are placed when built: a terrain edit, or its undo or redo, that moves the ground
// has those standing on it built again, or they would float or sink until the design is read
// again; and what a ground batch held back is built now, on the ground as it lies.
void FollowGround() {
    Ground now = GroundNow();
    const bool moved = !(now == sPlacedOn);
    if (moved) sPlacedOn = std::move(now);
    PlaceOnGround(moved);
}

// The grid from the terrain objects (a topography file's heights kept), then TopoInUse.
void ComputeGround() {
    // The grid follows the terrain objects at once; the scene, while nobody sees it, on show.
    if (!LiveViewIsVisible()) gRenderOnShow = 1;
    const GridView g = CurrentGrid(CurrentDocState());
    // A topography file's heights are the ground as long as it is in use: never zeroed here.
    if (g.valid() && g.rows >= 1 && g.columns >= 1 && !gTopoGridFromFile) {
        std::fill(gTopographyGrid.begin(), gTopographyGrid.end(), 0.0f);
        for (Layer* l = gCurDocument->itsLayers; l; l = l->next) {
            for (Objex* o = l->firstObject; o; o = o->next) {
                if (!objtype::Has(o->type, objtype::kSetsLotElevation)) continue;
                const TerrainShape shape(o);
                if (!shape.usable()) continue;
                int32_t r0, r1, c0, c1;
                shape.nodesReached(g, &r0, &r1, &c0, &c1);
                for (int32_t r = r0; r <= r1; ++r) {
                    const float z = g.top + static_cast<float>(r) * g.spacing;
                    for (int32_t c = c0; c <= c1; ++c) {
                        const float h = shape.heightAt(g.left + static_cast<float>(c) * g.spacing, z);
                        if (IsUsableHeight(h)) g.node(r, c) += h;
                    }
                }
            }
        }
    }
    TopoInUse();
}

}  // namespace

void NoteSceneGround() { sPlacedOn = GroundNow(); }

bool StandGroupsOnGround(Objex* object) { return object && StandGroups(object); }

void HoldOnGround(Objex* root) {
    if (root) sHeld.hold(root);
}

void SettleGround(bool groundMoved, bool wholeScene) {
    if (groundMoved) {
        ComputeGround();
        StandOnGround();
    } else {
        // Nothing held and no ground moved: nothing to do, whatever the design's size.
        for (Objex* o : HeldOnFloors(sHeld)) StandGroups(o);
    }
    if (wholeScene) {
        // One build of everything, after what stands on the ground was placed.
        sHeld.clear();
        return RenderAllLayers();
    }
    if (groundMoved) FollowGround();
    else PlaceOnGround(false);
}

int16_t TopoInUse() {
    gTopoInUse = 0;
    const QMDDocumentModel* doc = gCurDocument;
    if (!doc || !doc->itsDocState || gTopographyGrid.empty()) return 0;
    bool uses = doc->itsDocState->topoFilePath[0] != 0;
    for (const Layer* l = doc->itsLayers; l && !uses; l = l->next)
        for (const Objex* o = l->firstObject; o && !uses; o = o->next)
            uses = objtype::Has(o->type, objtype::kSetsLotElevation);
    gTopoInUse = uses ? 1 : 0;
    return gTopoInUse;
}

void SetLotElevation() {
    // Inside a ground batch the ground is computed and what stands on it placed when the batch
    // ends, from the terrain objects as they then stand.
    if (rebuild::GroundHeld()) return rebuild::SetLotElevation();
    SettleGround(true, false);
}

float GetTopoElevationAtGridPt(float x, float z) {
    if (!gTopoInUse) return 0.0f;
    if (!gCurDocument) return -0.0f;
    const DocState* ds = gCurDocument->itsDocState;
    const GridView g = CurrentGrid(ds);
    if (!g.valid()) return 0.0f;
    const FloatRect& lot = ds->lotRect;
    float h = kNoHeight;
    if (x >= lot.floatLeft && x <= lot.floatRight && z >= lot.floatTop && z <= lot.floatBottom) {
        h = HeightInsideLot(g, x, z);
    } else if ((x < lot.floatLeft || x > lot.floatRight) && z > lot.floatTop && z < lot.floatBottom) {
        // Beside the lot: the edge node of the row.
        const int32_t r = FirstSpan(z, g.top, g.spacing, g.rows);
        if (r >= 0) h = g.node(r, x < lot.floatLeft ? 0 : g.columns);
    } else if ((z < lot.floatTop || z > lot.floatBottom) && x > lot.floatLeft && x < lot.floatRight) {
        const int32_t c = FirstSpan(x, g.left, g.spacing, g.columns);
        if (c >= 0) h = g.node(z < lot.floatTop ? 0 : g.rows, c);
    }
    return h == kNoHeight ? -0.0f : -h;
}

void SetPropertyLineElevation(PlaneObject* planeObject) {
    if (!planeObject || !CurrentDocState()) return;
    SlopePlane slope;
    const bool sloped = SlopePlaneOf(FirstObjectOfType(objtype::kEntireLot), &slope);
    ForEachVertex(planeObject, [&](PlaneVertex& v) {
        if (!sloped) {
            v.V = -kPropertyLineLift;
            return;
        }
        const float h = slope.at(v.H, v.D);
        if (IsUsableHeight(h)) v.V = -(h + kPropertyLineLift);
    });
}

void ElevatePlaneObject(PlaneObject* planeObject, Objex* baseObject) {
    const DocState* ds = CurrentDocState();
    const Objex* root = GetRootObject(baseObject);
    if (!planeObject || !ds || !root) return;
    if (planeObject->pieceKind == objtype::kPropertyLine) {
        SetPropertyLineElevation(planeObject);
        return;
    }
    if (!root->onTerrain) {
        const float e = BaseElevation(planeObject, root, ds);
        ForEachVertex(planeObject, [e](PlaneVertex& v) { v.V -= e; });
        return;
    }
    const int kind = planeObject->pieceKind;
    if (StandsAsBuilt(kind)) return;
    if (IsDraped(kind)) {
        ForEachVertex(planeObject, [](PlaneVertex& v) { v.V = GetTopoElevationAtGridPt(v.H, v.D) - kDrapeLift; });
        return;
    }
    float highest = kHighestStart;
    ForEachVertex(planeObject, [&](PlaneVertex& v) { highest = std::min(highest, GetTopoElevationAtGridPt(v.H, v.D)); });
    ForEachVertex(planeObject, [highest](PlaneVertex& v) { v.V += highest; });
}

void ElevateObject(Objex* object) {
    const DocState* ds = CurrentDocState();
    const Objex* root = GetRootObject(object);
    if (!ds || !root || !object->firstPoint) return;
    auto ground = [](const Poinz* p) { return GetTopoElevationAtGridPt(p->position[0], p->position[2]); };
    float shift = 0;
    if (!root->onTerrain) {
        shift = -ConvertWorldToScreen(root->elevation, ds, 0);
    } else if (root->type == objtype::kPath || root->type == objtype::kType23) {
        for (Poinz* p = object->firstPoint; p; p = p->next) p->position[1] = ground(p);
        return;
    } else if (root->type == objtype::kEdging) {
        shift = ground(object->firstPoint) - object->firstPoint->position[1];
    } else {
        shift = kHighestStart;
        for (const Poinz* p = object->firstPoint; p; p = p->next) shift = std::min(shift, ground(p));
    }
    for (Poinz* p = object->firstPoint; p; p = p->next) p->position[1] += shift;
}

void GrowPlantVisuals(float years) {
    for (PlaneObject* p = gGLPlaneObjects; p; p = p->next) {
        if ((p->surfaceKind != kPlantSurface && p->surfaceKind != kUserPlantSurface) || !p->baseObject) continue;
        Objex* plant = p->baseObject;
        plant->plantAge += years;
        if (!(plant->plantAge >= kYoungestPlantAge)) plant->plantAge = kYoungestPlantAge;
        float width = p->plantHalfWidth * 2.0f, height = p->plantHeight;
        GetPlantBounds(plant, &width, &height, 0);
        p->plantHalfWidth = width * 0.5f;
        p->plantHeight = height;
    }
}

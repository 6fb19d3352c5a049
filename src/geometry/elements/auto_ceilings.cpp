#include "geometry/elements/auto_ceilings.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "files/object_io.h"
#include "files/undo.h"
#include "model/areas.h"
#include "model/bounds.h"
#include "model/default_textures.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/parallel.h"
#include "model/rebuild_table.h"
#include "model/selection_ops.h"
#include "model/selection_queries.h"
#include "model/texture_mapping.h"
#include "model/tool_defaults.h"
#include "model/transforms.h"

namespace {

constexpr RGBColor kNoColour{0xFFFF, 0xFFFF, 0xFFFF};
constexpr int16_t kFullScale = 100;
constexpr int16_t kPlainPoint = 1;
constexpr const char* kUndoName = "Build Ceiling/Floor";

std::vector<Poinz*> PointsOf(const Objex* o) {
    std::vector<Poinz*> points;
    for (Poinz* p = o ? o->firstPoint : nullptr; p; p = p->next) points.push_back(p);
    return points;
}

// The side code and plan offset of the parallel at a signed world distance: outwards for a
// positive distance, whichever way the wall runs.
struct Placement {
    int16_t side = parallel::kSide7;
    float offset = 0;
};
Placement PlaceParallel(const Objex* wall, float distance, const DocState* ds) {
    const bool clockwise = IsObjectClockwise(wall) != 0;
    return {clockwise == (distance >= 0) ? parallel::kSide7 : parallel::kSide8,
            ConvertWorldToScreen(std::fabs(distance), ds, 0)};
}

// Segments of a wall by the index of their start point; a closed wall's last one ends at the
// first point.
int SegmentCount(const Objex* wall, size_t points) {
    if (points < 2) return 0;
    return static_cast<int>(wall->closed ? points : points - 1);
}
bool SegmentSelected(const std::vector<Poinz*>& points, int segment) {
    return points[segment]->selected && points[(segment + 1) % points.size()]->selected;
}

// What makes a floor object a built slab or soffit; its points and their positions stay.
void MakeSlab(Objex* o, int32_t texture, float elevation, float thickness, const DocState* ds) {
    o->type = objtype::kFloor;
    o->closed = 1;
    objfield::display::kWord(*o) = objfield::display::kBuiltFromWall;
    // New objects belong to the plan in force, as the drawing tools' do.
    o->planBits = ds->currentPlanBit;
    o->fillColor = o->penColor = kNoColour;
    o->texture = 0;
    o->texture2 = texture, o->color2 = kNoColour;
    o->texture3 = 0, o->color3 = kNoColour;
    for (ShortPoint& scale : o->textureScales) scale = ShortPoint{kFullScale, kFullScale};
    o->elevation = elevation;
    objfield::floors::kThickness(*o) = thickness;
    for (Poinz* p = o->firstPoint; p; p = p->next) {
        p->texture1 = p->texture2 = texture;
        p->color1 = p->color2 = kNoColour;
        p->faceScale1 = p->faceScale2 = ShortPoint{kFullScale, kFullScale};
    }
    SetTextureFaceUV(o);
    SetObjectPointLengths(o);
}

Objex* BuildSlab(Objex* wall, float thickness, float elevation, float extension, const DocState* ds) {
    const Placement at = PlaceParallel(wall, extension, ds);
    Objex* slab = CreateParallelObject(wall, at.side, at.offset, 1);
    if (!slab) return nullptr;
    MakeSlab(slab, gFlooringDefaultTexture, elevation, thickness, ds);
    // An outline that a read throws away (a straight wall's two points) makes no slab: it
    // would be gone after a Redo, a Revert or the next Open.
    if (IsObjectPointValuesInvalid(slab)) {
        UnlinkObject(slab);
        DeleteObj(slab);
        return nullptr;
    }
    UpdateObjectBounds(slab);
    return slab;
}

// A soffit through the corners' plan positions, at V 0.
Objex* NewSoffit(Layer* layer, const std::vector<const Poinz*>& corners, float elevation, float thickness) {
    const DocState* ds = CurrentDocState();
    if (!gCurDocument || !ds || !layer || corners.size() < 3) return nullptr;
    const FloatRect empty = EmptyFloatRect();
    Objex* o = CreateObject(objtype::kFloor, 1, 1, &kNoColour, &kNoColour, static_cast<float>(ds->penWidth),
                            ds->penStyle, 0, &empty, nullptr, nullptr, nullptr, layer, TypeData{});
    if (!o) return nullptr;
    Poinz* tail = nullptr;
    for (const Poinz* c : corners) {
        Poinz* p = c ? CreatePoint(kPlainPoint, 0, 0, 0, 0, 0, c->position[0], 0, c->position[2], 0, 0, 0, 0, 0,
                                   0, o)
                     : nullptr;
        if (!p) {
            DeleteObj(o);
            return nullptr;
        }
        tail = AppendPointAfter(p, o, tail);
    }
    MakeSlab(o, 0, elevation, thickness, ds);
    AppendObjectToLayer(o, layer);
    UpdateObjectBounds(o);
    // Soffits are floors: their rebuild is the floor's skirting.
    rebuild::Run(o, rebuild::kObjectScopes);
    rebuild::ReRenderObject(o);
    return o;
}

// Runs of selected segments, each as the wall point indices it passes. A closed wall's walk
// starts after an unselected segment, so a run over the first point stays one.
std::vector<std::vector<int>> SelectedRuns(const Objex* wall, const std::vector<Poinz*>& points) {
    const int segments = SegmentCount(wall, points.size());
    const int n = static_cast<int>(points.size());
    int start = 0;
    if (wall->closed)
        for (int k = 0; k < segments; ++k)
            if (!SegmentSelected(points, k)) {
                start = k + 1;
                break;
            }
    std::vector<std::vector<int>> runs;
    bool open = false;
    for (int i = 0; i < segments; ++i) {
        const int k = (start + i) % segments;
        if (!SegmentSelected(points, k)) {
            open = false;
            continue;
        }
        if (!open) runs.push_back({k});
        runs.back().push_back((k + 1) % n);
        open = true;
    }
    return runs;
}

// The smallest height among the segments; fully selected ones only when asked. False when
// there is none.
bool LowestSegmentHeight(const Objex* wall, const std::vector<Poinz*>& points, bool selectedOnly, float* lowest) {
    bool found = false;
    for (int k = 0; k < SegmentCount(wall, points.size()); ++k) {
        if (selectedOnly && !SegmentSelected(points, k)) continue;
        const float h = objfield::wall_segment::kFirstHeight(*points[k]);
        *lowest = found ? std::min(*lowest, h) : h;
        found = true;
    }
    return found;
}

}  // namespace

int16_t InitializeAutoCeilingFloorDlgVar() {
    if (!gCurDocument || !CurrentDocState() || !gCurDocument->itsCurLayer) return 0;
    Objex* wall = nullptr;
    int count = 0;
    for (Objex* o = gCurDocument->itsCurLayer->firstObject; o; o = o->next)
        if (o->type == objtype::kWall && IsObjectSelected(o)) wall = o, ++count;
    if (count != 1) return 0;

    gTheWallObject = wall;
    const bool interior = objfield::wall::Interior(*wall) != 0;
    gBuildAutoFlooring = interior ? 1 : 0;
    gFlooringElevation = wall->elevation;
    gCeilingExtension = gFlooringExtension = -wall->penWidth / 2.0f;

    // Without a fully selected segment the whole wall decides, never a made-up height.
    const std::vector<Poinz*> points = PointsOf(wall);
    float h = 0;
    if (LowestSegmentHeight(wall, points, true, &h) || LowestSegmentHeight(wall, points, false, &h)) {
        if (!interior) h += objfield::wall::kQuickWallWidth(*wall);
        gCeilingElevation = gSoffitElevation = h + wall->elevation;
    }
    return 1;
}

void BuildAutoCeilingFloor(Objex* wall, uint8_t buildFloor, float floorThickness, float floorElevation,
                           float floorExtension, uint8_t buildCeiling, float ceilingThickness,
                           float ceilingElevation, float ceilingExtension) {
    const DocState* ds = CurrentDocState();
    if (!gCurDocument || !ds || !wall) return;
    Objex* slabs[2] = {
        buildFloor ? BuildSlab(wall, floorThickness, floorElevation, floorExtension, ds) : nullptr,
        buildCeiling ? BuildSlab(wall, ceilingThickness, ceilingElevation, ceilingExtension, ds) : nullptr};
    bool made = false;
    for (Objex* slab : slabs) {
        if (!slab) continue;
        rebuild::Run(slab, rebuild::kObjectScopes);
        rebuild::ReRenderObject(slab);
        SelectObj(slab, 1, 0);
        made = true;
    }
    if (made) StoreUndo(kUndoName);
}

void BuildAutoSoffits(Objex* wall, float thickness, float elevation, float extension, uint8_t continuous) {
    const DocState* ds = CurrentDocState();
    if (!gCurDocument || !ds || !wall || extension == 0) return;
    // The wall face, and the soffit's outer edge beyond it: working copies on no layer.
    const float halfWall = wall->penWidth / 2.0f;
    const Placement face = PlaceParallel(wall, std::copysign(halfWall, extension), ds);
    const Placement edge = PlaceParallel(wall, std::copysign(std::fabs(extension) + halfWall, extension), ds);
    Objex* inner = CreateParallelObject(wall, face.side, face.offset, 0);
    Objex* outer = CreateParallelObject(wall, edge.side, edge.offset, 0);
    const std::vector<Poinz*> points = PointsOf(wall);
    const std::vector<Poinz*> in = PointsOf(inner);
    const std::vector<Poinz*> out = PointsOf(outer);

    int made = 0;
    if (inner && outer && in.size() == points.size() && out.size() == points.size()) {
        const size_t n = points.size();
        if (continuous) {
            for (const std::vector<int>& run : SelectedRuns(wall, points)) {
                std::vector<const Poinz*> corners;
                for (int i : run) corners.push_back(in[i]);
                for (auto i = run.rbegin(); i != run.rend(); ++i) corners.push_back(out[*i]);
                if (NewSoffit(wall->layer, corners, elevation, thickness)) ++made;
            }
        } else {
            for (int k = 0; k < SegmentCount(wall, n); ++k) {
                if (!SegmentSelected(points, k)) continue;
                const size_t next = (k + 1) % n;
                if (CreateSoffitObject(wall->layer, in[k], out[k], out[next], in[next], elevation, thickness)) ++made;
            }
        }
    }
    DeleteObj(inner);
    DeleteObj(outer);
    if (made) StoreUndo(kUndoName);
}

Objex* CreateSoffitObject(Layer* layer, const Poinz* a, const Poinz* b, const Poinz* c, const Poinz* d,
                          float elevation, float thickness) {
    return NewSoffit(layer, {a, b, c, d}, elevation, thickness);
}

#include "tools/wall_construction.h"

#include <algorithm>
#include <vector>

#include "model/bounds.h"
#include "model/generated_numbers.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/duplicate.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/parallel.h"
#include "model/transforms.h"
#include "scene/plane_object.h"
#include "model/poly_builders.h"

namespace {

constexpr int16_t kClosedSolid = 10;
constexpr int16_t kOpenSolid = 11;

Layer* LayerForWall(const Objex* wall) {
    if (!gCurDocument || !CurrentDocState() || !gCurDocument->itsLayers) return nullptr;
    return TreeFloor(wall);
}

// An unlinked copy of the wall without its children; the wall keeps its children whatever
// happens.
Objex* CopyWithoutChildren(Objex* wall, Layer* layer) {
    Objex* children = wall->firstChild;
    wall->firstChild = nullptr;
    Objex* copy = DuplicateObject(wall, nullptr, nullptr, nullptr, 0, cmd::kDuplicate);
    wall->firstChild = children;
    if (!copy) return nullptr;
    copy->layer = layer;
    int32_t count = 0;
    for (const Poinz* p = copy->firstPoint; p; p = p->next) ++count;
    copy->pointCount = count;
    return copy;
}

// The lowest base elevation of the wall's segments; a wall without segments keeps its own.
void SetElevationToLowestBase(Objex* wall) {
    const Poinz* first = wall->firstPoint;
    if (!first) return;
    float lowest = first->baseElevation;
    for (const Poinz* p = first; p; p = p->next)
        if (p->next || wall->closed) lowest = std::min(lowest, p->baseElevation);
    wall->elevation = lowest;
}

Float3DPoint At(const float v[3]) { return {v[0], v[1], v[2]}; }

// The built outline taken out of the layer, coloured as the wall.
void Detach(Objex* built, const Objex* wall) {
    UnlinkObject(built);
    built->fillColor = wall->fillColor;
    built->penColor = wall->penColor;
}

}  // namespace

Objex* Construct3DWall(Objex* wall) {
    if (!wall) return nullptr;
    Layer* layer = LayerForWall(wall);
    if (!layer) return nullptr;
    Objex* copy = CopyWithoutChildren(wall, layer);
    if (!copy) return nullptr;
    Objex* outline = MakeParallel(copy, wall->penWidth, 0);
    if (!outline) {
        DeleteObj(copy);
        return nullptr;
    }

    const float lowering = ConvertWorldToScreen(objfield::wall::kBaseOffset(*wall), CurrentDocState(), 0);
    std::vector<Float3DPoint> top, bottom, in, out;
    for (const Poinz* p = outline->firstPoint; p; p = p->next) {
        top.push_back(At(p->position));
        bottom.push_back({p->position[0], p->position[1] - lowering, p->position[2]});
        in.push_back(At(p->inTangent));
        out.push_back(At(p->outTangent));
    }
    const int32_t n = static_cast<int32_t>(top.size());
    const bool closed = outline->closed != 0;
    Objex* solid = closed ? BuildClosedPoly(top.data(), bottom.data(), in.data(), out.data(),
                                            in.data(), out.data(), n, layer, 0)
                          : BuildOpenPoly(top.data(), bottom.data(), in.data(), out.data(),
                                          in.data(), out.data(), n, layer, 0);
    DeleteObj(outline);
    SetElevationToLowestBase(wall);
    if (!solid) return nullptr;
    Detach(solid, wall);
    solid->type = closed ? kClosedSolid : kOpenSolid;
    solid->flagA = 0;
    solid->subtype = objsubtype::kWallSolid;
    solid->sourceObject = wall;
    return solid;
}

Objex* ConstructQuickWall(Objex* wall) {
    if (!wall) return nullptr;
    Layer* layer = LayerForWall(wall);
    if (!layer) return nullptr;
    Objex* copy = CopyWithoutChildren(wall, layer);
    if (!copy) return nullptr;
    copy->optionA = parallel::kCentred;
    // The width goes in inches: the parallel converts it to plan units once, so the form is
    // as wide as asked at every drawing scale.
    Objex* outline = MakeParallel(copy, objfield::wall::kQuickWallWidth(*wall), 0);
    if (!outline) {
        DeleteObj(copy);
        return nullptr;
    }
    std::vector<Float3DPoint> at, none;
    for (const Poinz* p = outline->firstPoint; p; p = p->next) at.push_back(At(p->position));
    none.resize(at.size());
    const int32_t n = static_cast<int32_t>(at.size());
    const bool closed = outline->closed != 0;
    Objex* form = closed ? BuildClosedPoly(at.data(), nullptr, none.data(), none.data(), nullptr,
                                           nullptr, n, layer, 0)
                         : BuildOpenPoly(at.data(), nullptr, none.data(), none.data(), nullptr,
                                         nullptr, n, layer, 0);
    DeleteObj(outline);
    if (!form) return nullptr;
    Detach(form, wall);
    form->type = objtype::kQuickWallForm;
    return form;
}

void Update3DWall(Objex* wall) {
    if (!wall || wall->type != objtype::kWall) return;
    // Generated forms are never looked up by ID: a rebuild uses up none, so reading and
    // saving a design leaves its counters as they were.
    DocState* ds = CurrentDocState();
    const uint32_t nextObjectID = ds ? ds->nextObjectID : 0;
    const uint32_t nextPointID = ds ? ds->nextPointID : 0;
    DeleteRendererObject(wall);
    if (wall->typeData.kind == TypeDataKind::WallSolid) DeleteObjectData(wall);
    if (Objex* solid = Construct3DWall(wall)) {
        solid->subtype = objsubtype::kWallSolid;
        wall->typeData = TypeData::OfWallSolid(solid);
    }
    for (Objex* part = wall->firstPart; part;) {
        Objex* next = part->next;
        if (part->type == objtype::kQuickWallForm) {
            if (part->prev) part->prev->next = next;
            else wall->firstPart = next;
            if (next) next->prev = part->prev;
            part->prev = part->next = nullptr;
            DeleteObj(part);
        }
        part = next;
    }
    if (wall->subtype == objsubtype::kExteriorWall)
        if (Objex* form = ConstructQuickWall(wall)) AppendPartToObject(wall, form);
    if (ds) {
        Unnumber(wall->typeData.kind == TypeDataKind::WallSolid ? wall->typeData.wallSolid : nullptr);
        for (Objex* part = wall->firstPart; part; part = part->next)
            if (part->type == objtype::kQuickWallForm) Unnumber(part);
        ds->nextObjectID = nextObjectID;
        ds->nextPointID = nextPointID;
    }
    UpdateObjectBounds(wall);
}

void Update3DWallLayer(Layer* layer) {
    if (!layer || !layer->visible) return;
    for (Objex* o = layer->firstObject; o; o = o->next) Update3DWall(o);
}

void Update3DWallAllLayers(Layer* firstLayer) {
    for (Layer* layer = firstLayer; layer; layer = layer->next) Update3DWallLayer(layer);
}

// Paths and their edged borders, and the band that shows an excavation's depth.
#include <vector>

#include "geometry/elements/edging_build.h"
#include "model/bounds.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/duplicate.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/parallel.h"
#include "model/smoothing.h"
#include "model/texture_mapping.h"
#include "scene/plane_object.h"
#include "tools/site_rebuilds.h"
#include "model/poly_builders.h"

namespace {

constexpr int32_t kEdgedBorder = 2;
constexpr int32_t kCurvedPath = 0;
constexpr int32_t kFirstLayerDraws = 1;  // build flag of edgings built as a path's border

void ZeroTangents(Poinz* p) {
    if (!p) return;
    for (int i = 0; i < 3; ++i) p->inTangent[i] = p->outTangent[i] = 0;
}

// Moves the edging's pieces to the tail of the path's parts.
void TakePieces(Objex* path, Objex* edging) {
    while (Objex* piece = edging->firstPart) {
        edging->firstPart = piece->next;
        if (piece->next) piece->next->prev = nullptr;
        piece->next = piece->prev = nullptr;
        AppendPartToObject(path, piece);
    }
}

void ClearParts(Objex* o) {
    DeleteRendererObject(o);
    DeleteObjectList(o->firstPart);
}

template <class Each>
void OverLayers(Layer* first, bool all, Each each) {
    for (Layer* layer = first; layer; layer = all ? layer->next : nullptr) {
        if (layer->visible)
            for (Objex* o = layer->firstObject; o; o = o->next) each(o);
        if (!all) break;
    }
}

}  // namespace

Objex* Construct3DPath(Objex* path) {
    DocState* ds = CurrentDocState();
    if (!path || !path->firstPoint || !ds || !gCurDocument) return nullptr;
    Layer* layer = TreeFloor(path);
    if (!layer || !gCurDocument->itsLayers) return nullptr;
    // The straightened line is a copy's: the path keeps the tangents it was drawn or stored with.
    Objex* copy = DuplicateObject(path, nullptr, nullptr, nullptr, 0, cmd::kDuplicate);
    if (!copy) return nullptr;
    UnsmoothObject(copy);
    DeleteObjectList(copy->firstChild);
    int32_t count = 0;
    for (Poinz* p = copy->firstPoint; p; p = p->next) ++count;
    copy->pointCount = count;
    copy->optionA = path->optionA;
    Objex* outline = MakeParallel(copy, path->penWidth, 1);
    if (!outline || outline == copy) {
        if (copy->layer) UnlinkObject(copy);
        DeleteObj(copy);
        return nullptr;
    }
    if (path->optionB == kCurvedPath) {
        SmoothObject(outline);
        // Square ends: no tangents where the outline turns round at either end of the path.
        const int32_t n = outline->pointCount;
        ZeroTangents(outline->firstPoint);
        Poinz* p = outline->firstPoint;
        for (int32_t i = 1; p && i < n / 2; ++i) p = p->next;
        ZeroTangents(p);
        if (p) ZeroTangents(p->next);
        Poinz* last = outline->firstPoint;
        while (last && last->next) last = last->next;
        ZeroTangents(last);
    }
    outline->type = objtype::kType23;
    const Poinz* first = path->firstPoint;
    outline->fillColor = outline->penColor = first->color1;
    SetTextureFaceUV(outline), SetObjectPointLengths(outline);
    SetTextureFaceUV(path), SetObjectPointLengths(path);
    for (Poinz* p = outline->firstPoint; p; p = p->next) {
        p->texture1 = first->texture1, p->texture2 = first->texture2;
        p->color1 = first->color1, p->color2 = first->color2;
        p->faceScale1 = first->faceScale1, p->faceScale2 = first->faceScale2;
        p->position[1] += 2.0f;
    }
    if (outline->layer) UnlinkObject(outline);
    outline->sourceObject = path;
    UpdateObjectBounds(outline);
    return outline;
}

static void BuildPath(Objex* path);

void Update3DPath(Objex* path) {
    if (!path || path->type != objtype::kPath || !gCurDocument) return;
    ClearParts(path);
    // Generated pieces are never looked up by ID: a rebuild uses up none.
    DocState* ds = CurrentDocState();
    const uint32_t nextObjectID = ds ? ds->nextObjectID : 0, nextPointID = ds ? ds->nextPointID : 0;
    BuildPath(path);
    if (ds) ds->nextObjectID = nextObjectID, ds->nextPointID = nextPointID;
}

static void BuildPath(Objex* path) {
    if (path->fillPattern == kEdgedBorder) {
        Objex* straight = DuplicateObject(path, nullptr, nullptr, nullptr, 0, cmd::kDuplicate);
        if (!straight) return;
        UnsmoothObject(straight);
        Objex* left = MakeOpenParallel(straight, path->penWidth / 2, parallel::kSide7);
        Objex* right = MakeOpenParallel(straight, path->penWidth / 2, parallel::kSide8);
        DeleteObj(straight);
        const bool both = left && right;
        for (Objex* edge : {left, right}) {
            if (!edge) continue;
            if (both) {
                SmoothObject(edge);
                edge->type = objtype::kEdging;
                edge->flagA = kFirstLayerDraws;
                UpdateEdgingObject(edge);
                TakePieces(path, edge);
            }
            if (edge->layer) UnlinkObject(edge);
            DeleteObj(edge);
        }
        if (!both) return;
    }
    if (Objex* surface = Construct3DPath(path)) AppendPartToObject(path, surface);
}

void Update3DPathLayer(Layer* layer) {
    OverLayers(layer, false, [](Objex* o) { Update3DPath(o); });
}

void Update3DPathAllLayers(Layer* firstLayer) {
    OverLayers(firstLayer, true, [](Objex* o) { Update3DPath(o); });
}

void Update3DTopoCutoutDepthObject(Objex* object) {
    if (!object || !object->firstPoint) return;
    ClearParts(object);
    if (objfield::excavation::kDepth(*object) <= 0 || !gCurDocument) return;
    Layer* layer = TreeFloor(object);
    if (!layer) return;
    std::vector<Float3DPoint> top, bottom, in, out;
    for (const Poinz* p = object->firstPoint; p; p = p->next) {
        top.push_back({p->position[0], p->position[1], p->position[2]});
        bottom.push_back({p->position[0], p->position[1] - 1.0f, p->position[2]});
        in.push_back({p->inTangent[0], p->inTangent[1], p->inTangent[2]});
        out.push_back({p->outTangent[0], p->outTangent[1], p->outTangent[2]});
    }
    Objex* band = BuildClosedPoly(top.data(), bottom.data(), in.data(), out.data(), in.data(), out.data(),
                                  int32_t(top.size()), layer, 1);
    if (!band) return;
    band->type = objtype::kExcavation;
    band->subtype = objsubtype::kExcavation;
    band->flagA = 0;  // the 16-bit field after the point count
    band->fillColor = object->fillColor, band->penColor = object->penColor;
    if (band->layer) UnlinkObject(band);
    object->firstPart = band;
}

void Update3DTopoCutoutDepthLayer(Layer* layer) {
    OverLayers(layer, false, [](Objex* o) {
        if (o->type == objtype::kExcavation) Update3DTopoCutoutDepthObject(o);
    });
}

void Update3DTopoCutoutDepthAllLayers(Layer* firstLayer) {
    OverLayers(firstLayer, true, [](Objex* o) {
        if (o->type == objtype::kExcavation) Update3DTopoCutoutDepthObject(o);
    });
}

#include "scene/plane_object.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <unordered_map>

#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/projection.h"
#include "port/seam.h"
#include "render/core/display_list_seams.h"
#include "model/render_state.h"
#include "scene/terrain.h"
#include "scene/tessellation.h"

PlaneObject* gGLPlaneObjects = nullptr;
PlaneObject* gGLTopoTrimPlaneObjects = nullptr;
PlaneObject* gCurPlaneObject = nullptr;
Objex* gBase2DObject = nullptr;
Objex* gActual3DObject = nullptr;
uint8_t gDisableRenderInterrupt = 0;

namespace {

// The scene's last piece as the scene functions left it, with the head it belonged to: a
// scene build appends every piece at the tail, so appends must not walk the list.
struct SceneTail {
    PlaneObject* head = nullptr;
    PlaneObject* tail = nullptr;
};
SceneTail sSceneTail;

// How many scene pieces each base object has: removing the pieces of an object that has none
// (every temporary copy a builder frees goes through DeleteObj) costs no walk over the scene.
std::unordered_map<const Objex*, uint32_t> sPiecesByBase;

bool IsUnlinked(const PlaneObject* p) { return p && !p->prev && !p->next && p != gGLPlaneObjects; }

bool LinksTo(const PlaneObject* p, const Objex* o) {
    return p && (p->sourceObject == o || p->baseObject == o || p->object3D == o);
}

}  // namespace

static const port::GlobalReset kReset([] {
    DeletePlaneObjectList(gGLPlaneObjects);
    DeletePlaneObjectList(gGLTopoTrimPlaneObjects);
    if (IsUnlinked(gCurPlaneObject)) DeletePlaneObject(gCurPlaneObject);
    gCurPlaneObject = nullptr;
    gBase2DObject = nullptr;
    gActual3DObject = nullptr;
    gDisableRenderInterrupt = 0;
    sSceneTail = {};
    sPiecesByBase.clear();
});

// The piece under construction belongs to the object being built: it goes with it.
static const ObjectForgetter kForget([](const Objex* o) {
    if (gCurPlaneObject && (gBase2DObject == o || gActual3DObject == o || LinksTo(gCurPlaneObject, o))) {
        if (IsUnlinked(gCurPlaneObject)) DeletePlaneObject(gCurPlaneObject);
        gCurPlaneObject = nullptr;
    }
    if (gBase2DObject == o) gBase2DObject = nullptr;
    if (gActual3DObject == o) gActual3DObject = nullptr;
});

// --- records ---

PlaneObject* CreatePlaneObject() { return new (std::nothrow) PlaneObject{}; }

Plane* CreatePlane(PlaneVertex* vertices, uint32_t count, float nx, float ny, float nz) {
    if (!vertices) return nullptr;
    Plane* plane = new (std::nothrow) Plane{};
    if (!plane) {
        DeletePlanarPolygon(vertices);
        return nullptr;
    }
    const float m = std::max({std::fabs(nx), std::fabs(ny), std::fabs(nz)});
    if (m >= 1.0f) {
        const float f = 0.99f / m;
        nx *= f, ny *= f, nz *= f;
    }
    plane->vertices = vertices;
    plane->count = count;
    plane->nx = nx, plane->ny = ny, plane->nz = nz;
    return plane;
}

void AppendPlane(PlaneVertex* vertices, uint32_t count, float nx, float ny, float nz, PlaneObject* planeObject) {
    if (!planeObject) {
        DeletePlanarPolygon(vertices);
        return;
    }
    Plane* plane = CreatePlane(vertices, count, nx, ny, nz);
    if (!plane) return;
    Plane** link = &planeObject->planes;
    Plane* tail = nullptr;
    while (*link) {
        tail = *link;
        link = &tail->next;
    }
    plane->prev = tail;
    *link = plane;
}

void AppendPlaneThroughFirstThree(PlaneVertex* v, uint32_t count, PlaneObject* planeObject) {
    float a = 0, b = 0, c = 0, d = 0;
    if (v && count >= 3)
        CalcParametric(v[0].H, v[0].V, v[0].D, v[1].H, v[1].V, v[1].D, v[2].H, v[2].V, v[2].D, &a, &b, &c, &d);
    AppendPlane(v, count, a, b, c, planeObject);
}

void DeletePlane(Plane* plane) {
    if (!plane) return;
    DeletePlanarPolygon(plane->vertices);
    delete plane;
}

void DeletePlaneList(Plane* first) {
    while (first) {
        Plane* next = first->next;
        DeletePlane(first);
        first = next;
    }
}

void DeletePlaneObjectList(PlaneObject*& head) {
    if (&head == &gGLPlaneObjects) sSceneTail = {}, sPiecesByBase.clear();
    PlaneObject* p = head;
    head = nullptr;
    while (p) {
        PlaneObject* next = p->next;
        DeletePlaneObject(p);
        p = next;
    }
}

void SetupTopoTrimObjectList() { DeletePlaneObjectList(gGLTopoTrimPlaneObjects); }

void DeletePlaneObject(PlaneObject* planeObject) {
    if (!planeObject) return;
    gRenderDirty = 1;
    DeletePlaneList(planeObject->planes);
    DeletePlaneObjectList(planeObject->masks);
    DeletePlaneObjectList(planeObject->trims);
    delete planeObject;
}

void AppendPlaneObjectToList(PlaneObject*& head, PlaneObject* planeObject) {
    if (!planeObject) return;
    const bool scene = &head == &gGLPlaneObjects;
    PlaneObject* tail = nullptr;
    if (scene && head && sSceneTail.head == head && sSceneTail.tail && !sSceneTail.tail->next) {
        tail = sSceneTail.tail;
    } else {
        for (tail = head; tail && tail->next;) tail = tail->next;
    }
    planeObject->prev = tail;
    planeObject->next = nullptr;
    (tail ? tail->next : head) = planeObject;
    if (scene) sSceneTail = {head, planeObject}, ++sPiecesByBase[planeObject->baseObject];
}

// --- entering the scene ---

namespace {

bool IsSecondClassType(int type) {
    switch (type) {
    case 13: case 15: case 18: case 19: case 21: case 22: case 23: case 25: case 26: case 27: case 36:
    case 38: case 39: case 40: case 59: case 60: case 111: case 127: case 128: case 131: case 136:
    case 158: case 900:
        return true;
    default:
        return type >= 42 && type <= 52;
    }
}

uint16_t RenderClassOf(const Objex* owner, const PlaneObject* p, const DocState* ds) {
    if (ds->framingView && p->surfaceKind == kFramingMember) return 2;
    if (owner->type == objtype::kRoof) return owner->fillPattern != 0 ? 2 : 1;
    return IsSecondClassType(owner->type) ? 2 : 1;
}

bool KeepsItsPlanes(const PlaneObject* p, const Objex* owner) {
    return p->surfaceKind == kPlantSurface || p->surfaceKind == kUserPlantSurface ||
           p->surfaceKind == kPhotoSurface || owner->type == objtype::kRoof;
}

}  // namespace

void AppendPlaneObject(PlaneObject* planeObject, Objex* owner) {
    const DocState* ds = CurrentDocState();
    if (!ds || !planeObject || !owner || !planeObject->planes) return;
    planeObject->sourceObject = owner;
    planeObject->baseObject = gBase2DObject;
    planeObject->object3D = gActual3DObject;
    if (gActual3DObject) planeObject->object3DType = static_cast<uint16_t>(gActual3DObject->type);
    ElevatePlaneObject(planeObject, gBase2DObject);
    planeObject->renderClass = RenderClassOf(owner, planeObject, ds);
    if (!KeepsItsPlanes(planeObject, owner)) R3DTriangulatePlaneObject(planeObject);
    AppendPlaneObjectToList(gGLPlaneObjects, planeObject);
    gDisableRenderInterrupt = 1;
}

void AppendPlaneObjectChild(PlaneObject* mask, PlaneObject* parent) {
    if (!mask || !parent) return;
    ElevatePlaneObject(mask, gBase2DObject);
    mask->renderClass = 2;
    AppendPlaneObjectToList(parent->masks, mask);
}

void AppendPlaneObjectAttachment(PlaneObject* trim, PlaneObject* parent) {
    if (!trim || !parent) return;
    ElevatePlaneObject(trim, gBase2DObject);
    trim->renderClass = 2;
    trim->sourceObject = gBase2DObject;
    trim->baseObject = gBase2DObject;
    trim->object3D = gActual3DObject;
    trim->object3DType = gBase2DObject ? static_cast<uint16_t>(gBase2DObject->type) : 0;
    AppendPlaneObjectToList(parent->trims, trim);
}

// --- leaving it ---

void DeleteRendererObject(Objex* object) {
    if (!object || !gGLPlaneObjects) return;
    ResetSceneDisplayList();
    gReRenderGLObjects = 1;
    const auto counted = sPiecesByBase.find(object);
    if (counted == sPiecesByBase.end()) return;
    sPiecesByBase.erase(counted);
    PlaneObject* kept = nullptr;  // the last piece that stays
    for (PlaneObject* p = gGLPlaneObjects; p;) {
        PlaneObject* next = p->next;
        if (p->baseObject != object) {
            kept = p;
        } else {
            (p->prev ? p->prev->next : gGLPlaneObjects) = next;
            if (next) next->prev = p->prev;
            DeletePlaneObject(p);
        }
        p = next;
    }
    sSceneTail = gGLPlaneObjects ? SceneTail{gGLPlaneObjects, kept} : SceneTail{};
}

void DeleteAllRendererObjects() {
    if (!gGLPlaneObjects && !gGLTopoTrimPlaneObjects) return;
    ResetSceneDisplayList();
    gReRenderGLObjects = 1;
    DeletePlaneObjectList(gGLPlaneObjects);
    DeletePlaneObjectList(gGLTopoTrimPlaneObjects);
}

bool SceneBuiltFrom(const QMDDocumentModel* doc) {
    if (!doc) return false;
    // One document's objects make the scene at a time; the first piece that knows its layer
    // tells which.
    for (const PlaneObject* p = gGLPlaneObjects; p; p = p->next) {
        const Objex* root = GetRootObject(p->baseObject);
        const Layer* layer = root ? root->layer : nullptr;
        if (!layer) continue;
        bool ours = layer == doc->itsTopoLayer;
        for (const Layer* l = doc->itsLayers; l && !ours; l = l->next) ours = l == layer;
        return ours;
    }
    return false;
}

void DeleteDocumentRendererObjects(const QMDDocumentModel* doc) {
    if (SceneBuiltFrom(doc)) DeleteAllRendererObjects();
}

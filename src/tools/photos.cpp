#include "tools/photos.h"

#include "model/bounds.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/objects.h"
#include "model/transforms.h"
#include "files/custom_textures.h"
#include "scene/plane_object.h"
#include "tracking/evaluate_point.h"
#include "model/poly_builders.h"

namespace {
constexpr float kHalfWidth = 720.0f;
constexpr float kHeightInches = 360.0f;

// Each point of the panel shows what the photo's first point shows.
void TakeMaterials(Objex* panel, const Poinz* from) {
    for (Poinz* p = panel->firstPoint; p; p = p->next) {
        p->texture1 = from->texture1, p->texture2 = from->texture2;
        p->color1 = from->color1, p->color2 = from->color2;
        p->faceScale1 = from->faceScale1, p->faceScale2 = from->faceScale2;
    }
}

template <class Each>
void OverPhotos(Layer* first, bool all, Each each) {
    for (Layer* layer = first; layer; layer = all ? layer->next : nullptr)
        if (layer->visible)
            for (Objex* o = layer->firstObject; o; o = o->next)
                if (o->type == objtype::kPhoto) each(o);
}
}  // namespace

Objex* BuildPhoto() {
    DocState* ds = CurrentDocState();
    Layer* layer = gCurDocument ? gCurDocument->itsCurLayer : nullptr;
    if (!ds || !layer) return nullptr;
    float h = 0, v = 0, d = 0;
    EvaluatePoint(0, 0, &h, &v, &d, 1, nullptr, 1);
    const Float3DPoint ends[2] = {{h - kHalfWidth, v, d}, {h + kHalfWidth, v, d}};
    const Float3DPoint flat[2] = {};
    Objex* photo = BuildOpenPoly(ends, nullptr, flat, flat, nullptr, nullptr, 2, layer, 1);
    if (!photo) return nullptr;
    photo->type = objtype::kPhoto;
    photo->planBits = ds->currentPlanBit;
    objfield::photo::kHeight(*photo) = ConvertWorldToScreen(kHeightInches, ds, 0);
    const int32_t id = gCurrentPhotoTextureID++;
    photo->texture2 = photo->texture3 = photo->texture4 = id;
    for (Poinz* p = photo->firstPoint; p; p = p->next) p->texture1 = p->texture2 = id;
    UpdateObjectBounds(photo);
    Update3DPhoto(photo);
    return photo;
}

void Update3DPhoto(Objex* photo) {
    if (!photo || !gCurDocument || !CurrentDocState()) return;
    DeleteRendererObject(photo);
    DeleteObjectList(photo->firstPart);
    const Poinz* a = photo->firstPoint;
    const Poinz* b = a ? a->next : nullptr;
    if (!b) return;
    const float height = objfield::photo::kHeight(*photo);
    const Float3DPoint top[2] = {{a->position[0], a->position[1], a->position[2]},
                                 {b->position[0], b->position[1], b->position[2]}};
    const Float3DPoint lowered[2] = {{top[0].floatH, top[0].floatV - height, top[0].floatD},
                                     {top[1].floatH, top[1].floatV - height, top[1].floatD}};
    const Float3DPoint flat[2] = {};
    Layer* layer = TreeFloor(photo);
    Objex* panel = BuildOpenPoly(top, lowered, flat, flat, flat, flat, 2, layer, 1);
    if (!panel) return;
    if (panel->layer) UnlinkObject(panel);
    panel->type = objtype::kPhotoPanel;
    panel->sourceObject = photo;
    TakeMaterials(panel, a);
    AppendPartToObject(photo, panel);
}

void Update3DPhotoLayer(Layer* layer) {
    OverPhotos(layer, false, Update3DPhoto);
}

void Update3DPhotoAllLayers(Layer* firstLayer) {
    OverPhotos(firstLayer, true, Update3DPhoto);
}

void ChangeRorozErudImage() {}

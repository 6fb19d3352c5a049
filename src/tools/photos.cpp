#include "tools/photos.h"

#include "model/bounds.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/objects.h"
#include "model/transforms.h"
#include "render/core/custom_textures.h"
#include "tools/rebuild_seams.h"
#include "tracking/evaluate_point.h"
#include "tracking/poly_builders.h"

namespace {
constexpr float kHalfWidth = 720.0f;
constexpr float kHeightInches = 360.0f;
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

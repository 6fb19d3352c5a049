#include "model/transform_support.h"

#include "model/skylight_bounds.h"
#include "model/bounds.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/texture_mapping.h"
#include "model/transforms.h"

namespace xformsupport {

bool ViewAxes(int* first, int* second) {
    const DocState* ds = CurrentDocState();
    if (!ds || !first || !second) return false;
    switch (ds->viewKind) {
    case 2: *first = kH; *second = kD; return true;
    case 1: *first = kH; *second = kV; return true;
    case 3: *first = kD; *second = kV; return true;
    default: return false;
    }
}

bool IsPlanView() {
    const DocState* ds = CurrentDocState();
    return ds && ds->viewKind == 2;
}

float WrapDegreesOnce(float degrees) {
    if (degrees > 360.0f) return degrees - 360.0f;
    if (degrees < 0.0f) return degrees + 360.0f;
    return degrees;
}

RoofAttachmentRecord* RoofAttachmentOf(Objex* child) {
    if (!child) return nullptr;
    if (!objtype::IsRoofAttachment(child->type)) return nullptr;
    if (child->typeData.kind != TypeDataKind::RoofAttachment) return nullptr;
    return child->typeData.roofAttachment;
}

void FinishTransformedObject(Objex* object, bool pointLengths) {
    if (!object) return;
    UpdateObjectBounds(object);
    SetTextureFaceUV(object);
    if (pointLengths) SetObjectPointLengths(object);
    object->needsRebuild = 1;
}

void RebuildCustomSkylightBounds(Objex* skylight) {
    RoofAttachmentRecord* record = RoofAttachmentOf(skylight);
    if (!record || skylight->type != objtype::kSkylight || record->style != kCustomSkylightStyle) return;
    FloatRect bounds = EmptyFloatRect();
    Float3DRect bounds3D = EmptyFloat3DRect();
    GetCustomSkylightBounds(skylight, &bounds, &bounds3D);
    // Without opening shapes the box is empty: its corners would be the empty-box markers.
    if (IsEmptyBounds(bounds3D)) return;
    CreateCustomSkylightBoundsPoints(skylight, &bounds3D);
    skylight->bounds = bounds;
    skylight->bounds3D = bounds3D;
}

void RotatePointInAxes(Poinz* point, int a1, int a2, float centre1, float centre2, float angle) {
    if (!point) return;
    Rotate(&point->position[a1], &point->position[a2], centre1, centre2, angle);
    for (float* tangent : {point->inTangent, point->outTangent})
        if (tangent[a1] != 0.0f || tangent[a2] != 0.0f) Rotate(&tangent[a1], &tangent[a2], 0.0f, 0.0f, angle);
}

}  // namespace xformsupport

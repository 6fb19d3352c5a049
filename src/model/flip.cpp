#include "model/flip.h"

#include <utility>

#include "model/bounds.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/object_fields.h"
#include "model/object_transforms.h"
#include "model/objects.h"
#include "model/plan_index.h"
#include "model/selection_ops.h"
#include "model/selection_queries.h"
#include "model/texture_mapping.h"
#include "model/transform_support.h"
#include "port/seam.h"

float gFlipCenterX = 0.0f;
float gFlipCenterY = 0.0f;
static const port::GlobalReset kReset([] {
    gFlipCenterX = 0.0f;
    gFlipCenterY = 0.0f;
});

namespace {

constexpr int H = 0;
constexpr int V = 1;
constexpr int D = 2;
constexpr double kDegreesPerRadian = 57.29577951308232;
constexpr double kRadiansPerDegree = 0.017453292519943295;

// A stored direction (degrees) mirrored like the points: a vector of length 1000 at the angle
// with its H (horizontal flip) or D component negated, read back in [0, 360).
float MirrorDegrees(float degrees, bool horizontal) {
    float x = 0.0f, y = 0.0f;
    GetPointFromLengthAndAngle(static_cast<float>(degrees * kRadiansPerDegree), 1000.0f, &x, &y);
    if (horizontal) x = -x;
    else y = -y;
    float length = 0.0f;
    float result = static_cast<float>(GetLineLengthAndAngle(0.0f, 0.0f, x, y, &length) * kDegreesPerRadian);
    if (result >= 360.0f) result -= 360.0f;
    return result;
}

float WrapOnce(float degrees) {
    if (degrees > 360.0f) return degrees - 360.0f;
    if (degrees < 0.0f) return degrees + 360.0f;
    return degrees;
}

RoofAttachmentRecord* RoofRecordOf(Objex* child) {
    if (!objtype::IsRoofAttachment(child->type)) return nullptr;
    if (child->typeData.kind != TypeDataKind::RoofAttachment) return nullptr;
    return child->typeData.roofAttachment;
}

void FlipRoofAttachments(Objex* roof, bool horizontal) {
    const bool wholeRoof = IsEntireRoofObjectSelected(roof);
    for (Objex* child = roof->firstChild; child; child = child->next) {
        RoofAttachmentRecord* record = RoofRecordOf(child);
        if (!record) continue;
        if (wholeRoof) SelectObj(child, selmode::kSelect, 0);
        else if (!IsObjectSelected(child)) continue;
        FlipObject(child, horizontal ? 1 : 0);
        uint8_t& mirror = record->flipFlags[horizontal ? 0 : 1];
        mirror = mirror ? 0 : 1;
        if (child->type == objtype::kSkylight) FlipSkylightSymbols(record->customParts, horizontal ? 1 : 0);
        if (wholeRoof) SelectObj(child, selmode::kDeselect, 0);
    }
}

void SwapWallSides(Poinz* p) {
    std::swap(p->texture1, p->texture2);
    std::swap(p->color1, p->color2);
    std::swap(p->faceScale1, p->faceScale2);
    std::swap(p->trim1, p->trim2);
    std::swap(p->trimValue1, p->trimValue2);
}

void MirrorAxis(Poinz* p, int axis, float centre) {
    p->position[axis] = 2.0f * centre - p->position[axis];
    p->inTangent[axis] = xformsupport::Mirrored(p->inTangent[axis]);
    p->outTangent[axis] = xformsupport::Mirrored(p->outTangent[axis]);
}

}  // namespace

void FlipObject(Objex* object, uint8_t horizontal) {
    const DocState* ds = CurrentDocState();
    if (!object || !gCurDocument || !ds) return;
    const bool across = horizontal != 0;
    int axis = -1;
    switch (ds->viewKind) {
    case 2: axis = across ? H : D; break;
    case 1: axis = across ? H : V; break;
    case 3: axis = across ? D : V; break;
    default: break;
    }
    // A view without a mirror plane changes nothing, so no angle or wall side is left
    // mirrored without its points.
    if (axis < 0) return;
    const float centre = across ? gFlipCenterX : gFlipCenterY;

    if (objtype::IsRoof(object->type))
        FlipRoofAttachments(object, across);

    for (Poinz* p = object->firstPoint; p; p = p->next) {
        if (!p->selected) continue;
        if (object->type == objtype::kWall) SwapWallSides(p);
        MirrorAxis(p, axis, centre);
    }

    object->bounds = EmptyFloatRect();
    GetObjectBounds(object, 0, &object->bounds, 0, 0);
    object->bounds3D = EmptyFloat3DRect();
    GetObject3DBounds(object, 0, &object->bounds3D, 0);
    PlanIndexBoundsChanged(object);
    SetTextureFaceUV(object);
    SetObjectPointLengths(object);
    object->needsRebuild = 1;

    if (object->type == objtype::kFreehandRoof) {
        float& slope = objfield::freehand_roof::kSlopeDirection(*object);
        slope = MirrorDegrees(slope, across);
    }
    FlipGroupAngles(object, horizontal);
}

void FlipSkylightSymbols(Objex* firstSymbol, uint8_t horizontal) {
    for (Objex* symbol = firstSymbol; symbol; symbol = symbol->next) {
        SelectObj(symbol, selmode::kSelect, 0);
        FlipObject(symbol, horizontal);
        SelectObj(symbol, selmode::kDeselect, 0);
    }
}

void FlipGroupAngles(Objex* group, uint8_t horizontal) {
    if (!group || group->type != objtype::kGroup) return;
    if (group->subtype == objsubtype::kCabinetGroup) {
        if (group->typeData.kind != TypeDataKind::Cabinet || !group->typeData.cabinet) return;
        float& angle = group->typeData.cabinet->f1;
        angle = WrapOnce(MirrorDegrees(angle + 270.0f, horizontal != 0) + 90.0f);
        return;
    }
    if (IsObjectFNXObject(group)) {
        float& angle = objfield::rotation::kImported(*group);
        angle = WrapOnce(-angle);
    }
}

#include "model/plan_transforms.h"

#include <numbers>
#include <utility>

#include "model/document_model.h"
#include "model/lines.h"
#include "model/object_fields.h"
#include "model/object_transforms.h"
#include "model/objects.h"
#include "model/skylight_transforms.h"
#include "model/transform_support.h"
#include "model/transforms.h"

using namespace xformsupport;

namespace {

// A stored angle (degrees) mirrored like the points: a vector of length 1000 at the angle
// with the flipped axis' component negated, read back as an angle in [0, 360).
float MirrorDegrees(float degrees, bool firstAxis) {
    float x = 0.0f, y = 0.0f;
    GetPointFromLengthAndAngle(static_cast<float>(degrees * kRadiansPerDegree), 1000.0f, &x, &y);
    if (firstAxis) x = -x;
    else y = -y;
    float length = 0.0f;
    return static_cast<float>(GetLineLengthAndAngle(0.0f, 0.0f, x, y, &length) * kDegreesPerRadian);
}

void SwapWallSides(Objex* wall) {
    for (Poinz* p = wall->firstPoint; p; p = p->next) {
        std::swap(p->texture1, p->texture2);
        std::swap(p->faceScale1, p->faceScale2);
        std::swap(p->color1, p->color2);
        std::swap(p->trim1, p->trim2);
        std::swap(p->trimValue1, p->trimValue2);
    }
}

template <typename Fn>
void ForEachRoofAttachment(Objex* object, Fn fn) {
    if (!object || !objtype::IsRoof(object->type)) return;
    for (Objex* child = object->firstChild; child; child = child->next)
        if (RoofAttachmentOf(child)) fn(child, RoofAttachmentOf(child));
}

}  // namespace

void TranslatePlanObject(Objex* object, const TransformRecord* record) {
    int a1, a2;
    if (!gCurDocument || !object || !record || !ViewAxes(&a1, &a2)) return;
    ForEachRoofAttachment(object, [record](Objex* child, RoofAttachmentRecord* attachment) {
        TranslatePlanObject(child, record);
        if (child->type == objtype::kSkylight)
            for (Objex* symbol = attachment->customParts; symbol; symbol = symbol->next)
                TranslatePlanObject(symbol, record);
    });
    const float d1 = record->values[xform::kTranslateH + a1];
    const float d2 = record->values[xform::kTranslateH + a2];
    for (Poinz* p = object->firstPoint; p; p = p->next) {
        p->position[a1] += d1;
        p->position[a2] += d2;
    }
    FinishTransformedObject(object, true);
}

void RotatePlanObject(Objex* object, const TransformRecord* record) {
    int a1, a2;
    if (!gCurDocument || !object || !record || !ViewAxes(&a1, &a2)) return;
    ForEachRoofAttachment(object, [record](Objex* child, RoofAttachmentRecord* attachment) {
        RotatePlanObject(child, record);
        if (child->type != objtype::kSkylight) return;
        for (Objex* symbol = attachment->customParts; symbol; symbol = symbol->next)
            RotatePlanObject(symbol, record);
        RebuildCustomSkylightBounds(child);
    });
    const float* r = record->values;
    const float angle = r[xform::kRotationAngle];
    const float c1 = r[xform::kCentreH + a1], c2 = r[xform::kCentreH + a2];
    for (Poinz* p = object->firstPoint; p; p = p->next) RotatePointInAxes(p, a1, a2, c1, c2, angle);

    const float degrees = static_cast<float>(angle * kDegreesPerRadian);
    if (IsObjectFNXObject(object)) objfield::rotation::kImported(*object) = WrapDegreesOnce(objfield::rotation::kImported(*object) + degrees);
    if (object->type == objtype::kFreehandRoof) objfield::freehand_roof::kSlopeDirection(*object) = WrapDegreesOnce(objfield::freehand_roof::kSlopeDirection(*object) + degrees);
    if (object->type == objtype::kSkylight && object->typeData.kind == TypeDataKind::RoofAttachment &&
        object->typeData.roofAttachment)
        object->typeData.roofAttachment->angle += angle * 180.0f / std::numbers::pi_v<float>;
    FinishTransformedObject(object, false);
}

void FlipPlanObject(Objex* object, int32_t command) {
    int a1, a2;
    if (!gCurDocument || !object || !ViewAxes(&a1, &a2)) return;
    const bool firstAxis = command == kFlipPlanHorizontalCommand;
    const int axis = firstAxis ? a1 : a2;

    if (object->type == objtype::kWall) SwapWallSides(object);
    ForEachRoofAttachment(object, [command, firstAxis](Objex* child, RoofAttachmentRecord* attachment) {
        FlipPlanObject(child, command);
        if (child->type != objtype::kSkylight) return;
        PlanFlipSkylightSymbols(attachment->customParts, command);
        uint8_t& mirror = attachment->flipFlags[firstAxis ? 0 : 1];
        mirror = mirror ? 0 : 1;
    });

    const bool plan = IsPlanView();
    for (Poinz* p = object->firstPoint; p; p = p->next) {
        p->position[axis] = Mirrored(p->position[axis]);
        if (!plan) continue;
        p->inTangent[axis] = Mirrored(p->inTangent[axis]);
        p->outTangent[axis] = Mirrored(p->outTangent[axis]);
        p->acrossTangent[axis] = Mirrored(p->acrossTangent[axis]);
    }

    if (object->type == objtype::kGroup && object->firstChild && object->firstChild->type == objtype::kFentrix)
        objfield::rotation::kImported(*object) = MirrorDegrees(objfield::rotation::kImported(*object), firstAxis);
    if (object->type == objtype::kFreehandRoof) objfield::freehand_roof::kSlopeDirection(*object) = MirrorDegrees(objfield::freehand_roof::kSlopeDirection(*object), firstAxis);
    // A cabinet group's angle is kept a quarter turn off the angle it is mirrored at.
    if (object->type == objtype::kGroup && object->subtype == objsubtype::kCabinetGroup &&
        object->typeData.kind == TypeDataKind::Cabinet && object->typeData.cabinet) {
        float& angle = object->typeData.cabinet->f1;
        angle = WrapDegreesOnce(MirrorDegrees(angle + 270.0f, firstAxis) + 90.0f);
    }
    FinishTransformedObject(object, true);
}

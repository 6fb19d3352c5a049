#include "model/object_transforms.h"

#include <numbers>

#include "model/bounds.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/objects.h"
#include "model/selection_ops.h"
#include "model/selection_queries.h"
#include "model/skylight_transforms.h"
#include "model/transform_support.h"
#include "model/transforms.h"
#include "model/rebuild_table.h"

using namespace xformsupport;

namespace {

bool Moves(const Poinz* point) { return point->selected && !point->locked; }

// Skylights and dormer cut-outs move with their roof: every one of them when the whole roof
// is selected (selected just for the move), otherwise only those already selected.
void CarryRoofAttachments(Objex* roof, const TransformRecord* record, bool rotate) {
    if (!roof || !objtype::IsRoof(roof->type)) return;
    const bool wholeRoof = IsEntireRoofObjectSelected(roof);
    for (Objex* child = roof->firstChild; child; child = child->next) {
        RoofAttachmentRecord* attachment = RoofAttachmentOf(child);
        if (!attachment) continue;
        if (wholeRoof) SelectObj(child, selmode::kSelect, 0);
        else if (!IsObjectSelected(child)) continue;
        if (rotate) RotateObject(child, record);
        else TranslateObject(child, record);
        if (child->type == objtype::kSkylight) {
            if (rotate) {
                RotateSkylightSymbols(attachment->customParts, record);
                RebuildCustomSkylightBounds(child);
            } else {
                TranslateSkylightSymbols(attachment->customParts, record);
            }
        }
        if (wholeRoof) SelectObj(child, selmode::kDeselect, 0);
    }
}

bool HasSelectedOwnPoint(const Objex* object) {
    for (const Poinz* p = object->firstPoint; p; p = p->next)
        if (p->selected) return true;
    return false;
}

}  // namespace

void TranslateObject(Objex* object, const TransformRecord* record) {
    int a1, a2;
    if (!gCurDocument || !object || !record || !ViewAxes(&a1, &a2)) return;
    CarryRoofAttachments(object, record, false);
    const float d1 = record->values[xform::kTranslateH + a1];
    const float d2 = record->values[xform::kTranslateH + a2];
    for (Poinz* p = object->firstPoint; p; p = p->next) {
        if (!Moves(p)) continue;
        p->position[a1] += d1;
        p->position[a2] += d2;
    }
    FinishTransformedObject(object, true);
}

void ScaleObject(Objex* object, const TransformRecord* record) {
    int a1, a2;
    if (!gCurDocument || !object || !record || !ViewAxes(&a1, &a2)) return;
    const float* r = record->values;
    const float f1 = r[xform::kScaleH + a1], f2 = r[xform::kScaleH + a2];
    const float o1 = r[xform::kCentreH + a1], o2 = r[xform::kCentreH + a2];
    for (Poinz* p = object->firstPoint; p; p = p->next) {
        if (!Moves(p)) continue;
        // An axis with factor 1 is left exactly as it was.
        if (f1 != 1.0f) p->position[a1] = o1 + (p->position[a1] - o1) * f1;
        if (f2 != 1.0f) p->position[a2] = o2 + (p->position[a2] - o2) * f2;
        for (float* tangent : {p->inTangent, p->outTangent}) {
            tangent[a1] *= f1;
            tangent[a2] *= f2;
        }
    }
    FinishTransformedObject(object, true);
}

void RotateObject(Objex* object, const TransformRecord* record) {
    int a1, a2;
    if (!gCurDocument || !object || !record || !ViewAxes(&a1, &a2)) return;
    CarryRoofAttachments(object, record, true);
    const float* r = record->values;
    const float angle = r[xform::kRotationAngle];
    const float c1 = r[xform::kCentreH + a1], c2 = r[xform::kCentreH + a2];
    for (Poinz* p = object->firstPoint; p; p = p->next)
        if (Moves(p)) RotatePointInAxes(p, a1, a2, c1, c2, angle);

    const float degrees = static_cast<float>(angle * kDegreesPerRadian);
    if (IsObjectFNXObject(object)) {
        float& stored = objfield::rotation::kImported(*object);
        stored = WrapDegreesOnce(stored + degrees);
    }
    if (object->type == objtype::kFreehandRoof && HasSelectedOwnPoint(object)) {
        float& slope = objfield::freehand_roof::kSlopeDirection(*object);
        slope = WrapDegreesOnce(slope + degrees);
    }
    if (object->type == objtype::kSkylight && object->typeData.kind == TypeDataKind::RoofAttachment &&
        object->typeData.roofAttachment)
        object->typeData.roofAttachment->angle += angle * 180.0f / std::numbers::pi_v<float>;
    FinishTransformedObject(object, false);
}

void ShearObject(Objex* object, const TransformRecord* record) {
    int a1, a2;
    if (!gCurDocument || !object || !record || !ViewAxes(&a1, &a2)) return;
    const float* r = record->values;
    const float x0 = r[xform::kShearStartH + a1], y0 = r[xform::kShearStartH + a2];
    const float x1 = r[xform::kShearEndH + a1], y1 = r[xform::kShearEndH + a2];
    const float ox = r[xform::kCentreH + a1], oy = r[xform::kCentreH + a2];
    for (Poinz* p = object->firstPoint; p; p = p->next) {
        if (!Moves(p)) continue;
        const float old1 = p->position[a1], old2 = p->position[a2];
        Shear(x0, y0, x1, y1, &p->position[a1], &p->position[a2], ox, oy);
        // Tangents shear by their end points and stay relative to the new position.
        for (float* tangent : {p->inTangent, p->outTangent}) {
            if (tangent[a1] == 0.0f && tangent[a2] == 0.0f) continue;
            float e1 = old1 + tangent[a1], e2 = old2 + tangent[a2];
            Shear(x0, y0, x1, y1, &e1, &e2, ox, oy);
            tangent[a1] = e1 - p->position[a1];
            tangent[a2] = e2 - p->position[a2];
        }
    }
    FinishTransformedObject(object, true);
}

void ScaleTheObject(Objex* object, const TransformRecord* record) {
    if (!object || !record) return;
    ScaleObject(object, record);
    for (Objex* child = object->firstChild; child; child = child->next) ScaleTheObject(child, record);
}

void RotateTheObject(Objex* object, const TransformRecord* record) {
    if (!object || !record) return;
    RotateObject(object, record);
    for (Objex* child = object->firstChild; child; child = child->next) RotateTheObject(child, record);
}

void RotateObjectInDegrees(Objex* object, float degrees) {
    if (!object || !CurrentDocState()) return;
    if (degrees != 0.0f) {
        Float3DRect box = EmptyFloat3DRect();
        GetObject3DBounds(object, 0, &box, 0);
        TransformRecord record;
        record.values[xform::kRotationAngle] = static_cast<float>(degrees * kRadiansPerDegree);
        record.values[xform::kCentreH + kH] = box.floatLeft + (box.floatRight - box.floatLeft) * 0.5f;
        record.values[xform::kCentreH + kD] = box.floatBack + (box.floatFront - box.floatBack) * 0.5f;
        RotateTheObject(object, &record);
    }
    rebuild::RenderEntireObject(object);
    UpdateObjectBounds(object);
}

bool IsObjectFNXObject(Objex* object) {
    if (!object) return false;
    if (object->type == objtype::kGroup)
        return object->firstChild && object->firstChild->type == objtype::kFentrix;
    if (object->type != objtype::kFentrix) return false;
    const Objex* root = GetRootObject(object);
    return root->subtype != objsubtype::kCabinetGroup;
}

#include "model/fentrix_sizing.h"

#include "model/bounds.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_transforms.h"
#include "model/objects.h"
#include "model/selection_ops.h"
#include "model/transform_support.h"
#include "model/transforms.h"
#include "model/rebuild_table.h"

using namespace xformsupport;

namespace {

constexpr float kMinimumSide = 0.0625f;
constexpr int16_t kPlanView = 2;
constexpr int16_t kFrontView = 1;

// Puts the document's view kind back however the operation ends.
class ViewKindKeeper {
public:
    explicit ViewKindKeeper(DocState* ds) : ds_(ds), saved_(ds->viewKind) {}
    ~ViewKindKeeper() { ds_->viewKind = saved_; }
    ViewKindKeeper(const ViewKindKeeper&) = delete;
    ViewKindKeeper& operator=(const ViewKindKeeper&) = delete;

private:
    DocState* ds_;
    int16_t saved_;
};

Float3DRect Bounds3D(Objex* object) {
    Float3DRect box = EmptyFloat3DRect();
    GetObject3DBounds(object, 0, &box, 0);
    return box;
}

float MiddleH(const Float3DRect& box) { return box.floatLeft + (box.floatRight - box.floatLeft) / 2.0f; }
float MiddleD(const Float3DRect& box) { return box.floatBack + (box.floatFront - box.floatBack) / 2.0f; }

// The rotation angle is a turn in the plan, so the object is turned in the plan's axes
// whatever view the document shows.
void TurnInPlan(DocState* ds, Objex* object, float degrees, float centreH, float centreD) {
    ds->viewKind = kPlanView;
    TransformRecord record;
    record.values[xform::kRotationAngle] = static_cast<float>(degrees * kRadiansPerDegree);
    record.values[xform::kCentreH + kH] = centreH;
    record.values[xform::kCentreH + kD] = centreD;
    RotateTheObject(object, &record);
}

void ScaleInView(DocState* ds, int16_t viewKind, Objex* object, const float factors[3], const float origin[3]) {
    ds->viewKind = viewKind;
    TransformRecord record;
    for (int axis = 0; axis < 3; ++axis) {
        record.values[xform::kScaleH + axis] = factors[axis];
        record.values[xform::kCentreH + axis] = origin[axis];
    }
    ScaleTheObject(object, &record);
}

}  // namespace

void GetFentrixSize(Objex* object, float* width, float* height, float* depth) {
    DocState* ds = CurrentDocState();
    if (!object || !ds || !width || !height || !depth) return;
    ViewKindKeeper keeper(ds);
    const float angle = objfield::rotation::kImported(*object);
    const bool turned = angle > 0.0f;
    float centreH = 0.0f, centreD = 0.0f;
    if (turned) {
        const Float3DRect box = Bounds3D(object);
        centreH = MiddleH(box);
        centreD = MiddleD(box);
        TurnInPlan(ds, object, -angle, centreH, centreD);
    }
    const Float3DRect box = Bounds3D(object);
    *width = box.floatRight - box.floatLeft;
    *height = box.floatBottom - box.floatTop;
    *depth = box.floatFront - box.floatBack;
    if (turned) TurnInPlan(ds, object, angle, centreH, centreD);
    UpdateObjectBounds(object);
}

void ResizeFentrixObject(Objex* object, uint8_t percent, float width, float height, float depth,
                         uint8_t changeWidth, uint8_t changeHeight, uint8_t changeDepth) {
    DocState* ds = CurrentDocState();
    if (!object || !ds) return;
    {
        ViewKindKeeper keeper(ds);
        // Selected before it is unturned: the turns move selected points only.
        SelectObj(object, selmode::kSelect, 0);
        const float angle = objfield::rotation::kImported(*object);
        const bool turned = angle > 0.0f;
        if (turned) {
            const Float3DRect box = Bounds3D(object);
            TurnInPlan(ds, object, -angle, MiddleH(box), MiddleD(box));
        }

        const Float3DRect box = Bounds3D(object);
        const float extent[3] = {box.floatRight - box.floatLeft, box.floatBottom - box.floatTop,
                                 box.floatFront - box.floatBack};
        const float origin[3] = {box.floatLeft + extent[0] / 2.0f, box.floatBottom, box.floatBack + extent[2] / 2.0f};
        const float requested[3] = {width, height, depth};
        const bool change[3] = {changeWidth != 0, changeHeight != 0, changeDepth != 0};
        float factor[3] = {1.0f, 1.0f, 1.0f};
        for (int axis = 0; axis < 3; ++axis) {
            if (!change[axis]) continue;
            const float world = ConvertScreenToWorld(extent[axis], ds, 0);
            // A side without extent cannot be sized by a factor.
            if (world == 0.0f) continue;
            if (percent) {
                factor[axis] = requested[axis] / 100.0f;
                if (world * factor[axis] < kMinimumSide) factor[axis] = kMinimumSide / world;
            } else {
                factor[axis] = (requested[axis] < kMinimumSide ? kMinimumSide : requested[axis]) / world;
            }
        }

        // The plan view scales H and D, the front view V: each requested axis gets its factor.
        if (change[0] || change[2]) {
            const float planFactors[3] = {factor[0], 1.0f, factor[2]};
            ScaleInView(ds, kPlanView, object, planFactors, origin);
        }
        if (change[1]) {
            const float frontFactors[3] = {1.0f, factor[1], 1.0f};
            ScaleInView(ds, kFrontView, object, frontFactors, origin);
        }
        UpdateObjectBounds(object);

        if (turned) {
            const Float3DRect scaled = Bounds3D(object);
            TurnInPlan(ds, object, angle, MiddleH(scaled), MiddleD(scaled));
        }
    }
    rebuild::RenderEntireObject(object);
    UpdateObjectBounds(object);
}

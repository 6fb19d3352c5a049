#include "model/borrowed_settings.h"

#include <limits>

#include "model/convert_curves.h"
#include "model/docstate.h"
#include "model/object_transforms.h"
#include "model/selection_ops.h"
#include "model/transforms.h"

namespace {

constexpr int H = 0;
constexpr int V = 1;
constexpr int D = 2;
constexpr int16_t kFrontView = 1;
constexpr int16_t kPlanView = 2;

// Every point of the object and of its descendants takes part in the transforms.
void MakeMovable(Objex* object) {
    SetObjectSelectFlags(object, 1);
    SetObjectLockFlags(object, 0);
}

} // namespace

BorrowedSettings::BorrowedSettings(DocState* ds)
    : ds_(ds), curveSegments_(ds->curveSegments), viewKind_(ds->viewKind) {}

BorrowedSettings::~BorrowedSettings() {
    ds_->curveSegments = curveSegments_;
    ds_->viewKind = viewKind_;
}

void BorrowedSettings::convertCurves(Objex* object, int32_t resolution) {
    const int32_t limit = std::numeric_limits<int16_t>::max();
    ds_->curveSegments =
        static_cast<int16_t>(resolution < 0 ? 0 : (resolution > limit ? limit : resolution));
    ConvertObjectCurvesToPolygons(object);
    ds_->curveSegments = curveSegments_;
}

void BorrowedSettings::scaleInFront(Objex* object, float scaleH, float scaleV) {
    MakeMovable(object);
    TransformRecord r;
    r.values[xform::kScaleH + H] = scaleH;
    r.values[xform::kScaleH + V] = scaleV;
    r.values[xform::kScaleH + D] = 1.0f;
    ds_->viewKind = kFrontView;
    ScaleObject(object, &r);
    ds_->viewKind = viewKind_;
}

void BorrowedSettings::rotateInPlan(Objex* object, float angle, float centreH, float centreD) {
    MakeMovable(object);
    TransformRecord r;
    r.values[xform::kRotationAngle] = angle;
    r.values[xform::kCentreH + H] = centreH;
    r.values[xform::kCentreH + D] = centreD;
    ds_->viewKind = kPlanView;
    RotateObject(object, &r);
    ds_->viewKind = viewKind_;
}

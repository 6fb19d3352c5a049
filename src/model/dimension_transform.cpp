#include "model/transforms.h"

void TransformDimension(Poinz* point, int32_t flags, const TransformRecord* context) {
    if (!point || !context) return;
    if (flags & xform::kTranslateFlag) TranslatePoint(point, flags, context);
    else if (flags & xform::kScaleFlag) ScalePoint(point, flags, context);
    else if (flags & xform::kShearFlag) ShearPoint(point, flags, context);
    else if (flags & xform::kRotateFlag) RotatePoint(point, flags, context);
}

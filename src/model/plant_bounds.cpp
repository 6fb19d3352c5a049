#include "model/plant_bounds.h"

#include <cmath>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/numeric.h"
#include "model/object_transforms.h"
#include "model/objects.h"
#include "model/plant_info.h"
#include "model/selection_ops.h"
#include "model/transforms.h"
#include "model/rebuild_table.h"

namespace {

constexpr float kSeedlingSize = 12.0f;
constexpr float kWidthPerHeight = 0.85f;
// Beyond this many years of growth the size has long reached any maximum (or vanished).
constexpr int32_t kMaxGrowthYears = 10000;

float GrownSize(int32_t years, float annualGrowthRate, float maximum) {
    const float factor = 1.0f + annualGrowthRate / 100.0f;
    float size = kSeedlingSize;
    for (int32_t i = 0; i < years && i < kMaxGrowthYears; ++i) {
        size *= factor;
        if (factor >= 1.0f && size >= maximum) break;
    }
    return size;
}

void ScaleToWidth(Objex* plant, float width) {
    const Float3DRect& box = plant->bounds3D;
    const float extent = box.floatRight - box.floatLeft;
    if (extent == 0.0f || !std::isfinite(extent) || !std::isfinite(width)) return;
    TransformRecord record;
    float* r = record.values;
    r[xform::kScaleH] = width / extent;
    r[xform::kScaleH + 1] = 1.0f;
    r[xform::kScaleH + 2] = width / extent;
    r[xform::kCentreH] = box.floatLeft + extent * 0.5f;
    r[xform::kCentreH + 2] = box.floatBack + (box.floatFront - box.floatBack) * 0.5f;
    ScaleObject(plant, &record);
}

}  // namespace

void GetPlantBounds(Objex* plant, float* width, float* height, uint8_t rescale) {
    const DocState* ds = CurrentDocState();
    if (!plant || plant->type != objtype::kPlant || !plant->plantInfo || !ds) return;
    const PlantInfo* info = plant->plantInfo;

    double age = plant->plantAge;
    if (plant->fillPattern != 0) age += plant->fillPattern + 3;
    const int32_t years = dvxnum::TruncToInt32(age + 0.5);

    const float maximum = ConvertWorldToScreen(info->maximumGrowthHeight, ds, 0);
    const float grown = GrownSize(years, info->annualGrowthRate, maximum);
    const float h = grown < maximum ? grown : maximum;
    const float w = kWidthPerHeight * h;
    if (width) *width = w;
    if (height) *height = h;

    if (!rescale) return;
    SelectObj(plant, selmode::kSelect, 0);
    ScaleToWidth(plant, w);
    rebuild::ReRenderObject(plant);
}

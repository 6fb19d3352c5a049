#include "geometry/openings/opening_masks.h"

#include <numbers>

#include "model/bounds.h"
#include "model/deletion.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/planar_polygons.h"
#include "model/transforms.h"

namespace {

constexpr int16_t kMaskType = 29;
constexpr int16_t kSolidPen = 6;
constexpr int16_t kSolidFill = 2;
constexpr RGBColor kWhite{0xFFFF, 0xFFFF, 0xFFFF};
constexpr float kTwoPi = 2.0f * std::numbers::pi_v<float>;

Objex* NewOutline(const PolygonVertex* v, int32_t count, float angle, float rise, float pivotH,
                  float pivotD, int16_t turn) {
    const FloatRect none{};
    Objex* mask = CreateObject(kMaskType, 1, 1, &kWhite, &kWhite, 1.0f, kSolidPen, kSolidFill,
                               &none, nullptr, nullptr, nullptr, nullptr, TypeData{});
    if (!mask) return nullptr;
    Poinz* tail = nullptr;
    for (int32_t i = 0; i < count; ++i) {
        float x = v[i].H, z = v[i].D;
        if (turn) Rotate(&x, &z, pivotH, pivotD, std::numbers::pi_v<float>);
        Rotate(&x, &z, pivotH, pivotD, kTwoPi - angle);
        Poinz* p = CreatePoint(1, 0, 0, 0, 0, 0, x - pivotH, v[i].V + rise, z - pivotD, 0, 0, 0, 0,
                               0, 0, mask);
        if (!p) {
            DeleteObj(mask);
            return nullptr;
        }
        tail = AppendPointAfter(p, mask, tail);
    }
    UpdateObjectBounds(mask);
    return mask;
}

} // namespace

Objex* BuildGenericMaskObject(AttachmentRecord* record, const PolygonVertex* vertices,
                              int32_t count, float angle, float elevationOffset, float pivotH,
                              float /*pivotV*/, float pivotD, int16_t turn) {
    if (!record || !vertices) return nullptr;
    Objex* mask = nullptr;
    if (gCurDocument && gCurDocument->itsCurLayer && CurrentDocState())
        mask = NewOutline(vertices, count, angle, record->elevation + elevationOffset, pivotH,
                          pivotD, turn);
    DeleteObjectList(record->customParts[0]);
    record->customParts[0] = mask;
    return mask;
}

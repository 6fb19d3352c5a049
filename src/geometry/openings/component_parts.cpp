#include "geometry/openings/component_parts.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "geometry/openings/attachment_pieces.h"
#include "model/deletion.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/texture_mapping.h"
#include "model/transforms.h"
#include "model/type_data.h"

namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr float kOffWallDepth = 4.0f;  // world units, for a component not standing in a wall

bool Stretches(int32_t subtype) { return subtype == 95 || subtype == 96 || subtype == 97; }

void CopyMaterials(const Objex* from, Objex* to) {
    to->texture = from->texture;
    to->texture2 = from->texture2, to->texture3 = from->texture3;
    to->texture4 = from->texture4, to->texture5 = from->texture5;
    to->fillColor = from->fillColor, to->penColor = from->penColor;
    to->color2 = from->color2, to->color3 = from->color3, to->color4 = from->color4, to->color5 = from->color5;
    std::copy(std::begin(from->textureScales), std::end(from->textureScales), std::begin(to->textureScales));
    const Poinz* p = from->firstPoint;
    for (Poinz* q = to->firstPoint; p && q; p = p->next, q = q->next) {
        q->texture1 = p->texture1, q->texture2 = p->texture2;
        q->color1 = p->color1, q->color2 = p->color2;
        q->faceScale1 = p->faceScale1, q->faceScale2 = p->faceScale2;
    }
}

// record size / symbol extent; 1 when they agree or the symbol is flat along the axis.
float Stretch(float size, float extent) { return extent == 0 || extent == size ? 1.0f : size / extent; }

// Scaled by (sx, sz), then turned by r in the plan's sense (an offset at angle t goes to t + r).
void Move(float& h, float& d, float sx, float sz, float r) {
    h *= sx, d *= sz;
    if (r == 0) return;
    const float c = std::cos(r), s = std::sin(r);
    const float h2 = h * c + d * s;
    d = -h * s + d * c;
    h = h2;
}

}  // namespace

void FitComponentParts(Objex* component, Objex* oldParts) {
    if (!component) return DeleteObjectList(oldParts);
    const AttachmentRecord* record = component->typeData.attachment;
    const DocState* ds = CurrentDocState();

    // Every new part counts toward the box, however many old parts there were.
    float lowH = 30000, highH = -30000, lowD = 30000, highD = -30000;
    const Objex* old = oldParts;
    for (Objex* part = component->firstPart; part; part = part->next) {
        if (old) CopyMaterials(old, part), old = old->next;
        for (const Poinz* p = part->firstPoint; p; p = p->next) {
            lowH = std::min(lowH, p->position[0]), highH = std::max(highH, p->position[0]);
            lowD = std::min(lowD, p->position[2]), highD = std::max(highD, p->position[2]);
        }
    }
    const Objex* parent = component->parent;
    if (parent && record && ds && lowH <= highH) {
        const float pivotH = (lowH + highH) / 2, pivotD = lowD;
        const float depth = parent->type == objtype::kWall ? parent->penWidth : kOffWallDepth;
        const float half = ConvertWorldToScreen(depth, ds, 0) * 0.5f + 0.1f;
        float targetH = 0, targetD = 0, rotation = 0;
        if (record->segmentStart && record->segmentEnd) {
            const Poinz* s = record->segmentStart;
            const Poinz* e = record->segmentEnd;
            float length = 0, dh = 0, dd = 0;
            const float a = GetLineLengthAndAngle(s->position[0], s->position[2], e->position[0], e->position[2], &length);
            GetPointFromLengthAndAngle(a, record->centreDistance, &dh, &dd);
            const float normal = record->sideFlag ? a + kPi / 2 : a - kPi / 2;
            float nh = 0, nd = 0;
            GetPointFromLengthAndAngle(normal, half, &nh, &nd);
            targetH = s->position[0] + dh + nh;
            targetD = s->position[2] + dd + nd;
            rotation = normal + kPi / 2;
        }
        const bool stretch = Stretches(component->subtype);
        const float sx = stretch ? Stretch(record->width, highH - lowH) : 1.0f;
        const float sz = stretch ? Stretch(record->height, highD - lowD) : 1.0f;
        // Dropped by the sill alone: the scene raises the parts by their host's base.
        const float drop = record->elevation;
        for (Objex* part = component->firstPart; part; part = part->next) {
            for (Poinz* p = part->firstPoint; p; p = p->next) {
                Move(p->inTangent[0], p->inTangent[2], sx, sz, rotation);
                Move(p->outTangent[0], p->outTangent[2], sx, sz, rotation);
                float h = p->position[0] - pivotH, d = p->position[2] - pivotD;
                Move(h, d, sx, sz, rotation);
                p->position[0] = pivotH + h + targetH;
                p->position[2] = pivotD + d + targetD;
                p->position[1] -= drop;
            }
            SetTextureFaceUV(part);
            SetObjectPointLengths(part);
            StorePieceBounds(part);
        }
    }
    DeleteObjectList(oldParts);
}

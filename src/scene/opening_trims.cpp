#include "scene/opening_trims.h"

#include <cmath>
#include <functional>
#include <memory>
#include <new>
#include <vector>

#include "files/custom_definitions.h"
#include "model/borrowed_settings.h"
#include "model/bounds.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/duplicate.h"
#include "model/lines.h"
#include "model/objects.h"
#include "model/parallel.h"
#include "model/projection.h"
#include "model/transforms.h"
#include "model/type_data.h"
#include "model/areas.h"
#include "scene/plane_object.h"

namespace {

constexpr RGBColor kNoColour{0xFFFF, 0xFFFF, 0xFFFF};

// Where a face's material comes from: the record's fields, written back by materials
// dropped in 3D.
struct TrimMaterial {
    int32_t* texture;
    int16_t* scale;
    RGBColor* color;
};

TrimMaterial InsideMaterial(AttachmentRecord* r) {
    return {&r->insideTrimTexture, r->insideTrimScale, &r->insideTrimColor};
}
TrimMaterial OutsideMaterial(AttachmentRecord* r) {
    return {&r->outsideTrimTexture, r->outsideTrimScale, &r->outsideTrimColor};
}

void SetFace(PlaneObject* p, bool front, const TrimMaterial& m) {
    (front ? p->frontTexture : p->backTexture) = *m.texture;
    uint16_t* size = front ? p->frontTextureSize : p->backTextureSize;
    size[0] = static_cast<uint16_t>(m.scale[0]);
    size[1] = static_cast<uint16_t>(m.scale[1]);
    (front ? p->frontColor : p->backColor) = *m.color;
    (front ? p->frontTextureField : p->backTextureField) = m.texture;
    (front ? p->frontScaleField : p->backScaleField) = m.scale;
    (front ? p->frontColorField : p->backColorField) = m.color;
}

void SetPlain(PlaneObject* p) {
    p->frontTexture = p->backTexture = openingtrim::kPlainTexture;
    p->frontColor = p->backColor = kNoColour;
    p->frontTextureSize[0] = p->frontTextureSize[1] = 100;
    p->backTextureSize[0] = p->backTextureSize[1] = 100;
}

bool IsCustomStyle(int16_t style) {
    return style == customdef::kDoorStyle || style == customdef::kWindowStyle;
}

std::vector<Poinz*> PointsOf(const Objex* o) {
    std::vector<Poinz*> points;
    for (Poinz* p = o->firstPoint; p; p = p->next) points.push_back(p);
    return points;
}

// Where the planes land: turned by `angle` about the origin, then moved to (h, d).
struct Frame {
    float angle, h, d;
    void place(float* x, float* z) const {
        Rotate(x, z, 0.0f, 0.0f, angle);
        *x += h;
        *z += d;
    }
};

// A plane of the four corners as a piece of its own under the rendered object; false when
// memory ran out (nothing of it kept).
bool AppendTrimPlane(const float corners[4][3], AttachmentRecord* record, uint16_t kind,
                     const std::function<void(PlaneObject*)>& material) {
    PlaneVertex* v = nullptr;
    int32_t bytes = 0;
    for (int i = 0; i < 4; ++i)
        if (!StorePolyPoint(&v, corners[i][0], corners[i][1], corners[i][2], &bytes, 0, 0, 0))
            return false;
    PlaneObject* piece = CreatePlaneObject();
    if (!piece) {
        DeletePlanarPolygon(v);
        return false;
    }
    AppendPlaneThroughFirstThree(v, 4, piece);
    if (!piece->planes) {
        DeletePlaneObject(piece);
        return false;
    }
    piece->pieceKind = kind;
    material(piece);
    // The face being carved speaks for its owner; picks go to the opening.
    Objex* owner = gCurPlaneObject && gCurPlaneObject->sourceObject
                       ? gCurPlaneObject->sourceObject
                       : gBase2DObject;
    if (!owner || !CurrentDocState()) {
        DeletePlaneObject(piece);
        return false;
    }
    // Linings and casings stand on the segment that carries the opening, as its masks do, so
    // an upper floor's openings are trimmed on that floor.
    if (const Poinz* s = record ? record->segmentStart : nullptr) piece->elevationOverride = s->baseElevation;
    AppendPlaneObject(piece, owner);
    Objex* pick = GetAttachmentObjectHdl(record);
    piece->object3D = pick;
    piece->object3DType = pick ? static_cast<uint16_t>(pick->type) : 0;
    return true;
}

// The lining of one flattened outline; false when memory ran out.
bool LineOutline(const Objex* outline, AttachmentRecord* record, const Frame& at, float t,
                 float yOff, float sx, float sy, const TrimMaterial& m) {
    const std::vector<Poinz*> points = PointsOf(outline);
    const size_t n = points.size();
    const size_t edges = outline->closed ? n : n - 1;
    for (size_t i = 0; i < edges; ++i) {
        const float* p = points[i]->position;
        const float* q = points[(i + 1) % n]->position;
        float c[4][3] = {{sx * p[0], sy * p[1] - yOff, t},
                         {sx * q[0], sy * q[1] - yOff, t},
                         {sx * q[0], sy * q[1] - yOff, -t},
                         {sx * p[0], sy * p[1] - yOff, -t}};
        for (auto& corner : c) at.place(&corner[0], &corner[2]);
        if (!AppendTrimPlane(c, record, openingtrim::kLining, [&m](PlaneObject* piece) {
                SetFace(piece, true, m);
                SetFace(piece, false, m);
            }))
            return false;
    }
    return true;
}

// Takes every coordinate triple of the outline's points from (h, v, d) to (h, 0, v).
void LayFlat(Objex* outline) {
    for (Poinz* p = outline->firstPoint; p; p = p->next)
        for (float* t : {p->inTangent, p->position, p->outTangent, p->acrossTangent}) {
            t[2] = t[1];
            t[1] = 0.0f;
        }
}

} // namespace

void BuildInnerTrimPlanes(AttachmentRecord* record, float angle, float elevationOffset,
                          int16_t custom) {
    DocState* ds = CurrentDocState();
    if (!record || !ds || !gCurDocument || !gBase2DObject) return;
    const Poinz* s = record->segmentStart;
    if (!s || !record->segmentEnd || !s->owner) return;

    float dh = 0, dd = 0;
    GetPointFromLengthAndAngle(angle, record->centreDistance, &dh, &dd);
    const Frame at{angle, s->position[0] + dh, s->position[2] + dd};
    const float t = ConvertWorldToScreen(s->owner->penWidth / 2.0f, ds, 0);
    const float yOff = elevationOffset + record->elevation;
    float sx = 1.0f, sy = 1.0f;
    if (custom) {
        float width = 0, height = 0;
        GetCustomAttachmentWidthAndHeight(record, &width, &height);
        sx = SizeFactor(record->width, width);
        sy = SizeFactor(record->height, height);
    }
    const bool outside =
        record->outsideCustomTrim && record->outsideTrimProfile && !record->insideCustomTrim;
    const TrimMaterial m = outside ? OutsideMaterial(record) : InsideMaterial(record);

    BorrowedSettings settings(ds);
    for (Objex* mask = record->customParts[0]; mask; mask = mask->next) {
        if (PointsOf(mask).size() < 2) continue;
        Objex* copy = DuplicateObject(mask, nullptr, nullptr, nullptr, 0, dupmode::kDuplicate);
        if (!copy) return;
        settings.convertCurves(copy, ds->detailValueA);
        const bool made = PointsOf(copy).size() < 2 || LineOutline(copy, record, at, t, yOff, sx, sy, m);
        DeleteObj(copy);
        if (!made) return;
    }
}

void BuildCustomTrimPlanes(AttachmentRecord* record, Objex* mask, const Float3DPoint* profile,
                           int32_t count, float angle, float originH, float originV,
                           float originD, float halfThickness, float elevationOffset,
                           int16_t backFace) {
    if (!mask || !profile || count < 3 || PointsOf(mask).size() < 2) return;
    Objex* outline = DuplicateObject(mask, nullptr, nullptr, nullptr, 0, dupmode::kDuplicate);
    if (!outline) return;
    LayFlat(outline);
    std::unique_ptr<float[]> depths(new (std::nothrow) float[static_cast<size_t>(count)]);
    Objex* chain = depths ? BuildTrimContours(count, profile, outline, depths.get()) : nullptr;
    if (!chain) {
        DeleteObj(outline);
        return;
    }
    BuildTrimPlanesFromContours(record, chain, outline, depths.get(), angle, originH, originV,
                                originD, halfThickness, elevationOffset, backFace);
    DeleteObjectList(chain); // ends with the outline
}

Objex* BuildTrimContours(int32_t count, const Float3DPoint* profile, Objex* outline,
                         float* depths) {
    if (count < 3 || !profile || !outline || !depths) return nullptr;
    std::unique_ptr<float[]> offsets(new (std::nothrow) float[static_cast<size_t>(count - 1)]);
    if (!offsets) return nullptr;
    for (int32_t i = 0; i + 1 < count; ++i) {
        offsets[i] = std::fabs(profile[i + 1].floatD - profile[0].floatD);
        depths[i] = std::fabs(profile[i + 1].floatH - profile[0].floatH);
    }
    depths[count - 1] = 0.0f;

    const int16_t side = IsObjectClockwise(outline) ? 7 : 8;
    Objex* first = nullptr;
    Objex* last = nullptr;
    for (int32_t i = 0; i + 1 < count; ++i) {
        Objex* contour = CreateParallelObject(outline, side, offsets[i], 0);
        if (!contour) {
            DeleteObjectList(first);
            return nullptr;
        }
        Float3DRect box = EmptyFloat3DRect();
        GetObject3DBounds(contour, 0, &box, 0);
        contour->bounds3D = box;
        contour->prev = last;
        (last ? last->next : first) = contour;
        last = contour;
    }
    last->next = outline;
    return first;
}

void BuildTrimPlanesFromContours(AttachmentRecord* record, Objex* firstContour, Objex* outline,
                                 const float* depths, float angle, float originH,
                                 float /*originV*/, float originD, float halfThickness,
                                 float elevationOffset, int16_t backFace) {
    if (!firstContour || !outline || !depths || !gBase2DObject || !CurrentDocState()) return;
    const Frame at{angle, originH, originD};
    const float side = backFace ? -1.0f : 1.0f;
    const uint16_t kind = backFace ? openingtrim::kBackCasing : openingtrim::kFrontCasing;
    auto material = [record](PlaneObject* piece) {
        if (!record) return SetPlain(piece);
        SetFace(piece, true, InsideMaterial(record));
        SetFace(piece, false, OutsideMaterial(record));
    };
    const bool wrap = outline->closed;
    int32_t i = 0;
    for (Objex* a = firstContour; a != outline && a->next; a = a->next, ++i) {
        const Objex* b = a->next;
        const float dA = depths[i], dB = depths[i + 1];
        for (Poinz *p = a->firstPoint, *q = b->firstPoint; p && q; p = p->next, q = q->next) {
            const Poinz* p2 = p->next ? p->next : wrap ? a->firstPoint : nullptr;
            const Poinz* q2 = q->next ? q->next : wrap ? b->firstPoint : nullptr;
            if (!p2 || !q2) break;
            float c[4][3] = {{p->position[0], p->position[2] - elevationOffset, dA},
                             {p2->position[0], p2->position[2] - elevationOffset, dA},
                             {q2->position[0], q2->position[2] - elevationOffset, dB},
                             {q->position[0], q->position[2] - elevationOffset, dB}};
            for (auto& corner : c) {
                corner[2] = side * (halfThickness + corner[2]);
                at.place(&corner[0], &corner[2]);
            }
            if (!AppendTrimPlane(c, record, kind, material)) return;
        }
    }
}

Objex* GetAttachmentObjectHdl(const AttachmentRecord* record) {
    if (!record) return gBase2DObject;
    if (IsCustomStyle(record->style)) {
        for (int list : {0, 2, 1, 3, 4, 5, 6}) {
            const Objex* first = record->customParts[list];
            if (first && first->parent) return first->parent;
        }
        return gBase2DObject;
    }
    const Objex* piece = record->generatedParts;
    return piece && piece->parent ? piece->parent : gBase2DObject;
}

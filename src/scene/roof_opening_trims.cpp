#include "scene/roof_opening_trims.h"

#include <vector>

#include "geometry/elements/roof_attachment_fit.h"
#include "model/deletion.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/parallel.h"
#include "model/projection.h"
#include "model/transform_support.h"
#include "model/type_data.h"
#include "model/areas.h"
#include "scene/plane_object.h"

namespace {

using xformsupport::RoofAttachmentOf;

constexpr RGBColor kNoColour{0xFFFF, 0xFFFF, 0xFFFF};
constexpr float kCurbRise = 12.0f;     // the curb's foot above the surface
constexpr float kTopTrimRise = 16.0f;  // the top of the curb's trim
constexpr float kUnderDrop = 2.0f;     // the lower trim's reach below the lower surface

// A face's material from the record, the fields kept so a dropped material lands there.
void SetFace(PlaneObject* p, bool front, int32_t* texture, int16_t* scale, RGBColor* colour) {
    (front ? p->frontTexture : p->backTexture) = *texture;
    (front ? p->frontTextureField : p->backTextureField) = texture;
    (front ? p->frontScaleField : p->backScaleField) = scale;
    // A zero-filled record has no scale yet: the texture shows at its own size.
    uint16_t* size = front ? p->frontTextureSize : p->backTextureSize;
    if (scale[0] > 0 && scale[1] > 0) {
        size[0] = static_cast<uint16_t>(scale[0]);
        size[1] = static_cast<uint16_t>(scale[1]);
    }
    (front ? p->frontColor : p->backColor) = colour ? *colour : kNoColour;
    (front ? p->frontColorField : p->backColorField) = colour;
}

void SetMaterial(PlaneObject* p, RoofAttachmentRecord* r, int16_t materialSide, uint8_t band) {
    if (r->ownerType == objtype::kRoofCutout) {
        for (bool front : {true, false}) SetFace(p, front, &r->texture2, r->textureScale2, nullptr);
        p->pieceKind = rooftrim::kCutoutBand;
        return;
    }
    const bool first = materialSide == 1;
    for (bool front : {true, false}) {
        if (first) SetFace(p, front, &r->texture1, r->textureScale1, &r->color1);
        else SetFace(p, front, &r->texture2, r->textureScale2, &r->color2);
    }
    if (band) p->pieceKind = first ? rooftrim::kTopBand : rooftrim::kBottomBand;
    else p->pieceKind = first ? rooftrim::kTopCap : rooftrim::kBottomCap;
}

// The section whose surface the attachment stands on, when its plane is known: a roof's
// piece of the record's subtype (the roof itself when none has it), a freehand roof's slab.
const Objex* SectionOf(Objex* attachment) {
    Objex* parent = attachment->parent;
    if (!parent) return nullptr;
    if (parent->type == objtype::kRoof) {
        Objex* piece = FindSkylightOwnerPanel(parent, attachment);
        return piece ? piece : parent;
    }
    if (parent->type == objtype::kFreehandRoof &&
        (parent->typeData.kind != TypeDataKind::RoofPanels || !parent->typeData.roofPanels))
        return nullptr;
    return parent;
}

struct SurfacePoint {
    float h, v, d;  // v: the surface at (h, d)
};

std::vector<SurfacePoint> OnSurface(const Objex* outline, const Objex* section) {
    std::vector<SurfacePoint> points;
    for (const Poinz* p = outline->firstPoint; p; p = p->next)
        points.push_back({p->position[0], SectionHeight(section, p->position[0], p->position[2]),
                          p->position[2]});
    return points;
}

// One plane through the corners, each `rise` above its own surface point.
void Quad(RoofAttachmentRecord* r, const SurfacePoint* (&at)[4], const float (&rise)[4],
          int16_t materialSide, uint8_t band) {
    PolygonVertex* v = nullptr;
    int32_t bytes = 0;
    for (int i = 0; i < 4; ++i)
        if (!StorePolyPoint(&v, at[i]->h, at[i]->v - rise[i], at[i]->d, &bytes, 0, 0, 0))
            return; // the array is gone: this plane is skipped
    CreateRoofAttachmentTrimPlane(r, v, 4, materialSide, band);
}

// Bands on the outline and on the contour `width` outside it, from `foot` to `head` above
// the surface, and caps at `head` between them.
void BuildCurb(Objex* skylight, Objex* outline, float foot, float head, int16_t materialSide) {
    RoofAttachmentRecord* r = RoofAttachmentOf(skylight);
    if (!r || !outline || !gCurPlaneObject || !CurrentDocState()) return;
    const Objex* section = SectionOf(skylight);
    if (!section) return;
    const std::vector<SurfacePoint> inner = OnSurface(outline, section);
    const size_t n = inner.size();
    if (n < 2) return;
    const int16_t side = IsObjectClockwise(outline) ? 7 : 8;
    Objex* grown = CreateParallelObject(outline, side, r->trimWidth, 0);
    if (!grown) return;
    const std::vector<SurfacePoint> outer = OnSurface(grown, section);
    DeleteObj(grown);
    // The caps pair the two outlines point by point.
    if (outer.size() != n) return;

    const float band[4] = {foot, foot, head, head};
    const float cap[4] = {head, head, head, head};
    for (const std::vector<SurfacePoint>* ring : {&inner, &outer})
        for (size_t i = 0; i < n; ++i) {
            const SurfacePoint* at[4] = {&(*ring)[i], &(*ring)[(i + 1) % n], &(*ring)[(i + 1) % n],
                                         &(*ring)[i]};
            Quad(r, at, band, materialSide, 1);
        }
    for (size_t i = 0; i < n; ++i) {
        const size_t j = (i + 1) % n;
        const SurfacePoint* at[4] = {&outer[i], &outer[j], &inner[j], &inner[i]};
        Quad(r, at, cap, materialSide, 0);
    }
}

} // namespace

PlaneObject* CreateRoofAttachmentTrimPlane(RoofAttachmentRecord* record, PolygonVertex* vertices,
                                           int32_t count, int16_t materialSide, uint8_t band) {
    if (!vertices) return nullptr;
    Objex* owner = gCurPlaneObject ? gCurPlaneObject->sourceObject : nullptr;
    PlaneObject* piece = record && count >= 1 && owner && gBase2DObject && CurrentDocState()
                             ? CreatePlaneObject()
                             : nullptr;
    if (!piece) {
        DeletePlanarPolygon(vertices);
        return nullptr;
    }
    AppendPlaneThroughFirstThree(vertices, static_cast<uint32_t>(count), piece);
    if (!piece->planes) {
        DeletePlaneObject(piece);
        return nullptr;
    }
    SetMaterial(piece, record, materialSide, band);
    AppendPlaneObject(piece, owner);
    Objex* pick = record->attachment ? record->attachment : gBase2DObject;
    piece->object3D = pick;
    piece->object3DType = static_cast<uint16_t>(pick->type);
    return piece;
}

void BuildTopSkylightTrimPlanes(Objex* skylight) {
    BuildCurb(skylight, skylight, kCurbRise, kTopTrimRise, 1);
}

void BuildBottomSkylightTrimPlanes(Objex* skylight) {
    BuildCurb(skylight, skylight, kCurbRise, -kUnderDrop, 0);
}

void BuildTopCustomSkylightTrimPlanes(Objex* skylight, Objex* outline) {
    BuildCurb(skylight, outline, kCurbRise, kTopTrimRise, 1);
}

void BuildBottomCustomSkylightTrimPlanes(Objex* skylight, Objex* outline) {
    BuildCurb(skylight, outline, kCurbRise, -kUnderDrop, 0);
}

void BuildDormerCutoutTrimPlanes(Objex* cutout) {
    RoofAttachmentRecord* r = cutout ? RoofAttachmentOf(cutout) : nullptr;
    if (!r || !gCurPlaneObject || !CurrentDocState()) return;
    const Objex* section = SectionOf(cutout);
    if (!section) return;
    const std::vector<SurfacePoint> ring = OnSurface(cutout, section);
    const size_t n = ring.size();
    if (n < 2) return;
    const float rise[4] = {0, 0, kCurbRise, kCurbRise};
    for (size_t i = 0; i < n; ++i) {
        const SurfacePoint* at[4] = {&ring[i], &ring[(i + 1) % n], &ring[(i + 1) % n], &ring[i]};
        Quad(r, at, rise, 0, 1);
    }
}

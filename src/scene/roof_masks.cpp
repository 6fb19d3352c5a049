#include "scene/roof_masks.h"

#include "files/custom_definitions.h"
#include "scene/roof_opening_trims.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/planar_polygons.h"
#include "scene/tessellation.h"

namespace {

// How far the upper face of a panel lies above its lower face.
constexpr float kUpperFaceRise = 12.0f;

RoofAttachmentRecord* RecordOf(Objex* o) {
    return o->typeData.kind == TypeDataKind::RoofAttachment ? o->typeData.roofAttachment : nullptr;
}

void CarveSkylight(Objex* skylight, RoofAttachmentRecord* record, Plane* face, int16_t mode) {
    if (record->style != customdef::kSkylightStyle) {
        CarveRoofAttachment(skylight, face, mode, objtype::kSkylight);
        (mode == 1 ? BuildTopSkylightTrimPlanes : BuildBottomSkylightTrimPlanes)(skylight);
        return;
    }
    // The outline pieces built where the skylight stands, not those of its definition.
    for (Objex* part = record->customParts; part; part = part->next) {
        if (part->type != objtype::kOpeningMask) continue;
        CarveRoofAttachment(part, face, mode, objtype::kSkylight);
        (mode == 1 ? BuildTopCustomSkylightTrimPlanes
                   : BuildBottomCustomSkylightTrimPlanes)(skylight, part);
    }
}

void CarveCutout(Objex* cutout, Plane* face, int16_t mode) {
    CarveRoofAttachment(cutout, face, mode, objtype::kRoofCutout);
    if (mode == 0) BuildDormerCutoutTrimPlanes(cutout);
}

} // namespace

void CarveRoofAttachment(Objex* attachment, Plane* face, int16_t mode, int16_t pieceKind) {
    if (!attachment || !face || !CurrentDocState()) return;
    PlaneObject* mask = CreatePlaneObject();
    if (!mask) return;
    mask->elevationOverride = attachment->elevation;
    PlaneVertex* v = nullptr;
    int32_t bytes = 0, count = 0;
    for (const Poinz* p = attachment->firstPoint; p && count < attachment->pointCount;
         p = p->next, ++count) {
        const float y = p->position[1] - (mode == 1 ? kUpperFaceRise : 0.0f);
        if (!StorePolyPoint(&v, p->position[0], y, p->position[2], &bytes, 0, 1.0f, 1.0f)) break;
    }
    if (!v || count < 3) {
        DeletePlanarPolygon(v);
        DeletePlaneObject(mask);
        return;
    }
    AppendPlane(v, static_cast<uint32_t>(count), face->nx, face->ny, face->nz, mask);
    mask->sourceObject = mask->baseObject = mask->object3D = gBase2DObject;
    mask->pieceKind = static_cast<uint16_t>(pieceKind);
    R3DTriangulatePlaneObject(mask);
    // Nothing would ever draw or free a mask that no face holds.
    if (!gCurPlaneObject || !mask->planes) {
        DeletePlaneObject(mask);
        return;
    }
    AppendPlaneObjectChild(mask, gCurPlaneObject);
}

void CarveAllRoofPanelAttachments(Objex* panel, Plane* face, int16_t mode) {
    if (!panel || !face) return;
    for (Objex* child = panel->firstChild; child; child = child->next) {
        if (child->type == objtype::kSkylight) {
            if (RoofAttachmentRecord* record = RecordOf(child))
                CarveSkylight(child, record, face, mode);
        } else if (child->type == objtype::kRoofCutout) {
            CarveCutout(child, face, mode);
        }
    }
}

void CarveAllRoofAttachments(Objex* roof, Plane* face, int32_t sectionSubtype, int16_t mode) {
    if (!roof || !face) return;
    for (Objex* child = roof->firstChild; child; child = child->next) {
        RoofAttachmentRecord* record = RecordOf(child);
        if (!record || record->sectionSubtype != sectionSubtype) continue;
        if (child->type == objtype::kSkylight)
            CarveSkylight(child, record, face, mode);
        else if (child->type == objtype::kRoofCutout)
            CarveCutout(child, face, mode);
    }
}

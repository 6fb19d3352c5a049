#include "geometry/elements/roof_attachment_fit.h"

#include <cmath>
#include <numbers>
#include <vector>

#include "model/bounds.h"
#include "model/deletion.h"
#include "model/document_model.h"
#include "model/docstate.h"
#include "model/lines.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/projection.h"
#include "model/skylight_bounds.h"
#include "model/texture_mapping.h"
#include "model/transform_support.h"
#include "model/transforms.h"

namespace {

namespace section = objfield::roof_section;
using xformsupport::RoofAttachmentOf;

constexpr float kDegrees = std::numbers::pi_v<float> / 180.0f;
constexpr float kFrameRise = 6.0f;
constexpr float kUpperFillerRise = 16.0f;
constexpr float kLowerFillerDrop = 2.0f;

void Size(uint8_t useRecord, const RoofAttachmentRecord* record, float* width, float* length) {
    if (useRecord && record) {
        *width = record->width, *length = record->length;
        return;
    }
    const DocState* ds = CurrentDocState();
    *width = ds ? ConvertWorldToScreen(ds->skylightWidth, ds, 0) : 0;
    *length = ds ? ConvertWorldToScreen(ds->skylightLength, ds, 0) : 0;
}

int Round(float cx, float cz, Float3DPoint* points, float radius, int count, float firstDegrees, float stepDegrees) {
    for (int k = 0; k < count; ++k) {
        float dx = 0, dz = 0;
        GetPointFromLengthAndAngle((firstDegrees + stepDegrees * k) * kDegrees, radius, &dx, &dz);
        points[k] = Float3DPoint{cx + dx, 0, cz + dz};
    }
    return count;
}

// The object whose plane fields describe the section: a freehand roof's generated slab.
const Objex* PlaneHolder(const Objex* sectionObject) {
    if (!sectionObject || sectionObject->type != objtype::kFreehandRoof) return sectionObject;
    return sectionObject->typeData.kind == TypeDataKind::RoofPanels ? sectionObject->typeData.roofPanels : nullptr;
}

Objex* Pieces(Objex* roof) {
    return roof && roof->typeData.kind == TypeDataKind::RoofPanels ? roof->typeData.roofPanels : nullptr;
}

std::vector<port::RegionPoint> Trace(const Objex* o) {
    std::vector<port::RegionPoint> out;
    for (const Poinz* p = o->firstPoint; p; p = p->next) out.push_back({p->position[0], p->position[2]});
    return out;
}

bool Inside(const port::Region& attachment, const port::Region& sectionRegion) {
    return port::EqualRgn(port::UnionRgn(sectionRegion, attachment), sectionRegion);
}

// Whether the section takes the region wholly, and, for a skylight, without meeting the
// roof's other skylights.
bool Takes(Objex* roof, Objex* sectionObject, const port::Region& region, bool skylight, uint8_t skipSelf,
           uint32_t selfID) {
    const std::optional<port::Region> own = CreateObjectAppleRegion(sectionObject);
    if (!own || !Inside(region, *own)) return false;
    return !skylight || !SkylightOverlapsWithOthers(roof, region, skipSelf, selfID);
}

// The owner search of both skylight tools.
Objex* FindRoofTaking(const port::Region& region, Objex** sectionOut) {
    if (sectionOut) *sectionOut = nullptr;
    if (!gCurDocument || !CurrentDocState() || !gCurDocument->itsCurLayer) return nullptr;
    Objex* roof = nullptr;
    for (Objex* o = gCurDocument->itsCurLayer->firstObject; o; o = o->next) {
        if (o->type == objtype::kRoof) {
            for (Objex* piece = Pieces(o); piece; piece = piece->next)
                if (piece->type == objtype::kRoofPanel && Takes(o, piece, region, true, 0, 0)) {
                    roof = o;
                    if (sectionOut) *sectionOut = piece;
                }
        } else if (o->type == objtype::kFreehandRoof && Takes(o, o, region, true, 0, 0)) {
            roof = o;
            if (sectionOut) *sectionOut = o;
        }
    }
    return roof;
}

}  // namespace

int DeriveRectangularSkylightPoints(float cx, float cz, Float3DPoint* points, uint8_t useRecord,
                                    const RoofAttachmentRecord* record) {
    if (!points) return 0;
    float w = 0, l = 0;
    Size(useRecord, record, &w, &l);
    points[0] = {cx - w / 2, 0, cz - l / 2};
    points[1] = {cx + w / 2, 0, cz - l / 2};
    points[2] = {cx + w / 2, 0, cz + l / 2};
    points[3] = {cx - w / 2, 0, cz + l / 2};
    return kRectangularSkylightPoints;
}

int DeriveOctagonSkylightPoints(float cx, float cz, Float3DPoint* points, uint8_t useRecord,
                                const RoofAttachmentRecord* record) {
    if (!points) return 0;
    float w = 0, l = 0;
    Size(useRecord, record, &w, &l);
    return Round(cx, cz, points, w / 2, kOctagonSkylightPoints, 45.0f, 45.0f);
}

int DeriveEllipticalSkylightPoints(float cx, float cz, Float3DPoint* points, uint8_t useRecord,
                                   const RoofAttachmentRecord* record) {
    if (!points) return 0;
    float w = 0, l = 0;
    Size(useRecord, record, &w, &l);
    return Round(cx, cz, points, w / 2, kEllipticalSkylightPoints, 180.0f, -10.0f);
}

float SectionHeight(const Objex* sectionObject, float x, float z) {
    const Objex* holder = PlaneHolder(sectionObject);
    if (!holder) return 0;
    return ComputePointOnPlane(x, z, section::kA(*holder), section::kB(*holder), section::kC(*holder),
                               section::kD(*holder)) -
           section::kOffset(*holder);
}

Objex* FindSkylightOwnerPanel(Objex* roof, Objex* attachment) {
    const RoofAttachmentRecord* record = RoofAttachmentOf(attachment);
    if (!roof || !record) return nullptr;
    if (roof->type == objtype::kFreehandRoof) return roof;
    if (roof->type != objtype::kRoof) return nullptr;
    for (Objex* piece = Pieces(roof); piece; piece = piece->next)
        if (piece->type == objtype::kRoofPanel && piece->subtype == record->sectionSubtype) return piece;
    return nullptr;
}

void CreateSkylightPoints(Objex* skylight, Objex* target, Float3DPoint* points, int count, float cx, float cz,
                          float angle) {
    if (!skylight || !target || !points || !CurrentDocState()) return;
    Objex* sectionObject = target->type == objtype::kRoof ? FindSkylightOwnerPanel(target, skylight) : target;
    if (!sectionObject) return;
    const float turn = (angle - 90.0f) * kDegrees;
    for (int k = 0; k < count; ++k) {
        Float3DPoint& p = points[k];
        if (turn != 0) Rotate(&p.floatH, &p.floatD, cx, cz, turn);
        p.floatV = SectionHeight(sectionObject, p.floatH, p.floatD);
        if (Poinz* made = CreatePoint(1, 0, 0, 0, 0, 0, p.floatH, p.floatV, p.floatD, 0, 0, 0, 0, 0, 0, skylight))
            AppendPointToObject(made, skylight);
    }
}

std::optional<port::Region> CreateObjectAppleRegion(const Objex* object) {
    if (!object || !object->firstPoint) return std::nullopt;
    return port::Region::FromOutline(Trace(object));
}

std::optional<port::Region> CreateSkylightAppleRegion(const Float3DPoint* points, int count) {
    if (!points || count <= 0) return std::nullopt;
    std::vector<port::RegionPoint> outline;
    for (int k = 0; k < count; ++k) outline.push_back({points[k].floatH, points[k].floatD});
    return port::Region::FromOutline(outline);
}

std::optional<port::Region> CreateCustomSkylightAppleRegion(const Objex* firstShape) {
    std::vector<std::vector<port::RegionPoint>> contours;
    for (const Objex* o = firstShape; o; o = o->next)
        if (o->type == objtype::kOpeningMask && o->firstPoint) contours.push_back(Trace(o));
    if (contours.empty()) return std::nullopt;
    return port::Region::FromContours(contours);
}

std::optional<port::Region> CreateRoofAttachmentRegion(Objex* attachment) {
    const RoofAttachmentRecord* record = RoofAttachmentOf(attachment);
    if (record && attachment->type == objtype::kSkylight && record->style == kCustomSkylightStyle)
        return CreateCustomSkylightAppleRegion(record->customParts);
    return CreateObjectAppleRegion(attachment);
}

bool SkylightOverlapsWithOthers(Objex* roof, const port::Region& region, uint8_t skipSelf, uint32_t selfID) {
    if (!roof) return false;
    for (Objex* child = roof->firstChild; child; child = child->next) {
        if (child->type != objtype::kSkylight || (skipSelf && child->objectID == selfID)) continue;
        const std::optional<port::Region> other = CreateRoofAttachmentRegion(child);
        if (other && !port::EmptyRgn(port::SectRgn(region, *other))) return true;
    }
    return false;
}

Objex* FindSkylightRoofPanel(const Float3DPoint* points, int count, Objex** sectionOut) {
    if (sectionOut) *sectionOut = nullptr;
    const std::optional<port::Region> region = CreateSkylightAppleRegion(points, count);
    return region ? FindRoofTaking(*region, sectionOut) : nullptr;
}

Objex* FindCustomSkylightRoofPanel(const Objex* firstShape, Objex** sectionOut) {
    if (sectionOut) *sectionOut = nullptr;
    const std::optional<port::Region> region = CreateCustomSkylightAppleRegion(firstShape);
    return region ? FindRoofTaking(*region, sectionOut) : nullptr;
}

int16_t DoesRoofAttachmentFitOnAny3DPanel(Objex* roof, Objex* attachment, Objex** sectionOut) {
    if (sectionOut) *sectionOut = nullptr;
    RoofAttachmentRecord* record = RoofAttachmentOf(attachment);
    if (!roof || !record || roof->type != objtype::kRoof || !CurrentDocState()) return 0;
    const std::optional<port::Region> region = CreateRoofAttachmentRegion(attachment);
    if (!region) return 0;
    const bool skylight = attachment->type == objtype::kSkylight;
    for (Objex* piece = Pieces(roof); piece; piece = piece->next) {
        if (piece->type != objtype::kRoofPanel || piece->subtype == record->sectionSubtype) continue;
        if (!Takes(roof, piece, *region, skylight, 1, attachment->objectID)) continue;
        record->sectionSubtype = piece->subtype;
        if (sectionOut) *sectionOut = piece;
        return 1;
    }
    return 0;
}

Objex* FindDormerRoofPanel(float x, float z, Objex** sectionOut) {
    if (sectionOut) *sectionOut = nullptr;
    if (!gCurDocument || !CurrentDocState() || !gCurDocument->itsCurLayer) return nullptr;
    Objex* roof = nullptr;
    auto hit = [&](Objex* sectionObject) {
        const std::optional<port::Region> r = CreateObjectAppleRegion(sectionObject);
        return r && port::PtInRgn(x, z, *r);
    };
    for (Objex* o = gCurDocument->itsCurLayer->firstObject; o; o = o->next) {
        if (o->type == objtype::kFreehandRoof && hit(o)) {
            roof = o;
            if (sectionOut) *sectionOut = o;
        } else if (o->type == objtype::kRoof) {
            for (Objex* piece = Pieces(o); piece; piece = piece->next)
                if (piece->type == objtype::kRoofPanel && hit(piece)) {
                    roof = o;
                    if (sectionOut) *sectionOut = piece;
                }
        }
    }
    return roof;
}

void CalculateDormerPointElevations(Objex* cutout, Objex* sectionObject) {
    if (!cutout || !sectionObject) return;
    for (Poinz* p = cutout->firstPoint; p; p = p->next)
        p->position[1] = SectionHeight(sectionObject, p->position[0], p->position[2]);
}

void FindCustomSkylightPointElevations(Objex* skylight, Objex* sectionObject) {
    const RoofAttachmentRecord* record = RoofAttachmentOf(skylight);
    if (!record || !sectionObject) return;
    auto at = [&](const Poinz* p) { return SectionHeight(sectionObject, p->position[0], p->position[2]); };
    for (Poinz* p = skylight->firstPoint; p; p = p->next) p->position[1] = at(p);
    for (Objex* symbol = record->customParts; symbol; symbol = symbol->next) {
        int32_t index = 0;
        int32_t count = 0;
        for (const Poinz* p = symbol->firstPoint; p; p = p->next) ++count;
        const int32_t half = count / 2;
        const float thickness = objfield::skylight_lens::kThickness(*symbol);
        for (Poinz* p = symbol->firstPoint; p; p = p->next, ++index) {
            switch (symbol->type) {
            case objtype::kOpeningMask: p->position[1] = at(p); break;
            case objtype::kWindowSeparator: p->position[1] = at(p) - kFrameRise; break;
            case objtype::kDoorHardware:
                p->position[1] = at(p) - kFrameRise + (index < half ? -0.5f : 0.5f) * thickness;
                break;
            case objtype::kFrameGroup:
                if (symbol->subtype == 1) p->position[1] = at(p) - kUpperFillerRise;
                else if (symbol->subtype == 0) p->position[1] = at(p) + kLowerFillerDrop;
                break;
            default: break;
            }
        }
    }
}

void SetRoofAttachmentOnSection(Objex* attachment, Objex* section) {
    RoofAttachmentRecord* record = RoofAttachmentOf(attachment);
    if (!record || !section) return;
    if (attachment->type == objtype::kRoofCutout) {
        CalculateDormerPointElevations(attachment, section);
        UpdateObjectBounds(attachment);
        return;
    }
    FindCustomSkylightPointElevations(attachment, section);
    for (Objex* part = record->customParts; part; part = part->next) {
        if (part->type == objtype::kWindowSeparator || part->type == objtype::kDoorHardware) SetTextureFaceUV(part);
        // Fillers on the heights just set, as a read that makes them there maps them.
        else if (part->type == objtype::kFrameGroup) MapFacesAndLengths(part);
        UpdateObjectBounds(part);
    }
    if (record->style == kCustomSkylightStyle) GetCustomSkylightBounds(attachment, &attachment->bounds, &attachment->bounds3D);
    else UpdateObjectBounds(attachment);
}

namespace {

bool RoofHasPieces(const Objex* roof) {
    return roof->typeData.kind == TypeDataKind::RoofPanels && roof->typeData.roofPanels;
}

}  // namespace

int16_t UpdateRoofAttachment(Objex* attachment, Objex* roof) {
    RoofAttachmentRecord* record = RoofAttachmentOf(attachment);
    if (!record || !roof || !CurrentDocState() || !objtype::IsRoof(roof->type) || !RoofHasPieces(roof)) return 0;
    if (attachment->type != objtype::kSkylight && attachment->type != objtype::kRoofCutout) return 0;
    const bool skylight = attachment->type == objtype::kSkylight;
    Objex* section = FindSkylightOwnerPanel(roof, attachment);
    const std::optional<port::Region> own = CreateRoofAttachmentRegion(attachment);
    const std::optional<port::Region> sectionRegion = section ? CreateObjectAppleRegion(section) : std::nullopt;
    if (!own || (section && !sectionRegion)) return 0;
    const bool fits = sectionRegion && port::EqualRgn(port::UnionRgn(*sectionRegion, *own), *sectionRegion) &&
                      !(skylight && SkylightOverlapsWithOthers(roof, *own, 1, attachment->objectID));
    if (!fits) {
        Objex* other = nullptr;
        if (roof->type != objtype::kRoof || !DoesRoofAttachmentFitOnAny3DPanel(roof, attachment, &other)) {
            DeleteObj(attachment);
            return 1;
        }
        section = other;
    }
    SetRoofAttachmentOnSection(attachment, section);
    return 0;
}

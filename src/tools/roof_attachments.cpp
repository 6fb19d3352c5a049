#include "tools/roof_attachments.h"

#include "app/core/localization_seams.h"
#include "files/custom_definitions.h"
#include "geometry/elements/roof_attachment_fit.h"
#include "geometry/elements/skylight_symbols.h"
#include "model/bounds.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/selection_ops.h"
#include "model/texture_mapping.h"
#include "model/transform_support.h"
#include "plan/refresh_seams.h"
#include "port/alerts.h"
#include "scene/scene_build.h"
#include "tools/attachment_defaults.h"
#include "tracking/outline_tracker.h"
#include "tracking/tracking_state.h"

namespace {

using xformsupport::RoofAttachmentOf;

constexpr int32_t kSkylightTexture = 2218;
constexpr int16_t kFullScale = 100;
constexpr int32_t kRoofingPlan = 16;
constexpr int kTextureSlot1 = 4;  // `textureScales` holds slots 2, 3, 4, 5, 1
constexpr RGBColor kNoColor{0xFFFF, 0xFFFF, 0xFFFF};

void Sheet(const char* title, const char* message) {
    port::Alert alert;
    alert.message = LocalizedString(title);
    alert.informative = LocalizedString(message);
    alert.buttons = {LocalizedString("OK")};
    port::alerts().beginSheet(alert, [](int) {});
}

void RefuseSkylight() {
    Sheet("Unable to place skylight on the roof.",
          "Please make sure the skylight fits completely on the roof section and does not overlap other skylights.");
}

// The section subtype a record keeps: the piece's on a 14 roof, 0 on a panel.
int32_t SubtypeOn(const Objex* roof, const Objex* section) {
    return roof && section && roof->type == objtype::kRoof ? section->subtype : 0;
}

// A new skylight with its record, not yet linked anywhere; null (nothing left) on failure.
Objex* NewSkylight(Layer* layer, const DocState* ds, Objex* roof, Objex* section) {
    const RGBColor fill = ds->skylightColor, pen = kNoColor;
    Objex* skylight = CreateObject(objtype::kSkylight, 1, 1, &fill, &pen, 1.0f, 0, 0, nullptr, nullptr, nullptr, roof,
                                   layer, TypeData{});
    if (!skylight) return nullptr;
    RoofAttachmentRecord* record = NewSkylightRecord(skylight, SubtypeOn(roof, section));
    if (!record) {
        DeleteObj(skylight);
        return nullptr;
    }
    skylight->typeData = TypeData::OfRoofAttachment(record);
    skylight->planBits = kRoofingPlan;
    skylight->texture = kSkylightTexture;
    skylight->textureScales[kTextureSlot1] = ShortPoint{kFullScale, kFullScale};
    skylight->color2 = fill;
    skylight->parent = roof;
    return skylight;
}

int DeriveByStyle(int16_t style, float cx, float cz, Float3DPoint* points, uint8_t useRecord,
                  const RoofAttachmentRecord* record) {
    switch (style) {
    case kRectangularSkylightStyle: return DeriveRectangularSkylightPoints(cx, cz, points, useRecord, record);
    case kOctagonSkylightStyle: return DeriveOctagonSkylightPoints(cx, cz, points, useRecord, record);
    case kEllipticalSkylightStyle: return DeriveEllipticalSkylightPoints(cx, cz, points, useRecord, record);
    default: return 0;
    }
}

bool OnCurrentLayer(const Objex* roof) {
    if (!gCurDocument || !gCurDocument->itsCurLayer) return false;
    for (const Objex* o = gCurDocument->itsCurLayer->firstObject; o; o = o->next)
        if (o == roof) return true;
    return false;
}

// The tracker's 3D rebuild flag is off for each call and back however the call ends.
class Without3DObjects {
public:
    Without3DObjects() : saved_(g3DObjects) { g3DObjects = 0; }
    ~Without3DObjects() { g3DObjects = saved_; }
    Without3DObjects(const Without3DObjects&) = delete;
    Without3DObjects& operator=(const Without3DObjects&) = delete;

private:
    uint8_t saved_;
};

// The polygon drawn on the section becomes a cut-out of the roof, or goes.
void KeepCutout(Objex* polygon, Objex* roof, Objex* section) {
    Without3DObjects off;
    if (!polygon || !gCurDocument || !CurrentDocState()) return;
    polygon->type = objtype::kRoofCutout;
    const std::optional<port::Region> own = OnCurrentLayer(roof) ? CreateObjectAppleRegion(section) : std::nullopt;
    const std::optional<port::Region> drawn = CreateObjectAppleRegion(polygon);
    if (own && drawn && port::EqualRgn(port::UnionRgn(*own, *drawn), *own)) {
        RoofAttachmentRecord* record = NewDormerCutoutRecord(polygon, SubtypeOn(roof, section));
        if (!record) {
            DeleteObj(polygon);
            return;
        }
        UnlinkObject(polygon);
        polygon->typeData = TypeData::OfRoofAttachment(record);
        CalculateDormerPointElevations(polygon, section);
        UpdateObjectBounds(polygon);
        MapFacesAndLengths(polygon);  // on the roof's slope, as a read maps it
        AppendChildToObject(polygon, roof);
        ReRenderObject(roof);
        return;
    }
    Sheet("Unable to place dormer cutout on the roof.",
          "Please make sure the dormer cutout fits completely on the roof section.");
    DeleteObj(polygon);
    Refresh();
}

}  // namespace

void TrackSkylight(float h, float, float d, int16_t stage) {
    const DocState* ds = CurrentDocState();
    if (stage != 3 || !gCurDocument || !ds || !gCurDocument->itsLayers || !gCurDocument->itsCurLayer) return;
    Float3DPoint points[kEllipticalSkylightPoints];
    const int count = DeriveByStyle(ds->skylightStyle, h, d, points, 0, nullptr);
    Objex* section = nullptr;
    Objex* roof = FindSkylightRoofPanel(points, count, &section);
    if (!roof || !section) {
        RefuseSkylight();
        return;
    }
    Objex* skylight = NewSkylight(gCurDocument->itsCurLayer, ds, roof, section);
    if (!skylight) return;
    CreateSkylightPoints(skylight, section, points, count, h, d, 90.0f);
    UpdateObjectBounds(skylight);
    CreateSkylightFillerPlane(skylight, 1);
    CreateSkylightFillerPlane(skylight, 0);
    AppendChildToObject(skylight, roof);
    ReRenderObject(roof);
    Refresh();
}

void TrackCustomSkylight(float h, float, float d, int16_t stage) {
    const DocState* ds = CurrentDocState();
    if (stage != 3 || !gCurDocument || !ds || !gCurDocument->itsLayers || !gCurDocument->itsCurLayer) return;
    Objex* skylight = NewSkylight(gCurDocument->itsCurLayer, ds, nullptr, nullptr);
    if (!skylight) return;
    RoofAttachmentRecord* record = RoofAttachmentOf(skylight);
    record->style = kCustomSkylightStyle;
    ReadCustomSkylightFile(skylight);
    CreateCustomSkylightSymbols(skylight, h, d, 90.0f);
    if (!record->customParts) {
        DeleteObj(skylight);
        return;
    }
    Objex* section = nullptr;
    Objex* roof = FindCustomSkylightRoofPanel(record->customParts, &section);
    if (!roof || !section) {
        RefuseSkylight();
        DeleteObj(skylight);
        return;
    }
    GetCustomSkylightBounds(skylight, &skylight->bounds, &skylight->bounds3D);
    CreateCustomSkylightBoundsPoints(skylight, &skylight->bounds3D);
    record->sectionSubtype = SubtypeOn(roof, section);
    // Set on its section as every refit sets it, so a rebuild or a read shows it the same.
    SetRoofAttachmentOnSection(skylight, section);
    skylight->parent = roof;
    AppendChildToObject(skylight, roof);
    ReRenderObject(roof);
    Refresh();
}

void TrackDormerCutout(int32_t x, int32_t y, float h, float v, float d, int16_t stage) {
    if (!gCurDocument || !CurrentDocState()) return;
    Without3DObjects off;
    Objex* section = nullptr;
    Objex* roof = FindDormerRoofPanel(h, d, &section);
    if (!roof || !section) {
        if (stage == 1)
            Sheet("Roof section not found.",
                  "To draw a dormer cutout, click on a roof section of sufficient size and then draw the cutout.");
        return;
    }
    TrackGnrlPoly(x, y, h, v, d, stage, 0, 1, 1, objtype::kRoofCutout,
                  [roof, section](Objex* polygon) { KeepCutout(polygon, roof, section); });
}

void UpdateAllRoofAttachments(Objex* roof) {
    if (!roof || !CurrentDocState()) return;
    int removed = 0;
    for (Objex* child = roof->firstChild, *next = nullptr; child; child = next) {
        next = child->next;
        if (child->type == objtype::kSkylight || child->type == objtype::kRoofCutout)
            removed += UpdateRoofAttachment(child, roof);
    }
    if (!removed) return;
    UpdateObjectRootBounds(roof, 0, 0);
    Sheet("One or more components have been removed.",
          "The roof was not large enough to accommodate all of its attachments.  One or more skylights and/or "
          "cutouts were removed.");
}

bool UpdateRoofAttachmentProperties(Objex* skylight, Objex* section, uint8_t keepDefinition) {
    RoofAttachmentRecord* record = RoofAttachmentOf(skylight);
    if (!record || !section || !gCurDocument || !CurrentDocState()) return true;
    const bool custom = record->style == kCustomSkylightStyle;
    if (custom && !keepDefinition) {
        // Its outline goes only once another can be made: a skylight never ends with none.
        if (!ReadCustomSkylightFile(skylight)) return false;
        float width = 0, height = 0;
        Float3DRect natural = EmptyFloat3DRect();
        GetCustomSkylightWHAndBounds(record, &width, &height, &natural);
        if (!(width > 0) || !(height > 0)) return false;
    }
    const Float3DRect& b = skylight->bounds3D;
    const float cx = (b.floatLeft + b.floatRight) / 2, cz = (b.floatBack + b.floatFront) / 2;
    DeleteObjectPoints(skylight);
    if (custom) {
        CreateCustomSkylightSymbols(skylight, cx, cz, record->angle);
        GetCustomSkylightBounds(skylight, &skylight->bounds, &skylight->bounds3D);
        CreateCustomSkylightBoundsPoints(skylight, &skylight->bounds3D);
        SetRoofAttachmentOnSection(skylight, section);
    } else {
        Float3DPoint points[kEllipticalSkylightPoints];
        const int count = DeriveByStyle(record->style, cx, cz, points, 1, record);
        DeleteCustomSkylightSymbols(record);
        CreateSkylightPoints(skylight, section, points, count, cx, cz, record->angle);
        UpdateObjectBounds(skylight);
        // The filler planes went with the symbols: a skylight keeps its two.
        if (count) CreateSkylightFillerPlane(skylight, 1), CreateSkylightFillerPlane(skylight, 0);
    }
    SelectObj(skylight, selmode::kSelect, 0);
    return true;
}

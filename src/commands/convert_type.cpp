// The conversion of shapes into building and site elements: the condition of each target,
// the steps every conversion shares, and the table of targets.
#include "commands/convert_type.h"

#include <cmath>
#include <cstring>

#include "app/core/localization_seams.h"
#include "files/undo.h"
#include "model/bounds.h"
#include "model/convert_internal.h"
#include "model/default_textures.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/objects.h"
#include "model/smoothing.h"
#include "model/texture_mapping.h"
#include "model/transforms.h"
#include "model/rebuild_table.h"
#include "plan/refresh_seams.h"
#include "files/custom_textures.h"
#include "model/material_table.h"
#include "ui/core/inspector_seams.h"

using convert_detail::kWhite;

namespace {

namespace cc = convertcmd;

constexpr int16_t kFullScale = 100;
constexpr int32_t kFloorPlanBits = 2;
constexpr int32_t kDeckPlanBits = 64;
constexpr int32_t kOvalSubtype = 2;
constexpr int32_t kCurvedStairSubtype = 801;
constexpr int32_t kStraightStairSubtype = 800;
constexpr int32_t kRailingPointFlags = 32;   // a post at every point
constexpr float kRoofSlopeDirection = 270.0f;
constexpr int32_t kOrnamentalFenceStyle = 704;
constexpr char kOrnamentalFenceTexture[] = "Custom Fences/Iron Ornamental/orna3.PTX";

const char* const kUndoNames[cc::kLast - cc::kFirst + 1] = {
    "Convert to Interior Wall",
    "Convert to Exterior Wall",
    "Convert to Staircase",
    "Convert to Railing",
    "Convert to Floor",
    "Convert to Floor Cutout",
    "Convert to Foundation Stiffener Beam",
    "Convert to Foundation Post-Tension Strand",
    "Convert to Foundation Slope",
    "Convert to Foundation Pier",
    "Convert to Switch Connector",
    "Convert to Freehand Roof",
    "Convert to HVAC Air Duct",
    "Convert to Deck with Railing",
    "Convert to Deck without Railing",
    "Convert to Deck Stairs",
    "Convert to Deck Railing",
    "Convert to Property Line",
    "Convert to Ground Fill Region",
    "Convert to Edging",
    "Convert to Pathway/Driveway",
    "Convert to Fence",
    "Convert to Retaining Wall",
    "Convert to Entire Lot",
    "Convert to Slope Lot Section",
    "Convert to Topography",
    "Convert to Topography Excavation",
    "Convert to Open Polygon",
    "Convert to Closed Polygon",
    "Convert to Deck Cutout",
};

// What the conditions look at, taken on entry.
struct Entry {
    int32_t points = 0;
    bool curves = false;
    bool closed = false;
    int32_t subtype = 0;
    int32_t optionA = 0;
};

bool TargetConditionHolds(int32_t command, const Entry& e) {
    switch (command) {
    case cc::kFloor:
    case cc::kFloorCutout:
    case cc::kFreehandRoof:
    case cc::kDeckWithRailing:
    case cc::kDeckWithoutRailing:
    case cc::kPropertyLine:
    case cc::kGroundFill:
    case cc::kDeckCutout:
    case cc::kExcavation:
        return e.points >= 3;
    case cc::kStiffenerBeam:
    case cc::kPostTensionStrand:
    case cc::kFoundationSlope:
    case cc::kAirDuct:
    case cc::kEntireLot:
    case cc::kSlopeLot:
        return e.points == 2 && !e.curves;
    case cc::kFoundationPier:
        return e.points == 4 && e.subtype == kOvalSubtype && e.closed && e.curves;
    case cc::kSwitchConnector:
    case cc::kPath:
        return !e.closed;
    case cc::kFence:
        return !e.curves;
    case cc::kOpenPolygon:
        return e.closed;
    default:
        return true;
    }
}

int32_t CountPoints(const Objex* o) {
    int32_t n = 0;
    for (const Poinz* p = o->firstPoint; p; p = p->next) ++n;
    return n;
}

void SetAllTextureScales(Objex* o) {
    for (ShortPoint& s : o->textureScales) s = ShortPoint{kFullScale, kFullScale};
}

// Slots 2 to 4 of the texture scales.
void SetUpperTextureScales(Objex* o) {
    for (int i = 0; i < 3; ++i) o->textureScales[i] = ShortPoint{kFullScale, kFullScale};
}

void SetPointTextures(Objex* o, int32_t texture) {
    for (Poinz* p = o->firstPoint; p; p = p->next) p->texture1 = p->texture2 = texture;
}

void SetPointColoursWhite(Objex* o) {
    for (Poinz* p = o->firstPoint; p; p = p->next) p->color1 = p->color2 = kWhite;
}

void RaisePoints(Objex* o, float dv) {
    for (Poinz* p = o->firstPoint; p; p = p->next) p->position[1] += dv;
}

void SetWhiteColours(Objex* o) {
    o->fillColor = kWhite;
    o->penColor = kWhite;
}

void FreeChildren(Objex* o) {
    for (Objex* child = o->firstChild; child;) {
        Objex* next = child->next;
        DeleteObj(child);
        child = next;
    }
    o->firstChild = nullptr;
}

// Rounded to whole units as the closing test does it; out-of-range values are clamped first
// so the conversion to an integer stays defined.
int32_t WholeUnits(float value) {
    double v = static_cast<double>(value) + 0.5;
    if (!(v > -2147483648.0)) v = -2147483648.0;  // also NaN
    if (v > 2147483647.0) v = 2147483647.0;
    return static_cast<int32_t>(v);
}

void DropCoincidentLastPoint(Objex* o) {
    Poinz* first = o->firstPoint;
    Poinz* last = first;
    while (last && last->next) last = last->next;
    if (!first || last == first) return;
    if (WholeUnits(first->position[0]) != WholeUnits(last->position[0]) ||
        WholeUnits(first->position[2]) != WholeUnits(last->position[2]))
        return;
    last->prev->next = nullptr;
    DeleteTrimRecord(last->trim1);
    DeleteTrimRecord(last->trim2);
    delete last;
    o->pointCount--;
}

void ConvertToStaircase(Objex* o, int32_t command, const Entry& e, const DocState* ds, const Layer* layer) {
    const bool deck = command == cc::kDeckStairs;
    PreserveConvertClosedToOpen(o);
    o->type = objtype::kStaircase;
    if (e.curves) {
        o->subtype = kCurvedStairSubtype;
        o->planBits = ds->currentPlanBit;
    } else {
        o->subtype = kStraightStairSubtype;
        o->planBits = deck ? kDeckPlanBits : kFloorPlanBits;
    }
    o->flagA = 1;
    SetWhiteColours(o);
    o->texture2 = 2206;
    o->texture3 = deck ? 2207 : 1700;
    o->color2 = o->color3 = kWhite;
    SetAllTextureScales(o);
    objfield::stair::kWidth(*o) = ds->stairSizeA;
    objfield::stair::kRiser(*o) = ds->stairSizeB;
    objfield::stair::kTread(*o) = ds->stairSizeC;
    objfield::stair::kSizeD(*o) = ds->stairSizeD;
    objfield::stair::kFloorHeight(*o) = layer->height;
    objfield::stair::kLeftRail(*o) = ds->stairLeftRail ? 1 : 0;
    objfield::stair::kRightRail(*o) = ds->stairRightRail ? 1 : 0;
    o->plantAge = 1.0f;
    for (Poinz* p = o->firstPoint; p; p = p->next) {
        if (!deck) p->segmentFlags = 0;
        p->texture1 = p->texture2 = 0;
        p->color1 = p->color2 = kWhite;
    }
    rebuild::Run(o, rebuild::kObjectAndTerrain);
    rebuild::ReRenderObject(o);
}

void ConvertToRailing(Objex* o, int32_t command, const Entry& e, const DocState* ds) {
    PreserveConvertClosedToOpen(o);
    o->type = objtype::kRailing;
    if (e.curves) {
        o->subtype = objsubtype::kCurvedRailing;
        o->planBits = ds->currentPlanBit;
    } else {
        o->subtype = objsubtype::kStraightRailing;
        o->planBits = command == cc::kDeckRailing ? kDeckPlanBits : kFloorPlanBits;
    }
    SetWhiteColours(o);
    o->texture2 = 2206;
    o->texture3 = 0;
    o->color2 = o->color3 = kWhite;
    SetAllTextureScales(o);
    objfield::railing::kHeight(*o) = ds->railHeight;
    objfield::railing::kValueB(*o) = ds->railValueB;
    objfield::railing::kFlagA(*o) = ds->railFlagA ? 1 : 0;
    objfield::railing::kFlagB(*o) = ds->railFlagB ? 1 : 0;
    for (Poinz* p = o->firstPoint; p; p = p->next) {
        p->segmentFlags = kRailingPointFlags;
        p->texture1 = p->texture2 = 0;
        p->color1 = p->color2 = kWhite;
    }
    rebuild::Run(o, rebuild::kObjectAndTerrain);
    rebuild::ReRenderObject(o);
}

void ConvertToFloor(Objex* o, int16_t type, const DocState* ds) {
    o->closed = 1;
    o->type = type;
    o->planBits = ds->currentPlanBit;
    SetWhiteColours(o);
    o->texture = 0;
    o->texture2 = gFlooringDefaultTexture;
    o->texture3 = 0;
    o->color2 = o->color3 = kWhite;
    SetAllTextureScales(o);
    objfield::floors::kThickness(*o) = ds->floorValue;
    SetTextureFaceUV(o);
    SetObjectPointLengths(o);
    for (Poinz* p = o->firstPoint; p; p = p->next) {
        p->texture1 = p->texture2 = gFlooringDefaultTexture;
        p->color1 = p->color2 = kWhite;
        p->faceScale1 = p->faceScale2 = ShortPoint{kFullScale, kFullScale};
        p->position[1] -= 1.0f;
    }
    rebuild::Run(o, rebuild::kObjectAndTerrain);
    rebuild::ReRenderObject(o);
}

void ConvertToFreehandRoof(Objex* o, const DocState* ds, Layer* layer) {
    o->closed = 1;
    ConvertObjectCurvesToPolygons(o);
    o->type = objtype::kFreehandRoof;
    o->planBits = ds->currentPlanBit;
    objfield::freehand_roof::kPitch(*o) = ds->roofPitch;
    o->elevation = GetLayerAbsBaseHeight(layer) + layer->height;
    o->elevationMode = 0;
    SetWhiteColours(o);
    o->texture = 0;
    o->texture2 = 1255;
    o->color2 = RGBColor{0xE290, 0xE290, 0xE290};
    o->texture3 = 0;
    o->color3 = RGBColor{0xDFDF, 0xCDCD, 0xB5B5};
    o->texture4 = 0;
    o->color4 = kWhite;
    SetUpperTextureScales(o);
    objfield::freehand_roof::kSlopeDirection(*o) = kRoofSlopeDirection;
    FreeChildren(o);
    SetTextureFaceUV(o);
    SetObjectPointLengths(o);
    rebuild::Run(o, rebuild::kObjectAndTerrain);
    Refresh();
    rebuild::ReRenderObject(o);
}

void ConvertToDeck(Objex* o, int32_t command, const DocState* ds) {
    o->closed = 1;
    o->type = objtype::kDeck;
    o->planBits = ds->currentPlanBit;
    SetWhiteColours(o);
    o->texture = 1301;
    o->texture2 = 2300;
    o->texture3 = 2210;
    o->color2 = o->color3 = kWhite;
    objfield::deck::kStepStyle(*o) = 1.0f;
    SetTextureFaceUV(o);
    SetObjectPointLengths(o);
    objfield::deck::kHeight(*o) = ds->deckHeight;
    objfield::deck::kBalusterSpacing(*o) = ds->balusterSpacing;
    int32_t flags = command == cc::kDeckWithRailing ? objfield::deck::kRailingEdge : 0;
    if (ds->deckSkirting) flags |= objfield::deck::kSkirtingEdge;
    const float top = -ConvertWorldToScreen(ds->deckHeight, ds, 0);
    for (Poinz* p = o->firstPoint; p; p = p->next) {
        p->texture1 = p->texture2 = 2300;
        p->position[1] = top;
        p->segmentFlags = flags;
        objfield::deck::kHandrailHeight(*p) = ds->deckRailHeight;
    }
    rebuild::Run(o, rebuild::kObjectAndTerrain);
    rebuild::ReRenderObject(o);
}

void ConvertToFence(Objex* o, const DocState* ds) {
    PreserveConvertClosedToOpen(o);
    o->type = objtype::kFence;
    o->planBits = ds->currentPlanBit;
    o->fillColor = o->penColor = ds->fenceColor;
    o->onTerrain = 1;
    o->texture = ds->fenceStyle;
    for (int i = 0; i < objfield::fence::kSizeCount; ++i) objfield::fence::kSize(i)(*o) = ds->fenceSizes[objfield::fence::kSettingsSize[i]];
    o->texture2 = o->texture3 = 850;
    o->texture4 = 2200;
    o->color2 = o->color3 = o->color4 = kWhite;
    SetUpperTextureScales(o);
    int32_t texture = gFenceDefaultTexture;
    if (ds->fenceStyle == kOrnamentalFenceStyle) {
        // The registry may rewrite the path in place.
        char path[sizeof kOrnamentalFenceTexture];
        std::memcpy(path, kOrnamentalFenceTexture, sizeof path);
        texture = NewCustomTextureID(path);
    }
    SetPointTextures(o, texture);
    rebuild::Run(o, rebuild::kObjectAndTerrain);
    rebuild::ReRenderObject(o);
}

void ConvertToExcavation(Objex* o, const DocState* ds) {
    o->closed = 1;
    ConvertObjectCurvesToPolygons(o);
    o->type = objtype::kExcavation;
    o->subtype = objsubtype::kExcavation;
    o->planBits = ds->currentPlanBit;
    SetWhiteColours(o);
    o->texture = o->texture2 = o->texture3 = 0;
    o->color2 = o->color3 = kWhite;
    objfield::excavation::kDepth(*o) = ds->conversionValueB;
    o->onTerrain = 0;
    o->elevation = -ds->conversionValueB;
    SetTextureFaceUV(o);
    SetObjectPointLengths(o);
    SetPointTextures(o, 1115);
    RaisePoints(o, -1.0f);
    rebuild::Run(o, rebuild::kObjectAndTerrain);
    rebuild::ReRenderObject(o);
}

void ConvertToDeckCutout(Objex* o, const DocState* ds) {
    o->closed = 1;
    o->type = objtype::kFloorCutout;
    o->subtype = objsubtype::kDeckCutout;
    o->planBits = ds->currentPlanBit;
    SetWhiteColours(o);
    o->texture = 0;
    o->texture2 = 1301;
    o->texture3 = 0;
    o->color2 = o->color3 = kWhite;
    objfield::floors::kThickness(*o) = ds->deckHeight;  // a deck cut-out reaches down the deck's height
    SetTextureFaceUV(o);
    SetObjectPointLengths(o);
    SetPointTextures(o, 1301);
    RaisePoints(o, -1.0f);
    rebuild::Run(o, rebuild::kObjectAndTerrain);
    rebuild::ReRenderObject(o);
}

void ConvertToTarget(Objex* o, int32_t command, const Entry& e, const DocState* ds, Layer* layer) {
    const int32_t plan = ds->currentPlanBit;
    switch (command) {
    case cc::kInteriorWall:
    case cc::kExteriorWall:
    case cc::kRetainingWall:
        convert_detail::ConvertToWall(o, command, ds, layer);
        break;
    case cc::kStaircase:
    case cc::kDeckStairs:
        ConvertToStaircase(o, command, e, ds, layer);
        break;
    case cc::kRailing:
    case cc::kDeckRailing:
        ConvertToRailing(o, command, e, ds);
        break;
    case cc::kFloor:
        ConvertToFloor(o, objtype::kFloor, ds);
        break;
    case cc::kFloorCutout:
        ConvertToFloor(o, objtype::kFloorCutout, ds);
        break;
    case cc::kStiffenerBeam:
        o->closed = 0;
        o->type = objtype::kStiffenerBeam;
        o->planBits = plan;
        objfield::beam::kDepth(*o) = ds->foundationBeamValue;
        objfield::beam::kWidth(*o) = ds->stiffenerBeamWidth;
        break;
    case cc::kPostTensionStrand:
        o->closed = 0;
        o->type = objtype::kPostTensionStrand;
        o->planBits = plan;
        break;
    case cc::kFoundationSlope:
        o->closed = 0;
        o->type = objtype::kFoundationSlope;
        o->planBits = plan;
        break;
    case cc::kFoundationPier:
        o->type = objtype::kFoundationPier;
        o->planBits = plan;
        objfield::pier::kWidth(*o) = ConvertScreenToWorld(std::fabs(o->bounds3D.floatRight - o->bounds3D.floatLeft), ds, 0);
        break;
    case cc::kSwitchConnector:
        o->subtype = objsubtype::kSwitchConnector;
        o->planBits = plan;
        SmoothObject(o);
        break;
    case cc::kFreehandRoof:
        ConvertToFreehandRoof(o, ds, layer);
        break;
    case cc::kAirDuct:
        o->closed = 0;
        o->type = objtype::kAirDuct;
        o->planBits = plan;
        objfield::duct::kWidth(*o) = ds->ductWidth;
        objfield::duct::kHeight(*o) = ds->ductHeight;
        break;
    case cc::kDeckWithRailing:
    case cc::kDeckWithoutRailing:
        ConvertToDeck(o, command, ds);
        break;
    case cc::kPropertyLine:
        o->type = objtype::kPropertyLine;
        o->planBits = plan;
        o->onTerrain = 1;
        SetWhiteColours(o);
        o->texture = 1151;
        SetPointTextures(o, 1150);
        RaisePoints(o, 1.0f);
        break;
    case cc::kGroundFill: {
        const int32_t material = ds->fillPattern;  // the ground-fill material number
        o->closed = 1;
        o->type = objtype::kGroundFill;
        o->planBits = plan;
        o->fillColor = o->penColor = MaterialTableColor(material);
        o->texture = material;
        o->onTerrain = 1;
        o->fillPattern = 0;
        SetPointTextures(o, gFillDefaultTexture);
        SetPointColoursWhite(o);
        RaisePoints(o, 2.0f);
        SetTextureFaceUV(o);
        SetObjectPointLengths(o);
        rebuild::ReRenderObject(o);
        break;
    }
    case cc::kEdging:
        o->type = objtype::kEdging;
        o->planBits = plan;
        o->fillColor = o->penColor = ds->edgingColor;
        o->onTerrain = 1;
        o->optionB = e.curves ? 0 : 1;
        SetPointTextures(o, gEdgingDefaultTexture);
        SetPointColoursWhite(o);
        rebuild::Run(o, rebuild::kObjectAndTerrain);
        rebuild::ReRenderObject(o);
        break;
    case cc::kPath: {
        const int32_t material = ds->pathStyle;  // the path material number
        o->closed = 0;
        o->type = objtype::kPath;
        o->planBits = plan;
        o->penWidth = ds->pathWidth;
        o->fillColor = o->penColor = MaterialTableColor(material);
        o->texture = material;
        o->onTerrain = 1;
        o->fillPattern = 0;
        o->optionA = 0;
        o->optionB = (!e.curves || e.points == 2) ? 1 : 0;
        SetPointTextures(o, gPathDefaultTexture);
        SetPointColoursWhite(o);
        rebuild::Run(o, rebuild::kObjectAndTerrain);
        rebuild::ReRenderObject(o);
        break;
    }
    case cc::kFence:
        ConvertToFence(o, ds);
        break;
    case cc::kEntireLot:
    case cc::kSlopeLot: {
        o->type = command == cc::kEntireLot ? objtype::kEntireLot : objtype::kSlopeLot;
        o->planBits = plan;
        int i = 0;
        for (Poinz* p = o->firstPoint; p && i < 2; p = p->next, ++i) p->segmentValues[0] = ds->conversionValue;
        rebuild::RenderAllLayers();
        break;
    }
    case cc::kTopography:
        o->closed = 1;
        o->type = objtype::kTopography;
        o->penWidth = ds->topoValue;
        o->planBits = plan;
        rebuild::SetLotElevation();
        rebuild::RenderAllLayers();
        break;
    case cc::kExcavation:
        ConvertToExcavation(o, ds);
        break;
    case cc::kOpenPolygon:
        PreserveConvertClosedToOpen(o);
        o->subtype = e.subtype;
        o->optionA = e.optionA;
        break;
    case cc::kClosedPolygon:
        o->closed = 1;
        DropCoincidentLastPoint(o);
        o->fillPattern = 1;
        o->subtype = e.subtype;
        o->optionA = e.optionA;
        break;
    case cc::kDeckCutout:
        ConvertToDeckCutout(o, ds);
        break;
    default:
        break;
    }
}

}  // namespace

const char* ConvertObjectTypeUndoName(int32_t command) {
    if (command < cc::kFirst || command > cc::kLast) return nullptr;
    return kUndoNames[command - cc::kFirst];
}

bool ConvertObjectType(Objex* object, int32_t command, bool storeStep) {
    QMDDocumentModel* doc = gCurDocument;
    DocState* ds = CurrentDocState();
    if (!object || !ds || !doc->itsCurLayer || command < cc::kFirst || command > cc::kLast) return false;
    Entry entry;
    entry.points = CountPoints(object);
    if (entry.points < 2) return false;
    entry.curves = ObjectHasCurves(object);
    entry.closed = object->closed != 0;
    entry.subtype = object->subtype;
    entry.optionA = object->optionA;

    if (!TargetConditionHolds(command, entry)) {
        InspectorUpdatePropertiesState(1);
        Refresh();
        return false;
    }

    object->fillPattern = 0;
    object->subtype = 0;
    object->sourceObject = nullptr;
    delete object->platformObject;
    object->platformObject = nullptr;
    object->optionA = 0;
    FreeString(object->text);
    object->text = nullptr;

    const bool wall = command == cc::kInteriorWall || command == cc::kExteriorWall || command == cc::kRetainingWall;
    ConvertToTarget(object, command, entry, ds, doc->itsCurLayer);
    // A wall may have been joined into another one by now; it took its bounds before that.
    if (!wall) UpdateObjectBounds(object);

    // Edging is stored like every other conversion, so undo and redo do not skip it.
    if (storeStep) StoreConversionStep(command);
    return true;
}

void StoreConversionStep(int32_t command) {
    if (const char* name = ConvertObjectTypeUndoName(command)) StoreUndo(LocalizedString(name).c_str());
    InspectorUpdatePropertiesState(1);
    Refresh();
}

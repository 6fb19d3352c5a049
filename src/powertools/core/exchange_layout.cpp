#include "powertools/core/exchange_layout.h"

#include <cstddef>

#include "model/live_views.h"
#include "model/objects.h"
#include "model/type_data.h"

namespace xver {

bool IsExchangeVersion(int32_t v) {
    return v == k5000 || v == k7500 || v == k8000 || v == k9000 || v == k10000 || v == k11000;
}

int32_t NormalizedExchangeVersion(int32_t requested) {
    if (requested >= k11000) return k11000;
    return IsExchangeVersion(requested) ? requested : k11000;
}

}  // namespace xver

namespace exchange {

uint32_t WireBytes(Wire wire) {
    switch (wire) {
    case Wire::U8: case Wire::Pad8: return 1;
    case Wire::I16: case Wire::U16: return 2;
    case Wire::I32: case Wire::U32: case Wire::F32: case Wire::I16AsF32: case Wire::ShortPoint: case Wire::OwnerTool:
        return 4;
    case Wire::Point: return 8;
    case Wire::Rect: return 16;
    case Wire::Color: return 6;
    case Wire::ColorTable: return 6 * kColorTableEntries;
    case Wire::Refresh: return 0;
    default: return 0;
    }
}

namespace {

using W = Wire;
using S = Since;

constexpr SettingsRow kSettings[] = {
    {"showGrid", 10, W::U8},
    {"snapToGrid", 11, W::U8},
    {"gridSpacing", 12, W::Point},
    {"snapIncrement", 13, W::Point},
    {"penStyle", 16, W::I16},
    {"penWidth", 17, W::I16AsF32},
    {"lotRect", 19, W::Rect},
    {"arrowStyleID", 27, W::I16},
    {"penColor", 35, W::Color},
    {"planColors", 243, W::Color, 9},
    {"backgroundColor", 36, W::Color},
    {"inactiveFloorColor", 151, W::Color},
    {"font", 239, W::Font},
    {"gTextFontInfo", 0, W::AppFont},
    {"planScaleChoice", 88, W::I16, 1, S::V8000},
    {"planScale", 40, W::F32},
    {"curveSegments", 46, W::I16},
    {"zoomFactor", 51, W::F32},
    {"renderMode", 58, W::I16},
    {"dimensionStyle", 83, W::I16},
    {"units", 85, W::I16},
    {"cameraHeading", 89, W::F32},
    {"cameraPosition", 90, W::Point},
    {"eyeHeight", 241, W::F32},
    {"backgroundTexture", 109, W::Refresh, 1, S::All, 100, 234},
    {"skyColor", 100, W::Color},
    {"backgroundTexture", 109, W::Texture},
    {"lotTextureScale", 234, W::ShortPoint},
    {"lotTexture", 130, W::Refresh, 1, S::All, 33, 235},
    {"lotColor", 33, W::Color},
    {"lotTexture", 130, W::Texture16},
    {"skyTextureScale", 235, W::ShortPoint},
    {"cameraMode", 104, W::I16},
    {"flyValueA", 105, W::F32},
    {"flyValueB", 106, W::F32},
    {"flyAltitude", 240, W::F32},
    {"lightOffset", 242, W::Point},
    {"customColors", 108, W::ColorTable},
    {"plantAge", 131, W::F32},
    {"gridStyle", 132, W::I16},
    {"traceImagePath", 143, W::Chars},
    {"traceImageShown", 144, W::U8},
    {"traceImageScaleH", 145, W::F32},
    {"traceImageScaleV", 146, W::F32},
    {"showDimensions", 147, W::U8},
    {"showCallouts", 148, W::U8},
    {"shadowsOn", 152, W::U8},
    {"carried154", 154, W::F32},
    {"carried155", 155, W::F32},
    {"carried156", 156, W::F32},
    {"lightSetting", 157, W::I32},
    {"lightValue", 158, W::F32},
    {"planMasks", 178, W::I32, 9},
    {"currentPlanBit", 187, W::I32},
    {"visiblePlans", 177, W::I32},
    {"renderFlag", 189, W::U8},
    {"currentElevation", 191, W::F32},
    {"carried216to220", 216, W::I32, 5},
    {"pluginByte", 221, W::U8},
    {"renderValue", 222, W::I32},
    {"framingColors", 224, W::U8},
    {"wallSegmentLength", 233, W::F32},
    {"nextObjectID", 237, W::U32},
    {"nextPointID", 238, W::U32},
    {"sunOn", 280, W::U8, 1, S::V8000},
    {"sunAngle", 281, W::F32, 1, S::V8000},
    {"sunValueB", 282, W::F32, 1, S::V8000},
    {"sunShadowQuality", 283, W::I16, 1, S::V8000},
    {"sunValueD", 284, W::I16, 1, S::V8000},
    {"cameraValue", 285, W::F32, 1, S::V8000},
    {"lightIntensity", 286, W::F32, 1, S::V8000},
    {"topoGridSpacing", 294, W::F32, 1, S::V8000},
    {"topoFilePath", 297, W::Chars, 1, S::V8000},
    {"detailValueA", 298, W::I32, 1, S::V8000},
    {"detailValueB", 299, W::I32, 1, S::V8000},
    {"detailValueC", 300, W::I32, 1, S::V8000},
    // The fence sizes in the order of a fence object's five values.
    {"fenceSizes", 289, W::F32, 1, S::V9000},
    {"fenceSizes", 290, W::F32, 1, S::V9000},
    {"fenceSizes", 292, W::F32, 1, S::V9000},
    {"fenceSizes", 291, W::F32, 1, S::V9000},
    {"fenceSizes", 293, W::F32, 1, S::V9000},
    {"skylightWidth", 303, W::F32, 1, S::V9000},
    {"skylightLength", 304, W::F32, 1, S::V9000},
    {"skylightValue", 305, W::F32, 1, S::V9000},
    {"surfaceDetail", 306, W::I32, 1, S::V9000},
    {"showTopoLines", 307, W::U8, 1, S::V9000},
    {"topoLinesColor", 308, W::Color, 1, S::V9000},
    {"imperialReadout", 309, W::I16, 1, S::V9000},
    {"metricReadout", 310, W::I16, 1, S::V9000},
    {"angleReadout", 311, W::I16, 1, S::V9000},
    {"compassAngle", 312, W::F32, 1, S::V9000},
    {"lightFlag", 313, W::U8, 1, S::V9000},
    {"stairClosedStringer", 314, W::U8, 1, S::V9000},
    {"stairLargeBase", 315, W::U8, 1, S::V9000},
    {"navigationFlag", 316, W::U8, 1, S::V9000},
    {"liveViewFlagC", 317, W::U8, 1, S::V9000},
    {"navigationSpeed", 99, W::I16, 1, S::V9000},
    {"shadowQuality", 194, W::I16, 1, S::V9000},
    {"renderSetting", 188, W::U16, 1, S::V9000},
    {"cutAwayPosition", 230, W::I32, 1, S::V9000},
    {"cutAwayKind", 231, W::I16, 1, S::V9000},
    {"carried319", 319, W::U8, 1, S::V9000},
    {"sceneColor", 320, W::Color, 1, S::V11000Only},
    {"gridColor", 321, W::Color, 1, S::V11000Only},
};

#define DVX_OBJ(member) static_cast<uint16_t>(offsetof(Objex, member))
#define DVX_PT(member) static_cast<uint16_t>(offsetof(Poinz, member))

constexpr RecordRow kObjectInfo[] = {
    {"objectID", 59, W::U32, 1, S::All, DVX_OBJ(objectID)},
    {"type", 2, W::I16, 1, S::All, DVX_OBJ(type)},
    {"subtype", 33, W::I32, 1, S::All, DVX_OBJ(subtype)},
    {"closed", 3, W::U8, 1, S::All, DVX_OBJ(closed)},
    {"visible", 4, W::U8, 1, S::V9000, DVX_OBJ(visible)},
    // The main texture sets both the fill and the pen colour.
    {"texture", 23, W::Refresh, 1, S::All, DVX_OBJ(texture), DVX_OBJ(fillColor), DVX_OBJ(penColor),
     DVX_OBJ(textureScales[4])},
    {"fillColor", 5, W::Color, 1, S::All, DVX_OBJ(fillColor)},
    {"auxColor", 6, W::Color, 1, S::All, DVX_OBJ(auxColor)},
    {"penColor", 7, W::Color, 1, S::All, DVX_OBJ(penColor)},
    {"penWidth", 8, W::F32, 1, S::All, DVX_OBJ(penWidth)},
    {"penStyle", 9, W::I16, 1, S::All, DVX_OBJ(penStyle)},
    {"fillPattern", 10, W::I16, 1, S::All, DVX_OBJ(fillPattern)},
    {"rows", 19, W::I16, 1, S::All, DVX_OBJ(rows)},
    {"pointCount", 20, W::I32, 1, S::All, DVX_OBJ(pointCount)},
    {"flagA", 21, W::U8, 1, S::All, DVX_OBJ(flagA)},
    {"elevationMode", 22, W::I16, 1, S::All, DVX_OBJ(elevationMode)},
    {"texture", 23, W::Texture, 1, S::All, DVX_OBJ(texture)},
    {"textureScales", 48, W::ShortPoint, 1, S::All, DVX_OBJ(textureScales[4])},
    {"textureFaceRect", 24, W::Rect, 1, S::All, DVX_OBJ(textureFaceRect)},
    {"textureFaceRect2", 25, W::Rect, 1, S::All, DVX_OBJ(textureFaceRect2)},
    {"faceAxis", 26, W::I16, 1, S::All, DVX_OBJ(faceAxis)},
    {"plantAge", 28, W::F32, 1, S::All, DVX_OBJ(plantAge)},
    {"texture2", 34, W::Texture, 1, S::All, DVX_OBJ(texture2)},
    {"texture2", 34, W::Refresh, 1, S::All, DVX_OBJ(texture2), DVX_OBJ(color2), -1, DVX_OBJ(textureScales[0])},
    {"textureScales", 44, W::ShortPoint, 1, S::All, DVX_OBJ(textureScales[0])},
    {"color2", 36, W::Color, 1, S::All, DVX_OBJ(color2)},
    {"texture3", 35, W::Texture, 1, S::All, DVX_OBJ(texture3)},
    {"texture3", 35, W::Refresh, 1, S::All, DVX_OBJ(texture3), DVX_OBJ(color3), -1, DVX_OBJ(textureScales[1])},
    {"textureScales", 45, W::ShortPoint, 1, S::All, DVX_OBJ(textureScales[1])},
    {"color3", 37, W::Color, 1, S::All, DVX_OBJ(color3)},
    {"texture4", 40, W::Texture, 1, S::All, DVX_OBJ(texture4)},
    {"texture4", 40, W::Refresh, 1, S::All, DVX_OBJ(texture4), DVX_OBJ(color4), -1, DVX_OBJ(textureScales[2])},
    {"textureScales", 46, W::ShortPoint, 1, S::All, DVX_OBJ(textureScales[2])},
    {"color4", 41, W::Color, 1, S::All, DVX_OBJ(color4)},
    {"texture5", 42, W::Texture, 1, S::All, DVX_OBJ(texture5)},
    {"texture5", 42, W::Refresh, 1, S::All, DVX_OBJ(texture5), DVX_OBJ(color5), -1, DVX_OBJ(textureScales[3])},
    {"textureScales", 47, W::ShortPoint, 1, S::All, DVX_OBJ(textureScales[3])},
    {"color5", 43, W::Color, 1, S::All, DVX_OBJ(color5)},
    {"elevation", 38, W::F32, 1, S::All, DVX_OBJ(elevation)},
    {"onTerrain", 39, W::U8, 1, S::All, DVX_OBJ(onTerrain)},
    {"planBits", 49, W::I32, 1, S::All, DVX_OBJ(planBits)},
    {"params", 50, W::F32, 5, S::All, DVX_OBJ(params)},
    {"optionA", 55, W::I32, 1, S::All, DVX_OBJ(optionA)},
    {"optionB", 56, W::I32, 1, S::All, DVX_OBJ(optionB)},
    {"text", 57, W::OwnedText, 1, S::V8000, DVX_OBJ(text)},
    // The tool that returned a group.
    {"groupKind", 31, W::OwnerTool, 1, S::V9000, DVX_OBJ(groupKind)},
};

constexpr RecordRow kPoint[] = {
    {"pointID", 43, W::U32, 1, S::All, DVX_PT(pointID)},
    {"kind", 2, W::I16, 1, S::All, DVX_PT(kind)},
    {"wallStyle", 28, W::I32, 1, S::All, DVX_PT(wallStyle)},
    {"selected", 3, W::U8, 1, S::All, DVX_PT(selected)},
    {"inTangent", 6, W::F32, 3, S::All, DVX_PT(inTangent)},
    {"position", 9, W::F32, 3, S::All, DVX_PT(position)},
    {"outTangent", 12, W::F32, 3, S::All, DVX_PT(outTangent)},
    {"acrossTangent", 15, W::F32, 3, S::All, DVX_PT(acrossTangent)},
    {"texture1", 19, W::Texture, 1, S::All, DVX_PT(texture1)},
    {"texture1", 19, W::Refresh, 1, S::All, DVX_PT(texture1), DVX_PT(color1), -1, DVX_PT(faceScale1)},
    {"faceScale1", 41, W::ShortPoint, 1, S::All, DVX_PT(faceScale1)},
    {"color1", 25, W::Color, 1, S::All, DVX_PT(color1)},
    {"texture2", 20, W::Texture, 1, S::All, DVX_PT(texture2)},
    {"texture2", 20, W::Refresh, 1, S::All, DVX_PT(texture2), DVX_PT(color2), -1, DVX_PT(faceScale2)},
    {"faceScale2", 42, W::ShortPoint, 1, S::All, DVX_PT(faceScale2)},
    {"color2", 26, W::Color, 1, S::All, DVX_PT(color2)},
    {"textureU", 21, W::F32, 1, S::All, DVX_PT(textureU)},
    {"textureV", 22, W::F32, 1, S::All, DVX_PT(textureV)},
    {"rowLength", 23, W::F32, 1, S::All, DVX_PT(rowLength)},
    {"rowPerimeter", 24, W::F32, 1, S::All, DVX_PT(rowPerimeter)},
    {"baseElevation", 27, W::F32, 1, S::All, DVX_PT(baseElevation)},
    {"dimensionMethod", 29, W::I16, 1, S::All, DVX_PT(dimensionMethod)},
    {"dimensionFlipped", 30, W::I16, 1, S::All, DVX_PT(dimensionFlipped)},
    {"segmentValues", 34, W::F32, 5, S::All, DVX_PT(segmentValues)},
    {"segmentFlags", 31, W::I32, 1, S::All, DVX_PT(segmentFlags)},
};

#define DVX_LV(member) static_cast<uint16_t>(offsetof(LiveViewsList, member))

// In declared order but for the run of two bytes and two shorts.
constexpr RecordRow kSavedView[] = {
    {"cameraMode", 3, W::I16, 1, S::All, DVX_LV(cameraMode)},
    {"navigationFlag", 4, W::U8, 1, S::All, DVX_LV(navigationFlag)},
    {"flyValueA", 5, W::F32, 1, S::All, DVX_LV(flyValueA)},
    {"flyValueB", 6, W::F32, 1, S::All, DVX_LV(flyValueB)},
    {"cameraHeading", 7, W::F32, 1, S::All, DVX_LV(cameraHeading)},
    {"cameraPosition", 8, W::Point, 1, S::All, DVX_LV(cameraPosition)},
    {"flyAltitude", 9, W::F32, 1, S::All, DVX_LV(flyAltitude)},
    {"eyeHeight", 10, W::F32, 1, S::All, DVX_LV(eyeHeight)},
    {"lightOffset", 11, W::Point, 1, S::All, DVX_LV(lightOffset)},
    {"cutAwayPosition", 12, W::I32, 1, S::All, DVX_LV(cutAwayPosition)},
    {"cutAwayKind", 13, W::I16, 1, S::All, DVX_LV(cutAwayKind)},
    {"renderValue", 14, W::I32, 1, S::All, DVX_LV(renderValue)},
    {"liveViewFlag", 15, W::U8, 1, S::All, DVX_LV(liveViewFlag)},
    {"liveViewValue", 16, W::I32, 1, S::All, DVX_LV(liveViewValue)},
    {"liveViewFlagB", 17, W::U8, 1, S::All, DVX_LV(liveViewFlagB)},
    {"renderMode", 20, W::I16, 1, S::All, DVX_LV(renderMode)},
    {"liveViewFlagC", 18, W::U8, 1, S::All, DVX_LV(liveViewFlagC)},
    {"navigationValue", 19, W::I16, 1, S::All, DVX_LV(navigationValue)},
    {"renderFlag", 21, W::U8, 1, S::All, DVX_LV(renderFlag)},
    {"renderSetting", 22, W::U16, 1, S::All, DVX_LV(renderSetting)},
    {"lightValue", 23, W::F32, 1, S::All, DVX_LV(lightValue)},
    {"sunOn", 24, W::U8, 1, S::All, DVX_LV(sunOn)},
    {"sunAngle", 25, W::F32, 1, S::All, DVX_LV(sunAngle)},
    {"sunValueB", 26, W::F32, 1, S::All, DVX_LV(sunValueB)},
    {"sunValueD", 27, W::I16, 1, S::All, DVX_LV(sunValueD)},
    {"cameraValue", 28, W::F32, 1, S::All, DVX_LV(cameraValue)},
    {"lightIntensity", 29, W::F32, 1, S::All, DVX_LV(lightIntensity)},
    {"lightFlag", 30, W::U8, 1, S::All, DVX_LV(lightFlag)},
};

#define DVX_CAB(member) static_cast<uint16_t>(offsetof(CabinetState, member))

constexpr RecordRow kCabinetState[] = {
    {"f1", 1, W::F32, 1, S::All, DVX_CAB(f1)},
    {"f2", 2, W::I32, 1, S::All, DVX_CAB(f2)},
    {"f3to17", 3, W::F32, 15, S::All, DVX_CAB(f3to17)},
    {"f18", 18, W::U8, 1, S::All, DVX_CAB(f18)},
    {"pad", 0, W::Pad8, 1, S::All, 0},
    {"f19to21", 19, W::F32, 3, S::All, DVX_CAB(f19to21)},
    {"f22", 22, W::I32, 1, S::All, DVX_CAB(f22)},
    {"f23to26", 23, W::F32, 4, S::All, DVX_CAB(f23to26)},
    {"f27", 27, W::U8, 1, S::All, DVX_CAB(f27)},
    {"pad", 0, W::Pad8, 1, S::All, 0},
    {"f28to29", 28, W::F32, 2, S::All, DVX_CAB(f28to29)},
    {"f30", 30, W::I32, 1, S::All, DVX_CAB(f30)},
    {"f31to36", 31, W::F32, 6, S::All, DVX_CAB(f31to36)},
    {"f37", 37, W::I32, 1, S::All, DVX_CAB(f37)},
    {"f38", 38, W::F32, 1, S::All, DVX_CAB(f38)},
    {"f39", 39, W::I16, 1, S::All, DVX_CAB(f39)},
    {"f40", 40, W::F32, 1, S::All, DVX_CAB(f40)},
    {"elevation", 41, W::F32, 1, S::All, DVX_CAB(elevation)},
};

#undef DVX_OBJ
#undef DVX_PT
#undef DVX_LV
#undef DVX_CAB

}  // namespace

std::span<const SettingsRow> SettingsSection() { return kSettings; }
std::span<const RecordRow> ObjectInfo() { return kObjectInfo; }
std::span<const RecordRow> PointItems() { return kPoint; }
std::span<const RecordRow> SavedViewItems() { return kSavedView; }
std::span<const RecordRow> CabinetStateItems() { return kCabinetState; }

}  // namespace exchange

#include "tracking/dimension_builders.h"

#include <new>

#include "model/bounds.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/grouping.h"
#include "model/lines.h"
#include "model/objects.h"
#include "model/selection_ops.h"
#include "model/sweeps.h"
#include "model/texture_mapping.h"
#include "model/tool_defaults.h"
#include "model/poly_builders.h"
#include "tracking/shape_builders.h"

namespace {

constexpr float kHalfPi = 1.5707963267948966f;
constexpr float kProbeLength = 100;
constexpr int16_t kPlanKind = 2, kSideView = 3;
constexpr int kMostPoints = 4;

// Into the plane of the view kind: plan (x, 0, y), side (0, y, x); the front view keeps (x, y, 0).
void MapByViewKind(Objex* object, int16_t viewKind) {
    if (viewKind == kPlanKind)
        ConvertXYtoXZ(object);
    else if (viewKind == kSideView)
        ConvertXYtoZY(object);
}

DocState* DimensionDocState(float x1, float y1, float x2, float y2, const Layer* layer) {
    if (!gCurDocument || !layer || (x1 == x2 && y1 == y2)) return nullptr;
    return CurrentDocState();
}

struct Dimension {
    int16_t type;
    int32_t subtype = 0;
    bool lengthDimension =
        false; // laid in the view's x and y, drawn in the length-dimension colour
};

Objex* BuildDimension(const DocState& ds, Dimension kind, const Float3DPoint* points, int32_t count,
                      Layer* layer) {
    static const Float3DPoint kNoTangents[kMostPoints] = {};
    Objex* o = BuildGeneralPoly(points, nullptr, kNoTangents, kNoTangents, nullptr, nullptr, count,
                                layer, 0, kind.type, 0, 0);
    if (!o) return nullptr;
    o->subtype = kind.subtype;
    o->fillColor = ds.fillColor;
    o->penColor = kind.lengthDimension ? ds.lengthDimColor : ds.penColor;
    o->planBits = ds.currentPlanBit;
    if (kind.lengthDimension) {
        MapByViewKind(o, ds.viewKind);
        UpdateObjectBounds(o);
    }
    MapFacesAndLengths(o);  // as a read maps it
    AppendObjectToLayer(o, layer);
    return o;
}

// Plan storage of view points.
Float3DPoint Plan(float x, float y) {
    return {x, 0, y};
}

// The dimension's text box in its layer, or null when it cannot be made.
Objex* BuildTextBox(Objex* dimension, float x, float y, const DocState& ds) {
    DimensionTextRecord* record = new (std::nothrow) DimensionTextRecord{};
    if (!record) return nullptr;
    Objex* box = BuildRect(x - 20, y - 10, x + 20, y + 10, dimension->layer, 0);
    if (!box) {
        delete record;
        return nullptr;
    }
    box->penColor = dimension->penColor;
    MapByViewKind(box, ds.viewKind);
    UpdateObjectBounds(box);
    MapFacesAndLengths(box);
    box->fillColor = ds.fillColor;
    box->type = objtype::kDimensionText;
    box->penWidth = 0;
    record->fontNum = gDimensionFontNum;
    record->fontSize = gDimensionFontSize;
    record->fontStyle = gDimensionFontStyle;
    record->font = gCurFontInfo;
    record->owner = dimension;
    box->typeData = TypeData::OfDimensionText(record);
    return box;
}

} // namespace

Objex* BuildLengthDim(float x1, float y1, float x2, float y2, float pickX, float pickY,
                      Layer* layer) {
    const DocState* ds = DimensionDocState(x1, y1, x2, y2, layer);
    if (!ds) return nullptr;
    float length = 0;
    const float a = GetLineLengthAndAngle(x1, y1, x2, y2, &length);
    // The side whose probe lies nearer the pick (a tie takes the second).
    float p1x = 0, p1y = 0, p2x = 0, p2y = 0;
    GetPointFromLengthAndAngle(a + kHalfPi, kProbeLength, &p1x, &p1y);
    GetPointFromLengthAndAngle(a - kHalfPi, kProbeLength, &p2x, &p2y);
    const float d1 = GetLineLength(pickX, pickY, x1 + p1x, y1 + p1y);
    const float d2 = GetLineLength(pickX, pickY, x1 + p2x, y1 + p2y);
    const float side = d1 < d2 ? a + kHalfPi : a - kHalfPi;
    float footX = 0, footY = 0;
    GetPerpIntersection(x1, y1, x2, y2, pickX, pickY, &footX, &footY);
    float ox = 0, oy = 0;
    GetPointFromLengthAndAngle(side, GetLineLength(pickX, pickY, footX, footY), &ox, &oy);
    const Float3DPoint points[] = {
        {x2, y2, 0}, {x2 + ox, y2 + oy, 0}, {x1 + ox, y1 + oy, 0}, {x1, y1, 0}};
    return BuildDimension(*ds, {objtype::kLengthDimension, 0, true}, points, 4, layer);
}

Objex* BuildOffsetDim(float x1, float y1, float x2, float y2, float pickX, float pickY,
                      Layer* layer, uint8_t vertical) {
    const DocState* ds = DimensionDocState(x1, y1, x2, y2, layer);
    if (!ds) return nullptr;
    if (vertical) {
        const Float3DPoint points[] = {Plan(x2, y2), Plan(pickX, y2), Plan(pickX, y1),
                                       Plan(x1, y1)};
        return BuildDimension(*ds, {objtype::kOffsetDimensionV}, points, 4, layer);
    }
    const Float3DPoint points[] = {Plan(x2, y2), Plan(x2, pickY), Plan(x1, pickY), Plan(x1, y1)};
    return BuildDimension(*ds, {objtype::kOffsetDimensionH}, points, 4, layer);
}

Objex* BuildDiameterDim(float x1, float y1, float x2, float y2, Layer* layer) {
    const DocState* ds = DimensionDocState(x1, y1, x2, y2, layer);
    if (!ds) return nullptr;
    const Float3DPoint points[] = {Plan(x1, y1), Plan(x2, y2)};
    return BuildDimension(*ds, {objtype::kDiameterDimension, objtype::kDiameterDimension}, points,
                          2, layer);
}

Objex* BuildLeaderDim(float x1, float y1, float x2, float y2, float x3, float y3, Layer* layer) {
    const DocState* ds = DimensionDocState(x1, y1, x2, y2, layer);
    if (!ds) return nullptr;
    const Float3DPoint points[] = {Plan(x1, y1), Plan(x2, y2), Plan(x3, y3)};
    return BuildDimension(*ds, {objtype::kLeaderDimension, objtype::kLeaderDimension}, points, 3,
                          layer);
}

Objex* BuildAngleDim(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4,
                     float, float, Layer* layer) {
    const DocState* ds = DimensionDocState(x1, y1, x2, y2, layer);
    if (!ds) return nullptr;
    const Float3DPoint points[] = {Plan(x1, y1), Plan(x2, y2), Plan(x3, y3), Plan(x4, y4)};
    // The subtype marks a dimension that carries no block in a design file: a reader takes
    // one of another subtype for an old dimension and reads its block.
    return BuildDimension(*ds, {objtype::kAngleDimension, objtype::kAngleDimension}, points, 4,
                          layer);
}

Objex* AddDimensionInfo(Objex* dimension, float x, float y, uint8_t withText) {
    if (!dimension) return nullptr;
    DeleteObjectData(dimension);
    if (!gCurDocument) return dimension;
    DimensionRecord* info = new (std::nothrow) DimensionRecord{};
    if (!info) return dimension;
    const DocState* ds = CurrentDocState();
    if (ds) {
        info->flags = ds->dimensionFlags;
        info->valueA = ds->dimensionValueA;
        info->valueB = ds->dimensionValueB;
        info->textBox = withText ? BuildTextBox(dimension, x, y, *ds) : nullptr;
        Layer* layers = gCurDocument->itsLayers;
        SelectAllLayers(layers, selmode::kDeselect, 0);
        SelectObj(dimension, selmode::kSelect, 0);
        if (info->textBox) SelectObj(info->textBox, selmode::kSelect, 0);
        GroupSelectedObjects(layers);
    }
    dimension->typeData = TypeData::OfDimension(info);
    return dimension;
}

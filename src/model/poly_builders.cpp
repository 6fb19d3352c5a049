#include "model/poly_builders.h"

#include "model/bounds.h"
#include "model/deletion.h"
#include "model/direction.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/texture_mapping.h"
#include "model/tool_defaults.h"

namespace {

constexpr int16_t kOpenPolygon = 9;
constexpr int16_t kClosedPolygon = 8;

// Appends `count` points; false (points made so far stay with the object) when one fails.
bool LayRow(Objex* object, Poinz*& tail, const Float3DPoint* at, const Float3DPoint* in,
            const Float3DPoint* out, int32_t count) {
    for (int32_t i = 0; i < count; ++i)
        if (!AppendBuilderPoint(object, tail, pointkind::kVertex, 1, at[i], in[i], out[i])) return false;
    return true;
}

}  // namespace

DrawingStyle GetBuilderDrawingStyle(uint8_t useDocumentStyle) {
    DrawingStyle style;
    style.fillColor = {65535, 65535, 65535};
    style.penColor = {0, 0, 0};
    const DocState* ds = CurrentDocState();
    if (!useDocumentStyle || !ds) return style;
    style.fillColor = ds->fillColor;
    style.penColor = ds->penColor;
    style.penStyle = ds->penStyle;
    style.penWidth = static_cast<float>(ds->penWidth);
    style.fillPattern = gPattern;
    return style;
}

bool AppendBuilderPoint(Objex* object, Poinz*& tail, int16_t kind, uint8_t selected,
                        const Float3DPoint& at, const Float3DPoint& in, const Float3DPoint& out) {
    Poinz* p = CreatePoint(kind, selected, 0, in.floatH, in.floatV, in.floatD, at.floatH, at.floatV,
                           at.floatD, out.floatH, out.floatV, out.floatD, 0, 0, 0, object);
    if (!p) return false;
    p->owner = object;
    p->prev = tail;
    (tail ? tail->next : object->firstPoint) = p;
    tail = p;
    ++object->pointCount;
    return true;
}

Objex* BuildGeneralPoly(const Float3DPoint* first, const Float3DPoint* second,
                        const Float3DPoint* firstIn, const Float3DPoint* firstOut,
                        const Float3DPoint* secondIn, const Float3DPoint* secondOut, int32_t count,
                        Layer* layer, uint8_t useDocumentStyle, int16_t type, uint8_t closed,
                        uint8_t addToLayer) {
    if (!layer || !first || !firstIn || !firstOut) return nullptr;
    const DrawingStyle style = GetBuilderDrawingStyle(useDocumentStyle);
    Objex* object = CreateObject(type, closed, 1, &style.fillColor, &style.penColor, style.penWidth,
                                 style.penStyle, style.fillPattern, nullptr, nullptr, nullptr,
                                 nullptr, layer, TypeData{});
    if (!object) return nullptr;
    const bool secondRow = second && secondIn && secondOut;
    Poinz* tail = nullptr;
    if (count > 0) {
        // A half-made outline would break every reader of rows and point counts.
        if (!LayRow(object, tail, first, firstIn, firstOut, count) ||
            (secondRow && !LayRow(object, tail, second, secondIn, secondOut, count))) {
            DeleteObj(object);
            return nullptr;
        }
    }
    object->rows = secondRow && count > 0 ? 2 : 1;
    UpdateObjectBounds(object);
    if (addToLayer) {
        AppendObjectToLayer(object, layer);
        if (closed && object->rows >= 2) VerifyObjectDirection(object, 1);
    }
    return object;
}

Objex* BuildOpenPoly(const Float3DPoint* first, const Float3DPoint* second,
                     const Float3DPoint* firstIn, const Float3DPoint* firstOut,
                     const Float3DPoint* secondIn, const Float3DPoint* secondOut, int32_t count,
                     Layer* layer, uint8_t useDocumentStyle) {
    Objex* object = BuildGeneralPoly(first, second, firstIn, firstOut, secondIn, secondOut, count,
                                     layer, useDocumentStyle, kOpenPolygon, 0, 1);
    if (object) MapFacesAndLengths(object);
    return object;
}

Objex* BuildClosedPoly(const Float3DPoint* first, const Float3DPoint* second,
                       const Float3DPoint* firstIn, const Float3DPoint* firstOut,
                       const Float3DPoint* secondIn, const Float3DPoint* secondOut, int32_t count,
                       Layer* layer, uint8_t useDocumentStyle) {
    Objex* object = BuildGeneralPoly(first, second, firstIn, firstOut, secondIn, secondOut, count,
                                     layer, useDocumentStyle, kClosedPolygon, 1, 1);
    if (!object) return nullptr;
    ValidateCapDirection(object);
    SetTextureFaceUV(object);
    SetObjectPointLengths(object);
    return object;
}

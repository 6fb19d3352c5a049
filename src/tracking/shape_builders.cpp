#include "tracking/shape_builders.h"

#include <cmath>
#include <initializer_list>
#include <span>
#include <vector>

#include "model/bounds.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/numeric.h"
#include "model/objects.h"
#include "model/selection_ops.h"
#include "model/smoothing.h"
#include "model/splines.h"
#include "model/sweeps.h"
#include "model/transforms.h"
#include "model/poly_builders.h"

namespace {

constexpr float kTwoPi = 6.283185307179586f;
constexpr float kQuarterTurn = 0.7853982f; // pi / 4

struct Laid {
    Float3DPoint at, tangent;
};

// The corners rounded half up to whole numbers, ordered.
FloatRect CornerBounds(float x1, float y1, float x2, float y2) {
    auto whole = [](float v) {
        return dvxnum::TruncToInt32(std::floor(static_cast<double>(v) + 0.5));
    };
    RECT r;
    Point2Rect(whole(x1), whole(y1), whole(x2), whole(y2), &r);
    return {static_cast<float>(r.top), static_cast<float>(r.left), static_cast<float>(r.bottom),
            static_cast<float>(r.right)};
}

// A new object of the type holding the points (kind 1, selected, in- and out-tangent equal),
// the 2D bounds as given and the 3D bounds measured, linked into the layer; null with nothing
// left behind when a point cannot be made.
Objex* BuildShape(int16_t type, uint8_t closed, const FloatRect& bounds,
                  std::span<const Laid> points, Layer* layer, uint8_t useDocumentStyle) {
    const DrawingStyle style = GetBuilderDrawingStyle(useDocumentStyle);
    Objex* object = CreateObject(type, closed, 1, &style.fillColor, &style.penColor, style.penWidth,
                                 style.penStyle, style.fillPattern, &bounds, nullptr, nullptr,
                                 nullptr, layer, TypeData{});
    if (!object) return nullptr;
    Poinz* tail = nullptr;
    for (const Laid& p : points) {
        if (!AppendBuilderPoint(object, tail, pointkind::kVertex, 1, p.at, p.tangent, p.tangent)) {
            DeleteObj(object);
            return nullptr;
        }
    }
    Float3DRect box = EmptyFloat3DRect();
    GetObject3DBounds(object, 0, &box, 0);
    object->bounds3D = box;
    AppendObjectToLayer(object, layer);
    return object;
}

Objex* BuildShape(int16_t type, uint8_t closed, const FloatRect& bounds,
                  std::initializer_list<Laid> points, Layer* layer, uint8_t useDocumentStyle) {
    return BuildShape(type, closed, bounds, std::span<const Laid>(points.begin(), points.size()),
                      layer, useDocumentStyle);
}

bool Degenerate(float x1, float y1, float x2, float y2, const Layer* layer) {
    return !layer || (x1 == x2 && y1 == y2);
}

// A new polyline on the layer holding the one point; null when the point cannot be made.
Objex* StartPolyline(float h, float v, float d, Layer* layer, uint8_t useDocumentStyle) {
    const DrawingStyle style = GetBuilderDrawingStyle(useDocumentStyle);
    Objex* object = CreateObject(objtype::kPolygon, 0, 1, &style.fillColor, &style.penColor,
                                 style.penWidth, style.penStyle, style.fillPattern, nullptr,
                                 nullptr, nullptr, nullptr, layer, TypeData{});
    if (!object) return nullptr;
    Poinz* tail = nullptr;
    if (!AppendBuilderPoint(object, tail, pointkind::kVertex, 0, {h, v, d})) {
        DeleteObj(object);
        return nullptr;
    }
    object->rows = 1;
    UpdateObjectBounds(object);
    AppendObjectToLayer(object, layer);
    return object;
}

Objex* AppendToPolyline(Objex* object, float h, float v, float d) {
    Poinz* tail = object->firstPoint;
    while (tail && tail->next)
        tail = tail->next;
    if (!AppendBuilderPoint(object, tail, pointkind::kVertex, 0, {h, v, d})) return nullptr;
    object->rows = 1;
    UpdateObjectBounds(object);
    return object;
}

void FinishPolyline(Objex* object) {
    UpdateObjectBounds(object);
    object->rows = 1;
    SelectObj(object, selmode::kSelect, 0);
}

// What both polyline builders do in each mode (the spline builder then smooths at mode 3).
Objex* StepPolyline(Objex* object, float h, float v, float d, Layer* layer, int16_t mode,
                    uint8_t useDocumentStyle, bool planBit) {
    if (!layer) return nullptr;
    if (mode == buildmode::kStart) {
        Objex* made = StartPolyline(h, v, d, layer, useDocumentStyle);
        const DocState* ds = CurrentDocState();
        if (made && planBit && ds) made->planBits = ds->currentPlanBit;
        return made;
    }
    if (!object) return nullptr;
    if (mode == buildmode::kAppend) return AppendToPolyline(object, h, v, d);
    if (mode == buildmode::kFinish) {
        FinishPolyline(object);
        return object;
    }
    return nullptr;
}

} // namespace

Objex* BuildRect(float x1, float y1, float x2, float y2, Layer* layer, uint8_t useDocumentStyle) {
    if (Degenerate(x1, y1, x2, y2, layer)) return nullptr;
    return BuildShape(objtype::kRectangle, 1, CornerBounds(x1, y1, x2, y2),
                      {{{x1, y1, 0}, {}}, {{x2, y1, 0}, {}}, {{x2, y2, 0}, {}}, {{x1, y2, 0}, {}}},
                      layer, useDocumentStyle);
}

Objex* BuildLine(float x1, float y1, float x2, float y2, Layer* layer, uint8_t useDocumentStyle) {
    if (Degenerate(x1, y1, x2, y2, layer)) return nullptr;
    return BuildShape(objtype::kLine, 0, CornerBounds(x1, y1, x2, y2),
                      {{{x1, y1, 0}, {}}, {{x2, y2, 0}, {}}}, layer, useDocumentStyle);
}

Objex* BuildOval(float x1, float y1, float x2, float y2, Layer* layer, uint8_t useDocumentStyle) {
    if (Degenerate(x1, y1, x2, y2, layer)) return nullptr;
    const float cx = x1 + (x2 - x1) / 2, cy = y1 + (y2 - y1) / 2;
    // Extents as sizes, so a drag in any direction gives the same points in the same order.
    const float w = std::fabs(x2 - x1), h = std::fabs(y2 - y1);
    // A quarter circle from 45 degrees down to -45, turned to run from the top to the right.
    float h0, th0, th1, h1, d0, td0, td1, d1;
    BuildRadiusSpline(2 * kQuarterTurn, std::fmax(w, h) / 2, &h0, &th0, &th1, &h1, &d0, &td0, &td1,
                      &d1);
    float* axes[2][4] = {{&h0, &th0, &th1, &h1}, {&d0, &td0, &td1, &d1}};
    for (int i = 0; i < 4; ++i)
        Rotate(axes[0][i], axes[1][i], 0, 0, kQuarterTurn);
    const int squashed = w > h ? 1 : 0;
    const float factor = w > h ? GetScale(w, h, 0) : GetScale(h, w, 0);
    if (w != h)
        for (float* value : axes[squashed])
            *value *= factor;
    return BuildShape(objtype::kOval, 1, CornerBounds(x1, y1, x2, y2),
                      {{{cx + h0, cy + d0, 0}, {th0, td0, 0}},
                       {{cx + h1, cy + d1, 0}, {th1, td1, 0}},
                       {{cx + h0, cy - d0, 0}, {-th0, -td0, 0}},
                       {{cx - h1, cy + d1, 0}, {-th1, -td1, 0}}},
                      layer, useDocumentStyle);
}

Objex* BuildMulti(float cx, float cy, float vx, float vy, Layer* layer, int16_t sides,
                  uint8_t useDocumentStyle, float third) {
    // Fewer than three sides make no polygon (and none divides the turn by zero).
    if (!layer || sides < 3) return nullptr;
    float length = 0;
    const float a0 = GetLineLengthAndAngle(cx, cy, vx, vy, &length);
    const float step = kTwoPi / static_cast<float>(sides);
    std::vector<Laid> vertices;
    vertices.reserve(static_cast<size_t>(sides));
    for (int32_t i = 1; i <= sides; ++i) {
        const float a = a0 + static_cast<float>(i) * step;
        vertices.push_back({{cx + length * std::cos(a), cy - length * std::sin(a), third}, {}});
    }
    return BuildShape(objtype::kRegularPolygon, 1,
                      CornerBounds(cx - length, cy - length, cx + length, cy + length), vertices,
                      layer, useDocumentStyle);
}

Objex* BuildPoly(Objex* object, float h, float v, float d, Layer* layer, int16_t mode,
                 uint8_t useDocumentStyle) {
    return StepPolyline(object, h, v, d, layer, mode, useDocumentStyle, true);
}

Objex* BuildSpline(Objex* object, float h, float v, float d, Layer* layer, int16_t mode,
                   uint8_t useDocumentStyle, int16_t viewKind) {
    Objex* result = StepPolyline(object, h, v, d, layer, mode, useDocumentStyle, false);
    if (!result || mode != buildmode::kFinish) return result;
    if (viewKind == 1 || viewKind == 2) {
        SmoothObject(result);
    } else if (viewKind == 3) {
        ConvertXYtoZY(result);
        SmoothObject(result);
        ConvertXYtoZY(result);
    }
    UpdateObjectBounds(result);
    return result;
}

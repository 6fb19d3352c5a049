#include "plan/slope_arrows.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "app/core/localization_seams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/readouts.h"
#include "model/transforms.h"
#include "plan/annotations/dimension_lines.h"
#include "plan/annotations/plan_text.h"
#include "plan/plan_lines.h"

namespace {

constexpr int kH = 0, kV = 1, kD = 2;
constexpr double kDegreesPerRadian = 57.29577951308232;
constexpr float kDeg = static_cast<float>(M_PI / 180.0);
constexpr int16_t kImperial = 3;

struct P { float h, d; };
P operator+(P a, P b) { return {a.h + b.h, a.d + b.d}; }
P operator-(P a, P b) { return {a.h - b.h, a.d - b.d}; }
P Polar(float angle, float length) {
    P p{0, 0};
    GetPointFromLengthAndAngle(angle, length, &p.h, &p.d);
    return p;
}
float Degrees(float radians) { return static_cast<float>(radians * kDegreesPerRadian); }

// An arrow from P1 (tail) to P2 (tip): a is the angle from the tip back to the tail.
struct Arrow {
    P p1, p2;
    float a = 0, length = 0;
    Arrow(P tail, P tip) : p1(tail), p2(tip) { a = GetLineLengthAndAngle(tip.h, tip.d, tail.h, tail.d, &length); }
    P Mid() const { return p2 + Polar(a, length / 2.0f); }
    float Heading() const { float l = 0; return GetLineLengthAndAngle(p1.h, p1.d, p2.h, p2.d, &l); }
};

bool TwoPoints(const Objex* o, P* p1, P* p2) {
    if (!o || !o->firstPoint || !o->firstPoint->next) return false;
    const Poinz* a = o->firstPoint;
    const Poinz* b = a->next;
    *p1 = {a->position[kH], a->position[kD]}, *p2 = {b->position[kH], b->position[kD]};
    return true;
}

void Line(void* dc, P a, P b, const Objex* object, const Poinz* point) {
    DrawLine(dc, a.h, 0, a.d, b.h, 0, b.d, 0, object, point);
}

// Shaft from the tail to the tip and the two barbs.
void Shaft(void* dc, const Arrow& arrow, float barbAngle, float barb, const Objex* object, const Poinz* point) {
    Line(dc, arrow.p2, arrow.p1, object, point);
    Line(dc, arrow.p2, arrow.p2 + Polar(arrow.a + barbAngle, barb), object, point);
    Line(dc, arrow.p2, arrow.p2 + Polar(arrow.a - barbAngle, barb), object, point);
}

void RoofArrow(void* dc, const Objex* object, const Arrow& arrow, const Poinz* point) {
    const DocState* ds = CurrentDocState();
    if (!ds) return;
    Line(dc, arrow.p1, arrow.p2, object, point);
    Line(dc, arrow.p2 + Polar(arrow.a + 45 * kDeg, 30), arrow.p2, object, point);
    Line(dc, arrow.p2 + Polar(arrow.a - 45 * kDeg, 30), arrow.p2, object, point);
    const P m = {(arrow.p1.h + arrow.p2.h) / 2.0f, (arrow.p1.d + arrow.p2.d) / 2.0f};
    const P o = Polar(arrow.a + 90 * kDeg, 12);
    char pitch[kReadoutSize] = {};
    ConvertPitchToStr(objfield::roof::kPitch(*object), pitch);
    const P above = m + o, below = m - o;
    DrawNormalTextNoOrientation(dc, pitch, above.h, above.d, Degrees(arrow.a));
    DrawNormalTextNoOrientation(dc, ds->units == kImperial ? "12" : "10", below.h, below.d, Degrees(arrow.a));
}

// "Elevation=0" by the tail and the tail's descent beside the shaft.
void LotTexts(void* dc, const Arrow& arrow, const Poinz* tail) {
    const P elevation = arrow.p1 + Polar(arrow.a, 15);
    DrawNormalText(dc, LocalizedString("Elevation=0").c_str(), elevation.h, elevation.d, Degrees(arrow.a + 90 * kDeg));
    char value[32];
    std::snprintf(value, sizeof value, "%0.0f", static_cast<double>(objfield::lot_point::Descent(*tail)));
    const std::string text = LocalizedString("Descent: ") + value + static_cast<char>(0xBC);
    const P at = arrow.Mid() + Polar(arrow.a - 90 * kDeg, 15);
    DrawNormalText(dc, text.c_str(), at.h, at.d, Degrees(arrow.Heading()));
}

int IndexOf(const Objex* o, const Poinz* point) {
    int i = 0;
    for (const Poinz* p = o->firstPoint; p; p = p->next, ++i)
        if (p == point) return i;
    return -1;
}

}  // namespace

void DrawRoofSlopeDirectionArrow(void* dc, const Objex* object) {
    P p1, p2;
    if (!TwoPoints(object, &p1, &p2)) return;
    RoofArrow(dc, object, Arrow(p1, p2), object->firstPoint);
}

void DrawCannedRoofSlopeArrow(void* dc, const Objex* object, const float* tail, const float* head) {
    if (!object || !tail || !head) return;
    RoofArrow(dc, object, Arrow({tail[0], tail[1]}, {head[0], head[1]}), nullptr);
}

void DrawTopoSlopeDirectionArrow(void* dc, const Objex* object) {
    P p1, p2;
    if (!TwoPoints(object, &p1, &p2)) return;
    const Arrow arrow(p1, p2);
    Shaft(dc, arrow, 30 * kDeg, 150, object, nullptr);
    const P c = Polar(arrow.a + 90 * kDeg, 200);
    Line(dc, p1 - c, p1 + c, object, nullptr);
    LotTexts(dc, arrow, object->firstPoint);
}

void DrawTopoMultiSlopeDirectionArrow(void* dc, const Objex* object) {
    const DocState* ds = CurrentDocState();
    P p1, p2;
    if (!ds || !TwoPoints(object, &p1, &p2)) return;
    const Arrow arrow(p1, p2);
    Shaft(dc, arrow, 30 * kDeg, 75, object, nullptr);
    const P tip = Polar(arrow.a + 90 * kDeg, 100), tail = Polar(arrow.a + 90 * kDeg, 200);
    Line(dc, p2 + tip, p2 - tip, object, nullptr);
    Line(dc, p1 - tail, p1 + tail, object, nullptr);
    LotTexts(dc, arrow, object->firstPoint);
    if (ds->showDimensions) {
        const int32_t reference[2] = {};
        DrawDimensionLine(dc, p1.h, p1.d, p2.h, p2.d, p1.h, p1.d, p2.h, p2.d, 0, 5.0f, 0, &reference[0],
                          &reference[1], 0, 0, 5.0f, 1, nullptr);
    }
}

void DrawFoundationSlope(void* dc, const Objex* object) {
    P p1, p2;
    if (!TwoPoints(object, &p1, &p2)) return;
    const Arrow arrow(p1, p2);
    Shaft(dc, arrow, 30 * kDeg, 50, object, object->firstPoint);
    const P at = arrow.Mid() + Polar(arrow.a - 90 * kDeg, 15);
    DrawNormalText(dc, LocalizedString("Slope").c_str(), at.h, at.d, Degrees(arrow.Heading()));
}

void DrawTopoLineElevation(void* dc, const Objex* object, const Poinz* point) {
    const DocState* ds = CurrentDocState();
    if (!ds || !object || !point || object->type != objtype::kTopography) return;
    (void)dc;
    const float height = objfield::topo_line::kHeight(*object);
    char value[kReadoutSize] = {};
    ConvertInchesToStr(ConvertScreenToWorld(height, ds, 0), value);
    const std::string text = LocalizedFormat(height > 0 ? "Ascend: %s" : "Descend: %s", {value});
    ApplePortDrawPseudoDynamicText(text.c_str(), point->position[kH], point->position[kD], 0);
}

void DrawRoofPointElevation(void* dc, const Objex* object, const Poinz* point) {
    const DocState* ds = CurrentDocState();
    if (!ds || !object || !point || object->type != objtype::kFreehandRoof) return;
    (void)dc;
    // The roof record, or else the generated slab, whose first ring follows the outline.
    const Objex* record = object->typeData.kind == TypeDataKind::RoofPanels ? object->typeData.roofPanels
                          : object->firstPart && object->firstPart->type == objtype::kPanelSlab ? object->firstPart
                                                                                                 : nullptr;
    const int index = IndexOf(object, point);
    if (!record || index < 0) return;
    const Poinz* same = record->firstPoint;
    for (int i = 0; same && i < index; ++i) same = same->next;
    if (!same) return;
    const float h = ConvertScreenToWorld(std::fabs(same->position[kV]), ds, 0);
    const float elevation = objfield::freehand_roof::kHeightsDownward(*object) ? object->elevation - h
                                                                                : object->elevation + h;
    char value[kReadoutSize] = {};
    ConvertInchesToStr(elevation, value);
    ApplePortDrawPseudoDynamicText(LocalizedFormat("Elev: %s", {value}).c_str(), point->position[kH],
                                   point->position[kD], 0);
}

void DrawCannedRoofPointElevation(void* dc, const Objex* object, const Poinz* point) {
    if (!CurrentDocState() || !object || !point || object->type != objtype::kRoof) return;
    (void)dc;
    char value[kReadoutSize] = {};
    ConvertInchesToStr(object->elevation, value);
    ApplePortDrawPseudoDynamicText(LocalizedFormat("Elev: %s", {value}).c_str(), point->position[kH],
                                   point->position[kD], 0);
}

void DrawTopoSlopeElevation(void* dc, const Objex* object, const Poinz* point) {
    if (!CurrentDocState() || !object || !point ||
        (object->type != objtype::kEntireLot && object->type != objtype::kSlopeLot))
        return;
    char value[32];
    std::snprintf(value, sizeof value, "%0.0f", static_cast<double>(objfield::lot_point::Descent(*point)));
    // U+00B0 is 0xA1 in the model's 8-bit encoding.
    const std::string text = LocalizedString("Descent: ") + value + static_cast<char>(0xA1);
    DrawDynamicText(dc, text.c_str(), point->position[kH], point->position[kD], 0);
}

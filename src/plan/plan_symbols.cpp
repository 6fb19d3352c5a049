#include "plan/plan_symbols.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "app/core/localization_seams.h"
#include "files/symbol_lists.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/objects.h"
#include "model/readouts.h"
#include "model/segment_sampling.h"
#include "model/transforms.h"
#include "plan/annotations/plan_text.h"
#include "plan/plan_lines.h"
#include "model/plan_objects.h"
#include "plan/zoom.h"

namespace {

constexpr int kH = 0, kV = 1, kD = 2;
constexpr double kDegreesPerRadian = 57.29577951308232;
constexpr float kQuarterTurn = static_cast<float>(M_PI / 2);

constexpr int16_t kSymbolTypes[] = {55, 65, 66, 67, 70, 73, 74, 75, 76, 77, 78, 83, 84, 85,
                                    86, 87, 90, 91, 92, 93, 94, 95, 96, 97, 99, 109, 124};

struct Fixture {
    int16_t subtype;
    const char* name;
    float width, height;  // the size the symbol is drawn at, world units
};
constexpr Fixture kFixtures[] = {{95, "Tub/Shower", 60, 30}, {96, "Spa Tub", 60, 42}, {97, "Shower", 48, 36}};

const Fixture* FixtureOf(int16_t subtype) {
    for (const Fixture& f : kFixtures)
        if (f.subtype == subtype) return &f;
    return nullptr;
}

bool NonZeroPlan(const float t[3]) { return t[kH] != 0.0f || t[kD] != 0.0f; }
bool Zero(const float t[3]) { return t[0] == 0.0f && t[1] == 0.0f && t[2] == 0.0f; }

// Moves a position about the origin (tangents about (0, 0)) as the symbol is placed.
void Place(Poinz* p, const float* origin, float angle, float scaleH, float scaleV, bool scale) {
    p->position[kH] += origin[0], p->position[kD] += origin[1];
    if (scale) {
        Scale(&p->position[kH], &p->position[kD], origin[0], origin[1], scaleH, scaleV);
        for (float* t : {p->inTangent, p->outTangent})
            if (NonZeroPlan(t)) Scale(&t[kH], &t[kD], 0, 0, scaleH, scaleV);
    }
    Rotate(&p->position[kH], &p->position[kD], origin[0], origin[1], angle);
    for (float* t : {p->inTangent, p->outTangent})
        if (NonZeroPlan(t)) Rotate(&t[kH], &t[kD], 0, 0, angle);
}

}  // namespace

void Draw2DSymbolSegment(void* dc, const Objex* object, const Poinz* first, const Poinz* second,
                         int32_t, int32_t, float angle, const float* origin, float scaleH,
                         float scaleV) {
    const DocState* ds = CurrentDocState();
    if (!ds || !first || !second || !origin) return;
    Poinz a = *first, b = *second;
    const bool scale = !(scaleH == 1.0f && scaleV == 1.0f);
    const float r = GetRotate(0, angle);
    Place(&a, origin, r, scaleH, scaleV, scale);
    Place(&b, origin, r, scaleH, scaleV, scale);
    if (Zero(a.outTangent) && Zero(b.inTangent)) {
        DrawLine(dc, a.position[kH], a.position[kV], a.position[kD], b.position[kH], b.position[kV],
                 b.position[kD], 0, object, first);
        return;
    }
    int32_t k = ds->curveSegments;
    if (!gPrinting) k = std::max<int32_t>(1, k / 3);
    const int32_t z = ZoomL(k);
    const float s = z < 8 ? 0.125f : z > 20 ? 0.05f : 1.0f / static_cast<float>(z);
    const SegmentCubic cubic(a.position, a.outTangent, b.position, b.inTangent);
    float from[3], to[3];
    cubic.At(0.0f, to);
    for (int i = 1; static_cast<float>(i) * s <= 1.01f; ++i) {
        std::copy(to, to + 3, from);
        cubic.At(static_cast<float>(i) * s, to);
        DrawLine(dc, from[kH], from[kV], from[kD], to[kH], to[kV], to[kD], 0, object, first);
    }
}

void Draw2DSymbolObject(void* dc, const Objex* object, int32_t a, int32_t b, float angle,
                        const float* origin, float scaleH, float scaleV) {
    if (!object || object->rows != 1 || !object->firstPoint) return;
    const Poinz* last = object->firstPoint;
    for (const Poinz* p = object->firstPoint; p->next; p = p->next, last = p)
        Draw2DSymbolSegment(dc, object, p, p->next, a, b, angle, origin, scaleH, scaleV);
    if (object->closed) Draw2DSymbolSegment(dc, object, last, object->firstPoint, a, b, angle, origin, scaleH, scaleV);
}

namespace {

// The loaded symbol of a type that has a built-in one; null otherwise.
const Objex* SymbolEntry(int16_t symbolType) {
    if (std::find(std::begin(kSymbolTypes), std::end(kSymbolTypes), symbolType) == std::end(kSymbolTypes))
        return nullptr;
    return FindSymbolEntry(gSymbol2DList, symbolType);
}

}  // namespace

bool Draws2DSymbol(int16_t symbolType) { return SymbolEntry(symbolType) != nullptr; }

void SetupToDraw2DSymbolObject(void* dc, int32_t a, int32_t b, float angle, const float* origin,
                               int16_t symbolType, float scaleH, float scaleV) {
    const Objex* entry = origin ? SymbolEntry(symbolType) : nullptr;
    if (!entry) return;
    for (const Objex* child = entry->firstChild; child; child = child->next) {
        Draw2DSymbolObject(dc, child, a, b, angle, origin, scaleH, scaleV);
        for (const Objex* grandchild = child->firstChild; grandchild; grandchild = grandchild->next)
            Draw2DSymbolObject(dc, grandchild, a, b, angle, origin, scaleH, scaleV);
    }
}

void FixtureSymbolScale(int16_t symbolType, float width, float height, float* scaleH, float* scaleV) {
    const DocState* ds = CurrentDocState();
    const Fixture* fixture = FixtureOf(symbolType);
    *scaleH = *scaleV = 1.0f;
    if (!fixture || !ds) return;
    *scaleH = width / ConvertWorldToScreen(fixture->width, ds, 0);
    *scaleV = height / ConvertWorldToScreen(fixture->height, ds, 0);
}

void DrawComponent(void* dc, const Objex* object, int32_t, int32_t a, int32_t b, int16_t symbolType) {
    const DocState* ds = CurrentDocState();
    if (!object || !ds || object->typeData.kind != TypeDataKind::Attachment) return;
    const AttachmentRecord* record = object->typeData.attachment;
    const Objex* wall = object->parent;
    const Poinz* p1 = object->firstPoint;
    const Poinz* p2 = p1 ? p1->next : nullptr;
    if (!record || !record->segmentStart || !record->segmentEnd || !wall || !p2) return;
    float q[2] = {(p1->position[kH] + p2->position[kH]) / 2.0f, (p1->position[kD] + p2->position[kD]) / 2.0f};
    float length = 0;
    const float w = GetLineLengthAndAngle(record->segmentStart->position[kH], record->segmentStart->position[kD],
                                          record->segmentEnd->position[kH], record->segmentEnd->position[kD], &length);
    const float t = ConvertWorldToScreen(wall->penWidth, ds, 0) / 2.0f;
    const float f = record->sideFlag == 0 ? w - kQuarterTurn : w + kQuarterTurn;
    auto along = [&](float distance, float* h, float* d) {
        float dh = 0, dd = 0;
        GetPointFromLengthAndAngle(f, distance, &dh, &dd);
        *h = q[0] + dh, *d = q[1] + dd;
    };
    along(t, &q[0], &q[1]);
    const Fixture* fixture = FixtureOf(symbolType);
    float scaleH = 1.0f, scaleV = 1.0f;
    FixtureSymbolScale(symbolType, record->width, record->height, &scaleH, &scaleV);
    SetupToDraw2DSymbolObject(dc, a, b, f + kQuarterTurn, q, symbolType, scaleH, scaleV);
    if (!fixture) return;
    const float degrees = static_cast<float>(w * kDegreesPerRadian);
    char width[kReadoutSize] = {}, height[kReadoutSize] = {};
    ConvertInchesToStr(ConvertScreenToWorld(record->width, ds, 0), width);
    ConvertInchesToStr(ConvertScreenToWorld(record->height, ds, 0), height);
    float h = 0, d = 0;
    along(record->height / 2.0f - 8.0f, &h, &d);
    DrawNormalText(dc, LocalizedFormat("%sLx%sW", {width, height}).c_str(), h, d, degrees);
    along(record->height / 2.0f + 8.0f, &h, &d);
    DrawNormalText(dc, LocalizedString(fixture->name).c_str(), h, d, degrees);
}

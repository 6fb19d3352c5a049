#include "scene/wall_trim_sweep.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

#include "model/lines.h"
#include "model/objects.h"
#include "model/projection.h"
#include "model/type_data.h"
#include "files/texture_files.h"
#include "scene/plane_object.h"

void SetSlotMaterials(PlaneObject* p, TrimRecord* r, int slot) {
    auto* scale = reinterpret_cast<int16_t*>(r->scale[slot]);
    for (const bool front : {true, false}) {
        (front ? p->frontTexture : p->backTexture) = r->texture[slot];
        uint16_t* size = front ? p->frontTextureSize : p->backTextureSize;
        size[0] = r->scale[slot][0];
        size[1] = r->scale[slot][1];
        (front ? p->frontColor : p->backColor) = r->color[slot];
        (front ? p->frontTextureField : p->backTextureField) = &r->texture[slot];
        (front ? p->frontColorField : p->backColorField) = &r->color[slot];
        (front ? p->frontScaleField : p->backScaleField) = scale;
    }
}

namespace {

// GetIntersection's answer for lines that never cross is at least this.
constexpr float kNoCrossing = 30000.0f;
constexpr float kMitreReach = 10.0f;

struct Mitre {
    bool on = false;
    float h1 = 0, d1 = 0, h2 = 0, d2 = 0;
};

float Direction(const Poinz* from, const Poinz* to) {
    float length = 0;
    return GetLineLengthAndAngle(from->position[0], from->position[2], to->position[0],
                                 to->position[2], &length);
}

// The joint at `corner` between the segment arriving from `from` and the one leaving for
// `to`, through the face's position there.
Mitre MitreAt(const PolygonVertex& at, const Poinz* from, const Poinz* corner, const Poinz* to) {
    const float a1 = Direction(from, corner), a2 = Direction(to, corner);
    float dh = 0, dd = 0;
    GetPointFromLengthAndAngle(a2 + (a1 - a2) / 2.0f, kMitreReach, &dh, &dd);
    return {true, at.H, at.D, at.H + dh, at.D + dd};
}

// Slides `v` along the line from `other` onto the mitre; left where it is when they never meet.
void OntoMitre(PolygonVertex& v, const PolygonVertex& other, const Mitre& m) {
    float h = 0, d = 0;
    GetIntersection(v.H, v.D, other.H, other.D, m.h1, m.d1, m.h2, m.d2, &h, &d);
    if (h >= kNoCrossing || d >= kNoCrossing) return;
    v.H = h;
    v.D = d;
}

Poinz* LastPoint(const Objex* wall) {
    Poinz* p = wall->firstPoint;
    while (p && p->next) p = p->next;
    return p;
}

// The trim record of a neighbouring segment's first point on this face.
const TrimRecord* RecordOf(const Poinz* p, int16_t reversed) {
    return p ? (reversed ? p->trim2 : p->trim1) : nullptr;
}

// A face of the sweep: the slot's material on both sides, writing back to the record, and
// speaking for the face being built.
PlaneObject* NewFace(TrimRecord* r, int16_t slot, PlaneVertex* v, uint32_t count) {
    PlaneObject* p = CreatePlaneObject();
    if (!p) {
        DeletePlanarPolygon(v);
        return nullptr;
    }
    AppendPlaneThroughFirstThree(v, count, p);
    if (!p->planes) {
        DeletePlaneObject(p);
        return nullptr;
    }
    p->pieceKind = kWallTrimFace;
    SetSlotMaterials(p, r, slot);
    p->trimRecordField = gCurPlaneObject->trimRecordField;
    return p;
}

void Attach(PlaneObject* p) {
    Objex* owner = gCurPlaneObject->sourceObject;
    AppendPlaneObjectAttachment(p, gCurPlaneObject);
    if (owner) p->sourceObject = owner;
}

// The profile's points moved by the positions, in profile order; null when memory ran out.
PlaneVertex* Corners(std::initializer_list<std::pair<const Float3DPoint*, const PolygonVertex*>> at) {
    PlaneVertex* v = nullptr;
    int32_t bytes = 0;
    for (const auto& [p, pos] : at)
        if (!StorePolyPoint(&v, p->floatH + pos->H, p->floatV, p->floatD + pos->D, &bytes, 0, 0, 0))
            return nullptr;
    return v;
}

// The faces and end pieces of a sweep whose ends are in their running order.
void Sweep(TrimRecord* record, const PolygonVertex& start, const PolygonVertex& end,
           const Float3DPoint* profile, int32_t count, float length, int16_t slot,
           const Mitre& startMitre, const Mitre& endMitre) {
    float runningV = 0.0f;
    for (int32_t k = 1; k < count; ++k) {
        const Float3DPoint* pi = &profile[k];
        const Float3DPoint* pj = &profile[(k + 1) % count];
        PlaneVertex* v = Corners({{pi, &start}, {pj, &start}, {pj, &end}, {pi, &end}});
        if (!v) return;
        if (startMitre.on) OntoMitre(v[0], v[3], startMitre), OntoMitre(v[1], v[2], startMitre);
        if (endMitre.on) OntoMitre(v[3], v[0], endMitre), OntoMitre(v[2], v[1], endMitre);
        CalculateVCoordinates(length, v[1].V - v[0].V, runningV, v);
        runningV = v[1].v;
        PlaneObject* face = NewFace(record, slot, v, 4);
        if (!face) return;
        SetWallTrimFaceUVCoords(face, face->planes->vertices, 4, length, 0);
        Attach(face);
    }
    if (!startMitre.on) BuildTrimEndPiece(record, &start, profile, count, length, slot);
    if (!endMitre.on) BuildTrimEndPiece(record, &end, profile, count, length, slot);
}

} // namespace

bool CarriesTrim(const TrimRecord* record, int16_t slot) {
    if (!record || slot < 0 || slot > 1) return false;
    const int32_t word = record->slot[slot];
    return (word & 3) != 0 || word == TrimRecord::kCustomProfile;
}

void BuildCustomTrimPlanesForWalls(TrimRecord* record, PolygonVertex* start, PolygonVertex* end,
                                   const Float3DPoint* profile, int32_t count, float length,
                                   int16_t slot, Poinz* wallPoint, int16_t reversed) {
    if (!record || !start || !end || !profile || count < 3 || !gCurPlaneObject || !wallPoint ||
        !wallPoint->owner || slot < 0 || slot > 1)
        return;
    const Objex* wall = wallPoint->owner;
    Poinz* next = wallPoint->next ? wallPoint->next : wall->closed ? wall->firstPoint : nullptr;
    if (!next || next == wallPoint) return;
    Poinz* previous = wallPoint->prev ? wallPoint->prev : wall->closed ? LastPoint(wall) : nullptr;
    Poinz* afterNext = next->next ? next->next : wall->closed ? wall->firstPoint : nullptr;

    if (reversed) std::swap(*start, *end);
    Mitre startMitre, endMitre;
    if (previous && previous != wallPoint && CarriesTrim(RecordOf(previous, reversed), slot))
        startMitre = MitreAt(*start, previous, wallPoint, next);
    // The joint is mitred when the segment leaving the next point carries the trim too.
    if (afterNext && afterNext != next && CarriesTrim(RecordOf(next, reversed), slot))
        endMitre = MitreAt(*end, wallPoint, next, afterNext);
    Sweep(record, *start, *end, profile, count, length, slot, startMitre, endMitre);
    if (reversed) std::swap(*start, *end);
}

void BuildTrimEndPiece(TrimRecord* record, const PolygonVertex* position,
                       const Float3DPoint* profile, int32_t count, float length, int16_t slot) {
    if (!record || !position || !profile || count < 3 || !gCurPlaneObject || slot < 0 || slot > 1)
        return;
    PlaneVertex* v = nullptr;
    int32_t bytes = 0;
    for (int32_t i = 0; i < count; ++i)
        if (!StorePolyPoint(&v, profile[i].floatH + position->H, profile[i].floatV,
                            profile[i].floatD + position->D, &bytes, 0, 0, 0))
            return;
    PlaneObject* piece = NewFace(record, slot, v, static_cast<uint32_t>(count));
    if (!piece) return;
    SetWallTrimFaceUVCoords(piece, piece->planes->vertices, count, length, 1);
    Attach(piece);
}

void CalculateVCoordinates(float length, float rise, float start, PolygonVertex* vertices) {
    if (!vertices || length == 0.0f) return;
    const float low = rise == 0.0f ? 0.0f : start;
    const float high = rise == 0.0f ? 1.0f : start + rise / length;
    vertices[0].v = vertices[3].v = low;
    vertices[1].v = vertices[2].v = high;
}

void SetWallTrimFaceUVCoords(PlaneObject* planeObject, PolygonVertex* vertices, int32_t count,
                             float length, int16_t setV) {
    if (!planeObject || !vertices || count < 1) return;
    float lo[3] = {vertices[0].H, vertices[0].V, vertices[0].D};
    float hi[3] = {lo[0], lo[1], lo[2]};
    for (int32_t i = 1; i < count; ++i) {
        const float c[3] = {vertices[i].H, vertices[i].V, vertices[i].D};
        for (int k = 0; k < 3; ++k) lo[k] = std::min(lo[k], c[k]), hi[k] = std::max(hi[k], c[k]);
    }
    float ex = hi[0] - lo[0], ey = hi[1] - lo[1], ez = hi[2] - lo[2];
    int axis = 2;
    if (ex == ez && ey != 0.0f)
        axis = 1;
    else if (ex >= ey && ez >= ey)
        axis = 2;
    else if (ex >= ez && ey >= ez)
        axis = 1;
    else if (ez >= ex && ey >= ex)
        axis = 3;
    if (ex == 0.0f) ex = 1.0f;
    if (ey == 0.0f) ey = 1.0f;
    if (ez == 0.0f) ez = 1.0f;
    for (int32_t i = 0; i < count; ++i) {
        PolygonVertex& p = vertices[i];
        const float x = (p.H - lo[0]) / ex, y = (p.V - lo[1]) / ey, z = (p.D - lo[2]) / ez;
        p.u = axis == 3 ? z : x;
        if (setV) p.v = axis == 2 ? z : y;
    }
    const float width = axis == 3 ? ez : ex;
    ComputeTextureScale(planeObject->frontTexture, width, length, &planeObject->frontRepeat[0],
                        &planeObject->frontRepeat[1]);
    planeObject->backRepeat[0] = planeObject->frontRepeat[0];
    planeObject->backRepeat[1] = planeObject->frontRepeat[1];
}

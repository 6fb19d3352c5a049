#include "geometry/elements/stair_state.h"

#include <cmath>
#include <vector>

#include "model/deletion.h"
#include "model/generated_numbers.h"
#include "model/lines.h"
#include "model/objects.h"
#include "model/piece_runs.h"
#include "model/splines.h"
#include "model/texture_mapping.h"
#include "port/seam.h"
#include "model/poly_builders.h"

float gStairHeightAccum = 0;
uint8_t gInitializeStairs = 0;
uint8_t gInitializeSteps = 0;
uint8_t gFinalStairSegment = 0;
uint8_t gPlaceFinalBalusters = 0;
int32_t gCurvedStepCount = 0;
float gStairStringerHeightAccum = 0;
Float3DPoint gStairStartLeftPt;
Float3DPoint gStairStartRightPt;

static const port::GlobalReset kReset([] {
    gStairHeightAccum = 0, gStairStringerHeightAccum = 0;
    gInitializeStairs = gInitializeSteps = gFinalStairSegment = gPlaceFinalBalusters = 0;
    gCurvedStepCount = 0;
    gStairStartLeftPt = gStairStartRightPt = Float3DPoint{};
});

void StartStairSegments() {
    gInitializeStairs = 1;
    gFinalStairSegment = 1;
    gPlaceFinalBalusters = 0;
    gStairHeightAccum = 0;
    gStairStringerHeightAccum = 0;
}

float WalkedLength(const Poinz* point, const Poinz* next, float step) {
    if (!point || !next || !(step > 0)) return 0;
    float length = 0;
    Float3DPoint previous{point->position[0], point->position[1], point->position[2]};
    for (int i = 1;; ++i) {
        const float t = float(i) * step;
        if (!(t <= 1.01f)) break;
        Float3DPoint at;
        GetSplineCoordinate(point, next, t, &at.floatH, &at.floatV, &at.floatD);
        float chord = 0;
        PlanAngle(previous, at, &chord);
        length += chord;
        previous = at;
    }
    return length;
}

BoundedWalkStep::BoundedWalkStep(StyleState& record, float curveLength)
    : record_(record), saved_(stairwalk::StepLength(record)) {
    stairwalk::StepLength(record) = pieceruns::SpacingAlong(saved_, curveLength);
}

BoundedWalkStep::~BoundedWalkStep() { stairwalk::StepLength(record_) = saved_; }

Float3DPoint Moved(const Float3DPoint& p, float angle, float length) {
    float dh = 0, dd = 0;
    GetPointFromLengthAndAngle(angle, length, &dh, &dd);
    return {p.floatH + dh, p.floatV, p.floatD + dd};
}

float PlanAngle(const Float3DPoint& a, const Float3DPoint& b, float* length) {
    float l = 0;
    const float angle = GetLineLengthAndAngle(a.floatH, a.floatD, b.floatH, b.floatD, &l);
    if (length) *length = l;
    return angle;
}

Float3DPoint Toward(const Float3DPoint& p, const Float3DPoint& toward, float length) {
    float l = 0;
    const float angle = PlanAngle(p, toward, &l);
    return l > 0 ? Moved(p, angle, length) : p;
}

namespace {

void Dress(Objex* piece, int16_t type, const RailMaterial& m, RGBColor fill) {
    piece->type = type;
    piece->flagA = 1;  // built with its faces
    piece->fillColor = fill;
    for (Poinz* p = piece->firstPoint; p; p = p->next) {
        p->texture1 = p->texture2 = m.texture;
        p->color1 = p->color2 = m.colour;
        p->faceScale1 = p->faceScale2 = m.scales;
    }
}

// The owner holds as many pieces as one object may: the builders make no more.
bool Full(const StairContext& c) { return PartCount(c.owner) >= pieceruns::kMostPerObject; }

Objex* Hang(const StairContext& c, Objex* piece) {
    if (!piece) return nullptr;
    UnlinkObject(piece);  // a part only: on no layer
    piece->sourceObject = c.owner;
    Unnumber(piece);
    AppendPartToObject(c.owner, piece);
    return piece;
}

}  // namespace

Objex* AppendSolidPiece(const StairContext& c, const Float3DPoint* lower, const Float3DPoint* upper, int32_t count,
                        int16_t type, const RailMaterial& material, RGBColor fill) {
    if (!c.owner || !c.layer || count < 2 || Full(c)) return nullptr;
    const std::vector<Float3DPoint> none(static_cast<size_t>(count));
    Objex* piece = BuildClosedPoly(lower, upper, none.data(), none.data(), none.data(), none.data(), count, c.layer, 1);
    if (!piece) return nullptr;
    Dress(piece, type, material, fill);
    return Hang(c, piece);
}

Objex* HangBuiltPiece(const StairContext& c, Objex* built, int16_t type, const RailMaterial& material, RGBColor fill) {
    if (!built) return nullptr;
    if (!c.owner || Full(c)) {
        DeleteObj(built);
        return nullptr;
    }
    Dress(built, type, material, fill);
    return Hang(c, built);
}

Objex* AppendFlatPiece(const StairContext& c, const Float3DPoint* corners, int32_t count, int16_t type,
                       const RailMaterial& material, RGBColor fill) {
    if (!c.owner || !c.layer || count < 3 || Full(c)) return nullptr;
    const std::vector<Float3DPoint> none(static_cast<size_t>(count));
    Objex* piece = BuildGeneralPoly(corners, nullptr, none.data(), none.data(), nullptr, nullptr, count, c.layer, 1,
                                    type, 1, 0);
    if (!piece) return nullptr;
    Dress(piece, type, material, fill);
    SetObjectPointLengths(piece);
    SetTextureFaceUV(piece);
    return Hang(c, piece);
}

Objex* AppendBandPiece(const StairContext& c, const Float3DPoint lower[2], const Float3DPoint upper[2], int16_t type,
                       const RailMaterial& material, RGBColor fill) {
    if (!c.owner || !c.layer || Full(c)) return nullptr;
    const Float3DPoint none[2] = {};
    Objex* piece = BuildOpenPoly(lower, upper, none, none, none, none, 2, c.layer, 1);
    if (!piece) return nullptr;
    Dress(piece, type, material, fill);
    return Hang(c, piece);
}

Objex* AppendBoxPiece(const StairContext& c, const Float3DPoint& at, float angle, float along, float across,
                      float lowerV, float upperV, int16_t type, const RailMaterial& material) {
    const float half = along / 2, side = across / 2;
    const float across90 = angle + 1.57079632679f;
    const Float3DPoint f = Moved(at, angle, half), b = Moved(at, angle, -half);
    const Float3DPoint corners[4] = {Moved(f, across90, -side), Moved(f, across90, side), Moved(b, across90, side),
                                     Moved(b, across90, -side)};
    Float3DPoint lower[4], upper[4];
    for (int i = 0; i < 4; ++i) lower[i] = AtV(corners[i], lowerV), upper[i] = AtV(corners[i], upperV);
    return AppendSolidPiece(c, lower, upper, 4, type, material, material.colour);
}

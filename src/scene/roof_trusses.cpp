#include "scene/roof_trusses.h"

#include <cmath>
#include <numbers>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/piece_runs.h"
#include "model/scoped_restore.h"
#include "model/transforms.h"
#include "scene/plane_object.h"
#include "port/seam.h"

// The ends of the latest roof framed, kept until the next call clears them.
TrussEnd sEnd1, sEnd2;

namespace {

const port::GlobalReset kReset([] { sEnd1 = sEnd2 = TrussEnd{}; });

constexpr float kQuarter = std::numbers::pi_v<float> / 2;

FramePoint At(float h, float v, float d) {
    FramePoint p{};
    p.H = h, p.V = v, p.D = d;
    return p;
}

FramePoint Offset(const FramePoint& p, float angle, float length, float rise = 0) {
    float dh = 0, dd = 0;
    GetPointFromLengthAndAngle(angle, length, &dh, &dd);
    return At(p.H + dh, p.V - rise, p.D + dd);
}

FramePoint Middle(const FramePoint& a, const FramePoint& b, float level) {
    return At((a.H + b.H) / 2, level, (a.D + b.D) / 2);
}

float AngleOf(const FramePoint& a, const FramePoint& b, float* length = nullptr) {
    float l = 0;
    const float angle = GetLineLengthAndAngle(a.H, a.D, b.H, b.D, &l);
    if (length) *length = l;
    return angle;
}

FramePoint Corner(const Poinz* p) { return At(p->position[0], p->position[1], p->position[2]); }

}  // namespace

void RenderRoofTruss(const FramePoint& a, const FramePoint& b, Objex* roof) {
    const float across = AngleOf(a, b) + kQuarter;
    const FramePoint lo[4] = {Offset(a, across, 1.25f), Offset(a, across, -1.25f), Offset(b, across, -1.25f),
                              Offset(b, across, 1.25f)};
    const FramePoint hi[4] = {Offset(a, across, 1.25f, 10), Offset(a, across, -1.25f, 10),
                              Offset(b, across, -1.25f, 10), Offset(b, across, 1.25f, 10)};
    BuildStudPlane(&lo[0], &lo[1], &lo[2], &lo[3], roof, true);
    BuildHeaderPlane(&lo[0], &hi[0], &hi[3], &lo[3], roof);
    BuildHeaderPlane(&lo[1], &hi[1], &hi[2], &lo[2], roof);
    BuildStudPlane(&hi[0], &hi[1], &hi[2], &hi[3], roof, true);
}

void RenderVerticalRoofTruss(float angle, const FramePoint& a, const FramePoint& b, Objex* roof, bool backward) {
    const float along = backward ? -10.0f : 10.0f, across = angle + kQuarter;
    auto ring = [&](const FramePoint& p, FramePoint out[4]) {
        const FramePoint w = Offset(p, angle, along);
        out[0] = Offset(p, across, 1.25f), out[1] = Offset(p, across, -1.25f);
        out[2] = Offset(w, across, -1.25f), out[3] = Offset(w, across, 1.25f);
    };
    FramePoint ra[4], rb[4];
    ring(a, ra), ring(b, rb);
    for (int i = 0; i < 4; ++i) {
        const int j = (i + 1) % 4;
        BuildStudPlane(&ra[i], &rb[i], &rb[j], &ra[j], roof, true);
    }
}

void FrameRoofTruss(const FramePoint& start, const FramePoint& end, float slope, Objex* roof, int endIndex,
                    bool bottomChord, bool webs) {
    float span = 0;
    const float angle = AngleOf(start, end, &span);
    FramePoint peak = Offset(start, angle, span / 2, slope * span / 2);
    const FramePoint oneThird = Offset(start, angle, span / 3);
    const FramePoint twoThird = Offset(end, angle, -span / 3);
    const float dx = peak.H - start.H, dy = peak.V - start.V, dz = peak.D - start.D;
    const FramePoint left = At(start.H + dx / 3, start.V + dy / 3, start.D + dz / 3);
    const FramePoint right = At(end.H - dx / 3, end.V + dy / 3, end.D - dz / 3);
    RenderRoofTruss(start, peak, roof);
    RenderRoofTruss(end, peak, roof);
    if (bottomChord) RenderRoofTruss(start, end, roof);
    if (webs) {
        RenderRoofTruss(left, oneThird, roof);
        RenderVerticalRoofTruss(angle, peak, oneThird, roof, false);
        RenderRoofTruss(right, twoThird, roof);
        RenderVerticalRoofTruss(angle, peak, twoThird, roof, true);
    }
    if (endIndex != 1 && endIndex != 2) return;
    TrussEnd& e = endIndex == 1 ? sEnd1 : sEnd2;
    e = TrussEnd{start, end, oneThird, twoThird, peak, left, right, true};
}

void FrameRoofTrusses(Objex* roof) {
    const DocState* ds = CurrentDocState();
    sEnd1 = sEnd2 = TrussEnd{};
    if (!ds || !roof || roof->type != objtype::kRoof || roof->pointCount < 4) return;
    const Poinz* q = roof->firstPoint;
    FramePoint P[4];
    for (int i = 0; i < 4; ++i, q = q->next) {
        if (!q) return;
        P[i] = Corner(q);
    }
    const int32_t style = objfield::roof::kStyle(*roof);
    if (style < 1 || style > 6) return;
    dvx::Restore<Objex*> base(gBase2DObject, roof), actual(gActual3DObject, roof);
    const float s = ConvertWorldToScreen(24.0f, ds, 0);
    const float slope = objfield::roof::kPitch(*roof) / 12.0f;
    const bool fromP1 = style == 4 || style == 5;
    // The first base line's ends, the far end's, and the eave direction stepped along.
    float W = 0, L = 0;
    const FramePoint &a0 = fromP1 ? P[1] : P[0], &a3 = fromP1 ? P[2] : P[3];
    const FramePoint &b0 = fromP1 ? P[0] : P[1], &b3 = fromP1 ? P[3] : P[2];
    AngleOf(a0, a3, &W);
    const float u = AngleOf(a0, b0, &L);
    float shift = 0, run = L;
    if (style == 1) shift = W / 2, run = L - W;
    if (style == 3 || style == 5) shift = W / 2, run = L - W / 2;
    // A roof too long for whole trusses 24 inches apart (a damaged corner) spreads them out.
    const int32_t count = s > 0 ? pieceruns::WholeCount(run / s + 0.5f) : 0;
    const float apart = count == pieceruns::kMostPerRun ? run / float(count) : s;
    for (int32_t i = 0; i < count; ++i) {
        const float at = shift + static_cast<float>(i) * apart;
        FrameRoofTruss(Offset(a0, u, at), Offset(a3, u, at), slope, roof, i == 0 ? 1 : 0, false, false);
    }
    const float back = style == 1 ? -W / 2 : 0.0f;
    FrameRoofTruss(Offset(b0, u, back), Offset(b3, u, back), slope, roof, 2, false, false);

    const TrussEnd &e1 = sEnd1, &e2 = sEnd2;
    auto beam = [&](const FramePoint& a, const FramePoint& b) { RenderRoofTruss(a, b, roof); };
    // Members joining both ends; with no loop truss the first end was not recorded and they go.
    if (e1.recorded) {
        beam(e1.midPeak, e2.midPeak);
        beam(e1.leftThirdRake, e2.leftThirdRake);
        beam(e1.rightThirdRake, e2.rightThirdRake);
    }
    // Hip ends over the first line (styles 1, 3, 5) and end points beyond an end (4, 5, 6).
    auto hipEnd = [&](const FramePoint& c0, const FramePoint& c3) {
        if (!e1.recorded) return;
        beam(Middle(c0, c3, c0.V), e1.midPeak);
        beam(c0, e1.midPeak), beam(c3, e1.midPeak);
        beam(e1.leftThirdRake, c0), beam(e1.rightThirdRake, c3);
    };
    auto pointEnd = [&](const TrussEnd& e, const FramePoint& c0, const FramePoint& c3, float away, float width,
                        bool withCorners) {
        if (!e.recorded) return;
        const FramePoint a = Offset(Middle(c0, c3, e.midPeak.V), away, width / 2);
        beam(a, e.midPeak);
        beam(e.leftThirdRake, a), beam(e.rightThirdRake, a);
        if (withCorners) beam(c0, a), beam(c3, a);
    };
    switch (style) {
    case 1:
        hipEnd(P[0], P[3]);
        if (e2.recorded) {
            beam(Middle(P[1], P[2], P[1].V), e2.midPeak);
            beam(P[1], e2.midPeak), beam(P[2], e2.midPeak);
            beam(e2.leftThirdRake, P[1]), beam(e2.rightThirdRake, P[2]);
        }
        beam(P[0], P[1]), beam(P[3], P[2]), beam(P[0], P[3]), beam(P[1], P[2]);
        break;
    case 2:
        if (e1.recorded) beam(e1.start, e2.start), beam(e1.end, e2.end);
        break;
    case 3:
        hipEnd(P[0], P[3]);
        beam(P[0], P[1]), beam(P[3], P[2]), beam(P[0], P[3]);
        break;
    case 4:
    case 5:
        if (style == 5) hipEnd(P[1], P[2]);
        // a0 lies beyond the P0-P3 end, away from P1.
        pointEnd(e2, P[0], P[3], AngleOf(P[1], P[0]), W, true);
        beam(P[1], P[0]), beam(P[2], P[3]);
        if (style == 5) beam(P[1], P[2]);
        break;
    case 6:
        pointEnd(e1, P[0], P[3], AngleOf(P[1], P[0]), W, true);
        pointEnd(e2, P[1], P[2], AngleOf(P[0], P[1]), W, true);
        beam(P[0], P[1]), beam(P[3], P[2]);
        break;
    default:
        break;
    }
}

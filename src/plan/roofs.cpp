#include "plan/roofs.h"

#include <cmath>
#include <string>

#include "app/core/localization_seams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/numeric.h"
#include "model/object_fields.h"
#include "model/objects.h"
#include "model/parallel.h"
#include "model/projection.h"
#include "model/readouts.h"
#include "model/transforms.h"
#include "model/view_state.h"
#include "plan/annotations/dimension_lines.h"
#include "plan/annotations/plan_text.h"
#include "model/plan_objects.h"
#include "plan/slope_arrows.h"
#include "plan/wall_dimensions.h"
#include "port/drawing.h"

namespace {

constexpr int kH = 0, kV = 1, kD = 2;

struct P { float h, v, d; };
P Plus(P a, float k, const float u[2]) { return {a.h + k * u[0], a.v, a.d + k * u[1]}; }
P Mid(P a, P b) { return {(a.h + b.h) / 2, (a.v + b.v) / 2, (a.d + b.d) / 2}; }

// The unit plan direction from a to b; +h when they coincide.
void Unit(P a, P b, float u[2]) {
    const float dh = b.h - a.h, dd = b.d - a.d, l = std::sqrt(dh * dh + dd * dd);
    if (l == 0) u[0] = 1, u[1] = 0;
    else u[0] = dh / l, u[1] = dd / l;
}

float Whole(float v) { return dvxnum::TruncToInt16(static_cast<double>(v) + 0.5); }

void AddLine(port::Path& path, P a, P b) {
    ConvertToIso(&a.h, &a.v, &a.d, &b.h, &b.v, &b.d, gPerspective);
    if (gPrinting) a.h *= gHPrintScale, b.h *= gHPrintScale, a.v *= gVPrintScale, b.v *= gVPrintScale;
    path.moveTo(Whole(a.h), Whole(a.v));
    path.lineTo(Whole(b.h), Whole(b.v));
}

void Readout(void* dc, P a, P b, uint8_t side, const char* extra) {
    const int32_t reference[2] = {};
    DrawDimensionLine(dc, a.h, a.d, b.h, b.d, a.h, a.d, b.h, b.d, side, 5.0f, 0, &reference[0], &reference[1], 0, 0,
                      5.0f, 1, extra);
}

}  // namespace

void DrawRoof(void* dc, Objex* roof) {
    const DocState* ds = CurrentDocState();
    if (!roof || !ds) return;
    P c[4];
    const Poinz* q = roof->firstPoint;
    for (int i = 0; i < 4; ++i, q = q->next) {
        if (!q) return;
        c[i] = {q->position[kH], q->position[kV], q->position[kD]};
    }
    const P m1 = Mid(c[0], c[3]), m2 = Mid(c[1], c[2]), g = Mid(m1, m2);
    const float w = std::sqrt((c[3].h - c[0].h) * (c[3].h - c[0].h) + (c[3].d - c[0].d) * (c[3].d - c[0].d)) / 2;
    float u[2], s[2];
    Unit(c[0], c[1], u);
    Unit(c[0], c[3], s);
    const int32_t style = objfield::roof::kStyle(*roof);
    const bool known = style >= 1 && style <= 6;
    // Ridge ends at the eave elevations of P1 and P2.
    P r1 = {m1.h, c[0].v, m1.d}, r2 = {m2.h, c[1].v, m2.d};
    const float in1[7] = {0, 1, 0, 1, -1, -1, -1}, in2[7] = {0, -1, 0, 0, 0, -1, 1};
    if (known) r1 = Plus(r1, in1[style] * w, u), r2 = Plus(r2, in2[style] * w, u);

    struct Line { P a, b; bool drawn, readout; uint8_t side; };
    const Line lines[8] = {
        {c[0], c[1], true, true, 0},
        {c[2], c[3], true, true, 0},
        {c[0], c[3], style >= 1 && style <= 3, style == 1 || style == 3, 1},
        {c[1], c[2], style >= 1 && style <= 5, style == 1 || style == 5, 0},
        {c[0], r1, true, true, 1},
        {c[3], r1, true, true, 0},
        {c[1], r2, true, true, 0},
        {c[2], r2, true, true, 1},
    };
    port::Path path;
    for (const Line& line : lines) {
        if (!line.drawn) continue;
        AddLine(path, line.a, line.b);
        if (line.readout && ds->showDimensions) Readout(dc, line.a, line.b, line.side, nullptr);
    }
    AddLine(path, r1, r2);
    port::currentDrawingContext().strokePath(path);
    if (ds->showDimensions) {
        char height[kReadoutSize] = {};
        ConvertInchesToStr(ConvertScreenToWorld(objfield::roof::kPitch(*roof) / 12.0f * w, ds, 0), height);
        Readout(dc, r1, r2, 1, LocalizedFormat(", RidgeHt=%s", {height}).c_str());
    }

    if (!known) return;
    const float a = (w - 80) / 2;
    auto arrow = [&](P from, float k, const float dir[2]) {
        const P start = Plus(from, k * a, dir), end = Plus(from, k * (a + 80), dir);
        const float tail[2] = {start.h, start.d}, head[2] = {end.h, end.d};
        DrawCannedRoofSlopeArrow(dc, roof, tail, head);
    };
    arrow(g, 1, s);
    arrow(g, -1, s);
    if (style == 3 || style == 1) arrow(r1, -1, u);
    if (style == 5 || style == 1) arrow(r2, 1, u);
}

void Draw2DRoofPanel(void* dc, Objex* panel) {
    if (!panel || !CurrentDocState() || !panel->firstPoint || !panel->firstPoint->next) return;
    int count = 0;
    for (const Poinz* p = panel->firstPoint; p; p = p->next) ++count;
    const uint8_t side = count >= 3 ? (GetParallelDirection(panel) == 1 ? 1 : 0) : 1;
    Poinz* last = panel->firstPoint;
    for (Poinz* p = panel->firstPoint; p->next; p = p->next) {
        if (!(p->segmentFlags & 1)) DimensionWallSegment(dc, panel, p, p->next, side);
        last = p->next;
    }
    if (panel->closed && !(last->segmentFlags & 1)) DimensionWallSegment(dc, panel, last, panel->firstPoint, side);
}

#include "tools/point_roofs.h"

#include <cmath>

#include "app/core/localization_seams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/transforms.h"
#include "plan/dynamic_draw_engine.h"
#include "plan/plan_lines.h"
#include "plan/refresh_seams.h"
#include "port/alerts.h"
#include "scene/scene_build.h"
#include "tools/roof_panels.h"
#include "model/click_info.h"
#include "model/poly_builders.h"
#include "tracking/tracker_feedback.h"
#include "tracking/tracking_engine.h"
#include "tracking/tracking_state.h"

namespace {

constexpr float kPi = 3.14159265f;
constexpr float kSideProbe = 10.0f;
constexpr float kBarb = 75.0f;
constexpr float kBarbTurn = kPi / 6;

// Cleared by a refused press: the rest of that gesture does nothing.
uint8_t sRoofTrackSuccess = 1;

static const port::GlobalReset kReset([] { sRoofTrackSuccess = 1; });

struct P2 {
    float h = 0, d = 0;
};

P2 Along(P2 from, float angle, float length) {
    float dx = 0, dd = 0;
    GetPointFromLengthAndAngle(angle, length, &dx, &dd);
    return {from.h + dx, from.d + dd};
}

float Distance(P2 a, P2 b) { return std::hypot(b.h - a.h, b.d - a.d); }
float AngleOf(P2 from, P2 to) { return std::atan2(-(to.d - from.d), to.h - from.h); }
P2 Mid(P2 a, P2 b) { return {(a.h + b.h) / 2, (a.d + b.d) / 2}; }

void Sheet(const char* title, const char* message) {
    port::Alert alert;
    alert.message = LocalizedString(title);
    alert.informative = LocalizedString(message);
    alert.buttons = {LocalizedString("OK")};
    port::alerts().beginSheet(alert, [](int) {});
}

struct Tool {
    bool four;
    const char* notFound;
    const char* gableTitle;
    const char* gableMessage;
};

const Tool kFour{true,
                 "To create a four-point roof, click on a wall segment and draw the mouse away from the segment.",
                 "Unable to construct a four-point roof.",
                 "The four-point roof tool does not support generating roofs for gable-style walls."};
const Tool kThree{false,
                  "To create a three-point roof, click on a wall segment and draw the mouse away from the segment.",
                  "Unable to construct a three-point roof.",
                  "The three-point roof tool does not support generating roofs for gable-style walls."};

// Plan run of a rise (inches) at a pitch per 12; a flat or reversed pitch has no run.
float Run(float rise, float pitch, const DocState* ds) {
    if (!(pitch > 0)) return 0;
    return ConvertWorldToScreen(rise, ds, 0) / (pitch / 12.0f);
}

struct Eave {
    float start = 0, end = 0;  // along the segment from its start
    float height = 0;          // inches
};

// Where the wall's top shape puts the eave's ends, and its height.
Eave EaveOf(const Poinz& s1, float length, const DocState* ds) {
    namespace ws = objfield::wall_segment;
    const float h = ws::kFirstHeight(s1), a = ws::kPitchA(s1), b = ws::kPitchB(s1);
    const float hc = ws::kSecondHeight(s1), hd = ws::kPeakHeight(s1);
    const float upA = Run(hd - h, a, ds), downB = Run(hd - hc, b, ds), toC = Run(hc - h, a, ds);
    switch (ws::kShape(s1)) {
    case 4: return {upA, length - downB, hd};
    case 5: return {upA, length + downB, hd};
    case 6: return {-upA, length - downB, hd};
    case 7: return {-upA, length + downB, hd};
    case 8: return {0, length - toC, hc};
    case 9: return {0, length + toC, hc};
    case 10: return {toC, length, hc};
    case 11: return {-toC, length, hc};
    default: return {0, length, h};
    }
}

struct Shape {
    P2 corners[4];
    int count = 0;
    P2 eaveMid, far;
    P2 segmentMid;
    float elevation = 0;
    float slopeDegrees = 0;
};

Shape ShapeOf(const Tool& tool, const Objex& wall, const Poinz& s1, const Poinz& s2, P2 cursor, const DocState* ds) {
    const bool soffits = ds->soffitInclude != 0;
    const bool base = soffits && ds->soffitBase;
    const bool left = soffits && tool.four && ds->soffitLeft;
    const bool right = soffits && tool.four && ds->soffitRight;
    const float depth = ConvertWorldToScreen(ds->roofSoffitValue, ds, 0);
    const P2 a{s1.position[0], s1.position[2]}, b{s2.position[0], s2.position[2]};
    const float alpha = AngleOf(a, b), length = Distance(a, b);
    Shape s;
    s.segmentMid = Mid(a, b);
    const P2 probe = Along({}, alpha + kPi / 2, kSideProbe);
    const P2 minus{s.segmentMid.h - probe.h, s.segmentMid.d - probe.d};
    const P2 plus{s.segmentMid.h + probe.h, s.segmentMid.d + probe.d};
    const float phi = Distance(cursor, minus) > Distance(cursor, plus) ? alpha + kPi / 2 : alpha - kPi / 2;
    Eave eave = EaveOf(s1, length, ds);
    if (left) eave.start -= depth;
    if (right) eave.end += depth;
    const P2 e1 = Along(a, alpha, eave.start), e2 = Along(a, alpha, eave.end);
    s.eaveMid = base ? Along(s.segmentMid, phi + kPi, depth) : s.segmentMid;
    float run = Distance(s.eaveMid, cursor);
    if (run == 0) run = 1.0f;
    s.far = Along(s.eaveMid, phi, run);
    const float toward = AngleOf(s.eaveMid, s.far);
    const float reach = base ? run - depth : run;
    const P2 g1 = Along(e1, toward, reach), g2 = Along(e2, toward, reach);
    P2 e1b = base ? Along(e1, toward + kPi, depth) : e1;
    P2 e2b = base ? Along(e2, toward + kPi, depth) : e2;
    if (base && !tool.four) e1b = Along(e1b, alpha + kPi, depth), e2b = Along(e2b, alpha, depth);
    if (tool.four) {
        s.corners[0] = g2, s.corners[1] = g1, s.corners[2] = e1b, s.corners[3] = e2b, s.count = 4;
    } else {
        s.corners[0] = Mid(g1, g2), s.corners[1] = e1b, s.corners[2] = e2b, s.count = 3;
    }
    s.elevation = wall.elevation + eave.height;
    if (base) s.elevation -= ds->roofPitch / 12.0f * ds->roofSoffitValue;
    float degrees = AngleOf(s.far, s.eaveMid) * 180.0f / kPi;
    if (degrees < 0) degrees += 360.0f;
    s.slopeDegrees = degrees;
    return s;
}

void Line(P2 a, P2 b) { DrawLine(nullptr, a.h, 0, a.d, b.h, 0, b.d, 0, nullptr, nullptr); }

void DrawFeedback(const Shape& s) {
    {
        feedback::DynamicDrawing drawing;
        Line(s.eaveMid, s.far);
        const float back = AngleOf(s.far, s.eaveMid);
        Line(s.far, Along(s.far, back + kBarbTurn, kBarb));
        Line(s.far, Along(s.far, back - kBarbTurn, kBarb));
        const P2* c = s.corners;
        if (s.count == 4) Line(c[0], c[1]), Line(c[0], c[3]), Line(c[1], c[2]), Line(c[2], c[3]);
        else Line(c[0], c[1]), Line(c[0], c[2]), Line(c[1], c[2]);
    }
    gRoundToggle = 1;
    feedback::Dimension(s.segmentMid.h, s.segmentMid.d, s.far.h, s.far.d, 5.0f, false);
    gRoundToggle = 0;
}

void Build(const Shape& s, const DocState* ds) {
    Layer* layer = feedback::CurrentLayer();
    if (!layer) return;
    Float3DPoint at[4], none[4] = {};
    for (int i = 0; i < s.count; ++i) at[i] = Float3DPoint{s.corners[i].h, 0, s.corners[i].d};
    Objex* panel = BuildClosedPoly(at, nullptr, none, none, nullptr, nullptr, s.count, layer, 1);
    if (!panel) return;
    MakeRoofPanel(panel, ds, s.elevation, 0, s.slopeDegrees);
    Update3DRoofPanel(panel);
    RenderSingleObject(panel);
}

void TrackPointRoof(const Tool& tool, float h, float d, int16_t stage) {
    if (QMDDynamicDrawEngine* engine = feedback::Engine()) engine->setActivePath(0), engine->removePointsFromAllPaths();
    if (stage == 1) sRoofTrackSuccess = 1;
    const DocState* ds = CurrentDocState();
    if (!sRoofTrackSuccess || !gCurDocument || !ds) {
        gMouseCaptured = 0;
        return;
    }
    const ClickInfo& click = gClickInfo;
    Objex* wall = click.ciObject;
    if (!click.ciHit || !wall || wall->type != objtype::kWall || !click.ciPoint || !click.ciPoint2) {
        Sheet("Wall segment not found.", tool.notFound);
        sRoofTrackSuccess = 0, gMouseCaptured = 0;
        return;
    }
    const int32_t style = objfield::wall_segment::kShape(*click.ciPoint);
    if (style >= 1 && style <= 3) {
        Sheet(tool.gableTitle, tool.gableMessage);
        sRoofTrackSuccess = 0, gMouseCaptured = 0;
        return;
    }
    const Shape shape = ShapeOf(tool, *wall, *click.ciPoint, *click.ciPoint2, {h, d}, ds);
    gMouseCaptured = 0;
    if (stage != 3) {
        DrawFeedback(shape);
        if (stage == 1) feedback::Redraw();
        return;
    }
    if (TrackedGestureWasClick()) {
        feedback::EndAsClick();
        return;
    }
    Build(shape, ds);
    feedback::Clear();
    Refresh();
}

}  // namespace

void TrackFourPtRoof(int32_t, int32_t, float h, float, float d, int16_t stage) { TrackPointRoof(kFour, h, d, stage); }
void TrackThreePtRoof(int32_t, int32_t, float h, float, float d, int16_t stage) { TrackPointRoof(kThree, h, d, stage); }

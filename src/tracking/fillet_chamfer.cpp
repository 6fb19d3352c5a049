#include "tracking/fillet_chamfer.h"

#include <cmath>
#include <cstdio>
#include <numbers>
#include <optional>
#include <string>

#include "app/core/localization_seams.h"
#include "plan/status_readouts.h"
#include "model/attachments.h"
#include "model/point_edits.h"
#include "model/rebuild_table.h"
#include "model/bounds.h"
#include "model/convert_curves.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/readouts.h"
#include "model/selection_ops.h"
#include "model/splines.h"
#include "model/texture_mapping.h"
#include "model/transforms.h"
#include "plan/annotations/dimension_lines.h"
#include "plan/annotations/plan_text.h"
#include "model/plan_objects.h"
#include "port/alerts.h"
#include "port/seam.h"
#include "scene/scene_build.h"
#include "tracking/tool_dispatch.h"
#include "tracking/track_mouse.h"
#include "tracking/tracker_feedback.h"
#include "tracking/tracking_state.h"

uint8_t gBailedFromFillet = 0;
uint8_t gDimFillet = 1;

namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr int16_t kMarker = 2;     // a fillet's centre and corner markers, for one gesture
constexpr int16_t kArcCentre = 4;  // an arc's centre, never a corner
// Curved pieces per segment while a roof panel or excavation is made straight again.
constexpr int16_t kFilletCurveSegments = 6;

bool IsMarkerOrCentre(const Poinz* p) { return p->kind == kMarker || p->kind == kArcCentre; }

Poinz* LastPoint(const Objex* object) {
    Poinz* p = object->firstPoint;
    while (p && p->next) p = p->next;
    return p;
}

// Neighbours along the outline; a closed outline goes round.
Poinz* Previous(const Objex* object, const Poinz* point) {
    if (point->prev) return point->prev;
    Poinz* last = object->closed ? LastPoint(object) : nullptr;
    return last != point ? last : nullptr;
}
Poinz* Following(const Objex* object, const Poinz* point) {
    if (point->next) return point->next;
    Poinz* first = object->closed ? object->firstPoint : nullptr;
    return first != point ? first : nullptr;
}
// The first point after `from` that is neither a marker nor an arc centre, not reaching `stop`.
Poinz* NextCorner(const Objex* object, const Poinz* from, const Poinz* stop) {
    for (Poinz* p = Following(object, from); p && p != stop && p != from; p = Following(object, p))
        if (!IsMarkerOrCentre(p)) return p;
    return nullptr;
}

float Angle(const Poinz* from, const Poinz* to) {
    float length = 0;
    return GetLineLengthAndAngle(from->position[0], from->position[2], to->position[0], to->position[2], &length);
}
float Distance(const Poinz* a, const Poinz* b) {
    return GetLineLength(a->position[0], a->position[2], b->position[0], b->position[2]);
}
// Into (-pi, pi].
float Signed(float a) { return a > kPi ? a - 2 * kPi : a; }
void Place(Poinz* p, const Poinz* from, float length, float angle) {
    p->position[0] = from->position[0] + length * std::cos(angle);
    p->position[2] = from->position[2] - length * std::sin(angle);
}
bool Straight(const float t[3]) { return t[0] == 0 && t[1] == 0 && t[2] == 0; }

enum class Refusal { None, Silent, NotPointEdited, WrongType, DeckSteps, Curved };

struct Corner {
    Objex* object = nullptr;
    Poinz* point = nullptr;
    Poinz* previous = nullptr;
    Poinz* next = nullptr;
};

bool AcceptedDetailShape(int32_t subtype) { return subtype >= 1 && subtype <= 7 && subtype != 6; }

// The checks both tools make, in their order, at every stage.
Refusal Check(const ClickInfo* click, objtype::Trait trait, Corner* corner) {
    if (!click || !gCurDocument || !CurrentDocState() || !click->ciObject) return Refusal::Silent;
    feedback::Clear();
    Objex* o = click->ciObject;
    if (o->type == objtype::kDetail) {
        if (!AcceptedDetailShape(o->subtype)) return Refusal::WrongType;
        if (!objfield::detail_shape::kSecondWord(*o)) return Refusal::NotPointEdited;
    }
    Poinz* point = click->ciPoint;
    if (!point || !click->ciPointHit || o->pointCount < 3 || !IsPointOf(o, point)) return Refusal::Silent;
    if (!objtype::Has(o->type, trait)) return Refusal::WrongType;
    Poinz* previous = Previous(o, point);
    Poinz* next = Following(o, point);
    if (o->type == objtype::kDeck &&
        (DoesPointContainAttachments(o, point) || (previous && DoesPointContainAttachments(o, previous))))
        return Refusal::DeckSteps;
    if (!Straight(point->inTangent) || !Straight(point->outTangent) || (next && !Straight(next->inTangent)) ||
        (previous && !Straight(previous->outTangent)))
        return Refusal::Curved;
    *corner = {o, point, previous, next};
    return Refusal::None;
}

void ShowFilletAlert(Refusal why) {
    const char* text = why == Refusal::NotPointEdited
                           ? "You must set the object to point-level editing before applying a fillet."
                       : why == Refusal::DeckSteps ? "Fillets cannot be applied to deck segments that contain steps."
                       : why == Refusal::Curved    ? "Fillets cannot be applied to curved segments."
                                                   : "Fillets cannot be applied to this type of object.";
    port::Alert alert;
    alert.message = LocalizedString("Unable to fillet corner.");
    alert.informative = LocalizedString(text);
    alert.buttons = {LocalizedString("OK")};
    port::alerts().beginSheet(alert, [](int) {});
}

// The corner a fillet gesture expanded and the four points it inserted, until the gesture
// commits them or gives the corner back.
struct FilletRun {
    Objex* object = nullptr;
    Poinz* corner = nullptr;
    Poinz* inserted[4] = {};
    float h = 0, d = 0;
};
FilletRun sRun;

void ForgetRun() { sRun = {}; }

// The corner back where and as it was, without the points the gesture inserted.
void GiveCornerBack() {
    Objex* o = sRun.object;
    if (!o) return;
    for (Poinz* p : sRun.inserted)
        if (p && IsPointOf(o, p)) ForgetTrackedPoint(p), RemovePointInObject(o, p);
    if (Poinz* c = sRun.corner; c && IsPointOf(o, c)) {
        c->position[0] = sRun.h, c->position[2] = sRun.d;
        for (float* t : {c->inTangent, c->outTangent}) t[0] = t[1] = t[2] = 0;
    }
    UpdateObjectBounds(o);
    ForgetRun();
}

// The outline types the two tools reshape rebuild through the table (an excavation its
// terrain); walls, roofs and the rest are left to their own upkeep.
void Rebuild(Objex* o) {
    switch (o->type) {
    case objtype::kFloor:
    case objtype::kFloorCutout:
    case objtype::kPath:
    case objtype::kEdging:
    case objtype::kFence:
    case objtype::kRailing:
    case objtype::kDeck:
    case objtype::kFreehandRoof:
    case objtype::kExcavation: rebuild::Run(o, rebuild::kObjectAndTerrain); break;
    default: break;
    }
}

// What both tools do to the object at the release.
void Commit(Objex* o, bool straighten) {
    SelectAllLayers(gCurDocument->itsLayers, selmode::kDeselect, 0);
    if (straighten && (o->type == objtype::kFreehandRoof || o->type == objtype::kExcavation)) {
        DocState* ds = CurrentDocState();
        const int16_t saved = ds->curveSegments;
        ds->curveSegments = kFilletCurveSegments;
        ConvertObjectCurvesToPolygons(o);
        ds->curveSegments = saved;
    }
    SetTextureFaceUV(o);
    SetObjectPointLengths(o);
    Rebuild(o);
    ReRenderObject(o);
    UpdateObjectBounds(o);
    feedback::Clear();
    feedback::Redraw();
}

// The corner becomes markers, itself and two new points, all where it is.
void ExpandCorner(const Corner& c) {
    const Poinz* at = c.point;
    auto make = [&](int16_t kind) {
        return CreatePoint(kind, at->selected, 0, 0, 0, 0, at->position[0], at->position[1], at->position[2], 0, 0, 0,
                           0, 0, 0, c.object);
    };
    Poinz* before = c.point->prev;
    Poinz* points[4] = {make(kMarker), make(kMarker), make(1), make(1)};
    for (Poinz* p : points)
        if (!p) {
            for (Poinz* q : points) delete q;
            return;
        }
    // Both markers go in after the corner's predecessor: the first inserted ends next to it.
    InsertPointInObjectAndUpdatePointInfo(points[0], c.object, before);
    InsertPointInObjectAndUpdatePointInfo(points[1], c.object, before);
    InsertPointInObjectAndUpdatePointInfo(points[3], c.object, c.point);
    InsertPointInObjectAndUpdatePointInfo(points[2], c.object, c.point);
    for (Poinz* p : points) p->kind = p == points[0] || p == points[1] ? kMarker : 1;
    sRun = {c.object, c.point, {points[0], points[1], points[2], points[3]}, at->position[0], at->position[2]};
    RestoreAtGestureEnd([] { GiveCornerBack(); });
}

// Plan rotation of a tangent (H, D) by the angle.
void Turned(float h, float d, float angle, float* out) {
    out[0] = h * std::cos(angle) + d * std::sin(angle);
    out[2] = d * std::cos(angle) - h * std::sin(angle);
}

void ArcTangents(float radius, const Poinz* c, Poinz* first, Poinz* middle, Poinz* last) {
    if (!c || !first || !middle || !last || radius <= 0) return;
    const float aL = Angle(c, last), aM = Angle(c, middle);
    float degrees = (aM - aL) * 180 / kPi;
    while (degrees > 180) degrees -= 360;
    while (degrees < -180) degrees += 360;
    const float s = degrees * kPi / 180;
    if (s == 0) return;
    float h0, th0, th1, h1, d0, td0, td1, d1;
    BuildRadiusSpline(s, radius, &h0, &th0, &th1, &h1, &d0, &td0, &td1, &d1);
    Turned(th0, td0, aL + s / 2, middle->outTangent);
    Turned(th1, td1, aL + s / 2, last->inTangent);
    Turned(th0, td0, aL + 3 * s / 2, first->outTangent);
    Turned(th1, td1, aL + 3 * s / 2, middle->inTangent);
}

// The chamfer's set-back: the distance less the fewest steps of 2 that leave 2 units of both
// segments; 0 when that reaches 0.
float ChamferSetBack(float distance, float shorter) {
    if (!(distance > 0)) return 0;
    if (distance + 2 > shorter) distance -= 2 * std::ceil((distance + 2 - shorter) / 2);
    return distance > 0 ? distance : 0;
}

void Dimension(float h1, float d1, float h2, float d2, uint8_t side, float offset) {
    const float ends[2] = {};
    DrawDimensionLine(nullptr, h1, d1, h2, d2, h1, d1, h2, d2, side, offset, 1, &ends[0], &ends[1], 0, 0, offset, 0,
                      nullptr);
}

}  // namespace

static const port::GlobalReset kReset([] {
    gBailedFromFillet = 0;
    gDimFillet = 1;
    ForgetRun();
});
static const ObjectForgetter kForget([](const Objex* o) {
    if (o && o == sRun.object) ForgetRun();
});

float BuildStandardFillet(Poinz* centre, const Poinz* previous, const Poinz* next, const Poinz* corner, Poinz* first,
                          Poinz* middle, Poinz* last, float distance, uint8_t draw, int16_t) {
    if (!centre || !previous || !next || !corner || !first || !middle || !last) return 0;
    const float a1 = Signed(Angle(corner, previous)), a2 = Signed(Angle(corner, next));
    float delta = a2 - a1;
    if (delta > kPi) delta -= 2 * kPi;
    if (delta < -kPi) delta += 2 * kPi;
    const float half = delta / 2, bisector = a1 + half;
    const float leg1 = Distance(corner, previous), leg2 = Distance(corner, next);
    float d = distance, r = 0, t = 0;
    for (;; d -= 1) {
        if (!(d >= 0 && d <= 32000)) return 0;
        r = std::fabs(d * std::sin(half)), t = std::fabs(d * std::cos(half));
        if (leg1 > t + 2 && leg2 > t + 2) break;
    }
    Place(first, corner, t, a1);
    Place(last, corner, t, a2);
    Place(middle, corner, d - r, bisector);
    Place(centre, corner, d, bisector);
    if (draw)
        DrawFillet(corner, r, centre->position[0], centre->position[2], first->position[0], first->position[2],
                   last->position[0], last->position[2]);
    return r;
}

float BuildInvertedFillet(Poinz* centre, const Poinz* previous, const Poinz* next, const Poinz* corner, Poinz* first,
                          Poinz* middle, Poinz* last, float distance, uint8_t draw) {
    if (!centre || !previous || !next || !corner || !first || !middle || !last) return 0;
    const float a1 = Signed(Angle(corner, previous)), a2 = Signed(Angle(corner, next));
    float delta = a2 - a1;
    if (delta > kPi) delta -= 2 * kPi;
    if (delta < -kPi) delta += 2 * kPi;
    const float leg1 = Distance(corner, previous), leg2 = Distance(corner, next);
    float r = distance;
    for (;; r -= 1) {
        if (!(r >= 0 && r <= 32000)) return 0;
        if (leg1 > r + 2 && leg2 > r + 2) break;
    }
    Place(first, corner, r, a1);
    Place(last, corner, r, a2);
    Place(middle, corner, r, a1 + delta / 2);
    Place(centre, corner, 0, 0);
    if (draw)
        DrawFillet(corner, r, corner->position[0], corner->position[2], first->position[0], first->position[2],
                   last->position[0], last->position[2]);
    return r;
}

void BuildFilletSplines(float radius, const Poinz* centre, const Poinz*, Poinz* first, Poinz* middle, Poinz* last) {
    ArcTangents(radius, centre, first, middle, last);
}

void BuildInvertedFilletSplines(float radius, const Poinz*, const Poinz* centre, Poinz* first, Poinz* middle,
                                Poinz* last) {
    ArcTangents(radius, centre, first, middle, last);
}

void DrawFillet(const Poinz* corner, float radius, float, float, float firstH, float firstD, float lastH, float lastD) {
    const DocState* ds = CurrentDocState();
    if (!corner || !ds || radius <= 5) return;
    char length[64] = {};
    ConvertInchesToStr(ConvertScreenToWorld(radius, ds, 0), length);
    const std::string text = LocalizedString("Radius: ") + length;
    const bool leftAbove = firstH <= corner->position[0] && corner->position[2] > firstD;
    DrawDynamicText(nullptr, text.c_str(), leftAbove ? lastH : firstH, leftAbove ? firstD : lastD, 0);
}

void SupportTrackFillet(float planX, float planZ, int16_t stage, float, float, float, float, ClickInfo* click,
                        int16_t, int16_t mode) {
    gFilletChamferUndo = 0;
    Corner c;
    if (const Refusal why = Check(click, objtype::kTakesFillet, &c); why != Refusal::None) {
        if (stage == 1 && why != Refusal::Silent) ShowFilletAlert(why);
        return;
    }
    if (stage == 1) gBailedFromFillet = 0;
    if (c.previous && c.next) {
        const bool straight = int64_t(Angle(c.previous, c.point) * 100000) == int64_t(Angle(c.point, c.next) * 100000);
        if (stage == 1 && straight) gBailedFromFillet = 1;
        if (straight && gBailedFromFillet) return;
    }
    gFilletChamferUndo = 1;
    Objex* o = c.object;
    if (stage == 1) {
        if (!IsMarkerOrCentre(c.point)) {
            ExpandCorner(c);
            if (sRun.object == o) click->ciPoint = sRun.inserted[0];
        }
        return;
    }
    Poinz* centre = click->ciPoint;
    if (!(centre->next && centre->next->kind == kMarker)) centre = centre->prev;
    Poinz* cornerMark = centre ? centre->next : nullptr;
    Poinz* first = cornerMark ? cornerMark->next : nullptr;
    Poinz* middle = first ? first->next : nullptr;
    Poinz* last = middle ? middle->next : nullptr;
    if (!last || centre->kind != kMarker || cornerMark->kind != kMarker) return;
    click->ciPoint = centre;
    Poinz* previous = Previous(o, centre);
    Poinz* next = NextCorner(o, last, centre);
    const float distance = GetLineLength(planX, planZ, cornerMark->position[0], cornerMark->position[2]);
    float radius = 0;
    if (distance != 0 && previous && next) {
        radius = gTrackInvertedFillet
                     ? BuildInvertedFillet(centre, previous, next, cornerMark, first, middle, last, distance, gDimFillet)
                     : BuildStandardFillet(centre, previous, next, cornerMark, first, middle, last, distance, gDimFillet,
                                           mode);
        if (gDimFillet) UpdateRadius(ConvertScreenToWorld(radius, CurrentDocState(), 0));
    }
    // The plan shows the object itself while it is dragged: its new box tells the view that
    // the design changed under its picture.
    if (stage != 3) {
        UpdateObjectBounds(o);
        return;
    }
    if (radius > 0) {
        if (gTrackInvertedFillet) BuildInvertedFilletSplines(radius, centre, cornerMark, first, middle, last);
        else BuildFilletSplines(radius, centre, cornerMark, first, middle, last);
        for (Poinz* p = o->firstPoint; p;) {
            Poinz* following = p->next;
            if (p->kind == kMarker) ForgetTrackedPoint(p), RemovePointInObject(o, p);
            p = following;
        }
        ForgetRun();
    } else {
        GiveCornerBack();
    }
    click->ciPoint = first;
    Commit(o, true);
}

float DrawChamfer(const Poinz* corner, const Poinz* previous, const Poinz* next, float distance) {
    if (!corner || !previous || !next) return 0;
    const float a1 = Angle(corner, previous), a2 = Angle(corner, next);
    const float setBack = ChamferSetBack(distance, std::fmin(Distance(corner, previous), Distance(corner, next)));
    if (setBack <= 0) return 0;
    const float ch = corner->position[0], cd = corner->position[2];
    const float h1 = ch + setBack * std::cos(a1), d1 = cd - setBack * std::sin(a1);
    const float h2 = ch + setBack * std::cos(a2), d2 = cd - setBack * std::sin(a2);
    if (gDynamicDrawing) {
        const float v = corner->position[1];
        feedback::Line(feedback::Engine(), {h1, v, d1}, {h2, v, d2});
        Dimension(h1, d1, h2, d2, 0, 0);
        Dimension(h1, d1, ch, cd, previous->position[2] > cd ? 0 : 1, 10);
    }
    return GetLineLength(h1, d1, h2, d2);
}

void BuildChamfer(Objex* object, Poinz* corner, const Poinz* previous, const Poinz* next, float distance) {
    if (!object || !corner || !previous || !next) return;
    const float setBack = ChamferSetBack(distance, std::fmin(Distance(corner, previous), Distance(corner, next)));
    if (setBack <= 0) return;
    const float a1 = Angle(corner, previous), a2 = Angle(corner, next);
    Poinz* added = CreatePoint(1, corner->selected, 0, 0, 0, 0, corner->position[0], corner->position[1],
                               corner->position[2], 0, 0, 0, 0, 0, 0, object);
    if (!added) return;
    InsertPointInObjectAndUpdatePointInfo(added, object, corner);
    added->kind = 1;
    Place(added, corner, setBack, a2);
    Place(corner, corner, setBack, a1);
}

void SupportTrackChamfer(float planX, float planZ, int16_t stage, float, float, float, float, ClickInfo* click,
                         int16_t) {
    gFilletChamferUndo = 0;
    Corner c;
    if (Check(click, objtype::kTakesChamfer, &c) != Refusal::None) return;
    gFilletChamferUndo = 1;
    if (IsMarkerOrCentre(c.point)) return;
    Objex* o = c.object;
    Poinz* corner = c.point;
    const float distance = GetLineLength(planX, planZ, corner->position[0], corner->position[2]);
    Poinz* previous = nullptr;
    Poinz* next = nullptr;
    float cut = 0;
    if (distance != 0) {
        previous = Previous(o, corner);
        next = NextCorner(o, corner, corner);
        if (previous && next) {
            // Only the press and the drags paint.
            std::optional<feedback::DynamicDrawing> drawing;
            if (stage != 3) drawing.emplace();
            cut = DrawChamfer(corner, previous, next, distance);
        }
    }
    if (stage != 3) return;
    if (previous && next && cut > 2) BuildChamfer(o, corner, previous, next, distance);
    Commit(o, false);
}

void TrackFillet(int32_t, int32_t, float h, float, float d, int16_t stage) {
    ClickInfo copy = gClickInfo;
    SupportTrackFillet(h, d, stage, gDownX, gDownZ, gUpX, gUpZ, &copy, gTrackModifiers, 0);
    gClickInfo = copy;
    if (stage == 3) gMouseCaptured = 0;
}

void TrackChamfer(int32_t, int32_t, float h, float, float d, int16_t stage) {
    ClickInfo copy = gClickInfo;
    SupportTrackChamfer(h, d, stage, gDownX, gDownZ, gUpX, gUpZ, &copy, gTrackModifiers);
    gClickInfo = copy;
    if (stage == 3) gMouseCaptured = 0;
}

void RegisterCornerTrackers() {
    RegisterTracker(TrackerSlot::Fillet, TrackFillet);
    RegisterTracker(TrackerSlot::Chamfer, TrackChamfer);
}

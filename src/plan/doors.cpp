#include "plan/doors.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "files/windows_records.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/transforms.h"
#include "model/type_data.h"
#include "plan/plan_color.h"
#include "plan/symbol_plot.h"
#include "port/drawing.h"
#include "plan/arc_builders.h"

using namespace plansymbol;

namespace {

constexpr int32_t kPlanView = 5149;
constexpr int16_t kPlanKind = 2;
constexpr int16_t kReverseSweep = 4;
constexpr float kPi = 3.14159265358979323846f;
const port::Color kWhite{1, 1, 1, 1};

// A plan coordinate of the swing made whole: the nearest, halves upward, so a door left of or
// above the origin keeps its leaf and arc on its hinge as one to the right or below does (the
// error would grow with the zoom).
float Nearest(float v) { return dvxnum::RoundToInt16(v); }

// What every door and window routine needs.
struct Host {
    const DocState* ds;
    const AttachmentRecord* record;
    PlanPt first, second;
    float t;  // half the wall thickness, plan units
};

bool HostOf(const Objex* o, Host* host) {
    const DocState* ds = CurrentDocState();
    if (!ds || !o || !o->typeData.attachment || !o->parent || !o->firstPoint || !o->firstPoint->next)
        return false;
    const Poinz* a = o->firstPoint;
    const Poinz* b = a->next;
    *host = {ds, o->typeData.attachment, {a->position[0], a->position[2]}, {b->position[0], b->position[2]},
             ConvertWorldToScreen(o->parent->penWidth, ds, 0) / 2.0f};
    return true;
}

port::Color Background(const DocState* ds) { return gPrinting ? kWhite : PlanColor(ds->backgroundColor); }

// The box over S-E standing `e` out from the centre line on both sides.
void AddBox(port::Path& path, PlanPt s, PlanPt e, float reach) {
    const float a = Direction(s, e), b = Direction(e, s);
    const PlanPt corners[4] = {s + Along(a + kHalfPi, reach), e + Along(b - kHalfPi, reach),
                               e + Along(b + kHalfPi, reach), s + Along(a - kHalfPi, reach)};
    AddPolygon(path, corners, 4);
}

// The sweep in degrees of the swing from `direction` to the leaf end as the arc draws it.
float SweepOf(PlanPt hinge, PlanPt leafEnd, float direction, int16_t swingFlags) {
    float leafDirection = Direction(hinge, leafEnd);
    float from = direction;
    if (leafDirection > kPi) leafDirection -= 2 * kPi;
    if (from > kPi) from -= 2 * kPi;
    float sweep = (leafDirection - from) * kDegreesPerRadian;
    if (sweep < 0) sweep += 360.0f;
    if (!(swingFlags & kReverseSweep)) sweep -= 360.0f;
    return sweep;
}

// Taken whole, a sweep within -2..2 (closed) or beyond -179..180 draws nothing.
bool SweepShows(float sweep) {
    const int32_t whole = static_cast<int32_t>(sweep + 0.5f);
    return whole >= -179 && whole <= 180 && (whole < -2 || whole > 2);
}

// The hinge, the leaf's end (both whole) and the door's direction, as the opening draws them.
struct Swing {
    PlanPt hinge, leaf;
    float direction, length;
};

Swing SwingOf(const Host& h) {
    const PlanPt s = h.record->sideFlag ? h.first : h.second;
    const PlanPt e = h.record->sideFlag ? h.second : h.first;
    float length = 0;
    const float a = Direction(s, e, &length);
    const PlanPt leafEnd = s + Along(a + h.record->swingOrOffset, length);
    return {{Nearest(s.h), Nearest(s.d)}, {Nearest(leafEnd.h), Nearest(leafEnd.d)}, a, length};
}

void StrokeDashed(port::DrawingContext& context, const port::Path& path, std::vector<double> dash, double phase) {
    if (path.empty()) return;
    context.save();
    context.setLineDash(std::move(dash), phase);
    context.strokePath(path);
    context.restore();
}

void SetColor(port::DrawingContext& context, port::Color c) {
    context.setStrokeColor(c);
    context.setFillColor(c);
}

}  // namespace

void DrawDoor(void* dc, Objex* door, const RECT*, int32_t, const TransformRecord*) {
    if (!CurrentDocState() || !door || !door->typeData.attachment) return;
    DrawDoorOpening(dc, door);
    switch (door->typeData.attachment->style) {
    case 502: DrawSlidingDoor(dc, door); break;
    case 503: DrawGarageDoor(dc, door); break;
    case 510: DrawPocketDoor(dc, door); break;
    case 511: DrawBiFoldDoor(dc, door); break;
    default: break;
    }
}

void DrawDoorOpening(void* dc, const Objex* door) {
    Host h;
    if (!HostOf(door, &h)) return;
    const int16_t style = h.record->style;
    const PlanPt s = h.record->sideFlag ? h.first : h.second;
    const PlanPt e = h.record->sideFlag ? h.second : h.first;
    const Swing swing = SwingOf(h);
    const float a = swing.direction, b = Direction(e, s);
    const RGBColor pen = h.ds->penColor;

    port::DrawingContext& context = port::currentDrawingContext();
    port::Path path;
    AddBox(path, s, e, h.t + 3.0f);
    context.setFillColor(Background(h.ds));
    context.fillPath(path);
    SetColor(context, PlanColor(pen));
    path.clear();
    if (style == 500 || style == 504 || style == 505) {
        AddLine(path, s + Along(a + kHalfPi, h.t), e + Along(b - kHalfPi, h.t));
        AddLine(path, s + Along(a - kHalfPi, h.t), e + Along(b + kHalfPi, h.t));
    } else if (style != 502 && style != 510 && style != 511) {
        AddLine(path, s, e);
    }
    StrokeDashed(context, path, {3, 3}, 1.0);
    if (IsHingedDoorStyle(style))
        DrawDoorArc(dc, static_cast<int32_t>(swing.hinge.h), static_cast<int32_t>(swing.hinge.d),
                    static_cast<int32_t>(swing.leaf.h), static_cast<int32_t>(swing.leaf.d), a, swing.length,
                    h.record->directionFlag, pen);
}

bool IsHingedDoorStyle(int16_t style) {
    return style == 501 || style == 506 || style == 507 || style == 508 || style == 509 || style == 512;
}

bool DoorSwingShows(const Objex* door) {
    Host h;
    if (!HostOf(door, &h) || !IsHingedDoorStyle(h.record->style)) return false;
    const Swing swing = SwingOf(h);
    return SweepShows(SweepOf(swing.hinge, swing.leaf, swing.direction, h.record->directionFlag));
}

void DrawDoorArc(void* dc, int32_t hingeH, int32_t hingeD, int32_t leafH, int32_t leafD, float direction,
                 float radius, int16_t swingFlags, const RGBColor& color) {
    // Whole numbers at or below, whichever side of the origin the hinge stands.
    auto whole = [](float v) { return dvxnum::TruncToInt32(std::floor(v)); };
    RECT square{whole(hingeH - radius), whole(hingeD - radius), whole(hingeH + radius), whole(hingeD + radius)};
    InflateRect(&square, -3, -3);
    float start = direction * kDegreesPerRadian;
    if (start < 0) start += 360.0f;

    const PlanPt hinge{static_cast<float>(hingeH), static_cast<float>(hingeD)};
    const PlanPt leafEnd{static_cast<float>(leafH), static_cast<float>(leafD)};
    const float leafDirection = Direction(hinge, leafEnd);
    const PlanPt outer = hinge + Along(leafDirection, radius + 5.0f);
    const PlanPt p{Nearest(outer.h), Nearest(outer.d)};
    float back = 0;
    const float toHinge = Direction(p, hinge, &back);
    const PlanPt inner = p + Along(toHinge, back - 5.0f);
    const PlanPt q{Nearest(inner.h), Nearest(inner.d)};

    const float sweep = SweepOf(hinge, leafEnd, direction, swingFlags);
    if (!SweepShows(sweep)) return;

    const FloatRect rect{static_cast<float>(square.top), static_cast<float>(square.left),
                         static_cast<float>(square.bottom), static_cast<float>(square.right)};
    int32_t count = 0;
    Draw3DEllipse(dc, &rect, start, sweep, kPlanKind, 0.0f, nullptr, nullptr, nullptr, 1, &count, 0, 90.0f);

    port::DrawingContext& context = port::currentDrawingContext();
    SetColor(context, PlanColor(color));
    port::Path path;
    AddLine(path, q, p);
    context.strokePath(path);
}

void DrawSlidingDoor(void*, const Objex* door) {
    Host h;
    if (!HostOf(door, &h)) return;
    const PlanPt s = h.record->sideFlag ? h.second : h.first;
    const PlanPt e = h.record->sideFlag ? h.first : h.second;
    float length = 0;
    const float a = Direction(s, e, &length);
    port::DrawingContext& context = port::currentDrawingContext();
    SetColor(context, PlanColor(h.ds->penColor));
    port::Path path;
    const PlanPt m = s + Along(a, length / 2), up = Along(a + kHalfPi, h.t);
    AddLine(path, m + up, m);
    AddLine(path, m + up, s + up);
    AddLine(path, m, s);
    AddLine(path, s + up, s);
    context.strokePath(path);
    path.clear();
    const PlanPt q1 = s + Along(a, length / 4), q3 = s + Along(a, 3 * length / 4), down = Along(a - kHalfPi, h.t);
    SetColor(context, PlanColor(h.ds->penColor));
    AddLine(path, q1 + down, q1);
    AddLine(path, q1 + down, q3 + down);
    AddLine(path, q1, q3);
    AddLine(path, q3 + down, q3);
    context.strokePath(path);
}

void DrawPocketDoor(void*, const Objex* door) {
    Host h;
    if (!HostOf(door, &h)) return;
    const PlanPt s = h.record->sideFlag ? h.first : h.second;
    const PlanPt e = h.record->sideFlag ? h.second : h.first;
    float length = 0;
    const float a = Direction(s, e, &length);
    const PlanPt o = Along(a + kHalfPi, h.t / 2);
    const PlanPt pocket = s + Along(a + kPi, length / 2), m = s + Along(a, length / 2);
    port::DrawingContext& context = port::currentDrawingContext();
    port::Path path;
    for (const auto& [end, color] : {std::pair{pocket, Background(h.ds)}, std::pair{m, PlanColor(h.ds->penColor)}}) {
        SetColor(context, color);
        AddLine(path, end + o, end - o);
        AddLine(path, end + o, s + o);
        AddLine(path, end - o, s - o);
        context.strokePath(path);
        path.clear();
    }
}

void DrawBiFoldDoor(void*, const Objex* door) {
    Host h;
    if (!HostOf(door, &h)) return;
    const PlanPt s = h.first;
    float length = 0;
    const float a = Direction(s, h.second, &length);
    const PlanPt f1 = s + Along(a, 0.8f * length), f2 = s + Along(a, 0.4f * length);
    const PlanPt apex = f2 + Along(h.record->sideFlag ? a + kHalfPi : a - kHalfPi, 0.2f * length);
    port::DrawingContext& context = port::currentDrawingContext();
    SetColor(context, PlanColor(h.ds->penColor));
    port::Path path;
    AddLine(path, s, apex);
    AddLine(path, apex, f1);
    context.strokePath(path);
}

void DrawGarageDoor(void*, const Objex* door) {
    Host h;
    if (!HostOf(door, &h)) return;
    const PlanPt s = h.first, e = h.second;
    const float a = Direction(s, e);
    // The height is already a plan length here.
    const PlanPt travel = Along(h.record->sideFlag ? a + kHalfPi : a - kHalfPi, h.record->height);
    port::Path path;
    AddLine(path, s, s + travel);
    AddLine(path, e, e + travel);
    AddLine(path, s + travel, e + travel);
    StrokeDashed(port::currentDrawingContext(), path, {18, 6}, 0.0);
}

void DrawWindow(void*, const Objex* window) {
    Host h;
    if (!HostOf(window, &h) || GetCurrentView() != kPlanView || gPerspective) return;
    port::DrawingContext& context = port::currentDrawingContext();
    port::Path path;
    AddBox(path, h.second, h.first, h.t + 4.0f);
    context.setFillColor(Background(h.ds));
    context.fillPath(path);
    SetColor(context, PlanColor(h.ds->penColor));
    context.strokePath(path);
}

void DrawAccessory(void*, const Objex* accessory) {
    Host h;
    if (!HostOf(accessory, &h) || !h.record->segmentStart || !h.record->segmentEnd) return;
    const Poinz* from = h.record->segmentStart;
    const Poinz* to = h.record->segmentEnd;
    const float a = Direction({from->position[0], from->position[2]}, {to->position[0], to->position[2]});
    const float n = h.record->sideFlag ? a + kHalfPi : a - kHalfPi;
    // An accessory stands off the wall by its wall offset, never less than 6.
    const float depth = std::max(6.0f, ConvertWorldToScreen(h.record->swingOrOffset, h.ds, 0));
    const PlanPt f1 = h.first + Along(n, h.t), f2 = h.second + Along(n, h.t);
    const PlanPt o1 = f1 + Along(n, depth), o2 = f2 + Along(n, depth);
    port::Point pf1, pf2, po1, po2;
    Plot(f1, f2, &pf1, &pf2);
    Plot(o1, o2, &po1, &po2);
    port::Path path;
    path.moveTo(pf1.x, pf1.y);
    path.lineTo(po1.x, po1.y);
    path.lineTo(po2.x, po2.y);
    path.lineTo(pf2.x, pf2.y);
    path.lineTo(static_cast<int32_t>((po1.x + po2.x) * 0.5 + 0.5), static_cast<int32_t>((po1.y + po2.y) * 0.5 + 0.5));
    path.lineTo(pf1.x, pf1.y);
    port::currentDrawingContext().strokePath(path);
}

void DrawRecept(void*, const Objex* object, const FloatPoint* a, const FloatPoint* b) {
    if (!object || !a || !b) return;
    port::Path path;
    AddLine(path, {a->floatH, a->floatV}, {b->floatH, b->floatV});
    port::currentDrawingContext().strokePath(path);
}

#include "plan/virtual_ruler.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "files/windows_records.h"
#include "app/core/main_window_seams.h"
#include "plan/status_readouts.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/numeric.h"
#include "model/projection.h"
#include "model/readouts.h"
#include "model/transforms.h"
#include "model/view_state.h"
#include "plan/base_2d_view.h"
#include "plan/zoom.h"
#include "port/drawing.h"
#include "tracking/evaluate_point.h"
#include "model/grid_snap.h"

namespace {

constexpr float kHalfPi = 1.57079632679489661923f;
constexpr float kShortestDrag = 72.0f;
// Ticks denser than this along one ruler would only paint it solid.
constexpr double kMostTicks = 100000;
const port::Color kBlack{0, 0, 0, 1}, kYellow{1, 1, 0, 1};

QMDDocumentModel* ShownRuler() {
    QMDDocumentModel* doc = gCurDocument;
    return doc && doc->itsVRVisible ? doc : nullptr;
}

struct ViewPoint {
    float x = 0, y = 0;
};

ViewPoint Offset(ViewPoint p, float angle, float length) {
    float dx = 0, dy = 0;
    GetPointFromLengthAndAngle(angle, length, &dx, &dy);
    return {p.x + dx, p.y + dy};
}

int32_t Whole(float v) { return dvxnum::TruncToInt32(v + 0.5f); }

// The ruler's ends in the view and its angle and length there.
struct Geometry {
    ViewPoint s, e;
    float angle = 0, length = 0, half = 0;

    explicit Geometry(const QMDDocumentModel& doc) {
        float a[3] = {doc.itsVRStartPt.floatH, 0, doc.itsVRStartPt.floatV};
        float b[3] = {doc.itsVREndPt.floatH, 0, doc.itsVREndPt.floatV};
        ConvertToIso(&a[0], &a[1], &a[2], &b[0], &b[1], &b[2], gPerspective);
        s = {a[0], a[1]}, e = {b[0], b[1]};
        angle = GetLineLengthAndAngle(s.x, s.y, e.x, e.y, &length);
        half = ZoomF(50) / 2;
    }
    float backAngle() const {
        float unused = 0;
        return GetLineLengthAndAngle(e.x, e.y, s.x, s.y, &unused);
    }
};

void Corners(const Geometry& g, POINT out[4]) {
    const float back = g.backAngle();
    const ViewPoint c[4] = {Offset(g.s, g.angle + kHalfPi, g.half), Offset(g.e, back - kHalfPi, g.half),
                            Offset(g.e, back + kHalfPi, g.half), Offset(g.s, g.angle - kHalfPi, g.half)};
    for (int i = 0; i < 4; ++i) out[i] = {Whole(c[i].x), Whole(c[i].y)};
}

RECT HandleFrame(ViewPoint end, float towardOther) {
    const float side = ZoomF(14);
    const ViewPoint q = Offset(end, towardOther, side);
    return {Whole(q.x - side / 2), Whole(q.y - side / 2), Whole(q.x + side / 2), Whole(q.y + side / 2)};
}

// Inside the convex outline or on its edge.
bool InQuad(const POINT c[4], double x, double y) {
    bool negative = false, positive = false;
    for (int i = 0; i < 4; ++i) {
        const POINT& a = c[i];
        const POINT& b = c[(i + 1) % 4];
        const double cross = double(b.x - a.x) * (y - a.y) - double(b.y - a.y) * (x - a.x);
        negative |= cross < 0, positive |= cross > 0;
    }
    return !(negative && positive);
}

bool InRect(const RECT& r, int32_t x, int32_t y) { return x >= r.left && x <= r.right && y >= r.top && y <= r.bottom; }

port::Path Outline(const POINT c[4]) {
    port::Path path;
    path.moveTo(c[0].x, c[0].y);
    for (int i = 1; i < 4; ++i) path.lineTo(c[i].x, c[i].y);
    path.closePath();
    return path;
}

// A segment across the ruler at p on both sides, from `from` to `to` off its centre line.
void Across(port::Path& path, const Geometry& g, ViewPoint p, float from, float to) {
    for (float side : {g.angle + kHalfPi, g.angle - kHalfPi}) {
        const ViewPoint a = Offset(p, side, from), b = Offset(p, side, to);
        path.moveTo(a.x, a.y);
        path.lineTo(b.x, b.y);
    }
}

port::Rect Frame(const RECT& r) {
    return {double(r.left), double(r.top), double(r.right) - r.left, double(r.bottom) - r.top};
}

FloatPoint Evaluated(POINT p) {
    float h = 0, v = 0, d = 0;
    EvaluatePoint(p.x, p.y, &h, &v, &d, 1, nullptr, 1);
    return {h, d};
}

float StoredLength(const QMDDocumentModel& doc) {
    return GetLineLength(doc.itsVRStartPt.floatH, doc.itsVRStartPt.floatV, doc.itsVREndPt.floatH,
                         doc.itsVREndPt.floatV);
}

}  // namespace

uint8_t PointInVirtualRuler(const POINT* point, uint8_t result[2]) {
    QMDDocumentModel* doc = ShownRuler();
    if (!doc || !point || !result) return 0;
    result[0] = result[1] = 0;
    const Geometry g(*doc);
    POINT corners[4];
    Corners(g, corners);
    if (!InQuad(corners, point->x, point->y)) return 0;
    if (InRect(HandleFrame(g.s, g.angle), point->x, point->y)) result[0] = kRulerStartHandle;
    else if (InRect(HandleFrame(g.e, g.backAngle()), point->x, point->y)) result[0] = kRulerEndHandle;
    else result[0] = kRulerBody;
    return 1;
}

void ComputeRulerBoundaryFrame(POINT corners[4]) {
    if (QMDDocumentModel* doc = ShownRuler(); doc && corners) Corners(Geometry(*doc), corners);
}

void ComputeRulerStartPtFrame(RECT* frame) {
    QMDDocumentModel* doc = ShownRuler();
    if (!doc || !frame) return;
    const Geometry g(*doc);
    *frame = HandleFrame(g.s, g.angle);
}

void ComputeRulerEndPtFrame(RECT* frame) {
    QMDDocumentModel* doc = ShownRuler();
    if (!doc || !frame) return;
    const Geometry g(*doc);
    *frame = HandleFrame(g.e, g.backAngle());
}

void DrawRulerEdgeHairs() {
    QMDDocumentModel* doc = ShownRuler();
    if (!doc) return;
    const Geometry g(*doc);
    port::Path hairs;
    Across(hairs, g, g.s, g.half, g.half + ZoomF(10));
    Across(hairs, g, g.e, g.half, g.half + ZoomF(10));
    port::DrawingContext& context = port::currentDrawingContext();
    context.save();
    context.setLineWidth(1);
    context.strokePath(hairs);
    context.restore();
}

void DrawRulerTickMarks() {
    QMDDocumentModel* doc = ShownRuler();
    const DocState* ds = CurrentDocState();
    if (!doc || !ds) return;
    const Geometry g(*doc);
    const float spacing = ConvertWorldToScreen(std::min(ds->snapIncrement.floatH, ds->snapIncrement.floatV), ds, 1);
    if (!std::isfinite(spacing) || !(spacing > 0) || g.length / spacing > kMostTicks) return;
    port::Path ticks;
    for (int32_t k = 1;; ++k) {
        const float d = static_cast<float>(k) * spacing;
        if (!(d < g.length)) break;
        const float tick = ZoomF(k % 2 ? 7 : 14);
        Across(ticks, g, Offset(g.s, g.angle, d), g.half, g.half - tick);
    }
    if (ticks.empty()) return;
    port::DrawingContext& context = port::currentDrawingContext();
    context.save();
    context.setStrokeColor(kBlack);
    context.strokePath(ticks);
    context.restore();
}

void UpdateRulerText() {
    QMDDocumentModel* doc = ShownRuler();
    const DocState* ds = CurrentDocState();
    Base2DView* view = MainWindowDocumentView();
    if (!doc || !ds || !view) return;
    const Geometry g(*doc);
    // In floats, so a ruler straight up or down stays at exactly 90 or 270.
    float degrees = g.angle * 57.29577951308232f;
    if (degrees > 90 && degrees < 270) degrees += 180;

    LOGFONT font{};
    const int32_t height = ZoomL(28);
    font.lfHeight = height < 1 ? -1 : -height;
    font.lfEscapement = font.lfOrientation = static_cast<int32_t>(std::lround(degrees * 10.0));
    font.lfItalic = 1;
    std::strncpy(font.lfFaceName, "Arial", sizeof font.lfFaceName - 1);

    char text[kReadoutSize] = "";
    ConvertInchesToStr(ConvertScreenToWorld(StoredLength(*doc), ds, 0), text);
    POINT corners[4];
    Corners(g, corners);
    const PlatformRect box = FindBoundingNSRectFromPoints(corners, 4);
    const RGBColor black{0, 0, 0};
    view->textMetricsForString(text, &font);
    view->drawText(text, &box, &font, &black);
}

void DrawVirtualRuler(void* /*dc*/) {
    QMDDocumentModel* doc = ShownRuler();
    if (!doc) return;
    port::DrawingContext& context = port::currentDrawingContext();
    context.save();
    context.setStrokeColor(kBlack);
    DrawRulerEdgeHairs();

    POINT corners[4];
    ComputeRulerBoundaryFrame(corners);
    const port::Path body = Outline(corners);
    context.setFillColor(kYellow);
    context.fillPath(body);
    context.strokePath(body);

    RECT start, end;
    ComputeRulerStartPtFrame(&start);
    ComputeRulerEndPtFrame(&end);
    port::Path handles;
    handles.appendOval(Frame(start));
    handles.appendOval(Frame(end));
    context.setFillColor(kBlack);
    context.fillPath(handles);

    UpdateRulerText();
    DrawRulerTickMarks();
    context.restore();
}

bool TrackVirtualRuler::begin(POINT press, uint16_t part) {
    active_ = false;
    QMDDocumentModel* doc = ShownRuler();
    DocState* ds = CurrentDocState();
    if (!doc || !ds) return false;
    if (ds->snapToGrid) {
        for (FloatPoint* p : {&doc->itsVRStartPt, &doc->itsVREndPt}) {
            float elevation = 0;
            Snap3DPointToGrid(ds, &p->floatH, &elevation, &p->floatV);
        }
    }
    anchor_ = Evaluated(press);
    start_ = doc->itsVRStartPt, end_ = doc->itsVREndPt;
    part_ = part, last_ = press, active_ = true;
    DrawLength(0);
    return true;
}

void TrackVirtualRuler::move(POINT at) {
    QMDDocumentModel* doc = ShownRuler();
    const DocState* ds = CurrentDocState();
    if (!active_ || !doc || !ds || (at.x == last_.x && at.y == last_.y)) return;
    last_ = at;
    const FloatPoint p = Evaluated(at);
    const float dh = p.floatH - anchor_.floatH, dv = p.floatV - anchor_.floatV;
    if (part_ == kRulerBody || part_ == kRulerStartHandle)
        doc->itsVRStartPt = {start_.floatH + dh, start_.floatV + dv};
    if (part_ == kRulerBody || part_ == kRulerEndHandle)
        doc->itsVREndPt = {end_.floatH + dh, end_.floatV + dv};
    if (Base2DView* view = MainWindowDocumentView(); view && view->host()) view->host()->setNeedsDisplay();
    DrawLength(ConvertScreenToWorld(StoredLength(*doc), ds, 0));
}

void TrackVirtualRuler::end() {
    QMDDocumentModel* doc = ShownRuler();
    if (!active_ || !doc) return;
    active_ = false;
    if (part_ != kRulerStartHandle && part_ != kRulerEndHandle) return;
    const FloatPoint fixed = part_ == kRulerStartHandle ? doc->itsVREndPt : doc->itsVRStartPt;
    FloatPoint& moved = part_ == kRulerStartHandle ? doc->itsVRStartPt : doc->itsVREndPt;
    float length = 0;
    const float angle = GetLineLengthAndAngle(fixed.floatH, fixed.floatV, moved.floatH, moved.floatV, &length);
    if (length >= kShortestDrag) return;
    float dh = 0, dv = 0;
    GetPointFromLengthAndAngle(angle, kShortestDrag, &dh, &dv);
    moved = {fixed.floatH + dh, fixed.floatV + dv};
}

#include "plan/annotations/dimension_lines.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

#include "app/core/main_window_seams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/numeric.h"
#include "model/plan_index.h"
#include "model/projection.h"
#include "model/readouts.h"
#include "model/transforms.h"
#include "model/view_state.h"
#include "plan/base_2d_view.h"
#include "plan/annotations/arrowheads.h"
#include "plan/plan_color.h"
#include "model/plan_objects.h"
#include "plan/annotations/text_geometry.h"
#include "plan/zoom.h"
#include "model/tool_state.h"
#include "port/drawing.h"

using plantext::PathPoint;
using plantext::OutsideRedrawn;
using plantext::Round16;

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegrees = 180.0 / kPi;
// Readouts with their extra text stay below this many characters.
constexpr size_t kTextLimit = 250;
// The farthest an arrowhead reaches from its tip, unzoomed (the 12-unit heads; circles are 6
// and 1 pixel).
constexpr float kArrowReach = 13.0f;

// A direction's cosine and sine, worked out once for every point set off along it.
struct Heading {
    double cos, sin;
    explicit Heading(double angle) : cos(std::cos(angle)), sin(std::sin(angle)) {}
};

PlatformPoint Polar(PlatformPoint base, const Heading& heading, double length) {
    return {static_cast<float>(base.x + length * heading.cos), static_cast<float>(base.y - length * heading.sin)};
}

// Both plan points into the current view, zoomed.
void Project(float h1, float v1, float h2, float v2, PlatformPoint* a, PlatformPoint* b) {
    float y1 = 0.0f, y2 = 0.0f;
    ConvertToIso(&h1, &y1, &v1, &h2, &y2, &v2, gPerspective);
    *a = {h1, y1}, *b = {h2, y2};
}

// A view line into the engine's primary path, or stroked at once.
void ViewLine(QMDDynamicDrawEngine* engine, PlatformPoint a, PlatformPoint b) {
    const PlatformPoint from = PathPoint(a.x, a.y), to = PathPoint(b.x, b.y);
    if (engine) return engine->appendLineToActivePathWithStartPoint(from, to);
    port::currentDrawingContext().strokeLine({from.x, from.y}, {to.x, to.y});
}

void SetAngle(LOGFONT& font, double degrees) {
    font.lfEscapement = font.lfOrientation = plantext::TenthsOfDegree(degrees);
}

// `throughPoints`: crossing marks and a line through the measured points, whatever the
// document's show-dimensions switch; else extension lines and a line set off from them.
void DrawMeasured(bool throughPoints, void* dc, float p1h, float p1v, float p2h, float p2v,
                  float m1h, float m1v, float m2h, float m2v, uint8_t side, float offset,
                  uint8_t dynamic, const void* reference1, const void* reference2, uint8_t spare,
                  uint8_t oneSided, float gap, uint8_t labelOnly, const char* extraText) {
    const DocState* ds = CurrentDocState();
    if (!ds || !reference1 || !reference2) return;
    QMDDynamicDrawEngine* engine = nullptr;
    if (dynamic) {
        Base2DView* view = MainWindowDocumentView();
        if (!view) return;
        engine = view->dynamicDrawEngine.get();
        engine->setActivePath(0);
    } else if (!throughPoints && !ds->showDimensions) {
        return;
    }

    PlatformPoint p1, p2, m1, m2;
    Project(p1h, p1v, p2h, p2v, &p1, &p2);
    // Most dimensions measure the very points they run along: one projection serves.
    if (m1h == p1h && m1v == p1v && m2h == p2h && m2v == p2v) m1 = p1, m2 = p2;
    else Project(m1h, m1v, m2h, m2v, &m1, &m2);
    float length = 0.0f;
    const double a = GetLineLengthAndAngle(p1.x, p1.y, p2.x, p2.y, &length);
    const double s = a + (side ? kPi / 2 : -kPi / 2);

    // Extension lines (or crossing marks) run from `inner` along `in` to `outer` along `off` (s).
    const Heading off(s);
    const Heading in = throughPoints ? Heading(s + kPi) : off;
    const float inner = throughPoints ? ZoomF(dynamic ? offset + 10.0f : 10.0f + gap)
                                      : ZoomF(dynamic ? offset + 3.0f : gap + 3.0f);
    const float outer = ZoomF(throughPoints ? offset + 10.0f : offset + 22.0f);
    if (ZoomF(71.5f) > length) labelOnly = 1;
    const float rise = throughPoints ? ZoomF(offset) : ZoomF(offset + (labelOnly ? 10.0f : 15.0f));
    // Every line and arrowhead lies within the reach of a measured point: a dimension along
    // the edge of what is redrawn strokes nothing when it is outside (its readout decides alone).
    bool strokes = !labelOnly;
    if (strokes && !dynamic) {
        const double reach = std::max({std::abs(inner), std::abs(outer), std::abs(rise)}) + ZoomF(kArrowReach);
        const double left = std::min(m1.x, m2.x) - reach, top = std::min(m1.y, m2.y) - reach;
        if (OutsideRedrawn(left, top, std::abs(m1.x - m2.x) + 2 * reach, std::abs(m1.y - m2.y) + 2 * reach))
            strokes = false;
    }
    if (strokes) {
        ViewLine(engine, Polar(m1, in, inner), Polar(m1, off, outer));
        if (!oneSided) ViewLine(engine, Polar(m2, in, inner), Polar(m2, off, outer));
    }

    const PlatformPoint e1 = Polar(m1, off, rise), e2 = Polar(m2, off, rise);
    if (dynamic) {
        DrawDynamicDimensionText(dc, e1.x, e1.y, e2.x, e2.y, labelOnly);
        return;
    }
    if (strokes) {
        ViewLine(nullptr, e1, e2);
        DrawDimensionArrow(dc, e1.x, e1.y, e2.x, e2.y, ds->arrowStyleID, 0);
        if (!oneSided) DrawDimensionArrow(dc, e2.x, e2.y, e1.x, e1.y, ds->arrowStyleID, 0);
    }
    DrawDimensionText(dc, e1.x, e1.y, e2.x, e2.y, m1h, m1v, m2h, m2v, reference1, reference2,
                      spare, extraText);
}

// The length readout of a plan distance in the document's unit and format; while a tracker
// asks for it (gRoundToggle), to the nearest whole inch or centimetre.
void Readout(float planLength, const DocState* ds, char (&out)[kReadoutSize]) {
    const float inches = ConvertScreenToWorld(planLength, ds, 0);
    if (gRoundToggle) ConvertInchesToRoundedStr(inches, out);
    else ConvertInchesToStr(inches, out);
}

}  // namespace

void DrawDimensionLine(void* dc, float p1h, float p1v, float p2h, float p2v, float m1h,
                       float m1v, float m2h, float m2v, uint8_t side, float offset,
                       uint8_t dynamic, const void* reference1, const void* reference2,
                       uint8_t spare, uint8_t oneSided, float gap, uint8_t labelOnly,
                       const char* extraText) {
    DrawMeasured(false, dc, p1h, p1v, p2h, p2v, m1h, m1v, m2h, m2v, side, offset, dynamic,
                 reference1, reference2, spare, oneSided, gap, labelOnly, extraText);
}

void DrawDimensionLineNoOffset(void* dc, float p1h, float p1v, float p2h, float p2v, float m1h,
                               float m1v, float m2h, float m2v, uint8_t side, float offset,
                               uint8_t dynamic, const void* reference1, const void* reference2,
                               uint8_t spare, uint8_t oneSided, float gap, uint8_t labelOnly,
                               const char* extraText) {
    DrawMeasured(true, dc, p1h, p1v, p2h, p2v, m1h, m1v, m2h, m2v, side, offset, dynamic,
                 reference1, reference2, spare, oneSided, gap, labelOnly, extraText);
}

void DrawDimensionText(void* /*dc*/, float e1h, float e1v, float e2h, float e2v, float m1h,
                       float m1v, float m2h, float m2v, const void* /*reference1*/,
                       const void* /*reference2*/, uint8_t /*spare*/, const char* extraText) {
    const DocState* ds = CurrentDocState();
    Base2DView* view = MainWindowDocumentView();
    if (!ds || !view) return;
    const RGBColor color = gSelectionState ? RGBColor{65535, 0, 0} : ds->penColor;
    LOGFONT font = ds->font;
    int32_t height = dvxnum::TruncToInt16(ZoomF(static_cast<float>(font.lfHeight)) - 0.5);
    if (height == 0) height = -1;
    if (gSelectionState) height = -12;
    if (gPrinting) height = dvxnum::TruncToInt32(height * static_cast<double>(gHPrintScale));
    font.lfHeight = height;
    float length = 0.0f;
    const double degrees = plantext::PrintedDegrees(
        plantext::UprightDegrees(GetLineLengthAndAngle(e1h, e1v, e2h, e2v, &length) * kDegrees));
    SetAngle(font, degrees);

    char readout[kReadoutSize] = {};
    Readout(GetLineLength(m1h, m1v, m2h, m2v), ds, readout);
    char text[kTextLimit] = {};
    const size_t used = std::strlen(readout);
    std::memcpy(text, readout, used);
    if (extraText && used + std::strlen(extraText) < kTextLimit)
        std::snprintf(text + used, sizeof text - used, "%s", extraText);

    // The box turns with the text about the middle of the dimension line.
    // Measured once: the box and the text's placement share it.
    port::DrawingContext& context = port::currentDrawingContext();
    const std::optional<port::Size> measured = context.measureText(text, font);
    const port::Size size = measured.value_or(port::Size{});
    const double w = dvxnum::TruncToInt16(static_cast<float>(size.width) + 6.0) / 2;
    const double h = dvxnum::TruncToInt16(static_cast<float>(size.height)) / 2;
    const double t = degrees / kDegrees;
    const double along[2] = {std::cos(t), -std::sin(t)}, across[2] = {-std::sin(t), -std::cos(t)};
    double cx = (e1h + e2h) / 2.0, cy = (e1v + e2v) / 2.0;
    if (gPrinting) cx *= gHPrintScale, cy *= gVPrintScale;
    // One outline kept for every readout: a redraw does not allocate one per label.
    static port::Path box;
    box.clear();
    const double corners[4][2] = {{-w, -h}, {w, -h}, {w, h}, {-w, h}};
    for (const auto& k : corners) {
        const double x = Round16(cx + k[0] * along[0] + k[1] * across[0]);
        const double y = Round16(cy + k[0] * along[1] + k[1] * across[1]);
        if (box.empty()) box.moveTo(x, y);
        else box.lineTo(x, y);
    }
    box.closePath();
    const port::Rect bounds = box.bounds();
    // A readout wholly outside the part being redrawn leaves no pixel: skip its fill and text.
    if (OutsideRedrawn(bounds.x, bounds.y, bounds.width, bounds.height)) return;
    // Text under two pixels high gets a box of no height, which covers nothing (the whole design
    // fitted to the window): no fill.
    if (!gPlanIndexOn || h != 0) {
        // Only the fill colour changes: no whole state (with its dash list) is saved for it.
        const port::Color fill = context.state().fill;
        context.setFillColor(gPrinting ? port::Color{1, 1, 1, 1} : PlanColor(ds->backgroundColor));
        context.fillPath(box);
        context.setFillColor(fill);
    }
    const PlatformRect rect{static_cast<float>(bounds.x), static_cast<float>(bounds.y),
                            static_cast<float>(bounds.width), static_cast<float>(bounds.height)};
    if (measured) view->drawText(text, &rect, &font, &color, *measured);
}

void DrawDynamicDimensionText(void* /*dc*/, float e1h, float e1v, float e2h, float e2v,
                              uint8_t labelOnly) {
    const DocState* ds = CurrentDocState();
    Base2DView* view = MainWindowDocumentView();
    if (!ds || !view) return;
    QMDDynamicDrawEngine& engine = *view->dynamicDrawEngine;
    const PlatformPoint c{(e1h + e2h) / 2.0f, (e1v + e2v) / 2.0f};
    float length = 0.0f;
    const double degrees = plantext::UprightDegrees(
        GetLineLengthAndAngle(UnzoomF(e1h), UnzoomF(e1v), UnzoomF(e2h), UnzoomF(e2v), &length) * kDegrees);
    LOGFONT font = plantext::TrackingFont(-12);
    SetAngle(font, degrees);
    char readout[kReadoutSize] = {};
    Readout(length, ds, readout);
    if (!labelOnly) {
        engine.setActivePath(0);
        ViewLine(&engine, {e1h, e1v}, {e2h, e2v});
    }

    const PlatformSize size = view->textMetricsForString(readout, &font);
    const double w = dvxnum::TruncToInt16(size.width + 6.0), h = dvxnum::TruncToInt16(size.height);
    const float left = Round16(c.x - w / 2), right = Round16(c.x + w / 2);
    const float top = Round16(c.y - h / 2), bottom = Round16(c.y + h / 2);
    PlatformRect box;
    ConvertCoordsToNSRect(&box, left, top, right, bottom);
    PlatformPoint backing[4] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
    for (PlatformPoint& p : backing) Rotate(&p.x, &p.y, c.x, c.y, static_cast<float>(degrees / kDegrees));
    auto element = std::make_unique<QMDDynamicDimElement>();
    element->initDynamicDimElementTextRect(&box, readout, &font, backing);
    engine.addDynamicDimElement(std::move(element));
}

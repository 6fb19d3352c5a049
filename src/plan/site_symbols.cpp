#include "plan/site_symbols.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "app/core/localization_seams.h"
#include "model/bounds.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/objects.h"
#include "model/readouts.h"
#include "model/splines.h"
#include "model/transforms.h"
#include "plan/annotations/arrowheads.h"
#include "plan/annotations/dimension_lines.h"
#include "plan/annotations/plan_text.h"
#include "plan/symbol_plot.h"
#include "plan/zoom.h"
#include "port/drawing.h"

using namespace plansymbol;

namespace {

constexpr int32_t kCurvedStair = 801;
constexpr int32_t kFilledArrow = 1;
constexpr int32_t kOpenArrow = 4;

PlanPt At(const Poinz* p) { return {p->position[0], p->position[2]}; }

const Poinz* Nth(const Objex* o, int n) {
    const Poinz* p = o ? o->firstPoint : nullptr;
    while (p && n-- > 0) p = p->next;
    return p;
}

std::string Inches(float value) {
    char text[256] = {};
    ConvertInchesToStr(value, text);
    return text;
}

void Stroke(const port::Path& path) { port::currentDrawingContext().strokePath(path); }

// The outline of a strip of width `width` along a-b.
void AddStrip(port::Path& path, PlanPt a, PlanPt b, float width) {
    const PlanPt o = Along(Direction(a, b) + kHalfPi, width / 2);
    AddLine(path, a + o, b + o);
    AddLine(path, a - o, b - o);
    AddLine(path, a + o, a - o);
    AddLine(path, b + o, b - o);
}

void StrokeDashed(const port::Path& path, std::vector<double> dash) {
    port::DrawingContext& context = port::currentDrawingContext();
    context.save();
    context.setLineDash(std::move(dash), 0.0);
    context.strokePath(path);
    context.restore();
}

// An arrowhead at `tip` pointing away from `back` (plan points).
void Arrowhead(void* dc, const Objex* o, PlanPt tip, PlanPt back, int32_t style) {
    port::Point t, b;
    Project(tip, back, &t, &b);
    DrawArrowhead(dc, o, static_cast<float>(t.x), static_cast<float>(t.y), static_cast<float>(b.x),
                  static_cast<float>(b.y), style);
}

// A readout of first-to-second without lines.
void Readout(void* dc, const Objex* o, PlanPt a, PlanPt b, float offset, const char* extra) {
    DrawDimensionLine(dc, a.h, a.d, b.h, b.d, a.h, a.d, b.h, b.d, 1, offset, 0, o, o->firstPoint, 0, 0, 0.0f,
                      1, extra);
}

}  // namespace

void DrawPlant(void*, const Objex* plant) {
    const Poinz* p3 = Nth(plant, 2);
    if (!p3) return;
    const Poinz* p1 = plant->firstPoint;
    const Poinz* p2 = p1->next;
    const PlanPt c{(p1->position[0] + p2->position[0]) / 2, (p2->position[2] + p3->position[2]) / 2};
    const float r = (p2->position[0] - p1->position[0]) / 2;
    port::Path path;
    for (int i = 0; i < 6; ++i) {
        const PlanPt spoke = Along(static_cast<float>(i) * 0.5235988f, i % 2 ? 0.9f * r : r);
        AddLine(path, c + spoke, c - spoke);
    }
    float x = c.h, y = 0, z = c.d;
    ConversionToIsometric(&x, &y, &z, gCosXAngle, gSinXAngle, gCosYAngle, gSinYAngle, gGlobalXOffset,
                          gGlobalYOffset, gGlobalZOffset, 1);
    const double radius = static_cast<int32_t>(ZoomF(0.8f * r) + 0.5f);
    port::Rect box{Whole(x) - radius, Whole(y) - radius, 2 * radius, 2 * radius};
    if (gPrinting) {
        auto whole = [](double v) { return static_cast<double>(static_cast<int32_t>(v + 0.5)); };
        box = {whole(box.x * gHPrintScale), whole(box.y * gVPrintScale), whole(box.width * gHPrintScale),
               whole(box.height * gVPrintScale)};
    }
    path.appendOval(box);
    Stroke(path);
}

void DrawFoundationBeam(void* dc, const Objex* beam) {
    const DocState* ds = CurrentDocState();
    const Poinz* second = Nth(beam, 1);
    if (!ds || !second) return;
    const PlanPt s = At(beam->firstPoint), e = At(second);
    const float width = objfield::beam::kWidth(*beam), depth = objfield::beam::kDepth(*beam);
    port::Path path;
    AddStrip(path, s, e, ConvertWorldToScreen(width, ds, 0));
    StrokeDashed(path, {18, 6});
    if (!ds->showDimensions) return;
    const std::string label = LocalizedFormat("L, %s W, %s D", {Inches(width).c_str(), Inches(depth).c_str()});
    Readout(dc, beam, s, e, -9.0f, label.c_str());
}

void DrawFoundationPier(void* dc, Objex* pier) {
    const DocState* ds = CurrentDocState();
    if (!ds || !Nth(pier, 3)) return;
    const float diameter = objfield::pier::kWidth(*pier);
    const float r = ConvertWorldToScreen(diameter / 2, ds, 0);
    Poinz* first = pier->firstPoint;
    const PlanPt c = (At(first) + At(Nth(pier, 2))) * 0.5f;
    const float left = c.h - r, right = c.h + r, top = c.d - r, bottom = c.d + r;
    if (first->position[0] != left) {
        const PlanPt corners[4] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
        Poinz* p = first;
        for (const PlanPt& corner : corners) {
            p->position[0] = corner.h, p->position[2] = corner.d;
            p = p->next;
        }
        UpdateObjectBounds(pier);
    }
    port::Point a, b;
    Plot({left, top}, {right, bottom}, &a, &b);
    port::Path path;
    path.appendOval({a.x, a.y, b.x - a.x, b.y - a.y});
    Stroke(path);
    const std::string label = LocalizedFormat("%s DIA", {Inches(diameter).c_str()});
    DrawNormalText(dc, label.c_str(), right + 33.0f, c.d, 0.0f);
}

void DrawFoundationTensionCable(void* dc, const Objex* strand) {
    const Poinz* second = Nth(strand, 1);
    if (!CurrentDocState() || !second) return;
    const PlanPt s = At(strand->firstPoint), e = At(second);
    const PlanPt o = Along(Direction(s, e) + kHalfPi, 5.0f);
    port::Path path;
    AddLine(path, s + o, s - o);
    AddLine(path, s, e);
    Stroke(path);
    Arrowhead(dc, strand, e, s, kFilledArrow);
}

void DrawStaircase(void* dc, const Objex* stair) {
    const DocState* ds = CurrentDocState();
    const Poinz* second = Nth(stair, 1);
    if (!ds || !second || !ds->showDimensions) return;
    const Poinz* first = stair->firstPoint;
    const float riser = objfield::stair::kRiser(*stair);
    const float risers = riser > 0 ? objfield::stair::kFloorHeight(*stair) / riser : 0.0f;
    const long n = std::max(1L, static_cast<long>(std::clamp(risers, 0.0f, 1e6f)));
    const PlanPt p = At(first);
    PlanPt q = At(second);
    if (stair->subtype == kCurvedStair) {
        const float steps = 6.0f * std::max<int16_t>(ds->curveSegments, 1);
        const float t = 1.0f / steps;
        for (int axis : {0, 2}) {
            float a, b, c, d;
            SetupSpline(first->position[axis], first->outTangent[axis], second->position[axis],
                        second->inTangent[axis], &a, &b, &c, &d);
            (axis == 0 ? q.h : q.d) = GetSplineCoord(a, b, c, d, t, t * t, t * t * t);
        }
    }
    const float a = Direction(q, p);
    const float angle = (a + kHalfPi) * kDegreesPerRadian;
    const PlanPt step = Along(a, 27.0f);
    const std::string width = LocalizedFormat("%sW", {Inches(objfield::stair::kWidth(*stair)).c_str()});
    // A stair drawn downward or leftward still labels itself so that it reads.
    DrawUprightNormalText(dc, width.c_str(), (p + Along(a, 10.0f)).h, (p + Along(a, 10.0f)).d, angle);
    std::string risersText = LocalizedFormat("%ldR x %sT", {Inches(objfield::stair::kTread(*stair)).c_str()});
    if (const size_t at = risersText.find("%ld"); at != std::string::npos)
        risersText.replace(at, 3, std::to_string(n));
    DrawUprightNormalText(dc, risersText.c_str(), (p + step).h, (p + step).d, angle);
    const PlanPt up = p - step * 0.75f;
    DrawUprightNormalText(dc, LocalizedString("Up").c_str(), up.h, up.d, angle);
    port::Path path;
    AddLine(path, p - step, p - step * 2.0f);
    Stroke(path);
    Arrowhead(dc, stair, p - step * 2.0f, p - step, kFilledArrow);
}

void DrawHVACDuct(void* dc, const Objex* duct) {
    const DocState* ds = CurrentDocState();
    const Poinz* second = Nth(duct, 1);
    if (!ds || !second) return;
    const PlanPt s = At(duct->firstPoint), e = At(second);
    const float width = objfield::duct::kWidth(*duct);
    const float a = Direction(s, e);
    const PlanPt v = Along(a, ds->units == kImperialUnits ? 25.0f : 55.0f);
    port::Path path;
    AddStrip(path, s, e, ConvertWorldToScreen(width, ds, 0));
    StrokeDashed(path, {3, 3});
    path.clear();
    const PlanPt from = e - v * (1.0f / 1.5f);
    AddLine(path, from, e);
    Stroke(path);
    Arrowhead(dc, duct, e, from, kOpenArrow);
    if (!ds->showDimensions) return;
    const std::string size = Inches(width) + "x" + Inches(objfield::duct::kHeight(*duct));
    const PlanPt mid = (s + e) * 0.5f;
    DrawNormalText(dc, size.c_str(), mid.h, mid.d, a * kDegreesPerRadian);
    Readout(dc, duct, s, e, width + 5.0f, nullptr);
}

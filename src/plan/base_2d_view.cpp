#include "plan/base_2d_view.h"

#include <string_view>

#include "model/docstate.h"
#include "model/document_model.h"
#include "plan/hatch_patterns.h"
#include "plan/plan_color.h"
#include "model/plan_objects.h"
#include "model/tool_state.h"

namespace {

constexpr port::Color kWhite{1, 1, 1, 1};

port::TextAlignment AlignmentFor(int16_t alignment) {
    if (alignment == 1) return port::TextAlignment::Center;
    if (alignment == 2) return port::TextAlignment::Right;
    return port::TextAlignment::Left;
}

// Saves the state and sets what every painting of a region shares: its width and dash.
void BeginPainting(port::DrawingContext& context, int32_t lineWidth, bool dashed) {
    context.save();
    context.setLineWidth(lineWidth);
    if (dashed) context.setLineDash({3, 3}, 0);
}

}  // namespace

PlatformSize Base2DView::textMetricsForString(const char* text, const LOGFONT* font) {
    if (!text || !font) return {};
    const auto size = port::currentDrawingContext().measureText(text, *font);
    if (!size) return {};
    return {static_cast<float>(size->width), static_cast<float>(size->height)};
}

void Base2DView::drawStdText(const char* text, const PlatformRect* rect, const LOGFONT* font,
                             const RGBColor* color, int16_t alignment) {
    if (!text || !rect || !font || !color) return;
    port::DrawingContext& context = port::currentDrawingContext();
    context.save();
    context.setAntialiasing(true);
    context.setFillColor(PlanColor(*color));
    context.drawTextInRect(text, *font, {rect->x, rect->y, rect->width, rect->height},
                           AlignmentFor(alignment));
    context.restore();
}

void Base2DView::drawText(const char* text, const PlatformRect* rect, const LOGFONT* font,
                          const RGBColor* color) {
    if (!text || !rect || !font || !color) return;
    const auto size = port::currentDrawingContext().measureText(text, *font);
    if (size) drawText(text, rect, font, color, *size);
}

void Base2DView::drawText(const char* text, const PlatformRect* rect, const LOGFONT* font,
                          const RGBColor* color, port::Size measured) {
    if (!text || !rect || !font || !color) return;
    port::DrawingContext& context = port::currentDrawingContext();
    context.save();
    context.setAntialiasing(true);
    context.setFillColor(PlanColor(*color));
    context.translate(rect->x + rect->width / 2.0, rect->y + rect->height / 2.0);
    context.rotate(font->lfOrientation / -10.0);
    context.drawTextAt(text, *font, {-measured.width / 2, -measured.height / 2});
    context.restore();
}

void Base2DView::fillWithPattern(const port::Path& path,
                                 std::unique_ptr<port::HatchPattern>& slot,
                                 port::HatchTile (*makeTile)(), const RGBColor& color) {
    if (!slot) slot = std::make_unique<port::HatchPattern>(makeTile());
    port::DrawingContext& context = port::currentDrawingContext();
    // The view's origin in device space: hatches move with the plan when it scrolls.
    const PlatformPoint origin = host_ ? host_->boundsOrigin() : PlatformPoint{};
    const port::Point phase = context.currentMatrix().map({origin.x, origin.y});
    context.fillPathWithPattern(path, *slot, PlanColor(color), phase);
}

void Base2DView::draw2DPatternRegion(const POINT* points, int32_t count, int16_t penStyle,
                                     int16_t brushStyle, const RGBColor* strokeColor,
                                     const RGBColor* fillColor, int32_t lineWidth) {
    if (!points || !strokeColor || !fillColor || count <= 2) return;
    const DocState* ds = CurrentDocState();
    if (!ds) return;
    port::DrawingContext& context = port::currentDrawingContext();
    port::Path path;
    path.moveTo(points[0].x, points[0].y);
    for (int32_t i = 1; i < count; ++i) path.lineTo(points[i].x, points[i].y);
    path.closePath();

    const bool dashed = penStyle == 2;
    BeginPainting(context, lineWidth, dashed);
    switch (brushStyle) {
    case 0:
        context.setFillColor(PlanColor(*fillColor));
        context.fillPath(path);
        break;
    case -1:
        context.setStrokeColor(PlanColor(*strokeColor));
        context.strokePath(path);
        break;
    case 1:
    case 2:
        context.setFillColor(gPrinting ? kWhite : PlanColor(ds->backgroundColor));
        context.fillPath(path);
        if (brushStyle == 1)
            fillWithPattern(path, backDiagPattern, BackDiagPatternCallback, *fillColor);
        else
            fillWithPattern(path, fwdDiagPattern, FdwDiagPatternCallback, *fillColor);
        break;
    default:
        break;
    }
    context.restore();
    if (penStyle == 5) return;
    BeginPainting(context, lineWidth, dashed);
    context.setStrokeColor(PlanColor(*strokeColor));
    context.strokePath(path);
    context.restore();
}

void Base2DView::drawDetailPatternObject(const port::Path* path, int16_t patternStyle,
                                         const RGBColor* foregroundColor,
                                         const RGBColor* backgroundColor, int32_t lineWidth) {
    if (!path || !foregroundColor || !backgroundColor) return;
    struct Hatch {
        std::unique_ptr<port::HatchPattern>* slot;
        port::HatchTile (*makeTile)();
    };
    Hatch hatch{};
    switch (patternStyle) {
    case 1:
    case 2: break;
    case 3: hatch = {&fwdDiagPattern, FdwDiagPatternCallback}; break;
    case 4: hatch = {&backDiagPattern, BackDiagPatternCallback}; break;
    case 5: hatch = {&diagCrossPattern, DiagCrossPatternCallback}; break;
    case 6: hatch = {&horizLinePattern, HorizLinePatternCallback}; break;
    case 7: hatch = {&vertLinePattern, VertLinePatternCallback}; break;
    case 8: hatch = {&crossPattern, CrossPatternCallback}; break;
    default: return;
    }
    port::DrawingContext& context = port::currentDrawingContext();
    const port::Color foreground = PlanColor(*foregroundColor);
    const port::Color background = gPrinting ? kWhite : PlanColor(*backgroundColor);

    BeginPainting(context, lineWidth, false);
    if (patternStyle == 2) {
        context.setFillColor(foreground);
        context.fillPath(*path);
        context.restore();
        return;
    }
    context.setFillColor(background);
    context.fillPath(*path);
    if (patternStyle == 1) {
        context.setStrokeColor(foreground);
        context.strokePath(*path);
        context.restore();
        return;
    }
    fillWithPattern(*path, *hatch.slot, hatch.makeTile, *foregroundColor);
    context.restore();
    BeginPainting(context, lineWidth, false);
    context.setStrokeColor(foreground);
    context.strokePath(*path);
    context.restore();
}

void Base2DView::autoScrollToPoint(POINT point) {
    constexpr int16_t kMarqueeZoomTool = 205;
    constexpr float kStep = 10;
    if (!host_ || gCurTool == kMarqueeZoomTool) return;
    PlatformRect r = host_->visibleRect();
    if (point.x < r.x) r.x -= kStep, host_->scrollRectToVisible(r);
    else if (point.x > r.x + r.width) r.x += kStep, host_->scrollRectToVisible(r);
    if (point.y < r.y) r.y -= kStep, host_->scrollRectToVisible(r);
    else if (point.y > r.y + r.height) r.y += kStep, host_->scrollRectToVisible(r);
}

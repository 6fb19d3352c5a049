// The plan frame of Base2DView: background, trace image, topography, grid, floors, handles,
// feedback and the camera marker.
#include <cmath>
#include <vector>

#include "files/trace_image.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/numeric.h"
#include "model/objects.h"
#include "model/projection.h"
#include "model/transforms.h"
#include "model/view_state.h"
#include "plan/base_2d_view.h"
#include "plan/handles.h"
#include "plan/plan_color.h"
#include "plan/plan_frame.h"
#include "model/plan_objects.h"
#include "plan/zoom.h"
#include "render/core/live_view_seams.h"
#include "model/tool_state.h"

namespace {

constexpr float kMinimumGridStep = 2.0f;
constexpr int16_t kGridLinesStyle = 1;

float Rounded(float v) { return dvxnum::TruncToInt16(static_cast<double>(v) + 0.5); }

// A grid step is drawable when it is finite and at least 2 units on the surface.
bool DrawableStep(float spacing, float printScale) {
    const float step = ZoomF(spacing) * (gPrinting ? printScale : 1.0f);
    return std::isfinite(step) && step >= kMinimumGridStep;
}

bool DrawableGrid(float hSpacing, float vSpacing) {
    return DrawableStep(hSpacing, gHPrintScale) && DrawableStep(vSpacing, gVPrintScale);
}

// Grid positions from `start` up to `end`, counted rather than summed: far from the origin a
// float sum stops growing. Extents so large or damaged that the count is absurd give none.
constexpr double kMostGridSteps = 1e6, kMostGridDots = 1e7;

double GridSteps(float start, float end, float step) {
    const double n = std::floor((static_cast<double>(end) - start) / step) + 1;
    return std::isfinite(n) && n > 0 && n <= kMostGridSteps ? n : 0;
}

template <typename Each>
void ForEachGridStep(float start, float end, float step, const Each& each) {
    const double n = GridSteps(start, end, step);
    for (int64_t k = 0; k < static_cast<int64_t>(n) + 1; ++k) {
        const float at = start + static_cast<float>(k) * step;
        if (at > end) break;
        each(at);
    }
}

// Strokes the collected points as one segment list in the grid colour.
void StrokeGrid(const std::vector<port::Point>& points, const DocState& ds) {
    if (points.size() < 2) return;
    port::DrawingContext& context = port::currentDrawingContext();
    context.save();
    context.setStrokeColor(PlanColor(ds.gridColor));
    context.setLineWidth(1);
    context.setLineDash({}, 0);
    context.strokeLineSegments(points);
    context.restore();
}

// A plan point into the view with the document zoom (no perspective).
port::Point Iso(float h, float v, float d) {
    ConversionToIsometric(&h, &v, &d, gCosXAngle, gSinXAngle, gCosYAngle, gSinYAngle, gGlobalXOffset,
                          gGlobalYOffset, gGlobalZOffset, 1);
    return {h, v};
}

void DrawTraceImage(const DocState& ds) {
    const auto* trace = dynamic_cast<const TraceImage*>(gCurDocument->itsTraceImage);
    if (!trace || !ds.traceImageShown) return;
    const port::DecodedImage& image = trace->image;
    const int32_t w = image.width, h = image.height;
    if (w <= 0 || h <= 0 || image.rgb.size() < static_cast<size_t>(w) * h * 3) return;
    const float width = std::floor(ZoomF(w * ds.traceImageScaleH) + 0.5f);
    const float height = std::floor(ZoomF(h * ds.traceImageScaleV) + 0.5f);
    float x = std::floor(ZoomF(w * ds.traceImageScaleH * 0.5f) + 0.5f);
    float y = std::floor(ZoomF(h * ds.traceImageScaleV * 0.5f) + 0.5f), z = 0;
    ComputeInverseRotationAboutArbitraryAxis(&x, &y, &z, gCosXAngle, gSinXAngle, gCosYAngle, gSinYAngle,
                                             gGlobalXOffset, gGlobalYOffset, gGlobalZOffset);
    port::currentDrawingContext().drawImage(image.rgb.data(), image.rgb.size(), w, h,
                                            {-x, -z, width, height}, 1.0f);
}

}  // namespace

void Base2DView::drawRect(const PlatformRect& rect) {
    port::DrawingContext& context = port::currentDrawingContext();
    port::Path path;
    path.appendRect({rect.x, rect.y, rect.width, rect.height});
    context.save();
    context.setFillColor({1, 1, 1, 1});
    context.fillPath(path);
    context.restore();
}

void Base2DView::draw3D(const PlatformRect& rect, int32_t flags) {
    if (!CurrentDocState() || !gCurDocument->itsLayers) return;
    drawBeneathFeedback(rect, flags);
    drawFeedback();
}

void Base2DView::drawBeneathFeedback(const PlatformRect& rect, int32_t flags) {
    const DocState* ds = CurrentDocState();
    if (!ds || !gCurDocument->itsLayers) return;
    port::DrawingContext& context = port::currentDrawingContext();
    port::Path background;
    background.appendRect({rect.x, rect.y, rect.width, rect.height});
    context.save();
    context.setFillColor(PlanColor(ds->backgroundColor));
    context.fillPath(background);
    context.restore();

    doDraw3D(rect, flags);
    if (dynamicDrawEngine->areAllPathsEmpty()) {
        RECT dirty;
        ConvertNSRectToRECT(&dirty, &rect);
        DrawAllLayerHandles(gCurDocument->itsLayers, &dirty);
    }
}

void Base2DView::drawFeedback() {
    dynamicDrawEngine->strokeAllPaths();
    port::currentDrawingContext().flush();
    if (!gTrackingMouse) LiveViewNeedsDisplay();
}

void Base2DView::doDraw3D(const PlatformRect& rect, int32_t flags) {
    const DocState* ds = CurrentDocState();
    if (!ds) return;
    RECT dirty;
    ConvertNSRectToRECT(&dirty, &rect);
    SetUpForRotationAboutArbitraryAxis(gXViewAngle, gYViewAngle, &gCosXAngle, &gSinXAngle, &gCosYAngle,
                                       &gSinYAngle, gPerspective);
    DrawTraceImage(*ds);
    if (gCurDocument->itsTopoLayer && ds->showTopoLines)
        DrawLayer(nullptr, gCurDocument->itsTopoLayer, &dirty, flags, nullptr);
    drawGrid(true);
    if (gCurDocument->itsLayers) DrawAllLayers(nullptr, gCurDocument->itsLayers, &dirty, flags, nullptr);
    if (shouldDrawViewPoint) drawViewPoint();
}

void Base2DView::drawGrid(bool frameWhenHidden) {
    const DocState* ds = CurrentDocState();
    if (!ds) return;
    const float hd = ConvertWorldToScreen(ds->gridSpacing.floatH, ds, 0);
    const float vd = ConvertWorldToScreen(ds->gridSpacing.floatV, ds, 0);
    const FloatRect& e = ds->lotRect;
    float whole;
    const float vOffset = std::modf((e.floatBottom - e.floatTop) / vd * 0.5f, &whole) * vd;
    const float hOffset = std::modf((e.floatRight - e.floatLeft) / hd * 0.5f, &whole) * hd;
    if (!ds->showGrid) {
        if (frameWhenHidden) drawGridFrame(hd, vd, hOffset, vOffset, &e, &ds->viewOrigin);
    } else if (ds->gridStyle == kGridLinesStyle) {
        draw3DGridLines(hd, vd, hOffset, vOffset, &e, &ds->viewOrigin);
    } else {
        draw3DGridDots(hd, vd, hOffset, vOffset, &e, &ds->viewOrigin);
    }
}

void Base2DView::drawGridFrame(float, float, float, float, const FloatRect* extents,
                               const Float3DPoint* origin) {
    const DocState* ds = CurrentDocState();
    if (!extents || !origin || !ds) return;
    float l[3] = {extents->floatLeft, 0, extents->floatTop}, r[3] = {extents->floatRight, 0, extents->floatTop};
    ConvertToIso(&l[0], &l[1], &l[2], &r[0], &r[1], &r[2], gPerspective);
    float t[3] = {extents->floatLeft, 0, extents->floatTop}, b[3] = {extents->floatLeft, 0, extents->floatBottom};
    ConvertToIso(&t[0], &t[1], &t[2], &b[0], &b[1], &b[2], gPerspective);
    port::Path frame;
    frame.appendRect({Rounded(l[0]), Rounded(l[1]), Rounded(r[0] - l[0]), Rounded(b[1] - t[1])});
    port::DrawingContext& context = port::currentDrawingContext();
    context.save();
    context.setStrokeColor(PlanColor(ds->penColor));
    context.setLineWidth(1);
    context.setLineDash({}, 0);
    context.strokePath(frame);
    context.restore();
}

void Base2DView::draw3DGridLines(float hSpacing, float vSpacing, float hOffset, float vOffset,
                                 const FloatRect* extents, const Float3DPoint* origin) {
    const DocState* ds = CurrentDocState();
    if (!extents || !origin || !ds || !DrawableGrid(hSpacing, vSpacing)) return;
    const PlatformRect visible = host_ ? host_->visibleRect() : PlatformRect{};
    const bool cull = host_ && !gPrinting;
    const float e = origin->floatV;
    std::vector<port::Point> points;
    points.reserve(500);
    // One line projected, print-scaled and rounded; `acrossX` tests x against the view.
    auto add = [&](float h1, float d1, float h2, float d2, bool test, bool acrossX) {
        float a[3] = {h1, e, d1}, b[3] = {h2, e, d2};
        ConvertToIso(&a[0], &a[1], &a[2], &b[0], &b[1], &b[2], gPerspective);
        if (gPrinting) {
            a[0] *= gHPrintScale, b[0] *= gHPrintScale;
            a[1] *= gVPrintScale, b[1] *= gVPrintScale;
        }
        const port::Point p{Rounded(a[0]), Rounded(a[1])}, q{Rounded(b[0]), Rounded(b[1])};
        if (test && cull) {
            const double at = acrossX ? p.x : p.y;
            const double low = (acrossX ? visible.x : visible.y) - 10;
            const double high = low + (acrossX ? visible.width : visible.height) + 20;
            if (at < low || at > high) return;
        }
        points.push_back(p);
        points.push_back(q);
    };
    const FloatRect& x = *extents;
    ForEachGridStep(x.floatTop + vOffset, x.floatBottom, vSpacing,
                    [&](float y) { add(x.floatLeft, y, x.floatRight, y, true, false); });
    if (std::fabs(vOffset) > 0.5f) {
        add(x.floatLeft, x.floatTop, x.floatRight, x.floatTop, false, false);
        add(x.floatLeft, x.floatBottom, x.floatRight, x.floatBottom, false, false);
    }
    ForEachGridStep(x.floatLeft + hOffset, x.floatRight, hSpacing,
                    [&](float h) { add(h, x.floatTop, h, x.floatBottom, true, true); });
    if (std::fabs(hOffset) > 0.5f) {
        add(x.floatLeft, x.floatTop, x.floatLeft, x.floatBottom, false, true);
        add(x.floatRight, x.floatTop, x.floatRight, x.floatBottom, false, true);
    }
    StrokeGrid(points, *ds);
}

void Base2DView::draw3DGridDots(float hSpacing, float vSpacing, float hOffset, float vOffset,
                                const FloatRect* extents, const Float3DPoint* origin) {
    const DocState* ds = CurrentDocState();
    if (!extents || !origin || !ds || !DrawableGrid(hSpacing, vSpacing)) return;
    const PlatformRect visible = host_ ? host_->visibleRect() : PlatformRect{};
    const bool cull = host_ && !gPrinting;
    std::vector<port::Point> points;
    points.reserve(500);
    const FloatRect& x = *extents;
    if (GridSteps(x.floatTop + vOffset, x.floatBottom, vSpacing) *
            GridSteps(x.floatLeft + hOffset, x.floatRight, hSpacing) > kMostGridDots)
        return;
    ForEachGridStep(x.floatTop + vOffset, x.floatBottom, vSpacing, [&](float y) {
        ForEachGridStep(x.floatLeft + hOffset, x.floatRight, hSpacing, [&](float h) {
            const port::Point p = Iso(h, 0, y);
            const float sx = Rounded(p.x * (gPrinting ? gHPrintScale : 1.0f));
            const float sy = Rounded(p.y * (gPrinting ? gVPrintScale : 1.0f));
            if (cull && !(sx >= visible.x && sx < visible.x + visible.width && sy >= visible.y &&
                          sy < visible.y + visible.height))
                return;
            // A whole unit long: half a unit covers no pixel's centre when the view's origin
            // falls between pixels, and the dot would vanish at such zooms.
            points.push_back({sx, sy});
            points.push_back({sx, sy + 1});
        });
    });
    StrokeGrid(points, *ds);
}

void Base2DView::drawViewPoint() {
    const DocState* ds = CurrentDocState();
    if (!ds) return;
    constexpr float kDegrees = 0.017453292f;
    port::DrawingContext& context = port::currentDrawingContext();
    context.save();
    context.setFillColor({0, 0, 0, 1});
    context.setStrokeColor({0, 0, 0, 1});
    context.setLineWidth(1);
    context.setLineDash({}, 0);
    port::Path marker;
    if (ds->cameraMode == 1) {
        const port::Point eye = Iso(ds->cameraPosition.floatH, 0, ds->cameraPosition.floatV);
        auto at = [&](float degrees, float length) {
            float dx = 0, dy = 0;
            GetPointFromLengthAndAngle((degrees + ds->cameraHeading) * kDegrees, length, &dx, &dy);
            return port::Point{eye.x + dx, eye.y + dy};
        };
        const port::Point apex = at(90, 20), left = at(130, 10), right = at(50, 10);
        marker.moveTo(apex.x, apex.y);
        marker.lineTo(left.x, left.y);
        marker.lineTo(right.x, right.y);
        marker.closePath();
        marker.appendOval({std::trunc(eye.x - 5), std::trunc(eye.y - 5), 10, 10});
        context.fillPath(marker);
    } else {
        const port::Point target = Iso(ds->lightOffset.floatH, 0, ds->lightOffset.floatV);
        marker.appendOval({std::trunc(target.x - 5), std::trunc(target.y - 5), 10, 10});
        context.fillPath(marker);
        port::Path cross;
        cross.moveTo(target.x, target.y - 20);
        cross.lineTo(target.x, target.y + 20);
        cross.moveTo(target.x - 20, target.y);
        cross.lineTo(target.x + 20, target.y);
        context.strokePath(cross);
    }
    context.restore();
}

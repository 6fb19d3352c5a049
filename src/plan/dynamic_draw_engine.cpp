#include "plan/dynamic_draw_engine.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "app/core/main_window_seams.h"
#include "model/document_model.h"
#include "model/numeric.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/transforms.h"
#include "plan/base_2d_view.h"
#include "plan/plan_lines.h"
#include "plan/zoom.h"
#include "port/drawing.h"

namespace {

constexpr port::Color kWhite{1, 1, 1, 1};
constexpr port::Color kRed{1, 0, 0, 1};
// Beyond what is measured: antialiased text and rounding to whole pixels.
constexpr float kPixelMargin = 3;

// As setting a colour on the platform does: fills and strokes alike.
void SetCurrentColor(port::Color color) {
    port::DrawingContext& context = port::currentDrawingContext();
    context.setFillColor(color);
    context.setStrokeColor(color);
}

PlatformRect ToPlatform(const port::Rect& r) {
    return {static_cast<float>(r.x), static_cast<float>(r.y), static_cast<float>(r.width),
            static_cast<float>(r.height)};
}

// Adds the rectangle of a non-empty part to the union so far.
void Unite(PlatformRect& sum, bool& any, const PlatformRect& r) {
    if (!any) {
        sum = r;
        any = true;
        return;
    }
    const float right = std::max(sum.x + sum.width, r.x + r.width);
    const float bottom = std::max(sum.y + sum.height, r.y + r.height);
    sum.x = std::min(sum.x, r.x);
    sum.y = std::min(sum.y, r.y);
    sum.width = right - sum.x;
    sum.height = bottom - sum.y;
}

}  // namespace

// --- DynamicPath ---

void DynamicPath::setDash(const float* lengths, int32_t count, float phase) {
    dash.clear();
    if (lengths && count > 0) dash.assign(lengths, lengths + count);
    dashPhase = phase;
}

void DynamicPath::stroke() const {
    port::DrawingContext& context = port::currentDrawingContext();
    context.setLineWidth(lineWidth);
    context.setLineDash(dash, dashPhase);
    context.strokePath(path);
}

void DynamicPath::fill() const { port::currentDrawingContext().fillPath(path); }

// --- QMDDynamicDimElement ---

QMDDynamicDimElement* QMDDynamicDimElement::initDynaimcDimElementTextRect(const PlatformRect* rect,
                                                                          const char* text,
                                                                          const LOGFONT* font) {
    if (!rect || !text || !font || !*text) return this;
    textRect = *rect;
    textFontInfo = *font;
    const size_t length = std::strlen(text);
    dimensionText = std::make_unique<char[]>(length + 5);  // zeroed
    std::memcpy(dimensionText.get(), text, length);
    return this;
}

QMDDynamicDimElement* QMDDynamicDimElement::initDynamicDimElementTextRect(
    const PlatformRect* rect, const char* text, const LOGFONT* font,
    const PlatformPoint* backingPathPoints) {
    if (!rect || !text || !font || !*text || !backingPathPoints) return this;
    initDynaimcDimElementTextRect(rect, text, font);
    backingPath = std::make_unique<port::Path>();
    backingPath->moveTo(backingPathPoints[0].x, backingPathPoints[0].y);
    for (int i = 1; i < 4; ++i) backingPath->lineTo(backingPathPoints[i].x, backingPathPoints[i].y);
    backingPath->closePath();
    return this;
}

bool QMDDynamicDimElement::isBackingPathEmpty() const { return backingPath && backingPath->empty(); }

PlatformRect QMDDynamicDimElement::backingPathBounds() const {
    if (!backingPath || backingPath->empty()) return {};
    return ToPlatform(backingPath->bounds());
}

void QMDDynamicDimElement::drawDynamicDimElement() const {
    if (isBackingPathEmpty()) return;
    SetCurrentColor(kWhite);
    if (backingPath) port::currentDrawingContext().fillPath(*backingPath);
    SetCurrentColor(kRed);
    Base2DView* view = MainWindowDocumentView();
    if (!view || !dimensionText) return;
    const RGBColor red{65535, 0, 0};
    view->drawText(dimensionText.get(), &textRect, &textFontInfo, &red);
}

// --- QMDDynamicTransformElement ---

void QMDDynamicTransformElement::setLineStyleForObject(const Objex* object) {
    const DocState* ds = CurrentDocState();
    if (!object || !ds) return;
    if (object->type == objtype::kWall) {
        const float screen = ConvertWorldToScreen(object->penWidth, ds, 0);
        setLineWidth(static_cast<float>(ZoomL(dvxnum::TruncToInt16(screen + 0.5))));
        return;
    }
    if (object->type != objtype::kDetail || object->subtype < 1 || object->subtype > 7) return;
    setLineWidth(static_cast<float>(ZoomL(dvxnum::TruncToInt16(object->penWidth + 0.5))));
    // Only the detail line styles dash; any other style (solid 6 or an unknown one) draws
    // solid rather than with whatever dash the shared record last held.
    if (object->penStyle < 7 || object->penStyle > 14) return;
    LoadStyle(object->penStyle, &gStyleState, object->penWidth);
    path.setDash(gStyleState.dashes, gStyleState.dashCount, gStyleState.phase);
}

void QMDDynamicTransformElement::appendPathWithLineFromPoint(PlatformPoint from, PlatformPoint to) {
    path.path.moveTo(from.x, from.y);
    path.path.lineTo(to.x, to.y);
}

void QMDDynamicTransformElement::drawDynamicTransformElement() const {
    if (drawUsingIndicatorColor) SetCurrentColor(port::systemColors().keyboardFocusIndicatorColor());
    if (fillPath) path.fill();
    else path.stroke();
}

// --- QMDDynamicDrawEngine ---

DynamicPath* QMDDynamicDrawEngine::pathFor(int16_t pathID) {
    return pathID == 0 ? &primaryPath : pathID == 1 ? &secondaryPath : nullptr;
}

const DynamicPath* QMDDynamicDrawEngine::pathFor(int16_t pathID) const {
    return pathID == 0 ? &primaryPath : pathID == 1 ? &secondaryPath : nullptr;
}

void QMDDynamicDrawEngine::setActivePath(int16_t pathID) {
    activePathID = pathID == 0 || pathID == 1 ? pathID : 0;
}

void QMDDynamicDrawEngine::appendLineToActivePathWithStartPoint(PlatformPoint start,
                                                                PlatformPoint end) {
    if (DynamicPath* p = pathFor(activePathID)) {
        p->path.moveTo(start.x, start.y);
        p->path.lineTo(end.x, end.y);
    }
}

void QMDDynamicDrawEngine::appendOvalToActivePathWithBoundingRect(const PlatformRect& r) {
    if (DynamicPath* p = pathFor(activePathID)) p->path.appendOval({r.x, r.y, r.width, r.height});
}

void QMDDynamicDrawEngine::appendRectToActivePath(const PlatformRect& r) {
    if (DynamicPath* p = pathFor(activePathID)) p->path.appendRect({r.x, r.y, r.width, r.height});
}

void QMDDynamicDrawEngine::appendActivePathWithArcWithCenter(PlatformPoint center, float radius,
                                                             float startAngle, float endAngle) {
    if (DynamicPath* p = pathFor(activePathID))
        p->path.appendArc({center.x, center.y}, radius, startAngle, endAngle, false);
}

void QMDDynamicDrawEngine::activePathMoveToPoint(PlatformPoint point) {
    if (DynamicPath* p = pathFor(activePathID)) p->path.moveTo(point.x, point.y);
}

void QMDDynamicDrawEngine::activePathLineToPoint(PlatformPoint point) {
    if (DynamicPath* p = pathFor(activePathID)) p->path.lineTo(point.x, point.y);
}

void QMDDynamicDrawEngine::setLineWidthForPath(int16_t pathID, float width) {
    if (DynamicPath* p = pathFor(pathID)) p->lineWidth = width;
}

void QMDDynamicDrawEngine::setLineDash(const float* lengths, int32_t count, float phase,
                                       int16_t pathID) {
    if (DynamicPath* p = pathFor(pathID)) p->setDash(lengths, count, phase);
}

void QMDDynamicDrawEngine::setDeviceRed(float red, float green, float blue, float alpha,
                                        int16_t pathID) {
    if (pathID == 0) {
        primaryPathRed = red, primaryPathGreen = green, primaryPathBlue = blue;
        primaryPathAlpha = alpha;
    } else if (pathID == 1) {
        secondaryPathRed = red, secondaryPathGreen = green, secondaryPathBlue = blue;
        secondaryPathAlpha = alpha;
    }
}

void QMDDynamicDrawEngine::setDrawMethod(int16_t method, int16_t pathID) {
    if (method < 0 || method > 1) return;
    if (pathID == 0) primaryPathDrawMethod = method;
    else if (pathID == 1) secondaryPathDrawMethod = method;
}

void QMDDynamicDrawEngine::closePath(int16_t pathID) {
    if (DynamicPath* p = pathFor(pathID)) p->path.closePath();
}

bool QMDDynamicDrawEngine::isPathEmpty(int16_t pathID) const {
    const DynamicPath* p = pathFor(pathID);
    return !p || p->path.empty();
}

PlatformRect QMDDynamicDrawEngine::boundsForPath(int16_t pathID) const {
    const DynamicPath* p = pathFor(pathID);
    if (!p || p->path.empty()) return {};
    return ToPlatform(p->path.bounds());
}

void QMDDynamicDrawEngine::removePointsFromPath(int16_t pathID) {
    if (DynamicPath* p = pathFor(pathID)) p->path.clear();
}

bool QMDDynamicDrawEngine::areAllPathsEmpty() const {
    if (!primaryPath.path.empty() || !secondaryPath.path.empty()) return false;
    return std::all_of(dynamicDimArray.begin(), dynamicDimArray.end(),
                       [](const auto& element) { return element->isBackingPathEmpty(); });
}

PlatformRect QMDDynamicDrawEngine::boundsForAllPaths() const {
    PlatformRect sum;
    bool any = false;
    for (int16_t id : {0, 1})
        if (!isPathEmpty(id)) Unite(sum, any, boundsForPath(id));
    for (const auto& element : dynamicDimArray)
        if (element->backingPath && !element->backingPath->empty())
            Unite(sum, any, element->backingPathBounds());
    return sum;
}

bool QMDDynamicDrawEngine::drawsAnything() const {
    return !areAllPathsEmpty() || std::any_of(dynamicTransformArray.begin(), dynamicTransformArray.end(),
                                              [](const auto& element) { return !element->path.path.empty(); });
}

bool QMDDynamicDrawEngine::feedbackArea(PlatformRect* area) const {
    PlatformRect sum;
    bool any = false;
    // A stroke reaches half its width beyond the points (more at a mitred corner); pixels
    // are whole.
    auto addPath = [&](const DynamicPath& p) {
        if (p.path.empty()) return;
        const PlatformRect r = ToPlatform(p.path.bounds());
        const float grow = std::max(p.lineWidth, 1.0f) * 2 + kPixelMargin;
        Unite(sum, any, {r.x - grow, r.y - grow, r.width + 2 * grow, r.height + 2 * grow});
    };
    addPath(primaryPath);
    addPath(secondaryPath);
    for (const auto& element : dynamicTransformArray) addPath(element->path);
    for (const auto& element : dynamicDimArray) {
        if (element->isBackingPathEmpty()) continue;
        if (element->backingPath) {
            const PlatformRect r = element->backingPathBounds();
            Unite(sum, any, {r.x - kPixelMargin, r.y - kPixelMargin, r.width + 2 * kPixelMargin,
                             r.height + 2 * kPixelMargin});
        }
        if (!element->dimensionText) continue;
        // Centred on the rectangle and turned: within the circle through the text's corners.
        Base2DView* view = MainWindowDocumentView();
        const PlatformSize size =
            view ? view->textMetricsForString(element->dimensionText.get(), &element->textFontInfo)
                 : PlatformSize{};
        if (size.width <= 0 && size.height <= 0) return false;
        const PlatformRect& t = element->textRect;
        const float reach = std::hypot(size.width, size.height) / 2 + kPixelMargin;
        const float cx = t.x + t.width / 2, cy = t.y + t.height / 2;
        Unite(sum, any, {cx - reach, cy - reach, 2 * reach, 2 * reach});
    }
    *area = any ? sum : PlatformRect{};
    return true;
}

void QMDDynamicDrawEngine::drawPath(const DynamicPath& path, int16_t method, float red,
                                    float green, float blue, float alpha) const {
    SetCurrentColor({red, green, blue, alpha});
    if (path.path.empty()) return;
    if (method == 0) path.stroke();
    else if (method == 1) path.fill();
}

void QMDDynamicDrawEngine::strokeAllPaths() const {
    port::DrawingContext& context = port::currentDrawingContext();
    context.save();
    drawPath(primaryPath, primaryPathDrawMethod, primaryPathRed, primaryPathGreen, primaryPathBlue,
             primaryPathAlpha);
    drawPath(secondaryPath, secondaryPathDrawMethod, secondaryPathRed, secondaryPathGreen,
             secondaryPathBlue, secondaryPathAlpha);
    for (const auto& element : dynamicDimArray) element->drawDynamicDimElement();
    for (const auto& element : dynamicTransformArray) element->drawDynamicTransformElement();
    context.restore();
}

void QMDDynamicDrawEngine::removePointsFromAllPaths() {
    primaryPath.path.clear();
    secondaryPath.path.clear();
    removeAllDynamicDimElements();
    removeAllDynamicTransformElements();
}

void QMDDynamicDrawEngine::resetAttributesForAllPaths() {
    for (int16_t id : {0, 1}) {
        setLineWidthForPath(id, 1.0f);
        setLineDash(nullptr, 0, 0.0f, id);
        setDeviceRed(1, 0, 0, 1, id);
        setDrawMethod(0, id);
    }
}

void QMDDynamicDrawEngine::addDynamicDimElement(std::unique_ptr<QMDDynamicDimElement> element) {
    if (element) dynamicDimArray.push_back(std::move(element));
}

void QMDDynamicDrawEngine::addDynamicTransformElement(
    std::unique_ptr<QMDDynamicTransformElement> element) {
    if (element) dynamicTransformArray.push_back(std::move(element));
}

QMDDynamicTransformElement* QMDDynamicDrawEngine::activeTransformElement() const {
    return dynamicTransformArray.empty() ? nullptr : dynamicTransformArray.back().get();
}

#include "plan/annotations/arrowheads.h"

#include <cmath>

#include "app/core/main_window_seams.h"
#include "model/command_ids.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/numeric.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "plan/base_2d_view.h"
#include "model/plan_objects.h"
#include "plan/annotations/text_geometry.h"
#include "plan/zoom.h"
#include "port/drawing.h"

namespace {

// In flag-bit order, which is also the order of the style IDs from 5086.
enum Shape { kFilled, kOutlined, kOpen, kTick, kMirroredTick, kDot, kCircle, kShapeCount };

constexpr double kDegree = 3.14159265358979323846 / 180.0;

// Where the points of one mark go: the engine's primary path, or a path drawn at once.
class MarkSink {
public:
    explicit MarkSink(QMDDynamicDrawEngine* engine) : engine_(engine) {
        if (engine_) engine_->setActivePath(0);
    }

    void Line(PlatformPoint a, PlatformPoint b) {
        if (engine_) return engine_->appendLineToActivePathWithStartPoint(a, b);
        path_.moveTo(a.x, a.y);
        path_.lineTo(b.x, b.y);
    }
    void Triangle(PlatformPoint tip, PlatformPoint p1, PlatformPoint p2) {
        if (engine_) {
            engine_->activePathMoveToPoint(tip);
            engine_->activePathLineToPoint(p1);
            engine_->activePathLineToPoint(p2);
            engine_->closeActivePath();
            return;
        }
        path_.moveTo(tip.x, tip.y);
        path_.lineTo(p1.x, p1.y);
        path_.lineTo(p2.x, p2.y);
        path_.closePath();
    }
    void Oval(const PlatformRect& r) {
        if (engine_) return engine_->appendOvalToActivePathWithBoundingRect(r);
        path_.appendOval({r.x, r.y, r.width, r.height});
    }
    // Paints what was drawn at once in the current colour and starts afresh; the engine
    // paints its own path.
    void Finish(bool fill) {
        if (engine_ || path_.empty()) return;
        port::DrawingContext& context = port::currentDrawingContext();
        if (fill) context.fillPath(path_);
        else context.strokePath(path_);
        path_.clear();
    }

private:
    QMDDynamicDrawEngine* engine_;
    port::Path path_;
};

// The point at `angle` (radians) and `length` from the tip.
struct Polar {
    double x, y;
    PlatformPoint operator()(double angle, double length) const {
        return plantext::PathPoint(x + length * std::cos(angle), y - length * std::sin(angle));
    }
};

// The bounds of a dot or circle of radius `radius` (zoomed) about the tip; printing scales
// the unzoomed radius and leaves the rectangle unrounded.
PlatformRect OvalBounds(double x, double y, float radius, bool zoomed) {
    if (gPrinting) {
        const double r = radius;
        const double left = (x - r) * gHPrintScale, top = (y - r) * gVPrintScale;
        return {static_cast<float>(left), static_cast<float>(top),
                static_cast<float>((x + r + 1) * gHPrintScale - left),
                static_cast<float>((y + r + 1) * gVPrintScale - top)};
    }
    const double r = zoomed ? ZoomF(radius) : radius;
    const int16_t left = dvxnum::TruncToInt16(x - r), top = dvxnum::TruncToInt16(y - r);
    return {static_cast<float>(left), static_cast<float>(top),
            static_cast<float>(dvxnum::TruncToInt16(x + r + 1) - left),
            static_cast<float>(dvxnum::TruncToInt16(y + r + 1) - top)};
}

// One mark at the tip; `a` points from the tip into the dimension line.
void DrawMark(MarkSink& sink, Shape shape, double x, double y, double a, bool zoomed) {
    auto size = [&](float units) -> double { return zoomed ? ZoomF(units) : units; };
    const Polar from{x, y};
    const PlatformPoint tip = plantext::PathPoint(x, y);
    switch (shape) {
    case kFilled:
    case kOutlined: {
        sink.Triangle(tip, from(a + 15 * kDegree, size(12)), from(a - 15 * kDegree, size(12)));
        sink.Finish(shape == kFilled);
        return;
    }
    case kOpen:
        sink.Line(tip, from(a + 15 * kDegree, size(12)));
        sink.Line(tip, from(a - 15 * kDegree, size(12)));
        break;
    case kTick:
        sink.Line(from(a + 45 * kDegree, size(9)), from(a - 135 * kDegree, size(9)));
        break;
    case kMirroredTick:
        sink.Line(from(a + 135 * kDegree, size(9)), from(a - 45 * kDegree, size(9)));
        break;
    case kDot:
        sink.Oval(OvalBounds(x, y, 2, zoomed));
        sink.Finish(true);
        return;
    case kCircle:
        sink.Oval(OvalBounds(x, y, 6, zoomed));
        break;
    default:
        return;
    }
    sink.Finish(false);
}

QMDDynamicDrawEngine* FeedbackEngine() {
    if (!gDynamicDrawing) return nullptr;
    Base2DView* view = MainWindowDocumentView();
    return view ? view->dynamicDrawEngine.get() : nullptr;
}

}  // namespace

void DrawArrowhead(void* /*dc*/, const Objex* object, float tipH, float tipV, float otherH,
                   float otherV, int32_t flags) {
    if (!CurrentDocState()) return;
    Shape shape = kShapeCount;
    for (int bit = 0; bit < kShapeCount && shape == kShapeCount; ++bit)
        if (flags & (1 << bit)) shape = static_cast<Shape>(bit);
    if (shape == kShapeCount) return;
    if (gDynamicDrawing && !FeedbackEngine()) return;
    MarkSink sink(FeedbackEngine());

    float length = 0.0f;
    double a = GetLineLengthAndAngle(tipH, tipV, otherH, otherV, &length);
    if ((flags & kArrowOutsideFlag) && object) {
        a = GetLineLengthAndAngle(otherH, otherV, tipH, tipV, &length);
        if (object->type != objtype::kAngleDimension) {
            sink.Line(plantext::PathPoint(tipH, tipV), Polar{tipH, tipV}(a, ZoomF(36.0f)));
            sink.Finish(false);
        }
    }
    DrawMark(sink, shape, tipH, tipV, a, true);
}

void DrawDimensionArrow(void* /*dc*/, float tipH, float tipV, float otherH, float otherV,
                        int16_t styleID, uint8_t unzoomed) {
    if (!CurrentDocState() || styleID < cmd::kArrowStyleFirst || styleID > cmd::kArrowStyleLast)
        return;
    MarkSink sink(nullptr);
    float length = 0.0f;
    const double a = GetLineLengthAndAngle(tipH, tipV, otherH, otherV, &length);
    DrawMark(sink, static_cast<Shape>(styleID - cmd::kArrowStyleFirst), tipH, tipV, a, !unzoomed);
}

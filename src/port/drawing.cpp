#include "port/drawing.h"

#include <cmath>

namespace port {

void DrawingContext::restore() {
    if (stack_.empty()) return;
    state_ = std::move(stack_.back());
    stack_.pop_back();
}

void DrawingContext::resetState() {
    stack_.clear();
    state_ = GraphicsState{};
    state_.matrix = initial_;
}

void DrawingContext::setLineDash(std::vector<double> lengths, double phase) {
    // A pattern the device cannot follow draws solid.
    double sum = 0;
    for (double v : lengths) {
        if (!std::isfinite(v) || v < 0) {
            lengths.clear();
            break;
        }
        sum += v;
    }
    if (sum <= 0) lengths.clear();
    state_.dash = std::move(lengths);
    state_.dashPhase = std::isfinite(phase) && !state_.dash.empty() ? phase : 0;
}

void DrawingContext::strokeLine(Point from, Point to) {
    Path path;
    path.moveTo(from.x, from.y);
    path.lineTo(to.x, to.y);
    strokePath(path);
}

namespace {

DrawingContext sBuiltInContext;
DrawingContext* sDefaultContext = &sBuiltInContext;
DrawingContext* sCurrentContext = nullptr;  // set by the innermost DrawingScope

// A blue close to the usual desktop focus ring.
class BuiltInSystemColors : public SystemColors {
public:
    Color keyboardFocusIndicatorColor() override { return {0.27f, 0.51f, 0.85f, 1.0f}; }
};

BuiltInSystemColors sBuiltInColors;
SystemColors* sColors = &sBuiltInColors;

}  // namespace

DrawingContext& defaultDrawingContext() { return *sDefaultContext; }

void setDefaultDrawingContext(DrawingContext* context) {
    if (!context) sBuiltInContext.resetState();
    sDefaultContext = context ? context : &sBuiltInContext;
}

DrawingContext& currentDrawingContext() {
    return sCurrentContext ? *sCurrentContext : *sDefaultContext;
}

DrawingScope::DrawingScope(DrawingContext& context) : previous_(sCurrentContext) {
    sCurrentContext = &context;
}

DrawingScope::~DrawingScope() {
    if (sCurrentContext) sCurrentContext->flush();
    sCurrentContext = previous_;
}

SystemColors& systemColors() { return *sColors; }
void setSystemColors(SystemColors* colors) { sColors = colors ? colors : &sBuiltInColors; }

}  // namespace port

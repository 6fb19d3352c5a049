#pragma once
// The drawing context: what the plan, the print view and tests draw into. It keeps the
// graphics state (colours, line width, dash, antialiasing, matrix) on a stack of its own;
// a platform context paints each operation with the state resolved at that moment.
//
// Whoever draws makes its context current for the length of the draw with a DrawingScope;
// outside every scope the current context is the platform's default, which paints nothing
// but still measures text (sheets lay out text outside a draw) and keeps its state stack.
//
// Text crosses this interface as the model holds it: 8-bit Mac OS Roman.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "port/drawing_types.h"
#include "port/path.h"
#include "port/winrecords.h"

namespace port {

struct GraphicsState {
    Color fill;    // also the colour of text
    Color stroke;
    double lineWidth = 1;         // 0: the thinnest line the device shows
    std::vector<double> dash;     // on and off lengths in user units; empty: solid
    double dashPhase = 0;
    bool antialias = true;
    Matrix matrix;
};

// One tile of a hatch: segments stroked at width 1 without antialiasing, clipped to the
// tile's bounds. Tiles repeat every `stepX` by `stepY` units of the context's base space (the
// space it started in: pixels on a screen, whatever the plan's zoom) and may be larger than
// their step, so neighbouring tiles overlap. Tile space grows upward in y, as the Windows
// hatch brushes have it: the segment (0, 7)-(7, 0) falls from left to right on the surface.
struct HatchTile {
    struct Segment {
        double x1, y1, x2, y2;
    };
    std::vector<Segment> segments;
    double width = 0;
    double height = 0;
    double stepX = 24;
    double stepY = 16;
};

// A tile made once and kept by its owner; a platform context may keep its rendering of the
// tile with it for as long as the pattern lives.
class HatchPattern {
public:
    struct PlatformCache {
        virtual ~PlatformCache() = default;
    };

    explicit HatchPattern(HatchTile tile) : tile_(std::move(tile)) {}
    const HatchTile& tile() const { return tile_; }
    std::unique_ptr<PlatformCache>& cache() const { return cache_; }

private:
    HatchTile tile_;
    mutable std::unique_ptr<PlatformCache> cache_;
};

enum class TextAlignment { Left, Center, Right };

class DrawingContext {
public:
    DrawingContext() = default;
    DrawingContext(const DrawingContext&) = delete;
    DrawingContext& operator=(const DrawingContext&) = delete;
    virtual ~DrawingContext() = default;

    void save() { stack_.push_back(state_); }
    // An unmatched restore does nothing.
    void restore();
    const GraphicsState& state() const { return state_; }
    // Back to the initial state with an empty stack (a reused default context).
    void resetState();

    void setFillColor(Color c) { state_.fill = c; }
    void setStrokeColor(Color c) { state_.stroke = c; }
    void setLineWidth(double width) { state_.lineWidth = width; }
    void setLineDash(std::vector<double> lengths, double phase);
    void setAntialiasing(bool on) { state_.antialias = on; }
    void translate(double dx, double dy) { state_.matrix.translate(dx, dy); }
    void rotate(double degrees) { state_.matrix.rotate(degrees); }
    const Matrix& currentMatrix() const { return state_.matrix; }

    // Paths fill by the non-zero winding rule.
    virtual void fillPath(const Path&) {}
    virtual void strokePath(const Path&) {}
    // Strokes the segments points[0]-points[1], points[2]-points[3], ... (an odd last point
    // is ignored).
    virtual void strokeLineSegments(std::span<const Point>) {}
    // One line from `from` to `to`, as the two-element path moveTo-lineTo would stroke it; a
    // platform context may put it down without building the path.
    virtual void strokeLine(Point from, Point to);
    // Fills the path with the pattern's lines in `color`; `phase` is where, in device space,
    // a tile's origin lies.
    virtual void fillPathWithPattern(const Path&, const HatchPattern&, Color, Point) {}
    // Packed RGB pixels, top row first, rows not padded (`bytes` at least width·height·3),
    // scaled into `dest`, replacing what lies below at `opacity`.
    virtual void drawImage(const uint8_t* /*rgb*/, size_t /*bytes*/, int /*width*/,
                           int /*height*/, const Rect& /*dest*/, float /*opacity*/) {}

    // The size of the text laid out in one line per line break in the font the record
    // describes; nothing when no font can be had.
    virtual std::optional<Size> measureText(std::string_view, const LOGFONT&) { return std::nullopt; }
    // Wraps the text inside `box` (clipped to it) from its top, aligned as asked.
    virtual void drawTextInRect(std::string_view, const LOGFONT&, const Rect&, TextAlignment) {}
    // Lays the text out unbounded with the top left of its layout at `topLeft`.
    virtual void drawTextAt(std::string_view, const LOGFONT&, Point) {}
    // Puts on the surface what the context still holds back (strokes it batches); the end
    // of a drawing scope and the end of a frame call it.
    virtual void flush() {}

protected:
    // For a context that starts from a device's own transform.
    void setInitialMatrix(const Matrix& m) { state_.matrix = initial_ = m; }
    const Matrix& initialMatrix() const { return initial_; }

private:
    GraphicsState state_;
    std::vector<GraphicsState> stack_;
    Matrix initial_;
};

// The platform's default context (painting nothing); nullptr restores the built-in one,
// which measures nothing either, with a fresh state.
DrawingContext& defaultDrawingContext();
void setDefaultDrawingContext(DrawingContext* context);

// The context of the draw in progress, else the default.
DrawingContext& currentDrawingContext();

// Makes `context` current until the scope ends (scopes nest).
class DrawingScope {
public:
    explicit DrawingScope(DrawingContext& context);
    ~DrawingScope();
    DrawingScope(const DrawingScope&) = delete;
    DrawingScope& operator=(const DrawingScope&) = delete;

private:
    DrawingContext* previous_;
};

// The platform's keyboard-focus indicator colour (handles, the transform box).
class SystemColors {
public:
    virtual ~SystemColors() = default;
    virtual Color keyboardFocusIndicatorColor() = 0;
};

SystemColors& systemColors();
void setSystemColors(SystemColors* colors);  // nullptr restores the built-in fixed colour

}  // namespace port

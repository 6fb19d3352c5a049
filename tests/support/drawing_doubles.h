#pragma once
// Doubles of the drawing context and of the platform view behind a Base2DView.
#include "plan/base_2d_view.h"
#include "port/drawing.h"

#include <string>
#include <vector>

namespace dvxtest {

struct DrawnOp {
    enum class Kind { Fill, Stroke, Segments, Pattern, Image, TextInRect, TextAt };
    Kind kind;
    port::GraphicsState state;           // as resolved when the operation ran
    port::Path path;                     // Fill, Stroke, Pattern
    std::vector<port::Point> points;     // Segments
    const port::HatchPattern* pattern = nullptr;
    port::Color patternColor;
    port::Point phase;
    std::string text;                    // Mac OS Roman, as given
    port::Rect rect;                     // text box (TextAt: measured), image destination
    double height = 0;                   // font size asked for (12 when none)
    double angle = 0;                    // the matrix's turn in degrees
    port::TextAlignment alignment = port::TextAlignment::Left;
};

// Records every operation; text measures 7 units a character by 12.
class RecordingContext : public port::DrawingContext {
public:
    void fillPath(const port::Path& path) override;
    void strokePath(const port::Path& path) override;
    void strokeLineSegments(std::span<const port::Point> points) override;
    void fillPathWithPattern(const port::Path& path, const port::HatchPattern& pattern,
                             port::Color color, port::Point phase) override;
    void drawImage(const uint8_t*, size_t, int, int, const port::Rect& dest, float) override;
    std::optional<port::Size> measureText(std::string_view text, const LOGFONT&) override;
    void drawTextInRect(std::string_view text, const LOGFONT& lf, const port::Rect& box,
                        port::TextAlignment alignment) override;
    void drawTextAt(std::string_view text, const LOGFONT& lf, port::Point topLeft) override;

    std::vector<DrawnOp> ops;

private:
    DrawnOp& add(DrawnOp::Kind kind);
};

// A view of the given geometry that records scroll and redraw requests.
class FakeViewHost : public Base2DViewHost {
public:
    PlatformRect visibleRect() const override { return visible; }
    PlatformSize frameSize() const override { return frame; }
    PlatformPoint boundsOrigin() const override { return origin; }
    void scrollRectToVisible(const PlatformRect& rect) override { scrolledTo.push_back(rect); }
    void setNeedsDisplay() override { ++displayRequests; }
    bool needsToDrawRect(const PlatformRect&) const override { return needsToDraw; }

    PlatformRect visible;
    PlatformSize frame;
    PlatformPoint origin;
    bool needsToDraw = true;
    std::vector<PlatformRect> scrolledTo;
    int displayRequests = 0;
};

}  // namespace dvxtest

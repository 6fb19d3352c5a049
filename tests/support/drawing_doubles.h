#pragma once
// Doubles of the drawing context and of the platform view behind a Base2DView.
#include "plan/base_2d_view.h"
#include "port/drawing.h"
#include "port/fonts.h"

#include <string>
#include <vector>

namespace dvxtest {

// One operation with the state resolved when it ran.
struct DrawnOp {
    enum class Kind { Fill, Stroke, Segments, Pattern, Image, TextInRect, TextAt };
    Kind kind = Kind::Fill;
    port::GraphicsState state;
    port::Path path;                  // Fill, Stroke, Pattern
    std::vector<port::Point> points;  // Segments
    const port::HatchPattern* pattern = nullptr;
    port::Color patternColor;
    port::Point phase;
    std::string text;                 // Mac OS Roman, as given
    port::Rect rect;                  // text box (TextAt: as measured), image destination
    double height = 0;                // font size asked for (12 when none)
    double angle = 0;                 // the matrix's turn in degrees
    port::TextAlignment alignment = port::TextAlignment::Left;
};

// Records every operation; text measures exactly 7 units a character by 12.
class RecordingContext : public port::DrawingContext {
public:
    void fillPath(const port::Path& p) override { add(DrawnOp::Kind::Fill).path = p; }
    void strokePath(const port::Path& p) override { add(DrawnOp::Kind::Stroke).path = p; }
    void strokeLineSegments(std::span<const port::Point> points) override {
        add(DrawnOp::Kind::Segments).points.assign(points.begin(), points.end());
    }
    void fillPathWithPattern(const port::Path& p, const port::HatchPattern& pattern,
                             port::Color color, port::Point phase) override {
        DrawnOp& op = add(DrawnOp::Kind::Pattern);
        op.path = p, op.pattern = &pattern, op.patternColor = color, op.phase = phase;
    }
    void drawImage(const uint8_t*, size_t, int, int, const port::Rect& dest, float) override {
        add(DrawnOp::Kind::Image).rect = dest;
    }
    std::optional<port::Size> measureText(std::string_view text, const LOGFONT&) override {
        return port::Size{7.0 * text.size(), 12};
    }
    void drawTextInRect(std::string_view text, const LOGFONT& lf, const port::Rect& box,
                        port::TextAlignment alignment) override {
        addText(DrawnOp::Kind::TextInRect, text, lf, box).alignment = alignment;
    }
    void drawTextAt(std::string_view text, const LOGFONT& lf, port::Point at) override {
        addText(DrawnOp::Kind::TextAt, text, lf, {at.x, at.y, 7.0 * text.size(), 12});
    }

    std::vector<DrawnOp> ops;

private:
    DrawnOp& add(DrawnOp::Kind kind) {
        DrawnOp& op = ops.emplace_back();
        op.kind = kind;
        op.state = state();
        op.angle = state().matrix.angle();
        return op;
    }
    DrawnOp& addText(DrawnOp::Kind kind, std::string_view text, const LOGFONT& lf, port::Rect r) {
        DrawnOp& op = add(kind);
        const float size = port::DescribeLogFont(lf).pointSize;
        op.text = text, op.rect = r, op.height = size > 0 ? size : 12;
        return op;
    }
};

// A view of the given geometry that keeps its scroll and redraw requests.
struct FakeViewHost : Base2DViewHost {
    PlatformRect visibleRect() const override { return visible; }
    PlatformSize frameSize() const override { return frame; }
    PlatformPoint boundsOrigin() const override { return origin; }
    void scrollRectToVisible(const PlatformRect& r) override { scrolledTo.push_back(r); }
    void setNeedsDisplay() override { ++displayRequests; }
    void setNeedsDisplayInRect(const PlatformRect& r) override { invalidated.push_back(r); }
    void initializeDynamicViewPointSystem() override { ++pictureKept; }
    void resetDynamicViewPointSystem() override { ++pictureReset; }
    void setFrameSize(const PlatformSize& size) override { frame = size; }
    void setBoundsOrigin(const PlatformPoint& p) override { origin = p; }
    bool needsToDrawRect(const PlatformRect&) const override { return needsToDraw; }

    PlatformRect visible;
    PlatformSize frame;
    PlatformPoint origin;
    bool needsToDraw = true;
    std::vector<PlatformRect> scrolledTo;
    int displayRequests = 0;
    std::vector<PlatformRect> invalidated;
    int pictureKept = 0, pictureReset = 0;
};

}  // namespace dvxtest

#include "support/drawing_doubles.h"

#include "port/fonts.h"

namespace dvxtest {

DrawnOp& RecordingContext::add(DrawnOp::Kind kind) {
    DrawnOp& op = ops.emplace_back();
    op.kind = kind;
    op.state = state();
    op.angle = state().matrix.angle();
    return op;
}

void RecordingContext::fillPath(const port::Path& path) { add(DrawnOp::Kind::Fill).path = path; }

void RecordingContext::strokePath(const port::Path& path) {
    add(DrawnOp::Kind::Stroke).path = path;
}

void RecordingContext::strokeLineSegments(std::span<const port::Point> points) {
    add(DrawnOp::Kind::Segments).points.assign(points.begin(), points.end());
}

void RecordingContext::fillPathWithPattern(const port::Path& path,
                                           const port::HatchPattern& pattern,
                                           port::Color color, port::Point phase) {
    DrawnOp& op = add(DrawnOp::Kind::Pattern);
    op.path = path;
    op.pattern = &pattern;
    op.patternColor = color;
    op.phase = phase;
}

void RecordingContext::drawImage(const uint8_t*, size_t, int, int, const port::Rect& dest, float) {
    add(DrawnOp::Kind::Image).rect = dest;
}

std::optional<port::Size> RecordingContext::measureText(std::string_view text, const LOGFONT&) {
    return port::Size{7.0 * text.size(), 12};
}

namespace {
double FontHeight(const LOGFONT& lf) {
    const float size = port::DescribeLogFont(lf).pointSize;
    return size > 0 ? size : 12;
}
}  // namespace

void RecordingContext::drawTextInRect(std::string_view text, const LOGFONT& lf,
                                      const port::Rect& box, port::TextAlignment alignment) {
    DrawnOp& op = add(DrawnOp::Kind::TextInRect);
    op.text = text;
    op.rect = box;
    op.height = FontHeight(lf);
    op.alignment = alignment;
}

void RecordingContext::drawTextAt(std::string_view text, const LOGFONT& lf, port::Point topLeft) {
    DrawnOp& op = add(DrawnOp::Kind::TextAt);
    op.text = text;
    op.rect = {topLeft.x, topLeft.y, 7.0 * text.size(), 12};
    op.height = FontHeight(lf);
}

}  // namespace dvxtest

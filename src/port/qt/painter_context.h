#pragma once
// The drawing context on a QPainter: a widget's paint, a QImage, a QPrinter or a QPdfWriter.
#include "port/drawing.h"

#include <QBrush>
#include <QFont>
#include <QPainterPath>
#include <QPen>
#include <QLineF>
#include <QList>

#include <memory>

class QPainter;
class QPaintDevice;

namespace port::qt {

// The font a LOGFONT asks for: its face (matched by the font database; an empty or unknown
// face gives the system font), italic, bold at weight 700, and its size as a pixel size in
// the surface's units, so plan text is the same size at every screen resolution.
QFont FontForLogFont(const LOGFONT& lf);

// Mac Roman text as a QString, its line breaks (CR, LF, CR LF) made LF.
QString TextFromMacRoman(std::string_view macRoman);

// Text measured with QFontMetricsF; lines break at CR, LF and CR LF.
std::optional<Size> MeasureText(std::string_view macRoman, const LOGFONT& lf);

class QPainterContext : public DrawingContext {
public:
    // Paints through an active painter; its world transform is the initial matrix.
    explicit QPainterContext(QPainter& painter);
    // Opens a painter on the device for the context's life (nothing is painted when the
    // device cannot be painted on).
    explicit QPainterContext(QPaintDevice* device);
    ~QPainterContext() override;

    // The painter, with every batched stroke put down first.
    QPainter& painter() {
        flush();
        return *painter_;
    }

    void fillPath(const Path& path) override;
    void strokePath(const Path& path) override;
    void strokeLineSegments(std::span<const Point> points) override;
    void strokeLine(Point from, Point to) override;
    void fillPathWithPattern(const Path& path, const HatchPattern& pattern, Color color,
                             Point phase) override;
    void drawImage(const uint8_t* rgb, size_t bytes, int width, int height, const Rect& dest,
                   float opacity) override;
    std::optional<Size> measureText(std::string_view text, const LOGFONT& lf) override;
    void drawTextInRect(std::string_view text, const LOGFONT& lf, const Rect& box,
                        TextAlignment alignment) override;
    void drawTextAt(std::string_view text, const LOGFONT& lf, Point topLeft) override;
    void flush() override;

private:
    bool active() const;
    void applyCommon(const GraphicsState& s);
    void applyStroke(const GraphicsState& s);
    static QPen MakePen(const GraphicsState& s);
    // Whether a stroke in the current state may join the batch: solid and opaque, so one
    // drawLines call puts down the pixels the strokes one by one would.
    bool batchable() const;
    void batch(const QLineF* lines, qsizetype count);

    std::unique_ptr<QPainter> owned_;
    QPainter* painter_;
    // Consecutive one-line strokes of one state, drawn in one call when the state changes or
    // anything else is drawn.
    QList<QLineF> pending_;
    GraphicsState pendingState_;
    // The pen and brush last made, for the state they were made from.
    QPen pen_;
    GraphicsState penState_;
    bool penMade_ = false;
    QBrush brush_;
    Color brushColor_;
    bool brushMade_ = false;
    // The last path given, as the painter takes it: a region filled and then outlined is
    // converted once, and the painter keeps what it worked out for it.
    const QPainterPath& converted(const Path& path);
    QPainterPath scratch_;
    std::vector<Path::Element> convertedFrom_;
};

// Outside a draw: paints nothing, measures text.
class QtMeasuringContext : public DrawingContext {
public:
    std::optional<Size> measureText(std::string_view text, const LOGFONT& lf) override {
        return MeasureText(text, lf);
    }
};

// The application palette's highlight.
class QtSystemColors : public SystemColors {
public:
    Color keyboardFocusIndicatorColor() override;
};

}  // namespace port::qt

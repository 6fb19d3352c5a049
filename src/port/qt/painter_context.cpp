#include "port/qt/painter_context.h"

#include "port/fonts.h"
#include "port/macroman.h"
#include "port/qt/text_image_cache.h"
#include "port/qt/text_layout_cache.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>

#include <algorithm>
#include <cmath>
#include <optional>

namespace port::qt {
namespace {

constexpr int kDefaultPixelSize = 12;
constexpr int kLargestPixelSize = 20000;

// The family the font database falls back to for a face it does not have.
const QString& FallbackFamily() {
    static const QString family =
        QFontInfo(QFont(QStringLiteral("Dovranix No Such Face 7f3a"))).family();
    return family;
}

QColor ToQColor(Color c) {
    auto unit = [](float v) { return std::isfinite(v) ? std::clamp(v, 0.0f, 1.0f) : 0.0f; };
    return QColor::fromRgbF(unit(c.red), unit(c.green), unit(c.blue), unit(c.alpha));
}

QTransform ToQTransform(const Matrix& m) { return QTransform(m.a, m.b, m.c, m.d, m.tx, m.ty); }

// Into `out`, emptied first (its storage kept for the next path).
void ToQPainterPath(const Path& path, QPainterPath& out) {
    out.clear();
    out.setFillRule(Qt::WindingFill);
    bool hasCurrent = false;
    for (const Path::Element& e : path.elements()) {
        switch (e.kind) {
        case Path::Kind::Move:
            out.moveTo(e.p[0], e.p[1]);
            hasCurrent = true;
            break;
        case Path::Kind::Line:
            if (hasCurrent)
                out.lineTo(e.p[0], e.p[1]);
            else
                out.moveTo(e.p[0], e.p[1]);
            hasCurrent = true;
            break;
        case Path::Kind::Curve:
            if (!hasCurrent) out.moveTo(e.p[0], e.p[1]);
            out.cubicTo(e.p[0], e.p[1], e.p[2], e.p[3], e.p[4], e.p[5]);
            hasCurrent = true;
            break;
        case Path::Kind::Close:
            out.closeSubpath();
            break;
        }
    }
}

// The path as a rectangle the painter's rectangle fill puts down as the path's fill would,
// when it is one: a move and three or four lines (the fourth back to the start) along the
// device's axes (through `m`), closed or not. Its corners fall on whole device pixels, or,
// without antialiasing and only moved, clear of the half pixel where the two round apart.
std::optional<QRectF> FillableRect(const Path& path, const QTransform& m, bool antialias) {
    const auto& e = path.elements();
    size_t n = e.size();
    if (n > 0 && e[n - 1].kind == Path::Kind::Close) --n;
    if ((n != 4 && n != 5) || e[0].kind != Path::Kind::Move) return std::nullopt;
    if (m.type() > QTransform::TxScale) return std::nullopt;
    const bool offGridAllowed = !antialias && m.type() <= QTransform::TxTranslate;
    QPointF c[5];
    for (size_t i = 0; i < n; ++i) {
        if (i > 0 && e[i].kind != Path::Kind::Line) return std::nullopt;
        c[i] = m.map(QPointF(e[i].p[0], e[i].p[1]));
        for (double v : {c[i].x(), c[i].y()}) {
            if (!(std::abs(v) <= (1 << 23))) return std::nullopt;
            const double f = v - std::floor(v);
            const bool nearHalf = f >= 15.0 / 32 && f <= 17.0 / 32;
            if (f != 0 && (!offGridAllowed || nearHalf)) return std::nullopt;
        }
    }
    if (n == 5 && (c[4].x() != c[0].x() || c[4].y() != c[0].y())) return std::nullopt;
    c[4] = c[0];
    // Each side runs along one axis, turning from one axis to the other at every corner.
    const bool xFirst = c[0].y() == c[1].y();
    for (int i = 0; i < 4; ++i) {
        const bool alongX = (i % 2 == 0) == xFirst;
        if (alongX ? c[i].y() != c[i + 1].y() : c[i].x() != c[i + 1].x()) return std::nullopt;
    }
    return QRectF(QPointF(e[0].p[0], e[0].p[1]), QPointF(e[2].p[0], e[2].p[1])).normalized();
}

QPainterPath ToQPainterPath(const Path& path) {
    QPainterPath out;
    ToQPainterPath(path, out);
    return out;
}

// One period of the hatch (step by step pixels) with every tile that reaches it drawn in
// white, and the last tint made of it.
struct QtHatchCache : HatchPattern::PlatformCache {
    QImage mask;
    QImage tinted;
    QColor tint;
};

QImage RenderPeriod(const HatchTile& tile) {
    const double sx = std::round(tile.stepX), sy = std::round(tile.stepY);
    if (!(sx >= 1 && sy >= 1 && sx <= 4096 && sy <= 4096)) return {};
    if (!(tile.width > 0 && tile.height > 0 && tile.width <= 4096 && tile.height <= 4096)) return {};
    QImage period(int(sx), int(sy), QImage::Format_ARGB32_Premultiplied);
    period.fill(Qt::transparent);
    QPainter p(&period);
    p.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(Qt::white, 1.0);
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
    // Tile space grows upward: a tile placed at (ox, oy) covers oy - height .. oy.
    const int before = int(std::ceil(tile.width / sx));
    const int below = int(std::ceil(tile.height / sy)) + 1;
    for (int i = -before; i <= 1; ++i) {
        for (int j = 0; j <= below; ++j) {
            p.setTransform(QTransform(1, 0, 0, -1, i * sx, j * sy));
            p.setClipRect(QRectF(0, 0, tile.width, tile.height));
            for (const HatchTile::Segment& s : tile.segments)
                p.drawLine(QLineF(s.x1, s.y1, s.x2, s.y2));
        }
    }
    return period;
}

const QImage* TintedPeriod(const HatchPattern& pattern, const QColor& color) {
    auto& slot = pattern.cache();
    auto* cache = dynamic_cast<QtHatchCache*>(slot.get());
    if (!cache) {
        auto made = std::make_unique<QtHatchCache>();
        made->mask = RenderPeriod(pattern.tile());
        cache = made.get();
        slot = std::move(made);
    }
    if (cache->mask.isNull()) return nullptr;
    if (cache->tinted.isNull() || cache->tint != color) {
        cache->tinted = cache->mask.copy();
        QPainter p(&cache->tinted);
        p.setCompositionMode(QPainter::CompositionMode_SourceIn);
        p.fillRect(cache->tinted.rect(), color);
        cache->tint = color;
    }
    return &cache->tinted;
}

}  // namespace

QString TextFromMacRoman(std::string_view macRoman) {
    QString text = QString::fromStdString(MacRomanToUtf8(macRoman));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QFont FontForLogFont(const LOGFONT& lf) {
    const FontDescriptor d = DescribeLogFont(lf);
    const QString family = QString::fromStdString(d.family);
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    if (!family.isEmpty()) {
        const QFont named(family);
        const QString matched = QFontInfo(named).family();
        const bool unknown = matched == FallbackFamily() &&
                             matched.compare(family, Qt::CaseInsensitive) != 0;
        if (!unknown) font = named;
    }
    int pixels = kDefaultPixelSize;
    if (std::isfinite(d.pointSize) && d.pointSize > 0)
        pixels = int(std::lround(std::min<double>(d.pointSize, kLargestPixelSize)));
    font.setPixelSize(std::max(1, pixels));
    font.setItalic(d.traits & kItalicTrait);
    font.setWeight((d.traits & kBoldTrait) ? QFont::Bold : QFont::Normal);
    return font;
}

std::optional<Size> MeasureText(std::string_view macRoman, const LOGFONT& lf) { return TextSize(macRoman, lf); }

QPainterContext::QPainterContext(QPainter& painter) : painter_(&painter) {
    const QTransform t = painter.worldTransform();
    setInitialMatrix({t.m11(), t.m12(), t.m21(), t.m22(), t.dx(), t.dy()});
}

QPainterContext::QPainterContext(QPaintDevice* device)
    : owned_(std::make_unique<QPainter>()), painter_(owned_.get()) {
    if (device) owned_->begin(device);
}

QPainterContext::~QPainterContext() {
    flush();
    if (owned_ && owned_->isActive()) owned_->end();
}

bool QPainterContext::batchable() const {
    const GraphicsState& s = state();
    return s.dash.empty() && s.stroke.alpha >= 1.0f;
}

static bool SamePen(const GraphicsState& a, const GraphicsState& b) {
    return a.stroke.red == b.stroke.red && a.stroke.green == b.stroke.green && a.stroke.blue == b.stroke.blue &&
           a.stroke.alpha == b.stroke.alpha && a.lineWidth == b.lineWidth && a.dash == b.dash &&
           a.dashPhase == b.dashPhase;
}

static bool SameStroke(const GraphicsState& a, const GraphicsState& b) {
    const Matrix& m = a.matrix;
    const Matrix& n = b.matrix;
    return a.stroke.red == b.stroke.red && a.stroke.green == b.stroke.green && a.stroke.blue == b.stroke.blue &&
           a.stroke.alpha == b.stroke.alpha && a.lineWidth == b.lineWidth && a.antialias == b.antialias &&
           a.dash == b.dash && m.a == n.a && m.b == n.b && m.c == n.c && m.d == n.d && m.tx == n.tx &&
           m.ty == n.ty;
}

void QPainterContext::batch(const QLineF* lines, qsizetype count) {
    if (!pending_.isEmpty() && !SameStroke(pendingState_, state())) flush();
    if (pending_.isEmpty()) pendingState_ = state();
    for (qsizetype i = 0; i < count; ++i) pending_.append(lines[i]);
}

void QPainterContext::flush() {
    if (pending_.isEmpty()) return;
    if (active()) {
        // Drawn in the state the strokes were made in.
        applyStroke(pendingState_);
        painter_->drawLines(pending_);
    }
    pending_.clear();
}

bool QPainterContext::active() const { return painter_ && painter_->isActive(); }

// Only what differs is set: the painter recomputes its transform and hints on every call.
void QPainterContext::applyCommon(const GraphicsState& s) {
    const QTransform t = ToQTransform(s.matrix);
    if (painter_->worldTransform() != t) painter_->setWorldTransform(t);
    const QPainter::RenderHints hints = QPainter::Antialiasing | QPainter::TextAntialiasing;
    const QPainter::RenderHints wanted = s.antialias ? hints : QPainter::RenderHints();
    if ((painter_->renderHints() & hints) != wanted) {
        painter_->setRenderHint(QPainter::Antialiasing, s.antialias);
        painter_->setRenderHint(QPainter::TextAntialiasing, s.antialias);
    }
    // Setting either marks the painter's state changed, even to the same value.
    if (painter_->opacity() != 1.0) painter_->setOpacity(1.0);
    if (painter_->compositionMode() != QPainter::CompositionMode_SourceOver)
        painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void QPainterContext::applyStroke(const GraphicsState& s) {
    applyCommon(s);
    // The pen of the last stroke state is kept: the painter takes the same pen as no change.
    if (!penMade_ || !SamePen(penState_, s)) {
        pen_ = MakePen(s);
        penState_.stroke = s.stroke, penState_.lineWidth = s.lineWidth;
        penState_.dash = s.dash, penState_.dashPhase = s.dashPhase;
        penMade_ = true;
    }
    painter_->setPen(pen_);
    painter_->setBrush(Qt::NoBrush);
}

QPen QPainterContext::MakePen(const GraphicsState& s) {
    const double width = std::isfinite(s.lineWidth) && s.lineWidth > 0 ? s.lineWidth : 0;
    QPen pen(ToQColor(s.stroke), width);  // width 0: a cosmetic hairline
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    pen.setMiterLimit(5);  // half of the usual ten: Qt counts from the line's centre
    if (!s.dash.empty()) {
        // Qt counts dashes in pen widths (a hairline counts as 1).
        const double unit = width > 0 ? width : 1;
        QList<qreal> pattern;
        for (double v : s.dash) pattern.append(v / unit);
        if (pattern.size() % 2) pattern.append(pattern);
        pen.setDashPattern(pattern);
        pen.setDashOffset(s.dashPhase / unit);
    }
    return pen;
}

void QPainterContext::fillPath(const Path& path) {
    flush();
    if (!active()) return;
    applyCommon(state());
    const Color& c = state().fill;
    if (!brushMade_ || c.red != brushColor_.red || c.green != brushColor_.green || c.blue != brushColor_.blue ||
        c.alpha != brushColor_.alpha) {
        brush_ = QBrush(ToQColor(c));
        brushColor_ = c;
        brushMade_ = true;
    }
    // Filled with the brush given, the painter's own pen and brush stay as the strokes want them.
    const QTransform device = painter_->combinedTransform();
    if (const std::optional<QRectF> rect = FillableRect(path, device, state().antialias)) {
        painter_->fillRect(*rect, brush_);
        return;
    }
    painter_->fillPath(converted(path), brush_);
}

void QPainterContext::strokePath(const Path& path) {
    if (!active()) return;
    const auto& e = path.elements();
    if (e.size() == 2 && e[0].kind == Path::Kind::Move && e[1].kind == Path::Kind::Line) {
        strokeLine({e[0].p[0], e[0].p[1]}, {e[1].p[0], e[1].p[1]});
        return;
    }
    flush();
    applyStroke(state());
    painter_->drawPath(converted(path));
}

const QPainterPath& QPainterContext::converted(const Path& path) {
    const auto& e = path.elements();
    const bool same = e.size() == convertedFrom_.size() &&
                      std::equal(e.begin(), e.end(), convertedFrom_.begin(), [](const auto& a, const auto& b) {
                          return a.kind == b.kind && std::equal(std::begin(a.p), std::end(a.p), std::begin(b.p));
                      });
    if (!same) {
        ToQPainterPath(path, scratch_);
        convertedFrom_ = e;
    }
    return scratch_;
}

void QPainterContext::strokeLine(Point from, Point to) {
    if (!active()) return;
    const QLineF line(from.x, from.y, to.x, to.y);
    if (batchable()) {
        batch(&line, 1);
        return;
    }
    // A dashed line on its own: its dashes start afresh, as they would for its own path.
    flush();
    applyStroke(state());
    painter_->drawLine(line);
}

void QPainterContext::strokeLineSegments(std::span<const Point> points) {
    if (!active() || points.size() < 2) return;
    if (batchable()) {
        if (!pending_.isEmpty() && !SameStroke(pendingState_, state())) flush();
        if (pending_.isEmpty()) pendingState_ = state();
        pending_.reserve(pending_.size() + qsizetype(points.size() / 2));
        for (size_t i = 0; i + 1 < points.size(); i += 2)
            pending_.append(QLineF(points[i].x, points[i].y, points[i + 1].x, points[i + 1].y));
        return;
    }
    QList<QLineF> lines;
    lines.reserve(qsizetype(points.size() / 2));
    for (size_t i = 0; i + 1 < points.size(); i += 2)
        lines.append(QLineF(points[i].x, points[i].y, points[i + 1].x, points[i + 1].y));
    flush();
    applyStroke(state());
    painter_->drawLines(lines);
}

void QPainterContext::fillPathWithPattern(const Path& path, const HatchPattern& pattern,
                                          Color color, Point phase) {
    flush();
    if (!active()) return;
    const QImage* period = TintedPeriod(pattern, ToQColor(color));
    if (!period) return;
    // Hatches keep to the base space whatever the matrix: the painter draws in base space,
    // the outline is brought there, and tiles start at the phase.
    const QTransform base = ToQTransform(initialMatrix());
    bool invertible = false;
    const QTransform toBase = base.inverted(&invertible);
    if (!invertible) return;
    applyCommon(state());
    painter_->setWorldTransform(base);
    const QPointF start = toBase.map(QPointF(phase.x, phase.y));
    QBrush brush(*period);
    brush.setTransform(QTransform::fromTranslate(start.x(), start.y()));
    painter_->setPen(Qt::NoPen);
    painter_->setBrush(brush);
    QPainterPath outline = (ToQTransform(state().matrix) * toBase).map(ToQPainterPath(path));
    outline.setFillRule(Qt::WindingFill);
    painter_->drawPath(outline);
}

void QPainterContext::drawImage(const uint8_t* rgb, size_t bytes, int width, int height,
                                const Rect& dest, float opacity) {
    flush();
    if (!active() || !rgb || width <= 0 || height <= 0) return;
    if (bytes / 3 / size_t(width) < size_t(height)) return;
    const QImage image(rgb, width, height, qsizetype(width) * 3, QImage::Format_RGB888);
    applyCommon(state());
    painter_->setCompositionMode(QPainter::CompositionMode_Source);
    painter_->setOpacity(std::isfinite(opacity) ? std::clamp(opacity, 0.0f, 1.0f) : 1.0);
    painter_->drawImage(QRectF(dest.x, dest.y, dest.width, dest.height), image);
    painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter_->setOpacity(1.0);
}

std::optional<Size> QPainterContext::measureText(std::string_view text, const LOGFONT& lf) {
    return MeasureText(text, lf);
}

void QPainterContext::drawTextInRect(std::string_view text, const LOGFONT& lf, const Rect& box,
                                     TextAlignment alignment) {
    flush();
    if (!active()) return;
    applyCommon(state());
    int flags = Qt::AlignTop | Qt::TextWordWrap;
    flags |= alignment == TextAlignment::Center  ? Qt::AlignHCenter
             : alignment == TextAlignment::Right ? Qt::AlignRight
                                                 : Qt::AlignLeft;
    const QColor color = ToQColor(state().fill);
    const QRectF rect(box.x, box.y, box.width, box.height);
    if (DrawTextBoxImage(*painter_, text, lf, rect, flags, color)) return;
    painter_->setPen(color);
    painter_->setFont(FontFor(lf).font);
    painter_->drawText(rect, flags, TextFromMacRoman(text));
}

void QPainterContext::drawTextAt(std::string_view text, const LOGFONT& lf, Point topLeft) {
    flush();
    if (!active()) return;
    applyCommon(state());
    const QColor color = ToQColor(state().fill);
    if (DrawTextImage(*painter_, text, lf, QPointF(topLeft.x, topLeft.y), color)) return;
    const CachedFont& font = FontFor(lf);
    painter_->setPen(color);
    painter_->setFont(font.font);
    const std::vector<QStaticText>& lines = StaticLinesOf(text, lf);
    for (size_t i = 0; i < lines.size(); ++i)
        painter_->drawStaticText(QPointF(topLeft.x, topLeft.y + static_cast<double>(i) * font.lineSpacing), lines[i]);
}

Color QtSystemColors::keyboardFocusIndicatorColor() {
    const QColor c = QGuiApplication::palette().color(QPalette::Highlight);
    return {float(c.redF()), float(c.greenF()), float(c.blueF()), float(c.alphaF())};
}

}  // namespace port::qt

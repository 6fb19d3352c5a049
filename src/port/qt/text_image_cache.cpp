#include "port/qt/text_image_cache.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QTransform>

#include <cmath>
#include <list>
#include <optional>
#include <string>
#include <unordered_map>

#include "port/qt/painter_context.h"
#include "port/qt/text_layout_cache.h"
#include "port/seam.h"

namespace port::qt {
namespace {

// Glyph places are kept to a 256th of a pixel: Qt places glyphs in 64ths, so a label drawn
// again at the same place on screen (a repaint, a whole-pixel scroll) finds its image.
constexpr int kSubPixelSteps = 256;
// Room around the ink for hinting and antialiasing, in pixels.
constexpr int kMargin = 3;
// Text larger than this on screen is drawn as before: it is rare and would crowd the cache.
constexpr int kLargestSide = 2048;
constexpr qint64 kLargestArea = qint64(1) << 20;
// Every label of a large plan at Fit to Window fits in a few megabytes.
constexpr std::size_t kBudget = std::size_t(64) << 20;
// What an entry costs beside its pixels and key.
constexpr std::size_t kEntryCost = 160;

struct Kept {
    std::string key;
    QImage image;
    QPoint offset;  // of the image's top left from the whole pixel the text starts in
    std::size_t bytes = 0;
};

struct Cache {
    std::list<Kept> order;  // most recently drawn first
    std::unordered_map<std::string_view, std::list<Kept>::iterator> index;  // views into order's keys
    std::size_t bytes = 0;

    void clear() {
        index.clear();
        order.clear();
        bytes = 0;
    }
    void trimTo(std::size_t most) {
        while (bytes > most && !order.empty()) {
            bytes -= order.back().bytes;
            index.erase(order.back().key);
            order.pop_back();
        }
    }
};

Cache& TheCache() {
    static Cache cache;
    return cache;
}

const port::GlobalReset kReset([] { TheCache().clear(); });

template <class T>
void Append(std::string& key, T value) {
    key.append(reinterpret_cast<const char*>(&value), sizeof value);
}

// Where the text's lines would put ink from their top left, in the text's own units: each
// line's advance box and ink box, which overhangs it for italics and some glyphs.
QRectF InkOfLines(std::string_view macRoman, const LOGFONT& lf) {
    const CachedFont& font = FontFor(lf);
    const QFontMetricsF metrics(font.font);
    QRectF ink;
    const QStringList& lines = LinesOf(macRoman);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const double top = static_cast<double>(i) * font.lineSpacing;
        const QRectF advance(0, top, metrics.horizontalAdvance(lines[i]), font.lineSpacing);
        const QRectF glyphs = metrics.boundingRect(lines[i]).translated(0, top + font.ascent);
        ink |= advance | glyphs;
    }
    return ink;
}

void PaintLines(QPainter& painter, std::string_view macRoman, const LOGFONT& lf) {
    const CachedFont& font = FontFor(lf);
    painter.setFont(font.font);
    const std::vector<QStaticText>& lines = StaticLinesOf(macRoman, lf);
    for (size_t i = 0; i < lines.size(); ++i)
        painter.drawStaticText(QPointF(0, static_cast<double>(i) * font.lineSpacing), lines[i]);
}

// The part of the image that holds ink, with where it starts: each later draw blends only
// that. A text with no ink keeps an empty image.
void CropToInk(Kept& kept) {
    const QImage& image = kept.image;
    int left = image.width(), right = -1, top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(row[x])) left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = y;
    }
    if (right < 0) {
        kept.image = QImage(0, 0, QImage::Format_ARGB32_Premultiplied);
        return;
    }
    kept.image = image.copy(left, top, right - left + 1, bottom - top + 1);
    kept.offset += QPoint(left, top);
}

// What `paint` draws (with the text's anchor at the origin) rasterised by the painter's own
// engine into a transparent image, the anchor `place` pixels into it; none when too large.
template <class Paint>
std::optional<Kept> Rasterise(const QRectF& localInk, const Paint& paint, const QTransform& turn,
               QPointF place, const QColor& color, bool antialias) {
    Kept kept;
    const QRectF ink = turn.mapRect(localInk).translated(place);
    if (!std::isfinite(ink.left()) || !std::isfinite(ink.top()) || !std::isfinite(ink.right()) ||
        !std::isfinite(ink.bottom()))
        return std::nullopt;
    const double left = std::floor(ink.left()) - kMargin, top = std::floor(ink.top()) - kMargin;
    const double right = std::ceil(ink.right()) + kMargin, bottom = std::ceil(ink.bottom()) + kMargin;
    if (!(right - left <= kLargestSide && bottom - top <= kLargestSide)) return std::nullopt;
    const int width = int(right - left), height = int(bottom - top);
    if (qint64(width) * height > kLargestArea) return std::nullopt;
    kept.offset = QPoint(int(left), int(top));
    kept.image = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
    kept.image.fill(Qt::transparent);
    {
        QPainter painter(&kept.image);
        painter.setRenderHint(QPainter::Antialiasing, antialias);
        painter.setRenderHint(QPainter::TextAntialiasing, antialias);
        painter.setWorldTransform(turn * QTransform::fromTranslate(place.x() - left, place.y() - top));
        painter.setPen(color);
        paint(painter);
    }
    CropToInk(kept);
    return kept;
}

// Draws through the cache what `paint` draws with the text's anchor at the origin, the anchor
// at `anchor` in the painter's world space. `key` names the text and how it is laid out;
// `ink` gives, on a miss, where it can put ink around the anchor in the text's own units.
template <class Ink, class Paint>
bool DrawKept(QPainter& painter, std::string& key, QPointF anchor, const QColor& color, const Ink& ink,
              const Paint& paint) {
    const QPaintEngine* engine = painter.paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster || !painter.device() ||
        painter.device()->devicePixelRatioF() != 1.0)
        return false;
    const QTransform& world = painter.worldTransform();
    if (world.type() > QTransform::TxShear) return false;
    const QPointF start = world.map(anchor);
    if (!std::isfinite(start.x()) || !std::isfinite(start.y()) || std::fabs(start.x()) > 1e9 ||
        std::fabs(start.y()) > 1e9)
        return false;
    // The whole pixel the anchor lies in and the step within it.
    double wholeX = std::floor(start.x()), wholeY = std::floor(start.y());
    int stepX = int(std::lround((start.x() - wholeX) * kSubPixelSteps));
    int stepY = int(std::lround((start.y() - wholeY) * kSubPixelSteps));
    if (stepX == kSubPixelSteps) stepX = 0, wholeX += 1;
    if (stepY == kSubPixelSteps) stepY = 0, wholeY += 1;
    const bool antialias = painter.testRenderHint(QPainter::TextAntialiasing);
    for (double v : {world.m11(), world.m12(), world.m21(), world.m22()}) Append(key, v);
    Append(key, stepX), Append(key, stepY), Append(key, color.rgba64()), Append(key, antialias);

    Cache& cache = TheCache();
    const Kept* kept = nullptr;
    if (auto it = cache.index.find(key); it != cache.index.end()) {
        cache.order.splice(cache.order.begin(), cache.order, it->second);
        kept = &*it->second;
    } else {
        const QTransform turn(world.m11(), world.m12(), world.m21(), world.m22(), 0, 0);
        const QPointF place(double(stepX) / kSubPixelSteps, double(stepY) / kSubPixelSteps);
        std::optional<Kept> rasterised = Rasterise(ink(), paint, turn, place, color, antialias);
        if (!rasterised) return false;
        Kept& made = *rasterised;
        made.key = key;
        made.bytes = std::size_t(made.image.sizeInBytes()) + made.key.size() + kEntryCost;
        cache.trimTo(kBudget - std::min(kBudget, made.bytes));
        cache.bytes += made.bytes;
        cache.order.push_front(std::move(made));
        cache.index.emplace(cache.order.front().key, cache.order.begin());
        kept = &cache.order.front();
    }
    if (kept->image.isNull()) return true;
    const QTransform saved = world;
    painter.setWorldTransform(QTransform());
    painter.drawImage(QPointF(wholeX + kept->offset.x(), wholeY + kept->offset.y()), kept->image);
    painter.setWorldTransform(saved);
    return true;
}

// The key of a text of `kind`, built in one buffer kept between draws: a kept text is found
// without allocating.
std::string& TextKey(char kind, std::string_view macRoman, const LOGFONT& lf) {
    static std::string key;
    key.assign(1, kind);
    AppendFontKey(key, lf);
    key.push_back('\0');
    key.append(macRoman);
    key.push_back('\0');
    return key;
}

}  // namespace

bool DrawTextImage(QPainter& painter, std::string_view macRoman, const LOGFONT& lf, QPointF topLeft,
                   const QColor& color) {
    if (macRoman.empty()) return false;
    return DrawKept(
        painter, TextKey('L', macRoman, lf), topLeft, color, [&] { return InkOfLines(macRoman, lf); },
        [&](QPainter& p) { PaintLines(p, macRoman, lf); });
}

bool DrawTextBoxImage(QPainter& painter, std::string_view macRoman, const LOGFONT& lf, const QRectF& box,
                      int flags, const QColor& color) {
    if (macRoman.empty()) return false;
    std::string& key = TextKey('B', macRoman, lf);
    Append(key, box.width()), Append(key, box.height()), Append(key, flags);
    const QRectF local(0, 0, box.width(), box.height());
    return DrawKept(
        painter, key, box.topLeft(), color,
        [&] {
            const QFontMetricsF metrics(FontFor(lf).font);
            const QString text = TextFromMacRoman(macRoman);
            return local | metrics.boundingRect(local, flags, text);
        },
        [&](QPainter& p) {
            p.setFont(FontFor(lf).font);
            p.drawText(local, flags, TextFromMacRoman(macRoman));
        });
}

std::size_t TextImageBytes() { return TheCache().bytes; }
std::size_t TextImageBudget() { return kBudget; }

}  // namespace port::qt

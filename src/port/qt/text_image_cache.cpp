#include "port/qt/text_image_cache.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QTransform>

#include <cmath>
#include <cstring>
#include <list>
#include <memory>
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
// Every label of a 50,000-object plan at Fit to Window takes about 3 MB. The key holds the
// zoom and the font, so after a change the old images are the first to go.
constexpr std::size_t kBudget = std::size_t(32) << 20;
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

template <class T>
void Append(std::string& key, T value) {
    key.append(reinterpret_cast<const char*>(&value), sizeof value);
}

// Where the text's lines may put ink from their top left, in the text's own units: their
// measured box with room for glyphs that overhang it (italics, accents), which stay well
// within a quarter of an em above and below and half an em to the sides. Kept images are
// cropped to their ink, so the room costs nothing later.
QRectF InkOfLines(std::string_view macRoman, const LOGFONT& lf) {
    const double em = FontFor(lf).font.pixelSize();
    const Size size = TextSize(macRoman, lf);
    return QRectF(-em / 2, -em / 4, size.width + em, size.height + em / 2);
}

void PaintLines(QPainter& painter, std::string_view macRoman, const LOGFONT& lf) {
    const CachedFont& font = FontFor(lf);
    painter.setFont(font.font);
    const std::vector<QStaticText>& lines = StaticLinesOf(macRoman, lf);
    for (size_t i = 0; i < lines.size(); ++i)
        painter.drawStaticText(QPointF(0, static_cast<double>(i) * font.lineSpacing), lines[i]);
}

void DropScratch();

// One surface every text is rasterised on, with its painter kept open: opening a painter on
// a fresh image for each text cost more than drawing the text.
struct Scratch {
    QImage image;
    std::unique_ptr<QPainter> painter;

    void drop() {
        painter.reset();
        image = QImage();
    }
    // The painter on a transparent surface of at least width x height, drawing only there.
    QPainter& at(int width, int height) {
        if (!painter || image.width() < width || image.height() < height) {
            drop();
            image = QImage(std::max(width, 512), std::max(height, 128), QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            painter = std::make_unique<QPainter>(&image);
            // Closed before Qt's own globals go.
            qRemovePostRoutine(DropScratch);
            qAddPostRoutine(DropScratch);
        }
        painter->resetTransform();
        painter->setClipRect(QRect(0, 0, width, height));
        return *painter;
    }
};

Scratch& TheScratch() {
    static Scratch scratch;
    return scratch;
}

const port::GlobalReset kReset([] {
    TheCache().clear();
    TheScratch().drop();
});

void DropScratch() { TheScratch().drop(); }

// The part of the surface's first width x height that holds ink, with where it starts: each
// later draw blends only that. A text with no ink keeps a null image. The surface is left
// transparent again.
void KeepInk(Kept& kept, QImage& surface, int width, int height) {
    // Premultiplied: a pixel without ink is all zero.
    auto row = [&](int y) { return reinterpret_cast<const quint32*>(surface.constScanLine(y)); };
    auto inked = [&](int y) {
        quint32 any = 0;
        for (const quint32 *p = row(y), *end = p + width; p != end; ++p) any |= *p;
        return any != 0;
    };
    int top = 0, bottom = height - 1;
    while (top < height && !inked(top)) ++top;
    if (top == height) return;
    while (!inked(bottom)) --bottom;
    int left = width - 1, right = 0;
    for (int y = top; y <= bottom; ++y) {
        const quint32* p = row(y);
        for (int x = 0; x < left; ++x)
            if (p[x]) left = x;
        for (int x = width - 1; x > right; --x)
            if (p[x]) right = x;
    }
    kept.image = surface.copy(left, top, right - left + 1, bottom - top + 1);
    kept.offset += QPoint(left, top);
    for (int y = top; y <= bottom; ++y)
        std::memset(surface.scanLine(y) + left * sizeof(quint32), 0, (right - left + 1) * sizeof(quint32));
}

// What `paint` draws (with the text's anchor at the origin) rasterised by Qt's raster engine
// on a transparent surface, the anchor `place` pixels into it; none when too large.
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
    QPainter& painter = TheScratch().at(width, height);
    painter.setRenderHint(QPainter::Antialiasing, antialias);
    painter.setRenderHint(QPainter::TextAntialiasing, antialias);
    painter.setWorldTransform(turn * QTransform::fromTranslate(place.x() - left, place.y() - top));
    painter.setPen(color);
    paint(painter);
    KeepInk(kept, TheScratch().image, width, height);
    return kept;
}

// Draws through the cache what `paint` draws with the text's anchor at the origin, the anchor
// at `anchor` in the painter's world space. `key` names the text and how it is laid out;
// `ink` gives, on a miss, where it can put ink around the anchor in the text's own units.
template <class Ink, class Paint>
bool DrawKept(QPainter& painter, std::string& key, QPointF anchor, const QColor& color, const Ink& ink,
              const Paint& paint) {
    const QPaintEngine* engine = painter.paintEngine();
    const QPaintDevice* device = painter.device();
    if (!engine || engine->type() != QPaintEngine::Raster || !device || painter.viewTransformEnabled())
        return false;
    // Device pixels: on a high-density surface the painter scales by the ratio after the world.
    const double ratio = device->devicePixelRatioF();
    if (!(ratio >= 0.25 && ratio <= 16)) return false;
    const QTransform& world = painter.worldTransform();
    const QTransform onScreen = ratio == 1.0 ? world : world * QTransform::fromScale(ratio, ratio);
    if (onScreen.type() > QTransform::TxShear) return false;
    const QPointF start = onScreen.map(anchor);
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
    for (double v : {onScreen.m11(), onScreen.m12(), onScreen.m21(), onScreen.m22()}) Append(key, v);
    Append(key, stepX), Append(key, stepY), Append(key, color.rgba64()), Append(key, antialias);

    Cache& cache = TheCache();
    const Kept* kept = nullptr;
    if (auto it = cache.index.find(key); it != cache.index.end()) {
        cache.order.splice(cache.order.begin(), cache.order, it->second);
        kept = &*it->second;
    } else {
        const QTransform turn(onScreen.m11(), onScreen.m12(), onScreen.m21(), onScreen.m22(), 0, 0);
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
    painter.setWorldTransform(ratio == 1.0 ? QTransform() : QTransform::fromScale(1 / ratio, 1 / ratio));
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
    Append(key, macRoman.size());
    key.append(macRoman);
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

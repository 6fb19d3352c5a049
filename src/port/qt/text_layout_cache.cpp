#include "port/qt/text_layout_cache.h"

#include <QFontMetricsF>

#include <algorithm>
#include <string>
#include <unordered_map>

#include "port/macroman.h"
#include "port/qt/painter_context.h"
#include "port/seam.h"

namespace port::qt {
namespace {

// Enough for every label of a large plan; past it the cache starts again.
constexpr size_t kMostEntries = 4096;
// Sizes are asked for every label drawn: room for a large plan's readouts at every length.
constexpr size_t kMostSizes = 32768;

// Keys found by a view into a buffer, without a string made for the search.
struct KeyHash {
    using is_transparent = void;
    size_t operator()(std::string_view key) const { return std::hash<std::string_view>{}(key); }
};

std::unordered_map<std::string, CachedFont>& Fonts() {
    static std::unordered_map<std::string, CachedFont> fonts;
    return fonts;
}
std::unordered_map<std::string, QStringList>& Lines() {
    static std::unordered_map<std::string, QStringList> lines;
    return lines;
}
std::unordered_map<std::string, std::vector<QStaticText>>& Laid() {
    static std::unordered_map<std::string, std::vector<QStaticText>> laid;
    return laid;
}
std::unordered_map<std::string, Size, KeyHash, std::equal_to<>>& Sizes() {
    static std::unordered_map<std::string, Size, KeyHash, std::equal_to<>> sizes;
    return sizes;
}

const port::GlobalReset kReset([] {
    Fonts().clear();
    Lines().clear();
    Sizes().clear();
    Laid().clear();
});

template <class Map>
Map& Bounded(Map& map, size_t most = kMostEntries) {
    if (map.size() >= most) map.clear();
    return map;
}

// The record without its turn, which the face and the measures do not depend on: labels at
// every angle share them.
LOGFONT Upright(const LOGFONT& lf) {
    LOGFONT upright = lf;
    upright.lfEscapement = upright.lfOrientation = 0;
    return upright;
}

}  // namespace

std::string FontKey(const LOGFONT& lf) {
    std::string key;
    AppendFontKey(key, lf);
    return key;
}

void AppendFontKey(std::string& key, const LOGFONT& lf) {
    for (int32_t v : {lf.lfHeight, lf.lfWidth, lf.lfEscapement, lf.lfOrientation, lf.lfWeight})
        key.append(reinterpret_cast<const char*>(&v), sizeof v);
    for (uint8_t v : {lf.lfItalic, lf.lfUnderline, lf.lfStrikeOut, lf.lfCharSet, lf.lfOutPrecision,
                      lf.lfClipPrecision, lf.lfQuality, lf.lfPitchAndFamily})
        key.push_back(static_cast<char>(v));
    key.append(lf.lfFaceName, strnlen(lf.lfFaceName, sizeof lf.lfFaceName));
}

const CachedFont& FontFor(const LOGFONT& lf) {
    auto& fonts = Fonts();
    std::string key = FontKey(Upright(lf));
    if (auto it = fonts.find(key); it != fonts.end()) return it->second;
    CachedFont entry;
    entry.font = FontForLogFont(lf);
    const QFontMetricsF metrics(entry.font);
    entry.ascent = metrics.ascent();
    entry.lineSpacing = metrics.lineSpacing();
    return Bounded(fonts).emplace(std::move(key), std::move(entry)).first->second;
}

const QStringList& LinesOf(std::string_view macRoman) {
    auto& lines = Lines();
    std::string key(macRoman);
    if (auto it = lines.find(key); it != lines.end()) return it->second;
    QStringList split = TextFromMacRoman(macRoman).split(QLatin1Char('\n'));
    return Bounded(lines).emplace(std::move(key), std::move(split)).first->second;
}

const std::vector<QStaticText>& StaticLinesOf(std::string_view macRoman, const LOGFONT& lf) {
    auto& laid = Laid();
    std::string key = FontKey(lf);
    key.push_back('\0');
    key.append(macRoman);
    if (auto it = laid.find(key); it != laid.end()) return it->second;
    std::vector<QStaticText> lines;
    for (const QString& line : LinesOf(macRoman)) {
        QStaticText text(line);
        text.setTextFormat(Qt::PlainText);
        lines.push_back(std::move(text));
    }
    return Bounded(laid).emplace(std::move(key), std::move(lines)).first->second;
}

Size TextSize(std::string_view macRoman, const LOGFONT& lf) {
    auto& sizes = Sizes();
    static std::string key;
    key.clear();
    AppendFontKey(key, Upright(lf));
    key.push_back('\0');
    key.append(macRoman);
    if (auto it = sizes.find(std::string_view(key)); it != sizes.end()) return it->second;
    const CachedFont& font = FontFor(lf);
    const QFontMetricsF metrics(font.font);
    double width = 0;
    for (const QString& line : LinesOf(macRoman)) width = std::max(width, metrics.horizontalAdvance(line));
    const Size size{width, LinesOf(macRoman).size() * font.lineSpacing};
    Bounded(sizes, kMostSizes).emplace(key, size);
    return size;
}

}  // namespace port::qt

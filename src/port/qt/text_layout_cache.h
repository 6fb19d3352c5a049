#pragma once
// Fonts, text sizes and lines kept per font record and string: plan frames lay out the same
// readouts and labels again on every repaint, and resolving a font and shaping its text cost
// more than drawing it. Bounded; cleared with the globals.
#include <QFont>
#include <QStaticText>
#include <QStringList>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "port/drawing.h"

namespace port::qt {

struct CachedFont {
    QFont font;
    double ascent = 0;
    double lineSpacing = 0;
};

// The record's fields as a key, without the padding between them.
std::string FontKey(const LOGFONT& lf);
void AppendFontKey(std::string& key, const LOGFONT& lf);
// The font the record asks for (FontForLogFont) with its metrics.
const CachedFont& FontFor(const LOGFONT& lf);
// The text's lines (broken at CR, LF and CR LF) from Mac Roman.
const QStringList& LinesOf(std::string_view macRoman);
// The text's lines laid out in the font. The font record holds the angle, so a label keeps
// its glyphs laid out for its turn between repaints.
const std::vector<QStaticText>& StaticLinesOf(std::string_view macRoman, const LOGFONT& lf);
// The size MeasureText gives.
Size TextSize(std::string_view macRoman, const LOGFONT& lf);

}  // namespace port::qt

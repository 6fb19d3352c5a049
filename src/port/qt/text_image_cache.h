#pragma once
// Text kept as the pixels it draws. Plan labels are turned to every wall's angle and sized to
// the zoom, and Qt's raster engine keeps glyphs for only a few turns per font, so redrawing
// them loaded and hinted every glyph again on every frame. Here each (string, font, turn,
// size, colour, sub-pixel place) is rasterised once, by the same engine, into an image the
// size of the text on screen; later frames only blend that image. Bounded by bytes, least
// recently used first out; cleared with the globals.
#include <QColor>
#include <QPainter>
#include <QPointF>
#include <QRectF>

#include <cstddef>
#include <string_view>

#include "port/drawing.h"

namespace port::qt {

// Draws the text's lines with their top left at `topLeft` (in the painter's world space)
// through the cache. False when the painter is not a raster one (a printer, a PDF) or the
// text is too large on screen: the caller then draws it itself.
bool DrawTextImage(QPainter& painter, std::string_view macRoman, const LOGFONT& lf, QPointF topLeft,
                   const QColor& color);

// The same for text wrapped in a box (QPainter::drawText with `flags`).
bool DrawTextBoxImage(QPainter& painter, std::string_view macRoman, const LOGFONT& lf, const QRectF& box,
                      int flags, const QColor& color);

// What the kept images hold now, in bytes, and the most they may hold.
std::size_t TextImageBytes();
std::size_t TextImageBudget();

}  // namespace port::qt

// The stock trims' previews: a corner of a wall showing the moulding, paneling or wainscot at
// its height, the height written on it in the document's units.
#pragma once

#include <QImage>

namespace contentgen::trims {

enum class Kind { Base, Crown, Paneling, Wainscot };

// `height` in inches (0: the entry that takes the trim away); `label` the height as written
// ("3\"", "8cm"), drawn with the previews' own stroke lettering (digits, '"', '.', 'c', 'm').
QImage DrawTrimPreview(Kind kind, double height, const char* label, int side);

}  // namespace contentgen::trims

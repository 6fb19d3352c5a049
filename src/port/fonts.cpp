#include "port/fonts.h"

#include "port/macroman.h"

#include <cstring>

namespace port {

FontDescriptor DescribeLogFont(const LOGFONT& lf) {
    FontDescriptor d;
    // The face name need not be terminated inside its 32 bytes.
    const size_t len = strnlen(lf.lfFaceName, sizeof lf.lfFaceName);
    d.family = MacRomanToUtf8(std::string_view(lf.lfFaceName, len));
    const double size = -static_cast<double>(lf.lfHeight);
    d.pointSize = size < 0 ? 12.0f : static_cast<float>(size);
    if (lf.lfItalic) d.traits |= kItalicTrait;
    if (lf.lfWeight == 700) d.traits |= kBoldTrait;
    return d;
}

namespace {

class BuiltInFonts : public Fonts {
public:
    FontDescriptor fontFor(const LOGFONT& lf) override { return DescribeLogFont(lf); }
};

BuiltInFonts sBuiltIn;
Fonts* sCurrent = &sBuiltIn;

} // namespace

Fonts& fonts() { return *sCurrent; }
void setFonts(Fonts* f) { sCurrent = f ? f : &sBuiltIn; }

} // namespace port

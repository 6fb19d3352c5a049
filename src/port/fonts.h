#pragma once
// The platform font a LOGFONT names.
#include <string>
#include "port/winrecords.h"

namespace port {

enum FontTraits : int { kItalicTrait = 1, kBoldTrait = 2 };

struct FontDescriptor {
    std::string family;   // the family the platform actually chose (UTF-8)
    float pointSize = 0;
    int traits = 0;       // FontTraits bits
};

class Fonts {
public:
    virtual ~Fonts() = default;
    virtual FontDescriptor fontFor(const LOGFONT& lf) = 0;
};

// What the record asks for: the face name as the family, size -lfHeight (12 when lfHeight is
// positive), italic for a non-zero lfItalic, bold for lfWeight 700.
FontDescriptor DescribeLogFont(const LOGFONT& lf);

Fonts& fonts();
void setFonts(Fonts* f);  // nullptr restores the built-in one (takes the record as it is)

} // namespace port

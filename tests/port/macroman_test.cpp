#include "port/macroman.h"

#include <gtest/gtest.h>

#include <set>

namespace {

std::string bytes(std::initializer_list<int> list) {
    std::string s;
    for (int b : list) s += static_cast<char>(b);
    return s;
}

TEST(MacRoman, EveryByteRoundTripsThroughUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    const std::string utf8 = port::MacRomanToUtf8(all);
    EXPECT_EQ(port::Utf8ToMacRoman(utf8, '\x01'), all);

    // Each upper byte is a distinct character; the lower half is ASCII unchanged.
    std::set<std::string> seen;
    for (int b = 0x80; b < 256; ++b) seen.insert(port::MacRomanToUtf8(bytes({b})));
    EXPECT_EQ(seen.size(), 128u);
    EXPECT_EQ(port::MacRomanToUtf8(std::string("A\0z", 3)), std::string("A\0z", 3));
}

TEST(MacRoman, DegreeMarksAndOtherLandmarks) {
    EXPECT_EQ(static_cast<unsigned char>(port::kDegreeMark), 0xBC);
    EXPECT_EQ(port::MacRomanToUtf8(bytes({0xBC})), "\u00BA");  // º, the readout mark
    EXPECT_EQ(port::MacRomanToUtf8(bytes({0xA1})), "\u00B0");  // °
    EXPECT_EQ(port::Utf8ToMacRoman("\u00BA"), bytes({0xBC}));
    EXPECT_EQ(port::Utf8ToMacRoman("\u00B0"), bytes({0xA1}));
    EXPECT_EQ(port::Utf8ToMacRoman("45.5\u00BA"), "45.5" + bytes({0xBC}));
    EXPECT_EQ(port::MacRomanToUtf8(bytes({0x80, 0xDB, 0xF0, 0xFF})), "\u00C4\u20AC\uF8FF\u02C7");
    EXPECT_EQ(port::Utf8ToMacRoman("\u2013\u201C\uFB02"), bytes({0xD0, 0xD2, 0xDF}));
}

TEST(MacRoman, UnmappableAndMalformedInputBecomesFallback) {
    EXPECT_EQ(port::Utf8ToMacRoman(""), "");
    EXPECT_EQ(port::Utf8ToMacRoman("a\u4E2Db"), "a?b");
    EXPECT_EQ(port::Utf8ToMacRoman("\U0001F600", '#'), "#");
    // A stray continuation byte, an invalid lead, and a lone 0xFF.
    EXPECT_EQ(port::Utf8ToMacRoman(bytes({'x', 0x80, 'y', 0xC0, 0xFF})), "x?y??");
    // Cut-off sequences, in the middle and at the very end: one fallback each.
    EXPECT_EQ(port::Utf8ToMacRoman(bytes({0xE2, 0x82, 'A'})), "?A");
    EXPECT_EQ(port::Utf8ToMacRoman(bytes({'A', 0xE2, 0x82})), "A?");
    EXPECT_EQ(port::Utf8ToMacRoman(bytes({0xF0})), "?");
    EXPECT_EQ(port::Utf8ToMacRoman(bytes({0xC2})), "?");
    // Overlong forms, surrogates and code points past U+10FFFF are not characters.
    EXPECT_EQ(port::Utf8ToMacRoman(bytes({0xC1, 0xBC})), "??");
    EXPECT_EQ(port::Utf8ToMacRoman(bytes({0xE0, 0x82, 0xBA})), "???");
    EXPECT_EQ(port::Utf8ToMacRoman(bytes({0xED, 0xA0, 0x80})), "???");
    EXPECT_EQ(port::Utf8ToMacRoman(bytes({0xF4, 0x90, 0x80, 0x80})), "????");
}

} // namespace

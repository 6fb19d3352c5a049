#include "port/macroman.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

namespace port {
namespace {

// Code points of the bytes 0x80..0xFF; the lower half is ASCII.
constexpr std::array<char32_t, 128> kHighHalf = {
    0x00C4, 0x00C5, 0x00C7, 0x00C9, 0x00D1, 0x00D6, 0x00DC, 0x00E1,  // 80
    0x00E0, 0x00E2, 0x00E4, 0x00E3, 0x00E5, 0x00E7, 0x00E9, 0x00E8,  // 88
    0x00EA, 0x00EB, 0x00ED, 0x00EC, 0x00EE, 0x00EF, 0x00F1, 0x00F3,  // 90
    0x00F2, 0x00F4, 0x00F6, 0x00F5, 0x00FA, 0x00F9, 0x00FB, 0x00FC,  // 98
    0x2020, 0x00B0, 0x00A2, 0x00A3, 0x00A7, 0x2022, 0x00B6, 0x00DF,  // A0
    0x00AE, 0x00A9, 0x2122, 0x00B4, 0x00A8, 0x2260, 0x00C6, 0x00D8,  // A8
    0x221E, 0x00B1, 0x2264, 0x2265, 0x00A5, 0x00B5, 0x2202, 0x2211,  // B0
    0x220F, 0x03C0, 0x222B, 0x00AA, 0x00BA, 0x03A9, 0x00E6, 0x00F8,  // B8
    0x00BF, 0x00A1, 0x00AC, 0x221A, 0x0192, 0x2248, 0x2206, 0x00AB,  // C0
    0x00BB, 0x2026, 0x00A0, 0x00C0, 0x00C3, 0x00D5, 0x0152, 0x0153,  // C8
    0x2013, 0x2014, 0x201C, 0x201D, 0x2018, 0x2019, 0x00F7, 0x25CA,  // D0
    0x00FF, 0x0178, 0x2044, 0x20AC, 0x2039, 0x203A, 0xFB01, 0xFB02,  // D8
    0x2021, 0x00B7, 0x201A, 0x201E, 0x2030, 0x00C2, 0x00CA, 0x00C1,  // E0
    0x00CB, 0x00C8, 0x00CD, 0x00CE, 0x00CF, 0x00CC, 0x00D3, 0x00D4,  // E8
    0xF8FF, 0x00D2, 0x00DA, 0x00DB, 0x00D9, 0x0131, 0x02C6, 0x02DC,  // F0
    0x00AF, 0x02D8, 0x02D9, 0x02DA, 0x00B8, 0x02DD, 0x02DB, 0x02C7,  // F8
};

using ReverseTable = std::array<std::pair<char32_t, uint8_t>, 128>;

const ReverseTable& reverseTable() {
    static const ReverseTable table = [] {
        ReverseTable t{};
        for (size_t i = 0; i < kHighHalf.size(); ++i)
            t[i] = {kHighHalf[i], static_cast<uint8_t>(0x80 + i)};
        std::sort(t.begin(), t.end());
        return t;
    }();
    return table;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one character at `s[i]`. Returns the number of bytes taken (at least 1); `cp` is
// set only when the sequence is well formed. A broken sequence takes its longest valid
// prefix, so one bad character gives one fallback and decoding resumes at the next lead.
size_t decodeOne(std::string_view s, size_t i, char32_t& cp, bool& ok) {
    const auto b0 = static_cast<uint8_t>(s[i]);
    ok = false;
    if (b0 < 0x80) {
        cp = b0;
        ok = true;
        return 1;
    }
    size_t len;
    uint8_t lo = 0x80, hi = 0xBF;  // allowed range of the second byte
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2;
        cp = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3;
        cp = b0 & 0x0F;
        if (b0 == 0xE0) lo = 0xA0;       // no overlong forms
        else if (b0 == 0xED) hi = 0x9F;  // no surrogates
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4;
        cp = b0 & 0x07;
        if (b0 == 0xF0) lo = 0x90;
        else if (b0 == 0xF4) hi = 0x8F;  // nothing above U+10FFFF
    } else {
        return 1;
    }
    for (size_t k = 1; k < len; ++k) {
        if (i + k >= s.size()) return k;
        const auto b = static_cast<uint8_t>(s[i + k]);
        const uint8_t min = k == 1 ? lo : 0x80;
        const uint8_t max = k == 1 ? hi : 0xBF;
        if (b < min || b > max) return k;
        cp = (cp << 6) | (b & 0x3F);
    }
    ok = true;
    return len;
}

} // namespace

std::string MacRomanToUtf8(std::string_view macRoman) {
    std::string out;
    out.reserve(macRoman.size() + macRoman.size() / 2);
    for (char c : macRoman) {
        const auto b = static_cast<uint8_t>(c);
        appendUtf8(out, b < 0x80 ? char32_t(b) : kHighHalf[b - 0x80]);
    }
    return out;
}

std::string Utf8ToMacRoman(std::string_view utf8, char fallback) {
    const ReverseTable& table = reverseTable();
    std::string out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        char32_t cp = 0;
        bool ok = false;
        i += decodeOne(utf8, i, cp, ok);
        if (!ok) {
            out += fallback;
        } else if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else {
            auto it = std::lower_bound(table.begin(), table.end(), std::make_pair(cp, uint8_t(0)));
            out += (it != table.end() && it->first == cp) ? static_cast<char>(it->second)
                                                          : fallback;
        }
    }
    return out;
}

} // namespace port

#pragma once
// Text held by the model and written to files is 8-bit Mac OS Roman; the user interface
// speaks UTF-8. These convert at that edge.
#include <string>
#include <string_view>

namespace port {

std::string MacRomanToUtf8(std::string_view macRoman);

// Characters with no Mac OS Roman form become `fallback`. Malformed UTF-8 bytes too.
std::string Utf8ToMacRoman(std::string_view utf8, char fallback = '?');

// The readout degree mark (byte 0xBC, shown as "º").
inline constexpr char kDegreeMark = static_cast<char>(0xBC);

} // namespace port

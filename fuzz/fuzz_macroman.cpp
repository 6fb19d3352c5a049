// Any bytes, as file text or as typed UTF-8, must convert without overruns, and Mac OS Roman
// text must survive a round trip through UTF-8.
#include "port/macroman.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string utf8 = port::MacRomanToUtf8(bytes);
    if (port::Utf8ToMacRoman(utf8) != bytes) std::abort();
    (void)port::Utf8ToMacRoman(bytes);
    return 0;
}

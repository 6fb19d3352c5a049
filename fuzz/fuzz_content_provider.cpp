// Any bytes as a vendor descriptor: every field stays terminated inside its fixed width, and
// the texts handed to the window are whole UTF-8.
#include "content/core/content_provider_entry.h"
#include "fuzz_support.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

template <size_t N>
void Terminated(const char (&field)[N]) {
    if (strnlen(field, N) == N) std::abort();
}

void Utf8(const std::string& s) {
    for (size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const size_t n = b < 0x80 ? 1 : (b & 0xE0) == 0xC0 ? 2 : 0;
        if (n == 0 || i + n > s.size()) std::abort();
        i += n;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* path = fuzz::WriteInputFile("fuzz_content_provider", data, size);
    if (!path) return 0;
    const ContentProviderEntry e = ContentProviderEntry::initWithContentsAtPath(path);
    Terminated(e.vendor_), Terminated(e.vendorURL_), Terminated(e.addr1), Terminated(e.addr2);
    Terminated(e.cityStateZip), Terminated(e.country), Terminated(e.phone), Terminated(e.fax);
    Terminated(e.description_);
    Utf8(e.vendor()), Utf8(e.vendorURL()), Utf8(e.description()), Utf8(e.contactInfo());
    return 0;
}

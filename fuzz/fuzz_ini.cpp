// Any bytes as a description file: lookups must neither overrun nor loop, what they put into
// the caller's buffer must fit it, and a file read once answers as the reader does.
#include "files/ini.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>
#include <unistd.h>

namespace {

// In memory where the system offers it: a file is written for every input.
const std::string& FilePath() {
    static const std::string path = std::string(::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") +
                                    "/fuzz_ini_" + std::to_string(::getpid()) + ".ini";
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const char* const kSections[] = {"Size", "Description", "A", ""};
    static const char* const kKeys[] = {"Width", "Name", "x", "Path", ""};
    for (const char* section : kSections)
        for (const char* key : kKeys) {
            std::string value;
            if (FindProfileValue(data, size, section, key, &value) && value.find('=') != std::string::npos) std::abort();
        }

    // Section and key taken from the input itself.
    const std::string text(reinterpret_cast<const char*>(data), size);
    const size_t cut = text.find('\n');
    if (cut != std::string::npos) {
        const std::string head = text.substr(0, cut);
        const size_t eq = head.find('=');
        const std::string section = head.substr(0, eq);
        const std::string key = eq == std::string::npos ? "" : head.substr(eq + 1);
        FindProfileValue(data, size, section.c_str(), key.c_str(), nullptr);
    }

    // Through a real file, with small buffers.
    FILE* f = std::fopen(FilePath().c_str(), "wb");
    if (!f) return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    char buffer[8];
    std::memset(buffer, 0x55, sizeof buffer);
    const int32_t n = GetPrivateProfileString("Size", "Width", "default", buffer, 5, FilePath().c_str());
    // The value, or the default (result 0), cut to four characters and a NUL.
    if (n < 0 || n > 4 || strnlen(buffer, 5) > 4 || (n > 0 && buffer[n] != 0) || buffer[5] != 0x55) std::abort();
    (void)GetPrivateProfileInt("Description", "Name", -1, FilePath().c_str());

    // The file read once answers every lookup as the reader does, sections from the input too.
    const ProfileFile once(FilePath().c_str());
    std::vector<std::string> sections(std::begin(kSections), std::end(kSections));
    for (size_t at = text.find('['); at != std::string::npos && sections.size() < 12; at = text.find('[', at + 1))
        sections.push_back(text.substr(at + 1, text.find_first_of("]\n", at + 1) - at - 1));
    for (const std::string& section : sections)
        for (const char* key : kKeys) {
            char a[64], b[64];
            const int32_t na = GetPrivateProfileString(section.c_str(), key, "-", a, sizeof a, FilePath().c_str());
            const int32_t nb = once.getString(section.c_str(), key, "-", b, sizeof b);
            if (na != nb || std::strcmp(a, b) != 0 ||
                GetPrivateProfileInt(section.c_str(), key, -7, FilePath().c_str()) != once.getInt(section.c_str(), key, -7))
                std::abort();
        }
    std::remove(FilePath().c_str());
    return 0;
}

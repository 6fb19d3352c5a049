#pragma once
// INI-style description files beside content: "[Section]" headers and "key=value" lines,
// nothing more (no comments, no quoting, no escapes). Each lookup reads the file from its
// start; nothing is cached and nothing is written. Section and key names match ignoring
// case, the first match wins, and a later section of the same name is never searched. A
// line longer than 4095 characters is taken as several lines of at most 4095.
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

// The value of `key` in `section` put into `buffer` (cut to bufferSize - 1 characters), and
// its length. When the key is missing, or the file cannot be read, the default is put there
// and the result is 0. Null arguments or a size below 1: 0, buffer untouched.
int32_t GetPrivateProfileString(const char* section, const char* key, const char* defaultValue, char* buffer,
                                int32_t bufferSize, const char* path);

// The value of `key` in `section` read as a decimal number (an optional sign and digits, up
// to the first other character; 0 when it does not begin with one), or the default when the
// key is missing or the file cannot be read.
int32_t GetPrivateProfileInt(const char* section, const char* key, int32_t defaultValue, const char* path);

// The lookup over a file's bytes: true with the value when the key is there.
bool FindProfileValue(const uint8_t* text, size_t length, const char* section, const char* key, std::string* value);

// One file read once for many lookups, each answering as the two functions above would
// (a file that cannot be read answers every default).
class ProfileFile {
public:
    explicit ProfileFile(const char* path);
    bool readable() const { return readable_; }
    int32_t getString(const char* section, const char* key, const char* defaultValue, char* buffer,
                      int32_t bufferSize) const;
    int32_t getInt(const char* section, const char* key, int32_t defaultValue) const;

private:
    bool find(const char* section, const char* key, std::string* value) const;

    std::vector<uint8_t> bytes_;
    bool readable_ = false;
    std::unordered_map<std::string, size_t> sections_;  // lower-case "[name]" -> where its header begins
};

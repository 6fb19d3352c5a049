#include "files/ini.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

#include "port/files.h"

namespace {

// Lines are taken in pieces that fit a 4096-byte buffer with its NUL.
constexpr size_t kLinePiece = 4095;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsBlankOrLineEnd(char c) { return IsBlank(c) || c == '\r' || c == '\n'; }

template <typename Pred>
std::string_view Trim(std::string_view s, Pred drop) {
    while (!s.empty() && drop(s.front())) s.remove_prefix(1);
    while (!s.empty() && drop(s.back())) s.remove_suffix(1);
    return s;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

bool IsHeader(std::string_view line) { return line.size() >= 2 && line.front() == '[' && line.back() == ']'; }

// The next "=" separated piece, runs of "=" counting as one; empty at the end.
std::string_view NextToken(std::string_view& rest) {
    while (!rest.empty() && rest.front() == '=') rest.remove_prefix(1);
    const size_t end = rest.find('=');
    std::string_view token = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end);
    return token;
}

// Copies `text` into the buffer, cut to fit with its NUL; the number of characters copied.
int32_t PutInBuffer(std::string_view text, char* buffer, int32_t size) {
    const size_t n = std::min(text.size(), static_cast<size_t>(size) - 1);
    if (n > 0) std::memcpy(buffer, text.data(), n);
    buffer[n] = 0;
    return static_cast<int32_t>(n);
}

// The next piece as a line reader gives it (up to and with the line feed, at most 4095
// characters, text up to its first NUL), trimmed; `*at` moves past it.
std::string_view NextLine(std::string_view all, size_t* at) {
    size_t end = all.find('\n', *at);
    end = end == std::string_view::npos ? all.size() : end + 1;
    end = std::min(end, *at + kLinePiece);
    std::string_view piece = all.substr(*at, end - *at);
    *at = end;
    piece = piece.substr(0, piece.find('\0'));
    return Trim(piece, IsBlankOrLineEnd);
}

std::string Lowered(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = Lower(c);
    return out;
}

bool LookUp(const char* section, const char* key, const char* path, std::string* value) {
    std::vector<uint8_t> bytes;
    if (!port::ReadWholeFile(path, bytes)) return false;
    return FindProfileValue(bytes.data(), bytes.size(), section, key, value);
}

}  // namespace

bool FindProfileValue(const uint8_t* text, size_t length, const char* section, const char* key, std::string* value) {
    if (!section || !key || (!text && length > 0)) return false;
    const std::string header = "[" + std::string(Trim(std::string_view(section), IsBlank)) + "]";
    const std::string_view wantedKey = Trim(std::string_view(key), IsBlank);
    const std::string_view all(reinterpret_cast<const char*>(text), length);

    bool inSection = false;
    size_t at = 0;
    while (at < all.size()) {
        const std::string_view line = NextLine(all, &at);
        if (line.size() <= 1) continue;
        if (!inSection) {
            inSection = SameIgnoringCase(line, header);
            continue;
        }
        if (IsHeader(line)) return false;
        std::string_view rest = line;
        const std::string_view lineKey = Trim(NextToken(rest), IsBlankOrLineEnd);
        const std::string_view rawValue = NextToken(rest);
        if (rawValue.empty()) continue;  // nothing after the "=": no value
        const std::string_view lineValue = Trim(rawValue, IsBlankOrLineEnd);
        if (!SameIgnoringCase(lineKey, wantedKey)) continue;
        if (value) value->assign(lineValue);
        return true;
    }
    return false;
}

namespace {

int32_t StringFrom(bool found, const std::string& value, const char* defaultValue, char* buffer, int32_t bufferSize) {
    PutInBuffer(defaultValue, buffer, bufferSize);
    return found ? PutInBuffer(value, buffer, bufferSize) : 0;
}

int32_t IntFrom(bool found, const std::string& value, int32_t defaultValue) {
    if (!found) return defaultValue;
    size_t i = 0;
    bool negative = false;
    if (i < value.size() && (value[i] == '+' || value[i] == '-')) negative = value[i++] == '-';
    int64_t n = 0;
    for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i) {
        n = n * 10 + (value[i] - '0');
        if (n > int64_t{INT32_MAX} + 1) n = int64_t{INT32_MAX} + 1;  // saturates
    }
    if (negative) n = -n;
    if (n > INT32_MAX) n = INT32_MAX;
    return static_cast<int32_t>(n);
}

}  // namespace

int32_t GetPrivateProfileString(const char* section, const char* key, const char* defaultValue, char* buffer,
                                int32_t bufferSize, const char* path) {
    if (!section || !key || !defaultValue || !buffer || !path || bufferSize < 1) return 0;
    std::string value;
    const bool found = LookUp(section, key, path, &value);
    return StringFrom(found, value, defaultValue, buffer, bufferSize);
}

int32_t GetPrivateProfileInt(const char* section, const char* key, int32_t defaultValue, const char* path) {
    if (!section || !key || !path) return defaultValue;
    std::string value;
    const bool found = LookUp(section, key, path, &value);
    return IntFrom(found, value, defaultValue);
}

ProfileFile::ProfileFile(const char* path) : readable_(path && port::ReadWholeFile(path, bytes_)) {
    const std::string_view all(reinterpret_cast<const char*>(bytes_.data()), bytes_.size());
    for (size_t at = 0; at < all.size();) {
        const size_t start = at;
        const std::string_view line = NextLine(all, &at);
        if (line.size() > 1 && IsHeader(line)) sections_.emplace(Lowered(line), start);  // the first one counts
    }
}

bool ProfileFile::find(const char* section, const char* key, std::string* value) const {
    if (!readable_) return false;
    // The search starts at the section's header, where a search from the start would find it.
    const auto it = sections_.find(Lowered("[" + std::string(Trim(std::string_view(section), IsBlank)) + "]"));
    if (it == sections_.end()) return false;
    return FindProfileValue(bytes_.data() + it->second, bytes_.size() - it->second, section, key, value);
}

int32_t ProfileFile::getString(const char* section, const char* key, const char* defaultValue, char* buffer,
                               int32_t bufferSize) const {
    if (!section || !key || !defaultValue || !buffer || bufferSize < 1) return 0;
    std::string value;
    const bool found = find(section, key, &value);
    return StringFrom(found, value, defaultValue, buffer, bufferSize);
}

int32_t ProfileFile::getInt(const char* section, const char* key, int32_t defaultValue) const {
    if (!section || !key) return defaultValue;
    std::string value;
    const bool found = find(section, key, &value);
    return IntFrom(found, value, defaultValue);
}

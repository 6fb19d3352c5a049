// The byte builder and searches of support/records.h: plain bytes, no reader, so the model's
// tests use them too.
#include "support/records.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace dvxtest {

Bytes& Bytes::u8(uint8_t v) {
    b.push_back(v);
    return *this;
}
Bytes& Bytes::i16(int16_t v) { return u16(static_cast<uint16_t>(v)); }
Bytes& Bytes::u16(uint16_t v) {
    b.push_back(static_cast<uint8_t>(v >> 8));
    b.push_back(static_cast<uint8_t>(v));
    return *this;
}
Bytes& Bytes::i32(int32_t v) {
    const uint32_t u = static_cast<uint32_t>(v);
    for (int shift = 24; shift >= 0; shift -= 8) b.push_back(static_cast<uint8_t>(u >> shift));
    return *this;
}
Bytes& Bytes::f32(float v) {
    int32_t bits;
    std::memcpy(&bits, &v, 4);
    return i32(bits);
}
Bytes& Bytes::le16(uint16_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
    return *this;
}
Bytes& Bytes::le32(uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) b.push_back(static_cast<uint8_t>(v >> shift));
    return *this;
}
Bytes& Bytes::lef32(float v) {
    uint32_t bits;
    std::memcpy(&bits, &v, 4);
    return le32(bits);
}
Bytes& Bytes::raw(const std::string& text) {
    b.insert(b.end(), text.begin(), text.end());
    return *this;
}
Bytes& Bytes::raw(const std::vector<uint8_t>& bytes) {
    b.insert(b.end(), bytes.begin(), bytes.end());
    return *this;
}
Bytes& Bytes::zeros(size_t n) {
    b.insert(b.end(), n, 0);
    return *this;
}
Bytes& Bytes::text(const std::string& t) {
    i32(static_cast<int32_t>(t.size()));
    return raw(t);
}

long Find(const std::vector<uint8_t>& bytes, const std::vector<uint8_t>& pattern, size_t from) {
    if (pattern.empty() || bytes.size() < pattern.size()) return -1;
    for (size_t i = from; i + pattern.size() <= bytes.size(); ++i)
        if (std::equal(pattern.begin(), pattern.end(), bytes.begin() + static_cast<long>(i))) return static_cast<long>(i);
    return -1;
}

std::vector<uint8_t> Slice(const std::vector<uint8_t>& bytes, size_t from, size_t n) {
    from = std::min(from, bytes.size());
    n = std::min(n, bytes.size() - from);
    return {bytes.begin() + static_cast<long>(from), bytes.begin() + static_cast<long>(from + n)};
}

std::vector<uint8_t> Spliced(const std::vector<uint8_t>& bytes, size_t at, size_t n, const std::vector<uint8_t>& with) {
    std::vector<uint8_t> out = Slice(bytes, 0, at);
    out.insert(out.end(), with.begin(), with.end());
    const std::vector<uint8_t> rest = Slice(bytes, at + n);
    out.insert(out.end(), rest.begin(), rest.end());
    return out;
}

}  // namespace dvxtest

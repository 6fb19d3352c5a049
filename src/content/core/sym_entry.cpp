#include "content/core/sym_entry.h"

namespace {

constexpr size_t kFixedBytes = 24;

void PutLE(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

class Reader {
public:
    Reader(const uint8_t* data, size_t size) : data_(data), left_(size) {}
    uint32_t take(int bytes) {
        uint32_t value = 0;
        for (int i = 0; i < bytes; ++i) value |= uint32_t{data_[i]} << (8 * i);
        data_ += bytes, left_ -= bytes;
        return value;
    }
    // A length and its bytes; false when the record ends first.
    bool text(std::string* out) {
        if (left_ < 4) return false;
        const uint32_t length = take(4);
        if (length > left_) return false;
        out->assign(reinterpret_cast<const char*>(data_), length);
        data_ += length, left_ -= length;
        return true;
    }

private:
    const uint8_t* data_;
    size_t left_;
};

}  // namespace

std::vector<uint8_t> SymEntryInfo::encodeSymEntry() const {
    std::vector<uint8_t> out;
    out.reserve(kFixedBytes + 16 + objectPreview.size() + objectData.size() + objectInfo.size() +
                objectDescription.size());
    PutLE(out, static_cast<uint16_t>(type), 2);
    PutLE(out, static_cast<uint32_t>(refNum), 4);
    PutLE(out, static_cast<uint32_t>(colorIndex), 4);
    PutLE(out, static_cast<uint32_t>(textureID), 4);
    PutLE(out, static_cast<uint16_t>(textureScale.x), 2);
    PutLE(out, static_cast<uint16_t>(textureScale.y), 2);
    PutLE(out, textureColor.red, 2);
    PutLE(out, textureColor.green, 2);
    PutLE(out, textureColor.blue, 2);
    for (const std::string* s : {&objectPreview, &objectData, &objectInfo, &objectDescription}) {
        PutLE(out, static_cast<uint32_t>(s->size()), 4);
        out.insert(out.end(), s->begin(), s->end());
    }
    return out;
}

bool SymEntryInfo::decodeSymEntryWithData(const uint8_t* data, size_t size) {
    if (!data || size < kFixedBytes) return false;
    Reader in(data, size);
    SymEntryInfo e;
    e.type = static_cast<int16_t>(in.take(2));
    e.refNum = static_cast<int32_t>(in.take(4));
    e.colorIndex = static_cast<int32_t>(in.take(4));
    e.textureID = static_cast<int32_t>(in.take(4));
    e.textureScale.x = static_cast<int16_t>(in.take(2));
    e.textureScale.y = static_cast<int16_t>(in.take(2));
    e.textureColor.red = static_cast<uint16_t>(in.take(2));
    e.textureColor.green = static_cast<uint16_t>(in.take(2));
    e.textureColor.blue = static_cast<uint16_t>(in.take(2));
    for (std::string* s : {&e.objectPreview, &e.objectData, &e.objectInfo, &e.objectDescription})
        if (!in.text(s)) return false;
    *this = std::move(e);
    return true;
}

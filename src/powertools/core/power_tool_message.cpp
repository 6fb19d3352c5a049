#include "powertools/core/power_tool_message.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace {

class Writer {
public:
    void u8(uint8_t v) { out.push_back(v); }
    void u16(uint16_t v) { bytes(v, 2); }
    void u64(uint64_t v) { bytes(v, 8); }
    void text(const std::string& s) {
        u16(static_cast<uint16_t>(s.size()));
        out.insert(out.end(), s.begin(), s.end());
    }
    std::vector<uint8_t> out;

private:
    void bytes(uint64_t v, int n) {
        for (int i = 0; i < n; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
};

class Reader {
public:
    Reader(const uint8_t* d, size_t n) : data(d), size(n) {}
    bool u8(uint8_t* v) {
        if (size - pos < 1) return false;
        *v = data[pos++];
        return true;
    }
    bool u16(uint16_t* v) {
        uint64_t w = 0;
        if (!bytes(&w, 2)) return false;
        *v = static_cast<uint16_t>(w);
        return true;
    }
    bool u64(uint64_t* v) { return bytes(v, 8); }
    bool text(std::string* s) {
        uint16_t n = 0;
        if (!u16(&n) || size - pos < n) return false;
        s->assign(reinterpret_cast<const char*>(data + pos), n);
        pos += n;
        return true;
    }
    bool atEnd() const { return pos == size; }

private:
    bool bytes(uint64_t* v, int n) {
        if (size - pos < size_t(n)) return false;
        *v = 0;
        for (int i = 0; i < n; ++i) *v |= uint64_t(data[pos++]) << (8 * i);
        return true;
    }
    const uint8_t* data;
    size_t size;
    size_t pos = 0;
};

uint32_t FrameLength(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

}  // namespace

int64_t PowerToolMessage::integerValue(const std::string& key) const {
    const auto it = values.find(key);
    if (it == values.end()) return 0;
    const PowerToolValue& v = it->second;
    if (v.kind == PowerToolValue::Kind::Integer) return v.integer;
    if (v.kind != PowerToolValue::Kind::Real || std::isnan(v.real)) return 0;
    constexpr double kMax = 9.2e18;
    return static_cast<int64_t>(std::fmax(-kMax, std::fmin(kMax, v.real)));
}

float PowerToolMessage::floatValue(const std::string& key) const {
    const auto it = values.find(key);
    if (it == values.end()) return 0;
    const PowerToolValue& v = it->second;
    if (v.kind == PowerToolValue::Kind::Integer) return static_cast<float>(v.integer);
    if (v.kind != PowerToolValue::Kind::Real || !std::isfinite(v.real)) return 0;
    constexpr double kMax = std::numeric_limits<float>::max();
    return static_cast<float>(std::fmax(-kMax, std::fmin(kMax, v.real)));
}

std::string PowerToolMessage::textValue(const std::string& key) const {
    const auto it = values.find(key);
    return it != values.end() && it->second.kind == PowerToolValue::Kind::Text ? it->second.text : std::string();
}

std::vector<uint8_t> EncodePowerToolMessage(const PowerToolMessage& message) {
    Writer w;
    w.u8(0), w.u8(0), w.u8(0), w.u8(0);
    if (message.name.size() > 0xFFFF || message.values.size() > 0xFFFF) return {};
    w.text(message.name);
    w.u16(static_cast<uint16_t>(message.values.size()));
    for (const auto& [key, v] : message.values) {
        if (key.size() > 0xFFFF || v.text.size() > 0xFFFF) return {};
        w.text(key);
        w.u8(static_cast<uint8_t>(v.kind));
        if (v.kind == PowerToolValue::Kind::Integer) w.u64(static_cast<uint64_t>(v.integer));
        else if (v.kind == PowerToolValue::Kind::Real) {
            uint64_t bits;
            std::memcpy(&bits, &v.real, 8);
            w.u64(bits);
        } else
            w.text(v.text);
    }
    const size_t body = w.out.size() - 4;
    if (body > kMaxPowerToolMessageBytes) return {};
    for (int i = 0; i < 4; ++i) w.out[i] = static_cast<uint8_t>(body >> (8 * i));
    return w.out;
}

bool DecodePowerToolMessage(const uint8_t* data, size_t size, PowerToolMessage* message) {
    if (!data || size > kMaxPowerToolMessageBytes) return false;
    Reader r(data, size);
    PowerToolMessage m;
    uint16_t count = 0;
    if (!r.text(&m.name) || m.name.empty() || !r.u16(&count)) return false;
    for (uint16_t i = 0; i < count; ++i) {
        std::string key;
        uint8_t kind = 0;
        if (!r.text(&key) || !r.u8(&kind)) return false;
        PowerToolValue v;
        uint64_t bits = 0;
        switch (static_cast<PowerToolValue::Kind>(kind)) {
        case PowerToolValue::Kind::Integer:
            if (!r.u64(&bits)) return false;
            v = PowerToolValue::Of(static_cast<int64_t>(bits));
            break;
        case PowerToolValue::Kind::Real: {
            if (!r.u64(&bits)) return false;
            double d;
            std::memcpy(&d, &bits, 8);
            v = PowerToolValue::Of(d);
            break;
        }
        case PowerToolValue::Kind::Text: {
            std::string s;
            if (!r.text(&s)) return false;
            v = PowerToolValue::Of(std::move(s));
            break;
        }
        default:
            return false;
        }
        m.values[key] = std::move(v);
    }
    if (!r.atEnd()) return false;
    *message = std::move(m);
    return true;
}

void PowerToolMessageReader::append(const uint8_t* data, size_t size) {
    if (refused_ || !data) return;
    buffer_.insert(buffer_.end(), data, data + size);
}

PowerToolMessageReader::Result PowerToolMessageReader::next(PowerToolMessage* message) {
    if (refused_) return Result::Refused;
    if (buffer_.size() < 4) return Result::NeedMore;
    const uint32_t length = FrameLength(buffer_.data());
    // Decided from the length alone: an oversized frame is never buffered whole.
    if (length > kMaxPowerToolMessageBytes) {
        refused_ = true;
        buffer_.clear();
        return Result::Refused;
    }
    if (buffer_.size() - 4 < length) return Result::NeedMore;
    const bool ok = DecodePowerToolMessage(buffer_.data() + 4, length, message);
    buffer_.erase(buffer_.begin(), buffer_.begin() + 4 + length);
    if (!ok) {
        refused_ = true;
        buffer_.clear();
        return Result::Refused;
    }
    return Result::Message;
}

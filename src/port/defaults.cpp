#include "port/defaults.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <memory>

namespace port {
namespace {

std::string_view trimmed(std::string_view s) {
    const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    while (!s.empty() && space(s.front())) s.remove_prefix(1);
    while (!s.empty() && space(s.back())) s.remove_suffix(1);
    return s;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char c = a[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != b[i]) return false;
    }
    return true;
}

// A stored text read as a number: "yes"/"true" and "no"/"false" count as 1 and 0 (settings
// files keep booleans that way), otherwise the leading number in C notation, else nothing.
bool textAsDouble(std::string_view text, double& out) {
    std::string_view s = trimmed(text);
    if (equalsNoCase(s, "yes") || equalsNoCase(s, "true")) return out = 1, true;
    if (equalsNoCase(s, "no") || equalsNoCase(s, "false")) return out = 0, true;
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    const auto r = std::from_chars(s.data(), s.data() + s.size(), out);
    return r.ec == std::errc() && std::isfinite(out);
}

int64_t doubleToInt(double d) {
    if (std::isnan(d)) return 0;
    // 2^63 is exact in a double; anything at or past it would overflow the conversion.
    constexpr double limit = 9223372036854775808.0;
    if (d >= limit) return std::numeric_limits<int64_t>::max();
    if (d <= -limit) return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(d);
}

template <class... F> struct Overload : F... { using F::operator()...; };
template <class... F> Overload(F...) -> Overload<F...>;

} // namespace

void UserDefaults::registerDefaults(const std::map<std::string, DefaultValue>& values) {
    for (const auto& [key, value] : values) registered_[key] = value;
}

bool UserDefaults::lookup(const std::string& key, DefaultValue& out) const {
    if (load(key, out)) return true;
    auto it = registered_.find(key);
    if (it == registered_.end()) return false;
    out = it->second;
    return true;
}

bool UserDefaults::has(const std::string& key) const {
    DefaultValue v;
    return lookup(key, v);
}

bool UserDefaults::getBool(const std::string& key) const {
    DefaultValue v;
    if (!lookup(key, v)) return false;
    return std::visit(Overload{
        [](bool b) { return b; },
        [](int64_t i) { return i != 0; },
        [](double d) { return d != 0 && !std::isnan(d); },
        [](const std::string& s) {
            double d = 0;
            return textAsDouble(s, d) && d != 0;
        },
    }, v);
}

int64_t UserDefaults::getInt(const std::string& key) const {
    DefaultValue v;
    if (!lookup(key, v)) return 0;
    return std::visit(Overload{
        [](bool b) -> int64_t { return b ? 1 : 0; },
        [](int64_t i) { return i; },
        [](double d) { return doubleToInt(d); },
        [](const std::string& s) -> int64_t {
            // Whole numbers directly, so large ones keep every digit.
            std::string_view t = trimmed(s);
            if (!t.empty() && t.front() == '+') t.remove_prefix(1);
            int64_t i = 0;
            const auto r = std::from_chars(t.data(), t.data() + t.size(), i);
            if (r.ec == std::errc() && r.ptr == t.data() + t.size()) return i;
            double d = 0;
            return textAsDouble(s, d) ? doubleToInt(d) : 0;
        },
    }, v);
}

double UserDefaults::getDouble(const std::string& key) const {
    DefaultValue v;
    if (!lookup(key, v)) return 0;
    return std::visit(Overload{
        [](bool b) { return b ? 1.0 : 0.0; },
        [](int64_t i) { return static_cast<double>(i); },
        [](double d) { return d; },
        [](const std::string& s) {
            double d = 0;
            return textAsDouble(s, d) ? d : 0.0;
        },
    }, v);
}

std::string UserDefaults::getString(const std::string& key) const {
    DefaultValue v;
    if (!lookup(key, v)) return {};
    return std::visit(Overload{
        [](bool b) { return std::string(b ? "1" : "0"); },
        [](int64_t i) { return std::to_string(i); },
        [](double d) {
            char buf[64];
            const auto r = std::to_chars(buf, buf + sizeof buf, d);
            return std::string(buf, r.ptr);
        },
        [](const std::string& s) { return s; },
    }, v);
}

bool MemoryDefaults::load(const std::string& key, DefaultValue& out) const {
    auto it = values_.find(key);
    if (it == values_.end()) return false;
    out = it->second;
    return true;
}

namespace {
std::unique_ptr<MemoryDefaults> sBuiltIn;
UserDefaults* sCurrent = nullptr;
} // namespace

UserDefaults& defaults() {
    if (!sCurrent) {
        sBuiltIn = std::make_unique<MemoryDefaults>();
        sCurrent = sBuiltIn.get();
    }
    return *sCurrent;
}

void setDefaults(UserDefaults* d) {
    if (d) {
        sCurrent = d;
        return;
    }
    sBuiltIn = std::make_unique<MemoryDefaults>();
    sCurrent = sBuiltIn.get();
}

} // namespace port

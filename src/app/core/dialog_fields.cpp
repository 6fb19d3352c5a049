#include "app/core/dialog_fields.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/readouts.h"
#include "port/defaults.h"
#include "port/seam.h"

namespace {

// Longer text is cut here rather than refused: what a field shows first is what is read.
constexpr size_t kLongestInput = 254;

// The field's text made ready to split: commas read as the decimal point where the user's
// separator is not the full stop, and (for lengths) a minus sign after the first digit
// reads as a blank, so "10-6" is 10 6 while a leading minus stays.
std::string InputText(const port::TextField& field, bool minusAsBlank) {
    std::string text = field.text();
    if (text.size() > kLongestInput) text.resize(kLongestInput);
    const bool commaIsPoint = port::defaults().decimalSeparator() != '.';
    bool digitSeen = false;
    for (char& c : text) {
        if (c >= '0' && c <= '9') digitSeen = true;
        else if (c == '-' && digitSeen && minusAsBlank) c = ' ';
        else if (c == ',' && commaIsPoint) c = '.';
    }
    return text;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// The number the text starts with, stopping at the first character that is not part of it.
double NumberAt(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    if (i < text.size() && text[i] == '+' && (i + 1 == text.size() || text[i + 1] != '-')) ++i;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data() + i, text.data() + text.size(), value);
    return error == std::errc() ? value : 0.0;
}

// The whole number the text starts with, held to 32 bits.
int32_t WholeAt(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    if (i < text.size() && text[i] == '+' && (i + 1 == text.size() || text[i + 1] != '-')) ++i;
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data() + i, text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range) return text[i] == '-' ? INT32_MIN : INT32_MAX;
    if (error != std::errc()) return 0;
    return static_cast<int32_t>(std::clamp<long long>(value, INT32_MIN, INT32_MAX));
}

std::vector<std::string> Split(const std::string& text, std::string_view separators, size_t most) {
    std::vector<std::string> tokens;
    size_t at = 0;
    while (tokens.size() < most) {
        at = text.find_first_not_of(separators, at);
        if (at == std::string::npos) break;
        const size_t end = text.find_first_of(separators, at);
        tokens.push_back(text.substr(at, end == std::string::npos ? std::string::npos : end - at));
        at = end;
    }
    return tokens;
}

bool Has(const std::string& text, char c) { return text.find(c) != std::string::npos; }
bool Has(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

float Signed(double magnitude, bool negative) {
    return static_cast<float>(negative ? -magnitude : magnitude);
}

// Feet and inches in the imperial grammar, before the precision rounding. A foot mark
// ends its token, so "2'6" reads as 2' 6 rather than dropping the six inches.
float ImperialInches(std::string text) {
    for (size_t at = text.find('\''); at != std::string::npos; at = text.find('\'', at + 1))
        if (at + 1 < text.size() && !IsBlank(text[at + 1])) text.insert(at + 1, 1, ' ');
    const std::vector<std::string> t = Split(text, " ", 3);
    double feet = 0, inches = 0;
    switch (t.size()) {
    case 0: return 0;
    case 1:
        if (Has(t[0], '\'')) feet = NumberAt(t[0]);
        else if (Has(t[0], '/')) inches = TokenizeInches(t[0].c_str(), nullptr);
        else inches = NumberAt(t[0]);
        break;
    case 2:
        if (Has(t[0], '/')) return 0;
        if (!Has(t[1], '/') || Has(t[0], '\'')) {
            feet = NumberAt(t[0]);
            inches = TokenizeInches(t[1].c_str(), nullptr);
        } else {
            inches = TokenizeInches(t[0].c_str(), t[1].c_str());
        }
        break;
    default:
        if (Has(t[0], '/') || Has(t[1], '/') || Has(t[0], '"')) return 0;
        feet = NumberAt(t[0]);
        inches = TokenizeInches(t[1].c_str(), t[2].c_str());
        break;
    }
    return Signed(std::fabs(feet) * 12 + std::fabs(inches), feet < 0 || inches < 0);
}

float MetricInches(const std::string& text) {
    const double v = NumberAt(text);
    if (Has(text, "mm")) return static_cast<float>(v * 0.03937f);
    if (Has(text, "cm")) return static_cast<float>(v * 0.3937f);
    if (Has(text, "dm")) return static_cast<float>(v * 3.937f);
    if (Has(text, 'm')) return static_cast<float>(v * 39.37f);
    switch (DecodeMetricReadoutFormat()) {
    case 0: return static_cast<float>(v * 39.37f);
    case 1: return static_cast<float>(v * 0.3937f);
    default: return static_cast<float>(v * 0.03937f);
    }
}

float Rounded(float value) {
    NormalizeInputToPrecision(&value);
    return value;
}

// What a merge over the selected objects left in each field: the first object's own value and
// the text written. The readout rounds (an imperial length to its sixteenth), so objects that
// all hold one value are compared with that value, not with what its text reads back.
struct Merge {
    double first;
    std::string shown;
};
std::unordered_map<const port::TextField*, Merge>& Merges() {
    static std::unordered_map<const port::TextField*, Merge> merges;
    return merges;
}
const port::GlobalReset kReset([] { Merges().clear(); });

// A field no merge wrote, or whose text changed since, is read back as it shows. Once blank
// it stays blank: a later object agreeing with the first does not make the others agree.
template <class Value, class Get, class Set>
void UpdateProperties(port::TextField* field, Value value, double tolerance, bool initialize, Get get, Set set) {
    if (!field) return;
    if (initialize) {
        set(field, value);
        Merges()[field] = {double(value), field->text()};
        return;
    }
    const auto merge = Merges().find(field);
    const bool ours = merge != Merges().end() && merge->second.shown == field->text();
    const double first = ours ? merge->second.first : double(get(field));
    if ((ours && merge->second.shown.empty()) || std::fabs(first - double(value)) > tolerance) field->setText("");
    else set(field, value);
    if (ours) merge->second.shown = field->text();
}

}  // namespace

float TokenizeInches(const char* whole, const char* fraction) {
    if (!whole) return 0;
    const std::string a = whole;
    double units = 0, part = 0;
    auto fractionOf = [](const std::string& text) -> double {
        const size_t slash = text.find('/');
        if (slash == std::string::npos || slash == 0 || slash + 1 == text.size()) return 0;
        return ConvertFractionToDecimal(WholeAt(std::string_view(text).substr(0, slash)),
                                        WholeAt(std::string_view(text).substr(slash + 1)));
    };
    if (Has(a, '/')) part = fractionOf(a);
    else {
        units = NumberAt(a);
        if (fraction) part = fractionOf(fraction);
    }
    return Signed(std::fabs(units) + std::fabs(part), units < 0 || part < 0);
}

void SetFloatItem(port::TextField* field, float inches) {
    if (!field) return;
    char text[kReadoutSize] = "";
    ConvertInchesToStr(inches, text);
    field->setText(text);
}

float GetFloatItem(port::TextField* field) {
    const DocState* ds = CurrentDocState();
    if (!field || !ds) return 0;
    const std::string text = InputText(*field, true);
    if (ds->units != kImperialUnits) return MetricInches(text);
    return Rounded(ImperialInches(text));
}

void SetFloatAngleItem(port::TextField* field, float degrees, bool noMark) {
    if (!field) return;
    char buffer[kReadoutSize] = "";
    ConvertAngleToStr(degrees, buffer);
    std::string text = buffer;
    if (!text.empty()) {
        if (noMark) text.pop_back();
        else text.back() = kDegreeMark;
    }
    field->setText(text);
}

float GetFloatAngleItem(port::TextField* field, bool degreesOnly) {
    if (!field) return 0;
    // Both degree signs a user may type: the readout's 0xBC and 0xA1.
    static constexpr char kSeparators[] = {' ', '\'', '"', static_cast<char>(0xBC), static_cast<char>(0xA1)};
    const std::vector<std::string> t = Split(InputText(*field, false), std::string_view(kSeparators, 5), 3);
    if (t.empty()) return 0;
    const double degrees = NumberAt(t[0]);
    double minutes = 0;
    if (!degreesOnly && t.size() > 1) {
        const double m = std::trunc(NumberAt(t[1]));
        if (m >= 0 && m <= 59) minutes = m / 60.0;
    }
    // Minutes lie on the side of the degrees: -30 15 is -30.25.
    return static_cast<float>(std::signbit(degrees) ? degrees - minutes : degrees + minutes);
}

void SetFloatPitchItem(port::TextField* field, float pitch) {
    if (!field) return;
    char text[kReadoutSize] = "";
    ConvertPitchToStr(pitch, text);
    field->setText(text);
}

float GetFloatPitchItem(port::TextField* field) {
    const DocState* ds = CurrentDocState();
    if (!field || !ds) return 0;
    const std::string text = InputText(*field, false);
    if (ds->units != kImperialUnits) return static_cast<float>(NumberAt(text) * 0.3937f * 3.048006f);
    const std::vector<std::string> t = Split(text, " ", 2);
    if (t.empty()) return 0;
    return Rounded(TokenizeInches(t[0].c_str(), t.size() > 1 ? t[1].c_str() : nullptr));
}

void SetFloatPitchAngleItem(port::TextField* field, float pitch) {
    SetFloatAngleItem(field, ConvertPitchToAngle(pitch), false);
}

float GetFloatPitchAngleItem(port::TextField* field) {
    const DocState* ds = CurrentDocState();
    if (!field || !ds) return 0;
    const float pitch = ConvertAngleToPitch(GetFloatAngleItem(field, false));
    return ds->units == kImperialUnits ? Rounded(pitch) : pitch;
}

void SetLongItem(port::TextField* field, int32_t value) {
    if (field) field->setText(std::to_string(value));
}

int32_t GetLongItem(port::TextField* field) { return field ? WholeAt(field->text()) : 0; }

void UpdatePropertiesFloat(port::TextField* field, float inches, bool initialize) {
    UpdateProperties(field, inches, 0.0005f, initialize, GetFloatItem, SetFloatItem);
}

void UpdatePropertiesFloatAngle(port::TextField* field, float degrees, bool noMark, bool initialize) {
    UpdateProperties(
        field, degrees, 0.00005f, initialize, [noMark](port::TextField* f) { return GetFloatAngleItem(f, noMark); },
        [noMark](port::TextField* f, float v) { SetFloatAngleItem(f, v, noMark); });
}

void UpdatePropertiesFloatPitch(port::TextField* field, float pitch, bool initialize) {
    UpdateProperties(field, pitch, 0.005f, initialize, GetFloatPitchItem, SetFloatPitchItem);
}

void UpdatePropertiesFloatPitchAngle(port::TextField* field, float pitch, bool initialize) {
    UpdateProperties(field, pitch, 0.005f, initialize, GetFloatPitchAngleItem, SetFloatPitchAngleItem);
}

void UpdatePropertiesLong(port::TextField* field, int32_t value, bool initialize) {
    UpdateProperties(field, value, 0, initialize, GetLongItem, SetLongItem);
}

float NormalizeInputToBounds(float value, float min, float max) {
    if (value < min) return min;
    if (value > max) return max;
    return value;
}


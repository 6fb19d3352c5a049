#pragma once
// The messages plug-in tools and the program exchange over the local channel: a name and a
// few keyed values. On the wire each message is a 4-byte little-endian length and that many
// bytes: the name, the number of values, then per value its key, a kind byte and the value
// (i64, f64 or text). Everything comes from another process, so every length is checked.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// Messages larger than this are refused and their connection dropped.
inline constexpr size_t kMaxPowerToolMessageBytes = 4096;

inline constexpr const char* kPowerToolClosingUpdate = "com.dedarovozurev.PowerToolClosingUpdate";
inline constexpr const char* kPowerToolClosingNoUpdate = "com.dedarovozurev.PowerToolClosingNoUpdate";
inline constexpr const char* kPowerToolHubReqClose = "com.dedarovozurev.PowerToolHubReqClose";

inline constexpr const char* kAuxDictPowerToolIDKey = "AuxDictPowerToolIDKey";
inline constexpr const char* kAuxDictUserIDKey = "AuxDictUserIDKey";
inline constexpr const char* kAuxDictDocumentIDKey = "AuxDictDocumentIDKey";
inline constexpr const char* kAuxDictTopographyKey = "AuxDictTopographyKey";
inline constexpr const char* kAuxDictGSPSunLotAngleKey = "AuxDictGSPSunLotAngleKey";
inline constexpr const char* kAuxDictGSPSunOverheadAngleKey = "AuxDictGSPSunOverheadAngleKey";
inline constexpr const char* kAuxDictGSPSceneBrightnessKey = "AuxDictGSPSceneBrightnessKey";
inline constexpr const char* kAuxDictGSPSunBrightnessKey = "AuxDictGSPSunBrightnessKey";
inline constexpr const char* kAuxDictGSPShadingIntensityKey = "AuxDictGSPShadingIntensityKey";

struct PowerToolValue {
    enum class Kind : uint8_t { Integer = 1, Real = 2, Text = 3 };
    Kind kind = Kind::Integer;
    int64_t integer = 0;
    double real = 0;
    std::string text;

    static PowerToolValue Of(int64_t v) { return {Kind::Integer, v, 0, {}}; }
    static PowerToolValue Of(double v) { return {Kind::Real, 0, v, {}}; }
    static PowerToolValue Of(std::string v) { return {Kind::Text, 0, 0, std::move(v)}; }
};

struct PowerToolMessage {
    std::string name;
    std::map<std::string, PowerToolValue> values;

    // A number read as the asker needs it; 0 for an absent key or a text. Reals beyond the
    // integer range are clamped.
    int64_t integerValue(const std::string& key) const;
    float floatValue(const std::string& key) const;
    int16_t shortValue(const std::string& key) const { return static_cast<int16_t>(integerValue(key)); }
    bool boolValue(const std::string& key) const { return floatValue(key) != 0.0f; }
    // The text of a key, empty when absent or not a text.
    std::string textValue(const std::string& key) const;
};

// The framed bytes of a message; empty when it would exceed kMaxPowerToolMessageBytes.
std::vector<uint8_t> EncodePowerToolMessage(const PowerToolMessage& message);
// The body of one frame (without its length). False for anything malformed.
bool DecodePowerToolMessage(const uint8_t* data, size_t size, PowerToolMessage* message);

// Cuts a byte stream into messages as it arrives.
class PowerToolMessageReader {
public:
    enum class Result { NeedMore, Message, Refused };
    // Takes bytes; they are kept until a whole frame is in.
    void append(const uint8_t* data, size_t size);
    // The next whole message, NeedMore, or Refused for an oversized or malformed frame
    // (the stream is then useless and should be closed).
    Result next(PowerToolMessage* message);
    // Whether part of a message is waiting for the rest.
    bool pending() const { return !buffer_.empty(); }

private:
    std::vector<uint8_t> buffer_;
    bool refused_ = false;
};

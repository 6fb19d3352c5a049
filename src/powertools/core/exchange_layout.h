#pragma once
// The layout of the exchange file a plug-in tool reads ("data.pxf"): its versions, tags and
// the tables of the fixed runs of fields (settings section, object info, point, saved view,
// cabinet state). The writer walks these tables; a reader walks the same ones. Every value
// in the file is little-endian; a text is an i32 length and its bytes without terminator.
//
// Settings rows name `DocState` fields by member and by their number in the settings
// record's field table (docstate_fields.h); record rows name `Objex`, `Poinz`,
// `LiveViewsList` and `CabinetState` members with their position in their record (counted
// from 1) and where they lie in memory.
#include <cstdint>
#include <span>

// --- versions ---
namespace xver {

inline constexpr int32_t k5000 = 5000;
inline constexpr int32_t k7500 = 7500;
inline constexpr int32_t k8000 = 8000;
inline constexpr int32_t k9000 = 9000;
inline constexpr int32_t k10000 = 10000;
inline constexpr int32_t k11000 = 11000;

// One of the six versions a file can have.
bool IsExchangeVersion(int32_t v);
// The version a tool asking for `requested` gets: 11000 for 11000 or more and for any value
// that is not an exchange version.
int32_t NormalizedExchangeVersion(int32_t requested);

inline bool Is8000Plus(int32_t v) { return v == k8000 || v == k9000 || v == k10000 || v == k11000; }
inline bool Is9000Plus(int32_t v) { return v == k9000 || v == k10000 || v == k11000; }
inline bool Is10000Plus(int32_t v) { return v == k10000 || v == k11000; }
inline bool Is11000Only(int32_t v) { return v == k11000; }
inline bool IsOld(int32_t v) { return v == k5000 || v == k7500; }

}  // namespace xver

namespace exchange {

// --- tags (i16 unless noted) ---
inline constexpr int16_t kSettingsTag = 100;
inline constexpr int16_t kFloorTag = 200;
inline constexpr int16_t kObjectTag = 300;
inline constexpr int16_t kWallChildTag = 301;
inline constexpr int16_t kGroupBeginTag = 302;
inline constexpr int16_t kGroupEndTag = 303;
inline constexpr int16_t kDeckChildTag = 304;
inline constexpr int16_t kCabinetBeginTag = 306;
inline constexpr int16_t kCabinetEndTag = 307;
inline constexpr int16_t kTrimBeginTag = 208;
inline constexpr int16_t kTrimEndTag = 209;
inline constexpr int16_t kProfileBeginTag = 210;
inline constexpr int16_t kProfileEndTag = 211;
inline constexpr int16_t kPartsBeginTag = 212;
inline constexpr int16_t kPartsEndTag = 213;
inline constexpr int16_t kRoofChildTag = 214;
inline constexpr int16_t kSkylightPartsBeginTag = 215;
inline constexpr int16_t kSkylightPartsEndTag = 216;
inline constexpr int16_t kObjectsEndTag = 500;
inline constexpr int16_t kDataBlockTag = 600;
inline constexpr int16_t kDataBlockEndTag = 601;
// i32 tags of the palette section.
inline constexpr int32_t kPaletteEntryTag = 620;
inline constexpr int32_t kPaletteEntriesEndTag = 621;
inline constexpr int32_t kPaletteTag = 622;
inline constexpr int32_t kPalettesEndTag = 623;

inline constexpr int16_t kPlatform = 2;
inline constexpr const char* kReservedText = "not used";
// A trim slot's kind word when a profile object follows.
inline constexpr int32_t kTrimProfileFollows = 65536;
// The cabinet state: its size in memory, then this many bytes.
inline constexpr int32_t kCabinetStateSize = 164;
inline constexpr uint32_t kCabinetStateBytes = 158;
// The attachment record of old versions.
inline constexpr uint32_t kShortAttachmentBytes = 60;
// Entries of the settings' colour table.
inline constexpr int kColorTableEntries = 72;

// --- fields ---

// Which versions carry a row.
enum class Since : uint8_t { All, V8000, V9000, V10000, V11000Only };
inline bool Carries(Since since, int32_t v) {
    switch (since) {
    case Since::All: return true;
    case Since::V8000: return xver::Is8000Plus(v);
    case Since::V9000: return xver::Is9000Plus(v);
    case Since::V10000: return xver::Is10000Plus(v);
    case Since::V11000Only: return xver::Is11000Only(v);
    }
    return false;
}

enum class Wire : uint8_t {
    U8, I16, U16, I32, U32, F32,
    I16AsF32,      // an i16 written as a float
    Point,         // FloatPoint: f32 h, v
    Rect,          // FloatRect: f32 top, left, bottom, right
    Color,         // RGBColor: u16 red, green, blue
    ShortPoint,    // i16 ×2
    Texture,       // an i32 texture ID by rule T
    Texture16,     // a 16-bit texture ID, sign-extended, by rule T
    Chars,         // a fixed character array as a text
    OwnedText,     // an owned string (char*) as a text; none: length 0
    Font,          // a LOGFONT: i32 height negated, i32 weight, u8 italic, u8 underline, face name text
    AppFont,       // the application's text font (`gTextFontInfo`), as Font
    ColorTable,    // 72 packed colours: of each its three low bytes, lowest first, as u16
    Refresh,       // no bytes: the palette refresh of a texture's colour and scale fields
    Pad8,          // a zero byte
    OwnerTool,     // i32: a group's field, 0 for every other object
};

// Bytes a fixed wire takes; 0 for texts, fonts and textures (their length varies).
uint32_t WireBytes(Wire wire);

// A run of settings fields: `count` fields numbered from `number` on, or for Refresh the
// texture field whose colour and scale fields (`color`, `scale`) take the palette's.
struct SettingsRow {
    const char* name;
    int16_t number;
    Wire wire;
    uint8_t count = 1;
    Since since = Since::All;
    int16_t color = 0;
    int16_t scale = 0;
};

// A run of `count` values of a record's member at `offset` (consecutive in memory). For
// Refresh: the texture at `offset` sets the colours at `color` (and `color2` when not -1) and
// the scale at `scale`.
struct RecordRow {
    const char* name;
    int16_t number;
    Wire wire;
    uint8_t count;
    Since since;
    uint16_t offset;
    int16_t color = -1;
    int16_t color2 = -1;
    int16_t scale = -1;
};

// The settings section after its tag, before the saved views and palettes (10000+).
std::span<const SettingsRow> SettingsSection();
// The object info, in order.
std::span<const RecordRow> ObjectInfo();
// One point, up to its trim slots.
std::span<const RecordRow> PointItems();
// One saved view after its name.
std::span<const RecordRow> SavedViewItems();
// The cabinet state after its size (158 bytes).
std::span<const RecordRow> CabinetStateItems();

}  // namespace exchange

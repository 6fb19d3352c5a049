#pragma once
// The one table of the settings record's fields, in record order: number (1-321), member
// name, value type, where the value lives, its imperial and metric defaults, and the names
// other parts of the program use for it. The defaults, the metric switch and the settings
// block in files are all driven by it.
#include <cstddef>
#include <cstdint>
#include <span>

struct DocState;

enum class DocFieldType : uint8_t {
    U8, I16, U16, I32, U32, F32,
    FloatPoint, Float3DPoint, FloatRect, ShortPoint, RGBColor,
    LogFont,           // LOGFONT
    Chars,             // char[count]
    SelectionState,
    SelectionState40,
    I32Array,          // int32[count]
};

struct DocStateField {
    int16_t number;       // 1-321
    const char* name;     // member of DocState (the array's name for array members)
    DocFieldType type;
    uint16_t offset;      // byte offset of the value inside DocState
    uint16_t count;       // characters of Chars, entries of I32Array; 1 otherwise
    uint8_t element;      // index inside an array member (planMasks, planColors, ...)
    uint8_t imperialCount;  // numbers in `imperial`; 0: zero, empty or set by code
    double imperial[4];   // components in order (H, V; top, left, bottom, right; r, g, b ...)
    uint8_t metricCount;  // 0: the metric switch leaves the field alone
    double metric[4];
    const char* otherNames;
};

inline constexpr int kDocStateFieldCount = 321;

// All 321 fields, in record order (entry i is field i + 1).
std::span<const DocStateField> DocStateFields();
// The entry of a member (first element for array members); null for an unknown name.
const DocStateField* FindDocStateField(const char* name);

// Where a field's value lives in a record.
inline void* DocStateFieldAddress(DocState* ds, const DocStateField& f) {
    return reinterpret_cast<unsigned char*>(ds) + f.offset;
}
inline const void* DocStateFieldAddress(const DocState* ds, const DocStateField& f) {
    return reinterpret_cast<const unsigned char*>(ds) + f.offset;
}

// Stores `count` numbers into a numeric field (components in order). Unknown types: nothing.
void StoreDocStateFieldNumbers(DocState* ds, const DocStateField& f, const double* values, int count);

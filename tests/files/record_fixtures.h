#pragma once
// Helpers of the object record tests: byte fixtures assembled field by field, writing into
// and reading from the file buffers, small designs (walls with doors, roofs with skylights,
// decks) and a field-by-field comparison of two objects.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "model/objects.h"

namespace dvxtest {

// Big-endian fields unless named little-endian.
class Bytes {
public:
    Bytes& u8(uint8_t v);
    Bytes& i16(int16_t v);
    Bytes& u16(uint16_t v);
    Bytes& i32(int32_t v);
    Bytes& f32(float v);
    Bytes& le16(uint16_t v);
    Bytes& le32(uint32_t v);
    Bytes& lef32(float v);
    Bytes& raw(const std::string& text);
    Bytes& raw(const std::vector<uint8_t>& bytes);
    Bytes& zeros(size_t n);
    Bytes& text(const std::string& text);  // i32 length and the bytes
    const std::vector<uint8_t>& data() const { return b; }
    size_t size() const { return b.size(); }

private:
    std::vector<uint8_t> b;
};

// What `write` puts into a fresh output buffer.
std::vector<uint8_t> Written(const std::function<void()>& write);
// Makes the bytes the input, at the version.
void StartInput(const std::vector<uint8_t>& bytes, int32_t version);
// Tag 200 and the record of one object.
std::vector<uint8_t> WrittenObject(Objex* object, int32_t version = 11100);
// Reads tag 200 and one object from the bytes onto the layer (appended).
Objex* ReadObjectFrom(const std::vector<uint8_t>& bytes, Layer* layer, int32_t version = 11100);
// The objects of a list, in order.
std::vector<Objex*> ListOf(Objex* head);
void ExpectPosition(const Poinz* p, float h, float v, float d);

// Index of `pattern` in `bytes` from `from`, or -1.
long Find(const std::vector<uint8_t>& bytes, const std::vector<uint8_t>& pattern, size_t from = 0);

// A straight wall on the layer through (0,0), (100,0), (100,100), ... with both trim
// records on every point and a few materials.
Objex* MakeWall(Layer* layer, int points);
// A door (16) or window (17) child between points `from` and `from` + 1 of the wall.
Objex* AddOpening(Objex* wall, int16_t type, int16_t style, int from);
// A closed roof of four points with a skylight child (160) of the style.
Objex* MakeRoofWithSkylight(Layer* layer, int16_t style, Objex** skylight);
// A closed four-point deck.
Objex* MakeDeck(Layer* layer);
// A plain profile or part object of the type with three points.
Objex* MakePartObject(int16_t type);

// The two objects store the same record at 11100 (every field, point, record and child).
void ExpectSameObject(const Objex* a, const Objex* b, const std::string& where = "object");

}  // namespace dvxtest

#pragma once
// The memory layer every file format is read from and written to: one whole-file input
// buffer with a read position, one growing output buffer, and the scrap (the private copy
// buffer) that takes the place of both while copying or pasting. Big-endian codecs serve the
// files' own records and tags, little-endian ("Std") codecs the records that keep their
// Windows layout. All of it is process-wide: one read or write at a time, on the UI thread.
// Nothing here knows the model.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "port/files.h"

// The whole input file; empty when no file is being read.
extern std::vector<uint8_t> gInDataBuffer;
// Read position in gInDataBuffer.
extern uint32_t gInDataBufferPos;
// The output being built.
extern std::vector<uint8_t> gOutDataBuffer;
// When set, every read and write goes to the scrap instead of the buffers above.
extern uint8_t gUseScrap;
// The scrap's bytes; its size is what the last copy wrote.
extern std::vector<uint8_t> gPrivateScrap;
// The scrap's read position while pasting, its write length while copying.
extern uint32_t gScrapIndex;

// Reads that found too few bytes leave their destination and the position alone and raise
// this flag; it stays up until the next input starts or it is cleared.
bool InputTruncated();
void ClearInputTruncated();
// A write that could not get memory raises this flag (the bytes are not written).
bool OutputFailed();

// Input: the whole file at `path` (false when it cannot be read; the buffer is then empty),
// or bytes already in memory. Either starts at position 0 with the truncation flag down.
bool OpenInputFile(const std::string& path);
// The same, once `acceptHead` took the file's first `headSize` bytes (fewer for a shorter
// file): a file it refuses is refused without the rest being read.
bool OpenInputFileIf(const std::string& path, size_t headSize, bool (*acceptHead)(const uint8_t* head, size_t size));
void OpenInputBytes(std::vector<uint8_t> bytes);
void ReleaseInputBuffer();

// Releases the input buffer on every exit of a reader.
class InputBufferScope {
public:
    InputBufferScope() = default;
    ~InputBufferScope() { ReleaseInputBuffer(); }
    InputBufferScope(const InputBufferScope&) = delete;
    InputBufferScope& operator=(const InputBufferScope&) = delete;
};

// Output: starts an empty buffer; the flush hands it to the file system in one piece (an
// existing file is replaced atomically; scratch files skip the sync) and empties it. The
// buffer keeps its memory between outputs until it is released, so the next write of a
// design grows nothing. False when the file could not be written or a write ran out of
// memory.
void StartOutputBuffer();
bool FlushOutputBufferToFile(const std::string& path, port::Durability durability = port::Durability::Synced);
void ReleaseOutputBuffer();

// Puts every stream global back to its start-up state.
void ResetStreamState();

// Raw access. A read copies `count` bytes or nothing; a null destination reads nothing.
bool ReadSome(void* destination, uint32_t count);
void WriteSome(const void* source, uint32_t count);
// The input buffer's length and read position.
uint32_t GetLength();
uint32_t GetMark();

// Big-endian fields. Readers do nothing for a null destination and return whether they read.
bool ReadShort(int16_t* value);
bool ReadUShort(uint16_t* value);
bool ReadLong(int32_t* value);
bool ReadULong(uint32_t* value);
bool ReadFloat(float* value);
void WriteShort(int16_t value);
void WriteUShort(uint16_t value);
void WriteLong(int32_t value);
void WriteULong(uint32_t value);
void WriteFloat(float value);

// Little-endian fields.
bool ReadStdShort(int16_t* value);
bool ReadStdUShort(uint16_t* value);
bool ReadStdLong(int32_t* value);
bool ReadStdULong(uint32_t* value);
bool ReadStdFloat(float* value);
void WriteStdShort(int16_t value);
void WriteStdUShort(uint16_t value);
void WriteStdLong(int32_t value);
void WriteStdULong(uint32_t value);
void WriteStdFloat(float value);

// --- fixed blocks ---
// A run of fixed-size fields is listed once, by a generic callable over a field visitor:
//   ReadFields([&](auto& f) { f.i16(&p->kind); f.f32(p->position, 3); });
// The same list measures the block, decodes it from bytes checked once, or encodes it into
// output grown once. Fields are big-endian unless named little-endian (le16, lef32).
// When the input holds less than the whole block, the fields are read one by one as the
// readers above read them: the ones that fit are taken, the rest stay as they were, and the
// truncation flag goes up.

// The next `count` bytes of the input (the scrap while pasting), the read position moved
// past them; null when fewer remain (nothing moves, no flag).
const uint8_t* TakeInput(uint32_t count);
// `count` more bytes at the end of the output (the scrap while copying); null when they
// cannot be had (the output is then marked failed).
uint8_t* GrowOutput(uint32_t count);

namespace fields {

struct Size {
    uint32_t bytes = 0;
    void u8(const uint8_t*, int n = 1) { bytes += static_cast<uint32_t>(n); }
    void i16(const int16_t*, int n = 1) { bytes += 2u * static_cast<uint32_t>(n); }
    void u16(const uint16_t*, int n = 1) { bytes += 2u * static_cast<uint32_t>(n); }
    void le16(const uint16_t*, int n = 1) { bytes += 2u * static_cast<uint32_t>(n); }
    void i32(const int32_t*, int n = 1) { bytes += 4u * static_cast<uint32_t>(n); }
    void u32(const uint32_t*, int n = 1) { bytes += 4u * static_cast<uint32_t>(n); }
    void f32(const float*, int n = 1) { bytes += 4u * static_cast<uint32_t>(n); }
    void lef32(const float*, int n = 1) { bytes += 4u * static_cast<uint32_t>(n); }
};

class Decoder {
public:
    explicit Decoder(const uint8_t* at) : p_(at) {}
    void u8(uint8_t* v, int n = 1) {
        for (int i = 0; i < n; ++i) v[i] = *p_++;
    }
    void i16(int16_t* v, int n = 1) {
        for (int i = 0; i < n; ++i) v[i] = static_cast<int16_t>(Big16());
    }
    void u16(uint16_t* v, int n = 1) {
        for (int i = 0; i < n; ++i) v[i] = Big16();
    }
    void le16(uint16_t* v, int n = 1) {
        for (int i = 0; i < n; ++i, p_ += 2) v[i] = static_cast<uint16_t>(p_[0] | (p_[1] << 8));
    }
    void i32(int32_t* v, int n = 1) {
        for (int i = 0; i < n; ++i) v[i] = static_cast<int32_t>(Big32());
    }
    void u32(uint32_t* v, int n = 1) {
        for (int i = 0; i < n; ++i) v[i] = Big32();
    }
    void f32(float* v, int n = 1) {
        for (int i = 0; i < n; ++i) {
            const uint32_t bits = Big32();
            std::memcpy(&v[i], &bits, 4);
        }
    }
    void lef32(float* v, int n = 1) {
        for (int i = 0; i < n; ++i, p_ += 4) {
            const uint32_t bits = uint32_t{p_[0]} | (uint32_t{p_[1]} << 8) | (uint32_t{p_[2]} << 16) |
                                  (uint32_t{p_[3]} << 24);
            std::memcpy(&v[i], &bits, 4);
        }
    }

private:
    uint16_t Big16() {
        const uint16_t v = static_cast<uint16_t>((p_[0] << 8) | p_[1]);
        p_ += 2;
        return v;
    }
    uint32_t Big32() {
        const uint32_t v = (uint32_t{p_[0]} << 24) | (uint32_t{p_[1]} << 16) | (uint32_t{p_[2]} << 8) | p_[3];
        p_ += 4;
        return v;
    }
    const uint8_t* p_;
};

// Field by field through the checked readers (a block the input cannot hold whole).
struct Reader {
    void u8(uint8_t* v, int n = 1);
    void i16(int16_t* v, int n = 1);
    void u16(uint16_t* v, int n = 1);
    void le16(uint16_t* v, int n = 1);
    void i32(int32_t* v, int n = 1);
    void u32(uint32_t* v, int n = 1);
    void f32(float* v, int n = 1);
    void lef32(float* v, int n = 1);
};

class Encoder {
public:
    explicit Encoder(uint8_t* at) : p_(at) {}
    void u8(const uint8_t* v, int n = 1) {
        for (int i = 0; i < n; ++i) *p_++ = v[i];
    }
    void i16(const int16_t* v, int n = 1) {
        for (int i = 0; i < n; ++i) Big16(static_cast<uint16_t>(v[i]));
    }
    void u16(const uint16_t* v, int n = 1) {
        for (int i = 0; i < n; ++i) Big16(v[i]);
    }
    void le16(const uint16_t* v, int n = 1) {
        for (int i = 0; i < n; ++i) {
            *p_++ = static_cast<uint8_t>(v[i]);
            *p_++ = static_cast<uint8_t>(v[i] >> 8);
        }
    }
    void i32(const int32_t* v, int n = 1) {
        for (int i = 0; i < n; ++i) Big32(static_cast<uint32_t>(v[i]));
    }
    void u32(const uint32_t* v, int n = 1) {
        for (int i = 0; i < n; ++i) Big32(v[i]);
    }
    void f32(const float* v, int n = 1) {
        for (int i = 0; i < n; ++i) {
            uint32_t bits;
            std::memcpy(&bits, &v[i], 4);
            Big32(bits);
        }
    }
    void lef32(const float* v, int n = 1) {
        for (int i = 0; i < n; ++i) {
            uint32_t bits;
            std::memcpy(&bits, &v[i], 4);
            for (int k = 0; k < 4; ++k) *p_++ = static_cast<uint8_t>(bits >> (8 * k));
        }
    }

private:
    void Big16(uint16_t v) {
        *p_++ = static_cast<uint8_t>(v >> 8);
        *p_++ = static_cast<uint8_t>(v);
    }
    void Big32(uint32_t v) {
        *p_++ = static_cast<uint8_t>(v >> 24);
        *p_++ = static_cast<uint8_t>(v >> 16);
        *p_++ = static_cast<uint8_t>(v >> 8);
        *p_++ = static_cast<uint8_t>(v);
    }
    uint8_t* p_;
};

}  // namespace fields

template <typename List>
void ReadFields(List&& list) {
    fields::Size size;
    list(size);
    if (const uint8_t* at = TakeInput(size.bytes)) {
        fields::Decoder decoder(at);
        list(decoder);
    } else {
        fields::Reader reader;
        list(reader);
    }
}

template <typename List>
void WriteFields(List&& list) {
    fields::Size size;
    list(size);
    if (uint8_t* at = GrowOutput(size.bytes)) {
        fields::Encoder encoder(at);
        list(encoder);
    }
}

// The float whose four bytes are those of `bits` in reverse order.
float SwapFloat(uint32_t bits);

// A stored plant image path made relative to the custom plant folder: what follows
// "CustomPlants" (last occurrence, any case) and its separator, with "\" turned into "/".
// Without such a part the path comes back unchanged; a null path gives an empty string.
std::string ConvertAbsolutePlantPathToRelative(const char* source);

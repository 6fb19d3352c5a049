#include "files/streams.h"

#include <cstring>
#include <new>

#include "port/files.h"
#include "port/seam.h"

std::vector<uint8_t> gInDataBuffer;
uint32_t gInDataBufferPos = 0;
std::vector<uint8_t> gOutDataBuffer;
uint8_t gUseScrap = 0;
std::vector<uint8_t> gPrivateScrap;
uint32_t gScrapIndex = 0;

namespace {

bool sInputTruncated = false;
bool sOutputFailed = false;
static const port::GlobalReset kReset(ResetStreamState);

constexpr uint64_t kMaxStreamLength = UINT32_MAX;

// Copies `count` bytes at `pos` of `bytes` when they are all there; otherwise nothing.
bool TakeBytes(const std::vector<uint8_t>& bytes, uint32_t& pos, void* destination, uint32_t count) {
    if (uint64_t{pos} + count > bytes.size()) {
        sInputTruncated = true;
        return false;
    }
    if (count > 0) std::memcpy(destination, bytes.data() + pos, count);
    pos += count;
    return true;
}

template <size_t N>
bool ReadBytes(uint8_t (&b)[N]) {
    return ReadSome(b, N);
}

uint16_t BigU16(const uint8_t* b) { return static_cast<uint16_t>((b[0] << 8) | b[1]); }
uint16_t LittleU16(const uint8_t* b) { return static_cast<uint16_t>((b[1] << 8) | b[0]); }
uint32_t BigU32(const uint8_t* b) {
    return (uint32_t{b[0]} << 24) | (uint32_t{b[1]} << 16) | (uint32_t{b[2]} << 8) | b[3];
}
uint32_t LittleU32(const uint8_t* b) {
    return (uint32_t{b[3]} << 24) | (uint32_t{b[2]} << 16) | (uint32_t{b[1]} << 8) | b[0];
}

void WriteBigU16(uint16_t v) {
    const uint8_t b[2] = {static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)};
    WriteSome(b, 2);
}
void WriteLittleU16(uint16_t v) {
    const uint8_t b[2] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8)};
    WriteSome(b, 2);
}
void WriteBigU32(uint32_t v) {
    const uint8_t b[4] = {static_cast<uint8_t>(v >> 24), static_cast<uint8_t>(v >> 16),
                          static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)};
    WriteSome(b, 4);
}
void WriteLittleU32(uint32_t v) {
    const uint8_t b[4] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8),
                          static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 24)};
    WriteSome(b, 4);
}

float FloatFromBits(uint32_t bits) {
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}
uint32_t BitsFromFloat(float f) {
    uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    return bits;
}

}  // namespace

bool InputTruncated() { return sInputTruncated; }
void ClearInputTruncated() { sInputTruncated = false; }
bool OutputFailed() { return sOutputFailed; }

bool OpenInputFile(const std::string& path) {
    gInDataBufferPos = 0;
    sInputTruncated = false;
    std::vector<uint8_t> bytes;
    // A file longer than a stream can address is refused before it is read.
    const bool ok = port::ReadWholeFile(path, bytes, kMaxStreamLength);
    gInDataBuffer = ok ? std::move(bytes) : std::vector<uint8_t>{};
    return ok;
}

bool OpenInputFileIf(const std::string& path, size_t headSize, bool (*acceptHead)(const uint8_t* head, size_t size)) {
    std::vector<uint8_t> head;
    if (!port::ReadFileHead(path, headSize, head) || !acceptHead || !acceptHead(head.data(), head.size())) {
        gInDataBufferPos = 0;
        sInputTruncated = false;
        ReleaseInputBuffer();
        return false;
    }
    return OpenInputFile(path);
}

void OpenInputBytes(std::vector<uint8_t> bytes) {
    gInDataBufferPos = 0;
    sInputTruncated = false;
    if (bytes.size() > kMaxStreamLength) bytes.resize(kMaxStreamLength);
    gInDataBuffer = std::move(bytes);
}

void ReleaseInputBuffer() {
    std::vector<uint8_t>().swap(gInDataBuffer);
    gInDataBufferPos = 0;
}

void StartOutputBuffer() {
    // The memory of the previous output is kept: a design written again needs as much.
    gOutDataBuffer.clear();
    sOutputFailed = false;
}

bool FlushOutputBufferToFile(const std::string& path, port::Durability durability) {
    const bool ok = !sOutputFailed &&
                    port::WriteWholeFile(path, gOutDataBuffer.data(), gOutDataBuffer.size(), durability);
    gOutDataBuffer.clear();
    return ok;
}

void ReleaseOutputBuffer() {
    std::vector<uint8_t>().swap(gOutDataBuffer);
}

void ResetStreamState() {
    ReleaseInputBuffer();
    ReleaseOutputBuffer();
    gUseScrap = 0;
    std::vector<uint8_t>().swap(gPrivateScrap);
    gScrapIndex = 0;
    sInputTruncated = false;
    sOutputFailed = false;
}

bool ReadSome(void* destination, uint32_t count) {
    if (!destination) return false;
    if (gUseScrap) return TakeBytes(gPrivateScrap, gScrapIndex, destination, count);
    return TakeBytes(gInDataBuffer, gInDataBufferPos, destination, count);
}

void WriteSome(const void* source, uint32_t count) {
    if (!source || count == 0) return;
    if (uint8_t* at = GrowOutput(count)) std::memcpy(at, source, count);
}

const uint8_t* TakeInput(uint32_t count) {
    const std::vector<uint8_t>& bytes = gUseScrap ? gPrivateScrap : gInDataBuffer;
    uint32_t& pos = gUseScrap ? gScrapIndex : gInDataBufferPos;
    if (count == 0 || uint64_t{pos} + count > bytes.size()) return nullptr;
    const uint8_t* at = bytes.data() + pos;
    pos += count;
    return at;
}

uint8_t* GrowOutput(uint32_t count) {
    if (count == 0) return nullptr;
    try {
        if (gUseScrap) {
            const uint64_t end = uint64_t{gScrapIndex} + count;
            if (end > kMaxStreamLength) {
                sOutputFailed = true;
                return nullptr;
            }
            gPrivateScrap.resize(static_cast<size_t>(end));
            uint8_t* at = gPrivateScrap.data() + gScrapIndex;
            gScrapIndex = static_cast<uint32_t>(end);
            return at;
        }
        const size_t at = gOutDataBuffer.size();
        if (at + count > kMaxStreamLength) {
            sOutputFailed = true;
            return nullptr;
        }
        gOutDataBuffer.resize(at + count);
        return gOutDataBuffer.data() + at;
    } catch (const std::bad_alloc&) {
        sOutputFailed = true;
        return nullptr;
    }
}

namespace fields {

void Reader::u8(uint8_t* v, int n) {
    for (int i = 0; i < n; ++i) ReadSome(&v[i], 1);
}
void Reader::i16(int16_t* v, int n) {
    for (int i = 0; i < n; ++i) ReadShort(&v[i]);
}
void Reader::u16(uint16_t* v, int n) {
    for (int i = 0; i < n; ++i) ReadUShort(&v[i]);
}
void Reader::le16(uint16_t* v, int n) {
    for (int i = 0; i < n; ++i) ReadStdUShort(&v[i]);
}
void Reader::i32(int32_t* v, int n) {
    for (int i = 0; i < n; ++i) ReadLong(&v[i]);
}
void Reader::u32(uint32_t* v, int n) {
    for (int i = 0; i < n; ++i) ReadULong(&v[i]);
}
void Reader::f32(float* v, int n) {
    for (int i = 0; i < n; ++i) ReadFloat(&v[i]);
}
void Reader::lef32(float* v, int n) {
    for (int i = 0; i < n; ++i) ReadStdFloat(&v[i]);
}

}  // namespace fields

uint32_t GetLength() { return static_cast<uint32_t>(gInDataBuffer.size()); }
uint32_t GetMark() { return gInDataBufferPos; }

bool ReadShort(int16_t* value) {
    uint8_t b[2];
    if (!value || !ReadBytes(b)) return false;
    *value = static_cast<int16_t>(BigU16(b));
    return true;
}

bool ReadUShort(uint16_t* value) {
    uint8_t b[2];
    if (!value || !ReadBytes(b)) return false;
    *value = BigU16(b);
    return true;
}

bool ReadLong(int32_t* value) {
    uint8_t b[4];
    if (!value || !ReadBytes(b)) return false;
    *value = static_cast<int32_t>(BigU32(b));
    return true;
}

bool ReadULong(uint32_t* value) {
    uint8_t b[4];
    if (!value || !ReadBytes(b)) return false;
    *value = BigU32(b);
    return true;
}

bool ReadFloat(float* value) {
    uint8_t b[4];
    if (!value || !ReadBytes(b)) return false;
    *value = FloatFromBits(BigU32(b));
    return true;
}

void WriteShort(int16_t value) { WriteBigU16(static_cast<uint16_t>(value)); }
void WriteUShort(uint16_t value) { WriteBigU16(value); }
void WriteLong(int32_t value) { WriteBigU32(static_cast<uint32_t>(value)); }
void WriteULong(uint32_t value) { WriteBigU32(value); }
void WriteFloat(float value) { WriteBigU32(BitsFromFloat(value)); }

bool ReadStdShort(int16_t* value) {
    uint8_t b[2];
    if (!value || !ReadBytes(b)) return false;
    *value = static_cast<int16_t>(LittleU16(b));
    return true;
}

bool ReadStdUShort(uint16_t* value) {
    uint8_t b[2];
    if (!value || !ReadBytes(b)) return false;
    *value = LittleU16(b);
    return true;
}

bool ReadStdLong(int32_t* value) {
    uint8_t b[4];
    if (!value || !ReadBytes(b)) return false;
    *value = static_cast<int32_t>(LittleU32(b));
    return true;
}

bool ReadStdULong(uint32_t* value) {
    uint8_t b[4];
    if (!value || !ReadBytes(b)) return false;
    *value = LittleU32(b);
    return true;
}

bool ReadStdFloat(float* value) {
    uint8_t b[4];
    if (!value || !ReadBytes(b)) return false;
    *value = FloatFromBits(LittleU32(b));
    return true;
}

void WriteStdShort(int16_t value) { WriteLittleU16(static_cast<uint16_t>(value)); }
void WriteStdUShort(uint16_t value) { WriteLittleU16(value); }
void WriteStdLong(int32_t value) { WriteLittleU32(static_cast<uint32_t>(value)); }
void WriteStdULong(uint32_t value) { WriteLittleU32(value); }
void WriteStdFloat(float value) { WriteLittleU32(BitsFromFloat(value)); }

float SwapFloat(uint32_t bits) {
    const uint32_t swapped = (bits >> 24) | ((bits >> 8) & 0xFF00u) | ((bits << 8) & 0xFF0000u) | (bits << 24);
    return FloatFromBits(swapped);
}

std::string ConvertAbsolutePlantPathToRelative(const char* source) {
    if (!source) return {};
    static constexpr char kFolder[] = "CustomPlants";
    constexpr size_t kFolderLength = sizeof kFolder - 1;
    const std::string path(source);
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    size_t found = std::string::npos;
    for (size_t at = path.size() >= kFolderLength ? path.size() - kFolderLength + 1 : 0; at-- > 0;) {
        bool same = true;
        for (size_t i = 0; i < kFolderLength && same; ++i) same = lower(path[at + i]) == lower(kFolder[i]);
        if (same) {
            found = at;
            break;
        }
    }
    if (found == std::string::npos || found + kFolderLength >= path.size()) return path;
    std::string relative = path.substr(found + kFolderLength + 1);
    for (char& c : relative)
        if (c == '\\') c = '/';
    return relative;
}

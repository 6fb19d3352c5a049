#pragma once
// The memory layer every file format is read from and written to: one whole-file input
// buffer with a read position, one growing output buffer, and the scrap (the private copy
// buffer) that takes the place of both while copying or pasting. Big-endian codecs serve the
// files' own records and tags, little-endian ("Std") codecs the records that keep their
// Windows layout. All of it is process-wide: one read or write at a time, on the UI thread.
// Nothing here knows the model.
#include <cstdint>
#include <string>
#include <vector>

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
// existing file is replaced) and releases it. False when the file could not be written or a
// write ran out of memory.
void StartOutputBuffer();
bool FlushOutputBufferToFile(const std::string& path);
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

// The float whose four bytes are those of `bits` in reverse order.
float SwapFloat(uint32_t bits);

// A stored plant image path made relative to the custom plant folder: what follows
// "CustomPlants" (last occurrence, any case) and its separator, with "\" turned into "/".
// Without such a part the path comes back unchanged; a null path gives an empty string.
std::string ConvertAbsolutePlantPathToRelative(const char* source);

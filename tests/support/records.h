#pragma once
// The byte side of the file tests: records assembled field by field from their layouts (never
// by the code under test), design files of any version, the buffers the readers and writers
// use, whole files, and the sampled prefix reads.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "model/objects.h"
#include "support/build.h"
#include "support/doubles.h"
#include "support/fixture.h"

struct DocState;

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

// A design file being assembled: header and settings block on construction, then layers,
// object records, tags and the sections after the objects.
class DesignBytes {
public:
    // `edit` changes the settings record (created with its defaults) before it is stored.
    explicit DesignBytes(int32_t version, const std::function<void(DocState*)>& edit = {});

    DesignBytes& layer(const std::string& name, uint8_t visible = 1, uint8_t active = 1, float height = 96.0f);
    // A closed object whose points lie at (x + 10 i, 0, 5 i); `id` and the point IDs from
    // `id` * 100 on are stored from 10500 on. Groups (1000) carry `groupKind` from 10700 on.
    DesignBytes& object(int16_t type, int points, uint32_t id = 0, float x = 0.0f, int32_t groupKind = 0);
    DesignBytes& tag(int16_t tag);
    // The three floors, each with one triangle, and tag 400.
    DesignBytes& floorsAndEnd();
    Bytes& raw() { return bytes; }
    const std::vector<uint8_t>& data() const { return bytes.data(); }
    // What follows the header and settings block: layers, records and tags.
    std::vector<uint8_t> records() const;

    int32_t version;

private:
    Bytes bytes;
    size_t head = 0;
};

// The settings block (length field and record) of a file version.
std::vector<uint8_t> SettingsBlock(int32_t version, const std::function<void(DocState*)>& edit = {});

// What `write` puts into a fresh output buffer.
std::vector<uint8_t> Written(const std::function<void()>& write);
// Makes the bytes the input, at the version.
void StartInput(const std::vector<uint8_t>& bytes, int32_t version);
// Tag 200 and the record of one object.
std::vector<uint8_t> WrittenObject(Objex* object, int32_t version = 11100);
// An object of the type with four points (the third 30 deep): tag 200, its info and points at 11100.
std::vector<uint8_t> ObjectHead(int16_t type, int32_t subtype = 0);
// A stored font record (LOGFONT layout): height, charset 34 and the face cut to 32 bytes.
Bytes FontRecord(const char* face, int32_t height);
// The object's text record, or null.
const TextData* TextOf(const Objex* o);
// Reads tag 200 and one object from the bytes onto the layer (appended).
Objex* ReadObjectFrom(const std::vector<uint8_t>& bytes, Layer* layer, int32_t version = 11100);
// The two objects store the same record at 11100 (every field, point, record and child).
void ExpectSameObject(const Objex* a, const Objex* b, const std::string& where = "object");
// Index of `pattern` in `bytes` from `from`, or -1.
long Find(const std::vector<uint8_t>& bytes, const std::vector<uint8_t>& pattern, size_t from = 0);
// Up to `n` bytes from `from`.
std::vector<uint8_t> Slice(const std::vector<uint8_t>& bytes, size_t from, size_t n = SIZE_MAX);
// The bytes with the `n` at `at` replaced by `with`.
std::vector<uint8_t> Spliced(const std::vector<uint8_t>& bytes, size_t at, size_t n, const std::vector<uint8_t>& with);

std::vector<uint8_t> ReadWholeFile(const std::string& path);
void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);

// Calls `read(path)` with `path` reading as prefixes of `file`: every length up to
// `every`, then one length in `stride` and the whole file last. No disk is touched.
void ReadPrefixes(const std::vector<uint8_t>& file, const std::string& path,
                  const std::function<void(size_t length)>& read, size_t every = 300, size_t stride = 37);

// Object files of the sibling modelling product, big-endian.
struct StoredPoint {
    float h, v, d;  // as stored: three times the plan value
    int32_t texture1 = 0;
    int32_t texture2 = 0;
};
struct StoredObject {
    int16_t type = 8;
    int16_t rows = 1;
    int32_t pointCount = -1;  // -1: the number of points
    int16_t fillPattern = 0;
    std::vector<StoredPoint> points;
};
// Fill and pen colours of every stored object.
inline constexpr RGBColor kStoredFill{1000, 2000, 3000};
inline constexpr RGBColor kStoredPen{4000, 5000, 6000};
// Version, platform, the settings length as given and the 680-byte settings block.
Bytes ObjectFileHeader(int32_t version, int32_t settingsLength = 680);
// Tag 200 and the record of the object.
void ObjectFileRecord(Bytes& b, const StoredObject& o);

// A document test with a fresh folder for its files and alerts recorded while it runs.
class FileTest : public DocumentTest {
protected:
    explicit FileTest(std::string folder) : folderName(std::move(folder)) {}
    void SetUp() override;
    void TearDown() override;
    // Writes the bytes to `name` in the folder; the path.
    std::string Write(const std::vector<uint8_t>& bytes, const std::string& name = "file");
    Layer* current();
    void ClearCurrentLayer();

    std::string folderName;
    std::string dir;
    RecordingAlerts alerts;
};

}  // namespace dvxtest

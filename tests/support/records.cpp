#include "support/records.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "files/docstate_io.h"
#include "files/object_io.h"
#include "files/object_records.h"
#include "files/streams.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "port/alerts.h"
#include "port/files.h"

namespace dvxtest {

std::vector<uint8_t> Written(const std::function<void()>& write) {
    StartOutputBuffer();
    write();
    std::vector<uint8_t> bytes = gOutDataBuffer;
    ReleaseOutputBuffer();
    return bytes;
}

void StartInput(const std::vector<uint8_t>& bytes, int32_t version) {
    OpenInputBytes(bytes);
    sInputVersion = version;
}

std::vector<uint8_t> WrittenObject(Objex* object, int32_t version) {
    const int32_t saved = sWriteVersion;
    sWriteVersion = version;
    std::vector<uint8_t> bytes = Written([object] { WriteAnObject(object); });
    sWriteVersion = saved;
    return bytes;
}

Objex* ReadObjectFrom(const std::vector<uint8_t>& bytes, Layer* layer, int32_t version) {
    StartInput(bytes, version);
    int16_t tag = 0;
    ReadShort(&tag);
    EXPECT_EQ(tag, 200);
    return ReadAnObject(layer, 1);
}

void ExpectSameObject(const Objex* a, const Objex* b, const std::string& where) {
    ASSERT_TRUE(a && b) << where;
    // Everything a record stores, children, records, parts and profiles included, comes out
    // byte for byte the same.
    EXPECT_EQ(WrittenObject(const_cast<Objex*>(a)), WrittenObject(const_cast<Objex*>(b))) << where;
}


void ReadPrefixes(const std::vector<uint8_t>& file, const std::string& path,
                  const std::function<void(size_t)>& read, size_t every, size_t stride) {
    for (size_t length = 0; length <= file.size(); length += length < every ? 1 : stride) {
        port::ServeFileFromMemory(path, file.data(), length);
        read(length);
        if (::testing::Test::HasFatalFailure()) break;
    }
    port::ServeFileFromMemory(path, file.data(), file.size());
    read(file.size());
    port::ServeFileFromMemory({}, nullptr, 0);
}

std::vector<uint8_t> SettingsBlock(int32_t version, const std::function<void(DocState*)>& edit) {
    DocState* ds = CreateDocState();
    if (edit) edit(ds);
    DocStateVersion layout{};
    EXPECT_TRUE(DocStateVersionOfFile(version, &layout)) << version;
    std::vector<uint8_t> bytes = Written([&] {
        WriteLong(kDocStateLengthField);
        ApplePortWritePaddedDocStateOfVersion(ds, layout);
    });
    DeleteDocState(ds);
    return bytes;
}

DesignBytes::DesignBytes(int32_t v, const std::function<void(DocState*)>& edit) : version(v) {
    bytes.i32(v).i16(2).raw(SettingsBlock(v, edit));
    head = bytes.size();
}

std::vector<uint8_t> DesignBytes::records() const {
    return std::vector<uint8_t>(data().begin() + static_cast<long>(head), data().end());
}

DesignBytes& DesignBytes::layer(const std::string& name, uint8_t visible, uint8_t active, float height) {
    bytes.i16(100).raw(name).zeros(256 - name.size()).u8(visible).u8(active).f32(height);
    return *this;
}

DesignBytes& DesignBytes::object(int16_t type, int points, uint32_t id, float x, int32_t groupKind) {
    const int32_t v = version;
    Bytes& b = bytes;
    b.i16(200).i16(type);
    if (type == 1000 && v >= 10700) b.i32(groupKind);
    b.u8(1).u8(1);
    b.u16(65535).u16(65535).u16(65535).zeros(12);  // fill white, aux and pen black
    b.f32(1.0f).i16(0).i16(0).i16(1).i32(points).u8(0).i16(0);
    b.i32(0).zeros(32).i16(0).f32(0);  // texture, face rectangles, axis, plant age
    if (v >= 10450) {
        b.i32(0).i32(0).i32(0).zeros(12).f32(0).u8(0).i32(0).zeros(6).i32(0).zeros(6).zeros(20);
        b.i32(2).zeros(20).i32(0).i32(0);
    }
    if (v >= 10800) b.i32(0);  // no text
    if (v >= 10500) b.i32(static_cast<int32_t>(id));
    b.i32(points);
    for (int i = 0; i < points; ++i) {
        b.i16(0).u8(0).u8(1).u8(0);
        b.zeros(12).f32(x + 10.0f * static_cast<float>(i)).f32(0).f32(5.0f * static_cast<float>(i)).zeros(24);
        b.i32(0).i32(0).zeros(16).zeros(12);
        if (v >= 10400) b.zeros(4).i32(0).zeros(4).i32(0).i32(0).zeros(8).i32(0).zeros(12);
        if (v >= 10450) b.zeros(8);
        if (v >= 10500) b.i32(static_cast<int32_t>(id * 100 + static_cast<uint32_t>(i)));
    }
    return *this;
}

DesignBytes& DesignBytes::tag(int16_t t) {
    bytes.i16(t);
    return *this;
}

DesignBytes& DesignBytes::floorsAndEnd() {
    layer("First Floor").object(9, 3, 11);
    layer("Second Floor", 1, 0).object(9, 3, 12, 100.0f);
    layer("Third Floor", 1, 0).object(9, 3, 13, 200.0f);
    return tag(400);
}

std::vector<uint8_t> ReadWholeFile(const std::string& path) {
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(port::ReadWholeFile(path, bytes)) << path;
    return bytes;
}

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    ASSERT_TRUE(port::WriteWholeFile(path, bytes.data(), bytes.size())) << path;
}

void FileTest::SetUp() {
    DocumentTest::SetUp();
    dir = FreshTempFolder(folderName);
    port::setAlerts(&alerts);
}

void FileTest::TearDown() {
    port::setAlerts(nullptr);
    DocumentTest::TearDown();
}

std::string FileTest::Write(const std::vector<uint8_t>& bytes, const std::string& name) {
    const std::string path = dir + "/" + name;
    WriteFileBytes(path, bytes);
    return path;
}

Layer* FileTest::current() { return doc->itsCurLayer; }

void FileTest::ClearCurrentLayer() {
    while (current()->firstObject) DeleteObj(current()->firstObject);
}

Bytes ObjectFileHeader(int32_t version, int32_t settingsLength) {
    Bytes b;
    b.i32(version).i16(2).i32(settingsLength).zeros(680);
    return b;
}

void ObjectFileRecord(Bytes& b, const StoredObject& o) {
    const int32_t count = static_cast<int32_t>(o.points.size());
    auto color = [&b](const RGBColor& c) { b.u16(c.red).u16(c.green).u16(c.blue); };
    b.i16(200).i16(o.type).u8(1).u8(1);
    color(kStoredFill);
    color(RGBColor{7, 8, 9});
    color(kStoredPen);
    b.f32(2.0f).i16(1).i16(o.fillPattern).i16(o.rows).i32(o.pointCount < 0 ? count : o.pointCount);
    b.u8(1).i16(0).i32(0);
    for (int i = 0; i < 8; ++i) b.lef32(static_cast<float>(i));
    b.i16(2).i32(count);
    for (const StoredPoint& p : o.points) {
        b.i16(0).u8(0).u8(1).u8(0);
        b.f32(3.0f).f32(6.0f).f32(9.0f);  // in-tangent
        b.f32(p.h).f32(p.v).f32(p.d);
        b.f32(-3.0f).f32(0.0f).f32(30.0f);  // out-tangent
        b.f32(0.0f).f32(0.0f).f32(0.0f);
        b.i32(p.texture1).i32(p.texture2);
        b.f32(0.5f).f32(0.25f).f32(0.0f).f32(0.0f);
    }
}

std::vector<uint8_t> ObjectHead(int16_t type, int32_t subtype) {
    Objex* o = Make(type, subtype).line(4);
    PointAt(o, 2)->position[2] = 30;
    auto bytes = Written([o] { WriteShort(200); WriteObjectInfo(o); WriteObjectPoints(o); });
    DeleteObj(o);
    return bytes;
}

Bytes FontRecord(const char* face, int32_t height) {
    Bytes b;
    b.le16(static_cast<uint16_t>(height)).le16(static_cast<uint16_t>(height >> 16)).zeros(16);
    b.u8(0).u8(0).u8(0).u8(0).u8(0).u8(0).u8(0).u8(34);
    std::string name(face);
    name.resize(32, '\0');
    return b.raw(name);
}

const TextData* TextOf(const Objex* o) {
    return o && o->typeData.kind == TypeDataKind::Text ? o->typeData.text : nullptr;
}

}  // namespace dvxtest

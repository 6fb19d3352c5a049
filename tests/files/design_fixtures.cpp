#include "files/design_fixtures.h"

#include <gtest/gtest.h>

#include "files/docstate_io.h"
#include "files/streams.h"
#include "model/docstate.h"
#include "model/deletion.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "port/alerts.h"
#include "port/files.h"

namespace dvxtest {

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

int CountTree(const Objex* head) {
    int n = 0;
    for (const Objex* o = head; o; o = o->next) n += 1 + CountTree(o->firstChild);
    return n;
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

}  // namespace dvxtest

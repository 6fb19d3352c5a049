#include "support/result_builder.h"

#include "files/streams.h"
#include "port/files.h"
#include "powertools/core/exchange_writer.h"

namespace dvxtest {

namespace {

// What one of the writer's steps puts into the output buffer.
template <typename Step>
std::vector<uint8_t> Captured(int32_t version, Step&& step) {
    const int32_t before = sPlugInWriteVersion;
    sPlugInWriteVersion = version;
    StartOutputBuffer();
    step();
    std::vector<uint8_t> out = gOutDataBuffer;
    StartOutputBuffer();
    sPlugInWriteVersion = before;
    return out;
}

}  // namespace

ResultBuilder::ResultBuilder(int32_t tool, int32_t version) : version_(version) {
    bytes_.le32(static_cast<uint32_t>(tool)).le32(static_cast<uint32_t>(version)).le16(2);
}

ResultBuilder& ResultBuilder::object(Objex* o) {
    bytes_.raw(Captured(version_, [o] { WriteAPlugInObject(o); }));
    return *this;
}

ResultBuilder& ResultBuilder::record(Objex* o, const Bytes& typeData) {
    bytes_.le16(300).raw(Captured(version_, [o] {
        WritePlugInObjectInfo(o);
        WritePlugInObjectPoints(o);
    }));
    bytes_.raw(typeData.data());
    return *this;
}

ResultBuilder& ResultBuilder::token(int16_t t) {
    bytes_.le16(static_cast<uint16_t>(t));
    return *this;
}

ResultBuilder& ResultBuilder::floorName(const std::string& name) {
    bytes_.le16(308).le32(static_cast<uint32_t>(name.size())).raw(name);
    return *this;
}

ResultBuilder& ResultBuilder::replace(uint32_t id) {
    bytes_.le16(309).le32(id);
    return *this;
}

ResultBuilder& ResultBuilder::replaceHere(uint32_t id) {
    bytes_.le16(310).le32(id);
    return *this;
}

ResultBuilder& ResultBuilder::end() { return token(500); }

ResultBuilder& ResultBuilder::block(const std::string& data) {
    bytes_.le16(600).le32(static_cast<uint32_t>(data.size())).raw(data).le16(601);
    return *this;
}

ResultBuilder& ResultBuilder::raw(const Bytes& b) {
    bytes_.raw(b.data());
    return *this;
}

std::string ResultBuilder::save(const std::string& path) const {
    WriteFileBytes(path, data());
    return path;
}

}  // namespace dvxtest

#include "object_file_writer.h"

#include <cstdio>

#include "files/object_files.h"
#include "files/object_records.h"
#include "files/streams.h"
#include "output.h"

namespace contentgen {

namespace {

constexpr int32_t kVersion = 10000;
constexpr int16_t kPlatform = 2;
constexpr int16_t kObjectTag = 200, kEndTag = 400;
constexpr int16_t kImportedObject = 15;
constexpr float kStoredScale = 3.0f;

void WriteTriple(double h, double v, double d) {
    WriteFloat(float(h) * kStoredScale);
    WriteFloat(float(v) * kStoredScale);
    WriteFloat(float(d) * kStoredScale);
}

void WriteSolid(const Solid& s, double k) {
    int32_t count = 0;
    for (const auto& row : s.rows) count += int32_t(row.size());
    const RGBColor pen{uint16_t(s.colour.red / 2), uint16_t(s.colour.green / 2), uint16_t(s.colour.blue / 2)};
    WriteShort(kObjectTag);
    WriteShort(kImportedObject);
    const uint8_t closedAndVisible[2] = {1, 1};
    WriteSome(closedAndVisible, 2);
    WriteColor(s.colour);
    WriteColor(s.colour);
    WriteColor(pen);
    WriteFloat(1.0f);                 // pen width
    WriteShort(6);                    // pen style
    WriteShort(0);                    // fill pattern
    WriteShort(int16_t(s.rows.size()));
    WriteLong(count);
    const uint8_t shown = 1;          // flag A: built in 3D
    WriteSome(&shown, 1);
    WriteShort(0);                    // elevation mode
    WriteTextureID(0);
    const FloatRect none{};
    WriteStdRect(none);
    WriteStdRect(none);
    WriteShort(0);                    // face axis
    WriteLong(count);
    for (const auto& row : s.rows) {
        for (const Vec3& p : row) {
            WriteShort(1);            // an ordinary point
            const uint8_t flags[3] = {0, 1, 0};  // not selected, detectable, not locked
            WriteSome(flags, 3);
            WriteTriple(0, 0, 0);
            WriteTriple(p.x * k, -p.y * k, p.z * k);
            WriteTriple(0, 0, 0);
            WriteTriple(0, 0, 0);
            WriteTextureID(0);
            WriteTextureID(0);
            for (int i = 0; i < 4; ++i) WriteFloat(0.0f);  // texture u, v, row length and perimeter
        }
    }
}

}  // namespace

bool WriteObjectFile(const std::string& path, const std::vector<Solid>& solids) {
    const size_t slash = path.rfind('/');
    if (slash != std::string::npos && !MakeFolders(path.substr(0, slash))) return false;
    const double k = UnitsPerInch();
    StartOutputBuffer();
    WriteLong(kVersion);
    WriteShort(kPlatform);
    WriteLong(int32_t(kOBJDocStateLength));
    const std::vector<uint8_t> settings(kOBJDocStateLength, 0);
    WriteSome(settings.data(), uint32_t(settings.size()));
    for (const Solid& s : solids) WriteSolid(s, k);
    WriteShort(kEndTag);
    const bool written = FlushOutputBufferToFile(path, port::Durability::Scratch);
    ReleaseOutputBuffer();
    if (!written) std::fprintf(stderr, "dvx_contentgen: cannot write %s\n", path.c_str());
    return written;
}

}  // namespace contentgen

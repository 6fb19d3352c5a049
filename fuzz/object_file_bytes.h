#pragma once
// An object file laid out field by field (nothing in the program writes one): header,
// settings length and block (passed over by the reader), a layer record (passed over),
// `objects` objects of three points with coordinates at three times their value, end tag.
// Written into the stream output buffer.
#include "files/object_records.h"
#include "files/streams.h"

#include <cstdint>
#include <vector>

namespace fuzz {

inline void WriteObjectFile(int32_t version, int objects) {
    const std::vector<uint8_t> zeros(680);
    WriteLong(version);
    WriteShort(2);
    WriteLong(680);
    WriteSome(zeros.data(), 680);
    WriteShort(100);
    WriteSome(zeros.data(), 262);
    for (int n = 0; n < objects; ++n) {
        WriteShort(200);
        WriteShort(n == 1 ? 158 : 10);  // type (158: a solid that keeps its pattern)
        WriteSome("\1\1", 2);           // closed, visible
        for (int c = 0; c < 9; ++c) WriteUShort(static_cast<uint16_t>(c * 7000));  // fill, aux, pen
        WriteFloat(1);  // pen width
        WriteShort(6);  // pen style
        WriteShort(2);  // fill pattern
        WriteShort(1);  // rows
        WriteLong(3);   // point count (not trusted)
        WriteSome("\0", 1);
        WriteShort(0);  // elevation mode
        WriteTextureID(n == 2 ? 850 : 0);
        for (int f = 0; f < 8; ++f) WriteStdFloat(static_cast<float>(f));  // texture face rects
        WriteShort(0);                                                      // face axis
        WriteLong(3);
        for (int p = 0; p < 3; ++p) {
            WriteShort(1);
            WriteSome("\1\1\0", 3);
            // In, position, out and across; only the position is set.
            for (int t = 0; t < 12; ++t) WriteFloat(t >= 3 && t < 6 ? 30.0f * (p + n) + 3.0f * t : 0.0f);
            WriteTextureID(0);
            WriteTextureID(0);
            for (int f = 0; f < 4; ++f) WriteFloat(0);
        }
    }
    WriteShort(400);
}

}  // namespace fuzz

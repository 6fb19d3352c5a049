// Texture IDs in files: standard IDs as they are, custom textures by their path.
#include <cstring>
#include <string>

#include "files/object_records.h"
#include "files/streams.h"
#include "files/custom_textures.h"

namespace {

constexpr int32_t kStoredPathMarker = -1;

using LongWriter = void (*)(int32_t);
using LongReader = bool (*)(int32_t*);

void WriteID(int32_t textureID, LongWriter writeLong) {
    // A bare -1 would read as the path marker and take the next field for a length; it
    // names no texture, so it goes out as an empty path.
    if (textureID < kFirstCustomTextureID && textureID != kStoredPathMarker) {
        writeLong(textureID);
        return;
    }
    writeLong(kStoredPathMarker);
    const char* path = GetCustomTextureIDPath(textureID);
    const size_t length = path ? std::strlen(path) : 0;
    writeLong(static_cast<int32_t>(length));
    if (length > 0) WriteSome(path, static_cast<uint32_t>(length));
}

int32_t ReadID(LongReader readLong) {
    int32_t textureID = 0;
    if (!readLong(&textureID)) return 0;
    if (textureID != kStoredPathMarker) return textureID;
    int32_t length = 0;
    readLong(&length);
    if (length <= 0) return 0;
    // The bytes are taken whatever becomes of them, so the record stays in step.
    std::string path;
    if (!ReadStoredString(length, &path)) return 0;
    return NewCustomTextureID(path.data());
}

}  // namespace

void WriteTextureID(int32_t textureID) { WriteID(textureID, WriteLong); }
int32_t ReadTextureID() { return ReadID(ReadLong); }
void WriteStdTextureID(int32_t textureID) { WriteID(textureID, WriteStdLong); }
int32_t ReadStdTextureID() { return ReadID(ReadStdLong); }

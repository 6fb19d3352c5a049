#include "render/texture_load.h"

#include <memory>
#include <new>
#include <string>
#include <unordered_set>

#include <GL/glu.h>

#include "files/content_folders.h"
#include "files/palettes.h"
#include "files/windows_records.h"
#include "port/files.h"
#include "port/seam.h"
#include "files/custom_textures.h"
#include "render/core/live_view_host.h"
#include "files/texture_files.h"
#include "render/core/texture_pixels.h"
#include "render/gl.h"
#include "render/gl_surface.h"

namespace {

constexpr int32_t kFirstStockID = 1;
constexpr int32_t kLastStockID = 14999;
// IDs that load nothing; the renderer's own textures live here.
constexpr GLuint kFirstUnloadedID = 15000;
constexpr GLuint kLastUnloadedID = 19999;
// Custom images are scaled to this square unless they already are one.
constexpr int32_t kCustomSide = 512;

// IDs whose load failed in this frame (a missing file is searched once, not once per face).
std::unordered_set<int32_t> sFailedThisFrame;
const port::GlobalReset kReset([] { sFailedThisFrame.clear(); });

bool IsStock(int32_t id) { return id >= kFirstStockID && id <= kLastStockID; }

// Sets both pixel-store alignments to 1 and puts the old ones back when it goes.
class TightPixelRows {
public:
    TightPixelRows() {
        glGetIntegerv(GL_UNPACK_ALIGNMENT, &unpack_);
        glGetIntegerv(GL_PACK_ALIGNMENT, &pack_);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
    }
    ~TightPixelRows() {
        glPixelStorei(GL_UNPACK_ALIGNMENT, unpack_);
        glPixelStorei(GL_PACK_ALIGNMENT, pack_);
    }
    TightPixelRows(const TightPixelRows&) = delete;
    TightPixelRows& operator=(const TightPixelRows&) = delete;

private:
    GLint unpack_ = 4, pack_ = 4;
};

// Uploads level 0 of texture `id` with the settings every texture by ID has. An image the
// context refuses (too large) leaves no texture behind, so the next frame may try again.
bool Upload(int32_t id, GLint components, GLenum format, int32_t width, int32_t height, const uint8_t* pixels) {
    const GLuint name = static_cast<GLuint>(id);
    glBindTexture(GL_TEXTURE_2D, name);
    {
        TightPixelRows rows;
        glTexImage2D(GL_TEXTURE_2D, 0, components, width, height, 0, format, GL_UNSIGNED_BYTE, pixels);
    }
    GLint stored = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &stored);
    if (stored != width) {
        glDeleteTextures(1, &name);
        return false;
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    return true;
}

// A scaled copy of an RGBA image, 512 x 512; empty when memory runs out or GLU refuses.
std::vector<uint8_t> ScaleToCustomSide(const std::vector<uint8_t>& rgba, int32_t width, int32_t height) {
    std::vector<uint8_t> scaled;
    try {
        scaled.resize(static_cast<size_t>(kCustomSide) * kCustomSide * 4);
    } catch (const std::bad_alloc&) {
        return {};
    }
    TightPixelRows rows;
    if (gluScaleImage(GL_RGBA, width, height, GL_UNSIGNED_BYTE, rgba.data(), kCustomSide, kCustomSide,
                      GL_UNSIGNED_BYTE, scaled.data()) != 0)
        return {};
    return scaled;
}

bool LoadByRange(int32_t id) {
    if (IsStock(id)) return LoadGLTexture(id);
    const char* path = GetCustomTextureIDPath(id);
    return path && LoadGLCustomTexture(id, path);
}

}  // namespace

bool LoadGLTexture(int32_t textureID) {
    if (!IsStock(textureID)) return false;
    const std::string folder = LocalDomainTexturePath();
    char name[kTexturePathBufferSize] = {};
    GetTextureFileNameFromID(textureID, name);
    if (folder.empty() || !name[0]) return false;
    const std::string path = folder + "/" + name;
    if (path.size() >= static_cast<size_t>(kTexturePathBufferSize)) return false;
    const std::unique_ptr<DIBImage> image = LoadGLDIBImage(path.c_str());
    if (!image) return false;
    return Upload(textureID, 3, GL_RGB, image->width, image->height, image->pixels.data());
}

bool LoadGLCustomTexture(int32_t textureID, const char* path) {
    if (textureID < kFirstCustomTextureID || !path || !*path) return false;
    const std::string folder = LocalDomainCustomTexturePath();
    if (folder.empty()) return false;
    const std::string full = SharedFile(port::JoinPath(folder, path));
    if (full.size() >= static_cast<size_t>(kTexturePathBufferSize)) return false;
    const std::unique_ptr<DIBImage> image = LoadGLDIBImage(full.c_str());
    if (!image) return false;

    int32_t width = image->width, height = image->height;
    std::vector<uint8_t> rgba = ConvertTextureToRGBACustom(image->pixels.data(), 1.0f, width, height);
    if (rgba.empty()) return false;
    std::vector<uint8_t>().swap(image->pixels);
    if (width != kCustomSide || height != kCustomSide) {
        FrameImage(rgba.data(), width, height);
        rgba = ScaleToCustomSide(rgba, width, height);
        if (rgba.empty()) return false;
        width = height = kCustomSide;
    }
    if (LoadCustomTextureAlpha(textureID)) SetTextureAlphaCustom(rgba.data(), 0.0f, width, height);
    return Upload(textureID, 4, GL_RGBA, width, height, rgba.data());
}

bool BindGLTexture(int32_t textureID) {
    int32_t id = textureID;
    if (IsTextureAPalette(id)) id = GetPaletteTextureID(id);
    const bool named = IsStock(id) || id >= kFirstCustomTextureID;
    bool present = named && glIsTexture(static_cast<GLuint>(id));
    if (named && !present && !sFailedThisFrame.contains(id)) {
        present = LoadByRange(id);
        if (!present) sFailedThisFrame.insert(id);
    }
    if (!present) {
        glDisable(GL_TEXTURE_2D);
        return false;
    }
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(id));
    return true;
}

void StartTextureFrame() { sFailedThisFrame.clear(); }

uint32_t NewRendererTextureName() {
    for (GLuint name = kFirstUnloadedID; name <= kLastUnloadedID; ++name)
        if (!glIsTexture(name)) return name;
    return 0;
}

void DeleteTexturesByID(const std::vector<int32_t>& textureIDs) {
    // A document closes whatever context is current; its textures live in the live view's.
    if (LiveViewHost* host = CurrentLiveViewHost())
        if (GLSurface* surface = host->surface(); surface && !surface->makeCurrent()) return;
    std::vector<GLuint> names;
    names.reserve(textureIDs.size());
    for (int32_t id : textureIDs) {
        sFailedThisFrame.erase(id);
        // Stock textures stay for the life of the context.
        if (id >= kFirstCustomTextureID) names.push_back(static_cast<GLuint>(id));
    }
    if (!names.empty()) glDeleteTextures(static_cast<GLsizei>(names.size()), names.data());
}

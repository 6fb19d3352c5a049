#pragma once
// Textures by ID in the current GL context. The GL texture name of a texture is its ID, so the
// context is the cache: a texture is loaded the first time it is bound and stays, stock ones
// for the life of the context, custom ones (20000 and up) until the document's custom textures
// are flushed (DeleteGLTextures). BindGLTexture is the only way in: a second loader of the same
// ID would lose to whichever came first.
#include <cstdint>
#include <vector>

// Loads a stock texture (1-14999) from the stock folder as RGB, repeated and linearly
// filtered. False, and no texture, for other IDs or when no image can be found or decoded.
bool LoadGLTexture(int32_t textureID);

// Loads a custom texture (20000 and up) from `path` below the custom texture folder as RGBA:
// an image that is not 512 x 512 gets a transparent one-pixel frame and is scaled to
// 512 x 512; its black pixels turn transparent when its info file asks. False, and no texture,
// for smaller IDs, a null or empty path, or when the image cannot be had.
bool LoadGLCustomTexture(int32_t textureID, const char* path);

// What every renderer calls to draw with a texture ID: a palette link is resolved to its
// entry's texture, a texture not yet in the context is loaded, then GL_TEXTURE_2D is enabled
// and the texture bound. False, with GL_TEXTURE_2D disabled and the binding left alone, for an
// ID that names no texture (0, 15000-19999, an unlisted custom ID) or whose image is missing.
// A missing image is looked for once per frame, whatever the number of faces that use it.
bool BindGLTexture(int32_t textureID);

// A frame starts: textures that failed to load are looked for again at their next bind.
void StartTextureFrame();

// The renderer's own textures (buffers, not images) take names no texture ID loads
// (15000-19999), so they never stand in for a texture by ID. 0 when all are taken.
uint32_t NewRendererTextureName();

// Deletes the GL textures of the given custom IDs in one call, in the live view's context when
// it has one, else in the current one (the DeleteGLTextures seam's handler).
void DeleteTexturesByID(const std::vector<int32_t>& textureIDs);

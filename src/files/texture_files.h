#pragma once
// Where texture files and their info files are, by texture ID: stock textures (1-14999) by a
// fixed table of ID ranges, custom textures (20000 and up) by the path the document lists.
// Info files are INI-style ("Size": "Width" and "Height", in inches per image repeat).
#include <cstdint>
#include <memory>

struct DIBImage;

// Callers hand in path buffers of this size.
inline constexpr int kTexturePathBufferSize = 512;

// The image shown where a texture's own file cannot be found, in the custom texture folder
// (its letter case on disk does not matter).
inline constexpr const char* kPlaceholderTextureName = "na.ptx";

// The image of a stock ID relative to the stock folder: the table's folder, "/", prefix,
// number and ".PTX"; the wire-frame plant images (14060-14071) "WIREPLANTS/Wire....ptx". An ID
// without a row empties the buffer; IDs outside 1-14999 or a null buffer write nothing, so
// callers clear the buffer first.
void GetTextureFileNameFromID(int32_t textureID, char* name);

// The wire-frame image ID (14060-14071) drawn for a plant texture ID; 14060 (a tree) for
// every ID of 1-14999 that no other plant group claims, 0 outside.
int32_t GetWireFramePlantTextureIDNameFromID(int32_t textureID);

// The info file of a stock ID: the stock folder (the shared plant folder for IDs 3000-13023),
// "/", then the table's folder, "/", prefix, number and ".PTI". An ID without a row, and the
// wire-frame plant images (14060-14071), leave the folder and "/" alone. IDs outside 1-14999
// or a null buffer write nothing; a folder that cannot be found leaves the buffer empty.
void GetTextureInfoFileNameFromID(int32_t textureID, char* path);

// The info file of a custom ID: the custom texture folder, "/", the listed path with its last
// three characters turned into "PTI". 1 when written; 0 with only the folder and "/" when the
// document lists no such ID (or the path would not fit). IDs below 20000 or a null buffer
// write nothing.
int32_t GetCustomTextureInfoFileNameFromID(int32_t textureID, char* path);

// The part after the last "\" or "/" (the whole string without one); null for null or "".
const char* SetPathPtrToFilename(const char* path);

// When the path (in a 512-byte buffer) is Windows-style or names no file, and the content
// folder holds a file of the same name, the buffer takes that file's path. Else unchanged.
void Validate512Pathname(char* path);

// True when the file at `path` (a 512-byte buffer) can be opened as it stands. Otherwise, with
// `searchContent`, the buffer takes the content folder's file of the same name and the answer
// is whether that exists (the buffer stays when it does not); without it but with
// `substituteMissing`, the buffer takes the placeholder's path and the answer is false.
bool VerifyOrFindFile(char* path, bool searchContent, bool substituteMissing);

// The image at `path`, else the content folder's file of the same name, else the placeholder;
// null when none of them exists or the one found cannot be decoded.
std::unique_ptr<DIBImage> LoadGLDIBImage(const char* path);

// The "Size" of a stock texture (a palette link is resolved first): both outputs become
// "Width" and "Height" of its info file, 100 for a missing file or key; returns the height.
// Other IDs or null outputs leave the outputs alone and give -1.
int32_t LoadTextureWH(int32_t textureID, int32_t* width, int32_t* height);

// The "Size" of a custom texture (a palette link is resolved first): both outputs become
// "Width" and "Height" of its info file, -1 for a missing key; returns the height. Other IDs
// or null outputs leave the outputs alone and give -1.
int32_t LoadCustomTextureWH(int32_t textureID, int32_t* width, int32_t* height);

// Stores a custom texture's "Size" (its info file, as LoadCustomTextureWH reads it) as the
// scales of every door and window trim and every skylight texture that uses it, over the
// top-level objects of every layer; sizes beyond the 16-bit scale fields are clamped.
void UpdateAllAttachmentsCustomTextureWH(int32_t textureID);

// True when a custom texture's info file asks for its black pixels to be transparent
// ("Opacity": "Alpha" not 0); true for every ID below 20000.
bool LoadCustomTextureAlpha(int32_t textureID);

// How often a texture repeats across a face `faceWidth` by `faceHeight` plan units (unzoomed)
// wide: the face over the texture's "Size" in plan units, the vertical factor negative since
// image rows run against the face's vertical axis. Both start at 1.0; a custom texture
// starts at (1.0, -1.0) and keeps a factor whose size it does not give. A palette link is
// resolved first; other IDs, or no document, keep (1.0, 1.0). Nothing for a null output.
void ComputeTextureScale(int32_t textureID, float faceWidth, float faceHeight, float* scaleH, float* scaleV);

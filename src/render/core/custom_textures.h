#pragma once
// Custom textures (IDs 20000 and up) listed by the current document, keyed by path.
#include <cstdint>

struct CustomTextureIDList {
    CustomTextureIDList* prev = nullptr;
    int32_t textureID = 0;     // also the renderer's texture name
    char* path = nullptr;      // owned
    CustomTextureIDList* next = nullptr;
};

inline constexpr int32_t kFirstCustomTextureID = 20000;

// Program-wide next custom texture ID; IDs are not reused during a run.
extern int32_t gCurrentPhotoTextureID;

// The ID of a custom texture path, registering it when new. Backslashes in `path` become
// slashes in place; paths match ignoring case. 0 for a null path.
int32_t NewCustomTextureID(char* path);
// Appends an entry (a palette link is first resolved); nothing without a current document.
void AddCustomTextureID(int32_t textureID, const char* path);
// The path listed for a custom ID (a palette link is first resolved), or null.
const char* GetCustomTextureIDPath(int32_t textureID);
// The ID listed for a path (exact match), or 0.
int32_t IsTexturePathLoaded(const char* path);

// Deletes the renderer's textures of every listed ID of the current document.
void DeleteAllCachedCustomTextures();
// That, then frees every entry of the current document's list.
void DeleteCustomTextureList();
// The same on a given list head (used by a model that is not current).
void DeleteAllCachedCustomTextures(CustomTextureIDList* head);
void DeleteCustomTextureList(CustomTextureIDList*& head);

#pragma once
// The current document's list of custom textures (IDs 20000 and up) and the program-wide next
// ID; files/custom_textures.h finds and registers paths in it.
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

// Deletes the renderer's textures of every listed ID of the current document.
void DeleteAllCachedCustomTextures();
// That, then frees every entry of the current document's list.
void DeleteCustomTextureList();
// The same on a given list head (used by a model that is not current).
void DeleteAllCachedCustomTextures(CustomTextureIDList* head);
void DeleteCustomTextureList(CustomTextureIDList*& head);

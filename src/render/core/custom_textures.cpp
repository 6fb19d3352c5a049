#include "render/core/custom_textures.h"

#include <cstring>
#include <new>
#include <strings.h>
#include <vector>

#include "files/palettes.h"
#include "model/document_model.h"
#include "model/type_data.h"
#include "port/seam.h"
#include "render/core/texture_seams.h"

int32_t gCurrentPhotoTextureID = kFirstCustomTextureID;
static const port::GlobalReset kReset([] { gCurrentPhotoTextureID = kFirstCustomTextureID; });

namespace {

CustomTextureIDList* CurrentList() {
    return gCurDocument ? gCurDocument->itsCustomTextureList : nullptr;
}

}  // namespace

int32_t NewCustomTextureID(char* path) {
    if (!path) return 0;
    for (char* c = path; *c; ++c)
        if (*c == '\\') *c = '/';
    for (CustomTextureIDList* e = CurrentList(); e; e = e->next)
        if (e->path && strcasecmp(e->path, path) == 0) return e->textureID;
    const int32_t id = gCurrentPhotoTextureID;
    AddCustomTextureID(id, path);
    ++gCurrentPhotoTextureID;
    return id;
}

void AddCustomTextureID(int32_t textureID, const char* path) {
    if (!gCurDocument) return;
    if (IsTextureAPalette(textureID)) textureID = GetPaletteTextureID(textureID);
    CustomTextureIDList* e = new (std::nothrow) CustomTextureIDList{};
    if (!e) return;
    e->textureID = textureID;
    e->path = CopyString(path);
    CustomTextureIDList** link = &gCurDocument->itsCustomTextureList;
    CustomTextureIDList* tail = nullptr;
    while (*link) {
        tail = *link;
        link = &tail->next;
    }
    e->prev = tail;
    *link = e;
}

const char* GetCustomTextureIDPath(int32_t textureID) {
    if (IsTextureAPalette(textureID)) textureID = GetPaletteTextureID(textureID);
    for (CustomTextureIDList* e = CurrentList(); e; e = e->next)
        if (e->textureID == textureID) return e->path;
    return nullptr;
}

int32_t IsTexturePathLoaded(const char* path) {
    if (!path) return 0;
    for (CustomTextureIDList* e = CurrentList(); e; e = e->next)
        if (e->path && std::strcmp(e->path, path) == 0) return e->textureID;
    return 0;
}

void DeleteAllCachedCustomTextures(CustomTextureIDList* head) {
    std::vector<int32_t> ids;
    for (CustomTextureIDList* e = head; e; e = e->next) ids.push_back(e->textureID);
    if (!ids.empty()) DeleteGLTextures(ids);
}

void DeleteCustomTextureList(CustomTextureIDList*& head) {
    DeleteAllCachedCustomTextures(head);
    CustomTextureIDList* e = head;
    head = nullptr;
    while (e) {
        CustomTextureIDList* next = e->next;
        FreeString(e->path);
        delete e;
        e = next;
    }
}

void DeleteAllCachedCustomTextures() {
    DeleteAllCachedCustomTextures(CurrentList());
}

void DeleteCustomTextureList() {
    if (gCurDocument) DeleteCustomTextureList(gCurDocument->itsCustomTextureList);
}

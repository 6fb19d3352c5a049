#include "files/custom_textures.h"

#include <cstring>
#include <new>
#include <strings.h>

#include "files/palettes.h"
#include "model/document_model.h"
#include "model/type_data.h"

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

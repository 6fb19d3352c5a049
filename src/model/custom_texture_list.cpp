#include "model/custom_texture_list.h"

#include <vector>

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

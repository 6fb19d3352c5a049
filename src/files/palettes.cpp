#include "files/palettes.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "model/document_model.h"
#include "model/type_data.h"
#include "render/core/custom_textures.h"

namespace {

constexpr int32_t kFirstLink = -1001;
constexpr int32_t kLastLink = -1999;

void FreeEntries(DocPaletteList* palette) {
    PaletteList* e = palette->firstEntry;
    palette->firstEntry = nullptr;
    while (e) {
        PaletteList* next = e->next;
        FreeString(e->path);
        FreeString(e->name);
        delete e;
        e = next;
    }
}

}  // namespace

void FreeDocPalette(DocPaletteList* palette) {
    if (!palette) return;
    FreeEntries(palette);
    delete palette;
}

PaletteList* AddPaletteListEntry(DocPaletteList* palette, int32_t refID) {
    if (!palette) return nullptr;
    PaletteList* e = new (std::nothrow) PaletteList{};
    if (!e) return nullptr;
    e->refID = refID;
    e->textureScale[0] = e->textureScale[1] = 100;
    for (int i = 0; i < 3; ++i) e->secondColor[i] = e->color[i] = 255;
    PaletteList** link = &palette->firstEntry;
    PaletteList* tail = nullptr;
    while (*link) {
        tail = *link;
        link = &tail->next;
    }
    e->prev = tail;
    *link = e;
    return e;
}

DocPaletteList* AddNewDocPaletteList() {
    if (!gCurDocument) return nullptr;
    DocPaletteList* p = new (std::nothrow) DocPaletteList{};
    if (!p) return nullptr;
    std::snprintf(p->name, sizeof p->name, "%s", "Default Palette");
    for (int g = 0; g < gTotalPaletteSections; ++g)
        std::snprintf(p->groupNames[g], sizeof p->groupNames[g], "%s %d", "Group", g + 1);
    // Build the whole entry list first so a failure leaves the document's list untouched.
    for (int32_t r = 1; r <= gTotalPaletteEntries; ++r) {
        if (!AddPaletteListEntry(p, r)) {
            FreeDocPalette(p);
            return nullptr;
        }
    }
    DocPaletteList** link = &gCurDocument->itsPaletteList;
    DocPaletteList* tail = nullptr;
    while (*link) {
        tail = *link;
        link = &tail->next;
    }
    p->prev = tail;
    *link = p;
    return p;
}

void DeleteDocPalette(DocPaletteList* palette) {
    if (!palette || !gCurDocument) return;
    if (palette->prev) palette->prev->next = palette->next;
    else if (gCurDocument->itsPaletteList == palette) gCurDocument->itsPaletteList = palette->next;
    if (palette->next) palette->next->prev = palette->prev;
    FreeDocPalette(palette);
}

void DeleteAllDocPalettes() {
    if (!gCurDocument) return;
    while (gCurDocument->itsPaletteList) DeleteDocPalette(gCurDocument->itsPaletteList);
}

DocPaletteList* GetActiveDocPaletteList() {
    if (!gCurDocument) return nullptr;
    for (DocPaletteList* p = gCurDocument->itsPaletteList; p; p = p->next)
        if (p->active) return p;
    return nullptr;
}

PaletteList* GetCurrentPaletteList() {
    DocPaletteList* p = GetActiveDocPaletteList();
    return p ? p->firstEntry : nullptr;
}

PaletteList* GetPaletteEntryFromRefID(int32_t refID) {
    for (PaletteList* e = GetCurrentPaletteList(); e; e = e->next)
        if (e->refID == refID) return e;
    return nullptr;
}

int IsTextureAPalette(int32_t textureID) {
    return textureID <= kFirstLink && textureID >= kLastLink ? 1 : 0;
}

int32_t GetPaletteTextureID(int32_t textureID) {
    if (!IsTextureAPalette(textureID)) return textureID;
    PaletteList* e = GetPaletteEntryFromRefID(std::abs(textureID + 1000));
    if (!e) return 0;
    if (e->kind == kPaletteTexture) return e->textureID;
    if (e->kind == kPaletteCustomTexture) return NewCustomTextureID(e->path);
    return 0;
}

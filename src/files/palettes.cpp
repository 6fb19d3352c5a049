#include "files/palettes.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "app/core/localization_seams.h"
#include "files/palette_internal.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/type_data.h"
#include "files/custom_textures.h"

namespace {

constexpr int32_t kFirstLink = -1001;
constexpr int32_t kLastLink = -1999;
constexpr uint16_t kWhite = 255;

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

// A new unlinked entry with the defaults; null when memory runs out.
PaletteList* NewEntry(int32_t refID) {
    PaletteList* e = new (std::nothrow) PaletteList{};
    if (!e) return nullptr;
    e->refID = refID;
    e->textureScale[0] = e->textureScale[1] = 100;
    for (int i = 0; i < 3; ++i) e->secondColor[i] = e->color[i] = kWhite;
    return e;
}

}  // namespace

namespace palette_detail {

PaletteList* EntryOf(const DocPaletteList* palette, int32_t refID) {
    if (!palette) return nullptr;
    for (PaletteList* e = palette->firstEntry; e; e = e->next)
        if (e->refID == refID) return e;
    return nullptr;
}

char* OwnedCopy(const char* s) {
    return s && *s ? CopyString(s, 10) : nullptr;
}

void SetField(char* field, size_t size, const char* s) {
    if (!field || size == 0) return;
    const size_t n = s ? strnlen(s, size - 1) : 0;
    if (n) std::memmove(field, s, n);
    field[n] = 0;
}

DocPaletteList* NewPaletteRecord(const char* name, uint8_t groupFlag) {
    DocPaletteList* p = new (std::nothrow) DocPaletteList{};
    if (!p) return nullptr;
    SetField(p->name, sizeof p->name, name);
    const std::string group = LocalizedString("Group");
    for (int g = 0; g < gTotalPaletteSections; ++g) {
        std::snprintf(p->groupNames[g], sizeof p->groupNames[g], "%s %d", group.c_str(), g + 1);
        p->groupFlags[g] = groupFlag;
    }
    // Linked at a kept tail: every document, read and paste makes one of these.
    PaletteList* tail = nullptr;
    for (int32_t r = 1; r <= gTotalPaletteEntries; ++r) {
        PaletteList* e = NewEntry(r);
        if (!e) {
            FreeDocPalette(p);
            return nullptr;
        }
        e->prev = tail;
        (tail ? tail->next : p->firstEntry) = e;
        tail = e;
    }
    return p;
}

int32_t EntryTextureID(const PaletteList* e) {
    if (!e) return 0;
    if (e->kind == kPaletteTexture) return e->textureID;
    if (e->kind != kPaletteCustomTexture || !e->path) return 0;
    // Registering rewrites backslashes in place; the entry's own path stays as stored.
    std::vector<char> copy(e->path, e->path + std::strlen(e->path) + 1);
    return NewCustomTextureID(copy.data());
}

}  // namespace palette_detail

using namespace palette_detail;

void FreeDocPalette(DocPaletteList* palette) {
    if (!palette) return;
    FreeEntries(palette);
    delete palette;
}

PaletteList* AddPaletteListEntry(DocPaletteList* palette, int32_t refID) {
    if (!palette) return nullptr;
    PaletteList* e = NewEntry(refID);
    if (!e) return nullptr;
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
    // The whole entry list is built first so a failure leaves the document's list untouched.
    DocPaletteList* p = NewPaletteRecord("Default Palette", 0);
    if (!p) return nullptr;
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
    return EntryOf(GetActiveDocPaletteList(), refID);
}

int IsTextureAPalette(int32_t textureID) {
    return textureID <= kFirstLink && textureID >= kLastLink ? 1 : 0;
}

int32_t GetPaletteTextureID(int32_t textureID) {
    if (!IsTextureAPalette(textureID)) return textureID;
    return EntryTextureID(GetPaletteEntryFromRefID(std::abs(textureID + 1000)));
}

// --- lookups ---

void SetActiveDocPaletteListByName(const char* name) {
    if (!gCurDocument || !name) return;
    for (DocPaletteList* p = gCurDocument->itsPaletteList; p; p = p->next)
        p->active = std::strcmp(p->name, name) == 0 ? 1 : 0;
}

DocPaletteList* GetDocPaletteListByName(const char* name) {
    if (!gCurDocument || !name) return nullptr;
    for (DocPaletteList* p = gCurDocument->itsPaletteList; p; p = p->next)
        if (std::strcmp(p->name, name) == 0) return p;
    return nullptr;
}

int DoesPaletteNameExists(const char* name) { return GetDocPaletteListByName(name) ? 1 : 0; }

void GetPaletteRGBColor(RGBColor* color, int32_t textureID) {
    if (!color) return;
    *color = RGBColor{kWhite, kWhite, kWhite};
    if (!IsTextureAPalette(textureID)) return;
    const PaletteList* e = GetPaletteEntryFromRefID(std::abs(textureID + 1000));
    if (e && e->kind == kPaletteColor) *color = RGBColor{e->color[0], e->color[1], e->color[2]};
}

int32_t GetPaletteTextureScale(int32_t textureID) {
    if (!IsTextureAPalette(textureID)) return kDefaultPaletteScale;
    const PaletteList* e = GetPaletteEntryFromRefID(std::abs(textureID + 1000));
    if (!e) return kDefaultPaletteScale;
    return static_cast<int32_t>(static_cast<uint16_t>(e->textureScale[0]) |
                                (static_cast<uint32_t>(static_cast<uint16_t>(e->textureScale[1])) << 16));
}

int32_t FindTextureOrColorInPalette(int32_t textureID, uint16_t red) {
    for (const PaletteList* e = GetCurrentPaletteList(); e; e = e->next) {
        switch (e->kind) {
        case kPaletteTexture:
            if (textureID == e->textureID) return e->refID;
            break;
        case kPaletteCustomTexture:
            if (textureID == EntryTextureID(e)) return e->refID;
            break;
        case kPaletteColor:
            // Objects hold 16-bit components, entries 0..255.
            if (textureID == 0 && red == static_cast<uint32_t>(e->color[0]) * 257u) return e->refID;
            break;
        default:
            return 0;
        }
    }
    return 0;
}

int IsPaletteGroupExpanded(int32_t refID) {
    const DocPaletteList* p = GetActiveDocPaletteList();
    const int group = PaletteGroupOfRefID(refID);
    if (!p || group < 0 || group >= gTotalPaletteSections) return 1;
    return p->groupFlags[group] == 0 ? 1 : 0;
}

// --- edits ---

void CopyPaletteListEntry(const PaletteList* source, PaletteList* target) {
    if (!source || !target || source == target) return;
    target->kind = source->kind;
    std::memcpy(target->color, source->color, sizeof target->color);
    target->textureID = source->textureID;
    target->textureScale[0] = source->textureScale[0];
    target->textureScale[1] = source->textureScale[1];
    char* path = OwnedCopy(source->path);
    char* name = OwnedCopy(source->name);
    FreeString(target->path);
    FreeString(target->name);
    target->path = path;
    target->name = name;
}

void UpdateCurPaletteListEntry(int32_t refID, const PaletteList* source) {
    PaletteList* e = GetPaletteEntryFromRefID(refID);
    if (!e || !source) return;
    CopyPaletteListEntry(source, e);
    switch (e->kind) {
    case kPaletteColor:
        e->textureID = 0;
        break;
    case kPaletteCustomTexture:
        e->textureID = 0;
        for (uint16_t& c : e->color) c = kWhite;
        break;
    case kPaletteTexture:
        for (uint16_t& c : e->color) c = kWhite;
        break;
    default:
        break;
    }
}

int CopyCurrentPalette(const char* name, uint8_t makeActive) {
    DocPaletteList* active = GetActiveDocPaletteList();
    if (!active || !name) return 0;
    DocPaletteList* target = GetDocPaletteListByName(name);
    if (!target) target = AddNewDocPaletteList();
    if (!target) return 0;
    SetField(target->name, sizeof target->name, name);
    if (std::strcmp(active->name, name) == 0) return 1;
    for (int g = 0; g < gTotalPaletteSections; ++g) {
        target->groupFlags[g] = active->groupFlags[g];
        std::memcpy(target->groupNames[g], active->groupNames[g], sizeof target->groupNames[g]);
    }
    for (PaletteList *s = active->firstEntry, *t = target->firstEntry; s && t; s = s->next, t = t->next)
        CopyPaletteListEntry(s, t);
    if (makeActive) {
        active->active = 0;
        target->active = 1;
    }
    return 1;
}

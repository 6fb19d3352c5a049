// The clipboard palette: copied objects keep their materials when pasted into another design.
#include <cstdlib>
#include <cstring>

#include "files/palette_internal.h"
#include "files/palettes.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "port/seam.h"

using namespace palette_detail;

DocPaletteList* gClipBoardPalette = nullptr;
uint8_t gUnlinkClipBoardFromPalette = 0;
uint8_t gLinkClipBoardToCurPalette = 0;
uint8_t gConvertPaletteIDs = 0;
static const port::GlobalReset kReset([] {
    FreeDocPalette(gClipBoardPalette);
    gClipBoardPalette = nullptr;
    gUnlinkClipBoardFromPalette = 0;
    gLinkClipBoardToCurPalette = 0;
    gConvertPaletteIDs = 0;
});

namespace {

constexpr uint16_t kWhite = 255;

const PaletteList* ClipBoardEntry(int32_t textureID) {
    return EntryOf(gClipBoardPalette, std::abs(textureID + 1000));
}

}  // namespace

void CreateClipBoardPaletteList() {
    FreeDocPalette(gClipBoardPalette);
    gClipBoardPalette = nullptr;
    const DocPaletteList* active = GetActiveDocPaletteList();
    if (!active) return;
    DocPaletteList* copy = NewPaletteRecord("ClipBoard Palette", 1);
    if (!copy) return;
    for (int g = 0; g < gTotalPaletteSections; ++g) {
        copy->groupFlags[g] = active->groupFlags[g];
        std::memcpy(copy->groupNames[g], active->groupNames[g], sizeof copy->groupNames[g]);
    }
    for (PaletteList *s = active->firstEntry, *t = copy->firstEntry; s && t; s = s->next, t = t->next)
        CopyPaletteListEntry(s, t);
    gClipBoardPalette = copy;
}

int32_t GetClipBoardPaletteTextureID(int32_t textureID) {
    if (!gClipBoardPalette) return 0;
    if (!IsTextureAPalette(textureID)) return textureID;
    return EntryTextureID(ClipBoardEntry(textureID));
}

void GetClipBoardPaletteRGBColor(RGBColor* color, int32_t textureID) {
    if (!color) return;
    *color = RGBColor{kWhite, kWhite, kWhite};
    if (!gClipBoardPalette || !IsTextureAPalette(textureID)) return;
    const PaletteList* e = ClipBoardEntry(textureID);
    if (e && e->kind == kPaletteColor) *color = RGBColor{e->color[0], e->color[1], e->color[2]};
}

int32_t GetClipBoardPaletteTextureScale(int32_t textureID) {
    if (!gClipBoardPalette || !IsTextureAPalette(textureID)) return kDefaultPaletteScale;
    const PaletteList* e = ClipBoardEntry(textureID);
    if (!e) return kDefaultPaletteScale;
    return static_cast<int32_t>(static_cast<uint16_t>(e->textureScale[0]) |
                                (static_cast<uint32_t>(static_cast<uint16_t>(e->textureScale[1])) << 16));
}

void ConvertObjPaletteLinksToActual(Objex* object) {
    if (!gCurDocument || !object) return;
    ForEachLinkableSlot(object, false, [](const Slot& s) {
        const int32_t link = *s.texture;
        if (!IsTextureAPalette(link)) return true;
        RGBColor c;
        GetClipBoardPaletteRGBColor(&c, link);
        *s.color = RGBColor{static_cast<uint16_t>(c.red * 257), static_cast<uint16_t>(c.green * 257),
                            static_cast<uint16_t>(c.blue * 257)};
        const uint32_t scale = static_cast<uint32_t>(GetClipBoardPaletteTextureScale(link));
        *s.scaleH = static_cast<int16_t>(scale & 0xFFFF);
        *s.scaleV = static_cast<int16_t>(scale >> 16);
        *s.texture = GetClipBoardPaletteTextureID(link);
        if (gLinkClipBoardToCurPalette) {
            if (const int32_t refID = FindTextureOrColorInPalette(*s.texture, s.color->red))
                *s.texture = PaletteLinkOfRefID(refID);
        }
        return true;
    });
    for (Objex* c = object->firstChild; c; c = c->next) ConvertObjPaletteLinksToActual(c);
    if (object->type != objtype::kGroup) RebuildPalettedObject(object);
}

#pragma once
// Helpers shared by the palette sources; not for use elsewhere.
#include <cstdint>
#include <functional>

#include "files/palettes.h"
#include "model/types.h"

struct Objex;

namespace palette_detail {

// The entry with that refID in a palette's list, or null.
PaletteList* EntryOf(const DocPaletteList* palette, int32_t refID);
// An owned copy (length plus 10 bytes); null for a null or empty string.
char* OwnedCopy(const char* s);
// Copies at most size-1 bytes of `s` into a fixed field, NUL-terminated.
void SetField(char* field, size_t size, const char* s);
// A palette in no list: localised group names, the given group flags, entries 1..150.
// Null when memory runs out.
DocPaletteList* NewPaletteRecord(const char* name, uint8_t groupFlag);
// The texture ID a palette entry stands for; a custom texture's path is registered from a
// copy so the entry keeps its path as stored.
int32_t EntryTextureID(const PaletteList* entry);

// One linkable material slot: texture field, colour, scale (horizontal, vertical).
struct Slot {
    int32_t* texture;
    RGBColor* color;
    int16_t* scaleH;
    int16_t* scaleV;
};

// Calls `fn` for each linkable slot of the object in file order: its five slots, each point's
// two faces and, for walls, its trims' five; for walls each child's two attachment slots, for
// roofs (14, 57) each skylight's or cut-out's two. With `onlyWithOwnRecord` the children are
// looked at only when the object itself has a type-specific record. `fn` returns false to stop.
void ForEachLinkableSlot(Objex* object, bool onlyWithOwnRecord, const std::function<bool(const Slot&)>& fn);

}  // namespace palette_detail

// The palette section of design files (big-endian) and the palette file (little-endian).
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "files/palette_internal.h"
#include "files/palettes.h"
#include "files/streams.h"
#include "model/document_model.h"
#include "model/type_data.h"
#include "render/core/live_view_seams.h"

using namespace palette_detail;

namespace {

constexpr int32_t kEntryTag = 620;
constexpr int32_t kEntriesEndTag = 621;
constexpr int32_t kPaletteTag = 622;
constexpr int32_t kSectionEndTag = 623;
constexpr int32_t kPaletteFileVersion = 10000;
// Entry strings end up in 512-byte path buffers elsewhere.
constexpr size_t kMaxEntryString = 511;

bool IsPaletteSectionVersion(int32_t version) { return version == 11000 || version == 11100; }

// The field codecs of one byte order.
struct Codec {
    bool (*readShort)(int16_t*);
    bool (*readUShort)(uint16_t*);
    bool (*readLong)(int32_t*);
    void (*writeShort)(int16_t);
    void (*writeUShort)(uint16_t);
    void (*writeLong)(int32_t);
};
constexpr Codec kBigEndian{ReadShort, ReadUShort, ReadLong, WriteShort, WriteUShort, WriteLong};
constexpr Codec kLittleEndian{ReadStdShort, ReadStdUShort, ReadStdLong,
                              WriteStdShort, WriteStdUShort, WriteStdLong};

uint32_t Remaining() { return GetLength() > GetMark() ? GetLength() - GetMark() : 0; }
bool DataLeft() { return Remaining() > 0; }

// --- writing ---

void WriteByte(uint8_t b) { WriteSome(&b, 1); }

void WriteString(const Codec& c, const char* s, size_t fieldSize) {
    const size_t n = s ? strnlen(s, fieldSize) : 0;
    c.writeLong(static_cast<int32_t>(n));
    WriteSome(s, static_cast<uint32_t>(n));
}

void WriteGroups(const Codec& c, const DocPaletteList* p) {
    c.writeLong(gTotalPaletteSections);
    for (int g = 0; g < gTotalPaletteSections; ++g) {
        WriteByte(p->groupFlags[g]);
        WriteString(c, p->groupNames[g], sizeof p->groupNames[g] - 1);
    }
}

void WriteEntries(const Codec& c, const DocPaletteList* p) {
    int32_t count = 0;
    for (const PaletteList* e = p->firstEntry; e; e = e->next) ++count;
    c.writeLong(count);
    for (const PaletteList* e = p->firstEntry; e; e = e->next) {
        c.writeLong(kEntryTag);
        c.writeLong(e->refID);
        c.writeShort(e->kind);
        for (uint16_t v : e->color) c.writeUShort(v);
        c.writeLong(e->textureID);
        c.writeShort(e->textureScale[0]);
        c.writeShort(e->textureScale[1]);
        for (uint16_t v : e->secondColor) c.writeUShort(v);
        WriteString(c, e->path, SIZE_MAX);
        WriteString(c, e->name, SIZE_MAX);
    }
    c.writeLong(kEntriesEndTag);
}

// --- reading ---

uint8_t ReadByte() {
    uint8_t b = 0;
    ReadSome(&b, 1);
    return b;
}

// A stored string of `length` bytes, bounded by the input left; only its first `keep` bytes
// are kept, the rest is skipped.
std::string ReadString(int32_t length, size_t keep) {
    if (length <= 0) return {};
    const uint32_t take = std::min(static_cast<uint32_t>(length), Remaining());
    std::string s(take, '\0');
    if (take && !ReadSome(s.data(), take)) return {};
    s.resize(std::min(s.size(), keep));
    return s;
}

std::string ReadLengthAndString(const Codec& c, size_t keep) {
    int32_t n = 0;
    if (!c.readLong(&n)) return {};
    return ReadString(n, keep);
}

// Group flags and names; groups past the fifteenth are read and dropped.
void ReadGroups(const Codec& c, DocPaletteList* p) {
    int32_t count = 0;
    c.readLong(&count);
    for (int32_t g = 0; g < count && DataLeft(); ++g) {
        const uint8_t flag = ReadByte();
        const std::string name = ReadLengthAndString(c, sizeof p->groupNames[0] - 1);
        if (g >= gTotalPaletteSections) continue;
        p->groupFlags[g] = flag;
        SetField(p->groupNames[g], sizeof p->groupNames[g], name.c_str());
    }
}

// One entry record after its tag; the stored refID is dropped, the entry keeps its own.
void ReadEntryFields(const Codec& c, PaletteList* e) {
    int32_t storedRefID = 0;
    c.readLong(&storedRefID);
    c.readShort(&e->kind);
    e->textureID = 0;
    e->textureScale[0] = e->textureScale[1] = 100;
    for (int i = 0; i < 3; ++i) e->color[i] = e->secondColor[i] = 255;
    FreeString(e->path);
    FreeString(e->name);
    e->path = e->name = nullptr;
    for (uint16_t& v : e->color) c.readUShort(&v);
    c.readLong(&e->textureID);
    c.readShort(&e->textureScale[0]);
    c.readShort(&e->textureScale[1]);
    for (uint16_t& v : e->secondColor) c.readUShort(&v);
    e->path = OwnedCopy(ReadLengthAndString(c, kMaxEntryString).c_str());
    e->name = OwnedCopy(ReadLengthAndString(c, kMaxEntryString).c_str());
}

// Reads the entry count and the entries into the list from `first`; entries the list has no
// room for are read and dropped. In palette files (`onlyEntryTagsCount`) a tag other than
// 620 moves to the next target entry without counting. Returns the last tag read (621 when
// the entries ended properly).
int32_t ReadEntries(const Codec& c, PaletteList* first, bool onlyEntryTagsCount) {
    int32_t count = 0;
    int32_t tag = 0;
    c.readLong(&count);
    // A palette without entries has its end tag right after the count.
    if (!c.readLong(&tag)) return 0;
    PaletteList scratch{};
    PaletteList* e = first;
    for (int32_t n = 0; n < count && tag != kEntriesEndTag && DataLeft();) {
        if (tag == kEntryTag) ReadEntryFields(c, e ? e : &scratch);
        if (tag == kEntryTag || !onlyEntryTagsCount) ++n;
        tag = 0;
        if (!c.readLong(&tag)) break;
        if (e) e = e->next;
    }
    FreeString(scratch.path);
    FreeString(scratch.name);
    return tag;
}

void ShowAlert(const char* message, const char* informative) {
    port::Alert alert;
    alert.message = message;
    alert.informative = informative;
    alert.buttons = {"OK"};
    BeginLiveViewAlertSheet(alert, {});
}

// A detached copy of an entry list, values and strings included.
struct EntryCopies {
    std::vector<PaletteList> entries;
    explicit EntryCopies(const PaletteList* first) {
        for (const PaletteList* e = first; e; e = e->next) entries.push_back(*e);
        for (size_t i = 0; i < entries.size(); ++i) {
            entries[i].path = OwnedCopy(entries[i].path);
            entries[i].name = OwnedCopy(entries[i].name);
            entries[i].prev = i ? &entries[i - 1] : nullptr;
        }
        for (size_t i = 0; i < entries.size(); ++i)
            entries[i].next = i + 1 < entries.size() ? &entries[i + 1] : nullptr;
    }
    ~EntryCopies() {
        for (PaletteList& e : entries) {
            FreeString(e.path);
            FreeString(e.name);
        }
    }
    EntryCopies(const EntryCopies&) = delete;
    EntryCopies& operator=(const EntryCopies&) = delete;
    PaletteList* first() { return entries.empty() ? nullptr : &entries.front(); }
};

}  // namespace

void WriteStdPaletteList(const DocPaletteList* p) {
    if (!p) return;
    const Codec& c = kLittleEndian;
    c.writeLong(kPaletteTag);
    WriteByte(p->active);
    WriteString(c, p->name, sizeof p->name - 1);
    WriteGroups(c, p);
    WriteEntries(c, p);
}

void DoWritePalettes(int32_t writeVersion) {
    if (!IsPaletteSectionVersion(writeVersion) || !gCurDocument || !CurrentDocState()) return;
    int32_t count = 0;
    for (const DocPaletteList* p = gCurDocument->itsPaletteList; p; p = p->next) ++count;
    kBigEndian.writeLong(count);
    for (const DocPaletteList* p = gCurDocument->itsPaletteList; p; p = p->next) {
        kBigEndian.writeLong(kPaletteTag);
        WriteByte(p->active);
        WriteString(kBigEndian, p->name, sizeof p->name - 1);
        WriteGroups(kBigEndian, p);
        WriteEntries(kBigEndian, p);
    }
    // The reader looks for the end tag only after a palette.
    if (count > 0) kBigEndian.writeLong(kSectionEndTag);
}

namespace {

// The palettes after their count: each 622, its fields, until the count is reached or 623.
void ReadPaletteLists(const Codec& c) {
    DeleteAllDocPalettes();
    int32_t count = 0;
    if (!c.readLong(&count) || count <= 0) return;
    int32_t tag = 0;
    c.readLong(&tag);
    DocPaletteList* p = tag == kPaletteTag ? AddNewDocPaletteList() : nullptr;
    for (int32_t read = 0; p && read < count && tag != kSectionEndTag && DataLeft();) {
        p->active = ReadByte();
        // An empty name leaves the new palette's default name.
        const std::string name = ReadLengthAndString(c, sizeof p->name - 1);
        if (name.c_str()[0]) SetField(p->name, sizeof p->name, name.c_str());
        ReadGroups(c, p);
        ReadEntries(c, p->firstEntry, false);
        ++read;
        tag = 0;
        c.readLong(&tag);
        // Only palettes the count announces are made; one made before the data ran out keeps
        // its defaults.
        p = tag != kSectionEndTag && read < count ? AddNewDocPaletteList() : nullptr;
    }
}

}  // namespace

void DoReadPalettes(int32_t fileVersion) {
    if (!IsPaletteSectionVersion(fileVersion) || !gCurDocument || !CurrentDocState()) return;
    ReadPaletteLists(kBigEndian);
}

void ReadStdPaletteLists() {
    if (!gCurDocument || !CurrentDocState()) return;
    ReadPaletteLists(kLittleEndian);
}

int PaletteFileWrite(const char* path) {
    const DocPaletteList* p = GetActiveDocPaletteList();
    if (!path || !p) return 0;
    StartOutputBuffer();
    kLittleEndian.writeLong(kPaletteFileVersion);
    WriteGroups(kLittleEndian, p);
    WriteEntries(kLittleEndian, p);
    if (!FlushOutputBufferToFile(path)) {
        ShowAlert("Unable to write the palette file.",
                  "Please ensure that adequate disk space exists on your hard drive.");
        return 0;
    }
    return 1;
}

int PaletteFileOpen(const char* path, PaletteList* firstEntry) {
    DocPaletteList* active = GetActiveDocPaletteList();
    if (!path || !firstEntry || !active) return 0;
    if (!OpenInputFile(path)) {
        ReleaseInputBuffer();
        return 0;
    }
    InputBufferScope release;
    const Codec& c = kLittleEndian;
    int32_t version = 0;
    c.readLong(&version);
    // The file is read into copies first, so a damaged one changes nothing.
    DocPaletteList groups = *active;
    groups.firstEntry = nullptr;
    EntryCopies entries(firstEntry);
    int32_t endTag = 0;
    if (version == kPaletteFileVersion) {
        ReadGroups(c, &groups);
        endTag = ReadEntries(c, entries.first(), true);
    }
    if (endTag != kEntriesEndTag || InputTruncated()) {
        ShowAlert("Unable to load the palette file.",
                  "Please ensure the file is not damaged and was not created by a newer version "
                  "of Kesto! Dovrane.");
        return 0;
    }
    std::memcpy(active->groupFlags, groups.groupFlags, sizeof active->groupFlags);
    std::memcpy(active->groupNames, groups.groupNames, sizeof active->groupNames);
    PaletteList* target = firstEntry;
    for (const PaletteList& e : entries.entries) {
        CopyPaletteListEntry(&e, target);
        std::memcpy(target->secondColor, e.secondColor, sizeof target->secondColor);
        target = target->next;
    }
    return 1;
}

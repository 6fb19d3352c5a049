#include "files/docstate_io.h"

#include <array>
#include <cstddef>
#include <cstring>
#include <vector>

#include "files/streams.h"
#include "model/docstate.h"
#include "model/docstate_fields.h"
#include "model/document_model.h"
#include "files/custom_textures.h"

namespace {

using V = DocStateVersion;

// One stored value of the layout.
enum class Unit : uint8_t { Byte, I16, U16, I32, U32, F32, Chars, LogFont };

struct Slot {
    int16_t field;        // layout position (1-321)
    Unit unit;
    bool bigEndian;
    uint16_t fileOffset;  // inside the padded record
    uint16_t size;        // bytes in the file
    uint32_t memOffset;   // inside DocState
};

struct VersionRow {
    V version;
    int lastField;
};

// The last field of each reader's layout.
constexpr VersionRow kVersions[kDocStateVersionCount] = {
    {V::V2, 132},  {V::V3, 166},  {V::V35, 176}, {V::V40, 215}, {V::V41, 221},     {V::V45, 235},
    {V::V50, 252}, {V::V70, 286}, {V::V80, 300}, {V::V90, 319}, {V::Current, 321},
};

constexpr int kLogFontSize = 60;
constexpr int kFaceNameSize = 32;

// The floor plan colour's slot carries field 82; the floor plan colour is never stored.
constexpr int kRidingField = 82;
constexpr int kSlotOfRidingField = 244;

int LastField(V v) { return kVersions[static_cast<int>(v)].lastField; }

// Fields added after the 10900 layout are stored big-endian.
bool StoredBigEndian(int field) { return field > LastField(V::V90); }

struct Layout {
    std::vector<Slot> slots;
    std::array<int32_t, kDocStateFieldCount + 1> fieldOffset{};
    std::array<uint32_t, kDocStateVersionCount> length{};
};

class LayoutBuilder {
public:
    explicit LayoutBuilder(Layout& layout) : layout_(layout) {}

    void field(const DocStateField& f, uint32_t mem) {
        field_ = f.number;
        big_ = StoredBigEndian(f.number);
        first_ = true;
        using T = DocFieldType;
        switch (f.type) {
        case T::U8: add(Unit::Byte, 1, mem); break;
        case T::I16: add(Unit::I16, 2, mem); break;
        case T::U16: add(Unit::U16, 2, mem); break;
        case T::I32: add(Unit::I32, 4, mem); break;
        case T::U32: add(Unit::U32, 4, mem); break;
        case T::F32: add(Unit::F32, 4, mem); break;
        case T::FloatPoint:
            floats(mem + offsetof(FloatPoint, floatH), mem + offsetof(FloatPoint, floatV));
            break;
        case T::Float3DPoint:
            floats(mem + offsetof(Float3DPoint, floatH), mem + offsetof(Float3DPoint, floatV),
                   mem + offsetof(Float3DPoint, floatD));
            break;
        case T::FloatRect:
            floats(mem + offsetof(FloatRect, floatTop), mem + offsetof(FloatRect, floatLeft),
                   mem + offsetof(FloatRect, floatBottom), mem + offsetof(FloatRect, floatRight));
            break;
        case T::ShortPoint:
            add(Unit::I16, 2, mem + offsetof(ShortPoint, x));
            add(Unit::I16, 2, mem + offsetof(ShortPoint, y));
            break;
        case T::RGBColor: color(mem); break;
        case T::LogFont: add(Unit::LogFont, kLogFontSize, mem); break;
        case T::Chars: add(Unit::Chars, f.count, mem); break;
        case T::SelectionState: selection(mem); break;
        case T::SelectionState40:
            add(Unit::Byte, 1, mem + offsetof(SelectionState40, ssStateFresh));
            add(Unit::Byte, 1, mem + offsetof(SelectionState40, ssBaseElevation));
            add(Unit::F32, 4, mem + offsetof(SelectionState40, ssBaseElevationValue));
            break;
        case T::I32Array:
            for (uint32_t i = 0; i < f.count; ++i) add(Unit::I32, 4, mem + 4 * i);
            break;
        }
    }

    // The record of a version ends on an even offset.
    uint32_t end() const { return (pos_ + 1) & ~1u; }

private:
    void add(Unit unit, uint16_t size, uint32_t mem) {
        const bool raw = unit == Unit::Byte || unit == Unit::Chars;
        if (!raw && (pos_ & 1)) ++pos_;
        if (first_) layout_.fieldOffset[field_] = static_cast<int32_t>(pos_);
        first_ = false;
        layout_.slots.push_back(Slot{static_cast<int16_t>(field_), unit, big_, static_cast<uint16_t>(pos_), size, mem});
        pos_ += size;
    }
    template <typename... M>
    void floats(M... mems) {
        (add(Unit::F32, 4, mems), ...);
    }
    void color(uint32_t mem) {
        add(Unit::U16, 2, mem + offsetof(RGBColor, red));
        add(Unit::U16, 2, mem + offsetof(RGBColor, green));
        add(Unit::U16, 2, mem + offsetof(RGBColor, blue));
    }
    void selection(uint32_t mem) {
        using S = SelectionState;
        add(Unit::Byte, 1, mem + offsetof(S, ssStateFresh));
        add(Unit::Byte, 1, mem + offsetof(S, ssFillPattern));
        add(Unit::I16, 2, mem + offsetof(S, ssFillPatID));
        add(Unit::Byte, 1, mem + offsetof(S, ssFillColor));
        color(mem + offsetof(S, ssFillRGBColor));
        add(Unit::Byte, 1, mem + offsetof(S, ssPenWidth));
        add(Unit::I16, 2, mem + offsetof(S, ssPenWidthValue));
        add(Unit::Byte, 1, mem + offsetof(S, ssPenColor));
        color(mem + offsetof(S, ssPenRGBColor));
        add(Unit::Byte, 1, mem + offsetof(S, ssPenStyle));
        add(Unit::I16, 2, mem + offsetof(S, ssPenStyleType));
        add(Unit::Byte, 1, mem + offsetof(S, ssArrowPosition));
        add(Unit::I16, 2, mem + offsetof(S, ssArrowPosID));
        add(Unit::Byte, 1, mem + offsetof(S, ssArrowHead));
        add(Unit::I16, 2, mem + offsetof(S, ssArrowHeadType));
        add(Unit::Byte, 1, mem + offsetof(S, ssTextFrame));
        add(Unit::I16, 2, mem + offsetof(S, ssTextFrameID));
        add(Unit::Byte, 1, mem + offsetof(S, ssTolerance));
        add(Unit::I16, 2, mem + offsetof(S, ssToleranceType));
        add(Unit::Byte, 1, mem + offsetof(S, ssTextAlign));
        add(Unit::I16, 2, mem + offsetof(S, ssTextAlignType));
    }

    Layout& layout_;
    uint32_t pos_ = 0;
    int field_ = 0;
    bool big_ = false;
    bool first_ = true;
};

Layout BuildLayout() {
    Layout layout;
    layout.fieldOffset.fill(-1);
    LayoutBuilder builder(layout);
    const auto fields = DocStateFields();
    const uint32_t ridingMem = fields[kRidingField - 1].offset;
    int group = 0;
    for (const DocStateField& f : fields) {
        builder.field(f, f.number == kSlotOfRidingField ? ridingMem : f.offset);
        if (group < kDocStateVersionCount && f.number == kVersions[group].lastField)
            layout.length[group++] = builder.end();
    }
    return layout;
}

const Layout& TheLayout() {
    static const Layout layout = BuildLayout();
    return layout;
}

// ---- one value ----------------------------------------------------------------------------

bool ReadUnit(const Slot& s, unsigned char* base) {
    unsigned char* at = base + s.memOffset;
    auto store = [at](const auto& v) { std::memcpy(at, &v, sizeof v); };
    switch (s.unit) {
    case Unit::Byte: return ReadSome(at, 1);
    case Unit::Chars:
        if (!ReadSome(at, s.size)) return false;
        at[s.size - 1] = 0;
        return true;
    case Unit::LogFont: return ApplePortReadLOGFONT(reinterpret_cast<LOGFONT*>(at));
    case Unit::I16: {
        int16_t v;
        if (!(s.bigEndian ? ReadShort(&v) : ReadStdShort(&v))) return false;
        store(v);
        return true;
    }
    case Unit::U16: {
        uint16_t v;
        if (!(s.bigEndian ? ReadUShort(&v) : ReadStdUShort(&v))) return false;
        store(v);
        return true;
    }
    case Unit::I32: {
        int32_t v;
        if (!(s.bigEndian ? ReadLong(&v) : ReadStdLong(&v))) return false;
        store(v);
        return true;
    }
    case Unit::U32: {
        uint32_t v;
        if (!(s.bigEndian ? ReadULong(&v) : ReadStdULong(&v))) return false;
        store(v);
        return true;
    }
    case Unit::F32: {
        float v;
        if (!(s.bigEndian ? ReadFloat(&v) : ReadStdFloat(&v))) return false;
        store(v);
        return true;
    }
    }
    return false;
}

void WriteUnit(const Slot& s, const unsigned char* base) {
    const unsigned char* at = base + s.memOffset;
    auto load = [at](auto& v) { std::memcpy(&v, at, sizeof v); };
    switch (s.unit) {
    case Unit::Byte:
    case Unit::Chars: WriteSome(at, s.size); break;
    case Unit::LogFont: ApplePortWriteLOGFONT(reinterpret_cast<const LOGFONT*>(at)); break;
    case Unit::I16: {
        int16_t v;
        load(v);
        s.bigEndian ? WriteShort(v) : WriteStdShort(v);
        break;
    }
    case Unit::U16: {
        uint16_t v;
        load(v);
        s.bigEndian ? WriteUShort(v) : WriteStdUShort(v);
        break;
    }
    case Unit::I32: {
        int32_t v;
        load(v);
        s.bigEndian ? WriteLong(v) : WriteStdLong(v);
        break;
    }
    case Unit::U32: {
        uint32_t v;
        load(v);
        s.bigEndian ? WriteULong(v) : WriteStdULong(v);
        break;
    }
    case Unit::F32: {
        float v;
        load(v);
        s.bigEndian ? WriteFloat(v) : WriteStdFloat(v);
        break;
    }
    }
}

// Pad bytes: skipped on reading, zero on writing.
bool SkipTo(uint32_t& pos, uint32_t target) {
    for (uint8_t pad; pos < target; ++pos)
        if (!ReadSome(&pad, 1)) return false;
    return true;
}

void PadTo(uint32_t& pos, uint32_t target) {
    static constexpr uint8_t kZero = 0;
    for (; pos < target; ++pos) WriteSome(&kZero, 1);
}

// ---- corrections after reading, one row each ---------------------------------------------

bool AddsDetailPlanBit(V v) { return v >= V::V35; }
bool ResetsShadows(V v) { return v <= V::V80; }
bool RaisesSmallStudSpacing(V v) { return v <= V::V35 || v >= V::V90; }
bool AlwaysResetsSceneValue(V v) { return v <= V::V35; }
bool ResetsNonPositiveSceneValue(V v) { return v >= V::V90; }
bool ResetsTrackingValue(V v) { return v <= V::V35 || v >= V::V90; }
bool ReRegistersCustomTextures(V v) { return v >= V::V80; }
bool WhitensTexturedGroundAndSky(V v) { return v <= V::V80; }

constexpr int32_t kDetailPlanBit = 0x100;
constexpr int kDetailPlan = 8;
constexpr uint16_t kWhite = 0xFFFF;

void ApplyDocStateCorrections(DocState* ds, V v) {
    if (AddsDetailPlanBit(v)) ds->planMasks[kDetailPlan] |= kDetailPlanBit;

    ds->cutAwayPosition = 0;
    ds->framingColors = 0;
    ds->framingView = 0;
    ds->liveViewValue = 0;
    ds->buildFlag = 0;
    ds->wallSegmentLength = 42.0f;
    BoundCurveSegments(ds);

    if (ResetsShadows(v)) {
        ds->shadowsOn = 0;
        ds->shadowQuality = 5;
    }
    if (RaisesSmallStudSpacing(v) && ds->studSpacing < 6.0f) ds->studSpacing = 16.0f;
    if (AlwaysResetsSceneValue(v) || (ResetsNonPositiveSceneValue(v) && ds->sceneValue <= 0.0f))
        ds->sceneValue = 1.0f;
    if (ResetsTrackingValue(v)) ds->trackingValue = 0;

    if (ReRegistersCustomTextures(v)) {
        if (ds->backgroundTexture == -1 && ds->backgroundTexturePath[0])
            ds->backgroundTexture = NewCustomTextureID(ds->backgroundTexturePath);
        if (ds->lotTexture == -1 && ds->lotTexturePath[0])
            ds->lotTexture = static_cast<int16_t>(NewCustomTextureID(ds->lotTexturePath));
    }
    if (WhitensTexturedGroundAndSky(v)) {
        if (ds->backgroundTexture != 0) ds->skyColor = RGBColor{kWhite, kWhite, kWhite};
        if (ds->lotTexture != 0) ds->lotColor = RGBColor{kWhite, kWhite, kWhite};
    }
}

// Copies a path into a fixed string, cut to fit, always ending in a NUL.
template <size_t N>
void CopyFixed(char (&to)[N], const char* from) {
    std::strncpy(to, from, N - 1);
    to[N - 1] = 0;
}

}  // namespace

void BoundCurveSegments(DocState* ds) {
    if (ds->curveSegments > kMostCurveSegments) ds->curveSegments = kMostCurveSegments;
}

bool DocStateVersionOfFile(int32_t fileVersion, DocStateVersion* version) {
    struct FileRow {
        int32_t file;
        V version;
    };
    static constexpr FileRow kFiles[] = {
        {10000, V::V2},  {10300, V::V3},  {10350, V::V35}, {10351, V::V35}, {10400, V::V40},
        {10410, V::V41}, {10450, V::V45}, {10500, V::V50}, {10700, V::V70}, {10701, V::V70},
        {10750, V::V70}, {10800, V::V80}, {10900, V::V90}, {11000, V::V90}, {11100, V::Current},
    };
    for (const FileRow& row : kFiles)
        if (row.file == fileVersion) {
            if (version) *version = row.version;
            return true;
        }
    return false;
}

int DocStateLastField(DocStateVersion version) { return LastField(version); }

uint32_t PaddedDocStateLength(DocStateVersion version) {
    return TheLayout().length[static_cast<int>(version)];
}

int32_t DocStateFieldFileOffset(int fieldNumber) {
    if (fieldNumber < 1 || fieldNumber > kDocStateFieldCount) return -1;
    return TheLayout().fieldOffset[fieldNumber];
}

bool ApplePortReadLOGFONT(LOGFONT* font) {
    if (!font) return false;
    uint8_t b[kLogFontSize];
    if (!ReadSome(b, sizeof b)) return false;
    auto i32 = [&b](int at) {
        return static_cast<int32_t>(uint32_t{b[at]} | (uint32_t{b[at + 1]} << 8) | (uint32_t{b[at + 2]} << 16) |
                                    (uint32_t{b[at + 3]} << 24));
    };
    font->lfHeight = i32(0);
    font->lfWidth = i32(4);
    font->lfEscapement = i32(8);
    font->lfOrientation = i32(12);
    font->lfWeight = i32(16);
    font->lfItalic = b[20];
    font->lfUnderline = b[21];
    font->lfStrikeOut = b[22];
    font->lfCharSet = b[23];
    font->lfOutPrecision = b[24];
    font->lfClipPrecision = b[25];
    font->lfQuality = b[26];
    font->lfPitchAndFamily = b[27];
    std::memcpy(font->lfFaceName, b + 28, kFaceNameSize);
    font->lfFaceName[kFaceNameSize - 1] = 0;
    return true;
}

void ApplePortWriteLOGFONT(const LOGFONT* font) {
    if (!font) return;
    WriteStdLong(font->lfHeight);
    WriteStdLong(font->lfWidth);
    WriteStdLong(font->lfEscapement);
    WriteStdLong(font->lfOrientation);
    WriteStdLong(font->lfWeight);
    const uint8_t bytes[8] = {font->lfItalic,       font->lfUnderline,      font->lfStrikeOut,
                              font->lfCharSet,      font->lfOutPrecision,   font->lfClipPrecision,
                              font->lfQuality,      font->lfPitchAndFamily};
    WriteSome(bytes, sizeof bytes);
    WriteSome(font->lfFaceName, kFaceNameSize);
}

bool ApplePortReadPaddedDocStateOfVersion(DocState* docState, DocStateVersion version) {
    if (!docState) return false;
    const Layout& layout = TheLayout();
    const int last = LastField(version);
    auto* base = reinterpret_cast<unsigned char*>(docState);
    uint32_t pos = 0;
    for (const Slot& s : layout.slots) {
        if (s.field > last) break;
        // A short block stops here: what follows keeps its value.
        if (!SkipTo(pos, s.fileOffset) || !ReadUnit(s, base)) return false;
        pos += s.size;
    }
    return SkipTo(pos, PaddedDocStateLength(version));
}

void ApplePortWritePaddedDocStateOfVersion(const DocState* docState, DocStateVersion version) {
    if (!docState) return;
    const Layout& layout = TheLayout();
    const int last = LastField(version);
    const auto* base = reinterpret_cast<const unsigned char*>(docState);
    uint32_t pos = 0;
    for (const Slot& s : layout.slots) {
        if (s.field > last) break;
        PadTo(pos, s.fileOffset);
        WriteUnit(s, base);
        pos += s.size;
    }
    PadTo(pos, PaddedDocStateLength(version));
}

bool ApplePortReadPaddedDocState2(DocState* d) { return ApplePortReadPaddedDocStateOfVersion(d, V::V2); }
bool ApplePortReadPaddedDocState3(DocState* d) { return ApplePortReadPaddedDocStateOfVersion(d, V::V3); }
bool ApplePortReadPaddedDocState35(DocState* d) { return ApplePortReadPaddedDocStateOfVersion(d, V::V35); }
bool ApplePortReadPaddedDocState40(DocState* d) { return ApplePortReadPaddedDocStateOfVersion(d, V::V40); }
bool ApplePortReadPaddedDocState41(DocState* d) { return ApplePortReadPaddedDocStateOfVersion(d, V::V41); }
bool ApplePortReadPaddedDocState45(DocState* d) { return ApplePortReadPaddedDocStateOfVersion(d, V::V45); }
bool ApplePortReadPaddedDocState50(DocState* d) { return ApplePortReadPaddedDocStateOfVersion(d, V::V50); }
bool ApplePortReadPaddedDocState70(DocState* d) { return ApplePortReadPaddedDocStateOfVersion(d, V::V70); }
bool ApplePortReadPaddedDocState80(DocState* d) { return ApplePortReadPaddedDocStateOfVersion(d, V::V80); }
bool ApplePortReadPaddedDocState90(DocState* d) { return ApplePortReadPaddedDocStateOfVersion(d, V::V90); }
bool ApplePortReadPaddedDocState(DocState* d) { return ApplePortReadPaddedDocStateOfVersion(d, V::Current); }

void ApplePortWritePaddedDocState2(const DocState* d) { ApplePortWritePaddedDocStateOfVersion(d, V::V2); }
void ApplePortWritePaddedDocState3(const DocState* d) { ApplePortWritePaddedDocStateOfVersion(d, V::V3); }
void ApplePortWritePaddedDocState35(const DocState* d) { ApplePortWritePaddedDocStateOfVersion(d, V::V35); }
void ApplePortWritePaddedDocState40(const DocState* d) { ApplePortWritePaddedDocStateOfVersion(d, V::V40); }
void ApplePortWritePaddedDocState41(const DocState* d) { ApplePortWritePaddedDocStateOfVersion(d, V::V41); }
void ApplePortWritePaddedDocState45(const DocState* d) { ApplePortWritePaddedDocStateOfVersion(d, V::V45); }
void ApplePortWritePaddedDocState50(const DocState* d) { ApplePortWritePaddedDocStateOfVersion(d, V::V50); }
void ApplePortWritePaddedDocState70(const DocState* d) { ApplePortWritePaddedDocStateOfVersion(d, V::V70); }
void ApplePortWritePaddedDocState80(const DocState* d) { ApplePortWritePaddedDocStateOfVersion(d, V::V80); }
void ApplePortWritePaddedDocState90(const DocState* d) { ApplePortWritePaddedDocStateOfVersion(d, V::V90); }
void ApplePortWritePaddedDocState(const DocState* d) { ApplePortWritePaddedDocStateOfVersion(d, V::Current); }

void DoWriteDocState() {
    const DocState* current = CurrentDocState();
    if (!current) return;
    // Written from a copy, so the document's record stays as it is whatever happens.
    DocState stored = *current;
    if (stored.backgroundTexture >= kFirstCustomTextureID) {
        if (const char* path = GetCustomTextureIDPath(stored.backgroundTexture))
            CopyFixed(stored.backgroundTexturePath, path);
        stored.backgroundTexture = -1;
    }
    if (stored.lotTexture >= kFirstCustomTextureID) {
        if (const char* path = GetCustomTextureIDPath(stored.lotTexture)) CopyFixed(stored.lotTexturePath, path);
        stored.lotTexture = -1;
    }
    WriteLong(kDocStateLengthField);
    ApplePortWritePaddedDocState(&stored);
}

bool DoReadDocStateOfVersion(DocStateVersion version) {
    DocState* fresh = CreateDocState();
    DocState scratch;  // takes the block when no record could be made
    int32_t lengthField = 0;
    ReadLong(&lengthField);
    ApplePortReadPaddedDocStateOfVersion(fresh ? fresh : &scratch, version);
    if (!fresh) return false;
    if (!gCurDocument) {
        DeleteDocState(fresh);
        return false;
    }
    ApplyDocStateCorrections(fresh, version);
    DocState* old = gCurDocument->itsDocState;
    gCurDocument->itsDocState = fresh;
    DeleteDocState(old);
    return true;
}

bool DoReadDocState() { return DoReadDocStateOfVersion(V::Current); }
bool DoReadDocState2() { return DoReadDocStateOfVersion(V::V2); }
bool DoReadDocState3() { return DoReadDocStateOfVersion(V::V3); }
bool DoReadDocState35() { return DoReadDocStateOfVersion(V::V35); }
bool DoReadDocState40() { return DoReadDocStateOfVersion(V::V40); }
bool DoReadDocState41() { return DoReadDocStateOfVersion(V::V41); }
bool DoReadDocState45() { return DoReadDocStateOfVersion(V::V45); }
bool DoReadDocState50() { return DoReadDocStateOfVersion(V::V50); }
bool DoReadDocState70() { return DoReadDocStateOfVersion(V::V70); }
bool DoReadDocState80() { return DoReadDocStateOfVersion(V::V80); }
bool DoReadDocState90() { return DoReadDocStateOfVersion(V::V90); }

void DoReadTemplateDocStateOfVersion(DocStateVersion version) {
    DocState scratch;
    int32_t lengthField = 0;
    ReadLong(&lengthField);
    ApplePortReadPaddedDocStateOfVersion(&scratch, version);
}

void DoReadTemplateDocState() { DoReadTemplateDocStateOfVersion(V::Current); }
void DoReadTemplateDocState2() { DoReadTemplateDocStateOfVersion(V::V2); }
void DoReadTemplateDocState3() { DoReadTemplateDocStateOfVersion(V::V3); }
void DoReadTemplateDocState35() { DoReadTemplateDocStateOfVersion(V::V35); }
void DoReadTemplateDocState40() { DoReadTemplateDocStateOfVersion(V::V40); }
void DoReadTemplateDocState41() { DoReadTemplateDocStateOfVersion(V::V41); }
void DoReadTemplateDocState45() { DoReadTemplateDocStateOfVersion(V::V45); }
void DoReadTemplateDocState50() { DoReadTemplateDocStateOfVersion(V::V50); }
void DoReadTemplateDocState70() { DoReadTemplateDocStateOfVersion(V::V70); }
void DoReadTemplateDocState80() { DoReadTemplateDocStateOfVersion(V::V80); }
void DoReadTemplateDocState90() { DoReadTemplateDocStateOfVersion(V::V90); }

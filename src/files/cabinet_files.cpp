#include "files/cabinet_files.h"

#include <cstring>
#include <new>

#include "files/design_file.h"
#include "files/design_file_internal.h"
#include "files/object_records.h"
#include "files/palettes.h"
#include "files/streams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/selection_queries.h"
#include "model/transforms.h"

namespace {

// Little-endian fields of a record held in memory.
class RecordWriter {
public:
    explicit RecordWriter(uint8_t* bytes) : bytes_(bytes) {}
    void u8(uint8_t v) { bytes_[pos_++] = v; }
    void pad() { u8(0); }
    void i16(int16_t v) { u16(static_cast<uint16_t>(v)); }
    void i32(int32_t v) { u32(static_cast<uint32_t>(v)); }
    void f32(float v) {
        uint32_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        u32(bits);
    }
    void f32s(const float* v, int n) {
        for (int i = 0; i < n; ++i) f32(v[i]);
    }
    uint32_t size() const { return pos_; }

private:
    void u16(uint16_t v) {
        u8(static_cast<uint8_t>(v));
        u8(static_cast<uint8_t>(v >> 8));
    }
    void u32(uint32_t v) {
        u16(static_cast<uint16_t>(v));
        u16(static_cast<uint16_t>(v >> 16));
    }
    uint8_t* bytes_;
    uint32_t pos_ = 0;
};

class RecordReader {
public:
    explicit RecordReader(const uint8_t* bytes) : bytes_(bytes) {}
    uint8_t u8() { return bytes_[pos_++]; }
    void pad() { ++pos_; }
    int16_t i16() { return static_cast<int16_t>(u16()); }
    int32_t i32() { return static_cast<int32_t>(u32()); }
    float f32() {
        const uint32_t bits = u32();
        float v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }
    void f32s(float* v, int n) {
        for (int i = 0; i < n; ++i) v[i] = f32();
    }

private:
    uint16_t u16() {
        const uint16_t lo = u8();
        return static_cast<uint16_t>(lo | (u8() << 8));
    }
    uint32_t u32() {
        const uint32_t lo = u16();
        return lo | (uint32_t{u16()} << 16);
    }
    const uint8_t* bytes_;
    uint32_t pos_ = 0;
};

void FoldElevation(Objex* o, const DocState* ds) {
    const float drop = ConvertWorldToScreen(o->elevation, ds, 0);
    for (Poinz* p = o->firstPoint; p; p = p->next) p->position[1] -= drop;
    o->elevation = 0.0f;
}

// The cabinet group to write: the root of the first selected cabinet object of the current
// layer.
Objex* SelectedCabinetAssembly() {
    Layer* layer = gCurDocument ? gCurDocument->itsCurLayer : nullptr;
    if (!layer) return nullptr;
    for (Objex* o = layer->firstObject; o; o = o->next)
        if ((o->type == objtype::kCabinetPart || o->subtype == objsubtype::kCabinetGroup) && IsObjectSelected(o))
            return GetRootObject(o);
    return nullptr;
}

}  // namespace

void ApplePortWritePaddedCabinetState(const CabinetState* s) {
    if (!s) return;
    uint8_t bytes[kCabinetStateRecordSize] = {};
    RecordWriter w(bytes);
    w.f32(s->f1);
    w.i32(s->f2);
    w.f32s(s->f3to17, 15);
    w.u8(s->f18);
    w.pad();
    w.f32s(s->f19to21, 3);
    w.i32(s->f22);
    w.f32s(s->f23to26, 4);
    w.u8(s->f27);
    w.pad();
    w.f32s(s->f28to29, 2);
    w.i32(s->f30);
    w.f32s(s->f31to36, 6);
    w.i32(s->f37);
    w.f32(s->f38);
    w.i16(s->f39);
    w.f32(s->f40);
    w.f32(s->elevation);
    WriteSome(bytes, w.size());
}

bool ApplePortReadPaddedCabinetState(CabinetState* s) {
    uint8_t bytes[kCabinetStateRecordSize];
    if (!s || !ReadSome(bytes, kCabinetStateRecordSize)) return false;
    RecordReader r(bytes);
    s->f1 = r.f32();
    s->f2 = r.i32();
    r.f32s(s->f3to17, 15);
    s->f18 = r.u8();
    r.pad();
    r.f32s(s->f19to21, 3);
    s->f22 = r.i32();
    r.f32s(s->f23to26, 4);
    s->f27 = r.u8();
    r.pad();
    r.f32s(s->f28to29, 2);
    s->f30 = r.i32();
    r.f32s(s->f31to36, 6);
    s->f37 = r.i32();
    s->f38 = r.f32();
    s->f39 = r.i16();
    s->f40 = r.f32();
    s->elevation = r.f32();
    return true;
}

void DoWriteCabinetState(const CabinetState* state) {
    if (!state) return;
    WriteLong(kCabinetStateLengthField);
    ApplePortWritePaddedCabinetState(state);
}

CabinetState* DoReadCabinetState() {
    int32_t lengthField = 0;
    ReadLong(&lengthField);
    CabinetState record;
    if (!ApplePortReadPaddedCabinetState(&record)) return nullptr;
    auto* state = new (std::nothrow) CabinetState(record);
    if (!state) return nullptr;
    if (!gCabinetObject && gOpenSymbol)
        if (const DocState* ds = CurrentDocState()) state->elevation = ds->currentElevation;
    return state;
}

bool IsCabinetFileVersion(int32_t version) {
    switch (version) {
    case 10450: case 10500: case 10700: case 10701: case 10750: case 10800: case 10900: case 11000:
    case 11100:
        return true;
    default:
        return false;
    }
}

int CabinetFileRead(const char* path, CabinetState** state) {
    if (!state || !gCurDocument || !path || DesignFileBusy()) return 0;
    *state = nullptr;
    FileOperationScope operation;
    if (!OpenInputFile(path)) return 0;
    InputBufferScope input;
    ReadStateGuard restore;
    CabinetState* read = nullptr;
    if (DoReadHeader() && IsCabinetFileVersion(sInputVersion)) read = DoReadCabinetState();
    if (!read) {
        ShowFileAlertSheet("Unable to load the cabinet file.",
                           "Please ensure the file is not damaged and was not created by a newer version of "
                           "Kesto! Mirabec.");
        return 0;
    }
    gCabinetOpen = 1;
    gOpenSymbol = 1;
    gReadingTopoLayer = 0;
    DoReadObjects();
    gCabinetOpen = 0;
    gOpenSymbol = 0;
    AdjustCabinetObjectElevation();
    *state = read;
    return 1;
}

void DoWriteCabinetObjects(Objex* first) {
    for (Objex* o = first; o; o = o->next) WriteAnObjectAndChildren(o);
    WriteShort(designtag::kSectionEnd);
}

int CabinetFileWrite(const char* path) {
    sWriteVersion = kCabinetFileVersion;
    gFileWriteFailed = 1;
    if (!gCurDocument || !path || !*path || DesignFileBusy()) return 0;
    Objex* root = SelectedCabinetAssembly();
    if (!root || root->typeData.kind != TypeDataKind::Cabinet || !root->typeData.cabinet) return 0;
    root->typeData.cabinet->elevation = root->elevation;
    FileOperationScope operation;
    StartOutputBuffer();
    DoWriteHeader();
    DoWriteCabinetState(root->typeData.cabinet);
    DoWriteCabinetObjects(root->firstChild);
    DoWritePalettes(kCabinetFileVersion);
    if (!FlushOutputBufferToFile(path)) {
        ShowFileAlertSheet("Unable to write the cabinet file.", kDiskSpaceText);
        return 0;
    }
    gFileWriteFailed = 0;
    return 1;
}

void AdjustTheCabinetObjectElevation(Objex* object) {
    const DocState* ds = CurrentDocState();
    if (!ds || !object) return;
    if (object->type == objtype::kCabinetPart) FoldElevation(object, ds);
    for (Objex* child = object->firstChild; child; child = child->next)
        if (child->type == objtype::kCabinetPart && IsObjectSelected(child)) FoldElevation(child, ds);
}

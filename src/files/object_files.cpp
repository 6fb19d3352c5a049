#include "files/object_files.h"

#include <cstring>
#include <string>

#include "app/core/main_window_seams.h"
#include "files/design_file.h"
#include "files/design_file_internal.h"
#include "files/ini.h"
#include "files/object_io.h"
#include "files/object_records.h"
#include "files/streams.h"
#include "model/bounds.h"
#include "model/command_globals.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/selection_ops.h"
#include "model/texture_mapping.h"
#include "port/alerts.h"
#include "port/seam.h"
#include "model/rebuild_table.h"

uint8_t gObjectStyle2D = 0;
static const port::GlobalReset kReset([] { gObjectStyle2D = 0; });

namespace {

constexpr int16_t kLayerTag = 100;
constexpr int16_t kObjectTag = 200;
constexpr int16_t kSectionEndTag = 400;
constexpr uint32_t kLayerRecordLength = 256 + 2 + 4;
// Subtype (and stored type) of the sibling's solids that keep their pattern in optionB.
constexpr int16_t kPatternSolidType = 158;
// Coordinates are stored at three times their plan value.
constexpr double kCoordinateScale = 3.0;
constexpr RGBColor kWhite{0xFFFF, 0xFFFF, 0xFFFF};

bool IsObjectFileVersion(int32_t version) { return version == 10000 || version == 10001; }

// Puts the 2D flag back however the import ends.
class ObjectStyleGuard {
public:
    ObjectStyleGuard() : saved_(gObjectStyle2D) {}
    ~ObjectStyleGuard() { gObjectStyle2D = saved_; }
    ObjectStyleGuard(const ObjectStyleGuard&) = delete;
    ObjectStyleGuard& operator=(const ObjectStyleGuard&) = delete;

private:
    uint8_t saved_;
};

bool SidecarAsksFor2D(const char* path) {
    const size_t length = std::strlen(path);
    if (length <= 4) return false;
    std::string sidecar(path, length - 3);
    sidecar += "OBD";
    return GetPrivateProfileInt("Style", "Object2D", 0, sidecar.c_str()) == 1;
}

void ShowUnreadableObjectFileAlert(const char* path) {
    CloseMainWindowSheet();
    port::Alert alert;
    alert.message = "Unable to load the object file.";
    alert.informative = std::string("The file '") + path +
                        "' might be damaged or created with a more recent version of Fentrix";
    alert.buttons = {"OK"};
    port::alerts().runModal(alert);
}

void ReadScaledTriple(float* v) {
    for (int i = 0; i < 3; ++i) {
        float stored = 0;
        ReadFloat(&stored);
        v[i] = static_cast<float>(stored / kCoordinateScale);
    }
}

// One point as stored, appended after `*tail` (the object's last point, kept by the caller's
// loop), or false when the input ran short (nothing is made then).
bool ReadOnePoint(Objex* o, Poinz** tail) {
    Poinz read;
    uint8_t flags[3] = {};
    ReadShort(&read.kind);
    ReadSome(flags, 3);
    ReadScaledTriple(read.inTangent);
    ReadScaledTriple(read.position);
    ReadScaledTriple(read.outTangent);
    ReadScaledTriple(read.acrossTangent);
    read.texture1 = ReadTextureID();
    read.texture2 = ReadTextureID();
    ReadFloat(&read.textureU);
    ReadFloat(&read.textureV);
    ReadFloat(&read.rowLength);
    ReadFloat(&read.rowPerimeter);
    if (InputTruncated()) return false;
    Poinz* p = CreatePoint(read.kind, 1, flags[2], 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, o);
    if (!p) return false;
    p->detectable = flags[1];
    std::memcpy(p->inTangent, read.inTangent, sizeof p->inTangent);
    std::memcpy(p->position, read.position, sizeof p->position);
    std::memcpy(p->outTangent, read.outTangent, sizeof p->outTangent);
    std::memcpy(p->acrossTangent, read.acrossTangent, sizeof p->acrossTangent);
    p->texture1 = read.texture1;
    p->texture2 = read.texture2;
    p->textureU = read.textureU;
    p->textureV = read.textureV;
    p->rowLength = read.rowLength;
    p->rowPerimeter = read.rowPerimeter;
    p->color1 = p->texture1 != 0 ? kWhite : o->penColor;
    p->color2 = p->texture2 != 0 ? kWhite : o->fillColor;
    *tail = AppendPointAfter(p, o, *tail);
    return true;
}

void ConvertImportedType(Objex* o) {
    if (o->type == objtype::kGroup) return;
    if (gObjectStyle2D) {
        o->type = objtype::kImported2D;
        return;
    }
    const bool patternSolid = o->type == kPatternSolidType;
    o->type = objtype::kFentrix;
    if (patternSolid) {
        o->subtype = kPatternSolidType;
        o->optionB = o->fillPattern;
    }
}

}  // namespace

bool ObjectFileRead(const char* path) {
    QMDDocumentModel* doc = gCurDocument;
    if (!doc || !path || DesignFileBusy()) return false;
    ObjectStyleGuard style;
    if (SidecarAsksFor2D(path)) gObjectStyle2D = 1;
    FileOperationScope operation;
    if (!OpenInputFile(path)) return false;
    InputBufferScope input;
    ReadStateGuard restore;
    if (!OBJDoReadHeader() || !IsObjectFileVersion(sInputVersion)) {
        ShowUnreadableObjectFileAlert(path);
        return false;
    }
    OBJDoReadDocState();
    Layer* layer = doc->itsCurLayer;
    if (layer) {
        OBJDoReadObjects(layer);
        return true;
    }
    // Nowhere to put the objects: read them all the same, then drop them.
    Layer* scratch = CreateLayer("Untitled", 1, 1, nullptr);
    if (scratch) {
        OBJDoReadObjects(scratch);
        DeleteLayer(scratch);
    }
    return false;
}

bool OBJDoReadHeader() { return DoReadHeader(); }

void OBJDoReadDocState() {
    int32_t length = 0;
    ReadLong(&length);
    ApplePortReadPaddedOBJDocState();
}

bool ApplePortReadPaddedOBJDocState() {
    // Nothing of the sibling's settings is used.
    const bool whole = RemainingInput() >= kOBJDocStateLength;
    SkipInput(kOBJDocStateLength);
    return whole;
}

void OBJDoReadObjects(Layer* layer) {
    if (!layer) return;
    int16_t tag = 0;
    while (!InputTruncated() && ReadShort(&tag) && tag != kSectionEndTag) {
        if (tag == kLayerTag) {
            OBJReadALayer();
        } else if (tag == kObjectTag) {
            OBJReadAnObject(layer);
        }
    }
}

void OBJReadALayer() { SkipInput(kLayerRecordLength); }

Objex* OBJReadAnObject(Layer* layer) {
    const DocState* ds = CurrentDocState();
    if (!layer || !ds) return nullptr;
    Objex* o = CreateObject(0, 0, 0, nullptr, nullptr, 0, 0, 0, nullptr, nullptr, nullptr, nullptr, layer, TypeData{});
    if (!o) return nullptr;
    OBJReadObjectInfo(o);
    ConvertImportedType(o);
    o->planBits = gWorkbenchObject ? gWorkbenchObject->planBits : ds->currentPlanBit;
    const bool allPoints = OBJReadObjectPoints(o);
    OBJReadObjectData(o);
    if (!allPoints || InputTruncated()) {
        // Only complete records are imported.
        DeleteObj(o);
        return nullptr;
    }
    AppendObjectToLayer(o, layer);
    UpdateObjectBounds(o);
    SelectObj(o, selmode::kSelect, 0);
    if (IsObjectPointValuesInvalid(o)) {
        DeleteObj(o);
        return nullptr;
    }
    if (o->type == objtype::kGroup || o->pointCount == 0) {
        // Groups are not rebuilt; an object without points is nothing.
        DeleteObj(o);
        return nullptr;
    }
    SetTextureFaceUV(o);
    SetObjectPointLengths(o);
    if (!gSymbarObjectDrop) rebuild::RenderSingleObject(o);
    return o;
}

void OBJReadObjectInfo(Objex* o) {
    if (!o) return;
    ReadShort(&o->type);
    ReadSome(&o->closed, 1);
    ReadSome(&o->visible, 1);
    ReadColor(&o->fillColor);
    ReadColor(&o->auxColor);
    ReadColor(&o->penColor);
    ReadFloat(&o->penWidth);
    ReadShort(&o->penStyle);
    ReadShort(&o->fillPattern);
    ReadShort(&o->rows);
    ReadLong(&o->pointCount);
    ReadSome(&o->flagA, 1);
    ReadShort(&o->elevationMode);
    o->texture = ReadTextureID();
    ReadStdRect(&o->textureFaceRect);
    ReadStdRect(&o->textureFaceRect2);
    ReadShort(&o->faceAxis);
}

bool OBJReadObjectPoints(Objex* o) {
    if (!o) return false;
    int32_t count = 0;
    if (!ReadLong(&count)) return false;
    int32_t read = 0;
    // The stored count is not trusted: appending counts the points read from 0 (from the
    // largest stored count it would overflow).
    o->pointCount = 0;
    // A damaged count cannot make more points than the input holds: each takes bytes.
    Poinz* tail = nullptr;
    while (read < count && !AtEndOfInput() && ReadOnePoint(o, &tail)) ++read;
    o->pointCount = read;
    if (o->rows < 1 || read % o->rows != 0) o->rows = 1;
    return read >= count;
}

void OBJReadObjectData(Objex*) {}

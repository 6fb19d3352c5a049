#include "files/object_io.h"

#include <cmath>
#include <unordered_map>

#include "files/object_records.h"
#include "files/streams.h"
#include "files/type_data_io.h"
#include "model/bounds.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_rebuild.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "files/plant_info_files.h"
#include "model/selection_ops.h"
#include "model/selection_queries.h"
#include "model/texture_mapping.h"
#include "port/seam.h"

namespace {

constexpr RGBColor kWhite{0xFFFF, 0xFFFF, 0xFFFF};
constexpr RGBColor kBlack{0, 0, 0};
constexpr ShortPoint kFullScale{100, 100};
// Plant images from this ID on are wire frames, not kept from older files.
constexpr int32_t kFirstWireFramePlantTexture = 14050;
constexpr float kCoordinateLimit = 1000000.0f;
// Records nest (a custom window's parts, a trim's profile); no sound file nests this deep,
// and a damaged one must not exhaust the stack.
constexpr int kMaxRecordNesting = 16;

int sNesting = 0;

// Descriptions of the library plants read so far, by texture, while sharing is on.
std::unordered_map<int32_t, PlantInfo> sPlantDescriptions;
int sPlantSharing = 0;

static const port::GlobalReset kReset([] {
    sNesting = 0;
    std::unordered_map<int32_t, PlantInfo>().swap(sPlantDescriptions);
    sPlantSharing = 0;
});

PlantInfo* LibraryPlantInfo(int32_t texture) {
    if (!sPlantSharing) return CreatePlantInfo(texture);
    const auto found = sPlantDescriptions.find(texture);
    if (found != sPlantDescriptions.end()) return DuplicatePlantInfo(&found->second);
    PlantInfo* info = CreatePlantInfo(texture);
    if (info) sPlantDescriptions.emplace(texture, *info);
    return info;
}

struct NestingGuard {
    NestingGuard() { ++sNesting; }
    ~NestingGuard() { --sNesting; }
    NestingGuard(const NestingGuard&) = delete;
    NestingGuard& operator=(const NestingGuard&) = delete;
};

bool IsUserPlant(const Objex* o) {
    return o->type == objtype::kPlant && o->subtype == objsubtype::kUserPlant;
}

void SetAllScales(Objex* o, int count) {
    for (int i = 0; i < count; ++i) o->textureScales[i] = kFullScale;
}

void EmptyTrim(TrimRecord* trim) {
    if (!trim) return;
    trim->slot[0] = trim->slot[1] = 0;
    for (Objex*& profile : trim->profile) {
        if (profile) DeleteObj(profile);
        profile = nullptr;
    }
}

void ApplyOldWallDefaults(Objex* o, Layer* layer) {
    const int32_t v = sInputVersion;
    const float layerHeight = layer ? layer->height : 0.0f;
    using namespace objfield::wall;
    if (kHeight(*o) < 0.5f) kHeight(*o) = layerHeight;
    if (kStudSpacing(*o) < 6.0f) kStudSpacing(*o) = 16.0f;
    if (v == 10400 || v == 10410) {
        o->texture5 = 850;
        o->color5 = kWhite;
        SetAllScales(o, 5);
        for (Poinz* p = o->firstPoint; p; p = p->next) p->faceScale1 = p->faceScale2 = kFullScale;
    }
    if (!filever::IsFirstReleaseFile(v)) return;
    o->optionA = 0;
    kStudSpacing(*o) = 16.0f;
    o->texture = 1700;
    o->auxColor.red = 1;
    o->texture2 = 2213;
    o->texture3 = 2212;
    o->texture4 = 2213;
    o->texture5 = 850;
    o->color2 = o->color3 = o->color4 = o->color5 = kWhite;
    SetAllScales(o, 5);
    kBaseOffset(*o) = 0.5f;
    kQuickWallWidth(*o) = 12.0f;
    const float base = GetLayerAbsBaseHeight(layer);
    int16_t flipped = 0;
    for (Poinz* p = o->firstPoint; p; p = p->next, flipped = static_cast<int16_t>(1 - flipped)) {
        p->dimensionFlipped = flipped;
        p->position[1] = 0;
        p->baseElevation = base;
        p->wallStyle = 0;
        p->dimensionMethod = 0;
        p->segmentFlags = 0;
        EmptyTrim(p->trim1);
        EmptyTrim(p->trim2);
        if (p->segmentValues[0] < 0.5f) p->segmentValues[0] = layerHeight;
        p->segmentValues[1] = 10.0f;
        p->segmentValues[2] = 10.0f;
        p->segmentValues[3] = 1.25f * layerHeight;
        p->segmentValues[4] = 1.75f * layerHeight;
        p->faceScale1 = p->faceScale2 = kFullScale;
    }
}

// Old-file defaults, then the 3D rebuild of the type.
void RebuildReadObject(Objex* o, Layer* layer) {
    const int32_t v = sInputVersion;
    switch (o->type) {
    case objtype::kWall:
        ApplyOldWallDefaults(o, layer);
        break;
    case objtype::kRoof:
        if (!filever::HasCurrentMaterials(v)) {
            o->color2 = kWhite;
            o->textureScales[0] = kFullScale;
            o->texture2 = 0;
        }
        break;
    case objtype::kFence:
        if (!filever::HasFenceMaterials(v)) ApplyDefaultFenceMaterials(o);
        break;
    case objtype::kStaircase:
        if (filever::NeedsStairStyleReset(v)) {
            objfield::stair::kClosedStringer(*o) = 0;
            objfield::stair::kLargeBase(*o) = 0;
        }
        if (filever::IsFirstReleaseFile(v)) objfield::stair::kFloorHeight(*o) = layer ? layer->height : 0.0f;
        break;
    case objtype::kFreehandRoof:
        if (!filever::HasCurrentMaterials(v)) {
            o->texture4 = 0;
            o->color4 = kWhite;
            o->textureScales[2] = kFullScale;
        }
        break;
    default:
        break;
    }
    RebuildObjectByType(o, RebuildTable::Read, false);
}

void GivePlantInfo(Objex* o, PlantInfo* info) {
    DeletePlantInfo(o->plantInfo);
    o->plantInfo = info;
}

// Takes the rest of the input: a record nested beyond reason means a damaged file.
void AbandonInput() {
    SkipInput(RemainingInput());
    uint8_t probe = 0;
    ReadSome(&probe, 1);
}

}  // namespace

void ApplyDefaultFenceMaterials(Objex* o) {
    if (const DocState* ds = CurrentDocState()) {
        for (int i = 0; i < objfield::fence::kSizeCount; ++i)
            objfield::fence::kSize(i)(*o) = ds->fenceSizes[objfield::fence::kSettingsSize[i]];
    }
    o->texture2 = 850;
    o->texture3 = 850;
    o->texture4 = 2200;
    o->color2 = o->color3 = o->color4 = kWhite;
    SetAllScales(o, 3);
}

bool IsObjectPointValuesInvalid(const Objex* o) {
    if (!o) return false;
    for (const Poinz* p = o->firstPoint; p; p = p->next)
        for (float c : p->position)
            if (std::isnan(c) || c > kCoordinateLimit || c < -kCoordinateLimit) return true;
    return objtype::TooFewPointsForArea(o->type, o->pointCount);
}

void WriteAnObject(Objex* o) {
    if (!o) return;
    if (gUseScrap && !IsObjectSelected(o)) return;
    if (o->type == objtype::kDimensionText) return;
    WriteShort(kObjectRecordTag);
    WriteObjectInfo(o);
    WriteObjectPoints(o);
    WriteObjectData(o);
}

void WritePartObject(Objex* o) {
    if (!o) return;
    if (!gUseScrap) {
        WriteAnObject(o);
        return;
    }
    SelectObj(o, selmode::kSelect, 0);
    WriteAnObject(o);
    SelectObj(o, selmode::kDeselect, 0);
}

Objex* ReadAnObject(Layer* layer, uint8_t append) {
    if (!layer) return nullptr;
    if (sNesting >= kMaxRecordNesting) {
        AbandonInput();
        return nullptr;
    }
    NestingGuard nesting;
    const int32_t v = sInputVersion;
    RGBColor fill = kWhite;
    RGBColor pen = kBlack;
    Objex* o = CreateObject(0, 0, 0, &fill, &pen, 1.0f, 6, 0, nullptr, nullptr, nullptr, nullptr, layer, TypeData{});
    if (!o) return nullptr;

    ReadObjectInfo(o);
    // The stored point count is replaced by the points actually read (ReadObjectPoints).
    o->pointCount = 0;
    ReadObjectPoints(o);

    if (o->type == objtype::kPlant && o->firstPoint && (!filever::HasUserPlantPaths(v) || !IsUserPlant(o)))
        GivePlantInfo(o, LibraryPlantInfo(o->firstPoint->texture1));

    if (append && o->type != objtype::kSlopeArrow) AppendObjectToLayer(o, layer);
    UpdateObjectBounds(o);
    ReadObjectData(o, layer);

    if (!o->firstPoint && o->type != objtype::kGroup) {
        DeleteObj(o);
        return nullptr;
    }
    if (filever::HasUserPlantPaths(v) && IsUserPlant(o)) {
        const char* path = o->typeData.kind == TypeDataKind::ImagePath ? o->typeData.imagePath : nullptr;
        GivePlantInfo(o, CreateUserPlantInfo(path));
    }
    if (gOpenSymbol) SelectObj(o, selmode::kSelect, 0);
    if (o->type != objtype::kGroup) {
        SetTextureFaceUV(o);
        SetObjectPointLengths(o);
        RebuildReadObject(o, layer);
    }
    const bool wireFramePlant = o->type == objtype::kPlant && filever::DropsNewerLibraryPlants(v) && !IsUserPlant(o) &&
                                o->firstPoint && o->firstPoint->texture1 >= kFirstWireFramePlantTexture;
    if (wireFramePlant || o->type == objtype::kSlopeArrow || IsObjectPointValuesInvalid(o)) {
        DeleteObj(o);
        return nullptr;
    }
    return o;
}

SharedPlantDescriptions::SharedPlantDescriptions() { ++sPlantSharing; }

SharedPlantDescriptions::~SharedPlantDescriptions() {
    if (--sPlantSharing <= 0) {
        sPlantSharing = 0;
        sPlantDescriptions.clear();
    }
}

void ReadObjectsUntilTag(Layer* layer, int16_t endTag, const std::function<void(Objex*)>& take) {
    while (!AtEndOfInput()) {
        int16_t tag = 0;
        if (!ReadShort(&tag) || tag == endTag) return;
        Objex* o = ReadAnObject(layer, 0);
        if (!o) continue;
        o->layer = nullptr;
        take(o);
    }
}

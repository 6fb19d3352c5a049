#include "render/core/texture_files.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "files/content_folders.h"
#include "files/ini.h"
#include "files/palettes.h"
#include "model/document_model.h"
#include "model/transforms.h"
#include "port/files.h"
#include "render/core/custom_textures.h"

namespace {

struct TextureRange {
    int32_t first;
    int32_t last;
    const char* folder;
    const char* prefix;
};

// Each range numbers its files from 1; several share a folder.
constexpr TextureRange kStockRanges[] = {
    {1, 1, "SKY", "SKY"},
    {2, 2, "GROUND", "GROUND"},
    {4, 4, "WOOD", "WOOD"},
    {300, 326, "SHRUBS", "SHRUB"},
    {400, 425, "ANNUALS", "ANNUAL"},
    {500, 551, "TREES", "TREE"},
    {800, 822, "BLOCK", "BLOCK"},
    {850, 915, "BRICK", "BRICK"},
    {950, 955, "CONCRETE", "CONCRE"},
    {1000, 1040, "FABRICS", "FABRIC"},
    {1100, 1129, "FILLS", "FILL"},
    {1150, 1170, "GROUND", "GROUND"},
    {1200, 1215, "PAVERS", "PAVER"},
    {1250, 1285, "ROOFING", "ROOF"},
    {1300, 1347, "SIDING", "SIDING"},
    {1350, 1391, "STONE", "STONE"},
    {1400, 1408, "STUCCO", "STUCCO"},
    {1450, 1481, "TILE", "TILE"},
    {1500, 1519, "WOOD", "WOOD"},
    {1525, 1542, "DECK", "DECK"},
    {1550, 1551, "SKY", "SKY"},
    {1600, 1630, "WALLCVRS", "COVER"},
    {1700, 1834, "FABRICS", "FABRIC"},
    {1900, 1955, "CARPET", "CARPET"},
    {2000, 2014, "GRAVEL", "GRAVEL"},
    {2050, 2151, "TILE", "TILE"},
    {2200, 2247, "WOOD", "WOOD"},
    {2300, 2344, "DECK", "DECK"},
    {3000, 3230, "SHRUBS", "SHRUB"},
    {3300, 3371, "ANNUALS", "ANNUAL"},
    {3400, 3550, "TREES", "TREE"},
    {3600, 3609, "BULBS", "BULB"},
    {3650, 3659, "CACTI", "CACTI"},
    {3700, 3733, "GROUNDCOVER", "GRDCVR"},
    {3750, 3759, "HEDGES", "HEDGE"},
    {3800, 3809, "GRASSES", "ORNAM"},
    {3850, 3952, "PERENNIALS", "PEREN"},
    {4000, 4034, "TROPICALS", "TROP"},
    {4050, 4066, "WILDFLOWERS", "WILDF"},
    {5000, 5681, "SHRUBS", "SHRUB"},
    {6000, 6213, "ANNUALS", "ANNUAL"},
    {7000, 7460, "TREES", "TREE"},
    {7461, 7474, "TREES", "KESTO"},
    {8000, 8082, "BULBS", "BULB"},
    {9000, 9085, "CACTI", "CACTI"},
    {10000, 10055, "HEDGES", "HEDGE"},
    {11000, 11098, "GRASSES", "ORNAM"},
    {12000, 12504, "PERENNIALS", "PEREN"},
    {13000, 13022, "EDIBLES", "EDIBLES"},
    {14000, 14005, "LIGHT", "LIGHT"},
};

constexpr bool RangesSorted() {
    for (size_t i = 1; i < sizeof kStockRanges / sizeof kStockRanges[0]; ++i)
        if (kStockRanges[i].first <= kStockRanges[i - 1].last) return false;
    return true;
}
static_assert(RangesSorted());

constexpr int32_t kFirstStockID = 1;
constexpr int32_t kLastStockID = 14999;
constexpr int32_t kFirstSharedPlantInfoID = 3000;
constexpr int32_t kLastSharedPlantInfoID = 13023;

bool IsStockTextureID(int32_t id) { return id >= kFirstStockID && id <= kLastStockID; }
bool HasInfoInSharedPlantFolder(int32_t id) {
    return id >= kFirstSharedPlantInfoID && id <= kLastSharedPlantInfoID;
}

const TextureRange* FindStockRange(int32_t id) {
    size_t lo = 0, hi = sizeof kStockRanges / sizeof kStockRanges[0];
    while (lo < hi) {
        const size_t mid = (lo + hi) / 2;
        if (id < kStockRanges[mid].first) hi = mid;
        else if (id > kStockRanges[mid].last) lo = mid + 1;
        else return &kStockRanges[mid];
    }
    return nullptr;
}

// Puts a path into a caller's 512-byte buffer; false (buffer untouched) when it does not fit.
bool PutPath(const std::string& text, char* path) {
    if (text.size() >= static_cast<size_t>(kTexturePathBufferSize)) return false;
    std::memcpy(path, text.c_str(), text.size() + 1);
    return true;
}

}  // namespace

void GetTextureInfoFileNameFromID(int32_t textureID, char* path) {
    if (!path || !IsStockTextureID(textureID)) return;
    const std::string folder =
        HasInfoInSharedPlantFolder(textureID) ? LocalDomainUserSharedTexturePath() : LocalDomainTexturePath();
    if (folder.empty()) {
        path[0] = 0;
        return;
    }
    const std::string base = folder + "/";
    std::string full = base;
    // The wire-frame plant images have no info file and no row here.
    if (const TextureRange* r = FindStockRange(textureID))
        full += std::string(r->folder) + "/" + r->prefix + std::to_string(textureID - r->first + 1) + ".PTI";
    if (!PutPath(full, path) && !PutPath(base, path)) path[0] = 0;
}

int32_t GetCustomTextureInfoFileNameFromID(int32_t textureID, char* path) {
    if (!path || textureID < kFirstCustomTextureID) return 0;
    const std::string folder = LocalDomainCustomTexturePath();
    if (folder.empty()) {
        path[0] = 0;
        return 0;
    }
    const std::string base = folder + "/";
    if (!PutPath(base, path)) path[0] = 0;
    const char* stored = GetCustomTextureIDPath(textureID);
    if (!stored) return 0;
    std::string full = base + stored;
    full.resize(full.size() - std::min<size_t>(3, std::strlen(stored)));
    full += "PTI";
    return PutPath(full, path) ? 1 : 0;
}

const char* SetPathPtrToFilename(const char* path) {
    if (!path || !*path) return nullptr;
    const char* name = path;
    for (const char* c = path; *c; ++c)
        if (*c == '/' || *c == '\\') name = c + 1;
    return name;
}

void Validate512Pathname(char* path) {
    if (!path) return;
    const std::string current(path, strnlen(path, kTexturePathBufferSize - 1));
    if (!IsWin32Path(current.c_str()) && port::FileExists(current)) return;
    const std::string content = LocalDomainContentPath();
    const char* name = SetPathPtrToFilename(current.c_str());
    if (content.empty() || !name || !*name) return;
    const std::string candidate = content + "/" + name;
    if (port::FileExists(candidate)) PutPath(candidate, path);
}

int32_t LoadTextureWH(int32_t textureID, int32_t* width, int32_t* height) {
    if (IsTextureAPalette(textureID)) textureID = GetPaletteTextureID(textureID);
    if (!width || !height || !IsStockTextureID(textureID)) return -1;
    char info[kTexturePathBufferSize] = {};
    GetTextureInfoFileNameFromID(textureID, info);
    *width = GetPrivateProfileInt("Size", "Width", 100, info);
    *height = GetPrivateProfileInt("Size", "Height", 100, info);
    return *height;
}

int32_t LoadCustomTextureWH(int32_t textureID, int32_t* width, int32_t* height) {
    if (IsTextureAPalette(textureID)) textureID = GetPaletteTextureID(textureID);
    if (!width || !height || textureID < kFirstCustomTextureID) return -1;
    char info[kTexturePathBufferSize] = {};
    GetCustomTextureInfoFileNameFromID(textureID, info);
    *width = GetPrivateProfileInt("Size", "Width", -1, info);
    *height = GetPrivateProfileInt("Size", "Height", -1, info);
    return *height;
}

void ComputeTextureScale(int32_t textureID, float faceWidth, float faceHeight, float* scaleH, float* scaleV) {
    if (scaleH) *scaleH = 1.0f;
    if (scaleV) *scaleV = 1.0f;
    if (!scaleH || !scaleV) return;
    if (IsTextureAPalette(textureID)) textureID = GetPaletteTextureID(textureID);
    const DocState* ds = CurrentDocState();
    int32_t w = -1, h = -1;
    if (IsStockTextureID(textureID)) {
        if (!ds) return;
        LoadTextureWH(textureID, &w, &h);
        if (w == -1 && h == -1) return;
    } else if (textureID >= kFirstCustomTextureID && gCurDocument) {
        *scaleV = -1.0f;
        if (!ds) return;
        LoadCustomTextureWH(textureID, &w, &h);
        // A custom texture without a size keeps that factor.
        if (w == -1) w = 0;
        if (h == -1) h = 0;
    } else {
        return;
    }
    const float sw = ConvertWorldToScreen(static_cast<float>(w), ds, 0);
    const float sh = ConvertWorldToScreen(static_cast<float>(h), ds, 0);
    if (sw != 0.0f) *scaleH = faceWidth / sw;
    if (sh != 0.0f) *scaleV = faceHeight / -sh;
}

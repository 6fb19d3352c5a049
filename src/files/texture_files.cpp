#include "files/texture_files.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include <strings.h>

#include "files/content_folders.h"
#include "files/ini.h"
#include "files/palettes.h"
#include "files/windows_records.h"
#include "model/attachments.h"
#include "model/document_model.h"
#include "model/transforms.h"
#include "port/files.h"
#include "files/custom_textures.h"

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

// The wire-frame plant images, IDs 14060 on, in ID order.
constexpr int32_t kFirstWireFrameID = 14060;
constexpr const char* kWireFrameNames[] = {
    "WireTree.ptx",    "WireShrub.ptx",    "WireAnnual.ptx",      "WireBulb.ptx",
    "WireCacti.ptx",   "WireGroundCover.ptx", "WireHedge.ptx",    "WireGrasses.ptx",
    "WirePerennial.ptx", "WireTropical.ptx", "WireWildFlower.ptx", "WireEdible.ptx",
};
constexpr int32_t kLastWireFrameID = kFirstWireFrameID + int32_t(sizeof kWireFrameNames / sizeof kWireFrameNames[0]) - 1;

// The plant groups with a wire-frame image of their own; everything else draws as a tree.
struct WireFrameGroup {
    int32_t first;
    int32_t last;
    int32_t wireFrameID;
};
constexpr WireFrameGroup kWireFrameGroups[] = {
    {300, 326, 14061},     {400, 425, 14062},     {3000, 3230, 14061},   {3300, 3371, 14062},
    {3600, 3609, 14063},   {3650, 3659, 14064},   {3700, 3733, 14065},   {3750, 3759, 14066},
    {3800, 3809, 14067},   {3850, 3952, 14068},   {4000, 4034, 14069},   {4050, 4066, 14070},
    {5000, 5681, 14061},   {6000, 6213, 14062},   {8000, 8082, 14063},   {9000, 9085, 14064},
    {10000, 10055, 14066}, {11000, 11098, 14067}, {12000, 12504, 14068}, {13000, 13022, 14071},
};

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

// The placeholder in the custom texture folder as it is spelt on disk; "na.ptx" there when
// no spelling exists (or "" without the folder).
std::string PlaceholderTexturePath() {
    const std::string folder = LocalDomainCustomTexturePath();
    if (folder.empty()) return {};
    const std::string plain = folder + "/" + kPlaceholderTextureName;
    if (port::FileExists(plain)) return plain;
    for (const std::string& entry : port::ListFolder(folder))
        if (strcasecmp(entry.c_str(), kPlaceholderTextureName) == 0 && port::FileExists(folder + "/" + entry))
            return folder + "/" + entry;
    return plain;
}

// The content folder's file of the name that ends `path`, or "" without one.
std::string ContentFolderCandidate(const char* path) {
    const std::string content = LocalDomainContentPath();
    const char* name = SetPathPtrToFilename(path);
    if (content.empty() || !name || !*name) return {};
    return content + "/" + name;
}

bool OpensAsItStands(const char* path) { return !IsWin32Path(path) && port::FileExists(path); }

}  // namespace

void GetTextureFileNameFromID(int32_t textureID, char* name) {
    if (!name || !IsStockTextureID(textureID)) return;
    std::string text;
    if (textureID >= kFirstWireFrameID && textureID <= kLastWireFrameID)
        text = std::string("WIREPLANTS/") + kWireFrameNames[textureID - kFirstWireFrameID];
    else if (const TextureRange* r = FindStockRange(textureID))
        text = std::string(r->folder) + "/" + r->prefix + std::to_string(textureID - r->first + 1) + ".PTX";
    if (!PutPath(text, name)) name[0] = 0;
}

int32_t GetWireFramePlantTextureIDNameFromID(int32_t textureID) {
    if (!IsStockTextureID(textureID)) return 0;
    for (const WireFrameGroup& g : kWireFrameGroups)
        if (textureID >= g.first && textureID <= g.last) return g.wireFrameID;
    return kFirstWireFrameID;
}

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
    if (!PutPath(SharedFile(full), path) && !PutPath(base, path)) path[0] = 0;
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

bool VerifyOrFindFile(char* path, bool searchContent, bool substituteMissing) {
    if (!path) return false;
    const std::string current(path, strnlen(path, kTexturePathBufferSize - 1));
    if (OpensAsItStands(current.c_str())) return true;
    if (searchContent) {
        const std::string candidate = ContentFolderCandidate(current.c_str());
        return !candidate.empty() && port::FileExists(candidate) && PutPath(candidate, path);
    }
    if (substituteMissing) {
        const std::string placeholder = PlaceholderTexturePath();
        if (!placeholder.empty()) PutPath(placeholder, path);
    }
    return false;
}

std::unique_ptr<DIBImage> LoadGLDIBImage(const char* path) {
    if (!path) return nullptr;
    if (OpensAsItStands(path)) return ApplePortDIBImageLoad(path);
    const std::string candidate = ContentFolderCandidate(path);
    if (!candidate.empty() && port::FileExists(candidate)) return ApplePortDIBImageLoad(candidate.c_str());
    const std::string placeholder = PlaceholderTexturePath();
    if (placeholder.empty() || !port::FileExists(placeholder)) return nullptr;
    return ApplePortDIBImageLoad(placeholder.c_str());
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

void UpdateAllAttachmentsCustomTextureWH(int32_t textureID) {
    if (textureID < kFirstCustomTextureID || !gCurDocument) return;
    int32_t width = 0, height = 0;
    LoadCustomTextureWH(textureID, &width, &height);
    SetAllAttachmentsCustomTextureWH(textureID, width, height);
}

bool LoadCustomTextureAlpha(int32_t textureID) {
    if (textureID < kFirstCustomTextureID) return true;
    char info[kTexturePathBufferSize] = {};
    if (!GetCustomTextureInfoFileNameFromID(textureID, info)) return false;
    return GetPrivateProfileInt("Opacity", "Alpha", 0, info) != 0;
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

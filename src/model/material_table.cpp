#include "model/material_table.h"

#include <algorithm>

#include "port/seam.h"

namespace {

constexpr RGBColor kMaterials[kMaterialTableSize] = {
    {0x5A5A, 0x9E9E, 0x3C3C},  // lawn
    {0x8B8B, 0x6565, 0x4242},  // soil
    {0x6B6B, 0x4444, 0x2828},  // mulch
    {0xA8A8, 0xA2A2, 0x9595},  // gravel
    {0xE0E0, 0xCDCD, 0x9A9A},  // sand
    {0xC0C0, 0xC0C0, 0xBABA},  // concrete
    {0x4A4A, 0x4A4A, 0x4D4D},  // asphalt
    {0xA5A5, 0x4F4F, 0x3B3B},  // brick pavers
    {0x9C9C, 0x8E8E, 0x7777},  // flagstone
    {0x4F4F, 0x8D8D, 0xC2C2},  // water
    {0xA0A0, 0x7A7A, 0x4E4E},  // wood chips
    {0x3F3F, 0x7575, 0x3030},  // ground cover
    {0xB5B5, 0xB0B0, 0xA6A6},  // crushed stone
    {0xB0B0, 0x6A6A, 0x4646},  // clay
    {0xF5F5, 0xF5F5, 0xFAFA},  // snow
    {0x7D7D, 0x7878, 0x7272},  // rock
};

}  // namespace

RGBColor gMaterialTable[kMaterialTableSize] = {
    kMaterials[0],  kMaterials[1],  kMaterials[2],  kMaterials[3],
    kMaterials[4],  kMaterials[5],  kMaterials[6],  kMaterials[7],
    kMaterials[8],  kMaterials[9],  kMaterials[10], kMaterials[11],
    kMaterials[12], kMaterials[13], kMaterials[14], kMaterials[15],
};

static const port::GlobalReset kReset([] {
    std::copy(std::begin(kMaterials), std::end(kMaterials), gMaterialTable);
});

RGBColor MaterialTableColor(int32_t material) {
    if (material < 0 || material >= kMaterialTableSize) material = 0;
    return gMaterialTable[material];
}

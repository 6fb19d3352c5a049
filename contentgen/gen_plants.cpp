// The stock plants: numbered plant textures in the plant folders, each a picture on black (the
// billboard's key), a preview for the palette and an info file with the plant's names, growing
// conditions and growth; and the wire-frame render's plant outlines. Growing conditions use
// the plant finder's scales: sunlight 1 full sun to 4 full shade, water 1 dry to 4 wet,
// propagation 1 spring to 4 winter, soil 1 clay, 2 loam, 3 sand, 4 silt, 5 peat, 6 chalk,
// 7 rocky, 8 wet; "Type" is the plant's category (1 trees to 12 edibles).
#include <string>
#include <vector>

#include "contentgen.h"
#include "materials_paint.h"
#include "output.h"
#include "plants_draw.h"

namespace contentgen {

namespace {

using plants::Form;
using plants::Look;
using texturing::Rgb;

struct Category {
    const char* folder;  // as the texture table spells it
    const char* prefix;
    int type;
};
constexpr Category kTrees{"TREES", "TREE", 1}, kShrubs{"SHRUBS", "SHRUB", 2}, kHedges{"HEDGES", "HEDGE", 3},
    kCacti{"CACTI", "CACTI", 4}, kBulbs{"BULBS", "BULB", 5}, kAnnuals{"ANNUALS", "ANNUAL", 6},
    kPerennials{"PERENNIALS", "PEREN", 7}, kWildFlowers{"WILDFLOWERS", "WILDF", 8},
    kGroundCover{"GROUNDCOVER", "GRDCVR", 9}, kGrasses{"GRASSES", "ORNAM", 10}, kTropicals{"TROPICALS", "TROP", 11},
    kEdibles{"EDIBLES", "EDIBLES", 12};

struct Plant {
    Category category;
    int number;
    const char* commonName;
    const char* botanicalName;
    int sun, water, propagation, soil;
    int zoneLow, zoneHigh;
    int maximumHeight;  // inches
    int growthRate;     // per cent a year
    const char* foliage;
    const char* shape;
    const char* flowerColor;
    const char* usage;
    Look look;
};

Look Foliage(Form form, Rgb dark, Rgb mid, Rgb light, double width, double crown, uint32_t seed) {
    Look l;
    l.form = form, l.dark = dark, l.mid = mid, l.light = light, l.width = width, l.crown = crown, l.seed = seed;
    return l;
}

Look Flowering(Look l, Rgb flower, Rgb centre, int flowers, int variant = 0) {
    l.flower = flower, l.flowerCentre = centre, l.flowers = flowers, l.variant = variant;
    return l;
}

Look WithBark(Look l, Rgb bark) {
    l.bark = bark;
    return l;
}

constexpr Rgb kLeafDark{40, 82, 30}, kLeafMid{70, 130, 46}, kLeafLight{130, 180, 70};
constexpr Rgb kDeepDark{26, 58, 26}, kDeepMid{46, 92, 40}, kDeepLight{90, 140, 60};
constexpr Rgb kWhite{244, 242, 236};

const std::vector<Plant>& Plants() {
    static const std::vector<Plant> plants = {
        {kTrees, 1, "Sugar Maple", "Acer saccharum", 1, 2, 3, 2, 3, 8, 900, 22, "Deciduous", "Rounded", "Yellow-green",
         "Shade tree", Foliage(Form::Broadleaf, kLeafDark, kLeafMid, kLeafLight, 0.82, 0.74, 701)},
        {kTrees, 2, "Red Maple", "Acer rubrum", 1, 3, 1, 2, 3, 9, 720, 23, "Deciduous, red in fall", "Oval", "Red",
         "Shade tree", Foliage(Form::Broadleaf, {120, 26, 18}, {186, 54, 28}, {236, 122, 52}, 0.7, 0.78, 702)},
        {kTrees, 3, "White Oak", "Quercus alba", 1, 2, 3, 2, 3, 9, 960, 20, "Deciduous", "Broad, spreading", "n/a",
         "Shade tree", WithBark(Foliage(Form::Broadleaf, {34, 62, 28}, {58, 98, 40}, {100, 140, 60}, 0.98, 0.58, 703), {84, 70, 58})},
        {kTrees, 4, "Red Oak", "Quercus rubra", 1, 2, 3, 3, 3, 8, 900, 22, "Deciduous", "Rounded", "n/a", "Shade tree",
         Foliage(Form::Broadleaf, {38, 66, 30}, {66, 104, 44}, {110, 150, 66}, 0.9, 0.66, 704)},
        {kTrees, 5, "Eastern White Pine", "Pinus strobus", 1, 2, 1, 3, 3, 8, 1200, 24, "Evergreen", "Open, irregular",
         "n/a", "Windbreak", Foliage(Form::Pine, {30, 60, 50}, {56, 100, 80}, {100, 146, 120}, 0.86, 0.9, 705)},
        {kTrees, 6, "Colorado Blue Spruce", "Picea pungens", 1, 2, 1, 2, 2, 7, 720, 19, "Evergreen", "Conical", "n/a",
         "Specimen", Foliage(Form::Conifer, {40, 66, 80}, {80, 116, 128}, {140, 170, 176}, 0.72, 1, 706)},
        {kTrees, 7, "Paper Birch", "Betula papyrifera", 1, 3, 1, 3, 2, 7, 720, 21, "Deciduous", "Oval", "n/a", "Specimen",
         Foliage(Form::Birch, {70, 110, 40}, {120, 160, 60}, {180, 210, 100}, 0.72, 0.62, 707)},
        {kTrees, 8, "Weeping Willow", "Salix babylonica", 1, 4, 1, 8, 6, 8, 540, 24, "Deciduous", "Weeping", "n/a",
         "Waterside", Foliage(Form::Weeping, {70, 100, 30}, {130, 160, 60}, {190, 210, 110}, 0.96, 0.9, 708)},
        {kTrees, 9, "Italian Cypress", "Cupressus sempervirens", 1, 1, 1, 3, 7, 10, 600, 20, "Evergreen", "Columnar",
         "n/a", "Screen", Foliage(Form::Columnar, {24, 50, 30}, {44, 80, 44}, {80, 116, 64}, 0.17, 1, 709)},
        {kTrees, 10, "Flowering Dogwood", "Cornus florida", 2, 3, 1, 2, 5, 9, 300, 16, "Deciduous", "Layered", "White",
         "Ornamental", Flowering(Foliage(Form::Tiered, {40, 80, 34}, {74, 124, 52}, {120, 164, 80}, 0.92, 0.8, 710), kWhite, kWhite, 220)},
        {kShrubs, 1, "Boxwood", "Buxus sempervirens", 2, 2, 1, 2, 5, 8, 48, 12, "Evergreen", "Rounded", "n/a", "Edging",
         Foliage(Form::Mound, kDeepDark, kDeepMid, kDeepLight, 0.94, 0.78, 501)},
        {kShrubs, 2, "Bigleaf Hydrangea", "Hydrangea macrophylla", 3, 3, 2, 2, 6, 9, 60, 15, "Deciduous", "Mounded",
         "Blue", "Border", Flowering(Foliage(Form::Mound, kLeafDark, kLeafMid, kLeafLight, 0.94, 0.82, 502), {112, 140, 224}, {112, 140, 224}, 16)},
        {kShrubs, 3, "Rhododendron", "Rhododendron catawbiense", 3, 3, 1, 5, 4, 8, 96, 12, "Evergreen", "Rounded",
         "Purple-pink", "Foundation", Flowering(Foliage(Form::Mound, kDeepDark, kDeepMid, kDeepLight, 0.9, 0.9, 503), {204, 92, 172}, {204, 92, 172}, 18)},
        {kShrubs, 4, "Pfitzer Juniper", "Juniperus chinensis", 1, 1, 3, 3, 4, 9, 60, 14, "Evergreen", "Spreading", "n/a",
         "Slope cover", Foliage(Form::Spreading, {40, 74, 64}, {76, 114, 96}, {136, 170, 140}, 1, 0.7, 504)},
        {kShrubs, 5, "Forsythia", "Forsythia x intermedia", 1, 2, 1, 2, 5, 8, 96, 16, "Deciduous", "Arching", "Yellow",
         "Spring color", WithBark(Flowering(Foliage(Form::Arching, kLeafDark, kLeafMid, kLeafLight, 0.98, 0.92, 505), {242, 210, 52}, {242, 210, 52}, 1), {122, 100, 62})},
        {kHedges, 1, "Privet Hedge", "Ligustrum vulgare", 1, 2, 1, 2, 4, 8, 96, 15, "Semi-evergreen", "Clipped", "White",
         "Hedge", Foliage(Form::Hedge, {44, 86, 32}, {72, 124, 48}, {120, 166, 76}, 0.98, 0.9, 1001)},
        {kHedges, 2, "English Yew Hedge", "Taxus baccata", 3, 2, 3, 2, 6, 7, 72, 10, "Evergreen", "Clipped", "n/a", "Hedge",
         Foliage(Form::Hedge, {20, 48, 28}, {36, 74, 40}, {70, 108, 60}, 0.98, 0.86, 1002)},
        {kCacti, 1, "Saguaro", "Carnegiea gigantea", 1, 1, 2, 3, 9, 10, 480, 12, "Succulent", "Columnar, branched",
         "White", "Desert accent", Foliage(Form::Saguaro, {50, 96, 60}, {80, 130, 80}, {130, 170, 110}, 0.7, 1, 901)},
        {kCacti, 2, "Golden Barrel Cactus", "Echinocactus grusonii", 1, 1, 2, 3, 9, 10, 36, 10, "Succulent", "Globe",
         "Yellow", "Rock garden", Flowering(Foliage(Form::Barrel, {70, 120, 50}, {110, 160, 70}, {170, 200, 110}, 0.86, 0.84, 902), {230, 200, 72}, {230, 200, 72}, 1)},
        {kCacti, 3, "Prickly Pear", "Opuntia humifusa", 1, 1, 2, 3, 7, 10, 60, 12, "Succulent", "Spreading pads",
         "Yellow", "Rock garden", Flowering(Foliage(Form::Pads, {60, 110, 60}, {100, 150, 80}, {160, 190, 120}, 0.9, 1, 903), {192, 40, 80}, {192, 40, 80}, 1)},
        {kBulbs, 1, "Red Tulip", "Tulipa gesneriana", 1, 2, 3, 2, 3, 8, 20, 40, "Deciduous", "Upright", "Red",
         "Spring bed", Flowering(Foliage(Form::Bulbs, {50, 100, 60}, {80, 136, 80}, {140, 180, 120}, 0.74, 0.94, 801), {212, 32, 42}, {212, 32, 42}, 5, 0)},
        {kBulbs, 2, "Daffodil", "Narcissus pseudonarcissus", 1, 2, 3, 2, 3, 8, 18, 40, "Deciduous", "Upright", "Yellow",
         "Naturalizing", Flowering(Foliage(Form::Bulbs, {50, 100, 60}, {80, 136, 80}, {140, 180, 120}, 0.74, 0.9, 802), {250, 232, 96}, {250, 172, 42}, 5, 1)},
        {kBulbs, 3, "Giant Allium", "Allium giganteum", 1, 2, 3, 2, 5, 8, 48, 40, "Deciduous", "Upright", "Purple",
         "Border", Flowering(Foliage(Form::Bulbs, {50, 100, 60}, {80, 136, 80}, {140, 180, 120}, 0.6, 0.92, 803), {152, 92, 204}, {152, 92, 204}, 3, 2)},
        {kAnnuals, 1, "French Marigold", "Tagetes patula", 1, 2, 1, 2, 2, 10, 12, 50, "Annual", "Mounded", "Orange",
         "Bedding", Flowering(Foliage(Form::FlowerMound, {40, 84, 30}, {66, 120, 44}, {116, 160, 70}, 0.96, 0.84, 601), {250, 142, 22}, {250, 142, 22}, 40, 0)},
        {kAnnuals, 2, "Petunia", "Petunia x hybrida", 1, 2, 1, 2, 2, 10, 14, 50, "Annual", "Mounded", "Purple",
         "Containers", Flowering(Foliage(Form::FlowerMound, {40, 84, 30}, {66, 120, 44}, {116, 160, 70}, 0.98, 0.76, 602), {172, 62, 192}, {92, 22, 92}, 34, 1)},
        {kAnnuals, 3, "Impatiens", "Impatiens walleriana", 3, 3, 1, 2, 2, 10, 12, 50, "Annual", "Mounded", "Pink",
         "Shade bed", Flowering(Foliage(Form::FlowerMound, {40, 84, 30}, {66, 120, 44}, {116, 160, 70}, 0.98, 0.72, 603), {250, 112, 162}, {250, 240, 232}, 40, 2)},
        {kPerennials, 1, "Blue Hosta", "Hosta sieboldiana", 4, 3, 1, 2, 3, 8, 30, 30, "Deciduous", "Mounded", "Lavender",
         "Shade garden", Foliage(Form::BroadLeaves, {60, 100, 100}, {90, 140, 130}, {150, 190, 170}, 1, 0.8, 1201)},
        {kPerennials, 2, "Purple Coneflower", "Echinacea purpurea", 1, 2, 1, 2, 3, 9, 42, 40, "Deciduous", "Upright",
         "Purple", "Border", Flowering(Foliage(Form::Daisies, kLeafDark, kLeafMid, kLeafLight, 0.76, 0.92, 1202), {204, 92, 172}, {152, 82, 32}, 9, 1)},
        {kPerennials, 3, "Daylily", "Hemerocallis fulva", 1, 2, 1, 2, 3, 9, 36, 40, "Deciduous", "Clumping", "Orange",
         "Border", Flowering(Foliage(Form::Lilies, kLeafDark, kLeafMid, kLeafLight, 0.9, 0.88, 1203), {246, 132, 32}, {250, 222, 82}, 7)},
        {kPerennials, 4, "English Lavender", "Lavandula angustifolia", 1, 1, 2, 3, 5, 9, 30, 30, "Evergreen", "Mounded",
         "Lavender", "Fragrance", Flowering(Foliage(Form::Spikes, {90, 110, 90}, {130, 150, 120}, {180, 190, 160}, 0.9, 0.92, 1204), {142, 112, 204}, {142, 112, 204}, 40)},
        {kWildFlowers, 1, "Black-Eyed Susan", "Rudbeckia hirta", 1, 2, 1, 2, 3, 9, 30, 40, "Deciduous", "Upright",
         "Yellow", "Meadow", Flowering(Foliage(Form::Daisies, kLeafDark, kLeafMid, kLeafLight, 0.8, 0.9, 4051), {250, 192, 32}, {72, 40, 22}, 12)},
        {kWildFlowers, 2, "Wild Lupine", "Lupinus perennis", 1, 1, 1, 3, 4, 8, 36, 40, "Deciduous", "Upright", "Blue",
         "Meadow", Flowering(Foliage(Form::Spikes, kLeafDark, kLeafMid, kLeafLight, 0.84, 0.92, 4052), {82, 102, 212}, {82, 102, 212}, 11, 1)},
        {kGroundCover, 1, "Creeping Phlox", "Phlox subulata", 1, 2, 1, 3, 3, 9, 6, 30, "Evergreen", "Mat", "Pink",
         "Rock garden", Flowering(Foliage(Form::Mat, {40, 84, 30}, {66, 120, 44}, {116, 160, 70}, 1, 0.56, 3701), {242, 132, 192}, {242, 132, 192}, 320)},
        {kGroundCover, 2, "English Ivy", "Hedera helix", 3, 2, 1, 2, 5, 9, 8, 30, "Evergreen", "Mat", "n/a",
         "Ground cover", Flowering(Foliage(Form::Mat, {20, 50, 24}, {40, 86, 40}, {90, 130, 70}, 1, 0.56, 3702), {}, {}, 0, 1)},
        {kGrasses, 1, "Fountain Grass", "Pennisetum alopecuroides", 1, 2, 1, 2, 5, 9, 42, 40, "Deciduous", "Arching",
         "Buff", "Accent", Flowering(Foliage(Form::Fountain, {70, 100, 40}, {110, 140, 60}, {170, 190, 110}, 1, 0.92, 11001), {222, 204, 182}, {222, 204, 182}, 1)},
        {kGrasses, 2, "Blue Fescue", "Festuca glauca", 1, 1, 1, 3, 4, 8, 12, 30, "Evergreen", "Tufted", "n/a", "Edging",
         Foliage(Form::Tuft, {80, 110, 130}, {120, 150, 170}, {180, 200, 210}, 0.9, 0.82, 11002)},
        {kTropicals, 1, "Banana", "Musa acuminata", 1, 3, 2, 2, 9, 10, 180, 20, "Evergreen", "Upright", "n/a", "Tropical accent",
         WithBark(Foliage(Form::Banana, {60, 120, 40}, {100, 160, 60}, {160, 200, 90}, 1, 1, 4001), {112, 122, 72})},
        {kTropicals, 2, "Bird of Paradise", "Strelitzia reginae", 1, 2, 1, 2, 10, 10, 60, 20, "Evergreen", "Clumping",
         "Orange and blue", "Tropical accent", Flowering(Foliage(Form::Paradise, {40, 86, 50}, {70, 126, 76}, {120, 170, 110}, 1, 1, 4002), {250, 142, 32}, {62, 82, 202}, 3)},
        {kTropicals, 3, "Coconut Palm", "Cocos nucifera", 1, 2, 1, 3, 10, 10, 900, 18, "Evergreen", "Palm", "n/a",
         "Tropical shade", WithBark(Foliage(Form::Palm, {50, 100, 40}, {90, 146, 60}, {150, 190, 90}, 1, 1, 4003), {142, 112, 82})},
        {kEdibles, 1, "Tomato", "Solanum lycopersicum", 1, 3, 1, 2, 2, 10, 60, 40, "Annual", "Bushy", "Yellow",
         "Vegetable garden", Flowering(Foliage(Form::Mound, {36, 82, 30}, {62, 120, 44}, {110, 160, 70}, 0.9, 0.92, 13001), {204, 30, 26}, {204, 30, 26}, 26, 1)},
        {kEdibles, 2, "Sweet Corn", "Zea mays", 1, 3, 1, 2, 2, 10, 96, 40, "Annual", "Upright", "n/a", "Vegetable garden",
         Flowering(Foliage(Form::Corn, {60, 110, 40}, {90, 146, 56}, {150, 190, 90}, 1, 1, 13002), {204, 212, 122}, {222, 202, 122}, 1)},
        {kEdibles, 3, "Apple Tree", "Malus domestica", 1, 2, 1, 2, 3, 8, 300, 15, "Deciduous", "Rounded", "White",
         "Orchard", Flowering(Foliage(Form::Broadleaf, kLeafDark, kLeafMid, kLeafLight, 0.86, 0.66, 13003), {202, 32, 30}, {202, 32, 30}, 90)},
    };
    return plants;
}

// The wire-frame render's plant outlines (folder and names as the texture table spells them),
// each drawn from the stock plant standing for its group.
struct WirePlant {
    const char* name;
    const char* drawnFrom;
};
constexpr WirePlant kWirePlants[] = {
    {"WireTree.ptx", "Sugar Maple"},        {"WireShrub.ptx", "Boxwood"},        {"WireAnnual.ptx", "French Marigold"},
    {"WireBulb.ptx", "Red Tulip"},          {"WireCacti.ptx", "Saguaro"},        {"WireGroundCover.ptx", "Creeping Phlox"},
    {"WireHedge.ptx", "Privet Hedge"},      {"WireGrasses.ptx", "Fountain Grass"}, {"WirePerennial.ptx", "Purple Coneflower"},
    {"WireTropical.ptx", "Banana"},         {"WireWildFlower.ptx", "Black-Eyed Susan"}, {"WireEdible.ptx", "Tomato"},
};

constexpr int kPreviewSide = 128;

texturing::Ini InfoOf(const Plant& p) {
    texturing::Ini ini;
    ini.section("Description")
        .key("CommonName", p.commonName)
        .key("BotanicalName", p.botanicalName)
        .key("Type", p.category.type)
        .key("Propagation", p.propagation)
        .key("Water", p.water)
        .key("SunLight", p.sun)
        .key("MaximumGrowthHeight", p.maximumHeight)
        .key("SoilType", p.soil);
    for (int zone = 1; zone <= 10; ++zone)
        ini.key(("Zone" + std::to_string(zone)).c_str(), zone >= p.zoneLow && zone <= p.zoneHigh ? 1 : 0);
    ini.key("AnnualGrowthRate", p.growthRate)
        .key("FoliageType", p.foliage)
        .key("PlantShape", p.shape)
        .key("FlowerColor", p.flowerColor)
        .key("Usage", p.usage);
    return ini;
}

}  // namespace

bool WritePlants(const std::string& root) {
    const std::string textures = root + "/Textures/";
    bool ok = true;
    for (const Plant& p : Plants()) {
        const std::string base = textures + p.category.folder + "/" + p.category.prefix + std::to_string(p.number);
        const QImage picture = plants::DrawPlant(p.look);
        ok = WriteImage(base + ".PTX", picture, "png") && ok;
        ok = WriteImage(base + ".PPV", plants::Preview(picture, kPreviewSide), "jpeg", 88) && ok;
        ok = WriteText(base + ".PTI", InfoOf(p).text()) && ok;
    }
    for (const WirePlant& wire : kWirePlants)
        for (const Plant& p : Plants())
            if (std::string(p.commonName) == wire.drawnFrom)
                ok = WriteImage(textures + "WIREPLANTS/" + wire.name, plants::Outline(plants::DrawPlant(p.look)), "png") && ok;
    return ok;
}

}  // namespace contentgen

// Light, skylight and accessory control values: worked round trips at the ends and at the
// rounding edges, and the enabling of each light type family.
#include "ui/core/light_values.h"

#include <gtest/gtest.h>

namespace {

TEST(LightValues, SlidersShowAndStoreByHand) {
    // dimmer 63 is 75 %; 128 rounds 49.8 to 50; 50 % stores 255 - 128 (127.5 rounds up).
    EXPECT_EQ(DimmerToPercent(63), 75);
    EXPECT_EQ(DimmerToPercent(0), 100);
    EXPECT_EQ(DimmerToPercent(255), 0);
    EXPECT_EQ(DimmerToPercent(128), 50);
    EXPECT_EQ(PercentToDimmer(75), 64);
    EXPECT_EQ(PercentToDimmer(50), 127);
    EXPECT_EQ(PercentToDimmer(0), 255);
    EXPECT_EQ(RadiusToSlider(80), 20);
    EXPECT_EQ(SliderToRadius(20.4f), 80);
    EXPECT_EQ(FalloffToSlider(2), 2);
    EXPECT_EQ(SliderToFalloff(1), 3);
    EXPECT_EQ(SliderToFalloff(0.6f), 3);
    EXPECT_EQ(TranslucencyToPercent(128), 50);
    EXPECT_EQ(TranslucencyToPercent(255), 100);
    EXPECT_EQ(PercentToTranslucency(50), 128);
    EXPECT_EQ(PercentToTranslucency(0), 0);
}

TEST(LightValues, TypesEnableTheirControlsAndStylesTheirRows) {
    struct Row {
        int32_t type;
        bool radius, glow, glowDecided, ambient;
    };
    const Row rows[] = {{80, true, true, true, true},     {146, true, true, true, true},
                        {152, true, true, true, true},    {147, true, false, true, false},
                        {148, true, false, true, false},  {149, true, true, true, false},
                        {79, false, false, false, false}, {1000, false, false, false, false}};
    for (const Row& r : rows) {
        const LightEnabling e = LightEnablingForType(r.type);
        EXPECT_EQ(e.radiusAndFalloff, r.radius) << r.type;
        EXPECT_EQ(e.glowDecided, r.glowDecided) << r.type;
        if (e.glowDecided) {
            EXPECT_EQ(e.glow, r.glow) << r.type;
        }
        EXPECT_EQ(e.ambient, r.ambient) << r.type;
    }
    EXPECT_EQ(LightStyleRow(150), 1);
    EXPECT_EQ(LightStyleRow(151), 2);
    EXPECT_EQ(LightStyleRow(79), 0);
    EXPECT_EQ(LightStyleForRow(2), 151);
    EXPECT_EQ(LightStyleForRow(-1), 0);
    EXPECT_TRUE(IsLightTypeCode(79) && IsLightTypeCode(152) && !IsLightTypeCode(83) && !IsLightTypeCode(145));

    const std::pair<int16_t, int> skylights[] = {{800, 0}, {801, 1}, {802, 2}, {806, 3}, {0, 0}};
    for (const auto& [style, row] : skylights) EXPECT_EQ(SkylightStyleRow(style), row) << style;
    EXPECT_EQ(SkylightStyleForRow(3), 806);
    EXPECT_EQ(SkylightStyleForRow(-1), 0);
    EXPECT_TRUE(SkylightHasHeight(800) && SkylightHasHeight(806));
    EXPECT_FALSE(SkylightHasHeight(801) || SkylightHasHeight(802));
}

}  // namespace

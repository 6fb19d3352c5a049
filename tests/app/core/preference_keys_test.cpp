// The registered preferences as a fresh store answers them, and the start-up readers.
#include <gtest/gtest.h>

#include "app/core/preference_keys.h"
#include "files/design_file.h"
#include "model/preferences.h"
#include "support/doubles.h"

namespace {

using Preferences = dvxtest::ServicesTest;

TEST_F(Preferences, FreshStoreAnswersEveryRegisteredValue) {
    RegisterPreferenceDefaults(false);
    const port::UserDefaults& d = port::defaults();
    struct Row { const char* key; int64_t value; };
    const Row rows[] = {
        {"UndoEnabled", 1}, {"UndoLevels", 200}, {"ShowPlanTools", 1}, {"ShowSnapTools", 1},
        {"ShowGeneralTools", 1}, {"ShowContentPanel", 1}, {"ShowInspectorPanel", 1},
        {"UseImperialSystemKey", 3}, {"AngleReadoutKey", 2}, {"ImperialReadoutKey", 112},
        {"MetricReadoutKey", 1}, {"ForcePlanDefaultsKey", 0}, {"MaxSearchResults", 100},
        {"PreviewSizeKey", 2},
    };
    for (const Row& r : rows) {
        EXPECT_TRUE(d.has(r.key)) << r.key;
        EXPECT_EQ(d.getInt(r.key), r.value) << r.key;
    }
    // Colours come back as the table's components over 255, in 16-bit channels.
    struct Colour { const char* key; uint16_t r, g, b; };
    const Colour colours[] = {
        {"FoundationPlanColor", 192 * 257, 0, 0},           {"ElectricalPlanColor", 65535, 128 * 257, 0},
        {"DeckPlanColor", 192 * 257, 124 * 257, 32 * 257},  {"PlanBackgroundColor", 248 * 257, 248 * 257, 65535},
        {"TopographyLinesColor", 193 * 257, 221 * 257, 193 * 257}, {"WireFrameColor", 0, 0, 0},
        {"GridColor", 168 * 257, 176 * 257, 200 * 257},
    };
    for (const Colour& c : colours)
        EXPECT_EQ(UnpackRGBColor(d.getInt(c.key)), (RGBColor{c.r, c.g, c.b})) << c.key;
    int registered = 0;
    for (const PlanColorDefault& c : kPlanColorDefaults) registered += d.has(c.key);
    EXPECT_EQ(registered + int(std::size(rows)), 30);
}

TEST_F(Preferences, LocaleStoredValuesAndReadersDecideTheGlobals) {
    RegisterPreferenceDefaults(true);
    LoadNewPlanReadoutState();
    EXPECT_EQ(port::defaults().getInt("UseImperialSystemKey"), 4);
    EXPECT_FALSE(gDefaultToImperial);
    EXPECT_EQ(gForceNewPlanDefaults, 0);

    port::defaults().setInt("UseImperialSystemKey", 3);
    port::defaults().setBool("ForcePlanDefaultsKey", true);
    port::defaults().setInt("AngleReadoutKey", 5);
    RegisterPreferenceDefaults(true);  // registering never overwrites what the user stored
    LoadNewPlanReadoutState();
    EXPECT_TRUE(gDefaultToImperial);
    EXPECT_EQ(gForceNewPlanDefaults, 1);
    EXPECT_EQ(gAngleReadoutFormat, 5);

    port::defaults().setBool("ShowSnapTools", false);
    port::defaults().setBool("ShowInspectorPanel", false);
    WindowVisibility expected;
    expected.snapTools = expected.inspector = false;
    EXPECT_EQ(LoadWindowVisibilityState(), expected);
}

}  // namespace

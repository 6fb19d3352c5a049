// Tab stepping through the snap modes and the reset at the first drag of a gesture.
#include <gtest/gtest.h>

#include <vector>

#include "support/fixture.h"
#include "tracking/snap_modes.h"

namespace {

class SnapModes : public ::testing::Test {
protected:
    void SetUp() override {
        dvxtest::ResetAllGlobals();
        SetSnapPaletteSetSnapToolHandler([this](int16_t m) { shown.push_back(m); gCurSnap = m; });
    }
    void TearDown() override { dvxtest::ResetAllGlobals(); }
    std::vector<int16_t> shown;
};

TEST_F(SnapModes, TabStepsAndWrapsWithinTheKeyboardModes) {
    struct Row { int16_t from; bool shift; int16_t to; };
    const Row rows[] = {{500, false, 501}, {507, false, 508}, {508, false, 500}, {510, false, 500},
                        {501, true, 500},  {500, true, 508},  {510, true, 508}};
    for (const Row& r : rows) {
        gCurSnap = r.from;
        shown.clear();
        EXPECT_EQ(SnapToolChange(r.shift), 0);
        EXPECT_EQ(shown, std::vector<int16_t>{r.to}) << r.from << (r.shift ? " shift" : "");
    }
}

TEST_F(SnapModes, ResetKeepsOnlyLockedModesOtherThanTheOrigin) {
    struct Row { int16_t mode; uint8_t locked; int16_t after; uint8_t lockedAfter; bool shown; };
    const Row rows[] = {{503, 1, 503, 1, false}, {503, 0, 500, 0, true}, {510, 1, 500, 0, true},
                        {510, 0, 500, 0, true},  {500, 1, 500, 1, false}};
    for (const Row& r : rows) {
        gCurSnap = r.mode, gSnapLocked = r.locked;
        shown.clear();
        ResetSnapTool();
        EXPECT_EQ(gCurSnap, r.after) << r.mode << "/" << int(r.locked);
        EXPECT_EQ(gSnapLocked, r.lockedAfter) << r.mode << "/" << int(r.locked);
        EXPECT_EQ(shown.empty(), !r.shown) << r.mode;
    }
}

}  // namespace

// The wall, window and door panes' rules: which fields a style uses, the height order, the
// code and row maps (codes whose rows the tables lack included) and the door swing side.
#include <gtest/gtest.h>

#include "ui/core/opening_pane_rules.h"
#include "ui/core/wall_pane_rules.h"

namespace {

TEST(PaneStyleRules, WallStylesEnableTheirFieldsAndKeepTheirHeightsInOrder) {
    const struct {
        int32_t style;
        WallStyleEnabling on;
    } rows[] = {{-1, {false, false, false, false, false}}, {0, {true, false, false, false, false}},
                {1, {true, true, true, true, false}},       {3, {true, true, false, false, false}},
                {8, {true, true, false, true, false}},      {11, {true, true, false, true, false}},
                {4, {true, true, true, true, true}},        {12, {true, true, true, true, true}}};
    for (const auto& r : rows) {
        const WallStyleEnabling e = WallStyleEnablingFor(r.style);
        EXPECT_EQ(e.height, r.on.height) << r.style;
        EXPECT_EQ(e.pitchA, r.on.pitchA) << r.style;
        EXPECT_EQ(e.pitchB, r.on.pitchB) << r.style;
        EXPECT_EQ(e.heightC, r.on.heightC) << r.style;
        EXPECT_EQ(e.heightD, r.on.heightD) << r.style;
    }
    using F = WallHeightField;
    const struct {
        int32_t style;
        F edited;
        float h, c, d;
        bool allowed;
    } heights[] = {{5, F::Height, 100, 90, 99, false},  {5, F::HeightC, 90, 100, 100, true},
                   {5, F::HeightD, 90, 100, 99, false}, {5, F::Height, 100, 0, 0, false},  // empty reads 0
                   {9, F::Height, 100, 99, 0, false},   {9, F::HeightD, 100, 99, 0, true},
                   {9, F::HeightC, 99, 100, 0, true},   {0, F::Height, 500, 0, 0, true}};
    for (const auto& r : heights)
        EXPECT_EQ(WallHeightsAllowed(r.style, r.edited, r.h, r.c, r.d), r.allowed) << r.style << " " << int(r.edited);
    // Styles 2-11 have no row of their own.
    EXPECT_EQ(WallStyleRow(1), 1);
    EXPECT_EQ(WallStyleRow(5), -1);
}

TEST(PaneStyleRules, WindowAndDoorCodesMapToRowsTheTablesMayLack) {
    const struct {
        int16_t code, v, h;
        int row;
    } windows[] = {{600, 0, 1, 0}, {600, 2, 2, 1}, {600, 0, 2, 1}, {601, 0, 0, 2},   {610, 0, 0, 3},
                   {611, 0, 0, 11}, {612, 0, 0, 11}, {626, 0, 0, 19}, {599, 0, 0, -1}, {627, 0, 0, -1}};
    for (const auto& w : windows) EXPECT_EQ(WindowCodeRow(w.code, w.v, w.h), w.row) << w.code;
    EXPECT_EQ(ShownStyleRow(WindowCodeRow(611, 0, 0), kWindowStyleRows), -1);
    EXPECT_EQ(ShownStyleRow(1, kWindowStyleRows), 1);
    EXPECT_EQ(WindowRowCode(1), 600);
    EXPECT_EQ(WindowRowCode(7), 624);
    EXPECT_EQ(WindowRowCode(19), 626);
    EXPECT_EQ(WindowRowCode(20), 0);
    EXPECT_TRUE(WindowHeightTied(625));
    EXPECT_FALSE(WindowHeightTied(604));
    EXPECT_FALSE(WindowFlipsApply(626));
    EXPECT_TRUE(WindowFlipsApply(604));

    const struct {
        int16_t code;
        int row;
        bool swing, flip;
    } doors[] = {{500, 0, false, false}, {501, 1, true, true},  {503, 3, false, true},
                 {506, 4, true, true},   {510, 4, false, true}, {505, 4, false, false}};
    for (const auto& d : doors) {
        EXPECT_EQ(DoorCodeRow(d.code), d.row) << d.code;
        EXPECT_EQ(DoorSwingEnabled(d.code), d.swing) << d.code;
        EXPECT_EQ(DoorFlipEnabled(d.code), d.flip) << d.code;
    }
    EXPECT_EQ(ShownStyleRow(DoorCodeRow(506), kDoorStyleRows), -1);
    EXPECT_EQ(DoorRowCode(3), 503);
    EXPECT_EQ(DoorRowCode(4), 0);
    EXPECT_TRUE(DoorTrimAllowed(2, 0));
    EXPECT_FALSE(DoorTrimAllowed(3, 0.005f));
    EXPECT_TRUE(DoorTrimAllowed(3, 0.01f));
    EXPECT_FALSE(DoorTrimAllowed(-1, 0));
    EXPECT_FALSE(DoorTrimAllowed(0, 10000));
}

TEST(PaneStyleRules, SwingAnglesPickTheirSide) {
    const std::pair<float, int16_t> rows[] = {{90, 4},   {0, 4},    {180, 4},  {180.5f, 0}, {-90, 0},
                                              {-180, 0}, {-200, 4}, {-360, 0}, {360, 0}};
    for (const auto& [angle, side] : rows) EXPECT_EQ(DoorSwingSideCode(angle), side) << angle;
}

}  // namespace

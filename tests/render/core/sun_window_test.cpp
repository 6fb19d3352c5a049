// The sun's window worked out by hand: which objects cast shadows, the area they share with the
// view, the window's size and lift, the grid's size, its squares and its memory.
#include <gtest/gtest.h>

#include <cmath>

#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/view_layers.h"
#include "render/core/sun_window.h"
#include "support/build.h"
#include "support/fixture.h"

using namespace dvxtest;

namespace {

class SunWindowTest : public DocumentTest {};

TEST_F(SunWindowTest, OnlyShadowCastersWidenTheObjectBounds) {
    Layer* floor = GetFirstFloorLayer();
    auto bounds = [&] {
        float b[4] = {kEmptySunBounds[0], kEmptySunBounds[1], kEmptySunBounds[2], kEmptySunBounds[3]};
        GetObjectsBoundsForSun(doc->itsLayers, b);
        return std::vector<float>(b, b + 4);
    };
    // Nothing that casts a shadow: (0, 0, -0.0, -0.0).
    Make(6).on(floor).at({{-900, 0, -900}, {900, 0, 900}});       // a line
    Make(101).on(floor).at({{-800, 0, 0}, {800, 0, 0}});           // a dimension
    Make(144).on(floor).at({{0, 0, 700}});                         // text
    Objex* marked = Make(12).on(floor).at({{-700, 0, -700}, {700, 0, 700}});
    objfield::no_shadow::kMark(*marked) = 1;
    const std::vector<float> none = bounds();
    EXPECT_EQ(none, (std::vector<float>{0, 0, 0, 0}));
    EXPECT_TRUE(std::signbit(none[2]) && std::signbit(none[3]));
    // A wall and a group's child widen them (rows are min z, min x, max z, max x).
    Make(12).on(floor).at({{10, 0, 20}, {30, 0, 40}});
    Objex* group = Make(1000).on(floor);
    Make(9).in(group).at({{-50, 0, 5}, {0, 0, 60}});
    EXPECT_EQ(bounds(), (std::vector<float>{5, -50, 60, 30}));
}

TEST_F(SunWindowTest, TheWindowCoversTheSharedAreaAndRisesForALowSun) {
    struct Row { float objects[4], view[4], altitude, highest, half, top, x, z, lift; } rows[] = {
        // A small site still gets 500 either way; a high sun does not lift the window.
        {{0, 0, 100, 100}, {-50, -50, 50, 50}, 90, 0, 500, 500, -25, -25, 0},
        // The sun on the horizon lifts it by half its height; the scene's top raises it.
        {{0, 0, 100, 100}, {-50, -50, 50, 50}, 0, -800, 500, 800, -25, -25, -400},
        {{0, 0, 100, 100}, {-50, -50, 50, 50}, 120, 0, 500, 500, -25, -25, 0},
        // 3000 x 4000 shared: diagonal 5000, half 2500 + 2500 / 6.
        {{-2000, -1000, 5000, 9000}, {0, 0, 4000, 3000}, 45, 0, 2916.6667f, 2916.6667f, -1500, -2000, -729.16667f}};
    for (const Row& r : rows) {
        const SunWindow w = ComputeSunWindow(r.objects, r.view, r.altitude, r.highest);
        EXPECT_NEAR(w.half, r.half, 1e-2) << r.altitude;
        EXPECT_NEAR(w.top, r.top, 1e-2) << r.altitude;
        EXPECT_EQ(std::make_pair(w.xOffset, w.zOffset), std::make_pair(r.x, r.z)) << r.altitude;
        EXPECT_NEAR(w.verticalOffset, r.lift, 1e-2) << r.altitude;
    }
    // The highest point: the smallest stored (negated) height, never above 0.
    EXPECT_EQ(GetHighestPlanePointValue(nullptr), 0.0f);
}

TEST(SunGrid, SizeSquaresAndMemory) {
    struct Row { int16_t quality; float half; int32_t n; } rows[] = {
        {-1, 3001, 10}, {-1, 2500, 8}, {-1, 1500, 6}, {-1, 1000, 4}, {1, 2500, 0}, {0, 2500, 0}, {-2, 2500, 0},
        {2, 0, 2}, {3, 0, 4}, {4, 0, 6}, {5, 0, 8}, {6, 0, 10}, {7, 0, 2}};
    for (const Row& r : rows) EXPECT_EQ(SunGridSize(r.quality, r.half), r.n) << r.quality << " " << r.half;

    // Columns from the left, rows from the top, over a window 1000 wide and 600 high.
    SunWindow w;
    w.half = 500, w.top = 300;
    float square[4];
    SunSquare(w, 4, 4, 1, square);
    EXPECT_EQ(std::vector<float>(square, square + 4), (std::vector<float>{250, 500, 150, 300}));
    SunSquare(w, 4, 1, 4, square);
    EXPECT_EQ(std::vector<float>(square, square + 4), (std::vector<float>{-500, -250, -300, -150}));

    // A 10 x 10 grid at 1600 x 1200 would take 768 MB: its views shrink to fit 280 MB.
    int sw = 0, sh = 0;
    SunViewSize(10, 1600, 1200, size_t(280) << 20, &sw, &sh);
    EXPECT_LE(102.0 * sw * sh * 4, double(size_t(280) << 20));
    EXPECT_GT(sw, 900);
    EXPECT_NEAR(double(sw) / sh, 4.0 / 3.0, 0.01);
    SunViewSize(4, 800, 600, size_t(280) << 20, &sw, &sh);
    EXPECT_EQ(std::make_pair(sw, sh), std::make_pair(800, 600));
}

}  // namespace

// Topography files and the grid they carry; the default grid sized from the lot.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/records.h"
#include "files/topography.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "scene/topo_grid.h"
#include "support/doubles.h"
#include "support/fixture.h"
#include "support/build.h"

using namespace dvxtest;

namespace {

class TopographyTest : public FileTest {
protected:
    TopographyTest() : FileTest("topo") {}
    DocState* ds() { return doc->itsDocState; }

    // Magic, spacing 50, lot 300 x 400 feet, value 2, lot left/right 0/150, top/bottom 0/100,
    // the counts and, for sensible counts, the heights 1, 2, 3 ...
    static Bytes Grid(int32_t magic, int32_t rows, int32_t columns) {
        Bytes b;
        b.i32(magic).f32(50.0f).f32(300.0f).f32(400.0f).i16(2).f32(0.0f).f32(150.0f).f32(0.0f).f32(100.0f);
        b.i32(rows).i32(columns);
        if (rows >= 1 && columns >= 1 && rows < 1000 && columns < 1000)
            for (int i = 0; i < (rows + 1) * (columns + 1); ++i) b.f32(static_cast<float>(i + 1));
        return b;
    }
    // A terrain line, a plain shape and another terrain line, then the end tag.
    static void Objects(Bytes& b, int32_t version) {
        DesignBytes objects(version);
        b.raw(objects.object(objtype::kTopography, 3, 40).object(9, 3, 41).object(objtype::kTopography, 4, 42).tag(400).records());
    }
    int Read(const Bytes& b) { return ReadTopoGridFile(Write(b.data(), "t.topo").c_str()); }
};

TEST_F(TopographyTest, AGridAndItsTerrainLines) {
    Bytes b = Grid(9000, 2, 3);
    // The object section's version follows the heights, little-endian.
    b.raw(std::vector<uint8_t>{0x5C, 0x2B, 0x00, 0x00});
    Objects(b, 11100);
    ASSERT_EQ(Read(b), 1);

    EXPECT_EQ(gTopoRowCnt, 2);
    EXPECT_EQ(gTopoColumnCnt, 3);
    ASSERT_EQ(gTopographyGrid.size(), 12u);
    EXPECT_EQ(gTopographyGrid[0], 1.0f);
    EXPECT_EQ(gTopographyGrid[11], 12.0f);
    EXPECT_EQ(ds()->topoGridSpacing, 50.0f);
    EXPECT_EQ(ds()->lotSizeFeet.floatV, 400.0f);
    EXPECT_EQ(ds()->topoGridValue, 2);
    EXPECT_EQ(ds()->lotRect.floatRight, 150.0f);
    EXPECT_EQ(ds()->lotRect.floatBottom, 100.0f);

    Layer* topo = doc->itsTopoLayer;
    ASSERT_NE(topo, nullptr);
    EXPECT_STREQ(topo->name, "TopoLayer");
    EXPECT_EQ(topo->visible, 1);
    EXPECT_EQ(topo->active, 1);
    // Only terrain lines stay, deselected; the floors are untouched.
    ASSERT_EQ(CountObjects(topo->firstObject), 2);
    for (Objex* o = topo->firstObject; o; o = o->next) {
        EXPECT_EQ(o->type, objtype::kTopography);
        for (Poinz* p = o->firstPoint; p; p = p->next) EXPECT_EQ(p->selected, 0);
    }
    EXPECT_EQ(topo->firstObject->next->pointCount, 4);
    EXPECT_EQ(CountObjects(GetLayerFromName("First Floor")->firstObject), 0);
    EXPECT_TRUE(alerts.shown.empty());
}

TEST_F(TopographyTest, NoCellsKeepsTheGridButReplacesTheLayer) {
    Bytes first = Grid(9000, 1, 1);
    first.raw(std::vector<uint8_t>{0x5C, 0x2B, 0x00, 0x00});
    Objects(first, 11100);
    ASSERT_EQ(Read(first), 1);
    // An object the next file must sweep away with the old layer.
    Objex* stray = Make(objtype::kTopography).on(doc->itsTopoLayer).line(3);
    const std::vector<float> grid = gTopographyGrid;

    // Magic 8000: a 10800 settings block is passed over and the objects are of 10800.
    Bytes second = Grid(8000, 0, 5);
    second.raw(SettingsBlock(10800));
    Objects(second, 10800);
    ASSERT_EQ(Read(second), 1);
    EXPECT_EQ(gTopoRowCnt, 1);
    EXPECT_EQ(gTopographyGrid, grid);
    ASSERT_NE(doc->itsTopoLayer, nullptr);
    EXPECT_EQ(CountObjects(doc->itsTopoLayer->firstObject), 2);
}

TEST_F(TopographyTest, DamagedFilesGiveTheDefaultGrid) {
    // Lot 4800 wide and deep by default, spacing 72: 66 cells each way.
    SetupTopoGrid();
    EXPECT_EQ(gTopoRowCnt, 66);
    EXPECT_EQ(gTopoColumnCnt, 66);
    EXPECT_EQ(gTopographyGrid.size(), 67u * 67u);

    Bytes ok = Grid(9000, 1, 2);
    ok.raw(std::vector<uint8_t>{0x5C, 0x2B, 0x00, 0x00});
    Objects(ok, 11100);
    ASSERT_EQ(Read(ok), 1);
    Layer* topo = doc->itsTopoLayer;

    Bytes wrong = Grid(9001, 1, 1);
    EXPECT_EQ(Read(wrong), 0);
    ASSERT_EQ(alerts.shown.size(), 1u);
    EXPECT_EQ(alerts.shown[0].alert.message, "Unable to read topography file.");
    EXPECT_EQ(alerts.shown[0].alert.informative,
              "The file '" + dir + "/t.topo' might be damaged or created with a more recent version of Kesto! Grelloc");
    EXPECT_FALSE(alerts.shown[0].sheet);
    // Default grid from the lot the last good file set: 100 / 50 rows, 150 / 50 columns.
    EXPECT_EQ(gTopoRowCnt, 2);
    EXPECT_EQ(gTopoColumnCnt, 3);
    EXPECT_EQ(gTopographyGrid, std::vector<float>(12, 0.0f));
    EXPECT_EQ(doc->itsTopoLayer, topo);

    // Counts whose heights cannot be in the file, or whose product overflows.
    Bytes huge = Grid(9000, 0x7FFFFFFF, 0x7FFFFFFF);
    huge.raw(std::vector<uint8_t>(64, 0));
    EXPECT_EQ(Read(huge), 0);
    Bytes big = Grid(9000, 0, 0);
    big.raw(std::vector<uint8_t>(8, 0));
    std::vector<uint8_t> bytes = big.data();
    bytes[34] = 0x00, bytes[35] = 0x01, bytes[36] = 0x00, bytes[37] = 0x00;  // rows 65536
    bytes[38] = 0x00, bytes[39] = 0x01, bytes[40] = 0x00, bytes[41] = 0x00;  // columns 65536
    EXPECT_EQ(ReadTopoGridFile(Write(bytes, "t.topo").c_str()), 0);
    EXPECT_EQ(alerts.shown.size(), 3u);
    EXPECT_EQ(doc->itsTopoLayer, topo);
    EXPECT_EQ(ds()->topoGridSpacing, 50.0f);

    // No path, or no file: the default grid without a word.
    EXPECT_EQ(ReadTopoGridFile(""), 0);
    EXPECT_EQ(ReadTopoGridFile((dir + "/none.topo").c_str()), 0);
    EXPECT_EQ(alerts.shown.size(), 3u);
    EXPECT_EQ(gTopoRowCnt, 2);
}

TEST_F(TopographyTest, TheDefaultGridRefusesNonsense) {
    ds()->topoGridSpacing = 0.0f;
    SetupTopoGrid();
    EXPECT_EQ(gTopoRowCnt, 0);
    EXPECT_TRUE(gTopographyGrid.empty());
    ds()->topoGridSpacing = 0.0001f;
    SetupTopoGrid();
    EXPECT_TRUE(gTopographyGrid.empty());
    ds()->topoGridSpacing = 300.0f;
    ds()->lotRect = FloatRect{0.0f, 0.0f, 1000.5f, 1000.0f};
    SetupTopoGrid();
    EXPECT_EQ(gTopoRowCnt, 3);
    EXPECT_EQ(gTopoColumnCnt, 3);
    EXPECT_EQ(gTopographyGrid.size(), 16u);
}

}  // namespace

// The ceiling builder against outlines worked out by hand: at the default scale 36 an inch is
// two plan units, so a 6-inch wall is 12 units thick and an 18-inch soffit 36 units deep.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "files/content_paths.h"
#include "files/undo.h"
#include "geometry/elements/auto_ceilings.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/selection_queries.h"
#include "model/tool_defaults.h"
#include "port/undo.h"
#include "support/doubles.h"
#include "support/scene_checks.h"

namespace {

using namespace dvxtest;
using Corners = std::vector<std::pair<float, float>>;
const PlanPoints kSquare = {{0, 0}, {200, 0}, {200, 200}, {0, 200}};  // clockwise on the plan

class AutoCeilings : public SelectionTest {
protected:
    void SetUp() override {
        SelectionTest::SetUp(), RegisterLiveView(true);
        ASSERT_TRUE(MakeApplicationTemporaryFolder());
        port::setDocumentUndo(&undo), gUndoActive = 1, InitializeUndo();
    }
    void TearDown() override { port::setDocumentUndo(nullptr), SelectionTest::TearDown(); }
    // A 6-inch wall; segment heights 100, 90, 110, 80 from point 0 on; points selected by index.
    Objex* NewWall(PlanPoints points, bool closed, const std::vector<int>& selected) {
        Objex* w = Wall(floor, points, closed);
        w->penWidth = 6, w->elevation = 10, objfield::wall::kQuickWallWidth(*w) = 12;
        const float heights[] = {100, 90, 110, 80, 70, 70};
        for (int i = 0; Poinz* p = PointAt(w, i); ++i) objfield::wall_segment::kFirstHeight(*p) = heights[i];
        for (int i : selected) PointAt(w, i)->selected = 1;
        return w;
    }
    // What the builder added behind the wall.
    std::vector<Objex*> Made() {
        std::vector<Objex*> all = ListOf(floor->firstObject);
        return {all.begin() + 1, all.end()};
    }
    RecordingUndo undo;
};

// Plan corners to a hundredth.
Corners At(const Objex* o) {
    Corners c = PlanPositions(o);
    for (auto& [h, d] : c) h = std::round(h * 100) / 100 + 0.0f, d = std::round(d * 100) / 100 + 0.0f;
    return c;
}
Corners Sorted(Corners c) { return std::ranges::sort(c), c; }

TEST_F(AutoCeilings, DefaultsComeFromTheOneSelectedWall) {
    struct Row { bool closed; uint16_t interior; std::vector<int> selected; float ceiling; };
    for (const Row& row : {Row{true, 1, {0, 1, 2}, 100},  // segments 0 and 1: 90 + 10
                           Row{true, 0, {0, 1, 2}, 112},  // exterior: the 12 of footing as well
                           Row{true, 1, {3, 0}, 90},      // the closing segment counts
                           Row{false, 1, {3, 0}, 100},    // ... on a closed wall only: lowest of all, 90
                           Row{true, 1, {1}, 90}}) {      // no whole segment: lowest of all
        Objex* wall = NewWall(kSquare, row.closed, row.selected);
        objfield::wall::Interior(*wall) = row.interior;
        gFlooringThickness = 7, gBuildAutoCeiling = 0;
        ASSERT_EQ(InitializeAutoCeilingFloorDlgVar(), 1);
        EXPECT_TRUE(Near({gBuildAutoFlooring, gFlooringElevation, gFlooringExtension, gCeilingExtension, gCeilingElevation,
                          gSoffitElevation, gFlooringThickness, gBuildAutoCeiling},
                         {row.interior, 10, -3, -3, row.ceiling, row.ceiling, 7, 0}));
        EXPECT_EQ(gTheWallObject, wall);
        DeleteObj(wall);
        EXPECT_EQ(gTheWallObject, nullptr);
    }
    EXPECT_EQ(InitializeAutoCeilingFloorDlgVar(), 0);  // none selected
    NewWall(kSquare, true, {0}), NewWall(kSquare, true, {1});
    EXPECT_EQ(std::tuple(InitializeAutoCeilingFloorDlgVar(), gCeilingElevation, gTheWallObject), std::tuple(0, 90.0f, nullptr));
}

TEST_F(AutoCeilings, SlabsFollowTheWallLineAtTheirExtension) {
    const PlanPoints reversed = {{0, 200}, {200, 200}, {200, 0}, {0, 0}};
    for (const PlanPoints& outline : {kSquare, reversed}) {
        Objex* wall = NewWall(outline, true, {});
        BuildAutoCeilingFloor(wall, 1, 12, 0, -3, 1, 10, 96, 0);
        const std::vector<Objex*> slabs = Made();
        ASSERT_EQ(slabs.size(), 2u);
        EXPECT_EQ(Sorted(At(slabs[0])), Corners({{6, 6}, {6, 194}, {194, 6}, {194, 194}}));
        EXPECT_EQ(Sorted(At(slabs[1])), Sorted(At(wall)));
        for (Objex* s : slabs)
            EXPECT_TRUE(Near({s->type, s->closed, s->texture, s->texture2, s->fillColor.red, objfield::display::kWord(*s),
                              IsObjectSelected(s), dvxtest::Built(s), s->firstPoint->texture1},
                             {13, 1, 0, 1700, 0xFFFF, 2, 1, 1, 1700}));
        EXPECT_TRUE(Near({slabs[0]->elevation, objfield::floors::kThickness(*slabs[0]), slabs[1]->elevation,
                          objfield::floors::kThickness(*slabs[1])}, {0, 12, 96, 10}));
        DeleteLayerObjects(floor);
    }
    // Outwards, one step for both slabs, and undone together.
    Objex* wall = NewWall(kSquare, true, {});
    InitializeUndo(), undo.actionNames.clear();
    BuildAutoCeilingFloor(wall, 1, 12, 0, 3, 1, 10, 96, 3);
    EXPECT_EQ(Sorted(At(Made()[0])), Corners({{-6, -6}, {-6, 206}, {206, -6}, {206, 206}}));
    EXPECT_EQ(undo.actionNames, std::vector<std::string>{"Build Ceiling/Floor"});
    DoUndo();
    floor = doc->itsCurLayer;
    EXPECT_EQ(CountObjects(floor->firstObject), 1);
    BuildAutoCeilingFloor(NewWall({{0, 0}}, false, {}), 1, 12, 0, 0, 1, 10, 96, 0);  // no outline: nothing
    EXPECT_EQ(std::tuple(undo.actionNames.size(), CountObjects(floor->firstObject)), std::tuple(1u, 2));
}

TEST_F(AutoCeilings, SoffitsRunFromTheWallFaceUnderSelectedSegments) {
    const PlanPoints line = {{0, 0}, {50, 0}, {100, 0}, {150, 0}, {200, 0}, {250, 0}};
    struct Row { PlanPoints outline; bool closed; std::vector<int> selected; float extension; int join;
                 std::vector<Corners> soffits; };
    const Row rows[] = {
        {kSquare, true, {0, 1}, 18, 0, {{{-6, -6}, {-42, -42}, {242, -42}, {206, -6}}}},
        {kSquare, true, {3, 0}, 18, 0, {{{-6, 206}, {-42, 242}, {-42, -42}, {-6, -6}}}},
        {kSquare, true, {0, 1}, -18, 0, {{{6, 6}, {42, 42}, {158, 42}, {194, 6}}}},
        {kSquare, true, {3, 0, 1}, 18, 1, {{{-6, 206}, {-6, -6}, {206, -6}, {242, -42}, {-42, -42}, {-42, 242}}}},
        {line, false, {0, 1, 3, 4, 5}, 18, 1,
         {{{0, -6}, {50, -6}, {50, -42}, {0, -42}}, {{150, -6}, {200, -6}, {250, -6}, {250, -42}, {200, -42}, {150, -42}}}},
        {kSquare, true, {0, 1}, 0, 0, {}},
        {{{0, 0}}, false, {0}, 18, 0, {}}};
    for (const Row& row : rows) {
        undo.actionNames.clear();
        BuildAutoSoffits(NewWall(row.outline, row.closed, row.selected), 3, 100, row.extension, row.join);
        const std::vector<Objex*> built = Made();
        ASSERT_EQ(built.size(), row.soffits.size());
        for (size_t i = 0; i < built.size(); ++i) {
            EXPECT_EQ(At(built[i]), row.soffits[i]);
            EXPECT_TRUE(Near({built[i]->elevation, objfield::floors::kThickness(*built[i]), built[i]->texture2,
                              built[i]->firstPoint->position[1], built[i]->penWidth, dvxtest::Built(built[i])},
                             {100, 3, 0, 0, CurrentDocState()->penWidth, 1}));
        }
        EXPECT_EQ(undo.actionNames.size(), built.empty() ? 0u : 1u);
        DeleteLayerObjects(floor);
    }
}

}  // namespace

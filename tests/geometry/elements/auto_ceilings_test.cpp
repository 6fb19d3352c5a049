// The ceiling builder against outlines worked out by hand: at the default scale 36 an inch is
// two plan units, so a 6-inch wall is 12 units thick and an 18-inch soffit 36 units deep.
#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>
#include "files/content_paths.h"
#include "files/undo.h"
#include "geometry/elements/auto_ceilings.h"
#include "model/deletion.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/selection_queries.h"
#include "model/tool_defaults.h"
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
    // A 6-inch wall; segment heights 100, 90, 110, 80 from point 0 on; points selected by index.
    Objex* NewWall(PlanPoints points, bool closed, const std::vector<int>& selected) {
        Objex* w = Wall(floor, points, closed);
        w->penWidth = 6, w->elevation = 10, objfield::wall::kQuickWallWidth(*w) = 12;
        const float heights[] = {100, 90, 110, 80, 70, 70};
        for (int i = 0; Poinz* p = PointAt(w, i); ++i) objfield::wall_segment::kFirstHeight(*p) = heights[i];
        for (int i : selected) PointAt(w, i)->selected = 1;
        return w;
    }
    std::vector<Objex*> Made() { return ListOf(floor->firstObject->next); }  // behind the wall
    RecordingUndo undo;
};

Corners At(const Objex* o) {  // plan corners to a hundredth
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
        DeleteObj(wall);  // and forgotten with it
        EXPECT_EQ(gTheWallObject, nullptr);
    }
    EXPECT_EQ(InitializeAutoCeilingFloorDlgVar(), 0);  // none selected
    NewWall(kSquare, true, {0}), NewWall(kSquare, true, {1});
    EXPECT_EQ(std::tuple(InitializeAutoCeilingFloorDlgVar(), gCeilingElevation, gTheWallObject), std::tuple(0, 90.0f, nullptr));
}

TEST_F(AutoCeilings, SlabsFollowTheWallLineAtTheirExtension) {
    const PlanPoints reversed = {{0, 200}, {200, 200}, {200, 0}, {0, 0}};
    struct Row { PlanPoints outline; float floorExtension, lo, hi; };  // the floor's square
    for (const Row& row : {Row{kSquare, -3, 6, 194}, Row{reversed, -3, 6, 194}, Row{reversed, 3, -6, 206}}) {
        BuildAutoCeilingFloor(NewWall(row.outline, true, {}), 1, 12, 0, row.floorExtension, 1, 10, 96, 0);
        const std::vector<Objex*> slabs = Made();
        ASSERT_EQ(slabs.size(), 2u);
        EXPECT_EQ(Sorted(At(slabs[0])), Corners({{row.lo, row.lo}, {row.lo, row.hi}, {row.hi, row.lo}, {row.hi, row.hi}}));
        EXPECT_EQ(Sorted(At(slabs[1])), Sorted(At(floor->firstObject)));
        for (Objex* s : slabs)  // the floor at 0, 12 thick, then the ceiling at 96, 10 thick
            EXPECT_TRUE(Near({s->type, s->closed, s->texture, s->texture2, s->fillColor.red, objfield::display::kWord(*s),
                              IsObjectSelected(s), dvxtest::Built(s), s->firstPoint->texture1, s->elevation,
                              objfield::floors::kThickness(*s), s->planBits},
                             {13, 1, 0, 1700, 0xFFFF, 2, 1, 1, 1700, s == slabs[0] ? 0 : 96, s == slabs[0] ? 12 : 10, 2}));
        DeleteLayerObjects(floor);
    }
    // One step for both slabs, undone together; a wall with no outline makes nothing.
    Objex* wall = NewWall(kSquare, true, {});
    InitializeUndo(), undo.actionNames.clear();
    BuildAutoCeilingFloor(wall, 1, 12, 0, 3, 1, 10, 96, 3);
    BuildAutoCeilingFloor(NewWall({{0, 0}}, false, {}), 1, 12, 0, 0, 1, 10, 96, 0);
    // A straight wall's outline is two points, a slab a read throws away: none is made.
    BuildAutoCeilingFloor(NewWall({{0, 0}, {200, 0}}, false, {}), 1, 12, 0, 0, 1, 10, 96, 0);
    EXPECT_EQ(CountObjects(doc->itsCurLayer->firstObject), 5);  // three walls, two slabs
    EXPECT_EQ(undo.actionNames, std::vector<std::string>{"Build Ceiling/Floor"});
    DoUndo();
    EXPECT_EQ(CountObjects(doc->itsCurLayer->firstObject), 1);
}

TEST_F(AutoCeilings, SoffitsRunFromTheWallFaceUnderSelectedSegments) {
    const PlanPoints line = {{0, 0}, {50, 0}, {100, 0}, {150, 0}, {200, 0}, {250, 0}};
    struct Row { PlanPoints outline; bool closed; std::vector<int> selected; float extension; int join; std::vector<Corners> soffits; };
    const Row rows[] = {
        {kSquare, true, {0, 1}, 18, 0, {{{-6, -6}, {-42, -42}, {242, -42}, {206, -6}}}},
        {kSquare, true, {3, 0}, 18, 0, {{{-6, 206}, {-42, 242}, {-42, -42}, {-6, -6}}}},
        {kSquare, true, {0, 1}, -18, 0, {{{6, 6}, {42, 42}, {158, 42}, {194, 6}}}},
        {kSquare, true, {3, 0, 1}, 18, 1, {{{-6, 206}, {-6, -6}, {206, -6}, {242, -42}, {-42, -42}, {-42, 242}}}},
        {kSquare, true, {0, 1, 2, 3}, 18, 1, {{{-6, -6}, {206, -6}, {206, 206}, {-6, 206}, {-6, -6}, {-42, -42}, {-42, 242}, {242, 242}, {242, -42}, {-42, -42}}}},
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
                             {100, 3, 0, 0, 1, 1}));  // the document's pen, not the wall's 6
        }
        EXPECT_EQ(undo.actionNames.size(), built.empty() ? 0u : 1u);
        DeleteLayerObjects(floor);
    }
}

}  // namespace

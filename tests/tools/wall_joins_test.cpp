// Joining a wall's end to what lies under it, as converting a shape to a wall and the curved
// wall tool do (zoom 1, scale 72: a view point is an inch), with walls checked by their points.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "model/deletion.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "support/build.h"
#include "support/plan_gestures.h"
#include "tools/wall_joins.h"

namespace {

using namespace dvxtest;
using Plan = std::vector<std::pair<float, float>>;

class WallEnds : public PlanGestureTest {
protected:
    Layer* floor() { return doc->itsCurLayer; }
};

// A new wall (0,100) -> (100,100) ends where a wall (100,0) -> (100,200) passes, on the middle
// of its segment; a third wall, lower in the list, has a free end there too. The first object
// the search meets from the top ends it, whatever that is: only a free end of another open wall
// joins.
TEST_F(WallEnds, TheFirstOtherObjectUnderTheEndDecidesTheJoin) {
    Layer* on = floor();
    struct Row { const char* what; std::function<Objex*()> top; bool joinsThird; } rows[] = {
        {"the middle of a wall's segment", [on] { return Wall(on, {{100, 0}, {100, 200}}); }, false},
        {"a closed wall's corner", [on] { return Wall(on, {{100, 100}, {200, 100}, {200, 200}}, true); }, false},
        {"a line's free end", [on] { return Shape(on, objtype::kDetail, {{100, 100}, {100, 300}}); }, false},
        {"nothing", [] { return static_cast<Objex*>(nullptr); }, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        DeleteLayerObjects(floor());
        Objex* third = Wall(floor(), {{100, 100}, {300, 100}});
        Objex* top = r.top();
        Objex* made = Wall(floor(), {{0, 100}, {100, 100}});
        const Plan topBefore = top ? PlanPositions(top) : Plan{};
        Objex* result = ConnectWallPoint(made, made->firstPoint->next);
        if (r.joinsThird) {
            // The third wall's first point meets the new wall's last: the new wall survives
            // with the third's points after its own.
            EXPECT_EQ(result, made);
            EXPECT_EQ(PlanPositions(made), (Plan{{0, 100}, {100, 100}, {300, 100}}));
            EXPECT_EQ(CountObjects(floor()->firstObject), 1);
        } else {
            EXPECT_EQ(result, made);
            EXPECT_EQ(PlanPositions(made), (Plan{{0, 100}, {100, 100}}));
            EXPECT_EQ(PlanPositions(third), (Plan{{100, 100}, {300, 100}}));
            EXPECT_EQ(PlanPositions(top), topBefore);
            EXPECT_EQ(CountObjects(floor()->firstObject), 3);
        }
    }
}

// An open wall of three points whose ends meet closes onto itself, the first end taking the
// last's place; with nothing else there. Two points never close.
TEST_F(WallEnds, AWallsOwnOtherEndClosesIt) {
    Objex* wall = Wall(floor(), {{0, 0}, {200, 0}, {200, 200}, {0, 3}});
    EXPECT_EQ(ConnectWallPoint(wall, wall->firstPoint), wall);
    EXPECT_TRUE(wall->closed);
    EXPECT_EQ(wall->pointCount, 3);
    Objex* two = Wall(floor(), {{400, 0}, {400, 3}});
    EXPECT_EQ(ConnectWallPoint(two, two->firstPoint), two);
    EXPECT_FALSE(two->closed);
    EXPECT_EQ(two->pointCount, 2);
}

}  // namespace

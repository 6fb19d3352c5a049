// The landscape outline tools and the path and excavation rebuilds, played through the gesture
// runner in the plan (zoom 1, scale 72: a view point is a plan point).
#include <gtest/gtest.h>

#include <cmath>

#include "model/default_textures.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "support/build.h"
#include "support/plan_gestures.h"
#include "support/wall_checks.h"
#include "model/topo_grid.h"
#include "model/material_table.h"
#include "tools/site_rebuilds.h"
#include "tools/site_tools.h"
#include "tracking/tracker_loops.h"
#include "tracking/tracking_state.h"

namespace {

using namespace dvxtest;

class SiteTools : public PlanGestureTest {
protected:
    int Count() { return CountObjects(doc->itsCurLayer->firstObject); }
    // Clicks through the points, then a double click on the last; the new object or null.
    Objex* Draw(int16_t tool, std::vector<POINT> at) {
        gCurTool = tool;
        const int before = Count();
        for (POINT p : at) g.move(p), g.click(p);
        g.click(at.back(), 0, 2);
        return Count() > before ? Last() : nullptr;
    }
    static int Parts(const Objex* o) { return CountObjects(o->firstPart); }
};

TEST_F(SiteTools, OutlinesTakeTheirTypeHeightAndMaterial) {
    ds->fillPattern = 3, ds->conversionValueB = 36;
    const std::vector<POINT> square = {{100, 100}, {200, 100}, {200, 200}, {100, 200}};
    struct Row { int16_t tool, type; float raise; int32_t pointTexture; int onTerrain; };
    const Row rows[] = {
        {7500, objtype::kPropertyLine, 1.0f, 1150, 1},
        {7501, objtype::kGroundFill, 2.0f, gFillDefaultTexture, 1},
        {7509, objtype::kExcavation, -1.0f, 1115, 0},
    };
    for (const Row& r : rows) {
        Objex* o = Draw(r.tool, square);
        ASSERT_TRUE(o) << r.tool;
        EXPECT_TRUE(Near({o->type, o->planBits, int(o->onTerrain), o->closed, o->pointCount}, {r.type, 128, r.onTerrain, 1, 4}))
            << r.tool;
        for (Poinz* p = o->firstPoint; p; p = p->next)
            EXPECT_TRUE(Near({p->position[1], float(p->texture1), float(p->color1.red)}, {r.raise, float(r.pointTexture), 65535}, 1e-3f))
                << r.tool;
    }
    // The ground fill takes the colour of the document's material, its number in the texture.
    Objex* fill = doc->itsCurLayer->firstObject->next;
    EXPECT_EQ(fill->fillColor, MaterialTableColor(3));
    EXPECT_EQ(fill->texture, 3);

    // A deep excavation sinks by its depth and has one band of two rows: V and V - 1.
    Objex* pit = Last();
    EXPECT_TRUE(Near({pit->elevation, pit->params[2], float(Parts(pit))}, {-36, 36, 1}));
    const Objex* band = pit->firstPart;
    EXPECT_TRUE(Near({band->type, band->subtype, band->pointCount, band->closed}, {134, 134, 8, 1}));
    float lowest = 0, highest = -10;
    for (const Poinz* p = band->firstPoint; p; p = p->next)
        lowest = std::fmin(lowest, p->position[1]), highest = std::fmax(highest, p->position[1]);
    EXPECT_TRUE(Near({lowest, highest}, {-2, -1}, 1e-3f));
    ds->conversionValueB = 0;
    Objex* flat = Draw(7509, square);
    ASSERT_TRUE(flat);
    EXPECT_EQ(Parts(flat), 0);

    // A topography outline over the lot raises the ground grid inside it to its elevation.
    ds->lotRect = FloatRect{0, 0, 400, 400}, ds->topoGridSpacing = 100, ds->topoValue = 24;
    SetupTopoGrid();
    ASSERT_GT(gTopoRowCnt, 1);
    Objex* topo = Draw(7512, {{-10, -10}, {410, -10}, {410, 410}, {-10, 410}});
    ASSERT_TRUE(topo);
    EXPECT_TRUE(Near({topo->type, topo->planBits, topo->penWidth, topo->closed}, {30, 128, 24, 1}));
    EXPECT_EQ(gTopographyGrid[size_t(gTopoColumnCnt) + 2], 24);  // node (1, 1)

    // Too short: a property line of two points, an excavation of two points.
    EXPECT_EQ(Draw(7500, {{300, 300}, {400, 300}}), nullptr);
    EXPECT_EQ(Draw(7509, {{300, 300}, {400, 300}}), nullptr);
    EXPECT_FALSE(TrackerLoopOpen());
}

TEST_F(SiteTools, FencesTakeTheOrnamentalTextureOnlyForItsStyle) {
    ds->fenceSizes[0] = 72, ds->fenceSizes[4] = 60;
    for (int16_t style : {703, 704}) {
        ds->fenceStyle = style;
        Objex* fence = Draw(7505, {{100, 100}, {300, 100}});
        ASSERT_TRUE(fence);
        EXPECT_TRUE(Near({fence->type, fence->planBits, fence->texture, fence->texture2, fence->texture4, int(fence->onTerrain)},
                         {25, 128, style, 850, 2200, 1}));
        EXPECT_TRUE(Near({fence->params[0], fence->params[4]}, {72, 60}));
        const int32_t first = fence->firstPoint->texture1;
        EXPECT_EQ(first == gFenceDefaultTexture, style != 704) << style;
        for (Poinz* p = fence->firstPoint; p; p = p->next) EXPECT_EQ(p->texture1, first);
    }
}

TEST_F(SiteTools, PathsCarryTheirBordersBeforeTheirSurface) {
    ds->pathWidth = 36, ds->pathStyle = 2, ds->pathStyleChoice = 0;
    Objex* path = Draw(7502, {{100, 100}, {200, 100}, {300, 150}});
    ASSERT_TRUE(path);
    EXPECT_TRUE(Near({path->type, path->planBits, path->penWidth, float(path->texture), float(path->optionB)},
                     {22, 128, 36, 2, 0}));
    EXPECT_EQ(path->fillColor, MaterialTableColor(2));
    ASSERT_EQ(Parts(path), 1);
    Objex* surface = path->firstPart;
    EXPECT_TRUE(Near({surface->type, surface->closed}, {23, 1}));
    EXPECT_EQ(surface->sourceObject, path);
    // Square ends: no tangents at the first and last points and at the turn at the far end.
    const int n = surface->pointCount;
    for (int i : {0, n / 2 - 1, n / 2, n - 1}) {
        Poinz* p = PointAt(surface, i);
        EXPECT_TRUE(Near({p->inTangent[0], p->inTangent[2], p->outTangent[0], p->outTangent[2]}, {0, 0, 0, 0})) << i;
    }
    // The surface is 36 wide about the line: across the first point it runs from D 82 to 118.
    float top = 1000, bottom = 0;
    for (const Poinz* p = surface->firstPoint; p; p = p->next)
        if (std::fabs(p->position[0] - 100) < 1e-2f) top = std::fmin(top, p->position[2]), bottom = std::fmax(bottom, p->position[2]);
    EXPECT_TRUE(Near({top, bottom, surface->firstPoint->position[1]}, {82, 118, path->firstPoint->position[1] + 2}, 1e-2f));

    // Border style 2: the left edging's blocks (side 7: above the line on screen, the first on
    // D 82), then the right one's (the first on D 118), then the surface.
    path->fillPattern = 2;
    Update3DPath(path);
    const std::vector<Objex*> parts = ListOf(path->firstPart);
    ASSERT_GE(parts.size(), 3u);
    auto centredOn = [](const Objex* b, float h, float d) {
        return std::fabs((b->bounds.floatLeft + b->bounds.floatRight) / 2 - h) < 1e-2f &&
               std::fabs((b->bounds.floatTop + b->bounds.floatBottom) / 2 - d) < 1e-2f;
    };
    size_t right = 1;
    while (right < parts.size() && !centredOn(parts[right], 100, 118)) ++right;
    EXPECT_TRUE(centredOn(parts[0], 100, 82) && right < parts.size() - 1);
    for (size_t i = 0; i + 1 < parts.size(); ++i) EXPECT_EQ(parts[i]->type, objtype::kEdging) << i;
    EXPECT_EQ(parts.back()->type, objtype::kType23);

    // A straight path style draws a straight path.
    ds->pathStyleChoice = 1;
    Objex* straight = Draw(7502, {{100, 400}, {200, 400}, {300, 450}});
    ASSERT_TRUE(straight);
    for (Poinz* p = straight->firstPoint; p; p = p->next)
        EXPECT_TRUE(Near({p->inTangent[0], p->outTangent[0], p->outTangent[2]}, {0, 0, 0}));
}

}  // namespace

namespace {

using namespace dvxtest;

class Sprinklers : public PlanGestureTest {
protected:
    int Count() { return CountObjects(doc->itsCurLayer->firstObject); }
    // Centre (200, 200), radius to (300, 200), then a quarter turn to (200, 100) and a click.
    Objex* Turn(int16_t tool) {
        gCurTool = tool;
        const int before = Count();
        g.press({200, 200}), g.drag({250, 200}), g.drag({300, 200}), g.release({300, 200});
        g.move({200, 100}), g.click({200, 100});
        return Count() > before ? Last() : nullptr;
    }
};

bool HasPoint(Objex* o, float h, float d) {
    for (Poinz* p = o->firstPoint; p; p = p->next)
        if (std::fabs(p->position[0] - h) < 1e-2f && std::fabs(p->position[2] - d) < 1e-2f) return true;
    return false;
}

TEST_F(Sprinklers, APieOfTheTurnAboutThePressOrADetailArc) {
    Objex* pie = Turn(7508);
    ASSERT_TRUE(pie);
    EXPECT_TRUE(Near({pie->type, pie->planBits, pie->closed, pie->params[0]}, {125, 128, 1, 90}, 1e-2f));
    Poinz* centre = PointAt(pie, pie->pointCount - 1);
    EXPECT_TRUE(Near({centre->position[0], centre->position[2]}, {200, 200}, 1e-3f));
    EXPECT_TRUE(HasPoint(pie, 300, 200) && HasPoint(pie, 200, 100) &&
                HasPoint(pie, 200 + 100 * std::sqrt(0.75f), 150));  // every 30 degrees
    EXPECT_FALSE(TrackerLoopOpen() || gMouseCaptured);

    Objex* arc = Turn(7705);
    ASSERT_TRUE(arc && arc != pie);
    EXPECT_TRUE(Near({arc->type, arc->subtype, arc->closed, arc->fillPattern}, {29, 5, 0, 0}));
    EXPECT_TRUE(HasPoint(arc, 300, 200) && HasPoint(arc, 200, 100) && !HasPoint(arc, 200, 200));

    // Under 20 units: nothing, and the standard tool again.
    const int before = Count(), resetsBefore = resets;
    gCurTool = 7508;
    g.press({400, 400}), g.drag({405, 400}), g.release({410, 400});
    EXPECT_FALSE(g.running());
    EXPECT_EQ(Count(), before);
    EXPECT_EQ(resets, resetsBefore + 1);
}

}  // namespace

namespace {

using namespace dvxtest;
using Titles = std::vector<std::string>;

// A fence from (0, 0) to (200, 0) and a wall from (0, 300) to (200, 300), 6 thick.
class Gates : public PlanGestureTest {
protected:
    void SetUp() override {
        PlanGestureTest::SetUp();
        fence = Wall(doc->itsCurLayer, {{0, 0}, {200, 0}});
        fence->type = objtype::kFence;
        wall = Wall(doc->itsCurLayer, {{0, 300}, {200, 300}});
        wall->penWidth = 6;
        ds->gateLength = 36, ds->gateColor = RGBColor{1, 2, 3};
        gCurTool = 7506;
    }
    Titles Place(POINT from, POINT to) {
        alerts.shown.clear();
        g.press(from), g.drag(to), g.release(to);
        Titles t;
        for (const auto& s : alerts.shown) t.push_back(s.alert.message);
        return t;
    }
    Objex* fence = nullptr;
    Objex* wall = nullptr;
};

TEST_F(Gates, AGateIsTwoPointsOnAFenceSectionLongEnoughForIt) {
    // Off any fence: a message in the plan view only; a wall keeps its thickness and colour.
    const RGBColor pen = wall->penColor;
    EXPECT_EQ(Place({100, 300}, {100, 300}), Titles{"Fence section not found."});
    EXPECT_TRUE(Near({wall->penWidth, float(wall->penColor.blue)}, {6, float(pen.blue)}));

    // Wider than the section's working length (its length + 5).
    ds->gateLength = 206;
    EXPECT_EQ(Place({100, 0}, {100, 0}), Titles{"Unable to place gate on fence section."});
    EXPECT_EQ(fence->pointCount, 2);

    ds->gateLength = 36;
    EXPECT_EQ(Place({100, 0}, {100, 0}), Titles{});
    ASSERT_EQ(fence->pointCount, 4);
    Poinz* start = PointAt(fence, 1);
    Poinz* end = PointAt(fence, 2);
    EXPECT_EQ(start->kind, pointkind::kGatePoint);
    EXPECT_NE(end->kind, pointkind::kGatePoint);
    EXPECT_TRUE(Near({end->position[0] - start->position[0], start->position[2], end->position[2]}, {36, 0, 0}, 1e-2f));
    EXPECT_TRUE(Near({fence->penWidth, float(fence->penColor.blue)}, {36, 3}));
    EXPECT_TRUE(MappedAsARead(fence));  // as a read measures its new points

    // The section that starts at the gate point holds that gate.
    const int32_t gateX = static_cast<int32_t>(start->position[0] + 18);
    EXPECT_EQ(Place({gateX, 0}, {gateX, 0}),
              Titles{"Gate already exists on this fence section."});
    EXPECT_EQ(fence->pointCount, 4);

    SetView(0, 0);
    EXPECT_EQ(Place({100, 150}, {100, 150}), Titles{});
}

}  // namespace

// What the tools draw on an upper floor stands on that floor in the 3D scene (plan at zoom 1,
// scale 72: a plan unit is an inch) and, selected or not, is what the selection's summary
// counts; on the ground floor, landscape objects keep to the terrain.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>

#include "app/core/event_handler.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/inspector_panel.h"
#include "model/objects.h"
#include "model/selection_ops.h"
#include "model/selection_state.h"
#include "model/transforms.h"
#include "model/view_layers.h"
#include "scene/plane_object.h"
#include "scene/scene_build.h"
#include "support/build.h"
#include "support/plan_gestures.h"
#include "support/scene_checks.h"
#include "tracking/track_events.h"
#include "tracking/tracking_state.h"

namespace {

using namespace dvxtest;

constexpr int32_t kSecondFloor = 5276;  // Active Floor > Second Floor

class FloorHeights : public PlanGestureTest {
protected:
    void SetUp() override {
        PlanGestureTest::SetUp();
        RegisterLiveView(true);
    }
    // Clicks through the points of an outline, then Escape.
    void Clicks(std::vector<POINT> at) {
        for (POINT p : at) g.move(p), g.click(p);
        g.key(keycode::kEscape);
    }
    // The lowest height (inches) of the pieces built for the object and its parts; 1e9 for none.
    static float Lowest(const Objex* o) {
        float lowest = 1e9f;
        for (const PlaneObject* p : PiecesOf(o))
            for (const Plane* plane : PlanesOf(p))
                for (uint32_t i = 0; i < plane->count; ++i) lowest = std::min(lowest, -plane->vertices[i].V);
        return lowest == 1e9f ? lowest : ConvertScreenToWorld(lowest, CurrentDocState(), 0);
    }
};

TEST_F(FloorHeights, WhatEachToolDrawsOnTheSecondFloorStandsOnIt) {
    Win32EventHandler().workOnFloorUsingCommand(kSecondFloor);
    const float base = GetLayerAbsBaseHeight(GetFirstFloorLayer()->next);
    ASSERT_EQ(std::pair(ds->currentElevation, base), std::pair(96.0f, 96.0f));
    // Dimensions stand nowhere in the scene: only their summary is checked.
    enum Gesture { kDrag, kOutline, kCurve, kDimension };
    const struct { int16_t tool; Gesture gesture; const char* name; } rows[] = {
        {7050, kDrag, "exterior wall"}, {7052, kDrag, "interior wall"}, {7054, kCurve, "curved wall"},
        {7000, kOutline, "foundation wall"}, {7062, kOutline, "floor"}, {7600, kOutline, "deck"},
        {7058, kOutline, "staircase"}, {7060, kOutline, "railing"}, {7505, kOutline, "fence"},
        {7504, kOutline, "edging"}, {7306, kOutline, "roof panel"}, {209, kDimension, "dimension line"},
        {210, kDimension, "offset dimension"}, {211, kDimension, "length dimension"},
        {213, kDimension, "leader dimension"}};
    int32_t d = 60;
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        SelectAllLayers(doc->itsLayers, selmode::kDeselect, 0);
        RefreshSelectionState40();  // nothing selected, counted
        gCurTool = r.tool;
        const int before = CountObjects(doc->itsCurLayer->firstObject);
        if (r.gesture == kDrag) Drag({{100, d}, {150, d}, {300, d}});
        if (r.gesture == kOutline) Clicks({{100, d}, {300, d}, {300, d + 40}, {100, d + 40}});
        if (r.gesture == kCurve) Drag({{100, d}, {200, d}, {300, d}}), g.move({200, d + 40}), g.click({200, d + 40});
        if (r.gesture == kDimension) Drag({{100, d}, {150, d}, {200, d + 10}}), g.move({250, d + 30}), g.click({250, d + 30});
        ASSERT_EQ(CountObjects(doc->itsCurLayer->firstObject), before + 1);
        const SelectionState40 left = ds->ss40;
        RefreshSelectionState40();
        EXPECT_EQ(std::tuple(left.ssStateFresh, left.ssBaseElevation, left.ssBaseElevationValue),
                  std::tuple(ds->ss40.ssStateFresh, ds->ss40.ssBaseElevation, ds->ss40.ssBaseElevationValue));
        Objex* o = Last();
        if (r.gesture == kDimension) {
            d += 70;
            continue;
        }
        ReRenderObject(o);
        const float lowest = Lowest(o);
        EXPECT_TRUE(lowest >= base - 1e-3f && lowest < base + 100) << lowest;
        if (o->type == objtype::kWall) {
            for (const Poinz* p = o->firstPoint; p; p = p->next) EXPECT_EQ(p->baseElevation, base);
        }
        d += 70;
    }
}

TEST_F(FloorHeights, SegmentsAddedToAWallOnTheSecondFloorStandOnIt) {
    Win32EventHandler().workOnFloorUsingCommand(kSecondFloor);
    gCurTool = 7050;
    Objex* wall = Drag({{100, 100}, {150, 100}, {200, 100}});
    Drag({{200, 100}, {200, 150}, {200, 200}});  // extends it from its free end
    Drag({{400, 200}, {400, 250}, {400, 300}});
    Drag({{200, 200}, {300, 200}, {400, 200}});  // links the two: one wall
    ASSERT_EQ(CountObjects(doc->itsCurLayer->firstObject), 1);
    wall = doc->itsCurLayer->firstObject;
    ASSERT_EQ(wall->pointCount, 5);
    for (const Poinz* p = wall->firstPoint; p; p = p->next) EXPECT_EQ(p->baseElevation, 96.0f);
    ReRenderObject(wall);
    EXPECT_NEAR(Lowest(wall), 96.0f, 1e-3f);
}

TEST_F(FloorHeights, OnTheGroundFloorFencesAndEdgingKeepToTheTerrain) {
    for (int16_t tool : {int16_t(7505), int16_t(7504)}) {
        gCurTool = tool;
        Clicks({{100, 100}, {300, 100}, {300, 140}});
        EXPECT_EQ(std::pair(Last()->onTerrain, Last()->elevation), std::pair(uint8_t(1), 0.0f)) << tool;
    }
    Win32EventHandler().workOnFloorUsingCommand(kSecondFloor);
    gCurTool = 7505;
    Clicks({{100, 300}, {300, 300}, {300, 340}});
    EXPECT_EQ(std::pair(Last()->onTerrain, Last()->elevation), std::pair(uint8_t(0), 96.0f));
}

}  // namespace

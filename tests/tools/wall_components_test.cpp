// Wall components, wall breaks, wall dimensions and fixed components placed by scripted
// gestures on hand-built walls. The wall runs from (0, 0) to (200, 0), 6 thick; at scale 72 and
// zoom 1 a view point is a plan unit is an inch.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "files/design_file.h"
#include "files/symbol_lists.h"
#include "model/attachments.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/units.h"
#include "support/build.h"
#include "support/plan_gestures.h"
#include "support/wall_checks.h"
#include "tools/attachment_placement.h"
#include "tools/fixed_components.h"
#include "tools/wall_attachments.h"
#include "tools/wall_components.h"
#include "tools/wall_openings.h"
#include "model/tool_defaults.h"
#include "model/click_info.h"
#include "tracking/tracker_loops.h"
#include "tracking/tracking_state.h"

namespace {

using namespace dvxtest;
using Titles = std::vector<std::string>;
using Pos = std::pair<float, float>;

Pos At(const Poinz* p) {
    return {p->position[0], p->position[2]};
}

class WallComponents : public PlanGestureTest {
  protected:
    void SetUp() override {
        PlanGestureTest::SetUp();
        wall = Wall(doc->itsCurLayer, {{0, 0}, {200, 0}});
        wall->penWidth = 6;
        ds->units = kImperialUnits;
    }
    void TearDown() override {
        FreeSymbolLists();
        PlanGestureTest::TearDown();
    }
    Objex* Place(int16_t tool, std::vector<POINT> path) {
        gCurTool = tool;
        g.press(path.front());
        for (size_t i = 1; i < path.size(); ++i)
            g.drag(path[i]);
        g.release(path.back());
        Objex* c = wall->firstChild;
        while (c && c->next)
            c = c->next;
        return c;
    }
    Titles Shown() const {
        Titles t;
        for (const auto& s : alerts.shown)
            t.push_back(s.alert.message);
        return t;
    }

    Objex* wall = nullptr;
};

TEST_F(WallComponents, APressOffAWallOrOnAShortSegmentIsRefusedWithTheToolsAlert) {
    Shape(doc->itsCurLayer, objtype::kFloor, {{0, 300}, {200, 300}, {200, 400}, {0, 400}}, true);
    Objex* stub = Wall(doc->itsCurLayer, {{0, 600}, {25, 600}}); // working length 30
    stub->penWidth = 6;
    struct Row {
        const char* what;
        int16_t tool;
        POINT at;
        const char* title;
    };
    for (const Row& row :
         {Row{"floor edge, receptacle", 7100, {100, 300}, "Unable to place component."},
          Row{"empty plan, receptacle", 7100, {100, 800}, "Unable to place component."},
          Row{"floor edge, wall break",
              toolid::kWallBreak,
              {100, 300},
              "Unable to place wall break."},
          Row{"floor edge, wall dimension",
              toolid::kWallDimension,
              {100, 300},
              "Unable to place wall dimension."},
          Row{"36 wide on 30", 7205, {12, 600}, "Unable to place component."}}) {
        alerts.shown.clear();
        Place(row.tool, {row.at});
        EXPECT_EQ(Shown(), Titles{row.title}) << row.what;
        EXPECT_FALSE(TrackerLoopOpen()) << row.what;
    }
    EXPECT_EQ(alerts.shown.back().alert.informative,
              "The wall segment is not long enough to accommodate the selected component.  Please "
              "lengthen the "
              "segment and try again.");
    EXPECT_EQ(std::tuple(wall->firstChild, stub->firstChild), std::tuple(nullptr, nullptr));
}

TEST_F(WallComponents, AComponentFollowsTheDragAndStopsShortOfTheEnd) {
    ds->receptacleStyle = 9;
    const int16_t snap = gCurSnap;
    gCurTool = 7101;
    g.press({100, 0}), g.drag({150, 0}), g.key(keycode::kTab);
    EXPECT_NE(gCurSnap, snap);
    EXPECT_TRUE(TrackerLoopOpen()); // Tab does not end the drag
    g.drag({199, -20}), g.release({199, -20});
    Objex* c = wall->firstChild;
    ASSERT_NE(c, nullptr);
    const AttachmentRecord* r = AttachmentRecordOf(c);
    // 6 wide, its end 5 short of 200, its third point 12 up on the pointer's side.
    EXPECT_EQ((std::vector<Pos>{At(c->firstPoint), At(c->firstPoint->next),
                                At(c->firstPoint->next->next)}),
              (std::vector<Pos>{{189, 0}, {195, 0}, {192, -12}}));
    EXPECT_EQ(std::tuple(c->type, c->subtype, c->planBits, c->parent, r->ownerType, r->sideFlag,
                         r->elevation),
              std::tuple(objtype::kComponent, 66, 4, wall, int16_t(66), uint8_t(1), 12.0f));
    EXPECT_FLOAT_EQ(r->centreDistance, 192);
    EXPECT_FLOAT_EQ(r->remainder, 8);
    EXPECT_EQ(c->firstPoint->selected, 0); // ends deselected

    // Too wide to keep 5 clear of the end it is dragged to (36 on 40): laid from the segment's
    // start, where the wall's refit keeps it.
    Objex* stub = Wall(doc->itsCurLayer, {{0, 600}, {40, 600}});
    stub->penWidth = 6;
    gCurTool = 7205;
    g.press({20, 600}), g.drag({39, 600}), g.release({39, 600});
    Objex* wide = stub->firstChild;
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ((std::vector<Pos>{At(wide->firstPoint), At(wide->firstPoint->next)}),
              (std::vector<Pos>{{0, 600}, {36, 600}}));
    EXPECT_EQ(UpdateWallAttachment(wide), 0);
    EXPECT_EQ(stub->firstChild, wide);
    // Every attachment tool lays what a read maps and measures.
    for (int16_t tool : {int16_t(7057), int16_t(7064), int16_t(7100), int16_t(7205)}) {
        Objex* placed = Place(tool, {{60, 0}, {80, -10}});
        ASSERT_NE(placed, nullptr) << tool;
        EXPECT_TRUE(MappedAsARead(placed)) << tool;
    }
    EXPECT_TRUE(MappedAsARead(c) && MappedAsARead(wide));

    // Dragging an end never brings it nearer than 18 to the other.
    Poinz* segStart = wall->firstPoint;
    FloatPoint start{100, 0}, end{106, 0};
    PositionAttachment(segStart, segStart->next, FloatPoint{6, 12}, 205, 0, 200, 103, 5, &start,
                       &end, true, false, nullptr, nullptr);
    EXPECT_EQ(std::tuple(start.floatH, end.floatH), std::tuple(100.0f, 118.0f));
}

TEST_F(WallComponents, TheDragShowsTheSymbolOnThePointersSideOfTheWall) {
    // A receptacle drawn 6 wide and 8 deep, its back edge on the origin.
    Objex* symbol = Make(55);
    Make(55).closed().plan({{-3, 0}, {3, 0}, {3, 8}, {-3, 8}}).in(symbol);
    gSymbol2DList = symbol;
    // Every point the rubber band passes through.
    auto drawn = [this] {
        std::set<Pos> points;
        for (const auto& e : view.dynamicDrawEngine->primaryPath.path.elements())
            points.insert({float(e.p[0]), float(e.p[1])});
        return points;
    };
    const std::vector<Pos> below{{97, 3}, {103, 3}, {103, 11}, {97, 11}},
        above{{97, -2}, {103, -2}, {103, -10}, {97, -10}};
    // (View points are made whole by + 0.5 and truncation: -3 shows at -2.)
    for (const bool down : {true, false}) {
        const POINT pointer{100, down ? 20 : -20};
        gCurTool = 7100;
        g.press({100, 0}), g.drag(pointer);
        const std::set<Pos> points = drawn();
        // From the wall's face (3 off the centre line) outwards, on the pointer's side only.
        for (const Pos& corner : down ? below : above)
            EXPECT_TRUE(points.count(corner)) << corner.first << corner.second;
        for (const Pos& corner : down ? above : below)
            EXPECT_FALSE(points.count(corner)) << corner.first << corner.second;
        g.release(pointer);
        EXPECT_TRUE(view.dynamicDrawEngine->areAllPathsEmpty());
    }
}

TEST_F(WallComponents, TheMoveToolSlidesAComponentOrAnAccessoryAlongItsWall) {
    Objex* receptacle = Place(7100, {{100, 0}, {100, 20}}); // 97..103, 12 below
    gdsAccessoryWallOffset = 10;
    Objex* accessory = Place(toolid::kAccessory, {{40, 0}, {40, 20}});
    ASSERT_TRUE(receptacle && accessory);
    const float accessoryWidth = AttachmentRecordOf(accessory)->width;
    auto move = [](Objex* o, POINT from, POINT to, bool onSegment) {
        gClickInfo = ClickInfo{};
        gClickInfo.ciHit = 1, gClickInfo.ciObject = o, gClickInfo.ciWhere = from;
        gClickInfo.ciSegmentHit = onSegment;
        gClickInfo.ciPoint = onSegment ? o->firstPoint : nullptr;
        gClickInfo.ciPoint2 = onSegment ? o->firstPoint->next : nullptr;
        TranslateWallComponent();
        if (!TrackerLoopOpen()) return;
        DeliverToTrackerLoop(TrackEvent{trackevent::kLeftMouseDragged, to});
        DeliverToTrackerLoop(TrackEvent{trackevent::kLeftMouseUp, to});
    };
    // Whole, to the other side: 147..153, its third point 12 above.
    move(receptacle, {100, 0}, {150, -20}, true);
    EXPECT_EQ((std::vector<Pos>{At(receptacle->firstPoint), At(receptacle->firstPoint->next),
                                At(receptacle->firstPoint->next->next)}),
              (std::vector<Pos>{{147, 0}, {153, 0}, {150, -12}}));
    EXPECT_EQ(std::tuple(AttachmentRecordOf(receptacle)->centreDistance,
                         AttachmentRecordOf(receptacle)->sideFlag,
                         receptacle->firstPoint->selected),
              std::tuple(150.0f, uint8_t(1), uint8_t(1)));
    // An accessory keeps its width and stands max(6, 10) + 3 off the wall.
    move(accessory, {40, 0}, {60, 20}, true);
    EXPECT_FLOAT_EQ(AttachmentRecordOf(accessory)->width, accessoryWidth);
    EXPECT_EQ(At(accessory->firstPoint->next->next), (Pos{60, 13}));
    // A drag that ends where it began, or a click off the segment, changes nothing.
    move(receptacle, {150, 0}, {150, 0}, true);
    move(receptacle, {150, 0}, {90, 0}, false);
    EXPECT_FLOAT_EQ(AttachmentRecordOf(receptacle)->centreDistance, 150);
    EXPECT_FALSE(TrackerLoopOpen());
}

TEST_F(WallComponents, SwitchesMountByTheUnitsAndAFloodLightIsLit) {
    struct Row {
        int16_t units;
        float elevation;
    };
    for (const Row& row : {Row{kImperialUnits, 42}, Row{kMetricUnits, ConvertCMToInches(110)}}) {
        ds->units = row.units;
        Objex* s = Place(7105, {{60, 0}});
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->subtype, 73);
        EXPECT_FLOAT_EQ(AttachmentRecordOf(s)->elevation, row.elevation);
    }
    ds->units = kImperialUnits;
    Objex* flood = Place(7110, {{100, 0}});
    ASSERT_NE(flood, nullptr);
    const AttachmentRecord* r = AttachmentRecordOf(flood);
    EXPECT_EQ(std::tuple(flood->subtype, r->width, r->height, r->elevation),
              std::tuple(83, 25.0f, 11.0f, 84.0f));
    EXPECT_EQ(std::tuple(objfield::light::kOff(*flood), objfield::light::kGlow(*flood),
                         objfield::light::kDimmer(*flood), objfield::light::kBeamWidth(*flood)),
              std::tuple(0, 0.0f, 63, 80.0f));
}

TEST_F(WallComponents, AWallBreakSplitsTheSegmentAndAWallDimensionMeasuresAtOnce) {
    Place(toolid::kWallBreak, {{70, 0}});
    EXPECT_EQ(wall->firstChild, nullptr);
    ASSERT_EQ(wall->pointCount, 3);
    EXPECT_EQ(At(wall->firstPoint->next), (Pos{70, 0}));

    Objex* across = Wall(doc->itsCurLayer, {{0, 100}, {200, 100}});
    across->penWidth = 6;
    ds->currentPlanBit = 4;
    Objex* dim = Place(toolid::kWallDimension, {{120, 0}, {120, 20}});
    ASSERT_NE(dim, nullptr);
    const AttachmentRecord* r = AttachmentRecordOf(dim);
    EXPECT_EQ(std::tuple(dim->subtype, dim->planBits, r->sideFlag, r->width),
              std::tuple(138, 4, uint8_t(0), 0.0f));
    EXPECT_FLOAT_EQ(r->height, 100); // to the other wall's centre line

    // Dragged by its measured end it slides to the pointer's foot on its segment (from the
    // break at 70) and measures again.
    gClickInfo = ClickInfo{};
    gClickInfo.ciHit = 1, gClickInfo.ciObject = dim, gClickInfo.ciPointHit = 1,
    gClickInfo.ciWhere = {120, 100};
    gClickInfo.ciPoint = dim->firstPoint->next->next;
    TranslateWallComponent();
    DeliverToTrackerLoop(TrackEvent{trackevent::kLeftMouseDragged, {150, 50}});
    DeliverToTrackerLoop(TrackEvent{trackevent::kLeftMouseUp, {150, 50}});
    EXPECT_FALSE(TrackerLoopOpen());
    EXPECT_EQ(std::tuple(r->centreDistance, r->height, r->sideFlag),
              std::tuple(80.0f, 100.0f, uint8_t(0))); // 150 - 70
}

// The symbol lists hold one light (80): two crossing 2D strokes and one 3D piece, each about
// the origin as the lists keep them.
class FixedComponents : public WallComponents {
  protected:
    void SetUp() override {
        WallComponents::SetUp();
        Objex* sym2 = Make(80);
        Make(80).plan({{-5, 0}, {5, 0}}).in(sym2);
        Make(80).plan({{0, -5}, {0, 5}}).in(sym2);
        gSymbol2DList = sym2;
        Objex* sym3 = Make(80);
        Make(objtype::kClosedSolid).plan({{2, 0}, {4, 0}}).in(sym3);
        gSymbol3DList = sym3;
        doc->itsCurLayer->height = 96;
        ds->lightStyle = 80, ds->currentElevation = 0;
    }
    Objex* Drop(POINT at, int16_t tool = toolid::kFixtureLights) {
        gCurTool = tool;
        g.click(at);
        Objex* o = doc->itsCurLayer->firstObject;
        while (o && o->next)
            o = o->next;
        return o;
    }
};

TEST_F(FixedComponents, ALightIsDroppedAsAGroupCarryingItsThreeDPieces) {
    Objex* group = Drop({300, 200});
    ASSERT_EQ(group->type, objtype::kGroup);
    EXPECT_EQ(std::tuple(group->elevation, group->planBits, group->texture),
              std::tuple(95.5f, 4, 80));
    EXPECT_EQ(objfield::light::kDimmer(*group), 63);
    ASSERT_EQ(CountObjects(group->firstChild), 2);
    Objex* first = group->firstChild;
    EXPECT_EQ(std::tuple(first->type, first->subtype, first->next->subtype),
              std::tuple(int16_t(80), 89, 89));
    EXPECT_EQ((std::vector<Pos>{At(first->firstPoint), At(first->next->firstPoint)}),
              (std::vector<Pos>{{295, 200}, {300, 195}}));
    EXPECT_TRUE(MappedAsARead(first) && MappedAsARead(first->next));
    ASSERT_NE(first->firstPart, nullptr);
    EXPECT_EQ(std::tuple(first->firstPart->type, At(first->firstPart->firstPoint),
                         first->firstPart->next),
              std::tuple(int16_t(111), Pos{302, 200}, static_cast<Objex*>(nullptr)));
    EXPECT_EQ(undo.actionNames.back(), "Fixture Light Tool");

    // A style with no symbol in the lists makes nothing, and no undo step.
    const size_t steps = undo.actionNames.size();
    ds->lightStyle = 81;
    EXPECT_EQ(Drop({400, 200}), group);
    EXPECT_EQ(std::tuple(gGroupLeader, undo.actionNames.size()),
              std::tuple(static_cast<Objex*>(nullptr), steps));
}

TEST_F(FixedComponents, TheRebuildTurnsThePiecesAboutTheGroupsMiddle) {
    Objex* group = Drop({300, 200});
    Objex* first = group->firstChild;
    objfield::rotation::kFixedComponent(*first) = 90;
    UpdateFixedComponent(first);
    ASSERT_NE(first->firstPart, nullptr);
    ASSERT_EQ(first->firstPart->next, nullptr);
    // (302, 200) and (304, 200) a quarter turn about (300, 200): up the screen.
    const Pos a = At(first->firstPart->firstPoint), b = At(first->firstPart->firstPoint->next);
    EXPECT_NEAR(a.first, 300, 1e-4);
    EXPECT_NEAR(a.second, 198, 1e-4);
    EXPECT_NEAR(b.second, 196, 1e-4);

    // Read back from a design file, the light's pieces come turned the same way.
    ASSERT_EQ(KeyFileWrite((dir + "/light.pro").c_str()), 1);
    QMDDocumentModel* other = QMDDocumentModel::alloc()->init();
    ASSERT_EQ(KeyFileRead((dir + "/light.pro").c_str()), 1);
    Objex* back = nullptr;
    for (Layer* l = other->itsLayers; l; l = l->next)
        for (Objex* o = l->firstObject; o; o = o->next)
            if (o->type == objtype::kGroup) back = o;
    ASSERT_NE(back, nullptr);
    const Objex* piece = back->firstChild->firstPart;
    ASSERT_NE(piece, nullptr);
    EXPECT_EQ(std::tuple(piece->type, piece->next),
              std::tuple(int16_t(111), static_cast<Objex*>(nullptr)));
    EXPECT_NEAR(At(piece->firstPoint).first, 300, 1e-4);
    EXPECT_NEAR(At(piece->firstPoint).second, 198, 1e-4);
    other->dealloc();
}

// The light's 3D pieces are made again at every rebuild and read, and never saved: a rebuild
// takes no object or point number, and a design read holds the counters it was saved with.
TEST_F(FixedComponents, ItsPiecesTakeNoNumberSoAReadDesignKeepsItsCounters) {
    Objex* first = Drop({300, 200})->firstChild;
    const auto counters = [](const DocState* d) { return std::pair(d->nextObjectID, d->nextPointID); };
    const auto before = counters(ds);
    UpdateFixedComponent(first);
    ASSERT_NE(first->firstPart, nullptr);
    EXPECT_EQ(counters(ds), before);
    EXPECT_EQ(std::pair(first->firstPart->objectID, first->firstPart->firstPoint->pointID), std::pair(0u, 0u));

    ASSERT_EQ(KeyFileWrite((dir + "/light.pro").c_str()), 1);
    QMDDocumentModel* other = QMDDocumentModel::alloc()->init();
    ASSERT_EQ(KeyFileRead((dir + "/light.pro").c_str()), 1);
    EXPECT_EQ(counters(other->itsDocState), before);
    other->dealloc();
}

} // namespace

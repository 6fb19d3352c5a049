// The wall tools played as gestures in the plan (zoom 1, scale 72: a view point is a plan
// point is an inch; default walls 4 thick), with walls checked against points worked out by
// hand.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <utility>
#include <vector>

#include "files/undo.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/selection_ops.h"
#include "support/build.h"
#include "support/plan_gestures.h"
#include "support/selection_recorders.h"
#include "support/wall_checks.h"
#include "tools/wall_construction.h"
#include "tools/wall_joins.h"
#include "tracking/tracking_state.h"
#include "ui/core/wall_sheet_seams.h"

namespace {

using namespace dvxtest;
using Plan = std::vector<std::pair<float, float>>;

class WallTools : public PlanGestureTest {
protected:
    int Count() { return CountObjects(doc->itsCurLayer->firstObject); }
    // A wall drawn with the tool from a to b.
    Objex* Draw(int16_t tool, POINT a, POINT b) {
        gCurTool = tool;
        return Drag({a, {(a.x + b.x) / 2, (a.y + b.y) / 2}, b});
    }
    static bool SolidBuilt(Objex* wall) { return SolidFollowsCentreLine(wall); }
};

TEST_F(WallTools, ADragOnEmptyPlanBuildsAWallOfTheToolsKind) {
    const struct { int16_t tool; int32_t subtype, planBits, interior, trimWord; const char* label; } rows[] = {
        {7050, 54, 1, 0, 0, "Exterior Wall Tool"},
        {7052, 0, 2, 1, 3, "Interior Wall Tool"},
        {7507, 0, 128, 1, 0, "Retaining Wall Tool"},
    };
    int y = 100;
    for (const auto& row : rows) {
        Objex* wall = Draw(row.tool, {100, y}, {200, y});
        ASSERT_EQ(wall->type, objtype::kWall) << row.tool;
        EXPECT_EQ(PlanPositions(wall), (Plan{{100, float(y)}, {200, float(y)}}));
        EXPECT_TRUE(Near({wall->subtype, wall->planBits, int(wall->auxColor.red), wall->penWidth, wall->texture,
                          wall->texture2},
                         {row.subtype, row.planBits, row.interior, 4, 1700, 2213}))
            << row.tool;
        EXPECT_TRUE(Near({objfield::wall::kStudSpacing(*wall), objfield::wall::kBaseOffset(*wall),
                          objfield::wall::kQuickWallWidth(*wall)},
                         {16, 0.5, 12}));
        const Poinz* first = wall->firstPoint;
        EXPECT_TRUE(Near({first->segmentValues[0], first->segmentValues[3], first->segmentValues[4],
                          float(first->trim1->slot[0]), float(first->trim2->slot[0]), float(first->trim1->texture[3])},
                         {96, 120, 168, float(row.trimWord), float(row.trimWord), 2212}));
        EXPECT_TRUE(Near({first->dimensionFlipped, first->next->dimensionFlipped}, {0, 1}));
        EXPECT_TRUE(SolidBuilt(wall) && SelectedPointCount(wall) == 0) << row.tool;
        // As a read gives it: mapped and measured, the floor's height.
        EXPECT_TRUE(MappedAsARead(wall)) << row.tool;
        EXPECT_FLOAT_EQ(objfield::wall::kHeight(*wall), doc->itsCurLayer->height);
        EXPECT_EQ(undo.actionNames.back(), row.label);
        y += 100;
    }

    // Clicks build nothing: on empty plan the inspector hears 0; on a segment both its points
    // are selected, on a point its wall (the selection rule of tools that are not point-wise),
    // and it hears 1.
    SelectionSeamRecorder seams;
    Objex* wall = Last();
    const int before = Count();
    for (auto [at, selected, told] : {std::tuple{POINT{500, 500}, 0, 0}, {POINT{200, 300}, 2, 1}, {POINT{150, 300}, 2, 1}}) {
        seams.propertiesStates.clear();
        SelectAllLayers(doc->itsLayers, 2, 0);  // a press on a selected wall would move it
        gCurTool = 7052;
        Drag({at, {at.x + 5, at.y + 5}});
        EXPECT_TRUE(Near({Count(), SelectedPointCount(wall)}, {before, selected})) << at.x;
        // The tracker's word comes just before the engine's closing one.
        ASSERT_GE(seams.propertiesStates.size(), 2u);
        EXPECT_EQ(seams.propertiesStates.end()[-2], told) << at.x;
    }
}

TEST_F(WallTools, FreeEndsExtendCloseAndJoinWalls) {
    // Extending from either end, then closing from one free end to the other: no point added.
    Objex* wall = Draw(7052, {100, 100}, {200, 100});
    Draw(7052, {200, 100}, {200, 200});
    Draw(7052, {100, 100}, {100, 200});
    ASSERT_EQ(Count(), 1);
    EXPECT_EQ(PlanPositions(wall), (Plan{{100, 200}, {100, 100}, {200, 100}, {200, 200}}));
    // The new first point takes the other alternate flag than the point it grew from.
    EXPECT_TRUE(Near({wall->firstPoint->dimensionFlipped, wall->firstPoint->next->dimensionFlipped}, {1, 0}));
    EXPECT_TRUE(MappedAsARead(wall));
    Draw(7052, {200, 200}, {100, 200});
    EXPECT_TRUE(Near({Count(), int(wall->closed), wall->pointCount}, {1, 1, 4}));
    EXPECT_TRUE(SolidBuilt(wall) && MappedAsARead(wall));

    // Last of A to last of B: A's points, then B's reversed; B's sides swapped, its shape code
    // mirrored, its door turned round; B gone; exterior with interior is exterior.
    Objex* a = Draw(7050, {400, 100}, {400, 200});
    Objex* b = Draw(7052, {600, 400}, {600, 200});
    b->firstPoint->texture1 = 7, b->firstPoint->texture2 = 9, b->firstPoint->wallStyle = 2;
    b->firstPoint->segmentValues[0] = 50;
    Objex* door = Opening(b, objtype::kDoor, 500, 0);
    AttachmentRecord* record = door->typeData.attachment;
    const uint8_t side = record->sideFlag;
    Poinz* bFirst = b->firstPoint;
    Poinz* bLast = b->firstPoint->next;
    Draw(7052, {400, 200}, {600, 200});
    ASSERT_EQ(Count(), 2);
    EXPECT_EQ(PlanPositions(a), (Plan{{400, 100}, {400, 200}, {600, 200}, {600, 400}}));
    const Poinz* turned = PointAt(a, 2);
    EXPECT_TRUE(Near({turned->texture1, turned->texture2, turned->wallStyle}, {9, 7, 3}));
    EXPECT_FLOAT_EQ(turned->segmentValues[0], 50);
    EXPECT_TRUE(Near({a->subtype, int(a->auxColor.red)}, {54, 0}));
    EXPECT_EQ(door->parent, a);
    EXPECT_TRUE(record->segmentStart == bLast && record->segmentEnd == bFirst && record->sideFlag != side);
    EXPECT_TRUE(SolidBuilt(a) && MappedAsARead(a));

    // An open polyline's free end is no connector: a wall of its own, the polyline untouched.
    Objex* polyline = Shape(doc->itsCurLayer, objtype::kPolygon, {{900, 100}, {900, 300}});
    Objex* apart = Draw(7052, {800, 100}, {900, 100});
    EXPECT_TRUE(apart != polyline && apart->type == objtype::kWall);
    EXPECT_EQ(PlanPositions(polyline), (Plan{{900, 100}, {900, 300}}));
    EXPECT_EQ(PlanPositions(apart), (Plan{{800, 100}, {900, 100}}));
}

TEST_F(WallTools, WallsStopAtTheFaceOfTheWallTheyCross) {
    // Scale 36: an inch is two plan units, a 6-inch wall 12 thick: the new segment stops 6 short
    // of the crossed wall's centre line at H 300.
    ds->planScale = 36, ds->wallThickness = 6;
    Draw(7052, {300, 0}, {300, 400});
    ds->wallThickness = 4;
    Objex* wall = Draw(7052, {200, 200}, {350, 200});
    EXPECT_EQ(PlanPositions(wall), (Plan{{200, 200}, {294, 200}}));

    // LimitWall on its own: a crossing closer than 24 is ignored; the result is at least 10
    // long; a coordinate within 1 of the fixed point's is made exact.
    Layer* layer = doc->itsCurLayer;
    Objex* thick = Wall(layer, {{600, 0}, {600, 400}});
    thick->penWidth = 16;  // 32 plan units
    const struct { float from[2], to[2], want[2]; } rows[] = {
        {{580, 100}, {700, 100}, {580, 100}},          // 20 away: nothing
        {{575, 150}, {700, 150}, {585, 150}},          // 25 - 16 = 9: 10
        {{500, 200}, {700, 200.8f}, {584, 200}},        // 100 - 16 = 84, D exact
    };
    for (const auto& row : rows) {
        Objex* probe = Wall(layer, {{row.from[0], row.from[1]}, {row.to[0], row.to[1]}});
        Poinz* moving = probe->firstPoint->next;
        LimitWall(probe, probe->firstPoint, moving, layer);
        const bool unchanged = row.want[0] == row.from[0];
        const float wantH = unchanged ? row.to[0] : row.want[0], wantD = unchanged ? row.to[1] : row.want[1];
        EXPECT_TRUE(Near({moving->position[0], moving->position[2]}, {wantH, wantD}, 0.01)) << row.from[1];
        probe->type = objtype::kLine;  // out of the next row's way
    }
}

TEST_F(WallTools, ADragFromAFaceStaysSquareToIt) {
    Draw(7052, {300, 0}, {300, 400});
    // From the face at H 302 (half the 4 thickness), square to the wall, at the pointer's D.
    Objex* square = Draw(7052, {305, 200}, {400, 230});
    EXPECT_EQ(PlanPositions(square), (Plan{{302, 230}, {400, 230}}));
    // Face to face: ends on the second wall's face.
    Draw(7052, {500, 0}, {500, 400});
    Objex* between = Draw(7052, {305, 300}, {497, 300});
    EXPECT_EQ(PlanPositions(between), (Plan{{302, 300}, {498, 300}}));
}

// Released within the tolerance (20 at zoom 1) of another wall's segment, a wall ends on its
// face, even where whole grid cells left the drawn end beyond LimitWall's reach; a face far
// along a line that meets the wall at a slant leaves the end where it was drawn.
TEST_F(WallTools, AReleaseOnAWallEndsOnItsFace) {
    Draw(7052, {300, 0}, {300, 400});  // its face toward H 0 at 298
    ds->snapToGrid = 1, ds->snapIncrement = FloatPoint{24, 24}, ds->gridSpacing = FloatPoint{60, 60};  // drawn only
    // The press floors to (96, 96); 189 long floors to 168: 36 short of the centre line.
    Objex* meeting = Draw(7052, {100, 100}, {285, 100});
    EXPECT_EQ(PlanPositions(meeting), (Plan{{96, 96}, {298, 96}}));
    ds->snapToGrid = 0;
    // 80 degrees from (250, 390) for 203: the wall's line is met near D 106, 85 away.
    Objex* slant = Draw(7052, {250, 390}, {285, 190});
    const Poinz* end = slant->firstPoint->next;
    EXPECT_TRUE(Near({end->position[0], end->position[2]}, {285.257, 190.05}, 0.01));
}

TEST_F(WallTools, TidyingDropsPointsThatDoNotTurnTheWall) {
    Layer* layer = doc->itsCurLayer;
    const struct { Plan at; bool closed; Plan want; } rows[] = {
        {{{100, 100}, {200, 100.5f}, {300, 100}}, false, {{100, 100}, {300, 100}}},             // within 1 degree
        {{{100, 100}, {200, 100}, {150, 100}}, false, {{100, 100}, {150, 100}}},                 // doubling back
        {{{300, 100}, {200, 100.5f}, {100, 100}}, false, {{300, 100}, {100, 100}}},             // westward
        {{{100, 100}, {200, 100}, {200, 300}}, false, {{100, 100}, {200, 100}, {200, 300}}},     // a corner stays
        {{{100, 100}, {200, 100}, {200, 200}, {100, 200}, {100, 150}}, true,                      // closed: last
         {{100, 100}, {200, 100}, {200, 200}, {100, 200}}},
        {{{150, 100}, {200, 100}, {200, 200}, {100, 200}, {100, 100}}, true,                      // closed: first
         {{200, 100}, {200, 200}, {100, 200}, {100, 100}}},
    };
    for (const auto& row : rows) {
        Objex* wall = Make(objtype::kWall).on(layer).closed(row.closed);
        for (auto [h, d] : row.at) Point(wall, {h, 0, d});
        OptimizeWall(wall);
        EXPECT_EQ(PlanPositions(wall), row.want) << row.at[0].first << "," << row.at[1].second;
        EXPECT_EQ(wall->pointCount, int(row.want.size()));
        wall->type = objtype::kLine;  // out of the next row's way
    }
    // A door on the segment from a removed point takes the point before it.
    Objex* wall = Wall(layer, {{0, 400}, {100, 400}, {200, 400}});
    Objex* door = Opening(wall, objtype::kDoor, 500, 1);
    Poinz* first = wall->firstPoint;
    Poinz* last = PointAt(wall, 2);
    OptimizeWall(wall);
    EXPECT_TRUE(door->typeData.attachment->segmentStart == first && door->typeData.attachment->segmentEnd == last);
}

TEST_F(WallTools, JoiningTwoWallsByWhichEndsMeet) {
    // A runs (0,0) -> (100,0); B meets one of its ends with one of its own.
    const struct { Plan b; bool aLast, bFirst, aSurvives; Plan want; } rows[] = {
        {{{100, 0}, {100, 100}}, true, true, true, {{0, 0}, {100, 0}, {100, 100}}},
        {{{100, 100}, {100, 0}}, true, false, false, {{100, 100}, {100, 0}, {0, 0}}},
        {{{0, 0}, {0, 100}}, false, true, false, {{100, 0}, {0, 0}, {0, 100}}},
        {{{0, 100}, {0, 0}}, false, false, false, {{0, 100}, {0, 0}, {100, 0}}},
    };
    for (const auto& row : rows) {
        Objex* a = Make(objtype::kWall, 54).on(doc->itsCurLayer).plan({{0, 0}, {100, 0}});
        Objex* b = Make(objtype::kWall).on(doc->itsCurLayer);
        for (auto [h, d] : row.b) Point(b, {h, 0, d});
        b->firstPoint->texture1 = 5;  // B's first segment
        Poinz* pa = row.aLast ? a->firstPoint->next : a->firstPoint;
        Poinz* pb = row.bFirst ? b->firstPoint : b->firstPoint->next;
        Objex* kept = JoinWallObjects(a, pa, b, pb);
        ASSERT_EQ(kept, row.aSurvives ? a : b);
        EXPECT_EQ(PlanPositions(kept), row.want);
        EXPECT_TRUE(Near({Count(), kept->subtype, kept->pointCount}, {1, 54, 3}));
        if (row.bFirst && row.aLast) { EXPECT_EQ(PointAt(kept, 1)->texture1, 5); }
        EXPECT_TRUE(SolidBuilt(kept));
        kept->type = objtype::kLine;
        DeleteObj(kept);
    }
    // One segment made a wall of its own: positions, sides and materials copied, on the floor.
    Objex* source = Make(objtype::kWall).on(doc->itsCurLayer).plan({{0, 0}, {50, 0}, {50, 80}});
    source->texture4 = 77, source->penWidth = 6;
    PointAt(source, 1)->texture2 = 9;
    Objex* piece = SeparateWallSegment(source, PointAt(source, 1), PointAt(source, 2));
    ASSERT_TRUE(piece && piece->layer == doc->itsCurLayer);
    EXPECT_EQ(PlanPositions(piece), (Plan{{50, 0}, {50, 80}}));
    EXPECT_TRUE(Near({piece->type, piece->rows, piece->texture4, piece->firstPoint->texture2, int(piece->penWidth)},
                     {objtype::kWall, 1, 77, 9, 6}));
    EXPECT_TRUE(Near({piece->bounds.floatTop, piece->bounds.floatBottom}, {0, 80}, 0.01));
    for (const Poinz* p = piece->firstPoint; p; p = p->next)
        EXPECT_TRUE(p->trim1 && p->trim2 && p->trim1->slot[0] == 0 && p->trim2->slot[0] == 0) << "a trim slot left empty";
    DeleteObj(source), DeleteObj(piece);

    // A middle point is no end: refused, B comes back untouched.
    Objex* a = Make(objtype::kWall).on(doc->itsCurLayer).plan({{0, 0}, {50, 0}, {100, 0}});
    Objex* b = Make(objtype::kWall).on(doc->itsCurLayer).plan({{50, 0}, {50, 100}});
    EXPECT_EQ(JoinWallObjects(a, a->firstPoint->next, b, b->firstPoint), b);
    EXPECT_TRUE(Near({Count(), a->pointCount, b->pointCount}, {2, 3, 2}));
}

TEST_F(WallTools, ClosingAlignsTheEndOnTheConstrainedLine) {
    // From (101,200) to the first point (100,100), 90.6 degrees: the drag keeps to 5-degree
    // steps, straight up, which meets the first segment's line at (101,100); the first point
    // moves there.
    Objex* wall = Make(objtype::kWall).on(doc->itsCurLayer).plan({{100, 100}, {200, 100}, {200, 200}, {101, 200}});
    Update3DWall(wall);  // hit tests find a wall by its solid
    Draw(7052, {101, 200}, {100, 100});
    EXPECT_TRUE(wall->closed);
    const Plan want{{101, 100}, {200, 100}, {200, 200}, {101, 200}};
    ASSERT_EQ(wall->pointCount, 4);
    for (int i = 0; i < 4; ++i) ExpectNear(PointAt(wall, i), want[i].first, 0, want[i].second);
}

TEST_F(WallTools, TheTypedToolsOpenTheKeyEntrySheetOnANewSegmentOnly) {
    std::vector<std::tuple<Poinz*, Poinz*, Objex*>> sheets;
    bool opens = true;
    SetNewWallKeyEntrySheetHandler([&](CommandWindow*, Poinz* s, Poinz* e, Objex* w) {
        sheets.emplace_back(s, e, w);
        return opens;
    });
    const size_t steps = undo.actionNames.size();
    Objex* wall = Draw(7051, {100, 100}, {200, 100});
    ASSERT_EQ(sheets.size(), 1u);
    EXPECT_EQ(undo.actionNames.size(), steps);  // the sheet stores it as it closes
    EXPECT_TRUE(std::get<0>(sheets[0]) == wall->firstPoint && std::get<1>(sheets[0]) == wall->firstPoint->next &&
                std::get<2>(sheets[0]) == wall);
    // Extending: the connector and the new point.
    Draw(7053, {200, 100}, {200, 200});
    ASSERT_EQ(sheets.size(), 2u);
    EXPECT_TRUE(std::get<0>(sheets[1]) == PointAt(wall, 1) && std::get<1>(sheets[1]) == PointAt(wall, 2));
    // A merge and a close: nothing.
    Draw(7052, {400, 200}, {400, 100});
    Draw(7051, {200, 200}, {400, 200});
    Draw(7051, {100, 100}, {400, 100});
    EXPECT_EQ(sheets.size(), 2u);
    EXPECT_TRUE(Near({Count(), int(wall->closed)}, {1, 1}));

    // What opens no sheet is the gesture's step, named as the untyped tool's; so is a new
    // segment whose sheet could not open.
    opens = false;
    Draw(7053, {100, 600}, {200, 600});
    EXPECT_EQ(std::tuple(sheets.size(), undo.actionNames.back()), std::tuple(3u, "Interior Wall Tool"));
    sheets.clear();
    struct Row { const char* drag; Plan a, b; POINT from, to; int gone, points; bool closed; };
    const Row rows[] = {
        {"join", {{100, 0}, {200, 0}}, {{300, 80}, {400, 80}}, {200, 0}, {300, 80}, 1, 4, false},  // B merged into A
        {"straight extension", {{100, 0}, {200, 0}}, {}, {200, 0}, {300, 0}, 0, 2, false},
        {"closing a U", {{100, 0}, {200, 0}, {200, 80}, {100, 80}}, {}, {100, 80}, {100, 0}, 0, 4, true},
    };
    int y = 800;
    for (int16_t tool : {int16_t(7051), int16_t(7053)})
        for (const Row& r : rows) {
            SCOPED_TRACE(std::string(r.drag) + " " + std::to_string(tool));
            auto build = [&](const Plan& plan) {
                Objex* w = Make(objtype::kWall).on(doc->itsCurLayer);
                for (auto [h, d] : plan) Point(w, {h, 0, d + float(y)});
                Update3DWall(w);  // hit tests find a wall by its solid
                return w;
            };
            Objex* a = build(r.a);
            if (!r.b.empty()) build(r.b);
            const int before = Count();
            const size_t stored = undo.actionNames.size();
            NoteDesignSaved(doc);
            Draw(tool, {r.from.x, r.from.y + y}, {r.to.x, r.to.y + y});
            EXPECT_TRUE(Near({before - Count(), a->pointCount, int(a->closed)}, {r.gone, r.points, int(r.closed)}));
            EXPECT_EQ(undo.actionNames.size(), stored + 1);
            EXPECT_EQ(undo.actionNames.back(), tool == 7051 ? "Exterior Wall Tool" : "Interior Wall Tool");
            EXPECT_TRUE(DesignChangedSinceSave(doc));  // Quit asks
            y += 200;
        }
    EXPECT_TRUE(sheets.empty());
    SetNewWallKeyEntrySheetHandler({});
}

}  // namespace

namespace {

using namespace dvxtest;

class CurvedWall : public PlanGestureTest {
protected:
    int Count() { return CountObjects(doc->itsCurLayer->firstObject); }
    // The chord (100,200) -> (300,200), then the pointer to `bend` and a click there.
    void Curve(POINT bend, uint32_t modifiers = 0) {
        gCurTool = 7054;
        g.press({100, 200}), g.drag({200, 200}), g.drag({300, 200}), g.release({300, 200});
        g.move(bend, modifiers), g.click(bend, modifiers);
    }
};

// Along the circle of diameter (100,200)-(300,200) about (200,200), radius 100. The default
// 42-inch chord steps 2 asin(21 / 100) = 24.2 degrees, so a half circle takes 8 pieces of 22.5.
bool HasPoint(Objex* wall, float h, float d) {
    for (Poinz* p = wall->firstPoint; p; p = p->next)
        if (std::fabs(p->position[0] - h) < 1e-2f && std::fabs(p->position[2] - d) < 1e-2f) return true;
    return false;
}

TEST_F(CurvedWall, AnArcAlongTheChordsCircleFromTheRelease) {
    // Pointer a quarter turn on (counter-clockwise on the screen): 90 degrees in 4 pieces.
    Curve({200, 100});
    Objex* arc = Last();
    ASSERT_TRUE(arc && arc->type == objtype::kWall);
    EXPECT_EQ(arc->pointCount, 5);
    EXPECT_TRUE(HasPoint(arc, 300, 200) && HasPoint(arc, 200, 100));
    EXPECT_TRUE(HasPoint(arc, 200 + 100 * std::cos(0.3927f), 200 - 100 * std::sin(0.3927f)));
    EXPECT_TRUE(Near({arc->subtype, int(arc->auxColor.red), arc->planBits}, {0, 1, 2}));
    Poinz* last = PointAt(arc, 4);
    for (Poinz* p = arc->firstPoint; p; p = p->next) {
        const bool inner = p->prev && p->next;
        EXPECT_EQ(p->kind, inner ? pointkind::kCurvePoint : pointkind::kVertex);
        EXPECT_EQ(p->segmentFlags, p == arc->firstPoint->next ? 0 : 3);
    }
    EXPECT_TRUE(Near({arc->firstPoint->inTangent[0], arc->firstPoint->inTangent[2], last->outTangent[0], last->outTangent[2]},
                     {0, 0, 0, 0}));
    EXPECT_TRUE(SolidFollowsCentreLine(arc));

    // Shift turns the other way: 270 degrees clockwise from the release, through (200,300).
    arc->type = objtype::kLine;  // its ends would join the next one
    Curve({200, 100}, evmod::kShift);
    Objex* reversed = Last();
    ASSERT_NE(reversed, arc);
    EXPECT_TRUE(HasPoint(reversed, 200, 300) && HasPoint(reversed, 100, 200) && HasPoint(reversed, 200, 100));

    // A release where the press was, or a sweep under 5 degrees (1.7 here), builds nothing.
    const int before = Count();
    gCurTool = 7054;
    g.press({500, 500}), g.drag({505, 500}), g.release({505, 500});
    EXPECT_FALSE(g.running());
    Curve({300, 197});
    EXPECT_EQ(Count(), before);
}

// A press whose click holds a point of an open object starts the chord there, whatever the
// object (the wall hand-over finds no wall here and clears only the record's hit); a closed
// one leaves it where the press was. The pointer then bends a half circle back to the chord's
// start, where the arc ends.
TEST_F(CurvedWall, APressOnAnOpenObjectsPointStartsTheChordThere) {
    const struct { int16_t type; int32_t subtype; bool closed; float h, d; const char* label; } rows[] = {
        {objtype::kRailing, 0, false, 102, 202, "railing"},
        {objtype::kFence, 0, false, 102, 202, "fence"},
        {objtype::kPolygon, 3, false, 102, 202, "polyline"},
        {objtype::kPolygon, 3, true, 100, 200, "closed polygon"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        Objex* object = Shape(doc->itsCurLayer, row.type, {{102, 202}, {102, 260}, {40, 260}}, row.closed, row.subtype);
        gCurTool = 7054;
        g.press({100, 200}), g.drag({200, 200}), g.drag({300, 200}), g.release({300, 200});
        const POINT start{int32_t(row.h), int32_t(row.d)};
        g.move(start), g.click(start);
        Objex* arc = Last();
        ASSERT_TRUE(arc != object && arc->type == objtype::kWall);
        // The arc's two ends, the chord's start first.
        Poinz* a = arc->firstPoint;
        Poinz* b = PointAt(arc, arc->pointCount - 1);
        if (a->position[0] > b->position[0]) std::swap(a, b);
        EXPECT_TRUE(Near({a->position[0], a->position[2], b->position[0], b->position[2]}, {row.h, row.d, 300, 200},
                         0.05));
        DeleteObj(UnlinkObject(arc));
        DeleteObj(UnlinkObject(object));
    }
}

TEST_F(CurvedWall, AHalfCircleBetweenTwoFreeEndsJoinsThem) {
    gCurTool = 7052;
    Drag({{100, 400}, {100, 300}, {100, 200}});
    Drag({{300, 400}, {300, 300}, {300, 200}});
    Curve({100, 200});
    ASSERT_EQ(Count(), 1);
    Objex* wall = doc->itsCurLayer->firstObject;
    // Both straight walls' two points and the nine of the arc, the two meeting pairs merged.
    EXPECT_EQ(wall->pointCount, 11);
    EXPECT_TRUE(HasPoint(wall, 100, 400) && HasPoint(wall, 300, 400) && HasPoint(wall, 200, 100));
    EXPECT_FALSE(wall->closed);
    EXPECT_TRUE(SolidFollowsCentreLine(wall));
}

}  // namespace

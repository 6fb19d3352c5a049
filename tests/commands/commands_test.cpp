// Commands over selected and top-level objects, one row per command of the dispatch tables, and
// the services they use.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "app/core/main_window_seams.h"
#include "model/align_to_grid.h"
#include "model/centering.h"
#include "model/command_globals.h"
#include "model/command_ids.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/deletion.h"
#include "model/flip.h"
#include "model/plant_bounds.h"
#include "model/plant_info.h"
#include "model/projection.h"
#include "commands/selected_commands.h"
#include "model/selection_queries.h"
#include "model/transforms.h"
#include "model/walkers.h"
#include "files/symbol_lists.h"
#include "model/grouping.h"
#include "model/selection_summary.h"
#include "plan/refresh_seams.h"
#include "model/render_state.h"
#include "support/build.h"
#include "support/wall_checks.h"
#include "support/scene_checks.h"
#include "support/selection_recorders.h"
#include "tools/attachment_defaults.h"

using namespace dvxtest;

// The rows of SelectedObject: roofs under moves, plants, mirrors, deleting attachments,
// transforms that keep shapes, snapping to the grid and commands without a row.
namespace dvxtest::selected {

constexpr double kPi = 3.14159265358979323846;
constexpr float kRadiansPerDegree = 0.017453292519943295f;

class SelectedCommands : public SelectionTest {
protected:
    // An opening of the type set into segment (first, first + 1) of the wall.
    Objex* Opening(Objex* wall, int16_t type, int first, int16_t style = 500) {
        Objex* o = Shape(wall, type, {{10, 0}, {20, 0}});
        auto* r = new AttachmentRecord{};
        r->ownerType = type;
        r->style = style;
        r->segmentStart = PointAt(wall, first);
        r->segmentEnd = PointAt(wall, first + 1);
        Make(o).with(r);
        return o;
    }

    // A plant with a record of the growth rate (percent) and maximum height (inches).
    Objex* Plant(PlanPoints points, float rate, int16_t maximum, float age) {
        Objex* p = Make(Shape(floor, objtype::kPlant, points, true)).plant(rate, maximum);
        p->plantAge = age;
        return p;
    }

    static TransformRecord Turn(float angle, float h = 0, float d = 0) {
        TransformRecord r;
        r.values[xform::kScaleH] = r.values[xform::kScaleH + 1] = r.values[xform::kScaleH + 2] = 1.0f;
        r.values[xform::kRotationAngle] = angle;
        r.values[xform::kCentreH] = h;
        r.values[xform::kCentreH + 2] = d;
        return r;
    }

};

TEST_F(SelectedCommands, ARoofWithOnlyASkylightSelectedMovesAsOneWithoutVisitingItsAttachments) {
    Objex* roof = Shape(floor, objtype::kRoof, {{0, 0}, {100, 0}, {100, 100}, {0, 100}}, true);
    Objex* skylight = Shape(roof, objtype::kSkylight, {{40, 10}, {60, 10}, {60, 30}, {40, 30}}, true);
    Make(skylight).with(new RoofAttachmentRecord{}).select();
    Make(roof).panels(Outline(objtype::kRoofPanel, {{0, 0}, {10, 0}, {10, 10}}));  // holds no skylight
    AddStalePieces({roof, skylight});

    TransformRecord move = Turn(0);
    move.values[xform::kTranslateH] = 10;
    move.values[xform::kTranslateH + 2] = 5;
    SelectedObjectLayer(floor, 1, 6000, &move);

    // The skylight moved once, carried by its roof; the roof's own points stayed.
    EXPECT_TRUE(Near({H(skylight, 0), D(skylight, 0), H(roof, 1)}, {50.0f, 15.0f, 100.0f}));
    // Rebuilt once: plain ends, so two slopes, two fascias and two undersides.
    EXPECT_TRUE(Near({CountObjects(roof->typeData.roofPanels), HasStalePiece(roof)}, {6, 0}));
    EXPECT_TRUE(Near({HasStalePiece(skylight), CountObjects(roof->firstChild)}, {1, 1}));  // not refitted

    // A command that recurses refits the roof's attachments after its children: moved across
    // the ridge, the skylight fits no slope and goes.
    for (Poinz* p = skylight->firstPoint; p; p = p->next) p->position[2] += 30;
    SelectedObject(roof, 0, 5227, nullptr);
    EXPECT_EQ(CountObjects(roof->firstChild), 0);
}

TEST_F(SelectedCommands, PlantsGrowByWholeYearsAndResizeToTheirWidth) {
    // Growth 3.0 less 5 years stops at one year.
    Objex* young = Plant({{0, 0}, {10, 0}, {10, 10}, {0, 10}}, 0, 24, 3.0f);
    SelectedObject(young, 0, 5261, CommandParamFromInt(-5));
    EXPECT_EQ(young->plantAge, 1.0f);
    // Rate 0: 12 plan units high, 10.2 wide, scaled about its middle (5, 5).
    EXPECT_TRUE(Near({H(young, 0), H(young, 1)}, {5.0 - 5.1, 5.0 + 5.1}, 1e-5));

    // A planting age of 1 adds 1 + 3 years: 0.4 + 4 rounds to 4, 12 x 1.2^4 = 24.8832 high.
    RegisterLiveView(true);
    Objex* shrub = Plant({{0, 0}, {10, 0}, {10, 10}, {0, 10}}, 20, 24, 0.4f);
    SelectedObject(shrub, 0, 5238, CommandParamFromInt(1));
    EXPECT_EQ(shrub->fillPattern, 1);
    EXPECT_NEAR(shrub->bounds3D.floatRight - shrub->bounds3D.floatLeft, 0.85 * 24.8832, 1e-3);
    EXPECT_NEAR(shrub->bounds3D.floatFront - shrub->bounds3D.floatBack, 0.85 * 24.8832, 1e-3);
    EXPECT_TRUE(Built(shrub));
}

TEST_F(SelectedCommands, MirrorsFlipDuctsMoveFixedComponentsMirrorDoorSwingsAndTurnWallDimensions) {
    gFlipCenterX = 50;
    Objex* duct = Shape(floor, objtype::kAirDuct, {{20, 0}, {30, 0}});
    Make(duct).select();
    SelectedObject(duct, 1, 5034, nullptr);
    EXPECT_TRUE(Near({H(duct, 0), H(duct, 1), gCommandHappened}, {80.0f, 70.0f, 1}));

    // The plan flip moves it whole by -2 x its centre (75): order and shape kept.
    StoreBoundsDeep(duct);
    SelectedObject(duct, 1, 5363, nullptr);
    EXPECT_TRUE(Near({H(duct, 0), H(duct, 1)}, {-70.0f, -80.0f}));

    // A fixed component mirrors about the axis as a whole: 2 x (50 - 15) = 70.
    Objex* symbol = Shape(floor, 68, {{10, 5}, {20, 5}});
    SelectedObject(symbol, 0, 5034, nullptr);
    EXPECT_TRUE(Near({H(symbol, 0), H(symbol, 1), D(symbol, 0)}, {80.0f, 90.0f, 5.0f}));

    // Door swings: 30 degrees becomes -30 (quadrant 0), -30 becomes 30 (quadrant 4).
    Objex* wall = Wall(floor, {{0, 0}, {100, 0}});
    Objex* door = Opening(wall, objtype::kDoor, 0);
    AttachmentRecord* r = door->typeData.attachment;
    r->swingOrOffset = 30 * kRadiansPerDegree;
    AddStalePieces({wall});
    SelectedObject(door, 0, 5034, nullptr);
    EXPECT_NEAR(r->swingOrOffset / kRadiansPerDegree, -30.0, 1e-4);
    EXPECT_EQ(r->directionFlag, 0);
    SelectedObject(door, 0, 5035, nullptr);
    EXPECT_NEAR(r->swingOrOffset / kRadiansPerDegree, 30.0, 1e-4);
    EXPECT_EQ(r->directionFlag, 4);
    EXPECT_EQ(ListOf(r->generatedParts).size(), 1u);  // the cased opening's frame, rebuilt
    EXPECT_FALSE(HasStalePiece(wall));

    // Style 503 only changes side.
    Objex* pocket = Opening(wall, objtype::kDoor, 0, 503);
    pocket->typeData.attachment->swingOrOffset = 0.5f;
    AddStalePieces({wall});
    SelectedObject(pocket, 0, 5034, nullptr);
    EXPECT_EQ(pocket->typeData.attachment->sideFlag, 1);
    EXPECT_EQ(pocket->typeData.attachment->swingOrOffset, 0.5f);
    EXPECT_TRUE(HasStalePiece(wall));

    // Windows are left alone and do not count as a flip.
    gCommandHappened = 0;
    Objex* window = Opening(wall, objtype::kWindow, 0);
    SelectedObject(window, 0, 5034, nullptr);
    EXPECT_EQ(gCommandHappened, 0);

    // A wall dimension 80 long over open ground below a wall (0, 0)-(200, 0), a room's wall 120
    // above, flipped with its wall: mirrored across the wall's line it reaches the room's wall,
    // otherwise it still points down and keeps its length.
    gFlipCenterX = 100, gFlipCenterY = 0;
    const struct { int32_t command; float length, tipH, tipD; } rows[] = {
        {5034, 80, 100, 80}, {5035, 120, 100, -120}, {5363, 80, -100, 80}, {5364, 120, 100, -120}};
    for (const auto& row : rows) {
        Objex* own = Make(Wall(floor, {{0, 0}, {200, 0}})).select();
        Objex* room = Wall(floor, {{-300, -120}, {300, -120}});
        auto* r = NewComponentRecord(138, PointAt(own, 0), PointAt(own, 1), 100, 0);
        r->height = 80;
        Objex* dimension = Make(objtype::kComponent, 138).line(3).with(r).in(own);
        SelectedObject(own, 0, row.command, nullptr);
        EXPECT_NEAR(r->height, row.length, 1e-3) << row.command;
        EXPECT_TRUE(Near({H(dimension, 2), D(dimension, 2)}, {row.tipH, row.tipD}, 1e-3)) << row.command;
        for (Objex* w : {own, room}) DeleteObj(w);
    }
}

TEST_F(SelectedCommands, DeleteRemovesOnlySelectedUnlockedAttachmentsAndRebuildsTheirWall) {
    Objex* wall = Wall(floor, {{0, 0}, {100, 0}, {100, 100}});
    Objex* door = Opening(wall, objtype::kDoor, 0);
    Objex* window = Opening(wall, objtype::kWindow, 1);
    Objex* locked = Opening(wall, objtype::kComponent, 1);
    for (Objex* o : {door, locked}) Make(o).select();
    PointAt(locked, 0)->locked = 1;
    RegisterLiveView(true);

    // The delete key walks every object, selected or not.
    SelectedObjectAllLayers(doc->itsLayers, 0, 5199, nullptr);
    ASSERT_EQ(wall->firstChild, window);
    EXPECT_EQ(window->next, locked);
    EXPECT_TRUE(dvxtest::SolidFollowsCentreLine(wall));
    EXPECT_TRUE(Built(wall));
    EXPECT_EQ(gRefreshRender, 1);
    (void)door;

    // Cut keeps the locked one too; a cut opening does not rebuild the wall's solid.
    Make(window).select();
    SelectedObjectAllLayers(doc->itsLayers, 0, 21, nullptr);
    EXPECT_EQ(wall->firstChild, locked);
    EXPECT_TRUE(dvxtest::SolidFollowsCentreLine(wall));
    EXPECT_EQ(floor->firstObject, wall);
}

TEST_F(SelectedCommands, TransformsSkipHostedObjectsAndKeepTheShapeOfPlantsAndText) {
    TransformRecord twice = Turn(0);
    twice.values[xform::kScaleH] = twice.values[xform::kScaleH + 2] = 2.0f;
    Objex* plant = Shape(floor, objtype::kPlant, {{10, 0}, {20, 0}, {20, 10}, {10, 10}}, true);
    Make(plant).select();
    SelectedObject(plant, 1, 6001, &twice);
    EXPECT_EQ(H(plant, 1), 20.0f);

    // An enhanced text box of 10 x 10 scaled to 20 x 20 grows to its minimum width of 30.
    Objex* text = Shape(floor, objtype::kEnhancedText, {{0, 0}, {10, 0}, {10, 10}, {0, 10}}, true);
    text->params[1] = 30;
    text->params[2] = 20;
    Make(text).select();
    AddStalePieces({text});
    SelectedObject(text, 1, 6001, &twice);
    EXPECT_TRUE(Near({H(text, 1), H(text, 2), D(text, 2)}, {30.0f, 30.0f, 20.0f}));
    EXPECT_TRUE(HasStalePiece(text));

    // A quarter turn about the origin takes the plant's middle (15, 5) to (5, -15); the
    // plant moves there without turning (it has no record, so it keeps its size).
    const TransformRecord quarter = Turn(static_cast<float>(kPi / 2));
    SelectedObject(plant, 1, 6003, const_cast<TransformRecord*>(&quarter));
    EXPECT_TRUE(Near({H(plant, 0), D(plant, 0), H(plant, 2), D(plant, 2)}, {0.0, -20.0, 10.0, -10.0}, 1e-4));

    // Rotating the plan turns the angles fixed components and cabinets keep.
    Objex* symbol = Shape(floor, 68, {{0, 0}, {10, 0}});
    symbol->params[0] = 10;
    SelectedObject(symbol, 0, 5362, const_cast<TransformRecord*>(&quarter));
    EXPECT_NEAR(symbol->params[0], 100.0, 1e-4);
    Objex* cabinet = Make(objtype::kGroup, objsubtype::kCabinetGroup).on(floor).with(new CabinetState{});
    cabinet->typeData.cabinet->f1 = 300;
    SelectedObject(cabinet, 0, 5362, const_cast<TransformRecord*>(&quarter));
    EXPECT_NEAR(cabinet->typeData.cabinet->f1, 30.0, 1e-4);
}

TEST_F(SelectedCommands, SnapToGridFloorsToTheCellOnlyWhileGridSnapIsOn) {
    DocState* ds = CurrentDocState();
    ds->snapIncrement = FloatPoint{12, 12};  // 24 plan units at scale 36
    ds->gridSpacing = FloatPoint{30, 30};    // the grid drawn: no part in the snap
    Objex* line = Shape(floor, objtype::kLine, {{30, -5}, {49, 48}});
    PointAt(line, 0)->position[1] = 7;
    Objex* wall = Wall(floor, {{0, 0}, {100, 0}});
    Objex* door = Opening(wall, objtype::kDoor, 0);

    ds->snapToGrid = 0;
    SelectedObject(line, 0, 5015, nullptr);
    EXPECT_EQ(H(line, 0), 30.0f);

    ds->snapToGrid = 1;
    SelectedObject(line, 0, 5015, nullptr);
    EXPECT_TRUE(Near({H(line, 0), D(line, 0), PointAt(line, 0)->position[1]}, {24.0f, -24.0f, 7.0f}));
    EXPECT_TRUE(Near({H(line, 1), D(line, 1), line->bounds.floatBottom}, {48.0f, 48.0f, 48.0f}));
    EXPECT_TRUE(Near({PointAt(line, 0)->textureU, PointAt(line, 1)->textureU}, {0.0f, 1.0f}));  // mapped anew
    SelectedObject(door, 0, 5015, nullptr);
    EXPECT_EQ(H(door, 0), 10.0f);
}

TEST_F(SelectedCommands, TextBoxesTakeTheTransformFloatsAndKeepTheirFont) {
    auto textBox = [&](const char* face) {
        auto* r = new DimensionTextRecord{};
        r->fontNum = 21;
        std::memset(r->font.lfFaceName, 'x', sizeof r->font.lfFaceName);
        std::strcpy(r->font.lfFaceName, face);
        return Make(Shape(floor, objtype::kDimensionText, {{0, 0}, {40, 0}, {40, 10}, {0, 10}}, true)).with(r).get();
    };
    Objex* own = textBox("Geneva");
    Objex* held = textBox("Helvetica");
    Objex* dimension = Shape(floor, objtype::kDimensionLinked, {{0, 20}, {40, 20}});
    Make(dimension).with(new DimensionRecord{0, held, 0, 0});
    held->typeData.dimensionText->owner = dimension;
    for (Objex* o : {own, dimension}) Make(o).select();

    TransformRecord record;
    for (int i = 0; i < 17; ++i) record.values[i] = static_cast<float>(i) + 0.5f;
    SelectedObjectLayer(floor, 1, cmd::kCopyTransform, &record);
    for (Objex* box : {own, held}) {
        const DimensionTextRecord* r = box->typeData.dimensionText;
        for (int i = 0; i < DimensionTextRecord::kTransformCount; ++i) EXPECT_EQ(r->transform[i], i + 0.5f);
        EXPECT_EQ(r->fontNum, 21);
    }
    EXPECT_STREQ(own->typeData.dimensionText->font.lfFaceName, "Geneva");
    EXPECT_EQ(own->typeData.dimensionText->font.lfFaceName[7], 'x');
    EXPECT_STREQ(held->typeData.dimensionText->font.lfFaceName, "Helvetica");
    EXPECT_EQ(held->typeData.dimensionText->font.lfFaceName[10], 'x');
}

TEST_F(SelectedCommands, CommandsWithoutARowChangeNothing) {
    Objex* wall = Wall(floor, {{0, 0}, {100, 0}});
    Objex* door = Opening(wall, objtype::kDoor, 0);
    for (Objex* o : {wall, door}) Make(o).select();
    for (int32_t command : {7001, 0, 5040, 9999}) {
        SelectedObjectAllLayers(doc->itsLayers, 1, command, CurrentDocState());
        TopLevelObjectAllLayers(doc->itsLayers, command, CurrentDocState());
    }
    EXPECT_EQ(wall->firstChild, door);
    EXPECT_TRUE(Near({H(wall, 1), SelectedPointCount(wall)}, {100.0f, 4}));
}

}  // namespace dvxtest::selected

// The rows of TopLevelObject: copies, floors, deleting, elevations, the terrain, plans and
// ordering.
namespace dvxtest::toplevel {

class TopLevelCommands : public SelectionTest {
protected:
    void SetUp() override {
        SelectionTest::SetUp();
        SetResetStandardToolHandler([this](uint8_t flag) { toolResets.push_back(flag); });
        SetRefreshHandler([this] { ++refreshes; });
    }

    Layer* Floor(int index) {
        Layer* l = doc->itsLayers;
        for (int i = 0; l && i < index; ++i) l = l->next;
        return l;
    }

    std::vector<uint8_t> toolResets;
    int refreshes = 0;
};

TEST_F(TopLevelCommands, DuplicateMakesEachCopyFromThePreviousOneAndMirrorCopiesAreDeselected) {
    DocState* ds = CurrentDocState();
    ds->duplicateCount = 3;  // offset (0.5, -0.5) inches: (1, -1) plan units at scale 36
    Objex* wall = Wall(floor, {{0, 0}, {100, 0}});
    RegisterLiveView(true);
    TopLevelObject(wall, 5006, ds);

    ASSERT_EQ(CountObjects(floor->firstObject), 4);
    Objex* copy = wall->next;
    for (float step = 1; step <= 3; ++step, copy = copy->next) {
        EXPECT_TRUE(Near({H(copy, 0), D(copy, 0), H(copy, 1)}, {step, -step, 100 + step}));
        EXPECT_FLOAT_EQ(copy->textureFaceRect.floatLeft, step);  // mapped where it stands
        EXPECT_TRUE(dvxtest::SolidFollowsCentreLine(copy));
        EXPECT_TRUE(Built(copy));
        EXPECT_FALSE(IsObjectSelected(copy));
    }
    EXPECT_EQ(H(wall, 0), 0.0f);

    // A mirror copy in place comes back deselected, so the walk meets it only once.
    Objex* line = Shape(Floor(1), objtype::kLine, {{0, 0}, {10, 0}});
    Objex* other = Shape(Floor(1), objtype::kLine, {{0, 10}, {10, 10}});
    Make(line).select();
    TopLevelObjectLayer(Floor(1), 5008, ds);
    ASSERT_EQ(CountObjects(Floor(1)->firstObject), 3);
    EXPECT_FALSE(IsObjectSelected(other->next));
}

TEST_F(TopLevelCommands, CopyToTheFloorAboveLeavesTheOriginalDeselectedOrInPlaceWhenNoCopyCanBeMade) {
    SelectionSeamRecorder seams;
    Objex* line = Shape(floor, objtype::kLine, {{0, 0}, {10, 0}});
    Make(line).select();
    TopLevelObjectAllLayers(doc->itsLayers, 5170, nullptr);

    EXPECT_TRUE(Same({floor->firstObject, line->next}, {line, nullptr}));
    EXPECT_FALSE(IsObjectSelected(line));
    ASSERT_EQ(CountObjects(Floor(1)->firstObject), 1);
    Objex* copy = Floor(1)->firstObject;
    EXPECT_NE(copy, line);
    EXPECT_FLOAT_EQ(copy->textureFaceRect.floatRight, 10.0f);  // mapped as a read maps it
    EXPECT_TRUE(Near({copy->elevation, CountObjects(Floor(2)->firstObject)}, {floor->height, 0}));
    EXPECT_EQ(toolResets, std::vector<uint8_t>{1});
    EXPECT_EQ(seams.propertiesStates, std::vector<int>{1});

    // Members of a symbol-editor group cannot be copied: the group stays on its floor.
    Objex* member = Shape(floor, objtype::kLine, {{0, 20}, {10, 20}});
    Objex* editor = Group(floor, {member}, groupkind::kSymbolEditor);
    Make(member).select();
    TopLevelObject(editor, 5170, nullptr);
    EXPECT_EQ(editor->layer, floor);
    EXPECT_TRUE(Near({editor->elevation, CountObjects(Floor(1)->firstObject)}, {0.0f, 1}));
    EXPECT_EQ(toolResets.size(), 1u);
}

TEST_F(TopLevelCommands, DeleteEmptiesAWhollySelectedLayerInOnePassAndSparesLockedObjects) {
    Objex* wall = Wall(floor, {{0, 0}, {100, 0}});
    Objex* line = Shape(floor, objtype::kLine, {{0, 10}, {10, 10}});
    Objex* plant = Shape(floor, objtype::kPlant, {{50, 50}, {60, 60}}, true);
    for (Objex* o : {wall, line, plant}) Make(o).select();
    TopLevelObjectLayer(floor, 5199, nullptr);
    EXPECT_EQ(floor->firstObject, nullptr);
    EXPECT_EQ(gRefreshRender, 1);

    Objex* locked = Shape(floor, objtype::kLine, {{0, 0}, {10, 0}});
    Make(locked).select();
    PointAt(locked, 1)->locked = 1;
    TopLevelObjectLayer(floor, 21, nullptr);
    TopLevelObjectLayer(floor, 5199, nullptr);
    EXPECT_EQ(floor->firstObject, locked);
}

TEST_F(TopLevelCommands, ElevationsFollowSelectedSegmentsAndWhollySelectedOpenings) {
    gBaseElevation = 2;  // 24 inches
    Objex* wall = Wall(floor, {{0, 0}, {100, 0}, {200, 0}});
    PointAt(wall, 0)->selected = PointAt(wall, 1)->selected = 1;
    PointAt(wall, 1)->baseElevation = 10;
    wall->onTerrain = 1;
    TopLevelObjectLayer(floor, 5324, nullptr);
    EXPECT_TRUE(Near({PointAt(wall, 0)->baseElevation, PointAt(wall, 1)->baseElevation}, {24.0f, 10.0f}));
    EXPECT_EQ(wall->elevation, 10.0f);  // the lowest segment base
    EXPECT_EQ(wall->onTerrain, 0);

    // Raising a wholly selected wall lifts its elevation with its bases.
    Make(wall).select();
    gBaseElevation = 1;
    TopLevelObjectLayer(floor, 5431, nullptr);
    EXPECT_TRUE(Near({PointAt(wall, 0)->baseElevation, PointAt(wall, 1)->baseElevation}, {36.0f, 22.0f}));
    EXPECT_EQ(wall->elevation, 22.0f);

    // A door selected on its own gets 12 inches as a 24 plan-unit offset; the wall rebuilds.
    Make(wall).select(0);
    Objex* door = Shape(wall, objtype::kDoor, {{10, 0}, {20, 0}});
    auto* r = new AttachmentRecord{};
    r->segmentStart = PointAt(wall, 0);
    r->segmentEnd = PointAt(wall, 1);
    r->style = 500;
    r->height = 30;
    r->elevation = 5;
    Make(door).with(r).select();
    TopLevelObjectLayer(floor, 5324, nullptr);
    EXPECT_EQ(r->elevation, 24.0f);
    EXPECT_TRUE(dvxtest::SolidFollowsCentreLine(wall));
    // Refitted at its new height: the frame's bottom is 24 below the door's points.
    ASSERT_NE(r->generatedParts, nullptr);
    EXPECT_FLOAT_EQ(PointAt(r->generatedParts, 0)->position[1], PointAt(door, 1)->position[1] - 24);
    EXPECT_EQ(PointAt(wall, 0)->baseElevation, 36.0f);

    // Following the terrain: a wall cannot, a plant can.
    Objex* plant = Shape(floor, objtype::kPlant, {{50, 50}, {60, 60}}, true);
    wall->onTerrain = 1;
    TopLevelObject(wall, 5326, nullptr);
    EXPECT_TRUE(Near({gTopoFloatNA, wall->onTerrain}, {1, 0}));
    AddStalePieces({plant});
    TopLevelObject(plant, 5326, nullptr);
    EXPECT_TRUE(Near({plant->onTerrain, HasStalePiece(plant)}, {1, 0}));
}

TEST_F(TopLevelCommands, PlansAreSingleBitsAndOrderingMovesIntoTheCurrentLayer) {
    Objex* a = Shape(floor, objtype::kLine, {{0, 0}, {10, 0}});
    for (int32_t command = 5335; command <= 5342; ++command) {
        TopLevelObject(a, command, nullptr);
        EXPECT_EQ(a->planBits, 1 << (command - 5335));
    }
    TopLevelObject(a, 5389, nullptr);
    EXPECT_EQ(a->planBits, 256);

    Objex* b = Shape(floor, objtype::kLine, {{0, 10}, {10, 10}});
    Objex* c = Shape(floor, objtype::kLine, {{0, 20}, {10, 20}});
    Objex* upstairs = Shape(Floor(1), objtype::kLine, {{0, 30}, {10, 30}});
    Objex* held = Shape(upstairs, objtype::kLine, {{0, 31}, {5, 31}});
    held->layer = Floor(1);
    Make(a).select();
    TopLevelObject(a, 5105, nullptr);
    EXPECT_TRUE(Same({floor->firstObject, c->next}, {b, a}));
    EXPECT_FALSE(IsObjectSelected(a));
    TopLevelObject(upstairs, 5106, nullptr);
    EXPECT_TRUE(Same({floor->firstObject, upstairs->next, b->prev}, {upstairs, b, upstairs}));
    // What it holds comes along.
    EXPECT_TRUE(Same({upstairs->layer, held->layer, Floor(1)->firstObject}, {floor, floor, nullptr}));
    EXPECT_EQ(refreshes, 2);
}

}  // namespace dvxtest::toplevel

// Plant sizes, centring in the lot and the window, and aligning the selection to the grid.
namespace dvxtest::services {

class CommandServices : public SelectionTest {
protected:
    Objex* Plant(float rate, int16_t maximum, float age, int16_t pattern = 0) {
        Objex* p = Make(Shape(floor, objtype::kPlant, {{0, 0}, {10, 0}, {10, 10}, {0, 10}}, true)).plant(rate, maximum);
        p->plantAge = age;
        p->fillPattern = pattern;
        return p;
    }
    Objex* Box(float left, float top, float right, float bottom) {
        return Shape(floor, objtype::kRectangle, {{left, top}, {right, top}, {right, bottom}, {left, bottom}}, true);
    }
};

TEST_F(CommandServices, PlantSizeGrowsByWholeYearsUpToTheConvertedMaximum) {
    float w = 0, h = 0;
    // 2.6 years round to 3: 12 x 1.2^3, below the maximum of 24 inches (48 plan units).
    GetPlantBounds(Plant(20, 24, 2.6f), &w, &h, 0);
    EXPECT_TRUE(Near({h, w}, {20.736f, 0.85f * 20.736f}, kUlps));
    // Without growth: 12, or the maximum (4 inches, 8 plan units) when that is smaller.
    GetPlantBounds(Plant(0, 24, 9.0f), &w, &h, 0);
    EXPECT_EQ(h, 12.0f);
    GetPlantBounds(Plant(0, 4, 9.0f), &w, &h, 0);
    EXPECT_TRUE(Near({h, w}, {8.0f, 6.8f}, kUlps));
    // A fill pattern of 2 adds 5 years: 0.6 + 5 rounds to 6, 12 x 1.2^6.
    Objex* patterned = Plant(20, 24, 0.6f, 2);
    GetPlantBounds(patterned, &w, &h, 0);
    EXPECT_NEAR(h, 35.831808, 1e-4);
    EXPECT_EQ(H(patterned, 1), 10.0f);  // measured only

    // Not a plant, or no record: the outputs stay.
    w = h = -1;
    Objex* bare = Shape(floor, objtype::kPlant, {{0, 0}, {1, 1}});
    GetPlantBounds(bare, &w, &h, 1);
    GetPlantBounds(Box(0, 0, 5, 5), &w, &h, 1);
    EXPECT_TRUE(Near({h, H(bare, 1)}, {-1.0f, 1.0f}));
}

TEST_F(CommandServices, CentringMovesTheSelectionToTheLotMiddleOrTheWindow) {
    Objex* box = Box(100, 100, 200, 300);
    Objex* other = Box(0, 0, 10, 10);
    Make(box).select();
    FloatRect r;
    CenterObjects(1, &r);
    EXPECT_TRUE(Near({H(box, 0), D(box, 0), r.floatLeft, r.floatRight}, {-50.0f, -100.0f, -50.0f, 50.0f}));
    EXPECT_TRUE(Near({r.floatTop, r.floatBottom, H(other, 1)}, {-100.0f, 100.0f, 10.0f}));

    // The window adds the unzoomed projection offsets: 30 / 0.6 and -12 / 0.6.
    CurrentDocState()->zoomFactor = 0.6f;
    gGlobalXOffset = 30;
    gGlobalZOffset = -12;
    CenterObjectsInWindow(1, &r);
    EXPECT_TRUE(Near({H(box, 0), D(box, 0)}, {0.0, -120.0}, 1e-4));

    // One layer, in a lot whose rounded extent 0..1001 halves to 500.
    CurrentDocState()->lotRect = FloatRect{0, 0, 1001.2f, 1000};
    CenterLayer(floor, 1, &r);
    EXPECT_TRUE(Near({H(box, 0), D(box, 0)}, {450.0, 400.0}, 1e-4));
    r.floatLeft = 7;
    CenterLayer(nullptr, 1, &r);
    EXPECT_EQ(r.floatLeft, 0.0f);
}

TEST_F(CommandServices, AlignToGridMovesTheChosenCornerOntoTheGridAtAnyZoom) {
    DocState* ds = CurrentDocState();
    ds->snapIncrement = FloatPoint{12, 12};  // 24 plan units
    ds->gridSpacing = FloatPoint{30, 30};    // the grid drawn: no part in the snap
    Objex* box = Box(30, 50, 61, 73);
    AlignSelectedToGrid(5140);
    EXPECT_EQ(H(box, 0), 30.0f);

    Make(box).select();
    AlignSelectedToGrid(5140);  // left-top (30, 50) to (24, 48)
    EXPECT_TRUE(Near({H(box, 0), D(box, 0)}, {24.0f, 48.0f}));
    AlignSelectedToGrid(5142);  // right-bottom (55, 71) to (48, 72)
    EXPECT_TRUE(Near({H(box, 1), D(box, 2)}, {48.0f, 72.0f}));

    // Already on the grid: stays, also at a zoom whose cells are not whole view units.
    Objex* square = Box(24, 48, 48, 72);
    Make(box).select(0);
    Make(square).select();
    ds->zoomFactor = 0.6f;
    AlignSelectedToGrid(5140);
    AlignSelectedToGrid(5141);
    EXPECT_TRUE(Near({H(square, 0), D(square, 0), H(square, 1)}, {24.0f, 48.0f, 48.0f}));
}

}  // namespace dvxtest::services

// The walkers with the selection and grouping commands, and their follow-ups with the builders
// linked: a grouped fixed component gets its symbol pieces again, and roofs are refitted after
// their children.
namespace dvxtest::walkers {

class Walkers : public SelectionTest {};


TEST_F(Walkers, UngroupingAWholeLayerInOneWalkLeavesEveryMemberTopLevel) {
    Objex* a = Shape(floor, objtype::kLine, {{0, 0}, {10, 0}});
    Objex* b = Shape(floor, objtype::kLine, {{0, 10}, {10, 10}});
    Objex* c = Shape(floor, objtype::kPolygon, {{0, 20}, {30, 20}});
    Objex* d = Shape(floor, objtype::kLine, {{5, 5}, {6, 6}});
    Objex* g1 = Group(floor, {a, b});
    Objex* g2 = Group(floor, {c, d});
    for (Objex* o : {a, c}) Make(o).select();
    a->bounds = FloatRect{};  // stale bounds are made again
    (void)g1;
    (void)g2;

    TopLevelObjectLayer(floor, 5026, nullptr);
    EXPECT_EQ(CountObjects(floor->firstObject), 4);
    Objex* expected[] = {a, b, c, d};
    Objex* o = floor->firstObject;
    for (Objex* member : expected) {
        ASSERT_EQ(o, member);
        EXPECT_TRUE(Same({o->parent, o->layer}, {nullptr, floor}));
        EXPECT_FALSE(IsObjectSelected(o));
        o = o->next;
    }
    EXPECT_EQ(a->bounds.floatRight, 10.0f);
    EXPECT_EQ(floor->firstObject->prev, nullptr);

    // Ungrouping a non-group does nothing.
    UngroupObject(a);
    EXPECT_EQ(CountObjects(floor->firstObject), 4);
}

TEST_F(Walkers, GroupingBuildsOneGroupWithTheCurrentPlanBitsInOrder) {
    CurrentDocState()->currentPlanBit = 4;
    Objex* a = Shape(floor, objtype::kLine, {{0, 0}, {10, 0}});
    Objex* skip = Shape(floor, objtype::kLine, {{0, 5}, {10, 5}});
    Objex* b = Shape(floor, objtype::kPolygon, {{0, 10}, {10, 10}});
    for (Objex* o : {a, b}) Make(o).select();

    gGroupLeader = nullptr;
    TopLevelObjectAllLayers(doc->itsLayers, 5025, nullptr);
    Objex* group = gGroupLeader;
    gGroupLeader = nullptr;
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->type, objtype::kGroup);
    EXPECT_TRUE(Near({group->planBits, group->visible, group->penStyle}, {4, 0, 6}));
    EXPECT_TRUE(Same({group->layer, group->firstChild, a->next, b->parent}, {floor, a, b, group}));
    EXPECT_TRUE(Same({floor->firstObject, skip->next}, {skip, group}));
    // The group follow-up gave it bounds around its members.
    EXPECT_TRUE(Near({group->bounds.floatLeft, group->bounds.floatBottom}, {0.0f, 10.0f}));
}

TEST_F(Walkers, CountingGroupsOverloadsAtTwentySixIncludingTheTopGroup) {
    for (int total : {25, 26}) {
        Objex* leaf = Shape(floor, objtype::kLine, {{0, 0}, {10, 0}});
        Make(leaf).select();
        Objex* top = leaf;
        for (int i = 0; i < total; ++i) top = Group(floor, {top});
        gOverload = 0;
        SelectedObjectLayer(floor, 1, 2001, nullptr);
        EXPECT_EQ(gObjectCount, total);
        EXPECT_EQ(gOverload, total > 25 ? 1 : 0) << total;
        DeleteObj(top);
    }
    // 2000 counts selected top-level objects.
    Objex* x = Shape(floor, objtype::kLine, {{0, 0}, {1, 0}});
    Objex* y = Shape(floor, objtype::kLine, {{0, 0}, {1, 0}});
    Shape(floor, objtype::kLine, {{0, 0}, {1, 0}});
    for (Objex* o : {x, y}) Make(o).select();
    gObjectCount = 0;
    TopLevelObjectAllLayers(doc->itsLayers, 2000, nullptr);
    EXPECT_EQ(gObjectCount, 2);
}

TEST_F(Walkers, SelectedObjectsAreFoundInLayerAndListOrder) {
    Layer* second = floor->next;
    Objex* a = Shape(floor, objtype::kLine, {{0, 0}, {1, 0}});
    Shape(floor, objtype::kLine, {{0, 0}, {1, 0}});
    Objex* b = Shape(second, objtype::kLine, {{0, 0}, {1, 0}});
    second->visible = second->active = 0;  // layer flags play no part
    for (Objex* o : {a, b}) Make(o).select();
    EXPECT_TRUE(Same({GetASelectedObject(0), GetASelectedObject(-1)}, {nullptr, nullptr}));
    EXPECT_TRUE(Same({GetASelectedObject(1), GetASelectedObject(2), GetASelectedObject(3)}, {a, b, nullptr}));
}

TEST_F(Walkers, SelectCommandSelectsWholeAndPicksUpRoofAttachments) {
    // A line is selected point by point: copying one with a selected point takes it all.
    Objex* line = Shape(floor, objtype::kLine, {{0, 0}, {10, 0}, {10, 10}});
    line->firstPoint->selected = 1;
    Objex* roof = Shape(floor, objtype::kRoof, {{0, 0}, {100, 0}, {100, 100}}, true);
    Objex* skylight = Shape(roof, objtype::kSkylight, {{10, 10}, {20, 10}, {20, 20}}, true);
    Make(skylight).select();
    Objex* other = Shape(floor, objtype::kPolygon, {{0, 0}, {10, 0}});

    SelectedObjectAllLayers(doc->itsLayers, 1, 8001, nullptr);
    EXPECT_EQ(SelectedPointCount(line), 3);
    EXPECT_EQ(SelectedPointCount(roof), 3);  // the roof itself was skipped
    EXPECT_EQ(SelectedPointCount(other), 0);

    // Without selectedOnly every object takes the command.
    SelectedObjectLayer(floor, 0, 8001, nullptr);
    EXPECT_EQ(SelectedPointCount(other), 2);
}

TEST_F(Walkers, SummaryCommandsMergeIntoTheSettingsRecord) {
    DocState* ds = CurrentDocState();
    Objex* a = Shape(floor, objtype::kDetail, {{0, 0}, {10, 0}}, false, 1);
    Objex* b = Shape(floor, objtype::kDetail, {{0, 0}, {10, 0}}, false, 1);
    a->penWidth = b->penWidth = 3.2f;
    a->elevation = 10;
    b->elevation = 20;
    for (Objex* o : {a, b}) Make(o).select();

    ClearSelectionState(ds, &ds->ss);
    SelectedObjectAllLayers(doc->itsLayers, 1, 8006, ds);
    UpdateSelectionStateAreas();
    EXPECT_TRUE(Near({ds->ss.ssStateFresh, ds->ss.ssPenWidth, ds->ss.ssPenWidthValue}, {0, 1, 3}));

    SelectionSeamRecorder seams;
    ClearSelectionState40(ds, &ds->ss40);
    TopLevelObjectAllLayers(doc->itsLayers, 8007, ds);
    UpdateSelectionState40Controls(&ds->ss40);
    EXPECT_EQ(ds->ss40.ssBaseElevation, 0);
    ASSERT_EQ(seams.elevationPanes.size(), 1u);
    EXPECT_EQ(seams.elevationPanes[0].ssBaseElevation, 0);

    // A wall whose only selected part is a door still qualifies for 8007.
    Make(a).select(0);
    Make(b).select(0);
    Objex* wall = Wall(floor, {{0, 0}, {100, 0}});
    Objex* door = Shape(wall, objtype::kDoor, {{10, 0}, {20, 0}});
    Make(door).select();
    ClearSelectionState40(ds, &ds->ss40);
    ds->ss40.ssBaseElevationValue = 99;
    TopLevelObjectAllLayers(doc->itsLayers, 8007, ds);
    EXPECT_EQ(ds->ss40.ssStateFresh, 1);  // the door has no attachment record: nothing merged
    SelectedObjectAllLayers(doc->itsLayers, 1, 8007, nullptr);  // without a record: nothing
}

TEST_F(Walkers, GroupFollowUpRebuildsAFixedComponentThatHeadsTheGroup) {
    SelectionSeamRecorder seams;
    // The 3D symbol: one piece from -1 to 1 about the origin.
    Objex* entry = Make(objtype::kAirDuct);
    Make(objtype::kClosedSolid).plan({{-1, 0}, {1, 0}}).in(entry);
    gSymbol3DList = entry;
    Objex* symbol = Shape(floor, objtype::kAirDuct, {{0, 0}, {10, 0}});
    symbol->subtype = 89;  // a placed symbol piece, not a duct
    symbol->firstPart = Make(objtype::kRoofPanel);
    Make(symbol).select();
    Objex* group = Group(floor, {symbol});
    SelectedObjectLayer(floor, 1, 8001, nullptr);
    // The old piece went; the new one stands at the middle of the group.
    ASSERT_NE(symbol->firstPart, nullptr);
    EXPECT_EQ(std::tuple(symbol->firstPart->type, symbol->firstPart->firstPoint->position[0],
                         symbol->firstPart->firstPoint->next->position[0], symbol->firstPart->next),
              std::tuple(int16_t(111), 4.0f, 6.0f, static_cast<Objex*>(nullptr)));
    EXPECT_TRUE(objtype::IsFixedComponent(146));
    EXPECT_FALSE(objtype::IsFixedComponent(124));
    (void)group;
    FreeSymbolLists();

    // Roofs are refitted after their children unless the command moves them: a skylight off
    // its roof stays through a move and goes at the refit.
    Objex* roof = Shape(floor, objtype::kFreehandRoof, {{0, 0}, {100, 0}, {100, 100}}, true);
    Make(roof).panels(Make(objtype::kPanelSlab));
    Make(Shape(roof, objtype::kSkylight, {{200, 200}, {210, 200}, {210, 210}}, true)).with(new RoofAttachmentRecord{});
    Make(roof).select();
    auto skylights = [roof] {
        int n = 0;
        for (const Objex* c = roof->firstChild; c; c = c->next) n += c->type == objtype::kSkylight;
        return n;
    };
    SelectedObject(roof, 1, 6000, nullptr);
    EXPECT_EQ(skylights(), 1);
    SelectedObject(roof, 1, 8001, nullptr);
    EXPECT_EQ(skylights(), 0);
    EXPECT_FALSE(SelectedObject(nullptr, 1, 8001, nullptr));
}

}  // namespace dvxtest::walkers

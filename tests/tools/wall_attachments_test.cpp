// Attachments on walls: new records, refits as walls change, attached dimensions and the record
// upkeep of changed points. Scale 36: an inch is 2 plan units; walls 6 inches thick are 12.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <tuple>

#include "app/core/event_handler.h"
#include "files/content_paths.h"
#include "files/design_file.h"
#include "model/deletion.h"
#include "model/command_ids.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/tool_defaults.h"
#include "model/transforms.h"
#include "model/walkers.h"
#include "support/records.h"
#include "support/seam_recorders.h"
#include "tools/attached_dimensions.h"
#include "tools/attachment_defaults.h"
#include "tools/wall_attachments.h"
#include "ui/core/sheet_actions.h"

namespace {

using namespace dvxtest;

class WallAttachments : public FileTest {
protected:
    WallAttachments() : FileTest("wall_attachments") {}
    Objex* ThickWall(PlanPoints points, Layer* layer = nullptr) {
        Objex* wall = walls.emplace_back(Wall(layer ? layer : current(), points));
        wall->penWidth = 6;
        return wall;
    }
    // At `centre` on the wall's first segment, pointing down the screen, 200 long.
    static Objex* Dimension(Objex* wall, float centre, int16_t method = 0) {
        auto* r = NewComponentRecord(138, PointAt(wall, 0), PointAt(wall, 1), centre, 0);
        Objex* dim = Make(objtype::kComponent, 138).line(3).with(r).in(wall);
        dim->firstPoint->dimensionMethod = method;
        return dim;
    }
    void ClearWalls() {  // out of the next case's way
        for (Objex* w : walls) w->type = objtype::kLine;
        walls.clear();
    }
    // Plan positions, H and D in turn, to a thousandth.
    static std::vector<float> Flat(const Objex* o) {
        std::vector<float> out;
        for (auto [h, d] : PlanPositions(o))
            out.insert(out.end(), {std::round(h * 1e3f) / 1e3f, std::round(d * 1e3f) / 1e3f});
        return out;
    }
    std::vector<Objex*> walls;
};

TEST_F(WallAttachments, NewRecordsTakeTheirToolsDefaultsAndSurviveAFile) {
    Objex* wall = TrimmedWall(current(), 4);  // its third segment runs 100 from (100, 100)
    Poinz *p3 = PointAt(wall, 2), *p4 = PointAt(wall, 3);
    gFlipWinHorizontal = 1, gFlipWinVertical = 1;
    const struct { AttachmentRecord* r; float want[10]; } rows[] = {
        // owner, style, width, height, elevation, direction and frame flags, side, trim, trim width;
        // a hinged door opens a quarter turn counter-clockwise (flag 4) until its swing is chosen
        {NewDoorRecord(p3, p4, 30), {16, 501, 60, 160, 0, 4, 1, 0, 2218, 3}},
        {NewWindowRecord(p3, p4, 60), {17, 600, 72, 112, 48, 1, 0, 1, 2218, 3}},
        {NewAccessoryRecord(p3, p4, 30, 1), {157, 0, 92, 130, 168, 0, 1, 1, 0, 0}},
        {NewComponentRecord(73, p3, p4, 30, 0), {73, 0, 12, 32, 84, 1, 0, 0, 0, 0}},
    };
    for (const auto& [r, w] : rows) {
        EXPECT_TRUE(Near({r->ownerType, r->style, r->width, r->height, r->elevation, r->directionFlag, r->frameFlag,
                          r->sideFlag, r->outsideTrimTexture, r->trimWidth, r->centreDistance + r->remainder,
                          r->insideTrimScale[1], r->insideTrimColor.blue},
                         {w[0], w[1], w[2], w[3], w[4], w[5], w[6], w[7], w[8], w[9], 100, 100, 65535}))
            << w[0];
        for (Objex* list : r->customParts) EXPECT_EQ(list, nullptr);
        if (r->ownerType > 17) delete r;
    }
    EXPECT_FLOAT_EQ(rows[0].r->swingOrOffset, 1.5707963f);
    for (int i : {0, 1}) UpdateWallAttachment(Make(int16_t(objtype::kDoor + i)).line(2).with(rows[i].r).in(wall));
    rows[0].r->nextRecord = rows[1].r;  // scratch, never stored
    Objex* sky = nullptr;
    Objex* roof = RoofWithSkylight(current(), 800, &sky);
    DeleteObjectData(sky);
    const RoofAttachmentRecord* s = Make(sky).with(NewSkylightRecord(sky, 11))->typeData.roofAttachment;
    EXPECT_TRUE(Near({s->style, s->width, s->length, s->trimWidth, s->angle, s->sectionSubtype, s->texture1,
                      s->textureScale1[0], s->color1.green, s->color2.red},
                     {800, 72, 112, 6, 90, 11, 2218, 100, 28784, 65535}));
    EXPECT_EQ(s->attachment, sky);
    // A window wider than its segment is left out of the read with one alert.
    Objex* wide = Opening(wall, objtype::kWindow, 600, 0);
    wide->typeData.attachment->width = 100;

    ASSERT_EQ(KeyFileWrite((dir + "/records.pro").c_str()), 1);
    QMDDocumentModel* other = QMDDocumentModel::alloc()->init();
    ASSERT_EQ(KeyFileRead((dir + "/records.pro").c_str()), 1);
    Objex* back = GetLayerFromName(current()->name)->firstObject;
    DeleteObj(wide);
    ExpectSameObject(wall, back, "wall");  // links written as 0
    ExpectSameObject(roof, back->next, "roof");
    EXPECT_EQ(alerts.shown.size(), 1u);
    other->dealloc();
    gCurDocument = doc;
}

TEST_F(WallAttachments, KeptOnesFollowTheirSegmentToTheirSide) {
    Objex* wall = ThickWall({{0, 0}, {100, 0}});
    Poinz *a = PointAt(wall, 0), *b = PointAt(wall, 1);
    Objex* door = Opening(wall, objtype::kDoor, 501, 0);  // centre 25, 30 wide
    Objex* outlet = Make(objtype::kComponent, 55).line(3).with(NewComponentRecord(55, a, b, 50, 1)).in(wall);
    gdsAccessoryWidth = 5;
    Objex* shelf = Make(objtype::kAccessory).line(3).with(NewAccessoryRecord(a, b, 20, 0)).in(wall);

    b->position[0] = 0, b->position[2] = 60;  // the wall now runs down the screen
    EXPECT_EQ(UpdateAllWallAttachments(wall), 0);
    const struct { Objex* o; std::vector<float> want; } rows[] = {
        {door, {0, 10, 0, 40}},
        {outlet, {0, 44, 0, 56, 24, 50}},  // 24 (12 inches) off at angle + 90 degrees
        {shelf, {0, 15, 0, 25, -12, 20}},  // 6 (not 2 inches) + half the wall off at angle - 90 degrees
    };
    for (const auto& [o, want] : rows) EXPECT_TRUE(Flat(o) == want && o->pointCount * 2 == int(want.size())) << o->type;
    EXPECT_TRUE(Near({door->typeData.attachment->remainder, outlet->bounds.floatRight}, {35, 24}, 1e-4));
    // Rebuilt where they now stand: the door's frame first, the shelf's one plane.
    const Objex* frame = door->typeData.attachment->generatedParts;
    const Objex* plane = shelf->typeData.attachment->generatedParts;
    ASSERT_TRUE(frame && plane);
    EXPECT_TRUE(frame->type == objtype::kFrameGroup && plane->type == objtype::kAccessoryPlane && !plane->next);
    EXPECT_TRUE(Near({frame->bounds.floatTop, frame->bounds.floatBottom}, {10, 40}, 1e-3));

    // Too long for the segment: removed, counted (attached dimensions are not) and told once.
    Opening(wall, objtype::kWindow, 600, 0)->typeData.attachment->centreDistance = 60;
    Dimension(wall, 80);
    b->position[2] = 35;  // the door's 25 + 15 still reaches within 35 + 5; the outlet's 56 does not
    EXPECT_EQ(UpdateAllWallAttachments(wall), 2);
    EXPECT_EQ(ChildIDs(wall), (std::vector<uint32_t>{door->objectID, shelf->objectID}));
    b->position[2] = 20;
    EXPECT_EQ(UpdateAllWallAttachments(wall), 1);
    EXPECT_EQ(ChildIDs(wall), (std::vector<uint32_t>{shelf->objectID}));
    ASSERT_EQ(alerts.shown.size(), 2u);
    EXPECT_EQ(alerts.shown[1].alert.message, "One or more components have been removed.");
    EXPECT_EQ(alerts.shown[1].alert.informative, "The wall was not long enough to accommodate all of its "
              "attachments.  One or more windows, doors, and/or fixtures were removed.");
}

TEST_F(WallAttachments, DimensionsMeasureToTheNearestWallOfTheirOwnFloorOnceEveryWallHasMoved) {
    // other walls run from (H, D) to (300, D)
    const struct { std::vector<std::pair<float, float>> others; int16_t method; float want; } rows[] = {
        {{{0, 120}}, 0, 120},                 // centre line
        {{{0, 120}}, 1, 114},                 // near face: 120 - 12 / 2
        {{{100.5f, 120}, {0, 150}}, 0, 150},  // crossing 0.5 from one's end: the next wall
        {{{0, 4}}, 0, 10},                    // closer than 10
        {{{0, -50}}, 0, 200},                 // nothing crossed
    };
    for (const auto& row : rows) {
        Objex* own = ThickWall({{0, 0}, {200, 0}});
        for (auto [h, d] : row.others) ThickWall({{h, d}, {300, d}});
        Objex* dim = Dimension(own, 100, row.method);
        UpdateAttachedDimObject(own);
        EXPECT_NEAR(dim->typeData.attachment->height, row.want, 1e-3) << row.want;
        if (row.want == 120) { EXPECT_EQ(Flat(dim), (std::vector<float>{100, 0, 100, 0, 100, 120})); }  // laid out
        ClearWalls();
    }
    Objex* wide = Dimension(ThickWall({{0, 0}, {30, 0}}), 15);  // 40 wide: 30 + 5 is too short
    wide->typeData.attachment->width = 40;
    UpdateAttachedDim(wide, walls[0]);
    EXPECT_EQ(Flat(wide)[2], 10);  // where Make put it
    ClearWalls();

    // Upstairs, upstairs walls count whichever floor is current.
    Layer* second = GetLayerFromName("Second Floor");
    second->visible = 1;
    ThickWall({{0, 60}, {200, 60}});
    Objex* upstairs = Dimension(ThickWall({{0, 0}, {200, 0}}, second), 100);
    ThickWall({{0, 90}, {200, 90}}, second);
    UpdateAttachedDimAllLayers(doc->itsLayers);
    EXPECT_NEAR(upstairs->typeData.attachment->height, 90, 1e-3);

    // Commands moving several walls. A (0, 0)-(200, 0) holds two dimensions 80 long pointing
    // down, at 50 and 150, over open ground. After the command the first is over open ground
    // again and keeps 80, the second reaches C and reads 100. B, selected, comes after A in the
    // walk and stood 60 from where the first ends up until it moved too: measured before all
    // had moved, the first would read 60 and keep it. A selected line (-700, -200)-(700, 200)
    // centres the flips and the turn at (0, 0).
    doc->itsDocState->viewKind = 2;
    ASSERT_TRUE(MakeApplicationTemporaryFolder());
    Win32EventHandler handler;
    const auto flip = [&](int32_t command) { return [&handler, command] { handler.flipObjectsUsingCommand(command); }; };
    const auto moveLeft = [] {  // the move drag's walk
        TransformRecord r;
        r.values[xform::kTranslateH] = -150;
        SelectedObjectAllLayers(gCurDocument->itsLayers, 1, cmd::kMove, &r);
    };
    const auto nudgeLeft = [&] {  // one grid step of 75 inches, 150
        doc->itsDocState->snapToGrid = 1, doc->itsDocState->gridSpacing.floatH = 75;
        handler.nudgeObjectsUsingCommand(cmd::kNudgeLeft);
    };
    const struct { const char* name; PlanPoints b, c; std::function<void()> run; bool upstairs, copy; } commands[] = {
        // across H 0: the dimensions at -50 and -150; B (-100..-20, 60) turns to 20..100
        {"flip horizontal", {{-100, 60}, {-20, 60}}, {{-200, 100}, {-100, 100}}, flip(cmd::kFlipHorizontal)},
        // across D 0: both now point up; B (20..100, -60) turns to D 60, C is at D -100
        {"flip vertical", {{20, -60}, {100, -60}}, {{100, -100}, {200, -100}}, flip(cmd::kFlipVertical)},
        // every floor across H 0, C too: on the current floor and on the one above
        {"flip plan", {{-100, 60}, {-20, 60}}, {{100, 100}, {200, 100}},
         [&] { handler.flipPlanUsingCommand(cmd::kFlipPlanHorizontal); }, true},
        // a quarter turn: A runs up from (0, 0), the dimensions point right from D -50 and -150;
        // B (H 60, D -100..-20) turns to (-100..-20, -60), C stands upright at H 100
        {"rotate 90", {{60, -100}, {60, -20}}, {{100, -200}, {100, -100}}, [] { RotateByTypedAngle(false, 90, false); }},
        // the copies across H 0 (their dimensions at -50 and -150); pasted, A's copy lay on A,
        // and measured then its dimensions would stop at A, 10 (the least)
        {"mirror", {{20, -60}, {100, -60}}, {{-200, 100}, {-100, 100}},
         [&] { handler.mirrorObjectsUsingCommand(cmd::kMirrorLeftRight); }, false, true},
        // 150 to the left: the dimensions at -100 and 0; B (-130..-70, 60) goes to -280..-220
        {"move", {{-130, 60}, {-70, 60}}, {{-40, 100}, {40, 100}}, moveLeft},
        {"nudge", {{-130, 60}, {-70, 60}}, {{-40, 100}, {40, 100}}, nudgeLeft},
    };
    for (const auto& row : commands) {
        for (Layer* l : {current(), second})
            while (l->firstObject) DeleteObj(l->firstObject);
        walls.clear();
        std::vector<Objex*> owners;
        for (Layer* l : {current(), second}) {
            if (l == second && !row.upstairs) break;
            Objex* a = owners.emplace_back(Make(ThickWall({{0, 0}, {200, 0}}, l)).select());
            for (float centre : {50, 150}) Dimension(a, centre)->typeData.attachment->height = 80;
            Make(ThickWall(row.b, l)).select();
            ThickWall(row.c, l);
        }
        Make(Shape(current(), objtype::kDetail, {{-700, -200}, {700, 200}})).select().bounds();
        UpdateAttachedDimAllLayers(doc->itsLayers);
        row.run();
        if (row.copy) {  // the copy of A: the other wall holding dimensions
            const Objex* original = owners[0];
            for (Objex* o = current()->firstObject; o; o = o->next)
                if (o != original && o->type == objtype::kWall && o->firstChild) owners = {o};
        }
        for (Objex* a : owners) {
            ASSERT_TRUE(a && a->type == objtype::kWall && a->firstChild && a->firstChild->next) << row.name;
            EXPECT_TRUE(Near({a->firstChild->typeData.attachment->height, a->firstChild->next->typeData.attachment->height},
                             {80, 100}, 1e-3))
                << row.name << " " << a->layer->name;
        }
    }
}

TEST_F(WallAttachments, DimensionPlacementKeepsClearOfTheEndsAndAtLeast18Wide) {
    Objex* wall = ThickWall({{0, 0}, {200, 0}});
    const struct { FloatPoint pointer, first, last; bool firstFixed, lastFixed, side; float want[4]; } rows[] = {
        {{2, 30}, {}, {}, false, false, false, {5, 45, 25, 30}},             // 5 from the range's start
        {{198, -30}, {}, {}, false, false, true, {155, 195, 175, 30}},       // 5 from its end
        {{105, 10}, {100, 0}, {}, true, false, false, {100, 118, 109, 10}},  // 18 past the fixed first end
        {{90, 10}, {}, {100, 0}, false, true, false, {82, 100, 91, 10}},     // 18 short of the fixed last
    };
    for (const auto& row : rows) {
        FloatPoint size{40, 0}, first = row.first, last = row.last, centre;
        float angle = -1;
        const bool side = PositionDimAttachment(wall->firstPoint, PointAt(wall, 1), &size, 0, 0, 200, &row.pointer,
                                                &first, &last, row.firstFixed, row.lastFixed, &angle, &centre);
        EXPECT_TRUE(Near({first.floatH, last.floatH, centre.floatH, size.floatV, angle, first.floatV, side},
                         {row.want[0], row.want[1], row.want[2], row.want[3], 0, 0, row.side}, 1e-3))
            << row.pointer.floatH;
    }
}

TEST_F(WallAttachments, UpkeepTouchesOnlyTheRecordsNamingThePoint) {
    Objex* wall = ThickWall({{0, 0}, {100, 0}, {100, 80}});
    Poinz *p0 = PointAt(wall, 0), *p1 = PointAt(wall, 1), *p2 = PointAt(wall, 2);
    float start = -1, length = -1;
    EXPECT_TRUE(Near({GetWallSegmentWorkingLength(7, 7, p1, p2, &start, &length), start, length}, {85, 0, 80}));

    Objex* door = Attach(wall, objtype::kDoor, p0, p1, 30, 70);
    Objex* window = Attach(wall, objtype::kWindow, p1, p2, 20, 60);
    Objex* plain = Make(objtype::kLine).in(wall);
    AttachmentRecord *dr = door->typeData.attachment, *wr = window->typeData.attachment;
    auto fields = [](const Objex* o) {
        const AttachmentRecord* r = o->typeData.attachment;
        return std::tuple(r->segmentStart, r->segmentEnd, r->centreDistance, r->remainder, r->sideFlag);
    };
    const auto doorWas = fields(door), windowWas = fields(window);
    ReverseAttachmentDirection(wall);
    EXPECT_EQ(fields(window), std::tuple(p2, p1, 60.0f, 20.0f, uint8_t{1}));
    ReverseAttachmentDirection(wall);
    EXPECT_TRUE(fields(door) == doorWas && fields(window) == windowWas);

    UpdateWallAttachmentStartDistance(wall, p1, 5);
    EXPECT_TRUE(Near({dr->centreDistance, wr->centreDistance}, {30, 25}));
    Objex* other = ThickWall({{100, 80}, {0, 80}});
    ReplaceAttachmentBasePoint(wall, p1, other->firstPoint, plain);  // not a wall: nothing
    ReplaceAttachmentBasePoint(wall, p1, other->firstPoint, other);
    EXPECT_TRUE(Same({door->parent, plain->parent, wall->firstChild, dr->segmentEnd, wr->segmentStart},
                     {other, other, door, other->firstPoint, other->firstPoint}));
    for (Objex* c : {door, window, plain}) c->parent = wall;  // the lists were not moved

    ReplaceVoidAttachments(wall, other->firstPoint, p2, nullptr);  // one replacement only: nothing
    ReplaceVoidAttachments(wall, other->firstPoint, p0, p2);
    EXPECT_TRUE(Same({dr->segmentEnd, wr->segmentStart}, {p2, p0}));
    DeleteVoidAttachments(wall, p0);
    EXPECT_EQ(wall->firstChild, plain);
}

}  // namespace

// Attached dimensions measured square off their wall to the nearest other wall, placed while
// dragged, and the record upkeep of joined and reversed walls. Scale 36: 6 inches are 12 units.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "model/document_model.h"
#include "support/build.h"
#include "support/seam_recorders.h"
#include "tools/attached_dimensions.h"

namespace {

using namespace dvxtest;

class AttachedDims : public SelectionTest {
protected:
    // A wall 6 inches thick along the points, on the layer.
    Objex* ThickWall(Layer* layer, PlanPoints points) {
        Objex* wall = Wall(layer, points);
        wall->penWidth = 6;
        walls.push_back(wall);
        return wall;
    }
    // A dimension 20 wide centred `centre` along the wall's first segment, pointing down the
    // screen (side flag clear), its length 77 until measured.
    Objex* Dimension(Objex* wall, float centre, int16_t method) {
        Objex* dim = Attach(wall, objtype::kComponent, PointAt(wall, 0), PointAt(wall, 1), centre);
        Make(dim).line(3)->subtype = 138;
        dim->firstPoint->dimensionMethod = method;
        dim->typeData.attachment->width = 20;
        dim->typeData.attachment->height = 77;
        return dim;
    }
    // Out of the way of the next case.
    void ClearWalls() {
        for (Objex* w : walls) w->type = objtype::kLine;
        walls.clear();
    }
    std::vector<Objex*> walls;
};

TEST_F(AttachedDims, MeasureToTheNearestWallOfTheirOwnFloor) {
    FrameRecorder frames;
    using Walls = std::vector<std::vector<std::pair<float, float>>>;
    const struct { const char* what; Walls others; int16_t method; float want; } rows[] = {
        {"centre line", {{{0, 120}, {200, 120}}}, 0, 120},
        {"near face", {{{0, 120}, {200, 120}}}, 1, 114},
        {"a crossing at a segment's end", {{{100.5f, 120}, {300, 120}}, {{0, 150}, {200, 150}}}, 0, 150},
        {"closer than 10", {{{0, 4}, {200, 4}}}, 0, 10},
        {"nothing crossed", {{{0, -50}, {200, -50}}}, 0, 77},
    };
    for (const auto& row : rows) {
        Objex* own = ThickWall(floor, {{0, 0}, {200, 0}});
        for (const auto& at : row.others) ThickWall(floor, {at[0], at[1]});
        Objex* dim = Dimension(own, 100, row.method);
        UpdateAttachedDim(dim, own);
        EXPECT_NEAR(dim->typeData.attachment->height, row.want, 1e-3) << row.what;
        EXPECT_EQ(frames.count(dim), 1) << row.what;
        ClearWalls();
    }
    // Laid from the record: the base across the wall, the end at the measured length.
    Objex* own = ThickWall(floor, {{0, 0}, {200, 0}});
    ThickWall(floor, {{0, 120}, {200, 120}});
    Objex* dim = Dimension(own, 100, 0);
    UpdateAttachedDimObject(own);
    EXPECT_TRUE(Near({H(dim, 0), D(dim, 0), H(dim, 1), D(dim, 1), H(dim, 2), D(dim, 2)}, {90, 0, 110, 0, 100, 120},
                     1e-3));
    EXPECT_TRUE(Near({dim->typeData.attachment->remainder, dim->bounds.floatBottom}, {100, 120}, 1e-3));
    ClearWalls();

    // A base 40 wide on a segment of 30 is measured but not laid again.
    Objex* shortWall = ThickWall(floor, {{0, 0}, {30, 0}});
    Objex* wide = Dimension(shortWall, 15, 0);
    wide->typeData.attachment->width = 40;
    const auto before = PlanPositions(wide);
    UpdateAttachedDim(wide, shortWall);
    EXPECT_EQ(PlanPositions(wide), before);
    EXPECT_EQ(frames.count(wide), 0);
    ClearWalls();
}

TEST_F(AttachedDims, OnAnotherFloorTheyMeasureThatFloorsWalls) {
    Layer* second = GetLayerFromName("Second Floor");
    ASSERT_TRUE(second && second != floor);
    second->visible = 1;
    ThickWall(floor, {{0, 60}, {200, 60}});
    Objex* own = ThickWall(second, {{0, 0}, {200, 0}});
    ThickWall(second, {{0, 90}, {200, 90}});
    Objex* dim = Dimension(own, 100, 0);
    UpdateAttachedDimAllLayers(doc->itsLayers);
    EXPECT_NEAR(dim->typeData.attachment->height, 90, 1e-3);
    second->visible = 0;  // hidden floors are left alone
    dim->typeData.attachment->height = 5;
    UpdateAttachedDimAllLayers(doc->itsLayers);
    EXPECT_EQ(dim->typeData.attachment->height, 5);
}

TEST_F(AttachedDims, PlacementKeepsClearOfTheEndsAndAtLeast18Wide) {
    Objex* wall = ThickWall(floor, {{0, 0}, {200, 0}});
    const struct { FloatPoint pointer, first, last; bool firstFixed, lastFixed, side; float want[5]; } rows[] = {
        {{2, 30}, {}, {}, false, false, false, {5, 45, 25, 30, 0}},           // 5 from the range's start
        {{198, -30}, {}, {}, false, false, true, {155, 195, 175, 30, 0}},    // 5 from its end
        {{105, 10}, {100, 0}, {}, true, false, false, {100, 118, 109, 10, 0}},  // last end 18 past the first
        {{90, 10}, {}, {100, 0}, false, true, false, {82, 100, 91, 10, 0}},     // first end 18 short of the last
    };
    for (const auto& row : rows) {
        FloatPoint size{40, 0}, first = row.first, last = row.last, centre;
        float angle = -1;
        const bool side = PositionDimAttachment(wall->firstPoint, PointAt(wall, 1), &size, 0, 0, 200, &row.pointer,
                                                &first, &last, row.firstFixed, row.lastFixed, &angle, &centre);
        EXPECT_EQ(side, row.side);
        EXPECT_TRUE(Near({first.floatH, last.floatH, centre.floatH, size.floatV, angle},
                         {row.want[0], row.want[1], row.want[2], row.want[3], row.want[4]}, 1e-3))
            << row.pointer.floatH;
        EXPECT_TRUE(Near({first.floatV, last.floatV}, {0, 0}, 1e-3));
    }
}

TEST_F(AttachedDims, JoinedAndReversedWallsKeepTheirRecordsValid) {
    Objex* wall = ThickWall(floor, {{0, 0}, {100, 0}, {100, 80}});
    Poinz* p[3] = {PointAt(wall, 0), PointAt(wall, 1), PointAt(wall, 2)};
    Objex* door = Attach(wall, objtype::kDoor, p[0], p[1], 30, 70);
    Objex* window = Attach(wall, objtype::kWindow, p[1], p[2], 20, 60);
    window->typeData.attachment->sideFlag = 1;
    Objex* plain = Make(objtype::kLine).in(wall);
    auto fields = [](const Objex* o) {
        const AttachmentRecord* r = o->typeData.attachment;
        return std::tuple(r->segmentStart, r->segmentEnd, r->centreDistance, r->remainder, r->sideFlag);
    };
    const auto doorWas = fields(door), windowWas = fields(window);

    ReverseAttachmentDirection(wall);
    const AttachmentRecord* r = window->typeData.attachment;
    EXPECT_TRUE(Same({r->segmentStart, r->segmentEnd}, {p[2], p[1]}));
    EXPECT_TRUE(Near({r->centreDistance, r->remainder, r->sideFlag, door->typeData.attachment->sideFlag},
                     {60, 20, 0, 1}));
    ReverseAttachmentDirection(wall);
    EXPECT_TRUE(fields(door) == doorWas && fields(window) == windowWas);

    Objex* other = ThickWall(floor, {{100, 80}, {0, 80}});
    ReplaceAttachmentBasePoint(wall, p[1], other->firstPoint, plain);  // not a wall: nothing
    EXPECT_EQ(door->parent, wall);
    ReplaceAttachmentBasePoint(wall, p[1], other->firstPoint, other);
    EXPECT_TRUE(Same({door->parent, window->parent, plain->parent, wall->firstChild}, {other, other, other, door}));
    EXPECT_TRUE(Same({door->typeData.attachment->segmentEnd, window->typeData.attachment->segmentStart,
                      window->typeData.attachment->segmentEnd},
                     {other->firstPoint, other->firstPoint, p[2]}));
    for (Objex* c : {door, window, plain}) c->parent = wall;  // the lists were not moved
}

}  // namespace

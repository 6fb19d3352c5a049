// Wall faces finished from their segment, and the masks doors and windows leave in them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "files/texture_files.h"
#include "scene/opening_cutters.h"
#include "scene/surfaces.h"
#include "scene/wall_faces.h"
#include "support/scene_checks.h"
#include "tools/wall_construction.h"

namespace {

using namespace dvxtest;
namespace seg = objfield::wall_segment;
using Slot = WallFaceSlot;

// Walls 6 inches thick on a base offset of 1 unit, every segment 48 inches (96 units) high;
// one inch is two plan units.
class WallFacesTest : public SelectionTest {
  protected:
    void TearDown() override { Free(), SelectionTest::TearDown(); }
    Objex* NewWall(PlanPoints points, bool closed = false) {
        Objex* w = Outline(objtype::kWall, points, closed).on(floor);
        w->penWidth = 6, objfield::wall::kBaseOffset(*w) = 0.5f;
        for (Poinz* p = w->firstPoint; p; p = p->next)
            seg::kFirstHeight(*p) = seg::kSecondHeight(*p) = 48, p->texture1 = 1700, p->texture2 = 1701;
        return w;
    }
    void Free() {
        for (PlaneObject* f : faces) DeletePlaneObject(f);
        faces.clear(), gCurPlaneObject = nullptr;
    }
    // Every quad of the wall's solid built and finished as the scene walk does.
    std::vector<PlaneObject*>& Faces(Objex* wall) {
        Free();
        Update3DWall(wall);
        solid = wall->typeData.wallSolid;
        gBase2DObject = wall;
        const int n = solid->pointCount / 2;
        for (int c = 0; c < n; ++c) {
            Poinz *p00 = PointAt(solid, c), *p10 = PointAt(solid, n + c),
                  *p01 = PointAt(solid, (c + 1) % n), *p11 = PointAt(solid, n + (c + 1) % n);
            gCurPlaneObject = nullptr;
            RenderBicubicSurface(p00, p10, p01, p11, 1, solid);
            CarveWindowsAndDoors(solid, wall, p00, p10, p01, p11, c, gCurPlaneObject->planes);
            faces.push_back(gCurPlaneObject);
        }
        return gCurPlaneObject = nullptr, faces;
    }
    // (distance from the last edge, level above the face's bottom) of a vertex of a face.
    static std::pair<float, float> Along(const PlaneObject* face, const PlaneVertex& v) {
        const PlaneVertex& r = face->planes->vertices[face->planes->count - 1];
        return {std::hypot(v.H - r.H, v.D - r.D), r.V - v.V};
    }
    // The first and last distance from the last edge that the mask reaches.
    static std::pair<float, float> Span(const PlaneObject* face, const PlaneObject* mask) {
        std::pair<float, float> span{1e9f, -1e9f};
        for (uint32_t i = 0; i < mask->planes->count; ++i) {
            const float s = Along(face, mask->planes->vertices[i]).first;
            span = {std::min(span.first, s), std::max(span.second, s)};
        }
        return span;
    }
    std::vector<PlaneObject*> faces;
    Objex* solid = nullptr;
};

TEST_F(WallFacesTest, EachColumnOfTheSolidIsTheSideOfASegmentAnEndOrTheClosingColumn) {
    const Slot open2[] = {{Slot::kSegment, 0, 0, -1}, {Slot::kEndFace, 1, 1, -1},
                          {Slot::kSegment, 0, 1, 1}, {Slot::kSegment, 0, 1, -1}};
    const Slot open3[] = {{Slot::kSegment, 0, 0, -1}, {Slot::kSegment, 1, 0, -1}, {Slot::kEndFace, 2, 1, -1},
                          {Slot::kSegment, 1, 1, 2},  {Slot::kSegment, 0, 1, 1}, {Slot::kSegment, 0, 1, -1}};
    const Slot closed4[] = {{Slot::kSegment, 0, 0, -1}, {Slot::kSegment, 1, 0, -1}, {Slot::kSegment, 2, 0, -1},
                            {Slot::kSegment, 3, 0, -1}, {Slot::kClosingColumn, 0, 0, -1}, {Slot::kSegment, 3, 1, -1},
                            {Slot::kSegment, 2, 1, 3},  {Slot::kSegment, 1, 1, 2}, {Slot::kSegment, 0, 1, 1},
                            {Slot::kSegment, 0, 1, -1}};
    const struct { Objex* wall; const Slot* slots; int columns; } walls[] = {{NewWall({{0, 0}, {200, 0}}), open2, 4},
                 {NewWall({{0, 0}, {200, 0}, {200, 200}}), open3, 6},
                 {NewWall({{0, 0}, {200, 0}, {200, 200}, {0, 200}}, true), closed4, 10}};
    for (const auto& w : walls) {
        Faces(w.wall);
        ASSERT_EQ(solid->pointCount, 2 * w.columns);
        for (int c = 0; c < w.columns; ++c) {
            const Slot s = GetWallFaceSlot(solid, w.wall, c), want = w.slots[c];
            EXPECT_TRUE(Near({s.kind, s.segment, s.side, s.capCorner}, {want.kind, want.segment, want.side, want.capCorner}))
                << "column " << c;
            // A side face runs from the segment's end (side 0) or start (side 1) to the other.
            const Poinz* start = faces[c]->segmentStart;
            if (want.kind != Slot::kSegment || (want.capCorner < 0 && want.side)) continue;
            const PlaneVertex* v = faces[c]->planes->vertices;
            auto to = [&](const PlaneVertex& q) { return std::hypot(q.H - start->position[0], q.D - start->position[2]); };
            EXPECT_TRUE(start == PointAt(w.wall, want.segment) && (to(v[0]) < to(v[3])) == (want.side == 1));
        }
    }
    // A wall of one point keeps its quad as built.
    Objex *one = NewWall({{0, 0}}), *cell = Make(objtype::kClosedSolid).rows(2).grid(2, 2).on(floor);
    PlaneObject* face = gCurPlaneObject = CreatePlaneObject();
    faces.push_back(face);
    const Plane* plane = AddPlane(face, {{0, 0, 0}, {0, -9, 0}, {9, -9, 0}, {9, 0, 0}}, {0, 0, 1});
    CarveWindowsAndDoors(cell, one, PointAt(cell, 0), PointAt(cell, 2), PointAt(cell, 1), PointAt(cell, 3), 0, face->planes);
    EXPECT_TRUE(plane->count == 4 && plane->vertices[1].V == -9 && !face->segmentStart && !face->frontTextureField);
}

TEST_F(WallFacesTest, TopsFollowTheSegmentShapeAndMirrorOnSideZero) {
    Objex* wall = NewWall({{0, 0}, {200, 0}});
    Poinz* p = wall->firstPoint;
    // Flat: a quad 97 high, u across and v 1 along the bottom.
    const Plane* flat = Faces(wall)[2]->planes;
    ASSERT_EQ(flat->count, 4u);
    EXPECT_TRUE(Near({flat->vertices[1].V - flat->vertices[0].V, flat->vertices[0].u, flat->vertices[3].u,
                      flat->vertices[0].v, flat->vertices[3].v, flat->vertices[1].v},
                     {-97, 0, 1, 1, 1, 0}, 1e-4));
    // A gable of pitch 12 on both sides peaks 100 along at 197; a hip reaches its peak height
    // 121 between 24 and 176.
    seg::kPitchA(*p) = seg::kPitchB(*p) = 12, seg::kPeakHeight(*p) = 60;
    for (int32_t shape : {1, 4}) {
        seg::kShape(*p) = shape;
        const PlaneObject* face = Faces(wall)[2];
        ASSERT_EQ(face->planes->count, shape == 1 ? 5u : 6u);
        const auto top = Along(face, face->planes->vertices[2]);
        EXPECT_TRUE(Near({top.first, top.second, face->surfaceKind}, {shape == 1 ? 100 : 176, shape == 1 ? 197 : 121, 3}, 1e-3));
    }
    // A slope rises from the start on side 1 and, seen from side 0, towards its first edge.
    seg::kShape(*p) = 2, seg::kPitchA(*p) = 6;
    auto& both = Faces(wall);
    EXPECT_TRUE(Near({Along(both[2], both[2]->planes->vertices[1]).second, Along(both[0], both[0]->planes->vertices[1]).second},
                     {97, 197}, 1e-3));
    // Flat pitches give every shape finite corners; a flat gable is straight.
    seg::kPitchA(*p) = seg::kPitchB(*p) = 0, seg::kSecondHeight(*p) = 30;
    for (int32_t shape = 1; shape <= 11; ++shape) {
        seg::kShape(*p) = shape;
        const Plane* face = Faces(wall)[2]->planes;
        for (uint32_t i = 0; i < face->count; ++i)
            EXPECT_TRUE(std::isfinite(face->vertices[i].H) && std::isfinite(face->vertices[i].V)) << shape;
        EXPECT_TRUE(shape != 1 || face->count == 4);
    }
    // The framing view drops flat faces and shows lumber on shaped ones.
    DocState* ds = doc->itsDocState;
    ds->framingView = 1, seg::kShape(*p) = 0;
    EXPECT_EQ(Faces(wall)[0]->planes, nullptr);
    seg::kShape(*p) = 1, seg::kPitchA(*p) = seg::kPitchB(*p) = 12;
    EXPECT_TRUE(Near({Faces(wall)[0]->planes->count, faces[0]->frontTexture, faces[0]->backTexture}, {5, 2202, 2202}));
    // An elevation view hides a flat face's top, and its bottom off the first floor however named.
    ds->framingView = 0, ds->elevationView = 2, seg::kShape(*p) = 0;
    std::strcpy(floor->name, "Ground");
    EXPECT_EQ(Tags(Faces(wall)[0]->planes), (std::vector<uint16_t>{0, kHiddenEdge, 0, 0}));
    wall->layer = floor->next;
    EXPECT_EQ(Tags(Faces(wall)[0]->planes), (std::vector<uint16_t>{0, kHiddenEdge, 0, kHiddenEdge}));
    wall->layer = floor;
}

TEST_F(WallFacesTest, FacesTakeTheirSideOfTheSegmentStartAndWriteBackToIt) {
    Objex* wall = NewWall({{0, 0}, {200, 0}, {200, 200}});
    Poinz* start = PointAt(wall, 1);
    start->texture2 = 2203, start->faceScale2 = {50, 80};
    start->trim1 = Trim(0), start->trim1->slot[0] = 1;
    const PlaneObject *back = Faces(wall)[1], *front = faces[3]; // segment 1, sides 0 and 1
    EXPECT_TRUE(Same({back->frontTextureField, back->frontColorField, back->frontScaleField, back->backTextureField,
                      back->trimRecordField, back->segmentStart, front->frontTextureField, front->trimRecordField},
                     {&start->texture2, &start->color2, &start->faceScale2.x, &start->texture1, &start->trim1, start,
                      &start->texture1, &start->trim2}));
    float u = 0, v = 0;
    ComputeTextureScale(2203, 200 - 6, 97, &u, &v); // side 0 is the inner face, 6 short
    EXPECT_TRUE(Near({back->frontTexture, back->frontTextureSize[1], back->frontRepeat[0], back->frontRepeat[1]},
                     {2203, 80, u, v}, 1e-4));
    EXPECT_TRUE(PiecesOfKind(63, back->trims).size() == 1 && !front->trims); // its side's base moulding
}

TEST_F(WallFacesTest, DoorsAndWindowsAreMaskedInTheirFaceByCentreDistance) {
    Objex* wall = NewWall({{0, 0}, {200, 0}});
    AttachmentRecord* door = Opening(wall, objtype::kDoor, 500, 0)->typeData.attachment;
    door->centreDistance = 36, door->elevation = 0;
    auto& f = Faces(wall);
    for (int column : {0, 2}) { // the door's centre seen from side 1 is 200 - 36 from R
        const PlaneObject* mask = f[column]->masks;
        ASSERT_TRUE(mask && !mask->next && MasksOnFace(f[column]));
        const auto [from, to] = Span(f[column], mask);
        const float centre = column ? 164 : 36;
        EXPECT_TRUE(Near({from, to, Along(f[column], mask->planes->vertices[0]).second,
                          Along(f[column], mask->planes->vertices[1]).second, mask->pieceKind},
                         {centre - 16, centre + 16, 1 - 1, 1 + 80, 61}, 1e-3));
    }
    // The inner face of a segment between two corners starts 6 along it: openings keep their
    // place on the segment.
    Objex* bent = NewWall({{0, 0}, {200, 0}, {200, 200}, {0, 200}});
    for (float centre : {100, 36, 100}) Opening(bent, objtype::kWindow, 600, 1)->typeData.attachment->centreDistance = centre;
    bent->firstChild->next->next->typeData.attachment->width = 10;
    Attach(bent, objtype::kComponent, PointAt(bent, 1), PointAt(bent, 2), 60)->typeData.attachment->ownerType = 56;
    const PlaneObject* inner = Faces(bent)[1];
    std::vector<std::pair<float, float>> spans;
    for (const PlaneObject* m = inner->masks; m; m = m->next) spans.push_back(Span(inner, m));
    EXPECT_TRUE(MasksOnFace(inner) && MasksOnFace(faces[5]) && faces[5]->masks);
    // Nearest first, equals in child order; the inner face starts 6 along the segment.
    EXPECT_TRUE(Near({spans.size(), spans[0].first, spans[1].second, spans[2].second}, {3, 36 - 6 - 16, 100 - 6 + 16, 100 - 6 + 6}, 1e-3));
}

TEST_F(WallFacesTest, AnOpenWallsEndsTakeNoTrimsNorMasksAndReachTheirSegmentsHeight) {
    // Columns of a two-point wall: 0 side 0, 1 the end at the last point, 2 side 1, 3 the end
    // at the first point (across the wall, 12 units). Base mouldings on both sides, a door.
    Objex* wall = NewWall({{0, 0}, {200, 0}});
    Poinz* p = wall->firstPoint;
    p->trim1 = Trim(0), p->trim2 = Trim(1);
    p->trim1->slot[0] = p->trim2->slot[0] = 1, p->trim1->slot[1] = p->trim2->slot[1] = 0;
    Opening(wall, objtype::kDoor, 500, 0)->typeData.attachment->centreDistance = 60;
    struct Row { int column; size_t mouldings; bool masked; };
    auto& f = Faces(wall);
    for (const Row& row : {Row{0, 1, true}, Row{1, 0, false}, Row{2, 1, true}, Row{3, 0, false}}) {
        EXPECT_EQ(PiecesOfKind(63, f[row.column]->trims).size(), row.mouldings) << row.column;
        EXPECT_EQ(f[row.column]->masks != nullptr, row.masked) << row.column;
    }
    // A slope falling from the first point (shape 3, 6 in 12 over 200): the first end stands
    // 1 + 96 + 100 high, the last 1 + 96, each as its side faces meet it.
    seg::kShape(*p) = 3, seg::kPitchA(*p) = 6;
    Faces(wall);
    auto height = [&](int column) {
        const Plane* plane = faces[column]->planes;
        return std::pair{plane->vertices[0].V - plane->vertices[1].V, plane->vertices[3].V - plane->vertices[2].V};
    };
    EXPECT_TRUE(Near({height(3).first, height(3).second, height(1).first, height(1).second}, {197, 197, 97, 97}, 1e-3));
    EXPECT_TRUE(Near({faces[3]->elevationOverride, faces[1]->elevationOverride}, {p->baseElevation, p->baseElevation}));
}

TEST_F(WallFacesTest, StepsInHeightAreCappedInGreyAndEndsReachTheirSegmentsHeight) {
    Objex* wall = NewWall({{0, 0}, {200, 0}, {200, 200}});
    auto caps = [&] { return PiecesOf(wall); };
    EXPECT_TRUE(Faces(wall).size() == 6 && caps().empty());
    seg::kFirstHeight(*PointAt(wall, 1)) = 60;
    ASSERT_TRUE(Faces(wall).size() == 6 && caps().size() == 2);
    EXPECT_TRUE(NormalsPerpendicular(caps()));
    for (const PlaneObject* c : caps())
        EXPECT_TRUE(Near({c->frontColor.red, c->backColor.blue, c->frontTexture, VertexCount(c)}, {0xE0E0, 0xE0E0, 0, 4}));
    EXPECT_TRUE(Near({caps()[0]->planes->vertices[1].V, caps()[1]->planes->vertices[1].V}, {-97, -121}, 1e-3));
    const Plane* end = faces[2]->planes;
    EXPECT_NEAR(end->vertices[0].V - end->vertices[1].V, 121, 1e-3); // the last segment's height

    Objex* closed = NewWall({{0, 0}, {200, 0}, {200, 200}, {0, 200}}, true);
    seg::kFirstHeight(*PointAt(closed, 3)) = 70;
    const Plane* closing = Faces(closed)[4]->planes;
    EXPECT_NEAR(closing->vertices[3].V - closing->vertices[2].V, 1 + GetWallHeight(PointAt(closed, 3), 2), 1e-3);
}

// A face along H from its last edge at the origin, 200 long: distances along it are x.
class CuttersTest : public WallFacesTest {
  protected:
    void SetUp() override {
        WallFacesTest::SetUp();
        wall = NewWall({{0, 0}, {200, 0}});
        record = Opening(wall, objtype::kWindow, 600, 0)->typeData.attachment;
        record->centreDistance = 100, record->elevation = 0, record->sideFlag = 0, record->directionFlag = 0;
        face = gCurPlaneObject = CreatePlaneObject();
        faces.push_back(face);
        AddPlane(face, {{200, 0, 0}, {200, -200, 0}, {0, -200, 0}, {0, 0, 0}}, {0, 0, 1});
        gBase2DObject = wall;
    }
    // The mask of the style at w by h, as (x, level above the base offset 1) pairs.
    std::vector<std::pair<float, float>> Cut(int16_t style, float w, float h, int16_t side = 0) {
        DeletePlaneObjectList(face->masks);
        record->style = style, record->width = w, record->height = h;
        CarveDoorWindowAttachment(face->planes, 0, 200, &face->planes->vertices[3], record, side, 0, 96, 1);
        std::vector<std::pair<float, float>> out;
        for (const Plane* p = face->masks ? face->masks->planes : nullptr; p; p = p->next)
            for (uint32_t i = 0; i < p->count; ++i) out.emplace_back(p->vertices[i].H, -p->vertices[i].V - 1);
        return out;
    }
    Objex* wall = nullptr;
    AttachmentRecord* record = nullptr;
    PlaneObject* face = nullptr;
};

TEST_F(CuttersTest, EachStyleHasItsOutlineOnTheOpeningsCentre) {
    const auto circle = Cut(623, 24, 99);
    ASSERT_EQ(circle.size(), 36u);
    for (const auto& [x, level] : circle) EXPECT_NEAR(std::hypot(x - 100, level - 12), 12, 1e-3);
    const auto octagon = Cut(622, 0, 50);
    EXPECT_TRUE(Near({octagon.size(), octagon[0].first, octagon[1].second}, {8, 101, 1}, 1e-5));
    const auto pentagon = Cut(619, 40, 10);
    EXPECT_TRUE(Near({pentagon.size(), pentagon[1].second, pentagon[2].second}, {5, 1, 21}, 1e-5));
    const auto arch = Cut(504, 36, 80);
    EXPECT_TRUE(Near({arch.size(), arch[1].second, arch[10].second, arch[10].first}, {21, 62, 81, 100}, 1e-4));
    EXPECT_EQ(Cut(609, 30, 80).size(), 11u);
    // The side flag puts a chipped corner on the other side; the direction flag turns it over.
    const auto plain = Cut(611, 40, 60);
    record->sideFlag = 1;
    EXPECT_TRUE(Near({plain[1].first, Cut(611, 40, 60)[1].first, plain[2].second}, {80, 120, 60}, 1e-4));
    record->directionFlag = 1;
    const auto flipped = Cut(611, 40, 60);
    EXPECT_TRUE(Near({flipped[0].second, flipped[1].second, flipped[2].second}, {60, 20, 0}, 1e-4));
}

TEST_F(CuttersTest, StandardOutlinesLiveOnlyUntilCasedAndCustomShapesUseTheirOwn) {
    Cut(600, 30, 40, 0);
    // Lined across the wall and cased edge by edge round the outline, which goes once cased.
    const auto lining = PiecesOfKind(3), casing = PiecesOfKind(1);
    ASSERT_TRUE(lining.size() == 4u && casing.size() == 12u && !record->customParts[0]);
    // Kept in the opening's own frame and put back on the centre 100 along, level with the base.
    const PlaneVertex *across = lining[0]->planes->vertices, *edge = casing[8]->planes->vertices;
    EXPECT_TRUE(Near({across[0].H, across[0].V, across[0].D + across[3].D, edge[3].H, edge[3].V, edge[3].D},
                     {84, 0, 0, 84, 0, across[0].D}, 1e-4));
    // A profile keeps the outline; carving again frees the one held, never a layer's.
    record->outsideTrimProfile = Make(8).at({{0, 0, 0}, {2, 0, 0}, {2, 0, 3}});
    record->outsideCustomTrim = 1;
    const int objects = CountObjects(floor->firstObject);
    for (int i = 0; i < 2; ++i) Cut(600, 30, 40, 1);
    EXPECT_TRUE(Near({CountObjects(record->customParts[0]), record->customParts[0]->layer == nullptr,
                      CountObjects(floor->firstObject)},
                     {1, 1, objects}));

    // A custom window masks each outline of its definition (15 by 25) scaled to 30 by 80, 1.0
    // in front of both faces of the wall.
    record->style = 626, record->width = 30, record->height = 80;
    DeleteObjectList(record->customParts[0]);
    for (float shift : {0.0f, 4.0f})
        AppendObjectToList(record->customParts[0],
                           Make(61).at({{-7.5f, 0, 0}, {7.5f, 0, 0}, {7.5f, -20, 0}, {0, -25 + shift, 0}, {-7.5f, -20, 0}}),
                           nullptr);
    PointAt(wall, 0)->selected = 1;
    DocState* ds = doc->itsDocState;
    const int16_t curves = ds->curveSegments, view = ds->viewKind;
    for (int column : {0, 2}) {
        const PlaneObject* f = Faces(wall)[column];
        ASSERT_EQ(PiecesOf(wall, f->masks).size(), 2u);
        EXPECT_TRUE(MasksOnFace(f, 1.001) && !MasksOnFace(f, 0.999) && f->masks->planes->count == 3); // tessellated
        float low = 1e9f, high = -1e9f;
        for (const Plane* p : PlanesOf(f->masks))
            for (uint32_t i = 0; i < p->count; ++i) high = std::max(high, -p->vertices[i].V - 1), low = std::min(low, p->vertices[i].H);
        EXPECT_TRUE(Near({high, low}, {80, 100 - 15}, 1e-3));
    }
    EXPECT_TRUE(Near({ds->curveSegments, ds->viewKind, PointAt(wall, 0)->selected, SelectedPointCount(record->customParts[0]),
                      CountObjects(record->customParts[0])},
                     {curves, view, 1, 0, 2}));
}

} // namespace

// Object type conversion: which shapes each target accepts, what a conversion writes into the
// object and its points, the flattening of curves, walls and their joining, the interior and
// exterior switch, and the one snapshot each conversion stores.
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "files/content_paths.h"
#include "files/undo.h"
#include "commands/convert_type.h"
#include "model/default_textures.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "plan/refresh_seams.h"
#include "files/custom_textures.h"
#include "support/doubles.h"
#include "support/wall_checks.h"
#include "support/fixture.h"
#include "support/build.h"
#include "support/scene_checks.h"
#include "tools/wall_joins.h"
#include "model/material_table.h"
#include "ui/core/inspector_seams.h"

using namespace dvxtest;

namespace {

struct Pt {
    float h, v, d;
    float outH = 0, outD = 0;  // out-tangent of the point
    float inH = 0, inD = 0;    // in-tangent
};

class ConvertTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        ASSERT_TRUE(MakeApplicationTemporaryFolder());
        port::setDocumentUndo(&undo);
        gUndoActive = 1;
        InitializeUndo();
        SetRefreshHandler([this] { ++refreshes; });
        SetInspectorUpdatePropertiesStateHandler([this](int32_t) { ++inspectorUpdates; });
        ds = doc->itsDocState;
    }
    void TearDown() override {
        port::setDocumentUndo(nullptr);
        DocumentTest::TearDown();
    }

    Layer* floor(const char* name = "First Floor") { return GetLayerFromName(name); }

    // A detail object (29) on the current layer through the points.
    Objex* Shape(std::initializer_list<Pt> pts, bool closed, int32_t subtype = 3) {
        Objex* o = Make(objtype::kDetail, subtype).on(doc->itsCurLayer).closed(closed);
        for (const Pt& p : pts) dvxtest::Point(o, {p.h, p.v, p.d, {p.inH, 0, p.inD}, {p.outH, 0, p.outD}})->selected = 1;
        return o;
    }
    Objex* Line(int points = 2) {
        Objex* o = Shape({}, false);
        for (int i = 0; i < points; ++i) dvxtest::Point(o, {10.0f * i, 0, 5.0f * i})->selected = 1;
        return o;
    }
    Objex* Square(bool closed = true) {
        return Shape({{0, 0, 0}, {100, 0, 0}, {100, 0, 100}, {0, 0, 100}}, closed);
    }
    // A quarter-circle-like arc from (0,0,0) to (100,0,0) bulging along +D.
    Objex* Arc() { return Shape({{0, 0, 0, 0, 100}, {100, 0, 0, 0, 0, 0, -100}}, false); }

    size_t Snapshots() const { return undo.actionNames.size(); }

    RecordingUndo undo;
    DocState* ds = nullptr;
    int refreshes = 0;
    int inspectorUpdates = 0;
};

std::vector<Poinz*> Points(Objex* o) {
    std::vector<Poinz*> v;
    for (Poinz* p = o->firstPoint; p; p = p->next) v.push_back(p);
    return v;
}

TEST_F(ConvertTest, TwoPointLinesBecomeFoundationDuctAndLotLines) {
    ds->foundationBeamValue = 10.0f;
    ds->stiffenerBeamWidth = 14.0f;
    ds->ductWidth = 8.0f;
    ds->ductHeight = 22.0f;
    ds->conversionValue = 7.5f;
    const std::pair<int32_t, int16_t> rows[] = {
        {convertcmd::kStiffenerBeam, objtype::kStiffenerBeam}, {convertcmd::kPostTensionStrand, objtype::kPostTensionStrand},
        {convertcmd::kFoundationSlope, objtype::kFoundationSlope}, {convertcmd::kAirDuct, objtype::kAirDuct},
        {convertcmd::kEntireLot, objtype::kEntireLot}, {convertcmd::kSlopeLot, objtype::kSlopeLot},
    };
    for (const auto& [command, type] : rows) {
        Objex* line = Line();
        ASSERT_TRUE(ConvertObjectType(line, command)) << command;
        EXPECT_EQ(line->type, type) << command;
        EXPECT_EQ(line->closed, 0);
        // Depth before width, and width before height: swapped they still look plausible.
        const std::pair<float, float> sizes(line->params[2], line->params[3]);
        if (command == convertcmd::kStiffenerBeam) { EXPECT_EQ(sizes, std::pair(10.0f, 14.0f)); }
        if (command == convertcmd::kAirDuct) { EXPECT_EQ(sizes, std::pair(8.0f, 22.0f)); }
        if (type == objtype::kEntireLot || type == objtype::kSlopeLot) {
            for (Poinz* p : Points(line)) EXPECT_FLOAT_EQ(p->segmentValues[0], 7.5f);
        }
    }
}

TEST_F(ConvertTest, RefusedConversionChangesNothingAndStoresNoSnapshot) {
    Objex* three = Line(3);
    Objex* curved = Arc();
    for (Objex* o : {three, curved}) {
        o->subtype = 6;
        o->optionA = 9;
        o->text = CopyString("label");
    }
    const size_t before = Snapshots();
    for (int32_t command : {convertcmd::kStiffenerBeam, convertcmd::kPostTensionStrand, convertcmd::kFoundationSlope,
                            convertcmd::kAirDuct, convertcmd::kEntireLot, convertcmd::kSlopeLot}) {
        EXPECT_FALSE(ConvertObjectType(three, command));
        EXPECT_FALSE(ConvertObjectType(curved, command));
    }
    for (Objex* o : {three, curved}) {
        EXPECT_EQ(o->type, objtype::kDetail);
        EXPECT_TRUE(Near({o->subtype, o->optionA}, {6, 9}));
        ASSERT_NE(o->text, nullptr);
        EXPECT_STREQ(o->text, "label");
    }
    EXPECT_EQ(Snapshots(), before);
    // Each refusal still shows the inspector and the plan again.
    EXPECT_TRUE(Near({refreshes, inspectorUpdates}, {12, 12}));

    // Outside the command range, or with a single point: nothing at all.
    EXPECT_FALSE(ConvertObjectType(Line(1), convertcmd::kFence));
    EXPECT_FALSE(ConvertObjectType(three, 10049));
    EXPECT_FALSE(ConvertObjectType(three, 10080));
    EXPECT_EQ(refreshes, 12);

    // No area of two points, which a read throws away.
    Objex* two = Line(2);
    for (int32_t command : {convertcmd::kFloor, convertcmd::kFloorCutout, convertcmd::kFreehandRoof,
                            convertcmd::kDeckWithRailing, convertcmd::kDeckWithoutRailing, convertcmd::kPropertyLine,
                            convertcmd::kGroundFill, convertcmd::kExcavation, convertcmd::kDeckCutout}) {
        EXPECT_FALSE(ConvertObjectType(two, command)) << command;
        EXPECT_EQ(two->type, objtype::kDetail) << command;
    }
    EXPECT_EQ(Snapshots(), before);
}

TEST_F(ConvertTest, ClosedPolygonBecomesAnOpenStaircaseWithItsFirstPointRepeated) {
    Objex* o = Square();
    AddStalePieces({o});
    ASSERT_TRUE(ConvertObjectType(o, convertcmd::kStaircase));
    EXPECT_EQ(o->closed, 0);
    ASSERT_EQ(o->pointCount, 5);
    const auto pts = Points(o);
    ASSERT_EQ(pts.size(), 5u);
    EXPECT_TRUE(Near({pts[4]->position[0], pts[4]->position[2]}, {pts[0]->position[0], pts[0]->position[2]}));
    EXPECT_TRUE(Near({pts[4]->selected, o->params[4]}, {0, 96.0f}, kUlps));  // the floor's height
    EXPECT_NE(o->firstPart, nullptr);  // built
    EXPECT_FALSE(HasStalePiece(o));

    // Deck stairs from a curved run keep their segment flags.
    Objex* curved = Arc();
    curved->firstPoint->segmentFlags = 5;
    ASSERT_TRUE(ConvertObjectType(curved, convertcmd::kDeckStairs));
    EXPECT_EQ(curved->firstPoint->segmentFlags, 5);
}

TEST_F(ConvertTest, DetailOvalBecomesAPierOfItsWidthAndARectangleDoesNot) {
    // An oval 72 plan units wide: 72 / 72 x 36 = 36 inches at the default drawing scale.
    Objex* oval = Shape({{36, 0, 0, 20, 0}, {72, 0, 18, 0, 10}, {36, 0, 36, -20, 0}, {0, 0, 18, 0, -10}}, true, 2);
    oval->bounds3D.floatLeft = 0;
    oval->bounds3D.floatRight = 72;
    ASSERT_TRUE(ConvertObjectType(oval, convertcmd::kFoundationPier));
    EXPECT_TRUE(Near({oval->type, oval->params[0]}, {objtype::kFoundationPier, 36.0f}, kUlps));

    for (int32_t subtype : {1, 2}) {  // a rectangle, and an "oval" without curves
        Objex* square = Square();
        square->subtype = subtype;
        EXPECT_FALSE(ConvertObjectType(square, convertcmd::kFoundationPier));
        EXPECT_EQ(square->type, objtype::kDetail);
    }
}

TEST_F(ConvertTest, PathsAndSwitchConnectorsOnlyFromOpenShapes) {
    EXPECT_FALSE(ConvertObjectType(Square(true), convertcmd::kPath));
    EXPECT_FALSE(ConvertObjectType(Square(true), convertcmd::kSwitchConnector));

    ds->pathStyle = 3;  // the path material
    Objex* path = Square(false);
    ASSERT_TRUE(ConvertObjectType(path, convertcmd::kPath));
    EXPECT_EQ(path->fillColor, gMaterialTable[3]);
    // A material number beyond the table takes its first colour.
    ds->pathStyle = 400;
    Objex* wild = Line();
    ASSERT_TRUE(ConvertObjectType(wild, convertcmd::kPath));
    EXPECT_EQ(wild->fillColor, gMaterialTable[0]);

    ds->viewKind = 2;
    Objex* connector = Shape({{0, 0, 0}, {50, 0, 20}, {100, 0, 0}}, false);
    ASSERT_TRUE(ConvertObjectType(connector, convertcmd::kSwitchConnector));
    EXPECT_EQ(connector->type, objtype::kDetail);
    EXPECT_NE(PointAt(connector, 1)->outTangent[0], 0.0f);  // smoothed
}

TEST_F(ConvertTest, CurvedArcBecomesAnInteriorWallOfStraightPieces) {
    ds->curveSegments = 10;
    ds->currentElevation = 5.0f;
    RegisterLiveView(true);
    Objex* wall = Arc();
    Poinz* first = wall->firstPoint;
    Poinz* last = first->next;
    ASSERT_TRUE(ConvertObjectType(wall, convertcmd::kInteriorWall));

    EXPECT_TRUE(Near({wall->type, wall->planBits}, {objtype::kWall, 2}));
    const auto pts = Points(wall);
    ASSERT_EQ(pts.size(), 11u);  // nine new points in the one curved segment
    EXPECT_EQ(wall->pointCount, 11);
    // The middle of the Hermite curve from (0,0) leaving along +D (100) to (100,0) arriving
    // along -D (-100): H = 100 (3t^2 - 2t^3) = 50, D = 100 (t - t^2) = 25 at t = 0.5.
    EXPECT_TRUE(Near({pts[5]->position[0], pts[5]->position[2]}, {50.0f, 25.0f}, 1e-3));
    EXPECT_NEAR(pts[1]->position[0], 2.8f, 1e-3);   // t = 0.1: 100 (0.03 - 0.002)
    EXPECT_NEAR(pts[1]->position[2], 9.0f, 1e-3);   // 100 (0.1 - 0.01)
    // Every piece, new or old, has its own trim records and the wall's base.
    for (size_t i = 0; i < pts.size(); ++i) {
        const Poinz* p = pts[i];
        if (i > 0 && i < 10) { EXPECT_EQ(p->segmentFlags & 3, 3); }
        EXPECT_EQ(p->dimensionFlipped, static_cast<int16_t>(i % 2));
        ASSERT_NE(p->trim1, nullptr);
        ASSERT_NE(p->trim2, nullptr);
        EXPECT_FLOAT_EQ(p->baseElevation, 5.0f);
    }
    for (int k = 0; k < 3; ++k) {
        EXPECT_TRUE(Near({first->outTangent[k], last->inTangent[k]}, {0.0f, 0.0f}));
    }
    // Alone on its floor: nothing to join, the wall stays open.
    EXPECT_TRUE(Near({wall->closed, CountObjects(doc->itsCurLayer->firstObject)}, {0, 1}));
    EXPECT_TRUE(Built(wall));
    EXPECT_TRUE(dvxtest::SolidFollowsCentreLine(wall) && dvxtest::MappedAsARead(wall));
}

TEST_F(ConvertTest, WallJoiningAndTheRetainingWall) {
    Objex* onFirst = Line();
    ASSERT_TRUE(ConvertObjectType(onFirst, convertcmd::kExteriorWall));
    EXPECT_EQ(onFirst->planBits, 1);
    doc->itsCurLayer = floor("Second Floor");
    Objex* onSecond = Line();
    ASSERT_TRUE(ConvertObjectType(onSecond, convertcmd::kExteriorWall));
    EXPECT_EQ(onSecond->planBits, 2);
    ASSERT_TRUE(ConvertObjectType(Square(true), convertcmd::kInteriorWall));

    // A retaining wall: 36-inch segments, texture scales kept but slot 4's, no joining.
    Objex* retaining = Line(3);
    for (ShortPoint& s : retaining->textureScales) s = ShortPoint{7, 7};
    ASSERT_TRUE(ConvertObjectType(retaining, convertcmd::kRetainingWall));
    EXPECT_TRUE(Near({retaining->textureScales[4].x, retaining->textureScales[0].x}, {100, 7}));
    for (Poinz* p : Points(retaining)) EXPECT_FLOAT_EQ(p->segmentValues[0], 36.0f);

}

TEST_F(ConvertTest, AShapeEndingOnAWallsFreeEndJoinsThatWall) {
    // The interior wall (400,50) -> (100,50) and a line (0,0) -> (100,50) made an exterior wall: last
    // end meets last end, so the wall survives with the line's points reversed after its own,
    // exterior now, rebuilt, and the line is gone.
    Objex* host = Outline(objtype::kWall, {{400, 50}, {100, 50}}, false).on(doc->itsCurLayer);
    host->auxColor.red = 1;
    Update3DWall(host);  // built, as a design's walls are, so a click finds it
    AddStalePieces({host});
    ASSERT_TRUE(ConvertObjectType(Shape({{0, 0, 0}, {100, 0, 50}}, false), convertcmd::kExteriorWall));
    ASSERT_EQ(CountObjects(doc->itsCurLayer->firstObject), 1);
    EXPECT_EQ(doc->itsCurLayer->firstObject, host);
    EXPECT_EQ(PlanPositions(host), (std::vector<std::pair<float, float>>{{400, 50}, {100, 50}, {0, 0}}));
    EXPECT_TRUE(Near({host->subtype, host->auxColor.red, host->pointCount}, {54, 0, 3}));
    EXPECT_TRUE(!HasStalePiece(host) && Built(host));

    // A shape ending on an open polyline's end leaves the polyline alone.
    Objex* polyline = Shape({{300, 0, 0}, {350, 0, 50}}, false);
    Objex* other = Shape({{200, 0, 0}, {300, 0, 0}}, false);
    ASSERT_TRUE(ConvertObjectType(other, convertcmd::kInteriorWall));
    EXPECT_TRUE(Near({polyline->type, polyline->pointCount, other->pointCount}, {objtype::kDetail, 2, 2}));
}

TEST_F(ConvertTest, WallsSwitchBetweenInteriorAndExterior) {
    RegisterLiveView(true);
    Objex* wall = Make(objtype::kWall, 54).on(doc->itsCurLayer).line(3);
    for (Poinz* p : Points(wall)) p->selected = 1;
    wall->planBits = 1;
    ConvertWallToInterior(wall);
    EXPECT_TRUE(Near({wall->subtype, wall->planBits, wall->firstPoint->selected}, {0, 2, 0}));
    EXPECT_TRUE(Built(wall));
    EXPECT_TRUE(dvxtest::SolidFollowsCentreLine(wall));
    EXPECT_EQ(refreshes, 1);

    // Plan bits other than 1 stay either way; only walls are switched.
    wall->planBits = 4;
    ConvertWallToExterior(wall);
    EXPECT_TRUE(Near({wall->subtype, wall->planBits}, {54, 4}));
    ConvertWallToInterior(wall);
    EXPECT_EQ(wall->planBits, 4);
    Objex* shape = Square();
    ConvertWallToExterior(shape);
    EXPECT_EQ(shape->subtype, 3);
}

TEST_F(ConvertTest, FencesTakeTheOrnamentalTextureForStyle704) {
    ds->fenceStyle = 704;
    Objex* fence = Square(true);
    ASSERT_TRUE(ConvertObjectType(fence, convertcmd::kFence));
    EXPECT_TRUE(Near({fence->closed, fence->pointCount}, {0, 5}));
    const int32_t id = fence->firstPoint->texture1;
    EXPECT_GE(id, kFirstCustomTextureID);
    ASSERT_NE(GetCustomTextureIDPath(id), nullptr);
    EXPECT_STREQ(GetCustomTextureIDPath(id), "Custom Fences/Iron Ornamental/orna3.PTX");
    for (Poinz* p : Points(fence)) EXPECT_EQ(p->texture2, id);

    ds->fenceStyle = 703;
    Objex* plain = Line();
    ASSERT_TRUE(ConvertObjectType(plain, convertcmd::kFence));
    EXPECT_LT(plain->firstPoint->texture1, kFirstCustomTextureID);
    EXPECT_FALSE(ConvertObjectType(Arc(), convertcmd::kFence));
}

TEST_F(ConvertTest, OpenAndClosedPolygonsKeepTheirSubtypeAndOption) {
    Objex* closedShape = Square(true);
    closedShape->subtype = 5;
    closedShape->optionA = 2;
    ASSERT_TRUE(ConvertObjectType(closedShape, convertcmd::kOpenPolygon));
    EXPECT_TRUE(Near({closedShape->closed, closedShape->pointCount, closedShape->subtype}, {0, 5, 5}));
    EXPECT_EQ(closedShape->optionA, 2);
    EXPECT_FALSE(ConvertObjectType(closedShape, convertcmd::kOpenPolygon));

    // Last point within half a unit of the first (each coordinate taken to whole units).
    Objex* nearly = Shape({{10.2f, 0, 20.1f}, {60, 0, 20}, {60, 0, 70}, {10.4f, 0, 19.8f}}, false, 7);
    ASSERT_TRUE(ConvertObjectType(nearly, convertcmd::kClosedPolygon));
    EXPECT_TRUE(Near({nearly->closed, nearly->pointCount, Points(nearly).size()}, {1, 3, 3u}));
    EXPECT_EQ(nearly->subtype, 7);

    Objex* apart = Shape({{10.2f, 0, 20}, {60, 0, 20}, {60, 0, 70}, {10.6f, 0, 20}}, false);
    ASSERT_TRUE(ConvertObjectType(apart, convertcmd::kClosedPolygon));
    EXPECT_EQ(apart->pointCount, 4);

    // Huge or undefined coordinates are compared without overflow.
    Objex* huge = Shape({{3e10f, 0, 0}, {0, 0, 0}, {-3e10f, 0, 0}}, false);
    ASSERT_TRUE(ConvertObjectType(huge, convertcmd::kClosedPolygon));
    EXPECT_EQ(huge->pointCount, 3);
}

TEST_F(ConvertTest, HeightsOfSiteAndFloorPoints) {
    ds->deckHeight = 24.0f;
    ds->deckSkirting = 1;
    // A deck's points sit at minus its height in plan units: 24 / 36 x 72 = 48.
    Objex* deck = Square();
    ASSERT_TRUE(ConvertObjectType(deck, convertcmd::kDeckWithRailing));
    for (Poinz* p : Points(deck)) EXPECT_FLOAT_EQ(p->position[1], -48.0f);

    // Floors sit one below the drawn height, fills two above, excavations at -1.
    Objex* floorShape = Shape({{0, 3, 0}, {10, 3, 0}, {10, 3, 10}}, false);
    ASSERT_TRUE(ConvertObjectType(floorShape, convertcmd::kFloor));
    EXPECT_TRUE(Near({floorShape->closed, floorShape->firstPoint->position[1]}, {1, 2.0f}, kUlps));
    Objex* fill = Shape({{0, 3, 0}, {10, 3, 0}, {10, 3, 10}}, false);
    ASSERT_TRUE(ConvertObjectType(fill, convertcmd::kGroundFill));
    EXPECT_FLOAT_EQ(fill->firstPoint->position[1], 5.0f);
    Objex* excavation = Square();
    ASSERT_TRUE(ConvertObjectType(excavation, convertcmd::kExcavation));
    EXPECT_TRUE(Near({excavation->elevation, excavation->firstPoint->position[1]}, {-36.0f, -1.0f}, kUlps));

    // A freehand roof on the second floor rests on top of it: 96 below it plus its own 96.
    doc->itsCurLayer = floor("Second Floor");
    Objex* roof = Square();
    ASSERT_TRUE(ConvertObjectType(roof, convertcmd::kFreehandRoof));
    EXPECT_FLOAT_EQ(roof->elevation, 192.0f);
}

TEST_F(ConvertTest, EverySuccessfulConversionStoresOneSnapshotUnderItsName) {
    ds->fenceStyle = 703;
    for (int32_t command = convertcmd::kFirst; command <= convertcmd::kLast; ++command) {
        Objex* o = nullptr;
        switch (command) {
        case convertcmd::kStiffenerBeam: case convertcmd::kPostTensionStrand: case convertcmd::kFoundationSlope:
        case convertcmd::kAirDuct: case convertcmd::kEntireLot: case convertcmd::kSlopeLot:
            o = Line();
            break;
        case convertcmd::kFoundationPier:
            o = Shape({{36, 0, 0, 20, 0}, {72, 0, 18}, {36, 0, 36}, {0, 0, 18}}, true, 2);
            break;
        case convertcmd::kSwitchConnector: case convertcmd::kPath:
            o = Square(false);
            break;
        default:
            o = Square(true);
            break;
        }
        const size_t before = Snapshots();
        ASSERT_TRUE(ConvertObjectType(o, command)) << command;
        ASSERT_EQ(Snapshots(), before + 1) << command;
        EXPECT_EQ(undo.actionNames.back(), ConvertObjectTypeUndoName(command));
    }
    EXPECT_STREQ(ConvertObjectTypeUndoName(convertcmd::kEdging), "Convert to Edging");
    EXPECT_EQ(ConvertObjectTypeUndoName(convertcmd::kLast + 1), nullptr);
}

TEST_F(ConvertTest, FlatteningUsesTwoPiecesAtLowResolutionAndClosesTheOutline) {
    ds->curveSegments = 1;
    Objex* arc = Arc();
    ConvertObjectCurvesToPolygons(arc);
    EXPECT_EQ(arc->pointCount, 3);
    EXPECT_NEAR(PointAt(arc, 1)->position[2], 25.0f, 1e-3);

    // A closed shape's closing segment (last back to first) is flattened after the others.
    ds->curveSegments = 4;
    Objex* lens = Shape({{0, 0, 0, 0, 0, 0, 50}, {100, 0, 0, 0, 50}}, true);
    ConvertObjectCurvesToPolygons(lens);
    EXPECT_EQ(lens->pointCount, 5);
    EXPECT_FALSE(ObjectHasCurves(lens));
    EXPECT_NEAR(PointAt(lens, 3)->position[0], 50.0f, 1e-3);

    // A straight segment is left alone.
    Objex* straight = Line();
    ConvertSegmentCurveToPolygon(straight, straight->firstPoint, straight->firstPoint->next);
    EXPECT_EQ(straight->pointCount, 2);
}

TEST_F(ConvertTest, OpeningAClosedWallCopiesItsTrimRecords) {
    Objex* wall = Make(objtype::kWall).on(doc->itsCurLayer).line(3);
    wall->closed = 1;
    wall->firstPoint->trim1 = new TrimRecord{};
    wall->firstPoint->trim1->slot[0] = 3;
    PreserveConvertClosedToOpen(wall);
    Poinz* copy = PointAt(wall, 3);
    ASSERT_NE(copy, nullptr);
    ASSERT_NE(copy->trim1, nullptr);
    EXPECT_NE(copy->trim1, wall->firstPoint->trim1);  // its own copy: no double free
    EXPECT_TRUE(Near({copy->trim1->slot[0], wall->closed}, {3, 0}));
    PreserveConvertClosedToOpen(wall);  // an open object is left alone
    EXPECT_EQ(wall->pointCount, 4);
}

}  // namespace

// What a read rebuilds through the table, with the builders linked: a wall comes back with its
// solid and its openings refitted, a long wall and path with their solid and surface round every
// point, skylights read with their roof get their symbols (a custom
// one from its definition, a standard one its two filler planes).
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "files/attachment_records.h"
#include "files/object_records.h"
#include "geometry/elements/skylight_symbols.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "support/build.h"
#include "support/fixture.h"
#include "support/records.h"
#include "support/wall_checks.h"

using namespace dvxtest;

namespace {

class AttachmentRecordsTest : public DocumentTest {
protected:
    Layer* layer() { return doc->itsCurLayer; }
};

AttachmentRecord* Record(Objex* child) { return child ? child->typeData.attachment : nullptr; }

TEST_F(AttachmentRecordsTest, WallWithDoorAndWindowComesBackWhole) {
    Objex* wall = TrimmedWall(layer(), 6);
    Objex* door = Opening(wall, objtype::kDoor, 501, 2);
    Objex* window = Opening(wall, objtype::kWindow, 603, 0);
    // Mapped and measured as every refit, a read's too, lays them.
    MapFacesAndLengths(door), MapFacesAndLengths(window);
    Record(door)->insideCustomTrim = 1;
    Record(door)->insideTrimProfile = Part(9);
    Record(door)->outsideCustomTrim = 1;
    Record(door)->outsideTrimProfile = Part(objtype::kPolygon);
    Record(window)->outsideCustomTrim = 1;  // no profile: stored as a plain trim
    wall->firstPoint->trim2->slot[1] = TrimRecord::kCustomProfile;
    wall->firstPoint->trim2->profile[1] = Part(9);
    Poinz* third = PointAt(wall, 2);
    Poinz* fourth = PointAt(wall, 3);

    const auto bytes = WrittenObject(wall);
    // The door sits between the third and fourth points: positions 2 and 3.
    EXPECT_GE(Find(bytes, Bytes().i16(16).i16(501).i32(2).i32(3).data()), 0);
    EXPECT_GE(Find(bytes, Bytes().i16(17).i16(603).i32(0).i32(1).data()), 0);
    // The live wall is as it was, and writes the same bytes again.
    EXPECT_EQ(Record(door)->segmentStart, third);
    EXPECT_EQ(Record(door)->segmentEnd, fourth);
    EXPECT_EQ(Record(window)->segmentStart, wall->firstPoint);
    EXPECT_EQ(WrittenObject(wall), bytes);

    Objex* back = ReadObjectFrom(bytes, layer());
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(RemainingInput(), 0u);
    ASSERT_EQ(CountObjects(back->firstChild), 2);
    Objex* doorBack = back->firstChild;
    EXPECT_EQ(std::tuple(Record(doorBack)->segmentStart, Record(doorBack)->segmentEnd, doorBack->parent,
                         Record(back->firstChild->next)->outsideCustomTrim),
              std::tuple(PointAt(back, 2), PointAt(back, 3), back, 0));
    Record(window)->outsideCustomTrim = 0;
    ExpectSameObject(wall, back, "wall");
    EXPECT_TRUE(dvxtest::SolidFollowsCentreLine(back));
    // Refitted on their segments after the read: both kept, with their pieces (the hinged door's
    // frame and ten leaf pieces, the arched window's frame).
    EXPECT_EQ(std::pair(ListOf(Record(doorBack)->generatedParts).size(),
                        ListOf(Record(back->firstChild->next)->generatedParts).size()),
              std::pair(size_t{11}, size_t{1}));
}

// Stairs of 4,001 points, 10 apart, read back: the wall's solid and the path's surface are the
// band worked by hand round each, every point in order.
TEST_F(AttachmentRecordsTest, LongWallsAndPathsComeBackWithTheirBands) {
    doc->itsDocState->lotRect = FloatRect{-30000, -30000, 30000, 30000};  // every corner mitred
    for (int16_t type : {objtype::kWall, objtype::kPath}) {
        SCOPED_TRACE(type);
        Objex* source = Make(type).stairs(2000, 10, -20000, -20000);
        source->penWidth = 5;
        source->optionB = 1;  // a straight path
        const std::vector<std::pair<float, float>> centre = PlanPositions(source);
        std::vector<std::pair<float, float>> band = StairBand(source, 5);
        Objex* back = ReadObjectFrom(WrittenObject(source), layer());
        DeleteObj(source);
        ASSERT_NE(back, nullptr);
        EXPECT_TRUE(PointListWhole(back));
        EXPECT_TRUE(NearPlanPositions(back, centre, 0));
        const Objex* built = type == objtype::kPath                             ? back->firstPart
                             : back->typeData.kind == TypeDataKind::WallSolid ? back->typeData.wallSolid
                                                                               : nullptr;
        ASSERT_NE(built, nullptr);
        if (type == objtype::kWall) band.insert(band.end(), band.begin(), band.end());  // top row, bottom row
        EXPECT_TRUE(PointListWhole(built));
        EXPECT_TRUE(NearPlanPositions(built, band, 0.01f));
    }
}

TEST_F(AttachmentRecordsTest, CustomSkylightsRebuildTheirSymbols) {
    Objex* skylight = nullptr;
    Objex* roof = RoofWithSkylight(layer(), kCustomSkylightStyle, &skylight);
    RoofAttachmentRecord* r = skylight->typeData.roofAttachment;
    const int16_t types[5] = {objtype::kOpeningMask, objtype::kWindowSeparator, objtype::kDoorHardware,
                              objtype::kSkylightPart, objtype::kSkylightPart5};
    for (int i = 0; i < 5; ++i) r->partLists[i] = Part(types[i]);  // 5 x 7, drawn at the record's 40 x 60
    CreateCustomSkylightSymbols(skylight, 120, 130, 90);  // as a read leaves it

    const auto bytes = WrittenObject(roof);
    EXPECT_GE(Find(bytes, Bytes().i16(214).i16(objtype::kSkylight).data()), 0);
    EXPECT_GE(Find(bytes, Bytes().i16(215).i16(200).i16(objtype::kOpeningMask).data()), 0);
    Objex* back = ReadObjectFrom(bytes, layer());
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(RemainingInput(), 0u);
    ExpectSameObject(roof, back, "roof");
    Objex* sky = back->firstChild;
    ASSERT_NE(sky, nullptr);
    EXPECT_EQ(sky->parent, back);
    EXPECT_EQ(sky->typeData.roofAttachment->attachment, sky);
    // The symbols are rebuilt about the skylight's centre (120, 130): the opening with its two
    // filler planes, the frame and the lens.
    const RoofAttachmentRecord* read = sky->typeData.roofAttachment;
    std::vector<int> kinds;
    for (Objex* o = read->customParts; o; o = o->next) kinds.push_back(o->type);
    EXPECT_EQ(kinds, (std::vector<int>{61, 900, 900, 19, 128}));
    FloatRect box;
    Float3DRect box3D;
    GetCustomSkylightBounds(sky, &box, &box3D);
    EXPECT_TRUE(Near({box3D.floatLeft, box3D.floatBack, box3D.floatRight, box3D.floatFront}, {100, 100, 140, 160}));
}

TEST_F(AttachmentRecordsTest, StandardSkylightsGetTwoFillerPlanes) {
    Objex* skylight = nullptr;
    Objex* roof = RoofWithSkylight(layer(), 800, &skylight);
    skylight->typeData.roofAttachment->flipFlags[0] = 1;
    Objex* back = ReadObjectFrom(WrittenObject(roof), layer());
    ASSERT_NE(back, nullptr);
    const RoofAttachmentRecord* r = back->firstChild->typeData.roofAttachment;
    ASSERT_EQ(CountObjects(r->customParts), 2);
    Objex* upper = r->customParts;
    Objex* lower = upper->next;
    EXPECT_EQ(std::tuple(upper->type, upper->subtype, lower->subtype, upper->closed, upper->layer),
              std::tuple(objtype::kFrameGroup, 1, 0, 1, layer()));
    ASSERT_EQ(upper->pointCount, 4);
    // 16 up and 2 down from V -50; mirrored in H about the skylight's centre (120).
    EXPECT_EQ(lower->firstPoint->position[1], -48.0f);
    ExpectPosition(upper->firstPoint, 140, -66, 100);
}

}  // namespace

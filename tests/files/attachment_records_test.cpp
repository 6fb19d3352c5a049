// Attached children in files: walls with doors and windows, custom parts and trim profiles,
// the older 60-byte record, roofs with skylights, decks with steps, and skipped entries.
#include <gtest/gtest.h>

#include <cstring>

#include "files/attachment_records.h"
#include "files/object_io.h"
#include "files/object_records.h"
#include "files/palettes.h"
#include "support/records.h"
#include "files/streams.h"
#include "files/type_data_io.h"
#include "geometry/elements/rebuild_seams.h"
#include "model/deletion.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/selection_queries.h"
#include "support/fixture.h"
#include "support/build.h"
#include "support/seam_recorders.h"
#include "tools/deck_steps.h"

using namespace dvxtest;

namespace {

class AttachmentRecordsTest : public DocumentTest {
protected:
    Layer* layer() { return doc->itsCurLayer; }
};

AttachmentRecord* Record(Objex* child) { return child ? child->typeData.attachment : nullptr; }

TEST_F(AttachmentRecordsTest, WallWithDoorAndWindowComesBackWhole) {
    RebuildRecorder rebuilds;
    Objex* wall = TrimmedWall(layer(), 6);
    Objex* door = Opening(wall, objtype::kDoor, 501, 2);
    Objex* window = Opening(wall, objtype::kWindow, 603, 0);
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
    EXPECT_EQ(Record(doorBack)->segmentStart, PointAt(back, 2));
    EXPECT_EQ(Record(doorBack)->segmentEnd, PointAt(back, 3));
    EXPECT_EQ(doorBack->parent, back);
    EXPECT_EQ(Record(back->firstChild->next)->outsideCustomTrim, 0);
    Record(window)->outsideCustomTrim = 0;
    ExpectSameObject(wall, back, "wall");
    EXPECT_EQ(rebuilds.count("Update3DWall", back), 1);
    EXPECT_EQ(rebuilds.count("UpdateAllWallAttachments", back), 1);
}

TEST_F(AttachmentRecordsTest, PointLinksToPositionsAndBack) {
    Objex* wall = TrimmedWall(layer(), 4);
    Objex* door = Opening(wall, objtype::kDoor, 500, 1);
    AttachmentRecord* r = Record(door);
    Poinz stranger{};
    r->segmentEnd = &stranger;  // not a point of the wall: stored as 0
    WallAttachmentsHdlToIndex(door, wall);
    EXPECT_EQ(r->startIndex, 1);
    EXPECT_EQ(r->endIndex, 0);
    r->endIndex = 9;  // past the points: the first point
    WallAttachmentsIndexToHdl(door, wall);
    EXPECT_EQ(r->segmentStart, PointAt(wall, 1));
    EXPECT_EQ(r->segmentEnd, wall->firstPoint);
    // Only walls and decks have point links.
    Objex* roof = Make(objtype::kRoof);
    r->startIndex = 3;
    WallAttachmentsIndexToHdl(door, roof);
    EXPECT_EQ(r->segmentStart, PointAt(wall, 1));
    DeleteObj(roof);
}

TEST_F(AttachmentRecordsTest, CustomWindowPartsTravelInsideTheRecord) {
    Objex* wall = TrimmedWall(layer(), 3);
    Objex* window = Opening(wall, objtype::kWindow, kCustomWindowStyle, 0);
    AttachmentRecord* r = Record(window);
    r->startIndex = 0;
    r->endIndex = 1;

    // Without parts, 212 is followed by 213 straight after the fixed fields.
    auto empty = Written([r] { WriteObjectAttachment(r); });
    const size_t fixed = 2 + 2 + 4 + 4 + 20 + 12 + 1 + 4 + 6 + 4;
    ASSERT_GT(empty.size(), fixed + 4);
    EXPECT_EQ(std::vector<uint8_t>(empty.begin() + fixed, empty.begin() + fixed + 4),
              Bytes().i16(212).i16(213).data());

    // A custom trim flag without its profile object is stored as 0, with no profile block.
    r->insideCustomTrim = 1;
    auto flagged = Written([r] { WriteObjectAttachment(r); });
    EXPECT_EQ(flagged, empty);
    EXPECT_EQ(Find(flagged, Bytes().i16(210).data()), -1);
    EXPECT_EQ(flagged[fixed + 4], 0);
    r->insideCustomTrim = 0;

    // Parts go to the lists by type: openings first, hardware third, anything else second.
    r->customParts[0] = Part(objtype::kOpeningMask);
    r->customParts[1] = Part(9);
    r->customParts[2] = Part(objtype::kDoorHardware);
    r->customParts[5] = Part(objtype::kWindowSeparator);
    const auto bytes = WrittenObject(wall);
    Objex* back = ReadObjectFrom(bytes, layer());
    ASSERT_NE(back, nullptr);
    AttachmentRecord* rb = Record(back->firstChild);
    ASSERT_NE(rb, nullptr);
    EXPECT_EQ(CountObjects(rb->customParts[0]), 1);
    EXPECT_EQ(CountObjects(rb->customParts[1]), 2);
    EXPECT_EQ(CountObjects(rb->customParts[2]), 1);
    EXPECT_EQ(rb->customParts[5], nullptr);
    EXPECT_EQ(rb->customParts[1]->next->type, objtype::kWindowSeparator);
    EXPECT_EQ(rb->customParts[0]->parent, back->firstChild);
    EXPECT_EQ(rb->customParts[0]->layer, nullptr);
    EXPECT_EQ(CountObjects(layer()->firstObject), 2);  // parts stay off the layer
}

TEST_F(AttachmentRecordsTest, CopyBufferSelectsPartsJustWhileTheyAreWritten) {
    Objex* wall = TrimmedWall(layer(), 3);
    Objex* window = Opening(wall, objtype::kWindow, kCustomWindowStyle, 0);
    Objex* part = Part(objtype::kOpeningMask);
    Record(window)->customParts[0] = part;
    for (Poinz* p = wall->firstPoint; p; p = p->next) p->selected = 1;

    gUseScrap = 1;
    gScrapIndex = 0;
    WriteAnObject(wall);
    const std::vector<uint8_t> scrap(gPrivateScrap.begin(), gPrivateScrap.begin() + gScrapIndex);
    gUseScrap = 0;
    EXPECT_FALSE(IsObjectSelected(part));
    // The part's record (tag 200 and its type) is inside.
    EXPECT_GE(Find(scrap, Bytes().i16(212).i16(200).i16(objtype::kOpeningMask).data()), 0);

    // Reading the copy buffer keeps fresh IDs.
    gUseScrap = 1;
    gPrivateScrap = scrap;
    gScrapIndex = 0;
    int16_t tag = 0;
    ReadShort(&tag);
    Objex* pasted = ReadAnObject(layer(), 1);
    gUseScrap = 0;
    ASSERT_NE(pasted, nullptr);
    EXPECT_NE(pasted->objectID, wall->objectID);
    EXPECT_EQ(CountObjects(Record(pasted->firstChild)->customParts[0]), 1);
}

TEST_F(AttachmentRecordsTest, TrimPaletteLinksAreResolvedBelow11000) {
    PaletteList* texture = GetPaletteEntryFromRefID(2);
    texture->kind = kPaletteTexture;
    texture->textureID = 1158;
    texture->textureScale[0] = 60, texture->textureScale[1] = 70;
    Objex* wall = TrimmedWall(layer(), 2);
    AttachmentRecord* r = Record(Opening(wall, objtype::kDoor, 500, 0));
    r->insideTrimTexture = -1002;

    sWriteVersion = 11100;
    auto kept = Written([r] { WriteObjectAttachment(r); });
    EXPECT_GE(Find(kept, Bytes().u8(0).i32(-1002).data()), 0);
    EXPECT_EQ(r->insideTrimScale[0], 100);

    sWriteVersion = 10900;
    auto resolved = Written([r] { WriteObjectAttachment(r); });
    EXPECT_GE(Find(resolved, Bytes().u8(0).i32(1158).i16(60).i16(70).u16(65535).u16(65535).u16(65535).data()), 0);
    EXPECT_EQ(r->insideTrimTexture, -1002);
    EXPECT_EQ(r->insideTrimScale[0], 60);
    EXPECT_EQ(r->insideTrimScale[1], 70);
    EXPECT_EQ(r->insideTrimColor, (RGBColor{65535, 65535, 65535}));
    EXPECT_EQ(r->outsideTrimTexture, 2219);
}

TEST_F(AttachmentRecordsTest, OldRecordsAreSixtyLittleEndianBytes) {
    Bytes b;
    b.le16(16).le16(501).le16(1).le16(0).le16(2).le16(0);
    for (float f : {10.0f, 20.0f, 30.0f, 80.0f, 2.0f}) b.lef32(f);
    b.le16(0xAAAA).le16(0xAAAA).le16(0xAAAA).le16(0xAAAA).le16(0xAAAA).le16(0xAAAA);  // links
    b.u8(1).u8(0).lef32(1.5f).le16(4).le16(1).le16(99).lef32(3.0f);
    ASSERT_EQ(b.size(), 60u);

    Objex* door = Make(objtype::kDoor);
    door->texture = 1234;
    door->textureScales[4] = ShortPoint{80, 90};
    door->penColor = RGBColor{1, 2, 3};
    AttachmentRecord r;
    StartInput(b.data(), 10700);
    ReadObjectAttachment75(&r, door);
    EXPECT_EQ(RemainingInput(), 0u);
    EXPECT_EQ(r.ownerType, 16);
    EXPECT_EQ(r.style, 501);
    EXPECT_EQ(r.startIndex, 1);
    EXPECT_EQ(r.endIndex, 2);
    EXPECT_EQ(r.height, 80.0f);
    EXPECT_EQ(r.generatedParts, nullptr);
    EXPECT_EQ(r.sideFlag, 1);
    EXPECT_EQ(r.swingOrOffset, 1.5f);
    EXPECT_EQ(r.directionFlag, 4);
    EXPECT_EQ(r.frameFlag, 1);
    EXPECT_EQ(r.reserved, 0);
    EXPECT_EQ(r.trimWidth, 3.0f);
    // Both trims take the door's texture, scale and pen colour.
    EXPECT_EQ(r.insideTrimTexture, 1234);
    EXPECT_EQ(r.outsideTrimTexture, 1234);
    EXPECT_EQ(r.insideTrimScale[1], 90);
    EXPECT_EQ(r.outsideTrimScale[0], 80);
    EXPECT_EQ(r.insideTrimColor, (RGBColor{1, 2, 3}));
    EXPECT_EQ(r.outsideTrimColor, (RGBColor{1, 2, 3}));

    // Written back: the links and the third value are zero.
    std::vector<uint8_t> expected = b.data();
    std::fill(expected.begin() + 32, expected.begin() + 44, 0);
    expected[54] = expected[55] = 0;
    EXPECT_EQ(Written([&] { WriteObjectAttachment75(&r); }), expected);
    DeleteObj(door);

    // A whole wall at 10700 uses the old record.
    Objex* wall = TrimmedWall(layer(), 4);
    Opening(wall, objtype::kWindow, 600, 1);
    Objex* back = ReadObjectFrom(WrittenObject(wall, 10700), layer(), 10700);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(RemainingInput(), 0u);
    EXPECT_EQ(Record(back->firstChild)->segmentStart, PointAt(back, 1));
    EXPECT_EQ(Record(back->firstChild)->width, 30.0f);
}

TEST_F(AttachmentRecordsTest, CustomSkylightsRebuildTheirSymbols) {
    struct Call {
        Objex* skylight;
        float h, d, angle;
    };
    std::vector<Call> calls;
    SetCreateCustomSkylightSymbolsHandler([&](Objex* s, float h, float d, float a) { calls.push_back({s, h, d, a}); });
    Objex* skylight = nullptr;
    Objex* roof = RoofWithSkylight(layer(), kCustomSkylightStyle, &skylight);
    RoofAttachmentRecord* r = skylight->typeData.roofAttachment;
    const int16_t types[5] = {objtype::kOpeningMask, objtype::kWindowSeparator, objtype::kDoorHardware,
                              objtype::kSkylightPart, objtype::kSkylightPart5};
    for (int i = 0; i < 5; ++i) r->partLists[i] = Part(types[i]);

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
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].skylight, sky);
    EXPECT_EQ(calls[0].h, 120.0f);
    EXPECT_EQ(calls[0].d, 130.0f);
    EXPECT_EQ(calls[0].angle, 90.0f);
    EXPECT_EQ(sky->typeData.roofAttachment->customParts, nullptr);
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
    EXPECT_EQ(upper->type, objtype::kFrameGroup);
    EXPECT_EQ(upper->subtype, 1);
    EXPECT_EQ(lower->subtype, 0);
    EXPECT_EQ(upper->closed, 1);
    ASSERT_EQ(upper->pointCount, 4);
    // 16 up and 2 down from V -50; mirrored in H about the skylight's centre (120).
    EXPECT_EQ(upper->firstPoint->position[1], -66.0f);
    EXPECT_EQ(lower->firstPoint->position[1], -48.0f);
    EXPECT_EQ(upper->firstPoint->position[0], 140.0f);
    EXPECT_EQ(upper->firstPoint->position[2], 100.0f);
    EXPECT_EQ(upper->layer, layer());
}

TEST_F(AttachmentRecordsTest, DecksKeepTheirStepsWithoutLinks) {
    Objex* deck = Deck(layer());
    AddDeckSteps(deck, PointAt(deck, 1), PointAt(deck, 2));
    ASSERT_NE(deck->firstChild, nullptr);
    AttachmentRecord* r = Record(deck->firstChild);
    r->customParts[3] = Part(9);  // a step carries no parts in a file

    Objex* back = ReadObjectFrom(WrittenObject(deck), layer());
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(RemainingInput(), 0u);
    AttachmentRecord* rb = Record(back->firstChild);
    ASSERT_NE(rb, nullptr);
    EXPECT_EQ(rb->segmentStart, PointAt(back, 1));
    EXPECT_EQ(rb->segmentEnd, PointAt(back, 2));
    EXPECT_EQ(rb->width, r->width);
    EXPECT_EQ(rb->customParts[3], nullptr);
    EXPECT_EQ(DeckStepLeftHandrail(rb), 1);
    EXPECT_EQ(back->firstChild->type, objtype::kDeckSteps);
}

TEST_F(AttachmentRecordsTest, TailsOfOlderVersionsAndWrongTags) {
    // A roof at 10800 has no tail; the next record follows.
    Objex* roof = RoofWithSkylight(layer(), 800, nullptr);
    Objex* after = Make(9).on(layer()).line(2);
    after->subtype = 99;
    Bytes file;
    file.raw(WrittenObject(roof, 10800)).raw(WrittenObject(after, 10800));
    StartInput(file.data(), 10800);
    int16_t tag = 0;
    ReadShort(&tag);
    Objex* roofBack = ReadAnObject(layer(), 1);
    ASSERT_NE(roofBack, nullptr);
    EXPECT_EQ(roofBack->firstChild, nullptr);
    ReadShort(&tag);
    Objex* next = ReadAnObject(layer(), 1);
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->subtype, 99);

    // Under a deck, a wall child's tag (201) is skipped without reading anything more.
    Objex* deck = Deck(layer());
    AddDeckSteps(deck, PointAt(deck, 0), PointAt(deck, 1));
    const auto head = Written([deck] { WriteShort(200); WriteObjectInfo(deck); WriteObjectPoints(deck); });
    auto whole = WrittenObject(deck);
    ASSERT_EQ(std::vector<uint8_t>(whole.begin() + static_cast<long>(head.size()), whole.begin() + static_cast<long>(head.size()) + 4),
              Bytes().i32(1).data());
    Bytes patched;
    patched.raw(std::vector<uint8_t>(whole.begin(), whole.begin() + static_cast<long>(head.size())));
    patched.i32(2).i16(201);
    patched.raw(std::vector<uint8_t>(whole.begin() + static_cast<long>(head.size()) + 4, whole.end()));
    Objex* deckBack = ReadObjectFrom(patched.data(), layer());
    ASSERT_NE(deckBack, nullptr);
    EXPECT_EQ(RemainingInput(), 0u);
    EXPECT_EQ(CountObjects(deckBack->firstChild), 1);
    EXPECT_EQ(deckBack->firstChild->type, objtype::kDeckSteps);
}

}  // namespace

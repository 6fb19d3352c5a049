// The exchange file read back: a whole file into the design (written again, it gives the same
// bytes), and a tool's result merged into the design: new objects, replacements by ID, groups,
// data blocks, the fix-ups old records need, and damaged results.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "files/docstate_io.h"
#include "files/palettes.h"
#include "files/streams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/deletion.h"
#include "model/design_digest.h"
#include "model/live_views.h"
#include "model/object_fields.h"
#include "model/objects.h"
#include "model/plugin_data.h"
#include "model/topo_grid.h"
#include "model/tool_defaults.h"
#include "port/files.h"
#include "powertools/core/exchange_file_reader.h"
#include "powertools/core/exchange_writer.h"
#include "powertools/core/result_merge.h"
#include "files/custom_textures.h"
#include "scene/terrain.h"
#include "design_generator.h"
#include "support/build.h"
#include "support/doubles.h"
#include "support/fixture.h"
#include "support/records.h"
#include "support/result_builder.h"

using namespace dvxtest;

namespace {

constexpr int32_t kTool = 120;
const int32_t kVersions[] = {11000, 10000, 9000, 8000, 7500, 5000};

class ExchangeReadTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        dir = FreshTempFolder("exchange-read");
        path = port::JoinPath(dir, "data.pxf");
        port::setAlerts(&alerts);
    }
    std::vector<uint8_t> Write(int32_t version) {
        EXPECT_EQ(PlugInFileWrite(path.c_str(), kTool, 0, version), 1);
        return ReadWholeFile(path);
    }
    int Merge(const ResultBuilder& result) { return PlugOutFileRead(result.save(path).c_str()); }
    Layer* Floor(int i) {
        Layer* l = doc->itsLayers;
        while (i-- > 0 && l) l = l->next;
        return l;
    }
    static int Count(Layer* l) {
        int n = 0;
        for (Objex* o = l ? l->firstObject : nullptr; o; o = o->next) ++n;
        return n;
    }
    DocState* ds() { return doc->itsDocState; }

    std::string dir, path;
    RecordingAlerts alerts;
};

uint32_t ReadLE32(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t{b[at]} | uint32_t{b[at + 1]} << 8 | uint32_t{b[at + 2]} << 16 | uint32_t{b[at + 3]} << 24;
}

// The first byte where two files part, for a readable failure.
size_t FirstDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
    return i;
}

// Read back at every version, the generated house and lot (walls with openings and trims,
// roofs, decks with steps, text, cabinets, nested groups, plants) with a saved view and a
// palette entry written again give the file's own bytes: every field a version carries came
// back where it belongs.
TEST_F(ExchangeReadTest, EveryVersionReadsBackToTheSameFile) {
    Objex* wall = TrimmedWall(doc->itsLayers, 4);
    Opening(wall, objtype::kDoor, 500, 1);
    AttachmentRecord* custom = Opening(wall, objtype::kWindow, 626, 2)->typeData.attachment;
    AppendObjectToList(custom->customParts[0], Part(objtype::kOpeningMask), nullptr);
    AppendObjectToList(custom->customParts[1], Part(objtype::kWindowSeparator), nullptr);
    AppendObjectToList(custom->customParts[2], Part(objtype::kDoorHardware), nullptr);
    custom->insideCustomTrim = 1;
    custom->insideTrimProfile = Part(objtype::kPolygon);
    wall->firstPoint->trim1->slot[1] = TrimRecord::kCustomProfile;
    wall->firstPoint->trim1->profile[1] = Part(objtype::kPolygon);
    RoofWithSkylight(Floor(1), 1);
    dvxbench::GenerateDesign({1500, 3});
    LiveViewsList* view = AddLiveViewsListEntry();
    std::strcpy(view->name, "Porch");
    view->cameraHeading = 45;
    view->sunAngle = 120;
    PaletteList* entry = GetPaletteEntryFromRefID(3);
    entry->kind = kPaletteColor;
    entry->color[0] = 10;
    StorePlugInData(CopyString("tool state"), 11, kTool);
    for (int32_t v : kVersions) {
        // A first reading fills what reading computes (texture mapping, old fences' defaults).
        Write(v);
        ASSERT_EQ(PlugInFileRead(path.c_str(), kTool), 1) << v;
        const std::vector<uint8_t> first = Write(v);
        ASSERT_EQ(PlugInFileRead(path.c_str(), kTool), 1) << v;
        const std::vector<uint8_t> again = Write(v);
        EXPECT_GT(Count(Floor(0)), 100) << v;
        EXPECT_EQ(again.size(), first.size()) << v;
        const size_t at = FirstDifference(first, again);
        EXPECT_EQ(at, first.size()) << v;
        if (at < first.size()) {
            std::string a, b;
            for (size_t i = at > 24 ? at - 24 : 0; i < at + 24 && i < first.size(); ++i) {
                a += std::to_string(first[i]) + (i == at ? "* " : " ");
                b += std::to_string(again[i]) + (i == at ? "* " : " ");
            }
            ADD_FAILURE() << a << "\n" << b;
        }
    }
    ASSERT_TRUE(GetPlugInData(kTool));
    EXPECT_EQ(std::string(GetPlugInData(kTool)->data, 10), "tool state");
}

// A font height is stored negated: every height comes back as it was, the largest negative
// one (which has no positive counterpart) included.
TEST_F(ExchangeReadTest, EveryFontHeightComesBackAsWritten) {
    for (int32_t height : {-16, 28, INT32_MIN, INT32_MAX, 0}) {
        ds()->font.lfHeight = height;
        Write(11000);
        ds()->font.lfHeight = 1;
        ASSERT_EQ(PlugInFileRead(path.c_str(), kTool), 1) << height;
        EXPECT_EQ(ds()->font.lfHeight, height);
    }
}

// A curve resolution past the most a segment is sampled in reads as that most, at every
// version, as a design file's does; a sound one, or one below 1, comes back as written.
TEST_F(ExchangeReadTest, EveryVersionBoundsTheCurveResolution) {
    for (int32_t v : kVersions) {
        for (const auto& [stored, read] : {std::pair<int16_t, int16_t>{30000, kMostCurveSegments},
                                           {kMostCurveSegments + 1, kMostCurveSegments},
                                           {kMostCurveSegments, kMostCurveSegments},
                                           {40, 40},
                                           {0, 0}}) {
            ds()->curveSegments = stored;
            Write(v);
            ds()->curveSegments = 7;
            ASSERT_EQ(PlugInFileRead(path.c_str(), kTool), 1) << v;
            EXPECT_EQ(ds()->curveSegments, read) << v << " " << stored;
        }
    }
}

// The record of an object the test built, which then leaves the design.
ResultBuilder& Take(ResultBuilder& result, Objex* o) {
    result.object(o);
    DeleteObj(UnlinkObject(o));
    return result;
}

Objex* FindID(Layer* floor, uint32_t id) {
    for (Objex* o = floor ? floor->firstObject : nullptr; o; o = o->next)
        if (o->objectID == id) return o;
    return nullptr;
}

// Replacements by ID, target floors, group stamps and the counters after a merge.
TEST_F(ExchangeReadTest, AResultAddsAndReplacesObjectsOnTheirFloors) {
    Objex* upstairs = Wall(Floor(1), {{0, 0}, {200, 0}});
    const uint32_t id = upstairs->objectID;
    const int secondFloor = Count(Floor(1));
    objfield::wall::kHeight(*upstairs) = 120;
    ResultBuilder onItsFloor(kTool);
    onItsFloor.replace(id).object(upstairs).end();
    objfield::wall::kHeight(*upstairs) = 96;
    ASSERT_EQ(Merge(onItsFloor), 1);
    Objex* replaced = FindID(Floor(1), id);
    ASSERT_TRUE(replaced) << "the replacement is not on the wall's floor";
    EXPECT_FLOAT_EQ(objfield::wall::kHeight(*replaced), 120);
    EXPECT_EQ(Count(Floor(1)), secondFloor) << "the old wall stayed";

    // 310: the same wall comes back on the current floor.
    doc->itsCurLayer = Floor(0);
    ResultBuilder here(kTool);
    here.replaceHere(id).object(replaced).end();
    ASSERT_EQ(Merge(here), 1);
    EXPECT_EQ(Count(Floor(1)), secondFloor - 1);
    EXPECT_TRUE(FindID(Floor(0), id));

    // 308 names the floor; 302 stamps the tool on a group that has none and keeps another's.
    Objex* mine = Group(Floor(0), {Make(objtype::kLine).plan({{0, 0}, {5, 0}}).on(Floor(0))});
    Objex* theirs = Group(Floor(0), {Make(objtype::kLine).plan({{0, 5}, {5, 5}}).on(Floor(0))}, 77);
    const uint32_t mineID = mine->objectID, theirsID = theirs->objectID;
    ResultBuilder groups(kTool);
    groups.floorName("Third Floor");
    Take(groups, mine);
    Take(groups, theirs).end();
    ASSERT_EQ(Merge(groups), 1);
    ASSERT_TRUE(FindID(Floor(2), mineID) && FindID(Floor(2), theirsID));
    EXPECT_EQ(FindID(Floor(2), mineID)->groupKind, kTool);
    EXPECT_EQ(FindID(Floor(2), theirsID)->groupKind, 77);
    EXPECT_TRUE(FindID(Floor(2), mineID)->firstChild) << "the group lost its member";

    // A floor named inside an open group: the member and its window stand on the group's floor.
    Objex* outer = Make(objtype::kGroup).on(Floor(2));
    Objex* member = Wall(Floor(0), {{0, 0}, {100, 0}});
    Opening(member, objtype::kWindow, 1, 0);
    const uint32_t outerID = outer->objectID;
    ResultBuilder inside(kTool);
    inside.floorName("Third Floor");
    Take(inside, outer).token(302).floorName("First Floor");
    Take(inside, member).token(303).end();
    ASSERT_EQ(Merge(inside), 1);
    Objex* merged = FindID(Floor(2), outerID);
    ASSERT_TRUE(merged && merged->firstChild && merged->firstChild->firstChild);
    EXPECT_TRUE(Same({merged->firstChild->layer, merged->firstChild->firstChild->layer}, {Floor(2), Floor(2)}));

    // Objects numbered far above the counters: the next object is numbered past them.
    Objex* high = Make(objtype::kLine).plan({{0, 0}, {9, 9}}).on(Floor(0));
    high->objectID = 90000;
    high->firstPoint->pointID = 70000;
    ResultBuilder numbers(kTool);
    Take(numbers, high).end();
    ASSERT_EQ(Merge(numbers), 1);
    EXPECT_EQ(ds()->nextObjectID, 90001u);
    EXPECT_EQ(ds()->nextPointID, 70001u);
    EXPECT_EQ(Make(objtype::kLine).on(Floor(0))->objectID, 90001u);

    // A topography region the tool gives back raises the ground under it at once.
    ds()->lotRect = {0, 0, 600, 1000}, ds()->topoGridSpacing = 300;
    SetupTopoGrid();
    Objex* region = Shape(Floor(0), objtype::kTopography, {{-1, -1}, {700, -1}, {700, 700}, {-1, 700}}, true);
    objfield::topo_line::kHeight(*region) = 24;
    ResultBuilder raised(kTool);
    Take(raised, region).end();
    ASSERT_EQ(Merge(raised), 1);
    EXPECT_FLOAT_EQ(GetTopoElevationAtGridPt(300, 300), -24);
    // A group of an imported solid standing on the ground, given back while the live view is
    // closed (as every launch closes it), stands on that ground: its lowest points 24 up.
    Objex* solid = Make(objtype::kFentrix).closed().at({{100, 0, 300}, {160, 0, 300}, {160, -30, 300}, {100, -30, 300}});
    Objex* standing = Group(Floor(0), {solid});
    standing->onTerrain = 1;
    const uint32_t standingID = standing->objectID;
    ResultBuilder onTheGround(kTool);
    Take(onTheGround, standing).end();
    ASSERT_EQ(Merge(onTheGround), 1);
    Objex* placed = FindID(Floor(0), standingID);
    ASSERT_TRUE(placed && placed->firstChild && placed->firstChild->firstPoint);
    EXPECT_FLOAT_EQ(placed->firstChild->firstPoint->position[1], -24);
    // So does the design the tool reads whole.
    Write(11000);
    ResetTopoGrid();
    ASSERT_EQ(PlugInFileRead(path.c_str(), kTool), 1);
    EXPECT_FLOAT_EQ(GetTopoElevationAtGridPt(300, 300), -24);
}

// The version in the header: an unknown one is refused with the alert, the design unchanged;
// a data block replaces the tool's.
TEST_F(ExchangeReadTest, AnUnknownVersionIsRefusedAndDataBlocksAreStored) {
    Wall(Floor(0), {{0, 0}, {100, 0}});
    const uint64_t before = DesignDigest(doc);
    ResultBuilder future(kTool, 10500);
    future.object(Floor(0)->firstObject).end();
    EXPECT_EQ(Merge(future), 0);
    ASSERT_EQ(alerts.shown.size(), 1u);
    EXPECT_EQ(alerts.shown[0].alert.message, "Unable to load the PowerTool Exchange file.");
    EXPECT_EQ(DesignDigest(doc), before);

    StorePlugInData(CopyString("old"), 3, kTool);
    ResultBuilder data(kTool);
    data.end().block("new state");
    ASSERT_EQ(Merge(data), 1);
    EXPECT_EQ(std::string(GetPlugInData(kTool)->data, 9), "new state");
    EXPECT_EQ(Merge(ResultBuilder(kTool).end()), 1);
    EXPECT_EQ(std::string(GetPlugInData(kTool)->data, 9), "new state") << "no block kept the stored one";
}

// What reading does to records a tool sends back: numbers given back, old fences, low walls,
// old texts, empty texts and photos.
TEST_F(ExchangeReadTest, RecordsAreFixedUpAsRead) {
    Objex* line = Make(objtype::kLine).plan({{0, 0}, {9, 9}}).on(Floor(0));
    line->objectID = 500;
    ResultBuilder given(kTool);
    Take(given, line).end();
    const uint32_t next = ds()->nextObjectID = 1000;
    ASSERT_EQ(Merge(given), 1);
    EXPECT_EQ(ds()->nextObjectID, next) << "the number the creation took was not given back";
    EXPECT_TRUE(FindID(Floor(0), 500));

    float sizes[5] = {11, 12, 13, 14, 15};
    std::memcpy(ds()->fenceSizes, sizes, sizeof sizes);
    Objex* fence = Make(objtype::kFence).plan({{0, 0}, {50, 0}}).on(Floor(0));
    fence->texture2 = fence->texture3 = fence->texture4 = 7;
    Objex* low = Wall(Floor(0), {{0, 50}, {80, 50}});
    objfield::wall::kHeight(*low) = 0.4f;
    Objex* empty = Make(objtype::kEnhancedText).plan({{5, 5}}).on(Floor(0));
    empty->typeData = TypeData::OfText(new TextData{});
    const uint32_t fenceID = fence->objectID, lowID = low->objectID, emptyID = empty->objectID;
    ResultBuilder old(kTool, 7500);
    Take(old, fence);
    Take(old, low);
    Take(old, empty).end();
    ASSERT_EQ(Merge(old), 1);
    Objex* f = FindID(Floor(0), fenceID);
    ASSERT_TRUE(f);
    EXPECT_EQ(std::vector<int32_t>({f->texture2, f->texture3, f->texture4}), std::vector<int32_t>({850, 850, 2200}));
    EXPECT_EQ(f->color4.red, 0xFFFF);
    EXPECT_FLOAT_EQ(objfield::fence::kSize(2)(*f), 14) << "the fence sizes come in the fence's order";
    EXPECT_FLOAT_EQ(objfield::wall::kHeight(*FindID(Floor(0), lowID)), Floor(0)->height);
    const TextData* text = FindID(Floor(0), emptyID)->typeData.text;
    EXPECT_STREQ(text->text, "(empty)");
    EXPECT_STREQ(text->font.lfFaceName, gTextFontInfo.lfFaceName);

    // An old text record: text, a skipped text, the alignment, the font.
    Objex* oldText = Make(objtype::kOldText).plan({{1, 1}}).on(Floor(0));
    const uint32_t oldTextID = oldText->objectID;
    Bytes payload;
    payload.le32(5).raw("Hello").le32(3).raw("xyz").le16(0xFFFF).raw(std::vector<uint8_t>(60, 0));
    ResultBuilder texts(kTool);
    texts.record(oldText, payload);
    DeleteObj(UnlinkObject(oldText));
    texts.end();
    ASSERT_EQ(Merge(texts), 1);
    Objex* t = FindID(Floor(0), oldTextID);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->type, objtype::kEnhancedText);
    EXPECT_STREQ(t->typeData.text->text, "Hello");
    EXPECT_EQ(t->optionA, 2);

    // Two photos: consecutive photo textures.
    const int32_t photoTexture = gCurrentPhotoTextureID;
    ResultBuilder photos(kTool);
    for (const char* image : {"/photos/a.jpg", "/photos/b.jpg"}) {
        Objex* photo = Make(objtype::kPhoto).plan({{0, 0}, {40, 0}}).on(Floor(0));
        photo->typeData = TypeData::OfImagePath(CopyString(image));
        Take(photos, photo);
    }
    ASSERT_EQ(Merge(photos.end()), 1);
    int32_t seen[2] = {}, n = 0;
    for (Objex* o = Floor(0)->firstObject; o; o = o->next)
        if (o->type == objtype::kPhoto && n < 2) seen[n++] = o->texture2;
    EXPECT_EQ(std::vector<int32_t>(seen, seen + 2), std::vector<int32_t>({photoTexture, photoTexture + 1}));
}

// What the floor holds, by object ID, in order.
std::vector<uint32_t> IDs(Layer* floor) {
    std::vector<uint32_t> ids;
    for (Objex* o = floor->firstObject; o; o = o->next) ids.push_back(o->objectID);
    return ids;
}

// An object waiting to be replaced is deleted only once its replacement exists: a rejected
// record, another replacement, or the end of the objects put it back where it was.
TEST_F(ExchangeReadTest, AnObjectNotReplacedGoesBackToItsPlace) {
    Objex* a = Make(objtype::kLine).plan({{0, 0}, {10, 0}}).on(Floor(0));
    Objex* b = Make(objtype::kLine).plan({{0, 5}, {10, 5}}).on(Floor(0));
    Make(objtype::kLine).plan({{0, 9}, {10, 9}}).on(Floor(0));
    const std::vector<uint32_t> before = IDs(Floor(0));
    // A floor of two points is no floor: its record is rejected.
    Objex* flat = Make(objtype::kFloor).closed().plan({{0, 0}, {10, 0}}).on(Floor(1));
    Objex* good = Make(objtype::kLine).plan({{0, 20}, {10, 20}}).on(Floor(1));
    ResultBuilder result(kTool);
    result.replace(a->objectID).object(flat);
    result.replace(b->objectID).replace(a->objectID).object(good);
    result.replace(b->objectID).end();
    const uint32_t aID = a->objectID, goodID = good->objectID;
    DeleteObj(UnlinkObject(flat));
    DeleteObj(UnlinkObject(good));
    ASSERT_EQ(Merge(result), 1);
    std::vector<uint32_t> expected = before;
    for (uint32_t& id : expected)
        if (id == aID) id = goodID;
    expected.erase(std::remove(expected.begin(), expected.end(), goodID), expected.end());
    expected.push_back(goodID);
    EXPECT_EQ(IDs(Floor(0)), expected) << "a and b should stay but for a replaced by the good line";
    EXPECT_EQ(gCurPlugInObject, nullptr);
}

// IDs that cannot be kept (0, one in the design, one earlier in the file; the same for
// points) are renumbered: afterwards no two objects and no two points share a number.
TEST_F(ExchangeReadTest, ObjectAndPointIDsStayUnique) {
    Objex* kept = Make(objtype::kLine).plan({{0, 0}, {10, 0}}).on(Floor(0));
    ResultBuilder result(kTool);
    for (uint32_t id : {0u, kept->objectID, 4000u, 4000u}) {
        Objex* o = Make(objtype::kLine).plan({{0, 1}, {10, 1}, {20, 1}}).on(Floor(1));
        o->objectID = id;
        for (Poinz* p = o->firstPoint; p; p = p->next) p->pointID = kept->firstPoint->pointID;
        Take(result, o);
    }
    ASSERT_EQ(Merge(result.end()), 1);
    std::set<uint32_t> objects, points;
    size_t objectCount = 0, pointCount = 0;
    for (Layer* l = doc->itsLayers; l; l = l->next)
        for (Objex* o = l->firstObject; o; o = o->next) {
            objects.insert(o->objectID), ++objectCount;
            for (Poinz* p = o->firstPoint; p; p = p->next) points.insert(p->pointID), ++pointCount;
        }
    EXPECT_EQ(objectCount, 5u);
    EXPECT_EQ(objects.size(), objectCount);
    EXPECT_EQ(points.size(), pointCount);
    EXPECT_FALSE(objects.count(0) || points.count(0));
    EXPECT_TRUE(objects.count(4000)) << "a free ID from the file is kept";
}

// Counts and lengths beyond the data end cleanly; more palette groups than a palette holds
// are read and dropped.
TEST_F(ExchangeReadTest, CountsAndLengthsBeyondTheDataEndCleanly) {
    Objex* bare = Make(objtype::kLine).on(Floor(1));
    Objex* line = Make(objtype::kLine).plan({{0, 0}, {10, 0}}).on(Floor(1));
    Objex* text = Make(objtype::kEnhancedText).plan({{0, 0}}).on(Floor(1));
    // A record without points ends in its point count: 2^31 - 1, then two points' bytes.
    std::vector<uint8_t> many = ResultBuilder(kTool).record(bare, Bytes()).data();
    const std::vector<uint8_t> two = ResultBuilder(kTool).record(line, Bytes()).data();
    const size_t pointBytes = two.size() - many.size();
    many.resize(many.size() - 4);
    const std::vector<uint8_t> count = Bytes().le32(0x7FFFFFFF).data();
    many.insert(many.end(), count.begin(), count.end());
    many.insert(many.end(), two.end() - static_cast<long>(pointBytes), two.end());
    ResultBuilder longText(kTool);
    longText.record(text, Bytes().le32(10000000).raw("short"));
    const int before = Count(Floor(0));
    const struct {
        const char* what;
        std::vector<uint8_t> file;
    } rows[] = {
        {"a point count of 2^31 - 1", many},
        {"a text of 10 MB", longText.data()},
    };
    for (const auto& row : rows) {
        WriteFileBytes(path, row.file);
        EXPECT_EQ(PlugOutFileRead(path.c_str()), 1) << row.what;
        EXPECT_EQ(Count(Floor(0)), before) << row.what << ": a cut record was kept";
    }

    // A whole file whose palette says it has 100 groups: 15 are kept, the file reads on.
    std::vector<uint8_t> file = Write(11000);
    const std::vector<uint8_t> head = Bytes().le32(1).le32(622).data();
    size_t at = static_cast<size_t>(std::search(file.begin(), file.end(), head.begin(), head.end()) - file.begin());
    ASSERT_LT(at, file.size());
    at += head.size() + 1;
    at += 4 + ReadLE32(file, at);  // the palette's name
    ASSERT_EQ(ReadLE32(file, at), 15u);
    size_t groupsEnd = at + 4;
    for (int g = 0; g < 15; ++g) groupsEnd += 1 + 4 + ReadLE32(file, groupsEnd + 1);
    Bytes extra;
    for (int g = 15; g < 100; ++g) extra.u8(0).le32(5).raw("Extra");
    file = Spliced(file, groupsEnd, 0, extra.data());
    file = Spliced(file, at, 4, Bytes().le32(100).data());
    WriteFileBytes(path, file);
    ASSERT_EQ(PlugInFileRead(path.c_str(), kTool), 1);
    EXPECT_GT(Count(Floor(1)), 0) << "the objects after the palette were lost";
    EXPECT_STRNE(doc->itsPaletteList->groupNames[14], "Extra");
}

// Every prefix of a sound result and of a sound exchange file reads without overrun, endless
// loop or an object left waiting.
TEST_F(ExchangeReadTest, EveryPrefixOfSoundFilesReadsCleanly) {
    Objex* wall = TrimmedWall(Floor(0), 3);
    Opening(wall, objtype::kDoor, 500, 0);
    Objex* group = Group(Floor(0), {Make(objtype::kLine).plan({{0, 0}, {5, 0}}).on(Floor(0))});
    Objex* text = Make(objtype::kEnhancedText).plan({{5, 5}}).on(Floor(0));
    text->typeData = TypeData::OfText(new TextData{});
    text->typeData.text->text = CopyString("Porch");
    ResultBuilder result(kTool);
    result.replace(wall->objectID).object(wall).object(group).floorName("Second Floor").object(text);
    result.end().block("state");
    ReadPrefixes(result.data(), path, [&](size_t length) {
        PlugOutFileRead(path.c_str());
        EXPECT_EQ(gCurPlugInObject, nullptr) << length;
    });
    ReadPrefixes(Write(11000), path, [&](size_t) { PlugInFileRead(path.c_str(), kTool); });
    EXPECT_TRUE(gInDataBuffer.empty());
}

}  // namespace

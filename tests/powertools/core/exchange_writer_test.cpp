// The exchange file written for a plug-in tool, read back with the test's own parser: header,
// settings of every version, floors, object records, attached children, groups, data blocks,
// and what writing may and may not change in the design.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "files/design_file.h"
#include "files/object_records.h"
#include "files/palettes.h"
#include "files/streams.h"
#include "model/docstate.h"
#include "model/docstate_fields.h"
#include "model/document_model.h"
#include "model/live_views.h"
#include "model/objects.h"
#include "model/plugin_data.h"
#include "model/tool_defaults.h"
#include "port/files.h"
#include "powertools/core/exchange_layout.h"
#include "powertools/core/exchange_writer.h"
#include "render/core/custom_textures.h"
#include "design_generator.h"
#include "support/build.h"
#include "support/exchange_parser.h"
#include "support/fixture.h"
#include "support/records.h"

using namespace dvxtest;

namespace {

constexpr int32_t kTool = 120;
const int32_t kVersions[] = {5000, 7500, 8000, 9000, 10000, 11000};

class ExchangeTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        dir = FreshTempFolder("exchange");
        path = port::JoinPath(dir, "data.pxf");
        floor = doc->itsLayers;
    }

    std::vector<uint8_t> Write(int32_t version, int32_t tool = kTool) {
        EXPECT_EQ(PlugInFileWrite(path.c_str(), tool, 0, version), 1);
        return ReadWholeFile(path);
    }
    XFile Parsed(int32_t version, int32_t tool = kTool) {
        XFile f = ParseExchange(Write(version, tool));
        EXPECT_TRUE(f.complete) << "version " << version << ": " << f.problem;
        return f;
    }
    // The active palette's entry as a colour or a texture.
    PaletteList* Entry(int32_t refID, int16_t kind, int32_t texture, RGBColor color, int16_t scaleH, int16_t scaleV) {
        PaletteList* e = GetPaletteEntryFromRefID(refID);
        e->kind = kind;
        e->textureID = texture;
        e->color[0] = color.red;
        e->color[1] = color.green;
        e->color[2] = color.blue;
        e->textureScale[0] = scaleH;
        e->textureScale[1] = scaleV;
        return e;
    }
    DocState* ds() { return doc->itsDocState; }

    std::string dir, path;
    Layer* floor = nullptr;
};

TEST_F(ExchangeTest, HeaderAndVersionNormalisation) {
    const std::vector<uint8_t> bytes = Write(11000);
    const std::vector<uint8_t> header = Bytes()
                                            .le32(static_cast<uint32_t>(doc->itsDocID))
                                            .le32(11000)
                                            .le16(2)
                                            .le32(8)
                                            .raw("not used")
                                            .le32(8)
                                            .raw("not used")
                                            .le16(100)
                                            .data();
    EXPECT_EQ(Slice(bytes, 0, header.size()), header);

    struct Row {
        int32_t asked, written;
    };
    const Row rows[] = {{10500, 11000}, {7000, 11000}, {12000, 11000}, {-1, 11000}, {11000, 11000},
                        {10000, 10000}, {9000, 9000},  {8000, 8000},   {7500, 7500}, {5000, 5000}};
    for (const Row& row : rows) EXPECT_EQ(ParseExchange(Write(row.asked)).version, row.written) << row.asked;
}

// An empty design at every version: the whole settings section, the three floors and 500,
// nothing after it; the parser finding every tag where it belongs checks each version's
// settings length.
TEST_F(ExchangeTest, EmptyDesignAtEveryVersion) {
    for (int32_t v : kVersions) {
        const std::vector<uint8_t> bytes = Write(v);
        const XFile f = ParseExchange(bytes);
        ASSERT_TRUE(f.complete) << v << ": " << f.problem;
        ASSERT_EQ(f.floors.size(), 3u);
        EXPECT_EQ(f.floors[0].name, "First Floor");
        EXPECT_EQ(f.floors[2].name, "Third Floor");
        EXPECT_EQ(f.floors[1].visible, 1);
        EXPECT_EQ(f.floors[1].active, 0);
        EXPECT_FLOAT_EQ(f.floors[0].height, 96.0f);
        for (const XFloor& fl : f.floors) EXPECT_TRUE(fl.tokens.empty());
        EXPECT_EQ(f.objectsEnd, bytes.size()) << v;
        EXPECT_TRUE(f.blocks.empty());
        EXPECT_EQ(f.settings.savedViews, v >= 10000 ? 0 : -1);
        EXPECT_EQ(f.settings.palettes, v >= 10000 ? 1 : -1);
    }
}

// Settings items whose conversion can go wrong.
TEST_F(ExchangeTest, SettingsItemsAreConvertedAsStored) {
    ds()->penWidth = 3;
    ds()->customColors[0] = 0x7F332211;
    ds()->customColors[71] = -1;
    ds()->font.lfHeight = -28;
    std::strcpy(ds()->font.lfFaceName, "Courier");
    gTextFontInfo.lfHeight = -40;
    std::strcpy(gTextFontInfo.lfFaceName, "Times");
    const float fence[5] = {1, 2, 3, 4, 5};
    std::memcpy(ds()->fenceSizes, fence, sizeof fence);
    std::strcpy(ds()->traceImagePath, "/plans/trace.png");
    ds()->lotTexture = -1004;  // a palette link in 16 bits
    ds()->nextObjectID = 700;
    ds()->nextPointID = 900;
    Entry(4, kPaletteTexture, 1201, {}, 40, 60);
    LiveViewsList* view = AddLiveViewsListEntry();
    std::strcpy(view->name, "Porch");
    view->liveViewFlagB = 0xB1;
    view->liveViewFlagC = 0xC1;
    view->navigationValue = 0x1234;
    view->renderMode = 0x5678;

    const XFile f = Parsed(11000);
    const XSettings& s = f.settings;
    EXPECT_FLOAT_EQ(s.penWidth, 3.0f);
    ASSERT_EQ(s.colorTable.size(), 216u);
    EXPECT_EQ((std::vector<uint16_t>(s.colorTable.begin(), s.colorTable.begin() + 3)),
              (std::vector<uint16_t>{0x11, 0x22, 0x33}));
    EXPECT_EQ((std::vector<uint16_t>(s.colorTable.end() - 3, s.colorTable.end())),
              (std::vector<uint16_t>{0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(s.fontHeight, 28);
    EXPECT_EQ(s.face, "Courier");
    EXPECT_EQ(s.appFontHeight, 40);
    EXPECT_EQ(s.appFace, "Times");
    EXPECT_EQ(s.fence, (std::vector<float>{1, 2, 4, 3, 5}));
    EXPECT_EQ(s.tracePath, "/plans/trace.png");
    EXPECT_EQ(s.lotTexture.id, -1004);
    // The link's scale went into the lot's scale field (235) and the file.
    EXPECT_EQ(s.lotScale[0], 40);
    EXPECT_EQ(s.lotScale[1], 60);
    EXPECT_EQ(ds()->skyTextureScale.x, 40);
    EXPECT_EQ(s.nextObjectID, 700u);
    EXPECT_EQ(s.nextPointID, 900u);
    ASSERT_EQ(s.viewNames, (std::vector<std::string>{"Porch"}));
    // The run of two bytes and two shorts goes out as first byte, second short, second byte,
    // first short.
    const std::vector<uint8_t> run = Bytes().u8(0xB1).le16(0x5678).u8(0xC1).le16(0x1234).data();
    EXPECT_EQ(Slice(s.viewFields[0], 2 + 1 + 36 + 4 + 2 + 4 + 1 + 4, run.size()), run);

    // 9000 resolves the 16-bit link; 7500 writes it as a plain number.
    EXPECT_EQ(Parsed(9000).settings.lotTexture.id, 1201);
    EXPECT_EQ(Parsed(7500).settings.lotTexture.id, -1004);
}

// Texture rule per version: links kept from 10000, resolved at 8000 and 9000, plain numbers
// in old files; a custom texture is -1 and its path wherever the texture form is used.
TEST_F(ExchangeTest, TexturesFollowTheVersionRule) {
    Entry(5, kPaletteTexture, 1234, {}, 50, 70);
    std::string customPath = "/textures/brick.jpg";
    const int32_t custom = NewCustomTextureID(customPath.data());
    ASSERT_GE(custom, 20000);
    Objex* box = Make(objtype::kPolygon).on(floor).closed().plan({{0, 0}, {10, 0}, {10, 10}});
    box->texture = -1005;
    box->texture2 = custom;
    box->texture3 = 1500;
    PointAt(box, 0)->texture1 = -1005;
    PointAt(box, 1)->texture2 = custom;

    struct Row {
        int32_t version;
        int32_t main, second, pointLink, pointCustom;
        const char* path;
    };
    const Row rows[] = {
        {11000, -1005, -1, -1005, -1, "/textures/brick.jpg"},
        {10000, -1005, -1, -1005, -1, "/textures/brick.jpg"},
        {9000, 1234, -1, 1234, -1, "/textures/brick.jpg"},
        {8000, 1234, -1, 1234, -1, "/textures/brick.jpg"},
        {7500, -1005, custom, -1005, custom, ""},
        {5000, -1005, custom, -1005, custom, ""},
    };
    for (const Row& row : rows) {
        const XFile f = Parsed(row.version);
        const std::vector<const XObject*> records = Records(f.floors.at(0));
        ASSERT_EQ(records.size(), 1u);
        const XObject& o = *records[0];
        EXPECT_EQ(o.main.texture.id, row.main) << row.version;
        EXPECT_EQ(o.slots[0].texture.id, row.second) << row.version;
        EXPECT_EQ(o.slots[0].texture.path, row.path) << row.version;
        EXPECT_EQ(o.slots[1].texture.id, 1500) << row.version;
        EXPECT_EQ(o.points.at(0).side[0].texture.id, row.pointLink) << row.version;
        EXPECT_EQ(o.points.at(1).side[1].texture.id, row.pointCustom) << row.version;
        EXPECT_EQ(o.points.at(1).side[1].texture.path, row.path) << row.version;
        EXPECT_EQ(o.main.scale[0], 50);
        EXPECT_EQ(o.main.scale[1], 70);
    }
}

// Walls carry their openings inside their record; old versions only plain doors and
// windows, in the 60-byte record, counted as written.
TEST_F(ExchangeTest, WallChildrenPerVersion) {
    Objex* wall = TrimmedWall(floor, 3);
    Opening(wall, objtype::kDoor, 500, 0);
    Objex* customDoor = Opening(wall, objtype::kDoor, 512, 0);
    customDoor->typeData.attachment->customParts[1] = Part(objtype::kClosedOutline);
    customDoor->typeData.attachment->customParts[2] = Part(objtype::kDoorHardware);
    Opening(wall, objtype::kWindow, 626, 1);
    Opening(wall, objtype::kWindow, 600, 1);
    Attach(wall, objtype::kComponent, PointAt(wall, 1), PointAt(wall, 2));
    const Poinz* secondStart = PointAt(wall, 1);
    wall->firstPoint->trim1->slot[0] = 3;
    wall->firstPoint->trim2->slot[0] = exchange::kTrimProfileFollows;  // without its profile
    wall->firstPoint->trim2->slot[1] = exchange::kTrimProfileFollows;
    wall->firstPoint->trim2->profile[1] = Part(objtype::kPolygon);

    struct Row {
        int32_t version;
        std::vector<int16_t> styles;
        size_t trimMaterials;
    };
    const Row rows[] = {
        {11000, {500, 512, 626, 600, 0}, 5},
        {9000, {500, 512, 626, 600, 0}, 5},
        {8000, {500, 512, 626, 600, 0}, 0},
        {7500, {500, 600}, 0},
        {5000, {500, 600}, 0},
    };
    for (const Row& row : rows) {
        const XFile f = Parsed(row.version);
        const XObject& w = *Records(f.floors.at(0)).at(0);
        std::vector<int16_t> styles;
        for (const XObject& c : w.hosted) {
            EXPECT_EQ(c.tag, 301);
            styles.push_back(c.attachment.style);
        }
        EXPECT_EQ(styles, row.styles) << row.version;
        EXPECT_EQ(w.hosted.front().attachment.start, 0) << row.version;
        EXPECT_EQ(w.hosted.back().attachment.start, 1) << row.version;
        if (row.version >= 8000) {
            EXPECT_EQ(w.hosted[1].attachment.parts.size(), 2u);
            ASSERT_EQ(w.points.at(0).trims.size(), 2u);
            const XTrim& second = w.points[0].trims[1];
            EXPECT_EQ(w.points[0].trims[0].kind[0], 3);
            EXPECT_TRUE(Near({second.kind[0], second.kind[1], second.profiles}, {0, 65536, 1}));
            EXPECT_EQ(w.points[0].trims[0].materials.size(), row.trimMaterials);
        } else {
            // The first word of each trim record as a plain slot; a profile's word as 0.
            EXPECT_TRUE(Near({w.points.at(0).slots[0], w.points[0].slots[1]}, {3, 0}));
            EXPECT_TRUE(w.points[0].trims.empty());
        }
        // Openings sit on the segment from point 1 as index 1, then the links are back.
        EXPECT_EQ(w.hosted[row.styles.size() == 5 ? 3 : 1].attachment.start, 1) << row.version;
        EXPECT_EQ(wall->firstChild->next->next->next->typeData.attachment->segmentStart, secondStart);
    }
}

// Links go out as positions and come back exactly, also one that names no point of its wall.
TEST_F(ExchangeTest, AttachmentLinksComeBackAsTheyWere) {
    Objex* wall = TrimmedWall(floor, 3);
    Objex* door = Opening(wall, objtype::kDoor, 500, 1);
    Objex* loose = Attach(wall, objtype::kComponent, nullptr, nullptr);
    const AttachmentRecord* d = door->typeData.attachment;
    const Poinz* start = d->segmentStart;
    const Poinz* end = d->segmentEnd;
    for (int32_t v : {11000, 7500}) {
        const XFile f = Parsed(v);
        const XObject& w = *Records(f.floors.at(0)).at(0);
        ASSERT_EQ(w.hosted.size(), v == 11000 ? 2u : 1u);
        EXPECT_TRUE(Near({w.hosted[0].attachment.start, w.hosted[0].attachment.end}, {1, 2})) << v;
        EXPECT_TRUE(Same({d->segmentStart, d->segmentEnd}, {start, end})) << v;
        EXPECT_TRUE(Same({loose->typeData.attachment->segmentStart, loose->typeData.attachment->segmentEnd},
                         {nullptr, nullptr}))
            << v;
    }
}

TEST_F(ExchangeTest, RoofsCarrySkylightsFrom9000AndFreehandRoofsNoChildren) {
    Objex* skylight = nullptr;
    Objex* roof = RoofWithSkylight(floor, 806, &skylight);
    skylight->typeData.roofAttachment->partLists[1] = Part(objtype::kWindowSeparator);
    Objex* panel = Make(objtype::kFreehandRoof).on(floor).closed().plan({{0, 0}, {50, 0}, {50, 50}});
    Make(objtype::kSlopeArrow).line(2).in(panel);
    (void)roof;
    for (int32_t v : {11000, 9000, 8000}) {
        const XFile f = Parsed(v);
        const std::vector<const XObject*> records = Records(f.floors.at(0));
        ASSERT_EQ(records.size(), 2u) << v;
        EXPECT_EQ(records[0]->type, objtype::kRoof);
        EXPECT_EQ(records[0]->hosted.size(), v >= 9000 ? 1u : 0u);
        if (v >= 9000) {
            EXPECT_EQ(records[0]->hosted[0].tag, 214);
            EXPECT_EQ(records[0]->hosted[0].attachment.parts.size(), 1u);
        }
        EXPECT_EQ(records[1]->type, objtype::kFreehandRoof);
    }
}

// Top-level groups are bracketed (cabinet groups with their state), nested ones are not, nor
// groups led by a linked dimension; every other object's children simply follow it.
TEST_F(ExchangeTest, GroupsAndCabinets) {
    Objex* cabinet = Cabinet(floor, 2);
    cabinet->elevation = 42.0f;
    cabinet->typeData.cabinet->f1 = 1.5f;
    cabinet->typeData.cabinet->f39 = 7;
    Objex* inner = Group(floor, {Make(objtype::kLine).line(2).on(floor)});
    Group(floor, {inner, Make(objtype::kRectangle).line(4).on(floor)}, 117);
    Group(floor, {Make(objtype::kDimensionLinked).line(2).on(floor), Make(objtype::kLine).line(2).on(floor)});

    const XFile f = Parsed(11000);
    std::vector<int16_t> tags;
    std::vector<int16_t> types;
    for (const XToken& t : f.floors.at(0).tokens) {
        tags.push_back(t.tag);
        types.push_back(t.tag == 300 ? t.object.type : 0);
    }
    EXPECT_EQ(tags, (std::vector<int16_t>{300, 306, 300, 300, 307,        // cabinet
                                          300, 302, 300, 300, 300, 303,   // group, inner group, line, rectangle
                                          300, 300, 300}));              // dimension-led group
    EXPECT_EQ(types, (std::vector<int16_t>{1000, 0, 136, 136, 0, 1000, 0, 1000, 6, 1, 0, 1000, 102, 6}));
    const XToken& state = f.floors[0].tokens[1];
    EXPECT_EQ(state.cabinetSize, 164);
    ASSERT_EQ(state.cabinetState.size(), 158u);
    LittleEndianCursor c(state.cabinetState);
    EXPECT_FLOAT_EQ(c.f32(), 1.5f);
    c.pos = 148;
    EXPECT_EQ(c.i16(), 7);
    c.pos = 154;
    EXPECT_FLOAT_EQ(c.f32(), 42.0f);
    EXPECT_FLOAT_EQ(cabinet->typeData.cabinet->elevation, 42.0f);
    // The owner tool of groups (9000 on), 0 for anything else.
    EXPECT_EQ(f.floors[0].tokens[5].object.ownerTool, 117);
    EXPECT_EQ(f.floors[0].tokens[2].object.ownerTool, 0);
}

// Data blocks: only the launched tool's, and for 102 its own and then 101's.
TEST_F(ExchangeTest, DataBlocks) {
    StorePlugInData(new char[3]{'a', 'b', 'c'}, 3, 101);
    StorePlugInData(new char[2]{'x', 'y'}, 2, 102);
    AppendPlugInDataToList(103);

    std::vector<XBlock> blocks = Parsed(11000, 102).blocks;
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[0].data, (std::vector<uint8_t>{'x', 'y'}));
    EXPECT_EQ(blocks[1].data, (std::vector<uint8_t>{'a', 'b', 'c'}));
    blocks = Parsed(11000, 101).blocks;
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(blocks[0].size, 3);
    blocks = Parsed(11000, 103).blocks;
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(blocks[0].size, 0);
    const std::vector<uint8_t> bytes = Write(11000, 104);
    EXPECT_EQ(ParseExchange(bytes).objectsEnd, bytes.size());
    EXPECT_EQ(Slice(bytes, bytes.size() - 2), (std::vector<uint8_t>{0xF4, 0x01}));
}

// Text objects always carry a font after their text and photos always a path item, so a
// reader that always takes them stays in step.
TEST_F(ExchangeTest, TextAndPhotoItemsAreAlwaysThere) {
    gTextFontInfo.lfHeight = -33;
    std::strcpy(gTextFontInfo.lfFaceName, "Palatino");
    Make(objtype::kEnhancedText).on(floor).line(4);                  // no record at all
    Make(objtype::kText).on(floor).line(4).text("Porch");            // a record without font
    auto* withFont = new TextData{};
    withFont->text = CopyString("Deck");
    withFont->hasFont = 1;
    withFont->font.lfHeight = -12;
    std::strcpy(withFont->font.lfFaceName, "Arial");
    Make(objtype::kEnhancedText).on(floor).line(4).with(withFont);
    Make(objtype::kPhoto).on(floor).line(4);                          // no image path
    Make(objtype::kPhoto).on(floor).line(4).image("/photos/front.jpg");
    Make(objtype::kPlant, objsubtype::kUserPlant).on(floor).line(1).image("/plants/oak.ppf");

    auto fontHeight = [](const XObject* o) {
        LittleEndianCursor c(o->font);
        return c.i32();
    };
    auto face = [](const XObject* o) { return std::string(reinterpret_cast<const char*>(o->font.data()) + 28); };
    for (int32_t v : {11000, 7500}) {
        const XFile f = Parsed(v);
        const std::vector<const XObject*> r = Records(f.floors.at(0));
        ASSERT_EQ(r.size(), 6u);
        EXPECT_EQ(r[0]->item, "");
        EXPECT_EQ(fontHeight(r[0]), -33);
        EXPECT_EQ(face(r[0]), "Palatino");
        EXPECT_EQ(r[1]->item, "Porch");
        EXPECT_EQ(fontHeight(r[1]), -33);
        EXPECT_EQ(r[2]->item, "Deck");
        EXPECT_EQ(fontHeight(r[2]), -12);
        EXPECT_EQ(face(r[2]), "Arial");
        EXPECT_TRUE(r[3]->hasItem);
        EXPECT_EQ(r[3]->item, "");
        EXPECT_EQ(r[4]->item, "/photos/front.jpg");
        EXPECT_EQ(r[5]->item, "/plants/oak.ppf");
    }
}

// The oldest version leaves user plants out with their children; later ones keep them.
TEST_F(ExchangeTest, Version5000LeavesUserPlantsOut) {
    Objex* plant = Make(objtype::kPlant, objsubtype::kUserPlant).on(floor).line(1).image("/plants/oak.ppf");
    Make(objtype::kLine).line(2).in(plant);
    Make(objtype::kPlant).on(floor).line(1);
    EXPECT_EQ(Records(Parsed(5000).floors.at(0)).size(), 1u);
    EXPECT_EQ(Records(Parsed(7500).floors.at(0)).size(), 3u);
}

// Writing leaves the design as it was but for two things: palette-linked colours and scales
// take the palette's values, and a cabinet state takes its group's elevation. Attachment
// links are points again afterwards.
TEST_F(ExchangeTest, WritingChangesOnlyRefreshedFieldsAndCabinetElevation) {
    const RGBColor entryColor{10, 20, 30};
    Entry(3, kPaletteColor, 0, entryColor, 80, 90);
    const RGBColor wide{10 * 257, 20 * 257, 30 * 257};
    Objex* wall = TrimmedWall(floor, 3);
    Objex* door = Opening(wall, objtype::kDoor, 500, 1);
    door->typeData.attachment->insideTrimTexture = -1003;
    Objex* box = Make(objtype::kPolygon).on(floor).closed().plan({{0, 0}, {10, 0}, {10, 10}});
    box->texture = -1003;
    box->texture4 = -1003;
    Poinz* p = PointAt(box, 2);
    p->texture2 = -1003;
    wall->firstPoint->trim1->texture[2] = -1003;
    ds()->backgroundTexture = -1003;
    Objex* cabinet = Cabinet(floor, 1);
    cabinet->elevation = 30;

    // The values the refresh must leave, and a copy of the whole design to compare with.
    auto undoExpectedChanges = [&] {
        EXPECT_TRUE(Near({box->fillColor.red, box->penColor.blue, box->textureScales[4].x, box->textureScales[4].y},
                         {wide.red, wide.blue, 80, 90}));
        EXPECT_TRUE(box->color4 == wide);
        EXPECT_TRUE(Near({box->textureScales[2].x, box->textureScales[2].y}, {80, 90}));
        EXPECT_TRUE(p->color2 == wide);
        EXPECT_TRUE(Near({p->faceScale2.x, p->faceScale2.y}, {80, 90}));
        EXPECT_TRUE(wall->firstPoint->trim1->color[2] == wide);
        EXPECT_TRUE(door->typeData.attachment->insideTrimColor == wide);
        EXPECT_TRUE(ds()->skyColor == wide);
        EXPECT_FLOAT_EQ(cabinet->typeData.cabinet->elevation, 30.0f);
    };
    box->fillColor = box->penColor = box->color4 = p->color2 = wide;
    box->textureScales[4] = box->textureScales[2] = ShortPoint{80, 90};
    p->faceScale2 = ShortPoint{80, 90};
    wall->firstPoint->trim1->color[2] = wide;
    wall->firstPoint->trim1->scale[2][0] = 80;
    wall->firstPoint->trim1->scale[2][1] = 90;
    AttachmentRecord* r = door->typeData.attachment;
    r->insideTrimColor = wide;
    r->insideTrimScale[0] = 80;
    r->insideTrimScale[1] = 90;
    ds()->skyColor = wide;
    ds()->lotTextureScale = ShortPoint{80, 90};
    cabinet->typeData.cabinet->elevation = 30;
    sWriteVersion = 11100;
    const std::vector<uint8_t> before = Written([] { BuildDesignFile(); });
    const Poinz* start = r->segmentStart;

    // Now from values the palette does not hold.
    box->fillColor = box->penColor = box->color4 = p->color2 = RGBColor{1, 2, 3};
    box->textureScales[4] = box->textureScales[2] = ShortPoint{5, 5};
    p->faceScale2 = ShortPoint{6, 6};
    wall->firstPoint->trim1->color[2] = RGBColor{};
    r->insideTrimColor = RGBColor{};
    r->insideTrimScale[0] = 1;
    ds()->skyColor = RGBColor{};
    ds()->lotTextureScale = ShortPoint{};
    cabinet->typeData.cabinet->elevation = 0;
    // Newest first: old versions leave out the records that carry some of the fields.
    for (int32_t v : {11000, 10000, 9000, 8000, 7500, 5000}) {
        Write(v);
        undoExpectedChanges();
        EXPECT_EQ(r->segmentStart, start);
        sWriteVersion = 11100;
        const std::vector<uint8_t> after = Written([] { BuildDesignFile(); });
        size_t at = 0;
        while (at < after.size() && at < before.size() && after[at] == before[at]) ++at;
        EXPECT_EQ(after, before) << v << " first difference at " << at << " of " << before.size();
    }
}

// The generated house and lot (walls with openings and trims, roofs, decks with steps, text,
// cabinets, nested groups, plants) at every version: the whole file reads in step, and the
// design is byte for byte the same afterwards.
TEST_F(ExchangeTest, GeneratedDesignAtEveryVersion) {
    dvxbench::GenerateDesign({1500, 3});
    sWriteVersion = 11100;
    const std::vector<uint8_t> before = Written([] { BuildDesignFile(); });
    for (int32_t v : kVersions) {
        const XFile f = Parsed(v);
        ASSERT_TRUE(f.complete) << v;
        size_t records = 0;
        for (const XFloor& fl : f.floors) records += Records(fl).size();
        EXPECT_GT(records, 500u) << v;
        sWriteVersion = 11100;
        EXPECT_EQ(Written([] { BuildDesignFile(); }), before) << v;
    }
}

TEST_F(ExchangeTest, FailedWriteKeepsTheOldFile) {
    const std::vector<uint8_t> old{'o', 'l', 'd'};
    WriteFileBytes(path, old);
    for (port::WriteStep step : {port::WriteStep::Create, port::WriteStep::Write, port::WriteStep::Rename}) {
        port::FailNextWriteAt(step);
        EXPECT_EQ(PlugInFileWrite(path.c_str(), kTool, 0, 11000), 0);
        EXPECT_EQ(ReadWholeFile(path), old);
        EXPECT_EQ(port::ListFolder(dir), (std::vector<std::string>{"data.pxf"}));
    }
    EXPECT_EQ(PlugInFileWrite("", kTool, 0, 11000), 0);
    doc->dealloc();
    doc = nullptr;
    EXPECT_EQ(PlugInFileWrite(path.c_str(), kTool, 0, 11000), 0);
}

// Every settings row names the field its number has in the settings table, with a wire
// that fits the field's type.
TEST(ExchangeLayout, SettingsRowsMatchTheFieldTable) {
    using exchange::Wire;
    for (const exchange::SettingsRow& row : exchange::SettingsSection()) {
        if (row.wire == Wire::AppFont) continue;
        for (int k = 0; k < row.count; ++k) {
            const DocStateField& f = DocStateFields()[static_cast<size_t>(row.number + k - 1)];
            EXPECT_STREQ(f.name, row.name) << row.number + k;
            DocFieldType want = DocFieldType::U8;
            switch (row.wire) {
            case Wire::U8: want = DocFieldType::U8; break;
            case Wire::I16: case Wire::I16AsF32: case Wire::Texture16: want = DocFieldType::I16; break;
            case Wire::U16: want = DocFieldType::U16; break;
            case Wire::I32: case Wire::Texture: want = DocFieldType::I32; break;
            case Wire::U32: want = DocFieldType::U32; break;
            case Wire::F32: want = DocFieldType::F32; break;
            case Wire::Point: want = DocFieldType::FloatPoint; break;
            case Wire::Rect: want = DocFieldType::FloatRect; break;
            case Wire::Color: want = DocFieldType::RGBColor; break;
            case Wire::ShortPoint: want = DocFieldType::ShortPoint; break;
            case Wire::Chars: want = DocFieldType::Chars; break;
            case Wire::Font: want = DocFieldType::LogFont; break;
            case Wire::ColorTable: want = DocFieldType::I32Array; break;
            case Wire::Refresh: want = f.type; break;
            default: ADD_FAILURE() << "wire of row " << row.number; break;
            }
            EXPECT_EQ(f.type, want) << row.name << " " << row.number + k;
        }
    }
}

}  // namespace

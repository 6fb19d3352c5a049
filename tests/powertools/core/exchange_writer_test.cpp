// The exchange file written for a plug-in tool, read back with the test's own parser: header,
// settings of every version, floors, object records, attached children, groups, data blocks,
// and what writing may and may not change in the design.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "files/design_file.h"
#include "files/object_records.h"
#include "files/palettes.h"
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
#include "files/custom_textures.h"
#include "design_generator.h"
#include "support/build.h"
#include "support/exchange_parser.h"
#include "support/fixture.h"
#include "support/records.h"

using namespace dvxtest;

namespace {

constexpr int32_t kTool = 120;
// Newest first: old versions leave out records that carry some fields.
const int32_t kVersions[] = {11000, 10000, 9000, 8000, 7500, 5000};

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
    // The design as the design file stores it: what writing the exchange file must leave.
    static std::vector<uint8_t> Design() {
        sWriteVersion = 11100;
        return Written([] { BuildDesignFile(); });
    }
    // The active palette's entry `refID` as a colour or a texture.
    void Entry(int32_t refID, int16_t kind, int32_t texture, RGBColor color, int16_t scaleH, int16_t scaleV) {
        PaletteList* e = GetPaletteEntryFromRefID(refID);
        e->kind = kind;
        e->textureID = texture;
        std::tie(e->color[0], e->color[1], e->color[2]) = std::tie(color.red, color.green, color.blue);
        std::tie(e->textureScale[0], e->textureScale[1]) = std::tie(scaleH, scaleV);
    }
    DocState* ds() { return doc->itsDocState; }

    std::string dir, path;
    Layer* floor = nullptr;
};

// The header, and an empty design at every version a tool may ask for: the settings section
// (the parser finding every tag where due checks its length per version), three floors, 500
// and nothing after it.
TEST_F(ExchangeTest, HeaderAndEmptyDesignAtEveryVersion) {
    const std::vector<uint8_t> header = Bytes().le32(static_cast<uint32_t>(doc->itsDocID)).le32(11000).le16(2)
                                            .le32(8).raw("not used").le32(8).raw("not used").le16(100).data();
    EXPECT_EQ(Slice(Write(11000), 0, header.size()), header);

    const std::pair<int32_t, int32_t> askedWritten[] = {{11000, 11000}, {10000, 10000}, {9000, 9000},
                                                        {8000, 8000},   {7500, 7500},   {5000, 5000},
                                                        {10500, 11000}, {7000, 11000},  {12000, 11000},
                                                        {-1, 11000}};
    for (const auto& [asked, written] : askedWritten) {
        const std::vector<uint8_t> bytes = Write(asked);
        const XFile f = ParseExchange(bytes);
        ASSERT_TRUE(f.complete) << asked << ": " << f.problem;
        // Saved views and palettes from 10000: none and the default one.
        const bool lists = written >= 10000;
        EXPECT_TRUE(Near({f.version, f.settings.savedViews, f.settings.palettes, f.objectsEnd},
                         {written, lists ? 0 : -1, lists ? 1 : -1, bytes.size()}))
            << asked;
        ASSERT_EQ(f.floors.size(), 3u);
        EXPECT_EQ(f.floors[2].name, "Third Floor");
        EXPECT_FLOAT_EQ(f.floors[0].height, 96.0f);
        for (const XFloor& fl : f.floors) EXPECT_TRUE(fl.tokens.empty());
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
    ASSERT_EQ(s.colorTable.size(), 216u);
    EXPECT_TRUE(Near({s.colorTable[0], s.colorTable[1], s.colorTable[2], s.colorTable[213], s.colorTable[215]},
                     {0x11, 0x22, 0x33, 0xFF, 0xFF}));
    // The link's scale went into the lot's scale field and the file.
    EXPECT_TRUE(Near({s.penWidth, s.fontHeight, s.appFontHeight, s.lotTexture.id, s.lotScale[0], s.lotScale[1],
                      ds()->skyTextureScale.x, s.nextObjectID, s.nextPointID},
                     {3, 28, 40, -1004, 40, 60, 40, 700, 900}));
    EXPECT_EQ(s.face + "|" + s.appFace + "|" + s.tracePath, "Courier|Times|/plans/trace.png");
    EXPECT_EQ(s.fence, (std::vector<float>{1, 2, 4, 3, 5}));
    ASSERT_EQ(s.viewNames, (std::vector<std::string>{"Porch"}));
    // The run of two bytes and two shorts goes out as first byte, second short, second byte,
    // first short.
    const std::vector<uint8_t> run = Bytes().u8(0xB1).le16(0x5678).u8(0xC1).le16(0x1234).data();
    EXPECT_EQ(Slice(s.viewFields[0], 2 + 1 + 36 + 4 + 2 + 4 + 1 + 4, run.size()), run);
}

// Texture rule per version class: links kept from 10000, resolved at 8000 and 9000, plain
// numbers in old files; a custom texture is -1 and its path wherever the texture form is used.
TEST_F(ExchangeTest, TexturesFollowTheVersionRule) {
    Entry(5, kPaletteTexture, 1234, {}, 50, 70);
    std::string customPath = "/textures/brick.jpg";
    const int32_t custom = NewCustomTextureID(customPath.data());
    ASSERT_GE(custom, 20000);
    Objex* box = Make(objtype::kPolygon).on(floor).closed().plan({{0, 0}, {10, 0}, {10, 10}});
    box->texture = PointAt(box, 0)->texture1 = -1005;
    box->texture2 = PointAt(box, 1)->texture2 = custom;
    box->texture3 = 1500;
    ds()->lotTexture = -1005;  // the 16-bit form

    struct Row {
        int32_t version, link, custom;
        std::string path;
    };
    for (const Row& row : {Row{10000, -1005, -1, customPath}, Row{8000, 1234, -1, customPath},
                           Row{5000, -1005, custom, ""}}) {
        const XFile f = Parsed(row.version);
        const std::vector<const XObject*> records = Records(f.floors.at(0));
        ASSERT_EQ(records.size(), 1u);
        const XObject& o = *records[0];
        const XTexture& pointCustom = o.points.at(1).side[1].texture;
        EXPECT_TRUE(Near({o.main.texture.id, o.points.at(0).side[0].texture.id, f.settings.lotTexture.id,
                          o.slots[0].texture.id, pointCustom.id, o.slots[1].texture.id, o.main.scale[0],
                          o.main.scale[1]},
                         {row.link, row.link, row.link, row.custom, row.custom, 1500, 50, 70}))
            << row.version;
        EXPECT_EQ(o.slots[0].texture.path + "|" + pointCustom.path, row.path + "|" + row.path) << row.version;
    }
}

// Walls carry their openings inside their record: from 8000 every child in the full record
// and trim records on the points (their materials from 9000), before only plain doors and
// windows in the 60-byte record, counted as written. The point links that went out as
// positions are the same points afterwards, also one that names no point of the wall. Roofs
// carry their skylights from 9000, freehand roofs no children.
TEST_F(ExchangeTest, HostedChildrenPerVersion) {
    Objex* wall = TrimmedWall(floor, 3);
    Opening(wall, objtype::kDoor, 500, 0);
    Objex* customDoor = Opening(wall, objtype::kDoor, 512, 0);
    customDoor->typeData.attachment->customParts[1] = Part(objtype::kClosedOutline);
    customDoor->typeData.attachment->customParts[2] = Part(objtype::kDoorHardware);
    Opening(wall, objtype::kWindow, 626, 1);
    Opening(wall, objtype::kWindow, 600, 1);
    Attach(wall, objtype::kComponent, PointAt(wall, 1), PointAt(wall, 2));
    Attach(wall, objtype::kComponent, nullptr, nullptr);
    TrimRecord* trim2 = wall->firstPoint->trim2;
    wall->firstPoint->trim1->slot[0] = 3;
    trim2->slot[0] = trim2->slot[1] = exchange::kTrimProfileFollows;  // the first without its profile
    trim2->profile[1] = Part(objtype::kPolygon);
    auto links = [wall] {
        std::vector<const void*> out;
        for (const Objex* c = wall->firstChild; c; c = c->next)
            out.insert(out.end(), {c->typeData.attachment->segmentStart, c->typeData.attachment->segmentEnd});
        return out;
    };
    const std::vector<const void*> before = links();
    Objex* skylight = nullptr;
    RoofWithSkylight(floor, 806, &skylight);
    skylight->typeData.roofAttachment->partLists[1] = Part(objtype::kWindowSeparator);
    Objex* panel = Make(objtype::kFreehandRoof).on(floor).closed().plan({{0, 0}, {50, 0}, {50, 50}});
    Make(objtype::kSlopeArrow).line(2).in(panel);

    struct Row {
        int32_t version;
        std::vector<int16_t> styles;
        size_t trimMaterials;
    };
    for (const Row& row : {Row{9000, {500, 512, 626, 600, 0, 0}, 5}, Row{8000, {500, 512, 626, 600, 0, 0}, 0},
                           Row{7500, {500, 600}, 0}}) {
        const XFile f = Parsed(row.version);
        const std::vector<const XObject*> r = Records(f.floors.at(0));
        ASSERT_EQ(r.size(), 3u);
        const XObject& w = *r[0];
        std::vector<int16_t> styles;
        for (const XObject& c : w.hosted) styles.push_back(c.tag == 301 ? c.attachment.style : -1);
        ASSERT_EQ(styles, row.styles) << row.version;
        // The plain door on the segment from point 0, the plain window on the one from 1.
        const XAttachment& window = w.hosted[row.styles.size() == 2 ? 1 : 3].attachment;
        EXPECT_TRUE(Near({w.hosted[0].attachment.start, w.hosted[0].attachment.end, window.start, window.end},
                         {0, 1, 1, 2}))
            << row.version;
        const XPoint& p = w.points.at(0);
        if (row.version >= 8000) {
            ASSERT_EQ(p.trims.size(), 2u);
            EXPECT_TRUE(Near({w.hosted[1].attachment.parts.size(), p.trims[0].kind[0], p.trims[1].kind[0],
                              p.trims[1].kind[1], p.trims[1].profiles, p.trims[0].materials},
                             {2, 3, 0, 65536, 1, row.trimMaterials}))
                << row.version;
        } else {
            // The first word of each trim record as a plain slot; a profile's word as 0.
            EXPECT_TRUE(Near({p.slots[0], p.slots[1], p.trims.size()}, {3, 0, 0}));
        }
        EXPECT_EQ(links(), before) << row.version;
        const bool skylights = row.version >= 9000;
        EXPECT_TRUE(Near({r[1]->type, r[2]->type, r[1]->hosted.size()},
                         {objtype::kRoof, objtype::kFreehandRoof, skylights ? 1 : 0}));
        if (skylights) {
            EXPECT_TRUE(Near({r[1]->hosted.at(0).tag, r[1]->hosted[0].attachment.parts.size()}, {214, 1}));
        }
    }
}

// Top-level groups are bracketed (cabinet groups with their state), nested ones are not, nor
// groups led by a linked dimension; every other object's children simply follow it.
TEST_F(ExchangeTest, GroupsAndCabinets) {
    Objex* cabinet = Cabinet(floor, 2);
    cabinet->elevation = 42.0f;
    cabinet->typeData.cabinet->f1 = 1.5f;
    cabinet->typeData.cabinet->f39 = 7;
    Objex* line = Make(objtype::kLine).line(2).on(floor);
    line->groupKind = 9;  // not a group: no owner tool
    Objex* inner = Group(floor, {line});
    Group(floor, {inner, Make(objtype::kRectangle).line(4).on(floor)}, 117);
    Group(floor, {Make(objtype::kDimensionLinked).line(2).on(floor), Make(objtype::kLine).line(2).on(floor)});

    const XFile f = Parsed(11000);
    const std::vector<XToken>& tokens = f.floors.at(0).tokens;
    std::vector<int16_t> tags;
    for (const XToken& t : tokens) tags.push_back(t.tag == 300 ? t.object.type : -t.tag);
    EXPECT_EQ(tags, (std::vector<int16_t>{1000, -306, 136, 136, -307,          // cabinet
                                          1000, -302, 1000, 6, 1, -303,         // group, inner group, line, rectangle
                                          1000, 102, 6}));                      // dimension-led group
    ASSERT_EQ(tokens[1].cabinetState.size(), 158u);
    LittleEndianCursor c(tokens[1].cabinetState);
    const float first = c.f32();
    c.pos = 148;
    const int16_t f39 = c.i16();
    c.pos = 154;
    EXPECT_TRUE(Near({first, f39, c.f32(), cabinet->typeData.cabinet->elevation}, {1.5, 7, 42, 42}));
    // The owner tool of groups (9000 on), 0 for anything else.
    EXPECT_TRUE(Near({tokens[5].object.ownerTool, tokens[8].object.ownerTool}, {117, 0}));
}

// Data blocks: only the launched tool's, and for 102 its own and then 101's.
TEST_F(ExchangeTest, DataBlocks) {
    StorePlugInData(new char[3]{'a', 'b', 'c'}, 3, 101);
    StorePlugInData(new char[2]{'x', 'y'}, 2, 102);
    AppendPlugInDataToList(103);
    using Blocks = std::vector<std::vector<uint8_t>>;
    auto blocks = [&](int32_t tool) {
        Blocks out;
        for (const XBlock& b : Parsed(11000, tool).blocks) out.push_back(b.data);
        return out;
    };
    EXPECT_EQ(blocks(102), (Blocks{{'x', 'y'}, {'a', 'b', 'c'}}));
    EXPECT_EQ(blocks(101), (Blocks{{'a', 'b', 'c'}}));
    EXPECT_EQ(blocks(103), (Blocks{{}}));
    EXPECT_EQ(blocks(104), Blocks{});
}

// Text objects always carry a font after their text and photos always a path item, so a
// reader that always takes them stays in step; the oldest version leaves user plants out with
// their children.
TEST_F(ExchangeTest, TextPhotoAndPlantItems) {
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
    Make(objtype::kPlant).on(floor).line(1);
    Objex* plant = Make(objtype::kPlant, objsubtype::kUserPlant).on(floor).line(1).image("/plants/oak.ppf");
    Make(objtype::kLine).line(2).in(plant);

    for (int32_t v : {11000, 5000}) {
        const XFile f = Parsed(v);
        // Each record's item and font height and face; "-" for no item.
        std::vector<std::string> items;
        for (const XObject* o : Records(f.floors.at(0))) {
            std::string item = o->hasItem ? o->item : "-";
            if (!o->font.empty()) {
                LittleEndianCursor c(o->font);
                item += " " + std::to_string(c.i32()) + " " + reinterpret_cast<const char*>(o->font.data() + 28);
            }
            items.push_back(item);
        }
        std::vector<std::string> want{" -33 Palatino",    "Porch -33 Palatino", "Deck -12 Arial", "",
                                      "/photos/front.jpg", "-",                  "/plants/oak.ppf", "-"};
        if (v == 5000) want.resize(6);
        EXPECT_EQ(items, want) << v;
    }
}

// Writing leaves the design as it was but for two things: palette-linked colours and scales
// take the palette's values, and a cabinet state takes its group's elevation. With the
// generated house and lot (walls with openings and trims, roofs, decks with steps, text,
// cabinets, nested groups, plants) the whole file reads in step at every version.
TEST_F(ExchangeTest, EveryVersionReadsInStepAndChangesOnlyRefreshedFields) {
    Entry(3, kPaletteColor, 0, {10, 20, 30}, 80, 90);
    Objex* wall = TrimmedWall(floor, 3);
    AttachmentRecord* door = Opening(wall, objtype::kDoor, 500, 1)->typeData.attachment;
    TrimRecord* trim = wall->firstPoint->trim1;
    Objex* box = Make(objtype::kPolygon).on(floor).closed().plan({{0, 0}, {10, 0}, {10, 10}});
    Poinz* p = PointAt(box, 2);
    box->texture = box->texture4 = p->texture2 = trim->texture[2] = door->insideTrimTexture = -1003;
    ds()->backgroundTexture = -1003;
    Objex* cabinet = Cabinet(floor, 1);
    cabinet->elevation = 30;
    CabinetState* state = cabinet->typeData.cabinet;
    dvxbench::GenerateDesign({1500, 3});

    auto set = [&](RGBColor c, int16_t h, int16_t v, float elevation) {
        box->fillColor = box->penColor = box->color4 = p->color2 = trim->color[2] = door->insideTrimColor = c;
        ds()->skyColor = c;
        box->textureScales[4] = box->textureScales[2] = p->faceScale2 = ds()->lotTextureScale = ShortPoint{h, v};
        trim->scale[2][0] = static_cast<uint16_t>(h);
        trim->scale[2][1] = static_cast<uint16_t>(v);
        door->insideTrimScale[0] = h;
        door->insideTrimScale[1] = v;
        state->elevation = elevation;
    };
    auto fields = [&] {
        std::vector<double> out;
        for (Num n : std::initializer_list<Num>{
                 box->fillColor.red, box->penColor.blue, box->color4.green, p->color2.red, trim->color[2].blue,
                 door->insideTrimColor.green, ds()->skyColor.red, box->textureScales[4].y, box->textureScales[2].x,
                 p->faceScale2.y, ds()->lotTextureScale.x, trim->scale[2][1], door->insideTrimScale[0],
                 state->elevation})
            out.push_back(n.v);
        return out;
    };
    // The palette's 8-bit colour widened to 16 bits.
    set({10 * 257, 20 * 257, 30 * 257}, 80, 90, 30);
    const std::vector<double> refreshed = fields();
    const std::vector<uint8_t> design = Design();
    set({1, 2, 3}, 5, 6, 0);
    for (int32_t v : kVersions) {
        const XFile f = Parsed(v);
        size_t records = 0;
        for (const XFloor& fl : f.floors) records += Records(fl).size();
        EXPECT_GT(records, 500u) << v;
        EXPECT_EQ(fields(), refreshed) << v;
        EXPECT_EQ(Design(), design) << v;
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
    using T = DocFieldType;
    const std::pair<Wire, T> fits[] = {
        {Wire::U8, T::U8},           {Wire::I16, T::I16},          {Wire::I16AsF32, T::I16},
        {Wire::Texture16, T::I16},   {Wire::U16, T::U16},          {Wire::I32, T::I32},
        {Wire::Texture, T::I32},     {Wire::U32, T::U32},          {Wire::F32, T::F32},
        {Wire::Point, T::FloatPoint}, {Wire::Rect, T::FloatRect},  {Wire::Color, T::RGBColor},
        {Wire::ShortPoint, T::ShortPoint}, {Wire::Chars, T::Chars}, {Wire::Font, T::LogFont},
        {Wire::ColorTable, T::I32Array}};
    for (const exchange::SettingsRow& row : exchange::SettingsSection()) {
        if (row.wire == Wire::AppFont) continue;
        for (int k = 0; k < row.count; ++k) {
            const DocStateField& f = DocStateFields()[static_cast<size_t>(row.number + k - 1)];
            EXPECT_STREQ(f.name, row.name) << row.number + k;
            if (row.wire == Wire::Refresh) continue;
            const auto* fit = std::find_if(std::begin(fits), std::end(fits), [&](auto& w) { return w.first == row.wire; });
            ASSERT_NE(fit, std::end(fits)) << row.name;
            EXPECT_EQ(f.type, fit->second) << row.name << " " << row.number + k;
        }
    }
}

}  // namespace

// The settings block in files: its layout from the field table, the bytes the writer puts
// out, hand-built blocks of every reader version, the corrections after reading, custom
// textures, template reads and damaged blocks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "files/docstate_io.h"
#include "support/records.h"
#include "files/streams.h"
#include "model/docstate.h"
#include "model/docstate_fields.h"
#include "model/document_model.h"
#include "files/custom_textures.h"
#include "support/fixture.h"

using namespace dvxtest;

namespace {

using V = DocStateVersion;
using Bytes = std::vector<uint8_t>;

// Offset of every field in the padded record, field 1 first.
constexpr int32_t kFieldOffsets[kDocStateFieldCount] = {
    0, 8, 10, 22, 24, 25, 26, 27, 28, 29, 30, 32,
    40, 48, 50, 54, 56, 58, 60, 76, 78, 80, 82, 84,
    86, 88, 96, 98, 102, 106, 108, 112, 114, 120, 126, 132,
    138, 140, 142, 144, 148, 150, 152, 154, 158, 162, 164, 166,
    168, 170, 172, 176, 178, 179, 180, 184, 186, 234, 236, 238,
    242, 246, 250, 256, 260, 264, 266, 270, 274, 278, 284, 286,
    290, 294, 298, 302, 306, 312, 314, 318, 322, 328, 334, 336,
    342, 344, 348, 352, 354, 358, 366, 370, 374, 378, 382, 386,
    390, 394, 396, 398, 404, 406, 408, 410, 412, 416, 420, 422,
    710, 714, 716, 718, 720, 722, 724, 728, 732, 736, 740, 742,
    748, 750, 754, 758, 762, 766, 772, 776, 780, 786, 788, 792,
    794, 798, 802, 806, 810, 811, 812, 816, 820, 821, 822, 1334,
    1336, 1340, 1344, 1345, 1346, 1348, 1354, 1360, 1362, 1366, 1370, 1374,
    1378, 1382, 1386, 1390, 1394, 1398, 1402, 1406, 1410, 1414, 1418, 1422,
    1424, 1428, 1432, 1433, 1434, 1435, 1436, 1440, 1444, 1448, 1452, 1456,
    1460, 1464, 1468, 1472, 1476, 1480, 1484, 1488, 1490, 1492, 1494, 1498,
    1504, 1506, 1508, 1512, 1516, 1520, 1524, 1528, 1532, 1536, 1540, 1544,
    1548, 1552, 1556, 1560, 1564, 1568, 1572, 1576, 1580, 1584, 1588, 1592,
    1596, 1600, 1604, 1608, 1612, 1614, 1618, 1619, 1620, 1621, 1622, 1623,
    1624, 1628, 1632, 1634, 1638, 1642, 1646, 1650, 1656, 1660, 1664, 1724,
    1728, 1732, 1740, 1746, 1752, 1758, 1764, 1770, 1776, 1782, 1788, 1794,
    1798, 1802, 1804, 1808, 1812, 1816, 1820, 1824, 1826, 1830, 1834, 1838,
    1842, 1843, 1844, 1848, 1852, 1856, 1860, 1861, 1862, 1864, 1866, 1868,
    1872, 1876, 1880, 1882, 1884, 1888, 1892, 1894, 1896, 1900, 1904, 2416,
    2928, 2932, 2936, 2940, 2944, 2948, 2952, 2953, 2954, 3466, 3470, 3474,
    3478, 3480, 3482, 3486, 3490, 3494, 3498, 3500, 3506, 3508, 3510, 3512,
    3516, 3517, 3518, 3519, 3520, 3521, 3649, 3650, 3656,
};

struct ReaderRow {
    V version;
    uint32_t length;
    bool (*read)();
    void (*readTemplate)();
};

const ReaderRow kReaders[] = {
    {V::V2, 794, DoReadDocState2, DoReadTemplateDocState2},
    {V::V3, 1418, DoReadDocState3, DoReadTemplateDocState3},
    {V::V35, 1444, DoReadDocState35, DoReadTemplateDocState35},
    {V::V40, 1592, DoReadDocState40, DoReadTemplateDocState40},
    {V::V41, 1614, DoReadDocState41, DoReadTemplateDocState41},
    {V::V45, 1650, DoReadDocState45, DoReadTemplateDocState45},
    {V::V50, 1798, DoReadDocState50, DoReadTemplateDocState50},
    {V::V70, 1904, DoReadDocState70, DoReadTemplateDocState70},
    {V::V80, 3478, DoReadDocState80, DoReadTemplateDocState80},
    {V::V90, 3650, DoReadDocState90, DoReadTemplateDocState90},
    {V::Current, 3662, DoReadDocState, DoReadTemplateDocState},
};

// A settings block assembled byte by byte: the length field, then a zeroed record. Values
// that do not fit the record's version are left out.
class Block {
public:
    explicit Block(uint32_t recordLength) : bytes(4 + recordLength, 0) {
        bytes[2] = 0x0E;
        bytes[3] = 0x94;
    }
    Block& u8(uint32_t off, uint8_t v) { return put(off, {v}); }
    Block& le16(uint32_t off, uint16_t v) { return put(off, {uint8_t(v), uint8_t(v >> 8)}); }
    Block& be16(uint32_t off, uint16_t v) { return put(off, {uint8_t(v >> 8), uint8_t(v)}); }
    Block& le32(uint32_t off, uint32_t v) {
        return put(off, {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)});
    }
    Block& lef(uint32_t off, float f) {
        uint32_t bits;
        std::memcpy(&bits, &f, 4);
        return le32(off, bits);
    }
    Block& rgb(uint32_t off, uint16_t r, uint16_t g, uint16_t b) { return le16(off, r).le16(off + 2, g).le16(off + 4, b); }
    Block& text(uint32_t off, const std::string& s) { return put(off, Bytes(s.begin(), s.end())); }
    Block& fill(uint32_t off, uint32_t n, uint8_t c) { return put(off, Bytes(n, c)); }
    Bytes withTail(Bytes tail) const {
        Bytes all = bytes;
        all.insert(all.end(), tail.begin(), tail.end());
        return all;
    }

    Bytes bytes;

private:
    Block& put(uint32_t off, const Bytes& v) {
        if (4 + off + v.size() <= bytes.size()) std::memcpy(bytes.data() + 4 + off, v.data(), v.size());
        return *this;
    }
};

// Gives every field bytes no default has, one byte value per field (0x40-0x7F: never a NaN);
// strings keep their NUL.
void FillEveryField(DocState* ds) {
    const auto fields = DocStateFields();
    for (size_t i = 0; i < fields.size(); ++i) {
        const DocStateField& f = fields[i];
        // Up to the next field (or the record's end): its alignment padding is filled too.
        const size_t end = i + 1 < fields.size() ? fields[i + 1].offset : sizeof(DocState);
        auto* at = static_cast<unsigned char*>(DocStateFieldAddress(ds, f));
        std::memset(at, 0x40 + f.number % 64, end - f.offset);
        if (f.type == DocFieldType::Chars) at[f.count - 1] = 0;
    }
    ds->font.lfFaceName[sizeof ds->font.lfFaceName - 1] = 0;
}

// The padded record of the current layout.
Bytes Padded(const DocState* d) { return Written([d] { ApplePortWritePaddedDocState(d); }); }

// A field's bytes in a padded record (up to the next field).
Bytes FieldBytes(const Bytes& record, int n) {
    const size_t end = n < kDocStateFieldCount ? kFieldOffsets[n] : record.size();
    return Bytes(record.begin() + kFieldOffsets[n - 1], record.begin() + static_cast<ptrdiff_t>(end));
}

Bytes WrittenBlock() { return Written(DoWriteDocState); }

class DocStateIOTest : public DocumentTest {
protected:
    DocState* ds() { return doc->itsDocState; }
};

TEST(DocStateLayout, OffsetsAndLengthsFollowFromTheFieldTable) {
    for (int n = 1; n <= kDocStateFieldCount; ++n)
        EXPECT_EQ(DocStateFieldFileOffset(n), kFieldOffsets[n - 1]) << "field " << n;
    EXPECT_EQ(DocStateFieldFileOffset(0), -1);
    EXPECT_EQ(DocStateFieldFileOffset(322), -1);
    for (const ReaderRow& r : kReaders) EXPECT_EQ(PaddedDocStateLength(r.version), r.length);
    // The length includes the pad before the next version's first field.
    EXPECT_EQ(DocStateFieldFileOffset(221) + 1, 1613);
    EXPECT_EQ(DocStateLastField(V::V41), 221);
}

TEST(DocStateLayout, FileVersionsShareReaders) {
    const std::pair<int32_t, V> known[] = {
        {10000, V::V2},  {10300, V::V3},  {10350, V::V35}, {10351, V::V35}, {10400, V::V40},
        {10410, V::V41}, {10450, V::V45}, {10500, V::V50}, {10700, V::V70}, {10701, V::V70},
        {10750, V::V70}, {10800, V::V80}, {10900, V::V90}, {11000, V::V90}, {11100, V::Current},
    };
    for (const auto& [file, version] : known) {
        V got = V::V2;
        EXPECT_TRUE(DocStateVersionOfFile(file, &got)) << file;
        EXPECT_EQ(got, version) << file;
    }
    for (int32_t file : {0, 9999, 10100, 10352, 10600, 11050, 11101, -1}) EXPECT_FALSE(DocStateVersionOfFile(file, nullptr)) << file;
}

TEST_F(DocStateIOTest, TheWriterPutsOutTheCurrentLayout) {
    ds()->sceneColor.red = 0x0102;
    ds()->lotColor.red = 0x0102;
    ds()->pluginByte = 0xAB;
    const Bytes out = WrittenBlock();
    ASSERT_EQ(out.size(), 4u + 3662u);
    EXPECT_EQ(Bytes(out.begin(), out.begin() + 4), (Bytes{0x00, 0x00, 0x0E, 0x94}));
    auto at = [&out](uint32_t off, size_t n) { return Bytes(out.begin() + 4 + off, out.begin() + 4 + off + n); };
    EXPECT_EQ(at(144, 4), (Bytes{0x00, 0x00, 0x10, 0x42}));  // planScale 36
    EXPECT_EQ(at(114, 2), (Bytes{0x02, 0x01}));              // little-endian before 320
    EXPECT_EQ(at(3650, 2), (Bytes{0x01, 0x02}));             // sceneColor big-endian
    EXPECT_EQ(at(3656, 6), (Bytes{0xA8, 0xA8, 0xB0, 0xB0, 0xC8, 0xC8}));
    EXPECT_EQ(at(1612, 2), (Bytes{0xAB, 0x00}));             // pluginByte, then a zero pad
    EXPECT_EQ(at(1664, 4), (Bytes{0xF0, 0xFF, 0xFF, 0xFF})); // lfHeight -16
    EXPECT_EQ(at(1664 + 28, 6), (Bytes{'A', 'r', 'i', 'a', 'l', 0}));

    // The versioned writers write the prefix of that layout.
    for (const ReaderRow& r : kReaders) {
        StartOutputBuffer();
        ApplePortWritePaddedDocStateOfVersion(ds(), r.version);
        EXPECT_EQ(gOutDataBuffer.size(), r.length);
        EXPECT_TRUE(std::equal(gOutDataBuffer.begin(), gOutDataBuffer.end(), out.begin() + 4));
    }
    StartOutputBuffer();
    ApplePortWritePaddedDocState(nullptr);
    DoWriteDocState();
    EXPECT_EQ(gOutDataBuffer.size(), 4u + 3662u);
    DocState* keep = doc->itsDocState;
    doc->itsDocState = nullptr;  // without a record nothing is written
    StartOutputBuffer();
    DoWriteDocState();
    EXPECT_TRUE(gOutDataBuffer.empty());
    doc->itsDocState = keep;
}

// Each reader stops exactly at its version's end: its first and last fields are read, the
// next version's first field keeps its default and the bytes after the block stay unread.
TEST_F(DocStateIOTest, EachReaderReadsItsOwnLayoutAndNoFurther) {
    struct Boundary {
        V version;
        std::function<void(Block&)> poke;
        std::function<void(const DocState&)> check;
    };
    const Boundary rows[] = {
        {V::V2, [](Block& b) { b.lef(0, 3.5f).lef(4, -4.5f).le16(792, 3); },
         [](const DocState& d) {
             EXPECT_EQ(d.duplicateOffset.floatH, 3.5f);
             EXPECT_EQ(d.duplicateOffset.floatV, -4.5f);
             EXPECT_EQ(d.gridStyle, 3);
             EXPECT_EQ(d.stairSizeA, 48.0f);
         }},
        {V::V3, [](Block& b) { b.lef(794, 50.5f).le32(1406, 77); },
         [](const DocState& d) {
             EXPECT_EQ(d.stairSizeA, 50.5f);
             EXPECT_EQ(d.carried164, 77);
             EXPECT_EQ(d.deckHeight, 24.0f);
         }},
        {V::V35, [](Block& b) { b.lef(1418, 30.0f).lef(1440, 26.0f); },
         [](const DocState& d) {
             EXPECT_EQ(d.deckHeight, 30.0f);
             EXPECT_EQ(d.deckStepSizeB, 26.0f);
             EXPECT_EQ(d.visiblePlans, 511);
         }},
        {V::V40, [](Block& b) { b.le32(1444, 0x55).le32(1588, 99); },
         [](const DocState& d) {
             EXPECT_EQ(d.visiblePlans, 0x55);
             EXPECT_EQ(d.carried215, 99);
             EXPECT_EQ(d.carried216to220[0], 65535);
         }},
        {V::V41, [](Block& b) { b.le32(1592, 123).u8(1612, 0xAB); },
         [](const DocState& d) {
             EXPECT_EQ(d.carried216to220[0], 123);
             EXPECT_EQ(d.pluginByte, 0xAB);
             EXPECT_EQ(d.renderValue, 0);
         }},
        {V::V45, [](Block& b) { b.le32(1614, 12).le16(1646, 50).le16(1648, 60); },
         [](const DocState& d) {
             EXPECT_EQ(d.renderValue, 12);
             EXPECT_EQ(d.skyTextureScale.x, 50);
             EXPECT_EQ(d.skyTextureScale.y, 60);
             EXPECT_EQ(d.interiorFillColor, (RGBColor{0xF2F2, 0xF2F2, 0xFFFF}));
         }},
        {V::V50, [](Block& b) { b.rgb(1650, 1, 2, 3).lef(1794, 6.5f); },
         [](const DocState& d) {
             EXPECT_EQ(d.interiorFillColor, (RGBColor{1, 2, 3}));
             EXPECT_EQ(d.snapOffset, 6.5f);
             EXPECT_EQ(d.floorDepth, 0.5f);
         }},
        {V::V70, [](Block& b) { b.lef(1798, 0.75f).lef(1900, 0.9f); },
         [](const DocState& d) {
             EXPECT_EQ(d.floorDepth, 0.75f);
             EXPECT_EQ(d.lightIntensity, 0.9f);
             EXPECT_STREQ(d.backgroundTexturePath, "");
         }},
        {V::V80, [](Block& b) { b.text(1904, "bg.jpg").le32(3474, 4); },
         [](const DocState& d) {
             EXPECT_STREQ(d.backgroundTexturePath, "bg.jpg");
             EXPECT_EQ(d.detailValueC, 4);
             EXPECT_EQ(d.lightGlow, 1);
         }},
        {V::V90, [](Block& b) { b.u8(3478, 0).u8(3649, 0x5A); },
         [](const DocState& d) {
             EXPECT_EQ(d.lightGlow, 0);
             EXPECT_EQ(d.carried319, 0x5A);
             EXPECT_EQ(d.sceneColor, (RGBColor{0, 0, 0}));
         }},
        {V::Current, [](Block& b) { b.be16(3650, 0x0102).be16(3652, 3).be16(3654, 4).be16(3656, 5).be16(3658, 6).be16(3660, 0x0708); },
         [](const DocState& d) {
             EXPECT_EQ(d.sceneColor, (RGBColor{0x0102, 3, 4}));
             EXPECT_EQ(d.gridColor, (RGBColor{5, 6, 0x0708}));
         }},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        const ReaderRow& r = kReaders[i];
        ASSERT_EQ(r.version, rows[i].version);
        Block block(r.length);
        rows[i].poke(block);
        OpenInputBytes(block.withTail({0xEE, 0xEE}));
        DocState* old = ds();
        ASSERT_TRUE(r.read());
        EXPECT_NE(ds(), old);
        EXPECT_EQ(GetMark(), 4 + r.length);
        EXPECT_FALSE(InputTruncated());
        rows[i].check(*ds());
    }
}

TEST_F(DocStateIOTest, AVersion10000BlockLeavesTheLaterFieldsAtTheirDefaults) {
    Block block(794);
    block.lef(144, 48.0f).le16(792, 2);
    OpenInputBytes(block.bytes);
    ASSERT_TRUE(DoReadDocState2());
    EXPECT_EQ(std::tuple(ds()->planScale, ds()->gridStyle, ds()->shadowQuality, ds()->sceneValue), std::tuple(48.0f, 2, 5, 1.0f));

    DocState* fresh = CreateDocState();
    const Bytes read = Padded(ds()), defaults = Padded(fresh);
    for (int n = 133; n <= kDocStateFieldCount; ++n) {
        if (n == 244) continue;  // its slot carries field 82
        EXPECT_EQ(FieldBytes(read, n), FieldBytes(defaults, n)) << "field " << n;
    }
    EXPECT_EQ(ds()->planColors[1], fresh->planColors[1]);
    DeleteDocState(fresh);
}

// A damaged curve resolution would have every curved segment sampled tens of thousands of
// times on each rebuild: every reader takes it down to the most a segment is sampled in, and
// leaves a sound one, or one below 1 that the sampling treats as 1, as it was.
TEST_F(DocStateIOTest, EveryReaderBoundsTheCurveResolution) {
    for (const ReaderRow& r : kReaders) {
        for (const auto& [stored, read] : {std::pair<int16_t, int16_t>{30000, kMostCurveSegments},
                                           {kMostCurveSegments + 1, kMostCurveSegments},
                                           {kMostCurveSegments, kMostCurveSegments},
                                           {40, 40},
                                           {0, 0}}) {
            SCOPED_TRACE(static_cast<int>(r.version));
            Block b(r.length);
            b.le16(kFieldOffsets[45], static_cast<uint16_t>(stored));
            OpenInputBytes(b.bytes);
            ASSERT_TRUE(r.read());
            EXPECT_EQ(ds()->curveSegments, read) << stored;
        }
    }
}

// The corrections table, row by row: which reader versions apply each row.
TEST_F(DocStateIOTest, EachCorrectionAppliesExactlyForTheVersionsItNames) {
    const std::set<V> upTo80 = {V::V2, V::V3, V::V35, V::V40, V::V41, V::V45, V::V50, V::V70, V::V80};
    const std::set<V> from40To80 = {V::V40, V::V41, V::V45, V::V50, V::V70, V::V80};
    const std::set<V> from80 = {V::V80, V::V90, V::Current};
    const RGBColor white{0xFFFF, 0xFFFF, 0xFFFF};

    for (float scene : {-2.0f, 2.5f}) {
        for (const ReaderRow& r : kReaders) {
            SCOPED_TRACE(static_cast<int>(r.version));
            SCOPED_TRACE(scene);
            Block b(r.length);
            b.rgb(114, 4, 5, 6)               // lotColor
                .rgb(398, 1, 2, 3)            // skyColor
                .le32(710, 0xFFFFFFFF)        // backgroundTexture -1
                .le16(786, 0xFFFF)            // lotTexture -1
                .u8(1346, 1)                  // buildFlag
                .u8(1360, 1)                  // shadowsOn
                .lef(1386, 3.0f)              // studSpacing
                .lef(1390, scene)             // sceneValue
                .le32(1410, 7)                // trackingValue
                .le32(1414, 5)                // liveViewValue
                .le32(1480, 0x82)             // detail plan's stored mask
                .le16(1506, 2)                // shadowQuality
                .u8(1618, 1)                  // framingView
                .u8(1619, 1)                  // field 224
                .le32(1628, 9)                // cutAwayPosition
                .lef(1638, 10.0f)             // wallSegmentLength
                .text(1904, "Sky\\photo.jpg") // backgroundTexturePath
                .text(2416, "Lots\\grass.jpg");
            OpenInputBytes(b.bytes);
            ASSERT_TRUE(r.read());
            const DocState& d = *ds();
            const V v = r.version;

            EXPECT_EQ(d.planMasks[8], 0x182);

            EXPECT_EQ(std::tuple(d.cutAwayPosition, d.framingColors, d.framingView, d.liveViewValue, d.buildFlag, d.wallSegmentLength),
                      std::tuple(0, 0, 0, 0, 0, 42.0f));

            EXPECT_EQ(d.shadowQuality, upTo80.count(v) ? 5 : 2);
            if (v != V::V2) {  // fields the 10000 layout does not hold
                EXPECT_EQ(d.shadowsOn, upTo80.count(v) ? 0 : 1);
                EXPECT_EQ(d.studSpacing, from40To80.count(v) ? 3.0f : 16.0f);
                EXPECT_EQ(d.trackingValue, from40To80.count(v) ? 7 : 0);
            }
            const bool always = v == V::V2 || v == V::V3 || v == V::V35;
            const bool resetsNonPositive = v == V::V90 || v == V::Current;
            const float expectedScene = always || (resetsNonPositive && scene <= 0) ? 1.0f : scene;
            EXPECT_EQ(d.sceneValue, expectedScene);

            if (from80.count(v)) {
                EXPECT_GE(d.backgroundTexture, kFirstCustomTextureID);
                EXPECT_STREQ(GetCustomTextureIDPath(d.backgroundTexture), "Sky/photo.jpg");
                EXPECT_STREQ(d.backgroundTexturePath, "Sky/photo.jpg");
                EXPECT_GE(d.lotTexture, kFirstCustomTextureID);
                EXPECT_STREQ(GetCustomTextureIDPath(d.lotTexture), "Lots/grass.jpg");
            } else {
                EXPECT_EQ(std::tuple(d.backgroundTexture, d.lotTexture), std::tuple(-1, -1));
            }

            EXPECT_EQ(d.skyColor, upTo80.count(v) ? white : (RGBColor{1, 2, 3}));
            EXPECT_EQ(d.lotColor, upTo80.count(v) ? white : (RGBColor{4, 5, 6}));
        }
    }

    // No path: a -1 texture stays -1; untextured ground and sky keep their colours.
    Block b(3478);
    b.rgb(114, 4, 5, 6).rgb(398, 1, 2, 3).le32(710, 0xFFFFFFFF);
    OpenInputBytes(b.bytes);
    ASSERT_TRUE(DoReadDocState80());
    EXPECT_EQ(std::tuple(ds()->backgroundTexture, ds()->lotTexture), std::tuple(-1, 0));
    EXPECT_TRUE(ds()->skyColor == white && ds()->lotColor == (RGBColor{4, 5, 6}));
}

TEST_F(DocStateIOTest, Field82RidesInTheFloorPlanColourSlot) {
    // Hand-built: the later slot wins, the floor plan colour is never read.
    Block b(1798);
    b.rgb(328, 1, 2, 3).rgb(1746, 7, 8, 9).rgb(1740, 10, 11, 12);
    OpenInputBytes(b.bytes);
    ASSERT_TRUE(DoReadDocState50());
    EXPECT_TRUE(ds()->carried82 == (RGBColor{7, 8, 9}) && ds()->planColors[1] == (RGBColor{0, 0, 0}) &&
                ds()->planColors[0] == (RGBColor{10, 11, 12}));

    Block old(794);
    old.rgb(328, 1, 2, 3);
    OpenInputBytes(old.bytes);
    ASSERT_TRUE(DoReadDocState2());
    EXPECT_EQ(ds()->carried82, (RGBColor{1, 2, 3}));

    // Written and read back.
    ds()->carried82 = RGBColor{0x1111, 0x2222, 0x3333};
    ds()->planColors[1] = RGBColor{0x4444, 0x5555, 0x6666};
    ds()->planColors[0] = RGBColor{9, 9, 9};
    const Bytes out = WrittenBlock();
    EXPECT_EQ(Bytes(out.begin() + 4 + 1746, out.begin() + 4 + 1752), (Bytes{0x11, 0x11, 0x22, 0x22, 0x33, 0x33}));
    OpenInputBytes(out);
    ASSERT_TRUE(DoReadDocState());
    EXPECT_TRUE(ds()->carried82 == (RGBColor{0x1111, 0x2222, 0x3333}) && ds()->planColors[1] == (RGBColor{0, 0, 0}) &&
                ds()->planColors[0] == (RGBColor{9, 9, 9}));
}

TEST_F(DocStateIOTest, ARecordWithEveryFieldChangedSurvivesTheCurrentLayoutButField244) {
    DocState* changed = CreateDocState();
    DocState* fresh = CreateDocState();
    FillEveryField(changed);
    const Bytes out = Padded(changed), defaults = Padded(fresh);
    ASSERT_EQ(out.size(), 3662u);
    for (int n = 1; n <= kDocStateFieldCount; ++n) {
        if (n == 244) continue;
        ASSERT_NE(FieldBytes(out, n), FieldBytes(defaults, n)) << "field " << n;
    }

    OpenInputBytes(out);
    DocState* back = CreateDocState();
    EXPECT_TRUE(ApplePortReadPaddedDocState(back));
    EXPECT_EQ(GetMark(), 3662u);
    EXPECT_EQ(Padded(back), out);  // every stored value came back
    EXPECT_TRUE(back->carried82 == changed->carried82 && back->planColors[1] == fresh->planColors[1] &&
                !(changed->planColors[1] == fresh->planColors[1]));
    EXPECT_EQ(std::memcmp(&back->font, &changed->font, sizeof(LOGFONT)), 0);
    EXPECT_EQ(std::memcmp(back->customColors, changed->customColors, sizeof back->customColors), 0);
    EXPECT_STREQ(back->currentLiveView, changed->currentLiveView);
    EXPECT_EQ(std::tuple(back->ss.ssTextAlignType, back->ss40.ssBaseElevationValue),
              std::tuple(changed->ss.ssTextAlignType, changed->ss40.ssBaseElevationValue));

    EXPECT_FALSE(ApplePortReadPaddedDocState(nullptr));
    DeleteDocState(back);
    DeleteDocState(fresh);
    DeleteDocState(changed);
}

TEST_F(DocStateIOTest, CustomTexturesGoOutAsPathsAndComeBackUnderNewIDs) {
    char sky[] = "Photos\\sky.jpg";
    char lot[] = "Lots/grass.jpg";
    ds()->backgroundTexture = NewCustomTextureID(sky);
    ds()->lotTexture = static_cast<int16_t>(NewCustomTextureID(lot));
    ASSERT_EQ(std::tuple(ds()->backgroundTexture, ds()->lotTexture), std::tuple(20000, 20001));
    std::vector<unsigned char> before(sizeof(DocState));
    std::memcpy(before.data(), ds(), sizeof(DocState));

    const Bytes out = WrittenBlock();
    EXPECT_EQ(std::memcmp(before.data(), ds(), sizeof(DocState)), 0);
    auto at = [&out](uint32_t off, size_t n) { return Bytes(out.begin() + 4 + off, out.begin() + 4 + off + n); };
    EXPECT_EQ(at(710, 4), (Bytes{0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(at(786, 2), (Bytes{0xFF, 0xFF}));
    EXPECT_STREQ(reinterpret_cast<const char*>(out.data() + 4 + 1904), "Photos/sky.jpg");
    EXPECT_STREQ(reinterpret_cast<const char*>(out.data() + 4 + 2416), "Lots/grass.jpg");

    // A new run knows neither path: both are registered again.
    DeleteCustomTextureList();
    OpenInputBytes(out);
    ASSERT_TRUE(DoReadDocState());
    EXPECT_EQ(std::tuple(ds()->backgroundTexture, ds()->lotTexture), std::tuple(20002, 20003));
    EXPECT_STREQ(GetCustomTextureIDPath(20002), "Photos/sky.jpg");
    EXPECT_STREQ(GetCustomTextureIDPath(20003), "Lots/grass.jpg");

    // A listed path keeps its ID.
    OpenInputBytes(out);
    ASSERT_TRUE(DoReadDocState());
    EXPECT_EQ(ds()->backgroundTexture, 20002);
}

TEST_F(DocStateIOTest, TemplateReadersPassOverTheBlockAndLeaveTheDocumentAlone) {
    for (const ReaderRow& r : kReaders) {
        SCOPED_TRACE(static_cast<int>(r.version));
        Block b(r.length);
        b.lef(144, 99.0f).le32(710, 0xFFFFFFFF).text(1904, "Sky/other.jpg");
        OpenInputBytes(b.withTail({1, 2}));
        DocState* record = ds();
        std::vector<unsigned char> before(sizeof(DocState));
        std::memcpy(before.data(), record, sizeof(DocState));
        r.readTemplate();
        EXPECT_EQ(std::tuple(ds(), std::memcmp(before.data(), record, sizeof(DocState)), GetMark(), doc->itsCustomTextureList),
                  std::tuple(record, 0, 4 + r.length, nullptr));
    }
}

TEST_F(DocStateIOTest, WithoutADocumentTheBlockIsStillConsumed) {
    OpenInputBytes(Block(3662).withTail({7}));
    gCurDocument = nullptr;
    EXPECT_FALSE(DoReadDocState());
    gCurDocument = doc;
    EXPECT_EQ(GetMark(), 4u + 3662u);
}

TEST_F(DocStateIOTest, FixedStringsEndInANulAndShortBlocksKeepDefaults) {
    Block b(3662);
    b.fill(822, 512, 'x').fill(3521, 128, 'y').fill(1664 + 28, 32, 'z').fill(1904, 512, 'p').fill(2416, 512, 'q').fill(2954, 512, 't');
    OpenInputBytes(b.bytes);
    ASSERT_TRUE(DoReadDocState());
    EXPECT_EQ(std::tuple(std::strlen(ds()->traceImagePath), std::strlen(ds()->currentLiveView), std::strlen(ds()->font.lfFaceName),
                         std::strlen(ds()->backgroundTexturePath), std::strlen(ds()->lotTexturePath), std::strlen(ds()->topoFilePath)),
              std::tuple(511u, 127u, 31u, 511u, 511u, 511u));

    // Cut inside field 143: what lies before is read, the rest keeps its defaults.
    Block cut(3662);
    cut.lef(144, 12.0f).fill(822, 512, 'x').lef(1334 + 2, 5.0f);
    OpenInputBytes(Bytes(cut.bytes.begin(), cut.bytes.begin() + 4 + 900));
    ASSERT_TRUE(DoReadDocState());
    EXPECT_TRUE(InputTruncated());
    EXPECT_STREQ(ds()->traceImagePath, "");
    EXPECT_EQ(std::tuple(ds()->planScale, ds()->traceImageScaleH, GetMark()), std::tuple(12.0f, 1.0f, 4u + 822u));
    EXPECT_TRUE(ds()->gridColor == (RGBColor{0xA8A8, 0xB0B0, 0xC8C8}));
}

// Damaged input: every prefix of a written block reads without overrun or crash.
TEST_F(DocStateIOTest, EveryPrefixOfABlockReadsSafely) {
    char sky[] = "Photos/sky.jpg";
    ds()->backgroundTexture = NewCustomTextureID(sky);
    FillEveryField(ds());
    ds()->backgroundTexture = 20000;
    const Bytes full = WrittenBlock();
    for (size_t n = 0; n <= full.size(); ++n) {
        OpenInputBytes(Bytes(full.begin(), full.begin() + static_cast<ptrdiff_t>(n)));
        ASSERT_TRUE(DoReadDocState()) << n;
        ASSERT_LE(GetMark(), n);
        ASSERT_EQ(InputTruncated(), n < full.size()) << n;
        OpenInputBytes(Bytes(full.begin(), full.begin() + static_cast<ptrdiff_t>(n)));
        DoReadTemplateDocState80();
        ASSERT_LE(GetMark(), n);
    }
    EXPECT_EQ(ds()->gridColor.red, 0x4141);  // field 321
}

}  // namespace

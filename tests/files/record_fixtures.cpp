#include "files/record_fixtures.h"

#include <cstring>

#include "files/object_io.h"
#include "files/object_records.h"
#include "files/streams.h"
#include "model/bounds.h"
#include "model/texture_mapping.h"

namespace dvxtest {

Bytes& Bytes::u8(uint8_t v) {
    b.push_back(v);
    return *this;
}
Bytes& Bytes::i16(int16_t v) { return u16(static_cast<uint16_t>(v)); }
Bytes& Bytes::u16(uint16_t v) {
    b.push_back(static_cast<uint8_t>(v >> 8));
    b.push_back(static_cast<uint8_t>(v));
    return *this;
}
Bytes& Bytes::i32(int32_t v) {
    const uint32_t u = static_cast<uint32_t>(v);
    for (int shift = 24; shift >= 0; shift -= 8) b.push_back(static_cast<uint8_t>(u >> shift));
    return *this;
}
Bytes& Bytes::f32(float v) {
    int32_t bits;
    std::memcpy(&bits, &v, 4);
    return i32(bits);
}
Bytes& Bytes::le16(uint16_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
    return *this;
}
Bytes& Bytes::le32(uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) b.push_back(static_cast<uint8_t>(v >> shift));
    return *this;
}
Bytes& Bytes::lef32(float v) {
    uint32_t bits;
    std::memcpy(&bits, &v, 4);
    return le32(bits);
}
Bytes& Bytes::raw(const std::string& text) {
    b.insert(b.end(), text.begin(), text.end());
    return *this;
}
Bytes& Bytes::raw(const std::vector<uint8_t>& bytes) {
    b.insert(b.end(), bytes.begin(), bytes.end());
    return *this;
}
Bytes& Bytes::zeros(size_t n) {
    b.insert(b.end(), n, 0);
    return *this;
}
Bytes& Bytes::text(const std::string& t) {
    i32(static_cast<int32_t>(t.size()));
    return raw(t);
}

std::vector<uint8_t> Written(const std::function<void()>& write) {
    StartOutputBuffer();
    write();
    std::vector<uint8_t> bytes = gOutDataBuffer;
    ReleaseOutputBuffer();
    return bytes;
}

void StartInput(const std::vector<uint8_t>& bytes, int32_t version) {
    OpenInputBytes(bytes);
    sInputVersion = version;
}

std::vector<uint8_t> WrittenObject(Objex* object, int32_t version) {
    const int32_t saved = sWriteVersion;
    sWriteVersion = version;
    std::vector<uint8_t> bytes = Written([object] { WriteAnObject(object); });
    sWriteVersion = saved;
    return bytes;
}

Objex* ReadObjectFrom(const std::vector<uint8_t>& bytes, Layer* layer, int32_t version) {
    StartInput(bytes, version);
    int16_t tag = 0;
    ReadShort(&tag);
    EXPECT_EQ(tag, 200);
    return ReadAnObject(layer, 1);
}

std::vector<Objex*> ListOf(Objex* head) {
    std::vector<Objex*> v;
    for (Objex* o = head; o; o = o->next) v.push_back(o);
    return v;
}

void ExpectPosition(const Poinz* p, float h, float v, float d) {
    ASSERT_NE(p, nullptr);
    EXPECT_FLOAT_EQ(p->position[0], h);
    EXPECT_FLOAT_EQ(p->position[1], v);
    EXPECT_FLOAT_EQ(p->position[2], d);
}

long Find(const std::vector<uint8_t>& bytes, const std::vector<uint8_t>& pattern, size_t from) {
    if (pattern.empty() || bytes.size() < pattern.size()) return -1;
    for (size_t i = from; i + pattern.size() <= bytes.size(); ++i)
        if (std::equal(pattern.begin(), pattern.end(), bytes.begin() + static_cast<long>(i))) return static_cast<long>(i);
    return -1;
}

namespace {

Objex* Create(int16_t type, uint8_t closed, Layer* layer) {
    RGBColor fill{1000, 2000, 3000};
    RGBColor pen{4000, 5000, 6000};
    return CreateObject(type, closed, 1, &fill, &pen, 1.0f, 6, 0, nullptr, nullptr, nullptr, nullptr, layer, TypeData{});
}

void AddPoint(Objex* o, float h, float v, float d) {
    AppendPointToObject(CreatePoint(1, 0, 0, 0, 0, 0, h, v, d, 0, 0, 0, 0, 0, 0, o), o);
}

TrimRecord* NewTrim(int seed) {
    TrimRecord* t = new TrimRecord{};
    for (int i = 0; i < 5; ++i) {
        t->texture[i] = 2200 + seed + i;
        t->color[i] = RGBColor{static_cast<uint16_t>(100 + i), 200, static_cast<uint16_t>(300 + seed)};
        t->scale[i][0] = 100;
        t->scale[i][1] = static_cast<uint16_t>(90 + i);
    }
    return t;
}

}  // namespace

Objex* MakeWall(Layer* layer, int points) {
    Objex* wall = Create(objtype::kWall, 0, layer);
    wall->penWidth = 6.0f;
    wall->params[0] = 96.0f;
    wall->params[1] = 16.0f;
    wall->texture2 = 2213;
    wall->texture3 = 2212;
    wall->texture4 = 1801;
    wall->texture5 = 850;
    wall->color2 = RGBColor{11, 12, 13};
    wall->color3 = RGBColor{21, 22, 23};
    wall->color4 = RGBColor{31, 32, 33};
    wall->color5 = RGBColor{41, 42, 43};
    for (int i = 0; i < 5; ++i) wall->textureScales[i] = ShortPoint{static_cast<int16_t>(100 + i), static_cast<int16_t>(50 + i)};
    for (int i = 0; i < points; ++i) {
        AddPoint(wall, static_cast<float>((i + 1) / 2 * 100), -96.0f, static_cast<float>(i / 2 * 100));
        Poinz* p = wall->firstPoint;
        while (p->next) p = p->next;
        p->trim1 = NewTrim(i);
        p->trim2 = NewTrim(10 + i);
        p->segmentValues[0] = 96.0f;
        p->segmentValues[1] = 10.0f;
        p->texture1 = 1700;
        p->texture2 = 1701;
        p->color1 = RGBColor{0x0102, 0x0304, 0x0506};
        p->color2 = RGBColor{0xA1B2, 0xC3D4, 0xE5F6};
    }
    AppendObjectToLayer(wall, layer);
    SetTextureFaceUV(wall);
    SetObjectPointLengths(wall);
    UpdateObjectBounds(wall);
    return wall;
}

Objex* AddOpening(Objex* wall, int16_t type, int16_t style, int from) {
    Objex* child = Create(type, 0, wall->layer);
    Poinz* a = wall->firstPoint;
    for (int i = 0; a && i < from; ++i) a = a->next;
    Poinz* b = a ? a->next : nullptr;
    if (!a || !b) return nullptr;
    AddPoint(child, a->position[0] + 10, 0, a->position[2]);
    AddPoint(child, a->position[0] + 40, 0, a->position[2]);
    AttachmentRecord* r = new AttachmentRecord{};
    r->ownerType = type;
    r->style = style;
    r->segmentStart = a;
    r->segmentEnd = b;
    r->centreDistance = 25.0f;
    r->remainder = 75.0f;
    r->width = 30.0f;
    r->height = 80.0f;
    r->elevation = 2.0f;
    r->sideFlag = 1;
    r->swingOrOffset = 1.5f;
    r->directionFlag = 4;
    r->frameFlag = 1;
    r->trimWidth = 3.0f;
    r->insideTrimTexture = 2218;
    r->insideTrimScale[0] = 100;
    r->insideTrimScale[1] = 80;
    r->insideTrimColor = RGBColor{65535, 1, 2};
    r->outsideTrimTexture = 2219;
    r->outsideTrimScale[0] = 70;
    r->outsideTrimScale[1] = 100;
    r->outsideTrimColor = RGBColor{3, 4, 65535};
    child->typeData = TypeData::OfAttachment(r);
    AppendChildToObject(child, wall);
    UpdateObjectBounds(child);
    return child;
}

Objex* MakeRoofWithSkylight(Layer* layer, int16_t style, Objex** skylightOut) {
    Objex* roof = Create(objtype::kRoof, 1, layer);
    AddPoint(roof, 0, 0, 0);
    AddPoint(roof, 400, 0, 0);
    AddPoint(roof, 400, 0, 300);
    AddPoint(roof, 0, 0, 300);
    AppendObjectToLayer(roof, layer);
    SetTextureFaceUV(roof);
    SetObjectPointLengths(roof);
    UpdateObjectBounds(roof);

    Objex* sky = Create(objtype::kSkylight, 1, layer);
    AddPoint(sky, 100, -50, 100);
    AddPoint(sky, 140, -50, 100);
    AddPoint(sky, 140, -60, 160);
    AddPoint(sky, 100, -60, 160);
    RoofAttachmentRecord* r = new RoofAttachmentRecord{};
    r->ownerType = objtype::kSkylight;
    r->style = style;
    r->width = 40;
    r->length = 60;
    r->trimWidth = 2;
    r->angle = 90;
    r->sectionSubtype = 11;
    r->texture1 = 2218;
    r->textureScale1[0] = r->textureScale1[1] = 100;
    r->color1 = RGBColor{28784, 28784, 28784};
    r->texture2 = 2219;
    r->textureScale2[0] = 90;
    r->textureScale2[1] = 110;
    r->color2 = RGBColor{65535, 65535, 65535};
    sky->typeData = TypeData::OfRoofAttachment(r);
    AppendChildToObject(sky, roof);
    UpdateObjectBounds(sky);
    if (skylightOut) *skylightOut = sky;
    return roof;
}

Objex* MakeDeck(Layer* layer) {
    Objex* deck = Create(objtype::kDeck, 1, layer);
    AddPoint(deck, 0, -48, 0);
    AddPoint(deck, 200, -48, 0);
    AddPoint(deck, 200, -48, 200);
    AddPoint(deck, 0, -48, 200);
    AppendObjectToLayer(deck, layer);
    SetTextureFaceUV(deck);
    SetObjectPointLengths(deck);
    UpdateObjectBounds(deck);
    return deck;
}

Objex* MakePartObject(int16_t type) {
    Objex* o = Create(type, 1, nullptr);
    AddPoint(o, 0, 0, 0);
    AddPoint(o, 5, 0, 0);
    AddPoint(o, 5, 0, 7);
    SetTextureFaceUV(o);
    SetObjectPointLengths(o);
    UpdateObjectBounds(o);
    return o;
}

void ExpectSameObject(const Objex* a, const Objex* b, const std::string& where) {
    ASSERT_TRUE(a && b) << where;
    // Everything a record stores, children, records, parts and profiles included, comes out
    // byte for byte the same.
    EXPECT_EQ(WrittenObject(const_cast<Objex*>(a)), WrittenObject(const_cast<Objex*>(b))) << where;
}

}  // namespace dvxtest

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
Bytes& Bytes::lef32(float v) {
    uint32_t bits;
    std::memcpy(&bits, &v, 4);
    for (int shift = 0; shift < 32; shift += 8) b.push_back(static_cast<uint8_t>(bits >> shift));
    return *this;
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

namespace {

int IndexOfPoint(const Objex* host, const Poinz* p) {
    int i = 0;
    for (const Poinz* q = host ? host->firstPoint : nullptr; q; q = q->next, ++i)
        if (q == p) return i;
    return -1;
}

void ExpectSameColor(const RGBColor& a, const RGBColor& b, const std::string& where) {
    EXPECT_TRUE(a == b) << where << ": (" << a.red << "," << a.green << "," << a.blue << ") vs (" << b.red << ","
                        << b.green << "," << b.blue << ")";
}

void ExpectSameList(const Objex* a, const Objex* b, const std::string& where) {
    int i = 0;
    for (; a && b; a = a->next, b = b->next, ++i) ExpectSameObject(a, b, where + "[" + std::to_string(i) + "]");
    EXPECT_EQ(a == nullptr, b == nullptr) << where << ": lists differ in length";
}

void ExpectSameTrim(const TrimRecord* a, const TrimRecord* b, const std::string& where) {
    ASSERT_EQ(a == nullptr, b == nullptr) << where;
    if (!a) return;
    for (int s = 0; s < 2; ++s) {
        EXPECT_EQ(a->slot[s], b->slot[s]) << where;
        ASSERT_EQ(a->profile[s] == nullptr, b->profile[s] == nullptr) << where;
        if (a->profile[s]) ExpectSameObject(a->profile[s], b->profile[s], where + ".profile");
    }
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(a->texture[i], b->texture[i]) << where;
        ExpectSameColor(a->color[i], b->color[i], where);
        EXPECT_EQ(a->scale[i][0], b->scale[i][0]) << where;
        EXPECT_EQ(a->scale[i][1], b->scale[i][1]) << where;
    }
}

void ExpectSameTypeData(const Objex* a, const Objex* b, const std::string& where) {
    const TypeData& ta = a->typeData;
    const TypeData& tb = b->typeData;
    ASSERT_EQ(static_cast<int>(ta.kind), static_cast<int>(tb.kind)) << where << ".typeData";
    switch (ta.kind) {
    case TypeDataKind::Attachment: {
        const AttachmentRecord* x = ta.attachment;
        const AttachmentRecord* y = tb.attachment;
        ASSERT_TRUE(x && y) << where;
        EXPECT_EQ(x->ownerType, y->ownerType) << where;
        EXPECT_EQ(x->style, y->style) << where;
        EXPECT_EQ(IndexOfPoint(a->parent, x->segmentStart), IndexOfPoint(b->parent, y->segmentStart)) << where;
        EXPECT_EQ(IndexOfPoint(a->parent, x->segmentEnd), IndexOfPoint(b->parent, y->segmentEnd)) << where;
        EXPECT_EQ(x->centreDistance, y->centreDistance) << where;
        EXPECT_EQ(x->remainder, y->remainder) << where;
        EXPECT_EQ(x->width, y->width) << where;
        EXPECT_EQ(x->height, y->height) << where;
        EXPECT_EQ(x->elevation, y->elevation) << where;
        EXPECT_EQ(x->sideFlag, y->sideFlag) << where;
        EXPECT_EQ(x->swingOrOffset, y->swingOrOffset) << where;
        EXPECT_EQ(x->directionFlag, y->directionFlag) << where;
        EXPECT_EQ(x->frameFlag, y->frameFlag) << where;
        EXPECT_EQ(x->reserved, y->reserved) << where;
        EXPECT_EQ(x->trimWidth, y->trimWidth) << where;
        for (int i = 0; i < 7; ++i) ExpectSameList(x->customParts[i], y->customParts[i], where + ".parts" + std::to_string(i));
        EXPECT_EQ(x->insideCustomTrim, y->insideCustomTrim) << where;
        EXPECT_EQ(x->insideTrimTexture, y->insideTrimTexture) << where;
        EXPECT_EQ(x->insideTrimScale[0], y->insideTrimScale[0]) << where;
        EXPECT_EQ(x->insideTrimScale[1], y->insideTrimScale[1]) << where;
        ExpectSameColor(x->insideTrimColor, y->insideTrimColor, where);
        EXPECT_EQ(x->outsideCustomTrim, y->outsideCustomTrim) << where;
        EXPECT_EQ(x->outsideTrimTexture, y->outsideTrimTexture) << where;
        EXPECT_EQ(x->outsideTrimScale[0], y->outsideTrimScale[0]) << where;
        EXPECT_EQ(x->outsideTrimScale[1], y->outsideTrimScale[1]) << where;
        ExpectSameColor(x->outsideTrimColor, y->outsideTrimColor, where);
        ASSERT_EQ(x->insideTrimProfile == nullptr, y->insideTrimProfile == nullptr) << where;
        if (x->insideTrimProfile) ExpectSameObject(x->insideTrimProfile, y->insideTrimProfile, where + ".inside");
        ASSERT_EQ(x->outsideTrimProfile == nullptr, y->outsideTrimProfile == nullptr) << where;
        if (x->outsideTrimProfile) ExpectSameObject(x->outsideTrimProfile, y->outsideTrimProfile, where + ".outside");
        break;
    }
    case TypeDataKind::RoofAttachment: {
        const RoofAttachmentRecord* x = ta.roofAttachment;
        const RoofAttachmentRecord* y = tb.roofAttachment;
        ASSERT_TRUE(x && y) << where;
        EXPECT_EQ(x->ownerType, y->ownerType) << where;
        EXPECT_EQ(x->style, y->style) << where;
        EXPECT_EQ(x->width, y->width) << where;
        EXPECT_EQ(x->length, y->length) << where;
        EXPECT_EQ(x->trimWidth, y->trimWidth) << where;
        EXPECT_EQ(x->angle, y->angle) << where;
        EXPECT_EQ(x->sectionSubtype, y->sectionSubtype) << where;
        EXPECT_EQ(x->flipFlags[0], y->flipFlags[0]) << where;
        EXPECT_EQ(x->flipFlags[1], y->flipFlags[1]) << where;
        for (int i = 0; i < 5; ++i) ExpectSameList(x->partLists[i], y->partLists[i], where + ".roofParts" + std::to_string(i));
        EXPECT_EQ(x->texture1, y->texture1) << where;
        EXPECT_EQ(x->textureScale1[0], y->textureScale1[0]) << where;
        EXPECT_EQ(x->textureScale1[1], y->textureScale1[1]) << where;
        ExpectSameColor(x->color1, y->color1, where);
        EXPECT_EQ(x->texture2, y->texture2) << where;
        EXPECT_EQ(x->textureScale2[0], y->textureScale2[0]) << where;
        EXPECT_EQ(x->textureScale2[1], y->textureScale2[1]) << where;
        ExpectSameColor(x->color2, y->color2, where);
        break;
    }
    case TypeDataKind::Text:
        ASSERT_TRUE(ta.text && tb.text) << where;
        EXPECT_STREQ(ta.text->text, tb.text->text) << where;
        EXPECT_EQ(0, std::memcmp(&ta.text->font, &tb.text->font, sizeof(LOGFONT))) << where;
        break;
    case TypeDataKind::ImagePath:
        EXPECT_STREQ(ta.imagePath, tb.imagePath) << where;
        break;
    default:
        break;
    }
}

}  // namespace

void ExpectSameObject(const Objex* a, const Objex* b, const std::string& where) {
    ASSERT_TRUE(a && b) << where;
    EXPECT_EQ(a->type, b->type) << where;
    if (a->type == objtype::kGroup) {
        EXPECT_EQ(a->groupKind, b->groupKind) << where;
    }
    EXPECT_EQ(a->closed, b->closed) << where;
    EXPECT_EQ(a->visible, b->visible) << where;
    ExpectSameColor(a->fillColor, b->fillColor, where + ".fill");
    ExpectSameColor(a->auxColor, b->auxColor, where + ".aux");
    ExpectSameColor(a->penColor, b->penColor, where + ".pen");
    EXPECT_EQ(a->penWidth, b->penWidth) << where;
    EXPECT_EQ(a->penStyle, b->penStyle) << where;
    EXPECT_EQ(a->fillPattern, b->fillPattern) << where;
    EXPECT_EQ(a->rows, b->rows) << where;
    EXPECT_EQ(a->pointCount, b->pointCount) << where;
    EXPECT_EQ(a->flagA, b->flagA) << where;
    EXPECT_EQ(a->elevationMode, b->elevationMode) << where;
    EXPECT_EQ(0, std::memcmp(&a->textureFaceRect, &b->textureFaceRect, sizeof(FloatRect))) << where;
    EXPECT_EQ(0, std::memcmp(&a->textureFaceRect2, &b->textureFaceRect2, sizeof(FloatRect))) << where;
    EXPECT_EQ(a->faceAxis, b->faceAxis) << where;
    EXPECT_EQ(a->plantAge, b->plantAge) << where;
    EXPECT_EQ(a->subtype, b->subtype) << where;
    EXPECT_EQ(a->texture, b->texture) << where;
    EXPECT_EQ(a->texture2, b->texture2) << where;
    EXPECT_EQ(a->texture3, b->texture3) << where;
    EXPECT_EQ(a->texture4, b->texture4) << where;
    EXPECT_EQ(a->texture5, b->texture5) << where;
    ExpectSameColor(a->color2, b->color2, where + ".color2");
    ExpectSameColor(a->color3, b->color3, where + ".color3");
    ExpectSameColor(a->color4, b->color4, where + ".color4");
    ExpectSameColor(a->color5, b->color5, where + ".color5");
    EXPECT_EQ(a->elevation, b->elevation) << where;
    EXPECT_EQ(a->onTerrain, b->onTerrain) << where;
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(a->textureScales[i].x, b->textureScales[i].x) << where;
        EXPECT_EQ(a->textureScales[i].y, b->textureScales[i].y) << where;
        EXPECT_EQ(a->params[i], b->params[i]) << where;
    }
    EXPECT_EQ(a->planBits, b->planBits) << where;
    EXPECT_EQ(a->optionA, b->optionA) << where;
    EXPECT_EQ(a->optionB, b->optionB) << where;
    EXPECT_STREQ(a->text ? a->text : "", b->text ? b->text : "") << where;
    EXPECT_EQ(a->objectID, b->objectID) << where;

    const Poinz* p = a->firstPoint;
    const Poinz* q = b->firstPoint;
    for (int i = 0; p && q; p = p->next, q = q->next, ++i) {
        const std::string at = where + ".point" + std::to_string(i);
        EXPECT_EQ(p->kind, q->kind) << at;
        EXPECT_EQ(p->selected, q->selected) << at;
        EXPECT_EQ(p->detectable, q->detectable) << at;
        EXPECT_EQ(p->locked, q->locked) << at;
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(p->inTangent[k], q->inTangent[k]) << at;
            EXPECT_EQ(p->position[k], q->position[k]) << at;
            EXPECT_EQ(p->outTangent[k], q->outTangent[k]) << at;
            EXPECT_EQ(p->acrossTangent[k], q->acrossTangent[k]) << at;
        }
        EXPECT_EQ(p->texture1, q->texture1) << at;
        EXPECT_EQ(p->texture2, q->texture2) << at;
        EXPECT_EQ(p->textureU, q->textureU) << at;
        EXPECT_EQ(p->textureV, q->textureV) << at;
        EXPECT_EQ(p->rowLength, q->rowLength) << at;
        EXPECT_EQ(p->rowPerimeter, q->rowPerimeter) << at;
        ExpectSameColor(p->color1, q->color1, at);
        ExpectSameColor(p->color2, q->color2, at);
        EXPECT_EQ(p->baseElevation, q->baseElevation) << at;
        EXPECT_EQ(p->wallStyle, q->wallStyle) << at;
        EXPECT_EQ(p->dimensionMethod, q->dimensionMethod) << at;
        EXPECT_EQ(p->dimensionFlipped, q->dimensionFlipped) << at;
        EXPECT_EQ(p->segmentFlags, q->segmentFlags) << at;
        for (int k = 0; k < 5; ++k) EXPECT_EQ(p->segmentValues[k], q->segmentValues[k]) << at;
        EXPECT_EQ(p->faceScale1.x, q->faceScale1.x) << at;
        EXPECT_EQ(p->faceScale1.y, q->faceScale1.y) << at;
        EXPECT_EQ(p->faceScale2.x, q->faceScale2.x) << at;
        EXPECT_EQ(p->faceScale2.y, q->faceScale2.y) << at;
        EXPECT_EQ(p->pointID, q->pointID) << at;
        if (a->type == objtype::kWall) {
            ExpectSameTrim(p->trim1, q->trim1, at + ".trim1");
            ExpectSameTrim(p->trim2, q->trim2, at + ".trim2");
        }
    }
    EXPECT_EQ(p == nullptr, q == nullptr) << where << ": point lists differ in length";
    ExpectSameTypeData(a, b, where);
    ExpectSameList(a->firstChild, b->firstChild, where + ".child");
}

}  // namespace dvxtest

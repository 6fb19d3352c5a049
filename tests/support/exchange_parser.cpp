#include "support/exchange_parser.h"

#include <cstring>
#include <stdexcept>

namespace dvxtest {

bool LittleEndianCursor::take(size_t n) {
    if (pos + n > b_.size()) {
        overrun = true;
        pos = b_.size();
        return false;
    }
    return true;
}

uint8_t LittleEndianCursor::u8() { return take(1) ? b_[pos++] : 0; }
int16_t LittleEndianCursor::i16() { return static_cast<int16_t>(u16()); }
uint16_t LittleEndianCursor::u16() {
    if (!take(2)) return 0;
    const uint16_t v = static_cast<uint16_t>(b_[pos] | (b_[pos + 1] << 8));
    pos += 2;
    return v;
}
int32_t LittleEndianCursor::i32() { return static_cast<int32_t>(u32()); }
uint32_t LittleEndianCursor::u32() {
    if (!take(4)) return 0;
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | b_[pos + static_cast<size_t>(i)];
    pos += 4;
    return v;
}
float LittleEndianCursor::f32() {
    const uint32_t bits = u32();
    float f;
    std::memcpy(&f, &bits, 4);
    return f;
}
RGBColor LittleEndianCursor::color() {
    RGBColor c;
    c.red = u16();
    c.green = u16();
    c.blue = u16();
    return c;
}
std::string LittleEndianCursor::text() {
    const int32_t n = i32();
    if (n < 0 || !take(static_cast<size_t>(n))) {
        overrun = true;
        return {};
    }
    std::string s(reinterpret_cast<const char*>(b_.data() + pos), static_cast<size_t>(n));
    pos += static_cast<size_t>(n);
    return s;
}
std::vector<uint8_t> LittleEndianCursor::raw(size_t n) {
    if (!take(n)) return {};
    std::vector<uint8_t> v(b_.begin() + static_cast<long>(pos), b_.begin() + static_cast<long>(pos + n));
    pos += n;
    return v;
}

namespace {

struct Lost : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class Parser {
public:
    Parser(const std::vector<uint8_t>& bytes, int32_t version) : c(bytes), v(version) {}

    bool plus8000() const { return v == 8000 || v == 9000 || v == 10000 || v == 11000; }
    bool plus9000() const { return v == 9000 || v == 10000 || v == 11000; }
    bool plus10000() const { return v == 10000 || v == 11000; }

    void expect(int16_t tag, const char* where) {
        const size_t at = c.pos;
        const int16_t got = c.i16();
        if (got != tag)
            throw Lost(std::string(where) + ": tag " + std::to_string(tag) + " expected at " + std::to_string(at) +
                       ", found " + std::to_string(got));
    }

    // Rule T: plain numbers in old files, else a -1 carries a path.
    XTexture textureT() { return plus8000() ? encoded() : XTexture{c.i32(), {}}; }
    XTexture encoded() {
        XTexture t{c.i32(), {}};
        if (t.id == -1) t.path = c.text();
        return t;
    }
    XMaterial material(bool encodedAlways) {
        XMaterial m;
        m.texture = encodedAlways ? encoded() : textureT();
        m.scale[0] = c.i16();
        m.scale[1] = c.i16();
        m.color = c.color();
        return m;
    }

    void info(XObject& o) {
        o.id = c.u32();
        o.type = c.i16();
        o.subtype = c.i32();
        c.u8();
        if (plus9000()) c.u8();
        o.fill = c.color();
        o.aux = c.color();
        o.pen = c.color();
        c.f32();
        for (int i = 0; i < 3; ++i) c.i16();
        o.pointCount = c.i32();
        c.u8();
        c.i16();
        o.main.texture = textureT();
        o.main.scale[0] = c.i16();
        o.main.scale[1] = c.i16();
        o.main.color = o.fill;
        for (int i = 0; i < 8; ++i) c.f32();
        c.i16();
        c.f32();
        for (XMaterial& s : o.slots) s = material(false);
        o.elevation = c.f32();
        c.u8();
        c.i32();
        for (int i = 0; i < 5; ++i) c.f32();
        c.i32();
        c.i32();
        if (plus8000()) o.text = c.text();
        if (plus9000()) o.ownerTool = c.i32();
    }

    XTrim trim() {
        XTrim t;
        for (int32_t& kind : t.kind) {
            kind = c.i32();
            if (kind != 65536) continue;
            expect(210, "trim profile");
            record(300, "trim profile");
            ++t.profiles;
            expect(211, "trim profile end");
        }
        if (plus9000())
            for (int k = 0; k < 5; ++k) t.materials.push_back(material(true));
        return t;
    }

    void points(XObject& o) {
        const int32_t n = c.i32();
        if (n < 0 || n > 1000000) throw Lost("point count " + std::to_string(n));
        for (int32_t i = 0; i < n && !c.overrun; ++i) {
            XPoint p;
            p.id = c.u32();
            p.kind = c.i16();
            c.i32();
            c.u8();
            for (int k = 0; k < 12; ++k) {
                const float f = c.f32();
                if (k >= 3 && k < 6) p.position[k - 3] = f;
            }
            p.side[0] = material(false);
            p.side[1] = material(false);
            for (int k = 0; k < 4 + 1; ++k) c.f32();
            c.i16();
            c.i16();
            for (int k = 0; k < 5; ++k) c.f32();
            c.i32();
            if (o.type == 12 && plus8000()) {
                expect(208, "trim records");
                p.trims.push_back(trim());
                p.trims.push_back(trim());
                expect(209, "trim records end");
            } else {
                p.slots[0] = c.i32();
                p.slots[1] = c.i32();
            }
            o.points.push_back(std::move(p));
        }
    }

    // Records until `endTag`, each introduced by tag 300.
    std::vector<XObject> partsUntil(int16_t endTag) {
        std::vector<XObject> parts;
        for (;;) {
            const int16_t tag = c.i16();
            if (c.overrun) throw Lost("parts ran out");
            if (tag == endTag) return parts;
            if (tag != 300) throw Lost("part tag " + std::to_string(tag));
            parts.push_back(recordBody(300));
        }
    }

    XAttachment attachment(bool full) {
        XAttachment a;
        const size_t start = c.pos;
        a.ownerType = c.i16();
        a.style = c.i16();
        a.start = c.i32();
        a.end = c.i32();
        for (float& f : a.lengths) f = c.f32();
        for (int i = 0; i < 3; ++i)
            if (c.i32() != 0) throw Lost("attachment link not 0");
        c.u8();
        if (!full && c.u8() != 0) throw Lost("short attachment pad not 0");
        c.f32();
        for (int16_t& s : a.shorts) s = c.i16();
        c.f32();
        if (!full) {
            if (c.pos - start != 60) throw Lost("short attachment not 60 bytes");
            return a;
        }
        if (a.style == 512 || a.style == 626) {
            expect(212, "custom parts");
            a.parts = partsUntil(213);
        }
        for (uint8_t& flag : a.trimFlags) {
            flag = c.u8();
            XMaterial m;
            m.texture = encoded();
            m.scale[0] = c.i16();
            m.scale[1] = c.i16();
            m.color = c.color();
            a.materials.push_back(m);
            if (flag) {
                expect(210, "attachment trim");
                record(300, "attachment trim");
                expect(211, "attachment trim end");
            }
        }
        return a;
    }

    XAttachment roofAttachment() {
        XAttachment a;
        a.ownerType = c.i16();
        a.style = c.i16();
        for (int i = 0; i < 4; ++i) a.lengths[i] = c.f32();
        c.i32();
        c.u8();
        c.u8();
        if (c.i32() != 0 || c.i32() != 0) throw Lost("roof attachment links not 0");
        if (a.ownerType == 160 && a.style == 806) {
            expect(215, "skylight parts");
            a.parts = partsUntil(216);
        }
        a.materials.push_back(material(true));
        a.materials.push_back(material(true));
        return a;
    }

    void hosted(XObject& o, bool roof) {
        const int32_t n = c.i32();
        if (n < 0 || n > 100000) throw Lost("child count " + std::to_string(n));
        for (int32_t i = 0; i < n; ++i) {
            XObject child;
            child.tag = c.i16();
            info(child);
            points(child);
            if (roof) child.attachment = roofAttachment();
            else child.attachment = attachment(plus8000());
            child.end = c.pos;
            o.hosted.push_back(std::move(child));
        }
    }

    void data(XObject& o) {
        switch (o.type) {
        case 12:
        case 51:
            hosted(o, false);
            break;
        case 14:
            if (plus9000()) hosted(o, true);
            break;
        case 144:
        case 145:
            o.hasItem = true;
            o.item = c.text();
            o.font = c.raw(60);
            break;
        case 28:
            if (o.subtype == 153 && v != 5000) {
                o.hasItem = true;
                o.item = c.text();
            }
            break;
        case 130:
            o.hasItem = true;
            o.item = c.text();
            break;
        default:
            break;
        }
    }

    XObject recordBody(int16_t tag) {
        XObject o;
        o.tag = tag;
        info(o);
        points(o);
        data(o);
        o.end = c.pos;
        return o;
    }

    void record(int16_t tag, const char* where) {
        expect(tag, where);
        recordBody(tag);
    }

    void settings(XSettings& s) {
        s.start = c.pos;
        expect(100, "settings");
        c.u8(); c.u8();
        for (int i = 0; i < 4; ++i) c.f32();
        c.i16();
        s.penWidth = c.f32();
        for (int i = 0; i < 4; ++i) c.f32();
        c.i16();
        c.color();
        for (int i = 0; i < 9; ++i) c.color();
        c.color();
        c.color();
        s.fontHeight = c.i32();
        c.i32();
        c.u8(); c.u8();
        s.face = c.text();
        s.appFontHeight = c.i32();
        c.i32();
        c.u8(); c.u8();
        s.appFace = c.text();
        if (plus8000()) c.i16();
        c.f32();
        c.i16();
        c.f32();
        c.i16(); c.i16();
        c.i16();
        for (int i = 0; i < 4; ++i) c.f32();
        s.skyColor = c.color();
        s.skyTexture = textureT();
        s.skyScale[0] = c.i16();
        s.skyScale[1] = c.i16();
        s.lotColor = c.color();
        s.lotTexture = textureT();
        s.lotScale[0] = c.i16();
        s.lotScale[1] = c.i16();
        c.i16();
        for (int i = 0; i < 5; ++i) c.f32();
        for (int i = 0; i < 216; ++i) s.colorTable.push_back(c.u16());
        c.f32();
        c.i16();
        s.tracePath = c.text();
        c.u8();
        c.f32(); c.f32();
        c.u8(); c.u8(); c.u8();
        for (int i = 0; i < 3; ++i) c.f32();
        c.i32();
        c.f32();
        for (int i = 0; i < 11; ++i) c.i32();
        c.u8();
        c.f32();
        for (int i = 0; i < 5; ++i) c.i32();
        c.u8();
        c.i32();
        c.u8();
        c.f32();
        s.nextObjectID = c.u32();
        s.nextPointID = c.u32();
        if (plus8000()) {
            c.u8();
            c.f32(); c.f32();
            c.i16(); c.i16();
            c.f32(); c.f32();
            c.f32();
            c.text();
            c.i32(); c.i32(); c.i32();
        }
        if (plus9000()) {
            for (int i = 0; i < 5; ++i) s.fence.push_back(c.f32());
            for (int i = 0; i < 3; ++i) c.f32();
            c.i32();
            c.u8();
            c.color();
            c.i16(); c.i16(); c.i16();
            c.f32();
            for (int i = 0; i < 5; ++i) c.u8();
            c.i16(); c.i16();
            c.u16();
            c.i32();
            c.i16();
            c.u8();
        }
        if (v == 11000) {
            c.color();
            c.color();
        }
        s.end = c.pos;
        if (!plus10000()) return;
        s.savedViews = c.i32();
        for (int32_t i = 0; i < s.savedViews; ++i) {
            s.viewNames.push_back(c.text());
            // i16, u8, f32 x9, i32, i16, i32, u8, i32, u8, i16, u8, i16, u8, u16, f32, u8, f32,
            // f32, i16, f32, f32, u8.
            s.viewFields.push_back(c.raw(2 + 1 + 36 + 4 + 2 + 4 + 1 + 4 + 1 + 2 + 1 + 2 + 1 + 2 + 4 + 1 + 4 + 4 + 2 +
                                         4 + 4 + 1));
        }
        s.palettes = c.i32();
        for (int32_t i = 0; i < s.palettes; ++i) {
            if (c.i32() != 622) throw Lost("palette tag");
            c.u8();
            s.paletteNames.push_back(c.text());
            const int32_t groups = c.i32();
            for (int32_t g = 0; g < groups; ++g) {
                c.u8();
                c.text();
            }
            const int32_t entries = c.i32();
            for (int32_t e = 0; e < entries; ++e) {
                if (c.i32() != 620) throw Lost("palette entry tag");
                c.i32();
                c.i16();
                c.color();
                c.i32();
                c.i16(); c.i16();
                c.color();
                c.text();
                c.text();
            }
            if (c.i32() != 621) throw Lost("palette entries end");
        }
        if (c.i32() != 623) throw Lost("palettes end");
    }

    void floors(XFile& f) {
        for (;;) {
            const int16_t tag = c.i16();
            if (c.overrun) throw Lost("objects ran out");
            if (tag == 500) break;
            if (tag == 200) {
                XFloor floor;
                floor.name = c.text();
                floor.visible = c.u8();
                floor.active = c.u8();
                floor.height = c.f32();
                f.floors.push_back(std::move(floor));
                continue;
            }
            if (f.floors.empty()) throw Lost("record before a floor");
            XToken t;
            t.tag = tag;
            if (tag == 300) {
                t.object = recordBody(300);
            } else if (tag == 306) {
                // A state follows when the next i32 is its size.
                const size_t at = c.pos;
                if (c.i32() == 164) {
                    t.cabinetSize = 164;
                    t.cabinetState = c.raw(158);
                } else {
                    c.pos = at;
                }
            } else if (tag != 302 && tag != 303 && tag != 307) {
                throw Lost("unknown tag " + std::to_string(tag) + " at " + std::to_string(c.pos - 2));
            }
            f.floors.back().tokens.push_back(std::move(t));
        }
        f.objectsEnd = c.pos;
        while (!c.atEnd()) {
            expect(600, "data block");
            XBlock b;
            b.size = c.i32();
            if (b.size > 0) b.data = c.raw(static_cast<size_t>(b.size));
            expect(601, "data block end");
            f.blocks.push_back(std::move(b));
        }
    }

    LittleEndianCursor c;
    int32_t v;
};

}  // namespace

XFile ParseExchange(const std::vector<uint8_t>& bytes) {
    XFile f;
    LittleEndianCursor head(bytes);
    f.docID = head.i32();
    f.version = head.i32();
    f.platform = head.i16();
    f.reserved[0] = head.text();
    f.reserved[1] = head.text();
    Parser p(bytes, f.version);
    p.c.pos = head.pos;
    try {
        p.settings(f.settings);
        p.floors(f);
        if (p.c.overrun) throw Lost("ran past the end");
        f.complete = true;
    } catch (const Lost& lost) {
        f.problem = lost.what();
    }
    return f;
}

std::vector<const XObject*> Records(const XFloor& floor) {
    std::vector<const XObject*> out;
    for (const XToken& t : floor.tokens)
        if (t.tag == 300) out.push_back(&t.object);
    return out;
}

}  // namespace dvxtest

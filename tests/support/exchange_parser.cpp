#include "support/exchange_parser.h"

#include <cctype>
#include <cstdlib>
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
int32_t LittleEndianCursor::i32() {
    if (!take(4)) return 0;
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | b_[pos + static_cast<size_t>(i)];
    pos += 4;
    return static_cast<int32_t>(v);
}
float LittleEndianCursor::f32() {
    const int32_t bits = i32();
    float f;
    std::memcpy(&f, &bits, 4);
    return f;
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
void LittleEndianCursor::skip(const char* run) {
    for (const char* p = run; *p;) {
        char* after = nullptr;
        const long count = std::isdigit(static_cast<unsigned char>(*p)) ? std::strtol(p, &after, 10) : 1;
        if (after) p = after;
        for (long i = 0; i < count; ++i) {
            switch (*p) {
            case 'b': u8(); break;
            case 'h': u16(); break;
            case 'f': i32(); break;
            case 'c': raw(6); break;
            case 't': text(); break;
            default: throw std::logic_error(std::string("bad run ") + run);
            }
        }
        ++p;
    }
}

namespace {

struct Lost : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class Parser {
public:
    Parser(const std::vector<uint8_t>& bytes, size_t at, int32_t version) : c(bytes, at), v(version) {}

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
    void expect32(int32_t tag, const char* where) {
        if (c.i32() != tag) throw Lost(std::string(where) + ": tag " + std::to_string(tag) + " expected");
    }

    // A -1 carries a path; old files have plain numbers only.
    XTexture encoded() {
        XTexture t{c.i32(), {}};
        if (t.id == -1) t.path = c.text();
        return t;
    }
    XTexture textureT() { return plus8000() ? encoded() : XTexture{c.i32(), {}}; }
    // Texture, scale, colour.
    XMaterial material(bool encodedAlways) {
        XMaterial m;
        m.texture = encodedAlways ? encoded() : textureT();
        m.scale[0] = c.i16();
        m.scale[1] = c.i16();
        c.skip("c");
        return m;
    }

    void info(XObject& o) {
        c.skip("f");
        o.type = c.i16();
        o.subtype = c.i32();
        c.skip(plus9000() ? "bb" : "b");
        c.skip("3cf3hfbh");
        o.main.texture = textureT();
        o.main.scale[0] = c.i16();
        o.main.scale[1] = c.i16();
        c.skip("8fhf");
        for (XMaterial& s : o.slots) s = material(false);
        c.skip("fbf5fff");
        if (plus8000()) c.skip("t");
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
            for (; t.materials < 5; ++t.materials) material(true);
        return t;
    }

    void points(XObject& o) {
        const int32_t n = c.i32();
        if (n < 0 || n > 1000000) throw Lost("point count " + std::to_string(n));
        for (int32_t i = 0; i < n && !c.overrun; ++i) {
            XPoint p;
            c.skip("fhfb12f");
            p.side[0] = material(false);
            p.side[1] = material(false);
            c.skip("5f2h5ff");
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

    void zeroLinks(int n, const char* what) {
        for (int i = 0; i < n; ++i)
            if (c.i32() != 0) throw Lost(std::string(what) + " link not 0");
    }

    XAttachment attachment(bool full) {
        XAttachment a;
        const size_t start = c.pos;
        c.skip("h");
        a.style = c.i16();
        a.start = c.i32();
        a.end = c.i32();
        c.skip("5f");
        zeroLinks(3, "attachment");
        c.skip("b");
        if (!full && c.u8() != 0) throw Lost("short attachment pad not 0");
        c.skip("f3hf");
        if (!full) {
            if (c.pos - start != 60) throw Lost("short attachment not 60 bytes");
            return a;
        }
        if (a.style == 512 || a.style == 626) {
            expect(212, "custom parts");
            a.parts = partsUntil(213);
        }
        for (int side = 0; side < 2; ++side) {
            const uint8_t flag = c.u8();
            material(true);
            if (!flag) continue;
            expect(210, "attachment trim");
            record(300, "attachment trim");
            expect(211, "attachment trim end");
        }
        return a;
    }

    XAttachment roofAttachment() {
        XAttachment a;
        const int16_t ownerType = c.i16();
        a.style = c.i16();
        c.skip("4ffbb");
        zeroLinks(2, "roof attachment");
        if (ownerType == 160 && a.style == 806) {
            expect(215, "skylight parts");
            a.parts = partsUntil(216);
        }
        material(true);
        material(true);
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
            child.attachment = roof ? roofAttachment() : attachment(plus8000());
            o.hosted.push_back(std::move(child));
        }
    }

    void item(XObject& o) {
        o.hasItem = true;
        o.item = c.text();
    }

    void data(XObject& o) {
        switch (o.type) {
        case 12: case 51: hosted(o, false); break;
        case 14: if (plus9000()) hosted(o, true); break;
        case 144: case 145: item(o); o.font = c.raw(60); break;
        case 28: if (o.subtype == 153 && v != 5000) item(o); break;
        case 130: item(o); break;
        default: break;
        }
    }

    XObject recordBody(int16_t tag) {
        XObject o;
        o.tag = tag;
        info(o);
        points(o);
        data(o);
        return o;
    }

    void record(int16_t tag, const char* where) {
        expect(tag, where);
        recordBody(tag);
    }

    // Two fonts (height negated, weight, italic, underline, face), then the rest in order.
    void settings(XSettings& s) {
        expect(100, "settings");
        c.skip("bb4fh");
        s.penWidth = c.f32();
        c.skip("4fh12c");
        s.fontHeight = c.i32();
        c.skip("fbb");
        s.face = c.text();
        s.appFontHeight = c.i32();
        c.skip("fbb");
        s.appFace = c.text();
        if (plus8000()) c.skip("h");
        c.skip("fhfhhh4fc");
        textureT();
        c.skip("2hc");
        s.lotTexture = textureT();
        s.lotScale[0] = c.i16();
        s.lotScale[1] = c.i16();
        c.skip("h5f");
        for (int i = 0; i < 216; ++i) s.colorTable.push_back(c.u16());
        c.skip("fh");
        s.tracePath = c.text();
        c.skip("b2f3b3fff11fbf5fbfbf");
        s.nextObjectID = static_cast<uint32_t>(c.i32());
        s.nextPointID = static_cast<uint32_t>(c.i32());
        if (plus8000()) c.skip("b2f2h3ft3f");
        if (plus9000()) {
            for (int i = 0; i < 5; ++i) s.fence.push_back(c.f32());
            c.skip("3ffbc3hf5b3hfhb");
        }
        if (v == 11000) c.skip("2c");
        if (!plus10000()) return;
        s.savedViews = c.i32();
        for (int32_t i = 0; i < s.savedViews; ++i) {
            s.viewNames.push_back(c.text());
            const size_t at = c.pos;
            c.skip("hb9ffhfbfbhbhbhfbffhffb");
            const size_t n = c.pos - at;
            c.pos = at;
            s.viewFields.push_back(c.raw(n));
        }
        s.palettes = c.i32();
        for (int32_t i = 0; i < s.palettes; ++i) {
            expect32(622, "palette");
            c.skip("bt");
            const int32_t groups = c.i32();
            for (int32_t g = 0; g < groups; ++g) c.skip("bt");
            const int32_t entries = c.i32();
            for (int32_t e = 0; e < entries; ++e) {
                expect32(620, "palette entry");
                c.skip("fhcf2hctt");
            }
            expect32(621, "palette entries end");
        }
        expect32(623, "palettes end");
    }

    void floors(XFile& f) {
        for (;;) {
            const int16_t tag = c.i16();
            if (c.overrun) throw Lost("objects ran out");
            if (tag == 500) break;
            if (tag == 200) {
                XFloor floor;
                floor.name = c.text();
                c.skip("bb");
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
                if (c.i32() == 164) t.cabinetState = c.raw(158);
                else c.pos = at;
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

// Header: document ID, version, platform 2, two reserved texts.
XFile ParseExchange(const std::vector<uint8_t>& bytes) {
    XFile f;
    LittleEndianCursor head(bytes);
    head.skip("f");
    f.version = head.i32();
    head.skip("htt");
    Parser p(bytes, head.pos, f.version);
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

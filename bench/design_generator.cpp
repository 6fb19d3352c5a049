#include "design_generator.h"

#include <cmath>
#include <initializer_list>
#include <random>
#include <vector>

#include "model/bounds.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/objects.h"
#include "model/texture_mapping.h"
#include "model/type_data.h"

namespace dvxbench {

namespace {

constexpr float kPi = 3.14159265f;
constexpr float kCell = 600.0f;      // plan units between neighbourhoods
constexpr float kWallHeight = 96.0f;
constexpr float kHalfThickness = 3.0f;
constexpr int32_t kPlantTexture = 13010;

struct P3 {
    float h = 0, v = 0, d = 0;
};

class Builder {
public:
    explicit Builder(const DesignSize& size) : size_(size), random_(size.seed) {}

    DesignStats Run() {
        for (Layer* l = gCurDocument ? gCurDocument->itsLayers : nullptr; l && floors_.size() < 3; l = l->next) {
            floors_.push_back(l);
            Objex* tail = l->firstObject;
            while (tail && tail->next) tail = tail->next;
            tails_.push_back(tail);
        }
        if (floors_.empty()) return stats_;
        const int columns = 40;
        for (int cell = 0; stats_.objects < size_.objects; ++cell) {
            floor_ = static_cast<size_t>(cell) % floors_.size();
            ox_ = static_cast<float>(cell % columns) * kCell;
            od_ = static_cast<float>(cell / columns) * kCell;
            Neighbourhood();
        }
        floor_ = 0;
        for (int32_t i = 0; i < size_.lights; ++i) Light(i);
        return stats_;
    }

private:
    float Jitter(float range) { return std::uniform_real_distribution<float>(-range, range)(random_); }
    bool Room(int objects) const { return stats_.objects + objects <= size_.objects; }

    Objex* NewObject(int16_t type, uint8_t closed) {
        const RGBColor fill{0xC000, 0xC000, 0xC000};
        const RGBColor pen{0, 0, 0};
        FloatRect bounds;
        Objex* o = CreateObject(type, closed, 1, &fill, &pen, 1.0f, 6, 0, &bounds, nullptr, nullptr, nullptr,
                                floors_[floor_], TypeData{});
        if (o) o->planBits = 0x1FF;
        return o;
    }

    Poinz* Point(Objex* o, P3 p, P3 in = {}, P3 out = {}) {
        Poinz* pt = CreatePoint(1, 0, 0, in.h, in.v, in.d, p.h, p.v, p.d, out.h, out.v, out.d, 0, 0, 0, o);
        AppendPointToObject(pt, o);
        return pt;
    }

    void Points(Objex* o, std::initializer_list<P3> pts) {
        for (const P3& p : pts) Point(o, p);
    }

    // A plan object counted in the stats; `points` of its own.
    void Count(Objex* o) {
        ++stats_.objects;
        stats_.points += o->pointCount;
    }

    // What an edit leaves behind: bounds, texture coordinates and point lengths.
    void Finish(Objex* o) {
        UpdateObjectBounds(o);
        if (o->type == 1000) return;
        SetTextureFaceUV(o);
        SetObjectPointLengths(o);
    }

    // Appends at the floor's remembered tail: building stays linear.
    void Link(Objex* o) {
        Objex*& tail = tails_[floor_];
        o->layer = floors_[floor_];
        o->prev = tail;
        o->next = nullptr;
        if (tail) tail->next = o;
        else floors_[floor_]->firstObject = o;
        tail = o;
    }

    void Place(Objex* o) {
        Link(o);
        Count(o);
        Finish(o);
    }

    void Child(Objex* child, Objex* parent) {
        AppendChildToObject(child, parent);
        Count(child);
    }

    void Neighbourhood() {
        if (Room(6)) House();
        if (Room(3)) InteriorWall();
        if (Room(1)) Floor();
        if (Room(1)) Roof();
        if (Room(1)) Stairs();
        if (Room(1)) Railing();
        if (Room(2)) Deck();
        if (Room(1)) Fence();
        if (Room(1)) Terrain();
        if (Room(1)) CurvedPath();
        if (Room(1)) StraightOutline();
        if (Room(1)) CurvedOutline();
        if (Room(1)) Label("Living room", ox_ + 80, od_ + 100);
        if (Room(2)) Dimension();
        if (Room(4)) Cabinets();
        if (Room(4)) NestedGroup();
        if (Room(3)) PlainGroup();
        for (int i = 0; i < 3 && Room(1); ++i) Plant(i);
    }

    // --- walls ---

    static TrimRecord* NewTrim(int32_t slot0, int32_t slot1) {
        TrimRecord* t = new TrimRecord{};
        t->slot[0] = slot0;
        t->slot[1] = slot1;
        for (int i = 0; i < 5; ++i) {
            t->texture[i] = 850 + i;
            t->color[i] = RGBColor{0xFFFF, 0xFFFF, 0xFFFF};
            t->scale[i][0] = t->scale[i][1] = 100;
        }
        return t;
    }

    // A trim's custom profile: a small closed outline owned by the trim record.
    Objex* Profile() {
        const RGBColor fill{0xFFFF, 0xFFFF, 0xFFFF};
        const RGBColor pen{0, 0, 0};
        Objex* p = CreateObject(8, 1, 1, &fill, &pen, 1.0f, 6, 0, nullptr, nullptr, nullptr, nullptr, nullptr,
                                TypeData{});
        Points(p, {{0, 0, 0}, {3.5f, 0, 0}, {3.5f, 0.75f, 0}, {0.5f, 0.75f, 0}, {0, 0.5f, 0}});
        stats_.generatedPoints += p->pointCount;
        UpdateObjectBounds(p);
        return p;
    }

    // A wall along `centre`, its two-row plan solid, trims on every point (one custom profile
    // when asked) and the stored wall point fields.
    Objex* Wall(const std::vector<P3>& centre, bool profile) {
        Objex* wall = NewObject(12, 0);
        wall->penWidth = 2 * kHalfThickness;
        wall->subtype = 54;
        wall->params[0] = kWallHeight;
        wall->params[1] = 16.0f;
        wall->texture = 1700;
        wall->texture2 = 2213;
        wall->texture3 = 2212;
        wall->texture4 = 2213;
        wall->texture5 = 850;
        for (size_t i = 0; i < centre.size(); ++i) {
            Poinz* p = Point(wall, centre[i]);
            p->segmentValues[0] = kWallHeight;
            p->segmentValues[1] = p->segmentValues[2] = 10.0f;
            p->segmentValues[3] = 120.0f;
            p->segmentValues[4] = 168.0f;
            p->dimensionFlipped = static_cast<int16_t>(i % 2);
            p->trim1 = NewTrim(3, 0);
            p->trim2 = NewTrim(0, 2);
            if (profile && i == 0) {
                p->trim1->slot[0] = TrimRecord::kCustomProfile;
                p->trim1->profile[0] = Profile();
            }
        }

        Objex* solid = NewObject(10, 1);
        solid->subtype = 140;
        solid->rows = 2;
        solid->sourceObject = wall;
        for (float v : {0.0f, kWallHeight}) {
            for (size_t i = 0; i < centre.size(); ++i) Point(solid, Offset(centre, i, kHalfThickness, v));
            for (size_t i = centre.size(); i-- > 0;) Point(solid, Offset(centre, i, -kHalfThickness, v));
        }
        stats_.generatedPoints += solid->pointCount;
        solid->layer = nullptr;
        UpdateObjectBounds(solid);
        wall->typeData = TypeData::OfWallSolid(solid);
        Link(wall);
        Count(wall);
        ++stats_.walls;
        return wall;
    }

    // Four corners of a room joined by two walls, each with a door or window per segment.
    void House() {
        const float h = ox_ + 20 + Jitter(2), d = od_ + 20 + Jitter(2), w = 200, dp = 160;
        const P3 c[4] = {{h, 0, d}, {h + w, 0, d}, {h + w, 0, d + dp}, {h, 0, d + dp}};
        Objex* south = Wall({c[0], c[1], c[2]}, true);
        Opening(south, 16, 0, 0, 80);
        Opening(south, 17, 1, 36, 84);
        Finish(south);
        Objex* north = Wall({c[2], c[3], c[0]}, false);
        Opening(north, 17, 0, 36, 84);
        Opening(north, 17, 1, 36, 84);
        Finish(north);
    }

    // A partition from the south wall to the north wall with a door.
    void InteriorWall() {
        const float h = ox_ + 120;
        Objex* wall = Wall({{h, 0, od_ + 20}, {h, 0, od_ + 100}, {h, 0, od_ + 180}}, false);
        wall->auxColor.red = 1;
        Opening(wall, 16, 0, 0, 80);
        Opening(wall, 16, 1, 0, 80);
        Finish(wall);
    }

    // The solid's corner beside centre point i, `side` across the wall, at height v.
    static P3 Offset(const std::vector<P3>& c, size_t i, float side, float v) {
        const P3& a = c[i > 0 ? i - 1 : i];
        const P3& b = c[i + 1 < c.size() ? i + 1 : i];
        float dh = b.h - a.h, dd = b.d - a.d;
        const float len = std::sqrt(dh * dh + dd * dd);
        if (len > 0) dh /= len, dd /= len;
        return {c[i].h - dd * side, v, c[i].d + dh * side};
    }

    static Poinz* NthPoint(Objex* o, int n) {
        Poinz* p = o->firstPoint;
        while (p && n-- > 0) p = p->next;
        return p;
    }

    // A door (16) or window (17) in the middle of segment `segment`: its two ends on the wall's
    // centre line and its attachment record linked to the segment's points.
    void Opening(Objex* host, int16_t type, int segment, float bottom, float top) {
        Poinz* a = NthPoint(host, segment);
        Poinz* b = a ? a->next : nullptr;
        if (!b) return;
        Objex* o = NewObject(type, 1);
        const float width = type == 16 ? 30.0f : 36.0f;
        float length = 0;
        const float angle =
            GetLineLengthAndAngle(a->position[0], a->position[2], b->position[0], b->position[2], &length);
        for (float along : {length / 2 - width / 2, length / 2 + width / 2}) {
            float dh = 0, dd = 0;
            GetPointFromLengthAndAngle(angle, along, &dh, &dd);
            Point(o, {a->position[0] + dh, 0, a->position[2] + dd});
        }
        AttachmentRecord* r = new AttachmentRecord{};
        r->ownerType = type;
        r->style = type == 16 ? 500 : 600;
        r->segmentStart = a;
        r->segmentEnd = b;
        r->centreDistance = length / 2;
        r->remainder = length - length / 2;
        r->width = width;
        r->height = top - bottom;
        r->elevation = bottom;
        r->swingOrOffset = type == 16 ? kPi / 2 : 0;
        r->trimWidth = 3.5f;
        r->insideTrimTexture = r->outsideTrimTexture = 850;
        r->insideTrimScale[0] = r->insideTrimScale[1] = 100;
        r->outsideTrimScale[0] = r->outsideTrimScale[1] = 100;
        r->insideTrimColor = r->outsideTrimColor = RGBColor{0xFFFF, 0xFFFF, 0xFFFF};
        o->typeData = TypeData::OfAttachment(r);
        Child(o, host);
        Finish(o);
    }

    // --- building parts ---

    void Floor() {
        Objex* o = NewObject(13, 1);
        const float h = ox_ + 20, d = od_ + 20, w = 200, dp = 160;
        const float corners[8][2] = {{0, 0}, {w / 2, 0}, {w, 0}, {w, dp / 2},
                                     {w, dp}, {w / 2, dp}, {0, dp}, {0, dp / 2}};
        for (const auto& c : corners) Point(o, {h + c[0], 0, d + c[1]});
        Place(o);
    }

    // A hip roof over the room: the outline (6 points) and four generated panels that
    // overhang it by 12 and rise to a ridge.
    void Roof() {
        Objex* o = NewObject(14, 1);
        const float h = ox_ + 20, d = od_ + 20, w = 200, dp = 160;
        Points(o, {{h, 0, d}, {h + w / 2, 0, d}, {h + w, 0, d}, {h + w, 0, d + dp}, {h + w / 2, 0, d + dp}, {h, 0, d + dp}});
        const float e = 12, ridge = 60;
        const P3 r1{h + dp / 2, ridge, d + dp / 2}, r2{h + w - dp / 2, ridge, d + dp / 2};
        const P3 c[4] = {{h - e, 0, d - e}, {h + w + e, 0, d - e}, {h + w + e, 0, d + dp + e}, {h - e, 0, d + dp + e}};
        Objex* panels = nullptr;
        Objex* last = nullptr;
        auto panel = [&](std::initializer_list<P3> pts) {
            Objex* p = NewObject(32, 1);
            p->layer = nullptr;
            Points(p, pts);
            stats_.generatedPoints += p->pointCount;
            UpdateObjectBounds(p);
            if (!panels) panels = p;
            else last->next = p, p->prev = last;
            last = p;
        };
        panel({c[0], c[1], r2, r1});
        panel({c[1], c[2], r2});
        panel({c[2], c[3], r1, r2});
        panel({c[3], c[0], r1});
        o->typeData = TypeData::OfRoofPanels(panels);
        Place(o);
    }

    void Stairs() {
        Objex* o = NewObject(38, 1);
        o->subtype = 800;
        o->params[4] = kWallHeight;
        const float h = ox_ + 140, d = od_ + 120;
        Points(o, {{h, 0, d}, {h + 36, 0, d}, {h + 36, 0, d + 110}, {h, 0, d + 110}});
        Place(o);
    }

    void Railing() {
        Objex* o = NewObject(45, 0);
        o->subtype = 802;
        const float h = ox_ + 136, d = od_ + 120;
        Points(o, {{h, 0, d}, {h, 0, d + 110}});
        Place(o);
    }

    // A deck outside the room with steps on its front edge.
    void Deck() {
        Objex* deck = NewObject(51, 1);
        const float h = ox_ + 240, d = od_ + 40 + Jitter(5);
        Points(deck, {{h, 0, d}, {h + 100, 0, d}, {h + 100, 0, d + 120}, {h, 0, d + 120}});
        Link(deck);
        Count(deck);
        Objex* steps = NewObject(53, 1);
        Points(steps, {{h + 100, 0, d + 40}, {h + 100, 0, d + 76}});  // on the edge, where a refit keeps it
        AttachmentRecord* r = new AttachmentRecord{};
        r->ownerType = 53;
        r->segmentStart = NthPoint(deck, 1);
        r->segmentEnd = NthPoint(deck, 2);
        r->centreDistance = 58;
        r->remainder = 62;
        r->width = 36;
        r->height = 30;
        steps->typeData = TypeData::OfAttachment(r);
        Child(steps, deck);
        Finish(steps);
        Finish(deck);
    }

    void Fence() {
        Objex* o = NewObject(25, 0);
        const float h = ox_ + 5, d = od_ + 5;
        Points(o, {{h, 0, d + 580}, {h, 0, d}, {h + 290, 0, d + Jitter(3)}, {h + 580, 0, d}, {h + 580, 0, d + 580}});
        Place(o);
    }

    // A ground fill: the lot's grass around the house.
    void Terrain() {
        Objex* o = NewObject(27, 1);
        const float h = ox_ + 10, d = od_ + 200;
        Points(o, {{h, 0, d}, {h + 220, 0, d + 10}, {h + 230, 0, d + 120}, {h + 120, 0, d + 160},
                   {h + 10, 0, d + 130}, {h - 5, 0, d + 60}});
        Place(o);
    }

    // An open path of 20 points with cardinal-spline tangents.
    void CurvedPath() {
        Objex* o = NewObject(22, 0);
        std::vector<P3> pts;
        for (int i = 0; i < 20; ++i)
            pts.push_back({ox_ + 20.0f * static_cast<float>(i), 0,
                           od_ + 420 + 30 * std::sin(static_cast<float>(i) * 0.7f) + Jitter(3)});
        for (size_t i = 0; i < pts.size(); ++i) {
            const P3& a = pts[i > 0 ? i - 1 : i];
            const P3& b = pts[i + 1 < pts.size() ? i + 1 : i];
            const P3 t{0.5f * (b.h - a.h), 0, 0.5f * (b.d - a.d)};
            Point(o, pts[i], t, t);
        }
        ++stats_.curvedOutlines;
        Place(o);
    }

    void StraightOutline() {
        Objex* o = NewObject(9, 1);
        const float ch = ox_ + 380, cd = od_ + 220;
        for (int i = 0; i < 20; ++i) {
            const float a = 2 * kPi * static_cast<float>(i) / 20;
            const float r = (i % 2 ? 30.0f : 45.0f) + Jitter(5);
            Point(o, {ch + r * std::cos(a), 0, cd - r * std::sin(a)});
        }
        Place(o);
    }

    // A closed spline: a circle of 16 Hermite arcs.
    void CurvedOutline() {
        Objex* o = NewObject(9, 1);
        Circle(o, ox_ + 500, od_ + 220, 40 + Jitter(5), 16);
        ++stats_.curvedOutlines;
        Place(o);
    }

    void Circle(Objex* o, float ch, float cd, float r, int n) {
        const float k = 4.0f * r * std::tan(kPi / (2.0f * static_cast<float>(n)));
        for (int i = 0; i < n; ++i) {
            const float a = 2 * kPi * static_cast<float>(i) / static_cast<float>(n);
            const P3 t{-k * std::sin(a), 0, -k * std::cos(a)};
            Point(o, {ch + r * std::cos(a), 0, cd - r * std::sin(a)}, t, t);
        }
    }

    // --- annotations ---

    Objex* Label(const char* text, float h, float d) {
        Objex* o = NewObject(145, 1);
        Points(o, {{h, 0, d}, {h + 60, 0, d}, {h + 60, 0, d + 12}, {h, 0, d + 12}});
        TextData* td = new TextData{};
        td->text = CopyString(text);
        o->typeData = TypeData::OfText(td);
        Place(o);
        return o;
    }

    // A length dimension along the south wall and the text that gives its length.
    void Dimension() {
        Objex* o = NewObject(143, 0);
        o->subtype = 143;
        const float h = ox_ + 20, d = od_ + 8;
        Points(o, {{h, 0, d}, {h + 200, 0, d}});
        Place(o);
        Label("16' 8\"", h + 80, d - 14);
    }

    // --- groups ---

    // A run of three cabinet parts grouped with the cabinet's settings.
    void Cabinets() {
        Objex* group = NewObject(1000, 0);
        group->subtype = 136;
        group->elevation = 0;
        CabinetState* state = new CabinetState{};
        state->f1 = 24;
        state->f2 = 3;
        for (int i = 0; i < 15; ++i) state->f3to17[i] = static_cast<float>(i);
        state->f40 = 34.5f;
        group->typeData = TypeData::OfCabinet(state);
        const float h = ox_ + 26, d = od_ + 26;
        for (int i = 0; i < 3; ++i) {
            Objex* part = NewObject(8, 1);
            const float x = h + 24.0f * static_cast<float>(i);
            Points(part, {{x, 0, d}, {x + 24, 0, d}, {x + 24, 34.5f, d + 24}, {x, 34.5f, d + 24}});
            Child(part, group);
            Finish(part);
        }
        Place(group);
    }

    // A group holding a rectangle and a group with a curved outline: three levels.
    void NestedGroup() {
        Objex* outer = NewObject(1000, 0);
        outer->visible = 0;
        Objex* inner = NewObject(1000, 0);
        inner->visible = 0;
        Objex* rect = NewObject(1, 1);
        const float h = ox_ + 300, d = od_ + 480;
        Points(rect, {{h, 0, d}, {h + 60, 0, d}, {h + 60, 0, d + 40}, {h, 0, d + 40}, {h + 30, 0, d + 50},
                      {h - 10, 0, d + 20}});
        Objex* oval = NewObject(9, 1);
        Circle(oval, h + 120, d + 20, 25, 12);
        Child(rect, outer);
        Child(inner, outer);
        Child(oval, inner);
        Finish(rect);
        Finish(oval);
        Finish(inner);
        Place(outer);
    }

    // Furniture drawn as a group of two outlines.
    void PlainGroup() {
        Objex* group = NewObject(1000, 0);
        const float h = ox_ + 60, d = od_ + 120;
        Objex* table = NewObject(8, 1);
        Points(table, {{h, 0, d}, {h + 40, 0, d}, {h + 40, 0, d + 30}, {h, 0, d + 30}});
        Objex* chair = NewObject(8, 1);
        Points(chair, {{h + 10, 0, d + 32}, {h + 28, 0, d + 32}, {h + 28, 0, d + 48}, {h + 10, 0, d + 48}});
        Child(table, group);
        Child(chair, group);
        Finish(table);
        Finish(chair);
        Place(group);
    }

    // A fixture as the electrical tools place it: a group whose child carries the light's type.
    void Light(int32_t i) {
        constexpr int16_t kCanLight = 79;
        Objex* group = NewObject(1000, 0);
        const float h = 120.0f + 400.0f * static_cast<float>(i % 5), d = 200.0f + 400.0f * static_cast<float>(i / 5);
        Objex* lamp = NewObject(kCanLight, 1);
        Points(lamp, {{h, -90, d}, {h + 8, -90, d}, {h + 8, -90, d + 8}, {h, -90, d + 8}});
        Child(lamp, group);
        Finish(lamp);
        Place(group);
    }

    void Plant(int i) {
        Objex* o = NewObject(28, 0);
        Poinz* p = Point(o, {ox_ + 400 + 60.0f * static_cast<float>(i) + Jitter(20), 0, od_ + 540 + Jitter(20)});
        p->texture1 = kPlantTexture + i;
        Place(o);
    }

    DesignSize size_;
    std::mt19937 random_;
    DesignStats stats_;
    std::vector<Layer*> floors_;
    std::vector<Objex*> tails_;
    size_t floor_ = 0;
    float ox_ = 0, od_ = 0;
};

}  // namespace

DesignStats GenerateDesign(const DesignSize& size) { return Builder(size).Run(); }

QMDDocumentModel* NewGeneratedDocument(const DesignSize& size, DesignStats* stats) {
    QMDDocumentModel* doc = QMDDocumentModel::alloc()->init();
    if (!doc) return nullptr;
    const DesignStats s = GenerateDesign(size);
    if (stats) *stats = s;
    return doc;
}

}  // namespace dvxbench

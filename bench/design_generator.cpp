#include "design_generator.h"

#include <cmath>
#include <random>
#include <vector>

#include "model/bounds.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/texture_mapping.h"

namespace dvxbench {

namespace {

constexpr float kPi = 3.14159265f;
constexpr float kCell = 600.0f;      // plan units between neighbourhoods
constexpr float kWallHeight = 96.0f;
constexpr float kHalfThickness = 3.0f;

struct P3 {
    float h = 0, v = 0, d = 0;
};

class Builder {
public:
    Builder(const DesignSize& size) : size_(size), random_(size.seed) {}

    DesignStats Run() {
        std::vector<Layer*> floors;
        for (Layer* l = gCurDocument ? gCurDocument->itsLayers : nullptr; l && floors.size() < 3; l = l->next)
            floors.push_back(l);
        if (floors.empty()) return stats_;
        const int columns = 20;
        for (int cell = 0; stats_.objects < size_.objects; ++cell) {
            layer_ = floors[static_cast<size_t>(cell) % floors.size()];
            ox_ = static_cast<float>(cell % columns) * kCell;
            od_ = static_cast<float>(cell / columns) * kCell;
            Neighbourhood();
        }
        return stats_;
    }

private:
    float Jitter(float range) { return std::uniform_real_distribution<float>(-range, range)(random_); }
    bool Room(int objects) const { return stats_.objects + objects <= size_.objects; }

    Objex* NewObject(int16_t type, uint8_t closed) {
        const RGBColor fill{0xC000, 0xC000, 0xC000};
        const RGBColor pen{0, 0, 0};
        FloatRect bounds;
        Objex* o = CreateObject(type, closed, 1, &fill, &pen, 1.0f, 6, 0, &bounds, nullptr, nullptr,
                                nullptr, nullptr, TypeData{});
        if (o) o->planBits = 0x1FF;
        return o;
    }

    Poinz* Point(Objex* o, P3 p, P3 in = {}, P3 out = {}) {
        Poinz* pt = CreatePoint(1, 0, 0, in.h, in.v, in.d, p.h, p.v, p.d, out.h, out.v, out.d, 0, 0, 0, o);
        AppendPointToObject(pt, o);
        return pt;
    }

    // A plan object counted in the stats; `points` of its own.
    void Count(Objex* o) {
        ++stats_.objects;
        stats_.points += o->pointCount;
    }

    void Finish(Objex* o) {
        UpdateObjectBounds(o);
        SetTextureFaceUV(o);
    }

    void Place(Objex* o) {
        AppendObjectToLayer(o, layer_);
        Count(o);
        Finish(o);
    }

    void Neighbourhood() {
        if (Room(3)) Wall();
        if (Room(1)) StraightOutline();
        if (Room(1)) CurvedOutline();
        if (Room(1)) CurvedPath();
        if (Room(1)) Floor();
        if (Room(1)) Roof();
        if (Room(4)) NestedGroup();
        if (Room(1)) Plant();
    }

    // Six points zig-zagging along H, a solid of two rows around them, a door in the first
    // segment and a window in the third.
    void Wall() {
        Objex* wall = NewObject(12, 0);
        wall->penWidth = 2 * kHalfThickness;
        std::vector<P3> centre;
        for (int i = 0; i < 6; ++i)
            centre.push_back({ox_ + 40.0f * static_cast<float>(i) + Jitter(4), 0,
                              od_ + (i % 2 ? 60.0f : 0.0f) + Jitter(4)});
        for (const P3& p : centre) Point(wall, p);

        Objex* solid = NewObject(10, 1);
        solid->subtype = 140;
        solid->rows = 2;
        solid->sourceObject = wall;
        for (float v : {0.0f, kWallHeight}) {
            for (size_t i = 0; i < centre.size(); ++i) Point(solid, Offset(centre, i, kHalfThickness, v));
            for (size_t i = centre.size(); i-- > 0;) Point(solid, Offset(centre, i, -kHalfThickness, v));
        }
        stats_.generatedPoints += solid->pointCount;
        UpdateObjectBounds(solid);
        wall->typeData = TypeData::OfWallSolid(solid);

        AppendObjectToLayer(wall, layer_);
        Count(wall);
        ++stats_.walls;
        Opening(wall, 16, centre[0], centre[1], 0, 80);
        Opening(wall, 17, centre[2], centre[3], 36, 84);
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

    // A door (16) or window (17): a 4-point frame across the middle of segment a-b.
    void Opening(Objex* wall, int16_t type, P3 a, P3 b, float bottom, float top) {
        Objex* o = NewObject(type, 1);
        const P3 m{(a.h + b.h) / 2, 0, (a.d + b.d) / 2};
        Point(o, {m.h - 15, bottom, m.d - kHalfThickness});
        Point(o, {m.h + 15, bottom, m.d - kHalfThickness});
        Point(o, {m.h + 15, top, m.d + kHalfThickness});
        Point(o, {m.h - 15, top, m.d + kHalfThickness});
        AppendChildToObject(o, wall);
        Count(o);
        Finish(o);
    }

    void StraightOutline() {
        Objex* o = NewObject(9, 1);
        const float ch = ox_ + 380, cd = od_ + 120;
        for (int i = 0; i < 20; ++i) {
            const float a = 2 * kPi * static_cast<float>(i) / 20;
            const float r = (i % 2 ? 50.0f : 70.0f) + Jitter(5);
            Point(o, {ch + r * std::cos(a), 0, cd - r * std::sin(a)});
        }
        Place(o);
    }

    // A closed spline: a circle of 16 Hermite arcs.
    void CurvedOutline() {
        Objex* o = NewObject(9, 1);
        Circle(o, ox_ + 120, od_ + 260, 70 + Jitter(10), 16);
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

    void Floor() {
        Objex* o = NewObject(13, 1);
        const float h = ox_ + 250, d = od_ + 250, w = 120 + Jitter(10), dp = 90 + Jitter(10);
        const float corners[8][2] = {{0, 0}, {w / 2, 0}, {w, 0}, {w, dp / 2},
                                     {w, dp}, {w / 2, dp}, {0, dp}, {0, dp / 2}};
        for (const auto& c : corners) Point(o, {h + c[0], 0, d + c[1]});
        Place(o);
    }

    // A hip roof over a rectangle: the outline (6 points) and four generated panels that
    // overhang it by 12 and rise to a ridge.
    void Roof() {
        Objex* o = NewObject(14, 1);
        const float h = ox_ + 420, d = od_ + 300, w = 140, dp = 100;
        for (const P3& p : std::initializer_list<P3>{{h, 0, d}, {h + w / 2, 0, d}, {h + w, 0, d},
                                                      {h + w, 0, d + dp}, {h + w / 2, 0, d + dp}, {h, 0, d + dp}})
            Point(o, p);
        const float e = 12, ridge = 60;
        const P3 r1{h + dp / 2, ridge, d + dp / 2}, r2{h + w - dp / 2, ridge, d + dp / 2};
        const P3 c[4] = {{h - e, 0, d - e}, {h + w + e, 0, d - e}, {h + w + e, 0, d + dp + e}, {h - e, 0, d + dp + e}};
        Objex* panels = nullptr;
        Objex* last = nullptr;
        auto panel = [&](std::initializer_list<P3> pts) {
            Objex* p = NewObject(32, 1);
            for (const P3& q : pts) Point(p, q);
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

    // A group holding a rectangle and a group with a curved outline: three levels.
    void NestedGroup() {
        Objex* outer = NewObject(1000, 0);
        outer->visible = 0;
        Objex* inner = NewObject(1000, 0);
        inner->visible = 0;
        Objex* rect = NewObject(1, 1);
        const float h = ox_ + 300, d = od_ + 480;
        for (const P3& p : std::initializer_list<P3>{{h, 0, d}, {h + 60, 0, d}, {h + 60, 0, d + 40}, {h, 0, d + 40},
                                                      {h + 30, 0, d + 50}, {h - 10, 0, d + 20}})
            Point(rect, p);
        Objex* oval = NewObject(9, 1);
        Circle(oval, h + 120, d + 20, 25, 12);
        AppendChildToObject(rect, outer);
        AppendChildToObject(inner, outer);
        AppendChildToObject(oval, inner);
        AppendObjectToLayer(outer, layer_);
        for (Objex* o : {outer, rect, inner, oval}) Count(o);
        for (Objex* o : {rect, oval, inner, outer}) Finish(o);
    }

    void Plant() {
        Objex* o = NewObject(28, 0);
        Point(o, {ox_ + 560 + Jitter(20), 0, od_ + 560 + Jitter(20)});
        Place(o);
    }

    DesignSize size_;
    std::mt19937 random_;
    DesignStats stats_;
    Layer* layer_ = nullptr;
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

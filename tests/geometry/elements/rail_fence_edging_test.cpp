// Railings, fences, gates and edging in 3D against numbers worked out by hand. The scale is 72,
// so an inch is a plan unit; everything stands on V 0 (a height h lies at V -h).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "geometry/elements/edging_build.h"
#include "geometry/elements/fence_build.h"
#include "geometry/elements/rail_build.h"
#include "commands/add_remove_points.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "port/random.h"
#include "scene/scene_build.h"
#include "support/scene_checks.h"

namespace {

using namespace dvxtest;
namespace rf = objfield::railing;
namespace ff = objfield::fence;

struct Box {
    float h0, h1, d0, d1, low, high;  // plan extent; heights above V 0
};
Box BoxOf(const Objex* o) {
    Box b{1e9f, -1e9f, 1e9f, -1e9f, 1e9f, -1e9f};
    for (const Poinz* p = o->firstPoint; p; p = p->next) {
        b.h0 = std::min(b.h0, p->position[0]), b.h1 = std::max(b.h1, p->position[0]);
        b.d0 = std::min(b.d0, p->position[2]), b.d1 = std::max(b.d1, p->position[2]);
        b.low = std::min(b.low, -p->position[1]), b.high = std::max(b.high, -p->position[1]);
    }
    return b;
}
// Parts along H at D 0: (h0, h1, low, high) each to 0.01, in build order.
using Extents = std::vector<std::vector<float>>;
Extents AlongH(const Objex* o) {
    Extents e;
    for (const Objex* p = o->firstPart; p; p = p->next) {
        const Box b = BoxOf(p);
        e.push_back({});
        for (float v : {b.h0, b.h1, b.low, b.high}) e.back().push_back(std::round(v * 100) / 100);
    }
    return e;
}
class Elements : public SelectionTest {
protected:
    void SetUp() override {
        SelectionTest::SetUp();
        ds = doc->itsDocState;
        ds->planScale = 72, ds->curveSegments = 10;
    }
    // Rail height 36, posts at the points named.
    Objex* Railing(PlanPoints plan, float spacing, std::initializer_list<int> posts = {}) {
        Objex* r = Shape(floor, objtype::kRailing, plan, false, objsubtype::kCurvedRailing);
        rf::kHeight(*r) = 36, rf::kBalusterSpacing(*r) = spacing;
        for (int i : posts) rf::kPointFlags(*PointAt(r, i)) |= rf::kPostAtPoint;
        return r;
    }
    Objex* Fence(PlanPoints plan, int32_t style, int gateAt = -1) {
        Objex* f = Shape(floor, objtype::kFence, plan);
        ff::kStyle(*f) = style;
        if (gateAt >= 0) PointAt(f, gateAt)->kind = pointkind::kGatePoint;
        return f;
    }
    DocState* ds = nullptr;
};

TEST_F(Elements, RailingsAreCurvedOnlyWithATangentAndSpaceTheirSpindlesEvenly) {
    struct Row { const char* what; float tangent; int32_t subtype; };
    for (const Row& r : {Row{"only zero tangents", 0, 802}, {"one component", 0.5f, 803}, {"not a number", NAN, 803}}) {
        Objex* rail = Railing({{0, 0}, {50, 0}}, 6);
        PointAt(rail, 1)->inTangent[1] = r.tangent;
        UpdateRailObject(rail);
        EXPECT_EQ(rail->subtype, r.subtype) << r.what;
    }
    // 50 at 6: 8.33 rounds to 8 intervals, 9 spindles 6.25 apart from V 0 up 36; at 0, every 1.0.
    struct Span { float spacing; int spindles; float step; };
    for (const Span& s : {Span{6, 9, 6.25f}, {0, 51, 1.0f}}) {
        Objex* rail = Railing({{0, 0}, {50, 0}}, s.spacing);
        UpdateRailObject(rail);
        const std::vector<Objex*> pieces = PartsOfType(rail, objtype::kStairRail);
        ASSERT_EQ(int(pieces.size()), s.spindles + 2) << s.spacing;
        for (int i = 0; i < s.spindles; ++i)
            EXPECT_TRUE(Near({BoxOf(pieces[i]).h0, BoxOf(pieces[i]).high}, {s.step * i - 1, 36}, 1e-3f))
                << i;
        // The rails run from end to end: the top one's underside at 36, the bottom one on V 0.
        EXPECT_TRUE(Near({BoxOf(pieces[s.spindles]).low, BoxOf(pieces[s.spindles + 1]).low,
                                            BoxOf(pieces[s.spindles + 1]).h1},
                         {36, 0, 50}, 1e-3f));
    }
}

TEST_F(Elements, PostsStandAtFlaggedPointsAndCurvedSpindlesAreJoinedBackward) {
    // Posts 8 x 8, 40 high, at points 0 and 2 only; straight and curved alike.
    for (int32_t curved : {0, 1}) {
        Objex* rail = Railing({{0, 0}, {40, 0}, {80, 0}}, 6, {0, 2});
        if (curved) PointAt(rail, 0)->outTangent[0] = 40;
        UpdateRailObject(rail);
        std::vector<float> posts;
        for (Objex* p : PartsOfType(rail, objtype::kStairRail))
            if (std::abs(BoxOf(p).h1 - BoxOf(p).h0 - 8) < 1e-3f) posts.push_back((BoxOf(p).h0 + BoxOf(p).h1) / 2), posts.push_back(BoxOf(p).high);
        EXPECT_EQ(posts, (std::vector<float>{0, 40, 80, 40})) << curved;
    }
    // Along a curve that stays on its line (out-tangent along it, none in), a spacing of 0 (or
    // a damaged negative one) puts a spindle 2.0 wide and 36.5 high every 1.0, the first on the
    // first point without rails, each later one with a top and a bottom rail (44) back.
    for (float spacing : {0.0f, -6.0f}) {
        Objex* rail = Railing({{0, 0}, {40, 0}}, spacing);
        PointAt(rail, 0)->outTangent[0] = 40;
        UpdateRailObject(rail);
        const std::vector<Objex*> spindles = PartsOfType(rail, objtype::kStairRail);
        const std::vector<Objex*> rails = PartsOfType(rail, objtype::kCurvedRailPiece);
        ASSERT_GE(spindles.size(), 40u) << spacing;
        EXPECT_EQ(rails.size(), 2 * (spindles.size() - 1)) << spacing;
        for (size_t i = 0; i < spindles.size(); ++i)
            EXPECT_TRUE(Near({BoxOf(spindles[i]).h0, BoxOf(spindles[i]).high}, {float(i) - 1, 36.5f}, 2e-3f)) << i;
        EXPECT_TRUE(Near({BoxOf(rails[0]).h0, BoxOf(rails[0]).low, BoxOf(rails[1]).low}, {0, 36.5f, 0}, 2e-3f));
    }
}

TEST_F(Elements, DeckSpansAndSpindlesTakeTheDecksForms) {
    Objex* deck = Deck(floor);
    const RailMaterial m{2210, {}, {100, 100}};
    gBuildingCurvedDeck = 1;
    ConstructRailing({0, 0, 0}, {12, 0, 0}, 0, deck, 36, 6, m);
    gBuildingCurvedDeck = 0;
    EXPECT_EQ(PartsOfType(deck, objtype::kCurvedRailPiece).size(), 2u);  // 3 spindles stay 39
    DeleteObjectList(deck->firstPart);
    // Kept, then dropped: the second spindle leaves only its two rails, 36 up.
    StartDeckRail(deck);
    AppendDeckRailSpindle(deck, 0, 0, 0, 0, 36, m, 1);
    AppendDeckRailSpindle(deck, 6, 0, 0, 0, 36, m, 0);
    EXPECT_EQ(std::pair(PartsOfType(deck, objtype::kStairRail).size(), PartsOfType(deck, objtype::kCurvedRailPiece).size()),
              std::pair(size_t(1), size_t(2)));
    EXPECT_EQ(BoxOf(PartsOfType(deck, objtype::kCurvedRailPiece)[0]).low, 36);
}

TEST_F(Elements, PanelRailingsRiseToTheRailHeight) {
    Objex* rail = Railing({{0, 0}, {40, 0}}, 6);
    ConstructCurvedRailSpan(rail);
    ConstructTexturedRailing({10, 0, 0}, 1.5707964f, 30, rail, {2300, {}, {100, 100}});
    const std::vector<Objex*> panels = PartsOfType(rail, objtype::kStairRail);
    ASSERT_EQ(panels.size(), 2u);
    const Box span = BoxOf(panels[0]), flat = BoxOf(panels[1]);
    EXPECT_TRUE(Near({span.h0, span.h1, span.low, span.high, flat.h0, flat.h1, flat.d0, flat.d1, flat.high},
                     {0, 40, 0, 36, 10, 10, -30, 0, 36}, 1e-3f));
    EXPECT_TRUE(panels[0]->subtype == 156 && panels[1]->subtype == 156 && panels[1]->firstPoint->texture1 == 2300);
}

TEST_F(Elements, StandardFenceSegmentsAndGatesFollowTheirStyle) {
    const Extents spacers6 = {{12, 18, 14, 22}, {12, 18, 39.2f, 47.2f}};
    struct Row { const char* what; int32_t style; int gate; float length; Extents parts; };
    const Row rows[] = {
        {"700 over 30", 700, -1, 30, {{0, 12, 0, 72}, spacers6[0], spacers6[1], {18, 30, 0, 72}}},
        {"shorter than a picket", 700, -1, 10, {{0, 10, 0, 72}}},
        {"703 edge to edge", 703, -1, 25, {{0, 10, 0, 144}, {10, 20, 0, 144}, {20, 25, 0, 144}}},
        {"an unknown style", 999, -1, 30, {}},
        {"a gate of 49", 700, 0, 49, {}},
        {"a gate of 50", 700, 0, 50,
         {{0, 6, 14, 22}, {0, 6, 39.2f, 47.2f}, {44, 50, 14, 22}, {44, 50, 39.2f, 47.2f},
          {6, 12, 0, 72}, {38, 44, 0, 72}, {12, 38, 0, 78}}},
        {"a 703 gate of 60", 703, 0, 60, {{0, 6, 0, 144}, {54, 60, 0, 144}, {6, 54, 0, 150}}},
    };
    for (const Row& r : rows) {
        Objex* f = Fence({{0, 0}, {r.length, 0}}, r.style, r.gate);
        AddStalePieces({f});
        UpdateFenceObject(f);
        EXPECT_EQ(AlongH(f), r.parts) << r.what;
        EXPECT_FALSE(HasStalePiece(f)) << r.what;
    }
    // The gate's stiles and panel look like its start point; spacers like the first point.
    Objex* f = Fence({{0, 0}, {10, 0}, {70, 0}}, 700, 1);
    PointAt(f, 1)->texture1 = 1234;
    UpdateFenceObject(f);
    std::vector<int32_t> textures;
    for (Objex* p = f->firstPart; p; p = p->next) textures.push_back(p->firstPoint->texture1);
    EXPECT_EQ(textures, (std::vector<int32_t>{0, 0, 0, 0, 0, 1234, 1234, 1234}));
}

TEST_F(Elements, CustomFencesPostTheirPanelsAndGates) {
    // Panels 20 x 48, posts 4 wide and 60 high from 1 above the base, gate 40; the second
    // segment is a gate, so the first ends its panels early and its end post inside.
    Objex* f = Fence({{0, 0}, {50, 0}, {100, 0}}, ff::kCustomStyle, 1);
    ff::kPicketWidth(*f) = 20, ff::kPicketHeight(*f) = 48, ff::kPostHeight(*f) = 60, ff::kPostWidth(*f) = 4;
    ff::kGateHeight(*f) = 40;
    UpdateFenceObject(f);
    EXPECT_EQ(AlongH(f), (Extents{{-2, 2, 1, 60}, {2, 22, 0, 48}, {22, 26, 1, 60}, {26, 48, 0, 48}, {46, 50, 1, 60},
                                  {50, 100, 0, 40}, {100, 104, 1, 60}}));
    std::vector<int32_t> subtypes;
    for (Objex* p = f->firstPart; p; p = p->next) subtypes.push_back(p->subtype);
    EXPECT_EQ(subtypes, (std::vector<int32_t>{154, 0, 154, 0, 154, 155, 154}));
    // Widths of 0 never use the segment up: posts only.
    ff::kPicketWidth(*f) = ff::kPostWidth(*f) = 0;
    UpdateFenceObject(f);
    EXPECT_EQ(PartsOfType(f, objtype::kFence).size(), 4u);
}

TEST_F(Elements, PartsTurnAboutTheirPlacementPointWithTheSegment) {
    Objex* f = Fence({{0, 0}, {0, -30}}, 700);  // 90 degrees: up the screen
    UpdateFenceObject(f);
    const Box first = BoxOf(f->firstPart), last = BoxOf(f->firstPart->next->next->next);
    EXPECT_TRUE(Near({first.h0, first.h1, first.d0, first.d1, last.d0, last.d1}, {0, 0, -12, 0, -30, -18}, 1e-3f));
}

TEST_F(Elements, EdgingBlocksStandTwentyApartAlongTheCurve) {
    struct Row { const char* what; int16_t resolution; PlanPoints plan; std::vector<std::pair<float, float>> centres; };
    const Row rows[] = {
        {"straight, 90", 10, {{0, 0}, {90, 0}}, {{0, 0}, {20, 0}, {40, 0}, {60, 0}, {80, 0}}},
        {"a resolution of 0 walks as 1", 0, {{0, 0}, {90, 0}}, {{0, 0}, {20, 0}, {40, 0}, {60, 0}, {80, 0}}},
        {"30 then 25", 10, {{0, 0}, {30, 0}, {30, 25}}, {{0, 0}, {20, 0}, {30, 10}}},
    };
    for (const Row& r : rows) {
        ds->curveSegments = r.resolution;
        Objex* e = Shape(floor, objtype::kEdging, r.plan);
        UpdateEdgingObject(e);
        std::vector<std::pair<float, float>> got;
        for (Objex* b = e->firstPart; b; b = b->next)
            got.push_back({std::round((BoxOf(b).h0 + BoxOf(b).h1) * 50) / 100, std::round((BoxOf(b).d0 + BoxOf(b).d1) * 50) / 100});
        EXPECT_EQ(got, r.centres) << r.what;
    }
    // Heights are whole, 12 to 24; the same seed gives the same blocks.
    Objex* e = Shape(floor, objtype::kEdging, {{0, 0}, {400, 0}});
    auto heights = [e] {
        port::SeedRandom(93);
        UpdateEdgingObject(e);
        std::vector<float> h;
        for (Objex* b = e->firstPart; b; b = b->next) h.push_back(BoxOf(b).high);
        return h;
    };
    const std::vector<float> once = heights();
    EXPECT_EQ(heights(), once);
    for (float h : once) EXPECT_TRUE(h >= 12 && h <= 24 && h == std::floor(h)) << h;
    EXPECT_GT(std::set<float>(once.begin(), once.end()).size(), 1u);
}

TEST_F(Elements, APointEditRebuildsAndTheSceneHoldsTheParts) {
    RegisterLiveView(true);
    Objex* f = Fence({{0, 0}, {100, 0}}, 703);
    ClickInfo click = ClickAt(55, 0);
    ASSERT_NE(AddPoint(f, PointAt(f, 0), ds, &click), nullptr);
    EXPECT_EQ(PartsOfType(f, objtype::kFence).size(), 11u);  // 55: six pickets, the last 5 wide; 45: five
    PointAt(f, 1)->selected = 1;
    RemovePoint(f, PointAt(f, 1), ds);
    EXPECT_EQ(PartsOfType(f, objtype::kFence).size(), 10u);
    ReRenderObject(f);
    EXPECT_TRUE(Built(f));
}

}  // namespace

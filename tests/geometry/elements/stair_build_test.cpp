// Staircases in 3D against numbers worked out by hand. The scale is 72, so an inch is a plan
// unit; stairs climb from V 0 (a height h lies at V -h) and walk up the screen (towards -D),
// so their left side lies at -H.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "geometry/elements/stair_build.h"
#include "geometry/elements/stair_direction.h"
#include "geometry/elements/stair_parts.h"
#include "geometry/elements/stair_rails.h"
#include "commands/add_remove_points.h"
#include "model/docstate.h"
#include "model/deletion.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "scene/scene_build.h"
#include "support/scene_checks.h"

namespace {

using namespace dvxtest;
namespace sf = objfield::stair;

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
::testing::AssertionResult Is(const Box& b, Box want, float tolerance = 2e-3f) {
    return Near({b.h0, b.h1, b.d0, b.d1, b.low, b.high}, {want.h0, want.h1, want.d0, want.d1, want.low, want.high},
                tolerance);
}
std::vector<Objex*> Parts(const Objex* o, int16_t type) {
    std::vector<Objex*> out;
    for (Objex* p = o->firstPart; p; p = p->next)
        if (p->type == type) out.push_back(p);
    return out;
}
// Upright boxes of the rail pieces by their square cross-section (2 spindles, 8 posts).
std::vector<Objex*> Uprights(const Objex* o, float size) {
    std::vector<Objex*> out;
    for (Objex* p : Parts(o, objtype::kStairRail)) {
        const Box b = BoxOf(p);
        if (std::abs(b.h1 - b.h0 - size) < 1e-3f && std::abs(b.d1 - b.d0 - size) < 1e-3f) out.push_back(p);
    }
    return out;
}
// (along the walk, height) of points on a stair walking up from D 0, to 0.01.
using Profile = std::vector<std::pair<float, float>>;
Profile Rounded(Profile p) {
    for (auto& [a, h] : p) a = std::round(a * 100) / 100, h = std::round(h * 100) / 100;
    return p;
}
Profile ProfileOf(const Objex* part) {
    Profile got;
    for (const Poinz* p = part->firstPoint; p; p = p->next) got.push_back({-p->position[2], -p->position[1]});
    return Rounded(got);
}

class Staircases : public SelectionTest {
protected:
    void SetUp() override {
        SelectionTest::SetUp();
        ds = doc->itsDocState;
        ds->planScale = 72, ds->curveSegments = 10;
    }
    // Width 48, step 7, depth 10, rail height 36, closed steps, no rails or skirt walls.
    Objex* Stair(PlanPoints walk, float height, int32_t subtype = objsubtype::kStraightStair) {
        Objex* s = Shape(floor, objtype::kStaircase, walk, false, subtype);
        sf::kWidth(*s) = 48, sf::kRiser(*s) = 7, sf::kTread(*s) = 10, sf::kRailHeight(*s) = 36;
        sf::kFloorHeight(*s) = height, sf::kOpenSteps(*s) = 1.0f, sf::kSkirtWalls(*s) = 0;
        sf::kStepTexture(*s) = 1700, sf::kRailTexture(*s) = 2206;
        return s;
    }
    StairContext Context(Objex* owner) {
        StairContext c;
        c.owner = owner, c.layer = floor, c.ds = ds, c.rise = 1000, c.railHeight = 36;
        return c;
    }
    DocState* ds = nullptr;
};

TEST_F(Staircases, RisersAreWholeAndTheStepHeightComesBack) {
    struct Row { const char* what; int32_t subtype; float height, step; int risers; float riser; };
    const Row rows[] = {
        {"96 with steps of 7: 13 risers", 800, 96, 7, 13, 96.0f / 13 + 0.01f},
        {"lower than a step, straight", 800, 5, 7, 1, 5.01f},
        {"lower than a step, curved", 801, 5, 7, 1, 5.01f},
        {"a step height of 0 (damaged)", 800, 96, 0, 1, 96.01f},
    };
    for (const Row& r : rows) {
        Objex* s = Stair({{0, 0}, {0, -10.0f * r.risers}}, r.height, r.subtype);
        if (r.subtype != 800) PointAt(s, 1)->position[2] -= 5;
        sf::kRiser(*s) = r.step;
        UpdateStairObject(s);
        const std::vector<Objex*> steps = Parts(s, objtype::kStairStep);
        ASSERT_EQ(int(steps.size()), r.risers) << r.what;
        for (int i = 0; i < r.risers; ++i)
            EXPECT_TRUE(Near({BoxOf(steps[i]).low, BoxOf(steps[i]).high}, {r.riser * i, r.riser * (i + 1)}, 1e-3f))
                << r.what << " " << i;
        EXPECT_EQ(sf::kRiser(*s), r.step) << r.what;
    }
}

TEST_F(Staircases, StraightTreadsFillTheirRiserOrAQuarterOfIt) {
    struct Row { const char* what; float length, open; int treads; float bottom; };
    const float r = 21.0f / 3 + 0.01f;
    const Row rows[] = {
        {"closed", 30, 1, 3, 0}, {"open", 30, 0, 3, 0.75f * r}, {"a run shorter than half a depth", 4, 1, 0, 0}};
    for (const Row& row : rows) {
        Objex* s = Stair({{0, 0}, {0, -row.length}}, 21);
        sf::kOpenSteps(*s) = row.open;
        UpdateStairObject(s);
        const std::vector<Objex*> steps = Parts(s, objtype::kStairStep);
        ASSERT_EQ(int(steps.size()), row.treads) << row.what;
        for (int i = 0; i < row.treads; ++i)
            EXPECT_TRUE(Is(BoxOf(steps[i]), {-24, 24, -10.0f * (i + 1), -10.0f * i, r * i + row.bottom, r * (i + 1)}))
                << row.what << " " << i;
    }
    // A tread given no riser is 15 high.
    Objex* s = Stair({{0, 0}, {0, -10}}, 21);
    gStairHeightAccum = 0;
    AppendStraightStairStepObject(Context(s), {0, 0, 0}, {10, 0, 0}, {0, 0, -10}, {10, 0, -10}, 0);
    EXPECT_TRUE(Is(BoxOf(Parts(s, objtype::kStairStep).back()), {0, 10, -10, 0, 0, 15}));
}

// A walk 100 north, then 100 east (right) or west (left), 40 wide: the first run is the inner
// side's 80, the landing the 40 x 40 square past it, the next run starts from its far corner.
TEST_F(Staircases, LandingsTurnOnTheOuterSide) {
    struct Row { const char* what; float east, outer, next; };  // the outer side's H, the next tread's
    const Row rows[] = {{"turning right", 100, -20, 20}, {"turning left", -100, 20, -30}};
    const float r = 96.0f / 13 + 0.01f;
    for (const Row& row : rows) {
        Objex* s = Stair({{0, 0}, {0, -100}, {row.east, -100}}, 96);
        sf::kWidth(*s) = 40;
        UpdateStairObject(s);
        const std::vector<Objex*> steps = Parts(s, objtype::kStairStep);
        ASSERT_EQ(steps.size(), 13u) << row.what;  // 8 treads, the landing, 4 treads
        EXPECT_TRUE(Is(BoxOf(steps[8]), {-20, 20, -120, -80, 8 * r, 9 * r})) << row.what;
        EXPECT_TRUE(Is(BoxOf(steps[9]), {row.next, row.next + 10, -120, -80, 9 * r, 10 * r})) << row.what;
        const std::vector<Objex*> panels = Parts(s, objtype::kLandingPanel);
        ASSERT_EQ(panels.size(), 2u) << row.what;
        const float outside = row.outer + (row.outer < 0 ? -0.1f : 0.1f);
        EXPECT_TRUE(Is(BoxOf(panels[0]), {outside, outside, -120, -80, 7 * r - 3, 9 * r - 3})) << row.what;
        EXPECT_TRUE(Is(BoxOf(panels[1]), {-20, 20, -120.1f, -120.1f, 7 * r - 3, 9 * r - 3})) << row.what;
    }
}

// Three treads of 10 rising 7.01 each (21 high); the left stringer stands at H -24.1.
TEST_F(Staircases, StringersFollowTheTreadsAndCloseAtTheFloor) {
    const float r = 7.01f, t = r - 3;
    struct Row { const char* what; int16_t closed, large; uint8_t skirt; Profile left; int panels; };
    const Row rows[] = {
        {"saw-tooth", 0, 0, 0, {{0, 0}, {0, t}, {10, t}, {10, r + t}, {20, r + t}, {20, 2 * r + t}, {30, 2 * r + t},
                                {30, 2 * r}, {10, 0}}, 1},
        {"closed", 1, 0, 0, {{0, 0}, {0, r}, {30, 4 * r}, {30, 2 * r}, {10, 0}}, 1},
        {"skirt walls", 0, 0, 1, {{0, 0}, {0, t}, {10, t}, {10, r + t}, {20, r + t}, {20, 2 * r + t},
                                  {30, 2 * r + t}, {30, 0}}, 0},
        {"large base", 1, 1, 0, {{0, 0}, {0, r}, {30, 4 * r}, {30, 2 * r}, {20, r}, {20, 0}}, 2},
    };
    for (const Row& row : rows) {
        Objex* s = Stair({{0, 0}, {0, -30}}, 21);
        sf::kClosedStringer(*s) = row.closed, sf::kLargeBase(*s) = row.large, sf::kSkirtWalls(*s) = row.skirt;
        UpdateStairObject(s);
        const std::vector<Objex*> flat = Parts(s, objtype::kClosedOutline);
        ASSERT_EQ(int(flat.size()), 2 + row.panels) << row.what;
        EXPECT_EQ(ProfileOf(flat[0]), Rounded(row.left)) << row.what;
        EXPECT_TRUE(Near({BoxOf(flat[0]).h0, BoxOf(flat[1]).h0}, {-24.1f, 24.1f}, 1e-4f)) << row.what;
    }
    // The under-stair panel joins the two stringers' undersides from the top of the run to the
    // floor under the first tread's back.
    Objex* s = Stair({{0, 0}, {0, -30}}, 21);
    UpdateStairObject(s);
    Objex* under = Parts(s, objtype::kClosedOutline)[2];
    EXPECT_EQ(ProfileOf(under), Rounded({{30, 2 * r}, {10, 0}, {10, 0}, {30, 2 * r}}));
    EXPECT_TRUE(Near({PointAt(under, 0)->position[0], PointAt(under, 2)->position[0]}, {-24.1f, 24.1f}, 1e-4f));

    // A deck's flight: saw-tooth in the deck's texture, closed risers but no panel under it.
    Objex* deck = Outline(objtype::kDeck, {{0, 0}, {40, 0}, {40, 40}}).on(floor);
    deck->texture = 1301, objfield::deck::kStepStyle(*deck) = 1.0f;
    StairRun run;
    run.leftStart = {-24, 0, 0}, run.leftEnd = {-24, 0, -30}, run.rightStart = {24, 0, 0}, run.rightEnd = {24, 0, -30};
    run.rise = 21, run.riser = 7, run.depth = 10;
    StartStairSegments();
    UpdateStraightStairSegment(deck, run);
    const std::vector<Objex*> stringers = Parts(deck, objtype::kClosedOutline);
    ASSERT_EQ(stringers.size(), 2u);
    EXPECT_TRUE(Near({stringers[0]->pointCount, stringers[0]->firstPoint->texture1}, {9, 1301}));
}

// A straight walk 140 long climbing 96 with risers of 96/13 + 0.01: steps one depth apart.
TEST_F(Staircases, CurvedStairsStepOneDepthAlongTheWalk) {
    const float r = 96.0f / 13 + 0.01f;
    for (int16_t resolution : {10, 0, -1}) {  // 0 and below count as 1
        ds->curveSegments = resolution;
        Objex* s = Stair({{0, 0}, {0, -70}, {0, -140}}, 96, 801);
        UpdateStairObject(s);
        const std::vector<Objex*> steps = Parts(s, objtype::kStairStep);
        ASSERT_EQ(steps.size(), 13u) << resolution;
        for (int i = 0; i < 13; ++i)
            EXPECT_TRUE(Is(BoxOf(steps[i]), {-24, 24, -10.0f * (i + 1), -10.0f * i, r * i, r * (i + 1)}))
                << resolution << " " << i;
        EXPECT_EQ(Parts(s, objtype::kStringerPanel).size(), 26u) << resolution;
    }
    // On a quarter circle of radius 100 about (100, 0) the steps lie 10 apart along the walk:
    // a step's middle halves the chord between its edges (radius 100 cos 0.05), the middles lie
    // 100 sin 0.1 = 9.983 apart.
    ds->curveSegments = 10;
    const float k = 165.69f;  // the Hermite tangent of a quarter circle
    Objex* s = Stair({{0, 0}, {100, -100}}, 96, 801);
    PointAt(s, 0)->outTangent[2] = -k, PointAt(s, 1)->inTangent[0] = k;
    UpdateStairObject(s);
    const std::vector<Objex*> steps = Parts(s, objtype::kStairStep);
    ASSERT_EQ(steps.size(), 13u);
    float h = 0, d = 0;
    for (size_t i = 0; i < steps.size(); ++i) {
        float mh = 0, md = 0;
        for (const Poinz* p = steps[i]->firstPoint; p; p = p->next) mh += p->position[0] / 8, md += p->position[2] / 8;
        EXPECT_NEAR(std::hypot(mh - 100, md), 99.875f, 0.05f) << i;
        if (i) { EXPECT_NEAR(std::hypot(mh - h, md - d), 9.983f, 0.005f) << i; }
        h = mh, d = md;
    }
}

TEST_F(Staircases, RailsSpindlesAndPostsOfAStraightRun) {
    const float r = 21.0f / 3 + 0.01f;
    Objex* s = Stair({{0, 0}, {0, -30}}, 21);
    sf::kLeftRail(*s) = sf::kRightRail(*s) = 1;
    UpdateStairObject(s);
    const std::vector<Objex*> spindles = Uprights(s, 2), posts = Uprights(s, 8);
    ASSERT_EQ(spindles.size(), 12u);
    ASSERT_EQ(posts.size(), 4u);
    // The first tread's left spindles, 5 in, a quarter and three quarters along it, reaching
    // the converted 28.5 above the tread line, 0.5 inside the rail's underside.
    EXPECT_TRUE(Is(BoxOf(spindles[0]), {-20, -18, -3.5f, -1.5f, r, r + 28.5f + 0.25f * r}));
    EXPECT_TRUE(Is(BoxOf(spindles[1]), {-20, -18, -8.5f, -6.5f, r, r + 28.5f + 0.75f * r}));
    // Bottom posts on the floor at the first tread's front, top posts on the last tread.
    EXPECT_TRUE(Is(BoxOf(posts[0]), {-23, -15, -4, 4, 0, 40}));
    EXPECT_TRUE(Is(BoxOf(posts[1]), {15, 23, -4, 4, 0, 40}));
    EXPECT_TRUE(Is(BoxOf(posts[2]), {-23, -15, -34, -26, 3 * r, 3 * r + 40}));
    // The left rail: 4 wide on the rail line, its underside 28 above the first tread's top.
    const Objex* rail = Parts(s, objtype::kStairRail).back();
    EXPECT_TRUE(Is(BoxOf(rail), {17, 21, -30, 0, r + 28, 4 * r + 30}));

    // A landing edge 40 long with both posts, spacing 6: 28 to fill in 5, four spindles.
    Objex* edge = Stair({{0, 0}, {0, -10}}, 21);
    ConstructRail(Context(edge), {0, 0, 0}, {0, 0, -40}, 1.5707963f, true, true);
    std::vector<float> at;
    for (Objex* p : Uprights(edge, 2)) at.push_back(-(BoxOf(p).d0 + BoxOf(p).d1) / 2);
    EXPECT_TRUE(Near({at.size() == 4 ? at[0] : 0, at.size() == 4 ? at[3] : 0, float(at.size())}, {11.6f, 28.4f, 4},
                     1e-3f));
    // Posts are 8 x 8 turned to their direction.
    ConstructBaluster({0, 0, 0}, 0.78539816f, edge, 10, 0, {});
    EXPECT_TRUE(Is(BoxOf(Parts(edge, objtype::kStairRail).back()), {-5.657f, 5.657f, -5.657f, 5.657f, 0, 10}));
}

// Three risers of 7.01 climb 21 in three treads of 10 whatever the walk's length: the rails
// climb with them from the first tread's top (+ 28) to one riser above the third (+ 30 at the
// rail's top) and end at the third tread's back, so every spindle ends 0.5 inside the rail's
// underside above it. The walk of 30 is one the treads fill.
TEST_F(Staircases, RailsEndAtTheLastTreadAndMeetTheirSpindles) {
    const float r = 21.0f / 3 + 0.01f;
    for (float length : {30.0f, 100.0f, 1417.0f}) {
        Objex* s = Stair({{0, 0}, {0, -length}}, 21);
        sf::kLeftRail(*s) = sf::kRightRail(*s) = 1;
        UpdateStairObject(s);
        const std::vector<Objex*> treads = Parts(s, objtype::kStairStep);
        ASSERT_EQ(treads.size(), 3u) << length;
        const float back = BoxOf(treads[2]).d0;  // -30, or 3 x 1417/142 on the longest walk
        std::vector<Objex*> rails;  // 4 across, longer than a post along
        for (Objex* p : Parts(s, objtype::kStairRail))
            if (const Box b = BoxOf(p); std::abs(b.h1 - b.h0 - 4) < 1e-3f && b.d1 - b.d0 > 8) rails.push_back(p);
        ASSERT_EQ(rails.size(), 2u) << length;
        EXPECT_TRUE(Is(BoxOf(rails[0]), {-21, -17, back, 0, r + 28, 4 * r + 30})) << length;
        EXPECT_TRUE(Is(BoxOf(rails[1]), {17, 21, back, 0, r + 28, 4 * r + 30})) << length;
        // The rail's underside read from its own corners: lowest at each end.
        for (Objex* rail : rails) {
            const float far = BoxOf(rail).d0;
            float start = 1e9f, end = 1e9f;
            for (const Poinz* p = rail->firstPoint; p; p = p->next) {
                float& low = p->position[2] > far / 2 ? start : end;
                low = std::min(low, -p->position[1]);
            }
            const float railH = (BoxOf(rail).h0 + BoxOf(rail).h1) / 2;
            int met = 0;
            for (Objex* spindle : Uprights(s, 2)) {
                const Box b = BoxOf(spindle);
                if (std::abs((b.h0 + b.h1) / 2 - railH) > 1e-3f) continue;
                const float along = (b.d0 + b.d1) / 2 / far;
                EXPECT_NEAR(b.high - (start + along * (end - start)), 0.5f, 2e-3f) << length << " " << b.d0;
                ++met;
            }
            EXPECT_EQ(met, 6) << length;
        }
    }
}

TEST_F(Staircases, TheFramingViewBuildsLumberAndPutsTheMaterialsBack) {
    ds->framingView = 1;
    Objex* s = Stair({{0, 0}, {0, -30}}, 21);
    sf::kLeftRail(*s) = 1, sf::kStepColour(*s) = RGBColor{1, 2, 3};
    UpdateStairObject(s);
    for (Objex* step : Parts(s, objtype::kStairStep))
        EXPECT_TRUE(Near({step->firstPoint->texture1, step->firstPoint->color1.red}, {2203, 0xFFFF}));
    const std::vector<Objex*> boards = Parts(s, objtype::kStairRail);
    ASSERT_EQ(boards.size(), 2u);  // no spindles or posts: a board on each side
    EXPECT_TRUE(Is(BoxOf(boards[0]), {-24, -14, -30, 0, 0, 2.5f}));
    EXPECT_EQ(boards[1]->firstPoint->texture1, 2202);
    EXPECT_TRUE(Near({sf::kStepTexture(*s), sf::kStepColour(*s).red, sf::kLeftRail(*s)}, {1700, 1, 1}));
}

TEST_F(Staircases, CallersLeaveTheStairBuilt) {
    RegisterLiveView(true);
    Objex* s = Stair({{0, 0}, {0, -100}, {100, -100}}, 96);
    UpdateStairObject(s);
    auto boxes = [&] {
        Profile v;  // each part's corner
        for (Objex* p = s->firstPart; p; p = p->next) v.push_back({BoxOf(p).h0, BoxOf(p).low});
        return v;
    };
    const Profile once = boxes();
    UpdateStairObject(s);
    EXPECT_EQ(boxes(), once);  // the same parts again
    ReRenderObject(s);
    EXPECT_TRUE(Built(s));

    // Turned round it climbs from the former last point.
    ReverseStairDirection(s);
    UpdateStairObject(s);
    EXPECT_TRUE(Is(BoxOf(Parts(s, objtype::kStairStep)[0]), {90.5f, 100, -124, -76, 0, 96.0f / 13 + 0.01f}));

    // A new point rebuilds it.
    DeleteObjectList(s->firstPart);
    ClickInfo click = ClickAt(50, -100);
    ASSERT_NE(AddPoint(s, PointAt(s, 0), ds, &click), nullptr);
    EXPECT_FALSE(Parts(s, objtype::kStairStep).empty());
}

}  // namespace

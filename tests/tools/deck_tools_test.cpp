// Decks, deck cut-outs and floors drawn with their outline tools, and the pieces their rebuilds
// make, played through the gesture runner at zoom 1 and scale 72 (a plan unit is an inch).
// Railings, posts and step flights are built: where they stand is checked against numbers
// worked out by hand.
#include <gtest/gtest.h>

#include <cmath>

#include "model/attachments.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/objects.h"
#include "support/build.h"
#include "support/plan_gestures.h"
#include "tools/deck_steps.h"
#include "tools/deck_tools.h"
#include "model/click_info.h"
#include "tracking/track_events.h"
#include "tracking/tracker_loops.h"
#include "tracking/tracking_state.h"

namespace {

using namespace dvxtest;
using Plan = std::vector<std::pair<float, float>>;
namespace df = objfield::deck;

const Plan kSquare = {{100, 100}, {300, 100}, {300, 300}, {100, 300}};

class Decks : public PlanGestureTest {
protected:
    void SetUp() override {
        PlanGestureTest::SetUp();
        port::setAlerts(&alerts);
        ds->deckHeight = 24, ds->deckRailHeight = 36, ds->balusterSpacing = 6, ds->deckSkirting = 1;
        ds->deckStepWidth = 60, ds->deckStepSizeB = 24, ds->deckStepLeftRail = 1, ds->deckStepRightRail = 1;
        ds->curveSegments = 4;
    }
    void TearDown() override { port::setAlerts(nullptr), PlanGestureTest::TearDown(); }
    Objex* Draw(int16_t tool, const Plan& outline) {
        gCurTool = tool;
        for (auto [h, d] : outline) {
            const POINT at{int32_t(h), int32_t(d)};
            g.move(at), g.click(at);
        }
        g.key(keycode::kEscape);
        return Last();
    }
    Objex* Square(float height) {
        ds->deckHeight = height;
        return Draw(7600, kSquare);
    }
    RecordingAlerts alerts;
};

std::vector<float> BottomsOf(Objex* owner) {
    std::vector<float> v;
    for (Objex* p = owner->firstPart; p; p = p->next)
        if (p->type != objtype::kStairRail) v.push_back(p->firstPoint->next->next->position[1]);
    return v;
}

// Plan centres of the square posts (8 x 8) among the owner's parts, in build order.
std::vector<Float3DPoint> PostsOf(Objex* owner) {
    std::vector<Float3DPoint> posts;
    for (Objex* p : PartsOfType(owner, objtype::kStairRail)) {
        const FloatRect& b = p->bounds;
        if (std::abs(b.floatRight - b.floatLeft - 8) < 1e-3f && std::abs(b.floatBottom - b.floatTop - 8) < 1e-3f)
            posts.push_back({(b.floatLeft + b.floatRight) / 2, p->bounds3D.floatBottom, (b.floatTop + b.floatBottom) / 2});
    }
    return posts;
}

// The railing pieces among the owner's parts, in build order: the level rails (2 high, two a
// span, the top one first) and the plan centres of the spindles (uprights thinner than posts).
struct RailingPieces {
    std::vector<Objex*> rails;
    std::vector<Float3DPoint> spindles;
};
RailingPieces RailingOf(Objex* owner) {
    RailingPieces r;
    for (Objex* p = owner->firstPart; p; p = p->next) {
        if (p->type != objtype::kStairRail && p->type != objtype::kCurvedRailPiece) continue;
        const FloatRect& b = p->bounds;
        if (std::abs(p->bounds3D.floatBottom - p->bounds3D.floatTop - 2) < 1e-3f) r.rails.push_back(p);
        else if (std::max(b.floatRight - b.floatLeft, b.floatBottom - b.floatTop) < 3)
            r.spindles.push_back({(b.floatLeft + b.floatRight) / 2, p->bounds3D.floatBottom, (b.floatTop + b.floatBottom) / 2});
    }
    return r;
}

TEST_F(Decks, TheToolsBuildRailingsPostsAndSkirtingByTheirEdgeFlags) {
    struct Row { const char* what; int16_t tool; uint8_t skirting, closedByte; int rails; float bottom; float style; };
    const std::vector<Row> rows = {
        {"railing, skirting to the ground, closed steps", 7600, 1, 1, 4, 0.0f, 1.0f},
        {"no railing, a 12-unit band, open steps", 7601, 0, 0, 0, -12.0f, 0.0f},
    };
    for (const Row& r : rows) {
        ds->deckSkirting = r.skirting, ds->deckOpenSteps = r.closedByte;
        Objex* deck = Draw(r.tool, kSquare);
        ASSERT_TRUE(deck && deck->type == objtype::kDeck) << r.what;
        EXPECT_EQ(PlanPositions(deck), kSquare) << r.what;
        EXPECT_TRUE(Near({float(deck->planBits), df::kHeight(*deck), df::kBalusterSpacing(*deck),
                          df::kStepStyle(*deck), float(deck->texture), float(deck->texture2), float(deck->texture3)},
                         {64, 24, 6, r.style, 1301, 2300, 2210}))
            << r.what;
        for (Poinz* p = deck->firstPoint; p; p = p->next)
            EXPECT_TRUE(Near({p->position[1], df::kHandrailHeight(*p)}, {-24, 36})) << r.what;
        // One piece per edge, the closing one included, from the deck top down.
        EXPECT_EQ(BottomsOf(deck), std::vector<float>(4, r.bottom)) << r.what;
        EXPECT_EQ(deck->firstPart->firstPoint->position[1], -24) << r.what;
        const std::vector<Float3DPoint> posts = PostsOf(deck);
        // A span on each edge: 200 at a spacing of 6 is 33 intervals, 34 spindles.
        const RailingPieces railing = RailingOf(deck);
        EXPECT_EQ(std::tuple(int(railing.rails.size()), int(railing.spindles.size()), int(posts.size())),
                  std::tuple(2 * r.rails, 34 * r.rails, r.rails))
            << r.what;
        if (r.rails) {
            EXPECT_EQ(std::pair(posts[3].floatH, posts[3].floatV), std::pair(100.0f, 0.0f)) << r.what;  // from the ground
        }
        // A rebuild throws the pieces away first.
        Update3DDeck(deck);
        EXPECT_EQ(CountObjects(deck->firstPart), 4 + r.rails * (1 + 34 + 2)) << r.what;
    }
}

TEST_F(Decks, StepsRiseBySevenInchRisersAndOpenTheRailing) {
    struct Row { const char* what; float height; int risers; float riser; size_t posts; };
    ds->deckOpenSteps = 1;  // closed risers
    // A flight of one tread has only its bottom posts.
    for (const Row& r : std::vector<Row>{{"24-inch deck", 24, 3, 8, 8}, {"3-inch deck", 3, 1, 3, 6}}) {
        Objex* deck = Square(r.height);
        AddDeckSteps(deck, PointAt(deck, 0), PointAt(deck, 1));
        Update3DDeck(deck);
        // Closed treads climb from the ground to the deck's edge (D 100) up the screen, 10 a
        // riser, centred at H = 200 across 60; the top one ends at the deck's top.
        const std::vector<Objex*> treads = PartsOfType(deck, objtype::kStairStep);
        ASSERT_EQ(int(treads.size()), r.risers) << r.what;
        for (int i = 0; i < r.risers; ++i) {
            const Float3DRect& b = treads[size_t(i)]->bounds3D;
            EXPECT_TRUE(Near({b.floatLeft, b.floatRight, b.floatBack, b.floatFront, b.floatBottom, b.floatTop},
                             {170, 230, 100 - 10.0f * (r.risers - i), 110 - 10.0f * (r.risers - i), -r.riser * i,
                              -r.riser * (i + 1)},
                             1e-3f))
                << r.what << " tread " << i;
        }
        // The railing of the step's edge stops at the opening; with both handrails no posts there.
        const std::vector<Objex*> rails = RailingOf(deck).rails;
        ASSERT_EQ(rails.size(), 10u) << r.what;
        EXPECT_TRUE(Near({rails[0]->bounds.floatRight, rails[2]->bounds.floatLeft}, {170, 230})) << r.what;
        // Four on the deck, and a bottom and a top post on each side of the flight.
        EXPECT_EQ(PostsOf(deck).size(), r.posts) << r.what;
        DeleteObj(deck);
    }
    // Without handrails the opening gets a post at each side.
    ds->deckStepLeftRail = ds->deckStepRightRail = 0;
    Objex* deck = Square(24);
    AddDeckSteps(deck, PointAt(deck, 0), PointAt(deck, 1));
    Update3DDeck(deck);
    EXPECT_EQ(PostsOf(deck).size(), 6u);
}

TEST_F(Decks, StepsNarrowOnShortEdgesAndGoWhenNothingIsLeft) {
    // A 40-unit edge takes a 35-wide step (40 - 5); the refit keeps it at 45 - 10.
    Objex* deck = Draw(7600, {{100, 100}, {140, 100}, {140, 300}, {100, 300}});
    AddDeckSteps(deck, PointAt(deck, 0), PointAt(deck, 1));
    Objex* step = deck->firstChild;
    ASSERT_NE(step, nullptr);
    EXPECT_NEAR(AttachmentRecordOf(step)->width, 35, 1e-4f);
    AttachmentRecordOf(step)->width = 60;
    EXPECT_EQ(UpdateDeckAttachment(step), 0);
    EXPECT_NEAR(AttachmentRecordOf(step)->width, 35, 1e-4f);
    EXPECT_EQ(PlanPositions(step), (Plan{{102.5f, 100}, {137.5f, 100}}));

    // Moved to 4 units the edge leaves no width: the rebuild removes it with one alert.
    PointAt(deck, 1)->position[0] = 104;
    Update3DDeck(deck);
    EXPECT_EQ(std::tuple(deck->firstChild, alerts.shown.size()), std::tuple(nullptr, size_t(1)));
    EXPECT_EQ(alerts.shown[0].alert.message, "One or more deck steps removed.");
    AddDeckSteps(deck, PointAt(deck, 0), PointAt(deck, 1));
    EXPECT_EQ(deck->firstChild, nullptr);
}

TEST_F(Decks, MovingAStepDragsAnEndOrTheWholeStepAlongItsEdge) {
    // The first edge runs from H 100 to 300 at D 100; the step stands 170..230 (centre 100).
    struct Row { const char* what; bool second, segment; int32_t to; float width, centre; Plan at; };
    const std::vector<Row> rows = {
        {"its far end out", true, false, 260, 90, 115, {{170, 100}, {260, 100}}},
        {"whole, to centre 50", false, true, 150, 90, 50, {{105, 100}, {195, 100}}},
    };
    Objex* deck = Square(24);
    AddDeckSteps(deck, PointAt(deck, 0), PointAt(deck, 1));
    Objex* step = deck->firstChild;
    AttachmentRecord* r = AttachmentRecordOf(step);
    for (const Row& row : rows) {
        gClickInfo = ClickInfo{};
        gClickInfo.ciHit = 1, gClickInfo.ciObject = step;
        gClickInfo.ciPointHit = !row.segment, gClickInfo.ciSegmentHit = row.segment;
        gClickInfo.ciPoint = row.second ? step->firstPoint->next : step->firstPoint;
        gClickInfo.ciPoint2 = row.segment ? step->firstPoint->next : nullptr;
        gClickInfo.ciWhere = POINT{int32_t(row.segment ? 100 + r->centreDistance : step->firstPoint->next->position[0]), 100};
        TranslateDeckAttachment();
        TrackEvent drag{trackevent::kLeftMouseDragged, {row.to, 100}}, up{trackevent::kLeftMouseUp, {row.to, 100}};
        DeliverToTrackerLoop(drag), DeliverToTrackerLoop(up);
        EXPECT_TRUE(Near({r->width, r->centreDistance, r->remainder}, {row.width, row.centre, 200 - row.centre}))
            << row.what;
        EXPECT_EQ(PlanPositions(step), row.at) << row.what;
        EXPECT_EQ(step->firstPoint->selected, 1) << row.what;
    }
}

TEST_F(Decks, ACurvedDeckIsSkirtedOnStraightPiecesAndRailedAlongItsArc) {
    struct Row { const char* what; int16_t resolution; int pieces; };
    for (const Row& r : std::vector<Row>{{"resolution 4", 4, 4}, {"resolution 1", 1, 2}}) {
        ds->curveSegments = r.resolution;
        Objex* deck = Square(24);
        // The first edge bows out: a curve through (200, 50) at its middle.
        PointAt(deck, 0)->outTangent[2] = -100, PointAt(deck, 1)->inTangent[2] = 100;
        Update3DDeck(deck);
        EXPECT_EQ(PartsOfType(deck, objtype::kDeckPart).size(), size_t(r.pieces + 3)) << r.what;
        EXPECT_EQ(deck->pointCount, 4) << r.what;
        EXPECT_EQ(PointAt(deck, 0)->outTangent[2], -100) << r.what;
        // Spindles every 6 along the arc, the first at its start.
        // The arc's spindles come first, up to the next edge's at H 300; its rails bow out
        // above D 100 (the other edges' reach D 300).
        const RailingPieces railing = RailingOf(deck);
        std::vector<Float3DPoint> arc;
        for (const Float3DPoint& s : railing.spindles) {
            if (s.floatH > 299) break;
            arc.push_back(s);
        }
        int arcRails = 0;
        for (const Objex* rail : railing.rails) arcRails += rail->bounds.floatBottom < 103;
        ASSERT_GE(arc.size(), 2u) << r.what;
        EXPECT_TRUE(Near({arc[0].floatH, arc[0].floatD}, {100, 100})) << r.what;
        for (size_t i = 1; i < arc.size(); ++i) {
            const auto& a = arc[i - 1];
            const auto& b = arc[i];
            EXPECT_NEAR(std::hypot(b.floatH - a.floatH, b.floatD - a.floatD), 6, 0.3f) << r.what << " " << i;
        }
        // No rails reach the first spindle; the arc's end has rails but no spindle. On a
        // curved deck every rail is a curved rail piece.
        EXPECT_EQ(arcRails, 2 * int(arc.size())) << r.what;
        for (const Objex* rail : railing.rails) EXPECT_EQ(rail->type, objtype::kCurvedRailPiece) << r.what;
        DeleteObj(deck);
    }
}

// The outline tools of areas (floors, decks, roofs and their cut-outs) ended after two
// points, as Escape, a double click or a click near the first point end them: a read throws
// such an area away, so the tool makes nothing and stores no step, as a click does.
TEST_F(Decks, AnAreaEndedAfterTwoPointsIsNeverMade) {
    // The dormer cut-out is drawn on a roof section under its first click.
    Objex* roof = SectionedRoof(doc->itsCurLayer, {RoofSection({{0, 0}, {400, 0}, {400, 400}, {0, 400}}, 10, {0, 0.5f, 100, -12})});
    struct Row { const char* what; int16_t tool; Plan outline; int ending; };
    enum { kEscape, kDoubleClick, kNearTheFirst };
    const Plan two = {{100, 100}, {300, 100}};
    const std::vector<Row> rows = {
        {"floor", 7062, two, kEscape},
        {"floor closed near its first point", 7062, {{100, 100}, {300, 100}, {103, 100}}, kNearTheFirst},
        {"floor cut-out", 7063, two, kEscape},
        {"deck with railing", 7600, two, kEscape},
        {"deck without railing, ended by a double click", 7601, two, kDoubleClick},
        {"deck cut-out", 7606, two, kEscape},
        {"freehand roof", 7306, two, kEscape},
        {"dormer cut-out", 7309, two, kEscape},
    };
    for (const Row& r : rows) {
        const int objects = CountObjects(doc->itsCurLayer->firstObject), children = CountObjects(roof->firstChild);
        const size_t steps = undo.actionNames.size();
        gCurTool = r.tool;
        for (auto [h, d] : r.outline) {
            const POINT at{int32_t(h), int32_t(d)};
            g.move(at), g.click(at);
        }
        if (r.ending == kEscape) g.key(keycode::kEscape);
        if (r.ending == kDoubleClick) g.click({300, 100}, 0, 2);
        EXPECT_EQ(std::tuple(CountObjects(doc->itsCurLayer->firstObject), CountObjects(roof->firstChild),
                             undo.actionNames.size(), TrackerLoopOpen()),
                  std::tuple(objects, children, steps, false))
            << r.what;
    }
    // Three points make the area, one step.
    const size_t steps = undo.actionNames.size();
    Objex* floor = Draw(7062, {{100, 100}, {300, 100}, {300, 300}});
    EXPECT_EQ(std::tuple(floor->type, floor->pointCount, undo.actionNames.size()), std::tuple(objtype::kFloor, 3, steps + 1));
}

TEST_F(Decks, FloorsAndCutoutsTakeBandsOfTheirSkirtingDepth) {
    struct Row { const char* what; int16_t tool; float depth; int16_t type; int32_t subtype, plan, bands; };
    const std::vector<Row> rows = {
        {"floor", 7062, 12, objtype::kFloor, 0, 2, 4},
        {"floor without skirting", 7062, 0, objtype::kFloor, 0, 2, 0},
        {"floor cut-out", 7063, 12, objtype::kFloorCutout, 0, 2, 4},
        {"deck cut-out: the deck height less 1", 7606, 23, objtype::kFloorCutout, 51, 64, 4},
    };
    for (const Row& r : rows) {
        ds->floorValue = r.depth;
        Objex* floor = Draw(r.tool, kSquare);
        ASSERT_NE(floor, nullptr) << r.what;
        EXPECT_EQ(std::tuple(floor->type, floor->subtype, floor->planBits), std::tuple(r.type, r.subtype, r.plan))
            << r.what;
        EXPECT_EQ(objfield::floors::kThickness(*floor), r.depth) << r.what;
        EXPECT_NEAR(PointAt(floor, 0)->position[1], -1, 1e-4f) << r.what;
        EXPECT_EQ(CountObjects(floor->firstPart), r.bands) << r.what;
        if (r.bands) {
            for (float v : BottomsOf(floor)) EXPECT_NEAR(v, -1 - r.depth, 1e-4f) << r.what;
        }
    }
    // A curved edge's band keeps the edge's tangents.
    Objex* floor = Last();
    PointAt(floor, 0)->outTangent[2] = -40, PointAt(floor, 1)->inTangent[2] = 40;
    Update3DFloorSkirting(floor);
    const Objex* band = floor->firstPart;
    EXPECT_TRUE(Near({band->firstPoint->outTangent[2], band->firstPoint->next->inTangent[2],
                      band->firstPoint->next->next->outTangent[2]},
                     {-40, 40, -40}));
}

}  // namespace
